#include "frmi.h"

#include "catalogo.h"
#include "finestre.h"
#include "frmlang.h"
#include "frmmain.h"
#include "globali.h"
#include "immagini.h"
#include "impostazioni.h"
#include "interazione.h"
#include "versione.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QLockFile>
#include <QStandardPaths>
#include <QTranslator>
#include <QVBoxLayout>

#include <array>
#include <memory>
#include <utility>

namespace {

constexpr int DurataSplashMs = 6000;

QString numeroVersione()
{
    return QStringLiteral("%1.%2.%3")
        .arg(QUORNA_VERSIONE_MAJOR)
        .arg(QUORNA_VERSIONE_MINOR)
        .arg(QUORNA_VERSIONE_REVISION);
}

} // namespace

QString PercorsoBloccoIstanza()
{
    QString cartella = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (cartella.isEmpty())
        cartella = QDir::tempPath();
    return QDir(cartella).filePath(QStringLiteral("quorna.lock"));
}

bool PrendiBloccoIstanza()
{
    static std::unique_ptr<QLockFile> blocco;
    if (blocco)
        return true;
    auto candidato = std::make_unique<QLockFile>(PercorsoBloccoIstanza());
    candidato->setStaleLockTime(0);
    if (!candidato->tryLock(0))
        return false;
    blocco = std::move(candidato);
    return true;
}

void ApplicaTraduzioniQt()
{
    // Dates and month names follow the language of the captions.
    static const std::array<QLocale::Language, 3> lingue{QLocale::Italian, QLocale::English,
                                                         QLocale::French};
    if (Opzioni.Lingua < lingue.size())
        QLocale::setDefault(QLocale(lingue[Opzioni.Lingua]));
    static QTranslator* traduttore = nullptr;
    if (traduttore) {
        QCoreApplication::removeTranslator(traduttore);
        delete traduttore;
        traduttore = nullptr;
    }
    const char* codice = Opzioni.Lingua == 0 ? "it" : Opzioni.Lingua == 2 ? "fr" : nullptr;
    if (!codice)
        return;
    auto* nuovo = new QTranslator;
    if (nuovo->load(QStringLiteral("qtbase_") + QLatin1String(codice),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(nuovo);
        traduttore = nuovo;
    } else {
        delete nuovo;
    }
}

frmI::frmI(std::function<frmMain*()> carica) : caricaMain(std::move(carica))
{
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(24, 20, 24, 20);
    picIcon = new QLabel(this);
    picIcon->setPixmap(Figura(QStringLiteral("quorna-64")));
    lblTitle = new QLabel(this);
    QFont titolo = lblTitle->font();
    titolo.setPointSize(titolo.pointSize() * 2);
    titolo.setBold(true);
    lblTitle->setFont(titolo);
    lblVersion = new QLabel(this);
    lblDescription = new QLabel(QStringLiteral("S25 phone manager"), this);
    labEmail = new QLabel(QStringLiteral("Quorna"), this);
    for (QLabel* label : {picIcon, lblTitle, lblVersion, lblDescription, labEmail}) {
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignCenter);
        colonna->addWidget(label);
    }
    // A plain widget paints no style sheet background or border unless told to.
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("frmI { border: 1px solid palette(dark); }"));
    Timer1.setInterval(DurataSplashMs);
    Timer1.setSingleShot(false);
    connect(&Timer1, &QTimer::timeout, this, &frmI::Timer1_Timer);
}

frmI::~frmI() = default;

bool frmI::Form_Load()
{
    CaricaImpostazioni();
    // Only 0, 1 and 2 name a language; any other stored value asks again, as a first start does.
    if (Opzioni.Lingua > 2) {
        frmLAng lingua(this);
        lingua.exec();
    }
    BaseLang = static_cast<int16_t>(Opzioni.Lingua * 1000 + 1);
    ApplicaTraduzioniQt();

    if (!PrendiBloccoIstanza()) {
        MsgBox(Msg(2), QMessageBox::Information, QMessageBox::Ok, QApplication::applicationName());
        return false;
    }

    lblTitle->setText(QApplication::applicationName());
    lblVersion->setText(Msg(3) + numeroVersione());
    avvisiDiAvvio = std::make_unique<AvvisiDiAvvio>();

    if (Opzioni.SplashScreen == 1) {
        main = caricaMain();
        Form_Unload();
        return true;
    }
    adjustSize();
    CentraForm(*this, nullptr);
    show();
    QCoreApplication::processEvents();
    main = caricaMain();
    if (main)
        main->setEnabled(false);
    repaint();
    raise();
    activateWindow();
    QCoreApplication::processEvents();
    Timer1.start();
    return true;
}

void frmI::Timer1_Timer()
{
    Timer1.stop();
    Form_Unload();
}

void frmI::mousePressEvent(QMouseEvent*)
{
    Form_Unload();
}

void frmI::Form_Unload()
{
    if (chiuso)
        return;
    chiuso = true;
    Timer1.stop();
    hide();
    if (main) {
        main->setEnabled(true);
        main->show();
        main->raise();
        main->activateWindow();
    }
    if (avvisiDiAvvio)
        std::exchange(avvisiDiAvvio, nullptr)->Mostra(main);
}
