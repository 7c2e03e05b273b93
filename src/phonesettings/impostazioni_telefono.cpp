#include "impostazioni_telefono.h"

#include "codici.h"
#include "operatori.h"

bool ImpostazioniTelefono::CaricaFileOperatori(const QString& percorso)
{
    return ::CaricaFileOperatori(percorso);
}

QString ImpostazioniTelefono::NomeOperatore(const QString& codice)
{
    return ::NomeOperatore(codice);
}

uint8_t ImpostazioniTelefono::LivelloSegnale(int16_t dBm)
{
    return ::LivelloSegnale(dBm);
}

void ImpostazioniTelefono::LeggiOperatori()
{
    ::LeggiOperatori();
}

void ImpostazioniTelefono::DecodificaLunghezzeCodici(const QString& risposta)
{
    ::DecodificaLunghezzeCodici(risposta);
}
