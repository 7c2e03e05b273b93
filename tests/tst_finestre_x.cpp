// What a window manager does with the program's windows, on a real X server with openbox: the
// stored placement survives start after start, and the input dialogs stay above the main window.

#include "catalogo.h"
#include "finestre.h"
#include "frminputvocerub.h"
#include "frmmain.h"
#include "globali.h"
#include "impostazioni.h"
#include "programma.h"
#include "risposte.h"
#include "statobase.h"

#include <QApplication>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

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

bool sopra(const QWidget& alto, const QWidget& basso)
{
    const QList<WId> pila = pilaFinestre();
    const qsizetype a = pila.indexOf(alto.winId());
    const qsizetype b = pila.indexOf(basso.winId());
    return a >= 0 && b >= 0 && a > b;
}

} // namespace

class TstFinestreX : public QObject {
    Q_OBJECT

    std::unique_ptr<RisposteFinte> risposte;

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

    void init()
    {
        StatoDiPartenza();
        risposte = std::make_unique<RisposteFinte>();
    }

    void cleanup() { risposte.reset(); }

    // A click on the disabled main window raises it; the entry dialog in front of it stays on
    // top, so the program never looks frozen.
    void dialogoRestaSopraLaFinestraPrincipale()
    {
        std::unique_ptr<frmMain> finestra(CaricaFinestraPrincipale());
        QTRY_VERIFY_WITH_TIMEOUT(incorniciata(*finestra), Pazienza);
        bool sopraDopoIlClic = false;
        frmInputVoceRub dialogo(0, finestra.get());
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
            QPointer<frmMain> finestra = CaricaFinestraPrincipale();
            QTRY_VERIFY_WITH_TIMEOUT(incorniciata(*finestra), Pazienza);
            QTRY_COMPARE_WITH_TIMEOUT(GeometriaTwips(*finestra), posizione, Pazienza);
            finestra->close();
            QTRY_VERIFY_WITH_TIMEOUT(finestra.isNull(), Pazienza);
            QCOMPARE(posizioneMemorizzata(), posizione);
        }
    }
};

QTEST_MAIN(TstFinestreX)
#include "tst_finestre_x.moc"
