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
    TempiLink.timeoutMs = 20;
    TempiLink.statoMs = 20;
    TempiLink.luceMs = 10;
    TempiLink.attesaMs = 3000;
    TempiLink.quieteMs = 100;
    Telefono = DatiTelefono{};
    Connesso = LineaLibera = false;
    SetTelefono = SetCaratteri::GSM;
    DialogoAperto = 0;
    BaseLang = 1001;
    Opzioni = Impostazioni{};
    Opzioni.Lingua = 1;
}
