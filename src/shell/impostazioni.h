#pragma once

#include <QRect>
#include <QString>

#include <optional>

// The settings store: text values by section and key, under the application's name.

// Fills Opzioni from section "General"; a value that does not convert, or does not fit its field,
// resets every field to its error default.
void CaricaImpostazioni();

// Stores one value as decimal text.
void ScriviImpostazione(const QString& sezione, const QString& chiave, int valore);

// Reads one stored text; nothing when the key is absent.
std::optional<QString> LeggiImpostazione(const QString& sezione, const QString& chiave);

// Stores the main window's placement (twips). Values are clamped to the 16-bit fields the loader
// reads them into, so a wide or far-off window cannot make the next start reset every setting.
void SalvaPosizioneFinestra(const QRect& twips);

// The navigation tree's width (twips), kept with the placement; nothing when none is stored or
// the stored text is not a width. It is no field of the settings record, so a bad value costs no
// other setting.
void SalvaLarghezzaAlbero(int twips);
std::optional<int> LarghezzaAlberoMemorizzata();

// Reads a stored number the way the settings loader does: blanks around it allowed, a fraction
// rounded half to even; nothing when the text is not a number.
std::optional<long long> NumeroImpostazione(const QString& testo);
