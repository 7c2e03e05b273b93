#include "messaggi.h"

#include "archivio.h"
#include "letturasms.h"

Messaggi::Messaggi(frmMain& finestra) : f(finestra) {}

bool Messaggi::CaricaArchivioSMS()
{
    return ::CaricaArchivioSMS();
}

void Messaggi::LeggiTuttiSMS()
{
    ::LeggiTuttiSMS();
}

void Messaggi::LeggiSMS(uint8_t& posizione)
{
    ::LeggiSMS(posizione);
}
