// The reminder file (".cal"), loaded as the reminders view opens it. Every used record must be
// saved back byte for byte, and every reminder sent to the phone and read back must keep its
// values on a second trip.

#include "comune.h"

#include "fileprom.h"
#include "globali.h"
#include "prom_comune.h"

namespace {

constexpr qsizetype InizioDescrizione = 92;

// The records of the bytes whose text does not begin with NUL, in order.
QByteArray RecordUsati(const QByteArray& contenuto)
{
    QByteArray usati;
    for (qsizetype i = 0; i + LunghezzaRecordProm <= contenuto.size(); i += LunghezzaRecordProm)
        if (contenuto.at(i + InizioDescrizione) != '\0')
            usati += contenuto.mid(i, LunghezzaRecordProm);
    return usati;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    const QByteArray contenuto = Byte(dati, lunghezza);
    const QString percorso = FileDiLavoro(QStringLiteral("prova.cal"));
    ScriviFile(percorso, contenuto);
    SvuotaProm(Telefono.Promemoria);
    if (!CaricaFileProm(percorso))
        return 0;
    Verifica(SalvaFileProm(percorso), "the reminders are saved");
    Verifica(LeggiFile(percorso) == RecordUsati(contenuto),
             "a reminder file saves back its used records byte for byte");
    for (const ::Promemoria& prom : Telefono.Promemoria)
        if (PromUsato(prom))
            ControllaInvioProm(prom);
    return 0;
}
