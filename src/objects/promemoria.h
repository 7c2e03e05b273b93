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
// A stored field as a value: without its NULs (never written) and the blanks that pad it.
QString ValoreCampo(QString campo);

// A used slot is one whose text does not begin with NUL.
bool PromUsato(const ::Promemoria& prom);
// Empties a slot: its text becomes NULs, and it keeps no phone text; the other fields stay as
// they were.
void SvuotaSlot(::Promemoria& prom);
// Empties every slot 1 to 30 of the table.
void SvuotaProm(TabellaProm& tabella);

// The dialog's values of one reminder, as typed (date and time fields of one or two digits).
struct ValoriProm {
    QString giorno, mese, anno, ora, minuto, secondo;
    QString testo;
    QString categoria;
    QString ripetizione; // "" for a single reminder
    bool utc = false;    // the time is in UTC
};

// The vCalendar text of the dialog's values: date YYYYMMDD, time HHMMSS (with its "Z" for UTC),
// the text, the category keyword and the recurrence code ("" for none). A property without a
// value is left out; a value that holds a control character is written in quoted-printable.
QString CodificaVCalendar(const QString& data, const QString& ora, const QString& testo,
                          const QString& categoria, const QString& ripetizione);
// The text a phone position gets from the dialog: the entry it holds (the phone's own text),
// changed in the values the user changed from `prima` to `dopo` and in nothing else. The other
// lines stay byte for byte; a changed value keeps its line's parameters, encoding and charset,
// and a value the entry lacks gets a line where the phone's own entries have it; an alarm keeps
// its distance from the start. With nothing changed the entry stays as it is; a position that
// holds nothing, or no calendar entry, gets the dialog's values alone.
QString VCalendarDelDialogo(const QString& originale, const ValoriProm& prima,
                            const ValoriProm& dopo);
// The vCalendar text of a stored reminder; its alarm goes at its start, a UTC time stays UTC, a
// field that holds no value is left out. A reminder read from the phone goes as the phone's own
// text, byte for byte.
QString CodificaVCalendarDaRecord(const ::Promemoria& prom);

// The reminder a vCalendar text describes: the recognised lines, every other field all NULs;
// other calendars' SUMMARY, DUE and AALARM stand for a text, start and alarm it lacks. Folded lines
// are unfolded, parameters before a value's colon are allowed, and a value in quoted-printable or
// base64, and in a named charset (any the C library knows), is decoded. A last line without its CR
// LF is still read, so that one odd entry never hides the others.
::Promemoria DecodificaVCalendar(const QString& testo);
// The slot for a text a phone position holds. It keeps the phone's text, so that it goes back as
// it was, whatever it holds that the fields do not. Whatever the position holds is a used slot:
// a text the parser finds no reminder text in gets a blank one, so that it is never taken for a
// free slot.
::Promemoria PromDaTelefono(const QString& testo);
// A date-time value YYYYMMDDTHHMMSS; a "Z" after the seconds marks a UTC time, which keeps its
// figures.
DataOraProm DecodificaDataVCalendar(const QString& valore);

// The name, in the current language, of a recurrence code.
QString NomeRipetizione(const QString& codice);
