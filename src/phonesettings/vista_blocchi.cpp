// The locks view of the main window and the switch of the selected lock.

#include "blocchi.h"
#include "catalogo.h"
#include "collegamento.h"
#include "frmblocco.h"
#include "frmmain.h"
#include "globali.h"
#include "impostazioni_telefono.h"
#include "interazione.h"
#include "listareport.h"
#include "scambio.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>

namespace {

constexpr int PosBlocca = 41;
constexpr int FacilitaTastiera = 0;

constexpr std::array<int, NumFacilitaBlocco> IconeBlocchi{52, 38, 53, 54, 55, 55, 55, 56, 56};

} // namespace

void ImpostazioniTelefono::iniziaVistaElenco(uint8_t vista, const QString& nodo)
{
    f.CurrentView = vista;
    f.Form_Resize();
    f.HideButtons();
    f.Espandi(nodo);
    f.List1->setVisible(true);
    f.List1->SetSorted(false);
}

int ImpostazioniTelefono::rigaSelezionata() const
{
    QTreeWidgetItem* riga = f.List1->SelectedItem();
    return riga ? f.List1->indexOfTopLevelItem(riga) : -1;
}

void ImpostazioniTelefono::ShowBlocchi()
{
    iniziaVistaElenco(10, QStringLiteral("BLOCK"));
    mostraPulsanti({PosAggiorna, PosBlocca});
    f.List1->ImpostaColonne({{Msg(325), 2500, QStringLiteral("kBlocco")},
                             {Msg(326), 400, QStringLiteral("kStato")},
                             {Msg(327), 1000, QStringLiteral("kCosa")}});
    f.List1->setHeaderHidden(false);
    if (Connesso && !Telefono.BlocchiLetti && LineaLibera)
        LeggiBlocchi().Avvisa();
    // Offline the list stays empty until the locks have been read; a phone that left them
    // unanswered gets the one unavailable row.
    if (!Telefono.BlocchiLetti && TelefonoIrraggiungibile()) {
        if (TelefonoMuto())
            AggiungiNonDisponibile(*f.List1);
        return;
    }
    for (int fac = 0; fac < NumFacilitaBlocco; ++fac) {
        const StatoClassi& stato = Telefono.Blocchi[static_cast<size_t>(fac)];
        QTreeWidgetItem* riga
            = f.List1->Aggiungi(NomiBlocchi[static_cast<size_t>(fac)],
                                {StatoMostrato(stato[0]), ClassiBloccate(fac, stato)},
                                IconeBlocchi[static_cast<size_t>(fac)]);
        riga->setData(0, Qt::UserRole, CodiciBlocchi[static_cast<size_t>(fac)]);
    }
    pulsante(PosAggiorna)->setEnabled(true);
}

void ImpostazioniTelefono::CambiaBlocco()
{
    // A switch still waiting for the phone keeps a second one from starting.
    const int riga = rigaSelezionata();
    if (riga < 0 || riga >= NumFacilitaBlocco || ScambioInCorso())
        return;
    // A lock whose state the phone did not give is neither switched on nor off.
    if (Telefono.Blocchi[static_cast<size_t>(riga)][0] == StatoBloccoIgnoto) {
        QApplication::beep();
        return;
    }
    const QTreeWidgetItem* voce = f.List1->topLevelItem(riga);
    const uint8_t modo = ListaReport::SottoVoce(voce, 1) == SiNo(true) ? 0 : 1;
    if (riga == FacilitaTastiera) {
        std::optional<uint8_t> classe;
        if (!ImpostaBlocco(FacilitaTastiera, modo, SenzaCodice, classe))
            MsgBox(Msg(332), QMessageBox::Critical, QMessageBox::Ok, Msg(VoceErrore));
    } else {
        const QString nome = voce->text(0);
        frmBlocco dialogo(riga, modo, nome, &f);
        dialogo.setWindowTitle(Msg(modo == 1 ? 330 : 331) + nome);
        dialogo.MostraEAttendi(dialogo.txtCodice);
    }
    ShowBlocchi();
    if (QTreeWidgetItem* stessa = f.List1->topLevelItem(riga)) {
        f.List1->setCurrentItem(stessa);
        f.List1_Click();
    }
}
