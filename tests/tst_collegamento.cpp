// The phone link end to end: the main window's link against the simulated phone on a
// pseudo-terminal, with shortened intervals.

#include "banco.h"
#include "catalogo.h"
#include "collegamento.h"
#include "fileinteri.h"
#include "filerubrica.h"
#include "frmmain.h"
#include "globali.h"
#include "immagini.h"
#include "impostazioni_telefono.h"
#include "letturasms.h"
#include "letture.h"
#include "listareport.h"
#include "rubrica.h"
#include "s25simulator.h"
#include "scambiorubrica.h"
#include "statobase.h"
#include "statotelefono.h"
#include "tempi.h"

#include <QAction>
#include <QLabel>
#include <QTreeWidget>
#include <QtTest>

namespace {

class MessaggiFinti : public FunzioniMessaggi {
public:
    QStringList chiamate;
    void LeggiTuttiSMS() override { chiamate << QStringLiteral("LeggiTuttiSMS"); }
    void LeggiSMS(uint8_t& k) override { chiamate << QStringLiteral("LeggiSMS %1").arg(k); }
    void ShowSMS(uint8_t& c) override { chiamate << QStringLiteral("ShowSMS %1").arg(c); }
    void ShowSMSTxt(uint8_t& k) override { chiamate << QStringLiteral("ShowSMSTxt %1").arg(k); }
};

s25sim::PhoneState StatoDiProva()
{
    s25sim::PhoneState stato = s25sim::defaultPhoneState();
    stato.network.operators = {{"22201", "I TIM"}, {"22210", "Vodafone IT"}};
    return stato;
}

// From +39333123456 on 04/12/01 12:34: "Hello".
const QByteArray Ciao = "0791933395066900040B919333133254F600001021402143050005C8329BFD06";

struct Riga {
    QString testo, valore;
    int immagine;
};

bool StessaImmagine(const QIcon& icona, int numero)
{
    if (numero == 0)
        return icona.isNull();
    return icona.pixmap(16).toImage() == ImmagineLista(numero).pixmap(16).toImage();
}

} // namespace

class TstCollegamento : public QObject, private Banco {
    Q_OBJECT

    MessaggiFinti* messaggi = nullptr;

    void verificaRighe(const QList<Riga>& attese)
    {
        QCOMPARE(finestra->List1->topLevelItemCount(), attese.size());
        for (int i = 0; i < attese.size(); ++i) {
            const QTreeWidgetItem* riga = finestra->List1->topLevelItem(i);
            QCOMPARE(riga->text(0), attese[i].testo);
            QCOMPARE(ListaReport::SottoVoce(riga, 1), attese[i].valore);
            QVERIFY2(StessaImmagine(riga->icon(0), attese[i].immagine),
                     qPrintable(QStringLiteral("row %1").arg(i)));
        }
    }

private slots:
    // The rows' texts are the language's from the start, whichever row runs first.
    void initTestCase()
    {
        QVERIFY(CatalogoMessaggi::Carica());
        StatoDiPartenza();
    }

    void init()
    {
        StatoDiPartenza();
        apri();
        auto finti = std::make_unique<MessaggiFinti>();
        messaggi = finti.get();
        finestra->messaggi = std::move(finti);
        finestra->impostazioni = std::make_unique<ImpostazioniTelefono>(*finestra);
        monta<Rubrica>(&frmMain::rubrica);
        finestra->Form_Load();
    }

    void cleanup() { chiudi(); }

    void handshakeLeggeIdentitaEStato()
    {
        accendi(StatoDiProva());
        connetti(Controllo::ComandiEsatti);
        QVERIFY(Connesso);
        QVERIFY(!collegamento->TimerOUT.isActive());
        QCOMPARE(finestra->S25Tree->topLevelItem(0)->text(0), QStringLiteral("ARDESIA S25"));
        QVERIFY(Telefono.InfoLetta);
        QCOMPARE(Telefono.IMEI, QStringLiteral("350000000000017"));
        // The whole ICCID, last digit included.
        QCOMPARE(Telefono.CodiceSIM, QStringLiteral("89390100001234567890"));
        QCOMPARE(Telefono.LunghezzaCodici[2], uint8_t(8)); // SC
        QCOMPARE(Telefono.LunghezzaCodici[9], uint8_t(4)); // AB
        verificaRighe(
            {{Msg(83), "21", 1}, {Msg(84), "350000000000017", 1}, {Msg(85), "222010000000001", 1}});
        QTRY_COMPARE_WITH_TIMEOUT(finestra->SBar[1]->text(), Msg(88) + "1", Pazienza);
        QVERIFY(!finestra->mnuTConn->isEnabled());
        QVERIFY(finestra->mnuTDisc->isEnabled());
        QVERIFY(finestra->Toolbar1[2]->isEnabled());
        QCOMPARE(finestra->Toolbar1[2]->toolTip(), Msg(90));
        QVERIFY(risposte->boxes.isEmpty());
    }

    // A phone another program left in another character set, or in text mode, is put back in
    // the program's modes on connecting: names and messages read as the phone holds them, and a
    // name written reads back as written. One that will not switch is asked which set or mode it
    // keeps, and names go and come in that set, so that the view and the phonebook file hold what
    // the phone holds; one that knows neither command speaks as the program does. In a set the
    // program does not know, the user is told once, the names show as unknown, none is written,
    // and the phonebook file keeps what it held; in text mode, the user is told once.
    // The phone's name holds an omega, which the phonebook file lacks: after each read the
    // automatic save names it once. A phone in IRA or 8859-1 gives "?" for it, and Put Phonebook
    // first asks to leave that name as the phone holds it.
    void telefonoInAltriModi_data()
    {
        QTest::addColumn<QByteArray>("modem");
        QTest::addColumn<QString>("rifiuti"); // the commands the phone refuses
        QTest::addColumn<QString>("letto");   // the name the phone holds, as read; none, unknown
        QTest::addColumn<QString>("scritto"); // the name written to position 4
        QTest::addColumn<QString>("tenuto");  // what the phone then holds there
        QTest::addColumn<QString>("avviso");  // what the user is told on connecting
        const QString nome = QStringLiteral("Mail@Home_$1Ω");
        const QString sostituito = QStringLiteral("Mail@Home_$1?");
        // "É" goes in UTF-8 as C3 89, a byte Windows-1252 has for another character.
        const QString nuovo = QStringLiteral("Jo@x_è$É");
        const QString ascii = QStringLiteral("Jo@x_$~");
        const QString cambi = QStringLiteral("^AT\\+(CMGF|CSCS)=");
        QTest::newRow("IRA") << QByteArray("charset = IRA") << QString() << nome << nuovo << nuovo
                             << QString();
        QTest::newRow("UCS2") << QByteArray("charset = UCS2") << QString() << nome << nuovo << nuovo
                              << QString();
        QTest::newRow("UTF-8") << QByteArray("charset = UTF-8") << QString() << nome << nuovo
                               << nuovo << QString();
        QTest::newRow("text mode")
            << QByteArray("message_format = 1") << QString() << nome << nuovo << nuovo << QString();
        QTest::newRow("refusing to switch")
            << QByteArray() << cambi << nome << nuovo << nuovo << QString();
        QTest::newRow("IRA, refusing")
            << QByteArray("charset = IRA") << cambi << sostituito << ascii << ascii << QString();
        QTest::newRow("UCS2, refusing")
            << QByteArray("charset = UCS2") << cambi << nome << nuovo << nuovo << QString();
        QTest::newRow("8859-1, refusing")
            << QByteArray("charset = 8859-1") << cambi << sostituito << nuovo << nuovo << QString();
        QTest::newRow("UTF-8, refusing")
            << QByteArray("charset = UTF-8") << cambi << nome << nuovo << nuovo << QString();
        QTest::newRow("HEX, refusing") << QByteArray("charset = HEX") << cambi << QString() << nuovo
                                       << QString() << Msg(883) + "\"HEX\"";
        QTest::newRow("no character set command")
            << QByteArray() << QStringLiteral("^AT\\+CSCS") << nome << nuovo << nuovo << QString();
        QTest::newRow("no message format command")
            << QByteArray() << QStringLiteral("^AT\\+CMGF") << nome << nuovo << nuovo << QString();
        QTest::newRow("text mode, refusing")
            << QByteArray("message_format = 1") << QStringLiteral("^AT\\+CMGF=") << nome << nuovo
            << nuovo << Msg(920);
    }

    void telefonoInAltriModi()
    {
        QFETCH(QByteArray, modem);
        QFETCH(QString, rifiuti);
        QFETCH(QString, letto);
        QFETCH(QString, scritto);
        QFETCH(QString, tenuto);
        QFETCH(QString, avviso);
        const bool noto = !tenuto.isEmpty();
        // The phonebook file kept from an earlier connection.
        Opzioni.AutoSaveRub = 1;
        Telefono.RubTotale[0] = 10;
        Telefono.Rubrica[0][6] = {"6", "Casa", "0633", false};
        const QByteArray prima = BytesFileRubrica();
        QVERIFY(ScriviFileIntero(Rubrica::FileRubricaPredefinito(), prima));
        Telefono = DatiTelefono{};

        accendi("[modem]\n" + modem + "\n[phonebook SM]\ntotal = 10\n6 | 0633 | Mail@Home_$1Ω\n"
                + "[messages]\n1 | 1 | " + Ciao + "\n");
        // A mode the phone will not switch to is asked after.
        const QRegularExpression rifiuto(rifiuti);
        QStringList attesi = Handshake;
        for (const auto& [cambio, domanda] :
             {std::pair{"AT+CMGF=0", "AT+CMGF?"}, std::pair{"AT+CSCS=\"GSM\"", "AT+CSCS?"}})
            if (!rifiuti.isEmpty() && rifiuto.match(QString(cambio)).hasMatch())
                attesi.insert(attesi.indexOf(cambio) + 1, domanda);
        if (!rifiuti.isEmpty())
            telefono->failCommandsMatching(rifiuto);
        connetti(Controllo::ComandiEsatti, attesi);
        QVERIFY(Telefono.InfoLetta);
        QCOMPARE(testiBox(), avviso.isEmpty() ? QStringList() : QStringList{avviso});
        risposte->boxes.clear();
        clic("RUB_SIM");
        QCOMPARE(righe(), QStringList{(noto ? letto : Msg(VoceSconosciuto)) + "|0633|006"});
        QCOMPARE(Contenuto(Rubrica::FileRubricaPredefinito()), noto ? BytesFileRubrica() : prima);
        // The file left as it was is told, as are the letters it lacks.
        QStringList avvisiLettura;
        if (!noto)
            avvisiLettura << Msg(896);
        else if (letto.contains(u'Ω'))
            avvisiLettura << Msg(940) + "\r\nSIM 6 " + letto + ": Ω";
        QCOMPARE(testiBox(), avvisiLettura);
        // Saved again without a read, the file tells no more.
        clic("RUB");
        QCOMPARE(testiBox().size(), avvisiLettura.size());
        telefono->clearCommandLog();
        QCOMPARE(ScriviVoceRubrica(0, "4", scritto, "0622"), noto);
        QCOMPARE(telefono->state().readableName("SM", 4), tenuto);
        QCOMPARE(telefono->commandLog().filter("AT+CPBW").isEmpty(), !noto);
        // Put Phonebook too writes no name in a set the program does not know, and leaves a
        // name the phone read with "?" as the phone holds it.
        risposte->boxes.clear();
        if (letto.contains(u'?'))
            risposte->pulsantiDaPremere.enqueue(QMessageBox::Yes);
        finestra->rubrica->InviaRubrica();
        const QString sostituito = "SIM 6 " + letto + ": " + Msg(944);
        const QStringList chiesto{Msg(890) + "\r\n" + sostituito + "\r\n" + Msg(891),
                                  Msg(892) + "\r\n" + sostituito + "\r\n" + Msg(893)};
        QCOMPARE(testiBox(), !noto                  ? QStringList{Msg(884)}
                             : letto.contains(u'?') ? chiesto
                                                    : QStringList());
        QCOMPARE(telefono->state().readableName("SM", 6), QStringLiteral("Mail@Home_$1Ω"));
        QCOMPARE(telefono->commandLog().filter("AT+CPBW").isEmpty(), !noto);
        // A phone left in text mode gives no PDU to read, as the user was told.
        LeggiTuttiSMS();
        QCOMPARE(Telefono.SMS[1].Testo, avviso == Msg(920) ? QString() : QStringLiteral("Hello"));
    }

    // A view read after Connect but before the handshake has asked the phone's character set
    // shows the names as unknown; once the set is known, the view reads them again.
    void nomiLettiPrimaDelSet()
    {
        TempiLink.identitaMs = Pazienza;
        accendi("[phonebook SM]\ntotal = 10\n6 | 0633 | Mail@Home_$1\n");
        collegamento->Connetti();
        QTRY_VERIFY_WITH_TIMEOUT(Connesso && LineaLibera, Pazienza);
        clic("RUB_SIM");
        QCOMPARE(righe(), QStringList{Msg(VoceSconosciuto) + "|0633|006"});
        collegamento->TimerGetT.start(0);
        QTRY_VERIFY_WITH_TIMEOUT(telefono->commandLog().endsWith(Handshake.last()) && LineaLibera,
                                 Pazienza);
        clic("RUB_SIM");
        QCOMPARE(righe(), QStringList{"Mail@Home_$1|0633|006"});
    }

    void telefonoCheRispondeTardiHaIlSuoHandshake()
    {
        s25sim::PhoneState stato = StatoDiProva();
        stato.modem.echo = false;
        accendi(stato);
        // The first answer comes after the identity step's time, and later than a loaded
        // machine's slowest first answer seen under the whole suite (nearly 200 ms on two cores).
        telefono->setReplyDelay(400);
        s25sim::S25Simulator* sim = telefono.get();
        telefono->setCommandObserver([sim](const QString&) { sim->setReplyDelay(0); });
        collegamento->Connetti();
        QTRY_VERIFY_WITH_TIMEOUT(telefono->commandLog().size() == Handshake.size() && LineaLibera,
                                 Pazienza);
        QCOMPARE(telefono->commandLog(), Handshake);
        QCOMPARE(finestra->S25Tree->topLevelItem(0)->text(0), QStringLiteral("ARDESIA S25"));
        QVERIFY(risposte->boxes.isEmpty());
    }

    void identitaSuPiuRigheChiestaTreVolte()
    {
        s25sim::PhoneState stato = StatoDiProva();
        stato.identity.manufacturer = "ARDESIA\r\nAG";
        accendi(stato);
        collegamento->Connetti();
        QTRY_VERIFY_WITH_TIMEOUT(
            telefono->commandLog().contains("AT+CNMI=0,0,0,0,1") && LineaLibera, Pazienza);
        QCOMPARE(telefono->commandLog().count("AT+CGMI"), GiriIdentitaMassimi);
        QCOMPARE(telefono->commandLog().count("AT+CGMM"), GiriIdentitaMassimi);
        QCOMPARE(Telefono.Produttore, QStringLiteral("ARDESIA"));
        QCOMPARE(finestra->S25Tree->topLevelItem(0)->text(0), QStringLiteral("ARDESIA S25"));
    }

    void telefonoMutoChiudeLaPortaUnaVolta()
    {
        accendi(StatoDiProva());
        telefono->setMuted(true);
        // A phone that never answers needs no room for a slow one.
        TempiLink.tentativiMassimi = 10;
        collegamento->Connetti();
        QTRY_COMPARE_WITH_TIMEOUT(risposte->boxes.size(), 1, Pazienza);
        QCOMPARE(risposte->boxes[0].testo, Msg(101));
        QCOMPARE(risposte->boxes[0].icona, QMessageBox::Critical);
        QVERIFY(!collegamento->PortOpen());
        QVERIFY(!Connesso);
        QVERIFY(!collegamento->TimerOUT.isActive());
        QVERIFY(!collegamento->TimerEcho.isActive());
        QVERIFY(!collegamento->TimerGetT.isActive());
        QCOMPARE(collegamento->Tentativi, int16_t(TempiLink.tentativiMassimi + 1));
        QTRY_COMPARE_WITH_TIMEOUT(finestra->SBar[1]->text(), Msg(79), Pazienza);
        QTest::qWait(10 * TempiLink.timeoutMs);
        QCOMPARE(risposte->boxes.size(), 1);
        QCOMPARE(telefono->commandLog(), QStringList{"ATE0"});
        QVERIFY(!finestra->LedLibero[0]->isVisible() && !finestra->LedLibero[1]->isVisible());
    }

    void portaAssenteMostraIlTestoDelSistema()
    {
        qputenv("QUORNA_COM1", "/nonexistent/tty");
        collegamento->Connetti();
        QCOMPARE(risposte->boxes.size(), 1);
        QCOMPARE(risposte->boxes[0].icona, QMessageBox::Warning);
        QVERIFY(!risposte->boxes[0].testo.isEmpty());
        QVERIFY(!collegamento->TimerOUT.isActive() && !collegamento->TimerEcho.isActive());
    }

    void riagganciaDuranteLaRisposta()
    {
        accendi(StatoDiProva());
        connetti(Controllo::ComandiEsatti);
        telefono->hangUpDuringNextReply(5);
        collegamento->ShowRete(0);
        QCOMPARE(risposte->boxes.size(), 1);
        QCOMPARE(risposte->boxes[0].testo, Msg(27) + ": " + Msg(841) + "\r\n" + Msg(79));
        QVERIFY(!Connesso);
        QVERIFY(!collegamento->PortOpen());
        QVERIFY(!Telefono.ReteLetta);
        QVERIFY(!Telefono.OperatoriLetti);
        QCOMPARE(telefono->commandLog(), QStringList{"AT+CREG?"});
        // Offline and never read: the one "Unavailable" row.
        verificaRighe({{Msg(82), QString(), 27}});
        QTest::qWait(5 * TempiLink.statoMs);
        QCOMPARE(risposte->boxes.size(), 1);
    }

    void vistePotenzaERete()
    {
        accendi(StatoDiProva());
        connetti(Controllo::ComandiEsatti);
        collegamento->ShowAlim();
        verificaRighe({{Msg(91), StatiAlim[0], 18}, {Msg(92), "80%", 25}});
        collegamento->ShowRete(0);
        QCOMPARE(telefono->commandLog(), (QStringList{"AT+CBC", "AT+CREG?", "AT+COPS=3,2",
                                                      "AT+COPS?", "AT+CSQ", "AT+COPN"}));
        verificaRighe({{Msg(93), StatiRete[1], 58},
                       {Msg(94), "I TIM", 0},
                       {Msg(95), "89390100001234567890", 0},
                       {Msg(96), "1A2B", 0},
                       {Msg(69), "3C4D", 0},
                       {Msg(97), "-83 dBm", 66},
                       {Msg(98), Msg(343), 0}});
        QVERIFY(finestra->Pulsante("pSelRete")->isEnabled());
        QCOMPARE(finestra->ChiaveSelezionata(), QStringLiteral("RETE"));
        // Offline, what was read stays on show.
        collegamento->ChiudiPorta();
        QTRY_VERIFY_WITH_TIMEOUT(!Connesso, Pazienza);
        collegamento->ShowAlim();
        QCOMPARE(finestra->List1->topLevelItemCount(), 2);
        QVERIFY(finestra->Pulsante("pAggiorna")->isEnabled());
    }

    void reteNonLettaFuoriLinea()
    {
        collegamento->ShowRete(0);
        verificaRighe({{Msg(82), QString(), 27}});
        QCOMPARE(finestra->List1->columnCount(), 1);
        QAction* pAggiorna = finestra->Pulsante("pAggiorna");
        QAction* pSelRete = finestra->Pulsante("pSelRete");
        QVERIFY(pAggiorna->isVisible() && !pAggiorna->isEnabled());
        QVERIFY(pSelRete->isVisible() && !pSelRete->isEnabled());
    }

    void nuovoMessaggioChiestoALineaLibera()
    {
        accendi(StatoDiProva());
        connetti(Controllo::ComandiEsatti);
        QVERIFY(collegamento->ImpostaNotificaSMS(true));
        risposte->pulsantiDaPremere.enqueue(QMessageBox::Yes);
        const int posizione = telefono->deliverMessage("0004"
                                                       "0B919333123456F7"
                                                       "0000"
                                                       "99309251619580"
                                                       "05C8329BFD06");
        QVERIFY(posizione > 0);
        QTRY_COMPARE_WITH_TIMEOUT(risposte->boxes.size(), 1, Pazienza);
        QCOMPARE(risposte->boxes[0].titolo, Msg(76));
        QCOMPARE(risposte->boxes[0].testo, Msg(74) + "\r\n" + Msg(75));
        QCOMPARE(messaggi->chiamate, (QStringList{"LeggiTuttiSMS", "ShowSMS 0",
                                                  QStringLiteral("ShowSMSTxt %1").arg(posizione)}));
    }

    void nuovoMessaggioDuranteUnComandoAttende()
    {
        accendi(StatoDiProva());
        connetti(Controllo::ComandiEsatti);
        // The indication comes while the reply is held back, however slow the machine is.
        telefono->setReplyDelay(1000);
        QTimer::singleShot(40, [this] { telefono->injectUnsolicited("+CMTI: \"SM\",3"); });
        collegamento->ShowAlim();
        // The reply is whole and the question waits for the line.
        QVERIFY(Telefono.AlimLetta);
        QCOMPARE(Telefono.LivelloBatteria, QStringLiteral("80%"));
        QVERIFY(risposte->boxes.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(risposte->boxes.size(), 1, Pazienza);
        QVERIFY(collegamento->IndicazioniInAttesa().isEmpty());
        QVERIFY(messaggi->chiamate.isEmpty()); // answered No
    }

    // An indication of a message the program does not list, in another memory or past the SIM
    // positions it reads, is told of, never read; one that names no position is dropped.
    void indicazioniNonElencate_data()
    {
        QTest::addColumn<QByteArray>("riga");
        QTest::addColumn<int>("voce"); // of the message, 0 for none
        QTest::addColumn<QString>("dove");
        QTest::newRow("another memory") << QByteArray("+CMTI: \"ME\",1") << 806 << "ME";
        QTest::newRow("SIM position 12") << QByteArray("+CMTI: \"SM\",12") << 910 << "12";
        QTest::newRow("position 0") << QByteArray("+CMTI: \"SM\",0") << 0 << "";
        QTest::newRow("no number") << QByteArray("+CMTI: \"SM\",x") << 0 << "";
    }

    void indicazioniNonElencate()
    {
        QFETCH(QByteArray, riga);
        QFETCH(int, voce);
        QFETCH(QString, dove);
        accendi(StatoDiProva());
        connetti(Controllo::ComandiEsatti);
        telefono->injectUnsolicited(riga);
        QTest::qWait(10 * TempiLink.statoMs);
        const QStringList avvisi = voce > 0 ? QStringList{Msg(voce) + dove} : QStringList();
        QTRY_COMPARE_WITH_TIMEOUT(testiBox(), avvisi, Pazienza);
        for (const RisposteFinte::Box& box : risposte->boxes)
            QCOMPARE(box.titolo, Msg(76));
        QVERIFY(collegamento->IndicazioniInAttesa().isEmpty());
        QVERIFY(messaggi->chiamate.isEmpty());
        QVERIFY(telefono->commandLog().isEmpty());
    }

    void luceOccupataDuranteUnComando()
    {
        accendi(StatoDiProva());
        connetti(Controllo::ComandiEsatti);
        QTRY_VERIFY_WITH_TIMEOUT(finestra->LedLibero[0]->isVisible(), Pazienza);
        telefono->setReplyDelay(1000);
        bool occupata = false;
        QTimer::singleShot(60, [&] {
            occupata = finestra->LedLibero[1]->isVisible() && !finestra->LedLibero[0]->isVisible();
        });
        collegamento->ShowAlim();
        QVERIFY(occupata);
    }
};

QTEST_MAIN(TstCollegamento)
#include "tst_collegamento.moc"
