#include "scambiorubrica.h"

#include "attesa.h"
#include "catalogo.h"
#include "codecs.h"
#include "globali.h"
#include "inputvoce.h"
#include "interazione.h"
#include "ricerche.h"
#include "rifiuti.h"
#include "righeat.h"
#include "scambio.h"
#include "setcaratteri.h"
#include "tabella.h"

#include <algorithm>
#include <utility>

namespace {

// One command through the exchange, remembering whether the link held.
class Dialogo {
public:
    QString Invia(const QString& comando)
    {
        EsitoAT esito = EsitoAT::Ok;
        const QString risposta = InviaComandoAT(comando, &esito);
        perso = perso || !RispostaDelTelefono(esito);
        rifiutato = esito == EsitoAT::Errore;
        return risposta;
    }
    // The phone refused the last command.
    bool Rifiutato() const { return rifiutato; }
    // Selects a memory; false when the phone refused it or the link failed.
    bool Seleziona(const QString& codice)
    {
        return RispostaOk(Invia(QStringLiteral("AT+CPBS=") + codice)) && !perso;
    }
    bool Perso() const { return perso; }

private:
    bool perso = false;
    bool rifiutato = false;
};

QString ComandoScrittura(const QString& posizione, const QString& nome, const QString& numero,
                         const LimitiMemoria& limiti = {})
{
    return QStringLiteral("AT+CPBW=") + posizione + QLatin1Char(',')
           + NumeroAT(numero, limiti.numero) + QLatin1Char(',') + TipoNumero(numero)
           + QLatin1Char(',') + NomeAT(nome, SetTelefono, limiti.nome);
}

// The cache's single pair keeps the limits of the memory read last, for readers that name no
// memory.
void RicordaUltimiLimiti(const LimitiMemoria& limiti)
{
    Telefono.MaxNumero = static_cast<uint8_t>(std::clamp(limiti.numero, 0, 255));
    Telefono.MaxNome = static_cast<uint8_t>(std::clamp(limiti.nome, 0, 255));
}

// The memories the writing-back writes: the SIM's and the phone's.
constexpr std::array<int, 2> MemorieScritte{0, 2};

constexpr int VoceLettereNonMemorizzabili = 894;
constexpr int VoceNomeNonLetto = 895;
constexpr int VoceSostitutiDelTelefono = 944;
constexpr int VoceCollegamentoPerso = 946;

// The entry as the phone now holds it: name and number cut to its limits, the name as it reads
// back in the phone's set.
void ComeSulTelefono(VoceRubrica& voce, const LimitiMemoria& limiti)
{
    voce.Nome = NomeSulTelefono(voce.Nome, SetTelefono, limiti.nome);
    voce.Numero = NumeroEntro(voce.Numero, limiti.numero);
    voce.Rossa = NomeRosso(voce.Nome);
}

// A phone speaking one of these sets gives "?" for each letter of its own the set lacks: a "?" in
// a name may stand for such a letter, which the name written back would lose on the phone.
bool SostitutiDelTelefono(const QString& nome)
{
    return (SetTelefono == SetCaratteri::IRA || SetTelefono == SetCaratteri::Latin1)
           && nome.contains(u'?');
}

// Why an entry is not to be written back, in the user's words; empty when it can.
QString MotivoNonScrivibile(const VoceRubrica& voce)
{
    if (voce.NomeIgnoto)
        return Msg(VoceNomeNonLetto);
    const QString nome = NomeScritto(voce.Nome, SetTelefono);
    if (const QString mancanti = LettereNonScrivibili(nome, SetTelefono); !mancanti.isEmpty())
        return Msg(VoceLettereNonMemorizzabili) + mancanti;
    return SostitutiDelTelefono(nome) ? Msg(VoceSostitutiDelTelefono) : QString();
}

bool Saltata(const std::vector<VoceSegnalata>& saltate, int memoria, int posizione)
{
    return std::any_of(saltate.begin(), saltate.end(), [=](const VoceSegnalata& voce) {
        return voce.memoria == memoria && voce.posizione == posizione;
    });
}

// Writes the used entries of one memory but those skipped: those the phone took go to
// `esito.scritte`, those it refused to `esito.nonScritte` with its reason, the whole memory
// (position 0) when it refused to select it. Once the link is lost nothing more is sent, and the
// entries left are not written.
void ScriviMemoria(Dialogo& dialogo, int memoria, const std::vector<VoceSegnalata>& saltate,
                   EsitoScritturaRubrica& esito)
{
    const bool selezionata = !dialogo.Perso() && dialogo.Seleziona(CodiceMemoria(memoria));
    if (!selezionata && !dialogo.Perso()) {
        esito.nonScritte.push_back({memoria, 0, MotivoRifiuto(UltimaRigaRifiuto())});
        return;
    }
    const LimitiMemoria limiti = dialogo.Perso()
                                     ? LimitiMemoria{}
                                     : LeggiLunghezze(dialogo.Invia(QStringLiteral("AT+CPBR=?")));
    if (!dialogo.Perso())
        LimitiRubrica[static_cast<size_t>(memoria)] = limiti;
    const int tenute = PosizioniTenute(memoria);
    for (int p = 1; p <= tenute; ++p) {
        VoceRubrica& voce = Telefono.Rubrica[static_cast<size_t>(memoria)][static_cast<size_t>(p)];
        if (voce.Posizione.isEmpty() || Saltata(saltate, memoria, p))
            continue;
        if (dialogo.Perso()) {
            esito.nonScritte.push_back({memoria, p, Msg(VoceCollegamentoPerso)});
            continue;
        }
        const bool presa = RispostaOk(dialogo.Invia(
            ComandoScrittura(voce.Posizione.trimmed(), voce.Nome, voce.Numero, limiti)));
        if (presa) {
            ComeSulTelefono(voce, limiti);
            esito.scritte.push_back({memoria, p, QString()});
        } else if (dialogo.Perso()) {
            esito.senzaRisposta.push_back({memoria, p, QString()});
        } else {
            esito.nonScritte.push_back({memoria, p, MotivoRifiuto(UltimaRigaRifiuto())});
        }
    }
}

constexpr int VoceRigheNonLette = 930;
constexpr int VoceDuePunti = 911;

// The lines of a reading that could not be read, for each memory or list that gave some: told
// once, with how many, since what they hold is not shown.
class RigheIlleggibili {
public:
    void Annota(const QString& cosa, size_t quante)
    {
        if (quante > 0)
            righe << cosa + Msg(VoceDuePunti) + QString::number(quante);
    }
    void Avvisa() const
    {
        if (!righe.isEmpty())
            MsgBox((QStringList{Msg(VoceRigheNonLette)} + righe).join(QStringLiteral("\r\n")),
                   QMessageBox::Warning);
    }

private:
    QStringList righe;
};

constexpr int VoceMemorieRifiutateColFile = 840;
constexpr int VoceSetIgnoto = 884;
constexpr int VoceLettereMancanti = 889;
constexpr int VoceMemorieRifiutate = 897;
constexpr int PrimaVoceLista = 49;

// Whatever the phone has selected now may be another memory, or it would not list this one: none
// of it is read as this one, and the phone's refusal is kept for the user and the file.
EsitoLettura MemoriaRifiutata(uint8_t memoria)
{
    SvuotaRubrica(memoria);
    LimitiRubrica[memoria] = {};
    Telefono.RubLetta[memoria] = true;
    // A selection answered with something other than a result is no less a refusal.
    RifiutiRubrica[memoria] = UltimaRigaRifiuto();
    return EsitoLettura::Rifiutata;
}

} // namespace

QString CodiceLista(int lista)
{
    static const std::array<const char*, NumListeChiamate> codici{"RC", "MC", "LD"};
    if (lista < 0 || lista >= NumListeChiamate)
        return {};
    return QString::fromLatin1(codici[static_cast<size_t>(lista)]);
}

bool DecodificaVoceRubrica(const QString& riga, PosizioniMemoria& memoria)
{
    const std::optional<RigaVoce> letta = DecodificaRigaVoce(riga);
    if (!letta || letta->posizione == 0)
        return false;
    if (!PosizioneValida(letta->posizione))
        return true;
    VoceRubrica& voce = memoria[static_cast<size_t>(letta->posizione)];
    const std::optional<QString> nome = NomeDellaRiga(*letta, SetTelefono);
    voce.Nome = nome.value_or(QString());
    voce.NomeIgnoto = !nome;
    voce.Numero = letta->numero;
    voce.Posizione = QString::number(letta->posizione);
    voce.Rossa = NomeRosso(voce.Nome);
    return true;
}

EsitoLettura LeggiRubrica(uint8_t memoria)
{
    if (memoria >= NumMemorie)
        return EsitoLettura::Rifiutata;
    const AttesaInCorso attesa(Msg(362) + NomiMemoria[memoria]);
    Dialogo dialogo;
    if (!dialogo.Seleziona(CodiceMemoria(memoria)))
        return dialogo.Perso() ? EsitoLettura::CollegamentoPerso : MemoriaRifiutata(memoria);
    const StatoMemoria stato = LeggiStatoMemoria(dialogo.Invia(QStringLiteral("AT+CPBS?")));
    const QString formato = dialogo.Invia(QStringLiteral("AT+CPBR=?"));
    const LimitiMemoria limiti = LeggiLunghezze(formato);
    // Asking for no positions would read the memory as empty, and an empty memory would replace
    // what the table and the phonebook file hold.
    const std::optional<int> totale = stato.totaleLetto ? stato.totale : UltimaPosizione(formato);
    if (dialogo.Perso())
        return EsitoLettura::CollegamentoPerso;
    if (!totale)
        return EsitoLettura::Illeggibile;
    const int daLeggere = std::min(*totale, MaxPosizioniRubrica);
    const QString elenco = dialogo.Invia(QStringLiteral("AT+CPBR=1,") + QString::number(daLeggere));
    if (dialogo.Perso())
        return EsitoLettura::CollegamentoPerso;
    if (dialogo.Rifiutato())
        return MemoriaRifiutata(memoria);

    PosizioniMemoria letta{};
    std::vector<int> nonLette;
    for (const QString& riga : RigheVoci(elenco))
        if (!DecodificaVoceRubrica(riga, letta))
            nonLette.push_back(PosizioneRiga(riga));
    Telefono.Rubrica[memoria] = std::move(letta);
    RigheNonLette[memoria] = std::move(nonLette);
    Telefono.RubUsate[memoria] = static_cast<int16_t>(std::clamp(stato.usate, 0, INT16_MAX));
    Telefono.RubTotale[memoria] = static_cast<int16_t>(std::clamp(*totale, 0, INT16_MAX));
    LimitiRubrica[memoria] = limiti;
    RicordaUltimiLimiti(limiti);
    Telefono.RubLetta[memoria] = true;
    RifiutiRubrica[memoria].clear();
    return EsitoLettura::Letta;
}

QString NomeNonScrivibile(const QString& nome)
{
    if (nome.isEmpty())
        return {};
    if (SetTelefono == SetCaratteri::Ignoto)
        return Msg(VoceSetIgnoto);
    const QString mancanti = LettereNonScrivibili(nome, SetTelefono);
    return mancanti.isEmpty() ? QString() : Msg(VoceLettereMancanti) + mancanti;
}

bool ScriviVoceRubrica(uint8_t memoria, const QString& posizione, const QString& nome,
                       const QString& numero, QString* rifiuto)
{
    bool numerica = false;
    const int p = posizione.trimmed().toInt(&numerica);
    if (memoria >= NumMemorie || !numerica || !PosizioneValida(p)
        || !NomeNonScrivibile(nome).isEmpty())
        return false;
    const AttesaInCorso attesa(Msg(364));
    Dialogo dialogo;
    const bool cancella = nome.isEmpty() && numero.isEmpty();
    const QString comando = cancella ? QStringLiteral("AT+CPBW=") + QString::number(p)
                                     : ComandoScrittura(QString::number(p), nome, numero);
    if (!dialogo.Seleziona(CodiceMemoria(memoria)) || !RispostaOk(dialogo.Invia(comando))
        || dialogo.Perso()) {
        if (rifiuto && !dialogo.Perso())
            *rifiuto = UltimaRigaRifiuto();
        return false;
    }
    VoceRubrica& voce = Telefono.Rubrica[memoria][static_cast<size_t>(p)];
    voce = cancella ? VoceRubrica{} : VoceRubrica{QString::number(p), nome, numero};
    if (!cancella)
        ComeSulTelefono(voce, {});
    return true;
}

std::vector<VoceSegnalata> VociNonScrivibili()
{
    std::vector<VoceSegnalata> voci;
    for (const int memoria : MemorieScritte) {
        for (int p = 1; p <= PosizioniTenute(memoria); ++p) {
            const VoceRubrica& voce
                = Telefono.Rubrica[static_cast<size_t>(memoria)][static_cast<size_t>(p)];
            if (voce.Posizione.isEmpty())
                continue;
            if (const QString motivo = MotivoNonScrivibile(voce); !motivo.isEmpty())
                voci.push_back({memoria, p, motivo});
        }
    }
    return voci;
}

EsitoScritturaRubrica ScriviRubrica(const std::vector<VoceSegnalata>& saltate)
{
    const AttesaInCorso attesa(Msg(365));
    Dialogo dialogo;
    EsitoScritturaRubrica esito;
    for (const int memoria : MemorieScritte)
        ScriviMemoria(dialogo, memoria, saltate, esito);
    esito.collegamentoPerso = dialogo.Perso();
    esito.nonScritte.insert(esito.nonScritte.end(), saltate.begin(), saltate.end());
    std::sort(esito.nonScritte.begin(), esito.nonScritte.end(),
              [](const VoceSegnalata& a, const VoceSegnalata& b) {
                  return std::pair(a.memoria, a.posizione) < std::pair(b.memoria, b.posizione);
              });
    // The table must hold what the phone holds: the next view reads such a memory again.
    for (const auto* voci : {&esito.nonScritte, &esito.senzaRisposta})
        for (const VoceSegnalata& voce : *voci)
            Telefono.RubLetta[static_cast<size_t>(voce.memoria)] = false;
    return esito;
}

bool DecodificaVoceChiamata(const QString& riga, PosizioniLista& lista)
{
    const std::optional<RigaVoce> letta = DecodificaRigaVoce(riga);
    if (!letta || letta->posizione == 0)
        return false;
    if (letta->posizione > MaxChiamate)
        return true;
    VoceChiamata& voce = lista[static_cast<size_t>(letta->posizione)];
    // The phonebook's name for the number, else the one the phone gave with the call; a name
    // either could not read is unknown, not "not in phonebook".
    const VoceRubrica* inRubrica = VoceDelNumero(letta->numero);
    const std::optional<QString> dalTelefono = NomeDellaRiga(*letta, SetTelefono);
    if (inRubrica && !inRubrica->Nome.isEmpty())
        voce.Nome = inRubrica->Nome;
    else
        voce.Nome = dalTelefono.value_or(QString());
    voce.NomeIgnoto = voce.Nome.isEmpty() && (!dalTelefono || (inRubrica && inRubrica->NomeIgnoto));
    voce.Numero = letta->numero;
    return true;
}

EsitoLettura LeggiListaChiamate(uint8_t lista, size_t* nonLette)
{
    if (lista >= NumListeChiamate)
        return EsitoLettura::Rifiutata;
    const AttesaInCorso attesa(Msg(363) + QString::number(lista));
    Dialogo dialogo;
    PosizioniLista letta{};
    bool rifiutata = !dialogo.Seleziona(CodiceLista(lista));
    if (!rifiutata) {
        const QString elenco
            = dialogo.Invia(QStringLiteral("AT+CPBR=1,") + QString::number(MaxChiamate));
        rifiutata = dialogo.Rifiutato();
        for (const QString& riga : RigheVoci(elenco))
            if (!DecodificaVoceChiamata(riga, letta) && nonLette)
                ++*nonLette;
    }
    if (dialogo.Perso())
        return EsitoLettura::CollegamentoPerso;
    // A list the phone would not give has no calls to show, and no count either.
    RifiutiListe[lista] = rifiutata ? UltimaRigaRifiuto() : QString();
    Telefono.Chiamate[lista] = std::move(letta);
    Telefono.ListeLette[lista] = true;
    return rifiutata ? EsitoLettura::Rifiutata : EsitoLettura::Letta;
}

bool LeggiMemorie(bool soloNonLette, bool fileDaSalvare)
{
    LettureRifiutate rifiutate;
    RigheIlleggibili illeggibili;
    for (uint8_t m = 0; m < NumMemorie; ++m) {
        if (soloNonLette && (Telefono.RubLetta[m] || !LineaLibera))
            continue;
        const EsitoLettura esito = LeggiRubrica(m);
        if (esito == EsitoLettura::CollegamentoPerso)
            return false;
        if (esito == EsitoLettura::Rifiutata)
            rifiutate.Annota(NomiMemoria[m], RifiutiRubrica[m]);
        if (esito == EsitoLettura::Letta)
            illeggibili.Annota(NomiMemoria[m], RigheNonLette[m].size());
    }
    rifiutate.Avvisa(fileDaSalvare ? VoceMemorieRifiutateColFile : VoceMemorieRifiutate);
    illeggibili.Avvisa();
    return true;
}

void LeggiListeChiamate()
{
    LettureRifiutate rifiutate;
    RigheIlleggibili illeggibili;
    for (uint8_t l = 0; l < NumListeChiamate; ++l) {
        size_t nonLette = 0;
        const EsitoLettura esito = LeggiListaChiamate(l, &nonLette);
        if (esito == EsitoLettura::CollegamentoPerso)
            return;
        if (esito == EsitoLettura::Rifiutata)
            rifiutate.Annota(Msg(PrimaVoceLista + l), RifiutiListe[l]);
        illeggibili.Annota(Msg(PrimaVoceLista + l), nonLette);
    }
    rifiutate.Avvisa();
    illeggibili.Avvisa();
}
