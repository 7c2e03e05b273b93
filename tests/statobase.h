#pragma once

// The program-wide state a test of the connected program starts from: an empty phone cache,
// no link, English captions, default options and link timers short enough for a test.

#include "globali.h"
#include "tempi.h"

inline void StatoDiPartenza()
{
    TempiLink = TempiCollegamento{};
    TempiLink.ecoMs = 30;
    TempiLink.identitaMs = 30;
    // The phone's first answer may come later than 200 ms on a loaded machine: a bench that
    // gave up on the connection by then would see a phone that answers as a silent one. The
    // connection waits as long as a reply does.
    TempiLink.timeoutMs = 20;
    TempiLink.tentativiMassimi = 150;
    TempiLink.statoMs = 20;
    TempiLink.luceMs = 10;
    TempiLink.attesaMs = 3000;
    TempiLink.quieteMs = 100;
    Telefono = DatiTelefono{};
    Connesso = LineaLibera = false;
    SetTelefono = SetCaratteri::GSM;
    TelefonoInModoTesto = false;
    DialogoAperto = 0;
    BaseLang = 1001;
    Opzioni = Impostazioni{};
    Opzioni.Lingua = 1;
}
