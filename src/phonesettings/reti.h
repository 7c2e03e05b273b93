#pragma once

#include "telefono.h"

#include <QString>

#include <cstdint>
#include <vector>

enum class EsitoAT;

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
    bool nomeIgnoto = false; // the long name could not be read in the phone's set: it is empty
};

// The networks of a "+COPS: (<status>,"<long>","<short>",<numeric>[,<technology>]),...,,
// (<modes>),(<formats>)" reply, in the phone's order, read by fields from every "+COPS:" line
// (one per network, or one for all, broken anywhere): the short name may be empty or given, the
// numeric code bare or quoted and kept whole. An entry is a network only when its status is 0 to
// 3 and its numeric code has five or six digits; the lists of modes and formats are none.
std::vector<ReteTrovata> DecodificaReti(const QString& risposta);

// Searches the networks in range under the wait window; both arrays are filled from index 0,
// and stay empty when the phone refuses or the link fails; a name that could not be read is the
// catalogue's "unknown". Ok when the phone answered the search.
EsitoAT CercaReti(std::vector<Operatore>& operatori, std::vector<uint8_t>& stati);

// The image of the main window's list for a network's status; 0 for one that is not listed.
int ImmagineRete(uint8_t stato);
