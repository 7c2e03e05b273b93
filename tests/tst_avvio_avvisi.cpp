// Notices raised while the program starts, such as a damaged message archive: they wait for the
// end of the start-up and open over the main window, never under the splash, which stays on top.

#include "catalogo.h"
#include "filediprova.h"
#include "frmi.h"
#include "frmmain.h"
#include "globali.h"
#include "programma.h"
#include "risposte.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QSettings>
#include <QtTest>

namespace {

void memorizza(const QString& chiave, const QString& valore)
{
    QSettings s(QStringLiteral("Quorna"), QStringLiteral("Quorna"));
    s.setValue(chiave, valore);
    s.sync();
}

// An archive with one whole record between bytes that belong to none; `scarto` tells one damaged
// file from another, since a file is told of once.
void danneggiaArchivio(const QByteArray& scarto)
{
    ScriviArchivio(scarto + RecordSMS("018191FF038121F30000A70361F118", 1, 2));
}

// The user in front of the boxes, who also notes where each opened.
class RisposteAllAvvio : public RisposteFinte {
public:
    struct Dove {
        QPointer<QWidget> padre;
        bool splashVisibile = false;
        bool principaleAttiva = false;
    };
    QList<Dove> dove;
    const QWidget* splash = nullptr;
    const QPointer<frmMain>* principale = nullptr;

    QMessageBox::StandardButton Messaggio(QWidget* padre, QMessageBox::Icon icona,
                                          const QString& titolo, const QString& testo,
                                          QMessageBox::StandardButtons pulsanti) override
    {
        const frmMain* finestra = principale ? principale->data() : nullptr;
        dove.append({padre, splash && splash->isVisible(),
                     finestra && finestra->isVisible() && finestra->isEnabled()});
        return RisposteFinte::Messaggio(padre, icona, titolo, testo, pulsanti);
    }
};

// The program's own start-up: the splash and the main window with every subsystem.
struct Avvio {
    QPointer<frmMain> principale;
    frmI splash{[this] {
        principale = CaricaFinestraPrincipale();
        return principale.data();
    }};
    RisposteAllAvvio utente;

    Avvio()
    {
        utente.splash = &splash;
        utente.principale = &principale;
    }
    ~Avvio() { delete principale.data(); }
};

} // namespace

class TstAvvioAvvisi : public QObject {
    Q_OBJECT

    // The one box, the damaged archive's, opened over the enabled main window with no splash
    // left in front of it.
    static void archivioDannoSopraLaFinestra(const Avvio& avvio)
    {
        QCOMPARE(avvio.utente.boxes.size(), 1);
        QVERIFY2(avvio.utente.boxes[0].testo.startsWith(Msg(792)),
                 qPrintable(avvio.utente.boxes[0].testo));
        QCOMPARE(avvio.utente.boxes[0].icona, QMessageBox::Warning);
        const RisposteAllAvvio::Dove& dove = avvio.utente.dove[0];
        QVERIFY(avvio.principale);
        QCOMPARE(dove.padre.data(), static_cast<QWidget*>(avvio.principale.data()));
        QVERIFY(!dove.splashVisibile);
        QVERIFY(dove.principaleAttiva);
    }

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName(QStringLiteral("Quorna"));
        QVERIFY(CatalogoMessaggi::Carica());
        memorizza(QStringLiteral("General/Language"), QStringLiteral("1"));
    }

    void senzaSplash()
    {
        memorizza(QStringLiteral("General/SplashScreen"), QStringLiteral("1"));
        danneggiaArchivio("junk");
        Avvio avvio;
        QVERIFY(avvio.splash.Form_Load());
        archivioDannoSopraLaFinestra(avvio);
    }

    // The splash closes by its timer, as it does when nobody clicks it.
    void conSplash()
    {
        memorizza(QStringLiteral("General/SplashScreen"), QStringLiteral("0"));
        danneggiaArchivio("other junk");
        Avvio avvio;
        QVERIFY(avvio.splash.Form_Load());
        QVERIFY(avvio.splash.isVisible());
        QVERIFY(avvio.utente.boxes.isEmpty());
        avvio.splash.Timer1.start(10);
        QTRY_VERIFY(!avvio.utente.boxes.isEmpty());
        archivioDannoSopraLaFinestra(avvio);
    }

    // A click closes it sooner; a whole archive has nothing to tell.
    void conSplashChiusoDalClic()
    {
        memorizza(QStringLiteral("General/SplashScreen"), QStringLiteral("0"));
        danneggiaArchivio("more junk");
        {
            Avvio avvio;
            QVERIFY(avvio.splash.Form_Load());
            QVERIFY(avvio.utente.boxes.isEmpty());
            QTest::mouseClick(avvio.splash.lblTitle, Qt::LeftButton);
            archivioDannoSopraLaFinestra(avvio);
        }
        danneggiaArchivio(QByteArray());
        Avvio avvio;
        QVERIFY(avvio.splash.Form_Load());
        QTest::mouseClick(avvio.splash.lblTitle, Qt::LeftButton);
        QVERIFY(avvio.utente.boxes.isEmpty());
    }
};

QTEST_MAIN(TstAvvioAvvisi)
#include "tst_avvio_avvisi.moc"
