#include "frmabout.h"

#include "catalogo.h"
#include "finestre.h"
#include "immagini.h"
#include "versione.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

frmAbout::frmAbout(QWidget* padre) : QDialog(padre)
{
    auto* griglia = new QGridLayout(this);
    picIcon = new QLabel(this);
    picIcon->setPixmap(Figura(QStringLiteral("quorna-64")));
    lblTitle = new QLabel(this);
    QFont carattere(QStringLiteral("Arial"));
    carattere.setBold(true);
    carattere.setPointSize(lblTitle->font().pointSize() + 6);
    lblTitle->setFont(carattere);
    lblVersion = new QLabel(this);
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    griglia->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    griglia->addWidget(lblTitle, 0, 1);
    griglia->addWidget(lblVersion, 1, 1);
    griglia->addWidget(cmdOK, 2, 1, Qt::AlignRight);

    const QString titolo = QApplication::applicationName();
    setWindowTitle(Msg(407) + titolo);
    // The version line is the same in every language.
    lblVersion->setText(QStringLiteral("Versione %1.%2.%3")
                            .arg(QUORNA_VERSIONE_MAJOR)
                            .arg(QUORNA_VERSIONE_MINOR)
                            .arg(QUORNA_VERSIONE_REVISION));
    lblTitle->setText(titolo);
    adjustSize();
    CentraForm(*this, padre);
}
