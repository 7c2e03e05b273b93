#include "pdushape.h"

#include "wiretext.h"

namespace s25sim {

std::optional<PduShape> inspectPdu(const QByteArray& hex)
{
    if (hex.isEmpty() || hex.size() % 2 != 0 || !isHexText(hex))
        return std::nullopt;
    const QByteArray octets = QByteArray::fromHex(hex);
    const int centreLength = static_cast<unsigned char>(octets.at(0));
    if (1 + centreLength >= octets.size())
        return std::nullopt;
    PduShape shape;
    shape.transferLength = static_cast<int>(octets.size()) - 1 - centreLength;
    shape.messageType = octets.at(1 + centreLength) & 0x03;
    return shape;
}

} // namespace s25sim
