// Where the tree, the refresh, the toolbar, the menus and the shared list lead, and the settings
// and about dialogs.

#include "catalogo.h"
#include "frmabout.h"
#include "frmconfig.h"
#include "frmlang.h"
#include "frmmain.h"
#include "globali.h"
#include "listareport.h"
#include "ordine.h"
#include "registro.h"
#include "risposte.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {

QTreeWidgetItem* nodo(frmMain& f, const QString& chiave)
{
    for (QTreeWidgetItemIterator it(f.S25Tree); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == chiave)
            return *it;
    return nullptr;
}

void tuttiLetti()
{
    Telefono.AlimLetta = Telefono.ReteLetta = Telefono.SMSCLetto = Telefono.SMSLetti = true;
    Telefono.PromLetti = Telefono.TrasfLetti = Telefono.BlocchiLetti = true;
    Telefono.OraLetta = Telefono.MidiLetta = Telefono.LogoLetto = ArchivioLetto = true;
    Telefono.RubLetta.fill(true);
    Telefono.ListeLette.fill(true);
}

QStringList flagAbbassati()
{
    QStringList giu;
    const QList<QPair<const char*, bool>> flag{
        {"AlimLetta", Telefono.AlimLetta},       {"ReteLetta", Telefono.ReteLetta},
        {"SMSCLetto", Telefono.SMSCLetto},       {"SMSLetti", Telefono.SMSLetti},
        {"PromLetti", Telefono.PromLetti},       {"TrasfLetti", Telefono.TrasfLetti},
        {"BlocchiLetti", Telefono.BlocchiLetti}, {"OraLetta", Telefono.OraLetta},
        {"MidiLetta", Telefono.MidiLetta},       {"LogoLetto", Telefono.LogoLetto},
        {"ArchivioLetto", ArchivioLetto}};
    for (const auto& [nome, valore] : flag)
        if (!valore)
            giu << nome;
    for (size_t i = 0; i < Telefono.RubLetta.size(); ++i)
        if (!Telefono.RubLetta[i])
            giu << QStringLiteral("RubLetta%1").arg(i);
    for (size_t i = 0; i < Telefono.ListeLette.size(); ++i)
        if (!Telefono.ListeLette[i])
            giu << QStringLiteral("ListeLette%1").arg(i);
    return giu;
}

QSettings store()
{
    return QSettings(QStringLiteral("Quorna"), QStringLiteral("Quorna"));
}

} // namespace

class TstNavigazione : public QObject {
    Q_OBJECT

    Registro reg;
    std::unique_ptr<frmMain> f;

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName(QStringLiteral("Quorna"));
        QVERIFY(CatalogoMessaggi::Carica());
    }

    void init()
    {
        BaseLang = 1001;
        Opzioni = Impostazioni{};
        reg = Registro{};
        f = std::make_unique<frmMain>();
        InstallaRegistro(*f, reg);
        f->InitLang();
        Connesso = false;
    }

    void cleanup() { f.reset(); }

    void clicSulNodo_data()
    {
        QTest::addColumn<QString>("chiave");
        QTest::addColumn<QString>("chiamata");
        const QList<QPair<QString, QString>> tabella{{"S25", "ShowInfo"},
                                                     {"ALIM", "ShowAlim"},
                                                     {"RETE", "ShowRete(0)"},
                                                     {"RUB", "ShowRubricaCompleta"},
                                                     {"RUB_SIM", "ShowRubrica(0)"},
                                                     {"RUB_SIMSP", "ShowRubrica(1)"},
                                                     {"RUB_TEL", "ShowRubrica(2)"},
                                                     {"RUB_PER", "ShowRubrica(3)"},
                                                     {"RUB_ROS", "ShowRubrica(4)"},
                                                     {"CAL", "ShowCalendario"},
                                                     {"SMS", "ShowSMSInfo"},
                                                     {"SMS_IN", "ShowSMS(0)"},
                                                     {"SMS_OUT", "ShowSMS(1)"},
                                                     {"SMS_NOOUT", "ShowSMS(2)"},
                                                     {"SMS_ARC", "ShowSMS(3)"},
                                                     {"LIST", "ShowListFolder"},
                                                     {"LIST_RC", "ShowList(0)"},
                                                     {"LIST_MC", "ShowList(1)"},
                                                     {"LIST_LD", "ShowList(2)"},
                                                     {"ORA", "ShowDataOra"},
                                                     {"MEL", "ShowMidi"},
                                                     {"LOGO", "ShowLogo"},
                                                     {"BLOCK", "ShowBlocchi"},
                                                     {"TRASF", "ShowTrasfFolder"},
                                                     {"TRASF0", "ShowTrasferimenti(0)"},
                                                     {"TRASF1", "ShowTrasferimenti(1)"},
                                                     {"TRASF2", "ShowTrasferimenti(2)"},
                                                     {"TRASF3", "ShowTrasferimenti(3)"}};
        for (const auto& [chiave, chiamata] : tabella)
            QTest::newRow(qPrintable(chiave)) << chiave << chiamata;
    }

    void clicSulNodo()
    {
        QFETCH(QString, chiave);
        QFETCH(QString, chiamata);
        f->SBar[3]->setText(QStringLiteral("old"));
        f->S25Tree_NodeClick(nodo(*f, chiave));
        QCOMPARE(reg.chiamate, QStringList{chiamata});
        QVERIFY(f->SBar[3]->text().isEmpty());
    }

    void chiaveSconosciutaENessunNodo()
    {
        f->MostraVista(QStringLiteral("rub_sim"));
        f->S25Tree_NodeClick(nullptr);
        QVERIFY(reg.chiamate.isEmpty());
    }

    void aggiorna_data()
    {
        QTest::addColumn<QString>("chiave");
        QTest::addColumn<int>("vista");
        QTest::addColumn<QStringList>("abbassati");
        QTest::addColumn<QStringList>("chiamate");
        using L = QStringList;
        QTest::newRow("ALIM") << "ALIM" << 0 << L{"AlimLetta"} << L{"ShowAlim"};
        QTest::newRow("RETE") << "RETE" << 0 << L{"ReteLetta"} << L{"ShowRete(0)"};
        QTest::newRow("RETE selecting")
            << "RETE" << 13 << L{"ReteLetta"} << L{"ShowRete(0)", "ShowSelRete(1)"};
        QTest::newRow("RUB") << "RUB" << 0
                             << L{"RubLetta0", "RubLetta1", "RubLetta2", "RubLetta3", "RubLetta4"}
                             << L{"ShowRubricaCompleta"};
        QTest::newRow("RUB_TEL") << "RUB_TEL" << 4 << L{"RubLetta2"} << L{"ShowRubrica(2)"};
        QTest::newRow("RUB_ROS") << "RUB_ROS" << 4 << L{"RubLetta0", "RubLetta4"}
                                 << L{"ShowRubrica(4)"};
        QTest::newRow("SMS") << "SMS" << 3 << L{"SMSCLetto"} << L{"ShowSMSInfo"};
        QTest::newRow("SMS_OUT") << "SMS_OUT" << 2 << L{"SMSLetti"} << L{"ShowSMS(1)"};
        QTest::newRow("SMS_ARC") << "SMS_ARC" << 2 << L{"ArchivioLetto"} << L{"ShowSMS(3)"};
        QTest::newRow("CAL") << "CAL" << 8 << L{"PromLetti"} << L{"ShowCalendario"};
        QTest::newRow("LIST_MC") << "LIST_MC" << 6 << L{"ListeLette1"} << L{"ShowList(1)"};
        QTest::newRow("TRASF") << "TRASF" << 11 << L{"TrasfLetti"} << L{"ShowTrasfFolder"};
        QTest::newRow("TRASF3") << "TRASF3" << 12 << L{"TrasfLetti"} << L{"ShowTrasferimenti(3)"};
        QTest::newRow("BLOCK") << "BLOCK" << 10 << L{"BlocchiLetti"} << L{"ShowBlocchi"};
        QTest::newRow("ORA") << "ORA" << 9 << L{"OraLetta"} << L{"ShowDataOra"};
        QTest::newRow("MEL") << "MEL" << 7 << L{"MidiLetta"} << L{"ShowMidi"};
        QTest::newRow("LOGO") << "LOGO" << 1 << L{"LogoLetto"} << L{"ShowLogo"};
        QTest::newRow("S25") << "S25" << 0 << L{} << L{};
        QTest::newRow("LIST") << "LIST" << 5 << L{} << L{};
    }

    void aggiorna()
    {
        QFETCH(QString, chiave);
        QFETCH(int, vista);
        QFETCH(QStringList, abbassati);
        QFETCH(QStringList, chiamate);
        tuttiLetti();
        f->Espandi(chiave);
        f->CurrentView = static_cast<uint8_t>(vista);
        f->Aggiorna();
        QCOMPARE(flagAbbassati(), abbassati);
        QCOMPARE(reg.chiamate, chiamate);
    }

    void aggiornaSenzaNodo()
    {
        f->S25Tree->setCurrentItem(nullptr);
        f->Aggiorna();
        QVERIFY(reg.chiamate.isEmpty());
    }

    void barraPerChiaveEVista_data()
    {
        QTest::addColumn<QString>("pulsante");
        QTest::addColumn<QString>("nodo");
        QTest::addColumn<int>("vista");
        QTest::addColumn<QStringList>("chiamate");
        using L = QStringList;
        QTest::newRow("delete in red book") << "pElimina"
                                            << "RUB_ROS" << 4 << L{"DelRubrica"};
        QTest::newRow("delete in whole book") << "pElimina"
                                              << "RUB" << 0 << L{};
        QTest::newRow("delete logo") << "pElimina"
                                     << "LOGO" << 1 << L{"DelLogo"};
        QTest::newRow("delete melody") << "pElimina"
                                       << "MEL" << 7 << L{"DelMidi"};
        QTest::newRow("delete on clock") << "pElimina"
                                         << "ORA" << 9 << L{};
        QTest::newRow("send logo") << "pInviaLogo"
                                   << "LOGO" << 1 << L{"InviaLogo"};
        QTest::newRow("send melody") << "pInviaLogo"
                                     << "MEL" << 7 << L{"InviaMidi"};
        QTest::newRow("send in clock view") << "pInviaLogo"
                                            << "ORA" << 9 << L{};
        QTest::newRow("open melody") << "pApriLogo"
                                     << "MEL" << 7 << L{"ApriMidi"};
        QTest::newRow("save logo") << "pSalvaLogo"
                                   << "LOGO" << 1 << L{"SalvaLogo"};
        QTest::newRow("connect lays out") << "pConnetti"
                                          << "S25" << 0 << L{"Connetti"};
        QTest::newRow("save to SIM offline") << "pSalvaSMSinTel"
                                             << "SMS_ARC" << 2 << L{};
        QTest::newRow("new SMS") << "pNuovoSMS"
                                 << "SMS_IN" << 2 << L{"InviaSMS(0,1)"};
        QTest::newRow("SMS to entry") << "pInviaSMS"
                                      << "RUB_SIM" << 4 << L{"InviaSMS(1,0)"};
        QTest::newRow("forwarding switch") << "pEditTrasf"
                                           << "TRASF0" << 12 << L{"EditTrasf(1)"};
        QTest::newRow("separator") << "s3"
                                   << "S25" << 0 << L{};
    }

    void barraPerChiaveEVista()
    {
        QFETCH(QString, pulsante);
        QFETCH(QString, nodo);
        QFETCH(int, vista);
        QFETCH(QStringList, chiamate);
        f->Espandi(nodo);
        f->CurrentView = static_cast<uint8_t>(vista);
        f->Toolbar1_ButtonClick(f->Pulsante(pulsante));
        QCOMPARE(reg.chiamate, chiamate);
    }

    void selezioneReteSegueIlPulsante()
    {
        QAction* selRete = f->Toolbar1[43];
        QCOMPARE(selRete->objectName(), QStringLiteral("pSelRete"));
        selRete->setVisible(true);
        selRete->trigger();
        selRete->trigger();
        QCOMPARE(reg.chiamate, (QStringList{"ShowSelRete(1)", "ShowSelRete(0)"}));
    }

    void menu()
    {
        reg.notificaAccettata = false;
        f->mnuSMSNotifica->setEnabled(true);
        f->mnuSMSNotifica->trigger();
        QVERIFY(!f->mnuSMSNotifica->isChecked()); // the phone refused: the mark stays
        reg.notificaAccettata = true;
        f->mnuSMSNotifica->trigger();
        QVERIFY(f->mnuSMSNotifica->isChecked());
        for (QAction* voce : {f->mnuLRic, f->mnuRubVRossa, f->mnuSMSVM[3], f->mnuLVL[1],
                              f->mnuSMSSalvaS, f->mnuTDisc}) {
            voce->setEnabled(true);
            voce->trigger();
        }
        QCOMPARE(reg.chiamate, (QStringList{"ImpostaNotificaSMS(1)", "ImpostaNotificaSMS(1)",
                                            "LeggiListeChiamate", "ShowListFolder",
                                            "ShowRubrica(4)", "ShowSMS(3)", "ShowList(1)"}));
        QCOMPARE(f->ChiaveSelezionata(), QStringLiteral("SMS_ARC"));
    }

    void spegniMostraSoloUnMessaggio()
    {
        RisposteFinte utente;
        f->mnuTSpegni->setEnabled(true);
        f->mnuTSpegni->trigger();
        QCOMPARE(utente.boxes.size(), 1);
        QCOMPARE(utente.boxes[0].testo, Msg(72));
        QVERIFY(reg.chiamate.isEmpty());
    }

    void cambioLingua()
    {
        f->Espandi(QStringLiteral("RUB_TEL"));
        QTimer::singleShot(0, [] {
            auto* dialogo = qobject_cast<frmLAng*>(QApplication::activeModalWidget());
            QVERIFY(dialogo);
            dialogo->optLang[2]->setChecked(true);
            dialogo->accept();
        });
        f->mnuOLingua->trigger();
        QCOMPARE(int(BaseLang), 2001);
        QCOMPARE(f->ChiaveSelezionata(), QStringLiteral("RUB_TEL"));
        QCOMPARE(f->S25Tree->currentItem()->text(0), QStringLiteral("Portable"));
        QCOMPARE(reg.chiamate, QStringList{"ShowRubrica(2)"});

        reg.chiamate.clear();
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        f->mnuOLingua->trigger();
        QVERIFY(reg.chiamate.isEmpty()); // same language: nothing is rebuilt
    }

    void ordinePerColonna()
    {
        using S = StatoOrdine;
        QCOMPARE(OrdineDopoClic(S{0, 0}, 1, {}), (S{0, 1})); // already the sort column
        QCOMPARE(OrdineDopoClic(S{0, 1}, 1, {}), (S{0, 0}));
        QCOMPARE(OrdineDopoClic(S{0, 1}, 3, "D"), (S{3, 0})); // by the column to its right
        QCOMPARE(OrdineDopoClic(S{3, 0}, 3, "D"), (S{3, 1}));
        QCOMPARE(OrdineDopoClic(S{3, 1}, 2, {}), (S{1, 0}));
        QCOMPARE(OrdineDopoClic(S{1, 7}, 2, {}), (S{1, 0})); // anything not ascending
    }

    void clicSuColonnaOrdinaSenzaRiguardoAlleMaiuscole()
    {
        f->List1->ImpostaColonne({{"Name", 1500, {}}, {"Number", 1500, {}}});
        f->List1->SetSorted(true);
        for (const char* nome : {"bruno", "Anna", "carla", "Bea"})
            f->List1->Aggiungi(QLatin1String(nome));
        f->List1_ColumnClick(1);
        QCOMPARE(f->List1->topLevelItem(0)->text(0), QStringLiteral("carla"));
        f->List1_ColumnClick(1);
        QStringList ordine;
        for (int i = 0; i < 4; ++i)
            ordine << f->List1->topLevelItem(i)->text(0);
        QCOMPARE(ordine, (QStringList{"Anna", "Bea", "bruno", "carla"}));
        QCOMPARE(int(f->ListSortOrder), 0);
    }

    void elencoVuotoONessunaRiga()
    {
        for (uint8_t vista : {2, 4, 5, 10, 11, 12}) {
            f->CurrentView = vista;
            f->List1->ImpostaColonne({{"a", 1000, {}}, {"b", 1000, {}}, {"c", 1000, {}}});
            f->List1_Click();
            f->List1_DblClick();
            f->List1_MouseUp(Qt::RightButton);
            f->List1_KeyUp();
            f->List1->Aggiungi(QStringLiteral("1"), {"x", "y"});
            f->List1->setCurrentItem(nullptr);
            f->List1->clearSelection();
            f->List1_DblClick();
        }
        QVERIFY(reg.chiamate.isEmpty());
    }

    void elencoPerVista()
    {
        f->List1->ImpostaColonne({{"a", 1000, {}}, {"b", 1000, {}}, {"c", 1000, {}}});
        f->List1->Aggiungi(QStringLiteral("L0"));
        QTreeWidgetItem* seconda = f->List1->Aggiungi(QStringLiteral("L1"), {Msg(328), ""});
        f->List1->setCurrentItem(seconda);

        f->CurrentView = 5;
        f->List1_DblClick();
        f->CurrentView = 11;
        f->List1_DblClick();
        f->CurrentView = 12;
        f->List1_DblClick();
        f->List1_Click();
        QVERIFY(f->Toolbar1[38]->isChecked());
        QVERIFY(!f->Toolbar1[39]->isEnabled()); // no number: nothing to remove
        f->CurrentView = 10;
        f->List1_Click();
        QVERIFY(f->Toolbar1[41]->isChecked());
        f->CurrentView = 0;
        f->List1_DblClick();
        f->List1_MouseUp(Qt::RightButton);

        f->CurrentView = 2;
        QTreeWidgetItem* messaggio = f->List1->Aggiungi(QStringLiteral("7"), {"", "text"});
        f->List1->setCurrentItem(messaggio);
        f->List1_Click();
        f->List1_DblClick();
        QCOMPARE(reg.chiamate, (QStringList{"ShowList(1)", "ShowTrasferimenti(1)", "EditTrasf(0)",
                                            "ShowSMSTxt(7)", "EditSMS"}));
    }

    void impostazioniOK()
    {
        store().clear();
        reg.portaAperta = true;
        frmConfig dialogo(*f->collegamento, f.get());
        QCOMPARE(dialogo.cboPort->currentIndex(), 0);
        dialogo.cboPort->setCurrentIndex(2);
        dialogo.chkApriOPs->setChecked(true);
        dialogo.chkWin->setChecked(true);
        dialogo.cmdOK_Click();
        QCOMPARE(reg.chiamate, QStringList{"ChiudiPorta"});
        QCOMPARE(reg.porta, 3);
        QCOMPARE(int(Opzioni.AutoLoadOPsList), 1);
        QCOMPARE(int(Opzioni.SaveWindow), 1);
        auto s = store();
        QStringList chiavi = s.allKeys();
        chiavi.sort();
        QCOMPARE(chiavi, (QStringList{"Config/Porta", "General/AutoLoadOPsList",
                                      "General/AutoLoadRub", "General/AutoSaveRub",
                                      "General/SaveWindow", "General/SplashScreen"}));
        QCOMPARE(s.value("Config/Porta").toString(), QStringLiteral("3"));
        QCOMPARE(s.value("General/SaveWindow").toString(), QStringLiteral("1"));
        QCOMPARE(s.value("General/AutoSaveRub").toString(), QStringLiteral("0"));

        frmConfig ancora(*f->collegamento, f.get()); // a second opening shows the new state
        QVERIFY(ancora.chkApriOPs->isChecked());
        QCOMPARE(ancora.cboPort->currentIndex(), 2);
    }

    void impostazioniAnnullaEPortaSconosciuta()
    {
        store().clear();
        {
            frmConfig dialogo(*f->collegamento, f.get());
            dialogo.chkWin->setChecked(true);
            dialogo.cmdCancel->click();
        }
        QVERIFY(store().allKeys().isEmpty());
        QCOMPARE(int(Opzioni.SaveWindow), 0);

        RisposteFinte utente;
        reg.porta = 12;
        frmConfig dialogo(*f->collegamento, f.get());
        QCOMPARE(dialogo.cboPort->currentIndex(), -1);
        dialogo.show();
        dialogo.cmdOK_Click();
        QCOMPARE(utente.boxes.size(), 1);
        QCOMPARE(utente.boxes[0].testo, QStringLiteral("Invalid port number"));
        QCOMPARE(reg.porta, 12);
        QVERIFY(dialogo.isVisible());
        QVERIFY(store().allKeys().isEmpty());
    }

    void informazioni()
    {
        frmAbout dialogo(f.get());
        QCOMPARE(dialogo.windowTitle(), QStringLiteral("About Quorna"));
        QVERIFY(dialogo.lblVersion->text().startsWith(QStringLiteral("Versione ")));
        QCOMPARE(dialogo.lblTitle->text(), QStringLiteral("Quorna"));
    }
};

QTEST_MAIN(TstNavigazione)
#include "tst_navigazione.moc"
