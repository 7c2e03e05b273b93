// What the phone does in the modes another program may leave it in: the TE character set
// (AT+CSCS) and the text mode of the message commands, where AT+CMGR gives the message's fields
// and text instead of its PDU.
#include "atinterpreter.h"
#include "charactersets.h"
#include "pdushape.h"
#include "wiretext.h"

#include <array>
#include <utility>

namespace s25sim {

namespace {

using Form = Command::Form;

constexpr std::array<const char*, 4> kStatusNames
    = {"REC UNREAD", "REC READ", "STO UNSENT", "STO SENT"};
constexpr int kMessageTypeStatusReport = 2;
constexpr int kTimeStampOctets = 7;

// The octet at i, 0 past the end.
int octetAt(const QByteArray& octets, qsizetype i)
{
    return i < octets.size() ? static_cast<unsigned char>(octets.at(i)) : 0;
}

// The octets of a PDU in order; past the end, zeros.
class OctetReader {
public:
    explicit OctetReader(QByteArray octets) : m_octets(std::move(octets)) {}

    int next() { return octetAt(take(1), 0); }
    QByteArray take(qsizetype count)
    {
        const QByteArray part = m_octets.mid(m_position, count);
        m_position += count;
        return part;
    }

private:
    QByteArray m_octets;
    qsizetype m_position = 0;
};

// The first count septets packed in the octets (GSM 03.38), one code a byte.
QByteArray unpackSeptets(const QByteArray& octets, int count)
{
    QByteArray codes;
    for (int i = 0; i < count; ++i) {
        const int bit = i * 7;
        const int low = octetAt(octets, bit / 8) >> (bit % 8);
        const int high = octetAt(octets, bit / 8 + 1) << (8 - bit % 8);
        codes.append(static_cast<char>((low | high) & 0x7F));
    }
    return codes;
}

// An address field: digits in swapped semi-octets, or an alphanumeric name in septets.
QByteArray address(OctetReader& reader, const QByteArray& set)
{
    const int digits = reader.next();
    const int type = reader.next();
    const QByteArray octets = reader.take((digits + 1) / 2);
    if ((type & 0x70) == 0x50)
        return charset::fromGsm(unpackSeptets(octets, digits * 4 / 7), set);
    QByteArray number = (type & 0x70) == 0x10 ? "+" : "";
    for (int i = 0; i < digits; ++i) {
        const int octet = octetAt(octets, i / 2);
        number.append("0123456789*#abc?"[i % 2 == 0 ? octet & 0x0F : octet >> 4]);
    }
    return number;
}

// A service centre time stamp as text mode writes it: "yy/MM/dd,hh:mm:ss+zz".
QByteArray timeStamp(OctetReader& reader)
{
    const QByteArray octets = reader.take(kTimeStampOctets);
    const auto value = [&octets](int i, int tensMask) {
        const int octet = octetAt(octets, i);
        return QByteArray::number((octet & tensMask) * 10 + (octet >> 4)).rightJustified(2, '0');
    };
    const bool west = (octetAt(octets, 6) & 0x08) != 0;
    return quoted(value(0, 0x0F) + '/' + value(1, 0x0F) + '/' + value(2, 0x0F) + ','
                  + value(3, 0x0F) + ':' + value(4, 0x0F) + ':' + value(5, 0x0F)
                  + (west ? '-' : '+') + value(6, 0x07));
}

// The user data as text mode gives it: 7-bit text in the character set, anything else (8-bit,
// UCS2, or text behind a user data header) as hex.
QByteArray userData(OctetReader& reader, int firstOctet, int dataCoding, const QByteArray& set)
{
    const int length = reader.next();
    const bool general = dataCoding < 0x80;
    const bool septets = (firstOctet & 0x40) == 0
                         && (general ? (dataCoding & 0x0C) == 0
                                     : (dataCoding & 0xF0) != 0xE0 && (dataCoding & 0xF4) != 0xF4);
    if (septets)
        return charset::fromGsm(unpackSeptets(reader.take((length * 7 + 7) / 8), length), set);
    return reader.take(length).toHex().toUpper();
}

// +CMGR in text mode: the header line and, but for a status report, the text.
QList<QByteArray> textModeLines(const SmsSlot& slot, const QByteArray& set)
{
    OctetReader reader(QByteArray::fromHex(slot.pdu));
    reader.take(reader.next()); // the service centre
    const int firstOctet = reader.next();
    const QByteArray status = quoted(kStatusNames.at(static_cast<size_t>(slot.status & 3)));
    if ((firstOctet & 3) == kMessageTypeStatusReport) {
        const QByteArray reference = decimal(reader.next());
        const QByteArray recipient = address(reader, set);
        const QByteArray sent = timeStamp(reader);
        return {"+CMGR: " + status + ',' + decimal(firstOctet) + ',' + reference + ','
                + quoted(recipient) + ",," + sent + ',' + timeStamp(reader) + ','
                + decimal(reader.next())};
    }
    const bool submit = (firstOctet & 3) == kMessageTypeSubmit;
    if (submit)
        reader.next(); // the message reference
    const QByteArray correspondent = quoted(address(reader, set));
    reader.next(); // the protocol identifier
    const int dataCoding = reader.next();
    QByteArray header = "+CMGR: " + status + ',' + correspondent + ',';
    if (submit) {
        const int validity = (firstOctet >> 3) & 3;
        reader.take(validity == 2 ? 1 : validity == 0 ? 0 : kTimeStampOctets);
    } else {
        header += ',' + timeStamp(reader);
    }
    return {header, userData(reader, firstOctet, dataCoding, set)};
}

} // namespace

Reply AtInterpreter::characterSet(const Command& command)
{
    switch (command.form) {
    case Form::Set: {
        const QByteArray set = command.code(0);
        if (!charset::names().contains(set))
            return Reply::equipmentError(cme::kOperationNotSupported);
        m_state.modem.characterSet = set;
        return Reply::ok();
    }
    case Form::Read:
        return Reply::ok({"+CSCS: " + quoted(m_state.modem.characterSet)});
    case Form::Test: {
        QList<QByteArray> sets;
        for (const QByteArray& set : charset::names())
            sets.append(quoted(set));
        return Reply::ok({"+CSCS: (" + sets.join(',') + ')'});
    }
    case Form::Execute:
        break;
    }
    return Reply::error();
}

Reply AtInterpreter::readMessageAsText(const SmsSlot& slot) const
{
    return Reply::ok(textModeLines(slot, m_state.modem.characterSet));
}

} // namespace s25sim
