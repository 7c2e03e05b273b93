// The phone settings end to end: the main window with the real link and phone settings against
// the simulated phone on a pseudo-terminal, with shortened intervals.

#include "banco.h"
#include "catalogo.h"
#include "collegamento.h"
#include "dialoghi.h"
#include "frmblocco.h"
#include "frmcambiocodice.h"
#include "frmmain.h"
#include "frmtrasf.h"
#include "globali.h"
#include "impostazioni_telefono.h"
#include "listareport.h"
#include "s25simulator.h"
#include "seedfile.h"
#include "statobase.h"
#include "trasferimenti.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

namespace {

const QByteArray Seme = R"(
[network]
operator = 22201
[operators]
22201 | TIM
22210 | Vodafone IT
22288 | WIND
[networks]
2 | 22201 | TIM
0 | 22299 | Sconosciuta
1 | 22210 | Vodafone IT
3 | 22288 | WIND
[clock]
time = 2024-03-09 08:05:33
running = no
[locks]
CS | 0
SC | 1
AO | 5
AI | 2
[passwords]
SC | 1234 | 8
P2 | 5678 | 8
PS | 0000 | 8
AB | 0000 | 4
[forwarding]
0 | 1 | 1 | 0611111 |
0 | 4 | 0 | 0622222 |
0 | 2 | 1 | 0633333 |
1 | 1 | 1 | +393491234000 |
2 | 1 | 1 | +393491234000 | 20
)";

const QStringList LetturaBlocchi{"AT+CLCK=CS,2", "AT+CLCK=PS,2", "AT+CLCK=SC,2",
                                 "AT+CLCK=FD,2", "AT+CLCK=AO,2", "AT+CLCK=OI,2",
                                 "AT+CLCK=OX,2", "AT+CLCK=AI,2", "AT+CLCK=IR,2"};
const QStringList LetturaTrasf{"AT+CCFC=0,2", "AT+CCFC=1,2", "AT+CCFC=2,2", "AT+CCFC=3,2"};

enum Posizione { PosEditTrasf = 38, PosDelTrasf = 39, PosBlocca = 41, PosSelRete = 43 };

} // namespace

class TstImpostazioniE2E : public QObject, private Banco {
    Q_OBJECT

    void premi(int posizione)
    {
        finestra->Toolbar1_ButtonClick(finestra->Toolbar1[static_cast<size_t>(posizione)]);
    }

    template <class Azioni>
    void nelTrasf(Azioni azioni)
    {
        NelDialogo(finestra, DialogoDelProgramma<frmTrasf>, azioni);
    }

    template <class Azioni>
    void nelBlocco(Azioni azioni)
    {
        NelDialogo(finestra, Aperta<frmBlocco>, azioni);
    }

    QStringList campiOra() const
    {
        return {finestra->txtGG->text(), finestra->txtMM->text(), finestra->txtAA->text(),
                finestra->txtH->text(), finestra->txtM->text()};
    }

    // The message boxes with their titles, which tell the settings apart.
    QStringList testiBox() const
    {
        QStringList testi;
        for (const RisposteFinte::Box& box : risposte->boxes)
            testi << box.titolo + QStringLiteral(": ") + box.testo;
        return testi;
    }

    s25sim::ForwardingSetting inoltro(int motivo, int classe) const
    {
        return telefono->state().forwarding.reasons.at(static_cast<size_t>(motivo)).at(classe);
    }

    int blocco(const char* facilita) const
    {
        return telefono->state().locks.activeClasses.at(facilita);
    }

public:
    TstImpostazioniE2E() : Banco(Seme) {}

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }

    void init()
    {
        StatoDiPartenza();
        apriCon<ImpostazioniTelefono>(&frmMain::impostazioni);
    }

    void cleanup() { chiudi(); }

    void orologioLettoEImpostato()
    {
        avvia();
        clic("ORA");
        QCOMPARE(telefono->commandLog(), QStringList{"AT+CCLK?"});
        QCOMPARE(finestra->CurrentView, uint8_t(9));
        QVERIFY(finestra->frameOra->isVisible() && finestra->frameOra->isEnabled());
        QCOMPARE(campiOra(), (QStringList{"09", "03", "24", "08", "05"}));
        QVERIFY(!finestra->pImpostaOra->isEnabled());

        // An edit enables the set; the set sends second 00 and shows the clock read back.
        finestra->txtGG->setText("31");
        finestra->txtMM->setText("12");
        finestra->txtH->setText("23");
        finestra->txtM->setText("59");
        QVERIFY(finestra->pImpostaOra->isEnabled());
        telefono->clearCommandLog();
        finestra->pImpostaOra->click();
        QCOMPARE(telefono->commandLog(),
                 (QStringList{"AT+CCLK=\"24/12/31,23:59:00\"", "AT+CCLK?", "AT+CCLK?"}));
        QCOMPARE(campiOra(), (QStringList{"31", "12", "24", "23", "59"}));
        QVERIFY(risposte->boxes.isEmpty());

        // A date the phone refuses: entry 80, and the view shows the phone's clock again.
        finestra->txtGG->setText("30");
        finestra->txtMM->setText("2");
        finestra->pImpostaOra->click();
        QCOMPARE(testiBox(), QStringList{"Error: " + Msg(80)});
        QCOMPARE(risposte->boxes.last().icona, QMessageBox::Critical);
        QCOMPARE(campiOra(), (QStringList{"31", "12", "24", "23", "59"}));

        // A field out of range or empty never reaches the phone.
        for (const char* minuto : {"", "60", "5a"}) {
            risposte->boxes.clear();
            telefono->clearCommandLog();
            finestra->txtM->setText(minuto);
            finestra->pImpostaOra->click();
            QCOMPARE(testiBox(), QStringList{"Error: " + Msg(81)});
            QVERIFY(telefono->commandLog().isEmpty());
        }

        // With a command outstanding the buttons do nothing.
        risposte->boxes.clear();
        LineaLibera = false;
        finestra->pImpostaOra->click();
        finestra->pSincrOra->click();
        LineaLibera = true;
        QVERIFY(telefono->commandLog().isEmpty());
        QVERIFY(risposte->boxes.isEmpty());
    }

    // A phone that gives its clock without quotes, and one that adds its time zone: the view
    // shows the clock, and a set reads it back.
    void orologioSenzaVirgolette()
    {
        avvia();
        rispondiCon([](const QString& comando) -> QByteArray {
            return comando == "AT+CCLK?" ? "+CCLK: 05/01/01,12:00:00-08" : "";
        });
        clic("ORA");
        QCOMPARE(campiOra(), (QStringList{"01", "01", "05", "12", "00"}));
        QVERIFY(finestra->frameOra->isEnabled());
        finestra->txtM->setText("30");
        finestra->pImpostaOra->click();
        QVERIFY(risposte->boxes.isEmpty());
        QCOMPARE(campiOra(), (QStringList{"01", "01", "05", "12", "00"}));
    }

    void orologioSincronizzato()
    {
        avvia();
        clic("ORA");
        // The PC fields as the status timer writes them; the click reads them at once.
        const QStringList pc{"01", "02", "25", "10", "20"};
        QLineEdit* campi[] = {finestra->txtGGpc, finestra->txtMMpc, finestra->txtAApc,
                              finestra->txtHpc, finestra->txtMpc};
        for (int i = 0; i < 5; ++i)
            campi[i]->setText(pc[i]);
        telefono->clearCommandLog();
        finestra->pSincrOra->click();
        QCOMPARE(telefono->commandLog(),
                 (QStringList{"AT+CCLK=\"25/02/01,10:20:00\"", "AT+CCLK?"}));
        QCOMPARE(telefono->state().clock.now().toString("yy/MM/dd hh:mm"),
                 QStringLiteral("25/02/01 10:20"));
        QCOMPARE(Telefono.DataTel, QStringLiteral("01/02/25"));
        // The pane is not redrawn until the view is shown again.
        QCOMPARE(campiOra(), (QStringList{"09", "03", "24", "08", "05"}));
        clic("ORA");
        QCOMPARE(campiOra(), (QStringList{"01", "02", "25", "10", "20"}));
        QVERIFY(risposte->boxes.isEmpty());
    }

    void blocchiMostratiETastiera()
    {
        avvia();
        clic("BLOCK");
        QCOMPARE(telefono->commandLog(), LetturaBlocchi);
        QVERIFY(Telefono.BlocchiLetti);
        const QString voce = ClassiBlocchi[0], fax = ClassiBlocchi[1];
        const QStringList attese{NomiBlocchi[0] + "|No|", NomiBlocchi[1] + "|No|",
                                 NomiBlocchi[2] + "|Yes|", NomiBlocchi[3] + "|No|",
                                 NomiBlocchi[4] + "|Yes|" + voce + fax, NomiBlocchi[5] + "|No|",
                                 NomiBlocchi[6] + "|No|",
                                 // Data barred but not voice: the row shows no barring.
                                 NomiBlocchi[7] + "|No|", NomiBlocchi[8] + "|No|"};
        QCOMPARE(righe(), attese);
        QCOMPARE(Telefono.Blocchi[7][2], uint8_t(1));

        // The keypad lock switches at once, with no dialog.
        scegliRiga(0);
        QAction* pBlocca = finestra->Toolbar1[PosBlocca];
        QVERIFY(pBlocca->isEnabled() && !pBlocca->isChecked());
        telefono->clearCommandLog();
        premi(PosBlocca);
        QCOMPARE(telefono->commandLog(), QStringList{"AT+CLCK=\"CS\", 1"});
        QCOMPARE(blocco("CS"), 1);
        QCOMPARE(righe().first(), NomiBlocchi[0] + "|Yes|");
        QVERIFY(pBlocca->isChecked());
        QVERIFY(risposte->boxes.isEmpty());

        telefono->failNextCommand();
        premi(PosBlocca);
        QCOMPARE(testiBox(), QStringList{"Error: " + Msg(332)});
        QCOMPARE(blocco("CS"), 1);
        QCOMPARE(righe().first(), NomiBlocchi[0] + "|Yes|");
    }

    void bloccoConCodice()
    {
        avvia();
        clic("BLOCK");
        scegliRiga(2); // the SIM PIN, on
        telefono->clearCommandLog();
        bool visto = false;
        nelBlocco([&](frmBlocco* dialogo) {
            QVERIFY(!finestra->isEnabled());
            QCOMPARE(dialogo->windowTitle(), Msg(331) + NomiBlocchi[2]);
            QVERIFY(!dialogo->chkClass[0]->isVisible());
            QCOMPARE(dialogo->txtCodice->maxLength(), 8);
            QCOMPARE(dialogo->txtCodice->echoMode(), QLineEdit::Password);
            dialogo->chkMask->setChecked(false);
            QCOMPARE(dialogo->txtCodice->echoMode(), QLineEdit::Normal);

            dialogo->txtCodice->setText("12,1");
            dialogo->pOk->click();
            QCOMPARE(testiBox(), QStringList{Msg(29) + ": " + Msg(28)});
            QVERIFY(telefono->commandLog().isEmpty());

            dialogo->txtCodice->setText("9999");
            dialogo->pOk->click();
            QCOMPARE(testiBox().last(), "Error: " + Msg(26) + NomiBlocchi[2]);
            QVERIFY(dialogo->isVisible());
            QVERIFY(dialogo->pOk->isEnabled());

            dialogo->txtCodice->setText("1234");
            dialogo->pOk->click();
            QVERIFY(!dialogo->isVisible());
            visto = true;
        });
        premi(PosBlocca);
        QVERIFY(visto);
        QVERIFY(finestra->isEnabled());
        QVERIFY(DialogoChiuso);
        QCOMPARE(telefono->commandLog(),
                 (QStringList{"AT+CLCK=\"SC\", 0,9999", "AT+CLCK=\"SC\", 0,1234"}));
        QCOMPARE(blocco("SC"), 0);
        QCOMPARE(righe().at(2), NomiBlocchi[2] + "|No|");
        QCOMPARE(finestra->List1->SelectedItem(), finestra->List1->topLevelItem(2));

        // Fixed dialling has no reported length: the field has no limit. Cancel sends nothing.
        scegliRiga(3);
        telefono->clearCommandLog();
        nelBlocco([&](frmBlocco* dialogo) {
            QCOMPARE(dialogo->txtCodice->maxLength(), 32767);
            dialogo->pAnnulla->click();
        });
        premi(PosBlocca);
        QVERIFY(telefono->commandLog().isEmpty());
        QVERIFY(finestra->isEnabled());
    }

    // A barring is switched for the classes the boxes make (voice 1, data 2, fax 4, all 7), for
    // every class when none is ticked; the view shows the classes the phone still bars.
    void sbarramentoPerClassi_data()
    {
        QTest::addColumn<QList<int>>("caselle");
        QTest::addColumn<QString>("comando");
        QTest::addColumn<int>("restano");
        QTest::addColumn<QString>("riga");
        const QString voce = ClassiBlocchi[0];
        QTest::newRow("none") << QList<int>{} << "AT+CLCK=\"AO\", 0,0000" << 0 << "No|";
        QTest::newRow("voice") << QList<int>{0} << "AT+CLCK=\"AO\", 0,0000, 1" << 4 << "No|";
        QTest::newRow("fax") << QList<int>{2} << "AT+CLCK=\"AO\", 0,0000, 4" << 1 << "Yes|" + voce;
        QTest::newRow("data and fax")
            << QList<int>{1, 2} << "AT+CLCK=\"AO\", 0,0000, 6" << 1 << "Yes|" + voce;
        QTest::newRow("all") << QList<int>{3} << "AT+CLCK=\"AO\", 0,0000, 7" << 0 << "No|";
        QTest::newRow("voice and all")
            << QList<int>{0, 3} << "AT+CLCK=\"AO\", 0,0000, 7" << 0 << "No|";
    }

    void sbarramentoPerClassi()
    {
        QFETCH(QList<int>, caselle);
        QFETCH(QString, comando);
        QFETCH(int, restano);
        QFETCH(QString, riga);
        avvia();
        clic("BLOCK");
        QCOMPARE(righe().at(4), NomiBlocchi[4] + "|Yes|" + ClassiBlocchi[0] + ClassiBlocchi[1]);
        scegliRiga(4);
        telefono->clearCommandLog();
        nelBlocco([&](frmBlocco* dialogo) {
            QVERIFY(dialogo->chkClass[0]->isVisible());
            QCOMPARE(dialogo->txtCodice->maxLength(), 4);
            for (const int casella : caselle)
                dialogo->chkClass[static_cast<size_t>(casella)]->setChecked(true);
            dialogo->txtCodice->setText("0000");
            dialogo->pOk->click();
        });
        premi(PosBlocca);
        QCOMPARE(telefono->commandLog(), QStringList{comando});
        QCOMPARE(blocco("AO"), restano);
        QCOMPARE(righe().at(4), NomiBlocchi[4] + "|" + riga);
        QVERIFY(risposte->boxes.isEmpty());
    }

    void codiceCambiato()
    {
        avvia();
        clic("BLOCK");
        scegliRiga(2);
        telefono->clearCommandLog();
        bool visto = false;
        nelBlocco([&](frmBlocco* blocco) {
            NelDialogo(finestra, DialogoInPrimoPiano<frmCambioCodice>,
                       [&](frmCambioCodice* cambio) {
                           QCOMPARE(cambio->windowTitle(), Msg(530));
                           cambio->chkMask[1]->setChecked(false);
                           QCOMPARE(cambio->txtCod[1]->echoMode(), QLineEdit::Normal);
                           QCOMPARE(cambio->txtCod[0]->echoMode(), QLineEdit::Password);
                           QCOMPARE(cambio->txtCod[2]->echoMode(), QLineEdit::Password);

                           cambio->txtCod[0]->setText("1234");
                           cambio->txtCod[1]->setText("4321");
                           cambio->txtCod[2]->setText("4322");
                           cambio->pOk->click();
                           QCOMPARE(testiBox(), QStringList{"Error: " + Msg(32)});
                           QVERIFY(telefono->commandLog().isEmpty());

                           cambio->txtCod[0]->setText("0000");
                           cambio->txtCod[2]->setText("4321");
                           cambio->pOk->click();
                           QCOMPARE(testiBox().last(), "Error: " + Msg(31));
                           QVERIFY(cambio->isVisible());

                           cambio->txtCod[0]->setText("1234");
                           cambio->pOk->click();
                           QCOMPARE(testiBox().last(),
                                    QCoreApplication::applicationName() + ": " + Msg(30));
                           QVERIFY(!cambio->isVisible());
                           visto = true;
                       });
            blocco->pCambia->click();
            // The lock dialog stays open after the change.
            QVERIFY(blocco->isVisible());
            blocco->pAnnulla->click();
        });
        premi(PosBlocca);
        QVERIFY(visto);
        QCOMPARE(telefono->commandLog(),
                 (QStringList{"AT+CPWD=\"SC\",0000,4321", "AT+CPWD=\"SC\",1234,4321"}));
        QCOMPARE(telefono->state().locks.passwords.at("SC").value, QByteArray("4321"));
        QCOMPARE(blocco("SC"), 1);
    }

    void trasferimentiMostrati()
    {
        avvia();
        Telefono.Rubrica[0][1] = {"1", "Segreteria", "+393491234000", false};
        Telefono.RubTotale[0] = 1;
        Telefono.RubLetta[0] = true;
        clic("TRASF");
        QVERIFY(telefono->commandLog().isEmpty());
        QCOMPARE(righe(), (QStringList{Msg(57), Msg(58), Msg(59), Msg(60)}));
        QCOMPARE(finestra->CurrentView, uint8_t(11));

        clic("TRASF2");
        QCOMPARE(telefono->commandLog(), LetturaTrasf);
        QCOMPARE(finestra->CurrentView, uint8_t(12));
        QCOMPARE(finestra->List1->columnCount(), 4);
        const QString sec = Msg(462);
        QCOMPARE(righe(),
                 (QStringList{ClassiTrasf[0] + "|Yes|Segreteria|20" + sec,
                              ClassiTrasf[1] + "|No||0" + sec, ClassiTrasf[2] + "|No||0" + sec}));
        telefono->clearCommandLog();
        clic("TRASF0");
        QVERIFY(telefono->commandLog().isEmpty());
        QCOMPARE(finestra->List1->columnCount(), 3);
        QCOMPARE(righe(),
                 (QStringList{ClassiTrasf[0] + "|Yes|0611111", ClassiTrasf[1] + "|No|0622222",
                              ClassiTrasf[2] + "|Yes|0633333"}));
        scegliRiga(1);
        QVERIFY(!finestra->Toolbar1[PosEditTrasf]->isChecked());
        QVERIFY(finestra->Toolbar1[PosDelTrasf]->isEnabled());
    }

    void trasferimentoDalDialogo()
    {
        avvia();
        Telefono.Rubrica[0][1] = {"1", "Segreteria", "+393491234000", false};
        Telefono.RubTotale[0] = 1;
        Telefono.RubLetta[0] = true;
        clic("TRASF1");
        scegliRiga(2);
        telefono->clearCommandLog();
        nelTrasf([&](frmTrasf* dialogo) {
            QCOMPARE(DialogoAperto, frmTrasf::Codice);
            QCOMPARE(dialogo->windowTitle(), Msg(58) + " - " + Msg(456));
            QVERIFY(!dialogo->boxAttesa->isVisible());
            QVERIFY(!dialogo->chkAttivo->isChecked());
            QCOMPARE(dialogo->cmbRub->count(), 1);
            dialogo->txtNum->setText("06;12");
            dialogo->pOk->click();
            QCOMPARE(testiBox(),
                     QStringList{QCoreApplication::applicationName() + ": " + Msg(387)});
            QVERIFY(telefono->commandLog().isEmpty());
            // A number in the phonebook selects its name; a picked name writes its number.
            dialogo->txtNum->setText("+393491234000");
            QCOMPARE(dialogo->cmbRub->currentText(), QStringLiteral("Segreteria"));
            dialogo->txtNum->setText("+39061234");
            QCOMPARE(dialogo->cmbRub->currentIndex(), -1);
            dialogo->chkAttivo->setChecked(true);
            dialogo->pOk->click();
        });
        finestra->List1_DblClick();
        QVERIFY(finestra->isEnabled());
        QCOMPARE(DialogoAperto, uint8_t(0));
        QCOMPARE(telefono->commandLog(), QStringList{"AT+CCFC=1,3,+39061234,145,2"});
        QVERIFY(inoltro(1, 2).active);
        QCOMPARE(righe().at(2), ClassiTrasf[2] + "|Yes|+39061234");

        // No reply, data, 25 seconds, not active: registered, then the reason disabled and the
        // active voice line registered again with its own time.
        clic("TRASF2");
        scegliRiga(2);
        telefono->clearCommandLog();
        nelTrasf([&](frmTrasf* dialogo) {
            QVERIFY(dialogo->boxAttesa->isVisible());
            QCOMPARE(dialogo->cmbAttesa->currentIndex(), -1);
            dialogo->txtNum->setText("0612345");
            dialogo->cmbAttesa->setCurrentIndex(4);
            dialogo->chkAttivo->setChecked(false);
            dialogo->pOk->click();
        });
        finestra->List1_DblClick();
        QCOMPARE(telefono->commandLog(),
                 (QStringList{"AT+CCFC=2,3,0612345,129,2,,,25", "AT+CCFC=2,0",
                              "AT+CCFC=2,3,+393491234000,145,1,,,20"}));
        QVERIFY(!inoltro(2, 2).active);
        QCOMPARE(inoltro(2, 2).number, QByteArray("0612345"));
        QVERIFY(inoltro(2, 1).active);
        const QString sec = Msg(462);
        QCOMPARE(righe(), (QStringList{ClassiTrasf[0] + "|Yes|Segreteria|20" + sec,
                                       ClassiTrasf[1] + "|No||0" + sec,
                                       ClassiTrasf[2] + "|No|0612345|25" + sec}));

        // The dialog shows the stored class: its number, name and time.
        scegliRiga(0);
        nelTrasf([&](frmTrasf* dialogo) {
            QCOMPARE(dialogo->txtNum->text(), QStringLiteral("+393491234000"));
            QCOMPARE(dialogo->cmbRub->currentText(), QStringLiteral("Segreteria"));
            QCOMPARE(dialogo->cmbAttesa->currentText(), QStringLiteral("20"));
            QVERIFY(dialogo->chkAttivo->isChecked());
            dialogo->pAnnulla->click();
        });
        telefono->clearCommandLog();
        finestra->List1_DblClick();
        QVERIFY(telefono->commandLog().isEmpty());
    }

    // The number and the name follow each other as in the compose dialog: a number from four
    // characters on selects its name, fewer characters keep the name chosen, an empty field
    // clears it, and an entry with no name never writes over what was typed.
    void numeroENomeNelDialogo()
    {
        avvia();
        Telefono.Rubrica[0][1] = {"1", "", "+39333000111", false};
        Telefono.Rubrica[0][2] = {"2", "Segreteria", "+393491234000", false};
        Telefono.RubTotale[0] = 2;
        Telefono.RubLetta[0] = true;
        clic("TRASF1");
        scegliRiga(2);
        QStringList visti;
        nelTrasf([&](frmTrasf* dialogo) {
            const auto vedi
                = [&] { visti << dialogo->txtNum->text() + "|" + dialogo->cmbRub->currentText(); };
            dialogo->txtNum->setText("03491234000");
            vedi();
            dialogo->txtNum->setText("+39");
            vedi();
            dialogo->txtNum->clear();
            vedi();
            QTest::keyClicks(dialogo->txtNum, "393331112233");
            vedi();
            dialogo->txtNum->setText("0612");
            dialogo->cmbRub->setCurrentIndex(dialogo->cmbRub->findText(QString()));
            dialogo->cmbRub_Click();
            vedi();
        });
        finestra->List1_DblClick();
        QCOMPARE(visti, (QStringList{"+393491234000|Segreteria", "+39|Segreteria", "|",
                                     "393331112233|", "0612|"}));
    }

    void trasferimentoSpentoECancellato()
    {
        avvia();
        clic("TRASF0");
        // Erasing voice: the erase takes the whole reason; only the active data line comes
        // back, the inactive fax line is not switched on.
        scegliRiga(0);
        telefono->clearCommandLog();
        premi(PosDelTrasf);
        QCOMPARE(telefono->commandLog(), (QStringList{"AT+CCFC=0,4", "AT+CCFC=0,3,0633333,129,2"}));
        QVERIFY(!inoltro(0, 4).active);
        QVERIFY(inoltro(0, 1).number.isEmpty());
        QVERIFY(inoltro(0, 2).active);
        QCOMPARE(righe(), (QStringList{ClassiTrasf[0] + "|No|", ClassiTrasf[1] + "|No|",
                                       ClassiTrasf[2] + "|Yes|0633333"}));

        // The toolbar on an active row switches it off at once, without the dialog.
        scegliRiga(2);
        QVERIFY(finestra->Toolbar1[PosEditTrasf]->isChecked());
        telefono->clearCommandLog();
        premi(PosEditTrasf);
        QCOMPARE(telefono->commandLog(), QStringList{"AT+CCFC=0,0"});
        QVERIFY(!inoltro(0, 2).active);
        QCOMPARE(righe().at(2), ClassiTrasf[2] + "|No|0633333");
        QVERIFY(risposte->boxes.isEmpty());

        // A refusal is told, and the table stays as the phone has it.
        scegliRiga(2);
        telefono->failNextCommand();
        premi(PosDelTrasf);
        QCOMPARE(testiBox(), QStringList{"Error: " + Msg(464)});
        QCOMPARE(righe().at(2), ClassiTrasf[2] + "|No|0633333");
    }

    // A phone with nothing forwarded answers each query with one "not active" line of class 0,
    // as many modems do: the forwarding counts as read, and the view's commands act.
    void nienteTrasferito()
    {
        avvia();
        rispondiCon([](const QString&) -> QByteArray { return "+CCFC: 0,0"; });
        clic("TRASF0");
        QVERIFY(Telefono.TrasfLetti);
        QCOMPARE(righe(), (QStringList{ClassiTrasf[0] + "|No|", ClassiTrasf[1] + "|No|",
                                       ClassiTrasf[2] + "|No|"}));
        telefono->setCommandObserver({});
        telefono->setMuted(false);
        telefono->clearCommandLog();
        scegliRiga(1);
        premi(PosDelTrasf);
        scegliRiga(1);
        nelTrasf([](frmTrasf* dialogo) {
            dialogo->txtNum->setText("0612345");
            dialogo->chkAttivo->setChecked(true);
            dialogo->pOk->click();
        });
        premi(PosEditTrasf);
        QCOMPARE(telefono->commandLog(), (QStringList{"AT+CCFC=0,4", "AT+CCFC=0,3,0612345,129,4"}));
        QVERIFY(inoltro(0, 4).active);
    }

    // Switching fax off sends the reason-wide switch-off, then registers voice and data again.
    // When a registration fails, the view shows what the phone holds: read again when the phone
    // still answers; without an answer, the class asked stays unknown and those never asked are
    // off. The user is told the other classes may be off.
    void trasferimentoSpentoAMeta_data()
    {
        QTest::addColumn<QString>("guasto");
        QTest::addColumn<QString>("comando");
        QTest::addColumn<QStringList>("inviati");
        QTest::addColumn<QStringList>("stati");
        const QString spegni = "AT+CCFC=0,0", voce = "AT+CCFC=0,3,0611111,129,1",
                      dati = "AT+CCFC=0,3,0633333,129,2", rileggi = "AT+CCFC=0,2";
        const QString si = Msg(328), no = Msg(329), ignoto = Msg(333);
        QTest::newRow("refused") << "fail" << voce << QStringList{spegni, voce, dati, rileggi}
                                 << QStringList{no, no, si};
        QTest::newRow("refused with a code")
            << "cme" << voce << QStringList{spegni, voce, dati, rileggi} << QStringList{no, no, si};
        QTest::newRow("refused, read again refused")
            << "fail, read" << voce << QStringList{spegni, voce, dati, rileggi}
            << QStringList{ignoto, no, si};
        QTest::newRow("silent") << "mute" << voce << QStringList{spegni, voce}
                                << QStringList{ignoto, no, no};
        QTest::newRow("reply lost")
            << "drop" << voce << QStringList{spegni, voce} << QStringList{ignoto, no, no};
        QTest::newRow("reply cut")
            << "chunk" << voce << QStringList{spegni, voce} << QStringList{ignoto, no, no};
        QTest::newRow("silent at the last")
            << "mute" << dati << QStringList{spegni, voce, dati} << QStringList{si, no, ignoto};
        QTest::newRow("last refused") << "fail" << dati << QStringList{spegni, voce, dati, rileggi}
                                      << QStringList{si, no, no};
    }

    void trasferimentoSpentoAMeta()
    {
        QFETCH(QString, guasto);
        QFETCH(QString, comando);
        QFETCH(QStringList, inviati);
        QFETCH(QStringList, stati);
        avvia();
        telefono->changeState(
            [](s25sim::PhoneState& stato) { stato.forwarding.reasons[0][4].active = true; });
        clic("TRASF0");
        QCOMPARE(righe(),
                 (QStringList{ClassiTrasf[0] + "|Yes|0611111", ClassiTrasf[1] + "|Yes|0622222",
                              ClassiTrasf[2] + "|Yes|0633333"}));
        TempiLink.attesaMs = 300;
        const QRegularExpression questo(QRegularExpression::escape(comando));
        const QString precedente = inviati.at(inviati.indexOf(comando) - 1);
        s25sim::S25Simulator* sim = telefono.get();
        const int pausa = 10 * TempiLink.attesaMs;
        if (guasto == "fail")
            telefono->failCommandsMatching(questo);
        else if (guasto == "cme")
            telefono->failCommandsMatching(questo, 30);
        else if (guasto == "fail, read")
            telefono->failCommandsMatching(QRegularExpression(
                questo.pattern() + '|' + QRegularExpression::escape(inviati.last())));
        else if (guasto == "drop")
            telefono->dropNextReply(questo);
        else
            telefono->setCommandObserver([=](const QString& arrivato) {
                if (arrivato != precedente)
                    return;
                if (guasto == "mute")
                    sim->setMuted(true);
                else
                    sim->setChunking(4, pausa);
            });
        scegliRiga(1);
        telefono->clearCommandLog();
        premi(PosEditTrasf);
        QTRY_COMPARE_WITH_TIMEOUT(risposte->boxes.size(), 1, Pazienza);
        QCOMPARE(telefono->commandLog(), inviati);
        QCOMPARE(testiBox(), QStringList{"Error: " + Msg(871)});
        const QStringList numeri{"0611111", "0622222", "0633333"};
        QStringList attese;
        for (int k = 0; k < 3; ++k)
            attese << ClassiTrasf[static_cast<size_t>(k)] + "|" + stati.at(k) + "|" + numeri.at(k);
        QCOMPARE(righe(), attese);
        // What the view says of a class is what the phone holds, where it is known.
        for (int k = 0; k < 3; ++k)
            if (stati.at(k) != Msg(333))
                QCOMPARE(inoltro(0, ClasseTrasf(k)).active, stati.at(k) == Msg(328));
    }

    void retiCercate()
    {
        avvia();
        clic("RETE");
        QAction* pSelRete = finestra->Toolbar1[PosSelRete];
        QVERIFY(pSelRete->isVisible() && pSelRete->isEnabled());
        telefono->clearCommandLog();
        pSelRete->setChecked(true);
        premi(PosSelRete);
        QCOMPARE(telefono->commandLog(), QStringList{"AT+COPS=?"});
        QCOMPARE(finestra->CurrentView, uint8_t(13));
        QVERIFY(finestra->frameReti->isVisible());
        QStringList noti;
        for (int i = 0; i < finestra->listaReti->count(); ++i)
            noti << finestra->listaReti->item(i)->text();
        QCOMPARE(noti, (QStringList{"22201 - TIM", "22210 - Vodafone IT", "22288 - WIND"}));
        QStringList trovate;
        for (int i = 0; i < finestra->listaRetiDisp->count(); ++i) {
            const QListWidgetItem* riga = finestra->listaRetiDisp->item(i);
            trovate << riga->text() + "|" + riga->data(Qt::UserRole).toString();
            QVERIFY(!riga->icon().isNull());
        }
        QCOMPARE(trovate,
                 (QStringList{"22201 - TIM|58", "22210 - Vodafone IT|57", "22288 - WIND|60"}));

        pSelRete->setChecked(false);
        premi(PosSelRete);
        QCOMPARE(finestra->CurrentView, uint8_t(0));
        QVERIFY(!finestra->frameReti->isVisible());

        // The phone refuses the search: no network listed, the known ones still are, and the user
        // is told why the list is empty.
        telefono->failCommandsMatching(QRegularExpression("COPS=\\?"));
        pSelRete->setChecked(true);
        premi(PosSelRete);
        QCOMPARE(finestra->listaRetiDisp->count(), 0);
        QCOMPARE(finestra->listaReti->count(), 3);
        QCOMPARE(testiBox(),
                 QStringList{QCoreApplication::applicationName() + ": " + Msg(870) + "ERROR"});
    }

    // A phone whose clock, lock, forwarding and password-length replies hold numbers outside
    // their ranges: nothing is read from those; the clock and the lock show as unknown, not as
    // they were read before, and the user is told.
    void risposteFuoriScala()
    {
        accendi(Seme);
        telefono->changeState(
            [](s25sim::PhoneState& stato) { stato.locks.passwords["SC"].maxLength = 300; });
        connetti();
        QCOMPARE(Telefono.LunghezzaCodici[2], uint8_t(0));
        QCOMPARE(Telefono.LunghezzaCodici[0], uint8_t(8));
        clic("ORA");
        clic("BLOCK");
        clic("TRASF2");
        const QString sec = Msg(462);
        QVERIFY(righe().first().endsWith("|20" + sec));

        rispondiCon([](const QString& comando) -> QByteArray {
            if (comando == "AT+CCLK?")
                return "+CCLK: \"24/13/45,25:61:00\"";
            if (comando == "AT+CLCK=CS,2")
                return "+CLCK: 2";
            if (comando == "AT+CLCK=AO,2")
                return "+CLCK: 1,257";
            if (comando.startsWith("AT+CLCK="))
                return "+CLCK: 0";
            if (comando == "AT+CCFC=2,2")
                return "+CCFC: 1,1,\"+393491234000\",145,,,300";
            return "+CCFC: 0,7";
        });
        clic("ORA");
        QCOMPARE(campiOra(), (QStringList{"", "", "", "", ""}));
        Telefono.BlocchiLetti = false;
        clic("BLOCK");
        QCOMPARE(righe().at(0), NomiBlocchi[0] + "|" + Msg(333) + "|");
        QCOMPARE(righe().at(4), NomiBlocchi[4] + "|" + Msg(333) + "|");
        Telefono.TrasfLetti = false;
        clic("TRASF2");
        QVERIFY(righe().first().endsWith("|20" + sec));
        const QString nonDati = QCoreApplication::applicationName() + ": " + Msg(872) + "\r\n";
        const QString senzaValore = ": " + Msg(873);
        QCOMPARE(testiBox(), (QStringList{nonDati + Msg(508) + senzaValore,
                                          nonDati + NomiBlocchi[0] + senzaValore + "\r\n"
                                              + NomiBlocchi[4] + senzaValore}));
    }

    // Offline, a list never read says so in its one row, as every view does, and offers no
    // Refresh.
    void senzaTelefono_data()
    {
        QTest::addColumn<QString>("nodo");
        QTest::newRow("locks") << "BLOCK";
        QTest::newRow("forwarding") << "TRASF2";
    }

    void senzaTelefono()
    {
        QFETCH(QString, nodo);
        clic(nodo);
        QCOMPARE(righe(), QStringList{Msg(82)});
        const QAction* aggiorna = finestra->Pulsante(QStringLiteral("pAggiorna"));
        QVERIFY(aggiorna->isVisible() && !aggiorna->isEnabled());
    }

    // A hang-up in the middle of a read marks nothing read and keeps what the tables held.
    void riagganciaDuranteLaLettura_data()
    {
        QTest::addColumn<QString>("nodo");
        QTest::newRow("clock") << "ORA";
        QTest::newRow("locks") << "BLOCK";
        QTest::newRow("forwarding") << "TRASF3";
        QTest::newRow("networks") << "SELRETE";
    }

    void riagganciaDuranteLaLettura()
    {
        QFETCH(QString, nodo);
        avvia();
        Telefono.DataTel = "01/01/01";
        Telefono.Blocchi[0][0] = 1;
        Telefono.Blocchi[4] = {1, 1, 1};
        Telefono.Trasferimenti[3].Stato[0] = 1;
        Telefono.Trasferimenti[3].Numero[0] = "999";
        Telefono.Operatori = {{"22201", "TIM"}};
        Telefono.OperatoriLetti = true;
        telefono->hangUpDuringNextReply(4);
        if (nodo == "SELRETE") {
            finestra->impostazioni->ShowSelRete(1);
            QCOMPARE(finestra->listaRetiDisp->count(), 0);
        } else {
            clic(nodo);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!Connesso, Pazienza);
        QVERIFY(!Telefono.OraLetta);
        QCOMPARE(Telefono.DataTel, QStringLiteral("01/01/01"));
        QVERIFY(!Telefono.BlocchiLetti);
        QCOMPARE(Telefono.Blocchi[0][0], uint8_t(1));
        QCOMPARE(Telefono.Blocchi[4], (std::array<uint8_t, 3>{1, 1, 1}));
        QVERIFY(!Telefono.TrasfLetti);
        QCOMPARE(Telefono.Trasferimenti[3].Numero[0], QStringLiteral("999"));
        QCOMPARE(Telefono.Trasferimenti[3].Stato[0], uint8_t(1));
        // Only the interrupted command went out: a lost link ends the read.
        QCOMPARE(telefono->commandLog().size(), 1);
    }
};

QTEST_MAIN(TstImpostazioniE2E)
#include "tst_impostazioni_e2e.moc"
