// The logos, melodies and reminders end to end: the main window with the real link and the
// objects subsystem against the simulated phone on a pseudo-terminal, with shortened intervals.

#include "bancooggetti.h"
#include "blocchi.h"
#include "catalogo.h"
#include "collegamento.h"
#include "dialoghi.h"
#include "filediprova.h"
#include "frmmain.h"
#include "frmprom.h"
#include "globali.h"
#include "immaginelogo.h"
#include "listareport.h"
#include "oggetti.h"
#include "s25simulator.h"
#include "seedfile.h"
#include "statobase.h"
#include "trasferimento.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QtTest>

namespace {

const QByteArray MelodiaVuota = QByteArray::fromHex(
    "4D546864000000060000000100604D54726B0000001600FF58040402180800FF510307D00000C00100FF2F00");

QByteArray LogoDiProva()
{
    QImage immagine(97, 26, QImage::Format_RGB32);
    immagine.fill(Qt::white);
    for (int x = 5; x < 90; ++x)
        immagine.setPixel(x, 13, qRgb(0, 0, 255));
    return BitmapLogo(immagine);
}

QByteArray Byte(int lunghezza, int seme)
{
    QByteArray dati;
    for (int i = 0; i < lunghezza; ++i)
        dati += static_cast<char>((i * seme + 3) % 256);
    return dati;
}

QByteArray Seme(const QByteArray& melodia = Byte(300, 11))
{
    return "[ringtone]\nmax_tone = 16\nmax_volume = 4\ntone = 3\nvolume = 2\n"
           "[logo]\n"
           + LogoDiProva().toHex().toUpper() + "\n[melody]\n" + melodia.toHex().toUpper()
           + "\n[reminder 1]\nBEGIN:VCALENDAR\nVERSION:1.0\nBEGIN:VEVENT\n"
             "CATEGORIES:MEETING\nDALARM:20240311T093000\nDTSTART:20240311T093000\n"
             "DESCRIPTION:Riunione Ferri\nEND:VEVENT\nEND:VCALENDAR\n"
             "[reminder 2]\nBEGIN:VCALENDAR\nVERSION:1.0\nBEGIN:VEVENT\n"
             "CATEGORIES:ANNIVERSARY\nDALARM:20240415T080000\nDTSTART:20240415T080000\n"
             "RRULE:Y1\nDESCRIPTION:Compleanno Mamma\nEND:VEVENT\nEND:VCALENDAR\n"
             "[reminder 12]\nBEGIN:VCALENDAR\nVERSION:1.0\nBEGIN:VEVENT\n"
             "CATEGORIES:PHONE CALL\nDALARM:20240102T070000\nDTSTART:20240102T080000\n"
             "RRULE:W1\nDESCRIPTION:Chiamare Gino\nEND:VEVENT\nEND:VCALENDAR\n";
}

} // namespace

class TstOggettiE2E : public QObject, private BancoOggetti {
    Q_OBJECT

    QAction* pulsante(const char* chiave) const
    {
        return finestra->Pulsante(QLatin1String(chiave));
    }

    QStringList righeProm() const
    {
        QStringList righe;
        for (int i = 0; i < finestra->listProm->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* riga = finestra->listProm->topLevelItem(i);
            righe << QStringList{riga->text(0), riga->text(1), riga->text(2), riga->text(3)}.join(
                '|');
        }
        return righe;
    }

    void scegliProm(int riga)
    {
        finestra->listProm->setCurrentItem(finestra->listProm->topLevelItem(riga));
        oggetti->listProm_Click();
    }

    // Acts in the reminder dialog once it is open.
    template <class Azioni>
    void nelDialogo(Azioni azioni)
    {
        NelDialogo(finestra, DialogoDelProgramma<frmProm>, azioni);
    }

    // The row's folder, pipe or link to a device where the program writes `file`, taken away
    // with the guard.
    static auto NonFileDellaRiga(const QString& file)
    {
        QFETCH(std::function<bool(const QString&)>, crea);
        crea(file);
        return qScopeGuard([file] {
            if (!QFile::remove(file))
                QDir().rmdir(file);
        });
    }

public:
    TstOggettiE2E() : BancoOggetti(Seme()) {}

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }

    void init() { apriOggetti(); }

    void cleanup() { chiudi(); }

    void logoLettoInviatoEliminato()
    {
        avvia();
        finestra->MostraVista(QStringLiteral("LOGO"));
        QCOMPARE(telefono->commandLog(), QStringList{"AT^SBNR=bmp,0"});
        QCOMPARE(Contenuto(FileLogo()), LogoDiProva());
        QVERIFY(Telefono.LogoLetto && oggetti->LogoPresente);
        QCOMPARE(finestra->SBar[3]->text(), Msg(119));
        QCOMPARE(oggetti->ImmagineEditor()->size(), QSize(97, 26));
        QVERIFY(pulsante("pElimina")->isEnabled() && finestra->frameLogo->isEnabled());
        // Read once per connection.
        finestra->MostraVista(QStringLiteral("LOGO"));
        QCOMPARE(telefono->commandLog().size(), 1);

        // A sample logo dropped on the editor goes to the phone in nine blocks.
        rilascia(finestra->picDrop, Oggetti::DatiSlot(2));
        QCOMPARE(finestra->labDim->text(), QStringLiteral("97x26"));
        QCOMPARE(finestra->labDim->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(pulsante("pInviaLogo")->isEnabled());
        const QByteArray campione = BitmapLogo(finestra->PicLogoOp[2]->pixmap().toImage());
        telefono->clearCommandLog();
        oggetti->InviaLogo();
        QCOMPARE(testiBox(), QStringList{Msg(286)});
        QCOMPARE(telefono->state().objects.logo, campione);
        QCOMPARE(Contenuto(FileLogo()), campione);
        const QStringList log = telefono->commandLog();
        QCOMPARE(log.first(), QStringLiteral("AT^SBNW=bmp,0,0"));
        QCOMPARE(log.at(1), QStringLiteral("AT^SBNW=bmp,0,1,9"));
        QCOMPARE(log.at(2).size(), 353);
        QCOMPARE(log.at(log.size() - 2), QStringLiteral("AT^SBNW=bmp,0,9,9"));
        QCOMPARE(log.last().size(), 125);
        QCOMPARE(finestra->labP->text(), QStringLiteral("100%"));
        QVERIFY(finestra->isEnabled() && !finestra->pbarLogo->isVisible());

        // Delete: No keeps it, Yes erases it and the view reads the phone again.
        risposte->pulsantiDaPremere << QMessageBox::No;
        oggetti->DelLogo();
        QCOMPARE(telefono->state().objects.logo, campione);
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        oggetti->DelLogo();
        QVERIFY(telefono->state().objects.logo.isEmpty());
        QCOMPARE(finestra->SBar[3]->text(), Msg(220));
        QVERIFY(!oggetti->ImmagineEditor());
        QVERIFY(!pulsante("pInviaLogo")->isEnabled() && !pulsante("pElimina")->isEnabled());
        QVERIFY(pulsante("pApriLogo")->isEnabled() && pulsante("pAggiorna")->isEnabled());
        // Nothing in the editor: nothing is written nor sent.
        telefono->clearCommandLog();
        oggetti->InviaLogo();
        QVERIFY(telefono->commandLog().isEmpty());
        QVERIFY(finestra->isEnabled());
    }

    // A block the phone refuses fails the send, and the logo is read again next time.
    void logoRifiutato()
    {
        avvia();
        finestra->MostraVista(QStringLiteral("LOGO"));
        telefono->failCommandsMatching(QRegularExpression(QStringLiteral("^AT\\^SBNW=bmp,0,4,9$")));
        oggetti->InviaLogo();
        QCOMPARE(testiBox(), QStringList{Msg(287)});
        QCOMPARE(finestra->pbarLogo->value(), 3);
        QCOMPARE(finestra->labP->text(), QStringLiteral("33%"));
        QVERIFY(!Telefono.LogoLetto);
        QCOMPARE(finestra->SBar[3]->text(), Msg(220));
        QVERIFY(!telefono->commandLog().contains(QStringLiteral("AT^SBNW=bmp,0,5,9")));
    }

    void logoNonScritto_data()
    {
        QTest::addColumn<std::function<bool(const QString&)>>("crea");
        QTest::newRow("a folder") << std::function(
            [](const QString& p) { return QDir().mkdir(p); });
        QTest::newRow("a pipe") << std::function(Pipe);
        QTest::newRow("a link to /dev/zero") << std::function(LinkAZero);
    }

    // The logo read is shown, and kept, though its file cannot be written: the user is told once
    // which file and why, and the file is not touched. The logo the user then puts in the editor
    // goes to the phone all the same, and the user is told again of the file.
    void logoNonScritto()
    {
        const auto togli = NonFileDellaRiga(FileLogo());
        const QString prima = ImprontaFile(FileLogo());
        QVERIFY(!prima.isEmpty());
        const QString nonScritto = Msg(900) + FileLogo() + '\n' + Msg(823);
        avvia();
        finestra->MostraVista(QStringLiteral("LOGO"));
        QCOMPARE(testiBox(), QStringList{nonScritto});
        QVERIFY(Telefono.LogoLetto && oggetti->LogoPresente);
        QCOMPARE(finestra->SBar[3]->text(), Msg(119));
        QVERIFY(oggetti->ImmagineEditor());
        QCOMPARE(BitmapLogo(*oggetti->ImmagineEditor()), LogoDiProva());
        finestra->MostraVista(QStringLiteral("SMS"));
        finestra->MostraVista(QStringLiteral("LOGO"));
        QCOMPARE(BitmapLogo(*oggetti->ImmagineEditor()), LogoDiProva());
        QCOMPARE(testiBox().size(), 1);

        risposte->boxes.clear();
        rilascia(finestra->picDrop, Oggetti::DatiSlot(2));
        oggetti->InviaLogo();
        QCOMPARE(testiBox(), (QStringList{nonScritto, Msg(286)}));
        QCOMPARE(telefono->state().objects.logo,
                 BitmapLogo(finestra->PicLogoOp[2]->pixmap().toImage()));
        QCOMPARE(ImprontaFile(FileLogo()), prima);
    }

    // So the melody read: it is there, saved and sent back as the phone gave it.
    void melodiaNonScritta_data() { logoNonScritto_data(); }

    void melodiaNonScritta()
    {
        const auto togli = NonFileDellaRiga(FileMidi());
        const QString prima = ImprontaFile(FileMidi());
        QVERIFY(!prima.isEmpty());
        const QString nonScritto = Msg(900) + FileMidi() + '\n' + Msg(823);
        avvia();
        finestra->MostraVista(QStringLiteral("MEL"));
        QCOMPARE(testiBox(), QStringList{nonScritto});
        QVERIFY(Telefono.MidiLetta && oggetti->MidiPresente);
        QCOMPARE(finestra->SBar[3]->text(), Msg(289));
        QVERIFY(finestra->mnuMSalva->isEnabled() && finestra->mnuMInv->isEnabled());

        QTemporaryDir cartella;
        const QString copia = cartella.filePath(QStringLiteral("copia.mid"));
        risposte->fileDaScegliere << copia;
        oggetti->SalvaMidi();
        QCOMPARE(Contenuto(copia), Byte(300, 11));
        telefono->changeState([](s25sim::PhoneState& s) { s.objects.melody = Byte(20, 7); });
        finestra->mnuMInv->trigger();
        QCOMPARE(testiBox(), (QStringList{nonScritto, Msg(288)}));
        QCOMPARE(telefono->state().objects.melody, Byte(300, 11));
        QCOMPARE(ImprontaFile(FileMidi()), prima);
    }

    void logoFileEPreferiti()
    {
        avvia();
        finestra->MostraVista(QStringLiteral("LOGO"));
        QTemporaryDir cartella;
        QImage grande(100, 30, QImage::Format_RGB32);
        grande.fill(Qt::green);
        const QString gif = cartella.filePath(QStringLiteral("GRANDE.BMP"));
        QVERIFY(grande.save(gif, "BMP"));
        // A file of another size is shown in red; a .jpg name is ignored.
        rilascia(finestra->PicLogo, DatiFile(cartella.filePath(QStringLiteral("logo.jpg"))));
        QVERIFY(finestra->labDim->isHidden());
        rilascia(finestra->PicLogo, DatiFile(gif));
        QCOMPARE(finestra->labDim->text(), QStringLiteral("100x30"));
        QCOMPARE(finestra->labDim->palette().color(QPalette::WindowText), QColor(Qt::red));

        // Save as a bitmap, then a favourite slot: drop, then remove from its menu.
        const QString salvato = cartella.filePath(QStringLiteral("salvato.bmp"));
        risposte->fileDaScegliere << salvato;
        oggetti->SalvaLogo();
        QCOMPARE(CaricaImmagine(salvato)->size(), QSize(100, 30));
        rilascia(finestra->PicLogoOp[2], DatiFile(gif));
        QCOMPARE(finestra->PicLogoOp[2]->pixmap().size(), finestra->PicLogoOp[0]->pixmap().size());
        rilascia(finestra->PicLogoOp[5], DatiFile(gif));
        QCOMPARE(CaricaImmagine(FileProgramma(QStringLiteral("logo5.bmp")))->size(),
                 QSize(100, 30));
        QMouseEvent destro(QEvent::MouseButtonRelease, QPointF(3, 3), QPointF(3, 3),
                           Qt::RightButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(finestra->PicLogoOp[5], &destro);
        QCOMPARE(oggetti->PrefSlot, uint8_t(5));
        finestra->mnuPref->hide();
        finestra->mnuPrefDel->trigger();
        QVERIFY(finestra->PicLogoOp[5]->pixmap().isNull());
        QVERIFY(!QFile::exists(FileProgramma(QStringLiteral("logo5.bmp"))));
    }

    // A copy the user names, or a favourite's file, that cannot be written or removed is told,
    // with the file, and left as it was.
    void copiaNonScritta_data()
    {
        QTest::addColumn<QString>("nodo");
        QTest::addColumn<QString>("nome"); // in the test's folder; empty for the favourite's file
        QTest::addColumn<int>("voce");
        QTest::addColumn<bool>("rimosso");
        QTest::newRow("logo saved as") << "LOGO"
                                       << "copia.bmp" << 900 << false;
        QTest::newRow("favourite added") << "LOGO"
                                         << "" << 900 << false;
        QTest::newRow("favourite removed") << "LOGO"
                                           << "" << 961 << true;
        QTest::newRow("melody saved as") << "MEL"
                                         << "copia.mid" << 900 << false;
    }

    void copiaNonScritta()
    {
        QFETCH(QString, nodo);
        QFETCH(QString, nome);
        QFETCH(int, voce);
        QFETCH(bool, rimosso);
        const QString cartella = qEnvironmentVariable("QUORNA_TEST_ROOT");
        const QString file = nome.isEmpty() ? FileProgramma(QStringLiteral("logo5.bmp"))
                                            : QDir(cartella).filePath(nome);
        QVERIFY(QDir().mkpath(file));
        const auto togli = qScopeGuard([&file] { QDir().rmdir(file); });
        const QString prima = ImprontaFile(file);
        avvia();
        finestra->MostraVista(nodo);
        risposte->fileDaScegliere << file;
        if (!nome.isEmpty()) {
            nodo == QLatin1String("LOGO") ? oggetti->SalvaLogo() : oggetti->SalvaMidi();
        } else if (rimosso) {
            oggetti->PrefSlot = 5;
            oggetti->EliminaPreferito();
        } else {
            oggetti->ImpostaPreferito(5, FileDiProva(cartella, "logo.bmp", LogoDiProva()));
        }
        QCOMPARE(testiBox(),
                 QStringList{Msg(voce) + file + (rimosso ? QString() : '\n' + Msg(823))});
        QCOMPARE(ImprontaFile(file), prima);
    }

    void melodiaLettaInviataSuonata()
    {
        avvia();
        finestra->MostraVista(QStringLiteral("MEL"));
        QCOMPARE(telefono->commandLog(), (QStringList{"AT^SRTC=?", "AT^SRTC?", "AT^SBNR=mid,0"}));
        QCOMPARE(Contenuto(FileMidi()), Byte(300, 11));
        QVERIFY(Telefono.MidiLetta && oggetti->MidiPresente);
        QCOMPARE(finestra->sliderMelodia->maximum(), 16);
        QCOMPARE(finestra->sliderVolume->maximum(), 4);
        QCOMPARE(finestra->sliderMelodia->value(), 3);
        QCOMPARE(finestra->sliderVolume->value(), 2);
        QCOMPARE(finestra->labMel->text(), QStringLiteral("3"));
        QCOMPARE(finestra->SBar[3]->text(), Msg(289));
        QVERIFY(finestra->mnuMInv->isEnabled() && !pulsante("pInviaLogo")->isEnabled());

        // Play sets the tone and starts it; the second click stops it.
        telefono->clearCommandLog();
        finestra->pPlay->click();
        QCOMPARE(telefono->commandLog(), (QStringList{"AT^SRTC=3,2", "AT^SRTC"}));
        QVERIFY(telefono->state().ringTone.playing && !finestra->sliderMelodia->isEnabled());
        finestra->pPlay->click();
        QVERIFY(!telefono->state().ringTone.playing && finestra->sliderMelodia->isEnabled());

        // A melody of eleven blocks goes and comes back whole.
        QTemporaryDir cartella;
        const QString file = cartella.filePath(QStringLiteral("Lunga.MID"));
        QFile lunga(file);
        QVERIFY(lunga.open(QIODevice::WriteOnly));
        lunga.write(Byte(1800, 13));
        lunga.close();
        rilascia(finestra->picMidi, DatiFile(file));
        QCOMPARE(oggetti->TagMidi, file);
        QCOMPARE(finestra->picMidi->text(), QStringLiteral("Lunga.MID"));
        oggetti->InviaMidi();
        QCOMPARE(testiBox(), QStringList{Msg(288)});
        QCOMPARE(telefono->state().objects.melody, Byte(1800, 13));
        finestra->mnuMRic->trigger();
        QCOMPARE(Contenuto(FileMidi()), Byte(1800, 13));

        // Saved as the user names it; then deleted from the phone.
        const QString copia = cartella.filePath(QStringLiteral("copia.mid"));
        risposte->fileDaScegliere << copia;
        oggetti->SalvaMidi();
        QCOMPARE(Contenuto(copia), Byte(1800, 13));
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        oggetti->DelMidi();
        QVERIFY(telefono->state().objects.melody.isEmpty());
        QVERIFY(!Telefono.MidiLetta && !oggetti->MidiPresente);
        QCOMPARE(finestra->SBar[3]->text(), Msg(290));
    }

    // The phone's empty melody is no melody: the file stays, and every showing asks again.
    // The button shows what the phone does: a tone it refuses to start, or to stop, leaves the
    // button and the sliders as they were.
    void suoneriaRifiutata()
    {
        avvia();
        finestra->MostraVista(QStringLiteral("MEL"));
        telefono->failCommandsMatching(QRegularExpression(QStringLiteral("^AT\\^SRTC$")));
        finestra->pPlay->click();
        QVERIFY(!telefono->state().ringTone.playing);
        QCOMPARE(finestra->pPlay->text(), QStringLiteral("&Play"));
        QVERIFY(finestra->sliderMelodia->isEnabled() && finestra->sliderVolume->isEnabled());

        telefono->clearFailures();
        finestra->pPlay->click();
        QVERIFY(telefono->state().ringTone.playing);
        QCOMPARE(finestra->pPlay->text(), QStringLiteral("&Stop"));
        telefono->failCommandsMatching(QRegularExpression(QStringLiteral("^AT\\^SRTC$")));
        finestra->pPlay->click();
        QVERIFY(telefono->state().ringTone.playing);
        QCOMPARE(finestra->pPlay->text(), QStringLiteral("&Stop"));
        QVERIFY(!finestra->sliderMelodia->isEnabled() && !finestra->sliderVolume->isEnabled());

        // A setting the phone did not give is set only as the user chooses it, tone and volume.
        telefono->clearFailures();
        finestra->pPlay->click();
        telefono->failCommandsMatching(QRegularExpression(QStringLiteral("^AT\\^SRTC\\?$")));
        finestra->Aggiorna();
        finestra->sliderMelodia->setValue(5);
        QCOMPARE(finestra->labMel->text() + ',' + finestra->labVol->text(),
                 QStringLiteral("5,") + Msg(333));
        const auto suonaEFerma = [this] {
            telefono->clearCommandLog();
            finestra->pPlay->click();
            finestra->pPlay->click();
            return telefono->commandLog();
        };
        QCOMPARE(suonaEFerma(), (QStringList{"AT^SRTC", "AT^SRTC"}));
        finestra->sliderVolume->setValue(1);
        QCOMPARE(suonaEFerma(), (QStringList{"AT^SRTC=5,1", "AT^SRTC", "AT^SRTC"}));
        QCOMPARE(telefono->state().ringTone.tone, 5);
    }

    void melodiaVuota()
    {
        avvia(Seme(MelodiaVuota));
        finestra->MostraVista(QStringLiteral("MEL"));
        QVERIFY(!Telefono.MidiLetta && !oggetti->MidiPresente);
        QVERIFY(!QFile::exists(FileMidi()));
        QCOMPARE(finestra->picMidi->text(), Msg(290));
        QVERIFY(!pulsante("pElimina")->isEnabled());
        finestra->MostraVista(QStringLiteral("MEL"));
        QCOMPARE(telefono->commandLog().size(), 6);
    }

    void promemoriaLettiModificatiInviati()
    {
        avvia();
        finestra->MostraVista(QStringLiteral("CAL"));
        QCOMPARE(telefono->commandLog().size(), 30);
        QCOMPARE(telefono->commandLog().at(11), QStringLiteral("AT^SBNR=vcs,12"));
        QVERIFY(Telefono.PromLetti);
        QCOMPARE(righeProm(), (QStringList{"01|Riunione Ferri|11/03/2024 09.30|Single",
                                           "02|Compleanno Mamma|15/04/2024 08.00|Annualy",
                                           "12|Chiamare Gino|02/01/2024 08.00|Weekly"}));
        QCOMPARE(finestra->SBar[3]->text(), QStringLiteral("3 alarms"));
        scegliProm(2);
        QCOMPARE(finestra->Calendario->selectedDate(), QDate(2024, 1, 2));

        // The date header sorts by the alarm stamp: slot 12's alarm comes first.
        oggetti->listProm_ColumnClick(2);
        QCOMPARE(finestra->listProm->topLevelItem(0)->text(0), QStringLiteral("12"));
        oggetti->listProm_ColumnClick(2);
        QCOMPARE(finestra->listProm->topLevelItem(0)->text(0), QStringLiteral("02"));
        oggetti->listProm_ColumnClick(0);
        QCOMPARE(finestra->listProm->topLevelItem(0)->text(0), QStringLiteral("01"));

        // A new reminder goes to the first free slot, 3, and is read back.
        finestra->Calendario->setSelectedDate(QDate(2024, 5, 6));
        nelDialogo([](frmProm* d) {
            QCOMPARE(d->txtGG->text(), QStringLiteral("06"));
            QCOMPARE(d->Tag(), 3);
            d->txtH->setText(QStringLiteral("7"));
            d->txtM->setText(QStringLiteral("5"));
            d->txtS->setText(QStringLiteral("0"));
            d->txtTesto->setText(QStringLiteral("Dentista"));
            d->optCat[3]->setChecked(true);
            d->optRic[3]->setChecked(true);
            d->pOk->click();
        });
        telefono->clearCommandLog();
        oggetti->AddProm();
        QCOMPARE(telefono->commandLog().first(), QStringLiteral("AT^SBNW=vcs,3,1,1"));
        QCOMPARE(telefono->commandLog().last(), QStringLiteral("AT^SBNR=vcs,3"));
        QVERIFY(promNelTelefono(3).contains("DTSTART:20240506T070500\r\nRRULE:Y1\r\n"
                                            "DESCRIPTION:Dentista\r\n"));
        QCOMPARE(Telefono.Promemoria[3].RipetizioneTesto.trimmed(), QStringLiteral("Annualy"));
        QVERIFY(finestra->isEnabled() && risposte->boxes.isEmpty());
        QCOMPARE(finestra->listProm->topLevelItemCount(), 4);

        // Edit slot 12: the weekly "W1" opens as the weekly option, and stays "W1" when only the
        // text changes.
        scegliProm(3);
        nelDialogo([](frmProm* d) {
            QCOMPARE(d->txtTesto->text(), QStringLiteral("Chiamare Gino"));
            QVERIFY(d->optCat[2]->isChecked() && d->optRic[2]->isChecked());
            d->txtTesto->setText(QStringLiteral("Richiamare Gino"));
            d->pOk->click();
        });
        oggetti->EditProm();
        QVERIFY(promNelTelefono(12).contains("RRULE:W1\r\nDESCRIPTION:Richiamare Gino\r\n"));

        // Invalid input keeps the dialog open and sends nothing.
        telefono->clearCommandLog();
        nelDialogo([this](frmProm* d) {
            d->txtAA->setText(QStringLiteral("1998"));
            d->pOk->click();
            QVERIFY(d->isVisible());
            QCOMPARE(risposte->boxes.size(), 1);
        });
        oggetti->EditProm();
        QVERIFY(telefono->commandLog().filter(QStringLiteral("SBNW")).isEmpty());
        risposte->boxes.clear();

        // Delete slot 2 after asking.
        scegliProm(1);
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        oggetti->DelProm();
        QVERIFY(promNelTelefono(2).isEmpty());
        QCOMPARE(testiBox().last(), QStringLiteral("Promemoria eliminato."));
        QCOMPARE(finestra->listProm->topLevelItemCount(), 3);

        // Sending the list makes the phone hold exactly the table.
        telefono->changeState([](s25sim::PhoneState& s) {
            s.objects.reminders[20]
                = "BEGIN:VCALENDAR\r\nDESCRIPTION:estraneo\r\nEND:VCALENDAR\r\n";
        });
        oggetti->InviaProm();
        QVERIFY(promNelTelefono(20).isEmpty());
        QVERIFY(promNelTelefono(1).contains("DESCRIPTION:Riunione Ferri\r\n"));
        QVERIFY(promNelTelefono(12).contains("DESCRIPTION:Richiamare Gino\r\n"));
        QCOMPARE(telefono->state().objects.reminders.size(), size_t(3));
    }

    // A write the phone refuses: entry 14, and the slot keeps what it had.
    void promemoriaRifiutato()
    {
        avvia();
        finestra->MostraVista(QStringLiteral("CAL"));
        telefono->failCommandsMatching(QRegularExpression(QStringLiteral("^AT\\^SBNW=vcs,1,")));
        scegliProm(0);
        nelDialogo([](frmProm* d) {
            d->txtTesto->setText(QStringLiteral("cambiato"));
            d->pOk->click();
        });
        oggetti->EditProm();
        QCOMPARE(testiBox(), QStringList{Msg(14)});
        QCOMPARE(Telefono.Promemoria[1].Descrizione.trimmed(), QStringLiteral("Riunione Ferri"));
        risposte->boxes.clear();
        oggetti->InviaProm();
        QCOMPARE(testiBox(), QStringList{Msg(324)});
    }

    // Saved to a file and loaded back offline, renumbered from slot 1. While the phone refused
    // positions, the file would lack what they hold: the user is asked first, naming them, and
    // No leaves the file as it was.
    void promemoriaSuFile()
    {
        avvia();
        telefono->failCommandsMatching(
            QRegularExpression(QStringLiteral("^AT\\^SBNR=vcs,(7|12)$")));
        finestra->MostraVista(QStringLiteral("CAL"));
        telefono->clearFailures();
        QTemporaryDir cartella;
        const QString file = cartella.filePath(QStringLiteral("prom.cal"));
        QVERIFY(ScriviFileIntero(file, "vecchio"));
        risposte->boxes.clear();
        risposte->fileDaScegliere << file << file;
        risposte->pulsantiDaPremere << QMessageBox::No << QMessageBox::Yes;
        oggetti->SalvaProm();
        QCOMPARE(Contenuto(file), QByteArray("vecchio"));
        oggetti->SalvaProm();
        QCOMPARE(testiBox(),
                 QStringList(2, Msg(990) + "\r\n" + Msg(875) + " 7, 12\r\n" + Msg(991)));
        QCOMPARE(QFileInfo(file).size(), 2 * 108);
        finestra->Aggiorna();
        risposte->boxes.clear();
        risposte->fileDaScegliere << file;
        oggetti->SalvaProm();
        QVERIFY(risposte->boxes.isEmpty());
        QCOMPARE(QFileInfo(file).size(), 3 * 108);
        collegamento->ChiudiPorta();
        QTRY_VERIFY(!Connesso);
        Telefono = DatiTelefono{};
        risposte->fileDaScegliere << file;
        oggetti->ApriProm();
        QCOMPARE(finestra->listProm->topLevelItem(2)->text(0), QStringLiteral("03"));
        QVERIFY(!pulsante("pInviaProm")->isEnabled());
        risposte->fileDaScegliere << cartella.filePath(QStringLiteral("assente.cal"));
        oggetti->ApriProm();
        QCOMPARE(testiBox().last(), Msg(317) + cartella.filePath(QStringLiteral("assente.cal")));
        QCOMPARE(finestra->listProm->topLevelItemCount(), 3);
        // A file refused is named once, with why.
        const QString nonFile = cartella.filePath(QStringLiteral("cartella.cal"));
        QVERIFY(QDir().mkdir(nonFile));
        risposte->fileDaScegliere << nonFile;
        oggetti->ApriProm();
        QCOMPARE(testiBox().last(), Msg(317) + nonFile + '\n' + Msg(823));
    }

    // A hang-up in the middle of a block reply keeps the previous data and read flags.
    void riagganciaDuranteIlTrasferimento()
    {
        avvia();
        finestra->MostraVista(QStringLiteral("CAL"));
        QVERIFY(ScriviFileIntero(FileLogo(), "vecchio"));
        telefono->clearCommandLog();
        Telefono.PromLetti = false;
        telefono->changeState([](s25sim::PhoneState& s) { s.objects.reminders.erase(1); });
        telefono->hangUpDuringNextReply(200);
        finestra->MostraVista(QStringLiteral("LOGO"));
        QTRY_VERIFY_WITH_TIMEOUT(!Connesso, Pazienza);
        QVERIFY(!Telefono.LogoLetto && !oggetti->LogoPresente);
        QCOMPARE(Contenuto(FileLogo()), QByteArray("vecchio"));
        finestra->MostraVista(QStringLiteral("CAL"));
        QVERIFY(!Telefono.PromLetti);
        QCOMPARE(Telefono.Promemoria[1].Descrizione.trimmed(), QStringLiteral("Riunione Ferri"));
        QCOMPARE(telefono->commandLog().size(), 1);
    }

    // A hang-up while a melody's blocks go: the send fails and the melody file stays.
    void riagganciaDuranteLInvio()
    {
        avvia();
        finestra->MostraVista(QStringLiteral("MEL"));
        QTemporaryDir cartella;
        const QString file = cartella.filePath(QStringLiteral("nuova.mid"));
        QVERIFY(ScriviFileIntero(file, Byte(900, 5)));
        oggetti->TagMidi = file;
        telefono->hangUpDuringNextReply(1);
        oggetti->InviaMidi();
        // The link reports the lost line in its own box first.
        QCOMPARE(testiBox().last(), Msg(291));
        QVERIFY(!Telefono.MidiLetta);
        QCOMPARE(Contenuto(FileMidi()), Byte(300, 11));
        QVERIFY(finestra->isEnabled() && !oggetti->pBarMidi->isVisible());
    }

    void riagganciaDuranteIPromemoria()
    {
        avvia();
        finestra->MostraVista(QStringLiteral("CAL"));
        Telefono.PromLetti = false;
        telefono->changeState([](s25sim::PhoneState& s) { s.objects.reminders.erase(12); });
        telefono->hangUpDuringNextReply(40);
        finestra->MostraVista(QStringLiteral("CAL"));
        QTRY_VERIFY_WITH_TIMEOUT(!Connesso, Pazienza);
        QVERIFY(!Telefono.PromLetti);
        QCOMPARE(Telefono.Promemoria[12].Descrizione.trimmed(), QStringLiteral("Chiamare Gino"));
        QCOMPARE(Telefono.Promemoria[2].Descrizione.trimmed(), QStringLiteral("Compleanno Mamma"));
    }
};

QTEST_MAIN(TstOggettiE2E)
#include "tst_oggetti_e2e.moc"
