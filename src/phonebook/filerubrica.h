#pragma once

// The phonebook file (".rub", 49-byte records) and its text export, as bytes built from and
// read into the phonebook table.

#include "fileinteri.h"
#include "telefono.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// The file's bytes for the table as it stands: header, each memory's record and its positions
// 1 to the positions held (at most 250, also the total recorded), the SMS-centre record.
QByteArray BytesFileRubrica();

// A phonebook file read whole, before it becomes the table.
struct RubricaDaFile {
    std::array<int16_t, NumMemorie> usate{};
    std::array<int16_t, NumMemorie> totale{};
    std::array<std::vector<VoceRubrica>, NumMemorie> voci; // index = position, 0 unused
    QString smsc;
};

// As BytesFileRubrica, but a memory the phone refused (RifiutiRubrica), and the SMS centre when
// the phone gave none, keep what the phonebook file at `percorso` held for them; when that file
// cannot be read, they are written as the table holds them.
QByteArray BytesFileRubricaConservando(const QString& percorso);

// Nothing when the bytes are not a whole phonebook file in the expected record order.
std::optional<RubricaDaFile> LeggiBytesFileRubrica(const QByteArray& dati);

// Makes the file's content the table: counts, entries, every read flag, the SMS centre; no
// memory stays refused, nor holds lines not read.
void ApplicaRubricaDaFile(const RubricaDaFile& rubrica);

// An entry's name and number as the phonebook file's record holds them (`fileRubrica`), each cut
// to its field, or as the text export holds them, whole: what to look for letters the file's code
// page lacks in.
QString TestiNelFile(const VoceRubrica& voce, bool fileRubrica);

// The text export of the table: a title line per memory and its used positions in columns,
// Windows-1252, CR LF.
QByteArray BytesFileRubricaTxt();

// Reads a phonebook file into the table; on any failure the table is left as it was, and
// `rifiuto`, when given, tells why a file that is there was not read.
bool CaricaFileRubrica(const QString& percorso, FileRifiutato* rifiuto = nullptr);
