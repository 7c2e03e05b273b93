// What a window manager does with the program's windows, on a real X server with openbox: the
// stored placement survives start after start, and the input dialogs stay above the main window.

#include "catalogo.h"
#include "finestre.h"
#include "frmmain.h"
#include "globali.h"
#include "impostazioni.h"
#include "programma.h"
#include "risposte.h"
#include "statobase.h"

#include <QApplication>
#include <QPointer>
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
    }

    void init()
    {
        StatoDiPartenza();
        risposte = std::make_unique<RisposteFinte>();
    }

    void cleanup() { risposte.reset(); }

    // Five starts and closes with "remember the window position" on: the stored placement and
    // the window's frame stay exactly where the first start found them.
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
