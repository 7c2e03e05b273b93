#pragma once

// Sending, storing and deleting messages on the phone's SIM. Each is a success only when the
// phone itself answered OK: an error, a Cancel, a lost link or a closed port is a failure, and
// a PDU is written only after the phone's "> " prompt asked for it.

#include <QString>

#include <cstdint>

// Storage status of "AT+CMGW".
constexpr uint8_t StatoNonInviato = 2;
constexpr uint8_t StatoInviato = 3;

// Whether a PDU may go to the phone: not while it keeps text mode (TelefonoInModoTesto), and the
// user is then told why once the operation has ended. Every command that carries a PDU asks; so
// does, before it starts, a road that would first send or delete what it then stores.
bool PDUAccettati();

// Sends a new message with "AT+CMGS=140" under the wait window with Cancel (`testoAttesa`, or
// entry 372 when empty); on success IndiceSMS holds the message reference (empty when the
// reply gave none). The arguments before
// it are those of CodificaPDU.
bool InviaSMSPDU(const QString& testo, const QString& numero, const QString& validita,
                 bool rapportoStato, const QString& dcs, const QString& testoAttesa = {});

// Stores a PDU with "AT+CMGW=140,<stato>"; on success IndiceSMS holds the position (empty when
// the reply gave none).
bool ScriviSMSPDU(const QString& pdu, uint8_t stato);
// Stores a new message built by CodificaPDU.
bool ScriviSMS(const QString& testo, const QString& numero, const QString& validita,
               bool rapportoStato, const QString& dcs, uint8_t stato);

// Sends stored message `posizione` with "AT+CMSS=", under the wait window with Cancel.
bool InviaSMSMemorizzato(int posizione, const QString& testoAttesa);
// Deletes position `posizione` with "AT+CMGD=", without the wait window.
bool CancellaSMSTelefono(int posizione);

// How many stores and deletes so far may have changed what the SIM's positions hold: each one
// the phone did not refuse, for views that must read the SIM again.
int ModificheSIM();
