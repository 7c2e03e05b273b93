#pragma once

// What the user is told when the phone refuses a command: the phone's reason in words, and the
// values one read could not get, in one message, so that a refused read never passes for one
// that found nothing.

#include "scambio.h"

#include <QString>
#include <QStringList>

// The values the phone did not give during one read, each with its reason.
class LettureRifiutate {
public:
    // The phone refused the command that reads `cosa`: the reason is the refusal line the
    // exchange kept for it.
    void Annota(const QString& cosa);
    void Annota(const QString& cosa, const QString& rigaRifiuto);
    // Notes `cosa` when the command that reads it ended so, without the value `dato` says was
    // read: the phone refused it, or answered with nothing to read. A lost link is no such end.
    void AnnotaSeNonDato(const QString& cosa, EsitoAT esito, bool dato);
    void Aggiungi(const LettureRifiutate& altre);
    bool Nessuna() const { return righe.isEmpty(); }
    // The entry `intestazione`, then one line "what: reason" ("what : reason" in French) for
    // each value not given.
    QString Testo(int intestazione) const;
    // Tells the user in one warning; nothing when every value was given. The read's wait window
    // must be gone.
    void Avvisa(int intestazione) const;
    void Avvisa() const;

private:
    QStringList righe;
};

// The phone's line refusing the last command; plain "ERROR" for a command the caller takes for
// refused although it ended otherwise (a reply with no final result).
QString UltimaRigaRifiuto();

// Tells the user that the phone refused the last command: the entry `voce`, then its reason.
void AvvisaRifiuto(int voce);
