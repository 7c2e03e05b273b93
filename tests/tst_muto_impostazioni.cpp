// The phone settings when the phone stops answering: the clock read and set, the locks read and
// switched, a password changed, call forwarding read, switched off, registered and erased, the
// network search.

#include "dialoghi.h"
#include "frmblocco.h"
#include "frmcambiocodice.h"
#include "frmtrasf.h"
#include "muto.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

class TstMutoImpostazioni : public QObject, private BancoMuto {
    Q_OBJECT

    void bloccoConCodice(std::function<void(frmBlocco*)> azioni)
    {
        NelDialogo(finestra, Aperta<frmBlocco>, azioni);
        impostazioni->CambiaBlocco();
    }

    void rileggi(const char* nodo, const bool& letto)
    {
        Telefono.OraLetta = Telefono.BlocchiLetti = Telefono.TrasfLetti = false;
        clic(nodo);
        QVERIFY(letto);
    }

    void vistaLetta(const char* nodo)
    {
        ripristinaTelefono();
        Telefono.BlocchiLetti = Telefono.TrasfLetti = false;
        clic(nodo);
    }

    QMap<QString, Operazione> operazioni()
    {
        QMap<QString, Operazione> tutte;
        // The first showing after connecting: nothing of this phone's clock is known yet.
        Operazione ora(
            [this] {
                clic("ORA");
                Telefono.OraLetta = false;
            },
            [this] { clic("ORA"); }, [this] { rileggi("ORA", Telefono.OraLetta); });
        ora.vista = [this](int) { QVERIFY(!finestra->frameOra->isEnabled()); };
        tutte["clock read"] = ora;

        // Set, then read back, then the view read again.
        Operazione oraImpostata(
            [this] {
                clic("ORA");
                finestra->txtGG->setText("10");
                finestra->txtMM->setText("03");
                finestra->txtAA->setText("24");
                finestra->txtH->setText("09");
                finestra->txtM->setText("30");
                finestra->pImpostaOra->setEnabled(true);
            },
            [this] { impostazioni->pImpostaOra_Click(); },
            [this] { rileggi("ORA", Telefono.OraLetta); });
        oraImpostata.messaggi
            = [](int k, int) { return QStringList{k == 1 ? Msg(80) : Msg(VoceSenzaRisposta)}; };
        tutte["clock set"] = oraImpostata;

        Operazione blocchi(
            [this] {
                vistaLetta("BLOCK");
                Telefono.BlocchiLetti = false;
            },
            [this] { clic("BLOCK"); }, [this] { rileggi("BLOCK", Telefono.BlocchiLetti); });
        tutte["locks read again"] = blocchi;
        // As after connecting: nothing of this phone's locks is known yet.
        Operazione primiBlocchi = blocchi;
        primiBlocchi.prepara = [this] {
            vistaLetta("BLOCK");
            Telefono.BlocchiLetti = false;
            Telefono.Blocchi = {};
        };
        primiBlocchi.vista = [this](int) { QCOMPARE(righe(), QStringList{Msg(82)}); };
        tutte["locks read the first time"] = primiBlocchi;

        Operazione tastiera(
            [this] {
                vistaLetta("BLOCK");
                scegliRiga(0);
            },
            [this] { impostazioni->CambiaBlocco(); },
            [this] { rileggi("BLOCK", Telefono.BlocchiLetti); });
        tastiera.messaggi = [](int, int) { return QStringList{Msg(332)}; };
        tutte["keypad lock switched"] = tastiera;

        Operazione pin(
            [this] {
                vistaLetta("BLOCK");
                scegliRiga(2);
            },
            [this] {
                bloccoConCodice([](frmBlocco* dialogo) {
                    dialogo->txtCodice->setText("1234");
                    dialogo->pOk->click();
                });
            },
            [this] { rileggi("BLOCK", Telefono.BlocchiLetti); });
        pin.messaggi = [](int, int) { return QStringList{Msg(26) + NomiBlocchi[2]}; };
        tutte["SIM lock switched"] = pin;

        Operazione codice(
            [this] {
                vistaLetta("BLOCK");
                scegliRiga(2);
            },
            [this] {
                bloccoConCodice([this](frmBlocco* blocco) {
                    NelDialogo(finestra, DialogoInPrimoPiano<frmCambioCodice>,
                               [](frmCambioCodice* cambio) {
                                   cambio->txtCod[0]->setText("1234");
                                   cambio->txtCod[1]->setText("4321");
                                   cambio->txtCod[2]->setText("4321");
                                   cambio->pOk->click();
                               });
                    blocco->pCambia->click();
                });
            },
            [this] { rileggi("BLOCK", Telefono.BlocchiLetti); });
        codice.messaggi = [](int, int) { return QStringList{Msg(31)}; };
        tutte["password changed"] = codice;

        Operazione trasferimenti(
            [this] {
                vistaLetta("TRASF1");
                Telefono.TrasfLetti = false;
            },
            [this] { clic("TRASF1"); }, [this] { rileggi("TRASF1", Telefono.TrasfLetti); });
        tutte["forwarding read again"] = trasferimenti;
        Operazione primiTrasferimenti = trasferimenti;
        primiTrasferimenti.prepara = [this] {
            vistaLetta("TRASF1");
            Telefono.TrasfLetti = false;
            Telefono.Trasferimenti = {};
        };
        primiTrasferimenti.vista = [this](int) { QCOMPARE(righe(), QStringList{Msg(82)}); };
        tutte["forwarding read the first time"] = primiTrasferimenti;

        Operazione spento(
            [this] {
                vistaLetta("TRASF1");
                scegliRiga(0);
            },
            [this] { impostazioni->EditTrasf(true); },
            [this] { rileggi("TRASF1", Telefono.TrasfLetti); });
        spento.messaggi = [](int, int) { return QStringList{Msg(464)}; };
        tutte["forwarding switched off"] = spento;

        Operazione registrato(
            [this] {
                vistaLetta("TRASF1");
                scegliRiga(2);
            },
            [this] {
                NelDialogo(finestra, DialogoDelProgramma<frmTrasf>, [](frmTrasf* dialogo) {
                    dialogo->txtNum->setText("+393491234000");
                    dialogo->chkAttivo->setChecked(true);
                    dialogo->pOk->click();
                });
                impostazioni->EditTrasf(false);
            },
            [this] { rileggi("TRASF1", Telefono.TrasfLetti); });
        registrato.messaggi = [](int, int) { return QStringList{Msg(464)}; };
        tutte["forwarding registered"] = registrato;

        Operazione cancellato(
            [this] {
                vistaLetta("TRASF1");
                scegliRiga(0);
            },
            [this] { impostazioni->DelTrasf(); },
            [this] { rileggi("TRASF1", Telefono.TrasfLetti); });
        cancellato.messaggi = [](int, int) { return QStringList{Msg(464)}; };
        tutte["forwarding erased"] = cancellato;

        // The operator names, then the networks in range.
        Operazione reti(
            [this] {
                clic("RETE");
                Telefono.OperatoriLetti = false;
            },
            [this] { impostazioni->ShowSelRete(1); },
            [this] {
                Telefono.OperatoriLetti = false;
                impostazioni->ShowSelRete(1);
                QVERIFY(Telefono.OperatoriLetti);
                QCOMPARE(finestra->listaRetiDisp->count(), 4);
            });
        reti.impronta = SenzaFlag<&DatiTelefono::OperatoriLetti>;
        reti.vista = [this](int k) {
            if (k == 1)
                QVERIFY(!Telefono.OperatoriLetti);
            QCOMPARE(finestra->listaRetiDisp->count(), 1);
            QCOMPARE(finestra->listaRetiDisp->item(0)->text(), Msg(82));
        };
        tutte["networks searched"] = reti;
        return tutte;
    }

private slots:
    void initTestCase() { preparaProgramma(); }

    void init() { apriTutto(); }
    void cleanup() { chiudi(); }

    void conTelefonoMuto_data() { righeDiGuasto(operazioni().keys()); }

    void conTelefonoMuto() { provaGuastoDellaRiga(operazioni()); }
};

QTEST_MAIN(TstMutoImpostazioni)
#include "tst_muto_impostazioni.moc"
