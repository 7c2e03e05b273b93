// SMS PDU decoding: hand-worked PDUs field by field, and PDUs that are cut short, odd or garbage.

#include "codecs.h"
#include "globali.h"
#include "pdu.h"
#include "tabelle.h"

#include <QTest>

namespace {

// Octets of the worked examples, named so that the rows below read as their layout.
const QString CentroItalia = QStringLiteral("07919333950669"); // +393359609600, followed by 00
const QString DataOra2001 = QStringLiteral("10214021430500");  // 01/12/04 12:34:50, zone +00

QString Blank(int quanti)
{
    return QString(quanti, u' ');
}

const QString TelefonoSMSC = QStringLiteral("+391111");

// The PDUs whose every prefix is checked: one of each kind of user data.
const QList<QPair<const char*, QString>> PDUCompleti = {
    {"deliver, 7-bit",
     QStringLiteral("0791933395066900040B919333133254F600001021402143050005C8329BFD06")},
    {"submit, relative validity",
     QStringLiteral("079193339506690031FF0B919333133254F60000A705C374F81D02")},
    {"UCS2",
     QStringLiteral("0791933395066900040B919333133254F60008421051900000400E004300690061006F00"
                    "2000E820AC")},
    {"status report with its optional fields",
     QStringLiteral("079193339506690006FF0B919333133254F642105190000040421051901020402107000005"
                    "C8329BFD06")},
    {"user data header",
     QStringLiteral("0791933395066900440B919333133254F600004210519000004010050003CC0301A061"
                    "39BD0CAABBDF")},
};

} // namespace

class TestPDU : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void decodifica_data();
    void decodifica();
    void nessunCampoDelMessaggioPrecedente();
    void pduDifettosi_data();
    void pduDifettosi();
    void prefissiDiPDU_data();
    void prefissiDiPDU();
    void settetti_data();
    void settetti();
    void settettiDopoIntestazione();
};

void TestPDU::initTestCase()
{
    TestiInglesi();
    InitAlfabetoGSM();
}

void TestPDU::init()
{
    Telefono.SMSC = TelefonoSMSC;
}

void TestPDU::decodifica_data()
{
    QTest::addColumn<QString>("pdu");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<bool>("rapportoStato");
    QTest::addColumn<int>("mr");
    QTest::addColumn<QString>("smsc");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<int>("dcs");
    QTest::addColumn<QString>("dataOra");
    QTest::addColumn<int>("lunghezzaDati");
    QTest::addColumn<QString>("testo");

    const QString deliver = CentroItalia + QStringLiteral("0004");
    // +39333123456: 11 digits, the last octet filled with F.
    const QString mittente = QStringLiteral("0B919333133254F6");

    QTest::newRow("deliver, 7-bit, time stamp, international originator")
        << deliver + mittente + "0000" + DataOra2001 + "05C8329BFD06" << 0 << false << 0
        << "+393359609600"
        << "+39333123456" << 0 << "01120412345000" << 5 << "Hello";
    QTest::newRow("lower-case hex reads the same")
        << (deliver + mittente + "0000" + DataOra2001 + "05C8329BFD06").toLower() << 0 << false << 0
        << "+393359609600"
        << "+39333123456" << 0 << "01120412345000" << 5 << "Hello";
    QTest::newRow("submit, status report, relative validity A7")
        << CentroItalia + "0031FF" + mittente + "0000A705C374F81D02" << 1 << true << 255
        << "+393359609600"
        << "+39333123456" << 0 << "167" + Blank(11) << 5 << "Ciao!";
    QTest::newRow("submit, flash (F0 is 7-bit), national destination, validity FF")
        << CentroItalia + "0091FF0A81602143658700F0FF04D4F29C0E" << 1 << false << 255
        << "+393359609600"
        << "0612345678" << 0xF0 << "255" + Blank(11) << 4 << "Test";
    QTest::newRow("submit without validity: centre from the phone, no date")
        << QStringLiteral("0001FF") + mittente + "000003C1E110" << 1 << false << 255 << TelefonoSMSC
        << "+39333123456" << 0 << Blank(14) << 3 << "ACC";
    QTest::newRow("submit with absolute validity: a time stamp")
        << QStringLiteral("0019FF") + mittente + "00004210519000004003C1E110" << 1 << false << 255
        << TelefonoSMSC << "+39333123456" << 0 << "24011509000004" << 3 << "ACC";
    QTest::newRow("submit with enhanced validity: seven octets passed over")
        << QStringLiteral("0009FF") + mittente + "000001A7000000000003C1E110" << 1 << false << 255
        << TelefonoSMSC << "+39333123456" << 0 << Blank(14) << 3 << "ACC";
    QTest::newRow("8-bit data in Windows-1252")
        << deliver + mittente + "0004" + "4210519000004002" + "80E8" << 0 << false << 0
        << "+393359609600"
        << "+39333123456" << 4 << "24011509000004" << 2 << QStringLiteral("\u20AC\u00E8");
    QTest::newRow("class 0 8-bit (F4)") << deliver + mittente + "00F4" + "4210519000004003414243"
                                        << 0 << false << 0 << "+393359609600"
                                        << "+39333123456" << 0xF4 << "24011509000004" << 3 << "ABC";
    QTest::newRow("international by its type of number, whatever the numbering plan")
        << deliver + "0B909333133254F6" + "0000" + DataOra2001 + "05C8329BFD06" << 0 << false << 0
        << "+393359609600"
        << "+39333123456" << 0 << "01120412345000" << 5 << "Hello";
    QTest::newRow("odd-length national address of three digits")
        << QStringLiteral("0004038121F30000") + DataOra2001 + "05C8329BFD06" << 0 << false << 0
        << TelefonoSMSC << "123" << 0 << "01120412345000" << 5 << "Hello";
    QTest::newRow("odd-length address of 13 digits, extension characters, CR")
        << deliver + "0D91945111325476F80000" + "3221133295950A"
               + "12507959AF7FEB40B54DB9B1E1BDD71B1F"
        << 0 << false << 0 << "+393359609600"
        << "+4915112345678" << 0 << "231231235959A0" << 18
        << QStringLiteral("Prezzo: 5\u20AC\r\n[ok]");
    QTest::newRow("reserved message type reads as a deliver")
        << QStringLiteral("0007038121F30000") + DataOra2001 + "05C8329BFD06" << 3 << false << 0
        << TelefonoSMSC << "123" << 0 << "01120412345000" << 5 << "Hello";
    QTest::newRow("empty address")
        << QStringLiteral("000400810000") + DataOra2001 + "0141" << 0 << false << 0 << TelefonoSMSC
        << "???" << 0 << "01120412345000" << 1 << "A";
    QTest::newRow("seven characters in seven octets: nothing after them")
        << deliver + "0A8133133254760000" + "42309080507040" + "0731D98C56B3DD00" << 0 << false << 0
        << "+393359609600"
        << "3331234567" << 0 << "24030908050704" << 7 << "1234567";
    QTest::newRow("a lone CR gets an LF")
        << QStringLiteral("0004038121F30000") + DataOra2001 + "03E18618" << 0 << false << 0
        << TelefonoSMSC << "123" << 0 << "01120412345000" << 3 << "a\r\nb";
    QTest::newRow("CR LF stays a single line break")
        << QStringLiteral("0004038121F30000") + DataOra2001 + "04E186420C" << 0 << false << 0
        << TelefonoSMSC << "123" << 0 << "01120412345000" << 4 << "a\r\nb";
    QTest::newRow("UCS2") << deliver + mittente + "0008" + "42105190000040"
                                 + "0E004300690061006F002000E820AC"
                          << 0 << false << 0 << "+393359609600"
                          << "+39333123456" << 8 << "24011509000004" << 14
                          << QStringLiteral("Ciao \u00E8\u20AC");
    QTest::newRow("user data header skipped with its fill bit")
        << CentroItalia + "0044" + mittente + "0000" + "42105190000040"
               + "10050003CC0301A06139BD0CAABBDF"
        << 0 << false << 0 << "+393359609600"
        << "+39333123456" << 0 << "24011509000004" << 16 << "Parte uno";
    QTest::newRow("alphanumeric originator")
        << deliver + "09D0C2B07B1C06" + "0000" + "42209281030080" + "09D3309BFC06C56030" << 0
        << false << 0 << "+393359609600"
        << "Banca" << 0 << "24022918300008" << 9 << "Saldo 100";

    // First octet 06: a status report, no more messages waiting. The centre's time stamp comes
    // before the time of delivery (or of the last attempt), which is the one shown; the text
    // is the outcome.
    const QString scts = QStringLiteral("42105190000040");
    const QString consegna = QStringLiteral("42105190102040"); // 15/01/24 09:01:02, zone +01
    const QString verso = mittente + scts + consegna;
    const QString conCentro = CentroItalia + QStringLiteral("00062A") + verso;
    const auto esito = [](int voce) { return std::make_pair(int(Msg(voce).size()), Msg(voce)); };
    const auto [consegnato, testoConsegnato] = esito(802);
    QTest::newRow("status report, with the centre")
        << conCentro + "00" << 2 << false << 42 << "+393359609600"
        << "+39333123456" << 0 << "24011509010204" << consegnato << testoConsegnato;
    QTest::newRow("status report, no centre, national recipient, protocol and coding")
        << QStringLiteral("000607") + "0A816021436587" + "42209281030080" + "42209281130080" + "21"
               + "03" + "00" + "04"
        << 2 << false << 7 << TelefonoSMSC << "0612345678" << 4 << "24022918310008"
        << esito(803).first << esito(803).second;
    QTest::newRow("status report, alphanumeric recipient, a second parameter indicator")
        << CentroItalia + "0006FF" + "09D0C2B07B1C06" + scts + consegna + "46" + "86" + "00" + "08"
               + "00"
        << 2 << false << 255 << "+393359609600"
        << "Banca" << 8 << "24011509010204" << esito(804).first << esito(804).second;
    QTest::newRow("status report with user data")
        << conCentro + "00" + "07" + "00" + "00" + "05C8329BFD06" << 2 << false << 42
        << "+393359609600"
        << "+39333123456" << 0 << "24011509010204" << consegnato << testoConsegnato;
    QTest::newRow("status report, qualifier and header indicator set")
        << CentroItalia + "00662A" + verso + "01" << 2 << true << 42 << "+393359609600"
        << "+39333123456" << 0 << "24011509010204" << consegnato << testoConsegnato;
    // Completed, still trying, and no longer trying, whatever the reason within each range.
    const QList<QPair<const char*, int>> stati = {
        {"1F", 802}, {"20", 803}, {"3F", 803}, {"40", 804}, {"60", 804}, {"7F", 804}, {"FF", 804}};
    for (const auto& [stato, voce] : stati)
        QTest::addRow("status report, status %s", stato)
            << conCentro + stato << 2 << false << 42 << "+393359609600"
            << "+39333123456" << 0 << "24011509010204" << esito(voce).first << esito(voce).second;
}

void TestPDU::decodifica()
{
    QFETCH(QString, pdu);
    MessaggioSMS messaggio;
    messaggio.Stato = 3;

    DecodificaPDU(messaggio, pdu);

    QCOMPARE(messaggio.PDU, pdu);
    QCOMPARE(messaggio.Stato, uint8_t(3));
    QTEST(int(messaggio.Tipo), "tipo");
    QTEST(messaggio.RapportoStato, "rapportoStato");
    QTEST(int(messaggio.MR), "mr");
    QTEST(messaggio.SMSC, "smsc");
    QTEST(messaggio.Numero, "numero");
    QCOMPARE(messaggio.PID, uint8_t(0));
    QTEST(int(messaggio.DCS), "dcs");
    QTEST(messaggio.DataOra, "dataOra");
    QTEST(int(messaggio.LunghezzaDati), "lunghezzaDati");
    QTEST(messaggio.Testo, "testo");
}

void TestPDU::nessunCampoDelMessaggioPrecedente()
{
    MessaggioSMS messaggio;
    DecodificaPDU(messaggio, PDUCompleti.first().second);
    messaggio.Stato = 1;

    DecodificaPDU(messaggio, QStringLiteral("0001FF038121F3"));

    QCOMPARE(messaggio.Stato, uint8_t(1));
    QCOMPARE(messaggio.Numero, QStringLiteral("123"));
    QCOMPARE(messaggio.DataOra, Blank(14));
    QCOMPARE(messaggio.LunghezzaDati, int16_t(0));
    QVERIFY(messaggio.Testo.isEmpty());
}

void TestPDU::pduDifettosi_data()
{
    QTest::addColumn<QString>("pdu");

    QTest::newRow("empty") << QString();
    QTest::newRow("one digit") << QStringLiteral("0");
    QTest::newRow("odd length") << QStringLiteral("0791933395066900040B9");
    QTest::newRow("not hex") << QStringLiteral("ERRORE");
    QTest::newRow("reply text") << QStringLiteral("+CMGR: 0,,23\r\nOK");
    QTest::newRow("all FF") << QString(600, u'F');
    QTest::newRow("all 0") << QString(600, u'0');
    QTest::newRow("long garbage") << QStringLiteral("ZQ!7").repeated(50000);
    QTest::newRow("status report") << QStringLiteral("000607099121436587F9");
    QTest::newRow("user data length beyond the data")
        << QStringLiteral("0004038121F30000") + DataOra2001 + "A0C8";
    QTest::newRow("header longer than the user data")
        << QStringLiteral("0044038121F30000") + DataOra2001 + "10FF00";
    QTest::newRow("UCS2 with an odd octet")
        << QStringLiteral("0004038121F30008") + DataOra2001 + "0300410042";
    QTest::newRow("centre field longer than the PDU") << QStringLiteral("FF91");
    QTest::newRow("status report, parameter indicators to the end")
        << QStringLiteral("00062A038121F3") + QString(28, u'0') + "00" + QString(20, u'F');
    QTest::newRow("status report, recipient longer than the PDU")
        << QStringLiteral("00062AFF91") + QString(40, u'1');
}

// Whatever the input, the record holds safe values and the decoder reads nothing it lacks.
void TestPDU::pduDifettosi()
{
    QFETCH(QString, pdu);
    MessaggioSMS messaggio;
    messaggio.Stato = 2;

    DecodificaPDU(messaggio, pdu);

    QCOMPARE(messaggio.PDU, pdu);
    QCOMPARE(messaggio.Stato, uint8_t(2));
    QCOMPARE(messaggio.DataOra.size(), 14);
    QVERIFY(messaggio.LunghezzaDati >= 0 && messaggio.LunghezzaDati <= 255);
    QVERIFY(messaggio.Testo.size() <= 2 * messaggio.LunghezzaDati);
}

void TestPDU::prefissiDiPDU_data()
{
    QTest::addColumn<QString>("completo");
    for (const auto& [nome, pdu] : PDUCompleti)
        QTest::newRow(nome) << pdu;
}

// A PDU cut after any octet yields, field by field, either what the whole PDU gives or the empty
// value; the text is the beginning of the whole text.
void TestPDU::prefissiDiPDU()
{
    QFETCH(QString, completo);
    MessaggioSMS intero;
    DecodificaPDU(intero, completo);
    MessaggioSMS vuoto;
    DecodificaPDU(vuoto, QString());

    for (int lunghezza = 0; lunghezza < completo.size(); lunghezza += 2) {
        MessaggioSMS parte;
        DecodificaPDU(parte, completo.left(lunghezza));
        const auto intatto = [&](auto MessaggioSMS::*campo) {
            return parte.*campo == intero.*campo || parte.*campo == vuoto.*campo;
        };
        QVERIFY2(intatto(&MessaggioSMS::SMSC) && intatto(&MessaggioSMS::Tipo)
                     && intatto(&MessaggioSMS::RapportoStato) && intatto(&MessaggioSMS::MR)
                     && intatto(&MessaggioSMS::Numero) && intatto(&MessaggioSMS::PID)
                     && intatto(&MessaggioSMS::DCS) && intatto(&MessaggioSMS::DataOra)
                     && intatto(&MessaggioSMS::LunghezzaDati),
                 qPrintable(QString::number(lunghezza)));
        QVERIFY2(intero.Testo.startsWith(parte.Testo), qPrintable(QString::number(lunghezza)));
    }
}

void TestPDU::settetti_data()
{
    QTest::addColumn<QByteArray>("codici");
    QTest::addColumn<QByteArray>("ottetti");

    QTest::newRow("none") << QByteArray() << QByteArray();
    QTest::newRow("one") << QByteArray("A") << QByteArray::fromHex("41");
    QTest::newRow("Hello") << QByteArray("Hello") << QByteArray::fromHex("C8329BFD06");
    QTest::newRow("seven leave seven fill bits")
        << QByteArray("1234567") << QByteArray::fromHex("31D98C56B3DD00");
    QTest::newRow("eight take seven octets")
        << QByteArray("12345678") << QByteArray::fromHex("31D98C56B3DD70");
    QTest::newRow("all bits set") << QByteArray(9, '\x7F')
                                  << QByteArray::fromHex("FFFFFFFFFFFFFF7F");
}

void TestPDU::settetti()
{
    QFETCH(QByteArray, codici);
    QFETCH(QByteArray, ottetti);

    QCOMPARE(OttettiDaSettetti(codici), ottetti);
    QCOMPARE(SettettiDaOttetti(ottetti, 0, codici.size()), codici);
}

void TestPDU::settettiDopoIntestazione()
{
    const QByteArray ottetti = QByteArray::fromHex("C8329BFD06");

    QCOMPARE(SettettiDaOttetti(ottetti, 7, 4), QByteArray("ello"));
    QCOMPARE(SettettiDaOttetti(ottetti, 7, 100), QByteArray("ello"));
    QCOMPARE(SettettiDaOttetti(ottetti, 40, 1), QByteArray());
    QCOMPARE(SettettiDaOttetti(ottetti, 0, -1), QByteArray());
}

QTEST_GUILESS_MAIN(TestPDU)
#include "tst_pdu.moc"
