#pragma once

#include <QStringView>

#include <optional>

// The number at the start of a text, as the phonebook file gives counts: leading blanks skipped,
// an optional sign, then digits; 0 when the text does not begin with a number. Values beyond
// what a position or a length can be are held at 99999.
int NumeroIniziale(QStringView testo);

// The integer a whole field holds: digits only, with blanks around them; nothing when the field
// holds anything else or a value outside minimo to massimo.
std::optional<int> InteroEntro(QStringView campo, int minimo, int massimo);
