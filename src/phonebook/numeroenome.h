#pragma once

// A dialog's number field and its list of phonebook names follow each other: a typed number
// selects the name of the entry that holds it, a picked name writes that entry's number. The
// dialog calls these from its own handlers; writing the number never runs the field's own
// change handling again.

class QComboBox;
class QLineEdit;

// The number in the field changed. From four characters on, the last item of the list bearing
// the name of the entry that holds the number is selected, and the field takes the number as
// that entry stores it; a number no named entry holds, or an empty field, clears the selection.
// With one to three characters there is no name to look for: the selection stays as it was.
void NumeroScritto(QLineEdit& numero, QComboBox& nomi);

// An item of the list was picked: the field takes the number of the first entry with that name.
// With no item, or an item with no name, what the user typed stays.
void NomeScelto(QLineEdit& numero, QComboBox& nomi);
