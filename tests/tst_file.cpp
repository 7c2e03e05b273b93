// The files the program reads and writes. What is no regular file, or is longer than a file of
// its kind can be, is refused at once, told of with why, and never written over; the program's
// own files that hold messages or numbers, and its folders, are its user's alone.

#include "archivio.h"
#include "catalogo.h"
#include "filediprova.h"
#include "fileinteri.h"
#include "fileprom.h"
#include "filerubrica.h"
#include "frmmain.h"
#include "immaginelogo.h"
#include "listedistribuzione.h"
#include "operatori.h"
#include "programma.h"
#include "risposte.h"
#include "rubrica.h"
#include "statobase.h"
#include "trasferimento.h"

#include <QLabel>
#include <QtTest>

#include <functional>

namespace {

// A file where a reader looks for it, made into something that is not what the reader takes.
using Creazione = std::function<bool(const QString& percorso)>;
// A reader run on its file, telling why it did not read it.
using Lettore = std::function<void(const QString& percorso, FileRifiutato* rifiuto)>;

const QString UnSMS = QStringLiteral("0011000B913933123456F70000AA00");

// Longer than a file of any kind the program reads; sparse, so it costs no disk.
constexpr qint64 TroppiByte = 32 * 1024 * 1024;

bool Cartella(const QString& p)
{
    return QDir().mkdir(p);
}

bool Lungo(const QString& p)
{
    QFile file(p);
    return file.open(QIODevice::WriteOnly) && file.resize(TroppiByte);
}

bool Illeggibile(const QString& p)
{
    return Scrivi(p, "x") && QFile::setPermissions(p, QFile::WriteOwner);
}

// Never a change of mode: through a link it would change the device's.
void Togli(const QString& p)
{
    if (!QFile::remove(p))
        QDir().rmdir(p);
}

QString Modo(const QString& p)
{
    struct stat stato {};
    return stat(QFile::encodeName(p).constData(), &stato) == 0
               ? QString::number(stato.st_mode & 0777, 8)
               : QString();
}

QString ModoConsueto()
{
    const mode_t maschera = umask(0);
    umask(maschera);
    return QString::number(0666 & ~maschera, 8);
}

QString TestoAvviso(const QString& percorso, int perche)
{
    return Msg(822) + percorso + "\n" + Msg(perche) + "\n" + Msg(826);
}

using Scrittura = std::function<bool(Rubrica&)>;

} // namespace

Q_DECLARE_METATYPE(Creazione)
Q_DECLARE_METATYPE(Lettore)
Q_DECLARE_METATYPE(Scrittura)
Q_DECLARE_METATYPE(MotivoFileRifiutato)

class TstFile : public QObject {
    Q_OBJECT

    QString cartellaUtente;

    void addLettori(const char* tipo, const Creazione& crea, MotivoFileRifiutato motivo)
    {
        const auto riga = [&](const char* lettore, const QString& percorso, const Lettore& leggi) {
            QTest::addRow("%s, %s", tipo, lettore) << crea << percorso << leggi << motivo;
        };
        riga("archive", PercorsoArchivio(), [](const QString&, FileRifiutato* r) {
            CaricaArchivioSMS();
            *r = IlleggibileDaSegnalare().value_or(FileRifiutato{});
        });
        riga("phonebook", FileProgramma("Quorna.rub"), CaricaFileRubrica);
        riga("operators", FileProgramma("reti.op"), CaricaFileOperatori);
        riga("distribution lists", FileProgramma("distrib.lst"),
             [](const QString&, FileRifiutato* r) { CaricaFileListeD(r); });
        riga("reminders", QDir(cartellaUtente).filePath("agenda.cal"), CaricaFileProm);
        riga("favourite logo", FileProgramma("logo5.bmp"), CaricaImmagine);
        riga("melody to send", QDir(cartellaUtente).filePath("melodia.mid"),
             [](const QString& p, FileRifiutato* r) { ScriviMidi(p, {}, r); });
    }

private slots:
    void initTestCase()
    {
        QVERIFY(CatalogoMessaggi::Carica());
        cartellaUtente = qEnvironmentVariable("QUORNA_TEST_ROOT");
        StatoDiPartenza();
    }

    void fileNonRegolari_data()
    {
        QTest::addColumn<Creazione>("crea");
        QTest::addColumn<QString>("percorso");
        QTest::addColumn<Lettore>("leggi");
        QTest::addColumn<MotivoFileRifiutato>("motivo");
        addLettori("a folder", Cartella, MotivoFileRifiutato::NonRegolare);
        addLettori("a pipe", Pipe, MotivoFileRifiutato::NonRegolare);
        addLettori("a link to /dev/zero", LinkAZero, MotivoFileRifiutato::NonRegolare);
        addLettori("an over-long file", Lungo, MotivoFileRifiutato::TroppoLungo);
        addLettori("no read permission", Illeggibile, MotivoFileRifiutato::Illeggibile);
    }

    // Refused at once, with why, and nothing written in its place.
    void fileNonRegolari()
    {
        QFETCH(Creazione, crea);
        QFETCH(QString, percorso);
        QFETCH(Lettore, leggi);
        QFETCH(MotivoFileRifiutato, motivo);
        QVERIFY(crea(percorso));
        const auto ripristina = qScopeGuard([&] {
            Togli(percorso);
            // A read that finds it gone forgets its refusal; the archive's notice ends with a
            // read that takes the file.
            LeggiFileIntero(percorso, 0);
            CaricaArchivioSMS();
            Togli(PercorsoArchivio());
        });
        if (motivo == MotivoFileRifiutato::Illeggibile && QFile(percorso).open(QIODevice::ReadOnly))
            QSKIP("this user reads files without read permission");
        const QString prima = ImprontaFile(percorso);

        FileRifiutato rifiuto;
        leggi(percorso, &rifiuto);
        QCOMPARE(rifiuto.percorso, percorso);
        QCOMPARE(rifiuto.motivo, motivo);
        QVERIFY(!ScriviFileIntero(percorso, "x"));
        QCOMPARE(ImprontaFile(percorso), prima);
    }

    // The files the program reads by itself at start: each refused one is told of once, with
    // why; the favourite logo in its exact name is shown, one in another letter case is not.
    void fileRifiutatiAllAvvio()
    {
        RisposteFinte utente;
        Opzioni.AutoLoadRub = 1;
        Opzioni.AutoLoadOPsList = 1;
        const QString logo7 = FileProgramma("logo7.bmp");
        const QString rubrica = FileProgramma("Quorna.rub");
        const QString operatori = FileProgramma("reti.op");
        const QString logo5 = FileProgramma("logo5.bmp");
        const QString logo6 = FileProgramma("LOGO6.bmp");
        const auto ripristina = qScopeGuard([&] {
            for (const QString& file :
                 {logo5, logo6, logo7, PercorsoArchivio(), rubrica, operatori})
                Togli(file);
            Opzioni = Impostazioni{};
        });
        QVERIFY(Cartella(logo7) && Pipe(PercorsoArchivio()) && LinkAZero(rubrica)
                && Lungo(operatori));
        QImage logo(97, 26, QImage::Format_RGB32);
        logo.fill(Qt::black);
        QVERIFY(logo.save(logo5, "BMP") && logo.save(logo6, "BMP"));

        frmMain* finestra = CaricaFinestraPrincipale();
        QCOMPARE(utente.testi(),
                 (QStringList{TestoAvviso(logo7, 823),
                              Msg(800) + PercorsoArchivio() + "\n" + Msg(823) + "\n" + Msg(801),
                              TestoAvviso(rubrica, 823), TestoAvviso(operatori, 824)}));
        QVERIFY(!finestra->PicLogoOp[5]->pixmap().isNull());
        QVERIFY(finestra->PicLogoOp[6]->pixmap().isNull());
        // Read again, they are not told of twice.
        finestra->rubrica->CaricaFileRubrica(rubrica);
        finestra->impostazioni->CaricaFileOperatori(operatori);
        finestra->oggetti->CaricaPreferiti();
        QCOMPARE(utente.boxes.size(), 4);
        delete finestra;
    }

    void modi_data()
    {
        QTest::addColumn<Scrittura>("scrivi");
        QTest::addColumn<QString>("percorso");
        QTest::addColumn<QString>("modo");
        const auto riga
            = [](const char* nome, const QString& percorso, const QString& modo,
                 const Scrittura& scrivi) { QTest::newRow(nome) << scrivi << percorso << modo; };
        const auto archivia = [] { return AggiungiSMSArchivio(UnSMS, 1, 2); };
        riga("archive, written 0644 before", PercorsoArchivio(), "600", [archivia](Rubrica&) {
            return Scrivi(PercorsoArchivio(), {})
                   && chmod(QFile::encodeName(PercorsoArchivio()).constData(), 0644) == 0
                   && archivia();
        });
        riga("original of a damaged archive", PercorsoArchivio() + ".damaged", "600",
             [archivia](Rubrica&) { return Scrivi(PercorsoArchivio(), "junk") && archivia(); });
        riga("default phonebook", Rubrica::FileRubricaPredefinito(), "600",
             [](Rubrica& r) { return r.SalvaFileRubrica(Rubrica::FileRubricaPredefinito()); });
        riga("distribution lists", FileProgramma("distrib.lst"), "600", [](Rubrica&) {
            ListeDistribuzione = {{NomeLista("Amici"), {}}};
            return SalvaFileListeD();
        });
        const QString utente = QDir(cartellaUtente).filePath("mia.rub");
        riga("phonebook the user saves", utente, ModoConsueto(),
             [utente](Rubrica& r) { return r.SalvaFileRubrica(utente); });
        const QString testo = QDir(cartellaUtente).filePath("mia.txt");
        riga("text export", testo, ModoConsueto(),
             [testo](Rubrica& r) { return r.SalvaFileRubricaTxt(testo); });
    }

    // Messages and numbers in the program's folder are readable by their user only; a file the
    // user saves takes the usual mode.
    void modi()
    {
        QFETCH(Scrittura, scrivi);
        QFETCH(QString, percorso);
        QFETCH(QString, modo);
        Telefono.RubLetta.fill(true);
        Telefono.SMSCLetto = true;
        frmMain finestra;
        Rubrica rubrica(finestra);
        QVERIFY(scrivi(rubrica));
        QCOMPARE(Modo(percorso), modo);
        for (const QString& file : QDir(CartellaProgramma()).entryList(QDir::Files))
            QFile::remove(FileProgramma(file));
    }

    // Every folder the program makes for its files is its user's alone.
    void cartelle()
    {
        const QByteArray dati = qgetenv("XDG_DATA_HOME");
        const QString nuova = cartellaUtente + "/nuova";
        qputenv("XDG_DATA_HOME", QFile::encodeName(nuova + "/dati"));
        const QString programma = CartellaProgramma();
        qputenv("XDG_DATA_HOME", dati);
        QVERIFY(programma.startsWith(nuova));
        for (QString cartella = programma; cartella != cartellaUtente;
             cartella = QFileInfo(cartella).path())
            QCOMPARE(Modo(cartella), QStringLiteral("700"));
    }
};

QTEST_MAIN(TstFile)
#include "tst_file.moc"
