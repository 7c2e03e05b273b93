// Start-up: the second copy refused without touching the store, the splash and its hand-over, and
// a start with no graphical session to open a window on.

#include "catalogo.h"
#include "filediprova.h"
#include "frmi.h"
#include "frmmain.h"
#include "globali.h"
#include "risposte.h"

#include <QApplication>
#include <QLabel>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QtTest>

namespace {

QString fileImpostazioni()
{
    return QSettings(QStringLiteral("Quorna"), QStringLiteral("Quorna")).fileName();
}

void memorizza(const QString& chiave, const QString& valore)
{
    QSettings s(QStringLiteral("Quorna"), QStringLiteral("Quorna"));
    s.setValue(chiave, valore);
    s.sync();
}

// A splash whose main window is a plain one, kept in `principale`.
struct Avvio {
    frmMain* principale = nullptr;
    frmI splash{[this] {
        principale = new frmMain;
        principale->Form_Load();
        return principale;
    }};
    ~Avvio() { delete principale; }
};

} // namespace

class TstAvvio : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName(QStringLiteral("Quorna"));
        QVERIFY(CatalogoMessaggi::Carica());
    }

    // Runs first, while this process does not hold the program's lock yet.
    void secondaCopiaRifiutata()
    {
        memorizza(QStringLiteral("General/Language"), QStringLiteral("1"));
        const QByteArray prima = Contenuto(fileImpostazioni());
        QLockFile altraCopia(PercorsoBloccoIstanza());
        QVERIFY(altraCopia.tryLock(0));

        RisposteFinte utente;
        bool caricata = false;
        frmI splash([&] {
            caricata = true;
            return nullptr;
        });
        QVERIFY(!splash.Form_Load());
        QVERIFY(!caricata);
        QCOMPARE(utente.boxes.size(), 1);
        QCOMPARE(utente.boxes[0].testo, QStringLiteral("Quorna is running"));
        QCOMPARE(utente.boxes[0].titolo, QStringLiteral("Quorna"));
        QCOMPARE(utente.boxes[0].icona, QMessageBox::Information);
        QCOMPARE(Contenuto(fileImpostazioni()), prima);
        altraCopia.unlock();
    }

    void senzaSplash()
    {
        memorizza(QStringLiteral("General/SplashScreen"), QStringLiteral("1"));
        Avvio avvio;
        QVERIFY(avvio.splash.Form_Load());
        QVERIFY(avvio.principale);
        QVERIFY(!avvio.splash.isVisible());
        QVERIFY(avvio.principale->isVisible());
        QVERIFY(avvio.principale->isEnabled());
    }

    void splashPoiFinestra()
    {
        memorizza(QStringLiteral("General/SplashScreen"), QStringLiteral("0"));
        Avvio avvio;
        frmI& splash = avvio.splash;
        frmMain*& principale = avvio.principale;
        QVERIFY(splash.Form_Load());
        QVERIFY(splash.isVisible());
        QVERIFY(!principale->isEnabled());
        QVERIFY(splash.Timer1.isActive());
        QCOMPARE(splash.lblVersion->text().left(8), QStringLiteral("Version "));
        QTest::mouseClick(splash.lblTitle, Qt::LeftButton);
        QVERIFY(!splash.isVisible());
        QVERIFY(principale->isEnabled());
        QVERIFY(!splash.Timer1.isActive());
    }

    // The program, not Qt, tells a user with no desktop what is missing, and ends with an error.
    void senzaSessioneGraficaLoDiceInUnaRiga()
    {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        for (const char* nome : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            ambiente.remove(QString::fromLatin1(nome));
        QProcess programma;
        programma.setProcessEnvironment(ambiente);
        programma.start(QStringLiteral(QUORNA_PROGRAMMA), {});
        QVERIFY(programma.waitForFinished(30000));
        QCOMPARE(programma.exitStatus(), QProcess::NormalExit);
        QCOMPARE(programma.exitCode(), 1);
        QCOMPARE(QString::fromLocal8Bit(programma.readAllStandardError()),
                 QStringLiteral("Quorna needs a graphical desktop session: neither DISPLAY nor "
                                "WAYLAND_DISPLAY is set.\n"));
    }
};

QTEST_MAIN(TstAvvio)
#include "tst_avvio.moc"
