#pragma once

// The phone's own melody and its ring-tone setting (AT^SRTC).

#include "fileinteri.h"
#include "rifiuti.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The 44-byte MIDI file that the phone holds when it has no melody of its own.
bool EMelodiaVuota(const QByteArray& dati);

// Ring tone and volume, as maxima from "AT^SRTC=?" or as the setting from "AT^SRTC?".
struct Suoneria {
    int tono = 0;
    std::optional<int> volume; // the setting's volume, when its reply carries one
};
// "^SRTC: (0-16),(0-4)": the two maxima; nothing for a reply without them, or too long to be one.
std::optional<Suoneria> DecodificaLimitiSuoneria(const QString& risposta);
// "^SRTC: 3,2,0": the tone and, when a further field follows it, the volume.
std::optional<Suoneria> DecodificaSuoneria(const QString& risposta);

// The last component of a path; empty for a path that ends with its separator.
QString NomeFileDaPercorso(const QString& percorso);

// What a melody read found.
struct LetturaMidi {
    std::optional<QByteArray> melodia; // the phone's own melody, when it holds one
    FileRifiutato nonScritto;          // why the melody file did not take it
    bool ignota = false;               // the phone refused to read its melody
    std::optional<Suoneria> limiti;    // the ranges, when the phone gave them
    std::optional<Suoneria> suoneria;  // the setting, when the phone gave it
    LettureRifiutate nonDati;          // the ranges, setting and melody the phone did not give
};
// Reads the ring-tone ranges and setting and the phone's melody, under the wait window, and
// writes the melody to the melody file. Sets Telefono.MidiLetta when a melody was found, whether
// or not the file took it. A phone without a melody of its own answers a bare OK, or gives the
// empty one; one that refuses the read says nothing of it, and the melody file stays as it was.
LetturaMidi LeggiMidi();
