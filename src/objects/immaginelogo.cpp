#include "immaginelogo.h"

#include "blocchi.h"

#include <QBuffer>
#include <QDataStream>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

#include <array>
#include <cstdlib>
#include <limits>
#include <utility>

namespace {

// The two headers of a bitmap file, then the 16 entries of its colour table.
constexpr int ByteIntestazioni = 14 + 40;
constexpr int InizioPixel = ByteIntestazioni + 16 * 4;
// The resolution the phone's own logo states: 96 dots an inch.
constexpr qint32 PuntiPerMetro = 3780;
// A picture within the phone's limit takes far less in any image format, metadata included.
constexpr qint64 MaxByteFileImmagine = 16 * 1024 * 1024;
// What a decoder may allocate for a picture, in megabytes: a picture within the phone's limit
// takes far less in any format a decoder makes, 16 bits a channel included.
constexpr int MaxMegabyteDecodifica = 1;

// The standard 16-colour palette in its standard order.
constexpr std::array<QRgb, 16> TavolozzaStandard{
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
    0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

// The bytes of a row of pixels at 4 bits each, padded to whole 32-bit words.
qint64 BytePerRiga(qint64 larghezza)
{
    return (larghezza * 4 + 31) / 32 * 4;
}

qint64 ByteBitmap(qint64 larghezza, qint64 altezza)
{
    return InizioPixel + BytePerRiga(larghezza) * altezza;
}

// A picture of this size makes a bitmap the phone's writer can send.
bool BitmapNelLimite(const QSize& dimensioni)
{
    return dimensioni.isValid()
           && ByteBitmap(dimensioni.width(), dimensioni.height()) <= MaxByteOggetto;
}

// The colour table as a bitmap file holds it: blue, green, red and a zero byte per colour.
QByteArray TavolozzaInFile()
{
    QByteArray tabella;
    for (const QRgb colore : TavolozzaStandard) {
        for (const int componente : {qBlue(colore), qGreen(colore), qRed(colore), 0})
            tabella += static_cast<char>(componente);
    }
    return tabella;
}

// The index of the palette colour nearest to this one; the lower index on a tie.
uint8_t ColorePiuVicino(QRgb colore)
{
    uint8_t migliore = 0;
    int distanzaMinima = std::numeric_limits<int>::max();
    for (size_t i = 0; i < TavolozzaStandard.size(); ++i) {
        const int r = qRed(colore) - qRed(TavolozzaStandard[i]);
        const int g = qGreen(colore) - qGreen(TavolozzaStandard[i]);
        const int b = qBlue(colore) - qBlue(TavolozzaStandard[i]);
        const int distanza = r * r + g * g + b * b;
        if (distanza < distanzaMinima) {
            distanzaMinima = distanza;
            migliore = static_cast<uint8_t>(i);
        }
    }
    return migliore;
}

qint64 Intero(const QByteArray& byte, int da, int quanti)
{
    qint64 valore = 0;
    for (int i = quanti - 1; i >= 0; --i)
        valore = valore * 256 + static_cast<uint8_t>(byte.at(da + i));
    return valore;
}

// The file already is a logo in the phone's form: the 40-byte information header, 4 bits a
// pixel without compression, the standard palette in its order, rows bottom-up, nothing more.
bool EBitmapDelTelefono(const QByteArray& bmp)
{
    if (bmp.size() < InizioPixel || !bmp.startsWith("BM"))
        return false;
    const qint64 larghezza = static_cast<qint32>(Intero(bmp, 18, 4));
    const qint64 altezza = static_cast<qint32>(Intero(bmp, 22, 4));
    const qint64 colori = Intero(bmp, 46, 4);
    return Intero(bmp, 10, 4) == InizioPixel && Intero(bmp, 14, 4) == 40 && Intero(bmp, 28, 2) == 4
           && Intero(bmp, 30, 4) == 0 && (colori == 0 || colori == 16) && larghezza > 0
           && altezza > 0 && bmp.size() == ByteBitmap(larghezza, altezza)
           && bmp.mid(ByteIntestazioni, InizioPixel - ByteIntestazioni) == TavolozzaInFile();
}

// The picture the GIF reader makes is its logical screen, whose width and height follow the
// six-byte signature, little-endian; a side the screen leaves at 0 is the far edge of the first
// frame, which the reader's size tells. The reader reads these bytes as a GIF whatever the
// signature holds. None when the file is too short to hold a screen, or holds no frame where
// the screen needs one.
std::optional<QSize> ImmagineGIF(const QByteArray& gif, const QSize& fotogramma)
{
    if (gif.size() < 10)
        return std::nullopt;
    const auto larghezza = static_cast<int>(Intero(gif, 6, 2));
    const auto altezza = static_cast<int>(Intero(gif, 8, 2));
    const QSize schermo(larghezza > 0 ? larghezza : fotogramma.width(),
                        altezza > 0 ? altezza : fotogramma.height());
    if (!schermo.isValid())
        return std::nullopt;
    return schermo;
}

// The size of the picture the reader will decode, known before any pixel is: the header's size,
// the height of a bitmap whose rows run top-down negative in it; for a GIF, its screen. The GIF
// reader takes a file named as a GIF whatever its bytes, or bytes that begin as a GIF. None when
// the reader cannot tell.
std::optional<QSize> DimensioniDaDecodificare(QImageReader& lettore, const QByteArray& byte)
{
    const QSize dichiarate = lettore.size();
    if (lettore.format() == "gif" || byte.startsWith("GIF"))
        return ImmagineGIF(byte, dichiarate);
    if (dichiarate == QSize())
        return std::nullopt;
    return QSize(std::abs(dichiarate.width()), std::abs(dichiarate.height()));
}

// A side a header claims, as a picture's size holds it; a negative height is a bitmap's whose
// rows run top-down.
int Lato(qint64 valore)
{
    return static_cast<int>(std::min<qint64>(std::abs(valore), std::numeric_limits<int>::max()));
}

// The size a bitmap's information header at `inizio` claims: a core header's 16-bit sides, a
// larger header's 32-bit ones. None when the bytes hold no such header there, or it claims no
// picture.
std::optional<QSize> DimensioniDIB(const QByteArray& byte, qint64 inizio)
{
    if (inizio < 0 || byte.size() < inizio + 12)
        return std::nullopt;
    const auto da = static_cast<int>(inizio);
    const qint64 intestazione = Intero(byte, da, 4);
    qint64 larghezza = 0;
    qint64 altezza = 0;
    if (intestazione == 12) {
        larghezza = Intero(byte, da + 4, 2);
        altezza = Intero(byte, da + 6, 2);
    } else if (intestazione >= 40) {
        larghezza = static_cast<qint32>(Intero(byte, da + 4, 4));
        altezza = static_cast<qint32>(Intero(byte, da + 8, 4));
    }
    if (larghezza <= 0 || altezza == 0)
        return std::nullopt;
    return QSize(Lato(larghezza), Lato(altezza));
}

// The size a PNG's header at `inizio` claims; none when no PNG begins there.
std::optional<QSize> DimensioniPNG(const QByteArray& byte, qint64 inizio)
{
    static const QByteArray firma("\x89PNG\r\n\x1A\n");
    if (inizio < 0 || byte.size() < inizio + 24 || byte.mid(inizio, firma.size()) != firma)
        return std::nullopt;
    const char* intestazione = byte.constData() + inizio + 16;
    const QSize dimensioni(Lato(qFromBigEndian<quint32>(intestazione)),
                           Lato(qFromBigEndian<quint32>(intestazione + 4)));
    if (dimensioni.isEmpty())
        return std::nullopt;
    return dimensioni;
}

// The size the picture's own header claims where the reader tells another, or none: a bitmap
// past the size the reader takes a header for; the first picture of an icon or a cursor, a PNG
// or a bitmap whose height counts its mask too, where the reader tells its directory's entry.
std::optional<QSize> DimensioniDichiarate(const QByteArray& byte)
{
    if (byte.startsWith("BM"))
        return DimensioniDIB(byte, 14);
    // An icon's directory: a reserved 0, the type (1 an icon, 2 a cursor), then the count.
    if (byte.size() < 22 || Intero(byte, 0, 2) != 0 || Intero(byte, 4, 2) < 1)
        return std::nullopt;
    if (const qint64 tipo = Intero(byte, 2, 2); tipo != 1 && tipo != 2)
        return std::nullopt;
    const qint64 inizio = Intero(byte, 18, 4);
    if (const std::optional<QSize> png = DimensioniPNG(byte, inizio))
        return png;
    const std::optional<QSize> bitmap = DimensioniDIB(byte, inizio);
    if (!bitmap || bitmap->height() < 2)
        return std::nullopt;
    return QSize(bitmap->width(), bitmap->height() / 2);
}

// Holds the decoders to what a logo may take while it lives: the size a reader tells before
// decoding is, for some formats, only what the file says of itself (an icon's directory entry
// says nothing of the picture it holds).
class LimiteDecodifica {
public:
    LimiteDecodifica() { QImageReader::setAllocationLimit(MaxMegabyteDecodifica); }
    ~LimiteDecodifica() { QImageReader::setAllocationLimit(precedente); }
    LimiteDecodifica(const LimiteDecodifica&) = delete;
    LimiteDecodifica& operator=(const LimiteDecodifica&) = delete;

private:
    const int precedente = QImageReader::allocationLimit();
};

// The picture a reader holds, decoded only when its 16-colour bitmap would be within the phone's
// limit, by what the file tells and by what the decoder made. `byte` are the file's.
std::optional<QImage> DecodificaNelLimite(QImageReader& lettore, const QByteArray& byte,
                                          ImmagineRifiutata& motivo)
{
    const std::optional<QSize> dimensioni = DimensioniDaDecodificare(lettore, byte);
    const std::optional<QSize> dichiarate = DimensioniDichiarate(byte);
    motivo = ImmagineRifiutata::TroppoGrande;
    if ((dimensioni && !BitmapNelLimite(*dimensioni))
        || (dichiarate && !BitmapNelLimite(*dichiarate)))
        return std::nullopt;
    motivo = ImmagineRifiutata::Illeggibile;
    if (!dimensioni)
        return std::nullopt;
    const LimiteDecodifica limite;
    QImage immagine = lettore.read();
    if (immagine.isNull())
        return std::nullopt;
    if (!BitmapNelLimite(immagine.size())) {
        motivo = ImmagineRifiutata::TroppoGrande;
        return std::nullopt;
    }
    return immagine;
}

// An image file's bytes, read whole.
std::optional<QByteArray> ByteImmagine(const QString& percorso, ImmagineRifiutata& motivo,
                                       FileRifiutato* rifiuto)
{
    FileRifiutato perche;
    std::optional<QByteArray> letti = LeggiFileIntero(percorso, MaxByteFileImmagine, &perche);
    if (rifiuto)
        *rifiuto = perche;
    motivo = perche.motivo == MotivoFileRifiutato::TroppoLungo ? ImmagineRifiutata::TroppoGrande
                                                               : ImmagineRifiutata::Illeggibile;
    return letti;
}

// The format a file's name gives the reader to try first, as it does for a reader given the
// file itself.
QByteArray Formato(const QString& percorso)
{
    return QFileInfo(percorso).suffix().toLower().toLatin1();
}

std::optional<QImage> Decodifica(const QByteArray& byte, const QByteArray& formato,
                                 ImmagineRifiutata& motivo)
{
    QBuffer dati;
    dati.setData(byte);
    dati.open(QIODevice::ReadOnly);
    QImageReader lettore(&dati, formato);
    return DecodificaNelLimite(lettore, byte, motivo);
}

} // namespace

std::optional<QImage> CaricaImmagine(const QString& percorso, FileRifiutato* rifiuto)
{
    ImmagineRifiutata motivo{};
    const std::optional<QByteArray> byte = ByteImmagine(percorso, motivo, rifiuto);
    if (!byte)
        return std::nullopt;
    return Decodifica(*byte, Formato(percorso), motivo);
}

std::optional<Logo> CaricaLogo(const QString& percorso, ImmagineRifiutata* motivo,
                               FileRifiutato* rifiuto)
{
    // The file is read once: the picture shown and the bitmap kept come from the same bytes.
    ImmagineRifiutata perche{};
    const std::optional<QByteArray> byte = ByteImmagine(percorso, perche, rifiuto);
    if (!byte) {
        if (motivo)
            *motivo = perche;
        return std::nullopt;
    }
    return LogoDaByte(*byte, Formato(percorso), motivo);
}

std::optional<Logo> LogoDaByte(const QByteArray& byte, const QByteArray& formato,
                               ImmagineRifiutata* motivo)
{
    ImmagineRifiutata perche{};
    const std::optional<QImage> immagine = Decodifica(byte, formato, perche);
    if (!immagine) {
        if (motivo)
            *motivo = perche;
        return std::nullopt;
    }
    return Logo{*immagine, EBitmapDelTelefono(byte) ? byte : BitmapLogo(*immagine)};
}

QByteArray BitmapLogo(const QImage& immagine)
{
    const QImage rgb = immagine.convertToFormat(QImage::Format_RGB32);
    const int larghezza = rgb.width();
    const int altezza = rgb.height();
    const auto riga = static_cast<int>(BytePerRiga(larghezza));
    const auto byte = static_cast<quint32>(ByteBitmap(larghezza, altezza));
    QByteArray bmp;
    QDataStream dati(&bmp, QIODevice::WriteOnly);
    dati.setByteOrder(QDataStream::LittleEndian);
    dati.writeRawData("BM", 2);
    dati << byte << quint32(0) << quint32(InizioPixel);
    dati << quint32(40) << qint32(larghezza) << qint32(altezza) << quint16(1) << quint16(4)
         << quint32(0) << quint32(byte - InizioPixel) << PuntiPerMetro << PuntiPerMetro
         << quint32(TavolozzaStandard.size()) << quint32(0);
    const QByteArray tavolozza = TavolozzaInFile();
    dati.writeRawData(tavolozza.constData(), static_cast<int>(tavolozza.size()));
    for (int y = altezza - 1; y >= 0; --y) {
        QByteArray pixel(riga, '\0');
        for (int x = 0; x < larghezza; ++x) {
            const uint8_t indice = ColorePiuVicino(rgb.pixel(x, y));
            pixel[x / 2] = static_cast<char>(pixel[x / 2] | (x % 2 ? indice : indice << 4));
        }
        dati.writeRawData(pixel.constData(), riga);
    }
    return bmp;
}

QString DimensioniImmagine(const QImage& immagine)
{
    return QStringLiteral("%1x%2").arg(immagine.width()).arg(immagine.height());
}

bool HaEstensione(const QString& percorso, const QString& estensione)
{
    return percorso.right(4).toUpper() == estensione;
}
