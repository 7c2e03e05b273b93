#include "atinterpreter.h"

#include "charactersets.h"
#include "wiretext.h"

#include <array>
#include <cctype>
#include <utility>

namespace s25sim {

namespace {

using Form = Command::Form;

bool startsWithAt(const QByteArray& line)
{
    return line.size() >= 2 && std::toupper(static_cast<unsigned char>(line.at(0))) == 'A'
           && std::toupper(static_cast<unsigned char>(line.at(1))) == 'T';
}

struct BasicCommand {
    char letter;
    int value;
};

bool isDigit(char character)
{
    return character >= '0' && character <= '9';
}

BasicCommand readBasicCommand(const QByteArray& body, qsizetype& position)
{
    const auto letter
        = static_cast<char>(std::toupper(static_cast<unsigned char>(body.at(position++))));
    const qsizetype digits = position;
    while (position < body.size() && isDigit(body.at(position)))
        ++position;
    return {letter, body.mid(digits, position - digits).toInt()};
}

// E echo, Q quiet, V verbose, Z back to the power-up settings (the memory stays selected).
bool applyBasicCommand(const BasicCommand& command, ModemSettings& settings)
{
    if (command.letter == 'Z' && command.value == 0) {
        const QByteArray memory = settings.selectedMemory;
        settings = ModemSettings();
        settings.selectedMemory = memory;
        return true;
    }
    if (command.value > 1)
        return false;
    const bool on = command.value == 1;
    switch (command.letter) {
    case 'E':
        settings.echo = on;
        return true;
    case 'Q':
        settings.quiet = on;
        return true;
    case 'V':
        settings.verbose = on;
        return true;
    default:
        return false;
    }
}

bool isRegistered(const Network& network)
{
    return network.registration == 1 || network.registration == 5;
}

} // namespace

AtInterpreter::AtInterpreter(PhoneState& state) : m_state(state) {}

const std::map<QByteArray, AtInterpreter::Handler>& AtInterpreter::handlers()
{
    static const std::map<QByteArray, Handler> table = {
        {"+CGMI", &AtInterpreter::manufacturer},
        {"+CGMM", &AtInterpreter::model},
        {"+CGMR", &AtInterpreter::revision},
        {"+CGSN", &AtInterpreter::serialNumber},
        {"+CIMI", &AtInterpreter::subscriberIdentity},
        {"^SCID", &AtInterpreter::simIdentity},
        {"+CBC", &AtInterpreter::battery},
        {"+CREG", &AtInterpreter::registration},
        {"+COPS", &AtInterpreter::operatorSelection},
        {"+COPN", &AtInterpreter::operatorNames},
        {"+CSQ", &AtInterpreter::signalQuality},
        {"+CSCA", &AtInterpreter::serviceCentre},
        {"+CLIP", &AtInterpreter::callerId},
        {"+CNMI", &AtInterpreter::messageIndications},
        {"+CMEE", &AtInterpreter::errorReports},
        {"+CSCS", &AtInterpreter::characterSet},
        {"+CPBS", &AtInterpreter::selectMemory},
        {"+CPBR", &AtInterpreter::readEntries},
        {"+CPBW", &AtInterpreter::writeEntry},
        {"+CMGF", &AtInterpreter::messageFormat},
        {"+CMGR", &AtInterpreter::readMessage},
        {"+CMGD", &AtInterpreter::deleteMessage},
        {"+CMGS", &AtInterpreter::sendMessage},
        {"+CMGW", &AtInterpreter::writeMessage},
        {"+CMSS", &AtInterpreter::sendStoredMessage},
        {"+CCLK", &AtInterpreter::clock},
        {"+CLCK", &AtInterpreter::facilityLock},
        {"+CPWD", &AtInterpreter::changePassword},
        {"+CCFC", &AtInterpreter::callForwarding},
        {"^SBNR", &AtInterpreter::readObject},
        {"^SBNW", &AtInterpreter::writeObject},
        {"^SRTC", &AtInterpreter::ringTone},
    };
    return table;
}

Reply AtInterpreter::execute(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    if (!startsWithAt(trimmed))
        return Reply::error();
    const QByteArray body = trimmed.mid(2);
    if (body.isEmpty())
        return Reply::ok();
    if (body.startsWith('+') || body.startsWith('^'))
        return executeExtended(body);
    return executeBasic(body);
}

Reply AtInterpreter::finishData(const QByteArray& data)
{
    const DataFor dataFor = std::exchange(m_dataFor, DataFor::Nothing);
    switch (dataFor) {
    case DataFor::SendMessage:
        return finishSendMessage(data);
    case DataFor::WriteMessage:
        return finishWriteMessage(data);
    case DataFor::ObjectBlock:
        return finishObjectBlock(data);
    case DataFor::Nothing:
        break;
    }
    return Reply::error();
}

Reply AtInterpreter::cancelData()
{
    if (m_dataFor == DataFor::ObjectBlock)
        m_upload = BlockUpload();
    m_dataFor = DataFor::Nothing;
    return Reply::ok();
}

// Basic commands come one letter and an optional number at a time: "ATE0", "ATE0V1Q0". A
// line with one unknown command changes nothing.
Reply AtInterpreter::executeBasic(const QByteArray& body)
{
    ModemSettings settings = m_state.modem;
    qsizetype position = 0;
    while (position < body.size()) {
        const BasicCommand command = readBasicCommand(body, position);
        if (!applyBasicCommand(command, settings))
            return Reply::error();
    }
    m_state.modem = settings;
    return Reply::ok();
}

Reply AtInterpreter::executeExtended(const QByteArray& body)
{
    const std::optional<Command> command = parseExtendedCommand(body);
    if (!command)
        return Reply::error();
    const auto handler = handlers().find(command->name);
    if (handler == handlers().end())
        return Reply::error();
    return (this->*handler->second)(*command);
}

Reply AtInterpreter::identityQuery(const Command& command, const QByteArray& value)
{
    if (command.form == Form::Execute)
        return Reply::ok({value});
    return command.form == Form::Test ? Reply::ok() : Reply::error();
}

Reply AtInterpreter::manufacturer(const Command& command)
{
    return identityQuery(command, m_state.identity.manufacturer);
}

Reply AtInterpreter::model(const Command& command)
{
    return identityQuery(command, m_state.identity.model);
}

Reply AtInterpreter::revision(const Command& command)
{
    return identityQuery(command, m_state.identity.revision);
}

Reply AtInterpreter::serialNumber(const Command& command)
{
    return identityQuery(command, m_state.identity.imei);
}

Reply AtInterpreter::subscriberIdentity(const Command& command)
{
    return identityQuery(command, m_state.identity.imsi);
}

Reply AtInterpreter::simIdentity(const Command& command)
{
    return identityQuery(command, "^SCID: " + m_state.identity.iccid);
}

Reply AtInterpreter::battery(const Command& command)
{
    if (command.form == Form::Test)
        return Reply::ok({"+CBC: (0-3),(0-100)"});
    if (command.form != Form::Execute)
        return Reply::error();
    const Power& power = m_state.power;
    return Reply::ok({"+CBC: " + decimal(power.connection) + ',' + decimal(power.level)});
}

// Area and cell go unquoted, as four hex digits: the program reads them at fixed places.
Reply AtInterpreter::registration(const Command& command)
{
    Network& network = m_state.network;
    switch (command.form) {
    case Form::Read: {
        QByteArray line
            = "+CREG: " + decimal(network.registrationMode) + ',' + decimal(network.registration);
        if (network.registrationMode == 2 && isRegistered(network))
            line += ',' + network.areaCode + ',' + network.cellId;
        return Reply::ok({line});
    }
    case Form::Set: {
        const std::optional<int> mode = command.numberBetween(0, 0, 2);
        if (!mode)
            return Reply::equipmentError(cme::kOperationNotSupported);
        network.registrationMode = *mode;
        return Reply::ok();
    }
    case Form::Test:
        return Reply::ok({"+CREG: (0-2)"});
    case Form::Execute:
        break;
    }
    return Reply::error();
}

QByteArray AtInterpreter::textOut(const QByteArray& utf8) const
{
    return charset::fromText(QString::fromUtf8(utf8), m_state.modem.characterSet);
}

QByteArray AtInterpreter::codeOut(const QByteArray& code) const
{
    return m_state.modem.characterSet == charset::kUcs2 ? quoted(textOut(code)) : code;
}

QByteArray AtInterpreter::currentOperator() const
{
    const Network& network = m_state.network;
    if (network.operatorFormat == 2)
        return "2," + codeOut(network.operatorCode);
    for (const Operator& known : network.operators) {
        if (known.code == network.operatorCode)
            return "0," + quoted(textOut(known.name));
    }
    return "0," + quoted(network.operatorCode);
}

Reply AtInterpreter::operatorSelection(const Command& command)
{
    switch (command.form) {
    case Form::Read:
        if (!isRegistered(m_state.network))
            return Reply::ok({"+COPS: 0"});
        return Reply::ok({"+COPS: 0," + currentOperator()});
    case Form::Test:
        return networkSearch();
    case Form::Set:
        return selectOperator(command);
    case Form::Execute:
        break;
    }
    return Reply::error();
}

// The search lists each network as (status,"long name",,code): an empty short name and an
// unquoted code, then the supported modes and formats after two commas.
Reply AtInterpreter::networkSearch() const
{
    QList<QByteArray> entries;
    for (const NetworkInRange& inRange : m_state.network.networksInRange) {
        entries.append('(' + decimal(inRange.status) + ',' + quoted(textOut(inRange.network.name))
                       + ",," + codeOut(inRange.network.code) + ')');
    }
    return Reply::ok({"+COPS: " + entries.join(',') + ",,(0,1,2,3,4),(0,1,2)"});
}

// AT+COPS=<mode>[,<format>[,<operator>]]: 0 automatic, 1 manual, 2 deregister, 3 set the
// format only.
Reply AtInterpreter::selectOperator(const Command& command)
{
    Network& network = m_state.network;
    const std::optional<int> mode = command.numberBetween(0, 0, 4);
    const std::optional<int> format = command.numberBetween(1, 0, 2);
    if (!mode || (*mode == 3 && !format))
        return Reply::equipmentError(cme::kOperationNotSupported);
    if (*mode == 3) {
        network.operatorFormat = *format == 2 ? 2 : 0;
        return Reply::ok();
    }
    const QByteArray wanted = command.argument(2).text;
    if (*mode != 1 || wanted.isEmpty()) {
        network.registration = *mode == 2 ? 0 : 1;
        return Reply::ok();
    }
    for (const NetworkInRange& inRange : network.networksInRange) {
        if (inRange.network.code == wanted && inRange.status != 3) {
            network.operatorCode = wanted;
            network.registration = 1;
            return Reply::ok();
        }
    }
    return Reply::equipmentError(cme::kOperationNotAllowed);
}

// The code goes unquoted: the program reads it at fixed places.
Reply AtInterpreter::operatorNames(const Command& command)
{
    if (command.form == Form::Test)
        return Reply::ok();
    if (command.form != Form::Execute)
        return Reply::error();
    QList<QByteArray> lines;
    lines.reserve(m_state.network.operators.size());
    for (const Operator& known : m_state.network.operators)
        lines.append("+COPN: " + codeOut(known.code) + ',' + quoted(textOut(known.name)));
    return Reply::ok(lines);
}

Reply AtInterpreter::signalQuality(const Command& command)
{
    if (command.form == Form::Test)
        return Reply::ok({"+CSQ: (0-31,99),(0-7,99)"});
    if (command.form != Form::Execute)
        return Reply::error();
    return Reply::ok(
        {"+CSQ: " + decimal(m_state.network.rssi) + ',' + decimal(m_state.network.ber)});
}

Reply AtInterpreter::serviceCentre(const Command& command)
{
    Messaging& messages = m_state.messages;
    if (command.form == Form::Read)
        return Reply::ok(
            {"+CSCA: " + quoted(messages.centre) + ',' + decimal(messages.centreType)});
    if (command.form == Form::Test)
        return Reply::ok();
    if (command.form != Form::Set || !command.argument(0).quoted)
        return Reply::error();
    const QByteArray centre = command.argument(0).text;
    const std::optional<int> type = command.number(1);
    messages.centre = centre;
    messages.centreType = type.value_or(defaultNumberType(centre));
    return Reply::ok();
}

Reply AtInterpreter::callerId(const Command& command)
{
    switch (command.form) {
    case Form::Set: {
        const std::optional<int> mode = command.numberBetween(0, 0, 1);
        if (!mode)
            return Reply::equipmentError(cme::kOperationNotSupported);
        m_state.modem.callerId = *mode;
        return Reply::ok();
    }
    case Form::Read:
        return Reply::ok({"+CLIP: " + decimal(m_state.modem.callerId) + ",1"});
    case Form::Test:
        return Reply::ok({"+CLIP: (0,1)"});
    case Form::Execute:
        break;
    }
    return Reply::error();
}

// Only the second value (mt) matters to the simulator: 1 announces stored messages with +CMTI.
Reply AtInterpreter::messageIndications(const Command& command)
{
    static const std::array<int, 5> highest = {3, 3, 3, 2, 1};
    std::array<int, 5>& values = m_state.modem.messageIndications;
    switch (command.form) {
    case Form::Set: {
        if (command.arguments.size() > 5)
            return Reply::messageError(cms::kOperationNotSupported);
        std::array<int, 5> wanted = values;
        for (qsizetype i = 0; i < command.arguments.size(); ++i) {
            if (command.argument(i).text.isEmpty())
                continue;
            const std::optional<int> value = command.numberBetween(i, 0, highest.at(i));
            if (!value)
                return Reply::messageError(cms::kOperationNotSupported);
            wanted.at(i) = *value;
        }
        values = wanted;
        return Reply::ok();
    }
    case Form::Read: {
        QList<QByteArray> texts;
        for (const int value : values)
            texts.append(decimal(value));
        return Reply::ok({"+CNMI: " + texts.join(',')});
    }
    case Form::Test:
        return Reply::ok({"+CNMI: (0-3),(0-3),(0-3),(0-2),(0,1)"});
    case Form::Execute:
        break;
    }
    return Reply::error();
}

Reply AtInterpreter::errorReports(const Command& command)
{
    switch (command.form) {
    case Form::Set: {
        const std::optional<int> mode = command.numberBetween(0, 0, 2);
        if (!mode)
            return Reply::error();
        m_state.modem.errorReports = *mode;
        return Reply::ok();
    }
    case Form::Read:
        return Reply::ok({"+CMEE: " + decimal(m_state.modem.errorReports)});
    case Form::Test:
        return Reply::ok({"+CMEE: (0-2)"});
    case Form::Execute:
        break;
    }
    return Reply::error();
}

} // namespace s25sim
