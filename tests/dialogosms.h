#pragma once

// Acting in the compose dialog from a test: the dialog is opened by a command that waits for it
// to close, so the test's actions run from the event loop once the dialog is shown (its load may
// read from the phone first).

#include "frmsms.h"
#include "globali.h"

#include <QTimer>

// Whatever the actions' checks find, the dialog ends up closed, so that a failing check never
// leaves the opener waiting.
template <class Azioni>
void NelDialogoSMS(QObject* contesto, Azioni azioni)
{
    auto* attesa = new QTimer(contesto);
    QObject::connect(attesa, &QTimer::timeout, contesto, [=] {
        auto* dialogo = qobject_cast<frmSMS*>(FinestraDialogo(frmSMS::Codice));
        if (!dialogo || !dialogo->isVisible())
            return;
        attesa->deleteLater();
        attesa->stop();
        azioni(dialogo);
        if (FinestraDialogo(frmSMS::Codice))
            dialogo->reject();
    });
    attesa->start(10);
}
