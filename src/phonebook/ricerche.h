#pragma once

// Look-ups over the phonebook table and the phone-number check. They never talk to the phone:
// they see what the table holds, memories 0 to 3 in turn, positions 1 upwards.

#include <QString>

#include <cstdint>

// The name of the first used entry whose number is `numero`, a "+" with a two-character country
// code matching a leading "0" either way; `numero` itself when none has a name for it.
QString CercaNomeDaNumero(const QString& numero);

// The number of the first entry named exactly `nome`; the catalogue's "Unknow" (entry 333)
// when there is none or its number is empty.
QString CercaNumeroDaNome(const QString& nome);

// The memory 0 to 3 of the first entry named exactly `nome`; 255 when there is none.
uint8_t CercaMemoriaDaNome(const QString& nome);

// Not empty and, one leading "+" set aside, only digits, "*" and "#".
bool ValidaNumero(const QString& numero);
