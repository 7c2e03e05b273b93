#include "tabella.h"

#include <algorithm>

std::array<LimitiMemoria, NumMemorie> LimitiRubrica{};

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

void SvuotaRubrica(int memoria)
{
    if (memoria < 0 || memoria >= NumMemorie)
        return;
    const auto m = static_cast<size_t>(memoria);
    Telefono.RubUsate[m] = 0;
    Telefono.RubTotale[m] = 0;
    Telefono.Rubrica[m].fill(VoceRubrica{});
}
