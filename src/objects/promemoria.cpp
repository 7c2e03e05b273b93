#include "promemoria.h"

#include "blocchi.h"
#include "catalogo.h"
#include "codecs.h"

#include <QMap>
#include <QRegularExpression>
#include <QStringConverter>
#include <QStringList>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <memory>
#include <optional>
#include <vector>

#include <iconv.h>

namespace {

const QString FineRiga = QStringLiteral("\r\n");

constexpr int LarghezzaCategoria = 15;
constexpr int LarghezzaRipetizione = 2;
constexpr int LarghezzaNomeRipetizione = 11;
constexpr int LarghezzaDescrizione = 16;
constexpr int LarghezzaData = 10;
constexpr int LarghezzaOra = 8;
constexpr int LarghezzaStamp = 14;

// The value in quoted-printable: each byte of the phone's code page that is not printable ASCII,
// and "=" itself, as "=" and two hex digits. (Values are written without their trailing blanks.)
QString InQuotedPrintable(const QString& valore)
{
    QString testo;
    for (const char byte : CodificaWindows1252(valore)) {
        const auto codice = static_cast<uint8_t>(byte);
        const bool leggibile = codice >= ' ' && codice < 127 && codice != '=';
        testo += leggibile ? QString(QLatin1Char(byte)) : QLatin1Char('=') + ByteInHex(codice);
    }
    return testo;
}

// The line of a property, or nothing when it has no value: a field never written (its NULs) is
// left out, never sent as NUL bytes. A value with a control character of its own (a line break,
// a tab) goes in quoted-printable, so that none of them ends its line or reaches the phone raw.
QString RigaProprieta(const QString& nome, QString valore)
{
    valore.remove(QChar());
    if (valore.isEmpty())
        return {};
    const bool controlli = std::any_of(valore.begin(), valore.end(), [](QChar c) {
        return c.unicode() < u' ' || c.unicode() == 0x7F;
    });
    if (!controlli)
        return nome + QLatin1Char(':') + valore + FineRiga;
    return nome + QStringLiteral(";ENCODING=QUOTED-PRINTABLE:") + InQuotedPrintable(valore)
           + FineRiga;
}

QString Corpo(const QString& categoria, const QString& dataOra, const QString& ripetizione,
              const QString& testo)
{
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n")
           + RigaProprieta(QStringLiteral("CATEGORIES"), categoria)
           + RigaProprieta(QStringLiteral("DALARM"), dataOra)
           + RigaProprieta(QStringLiteral("DTSTART"), dataOra)
           + RigaProprieta(QStringLiteral("RRULE"), ripetizione)
           + RigaProprieta(QStringLiteral("DESCRIPTION"), testo)
           + QStringLiteral("END:VEVENT\r\nEND:VCALENDAR\r\n");
}

// The value of a stored date-time: the stamp's date, "T" and its time, and the "Z" of a time
// given in UTC once its seconds are there; the date alone when the stamp holds no time. The
// blanks that pad a short stamp stay out. Only trailing blanks come off: the date and the time
// sit at fixed places in the stamp.
QString ValoreDataOra(const DataOraProm& dataOra)
{
    const QString stamp = TagliaSpaziFinali(QString(dataOra.Stamp).remove(QChar()));
    const QString ora = stamp.mid(8);
    if (ora.isEmpty())
        return stamp;
    const bool utc = dataOra.Utc && ora.size() == 6;
    return stamp.left(8) + QLatin1Char('T') + ora + (utc ? QStringLiteral("Z") : QString());
}

// One property of a vCalendar text: its name (compared exactly, upper case), the parameters
// between the name and the colon, and the value as written.
struct Proprieta {
    QString nome;
    QStringList parametri;
    QString valore;
};

// Nothing for a line without a colon.
std::optional<Proprieta> ProprietaDaRiga(const QString& riga)
{
    const qsizetype duePunti = riga.indexOf(QLatin1Char(':'));
    if (duePunti < 0)
        return std::nullopt;
    QStringList parametri = riga.left(duePunti).split(QLatin1Char(';'));
    const QString nome = parametri.takeFirst();
    return Proprieta{nome, parametri, riga.mid(duePunti + 1)};
}

// The value of the parameter NOME=valore, its name in any case; empty when it is not there.
QString Parametro(const Proprieta& proprieta, const QString& nome)
{
    const QString prefisso = nome + QLatin1Char('=');
    for (const QString& parametro : proprieta.parametri)
        if (parametro.startsWith(prefisso, Qt::CaseInsensitive))
            return parametro.mid(prefisso.size());
    return {};
}

const QString QuotedPrintable = QStringLiteral("QUOTED-PRINTABLE");
const QString Base64 = QStringLiteral("BASE64");

// The value is in that encoding: ENCODING=<codifica>, or vCalendar's short form that gives the
// encoding alone.
bool InCodifica(const Proprieta& proprieta, const QString& codifica)
{
    return Parametro(proprieta, QStringLiteral("ENCODING")).compare(codifica, Qt::CaseInsensitive)
               == 0
           || proprieta.parametri.contains(codifica, Qt::CaseInsensitive);
}

// One line of a vCalendar text, its folded lines unfolded, and where it lies in the text: from
// `inizio` to `fine`, and to `dopo` with its line break.
struct RigaLogica {
    QString testo;
    qsizetype inizio = 0;
    qsizetype fine = 0;
    qsizetype dopo = 0;
};

// The lines of the text, each line ended by CR LF or by LF alone, with folded lines unfolded:
// a line that begins with a blank or a tab goes on from the line before, with its blank (the
// folding of RFC 822 that vCalendar 1.0 uses), and a quoted-printable soft line break joins
// its two lines. Whether a line is in quoted-printable is known once the colon after its name
// and parameters has come, and is found then, once: each piece of the text is looked at once.
std::vector<RigaLogica> RigheLogiche(const QString& testo)
{
    std::vector<RigaLogica> righe;
    bool duePuntiVisti = false;
    bool quotedPrintable = false;
    for (qsizetype inizio = 0;;) {
        const qsizetype aCapo = testo.indexOf(QLatin1Char('\n'), inizio);
        const qsizetype dopo = aCapo < 0 ? testo.size() : aCapo + 1;
        qsizetype fine = aCapo < 0 ? testo.size() : aCapo;
        if (aCapo > inizio && testo.at(aCapo - 1) == QLatin1Char('\r'))
            --fine;
        const QStringView pezzo = QStringView(testo).mid(inizio, fine - inizio);
        const bool interruzioneMorbida
            = quotedPrintable && righe.back().testo.endsWith(QLatin1Char('='));
        const bool piegata
            = !righe.empty()
              && (pezzo.startsWith(QLatin1Char(' ')) || pezzo.startsWith(QLatin1Char('\t')));
        if (interruzioneMorbida)
            righe.back().testo.chop(1);
        if (interruzioneMorbida || piegata) {
            righe.back().testo += pezzo;
            righe.back().fine = fine;
            righe.back().dopo = dopo;
        } else {
            righe.push_back({pezzo.toString(), inizio, fine, dopo});
            duePuntiVisti = false;
            quotedPrintable = false;
        }
        const qsizetype duePunti = duePuntiVisti ? -1 : pezzo.indexOf(QLatin1Char(':'));
        if (duePunti >= 0) {
            const QString& riga = righe.back().testo;
            const QString intestazione = riga.left(riga.size() - pezzo.size() + duePunti + 1);
            duePuntiVisti = true;
            quotedPrintable = InCodifica(*ProprietaDaRiga(intestazione), QuotedPrintable);
        }
        if (aCapo < 0)
            return righe;
        inizio = dopo;
    }
}

// Each "=" and two hex digits is the byte they give; anything else stays as it is.
QByteArray DaQuotedPrintable(const QByteArray& valore)
{
    const auto esadecimale = [](char c) { return isxdigit(static_cast<unsigned char>(c)) != 0; };
    QByteArray byte;
    for (qsizetype i = 0; i < valore.size(); ++i) {
        const QByteArray cifre = valore.mid(i + 1, 2);
        if (valore.at(i) == '=' && cifre.size() == 2
            && std::all_of(cifre.begin(), cifre.end(), esadecimale)) {
            byte += QByteArray::fromHex(cifre);
            i += 2;
        } else {
            byte += valore.at(i);
        }
    }
    return byte;
}

// The bytes as text in a charset the C library knows; nothing when it knows no charset of that
// name or the bytes are no text in it.
std::optional<QString> ConIconv(const QByteArray& byte, const QString& charset)
{
    // A name only: no path, and none of iconv's own suffixes.
    static const QRegularExpression nome(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9_.:+-]*$"));
    if (!nome.match(charset).hasMatch())
        return std::nullopt;
    const iconv_t conversione = iconv_open("UTF-8", charset.toLatin1().constData());
    if (conversione == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    const std::unique_ptr<void, int (*)(iconv_t)> chiudi(conversione, iconv_close);
    QByteArray ingresso = byte;
    char* da = ingresso.data();
    size_t restano = static_cast<size_t>(ingresso.size());
    QByteArray uscita(4 * ingresso.size() + 16, '\0');
    size_t scritti = 0;
    // The input, then the shift back to the initial state that a stateful charset may need.
    for (bool fine = false;;) {
        char* a = uscita.data() + scritti;
        size_t spazio = static_cast<size_t>(uscita.size()) - scritti;
        const size_t esito = fine ? iconv(conversione, nullptr, nullptr, &a, &spazio)
                                  : iconv(conversione, &da, &restano, &a, &spazio);
        scritti = static_cast<size_t>(a - uscita.data());
        if (esito == static_cast<size_t>(-1)) {
            if (errno != E2BIG)
                return std::nullopt;
            uscita.resize(2 * uscita.size());
        } else if (fine) {
            break;
        } else {
            fine = true;
        }
    }
    return QString::fromUtf8(uscita.constData(), static_cast<qsizetype>(scritti));
}

// The bytes as text in the named charset; in the phone's own code page when the line names
// none, or one that nothing here knows.
QString NelCharset(const QByteArray& byte, const QString& charset)
{
    if (charset.isEmpty())
        return DecodificaWindows1252(byte);
    if (const std::optional<QStringConverter::Encoding> codifica
        = QStringConverter::encodingForName(charset.toLatin1().constData())) {
        QStringDecoder decodifica(*codifica);
        return decodifica(byte);
    }
    return ConIconv(byte, charset).value_or(DecodificaWindows1252(byte));
}

// The text of a value: its quoted-printable or base64 decoded and its charset applied, where the
// line gives them. The text came from the phone's bytes in its code page, which gives them back.
QString Valore(const Proprieta& proprieta)
{
    const QString charset = Parametro(proprieta, QStringLiteral("CHARSET"));
    const bool quotedPrintable = InCodifica(proprieta, QuotedPrintable);
    const bool base64 = InCodifica(proprieta, Base64);
    if (!quotedPrintable && !base64 && charset.isEmpty())
        return proprieta.valore;
    QByteArray byte = CodificaWindows1252(proprieta.valore);
    if (quotedPrintable)
        byte = DaQuotedPrintable(byte);
    else if (base64)
        byte = QByteArray::fromBase64(byte);
    return NelCharset(byte, charset);
}

} // namespace

QString ValoreCampo(QString campo)
{
    return TagliaSpazi(campo.remove(QChar()));
}

QString CampoFisso(const QString& valore, int larghezza)
{
    return valore.left(larghezza).leftJustified(larghezza, QLatin1Char(' '));
}

bool PromUsato(const ::Promemoria& prom)
{
    return !prom.Descrizione.isEmpty() && prom.Descrizione.at(0) != QChar();
}

void SvuotaSlot(::Promemoria& prom)
{
    prom.Descrizione = QString(LarghezzaDescrizione, QChar());
    prom.Originale.clear();
    prom.Rifiutato = false;
}

void SvuotaProm(TabellaProm& tabella)
{
    for (size_t k = 1; k < tabella.size(); ++k)
        SvuotaSlot(tabella[k]);
}

QString CodificaVCalendar(const QString& data, const QString& ora, const QString& testo,
                          const QString& categoria, const QString& ripetizione)
{
    return Corpo(categoria, data + QLatin1Char('T') + ora, ripetizione, testo);
}

QString CodificaVCalendarDaRecord(const ::Promemoria& prom)
{
    if (!prom.Originale.isEmpty())
        return prom.Originale;
    const QString dataOra = ValoreDataOra(prom.Inizio);
    // A field of NULs or blanks carries no rule.
    const bool ricorrente = !prom.Ripetizione.isEmpty() && prom.Ripetizione.at(0).unicode() > 33;
    return Corpo(ValoreCampo(prom.Categoria), dataOra,
                 ricorrente ? ValoreCampo(prom.Ripetizione) : QString(),
                 ValoreCampo(prom.Descrizione));
}

DataOraProm DecodificaDataVCalendar(const QString& valore)
{
    DataOraProm dataOra;
    dataOra.Stamp = CampoFisso(valore.left(8) + valore.mid(9, 6), LarghezzaStamp);
    dataOra.Data = CampoFisso(valore.mid(6, 2) + QLatin1Char('/') + valore.mid(4, 2)
                                  + QLatin1Char('/') + valore.left(4),
                              LarghezzaData);
    dataOra.Ora = CampoFisso(valore.mid(9, 2) + QLatin1Char('.') + valore.mid(11, 2)
                                 + QLatin1Char(':') + valore.mid(13, 2),
                             LarghezzaOra);
    dataOra.Utc = valore.mid(15, 1).compare(QLatin1String("Z"), Qt::CaseInsensitive) == 0;
    return dataOra;
}

::Promemoria DecodificaVCalendar(const QString& testo)
{
    // A new record has every field all NULs: a field without its line stays so.
    ::Promemoria prom;
    // The last SUMMARY, DUE and AALARM values.
    QMap<QString, QString> sostituti;
    for (const RigaLogica& riga : RigheLogiche(testo)) {
        const std::optional<Proprieta> proprieta = ProprietaDaRiga(riga.testo);
        if (!proprieta)
            continue;
        const QString& nome = proprieta->nome;
        // A NUL is no character of a text: in a field it means "never written".
        const QString valore = Valore(*proprieta).remove(QChar());
        if (nome == QLatin1String("CATEGORIES"))
            prom.Categoria = CampoFisso(valore, LarghezzaCategoria);
        else if (nome == QLatin1String("DALARM"))
            prom.Allarme = DecodificaDataVCalendar(valore);
        else if (nome == QLatin1String("DTSTART"))
            prom.Inizio = DecodificaDataVCalendar(valore);
        else if (nome == QLatin1String("RRULE"))
            prom.Ripetizione = CampoFisso(valore, LarghezzaRipetizione);
        else if (nome == QLatin1String("DESCRIPTION"))
            prom.Descrizione = CampoFisso(valore, LarghezzaDescrizione);
        else if (nome == QLatin1String("SUMMARY") || nome == QLatin1String("DUE")
                 || nome == QLatin1String("AALARM"))
            sostituti.insert(nome, valore);
    }
    // What other calendars give in place of a line the phone writes: the text as a summary
    // alone, a to-do's due time for its start, an audible alarm for the alarm.
    const auto manca = [&sostituti](const QString& campo, const char* sostituto) {
        return ValoreCampo(campo).isEmpty() && !sostituti.value(QLatin1String(sostituto)).isEmpty();
    };
    if (manca(prom.Descrizione, "SUMMARY"))
        prom.Descrizione
            = CampoFisso(sostituti.value(QStringLiteral("SUMMARY")), LarghezzaDescrizione);
    if (manca(prom.Inizio.Stamp, "DUE"))
        prom.Inizio = DecodificaDataVCalendar(sostituti.value(QStringLiteral("DUE")));
    if (manca(prom.Allarme.Stamp, "AALARM"))
        prom.Allarme = DecodificaDataVCalendar(sostituti.value(QStringLiteral("AALARM")));
    prom.RipetizioneTesto = CampoFisso(NomeRipetizione(prom.Ripetizione), LarghezzaNomeRipetizione);
    return prom;
}

::Promemoria PromDaTelefono(const QString& testo)
{
    ::Promemoria prom = DecodificaVCalendar(testo);
    if (testo.isEmpty())
        return prom;
    if (!PromUsato(prom))
        prom.Descrizione = CampoFisso({}, LarghezzaDescrizione);
    prom.Originale = testo;
    return prom;
}

QString NomeRipetizione(const QString& codice)
{
    if (codice == QLatin1String("D1"))
        return Msg(380);
    if (codice == QLatin1String("D7") || codice == QLatin1String("W1"))
        return Msg(381);
    if (codice == QLatin1String("Y1"))
        return Msg(382);
    return Msg(383);
}
