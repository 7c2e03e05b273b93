#pragma once

// What every fuzz target shares: the program's start-up done once per process, the input read
// as the phone's bytes or as several replies, and the check that ends the run when something
// that must survive did not.

#include "codecs.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

// The Qt application a target needs: the parsers need the core only; pictures need a GUI
// application on the offscreen platform.
enum class Applicazione { Nucleo, Grafica };

// Once per process: the application, configuration and data folders of its own (removed at the
// end), the catalogue in English with its vocabulary tables, the GSM alphabet, and no user to
// answer a message box.
void Prepara(Applicazione tipo = Applicazione::Nucleo);

// The input as the serial port hands it over: one Windows-1252 character per byte.
QString Testo(const uint8_t* dati, size_t lunghezza);
QByteArray Byte(const uint8_t* dati, size_t lunghezza);

// The input as `quante` texts, one per reply: the first quante - 1 NUL bytes divide them, the last
// takes the rest; the parts the input does not reach are empty.
QStringList Parti(const uint8_t* dati, size_t lunghezza, int quante);

// Ends the run, so that libFuzzer keeps the input, when a property does not hold.
void Verifica(bool condizione, const char* proprieta);
void Verifica(bool condizione, const char* proprieta, const QString& dettagli);

// A file in the target's own data folder, and whole-file helpers for the loaders that read a
// path.
QString FileDiLavoro(const QString& nome);
void ScriviFile(const QString& percorso, const QByteArray& contenuto);
QByteArray LeggiFile(const QString& percorso);

// What the Windows-1252 code page, of the phone and of the program's files, carries of a text: a
// character it lacks is '?'.
inline QString NelCodicePagina(const QString& testo)
{
    return DecodificaWindows1252(CodificaWindows1252(testo));
}
