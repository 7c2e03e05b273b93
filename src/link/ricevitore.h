#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// How a reply ended: a whole final-result line, or the data prompt.
enum class FineRisposta { Nessuna, Ok, Errore, Prompt };

// The final result a whole line carries: "OK", "ERROR", "+CME ERROR: n", "+CMS ERROR: n".
FineRisposta RigaFinale(QStringView riga);
// The error code of a "+CME ERROR: <n>" line, and of a "+CMS ERROR: <n>" line; none for any
// other line, or a text in place of n.
std::optional<int> CodiceErroreCME(QStringView riga);
std::optional<int> CodiceErroreCMS(QStringView riga);
// The lines the phone sends on its own: they never belong to a reply.
bool RigaNonRichiesta(QStringView riga);
// The message index of a "+CMTI:" line: the number after its last comma.
std::optional<int> IndiceIndicazioneSMS(QStringView riga);
// The memory a "+CMTI:" line names, without its quotes: the field before the index; none when it
// is no memory name (letters and digits, a few of them).
std::optional<QString> MemoriaIndicazioneSMS(QStringView riga);
// The memory whose positions the program reads as its message table: the SIM's.
inline constexpr QStringView MemoriaSMSLetta = u"SM";
// The reply body as callers know it: without the leading CR LF and the trailing CR LF, CR LF "OK"
// CR LF, so that a one-line reply is its value line. Only line ends go: a phone that leaves out
// the empty line before the OK, or the line end before the text, gets its lines whole all the
// same. A reply that holds no line but its "OK", whatever line ends stand before it, is the bare
// OK, CR LF "OK" CR LF. A text cut short by the link loses its first 2 and last 8 characters as a
// whole reply would, and stays whole at 9 characters or fewer.
QString TagliaRisposta(const QString& ricevuto);

// The receive path behind the AT exchange. It appends each chunk to the buffer it is given,
// takes unsolicited lines out as they complete, keeps the "+CMTI:" indexes of the SIM memory and
// the names of the other memories announced, and notes the first final result. Every character is
// examined once: the cost is linear in what arrives, however the reply is split.
class RicevitoreAT {
public:
    explicit RicevitoreAT(QString& buffer) : buffer(buffer) {}

    void Aggiungi(QStringView pezzo);
    // A new command starts: the buffer is emptied and what was noted forgotten. A line in
    // progress that may still turn out to be one of the phone's own lines is kept: it is taken
    // out when it ends, and any other line begun before the command is dropped then.
    void Azzera();
    // The exchange hands over its result: the buffer becomes that text, and whatever came after
    // the reply's end, whole lines or a line in progress, follows it as a new line.
    void SostituisciRisposta(const QString& risultato);

    FineRisposta Fine() const { return fine; }
    // The final line of a refusal ("ERROR", "+CME ERROR: n", "+CMS ERROR: n"); else empty.
    const QString& RigaRifiuto() const { return rigaRifiuto; }
    // The length of the buffer up to the end of the final line.
    qsizetype FineIn() const { return fineIn; }
    // The indexes of the "+CMTI:" lines for the SIM memory taken out since the last call.
    QList<int> PrendiIndicazioniSMS();
    // The memories other than the SIM's that "+CMTI:" lines named since the last call.
    QStringList PrendiAltreMemorieSMS();

private:
    void chiudiRiga(qsizetype lf);
    void togliRiga(qsizetype inizio, qsizetype fineRiga);
    void notaIndicazioneSMS(QStringView riga);
    void togliTestoRiportato(qsizetype lf);
    void notaFine(FineRisposta tipo, qsizetype dopo);
    // The line in progress when it may still become one of the phone's own lines; else empty.
    QString rigaNonRichiestaInCorso() const;
    // What follows starts a new line, and nothing is noted yet.
    void riallinea();

    QString& buffer;
    qsizetype inizioRiga = 0;        // start of the line not yet ended
    qsizetype inizioPrecedente = -1; // start of the line before it; -1 when unknown
    qsizetype cercaDa = 0;           // where the search for the next line end resumes
    qsizetype riportati = 0;         // characters at the start that came before the command
    // A line holding only the prompt has ended, and nothing but empty lines came after it.
    bool promptChiuso = false;
    FineRisposta fine = FineRisposta::Nessuna;
    qsizetype fineIn = 0;
    QString rigaRifiuto;
    QList<int> indicazioniSMS;
    QStringList altreMemorieSMS;
};
