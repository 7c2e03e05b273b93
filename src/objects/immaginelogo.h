#pragma once

// The pictures of the logo editor and its palette: loading image files and writing a picture as
// the Windows bitmap the phone takes.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

// The picture in a file the platform's image readers understand (bitmaps and GIF at least).
std::optional<QImage> CaricaImmagine(const QString& percorso);

// The picture as a Windows bitmap file in 16 colours, 4 bits a pixel: a picture of at most 16
// colours keeps them, one of more is mapped to the standard 16-colour palette. A 97 x 26 picture
// gives the 1470 bytes of an operator logo.
QByteArray BitmapLogo(const QImage& immagine);

// Width "x" height in pixels, as the size labels show it ("97x26").
QString DimensioniImmagine(const QImage& immagine);

// The upper-cased last four characters of a file name are this extension (".BMP").
bool HaEstensione(const QString& percorso, const QString& estensione);
