#pragma once

// Files a test lays out by hand for the program to read, and reads back after the program wrote
// them; the SMS archive among them, record by record.

#include "globali.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QtTest>

#include <sys/stat.h>

// All the bytes of a file, or none when it cannot be read: a missing file and an empty one
// look the same, which is what the tests compare against.
inline QByteArray Contenuto(const QString& percorso)
{
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// These bytes in place of what the file held; false when they could not all be written.
inline bool Scrivi(const QString& percorso, const QByteArray& dati)
{
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(dati) == dati.size();
}

// The file `nome` in that folder, holding these bytes: its path, or none when it could not be
// written.
inline QString FileDiProva(const QString& cartella, const QString& nome, const QByteArray& dati)
{
    const QString percorso = QDir(cartella).filePath(nome);
    return Scrivi(percorso, dati) ? percorso : QString();
}

// A named pipe, or a link to a device that never ends, where a reader looks for a file.
inline bool Pipe(const QString& percorso)
{
    return mkfifo(QFile::encodeName(percorso).constData(), 0600) == 0;
}

inline bool LinkAZero(const QString& percorso)
{
    return QFile::link(QStringLiteral("/dev/zero"), percorso);
}

// What the name is, without following a link: its kind, its inode and its size; none when it is
// not there. Anything written in its place changes it.
inline QString ImprontaFile(const QString& percorso)
{
    struct stat stato {};
    if (lstat(QFile::encodeName(percorso).constData(), &stato) != 0)
        return {};
    return QStringLiteral("%1 %2 %3").arg(stato.st_mode).arg(stato.st_ino).arg(stato.st_size);
}

// One record of the SMS archive as the program lays it out: its mark, the PDU's length in bytes,
// the type and the state, then the PDU in hex.
inline QByteArray RecordSMS(const QByteArray& pdu, uint8_t tipo, uint8_t stato)
{
    return QByteArray("<SMS>") + char(pdu.size() / 2) + char(tipo) + char(stato) + pdu;
}

inline QString PercorsoArchivio()
{
    return FileProgramma(QStringLiteral("archivio.sms"));
}

inline void ScriviArchivio(const QByteArray& byte)
{
    QVERIFY(Scrivi(PercorsoArchivio(), byte));
}
