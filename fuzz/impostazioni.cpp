// The settings store as the program reads it at start-up. Input: the bytes of the settings file
// "Quorna.conf"; its last 8 bytes also give a window placement to store and read back.
//
// Whatever the file holds, the options come out within their fields; and a placement stored
// from any window is read back as it was stored, clamped to its 16-bit fields.

#include "comune.h"

#include "globali.h"
#include "impostazioni.h"

#include <QDir>
#include <QFileInfo>
#include <QRect>
#include <QSettings>

#include <limits>

namespace {

QSettings Archivio()
{
    return QSettings(QStringLiteral("Quorna"), QStringLiteral("Quorna"));
}

QString FileImpostazioni()
{
    const QString file = Archivio().fileName();
    QDir().mkpath(QFileInfo(file).path());
    return file;
}

int16_t Limitato(int valore)
{
    return static_cast<int16_t>(std::clamp<int>(valore, std::numeric_limits<int16_t>::min(),
                                                std::numeric_limits<int16_t>::max()));
}

QRect Finestra(const uint8_t* dati, size_t lunghezza)
{
    std::array<uint16_t, 4> v{};
    for (size_t i = 0; i < 8 && i < lunghezza; ++i)
        v[i / 2] = static_cast<uint16_t>(v[i / 2] << 8 | dati[lunghezza - 1 - i]);
    const auto campo = [&v](size_t k) { return static_cast<int>(static_cast<int16_t>(v[k])); };
    // Far-off and oversized windows are what the clamping is for.
    return QRect(campo(0) * 4, campo(1) * 4, std::abs(campo(2)) * 4, std::abs(campo(3)) * 4);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    const QString file = FileImpostazioni();
    ScriviFile(file, Byte(dati, lunghezza));
    // Another program changed the file: the store must read it again, not its cache.
    Archivio().sync();
    CaricaImpostazioni();
    for (const char* chiave : {"Language", "X", "W"})
        if (const auto testo
            = LeggiImpostazione(QStringLiteral("General"), QString::fromLatin1(chiave)))
            NumeroImpostazione(*testo);

    QFile::remove(file);
    Archivio().sync();
    const QRect finestra = Finestra(dati, lunghezza);
    SalvaPosizioneFinestra(finestra);
    CaricaImpostazioni();
    Verifica(Opzioni.X == Limitato(finestra.x()) && Opzioni.Y == Limitato(finestra.y())
                 && Opzioni.W == Limitato(finestra.width())
                 && Opzioni.H == Limitato(finestra.height()),
             "a stored window placement reads back, clamped to its fields",
             QStringLiteral("%1 %2 %3 %4 -> %5 %6 %7 %8")
                 .arg(finestra.x())
                 .arg(finestra.y())
                 .arg(finestra.width())
                 .arg(finestra.height())
                 .arg(Opzioni.X)
                 .arg(Opzioni.Y)
                 .arg(Opzioni.W)
                 .arg(Opzioni.H));
    return 0;
}
