#pragma once

// The program's files keep their texts in Windows-1252, as other programs sharing them expect: a
// letter the code page lacks is stored as "?". Before such a file is written the user is told
// which texts would lose which letters.

#include <QString>
#include <QStringList>

class QWidget;

class LetterePerse {
public:
    // Notes `chi` (an entry, an operator, a list) when `testo` holds letters the files lack.
    void Annota(const QString& chi, const QString& testo);
    bool Nessuna() const { return righe.isEmpty(); }
    // The heading, then one line "who: letters" ("who : letters" in French) for each text noted.
    QString Testo() const;
    // Tells the user, once no exchange waits and no wait window is open; nothing when no letter
    // is lost.
    void Avvisa() const;
    // Asks the user, with the question `domanda` after the texts, whether to write the file
    // all the same; true when no letter is lost or the user answers yes.
    bool Conferma(int domanda, QWidget* padre = nullptr) const;

private:
    QStringList righe;
};
