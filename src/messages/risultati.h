#pragma once

// The result lines of the message commands, read by their fields. Every number the phone sends
// in them is checked against its range where it is read: a field out of range, garbled or
// missing gives nothing, never a number made from part of it.

#include "scambio.h"

#include <QString>

#include <cstdint>
#include <optional>

// What one "AT+CMGR=" reply says of its position: "+CMGR: <stat>,[<alpha>],<length>", then the
// PDU on the next line. The phone's empty-position reply has no PDU line; a status other than 0
// to 3, or a length that is no octet count, refuses the position: no message is read from it.
struct PosizioneLetta {
    bool messaggio = false; // false: the position is empty
    uint8_t stato = 0;
    QString pdu;
};
PosizioneLetta InterpretaRispostaCMGR(const QString& risposta, EsitoAT esito);

// The message reference of a "+CMGS: <mr>[,...]" reply, 0 to 255.
std::optional<int> RiferimentoCMGS(const QString& risposta);
// The storage position of a "+CMGW: <index>" reply, 1 to 255.
std::optional<int> PosizioneCMGW(const QString& risposta);
