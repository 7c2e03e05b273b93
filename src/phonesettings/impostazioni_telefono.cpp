#include "impostazioni_telefono.h"

#include "operatori.h"

bool ImpostazioniTelefono::CaricaFileOperatori(const QString& percorso)
{
    return ::CaricaFileOperatori(percorso);
}
