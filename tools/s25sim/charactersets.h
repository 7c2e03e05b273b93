#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The TE character sets of AT+CSCS in which the phone sends and takes text strings: "GSM" (the
// default alphabet, one byte per code), "IRA" (the 7-bit international reference alphabet),
// "UCS2" (four hex digits per 16-bit character), "8859-1" (Latin-1, one byte per character),
// "UTF-8", and "HEX" (each byte of the GSM codes as two hex digits, with no conversion).
namespace s25sim::charset {

inline const QByteArray kGsm = "GSM";
inline const QByteArray kUcs2 = "UCS2";

const QList<QByteArray>& names();

// A text held as GSM codes, as the phone sends it in the set. A character the set lacks goes as
// "?".
QByteArray fromGsm(const QByteArray& codes, const QByteArray& set);

// A readable text as the phone sends it in the set, "?" for a character the set lacks.
QByteArray fromText(const QString& text, const QByteArray& set);

// A text the TE sent in the set, as GSM codes; nothing when it is not well formed in the set or
// holds a character without a GSM code. In the GSM and HEX sets the codes are taken as they are.
std::optional<QByteArray> toGsm(const QByteArray& sent, const QByteArray& set);

// The length of a text the TE sent in the set, in that set's characters: GSM codes (an
// extension character takes two) in the GSM and HEX sets, given as `codes`; bytes in IRA and
// 8859-1; 16-bit units in UCS2; characters in UTF-8.
int length(const QByteArray& sent, const QByteArray& codes, const QByteArray& set);

} // namespace s25sim::charset
