#include "gsmalphabet.h"

#include <array>
#include <string_view>

namespace s25sim::gsm {

namespace {

constexpr char kEscape = 27;
constexpr char16_t kNoCharacter = 0xFFFD;

// Code 27 is the escape to the extension table, so its slot holds no character.
constexpr std::u16string_view kBasicTable = u"@£$¥èéùìòÇ\nØø\rÅå"    //   0
                                            u"Δ_ΦΓΛΩΠΨΣΘΞ\uFFFDÆæßÉ" //  16
                                            u" !\"#¤%&'()*+,-./"     //  32
                                            u"0123456789:;<=>?"      //  48
                                            u"¡ABCDEFGHIJKLMNO"      //  64
                                            u"PQRSTUVWXYZÄÖÑÜ§"      //  80
                                            u"¿abcdefghijklmno"      //  96
                                            u"pqrstuvwxyzäöñüà";     // 112
static_assert(kBasicTable.size() == 128);

struct ExtensionCharacter {
    char code;
    char16_t character;
};

constexpr std::array<ExtensionCharacter, 10> kExtensionTable = {{
    {0x0A, u'\f'},
    {0x14, u'^'},
    {0x28, u'{'},
    {0x29, u'}'},
    {0x2F, u'\\'},
    {0x3C, u'['},
    {0x3D, u'~'},
    {0x3E, u']'},
    {0x40, u'|'},
    {0x65, u'€'},
}};

std::optional<QByteArray> codesOf(char16_t character)
{
    for (std::size_t code = 0; code < kBasicTable.size(); ++code) {
        if (kBasicTable[code] == character && character != kNoCharacter)
            return QByteArray(1, static_cast<char>(code));
    }
    for (const ExtensionCharacter& extension : kExtensionTable) {
        if (extension.character == character)
            return QByteArray(1, kEscape) + extension.code;
    }
    return std::nullopt;
}

char16_t extensionCharacter(char code)
{
    for (const ExtensionCharacter& extension : kExtensionTable) {
        if (extension.code == code)
            return extension.character;
    }
    return kNoCharacter;
}

} // namespace

std::optional<QByteArray> encode(const QString& text)
{
    QByteArray codes;
    codes.reserve(text.size());
    for (const QChar character : text) {
        const std::optional<QByteArray> code = codesOf(character.unicode());
        if (!code)
            return std::nullopt;
        codes.append(*code);
    }
    return codes;
}

QString decode(const QByteArray& codes)
{
    QString text;
    text.reserve(codes.size());
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const auto code = static_cast<unsigned char>(codes.at(i));
        if (code >= kBasicTable.size())
            text.append(QChar(kNoCharacter));
        else if (codes.at(i) == kEscape)
            text.append(
                QChar(i + 1 < codes.size() ? extensionCharacter(codes.at(++i)) : kNoCharacter));
        else
            text.append(QChar(kBasicTable[code]));
    }
    return text;
}

} // namespace s25sim::gsm
