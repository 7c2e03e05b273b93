#pragma once

#include "phonestate.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The seed file: a readable UTF-8 text that sets the simulated phone's state over the defaults
// of a phone fresh from the box. The format is described at the top of demo.s25.
namespace s25sim {

// The phone the text describes, or nothing with a message naming the first faulty line.
std::optional<PhoneState> parseSeed(const QByteArray& text, QString* error = nullptr);

std::optional<PhoneState> loadSeedFile(const QString& path, QString* error = nullptr);

} // namespace s25sim
