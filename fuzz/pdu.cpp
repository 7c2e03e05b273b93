// The SMS PDU decoder, as messages are read from the SIM and from the archive, and what the
// message views make of a decoded message. Input: a first byte, then either the PDU's octets
// (first byte even; they go as the hex text the phone sends) or a whole "AT+CMGR=" reply body
// (first byte odd).

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
        const PosizioneLetta letta
            = InterpretaRispostaCMGR(Testo(dati + 1, lunghezza - 1), EsitoAT::Ok);
        if (letta.contenuto != ContenutoPosizione::Messaggio)
            return 0;
        Verifica(letta.stato <= 3, "a stored message has status 0 to 3");
        messaggio.Stato = letta.stato;
        DecodificaPDU(messaggio, letta.pdu);
    }
    Mostra(messaggio);
    return 0;
}
