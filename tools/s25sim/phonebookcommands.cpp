// The phonebook memories and the call lists: AT+CPBS, AT+CPBR, AT+CPBW. Names travel in the TE
// character set.
#include "atinterpreter.h"
#include "charactersets.h"
#include "wiretext.h"

namespace s25sim {

namespace {

using Form = Command::Form;

bool isSelectable(const std::map<QByteArray, PhonebookMemory>& phonebooks, const QByteArray& code)
{
    const auto memory = phonebooks.find(code);
    return memory != phonebooks.end() && !memory->second.refused;
}

bool isGsmText(const QByteArray& codes)
{
    for (const char code : codes) {
        if (static_cast<unsigned char>(code) > 127)
            return false;
    }
    return true;
}

// In the phone's form of the line; the name in the TE character set, put in last so that nothing
// in it is taken for a field.
QByteArray entryLine(int position, const PhonebookEntry& entry, const ModemSettings& modem)
{
    QByteArray line = modem.entryLine;
    line.replace("{position}", decimal(position))
        .replace("{number}", entry.number)
        .replace("{type}", decimal(entry.type))
        .replace("{name}", charset::fromGsm(entry.name, modem.characterSet));
    return "+CPBR: " + line;
}

std::optional<int> firstFreePosition(const PhonebookMemory& memory)
{
    for (int position = 1; position <= memory.total; ++position) {
        if (memory.entries.count(position) == 0)
            return position;
    }
    return std::nullopt;
}

// A number of type 145 always reads back with its "+".
PhonebookEntry entryOf(const QByteArray& number, int type, const QByteArray& name)
{
    PhonebookEntry entry{number, type, name};
    if (type == kInternationalType && !number.isEmpty() && !number.startsWith('+'))
        entry.number.prepend('+');
    return entry;
}

// Checks a new entry against the memory's limits, the name's length counted in the characters
// of the set it came in; the refusal, or nothing when it fits.
std::optional<int> entryFault(const PhonebookMemory& memory, const PhonebookEntry& entry,
                              int nameLength)
{
    const QByteArray digits = entry.number.startsWith('+') ? entry.number.mid(1) : entry.number;
    if (!isDialString(entry.number))
        return cme::kInvalidDialCharacters;
    if (digits.size() > memory.numberLength)
        return cme::kDialStringTooLong;
    if (!isGsmText(entry.name))
        return cme::kInvalidTextCharacters;
    if (nameLength > memory.nameLength)
        return cme::kTextTooLong;
    return std::nullopt;
}

} // namespace

PhonebookMemory& AtInterpreter::selectedMemory()
{
    return m_state.phonebooks[m_state.modem.selectedMemory];
}

// The memory code may come quoted or not: the program sends AT+CPBS=SM.
Reply AtInterpreter::selectMemory(const Command& command)
{
    switch (command.form) {
    case Form::Set: {
        const QByteArray code = command.code(0);
        if (!isSelectable(m_state.phonebooks, code))
            return Reply::equipmentError(cme::kOperationNotAllowed);
        m_state.modem.selectedMemory = code;
        return Reply::ok();
    }
    case Form::Read: {
        const PhonebookMemory& memory = selectedMemory();
        return Reply::ok({"+CPBS: " + quoted(m_state.modem.selectedMemory) + ','
                          + decimal(static_cast<int>(memory.entries.size())) + ','
                          + decimal(memory.total)});
    }
    case Form::Test: {
        QList<QByteArray> codes;
        for (const QByteArray& code : phonebookCodes()) {
            if (isSelectable(m_state.phonebooks, code))
                codes.append(quoted(code));
        }
        return Reply::ok({"+CPBS: (" + codes.join(',') + ')'});
    }
    case Form::Execute:
        break;
    }
    return Reply::error();
}

// The lengths go as plain numbers after the range: the program reads them at fixed places.
Reply AtInterpreter::readEntries(const Command& command)
{
    const PhonebookMemory& memory = selectedMemory();
    if (command.form == Form::Test) {
        if (memory.total == 0)
            return Reply::equipmentError(cme::kOperationNotAllowed);
        return Reply::ok({"+CPBR: (1-" + decimal(memory.total) + ")," + decimal(memory.numberLength)
                          + ',' + decimal(memory.nameLength)});
    }
    if (command.form != Form::Set)
        return Reply::error();
    const std::optional<int> first = command.numberBetween(0, 1, memory.total);
    const std::optional<int> last = command.arguments.size() > 1
                                        ? command.numberBetween(1, first.value_or(1), memory.total)
                                        : first;
    if (!first || !last)
        return Reply::equipmentError(cme::kInvalidIndex);
    QList<QByteArray> lines;
    const auto end = memory.entries.upper_bound(*last);
    for (auto entry = memory.entries.lower_bound(*first); entry != end; ++entry)
        lines.append(entryLine(entry->first, entry->second, m_state.modem));
    return Reply::ok(lines);
}

// AT+CPBW=<pos> erases; AT+CPBW=[<pos>],"<number>"[,<type>[,"<name>"]] writes, at the first
// free position when the position is left out. An empty number and name erase too.
Reply AtInterpreter::writeEntry(const Command& command)
{
    PhonebookMemory& memory = selectedMemory();
    if (command.form == Form::Test) {
        return Reply::ok({"+CPBW: (1-" + decimal(memory.total) + ")," + decimal(memory.numberLength)
                          + ",(129,145,161)," + decimal(memory.nameLength)});
    }
    if (command.form != Form::Set || command.arguments.size() > 4)
        return Reply::error();
    if (memory.readOnly)
        return Reply::equipmentError(cme::kOperationNotAllowed);
    if (command.arguments.size() == 1)
        return eraseEntry(memory, command);
    const bool stringsQuoted = command.argument(1).quoted
                               && (command.arguments.size() < 4 || command.argument(3).quoted);
    const std::optional<int> type = command.argument(2).text.isEmpty()
                                        ? defaultNumberType(command.argument(1).text)
                                        : command.numberBetween(2, 128, 255);
    if (!stringsQuoted || !type)
        return Reply::error();
    const std::optional<int> position = command.argument(0).text.isEmpty()
                                            ? firstFreePosition(memory)
                                            : command.numberBetween(0, 1, memory.total);
    if (!position)
        return Reply::equipmentError(cme::kInvalidIndex);
    const std::optional<QByteArray> name
        = charset::toGsm(command.argument(3).text, m_state.modem.characterSet);
    if (!name)
        return Reply::equipmentError(cme::kInvalidTextCharacters);
    const PhonebookEntry entry = entryOf(command.argument(1).text, *type, *name);
    if (entry.number.isEmpty() && entry.name.isEmpty()) {
        memory.entries.erase(*position);
        return Reply::ok();
    }
    const int nameLength
        = charset::length(command.argument(3).text, *name, m_state.modem.characterSet);
    if (const std::optional<int> fault = entryFault(memory, entry, nameLength))
        return Reply::equipmentError(*fault);
    memory.entries[*position] = entry;
    return Reply::ok();
}

Reply AtInterpreter::eraseEntry(PhonebookMemory& memory, const Command& command)
{
    const std::optional<int> position = command.numberBetween(0, 1, memory.total);
    if (!position)
        return Reply::equipmentError(cme::kInvalidIndex);
    memory.entries.erase(*position);
    return Reply::ok();
}

} // namespace s25sim
