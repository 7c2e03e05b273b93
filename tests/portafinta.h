#pragma once

// A port in place of the serial line: it keeps what the program wrote, and the test answers each
// command through the receive path.

#include "scambio.h"

#include <QStringList>
#include <QTimer>

#include <functional>

class PortaFinta : public PortaAT {
public:
    bool PortOpen() const override { return true; }
    // The answer comes once the program is back at its event loop, as a phone's would.
    void Output(const QString& testo) override
    {
        scritto << testo;
        if (risposta)
            QTimer::singleShot(0, [r = risposta, testo] { r(testo); });
    }
    QStringList scritto;
    std::function<void(const QString&)> risposta;
};
