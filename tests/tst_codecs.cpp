#include "codecs.h"

#include <QTest>

#include <initializer_list>

namespace {

// A text as the serial line delivers it: one character per received byte.
QString TestoDaCodici(std::initializer_list<int> codici)
{
    QString testo;
    for (const int codice : codici)
        testo.append(CarattereDaByte(static_cast<uint8_t>(codice)));
    return testo;
}

QByteArray ByteDaCodici(std::initializer_list<int> codici)
{
    QByteArray bytes;
    for (const int codice : codici)
        bytes.append(static_cast<char>(codice));
    return bytes;
}

const QString Emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // U+1F600, a surrogate pair

} // namespace

class TstCodecs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void windows1252NamedBytes_data();
    void windows1252NamedBytes();
    void windows1252EveryByteRoundTrips();
    void windows1252CharactersWithoutByte_data();
    void windows1252CharactersWithoutByte();
    void codificaWindows1252_data();
    void codificaWindows1252();

    void hexInTesto_data();
    void hexInTesto();
    void hexInByte_data();
    void hexInByte();

    void alfabetoGSM();
    void everyCodeReadsAsACharacterThatEncodesBackToIt();
    void everyCharacterWrittenReadsBackAsItselfOrAsQuestionMark();
    void codesReadAndWrittenBackStayTheSame_data();
    void codesReadAndWrittenBackStayTheSame();
    void convertiTestoGSM_data();
    void convertiTestoGSM();
    void codificaTestoGSM_data();
    void codificaTestoGSM();
    void gsmRoundTrip_data();
    void gsmRoundTrip();

    void tagliaSpaziKeepsTabsAndNoBreakSpaces();
};

void TstCodecs::initTestCase()
{
    InitAlfabetoGSM();
}

void TstCodecs::windows1252NamedBytes_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<QChar>("carattere");

    QTest::newRow("0x00 NUL") << 0x00 << QChar(0x0000);
    QTest::newRow("0x41 A") << 0x41 << QChar(u'A');
    QTest::newRow("0x7F DEL") << 0x7F << QChar(0x007F);
    QTest::newRow("0x80 euro") << 0x80 << QChar(0x20AC);
    QTest::newRow("0x81 undefined") << 0x81 << QChar(0x0081);
    QTest::newRow("0x8A S caron") << 0x8A << QChar(0x0160);
    QTest::newRow("0x8D undefined") << 0x8D << QChar(0x008D);
    QTest::newRow("0x8F undefined") << 0x8F << QChar(0x008F);
    QTest::newRow("0x90 undefined") << 0x90 << QChar(0x0090);
    QTest::newRow("0x92 right quote") << 0x92 << QChar(0x2019);
    QTest::newRow("0x9D undefined") << 0x9D << QChar(0x009D);
    QTest::newRow("0x9F Y diaeresis") << 0x9F << QChar(0x0178);
    QTest::newRow("0xA0 no-break space") << 0xA0 << QChar(0x00A0);
    QTest::newRow("0xE8 e grave") << 0xE8 << QChar(0x00E8);
    QTest::newRow("0xFF y diaeresis") << 0xFF << QChar(0x00FF);
}

void TstCodecs::windows1252NamedBytes()
{
    QFETCH(int, byte);
    QFETCH(QChar, carattere);

    QCOMPARE(CarattereDaByte(static_cast<uint8_t>(byte)), carattere);
    QCOMPARE(ByteDaCarattere(carattere), byte);
}

void TstCodecs::windows1252EveryByteRoundTrips()
{
    QByteArray ogniByte;
    for (int byte = 0; byte < 256; ++byte) {
        QCOMPARE(ByteDaCarattere(CarattereDaByte(static_cast<uint8_t>(byte))), byte);
        ogniByte.append(static_cast<char>(byte));
    }

    const QString testo = DecodificaWindows1252(ogniByte);
    QCOMPARE(testo.size(), 256);
    QCOMPARE(CodificaWindows1252(testo), ogniByte);
}

void TstCodecs::windows1252CharactersWithoutByte_data()
{
    QTest::addColumn<QChar>("carattere");

    QTest::newRow("U+0100 A macron") << QChar(0x0100);
    QTest::newRow("U+0080, whose byte is the euro's") << QChar(0x0080);
    QTest::newRow("U+009F, whose byte is Y diaeresis") << QChar(0x009F);
    QTest::newRow("U+0394 Delta") << QChar(0x0394);
    QTest::newRow("U+FFFD replacement") << QChar(0xFFFD);
}

void TstCodecs::windows1252CharactersWithoutByte()
{
    QFETCH(QChar, carattere);

    QCOMPARE(ByteDaCarattere(carattere), -1);
    QCOMPARE(CodificaWindows1252(QString(carattere)), QByteArray("?"));
}

void TstCodecs::codificaWindows1252_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("ascii") << QStringLiteral("AT+CPBR=1,10") << QByteArray("AT+CPBR=1,10");
    QTest::newRow("e grave and euro") << QStringLiteral("è€") << ByteDaCodici({0xE8, 0x80});
    QTest::newRow("character without byte") << QStringLiteral("aĀb") << QByteArray("a?b");
    QTest::newRow("surrogate pair is one character")
        << QStringLiteral("a") + Emoji + QStringLiteral("b") << QByteArray("a?b");
}

void TstCodecs::codificaWindows1252()
{
    QFETCH(QString, testo);
    QFETCH(QByteArray, bytes);

    QCOMPARE(CodificaWindows1252(testo), bytes);
}

void TstCodecs::hexInTesto_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("testo");

    QTest::newRow("4142") << QStringLiteral("4142") << QStringLiteral("AB");
    QTest::newRow("41424: fifth digit alone")
        << QStringLiteral("41424") << TestoDaCodici({0x41, 0x42, 4});
    QTest::newRow("414: third digit ignored") << QStringLiteral("414") << QStringLiteral("A");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("one digit") << QStringLiteral("7") << TestoDaCodici({7});
    QTest::newRow("seven digits: last ignored")
        << QStringLiteral("1234567") << TestoDaCodici({0x12, 0x34, 0x56});
    QTest::newRow("4G: leading digit counts") << QStringLiteral("4G") << TestoDaCodici({4});
    QTest::newRow("G4: no leading digit") << QStringLiteral("G4") << TestoDaCodici({0});
    QTest::newRow("bad pair then good pair") << QStringLiteral("4 41") << TestoDaCodici({4, 0x41});
    QTest::newRow("both cases") << QStringLiteral("FFffaB") << TestoDaCodici({255, 255, 0xAB});
    QTest::newRow("80 is the euro") << QStringLiteral("80") << QString(QChar(0x20AC));
}

void TstCodecs::hexInTesto()
{
    QFETCH(QString, hex);
    QFETCH(QString, testo);

    QCOMPARE(HexInTesto(hex), testo);
}

void TstCodecs::hexInByte_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("0A0B") << QStringLiteral("0A0B") << ByteDaCodici({10, 11, 0});
    QTest::newRow("empty") << QString() << ByteDaCodici({0});
    QTest::newRow("high bytes") << QStringLiteral("FF80") << ByteDaCodici({255, 128, 0});
    QTest::newRow("one digit") << QStringLiteral("7") << ByteDaCodici({7, 0});
    QTest::newRow("three digits") << QStringLiteral("414") << ByteDaCodici({0x41, 0});
    QTest::newRow("five digits") << QStringLiteral("12345") << ByteDaCodici({0x12, 0x34, 5, 0});
    QTest::newRow("bad digits") << QStringLiteral("1GG1") << ByteDaCodici({1, 0, 0});
}

void TstCodecs::hexInByte()
{
    QFETCH(QString, hex);
    QFETCH(QByteArray, bytes);

    QByteArray risultato("previous content is replaced");
    HexInByte(hex, risultato);
    QCOMPARE(risultato, bytes);
}

void TstCodecs::alfabetoGSM()
{
    QCOMPARE(AlfabetoGSM[11], QChar(0x00D8));
    QCOMPARE(AlfabetoGSM[12], QChar(0x00F8));
    QCOMPARE(AlfabetoGSM[16], QChar(0x0394));
    QCOMPARE(AlfabetoGSM[18], QChar(0x03A6));
    QCOMPARE(AlfabetoGSM[26], QChar(0x039E));
    QCOMPARE(AlfabetoGSM[42], QChar(u'*'));
    QCOMPARE(AlfabetoGSM[64], QChar(0x00A1));
    QCOMPARE(AlfabetoGSM[96], QChar(0x00BF));
    QCOMPARE(AlfabetoGSM[27], QChar(u' '));
    QCOMPARE(AlfabetoGSM[128], QChar(0x0000));

    const auto primaVolta = AlfabetoGSM;
    InitAlfabetoGSM();
    QVERIFY(AlfabetoGSM == primaVolta);
}

void TstCodecs::everyCodeReadsAsACharacterThatEncodesBackToIt()
{
    for (int codice = 0; codice < 128; ++codice) {
        if (codice == 27)
            continue; // the escape, which is no character of its own
        const QString carattere(AlfabetoGSM[static_cast<std::size_t>(codice)]);
        QCOMPARE(CodificaTestoGSM(carattere), ByteDaCodici({codice}));
        QCOMPARE(ConvertiTestoGSM(TestoDaCodici({codice})), carattere);
    }
}

void TstCodecs::everyCharacterWrittenReadsBackAsItselfOrAsQuestionMark()
{
    for (char16_t c = 0; c < 0xD800; ++c) {
        const QString carattere(QChar{c});
        const QString riletto
            = ConvertiTestoGSM(DecodificaWindows1252(CodificaTestoGSM(carattere)));
        QVERIFY2(riletto == carattere || riletto == QStringLiteral("?"),
                 qPrintable(QString::number(c, 16) + QStringLiteral(" reads back as ") + riletto));
    }
}

void TstCodecs::codesReadAndWrittenBackStayTheSame_data()
{
    QTest::addColumn<QByteArray>("codici");

    QByteArray base;
    for (int codice = 0; codice < 128; ++codice) {
        if (codice != 27)
            base.append(static_cast<char>(codice));
    }
    QTest::newRow("every basic code") << base;
    QTest::newRow("Greek capitals") << ByteDaCodici({16, 18, 19, 20, 21, 22, 23, 24, 25, 26});
    QTest::newRow("inverted marks") << ByteDaCodici({96, 64});
    QTest::newRow("every extension") << ByteDaCodici(
        {27, 10, 27, 20, 27, 40, 27, 41, 27, 47, 27, 60, 27, 61, 27, 62, 27, 64, 27, 101});
    QTest::newRow("extensions among basic codes") << ByteDaCodici({16, 27, 61, 96, 27, 101, 0});
}

void TstCodecs::codesReadAndWrittenBackStayTheSame()
{
    QFETCH(QByteArray, codici);

    QCOMPARE(CodificaTestoGSM(ConvertiTestoGSM(DecodificaWindows1252(codici))), codici);
}

void TstCodecs::convertiTestoGSM_data()
{
    QTest::addColumn<QString>("codici");
    QTest::addColumn<QString>("testo");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("Hello") << TestoDaCodici({72, 101, 108, 108, 111}) << QStringLiteral("Hello");
    QTest::newRow("0 is the at sign") << TestoDaCodici({0}) << QStringLiteral("@");
    QTest::newRow("16 is Delta") << TestoDaCodici({16}) << QStringLiteral("Δ");
    QTest::newRow("96 is the inverted question mark") << TestoDaCodici({96}) << QStringLiteral("¿");
    QTest::newRow("Greek capitals")
        << TestoDaCodici({16, 18, 19, 20, 21, 22, 23, 24, 25, 26}) << QStringLiteral("ΔΦΓΛΩΠΨΣΘΞ");
    QTest::newRow("line breaks") << TestoDaCodici({10, 13}) << QStringLiteral("\n\r");
    QTest::newRow("128 is U+0000") << TestoDaCodici({128}) << QString(QChar(0x0000));
    QTest::newRow("200 is dropped") << TestoDaCodici({65, 200, 66}) << QStringLiteral("AB");
    QTest::newRow("no byte is dropped") << QStringLiteral("AĀB") << QStringLiteral("AB");
    QTest::newRow("27 101 is the euro") << TestoDaCodici({27, 101}) << QStringLiteral("€");
    QTest::newRow("27 before a basic code shows that code")
        << TestoDaCodici({27, 65, 27, 16, 27, 96, 27, 42}) << QStringLiteral("AΔ¿*");
    QTest::newRow("27 13 is the carriage return")
        << TestoDaCodici({27, 13}) << QStringLiteral("\r");
    QTest::newRow("trailing 27 is a space") << TestoDaCodici({65, 27}) << QStringLiteral("A ");
    QTest::newRow("27 27 40") << TestoDaCodici({27, 27, 40}) << QStringLiteral(" {");
    QTest::newRow("27 before a dropped code") << TestoDaCodici({27, 200}) << QStringLiteral(" ");
    QTest::newRow("27 before 128")
        << TestoDaCodici({27, 128}) << QStringLiteral(" ") + QChar(0x0000);
    QTest::newRow("every extension") << TestoDaCodici(
        {27, 10, 27, 20, 27, 40, 27, 41, 27, 47, 27, 60, 27, 61, 27, 62, 27, 64, 27, 101})
                                     << QStringLiteral("\f^{}\\[~]|€");
}

void TstCodecs::convertiTestoGSM()
{
    QFETCH(QString, codici);
    QFETCH(QString, testo);

    QCOMPARE(ConvertiTestoGSM(codici), testo);
}

void TstCodecs::codificaTestoGSM_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QByteArray>("codici");

    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("Nicolò") << QStringLiteral("Nicolò") << ByteDaCodici({78, 105, 99, 111, 108, 8});
    QTest::newRow("a_b@c") << QStringLiteral("a_b@c") << ByteDaCodici({97, 17, 98, 0, 99});
    QTest::newRow("€[x]") << QStringLiteral("€[x]") << ByteDaCodici({27, 101, 27, 60, 120, 27, 62});
    QTest::newRow("asterisk is 42") << QStringLiteral("*") << ByteDaCodici({42});
    QTest::newRow("tilde is an extension") << QStringLiteral("~") << ByteDaCodici({27, 61});
    QTest::newRow("other extensions")
        << QStringLiteral("\f^{}\\|")
        << ByteDaCodici({27, 10, 27, 20, 27, 40, 27, 41, 27, 47, 27, 64});
    QTest::newRow("Greek capitals")
        << QStringLiteral("ΔΦΓΛΩΠΨΣΘΞ") << ByteDaCodici({16, 18, 19, 20, 21, 22, 23, 24, 25, 26});
    QTest::newRow("inverted question mark") << QStringLiteral("¿") << ByteDaCodici({96});
    // The table has the capital only: the small letter written as 9 would read back capital.
    QTest::newRow("C cedilla, capital only") << QStringLiteral("Çç") << ByteDaCodici({9, 63});
    QTest::newRow("line breaks") << QStringLiteral("\r\n") << ByteDaCodici({13, 10});
    QTest::newRow("a acute has no code") << QStringLiteral("á") << ByteDaCodici({63});
    QTest::newRow("diaeresis and thorn have no code")
        << QStringLiteral("¨Þ") << ByteDaCodici({63, 63});
    QTest::newRow("escape is not a character") << QStringLiteral("\x1B") << ByteDaCodici({63});
    QTest::newRow("surrogate pair is one character") << Emoji << ByteDaCodici({63});
}

void TstCodecs::codificaTestoGSM()
{
    QFETCH(QString, testo);
    QFETCH(QByteArray, codici);

    QCOMPARE(CodificaTestoGSM(testo), codici);
}

void TstCodecs::gsmRoundTrip_data()
{
    QTest::addColumn<QString>("testo");

    QTest::newRow("empty") << QString();
    QTest::newRow("every character")
        << QStringLiteral("@£$¥èéùìòÇ\nØø\rÅåΔ_ΦΓΛΩΠΨΣΘΞÆæßÉ !\"#¤%&'()*+,-./0123456789:;<=>?"
                          "¡ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÑÜ§¿abcdefghijklmnopqrstuvwxyzäöñüà"
                          "\f^{}\\[~]|€");
    QTest::newRow("Italian name") << QStringLiteral("Nicolò Ferrè");
    QTest::newRow("punctuation") << QStringLiteral("Prezzo: 10€ [sconto ~5%] *2 {a|b} \\ ^");
    QTest::newRow("lines") << QStringLiteral("riga uno\r\nriga due\f");
}

void TstCodecs::gsmRoundTrip()
{
    QFETCH(QString, testo);

    QCOMPARE(ConvertiTestoGSM(DecodificaWindows1252(CodificaTestoGSM(testo))), testo);
}

void TstCodecs::tagliaSpaziKeepsTabsAndNoBreakSpaces()
{
    QCOMPARE(TagliaSpazi(QStringLiteral("  Anna  ")), QStringLiteral("Anna"));
    QCOMPARE(TagliaSpazi(QStringLiteral("\tAnna\u00A0 ")), QStringLiteral("\tAnna\u00A0"));
    QCOMPARE(TagliaSpazi(QStringLiteral("   ")), QString());
    QCOMPARE(TagliaSpazi(QString()), QString());
}

QTEST_APPLESS_MAIN(TstCodecs)
#include "tst_codecs.moc"
