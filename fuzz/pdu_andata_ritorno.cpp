// A message as the compose dialog sends it: text, number, service centre, validity, status
// report and class go into an SMS-SUBMIT PDU, which must decode to the same values. Also the
// GSM alphabet and Windows-1252 codecs on their own: text encoded then decoded, bytes decoded
// then encoded.
//
// A text holding letters the GSM alphabet lacks is the one the compose dialog names before it
// goes: it alone comes back changed.
//
// Input: flags (bit 0 status report, bits 1 to 3 the coding scheme), the validity octet, the
// lengths of the number and of the centre, their characters, then the text, one character per
// byte out of the GSM alphabet and a few letters it lacks.

#include "comune.h"

#include "codecs.h"
#include "codifica.h"
#include "composizione.h"
#include "globali.h"
#include "pdu.h"
#include "setcaratteri.h"

namespace {

// The coding schemes of the 7-bit default alphabet the dialog may send: none, and the classes.
constexpr std::array<uint8_t, 8> SchemiTesto{0x00, 0x10, 0x11, 0x12, 0x13, 0xF0, 0xF1, 0xF3};
const QString CaratteriNumero = QStringLiteral("0123456789*#+ -()");

// Every character of the GSM alphabet and of its extension table, the line break as the text
// field holds it: decoding gives each its true character, which encodes back to the same codes.
// Then a few it lacks: accented capitals, Czech, Cyrillic, a tab, a byte-order mark.
const QList<QChar>& CaratteriTesto()
{
    static const QList<QChar> caratteri = [] {
        QList<QChar> tutti;
        QString candidati = QStringLiteral("\f^{}\\[~]|€");
        for (const QChar c : AlfabetoGSM)
            candidati += c;
        for (const QChar c : candidati) {
            if (c != u'\r' && c != u'\n' && !c.isNull() && !tutti.contains(c))
                tutti << c;
        }
        tutti << QChar(u'\n');
        for (const QChar c : QStringLiteral("ÈšП\t\uFEFF"))
            tutti << c;
        return tutti;
    }();
    return caratteri;
}

QString Numero(const uint8_t*& p, const uint8_t* fine, int quanti)
{
    QString numero;
    for (; quanti > 0 && p < fine; --quanti, ++p)
        numero += CaratteriNumero[*p % CaratteriNumero.size()];
    return numero;
}

// What the decoder gives back for a number the encoder was handed: the international "+", the
// digits, "*" and "#"; "???" for a destination without any.
QString NumeroDecodificato(const QString& numero, const QString& vuoto)
{
    const bool internazionale = numero.startsWith(u'+');
    QString cifre;
    for (const QChar c : internazionale ? numero.mid(1) : numero)
        if (c.isDigit() || c == u'*' || c == u'#')
            cifre += c;
    if (cifre.isEmpty())
        return vuoto;
    return (internazionale ? QStringLiteral("+") : QString()) + cifre;
}

// True when the compose dialog lets the text go without a word: the GSM alphabet carries it.
bool TestoGSM(const QString& testo)
{
    return LettereNonScrivibili(testo, SetCaratteri::GSM).isEmpty();
}

void ControllaCodec(const QString& testo, const QByteArray& byte)
{
    Verifica((ConvertiTestoGSM(DecodificaWindows1252(CodificaTestoGSM(testo))) == testo)
                 == TestoGSM(testo),
             "a text in the GSM alphabet reads back as itself, any other is named", testo);
    Verifica(CodificaWindows1252(DecodificaWindows1252(byte)) == byte,
             "every byte goes through Windows-1252 and back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    if (lunghezza < 4)
        return 0;
    const bool rapportoStato = (dati[0] & 1) != 0;
    const uint8_t dcs = SchemiTesto[(dati[0] >> 1) % SchemiTesto.size()];
    const uint8_t validita = dati[1];
    const int cifreNumero = dati[2] % 21;
    const int cifreCentro = dati[3] % 21;
    const uint8_t* p = dati + 4;
    const uint8_t* fine = dati + lunghezza;
    const QString numero = Numero(p, fine, cifreNumero);
    const QString centro = Numero(p, fine, cifreCentro);
    QString scritto;
    for (; p < fine; ++p)
        scritto += CaratteriTesto()[*p % CaratteriTesto().size()];
    ControllaCodec(TestoSMS(scritto), Byte(dati, lunghezza));

    Telefono.SMSC = QStringLiteral("+393359609600");
    const QString testo = TestoEntro(scritto, MaxSettettiSMS);
    const QString pdu
        = CostruisciPDU(centro, TestoSMS(testo), numero,
                        QStringLiteral("%1").arg(validita, 2, 16, QLatin1Char('0')).toUpper(),
                        rapportoStato, QStringLiteral("%1").arg(dcs, 2, 16, QLatin1Char('0')));
    MessaggioSMS m;
    DecodificaPDU(m, pdu);
    const QString dettagli = pdu + QStringLiteral("\n") + scritto;
    Verifica(m.Tipo == 1 && m.RapportoStato == rapportoStato && m.DCS == dcs,
             "the message's type, status report and coding read back", dettagli);
    Verifica(m.Numero == NumeroDecodificato(numero, QStringLiteral("???")),
             "the destination reads back", dettagli + QStringLiteral("\n") + m.Numero);
    Verifica(m.SMSC == NumeroDecodificato(centro, Telefono.SMSC), "the service centre reads back",
             dettagli + QStringLiteral("\n") + m.SMSC);
    Verifica(m.DataOra.trimmed() == QString::number(validita), "the validity reads back", dettagli);
    Verifica(m.LunghezzaDati == SettettiTesto(testo), "the user data length counts the septets",
             dettagli);
    Verifica((TestoDaScrivere(m.Testo) == testo) == TestoGSM(TestoSMS(testo)),
             "the text reads back as it was written, unless the dialog named letters it lacks",
             dettagli + QStringLiteral("\n") + m.Testo);
    return 0;
}
