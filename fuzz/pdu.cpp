// The SMS PDU decoder, as messages are read from the SIM and from the archive, and what the
// message views make of a decoded message. Input: a first byte, then either the PDU's octets
// (first byte even; they go as the hex text the phone sends) or a whole "AT+CMGR=" reply body
// (first byte odd), which is also read as the result of a send and of a store.

#include "comune.h"

#include "codecs.h"
#include "composizione.h"
#include "globali.h"
#include "letturasms.h"
#include "pdu.h"
#include "ricerche.h"
#include "risultati.h"
#include "validita.h"

namespace {

QString HexDi(const QByteArray& ottetti)
{
    return QString::fromLatin1(ottetti.toHex().toUpper());
}

void Mostra(const MessaggioSMS& m)
{
    Verifica(m.DataOra.size() == 14, "the time stamp or validity field is 14 characters",
             m.DataOra);
    Verifica(m.LunghezzaDati >= 0 && m.LunghezzaDati <= 255, "the user data length is an octet");
    FormattaDataSMS(m.DataOra);
    AccorciaDataOra(m.DataOra);
    DecodificaValidita(m.DataOra.trimmed());
    const int mostrati = LunghezzaTestoSMS(m.Testo, m.LunghezzaDati);
    Verifica(mostrati >= 0, "the shown length of a text is not negative");
    TestoDaScrivere(m.Testo.left(mostrati));
    CercaNomeDaNumero(m.Numero);
}

// The same reply body taken as the result of a send or of a store.
void ControllaRisultatiInvio(const QString& risposta)
{
    const std::optional<int> riferimento = RiferimentoCMGS(risposta);
    Verifica(!riferimento || (*riferimento >= 0 && *riferimento <= 255),
             "a message reference is an octet");
    const std::optional<int> posizione = PosizioneCMGW(risposta);
    Verifica(!posizione || (*posizione >= 1 && *posizione <= 255),
             "a storage position is 1 to 255");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    if (lunghezza == 0)
        return 0;
    Telefono.SMSC = QStringLiteral("+393359609600");
    MessaggioSMS messaggio;
    if (dati[0] % 2 == 0) {
        DecodificaPDU(messaggio, HexDi(Byte(dati + 1, lunghezza - 1)));
    } else {
        const QString risposta = Testo(dati + 1, lunghezza - 1);
        ControllaRisultatiInvio(risposta);
        const PosizioneLetta letta = InterpretaRispostaCMGR(risposta, EsitoAT::Ok, QString());
        if (letta.contenuto != ContenutoPosizione::Messaggio)
            return 0;
        Verifica(letta.stato <= 3, "a stored message has status 0 to 3");
        messaggio.Stato = letta.stato;
        DecodificaPDU(messaggio, letta.pdu);
    }
    Mostra(messaggio);
    return 0;
}
