// A picture file opened, dropped or chosen as a favourite for the operator logo, under a bitmap's
// name and under a GIF's, then written as the 16-colour bitmap the phone takes. A picture is
// decoded only when its bitmap fits the phone; the bitmap holds the standard 16 colours only, a
// picture made of those keeps every pixel, and the bitmap read back is the phone's own form:
// opened again it is sent as it is.

#include "comune.h"

#include "blocchi.h"
#include "immaginelogo.h"

#include <algorithm>
#include <array>

namespace {

// Larger pictures are refused by the phone anyway; their colours are not compared, to keep
// each run short.
constexpr int MaxPixelConfrontati = 200 * 64;

// The standard 16 colours of a Windows bitmap.
constexpr std::array<QRgb, 16> ColoriStandard{
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
    0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

bool ColoreStandard(QRgb colore)
{
    return std::find(ColoriStandard.begin(), ColoriStandard.end(), colore | 0xFF000000u)
           != ColoriStandard.end();
}

bool SoloColoriStandard(const QImage& immagine)
{
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x)
            if (!ColoreStandard(immagine.pixel(x, y)))
                return false;
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

void ControllaBitmap(const QImage& immagine, const QByteArray& bitmap)
{
    const QString scritto = FileDiLavoro(QStringLiteral("scritto.bmp"));
    ScriviFile(scritto, bitmap);
    const std::optional<Logo> riletto = CaricaLogo(scritto);
    Verifica(riletto.has_value(), "the logo bitmap written reads back");
    Verifica(riletto->bitmap == bitmap, "the logo bitmap written is sent as it is when opened");
    Verifica(SoloColoriStandard(riletto->immagine),
             "a logo bitmap holds the standard colours only");
    Verifica(BitmapLogo(riletto->immagine) == bitmap,
             "the logo bitmap read back and written again is the same bytes");
    // The colours the logo is made of are those of the picture without its transparency.
    const QImage opaca = immagine.convertToFormat(QImage::Format_RGB32);
    if (SoloColoriStandard(opaca))
        Verifica(StessiColori(opaca, riletto->immagine),
                 "a picture in the standard colours keeps every pixel as a logo bitmap");
}

// The file under one name: the name's extension picks the reader tried first.
void ControllaFile(const QByteArray& file, const QString& nome)
{
    const QString percorso = FileDiLavoro(nome);
    ScriviFile(percorso, file);
    const std::optional<Logo> logo = CaricaLogo(percorso);
    if (!logo)
        return;
    DimensioniImmagine(logo->immagine);
    const QByteArray bitmap = BitmapLogo(logo->immagine);
    Verifica(bitmap.size() <= MaxByteOggetto,
             "a picture is decoded only when its logo bitmap fits the phone");
    Verifica(logo->bitmap == bitmap || logo->bitmap == file,
             "a logo is sent as its file or as its bitmap");
    if (static_cast<qint64>(logo->immagine.width()) * logo->immagine.height()
        <= MaxPixelConfrontati)
        ControllaBitmap(logo->immagine, bitmap);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara(Applicazione::Grafica);
    const QByteArray file = Byte(dati, lunghezza);
    // A name ending in ".gif" makes the GIF reader read any bytes.
    for (const QString& nome : {QStringLiteral("logo.bmp"), QStringLiteral("logo.gif")})
        ControllaFile(file, nome);
    return 0;
}
