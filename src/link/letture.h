#pragma once

#include "rifiuti.h"

#include <cstdint>

class FunzioniImpostazioni;

// The identity, power, network and service-centre queries. Each keeps what the phone answered in
// Telefono and marks its group read; a value the phone refused or did not give is unknown, never
// the one read before, and is among the values returned to tell the user. When the link fails on
// the way (dropped, closed, silent past the bound) nothing is kept, nothing is marked read and
// nothing is returned.

// The identity, then the lock password lengths through the phone settings.
LettureRifiutate LeggiInfo(FunzioniImpostazioni& impostazioni);
LettureRifiutate LeggiAlim();
// flag 0 shows the wait window around the queries; any other value leaves it alone.
LettureRifiutate LeggiRete(int16_t flag);
// An unknown centre is empty, so that messages go by the phone's own. Tells the user itself of a
// centre the phone did not give, as its callers are many and only the first reads it. A centre
// the phone refused, or answered with none, is unknown to them all until the next compose dialog
// asks again.
void LeggiCentroSMS();

// How many times "AT+CGMI" and "AT+CGMM" are asked while their replies keep more than one line.
constexpr int GiriIdentitaMassimi = 3;
