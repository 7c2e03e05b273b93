// s25sim: a simulated S25 phone on a pseudo-terminal, for people.
//
// The first line on standard output is the terminal to open as the phone's serial port; the
// commands the phone receives go to standard error, each after the time it arrived in
// milliseconds since the phone started. Lines typed on standard input steer the
// phone while it runs (type "help"). It stops, its link removed, when standard input closes, on
// SIGINT or SIGTERM, and when its terminal hangs up (SIGHUP).
#include "s25simulator.h"
#include "seedfile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <poll.h>
#include <unistd.h>

namespace {

using s25sim::S25Simulator;

int signalPipe[2] = {-1, -1};

void onStopSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

void installStopSignals()
{
    if (::pipe(signalPipe) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    for (const int stop : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(stop, &action, nullptr);
}

// Control characters in caret notation, so that a Ctrl-Z shows as ^Z.
QByteArray printable(const QString& entry)
{
    QByteArray text;
    for (const QChar character : entry) {
        const char16_t code = character.unicode();
        if (code < 0x20 || code == 0x7F)
            text += '^' + QByteArray(1, static_cast<char>(code ^ 0x40));
        else
            text += QString(character).toLocal8Bit();
    }
    return text;
}

void report(const QString& message)
{
    std::fprintf(stderr, "s25sim: %s\n", message.toLocal8Bit().constData());
}

constexpr int kDefaultChunkPauseMs = 5;

const char kControlHelp[]
    = "ring | inject LINE | inject-after LINE | sms PDU | fail [CODE [PATTERN]] | bare-ok PATTERN\n"
      "clear | drop [PATTERN] | mute | unmute | delay MS | chunk BYTES [PAUSE_MS] | baud RATE | "
      "hangup\n"
      "help";

// One line typed on standard input; false for a line it does not understand.
bool control(S25Simulator& phone, const QString& line)
{
    const QString word = line.section(u' ', 0, 0);
    const QString rest = line.section(u' ', 1).trimmed();
    const int first = rest.section(u' ', 0, 0).toInt();
    const std::map<QString, std::function<void()>> actions = {
        {"ring", [&] { phone.injectUnsolicited("RING"); }},
        {"inject", [&] { phone.injectUnsolicited(rest.toLatin1()); }},
        {"inject-after",
         [&] { phone.injectUnsolicited(rest.toLatin1(), S25Simulator::When::AfterNextReply); }},
        {"sms",
         [&] {
             report(QStringLiteral("stored in slot %1").arg(phone.deliverMessage(rest.toLatin1())));
         }},
        {"fail",
         [&] {
             const int code = rest.isEmpty() ? S25Simulator::kPlainError : first;
             const QString pattern = rest.section(u' ', 1).trimmed();
             if (pattern.isEmpty())
                 phone.failNextCommand(code);
             else
                 phone.failCommandsMatching(QRegularExpression(pattern), code);
         }},
        {"bare-ok", [&] { phone.answerBareOkMatching(QRegularExpression(rest)); }},
        {"clear", [&] { phone.clearFailures(); }},
        {"drop", [&] { phone.dropNextReply(QRegularExpression(rest)); }},
        {"mute", [&] { phone.setMuted(true); }},
        {"unmute", [&] { phone.setMuted(false); }},
        {"delay", [&] { phone.setReplyDelay(first); }},
        {"chunk",
         [&] {
             const QString pause = rest.section(u' ', 1, 1);
             phone.setChunking(first, pause.isEmpty() ? kDefaultChunkPauseMs : pause.toInt());
         }},
        {"baud", [&] { phone.setLineRate(first); }},
        {"hangup", [&] { phone.hangUp(); }},
        {"help", [&] { std::fprintf(stderr, "%s\n", kControlHelp); }},
    };
    const auto action = actions.find(word);
    if (action == actions.end())
        return false;
    action->second();
    return true;
}

// Reads control lines until standard input closes or a stop signal comes.
void serve(S25Simulator& phone)
{
    QByteArray pending;
    char buffer[1024];
    while (true) {
        pollfd descriptors[2] = {{STDIN_FILENO, POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
        if (::poll(descriptors, signalPipe[0] >= 0 ? 2 : 1, -1) < 0 && errno != EINTR)
            return;
        if (descriptors[1].revents & POLLIN)
            return;
        if (!(descriptors[0].revents & (POLLIN | POLLHUP)))
            continue;
        const ssize_t received = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (received <= 0)
            return;
        pending.append(buffer, received);
        for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            const QString line = QString::fromLocal8Bit(pending.left(end)).trimmed();
            pending.remove(0, end + 1);
            if (!line.isEmpty() && !control(phone, line))
                report(QStringLiteral("unknown control \"%1\"; type help").arg(line));
        }
    }
}

// A fixed name for the terminal, such as /tmp/quorna-s25; only a symbolic link is replaced.
bool makeLink(const QString& linkPath, const QString& target)
{
    const QByteArray link = QFile::encodeName(linkPath);
    if (QFileInfo(linkPath).isSymLink())
        ::unlink(link.constData());
    if (::symlink(QFile::encodeName(target).constData(), link.constData()) == 0)
        return true;
    report(QStringLiteral("cannot link %1: %2")
               .arg(linkPath, QString::fromLocal8Bit(std::strerror(errno))));
    return false;
}

struct Options {
    QString seed;
    QString link;
    int baud = 0;
    int delay = 0;
    int chunk = 0;
    int chunkPause = kDefaultChunkPauseMs;
    bool mute = false;
};

Options readOptions(const QCoreApplication& application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A simulated S25 phone on a pseudo-terminal. The first line of output is the terminal\n"
        "to open; the commands received go to standard error, each after the milliseconds\n"
        "since start at which it arrived. It runs until standard input closes or a SIGINT,\n"
        "SIGTERM or SIGHUP comes; type help on standard input for the controls."));
    parser.addHelpOption();
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Phone state to load."),
                                  QStringLiteral("file"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Pace the line at this rate, both ways."),
                                  QStringLiteral("rate"), QStringLiteral("0"));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("Wait before each reply."), QStringLiteral("ms"),
                                   QStringLiteral("0"));
    const QCommandLineOption chunk(QStringLiteral("chunk"),
                                   QStringLiteral("Write output in pieces of this size."),
                                   QStringLiteral("bytes"), QStringLiteral("0"));
    const QCommandLineOption chunkPause(
        QStringLiteral("chunk-pause"), QStringLiteral("Pause between the pieces of output."),
        QStringLiteral("ms"), QString::number(kDefaultChunkPauseMs));
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Symbolic link to create to the terminal."),
                                  QStringLiteral("path"));
    const QCommandLineOption mute(QStringLiteral("mute"),
                                  QStringLiteral("Start without answering."));
    parser.addOptions({seed, baud, delay, chunk, chunkPause, link, mute});
    parser.process(application);
    return {parser.value(seed),          parser.value(link),
            parser.value(baud).toInt(),  parser.value(delay).toInt(),
            parser.value(chunk).toInt(), parser.value(chunkPause).toInt(),
            parser.isSet(mute)};
}

std::optional<s25sim::PhoneState> initialState(const QString& seedPath)
{
    if (seedPath.isEmpty())
        return s25sim::defaultPhoneState();
    QString error;
    const std::optional<s25sim::PhoneState> state = s25sim::loadSeedFile(seedPath, &error);
    if (!state)
        report(error);
    return state;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("s25sim"));
    const Options options = readOptions(application);
    const std::optional<s25sim::PhoneState> state = initialState(options.seed);
    if (!state)
        return 2;

    S25Simulator phone(*state);
    phone.setLineRate(options.baud);
    phone.setReplyDelay(options.delay);
    phone.setChunking(options.chunk, options.chunkPause);
    phone.setMuted(options.mute);
    phone.setLogObserver([](const S25Simulator::LoggedCommand& entry) {
        std::fprintf(stderr, "%8lld ms <- %s\n", static_cast<long long>(entry.arrivedMs),
                     printable(entry.text).constData());
    });
    installStopSignals();
    QString error;
    if (!phone.start(&error)) {
        report(error);
        return 1;
    }
    // The link exists before the path is printed, so that whoever waits for the path can open
    // the link at once.
    if (!options.link.isEmpty() && !makeLink(options.link, phone.slavePath()))
        return 1;
    std::printf("%s\n", phone.slavePath().toLocal8Bit().constData());
    std::fflush(stdout);

    serve(phone);
    phone.stop();
    if (!options.link.isEmpty())
        ::unlink(QFile::encodeName(options.link).constData());
    return 0;
}
