#pragma once

// The reminder record of the phone cache and its vCalendar 1.0 text: builders, parser and the
// fixed-width field rule. Pure text work, without any phone traffic.

#include "telefono.h"

#include <QString>

#include <array>

using TabellaProm = std::array<::Promemoria, NumPromemoria + 1>;

// The category keywords the program writes and recognises, by dialog option 0 to 3.
inline const std::array<QString, 4> CategorieProm{
    QStringLiteral("MISCELLANEOUS"), QStringLiteral("ANNIVERSARY"), QStringLiteral("PHONE CALL"),
    QStringLiteral("MEETING")};
// The recurrence codes of the dialog's options 0 to 3; option 0 is a single reminder.
inline const std::array<QString, 4> RipetizioniProm{QString(), QStringLiteral("D1"),
                                                    QStringLiteral("D7"), QStringLiteral("Y1")};

// A value stored in a field of that width: cut when longer, padded with blanks when shorter.
QString CampoFisso(const QString& valore, int larghezza);

// A used slot is one whose text does not begin with NUL.
bool PromUsato(const ::Promemoria& prom);
// Empties a slot: its text becomes NULs, and it keeps no phone text; the other fields stay as
// they were.
void SvuotaSlot(::Promemoria& prom);
// Empties every slot 1 to 30 of the table.
void SvuotaProm(TabellaProm& tabella);

// The vCalendar text of the dialog's values: date YYYYMMDD, time HHMMSS, the text, the category
// keyword and the recurrence code ("" for none). A value that holds a line break is written in
// quoted-printable.
QString CodificaVCalendar(const QString& data, const QString& ora, const QString& testo,
                          const QString& categoria, const QString& ripetizione);
// The vCalendar text of a stored reminder; its alarm goes at its start. A reminder that keeps the
// phone's own text goes as that text.
QString CodificaVCalendarDaRecord(const ::Promemoria& prom);

// The reminder a vCalendar text describes: the recognised lines, every other field all NULs.
// Folded lines are unfolded, parameters before a value's colon are allowed, and a value in
// quoted-printable or base64, and in a named charset (any the C library knows), is decoded. A
// last line without its CR LF is still read, so that one odd entry never hides the others.
::Promemoria DecodificaVCalendar(const QString& testo);
// The slot for a text a phone position holds. Whatever the position holds is a used slot: a
// text the parser finds no reminder text in gets a blank one and keeps the phone's text, so that
// it is never taken for a free slot and goes back as it was.
::Promemoria PromDaTelefono(const QString& testo);
// A date-time value YYYYMMDDTHHMMSS; a suffix after the seconds (a time-zone "Z") is ignored.
DataOraProm DecodificaDataVCalendar(const QString& valore);

// The name, in the current language, of a recurrence code.
QString NomeRipetizione(const QString& codice);
