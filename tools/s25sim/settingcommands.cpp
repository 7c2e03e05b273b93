// The clock, the locks and their passwords, and call forwarding: AT+CCLK, AT+CLCK, AT+CPWD,
// AT+CCFC.
#include "atinterpreter.h"
#include "wiretext.h"

#include <QRegularExpression>

namespace s25sim {

namespace {

using Form = Command::Form;

constexpr int kAllClasses = 7;
constexpr std::array<int, 3> kClasses = {1, 2, 4};
// The forwarding query reports the classes in this order: voice, fax, data.
constexpr std::array<int, 3> kForwardingReportOrder = {1, 4, 2};

const char kClockFormat[] = "yy/MM/dd,hh:mm:ss";

// The password that guards a facility; the barrings and the barring groups share one.
QByteArray passwordCodeOf(const QByteArray& facility)
{
    if (facility == "FD")
        return "P2";
    if (isBarring(facility) || facility == "AB" || facility == "AG" || facility == "AC")
        return "AB";
    return facility;
}

std::optional<QDateTime> parseClock(const QByteArray& text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d\\d)/(\\d\\d)/(\\d\\d),(\\d\\d):(\\d\\d):(\\d\\d)([+-]\\d\\d)?$"));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(text));
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(2000 + match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt(),
                     match.captured(6).toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

QByteArray forwardingLine(int reason, int callClass, const ForwardingSetting& setting)
{
    QByteArray line = "+CCFC: " + decimal(setting.active ? 1 : 0) + ',' + decimal(callClass);
    if (setting.number.isEmpty())
        return line;
    line += ',' + quoted(setting.number) + ',' + decimal(setting.type);
    if (reason == 2)
        line += ",,," + decimal(setting.time);
    return line;
}

} // namespace

Reply AtInterpreter::clock(const Command& command)
{
    Clock& phoneClock = m_state.clock;
    switch (command.form) {
    case Form::Read:
        return Reply::ok({"+CCLK: " + quoted(phoneClock.now().toString(kClockFormat).toLatin1())});
    case Form::Set: {
        const std::optional<QDateTime> wallTime = parseClock(command.argument(0).text);
        if (!command.argument(0).quoted || !wallTime)
            return Reply::equipmentError(cme::kOperationNotAllowed);
        phoneClock.set(*wallTime);
        return Reply::ok();
    }
    case Form::Test:
        return Reply::ok();
    case Form::Execute:
        break;
    }
    return Reply::error();
}

// AT+CLCK=<facility>,<mode>[,<password>[,<classes>]]: mode 2 queries, 0 and 1 switch.
Reply AtInterpreter::facilityLock(const Command& command)
{
    if (command.form == Form::Test)
        return Reply::ok(
            {"+CLCK: (\"CS\",\"PS\",\"SC\",\"FD\",\"AO\",\"OI\",\"OX\",\"AI\",\"IR\")"});
    const QByteArray facility = command.code(0);
    const std::optional<int> mode = command.numberBetween(1, 0, 2);
    if (command.form != Form::Set || m_state.locks.activeClasses.count(facility) == 0 || !mode)
        return Reply::equipmentError(cme::kOperationNotSupported);
    return *mode == 2 ? queryLock(facility) : switchLock(facility, *mode == 1, command);
}

// One line for the keypad and SIM locks; one per class, in the order 1, 2, 4, for a barring.
Reply AtInterpreter::queryLock(const QByteArray& facility) const
{
    const int active = m_state.locks.activeClasses.at(facility);
    if (!isBarring(facility))
        return Reply::ok({"+CLCK: " + decimal(active != 0 ? 1 : 0)});
    QList<QByteArray> lines;
    for (const int callClass : kClasses)
        lines.append("+CLCK: " + decimal((active & callClass) ? 1 : 0) + ',' + decimal(callClass));
    return Reply::ok(lines);
}

// Every facility but the keypad lock wants its password; a barring switches the classes
// given, all of them by default.
Reply AtInterpreter::switchLock(const QByteArray& facility, bool on, const Command& command)
{
    Locks& locks = m_state.locks;
    const QByteArray& password = locks.passwords[passwordCodeOf(facility)].value;
    if (facility != "CS" && command.argument(2).text != password)
        return Reply::equipmentError(cme::kIncorrectPassword);
    int& active = locks.activeClasses[facility];
    if (!isBarring(facility)) {
        active = on ? 1 : 0;
        return Reply::ok();
    }
    const std::optional<int> classes = command.argument(3).text.isEmpty()
                                           ? kAllClasses
                                           : command.numberBetween(3, 1, kAllClasses);
    if (!classes)
        return Reply::equipmentError(cme::kOperationNotSupported);
    active = on ? (active | *classes) : (active & ~*classes);
    return Reply::ok();
}

Reply AtInterpreter::changePassword(const Command& command)
{
    std::map<QByteArray, Password>& passwords = m_state.locks.passwords;
    if (command.form == Form::Test) {
        QList<QByteArray> pairs;
        for (const char* code :
             {"P2", "PS", "SC", "AO", "OI", "OX", "AI", "IR", "AB", "AG", "AC"}) {
            const int length = passwords[passwordCodeOf(code)].maxLength;
            pairs.append("(" + quoted(code) + ',' + decimal(length) + ')');
        }
        return Reply::ok({"+CPWD: " + pairs.join(',')});
    }
    const auto password = passwords.find(passwordCodeOf(command.code(0)));
    if (command.form != Form::Set || password == passwords.end())
        return Reply::equipmentError(cme::kOperationNotSupported);
    if (command.argument(1).text != password->second.value)
        return Reply::equipmentError(cme::kIncorrectPassword);
    const QByteArray newPassword = command.argument(2).text;
    if (!isDigits(newPassword) || newPassword.size() < 4
        || newPassword.size() > password->second.maxLength)
        return Reply::equipmentError(cme::kOperationNotAllowed);
    password->second.value = newPassword;
    return Reply::ok();
}

// AT+CCFC=<reason>,<mode>[,<number>[,<type>[,<class>[,<subaddr>,<satype>[,<time>]]]]]:
// mode 0 disables, 1 enables, 2 queries, 3 registers, 4 erases.
Reply AtInterpreter::callForwarding(const Command& command)
{
    if (command.form == Form::Test)
        return Reply::ok({"+CCFC: (0-3)"});
    const std::optional<int> reason = command.numberBetween(0, 0, 3);
    const std::optional<int> mode = command.numberBetween(1, 0, 4);
    const std::optional<int> classes = command.argument(4).text.isEmpty()
                                           ? kAllClasses
                                           : command.numberBetween(4, 1, kAllClasses);
    if (command.form != Form::Set || !reason || !mode || !classes)
        return Reply::equipmentError(cme::kOperationNotSupported);
    if (*mode == 2)
        return queryForwarding(*reason);
    if (*mode == 3)
        return registerForwarding(*reason, command);
    for (const int callClass : kClasses) {
        if (!(*classes & callClass))
            continue;
        ForwardingSetting& setting = m_state.forwarding.reasons.at(*reason)[callClass];
        setting.active = *mode == 1 && !setting.number.isEmpty();
        if (*mode == 4)
            setting.number.clear();
    }
    return Reply::ok();
}

Reply AtInterpreter::queryForwarding(int reason)
{
    std::map<int, ForwardingSetting>& settings = m_state.forwarding.reasons.at(reason);
    QList<QByteArray> lines;
    for (const int callClass : kForwardingReportOrder)
        lines.append(forwardingLine(reason, callClass, settings[callClass]));
    return Reply::ok(lines);
}

// The number may come quoted or, as the program sends it, bare.
Reply AtInterpreter::registerForwarding(int reason, const Command& command)
{
    const QByteArray number = command.argument(2).text;
    const std::optional<int> type = command.argument(3).text.isEmpty()
                                        ? defaultNumberType(number)
                                        : command.numberBetween(3, 128, 255);
    const std::optional<int> classes = command.argument(4).text.isEmpty()
                                           ? kAllClasses
                                           : command.numberBetween(4, 1, kAllClasses);
    const bool timeGiven = !command.argument(7).text.isEmpty();
    const std::optional<int> time = command.numberBetween(7, 1, 30);
    if (number.isEmpty() || !isDialString(number))
        return Reply::equipmentError(cme::kInvalidDialCharacters);
    if (!type || !classes || (timeGiven && !time))
        return Reply::equipmentError(cme::kOperationNotSupported);
    for (const int callClass : kClasses) {
        if (!(*classes & callClass))
            continue;
        ForwardingSetting& setting = m_state.forwarding.reasons.at(reason)[callClass];
        setting = {true, number, *type, reason == 2 && time ? *time : setting.time};
    }
    return Reply::ok();
}

} // namespace s25sim
