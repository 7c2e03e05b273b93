#pragma once

// The 49-byte record of the phonebook file and of the distribution-list file: a tag byte, a
// 16-character name, a 30-character number and a 16-bit flag, texts in Windows-1252 padded with
// blanks, integers little-endian.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

struct VoceFile {
    uint8_t Tag = 0;
    QString Nome;      // as stored: 16 characters once read, blank padding included
    QString Numero;    // as stored: 30 characters once read
    int16_t Rossa = 0; // -1 true, 0 false; kept as stored, as readers must not judge it
};

constexpr int LunghezzaVoceFile = 49;
constexpr int LunghezzaNomeFile = 16;
constexpr int LunghezzaNumeroFile = 30;

// The record's 49 bytes; a longer text is cut to its field, a shorter one padded with blanks.
QByteArray ScriviVoceFile(const VoceFile& voce);

// The record that starts at `inizio`; nothing when fewer than 49 bytes are left there.
std::optional<VoceFile> LeggiVoceFile(const QByteArray& dati, qsizetype inizio);
