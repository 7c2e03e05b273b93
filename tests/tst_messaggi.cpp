// The messages without the phone: PDUs built and read back, validity and time-stamp texts,
// slot replies, and what each folder lists and offers.

#include "cartelle.h"
#include "catalogo.h"
#include "codecs.h"
#include "codifica.h"
#include "composizione.h"
#include "globali.h"
#include "letturasms.h"
#include "listedistribuzione.h"
#include "pdu.h"
#include "risultati.h"
#include "validita.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTest>

namespace {

const QString Centro = QStringLiteral("+393359609600");
const QString CampoCentro = QStringLiteral("0791933395066900");

// A message as a read leaves it: with its PDU, whatever the length of its text.
MessaggioSMS Messaggio(uint8_t stato, int16_t lunghezza)
{
    MessaggioSMS m;
    m.Stato = stato;
    m.LunghezzaDati = lunghezza;
    m.PDU = QStringLiteral("00");
    return m;
}

} // namespace

class TstMessaggi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(CatalogoMessaggi::Carica());
        InitAlfabetoGSM();
    }

    void init()
    {
        Telefono = DatiTelefono{};
        BaseLang = 1001;
        NumArchivio = 0;
    }

    // Each PDU worked out by hand from GSM 03.40 and 03.38, octet by octet.
    void pduCostruito_data()
    {
        QTest::addColumn<QString>("centro");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("validita");
        QTest::addColumn<bool>("rapporto");
        QTest::addColumn<QString>("dcs");
        QTest::addColumn<QString>("pdu");
        // An empty centre is the phone's own: the single octet 00.
        QTest::newRow("no centre") << ""
                                   << "abc"
                                   << "123"
                                   << "A7" << false << "00"
                                   << "0091FF038121F30000A70361F118";
        QTest::newRow("status report")
            << Centro << "Ciao!"
            << "+39333123456"
            << "A7" << true << "00" << CampoCentro + "31FF0B919333133254F60000A705C374F81D02";
        QTest::newRow("flash, national")
            << Centro << "Test"
            << "0612345678"
            << "FF" << false << "F0" << CampoCentro + "91FF0A81602143658700F0FF04D4F29C0E";
        // Eight septets fill exactly seven octets, with nothing after them.
        QTest::newRow("eight characters")
            << Centro << "12345678"
            << "+39333123456"
            << "0B" << false << "00" << CampoCentro + "91FF0B919333133254F600000B0831D98C56B3DD70";
        // "*" and "#" are the semi-octets A and B; "*" in the text is code 42, never ESC.
        QTest::newRow("star and hash")
            << Centro << "a*b"
            << "*123#"
            << "A7" << false << "00" << CampoCentro + "91FF05811A32FB0000A703619518";
        QTest::newRow("empty text")
            << Centro << ""
            << "+39333123456"
            << "A7" << false << "00" << CampoCentro + "91FF0B919333133254F60000A700";
        // "~" is the extension pair ESC 3D and counts two septets.
        QTest::newRow("extension") << ""
                                   << "a*b~"
                                   << "1"
                                   << "A7" << false << "00"
                                   << "0091FF0181F10000A705619578D303";
    }

    void pduCostruito()
    {
        QFETCH(QString, centro);
        QFETCH(QString, testo);
        QFETCH(QString, numero);
        QFETCH(QString, validita);
        QFETCH(bool, rapporto);
        QFETCH(QString, dcs);
        QFETCH(QString, pdu);
        QCOMPARE(CostruisciPDU(centro, testo, numero, validita, rapporto, dcs), pdu);
    }

    // What the encoder builds the decoder reads back whole, extension characters included.
    void andataERitorno_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::newRow("plain") << "Ci vediamo alle 8, ok?";
        QTest::newRow("accents") << "Perché è così? Ñandù à ü";
        QTest::newRow("extension") << "{prezzo} [5€] ~ \\ ^ |";
        QTest::newRow("line break") << "riga uno\rriga due";
        QTest::newRow("seven") << "1234567";
        QTest::newRow("sixteen") << "abcdefghijklmnop";
        QTest::newRow("full") << QString(160, u'x');
    }

    void andataERitorno()
    {
        QFETCH(QString, testo);
        MessaggioSMS m;
        m.Stato = 2;
        DecodificaPDU(m, CostruisciPDU(Centro, testo, "+4915112345678", "A7", true, "00"));
        QCOMPARE(m.Stato, uint8_t(2));
        QCOMPARE(m.Tipo, uint8_t(1));
        QCOMPARE(m.MR, uint8_t(255));
        QVERIFY(m.RapportoStato);
        QCOMPARE(m.SMSC, Centro);
        QCOMPARE(m.Numero, QStringLiteral("+4915112345678"));
        QCOMPARE(m.DataOra, QStringLiteral("167           "));
        QCOMPARE(m.DCS, uint8_t(0));
        QCOMPARE(m.Testo, QString(testo).replace("\r", "\r\n"));
        QCOMPARE(m.LunghezzaDati, int16_t(CodificaTestoGSM(testo).size()));
    }

    void limitiDelTesto()
    {
        // 161 septets are cut to 160; a cut in the middle of an extension pair drops the
        // escape rather than leave half a character.
        QCOMPARE(CodificaTesto7bit(QString(161, u'a')).left(2), QStringLiteral("A0"));
        QCOMPARE(CodificaTesto7bit(QString(159, u'a') + QStringLiteral("€")).left(2),
                 QStringLiteral("9F"));
    }

    void indirizzi()
    {
        QCOMPARE(CodificaIndirizzo("+39333123456", true), QStringLiteral("0B919333133254F6"));
        QCOMPARE(CodificaIndirizzo("0612345678", true), QStringLiteral("0A816021436587"));
        QCOMPARE(CodificaIndirizzo(Centro, false), CampoCentro);
        QCOMPARE(CodificaIndirizzo("", false), QStringLiteral("00"));
        // What cannot be dialled never reaches the hex text.
        QCOMPARE(CodificaIndirizzo("12 3-4", true), QStringLiteral("04812143"));
        QCOMPARE(ScambiaSemiOttetti("12345"), QStringLiteral("2143F5"));
        // A recipient named by letters, as a reply to an alphanumeric sender is, keeps its name:
        // an alphanumeric address in the GSM alphabet, its length in useful semi-octets.
        QCOMPARE(CodificaIndirizzo("Banca", true), QStringLiteral("09D0C2B07B1C06"));
        QCOMPARE(CodificaIndirizzo("TIM Info", true), QStringLiteral("0ED0D4641394749BDF"));
        MessaggioSMS bozza;
        DecodificaPDU(bozza, CostruisciPDU(Centro, "Ok", "TIM Info", "FF", false, "00"));
        QCOMPARE(bozza.Numero, QStringLiteral("TIM Info"));
        QCOMPARE(bozza.Testo, QStringLiteral("Ok"));
    }

    // An address value holds at most 10 octets: a name of 11 septets, a number of 20 digits.
    void indirizziEntroIlLimite_data()
    {
        QTest::addColumn<QString>("destinatario");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("letto");
        QTest::newRow("eleven letters") << "Informativa"
                                        << "14D049B7F92D6F87E9697B18"
                                        << "Informativa";
        QTest::newRow("forty letters cut to eleven")
            << "Informativa" + QString(29, u'x') << "14D049B7F92D6F87E9697B18"
            << "Informativa";
        // The escape of "€" would be the eleventh septet: the pair goes whole or not at all.
        QTest::newRow("extension pair at the cut") << "Informativ€x"
                                                   << "12D049B7F92D6F87E9693B"
                                                   << "Informativ";
        QTest::newRow("twenty digits") << "+12345678901234567890"
                                       << "149121436587092143658709"
                                       << "+12345678901234567890";
    }

    void indirizziEntroIlLimite()
    {
        QFETCH(QString, destinatario);
        QFETCH(QString, campo);
        QFETCH(QString, letto);
        QCOMPARE(CodificaIndirizzo(destinatario, true), campo);
        MessaggioSMS bozza;
        DecodificaPDU(bozza, CostruisciPDU(Centro, "Ok", destinatario, "FF", false, "00"));
        QCOMPARE(bozza.Numero, letto);
        QCOMPARE(bozza.Testo, QStringLiteral("Ok"));
    }

    void validitaCalcolata_data()
    {
        QTest::addColumn<QString>("tempo");
        QTest::addColumn<int>("unita");
        QTest::addColumn<QString>("ottetto"); // empty: refused
        const int min = int(UnitaValidita::Minuti), ore = int(UnitaValidita::Ore),
                  giorni = int(UnitaValidita::Giorni), sett = int(UnitaValidita::Settimane);
        const QList<std::tuple<const char*, int, const char*>> casi = {
            {"5", min, "00"},      {"7", min, "00"},    {"30", min, "05"},    {"720", min, "8F"},
            {"721", min, ""},      {"3", min, ""},      {"1", ore, "0B"},     {"12", ore, "8F"},
            {"13", ore, "91"},     {"24", ore, "A7"},   {"25", ore, "FF"},    {"1", giorni, "A7"},
            {"2", giorni, "A8"},   {"7", giorni, "AD"}, {"30", giorni, "C4"}, {"31", giorni, "FF"},
            {"1.5", giorni, "A8"}, {"1", sett, "AD"},   {"4", sett, "C2"},    {"5", sett, "C5"},
            {"63", sett, "FF"},    {"64", sett, "FF"},  {"", min, "FF"},      {"9", -1, "FF"},
            {"0", ore, ""},        {"-3", giorni, ""},  {"abc", sett, ""},    {"0.01", ore, ""}};
        for (const auto& [tempo, unita, ottetto] : casi)
            QTest::addRow("%s in %d", tempo, unita) << tempo << unita << ottetto;
    }

    void validitaCalcolata()
    {
        QFETCH(QString, tempo);
        QFETCH(int, unita);
        QFETCH(QString, ottetto);
        QCOMPARE(CalcolaValidita(tempo, unita).value_or(QString()), ottetto);
    }

    void testiDiValidita_data()
    {
        QTest::addColumn<QString>("dataOra");
        QTest::addColumn<QString>("testo");
        const QString mezza = QStringLiteral("12") + QLocale::system().decimalPoint() + "5 hours";
        QTest::newRow("0") << "0"
                           << "5 mins";
        QTest::newRow("11") << "11"
                            << "1 hours";
        QTest::newRow("12") << "12"
                            << "1 hours 5 mins";
        QTest::newRow("143") << "143"
                             << "12 hours";
        QTest::newRow("144") << "144" << mezza;
        QTest::newRow("167 padded") << "167           "
                                    << "24 hours";
        QTest::newRow("168") << "168"
                             << "2 days";
        QTest::newRow("196") << "196"
                             << "30 days";
        QTest::newRow("197") << "197"
                             << "5 weeks";
        QTest::newRow("255") << "255"
                             << "63 weeks";
        QTest::newRow("256") << "256"
                             << "Unknow";
        QTest::newRow("blank") << "              "
                               << "Unknow";
        QTest::newRow("time stamp") << "01120412345000"
                                    << "04/12/01 12.34";
        QTest::newRow("zone with sign") << "231231235959A0"
                                        << "31/12/23 23.59";
    }

    void testiDiValidita()
    {
        QFETCH(QString, dataOra);
        QFETCH(QString, testo);
        QCOMPARE(FormattaDataSMS(dataOra), testo);
    }

    void misureDelTestoMostrato()
    {
        QCOMPARE(LunghezzaTestoSMS("abc", 2), 2);
        QCOMPARE(LunghezzaTestoSMS("ab\r\nc", 4), 5);
        QCOMPARE(LunghezzaTestoSMS(QString(300, u'a'), 300), 300); // no byte wrap-around
        QCOMPARE(AccorciaDataOra("01120412345000"), QStringLiteral("011204123450"));
        QCOMPARE(AccorciaDataOra("167           "), QStringLiteral("167         "));
        QCOMPARE(AccorciaDataOra("167"), QStringLiteral("167"));
    }

    // The phone's empty-position forms empty a position; a PDU line is a message, whatever the
    // header above it; any other reply cannot be read.
    void risposteDiLettura_data()
    {
        QTest::addColumn<QString>("risposta");
        QTest::addColumn<int>("esito");
        QTest::addColumn<int>("contenuto");
        QTest::addColumn<int>("stato");
        const int ok = int(EsitoAT::Ok);
        const int messaggio = int(ContenutoPosizione::Messaggio),
                  vuota = int(ContenutoPosizione::Vuota),
                  illeggibile = int(ContenutoPosizione::Illeggibile),
                  rifiutata = int(ContenutoPosizione::Rifiutata);
        QTest::newRow("message") << "+CMGR: 2,,23\r\n0791ABCD" << ok << messaggio << 2;
        QTest::newRow("no blank after the colon")
            << "+CMGR:2,,23\r\n0791abcd" << ok << messaggio << 2;
        QTest::newRow("name with a comma")
            << "+CMGR: 1,\"Bob, Jr\",23\r\n0791ABCD" << ok << messaggio << 1;
        QTest::newRow("blank line after the PDU") << "+CMGR: 3,,23\r\n0791ABCD\r\n"
                                                  << ok << messaggio << 3;
        // A header that cannot be read: received and read.
        QTest::newRow("status out of range") << "+CMGR: 7,,23\r\n0791ABCD" << ok << messaggio << 1;
        QTest::newRow("status of two digits")
            << "+CMGR: 12,,23\r\n0791ABCD" << ok << messaggio << 1;
        QTest::newRow("negative status") << "+CMGR: -1,,23\r\n0791ABCD" << ok << messaggio << 1;
        QTest::newRow("status past int")
            << "+CMGR: 4294967297,,23\r\n0791ABCD" << ok << messaggio << 1;
        QTest::newRow("length past int")
            << "+CMGR: 1,,1073741824000\r\n0791ABCD" << ok << messaggio << 1;
        QTest::newRow("length out of range") << "+CMGR: 0,,256\r\n0791ABCD" << ok << messaggio << 0;
        QTest::newRow("length not a number") << "+CMGR: 1,,2x\r\n0791ABCD" << ok << messaggio << 1;
        QTest::newRow("no length") << "+CMGR: 3\r\n0791ABCD" << ok << messaggio << 3;
        QTest::newRow("another result") << "+CMGL: 2,,23\r\n0791ABCD" << ok << messaggio << 1;
        QTest::newRow("empty header") << "\r\n0791ABCD" << ok << messaggio << 1;
        // A stray character some phones put after the digits is no part of the PDU.
        QTest::newRow("quote after the PDU")
            << "+CMGR: 1,,23\r\n0791ABCD\"" << ok << messaggio << 1;
        QTest::newRow("blank and quote after the PDU") << "+CMGR: 0,,23\r\n0791ABCD \"\r\n"
                                                       << ok << messaggio << 0;
        QTest::newRow("PDU in quotes") << "+CMGR: 2,,23\r\n\"0791ABCD\"" << ok << messaggio << 2;
        QTest::newRow("comma after the PDU") << "+CMGR: 1,,23\r\n0791ABCD," << ok << messaggio << 1;
        QTest::newRow("end of text after the PDU")
            << "+CMGR: 1,,23\r\n0791ABCD\x1A" << ok << messaggio << 1;
        // The phone's empty positions.
        QTest::newRow("empty position") << "+CMGR: 0,,0" << ok << vuota << 0;
        QTest::newRow("empty position, blank line") << "+CMGR: 0,,0\r\n" << ok << vuota << 0;
        QTest::newRow("bare OK") << OKNudo << ok << vuota << 0;
        // A refusal says nothing of what the position holds (the refusal line stands in the
        // reply's column); an invalid index is told apart.
        QTest::newRow("refused") << "ERROR" << int(EsitoAT::Errore) << rifiutata << 0;
        QTest::newRow("refused, a SIM error")
            << "+CMS ERROR: 310" << int(EsitoAT::Errore) << rifiutata << 0;
        QTest::newRow("refused, unknown error")
            << "+CMS ERROR: 500" << int(EsitoAT::Errore) << rifiutata << 0;
        QTest::newRow("invalid index") << "+CMS ERROR: 321" << int(EsitoAT::Errore)
                                       << int(ContenutoPosizione::IndiceNonValido) << 0;
        // Nothing to read a position from.
        QTest::newRow("header with no PDU") << "+CMGR: 1,,23\r\n" << ok << illeggibile << 0;
        QTest::newRow("header alone") << "+CMGR: 1,,23" << ok << illeggibile << 0;
        QTest::newRow("no PDU under the header")
            << "+CMGR: 1,,23\r\nNO PDU" << ok << illeggibile << 0;
        QTest::newRow("two lines under the header")
            << "+CMGR: 1,,23\r\n0791\r\nABCD" << ok << illeggibile << 0;
        QTest::newRow("cut short") << "+CM" << ok << illeggibile << 0;
        QTest::newRow("status with no length") << "+CMGR: 0" << ok << illeggibile << 0;
        QTest::newRow("prompt") << ">" << int(EsitoAT::Prompt) << illeggibile << 0;
    }

    void risposteDiLettura()
    {
        QFETCH(QString, risposta);
        QFETCH(int, esito);
        QFETCH(int, contenuto);
        QFETCH(int, stato);
        const bool rifiuto = EsitoAT(esito) == EsitoAT::Errore;
        const PosizioneLetta letta = InterpretaRispostaCMGR(
            rifiuto ? RispostaErrore : risposta, EsitoAT(esito), rifiuto ? risposta : QString());
        QCOMPARE(int(letta.contenuto), contenuto);
        if (letta.contenuto == ContenutoPosizione::Messaggio) {
            QCOMPARE(int(letta.stato), stato);
            QCOMPARE(letta.pdu.toUpper(), QStringLiteral("0791ABCD"));
        }
    }

    void riferimentiEPosizioni()
    {
        QCOMPARE(RiferimentoCMGS("+CMGS: 17"), std::optional<int>(17));
        QCOMPARE(RiferimentoCMGS("+CMGS:0,\"24/01/15,09:00:00+04\""), std::optional<int>(0));
        QCOMPARE(RiferimentoCMGS("+CMGS: 255"), std::optional<int>(255));
        QCOMPARE(PosizioneCMGW("+CMGW: 4"), std::optional<int>(4));
        QCOMPARE(PosizioneCMGW("+CMGW:12"), std::optional<int>(12));
        for (const char* fuori : {"+CMGS: 256", "+CMGS: -1", "+CMGS: 4294967313",
                                  "+CMGS: ", "+CMGS", "17", "+CMGW: 4", "+CMGS: 1e3"})
            QVERIFY2(!RiferimentoCMGS(fuori), fuori);
        for (const char* fuori :
             {"+CMGW: 0", "+CMGW: 256", "+CMGW: 99999999999", "+CMGW: x", "+CMGS: 4", ""})
            QVERIFY2(!PosizioneCMGW(fuori), fuori);
    }

    void cartelleDaStato()
    {
        Telefono.SMS[1] = Messaggio(0, 5);
        Telefono.SMS[2] = Messaggio(3, 4);
        Telefono.SMS[3] = Messaggio(1, 9);
        Telefono.SMS[4] = Messaggio(2, 1);
        Telefono.SMS[5] = Messaggio(3, 4);
        SvuotaPosizione(Telefono.SMS[5]);  // it keeps its status, and belongs nowhere
        Telefono.SMS[6] = Messaggio(1, 0); // a message with no text is a message all the same
        Telefono.SMS[10] = Messaggio(2, 160);
        QCOMPARE(PosizioniCartella(Ricevuti), (QList<int>{1, 3, 6}));
        QCOMPARE(PosizioniCartella(Inviati), (QList<int>{2}));
        QCOMPARE(PosizioniCartella(NonInviati), (QList<int>{4, 10}));
        QCOMPARE(Telefono.SMS[5].Stato, uint8_t(3));
        ArchivioSMS[1] = Messaggio(0, 3);
        ArchivioSMS[2] = Messaggio(2, 0);
        ArchivioSMS[3] = Messaggio(1, 1); // beyond NumArchivio: not listed
        NumArchivio = 2;
        QCOMPARE(PosizioniCartella(Archivio), (QList<int>{1, 2}));
        QCOMPARE(PosizioniCartella(7), QList<int>{});

        ContaMessaggi();
        QCOMPARE(ContaSMS, (std::array<int16_t, 4>{1, 2, 2, 1}));
        QCOMPARE(CartellaDaChiave("SMS_NOOUT"), uint8_t(NonInviati));
        QCOMPARE(CartellaDaChiave("RUB"), uint8_t(Ricevuti));
    }

    void comandiDelleCartelle()
    {
        const StatoVoce nascosta{false, false}, spenta{true, false}, accesa{true, true};
        // An empty folder offers only a new message.
        for (uint8_t cartella = 0; cartella <= Archivio; ++cartella) {
            const ComandiCartella c = ComandiPerCartella(cartella, false, true);
            QVERIFY(c.pNuovoSMS == accesa && c.mnuSMSNew);
            QVERIFY(!c.pEditSMS.attiva && !c.pEliminaSMS.attiva && !c.pStampaSMS.attiva);
            QVERIFY(!c.mnuSMSEdit && !c.mnuSMSDel && !c.mnuSMSSta && !c.mnuSMSInv);
            QVERIFY(!c.popSEdit.visibile && !c.popSDel.visibile);
        }
        const ComandiCartella ricevuti = ComandiPerCartella(Ricevuti, true, false);
        QVERIFY(ricevuti.pRispondiSMS == spenta && ricevuti.pInviaSMS2 == nascosta);
        QVERIFY(ricevuti.mnuSMSDel && ricevuti.mnuSMSRis && ricevuti.mnuSMSSalvaA);
        QVERIFY(ricevuti.popSReply == spenta && ricevuti.popSDel == spenta);
        // Offline, the sent and unsent folders cannot delete or send.
        const ComandiCartella nonInviati = ComandiPerCartella(NonInviati, true, false);
        QVERIFY(!nonInviati.mnuSMSDel && !nonInviati.mnuSMSInv);
        QVERIFY(nonInviati.pInviaSMS2 == accesa && nonInviati.popSSend == spenta);
        QVERIFY(ComandiPerCartella(NonInviati, true, true).mnuSMSInv);
        QVERIFY(!ComandiPerCartella(Inviati, true, true).mnuSMSInv);
        const ComandiCartella archivio = ComandiPerCartella(Archivio, true, false);
        QVERIFY(archivio.pSalvaSMS == nascosta && archivio.pSalvaSMSinTel == accesa);
        QVERIFY(archivio.mnuSMSDel && !archivio.mnuSMSSalvaS && !archivio.mnuSMSSalvaA);
        QVERIFY(archivio.popSSS == spenta && archivio.popSDel == accesa
                && !archivio.popSSA.visibile);
        QVERIFY(ComandiPerCartella(Archivio, true, true).mnuSMSSalvaS);
    }

    void testoScrittoEContato()
    {
        QCOMPARE(TestoSMS("a\nb\r\nc"), QStringLiteral("a\rb\rc"));
        QCOMPARE(TestoDaScrivere("a\r\nb\rc"), QStringLiteral("a\nb\nc"));
        // The form feed is a GSM character; a tab and the typographic spaces are not.
        QCOMPARE(SpaziSemplici(QStringLiteral("a\tb\u2003c\u3000d\ve\ff\ng")),
                 QStringLiteral("a b c d e\ff\ng"));
        QString righe = QString(150, u'a');
        for (int i = 0; i < 5; ++i)
            righe.insert(i * 20, u'\n');
        QCOMPARE(SettettiTesto(righe), 155);
        QCOMPARE(SettettiTesto(QStringLiteral("5€")), 3);
        QCOMPARE(TestoEntro(QString(170, u'x'), 160), QString(160, u'x'));
        QCOMPARE(TestoEntro(QString(159, u'x') + QStringLiteral("€"), 160), QString(159, u'x'));
    }

    // A single character is a mode, never a position: a reply with the sent folder selected
    // is a new message, not an edit of message 1.
    void modiDelDialogo()
    {
        QCOMPARE(PosizioneModificata("1", "SMS_OUT"), 0);
        QCOMPARE(PosizioneModificata("0", "SMS_NOOUT"), 0);
        QCOMPARE(PosizioneModificata("03", "SMS_NOOUT"), 3);
        QCOMPARE(PosizioneModificata("10", "SMS_OUT"), 10);
        QCOMPARE(PosizioneModificata("03", "SMS_IN"), 0);
        QCOMPARE(PosizioneModificata("03", "SMS_ARC"), 0);
        QCOMPARE(SalvataggioPerModo("0", "SMS_ARC"), Salvataggio::NelTelefono);
        QCOMPARE(SalvataggioPerModo("1", "SMS_OUT"), Salvataggio::NellArchivio);
        QCOMPARE(SalvataggioPerModo("12", "SMS_ARC"), Salvataggio::SostituisciArchivio);
        QCOMPARE(SalvataggioPerModo("04", "SMS_NOOUT"), Salvataggio::SostituisciTelefono);
        QCOMPARE(SalvataggioPerModo("04", "SMS_IN"), Salvataggio::Nessuno);
        QCOMPARE(SalvataggioPerModo("7", "SMS_OUT"), Salvataggio::Nessuno);
    }

    void listeNelFile()
    {
        const QString percorso = FileProgramma("distrib.lst");
        QFile::remove(percorso);
        QVERIFY(!CaricaFileListeD());
        QVERIFY(ListeDistribuzione.isEmpty());

        ListeDistribuzione
            = {{NomeLista("Amici del calcetto 24"),
                {VoceFile{0, "Gino", "+39333123456", 0}, VoceFile{0, "Pina", "0612345678", -1}}},
               {NomeLista("Vuota"), {}}};
        QVERIFY(SalvaFileListeD());
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray dati = file.readAll();
        QCOMPARE(dati.size(), 4 * LunghezzaVoceFile);
        // Header: member count, the name cut to 16, 30 zero bytes, flag 0.
        QCOMPARE(dati.left(17), QByteArray("\x02"
                                           "Amici del calcet"));
        QCOMPARE(dati.mid(17, 32), QByteArray(32, '\0'));
        QCOMPARE(dati.mid(2 * LunghezzaVoceFile + 47, 2), QByteArray("\xFF\xFF"));
        QCOMPARE(dati.mid(3 * LunghezzaVoceFile, 6), QByteArray("\x00Vuota", 6));

        // A record without a name where a header belongs is passed over.
        file.close();
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(LunghezzaVoceFile, '\0') + dati);
        file.close();
        QVERIFY(CaricaFileListeD());
        QCOMPARE(ListeDistribuzione.size(), 2);
        QCOMPARE(ListeDistribuzione[0].Nome, QStringLiteral("Amici del calcet").leftJustified(30));
        QCOMPARE(ListeDistribuzione[0].Membri.size(), 2);
        QCOMPARE(ListeDistribuzione[0].Membri[1].Numero.trimmed(), QStringLiteral("0612345678"));
        QCOMPARE(ListeDistribuzione[0].Membri[1].Rossa, int16_t(-1));
        QVERIFY(ListeDistribuzione[1].Membri.isEmpty());

        // Beyond the limits the file is left as it was.
        ListeDistribuzione[1].Membri = QList<VoceFile>(MaxMembri + 1, VoceFile{0, "X", "1", 0});
        QVERIFY(!SalvaFileListeD());
        QVERIFY(CaricaFileListeD());
        QCOMPARE(ListeDistribuzione.size(), 2);

        ListeDistribuzione.clear();
        QVERIFY(SalvaFileListeD());
        QCOMPARE(QFileInfo(percorso).size(), 0);
        QVERIFY(!CaricaFileListeD());
    }
};

QTEST_GUILESS_MAIN(TstMessaggi)
#include "tst_messaggi.moc"
