#include "cartelle.h"

#include "globali.h"
#include "letturasms.h"

#include <array>

namespace {

const std::array<QString, 4> ChiaviCartelle{QStringLiteral("SMS_IN"), QStringLiteral("SMS_OUT"),
                                            QStringLiteral("SMS_NOOUT"), QStringLiteral("SMS_ARC")};

} // namespace

uint8_t CartellaDaChiave(const QString& chiave)
{
    for (size_t i = 0; i < ChiaviCartelle.size(); ++i)
        if (ChiaviCartelle[i] == chiave)
            return static_cast<uint8_t>(i);
    return Ricevuti;
}

QString ChiaveCartella(uint8_t cartella)
{
    return cartella < ChiaviCartelle.size() ? ChiaviCartelle[cartella] : QString();
}

bool NellaCartella(const MessaggioSMS& messaggio, uint8_t cartella)
{
    if (!PosizioneOccupata(messaggio))
        return false;
    switch (cartella) {
    case Ricevuti:
        return messaggio.Stato == 0 || messaggio.Stato == 1;
    case Inviati:
        return messaggio.Stato == 3;
    case NonInviati:
        return messaggio.Stato == 2;
    default:
        return false;
    }
}

QList<int> PosizioniCartella(uint8_t cartella)
{
    QList<int> posizioni;
    if (cartella == Archivio) {
        // Every archive entry is a whole record of the file, with text or without.
        for (int i = 1; i <= NumArchivio; ++i)
            posizioni << i;
        return posizioni;
    }
    for (int i = 1; i <= NumPosizioniSMS; ++i)
        if (NellaCartella(Telefono.SMS[static_cast<size_t>(i)], cartella))
            posizioni << i;
    return posizioni;
}

MessaggioSMS* MessaggioIn(uint8_t cartella, int posizione)
{
    if (cartella == Archivio)
        return posizione >= 1 && posizione <= NumArchivio
                   ? &ArchivioSMS[static_cast<size_t>(posizione)]
                   : nullptr;
    if (posizione < 1 || posizione > NumPosizioniSMS)
        return nullptr;
    MessaggioSMS& messaggio = Telefono.SMS[static_cast<size_t>(posizione)];
    return PosizioneOccupata(messaggio) ? &messaggio : nullptr;
}

ComandiCartella ComandiPerCartella(uint8_t cartella, bool conRighe, bool connesso)
{
    const bool ricevuti = cartella == Ricevuti;
    const bool archivio = cartella == Archivio;
    const bool daInviare = cartella == Inviati || cartella == NonInviati;
    const bool sim = !archivio;
    const StatoVoce conRigheSempre{true, conRighe};

    ComandiCartella c;
    c.pRispondiSMS = {ricevuti, false}; // the reader pane enables it for a received message
    c.pNuovoSMS = {true, true};
    c.pSalvaSMS = {sim, sim && conRighe};
    c.pEditSMS = conRigheSempre;
    c.pEliminaSMS = conRigheSempre;
    c.pSalvaSMSinTel = {archivio, archivio && conRighe};
    c.pInviaSMS2 = {daInviare, daInviare && conRighe};
    c.pStampaSMS = conRigheSempre;

    c.mnuSMSNew = true;
    c.mnuSMSSalvaA = conRighe && sim;
    c.mnuSMSSalvaS = conRighe && archivio && connesso;
    c.mnuSMSEdit = conRighe;
    c.mnuSMSDel = conRighe && (ricevuti || archivio || connesso);
    c.mnuSMSRis = conRighe && ricevuti;
    c.mnuSMSInv = conRighe && cartella == NonInviati && connesso;
    c.mnuSMSSta = conRighe;

    // The pop-up shows its items only over rows; those that need the phone grey out offline.
    c.popSSend = {conRighe && cartella == NonInviati, connesso};
    c.popSReply = {conRighe && ricevuti, connesso};
    c.popSEdit = {conRighe, true};
    c.popSDel = {conRighe, archivio || connesso};
    c.popSSA = {conRighe && sim, true};
    c.popSSS = {conRighe && archivio, connesso};
    return c;
}
