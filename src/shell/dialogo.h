#pragma once

#include <QDialog>

#include <cstdint>
#include <optional>

// A dialog opened modeless over the disabled main window, whose opener waits until it closes:
// however it goes (OK, Cancel, its close box, its destruction) it raises DialogoChiuso once,
// clears DialogoAperto and gives the main window back its input. The main window owns it, so
// that it stays above it; being a window of its own, it stays usable while its owner is disabled.
class DialogoRestituito : public QDialog {
    Q_OBJECT
public:
    // `codice` is the dialog's DialogoAperto code, when it has one.
    DialogoRestituito(std::optional<uint8_t> codice, QWidget* principale);
    ~DialogoRestituito() override;

    // Shows the dialog and pumps events until it closes (or the program quits).
    void MostraEAttendi(QWidget* focus);
    // Runs `figlio` modally over this dialog, then gives this dialog the keyboard back: the
    // window manager may leave no window with it once a dialog and a box have closed together.
    int EseguiSopra(QDialog& figlio);

protected:
    void done(int risultato) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void restituisci();
    void riprendiTastiera();

    std::optional<uint8_t> codice;
    QWidget* principale;
    bool restituito = false;
};

class QHBoxLayout;
class QPushButton;

// The row of a dialog's OK and Cancel buttons, right-aligned, OK the default. `annulla` starts
// with `testoAnnulla`; the dialog's InitLang gives it its caption in the current language.
QHBoxLayout* PulsantiOkAnnulla(QDialog& dialogo, QPushButton*& ok, QPushButton*& annulla,
                               const QString& testoAnnulla = QString());

// Keeps a dialog's buttons from starting a second command while one waits for the phone.
class ComandoInCorso {
public:
    explicit ComandoInCorso(std::initializer_list<QWidget*> pulsanti);
    ~ComandoInCorso();
    ComandoInCorso(const ComandoInCorso&) = delete;
    ComandoInCorso& operator=(const ComandoInCorso&) = delete;

private:
    std::vector<QWidget*> pulsanti;
};
