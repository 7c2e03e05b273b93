#pragma once

#include <QMessageBox>
#include <QString>

class QPrinter;
class QWidget;

// Every message box, file dialog and print dialog goes through here, so tests can answer them.
class Interazione {
public:
    virtual ~Interazione() = default;

    // A message box; returns the button pressed.
    virtual QMessageBox::StandardButton Messaggio(QWidget* padre, QMessageBox::Icon icona,
                                                  const QString& titolo, const QString& testo,
                                                  QMessageBox::StandardButtons pulsanti)
        = 0;
    // File dialogs with a filter in "text|pattern|text|pattern" form; empty when cancelled. The
    // save dialog adds `estensione` to a name typed without a suffix, or the suffix of the
    // filter the user chose instead of the first.
    virtual QString ApriFile(QWidget* padre, const QString& titolo, const QString& filtro) = 0;
    virtual QString SalvaFile(QWidget* padre, const QString& titolo, const QString& filtro,
                              const QString& estensione)
        = 0;
    // The print dialog; false when cancelled.
    virtual bool Stampa(QWidget* padre, QPrinter& stampante) = 0;
};

// The interaction in use; the real dialogs unless a test put its own in place.
Interazione& interazione();
void ImpostaInterazione(Interazione* sostituta);

// How many boxes that report a failure have been shown: the reports a failed operation may
// already have given its user. A box with the critical or the warning icon reports a failure; a
// box with another icon tells of what went well, or asks, unless it is shown by MsgBoxFallimento.
int FallimentiSegnalati();
// True while a message box, a file dialog or the print dialog waits for the user.
bool InterazioneInCorso();

// Shortcut for the common case: a box with the application's title.
QMessageBox::StandardButton MsgBox(const QString& testo, QMessageBox::Icon icona,
                                   QMessageBox::StandardButtons pulsanti = QMessageBox::Ok,
                                   const QString& titolo = QString(), QWidget* padre = nullptr);
// The same box, reporting a failure whatever its icon: for the failure reports that are shown
// with the information icon.
QMessageBox::StandardButton
MsgBoxFallimento(const QString& testo, QMessageBox::Icon icona,
                 QMessageBox::StandardButtons pulsanti = QMessageBox::Ok,
                 const QString& titolo = QString(), QWidget* padre = nullptr);

// Keeps back, while it lives, the notices (boxes whose one button is OK) raised while the program
// starts: the splash stays on top of every window and would hide them, and nothing moves until
// they are answered. Mostra shows them once the start-up is over, over the main window, in the
// order they came. A question is shown at once: the start-up needs its answer. What is still kept
// when it ends unshown is dropped: the start-up never handed over to the main window.
class AvvisiDiAvvio {
public:
    AvvisiDiAvvio();
    ~AvvisiDiAvvio();
    AvvisiDiAvvio(const AvvisiDiAvvio&) = delete;
    AvvisiDiAvvio& operator=(const AvvisiDiAvvio&) = delete;

    // Stops keeping notices back and shows those kept, with `finestra` as their parent.
    void Mostra(QWidget* finestra);
};

// "a|b|c|d" into Qt's "a (b);;c (d)".
QString FiltroQt(const QString& filtro);
// The suffix a save dialog adds for one of Qt's filters, "Text file (*.txt)" giving "txt": that
// of its first pattern; none when the pattern names no kind of file ("*.*").
QString SuffissoDelFiltro(const QString& filtroQt);
