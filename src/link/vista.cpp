#include "vista.h"

#include "catalogo.h"
#include "finestre.h"
#include "frmmain.h"
#include "globali.h"
#include "listareport.h"
#include "scambio.h"
#include "statotelefono.h"

#include <QAction>

namespace {

constexpr int ColonneDiTerzo = 3;
constexpr int ColonneDiMezzo = 2;
const QString ChiaveAggiorna = QStringLiteral("pAggiorna");

// The window as the view starts from: nothing left of the last view, the view's node selected,
// so that Refresh and the commands follow it, the list or the view's pane on show, the pane and
// the view's buttons disabled.
void Azzera(frmMain& f, const Vista& vista)
{
    f.VistaMostrata = vista.chiave;
    f.Espandi(vista.chiave);
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

void LayoutChiaveValore(ListaReport& elenco, bool conValore)
{
    elenco.SetSorted(false);
    const int larghezza = InTwips(elenco.width());
    // The captions are never seen: the headers stay hidden.
    QList<ListaReport::Colonna> colonne{
        {QStringLiteral("Chiave"), larghezza / ColonneDiTerzo, QStringLiteral("Chiave")}};
    if (conValore)
        colonne.append(
            {QStringLiteral("Valore"), larghezza / ColonneDiMezzo, QStringLiteral("Valore")});
    elenco.ImpostaColonne(colonne);
    elenco.setHeaderHidden(true);
}

void AggiungiNonDisponibile(ListaReport& elenco)
{
    const RigaVista riga = RigaNonDisponibile();
    elenco.Aggiungi(Msg(riga.voce), {}, riga.immagine);
}

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
    if (!vista.letta() && TelefonoIrraggiungibile()) {
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
