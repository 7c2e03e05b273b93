#pragma once

class frmMain;

// Builds the main window with every subsystem in place, then runs its load (which shows it).
// The window deletes itself when it closes.
frmMain* CaricaFinestraPrincipale();
