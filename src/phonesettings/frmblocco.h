#pragma once

#include "dialogo.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks the code that switches one lock (any but the keypad lock) and sends the switch; it also
// opens the password change of the same lock. Its opener sets the caption and waits for it.
class frmBlocco : public DialogoRestituito {
    Q_OBJECT
public:
    // `facilita` 1 to 8, `modo` 1 to enable or 0 to disable, `nome` the lock's caption.
    frmBlocco(int facilita, uint8_t modo, const QString& nome, QWidget* principale);

    void InitLang();
    void pOk_Click();
    void pCambia_Click();

    QLabel* lab1 = nullptr;
    QLineEdit* txtCodice = nullptr;
    QCheckBox* chkMask = nullptr;
    QPushButton* pCambia = nullptr;
    // Offered for the barrings only: voice, data, fax, all. None ticked switches every class.
    std::array<QCheckBox*, 4> chkClass{};
    QPushButton *pOk = nullptr, *pAnnulla = nullptr;

private:
    void costruisci();

    int facilita;
    uint8_t modo;
    QString nome;
};
