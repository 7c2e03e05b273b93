#pragma once

// The texts around a message's DataOra field and the relative validity period octet (TP-VP):
// what the compose dialog makes of the validity the user typed, and what the lists and the
// reader pane show for a time stamp or a validity.

#include <QString>

#include <optional>

// The units of the compose dialog's unit list, in its order.
enum class UnitaValidita { Minuti = 0, Giorni = 1, Ore = 2, Settimane = 3 };

// The validity octet as two upper-case hex digits for `tempo` in the unit of list item `unita`
// (-1 or any other index: no unit, the longest period "FF"). An empty `tempo` is "FF" too.
// None when the value gives no octet: not a positive number, under 5 minutes, over 720 minutes,
// under one hour; such a value must never reach a PDU.
std::optional<QString> CalcolaValidita(const QString& tempo, int unita);

// The duration a validity octet written in decimal stands for ("24 hours", "1 hours 5 mins");
// entry 373 for a text that is no octet.
QString DecodificaValidita(const QString& ottetto);

// A DataOra value as shown: a 14-character time stamp as "dd/mm/yy hh.mm", anything else as
// the validity it holds.
QString FormattaDataSMS(const QString& dataOra);

// The sort key of the date column: year to second of a time stamp (the first 12 characters).
QString AccorciaDataOra(const QString& dataOra);

// How many leading characters of a decoded text to show for its user data length: the smaller
// of the text's length and that length, plus one for every CR (each carries an LF after it).
int LunghezzaTestoSMS(const QString& testo, int lunghezzaDati);
