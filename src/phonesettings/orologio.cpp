#include "orologio.h"

#include "campirisposta.h"
#include "catalogo.h"
#include "globali.h"
#include "righerisposta.h"
#include "scambio.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

#include <limits>

namespace {

constexpr int LunghezzaCampo = 8;
constexpr int VoceDataEOra = 508;
// The phone's two-digit years are those of this century.
constexpr int SecoloAnniBrevi = 2000;

constexpr int CifreCampo = 2;
constexpr int MassimoCampo = 99;

// A whole number written in decimal digits alone, from min to max; none for anything else
// (blanks and signs, which the fields must not carry to the phone, other scripts).
std::optional<int> CifreTra(const QString& testo, int minimo, int massimo)
{
    return SoloCifre(testo) ? InteroTra(testo, minimo, massimo) : std::nullopt;
}

QString DueCifre(int valore)
{
    return QStringLiteral("%1").arg(valore, 2, 10, QLatin1Char('0'));
}

constexpr QStringView PrefissoOrologio = u"+CCLK:";

// The value of a part of one or two digits; none for any other text.
std::optional<int> Parte(const QString& parte)
{
    return parte.size() <= CifreCampo ? CifreTra(parte, 0, MassimoCampo) : std::nullopt;
}

// The clock of its date and time parts: the year of two digits or four, the seconds optional,
// a time-zone suffix (a sign and the quarter hours) after them.
std::optional<OrologioTelefono> OrologioDaParti(const QStringList& parti)
{
    constexpr qsizetype CifreAnnoIntero = 4;
    if (parti.size() != 2)
        return std::nullopt;
    QString ora = TagliaSpazi(parti.at(1));
    static const QRegularExpression segno(QStringLiteral("[+-]"));
    if (const qsizetype zona = ora.indexOf(segno); zona >= 0) {
        if (!Parte(ora.mid(zona + 1)))
            return std::nullopt;
        ora = TagliaSpazi(ora.left(zona));
    }
    const QStringList data = TagliaSpazi(parti.at(0)).split(u'/');
    const QStringList tempo = ora.split(u':');
    if (data.size() != 3 || tempo.size() < 2 || tempo.size() > 3)
        return std::nullopt;
    const QString& testoAnno = data.at(0);
    std::optional<int> anno = testoAnno.size() == CifreAnnoIntero
                                  ? CifreTra(testoAnno, 0, std::numeric_limits<int>::max())
                                  : Parte(testoAnno);
    if (anno && testoAnno.size() != CifreAnnoIntero)
        *anno += SecoloAnniBrevi;
    const std::optional<int> mese = Parte(data.at(1)), giorno = Parte(data.at(2));
    const std::optional<int> ore = Parte(tempo.at(0)), minuti = Parte(tempo.at(1));
    const std::optional<int> secondi
        = tempo.size() > 2 ? Parte(tempo.at(2)) : std::optional<int>(0);
    // A field outside the calendar or the clock is no reading of either.
    if (!anno || !mese || !giorno || !ore || !minuti || !secondi
        || !QDate::isValid(*anno, *mese, *giorno) || !QTime::isValid(*ore, *minuti, *secondi))
        return std::nullopt;
    return OrologioTelefono{DueCifre(*giorno) + QLatin1Char('/') + DueCifre(*mese)
                                + QLatin1Char('/') + DueCifre(*anno % 100),
                            (DueCifre(*ore) + QLatin1Char(':') + DueCifre(*minuti))
                                .leftJustified(LunghezzaCampo, QLatin1Char(' '))};
}

} // namespace

std::optional<OrologioTelefono> DecodificaOrologio(const QString& risposta)
{
    for (const QString& riga : RigheRisposta(risposta)) {
        QString testo = TagliaSpazi(riga);
        if (testo.startsWith(PrefissoOrologio))
            testo = testo.mid(PrefissoOrologio.size());
        const QStringList campi = DividiCampi(testo);
        // Quoted, as 27.007 writes it, the clock is one field; bare, its date and its time are
        // two. A field after them is no part of the clock.
        const QStringList parti = !campi.isEmpty() && campi.first().startsWith(u'"')
                                      ? SenzaVirgolette(campi.first()).split(u',')
                                      : campi.mid(0, 2);
        if (const std::optional<OrologioTelefono> letto = OrologioDaParti(parti))
            return letto;
    }
    return std::nullopt;
}

QString FormatoDueCifre(const QString& testo)
{
    const std::optional<int> numero = CifreTra(testo, 0, std::numeric_limits<int>::max());
    return numero ? DueCifre(*numero) : testo;
}

std::optional<QString> ComandoImpostaOrologio(const QString& giorno, const QString& mese,
                                              const QString& anno, const QString& ora,
                                              const QString& minuto, const QString& secondo)
{
    QStringList campi;
    for (const QString* parte : {&anno, &mese, &giorno, &ora, &minuto, &secondo}) {
        const std::optional<int> numero = Parte(*parte);
        if (!numero)
            return std::nullopt;
        campi << DueCifre(*numero);
    }
    // The date goes year first although the fields come day first.
    return QStringLiteral("AT+CCLK=\"%1/%2/%3,%4:%5:%6\"")
        .arg(campi[0], campi[1], campi[2], campi[3], campi[4], campi[5]);
}

bool ControllaNum(const QString& valore, int minimo, int massimo)
{
    return CifreTra(valore, minimo, massimo).has_value();
}

LettureRifiutate LeggiDataOra()
{
    EsitoAT esito = EsitoAT::Ok;
    const QString risposta = InviaComandoAT(QStringLiteral("AT+CCLK?"), &esito);
    if (!RispostaDelTelefono(esito))
        return {};
    const std::optional<OrologioTelefono> letto
        = esito == EsitoAT::Ok ? DecodificaOrologio(risposta) : std::nullopt;
    // Without a clock in the reply, the time shown before is no longer the phone's.
    const OrologioTelefono orologio = letto.value_or(OrologioTelefono{});
    Telefono.DataTel = orologio.DataTel;
    Telefono.OraTel = orologio.OraTel;
    Telefono.OraLetta = true;
    LettureRifiutate nonDati;
    nonDati.AnnotaSeNonDato(Msg(VoceDataEOra), esito, letto.has_value());
    return nonDati;
}

bool ImpostaDataOra(const QString& giorno, const QString& mese, const QString& anno,
                    const QString& ora, const QString& minuto, const QString& secondo,
                    LettureRifiutate& rilettura)
{
    bool accettato = false;
    if (const std::optional<QString> comando
        = ComandoImpostaOrologio(giorno, mese, anno, ora, minuto, secondo)) {
        EsitoAT esito = EsitoAT::Ok;
        InviaComandoAT(*comando, &esito);
        accettato = esito == EsitoAT::Ok;
    }
    rilettura = LeggiDataOra();
    return accettato;
}
