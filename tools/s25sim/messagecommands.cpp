// Short messages: AT+CMGF, AT+CMGR, AT+CMGD, AT+CMGS, AT+CMGW, AT+CMSS.
#include "atinterpreter.h"
#include "pdushape.h"
#include "wiretext.h"

namespace s25sim {

using Form = Command::Form;

std::optional<int> AtInterpreter::freeMessageSlot() const
{
    const Messaging& messages = m_state.messages;
    for (int slot = 1; slot <= messages.capacity; ++slot) {
        if (messages.bySlot.count(slot) == 0)
            return slot;
    }
    return std::nullopt;
}

QByteArray AtInterpreter::nextMessageReference()
{
    Messaging& messages = m_state.messages;
    const int reference = messages.nextReference;
    messages.nextReference = (reference + 1) % 256;
    return decimal(reference);
}

std::optional<int> AtInterpreter::storeReceivedMessage(const QByteArray& pduHex)
{
    const std::optional<PduShape> shape = inspectPdu(pduHex);
    const std::optional<int> slot = freeMessageSlot();
    if (!shape || shape->messageType != kMessageTypeDeliver || !slot)
        return std::nullopt;
    m_state.messages.bySlot[*slot] = {0, pduHex.toUpper()};
    return slot;
}

// PDU mode (0) or text mode (1); in text mode a message is read as its fields and text.
Reply AtInterpreter::messageFormat(const Command& command)
{
    switch (command.form) {
    case Form::Set: {
        const std::optional<int> format = command.numberBetween(0, 0, 1);
        if (!format)
            return Reply::messageError(cms::kOperationNotSupported);
        m_state.modem.messageFormat = *format;
        return Reply::ok();
    }
    case Form::Read:
        return Reply::ok({"+CMGF: " + decimal(m_state.modem.messageFormat)});
    case Form::Test:
        return Reply::ok({"+CMGF: (0,1)"});
    case Form::Execute:
        break;
    }
    return Reply::error();
}

// An empty slot answers "+CMGR: 0,,0" in PDU mode, a bare OK in text mode; reading an unread
// message marks it read.
Reply AtInterpreter::readMessage(const Command& command)
{
    if (command.form == Form::Test)
        return Reply::ok();
    Messaging& messages = m_state.messages;
    const std::optional<int> index = command.numberBetween(0, 1, messages.capacity);
    if (command.form != Form::Set || !index)
        return Reply::messageError(cms::kInvalidMemoryIndex);
    const bool textMode = m_state.modem.messageFormat == 1;
    const auto slot = messages.bySlot.find(*index);
    if (slot == messages.bySlot.end())
        return textMode ? Reply::ok() : Reply::ok({"+CMGR: 0,,0"});
    const std::optional<PduShape> shape = inspectPdu(slot->second.pdu);
    const QByteArray header = "+CMGR: " + decimal(slot->second.status) + ",,"
                              + decimal(shape ? shape->transferLength : 0);
    const Reply reply
        = textMode ? readMessageAsText(slot->second) : Reply::ok({header, slot->second.pdu});
    if (slot->second.status == 0)
        slot->second.status = 1;
    return reply;
}

Reply AtInterpreter::deleteMessage(const Command& command)
{
    if (command.form == Form::Test)
        return Reply::ok();
    Messaging& messages = m_state.messages;
    const std::optional<int> index = command.numberBetween(0, 1, messages.capacity);
    if (command.form != Form::Set || !index)
        return Reply::messageError(cms::kInvalidMemoryIndex);
    messages.bySlot.erase(*index);
    return Reply::ok();
}

// The announced length is not checked: the program always announces 140.
Reply AtInterpreter::sendMessage(const Command& command)
{
    if (command.form == Form::Test)
        return Reply::ok();
    if (command.form != Form::Set || !command.number(0))
        return Reply::messageError(cms::kOperationNotSupported);
    m_dataFor = DataFor::SendMessage;
    return Reply::prompt();
}

Reply AtInterpreter::writeMessage(const Command& command)
{
    if (command.form == Form::Test)
        return Reply::ok();
    const std::optional<int> status
        = command.arguments.size() > 1 ? command.numberBetween(1, 0, 3) : std::optional<int>(2);
    if (command.form != Form::Set || !command.number(0) || !status)
        return Reply::messageError(cms::kOperationNotSupported);
    if (!freeMessageSlot())
        return Reply::messageError(cms::kMemoryFull);
    m_dataFor = DataFor::WriteMessage;
    m_messageStatus = *status;
    return Reply::prompt();
}

// Sending from storage leaves the slot's status alone: the program re-stores it itself.
Reply AtInterpreter::sendStoredMessage(const Command& command)
{
    if (command.form == Form::Test)
        return Reply::ok();
    Messaging& messages = m_state.messages;
    const std::optional<int> index = command.numberBetween(0, 1, messages.capacity);
    const auto slot = index ? messages.bySlot.find(*index) : messages.bySlot.end();
    if (command.form != Form::Set || slot == messages.bySlot.end())
        return Reply::messageError(cms::kInvalidMemoryIndex);
    const std::optional<PduShape> shape = inspectPdu(slot->second.pdu);
    if (!shape || shape->messageType != kMessageTypeSubmit)
        return Reply::messageError(cms::kInvalidMemoryIndex);
    messages.sentPdus.append(slot->second.pdu);
    return Reply::ok({"+CMSS: " + nextMessageReference()});
}

Reply AtInterpreter::finishSendMessage(const QByteArray& pduHex)
{
    const std::optional<PduShape> shape = inspectPdu(pduHex);
    if (!shape || shape->messageType != kMessageTypeSubmit)
        return Reply::messageError(cms::kInvalidPduParameter);
    m_state.messages.sentPdus.append(pduHex.toUpper());
    return Reply::ok({"+CMGS: " + nextMessageReference()});
}

Reply AtInterpreter::finishWriteMessage(const QByteArray& pduHex)
{
    const std::optional<int> slot = freeMessageSlot();
    if (!inspectPdu(pduHex))
        return Reply::messageError(cms::kInvalidPduParameter);
    if (!slot)
        return Reply::messageError(cms::kMemoryFull);
    m_state.messages.bySlot[*slot] = {m_messageStatus, pduHex.toUpper()};
    return Reply::ok({"+CMGW: " + decimal(*slot)});
}

} // namespace s25sim
