#pragma once

// The bench of the tests of the whole program as the user starts it: every subsystem in place,
// the main window loaded and shown, the simulated demo phone behind COM1, and the user
// connecting from the toolbar.

#include "banco.h"
#include "programma.h"
#include "statobase.h"

class BancoIntero : protected Banco {
protected:
    // The phone on and the program's state fresh; the window is the test's to load, once it has
    // chosen what the window starts with.
    void accendiDemo()
    {
        StatoDiPartenza();
        accendi(semeDemo());
        risposte = std::make_unique<RisposteFinte>();
    }

    // The link closed before the window goes, the phone last.
    void spegni()
    {
        if (finestra) {
            finestra->collegamento->ChiudiPorta();
            delete finestra;
            finestra = nullptr;
        }
        risposte.reset();
        telefono->stop();
        telefono.reset();
    }

    // As the user connects: the toolbar's button, then the wait until the phone's identity is
    // read and the line is free.
    void connettiDallaBarra()
    {
        finestra->Toolbar1_ButtonClick(finestra->Toolbar1[2]);
        QTRY_VERIFY_WITH_TIMEOUT(Connesso && LineaLibera && Telefono.InfoLetta, 10000);
    }
};
