#include "orologio.h"

#include "globali.h"
#include "scambio.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

#include <limits>

namespace {

constexpr int LunghezzaCampo = 8;
// The phone's two-digit years are those of this century.
constexpr int SecoloAnniBrevi = 2000;

// A whole number of decimal digits; none for anything else (blanks, signs, other scripts).
std::optional<int> NumeroIntero(const QString& testo, int cifreMassime)
{
    static const QRegularExpression cifre(QStringLiteral("^[0-9]+$"));
    if (testo.size() > cifreMassime || !cifre.match(testo).hasMatch())
        return std::nullopt;
    return testo.toInt();
}

QString DueCifre(int valore)
{
    return QStringLiteral("%1").arg(valore, 2, 10, QLatin1Char('0'));
}

} // namespace

std::optional<OrologioTelefono> DecodificaOrologio(const QString& risposta)
{
    // A four-digit year and a time-zone suffix are tolerated; the seconds are not kept.
    static const QRegularExpression orologio(QStringLiteral(
        "\"(\\d{2}|\\d{4})/(\\d{1,2})/(\\d{1,2}),(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?"));
    const QRegularExpressionMatch m = orologio.match(risposta);
    if (!m.hasMatch())
        return std::nullopt;
    const auto numero = [&m](int n) { return m.captured(n).toInt(); };
    const int anno = m.capturedLength(1) == 2 ? SecoloAnniBrevi + numero(1) : numero(1);
    const int secondi = m.capturedLength(6) > 0 ? numero(6) : 0;
    // A field outside the calendar or the clock is no reading of either.
    if (!QDate::isValid(anno, numero(2), numero(3))
        || !QTime::isValid(numero(4), numero(5), secondi))
        return std::nullopt;
    return OrologioTelefono{DueCifre(numero(3)) + QLatin1Char('/') + DueCifre(numero(2))
                                + QLatin1Char('/') + DueCifre(anno % 100),
                            (DueCifre(numero(4)) + QLatin1Char(':') + DueCifre(numero(5)))
                                .leftJustified(LunghezzaCampo, QLatin1Char(' '))};
}

QString FormatoDueCifre(const QString& testo)
{
    const std::optional<int> numero = NumeroIntero(testo, std::numeric_limits<int>::digits10);
    return numero ? DueCifre(*numero) : testo;
}

std::optional<QString> ComandoImpostaOrologio(const QString& giorno, const QString& mese,
                                              const QString& anno, const QString& ora,
                                              const QString& minuto, const QString& secondo)
{
    QStringList campi;
    for (const QString* parte : {&anno, &mese, &giorno, &ora, &minuto, &secondo}) {
        const std::optional<int> numero = NumeroIntero(*parte, 2);
        if (!numero)
            return std::nullopt;
        campi << DueCifre(*numero);
    }
    // The date goes year first although the fields come day first.
    return QStringLiteral("AT+CCLK=\"%1/%2/%3,%4:%5:%6\"")
        .arg(campi[0], campi[1], campi[2], campi[3], campi[4], campi[5]);
}

bool ControllaNum(const QString& valore, int minimo, int massimo)
{
    const std::optional<int> numero = NumeroIntero(valore, std::numeric_limits<int>::digits10);
    return numero && *numero >= minimo && *numero <= massimo;
}

void LeggiDataOra()
{
    EsitoAT esito = EsitoAT::Ok;
    const QString risposta = InviaComandoAT(QStringLiteral("AT+CCLK?"), &esito);
    if (esito != EsitoAT::Ok)
        return;
    if (const std::optional<OrologioTelefono> letto = DecodificaOrologio(risposta)) {
        Telefono.DataTel = letto->DataTel;
        Telefono.OraTel = letto->OraTel;
        Telefono.OraLetta = true;
    }
}

bool ImpostaDataOra(const QString& giorno, const QString& mese, const QString& anno,
                    const QString& ora, const QString& minuto, const QString& secondo)
{
    bool accettato = false;
    if (const std::optional<QString> comando
        = ComandoImpostaOrologio(giorno, mese, anno, ora, minuto, secondo)) {
        EsitoAT esito = EsitoAT::Ok;
        InviaComandoAT(*comando, &esito);
        accettato = esito == EsitoAT::Ok;
    }
    LeggiDataOra();
    return accettato;
}
