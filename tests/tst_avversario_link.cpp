// The phone link against a hostile phone: replies garbled, split anywhere, endless or cut short
// by a hang-up, and a settings store full of nonsense. Nothing may crash, every wait must end,
// and a lost link leaves one message and a program that can connect again.

#include "attesa.h"
#include "banco.h"
#include "catalogo.h"
#include "collegamento.h"
#include "frmmain.h"
#include "globali.h"
#include "impostazioni.h"
#include "listareport.h"
#include "portafinta.h"
#include "ricevitore.h"
#include "s25simulator.h"
#include "scambio.h"
#include "statobase.h"
#include "statotelefono.h"
#include "tempi.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QSettings>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <optional>

using s25sim::S25Simulator;

Q_DECLARE_METATYPE(std::optional<int>)

namespace {

// What the receive path keeps of these chunks: the reply body, how it ended, the "+CMTI:" indexes.
struct Ricevuto {
    QString corpo;
    FineRisposta fine;
    QList<int> indici;
};

Ricevuto Ricevi(const QStringList& pezzi)
{
    QString buffer;
    RicevitoreAT ricevitore(buffer);
    for (const QString& pezzo : pezzi)
        ricevitore.Aggiungi(pezzo);
    return {TagliaRisposta(buffer.left(ricevitore.FineIn())), ricevitore.Fine(),
            ricevitore.PrendiIndicazioniSMS()};
}

} // namespace

class TstAvversarioLink : public QObject, private Banco {
    Q_OBJECT

    bool nessunTimerDiConnessione() const
    {
        return !collegamento->TimerEcho.isActive() && !collegamento->TimerGetT.isActive()
               && !collegamento->TimerOUT.isActive();
    }

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }

    void init()
    {
        StatoDiPartenza();
        apri();
        finestra->Form_Load();
    }

    void cleanup()
    {
        chiudi();
        RegistraPortaAT(nullptr);
    }

    // Unsolicited lines in the middle of a reply, the reply cut into three chunks at every pair
    // of places: the body never holds them, and the indication is kept once.
    void nonRichiesteSpezzateOvunque()
    {
        const QString corpo = "+CPBR: 1,\"0612\",129,\"Anna\"\r\n+CPBR: 2,\"+39\",145,\"Bob!\"";
        const QString flusso
            = "\r\nRING\r\n\r\n+CPBR: 1,\"0612\",129,\"Anna\"\r\n+CMTI: \"SM\",7\r\n"
              "+CPBR: 2,\"+39\",145,\"Bob!\"\r\n\r\n+CLIP: \"+39333\",145\r\n"
              "\r\nOK\r\n\r\n+CRING: VOICE\r\n";
        for (qsizetype i = 0; i <= flusso.size(); ++i) {
            for (qsizetype j = i; j <= flusso.size(); ++j) {
                const Ricevuto r = Ricevi({flusso.left(i), flusso.mid(i, j - i), flusso.mid(j)});
                const QByteArray dove = QStringLiteral("cut at %1 and %2").arg(i).arg(j).toLatin1();
                QVERIFY2(r.fine == FineRisposta::Ok, dove.constData());
                QVERIFY2(r.corpo == corpo, qPrintable(r.corpo));
                QVERIFY2(r.indici == QList<int>{7}, dove.constData());
            }
        }
    }

    void indiciDiNuoviMessaggiOstili_data()
    {
        QTest::addColumn<QString>("riga");
        QTest::addColumn<std::optional<int>>("indice");
        QTest::newRow("plain") << "+CMTI: \"SM\",3" << std::optional<int>(3);
        QTest::newRow("no comma") << "+CMTI: \"SM\"" << std::optional<int>();
        QTest::newRow("letters") << "+CMTI: \"SM\",x" << std::optional<int>();
        QTest::newRow("negative") << "+CMTI: \"SM\",-1" << std::optional<int>();
        QTest::newRow("huge") << "+CMTI: \"SM\",99999999999999999999" << std::optional<int>();
        QTest::newRow("empty index") << "+CMTI: \"SM\"," << std::optional<int>();
        QTest::newRow("exponent") << "+CMTI: \"SM\",1e3" << std::optional<int>();
        QTest::newRow("control bytes")
            << QStringLiteral("+CMTI: \"SM\",\x01\x02") << std::optional<int>();
    }

    void indiciDiNuoviMessaggiOstili()
    {
        QFETCH(QString, riga);
        QFETCH(std::optional<int>, indice);
        QCOMPARE(IndiceIndicazioneSMS(riga), indice);
    }

    // Replies to the status queries that are garbage, empty, binary or huge: the parsers keep
    // within the text and the images within their ranges.
    void statoIlleggibile_data()
    {
        QTest::addColumn<QString>("risposta");
        QTest::newRow("empty") << QString();
        QTest::newRow("error sentinel") << RispostaErrore;
        QTest::newRow("bare OK") << OKNudo;
        QTest::newRow("prefix only") << "+CBC: ";
        QTest::newRow("commas only") << ",,,,,,";
        QTest::newRow("quotes") << "\"\"\"";
        QTest::newRow("every byte") << QString::fromLatin1(TuttiIByte());
        QTest::newRow("huge numbers") << "+CREG: 99999999999,99999999999,FFFFFFFFFFFF,";
        QTest::newRow("negative") << "+CSQ: -5,-9";
        QTest::newRow("garbage") << QString(100000, QLatin1Char('#'));
    }

    void statoIlleggibile()
    {
        QFETCH(QString, risposta);
        Alimentazione alimentazione;
        AnalizzaCBC(risposta, alimentazione);
        const int batteria = ImmagineBatteria(alimentazione.LivelloBatteria);
        QVERIFY(batteria >= 21 && batteria <= 26);
        QVERIFY(alimentazione.StatoAlim <= 3);
        Rete rete;
        AnalizzaRete(risposta, risposta, risposta, rete);
        LivelloInDBm(rete.LivelloSegnale);
        QString sim, centro;
        AnalizzaSCID(risposta, sim);
        AnalizzaCSCA(risposta, centro);
        QVERIFY(!PrimaRiga(risposta).contains(u'\r'));
        DatiTelefono telefono;
        Registra(alimentazione, telefono);
        Registra(rete, telefono);
        QCOMPARE(RigheAlim(telefono).size(), 2);
        QCOMPARE(RigheRete(telefono, QString(), 0).size(), 7);
    }

    // A reply that keeps coming and never ends: the silence bound never runs out, yet the wait
    // must end.
    void rispostaSenzaFineHaUnTetto()
    {
        TempiLink.attesaMs = 200;
        PortaFinta porta;
        RegistraPortaAT(&porta);
        Connesso = true;
        QTimer gocciola;
        connect(&gocciola, &QTimer::timeout, [] { ConsegnaRicezione(QStringLiteral("x")); });
        gocciola.start(20);
        // Had the wait no bound, the test still ends: as if the user cancelled.
        QTimer rinuncia;
        rinuncia.setSingleShot(true);
        connect(&rinuncia, &QTimer::timeout, [] {
            Annulla = true;
            RisvegliaAttesa();
        });
        rinuncia.start(5000);
        QElapsedTimer cronometro;
        cronometro.start();
        EsitoAT esito{};
        QCOMPARE(InviaComandoAT(QStringLiteral("AT+CGMR"), &esito), RispostaErrore);
        QCOMPARE(esito, EsitoAT::Scaduto);
        QVERIFY(cronometro.elapsed() < 5000);
        QVERIFY(LineaLibera);
        gocciola.stop();
        // The operation ends back at the event loop, where the user is told once.
        QTRY_VERIFY(!TelefonoMuto());
        QCOMPARE(testiBox(), QStringList{Msg(795)});
        // Once the line is quiet again the next command gets its own reply.
        porta.risposta
            = [](const QString&) { ConsegnaRicezione(QStringLiteral("\r\n21\r\n\r\nOK\r\n")); };
        QCOMPARE(InviaComandoAT(QStringLiteral("AT+CGMR"), &esito), QStringLiteral("21"));
        QCOMPARE(esito, EsitoAT::Ok);
        Connesso = false;
    }

    // A hundred thousand characters of noise without a line end, then the final result, in
    // small chunks: the reply ends at once and whole.
    void rumoreLungoPoiOK()
    {
        PortaFinta porta;
        RegistraPortaAT(&porta);
        Connesso = true;
        const QString rumore = QString::fromLatin1(TuttiIByte().replace('\n', ' ')).repeated(400);
        porta.risposta = [rumore](const QString&) {
            ConsegnaRicezione(QStringLiteral("\r\n"));
            for (qsizetype i = 0; i < rumore.size(); i += 7)
                ConsegnaRicezione(rumore.mid(i, 7));
            ConsegnaRicezione(QStringLiteral("\r\n\r\nOK\r\n"));
        };
        QElapsedTimer cronometro;
        cronometro.start();
        EsitoAT esito{};
        const QString corpo = InviaComandoAT(QStringLiteral("AT+CGMR"), &esito);
        QCOMPARE(esito, EsitoAT::Ok);
        QCOMPARE(corpo.size(), rumore.size());
        QVERIFY(cronometro.elapsed() < 3000);
        Connesso = false;
    }

    // The line drops during the handshake, at every command of it: one message, the port
    // closed, no handshake timer left, nothing marked read, and the program connects again.
    void riagganciaDuranteLHandshake_data()
    {
        QTest::addColumn<QString>("comando");
        for (const QString& comando : Handshake)
            QTest::newRow(qPrintable(comando)) << comando;
    }

    void riagganciaDuranteLHandshake()
    {
        QFETCH(QString, comando);
        accendi();
        // A reply is queued before the observer hears of its command: the cut is armed by the
        // command before.
        const qsizetype indice = Handshake.indexOf(comando);
        S25Simulator* sim = telefono.get();
        if (indice == 0)
            sim->hangUpDuringNextReply(3);
        else
            telefono->setCommandObserver([sim, prima = Handshake[indice - 1]](const QString& c) {
                if (c == prima)
                    sim->hangUpDuringNextReply(3);
            });
        collegamento->Connetti();
        QTRY_VERIFY_WITH_TIMEOUT(!collegamento->PortOpen(), Pazienza);
        QTRY_VERIFY_WITH_TIMEOUT(LineaLibera || risposte->boxes.size() > 0, Pazienza);
        QTest::qWait(20 * TempiLink.timeoutMs);
        QCOMPARE(risposte->boxes.size(), 1);
        QVERIFY(!Connesso);
        QVERIFY(nessunTimerDiConnessione());
        // The identity is read whole or not at all.
        const bool identitaFinita = indice > Handshake.indexOf("AT+CPWD=?");
        QCOMPARE(Telefono.InfoLetta, identitaFinita);
        QVERIFY(finestra->isEnabled());
        QVERIFY(!FinestraAttesa());
        QCOMPARE(finestra->SBar[1]->text(), Msg(79));

        risposte->boxes.clear();
        accendi();
        connetti(Controllo::ComandiEsatti);
        QVERIFY(Connesso && Telefono.InfoLetta);
        QVERIFY(risposte->boxes.isEmpty());
    }

    // A phone that answers everything with garbage, binary bytes and lines that look final
    // but are not: the handshake ends, the views show rows, nothing is read twice.
    void telefonoCheDiceSciocchezze()
    {
        accendi();
        rendiOstile([](const QString& comando) {
            if (comando == QLatin1String("ATE0"))
                return QByteArray("OK");
            QByteArray sporco = TuttiIByte().replace('\n', ' ') + "\r\nOKAY\r\nERRORS\r\n";
            if (comando.startsWith(QLatin1String("AT+C")) && comando.endsWith(u'?'))
                sporco += "\r\n+CREG: ,,,,\"\r\n> x";
            return sporco + "\r\n\r\nOK";
        });
        collegamento->Connetti();
        // Identities of several lines are asked again: only the end of the handshake counts.
        QTRY_VERIFY_WITH_TIMEOUT(telefono->commandLog().endsWith(Handshake.last()) && LineaLibera
                                     && !collegamento->TimerGetT.isActive(),
                                 Pazienza);
        QVERIFY(Connesso && Telefono.InfoLetta);
        collegamento->ShowAlim();
        QCOMPARE(finestra->List1->topLevelItemCount(), 2);
        collegamento->ShowRete(0);
        QCOMPARE(finestra->List1->topLevelItemCount(), 7);
        QVERIFY(Telefono.AlimLetta && Telefono.ReteLetta);
        // No power value, registration nor signal level in the garbage: each view says so once.
        const QString senzaValore = QStringLiteral(": ") + Msg(873);
        QCOMPARE(
            testiBox(),
            (QStringList{
                QStringList{Msg(872), Msg(91) + senzaValore, Msg(92) + senzaValore}.join("\r\n"),
                QStringList{Msg(872), Msg(93) + senzaValore, Msg(97) + senzaValore}.join("\r\n")}));
        QVERIFY(Connesso && collegamento->PortOpen());
    }

    // A settings store full of nonsense: the program still starts and has sane options.
    void impostazioniOstili()
    {
        delete finestra;
        finestra = nullptr;
        {
            QSettings store(QStringLiteral("Quorna"), QStringLiteral("Quorna"));
            for (const char* chiave : {"Language", "AutoSaveRub", "AutoLoadRub", "SaveWindow",
                                       "SplashScreen", "AutoLoadOPsList", "X", "Y", "W", "H"})
                store.setValue(QStringLiteral("General/") + chiave,
                               QStringLiteral("-99999999999999999999"));
            store.setValue(QStringLiteral("Config/Porta"), QStringLiteral("\x01\xff"));
            store.setValue(QStringLiteral("Config/Device1"), QString(5000, QLatin1Char('/')));
            store.setValue(QStringLiteral("General/Extra"), QByteArray(1000, '\0'));
        }
        CaricaImpostazioni();
        Opzioni.Lingua = 1;
        finestra = new frmMain;
        auto proprio = std::make_unique<Collegamento>(*finestra);
        collegamento = proprio.get();
        finestra->collegamento = std::move(proprio);
        finestra->Form_Load();
        QVERIFY(finestra->isVisible());
        QCOMPARE(collegamento->CommPort(), 1);
        QSettings(QStringLiteral("Quorna"), QStringLiteral("Quorna")).clear();
    }
};

QTEST_MAIN(TstAvversarioLink)
#include "tst_avversario_link.moc"
