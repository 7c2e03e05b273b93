#pragma once

#include <QStringView>

// The number at the start of a text, as the phonebook file gives counts: leading blanks skipped,
// an optional sign, then digits; 0 when the text does not begin with a number. Values beyond
// what a position or a length can be are held at 99999.
int NumeroIniziale(QStringView testo);
