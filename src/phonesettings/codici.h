#pragma once

#include "telefono.h"

#include <QString>

#include <array>
#include <cstdint>

// The lock password lengths of an "AT+CPWD=?" reply: pairs of a quoted facility code and its
// length, such as +CPWD: ("SC",8),("P2",8),("AO",4). Each known code's length goes to its slot;
// other codes and a reply without pairs ("ERRORE", empty) change nothing.
void DecodificaLunghezzeCodici(const QString& risposta,
                               std::array<uint8_t, NumLunghezzeCodici>& lunghezze);
// The same into Telefono.LunghezzaCodici.
void DecodificaLunghezzeCodici(const QString& risposta);

// The slot of a facility code, or -1.
int SlotCodice(QStringView codice);
