#include "ricevitore.h"

#include "campirisposta.h"

#include <algorithm>
#include <array>
#include <climits>
#include <utility>

namespace {

constexpr QChar FineLinea = u'\n';
constexpr QChar Ritorno = u'\r';
constexpr QStringView Prompt = u"> ";
constexpr QStringView PrefissoIndicazioneSMS = u"+CMTI:";
// The phone's own lines: the ring whole, the others by their start.
constexpr QStringView Squillo = u"RING";
constexpr std::array<QStringView, 3> PrefissiNonRichiesti{u"+CLIP:", u"+CRING:",
                                                          PrefissoIndicazioneSMS};
// A longer index is no message position: it would not even fit the table's numbers.
constexpr qsizetype CifreIndiceMassime = 5;
// The memories of 27.005 have two letters; a longer field is no memory name.
constexpr qsizetype LunghezzaMemoriaMassima = 4;

// A line with its end and nothing else: CR LF, or a lone LF.
bool RigaVuota(QStringView rigaConFine)
{
    return rigaConFine == u"\r\n" || rigaConFine == u"\n";
}

// A line cut short that may still become one of the phone's own lines.
bool PuoDiventareNonRichiesta(QStringView parziale)
{
    if (parziale.endsWith(Ritorno))
        parziale.chop(1);
    if (parziale.isEmpty())
        return false;
    return Squillo.startsWith(parziale)
           || std::any_of(PrefissiNonRichiesti.begin(), PrefissiNonRichiesti.end(),
                          [parziale](QStringView prefisso) {
                              return prefisso.startsWith(parziale) || parziale.startsWith(prefisso);
                          });
}

// Takes the line end off the end of the text: CR LF, or LF alone. False when it has none.
bool TogliFineRiga(QStringView& testo)
{
    if (!testo.endsWith(FineLinea))
        return false;
    testo.chop(1);
    if (testo.endsWith(Ritorno))
        testo.chop(1);
    return true;
}

// What stands before the final "OK" line the text ends on; none for a text that ends otherwise
// (a reply cut short by the link).
std::optional<QStringView> PrimaDellOK(QStringView ricevuto)
{
    if (!TogliFineRiga(ricevuto) || !ricevuto.endsWith(u"OK"))
        return std::nullopt;
    ricevuto.chop(2);
    if (!ricevuto.isEmpty() && !ricevuto.endsWith(FineLinea))
        return std::nullopt;
    return ricevuto;
}

// Nothing but line ends: a modem that adds or leaves out a line end before its bare OK.
bool SoloFiniRiga(QStringView testo)
{
    return std::all_of(testo.begin(), testo.end(),
                       [](QChar c) { return c == FineLinea || c == Ritorno; });
}

// The text of a reply, from what stands before its OK: without the line end before the text, the
// line end of its last line and the empty line the phone puts before its result. A phone that
// leaves out either of the last two, or the first, loses none of its text.
QString TestoTraLeCornici(QStringView prima)
{
    TogliFineRiga(prima);
    TogliFineRiga(prima);
    if (prima.startsWith(u"\r\n"))
        prima = prima.mid(2);
    else if (prima.startsWith(FineLinea))
        prima = prima.mid(1);
    return prima.toString();
}

} // namespace

FineRisposta RigaFinale(QStringView riga)
{
    if (riga == u"OK")
        return FineRisposta::Ok;
    if (riga == u"ERROR" || riga.startsWith(u"+CME ERROR") || riga.startsWith(u"+CMS ERROR"))
        return FineRisposta::Errore;
    return FineRisposta::Nessuna;
}

namespace {

std::optional<int> CodiceErrore(QStringView riga, QStringView prefisso)
{
    if (!riga.startsWith(prefisso))
        return std::nullopt;
    return InteroTra(riga.mid(prefisso.size()), 0, INT_MAX);
}

} // namespace

std::optional<int> CodiceErroreCME(QStringView riga)
{
    return CodiceErrore(riga, u"+CME ERROR:");
}

std::optional<int> CodiceErroreCMS(QStringView riga)
{
    return CodiceErrore(riga, u"+CMS ERROR:");
}

bool RigaNonRichiesta(QStringView riga)
{
    return riga == Squillo
           || std::any_of(PrefissiNonRichiesti.begin(), PrefissiNonRichiesti.end(),
                          [riga](QStringView prefisso) { return riga.startsWith(prefisso); });
}

std::optional<int> IndiceIndicazioneSMS(QStringView riga)
{
    if (!riga.startsWith(PrefissoIndicazioneSMS))
        return std::nullopt;
    const qsizetype virgola = riga.lastIndexOf(u',');
    if (virgola < 0)
        return std::nullopt;
    const QStringView indice = riga.mid(virgola + 1).trimmed();
    if (!SoloCifre(indice) || indice.size() > CifreIndiceMassime)
        return std::nullopt;
    return indice.toInt();
}

std::optional<QString> MemoriaIndicazioneSMS(QStringView riga)
{
    if (!riga.startsWith(PrefissoIndicazioneSMS))
        return std::nullopt;
    const QStringView campi = riga.mid(PrefissoIndicazioneSMS.size());
    const qsizetype virgola = campi.lastIndexOf(u',');
    if (virgola < 0)
        return std::nullopt;
    const QString memoria = SenzaVirgolette(campi.left(virgola).trimmed());
    const bool nome = std::all_of(memoria.begin(), memoria.end(), [](QChar c) {
        return c.isLetterOrNumber() && c.unicode() < 128;
    });
    if (memoria.isEmpty() || memoria.size() > LunghezzaMemoriaMassima || !nome)
        return std::nullopt;
    return memoria;
}

QString TagliaRisposta(const QString& ricevuto)
{
    if (const std::optional<QStringView> testo = PrimaDellOK(ricevuto))
        return SoloFiniRiga(*testo) ? QStringLiteral("\r\nOK\r\n") : TestoTraLeCornici(*testo);
    // Cut short by the link: cut as a whole reply would be.
    constexpr qsizetype Prima = 2; // CR LF
    constexpr qsizetype Dopo = 8;  // CR LF, CR LF "OK" CR LF
    constexpr qsizetype LunghezzaMinima = Prima + Dopo;
    if (ricevuto.size() < LunghezzaMinima)
        return ricevuto;
    return ricevuto.mid(Prima, ricevuto.size() - LunghezzaMinima);
}

void RicevitoreAT::Aggiungi(QStringView pezzo)
{
    buffer.append(pezzo);
    for (qsizetype lf = buffer.indexOf(FineLinea, cercaDa); lf >= 0;
         lf = buffer.indexOf(FineLinea, cercaDa))
        chiudiRiga(lf);
    cercaDa = buffer.size();
    // The prompt has no line end: it is the whole of the line in progress.
    if (fine == FineRisposta::Nessuna && QStringView(buffer).mid(inizioRiga) == Prompt)
        notaFine(FineRisposta::Prompt, buffer.size());
}

void RicevitoreAT::chiudiRiga(qsizetype lf)
{
    const bool riportata = inizioRiga < riportati;
    riportati = 0;
    QStringView riga = QStringView(buffer).mid(inizioRiga, lf - inizioRiga);
    if (riga.endsWith(Ritorno))
        riga.chop(1);
    if (RigaNonRichiesta(riga)) {
        notaIndicazioneSMS(riga);
        togliRiga(inizioRiga, lf + 1);
        // The phone frames a line of its own with a line end, which also ends the prompt's line.
        if (promptChiuso && fine == FineRisposta::Nessuna)
            notaFine(FineRisposta::Prompt, inizioRiga);
        return;
    }
    if (riportata) {
        togliTestoRiportato(lf);
        return;
    }
    if (fine == FineRisposta::Nessuna) {
        promptChiuso = riga == Prompt || (promptChiuso && riga.isEmpty());
        const FineRisposta finale = RigaFinale(riga);
        if (finale == FineRisposta::Errore)
            rigaRifiuto = riga.toString();
        if (finale != FineRisposta::Nessuna)
            notaFine(finale, lf + 1);
    }
    inizioPrecedente = inizioRiga;
    inizioRiga = lf + 1;
    cercaDa = inizioRiga;
}

void RicevitoreAT::togliRiga(qsizetype inizio, qsizetype fineRiga)
{
    // A line the phone frames on its own, CR LF before it, leaves no empty line behind; a line
    // that follows another directly leaves that line its own end.
    const bool precedenteVuota
        = inizioPrecedente >= 0
          && RigaVuota(QStringView(buffer).mid(inizioPrecedente, inizio - inizioPrecedente));
    const qsizetype da = precedenteVuota ? inizioPrecedente : inizio;
    buffer.remove(da, fineRiga - da);
    inizioRiga = da;
    inizioPrecedente = -1;
    cercaDa = da;
}

void RicevitoreAT::togliTestoRiportato(qsizetype lf)
{
    // Its line end stays, as an empty line: it may be the framing of the reply that follows.
    const qsizetype fineTesto = lf > inizioRiga && buffer.at(lf - 1) == Ritorno ? lf - 1 : lf;
    buffer.remove(inizioRiga, fineTesto - inizioRiga);
    inizioPrecedente = inizioRiga;
    inizioRiga += lf + 1 - fineTesto;
    cercaDa = inizioRiga;
}

void RicevitoreAT::notaFine(FineRisposta tipo, qsizetype dopo)
{
    fine = tipo;
    fineIn = dopo;
}

QString RicevitoreAT::rigaNonRichiestaInCorso() const
{
    const QStringView inCorso = QStringView(buffer).mid(inizioRiga);
    return PuoDiventareNonRichiesta(inCorso) ? inCorso.toString() : QString();
}

void RicevitoreAT::Azzera()
{
    const QString inCorso = rigaNonRichiestaInCorso();
    buffer.clear();
    riallinea();
    Aggiungi(inCorso);
    riportati = buffer.size();
}

void RicevitoreAT::SostituisciRisposta(const QString& risultato)
{
    const QString resto
        = fine == FineRisposta::Nessuna ? rigaNonRichiestaInCorso() : buffer.mid(fineIn);
    buffer = risultato;
    riallinea();
    Aggiungi(resto);
}

void RicevitoreAT::riallinea()
{
    inizioRiga = buffer.size();
    inizioPrecedente = -1;
    cercaDa = buffer.size();
    riportati = 0;
    promptChiuso = false;
    fine = FineRisposta::Nessuna;
    fineIn = 0;
    rigaRifiuto.clear();
}

void RicevitoreAT::notaIndicazioneSMS(QStringView riga)
{
    const std::optional<int> indice = IndiceIndicazioneSMS(riga);
    const std::optional<QString> memoria = MemoriaIndicazioneSMS(riga);
    if (!indice || !memoria)
        return;
    if (*memoria == MemoriaSMSLetta)
        indicazioniSMS.append(*indice);
    else
        altreMemorieSMS.append(*memoria);
}

QStringList RicevitoreAT::PrendiAltreMemorieSMS()
{
    return std::exchange(altreMemorieSMS, {});
}

QList<int> RicevitoreAT::PrendiIndicazioniSMS()
{
    QList<int> prese;
    prese.swap(indicazioniSMS);
    return prese;
}
