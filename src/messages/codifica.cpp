#include "codifica.h"

#include "codecs.h"
#include "globali.h"
#include "letture.h"
#include "pdu.h"

#include <algorithm>

namespace {

constexpr char CodiceEscape = 27;
const QString TipoInternazionale = QStringLiteral("91");
const QString TipoNazionale = QStringLiteral("81");
// Type of number 5: a name in the GSM 7-bit alphabet.
const QString TipoAlfanumerico = QStringLiteral("D0");
// An address value holds at most 10 octets (23.040): 20 digits, or 11 septets of a name.
constexpr int MaxSettettiIndirizzo = 10 * 8 / 7;

QString Esadecimale(int valore)
{
    return QStringLiteral("%1").arg(valore, 2, 16, QLatin1Char('0')).toUpper();
}

QString Esadecimale(const QByteArray& ottetti)
{
    return QString::fromLatin1(ottetti.toHex().toUpper());
}

// The semi-octet symbol of a dialled character; none for a character that cannot be dialled.
QChar SimboloSemiOttetto(QChar carattere)
{
    if (carattere >= u'0' && carattere <= u'9')
        return carattere;
    if (carattere == u'*')
        return u'A';
    if (carattere == u'#')
        return u'B';
    return QChar();
}

QString CifreIndirizzo(const QString& numero)
{
    QString cifre;
    for (const QChar carattere : numero)
        if (const QChar simbolo = SimboloSemiOttetto(carattere); !simbolo.isNull())
            cifre.append(simbolo);
    return cifre;
}

// The codes of at most `massimo` septets. An escape only ever comes before an extension code,
// so a cut that ends on one would leave half a character.
QByteArray SettettiEntroLimite(const QByteArray& codici, int massimo)
{
    QByteArray taglio = codici.left(massimo);
    if (codici.size() > massimo && taglio.endsWith(CodiceEscape))
        taglio.chop(1);
    return taglio;
}

// A recipient named by letters: the alphanumeric sender a reply goes back to.
bool Alfanumerico(const QString& numero)
{
    return std::any_of(numero.cbegin(), numero.cend(), [](QChar c) { return c.isLetter(); });
}

QString IndirizzoAlfanumerico(const QString& nome)
{
    const QByteArray codici = SettettiEntroLimite(CodificaTestoGSM(nome), MaxSettettiIndirizzo);
    const int semiOttetti = (static_cast<int>(codici.size()) * 7 + 3) / 4;
    return Esadecimale(semiOttetti) + TipoAlfanumerico + Esadecimale(OttettiDaSettetti(codici));
}

} // namespace

QString ScambiaSemiOttetti(const QString& cifre)
{
    QString pari = cifre;
    if (pari.size() % 2 == 1)
        pari.append(u'F');
    QString scambiate;
    scambiate.reserve(pari.size());
    for (qsizetype i = 0; i + 1 < pari.size(); i += 2) {
        scambiate.append(pari[i + 1]);
        scambiate.append(pari[i]);
    }
    return scambiate;
}

QString CodificaIndirizzo(const QString& numero, bool destinatario)
{
    if (destinatario && Alfanumerico(numero))
        return IndirizzoAlfanumerico(numero);
    const bool internazionale = numero.startsWith(u'+');
    const QString cifre = CifreIndirizzo(internazionale ? numero.mid(1) : numero);
    const int semiOttetti = static_cast<int>(cifre.size());
    if (!destinatario && semiOttetti == 0)
        return QStringLiteral("00");
    const int ottetti = (semiOttetti + 1) / 2;
    const int lunghezza = destinatario ? semiOttetti : ottetti + 1;
    return Esadecimale(lunghezza) + (internazionale ? TipoInternazionale : TipoNazionale)
           + ScambiaSemiOttetti(cifre);
}

QString CodificaTesto7bit(const QString& testo)
{
    const QByteArray codici = SettettiEntroLimite(CodificaTestoGSM(testo), MaxSettettiSMS);
    return Esadecimale(static_cast<int>(codici.size())) + Esadecimale(OttettiDaSettetti(codici));
}

QString CostruisciPDU(const QString& centro, const QString& testo, const QString& numero,
                      const QString& validita, bool rapportoStato, const QString& dcs)
{
    // Both first octets name an SMS-SUBMIT with a relative validity period; 31 asks for a
    // status report, 91 sets the reply path instead.
    const QString primoOttetto = rapportoStato ? QStringLiteral("31") : QStringLiteral("91");
    return CodificaIndirizzo(centro, false) + primoOttetto + QStringLiteral("FF")
           + CodificaIndirizzo(numero, true) + QStringLiteral("00") + dcs + validita
           + CodificaTesto7bit(testo);
}

QString CodificaPDU(const QString& testo, const QString& numero, const QString& validita,
                    bool rapportoStato, const QString& dcs)
{
    if (!Telefono.SMSCLetto)
        LeggiCentroSMS();
    return CostruisciPDU(Telefono.SMSC, testo, numero, validita, rapportoStato, dcs);
}
