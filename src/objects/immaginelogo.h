#pragma once

// The pictures of the logo editor and its palette: loading image files and writing a picture as
// the Windows bitmap the phone takes.

#include "fileinteri.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

// Why an image file gave no picture.
enum class ImmagineRifiutata {
    Illeggibile,  // no reader could make a picture of it
    TroppoGrande, // its picture would pass what the phone takes
};

// The picture in a file the platform's image readers understand (bitmaps and GIF at least).
// Its size is taken from the file's header first (for a GIF, its logical screen, whatever the
// file's first bytes): a picture whose 16-colour bitmap would pass the phone's limit is never
// decoded, and gives nothing, as does a file of more than 16 MiB. Where the reader tells less
// than the picture (an icon's directory) or nothing (a bitmap past its own limit), the
// picture's own header is read for the size it claims; the decoder may allocate no more than
// such a picture takes, and a picture it makes past the limit gives nothing either. `rifiuto`,
// when given, tells why a file that is there was not read.
std::optional<QImage> CaricaImmagine(const QString& percorso, FileRifiutato* rifiuto = nullptr);

// A picture of the logo editor, with the bitmap file that carries it to the phone.
struct Logo {
    QImage immagine;
    QByteArray bitmap;
};
// The logo in an image file, read once and decoded as CaricaImmagine does. A bitmap already in
// the phone's own form (4 bits a pixel, the standard palette in its order, rows bottom-up) keeps
// its bytes, so that a logo read and sent back unchanged is the same file; any other picture is
// converted with BitmapLogo. `motivo`, when given, is told why a file gave nothing, and
// `rifiuto` why the file itself was not read.
std::optional<Logo> CaricaLogo(const QString& percorso, ImmagineRifiutata* motivo = nullptr,
                               FileRifiutato* rifiuto = nullptr);
// The logo in a picture's bytes, decoded as CaricaLogo decodes a file whose name ends in the
// format's extension ("bmp").
std::optional<Logo> LogoDaByte(const QByteArray& byte, const QByteArray& formato,
                               ImmagineRifiutata* motivo = nullptr);

// The picture as a Windows bitmap file in the standard 16 colours, in their standard order (that
// of the phone's own logo), 4 bits a pixel, each pixel taking the nearest colour. A 97 x 26
// picture gives the 1470 bytes of an operator logo.
QByteArray BitmapLogo(const QImage& immagine);

// Width "x" height in pixels, as the size labels show it ("97x26").
QString DimensioniImmagine(const QImage& immagine);

// The upper-cased last four characters of a file name are this extension (".BMP").
bool HaEstensione(const QString& percorso, const QString& estensione);
