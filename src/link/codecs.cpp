#include "codecs.h"

#include <cstddef>
#include <optional>

std::array<QChar, 129> AlfabetoGSM;

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F.
constexpr uint8_t PrimoByteDiverso = 0x80;
constexpr uint8_t UltimoByteDiverso = 0x9F;
constexpr std::array<char16_t, 32> Windows1252Da80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

constexpr char CarattereSostitutivo = '?';

// A character beyond U+FFFF takes two UTF-16 units but is still one character to replace.
bool IniziaCoppiaSurrogata(const QString& testo, qsizetype indice)
{
    return testo.at(indice).isHighSurrogate() && indice + 1 < testo.size()
           && testo.at(indice + 1).isLowSurrogate();
}

// The last pair's index is n / 2 - 1 rounded half to even, so a lone final digit counts only when
// the whole pairs before it are even in number.
qsizetype NumeroCoppie(qsizetype lunghezza)
{
    const qsizetype coppieIntere = lunghezza / 2;
    const bool cifraFinaleLetta = lunghezza % 2 == 1 && coppieIntere % 2 == 0;
    return cifraFinaleLetta ? coppieIntere + 1 : coppieIntere;
}

// Read like a hexadecimal number: the leading digits count and a pair that starts with no digit
// is 0.
uint8_t ValoreCoppia(const QString& hex, qsizetype coppia)
{
    const qsizetype inizio = coppia * 2;
    const int alta = ValoreCifraHex(hex.at(inizio));
    if (alta < 0)
        return 0;
    const int bassa = inizio + 1 < hex.size() ? ValoreCifraHex(hex.at(inizio + 1)) : -1;
    return static_cast<uint8_t>(bassa < 0 ? alta : alta * 16 + bassa);
}

constexpr int CodiceEscape = 27;

// GSM 03.38 default alphabet; code 27 is the escape to the extension table, not a character.
constexpr char16_t AlfabetoStandard[] = u"@£$¥èéùìòÇ\nØø\rÅå" // 0-15
                                        u"Δ_ΦΓΛΩΠΨΣΘΞ"
                                        u"\x1B"
                                        u"ÆæßÉ"              // 16-31
                                        u" !\"#¤%&'()*+,-./" // 32-47
                                        u"0123456789:;<=>?"  // 48-63
                                        u"¡ABCDEFGHIJKLMNO"  // 64-79
                                        u"PQRSTUVWXYZÄÖÑÜ§"  // 80-95
                                        u"¿abcdefghijklmno"  // 96-111
                                        u"pqrstuvwxyzäöñüà"; // 112-127
constexpr int CodiciStandard = 128;
static_assert(sizeof AlfabetoStandard / sizeof AlfabetoStandard[0] == CodiciStandard + 1);

struct CarattereEsteso {
    uint8_t codice; // the code that follows the escape
    char16_t carattere;
};

constexpr std::array<CarattereEsteso, 10> TabellaEstensione = {{
    {10, u'\f'},
    {20, u'^'},
    {40, u'{'},
    {41, u'}'},
    {47, u'\\'},
    {60, u'['},
    {61, u'~'},
    {62, u']'},
    {64, u'|'},
    {101, u'€'},
}};

// An escape that starts no pair (at the end of a text, or before another escape) has no
// character of its own: it shows as a space, as GSM 03.38 shows the escape it reserves.
constexpr char16_t EscapeSenzaSeguito = u' ';

const CarattereEsteso* Estensione(int codice)
{
    for (const CarattereEsteso& esteso : TabellaEstensione) {
        if (esteso.codice == codice)
            return &esteso;
    }
    return nullptr;
}

// The character that the escape at this index and the code after it show, if they make a pair:
// the extension character, or, for a code with no extension meaning, that code's own character
// (GSM 03.38 asks a receiver to fall back on the basic table).
std::optional<QChar> CoppiaConEscape(const QString& codici, qsizetype indice)
{
    if (indice + 1 >= codici.size())
        return std::nullopt;
    const int seguente = ByteDaCarattere(codici.at(indice + 1));
    if (const CarattereEsteso* esteso = Estensione(seguente))
        return QChar(esteso->carattere);
    if (seguente < 0 || seguente >= CodiciStandard || seguente == CodiceEscape)
        return std::nullopt;
    return AlfabetoGSM[std::size_t(seguente)];
}

// How a character is sent: a code 0-127, a code of the extension table marked with
// EscapeDavanti, or NessunCodice.
constexpr int NessunCodice = -1;
constexpr int EscapeDavanti = 0x100;

constexpr int CodiceGSM(char16_t carattere)
{
    for (int codice = 0; codice < CodiciStandard; ++codice) {
        if (codice != CodiceEscape && AlfabetoStandard[codice] == carattere)
            return codice;
    }
    for (const CarattereEsteso& esteso : TabellaEstensione) {
        if (esteso.carattere == carattere)
            return EscapeDavanti | esteso.codice;
    }
    return NessunCodice;
}

// Nearly every character of a text is Latin-1, so their codes are worked out once, at compile
// time; the few others (the Greek capitals, the euro) are searched for.
constexpr std::array<int16_t, 256> CalcolaCodiciLatin1()
{
    std::array<int16_t, 256> codici{};
    for (std::size_t carattere = 0; carattere < codici.size(); ++carattere)
        codici[carattere] = static_cast<int16_t>(CodiceGSM(static_cast<char16_t>(carattere)));
    return codici;
}

constexpr std::array<int16_t, 256> CodiciLatin1 = CalcolaCodiciLatin1();

int CodiceGSMDi(QChar carattere)
{
    const char16_t c = carattere.unicode();
    return c < CodiciLatin1.size() ? CodiciLatin1[c] : CodiceGSM(c);
}

// A byte an AT string cannot carry as it is: it would end the line, the string or the escape.
bool DaProteggere(uint8_t byte)
{
    return byte < 0x20 || byte == '"' || byte == '\\' || byte == 0x7F;
}

QChar CifraEsadecimale(int valore)
{
    return QLatin1Char("0123456789ABCDEF"[valore & 0xF]);
}

} // namespace

int ValoreCifraHex(QChar carattere)
{
    const char16_t c = carattere.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

QChar CarattereDaByte(uint8_t byte)
{
    if (byte >= PrimoByteDiverso && byte <= UltimoByteDiverso)
        return QChar(Windows1252Da80[byte - PrimoByteDiverso]);
    return QChar(byte);
}

int ByteDaCarattere(QChar carattere)
{
    const char16_t c = carattere.unicode();
    if (c < PrimoByteDiverso || (c > UltimoByteDiverso && c <= 0xFF))
        return c;
    // Only the 32 characters of the differing bytes are left to search.
    for (std::size_t i = 0; i < Windows1252Da80.size(); ++i) {
        if (Windows1252Da80[i] == c)
            return PrimoByteDiverso + int(i);
    }
    return -1;
}

QString DecodificaWindows1252(const QByteArray& bytes)
{
    QString testo;
    testo.reserve(bytes.size());
    for (const char byte : bytes)
        testo.append(CarattereDaByte(static_cast<uint8_t>(byte)));
    return testo;
}

QByteArray CodificaWindows1252(const QString& testo)
{
    QByteArray bytes;
    bytes.reserve(testo.size());
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const int byte = ByteDaCarattere(testo.at(i));
        bytes.append(byte < 0 ? CarattereSostitutivo : static_cast<char>(byte));
        if (IniziaCoppiaSurrogata(testo, i))
            ++i;
    }
    return bytes;
}

QString CodificaStringaAT(const QByteArray& byte)
{
    QString testo;
    testo.reserve(byte.size() + 2);
    testo += QLatin1Char('"');
    for (const char carattere : byte) {
        const auto valore = static_cast<uint8_t>(carattere);
        if (DaProteggere(valore))
            testo += QLatin1Char('\\') + CifraEsadecimale(valore >> 4) + CifraEsadecimale(valore);
        else
            testo += CarattereDaByte(valore); // the line's character for the byte
    }
    testo += QLatin1Char('"');
    return testo;
}

QString SenzaEscape(QStringView testo)
{
    QString risultato;
    risultato.reserve(testo.size());
    for (qsizetype i = 0; i < testo.size(); ++i) {
        if (testo.at(i) == u'\\' && i + 2 < testo.size()) {
            const int alta = ValoreCifraHex(testo.at(i + 1));
            const int bassa = ValoreCifraHex(testo.at(i + 2));
            const int byte = alta * 16 + bassa;
            if (alta >= 0 && bassa >= 0 && DaProteggere(static_cast<uint8_t>(byte))) {
                risultato.append(CarattereDaByte(static_cast<uint8_t>(byte)));
                i += 2;
                continue;
            }
        }
        risultato.append(testo.at(i));
    }
    return risultato;
}

QString HexInTesto(const QString& hex)
{
    const qsizetype coppie = NumeroCoppie(hex.size());
    QString testo;
    testo.reserve(coppie);
    for (qsizetype coppia = 0; coppia < coppie; ++coppia)
        testo.append(CarattereDaByte(ValoreCoppia(hex, coppia)));
    return testo;
}

void HexInByte(const QString& hex, QByteArray& bytes)
{
    const qsizetype coppie = NumeroCoppie(hex.size());
    // The element after the last pair stays 0: callers that index the octets by position rely on
    // it, the others take only the pairs.
    bytes = QByteArray(coppie + 1, '\0');
    for (qsizetype coppia = 0; coppia < coppie; ++coppia)
        bytes[coppia] = static_cast<char>(ValoreCoppia(hex, coppia));
}

void InitAlfabetoGSM()
{
    for (std::size_t codice = 0; codice < CodiciStandard; ++codice)
        AlfabetoGSM[codice] = QChar(AlfabetoStandard[codice]);
    AlfabetoGSM[CodiceEscape] = QChar(EscapeSenzaSeguito);
}

QString ConvertiTestoGSM(const QString& codici)
{
    QString testo;
    testo.reserve(codici.size());
    for (qsizetype i = 0; i < codici.size(); ++i) {
        const int codice = ByteDaCarattere(codici.at(i));
        if (codice == CodiceEscape) {
            if (const std::optional<QChar> coppia = CoppiaConEscape(codici, i)) {
                testo.append(*coppia);
                ++i;
                continue;
            }
        }
        if (codice >= 0 && codice < int(AlfabetoGSM.size()))
            testo.append(AlfabetoGSM[std::size_t(codice)]);
    }
    return testo;
}

QByteArray CodificaTestoGSM(const QString& testo)
{
    QByteArray codici;
    codici.reserve(testo.size());
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const int codice = CodiceGSMDi(testo.at(i));
        if (codice == NessunCodice) {
            codici.append(CarattereSostitutivo); // '?' has the same code in GSM and ASCII
        } else if (codice & EscapeDavanti) {
            codici.append(static_cast<char>(CodiceEscape));
            codici.append(static_cast<char>(codice & ~EscapeDavanti));
        } else {
            codici.append(static_cast<char>(codice));
        }
        if (IniziaCoppiaSurrogata(testo, i))
            ++i;
    }
    return codici;
}

bool CarattereGSM(QChar carattere)
{
    return CodiceGSMDi(carattere) != NessunCodice;
}

QString TestoEntroCodiciGSM(const QString& testo, qsizetype limite)
{
    qsizetype codici = 0;
    qsizetype fine = 0;
    while (fine < testo.size()) {
        const int codice = CodiceGSMDi(testo.at(fine));
        const qsizetype passo = codice != NessunCodice && (codice & EscapeDavanti) ? 2 : 1;
        if (codici + passo > limite)
            break;
        codici += passo;
        fine += IniziaCoppiaSurrogata(testo, fine) ? 2 : 1;
    }
    return testo.left(fine);
}

QString TagliaSpazi(const QString& testo)
{
    qsizetype inizio = 0;
    while (inizio < testo.size() && testo.at(inizio) == u' ')
        ++inizio;
    return TagliaSpaziFinali(testo.mid(inizio));
}

QString TagliaSpaziFinali(const QString& testo)
{
    qsizetype fine = testo.size();
    while (fine > 0 && testo.at(fine - 1) == u' ')
        --fine;
    return testo.left(fine);
}
