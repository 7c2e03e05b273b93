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
    Operatore rete; // the 5-character numeric code and the long name
    uint8_t stato = ReteSconosciuta;
};

// The networks of a "+COPS: (<status>,"<long>","<short>",<numeric>),...,,(<modes>),(<formats>)"
// reply, in the phone's order; the short name may be empty or given, the numeric code bare or
// quoted. Entries of another shape, and the mode lists, are skipped.
std::vector<ReteTrovata> DecodificaReti(const QString& risposta);

// Searches the networks in range under the wait window; both arrays are filled from index 0,
// and stay empty when the phone refuses or the link fails.
void CercaReti(std::vector<Operatore>& operatori, std::vector<uint8_t>& stati);

// The image of the main window's list for a network's status; 0 for one that is not listed.
int ImmagineRete(uint8_t stato);
