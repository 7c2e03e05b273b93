#pragma once

#include <QDialog>

class FunzioniCollegamento;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QTabWidget;

// The settings dialog: the phone's serial port and the five options. OK applies and stores
// them; Cancel and the close box change nothing.
class frmConfig : public QDialog {
    Q_OBJECT
public:
    frmConfig(FunzioniCollegamento& collegamento, QWidget* padre);

    void InitControls();
    void InitLang();

    QTabWidget* tabSettings = nullptr;
    QWidget* fraGeneral = nullptr;
    QGroupBox *Frame1 = nullptr, *Frame2 = nullptr, *Frame3 = nullptr;
    QCheckBox *chkApriRub = nullptr, *chkApriOPs = nullptr, *chkNoSS = nullptr;
    QCheckBox *chkSalvaRub = nullptr, *chkWin = nullptr;
    QComboBox* cboPort = nullptr;
    QPushButton *cmdOK = nullptr, *cmdCancel = nullptr;

    void cmdOK_Click();

private:
    FunzioniCollegamento& MSComm1;
};
