#pragma once

#include "phonestate.h"

#include <QByteArray>
#include <QList>

namespace s25sim {

// Why the phone refuses a command. Without AT+CMEE=1 a real phone hides the number behind a
// plain ERROR; a number injected by a test is always shown.
struct Refusal {
    enum class Kind { Plain, Equipment, Message, InjectedEquipment, InjectedMessage };
    Kind kind = Kind::Plain;
    int code = 0;
};

// Equipment error numbers (+CME) and message service error numbers (+CMS) used by the phone.
namespace cme {
constexpr int kOperationNotAllowed = 3;
constexpr int kOperationNotSupported = 4;
constexpr int kIncorrectPassword = 16;
constexpr int kInvalidIndex = 21;
constexpr int kTextTooLong = 24;
constexpr int kInvalidTextCharacters = 25;
constexpr int kDialStringTooLong = 26;
constexpr int kInvalidDialCharacters = 27;
} // namespace cme
namespace cms {
constexpr int kOperationNotSupported = 303;
constexpr int kInvalidPduParameter = 304;
constexpr int kInvalidMemoryIndex = 321;
constexpr int kMemoryFull = 322;
} // namespace cms

// A reply before framing: information lines and a final result, or the data prompt.
struct Reply {
    enum class Final { Ok, Error, Prompt };
    QList<QByteArray> lines;
    Final final = Final::Ok;
    Refusal refusal;

    static Reply ok(QList<QByteArray> lines = {});
    static Reply error(Refusal refusal = {});
    static Reply equipmentError(int code);
    static Reply messageError(int code);
    static Reply prompt();
};

// The bytes of a reply as the phone sends them with its current result settings (ATV, ATQ,
// AT+CMEE). Verbose: CR LF, the lines joined by CR LF, CR LF, then CR LF OK CR LF.
QByteArray frame(const Reply& reply, const ModemSettings& settings);

// An unsolicited result line ("RING", "+CMTI: ...") framed the same way.
QByteArray frameUnsolicited(const QByteArray& line, const ModemSettings& settings);

} // namespace s25sim
