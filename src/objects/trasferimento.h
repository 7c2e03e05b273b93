#pragma once

// The phone's binary objects over the AT exchange: reading an object, writing one block by
// block, erasing one; and the operator logo and own melody kept in their files.

#include "fileinteri.h"
#include "immaginelogo.h"
#include "scambio.h"

#include <QByteArray>
#include <QString>

#include <functional>

// How a read ended. A lost link, a time-out, a cancel or a malformed reply is a failure: it is
// never taken for an object nor for its absence.
enum class Lettura {
    Presente,  // the phone holds the object; its bytes were read whole
    Assente,   // the phone holds none (a bare OK)
    Rifiutata, // the phone refused the read, saying nothing of what it holds
    Fallita,
};

// Reads object `tipo`, `indice` ("bmp", 0; "mid", 0; "vcs", 1 to 30).
Lettura LeggiOggetto(const QString& tipo, int indice, QByteArray& dati);

// Called after each block the phone took, with the block's number and the count.
using Avanzamento = std::function<void(int blocco, int blocchi)>;

// Sends the bytes as object `tipo`, `indice`, block by block: each block must be answered with
// the prompt and its data accepted by the phone. The phone's final reply comes back in
// `ultimaRisposta`. No erase goes first.
bool ScriviOggetto(const QString& tipo, int indice, const QByteArray& dati,
                   const Avanzamento& avanzamento, QString* ultimaRisposta = nullptr);

// Sends "AT^SBNW=<tipo>,<indice>,0"; true on the phone's bare OK. `esito`, when given, tells how
// the exchange ended.
bool CancellaOggetto(const QString& tipo, int indice, EsitoAT* esito = nullptr);

// The logo file "S25Logo.bmp" and the melody file "S25Midi.mid" of the program folder.
QString FileLogo();
QString FileMidi();

// What a logo read found.
struct LetturaLogo {
    Lettura lettura = Lettura::Fallita;
    std::optional<Logo> logo; // the picture of the phone's logo, when its bytes make one
    FileRifiutato nonScritto; // why the logo file did not take it
};
// Reads the phone's operator logo under the wait window: Presente when the phone held one, which
// sets Telefono.LogoLetto, whether or not its bytes make a picture and its file took them. Only a
// logo read whole that makes a picture replaces the logo file.
LetturaLogo LeggiLogo();

// Send the bytes as the operator logo or the own melody (at most 32767 bytes): the phone's object
// erased, then the blocks sent. True when every block was taken.
bool ScriviLogo(const QByteArray& bitmap, const Avanzamento& avanzamento);
bool ScriviMidi(const QByteArray& melodia, const Avanzamento& avanzamento);
// Sends a melody file, read whole; `rifiuto`, when given, tells why a file that is there was not
// read.
bool ScriviMidi(const QString& percorso, const Avanzamento& avanzamento,
                FileRifiutato* rifiuto = nullptr);
