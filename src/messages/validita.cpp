#include "validita.h"

#include "catalogo.h"

#include <QLocale>

#include <cmath>

namespace {

constexpr int VoceSconosciuta = 373;
constexpr int VoceOre = 374;
constexpr int VoceMinuti = 375;
constexpr int VoceOreEMinuti = 376;
constexpr int VoceGiorni = 377;
constexpr int VoceSettimane = 378;

constexpr int ValiditaMassima = 255;
constexpr int MinutiMassimi = 720;

QString Esadecimale(int ottetto)
{
    return QStringLiteral("%1").arg(ottetto, 2, 16, QLatin1Char('0')).toUpper();
}

// Half to even, as the rule for hours, days and weeks asks.
int Arrotonda(double valore)
{
    return static_cast<int>(std::nearbyint(valore));
}

std::optional<int> OttettoMinuti(double t)
{
    if (t < 5 || t > MinutiMassimi)
        return std::nullopt;
    return static_cast<int>(std::floor(t / 5)) - 1;
}

int OttettoOre(double t)
{
    if (t <= 12)
        return Arrotonda(t * 12 - 1);
    if (t <= 24)
        return Arrotonda((t - 12) * 2 + 143);
    return ValiditaMassima;
}

int OttettoGiorni(double t)
{
    return t <= 30 ? Arrotonda(t + 166) : ValiditaMassima;
}

int OttettoSettimane(double t)
{
    if (t <= 4)
        return Arrotonda(t * 7 + 166);
    return t <= 63 ? Arrotonda(t + 192) : ValiditaMassima;
}

std::optional<int> OttettoValidita(double t, int unita)
{
    switch (unita) {
    case static_cast<int>(UnitaValidita::Minuti):
        return OttettoMinuti(t);
    case static_cast<int>(UnitaValidita::Ore):
        return OttettoOre(t);
    case static_cast<int>(UnitaValidita::Giorni):
        return OttettoGiorni(t);
    case static_cast<int>(UnitaValidita::Settimane):
        return OttettoSettimane(t);
    default:
        return ValiditaMassima;
    }
}

// A period under an hour that the hours-and-minutes rule leaves out is written in minutes.
QString TestoMinuti(int minuti)
{
    if (minuti % 60 == 0)
        return QString::number(minuti / 60) + Msg(VoceOre);
    if (minuti < 60)
        return QString::number(minuti) + Msg(VoceMinuti);
    return QString::number(minuti / 60) + Msg(VoceOreEMinuti) + QString::number(minuti % 60)
           + Msg(VoceMinuti);
}

} // namespace

std::optional<QString> CalcolaValidita(const QString& tempo, int unita)
{
    const QString testo = tempo.trimmed();
    if (testo.isEmpty())
        return QStringLiteral("FF");
    bool numero = false;
    const double t = QLocale::c().toDouble(QString(testo).replace(u',', u'.'), &numero);
    if (!numero || !(t > 0))
        return std::nullopt;
    const std::optional<int> ottetto = OttettoValidita(t, unita);
    if (!ottetto || *ottetto < 0 || *ottetto > ValiditaMassima)
        return std::nullopt;
    return Esadecimale(*ottetto);
}

QString DecodificaValidita(const QString& ottetto)
{
    bool numero = false;
    const int v = ottetto.trimmed().toInt(&numero);
    if (!numero || v < 0 || v > ValiditaMassima)
        return Msg(VoceSconosciuta);
    if (v <= 143)
        return TestoMinuti((v + 1) * 5);
    if (v <= 167) {
        const double ore = (v - 143) / 2.0 + 12;
        return QLocale::system().toString(ore, 'g', 4) + Msg(VoceOre);
    }
    if (v <= 196)
        return QString::number(v - 166) + Msg(VoceGiorni);
    return QString::number(v - 192) + Msg(VoceSettimane);
}

QString FormattaDataSMS(const QString& dataOra)
{
    const QString testo = dataOra.trimmed();
    if (testo.size() != 14)
        return DecodificaValidita(testo);
    return testo.mid(4, 2) + u'/' + testo.mid(2, 2) + u'/' + testo.left(2) + u' ' + testo.mid(6, 2)
           + u'.' + testo.mid(8, 2);
}

QString AccorciaDataOra(const QString& dataOra)
{
    return dataOra.left(12);
}

int LunghezzaTestoSMS(const QString& testo, int lunghezzaDati)
{
    const int ritorni = static_cast<int>(testo.count(u'\r'));
    return std::min(static_cast<int>(testo.size()), std::max(lunghezzaDati, 0)) + ritorni;
}
