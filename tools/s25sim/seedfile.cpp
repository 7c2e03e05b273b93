#include "seedfile.h"

#include "charactersets.h"
#include "gsmalphabet.h"
#include "pdushape.h"
#include "wiretext.h"

#include <QFile>
#include <QStringList>

#include <functional>
#include <utility>

namespace s25sim {

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");

enum class Section {
    None,
    Identity,
    Power,
    Network,
    Operators,
    Networks,
    Phonebook,
    Messages,
    Clock,
    Locks,
    Passwords,
    Forwarding,
    RingTone,
    Modem,
    Logo,
    Melody,
    Reminder
};

const std::map<QString, Section>& simpleSections()
{
    static const std::map<QString, Section> sections = {
        {"identity", Section::Identity},   {"power", Section::Power},
        {"network", Section::Network},     {"operators", Section::Operators},
        {"networks", Section::Networks},   {"messages", Section::Messages},
        {"clock", Section::Clock},         {"locks", Section::Locks},
        {"passwords", Section::Passwords}, {"forwarding", Section::Forwarding},
        {"ringtone", Section::RingTone},   {"modem", Section::Modem},
        {"logo", Section::Logo},           {"melody", Section::Melody},
    };
    return sections;
}

// Reads the text line by line into a phone state. Every check stops at the first fault, whose
// message names the line.
class SeedParser {
public:
    std::optional<PhoneState> parse(const QByteArray& text, QString* error);

private:
    bool takeLine(const QString& rawLine);
    bool startSection(const QString& header);
    bool finishSection();
    void clearDefaultList();
    bool takeValue(const QString& key, const QString& value);
    bool takeRecord(const QString& line);
    bool fail(const QString& message);

    // Sets one value from its text; false, with the error recorded, when the text is wrong.
    using Setter = std::function<bool(const QString& key, const QString& value)>;
    bool setValue(const QString& key, const QString& value,
                  const std::map<QString, Setter>& setters);
    Setter numberInto(int* target, int lowest, int highest);
    Setter flagInto(bool* target);
    Setter textInto(QByteArray* target);
    Setter dialStringInto(QByteArray* target);
    Setter hexInto(QByteArray* target, int digits);

    bool identityValue(const QString& key, const QString& value);
    bool powerValue(const QString& key, const QString& value);
    bool networkValue(const QString& key, const QString& value);
    bool phonebookValue(const QString& key, const QString& value);
    bool messagesValue(const QString& key, const QString& value);
    bool clockValue(const QString& key, const QString& value);
    bool ringToneValue(const QString& key, const QString& value);
    bool modemValue(const QString& key, const QString& value);

    bool operatorRecord(const QStringList& fields);
    bool networkRecord(const QStringList& fields);
    bool phonebookRecord(const QStringList& fields);
    bool messageRecord(const QStringList& fields);
    bool lockRecord(const QStringList& fields);
    bool passwordRecord(const QStringList& fields);
    bool forwardingRecord(const QStringList& fields);

    std::optional<int> number(const QString& text, int lowest, int highest, const QString& what);
    std::optional<bool> yesNo(const QString& text, const QString& what);
    std::optional<QByteArray> dialString(const QString& text, const QString& what);
    std::optional<QByteArray> latin1(const QString& text, const QString& what);
    std::optional<QByteArray> hexDigits(const QString& text, int count, const QString& what);

    PhoneState m_state = defaultPhoneState();
    Section m_section = Section::None;
    QString m_sectionName;
    QByteArray m_memory;    // the memory of a [phonebook XX] section
    int m_reminder = 0;     // the position of a [reminder N] section
    QStringList m_rawLines; // the lines of a logo, melody or reminder section
    int m_lineNumber = 0;
    QString m_error;
};

QStringList splitFields(const QString& line, int count)
{
    QStringList fields;
    qsizetype start = 0;
    for (int field = 1; field < count; ++field) {
        const qsizetype bar = line.indexOf(u'|', start);
        if (bar < 0)
            break;
        fields.append(line.mid(start, bar - start).trimmed());
        start = bar + 1;
    }
    fields.append(line.mid(start).trimmed());
    return fields;
}

bool isRawSection(Section section)
{
    return section == Section::Logo || section == Section::Melody || section == Section::Reminder;
}

std::optional<PhoneState> SeedParser::parse(const QByteArray& text, QString* error)
{
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    for (const QString& line : lines) {
        ++m_lineNumber;
        if (!takeLine(line))
            break;
    }
    if (m_error.isEmpty())
        finishSection();
    if (m_error.isEmpty())
        return m_state;
    if (error)
        *error = m_error;
    return std::nullopt;
}

bool SeedParser::fail(const QString& message)
{
    m_error = QStringLiteral("line %1: %2").arg(m_lineNumber).arg(message);
    return false;
}

bool SeedParser::takeLine(const QString& rawLine)
{
    const QString line = rawLine.trimmed();
    if (line.startsWith(u'['))
        return startSection(line);
    if (line.isEmpty() || line.startsWith(u'#'))
        return true;
    if (isRawSection(m_section)) {
        m_rawLines.append(line);
        return true;
    }
    if (m_section == Section::None)
        return fail(QStringLiteral("text before the first [section]"));
    if (line.contains(u'|'))
        return takeRecord(line);
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return fail(QStringLiteral("expected \"key = value\" or a record \"a | b | ...\""));
    return takeValue(line.left(equals).trimmed().toLower(), line.mid(equals + 1).trimmed());
}

bool SeedParser::startSection(const QString& header)
{
    if (!finishSection())
        return false;
    if (!header.endsWith(u']'))
        return fail(QStringLiteral("a section header ends with \"]\""));
    m_sectionName = header.mid(1, header.size() - 2).simplified();
    const QStringList words = m_sectionName.split(u' ');
    const QString kind = words.first().toLower();
    if (words.size() == 1 && simpleSections().count(kind) != 0) {
        m_section = simpleSections().at(kind);
        clearDefaultList();
        return true;
    }
    if (words.size() == 2 && kind == QLatin1String("phonebook")) {
        m_memory = words.at(1).toUpper().toLatin1();
        m_section = Section::Phonebook;
        if (!phonebookCodes().contains(m_memory))
            return fail(
                QStringLiteral("unknown memory \"%1\" (SM FD ME ON RC MC LD)").arg(words.at(1)));
        return true;
    }
    if (words.size() == 2 && kind == QLatin1String("reminder")) {
        m_section = Section::Reminder;
        const std::optional<int> position = number(words.at(1), 1, 30, QStringLiteral("position"));
        m_reminder = position.value_or(0);
        return position.has_value();
    }
    return fail(QStringLiteral("unknown section [%1]").arg(m_sectionName));
}

// The records of a list section replace the phone's default list.
void SeedParser::clearDefaultList()
{
    if (m_section == Section::Operators)
        m_state.network.operators.clear();
    else if (m_section == Section::Networks)
        m_state.network.networksInRange.clear();
}

// Logo, melody and reminder sections are taken whole when they end.
bool SeedParser::finishSection()
{
    const QStringList lines = std::exchange(m_rawLines, {});
    if (m_section == Section::Reminder) {
        const std::optional<QByteArray> text
            = latin1(lines.join(QStringLiteral("\r\n")), QStringLiteral("reminder text"));
        if (!text)
            return false;
        m_state.objects.reminders[m_reminder] = *text + "\r\n";
        return true;
    }
    if (m_section != Section::Logo && m_section != Section::Melody)
        return true;
    const QByteArray hex = lines.join(QString()).toLatin1();
    if (hex.size() % 2 != 0 || !isHexText(hex))
        return fail(QStringLiteral("[%1] holds hex digits in pairs").arg(m_sectionName));
    (m_section == Section::Logo ? m_state.objects.logo : m_state.objects.melody)
        = QByteArray::fromHex(hex);
    return true;
}

bool SeedParser::takeValue(const QString& key, const QString& value)
{
    using ValueReader = bool (SeedParser::*)(const QString&, const QString&);
    static const std::map<Section, ValueReader> readers = {
        {Section::Identity, &SeedParser::identityValue},
        {Section::Power, &SeedParser::powerValue},
        {Section::Network, &SeedParser::networkValue},
        {Section::Phonebook, &SeedParser::phonebookValue},
        {Section::Messages, &SeedParser::messagesValue},
        {Section::Clock, &SeedParser::clockValue},
        {Section::RingTone, &SeedParser::ringToneValue},
        {Section::Modem, &SeedParser::modemValue},
    };
    const auto reader = readers.find(m_section);
    if (reader == readers.end())
        return fail(
            QStringLiteral("[%1] holds records \"a | b | ...\", not values").arg(m_sectionName));
    return (this->*reader->second)(key, value);
}

bool SeedParser::takeRecord(const QString& line)
{
    struct RecordReader {
        int fields;
        bool (SeedParser::*read)(const QStringList&);
        const char* layout;
    };
    static const std::map<Section, RecordReader> readers = {
        {Section::Operators, {2, &SeedParser::operatorRecord, "code | name"}},
        {Section::Networks, {3, &SeedParser::networkRecord, "status | code | name"}},
        {Section::Phonebook, {3, &SeedParser::phonebookRecord, "position | number | name"}},
        {Section::Messages, {3, &SeedParser::messageRecord, "slot | status | pdu"}},
        {Section::Locks, {2, &SeedParser::lockRecord, "facility | active classes"}},
        {Section::Passwords, {3, &SeedParser::passwordRecord, "code | password | longest"}},
        {Section::Forwarding,
         {5, &SeedParser::forwardingRecord, "reason | class | active | number | time"}},
    };
    const auto reader = readers.find(m_section);
    if (reader == readers.end())
        return fail(
            QStringLiteral("[%1] holds \"key = value\" lines, not records").arg(m_sectionName));
    const QStringList fields = splitFields(line, reader->second.fields);
    if (fields.size() != reader->second.fields)
        return fail(QStringLiteral("a record of [%1] reads \"%2\"")
                        .arg(m_sectionName, QLatin1String(reader->second.layout)));
    return (this->*reader->second.read)(fields);
}

std::optional<int> SeedParser::number(const QString& text, int lowest, int highest,
                                      const QString& what)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok && value >= lowest && value <= highest)
        return value;
    fail(QStringLiteral("%1 must be a number from %2 to %3, not \"%4\"")
             .arg(what)
             .arg(lowest)
             .arg(highest)
             .arg(text));
    return std::nullopt;
}

std::optional<bool> SeedParser::yesNo(const QString& text, const QString& what)
{
    if (text == QLatin1String("yes"))
        return true;
    if (text == QLatin1String("no"))
        return false;
    fail(QStringLiteral("%1 must be \"yes\" or \"no\", not \"%2\"").arg(what, text));
    return std::nullopt;
}

std::optional<QByteArray> SeedParser::dialString(const QString& text, const QString& what)
{
    const QByteArray digits = text.toLatin1();
    if (isDialString(digits) && QString::fromLatin1(digits) == text)
        return digits;
    fail(QStringLiteral("%1 \"%2\" may hold only digits, * and #, and + in front").arg(what, text));
    return std::nullopt;
}

std::optional<QByteArray> SeedParser::latin1(const QString& text, const QString& what)
{
    const QByteArray bytes = text.toLatin1();
    if (QString::fromLatin1(bytes) == text)
        return bytes;
    fail(QStringLiteral("%1 \"%2\" has characters outside Latin-1").arg(what, text));
    return std::nullopt;
}

std::optional<QByteArray> SeedParser::hexDigits(const QString& text, int count, const QString& what)
{
    const QByteArray digits = text.toLatin1().toUpper();
    if (digits.size() == count && isHexText(digits))
        return digits;
    fail(QStringLiteral("%1 must be %2 hex digits, not \"%3\"").arg(what).arg(count).arg(text));
    return std::nullopt;
}

bool SeedParser::setValue(const QString& key, const QString& value,
                          const std::map<QString, Setter>& setters)
{
    const auto setter = setters.find(key);
    if (setter == setters.end())
        return fail(QStringLiteral("unknown key \"%1\" in [%2]").arg(key, m_sectionName));
    return setter->second(key, value);
}

SeedParser::Setter SeedParser::numberInto(int* target, int lowest, int highest)
{
    return [this, target, lowest, highest](const QString& key, const QString& value) {
        const std::optional<int> read = number(value, lowest, highest, key);
        if (read)
            *target = *read;
        return read.has_value();
    };
}

SeedParser::Setter SeedParser::flagInto(bool* target)
{
    return [this, target](const QString& key, const QString& value) {
        const std::optional<bool> read = yesNo(value, key);
        if (read)
            *target = *read;
        return read.has_value();
    };
}

SeedParser::Setter SeedParser::textInto(QByteArray* target)
{
    return [this, target](const QString& key, const QString& value) {
        const std::optional<QByteArray> read = latin1(value, key);
        if (read)
            *target = *read;
        return read.has_value();
    };
}

SeedParser::Setter SeedParser::dialStringInto(QByteArray* target)
{
    return [this, target](const QString& key, const QString& value) {
        const std::optional<QByteArray> read = dialString(value, key);
        if (read)
            *target = *read;
        return read.has_value();
    };
}

SeedParser::Setter SeedParser::hexInto(QByteArray* target, int digits)
{
    return [this, target, digits](const QString& key, const QString& value) {
        const std::optional<QByteArray> read = hexDigits(value, digits, key);
        if (read)
            *target = *read;
        return read.has_value();
    };
}

bool SeedParser::identityValue(const QString& key, const QString& value)
{
    Identity& identity = m_state.identity;
    return setValue(key, value,
                    {
                        {"manufacturer", textInto(&identity.manufacturer)},
                        {"model", textInto(&identity.model)},
                        {"revision", textInto(&identity.revision)},
                        {"imei", textInto(&identity.imei)},
                        {"imsi", textInto(&identity.imsi)},
                        {"iccid", textInto(&identity.iccid)},
                    });
}

bool SeedParser::powerValue(const QString& key, const QString& value)
{
    return setValue(key, value,
                    {
                        {"connection", numberInto(&m_state.power.connection, 0, 3)},
                        {"level", numberInto(&m_state.power.level, 0, 100)},
                    });
}

bool SeedParser::networkValue(const QString& key, const QString& value)
{
    Network& network = m_state.network;
    return setValue(key, value,
                    {
                        {"registration", numberInto(&network.registration, 0, 5)},
                        {"area", hexInto(&network.areaCode, 4)},
                        {"cell", hexInto(&network.cellId, 4)},
                        {"operator", dialStringInto(&network.operatorCode)},
                        {"rssi", numberInto(&network.rssi, 0, 99)},
                        {"ber", numberInto(&network.ber, 0, 99)},
                    });
}

bool SeedParser::phonebookValue(const QString& key, const QString& value)
{
    PhonebookMemory& memory = m_state.phonebooks[m_memory];
    if (!memory.entries.empty())
        return fail(
            QStringLiteral("the values of [%1] come before its entries").arg(m_sectionName));
    return setValue(key, value,
                    {
                        {"total", numberInto(&memory.total, 0, 9999)},
                        {"number_length", numberInto(&memory.numberLength, 1, 99)},
                        {"name_length", numberInto(&memory.nameLength, 1, 99)},
                        {"read_only", flagInto(&memory.readOnly)},
                        {"refused", flagInto(&memory.refused)},
                    });
}

bool SeedParser::messagesValue(const QString& key, const QString& value)
{
    Messaging& messages = m_state.messages;
    if (!messages.bySlot.empty())
        return fail(QStringLiteral("the values of [messages] come before its messages"));
    const bool read = setValue(key, value,
                               {
                                   {"centre", dialStringInto(&messages.centre)},
                                   {"capacity", numberInto(&messages.capacity, 1, 255)},
                               });
    messages.centreType = defaultNumberType(messages.centre);
    return read;
}

bool SeedParser::clockValue(const QString& key, const QString& value)
{
    const Setter timeSetter = [this](const QString&, const QString& text) {
        const QDateTime time = QDateTime::fromString(text, kTimeFormat);
        if (!time.isValid())
            return fail(QStringLiteral("time must read %1, not \"%2\"").arg(kTimeFormat, text));
        m_state.clock.set(QDateTime(time.date(), time.time(), Qt::UTC));
        return true;
    };
    return setValue(key, value,
                    {
                        {"time", timeSetter},
                        {"running", flagInto(&m_state.clock.running)},
                    });
}

// The maxima come first: a tone or volume is checked against them.
bool SeedParser::ringToneValue(const QString& key, const QString& value)
{
    RingTone& tone = m_state.ringTone;
    return setValue(key, value,
                    {
                        {"max_tone", numberInto(&tone.maxTone, 0, 99)},
                        {"max_volume", numberInto(&tone.maxVolume, 0, 9)},
                        {"tone", numberInto(&tone.tone, 0, tone.maxTone)},
                        {"volume", numberInto(&tone.volume, 0, tone.maxVolume)},
                    });
}

bool SeedParser::modemValue(const QString& key, const QString& value)
{
    const Setter characterSet = [this](const QString&, const QString& text) {
        const QByteArray set = text.toUpper().toLatin1();
        if (!charset::names().contains(set))
            return fail(
                QStringLiteral("charset must be GSM, IRA, UCS2, 8859-1, UTF-8 or HEX, not \"%1\"")
                    .arg(text));
        m_state.modem.characterSet = set;
        return true;
    };
    return setValue(key, value,
                    {
                        {"echo", flagInto(&m_state.modem.echo)},
                        {"error_reports", numberInto(&m_state.modem.errorReports, 0, 1)},
                        {"charset", characterSet},
                        {"message_format", numberInto(&m_state.modem.messageFormat, 0, 1)},
                        {"entry_line", textInto(&m_state.modem.entryLine)},
                    });
}

bool SeedParser::operatorRecord(const QStringList& fields)
{
    const std::optional<QByteArray> code = dialString(fields.at(0), QStringLiteral("code"));
    if (code)
        m_state.network.operators.append({*code, fields.at(1).toUtf8()});
    return code.has_value();
}

bool SeedParser::networkRecord(const QStringList& fields)
{
    const std::optional<int> status = number(fields.at(0), 0, 3, QStringLiteral("status"));
    const std::optional<QByteArray> code
        = status ? dialString(fields.at(1), QStringLiteral("code")) : std::nullopt;
    if (code)
        m_state.network.networksInRange.append({*status, {*code, fields.at(2).toUtf8()}});
    return code.has_value();
}

bool SeedParser::phonebookRecord(const QStringList& fields)
{
    PhonebookMemory& memory = m_state.phonebooks[m_memory];
    const std::optional<int> position
        = number(fields.at(0), 1, memory.total, QStringLiteral("position (set total first)"));
    if (!position)
        return false;
    if (memory.entries.count(*position) != 0)
        return fail(QStringLiteral("position %1 is already taken").arg(*position));
    const std::optional<QByteArray> dialled = dialString(fields.at(1), QStringLiteral("number"));
    if (!dialled)
        return false;
    if (dialled->size() - (dialled->startsWith('+') ? 1 : 0) > memory.numberLength)
        return fail(QStringLiteral("number longer than number_length %1").arg(memory.numberLength));
    const std::optional<QByteArray> name = gsm::encode(fields.at(2));
    if (!name)
        return fail(QStringLiteral("name \"%1\" has characters outside the GSM alphabet")
                        .arg(fields.at(2)));
    if (name->size() > memory.nameLength)
        return fail(QStringLiteral("name \"%1\" takes %2 codes, more than name_length %3")
                        .arg(fields.at(2))
                        .arg(name->size())
                        .arg(memory.nameLength));
    memory.entries[*position] = {*dialled, defaultNumberType(*dialled), *name};
    return true;
}

bool SeedParser::messageRecord(const QStringList& fields)
{
    Messaging& messages = m_state.messages;
    const std::optional<int> slot
        = number(fields.at(0), 1, messages.capacity, QStringLiteral("slot (set capacity first)"));
    const std::optional<int> status
        = slot ? number(fields.at(1), 0, 3, QStringLiteral("status")) : std::nullopt;
    if (!status)
        return false;
    if (messages.bySlot.count(*slot) != 0)
        return fail(QStringLiteral("slot %1 is already taken").arg(*slot));
    const QByteArray pdu = fields.at(2).toLatin1().toUpper();
    if (!inspectPdu(pdu))
        return fail(QStringLiteral("the PDU is not hex with a service centre field"));
    messages.bySlot[*slot] = {*status, pdu};
    return true;
}

bool SeedParser::lockRecord(const QStringList& fields)
{
    const QByteArray facility = fields.at(0).toUpper().toLatin1();
    const auto lock = m_state.locks.activeClasses.find(facility);
    if (lock == m_state.locks.activeClasses.end())
        return fail(QStringLiteral("unknown facility \"%1\" (CS PS SC FD AO OI OX AI IR)")
                        .arg(fields.at(0)));
    const std::optional<int> classes
        = number(fields.at(1), 0, isBarring(facility) ? 7 : 1, QStringLiteral("active classes"));
    if (classes)
        lock->second = *classes;
    return classes.has_value();
}

bool SeedParser::passwordRecord(const QStringList& fields)
{
    const QByteArray code = fields.at(0).toUpper().toLatin1();
    const auto password = m_state.locks.passwords.find(code);
    if (password == m_state.locks.passwords.end())
        return fail(QStringLiteral("unknown password \"%1\" (SC P2 PS AB)").arg(fields.at(0)));
    const std::optional<int> longest
        = number(fields.at(2), 4, 16, QStringLiteral("longest length"));
    if (!longest)
        return false;
    const QByteArray value = fields.at(1).toLatin1();
    if (!isDigits(value) || value.size() < 4 || value.size() > *longest)
        return fail(QStringLiteral("a password is 4 to %1 digits, not \"%2\"")
                        .arg(*longest)
                        .arg(fields.at(1)));
    password->second = {value, *longest};
    return true;
}

bool SeedParser::forwardingRecord(const QStringList& fields)
{
    const std::optional<int> reason = number(fields.at(0), 0, 3, QStringLiteral("reason"));
    const std::optional<int> callClass
        = reason ? number(fields.at(1), 1, 4, QStringLiteral("class")) : std::nullopt;
    const std::optional<int> active
        = callClass ? number(fields.at(2), 0, 1, QStringLiteral("active")) : std::nullopt;
    const std::optional<QByteArray> forwardTo
        = active ? dialString(fields.at(3), QStringLiteral("number")) : std::nullopt;
    if (!forwardTo)
        return false;
    if (*callClass == 3)
        return fail(QStringLiteral("class must be 1 (voice), 2 (data) or 4 (fax)"));
    if (*active == 1 && forwardTo->isEmpty())
        return fail(QStringLiteral("an active forwarding needs a number"));
    const std::optional<int> time
        = fields.at(4).isEmpty() ? 20 : number(fields.at(4), 1, 30, QStringLiteral("time"));
    if (time)
        m_state.forwarding.reasons.at(*reason)[*callClass]
            = {*active == 1, *forwardTo, defaultNumberType(*forwardTo), *time};
    return time.has_value();
}

} // namespace

std::optional<PhoneState> parseSeed(const QByteArray& text, QString* error)
{
    return SeedParser().parse(text, error);
}

std::optional<PhoneState> loadSeedFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const std::optional<PhoneState> state = parseSeed(file.readAll(), error);
    if (!state && error)
        *error = QStringLiteral("%1: %2").arg(path, *error);
    return state;
}

} // namespace s25sim
