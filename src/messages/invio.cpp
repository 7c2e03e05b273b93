#include "invio.h"

#include "attesa.h"
#include "catalogo.h"
#include "codifica.h"
#include "globali.h"
#include "letturasms.h"
#include "letture.h"
#include "risultati.h"
#include "scambio.h"

namespace {

constexpr int VoceInvioSMS = 372;
constexpr int VoceModoTesto = 915;
const QString TestoPredefinito = QStringLiteral("kaboom");
// The length announced to the phone, which takes the PDU up to Ctrl-Z whatever its length.
const QString LunghezzaAnnunciata = QStringLiteral("140");

int modificheSIM = 0;

QString RigaPDU(const QString& pdu)
{
    return pdu + QChar(26);
}

// How a command that carries a PDU ended: whether the PDU went out after the prompt the command
// asked for, how its line ended and the reply to it.
struct EsitoPDU {
    bool scritto = false;
    EsitoAT esito = EsitoAT::Errore;
    QString risposta;
};

EsitoPDU ComandoConPDU(const QString& comando, const QString& pdu)
{
    EsitoPDU risultato;
    if (!PDUAccettati())
        return risultato;
    EsitoAT esito = EsitoAT::Ok;
    InviaComandoAT(comando, &esito);
    if (esito != EsitoAT::Prompt)
        return risultato;
    risultato.scritto = true;
    risultato.risposta = InviaComandoAT(RigaPDU(pdu), &risultato.esito);
    return risultato;
}

EsitoAT Esito(const QString& comando)
{
    EsitoAT esito = EsitoAT::Ok;
    InviaComandoAT(comando, &esito);
    return esito;
}

// A store or a delete may have changed the SIM unless it never went out or the phone refused
// it: also when the exchange ended before the phone could say.
void AnnotaModificaSIM(EsitoAT esito)
{
    if (esito != EsitoAT::Errore && esito != EsitoAT::PortaChiusa
        && esito != EsitoAT::LineaOccupata)
        ++modificheSIM;
}

QString Decimale(std::optional<int> numero)
{
    return numero ? QString::number(*numero) : QString();
}

void ConosciCentro()
{
    if (!Telefono.SMSCLetto)
        LeggiCentroSMS();
}

} // namespace

bool PDUAccettati()
{
    if (!TelefonoInModoTesto)
        return true;
    AvvisaDopoOperazione(Msg(VoceModoTesto), QMessageBox::Warning);
    return false;
}

bool InviaSMSPDU(const QString& testo, const QString& numero, const QString& validita,
                 bool rapportoStato, const QString& dcs, const QString& testoAttesa)
{
    ConosciCentro();
    const AttesaInCorso attesa(testoAttesa.isEmpty() ? Msg(VoceInvioSMS) : testoAttesa, true, true);
    const QString pdu = CodificaPDU(testo, numero, validita, rapportoStato, dcs);
    const EsitoPDU invio = ComandoConPDU(QStringLiteral("AT+CMGS=") + LunghezzaAnnunciata, pdu);
    if (invio.esito != EsitoAT::Ok)
        return false;
    IndiceSMS = Decimale(RiferimentoCMGS(invio.risposta));
    return true;
}

bool ScriviSMSPDU(const QString& pdu, uint8_t stato)
{
    ConosciCentro();
    const AttesaInCorso attesa(TestoPredefinito);
    const EsitoPDU scrittura
        = ComandoConPDU(QStringLiteral("AT+CMGW=%1,%2").arg(LunghezzaAnnunciata).arg(stato), pdu);
    if (scrittura.scritto)
        AnnotaModificaSIM(scrittura.esito);
    if (scrittura.esito != EsitoAT::Ok)
        return false;
    IndiceSMS = Decimale(PosizioneCMGW(scrittura.risposta));
    return true;
}

bool ScriviSMS(const QString& testo, const QString& numero, const QString& validita,
               bool rapportoStato, const QString& dcs, uint8_t stato)
{
    return ScriviSMSPDU(CodificaPDU(testo, numero, validita, rapportoStato, dcs), stato);
}

bool InviaSMSMemorizzato(int posizione, const QString& testoAttesa)
{
    const AttesaInCorso attesa(testoAttesa, true, true);
    return Esito(QStringLiteral("AT+CMSS=%1").arg(posizione)) == EsitoAT::Ok;
}

bool CancellaSMSTelefono(int posizione)
{
    const EsitoAT esito = Esito(QStringLiteral("AT+CMGD=%1").arg(posizione));
    AnnotaModificaSIM(esito);
    return esito == EsitoAT::Ok;
}

int ModificheSIM()
{
    return modificheSIM;
}
