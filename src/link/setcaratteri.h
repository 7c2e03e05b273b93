#pragma once

// The text parameters of the AT commands (names of the phonebook, the call lists and the
// operators) in the character set of 27.007 (+CSCS) the phone speaks. Message PDUs are no text
// parameters: they stay in the GSM alphabet whatever the set.

#include "globali.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The set a "+CSCS: <chset>" reply names: quoted or bare, in any letter case, or in UCS2 hex as
// a phone in UCS2 may give it. Ignoto for another set and for a reply that names none. `nome`,
// when given, gets the set as the phone named it, empty when it named none.
SetCaratteri SetDaRisposta(const QString& corpo, QString* nome = nullptr);

// A text parameter as the phone sent it (a character per byte of the line, the escapes of an AT
// string undone), read in the set: GSM codes (7-bit, an escape only before an extension code),
// IRA (0x20 to 0x7E), Latin-1 bytes, strict UTF-8, or UCS2 (four hex digits per UTF-16 unit).
// None when the text is not well formed in its set or holds a NUL, and for any text in the
// unknown set: a text read is the phone's own, never another; the empty text is empty in every
// set.
std::optional<QString> DecodificaTestoAT(const QString& grezzo, SetCaratteri set);

// The bytes of a text in the set, for CodificaStringaAT to quote: GSM codes, ASCII, Latin-1,
// UTF-8, or UCS2 hex. A letter the set cannot carry (LettereNonScrivibili) goes as '?'; in the
// unknown set nothing goes.
QByteArray CodificaTestoAT(const QString& testo, SetCaratteri set);

// The letters of a text that the set cannot carry, each once, in their order, with a blank
// between them; empty when the set carries the whole text. GSM lacks those with no code, basic
// or extension; IRA those outside 0x20 to 0x7E; Latin-1 those above U+00FF; UCS2 those beyond
// U+FFFF; UTF-8 none. In the unknown set no letter can be written. A letter that shows nothing
// of its own (a control, a blank other than the space, U+FEFF) is named by its code, "U+FEFF".
QString LettereNonScrivibili(const QString& testo, SetCaratteri set);

// The same for Windows-1252, the code page of the program's files, which keep each such letter
// as "?".
QString LettereNonInFile(const QString& testo);

// A number field: some phones in UCS2 give numbers in hex too. It is taken so only when it
// decodes wholly to digits, "+", "*" and "#"; otherwise as it stands.
QString NumeroDaTestoAT(const QString& numero, SetCaratteri set);
