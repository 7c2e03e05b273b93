// The windows as a desktop user meets them, on the whole program connected to the simulated
// phone: input dialogs owned by the main window and centred over it, menus that keep their
// state, panes that stay in the feature area, a tree that follows the keyboard.

#include "bancointero.h"
#include "catalogo.h"
#include "dialoghi.h"
#include "didascalie.h"
#include "finestre.h"
#include "frmblocco.h"
#include "frmlistd.h"
#include "frmmain.h"
#include "frmsms.h"
#include "globali.h"
#include "impostazioni.h"
#include "listareport.h"
#include "listedistribuzione.h"
#include "programma.h"
#include "tabelle.h"
#include "vocabolario.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>
#include <QtTest>

#include <functional>

namespace {

// An input dialog stands over its owner: owned by it, usable while the owner is disabled,
// centred over it at its final size.
void controllaSopra(QDialog& dialogo, QWidget& proprietario)
{
    QCOMPARE(dialogo.parentWidget(), &proprietario);
    QVERIFY(dialogo.isEnabled());
    QVERIFY(dialogo.windowHandle());
    QCOMPARE(dialogo.windowHandle()->transientParent(), proprietario.windowHandle());
    QCOMPARE(dialogo.size(), dialogo.size().expandedTo(dialogo.minimumSizeHint()));
    // Wide enough for the window manager to show its title whole.
    QFont titolo = dialogo.font();
    titolo.setBold(true);
    QVERIFY2(dialogo.width() > QFontMetrics(titolo).horizontalAdvance(dialogo.windowTitle()),
             qPrintable(dialogo.windowTitle()));
    const QPoint scarto = dialogo.frameGeometry().center() - proprietario.frameGeometry().center();
    QVERIFY2(qAbs(scarto.x()) <= 1 && qAbs(scarto.y()) <= 1,
             qPrintable(QStringLiteral("%1 is off the centre by %2, %3")
                            .arg(QString::fromLatin1(dialogo.metaObject()->className()))
                            .arg(scarto.x())
                            .arg(scarto.y())));
}

// Every visible column of the list is wide enough for its header and for every row's text and
// picture, so nothing is cut to "…".
void controllaColonne(QTreeWidget& lista)
{
    QVERIFY(lista.topLevelItemCount() > 0);
    QStyleOptionViewItem opzione;
    opzione.initFrom(&lista);
    opzione.font = lista.font();
    opzione.decorationSize = lista.iconSize().isValid() ? lista.iconSize() : QSize(16, 16);
    for (int c = 0; c < lista.columnCount(); ++c) {
        if (lista.isColumnHidden(c) || lista.columnWidth(c) == 0)
            continue;
        const QString colonna = lista.headerItem()->text(c);
        QVERIFY2(lista.columnWidth(c) >= lista.header()->sectionSizeHint(c),
                 qPrintable(QStringLiteral("header of \"%1\" cut").arg(colonna)));
        for (int r = 0; r < lista.topLevelItemCount(); ++r) {
            const QModelIndex indice = lista.model()->index(r, c);
            const int serve = lista.itemDelegateForIndex(indice)->sizeHint(opzione, indice).width();
            QVERIFY2(lista.columnWidth(c) >= serve,
                     qPrintable(QStringLiteral("\"%1\" cut in column \"%2\" (%3 < %4)")
                                    .arg(lista.topLevelItem(r)->text(c), colonna)
                                    .arg(lista.columnWidth(c))
                                    .arg(serve)));
        }
    }
}

// A list of a dialog at least as large as its layout gives it (twips), its columns whole and
// nothing of them behind a sideways scroll bar.
void controllaVista(QTreeWidget& vista, int larghezzaTwips, int altezzaTwips)
{
    controllaColonne(vista);
    QVERIFY2(vista.width() >= InPixel(larghezzaTwips) && vista.height() >= InPixel(altezzaTwips),
             qPrintable(QStringLiteral("%1 x %2").arg(vista.width()).arg(vista.height())));
    QTRY_COMPARE(vista.horizontalScrollBar()->maximum(), 0);
}

// At least the width the tree's column needs to show every caption now visible whole: its
// indentation, its picture and its text.
int larghezzaAlbero(const QTreeWidget& albero)
{
    const int figura = albero.iconSize().isValid() ? albero.iconSize().width() : 16;
    int larghezza = 0;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&albero)); *it; ++it) {
        int livello = albero.rootIsDecorated() ? 1 : 0;
        bool visibile = true;
        for (const QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent()) {
            ++livello;
            visibile = visibile && p->isExpanded();
        }
        if (visibile)
            larghezza
                = std::max(larghezza, livello * albero.indentation() + figura
                                          + albero.fontMetrics().horizontalAdvance((*it)->text(0)));
    }
    return larghezza;
}

} // namespace

class TstFinestre : public QObject, private BancoIntero {
    Q_OBJECT

    void sopraLaFinestra(const std::function<void()>& comando)
    {
        QVERIFY(ConDialogo(comando, [this](QDialog& d) {
            QVERIFY(!finestra->isEnabled());
            controllaSopra(d, *finestra);
        }));
        QVERIFY(finestra->isEnabled());
    }

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName(QStringLiteral("Quorna"));
        QVERIFY(CatalogoMessaggi::Carica());
    }

    void init()
    {
        accendiDemo();
        finestra = CaricaFinestraPrincipale();
    }

    void cleanup() { spegni(); }

    // Each input dialog belongs to the main window, stays usable while the main window is
    // disabled behind it, and opens centred over it at the size its contents need.
    void dialoghiSopraLaFinestraPrincipale()
    {
        connettiDallaBarra();
        clic(QStringLiteral("RUB_SIM"));
        sopraLaFinestra([this] { finestra->rubrica->AddRubrica(); });
        sopraLaFinestra([this] { finestra->rubrica->StampaRubrica(); });

        sopraLaFinestra([this] { finestra->messaggi->InviaSMS(false, true); });

        clic(QStringLiteral("CAL"));
        sopraLaFinestra([this] { finestra->oggetti->AddProm(); });

        clic(QStringLiteral("BLOCK"));
        scegliRiga(2);
        sopraLaFinestra([this] { finestra->impostazioni->CambiaBlocco(); });
        // The password change stands over the lock dialog that opens it.
        QVERIFY(ConDialogo([this] { finestra->impostazioni->CambiaBlocco(); },
                           [](QDialog& blocco) {
                               auto* pCambia = qobject_cast<frmBlocco*>(&blocco)->pCambia;
                               QVERIFY(ConDialogo(
                                   [pCambia] { pCambia->click(); },
                                   [&blocco](QDialog& cambio) { controllaSopra(cambio, blocco); },
                                   {&blocco}));
                           }));

        clic(QStringLiteral("TRASF0"));
        scegliRiga(0);
        sopraLaFinestra([this] { finestra->impostazioni->EditTrasf(false); });
    }

    // Tab and Shift+Tab take the focus out of the message text to the next and the previous
    // field, as in every other field; a tab pasted into the text becomes a blank. Enter presses
    // the button Tab reached, Return and the keypad's alike; in the text it breaks the line.
    void tabulazioneNelTesto()
    {
        connettiDallaBarra();
        QVERIFY(ConDialogo([this] { finestra->messaggi->InviaSMS(false, true); },
                           [](QDialog& d) {
                               auto* sms = qobject_cast<frmSMS*>(&d);
                               QVERIFY(sms);
                               sms->txtMess->setFocus();
                               QTest::keyClick(sms->txtMess, Qt::Key_Tab);
                               QCOMPARE(sms->focusWidget(), sms->pInvia);
                               QTest::keyClick(sms->pInvia, Qt::Key_Backtab);
                               QCOMPARE(sms->focusWidget(), sms->txtMess);
                               QTest::keyClick(sms->txtMess, Qt::Key_Tab, Qt::ShiftModifier);
                               QCOMPARE(sms->focusWidget(), sms->cmbTempo);
                               QCOMPARE(sms->txtMess->toPlainText(), QString());
                               QApplication::clipboard()->setText(QStringLiteral("a\tb"));
                               sms->txtMess->paste();
                               QCOMPARE(sms->txtMess->toPlainText(), QStringLiteral("a b"));
                               QCOMPARE(sms->labChUsati->text(), QStringLiteral("3"));
                               QTest::keyClick(sms->txtMess, Qt::Key_Enter, Qt::KeypadModifier);
                               QCOMPARE(sms->txtMess->toPlainText(), QStringLiteral("a b\n"));
                               const auto premuto = [](QPushButton* pulsante, Qt::Key tasto,
                                                       Qt::KeyboardModifier modo) {
                                   QSignalSpy clic(pulsante, &QPushButton::clicked);
                                   pulsante->setFocus();
                                   QTest::keyClick(pulsante, tasto, modo);
                                   return clic.count() == 1;
                               };
                               QVERIFY(premuto(sms->pInvia, Qt::Key_Return, Qt::NoModifier));
                               QVERIFY(premuto(sms->pSalva, Qt::Key_Enter, Qt::KeypadModifier));
                               QVERIFY(premuto(sms->pAnnulla, Qt::Key_Return, Qt::NoModifier));
                               QVERIFY(!sms->isVisible());
                           }));
    }

    // The compose dialog keeps its width while the counts under the text grow, a negative
    // count included, and when a send fails.
    void composizioneMantieneLaLarghezza_data() { RighePerLingua(); }

    void composizioneMantieneLaLarghezza()
    {
        QFETCH(int, lingua);
        ScegliLingua(lingua);
        connettiDallaBarra();
        QVERIFY(ConDialogo([this] { finestra->messaggi->InviaSMS(false, true); },
                           [this](QDialog& d) {
                               auto* sms = qobject_cast<frmSMS*>(&d);
                               QVERIFY(sms);
                               const int larghezza = sms->width();
                               sms->txtNum->setText(QStringLiteral("3331234567"));
                               for (int caratteri : {9, 10, 100, 170, 99}) {
                                   sms->txtMess->setPlainText(QString(caratteri, u'x'));
                                   QTest::qWait(0);
                                   QCOMPARE(sms->width(), larghezza);
                               }
                               telefono->failNextCommand();
                               sms->pInvia->click();
                               QTest::qWait(0);
                               QVERIFY(sms->isVisible());
                               QCOMPARE(sms->width(), larghezza);
                           }));
    }

    // The Show submenus keep the state the program gave them while the main window is disabled
    // and enabled again behind a dialog or the wait window.
    void sottomenuMantengonoLoStato()
    {
        QVERIFY(!finestra->mnuRubVis->isEnabled());
        QVERIFY(!finestra->mnuLVis->isEnabled());
        finestra->setEnabled(false);
        finestra->setEnabled(true);
        QVERIFY(!finestra->mnuRubVis->isEnabled());
        QVERIFY(!finestra->mnuLVis->isEnabled());

        connettiDallaBarra();
        clic(QStringLiteral("RUB_SIM"));
        QVERIFY(finestra->mnuRubVis->isEnabled());
        finestra->setEnabled(false);
        finestra->setEnabled(true);
        QVERIFY(finestra->mnuRubVis->isEnabled());
    }

    // Moving in the tree with the keyboard shows each node's view, as a click does.
    void alberoDallaTastiera()
    {
        QTreeWidget* albero = finestra->S25Tree;
        albero->setFocus();
        clic(QStringLiteral("S25"));
        QTest::keyClick(albero, Qt::Key_End);
        QCOMPARE(finestra->ChiaveSelezionata(), QStringLiteral("LOGO"));
        QCOMPARE(finestra->CurrentView, uint8_t(1));
        QTest::keyClick(albero, Qt::Key_Up);
        QCOMPARE(finestra->ChiaveSelezionata(), QStringLiteral("MEL"));
        QCOMPARE(finestra->CurrentView, uint8_t(7));
        QTest::keyClicks(albero, QStringLiteral("Cl"));
        QCOMPARE(finestra->ChiaveSelezionata(), QStringLiteral("ORA"));
        QCOMPARE(finestra->CurrentView, uint8_t(9));
        QTest::keyClick(albero, Qt::Key_Home);
        QCOMPARE(finestra->ChiaveSelezionata(), QStringLiteral("S25"));
        QCOMPARE(finestra->CurrentView, uint8_t(0));
        QVERIFY(!finestra->frameOra->isVisible());
    }

    // Back in the melody view while a tone still rings, the button offers to stop it.
    void pulsanteSuoneriaMostraIlTelefono()
    {
        connettiDallaBarra();
        clic(QStringLiteral("MEL"));
        QCOMPARE(finestra->pPlay->text(), QStringLiteral("&Play"));
        finestra->pPlay->click();
        QCOMPARE(finestra->pPlay->text(), QStringLiteral("&Stop"));
        clic(QStringLiteral("LOGO"));
        clic(QStringLiteral("MEL"));
        QCOMPARE(finestra->pPlay->text(), QStringLiteral("&Stop"));
        QVERIFY(!finestra->sliderMelodia->isEnabled());
        telefono->clearCommandLog();
        finestra->pPlay->click();
        QCOMPARE(telefono->commandLog(), QStringList{QStringLiteral("AT^SRTC")});
        QCOMPARE(finestra->pPlay->text(), QStringLiteral("&Play"));
        QVERIFY(finestra->sliderMelodia->isEnabled());
    }

    // The 97 x 26 logo is enlarged by whole pixels, never smoothed: its pixels stay black and
    // white, and the pane's divider and progress bar stay inside the pane.
    void logoAPixelInteri()
    {
        QImage scacchi(97, 26, QImage::Format_RGB32);
        for (int y = 0; y < scacchi.height(); ++y)
            for (int x = 0; x < scacchi.width(); ++x)
                scacchi.setPixel(x, y, (x + y) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        clic(QStringLiteral("LOGO"));
        finestra->PicLogo->setPixmap(QPixmap::fromImage(scacchi));
        const QImage visto = finestra->PicLogo->grab().toImage();
        QSet<QRgb> colori;
        for (int y = 0; y < visto.height(); ++y)
            for (int x = 0; x < visto.width(); ++x)
                colori.insert(visto.pixel(x, y));
        QCOMPARE(colori, (QSet<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));

        const QRect riquadro = finestra->frameLogo->rect();
        QVERIFY(riquadro.contains(finestra->Line1->geometry()));
        QVERIFY(riquadro.contains(finestra->pbarLogo->geometry()));
        QVERIFY(riquadro.contains(finestra->picDrop->geometry()));
    }

    // The editor on the left, the vertical divider, the palette on its right, the send's
    // percentage in its label only. A narrow window cuts the palette before the logo.
    void riquadroLogo()
    {
        clic(QStringLiteral("LOGO"));
        const QRect linea = finestra->Line1->geometry();
        QVERIFY(linea.height() > linea.width());
        QVERIFY(finestra->picDrop->geometry().right() < linea.left());
        for (const QLabel* slot : finestra->PicLogoOp)
            QVERIFY(linea.right() < slot->x());
        QVERIFY(finestra->pbarLogo->geometry().right() < finestra->labP->x());
        QVERIFY(!finestra->pbarLogo->isTextVisible());

        const int stretto = finestra->PicLogo->width() + 40;
        finestra->resize(finestra->width() - (finestra->frameLogo->width() - stretto),
                         finestra->height());
        QTRY_COMPARE(finestra->frameLogo->width(), stretto);
        QVERIFY(finestra->frameLogo->width() < finestra->PicLogoOp[0]->geometry().right());
        const QRect logo(finestra->PicLogo->mapTo(finestra->frameLogo, QPoint()),
                         finestra->PicLogo->size());
        QVERIFY(finestra->frameLogo->rect().contains(logo));
        QVERIFY(finestra->picDrop->geometry().contains(logo));
    }

    // The lists' columns grow to fit their headers and contents, in every language.
    void colonneNonTagliate_data() { RighePerLingua(); }

    void colonneNonTagliate()
    {
        QFETCH(int, lingua);
        ScegliLingua(lingua);
        finestra->InitLang();
        InitTabelleLingua();
        connettiDallaBarra();
        for (const char* chiave : {"RUB", "RUB_SIM", "RUB_ROS", "BLOCK", "TRASF", "TRASF2",
                                   "LIST_RC", "SMS_IN", "ALIM", "RETE", "S25"}) {
            clic(QString::fromLatin1(chiave));
            controllaColonne(*finestra->List1);
        }
        clic(QStringLiteral("CAL"));
        controllaColonne(*finestra->listProm);
    }

    // The tree shows every caption whole, whatever branches are open: its column is as wide as
    // the longest caption shown, and the tree scrolls sideways when that is wider than it.
    void alberoMostraOgniDidascalia()
    {
        for (uint8_t lingua : {0, 1, 2}) {
            ScegliLingua(lingua);
            finestra->InitLang();
            QTreeWidget* albero = finestra->S25Tree;
            QVERIFY(albero->columnWidth(0) >= larghezzaAlbero(*albero));
            albero->expandAll();
            QVERIFY2(albero->columnWidth(0) >= larghezzaAlbero(*albero),
                     qPrintable(QString::number(lingua)));
            albero->collapseAll();
            albero->expandAll();
            QVERIFY(albero->columnWidth(0) >= larghezzaAlbero(*albero));
        }
    }

    // At the size the program opens with, in each language, the tree shows every caption whole
    // with all its branches open; it stands beside the views in a splitter, and the user who
    // widens it takes the room from the views. The width it had when the program closed comes
    // back at the next start, though the window's placement is not remembered.
    void alberoInteroAllApertura_data() { RighePerLingua(); }

    void alberoInteroAllApertura()
    {
        QFETCH(int, lingua);
        delete finestra;
        ScegliLingua(lingua);
        finestra = CaricaFinestraPrincipale();
        QTRY_VERIFY(finestra->isVisible());
        QTreeWidget* albero = finestra->S25Tree;
        albero->expandAll();
        QTRY_COMPARE(albero->horizontalScrollBar()->maximum(), 0);
        QVERIFY(albero->viewport()->width() >= larghezzaAlbero(*albero));

        auto* divisore = qobject_cast<QSplitter*>(albero->parentWidget());
        QVERIFY(divisore);
        QCOMPARE(divisore->indexOf(albero), 0);
        QVERIFY(divisore->widget(1)->isAncestorOf(finestra->List1));
        const int lista = finestra->List1->width();
        const QList<int> misure = divisore->sizes();
        divisore->setSizes({misure[0] + 60, misure[1] - 60});
        QTRY_COMPARE(albero->width(), misure[0] + 60);
        QTRY_COMPARE(finestra->List1->width(), lista - 60);
        QCOMPARE(Opzioni.SaveWindow, 0);
        SalvaLarghezzaAlbero(InTwips(albero->width()));
        delete finestra;
        finestra = CaricaFinestraPrincipale();
        QTRY_COMPARE(finestra->S25Tree->width(), misure[0] + 60);
    }

    // The forwarding switch is drawn pressed only on the active row it acts on: once the view is
    // built again (refreshed, or after the switch's own dialog) it stands disabled and raised.
    void interruttoreTrasferimentoRilasciato()
    {
        connettiDallaBarra();
        clic(QStringLiteral("TRASF2"));
        QAction* interruttore = finestra->Toolbar1[38];
        scegliRiga(0);
        QVERIFY(interruttore->isEnabled() && interruttore->isChecked());
        finestra->Aggiorna();
        QVERIFY(!interruttore->isEnabled());
        QVERIFY(!interruttore->isChecked());

        scegliRiga(1);
        QVERIFY(interruttore->isEnabled() && !interruttore->isChecked());
        QVERIFY(ConDialogo([interruttore] { interruttore->trigger(); }, [](QDialog&) {}));
        QVERIFY(!interruttore->isEnabled());
        QVERIFY(!interruttore->isChecked());
    }

    // The network selection pane opens below the list, in the feature area beside the tree.
    void riquadroRetiNellAreaDelleViste()
    {
        connettiDallaBarra();
        clic(QStringLiteral("RETE"));
        finestra->Toolbar1[43]->setChecked(true);
        finestra->Toolbar1_ButtonClick(finestra->Toolbar1[43]);
        QCOMPARE(finestra->CurrentView, uint8_t(13));
        QVERIFY(finestra->frameReti->isVisible());
        QVERIFY(finestra->listaRetiDisp->count() > 0);
        const QRect riquadro = finestra->frameReti->geometry();
        const QRect albero(finestra->S25Tree->mapTo(finestra, QPoint()), finestra->S25Tree->size());
        QVERIFY(!albero.intersects(
            QRect(finestra->frameReti->mapTo(finestra, QPoint()), riquadro.size())));
        QVERIFY(!riquadro.intersects(finestra->List1->geometry()));
        QCOMPARE(riquadro.left(), finestra->List1->x());
        QVERIFY(finestra->centralWidget()->rect().contains(riquadro));
        // Its note shows whole, inside the pane and below the lists.
        const QLabel* nota = finestra->labOKKIO;
        QVERIFY(finestra->frameReti->rect().contains(nota->geometry()));
        QVERIFY(nota->height() >= nota->heightForWidth(nota->width()));
        QVERIFY(!nota->geometry().intersects(finestra->listaReti->geometry()));
        QVERIFY(!nota->geometry().intersects(finestra->listaRetiDisp->geometry()));
    }

    // The entry dialog shows its captions whole in every language ("Numbe", "Locatio" and
    // "Positior" were cut).
    void dialogoVoceSenzaTagli()
    {
        connettiDallaBarra();
        clic(QStringLiteral("RUB_SIM"));
        for (uint8_t lingua : {0, 1, 2}) {
            ScegliLingua(lingua);
            QVERIFY(ConDialogo([this] { finestra->rubrica->AddRubrica(); },
                               [](QDialog& d) {
                                   const QStringList difetti = TestiTagliati(d);
                                   QVERIFY2(difetti.isEmpty(),
                                            qPrintable(difetti.join(QStringLiteral("; "))));
                               }));
        }
    }

    // The distribution list editor opens over the compose dialog that calls it; its members and
    // phonebook lists open at least at the size of its layout, and show names and numbers whole,
    // with nothing behind a sideways scroll bar.
    void editorListeSopraLaComposizione()
    {
        ListeDistribuzione = {
            {NomeLista(QStringLiteral("Amici")),
             {VoceFile{0, QStringLiteral("Casa anonimo"), QStringLiteral("*31#0612345678"), 0},
              VoceFile{0, QStringLiteral("Andrea Colombo"), QStringLiteral("+393383334455"), 0}}}};
        QVERIFY(SalvaFileListeD());
        connettiDallaBarra();
        clic(QStringLiteral("RUB_SIM"));
        QVERIFY(ConDialogo([this] { finestra->messaggi->InviaSMS(false, true); },
                           [](QDialog& composizione) {
                               auto* sms = qobject_cast<frmSMS*>(&composizione);
                               QVERIFY(sms);
                               QPushButton* pEditList = sms->pEditList;
                               QVERIFY(
                                   ConDialogo([pEditList] { pEditList->click(); },
                                              [&composizione](QDialog& editor) {
                                                  controllaSopra(editor, composizione);
                                                  // Its phonebook list shows names whole.
                                                  auto* listD = qobject_cast<frmListD*>(&editor);
                                                  QVERIFY(listD);
                                                  controllaVista(*listD->ListNum, 3804, 2172);
                                                  controllaVista(*listD->listRubrica, 3804, 3420);
                                              },
                                              {&composizione}));
                           }));
    }
};

QTEST_MAIN(TstFinestre)
#include "tst_finestre.moc"
