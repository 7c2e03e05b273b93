#include "s25simulator.h"

#include "atinterpreter.h"
#include "reply.h"

#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace s25sim {

namespace {

using SteadyClock = std::chrono::steady_clock;
using Microseconds = std::chrono::microseconds;
using Nanoseconds = std::chrono::nanoseconds;
using LoggedCommand = S25Simulator::LoggedCommand;

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kBackspace = 8;
constexpr char kCtrlZ = 26;
constexpr char kEscape = 27;
constexpr int kBitsPerByte = 10; // 8N1: a start bit, eight data bits, a stop bit
// A byte's time on the line in nanoseconds is this divided by the line rate.
constexpr qint64 kByteBitNanoseconds = qint64(kBitsPerByte) * 1000000000;
constexpr std::chrono::milliseconds kDrainLimit{2000};
constexpr std::chrono::milliseconds kDrainSettle{100};
constexpr std::chrono::milliseconds kDrainPoll{2};

// A byte read from the line, with the moment its last bit arrives at the line rate.
struct Arrival {
    char byte;
    SteadyClock::time_point at;
};

// A run of bytes to send, not before its time.
struct Segment {
    QByteArray bytes;
    SteadyClock::time_point notBefore;
    bool hangUpAfter = false;
};

struct Failure {
    std::optional<QRegularExpression> pattern; // none: the next command, once
    int code = S25Simulator::kPlainError;
    S25Simulator::ErrorFamily family = S25Simulator::ErrorFamily::Equipment;
};

void closeDescriptor(int& descriptor)
{
    if (descriptor >= 0)
        ::close(descriptor);
    descriptor = -1;
}

} // namespace

// The descriptors and the thread belong to start() and stop(); everything after the mutex is
// shared between the callers' threads and the phone's thread, and guarded by it.
struct S25Simulator::Private {
    explicit Private(const PhoneState& initial) : state(initial), interpreter(state) {}

    using Entries = QList<LoggedCommand>;

    void run();
    void receive(const char* bytes, qsizetype count, SteadyClock::time_point now);
    void processArrived(SteadyClock::time_point now, Entries& newEntries);
    void takeCommandLine(SteadyClock::time_point arrived, Entries& newEntries);
    void takeData(char terminator, SteadyClock::time_point arrived, Entries& newEntries);
    void record(const QString& entry, SteadyClock::time_point arrived, Entries& newEntries);
    std::optional<Reply> injectedFailure(const QByteArray& line);
    std::optional<Reply> injectedAnswer(const QByteArray& line) const;
    bool takesDrop(const QString& entry);
    void queueReply(const Reply& reply, SteadyClock::time_point acted);
    void queue(QByteArray bytes, SteadyClock::time_point notBefore);
    Nanoseconds byteTime() const;
    SteadyClock::time_point crossedAt(qint64 bytes) const;
    qint64 bytesCrossedBy(SteadyClock::time_point now) const;
    bool frontFindsLineIdle() const;
    std::optional<SteadyClock::time_point> nextWriteTime() const;
    std::optional<SteadyClock::time_point> nextWakeTime() const;
    qsizetype writableCount(SteadyClock::time_point now);
    void writeDue(SteadyClock::time_point now);
    const char* openLine(); // the failed step, or nothing
    void closeDescriptors();
    bool lineDrained(SteadyClock::time_point now);
    void closeLine();
    void wake() const;

    int master = -1;
    int slave = -1; // kept open so that the master never sees a hang-up of its own
    int wakeup = -1;
    QString slavePath;
    std::thread thread;

    mutable std::mutex mutex;
    mutable std::condition_variable logChanged;
    PhoneState state;
    AtInterpreter interpreter;
    SteadyClock::time_point started;
    Entries commandLog;
    std::function<void(const LoggedCommand&)> observer;
    bool stopRequested = false;
    bool hangUpRequested = false;
    std::optional<SteadyClock::time_point> hangUpDeadline;
    bool hungUp = false;

    std::deque<Arrival> arriving; // read from the line, still on their way at the line rate
    SteadyClock::time_point inboundFreeAt; // when the last byte read will have arrived
    QByteArray line;                       // the command line being received
    QByteArray data;                       // the data after a prompt
    bool dataMode = false;

    int lineRate = 0;
    Microseconds replyDelay{0};
    bool muted = false;
    int chunkBytes = 0;
    Microseconds chunkPause{0};
    std::deque<Failure> failures;
    QList<std::pair<QRegularExpression, QList<QByteArray>>> answers;
    std::optional<QRegularExpression> dropPattern;
    QList<QByteArray> afterNextReply;
    int hangUpReplyBytes = -1;

    std::deque<Segment> output;
    qsizetype frontOffset = 0;
    SteadyClock::time_point paceOrigin;
    qint64 pacedBytes = 0;
    SteadyClock::time_point lastWrite;
};

void S25Simulator::Private::wake() const
{
    const uint64_t one = 1;
    if (wakeup >= 0 && ::write(wakeup, &one, sizeof one) < 0)
        qWarning("s25sim: cannot wake the phone's thread: %s", std::strerror(errno));
}

void S25Simulator::Private::record(const QString& entry, SteadyClock::time_point arrived,
                                   Entries& newEntries)
{
    const auto milliseconds
        = std::chrono::duration_cast<std::chrono::milliseconds>(arrived - started).count();
    commandLog.append({qint64(milliseconds), entry});
    newEntries.append(commandLog.last());
    logChanged.notify_all();
}

// The terminal hands over at once what the other side wrote in one go; on a serial line each
// byte takes its byte time, after those still on their way.
void S25Simulator::Private::receive(const char* bytes, qsizetype count, SteadyClock::time_point now)
{
    for (qsizetype i = 0; i < count; ++i) {
        inboundFreeAt = std::max(inboundFreeAt, now) + byteTime();
        arriving.push_back({bytes[i], inboundFreeAt});
    }
}

// Bytes are taken one at a time, each at its arrival: the echo of a command must leave before
// its reply, and a setting a command changes (ATE0) applies from the next byte on.
void S25Simulator::Private::processArrived(SteadyClock::time_point now, Entries& newEntries)
{
    QByteArray echo;
    while (!arriving.empty() && arriving.front().at <= now) {
        const Arrival arrival = arriving.front();
        arriving.pop_front();
        const char byte = arrival.byte;
        if (dataMode) {
            if (byte == kCtrlZ || byte == kEscape)
                takeData(byte, arrival.at, newEntries);
            else if (byte != kCarriageReturn && byte != kLineFeed)
                data.append(byte);
            continue;
        }
        // Out of data mode the ends of data are no characters of a command (V.250 ignores what
        // comes before the "AT" prefix): an ESC sent to a phone that had already left data mode
        // spoils no command.
        if (byte == kCtrlZ || byte == kEscape)
            continue;
        if (state.modem.echo && !muted)
            echo.append(byte);
        if (byte == kCarriageReturn) {
            queue(std::exchange(echo, {}), arrival.at);
            takeCommandLine(arrival.at, newEntries);
        } else if (byte == kBackspace)
            line.chop(1);
        else if (byte != kLineFeed)
            line.append(byte);
    }
    queue(echo, now);
}

void S25Simulator::Private::takeCommandLine(SteadyClock::time_point arrived, Entries& newEntries)
{
    const QByteArray command = std::exchange(line, {}).trimmed();
    if (command.isEmpty())
        return;
    record(QString::fromLatin1(command), arrived, newEntries);
    if (muted)
        return;
    std::optional<Reply> injected = injectedFailure(command);
    if (!injected)
        injected = injectedAnswer(command);
    const Reply reply = injected ? *injected : interpreter.execute(command);
    dataMode = reply.final == Reply::Final::Prompt;
    if (!takesDrop(QString::fromLatin1(command)))
        queueReply(reply, arrived);
}

void S25Simulator::Private::takeData(char terminator, SteadyClock::time_point arrived,
                                     Entries& newEntries)
{
    const QByteArray payload = std::exchange(data, {});
    dataMode = false;
    const QString entry = QString::fromLatin1(payload + terminator);
    record(entry, arrived, newEntries);
    if (muted)
        return;
    const Reply reply
        = terminator == kCtrlZ ? interpreter.finishData(payload) : interpreter.cancelData();
    if (!takesDrop(entry))
        queueReply(reply, arrived);
}

bool S25Simulator::Private::takesDrop(const QString& entry)
{
    if (!dropPattern || !dropPattern->match(entry).hasMatch())
        return false;
    dropPattern.reset();
    return true;
}

std::optional<Reply> S25Simulator::Private::injectedFailure(const QByteArray& command)
{
    for (auto failure = failures.begin(); failure != failures.end(); ++failure) {
        const bool once = !failure->pattern;
        if (!once && !failure->pattern->match(QString::fromLatin1(command)).hasMatch())
            continue;
        const Failure taken = *failure;
        if (once)
            failures.erase(failure);
        if (taken.code == kPlainError)
            return Reply::error();
        const Refusal::Kind kind = taken.family == ErrorFamily::MessageService
                                       ? Refusal::Kind::InjectedMessage
                                       : Refusal::Kind::InjectedEquipment;
        return Reply::error({kind, taken.code});
    }
    return std::nullopt;
}

std::optional<Reply> S25Simulator::Private::injectedAnswer(const QByteArray& command) const
{
    for (const auto& [pattern, lines] : answers)
        if (pattern.match(QString::fromLatin1(command)).hasMatch())
            return Reply::ok(lines);
    return std::nullopt;
}

void S25Simulator::Private::queueReply(const Reply& reply, SteadyClock::time_point acted)
{
    QByteArray bytes = frame(reply, state.modem);
    for (const QByteArray& unsolicited : std::exchange(afterNextReply, {}))
        bytes += frameUnsolicited(unsolicited, state.modem);
    const SteadyClock::time_point notBefore = acted + replyDelay;
    if (hangUpReplyBytes < 0) {
        queue(bytes, notBefore);
        return;
    }
    output.push_back({bytes.left(hangUpReplyBytes), notBefore, true});
    hangUpReplyBytes = -1;
}

void S25Simulator::Private::queue(QByteArray bytes, SteadyClock::time_point notBefore)
{
    if (!bytes.isEmpty())
        output.push_back({std::move(bytes), notBefore});
}

// One byte's time on the line; none when the line is not paced.
Nanoseconds S25Simulator::Private::byteTime() const
{
    return Nanoseconds(lineRate > 0 ? kByteBitNanoseconds / lineRate : 0);
}

// When this many bytes, sent from the pace origin on, will have reached the other side.
SteadyClock::time_point S25Simulator::Private::crossedAt(qint64 bytes) const
{
    return paceOrigin + Nanoseconds((bytes * kByteBitNanoseconds + lineRate - 1) / lineRate);
}

// How many bytes sent from the pace origin on have reached the other side by now; split so that
// a long stream cannot overflow.
qint64 S25Simulator::Private::bytesCrossedBy(SteadyClock::time_point now) const
{
    const qint64 elapsed = std::max<qint64>(Nanoseconds(now - paceOrigin).count(), 0);
    return elapsed / kByteBitNanoseconds * lineRate
           + elapsed % kByteBitNanoseconds * lineRate / kByteBitNanoseconds;
}

// A segment that finds the line idle starts the pacing afresh at its own time, so that the idle
// time does not count as bytes owed.
bool S25Simulator::Private::frontFindsLineIdle() const
{
    return frontOffset == 0 && crossedAt(pacedBytes) < output.front().notBefore;
}

// The earliest moment the next byte may be handed over: once it has crossed the line after its
// segment's time and the bytes before it, and a chunk pause after the last write.
std::optional<SteadyClock::time_point> S25Simulator::Private::nextWriteTime() const
{
    if (output.empty())
        return std::nullopt;
    SteadyClock::time_point due = output.front().notBefore;
    if (lineRate > 0)
        due = frontFindsLineIdle() ? due + byteTime() : crossedAt(pacedBytes + 1);
    if (chunkBytes > 0)
        due = std::max(due, lastWrite + chunkPause);
    return due;
}

// The next moment there is something to do: a byte to hand over or one that arrives.
std::optional<SteadyClock::time_point> S25Simulator::Private::nextWakeTime() const
{
    std::optional<SteadyClock::time_point> due = nextWriteTime();
    if (!arriving.empty() && (!due || arriving.front().at < *due))
        due = arriving.front().at;
    return due;
}

qsizetype S25Simulator::Private::writableCount(SteadyClock::time_point now)
{
    const Segment& front = output.front();
    if (lineRate > 0 && frontFindsLineIdle()) {
        paceOrigin = front.notBefore;
        pacedBytes = 0;
    }
    qsizetype count = front.bytes.size() - frontOffset;
    if (chunkBytes > 0)
        count = std::min<qsizetype>(count, chunkBytes);
    if (lineRate > 0)
        count = std::min<qsizetype>(count, std::max<qint64>(bytesCrossedBy(now) - pacedBytes, 0));
    return count;
}

void S25Simulator::Private::writeDue(SteadyClock::time_point now)
{
    const std::optional<SteadyClock::time_point> due = nextWriteTime();
    if (!due || *due > now)
        return;
    const qsizetype count = writableCount(now);
    const Segment& front = output.front();
    const ssize_t written
        = ::write(master, front.bytes.constData() + frontOffset, static_cast<size_t>(count));
    if (written < 0)
        return; // the terminal's buffer is full: poll says when it drains
    lastWrite = now;
    pacedBytes += written;
    frontOffset += written;
    if (frontOffset < front.bytes.size())
        return;
    const bool hangUpNow = front.hangUpAfter;
    output.pop_front();
    frontOffset = 0;
    hangUpRequested = hangUpRequested || hangUpNow;
}

// The slave goes raw at once, before anyone opens it: echo, CR translation or a Ctrl-Z taken
// as a signal would garble the traffic.
const char* S25Simulator::Private::openLine()
{
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) < 0)
        return "openpty";
    termios settings{};
    if (::tcgetattr(slave, &settings) < 0)
        return "tcgetattr";
    ::cfmakeraw(&settings);
    if (::tcsetattr(slave, TCSANOW, &settings) < 0)
        return "tcsetattr";
    if (::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK) < 0)
        return "fcntl";
    wakeup = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeup < 0)
        return "eventfd";
    char name[128] = {};
    if (::ptsname_r(master, name, sizeof name) != 0)
        return "ptsname";
    slavePath = QString::fromLocal8Bit(name);
    return nullptr;
}

void S25Simulator::Private::closeDescriptors()
{
    closeDescriptor(master);
    closeDescriptor(slave);
    closeDescriptor(wakeup);
}

// Closing the master flushes what the other side has not read yet; a line that drops still
// delivers the bytes already on the wire, so the hang-up waits for them, within a limit. The
// kernel moves written bytes to the slave a little later, so the count of unread bytes is
// trusted only once the last write has settled.
bool S25Simulator::Private::lineDrained(SteadyClock::time_point now)
{
    if (!hangUpDeadline)
        hangUpDeadline = now + kDrainLimit;
    if (now >= *hangUpDeadline)
        return true;
    if (now - lastWrite < kDrainSettle)
        return false;
    int unread = 0;
    return ::ioctl(slave, FIONREAD, &unread) < 0 || unread <= 0;
}

void S25Simulator::Private::closeLine()
{
    closeDescriptor(master);
    closeDescriptor(slave);
    output.clear();
    hungUp = true;
    slavePath.clear();
}

// Waits for input, for a wake-up from another thread, or for the next byte's time to send.
void S25Simulator::Private::run()
{
    char buffer[4096];
    while (true) {
        std::optional<SteadyClock::time_point> due;
        std::optional<SteadyClock::time_point> writeTime;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (hangUpRequested && lineDrained(SteadyClock::now()))
                closeLine();
            if (stopRequested || hungUp)
                return;
            due = hangUpRequested ? SteadyClock::now() + kDrainPoll : nextWakeTime();
            writeTime = hangUpRequested ? std::nullopt : nextWriteTime();
        }
        const SteadyClock::time_point now = SteadyClock::now();
        const bool writeNow = writeTime && *writeTime <= now;
        // A time already past waits not at all: a negative wait is refused by ppoll.
        timespec wait{};
        if (due && !writeNow && *due > now) {
            const qint64 left = Nanoseconds(*due - now).count();
            wait.tv_sec = static_cast<time_t>(left / 1000000000);
            wait.tv_nsec = static_cast<long>(left % 1000000000);
        }
        const short masterEvents = POLLIN | (writeNow ? POLLOUT : 0);
        pollfd descriptors[2] = {{master, masterEvents, 0}, {wakeup, POLLIN, 0}};
        if (::ppoll(descriptors, 2, due ? &wait : nullptr, nullptr) < 0 && errno != EINTR)
            return;
        if (descriptors[0].revents & POLLNVAL)
            return;
        if (descriptors[1].revents & POLLIN) {
            uint64_t count = 0;
            [[maybe_unused]] const ssize_t drained = ::read(wakeup, &count, sizeof count);
        }
        Entries newEntries;
        std::function<void(const LoggedCommand&)> notify;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (descriptors[0].revents & POLLIN) {
                const ssize_t received = ::read(master, buffer, sizeof buffer);
                if (received > 0)
                    receive(buffer, received, SteadyClock::now());
            }
            processArrived(SteadyClock::now(), newEntries);
            if (!hangUpRequested)
                writeDue(SteadyClock::now());
            if (!newEntries.isEmpty())
                notify = observer;
        }
        if (notify) {
            for (const LoggedCommand& entry : newEntries)
                notify(entry);
        }
    }
}

S25Simulator::S25Simulator(const PhoneState& state) : d(std::make_unique<Private>(state)) {}

S25Simulator::~S25Simulator()
{
    stop();
}

bool S25Simulator::start(QString* error)
{
    if (d->thread.joinable())
        return true;
    if (const char* failedStep = d->openLine()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QLatin1String(failedStep),
                                                  QString::fromLocal8Bit(std::strerror(errno)));
        d->closeDescriptors();
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->stopRequested = false;
        d->hangUpRequested = false;
        d->hangUpDeadline.reset();
        d->hungUp = false;
        d->started = SteadyClock::now();
    }
    d->thread = std::thread([this] { d->run(); });
    return true;
}

void S25Simulator::stop()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->stopRequested = true;
    }
    d->wake();
    if (d->thread.joinable())
        d->thread.join();
    std::lock_guard<std::mutex> lock(d->mutex);
    d->closeDescriptors();
}

QString S25Simulator::slavePath() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->slavePath;
}

bool S25Simulator::isHungUp() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->hungUp;
}

QStringList S25Simulator::commandLog() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    QStringList texts;
    texts.reserve(d->commandLog.size());
    for (const LoggedCommand& entry : d->commandLog)
        texts.append(entry.text);
    return texts;
}

QList<LoggedCommand> S25Simulator::timedCommandLog() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->commandLog;
}

void S25Simulator::clearCommandLog()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->commandLog.clear();
}

bool S25Simulator::waitForCommands(int count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return d->logChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [this, count] { return d->commandLog.size() >= count; });
}

void S25Simulator::setCommandObserver(std::function<void(const QString&)> observer)
{
    if (!observer) {
        setLogObserver(nullptr);
        return;
    }
    setLogObserver(
        [observer = std::move(observer)](const LoggedCommand& entry) { observer(entry.text); });
}

void S25Simulator::setLogObserver(std::function<void(const LoggedCommand&)> observer)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->observer = std::move(observer);
}

PhoneState S25Simulator::state() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->state;
}

void S25Simulator::changeState(const std::function<void(PhoneState&)>& change)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    change(d->state);
}

void S25Simulator::setLineRate(int baud)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->lineRate = std::max(baud, 0);
    // What crossed the line before was not paced at this rate.
    d->paceOrigin = SteadyClock::now();
    d->pacedBytes = 0;
    d->inboundFreeAt = d->paceOrigin;
}

void S25Simulator::setReplyDelay(int milliseconds)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->replyDelay = std::chrono::milliseconds(std::max(milliseconds, 0));
}

void S25Simulator::setMuted(bool muted)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->muted = muted;
}

void S25Simulator::setChunking(int chunkBytes, int pauseMs)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->chunkBytes = std::max(chunkBytes, 0);
    d->chunkPause = std::chrono::milliseconds(std::max(pauseMs, 0));
}

void S25Simulator::failNextCommand(int code)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->failures.push_front({std::nullopt, code});
}

void S25Simulator::failCommandsMatching(const QRegularExpression& pattern, int code,
                                        ErrorFamily family)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->failures.push_back({pattern, code, family});
}

void S25Simulator::answerBareOkMatching(const QRegularExpression& pattern)
{
    answerMatching(pattern, {});
}

void S25Simulator::answerMatching(const QRegularExpression& pattern, const QList<QByteArray>& lines)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->answers.append({pattern, lines});
}

void S25Simulator::clearFailures()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->failures.clear();
    d->answers.clear();
}

void S25Simulator::dropNextReply(const QRegularExpression& pattern)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->dropPattern = pattern;
}

void S25Simulator::injectUnsolicited(const QByteArray& line, When when)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        if (when == When::AfterNextReply)
            d->afterNextReply.append(line);
        else
            d->queue(frameUnsolicited(line, d->state.modem), SteadyClock::now());
    }
    d->wake();
}

int S25Simulator::deliverMessage(const QByteArray& pduHex)
{
    int slot = 0;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        slot = d->interpreter.storeReceivedMessage(pduHex).value_or(0);
        const bool announce = d->state.modem.messageIndications.at(1) == 1;
        if (slot > 0 && announce)
            d->queue(frameUnsolicited("+CMTI: \"SM\"," + QByteArray::number(slot), d->state.modem),
                     SteadyClock::now());
    }
    d->wake();
    return slot;
}

void S25Simulator::hangUp()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->hangUpRequested = true;
    }
    d->wake();
}

void S25Simulator::hangUpDuringNextReply(int byteCount)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->hangUpReplyBytes = std::max(byteCount, 0);
}

} // namespace s25sim
