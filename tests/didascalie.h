#pragma once

// What a user sees of a window's captions: those cut short or lying over another control.

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>

namespace didascalie {

// The caption a control shows, when it is one that shows a caption on one line.
inline QString Didascalia(const QWidget* w)
{
    if (auto* etichetta = qobject_cast<const QLabel*>(w))
        return etichetta->wordWrap() || !etichetta->pixmap().isNull() ? QString()
                                                                      : etichetta->text();
    if (auto* pulsante = qobject_cast<const QAbstractButton*>(w))
        return pulsante->text();
    if (auto* gruppo = qobject_cast<const QGroupBox*>(w))
        return gruppo->title();
    return {};
}

// A control a caption must not lie over.
inline bool Controllo(const QWidget* w)
{
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w)
           || qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w);
}

} // namespace didascalie

// The captions of a shown window that do not show whole, each with what is wrong with it.
inline QStringList TestiTagliati(const QWidget& finestra)
{
    QStringList difetti;
    const QList<QWidget*> figli = finestra.findChildren<QWidget*>();
    for (const QWidget* w : figli) {
        if (!w->isVisibleTo(&finestra) || w->isWindow())
            continue;
        const QString testo = didascalie::Didascalia(w);
        if (!testo.isEmpty() && w->width() < w->sizeHint().width())
            difetti << QStringLiteral("\"%1\" cut (%2 < %3)")
                           .arg(testo)
                           .arg(w->width())
                           .arg(w->sizeHint().width());
        if (testo.isEmpty() || !didascalie::Controllo(w))
            continue;
        for (const QWidget* altro : figli)
            if (altro != w && altro->parentWidget() == w->parentWidget()
                && altro->isVisibleTo(&finestra) && didascalie::Controllo(altro)
                && altro->geometry().intersects(w->geometry()))
                difetti << QStringLiteral("\"%1\" lies over %2 \"%3\"")
                               .arg(testo, QString::fromLatin1(altro->metaObject()->className()),
                                    didascalie::Didascalia(altro));
    }
    return difetti;
}
