#pragma once

#include <QString>

#include <cstdint>

class QTreeWidgetItem;

// The commands that the main window's tree, menus, toolbar and list reach in the other subsystems.
// Each subsystem derives its own class and the program installs it in the main window. A command
// of a subsystem that is not installed does nothing: the shell never depends on the features.

class FunzioniCollegamento {
public:
    virtual ~FunzioniCollegamento() = default;
    virtual void Inizializza() {}
    virtual void Connetti() {}
    virtual void ShowInfo() {}
    virtual void ShowAlim() {}
    virtual void ShowRete(int16_t /*rileggi*/) {}
    virtual bool ImpostaNotificaSMS(bool /*attiva*/) { return false; }
    virtual void LeggiCentroSMS() {}
    // The serial port of the phone: its number 1 to 8 and whether it is open.
    virtual int CommPort() const { return 1; }
    virtual bool PortOpen() const { return false; }
    virtual void ChiudiPorta() {}
    // Gives the port a new number; false with the serial layer's own text when it cannot.
    virtual bool ImpostaCommPort(int /*porta*/, QString& /*errore*/) { return true; }
};

class FunzioniRubrica {
public:
    virtual ~FunzioniRubrica() = default;
    virtual bool CaricaFileRubrica(const QString& /*percorso*/) { return false; }
    virtual void ShowRubrica(int16_t /*memoria*/) {}
    virtual void ShowRubricaCompleta() {}
    virtual void AddRubrica() {}
    virtual void EditRubrica() {}
    virtual void DelRubrica() {}
    virtual void StampaRubrica() {}
    virtual void ApriRubrica() {}
    virtual void SalvaRubrica() {}
    virtual void InviaRubrica() {}
    virtual void ShowListFolder() {}
    virtual void ShowList(uint8_t /*lista*/) {}
    // Reads the three call lists from the phone.
    virtual void LeggiListeChiamate() {}
    // Whether a row of a phonebook view stands for an entry the commands can act on.
    virtual bool RigaConVoce(const QTreeWidgetItem* /*riga*/) const { return false; }
};

class FunzioniMessaggi {
public:
    virtual ~FunzioniMessaggi() = default;
    virtual bool CaricaArchivioSMS() { return false; }
    virtual void LeggiTuttiSMS() {}
    virtual void LeggiSMS(uint8_t& /*posizione*/) {}
    virtual void ShowSMSInfo() {}
    virtual void ShowSMS(uint8_t& /*cartella*/) {}
    virtual void ShowSMSTxt(uint8_t& /*indice*/) {}
    virtual void InviaSMS(bool /*numeroDaElenco*/, bool /*modoArchivio*/) {}
    virtual void RispondiSMS() {}
    virtual void EditSMS() {}
    virtual void DelSMS() {}
    virtual void SalvaSMS() {}
    virtual void InviaSMSdaTel() {}
    virtual void StampaSMS() {}
    // The texts the program itself gave to messages follow the language just chosen.
    virtual void LinguaCambiata() {}
};

class FunzioniOggetti {
public:
    virtual ~FunzioniOggetti() = default;
    virtual void ShowLogo() {}
    virtual void DelLogo() {}
    virtual void InviaLogo() {}
    virtual void ApriLogo() {}
    virtual void SalvaLogo() {}
    // The favourite logos' files into the palette's slots 4 to 9.
    virtual void CaricaPreferiti() {}
    virtual void ShowMidi() {}
    virtual void DelMidi() {}
    virtual void InviaMidi() {}
    virtual void ApriMidi() {}
    virtual void SalvaMidi() {}
    virtual void ShowCalendario() {}
    virtual void AddProm() {}
    virtual void EditProm() {}
    virtual void DelProm() {}
    virtual void ApriProm() {}
    virtual void SalvaProm() {}
    virtual void InviaProm() {}
    virtual void StampaProm() {}
};

class FunzioniImpostazioni {
public:
    virtual ~FunzioniImpostazioni() = default;
    virtual bool CaricaFileOperatori(const QString& /*percorso*/) { return false; }
    // What the phone link's identity and network views use of the phone settings.
    virtual void LeggiOperatori() {}
    virtual QString NomeOperatore(const QString& codice) { return codice; }
    virtual uint8_t LivelloSegnale(int16_t /*dBm*/) { return 0; }
    virtual void DecodificaLunghezzeCodici(const QString& /*risposta*/) {}
    virtual void ShowDataOra() {}
    virtual void ShowBlocchi() {}
    virtual void CambiaBlocco() {}
    virtual void ShowTrasfFolder() {}
    virtual void ShowTrasferimenti(int /*ragione*/) {}
    virtual void EditTrasf(bool /*spegniSeAttivo*/) {}
    virtual void DelTrasf() {}
    virtual void ShowSelRete(uint8_t /*apri*/) {}
};
