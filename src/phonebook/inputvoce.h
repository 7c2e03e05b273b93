#pragma once

// What the entry dialog decides, apart from its window: the red-list mark and the checks on OK.

#include "righeat.h"

#include <QString>

// The name without the red-list mark "!" at its end, as the dialog shows it.
QString NomeSenzaSegno(const QString& nome);

// The name as written to the phone: with exactly one final mark when the entry is red, without
// it otherwise.
QString NomeDaScrivere(const QString& nome, bool rossa);

// The catalogue entry that tells what is wrong with the typed entry: 386 when the name, its
// mark included, takes more GSM codes than the memory's name length; 387 when the number is not
// a phone number or has more digits than the memory's number length (a limit of 0 is no limit).
// 0 when the entry can be written.
int ErroreVoce(const QString& nome, const QString& numero, bool rossa, const Lunghezze& limiti);
