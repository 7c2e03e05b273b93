#pragma once

// The red-list mark of a name, wherever a name is shown or written, and the entry dialog's
// checks on OK, apart from its window.

#include "righeat.h"

#include <QString>

// True when the name ends in the red-list mark "!", in its characters or in its GSM codes.
bool NomeRosso(const QString& nome);

// The name without the red-list mark "!" at its end, as the dialog shows it.
QString NomeSenzaSegno(const QString& nome);

// The longest start of a text that takes at most `limite` units of some measure.
using TaglioTesto = QString (*)(const QString& testo, int limite);

// The name as written, to the phone or to a file: with exactly one final mark when the entry is
// red, without it otherwise. Given a limit, `taglia` cuts it to fit, mark included: a red name
// gives way before its mark, which it keeps, so that it still reads as red. The mark takes one
// unit of every measure a name is cut by (a character, a GSM code).
QString NomeDaScrivere(const QString& nome, bool rossa, int limite = 0,
                       TaglioTesto taglia = nullptr);

// The catalogue entry that tells what is wrong with the typed entry: 932 when the name is empty
// but `nomeRichiesto` (the entry's name on the phone could not be read: an empty one would erase
// it); 386 when the name, its mark included, is longer than the memory's name length in the
// units of the set (LunghezzaNome); 387 when the number is not a phone number or has more digits
// than the memory's number length (a limit of 0 is no limit). 0 when the entry can be written.
int ErroreVoce(const QString& nome, const QString& numero, bool rossa, const Lunghezze& limiti,
               SetCaratteri set, bool nomeRichiesto = false);
