#pragma once

// Meeting the dialogs a command opens, as a user does: wait for the dialog to show, look at it,
// close it.

#include "globali.h"

#include <QApplication>
#include <QDialog>
#include <QSet>
#include <QTimer>
#include <QtTest>

#include <functional>

// The dialog now shown that is not among `giaVisti`, when there is one (the wait window does
// not count).
inline QDialog* DialogoVisibile(const QSet<QDialog*>& giaVisti)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* dialogo = qobject_cast<QDialog*>(w);
        if (dialogo && dialogo->isVisible() && !giaVisti.contains(dialogo)
            && !w->inherits("frmWait"))
            return dialogo;
    }
    return nullptr;
}

// Runs `comando`; the first dialog it shows is handed to `esamina`, then closed. False when no
// dialog showed.
inline bool ConDialogo(const std::function<void()>& comando,
                       const std::function<void(QDialog&)>& esamina, QSet<QDialog*> giaVisti = {})
{
    constexpr int Pazienza = 10000;
    bool visto = false;
    QTimer sonda;
    sonda.setInterval(20);
    QObject::connect(&sonda, &QTimer::timeout, [&] {
        QDialog* dialogo = visto ? nullptr : DialogoVisibile(giaVisti);
        if (!dialogo)
            return;
        visto = true;
        esamina(*dialogo);
        dialogo->reject();
    });
    sonda.start();
    comando();
    return QTest::qWaitFor([&] { return visto; }, Pazienza);
}

// The top-level window of that type now shown, or null.
template <class Finestra>
Finestra* Aperta()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<Finestra*>(w); f && f->isVisible())
            return f;
    return nullptr;
}

// The modal dialog in front, when it is of that type; otherwise null.
template <class Dialogo>
Dialogo* DialogoInPrimoPiano()
{
    return qobject_cast<Dialogo*>(QApplication::activeModalWidget());
}

// The dialog of that type the program keeps open under its code, or null.
template <class Dialogo>
Dialogo* DialogoDelProgramma()
{
    return qobject_cast<Dialogo*>(FinestraDialogo(Dialogo::Codice));
}

// Acts in the dialog `trova` finds once the command that opens it is waiting on it; whatever the
// checks find, the dialog ends up closed, so that a failing check never leaves the opener waiting.
template <class Trova, class Azioni>
void NelDialogo(QObject* contesto, Trova trova, Azioni azioni)
{
    QTimer::singleShot(0, contesto, [=] {
        auto* dialogo = trova();
        QVERIFY(dialogo);
        azioni(dialogo);
        if (dialogo->isVisible())
            dialogo->reject();
    });
}
