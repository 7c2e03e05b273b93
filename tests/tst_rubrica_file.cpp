// The phonebook file's bytes, its bad-file cases, and the text export.

#include "catalogo.h"
#include "filediprova.h"
#include "filerubrica.h"
#include "globali.h"
#include "tabelle.h"
#include "vocabolario.h"
#include "vocefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// One record as the file holds it; the texts are given already padded, so the expected bytes
// are spelled out rather than computed.
QByteArray Record(uint8_t tag, const char* nome16, const char* numero30, const char* flagHex)
{
    const QByteArray nome(nome16);
    const QByteArray numero(numero30);
    Q_ASSERT(nome.size() == 16 && numero.size() == 30);
    return QByteArray(1, static_cast<char>(tag)) + nome + numero + QByteArray::fromHex(flagHex);
}

const char* const Vuoto16 = "                ";
const char* const Vuoto30 = "                              ";

// SIM of 2 positions with Anna at 1; phone of 1 position with the red Bob at 1; no special SIM
// nor own numbers.
void RubricaEsempio()
{
    Telefono = DatiTelefono{};
    Telefono.RubTotale = {2, 0, 1, 0};
    Telefono.RubUsate = {1, 0, 1, 0};
    Voce(0, 1, "Anna", "+39333");
    Voce(2, 1, "Bob!", "0612");
    Telefono.SMSC = "+393359609600";
    Telefono.RubLetta.fill(true);
}

QByteArray BytesEsempio()
{
    return Record(0, Vuoto16, "Quorna - File Rubrica         ", "0000")
           + Record(0, "1               ", "2                             ", "0000")
           + Record(1, "Anna            ", "+39333                        ", "0000")
           + Record(2, Vuoto16, Vuoto30, "0000")
           + Record(1, "0               ", "0                             ", "0000")
           + Record(2, "1               ", "1                             ", "0000")
           + Record(1, "Bob!            ", "0612                          ", "FFFF")
           + Record(3, "0               ", "0                             ", "FFFF")
           + Record(99, "SMSC            ", "+393359609600                 ", "FFFF");
}

} // namespace

class TstRubricaFile : public QObject {
    Q_OBJECT

    QTemporaryDir cartella;

private slots:
    void initTestCase() { TestiInglesi(); }

    void init() { RubricaEsempio(); }

    void recordDiAltriFile()
    {
        const QString nome = QStringLiteral("Nicolò è qui ma troppo lungo");
        const QByteArray record = ScriviVoceFile({7, nome, QStringLiteral("12"), -1});
        QCOMPARE(record.size(), 49);
        QCOMPARE(record.mid(1, 16), QByteArray("Nicol\xF2 \xE8 qui ma "));
        QCOMPARE(record.right(2), QByteArray::fromHex("FFFF"));
        const std::optional<VoceFile> letta = LeggiVoceFile(QByteArray(3, 'x') + record, 3);
        QVERIFY(letta);
        QCOMPARE(letta->Tag, uint8_t(7));
        QCOMPARE(letta->Nome, QStringLiteral("Nicolò è qui ma "));
        QCOMPARE(letta->Numero, QStringLiteral("12").leftJustified(30));
        QCOMPARE(letta->Rossa, int16_t(-1));
        QVERIFY(!LeggiVoceFile(record, 1));
    }

    void bytesDelFile() { QCOMPARE(BytesFileRubrica(), BytesEsempio()); }

    // A centre the phone did not give leaves the one the file holds; the rest is the table's.
    void centroIgnotoConservaQuelloDelFile()
    {
        const QString percorso = FileDiProva(cartella.path(), "centro.rub", BytesEsempio());
        Telefono.SMSC.clear();
        Voce(0, 2, "Carla", "055");
        const std::optional<RubricaDaFile> scritta
            = LeggiBytesFileRubrica(BytesFileRubricaConservando(percorso));
        QVERIFY(scritta);
        QCOMPARE(scritta->smsc, QStringLiteral("+393359609600"));
        QCOMPARE(scritta->voci[0][2].Nome, QStringLiteral("Carla"));
    }

    void rubricaSenzaPosizioni()
    {
        Telefono = DatiTelefono{};
        const QByteArray dati = BytesFileRubrica();
        QCOMPARE(dati.size(), 6 * 49);
        QCOMPARE(dati.mid(5 * 49), Record(99, "SMSC            ", Vuoto30, "0000"));
    }

    // The table keeps 250 positions of a larger memory; the file records what it holds.
    void memoriaOltre250()
    {
        Telefono.RubTotale[2] = 300;
        Voce(2, 250, "Ultima", "9");
        const std::optional<RubricaDaFile> letta = LeggiBytesFileRubrica(BytesFileRubrica());
        QVERIFY(letta);
        QCOMPARE(letta->totale[2], int16_t(250));
        QCOMPARE(letta->voci[2][250].Nome, QStringLiteral("Ultima"));
    }

    void andataERitorno()
    {
        Voce(0, 2, "", "+3912345");           // a number with no name
        Voce(2, 1, "Sedici caratteri!", "1"); // red, longer than the field
        Telefono.SMSC = "+39";
        const QByteArray dati = BytesFileRubrica();
        Telefono = DatiTelefono{};
        const QString percorso = FileDiProva(cartella.path(), "giro.rub", dati);
        QVERIFY(CaricaFileRubrica(percorso));
        QCOMPARE(Telefono.RubTotale, (std::array<int16_t, 4>{2, 0, 1, 0}));
        QCOMPARE(Telefono.Rubrica[0][1].Nome, QStringLiteral("Anna"));
        QCOMPARE(Telefono.Rubrica[0][2].Posizione, QStringLiteral("2"));
        QCOMPARE(Telefono.Rubrica[0][2].Numero, QStringLiteral("+3912345"));
        QCOMPARE(Telefono.Rubrica[2][1].Nome, QStringLiteral("Sedici caratter!"));
        QVERIFY(Telefono.Rubrica[2][1].Rossa);
        QCOMPARE(Telefono.SMSC, QStringLiteral("+39"));
        QVERIFY(Telefono.SMSCLetto);
        for (bool letta : Telefono.RubLetta)
            QVERIFY(letta);
    }

    // Only the blanks that pad a field are taken off: a tab, a no-break space or a form feed at
    // either end belongs to the name.
    void soloGliSpaziSonoRiempimento()
    {
        Voce(0, 2, QStringLiteral("\tAnna\u00A0"), "0612");
        Voce(2, 1, QStringLiteral("\fBob!"), "055");
        const QString percorso = FileDiProva(cartella.path(), "bianchi.rub", BytesFileRubrica());
        Telefono = DatiTelefono{};
        QVERIFY(CaricaFileRubrica(percorso));
        QCOMPARE(Telefono.Rubrica[0][2].Nome, QStringLiteral("\tAnna\u00A0"));
        QCOMPARE(Telefono.Rubrica[2][1].Nome, QStringLiteral("\fBob!"));
        QCOMPARE(Telefono.Rubrica[0][1].Nome, QStringLiteral("Anna"));

        QByteArray testataConTab = BytesEsempio();
        testataConTab[1] = '\t';
        QVERIFY(!CaricaFileRubrica(FileDiProva(cartella.path(), "testata.rub", testataConTab)));
    }

    void contiConSpazioDavanti()
    {
        QByteArray dati = BytesEsempio();
        dati.replace(49 + 1, 16, " 12             ");
        QVERIFY(CaricaFileRubrica(FileDiProva(cartella.path(), "spazio.rub", dati)));
        QCOMPARE(Telefono.RubUsate[0], int16_t(12));
    }

    void fileGuasti_data()
    {
        QTest::addColumn<QByteArray>("dati");
        const QByteArray buono = BytesEsempio();
        QByteArray altroTag = buono;
        altroTag[3 * 49] = 5;
        QByteArray testataDiversa = buono;
        testataDiversa.replace(17, 6, "Altro ");
        QByteArray centroDiverso = buono;
        centroDiverso.replace(8 * 49 + 1, 4, "SMSX");
        QByteArray troppePosizioni = buono;
        troppePosizioni.replace(4 * 49 + 17, 3, "251");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not a phonebook") << QByteArray("hello, world\n").repeated(10);
        QTest::newRow("other header") << testataDiversa;
        QTest::newRow("no centre record") << buono.left(8 * 49);
        QTest::newRow("cut in an entry") << buono.left(6 * 49 + 20);
        QTest::newRow("entry out of place") << altroTag;
        QTest::newRow("centre record mismatch") << centroDiverso;
        QTest::newRow("memory over 250") << troppePosizioni;
    }

    // A bad file changes nothing: not the entries, not the counts, not the flags.
    void fileGuasti()
    {
        QFETCH(QByteArray, dati);
        Telefono.RubLetta = {true, false, true, false, false};
        Telefono.SMSCLetto = false;
        const DatiTelefono prima = Telefono;
        QVERIFY(!CaricaFileRubrica(FileDiProva(cartella.path(), "guasto.rub", dati)));
        QCOMPARE(Telefono.RubLetta, prima.RubLetta);
        QCOMPARE(Telefono.RubTotale, prima.RubTotale);
        QCOMPARE(Telefono.RubUsate, prima.RubUsate);
        QCOMPARE(Telefono.Rubrica[0][1].Nome, QStringLiteral("Anna"));
        QCOMPARE(Telefono.Rubrica[2][1].Nome, QStringLiteral("Bob!"));
        QVERIFY(Telefono.Rubrica[0][2].Posizione.isEmpty());
        QVERIFY(!Telefono.SMSCLetto);
        QVERIFY(!CaricaFileRubrica(cartella.filePath("missing.rub")));
    }

    // A file that cannot be written leaves the old one whole.
    void scritturaFallitaLasciaIlVecchio()
    {
        const QString percorso = FileDiProva(cartella.path(), "vecchio.rub", "old");
        QVERIFY(ScriviFileIntero(percorso, "new"));
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("new"));
        QVERIFY(!ScriviFileIntero(cartella.filePath("no/such/folder/x.rub"), "x"));
    }

    void esportazioneTesto()
    {
        Telefono.RubTotale = {130, 0, 3, 0};
        Telefono.RubUsate = {3, 0, 2, 0};
        Voce(0, 7, "Anna", "+39333");
        Voce(0, 123, "Diciannove caratter", "0612");
        Voce(0, 1, "", "");
        Telefono.Rubrica[0][1] = VoceRubrica{};
        Voce(0, 2, "Venti caratteri pieni", "055");
        Telefono.Rubrica[2][1] = VoceRubrica{};
        Voce(2, 3, "Zoe!", "*31#");
        const QByteArray atteso = "Phonebook SIM   Numbers: 3/130\r\n"
                                  "  2  Venti caratteri pieni\r\n"
                                  "                        055\r\n"
                                  "  7  Anna               +39333\r\n"
                                  "123  Diciannove caratter0612\r\n"
                                  "Phonebook Special SIM   Numbers: 0/0\r\n"
                                  "Phonebook Phone   Numbers: 2/3\r\n"
                                  "  3  Zoe!               *31#\r\n"
                                  "Phonebook Own numbers   Numbers: 0/0\r\n";
        QCOMPARE(BytesFileRubricaTxt(), atteso);
    }
};

QTEST_GUILESS_MAIN(TstRubricaFile)
#include "tst_rubrica_file.moc"
