#include "vocabolario.h"

#include "catalogo.h"
#include "codecs.h"
#include "globali.h"

namespace {

// Element i of the table takes entry prima + i; a missing text keeps the element as it was.
template <size_t N>
void riempi(std::array<QString, N>& tabella, int prima)
{
    for (size_t i = 0; i < N; ++i)
        SeTesto(prima + static_cast<int>(i), [&](const QString& t) { tabella[i] = t; });
}

} // namespace

void InitTabelleLingua()
{
    riempi(NomiMemoria, 334);
    riempi(StatiRete, 339);
    riempi(StatiAlim, 345);
    riempi(NomiBlocchi, 349);
    riempi(ClassiBlocchi, 358);
    CodiciBlocchi = {QStringLiteral("CS"), QStringLiteral("PS"), QStringLiteral("SC"),
                     QStringLiteral("FD"), QStringLiteral("AO"), QStringLiteral("OI"),
                     QStringLiteral("OX"), QStringLiteral("AI"), QStringLiteral("IR")};
    riempi(ClassiTrasf, 454);
    InitAlfabetoGSM();
}
