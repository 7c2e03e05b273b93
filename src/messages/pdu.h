#pragma once

// The SMS PDU as the phone hands it over in PDU mode and as the archive keeps it: hex text, two
// characters per octet, with the service centre field in front.

#include "telefono.h"

#include <QByteArray>
#include <QString>

// Fills the record from an SMS-DELIVER, SMS-SUBMIT or SMS-STATUS-REPORT PDU. A status report
// gives its recipient as the number, the time of delivery as the date and the outcome in words
// (in the current language) as the text. Every field but Stato starts afresh, so
// nothing of a message that held the record before survives; a PDU cut short or made of garbage
// leaves the fields it does not reach at their empty values (DataOra blanks, LunghezzaDati 0).
// Takes time linear in the length of the text.
void DecodificaPDU(MessaggioSMS& messaggio, const QString& pdu);
// Writes a status report's outcome again in the current language; any other record is left as
// it is.
void RinnovaTestoRapporto(MessaggioSMS& messaggio);

// The septet stream of the GSM 7-bit alphabet, least significant bit first. Unpacking reads up to
// `quanti` septets that start `bitIniziale` bits into the octets, stopping where the octets end;
// packing gives the ceil(7n/8) octets of n codes (each code's low 7 bits).
QByteArray SettettiDaOttetti(const QByteArray& ottetti, int bitIniziale, int quanti);
QByteArray OttettiDaSettetti(const QByteArray& codici);
