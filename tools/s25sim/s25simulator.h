#pragma once

#include "phonestate.h"

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace s25sim {

// A simulated S25 phone on a pseudo-terminal. start() opens the terminal and answers on its
// master side from a thread of its own; the program (or a test) opens slavePath() as its serial
// port. The owner starts and stops it; every other method may be called from any thread while
// the phone runs.
//
// The phone echoes until "ATE0", answers with verbose results, takes data after its "> "
// prompt up to Ctrl-Z (ESC cancels), and ignores empty command lines.
class S25Simulator {
public:
    static constexpr int kPlainError = -1; // a refusal with plain "ERROR" instead of a number

    enum class When { Now, AfterNextReply };
    // Which numbered error an injected refusal gives: "+CME ERROR" or "+CMS ERROR".
    enum class ErrorFamily { Equipment, MessageService };

    explicit S25Simulator(const PhoneState& state = defaultPhoneState());
    ~S25Simulator();
    S25Simulator(const S25Simulator&) = delete;
    S25Simulator& operator=(const S25Simulator&) = delete;

    bool start(QString* error = nullptr);
    void stop();
    QString slavePath() const; // empty until started, and again after a hang-up
    bool isHungUp() const;

    // One entry of the log, with the time its last byte arrived (at the line rate when paced),
    // in milliseconds since start().
    struct LoggedCommand {
        qint64 arrivedMs = 0;
        QString text;
    };

    // What the phone received: each command line without its CR, and each block of data with
    // the Ctrl-Z (character 26) or ESC (27) that ended it. Empty lines are not logged.
    QStringList commandLog() const;
    QList<LoggedCommand> timedCommandLog() const;
    void clearCommandLog();
    // Waits until the log holds at least count entries; false on time-out.
    bool waitForCommands(int count, int timeoutMs) const;
    // Called on the phone's thread with each new log entry, for the program's own log. One
    // observer at a time: setting either replaces the other.
    void setCommandObserver(std::function<void(const QString&)> observer);
    void setLogObserver(std::function<void(const LoggedCommand&)> observer);

    PhoneState state() const;
    void changeState(const std::function<void(PhoneState&)>& change);

    // The line paced at this rate in both directions: 8N1, ten bits a byte. A byte reaches the
    // other side one byte time after it starts, so a command is acted on once its last byte has
    // arrived, and a reply's first byte leaves one byte time after the line is free. 0: at once.
    void setLineRate(int baud);
    // A pause before every reply (the echo is not delayed).
    void setReplyDelay(int milliseconds);
    // A muted phone logs what it receives and does nothing else: no echo, no reply.
    void setMuted(bool muted);
    // Output written in pieces of at most chunkBytes bytes, pauseMs apart. 0 writes whole.
    void setChunking(int chunkBytes, int pauseMs = 5);

    // The next command is refused with "+CME ERROR: <code>" (or plain ERROR for kPlainError)
    // and has no effect.
    void failNextCommand(int code = kPlainError);
    // Every command matching the pattern is refused so, until clearFailures().
    void failCommandsMatching(const QRegularExpression& pattern, int code = kPlainError,
                              ErrorFamily family = ErrorFamily::Equipment);
    // Every command matching the pattern gets a bare OK, with none of its information lines, and
    // has no effect, until clearFailures(): a phone that has nothing to say to a query.
    void answerBareOkMatching(const QRegularExpression& pattern);
    // The same with these information lines before the OK, sent as they are: a phone that says
    // what this one would not.
    void answerMatching(const QRegularExpression& pattern, const QList<QByteArray>& lines);
    void clearFailures();

    // The next command (or block of data) matching the pattern, any when none is given, is acted
    // on as usual, but its reply (a prompt among them) never reaches the line: lost on the way.
    void dropNextReply(const QRegularExpression& pattern = QRegularExpression());

    // Sends an unsolicited result line ("RING", "+CLIP: \"+39333\",145", "+CMTI: \"SM\",3"),
    // framed like any result, at once or glued right after the next reply.
    void injectUnsolicited(const QByteArray& line, When when = When::Now);
    // Stores an SMS-DELIVER PDU (hex) as a new unread message and, when AT+CNMI asked for it,
    // announces it with +CMTI. The slot, or 0 when the PDU is malformed or the SIM full.
    int deliverMessage(const QByteArray& pduHex);

    // Closes the master side: the port of the program sees end-of-file or an I/O error.
    void hangUp();
    // Hangs up after sending only the first byteCount bytes of the next reply.
    void hangUpDuringNextReply(int byteCount);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace s25sim
