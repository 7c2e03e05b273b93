// Logos, melodies and reminders against a hostile phone and hostile files: replies that look
// like a prompt without being one, logos written by other programs, pictures that claim a huge
// size, and reminders written by other calendars. Nothing may crash, and nothing the phone or a
// file holds is lost, hidden or changed on its way through the program.

#include "bancooggetti.h"
#include "catalogo.h"
#include "dialoghi.h"
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
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
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

// An appointment from a program on a computer: its times in UTC, an end, a place, a guest, a
// rule and alarms of its own, texts in another charset.
QByteArray CenaInUtc()
{
    return "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nPRODID:-//Altro Programma//IT\r\nTZ:+01\r\n"
           "BEGIN:VEVENT\r\nUID:20240311-0001@altro\r\n"
           "SUMMARY;CHARSET=ISO-8859-15:Cena 30\xA4\r\n"
           "DESCRIPTION;ENCODING=QUOTED-PRINTABLE;CHARSET=ISO-8859-15:Vino e dolce=\r\n"
           " 5=A4\r\nDTSTART:20240311T180000Z\r\nDTEND:20240311T210000Z\r\n"
           "LOCATION:Trattoria da Gino\r\n"
           "ATTENDEE;ROLE=ORGANIZER;STATUS=CONFIRMED:Mario Rossi <mario@example.com>\r\n"
           "RRULE:YM1 #0\r\nAALARM;TYPE=WAVE:20240311T174500Z;PT5M;2;\r\n"
           "DALARM:20240311T174500Z;PT5M;2;Cena\r\nCLASS:PRIVATE\r\n"
           "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

// One reminder as another phone or program left it at a phone position, and the text the list
// shows of it.
struct PromAltrui {
    int posizione;
    QByteArray testo;
    QString mostrato;
};

// Entries written elsewhere: lines the program does not know, parameters, folded lines,
// quoted-printable, charsets, a to-do, UTC times, a rule longer than two letters, and text that
// is no calendar at all. Position 4 stays free.
QList<PromAltrui> PromemoriaAltrui()
{
    return {
        {1,
         "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\nSUMMARY:Dentista\r\n"
         "DTSTART:20240311T093000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
         QStringLiteral("Dentista")},
        {2,
         "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\nCATEGORIES:MEETING\r\n"
         "DALARM:20240312T080000\r\nDTSTART:20240312T080000\r\n"
         "DESCRIPTION;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Caff=C3=A8 al=\r\n"
         " bar\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
         QStringLiteral("Caffè al bar")},
        {3, "\x01\x02 non un calendario \xFF", QString()},
        {5, QByteArray("BEGIN:VCALENDAR\r\nDESCRIPTION:") + '\0' + "x\r\nEND:VCALENDAR\r\n",
         QStringLiteral("x")},
        {6,
         "BEGIN:VCALENDAR\r\nDESCRIPTION;QUOTED-PRINTABLE:Riga1=0D=0ARiga2\r\n"
         "END:VCALENDAR\r\n",
         QStringLiteral("Riga1\r\nRiga2")},
        {7, CenaInUtc(), QStringLiteral("Vino e dolce 5€")},
        {8,
         "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VTODO\r\nSUMMARY:Pagare bollo\r\n"
         "DUE:20240630T235900\r\nPRIORITY:2\r\nSTATUS:NEEDS ACTION\r\n"
         "CATEGORIES:PERSONAL\r\nAALARM:20240629T090000;;;\r\nEND:VTODO\r\n"
         "END:VCALENDAR\r\n",
         QStringLiteral("Pagare bollo")},
        {9,
         "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n"
         "DESCRIPTION;CHARSET=X-IGNOTO:Caff\xE8\r\nDTSTART:20240401T100000\r\n"
         "END:VEVENT\r\nEND:VCALENDAR\r\n",
         QStringLiteral("Caffè")},
        {10,
         "BEGIN:VCALENDAR\nVERSION:1.0\nBEGIN:VEVENT\nDTSTART:20240402T100000\n"
         "DESCRIPTION:Solo a capo\nEND:VEVENT\nEND:VCALENDAR\n",
         QStringLiteral("Solo a capo")},
    };
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

    // The phone holding the reminders of other programs, read into the reminders view.
    QList<PromAltrui> mostraPromAltrui()
    {
        avvia();
        const QList<PromAltrui> altrui = PromemoriaAltrui();
        for (const PromAltrui& prom : altrui)
            mettiProm(prom.posizione, prom.testo);
        finestra->MostraVista(QStringLiteral("CAL"));
        return altrui;
    }

    // The position New reminder offers: the dialog it opens is closed at once.
    int posizioneOfferta()
    {
        int offerta = 0;
        QTimer::singleShot(0, finestra, [&offerta] {
            auto* dialogo = qobject_cast<frmProm*>(FinestraDialogo(frmProm::Codice));
            offerta = dialogo ? dialogo->Tag() : -1;
            if (dialogo)
                dialogo->reject();
        });
        oggetti->AddProm();
        return offerta;
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

    // Bytes the phone keeps as its logo that make no picture are told as such, not as no logo:
    // the file of the last logo read keeps it, and the phone's logo can still be deleted.
    void logoCheNonEImmagine_data()
    {
        QTest::addColumn<QByteArray>("logo");
        QByteArray rumore(512, '\0');
        for (qsizetype i = 0; i < rumore.size(); ++i)
            rumore[i] = static_cast<char>(i * 37 + 11);
        QTest::newRow("512 bytes of noise") << rumore;
        QTest::newRow("a bitmap that claims 655457 x 26 pixels") << BitmapEnorme();
    }

    void logoCheNonEImmagine()
    {
        QFETCH(QByteArray, logo);
        QVERIFY(ScriviFileIntero(FileLogo(), LogoDelTelefono()));
        avvia();
        telefono->changeState([&](s25sim::PhoneState& stato) { stato.objects.logo = logo; });
        finestra->MostraVista(QStringLiteral("LOGO"));
        QVERIFY(Telefono.LogoLetto && oggetti->LogoPresente && !oggetti->ImmagineEditor());
        QCOMPARE(finestra->SBar[3]->text(), Msg(960));
        QVERIFY(risposte->boxes.isEmpty());
        QCOMPARE(Contenuto(FileLogo()), LogoDelTelefono());
        QVERIFY(finestra->Pulsante("pElimina")->isEnabled()
                && !finestra->Pulsante("pInviaLogo")->isEnabled());
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
    // in the list, is never offered as free, and every one goes back byte for byte when the list
    // is sent, whatever it holds that the program does not show.
    void promemoriaDiAltriProgrammi()
    {
        const QList<PromAltrui> altrui = mostraPromAltrui();
        QVERIFY(Telefono.PromLetti);
        QCOMPARE(finestra->listProm->topLevelItemCount(), altrui.size());
        for (int i = 0; i < altrui.size(); ++i) {
            QCOMPARE(finestra->listProm->topLevelItem(i)->text(0),
                     QStringLiteral("%1").arg(altrui[i].posizione, 2, 10, QLatin1Char('0')));
            QCOMPARE(testoRiga(i), altrui[i].mostrato);
        }
        QCOMPARE(Telefono.Promemoria[6].Descrizione, QStringLiteral("Riga1\r\nRiga2    "));

        QCOMPARE(posizioneOfferta(), 4);

        oggetti->InviaProm();
        QVERIFY(risposte->boxes.isEmpty());
        for (const PromAltrui& prom : altrui)
            QCOMPARE(promNelTelefono(prom.posizione), prom.testo);
        QVERIFY(promNelTelefono(4).isEmpty());
    }

    // A position whose read the phone refused said nothing of what it holds: it is not offered
    // for a new reminder, and sending the list leaves it on the phone as it was.
    void promemoriaRifiutatoRestaNelTelefono()
    {
        avvia();
        const QList<PromAltrui> altrui = PromemoriaAltrui();
        for (const PromAltrui& prom : altrui)
            mettiProm(prom.posizione, prom.testo);
        telefono->failCommandsMatching(QRegularExpression(QStringLiteral("^AT\\^SBNR=vcs,1$")));
        finestra->MostraVista(QStringLiteral("CAL"));
        telefono->clearFailures();
        QCOMPARE(finestra->listProm->topLevelItemCount(), altrui.size() - 1);
        QCOMPARE(testiBox(), QStringList{Msg(872) + "\r\n" + Msg(875) + " 1: ERROR"});
        risposte->boxes.clear();

        QCOMPARE(posizioneOfferta(), 4);

        oggetti->InviaProm();
        QVERIFY(risposte->boxes.isEmpty());
        QCOMPARE(promNelTelefono(1), altrui.first().testo);
    }

    // The same reminders kept in a file hold only the fields the file has: loaded and sent, each
    // is rebuilt from them, without a field that has no value and without a control byte.
    void promemoriaAltruiDaFile()
    {
        const QList<PromAltrui> altrui = mostraPromAltrui();
        const QString file = QDir(qEnvironmentVariable("QUORNA_TEST_ROOT")).filePath("altrui.cal");
        risposte->fileDaScegliere << file << file;
        oggetti->SalvaProm();
        oggetti->ApriProm();
        oggetti->InviaProm();
        QVERIFY(risposte->boxes.isEmpty());
        static const QRegularExpression controllo(
            QStringLiteral("[\\x00-\\x09\\x0B\\x0C\\x0E-\\x1F\\x7F]|\\r(?!\\n)|(?<!\\r)\\n"));
        for (int n = 1; n <= altrui.size(); ++n) {
            const QString testo = QString::fromLatin1(promNelTelefono(n));
            QVERIFY2(testo.startsWith(QLatin1String("BEGIN:VCALENDAR\r\n")), qPrintable(testo));
            QVERIFY2(!controllo.match(testo).hasMatch(),
                     promNelTelefono(n).toPercentEncoding().constData());
        }
        // The text of a reminder that had only a summary goes as its description.
        QVERIFY(promNelTelefono(1).contains("\r\nDESCRIPTION:Dentista\r\n"));
    }

    // A reminder another program wrote, changed in the dialog, changes in what the user changed
    // alone: every other line goes back as the phone had it, an alarm keeps its distance from
    // the start, and a changed value keeps its line's parameters, encoding and charset.
    void promemoriaAltruiModificato_data()
    {
        QTest::addColumn<QByteArray>("voce");
        QTest::addColumn<QString>("inizio"); // DD/MM/YYYY HH.MM:SS, or empty to leave it
        QTest::addColumn<QString>("testo");  // null to leave it
        QTest::addColumn<int>("ricorrenza"); // the option, or -1 to leave it
        QTest::addColumn<QByteArray>("atteso");
        const QByteArray caffe = PromemoriaAltrui().at(1).testo;
        QTest::newRow("text in quoted-printable UTF-8 over two lines")
            << caffe << QString() << QStringLiteral("Caffè alle 9") << -1
            << QByteArray(caffe).replace("Caff=C3=A8 al=\r\n bar", "Caff=C3=A8 alle 9");
        const QByteArray riunione
            = "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\nCATEGORIES:MEETING\r\n"
              "DALARM:20240330T233000\r\nDTSTART:20240331T080000\r\nDTEND:20240331T090000\r\n"
              "LOCATION:Sala riunioni,\r\n  piano 2\r\nDESCRIPTION:Riunione\r\nEND:VEVENT\r\n"
              "END:VCALENDAR\r\n";
        QTest::newRow("start moved, its alarm the night before")
            << riunione << QStringLiteral("01/04/2024 08.00:00") << QString() << -1
            << QByteArray(riunione)
                   .replace("DALARM:20240330T233000", "DALARM:20240331T233000")
                   .replace("DTSTART:20240331T080000", "DTSTART:20240401T080000");
        QTest::newRow("UTC, alarms of its own, a rule of another program")
            << CenaInUtc() << QStringLiteral("11/03/2024 19.00:00") << QString() << 3
            << CenaInUtc()
                   .replace("DTSTART:20240311T180000Z", "DTSTART:20240311T190000Z")
                   .replace("RRULE:YM1 #0", "RRULE:Y1")
                   .replace(":20240311T174500Z;", ":20240311T184500Z;");
        const QByteArray bollo = PromemoriaAltrui().at(6).testo;
        QTest::newRow("a to-do: its summary and the time it is due")
            << bollo << QStringLiteral("01/07/2024 23.59:00") << QStringLiteral("Pagare il bollo")
            << -1
            << QByteArray(bollo)
                   .replace("SUMMARY:Pagare bollo", "SUMMARY:Pagare il bollo")
                   .replace("DUE:20240630T235900", "DUE:20240701T235900")
                   .replace("AALARM:20240629T090000", "AALARM:20240630T090000");
        QTest::newRow("nothing changed")
            << CenaInUtc() << QString() << QString() << -1 << CenaInUtc();
    }

    void promemoriaAltruiModificato()
    {
        QFETCH(QByteArray, voce);
        QFETCH(QString, inizio);
        QFETCH(QString, testo);
        QFETCH(int, ricorrenza);
        avvia();
        mettiProm(1, voce);
        finestra->MostraVista(QStringLiteral("CAL"));
        finestra->listProm->setCurrentItem(finestra->listProm->topLevelItem(0));
        NelDialogo(finestra, DialogoDelProgramma<frmProm>, [&](frmProm* dialogo) {
            const std::array<QLineEdit*, 6> campi{dialogo->txtGG, dialogo->txtMM, dialogo->txtAA,
                                                  dialogo->txtH,  dialogo->txtM,  dialogo->txtS};
            const QStringList parti
                = inizio.split(QRegularExpression(QStringLiteral("[/ .:]")), Qt::SkipEmptyParts);
            for (int i = 0; i < parti.size(); ++i)
                campi[static_cast<size_t>(i)]->setText(parti[i]);
            if (!testo.isNull())
                dialogo->txtTesto->setText(testo);
            if (ricorrenza >= 0)
                dialogo->optRic[static_cast<size_t>(ricorrenza)]->setChecked(true);
            dialogo->pOk->click();
        });
        oggetti->EditProm();
        QVERIFY(risposte->boxes.isEmpty());
        QTEST(promNelTelefono(1), "atteso");
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
