#include "dialogo.h"

#include "finestre.h"
#include "globali.h"

#include <QApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QPushButton>

DialogoRestituito::DialogoRestituito(std::optional<uint8_t> codice, QWidget* principale)
    : QDialog(principale), codice(codice), principale(principale)
{
    if (codice) {
        DialogoAperto = *codice;
        RegistraFinestraDialogo(*codice, this);
    }
}

DialogoRestituito::~DialogoRestituito()
{
    restituisci();
}

void DialogoRestituito::MostraEAttendi(QWidget* focus)
{
    if (principale)
        principale->setEnabled(false);
    // Disabling the owner disabled this window too; a window of its own can be enabled again.
    setEnabled(true);
    // Centred at the size its contents take, not at the size a window has before it is shown.
    if (!testAttribute(Qt::WA_Resized))
        adjustSize();
    CentraForm(*this, principale);
    DialogoChiuso = false;
    show();
    activateWindow();
    if (focus)
        focus->setFocus();
    QEventLoop ciclo;
    connect(this, &QDialog::finished, &ciclo, &QEventLoop::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, &ciclo, &QEventLoop::quit);
    if (!DialogoChiuso)
        ciclo.exec();
}

void DialogoRestituito::done(int risultato)
{
    QDialog::done(risultato);
    restituisci();
}

void DialogoRestituito::restituisci()
{
    if (restituito)
        return;
    restituito = true;
    DialogoChiuso = true;
    DialogoAperto = 0;
    if (codice)
        RegistraFinestraDialogo(*codice, nullptr);
    if (principale) {
        principale->setEnabled(true);
        principale->activateWindow();
    }
}

ComandoInCorso::ComandoInCorso(std::initializer_list<QWidget*> pulsanti) : pulsanti(pulsanti)
{
    for (QWidget* pulsante : this->pulsanti)
        pulsante->setEnabled(false);
}

ComandoInCorso::~ComandoInCorso()
{
    for (QWidget* pulsante : pulsanti)
        pulsante->setEnabled(true);
}

QHBoxLayout* PulsantiOkAnnulla(QDialog& dialogo, QPushButton*& ok, QPushButton*& annulla,
                               const QString& testoAnnulla)
{
    ok = new QPushButton(QStringLiteral("&OK"), &dialogo);
    ok->setDefault(true);
    annulla = new QPushButton(testoAnnulla, &dialogo);
    auto* riga = new QHBoxLayout;
    riga->addStretch();
    riga->addWidget(ok);
    riga->addWidget(annulla);
    return riga;
}
