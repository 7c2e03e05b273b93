#include "promemoria.h"

#include "blocchi.h"
#include "catalogo.h"
#include "codecs.h"

#include <QDateTime>
#include <QMap>
#include <QRegularExpression>
#include <QStringConverter>
#include <QStringList>
#include <QTimeZone>

#include <algorithm>
#include <array>
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

const QString Categorie = QStringLiteral("CATEGORIES");
const QString AllarmeDelTelefono = QStringLiteral("DALARM");
const QString Inizio = QStringLiteral("DTSTART");
const QString Ripetizione = QStringLiteral("RRULE");
const QString Descrizione = QStringLiteral("DESCRIPTION");
const QString Sommario = QStringLiteral("SUMMARY");
const QString Scadenza = QStringLiteral("DUE");
const QString AllarmeSonoro = QStringLiteral("AALARM");

// The properties of the phone's own entries, in the order it writes them.
const std::array<QString, 5> OrdineDelTelefono{Categorie, AllarmeDelTelefono, Inizio, Ripetizione,
                                               Descrizione};
// The alarms of vCalendar 1.0, each with its time first in its value.
const std::array<QString, 4> Allarmi{AllarmeSonoro, AllarmeDelTelefono, QStringLiteral("MALARM"),
                                     QStringLiteral("PALARM")};

// The bytes in quoted-printable: each byte that is not printable ASCII, and "=" itself, as "="
// and two hex digits. (Values are written without their trailing blanks.)
QString InQuotedPrintable(const QByteArray& byte)
{
    QString testo;
    for (const char c : byte) {
        const auto codice = static_cast<uint8_t>(c);
        const bool leggibile = codice >= ' ' && codice < 127 && codice != '=';
        testo += leggibile ? QString(QLatin1Char(c)) : QLatin1Char('=') + ByteInHex(codice);
    }
    return testo;
}

bool HaControlli(const QByteArray& byte)
{
    return std::any_of(byte.begin(), byte.end(), [](char c) {
        const auto codice = static_cast<uint8_t>(c);
        return codice < ' ' || codice == 0x7F;
    });
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
const QString Codifica = QStringLiteral("ENCODING");

// The value is in that encoding: ENCODING=<codifica>, or vCalendar's short form that gives the
// encoding alone.
bool InCodifica(const Proprieta& proprieta, const QString& codifica)
{
    return Parametro(proprieta, Codifica).compare(codifica, Qt::CaseInsensitive) == 0
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

// A charset's name only: no path, and none of iconv's own suffixes.
bool NomeDiCharset(const QString& charset)
{
    static const QRegularExpression nome(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9_.:+-]*$"));
    return nome.match(charset).hasMatch();
}

// The bytes from one charset to another through the C library; nothing when it knows one of
// them not, or the bytes are no text in the first.
std::optional<QByteArray> ConIconv(const QByteArray& byte, const QString& da, const QString& a)
{
    const iconv_t conversione = iconv_open(a.toLatin1().constData(), da.toLatin1().constData());
    if (conversione == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    const std::unique_ptr<void, int (*)(iconv_t)> chiudi(conversione, iconv_close);
    QByteArray ingresso = byte;
    char* daLeggere = ingresso.data();
    size_t restano = static_cast<size_t>(ingresso.size());
    QByteArray uscita(4 * ingresso.size() + 16, '\0');
    size_t scritti = 0;
    // The input, then the shift back to the initial state that a stateful charset may need.
    for (bool fine = false;;) {
        char* daScrivere = uscita.data() + scritti;
        size_t spazio = static_cast<size_t>(uscita.size()) - scritti;
        const size_t esito = fine ? iconv(conversione, nullptr, nullptr, &daScrivere, &spazio)
                                  : iconv(conversione, &daLeggere, &restano, &daScrivere, &spazio);
        scritti = static_cast<size_t>(daScrivere - uscita.data());
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
    uscita.truncate(static_cast<qsizetype>(scritti));
    return uscita;
}

const QString Utf8 = QStringLiteral("UTF-8");

std::optional<QStringConverter::Encoding> CodificaDiQt(const QString& charset)
{
    return QStringConverter::encodingForName(charset.toLatin1().constData());
}

// The bytes as text in the named charset: in the phone's own code page when the line names
// none, or one that nothing here knows, or when the bytes are no text in it.
QString NelCharset(const QByteArray& byte, const QString& charset)
{
    if (charset.isEmpty())
        return DecodificaWindows1252(byte);
    if (const std::optional<QStringConverter::Encoding> codifica = CodificaDiQt(charset)) {
        QStringDecoder decodifica(*codifica);
        return decodifica(byte);
    }
    const std::optional<QByteArray> utf8
        = NomeDiCharset(charset) ? ConIconv(byte, charset, Utf8) : std::nullopt;
    return utf8 ? QString::fromUtf8(*utf8) : DecodificaWindows1252(byte);
}

// The text as bytes in the named charset, so that NelCharset reads it back: a character the
// charset lacks becomes the nearest it has, or "?".
QByteArray InCharset(const QString& testo, const QString& charset)
{
    if (charset.isEmpty())
        return CodificaWindows1252(testo);
    if (const std::optional<QStringConverter::Encoding> codifica = CodificaDiQt(charset)) {
        QStringEncoder codificatore(*codifica);
        return codificatore(testo);
    }
    const std::optional<QByteArray> byte
        = NomeDiCharset(charset)
              ? ConIconv(testo.toUtf8(), Utf8, charset + QStringLiteral("//TRANSLIT"))
              : std::nullopt;
    return byte.value_or(CodificaWindows1252(testo));
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

// The line of a property with this value: its name and parameters as the property has them, the
// value in their encoding and charset, as Valore reads it back. A value whose bytes hold a
// control byte of its own (a line break, a tab) goes in quoted-printable, so that none of them
// ends its line or reaches the phone raw.
QString RigaConValore(const Proprieta& proprieta, const QString& valore)
{
    const QByteArray byte = InCharset(valore, Parametro(proprieta, QStringLiteral("CHARSET")));
    QStringList intestazione = QStringList{proprieta.nome} + proprieta.parametri;
    QString scritto;
    if (InCodifica(proprieta, QuotedPrintable)) {
        scritto = InQuotedPrintable(byte);
    } else if (InCodifica(proprieta, Base64)) {
        scritto = QString::fromLatin1(byte.toBase64());
    } else if (HaControlli(byte)) {
        intestazione.removeIf([](const QString& parametro) {
            return parametro.startsWith(Codifica + QLatin1Char('='), Qt::CaseInsensitive);
        });
        intestazione << Codifica + QLatin1Char('=') + QuotedPrintable;
        scritto = InQuotedPrintable(byte);
    } else {
        scritto = DecodificaWindows1252(byte);
    }
    return intestazione.join(QLatin1Char(';')) + QLatin1Char(':') + scritto;
}

// The line of a new property, or nothing when it has no value: a field never written (its NULs)
// is left out, never sent as NUL bytes.
QString RigaProprieta(const QString& nome, QString valore)
{
    valore.remove(QChar());
    return valore.isEmpty() ? QString() : RigaConValore({nome, {}, {}}, valore) + FineRiga;
}

QString Corpo(const QString& categoria, const QString& dataOra, const QString& ripetizione,
              const QString& testo)
{
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n")
           + RigaProprieta(Categorie, categoria) + RigaProprieta(AllarmeDelTelefono, dataOra)
           + RigaProprieta(Inizio, dataOra) + RigaProprieta(Ripetizione, ripetizione)
           + RigaProprieta(Descrizione, testo) + QStringLiteral("END:VEVENT\r\nEND:VCALENDAR\r\n");
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

QString DueCifre(const QString& valore)
{
    return valore.rightJustified(2, QLatin1Char('0'));
}

// The start the dialog gives, as a vCalendar date-time.
QString DataOraDelDialogo(const ValoriProm& v)
{
    return v.anno + DueCifre(v.mese) + DueCifre(v.giorno) + QLatin1Char('T') + DueCifre(v.ora)
           + DueCifre(v.minuto) + DueCifre(v.secondo) + (v.utc ? QStringLiteral("Z") : QString());
}

// The value with each character outside the BMP as U+FFFD: a date-time's figures are taken by
// their places, and such a character, one byte on its way to the phone, must take one place, or
// a date-time sent back would read with its time moved into its date.
QString UnCarattereAPosto(const QString& valore)
{
    QString risultato;
    risultato.reserve(valore.size());
    for (qsizetype i = 0; i < valore.size(); ++i) {
        const QChar c = valore.at(i);
        risultato += c.isSurrogate() ? QChar(QChar::ReplacementCharacter) : c;
        if (c.isHighSurrogate() && i + 1 < valore.size() && valore.at(i + 1).isLowSurrogate())
            ++i;
    }
    return risultato;
}

// A text read: the reminder it describes, its lines, and the line each field the dialog shows
// was read from (none when no line gave it).
struct VoceLetta {
    ::Promemoria prom;
    std::vector<RigaLogica> righe;
    std::optional<size_t> categoria, inizio, ripetizione, descrizione;
};

VoceLetta Leggi(const QString& testo)
{
    VoceLetta voce;
    voce.righe = RigheLogiche(testo);
    // A new record has every field all NULs: a field without its line stays so.
    ::Promemoria& prom = voce.prom;
    // The last SUMMARY, DUE and AALARM values, and their lines.
    struct Sostituto {
        QString valore;
        size_t riga = 0;
    };
    QMap<QString, Sostituto> sostituti;
    for (size_t i = 0; i < voce.righe.size(); ++i) {
        const std::optional<Proprieta> proprieta = ProprietaDaRiga(voce.righe[i].testo);
        if (!proprieta)
            continue;
        const QString& nome = proprieta->nome;
        // A NUL is no character of a text: in a field it means "never written".
        const QString valore = Valore(*proprieta).remove(QChar());
        if (nome == Categorie) {
            prom.Categoria = CampoFisso(valore, LarghezzaCategoria);
            voce.categoria = i;
        } else if (nome == AllarmeDelTelefono) {
            prom.Allarme = DecodificaDataVCalendar(valore);
        } else if (nome == Inizio) {
            prom.Inizio = DecodificaDataVCalendar(valore);
            voce.inizio = i;
        } else if (nome == Ripetizione) {
            prom.Ripetizione = CampoFisso(valore, LarghezzaRipetizione);
            voce.ripetizione = i;
        } else if (nome == Descrizione) {
            prom.Descrizione = CampoFisso(valore, LarghezzaDescrizione);
            voce.descrizione = i;
        } else if (nome == Sommario || nome == Scadenza || nome == AllarmeSonoro) {
            sostituti.insert(nome, {valore, i});
        }
    }
    // What other calendars give in place of a line the phone writes: the text as a summary
    // alone, a to-do's due time for its start, an audible alarm for the alarm.
    const auto sostituisce = [&sostituti](const QString& campo, const QString& sostituto) {
        return ValoreCampo(campo).isEmpty() && !sostituti.value(sostituto).valore.isEmpty();
    };
    if (sostituisce(prom.Descrizione, Sommario)) {
        prom.Descrizione = CampoFisso(sostituti.value(Sommario).valore, LarghezzaDescrizione);
        voce.descrizione = sostituti.value(Sommario).riga;
    }
    if (sostituisce(prom.Inizio.Stamp, Scadenza)) {
        prom.Inizio = DecodificaDataVCalendar(sostituti.value(Scadenza).valore);
        voce.inizio = sostituti.value(Scadenza).riga;
    }
    if (sostituisce(prom.Allarme.Stamp, AllarmeSonoro))
        prom.Allarme = DecodificaDataVCalendar(sostituti.value(AllarmeSonoro).valore);
    prom.RipetizioneTesto = CampoFisso(NomeRipetizione(prom.Ripetizione), LarghezzaNomeRipetizione);
    return voce;
}

// A date-time value YYYYMMDDTHHMMSS as an instant (its figures, taken as UTC), with what stands
// between the date and the time and what follows the time (the "Z" of UTC), both kept as they
// are; nothing where the date or the time is none. Like the record's stamp, it takes the figures
// by their places.
struct DataOraLetta {
    QDateTime quando;
    QString separatore;
    QString seguito;
};

std::optional<DataOraLetta> DataOraDaValore(const QString& valore)
{
    static const QRegularExpression forma(QStringLiteral("^([0-9]{8})(.)([0-9]{6})(.*)$"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch parti = forma.match(valore);
    if (!parti.hasMatch())
        return std::nullopt;
    const QDate data = QDate::fromString(parti.captured(1), QStringLiteral("yyyyMMdd"));
    const QTime ora = QTime::fromString(parti.captured(3), QStringLiteral("HHmmss"));
    if (!data.isValid() || !ora.isValid())
        return std::nullopt;
    return DataOraLetta{QDateTime(data, ora, QTimeZone::utc()), parti.captured(2),
                        parti.captured(4)};
}

// The value of an alarm once the start moved from `da` to `a`: its time keeps its distance from
// the start, or goes at the new start where either start is no date-time or the distance would
// take it past the year 9999; what follows the time (snooze, repeats, text) stays. Nothing for an
// alarm whose time is no date-time: it stays.
std::optional<QString> AllarmeSpostato(const QString& valore, const QString& da, const QString& a)
{
    const qsizetype puntoEVirgola = valore.indexOf(QLatin1Char(';'));
    const QString resto = puntoEVirgola < 0 ? QString() : valore.mid(puntoEVirgola);
    const std::optional<DataOraLetta> allarme = DataOraDaValore(valore.left(puntoEVirgola));
    if (!allarme)
        return std::nullopt;
    const std::optional<DataOraLetta> prima = DataOraDaValore(da);
    const std::optional<DataOraLetta> dopo = DataOraDaValore(a);
    const QDateTime spostato
        = prima && dopo ? allarme->quando.addSecs(prima->quando.secsTo(dopo->quando)) : QDateTime();
    if (!spostato.isValid() || spostato.date().year() < 1 || spostato.date().year() > 9999)
        return a + resto;
    return spostato.toString(QStringLiteral("yyyyMMdd")) + allarme->separatore
           + spostato.toString(QStringLiteral("HHmmss")) + allarme->seguito + resto;
}

// Where the entry ends: its last "END:VEVENT" or "END:VTODO" line, or else the calendar's last
// "END:VCALENDAR"; nothing for a text that is no calendar entry.
std::optional<size_t> FineVoce(const std::vector<RigaLogica>& righe)
{
    std::optional<size_t> calendario;
    for (size_t i = righe.size(); i-- > 0;) {
        const QString& riga = righe[i].testo;
        if (riga == QLatin1String("END:VEVENT") || riga == QLatin1String("END:VTODO"))
            return i;
        if (!calendario && riga == QLatin1String("END:VCALENDAR"))
            calendario = i;
    }
    return calendario;
}

QString NomeDellaRiga(const RigaLogica& riga)
{
    const std::optional<Proprieta> proprieta = ProprietaDaRiga(riga.testo);
    return proprieta ? proprieta->nome : QString();
}

// The changes to an entry's text, made in one pass: each puts new text in place of the span of
// a line (its text, or the line and its break when it goes), or inserts a line.
class Modifiche {
public:
    Modifiche(const QString& testo, const std::vector<RigaLogica>& righe, size_t fineVoce)
        : testo(testo), righe(righe), fineVoce(fineVoce),
          // A new line ends as the text's lines do.
          aCapo(testo.contains(FineRiga) || !testo.contains(QLatin1Char('\n'))
                    ? FineRiga
                    : QStringLiteral("\n"))
    {}

    // The value of a property: on the line it was read from, or on a line of its own.
    void Imposta(std::optional<size_t> riga, const QString& nome, const QString& valore)
    {
        if (riga)
            Sostituisci(*riga, valore);
        else if (!valore.isEmpty())
            inserisci(nome, valore);
    }

    void Sostituisci(size_t riga, const QString& valore)
    {
        const RigaLogica& vecchia = righe[riga];
        modifiche.push_back(
            {vecchia.inizio, vecchia.fine, RigaConValore(*ProprietaDaRiga(vecchia.testo), valore)});
    }

    void Togli(size_t riga) { modifiche.push_back({righe[riga].inizio, righe[riga].dopo, {}}); }

    QString Testo()
    {
        // An insertion goes before the line that a change at the same place replaces.
        std::stable_sort(modifiche.begin(), modifiche.end(),
                         [](const Modifica& x, const Modifica& y) {
                             return std::pair(x.da, x.a) < std::pair(y.da, y.a);
                         });
        QString risultato;
        qsizetype copiato = 0;
        for (const Modifica& modifica : modifiche) {
            risultato += QStringView(testo).mid(copiato, modifica.da - copiato);
            risultato += modifica.nuovo;
            copiato = modifica.a;
        }
        return risultato += QStringView(testo).mid(copiato);
    }

private:
    // A property the entry lacks goes where the phone's own entries have it: before the first
    // line of a property they write after it, or else at the entry's end.
    void inserisci(const QString& nome, const QString& valore)
    {
        const auto dopo = std::find(OrdineDelTelefono.begin(), OrdineDelTelefono.end(), nome);
        size_t dove = fineVoce;
        for (size_t i = 0; i < fineVoce && dove == fineVoce; ++i)
            if (std::find(dopo, OrdineDelTelefono.end(), NomeDellaRiga(righe[i]))
                != OrdineDelTelefono.end())
                dove = i;
        const qsizetype inizio = righe[dove].inizio;
        modifiche.push_back({inizio, inizio, RigaConValore({nome, {}, {}}, valore) + aCapo});
    }

    struct Modifica {
        qsizetype da;
        qsizetype a;
        QString nuovo;
    };

    const QString& testo;
    const std::vector<RigaLogica>& righe;
    size_t fineVoce;
    QString aCapo;
    std::vector<Modifica> modifiche;
};

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

QString VCalendarDelDialogo(const QString& originale, const ValoriProm& prima,
                            const ValoriProm& dopo)
{
    const QString inizio = DataOraDelDialogo(dopo);
    const bool categoria = prima.categoria != dopo.categoria;
    const bool spostato = DataOraDelDialogo(prima) != inizio;
    const bool ripetizione = prima.ripetizione != dopo.ripetizione;
    const bool testo = prima.testo != dopo.testo;
    if (!originale.isEmpty() && !categoria && !spostato && !ripetizione && !testo)
        return originale;
    const VoceLetta voce = Leggi(originale);
    const std::optional<size_t> fine = FineVoce(voce.righe);
    if (!fine)
        return Corpo(dopo.categoria, inizio, dopo.ripetizione, dopo.testo);
    Modifiche modifiche(originale, voce.righe, *fine);
    if (categoria)
        modifiche.Imposta(voce.categoria, Categorie, dopo.categoria);
    if (spostato) {
        // As the fields read them: a NUL is no character.
        const auto valore
            = [](const Proprieta& proprieta) { return Valore(proprieta).remove(QChar()); };
        const QString da
            = voce.inizio ? valore(*ProprietaDaRiga(voce.righe[*voce.inizio].testo)) : QString();
        modifiche.Imposta(voce.inizio, Inizio, inizio);
        for (size_t i = 0; i < voce.righe.size(); ++i) {
            const std::optional<Proprieta> proprieta = ProprietaDaRiga(voce.righe[i].testo);
            if (!proprieta
                || std::find(Allarmi.begin(), Allarmi.end(), proprieta->nome) == Allarmi.end())
                continue;
            if (const std::optional<QString> allarme
                = AllarmeSpostato(valore(*proprieta), da, inizio))
                modifiche.Sostituisci(i, *allarme);
        }
    }
    // A single reminder has no rule at all.
    if (ripetizione && dopo.ripetizione.isEmpty()) {
        for (size_t i = 0; i < voce.righe.size(); ++i)
            if (NomeDellaRiga(voce.righe[i]) == Ripetizione)
                modifiche.Togli(i);
    } else if (ripetizione) {
        modifiche.Imposta(voce.ripetizione, Ripetizione, dopo.ripetizione);
    }
    if (testo)
        modifiche.Imposta(voce.descrizione, Descrizione, dopo.testo);
    return modifiche.Testo();
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

DataOraProm DecodificaDataVCalendar(const QString& testo)
{
    const QString valore = UnCarattereAPosto(testo);
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
    return Leggi(testo).prom;
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
