// Logos, melodies and reminders against a hostile phone and hostile files: replies that look
// like a prompt without being one, logos written by other programs, pictures that claim a huge
// size, and reminders written by other calendars. Nothing may crash, and nothing the phone or a
// file holds is lost, hidden or changed on its way through the program.

#include "bancooggetti.h"
#include "catalogo.h"
#include "frmmain.h"
#include "frmprom.h"
#include "globali.h"
#include "immaginelogo.h"
#include "oggetti.h"
#include "s25simulator.h"
#include "statobase.h"
#include "trasferimento.h"

#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QtTest>

using s25sim::S25Simulator;

namespace {

// The standard 16 colours in their standard order, as a bitmap's colour table holds them.
QByteArray TavolozzaStandard()
{
    return QByteArray::fromHex("00000000000080000080000000808000800000008000800080800000C0C0C000"
                               "808080000000FF0000FF000000FFFF00FF000000FF00FF00FFFF0000FFFFFF00");
}

// A logo as the phone keeps its own: 97 x 26 pixels in the standard 16 colours, in their
// standard order, 4 bits a pixel, rows bottom-up padded to 4 bytes. Other programs write the
// same picture with other resolutions and colour counts in the header.
QByteArray LogoDelTelefono(qint32 puntiPerMetro = 3780, quint32 coloriUsati = 16)
{
    QByteArray bmp;
    QDataStream dati(&bmp, QIODevice::WriteOnly);
    dati.setByteOrder(QDataStream::LittleEndian);
    dati.writeRawData("BM", 2);
    dati << quint32(1470) << quint32(0) << quint32(118);
    dati << quint32(40) << qint32(97) << qint32(26) << quint16(1) << quint16(4) << quint32(0)
         << quint32(1352) << puntiPerMetro << puntiPerMetro << coloriUsati << quint32(0);
    dati.writeRawData(TavolozzaStandard().constData(), 64);
    // Pixel 97 fills the high half of byte 49; the rest of the row is padding.
    for (int y = 0; y < 26; ++y)
        for (int b = 0; b < 52; ++b)
            dati << quint8((b < 49 ? ((y + b) % 5 == 0 ? 0x9C : 0xFF) : 0)
                           & (b == 48 ? 0xF0 : 0xFF));
    return bmp;
}

// A 120-byte bitmap whose header claims 655457 x 26 pixels.
QByteArray BitmapEnorme()
{
    QByteArray bmp = LogoDelTelefono().left(118);
    QDataStream dati(&bmp, QIODevice::ReadWrite);
    dati.setByteOrder(QDataStream::LittleEndian);
    dati.skipRawData(18);
    dati << qint32(655457);
    return bmp + QByteArray(2, '\xFF');
}

// A GIF of 4000 x 3000 pixels in 50 bytes: a colour table, one image and no pixel data.
QByteArray GifEnorme()
{
    QByteArray gif("GIF89a");
    QDataStream dati(&gif, QIODevice::Append);
    dati.setByteOrder(QDataStream::LittleEndian);
    dati << quint16(4000) << quint16(3000) << quint8(0x80) << quint8(0) << quint8(0);
    dati.writeRawData("\0\0\0\xFF\xFF\xFF", 6);
    dati << quint8(0x2C) << quint16(0) << quint16(0) << quint16(4000) << quint16(3000) << quint8(0);
    dati.writeRawData("\x02\x01\x2C\x00\x3B", 5);
    return gif;
}

QByteArray Seme()
{
    return "[logo]\n" + LogoDelTelefono().toHex().toUpper() + "\n";
}

} // namespace

class TstAvversarioOggetti : public QObject, private BancoOggetti {
    Q_OBJECT

    void mettiProm(int posizione, const QByteArray& testo)
    {
        telefono->changeState(
            [&](s25sim::PhoneState& stato) { stato.objects.reminders[posizione] = testo; });
    }

    QString testoRiga(int riga) const { return finestra->listProm->topLevelItem(riga)->text(1); }

public:
    TstAvversarioOggetti() : BancoOggetti(Seme()) {}

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }

    void init() { apriOggetti(); }

    void cleanup() { chiudi(); }

    // A phone that answers a block command with a line ">" and a final OK has not opened data
    // mode: nothing is written after the command, and the send fails.
    void bloccoSenzaPromptVero()
    {
        avvia();
        finestra->MostraVista(QStringLiteral("LOGO"));
        telefono->clearCommandLog();
        S25Simulator* s = telefono.get();
        telefono->setCommandObserver([s](const QString& comando) {
            if (comando == QLatin1String("AT^SBNW=bmp,0,0")) {
                s->setMuted(true);
            } else if (comando == QLatin1String("AT^SBNW=bmp,0,1,9")) {
                s->injectUnsolicited(">");
                s->injectUnsolicited("OK");
                s->setMuted(false);
            }
        });
        oggetti->InviaLogo();
        QCOMPARE(testiBox(), QStringList{Msg(287)});
        QCOMPARE(telefono->commandLog(), (QStringList{"AT^SBNW=bmp,0,0", "AT^SBNW=bmp,0,1,9"}));
        QVERIFY(finestra->isEnabled());
    }

    // The phone's logo read and sent back unchanged goes back byte for byte, whatever resolution
    // and colour count its header states.
    void logoRimandatoIdentico_data()
    {
        QTest::addColumn<QByteArray>("logo");
        QTest::newRow("the phone's own") << LogoDelTelefono();
        QTest::newRow("72 dpi, colour count left at 0") << LogoDelTelefono(2835, 0);
    }

    void logoRimandatoIdentico()
    {
        QFETCH(QByteArray, logo);
        avvia();
        telefono->changeState([&](s25sim::PhoneState& stato) { stato.objects.logo = logo; });
        finestra->MostraVista(QStringLiteral("LOGO"));
        QVERIFY(oggetti->LogoPresente);
        oggetti->InviaLogo();
        QCOMPARE(testiBox(), QStringList{Msg(286)});
        QCOMPARE(telefono->state().objects.logo, logo);
    }

    // Converted from its picture, the phone's logo also comes out as the phone wrote it: so it
    // does through a favourite slot.
    void bitmapComeIlTelefono()
    {
        QImage immagine;
        QVERIFY(immagine.loadFromData(LogoDelTelefono(2835, 0), "BMP"));
        QCOMPARE(BitmapLogo(immagine), LogoDelTelefono());
    }

    // Any other picture goes in the standard palette and its order, each pixel taking the
    // nearest of the 16 colours: a file dropped on the editor, and on a favourite slot.
    void logoInTavolozzaStandard()
    {
        avvia();
        finestra->MostraVista(QStringLiteral("LOGO"));
        QImage immagine(97, 26, QImage::Format_RGB32);
        immagine.fill(qRgb(250, 250, 240));
        immagine.setPixel(0, 25, qRgb(200, 10, 10));
        immagine.setPixel(1, 25, qRgb(20, 20, 140));
        immagine.setPixel(2, 25, qRgb(150, 150, 150));
        const QString file = QDir(qEnvironmentVariable("QUORNA_TEST_ROOT")).filePath("quasi.bmp");
        QVERIFY(immagine.save(file, "BMP"));
        rilascia(finestra->PicLogo, DatiFile(file));
        rilascia(finestra->PicLogoOp[6], DatiFile(file));
        oggetti->InviaLogo();
        QCOMPARE(testiBox(), QStringList{Msg(286)});
        for (const QByteArray& bmp :
             {telefono->state().objects.logo, Contenuto(FileProgramma("logo6.bmp"))}) {
            QCOMPARE(bmp.size(), 1470);
            QCOMPARE(bmp.mid(54, 64), TavolozzaStandard());
            // Bottom row first: red (9), navy (4), grey (8), then white (15).
            QCOMPARE(bmp.mid(118, 3).toHex(), QByteArray("948fff"));
            QCOMPARE(bmp.mid(118 + 52, 2).toHex(), QByteArray("ffff"));
        }
    }

    // A picture whose header claims more than the phone could take is refused before it is
    // decoded, and so is a file that holds no picture: the editor keeps what it showed, and a box
    // tells why.
    void immagineEnorme()
    {
        const QString cartella = qEnvironmentVariable("QUORNA_TEST_ROOT");
        const QString bmp = FileDiProva(cartella, QStringLiteral("enorme.bmp"), BitmapEnorme());
        const QString gif = FileDiProva(cartella, QStringLiteral("enorme.gif"), GifEnorme());
        for (const QString& file : {bmp, gif}) {
            QVERIFY(!file.isEmpty());
            QVERIFY2(!CaricaImmagine(file), qPrintable(file));
            QVERIFY2(!CaricaLogo(file), qPrintable(file));
        }
        // A device that never ends is no picture either, and is not read for ever.
        QVERIFY(!CaricaLogo(QStringLiteral("/dev/zero")));
        avvia();
        finestra->MostraVista(QStringLiteral("LOGO"));
        rilascia(finestra->PicLogo, DatiFile(bmp));
        rilascia(finestra->PicLogo, DatiFile(gif));
        // A file no reader understands says so too.
        rilascia(finestra->PicLogo,
                 DatiFile(FileDiProva(cartella, QStringLiteral("rotto.bmp"), "BM rotto")));
        QCOMPARE(oggetti->ImmagineEditor()->size(), QSize(97, 26));
        QCOMPARE(finestra->labDim->text(), QStringLiteral("97x26"));
        QCOMPARE(testiBox(), (QStringList{Msg(821), Msg(821), Msg(820)}));
    }

    // Whatever a phone position holds is a reminder: one the parser cannot read keeps its place
    // in the list, is never offered as free, and goes back as it was when the list is sent.
    void promemoriaDiAltriProgrammi()
    {
        avvia();
        const QByteArray senzaTesto = "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n"
                                      "SUMMARY:Dentista\r\nDTSTART:20240311T093000\r\n"
                                      "END:VEVENT\r\nEND:VCALENDAR\r\n";
        const QByteArray codificato
            = "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\nCATEGORIES:MEETING\r\n"
              "DALARM:20240312T080000\r\nDTSTART:20240312T080000\r\n"
              "DESCRIPTION;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Caff=C3=A8 al=\r\n"
              " bar\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        const QByteArray spazzatura("\x01\x02 non un calendario \xFF");
        const QByteArray nulIniziale
            = QByteArray("BEGIN:VCALENDAR\r\nDESCRIPTION:") + '\0' + "x\r\nEND:VCALENDAR\r\n";
        mettiProm(1, senzaTesto);
        mettiProm(2, codificato);
        mettiProm(3, spazzatura);
        mettiProm(5, nulIniziale);
        mettiProm(6, "BEGIN:VCALENDAR\r\nDESCRIPTION;QUOTED-PRINTABLE:Riga1=0D=0ARiga2\r\n"
                     "END:VCALENDAR\r\n");
        finestra->MostraVista(QStringLiteral("CAL"));
        QVERIFY(Telefono.PromLetti);
        QStringList numeri;
        for (int i = 0; i < finestra->listProm->topLevelItemCount(); ++i)
            numeri << finestra->listProm->topLevelItem(i)->text(0);
        QCOMPARE(numeri, (QStringList{"01", "02", "03", "05", "06"}));
        QCOMPARE(testoRiga(1), QStringLiteral("Caffè al bar"));

        int offerto = 0;
        QTimer::singleShot(0, finestra, [&offerto] {
            auto* dialogo = qobject_cast<frmProm*>(FinestraDialogo(frmProm::Codice));
            offerto = dialogo ? dialogo->Tag() : -1;
            if (dialogo)
                dialogo->reject();
        });
        oggetti->AddProm();
        QCOMPARE(offerto, 4);

        oggetti->InviaProm();
        QVERIFY(risposte->boxes.isEmpty());
        QCOMPARE(promNelTelefono(1), senzaTesto);
        QVERIFY(promNelTelefono(2).contains("DESCRIPTION:Caff\xE8 al bar\r\n"));
        QCOMPARE(promNelTelefono(3), spazzatura);
        QCOMPARE(promNelTelefono(5), nulIniziale);
        QVERIFY(promNelTelefono(4).isEmpty());
        // A line break in a text goes back inside its value.
        QVERIFY(promNelTelefono(6).contains(
            "\r\nDESCRIPTION;ENCODING=QUOTED-PRINTABLE:Riga1=0D=0ARiga2\r\n"));
        QCOMPARE(Telefono.Promemoria[6].Descrizione, QStringLiteral("Riga1\r\nRiga2    "));
    }

    // Padding blanks come off a reminder's fields, a tab or a no-break space that belongs to the
    // text stays: shown in the list, and sent back as the phone had it.
    void promemoriaConTabulazioniESpaziDuri()
    {
        avvia();
        const QByteArray testo = "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n"
                                 "CATEGORIES:MEETING\r\nDALARM:20240311T093000\r\n"
                                 "DTSTART:20240311T093000\r\nDESCRIPTION:\tPranzo \xA0\r\n"
                                 "END:VEVENT\r\nEND:VCALENDAR\r\n";
        mettiProm(1, testo);
        finestra->MostraVista(QStringLiteral("CAL"));
        QCOMPARE(testoRiga(0), QStringLiteral("\tPranzo \u00A0"));
        oggetti->InviaProm();
        QVERIFY(risposte->boxes.isEmpty());
        QCOMPARE(promNelTelefono(1), testo);
    }
};

QTEST_MAIN(TstAvversarioOggetti)
#include "tst_avversario_oggetti.moc"
