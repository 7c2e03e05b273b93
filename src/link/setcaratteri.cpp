#include "setcaratteri.h"

#include "campirisposta.h"
#include "codecs.h"

#include <QSet>
#include <QStringDecoder>
#include <QStringList>

#include <array>

namespace {

const QLatin1String PrefissoSet("+CSCS:");
constexpr qsizetype CifrePerUnita = 4;
constexpr char16_t PrimoIRA = 0x20;
constexpr char16_t UltimoIRA = 0x7E;
constexpr char32_t UltimoLatin1 = 0xFF;
constexpr char32_t UltimoBMP = 0xFFFF;
constexpr char CarattereSostitutivo = '?';

struct NomeSet {
    const char* nome;
    SetCaratteri set;
};

// "UTF8" is how some modules spell the set.
constexpr std::array<NomeSet, 6> SetNoti{{
    {"GSM", SetCaratteri::GSM},
    {"IRA", SetCaratteri::IRA},
    {"UCS2", SetCaratteri::UCS2},
    {"8859-1", SetCaratteri::Latin1},
    {"UTF-8", SetCaratteri::UTF8},
    {"UTF8", SetCaratteri::UTF8},
}};

std::optional<SetCaratteri> SetDalNome(const QString& nome)
{
    for (const NomeSet& noto : SetNoti)
        if (nome.compare(QLatin1String(noto.nome), Qt::CaseInsensitive) == 0)
            return noto.set;
    return std::nullopt;
}

// A surrogate that is not one half of a pair is no character.
bool UTF16Valido(const QString& testo)
{
    for (qsizetype i = 0; i < testo.size(); ++i) {
        if (testo.at(i).isHighSurrogate() && i + 1 < testo.size()
            && testo.at(i + 1).isLowSurrogate())
            ++i;
        else if (testo.at(i).isSurrogate())
            return false;
    }
    return true;
}

std::optional<QString> DaUCS2(QStringView hex)
{
    if (hex.size() % CifrePerUnita != 0 || (!hex.isEmpty() && !SoloCifreEsadecimali(hex)))
        return std::nullopt;
    QString testo;
    testo.reserve(hex.size() / CifrePerUnita);
    for (qsizetype i = 0; i < hex.size(); i += CifrePerUnita)
        testo.append(QChar(static_cast<char16_t>(hex.mid(i, CifrePerUnita).toUInt(nullptr, 16))));
    if (!UTF16Valido(testo))
        return std::nullopt;
    return testo;
}

std::optional<QString> DaUTF8(const QByteArray& byte)
{
    QStringDecoder decodificatore(QStringDecoder::Utf8,
                                  QStringDecoder::Flag::Stateless
                                      | QStringDecoder::Flag::ConvertInitialBom);
    QString testo = decodificatore.decode(byte);
    if (decodificatore.hasError())
        return std::nullopt;
    return testo;
}

bool CarattereIRA(char32_t carattere)
{
    return carattere >= PrimoIRA && carattere <= UltimoIRA;
}

// GSM codes are 7-bit, and an escape starts an extension character: a byte above 127, or an
// escape before no extension code, makes no GSM text. Such codes read as characters that would
// go back as other codes, so the name read would be another than the phone's.
std::optional<QString> DaGSM(const QString& grezzo)
{
    QString testo = ConvertiTestoGSM(grezzo);
    if (CodificaTestoGSM(testo) != CodificaWindows1252(grezzo))
        return std::nullopt;
    return testo;
}

std::optional<QString> DaIRA(const QString& grezzo)
{
    for (const QChar c : grezzo)
        if (!CarattereIRA(c.unicode()))
            return std::nullopt;
    return grezzo;
}

bool Scrivibile(char32_t carattere, SetCaratteri set)
{
    switch (set) {
    case SetCaratteri::GSM:
        return carattere <= UltimoBMP && CarattereGSM(QChar(static_cast<char16_t>(carattere)));
    case SetCaratteri::IRA:
        return CarattereIRA(carattere);
    case SetCaratteri::Latin1:
        return carattere <= UltimoLatin1;
    case SetCaratteri::UCS2:
        return carattere <= UltimoBMP;
    case SetCaratteri::UTF8:
        return true;
    case SetCaratteri::Ignoto:
        break;
    }
    return false;
}

// A letter as the user is told of it: itself, or its code when it shows nothing of its own (a
// control, a blank other than the space, a format mark such as U+FEFF, which a string built from
// it would even drop as a byte-order mark).
QString LetteraMostrata(char32_t carattere)
{
    if (carattere == u' ' || (QChar::isPrint(carattere) && !QChar::isSpace(carattere)))
        return QStringView(QChar::fromUcs4(carattere)).toString();
    return QStringLiteral("U+%1").arg(uint(carattere), 4, 16, QLatin1Char('0')).toUpper();
}

// Each letter of the text that `scrivibile` refuses, once, in their order, with a blank between
// them; a set of those seen keeps the work linear in the text.
template <class Scrivibile>
QString LettereRifiutate(const QString& testo, Scrivibile scrivibile)
{
    QSet<char32_t> viste;
    QStringList lettere;
    for (const char32_t carattere : testo.toUcs4()) {
        if (scrivibile(carattere) || viste.contains(carattere))
            continue;
        viste.insert(carattere);
        lettere << LetteraMostrata(carattere);
    }
    return lettere.join(QLatin1Char(' '));
}

QByteArray InUCS2(const QString& testo)
{
    QByteArray hex;
    for (const char32_t carattere : testo.toUcs4()) {
        const auto unita = static_cast<uint16_t>(
            Scrivibile(carattere, SetCaratteri::UCS2) ? carattere : char32_t(CarattereSostitutivo));
        hex += QByteArray::number(unita, 16).rightJustified(CifrePerUnita, '0').toUpper();
    }
    return hex;
}

// A byte per character, for the sets whose characters are their own bytes.
QByteArray InByte(const QString& testo, SetCaratteri set)
{
    QByteArray byte;
    for (const char32_t carattere : testo.toUcs4())
        byte += Scrivibile(carattere, set) ? static_cast<char>(carattere) : CarattereSostitutivo;
    return byte;
}

bool SoloCifreDiNumero(const QString& testo)
{
    for (const QChar c : testo)
        if ((c < u'0' || c > u'9') && c != u'+' && c != u'*' && c != u'#')
            return false;
    return !testo.isEmpty();
}

// A set's name, quoted or bare, or in UCS2 hex as a phone in UCS2 may give it; none from a quote
// that is not closed, as in a reply cut short.
QString NomeDelSet(const QString& campo)
{
    QString nome = SenzaVirgolette(campo);
    const std::optional<QString> inUCS2 = DaUCS2(nome);
    if (!SetDalNome(nome) && inUCS2 && DaIRA(*inUCS2))
        nome = *inUCS2;
    return nome.contains(u'"') ? QString() : nome;
}

std::optional<QString> DecodificaNelSet(const QString& grezzo, SetCaratteri set)
{
    switch (set) {
    case SetCaratteri::GSM:
        return DaGSM(grezzo);
    case SetCaratteri::IRA:
        return DaIRA(grezzo);
    case SetCaratteri::Latin1:
        return QString::fromLatin1(CodificaWindows1252(grezzo));
    case SetCaratteri::UTF8:
        return DaUTF8(CodificaWindows1252(grezzo));
    case SetCaratteri::UCS2:
        return DaUCS2(grezzo);
    case SetCaratteri::Ignoto:
        break;
    }
    return std::nullopt;
}

} // namespace

SetCaratteri SetDaRisposta(const QString& corpo, QString* nome)
{
    // Lines may end in LF alone, and blanks about the fields be tabs.
    for (const QStringView riga : QStringView(corpo).split(u'\n')) {
        const QStringView testo = riga.trimmed();
        if (!testo.startsWith(PrefissoSet, Qt::CaseInsensitive))
            continue;
        const QStringList campi = DividiCampi(testo.mid(PrefissoSet.size()).trimmed());
        const QString dato = campi.isEmpty() ? QString() : NomeDelSet(campi.first());
        if (nome)
            *nome = dato;
        return SetDalNome(dato).value_or(SetCaratteri::Ignoto);
    }
    if (nome)
        nome->clear();
    return SetCaratteri::Ignoto;
}

std::optional<QString> DecodificaTestoAT(const QString& grezzo, SetCaratteri set)
{
    if (grezzo.isEmpty())
        return grezzo;
    std::optional<QString> testo = DecodificaNelSet(grezzo, set);
    // A NUL (a UCS2 unit 0000, a zero byte) is no character of a text in any set.
    if (testo && testo->contains(QChar(u'\0')))
        return std::nullopt;
    return testo;
}

QByteArray CodificaTestoAT(const QString& testo, SetCaratteri set)
{
    switch (set) {
    case SetCaratteri::GSM:
        return CodificaTestoGSM(testo);
    case SetCaratteri::IRA:
    case SetCaratteri::Latin1:
        return InByte(testo, set);
    case SetCaratteri::UTF8:
        return testo.toUtf8();
    case SetCaratteri::UCS2:
        return InUCS2(testo);
    case SetCaratteri::Ignoto:
        break;
    }
    return {};
}

QString LettereNonScrivibili(const QString& testo, SetCaratteri set)
{
    return LettereRifiutate(testo, [set](char32_t c) { return Scrivibile(c, set); });
}

QString LettereNonInFile(const QString& testo)
{
    return LettereRifiutate(testo, [](char32_t c) {
        return c <= UltimoBMP && ByteDaCarattere(QChar(static_cast<char16_t>(c))) >= 0;
    });
}

QString NumeroDaTestoAT(const QString& numero, SetCaratteri set)
{
    if (set != SetCaratteri::UCS2)
        return numero;
    const std::optional<QString> decodificato = DaUCS2(numero);
    return decodificato && SoloCifreDiNumero(*decodificato) ? *decodificato : numero;
}
