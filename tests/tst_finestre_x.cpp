// What a window manager does with the program's windows, on a real X server with openbox: the
// stored placement survives start after start, the input dialogs stay above the main window and
// keep the keyboard, and every dialog and box is wide enough for the frame to show its title
// whole.

#include "bancointero.h"
#include "catalogo.h"
#include "dialoghi.h"
#include "finestre.h"
#include "frmblocco.h"
#include "frmcambiocodice.h"
#include "frminputvocerub.h"
#include "frmlistd.h"
#include "frmmain.h"
#include "frmprom.h"
#include "frmsms.h"
#include "frmtrasf.h"
#include "globali.h"
#include "impostazioni.h"
#include "interazione.h"
#include "programma.h"
#include "tabelle.h"

#include <QAction>
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
#include <QTreeWidget>
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

// A window manager that starts slowly announces itself before it manages windows, and one
// mapped in between stays bare for good. It is ready once it has framed a probe; a probe left
// bare is mapped again, with more time each round.
bool gestoreProntoAIncorniciare()
{
    QWidget sonda;
    sonda.setGeometry(0, 0, 20, 20);
    for (int attesa = 500; attesa <= Pazienza; attesa *= 2) {
        sonda.show();
        if (QTest::qWaitFor([&] { return incorniciata(sonda); }, attesa))
            return true;
        sonda.hide();
    }
    return false;
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

QString xwininfo(const QStringList& argomenti)
{
    QProcess processo;
    processo.start(QStringLiteral("xwininfo"), argomenti);
    if (!processo.waitForFinished(Pazienza))
        return {};
    return QString::fromLatin1(processo.readAllStandardOutput());
}

// The width of the label in which the window manager draws the title of a framed window: openbox
// puts it in the title bar, the window of its frame with the most windows inside (the icon, the
// label and the buttons), and it is the widest of them.
int spazioDelTitolo(const QWidget& finestra)
{
    const QRegularExpression genitore(QStringLiteral("Parent window id: (0x[0-9a-fA-F]+)"));
    const QRegularExpressionMatch cornice = genitore.match(xwininfo(
        {QStringLiteral("-children"), QStringLiteral("-id"), QString::number(finestra.winId())}));
    if (!cornice.hasMatch())
        return 0;
    const QRegularExpression riga(QStringLiteral(
        "^( *)0x[0-9a-fA-F]+ .* (\\d+)x\\d+\\+-?\\d+\\+-?\\d+ +\\+-?\\d+\\+-?\\d+$"));
    // The widths of the windows inside each window of the frame, in the order listed.
    QList<QList<int>> dentro;
    int rientroFigli = -1;
    for (const QString& testo :
         xwininfo({QStringLiteral("-tree"), QStringLiteral("-id"), cornice.captured(1)})
             .split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = riga.match(testo);
        if (!m.hasMatch())
            continue;
        const int rientro = static_cast<int>(m.capturedLength(1));
        if (rientroFigli < 0)
            rientroFigli = rientro;
        if (rientro == rientroFigli)
            dentro.append(QList<int>());
        else if (!dentro.isEmpty())
            dentro.last() << m.captured(2).toInt();
    }
    const auto barra = std::max_element(
        dentro.cbegin(), dentro.cend(),
        [](const QList<int>& a, const QList<int>& b) { return a.size() < b.size(); });
    if (barra == dentro.cend() || barra->isEmpty())
        return 0;
    return *std::max_element(barra->cbegin(), barra->cend());
}

// The room the title `titolo` takes in openbox's label: its text in the title font of openbox's
// stock configuration (sans, 8 points, bold) and the 4 pixels the label keeps clear each side.
int spazioNecessario(const QString& titolo)
{
    const QFont carattere(QStringLiteral("Sans"), 8, QFont::Bold);
    return QFontMetrics(carattere).horizontalAdvance(titolo) + 8;
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

    QStringList titoliTagliati;

    // The dialog `comando` opens, and those `dentro` opens from it, show their titles whole.
    void titoloIntero(const std::function<void()>& comando,
                      const std::function<void(QDialog&)>& dentro = {},
                      const QSet<QDialog*>& giaVisti = {})
    {
        QVERIFY(ConDialogo(
            comando,
            [&](QDialog& d) {
                // Framed once the X server shows a title bar round it (Qt may learn of the frame
                // later still); the frame follows the window's last resize a moment later.
                QTRY_VERIFY2_WITH_TIMEOUT(spazioDelTitolo(d) > 0, qPrintable(d.windowTitle()),
                                          Pazienza);
                const int serve = spazioNecessario(d.windowTitle());
                static_cast<void>(
                    QTest::qWaitFor([&] { return spazioDelTitolo(d) >= serve; }, Pazienza / 2));
                if (const int spazio = spazioDelTitolo(d); spazio < serve)
                    titoliTagliati << QStringLiteral("\"%1\" (%2 < %3)")
                                          .arg(d.windowTitle())
                                          .arg(spazio)
                                          .arg(serve);
                if (dentro)
                    dentro(d);
            },
            giaVisti));
    }

    // A message box with this title, as the program shows them.
    void boxIntero(const QString& titolo)
    {
        ImpostaInterazione(nullptr);
        titoloIntero([&] {
            MsgBox(Msg(28), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, titolo);
        });
        ImpostaInterazione(risposte.get());
    }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet("QUORNA_SENZA_X"))
            QSKIP(qPrintable(QStringLiteral("no X server with a window manager: ")
                             + qEnvironmentVariable("QUORNA_SENZA_X")));
        QApplication::setApplicationName(QStringLiteral("Quorna"));
        QVERIFY(CatalogoMessaggi::Carica());
        QVERIFY2(gestoreProntoAIncorniciare(), "the window manager framed no window");
    }

    void init() { accendiDemo(); }

    void cleanup() { spegni(); }

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

    // Every dialog and box the program opens, in each language, shows its whole title in the
    // window manager's frame.
    void titoliInteri_data() { RighePerLingua(); }

    void titoliInteri()
    {
        QFETCH(int, lingua);
        ScegliLingua(lingua);
        finestra = CaricaFinestraPrincipale();
        QTRY_VERIFY_WITH_TIMEOUT(incorniciata(*finestra), Pazienza);
        connettiDallaBarra();
        titoliTagliati.clear();

        titoloIntero([this] { finestra->mnuOLingua->trigger(); });
        titoloIntero([this] { finestra->mnuHInfo->trigger(); });
        titoloIntero([this] { finestra->mnuOConf->trigger(); });

        clic(QStringLiteral("RUB_SIM"));
        titoloIntero([this] { finestra->rubrica->AddRubrica(); });
        scegliRiga(0);
        titoloIntero([this] { finestra->rubrica->EditRubrica(); });
        titoloIntero([this] { finestra->rubrica->StampaRubrica(); });
        titoloIntero([this] { finestra->messaggi->InviaSMS(false, true); },
                     [this](QDialog& sms) {
                         QPushButton* pEditList = qobject_cast<frmSMS*>(&sms)->pEditList;
                         titoloIntero(
                             [pEditList] { pEditList->click(); },
                             [this, &sms](QDialog& editor) {
                                 QPushButton* pNuova = qobject_cast<frmListD*>(&editor)->pNuova;
                                 titoloIntero([pNuova] { pNuova->click(); }, {}, {&sms, &editor});
                             },
                             {&sms});
                     });

        clic(QStringLiteral("CAL"));
        titoloIntero([this] { finestra->oggetti->AddProm(); });

        clic(QStringLiteral("BLOCK"));
        scegliRiga(4);
        titoloIntero([this] { finestra->impostazioni->CambiaBlocco(); },
                     [this](QDialog& blocco) {
                         QPushButton* pCambia = qobject_cast<frmBlocco*>(&blocco)->pCambia;
                         titoloIntero([pCambia] { pCambia->click(); }, {}, {&blocco});
                     });

        clic(QStringLiteral("TRASF2"));
        scegliRiga(0);
        titoloIntero([this] { finestra->impostazioni->EditTrasf(false); });

        boxIntero(Msg(109));
        boxIntero(Msg(271));
        QVERIFY2(titoliTagliati.isEmpty(), qPrintable(titoliTagliati.join(QStringLiteral("; "))));
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

    // Five starts and closes with "remember the window position" on: the stored placement, the
    // width the user gave the tree and the window's frame stay exactly where the first start
    // found them. Closing the main window ends the program's event loops for good, so this runs
    // last.
    void posizioneStabileDopoCinqueAvvii()
    {
        const QRect posizione(InTwips(120), InTwips(90), InTwips(760), InTwips(540));
        const int albero = 300;
        SalvaPosizioneFinestra(posizione);
        ScriviImpostazione(QStringLiteral("General"), QStringLiteral("TreeWidth"), InTwips(albero));
        ScriviImpostazione(QStringLiteral("General"), QStringLiteral("SaveWindow"), 1);
        ScriviImpostazione(QStringLiteral("General"), QStringLiteral("Language"), 1);
        for (int avvio = 1; avvio <= 5; ++avvio) {
            CaricaImpostazioni();
            QPointer<frmMain> principale = CaricaFinestraPrincipale();
            QTRY_VERIFY_WITH_TIMEOUT(incorniciata(*principale), Pazienza);
            QTRY_COMPARE_WITH_TIMEOUT(GeometriaTwips(*principale), posizione, Pazienza);
            QCOMPARE(principale->S25Tree->width(), albero);
            principale->close();
            QTRY_VERIFY_WITH_TIMEOUT(principale.isNull(), Pazienza);
            QCOMPARE(posizioneMemorizzata(), posizione);
            QCOMPARE(LeggiImpostazione(QStringLiteral("General"), QStringLiteral("TreeWidth")),
                     QString::number(InTwips(albero)));
        }
    }
};

QTEST_MAIN(TstFinestreX)
#include "tst_finestre_x.moc"
