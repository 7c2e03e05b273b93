#pragma once

#include "rifiuti.h"
#include "telefono.h"

#include <QString>

#include <cstdint>
#include <optional>

// Call forwarding: four reasons (0 always, 1 busy, 2 no reply, 3 not reachable), each with three
// class lines (0 voice, 1 fax, 2 data) sent as the classes 1, 4 and 2.

constexpr int MotivoSenzaRisposta = 2;
constexpr int NumLineeTrasf = 3;

// A class line's Stato besides 0 (off) and 1 (active): the phone did not say whether this line
// is on, as it refused its reason's read or a change failed half-way. An empty number with it is
// not known either.
constexpr uint8_t StatoTrasfIgnoto = 2;

enum ModoTrasf : uint8_t {
    Disattiva = 0,
    Registra = 3,
    Cancella = 4,
};

// The class number a class line goes as.
int ClasseTrasf(int linea);

// The phonebook has a TipoNumero of its own, in text; this one is the forwarding commands'.
namespace ComandiTrasf {
// The type of address of a number: 0 empty, 145 international ("+"), 129 otherwise.
uint8_t TipoNumero(const QString& numero);
} // namespace ComandiTrasf

// The state of a reason from a "+CCFC: <status>,<class>[,"<number>",<type>[,,,<time>]]" reply.
// Each line sets the classes its class holds (a line without class takes voice, fax, data in
// line order); a class no line reports is off without number; a "not active" line for a class
// out of range sets none; a time (reason 2 only) that the reply lacks keeps the one of `prima`.
// None for a reply that is neither a bare OK nor holds a status line.
std::optional<Trasferimento> DecodificaTrasf(uint8_t motivo, const QString& risposta,
                                             const Trasferimento& prima);

QString ComandoLeggiTrasf(int motivo);
// The registration of a number for a class line, the time after ",,," when above 0; none for a
// number that ValidaNumero refuses.
std::optional<QString> ComandoRegistraTrasf(int motivo, int linea, const QString& numero,
                                            int tempo);
// The disable (mode 0) or erase (mode 4) of every class of a reason.
QString ComandoModoTrasf(int motivo, ModoTrasf modo);

// Reads the four reasons under the wait window and marks them read. A reason the phone refused,
// or answered without a state, has every class line unknown, its number with it, and is among
// the values returned. A lost link or a query left unanswered ends the read, keeps the whole
// table and returns none.
LettureRifiutate LeggiTrasf();

enum class EsitoTrasf {
    Fatto,    // every command answered OK
    NonFatto, // the first command failed: the phone and the table are as they were
    InParte,  // the reason went off, but another class was not registered again
};

// Registers (3), disables (0) or erases (4) one class line. The phone disables and erases whole
// reasons, so the other lines that were active are registered again afterwards; when one of
// those fails, the table holds what the phone holds (read again, or StatoTrasfIgnoto for a line
// whose state the phone then left unsaid).
EsitoTrasf ImpostaTrasf(uint8_t motivo, uint8_t modo, uint8_t linea, const QString& numero,
                        uint8_t tempo);
