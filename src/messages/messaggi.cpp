#include "messaggi.h"

#include "archivio.h"

bool Messaggi::CaricaArchivioSMS()
{
    return ::CaricaArchivioSMS();
}
