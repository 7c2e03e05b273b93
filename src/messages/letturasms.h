#pragma once

// Reading the SIM's message positions 1 to 10 in PDU mode into Telefono.SMS, and the counts per
// storage status. A position the phone answers with a PDU holds a message, with its empty-position
// reply is empty, and with anything else (a refusal, a reply that cannot be read) keeps what it
// held; the user is told once, after the read, when messages may have been left unread. A read
// that loses the link on the way changes nothing: neither the table, nor the counts, nor the read
// flag.

#include "telefono.h"

#include <QString>

#include <array>
#include <cstdint>

// Messages per storage status 0 to 3 (received unread, received read, stored unsent, stored
// sent), counted over the table after each read.
extern std::array<int16_t, 4> ContaSMS;
// The number the last successful "AT+CMGS" (the message reference) or "AT+CMGW" (the storage
// position) gave, in decimal; empty when its reply carried none within range.
extern QString IndiceSMS;

// All ten positions under the wait window; sets Telefono.SMSLetti when the phone answered all.
void LeggiTuttiSMS();
// One position again (1 to 10; any other does nothing), after a new-message indication.
void LeggiSMS(uint8_t posizione);

// Counts the occupied positions of the table by status.
void ContaMessaggi();

// Whether a SIM position holds a message. A message read from the phone always has its PDU, while
// its user data length may be 0 (a message with no text), so the PDU tells, not the length.
bool PosizioneOccupata(const MessaggioSMS& messaggio);
// Marks a position empty; the rest of what it held stays, unseen.
void SvuotaPosizione(MessaggioSMS& messaggio);
