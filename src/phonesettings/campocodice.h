#pragma once

#include <cstdint>

class QCheckBox;
class QLineEdit;

// A code field in a fixed font, masked while its box is checked, and as long as the phone allows
// for the facility (no limit when the phone reported none).
void PreparaCampoCodice(QLineEdit& campo, QCheckBox& maschera, int facilita);
