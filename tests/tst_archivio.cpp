// The SMS archive file: loading a file laid out by hand, damaged files read for their whole
// records and repaired without losing a byte, the 200-entry table, and the writers.

#include "archivio.h"
#include "codecs.h"
#include "filediprova.h"
#include "globali.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

// A received message (type 0) and a stored one (type 1) as the phone and the composer give them.
const QByteArray PDURicevuto = "0791933395066900040B919333133254F600001021402143050005C8329BFD06";
const QByteArray PDUSalvato = "018191FF038121F30000A70361F118";
const QByteArray PDUInviato = "079193339506690031FF0B919333133254F60000A705C374F81D02";

// A stored message whose message reference tells the records apart.
QByteArray RecordNumerato(int numero)
{
    const QByteArray pdu
        = "0001" + QByteArray::number(numero, 16).rightJustified(2, '0') + "038121F300000361F118";
    return RecordSMS(pdu.toUpper(), 1, 2);
}

QByteArray RecordNumerati(int dal, int al)
{
    QByteArray byte;
    for (int numero = dal; numero <= al; ++numero)
        byte += RecordNumerato(numero);
    return byte;
}

enum Scrittura { Aggiungi, Sostituisci, Cancella };

QByteArray LeggiFile()
{
    return Contenuto(PercorsoArchivio());
}

} // namespace

class TestArchivio : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void fileScrittoAMano();
    void fileAssenteOVuoto_data();
    void fileAssenteOVuoto();
    void fileDanneggiato_data();
    void fileDanneggiato();
    void fileRiparatoConservandoLOriginale();
    void fileIlleggibile();
    void alPiuDuecentoVoci();
    void fileLungo();
    void scritturaERilettura();
    void recordIntattiByteperByte();
    void scrittureRifiutate_data();
    void scrittureRifiutate();
};

void TestArchivio::initTestCase()
{
    // The program folder must be the temporary one the test runner gives, never the user's.
    QVERIFY(qEnvironmentVariableIsSet("QUORNA_TEST_ROOT"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorna"));
    InitAlfabetoGSM();
}

void TestArchivio::init()
{
    QFile::remove(PercorsoArchivio());
    for (const QString& copia : QDir(CartellaProgramma()).entryList({"*.damaged"}))
        QFile::remove(FileProgramma(copia));
    ArchivioSMS.fill(MessaggioSMS());
    NumArchivio = 0;
    ArchivioLetto = false;
    Telefono.SMSC.clear();
}

void TestArchivio::fileScrittoAMano()
{
    ScriviArchivio(QByteArray::fromHex("3C534D533E"
                                       "20"
                                       "00"
                                       "01")
                   + PDURicevuto
                   + QByteArray::fromHex("3C534D533E"
                                         "0F"
                                         "01"
                                         "02")
                   + PDUSalvato);

    QVERIFY(CaricaArchivioSMS());

    QVERIFY(ArchivioLetto);
    QCOMPARE(NumArchivio, 2);
    const MessaggioSMS& ricevuto = ArchivioSMS[1];
    QCOMPARE(ricevuto.PDU, QString::fromLatin1(PDURicevuto));
    QCOMPARE(ricevuto.Stato, uint8_t(1));
    QCOMPARE(ricevuto.Tipo, uint8_t(0));
    QCOMPARE(ricevuto.SMSC, QStringLiteral("+393359609600"));
    QCOMPARE(ricevuto.Numero, QStringLiteral("+39333123456"));
    QCOMPARE(ricevuto.DataOra, QStringLiteral("01120412345000"));
    QCOMPARE(ricevuto.Testo, QStringLiteral("Hello"));
    const MessaggioSMS& salvato = ArchivioSMS[2];
    QCOMPARE(salvato.Stato, uint8_t(2));
    QCOMPARE(salvato.Tipo, uint8_t(1));
    QCOMPARE(salvato.SMSC, QString());
    QCOMPARE(salvato.Numero, QStringLiteral("123"));
    QCOMPARE(salvato.DataOra, QStringLiteral("167           "));
    QCOMPARE(salvato.Testo, QStringLiteral("abc"));
    QCOMPARE(ArchivioSMS[3].LunghezzaDati, int16_t(0));
}

void TestArchivio::fileAssenteOVuoto_data()
{
    QTest::addColumn<bool>("esiste");
    QTest::newRow("missing") << false;
    QTest::newRow("empty") << true;
}

void TestArchivio::fileAssenteOVuoto()
{
    QFETCH(bool, esiste);
    if (esiste)
        ScriviArchivio(QByteArray());
    NumArchivio = 1;
    ArchivioSMS[1].Testo = QStringLiteral("kept");

    QVERIFY(!CaricaArchivioSMS());

    QVERIFY(QFile::exists(PercorsoArchivio()));
    QCOMPARE(QFile(PercorsoArchivio()).size(), 0);
    QCOMPARE(NumArchivio, 1);
    QCOMPARE(ArchivioSMS[1].Testo, QStringLiteral("kept"));
    QVERIFY(!ArchivioLetto);
}

void TestArchivio::fileDanneggiato_data()
{
    QTest::addColumn<QByteArray>("byte");
    QTest::addColumn<QByteArray>("interi");

    const QByteArray buono = RecordSMS(PDURicevuto, 0, 1);
    const QByteArray salvato = RecordSMS(PDUSalvato, 1, 2);
    const QByteArray inviato = RecordSMS(PDUInviato, 1, 3);
    QTest::newRow("header cut") << buono + QByteArray("<SMS>\x20") << buono;
    QTest::newRow("PDU cut") << buono + salvato.chopped(1) << buono;
    QTest::newRow("bytes before the first record") << "x" + buono << buono;
    QTest::newRow("bytes after the last record") << buono + "\r\n" << buono;
    QTest::newRow("bytes between records") << buono + " " + salvato << buono + salvato;
    QTest::newRow("no record at all") << QByteArray("not an archive") << QByteArray();
    QTest::newRow("octet count past the end")
        << QByteArray(salvato).replace(5, 1, "\xFF") << QByteArray();
    QTest::newRow("record cut by the next one")
        << buono + salvato.chopped(4) + inviato << buono + inviato;
    QTest::newRow("marker cut before a record") << "<SM" + salvato + "<S" << salvato;
}

// Every whole record is loaded, in file order; what lies outside them is skipped and counted.
// Loading changes nothing on disk.
void TestArchivio::fileDanneggiato()
{
    QFETCH(QByteArray, byte);
    QFETCH(QByteArray, interi);
    ScriviArchivio(byte);
    ScriviArchivio(interi);
    CaricaArchivioSMS();
    QList<MessaggioSMS> attesi(ArchivioSMS.cbegin() + 1, ArchivioSMS.cbegin() + 1 + NumArchivio);
    ScriviArchivio(byte);

    QVERIFY(CaricaArchivioSMS());

    QVERIFY(ArchivioLetto);
    QCOMPARE(NumArchivio, attesi.size());
    for (int i = 0; i < attesi.size(); ++i) {
        QCOMPARE(ArchivioSMS[i + 1].PDU, attesi[i].PDU);
        QCOMPARE(ArchivioSMS[i + 1].Stato, attesi[i].Stato);
        QCOMPARE(ArchivioSMS[i + 1].Testo, attesi[i].Testo);
    }
    QCOMPARE(LeggiFile(), byte);
    // Told once: the same bytes loaded again are not told of twice.
    const std::optional<DannoArchivio> danno = DannoDaSegnalare();
    QVERIFY(danno);
    QCOMPARE(danno->byteScartati, byte.size() - interi.size());
    QCOMPARE(danno->copia, PercorsoArchivio() + ".damaged");
    QVERIFY(!DannoDaSegnalare());
    QVERIFY(CaricaArchivioSMS());
    QVERIFY(!DannoDaSegnalare());
}

// The first write over a damaged file keeps the original beside it, byte for byte, and writes
// the whole records back with the change; a damaged file is repaired only once.
void TestArchivio::fileRiparatoConservandoLOriginale()
{
    const QByteArray danneggiato = "\x00\x01" + RecordSMS(PDURicevuto, 0, 1) + "junk"
                                   + RecordSMS(PDUSalvato, 1, 2).chopped(2);
    ScriviArchivio(danneggiato);
    QVERIFY(CaricaArchivioSMS());
    QCOMPARE(NumArchivio, 1);
    QVERIFY(DannoDaSegnalare());

    QVERIFY(AggiungiSMSArchivio(QString::fromLatin1(PDUInviato), 1, 3));

    QCOMPARE(LeggiFile(), RecordSMS(PDURicevuto, 0, 1) + RecordSMS(PDUInviato, 1, 3));
    QCOMPARE(Contenuto(PercorsoArchivio() + ".damaged"), danneggiato);
    QCOMPARE(NumArchivio, 2);
    // The repaired file is whole: nothing to tell.
    QVERIFY(CaricaArchivioSMS());
    QVERIFY(!DannoDaSegnalare());
    QVERIFY(CancellaSMSArchivio(2));
    QCOMPARE(Contenuto(PercorsoArchivio() + ".damaged"), danneggiato);
    QCOMPARE(LeggiFile(), RecordSMS(PDURicevuto, 0, 1));

    // Damaged again: the first copy stays, the new original goes beside it.
    const QByteArray ancora = RecordSMS(PDUSalvato, 1, 2) + "!";
    ScriviArchivio(ancora);
    QVERIFY(CaricaArchivioSMS());
    QCOMPARE(DannoDaSegnalare()->copia, FileProgramma("archivio.sms.2.damaged"));
    QVERIFY(SostituisciSMSArchivio(1, QString::fromLatin1(PDUInviato), 1, 3));
    QCOMPARE(LeggiFile(), RecordSMS(PDUInviato, 1, 3));
    QCOMPARE(Contenuto(PercorsoArchivio() + ".damaged"), danneggiato);
    QCOMPARE(Contenuto(FileProgramma("archivio.sms.2.damaged")), ancora);
}

// A file that cannot be read at all changes nothing, and no writer replaces it.
void TestArchivio::fileIlleggibile()
{
    ScriviArchivio(RecordSMS(PDUSalvato, 1, 2));
    QVERIFY(CaricaArchivioSMS());
    QVERIFY(QFile::remove(PercorsoArchivio()));
    QVERIFY(QDir().mkdir(PercorsoArchivio()));

    QVERIFY(!CaricaArchivioSMS());
    QVERIFY(!AggiungiSMSArchivio(QString::fromLatin1(PDUSalvato), 1, 2));
    QVERIFY(!CancellaSMSArchivio(1));

    QVERIFY(QFileInfo(PercorsoArchivio()).isDir());
    QCOMPARE(NumArchivio, 1);
    QCOMPARE(ArchivioSMS[1].Testo, QStringLiteral("abc"));
    QVERIFY(QDir().rmdir(PercorsoArchivio()));
}

// The table shows the first 200 records; the file keeps the rest, and no append goes past 200.
void TestArchivio::alPiuDuecentoVoci()
{
    ScriviArchivio(RecordNumerati(1, 205));

    QVERIFY(CaricaArchivioSMS());
    QCOMPARE(NumArchivio, MaxArchivio);
    QCOMPARE(ArchivioSMS[1].MR, uint8_t(1));
    QCOMPARE(ArchivioSMS[MaxArchivio].MR, uint8_t(200));

    QVERIFY(!AggiungiSMSArchivio(QString::fromLatin1(PDUSalvato), 1, 2));
    QCOMPARE(LeggiFile(), RecordNumerati(1, 205));

    QVERIFY(CancellaSMSArchivio(1));
    QCOMPARE(LeggiFile(), RecordNumerati(2, 205));
    QCOMPARE(ArchivioSMS[1].MR, uint8_t(2));
    QCOMPARE(ArchivioSMS[MaxArchivio].MR, uint8_t(201));

    ScriviArchivio(RecordNumerati(1, 199));
    QVERIFY(AggiungiSMSArchivio(QString::fromLatin1(PDUSalvato), 1, 2));
    QVERIFY(!AggiungiSMSArchivio(QString::fromLatin1(PDUSalvato), 1, 2));
    QCOMPARE(NumArchivio, MaxArchivio);
}

// Long messages make a file far beyond 32,767 bytes; it loads whole.
void TestArchivio::fileLungo()
{
    const QByteArray testo(245, 'A');
    QByteArray byte;
    for (int numero = 1; numero <= 100; ++numero) {
        const QByteArray mr = QByteArray::number(numero, 16).rightJustified(2, '0').toUpper();
        byte += RecordSMS("0001" + mr + "038121F30004F5" + testo.toHex().toUpper(), 1, 2);
    }
    QVERIFY(byte.size() > 50000);
    ScriviArchivio(byte);

    QVERIFY(CaricaArchivioSMS());

    QCOMPARE(NumArchivio, 100);
    QCOMPARE(ArchivioSMS[100].MR, uint8_t(100));
    QCOMPARE(ArchivioSMS[100].Testo, QString::fromLatin1(testo));
}

void TestArchivio::scritturaERilettura()
{
    QVERIFY(AggiungiSMSArchivio(QString::fromLatin1(PDURicevuto), 0, 1));
    QVERIFY(AggiungiSMSArchivio(QString::fromLatin1(PDUSalvato), 1, 2));
    QCOMPARE(LeggiFile(), RecordSMS(PDURicevuto, 0, 1) + RecordSMS(PDUSalvato, 1, 2));
    QCOMPARE(NumArchivio, 2);
    QCOMPARE(ArchivioSMS[2].Testo, QStringLiteral("abc"));
    QVERIFY(ArchivioLetto);

    QVERIFY(SostituisciSMSArchivio(1, QString::fromLatin1(PDUInviato), 1, 3));
    QCOMPARE(LeggiFile(), RecordSMS(PDUInviato, 1, 3) + RecordSMS(PDUSalvato, 1, 2));
    QCOMPARE(ArchivioSMS[1].Testo, QStringLiteral("Ciao!"));
    QCOMPARE(ArchivioSMS[1].Stato, uint8_t(3));

    QVERIFY(CancellaSMSArchivio(1));
    QCOMPARE(LeggiFile(), RecordSMS(PDUSalvato, 1, 2));
    QCOMPARE(NumArchivio, 1);
    QCOMPARE(ArchivioSMS[1].Testo, QStringLiteral("abc"));
    QCOMPARE(ArchivioSMS[2].LunghezzaDati, int16_t(0));

    QVERIFY(CancellaSMSArchivio(1));
    QCOMPARE(LeggiFile(), QByteArray());
    QCOMPARE(NumArchivio, 0);
    QCOMPARE(ArchivioSMS[1].LunghezzaDati, int16_t(0));

    ScriviArchivio(RecordSMS(PDURicevuto, 0, 1) + RecordSMS(PDUSalvato, 1, 2));
    QVERIFY(CaricaArchivioSMS());
    QCOMPARE(ArchivioSMS[1].Testo, QStringLiteral("Hello"));
}

// Records a rewrite does not replace go back exactly as they were read, whatever their bytes.
void TestArchivio::recordIntattiByteperByte()
{
    const QByteArray insolito = RecordSMS(PDURicevuto.toLower(), 7, 0xFF);
    const QByteArray nonEsadecimale = RecordSMS("05811*32F#00", 1, 2);
    ScriviArchivio(insolito + RecordSMS(PDUSalvato, 1, 2) + nonEsadecimale);
    QVERIFY(CaricaArchivioSMS());
    QCOMPARE(ArchivioSMS[1].Stato, uint8_t(0xFF));

    QVERIFY(SostituisciSMSArchivio(2, QString::fromLatin1(PDUInviato), 1, 3));

    QCOMPARE(LeggiFile(), insolito + RecordSMS(PDUInviato, 1, 3) + nonEsadecimale);
}

void TestArchivio::scrittureRifiutate_data()
{
    QTest::addColumn<int>("operazione");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("pdu");

    const QString valido = QString::fromLatin1(PDUSalvato);
    QTest::newRow("append odd-length PDU") << int(Aggiungi) << 0 << valido.chopped(1);
    QTest::newRow("append PDU over 255 octets") << int(Aggiungi) << 0 << QString(512, u'0');
    QTest::newRow("replace index 0") << int(Sostituisci) << 0 << valido;
    QTest::newRow("replace past the end") << int(Sostituisci) << 3 << valido;
    QTest::newRow("replace with odd-length PDU") << int(Sostituisci) << 1 << valido.chopped(1);
    QTest::newRow("delete index 0") << int(Cancella) << 0 << QString();
    QTest::newRow("delete past the end") << int(Cancella) << 3 << QString();
}

void TestArchivio::scrittureRifiutate()
{
    QFETCH(int, operazione);
    QFETCH(int, indice);
    QFETCH(QString, pdu);
    const QByteArray prima = RecordSMS(PDURicevuto, 0, 1) + RecordSMS(PDUSalvato, 1, 2);
    ScriviArchivio(prima);
    QVERIFY(CaricaArchivioSMS());

    const bool riuscita = operazione == Aggiungi      ? AggiungiSMSArchivio(pdu, 1, 2)
                          : operazione == Sostituisci ? SostituisciSMSArchivio(indice, pdu, 1, 2)
                                                      : CancellaSMSArchivio(indice);

    QVERIFY(!riuscita);
    QCOMPARE(LeggiFile(), prima);
    QCOMPARE(NumArchivio, 2);
}

QTEST_GUILESS_MAIN(TestArchivio)
#include "tst_archivio.moc"
