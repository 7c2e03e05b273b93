// The phonebook replies, read as a memory and a call list are read, in each character set a
// phone may speak: the memory's counts, the lengths it accepts, its entry lines, the call list's
// lines; then the look-ups over what was read, and the names written back. A name the set
// carries whole reads back from the phone as itself; a field that is not well formed in its set
// is never read as a name: a name read goes back as the very field the phone gave.

#include "comune.h"

#include "globali.h"
#include "ricerche.h"
#include "righeat.h"
#include "scambiorubrica.h"
#include "setcaratteri.h"
#include "tabella.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

enum Risposta { CPBS, CPBRLimiti, CPBRVoci, CPBRChiamate, NumRisposte };

constexpr std::array<SetCaratteri, 6> Set{SetCaratteri::GSM,  SetCaratteri::IRA,
                                          SetCaratteri::UCS2, SetCaratteri::Latin1,
                                          SetCaratteri::UTF8, SetCaratteri::Ignoto};

void ControllaMemoria(const PosizioniMemoria& memoria)
{
    for (size_t p = 0; p < memoria.size(); ++p) {
        const VoceRubrica& voce = memoria[p];
        if (voce.Posizione.isEmpty())
            continue;
        Verifica(voce.Posizione == QString::number(p),
                 "an entry is stored at the position it names", voce.Posizione);
        Verifica(!voce.NomeIgnoto || voce.Nome.isEmpty(), "an unknown name is empty", voce.Nome);
    }
}

// The field as the set writes it: UCS2's hex digits in either case.
bool StessoCampo(const QByteArray& scritto, const QString& grezzo)
{
    if (SetTelefono == SetCaratteri::UCS2)
        return QString::fromLatin1(scritto).compare(grezzo, Qt::CaseInsensitive) == 0;
    return scritto == CodificaWindows1252(grezzo);
}

void ControllaNomi(const QString& corpo)
{
    for (const QString& riga : RigheVoci(corpo)) {
        const std::optional<RigaVoce> letta = DecodificaRigaVoce(riga);
        const std::optional<QString> nome
            = letta ? NomeDellaRiga(*letta, SetTelefono) : std::nullopt;
        if (!nome)
            continue;
        Verifica(!nome->contains(QChar(u'\0')), "no name read holds a NUL", *nome);
        Verifica(!letta->nomeNudo || nome->isEmpty() || SetTelefono == SetCaratteri::UCS2,
                 "an unquoted name reads only as UCS2 hex", *nome);
        if (LettereNonScrivibili(*nome, SetTelefono).isEmpty())
            Verifica(StessoCampo(CodificaTestoAT(*nome, SetTelefono), letta->nomeGrezzo),
                     "a name read goes back as the field the phone gave", *nome);
    }
}

void LeggiNelSet(const QStringList& r)
{
    const StatoMemoria stato = LeggiStatoMemoria(r[CPBS]);
    const Lunghezze limiti = LeggiLunghezze(r[CPBRLimiti]);

    PosizioniMemoria memoria{};
    for (const QString& riga : RigheVoci(r[CPBRVoci]))
        DecodificaVoceRubrica(riga, memoria);
    ControllaMemoria(memoria);
    Telefono.Rubrica[0] = memoria;
    Telefono.RubTotale[0] = static_cast<int16_t>(std::clamp(stato.totale, 0, INT16_MAX));
    Telefono.RubLetta[0] = true;

    ControllaNomi(r[CPBRVoci]);

    PosizioniLista lista{};
    for (const QString& riga : RigheVoci(r[CPBRChiamate]))
        DecodificaVoceChiamata(riga, lista);

    for (const VoceRubrica& voce : memoria) {
        if (voce.Posizione.isEmpty())
            continue;
        CercaNomeDaNumero(voce.Numero);
        CercaNumeroDaNome(voce.Nome);
        NomeAT(voce.Nome, SetTelefono, limiti.nome);
        NumeroAT(voce.Numero, limiti.numero);
        const bool scrivibile = NomeNonScrivibile(voce.Nome).isEmpty();
        if (SetTelefono != SetCaratteri::Ignoto)
            Verifica((NomeSulTelefono(voce.Nome, SetTelefono) == voce.Nome) == scrivibile,
                     "a name the set carries reads back as itself; one it cannot carry is refused",
                     voce.Nome);
    }
    Telefono.Rubrica[0] = PosizioniMemoria{};
    Telefono.RubLetta[0] = false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    const QStringList r = Parti(dati, lunghezza, NumRisposte);
    RispostaOk(r[CPBS]);
    QString nomeSet;
    SetDaRisposta(r[CPBS], &nomeSet);
    Verifica(!nomeSet.contains(u'"'), "a character set's name holds no quote", nomeSet);
    for (const SetCaratteri set : Set) {
        SetTelefono = set;
        LeggiNelSet(r);
    }
    SetTelefono = SetCaratteri::GSM;
    return 0;
}
