// The vCalendar text of one phone reminder, as the phone gives it in its "vcs" object and as the
// reminders view shows it; then its trip to the phone and back, unchanged and changed in the
// dialog.

#include "comune.h"

#include "prom_comune.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    const QString testo = Testo(dati, lunghezza);
    const ::Promemoria prom = DecodificaVCalendar(testo);
    Verifica(DescriviProm(prom).size() == DescriviProm(::Promemoria()).size(),
             "every field of a reminder keeps its width", DescriviProm(prom));
    NomeRipetizione(prom.Ripetizione);
    ControllaInvioProm(prom);
    const ::Promemoria dalTelefono = PromDaTelefono(testo);
    Verifica(testo.isEmpty() || PromUsato(dalTelefono), "whatever a position holds is a reminder");
    ControllaInvioProm(dalTelefono);
    ControllaModifica(testo);
    return 0;
}
