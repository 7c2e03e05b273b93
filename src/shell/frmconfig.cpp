#include "frmconfig.h"
#include "dialogo.h"

#include "catalogo.h"
#include "finestre.h"
#include "funzioni.h"
#include "globali.h"
#include "impostazioni.h"
#include "interazione.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QCheckBox* casella(QWidget* padre, uint8_t stato)
{
    auto* box = new QCheckBox(padre);
    // A stored value other than 0 and 1 shows as the third state, as it was stored.
    box->setTristate(stato > 1);
    box->setCheckState(stato == 0   ? Qt::Unchecked
                       : stato == 1 ? Qt::Checked
                                    : Qt::PartiallyChecked);
    return box;
}

uint8_t stato(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    default:
        return 2;
    }
}

} // namespace

frmConfig::frmConfig(FunzioniCollegamento& collegamento, QWidget* padre)
    : QDialog(padre), MSComm1(collegamento)
{
    auto* colonna = new QVBoxLayout(this);
    tabSettings = new QTabWidget(this);
    fraGeneral = new QWidget(tabSettings);
    tabSettings->addTab(fraGeneral, QString());
    colonna->addWidget(tabSettings);

    colonna->addLayout(PulsantiOkAnnulla(*this, cmdOK, cmdCancel));
    connect(cmdOK, &QPushButton::clicked, this, &frmConfig::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    InitControls();
    InitLang();
    adjustSize();
    CentraForm(*this, padre);
}

void frmConfig::InitControls()
{
    auto* generale = new QVBoxLayout(fraGeneral);
    Frame3 = new QGroupBox(fraGeneral);
    auto* avvio = new QVBoxLayout(Frame3);
    chkApriRub = casella(Frame3, Opzioni.AutoLoadRub);
    chkApriOPs = casella(Frame3, Opzioni.AutoLoadOPsList);
    chkNoSS = casella(Frame3, Opzioni.SplashScreen);
    for (QCheckBox* box : {chkApriRub, chkApriOPs, chkNoSS})
        avvio->addWidget(box);

    Frame1 = new QGroupBox(fraGeneral);
    auto* altro = new QVBoxLayout(Frame1);
    chkSalvaRub = casella(Frame1, Opzioni.AutoSaveRub);
    chkWin = casella(Frame1, Opzioni.SaveWindow);
    altro->addWidget(chkSalvaRub);
    altro->addWidget(chkWin);

    Frame2 = new QGroupBox(fraGeneral);
    auto* porta = new QHBoxLayout(Frame2);
    cboPort = new QComboBox(Frame2);
    for (int n = 1; n <= 8; ++n)
        cboPort->addItem(QStringLiteral("Com%1").arg(n));
    cboPort->setCurrentIndex(MSComm1.CommPort() - 1 < 8 ? MSComm1.CommPort() - 1 : -1);
    porta->addWidget(cboPort);
    porta->addStretch();

    for (QGroupBox* riquadro : {Frame3, Frame1, Frame2})
        generale->addWidget(riquadro);
}

void frmConfig::InitLang()
{
    SeTesto(534, [this](const QString& t) { setWindowTitle(t); });
    SeTesto(535, [this](const QString& t) { tabSettings->setTabText(0, t); });
    SeTesto(536, [this](const QString& t) { Frame3->setTitle(t); });
    SeTesto(537, [this](const QString& t) { chkApriRub->setText(t); });
    SeTesto(538, [this](const QString& t) { chkApriOPs->setText(t); });
    SeTesto(539, [this](const QString& t) { chkNoSS->setText(t); });
    SeTesto(540, [this](const QString& t) { Frame1->setTitle(t); });
    SeTesto(541, [this](const QString& t) { chkSalvaRub->setText(t); });
    SeTesto(542, [this](const QString& t) { chkWin->setText(t); });
    SeTesto(543, [this](const QString& t) { Frame2->setTitle(t); });
    SeTesto(524, [this](const QString& t) { cmdCancel->setText(t); });
}

void frmConfig::cmdOK_Click()
{
    const int vecchia = MSComm1.CommPort();
    const int nuova = cboPort->currentIndex() + 1;
    if (nuova != vecchia) {
        if (MSComm1.PortOpen())
            MSComm1.ChiudiPorta();
        QString errore;
        if (!MSComm1.ImpostaCommPort(nuova, errore)) {
            MsgBox(errore, QMessageBox::Warning, QMessageBox::Ok, {}, this);
            return;
        }
    }
    const QString general = QStringLiteral("General");
    ScriviImpostazione(QStringLiteral("Config"), QStringLiteral("Porta"), MSComm1.CommPort());
    Opzioni.AutoSaveRub = stato(chkSalvaRub);
    Opzioni.AutoLoadRub = stato(chkApriRub);
    Opzioni.SaveWindow = stato(chkWin);
    Opzioni.SplashScreen = stato(chkNoSS);
    Opzioni.AutoLoadOPsList = stato(chkApriOPs);
    ScriviImpostazione(general, QStringLiteral("AutoSaveRub"), Opzioni.AutoSaveRub);
    ScriviImpostazione(general, QStringLiteral("AutoLoadRub"), Opzioni.AutoLoadRub);
    ScriviImpostazione(general, QStringLiteral("SaveWindow"), Opzioni.SaveWindow);
    ScriviImpostazione(general, QStringLiteral("SplashScreen"), Opzioni.SplashScreen);
    ScriviImpostazione(general, QStringLiteral("AutoLoadOPsList"), Opzioni.AutoLoadOPsList);
    accept();
}
