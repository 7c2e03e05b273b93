#pragma once

#include "telefono.h"

#include <QList>
#include <QString>

#include <cstdint>

// The phone's identity, power and network groups as the replies give them, and the rows their
// views show. Pure functions: a reply too short, garbled or quoted where the phone usually does
// not quote never reads outside the text; a field of the identity or power that a reply cannot
// give keeps its value, one of the network is unknown. The reads start the identity and power
// from unknown, so that no value shows that the phone did not give.

struct Identita {
    QString Produttore, Modello, Revisione, IMEI, IMSI, CodiceSIM;
};
// The power state of a phone that did not give it, past the four it gives.
constexpr uint8_t StatoAlimIgnoto = 4;
struct Alimentazione {
    uint8_t StatoAlim = 0;
    QString StatoAlimTesto, LivelloBatteria;
};
// The power values a "+CBC" reply gave.
struct ValoriAlim {
    bool stato = false;
    bool carica = false;
};
struct Rete {
    uint8_t StatoRete = 0;
    QString StatoReteTesto, CodiceOperatore, CodiceArea, IDCella, LivelloSegnale, BER;
};

// The values a network read gave: the registration state, the operator of a registered phone
// (one not registered has none to give), the signal level.
struct ValoriRete {
    bool stato = false;
    bool operatore = false;
    bool segnale = false;
};

// The identity and power with every value the views show unknown. The manufacturer and model,
// which name the phone's node rather than a row, are empty: the node then keeps its own name.
Identita IdentitaIgnota();
Alimentazione AlimentazioneIgnota();

void Registra(const Identita& identita, DatiTelefono& telefono);
void Registra(const Alimentazione& alimentazione, DatiTelefono& telefono);
Rete ReteDi(const DatiTelefono& telefono);
void Registra(const Rete& rete, DatiTelefono& telefono);

// "AT+CGMI" and "AT+CGMM" are asked again while a reply holds more than one line.
bool IdentitaDaRileggere(const QString& produttore, const QString& modello);
// What is kept of such a reply once the asking stops: its first line (empty for a bare OK).
QString PrimaRiga(const QString& risposta);

// "^SCID: <iccid>": the whole identification after the prefix. True when the reply gave one.
bool AnalizzaSCID(const QString& risposta, QString& codiceSIM);
// "+CBC: <state>,<charge>": a state of 0 to 3 and a charge of 0 to 100, each read on its own.
ValoriAlim AnalizzaCBC(const QString& risposta, Alimentazione& alimentazione);
// "+CREG: <n>,<state>[,<area>,<cell>[,<technology>]]", "+COPS: <mode>[,<format>,<operator>[,
// <technology>]]", "+CSQ: <rssi>,<ber>". A state past 5 is unknown; area and cell are hex
// numbers of at most 4 and 8 digits, else empty; rssi 0 to 31 and ber 0 to 7 are readings, any
// other number is unknown. A reply that gives no value (a refusal, a bare OK) leaves it
// unknown: no state, no operator of a registered phone, no signal level. A number out of its
// scale is the phone's own word that the value is not known, and counts as given.
ValoriRete AnalizzaRete(const QString& creg, const QString& cops, const QString& csq, Rete& rete);
// "+CSCA: "<number>",<type>": a type of address that is no octet leaves the centre as it was.
// True when the reply gave a centre.
bool AnalizzaCSCA(const QString& risposta, QString& smsc);

// The text at the start of a text read as a number (blanks, sign and decimals allowed); 0 when it
// begins with none.
double NumeroIniziale(const QString& testo);

// One row of the key/value views: catalogue entry of the caption, image (0 none) and value.
struct RigaVista {
    int voce = 0;
    int immagine = 0;
    QString valore;
    bool operator==(const RigaVista& altra) const
    {
        return voce == altra.voce && immagine == altra.immagine && valore == altra.valore;
    }
};

// The row shown offline before anything was read.
RigaVista RigaNonDisponibile();
QList<RigaVista> RigheInfo(const DatiTelefono& telefono);
QList<RigaVista> RigheAlim(const DatiTelefono& telefono);
// The operator's name and the signal bars come from the phone settings.
QList<RigaVista> RigheRete(const DatiTelefono& telefono, const QString& nomeOperatore,
                           uint8_t barre);

// The battery image for a charge text such as "80%": 21 to 26.
int ImmagineBatteria(const QString& livello);
// The level in dBm that a signal text stands for, for the signal bars: "> -51 dBm" is -51.
int16_t LivelloInDBm(const QString& testoSegnale);
