#pragma once

// The result lines of the message commands, read by their fields. Every number the phone sends
// in them is checked against its range where it is read: a field out of range, garbled or
// missing gives nothing, never a number made from part of it.

#include "scambio.h"

#include <QString>

#include <cstdint>
#include <optional>

// What one "AT+CMGR=" reply says of its position: "+CMGR: <stat>,[<alpha>],<length>", then the
// PDU on the next line.
// - A PDU line (hex digits) is a message, whatever the header above it: a status that is not 0
//   to 3, or no status at all, is taken as received and read, so the message is listed and can
//   be deleted; the length is not needed to read the PDU.
//   A stray double quote or blank around the hex digits is not part of the PDU.
// - The phone's empty-position forms are an empty position: a header whose length is 0 with no
//   PDU ("+CMGR: 0,,0") and a bare OK.
// - A refusal ("ERROR", "+CMS ERROR") says nothing of the position: the phone did not read it,
//   or the SIM has fewer positions. "+CMS ERROR: 321" (invalid memory index) stands apart: it
//   is how many phones answer for a position with nothing in it, but a phone may give it for
//   a position it failed to read too.
// - Any other reply cannot be read (a header with no PDU, a line that is no PDU, garbage): it
//   says nothing of the position either.
enum class ContenutoPosizione { Messaggio, Vuota, Illeggibile, Rifiutata, IndiceNonValido };
struct PosizioneLetta {
    ContenutoPosizione contenuto = ContenutoPosizione::Illeggibile;
    uint8_t stato = 0;
    QString pdu;
};
// rifiuto is the phone's line of refusal when the exchange ended on an error.
PosizioneLetta InterpretaRispostaCMGR(const QString& risposta, EsitoAT esito,
                                      const QString& rifiuto);

// The message reference of a "+CMGS: <mr>[,...]" reply, 0 to 255.
std::optional<int> RiferimentoCMGS(const QString& risposta);
// The storage position of a "+CMGW: <index>" reply, 1 to 255.
std::optional<int> PosizioneCMGW(const QString& risposta);
