// The ring tone replies: the ranges ("AT^SRTC=?") and the setting ("AT^SRTC?"), divided by a NUL
// byte.

#include "comune.h"

#include "melodia.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    const QStringList r = Parti(dati, lunghezza, 2);
    if (const std::optional<Suoneria> limiti = DecodificaLimitiSuoneria(r[0]))
        Verifica(limiti->tono >= 0 && limiti->volume.value_or(0) >= 0,
                 "the ring tone ranges are not negative");
    if (const std::optional<Suoneria> suoneria = DecodificaSuoneria(r[1]))
        Verifica(suoneria->tono >= 0 && suoneria->volume.value_or(0) >= 0,
                 "the ring tone setting is not negative");
    return 0;
}
