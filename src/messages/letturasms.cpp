#include "letturasms.h"

#include "attesa.h"
#include "catalogo.h"
#include "globali.h"
#include "pdu.h"
#include "risultati.h"
#include "scambio.h"

std::array<int16_t, 4> ContaSMS{};
QString IndiceSMS;

namespace {

constexpr int VoceRicezioneMessaggi = 370;
constexpr int VoceRicezioneMessaggio = 371;
constexpr int StatoMassimo = 3;

using TabellaSMS = decltype(DatiTelefono::SMS);

enum class EsitoPosizione { Letta, CollegamentoPerso };

EsitoPosizione LeggiPosizione(TabellaSMS& tabella, int posizione)
{
    EsitoAT esito = EsitoAT::Ok;
    const QString risposta = InviaComandoAT(QStringLiteral("AT+CMGR=%1").arg(posizione), &esito);
    if (!RispostaDelTelefono(esito))
        return EsitoPosizione::CollegamentoPerso;
    MessaggioSMS& voce = tabella[static_cast<size_t>(posizione)];
    const PosizioneLetta letta = InterpretaRispostaCMGR(risposta, esito);
    switch (letta.contenuto) {
    case ContenutoPosizione::Messaggio:
        voce.Stato = letta.stato;
        DecodificaPDU(voce, letta.pdu);
        break;
    case ContenutoPosizione::Vuota:
        SvuotaPosizione(voce);
        break;
    case ContenutoPosizione::Illeggibile:
        // A reply that says nothing of the position neither empties it nor drops what it held.
        break;
    }
    return EsitoPosizione::Letta;
}

} // namespace

void ContaMessaggi()
{
    ContaSMS.fill(0);
    for (int i = 1; i <= NumPosizioniSMS; ++i) {
        const MessaggioSMS& voce = Telefono.SMS[static_cast<size_t>(i)];
        if (PosizioneOccupata(voce) && voce.Stato <= StatoMassimo)
            ++ContaSMS[voce.Stato];
    }
}

bool PosizioneOccupata(const MessaggioSMS& messaggio)
{
    return !messaggio.PDU.isEmpty();
}

void SvuotaPosizione(MessaggioSMS& messaggio)
{
    messaggio.LunghezzaDati = 0;
    messaggio.PDU.clear();
}

void LeggiTuttiSMS()
{
    const AttesaInCorso attesa(Msg(VoceRicezioneMessaggi));
    TabellaSMS letta = Telefono.SMS;
    for (int i = 1; i <= NumPosizioniSMS; ++i)
        if (LeggiPosizione(letta, i) == EsitoPosizione::CollegamentoPerso)
            return;
    Telefono.SMS = letta;
    ContaMessaggi();
    Telefono.SMSLetti = true;
}

void LeggiSMS(uint8_t posizione)
{
    if (posizione < 1 || posizione > NumPosizioniSMS)
        return;
    const AttesaInCorso attesa(Msg(VoceRicezioneMessaggio));
    TabellaSMS letta = Telefono.SMS;
    if (LeggiPosizione(letta, posizione) == EsitoPosizione::CollegamentoPerso)
        return;
    Telefono.SMS = letta;
    ContaMessaggi();
}
