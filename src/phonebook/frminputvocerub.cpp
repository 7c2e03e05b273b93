#include "frminputvocerub.h"

#include "catalogo.h"
#include "finestre.h"
#include "globali.h"
#include "inputvoce.h"
#include "interazione.h"
#include "scambio.h"
#include "scambiorubrica.h"
#include "tabella.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr uint8_t CodiceDialogo = 2;
constexpr int VoceScritturaRifiutata = 898;
constexpr int VoceNumeroNonValido = 387;

// The design's measures (twips) are minimums: a caption longer in the current font and
// language widens its control, and the grid moves the others aside.
template <class Controllo>
Controllo* Minimo(Controllo* controllo, int width, int height)
{
    controllo->setMinimumSize(InPixel(width), InPixel(height));
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
        // The limit counts digits: an international number's "+" comes on top.
        txtNumero->setMaxLength(limiti.numero + 1);
    }
}

void frmInputVoceRub::costruisci()
{
    Label1 = Minimo(new QLabel(this), 465, 195);
    txtNome = Minimo(new QLineEdit(this), 2325, 285);
    Label2 = Minimo(new QLabel(this), 600, 195);
    txtNumero = Minimo(new QLineEdit(this), 2325, 285);
    Label3 = Minimo(new QLabel(this), 645, 195);
    txtMem = Minimo(new QLineEdit(this), 540, 285);
    txtMem->setEnabled(false);
    chkRossa = Minimo(new QCheckBox(this), 1590, 195);
    pOk = Minimo(new QPushButton(QStringLiteral("&OK"), this), 960, 330);
    pAnnulla = Minimo(new QPushButton(this), 960, 330);

    // Name and number fields in one column after their labels; the position with the red-list
    // box on its row; OK and Cancel at the bottom right.
    auto* griglia = new QGridLayout(this);
    griglia->setSizeConstraint(QLayout::SetFixedSize);
    griglia->addWidget(Label1, 0, 0);
    griglia->addWidget(txtNome, 0, 1, 1, 2);
    griglia->addWidget(Label2, 1, 0);
    griglia->addWidget(txtNumero, 1, 1, 1, 2);
    griglia->addWidget(Label3, 2, 0);
    griglia->addWidget(txtMem, 2, 1);
    griglia->addWidget(chkRossa, 2, 2, Qt::AlignRight);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(pOk);
    pulsanti->addWidget(pAnnulla);
    griglia->addLayout(pulsanti, 3, 0, 1, 3);
    griglia->setColumnStretch(2, 1);
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

void frmInputVoceRub::ChiediNome()
{
    nomeRichiesto = true;
    txtNome->setPlaceholderText(Msg(VoceSconosciuto));
}

void frmInputVoceRub::pOk_Click()
{
    const bool rossa = chkRossa->isChecked();
    const LimitiMemoria limiti = memoria < NumMemorie ? LimitiRubrica[memoria] : LimitiMemoria{};
    if (const int errore = ErroreVoce(txtNome->text(), txtNumero->text(), rossa, limiti,
                                      SetTelefono, nomeRichiesto)) {
        MsgBox(Msg(errore), QMessageBox::NoIcon, QMessageBox::Ok, QString(), this);
        (errore == VoceNumeroNonValido ? txtNumero : txtNome)->setFocus();
        return;
    }
    if (Connesso && !scrivi(NomeDaScrivere(txtNome->text(), rossa)))
        return;
    accept();
}

bool frmInputVoceRub::scrivi(const QString& nome)
{
    // What the phone cannot take, or would not, is told; the user's text stays for a change.
    if (const QString motivo = NomeNonScrivibile(nome); !motivo.isEmpty()) {
        MsgBox(motivo, QMessageBox::NoIcon, QMessageBox::Ok, QString(), this);
        txtNome->setFocus();
        return false;
    }
    QString rifiuto;
    if (ScriviVoceRubrica(memoria, txtMem->text(), nome, txtNumero->text(), &rifiuto)
        || rifiuto.isEmpty())
        return true; // written, or the link failed, which the link tells
    MsgBox(Msg(VoceScritturaRifiutata) + MotivoRifiuto(rifiuto), QMessageBox::Warning,
           QMessageBox::Ok, QString(), this);
    return false;
}

void frmInputVoceRub::pAnnulla_Click()
{
    reject();
}
