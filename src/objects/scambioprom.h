#pragma once

// The reminders between the phone's "vcs" positions 1 to 30 and Telefono.Promemoria.

#include "promemoria.h"
#include "rifiuti.h"
#include "trasferimento.h"

#include <QString>
#include <QStringList>

// The vCalendar text of position n; empty for an empty position or one the phone refused.
Lettura LeggiProm(int posizione, QString& testo);

// Reads positions 1 to 30 under the wait window. The table and Telefono.PromLetti change only
// when every position was read: a lost link keeps what was there. The positions the phone
// refused are marked so in the table and go to `rifiutate`, one line for each reason.
bool LeggiTuttiProm(LettureRifiutate& rifiutate);
// The reminders at these positions as the user is told of them: "Alarms 7, 12".
QString PromemoriaAlle(const QStringList& posizioni);

// Writes the dialog's values to position n under the wait window, then reads it back into slot
// n; the entry the position holds changes in what the user changed from the values the dialog
// opened with, `prima`. True when the phone took it and gave it back; otherwise slot n is left as
// it was.
bool ScriviProm(int posizione, const ValoriProm& valori, const ValoriProm& prima);
// Writes slot n of the table to position n (the caller shows the wait window), then reads it
// back into slot n, with the same result.
bool ScriviPromDaRecord(int posizione);
// Deletes position n; true on the phone's bare OK, and `esito`, when given, tells how the
// exchange ended. The table is the caller's.
bool CancellaProm(int posizione, EsitoAT* esito = nullptr);
