// The messages keep what the phone and the archive hold: a damaged archive read for its whole
// records and repaired without losing a byte, messages with no text, folders that show what a
// command changed, the compose dialog's number and drafts. The main window with the real link
// against the simulated phone.

#include "archivio.h"
#include "banco.h"
#include "catalogo.h"
#include "frmmain.h"
#include "frmsms.h"
#include "globali.h"
#include "letturasms.h"
#include "messaggi.h"
#include "statobase.h"

#include <QDir>
#include <QTimer>
#include <QtTest>

namespace {

// From +39333123456 on 04/12/01 12:34: "Hello".
const QByteArray Ciao = "0791933395066900040B919333133254F600001021402143050005C8329BFD06";
// To +39333123456, valid 24 hours, report asked: "Ciao!".
const QByteArray DaInviare = "079193339506690031FF0B919333133254F60000A705C374F81D02";

QByteArray Record(const QByteArray& pdu, uint8_t tipo, uint8_t stato)
{
    return QByteArray("<SMS>") + char(pdu.size() / 2) + char(tipo) + char(stato) + pdu;
}

QString PercorsoArchivio()
{
    return FileProgramma(QStringLiteral("archivio.sms"));
}

void ScriviArchivio(const QByteArray& byte)
{
    QFile file(PercorsoArchivio());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(byte), byte.size());
}

} // namespace

class TstMessaggiIntegrita : public QObject, private Banco {
    Q_OBJECT

    Messaggi* messaggi = nullptr;

    void scegliRiga(const QString& posizione)
    {
        const auto trovate = finestra->List1->findItems(posizione, Qt::MatchExactly, 0);
        QVERIFY(!trovate.isEmpty());
        finestra->List1->setCurrentItem(trovate.first());
        finestra->List1_Click();
    }

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }

    void init()
    {
        StatoDiPartenza();
        ContaSMS.fill(0);
        IndiceSMS.clear();
        ArchivioSMS.fill(MessaggioSMS());
        NumArchivio = 0;
        ArchivioLetto = false;
        QFile::remove(PercorsoArchivio());
        for (const QString& copia : QDir(CartellaProgramma()).entryList({"*.damaged"}))
            QFile::remove(FileProgramma(copia));
        apri();
        messaggi = monta<Messaggi>(&frmMain::messaggi);
    }

    void cleanup() { chiudi(); }

    // Junk, a whole record, junk and a cut record: the program starts with the whole record,
    // tells once how much it skipped, and the first change keeps the original beside the file.
    void archivioDanneggiato()
    {
        const QByteArray danneggiato = QByteArray("\x01\x02garbage") + Record(Ciao, 0, 1) + "\r\n"
                                       + Record(DaInviare, 1, 2).chopped(7);
        ScriviArchivio(danneggiato);
        const qsizetype scartati = danneggiato.size() - Record(Ciao, 0, 1).size();

        finestra->Form_Load();

        QCOMPARE(testiBox(),
                 QStringList{Msg(792) + QString::number(scartati) + "\n" + Msg(793)
                             + QDir::toNativeSeparators(PercorsoArchivio() + ".damaged")});
        QCOMPARE(risposte->boxes.first().icona, QMessageBox::Warning);
        clic("SMS_ARC");
        QCOMPARE(righe(), QStringList{"01|Hello|+39333123456|04/12/01 12.34|011204123450"});
        // Reading the same file again tells nothing new.
        finestra->Aggiorna();
        QCOMPARE(righe().size(), 1);
        QCOMPARE(risposte->boxes.size(), 1);
        QCOMPARE(Contenuto(PercorsoArchivio()), danneggiato);

        scegliRiga("01");
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        messaggi->DelSMS();
        QCOMPARE(Contenuto(PercorsoArchivio() + ".damaged"), danneggiato);
        QCOMPARE(Contenuto(PercorsoArchivio()), QByteArray());
        QCOMPARE(righe(), QStringList());
    }
};

QTEST_MAIN(TstMessaggiIntegrita)
#include "tst_messaggi_integrita.moc"
