#pragma once

#include "fileinteri.h"
#include "telefono.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// The operator name table and its file "reti.op": one line per operator, the 5-character code,
// a comma, the name.

// Replaces Telefono.Operatori with the file's lines; on any failure the table stays as it was,
// and `rifiuto`, when given, tells why a file that is there was not read. An empty file is a
// list read with no operators.
bool CaricaFileOperatori(const QString& percorso, FileRifiutato* rifiuto = nullptr);
// Writes the table whole; a failure leaves the old file as it was. An operator whose code does
// not fit the file's field (six digits) is left out of the file. The user is told of the names
// the file keeps with "?" in place of letters it lacks.
bool SalvaFileOperatori(const QString& percorso);

// Fills the table from the phone with "AT+COPN" and writes it to "reti.op". A phone that refuses,
// whose reply holds no operator but is not a bare OK, or some of whose names cannot be read (the
// user is told, once the operation is over) leaves the table and the file as they were; a failed
// link also leaves the table unread.
void LeggiOperatori();

// The operators of an "AT+COPN" reply body, in the phone's order, each line read by fields; a
// line whose code is not a network's five or six digits, or whose name cannot be read, is left
// out, and a line end inside a name becomes a blank. `nomiIgnoti`, when given, tells whether a
// network's name was left out so.
std::vector<Operatore> DecodificaOperatori(const QString& risposta, bool* nomiIgnoti = nullptr);

// An operator's name as a reply field gives it: quoted, in the phone's character set, the escapes
// of an AT string undone; a line end inside it becomes a blank. None when it cannot be read in
// that set.
std::optional<QString> NomeOperatoreDaRisposta(const QString& campo);

// The name of the operator with that code, or the code itself.
QString NomeOperatore(const QString& codice);

// The number of signal bars, 0 to 5, for a level in dBm (0: no reading).
uint8_t LivelloSegnale(int16_t dBm);

// True for a network's numeric code: its country's three digits and the network's two or three.
bool CodiceRete(const QString& codice);

// The code as the table keeps it: 5 characters, a shorter one filled with blanks; a longer one
// (a six-digit code) whole.
QString CodiceOperatore(const QString& testo);
