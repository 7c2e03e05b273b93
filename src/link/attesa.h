#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdint>
#include <limits>

class QFrame;
class QLabel;
class QPushButton;

// Adds 1 to a counter; a counter already at its type's largest value keeps it.
template <class Numero>
void Incrementa(Numero& contatore)
{
    if (contatore < std::numeric_limits<Numero>::max())
        contatore = static_cast<Numero>(contatore + 1);
}

// The animation of the wait window: ten frames, one shown at a time.
class AnimazioneAttesa : public QWidget {
public:
    explicit AnimazioneAttesa(QWidget* padre);
    void MostraFotogramma(uint8_t numero);
    uint8_t Fotogramma() const { return fotogramma; }

protected:
    void paintEvent(class QPaintEvent* evento) override;

private:
    uint8_t fotogramma = 0;
};

// The wait window shown around every phone operation. It has no parent, so that disabling the
// window that started the operation leaves its Cancel button usable.
class frmWait : public QDialog {
    Q_OBJECT
public:
    frmWait();
    ~frmWait() override;

    QLabel* labCosa = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* pAnnulla = nullptr;
    AnimazioneAttesa* picAnim = nullptr;
    QFrame* picLeds = nullptr;
    QTimer Timer1;

    // Turns the indicator from red to green or back.
    void CambiaLuce();
    QColor ColoreLuce() const;
    // A chunk arrived: at most once an interval the window takes the focus back when it lost it
    // and turns its indicator.
    void SegnalaRicezione();
    void Timer1_Timer();
    void pAnnulla_Click();

    static constexpr int NumFotogrammi = 10;
    static constexpr int IntervalloLuceMs = 100;

protected:
    void reject() override {}
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void coloraLuce(const QColor& colore);
    uint8_t fotogramma = 0;
    QElapsedTimer ultimaRicezioneSegnalata;
};

// Shows the wait window with the text ("kaboom" stands for the default text) and disables the
// window that DialogoAperto names; a second call while it is shown changes the text only.
void MostraAttesa(const QString& testo, bool annullabile);
// Hides the wait window and gives the window DialogoAperto names back its input; also when no
// wait window was shown.
void NascondiAttesa();
// The wait window while it is shown; null otherwise.
frmWait* FinestraAttesa();
// The wait window for the length of a scope: shown when built (unless told not to), hidden on
// every way out.
class AttesaInCorso {
public:
    explicit AttesaInCorso(const QString& testo, bool mostra = true, bool annullabile = false)
        : mostrata(mostra)
    {
        if (mostrata)
            MostraAttesa(testo, annullabile);
    }
    ~AttesaInCorso()
    {
        if (mostrata)
            NascondiAttesa();
    }
    AttesaInCorso(const AttesaInCorso&) = delete;
    AttesaInCorso& operator=(const AttesaInCorso&) = delete;

private:
    bool mostrata;
};

// A chunk arrived: the wait window, when open, shows it (see frmWait::SegnalaRicezione).
void SegnalaRicezioneAttesa();
