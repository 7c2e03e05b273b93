// The view machinery of the main window: the reset every view starts from, and tree selection.

#include "frmmain.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QTextEdit>
#include <QTreeWidget>

void frmMain::HideButtons()
{
    for (int i = 4; i <= NumPulsanti; ++i)
        Toolbar1[static_cast<size_t>(i)]->setVisible(false);
    for (QWidget* pannello : {static_cast<QWidget*>(frameReti), static_cast<QWidget*>(frameLogo),
                              static_cast<QWidget*>(frameMidi), static_cast<QWidget*>(frameCal),
                              static_cast<QWidget*>(frameOra), static_cast<QWidget*>(txtSMS)})
        pannello->setVisible(false);
    for (QAction* voce :
         {mnuRubInvia, mnuRubNuovo, mnuRubEdit, mnuRubCanc, mnuRubStampa, mnuRubSalvaF, mnuSMSNew,
          mnuSMSSalvaA, mnuSMSSalvaS, mnuSMSEdit, mnuSMSDel, mnuSMSRis, mnuSMSInv, mnuSMSSta})
        voce->setEnabled(false);
    // The message folder view shows the pop-up items that apply to its folder.
    for (QAction* voce : {popSSend, popSReply, popSEdit, popSDel, popSSS, popSSA})
        voce->setVisible(false);
    for (QAction* voce : {popSSend, popSReply, popSEdit, popSDel, popSSS, popSSA, popSPrint})
        voce->setEnabled(true);
    for (QAction* voce :
         {mnuCRic,   mnuCInvia,  mnuCVisProm, mnuCNuovo, mnuCEdit, mnuCDel,  mnuCStampa,
          mnuCSalva, mnuLRic,    mnuLVis,     mnuLSta,   mnuLoRic, mnuLoInv, mnuLoDel,
          mnuLoApri, mnuLoSalva, mnuMRic,     mnuMInv,   mnuMDel,  mnuMApri, mnuMSalva})
        voce->setEnabled(false);
    SBar[3]->setText(QString());
}

void frmMain::Espandi(const QString& chiave)
{
    // Selecting a node here must not run its view: the caller shows the view itself.
    QTreeWidgetItemIterator it(S25Tree);
    for (; *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() != chiave)
            continue;
        for (QTreeWidgetItem* padre = (*it)->parent(); padre; padre = padre->parent())
            padre->setExpanded(true);
        S25Tree->scrollToItem(*it);
        S25Tree->setCurrentItem(*it);
    }
}

QString frmMain::ChiaveSelezionata() const
{
    const QTreeWidgetItem* nodo = S25Tree->currentItem();
    return nodo ? nodo->data(0, Qt::UserRole).toString() : QString();
}
