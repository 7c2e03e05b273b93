#include "frmblocco.h"

#include "blocchi.h"
#include "campocodice.h"
#include "catalogo.h"
#include "frmcambiocodice.h"
#include "interazione.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmBlocco::frmBlocco(int facilita, uint8_t modo, const QString& nome, QWidget* principale)
    : DialogoRestituito(std::nullopt, principale), facilita(facilita), modo(modo), nome(nome)
{
    costruisci();
    InitLang();
    PreparaCampoCodice(*txtCodice, *chkMask, facilita);
    for (QCheckBox* classe : chkClass)
        classe->setVisible(Sbarramento(facilita));
}

void frmBlocco::costruisci()
{
    auto* griglia = new QGridLayout(this);
    lab1 = new QLabel(this);
    txtCodice = new QLineEdit(this);
    chkMask = new QCheckBox(this);
    pCambia = new QPushButton(this);
    griglia->addWidget(lab1, 0, 0);
    griglia->addWidget(txtCodice, 0, 1);
    griglia->addWidget(chkMask, 0, 2);
    griglia->addWidget(pCambia, 0, 3);
    auto* classi = new QHBoxLayout;
    for (QCheckBox*& classe : chkClass) {
        classe = new QCheckBox(this);
        classi->addWidget(classe);
    }
    griglia->addLayout(classi, 1, 0, 1, 4);
    griglia->addLayout(PulsantiOkAnnulla(*this, pOk, pAnnulla), 2, 0, 1, 4);
    connect(pOk, &QPushButton::clicked, this, &frmBlocco::pOk_Click);
    connect(pAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(pCambia, &QPushButton::clicked, this, &frmBlocco::pCambia_Click);
}

void frmBlocco::InitLang()
{
    SeTesto(523, [this](const QString& t) { lab1->setText(t); });
    SeTesto(525, [this](const QString& t) { pCambia->setText(t); });
    for (size_t i = 0; i < chkClass.size(); ++i)
        SeTesto(526 + static_cast<int>(i), [&](const QString& t) { chkClass[i]->setText(t); });
    SeTesto(524, [this](const QString& t) { pAnnulla->setText(t); });
}

void frmBlocco::pOk_Click()
{
    if (!CodiceValido(txtCodice->text())) {
        MsgBox(Msg(28), QMessageBox::Information, QMessageBox::Ok, Msg(29), this);
        return;
    }
    bool riuscito = false;
    {
        const ComandoInCorso attesa{pOk, pAnnulla, pCambia};
        std::optional<uint8_t> classe
            = ClasseDelleCaselle({chkClass[0]->isChecked(), chkClass[1]->isChecked(),
                                  chkClass[2]->isChecked(), chkClass[3]->isChecked()});
        riuscito = ImpostaBlocco(facilita, modo, txtCodice->text(), classe);
    }
    if (riuscito) {
        accept();
        return;
    }
    MsgBox(Msg(26) + nome, QMessageBox::Critical, QMessageBox::Ok, Msg(27), this);
    show();
    activateWindow();
}

void frmBlocco::pCambia_Click()
{
    frmCambioCodice cambio(facilita, this);
    EseguiSopra(cambio);
}
