#pragma once

// The SMS archive: the file "archivio.sms" in the program folder and its decoded copy, entries 1
// to NumArchivio of ArchivioSMS in file order. The file is a run of records with no header:
// "<SMS>", the PDU length in octets, the message type, the storage status (one byte each), then
// the PDU hex text.
//
// A file that cannot be read whole, or whose records do not follow one another complete, changes
// nothing: the table stays as it was, the writers refuse to write over it, and the result is
// false. Every writer replaces the file whole, so a failure leaves the old file in place.

#include <QString>
#include <cstdint>

// Loads the file into the table (an absent file is created empty). An empty file gives false and
// leaves the table and ArchivioLetto as they were; otherwise the first MaxArchivio records are
// decoded and ArchivioLetto is set.
bool CaricaArchivioSMS();

// Appends one record; refused when the archive already holds MaxArchivio records or when the PDU
// text is not whole octets (at most 255 of them).
bool AggiungiSMSArchivio(const QString& pdu, uint8_t tipo, uint8_t stato);

// Replaces record `indice` (1-based) and keeps the others byte for byte.
bool SostituisciSMSArchivio(int indice, const QString& pdu, uint8_t tipo, uint8_t stato);

// Removes record `indice` (1-based); the later ones move down by one.
bool CancellaSMSArchivio(int indice);

// A new message built by CodificaPDU, appended, or put in place of record `indice`.
bool ArchiviaSMS(const QString& testo, const QString& numero, const QString& validita,
                 bool rapportoStato, const QString& dcs, uint8_t tipo, uint8_t stato);
bool ModificaSMSArchivio(int indice, const QString& testo, const QString& numero,
                         const QString& validita, bool rapportoStato, const QString& dcs,
                         uint8_t tipo, uint8_t stato);
