#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <array>
#include <map>

// Everything the simulated phone remembers. Texts that travel on the line are kept as the bytes
// the phone sends (QByteArray); names are GSM default-alphabet codes, one byte per code.
namespace s25sim {

struct Identity {
    QByteArray manufacturer = "ARDESIA";
    QByteArray model = "S25";
    QByteArray revision = "21";
    QByteArray imei = "350000000000017";
    QByteArray imsi = "222010000000001";
    QByteArray iccid = "89390100001234567890";
};

struct Power {
    int connection = 0; // +CBC <bcs>: 0 battery, 1 external with battery, 2 external only
    int level = 80;     // +CBC <bcl>, percent
};

struct Operator {
    QByteArray code; // numeric, for example 22201
    QByteArray name; // in UTF-8
};

struct NetworkInRange {
    int status = 1; // 0 unknown, 1 available, 2 current, 3 forbidden
    Operator network;
};

struct Network {
    int registration = 1;     // +CREG <stat>
    int registrationMode = 2; // +CREG <n>: 2 reports area and cell, as the program expects
    QByteArray areaCode = "1A2B";
    QByteArray cellId = "3C4D";
    QByteArray operatorCode = "22201";
    int operatorFormat = 2; // +COPS <format>: 0 long name, 2 numeric
    int rssi = 15;
    int ber = 99;
    QList<Operator> operators;             // +COPN
    QList<NetworkInRange> networksInRange; // +COPS=?
};

struct PhonebookEntry {
    QByteArray number; // as the phone returns it, "+" included for type 145
    int type = 129;
    QByteArray name; // GSM codes
};

struct PhonebookMemory {
    int total = 0;
    int numberLength = 20;
    int nameLength = 14;
    bool readOnly = false;
    bool refused = false;                  // the phone answers ERROR when this memory is selected
    std::map<int, PhonebookEntry> entries; // by position
};

struct SmsSlot {
    int status = 0; // 0 received unread, 1 received read, 2 stored unsent, 3 stored sent
    QByteArray pdu; // upper-case hex, service centre field included
};

struct Messaging {
    QByteArray centre = "+393359609600";
    int centreType = 145;
    int capacity = 10;
    std::map<int, SmsSlot> bySlot; // by SIM position 1..capacity
    int nextReference = 0;
    QList<QByteArray> sentPdus; // every PDU sent with AT+CMGS or AT+CMSS, in order
};

// The phone's clock runs from the moment it was set; a stopped clock keeps its time, which
// makes replies repeatable in tests.
struct Clock {
    QDateTime setTo; // wall time without a zone, kept as UTC
    qint64 hostMsecsAtSet = 0;
    bool running = true;

    QDateTime now() const;
    void set(const QDateTime& wallTime);
};

struct Password {
    QByteArray value;
    int maxLength = 8;
};

// Facility codes as AT+CLCK names them. The value is the set of active classes (1 voice,
// 2 data, 4 fax); the keypad and SIM locks use 1 for on.
struct Locks {
    std::map<QByteArray, int> activeClasses;
    std::map<QByteArray, Password> passwords; // SC (PIN), P2 (PIN2), PS, AB (every barring)
};

// AO, OI, OX, AI and IR bar calls by class; the other facilities are simply on or off.
bool isBarring(const QByteArray& facility);

struct ForwardingSetting {
    bool active = false;
    QByteArray number;
    int type = 129;
    int time = 20; // no-reply time in seconds, reason 2 only
};

// Reasons 0 to 3; within a reason, the classes 1 voice, 2 data, 4 fax.
struct Forwarding {
    std::array<std::map<int, ForwardingSetting>, 4> reasons;
};

struct BinaryObjects {
    QByteArray logo;                     // "bmp", 0
    QByteArray melody;                   // "mid", 0
    std::map<int, QByteArray> reminders; // "vcs", 1..30
};

struct RingTone {
    int tone = 1;
    int volume = 2;
    int maxTone = 16;
    int maxVolume = 4;
    bool playing = false;
};

struct ModemSettings {
    bool echo = true;
    bool verbose = true;
    bool quiet = false;
    int errorReports = 0; // AT+CMEE: 0 plain ERROR, 1 numbered +CME/+CMS ERROR
    int callerId = 0;     // AT+CLIP
    std::array<int, 5> messageIndications = {0, 0, 0, 0, 0}; // AT+CNMI
    QByteArray selectedMemory = "SM";
    QByteArray characterSet = "GSM"; // AT+CSCS, in which names and other texts travel
    int messageFormat = 0;           // AT+CMGF: 0 PDU, 1 text
    // The form of a +CPBR entry line after its prefix: 27.007's, or another some phones use
    // (the name unquoted, an empty field before the number).
    QByteArray entryLine = R"({position},"{number}",{type},"{name}")";
};

struct PhoneState {
    Identity identity;
    Power power;
    Network network;
    std::map<QByteArray, PhonebookMemory> phonebooks; // SM FD ME ON, and the call lists RC MC LD
    Messaging messages;
    Clock clock;
    Locks locks;
    Forwarding forwarding;
    BinaryObjects objects;
    RingTone ringTone;
    ModemSettings modem;

    // The readable name of an entry, or an empty text when there is none.
    QString readableName(const QByteArray& memory, int position) const;
};

// The memory codes in the order the phone lists them.
const QList<QByteArray>& phonebookCodes();

// A phone fresh from the box: every memory and lock present and empty, the clock on the host's
// time. Seed files start from it.
PhoneState defaultPhoneState();

} // namespace s25sim
