// The phonebook file (".rub"), loaded as the program opens it, then its text export. A file the
// program saved must load back and save again byte for byte.

#include "comune.h"

#include "filerubrica.h"
#include "globali.h"

namespace {

// Saves the table, clears it, loads what was saved and saves again.
QByteArray SalvaERicarica()
{
    const QByteArray salvato = BytesFileRubrica();
    Telefono = DatiTelefono();
    const std::optional<RubricaDaFile> riletta = LeggiBytesFileRubrica(salvato);
    Verifica(riletta.has_value(), "a phonebook file the program saved loads");
    ApplicaRubricaDaFile(*riletta);
    return salvato;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    Telefono = DatiTelefono();
    const QString percorso = FileDiLavoro(QStringLiteral("prova.rub"));
    ScriviFile(percorso, Byte(dati, lunghezza));
    if (!CaricaFileRubrica(percorso))
        return 0;
    BytesFileRubricaTxt();
    const QByteArray primo = SalvaERicarica();
    const QByteArray secondo = SalvaERicarica();
    Verifica(primo == secondo, "a saved phonebook file loads and saves again byte for byte");
    return 0;
}
