// The look-ups over the phonebook table, the number check, the entry dialog's checks, and the
// AT texts the phonebook reads and writes.

#include "catalogo.h"
#include "codecs.h"
#include "globali.h"
#include "inputvoce.h"
#include "ricerche.h"
#include "righeat.h"
#include "scambiorubrica.h"
#include "setcaratteri.h"
#include "tabelle.h"
#include "vocabolario.h"

#include <QtTest>

class TstRubricaRicerche : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TestiInglesi(); }

    void init()
    {
        Telefono = DatiTelefono{};
        Telefono.RubTotale = {5, 2, 300, 0};
        Voce(0, 2, "Anna", "0612345");
        Voce(0, 4, "", "+3900"); // a number with no name
        Voce(1, 1, "Fisso", "+44123");
        Voce(2, 1, "Anna", "555");     // same name as the SIM's
        Voce(2, 2, "Ugo!", "0612345"); // same number as the SIM's
        Voce(2, 250, "Ultimo", "250");
        Telefono.Rubrica[3][1] = {"1", "Oltre", "999", false}; // beyond memory 3's total
    }

    void nomeDaNumero_data()
    {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("nome");
        QTest::newRow("exact, SIM first") << "0612345"
                                          << "Anna";
        QTest::newRow("+cc to 0") << "+39612345"
                                  << "Anna";
        QTest::newRow("any two-character code") << "+1x612345"
                                                << "Anna";
        QTest::newRow("0 to +cc") << "0123"
                                  << "Fisso";
        QTest::newRow("three-digit code") << "+390612345"
                                          << "+390612345";
        QTest::newRow("unknown") << "777"
                                 << "777";
        QTest::newRow("entry without name") << "+3900"
                                            << "+3900";
        QTest::newRow("last position kept") << "250"
                                            << "Ultimo";
        QTest::newRow("beyond the total") << "999"
                                          << "999";
        QTest::newRow("lone plus") << "+"
                                   << "+";
        QTest::newRow("empty") << ""
                               << "";
    }

    void nomeDaNumero()
    {
        QFETCH(QString, numero);
        QFETCH(QString, nome);
        QCOMPARE(CercaNomeDaNumero(numero), nome);
    }

    void numeroDaNome_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("numero");
        QTest::newRow("SIM before phone") << "Anna"
                                          << "0612345";
        QTest::newRow("phone only, mark included") << "Ugo!"
                                                   << "0612345";
        QTest::newRow("mark is part of the name") << "Ugo" << Msg(333);
        QTest::newRow("case matters") << "anna" << Msg(333);
        QTest::newRow("special SIM") << "Fisso"
                                     << "+44123";
        QTest::newRow("an empty name finds no entry") << "" << Msg(333);
    }

    void numeroDaNome()
    {
        QFETCH(QString, nome);
        QFETCH(QString, numero);
        QCOMPARE(CercaNumeroDaNome(nome), numero);
        QCOMPARE(Msg(333), QStringLiteral("Unknow"));
    }

    void validaNumero_data()
    {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<bool>("valido");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("lone plus") << "+" << true;
        QTest::newRow("international") << "+39333123" << true;
        QTest::newRow("codes") << "*31#0612" << true;
        QTest::newRow("two plus") << "++39" << false;
        QTest::newRow("plus inside") << "39+3" << false;
        QTest::newRow("space") << "061 2" << false;
        QTest::newRow("dash") << "06-12" << false;
        QTest::newRow("letter") << "06a" << false;
        QTest::newRow("bracket") << "(06)" << false;
        QTest::newRow("other digits") << QStringLiteral("٣٣") << false;
    }

    void validaNumero()
    {
        QFETCH(QString, numero);
        QFETCH(bool, valido);
        QCOMPARE(ValidaNumero(numero), valido);
    }

    // The red mark wherever a name is written: exactly one when the entry is red, none
    // otherwise; a name cut to a limit gives way before its mark, which it keeps. Cut by
    // characters, as the file's field is, and by GSM codes, as the phone's memory is.
    void nomeDaScrivere_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<bool>("rossa");
        QTest::addColumn<int>("limite");
        QTest::addColumn<QString>("perCaratteri");
        QTest::addColumn<QString>("perCodici");
        QTest::newRow("red gets one mark") << "Anna" << true << 0 << "Anna!"
                                           << "Anna!";
        QTest::newRow("mark already there") << "Anna!" << true << 0 << "Anna!"
                                            << "Anna!";
        QTest::newRow("unticked takes it off") << "Anna!" << false << 0 << "Anna"
                                               << "Anna";
        QTest::newRow("one mark of two is the name's") << "Bob!!" << true << 3 << "Bo!"
                                                       << "Bo!";
        QTest::newRow("red name that fits") << "abc!" << true << 4 << "abc!"
                                            << "abc!";
        QTest::newRow("red name cut before its mark") << "abcdef!" << true << 4 << "abc!"
                                                      << "abc!";
        QTest::newRow("plain name cut") << "abcdef" << false << 4 << "abcd"
                                        << "abcd";
        QTest::newRow("room for the mark alone") << "abc!" << true << 1 << "!"
                                                 << "!";
        QTest::newRow("extension kept whole")
            << QStringLiteral("ab€") << false << 3 << QStringLiteral("ab€") << "ab";
        QTest::newRow("red, extension kept whole")
            << QStringLiteral("ab€!") << true << 4 << QStringLiteral("ab€!") << "ab!";
        QTest::newRow("characters GSM lacks")
            << QStringLiteral("日本!") << true << 2 << QStringLiteral("日!") << "?!";
    }

    void nomeDaScrivere()
    {
        QFETCH(QString, nome);
        QFETCH(bool, rossa);
        QFETCH(int, limite);
        QFETCH(QString, perCaratteri);
        QFETCH(QString, perCodici);
        const TaglioTesto caratteri
            = [](const QString& testo, int quanti) { return testo.left(quanti); };
        QCOMPARE(NomeDaScrivere(nome, rossa, limite, caratteri), perCaratteri);
        QCOMPARE(NomeRosso(NomeDaScrivere(nome, rossa)), rossa);
        // The phone gets a name as it stands, red when it ends in the mark.
        if (NomeRosso(nome) == rossa)
            QCOMPARE(NomeAT(nome, SetCaratteri::GSM, limite),
                     CodificaStringaAT(CodificaTestoGSM(perCodici)));
    }

    // The name's length in the units of the phone's character set: GSM codes, an extension
    // character two of them; the characters of any other set.
    void controlliDelDialogo_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<bool>("rossa");
        QTest::addColumn<int>("maxNome");
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("errore");
        const int gsm = int(SetCaratteri::GSM);
        QTest::newRow("red fits") << "Anna" << true << 16 << gsm << 0;
        QTest::newRow("mark counts") << "Quattordici ch" << true << 14 << gsm << 386;
        QTest::newRow("fits without mark") << "Quattordici ch" << false << 14 << gsm << 0;
        QTest::newRow("extension takes two")
            << QStringLiteral("123456789012345€") << false << 16 << gsm << 386;
        QTest::newRow("extension fits")
            << QStringLiteral("12345678901234€") << false << 16 << gsm << 0;
        QTest::newRow("no limit known") << QString(40, 'x') << false << 0 << gsm << 0;
        QTest::newRow("IRA counts characters")
            << "Jo@x_$[~]\\^|{}" << false << 14 << int(SetCaratteri::IRA) << 0;
    }

    void controlliDelDialogo()
    {
        QFETCH(QString, nome);
        QFETCH(bool, rossa);
        QFETCH(int, maxNome);
        QFETCH(int, set);
        QFETCH(int, errore);
        QCOMPARE(ErroreVoce(nome, "0612", rossa, {0, maxNome}, SetCaratteri(set)), errore);
    }

    void numeroNonValidoNelDialogo()
    {
        const SetCaratteri gsm = SetCaratteri::GSM;
        QCOMPARE(ErroreVoce("Anna", "06 12", false, {20, 16}, gsm), 387);
        QCOMPARE(ErroreVoce("Anna", "", false, {20, 16}, gsm), 387);
        // The number's length counts its digits: a leading "+" is none.
        QCOMPARE(ErroreVoce("Anna", "+1234", false, {4, 16}, gsm), 0);
        QCOMPARE(ErroreVoce("Anna", "1234", false, {4, 16}, gsm), 0);
        QCOMPARE(ErroreVoce("Anna", "+12345", false, {4, 16}, gsm), 387);
        QCOMPARE(ErroreVoce("Anna", "12345", false, {4, 16}, gsm), 387);
        QCOMPARE(ErroreVoce("Anna", "12345", false, {0, 16}, gsm), 0);
    }

    // Names as the phone takes them, in its character set: cut to the limit counted in GSM
    // codes, the user's own characters kept; the bytes go as the line's characters for them.
    // The letters the set cannot carry are told before.
    void stringheAT_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("limite");
        QTest::addColumn<QString>("parametro");
        QTest::addColumn<QString>("mancanti");
        const int gsm = int(SetCaratteri::GSM);
        const int ira = int(SetCaratteri::IRA);
        const int ucs2 = int(SetCaratteri::UCS2);
        const int latin1 = int(SetCaratteri::Latin1);
        const int utf8 = int(SetCaratteri::UTF8);
        QTest::newRow("empty") << "" << gsm << 0 << "\"\""
                               << "";
        QTest::newRow("plain") << "Anna Rossi" << gsm << 0 << "\"Anna Rossi\""
                               << "";
        QTest::newRow("quote and backslash") << "a\"b\\c" << gsm << 0 << "\"a\\22b\\1B/c\""
                                             << "";
        QTest::newRow("GSM codes")
            << QStringLiteral("Nicolò a_b@c") << gsm << 0 << "\"Nicol\\08 a\\11b\\00c\""
            << "";
        QTest::newRow("dollar and e grave") << QStringLiteral("$è") << gsm << 0 << "\"\\02\\04\""
                                            << "";
        QTest::newRow("cut to the limit") << "abcdef" << gsm << 4 << "\"abcd\""
                                          << "";
        QTest::newRow("extension kept whole") << QStringLiteral("ab€") << gsm << 3 << "\"ab\""
                                              << "";
        QTest::newRow("extension fits") << QStringLiteral("ab€") << gsm << 4 << "\"ab\\1Be\""
                                        << "";
        QTest::newRow("capitals GSM lacks")
            << QStringLiteral("ÀàÈèÉé") << gsm << 0 << "\"?\\7F?\\04\\1F\\05\""
            << "À È";
        QTest::newRow("IRA") << "a\"b~@" << ira << 0 << "\"a\\22b~@\""
                             << "";
        QTest::newRow("IRA lacks accents")
            << QStringLiteral("Jo@x_è$") << ira << 0 << "\"Jo@x_?$\"" << QStringLiteral("è");
        QTest::newRow("8859-1") << QStringLiteral("Café") << latin1 << 0
                                << QStringLiteral("\"Café\"") << "";
        QTest::newRow("8859-1 lacks the euro")
            << QStringLiteral("5€ Œ") << latin1 << 0 << "\"5? ?\"" << QStringLiteral("€ Œ");
        QTest::newRow("UCS2") << "Jo" << ucs2 << 0 << "\"004A006F\""
                              << "";
        QTest::newRow("UCS2 cut, letters GSM lacks kept")
            << QStringLiteral("ÀÈabc") << ucs2 << 3 << "\"00C000C80061\""
            << "";
        QTest::newRow("UCS2 lacks what is beyond U+FFFF")
            << QStringLiteral("a\U0001F600") << ucs2 << 0 << "\"0061003F\""
            << QStringLiteral("\U0001F600");
        // É is C3 89 in UTF-8: 89 is "‰" on the line, and goes as that byte.
        QTest::newRow("UTF-8 bytes 0x80 to 0x9F")
            << QStringLiteral("Éà") << utf8 << 0 << QStringLiteral("\"Ã‰Ã\u00A0\"") << "";
    }

    void stringheAT()
    {
        QFETCH(QString, nome);
        QFETCH(int, set);
        QFETCH(int, limite);
        QFETCH(QString, parametro);
        QFETCH(QString, mancanti);
        QCOMPARE(NomeAT(nome, SetCaratteri(set), limite), parametro);
        QCOMPARE(LettereNonScrivibili(nome, SetCaratteri(set)), mancanti);
    }

    // A number is cut to the digits its memory takes; a leading "+" is no digit.
    void numeriAT_data()
    {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<int>("limite");
        QTest::addColumn<QString>("parametro");
        QTest::newRow("no limit") << "+39333" << 0 << "\"+39333\"";
        QTest::newRow("cut to the limit") << "0123456789" << 4 << "\"0123\"";
        QTest::newRow("international as long as the limit")
            << "+12345678901234567890" << 20 << "\"+12345678901234567890\"";
        QTest::newRow("international past the limit")
            << "+123456789012345678901" << 20 << "\"+12345678901234567890\"";
        QTest::newRow("national as long as the limit")
            << "12345678901234567890" << 20 << "\"12345678901234567890\"";
        QTest::newRow("national past the limit")
            << "123456789012345678901" << 20 << "\"12345678901234567890\"";
    }

    void numeriAT()
    {
        QFETCH(QString, numero);
        QFETCH(int, limite);
        QFETCH(QString, parametro);
        QCOMPARE(NumeroAT(numero, limite), parametro);
    }

    // An international number told by its type alone, as long as the memory takes, goes back
    // whole: the "+" it gets is no digit.
    void numeroInternazionaleLettoERiscritto()
    {
        PosizioniMemoria memoria{};
        DecodificaVoceRubrica("1,\"12345678901234567890\",145,\"Bob\"", memoria);
        const Lunghezze limiti = LeggiLunghezze("+CPBR: (1-250),20,14");
        QCOMPARE(memoria[1].Numero, QStringLiteral("+12345678901234567890"));
        QCOMPARE(NumeroAT(memoria[1].Numero, limiti.numero),
                 QStringLiteral("\"+12345678901234567890\""));
        QCOMPARE(TipoNumero(memoria[1].Numero), QStringLiteral("145"));
    }

    void tipiECodificaAT()
    {
        QCOMPARE(TipoNumero("+39"), QStringLiteral("145"));
        for (const char* numero : {"0612", "*31#", "#21#", ""})
            QCOMPARE(TipoNumero(numero), QStringLiteral("129"));
        QCOMPARE(CodificaStringaAT(QByteArray("\r\n\x1A\x7F", 4)),
                 QStringLiteral("\"\\0D\\0A\\1A\\7F\""));
    }

    void risposteDelTelefono()
    {
        QCOMPARE(LeggiStatoMemoria("+CPBS: \"SM\",12,250").usate, 12);
        QCOMPARE(LeggiStatoMemoria("+CPBS: \"SM\",12,250").totale, 250);
        QVERIFY(!LeggiStatoMemoria("ERRORE").totaleLetto);
        QCOMPARE(LeggiLunghezze("+CPBR: (1-250),40,16").numero, 40);
        QCOMPARE(LeggiLunghezze("+CPBR: (1-250),40,16").nome, 16);
        QCOMPARE(LeggiLunghezze("+CPBR: (1-500),120,100").nome, 100);
        QCOMPARE(LeggiLunghezze("ERRORE").nome, 0);
        QVERIFY(RispostaOk("\r\nOK\r\n"));
        QVERIFY(!RispostaOk("ERRORE"));
        QVERIFY(!RispostaOk(""));
    }

    // The counts of "AT+CPBS?" by their fields, whatever the spacing. A total is a whole number
    // of digits: one larger than the table's 16-bit counts is held at their largest, anything
    // else is no total (-1 here). A used count out of range is unknown, 0.
    void statoMemoriaPerCampi_data()
    {
        QTest::addColumn<QString>("corpo");
        QTest::addColumn<int>("usate");
        QTest::addColumn<int>("totale");
        QTest::newRow("no space after the colon") << "+CPBS:\"SM\",3,100" << 3 << 100;
        QTest::newRow("four digits") << "+CPBS: \"ME\",1234,2000" << 1234 << 2000;
        QTest::newRow("one digit") << "+CPBS: \"ON\",1,3" << 1 << 3;
        QTest::newRow("blanks around fields") << "+CPBS: \"SM\" , 3 , 100 " << 3 << 100;
        QTest::newRow("storage unquoted") << "+CPBS: SM,3,100" << 3 << 100;
        QTest::newRow("total 0") << "+CPBS: \"SM\",0,0" << 0 << 0;
        QTest::newRow("storage only") << "+CPBS: \"SM\"" << 0 << -1;
        QTest::newRow("after another line") << "RING\r\n+CPBS: \"SM\",2,10" << 2 << 10;
        QTest::newRow("more used than total") << "+CPBS: \"SM\",7,5" << 0 << 5;
        QTest::newRow("total beyond 16 bits") << "+CPBS: \"SM\",1,32768" << 1 << 32767;
        QTest::newRow("total 40000") << "+CPBS: \"SM\",3,40000" << 3 << 32767;
        QTest::newRow("total beyond int") << "+CPBS: \"SM\",3,99999999999999" << 3 << 32767;
        QTest::newRow("largest total") << "+CPBS: \"SM\",1,32767" << 1 << 32767;
        QTest::newRow("negative") << "+CPBS: \"SM\",-1,-5" << 0 << -1;
        QTest::newRow("trailing garbage") << "+CPBS: \"SM\",3x,10y" << 0 << -1;
        QTest::newRow("empty total") << "+CPBS: \"SM\",3," << 0 << -1;
        QTest::newRow("no prefix") << "\"SM\",3,100" << 0 << -1;
        QTest::newRow("bare OK") << "\r\nOK\r\n" << 0 << -1;
        QTest::newRow("error") << "ERRORE" << 0 << -1;
    }

    void statoMemoriaPerCampi()
    {
        QFETCH(QString, corpo);
        QFETCH(int, usate);
        QFETCH(int, totale);
        const StatoMemoria stato = LeggiStatoMemoria(corpo);
        QCOMPARE(stato.usate, usate);
        QCOMPARE(stato.totaleLetto, totale >= 0);
        QCOMPARE(stato.totale, std::max(totale, 0));
    }

    // The last position of "AT+CPBR=?", from its range of positions when that is one run from
    // 1; -1 here for none.
    void ultimaPosizione_data()
    {
        QTest::addColumn<QString>("corpo");
        QTest::addColumn<int>("ultima");
        QTest::newRow("plain") << "+CPBR: (1-250),20,14" << 250;
        QTest::newRow("no space, range alone") << "+CPBR:(1-10)" << 10;
        QTest::newRow("blanks inside") << "+CPBR: ( 1 - 30 ),20,14" << 30;
        QTest::newRow("one position") << "+CPBR: (1-1),20,14" << 1;
        QTest::newRow("beyond 16 bits") << "+CPBR: (1-40000),20,14" << 32767;
        QTest::newRow("two runs") << "+CPBR: (1-100,200-250),20,14" << -1;
        QTest::newRow("not from 1") << "+CPBR: (0-249),20,14" << -1;
        QTest::newRow("empty run") << "+CPBR: (1-0),20,14" << -1;
        QTest::newRow("negative") << "+CPBR: (1--3),20,14" << -1;
        QTest::newRow("garbled") << "+CPBR: (1-x),20,14" << -1;
        QTest::newRow("no parentheses") << "+CPBR: 1-250,20,14" << -1;
        QTest::newRow("error") << "ERRORE" << -1;
    }

    void ultimaPosizione()
    {
        QFETCH(QString, corpo);
        QFETCH(int, ultima);
        QCOMPARE(UltimaPosizione(corpo).value_or(-1), ultima);
    }

    // The lengths of "AT+CPBR=?" by their fields: the range may hold commas, more lengths may
    // follow; a length beyond a byte is unknown, 0.
    void lunghezzePerCampi_data()
    {
        QTest::addColumn<QString>("corpo");
        QTest::addColumn<int>("numero");
        QTest::addColumn<int>("nome");
        QTest::newRow("no space after the colon") << "+CPBR:(1-250),40,16" << 40 << 16;
        QTest::newRow("one digit") << "+CPBR: (1-10),8,9" << 8 << 9;
        QTest::newRow("three digits") << "+CPBR: (1-500),120,100" << 120 << 100;
        QTest::newRow("optional lengths after") << "+CPBR: (1-250),20,14,10,5,30" << 20 << 14;
        QTest::newRow("range with a comma") << "+CPBR: (1-100,200-250),20,14" << 20 << 14;
        QTest::newRow("number length left out") << "+CPBR: (1-250),,14" << 0 << 14;
        QTest::newRow("beyond a byte") << "+CPBR: (1-250),256,999" << 0 << 0;
        QTest::newRow("negative") << "+CPBR: (1-250),-1,-7" << 0 << 0;
    }

    void lunghezzePerCampi()
    {
        QFETCH(QString, corpo);
        QFETCH(int, numero);
        QFETCH(int, nome);
        const Lunghezze lunghezze = LeggiLunghezze(corpo);
        QCOMPARE(lunghezze.numero, numero);
        QCOMPARE(lunghezze.nome, nome);
    }

    // Entry lines by their fields: the position of any number of digits, the name to its own
    // closing quote (commas, quotes and escaped quotes inside it, optional fields after it), the
    // type telling an international number.
    void righeVocePerCampi_data()
    {
        QTest::addColumn<QString>("corpo");
        QTest::addColumn<int>("posizione");
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("nome"); // none: unknown
        QTest::addColumn<int>("set");
        const int gsm = int(SetCaratteri::GSM);
        QTest::newRow("no space after the colon")
            << "+CPBR:12,\"0612\",129,\"Anna\"" << 12 << "0612"
            << "Anna" << gsm;
        QTest::newRow("three digits") << "+CPBR: 123,\"0612\",129,\"Tre\"" << 123 << "0612"
                                      << "Tre" << gsm;
        QTest::newRow("optional field after the name") << "+CPBR: 1,\"1\",129,\"Bob\",0" << 1 << "1"
                                                       << "Bob" << gsm;
        QTest::newRow("several optional fields")
            << "+CPBR: 2,\"2\",129,\"Bob!\",1,\"Amici\",\"\",,\"\",\"bob@x.it\"" << 2 << "2"
            << "Bob!" << gsm;
        QTest::newRow("comma in the name") << "+CPBR: 3,\"3\",129,\"Rossi, Anna\"" << 3 << "3"
                                           << "Rossi, Anna" << gsm;
        QTest::newRow("comma in the name, field after")
            << "+CPBR: 3,\"3\",129,\"Rossi, Anna\",0" << 3 << "3"
            << "Rossi, Anna" << gsm;
        QTest::newRow("quote in the name as it is") << "+CPBR: 4,\"4\",129,\"a\"b\"" << 4 << "4"
                                                    << "a\"b" << gsm;
        QTest::newRow("escaped quotes in the name")
            << "+CPBR: 5,\"5\",129,\"Dico \\22ciao\\22, poi\",0" << 5 << "5"
            << "Dico \"ciao\", poi" << gsm;
        QTest::newRow("backslash that escapes nothing is the code of Ö")
            << "+CPBR: 5,\"5\",129,\"\\\"A\\\",0" << 5 << "5" << QStringLiteral("Ö\"AÖ") << gsm;
        QTest::newRow("blanks around fields") << "+CPBR: 6 , \"6\" , 129 , \"Spazi\" " << 6 << "6"
                                              << "Spazi" << gsm;
        QTest::newRow("international by its type")
            << "+CPBR: 7,\"390612\",145,\"Estero\"" << 7 << "+390612"
            << "Estero" << gsm;
        QTest::newRow("international with its plus")
            << "+CPBR: 7,\"+390612\",145,\"Estero\"" << 7 << "+390612"
            << "Estero" << gsm;
        QTest::newRow("type out of range") << "+CPBR: 8,\"0612\",999,\"Tipo\"" << 8 << "0612"
                                           << "Tipo" << gsm;
        QTest::newRow("national type") << "+CPBR: 9,\"390612\",161,\"Nazionale\"" << 9 << "390612"
                                       << "Nazionale" << gsm;
        QTest::newRow("name without its closing quote")
            << "+CPBR: 10,\"0612\",129,\"Anna" << 10 << "0612"
            << "Anna" << gsm;
        const int ucs2 = int(SetCaratteri::UCS2);
        const int utf8 = int(SetCaratteri::UTF8);
        const int ira = int(SetCaratteri::IRA);
        QTest::newRow("UCS2") << "+CPBR: 1,\"0612\",129,\"0042006F00620021\"" << 1 << "0612"
                              << "Bob!" << ucs2;
        QTest::newRow("UCS2 of odd length")
            << "+CPBR: 1,\"0612\",129,\"00410\"" << 1 << "0612" << QString() << ucs2;
        QTest::newRow("UCS2 not hex")
            << "+CPBR: 1,\"0612\",129,\"00G1\"" << 1 << "0612" << QString() << ucs2;
        QTest::newRow("UCS2 lone surrogate")
            << "+CPBR: 1,\"0612\",129,\"D83D0041\"" << 1 << "0612" << QString() << ucs2;
        QTest::newRow("UCS2 number")
            << "+CPBR: 2,\"002B00330039003300330033\",145,\"\"" << 2 << "+39333"
            << "" << ucs2;
        QTest::newRow("UCS2 number of one digit") << "+CPBR: 2,\"0031\",129,\"\"" << 2 << "1"
                                                  << "" << ucs2;
        QTest::newRow("UCS2 number with its type") << "+CPBR: 2,\"00330039\",145,\"\"" << 2 << "+39"
                                                   << "" << ucs2;
        QTest::newRow("UCS2, a number that is hex of no digit")
            << "+CPBR: 2,\"1234\",129,\"\"" << 2 << "1234"
            << "" << ucs2;
        // The line carries a byte as a character: 0x89 is "‰".
        QTest::newRow("UTF-8") << QStringLiteral("+CPBR: 3,\"06\",129,\"CafÃ©Ã‰\"") << 3 << "06"
                               << QStringLiteral("CaféÉ") << utf8;
        QTest::newRow("UTF-8 invalid")
            << QStringLiteral("+CPBR: 3,\"06\",129,\"CafÃ(\"") << 3 << "06" << QString() << utf8;
        QTest::newRow("UTF-8 cut short")
            << QStringLiteral("+CPBR: 3,\"06\",129,\"CafÃ\"") << 3 << "06" << QString() << utf8;
        QTest::newRow("IRA") << "+CPBR: 4,\"06\",129,\"Mail@Home_$1~\"" << 4 << "06"
                             << "Mail@Home_$1~" << ira;
        QTest::newRow("IRA high byte")
            << QStringLiteral("+CPBR: 4,\"06\",129,\"Café\"") << 4 << "06" << QString() << ira;
        QTest::newRow("8859-1") << QStringLiteral("+CPBR: 4,\"06\",129,\"Café\"") << 4 << "06"
                                << QStringLiteral("Café") << int(SetCaratteri::Latin1);
        QTest::newRow("unknown set") << "+CPBR: 5,\"06\",129,\"Anna\"" << 5 << "06" << QString()
                                     << int(SetCaratteri::Ignoto);
        QTest::newRow("unknown set, no name") << "+CPBR: 5,\"06\",129,\"\"" << 5 << "06"
                                              << "" << int(SetCaratteri::Ignoto);
        // GSM codes are 7-bit: bytes 0xE9, and 0xC3 0xA9, are no GSM text.
        QTest::newRow("GSM byte above 127")
            << QStringLiteral("+CPBR: 1,\"06\",129,\"José\"") << 1 << "06" << QString() << gsm;
        QTest::newRow("GSM, UTF-8 bytes")
            << QStringLiteral("+CPBR: 1,\"06\",129,\"JosÃ©\"") << 1 << "06" << QString() << gsm;
        QTest::newRow("GSM escape before no extension code") << "+CPBR: 1,\"06\",129,\"A\x1B"
                                                                "B\""
                                                             << 1 << "06" << QString() << gsm;
        QTest::newRow("GSM escape at the end")
            << "+CPBR: 1,\"06\",129,\"A\x1B\"" << 1 << "06" << QString() << gsm;
        QTest::newRow("UCS2 NUL") << "+CPBR: 1,\"06\",129,\"00410000\"" << 1 << "06" << QString()
                                  << ucs2;
        QTest::newRow("8859-1 NUL") << "+CPBR: 1,\"06\",129,\"A\\00B\"" << 1 << "06" << QString()
                                    << int(SetCaratteri::Latin1);
        // A phone in UCS2 may give the name's hex unquoted; in another set a bare field may be
        // cut at a comma of the name.
        QTest::newRow("UCS2 unquoted")
            << "+CPBR: 19,\"030450566735\",129,004D0061006D0061" << 19 << "030450566735"
            << "Mama" << ucs2;
        QTest::newRow("UCS2 unquoted, field after")
            << "+CPBR: 2,\"06\",129,004D0061 ,0" << 2 << "06"
            << "Ma" << ucs2;
        QTest::newRow("UCS2 unquoted, not hex")
            << "+CPBR: 2,\"06\",129,Mama" << 2 << "06" << QString() << ucs2;
        QTest::newRow("GSM unquoted")
            << "+CPBR: 2,\"06\",129,Rossi, Anna" << 2 << "06" << QString() << gsm;
        QTest::newRow("GSM unquoted, empty") << "+CPBR: 2,\"06\",129,,0" << 2 << "06"
                                             << "" << gsm;
        QTest::newRow("empty field before the number")
            << "+CPBR: 1,,\"+31234657899\",145,\"Mama GSM\"" << 1 << "+31234657899"
            << "Mama GSM" << gsm;
    }

    void righeVocePerCampi()
    {
        QFETCH(QString, corpo);
        QFETCH(int, posizione);
        QFETCH(QString, numero);
        QFETCH(QString, nome);
        QFETCH(int, set);
        SetTelefono = SetCaratteri(set);
        PosizioniMemoria memoria{};
        for (const QString& riga : RigheVoci(corpo))
            DecodificaVoceRubrica(riga, memoria);
        const VoceRubrica& voce = memoria[static_cast<size_t>(posizione)];
        QCOMPARE(voce.Posizione, QString::number(posizione));
        QCOMPARE(voce.Numero, numero);
        QCOMPARE(voce.Nome, nome);
        QCOMPARE(voce.NomeIgnoto, nome.isNull());
        QCOMPARE(voce.Rossa, nome.endsWith(QLatin1Char('!')));

        PosizioniLista lista{};
        for (const QString& riga : RigheVoci(corpo))
            DecodificaVoceChiamata(riga, lista);
        if (posizione <= MaxChiamate) {
            QCOMPARE(lista[static_cast<size_t>(posizione)].Numero, numero);
            QCOMPARE(lista[static_cast<size_t>(posizione)].Nome, nome);
            QCOMPARE(lista[static_cast<size_t>(posizione)].NomeIgnoto, nome.isNull());
        }
        SetTelefono = SetCaratteri::GSM;
    }

    void righeDiLettura()
    {
        QVERIFY(RigheVoci("\r\nOK\r\n").isEmpty());
        const QString corpo = "+CPBR: 1,\"+39333\",145,\"Anna\"\r\n"
                              "+CPBR: 251,\"1\",129,\"Oltre\"\r\n"
                              "+CPBR: 7,\"0612\",129,\"Bob!\"\r\n"
                              "+CPBR: 9,\"055\",129,\"\x04\x11\"\r\n"
                              "+CPBR: 3,guasta\r\n"
                              "+CPBR: 4,\"06\",129,\"";
        PosizioniMemoria memoria{};
        int nonLette = 0;
        for (const QString& riga : RigheVoci(corpo))
            nonLette += DecodificaVoceRubrica(riga, memoria) ? 0 : 1;
        QCOMPARE(nonLette, 1); // the position 251 is read, but not held
        QCOMPARE(memoria[1].Nome, QStringLiteral("Anna"));
        QCOMPARE(memoria[1].Numero, QStringLiteral("+39333"));
        QCOMPARE(memoria[1].Posizione, QStringLiteral("1"));
        QVERIFY(!memoria[1].Rossa);
        QVERIFY(memoria[7].Rossa);
        QCOMPARE(memoria[7].Nome, QStringLiteral("Bob!"));
        QCOMPARE(memoria[9].Nome, QStringLiteral("è_"));
        QVERIFY(memoria[3].Posizione.isEmpty());
        QCOMPARE(memoria[4].Numero, QStringLiteral("06"));
        QVERIFY(memoria[4].Nome.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstRubricaRicerche)
#include "tst_rubrica_ricerche.moc"
