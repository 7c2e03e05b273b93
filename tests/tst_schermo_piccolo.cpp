// The main window on a screen smaller than its usual size, as a laptop of 1366x768 at a scale
// factor of 1.5 gives it, at its first start and at a placement saved on another screen: it
// opens whole on the screen.

#include "catalogo.h"
#include "finestre.h"
#include "frmmain.h"
#include "globali.h"
#include "programma.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

class TstSchermoPiccolo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName(QStringLiteral("Quorna"));
        QVERIFY(CatalogoMessaggi::Carica());
    }

    void finestraInteraSulloSchermo_data()
    {
        QTest::addColumn<bool>("salvata");
        QTest::addColumn<QRect>("posizione");
        QTest::newRow("first start") << false << QRect();
        // Saved on a larger screen, or on one that is no longer there.
        QTest::newRow("saved larger than the screen") << true << QRect(0, 0, 1200, 800);
        QTest::newRow("saved beyond the right edge") << true << QRect(1200, 100, 600, 400);
        QTest::newRow("saved above the top") << true << QRect(100, -900, 600, 400);
    }

    void finestraInteraSulloSchermo()
    {
        QFETCH(bool, salvata);
        QFETCH(QRect, posizione);
        Opzioni.SaveWindow = salvata ? 1 : 0;
        Opzioni.X = static_cast<int16_t>(InTwips(posizione.x()));
        Opzioni.Y = static_cast<int16_t>(InTwips(posizione.y()));
        Opzioni.W = static_cast<int16_t>(InTwips(posizione.width()));
        Opzioni.H = static_cast<int16_t>(InTwips(posizione.height()));
        frmMain* finestra = CaricaFinestraPrincipale();
        QTRY_VERIFY(finestra->isVisible());
        const QRect schermo = finestra->screen()->availableGeometry();
        QVERIFY2(schermo.height() < 560, "the screen is not smaller than the window");
        const QRect esterno = finestra->frameGeometry();
        QVERIFY2(schermo.contains(esterno), qPrintable(QStringLiteral("%1,%2 %3x%4 on %5x%6")
                                                           .arg(esterno.x())
                                                           .arg(esterno.y())
                                                           .arg(esterno.width())
                                                           .arg(esterno.height())
                                                           .arg(schermo.width())
                                                           .arg(schermo.height())));
        finestra->close();
    }
};

int main(int argc, char** argv)
{
    // A headless screen of the laptop's size, at its scale: 911x512 to the program.
    QTemporaryDir cartella;
    QFile schermo(cartella.filePath(QStringLiteral("schermo.json")));
    if (!schermo.open(QIODevice::WriteOnly)
        || schermo.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366,
                                           "height": 768, "logicalDpi": 96}]})")
               < 0)
        return 1;
    schermo.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + schermo.fileName().toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", "1.5");
    QApplication app(argc, argv);
    TstSchermoPiccolo prova;
    return QTest::qExec(&prova, argc, argv);
}

#include "tst_schermo_piccolo.moc"
