#pragma once

#include "funzioni.h"

// The messages as the main window reaches them.
class Messaggi : public FunzioniMessaggi {
public:
    bool CaricaArchivioSMS() override;
};
