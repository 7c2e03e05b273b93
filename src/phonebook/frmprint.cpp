#include "frmprint.h"

#include "immagini.h"

#include "catalogo.h"
#include "finestre.h"
#include "globali.h"
#include "interazione.h"
#include "reportrubrica.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
constexpr uint8_t CodiceDialogo = 4;
}

frmPrint::frmPrint(int selezione, QWidget* padre) : QDialog(padre)
{
    // The owner is disabled while the dialog is open, which disabled it too; a window of its own
    // can be enabled again.
    setEnabled(true);
    DialogoAperto = CodiceDialogo;
    RegistraFinestraDialogo(CodiceDialogo, this);
    costruisci();
    InitLang();
    for (const QString& nome : NomiMemoria)
        cmbRubTip->addItem(nome);
    cmbRubTip->addItem(Msg(19));
    cmbRubTip->setCurrentIndex(selezione);
    cmbRubTip_Click();
    // Centred at the size its contents take, not at the size a window has before it is shown.
    adjustSize();
    CentraForm(*this, padre);
}

frmPrint::~frmPrint()
{
    DialogoAperto = 0;
    RegistraFinestraDialogo(CodiceDialogo, nullptr);
}

void frmPrint::costruisci()
{
    Label1 = new QLabel(this);
    cmbRubTip = new QComboBox(this);
    Frame1 = new QGroupBox(this);
    Label2 = new QLabel(Frame1);
    for (QRadioButton*& opzione : optSort)
        opzione = new QRadioButton(Frame1);
    optSort[0]->setChecked(true);
    chkRosso = new QCheckBox(Frame1);
    pStampa = new QPushButton(this);
    pAnnulla = new QPushButton(this);
    Rtf = new QTextEdit(this);
    Rtf->setVisible(false);

    auto* riquadro = new QGridLayout(Frame1);
    riquadro->addWidget(Label1, 0, 0);
    riquadro->addWidget(cmbRubTip, 0, 1);
    riquadro->addWidget(Label2, 1, 0);
    for (int i = 0; i < 3; ++i)
        riquadro->addWidget(optSort[static_cast<size_t>(i)], 1 + i, 1);
    riquadro->addWidget(chkRosso, 4, 0, 1, 2);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(pStampa);
    pulsanti->addWidget(pAnnulla);
    auto* finestra = new QVBoxLayout(this);
    finestra->addWidget(Frame1);
    finestra->addLayout(pulsanti);

    connect(cmbRubTip, qOverload<int>(&QComboBox::activated), this, &frmPrint::cmbRubTip_Click);
    connect(pStampa, &QPushButton::clicked, this, &frmPrint::pStampa_Click);
    connect(pAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void frmPrint::InitLang()
{
    SeTesto(552, [this](const QString& t) { setWindowTitle(t); });
    SeTesto(553, [this](const QString& t) { Frame1->setTitle(t); });
    SeTesto(554, [this](const QString& t) { Label1->setText(t); });
    SeTesto(555, [this](const QString& t) { Label2->setText(t); });
    SeTesto(556, [this](const QString& t) { optSort[0]->setText(t); });
    SeTesto(557, [this](const QString& t) { optSort[1]->setText(t); });
    SeTesto(558, [this](const QString& t) { optSort[2]->setText(t); });
    SeTesto(559, [this](const QString& t) { chkRosso->setText(t); });
    SeTesto(560, [this](const QString& t) { pStampa->setText(t); });
    SeTesto(561, [this](const QString& t) { pAnnulla->setText(t); });
}

void frmPrint::cmbRubTip_Click()
{
    const bool tutte = cmbRubTip->currentIndex() == StampaTutte;
    optSort[0]->setEnabled(!tutte);
    if (tutte && optSort[0]->isChecked())
        optSort[1]->setChecked(true);
}

uint8_t frmPrint::chiaveScelta() const
{
    for (size_t i = 0; i < optSort.size(); ++i)
        if (optSort[i]->isChecked())
            return static_cast<uint8_t>(i);
    return PerPosizione;
}

void frmPrint::pStampa_Click()
{
    Rtf->clear();
    const std::vector<PezzoReport> report
        = ReportRubrica(cmbRubTip->currentIndex(), chiaveScelta(), chkRosso->isChecked());
    if (report.empty()) {
        MsgBox(Msg(20), QMessageBox::Warning, QMessageBox::Ok, QString(), this);
        return;
    }
    for (const PezzoReport& pezzo : report)
        OutRTFp(pezzo.testo, pezzo.colore, pezzo.font, pezzo.dimensione, pezzo.grassetto);
    QPrinter stampante;
    if (interazione().Stampa(this, stampante))
        Rtf->document()->print(&stampante);
}

void frmPrint::OutRTFp(const QString& testo, uint8_t colore, const QString& font,
                       int16_t dimensione, bool grassetto)
{
    QTextCharFormat formato;
    QFont carattere(font);
    // Where the named font is missing, its kind decides the stand-in: the columns need a
    // fixed-pitch one.
    carattere.setStyleHint(font.startsWith(QLatin1String("Courier")) ? QFont::TypeWriter
                                                                     : QFont::SansSerif);
    carattere.setPointSize(dimensione);
    carattere.setBold(grassetto);
    formato.setFont(carattere);
    formato.setForeground(ColorePalette(colore));
    QTextCursor cursore(Rtf->document());
    cursore.movePosition(QTextCursor::End);
    cursore.insertText(QString(testo).remove(QLatin1Char('\r')), formato);
}
