#pragma once

#include "rifiuti.h"

#include <cstdint>

class FunzioniImpostazioni;

// The identity, power, network and service-centre queries. Each keeps what the phone answered in
// Telefono and marks its group read; when the link fails on the way (dropped, closed, silent past
// the bound) nothing is kept and nothing is marked read.

// The identity, then the lock password lengths through the phone settings.
void LeggiInfo(FunzioniImpostazioni& impostazioni);
void LeggiAlim();
// flag 0 shows the wait window around the queries; any other value leaves it alone. Returns the
// registration, the operator and the signal level the phone refused, which are then unknown.
LettureRifiutate LeggiRete(int16_t flag);
void LeggiCentroSMS();

// How many times "AT+CGMI" and "AT+CGMM" are asked while their replies keep more than one line.
constexpr int GiriIdentitaMassimi = 3;
