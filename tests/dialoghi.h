#pragma once

// Meeting the dialogs a command opens, as a user does: wait for the dialog to show, look at it,
// close it.

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
