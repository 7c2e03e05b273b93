// The main window: its tree in three languages, the layout rules by view, the reset every view
// starts from, the load's favourite logo slots and the centring rule.

#include "catalogo.h"
#include "finestre.h"
#include "frmmain.h"
#include "globali.h"
#include "layout.h"
#include "listareport.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

namespace {

QString chiave(const QTreeWidgetItem* nodo)
{
    return nodo->data(0, Qt::UserRole).toString();
}

QStringList chiaviInOrdine(QTreeWidget* albero)
{
    QStringList chiavi;
    for (QTreeWidgetItemIterator it(albero); *it; ++it)
        chiavi << chiave(*it) + QLatin1Char('<') + ((*it)->parent() ? chiave((*it)->parent()) : "");
    return chiavi;
}

} // namespace

class TstFrmMain : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }

    void albero()
    {
        BaseLang = 1001;
        frmMain finestra;
        finestra.InitLang();
        finestra.InitLang(); // twice: the tree is rebuilt, never doubled
        const QStringList attese{"S25<",          "ALIM<S25",      "RETE<S25",     "RUB<S25",
                                 "RUB_SIM<RUB",   "RUB_SIMSP<RUB", "RUB_TEL<RUB",  "RUB_ROS<RUB",
                                 "RUB_PER<RUB",   "SMS<S25",       "SMS_IN<SMS",   "SMS_OUT<SMS",
                                 "SMS_NOOUT<SMS", "SMS_ARC<SMS",   "CAL<S25",      "LIST<S25",
                                 "LIST_RC<LIST",  "LIST_MC<LIST",  "LIST_LD<LIST", "TRASF<S25",
                                 "TRASF0<TRASF",  "TRASF1<TRASF",  "TRASF2<TRASF", "TRASF3<TRASF",
                                 "BLOCK<S25",     "ORA<S25",       "MEL<S25",      "LOGO<S25"};
        QCOMPARE(chiaviInOrdine(finestra.S25Tree), attese);
        QTreeWidgetItem* radice = finestra.S25Tree->topLevelItem(0);
        QVERIFY(radice->isExpanded());
        QCOMPARE(radice->childCount(), 11);
        for (int i = 0; i < radice->childCount(); ++i)
            QVERIFY(!radice->child(i)->isExpanded());
        QCOMPARE(radice->child(2)->child(0)->text(0), QStringLiteral("SIM"));
        QCOMPARE(finestra.mnuHInfo->text(), QStringLiteral("&About Quorna"));
        QCOMPARE(finestra.SBar[1]->text(), QStringLiteral("Not connected"));
    }

    void cambioLinguaConservaIlNodo()
    {
        BaseLang = 1;
        frmMain finestra;
        finestra.InitLang();
        finestra.Espandi(QStringLiteral("RUB_TEL"));
        const QString scelta = finestra.ChiaveSelezionata();
        BaseLang = 2001;
        finestra.InitLang();
        QCOMPARE(finestra.ChiaveSelezionata(), QString()); // the rebuild loses the selection
        finestra.Espandi(scelta);
        QCOMPARE(finestra.ChiaveSelezionata(), QStringLiteral("RUB_TEL"));
        QCOMPARE(finestra.S25Tree->currentItem()->text(0), QStringLiteral("Portable"));
        QCOMPARE(finestra.Toolbar1[4]->toolTip(), QStringLiteral("Update"));
        QCOMPARE(finestra.mnuTel->text(), Msg(701));
    }

    void ogniDidascaliaTrovaIlSuoTesto_data()
    {
        QTest::addColumn<int>("base");
        QTest::newRow("it") << 1;
        QTest::newRow("en") << 1001;
        QTest::newRow("fr") << 2001;
    }

    void ogniDidascaliaTrovaIlSuoTesto()
    {
        QFETCH(int, base);
        BaseLang = static_cast<int16_t>(base);
        frmMain finestra;
        finestra.InitLang();
        for (QTreeWidgetItemIterator it(finestra.S25Tree); *it; ++it)
            QVERIFY2(!(*it)->text(0).isEmpty(), qPrintable(chiave(*it)));
        QList<QAction*> voci = finestra.menuBar()->actions();
        for (QMenu* popup : {finestra.mnuPref, finestra.popRub, finestra.popSMS, finestra.popProm})
            voci += popup->actions();
        int contate = 0;
        while (!voci.isEmpty()) {
            QAction* voce = voci.takeFirst();
            if (voce->menu())
                voci += voce->menu()->actions();
            if (voce->isSeparator())
                continue;
            ++contate;
            QVERIFY2(!voce->text().isEmpty(), qPrintable(QString::number(contate)));
        }
        QCOMPARE(contate, 91);
        for (int i = 1; i <= frmMain::NumPulsanti; ++i)
            QCOMPARE(finestra.Toolbar1[i]->isSeparator(),
                     finestra.Toolbar1[i]->toolTip().isEmpty());
        for (QGroupBox* pannello :
             {finestra.frameLogo, finestra.frameMidi, finestra.frameCal, finestra.frameOra})
            QVERIFY(!pannello->title().isEmpty());
    }

    void espandiNonApreLaVista()
    {
        BaseLang = 1;
        frmMain finestra;
        finestra.InitLang();
        QSignalSpy clic(finestra.S25Tree, &QTreeWidget::itemClicked);
        finestra.Espandi(QStringLiteral("TRASF2"));
        QCOMPARE(finestra.ChiaveSelezionata(), QStringLiteral("TRASF2"));
        QVERIFY(finestra.S25Tree->currentItem()->parent()->isExpanded());
        finestra.Espandi(QStringLiteral("trasf2")); // keys compare exactly
        finestra.Espandi(QStringLiteral("NONE"));
        QCOMPARE(finestra.ChiaveSelezionata(), QStringLiteral("TRASF2"));
        QCOMPARE(clic.count(), 0);
    }

    void hideButtons()
    {
        BaseLang = 1;
        frmMain finestra;
        finestra.InitLang();
        for (int i = 1; i <= frmMain::NumPulsanti; ++i)
            finestra.Toolbar1[i]->setVisible(true);
        finestra.mnuRubNuovo->setEnabled(true);
        finestra.mnuRubRic->setEnabled(true);
        finestra.popSDel->setEnabled(false);
        finestra.SBar[3]->setText(QStringLiteral("12/250"));
        finestra.HideButtons();
        for (int i = 1; i <= 3; ++i)
            QVERIFY(finestra.Toolbar1[i]->isVisible());
        for (int i = 4; i <= frmMain::NumPulsanti; ++i)
            QVERIFY(!finestra.Toolbar1[i]->isVisible());
        QVERIFY(!finestra.mnuRubNuovo->isEnabled());
        QVERIFY(finestra.mnuRubRic->isEnabled()); // not one of the view's items
        QVERIFY(!finestra.popSDel->isVisible());
        finestra.popSDel->setVisible(true); // a folder view shows it: it must come back usable
        QVERIFY(finestra.popSDel->isEnabled());
        QVERIFY(finestra.popSPrint->isVisible());
        QVERIFY(finestra.SBar[3]->text().isEmpty());
    }

    void layoutPerVista_data()
    {
        QTest::addColumn<int>("vista");
        QTest::newRow("list") << 0;
        QTest::newRow("messages") << 2;
        QTest::newRow("logo") << 1;
        QTest::newRow("calendar") << 8;
        QTest::newRow("network selection") << 13;
        QTest::newRow("unknown view") << 99;
    }

    void layoutPerVista()
    {
        QFETCH(int, vista);
        ControlliLayout c;
        c.List1.top = 100;
        c.listProm.top = 1500;
        c.listaReti.top = 300;
        c.listaRetiDisp.top = 300;
        const double W = 12000, H = 9000;
        LayoutPerVista(static_cast<uint8_t>(vista), W, H, c);
        QCOMPARE(c.S25Tree.height, H - 1470);
        switch (vista) {
        case 0:
            QCOMPARE(c.List1.width, W - 2450);
            QCOMPARE(c.List1.height, H - 1440);
            QVERIFY(!c.txtSMS.visibile);
            break;
        case 2:
            QCOMPARE(c.List1.height, 3000.0);
            QCOMPARE(c.txtSMS.top, 100 + 3000 + 50.0);
            QCOMPARE(c.txtSMS.height, (H - 1470) - 3000 - 30);
            QCOMPARE(c.txtSMS.width, c.List1.width);
            QVERIFY(c.txtSMS.visibile);
            break;
        case 1:
            QCOMPARE(c.frameLogo.width, W - 2580);
            QCOMPARE(c.frameLogo.height, H - 1450);
            QVERIFY(c.frameLogo.visibile);
            QVERIFY(!c.frameMidi.visibile);
            break;
        case 8:
            QCOMPARE(c.listProm.width, W - 2580 - 400);
            QCOMPARE(c.listProm.height, H - 1450 - 1500 - 200);
            QVERIFY(c.frameCal.visibile);
            break;
        case 13:
            QCOMPARE(c.List1.height, (H - 1440) / 2);
            QCOMPARE(c.frameReti.top, 100 + (H - 1440) / 2 + 40);
            QCOMPARE(c.listaReti.width, c.listaRetiDisp.width);
            QCOMPARE(c.listaReti.height, c.listaRetiDisp.height);
            QCOMPARE(c.Label2.left, c.listaReti.left);
            QVERIFY(!c.frameReti.visibile); // its view shows it
            break;
        default:
            QCOMPARE(c.List1.width, 0.0);
            break;
        }
    }

    // The view is laid out again when the window is resized, and when its area alone changes, as
    // it does when the toolbar comes or goes.
    void layoutSeguitoAlRidimensionamento()
    {
        BaseLang = 1;
        Opzioni = Impostazioni{};
        frmMain finestra;
        finestra.Form_Load();
        finestra.resize(900, 700);
        QTRY_VERIFY(finestra.isVisible());
        const QSize prima = finestra.List1->size();
        finestra.resize(1050, 700);
        QTRY_COMPARE(finestra.List1->width(), prima.width() + 150);
        QCOMPARE(finestra.List1->height(), prima.height());
        auto* barra = finestra.findChild<QToolBar*>();
        QVERIFY(barra);
        const int altezzaBarra = barra->height();
        barra->hide();
        QTRY_COMPARE(finestra.List1->height(), prima.height() + altezzaBarra);
    }

    void troppoPiccola()
    {
        QVERIFY(TroppoPiccola(3000, 9000, false));
        QVERIFY(TroppoPiccola(9000, 3000, false));
        QVERIFY(TroppoPiccola(9000, 9000, true));
        QVERIFY(!TroppoPiccola(3001, 3001, false));
    }

    void centratura()
    {
        QCOMPARE(Centrato(QRect(0, 0, 4000, 3000), QRect(1000, 500, 6000, 5000)),
                 QRect(2000, 1500, 4000, 3000));
        QCOMPARE(Centrato(QRect(0, 0, 4800, 3600), QRect(0, 0, 15360, 11520)),
                 QRect(5280, 3960, 4800, 3600));
        QVERIFY(Centrato(QRect(0, 0, 8000, 3000), QRect(1000, 500, 6000, 5000)).left() < 1000);
    }

    void caricamentoPreferitiETitolo()
    {
        BaseLang = 1;
        Opzioni = Impostazioni{};
        frmMain finestra;
        finestra.Form_Load();
        for (int n = 4; n <= 9; ++n) {
            QCOMPARE(finestra.PicLogoOp[n]->size(), finestra.PicLogoOp[0]->size());
            QVERIFY(finestra.PicLogoOp[n]->y() > finestra.PicLogoOp[n - 1]->y());
        }
        QVERIFY(finestra.windowTitle().startsWith(QStringLiteral("Quorna   v")));
        QVERIFY(!finestra.mnuRubRic->isEnabled());
        QVERIFY(finestra.mnuTConn->isEnabled());
        QCOMPARE(int(finestra.CurrentView), 0);
        QCOMPARE(finestra.frameMidi->geometry(), finestra.frameLogo->geometry());
    }
};

QTEST_MAIN(TstFrmMain)
#include "tst_frmmain.moc"
