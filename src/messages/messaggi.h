#pragma once

#include "funzioni.h"

#include <QString>

#include <cstdint>
#include <functional>

class frmMain;
struct MessaggioSMS;

// The messages as the main window reaches them: the summary, the folder list with its reader
// pane, and the commands on the selected message.
class Messaggi : public FunzioniMessaggi {
public:
    explicit Messaggi(frmMain& finestra);

    bool CaricaArchivioSMS() override;
    void LeggiTuttiSMS() override;
    void LeggiSMS(uint8_t& posizione) override;

    void ShowSMSInfo() override;
    void ShowSMS(uint8_t& cartella) override;
    void ShowSMSTxt(uint8_t& indice) override;

    void InviaSMS(bool numeroDaElenco, bool modoArchivio) override;
    void RispondiSMS() override;
    void EditSMS() override;
    void DelSMS() override;
    void SalvaSMS() override;
    void InviaSMSdaTel() override;
    void StampaSMS() override;
    void LinguaCambiata() override;

    // Appends a run of text to the reader pane; colour is an index of the 16-colour palette.
    void OutRTF(const QString& testo, uint8_t colore, const QString& font, int dimensione,
                bool grassetto);
    // Gives the last `conta` characters of the reader pane palette colour `colore` and leaves
    // the caret at the end.
    void SetColor(int16_t colore, int16_t conta);

private:
    // Runs a command, then: a SIM the command changed is read again by the next view of it, and
    // the folder on show is shown again when what it lists changed.
    void mostrandoModifiche(const std::function<void()>& comando);

    // The message of the selected list row in the selected folder, with its position; null
    // when no row is selected or the position holds no message.
    MessaggioSMS* messaggioScelto(uint8_t& cartella, uint8_t& posizione) const;
    // The folder view: its columns and reader pane, then its rows and commands.
    void preparaCartella(uint8_t cartella);
    void riempiCartella(uint8_t cartella);
    void aggiungiRigheCartella(uint8_t cartella);
    void applicaComandi(uint8_t cartella, bool conRighe);
    void scriviTestataMessaggio(const MessaggioSMS& messaggio, uint8_t posizione);
    void salvaInArchivio(const MessaggioSMS& messaggio);
    void salvaNellaSIM(const MessaggioSMS& messaggio);
    void offriRubrica();

    frmMain& f;
};
