// The identity, power and network views of the main window: each reads its group when the phone
// is connected, the group unread and the line free, then lists captions and values.

#include "catalogo.h"
#include "collegamento.h"
#include "frmmain.h"
#include "globali.h"
#include "letture.h"
#include "listareport.h"
#include "statotelefono.h"
#include "vista.h"

#include <QAction>

namespace {

const QString ChiaveInfo = QStringLiteral("S25");
const QString ChiaveAlim = QStringLiteral("ALIM");
const QString ChiaveRete = QStringLiteral("RETE");

} // namespace

void Collegamento::aggiungiRighe(const QList<RigaVista>& righe)
{
    for (const RigaVista& riga : righe)
        f.List1->Aggiungi(Msg(riga.voce), {riga.valore}, riga.immagine);
}

void Collegamento::ShowInfo()
{
    mostraInfo().Avvisa();
}

LettureRifiutate Collegamento::mostraInfo()
{
    LettureRifiutate nonDati;
    Vista vista(ChiaveInfo, 0);
    vista.letta = [] { return Telefono.InfoLetta; };
    vista.leggi = [this, &nonDati] { nonDati = LeggiInfo(*f.impostazioni); };
    vista.prepara = [this] { LayoutChiaveValore(*f.List1); };
    vista.riempi = [this] { aggiungiRighe(RigheInfo(Telefono)); };
    ApriVista(f, vista);
    return nonDati;
}

void Collegamento::ShowAlim()
{
    Vista vista(ChiaveAlim, 0, {"pAggiorna"});
    vista.letta = [] { return Telefono.AlimLetta; };
    vista.leggi = [] { LeggiAlim().Avvisa(); };
    vista.prepara = [this] { LayoutChiaveValore(*f.List1); };
    vista.riempi = [this] { aggiungiRighe(RigheAlim(Telefono)); };
    ApriVista(f, vista);
}

void Collegamento::ShowRete(int16_t rileggi)
{
    Vista vista(ChiaveRete, 0, {"pAggiorna", "pSelRete"});
    vista.letta = [] { return Telefono.ReteLetta; };
    vista.leggeSempre = true;
    vista.leggi = [this, rileggi] {
        if (rileggi != 0)
            LeggiRete(rileggi).Avvisa();
        else if (!Telefono.ReteLetta)
            LeggiRete(0).Avvisa();
        if (Connesso && !Telefono.OperatoriLetti && LineaLibera)
            f.impostazioni->LeggiOperatori();
    };
    vista.nonDisponibile = [this] {
        LayoutChiaveValore(*f.List1, false);
        AggiungiNonDisponibile(*f.List1);
    };
    vista.riempi = [this] {
        LayoutChiaveValore(*f.List1);
        FunzioniImpostazioni& impostazioni = *f.impostazioni;
        aggiungiRighe(
            RigheRete(Telefono, impostazioni.NomeOperatore(Telefono.CodiceOperatore),
                      impostazioni.LivelloSegnale(LivelloInDBm(Telefono.LivelloSegnale))));
        f.Pulsante(QStringLiteral("pSelRete"))->setEnabled(true);
    };
    ApriVista(f, vista);
}
