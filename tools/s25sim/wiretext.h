#pragma once

#include <QByteArray>

#include <algorithm>

// Small pieces of reply text shared by the command groups.
namespace s25sim {

inline QByteArray decimal(int value)
{
    return QByteArray::number(value);
}

inline QByteArray quoted(const QByteArray& text)
{
    return '"' + text + '"';
}

inline bool isDigits(const QByteArray& text)
{
    return !text.isEmpty()
           && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

inline bool isHexDigit(char character)
{
    return (character >= '0' && character <= '9') || (character >= 'A' && character <= 'F')
           || (character >= 'a' && character <= 'f');
}

inline bool isHexText(const QByteArray& text)
{
    return std::all_of(text.begin(), text.end(), isHexDigit);
}

constexpr int kInternationalType = 145;
constexpr int kNationalType = 129;

// The type of address a number goes with when none is given.
inline int defaultNumberType(const QByteArray& number)
{
    return number.startsWith('+') ? kInternationalType : kNationalType;
}

// Digits, "*" and "#", with one "+" allowed in front.
inline bool isDialString(const QByteArray& number)
{
    for (qsizetype i = 0; i < number.size(); ++i) {
        const char character = number.at(i);
        const bool allowed = (character >= '0' && character <= '9') || character == '*'
                             || character == '#' || (character == '+' && i == 0);
        if (!allowed)
            return false;
    }
    return true;
}

} // namespace s25sim
