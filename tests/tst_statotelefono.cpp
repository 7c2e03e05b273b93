// The link's pure parts: the receive path's line handling, the reply cut, the status parsers over
// good, empty and garbled replies, the view rows, and the phone settings routines they use.

#include "catalogo.h"
#include "codici.h"
#include "collegamento.h"
#include "globali.h"
#include "operatori.h"
#include "ricevitore.h"
#include "scambio.h"
#include "statotelefono.h"
#include "tabelle.h"
#include "tempi.h"
#include "vocabolario.h"

#include <QtTest>

Q_DECLARE_METATYPE(FineRisposta)

namespace {

const QString Prima = QStringLiteral("prima"); // a field's value before the reply

Rete ReteIniziale()
{
    Rete rete;
    rete.LivelloSegnale = rete.BER = rete.CodiceOperatore = Prima;
    return rete;
}

} // namespace

class TstStatoTelefono : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TestiInglesi(); }

    void ricevitore_data()
    {
        QTest::addColumn<QStringList>("pezzi");
        QTest::addColumn<QString>("buffer");
        QTest::addColumn<FineRisposta>("fine");
        QTest::addColumn<QList<int>>("indici");
        const QString cbc = "\r\n+CBC: 0,80\r\n\r\nOK\r\n";
        QTest::newRow("whole reply") << QStringList{cbc} << cbc << FineRisposta::Ok << QList<int>{};
        QTest::newRow("OK split over chunks") << QStringList{"\r\n+CBC: 0,80\r\n\r\nO", "K\r", "\n"}
                                              << cbc << FineRisposta::Ok << QList<int>{};
        QTest::newRow("a line ending in OK is data")
            << QStringList{"\r\n+COPN: 1,\"BOOK", "\"\r\n", "\r\nTOOK\r\n"}
            << "\r\n+COPN: 1,\"BOOK\"\r\n\r\nTOOK\r\n"
            << FineRisposta::Nessuna << QList<int>{};
        QTest::newRow("ERROR") << QStringList{"\r\nERROR\r\n"} << "\r\nERROR\r\n"
                               << FineRisposta::Errore << QList<int>{};
        QTest::newRow("+CME ERROR split")
            << QStringList{"\r\n+CME ERR", "OR: 21\r\n"} << "\r\n+CME ERROR: 21\r\n"
            << FineRisposta::Errore << QList<int>{};
        QTest::newRow("+CMS ERROR")
            << QStringList{"\r\n+CMS ERROR: 500\r\n"} << "\r\n+CMS ERROR: 500\r\n"
            << FineRisposta::Errore << QList<int>{};
        QTest::newRow("prompt") << QStringList{"\r\n", "> "} << "\r\n> " << FineRisposta::Prompt
                                << QList<int>{};
        QTest::newRow("\"> \" inside a line")
            << QStringList{"\r\n+X: a> "} << "\r\n+X: a> " << FineRisposta::Nessuna << QList<int>{};
        QTest::newRow("RING before the reply")
            << QStringList{"\r\nRING\r\n" + cbc} << cbc << FineRisposta::Ok << QList<int>{};
        QTest::newRow("RING between body and OK")
            << QStringList{"\r\n+CBC: 0,80\r\n", "\r\nRING\r\n", "\r\nOK\r\n"} << cbc
            << FineRisposta::Ok << QList<int>{};
        QTest::newRow("caller identity between lines")
            << QStringList{"\r\n+CPBR: 1\r\n+CLIP: \"+39333\",145\r\n+CPBR: 2\r\n\r\nOK\r\n"}
            << "\r\n+CPBR: 1\r\n+CPBR: 2\r\n\r\nOK\r\n"
            << FineRisposta::Ok << QList<int>{};
        QTest::newRow("indication glued after OK")
            << QStringList{"\r\nOK\r\n\r\n+CMTI: \"SM\",3\r\n"} << "\r\nOK\r\n"
            << FineRisposta::Ok << QList<int>{3};
        QTest::newRow("indication split, two-digit index")
            << QStringList{"\r\n+CMT", "I: \"SM\",12\r", "\n"} << "" << FineRisposta::Nessuna
            << QList<int>{12};
        QTest::newRow("indication without a number")
            << QStringList{"\r\n+CMTI: \"SM\",x\r\n\r\n+CRING: VOICE\r\n"} << ""
            << FineRisposta::Nessuna << QList<int>{};
    }

    void ricevitore()
    {
        QFETCH(QStringList, pezzi);
        QFETCH(QString, buffer);
        QFETCH(FineRisposta, fine);
        QFETCH(QList<int>, indici);
        QString ricevuto;
        RicevitoreAT ricevitore(ricevuto);
        for (const QString& pezzo : pezzi)
            ricevitore.Aggiungi(pezzo);
        QCOMPARE(ricevuto, buffer);
        QCOMPARE(ricevitore.Fine(), fine);
        if (fine != FineRisposta::Nessuna)
            QCOMPARE(ricevitore.FineIn(), ricevuto.size());
        QCOMPARE(ricevitore.PrendiIndicazioniSMS(), indici);
    }

    void ricevitoreDopoIlRisultato()
    {
        // Between commands the buffer holds the last result; an indication still comes out.
        QString ricevuto;
        RicevitoreAT ricevitore(ricevuto);
        ricevitore.SostituisciRisposta(QStringLiteral("21"));
        ricevitore.Aggiungi(u"\r\n+CMTI: \"SM\",4\r\n");
        QCOMPARE(ricevuto, QStringLiteral("21"));
        QCOMPARE(ricevitore.PrendiIndicazioniSMS(), QList<int>{4});
        QCOMPARE(ricevitore.Fine(), FineRisposta::Nessuna);
    }

    void taglio_data()
    {
        QTest::addColumn<QString>("ricevuto");
        QTest::addColumn<QString>("risultato");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("bare OK") << "\r\nOK\r\n"
                                 << "\r\nOK\r\n";
        QTest::newRow("9 characters") << "\r\nOK\r\nabc"
                                      << "\r\nOK\r\nabc";
        QTest::newRow("line ends only before OK") << "\n\r\r\n\r\nOK\n"
                                                  << "\r\nOK\r\n";
        QTest::newRow("one line") << "\r\n21\r\n\r\nOK\r\n"
                                  << "21";
        // A phone that leaves out a line end around its lines: the value is still the whole line.
        QTest::newRow("no empty line before OK") << "\r\n4\r\nOK\r\n"
                                                 << "4";
        QTest::newRow("15 digits, no empty line before OK") << "\r\n350123456789012\r\nOK\r\n"
                                                            << "350123456789012";
        QTest::newRow("no line end before the value") << "42\r\n\r\nOK\r\n"
                                                      << "42";
        QTest::newRow("line feeds alone") << "\n+CBC: 0,80\n\nOK\n"
                                          << "+CBC: 0,80";
        QTest::newRow("two lines, no empty line before OK") << "\r\n+CPBR: 1\r\n+CPBR: 2\r\nOK\r\n"
                                                            << "+CPBR: 1\r\n+CPBR: 2";
        // Only the framing goes: an empty line the body ends with stays.
        QTest::newRow("empty last line") << "\r\n21\r\n\r\n\r\nOK\r\n"
                                         << "21\r\n";
        QTest::newRow("dropped after 12") << "\r\nABCDEFGHIJ"
                                          << "AB";
    }

    void taglio()
    {
        QFETCH(QString, ricevuto);
        QFETCH(QString, risultato);
        QCOMPARE(TagliaRisposta(ricevuto), risultato);
    }

    void segnale_data()
    {
        QTest::addColumn<QString>("csq");
        QTest::addColumn<QString>("livello");
        QTest::addColumn<QString>("ber");
        const QString sconosciuto = Msg(343);
        QTest::newRow("15,99") << "+CSQ: 15,99"
                               << "-83 dBm" << sconosciuto;
        QTest::newRow("99,99") << "+CSQ: 99,99" << sconosciuto << sconosciuto;
        QTest::newRow("0,3") << "+CSQ: 0,3"
                             << "< -113 dBm"
                             << "3";
        QTest::newRow("31,0") << "+CSQ: 31,0"
                              << "> -51 dBm"
                              << "0";
        QTest::newRow("1,7") << "+CSQ: 1,7"
                             << "-111 dBm"
                             << "7";
        // No reading is no level: never the one read before.
        QTest::newRow("ERRORE") << "ERRORE" << sconosciuto << sconosciuto;
        QTest::newRow("empty") << "" << sconosciuto << sconosciuto;
        QTest::newRow("garbled") << "+CSQ: ab,cd" << sconosciuto << sconosciuto;
        // Numbers outside the scale are no reading, however large; ber is 0 to 7.
        QTest::newRow("rssi past int on doubling") << "+CSQ: 1073741824,0" << sconosciuto << "0";
        QTest::newRow("rssi past int") << "+CSQ: 99999999999,7" << sconosciuto << "7";
        QTest::newRow("rssi 32") << "+CSQ: 32,0" << sconosciuto << "0";
        QTest::newRow("rssi -1") << "+CSQ: -1,0" << sconosciuto << "0";
        QTest::newRow("ber 17") << "+CSQ: 15,17"
                                << "-83 dBm" << sconosciuto;
        QTest::newRow("no ber") << "+CSQ: 15"
                                << "-83 dBm" << sconosciuto;
        QTest::newRow("no blank") << "+CSQ:2,5"
                                  << "-109 dBm"
                                  << "5";
    }

    void segnale()
    {
        QFETCH(QString, csq);
        QFETCH(QString, livello);
        QFETCH(QString, ber);
        Rete rete = ReteIniziale();
        AnalizzaRete("+CREG: 2,1,1A2B,3C4D", "+COPS: 0,2,22201", csq, rete);
        QCOMPARE(rete.LivelloSegnale, livello);
        QCOMPARE(rete.BER, ber);
    }

    void registrazione_data()
    {
        QTest::addColumn<QString>("creg");
        QTest::addColumn<QString>("cops");
        QTest::addColumn<int>("stato");
        QTest::addColumn<QStringList>("operatoreAreaCella");
        const QStringList nessuno{"---", "---", "---"};
        const QStringList casa{"22201", "1A2B", "3C4D"};
        QTest::newRow("home") << "+CREG: 2,1,1A2B,3C4D"
                              << "+COPS: 0,2,22201" << 1 << casa;
        QTest::newRow("quoted") << "+CREG: 2,1,\"1A2B\",\"3C4D\""
                                << "+COPS: 0,2,\"22201\"" << 1 << casa;
        QTest::newRow("denied") << "+CREG: 2,3,1A2B,3C4D"
                                << "+COPS: 0,2,22201" << 3 << casa;
        QTest::newRow("roaming") << "+CREG: 2,5,1A2B,3C4D"
                                 << "+COPS: 0,2,22201" << 5 << casa;
        QTest::newRow("searching") << "+CREG: 0,2"
                                   << "+COPS: 0" << 2 << nessuno;
        QTest::newRow("unknown") << "+CREG: 2,4"
                                 << "+COPS: 0" << 4 << nessuno;
        // Neither a state nor, for a registered phone, an operator is made up when not given.
        const QString sconosciuto = Msg(343);
        const QStringList ignoti{sconosciuto, sconosciuto, sconosciuto};
        QTest::newRow("registered, no area") << "+CREG: 0,1"
                                             << "+COPS: 0" << 1 << QStringList{sconosciuto, "", ""};
        QTest::newRow("ERRORE") << "ERRORE"
                                << "ERRORE" << 4 << ignoti;
        QTest::newRow("short") << "+CR"
                               << "" << 4 << ignoti;
        // A state past those the views know is unknown; area and cell are hex numbers of at
        // most 4 and 8 digits; the operator is a field, commas inside its quotes included.
        QTest::newRow("state 7") << "+CREG: 2,7,1A2B,3C4D"
                                 << "+COPS: 0,2,22201" << 4 << nessuno;
        QTest::newRow("state past int") << "+CREG: 2,99999999999"
                                        << "+COPS: 0" << 4 << nessuno;
        QTest::newRow("area and cell out of range")
            << "+CREG: 2,1,FFFFFFFFFFFF,1A2B3C4D5E"
            << "+COPS: 0,2,22201" << 1 << QStringList{"22201", "", ""};
        QTest::newRow("area and cell not hex")
            << "+CREG: 2,1,XYZ,-1"
            << "+COPS: 0,2,22201" << 1 << QStringList{"22201", "", ""};
        QTest::newRow("long cell, access technology")
            << "+CREG: 2,5,\"00C3\",\"0001A2B3\",7"
            << "+COPS: 0,2,\"310260\",7" << 5 << QStringList{"310260", "00C3", "0001A2B3"};
        QTest::newRow("name with a comma")
            << "+CREG: 2,1,1A2B,3C4D"
            << "+COPS: 0,0,\"AT&T, Inc\"" << 1 << QStringList{"AT&T, Inc", "1A2B", "3C4D"};
    }

    void registrazione()
    {
        QFETCH(QString, creg);
        QFETCH(QString, cops);
        QFETCH(int, stato);
        QFETCH(QStringList, operatoreAreaCella);
        Rete rete = ReteIniziale();
        AnalizzaRete(creg, cops, "+CSQ: 15,99", rete);
        QCOMPARE(int(rete.StatoRete), stato);
        QCOMPARE(rete.StatoReteTesto, StatiRete[size_t(stato)]);
        QCOMPARE((QStringList{rete.CodiceOperatore, rete.CodiceArea, rete.IDCella}),
                 operatoreAreaCella);
    }

    void batteria_data()
    {
        QTest::addColumn<QString>("cbc");
        QTest::addColumn<int>("stato");
        QTest::addColumn<QString>("livello");
        QTest::newRow("1,100") << "+CBC: 1,100" << 1 << "100%";
        QTest::newRow("0,80") << "+CBC: 0,80" << 0 << "80%";
        QTest::newRow("ERRORE") << "ERRORE" << 2 << Prima;
        QTest::newRow("empty") << "" << 2 << Prima;
        QTest::newRow("garbled") << "+CBC: x" << 2 << Prima;
        // The state is 0 to 3, the charge 0 to 100; what lies outside is no reading.
        QTest::newRow("state 10") << "+CBC: 10,80" << 2 << "80%";
        QTest::newRow("charge 101") << "+CBC: 0,101" << 0 << Prima;
        QTest::newRow("charge past int") << "+CBC: 1,99999999999" << 1 << Prima;
        QTest::newRow("charge not a number") << "+CBC: 0,abc" << 0 << Prima;
        QTest::newRow("negative charge") << "+CBC: 0,-5" << 0 << Prima;
    }

    void batteria()
    {
        QFETCH(QString, cbc);
        QFETCH(int, stato);
        QFETCH(QString, livello);
        Alimentazione a{2, StatiAlim[2], Prima};
        AnalizzaCBC(cbc, a);
        QCOMPARE(int(a.StatoAlim), stato);
        QCOMPARE(a.StatoAlimTesto, StatiAlim[size_t(stato)]);
        QCOMPARE(a.LivelloBatteria, livello);
    }

    void centroEIdentitaSIM_data()
    {
        QTest::addColumn<QString>("csca");
        QTest::addColumn<QString>("smsc");
        QTest::addColumn<QString>("scid");
        QTest::addColumn<QString>("sim");
        const QString iccid = "89390100001234567890";
        QTest::newRow("as the phone gives them") << "+CSCA: \"+393359609600\",145"
                                                 << "+393359609600"
                                                 << "^SCID: " + iccid << iccid;
        QTest::newRow("errors") << "ERRORE" << Prima << "ERRORE" << Prima;
        QTest::newRow("empty") << "" << Prima << "" << Prima;
        QTest::newRow("empty number, bare ICCID") << "+CSCA: \"\",129"
                                                  << "" << iccid << iccid;
        QTest::newRow("unquoted, quoted") << "+CSCA: +39335,145"
                                          << "+39335"
                                          << "^SCID: \"" + iccid + "\"" << iccid;
        QTest::newRow("international type without its plus") << "+CSCA: \"6281100000\",145"
                                                             << "+6281100000" << iccid << iccid;
        QTest::newRow("national type") << "+CSCA: \"0335960960\",129"
                                       << "0335960960" << iccid << iccid;
        QTest::newRow("no type: the number as written") << "+CSCA: \"+393359609600\""
                                                        << "+393359609600" << iccid << iccid;
        QTest::newRow("no type, no prefix") << "\"+393359609600\"" << Prima << iccid << iccid;
        // The type of address is a number of one octet: a reply with another is garbled.
        QTest::newRow("type past int")
            << "+CSCA: \"+393359609600\",1073741824" << Prima << iccid << iccid;
        QTest::newRow("type not a number")
            << "+CSCA: \"+393359609600\",x" << Prima << iccid << iccid;
    }

    void centroEIdentitaSIM()
    {
        QFETCH(QString, csca);
        QFETCH(QString, smsc);
        QFETCH(QString, scid);
        QFETCH(QString, sim);
        QString centro = Prima;
        AnalizzaCSCA(csca, centro);
        QCOMPARE(centro, smsc);
        QString codice = Prima;
        AnalizzaSCID(scid, codice);
        QCOMPARE(codice, sim);
    }

    void identitaSuPiuRighe()
    {
        QVERIFY(IdentitaDaRileggere("ARDESIA\r\nAG", "S25"));
        QVERIFY(IdentitaDaRileggere("ARDESIA", OKNudo));
        QVERIFY(!IdentitaDaRileggere("ERRORE", ""));
        QCOMPARE(PrimaRiga("ARDESIA\r\nAG"), QStringLiteral("ARDESIA"));
        QCOMPARE(PrimaRiga(OKNudo), QString());
        QCOMPARE(PrimaRiga("S25"), QStringLiteral("S25"));
    }

    void immagini_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<int>("batteria");
        QTest::addColumn<int>("tacche");
        QTest::newRow("0%, below the scale") << "0%" << 21 << 0;
        QTest::newRow("10%, -111 dBm") << "10%" << 22 << 0;
        QTest::newRow("30%, -110 dBm") << "30%" << 22 << 1;
        QTest::newRow("50%, -83 dBm") << "50%" << 24 << 3;
        QTest::newRow("70%, -53 dBm") << "70%" << 24 << 4;
        QTest::newRow("80%, rssi 31") << "80%" << 25 << 5;
        QTest::newRow("90%, unknown") << "90%" << 26 << 0;
        QTest::newRow("100%, rssi 0") << "100%" << 26 << 0;
    }

    void immagini()
    {
        static const QMap<QString, QString> segnali{
            {"0%", "-113 dBm"}, {"10%", "-111 dBm"},  {"30%", "-110 dBm"}, {"50%", "-83 dBm"},
            {"70%", "-53 dBm"}, {"80%", "> -51 dBm"}, {"90%", "Unknow"},   {"100%", "< -113 dBm"}};
        QFETCH(QString, testo);
        QFETCH(int, batteria);
        QFETCH(int, tacche);
        QCOMPARE(ImmagineBatteria(testo), batteria);
        QCOMPARE(int(LivelloSegnale(LivelloInDBm(segnali.value(testo)))), tacche);
    }

    void righe()
    {
        DatiTelefono t;
        t.StatoRete = 4;
        t.StatoReteTesto = StatiRete[4];
        t.LivelloSegnale = "-83 dBm";
        const QList<RigaVista> rete = RigheRete(t, "22299", 3);
        QCOMPARE(rete.first(), (RigaVista{93, 61, StatiRete[4]}));
        QCOMPARE(rete.at(1), (RigaVista{94, 0, "22299"}));
        QCOMPARE(rete.at(5), (RigaVista{97, 66, "-83 dBm"}));
        t.StatoAlim = 1;
        t.LivelloBatteria = "50%";
        QCOMPARE(RigheAlim(t).first().immagine, 19);
        QCOMPARE(RigheAlim(t).last().immagine, 24);
    }

    void lunghezzeCodici_data()
    {
        QTest::addColumn<QString>("risposta");
        QTest::addColumn<QList<int>>("attese"); // slots 0 to 11
        const QList<int> nessuna(NumLunghezzeCodici, 0);
        QTest::newRow("three pairs") << "+CPWD: (\"SC\",8),(\"P2\",8),(\"AO\",4)"
                                     << QList<int>{8, 0, 8, 0, 4, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("two digits")
            << "+CPWD: (\"SC\",16)" << QList<int>{0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("unknown code") << "+CPWD: (\"FD\",4),(\"XX\",4)" << nessuna;
        QTest::newRow("ERRORE") << "ERRORE" << nessuna;
        QTest::newRow("no length") << "+CPWD: (\"SC\",)" << nessuna;
        QTest::newRow("unclosed quote") << "+CPWD: (\"S" << nessuna;
        QString lunga = "+CPWD: ";
        for (int i = 0; i < 30; ++i)
            lunga += "(\"AC\",4),";
        QTest::newRow("longer than 255")
            << lunga + "(\"IR\",6)" << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 6, 0, 0, 4};
    }

    void lunghezzeCodici()
    {
        QFETCH(QString, risposta);
        QFETCH(QList<int>, attese);
        std::array<uint8_t, NumLunghezzeCodici> lunghezze{};
        DecodificaLunghezzeCodici(risposta, lunghezze);
        QCOMPARE(QList<int>(lunghezze.begin(), lunghezze.end()), attese);
    }

    void operatori()
    {
        const std::vector<Operatore> letti
            = DecodificaOperatori("+COPN: 22201,\"I TIM\"\r\n+COPN: \"22210\",\"Vodafone "
                                  "IT\"\r\ngarbage\r\n+COPN: 1,\"\"");
        // "1" is no network's code: that line is garbled, and left out.
        QCOMPARE(int(letti.size()), 2);
        QCOMPARE(letti[0].Codice, QStringLiteral("22201"));
        QCOMPARE(letti[0].Nome, QStringLiteral("I TIM"));
        QCOMPARE(letti[1].Codice, QStringLiteral("22210"));
        QCOMPARE(letti[1].Nome, QStringLiteral("Vodafone IT"));
    }

    void limitiDiAttesa()
    {
        QCOMPARE(LimiteAttesa("AT+CGMI"), TempiLink.attesaMs);
        QCOMPARE(LimiteAttesa("AT+COPS=?"), TempiLink.attesaRicercaReteMs);
        QCOMPARE(LimiteAttesa("0011" + QString(QChar(26))), TempiLink.attesaInvioMs);
        QCOMPARE(LimiteAttesa("AT+CMSS=3"), TempiLink.attesaInvioMs);
    }

    void erroriDiComunicazione()
    {
        QCOMPARE(TestoErroreComunicazione(1004), QStringLiteral("Errore di frame"));
        QCOMPARE(TestoErroreComunicazione(1009), QStringLiteral("Errore di parit\u00e0"));
        QCOMPARE(TestoErroreComunicazione(1010), Msg(77));
        QCOMPARE(TestoErroreComunicazione(1005), Msg(78));
    }
};

QTEST_GUILESS_MAIN(TstStatoTelefono)
#include "tst_statotelefono.moc"
