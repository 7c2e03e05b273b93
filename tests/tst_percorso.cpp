// A walk through the whole program as a person would take it: every node of the tree and every
// command of the menus, the pop-up menus and the toolbar, first without a phone and then
// connected to the simulated one. Dialogs are closed as they open and every question is answered
// No, so the walk reads the phone and changes nothing on it. Nothing may crash, hang or drop
// the link.

#include "bancointero.h"
#include "catalogo.h"
#include "frmmain.h"
#include "globali.h"
#include "programma.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {

// Every command of the window: the menu bar's items (submenus included), the pop-up menus'
// items and the toolbar's buttons, leaving out those that end the program or the link.
QList<QAction*> comandi(frmMain& f)
{
    QList<QAction*> daVisitare = f.menuBar()->actions();
    for (QMenu* popup : {f.mnuPref, f.popRub, f.popSMS, f.popProm})
        daVisitare += popup->actions();
    QList<QAction*> trovati;
    while (!daVisitare.isEmpty()) {
        QAction* voce = daVisitare.takeFirst();
        if (voce->menu())
            daVisitare += voce->menu()->actions();
        else if (!voce->isSeparator())
            trovati << voce;
    }
    for (int i = 1; i <= frmMain::NumPulsanti; ++i)
        if (!f.Toolbar1[static_cast<size_t>(i)]->isSeparator())
            trovati << f.Toolbar1[static_cast<size_t>(i)];
    for (QAction* fine : {f.mnuTConn, f.mnuTEsci, f.mnuTDisc, f.Toolbar1[2]})
        trovati.removeAll(fine);
    return trovati;
}

QStringList chiaviAlbero(frmMain& f)
{
    QStringList chiavi;
    for (QTreeWidgetItemIterator it(f.S25Tree); *it; ++it)
        chiavi << (*it)->data(0, Qt::UserRole).toString();
    return chiavi;
}

} // namespace

class TstPercorso : public QObject, private BancoIntero {
    Q_OBJECT

    QTimer chiudiDialoghi;

    void percorri()
    {
        for (const QString& chiave : chiaviAlbero(*finestra)) {
            finestra->Espandi(chiave);
            finestra->S25Tree_NodeClick(finestra->S25Tree->currentItem());
            for (QAction* comando : comandi(*finestra)) {
                comando->setVisible(true);
                comando->setEnabled(true);
                comando->trigger();
                QVERIFY2(finestra->isEnabled() || QApplication::activeModalWidget(),
                         qPrintable(chiave + QLatin1Char(' ') + comando->text()));
            }
        }
    }

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName(QStringLiteral("Quorna"));
        QVERIFY(CatalogoMessaggi::Carica());
        // Whatever dialog a command opens is closed at once, as a user who changes nothing.
        connect(&chiudiDialoghi, &QTimer::timeout, [] {
            if (auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialogo->reject();
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialogo = qobject_cast<QDialog*>(w);
                    dialogo && dialogo->isVisible() && w->inherits("DialogoRestituito"))
                    dialogo->reject();
        });
        chiudiDialoghi.start(20);
    }

    void init()
    {
        accendiDemo();
        finestra = CaricaFinestraPrincipale();
    }

    void cleanup() { spegni(); }

    void senzaTelefono()
    {
        percorri();
        QVERIFY(!Connesso);
        QVERIFY(telefono->commandLog().isEmpty());
    }

    void conIlTelefono()
    {
        connettiDallaBarra();
        percorri();
        QVERIFY(Connesso);
        QVERIFY(finestra->collegamento->PortOpen());
    }
};

QTEST_MAIN(TstPercorso)
#include "tst_percorso.moc"
