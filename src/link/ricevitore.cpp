#include "ricevitore.h"

namespace {

constexpr QChar FineLinea = u'\n';
constexpr QChar Ritorno = u'\r';
constexpr QStringView Prompt = u"> ";
constexpr QStringView PrefissoIndicazioneSMS = u"+CMTI:";
// A longer index is no message position: it would not even fit the table's numbers.
constexpr qsizetype CifreIndiceMassime = 5;

bool SoloCifre(QStringView testo)
{
    if (testo.isEmpty())
        return false;
    for (const QChar c : testo) {
        if (!c.isDigit())
            return false;
    }
    return true;
}

// A line with its end and nothing else: CR LF, or a lone LF.
bool RigaVuota(QStringView rigaConFine)
{
    return rigaConFine == u"\r\n" || rigaConFine == u"\n";
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

bool RigaNonRichiesta(QStringView riga)
{
    return riga == u"RING" || riga.startsWith(u"+CLIP:") || riga.startsWith(u"+CRING:")
           || riga.startsWith(PrefissoIndicazioneSMS);
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

QString TagliaRisposta(const QString& ricevuto)
{
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
    QStringView riga = QStringView(buffer).mid(inizioRiga, lf - inizioRiga);
    if (riga.endsWith(Ritorno))
        riga.chop(1);
    if (RigaNonRichiesta(riga)) {
        if (const auto indice = IndiceIndicazioneSMS(riga))
            indicazioniSMS.append(*indice);
        togliRiga(inizioRiga, lf + 1);
        return;
    }
    if (fine == FineRisposta::Nessuna) {
        const FineRisposta finale = RigaFinale(riga);
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

void RicevitoreAT::notaFine(FineRisposta tipo, qsizetype dopo)
{
    fine = tipo;
    fineIn = dopo;
}

void RicevitoreAT::Azzera()
{
    buffer.clear();
    Riallinea();
}

void RicevitoreAT::Riallinea()
{
    inizioRiga = buffer.size();
    inizioPrecedente = -1;
    cercaDa = buffer.size();
    fine = FineRisposta::Nessuna;
    fineIn = 0;
}

QList<int> RicevitoreAT::PrendiIndicazioniSMS()
{
    QList<int> prese;
    prese.swap(indicazioniSMS);
    return prese;
}
