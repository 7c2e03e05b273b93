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

// The rows of a test run once in each of the program's languages, by the number it knows them by.
inline void RighePerLingua()
{
    QTest::addColumn<int>("lingua");
    QTest::newRow("it") << 0;
    QTest::newRow("en") << 1;
    QTest::newRow("fr") << 2;
}

// Makes `lingua` the language the program's captions are taken in.
inline void ScegliLingua(int lingua)
{
    Opzioni.Lingua = static_cast<uint8_t>(lingua);
    BaseLang = static_cast<int16_t>(lingua * 1000 + 1);
}

// The entry at position p of memory m; a name ending in "!" is a red one.
inline void Voce(int m, int p, const QString& nome, const QString& numero)
{
    Telefono.Rubrica[static_cast<size_t>(m)][static_cast<size_t>(p)]
        = {QString::number(p), nome, numero, nome.endsWith(QLatin1Char('!'))};
}
