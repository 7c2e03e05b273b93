#pragma once

// The reminder file (".cal"): fixed records of 108 bytes, one per used slot in slot order, each
// field exactly its width in Windows-1252, without header or trailer.

#include "fileinteri.h"
#include "promemoria.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <optional>

constexpr int LunghezzaRecordProm = 108;

// The file's bytes for the used slots of the table.
QByteArray ContenutoFileProm(const TabellaProm& tabella);
// The table a file describes, its reminders in slots 1, 2, 3 and on; nothing when its bytes are
// not whole records or hold more than 30 used ones. Read record by record, and never past the
// 31st used one, so that a huge file cannot fill the memory.
std::optional<TabellaProm> TabellaDaFileProm(QIODevice& file);

// Writes the used slots of the phone cache to the file, whole; false when it cannot.
bool SalvaFileProm(const QString& percorso);
// Replaces the phone cache's reminders with the file's; false, with the cache untouched, when
// the file cannot be read or is not a reminder file, and `rifiuto`, when given, tells why a file
// that is there was not read.
bool CaricaFileProm(const QString& percorso, FileRifiutato* rifiuto = nullptr);
