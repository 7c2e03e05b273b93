#pragma once

#include "rifiuti.h"
#include "telefono.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The phone locks: nine facilities (CodiciBlocchi 0 to 8), the first four switched as a whole,
// the five barrings (4 to 8) per class. Telefono.Blocchi keeps them by class 0 voice, 1 fax,
// 2 data: 1 active, 0 not, StatoBloccoIgnoto when the phone did not say.

constexpr uint8_t StatoBloccoIgnoto = 2;
constexpr int PrimaSbarramento = 4;
constexpr bool Sbarramento(int facilita)
{
    return facilita >= PrimaSbarramento && facilita < NumFacilitaBlocco;
}

// No password is sent: what the keypad lock switch passes.
inline const std::optional<QString> SenzaCodice = std::nullopt;

using StatoClassi = std::array<uint8_t, NumClassiBlocco>;

// The states of a facility query reply: one "+CLCK: <status>[,<class>]" line for a whole lock,
// one per class for a barring (class 1 voice, 2 data, 4 fax; a sum sets each class it holds; a
// line without class stands for voice, data, fax in line order). A class no line reports is 0.
// None for a reply without any status line.
std::optional<StatoClassi> DecodificaBlocco(const QString& risposta, bool sbarramento);

// A code the user typed: decimal digits only, since codes go unquoted into commands.
bool CodiceValido(const QString& codice);

QString ComandoLeggiBlocco(int facilita);
// The switch, mode and class written with a leading blank; the class goes only with a password.
// None when the facility is unknown or the password is not a valid code.
std::optional<QString> ComandoImpostaBlocco(int facilita, uint8_t modo,
                                            const std::optional<QString>& codice,
                                            std::optional<uint8_t> classe);
std::optional<QString> ComandoCambiaCodice(int facilita, const QString& vecchio,
                                           const QString& nuovo);

// Reads all nine facilities under the wait window and marks them read. A facility the phone
// refused, or answered without a state, is unknown, and is among the values returned. A lost
// link or a query left unanswered ends the read, keeps the whole table and returns none.
LettureRifiutate LeggiBlocchi();

// The class the lock dialog's boxes make, in their order voice, data, fax, all: the sum of the
// classes ticked (1, 2, 4, and 7 for all); none when no box is ticked.
std::optional<uint8_t> ClasseDelleCaselle(const std::array<bool, 4>& caselle);

// Switches one facility; true when the phone answered OK, which also stores the mode in the
// table for each class the class given holds (voice when none, and then `classe` becomes 0).
bool ImpostaBlocco(int facilita, uint8_t modo, const std::optional<QString>& codice,
                   std::optional<uint8_t>& classe);

// Changes the password of a facility; true when the phone answered OK.
bool CambiaCodice(int facilita, const QString& vecchio, const QString& nuovo);

// The captions of the barred classes of a facility, voice, fax, data, without separator; empty
// for a facility that is no barring or whose voice class is not barred.
QString ClassiBloccate(int facilita, const StatoClassi& stato);
