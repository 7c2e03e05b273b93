// The operator list file "reti.op", loaded as at start-up. What was loaded, saved and loaded
// again must be the same operators; a file without any line holds no operator.

#include "comune.h"

#include "globali.h"
#include "operatori.h"
#include "setcaratteri.h"

namespace {

QString Descrivi(const std::vector<Operatore>& operatori)
{
    QStringList righe;
    for (const Operatore& op : operatori)
        righe << QStringLiteral("[%1] [%2]").arg(op.Codice, op.Nome);
    return righe.join(u'\n');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    const QString percorso = FileDiLavoro(QStringLiteral("reti.op"));
    ScriviFile(percorso, Byte(dati, lunghezza));
    Telefono.Operatori.clear();
    Telefono.OperatoriLetti = false;
    Verifica(CaricaFileOperatori(percorso), "an operator file that can be read loads");
    Verifica(Telefono.OperatoriLetti, "a loaded operator list is marked read");
    if (lunghezza == 0)
        Verifica(Telefono.Operatori.empty(), "an empty operator file holds no operator",
                 Descrivi(Telefono.Operatori));
    for (const Operatore& op : Telefono.Operatori) {
        Verifica(op.Codice.size() == 5, "an operator code is 5 characters", op.Codice);
        Verifica(LettereNonInFile(op.Nome).isEmpty(),
                 "a name loaded from the file loses no letter when saved again", op.Nome);
        NomeOperatore(op.Codice);
    }
    const QString caricati = Descrivi(Telefono.Operatori);
    Verifica(SalvaFileOperatori(percorso), "the operator list is saved");
    Telefono.Operatori.clear();
    Verifica(CaricaFileOperatori(percorso), "the saved operator list loads");
    Verifica(Descrivi(Telefono.Operatori) == caricati, "saved operators load back the same",
             caricati + QStringLiteral("\n--\n") + Descrivi(Telefono.Operatori));
    return 0;
}
