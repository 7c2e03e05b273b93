#include "charactersets.h"

#include "gsmalphabet.h"
#include "wiretext.h"

#include <QStringDecoder>

#include <algorithm>

namespace s25sim::charset {

namespace {

const QByteArray kIra = "IRA";
const QByteArray kLatin1 = "8859-1";
const QByteArray kUtf8 = "UTF-8";
const QByteArray kHex = "HEX";
constexpr char kUnknown = '?';

bool isIraCharacter(char16_t character)
{
    return character >= 0x20 && character < 0x7F;
}

bool isLatin1Character(char16_t character)
{
    return character <= 0xFF;
}

QByteArray gsmCodesOrUnknown(const QString& text)
{
    QByteArray codes;
    for (const QChar character : text)
        codes += gsm::encode(character).value_or(QByteArray(1, kUnknown));
    return codes;
}

std::optional<QString> decodeUcs2(const QByteArray& hex)
{
    if (hex.size() % 4 != 0 || !isHexText(hex))
        return std::nullopt;
    QString text;
    for (qsizetype i = 0; i < hex.size(); i += 4)
        text.append(QChar(static_cast<char16_t>(hex.mid(i, 4).toUInt(nullptr, 16))));
    return text;
}

std::optional<QString> decodeUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QString> decodeIra(const QByteArray& bytes)
{
    if (!std::all_of(bytes.begin(), bytes.end(), [](char byte) { return isIraCharacter(byte); }))
        return std::nullopt;
    return QString::fromLatin1(bytes);
}

// HEX carries the codes themselves, two hex digits each, with no conversion.
std::optional<QByteArray> codesFromHex(const QByteArray& hex)
{
    if (hex.size() % 2 != 0 || !isHexText(hex))
        return std::nullopt;
    return QByteArray::fromHex(hex);
}

// One character after another: the set's own form of each, "?" for one it lacks.
QByteArray eachCharacter(const QString& text, const QByteArray& set)
{
    QByteArray sent;
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        if (set == kUcs2)
            sent += QByteArray::number(code, 16).rightJustified(4, '0').toUpper();
        else if (set == kLatin1 ? isLatin1Character(code) : isIraCharacter(code))
            sent += static_cast<char>(code);
        else
            sent += kUnknown;
    }
    return sent;
}

} // namespace

const QList<QByteArray>& names()
{
    static const QList<QByteArray> sets = {kGsm, kIra, kUcs2, kLatin1, kUtf8, kHex};
    return sets;
}

QByteArray fromGsm(const QByteArray& codes, const QByteArray& set)
{
    if (set == kGsm)
        return codes;
    if (set == kHex)
        return codes.toHex().toUpper();
    return fromText(gsm::decode(codes), set);
}

QByteArray fromText(const QString& text, const QByteArray& set)
{
    if (set == kUtf8)
        return text.toUtf8();
    if (set == kGsm)
        return gsmCodesOrUnknown(text);
    if (set == kHex)
        return gsmCodesOrUnknown(text).toHex().toUpper();
    return eachCharacter(text, set);
}

std::optional<QByteArray> toGsm(const QByteArray& sent, const QByteArray& set)
{
    if (set == kGsm)
        return sent;
    if (set == kHex)
        return codesFromHex(sent);
    const std::optional<QString> text = set == kUcs2     ? decodeUcs2(sent)
                                        : set == kUtf8   ? decodeUtf8(sent)
                                        : set == kLatin1 ? QString::fromLatin1(sent)
                                                         : decodeIra(sent);
    return text ? gsm::encode(*text) : std::nullopt;
}

int length(const QByteArray& sent, const QByteArray& codes, const QByteArray& set)
{
    if (set == kUcs2)
        return static_cast<int>(sent.size() / 4);
    if (set == kUtf8)
        return static_cast<int>(QString::fromUtf8(sent).toUcs4().size());
    if (set == kIra || set == kLatin1)
        return static_cast<int>(sent.size());
    return static_cast<int>(codes.size());
}

} // namespace s25sim::charset
