#pragma once

#include <QByteArray>

#include <optional>

namespace s25sim {

constexpr int kMessageTypeDeliver = 0;
constexpr int kMessageTypeSubmit = 1;

// What the phone needs to know of an SMS PDU in hex (service centre field first): the length
// it reports (the octets after the service centre field) and the type of the first octet.
struct PduShape {
    int transferLength = 0;
    int messageType = 0;
};

// Nothing when the text is not even-length hex or is too short for its own centre field.
std::optional<PduShape> inspectPdu(const QByteArray& hex);

} // namespace s25sim
