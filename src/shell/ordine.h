#pragma once

#include <QString>

// The sort state a click on a column header leaves, from the state before it. `colonna` is the
// clicked column's 1-based index; a column keyed "D" sorts by the column to its right.
struct StatoOrdine {
    int chiave = 0;
    int verso = 0; // 0 ascending, 1 descending

    bool operator==(const StatoOrdine& altro) const
    {
        return chiave == altro.chiave && verso == altro.verso;
    }
};

StatoOrdine OrdineDopoClic(StatoOrdine prima, int colonna, const QString& chiaveColonna);
