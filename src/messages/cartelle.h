#pragma once

// The four message folders and which of the main window's message commands each offers.

#include "telefono.h"

#include <QList>
#include <QString>

#include <cstdint>

enum Cartella : uint8_t { Ricevuti = 0, Inviati = 1, NonInviati = 2, Archivio = 3 };

// The folder of a tree node key; received for any key that names no folder.
uint8_t CartellaDaChiave(const QString& chiave);
// The tree node key of a folder; empty for a code that names none.
QString ChiaveCartella(uint8_t cartella);

// Whether a SIM message belongs in a folder: received (unread or read), sent or unsent. An
// empty position belongs nowhere; a message with no text belongs where its status puts it.
bool NellaCartella(const MessaggioSMS& messaggio, uint8_t cartella);
// The SIM positions (1 to 10) or archive entries (1 to NumArchivio) a folder lists, in order.
QList<int> PosizioniCartella(uint8_t cartella);
// The message at a position of a folder (an archive entry for the archive, a SIM position for
// the others); null when that position holds none.
MessaggioSMS* MessaggioIn(uint8_t cartella, int posizione);

struct StatoVoce {
    bool visibile = false;
    bool attiva = false;
    bool operator==(const StatoVoce& altro) const
    {
        return visibile == altro.visibile && attiva == altro.attiva;
    }
};

// The commands a listed folder offers, by the names of the main window's controls.
struct ComandiCartella {
    StatoVoce pRispondiSMS, pNuovoSMS, pSalvaSMS, pEditSMS, pEliminaSMS, pSalvaSMSinTel, pInviaSMS2,
        pStampaSMS;
    bool mnuSMSNew = false, mnuSMSSalvaA = false, mnuSMSSalvaS = false, mnuSMSEdit = false,
         mnuSMSDel = false, mnuSMSRis = false, mnuSMSInv = false, mnuSMSSta = false;
    StatoVoce popSSend, popSReply, popSEdit, popSDel, popSSA, popSSS;
};
ComandiCartella ComandiPerCartella(uint8_t cartella, bool conRighe, bool connesso);
