#pragma once

#include "dialogo.h"

#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QString;

// The entry dialog: a name, a number and the red-list mark for one position of one memory. It
// writes the entry itself on OK; its opener waits for it to close (the hand-back protocol).
class frmInputVoceRub : public DialogoRestituito {
    Q_OBJECT
public:
    // `principale` is the window disabled while the dialog is open, given back on closing.
    frmInputVoceRub(uint8_t memoria, QWidget* principale);

    void InitLang();
    // The entry's name on the phone could not be read: the name field shows it as unknown, and
    // OK takes no empty name, which would erase the phone's.
    void ChiediNome();
    void pOk_Click();
    void pAnnulla_Click();

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
    QLineEdit *txtNome = nullptr, *txtNumero = nullptr, *txtMem = nullptr;
    QCheckBox* chkRossa = nullptr;
    QPushButton *pOk = nullptr, *pAnnulla = nullptr;

private:
    void costruisci();
    // Writes the entry with this name; false, with the user told why, when the name cannot go
    // to the phone or the phone refused it: the dialog then stays open.
    bool scrivi(const QString& nome);

    uint8_t memoria;
    bool nomeRichiesto = false;
};
