#pragma once

#include <QApplication>
#include <QWidget>

// The main window taken from the user for a long command, with the busy pointer; both come
// back on every way out.
class FinestraOccupata {
public:
    explicit FinestraOccupata(QWidget& finestra) : finestra(finestra)
    {
        finestra.setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~FinestraOccupata()
    {
        QApplication::restoreOverrideCursor();
        finestra.setEnabled(true);
    }
    FinestraOccupata(const FinestraOccupata&) = delete;
    FinestraOccupata& operator=(const FinestraOccupata&) = delete;

private:
    QWidget& finestra;
};
