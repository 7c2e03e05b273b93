// The locks view of the main window and the switch of the selected lock.

#include "blocchi.h"
#include "catalogo.h"
#include "frmblocco.h"
#include "frmmain.h"
#include "globali.h"
#include "impostazioni_telefono.h"
#include "interazione.h"
#include "listareport.h"
#include "scambio.h"
#include "vista.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>

namespace {

constexpr int FacilitaTastiera = 0;

constexpr std::array<int, NumFacilitaBlocco> IconeBlocchi{52, 38, 53, 54, 55, 55, 55, 56, 56};

} // namespace

void ImpostazioniTelefono::preparaElenco(const QList<ListaReport::Colonna>& colonne)
{
    f.List1->SetSorted(false);
    f.List1->ImpostaColonne(colonne);
    f.List1->setHeaderHidden(false);
}

int ImpostazioniTelefono::rigaSelezionata() const
{
    QTreeWidgetItem* riga = f.List1->SelectedItem();
    return riga ? f.List1->indexOfTopLevelItem(riga) : -1;
}

void ImpostazioniTelefono::ShowBlocchi()
{
    Vista vista(QStringLiteral("BLOCK"), 10, {"pAggiorna", "pBlocca"});
    vista.letta = [] { return Telefono.BlocchiLetti; };
    vista.leggi = [] { LeggiBlocchi().Avvisa(); };
    vista.prepara = [this] {
        preparaElenco({{Msg(325), 2500, QStringLiteral("kBlocco")},
                       {Msg(326), 400, QStringLiteral("kStato")},
                       {Msg(327), 1000, QStringLiteral("kCosa")}});
    };
    vista.riempi = [this] {
        for (int fac = 0; fac < NumFacilitaBlocco; ++fac) {
            const StatoClassi& stato = Telefono.Blocchi[static_cast<size_t>(fac)];
            QTreeWidgetItem* riga
                = f.List1->Aggiungi(NomiBlocchi[static_cast<size_t>(fac)],
                                    {StatoMostrato(stato[0]), ClassiBloccate(fac, stato)},
                                    IconeBlocchi[static_cast<size_t>(fac)]);
            riga->setData(0, Qt::UserRole, CodiciBlocchi[static_cast<size_t>(fac)]);
        }
    };
    ApriVista(f, vista);
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
