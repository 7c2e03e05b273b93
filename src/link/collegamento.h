#pragma once

#include "funzioni.h"
#include "mscomm.h"

// The phone link as the main window reaches it.
class Collegamento : public FunzioniCollegamento {
public:
    void Inizializza() override;
    int CommPort() const override { return MSComm1.CommPort(); }
    bool PortOpen() const override { return MSComm1.PortOpen(); }
    void ChiudiPorta() override { MSComm1.Close(); }
    bool ImpostaCommPort(int porta, QString& errore) override;

    MSComm MSComm1;
};
