// The wait window's answer to received data: a phone that sends byte by byte delivers a chunk
// every half millisecond, and the window must show that data arrives and stay in front without
// spending the program's time on every chunk.

#include "attesa.h"
#include "catalogo.h"
#include "globali.h"
#include "tempi.h"

#include <QElapsedTimer>
#include <QWidget>
#include <QtTest>

class TstAttesaRicezione : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(CatalogoMessaggi::Carica());
        TempiLink = TempiCollegamento{};
    }

    void cleanup() { NascondiAttesa(); }

    // However fast the chunks come, the indicator moves at most about ten times a second.
    void unFlussoDiPezziCambiaLaLuceDieciVolteAlSecondo()
    {
        MostraAttesa(QStringLiteral("Reading"), false);
        frmWait* attesa = FinestraAttesa();
        QVERIFY(attesa);
        QColor colore = attesa->ColoreLuce();
        int cambi = 0;
        QElapsedTimer tempo;
        tempo.start();
        for (int pezzo = 0; pezzo < 2000; ++pezzo) {
            SegnalaRicezioneAttesa();
            if (attesa->ColoreLuce() != colore) {
                colore = attesa->ColoreLuce();
                ++cambi;
            }
        }
        const qint64 trascorsi = tempo.elapsed();
        // Generous: one change at the first chunk, one per interval, and one more for a
        // machine that stalls between a test and a change.
        const qint64 massimo = trascorsi / frmWait::IntervalloLuceMs + 2;
        QVERIFY2(cambi >= 1 && cambi <= massimo,
                 qPrintable(QStringLiteral("%1 changes in %2 ms").arg(cambi).arg(trascorsi)));
    }

    // Chunks further apart than the interval each move the indicator, so a slow transfer still
    // shows every sign of life.
    void pezziRadiCambianoLaLuceOgniVolta()
    {
        MostraAttesa(QStringLiteral("Reading"), false);
        frmWait* attesa = FinestraAttesa();
        for (int pezzo = 0; pezzo < 4; ++pezzo) {
            const QColor prima = attesa->ColoreLuce();
            SegnalaRicezioneAttesa();
            QVERIFY(attesa->ColoreLuce() != prima);
            QTest::qWait(frmWait::IntervalloLuceMs * 2);
        }
    }

    // A window that took the focus during a transfer loses it again to the wait window at the
    // next sign of data.
    void laFinestraTornaInPrimoPiano()
    {
        MostraAttesa(QStringLiteral("Reading"), false);
        frmWait* attesa = FinestraAttesa();
        QTRY_VERIFY_WITH_TIMEOUT(attesa->isActiveWindow(), 5000);
        QWidget altra;
        altra.show();
        altra.activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(altra.isActiveWindow(), 5000);
        QElapsedTimer tempo;
        tempo.start();
        while (!attesa->isActiveWindow() && tempo.elapsed() < 5000) {
            SegnalaRicezioneAttesa();
            QTest::qWait(10);
        }
        QVERIFY(attesa->isActiveWindow());
    }
};

QTEST_MAIN(TstAttesaRicezione)
#include "tst_attesa_ricezione.moc"
