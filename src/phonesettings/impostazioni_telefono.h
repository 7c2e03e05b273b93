#pragma once

#include "funzioni.h"

// The phone settings as the main window reaches them.
class ImpostazioniTelefono : public FunzioniImpostazioni {
public:
    bool CaricaFileOperatori(const QString& percorso) override;
    QString NomeOperatore(const QString& codice) override;
    uint8_t LivelloSegnale(int16_t dBm) override;
    void LeggiOperatori() override;
    void DecodificaLunghezzeCodici(const QString& risposta) override;
};
