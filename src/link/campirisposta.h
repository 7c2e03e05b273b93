#pragma once

// The fields of a reply line as 27.007 lays them out: "+XXX: a,"b,c",(d,e)", and the whole
// numbers they hold, each checked against its range where it is read.

#include "codecs.h"
#include "setcaratteri.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// True for a text of decimal digits only, and at least one.
inline bool SoloCifre(QStringView testo)
{
    if (testo.isEmpty())
        return false;
    for (const QChar c : testo)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// True for a text of hexadecimal digits (either case) only, and at least one.
inline bool SoloCifreEsadecimali(QStringView testo)
{
    if (testo.isEmpty())
        return false;
    for (const QChar c : testo)
        if (ValoreCifraHex(c) < 0)
            return false;
    return true;
}

// True for a whole number written in decimal digits, with a minus sign or none.
inline bool NumeroIntero(QStringView testo)
{
    return SoloCifre(testo.startsWith(u'-') ? testo.mid(1) : testo);
}

// The value of a whole number, blanks around it allowed, that lies from min to max; none for any
// other text or value.
inline std::optional<int> InteroTra(QStringView testo, int minimo, int massimo)
{
    while (testo.startsWith(u' '))
        testo = testo.mid(1);
    while (testo.endsWith(u' '))
        testo.chop(1);
    if (!NumeroIntero(testo))
        return std::nullopt;
    bool ok = false;
    const int valore = testo.toInt(&ok);
    if (!ok || valore < minimo || valore > massimo)
        return std::nullopt;
    return valore;
}

// A field without the double quotes around it.
inline QString SenzaVirgolette(QStringView campo)
{
    if (campo.size() >= 2 && campo.startsWith(u'"') && campo.endsWith(u'"'))
        campo = campo.mid(1, campo.size() - 2);
    return campo.toString();
}

// A number field as the phone gives it, in the phone's character set (NumeroDaTestoAT). One
// without its "+" but with an international type of address (an octet of GSM 04.08: top bit set,
// type of number 1) gets the "+", so that it shows, is looked up and is written back as the
// international number it is.
inline QString NumeroConTipo(const QString& campoNumero, QStringView campoTipo)
{
    const QString numero = NumeroDaTestoAT(campoNumero, SetTelefono);
    constexpr int TipoMinimo = 0x80;
    constexpr int TipoMassimo = 0xFF;
    constexpr int MascheraTipoNumero = 0x70;
    constexpr int TipoInternazionale = 0x10;
    const std::optional<int> tipo = InteroTra(campoTipo, TipoMinimo, TipoMassimo);
    const bool internazionale = tipo && (*tipo & MascheraTipoNumero) == TipoInternazionale;
    if (!internazionale || numero.isEmpty() || numero.startsWith(QLatin1Char('+')))
        return numero;
    return QLatin1Char('+') + numero;
}

// An operator's numeric code as a reply field gives it, quoted or bare: a number field, which a
// phone in UCS2 may give in hex, taken so only when it decodes wholly to digits.
inline QString CodiceOperatoreDaCampo(QStringView campo)
{
    const QString codice = SenzaVirgolette(campo);
    const QString numero = NumeroDaTestoAT(codice, SetTelefono);
    return SoloCifre(numero) ? numero : codice;
}

// Where a text read character by character (or piece by piece) stands: inside a quoted text or
// inside parentheses, where a comma ends no field.
class DentroCampo {
public:
    void Segui(QChar c)
    {
        if (c == u'"')
            traVirgolette = !traVirgolette;
        else if (!traVirgolette && c == u'(')
            ++parentesi;
        else if (!traVirgolette && c == u')' && parentesi > 0)
            --parentesi;
    }
    void Segui(QStringView pezzo)
    {
        for (const QChar c : pezzo)
            Segui(c);
    }
    bool Dentro() const { return traVirgolette || parentesi > 0; }
    bool TraVirgolette() const { return traVirgolette; }

private:
    bool traVirgolette = false;
    qsizetype parentesi = 0;
};

// The fields of a text: split at the commas outside double quotes and parentheses, blanks
// around each taken off, quotes and parentheses kept. An empty text has no fields.
inline QStringList DividiCampi(QStringView testo)
{
    QStringList campi;
    if (testo.isEmpty())
        return campi;
    DentroCampo stato;
    qsizetype inizio = 0;
    for (qsizetype i = 0; i <= testo.size(); ++i) {
        if (i == testo.size() || (testo.at(i) == u',' && !stato.Dentro())) {
            campi << TagliaSpazi(testo.mid(inizio, i - inizio).toString());
            inizio = i + 1;
        } else {
            stato.Segui(testo.at(i));
        }
    }
    return campi;
}

// The fields of a reply's first line after its "+XXX:" prefix (the whole line when it has none).
// The line ends at CR LF: a lone CR or LF belongs to the text.
inline QStringList CampiRisposta(QStringView risposta)
{
    QStringView riga = risposta.left(risposta.indexOf(u"\r\n"));
    const qsizetype duePunti = riga.indexOf(u':');
    const qsizetype virgoletta = riga.indexOf(u'"');
    if (duePunti >= 0 && (virgoletta < 0 || duePunti < virgoletta))
        riga = riga.mid(duePunti + 1);
    return DividiCampi(riga);
}
