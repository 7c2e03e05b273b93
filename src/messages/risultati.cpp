#include "risultati.h"

#include "campirisposta.h"
#include "statotelefono.h"

#include <QStringList>

namespace {

constexpr int StatoMassimo = 3;
// Counts and references the phone keeps in one octet.
constexpr int MaxOttetto = 255;
const QString FineRiga = QStringLiteral("\r\n");

// The comma-separated fields of the result line "<prefisso> a,b,c"; none for another line.
std::optional<QStringList> Campi(const QString& riga, QLatin1String prefisso)
{
    if (!riga.startsWith(prefisso))
        return std::nullopt;
    return riga.mid(prefisso.size()).split(u',');
}

std::optional<int> PrimoCampo(const QString& risposta, QLatin1String prefisso, int minimo,
                              int massimo)
{
    const std::optional<QStringList> campi = Campi(PrimaRiga(risposta), prefisso);
    if (!campi)
        return std::nullopt;
    return InteroTra(campi->first(), minimo, massimo);
}

} // namespace

PosizioneLetta InterpretaRispostaCMGR(const QString& risposta, EsitoAT esito)
{
    PosizioneLetta letta;
    if (esito != EsitoAT::Ok)
        return letta;
    // The name between status and length may hold commas: the two are the first and last field.
    const std::optional<QStringList> campi = Campi(PrimaRiga(risposta), QLatin1String("+CMGR:"));
    if (!campi || campi->size() < 2)
        return letta;
    const std::optional<int> stato = InteroTra(campi->first(), 0, StatoMassimo);
    const std::optional<int> lunghezza = InteroTra(campi->last(), 0, MaxOttetto);
    const qsizetype finePrimaRiga = risposta.indexOf(FineRiga);
    if (!stato || !lunghezza || finePrimaRiga < 0)
        return letta;
    letta.pdu = risposta.mid(finePrimaRiga + FineRiga.size()).trimmed();
    letta.messaggio = !letta.pdu.isEmpty();
    letta.stato = static_cast<uint8_t>(*stato);
    return letta;
}

std::optional<int> RiferimentoCMGS(const QString& risposta)
{
    return PrimoCampo(risposta, QLatin1String("+CMGS:"), 0, MaxOttetto);
}

std::optional<int> PosizioneCMGW(const QString& risposta)
{
    return PrimoCampo(risposta, QLatin1String("+CMGW:"), 1, MaxOttetto);
}
