#pragma once

#include "command.h"
#include "phonestate.h"
#include "reply.h"

#include <QByteArray>

#include <optional>

namespace s25sim {

// The phone's command processor: one command line in, one reply out, acting on the phone state
// it is given. It knows nothing of the line, of timing or of faults; the simulator around it
// does. A reply with the prompt asks for data, which comes back through finishData() or
// cancelData().
class AtInterpreter {
public:
    explicit AtInterpreter(PhoneState& state);

    Reply execute(const QByteArray& line);
    Reply finishData(const QByteArray& data); // the bytes before Ctrl-Z, line ends removed
    Reply cancelData();                       // ESC

    // Stores a received message (an SMS-DELIVER PDU in hex) in the lowest free slot as unread;
    // the slot, or nothing when the PDU is malformed or the SIM is full.
    std::optional<int> storeReceivedMessage(const QByteArray& pduHex);

private:
    using Handler = Reply (AtInterpreter::*)(const Command&);

    enum class DataFor { Nothing, SendMessage, WriteMessage, ObjectBlock };

    struct BlockUpload {
        QByteArray type;
        int index = 0;
        int nextBlock = 0; // 1..blocks; 0 when no upload runs
        int blocks = 0;
        QByteArray bytes; // the blocks taken so far
    };

    static const std::map<QByteArray, Handler>& handlers();

    Reply executeBasic(const QByteArray& body);
    Reply executeExtended(const QByteArray& body);

    // Identity, status and line settings (atinterpreter.cpp).
    Reply identityQuery(const Command& command, const QByteArray& value);
    Reply manufacturer(const Command& command);
    Reply model(const Command& command);
    Reply revision(const Command& command);
    Reply serialNumber(const Command& command);
    Reply subscriberIdentity(const Command& command);
    Reply simIdentity(const Command& command);
    Reply battery(const Command& command);
    Reply registration(const Command& command);
    Reply operatorSelection(const Command& command);
    Reply networkSearch() const;
    Reply selectOperator(const Command& command);
    Reply operatorNames(const Command& command);
    Reply signalQuality(const Command& command);
    Reply serviceCentre(const Command& command);
    Reply callerId(const Command& command);
    Reply messageIndications(const Command& command);
    Reply errorReports(const Command& command);
    QByteArray currentOperator() const;
    // A readable text (operator names are kept in UTF-8) in the TE character set.
    QByteArray textOut(const QByteArray& utf8) const;
    // An operator's numeric code: bare, as the S25 gives it; in UCS2, in hex and quoted, as
    // phones that speak it give every string.
    QByteArray codeOut(const QByteArray& code) const;

    // Phonebook memories and call lists (phonebookcommands.cpp).
    Reply selectMemory(const Command& command);
    Reply readEntries(const Command& command);
    Reply writeEntry(const Command& command);
    Reply eraseEntry(PhonebookMemory& memory, const Command& command);
    PhonebookMemory& selectedMemory();

    // The TE character set and the messages in text mode (textcommands.cpp).
    Reply characterSet(const Command& command);
    Reply readMessageAsText(const SmsSlot& slot) const;

    // Short messages (messagecommands.cpp).
    Reply messageFormat(const Command& command);
    Reply readMessage(const Command& command);
    Reply deleteMessage(const Command& command);
    Reply sendMessage(const Command& command);
    Reply writeMessage(const Command& command);
    Reply sendStoredMessage(const Command& command);
    Reply finishSendMessage(const QByteArray& pduHex);
    Reply finishWriteMessage(const QByteArray& pduHex);
    QByteArray nextMessageReference();
    std::optional<int> freeMessageSlot() const;

    // Clock, locks, passwords and call forwarding (settingcommands.cpp).
    Reply clock(const Command& command);
    Reply facilityLock(const Command& command);
    Reply queryLock(const QByteArray& facility) const;
    Reply switchLock(const QByteArray& facility, bool on, const Command& command);
    Reply changePassword(const Command& command);
    Reply callForwarding(const Command& command);
    Reply queryForwarding(int reason);
    Reply registerForwarding(int reason, const Command& command);

    // Logo, melody and reminder objects, and the ring tone (objectcommands.cpp).
    Reply readObject(const Command& command);
    Reply writeObject(const Command& command);
    Reply finishObjectBlock(const QByteArray& hex);
    Reply ringTone(const Command& command);
    QByteArray storedObject(const QByteArray& type, int index) const; // empty when absent
    void storeObject(const QByteArray& type, int index, const QByteArray& bytes);

    PhoneState& m_state;
    DataFor m_dataFor = DataFor::Nothing;
    int m_messageStatus = 2;
    BlockUpload m_upload;
};

} // namespace s25sim
