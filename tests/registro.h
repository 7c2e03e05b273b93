#pragma once

// Subsystems that only write down what the main window asked of them, so a test can check
// where every command leads.

#include "funzioni.h"

#include <QStringList>

struct Registro {
    QStringList chiamate;
    bool notificaAccettata = true;
    int porta = 1;
    bool portaAperta = false;
};

class CollegamentoFinto : public FunzioniCollegamento {
public:
    explicit CollegamentoFinto(Registro& r) : reg(r) {}
    void Connetti() override { reg.chiamate << "Connetti"; }
    void ShowInfo() override { reg.chiamate << "ShowInfo"; }
    void ShowAlim() override { reg.chiamate << "ShowAlim"; }
    void ShowRete(int16_t n) override { reg.chiamate << QStringLiteral("ShowRete(%1)").arg(n); }
    bool ImpostaNotificaSMS(bool a) override
    {
        reg.chiamate << QStringLiteral("ImpostaNotificaSMS(%1)").arg(a);
        return reg.notificaAccettata;
    }
    void LeggiCentroSMS() override { reg.chiamate << "LeggiCentroSMS"; }
    int CommPort() const override { return reg.porta; }
    bool PortOpen() const override { return reg.portaAperta; }
    void ChiudiPorta() override
    {
        reg.chiamate << "ChiudiPorta";
        reg.portaAperta = false;
    }
    bool ImpostaCommPort(int porta, QString& errore) override
    {
        if (porta < 1 || porta > 8) {
            errore = QStringLiteral("Invalid port number");
            return false;
        }
        reg.porta = porta;
        return true;
    }

private:
    Registro& reg;
};

class RubricaFinta : public FunzioniRubrica {
public:
    explicit RubricaFinta(Registro& r) : reg(r) {}
    void ShowRubrica(int16_t m) override
    {
        reg.chiamate << QStringLiteral("ShowRubrica(%1)").arg(m);
    }
    void ShowRubricaCompleta() override { reg.chiamate << "ShowRubricaCompleta"; }
    void AddRubrica() override { reg.chiamate << "AddRubrica"; }
    void EditRubrica() override { reg.chiamate << "EditRubrica"; }
    void DelRubrica() override { reg.chiamate << "DelRubrica"; }
    void StampaRubrica() override { reg.chiamate << "StampaRubrica"; }
    void ApriRubrica() override { reg.chiamate << "ApriRubrica"; }
    void SalvaRubrica() override { reg.chiamate << "SalvaRubrica"; }
    void InviaRubrica() override { reg.chiamate << "InviaRubrica"; }
    void ShowListFolder() override { reg.chiamate << "ShowListFolder"; }
    void ShowList(uint8_t l) override { reg.chiamate << QStringLiteral("ShowList(%1)").arg(l); }
    void LeggiListeChiamate() override { reg.chiamate << "LeggiListeChiamate"; }

private:
    Registro& reg;
};

class MessaggiFinti : public FunzioniMessaggi {
public:
    explicit MessaggiFinti(Registro& r) : reg(r) {}
    void LeggiTuttiSMS() override { reg.chiamate << "LeggiTuttiSMS"; }
    void ShowSMSInfo() override { reg.chiamate << "ShowSMSInfo"; }
    void ShowSMS(uint8_t& c) override { reg.chiamate << QStringLiteral("ShowSMS(%1)").arg(c); }
    void ShowSMSTxt(uint8_t& i) override
    {
        reg.chiamate << QStringLiteral("ShowSMSTxt(%1)").arg(i);
    }
    void InviaSMS(bool a, bool b) override
    {
        reg.chiamate << QStringLiteral("InviaSMS(%1,%2)").arg(a).arg(b);
    }
    void RispondiSMS() override { reg.chiamate << "RispondiSMS"; }
    void EditSMS() override { reg.chiamate << "EditSMS"; }
    void DelSMS() override { reg.chiamate << "DelSMS"; }
    void SalvaSMS() override { reg.chiamate << "SalvaSMS"; }
    void InviaSMSdaTel() override { reg.chiamate << "InviaSMSdaTel"; }
    void StampaSMS() override { reg.chiamate << "StampaSMS"; }

private:
    Registro& reg;
};

class OggettiFinti : public FunzioniOggetti {
public:
    explicit OggettiFinti(Registro& r) : reg(r) {}
    void ShowLogo() override { reg.chiamate << "ShowLogo"; }
    void DelLogo() override { reg.chiamate << "DelLogo"; }
    void InviaLogo() override { reg.chiamate << "InviaLogo"; }
    void ApriLogo() override { reg.chiamate << "ApriLogo"; }
    void SalvaLogo() override { reg.chiamate << "SalvaLogo"; }
    void ShowMidi() override { reg.chiamate << "ShowMidi"; }
    void DelMidi() override { reg.chiamate << "DelMidi"; }
    void InviaMidi() override { reg.chiamate << "InviaMidi"; }
    void ApriMidi() override { reg.chiamate << "ApriMidi"; }
    void SalvaMidi() override { reg.chiamate << "SalvaMidi"; }
    void ShowCalendario() override { reg.chiamate << "ShowCalendario"; }
    void AddProm() override { reg.chiamate << "AddProm"; }
    void EditProm() override { reg.chiamate << "EditProm"; }
    void DelProm() override { reg.chiamate << "DelProm"; }
    void ApriProm() override { reg.chiamate << "ApriProm"; }
    void SalvaProm() override { reg.chiamate << "SalvaProm"; }
    void InviaProm() override { reg.chiamate << "InviaProm"; }
    void StampaProm() override { reg.chiamate << "StampaProm"; }

private:
    Registro& reg;
};

class ImpostazioniFinte : public FunzioniImpostazioni {
public:
    explicit ImpostazioniFinte(Registro& r) : reg(r) {}
    void ShowDataOra() override { reg.chiamate << "ShowDataOra"; }
    void ShowBlocchi() override { reg.chiamate << "ShowBlocchi"; }
    void CambiaBlocco() override { reg.chiamate << "CambiaBlocco"; }
    void ShowTrasfFolder() override { reg.chiamate << "ShowTrasfFolder"; }
    void ShowTrasferimenti(int m) override
    {
        reg.chiamate << QStringLiteral("ShowTrasferimenti(%1)").arg(m);
    }
    void EditTrasf(bool s) override { reg.chiamate << QStringLiteral("EditTrasf(%1)").arg(s); }
    void DelTrasf() override { reg.chiamate << "DelTrasf"; }
    void ShowSelRete(uint8_t a) override
    {
        reg.chiamate << QStringLiteral("ShowSelRete(%1)").arg(a);
    }

private:
    Registro& reg;
};

// Installs the recording subsystems in a main window.
template <class Finestra>
void InstallaRegistro(Finestra& f, Registro& r)
{
    f.collegamento = std::make_unique<CollegamentoFinto>(r);
    f.rubrica = std::make_unique<RubricaFinta>(r);
    f.messaggi = std::make_unique<MessaggiFinti>(r);
    f.oggetti = std::make_unique<OggettiFinti>(r);
    f.impostazioni = std::make_unique<ImpostazioniFinte>(r);
}
