#pragma once

// The reminders between the phone's "vcs" positions 1 to 30 and Telefono.Promemoria.

#include "rifiuti.h"
#include "trasferimento.h"

#include <QString>

// The vCalendar text of position n; empty for an empty position or one the phone refused.
Lettura LeggiProm(int posizione, QString& testo);

// Reads positions 1 to 30 under the wait window. The table and Telefono.PromLetti change only
// when every position was read: a lost link keeps what was there. The positions the phone
// refused are marked so in the table and go to `rifiutate`, one line for each reason.
bool LeggiTuttiProm(LettureRifiutate& rifiutate);

// The dialog's values of one reminder, as typed (date and time fields of one or two digits).
struct ValoriProm {
    QString giorno, mese, anno, ora, minuto, secondo;
    QString testo;
    QString categoria;
    QString ripetizione; // "" for a single reminder
    bool utc = false;    // the time is in UTC
};

// Writes the reminder to position n under the wait window, then reads it back into slot n.
// True when the phone took it and gave it back; otherwise slot n is left as it was.
bool ScriviProm(int posizione, const ValoriProm& valori);
// Writes slot n of the table to position n (the caller shows the wait window), then reads it
// back into slot n, with the same result.
bool ScriviPromDaRecord(int posizione);
// Deletes position n; true on the phone's bare OK. The table is the caller's.
bool CancellaProm(int posizione);
