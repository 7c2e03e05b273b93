#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Changes the password of one lock: the current code, the new one and its confirmation.
// Opened modally over the lock dialog.
class frmCambioCodice : public QDialog {
    Q_OBJECT
public:
    frmCambioCodice(int facilita, QWidget* padre);

    void InitLang();
    void pOk_Click();

    std::array<QLabel*, 3> lab{};
    std::array<QLineEdit*, 3> txtCod{}; // 0 current, 1 new, 2 confirmation
    std::array<QCheckBox*, 3> chkMask{};
    QPushButton *pOk = nullptr, *pAnnulla = nullptr;

private:
    void costruisci();

    int facilita;
};
