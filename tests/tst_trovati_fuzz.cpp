// Faults the fuzz targets of fuzz/ found in the program, each with the input that showed it,
// reduced to what matters.

#include "catalogo.h"
#include "filediprova.h"
#include "globali.h"
#include "immaginelogo.h"
#include "operatori.h"
#include "statobase.h"
#include "vocabolario.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A GIF whose logical screen is `schermo` and whose one frame is a single pixel at its corner.
QByteArray GifConUnPixel(QSize schermo)
{
    QByteArray gif("GIF89a");
    QDataStream dati(&gif, QIODevice::Append);
    dati.setByteOrder(QDataStream::LittleEndian);
    dati << quint16(schermo.width()) << quint16(schermo.height()) << quint8(0x80) << quint8(0)
         << quint8(0);
    dati.writeRawData("\0\0\0\xFF\xFF\xFF", 6);
    dati << quint8(0x2C) << quint16(0) << quint16(0) << quint16(1) << quint16(1) << quint8(0);
    dati.writeRawData("\x02\x02\x44\x01\x00\x3B", 6);
    return gif;
}

QByteArray Png(QSize dimensioni)
{
    QImage immagine(dimensioni, QImage::Format_Mono);
    immagine.fill(0);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    immagine.save(&buffer, "PNG");
    return png;
}

quint32 Crc32(const QByteArray& byte)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char c : byte) {
        crc ^= static_cast<quint8>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return ~crc;
}

// A one-pixel PNG whose header, its checksum whole, claims this size.
QByteArray PngCheDichiara(QSize dimensioni)
{
    QByteArray png = Png(QSize(1, 1));
    QDataStream dati(&png, QIODevice::ReadWrite);
    dati.skipRawData(16);
    dati << quint32(dimensioni.width()) << quint32(dimensioni.height());
    dati.skipRawData(5);
    dati << Crc32(png.mid(12, 17));
    return png;
}

// A 16-colour bitmap whose header claims this size, with two bytes of pixels.
QByteArray BitmapCheDichiara(QSize dimensioni)
{
    QImage immagine(1, 1, QImage::Format_RGB32);
    immagine.fill(Qt::white);
    QByteArray bmp = BitmapLogo(immagine).left(118);
    QDataStream dati(&bmp, QIODevice::ReadWrite);
    dati.setByteOrder(QDataStream::LittleEndian);
    dati.skipRawData(18);
    dati << qint32(dimensioni.width()) << qint32(dimensioni.height());
    return bmp + QByteArray(2, '\xFF');
}

// An icon (`tipo` 1) or cursor (2) of one 16 x 16 entry holding this PNG.
QByteArray IconaConPng(const QByteArray& png, quint16 tipo)
{
    QByteArray icona;
    QDataStream dati(&icona, QIODevice::WriteOnly);
    dati.setByteOrder(QDataStream::LittleEndian);
    dati << quint16(0) << tipo << quint16(1) << quint8(16) << quint8(16) << quint8(0) << quint8(0)
         << quint16(1) << quint16(32) << quint32(png.size()) << quint32(22);
    return icona + png;
}

} // namespace

Q_DECLARE_METATYPE(ImmagineRifiutata)

class TstTrovatiFuzz : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(CatalogoMessaggi::Carica());
        StatoDiPartenza();
        InitTabelleLingua();
    }

    // A garbled operator list whose code holds a line feed: saved to "reti.op" it split its
    // record in two, and the list loaded back with an operator more and its names shifted. Such
    // a line is no operator: it is left out.
    void codiceOperatoreConAcapo()
    {
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        const QString percorso = cartella.filePath("reti.op");
        const std::vector<Operatore> letti
            = DecodificaOperatori("+COPN: 2\n2,\"X\"\r\n+COPN: 22201,\"TIM\"");
        QCOMPARE(int(letti.size()), 1);
        Telefono.Operatori = letti;
        QVERIFY(SalvaFileOperatori(percorso));
        Telefono.Operatori.clear();
        QVERIFY(CaricaFileOperatori(percorso));
        QCOMPARE(int(Telefono.Operatori.size()), 1);
        for (size_t i = 0; i < letti.size(); ++i) {
            QCOMPARE(Telefono.Operatori[i].Codice, letti[i].Codice);
            QCOMPARE(Telefono.Operatori[i].Nome, letti[i].Nome);
        }
        QCOMPARE(NomeOperatore("22201"), QStringLiteral("TIM"));
    }

    void immaginiCheMentono_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QSize>("letta"); // none when refused
        QTest::addColumn<ImmagineRifiutata>("motivo");
        const auto rifiutata = [](const char* riga, const char* nome, const QByteArray& file,
                                  ImmagineRifiutata motivo) {
            QTest::newRow(riga) << nome << file << QSize() << motivo;
        };
        // A one-pixel frame on a logical screen of 4000 x 3000 (48 MB) in 43 bytes: the
        // reader's size tells the frame only.
        rifiutata("gif, huge screen", "enorme.gif", GifConUnPixel(QSize(4000, 3000)),
                  ImmagineRifiutata::TroppoGrande);
        // 25 bytes without the signature, named as a GIF: the GIF reader reads them, and made a
        // picture of its screen, 65024 x 512, while its size told the frame, 54 x 512.
        rifiutata("gif without signature", "senzafirma.gif",
                  QByteArray::fromHex("434d5320455b00fe00026a20702c0000000136000000000000"),
                  ImmagineRifiutata::TroppoGrande);
        // An icon's size is its directory entry's, whatever picture the entry holds.
        rifiutata("ico, 300 x 300 in a 16 x 16 entry", "grande.ico",
                  IconaConPng(Png(QSize(300, 300)), 1), ImmagineRifiutata::TroppoGrande);
        rifiutata("cur, 300 x 300 in a 16 x 16 entry", "grande.cur",
                  IconaConPng(Png(QSize(300, 300)), 2), ImmagineRifiutata::TroppoGrande);
        // Past what its decoder may allocate: told by what the picture's own header claims.
        rifiutata("ico, 5700 x 5700 in a 16 x 16 entry", "enorme.ico",
                  IconaConPng(Png(QSize(5700, 5700)), 1), ImmagineRifiutata::TroppoGrande);
        rifiutata("ico, a PNG claiming 60000 x 60000", "dichiara.ico",
                  IconaConPng(PngCheDichiara(QSize(60000, 60000)), 1),
                  ImmagineRifiutata::TroppoGrande);
        // Past what the bitmap reader takes a header for.
        rifiutata("bmp, 30000 x 30000", "enorme.bmp", BitmapCheDichiara(QSize(30000, 30000)),
                  ImmagineRifiutata::TroppoGrande);
        rifiutata("bmp, 30000 x 30000 top-down", "enorme.bmp",
                  BitmapCheDichiara(QSize(30000, -30000)), ImmagineRifiutata::TroppoGrande);
        QTest::newRow("gif, a logo's screen") << "logo.gif" << GifConUnPixel(QSize(97, 26))
                                              << QSize(97, 26) << ImmagineRifiutata::Illeggibile;
        QTest::newRow("ico, a logo in a 16 x 16 entry")
            << "logo.ico" << IconaConPng(Png(QSize(97, 26)), 1) << QSize(97, 26)
            << ImmagineRifiutata::Illeggibile;
    }

    // Pictures whose files tell less than the picture they hold: what counts is the picture
    // the decoder makes, and no decoder makes one far past what the phone takes.
    void immaginiCheMentono()
    {
        QFETCH(QString, nome);
        QFETCH(QByteArray, file);
        QFETCH(QSize, letta);
        QFETCH(ImmagineRifiutata, motivo);
        QTemporaryDir cartella;
        const QString percorso = FileDiProva(cartella.path(), nome, file);
        QVERIFY(!percorso.isEmpty());
        ImmagineRifiutata perche = ImmagineRifiutata::Illeggibile;
        const std::optional<Logo> logo = CaricaLogo(percorso, &perche);
        QCOMPARE(logo ? logo->immagine.size() : QSize(), letta);
        const std::optional<QImage> immagine = CaricaImmagine(percorso);
        QCOMPARE(immagine ? immagine->size() : QSize(), letta);
        if (!logo)
            QCOMPARE(perche, motivo);
    }
};

QTEST_GUILESS_MAIN(TstTrovatiFuzz)
#include "tst_trovati_fuzz.moc"
