#pragma once

// Every file the program reads or writes, its own and those the user chooses, is read and
// written whole through here.
//
// A read takes a regular file only (a link to one is followed) and never waits on what it
// names: a folder, a pipe, a device or a socket is refused before a byte is asked of it. It
// takes no more than a file of its kind can hold: a longer one is refused whole. A file refused
// is not written over while it is there, until a read takes it, so that what could not be read
// is never lost; nor is anything written in place of what is not a regular file.

#include <QByteArray>
#include <QString>

#include <optional>

enum class MotivoFileRifiutato {
    Assente,     // nothing by that name: no news for the user
    NonRegolare, // a folder, a pipe, a device, a socket
    TroppoLungo, // longer than a file of its kind can be
    Illeggibile, // no permission to read it, or a read that failed
    Scrittura,   // a write the system refused: no permission, no room
};

struct FileRifiutato {
    QString percorso;
    MotivoFileRifiutato motivo = MotivoFileRifiutato::Assente;
    // Refused the same way before, and not read since: the user has been told.
    bool giaRifiutato = false;

    // Catalogue entry `voce`, the file's path, then why on a line of its own.
    QString Spiegazione(int voce) const;
};

// The file's bytes, when it is a regular file of at most `massimo` bytes; otherwise nothing,
// and `rifiuto` (when given) says which file and why.
std::optional<QByteArray> LeggiFileIntero(const QString& percorso, qint64 massimo,
                                          FileRifiutato* rifiuto = nullptr);

// `testo`, followed by which file was refused and why when it was there but refused.
QString ConSpiegazione(const QString& testo, const FileRifiutato& rifiuto);

// Tells the user of a file the program read for itself and refused, at its first refusal only.
void SegnalaFileRifiutato(const FileRifiutato& rifiuto);
// Tells the user of a file the program wrote for itself and could not, with why.
void SegnalaFileNonScritto(const FileRifiutato& rifiuto);

// Who may read a file written: as the user's other files, or only the user (the program's own
// files that hold messages or numbers).
enum class Accesso { Consueto, Privato };

// Writes the file whole through QSaveFile, or leaves what was there untouched; false when it
// could not, or when the path names a file refused or anything but a regular file. `rifiuto`,
// when given, says which file was not written and why.
bool ScriviFileIntero(const QString& percorso, const QByteArray& dati,
                      Accesso accesso = Accesso::Consueto, FileRifiutato* rifiuto = nullptr);

// Makes the folder, and each one above it that is missing, open to its owner only; true when it
// is there.
bool CreaCartellaPrivata(const QString& cartella);
