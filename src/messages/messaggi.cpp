#include "messaggi.h"

#include "archivio.h"
#include "cartelle.h"
#include "catalogo.h"
#include "frmmain.h"
#include "globali.h"
#include "interazione.h"
#include "invio.h"
#include "letturasms.h"
#include "pdu.h"

#include <QDir>

namespace {

constexpr int VoceArchivioDanneggiato = 792;
constexpr int VoceCopiaConservata = 793;
constexpr int VoceArchivioIlleggibile = 800;
constexpr int VoceArchivioNonSovrascritto = 801;

} // namespace

Messaggi::Messaggi(frmMain& finestra) : f(finestra) {}

void Messaggi::LinguaCambiata()
{
    for (MessaggioSMS& messaggio : Telefono.SMS)
        RinnovaTestoRapporto(messaggio);
    for (MessaggioSMS& messaggio : ArchivioSMS)
        RinnovaTestoRapporto(messaggio);
}

bool Messaggi::CaricaArchivioSMS()
{
    const bool letto = ::CaricaArchivioSMS();
    if (const std::optional<DannoArchivio> danno = DannoDaSegnalare())
        MsgBox(Msg(VoceArchivioDanneggiato) + QString::number(danno->byteScartati)
                   + QStringLiteral("\n") + Msg(VoceCopiaConservata)
                   + QDir::toNativeSeparators(danno->copia),
               QMessageBox::Warning);
    if (const std::optional<FileRifiutato> rifiuto = IlleggibileDaSegnalare())
        MsgBox(rifiuto->Spiegazione(VoceArchivioIlleggibile) + QStringLiteral("\n")
                   + Msg(VoceArchivioNonSovrascritto),
               QMessageBox::Warning);
    return letto;
}

void Messaggi::LeggiTuttiSMS()
{
    ::LeggiTuttiSMS();
}

void Messaggi::LeggiSMS(uint8_t& posizione)
{
    ::LeggiSMS(posizione);
}

void Messaggi::mostrandoModifiche(const std::function<void()>& comando)
{
    const int simPrima = ModificheSIM();
    const int archivioPrima = ModificheArchivio();
    comando();
    const bool sim = ModificheSIM() != simPrima;
    const bool archivio = ModificheArchivio() != archivioPrima;
    // What the view on show lists is no longer the phone's: a link lost under its next read
    // must not leave it on show.
    if (sim) {
        Telefono.SMSLetti = false;
        f.VistaMostrata.clear();
    }
    if (f.CurrentView != 2)
        return;
    uint8_t cartella = CartellaDaChiave(f.ChiaveSelezionata());
    if (cartella == Archivio ? archivio : sim)
        ShowSMS(cartella);
}
