// Start-up: the second copy refused without touching the store, the splash and its hand-over, and
// a start with no graphical session to open a window on.

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
