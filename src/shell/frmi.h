#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class AvvisiDiAvvio;
class QLabel;
class QLockFile;
class frmMain;

// The splash window, which runs the program's start-up.
class frmI : public QWidget {
    Q_OBJECT
public:
    // `caricaMain` builds and loads the main window (its load shows it).
    explicit frmI(std::function<frmMain*()> caricaMain);
    ~frmI() override;

    // The start-up sequence; false when the program must end at once (another copy runs).
    bool Form_Load();

    QLabel *picIcon = nullptr, *lblTitle = nullptr, *lblVersion = nullptr;
    QLabel *lblDescription = nullptr, *labEmail = nullptr;
    QTimer Timer1;

protected:
    void mousePressEvent(class QMouseEvent* evento) override;

private:
    void Timer1_Timer();
    // Closes the splash and hands the input over to the main window.
    void Form_Unload();

    std::function<frmMain*()> caricaMain;
    QPointer<frmMain> main;
    // The notices raised by the main window's load, for the end of the start-up.
    std::unique_ptr<AvvisiDiAvvio> avvisiDiAvvio;
    bool chiuso = false;
};

// Where the program's copy lock lives: the per-user runtime folder.
QString PercorsoBloccoIstanza();

// The program's own copy lock, held for the life of the process: false when another copy of
// the program holds it.
bool PrendiBloccoIstanza();

// Loads Qt's own translations for the current language (message box buttons and the like).
void ApplicaTraduzioniQt();
