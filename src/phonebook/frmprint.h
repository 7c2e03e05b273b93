#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTextEdit;

// The print dialog of the phonebook: what to print, the sort, red entries in red; it builds the
// report in its rich text and prints it on the printer the print dialog gives.
class frmPrint : public QDialog {
    Q_OBJECT
public:
    // `selezione` is what to preselect: memory 0 to 3, the red list 4, all 5.
    frmPrint(int selezione, QWidget* padre);
    ~frmPrint() override;

    void InitLang();
    void cmbRubTip_Click();
    void pStampa_Click();
    // Appends a run to the report with its palette colour, font, size and weight.
    void OutRTFp(const QString& testo, uint8_t colore, const QString& font, int16_t dimensione,
                 bool grassetto);

    QLabel *Label1 = nullptr, *Label2 = nullptr;
    QComboBox* cmbRubTip = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 3> optSort{};
    QCheckBox* chkRosso = nullptr;
    QPushButton *pStampa = nullptr, *pAnnulla = nullptr;
    QTextEdit* Rtf = nullptr;

private:
    void costruisci();
    uint8_t chiaveScelta() const;
};
