#pragma once

// What the compose dialog decides, apart from its controls: the text as it is counted and sent,
// and what Send and Save do for the dialog's mode and the folder selected in the main window.
// The mode is "0" for a new message, "1" for a new message kept in the archive (also a reply),
// or the listed position of an edited message, two or more digits.

#include <QString>

// The text as sent: a line break is one CR.
QString TestoSMS(const QString& testoScritto);
// A decoded text as the text field holds it: every line break one "\n".
QString TestoDaScrivere(const QString& testoDecodificato);
// The text with every blank of another kind (a tab, the typographic spaces), which the GSM
// alphabet lacks, as a plain blank; line breaks stay.
QString SpaziSemplici(const QString& testoScritto);
// The septets the text takes: an extension character counts two, a line break one.
int SettettiTesto(const QString& testoScritto);
// The longest start of the text that fits in `settetti` septets.
QString TestoEntro(const QString& testoScritto, int settetti);

// The position an edit of a message stored in the SIM replaces: a mode of two or more digits
// with a sent or unsent folder selected; 0 for anything else (a new message, a reply).
int PosizioneModificata(const QString& modo, const QString& cartella);

enum class Salvataggio {
    NelTelefono,         // store on the SIM as unsent
    NellArchivio,        // append to the archive
    SostituisciArchivio, // replace the edited archive entry
    SostituisciTelefono, // delete the edited SIM message, then store on the SIM
    Nessuno,
};
Salvataggio SalvataggioPerModo(const QString& modo, const QString& cartella);
