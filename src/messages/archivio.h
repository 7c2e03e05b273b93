#pragma once

// The SMS archive: the file "archivio.sms" in the program folder and its decoded copy, entries 1
// to NumArchivio of ArchivioSMS in file order. The file is a run of records with no header:
// "<SMS>", the PDU length in octets, the message type, the storage status (one byte each), then
// the PDU hex text.
//
// The file is read by a scan for markers: every whole record is taken, in file order, and what
// lies outside them (junk, a cut record, trailing bytes) is skipped. Before the first write
// replaces such a damaged file, its original is kept beside it ("archivio.sms.damaged"), so a
// repair never loses a byte. A file that cannot be read at all changes nothing: the table stays
// as it was, the writers refuse to write over it, and the result is false. Every writer
// replaces the file whole, so a failure leaves the old file in place.

#include "fileinteri.h"

#include <QString>
#include <cstdint>
#include <optional>

// Loads the file into the table (an absent file is created empty). An empty file gives false and
// leaves the table and ArchivioLetto as they were; otherwise the first MaxArchivio whole records
// are decoded and ArchivioLetto is set.
bool CaricaArchivioSMS();

// What a load skipped, for the user: the bytes outside whole records and the file the original
// will be kept in. Given once, after the first load that finds a file damaged; none otherwise.
struct DannoArchivio {
    qsizetype byteScartati = 0;
    QString copia;
};
std::optional<DannoArchivio> DannoDaSegnalare();

// The file and why it was refused, for the user, once after the first load that finds it cannot
// be read (a folder, a pipe, a device, a file longer than the table's records can make, no read
// permission); none otherwise. A load that reads it again ends the notice, so that a later
// failure is told of anew.
std::optional<FileRifiutato> IlleggibileDaSegnalare();

// How many times a writer has replaced the file so far, for views that must show the change.
int ModificheArchivio();

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
