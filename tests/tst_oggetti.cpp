// The objects subsystem's pure functions: block framing, the vCalendar codec, the reminder file,
// the logo bitmaps, the ring-tone replies and the reminder dialog's checks.

#include "blocchi.h"
#include "catalogo.h"
#include "codecs.h"
#include "fileprom.h"
#include "frmprom.h"
#include "globali.h"
#include "immaginelogo.h"
#include "melodia.h"
#include "promemoria.h"
#include "statobase.h"

#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString CRLF = QStringLiteral("\r\n");

// A read reply as the exchange hands it back: headers and hex lines, without the leading CR LF
// and the final OK.
QString Risposta(const QString& tipo, int indice, const QByteArray& dati)
{
    const QStringList blocchi = BlocchiHex(dati);
    QStringList righe;
    for (int i = 1; i <= blocchi.size(); ++i)
        righe << QStringLiteral("^SBNR: \"%1\",%2,%3,%4")
                     .arg(tipo)
                     .arg(indice)
                     .arg(i)
                     .arg(blocchi.size())
              << blocchi.at(i - 1);
    return righe.join(CRLF);
}

QByteArray Sequenza(int lunghezza)
{
    QByteArray dati;
    for (int i = 0; i < lunghezza; ++i)
        dati += static_cast<char>(i * 7 % 256);
    return dati;
}

QString Nul(int n)
{
    return QString(n, QChar());
}

// The text the phone stores for the dentist's appointment, worked by hand.
const QString Dentista = QStringLiteral("BEGIN:VCALENDAR\r\n"
                                        "VERSION:1.0\r\n"
                                        "BEGIN:VEVENT\r\n"
                                        "CATEGORIES:MEETING\r\n"
                                        "DALARM:20240315T093000\r\n"
                                        "DTSTART:20240315T093000\r\n"
                                        "DESCRIPTION:Dentista\r\n"
                                        "END:VEVENT\r\n"
                                        "END:VCALENDAR\r\n");

::Promemoria Prom(const QString& testo, const QString& categoria = QStringLiteral("MEETING"),
                  const QString& ripetizione = {})
{
    return DecodificaVCalendar(CodificaVCalendar(
        QStringLiteral("20240315"), QStringLiteral("093000"), testo, categoria, ripetizione));
}

std::optional<TabellaProm> TabellaDaFile(QByteArray contenuto)
{
    QBuffer file(&contenuto);
    file.open(QIODevice::ReadOnly);
    return TabellaDaFileProm(file);
}

// A 97 x 26 bitmap written by hand as other programs write one: its top row red, the rest
// white, at `bit` bits a pixel, with an information header of `intestazione` bytes (40, or the
// 108 and 124 of its later versions), rows top-down or bottom-up, or run-length coded (`rle` 1
// for 8 bits, 2 for 4 bits; bottom-up only).
QByteArray BitmapAMano(int bit, int intestazione, bool dallAlto, quint32 rle = 0)
{
    constexpr int larghezza = 97;
    constexpr int altezza = 26;
    const int colori = bit <= 8 ? 1 << bit : 0;
    // Colour 0 white, colour 1 red, the rest black; direct colours as the file holds them.
    QByteArray tavolozza(colori * 4, '\0');
    if (colori > 0)
        tavolozza.replace(0, 8, QByteArray::fromHex("FFFFFF000000FF00"));
    const auto pixel = [bit](bool rosso) -> quint32 {
        if (bit <= 8)
            return rosso ? 1 : 0;
        if (bit == 16)
            return rosso ? 0x7C00 : 0x7FFF;
        return rosso ? 0xFF0000 : 0xFFFFFF;
    };
    const int riga = (larghezza * bit + 31) / 32 * 4;
    QByteArray righe;
    for (int n = 0; n < altezza; ++n) {
        const int y = dallAlto ? n : altezza - 1 - n;
        if (rle) {
            // One run of the whole row, then the end of the line.
            const char indice = static_cast<char>(y == 0 ? (rle == 1 ? 0x01 : 0x11) : 0);
            righe += QByteArray(1, static_cast<char>(larghezza)) + indice + QByteArray(2, '\0');
            continue;
        }
        QByteArray r(riga, '\0');
        for (int x = 0; x < larghezza; ++x) {
            const quint32 v = pixel(y == 0);
            const qint64 inizio = static_cast<qint64>(x) * bit;
            if (bit < 8) {
                r[inizio / 8] = static_cast<char>(r[inizio / 8] | v << (8 - bit - inizio % 8));
                continue;
            }
            for (int b = 0; b < bit / 8; ++b)
                r[inizio / 8 + b] = static_cast<char>(v >> (8 * b));
        }
        righe += r;
    }
    if (rle)
        righe += QByteArray::fromHex("0001");
    const quint32 inizioPixel = 14 + intestazione + static_cast<quint32>(tavolozza.size());
    QByteArray bmp;
    QDataStream dati(&bmp, QIODevice::WriteOnly);
    dati.setByteOrder(QDataStream::LittleEndian);
    dati.writeRawData("BM", 2);
    dati << quint32(inizioPixel + righe.size()) << quint32(0) << inizioPixel;
    dati << quint32(intestazione) << qint32(larghezza) << qint32(dallAlto ? -altezza : altezza)
         << quint16(1) << quint16(bit) << rle << quint32(righe.size()) << qint32(3780)
         << qint32(3780) << quint32(colori) << quint32(0);
    for (int i = 40; i < intestazione; ++i)
        dati << quint8(0);
    return bmp + tavolozza + righe;
}

} // namespace

class TstOggetti : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }
    void init() { StatoDiPartenza(); }

    void blocchiEHex()
    {
        QCOMPARE(ByteInHex(0), QStringLiteral("00"));
        QCOMPARE(ByteInHex(10), QStringLiteral("0A"));
        QCOMPARE(ByteInHex(255), QStringLiteral("FF"));
        for (const auto& [lunghezza, blocchi] :
             {std::pair{0, 1}, {176, 1}, {177, 2}, {352, 2}, {353, 3}, {1470, 9}, {32767, 187}})
            QCOMPARE(NumeroBlocchi(lunghezza), blocchi);
        const QStringList logo = BlocchiHex(Sequenza(1470));
        QCOMPARE(logo.size(), 9);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(logo.at(i).size(), 352);
        QCOMPARE(logo.at(8).size(), 124);
        QCOMPARE(BlocchiHex({}), QStringList{QString()});
        QCOMPARE(BlocchiHex(Sequenza(353)).last().size(), 2);
        QCOMPARE(BlocchiHex(QByteArray("\x00\x0a\xff", 3)).first(), QStringLiteral("000AFF"));
        QCOMPARE(Percentuale(1, 9), QStringLiteral("11%"));
        QCOMPARE(Percentuale(3, 9), QStringLiteral("33%"));
        QCOMPARE(Percentuale(9, 9), QStringLiteral("100%"));
        QVERIFY(EOKNudo(QStringLiteral("\r\nOK\r\n")));
        QVERIFY(!EOKNudo(QStringLiteral("ERRORE")));
    }

    // Every object size reads back whole, also past nine blocks where the header grows.
    void letturaBlocchi()
    {
        for (const int lunghezza : {1, 176, 186, 1470, 1800, 32767}) {
            const QByteArray dati = Sequenza(lunghezza);
            QCOMPARE(
                DatiDaBlocchi(Risposta(QStringLiteral("mid"), 0, dati), QStringLiteral("mid"), 0),
                std::optional<QByteArray>(dati));
        }
        const QByteArray testo = Sequenza(200);
        QCOMPARE(
            DatiDaBlocchi(Risposta(QStringLiteral("vcs"), 12, testo), QStringLiteral("vcs"), 12),
            std::optional<QByteArray>(testo));
    }

    void letturaBlocchiRifiutata_data()
    {
        QTest::addColumn<QString>("risposta");
        const QString intera = Risposta(QStringLiteral("bmp"), 0, Sequenza(1470));
        QTest::newRow("cut after a header")
            << intera.left(intera.lastIndexOf(QLatin1Char('^')) + 20);
        QTest::newRow("cut inside a full block") << intera.left(400);
        QTest::newRow("last block missing")
            << intera.left(intera.lastIndexOf(QLatin1Char('^')) - 2);
        QTest::newRow("other object") << Risposta(QStringLiteral("mid"), 0, Sequenza(10));
        QTest::newRow("odd hex") << QStringLiteral("^SBNR: \"bmp\",0,1,1\r\nABC");
        QTest::newRow("not hex") << QStringLiteral("^SBNR: \"bmp\",0,1,1\r\nZZ");
        QTest::newRow("blocks out of order")
            << QStringLiteral("^SBNR: \"bmp\",0,2,2\r\n00\r\n^SBNR: \"bmp\",0,1,2\r\n00");
        QTest::newRow("short first block")
            << QStringLiteral("^SBNR: \"bmp\",0,1,2\r\n00\r\n^SBNR: \"bmp\",0,2,2\r\n00");
        QTest::newRow("empty") << QString();
        // Numbers are read within their ranges, never wrapped round to a value that fits.
        QTest::newRow("index past any integer")
            << QStringLiteral("^SBNR: \"bmp\",4294967296,1,1\r\n00");
        QTest::newRow("more blocks than one byte counts")
            << Risposta(QStringLiteral("bmp"), 0, Sequenza(256 * ByteBlocco));
    }

    // A reply that is not a whole sequence of blocks is never taken for the object.
    void letturaBlocchiRifiutata()
    {
        QFETCH(QString, risposta);
        QCOMPARE(DatiDaBlocchi(risposta, QStringLiteral("bmp"), 0), std::nullopt);
    }

    void codificaVCalendar()
    {
        QCOMPARE(CodificaVCalendar(QStringLiteral("20240315"), QStringLiteral("093000"),
                                   QStringLiteral("Dentista"), QStringLiteral("MEETING"), {}),
                 Dentista);
        const QString annuale
            = CodificaVCalendar(QStringLiteral("20240415"), QStringLiteral("080000"),
                                QStringLiteral("1234567890123456"), QStringLiteral("MISCELLANEOUS"),
                                QStringLiteral("Y1"));
        QVERIFY(annuale.contains(QStringLiteral("DTSTART:20240415T080000\r\nRRULE:Y1\r\n"
                                                "DESCRIPTION:1234567890123456\r\n")));
        // Two blocks: 352 hex characters, then 20.
        QCOMPARE(annuale.size(), 186);
    }

    void decodificaVCalendar()
    {
        const ::Promemoria p = DecodificaVCalendar(Dentista);
        QCOMPARE(p.Categoria, QStringLiteral("MEETING        "));
        QCOMPARE(p.Ripetizione, Nul(2));
        QCOMPARE(p.RipetizioneTesto, QStringLiteral("Single     "));
        QCOMPARE(p.Inizio.Data, QStringLiteral("15/03/2024"));
        QCOMPARE(p.Inizio.Ora, QStringLiteral("09.30:00"));
        QCOMPARE(p.Inizio.Stamp, QStringLiteral("20240315093000"));
        QCOMPARE(p.Allarme.Stamp, QStringLiteral("20240315093000"));
        QCOMPARE(p.Descrizione, QStringLiteral("Dentista        "));
        QVERIFY(PromUsato(p));
        // Built back from the record: the same text.
        QCOMPARE(CodificaVCalendarDaRecord(p), Dentista);
    }

    void decodificaVCalendarCasi()
    {
        const ::Promemoria vuoto = DecodificaVCalendar(QString());
        QVERIFY(!PromUsato(vuoto));
        QCOMPARE(vuoto.Categoria, Nul(15));
        QCOMPARE(vuoto.RipetizioneTesto, QStringLiteral("Single     "));

        const QString varia = QStringLiteral(
            "CATEGORIES:PHONE CALL\r\nDALARM:20240101T070000\r\nDTSTART:20240102T080910Z\r\n"
            "RRULE:W1X\r\ndescription:minuscolo\r\nDESCRIPTION;CHARSET=X:parametri\r\n"
            "DESCRIPTION:primo\r\nDESCRIPTION:abcdefghijklmnopqrst");
        const ::Promemoria p = DecodificaVCalendar(varia);
        QCOMPARE(p.Ripetizione, QStringLiteral("W1"));
        QCOMPARE(p.RipetizioneTesto, QStringLiteral("Weekly     "));
        QCOMPARE(p.Allarme.Stamp, QStringLiteral("20240101070000"));
        // A UTC time is shown as it is given, and keeps its "Z" when written back.
        QCOMPARE(p.Inizio.Stamp, QStringLiteral("20240102080910"));
        QCOMPARE(p.Inizio.Ora, QStringLiteral("08.09:10"));
        // The later key wins, cut to 16; a last line without CR LF is still read.
        QCOMPARE(p.Descrizione, QStringLiteral("abcdefghijklmnop"));
        // Written back: alarm at the start, the rule as read, fields trimmed.
        const QString scritto = CodificaVCalendarDaRecord(p);
        QVERIFY(scritto.contains(QStringLiteral("CATEGORIES:PHONE CALL\r\n"
                                                "DALARM:20240102T080910Z\r\n"
                                                "DTSTART:20240102T080910Z\r\nRRULE:W1\r\n")));
        QCOMPARE(Prom(QStringLiteral("x"), QStringLiteral("MEETING"), QStringLiteral("D1"))
                     .RipetizioneTesto.trimmed(),
                 QStringLiteral("Daily"));
        QCOMPARE(Prom(QStringLiteral("x"), QStringLiteral("MEETING"), QStringLiteral("Y1"))
                     .RipetizioneTesto.trimmed(),
                 QStringLiteral("Annualy"));
    }

    // A to-do from another calendar: its summary is its text, its due time its start, its
    // audible alarm its alarm.
    void cosaDaFare()
    {
        const ::Promemoria p = DecodificaVCalendar(QStringLiteral(
            "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VTODO\r\nSUMMARY:Pagare bollo\r\n"
            "DUE:20240630T235900\r\nAALARM:20240629T090000;;;\r\nEND:VTODO\r\n"
            "END:VCALENDAR\r\n"));
        QCOMPARE(p.Descrizione, QStringLiteral("Pagare bollo    "));
        QCOMPARE(p.Inizio.Stamp, QStringLiteral("20240630235900"));
        QCOMPARE(p.Allarme.Stamp, QStringLiteral("20240629090000"));
    }

    // What other calendars write: parameters before the colon, quoted-printable values with
    // their soft line breaks, a charset, and long lines folded onto the next.
    void decodificaVCalendarAltriProgrammi_data()
    {
        QTest::addColumn<QString>("riga");
        QTest::addColumn<QString>("testo");
        QTest::newRow("quoted-printable in UTF-8") << QStringLiteral(
            "DESCRIPTION;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Caff=C3=A8 al bar")
                                                   << QStringLiteral("Caffè al bar");
        QTest::newRow("parameters in lower case")
            << QStringLiteral("DESCRIPTION;charset=utf-8;encoding=quoted-printable:Caff=c3=a8")
            << QStringLiteral("Caffè");
        QTest::newRow("vCalendar's short form")
            << QStringLiteral("DESCRIPTION;QUOTED-PRINTABLE:a=3Db") << QStringLiteral("a=b");
        QTest::newRow("no charset: the phone's code page")
            << QStringLiteral("DESCRIPTION;ENCODING=QUOTED-PRINTABLE:Caff=E8 =80")
            << QStringLiteral("Caffè €");
        QTest::newRow("soft line break")
            << QStringLiteral("DESCRIPTION;ENCODING=QUOTED-PRINTABLE:Cena=\r\n da Gino")
            << QStringLiteral("Cena da Gino");
        QTest::newRow("an equals sign that encodes nothing")
            << QStringLiteral("DESCRIPTION;ENCODING=QUOTED-PRINTABLE:50=%=ZZ")
            << QStringLiteral("50=%=ZZ");
        QTest::newRow("charset of a plain value")
            << QStringLiteral("DESCRIPTION;CHARSET=UTF-8:Caff\u00C3\u00A8")
            << QStringLiteral("Caffè");
        QTest::newRow("base64, folded")
            << QStringLiteral("DESCRIPTION;ENCODING=BASE64;CHARSET=UTF-8:Q2Fm\r\n ZsOoIGFsIGJhcg==")
            << QStringLiteral("Caffè al bar");
        QTest::newRow("summary without description")
            << QStringLiteral("SUMMARY:Dentista") << QStringLiteral("Dentista");
        // Every charset the C library knows, in a plain value or in quoted-printable.
        QTest::newRow("ISO-8859-15")
            << QStringLiteral("DESCRIPTION;CHARSET=ISO-8859-15:Prezzo 5\u00A4")
            << QStringLiteral("Prezzo 5€");
        QTest::newRow("ISO-8859-15 in quoted-printable")
            << QStringLiteral("DESCRIPTION;CHARSET=iso-8859-15;ENCODING=QUOTED-PRINTABLE:5=A4")
            << QStringLiteral("5€");
        QTest::newRow("ISO-8859-2")
            << DecodificaWindows1252("DESCRIPTION;CHARSET=ISO-8859-2:\xA3\xF3"
                                     "d\xBC")
            << QStringLiteral("Łódź");
        QTest::newRow("ISO-8859-7")
            << DecodificaWindows1252("DESCRIPTION;CHARSET=ISO-8859-7:\xE1\xE8\xDE\xED\xE1")
            << QStringLiteral("αθήνα");
        QTest::newRow("KOI8-R") << DecodificaWindows1252(
            "DESCRIPTION;CHARSET=KOI8-R:\xED\xCF\xD3\xCB\xD7\xC1")
                                << QStringLiteral("Москва");
        QTest::newRow("Shift_JIS")
            << DecodificaWindows1252("DESCRIPTION;CHARSET=Shift_JIS:\x93\xFA\x96\x7B")
            << QStringLiteral("日本");
        QTest::newRow("bytes that are no text in their charset")
            << DecodificaWindows1252("DESCRIPTION;CHARSET=Shift_JIS:Caff\xE8")
            << QStringLiteral("Caffè");
        QTest::newRow("charset unknown here")
            << QStringLiteral("DESCRIPTION;CHARSET=X-IGNOTO:Caff\u00E8") << QStringLiteral("Caffè");
        QTest::newRow("folded with a blank")
            << QStringLiteral("DESCRIPTION:Cena\r\n da Gino") << QStringLiteral("Cena da Gino");
        QTest::newRow("folded with a tab")
            << QStringLiteral("DESCRIPTION:Cena\r\n\tda Gino") << QStringLiteral("Cena\tda Gino");
        QTest::newRow("lines ended by LF alone")
            << QStringLiteral("DESCRIPTION:Cena\nEND:VEVENT") << QStringLiteral("Cena");
    }

    void decodificaVCalendarAltriProgrammi()
    {
        QFETCH(QString, riga);
        QFETCH(QString, testo);
        const ::Promemoria p = DecodificaVCalendar(
            QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n"
                           "CATEGORIES;ENCODING=QUOTED-PRINTABLE:PHONE=20CALL\r\n"
                           "DTSTART;VALUE=DATE-TIME:20240311T093000\r\n")
            + riga + QStringLiteral("\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));
        QCOMPARE(p.Descrizione, CampoFisso(testo, 16));
        QCOMPARE(p.Categoria, CampoFisso(QStringLiteral("PHONE CALL"), 15));
        QCOMPARE(p.Inizio.Stamp, QStringLiteral("20240311093000"));
    }

    // A text with a line break goes back in quoted-printable and reads back the same.
    void vCalendarConACapo()
    {
        const QString testo = QStringLiteral("Riga=1\r\nè\nfine \t");
        const ::Promemoria p = Prom(testo);
        const QString scritto = CodificaVCalendarDaRecord(p);
        QVERIFY(scritto.contains(QStringLiteral(
            "\r\nDESCRIPTION;ENCODING=QUOTED-PRINTABLE:Riga=3D1=0D=0A=E8=0Afine =09\r\n")));
        QCOMPARE(DecodificaVCalendar(scritto).Descrizione, p.Descrizione);
        QCOMPARE(p.Descrizione, CampoFisso(testo, 16));
    }

    // A reminder rebuilt from its fields leaves out a field that holds no value, and no value
    // carries a control byte of its own: only CR LF ends a line.
    void codificaDaRecordSenzaValori_data()
    {
        QTest::addColumn<QString>("categoria");
        QTest::addColumn<QString>("stamp");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QStringList>("righe");
        QTest::newRow("only a text") << Nul(15) << Nul(14) << QStringLiteral("Solo testo      ")
                                     << QStringList{"DESCRIPTION:Solo testo"};
        QTest::newRow("blank category, blank text")
            << QStringLiteral("               ") << QStringLiteral("20240311093000")
            << QStringLiteral("                ")
            << QStringList{"DALARM:20240311T093000", "DTSTART:20240311T093000"};
        QTest::newRow("a date without its time")
            << QStringLiteral("MEETING        ") << QStringLiteral("20240311      ")
            << QStringLiteral("Tutto il giorno ")
            << QStringList{"CATEGORIES:MEETING", "DALARM:20240311", "DTSTART:20240311",
                           "DESCRIPTION:Tutto il giorno"};
        QTest::newRow("control bytes in a text")
            << Nul(15) << Nul(14) << QStringLiteral("a\u0001b\u001Bc") + Nul(11)
            << QStringList{"DESCRIPTION;ENCODING=QUOTED-PRINTABLE:a=01b=1Bc"};
    }

    void codificaDaRecordSenzaValori()
    {
        QFETCH(QString, categoria);
        QFETCH(QString, stamp);
        QFETCH(QString, testo);
        QFETCH(QStringList, righe);
        ::Promemoria p;
        p.Categoria = categoria;
        p.Inizio.Stamp = stamp;
        p.Descrizione = testo;
        const QString scritto = CodificaVCalendarDaRecord(p);
        QCOMPARE(scritto, (QStringList{"BEGIN:VCALENDAR", "VERSION:1.0", "BEGIN:VEVENT"} + righe
                           + QStringList{"END:VEVENT", "END:VCALENDAR", ""})
                              .join(CRLF));
    }

    void svuotaProm()
    {
        TabellaProm tabella;
        tabella[4] = Prom(QStringLiteral("quattro"));
        SvuotaProm(tabella);
        QVERIFY(!PromUsato(tabella[4]));
        QCOMPARE(tabella[4].Categoria, QStringLiteral("MEETING        "));
    }

    // One record worked by hand, byte by byte.
    void fileGolden()
    {
        TabellaProm tabella;
        tabella[5]
            = Prom(QStringLiteral("Caffè €"), QStringLiteral("ANNIVERSARY"), QStringLiteral("D1"));
        QByteArray atteso;
        atteso += "ANNIVERSARY    ";
        atteso += "D1";
        atteso += "Daily      ";
        atteso += "15/03/2024"
                  "09.30:00"
                  "20240315093000";
        atteso += "15/03/2024"
                  "09.30:00"
                  "20240315093000";
        atteso += "Caff\xE8 \x80         ";
        QCOMPARE(atteso.size(), LunghezzaRecordProm);
        QCOMPARE(ContenutoFileProm(tabella), atteso);

        // A field never written is stored as 0 bytes and read back as NULs.
        TabellaProm senzaRegola;
        senzaRegola[1] = Prom(QStringLiteral("x"));
        const QByteArray record = ContenutoFileProm(senzaRegola);
        QCOMPARE(record.mid(15, 2), QByteArray(2, '\0'));
        QCOMPARE(TabellaDaFile(record)->at(1).Ripetizione, Nul(2));
        QCOMPARE(TabellaDaFile(atteso)->at(1).Descrizione, QStringLiteral("Caffè €         "));
    }

    void fileSalvaCarica()
    {
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(QStringLiteral("prom.cal"));
        for (const int k : {3, 7, 12})
            Telefono.Promemoria[static_cast<size_t>(k)] = Prom(QStringLiteral("slot %1").arg(k));
        // Over a longer file: the file afterwards holds exactly the three records.
        QFile vecchio(percorso);
        QVERIFY(vecchio.open(QIODevice::WriteOnly));
        vecchio.write(QByteArray(5 * LunghezzaRecordProm, 'x'));
        vecchio.close();
        QVERIFY(SalvaFileProm(percorso));
        QCOMPARE(QFileInfo(percorso).size(), 3 * LunghezzaRecordProm);

        Telefono = DatiTelefono{};
        Telefono.Promemoria[20] = Prom(QStringLiteral("sparisce"));
        QVERIFY(CaricaFileProm(percorso));
        QCOMPARE(Telefono.Promemoria[1].Descrizione.trimmed(), QStringLiteral("slot 3"));
        QCOMPARE(Telefono.Promemoria[2].Descrizione.trimmed(), QStringLiteral("slot 7"));
        QCOMPARE(Telefono.Promemoria[3].Descrizione.trimmed(), QStringLiteral("slot 12"));
        QVERIFY(!PromUsato(Telefono.Promemoria[4]));
        QVERIFY(!PromUsato(Telefono.Promemoria[20]));
        QVERIFY(!Telefono.PromLetti);

        // An empty table saves an empty file, which loads as an empty table.
        Telefono = DatiTelefono{};
        QVERIFY(SalvaFileProm(percorso));
        QCOMPARE(QFileInfo(percorso).size(), 0);
        QVERIFY(CaricaFileProm(percorso));
    }

    void fileCattivi_data()
    {
        QTest::addColumn<QByteArray>("contenuto");
        TabellaProm piena;
        for (int k = 1; k <= NumPromemoria; ++k)
            piena[static_cast<size_t>(k)] = Prom(QStringLiteral("n%1").arg(k));
        const QByteArray trenta = ContenutoFileProm(piena);
        QTest::newRow("truncated record") << trenta.left(trenta.size() - 1);
        QTest::newRow("31 used records") << trenta + trenta.left(LunghezzaRecordProm);
        QTest::newRow("not a reminder file") << QByteArray("hello");
    }

    // A bad file changes nothing; 30 records and empty records in between are fine.
    void fileCattivi()
    {
        QFETCH(QByteArray, contenuto);
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(QStringLiteral("cattivo.cal"));
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contenuto);
        file.close();
        Telefono.Promemoria[9] = Prom(QStringLiteral("resta"));
        QVERIFY(!CaricaFileProm(percorso));
        QCOMPARE(Telefono.Promemoria[9].Descrizione.trimmed(), QStringLiteral("resta"));
        QVERIFY(!CaricaFileProm(cartella.filePath(QStringLiteral("assente.cal"))));
        QCOMPARE(Telefono.Promemoria[9].Descrizione.trimmed(), QStringLiteral("resta"));
    }

    void fileRecordVuotiSaltati()
    {
        TabellaProm tabella;
        tabella[1] = Prom(QStringLiteral("a"));
        tabella[2] = Prom(QStringLiteral("b"));
        QByteArray contenuto = ContenutoFileProm(tabella);
        contenuto[LunghezzaRecordProm + 92] = '\0';
        contenuto.prepend(contenuto.mid(LunghezzaRecordProm));
        const std::optional<TabellaProm> letta = TabellaDaFile(contenuto);
        QVERIFY(letta);
        QCOMPARE(letta->at(1).Descrizione.trimmed(), QStringLiteral("a"));
        QVERIFY(!PromUsato(letta->at(2)));
    }

    void bitmapLogo()
    {
        // At 4 bits a pixel, each pixel in the nearest of the standard colours.
        QImage poche(97, 26, QImage::Format_RGB32);
        poche.fill(Qt::white);
        for (int x = 10; x < 40; ++x)
            poche.setPixel(x, 5, qRgb(200, 10, 10));
        const QByteArray bmp = BitmapLogo(poche);
        QCOMPARE(bmp.size(), 1470);
        QCOMPARE(bmp.left(2), QByteArray("BM"));
        QCOMPARE(static_cast<int>(bmp.at(28)), 4);
        QImage riletta;
        QVERIFY(riletta.loadFromData(bmp, "BMP"));
        QCOMPARE(riletta.size(), QSize(97, 26));
        QCOMPARE(riletta.pixel(20, 5), qRgb(255, 0, 0));
        QCOMPARE(riletta.pixel(0, 0), qRgb(255, 255, 255));

        // Many colours: mapped to the 16 basic ones, still a 4-bit bitmap.
        QImage molte(97, 26, QImage::Format_RGB32);
        for (int y = 0; y < 26; ++y)
            for (int x = 0; x < 97; ++x)
                molte.setPixel(x, y, qRgb(x * 2, y * 9, 250));
        QCOMPARE(BitmapLogo(molte).size(), 1470);

        // Another size is written as it is.
        QImage grande(100, 30, QImage::Format_RGB32);
        grande.fill(Qt::black);
        QVERIFY(riletta.loadFromData(BitmapLogo(grande), "BMP"));
        QCOMPARE(DimensioniImmagine(riletta), QStringLiteral("100x30"));
    }

    // Every bitmap the platform reads is a picture for the editor: any depth, any version of
    // the header, rows either way, run-length coded.
    void logoDaBitmap_data()
    {
        QTest::addColumn<QByteArray>("bmp");
        for (const int bit : {1, 4, 8, 16, 24, 32})
            for (const int intestazione : {40, 108, 124})
                for (const bool dallAlto : {false, true})
                    QTest::addRow("%d bit, %d, %s", bit, intestazione,
                                  dallAlto ? "dall'alto" : "dal basso")
                        << BitmapAMano(bit, intestazione, dallAlto);
        QTest::newRow("8 bit rle") << BitmapAMano(8, 40, false, 1);
        QTest::newRow("4 bit rle") << BitmapAMano(4, 40, false, 2);
    }

    void logoDaBitmap()
    {
        QFETCH(QByteArray, bmp);
        QTemporaryDir cartella;
        const QString file = cartella.filePath(QStringLiteral("altro.bmp"));
        QFile scritto(file);
        QVERIFY(scritto.open(QIODevice::WriteOnly) && scritto.write(bmp) == bmp.size());
        scritto.close();
        const std::optional<Logo> logo = CaricaLogo(file);
        QVERIFY(logo);
        QCOMPARE(logo->immagine.size(), QSize(97, 26));
        // Five bits a colour give 248 for full.
        const auto rosso = [&](int x, int y) {
            const QRgb c = logo->immagine.pixel(x, y);
            return qRed(c) >= 248 && qGreen(c) == 0 && qBlue(c) == 0;
        };
        const auto bianco = [&](int x, int y) {
            const QRgb c = logo->immagine.pixel(x, y);
            return qRed(c) >= 248 && qGreen(c) >= 248 && qBlue(c) >= 248;
        };
        QVERIFY(rosso(0, 0) && rosso(96, 0));
        QVERIFY(bianco(0, 1) && bianco(96, 25));
    }

    void estensioniENomi()
    {
        QVERIFY(HaEstensione(QStringLiteral("/a/x.bmp"), QStringLiteral(".BMP")));
        QVERIFY(HaEstensione(QStringLiteral("LOGO.GIF"), QStringLiteral(".GIF")));
        QVERIFY(!HaEstensione(QStringLiteral("logo.jpg"), QStringLiteral(".BMP")));
        QVERIFY(HaEstensione(QStringLiteral("Song.MiD"), QStringLiteral(".MID")));
        QCOMPARE(NomeFileDaPercorso(QStringLiteral("/home/u/song.mid")),
                 QStringLiteral("song.mid"));
        QCOMPARE(NomeFileDaPercorso(QStringLiteral("song.mid")), QStringLiteral("song.mid"));
        QCOMPARE(NomeFileDaPercorso(QStringLiteral("/home/u/")), QString());
    }

    void suoneria()
    {
        QVERIFY(EMelodiaVuota(QByteArray::fromHex(
            "4D546864000000060000000100604D54726B0000001600FF58040402180800FF510307D00000C00100FF"
            "2F00")));
        QVERIFY(!EMelodiaVuota(QByteArray::fromHex("4D546864")));
        const std::optional<Suoneria> limiti
            = DecodificaLimitiSuoneria(QStringLiteral("^SRTC: (0-16),(0-4)"));
        QVERIFY(limiti);
        QCOMPARE(limiti->tono, 16);
        QCOMPARE(limiti->volume, std::optional<int>(4));
        QCOMPARE(DecodificaLimitiSuoneria(QStringLiteral("ERRORE")), std::nullopt);
        const std::optional<Suoneria> tre = DecodificaSuoneria(QStringLiteral("^SRTC: 3,2,0"));
        QCOMPARE(tre->tono, 3);
        QCOMPARE(tre->volume, std::optional<int>(2));
        const std::optional<Suoneria> due = DecodificaSuoneria(QStringLiteral("^SRTC: 12,10,1"));
        QCOMPARE(due->tono, 12);
        QCOMPARE(due->volume, std::optional<int>(10));
        QCOMPARE(DecodificaSuoneria(QStringLiteral("^SRTC: 3,2"))->volume, std::nullopt);
        QCOMPARE(DecodificaSuoneria(QStringLiteral("ERRORE")), std::nullopt);
        // A number out of range makes the reply unknown, not a wrapped-round value.
        QCOMPARE(DecodificaLimitiSuoneria(QStringLiteral("^SRTC: (0-4294967312),(0-4)")),
                 std::nullopt);
        QCOMPARE(DecodificaLimitiSuoneria(QStringLiteral("^SRTC: (0-16),(0-100)")), std::nullopt);
        QCOMPARE(DecodificaSuoneria(QStringLiteral("^SRTC: 4294967299,2,0")), std::nullopt);
        QCOMPARE(DecodificaSuoneria(QStringLiteral("^SRTC: 3,4294967298,0")), std::nullopt);
    }

    // The ranges are read field by field: a reply of a hostile length is refused at once, not
    // searched for a second range.
    void limitiSuoneria_data()
    {
        QTest::addColumn<QString>("risposta");
        QTest::addColumn<int>("tono"); // -1: the reply is refused
        QTest::addColumn<int>("volume");
        QTest::newRow("usuale") << QStringLiteral("^SRTC: (0-16),(0-4)") << 16 << 4;
        QTest::newRow("un campo in piu") << QStringLiteral("^SRTC: (1-9),(0-4),(0-1)") << 9 << 4;
        QTest::newRow("un campo solo") << QStringLiteral("^SRTC: (0-16)") << -1 << 0;
        QTest::newRow("senza intervallo") << QStringLiteral("^SRTC: (16),(4)") << -1 << 0;
        QTest::newRow("cifre senza secondo trattino")
            << QStringLiteral("^SRTC: (0-") + QString(200000, u'7') << -1 << 0;
        QTest::newRow("troppo lunga")
            << QStringLiteral("^SRTC: (0-16),(0-4)") + QString(300, u' ') << -1 << 0;
    }

    void limitiSuoneria()
    {
        QFETCH(QString, risposta);
        QFETCH(int, tono);
        QFETCH(int, volume);
        QElapsedTimer tempo;
        tempo.start();
        const std::optional<Suoneria> limiti = DecodificaLimitiSuoneria(risposta);
        // Linear work takes well under a millisecond here; searching back and forth, minutes.
        QVERIFY2(tempo.elapsed() < 2000, qPrintable(QString::number(tempo.elapsed())));
        if (tono < 0) {
            QCOMPARE(limiti, std::nullopt);
            return;
        }
        QVERIFY(limiti);
        QCOMPARE(limiti->tono, tono);
        QCOMPARE(limiti->volume, std::optional<int>(volume));
    }

    void dialogoControlli()
    {
        QVERIFY(frmProm::ControllaN(QStringLiteral("5"), 1, 31));
        for (const char* cattivo : {" 5", "1e3", "-1", "", "3,1", "32", "0"})
            QVERIFY2(!frmProm::ControllaN(QString::fromLatin1(cattivo), 1, 31), cattivo);
        frmProm dialogo(nullptr, 1);
        QCOMPARE(DialogoAperto, frmProm::Codice);
        dialogo.Compila({QStringLiteral("31"), QStringLiteral("02"), QStringLiteral("2100"),
                         QStringLiteral("23"), QStringLiteral("59"), QStringLiteral("59"),
                         QStringLiteral("1234567890123456"), 0, 0});
        QVERIFY(dialogo.TuttoValido());
        const auto prova = [&](QLineEdit* campo, const QString& valore) {
            const QString prima = campo->text();
            campo->setText(valore);
            const bool valido = dialogo.TuttoValido();
            campo->setText(prima);
            return valido;
        };
        QVERIFY(!prova(dialogo.txtAA, QStringLiteral("1998")));
        QVERIFY(!prova(dialogo.txtAA, QStringLiteral("2101")));
        QVERIFY(!prova(dialogo.txtTesto, QStringLiteral("12345678901234567")));
        QVERIFY(prova(dialogo.txtTesto, QString()));
        QVERIFY(!prova(dialogo.txtH, QStringLiteral("24")));
        QVERIFY(!prova(dialogo.txtS, QString()));
        QVERIFY(prova(dialogo.txtGG, QStringLiteral("5")));
        // In English the Italian-only captions keep the dialog's own.
        QCOMPARE(dialogo.Label1->text(), QStringLiteral("Date"));
        QCOMPARE(dialogo.Label7->text(), QStringLiteral("Testo:"));
        QCOMPARE(dialogo.pAnnulla->text(), QStringLiteral("&Cancel"));
        dialogo.reject();
        QCOMPARE(DialogoAperto, 0);
        QVERIFY(DialogoChiuso);
    }
};

QTEST_MAIN(TstOggetti)
#include "tst_oggetti.moc"
