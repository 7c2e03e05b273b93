// Takes screenshots of the program in one language, connected to the simulated phone: the main
// window in each view and every input dialog, each as the window manager frames it.
//
//     schermate FOLDER LANGUAGE      (LANGUAGE 0 Italian, 1 English, 2 French)

#include "catalogo.h"
#include "frmblocco.h"
#include "frmi.h"
#include "frmlistd.h"
#include "frmmain.h"
#include "frmsms.h"
#include "globali.h"
#include "listareport.h"
#include "programma.h"
#include "s25simulator.h"
#include "seedfile.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <functional>

namespace {

QString cartella;
QString lingua;
frmMain* finestra = nullptr;

// Lets the program and the window manager work until `fatto` holds or the time is up.
bool attendi(const std::function<bool()>& fatto, int millisecondi = 10000)
{
    QDeadlineTimer scadenza(millisecondi);
    while (!fatto() && !scadenza.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return fatto();
}

void pausa(int millisecondi)
{
    attendi([] { return false; }, millisecondi);
}

// Saves the window with its frame as the window manager drew it.
void fotografa(QWidget& w, const QString& nome)
{
    pausa(800);
    QScreen* schermo = QGuiApplication::primaryScreen();
    const QRect r = w.frameGeometry();
    const QString file = QDir(cartella).filePath(lingua + QLatin1Char('-') + nome + ".png");
    schermo->grabWindow(0, r.x(), r.y(), r.width(), r.height()).save(file);
    std::printf("%s\n", qPrintable(file));
}

void clic(const QString& chiave)
{
    finestra->Espandi(chiave);
    finestra->S25Tree_NodeClick(finestra->S25Tree->currentItem());
}

void selezionaRiga(int riga)
{
    finestra->List1->setCurrentItem(finestra->List1->topLevelItem(riga));
    finestra->List1_Click();
}

// Runs `comando`; the dialog it opens is photographed (and `dentro` may open one from it),
// then closed.
void dialogo(const std::function<void()>& comando, const QString& nome,
             const std::function<void(QDialog&)>& dentro = {})
{
    QSet<QWidget*> gia;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            gia.insert(w);
    QTimer sonda;
    bool fatto = false;
    QObject::connect(&sonda, &QTimer::timeout, [&] {
        if (fatto)
            return;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<QDialog*>(w);
            if (!d || gia.contains(d) || !d->isVisible() || w->inherits("frmWait"))
                continue;
            fatto = true;
            fotografa(*d, nome);
            if (dentro)
                dentro(*d);
            d->reject();
            return;
        }
    });
    sonda.start(100);
    comando();
    attendi([&] { return fatto; });
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsSet("QUORNA_SENZA_X")) {
        std::fprintf(stderr, "no X server with a window manager: %s\n",
                     qPrintable(qEnvironmentVariable("QUORNA_SENZA_X")));
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorna"));
    if (argc != 3) {
        std::fprintf(stderr, "usage: schermate FOLDER LANGUAGE\n");
        return 2;
    }
    cartella = QString::fromLocal8Bit(argv[1]);
    lingua = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(cartella);
    CatalogoMessaggi::Carica();
    Opzioni.Lingua = static_cast<uint8_t>(lingua.toInt());
    Opzioni.SplashScreen = 1;
    BaseLang = static_cast<int16_t>(Opzioni.Lingua * 1000 + 1);
    ApplicaTraduzioniQt();
    lingua = QStringList{"it", "en", "fr"}.value(Opzioni.Lingua, lingua);

    s25sim::S25Simulator telefono(*s25sim::loadSeedFile(S25SIM_DEMO_SEED));
    QString errore;
    if (!telefono.start(&errore)) {
        std::fprintf(stderr, "the simulated phone does not start: %s\n", qPrintable(errore));
        return 1;
    }
    qputenv("QUORNA_COM1", telefono.slavePath().toLocal8Bit());
    finestra = CaricaFinestraPrincipale();
    finestra->Toolbar1_ButtonClick(finestra->Toolbar1[2]);
    if (!attendi([] { return Connesso && LineaLibera && Telefono.InfoLetta; })) {
        std::fprintf(stderr, "the program did not connect to the simulated phone\n");
        return 1;
    }

    for (const char* chiave :
         {"S25", "ALIM", "RUB", "RUB_SIM", "RUB_ROS", "SMS", "SMS_IN", "CAL", "LIST", "LIST_RC",
          "TRASF", "TRASF2", "BLOCK", "ORA", "MEL", "LOGO"}) {
        clic(QString::fromLatin1(chiave));
        fotografa(*finestra, QString::fromLatin1(chiave).toLower());
    }
    clic(QStringLiteral("RETE"));
    finestra->Toolbar1[43]->setChecked(true);
    finestra->Toolbar1_ButtonClick(finestra->Toolbar1[43]);
    fotografa(*finestra, QStringLiteral("rete-selezione"));
    finestra->Toolbar1[43]->setChecked(false);
    finestra->Toolbar1_ButtonClick(finestra->Toolbar1[43]);

    // The tree with every branch open, in the window maximised, then as it opened.
    finestra->S25Tree->expandAll();
    finestra->showMaximized();
    attendi([] { return finestra->isMaximized(); });
    fotografa(*finestra, QStringLiteral("albero-massimizzata"));
    finestra->showNormal();
    attendi([] { return !finestra->isMaximized(); });
    fotografa(*finestra, QStringLiteral("albero"));

    clic(QStringLiteral("RUB_SIM"));
    dialogo([] { finestra->rubrica->AddRubrica(); }, QStringLiteral("dialogo-voce"));
    selezionaRiga(0);
    dialogo([] { finestra->rubrica->EditRubrica(); }, QStringLiteral("dialogo-modifica-voce"));
    dialogo([] { finestra->rubrica->StampaRubrica(); }, QStringLiteral("dialogo-stampa"));
    dialogo([] { finestra->messaggi->InviaSMS(false, true); }, QStringLiteral("dialogo-sms"),
            [](QDialog& d) {
                if (auto* sms = qobject_cast<frmSMS*>(&d))
                    dialogo([sms] { sms->pEditList->click(); }, QStringLiteral("dialogo-liste"),
                            [](QDialog& e) {
                                if (auto* liste = qobject_cast<frmListD*>(&e))
                                    dialogo([liste] { liste->pNuova->click(); },
                                            QStringLiteral("dialogo-nuova-lista"));
                            });
            });
    clic(QStringLiteral("SMS_IN"));
    selezionaRiga(0);
    dialogo([] { finestra->messaggi->DelSMS(); }, QStringLiteral("box-elimina-sms"));
    clic(QStringLiteral("CAL"));
    dialogo([] { finestra->oggetti->AddProm(); }, QStringLiteral("dialogo-promemoria"));
    clic(QStringLiteral("BLOCK"));
    selezionaRiga(4);
    dialogo([] { finestra->impostazioni->CambiaBlocco(); }, QStringLiteral("dialogo-blocco"),
            [](QDialog& d) {
                if (auto* blocco = qobject_cast<frmBlocco*>(&d))
                    dialogo([blocco] { blocco->pCambia->click(); },
                            QStringLiteral("dialogo-codice"));
            });
    clic(QStringLiteral("TRASF2"));
    selezionaRiga(0);
    dialogo([] { finestra->impostazioni->EditTrasf(false); }, QStringLiteral("dialogo-trasf"));
    dialogo([] { finestra->mnuOConf->trigger(); }, QStringLiteral("dialogo-config"));
    dialogo([] { finestra->mnuHInfo->trigger(); }, QStringLiteral("dialogo-info"));
    dialogo([] { finestra->mnuOLingua->trigger(); }, QStringLiteral("dialogo-lingua"));

    finestra->collegamento->ChiudiPorta();
    delete finestra;
    telefono.stop();
    return 0;
}
