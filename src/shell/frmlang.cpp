#include "frmlang.h"

#include "finestre.h"
#include "globali.h"
#include "immagini.h"
#include "impostazioni.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

frmLAng::frmLAng(QWidget* padre) : QDialog(padre)
{
    setWindowTitle(QStringLiteral("Select language"));
    auto* griglia = new QGridLayout(this);
    const std::array<QString, 3> didascalie{QStringLiteral("&Italiano"), QStringLiteral("&English"),
                                            QStringLiteral("&Français")};
    const std::array<QString, 3> bandiere{QStringLiteral("bandiera-it"),
                                          QStringLiteral("bandiera-en"),
                                          QStringLiteral("bandiera-fr")};
    for (int i = 0; i < 3; ++i) {
        auto* Picture1 = new QLabel(this);
        Picture1->setPixmap(Figura(bandiere[static_cast<size_t>(i)]));
        optLang[static_cast<size_t>(i)]
            = new QRadioButton(didascalie[static_cast<size_t>(i)], this);
        griglia->addWidget(Picture1, i, 0);
        griglia->addWidget(optLang[static_cast<size_t>(i)], i, 1);
    }
    auto* Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setDefault(true);
    griglia->addWidget(Command1, 3, 0, 1, 2, Qt::AlignRight);
    // What the dialog is widened by, for its title, goes right of the options, which stay beside
    // their flags.
    griglia->setColumnStretch(1, 1);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    Form_Load();
}

void frmLAng::Form_Load()
{
    adjustSize();
    CentraForm(*this, nullptr);
    // A language the program does not know preselects Italian, as a first start does.
    const size_t scelta = Opzioni.Lingua <= 2 ? Opzioni.Lingua : 0;
    optLang[scelta]->setChecked(true);
}

void frmLAng::done(int risultato)
{
    Form_Unload();
    QDialog::done(risultato);
}

void frmLAng::Form_Unload()
{
    int lingua = 2;
    if (optLang[0]->isChecked())
        lingua = 0;
    else if (optLang[1]->isChecked())
        lingua = 1;
    ScriviImpostazione(QStringLiteral("General"), QStringLiteral("Language"), lingua);
    Opzioni.Lingua = static_cast<uint8_t>(lingua);
    BaseLang = static_cast<int16_t>(lingua * 1000 + 1);
}
