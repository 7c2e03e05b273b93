#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

// The AT exchange: the one road to the phone for every subsystem. One command at a time; the
// interface stays alive while a reply is awaited.

// Why an exchange ended.
enum class EsitoAT {
    Ok,            // a final "OK": the result is the reply body (a bare OK comes whole)
    Errore,        // "ERROR", "+CME ERROR: n" or "+CMS ERROR: n": "ERRORE"
    Prompt,        // the data prompt "> ": ">"
    Annullato,     // Cancel in the wait window, or the program is quitting: "ERRORE"
    Scaduto,       // nothing arrived within the wait's bound, for this command or an earlier one
                   // of the same operation: "ERRORE"
    LinkCaduto,    // the link dropped or was never up: what had arrived, cut as a body
    PortaChiusa,   // the port is closed: the empty text, nothing written
    LineaOccupata, // another command is still waiting: "ERRORE", nothing written
};

// True when the phone itself answered, so that what was read may be kept as read.
bool RispostaDelTelefono(EsitoAT esito);

// The text the phone sends for a bare "OK", which the exchange returns whole.
inline const QString OKNudo = QStringLiteral("\r\nOK\r\n");
// The exchange's failure sentinel, distinct from the phone's "ERROR".
inline const QString RispostaErrore = QStringLiteral("ERRORE");

// Sends one command line (CR is added) or a block of data ending with Ctrl-Z, and waits for the
// whole reply. See EsitoAT for the results.
QString InviaComandoAT(const QString& comando, EsitoAT* esito = nullptr);

// The phone's final line refusing the last command ("ERROR", "+CME ERROR: n" or "+CMS ERROR: n",
// see CodiceErroreCME); empty when that command ended any other way. The sentinel "ERRORE" the
// command returned says no more than that it was refused.
QString UltimoRifiuto();

// A refusal as the user reads it: the words of a "+CME ERROR" code the phonebook and the SIM
// commonly meet, else the phone's own line.
QString MotivoRifiuto(const QString& rigaRifiuto);

// Writes characters straight to the port, with no wait: the hex of a binary block after the
// prompt. Nothing happens when the port is closed.
void ScriviSullaPorta(const QString& caratteri);

// The bound of the wait for the reply to this command, in milliseconds.
int LimiteAttesa(const QString& comando);

// What the exchange needs of a serial port.
class PortaAT {
public:
    virtual ~PortaAT() = default;
    virtual bool PortOpen() const = 0;
    virtual void Output(const QString& testo) = 0;
};

// The port the exchange uses; null when none. The program's link registers its own.
void RegistraPortaAT(PortaAT* porta);

// The receive path: each chunk the port delivers, in arrival order. Unsolicited lines are taken
// out; the indexes of the "+CMTI:" indications for the SIM memory are kept for
// PrendiIndicazioniSMS, the other memories they name for PrendiAltreMemorieSMS.
void ConsegnaRicezione(const QString& pezzo);
QList<int> PrendiIndicazioniSMS();
QStringList PrendiAltreMemorieSMS();

// True from a command that found no answer within its bound until the operation that sent it
// has ended: meanwhile every further command of the operation returns Scaduto at once and
// writes nothing, so that the whole read or write stops there. The operation has ended once no
// exchange, wait window or message box is in progress any more; the user is then told, once,
// that the phone did not answer, unless the operation reported a failure of its own meanwhile
// (FallimentiSegnalati): a box that tells of what went well before the silence is no such report.
bool TelefonoMuto();
// The phone cannot be read now: the link is down, or the phone left a command of this operation
// unanswered.
bool TelefonoIrraggiungibile();
// Reports a failure the operation in progress met (the line went down under it) in a message box,
// once no exchange waits and no wait window is open any more: when the wait window closes, or at
// the next pass of the event loop. It is the operation's report, whatever its icon.
void AvvisaDopoOperazione(const QString& testo, QMessageBox::Icon icona);
// Shows the messages kept back so far, unless an exchange, a wait window or a message box is
// still in progress. The wait window calls it as it closes.
void MostraAvvisiInSospeso();

// Makes a waiting exchange look again at its end conditions: the link flags, Annulla, the port.
void RisvegliaAttesa();
// True while an exchange waits for its reply.
bool ScambioInCorso();
