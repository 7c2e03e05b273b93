#include "vista.h"

#include "collegamento.h"
#include "frmmain.h"
#include "globali.h"
#include "listareport.h"
#include "scambio.h"

#include <QAction>

namespace {

const QString ChiaveAggiorna = QStringLiteral("pAggiorna");

// The window as the view starts from: nothing left of the last view, the list or the view's
// pane on show, the pane and the view's buttons disabled.
void Azzera(frmMain& f, const Vista& vista)
{
    f.VistaMostrata = vista.chiave;
    f.List1->setVisible(!vista.riquadro);
    f.CurrentView = vista.codice;
    f.Form_Resize();
    f.HideButtons();
    for (const QString& chiave : vista.pulsanti) {
        QAction* pulsante = f.Pulsante(chiave);
        pulsante->setVisible(true);
        pulsante->setEnabled(false);
    }
    if (vista.riquadro) {
        vista.riquadro->setVisible(true);
        vista.riquadro->setEnabled(false);
    }
}

} // namespace

void ApriVista(frmMain& f, const Vista& vista)
{
    const bool mostrata = !vista.chiave.isEmpty() && f.VistaMostrata == vista.chiave;
    QAction* aggiorna
        = vista.pulsanti.contains(ChiaveAggiorna) ? f.Pulsante(ChiaveAggiorna) : nullptr;
    const bool connesso = Connesso;
    if (Connesso && LineaLibera && (vista.leggeSempre || !vista.letta()))
        vista.leggi();
    if (aggiorna && mostrata && connesso && !Connesso)
        return;
    Azzera(f, vista);
    vista.prepara();
    if (!vista.letta() && (!Connesso || TelefonoMuto())) {
        if (vista.nonDisponibile)
            vista.nonDisponibile();
        else if (!vista.riquadro)
            AggiungiNonDisponibile(*f.List1);
        if (aggiorna)
            aggiorna->setEnabled(Connesso);
        return;
    }
    if (vista.riquadro)
        vista.riquadro->setEnabled(Connesso);
    vista.riempi();
    if (aggiorna)
        aggiorna->setEnabled(true);
}
