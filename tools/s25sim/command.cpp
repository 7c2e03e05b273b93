#include "command.h"

#include "wiretext.h"

namespace s25sim {

namespace {

bool isDecimal(const QByteArray& text)
{
    return text.size() <= 9 && isDigits(text); // nine digits always fit an int
}

// Reads one quoted string starting after its opening quote; position ends after the closing
// quote.
std::optional<QByteArray> readQuoted(const QByteArray& text, qsizetype& position)
{
    QByteArray value;
    while (position < text.size()) {
        const char character = text.at(position++);
        if (character == '"')
            return value;
        if (character != '\\') {
            value.append(character);
            continue;
        }
        if (position + 2 > text.size() || !isHexDigit(text.at(position))
            || !isHexDigit(text.at(position + 1)))
            return std::nullopt;
        value.append(static_cast<char>(text.mid(position, 2).toInt(nullptr, 16)));
        position += 2;
    }
    return std::nullopt;
}

// Reads one parameter up to its comma (or the end); position ends on that comma.
std::optional<Argument> readArgument(const QByteArray& text, qsizetype& position)
{
    Argument argument;
    while (position < text.size() && text.at(position) == ' ')
        ++position;
    if (position < text.size() && text.at(position) == '"') {
        ++position;
        const std::optional<QByteArray> value = readQuoted(text, position);
        if (!value)
            return std::nullopt;
        argument = {*value, true};
        while (position < text.size() && text.at(position) == ' ')
            ++position;
        if (position < text.size() && text.at(position) != ',')
            return std::nullopt;
        return argument;
    }
    const qsizetype comma = text.indexOf(',', position);
    const qsizetype end = comma < 0 ? text.size() : comma;
    argument.text = text.mid(position, end - position).trimmed();
    position = end;
    return argument;
}

} // namespace

Argument Command::argument(qsizetype index) const
{
    return index < arguments.size() ? arguments.at(index) : Argument();
}

std::optional<int> Command::number(qsizetype index) const
{
    const Argument value = argument(index);
    if (value.quoted || !isDecimal(value.text))
        return std::nullopt;
    return value.text.toInt();
}

std::optional<int> Command::numberBetween(qsizetype index, int lowest, int highest) const
{
    const std::optional<int> value = number(index);
    if (!value || *value < lowest || *value > highest)
        return std::nullopt;
    return value;
}

QByteArray Command::code(qsizetype index) const
{
    return argument(index).text.toUpper();
}

std::optional<QList<Argument>> splitArguments(const QByteArray& text)
{
    QList<Argument> arguments;
    qsizetype position = 0;
    while (true) {
        const std::optional<Argument> argument = readArgument(text, position);
        if (!argument)
            return std::nullopt;
        arguments.append(*argument);
        if (position >= text.size())
            return arguments;
        ++position; // the comma
    }
}

std::optional<Command> parseExtendedCommand(const QByteArray& body)
{
    qsizetype nameEnd = 1;
    while (nameEnd < body.size() && body.at(nameEnd) != '=' && body.at(nameEnd) != '?')
        ++nameEnd;
    Command command;
    command.name = body.left(nameEnd).toUpper();
    const QByteArray rest = body.mid(nameEnd);
    if (rest.isEmpty())
        command.form = Command::Form::Execute;
    else if (rest == "?")
        command.form = Command::Form::Read;
    else if (rest == "=?")
        command.form = Command::Form::Test;
    else if (rest.startsWith('=')) {
        const std::optional<QList<Argument>> arguments = splitArguments(rest.mid(1));
        if (!arguments)
            return std::nullopt;
        command.form = Command::Form::Set;
        command.arguments = *arguments;
    } else
        return std::nullopt;
    return command;
}

} // namespace s25sim
