#include "dialogo.h"

#include "finestre.h"
#include "globali.h"

#include <QApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>

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
    // The window manager activates the disabled owner when it is clicked; the keys would go
    // nowhere.
    if (principale)
        principale->installEventFilter(this);
    QEventLoop ciclo;
    connect(this, &QDialog::finished, &ciclo, &QEventLoop::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, &ciclo, &QEventLoop::quit);
    if (!DialogoChiuso)
        ciclo.exec();
}

int DialogoRestituito::EseguiSopra(QDialog& figlio)
{
    const int risultato = figlio.exec();
    riprendiTastiera();
    return risultato;
}

bool DialogoRestituito::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == principale && evento->type() == QEvent::WindowActivate && !restituito)
        QTimer::singleShot(0, this, &DialogoRestituito::riprendiTastiera);
    return QDialog::eventFilter(oggetto, evento);
}

void DialogoRestituito::riprendiTastiera()
{
    // A box or a dialog shown modally over this one is the window in front. While the wait
    // window keeps this dialog disabled, it is the wait window that takes the keys back.
    QWidget* davanti = QApplication::activeModalWidget();
    if (!davanti)
        davanti = this;
    if (!davanti->isVisible() || !davanti->isEnabled())
        return;
    davanti->raise();
    davanti->activateWindow();
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
        principale->removeEventFilter(this);
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
