#pragma once

// The phonebook's own view of the phone cache: memory codes, the positions a memory can hold,
// and the limits the phone gives each memory.

#include "globali.h"
#include "righeat.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

constexpr int MemoriaRossa = 4; // the red list, where a per-memory array reaches 4

// "SM", "FD", "ME", "ON" for memories 0 to 3; empty for any other index.
QString CodiceMemoria(int memoria);

// The positions of memory m that the table holds: its total, at most 250 (the file's tag byte
// and the table stop there), never below 0.
int PosizioniTenute(int memoria);

// The longest number and name a memory accepts, as the phone told when it was last read; 0 when
// not known. Each memory keeps its own, as the phone's memories differ.
using LimitiMemoria = Lunghezze;
extern std::array<LimitiMemoria, NumMemorie> LimitiRubrica;

// The phone's line refusing memory m when it was last read ("ERROR", "+CME ERROR: n"), empty once
// it was read or loaded from a file: the table then holds none of the memory's entries, and a
// phonebook file saved keeps what it held for it.
extern std::array<QString, NumMemorie> RifiutiRubrica;
// The same for call list l: its number of calls is then not known.
extern std::array<QString, NumListeChiamate> RifiutiListe;

// The positions of memory m's entry lines that could not be read when it was last read from the
// phone, 0 for a line that names none; empty once it is read whole or loaded from a file. The
// phone may hold entries there that the table lacks.
extern std::array<std::vector<int>, NumMemorie> RigheNonLette;

// The entry at (memory, position); positions outside 1 to 250 are no entry.
bool PosizioneValida(int posizione);

// A position of memory m that the table holds free and where the phone gave no line that could
// not be read: one a new entry may take.
bool PosizioneLibera(int memoria, int posizione);

// The used entries of the memories read so far, memory by memory in position order, but those
// whose name could not be read: what the dialogs that offer phonebook names list.
std::vector<const VoceRubrica*> VociLette();

// Clears memory m: counts 0, positions 1 to 250 free, no line not read (`SvuotaRubrica`).
void SvuotaRubrica(int memoria);

// The name a view or a print shows of an entry: the catalogue's "unknown" for a name the phone
// gave that could not be read.
QString NomeMostrato(const VoceRubrica& voce);

// Why no phonebook file may be written from the table, which would lose what the phone holds, as
// the catalogue entry telling the user: 896 when a used entry holds a name that could not be
// read, 931 when a memory had lines that could not be read; 0 when a file may be written.
int MotivoNessunFile();
