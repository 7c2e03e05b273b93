#pragma once

#include "dialogo.h"

#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
enum class EsitoTrasf;

// Tells the user of a forwarding change that failed, or that went half-way; nothing for one that
// was done.
void ErroreTrasf(EsitoTrasf esito, QWidget* padre = nullptr);

// Sets the call forwarding of one reason and class line: the number (typed, or picked from the
// phonebook names), the no-reply time for reason 2, and whether it is active.
class frmTrasf : public DialogoRestituito {
    Q_OBJECT
public:
    static constexpr uint8_t Codice = 5;

    // Shows the stored number of the line; `attivo` ticks the active box.
    frmTrasf(uint8_t motivo, uint8_t linea, bool attivo, QWidget* principale);

    void InitLang();
    void SetCmbRubrica();
    void cmbRub_Click();
    void txtNum_Change();
    void pOk_Click();

    QLabel* Label2 = nullptr;
    QLineEdit* txtNum = nullptr;
    QComboBox* cmbRub = nullptr;
    QCheckBox* chkAttivo = nullptr;
    QWidget* boxAttesa = nullptr;
    QLabel *Label1 = nullptr, *Label3 = nullptr;
    QComboBox* cmbAttesa = nullptr;
    QPushButton *pOk = nullptr, *pAnnulla = nullptr;

    uint8_t Motivo = 0;
    uint8_t Linea = 0;

private:
    void costruisci();
    uint8_t tempoScelto() const;
};
