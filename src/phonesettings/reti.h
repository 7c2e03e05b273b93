#pragma once

#include "telefono.h"

#include <QString>

#include <cstdint>
#include <vector>

// The networks in range, as "AT+COPS=?" lists them.

enum StatoRete : uint8_t {
    ReteSconosciuta = 0,
    ReteDisponibile = 1,
    ReteAttuale = 2,
    ReteVietata = 3,
};

struct ReteTrovata {
    Operatore rete; // the numeric code, whole, and the long name
    uint8_t stato = ReteSconosciuta;
};

// The networks of a "+COPS: (<status>,"<long>","<short>",<numeric>[,<technology>]),...,,
// (<modes>),(<formats>)" reply, in the phone's order, read by fields: the short name may be empty
// or given, the numeric code bare or quoted and kept whole. Entries whose status is not 0 to 3
// or that have no numeric code are skipped, and so are the mode lists.
std::vector<ReteTrovata> DecodificaReti(const QString& risposta);

// Searches the networks in range under the wait window; both arrays are filled from index 0,
// and stay empty when the phone refuses or the link fails. True when the phone answered.
bool CercaReti(std::vector<Operatore>& operatori, std::vector<uint8_t>& stati);

// The image of the main window's list for a network's status; 0 for one that is not listed.
int ImmagineRete(uint8_t stato);
