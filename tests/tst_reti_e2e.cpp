// The network and power views, the operator list and the network search end to end: the main
// window with the real link and phone settings against the simulated phone, which also answers
// as phones that no one here wrote do.

#include "banco.h"
#include "catalogo.h"
#include "globali.h"
#include "impostazioni_telefono.h"
#include "operatori.h"
#include "s25simulator.h"
#include "statobase.h"

#include <QFileInfo>
#include <QListWidget>
#include <QtTest>

#include <functional>

using s25sim::PhoneState;

class TstRetiE2E : public QObject, private Banco {
    Q_OBJECT

    // The value of the view's row with this caption.
    QString valore(int voce) const
    {
        for (const QString& riga : righe())
            if (riga.startsWith(Msg(voce) + QLatin1Char('|')))
                return riga.section(QLatin1Char('|'), 1);
        return QStringLiteral("(no row)");
    }

    // The rows of the networks in range: code and name, and the image of their status.
    QStringList retiTrovate() const
    {
        QStringList trovate;
        for (int i = 0; i < finestra->listaRetiDisp->count(); ++i) {
            const QListWidgetItem* riga = finestra->listaRetiDisp->item(i);
            trovate << riga->text() + "|" + riga->data(Qt::UserRole).toString();
        }
        return trovate;
    }

    // The rows of the known operators in the selection pane.
    QStringList operatoriNoti() const
    {
        QStringList noti;
        for (int i = 0; i < finestra->listaReti->count(); ++i)
            noti << finestra->listaReti->item(i)->text();
        return noti;
    }

    // The program starts again, as a user closing and reopening it: the operator list is
    // loaded from its file at start-up, and the phone is connected anew.
    void riavvia()
    {
        const s25sim::PhoneState stato = telefono->state();
        chiudi();
        StatoDiPartenza();
        Opzioni.AutoLoadOPsList = 1;
        apriCon<ImpostazioniTelefono>(&frmMain::impostazioni);
        accendi(stato);
        connetti();
    }

    // From now on the phone gives this operator list, and one network in range.
    void operatoriDalTelefono(const QByteArray& copn)
    {
        rispondiCon([copn](const QString& comando) -> QByteArray {
            if (comando == "AT+COPN")
                return copn;
            return "+COPS: (2,\"TIM\",,22201),,(0,1,2,3,4),(0,1,2)";
        });
    }

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }

    void init()
    {
        StatoDiPartenza();
        apriCon<ImpostazioniTelefono>(&frmMain::impostazioni);
    }

    void cleanup() { chiudi(); }

    // Numbers a phone sends outside their scales show as unknown, or are not taken, instead of
    // a level computed from them.
    void letturaFuoriScala()
    {
        accendi();
        telefono->changeState([](PhoneState& stato) {
            stato.network.registration = 7;
            stato.network.rssi = 1073741824;
            stato.network.ber = 17;
            stato.power.connection = 10;
            stato.power.level = 101;
        });
        connetti();
        clic(QStringLiteral("RETE"));
        QCOMPARE(valore(93), StatiRete[4]);
        QCOMPARE(valore(97), Msg(343));
        QCOMPARE(valore(98), Msg(343));
        clic(QStringLiteral("ALIM"));
        QCOMPARE(valore(91), Msg(343));
        QCOMPARE(valore(92), Msg(343));

        // Back on the scale, the next reading shows.
        telefono->changeState([](PhoneState& stato) {
            stato.network.registration = 1;
            stato.network.rssi = 15;
            stato.network.ber = 3;
            stato.power.connection = 1;
            stato.power.level = 100;
        });
        Telefono.ReteLetta = Telefono.AlimLetta = false;
        clic(QStringLiteral("RETE"));
        QCOMPARE(valore(93), StatiRete[1]);
        QCOMPARE(valore(97), QStringLiteral("-83 dBm"));
        QCOMPARE(valore(98), QStringLiteral("3"));
        clic(QStringLiteral("ALIM"));
        QCOMPARE(valore(91), StatiAlim[1]);
        QCOMPARE(valore(92), QStringLiteral("100%"));
    }

    // A six-digit code stays whole in the search; a phone that adds the access technology
    // after each code, or a comma inside a name, still has all its networks listed. Names come
    // in the GSM alphabet, where "@", "$", "_" and "è" are codes of their own.
    void ricercaPerCampi()
    {
        avvia(R"(
[operators]
22201 | TIM
22288 | Mail@Net_$è
[networks]
2 | 22201 | TIM
1 | 310260 | T-Mobile
1 | 22288 | Mail@Net_$è
)");
        finestra->impostazioni->ShowSelRete(1);
        QCOMPARE(telefono->commandLog(), (QStringList{"AT+COPN", "AT+COPS=?"}));
        QCOMPARE(retiTrovate(),
                 (QStringList{"22201 - TIM|58", "310260 - T-Mobile|57", "22288 - Mail@Net_$è|57"}));
        QCOMPARE(operatoriNoti(), (QStringList{"22201 - TIM", "22288 - Mail@Net_$è"}));

        rispondiCon([](const QString&) -> QByteArray {
            return "+COPS: (2,\"TIM\",\"TIM\",\"22201\",0),(1,\"T-Mobile\",\"TMO\",\"310260\",2),"
                   "(3,\"AT&T, Inc\",\"ATT\",\"310410\",7),,(0,1,2,3,4),(0,1,2)";
        });
        finestra->impostazioni->ShowSelRete(1);
        QCOMPARE(retiTrovate(),
                 (QStringList{"22201 - TIM|58", "310260 - T-Mobile|57", "310410 - AT&T, Inc|60"}));
        QVERIFY(risposte->boxes.isEmpty());
    }

    // Operator names come in the character set of a phone that will not switch to the GSM
    // alphabet, and operator codes too where it gives them in UCS2 hex: the list, the search and
    // the network view name the operator. In a set the program does not know, or when some names
    // of the list cannot be read, the list read before and its file stay (the user is told why,
    // once, when it is not the set), and the search shows the names as unknown. A name with
    // letters the file lacks is named when the file keeps "?" in their place.
    void nomiNelSetDelTelefono_data()
    {
        QTest::addColumn<QByteArray>("set");
        QTest::addColumn<QList<QByteArray>>("copn"); // the list the phone gives, when not its own
        QTest::addColumn<bool>("noto");
        QTest::addColumn<bool>("nuovi");   // the list read replaces the one before
        QTest::addColumn<bool>("perNome"); // the phone gives its operator by name, not by code
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QByteArray>("salvato"); // in the file
        const QList<QByteArray> propria;
        const QString nome = QStringLiteral("Mail@Net_$è");
        const QByteArray salvato("22288,Mail@Net_$\xE8\r\n");
        QTest::newRow("UCS2") << QByteArray("UCS2") << propria << true << true << false << nome
                              << salvato;
        QTest::newRow("UTF-8") << QByteArray("UTF-8") << propria << true << true << false << nome
                               << salvato;
        QTest::newRow("HEX") << QByteArray("HEX") << propria << false << false << false << nome
                             << QByteArray();
        QTest::newRow("UTF-8, a name not read")
            << QByteArray("UTF-8")
            << QList<QByteArray>{"+COPN: 22288,\"Mail@Net_$\xC3\xA8\"", "+COPN: 22210,\"Wind\xE0\""}
            << true << false << false << nome << QByteArray();
        QTest::newRow("UCS2, the operator by name")
            << QByteArray("UCS2") << propria << true << true << true << nome << salvato;
        QTest::newRow("UTF-8, letters the file lacks")
            << QByteArray("UTF-8") << propria << true << true << false << QStringLiteral("ΣΩ Net")
            << QByteArray("22288,?? Net\r\n");
    }

    void nomiNelSetDelTelefono()
    {
        QFETCH(QByteArray, set);
        QFETCH(QList<QByteArray>, copn);
        QFETCH(bool, noto);
        QFETCH(bool, nuovi);
        QFETCH(bool, perNome);
        QFETCH(QString, nome);
        QFETCH(QByteArray, salvato);
        Telefono.Operatori = {{"22201", "TIM"}};
        QVERIFY(SalvaFileOperatori(FileProgramma("reti.op")));
        const QByteArray prima = Contenuto(FileProgramma("reti.op"));
        accendi("[modem]\ncharset = " + set + "\n[network]\noperator = 22288\n[operators]\n22288 | "
                + nome.toUtf8() + "\n[networks]\n1 | 22288 | " + nome.toUtf8() + "\n");
        telefono->failCommandsMatching(QRegularExpression("^AT\\+CSCS="));
        if (!copn.isEmpty())
            telefono->answerMatching(QRegularExpression("^AT\\+COPN$"), copn);
        if (perNome) {
            telefono->failCommandsMatching(QRegularExpression("^AT\\+COPS=3"));
            telefono->changeState([](PhoneState& stato) { stato.network.operatorFormat = 0; });
        }
        connetti(Controllo::SoloAttesa, HandshakeSenzaGSM);
        risposte->boxes.clear();
        finestra->impostazioni->ShowSelRete(1);
        clic(QStringLiteral("RETE"));
        QCOMPARE(operatoriNoti(), QStringList{nuovi ? "22288 - " + nome : "22201 - TIM"});
        QCOMPARE(retiTrovate(),
                 QStringList{"22288 - " + (noto ? nome : Msg(VoceSconosciuto)) + "|57"});
        QCOMPARE(valore(94), nuovi ? nome : QStringLiteral("22288"));
        QCOMPARE(Contenuto(FileProgramma("reti.op")), nuovi ? salvato : prima);
        QStringList avvisi;
        if (noto && !nuovi)
            avvisi << Msg(921);
        else if (nome.contains(u'Ω'))
            avvisi << Msg(940) + "\r\n22288 " + nome + ": Σ Ω";
        QCOMPARE(testiBox(), avvisi);
    }

    // The search as phones answer it: every "+COPS:" line is read, each afresh (a stray quote in
    // one hides no other), a network is an entry whose code has five or six digits, a reply with
    // none says so, and a refusal is told.
    void ricercaComeRispondeIlTelefono_data()
    {
        QTest::addColumn<QByteArray>("risposta");
        QTest::addColumn<QStringList>("trovate");
        QTest::addColumn<QStringList>("avvisi");
        const QStringList nessuna{Msg(794)};
        QTest::newRow("one line per network")
            << QByteArray("+COPS: (2,\"I TIM\",,22201)\r\n+COPS: (1,\"vodafone IT\",,22210)\r\n"
                          "+COPS: (3,\"I WIND\",,22288)\r\n+COPS: ,,(0,1,2,3,4),(0,1,2)\r\n\r\nOK")
            << QStringList{"22201 - I TIM|58", "22210 - vodafone IT|57", "22288 - I WIND|60"}
            << QStringList();
        QTest::newRow("one line per network, quoted codes, technology, blanks")
            << QByteArray("+COPS: (2,\"TIM\",\"TIM\",\"22201\",0),\r\n"
                          "+COPS:( 1 , \"T-Mobile\" , \"TMO\" , \"310260\" , 2 )\r\n\r\n"
                          "+COPS: ,,(0-4),(0-2)\r\n\r\nOK")
            << QStringList{"22201 - TIM|58", "310260 - T-Mobile|57"} << QStringList();
        QTest::newRow("a stray quote in a name")
            << QByteArray(
                   "+COPS: (2,\"O\"p\",\"TIM\",\"22201\")\r\n"
                   "+COPS: (1,\"vodafone IT\",,22210)\r\n+COPS: (3,\"I WIND\",,22288)\r\n\r\nOK")
            << QStringList{"22210 - vodafone IT|57", "22288 - I WIND|60"} << QStringList();
        QTest::newRow("modes and formats only")
            << QByteArray("+COPS: (0,1,2,3),(1,2,3,4)\r\n\r\nOK") << QStringList() << nessuna;
        QTest::newRow("ranges only")
            << QByteArray("+COPS: ,,(0-4),(0-2)\r\n\r\nOK") << QStringList() << nessuna;
        QTest::newRow("codes of four and seven digits")
            << QByteArray("+COPS: (1,\"A\",,2220),(1,\"B\",,\"2220101\"),,(0-4),(0-2)\r\n\r\nOK")
            << QStringList() << nessuna;
        QTest::newRow("refused") << QByteArray("ERROR") << QStringList()
                                 << QStringList{Msg(870) + "ERROR"};
        QTest::newRow("refused with a code") << QByteArray("+CME ERROR: 30") << QStringList()
                                             << QStringList{Msg(870) + "+CME ERROR: 30"};
    }

    void ricercaComeRispondeIlTelefono()
    {
        QFETCH(QByteArray, risposta);
        QFETCH(QStringList, trovate);
        QFETCH(QStringList, avvisi);
        avvia(QByteArray());
        rendiOstile([risposta](const QString& comando) -> QByteArray {
            if (comando == "AT+COPN")
                return "+COPN: 22201,\"I TIM\"\r\n\r\nOK";
            return risposta;
        });
        finestra->impostazioni->ShowSelRete(1);
        QCOMPARE(telefono->commandLog(), (QStringList{"AT+COPN", "AT+COPS=?"}));
        QCOMPARE(retiTrovate(), trovate);
        QCOMPARE(testiBox(), avvisi);
        QCOMPARE(finestra->listaReti->count(), 1);
    }

    // A search that lists nothing says so.
    void ricercaSenzaReti()
    {
        avvia(R"(
[networks]
0 | 22299 | Sconosciuta
)");
        finestra->impostazioni->ShowSelRete(1);
        QCOMPARE(finestra->listaRetiDisp->count(), 0);
        QCOMPARE(testiBox(), QStringList{Msg(794)});
        QCOMPARE(risposte->boxes.first().icona, QMessageBox::Information);

        risposte->boxes.clear();
        telefono->changeState([](PhoneState& stato) { stato.network.networksInRange.clear(); });
        finestra->impostazioni->ShowSelRete(1);
        QCOMPARE(testiBox(), QStringList{Msg(794)});
    }

    // Operators with six-digit codes keep them in the table, so the network view names the
    // operator the phone is on; the operator file keeps its five-character field and leaves
    // them out rather than cut them into another operator's code.
    void operatoriConCodiciLunghi()
    {
        avvia(R"(
[network]
operator = 310260
[operators]
22201 | TIM
310260 | T-Mobile
310410 | AT&T
31026 | Altro
)");
        clic(QStringLiteral("RETE"));
        QCOMPARE(valore(94), QStringLiteral("T-Mobile"));
        QCOMPARE(Contenuto(FileProgramma("reti.op")), QByteArray("22201,TIM\r\n31026,Altro\r\n"));
        finestra->impostazioni->ShowSelRete(1);
        QCOMPARE(operatoriNoti(), (QStringList{"22201 - TIM", "310260 - T-Mobile", "310410 - AT&T",
                                               "31026 - Altro"}));

        // Loaded back from its file, the list knows the five-digit operators only: the six-digit
        // code shows as itself, never as the operator whose code it would be cut to.
        riavvia();
        clic(QStringLiteral("RETE"));
        QCOMPARE(valore(94), QStringLiteral("310260"));
        QVERIFY(!telefono->commandLog().contains("AT+COPN"));
    }

    // A phone with no operator list answers with a bare OK: the list is read and empty, its
    // file is empty, and loaded back it is still empty, not one blank operator.
    void tabellaOperatoriVuota()
    {
        accendi();
        telefono->changeState([](PhoneState& stato) { stato.network.operators.clear(); });
        connetti();
        finestra->impostazioni->ShowSelRete(1);
        QCOMPARE(telefono->commandLog(), (QStringList{"AT+COPN", "AT+COPS=?"}));
        QVERIFY(Telefono.OperatoriLetti);
        QCOMPARE(operatoriNoti(), QStringList());
        QVERIFY(QFileInfo::exists(FileProgramma("reti.op")));
        QCOMPARE(Contenuto(FileProgramma("reti.op")), QByteArray());

        riavvia();
        QVERIFY(Telefono.OperatoriLetti);
        QVERIFY(Telefono.Operatori.empty());
        finestra->impostazioni->ShowSelRete(1);
        QCOMPARE(telefono->commandLog(), QStringList{"AT+COPS=?"});
        QCOMPARE(operatoriNoti(), QStringList());
        clic(QStringLiteral("RETE"));
        QCOMPARE(valore(94), QStringLiteral("22201"));
    }

    // A garbled list (lines, but no operator with a network's code in them) replaces neither
    // the list read before nor its file; codes that are no network's are left out.
    void listaIllegibileNonSostituisce()
    {
        avvia(QByteArray());
        finestra->impostazioni->ShowSelRete(1);
        const QStringList prima = operatoriNoti();
        const QByteArray file = Contenuto(FileProgramma("reti.op"));
        QVERIFY(!prima.isEmpty());
        QVERIFY(!file.isEmpty());

        Telefono.OperatoriLetti = false;
        operatoriDalTelefono("+COPN: 2\n2,\"X\"\r\n+COPN: TIM,\"22201\"\r\n+CME ERR");
        finestra->impostazioni->ShowSelRete(1);
        QVERIFY(telefono->commandLog().contains("AT+COPN"));
        QCOMPARE(operatoriNoti(), prima);
        QCOMPARE(Contenuto(FileProgramma("reti.op")), file);

        Telefono.OperatoriLetti = false;
        operatoriDalTelefono("+COPN: 22\r01,\"X\"\r\n+COPN: 22288,\"WIND\"");
        finestra->impostazioni->ShowSelRete(1);
        QCOMPARE(operatoriNoti(), QStringList{"22288 - WIND"});
        QCOMPARE(Contenuto(FileProgramma("reti.op")), QByteArray("22288,WIND\r\n"));
    }

    // Names with a CR or an LF from a garbled reply are cleaned before they reach the file:
    // saved and loaded back, the list keeps one operator per record.
    void nomiConAcapo()
    {
        avvia(QByteArray());
        operatoriDalTelefono("+COPN: 22201,\"TIM\rItalia\"\r\n+COPN: 22210,\"Voda\nfone\"");
        finestra->impostazioni->ShowSelRete(1);
        const QStringList attesi{"22201 - TIM Italia", "22210 - Voda fone"};
        QCOMPARE(operatoriNoti(), attesi);
        QCOMPARE(Contenuto(FileProgramma("reti.op")),
                 QByteArray("22201,TIM Italia\r\n22210,Voda fone\r\n"));
        riavvia();
        finestra->impostazioni->ShowSelRete(1);
        QCOMPARE(operatoriNoti(), attesi);
    }
};

QTEST_MAIN(TstRetiE2E)
#include "tst_reti_e2e.moc"
