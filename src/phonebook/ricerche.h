#pragma once

// Look-ups over the phonebook table and the phone-number check. They never talk to the phone:
// they see what the table holds, memories 0 to 3 in turn, positions 1 upwards.

#include "telefono.h"

#include <QString>

#include <cstdint>

// The first used entry whose number is `numero`, a "+" with a two-character country code
// matching a leading "0" either way; null when there is none.
const VoceRubrica* VoceDelNumero(const QString& numero);

// The name of that entry; `numero` itself when there is none, or it has no name, or one that
// could not be read.
QString CercaNomeDaNumero(const QString& numero);

// The number of the first entry named exactly `nome`; the catalogue's "Unknow" (entry 333)
// when there is none or its number is empty. An entry whose name could not be read has none.
QString CercaNumeroDaNome(const QString& nome);

// Not empty and, one leading "+" set aside, only digits, "*" and "#".
bool ValidaNumero(const QString& numero);
