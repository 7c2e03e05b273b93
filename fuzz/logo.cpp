// A picture file opened, dropped or chosen as a favourite for the operator logo, then written as
// the 16-colour bitmap the phone takes. A picture of at most 16 colours must keep every pixel's
// colour through that bitmap.

#include "comune.h"

#include "immaginelogo.h"

#include <QSet>

namespace {

// Larger pictures are refused by the phone anyway; their colours are not compared, to keep
// each run short.
constexpr int MaxPixelConfrontati = 200 * 64;

bool AlPiuSediciColori(const QImage& immagine)
{
    QSet<QRgb> colori;
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x) {
            colori.insert(immagine.pixel(x, y) | 0xFF000000u);
            if (colori.size() > 16)
                return false;
        }
    return true;
}

bool StessiColori(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) | 0xFF000000u) != (b.pixel(x, y) | 0xFF000000u))
                return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara(Applicazione::Grafica);
    const QString percorso = FileDiLavoro(QStringLiteral("logo.bmp"));
    ScriviFile(percorso, Byte(dati, lunghezza));
    const std::optional<QImage> immagine = CaricaImmagine(percorso);
    if (!immagine)
        return 0;
    DimensioniImmagine(*immagine);
    if (static_cast<qint64>(immagine->width()) * immagine->height() > MaxPixelConfrontati)
        return 0;
    const QByteArray bitmap = BitmapLogo(*immagine);
    const QString scritto = FileDiLavoro(QStringLiteral("scritto.bmp"));
    ScriviFile(scritto, bitmap);
    const std::optional<QImage> riletto = CaricaImmagine(scritto);
    Verifica(riletto.has_value(), "the logo bitmap written reads back");
    // The colours the logo is made of are those of the picture without its transparency.
    const QImage opaca = immagine->convertToFormat(QImage::Format_RGB32);
    if (AlPiuSediciColori(opaca))
        Verifica(StessiColori(opaca, *riletto),
                 "a picture of at most 16 colours keeps its colours as a logo bitmap");
    return 0;
}
