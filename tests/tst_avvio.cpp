// Start-up: the second copy refused without touching the store, the splash and its hand-over, and
// a start with no display to open a window on.

#include "catalogo.h"
#include "filediprova.h"
#include "frmi.h"
#include "frmmain.h"
#include "globali.h"
#include "risposte.h"

#include <QApplication>
#include <QDeadlineTimer>
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

    // Where no display answers, the program, not Qt, tells the user in one line what it tried and
    // ends with an error; where one of the two answers, it starts. Runs while no copy of the
    // program holds the lock, so that a start shows in it.
    void senzaSchermoLoDiceInUnaRiga_data()
    {
        QTest::addColumn<QStringList>("variabili");
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<QString>("riga");
        const QString sessione = QStringLiteral("Quorna needs a graphical desktop session: ");
        const auto muti = [&](const QString& provati) {
            return sessione + QStringLiteral("no display answers at ") + provati
                   + QStringLiteral(".\n");
        };
        const QString wayland = QStringLiteral("the Wayland socket ")
                                + qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/");
        const QString xMuto = QStringLiteral("the X display :4095");
        const QString nessuno;
        QTest::newRow("no session")
            << QStringList() << QStringList()
            << sessione + QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set.\n");
        QTest::newRow("no X server at DISPLAY")
            << QStringList{QStringLiteral("DISPLAY=:4095")} << QStringList() << muti(xMuto);
        QTest::newRow("no socket at WAYLAND_DISPLAY")
            << QStringList{QStringLiteral("WAYLAND_DISPLAY=wayland-9")} << QStringList()
            << muti(wayland + QStringLiteral("wayland-9"));
        QTest::newRow("a Wayland session, no X server at DISPLAY")
            << QStringList{QStringLiteral("XDG_SESSION_TYPE=wayland"),
                           QStringLiteral("DISPLAY=:4095")}
            << QStringList() << muti(wayland + QStringLiteral("wayland-0 nor at ") + xMuto);
        QTest::newRow("xcb named, no X server at DISPLAY")
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=xcb"), QStringLiteral("DISPLAY=:4095")}
            << QStringList() << muti(xMuto);
        QTest::newRow("xcb named, DISPLAY not set")
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=xcb")} << QStringList()
            << muti(QStringLiteral("the X display (DISPLAY is not set)"));
        QTest::newRow("wayland named, no socket")
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=wayland"),
                           QStringLiteral("DISPLAY=:4095")}
            << QStringList() << muti(wayland + QStringLiteral("wayland-0"));
        QTest::newRow("XCB named, as Qt takes it in any case")
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=XCB"), QStringLiteral("DISPLAY=:4095")}
            << QStringList() << muti(xMuto);
        QTest::newRow("Wayland-EGL named, no socket")
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=Wayland-EGL"),
                           QStringLiteral("DISPLAY=:4095")}
            << QStringList() << muti(wayland + QStringLiteral("wayland-0"));
        QTest::newRow("wayland, then xcb, named: neither answers")
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=wayland;xcb:nograb"),
                           QStringLiteral("DISPLAY=:4095")}
            << QStringList() << muti(wayland + QStringLiteral("wayland-0 nor at ") + xMuto);
        QTest::newRow("-platform xcb over an offscreen QT_QPA_PLATFORM")
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=offscreen"),
                           QStringLiteral("DISPLAY=:4095")}
            << QStringList{QStringLiteral("-platform"), QStringLiteral("xcb")} << muti(xMuto);
        QTest::newRow("offscreen named, no session")
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=offscreen")} << QStringList() << nessuno;
        QTest::newRow("an X server beside no socket at WAYLAND_DISPLAY")
            << QStringList{QStringLiteral("DISPLAY=") + qEnvironmentVariable("DISPLAY"),
                           QStringLiteral("WAYLAND_DISPLAY=wayland-9")}
            << QStringList() << nessuno;
    }

    void senzaSchermoLoDiceInUnaRiga()
    {
        QFETCH(QStringList, variabili);
        QFETCH(QStringList, argomenti);
        QFETCH(QString, riga);
        if (variabili.contains(QStringLiteral("DISPLAY=")))
            QSKIP(
                qPrintable(qEnvironmentVariable("QUORNA_SENZA_X", QStringLiteral("no X server"))));
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        for (const char* nome : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "XDG_SESSION_TYPE",
                                 "QT_QPA_PLATFORM"})
            ambiente.remove(QString::fromLatin1(nome));
        for (const QString& variabile : variabili)
            ambiente.insert(variabile.section(u'=', 0, 0), variabile.section(u'=', 1));
        // With a language stored the program takes its lock at once, without asking for one.
        memorizza(QStringLiteral("General/Language"), QStringLiteral("1"));
        QProcess programma;
        programma.setProcessEnvironment(ambiente);
        programma.start(QStringLiteral(QUORNA_PROGRAMMA), argomenti);
        if (riga.isEmpty()) {
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(PercorsoBloccoIstanza()), 30000);
            QCOMPARE(programma.state(), QProcess::Running);
            programma.kill();
            QVERIFY(programma.waitForFinished(30000));
            QVERIFY(QFile::remove(PercorsoBloccoIstanza()));
            return;
        }
        QVERIFY(programma.waitForFinished(30000));
        QCOMPARE(programma.exitStatus(), QProcess::NormalExit);
        QCOMPARE(QString::fromLocal8Bit(programma.readAllStandardError()), riga);
        QCOMPARE(programma.exitCode(), 1);
    }

    void archivioNonRegolare_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("a pipe") << true;
        QTest::newRow("a link to /dev/zero") << false;
    }

    // The program started as its user starts it, with an archive that is no regular file: the
    // window comes, the user is told which file and why, and the file stays as it was. Runs
    // while this process does not hold the program's lock.
    void archivioNonRegolare()
    {
        QFETCH(bool, pipe);
        memorizza(QStringLiteral("General/Language"), QStringLiteral("1"));
        memorizza(QStringLiteral("General/SplashScreen"), QStringLiteral("1"));
        const QString archivio = FileProgramma(QStringLiteral("archivio.sms"));
        // An earlier start may have made the data folder and the archive in it.
        QVERIFY(QDir().mkpath(QFileInfo(archivio).path()));
        QFile::remove(archivio);
        QVERIFY(pipe ? Pipe(archivio) : LinkAZero(archivio));
        const auto togli = qScopeGuard([&] { QFile::remove(archivio); });
        const QString prima = ImprontaFile(archivio);
        const auto inglese = [](int voce) {
            return CatalogoMessaggi::TestoLingua(voce, CatalogoMessaggi::Inglese).value_or("");
        };
        const QString avviso = QStringLiteral("QMessageBox: Quorna: ") + inglese(800) + archivio
                               + "\n" + inglese(823) + "\n" + inglese(801);

        QProcess programma;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(QUORNA_PLUGIN));
        ambiente.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("osservatore"));
        programma.setProcessEnvironment(ambiente);
        programma.setProcessChannelMode(QProcess::MergedChannels);
        programma.start(QStringLiteral(QUORNA_PROGRAMMA), {});
        const auto ferma = qScopeGuard([&] {
            programma.kill();
            programma.waitForFinished();
        });
        QString visto;
        const QDeadlineTimer scadenza(30000);
        while (!(visto.contains(QStringLiteral("frmMain: Quorna")) && visto.contains(avviso))
               && programma.state() != QProcess::NotRunning && !scadenza.hasExpired()) {
            programma.waitForReadyRead(100);
            visto += QString::fromUtf8(programma.readAll());
        }
        QVERIFY2(visto.contains(QStringLiteral("frmMain: Quorna")), qPrintable(visto));
        QVERIFY2(visto.contains(avviso), qPrintable(visto));
        QCOMPARE(ImprontaFile(archivio), prima);
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
};

QTEST_MAIN(TstAvvio)
#include "tst_avvio.moc"
