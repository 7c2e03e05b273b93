// The phone link when the phone stops answering: the identity, power and network reads, the
// connection's own reads, a line that drops under the wait window, and a port that cannot be
// opened.

#include "muto.h"

#include <QLabel>

class TstMutoCollegamento : public QObject, private BancoMuto {
    Q_OBJECT

    QMap<QString, Operazione> operazioni()
    {
        QMap<QString, Operazione> tutte;
        tutte["identity"] = {[] { Telefono.InfoLetta = false; }, [this] { clic("S25"); },
                             [this] {
                                 Telefono.InfoLetta = false;
                                 clic("S25");
                                 QVERIFY(Telefono.InfoLetta);
                                 QCOMPARE(Telefono.IMEI, QStringLiteral("350123456789012"));
                             }};
        tutte["power"] = {[] { Telefono.AlimLetta = false; }, [this] { clic("ALIM"); },
                          [this] {
                              Telefono.AlimLetta = false;
                              clic("ALIM");
                              QVERIFY(Telefono.AlimLetta);
                              QCOMPARE(Telefono.LivelloBatteria, QStringLiteral("70%"));
                          }};
        // The view the silence left unavailable offers Refresh, which reads it again.
        tutte["power, refreshed"] = {[] { Telefono.AlimLetta = false; }, [this] { clic("ALIM"); },
                                     [this] {
                                         aggiorna();
                                         QVERIFY(Telefono.AlimLetta);
                                         QCOMPARE(righe().size(), 2);
                                     }};
        // The operator names are read in the same showing, after the four network queries.
        Operazione rete(
            [] {
                Telefono.ReteLetta = false;
                Telefono.OperatoriLetti = false;
            },
            [this] { clic("RETE"); },
            [this] {
                Telefono.ReteLetta = false;
                Telefono.OperatoriLetti = false;
                clic("RETE");
                QVERIFY(Telefono.ReteLetta && Telefono.OperatoriLetti);
                QCOMPARE(Telefono.CodiceArea, QStringLiteral("5E2A"));
            });
        rete.impronta = SenzaFlag<&DatiTelefono::ReteLetta>;
        rete.vista = [](int k) {
            if (k <= 4)
                QVERIFY(!Telefono.ReteLetta);
            QVERIFY(!Telefono.OperatoriLetti);
        };
        tutte["network and operators"] = rete;
        return tutte;
    }

private slots:
    void initTestCase() { preparaProgramma(); }

    void init() { apriTutto(); }
    void cleanup() { chiudi(); }

    void conTelefonoMuto_data() { righeDiGuasto(operazioni().keys()); }

    void conTelefonoMuto() { provaGuastoDellaRiga(operazioni()); }

    // The phone answers "ATE0", or the switch of a mode it refuses, then nothing: the rest of
    // the connection's reads stop at the first command unanswered, and the user is told once.
    // A phone silent at the question is no phone without the command: the set is not known.
    void connessioneSenzaRisposta_data()
    {
        QTest::addColumn<QString>("rifiuti");
        QTest::addColumn<QStringList>("inviati"); // silent from the last one on
        const QStringList inizio{"ATE0", "ATQ0", "ATV1", "AT+CMGF=0"};
        QTest::newRow("after ATE0") << QString() << inizio.mid(0, 2);
        QTest::newRow("asked the message mode")
            << QStringLiteral("^AT\\+CMGF=") << inizio + QStringList{"AT+CMGF?"};
        QTest::newRow("asked the character set")
            << QStringLiteral("^AT\\+CSCS=") << inizio + QStringList{"AT+CSCS=\"GSM\"", "AT+CSCS?"};
    }

    void connessioneSenzaRisposta()
    {
        QFETCH(QString, rifiuti);
        QFETCH(QStringList, inviati);
        accendi(semeDemo());
        QVERIFY(!QTest::currentTestFailed());
        if (!rifiuti.isEmpty())
            telefono->failCommandsMatching(QRegularExpression(rifiuti));
        s25sim::S25Simulator* t = telefono.get();
        telefono->setCommandObserver(
            [t, ultimoRisposto = inviati.at(inviati.size() - 2)](const QString& comando) {
                if (comando == ultimoRisposto)
                    t->setMuted(true);
            });
        collegamento->Connetti();
        QTRY_VERIFY_WITH_TIMEOUT(!avvisi().isEmpty(), Pazienza);
        attendiFine();
        QCOMPARE(telefono->commandLog(), inviati);
        QCOMPARE(avvisi(), QStringList{Msg(VoceSenzaRisposta)});
        QCOMPARE(utente->sopraLAttesa, 0);
        QVERIFY(!Telefono.InfoLetta);
        QCOMPARE(SetTelefono, SetCaratteri::Ignoto);
        QCOMPARE(righe(), QStringList{Msg(82)});
        QVERIFY(Connesso);

        telefono->setCommandObserver({});
        telefono->setMuted(false);
        clic("S25");
        QVERIFY(Telefono.InfoLetta);
        QCOMPARE(avvisi().size(), 1);
    }

    // The line drops while a read waits: the link's message comes once the wait window is gone.
    void lineaCadutaSottoLAttesa()
    {
        avvia();
        Telefono.InfoLetta = false;
        telefono->hangUpDuringNextReply(3);
        clic("S25");
        QTRY_VERIFY_WITH_TIMEOUT(!Connesso, Pazienza);
        attendiFine();
        QCOMPARE(avvisi().size(), 1);
        QVERIFY2(avvisi().constFirst().endsWith(Msg(79)), qPrintable(avvisi().constFirst()));
        QCOMPARE(utente->sopraLAttesa, 0);
        QCOMPARE(righe(), QStringList{Msg(82)});
    }

    // A hang-up under the read of the view on show keeps what it showed, as Disconnect does; the
    // user is told why the link went, in the language chosen.
    void riagganciatoDuranteLaLettura_data()
    {
        QTest::addColumn<QString>("nodo");
        QTest::addColumn<int>("lingua");
        QTest::newRow("power") << "ALIM" << 1;
        QTest::newRow("network") << "RETE" << 1;
        QTest::newRow("received calls") << "LIST_RC" << 1;
        QTest::newRow("locks") << "BLOCK" << 1;
        QTest::newRow("logo") << "LOGO" << 1;
        QTest::newRow("network, in French") << "RETE" << 2;
    }

    void riagganciatoDuranteLaLettura()
    {
        QFETCH(QString, nodo);
        QFETCH(int, lingua);
        BaseLang = static_cast<int16_t>(lingua * 1000 + 1);
        avvia();
        clic(nodo);
        const QStringList elenco = righe();
        const QString stato = finestra->SBar[3]->text();
        QVERIFY(elenco.size() > 1);
        risposte->boxes.clear();
        telefono->hangUpDuringNextReply(3);
        finestra->Aggiorna();
        QTRY_VERIFY_WITH_TIMEOUT(!Connesso, Pazienza);
        attendiFine();
        QCOMPARE(righe(), elenco);
        QCOMPARE(finestra->SBar[3]->text(), stato);
        QCOMPARE(avvisi(), QStringList{Msg(27) + Msg(911) + Msg(841) + "\r\n" + Msg(79)});
        QCOMPARE(utente->sopraLAttesa, 0);
    }

    // The message names the port as the user knows it, the device behind it, and the reason.
    void portaNonApribile()
    {
        const QString dispositivo = QDir::temp().filePath(QStringLiteral("quorna-nessuna-porta"));
        qputenv("QUORNA_COM1", dispositivo.toLocal8Bit());
        collegamento->Connetti();
        QCOMPARE(avvisi().size(), 1);
        const QString prefisso = QStringLiteral("Com1 (") + dispositivo + QStringLiteral("): ");
        QVERIFY2(avvisi().constFirst().startsWith(prefisso), qPrintable(avvisi().constFirst()));
        QVERIFY(avvisi().constFirst().size() > prefisso.size());
        QVERIFY(!collegamento->PortOpen());
    }
};

QTEST_MAIN(TstMutoCollegamento)
#include "tst_muto_collegamento.moc"
