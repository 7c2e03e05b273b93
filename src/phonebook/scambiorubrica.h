#pragma once

// The phonebook's dialogue with the phone: reading a memory or a call list into the table,
// writing or erasing one entry, writing the SIM and phone memories back.

#include "telefono.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// How a reading ended. A lost link (dropped, closed, silent, cancelled), or a memory whose number
// of positions the phone does not tell, leaves the memory unread with what it held before; a
// memory the phone refuses to select or to list ends read, as one the phone does not have, with
// the refusal kept in RifiutiRubrica.
enum class EsitoLettura {
    Letta,
    Rifiutata, // the phone refused to select or list the memory: read, empty, no positions
    CollegamentoPerso,
    Illeggibile, // neither "AT+CPBS?" nor "AT+CPBR=?" told how many positions to read
};

// Reads memory 0 to 3 from the phone into the table, with its counts and limits, and marks it
// read; the lines that could not be read are kept in RigheNonLette. The memory changes only when
// the whole reading succeeded. The positions read are 1 to
// the total of "AT+CPBS?", at most 250; a phone that gives no total is asked for the positions of
// its "AT+CPBR=?" range when that runs from 1.
EsitoLettura LeggiRubrica(uint8_t memoria);

// Stores one entry line of a read reply (without its result prefix) at its own position of the
// memory; a position outside 1 to 250 stores nothing. A name not well formed in the phone's set
// is stored unknown. False for a line that cannot be read: no position, or no number in quotes.
using PosizioniMemoria = std::array<VoceRubrica, MaxPosizioniRubrica + 1>;
bool DecodificaVoceRubrica(const QString& riga, PosizioniMemoria& memoria);

// Why the name cannot go to the phone, as the user is told: the phone's character set is not
// known, or it lacks these letters of it. Empty when it can: it is empty, or the set carries
// every letter.
QString NomeNonScrivibile(const QString& nome);

// Writes the entry at a position of memory 0 to 3, or erases it when name and number are both
// empty; on the phone's OK the table follows, holding the name as the phone now holds it. False
// when the phone refused the memory or the entry (its line then goes to `rifiuto`, when given),
// when the link failed, and, with nothing sent, when the position is not one of 1 to 250 or the
// name cannot go to the phone (NomeNonScrivibile).
bool ScriviVoceRubrica(uint8_t memoria, const QString& posizione, const QString& nome,
                       const QString& numero, QString* rifiuto = nullptr);

// An entry the user is told of, and why, in the user's words (empty when there is nothing more
// to say of it); position 0 stands for the whole memory.
struct VoceSegnalata {
    int memoria = 0;
    int posizione = 0;
    QString motivo;
};

// The used entries of the SIM and phone memories that are not to go to the phone: a name the
// phone's set lacks letters of (named), one that could not be read, and one holding "?" in a set
// whose phone gives "?" for the letters it lacks, which written back would put "?" in place of
// the phone's own letters.
std::vector<VoceSegnalata> VociNonScrivibili();

// What the writing-back did, entries in memory and position order: those the phone took, those
// it did not, and the one whose write the link was lost under, which the phone may have taken.
struct EsitoScritturaRubrica {
    std::vector<VoceSegnalata> scritte;
    std::vector<VoceSegnalata> nonScritte;
    std::vector<VoceSegnalata> senzaRisposta;
    bool collegamentoPerso = false;
};

// Writes every used entry of the SIM and phone memories back, each once, cut to the limits the
// phone gives that memory, but those in `saltate`; an accepted write leaves the table holding
// what the phone got. The entries not written: `saltate`, those the phone refused, with its
// reason, and, once the link is lost, which ends the writing, those left. A memory holding one of
// them or the one without answer is marked unread, so that its next view reads the phone again.
EsitoScritturaRubrica ScriviRubrica(const std::vector<VoceSegnalata>& saltate = {});

// Reads memories 0 to 3 in turn, or only those not yet read while the line is free, and tells the
// user once of the memories the phone refused, with its reasons, and, when a phonebook file is
// to be saved from the reading (`fileDaSalvare`), that the file keeps what it held for them;
// then, once, of the lines that could not be read. False when the link was lost, which ends the
// reading.
bool LeggiMemorie(bool soloNonLette, bool fileDaSalvare = false);

// Reads call list 0 to 2 (received, missed, dialled) into the table and marks it read; the
// names come from the phonebook when it knows the number. A list the phone refused to select or
// to list is read, without calls, with the refusal kept in RifiutiListe. The lines that could
// not be read are counted in `nonLette`, when given.
EsitoLettura LeggiListaChiamate(uint8_t lista, size_t* nonLette = nullptr);
// Reads the three lists in turn, until the link is lost, and tells the user once of those the
// phone refused, with its reasons, then of the lines that could not be read.
void LeggiListeChiamate();

// As DecodificaVoceRubrica, for a call list's positions 1 to 10; the name is the phonebook's for
// the number, else the one the phone gave with the call.
using PosizioniLista = std::array<VoceChiamata, MaxChiamate + 1>;
bool DecodificaVoceChiamata(const QString& riga, PosizioniLista& lista);

// "RC", "MC", "LD" for lists 0 to 2.
QString CodiceLista(int lista);
