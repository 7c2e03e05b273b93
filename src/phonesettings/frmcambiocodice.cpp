#include "frmcambiocodice.h"

#include "blocchi.h"
#include "campocodice.h"
#include "catalogo.h"
#include "dialogo.h"
#include "finestre.h"
#include "interazione.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmCambioCodice::frmCambioCodice(int facilita, QWidget* padre) : QDialog(padre), facilita(facilita)
{
    costruisci();
    InitLang();
    for (size_t i = 0; i < txtCod.size(); ++i)
        PreparaCampoCodice(*txtCod[i], *chkMask[i], facilita);
    // Centred at the size its contents take, not at the size a window has before it is shown.
    adjustSize();
    CentraForm(*this, padre);
}

void frmCambioCodice::costruisci()
{
    auto* griglia = new QGridLayout(this);
    for (size_t i = 0; i < txtCod.size(); ++i) {
        const int riga = static_cast<int>(i);
        lab[i] = new QLabel(this);
        txtCod[i] = new QLineEdit(this);
        chkMask[i] = new QCheckBox(this);
        griglia->addWidget(lab[i], riga, 0);
        griglia->addWidget(txtCod[i], riga, 1);
        griglia->addWidget(chkMask[i], riga, 2);
    }
    griglia->addLayout(PulsantiOkAnnulla(*this, pOk, pAnnulla, QStringLiteral("&Annulla")),
                       static_cast<int>(txtCod.size()), 0, 1, 3);
    connect(pOk, &QPushButton::clicked, this, &frmCambioCodice::pOk_Click);
    connect(pAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void frmCambioCodice::InitLang()
{
    SeTesto(530, [this](const QString& t) { setWindowTitle(t); });
    for (size_t i = 0; i < lab.size(); ++i)
        SeTesto(531 + static_cast<int>(i), [&](const QString& t) { lab[i]->setText(t); });
}

void frmCambioCodice::pOk_Click()
{
    const QString attuale = txtCod[0]->text();
    const QString nuovo = txtCod[1]->text();
    if (!CodiceValido(attuale) || !CodiceValido(nuovo) || nuovo != txtCod[2]->text()) {
        MsgBox(Msg(32), QMessageBox::Critical, QMessageBox::Ok, Msg(27), this);
        activateWindow();
        return;
    }
    bool riuscito = false;
    {
        const ComandoInCorso attesa{pOk, pAnnulla};
        riuscito = CambiaCodice(facilita, attuale, nuovo);
    }
    if (riuscito) {
        MsgBox(Msg(30), QMessageBox::Information, QMessageBox::Ok, QString(), this);
        accept();
        return;
    }
    MsgBox(Msg(31), QMessageBox::Critical, QMessageBox::Ok, Msg(27), this);
    activateWindow();
}
