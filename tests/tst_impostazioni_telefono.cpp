// The phone settings' reply parsers and command builders, without a phone.

#include "blocchi.h"
#include "catalogo.h"
#include "codici.h"
#include "globali.h"
#include "operatori.h"
#include "orologio.h"
#include "reti.h"
#include "scambio.h"
#include "statobase.h"
#include "trasferimenti.h"
#include "vocabolario.h"

#include <QTemporaryDir>
#include <QtTest>

class TstImpostazioniTelefono : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(CatalogoMessaggi::Carica());
        StatoDiPartenza();
        InitTabelleLingua();
    }

    // The clock read by its fields, quoted or not, with a four-digit year, a time-zone suffix,
    // blanks or no seconds; an empty text when the reply holds no clock.
    void orologioLetto_data()
    {
        QTest::addColumn<QString>("risposta");
        QTest::addColumn<QString>("letto");
        QTest::newRow("quoted") << "+CCLK: \"26/12/08,09:05:33\""
                                << "08/12/26|09:05   ";
        QTest::newRow("four-digit year, zone") << "+CCLK: \"2024/3/9,8:05:00+04\""
                                               << "09/03/24|08:05   ";
        QTest::newRow("unquoted") << "+CCLK: 05/01/01,12:00:00"
                                  << "01/01/05|12:00   ";
        QTest::newRow("unquoted, zone behind") << "+CCLK: 05/01/01,12:00:00-08"
                                               << "01/01/05|12:00   ";
        QTest::newRow("unquoted, blanks") << "+CCLK:  05/01/01 , 12:00:00 +04 "
                                          << "01/01/05|12:00   ";
        QTest::newRow("quoted, blank after the comma") << "+CCLK: \"05/01/01, 12:00:00-32\""
                                                       << "01/01/05|12:00   ";
        QTest::newRow("no seconds") << "+CCLK: 26/12/08,09:05"
                                    << "08/12/26|09:05   ";
        QTest::newRow("after another line") << "\r\n+CCLK: \"26/12/08,09:05:33\"\r\n"
                                            << "08/12/26|09:05   ";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("bare OK") << "\r\nOK\r\n"
                                 << "";
        QTest::newRow("cut in the date") << "+CCLK: \"26/12"
                                         << "";
        QTest::newRow("cut in the quotes") << "+CCLK: \"26/12/08,09:05:33"
                                           << "";
        QTest::newRow("zone without digits") << "+CCLK: 26/12/08,09:05:33+"
                                             << "";
        QTest::newRow("date only") << "+CCLK: 26/12/08"
                                   << "";
        QTest::newRow("three-digit year") << "+CCLK: 126/12/08,09:05:33"
                                          << "";
    }

    void orologioLetto()
    {
        QFETCH(QString, risposta);
        QFETCH(QString, letto);
        const std::optional<OrologioTelefono> orologio = DecodificaOrologio(risposta);
        QCOMPARE(orologio ? orologio->DataTel + "|" + orologio->OraTel : QString(), letto);
    }

    // A clock whose fields lie outside the calendar is no clock, and changes nothing.
    void orologioFuoriScala()
    {
        for (const char* guasto : {"+CCLK: \"24/13/09,08:05:00\"", "+CCLK: \"24/00/09,08:05:00\"",
                                   "+CCLK: \"24/03/32,08:05:00\"", "+CCLK: \"24/02/30,08:05:00\"",
                                   "+CCLK: \"24/03/00,08:05:00\"", "+CCLK: \"24/03/09,24:05:00\"",
                                   "+CCLK: \"24/03/09,08:60:00\"", "+CCLK: \"24/03/09,08:05:61\""})
            QVERIFY2(!DecodificaOrologio(QString::fromLatin1(guasto)), guasto);
        const auto bisestile = DecodificaOrologio(QStringLiteral("+CCLK: \"24/02/29,23:59:59\""));
        QVERIFY(bisestile);
        QCOMPARE(bisestile->DataTel, QStringLiteral("29/02/24"));
        QCOMPARE(bisestile->OraTel, QStringLiteral("23:59   "));
    }

    void orologioImpostato()
    {
        QCOMPARE(ComandoImpostaOrologio("8", "12", "26", "9", "5", "00").value_or(QString()),
                 QStringLiteral("AT+CCLK=\"26/12/08,09:05:00\""));
        QCOMPARE(ComandoImpostaOrologio("30", "02", "0", "00", "00", "00").value_or(QString()),
                 QStringLiteral("AT+CCLK=\"00/02/30,00:00:00\""));
        // Anything but one or two digits would go into the quoted clock unchecked.
        for (const char* campo : {"", "1\"", "123", " 5", "-1", "1,"})
            QVERIFY2(!ComandoImpostaOrologio(campo, "12", "26", "09", "05", "00"), campo);
        QCOMPARE(FormatoDueCifre("5"), QStringLiteral("05"));
        QCOMPARE(FormatoDueCifre("ab"), QStringLiteral("ab"));
        QCOMPARE(FormatoDueCifre(""), QString());
    }

    void campiControllati()
    {
        QVERIFY(ControllaNum("31", 1, 31));
        QVERIFY(ControllaNum("00", 0, 99));
        for (const char* valore : {"", "32", "0", " 5", "5 ", "-1", "1e1", "12,1", "+3"})
            QVERIFY2(!ControllaNum(valore, 1, 31), valore);
    }

    // Standard lines give each class by its class number, not by its place in the reply.
    void bloccoLetto()
    {
        const auto sbarrato = DecodificaBlocco("+CLCK: 1,1\r\n+CLCK: 0,2\r\n+CLCK: 1,4", true);
        QVERIFY(sbarrato);
        QCOMPARE(*sbarrato, (StatoClassi{1, 1, 0})); // voice, fax, data
        QCOMPARE(*DecodificaBlocco("+CLCK: 0,7", true), (StatoClassi{0, 0, 0}));
        QCOMPARE(*DecodificaBlocco("+CLCK: 1,7", true), (StatoClassi{1, 1, 1}));
        QCOMPARE(*DecodificaBlocco("+CLCK: 1,2", true), (StatoClassi{0, 0, 1}));
        // Lines without class stand for voice, data, fax in this order.
        QCOMPARE(*DecodificaBlocco("+CLCK: 0\r\n+CLCK: 1\r\n+CLCK: 0", true),
                 (StatoClassi{0, 0, 1}));
        QCOMPARE((*DecodificaBlocco("+CLCK: 1", false))[0], uint8_t(1));
        QCOMPARE((*DecodificaBlocco("+CLCK: 0,7", false))[0], uint8_t(0));
        for (const char* guasto : {"", "ERRORE", "\r\nOK\r\n", "+CLCK:", "+CLC"})
            QVERIFY2(!DecodificaBlocco(QString::fromLatin1(guasto), true), guasto);
    }

    // A status is 0 or 1 and a class 1 to 255: a line with another is not read.
    void bloccoFuoriScala()
    {
        for (const char* guasto : {"+CLCK: 2", "+CLCK: 1,257", "+CLCK: 1,0", "+CLCK: 99999999999",
                                   "+CLCK: 1,4294967297"}) {
            QVERIFY2(!DecodificaBlocco(QString::fromLatin1(guasto), true), guasto);
            QVERIFY2(!DecodificaBlocco(QString::fromLatin1(guasto), false), guasto);
        }
        QCOMPARE(*DecodificaBlocco("+CLCK: 1,1\r\n+CLCK: 1,1073741828", true),
                 (StatoClassi{1, 0, 0}));
        QCOMPARE(*DecodificaBlocco("+CLCK: 7\r\n+CLCK: 1", false), (StatoClassi{1, 0, 0}));
    }

    void comandiBlocco()
    {
        QCOMPARE(ComandoLeggiBlocco(2), QStringLiteral("AT+CLCK=SC,2"));
        QCOMPARE(ComandoImpostaBlocco(0, 1, SenzaCodice, std::nullopt).value_or(QString()),
                 QStringLiteral("AT+CLCK=\"CS\", 1"));
        QCOMPARE(
            ComandoImpostaBlocco(2, 0, QStringLiteral("1234"), std::nullopt).value_or(QString()),
            QStringLiteral("AT+CLCK=\"SC\", 0,1234"));
        QCOMPARE(ComandoImpostaBlocco(4, 1, QStringLiteral("0000"), uint8_t(4)).value_or(QString()),
                 QStringLiteral("AT+CLCK=\"AO\", 1,0000, 4"));
        // A class goes only with a password.
        QCOMPARE(ComandoImpostaBlocco(0, 0, SenzaCodice, uint8_t(1)).value_or(QString()),
                 QStringLiteral("AT+CLCK=\"CS\", 0"));
        for (const char* codice : {"", "12,1", " 12", "12\r", "1e3"}) {
            QVERIFY2(!ComandoImpostaBlocco(2, 1, QString::fromLatin1(codice), std::nullopt),
                     codice);
            QVERIFY2(!ComandoCambiaCodice(2, "1234", QString::fromLatin1(codice)), codice);
        }
        QVERIFY(!ComandoImpostaBlocco(9, 1, SenzaCodice, std::nullopt));
        QCOMPARE(ComandoCambiaCodice(2, "1234", "5678").value_or(QString()),
                 QStringLiteral("AT+CPWD=\"SC\",1234,5678"));
    }

    void classiMostrate()
    {
        QCOMPARE(ClassiBloccate(4, {1, 1, 0}), ClassiBlocchi[0] + ClassiBlocchi[1]);
        QCOMPARE(ClassiBloccate(4, {1, 1, 1}),
                 ClassiBlocchi[0] + ClassiBlocchi[1] + ClassiBlocchi[2]);
        // A barring whose voice class is free shows no classes, whatever the others hold.
        QCOMPARE(ClassiBloccate(7, {0, 1, 1}), QString());
        QCOMPARE(ClassiBloccate(2, {1, 0, 0}), QString());
    }

    void lunghezzeCodici()
    {
        std::array<uint8_t, NumLunghezzeCodici> lunghezze{};
        DecodificaLunghezzeCodici("+CPWD: (\"SC\",8),(\"P2\",8),(\"AO\",4),(\"PS\",16)", lunghezze);
        QCOMPARE(lunghezze[2], uint8_t(8));
        QCOMPARE(lunghezze[0], uint8_t(8));
        QCOMPARE(lunghezze[4], uint8_t(4));
        QCOMPARE(lunghezze[1], uint8_t(16));
        QCOMPARE(lunghezze[3], uint8_t(0));
        const auto prima = lunghezze;
        DecodificaLunghezzeCodici("ERRORE", lunghezze);
        DecodificaLunghezzeCodici("", lunghezze);
        QCOMPARE(lunghezze, prima);
    }

    // A length is one octet: a larger one changes nothing.
    void lunghezzeFuoriScala()
    {
        std::array<uint8_t, NumLunghezzeCodici> lunghezze{};
        lunghezze[2] = 8;
        lunghezze[4] = 4;
        DecodificaLunghezzeCodici("+CPWD: (\"SC\",300),(\"AO\",99999999999),(\"P2\",255)",
                                  lunghezze);
        QCOMPARE(lunghezze[2], uint8_t(8));
        QCOMPARE(lunghezze[4], uint8_t(4));
        QCOMPARE(lunghezze[0], uint8_t(255));
    }

    void trasferimentoLetto()
    {
        Trasferimento prima;
        prima.Tempo = {7, 7, 7};
        const auto letto = DecodificaTrasf(
            2, "+CCFC: 1,1,\"+393331234567\",145,,,25\r\n+CCFC: 0,4\r\n+CCFC: 0,2,\"0612\",129",
            prima);
        QVERIFY(letto);
        QCOMPARE(letto->Stato, (std::array<uint8_t, 3>{1, 0, 0}));
        QCOMPARE(letto->Numero[0], QStringLiteral("+393331234567"));
        QCOMPARE(letto->Tempo[0], uint8_t(25));
        QCOMPARE(letto->Numero[1], QString());
        QCOMPARE(letto->Numero[2], QStringLiteral("0612"));
        QCOMPARE(letto->Tempo[2], uint8_t(7)); // no time in the reply: kept
        // The other reasons keep no time, whatever the line says.
        QCOMPARE(DecodificaTrasf(1, "+CCFC: 1,1,\"0612\",129,,,25", prima)->Tempo[0], uint8_t(7));
    }

    // A forwarding line read by its fields: a subaddress and its type before the time, blanks,
    // an international number given without its "+", a number without quotes, a line end of LF
    // alone, a class outside the range on a line that says "not active". The voice line of
    // reason 2, whose time was 7 before.
    void trasferimentoPerCampi_data()
    {
        QTest::addColumn<QString>("risposta");
        QTest::addColumn<QString>("voce");
        QTest::newRow("subaddress") << "+CCFC: 1,1,\"+393331234567\",145,\"\",128,25"
                                    << "1|+393331234567|25";
        QTest::newRow("blanks") << "+CCFC: 1 , 1 , \"0612\" , 129 , , , 20"
                                << "1|0612|20";
        QTest::newRow("international without plus") << "+CCFC: 1,1,\"393331234567\",145,,,20"
                                                    << "1|+393331234567|20";
        QTest::newRow("number without quotes") << "+CCFC: 1,1,0612,129"
                                               << "1|0612|7";
        QTest::newRow("lines ended by LF") << "+CCFC: 0,4\n+CCFC: 1,1,\"0612\",129,,,15\n+CCFC: 0,2"
                                           << "1|0612|15";
        // Nothing forwarded, as many modems say it: one line "not active", whatever its class.
        QTest::newRow("not active, class 0") << "+CCFC: 0,0"
                                             << "0||7";
        QTest::newRow("not active, empty fields") << "+CCFC: 0,0,\"\",129,,,"
                                                  << "0||7";
    }

    void trasferimentoPerCampi()
    {
        QFETCH(QString, risposta);
        QFETCH(QString, voce);
        Trasferimento prima;
        prima.Tempo = {7, 7, 7};
        const std::optional<Trasferimento> letto = DecodificaTrasf(2, risposta, prima);
        QVERIFY(letto);
        QCOMPARE(QString::number(letto->Stato[0]) + "|" + letto->Numero[0] + "|"
                     + QString::number(letto->Tempo[0]),
                 voce);
    }

    void trasferimentoBreve()
    {
        Trasferimento prima;
        prima.Stato = {1, 1, 1};
        prima.Numero = {"1", "2", "3"};
        // One line for every class, one line for one class, a bare OK: what is not reported is
        // off without number.
        QCOMPARE(DecodificaTrasf(0, "+CCFC: 0,7", prima)->Stato, (std::array<uint8_t, 3>{}));
        QCOMPARE(DecodificaTrasf(0, "+CCFC: 0,7", prima)->Numero[2], QString());
        const auto una = DecodificaTrasf(0, "+CCFC: 1,4,\"0612\",129", prima);
        QCOMPARE(una->Stato, (std::array<uint8_t, 3>{0, 1, 0}));
        QCOMPARE(una->Numero[1], QStringLiteral("0612"));
        QCOMPARE(DecodificaTrasf(0, OKNudo, prima)->Stato, (std::array<uint8_t, 3>{}));
        for (const char* guasto : {"", "ERRORE", "+CCF", "garbage"})
            QVERIFY2(!DecodificaTrasf(0, QString::fromLatin1(guasto), prima), guasto);
    }

    // A status is 0 or 1, a class 1 to 255, a no-reply time 1 to 30 seconds: a line with
    // another status or class is not read, and a time outside keeps the one before.
    void trasferimentoFuoriScala()
    {
        Trasferimento prima;
        prima.Stato = {1, 1, 1};
        prima.Numero = {"1", "2", "3"};
        prima.Tempo = {15, 15, 15};
        for (const char* guasto : {"+CCFC: 2,1,\"0612\",129", "+CCFC: 1,257,\"0612\",129",
                                   "+CCFC: 1,0,\"0612\",129", "+CCFC: 99999999999,1"})
            QVERIFY2(!DecodificaTrasf(0, QString::fromLatin1(guasto), prima), guasto);
        const auto letto = DecodificaTrasf(2,
                                           "+CCFC: 1,1,\"0611\",129,,,300\r\n"
                                           "+CCFC: 1,4,\"0612\",129,,,99999999999\r\n"
                                           "+CCFC: 1,2,\"0613\",129,,,0\r\n"
                                           "+CCFC: 1,8,\"0614\",129,,,30",
                                           prima);
        QVERIFY(letto);
        QCOMPARE(letto->Stato, (std::array<uint8_t, 3>{1, 1, 1}));
        QCOMPARE(letto->Tempo, (std::array<uint8_t, 3>{15, 15, 15}));
        QCOMPARE(DecodificaTrasf(2, "+CCFC: 1,1,\"0611\",129,,,30", prima)->Tempo[0], uint8_t(30));
    }

    // The search read by fields: the access technology that 27.007 adds after the code, codes of
    // five and six digits, names holding commas or parentheses; entries whose status is no
    // network status, or that have no numeric code, are left out; the lists of modes and
    // formats after the empty field are no networks.
    void retiPerCampi()
    {
        const auto reti = DecodificaReti(
            "+COPS: (2,\"TIM\",\"TIM\",\"22201\",0),(1,\"T-Mobile\",\"TMO\",\"310260\",2),"
            "(3,\"AT&T, Inc (US)\",\"ATT\",\"310410\",7),(4,\"Nuova\",\"N\",\"22250\",0),"
            "(1,\"Senza codice\",\"S\",,0),(1,\"Lettere\",\"L\",\"2220A\"),( 1 , \"Spazi\" , , "
            "22288 ),"
            ",(0,1,2,3,4),(0,1,2)");
        QStringList lette;
        for (const ReteTrovata& trovata : reti)
            lette << QString::number(trovata.stato) + "|" + trovata.rete.Codice + "|"
                         + trovata.rete.Nome;
        QCOMPARE(lette, (QStringList{"2|22201|TIM", "1|310260|T-Mobile", "3|310410|AT&T, Inc (US)",
                                     "1|22288|Spazi"}));
        QCOMPARE(DecodificaReti("+COPS: (2,\"TIM\",,22201),\r\n(1,\"Vodafone IT\",,22210)").size(),
                 size_t(2));
        // A line broken between entries without a comma, or inside one, at the phone's width,
        // also next to a blank of a name.
        const auto spezzate = DecodificaReti(
            "+COPS: (2,\"Telecom \r\nItalia\",,22201)\r\n(1,\"Vodafo\r\nne IT\",,222\r\n10)");
        QCOMPARE(spezzate.size(), size_t(2));
        QCOMPARE(spezzate[0].rete.Nome, QStringLiteral("Telecom Italia"));
        QCOMPARE(spezzate[1].rete.Nome + spezzate[1].rete.Codice,
                 QStringLiteral("Vodafone IT22210"));
        QVERIFY(DecodificaReti("+COPS: ,,(0,1,2,3,4),(0,1,2)").empty());
        QVERIFY(DecodificaReti("+COPS: (99999999999,\"X\",,22201)").empty());
    }

    // The operator list read by fields: a code of six digits stays whole, a prefix without its
    // blank is still a prefix, a name holding a comma stays whole, a line end inside a name
    // becomes a blank, and lines that are no operator, or whose code is not a network's five or
    // six digits, are skipped.
    void operatoriPerCampi()
    {
        const std::vector<Operatore> letti
            = DecodificaOperatori("+COPN: 310260,\"T-Mobile\"\r\n+COPN:\"22201\",\"TIM\"\r\n+COPN: "
                                  "22210,\"Vodafone, IT\"\r\n"
                                  "+COPN: 22288,\"WIND\rTre\nItalia\"\r\nrumore,\"X\"\r\n+COPN: "
                                  "22299\r\n+COPN: 2,\"Breve\"");
        QStringList operatori;
        for (const Operatore& op : letti)
            operatori << op.Codice + "|" + op.Nome;
        QCOMPARE(operatori, (QStringList{"310260|T-Mobile", "22201|TIM", "22210|Vodafone, IT",
                                         "22288|WIND Tre Italia"}));
    }

    // The operator file keeps its fixed five-character code: a six-digit code is left out of it,
    // not cut; an empty file is a read list with no operators; names keep one per line.
    void fileOperatori()
    {
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        const QString percorso = cartella.filePath("reti.op");
        Telefono.Operatori = DecodificaOperatori(
            "+COPN: 22201,\"TIM\"\r\n+COPN: 310260,\"T-Mobile\"\r\n+COPN: 22210,\"Voda\nfone\"");
        QCOMPARE(NomeOperatore("310260"), QStringLiteral("T-Mobile"));
        QCOMPARE(NomeOperatore("31026"), QStringLiteral("31026"));
        QVERIFY(SalvaFileOperatori(percorso));
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("22201,TIM\r\n22210,Voda fone\r\n"));
        file.close();
        QVERIFY(CaricaFileOperatori(percorso));
        QCOMPARE(int(Telefono.Operatori.size()), 2);
        QCOMPARE(NomeOperatore("310260"), QStringLiteral("310260"));

        Telefono.Operatori.clear();
        QVERIFY(SalvaFileOperatori(percorso));
        QCOMPARE(QFileInfo(percorso).size(), 0);
        Telefono.Operatori = {{"22201", "TIM"}};
        Telefono.OperatoriLetti = false;
        QVERIFY(CaricaFileOperatori(percorso));
        QVERIFY(Telefono.OperatoriLetti);
        QVERIFY(Telefono.Operatori.empty());
        QCOMPARE(NomeOperatore("22201"), QStringLiteral("22201"));
    }

    void comandiTrasferimento()
    {
        QCOMPARE(ComandiTrasf::TipoNumero(""), uint8_t(0));
        QCOMPARE(ComandiTrasf::TipoNumero("+39"), uint8_t(145));
        QCOMPARE(ComandiTrasf::TipoNumero("0612"), uint8_t(129));
        QCOMPARE(ComandoLeggiTrasf(3), QStringLiteral("AT+CCFC=3,2"));
        QCOMPARE(ComandoRegistraTrasf(1, 0, "+393331234567", 0).value_or(QString()),
                 QStringLiteral("AT+CCFC=1,3,+393331234567,145,1"));
        QCOMPARE(ComandoRegistraTrasf(2, 2, "0612", 20).value_or(QString()),
                 QStringLiteral("AT+CCFC=2,3,0612,129,2,,,20"));
        QCOMPARE(ComandoRegistraTrasf(2, 1, "0612", 0).value_or(QString()),
                 QStringLiteral("AT+CCFC=2,3,0612,129,4"));
        for (const char* numero : {"", "06,12", "06;AT", "06 12"})
            QVERIFY2(!ComandoRegistraTrasf(0, 0, QString::fromLatin1(numero), 0), numero);
        QVERIFY(!ComandoRegistraTrasf(4, 0, "0612", 0));
        QCOMPARE(ComandoModoTrasf(0, Disattiva), QStringLiteral("AT+CCFC=0,0"));
        QCOMPARE(ComandoModoTrasf(3, Cancella), QStringLiteral("AT+CCFC=3,4"));
    }

    void retiTrovate()
    {
        const auto reti = DecodificaReti(
            "+COPS: (2,\"I TIM\",,22201),(1,\"vodafone IT\",,22210),(3,\"I WIND\",,22288),"
            "(0,\"X\",,22299),,(0,1,2,3,4),(0,1,2)");
        QCOMPARE(reti.size(), size_t(4));
        QCOMPARE(reti[0].rete.Codice, QStringLiteral("22201"));
        QCOMPARE(reti[0].rete.Nome, QStringLiteral("I TIM"));
        QCOMPARE(reti[0].stato, uint8_t(ReteAttuale));
        QCOMPARE(reti[3].stato, uint8_t(ReteSconosciuta));
        // A short name and a quoted code; a six-digit code stays whole.
        const auto varianti = DecodificaReti("+COPS: (1,\"Long\",\"Sh\",\"222015\")");
        QCOMPARE(varianti.size(), size_t(1));
        QCOMPARE(varianti[0].rete.Codice, QStringLiteral("222015"));
        QVERIFY(DecodificaReti("ERRORE").empty());
        QVERIFY(DecodificaReti("+COPS: (2,\"cut").empty());
        QCOMPARE(ImmagineRete(ReteAttuale), 58);
        QCOMPARE(ImmagineRete(ReteDisponibile), 57);
        QCOMPARE(ImmagineRete(ReteVietata), 60);
        QCOMPARE(ImmagineRete(ReteSconosciuta), 0);
    }
};

QTEST_MAIN(TstImpostazioniTelefono)
#include "tst_impostazioni_telefono.moc"
