#pragma once

#include "dialogo.h"
#include "promemoria.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
class QGroupBox;
class QPushButton;
class QRadioButton;

// What the reminder dialog shows when it opens: date and time fields as text, the text, and the
// options of category and recurrence (0 to 3).
struct CampiProm {
    QString gg, mm, aa, h, m, s;
    QString testo;
    int categoria = 0;
    int ricorrenza = 0;
    bool utc = false; // the time is in UTC, and stays so
};

// The reminder dialog: the user enters or changes one reminder and OK writes it straight to the
// phone position in its tag. Opened modeless over the disabled main window, which waits until
// it closes; however it closes it raises DialogoChiuso, clears DialogoAperto and gives the main
// window back its input.
class frmProm : public DialogoRestituito {
    Q_OBJECT
public:
    static constexpr uint8_t Codice = 3;

    // `tag` is the phone position to write.
    frmProm(QWidget* principale, int tag);

    void Compila(const CampiProm& campi);

    // The date and time fields are digits within their ranges and the text fits 16 characters.
    bool TuttoValido() const;
    // The text is decimal digits only and its value lies within minimo and massimo.
    static bool ControllaN(const QString& testo, int minimo, int massimo);
    void InitLang();

    void pOk_Click();
    void pAnnulla_Click();

    QLabel *Label1 = nullptr, *Label4 = nullptr, *Label7 = nullptr;
    QLineEdit *txtGG = nullptr, *txtMM = nullptr, *txtAA = nullptr;
    QLineEdit *txtH = nullptr, *txtM = nullptr, *txtS = nullptr;
    QLineEdit* txtTesto = nullptr;
    QGroupBox *Frame2 = nullptr, *Frame3 = nullptr;
    std::array<QRadioButton*, 4> optCat{};
    std::array<QRadioButton*, 4> optRic{};
    QPushButton *pOk = nullptr, *pAnnulla = nullptr;

    int Tag() const { return tag; }

private:
    void costruisci();
    // The text as the phone can store it: no control characters.
    QString testoPulito() const;
    // What the fields and options hold now.
    ValoriProm valori() const;

    int tag;
    bool utc = false;
    // What the dialog showed when it opened: an edit changes what differs from it.
    ValoriProm iniziali;
};
