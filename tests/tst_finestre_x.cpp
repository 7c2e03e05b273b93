// What a window manager does with the program's windows, on a real X server with openbox: the
// stored placement survives start after start, the input dialogs stay above the main window and
// keep the keyboard.

#include "bancointero.h"
#include "catalogo.h"
#include "finestre.h"
#include "frmblocco.h"
#include "frmcambiocodice.h"
#include "frminputvocerub.h"
#include "frmmain.h"
#include "frmprom.h"
#include "frmsms.h"
#include "frmtrasf.h"
#include "globali.h"
#include "impostazioni.h"
#include "programma.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <functional>

// Opens an input dialog over the main window and waits until it closes.
using Apertura = std::function<void(frmMain&)>;
Q_DECLARE_METATYPE(Apertura)

namespace {

constexpr int Pazienza = 10000;

// The placement as the settings store holds it, in twips.
QRect posizioneMemorizzata()
{
    QSettings s(QStringLiteral("Quorna"), QStringLiteral("Quorna"));
    return {
        s.value(QStringLiteral("General/X")).toInt(), s.value(QStringLiteral("General/Y")).toInt(),
        s.value(QStringLiteral("General/W")).toInt(), s.value(QStringLiteral("General/H")).toInt()};
}

// The window manager has put its frame round the window.
bool incorniciata(const QWidget& finestra)
{
    return finestra.isVisible() && finestra.frameGeometry() != finestra.geometry();
}

// The program's windows from the bottom of the window manager's stack to its top.
QList<WId> pilaFinestre()
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    if (!xprop.waitForFinished(Pazienza))
        return {};
    QList<WId> pila;
    const QString risposta = QString::fromLatin1(xprop.readAllStandardOutput());
    const QRegularExpression numero(QStringLiteral("0x[0-9a-fA-F]+"));
    for (auto it = numero.globalMatch(risposta); it.hasNext();)
        pila << it.next().captured().toULongLong(nullptr, 16);
    return pila;
}

bool sopra(const QWidget& alto, const QWidget& basso)
{
    const QList<WId> pila = pilaFinestre();
    const qsizetype a = pila.indexOf(alto.winId());
    const qsizetype b = pila.indexOf(basso.winId());
    return a >= 0 && b >= 0 && a > b;
}

// The window the keys go to, when it is of that class.
QWidget* attivaDi(const char* classe)
{
    QWidget* attiva = QApplication::activeWindow();
    return attiva && attiva->inherits(classe) ? attiva : nullptr;
}

// How long a user looks at a window that has just got the keys before acting in it.
constexpr int PausaDellUtente = 300;

// Once a dialog of that class has the keyboard, the user's `azioni` run on it; whatever their
// checks find, the dialog is closed afterwards, so that its opener is not left waiting.
void QuandoAttiva(const char* classe, const std::function<void(QDialog&)>& azioni)
{
    auto* sonda = new QTimer;
    QObject::connect(sonda, &QTimer::timeout, [=] {
        auto* dialogo = qobject_cast<QDialog*>(attivaDi(classe));
        if (!dialogo)
            return;
        sonda->stop();
        sonda->deleteLater();
        QTest::qWait(PausaDellUtente);
        azioni(*dialogo);
        if (dialogo->isVisible())
            dialogo->reject();
    });
    sonda->start(20);
}

// As the user's click on a window: the window manager raises and activates it. The window
// manager may turn down a program's request, as a click may miss: it is asked again.
void clicSu(QWidget& finestra)
{
    QSignalSpy attivate(qApp, &QGuiApplication::focusWindowChanged);
    const auto attivata = [&] {
        return std::any_of(attivate.cbegin(), attivate.cend(), [&](const QList<QVariant>& a) {
            return a.value(0).value<QWindow*>() == finestra.windowHandle();
        });
    };
    QDeadlineTimer pazienza(Pazienza);
    while (!attivata() && !pazienza.hasExpired()) {
        finestra.raise();
        finestra.activateWindow();
        QTest::qWait(200);
    }
    QVERIFY(attivata());
}

} // namespace

class TstFinestreX : public QObject, private BancoIntero {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet("QUORNA_SENZA_X"))
            QSKIP(qPrintable(QStringLiteral("no X server with a window manager: ")
                             + qEnvironmentVariable("QUORNA_SENZA_X")));
        QApplication::setApplicationName(QStringLiteral("Quorna"));
        QVERIFY(CatalogoMessaggi::Carica());
    }

    void init()
    {
        StatoDiPartenza();
        risposte = std::make_unique<RisposteFinte>();
    }

    void cleanup()
    {
        if (telefono)
            spegni();
        else
            chiudi();
    }

    // A click on the disabled main window raises it; the entry dialog in front of it stays on
    // top, so the program never looks frozen.
    void dialogoRestaSopraLaFinestraPrincipale()
    {
        finestra = CaricaFinestraPrincipale();
        QTRY_VERIFY_WITH_TIMEOUT(incorniciata(*finestra), Pazienza);
        bool sopraDopoIlClic = false;
        frmInputVoceRub dialogo(0, finestra);
        QTimer::singleShot(0, &dialogo, [&] {
            QTRY_VERIFY_WITH_TIMEOUT(incorniciata(dialogo), Pazienza);
            QTRY_VERIFY_WITH_TIMEOUT(sopra(dialogo, *finestra), Pazienza);
            finestra->raise();
            finestra->activateWindow();
            // A window shown after the raise is listed only once the window manager has dealt
            // with the raise too.
            QWidget sonda;
            sonda.setGeometry(0, 0, 20, 20);
            sonda.show();
            QTRY_VERIFY_WITH_TIMEOUT(pilaFinestre().contains(sonda.winId()), Pazienza);
            sopraDopoIlClic = sopra(dialogo, *finestra);
            dialogo.reject();
        });
        dialogo.MostraEAttendi(nullptr);
        QVERIFY(sopraDopoIlClic);
    }

    // A click on the disabled main window while an input dialog is open brings the dialog
    // forward with the keyboard.
    void tastieraDopoIlClicSullaFinestra_data()
    {
        QTest::addColumn<Apertura>("apri");
        QTest::newRow("entry") << Apertura([](frmMain& f) {
            frmInputVoceRub dialogo(0, &f);
            dialogo.MostraEAttendi(dialogo.txtNome);
        });
        QTest::newRow("compose") << Apertura([](frmMain& f) {
            frmSMS dialogo(f);
            dialogo.MostraEAttendi(dialogo.txtMess);
        });
        QTest::newRow("reminder") << Apertura([](frmMain& f) {
            frmProm dialogo(&f, 1);
            dialogo.MostraEAttendi(nullptr);
        });
        QTest::newRow("lock") << Apertura([](frmMain& f) {
            frmBlocco dialogo(2, 0, QStringLiteral("PIN"), &f);
            dialogo.MostraEAttendi(dialogo.txtCodice);
        });
        QTest::newRow("forwarding") << Apertura([](frmMain& f) {
            frmTrasf dialogo(0, 0, false, &f);
            dialogo.MostraEAttendi(dialogo.txtNum);
        });
    }

    void tastieraDopoIlClicSullaFinestra()
    {
        QFETCH(Apertura, apri);
        finestra = CaricaFinestraPrincipale();
        QTRY_VERIFY_WITH_TIMEOUT(incorniciata(*finestra), Pazienza);
        bool ripresa = false;
        QuandoAttiva("DialogoRestituito", [&](QDialog& dialogo) {
            clicSu(*finestra);
            QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), &dialogo, Pazienza);
            ripresa = true;
        });
        apri(*finestra);
        QVERIFY(ripresa);
    }

    // After a password change and its message box the lock dialog has the keyboard again, every
    // time.
    void bloccoRiprendeLaTastieraDopoIlCambioCodice()
    {
        accendi(semeDemo());
        finestra = CaricaFinestraPrincipale();
        connettiDallaBarra();
        // The boxes are real windows here, answered as the user does.
        risposte.reset();
        QTimer risposta;
        connect(&risposta, &QTimer::timeout, [&risposta] {
            if (auto* box = qobject_cast<QMessageBox*>(attivaDi("QMessageBox"))) {
                risposta.stop();
                QTest::qWait(PausaDellUtente);
                box->button(QMessageBox::Ok)->click();
                risposta.start();
            }
        });
        risposta.start(20);
        clic(QStringLiteral("BLOCK"));
        scegliRiga(2);
        int riprese = 0;
        QuandoAttiva("frmBlocco", [&](QDialog& dialogo) {
            auto& blocco = static_cast<frmBlocco&>(dialogo);
            for (const auto& codici :
                 {std::pair{"1234", "4321"}, {"4321", "1234"}, {"1234", "4321"}}) {
                QuandoAttiva("frmCambioCodice", [&](QDialog& dialogoCambio) {
                    auto& cambio = static_cast<frmCambioCodice&>(dialogoCambio);
                    cambio.txtCod[0]->setText(QString::fromLatin1(codici.first));
                    cambio.txtCod[1]->setText(QString::fromLatin1(codici.second));
                    cambio.txtCod[2]->setText(QString::fromLatin1(codici.second));
                    cambio.pOk->click();
                });
                blocco.pCambia->click();
                QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), &dialogo, Pazienza);
                ++riprese;
            }
        });
        finestra->impostazioni->CambiaBlocco();
        QCOMPARE(riprese, 3);
    }

    // Five starts and closes with "remember the window position" on: the stored placement and
    // the window's frame stay exactly where the first start found them. Closing the main window
    // ends the program's event loops for good, so this runs last.
    void posizioneStabileDopoCinqueAvvii()
    {
        const QRect posizione(InTwips(120), InTwips(90), InTwips(760), InTwips(540));
        SalvaPosizioneFinestra(posizione);
        ScriviImpostazione(QStringLiteral("General"), QStringLiteral("SaveWindow"), 1);
        ScriviImpostazione(QStringLiteral("General"), QStringLiteral("Language"), 1);
        for (int avvio = 1; avvio <= 5; ++avvio) {
            CaricaImpostazioni();
            QPointer<frmMain> principale = CaricaFinestraPrincipale();
            QTRY_VERIFY_WITH_TIMEOUT(incorniciata(*principale), Pazienza);
            QTRY_COMPARE_WITH_TIMEOUT(GeometriaTwips(*principale), posizione, Pazienza);
            principale->close();
            QTRY_VERIFY_WITH_TIMEOUT(principale.isNull(), Pazienza);
            QCOMPARE(posizioneMemorizzata(), posizione);
        }
    }
};

QTEST_MAIN(TstFinestreX)
#include "tst_finestre_x.moc"
