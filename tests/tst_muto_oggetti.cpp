// The logo, the melody and the reminders when the phone stops answering: each read, send and
// delete, the ring tone, a reminder written from its dialog and the whole list sent; and the
// whole list sent when the phone refuses one of its commands.

#include "dialoghi.h"
#include "frmprom.h"
#include "immaginelogo.h"
#include "muto.h"
#include "promemoria.h"
#include "trasferimento.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

class TstMutoOggetti : public QObject, private BancoMuto {
    Q_OBJECT

    // The view read afresh from the phone as it was at the start.
    void vistaLetta(const char* nodo)
    {
        ripristinaTelefono();
        Telefono.LogoLetto = Telefono.MidiLetta = Telefono.PromLetti = false;
        clic(nodo);
    }

    // Read again: the pane is enabled, whatever the phone holds now.
    void rileggi(const char* nodo, const QWidget* pannello)
    {
        Telefono.LogoLetto = Telefono.MidiLetta = Telefono.PromLetti = false;
        clic(nodo);
        QVERIFY(pannello->isEnabled());
    }

    void rileggiProm()
    {
        Telefono.PromLetti = false;
        clic("CAL");
        QVERIFY(Telefono.PromLetti);
    }

    void scegliProm(int riga)
    {
        finestra->listProm->setCurrentItem(finestra->listProm->topLevelItem(riga));
        oggetti->listProm_Click();
    }

    // The pane keeps what it showed: never the phone's "no logo" or "no melody" for a read that
    // did not happen.
    void logoNonNegato()
    {
        QVERIFY(oggetti->LogoPresente);
        QVERIFY(finestra->SBar[3]->text() != Msg(220));
    }

    void melodiaNonNegata()
    {
        QVERIFY(oggetti->MidiPresente);
        QVERIFY(finestra->SBar[3]->text() != Msg(290));
    }

    QMap<QString, Operazione> operazioni()
    {
        QMap<QString, Operazione> tutte;
        Operazione logo(
            [this] {
                vistaLetta("LOGO");
                Telefono.LogoLetto = false;
            },
            [this] { clic("LOGO"); }, [this] { rileggi("LOGO", finestra->frameLogo); });
        logo.vista = [this](int) { logoNonNegato(); };
        tutte["logo read"] = logo;
        // The pane the silence left disabled offers Refresh, which reads it again.
        Operazione logoAggiornato = logo;
        logoAggiornato.rileggi = [this] {
            aggiorna();
            QVERIFY(finestra->frameLogo->isEnabled());
        };
        tutte["logo read, refreshed"] = logoAggiornato;

        // The editor's picture is written to the logo file before it goes.
        Operazione logoInviato(
            [this] {
                vistaLetta("LOGO");
                QVERIFY(oggetti->ImmagineEditor());
                QVERIFY(ScriviFileIntero(FileLogo(), BitmapLogo(*oggetti->ImmagineEditor())));
            },
            [this] { oggetti->InviaLogo(); }, [this] { rileggi("LOGO", finestra->frameLogo); });
        logoInviato.messaggi = [](int, int) { return QStringList{Msg(287)}; };
        logoInviato.impronta = SenzaFlag<&DatiTelefono::LogoLetto>;
        tutte["logo sent"] = logoInviato;

        // The editor's picture goes though the logo file cannot take it: the user is told which
        // file, then of the send.
        Operazione logoInviatoSenzaFile = logoInviato;
        logoInviatoSenzaFile.prepara = [this] {
            vistaLetta("LOGO");
            QFile::remove(FileLogo());
            QVERIFY(QDir().mkpath(FileLogo()));
        };
        logoInviatoSenzaFile.messaggi = [](int, int) {
            return QStringList{Msg(900) + FileLogo() + '\n' + Msg(823), Msg(287)};
        };
        logoInviatoSenzaFile.rileggi = [this] {
            QVERIFY(QDir().rmdir(FileLogo()));
            rileggi("LOGO", finestra->frameLogo);
        };
        tutte["logo sent, its file not written"] = logoInviatoSenzaFile;

        // Deleted, then read again.
        Operazione logoCancellato([this] { vistaLetta("LOGO"); },
                                  [this] {
                                      risposte->pulsantiDaPremere << QMessageBox::Yes;
                                      oggetti->DelLogo();
                                  },
                                  [this] { rileggi("LOGO", finestra->frameLogo); });
        logoCancellato.impronta = SenzaFlag<&DatiTelefono::LogoLetto>;
        tutte["logo deleted"] = logoCancellato;

        // The ring-tone ranges and setting, then the melody.
        Operazione melodia(
            [this] {
                vistaLetta("MEL");
                Telefono.MidiLetta = false;
            },
            [this] { clic("MEL"); }, [this] { rileggi("MEL", finestra->frameMidi); });
        melodia.vista = [this](int) {
            melodiaNonNegata();
            QCOMPARE(finestra->sliderMelodia->value(), 3);
        };
        tutte["melody read"] = melodia;

        Operazione melodiaInviata([this] { vistaLetta("MEL"); }, [this] { oggetti->InviaMidi(); },
                                  [this] { rileggi("MEL", finestra->frameMidi); });
        melodiaInviata.messaggi = [](int, int) { return QStringList{Msg(291)}; };
        melodiaInviata.impronta = SenzaFlag<&DatiTelefono::MidiLetta>;
        tutte["melody sent"] = melodiaInviata;

        Operazione melodiaCancellata([this] { vistaLetta("MEL"); },
                                     [this] {
                                         risposte->pulsantiDaPremere << QMessageBox::Yes;
                                         oggetti->DelMidi();
                                     },
                                     [this] { rileggi("MEL", finestra->frameMidi); });
        melodiaCancellata.impronta = SenzaFlag<&DatiTelefono::MidiLetta>;
        tutte["melody deleted"] = melodiaCancellata;

        // The button goes on showing what the phone was last seen to do.
        const auto suoneria = [this](bool suona) {
            QCOMPARE(oggetti->Suonando, suona);
            QCOMPARE(finestra->pPlay->text(),
                     suona ? QStringLiteral("&Stop") : QStringLiteral("&Play"));
            QCOMPARE(finestra->sliderMelodia->isEnabled(), !suona);
        };
        Operazione suonata(
            [this] {
                // Each run starts with no tone ringing, so that the button plays one.
                oggetti->Suonando = false;
                vistaLetta("MEL");
            },
            [this] { oggetti->pPlay_Click(); }, [this] { rileggi("MEL", finestra->frameMidi); });
        suonata.vista = [suoneria](int) { suoneria(false); };
        tutte["ring tone played"] = suonata;
        Operazione fermata(
            [this] {
                oggetti->Suonando = false;
                vistaLetta("MEL");
                oggetti->pPlay_Click();
                QVERIFY(oggetti->Suonando);
            },
            [this] { oggetti->pPlay_Click(); }, [this] { rileggi("MEL", finestra->frameMidi); });
        fermata.vista = [suoneria](int) { suoneria(true); };
        tutte["ring tone stopped"] = fermata;

        Operazione promemoria(
            [this] {
                vistaLetta("CAL");
                Telefono.PromLetti = false;
            },
            [this] { clic("CAL"); }, [this] { rileggiProm(); });
        promemoria.vista = [this](int) {
            const ListaReport* lista = finestra->listProm;
            const bool nonDisponibile
                = lista->topLevelItemCount() == 1 && lista->topLevelItem(0)->text(1) == Msg(82);
            QVERIFY(nonDisponibile || lista->topLevelItemCount() == 2);
        };
        tutte["reminders read again"] = promemoria;
        // As after connecting, with nothing loaded: nothing of this phone's reminders is known.
        Operazione primiPromemoria = promemoria;
        primiPromemoria.prepara = [this] {
            vistaLetta("CAL");
            Telefono.PromLetti = false;
            Telefono.Promemoria = {};
        };
        primiPromemoria.vista = [this](int) {
            QCOMPARE(finestra->listProm->topLevelItemCount(), 1);
            QCOMPARE(finestra->listProm->topLevelItem(0)->text(1), Msg(82));
        };
        tutte["reminders read the first time"] = primiPromemoria;

        // The block, then the reminder read back.
        Operazione scritto(
            [this] {
                vistaLetta("CAL");
                scegliProm(0);
            },
            [this] {
                NelDialogo(finestra, DialogoDelProgramma<frmProm>, [](frmProm* dialogo) {
                    dialogo->txtTesto->setText(QStringLiteral("Riunione Rossi"));
                    dialogo->pOk->click();
                });
                oggetti->EditProm();
            },
            [this] { rileggiProm(); });
        scritto.messaggi = [](int, int) { return QStringList{Msg(14)}; };
        tutte["reminder written"] = scritto;

        tutte["reminder deleted"] = {[this] {
                                         vistaLetta("CAL");
                                         scegliProm(1);
                                     },
                                     [this] {
                                         risposte->pulsantiDaPremere << QMessageBox::Yes;
                                         oggetti->DelProm();
                                     },
                                     [this] { rileggiProm(); }};

        // A used slot is written and read back, a free one deleted; any of them that does not go
        // is the list's failure.
        Operazione lista([this] { vistaLetta("CAL"); }, [this] { oggetti->InviaProm(); },
                         [this] { rileggiProm(); });
        lista.messaggi = [](int, int) { return QStringList{Msg(324)}; };
        tutte["reminders sent"] = lista;
        return tutte;
    }

private slots:
    void initTestCase() { preparaProgramma(); }

    void init()
    {
        if (!QFile::remove(FileLogo()))
            QDir().rmdir(FileLogo());
        QFile::remove(FileMidi());
        apriTutto();
    }

    void cleanup() { chiudi(); }

    void conTelefonoMuto_data() { righeDiGuasto(operazioni().keys()); }

    void conTelefonoMuto() { provaGuastoDellaRiga(operazioni()); }

    // Whichever command of the list the phone refuses, the user is told.
    void conTelefonoCheRifiuta_data()
    {
        righeDiGuasto({QStringLiteral("reminders sent")}, RifiutiDelTelefono);
    }

    void conTelefonoCheRifiuta() { provaGuastoDellaRiga(operazioni()); }
};

QTEST_MAIN(TstMutoOggetti)
#include "tst_muto_oggetti.moc"
