// Faults the fuzz targets of fuzz/ found in the program, each with the input that showed it,
// reduced to what matters.

#include "catalogo.h"
#include "filediprova.h"
#include "globali.h"
#include "immaginelogo.h"
#include "operatori.h"
#include "statobase.h"
#include "vocabolario.h"

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

} // namespace

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

    // A GIF of 43 bytes whose one-pixel frame lies on a logical screen of 4000 x 3000: the
    // reader's size tells the frame only, so the whole screen (48 MB) was decoded and loaded as a
    // logo far past what the phone takes. A screen of a logo's size still loads.
    void gifConSchermoEnorme()
    {
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        const QString enorme
            = FileDiProva(cartella.path(), "enorme.gif", GifConUnPixel(QSize(4000, 3000)));
        QVERIFY(!enorme.isEmpty());
        QVERIFY(!CaricaImmagine(enorme));
        QVERIFY(!CaricaLogo(enorme));
        const QString logo = FileDiProva(cartella.path(), "logo.gif", GifConUnPixel(QSize(97, 26)));
        const std::optional<QImage> immagine = CaricaImmagine(logo);
        QVERIFY(immagine);
        QCOMPARE(immagine->size(), QSize(97, 26));
    }

    // 25 bytes named as a GIF without its signature: the name makes the GIF reader read them,
    // and it made a picture of its logical screen, 65024 x 512, while its size told the frame,
    // 54 x 512. The screen is what is checked, whatever the file's first bytes.
    void gifSenzaFirma()
    {
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        const QString file = FileDiProva(
            cartella.path(), "senzafirma.gif",
            QByteArray::fromHex("434d5320455b00fe00026a20702c0000000136000000000000"));
        QVERIFY(!file.isEmpty());
        ImmagineRifiutata motivo = ImmagineRifiutata::Illeggibile;
        QVERIFY(!CaricaLogo(file, &motivo));
        QCOMPARE(motivo, ImmagineRifiutata::TroppoGrande);
    }
};

QTEST_GUILESS_MAIN(TstTrovatiFuzz)
#include "tst_trovati_fuzz.moc"
