#include "invio.h"

#include "attesa.h"
#include "catalogo.h"
#include "codifica.h"
#include "globali.h"
#include "letturasms.h"
#include "letture.h"
#include "scambio.h"

namespace {

constexpr int VoceInvioSMS = 372;
const QString TestoPredefinito = QStringLiteral("kaboom");
// The length announced to the phone, which takes the PDU up to Ctrl-Z whatever its length.
const QString LunghezzaAnnunciata = QStringLiteral("140");
// The reference or position follows the 7 characters of "+CMGS: " or "+CMGW: ".
constexpr int InizioIndice = 7;

QString RigaPDU(const QString& pdu)
{
    return pdu + QChar(26);
}

// The PDU after the prompt the command asked for; false unless the phone then answered OK.
bool ComandoConPDU(const QString& comando, const QString& pdu)
{
    EsitoAT esito = EsitoAT::Ok;
    InviaComandoAT(comando, &esito);
    if (esito != EsitoAT::Prompt)
        return false;
    const QString risposta = InviaComandoAT(RigaPDU(pdu), &esito);
    if (esito != EsitoAT::Ok)
        return false;
    IndiceSMS = risposta.mid(InizioIndice);
    return true;
}

bool RispostoOK(const QString& comando)
{
    EsitoAT esito = EsitoAT::Ok;
    InviaComandoAT(comando, &esito);
    return esito == EsitoAT::Ok;
}

void ConosciCentro()
{
    if (!Telefono.SMSCLetto)
        LeggiCentroSMS();
}

} // namespace

bool InviaSMSPDU(const QString& testo, const QString& numero, const QString& validita,
                 bool rapportoStato, const QString& dcs, const QString& testoAttesa)
{
    ConosciCentro();
    const AttesaInCorso attesa(testoAttesa.isEmpty() ? Msg(VoceInvioSMS) : testoAttesa, true, true);
    const QString pdu = CodificaPDU(testo, numero, validita, rapportoStato, dcs);
    return ComandoConPDU(QStringLiteral("AT+CMGS=") + LunghezzaAnnunciata, pdu);
}

bool ScriviSMSPDU(const QString& pdu, uint8_t stato)
{
    ConosciCentro();
    const AttesaInCorso attesa(TestoPredefinito);
    return ComandoConPDU(QStringLiteral("AT+CMGW=%1,%2").arg(LunghezzaAnnunciata).arg(stato), pdu);
}

bool ScriviSMS(const QString& testo, const QString& numero, const QString& validita,
               bool rapportoStato, const QString& dcs, uint8_t stato)
{
    return ScriviSMSPDU(CodificaPDU(testo, numero, validita, rapportoStato, dcs), stato);
}

bool InviaSMSMemorizzato(int posizione, const QString& testoAttesa)
{
    const AttesaInCorso attesa(testoAttesa, true, true);
    return RispostoOK(QStringLiteral("AT+CMSS=%1").arg(posizione));
}

bool CancellaSMSTelefono(int posizione)
{
    return RispostoOK(QStringLiteral("AT+CMGD=%1").arg(posizione));
}
