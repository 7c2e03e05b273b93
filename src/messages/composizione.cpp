#include "composizione.h"

#include "codecs.h"

namespace {

constexpr char16_t FineRiga = u'\n';
constexpr char16_t Ritorno = u'\r';

bool CartellaSIMInUscita(const QString& cartella)
{
    return cartella == QLatin1String("SMS_OUT") || cartella == QLatin1String("SMS_NOOUT");
}

} // namespace

QString TestoSMS(const QString& testoScritto)
{
    QString testo = testoScritto;
    testo.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    return testo.replace(FineRiga, Ritorno);
}

QString TestoDaScrivere(const QString& testoDecodificato)
{
    QString testo = testoDecodificato;
    testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return testo.replace(Ritorno, FineRiga);
}

QString SpaziSemplici(const QString& testoScritto)
{
    QString testo = testoScritto;
    for (QChar& carattere : testo)
        if (carattere == u'\t' || carattere == u'\v'
            || carattere.category() == QChar::Separator_Space)
            carattere = u' ';
    return testo;
}

int SettettiTesto(const QString& testoScritto)
{
    return static_cast<int>(CodificaTestoGSM(TestoSMS(testoScritto)).size());
}

QString TestoEntro(const QString& testoScritto, int settetti)
{
    int usati = 0;
    qsizetype fine = 0;
    while (fine < testoScritto.size()) {
        const qsizetype lunghezza
            = testoScritto.at(fine).isHighSurrogate() && fine + 1 < testoScritto.size() ? 2 : 1;
        const int costo = SettettiTesto(testoScritto.mid(fine, lunghezza));
        if (usati + costo > settetti)
            break;
        usati += costo;
        fine += lunghezza;
    }
    return testoScritto.left(fine);
}

int PosizioneModificata(const QString& modo, const QString& cartella)
{
    // A single character is a mode, never a position: "1" is a reply, not message 1.
    if (modo.size() < 2 || !CartellaSIMInUscita(cartella))
        return 0;
    bool numero = false;
    const int posizione = modo.toInt(&numero);
    return numero && posizione > 0 ? posizione : 0;
}

Salvataggio SalvataggioPerModo(const QString& modo, const QString& cartella)
{
    if (modo == QLatin1String("0"))
        return Salvataggio::NelTelefono;
    if (modo == QLatin1String("1"))
        return Salvataggio::NellArchivio;
    if (modo.size() < 2)
        return Salvataggio::Nessuno;
    if (cartella == QLatin1String("SMS_ARC"))
        return Salvataggio::SostituisciArchivio;
    return CartellaSIMInUscita(cartella) ? Salvataggio::SostituisciTelefono : Salvataggio::Nessuno;
}
