// The simulated S25 phone, driven through its pseudo-terminal with plain POSIX calls, as the
// program's serial port would see it.
#include "s25simulator.h"
#include "seedfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <unistd.h>

using s25sim::S25Simulator;

namespace {

const QByteArray kOk = "\r\nOK\r\n";
const QByteArray kError = "\r\nERROR\r\n";

// The program's end of the line: the slave side of the terminal.
class Line {
public:
    explicit Line(const QString& path)
        : m_descriptor(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {}
    ~Line()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    bool isOpen() const { return m_descriptor >= 0; }

    void send(const QByteArray& bytes) const
    {
        QCOMPARE(::write(m_descriptor, bytes.constData(), bytes.size()), ssize_t(bytes.size()));
    }

    // Everything that arrives until the received text ends with tail, or the time runs out.
    QByteArray readUntil(const QByteArray& tail, int timeoutMs = 3000)
    {
        QByteArray received;
        QElapsedTimer timer;
        timer.start();
        while (!received.endsWith(tail) && timer.elapsed() < timeoutMs) {
            const QByteArray piece = readOnce(int(timeoutMs - timer.elapsed()));
            received += piece;
            if (!piece.isEmpty())
                m_pieceSizes.append(int(piece.size()));
        }
        return received;
    }

    // Everything that arrives within the time.
    QByteArray readFor(int milliseconds)
    {
        QByteArray received;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < milliseconds)
            received += readOnce(int(milliseconds - timer.elapsed()));
        return received;
    }

    // The result of one read after waiting for the line: bytes, 0 at end of file, -1 on error.
    ssize_t readResult(int timeoutMs, int* error)
    {
        pollfd descriptor = {m_descriptor, POLLIN, 0};
        ::poll(&descriptor, 1, timeoutMs);
        char buffer[256];
        const ssize_t result = ::read(m_descriptor, buffer, sizeof buffer);
        *error = errno;
        return result;
    }

    QByteArray exchange(const QByteArray& command, const QByteArray& tail = kOk)
    {
        send(command + '\r');
        return readUntil(tail);
    }

    QList<int> pieceSizes() const { return m_pieceSizes; }

private:
    QByteArray readOnce(int timeoutMs)
    {
        pollfd descriptor = {m_descriptor, POLLIN, 0};
        if (::poll(&descriptor, 1, std::max(timeoutMs, 0)) <= 0)
            return {};
        char buffer[4096];
        const ssize_t count = ::read(m_descriptor, buffer, sizeof buffer);
        return count > 0 ? QByteArray(buffer, count) : QByteArray();
    }

    int m_descriptor;
    QList<int> m_pieceSizes;
};

s25sim::PhoneState seeded(const QByteArray& seed)
{
    QString error;
    const std::optional<s25sim::PhoneState> state = s25sim::parseSeed(seed, &error);
    if (!state)
        qFatal("bad test seed: %s", qPrintable(error));
    return *state;
}

// A phone with echo already off, so that replies come bare.
s25sim::PhoneState quietPhone(const QByteArray& seed = {})
{
    return seeded("[modem]\necho = no\n" + seed);
}

QByteArray bytes(std::initializer_list<int> codes)
{
    QByteArray result;
    for (const int code : codes)
        result.append(static_cast<char>(code));
    return result;
}

} // namespace

class TstS25Sim : public QObject {
    Q_OBJECT

private slots:
    void echoUntilAte0();
    void phonebookNamesAreGsmCodes();
    void writtenEntryReadsBack();
    void characterSetsAndTextMode();
    void refusedMemoryAndReadOnlyWrites();
    void injectedErrors();
    void dataModeEndsOnCtrlZAndCancelsOnEscape();
    void unsolicitedLines();
    void slowAndMutedPhone();
    void chunkedReplies();
    void pacedPhonebookReadTakesLineTime();
    void pacedCommandIsActedOnWhenItsLastByteArrives();
    void logGivesEachCommandItsArrivalTime();
    void hangUpIsSeenAsEndOfLine();
    void seedFaultsNameTheirLine_data();
    void seedFaultsNameTheirLine();
    void demoSeedLoads();
};

void TstS25Sim::echoUntilAte0()
{
    S25Simulator phone;
    QVERIFY(phone.start());
    Line line(phone.slavePath());
    QVERIFY(line.isOpen());

    QCOMPARE(line.exchange("ATE0"), "ATE0\r" + kOk);
    QCOMPARE(line.exchange("ATQ0"), kOk);
    QCOMPARE(line.exchange("ATV1"), kOk);
    QCOMPARE(line.exchange("AT+CGMI"), "\r\nARDESIA\r\n" + kOk);
    QCOMPARE(line.exchange("ATE1"), kOk);
    QCOMPARE(line.exchange("AT+CGMM"), "AT+CGMM\r\r\nS25\r\n" + kOk);
    QCOMPARE(phone.commandLog(),
             QStringList({"ATE0", "ATQ0", "ATV1", "AT+CGMI", "ATE1", "AT+CGMM"}));
    QVERIFY(phone.state().modem.echo);
}

void TstS25Sim::phonebookNamesAreGsmCodes()
{
    S25Simulator phone(quietPhone("[phonebook SM]\ntotal = 20\n"
                                  "1 | +393331234567 | @è_\n"
                                  "7 | 0612 | Bob [x]!\n"));
    QVERIFY(phone.start());
    Line line(phone.slavePath());

    QCOMPARE(line.exchange("AT+CPBS=SM"), kOk);
    QCOMPARE(line.exchange("AT+CPBS?"), "\r\n+CPBS: \"SM\",2,20\r\n" + kOk);
    QCOMPARE(line.exchange("AT+CPBR=?"), "\r\n+CPBR: (1-20),20,14\r\n" + kOk);
    const QByteArray expected = "\r\n+CPBR: 1,\"+393331234567\",145,\"" + bytes({0, 4, 17})
                                + "\"\r\n+CPBR: 7,\"0612\",129,\"Bob " + bytes({27, 60}) + "x"
                                + bytes({27, 62}) + "!\"\r\n" + kOk;
    QCOMPARE(line.exchange("AT+CPBR=1,20"), expected);
    QCOMPARE(line.exchange("AT+CPBR=2,6"), kOk);
    QCOMPARE(line.exchange("AT+CPBR=1,21", kError), kError);
}

void TstS25Sim::writtenEntryReadsBack()
{
    S25Simulator phone(quietPhone());
    QVERIFY(phone.start());
    Line line(phone.slavePath());

    // ò is code 8 and the backslash the extension pair 27 47, both escaped as the program does.
    QCOMPARE(line.exchange(R"(AT+CPBW=3,"+39333",145,"Nicol\08 \22A\22 \1B/")"), kOk);
    QCOMPARE(phone.state().readableName("SM", 3), QStringLiteral("Nicolò \"A\" \\"));
    QCOMPARE(line.exchange("AT+CPBR=3"), "\r\n+CPBR: 3,\"+39333\",145,\"Nicol" + bytes({8})
                                             + " \"A\" " + bytes({27}) + "/\"\r\n" + kOk);

    QCOMPARE(line.exchange("AT+CPBW=3"), kOk);
    QCOMPARE(phone.state().phonebooks.at("SM").entries.count(3), std::size_t(0));
    QCOMPARE(line.exchange("AT+CPBR=3"), kOk);
}

// Left in UCS2 and text mode by another program: names go and come in the set, a message is read
// as its fields and text; back in IRA, a character the set lacks goes as "?" and one without a
// GSM code is refused; in 8859-1 a name goes as Latin-1 bytes, in HEX as its GSM codes in hex;
// back in PDU mode, the PDU.
void TstS25Sim::characterSetsAndTextMode()
{
    const QByteArray hello = "0791933395066900040B919333133254F600001021402143050005C8329BFD06";
    S25Simulator phone(quietPhone("[modem]\ncharset = ucs2\nmessage_format = 1\n"
                                  "[phonebook SM]\ntotal = 20\n1 | 0612 | Tè@\n"
                                  "[messages]\n1 | 1 | "
                                  + hello + "\n"));
    QVERIFY(phone.start());
    Line line(phone.slavePath());

    QCOMPARE(line.exchange("AT+CSCS?"), "\r\n+CSCS: \"UCS2\"\r\n" + kOk);
    QCOMPARE(line.exchange("AT+CSCS=?"),
             "\r\n+CSCS: (\"GSM\",\"IRA\",\"UCS2\",\"8859-1\",\"UTF-8\",\"HEX\")\r\n" + kOk);
    QCOMPARE(line.exchange("AT+CPBR=1"), "\r\n+CPBR: 1,\"0612\",129,\"005400E80040\"\r\n" + kOk);
    QCOMPARE(line.exchange("AT+CPBW=2,\"0613\",129,\"00E8005F\""), kOk);
    QCOMPARE(phone.state().readableName("SM", 2), QStringLiteral("è_"));
    QCOMPARE(line.exchange("AT+CMGR=1"), "\r\n+CMGR: \"REC READ\",\"+39333123456\",,"
                                         "\"01/12/04,12:34:50+00\"\r\n00480065006C006C006F\r\n"
                                             + kOk);
    QCOMPARE(line.exchange("AT+CSCS=\"IRA\""), kOk);
    QCOMPARE(line.exchange("AT+CPBR=1"), "\r\n+CPBR: 1,\"0612\",129,\"T?@\"\r\n" + kOk);
    QCOMPARE(line.exchange("AT+CPBW=3,\"0614\",129,\"a`b\"", kError), kError);
    QCOMPARE(line.exchange("AT+CSCS=\"8859-1\""), kOk);
    QCOMPARE(line.exchange("AT+CPBR=1"), "\r\n+CPBR: 1,\"0612\",129,\"T\xE8@\"\r\n" + kOk);
    QCOMPARE(line.exchange("AT+CSCS=\"HEX\""), kOk);
    QCOMPARE(line.exchange("AT+CPBR=1"), "\r\n+CPBR: 1,\"0612\",129,\"540400\"\r\n" + kOk);
    QCOMPARE(line.exchange("AT+CPBW=3,\"0614\",129,\"0411\""), kOk);
    QCOMPARE(phone.state().readableName("SM", 3), QStringLiteral("è_"));
    QCOMPARE(line.exchange("AT+CMGF=0"), kOk);
    QCOMPARE(line.exchange("AT+CMGR=1"), "\r\n+CMGR: 1,,24\r\n" + hello + "\r\n" + kOk);
}

void TstS25Sim::refusedMemoryAndReadOnlyWrites()
{
    S25Simulator phone(quietPhone("[phonebook ON]\nrefused = yes\n"));
    QVERIFY(phone.start());
    Line line(phone.slavePath());

    QCOMPARE(line.exchange("AT+CPBS=ON", kError), kError);
    QCOMPARE(line.exchange("AT+CPBS?"), "\r\n+CPBS: \"SM\",0,100\r\n" + kOk);

    QCOMPARE(line.exchange("AT+CPBS=FD"), kOk);
    QCOMPARE(line.exchange(R"(AT+CPBW=1,"112",129,"SOS")", kError), kError);
    QCOMPARE(line.exchange("AT+CMEE=1"), kOk);
    const QByteArray notAllowed = "\r\n+CME ERROR: 3\r\n";
    QCOMPARE(line.exchange(R"(AT+CPBW=1,"112",129,"SOS")", notAllowed), notAllowed);
    QVERIFY(phone.state().phonebooks.at("FD").entries.empty());

    QCOMPARE(line.exchange("AT+CPBS=SM"), kOk);
    const QByteArray tooLong = "\r\n+CME ERROR: 24\r\n";
    QCOMPARE(line.exchange(R"(AT+CPBW=1,"112",129,"Fifteen letters")", tooLong), tooLong);
}

void TstS25Sim::injectedErrors()
{
    S25Simulator phone(quietPhone());
    QVERIFY(phone.start());
    Line line(phone.slavePath());

    phone.failNextCommand(21);
    const QByteArray invalidIndex = "\r\n+CME ERROR: 21\r\n";
    QCOMPARE(line.exchange(R"(AT+CPBW=1,"0612",129,"Bob")", invalidIndex), invalidIndex);
    QVERIFY(phone.state().phonebooks.at("SM").entries.empty());
    QCOMPARE(line.exchange("AT+CGMR"), "\r\n21\r\n" + kOk);

    phone.failCommandsMatching(QRegularExpression(QStringLiteral("^AT\\+CMGS")));
    QCOMPARE(line.exchange("AT+CMGS=140", kError), kError);
    QCOMPARE(line.exchange("AT+CMGS=140", kError), kError);
    phone.clearFailures();
    QCOMPARE(line.exchange("AT+CMGS=140", "> "), "\r\n> ");
}

void TstS25Sim::dataModeEndsOnCtrlZAndCancelsOnEscape()
{
    S25Simulator phone(quietPhone());
    QVERIFY(phone.start());
    Line line(phone.slavePath());
    const QByteArray submit = "0791933395066900"
                              "11000B919333133254F60000A705C374F81D02";

    QCOMPARE(line.exchange("AT+CMGW=140,2", "> "), "\r\n> ");
    line.send(submit + "\x1A\r");
    QCOMPARE(line.readUntil(kOk), "\r\n+CMGW: 1\r\n" + kOk);
    QCOMPARE(line.readFor(100), QByteArray()); // the CR after Ctrl-Z gets no answer
    QCOMPARE(phone.state().messages.bySlot.at(1).status, 2);

    QCOMPARE(line.exchange("AT+CMGR=1"), "\r\n+CMGR: 2,,19\r\n" + submit + "\r\n" + kOk);
    QCOMPARE(line.exchange("AT+CMGR=2"), "\r\n+CMGR: 0,,0\r\n" + kOk);

    QCOMPARE(line.exchange("AT+CMGS=140", "> "), "\r\n> ");
    line.send("0791\x1B");
    QCOMPARE(line.readUntil(kOk), kOk);
    QVERIFY(phone.state().messages.sentPdus.isEmpty());
    QCOMPARE(phone.commandLog().mid(4), QStringList({"AT+CMGS=140", QStringLiteral("0791\x1B")}));
    QCOMPARE(phone.commandLog().at(1), QString::fromLatin1(submit + "\x1A"));
}

void TstS25Sim::unsolicitedLines()
{
    S25Simulator phone(quietPhone());
    QVERIFY(phone.start());
    Line line(phone.slavePath());

    phone.injectUnsolicited("RING");
    QCOMPARE(line.readUntil("RING\r\n"), "\r\nRING\r\n");

    phone.injectUnsolicited("+CLIP: \"+393331234567\",145", S25Simulator::When::AfterNextReply);
    QCOMPARE(line.exchange("AT", "145\r\n"), kOk + "\r\n+CLIP: \"+393331234567\",145\r\n");

    const QByteArray deliver = "0791933395066900040B919333133254F600001021402143050005C8329BFD06";
    QCOMPARE(line.exchange("AT+CNMI=1,1,0,0,1"), kOk);
    QCOMPARE(phone.deliverMessage(deliver), 1);
    QCOMPARE(line.readUntil(",1\r\n"), "\r\n+CMTI: \"SM\",1\r\n");
    QCOMPARE(phone.state().messages.bySlot.at(1).status, 0);
}

void TstS25Sim::slowAndMutedPhone()
{
    S25Simulator phone(quietPhone());
    QVERIFY(phone.start());
    Line line(phone.slavePath());

    phone.setReplyDelay(200);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(line.exchange("AT"), kOk);
    QVERIFY(timer.elapsed() >= 195);

    phone.setReplyDelay(0);
    phone.setMuted(true);
    line.send("AT+CGMI\r");
    QVERIFY(phone.waitForCommands(2, 3000));
    QCOMPARE(line.readFor(200), QByteArray());
    phone.setMuted(false);
    QCOMPARE(line.exchange("AT+CGMM"), "\r\nS25\r\n" + kOk);
}

// Six pieces of at most 3 bytes leave 30 ms apart, so the reply takes five pauses at least; a
// busy reader may take two pieces in one read, so their sizes are not checked one by one.
void TstS25Sim::chunkedReplies()
{
    S25Simulator phone(quietPhone());
    QVERIFY(phone.start());
    phone.setChunking(3, 30);
    Line line(phone.slavePath());

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(line.exchange("AT+CGMI"), "\r\nARDESIA\r\n" + kOk);
    QVERIFY2(timer.elapsed() >= 5 * 30 - 5, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(line.pieceSizes().size() >= 2);
}

void TstS25Sim::pacedPhonebookReadTakesLineTime()
{
    QByteArray seed = "[phonebook ME]\ntotal = 300\n";
    for (int position = 1; position <= 250; ++position)
        seed += QByteArray::number(position) + " | +3933312345" + QByteArray::number(position)
                + " | Contatto\n";
    S25Simulator phone(quietPhone(seed));
    QVERIFY(phone.start());
    Line line(phone.slavePath());
    QCOMPARE(line.exchange("AT+CPBS=ME"), kOk);

    QElapsedTimer timer;
    timer.start();
    const QByteArray unpaced = line.exchange("AT+CPBR=1,250");
    QCOMPARE(unpaced.count("+CPBR:"), 250);
    QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));

    const int baud = 115200;
    phone.setLineRate(baud);
    timer.restart();
    QCOMPARE(line.exchange("AT+CPBR=1,250"), unpaced);
    const double expectedMs = 1000.0 * unpaced.size() * 10 / baud;
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed >= expectedMs * 0.95 && elapsed <= expectedMs * 1.3 + 150,
             qPrintable(QStringLiteral("%1 ms for %2 bytes").arg(elapsed).arg(unpaced.size())));
}

// At 1200 baud a byte takes 8.3 ms on the wire: the eight bytes of "AT+CGMI" CR must all have
// crossed before the phone acts, and the first byte of the reply needs its own byte time too.
void TstS25Sim::pacedCommandIsActedOnWhenItsLastByteArrives()
{
    S25Simulator phone(quietPhone());
    QVERIFY(phone.start());
    Line line(phone.slavePath());
    const int baud = 1200;
    const double byteMs = 1000.0 * 10 / baud;
    phone.setLineRate(baud);

    const QByteArray command = "AT+CGMI\r";
    const QByteArray reply = "\r\nARDESIA\r\n" + kOk;
    QElapsedTimer timer;
    timer.start();
    line.send(command);
    QCOMPARE(line.readUntil("\r"), QByteArray("\r"));
    const qint64 firstByte = timer.elapsed();
    QVERIFY2(firstByte >= (command.size() + 1) * byteMs * 0.9,
             qPrintable(QStringLiteral("first byte after %1 ms").arg(firstByte)));
    QCOMPARE("\r" + line.readUntil(kOk), reply);
    const qint64 whole = timer.elapsed();
    const double wireMs = (command.size() + reply.size()) * byteMs;
    QVERIFY2(whole >= wireMs * 0.95 && whole <= wireMs * 1.5 + 1000,
             qPrintable(QStringLiteral("%1 ms against %2 on the wire").arg(whole).arg(wireMs)));
}

// Each logged command carries the time its last byte arrived, in milliseconds since start().
void TstS25Sim::logGivesEachCommandItsArrivalTime()
{
    // The observer's list outlives the phone, whose thread calls it.
    QList<S25Simulator::LoggedCommand> observed;
    std::mutex observedMutex;
    const auto observedCopy = [&] {
        const std::lock_guard<std::mutex> lock(observedMutex);
        return observed;
    };
    S25Simulator phone(quietPhone());
    phone.setLogObserver([&](const S25Simulator::LoggedCommand& entry) {
        const std::lock_guard<std::mutex> lock(observedMutex);
        observed.append(entry);
    });
    QVERIFY(phone.start());
    QElapsedTimer sinceStart;
    sinceStart.start();
    Line line(phone.slavePath());

    QCOMPARE(line.exchange("AT"), kOk);
    const qint64 firstDone = sinceStart.elapsed();
    QTest::qWait(300);
    const qint64 secondSent = sinceStart.elapsed();
    QCOMPARE(line.exchange("AT+CGMM"), "\r\nS25\r\n" + kOk);
    const qint64 secondDone = sinceStart.elapsed();

    const QList<S25Simulator::LoggedCommand> log = phone.timedCommandLog();
    QCOMPARE(log.size(), 2);
    QCOMPARE(log.at(0).text, QStringLiteral("AT"));
    QCOMPARE(log.at(1).text, QStringLiteral("AT+CGMM"));
    // The phone's clock starts a little before the test's: a late bound with room for a
    // loaded machine.
    const qint64 slack = 1000;
    QVERIFY2(log.at(0).arrivedMs >= 0 && log.at(0).arrivedMs <= firstDone + slack,
             qPrintable(QString::number(log.at(0).arrivedMs)));
    QVERIFY2(log.at(1).arrivedMs >= secondSent && log.at(1).arrivedMs <= secondDone + slack,
             qPrintable(QStringLiteral("%1 not within %2 to %3")
                            .arg(log.at(1).arrivedMs)
                            .arg(secondSent)
                            .arg(secondDone)));
    QVERIFY(log.at(1).arrivedMs - log.at(0).arrivedMs >= 290);
    QCOMPARE(phone.commandLog(), (QStringList{"AT", "AT+CGMM"}));
    // The observer hears of an entry after the phone acted on it.
    QTRY_COMPARE_WITH_TIMEOUT(observedCopy().size(), 2, 3000);
    QCOMPARE(observedCopy().at(1).text, log.at(1).text);
    QCOMPARE(observedCopy().at(1).arrivedMs, log.at(1).arrivedMs);
}

void TstS25Sim::hangUpIsSeenAsEndOfLine()
{
    S25Simulator phone(quietPhone("[phonebook SM]\n1 | 0612 | Anna\n2 | 0613 | Bruno\n"));
    QVERIFY(phone.start());
    Line line(phone.slavePath());

    phone.hangUpDuringNextReply(12);
    line.send("AT+CPBR=1,2\r");
    QCOMPARE(line.readUntil("1,\""), QByteArray("\r\n+CPBR: 1,\""));
    int error = 0;
    const ssize_t result = line.readResult(1000, &error);
    QVERIFY2(result == 0 || (result < 0 && error == EIO), qPrintable(QString::number(result)));
    QVERIFY(phone.isHungUp());
    QVERIFY(phone.slavePath().isEmpty());

    S25Simulator second(quietPhone());
    QVERIFY(second.start());
    Line secondLine(second.slavePath());
    QCOMPARE(secondLine.exchange("AT"), kOk);
    second.hangUp();
    const ssize_t afterHangUp = secondLine.readResult(1000, &error);
    QVERIFY(afterHangUp == 0 || (afterHangUp < 0 && error == EIO));
}

void TstS25Sim::seedFaultsNameTheirLine_data()
{
    QTest::addColumn<QByteArray>("seed");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown section")
        << QByteArray("[phonebook XX]\n") << "line 1: unknown memory \"XX\" (SM FD ME ON RC MC LD)";
    QTest::newRow("position beyond total")
        << QByteArray("[phonebook ON]\n\n1 | 0612 | Anna\n4 | 0613 | Bruno\n")
        << "line 4: position (set total first) must be a number from 1 to 3, not \"4\"";
    QTest::newRow("name outside GSM")
        << QByteArray("[phonebook SM]\n1 | 0612 | Ćiro\n")
        << "line 2: name \"Ćiro\" has characters outside the GSM alphabet";
    QTest::newRow("name too long")
        << QByteArray("[phonebook SM]\n1 | 0612 | [Ufficio] Roma\n")
        << "line 2: name \"[Ufficio] Roma\" takes 16 codes, more than name_length 14";
    QTest::newRow("record without fields")
        << QByteArray("[messages]\n1 | 0\n")
        << "line 2: a record of [messages] reads \"slot | status | pdu\"";
    QTest::newRow("bad pdu") << QByteArray("[messages]\n1 | 0 | 07919333XY\n")
                             << "line 2: the PDU is not hex with a service centre field";
    QTest::newRow("text before a section")
        << QByteArray("total = 3\n") << "line 1: text before the first [section]";
    QTest::newRow("unknown key") << QByteArray("[power]\nvoltage = 3\n")
                                 << "line 2: unknown key \"voltage\" in [power]";
    QTest::newRow("unknown character set") << QByteArray("[modem]\ncharset = PCCP437\n")
                                           << "line 2: charset must be GSM, IRA, UCS2, 8859-1, "
                                              "UTF-8 or HEX, not \"PCCP437\"";
    QTest::newRow("odd hex") << QByteArray("[logo]\n424D0\n[clock]\n")
                             << "line 3: [logo] holds hex digits in pairs";
}

void TstS25Sim::seedFaultsNameTheirLine()
{
    QFETCH(QByteArray, seed);
    QFETCH(QString, error);

    QString message;
    QVERIFY(!s25sim::parseSeed(seed, &message));
    QCOMPARE(message, error);
}

void TstS25Sim::demoSeedLoads()
{
    QString error;
    const std::optional<s25sim::PhoneState> demo = s25sim::loadSeedFile(S25SIM_DEMO_SEED, &error);
    QVERIFY2(demo, qPrintable(error));
    QCOMPARE(demo->phonebooks.at("SM").entries.size(), std::size_t(13));
    QCOMPARE(demo->readableName("SM", 7), QStringLiteral("Pizzeria Gino!"));
    QCOMPARE(demo->readableName("ME", 3), QStringLiteral("Bar [Centro]"));
    QCOMPARE(demo->messages.bySlot.size(), std::size_t(3));
    QCOMPARE(demo->objects.logo.size(), 1470);
    QCOMPARE(demo->network.operators.size(), 4);
    QVERIFY(demo->objects.reminders.at(2).endsWith("END:VCALENDAR\r\n"));
}

QTEST_GUILESS_MAIN(TstS25Sim)
#include "tst_s25sim.moc"
