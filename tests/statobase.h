#pragma once

// The program-wide state a test of the connected program starts from: an empty phone cache,
// no link, English captions, default options and link timers short enough for a test.

#include "globali.h"
#include "tempi.h"

#include <QtTest>

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
    DialogoAperto = 0;
    BaseLang = 1001;
    Opzioni = Impostazioni{};
    Opzioni.Lingua = 1;
}

// The captions in language `lingua`: 0 Italian, 1 English, 2 French.
inline void ImpostaLingua(int lingua)
{
    Opzioni.Lingua = static_cast<uint8_t>(lingua);
    BaseLang = static_cast<int16_t>(lingua * 1000 + 1);
}

// The rows of a test run once in each language, its column "lingua".
inline void RigheDelleLingue()
{
    QTest::addColumn<int>("lingua");
    QTest::newRow("it") << 0;
    QTest::newRow("en") << 1;
    QTest::newRow("fr") << 2;
}
