// The main window on a screen smaller than its usual size, as a laptop of 1366x768 at a scale
// factor of 1.5 gives it: it opens whole on the screen.

#include "catalogo.h"
#include "frmmain.h"
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

    void finestraInteraSulloSchermo()
    {
        frmMain* finestra = CaricaFinestraPrincipale();
        QTRY_VERIFY(finestra->isVisible());
        const QRect schermo = finestra->screen()->availableGeometry();
        QVERIFY2(schermo.height() < 560, "the screen is not smaller than the window");
        QVERIFY2(schermo.contains(finestra->frameGeometry()),
                 qPrintable(QStringLiteral("%1x%2 on %3x%4")
                                .arg(finestra->frameGeometry().width())
                                .arg(finestra->frameGeometry().height())
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
