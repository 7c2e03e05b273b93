#include "impostazioni.h"

#include "globali.h"

#include <QSettings>

#include <cmath>
#include <limits>

namespace {

QSettings store()
{
    return QSettings(QStringLiteral("Quorna"), QStringLiteral("Quorna"));
}

QString percorso(const QString& sezione, const QString& chiave)
{
    return sezione + QLatin1Char('/') + chiave;
}

const QString ChiaveAlbero = QStringLiteral("TreeWidth");

// Thrown inside the loader only, to reach its one error handler.
struct ValoreNonValido {};

template <class Campo>
Campo leggiCampo(const QString& chiave, Campo predefinito)
{
    const auto testo = LeggiImpostazione(QStringLiteral("General"), chiave);
    if (!testo)
        return predefinito;
    const auto numero = NumeroImpostazione(*testo);
    if (!numero || *numero < std::numeric_limits<Campo>::min()
        || *numero > std::numeric_limits<Campo>::max())
        throw ValoreNonValido{};
    return static_cast<Campo>(*numero);
}

int16_t limitato16(int valore)
{
    const int minimo = std::numeric_limits<int16_t>::min();
    const int massimo = std::numeric_limits<int16_t>::max();
    return static_cast<int16_t>(qBound(minimo, valore, massimo));
}

} // namespace

std::optional<long long> NumeroImpostazione(const QString& testo)
{
    bool ok = false;
    const double valore = testo.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(valore) || std::fabs(valore) > 1e15)
        return std::nullopt;
    return static_cast<long long>(std::nearbyint(valore));
}

std::optional<QString> LeggiImpostazione(const QString& sezione, const QString& chiave)
{
    const QVariant valore = store().value(percorso(sezione, chiave));
    if (!valore.isValid())
        return std::nullopt;
    return valore.toString();
}

void ScriviImpostazione(const QString& sezione, const QString& chiave, int valore)
{
    auto settings = store();
    settings.setValue(percorso(sezione, chiave), QString::number(valore));
    settings.sync();
}

void CaricaImpostazioni()
{
    Impostazioni letti;
    try {
        letti.Lingua = leggiCampo<uint8_t>(QStringLiteral("Language"), 99);
        letti.AutoSaveRub = leggiCampo<uint8_t>(QStringLiteral("AutoSaveRub"), 0);
        letti.AutoLoadRub = leggiCampo<uint8_t>(QStringLiteral("AutoLoadRub"), 0);
        letti.SaveWindow = leggiCampo<uint8_t>(QStringLiteral("SaveWindow"), 0);
        letti.SplashScreen = leggiCampo<uint8_t>(QStringLiteral("SplashScreen"), 0);
        letti.AutoLoadOPsList = leggiCampo<uint8_t>(QStringLiteral("AutoLoadOPsList"), 0);
        letti.X = leggiCampo<int16_t>(QStringLiteral("X"), 0);
        letti.Y = leggiCampo<int16_t>(QStringLiteral("Y"), 0);
        letti.W = leggiCampo<int16_t>(QStringLiteral("W"), 800);
        letti.H = leggiCampo<int16_t>(QStringLiteral("H"), 600);
    } catch (const ValoreNonValido&) {
        letti = Impostazioni{};
        letti.W = 640;
        letti.H = 480;
    }
    Opzioni = letti;
}

void SalvaLarghezzaAlbero(int twips)
{
    ScriviImpostazione(QStringLiteral("General"), ChiaveAlbero, limitato16(twips));
}

std::optional<int> LarghezzaAlberoMemorizzata()
{
    const auto testo = LeggiImpostazione(QStringLiteral("General"), ChiaveAlbero);
    const auto numero = testo ? NumeroImpostazione(*testo) : std::nullopt;
    if (!numero || *numero <= 0 || *numero > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int>(*numero);
}

void SalvaPosizioneFinestra(const QRect& twips)
{
    const QString general = QStringLiteral("General");
    ScriviImpostazione(general, QStringLiteral("X"), limitato16(twips.x()));
    ScriviImpostazione(general, QStringLiteral("Y"), limitato16(twips.y()));
    ScriviImpostazione(general, QStringLiteral("W"), limitato16(twips.width()));
    ScriviImpostazione(general, QStringLiteral("H"), limitato16(twips.height()));
}
