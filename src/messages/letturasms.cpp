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
constexpr int VoceMessaggiNonLetti = 805;
constexpr int StatoMassimo = 3;

using TabellaSMS = decltype(DatiTelefono::SMS);

enum class EsitoPosizione { Letta, Illeggibile, Rifiutata, CollegamentoPerso };
using EsitiLettura = std::array<EsitoPosizione, NumPosizioniSMS + 1>; // by position, from 1

EsitoPosizione LeggiPosizione(TabellaSMS& tabella, int posizione)
{
    EsitoAT esito = EsitoAT::Ok;
    const QString risposta = InviaComandoAT(QStringLiteral("AT+CMGR=%1").arg(posizione), &esito);
    if (!RispostaDelTelefono(esito))
        return EsitoPosizione::CollegamentoPerso;
    MessaggioSMS& voce = tabella[static_cast<size_t>(posizione)];
    const PosizioneLetta letta = InterpretaRispostaCMGR(risposta, esito, UltimoRifiuto());
    switch (letta.contenuto) {
    case ContenutoPosizione::Messaggio:
        voce.Stato = letta.stato;
        DecodificaPDU(voce, letta.pdu);
        break;
    case ContenutoPosizione::Vuota:
        SvuotaPosizione(voce);
        break;
    // Where nothing was listed it is an empty position; where a message was, a refused read.
    case ContenutoPosizione::IndiceNonValido:
        if (PosizioneOccupata(voce))
            return EsitoPosizione::Rifiutata;
        break;
    // A reply that says nothing of the position neither empties it nor drops what it held.
    case ContenutoPosizione::Illeggibile:
        return EsitoPosizione::Illeggibile;
    case ContenutoPosizione::Rifiutata:
        return EsitoPosizione::Rifiutata;
    }
    return EsitoPosizione::Letta;
}

// Whether the positions left unread may hide messages. A refusal of the last positions alone,
// none of which listed a message, is the end of a SIM with fewer positions than are read.
bool MessaggiNascosti(const EsitiLettura& esiti, const TabellaSMS& tabella)
{
    bool rispostaDopo = false;
    for (int i = NumPosizioniSMS; i >= 1; --i) {
        const auto posizione = static_cast<size_t>(i);
        switch (esiti[posizione]) {
        case EsitoPosizione::Illeggibile:
            return true;
        case EsitoPosizione::Rifiutata:
            if (rispostaDopo || PosizioneOccupata(tabella[posizione]))
                return true;
            break;
        default:
            rispostaDopo = true;
            break;
        }
    }
    return false;
}

void AvvisaMessaggiNonLetti()
{
    AvvisaDopoOperazione(Msg(VoceMessaggiNonLetti), QMessageBox::Warning);
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
    EsitiLettura esiti{};
    for (int i = 1; i <= NumPosizioniSMS; ++i) {
        esiti[static_cast<size_t>(i)] = LeggiPosizione(letta, i);
        if (esiti[static_cast<size_t>(i)] == EsitoPosizione::CollegamentoPerso)
            return;
    }
    Telefono.SMS = letta;
    ContaMessaggi();
    Telefono.SMSLetti = true;
    if (MessaggiNascosti(esiti, letta))
        AvvisaMessaggiNonLetti();
}

void LeggiSMS(uint8_t posizione)
{
    if (posizione < 1 || posizione > NumPosizioniSMS)
        return;
    const AttesaInCorso attesa(Msg(VoceRicezioneMessaggio));
    TabellaSMS letta = Telefono.SMS;
    const EsitoPosizione esito = LeggiPosizione(letta, posizione);
    if (esito == EsitoPosizione::CollegamentoPerso)
        return;
    Telefono.SMS = letta;
    ContaMessaggi();
    // The phone announced a message there: any reply but a read one leaves it unread.
    if (esito != EsitoPosizione::Letta)
        AvvisaMessaggiNonLetti();
}
