#pragma once

#include "funzioni.h"
#include "mscomm.h"
#include "rifiuti.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <cstdint>

class frmMain;
struct RigaVista;

// The text shown for a communications error of the port, by its event code.
QString TestoErroreComunicazione(int codice);

// The phone link of the main window: the port and its receive path, the connection handshake
// with its timers, the status bar and busy light, and the identity, power and network views.
// Built with the window it serves; the AT exchange of the whole program uses its port.
class Collegamento : public QObject, public FunzioniCollegamento {
    Q_OBJECT
public:
    explicit Collegamento(frmMain& finestra);
    ~Collegamento() override;

    void Inizializza() override;
    void Connetti() override;
    void ShowInfo() override;
    void ShowAlim() override;
    void ShowRete(int16_t rileggi) override;
    bool ImpostaNotificaSMS(bool attiva) override;
    bool ImpostaCLIP(bool attiva);
    void LeggiCentroSMS() override;
    int CommPort() const override { return MSComm1.CommPort(); }
    bool PortOpen() const override { return MSComm1.PortOpen(); }
    void ChiudiPorta() override;
    bool ImpostaCommPort(int porta, QString& errore) override;

    MSComm MSComm1;
    QTimer Timer1;    // status
    QTimer TimerEcho; // one shot: "ATE0"
    QTimer TimerGetT; // one shot: the rest of the handshake
    QTimer TimerOUT;  // connection time-out
    QTimer TimerLed;  // busy light
    int16_t Tentativi = 0;

    // The new-message indications waiting for the line to be free, by message position.
    const QList<uint8_t>& IndicazioniInAttesa() const { return indicazioni; }

private:
    // Receive path of the port.
    void MSComm1_Ricezione(const QString& pezzo);
    void MSComm1_Errore(int codice);

    // Handshake and status.
    void TimerEcho_Timer();
    void TimerGetT_Timer();
    void TimerOUT_Timer();
    void Timer1_Timer();
    void TimerLed_Timer();
    void passoIdentita();
    void fermaHandshake();
    void abilitaMenuPrincipali(bool abilita);
    void mostraConnesso();
    void mostraDisconnesso();
    void scriviOraPC();
    void cancellaLetture();
    // The tables that hold names the phone gives, in its character set.
    void cancellaLettureNomi();

    // New-message indications, answered outside the receive path when the line is free.
    void accodaIndicazioni(const QList<int>& indici, const QStringList& memorie);
    void rispondiIndicazioni();
    // A message the program does not list, in another memory or past the SIM positions it
    // reads, is told of once the line is free, never read.
    void accodaNonElencato(const QString& avviso);
    void avvisaNonElencati();
    bool lineaDisponibile() const;

    // Views.
    // The identity view, read when unread; returns the values the phone did not give, for the
    // caller to tell.
    LettureRifiutate mostraInfo();
    void aggiungiRighe(const QList<RigaVista>& righe);

    frmMain& f;
    bool identitaInSospeso = false;
    bool conImmagineDisconnetti = false;
    QList<uint8_t> indicazioni;
    QStringList nonElencati; // what to tell of messages that came where the program lists none
    bool rispondendo = false;
};
