// The AT exchange and the wait window against the simulated phone on a pseudo-terminal.

#include "attesa.h"
#include "catalogo.h"
#include "globali.h"
#include "mscomm.h"
#include "risposte.h"
#include "s25simulator.h"
#include "scambio.h"
#include "setcaratteri.h"
#include "tempi.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <functional>

using s25sim::S25Simulator;

Q_DECLARE_METATYPE(EsitoAT)
using Preparazione = std::function<void(S25Simulator&)>;
Q_DECLARE_METATYPE(Preparazione)

namespace {

const QString Esc = QString(QChar(27));

} // namespace

class TstScambio : public QObject {
    Q_OBJECT

    std::unique_ptr<S25Simulator> telefono;
    std::unique_ptr<MSComm> porta;
    std::unique_ptr<RisposteFinte> utente;

    QString invia(const QString& comando, EsitoAT& esito)
    {
        return InviaComandoAT(comando, &esito);
    }

    QStringList testiBox() const { return utente->testi(); }

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }

    void init()
    {
        TempiLink = TempiCollegamento{};
        TempiLink.attesaMs = 3000;
        TempiLink.quieteMs = 100;
        s25sim::PhoneState stato = s25sim::defaultPhoneState();
        stato.network.operators = {{"22201", "I TIM"}, {"22210", "Vodafone IT"}};
        telefono = std::make_unique<S25Simulator>(stato);
        QVERIFY(telefono->start());
        qputenv("QUORNA_COM1", telefono->slavePath().toLocal8Bit());
        porta = std::make_unique<MSComm>();
        QString errore;
        QVERIFY2(porta->Apri(errore), qPrintable(errore));
        connect(porta.get(), &MSComm::DatiRicevuti, this,
                [](const QString& pezzo) { ConsegnaRicezione(pezzo); });
        RegistraPortaAT(porta.get());
        utente = std::make_unique<RisposteFinte>();
        Connesso = true;
        EsitoAT esito{};
        invia("ATE0", esito);
        QCOMPARE(esito, EsitoAT::Ok);
        telefono->clearCommandLog();
    }

    void cleanup()
    {
        RegistraPortaAT(nullptr);
        utente.reset();
        porta.reset();
        telefono.reset();
        Connesso = false;
    }

    void risposte_data()
    {
        QTest::addColumn<Preparazione>("preparazione");
        QTest::addColumn<QString>("comando");
        QTest::addColumn<QString>("attesa");
        QTest::addColumn<EsitoAT>("esito");
        // The phone's own line of refusal, which the sentinel does not carry.
        QTest::addColumn<QString>("rifiuto");
        const Preparazione niente = [](S25Simulator&) {};
        QTest::newRow("body") << niente << "AT+CGMR"
                              << "21" << EsitoAT::Ok << "";
        QTest::newRow("body of several lines")
            << niente << "AT+COPN"
            << "+COPN: 22201,\"I TIM\"\r\n+COPN: 22210,\"Vodafone IT\"" << EsitoAT::Ok << "";
        QTest::newRow("bare OK comes whole") << niente << "ATQ0"
                                             << "\r\nOK\r\n"
                                             << EsitoAT::Ok << "";
        QTest::newRow("ERROR") << Preparazione([](S25Simulator& t) { t.failNextCommand(); })
                               << "AT+CGMR"
                               << "ERRORE" << EsitoAT::Errore << "ERROR";
        QTest::newRow("+CME ERROR")
            << Preparazione([](S25Simulator& t) { t.failNextCommand(21); }) << "AT+CGMR"
            << "ERRORE" << EsitoAT::Errore << "+CME ERROR: 21";
        QTest::newRow("prompt") << niente << "AT+CMGS=140"
                                << ">" << EsitoAT::Prompt << "";
        QTest::newRow("one-byte chunks")
            << Preparazione([](S25Simulator& t) { t.setChunking(1, 0); }) << "AT+CGSN"
            << "350000000000017" << EsitoAT::Ok << "";
        QTest::newRow("RING after OK") << Preparazione([](S25Simulator& t) {
            t.injectUnsolicited("RING", S25Simulator::When::AfterNextReply);
        }) << "AT+CGSN"
                                       << "350000000000017" << EsitoAT::Ok << "";
        QTest::newRow("caller identity before the reply") << Preparazione([](S25Simulator& t) {
            t.injectUnsolicited("RING");
            t.injectUnsolicited("+CLIP: \"+39333\",145");
        }) << "AT+CGSN"
                                                          << "350000000000017" << EsitoAT::Ok << "";
    }

    void risposte()
    {
        QFETCH(Preparazione, preparazione);
        QFETCH(QString, comando);
        QFETCH(QString, attesa);
        QFETCH(EsitoAT, esito);
        QFETCH(QString, rifiuto);
        preparazione(*telefono);
        EsitoAT avuto{};
        QCOMPARE(invia(comando, avuto), attesa);
        QCOMPARE(avuto, esito);
        QCOMPARE(UltimoRifiuto(), rifiuto);
        QVERIFY(LineaLibera);
        // Whatever came with it, the next command gets its own reply.
        QCOMPARE(invia("AT+CIMI", avuto), QStringLiteral("222010000000001"));
        QCOMPARE(avuto, EsitoAT::Ok);
    }

    void motivoDelRifiuto_data()
    {
        QTest::addColumn<QString>("riga");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("a code 27.007 names") << "+CME ERROR: 12" << Msg(852);
        QTest::newRow("a blank before the code") << "+CME ERROR:  10" << Msg(844);
        QTest::newRow("the phone's own code") << "+CME ERROR: 515"
                                              << "+CME ERROR: 515";
        QTest::newRow("a code in words") << "+CME ERROR: SIM busy"
                                         << "+CME ERROR: SIM busy";
        QTest::newRow("no code") << "ERROR"
                                 << "ERROR";
    }

    void motivoDelRifiuto()
    {
        QFETCH(QString, riga);
        QFETCH(QString, motivo);
        QCOMPARE(MotivoRifiuto(riga), motivo);
    }

    // The set a phone that will not switch says it speaks, however it writes it; any other set,
    // or a reply that names none, is one the program does not know.
    void setDelTelefono_data()
    {
        QTest::addColumn<QString>("corpo");
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("nome");
        const int ignoto = int(SetCaratteri::Ignoto);
        QTest::newRow("quoted") << "+CSCS: \"IRA\"" << int(SetCaratteri::IRA) << "IRA";
        QTest::newRow("bare, lower case") << "+CSCS: utf-8" << int(SetCaratteri::UTF8) << "utf-8";
        QTest::newRow("no blank, after another line")
            << "RING\r\n+CSCS:\"8859-1\"" << int(SetCaratteri::Latin1) << "8859-1";
        QTest::newRow("in UCS2 hex")
            << "+CSCS: \"0055004300530032\"" << int(SetCaratteri::UCS2) << "UCS2";
        QTest::newRow("another set") << "+CSCS: \"PCCP437\"" << ignoto << "PCCP437";
        QTest::newRow("HEX in UCS2 hex") << "+CSCS: \"004800450058\"" << ignoto << "HEX";
        QTest::newRow("UTF8, as modules spell it")
            << "+CSCS: \"UTF8\"" << int(SetCaratteri::UTF8) << "UTF8";
        QTest::newRow("LF line ends")
            << "RING\n+CSCS: \"IRA\"\n\nOK" << int(SetCaratteri::IRA) << "IRA";
        QTest::newRow("a tab after the colon")
            << "+CSCS:\t\"UCS2\"" << int(SetCaratteri::UCS2) << "UCS2";
        QTest::newRow("no blank line before OK")
            << "+CSCS: \"8859-1\"\r\nOK" << int(SetCaratteri::Latin1) << "8859-1";
        QTest::newRow("a name cut short") << "+CSCS: \"IR" << ignoto << "";
        QTest::newRow("a quote in UCS2 hex") << "+CSCS: \"0055004300530022\"" << ignoto << "";
        QTest::newRow("no set") << "+CSCS: " << ignoto << "";
        QTest::newRow("bare OK") << "\r\nOK\r\n" << ignoto << "";
        QTest::newRow("refused") << "ERRORE" << ignoto << "";
    }

    void setDelTelefono()
    {
        QFETCH(QString, corpo);
        QFETCH(int, set);
        QFETCH(QString, nome);
        QString dato = QStringLiteral("(none)");
        QCOMPARE(int(SetDaRisposta(corpo, &dato)), set);
        QCOMPARE(dato, nome);
    }

    void secondoComandoRifiutato()
    {
        telefono->setReplyDelay(1000);
        QString secondo;
        EsitoAT esitoSecondo{};
        QTimer::singleShot(30, [&] { secondo = InviaComandoAT("AT+CGSN", &esitoSecondo); });
        EsitoAT esito{};
        QCOMPARE(invia("AT+CGMR", esito), QStringLiteral("21"));
        QCOMPARE(secondo, QStringLiteral("ERRORE"));
        QCOMPARE(esitoSecondo, EsitoAT::LineaOccupata);
        QCOMPARE(telefono->commandLog(), QStringList{"AT+CGMR"});
    }

    void scadenzaPoiComandoPulito()
    {
        // Margins wide enough for a slow machine: the bound runs out well before the reply, and
        // the line is not taken for quiet before the late reply has come.
        TempiLink.attesaMs = 400;
        TempiLink.quieteMs = 2000;
        telefono->setReplyDelay(1000);
        EsitoAT esito{};
        QCOMPARE(invia("AT+CGMR", esito), QStringLiteral("ERRORE"));
        QCOMPARE(esito, EsitoAT::Scaduto);
        QVERIFY(LineaLibera);
        QVERIFY(TelefonoMuto());
        // The rest of the operation is not sent: it could only wait as long again.
        QCOMPARE(invia("AT+CGSN", esito), QStringLiteral("ERRORE"));
        QCOMPARE(esito, EsitoAT::Scaduto);
        QCOMPARE(telefono->commandLog(), QStringList{"AT+CGMR"});
        // Back at the event loop the operation has ended, and the user is told once.
        QTRY_VERIFY(!TelefonoMuto());
        QCOMPARE(testiBox(), QStringList{Msg(795)});
        telefono->setReplyDelay(0);
        // The late "21" is not taken for this command's reply.
        QCOMPARE(invia("AT+CGSN", esito), QStringLiteral("350000000000017"));
        QCOMPARE(esito, EsitoAT::Ok);
    }

    // A report of the operation's own, given after the bound ran out, is the one message.
    void resocontoProprioBasta()
    {
        TempiLink.attesaMs = 200;
        telefono->setMuted(true);
        EsitoAT esito{};
        invia("AT+CGMR", esito);
        QCOMPARE(esito, EsitoAT::Scaduto);
        MsgBox(QStringLiteral("Unable to read"), QMessageBox::Critical);
        QTRY_VERIFY(!TelefonoMuto());
        QTest::qWait(100);
        QCOMPARE(testiBox(), QStringList{"Unable to read"});
        // A question is no report.
        invia("AT+CGMR", esito);
        MsgBox(QStringLiteral("Retry?"), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No);
        QTRY_COMPARE(testiBox().size(), 3);
        QCOMPARE(testiBox().last(), Msg(795));
    }

    // Only a box that tells of a failure is the operation's own report: one that tells of what
    // went well before the phone fell silent leaves the user to be told that it did not answer.
    void soloUnFallimentoEResoconto_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<int>("icona");
        QTest::addColumn<bool>("fallimento");
        QTest::addColumn<bool>("resoconto");
        QTest::newRow("critical") << "Not sent" << int(QMessageBox::Critical) << false << true;
        QTest::newRow("warning") << "Not saved" << int(QMessageBox::Warning) << false << true;
        QTest::newRow("information") << "Sent" << int(QMessageBox::Information) << false << false;
        QTest::newRow("no icon") << "Saved" << int(QMessageBox::NoIcon) << false << false;
        QTest::newRow("failure with the information icon")
            << "Error" << int(QMessageBox::Information) << true << true;
    }

    void soloUnFallimentoEResoconto()
    {
        QFETCH(QString, testo);
        QFETCH(int, icona);
        QFETCH(bool, fallimento);
        QFETCH(bool, resoconto);
        TempiLink.attesaMs = 200;
        telefono->setMuted(true);
        EsitoAT esito{};
        invia("AT+CGMR", esito);
        QCOMPARE(esito, EsitoAT::Scaduto);
        const auto tipo = static_cast<QMessageBox::Icon>(icona);
        if (fallimento)
            MsgBoxFallimento(testo, tipo);
        else
            MsgBox(testo, tipo);
        QTRY_VERIFY(!TelefonoMuto());
        QTest::qWait(100);
        QStringList attesi{testo};
        if (!resoconto)
            attesi << Msg(795);
        QCOMPARE(testiBox(), attesi);
    }

    // Nothing is told while the wait window is up: the window closes first.
    void avvisoDopoLaFinestraDiAttesa()
    {
        TempiLink.attesaMs = 200;
        telefono->setMuted(true);
        MostraAttesa("kaboom", false);
        EsitoAT esito{};
        invia("AT+CGMR", esito);
        QTest::qWait(300);
        QVERIFY(utente->boxes.isEmpty());
        QVERIFY(TelefonoMuto());
        // A line error meanwhile is kept back too.
        AvvisaDopoOperazione(QStringLiteral("Line lost"), QMessageBox::NoIcon);
        QTest::qWait(100);
        QVERIFY(utente->boxes.isEmpty());
        NascondiAttesa();
        QCOMPARE(testiBox(), QStringList{"Line lost"});
        QTRY_VERIFY(!TelefonoMuto());
        QTest::qWait(100);
        QCOMPARE(testiBox(), QStringList{"Line lost"});
    }

    void portaChiusaNonScriveNulla()
    {
        porta->Close();
        EsitoAT esito{};
        QCOMPARE(invia("AT+CGMR", esito), QString());
        QCOMPARE(esito, EsitoAT::PortaChiusa);
        QVERIFY(LineaLibera);
        QTest::qWait(50);
        QVERIFY(telefono->commandLog().isEmpty());
    }

    void nonConnessoScriveESiFerma()
    {
        Connesso = false;
        EsitoAT esito{};
        QCOMPARE(invia("AT+CGMR", esito), QString());
        QCOMPARE(esito, EsitoAT::LinkCaduto);
        QVERIFY(telefono->waitForCommands(1, 3000));
        QCOMPARE(telefono->commandLog(), QStringList{"AT+CGMR"});
        // Its late reply is not the next command's.
        Connesso = true;
        QCOMPARE(invia("AT+CGSN", esito), QStringLiteral("350000000000017"));
    }

    void datiAbbandonatiEsconoConEsc()
    {
        EsitoAT esito{};
        QCOMPARE(invia("AT+CMGS=140", esito), QStringLiteral(">"));
        QCOMPARE(invia("AT+CGMR", esito), QStringLiteral("21"));
        QCOMPARE(telefono->commandLog(), (QStringList{"AT+CMGS=140", Esc, "AT+CGMR"}));
    }

    void annullaInAttesaDelPromptEsceConEsc()
    {
        TempiLink.quieteMs = 2000;
        telefono->setReplyDelay(1000);
        QTimer::singleShot(30, [] {
            Annulla = true;
            RisvegliaAttesa();
        });
        EsitoAT esito{};
        QCOMPARE(invia("AT+CMGS=140", esito), QStringLiteral("ERRORE"));
        QCOMPARE(esito, EsitoAT::Annullato);
        telefono->setReplyDelay(0);
        // The prompt that arrives late is left with ESC before the next command.
        QCOMPARE(invia("AT+CGMR", esito), QStringLiteral("21"));
        QCOMPARE(telefono->commandLog(), (QStringList{"AT+CMGS=140", Esc, "AT+CGMR"}));
    }

    void promptGiuntoALineaFermaEsceConEsc()
    {
        telefono->setReplyDelay(1000);
        QTimer::singleShot(30, [] {
            Annulla = true;
            RisvegliaAttesa();
        });
        EsitoAT esito{};
        QCOMPARE(invia("AT+CMGS=140", esito), QStringLiteral("ERRORE"));
        // The phone is taken out of data mode at once; its prompt arrives while no command
        // waits.
        QTRY_COMPARE_WITH_TIMEOUT(telefono->commandLog().size(), 2, 3000);
        QTest::qWait(1500);
        telefono->setReplyDelay(0);
        QCOMPARE(invia("AT+CGMR", esito), QStringLiteral("21"));
        QCOMPARE(telefono->commandLog(), (QStringList{"AT+CMGS=140", Esc, "AT+CGMR"}));
    }

    void promptPersoEsceConEsc_data()
    {
        QTest::addColumn<QString>("comando");
        QTest::newRow("message to send") << "AT+CMGS=140";
        QTest::newRow("message to store") << "AT+CMGW=23";
        QTest::newRow("block of an object") << "AT^SBNW=\"bmp\",0,1,1";
    }

    // The phone took the command and waits for data, but its prompt never reached the line: the
    // wait ends at its bound, and the phone is taken out of data mode at once.
    void promptPersoEsceConEsc()
    {
        QFETCH(QString, comando);
        TempiLink.attesaMs = 400;
        telefono->dropNextReply();
        EsitoAT esito{};
        QCOMPARE(invia(comando, esito), QStringLiteral("ERRORE"));
        QCOMPARE(esito, EsitoAT::Scaduto);
        QTRY_VERIFY(!TelefonoMuto());
        QCOMPARE(testiBox(), QStringList{Msg(795)});
        QCOMPARE(invia("AT+CGMR", esito), QStringLiteral("21"));
        QCOMPARE(esito, EsitoAT::Ok);
        QCOMPARE(telefono->commandLog(), (QStringList{comando, Esc, "AT+CGMR"}));
    }

    void datiChiusiDaCtrlZ()
    {
        EsitoAT esito{};
        QCOMPARE(invia("AT+CMGW=23", esito), QStringLiteral(">"));
        const QString pdu = "0011000B919333123456F70000AA05C8329BFD06";
        const QString risposta = invia(pdu + QChar(26), esito);
        QCOMPARE(esito, EsitoAT::Ok);
        QVERIFY2(risposta.startsWith("+CMGW: "), qPrintable(risposta));
        QCOMPARE(telefono->commandLog().last(), pdu + QChar(26));
    }

    void annullaDallaFinestraDiAttesa()
    {
        QWidget principale;
        RegistraFinestraDialogo(0, &principale);
        DialogoAperto = 0;
        telefono->setReplyDelay(1000);
        MostraAttesa("kaboom", true);
        QVERIFY(!principale.isEnabled());
        QPushButton* annulla = FinestraAttesa()->pAnnulla;
        QVERIFY(annulla->isVisible() && annulla->isEnabled());
        QTimer::singleShot(30, [annulla] { QTest::mouseClick(annulla, Qt::LeftButton); });
        EsitoAT esito{};
        QCOMPARE(invia("AT+CGMR", esito), QStringLiteral("ERRORE"));
        QCOMPARE(esito, EsitoAT::Annullato);
        NascondiAttesa();
        QVERIFY(principale.isEnabled());
        QVERIFY(!FinestraAttesa());
        RegistraFinestraDialogo(0, nullptr);
    }

    void finestraDaDisabilitare_data()
    {
        QTest::addColumn<int>("codice");
        QTest::addColumn<bool>("disabilitata");
        QTest::newRow("main window") << 0 << true;
        QTest::newRow("phonebook entry dialog") << 2 << true;
        QTest::newRow("printing") << 4 << false;
        QTest::newRow("call forwarding") << 5 << false;
    }

    void finestraDaDisabilitare()
    {
        QFETCH(int, codice);
        QFETCH(bool, disabilitata);
        QWidget dialogo;
        RegistraFinestraDialogo(static_cast<uint8_t>(codice), &dialogo);
        DialogoAperto = static_cast<uint8_t>(codice);
        MostraAttesa("kaboom", false);
        QCOMPARE(dialogo.isEnabled(), !disabilitata);
        QVERIFY(!FinestraAttesa()->pAnnulla->isVisible());
        QCOMPARE(FinestraAttesa()->labCosa->text(), Msg(364));
        NascondiAttesa();
        QVERIFY(dialogo.isEnabled());
        DialogoAperto = 0;
        RegistraFinestraDialogo(static_cast<uint8_t>(codice), nullptr);
    }

    void animazioneELuce()
    {
        MostraAttesa("Reading", false);
        frmWait* attesa = FinestraAttesa();
        QCOMPARE(attesa->labCosa->text(), QStringLiteral("Reading"));
        attesa->Timer1.stop();
        QList<int> fotogrammi;
        for (int i = 0; i < 11; ++i) {
            attesa->Timer1_Timer();
            fotogrammi << attesa->picAnim->Fotogramma();
        }
        QCOMPARE(fotogrammi, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1}));
        const QColor prima = attesa->ColoreLuce();
        SegnalaRicezioneAttesa();
        const QColor dopo = attesa->ColoreLuce();
        QTest::qWait(frmWait::IntervalloLuceMs * 2);
        SegnalaRicezioneAttesa();
        QVERIFY(prima != dopo);
        QCOMPARE(attesa->ColoreLuce(), prima);
        NascondiAttesa();
    }

    void incrementaSiFermaAlMassimo()
    {
        int16_t n = 32766;
        Incrementa(n);
        QCOMPARE(n, int16_t(32767));
        Incrementa(n);
        QCOMPARE(n, int16_t(32767));
        uint8_t b = 254;
        Incrementa(b);
        Incrementa(b);
        QCOMPARE(b, uint8_t(255));
    }
};

QTEST_MAIN(TstScambio)
#include "tst_scambio.moc"
