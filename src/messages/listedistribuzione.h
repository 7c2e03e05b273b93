#pragma once

// The distribution lists: named sets of phonebook entries that one message can be sent to, and
// their file "distrib.lst" in the program folder. The file is a run of 49-byte records with no
// header: for each list a header record (member count in the tag, the first 16 characters of
// the name, a number of 30 zero bytes, flag 0), then its members as they are held.

#include "fileinteri.h"
#include "vocefile.h"

#include <QList>
#include <QString>

struct ListaDistribuzione {
    QString Nome; // 30 characters, padded with blanks
    QList<VoceFile> Membri;
};

// The lists in table order; list k of the dialogs is element k - 1.
extern QList<ListaDistribuzione> ListeDistribuzione;

// The most lists the table holds and the most members of one list (counts the file keeps in a
// byte).
constexpr int MaxListe = 255;
constexpr int MaxMembri = 255;
constexpr int LunghezzaNomeLista = 30;

// A name as the table keeps it: cut or padded with blanks to 30 characters.
QString NomeLista(const QString& nome);

// Replaces the table with the file's lists; false when there is no file, it is empty or cannot
// be read (the table is then empty), and `rifiuto`, when given, tells why.
bool CaricaFileListeD(FileRifiutato* rifiuto = nullptr);
// Rewrites the file whole from the table, readable by its owner only; false, with the file as it
// was, when the table exceeds the limits or the file cannot be written.
bool SalvaFileListeD();
