#pragma once

#include "funzioni.h"
#include "listareport.h"

#include <QObject>

#include <cstdint>

class frmMain;
class QAction;
class QTreeWidgetItem;

// The phone settings as the main window reaches them: the clock pane, the locks view, the call
// forwarding views, the network selection pane, and the operator list the link's views use.
class ImpostazioniTelefono : public QObject, public FunzioniImpostazioni {
    Q_OBJECT
public:
    // Wires the clock pane's buttons and fields of the window it serves.
    explicit ImpostazioniTelefono(frmMain& finestra);

    bool CaricaFileOperatori(const QString& percorso) override;
    QString NomeOperatore(const QString& codice) override;
    uint8_t LivelloSegnale(int16_t dBm) override;
    void LeggiOperatori() override;
    void DecodificaLunghezzeCodici(const QString& risposta) override;

    void ShowDataOra() override;
    void pImpostaOra_Click();
    void pSincrOra_Click();

    void ShowBlocchi() override;
    void CambiaBlocco() override;

    void ShowTrasfFolder() override;
    void ShowTrasferimenti(int motivo) override;
    void EditTrasf(bool daBarra) override;
    void DelTrasf() override;

    void ShowSelRete(uint8_t apri) override;

private:
    static constexpr int VoceErrore = 27;
    // Entry 328 "Si" for an active state, 329 "No" otherwise.
    static QString SiNo(bool attivo);
    // A lock's or a forwarding's state as the lists show it: "Si" for 1, "No" for 0, and the
    // unknown entry for any other state, one the phone did not give.
    static QString StatoMostrato(uint8_t stato);

    // Lays a view in the shared list out: its columns with headers, unsorted.
    void preparaElenco(const QList<ListaReport::Colonna>& colonne);
    QAction* pulsante(int posizione) const;
    void riempiCampiOra();
    void elencaTrasferimenti(int motivo);
    // The reason of the selected tree node "TRASF0" to "TRASF3"; -1 for any other node.
    int motivoSelezionato() const;
    // The selected row's index; -1 when none.
    int rigaSelezionata() const;
    // Offers to read the phonebook when the SIM memory is not there, as the forwarding dialog's
    // name list needs it.
    void offriRubrica();

    frmMain& f;
};
