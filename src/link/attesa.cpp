#include "attesa.h"

#include "catalogo.h"
#include "finestre.h"
#include "globali.h"
#include "scambio.h"
#include "tempi.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString TestoPredefinito = QStringLiteral("kaboom");
constexpr int VoceTestoPredefinito = 364;
constexpr int VoceAttendere = 453;
constexpr int VoceAnnulla = 524;
const QColor Rosso(255, 0, 0);
const QColor Verde(0, 255, 0);
// The dialogs the wait window disables: the main window (0), frmSMS, frmInputVoceRub, frmProm.
constexpr uint8_t UltimoCodiceDisabilitato = 3;
constexpr uint8_t CodiceSMS = 1;

QPointer<frmWait> finestraAttesa;
bool cursoreAttesa = false;

QWidget* FinestraDaDisabilitare()
{
    return DialogoAperto <= UltimoCodiceDisabilitato ? FinestraDialogo(DialogoAperto) : nullptr;
}

} // namespace

AnimazioneAttesa::AnimazioneAttesa(QWidget* padre) : QWidget(padre)
{
    setFixedSize(160, 24);
}

void AnimazioneAttesa::MostraFotogramma(uint8_t numero)
{
    fotogramma = numero;
    update();
}

void AnimazioneAttesa::paintEvent(QPaintEvent*)
{
    // A strip of ten cells; the frame's cell is lit.
    QPainter pittore(this);
    const int cella = width() / frmWait::NumFotogrammi;
    for (int i = 0; i < frmWait::NumFotogrammi; ++i) {
        const QRect r(i * cella + 2, 4, cella - 4, height() - 8);
        pittore.fillRect(r, i == fotogramma ? palette().highlight() : palette().mid());
    }
}

frmWait::frmWait() : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmWait"));
    setWindowTitle(QApplication::applicationName());
    labCosa = new QLabel(this);
    Label1 = new QLabel(this);
    SeTesto(VoceAttendere, [this](const QString& t) { Label1->setText(t); });
    picAnim = new AnimazioneAttesa(this);
    picLeds = new QFrame(this);
    picLeds->setFixedSize(12, 12);
    picLeds->setAutoFillBackground(true);
    coloraLuce(Rosso);
    pAnnulla = new QPushButton(this);
    SeTesto(VoceAnnulla, [this](const QString& t) { pAnnulla->setText(t); });
    pAnnulla->setVisible(AttesaAnnullabile);
    pAnnulla->installEventFilter(this);
    connect(pAnnulla, &QPushButton::clicked, this, &frmWait::pAnnulla_Click);

    auto* striscia = new QHBoxLayout;
    striscia->addWidget(picAnim);
    striscia->addWidget(picLeds, 0, Qt::AlignVCenter);
    auto* colonna = new QVBoxLayout(this);
    colonna->addWidget(labCosa);
    colonna->addWidget(Label1);
    colonna->addLayout(striscia);
    colonna->addWidget(pAnnulla, 0, Qt::AlignHCenter);
    adjustSize();
    CentraForm(*this, FinestraDialogo(0));

    connect(&Timer1, &QTimer::timeout, this, &frmWait::Timer1_Timer);
    Timer1.start(TempiLink.animazioneMs);
}

frmWait::~frmWait() = default;

void frmWait::Timer1_Timer()
{
    Incrementa(fotogramma);
    if (fotogramma == NumFotogrammi)
        fotogramma = 0;
    picAnim->MostraFotogramma(fotogramma);
}

void frmWait::pAnnulla_Click()
{
    Annulla = true;
    RisvegliaAttesa();
}

void frmWait::CambiaLuce()
{
    coloraLuce(ColoreLuce() == Rosso ? Verde : Rosso);
}

// A phone that sends byte by byte delivers a chunk every half millisecond. Ten changes a second
// show the user as well that data is arriving, and asking the window system for the focus while
// the window has it costs the program and the display server on every chunk for nothing.
void frmWait::SegnalaRicezione()
{
    if (ultimaRicezioneSegnalata.isValid() && ultimaRicezioneSegnalata.elapsed() < IntervalloLuceMs)
        return;
    ultimaRicezioneSegnalata.start();
    if (isVisible() && !isActiveWindow())
        activateWindow();
    CambiaLuce();
}

QColor frmWait::ColoreLuce() const
{
    return picLeds->palette().color(QPalette::Window);
}

void frmWait::coloraLuce(const QColor& colore)
{
    QPalette tavolozza = picLeds->palette();
    tavolozza.setColor(QPalette::Window, colore);
    picLeds->setPalette(tavolozza);
}

bool frmWait::eventFilter(QObject* oggetto, QEvent* evento)
{
    // Over Cancel the pointer is the ordinary one; elsewhere the hourglass.
    if (oggetto == pAnnulla && cursoreAttesa) {
        if (evento->type() == QEvent::Enter)
            QApplication::changeOverrideCursor(Qt::ArrowCursor);
        else if (evento->type() == QEvent::Leave)
            QApplication::changeOverrideCursor(Qt::WaitCursor);
    }
    return QDialog::eventFilter(oggetto, evento);
}

void MostraAttesa(const QString& testo, bool annullabile)
{
    if (QWidget* finestra = FinestraDaDisabilitare())
        finestra->setEnabled(false);
    AttesaAnnullabile = annullabile;
    if (!finestraAttesa)
        finestraAttesa = new frmWait;
    finestraAttesa->show();
    finestraAttesa->labCosa->setText(testo == TestoPredefinito ? Msg(VoceTestoPredefinito) : testo);
    finestraAttesa->repaint();
    finestraAttesa->activateWindow();
    if (!cursoreAttesa) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursoreAttesa = true;
    }
}

void NascondiAttesa()
{
    if (cursoreAttesa) {
        QApplication::restoreOverrideCursor();
        cursoreAttesa = false;
    }
    delete finestraAttesa.data();
    if (QWidget* finestra = FinestraDaDisabilitare()) {
        finestra->setEnabled(true);
        if (DialogoAperto != CodiceSMS)
            finestra->activateWindow();
    }
    // What the link kept back while the window was up, such as a lost line, is told now.
    MostraAvvisiInSospeso();
}

frmWait* FinestraAttesa()
{
    return finestraAttesa.data();
}

void SegnalaRicezioneAttesa()
{
    if (finestraAttesa)
        finestraAttesa->SegnalaRicezione();
}
