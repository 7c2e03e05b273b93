#include "immaginelogo.h"

#include <QBuffer>
#include <QImageReader>
#include <QSet>

namespace {

constexpr int ColoriLogo = 16;

// The 16-colour basic palette in index order.
QList<QRgb> TavolozzaBase()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

// The colours the picture uses, as long as they are few enough for the logo.
std::optional<QList<QRgb>> ColoriUsati(const QImage& immagine)
{
    QSet<QRgb> colori;
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x) {
            colori.insert(immagine.pixel(x, y) | 0xFF000000u);
            if (colori.size() > ColoriLogo)
                return std::nullopt;
        }
    QList<QRgb> tavolozza(colori.begin(), colori.end());
    std::sort(tavolozza.begin(), tavolozza.end());
    // A full table of 16 entries keeps the file at the logo's layout, whatever is used.
    for (const QRgb base : TavolozzaBase())
        if (tavolozza.size() < ColoriLogo && !tavolozza.contains(base))
            tavolozza.append(base);
    return tavolozza;
}

} // namespace

std::optional<QImage> CaricaImmagine(const QString& percorso)
{
    QImageReader lettore(percorso);
    const QImage immagine = lettore.read();
    if (immagine.isNull())
        return std::nullopt;
    return immagine;
}

QByteArray BitmapLogo(const QImage& immagine)
{
    const QImage rgb = immagine.convertToFormat(QImage::Format_RGB32);
    const QList<QRgb> tavolozza = ColoriUsati(rgb).value_or(TavolozzaBase());
    // An indexed picture of at most 16 colours is what Qt writes at 4 bits a pixel.
    const QImage indicizzata
        = rgb.convertToFormat(QImage::Format_Indexed8, tavolozza, Qt::ThresholdDither);
    QByteArray bitmap;
    QBuffer buffer(&bitmap);
    buffer.open(QIODevice::WriteOnly);
    indicizzata.save(&buffer, "BMP");
    return bitmap;
}

QString DimensioniImmagine(const QImage& immagine)
{
    return QStringLiteral("%1x%2").arg(immagine.width()).arg(immagine.height());
}

bool HaEstensione(const QString& percorso, const QString& estensione)
{
    return percorso.right(4).toUpper() == estensione;
}
