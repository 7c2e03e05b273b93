#include "orologio.h"

#include "campirisposta.h"
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

constexpr int CifreCampo = 2;
constexpr int MassimoCampo = 99;

// A whole number written in decimal digits alone, from min to max; none for anything else
// (blanks and signs, which the fields must not carry to the phone, other scripts).
std::optional<int> CifreTra(const QString& testo, int minimo, int massimo)
{
    return SoloCifre(testo) ? InteroTra(testo, minimo, massimo) : std::nullopt;
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
    const std::optional<int> numero = CifreTra(testo, 0, std::numeric_limits<int>::max());
    return numero ? DueCifre(*numero) : testo;
}

std::optional<QString> ComandoImpostaOrologio(const QString& giorno, const QString& mese,
                                              const QString& anno, const QString& ora,
                                              const QString& minuto, const QString& secondo)
{
    QStringList campi;
    for (const QString* parte : {&anno, &mese, &giorno, &ora, &minuto, &secondo}) {
        const std::optional<int> numero
            = parte->size() <= CifreCampo ? CifreTra(*parte, 0, MassimoCampo) : std::nullopt;
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
    return CifreTra(valore, minimo, massimo).has_value();
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
