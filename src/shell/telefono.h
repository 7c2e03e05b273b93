#pragma once

// The program-wide cache of everything read from the phone, and the records it holds. Each
// subsystem owns the fields of its feature; every group has its own already-read flag.
// Tables that the phone numbers from 1 keep slot 0 unused, so that an index is the phone's own
// position.

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// One phonebook entry. A free position has every field empty or false.
struct VoceRubrica {
    QString Posizione;  // decimal text of the position; empty marks a free position
    QString Nome;       // as shown, read in the phone's character set; a red-list name keeps its
                        // final "!"
    QString Numero;     // as the phone gives it, "+" included
    bool Rossa = false; // the stored name ends in "!" (red list)
    // The phone gave a name that could not be read in its character set: Nome is empty, and the
    // name is unknown, which no look-up finds and nothing writes back.
    bool NomeIgnoto = false;
};

// One call-list entry; an empty Numero marks a position without a call.
struct VoceChiamata {
    QString Nome;
    QString Numero;
    bool NomeIgnoto = false; // as in VoceRubrica: the phone's name could not be read
};

// One short message, of the SIM table or of the archive. An empty SIM position has no PDU; a
// message with no text has one, and LunghezzaDati 0.
struct MessaggioSMS {
    uint8_t Stato = 0;         // 0 received unread, 1 received read, 2 stored unsent, 3 stored sent
    uint8_t Tipo = 0;          // first octet & 3: 0 SMS-DELIVER, 1 SMS-SUBMIT, 2 STATUS-REPORT
    int16_t LunghezzaDati = 0; // TP-UDL: characters for 7-bit text, octets for 8-bit data
    QString PDU;               // the hex text exactly as read or stored
    QString SMSC;
    bool RapportoStato = false; // status report requested (SUBMIT) or indicated (DELIVER)
    uint8_t MR = 0;             // message reference, SMS-SUBMIT only
    QString Numero;             // originator or destination; "???" for an empty address
    uint8_t PID = 0;
    uint8_t DCS = 0;
    // Fixed 14 characters: time stamp YYMMDDhhmmsszz, or the relative validity octet in decimal
    // padded with blanks.
    QString DataOra;
    QString Testo;
};

// Fixed-width texts: a field never written holds NUL characters, so a new record is empty.
struct DataOraProm {
    QString Data = QString(10, QChar());  // DD/MM/YYYY
    QString Ora = QString(8, QChar());    // HH.MM:SS
    QString Stamp = QString(14, QChar()); // YYYYMMDDHHMMSS
    // The time was given in UTC (a "Z" after the seconds): written back so, or it would move by
    // the UTC offset.
    bool Utc = false;
};

// One calendar reminder; empty while Descrizione begins with NUL.
struct Promemoria {
    QString Categoria = QString(15, QChar());
    QString Ripetizione = QString(2, QChar()); // recurrence code; all NULs without a rule
    QString RipetizioneTesto = QString(11, QChar());
    DataOraProm Allarme;
    DataOraProm Inizio;
    QString Descrizione = QString(16, QChar());
    // The phone's own text of an entry read from the phone, which these fields hold only in part:
    // a write of the record sends this back as it was. Empty for a reminder from a file.
    QString Originale;
    // The phone refused to read this position: it may hold a reminder all the same, so it is
    // neither offered for a new one nor cleared when the list is sent.
    bool Rifiutato = false;
};

// The call forwarding of one reason, per class line: 0 voice, 1 fax, 2 data.
struct Trasferimento {
    std::array<uint8_t, 3> Stato{}; // 1 active
    std::array<QString, 3> Numero;  // empty for none
    std::array<uint8_t, 3> Tempo{}; // no-reply time in seconds, reason 2 only
};

struct Operatore {
    QString Codice; // the numeric code (country and network): 5 characters, or 6 digits
    QString Nome;
};

constexpr int NumMemorie = 4; // phonebook memories 0 "SM", 1 "FD", 2 "ME", 3 "ON"
constexpr int MaxPosizioniRubrica = 250;
constexpr int NumListeChiamate = 3; // 0 received, 1 missed, 2 dialled
constexpr int MaxChiamate = 10;
constexpr int NumPosizioniSMS = 10;
constexpr int NumPromemoria = 30;
constexpr int NumFacilitaBlocco = 9;
constexpr int NumClassiBlocco = 3;
constexpr int NumLunghezzeCodici = 12;
constexpr int NumMotiviTrasf = 4; // 0 unconditional, 1 busy, 2 no reply, 3 not reachable

struct DatiTelefono {
    // Identity, power and network.
    bool InfoLetta = false;
    QString Produttore;
    QString Modello;
    QString Revisione;
    QString IMEI;
    QString IMSI;
    bool AlimLetta = false;
    uint8_t StatoAlim = 0; // battery connection state 0 to 3
    QString StatoAlimTesto;
    QString LivelloBatteria; // charge followed by "%"
    bool ReteLetta = false;
    uint8_t StatoRete = 0; // registration state 0 to 5
    QString StatoReteTesto;
    QString CodiceOperatore; // numeric, or "---"
    QString CodiceSIM;
    QString CodiceArea;     // 4 characters, or "---"
    QString IDCella;        // 4 characters, or "---"
    QString LivelloSegnale; // display text, e.g. "-83 dBm"
    QString BER;

    // Phonebook. Index 4 of RubLetta is the red list's flag.
    std::array<bool, NumMemorie + 1> RubLetta{};
    std::array<int16_t, NumMemorie> RubTotale{};
    std::array<int16_t, NumMemorie> RubUsate{};
    uint8_t MaxNumero = 0; // longest number and name the phone accepts, from the memory read last
    uint8_t MaxNome = 0;
    // Memory by position 1 to 250; position 0 unused.
    std::array<std::array<VoceRubrica, MaxPosizioniRubrica + 1>, NumMemorie> Rubrica;

    // Service centre.
    bool SMSCLetto = false;
    QString SMSC; // as the phone gives it, "+" included
    // The phone did not give the centre when last asked, refusing it or answering with none: the
    // compose dialog asks again.
    bool SMSCNonDato = false;

    // Call lists: list by position 1 to 10; position 0 unused.
    std::array<bool, NumListeChiamate> ListeLette{};
    std::array<std::array<VoceChiamata, MaxChiamate + 1>, NumListeChiamate> Chiamate;

    // SIM messages at positions 1 to 10; slot 0 unused.
    std::array<MessaggioSMS, NumPosizioniSMS + 1> SMS;
    bool SMSLetti = false;

    bool LogoLetto = false;
    bool MidiLetta = false;

    // Reminders at phone positions 1 to 30; slot 0 unused. The field has its record type's name,
    // hence the qualified type.
    std::array<::Promemoria, NumPromemoria + 1> Promemoria;
    bool PromLetti = false;

    // Clock, fixed 8 characters each: "DD/MM/YY" and "HH:MM" padded with blanks.
    QString DataTel;
    QString OraTel;
    bool OraLetta = false;

    // Locks: facility 0 to 8 by class 0 voice, 1 fax, 2 data; 1 active.
    std::array<std::array<uint8_t, NumClassiBlocco>, NumFacilitaBlocco> Blocchi{};
    bool BlocchiLetti = false;
    // Maximum password length per code slot 0 to 11; 0 means no limit known.
    std::array<uint8_t, NumLunghezzeCodici> LunghezzaCodici{};

    std::array<Trasferimento, NumMotiviTrasf> Trasferimenti;
    bool TrasfLetti = false;

    std::vector<Operatore> Operatori; // from index 0
    bool OperatoriLetti = false;
};
