#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

namespace s25sim {

// One parameter of an extended command. A quoted string keeps its bytes with the \hh escapes
// decoded; a bare value is trimmed of blanks.
struct Argument {
    QByteArray text;
    bool quoted = false;
};

// An extended command: "AT+CPBR=1,100" has the name "+CPBR", the form Set and two arguments.
struct Command {
    enum class Form { Execute, Read, Test, Set };
    QByteArray name; // upper case, with its "+" or "^"
    Form form = Form::Execute;
    QList<Argument> arguments;

    // The argument at index, or an empty bare one when the command has fewer.
    Argument argument(qsizetype index) const;
    // The argument read as a whole decimal number; nothing when it is absent or not a number.
    std::optional<int> number(qsizetype index) const;
    // The same, when it lies between lowest and highest inclusive.
    std::optional<int> numberBetween(qsizetype index, int lowest, int highest) const;
    // The argument as a code such as a memory, facility or object type, quoted or not, in
    // upper case.
    QByteArray code(qsizetype index) const;
};

// The command after its "AT" prefix; nothing when it is malformed.
std::optional<Command> parseExtendedCommand(const QByteArray& body);

// Comma-separated parameters; nothing for an unterminated string or a bad escape.
std::optional<QList<Argument>> splitArguments(const QByteArray& text);

} // namespace s25sim
