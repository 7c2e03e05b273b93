#include "collegamento.h"

#include "impostazioni.h"

void Collegamento::Inizializza()
{
    // The stored port applies only when it is a valid number; the port stays closed.
    const auto testo = LeggiImpostazione(QStringLiteral("Config"), QStringLiteral("Porta"));
    if (!testo)
        return;
    if (const auto numero = NumeroImpostazione(*testo)) {
        QString errore;
        MSComm1.SetCommPort(static_cast<int>(*numero), errore);
    }
}

bool Collegamento::ImpostaCommPort(int porta, QString& errore)
{
    return MSComm1.SetCommPort(porta, errore);
}
