#include "risultati.h"

#include "campirisposta.h"
#include "ricevitore.h"
#include "statotelefono.h"

#include <QStringList>

namespace {

constexpr int StatoMassimo = 3;
// What a message is taken for when its header gives no status it can have.
constexpr uint8_t StatoRicevutoLetto = 1;
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

// A bare OK: the phone has nothing to give.
bool SoloOK(const QString& risposta)
{
    const QString corpo = risposta.trimmed();
    return corpo.isEmpty() || corpo == QLatin1String("OK");
}

// What follows the header line, blank lines around it taken off.
QString DopoLIntestazione(const QString& risposta)
{
    const qsizetype fine = risposta.indexOf(FineRiga);
    return fine < 0 ? QString() : risposta.mid(fine + FineRiga.size()).trimmed();
}

// The hex digits of a PDU line; some phones put a stray double quote, blank, comma or control
// character after them (or quotes around them), which is no part of the PDU. A letter or digit
// is never taken off: a line of other words stays what it is, no PDU.
QString CifrePDU(const QString& riga)
{
    const auto estraneo = [](QChar c) { return !c.isLetterOrNumber(); };
    qsizetype inizio = 0;
    qsizetype fine = riga.size();
    while (inizio < fine && estraneo(riga[inizio]))
        ++inizio;
    while (fine > inizio && estraneo(riga[fine - 1]))
        --fine;
    return riga.mid(inizio, fine - inizio);
}

// The header of a position with nothing in it: a length of 0.
bool IntestazioneVuota(const std::optional<QStringList>& campi)
{
    return campi && campi->size() >= 2 && InteroTra(campi->last(), 0, 0).has_value();
}

uint8_t StatoDichiarato(const std::optional<QStringList>& campi)
{
    const std::optional<int> stato
        = campi ? InteroTra(campi->first(), 0, StatoMassimo) : std::nullopt;
    return static_cast<uint8_t>(stato.value_or(StatoRicevutoLetto));
}

} // namespace

PosizioneLetta InterpretaRispostaCMGR(const QString& risposta, EsitoAT esito,
                                      const QString& rifiuto)
{
    constexpr int IndiceNonValido = 321;
    PosizioneLetta letta;
    if (esito == EsitoAT::Errore) {
        letta.contenuto = CodiceErroreCMS(rifiuto) == IndiceNonValido
                              ? ContenutoPosizione::IndiceNonValido
                              : ContenutoPosizione::Rifiutata;
        return letta;
    }
    if (esito == EsitoAT::Ok && SoloOK(risposta)) {
        letta.contenuto = ContenutoPosizione::Vuota;
        return letta;
    }
    if (esito != EsitoAT::Ok)
        return letta;
    // The name between status and length may hold commas: the two are the first and last field.
    const std::optional<QStringList> campi = Campi(PrimaRiga(risposta), QLatin1String("+CMGR:"));
    const QString pdu = CifrePDU(DopoLIntestazione(risposta));
    if (pdu.isEmpty() && IntestazioneVuota(campi)) {
        letta.contenuto = ContenutoPosizione::Vuota;
    } else if (SoloCifreEsadecimali(pdu)) {
        letta.contenuto = ContenutoPosizione::Messaggio;
        letta.stato = StatoDichiarato(campi);
        letta.pdu = pdu;
    }
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
