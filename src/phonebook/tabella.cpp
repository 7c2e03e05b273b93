#include "tabella.h"

#include "catalogo.h"

#include <algorithm>

std::array<LimitiMemoria, NumMemorie> LimitiRubrica{};
std::array<QString, NumMemorie> RifiutiRubrica{};
std::array<QString, NumListeChiamate> RifiutiListe{};
std::array<std::vector<int>, NumMemorie> RigheNonLette{};

namespace {

constexpr int VoceNomiIgnotiNonSalvati = 896;
constexpr int VoceRigheNonLetteNonSalvate = 931;

bool NomiIgnotiInTabella()
{
    for (int m = 0; m < NumMemorie; ++m)
        for (int p = 1; p <= PosizioniTenute(m); ++p)
            if (Telefono.Rubrica[static_cast<size_t>(m)][static_cast<size_t>(p)].NomeIgnoto)
                return true;
    return false;
}

} // namespace

QString CodiceMemoria(int memoria)
{
    static const std::array<const char*, NumMemorie> codici{"SM", "FD", "ME", "ON"};
    if (memoria < 0 || memoria >= NumMemorie)
        return {};
    return QString::fromLatin1(codici[static_cast<size_t>(memoria)]);
}

int PosizioniTenute(int memoria)
{
    if (memoria < 0 || memoria >= NumMemorie)
        return 0;
    return std::clamp<int>(Telefono.RubTotale[static_cast<size_t>(memoria)], 0,
                           MaxPosizioniRubrica);
}

bool PosizioneValida(int posizione)
{
    return posizione >= 1 && posizione <= MaxPosizioniRubrica;
}

bool PosizioneLibera(int memoria, int posizione)
{
    if (memoria < 0 || memoria >= NumMemorie || !PosizioneValida(posizione))
        return false;
    const auto m = static_cast<size_t>(memoria);
    const std::vector<int>& nonLette = RigheNonLette[m];
    return Telefono.Rubrica[m][static_cast<size_t>(posizione)].Posizione.isEmpty()
           && std::find(nonLette.begin(), nonLette.end(), posizione) == nonLette.end();
}

void SvuotaRubrica(int memoria)
{
    if (memoria < 0 || memoria >= NumMemorie)
        return;
    const auto m = static_cast<size_t>(memoria);
    Telefono.RubUsate[m] = 0;
    Telefono.RubTotale[m] = 0;
    Telefono.Rubrica[m].fill(VoceRubrica{});
    RigheNonLette[m].clear();
}

std::vector<const VoceRubrica*> VociLette()
{
    std::vector<const VoceRubrica*> voci;
    for (int m = 0; m < NumMemorie; ++m) {
        if (!Telefono.RubLetta[static_cast<size_t>(m)])
            continue;
        for (int p = 1; p <= PosizioniTenute(m); ++p) {
            const VoceRubrica& voce
                = Telefono.Rubrica[static_cast<size_t>(m)][static_cast<size_t>(p)];
            if (!voce.Posizione.isEmpty() && !voce.NomeIgnoto)
                voci.push_back(&voce);
        }
    }
    return voci;
}

QString NomeMostrato(const VoceRubrica& voce)
{
    return voce.NomeIgnoto ? Msg(VoceSconosciuto) : voce.Nome;
}

int MotivoNessunFile()
{
    if (NomiIgnotiInTabella())
        return VoceNomiIgnotiNonSalvati;
    const auto conRighe = [](const std::vector<int>& righe) { return !righe.empty(); };
    if (std::any_of(RigheNonLette.begin(), RigheNonLette.end(), conRighe))
        return VoceRigheNonLetteNonSalvate;
    return 0;
}
