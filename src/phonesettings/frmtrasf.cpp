#include "frmtrasf.h"

#include "tabella.h"

#include "catalogo.h"
#include "globali.h"
#include "interazione.h"
#include "numeroenome.h"
#include "ricerche.h"
#include "trasferimenti.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <cmath>

namespace {

constexpr int PassoAttesa = 5;

} // namespace

frmTrasf::frmTrasf(uint8_t motivo, uint8_t linea, bool attivo, QWidget* principale)
    : DialogoRestituito(Codice, principale), Motivo(motivo), Linea(linea)
{
    costruisci();
    InitLang();
    SetCmbRubrica();
    const Trasferimento& t = Telefono.Trasferimenti[motivo];
    setWindowTitle(Msg(57 + motivo) + QStringLiteral(" - ") + Msg(454 + linea));
    txtNum->setText(t.Numero[linea]);
    chkAttivo->setChecked(attivo);
    boxAttesa->setVisible(motivo == MotivoSenzaRisposta);
    if (motivo == MotivoSenzaRisposta)
        cmbAttesa->setCurrentIndex(
            static_cast<int>(std::lround(t.Tempo[linea] / static_cast<double>(PassoAttesa))) - 1);
}

void frmTrasf::costruisci()
{
    auto* griglia = new QGridLayout(this);
    Label2 = new QLabel(this);
    txtNum = new QLineEdit(this);
    cmbRub = new QComboBox(this);
    chkAttivo = new QCheckBox(this);
    griglia->addWidget(Label2, 0, 0);
    griglia->addWidget(txtNum, 0, 1);
    griglia->addWidget(cmbRub, 1, 1);
    griglia->addWidget(chkAttivo, 2, 1);
    boxAttesa = new QWidget(this);
    auto* attesa = new QHBoxLayout(boxAttesa);
    attesa->setContentsMargins(0, 0, 0, 0);
    Label1 = new QLabel(boxAttesa);
    cmbAttesa = new QComboBox(boxAttesa);
    for (int secondi = PassoAttesa; secondi <= 6 * PassoAttesa; secondi += PassoAttesa)
        cmbAttesa->addItem(QString::number(secondi));
    cmbAttesa->setCurrentIndex(-1);
    Label3 = new QLabel(boxAttesa);
    attesa->addWidget(Label1);
    attesa->addWidget(cmbAttesa);
    attesa->addWidget(Label3);
    griglia->addWidget(boxAttesa, 3, 0, 1, 2);
    griglia->addLayout(PulsantiOkAnnulla(*this, pOk, pAnnulla), 4, 0, 1, 2);
    connect(cmbRub, &QComboBox::activated, this, &frmTrasf::cmbRub_Click);
    connect(txtNum, &QLineEdit::textChanged, this, &frmTrasf::txtNum_Change);
    connect(pOk, &QPushButton::clicked, this, &frmTrasf::pOk_Click);
    connect(pAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void frmTrasf::InitLang()
{
    SeTesto(591, [this](const QString& t) { Label2->setText(t); });
    SeTesto(594, [this](const QString& t) { chkAttivo->setText(t); });
    SeTesto(592, [this](const QString& t) { Label1->setText(t); });
    SeTesto(593, [this](const QString& t) { Label3->setText(t); });
    SeTesto(524, [this](const QString& t) { pAnnulla->setText(t); });
}

void frmTrasf::SetCmbRubrica()
{
    const QSignalBlocker blocco(cmbRub);
    cmbRub->clear();
    for (const VoceRubrica* voce : VociLette())
        cmbRub->addItem(voce->Nome);
    cmbRub->setCurrentIndex(-1);
}

void frmTrasf::cmbRub_Click()
{
    NomeScelto(*txtNum, *cmbRub);
}

void frmTrasf::txtNum_Change()
{
    NumeroScritto(*txtNum, *cmbRub);
}

uint8_t frmTrasf::tempoScelto() const
{
    if (Motivo != MotivoSenzaRisposta || cmbAttesa->currentIndex() < 0)
        return 0;
    return static_cast<uint8_t>((cmbAttesa->currentIndex() + 1) * PassoAttesa);
}

void frmTrasf::pOk_Click()
{
    const QString numero = txtNum->text();
    if (!ValidaNumero(numero)) {
        MsgBox(Msg(387), QMessageBox::NoIcon, QMessageBox::Ok, QString(), this);
        txtNum->setFocus();
        return;
    }
    EsitoTrasf registrato = EsitoTrasf::NonFatto;
    EsitoTrasf spento = EsitoTrasf::Fatto;
    {
        const ComandoInCorso attesa{pOk, pAnnulla};
        registrato = ImpostaTrasf(Motivo, Registra, Linea, numero, tempoScelto());
        if (registrato == EsitoTrasf::Fatto && !chkAttivo->isChecked())
            spento = ImpostaTrasf(Motivo, Disattiva, Linea, QString(), 0);
    }
    if (registrato != EsitoTrasf::Fatto) {
        ErroreTrasf(registrato, this);
        return;
    }
    // A switch-off the phone refused leaves the class registered and on, as the table says; one
    // that went half-way may have switched the other classes off.
    if (spento == EsitoTrasf::InParte)
        ErroreTrasf(spento, this);
    accept();
}

void ErroreTrasf(EsitoTrasf esito, QWidget* padre)
{
    constexpr int VoceErrore = 27;
    constexpr int VoceImpossibileTrasf = 464;
    constexpr int VoceAltreClassiSpente = 871;
    if (esito == EsitoTrasf::NonFatto)
        MsgBox(Msg(VoceImpossibileTrasf), QMessageBox::Critical, QMessageBox::Ok, Msg(VoceErrore),
               padre);
    else if (esito == EsitoTrasf::InParte)
        MsgBox(Msg(VoceAltreClassiSpente), QMessageBox::Warning, QMessageBox::Ok, Msg(VoceErrore),
               padre);
}
