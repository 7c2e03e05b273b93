// The identity, power, network and service centre replies, read as the link reads them after
// connecting and shown as the key/value views show them.

#include "comune.h"

#include "globali.h"
#include "operatori.h"
#include "statotelefono.h"

namespace {

enum Risposta { CGMI, CGMM, CGMR, CGSN, CIMI, SCID, CBC, CREG, COPS, CSQ, CSCA, NumRisposte };

void LeggiIdentita(const QStringList& r)
{
    Identita identita = IdentitaIgnota();
    identita.Produttore = r[CGMI];
    identita.Modello = r[CGMM];
    if (IdentitaDaRileggere(identita.Produttore, identita.Modello)) {
        identita.Produttore = PrimaRiga(identita.Produttore);
        identita.Modello = PrimaRiga(identita.Modello);
    }
    identita.Revisione = r[CGMR];
    identita.IMEI = r[CGSN];
    identita.IMSI = r[CIMI];
    AnalizzaSCID(r[SCID], identita.CodiceSIM);
    Registra(identita, Telefono);
}

void MostraViste()
{
    RigheInfo(Telefono);
    const int figuraBatteria = RigheAlim(Telefono).last().immagine;
    const int16_t dBm = LivelloInDBm(Telefono.LivelloSegnale);
    const uint8_t barre = LivelloSegnale(dBm);
    Verifica(barre <= 5, "the signal has 0 to 5 bars", Telefono.LivelloSegnale);
    RigheRete(Telefono, NomeOperatore(Telefono.CodiceOperatore), barre);
    const int immagine = ImmagineBatteria(Telefono.LivelloBatteria);
    Verifica(immagine >= 21 && immagine <= 26, "the battery picture is one of 21 to 26",
             Telefono.LivelloBatteria);
    // An unknown charge has no picture.
    Verifica(figuraBatteria == immagine || figuraBatteria == 0,
             "the battery row shows the picture of its charge, or none", Telefono.LivelloBatteria);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    Telefono = DatiTelefono();
    const QStringList r = Parti(dati, lunghezza, NumRisposte);
    LeggiIdentita(r);

    Alimentazione alimentazione = AlimentazioneIgnota();
    AnalizzaCBC(r[CBC], alimentazione);
    Registra(alimentazione, Telefono);

    // The operator's code as a phone in the GSM alphabet gives it, and as one in UCS2, which may
    // give it in hex too.
    for (const SetCaratteri set : {SetCaratteri::UCS2, SetCaratteri::GSM}) {
        SetTelefono = set;
        Rete rete = ReteDi(Telefono);
        AnalizzaRete(r[CREG], r[COPS], r[CSQ], rete);
        Registra(rete, Telefono);
    }

    AnalizzaCSCA(r[CSCA], Telefono.SMSC);
    NumeroIniziale(r[CBC]);
    MostraViste();
    return 0;
}
