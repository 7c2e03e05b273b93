// The lock replies: a facility's states ("AT+CLCK=<fac>,2") and the password lengths
// ("AT+CPWD=?"), then the barred classes the locks view shows. Input: a first byte that picks
// the facility, then the two reply bodies divided by a NUL byte.

#include "comune.h"

#include "blocchi.h"
#include "codici.h"
#include "globali.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    if (lunghezza == 0)
        return 0;
    const int facilita = dati[0] % NumFacilitaBlocco;
    const QStringList r = Parti(dati + 1, lunghezza - 1, 2);
    if (const std::optional<StatoClassi> stato = DecodificaBlocco(r[0], Sbarramento(facilita))) {
        for (const uint8_t s : *stato)
            Verifica(s <= 1, "a class is either locked or not");
        ClassiBloccate(facilita, *stato);
    }
    std::array<uint8_t, NumLunghezzeCodici> lunghezze{};
    DecodificaLunghezzeCodici(r[1], lunghezze);
    SlotCodice(r[1]);
    return 0;
}
