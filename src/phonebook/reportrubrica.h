#pragma once

// The printed phonebook: what a selection copies out of the table, its sort, and the report's
// runs of formatted text. Free of any window, so the report can be checked line by line.

#include "telefono.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <vector>

// What is printed: memories 0 to 3, the red list (4), all memories (5).
constexpr int StampaRossa = 4;
constexpr int StampaTutte = 5;

// The selection a tree node presets: its memory, the red list, or everything else.
int SelezioneDaNodo(const QString& chiave);
// The tree node of a selection: a memory's, the red list's, or the whole phonebook's.
QString NodoDellaSelezione(int selezione);

// Sort keys: 0 by position (no sort), 1 by name, 2 by number.
enum ChiaveOrdine : uint8_t { PerPosizione = 0, PerNome = 1, PerNumero = 2 };

// The working copy, indexed from 1 (element 0 unused): one memory's positions, free ones
// included; the red entries of the SIM then of the phone memory; the used entries of every
// memory in turn. It grows to whatever the table holds.
std::vector<VoceRubrica> CopiaDiLavoro(int selezione);

// Sorts records lo to hi (both included) by name (key 1) or number (any other key), comparing
// character codes; Hoare's partition around the middle record, a half going to the even one.
void QSort(std::vector<VoceRubrica>& copia, int lo, int hi, uint8_t chiave);

// One run of the report: text (lines end in CR LF) and its format.
struct PezzoReport {
    QString testo;
    uint8_t colore = 0; // index into the 16-colour palette
    QString font;
    int16_t dimensione = 0;
    bool grassetto = false;

    bool operator==(const PezzoReport& altro) const
    {
        return testo == altro.testo && colore == altro.colore && font == altro.font
               && dimensione == altro.dimensione && grassetto == altro.grassetto;
    }
};

// The report for a selection, sorted by `chiave`, red entries in red when `rosso`; empty when the
// red list is chosen and holds nothing.
std::vector<PezzoReport> ReportRubrica(int selezione, uint8_t chiave, bool rosso);
