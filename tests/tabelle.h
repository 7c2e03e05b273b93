#pragma once

// The program's tables as the tests of its plain functions fill them by hand: the texts and the
// captions built from them in English, and the phonebook's entries.

#include "catalogo.h"
#include "globali.h"
#include "vocabolario.h"

#include <QtTest>

inline void TestiInglesi()
{
    QVERIFY(CatalogoMessaggi::Carica());
    BaseLang = 1001;
    InitTabelleLingua();
}

// The entry at position p of memory m; a name ending in "!" is a red one.
inline void Voce(int m, int p, const QString& nome, const QString& numero)
{
    Telefono.Rubrica[static_cast<size_t>(m)][static_cast<size_t>(p)]
        = {QString::number(p), nome, numero, nome.endsWith(QLatin1Char('!'))};
}
