#include "frminputvocerub.h"

#include "catalogo.h"
#include "finestre.h"
#include "globali.h"
#include "inputvoce.h"
#include "interazione.h"
#include "scambiorubrica.h"
#include "tabella.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr uint8_t CodiceDialogo = 2;

template <class Controllo>
Controllo* Posiziona(Controllo* controllo, int left, int top, int width, int height)
{
    controllo->setGeometry(InPixel(left), InPixel(top), InPixel(width), InPixel(height));
    return controllo;
}

} // namespace

frmInputVoceRub::frmInputVoceRub(uint8_t memoria, QWidget* principale)
    : DialogoRestituito(CodiceDialogo, principale), memoria(memoria)
{
    costruisci();
    InitLang();
    const LimitiMemoria limiti = memoria < NumMemorie ? LimitiRubrica[memoria] : LimitiMemoria{};
    if (limiti.nome > 0 && limiti.numero > 0) {
        txtNome->setMaxLength(limiti.nome);
        txtNumero->setMaxLength(limiti.numero);
    }
}

void frmInputVoceRub::costruisci()
{
    setFixedSize(InPixel(3480), InPixel(1750));
    Label1 = Posiziona(new QLabel(this), 105, 130, 465, 195);
    txtNome = Posiziona(new QLineEdit(this), 945, 96, 2325, 285);
    Label2 = Posiziona(new QLabel(this), 105, 445, 600, 195);
    txtNumero = Posiziona(new QLineEdit(this), 945, 420, 2325, 285);
    Label3 = Posiziona(new QLabel(this), 105, 765, 645, 195);
    txtMem = Posiziona(new QLineEdit(this), 945, 735, 540, 285);
    txtMem->setEnabled(false);
    chkRossa = Posiziona(new QCheckBox(this), 1680, 800, 1590, 195);
    pOk = Posiziona(new QPushButton(QStringLiteral("&OK"), this), 1260, 1260, 960, 330);
    pAnnulla = Posiziona(new QPushButton(this), 2310, 1260, 960, 330);
    pOk->setDefault(true);
    setTabOrder(txtNome, txtNumero);
    setTabOrder(txtNumero, txtMem);
    setTabOrder(txtMem, chkRossa);
    setTabOrder(chkRossa, pOk);
    setTabOrder(pOk, pAnnulla);
    connect(pOk, &QPushButton::clicked, this, &frmInputVoceRub::pOk_Click);
    connect(pAnnulla, &QPushButton::clicked, this, &frmInputVoceRub::pAnnulla_Click);
}

void frmInputVoceRub::InitLang()
{
    SeTesto(544, [this](const QString& t) { Label1->setText(t); });
    SeTesto(545, [this](const QString& t) { Label2->setText(t); });
    SeTesto(546, [this](const QString& t) { Label3->setText(t); });
    SeTesto(547, [this](const QString& t) { chkRossa->setText(t); });
    SeTesto(524, [this](const QString& t) { pAnnulla->setText(t); });
}

void frmInputVoceRub::pOk_Click()
{
    const bool rossa = chkRossa->isChecked();
    const LimitiMemoria limiti = memoria < NumMemorie ? LimitiRubrica[memoria] : LimitiMemoria{};
    switch (ErroreVoce(txtNome->text(), txtNumero->text(), rossa, limiti.nome)) {
    case 386:
        MsgBox(Msg(386), QMessageBox::NoIcon, QMessageBox::Ok, QString(), this);
        txtNome->setFocus();
        return;
    case 387:
        MsgBox(Msg(387), QMessageBox::NoIcon, QMessageBox::Ok, QString(), this);
        txtNumero->setFocus();
        return;
    default:
        break;
    }
    if (Connesso)
        ScriviVoceRubrica(memoria, txtMem->text(), NomeDaScrivere(txtNome->text(), rossa),
                          txtNumero->text());
    accept();
}

void frmInputVoceRub::pAnnulla_Click()
{
    reject();
}
