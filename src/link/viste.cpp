// The identity, power and network views of the main window: each reads its group when the phone
// is connected, the group unread and the line free, then lists captions and values.

#include "catalogo.h"
#include "collegamento.h"
#include "finestre.h"
#include "frmmain.h"
#include "globali.h"
#include "letture.h"
#include "listareport.h"
#include "scambio.h"
#include "statotelefono.h"

#include <QAction>
#include <QLabel>

namespace {

constexpr int ColonneDiTerzo = 3;
constexpr int ColonneDiMezzo = 2;
// The network search lies over the network view, which stays on show beneath it.
constexpr uint8_t VistaSelezioneRete = 13;
// Each row of a key/value view carries the key of its node, so that the list says which view
// it holds.
constexpr int RuoloVista = Qt::UserRole + 30;
const QString ChiaveInfo = QStringLiteral("S25");
const QString ChiaveAlim = QStringLiteral("ALIM");
const QString ChiaveRete = QStringLiteral("RETE");

void MostraPulsante(QAction* pulsante, bool abilitato)
{
    pulsante->setVisible(true);
    pulsante->setEnabled(abilitato);
}

} // namespace

void Collegamento::inizioVista()
{
    f.CurrentView = 0;
    f.Form_Resize();
    f.HideButtons();
}

void Collegamento::layoutChiaveValore(bool conValore)
{
    f.List1->setVisible(true);
    f.List1->SetSorted(false);
    const int larghezza = InTwips(f.List1->width());
    // The captions are never seen: the headers stay hidden.
    QList<ListaReport::Colonna> colonne{
        {QStringLiteral("Chiave"), larghezza / ColonneDiTerzo, QStringLiteral("Chiave")}};
    if (conValore)
        colonne.append(
            {QStringLiteral("Valore"), larghezza / ColonneDiMezzo, QStringLiteral("Valore")});
    f.List1->ImpostaColonne(colonne);
    f.List1->setHeaderHidden(true);
}

void Collegamento::aggiungiRighe(const QString& chiave, const QList<RigaVista>& righe)
{
    for (const RigaVista& riga : righe)
        f.List1->Aggiungi(Msg(riga.voce), {riga.valore}, riga.immagine)
            ->setData(0, RuoloVista, chiave);
}

bool Collegamento::leggiPerVista(const QString& chiave, const std::function<void()>& letture)
{
    const QTreeWidgetItem* prima = f.List1->topLevelItem(0);
    const bool mostrata = (f.CurrentView == 0 || f.CurrentView == VistaSelezioneRete) && prima
                          && prima->data(0, RuoloVista) == chiave;
    return LettureDellaVista(mostrata, letture);
}

void AggiungiNonDisponibile(ListaReport& elenco)
{
    const RigaVista riga = RigaNonDisponibile();
    elenco.Aggiungi(Msg(riga.voce), {}, riga.immagine);
}

void Collegamento::ShowInfo()
{
    mostraInfo().Avvisa();
}

LettureRifiutate Collegamento::mostraInfo()
{
    inizioVista();
    layoutChiaveValore();
    LettureRifiutate nonDati;
    if (Connesso && !Telefono.InfoLetta && LineaLibera)
        nonDati = LeggiInfo(*f.impostazioni);
    // Also when the link dropped during the read, or the phone left it unanswered.
    if (TelefonoIrraggiungibile() && !Telefono.InfoLetta) {
        AggiungiNonDisponibile(*f.List1);
        return nonDati;
    }
    aggiungiRighe(ChiaveInfo, RigheInfo(Telefono));
    f.SBar[3]->setText(QString());
    return nonDati;
}

void Collegamento::ShowAlim()
{
    const auto letture = [] {
        if (Connesso && !Telefono.AlimLetta && LineaLibera)
            LeggiAlim().Avvisa();
    };
    if (!leggiPerVista(ChiaveAlim, letture))
        return;
    inizioVista();
    QAction* pAggiorna = f.Pulsante(QStringLiteral("pAggiorna"));
    MostraPulsante(pAggiorna, false);
    layoutChiaveValore();
    if (TelefonoIrraggiungibile() && !Telefono.AlimLetta) {
        AggiungiNonDisponibile(*f.List1);
        return;
    }
    aggiungiRighe(ChiaveAlim, RigheAlim(Telefono));
    f.Espandi(ChiaveAlim);
    pAggiorna->setEnabled(true);
    f.SBar[3]->setText(QString());
}

void Collegamento::ShowRete(int16_t rileggi)
{
    const auto letture = [this, rileggi] {
        if (!Connesso)
            return;
        if (rileggi != 0)
            LeggiRete(rileggi).Avvisa();
        else if (!Telefono.ReteLetta && LineaLibera)
            LeggiRete(0).Avvisa();
        if (Connesso && !Telefono.OperatoriLetti && LineaLibera)
            f.impostazioni->LeggiOperatori();
    };
    if (!leggiPerVista(ChiaveRete, letture))
        return;
    inizioVista();
    QAction* pAggiorna = f.Pulsante(QStringLiteral("pAggiorna"));
    QAction* pSelRete = f.Pulsante(QStringLiteral("pSelRete"));
    MostraPulsante(pAggiorna, false);
    MostraPulsante(pSelRete, false);
    if (TelefonoIrraggiungibile() && !Telefono.ReteLetta) {
        layoutChiaveValore(false);
        AggiungiNonDisponibile(*f.List1);
        return;
    }
    layoutChiaveValore();
    FunzioniImpostazioni& impostazioni = *f.impostazioni;
    aggiungiRighe(ChiaveRete,
                  RigheRete(Telefono, impostazioni.NomeOperatore(Telefono.CodiceOperatore),
                            impostazioni.LivelloSegnale(LivelloInDBm(Telefono.LivelloSegnale))));
    f.Espandi(ChiaveRete);
    pAggiorna->setEnabled(true);
    pSelRete->setEnabled(true);
    f.SBar[3]->setText(QString());
}
