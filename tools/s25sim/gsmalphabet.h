#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The GSM default alphabet (GSM 03.38) as the phone stores names: one byte per code, and the
// extension characters as the escape code 27 followed by their own code. The simulator keeps its
// own table on purpose, so that a fault in the program's codec cannot hide behind a shared one.
namespace s25sim::gsm {

// The codes of a readable text, or nothing when a character has no code.
std::optional<QByteArray> encode(const QString& text);

// The readable text of a run of codes. A code above 127 or a lone escape gives U+FFFD.
QString decode(const QByteArray& codes);

} // namespace s25sim::gsm
