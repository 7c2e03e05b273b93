// The messages keep what the phone and the archive hold: a damaged archive read for its whole
// records and repaired without losing a byte, messages with no text, folders that show what a
// command changed, the compose dialog's number and drafts. The main window with the real link
// against the simulated phone.

#include "archivio.h"
#include "banco.h"
#include "catalogo.h"
#include "dialogosms.h"
#include "frmlistd.h"
#include "frmmain.h"
#include "frmsms.h"
#include "globali.h"
#include "invio.h"
#include "letturasms.h"
#include "listedistribuzione.h"
#include "messaggi.h"
#include "statobase.h"
#include "tabelle.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

namespace {

// From +39333123456 on 04/12/01 12:34: "Hello".
const QByteArray Ciao = "0791933395066900040B919333133254F600001021402143050005C8329BFD06";
// To +39333123456, valid 24 hours, report asked: "Ciao!".
const QByteArray DaInviare = "079193339506690031FF0B919333133254F60000A705C374F81D02";

// From +39333123456 on 04/12/01 12:34, with no text at all: user data length 0.
const QByteArray Vuoto = "0791933395066900040B919333133254F600001021402143050000";

const QByteArray Seme = "[messages]\ncentre = +393359609600\ncapacity = 10\n1 | 1 | " + Ciao
                        + "\n3 | 0 | " + Vuoto + "\n";

// From the alphanumeric sender "Banca" on 29/02/24 18:30: "Saldo 100".
const QByteArray DallaBanca
    = "07919333950669000409D0C2B07B1C0600004220928103008009D3309BFC06C56030";

// From a sender whose name is longer than the 11 septets an address holds: "Saldo 100".
const QString MittenteLungo = QStringLiteral("Servizio clienti della banca di fiducia!");
const QByteArray DaMittenteLungo
    = "079193339506690004"
      "46D0D3B2DC9ED6A7DFA0313B5D76D3D3207299CD0E83C461F7380C22A741E634B93E4E8743"
      "0000"
      "42209281030080"
      "09D3309BFC06C56030";

// The report of a message to +39333123456 delivered on 15/01/24 09:01:02: the centre's time
// stamp, then the time of delivery, then the status 00.
const QByteArray Consegnato = "079193339506690006"
                              "2A0B919333133254F6"
                              "42105190000040"
                              "42105190102040"
                              "00";

// The same with no digit in the recipient's address, and a received "Hello" with none in the
// sender's: the correspondent column is empty.
const QByteArray ConsegnatoANessuno = "07919333950669000606"
                                      "0281FF"
                                      "42105190000040"
                                      "42105190102040"
                                      "00";
const QByteArray DaNessuno = "079193339506690004"
                             "0281FF"
                             "0000"
                             "10214021430500"
                             "05C8329BFD06";
// An unsent "abc" to an address with no digit, as an archive entry.
const QByteArray PerNessuno = "0011FF0281FF0000A70361F118";

// A received message and an unsent one at position 4, for the commands that change folders.
const QByteArray SemeCartelle = "[messages]\ncentre = +393359609600\ncapacity = 10\n1 | 1 | " + Ciao
                                + "\n4 | 2 | " + DaInviare + "\n";

} // namespace

class TstMessaggiIntegrita : public QObject, private Banco {
    Q_OBJECT

    Messaggi* messaggi = nullptr;

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
        QDir().rmdir(PercorsoArchivio());
        for (const QString& copia : QDir(CartellaProgramma()).entryList({"*.damaged"}))
            QFile::remove(FileProgramma(copia));
        apri();
        messaggi = monta<Messaggi>(&frmMain::messaggi);
    }

    void cleanup() { chiudi(); }

    // A message with no text is told from the phone's empty-slot reply: it is listed, counted,
    // shown and deleted like any other, on the SIM and in the archive.
    void messaggiSenzaTesto()
    {
        finestra->Form_Load();
        avvia(Seme);
        clic("SMS_IN");
        QCOMPARE(righe(), (QStringList{"01|Hello|+39333123456|04/12/01 12.34|011204123450",
                                       "03||+39333123456|04/12/01 12.34|011204123450"}));
        QCOMPARE(ContaSMS[0] + ContaSMS[1], 2);
        scegliRiga("03");
        QVERIFY(finestra->txtSMS->toPlainText().startsWith(Msg(240) + "3\n"));
        QVERIFY(finestra->txtSMS->toPlainText().endsWith("0" + Msg(247) + "\n\n"));

        telefono->clearCommandLog();
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        messaggi->DelSMS();
        QCOMPARE(telefono->commandLog(), QStringList{"AT+CMGD=3"});
        QVERIFY(telefono->state().messages.bySlot.count(3) == 0);
        QCOMPARE(righe().size(), 1);

        // Stored with no text, it is there when the folder is read again.
        Telefono.SMSCLetto = true;
        QVERIFY(ScriviSMS(QString(), "+39333123456", "FF", false, "00", StatoNonInviato));
        clic("SMS_NOOUT");
        finestra->Aggiorna();
        QCOMPARE(righe(), QStringList{"02||+39333123456|63 weeks|255         "});

        QVERIFY(ArchiviaSMS(QString(), "+39333123456", "FF", false, "00", 1, StatoNonInviato));
        clic("SMS_ARC");
        QCOMPARE(righe(), QStringList{"01||+39333123456|63 weeks|255         "});
        scegliRiga("01");
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        messaggi->DelSMS();
        QCOMPARE(righe(), QStringList());
        QCOMPARE(Contenuto(PercorsoArchivio()), QByteArray());
    }

    // A status the phone should not give does not hide its message: it is listed as received
    // and read, counted so, and deleted like any other.
    void statoFuoriDalleRegole()
    {
        finestra->Form_Load();
        avvia(SemeCartelle);
        telefono->changeState(
            [](s25sim::PhoneState& stato) { stato.messages.bySlot.at(1).status = 7; });
        clic("SMS_IN");
        QCOMPARE(righe(), QStringList{"01|Hello|+39333123456|04/12/01 12.34|011204123450"});
        QCOMPARE(ContaSMS[1], int16_t(1));
        eliminaDalTelefono("01");
        QCOMPARE(telefono->state().messages.bySlot.count(1), size_t(0));
        QCOMPARE(righe(), QStringList());
    }

    // Read again from a phone that garbles its replies: a PDU under a header that cannot be read
    // is a message; a reply with no PDU is an empty position only in the phone's empty-position
    // forms, and any other leaves the position as it was.
    void risposteGuasteDiLettura()
    {
        finestra->Form_Load();
        avvia(Seme);
        clic("SMS_IN");
        QCOMPARE(testiRighe(), (QStringList{"01|Hello", "03|"}));
        rendiOstile([](const QString& comando) -> QByteArray {
            if (comando == "AT+CMGR=1")
                return "+CMGR: 1,,23\r\n\r\nOK";
            if (comando == "AT+CMGR=2")
                return "+CMGR: 12,,2x\r\n" + Ciao + "\r\n\r\nOK";
            if (comando == "AT+CMGR=3")
                return "+CMGR: 0,,0\r\n\r\nOK";
            if (comando == "AT+CMGR=5")
                return "+CMGR: 1,,23\r\nNO PDU HERE\r\n\r\nOK";
            return "OK";
        });
        finestra->Aggiorna();
        QCOMPARE(testiRighe(), (QStringList{"01|Hello", "02|Hello"}));
        QCOMPARE(ContaSMS[1], int16_t(2));
        eliminaDalTelefono("02");
        QCOMPARE(testiRighe(), QStringList{"01|Hello"});
    }

    void letturaRifiutata_data()
    {
        QTest::addColumn<int>("capacita");
        QTest::addColumn<bool>("giaLetta");
        QTest::addColumn<int>("codice");
        QTest::addColumn<bool>("servizioMessaggi");
        QTest::addColumn<QString>("rifiutate");
        QTest::addColumn<QStringList>("attese");
        QTest::addColumn<int>("avvisi");
        const QStringList tutte{"01|Hello", "02|Hello", "03|Hello"};
        const QStringList senzaLaSeconda{"01|Hello", "03|Hello"};
        const int semplice = s25sim::S25Simulator::kPlainError;
        constexpr int indiceNonValido = 321;
        QTest::newRow("a listed message, ERROR")
            << 10 << true << semplice << false << "2" << tutte << 1;
        QTest::newRow("a listed message, +CME ERROR")
            << 10 << true << 500 << false << "2" << tutte << 1;
        QTest::newRow("the last listed message")
            << 10 << true << semplice << false << "3" << tutte << 1;
        QTest::newRow("never listed, an answer after it")
            << 10 << false << semplice << false << "2" << senzaLaSeconda << 1;
        // Many phones give "invalid index" for an empty position; it hides no message that was
        // never listed, and drops none that was.
        QTest::newRow("a listed message, invalid index")
            << 10 << true << indiceNonValido << true << "2" << tutte << 1;
        QTest::newRow("never listed, invalid index")
            << 10 << false << indiceNonValido << true << "2" << senzaLaSeconda << 0;
        // The positions a smaller SIM lacks hide nothing.
        QTest::newRow("a SIM of five positions")
            << 5 << false << semplice << false << "" << tutte << 0;
    }

    // A position the phone refuses to read keeps what it listed, and the user is told once that
    // some messages could not be read; only the phone's empty-position reply empties it.
    void letturaRifiutata()
    {
        QFETCH(int, capacita);
        QFETCH(bool, giaLetta);
        QFETCH(int, codice);
        QFETCH(bool, servizioMessaggi);
        QFETCH(QString, rifiutate);
        finestra->Form_Load();
        avvia("[messages]\ncentre = +393359609600\ncapacity = " + QByteArray::number(capacita)
              + "\n1 | 1 | " + Ciao + "\n2 | 1 | " + Ciao + "\n3 | 1 | " + Ciao + "\n");
        if (giaLetta)
            clic("SMS_IN");
        if (!rifiutate.isEmpty())
            telefono->failCommandsMatching(
                QRegularExpression("^AT\\+CMGR=[" + rifiutate + "]$"), codice,
                servizioMessaggi ? s25sim::S25Simulator::ErrorFamily::MessageService
                                 : s25sim::S25Simulator::ErrorFamily::Equipment);
        risposte->boxes.clear();
        if (giaLetta)
            finestra->Aggiorna();
        else
            clic("SMS_IN");
        QTEST(testiRighe(), "attese");
        QTEST(int(testiBox().count(Msg(805))), "avvisi");
        QCOMPARE(ContaSMS[1], int16_t(testiRighe().size()));
    }

    // A new message the phone refuses to give is told of too.
    void messaggioNuovoRifiutato()
    {
        finestra->Form_Load();
        avvia(Seme);
        clic("SMS_IN");
        telefono->failCommandsMatching(QRegularExpression("^AT\\+CMGR=2$"));
        risposte->boxes.clear();
        uint8_t posizione = 2;
        messaggi->LeggiSMS(posizione);
        QTRY_COMPARE(testiBox(), QStringList{Msg(805)});
        QCOMPARE(Telefono.SMS[2].PDU, QString());
    }

    // A status report the phone keeps is listed in its folder with the recipient, the time of
    // delivery and the outcome, shown, and deleted like any message.
    void rapportoDiStato()
    {
        finestra->Form_Load();
        avvia("[messages]\ncentre = +393359609600\ncapacity = 10\n1 | 1 | " + Ciao + "\n2 | 1 | "
              + Consegnato + "\n");
        clic("SMS_IN");
        QCOMPARE(righe(),
                 (QStringList{"01|Hello|+39333123456|04/12/01 12.34|011204123450",
                              "02|" + Msg(802) + "|+39333123456|15/01/24 09.01|240115090102"}));
        scegliRiga("02");
        QVERIFY(finestra->txtSMS->toPlainText().endsWith("\n\n" + Msg(802)));
        // The outcome is the program's own text: it follows a change of language.
        const QString inglese = Msg(802);
        ScegliLingua(0);
        finestra->messaggi->LinguaCambiata();
        clic("SMS_IN");
        QVERIFY(Msg(802) != inglese);
        QCOMPARE(testiRighe(), (QStringList{"01|Hello", "02|" + Msg(802)}));
        ScegliLingua(1);
        finestra->messaggi->LinguaCambiata();
        eliminaDalTelefono("02");
        QCOMPARE(testiRighe(), QStringList{"01|Hello"});
    }

    void righeSenzaCorrispondente_data()
    {
        QTest::addColumn<QString>("cartella");
        QTest::addColumn<QString>("riga");
        QTest::addColumn<QString>("testo");
        QTest::newRow("received with no sender") << "SMS_IN"
                                                 << "02"
                                                 << "Hello";
        QTest::newRow("status report with no recipient") << "SMS_IN"
                                                         << "03" << Msg(802);
        QTest::newRow("archive entry with no number") << "SMS_ARC"
                                                      << "02"
                                                      << "abc";
    }

    // Every listed message shows itself when its row is chosen, and offers its commands, also
    // when its correspondent column is empty.
    void righeSenzaCorrispondente()
    {
        QFETCH(QString, cartella);
        QFETCH(QString, riga);
        QFETCH(QString, testo);
        ScriviArchivio(RecordSMS(Ciao, 0, 1) + RecordSMS(PerNessuno, 1, 2));
        finestra->Form_Load();
        avvia("[messages]\ncentre = +393359609600\ncapacity = 10\n1 | 1 | " + Ciao + "\n2 | 1 | "
              + DaNessuno + "\n3 | 1 | " + ConsegnatoANessuno + "\n");
        clic(cartella);
        const QString posizione = QString::number(riga.toInt());
        const QStringList listata = righe().filter(QRegularExpression("^" + riga + "\\|"));
        QCOMPARE(listata.size(), 1);
        QCOMPARE(listata.first().section(u'|', 1, 2), testo + "|");
        scegliRiga("01");
        scegliRiga(riga);
        const QString pannello = finestra->txtSMS->toPlainText();
        QVERIFY2(pannello.startsWith(Msg(240) + posizione + "\n") && pannello.endsWith(testo),
                 qPrintable(pannello));

        finestra->List1_MouseUp(Qt::RightButton);
        QVERIFY(finestra->popSMS->isVisible());
        finestra->popSMS->hide();
        bool modifica = false;
        NelDialogoSMS(finestra, [&](frmSMS*) { modifica = true; });
        finestra->List1_DblClick();
        QVERIFY(modifica);
    }

    // Deletes the message of the SIM row that reads `riga`, as the user confirms it.
    void eliminaDalTelefono(const QString& riga)
    {
        scegliRiga(riga);
        telefono->clearCommandLog();
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        messaggi->DelSMS();
        QCOMPARE(telefono->commandLog(), QStringList{"AT+CMGD=" + QString::number(riga.toInt())});
    }

    // The message text and the number of each row of the list, "position|text".
    QStringList testiRighe() const
    {
        QStringList testi;
        for (const QString& riga : righe())
            testi << riga.section(u'|', 0, 1);
        return testi;
    }

    // Editing a stored message deletes it and stores the new one: the folder shows the new one,
    // not the deleted one, whether the edit is saved or sent.
    void cartellaAggiornataDopoLaModifica()
    {
        finestra->Form_Load();
        avvia(SemeCartelle);
        clic("SMS_NOOUT");
        QCOMPARE(testiRighe(), QStringList{"04|Ciao!"});
        scegliRiga("04");
        NelDialogoSMS(finestra, [](frmSMS* dialogo) {
            dialogo->txtMess->setPlainText("Ciao a tutti");
            dialogo->pSalva->click();
        });
        messaggi->EditSMS();
        QCOMPARE(telefono->state().messages.bySlot.count(4), size_t(0));
        QCOMPARE(testiRighe(), QStringList{"02|Ciao a tutti"});
        QVERIFY(finestra->txtSMS->toPlainText().endsWith("Ciao a tutti"));

        scegliRiga("02");
        NelDialogoSMS(finestra, [](frmSMS* dialogo) {
            dialogo->txtMess->setPlainText("Ciao a tutti!");
            dialogo->pInvia->click();
        });
        messaggi->EditSMS();
        QCOMPARE(testiRighe(), QStringList());
        clic("SMS_OUT");
        QCOMPARE(testiRighe(), QStringList{"02|Ciao a tutti!"});
    }

    // A message stored from the toolbar's New shows in the folder on view, on the SIM and in the
    // archive; a dialog closed without a change reads nothing again.
    void cartellaAggiornataDopoIlNuovo()
    {
        finestra->Form_Load();
        avvia(SemeCartelle);
        clic("SMS_NOOUT");
        risposte->boxes.clear();
        NelDialogoSMS(finestra, [](frmSMS* dialogo) {
            dialogo->txtNum->setText("0612345678");
            dialogo->txtMess->setPlainText("Nuovo");
            dialogo->pSalva->click();
        });
        finestra->Toolbar1_ButtonClick(finestra->Pulsante("pNuovoSMS"));
        QVERIFY(testiBox().contains(Msg(392) + "2"));
        QCOMPARE(testiRighe(), (QStringList{"02|Nuovo", "04|Ciao!"}));

        telefono->clearCommandLog();
        NelDialogoSMS(finestra, [](frmSMS* dialogo) { dialogo->reject(); });
        finestra->Toolbar1_ButtonClick(finestra->Pulsante("pNuovoSMS"));
        QVERIFY(telefono->commandLog().isEmpty());

        clic("SMS_ARC");
        QCOMPARE(testiRighe(), QStringList());
        NelDialogoSMS(finestra, [](frmSMS* dialogo) {
            dialogo->txtNum->setText("0612345678");
            dialogo->txtMess->setPlainText("Bozza");
            dialogo->pSalva->click();
        });
        finestra->Toolbar1_ButtonClick(finestra->Pulsante("pNuovoSMS"));
        QCOMPARE(testiBox().last(), Msg(396));
        QCOMPARE(testiRighe(), QStringList{"01|Bozza"});

        scegliRiga("01");
        NelDialogoSMS(finestra, [](frmSMS* dialogo) {
            dialogo->txtMess->setPlainText("Bozza rivista");
            dialogo->pSalva->click();
        });
        messaggi->EditSMS();
        QCOMPARE(testiRighe(), QStringList{"01|Bozza rivista"});
    }

    // A message put on the SIM from the archive is in its folder the next time it is shown.
    void cartellaAggiornataDopoIlSalvataggioNellaSIM()
    {
        ScriviArchivio(RecordSMS(DaInviare, 1, 2));
        finestra->Form_Load();
        avvia(SemeCartelle);
        clic("SMS_NOOUT");
        clic("SMS_ARC");
        scegliRiga("01");
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        finestra->Toolbar1_ButtonClick(finestra->Pulsante("pSalvaSMSinTel"));
        QCOMPARE(testiBox().last(), Msg(272) + "2");
        clic("SMS_NOOUT");
        QCOMPARE(testiRighe(), (QStringList{"02|Ciao!", "04|Ciao!"}));
    }

    // An entry with no name never writes over the number being typed; a typed number that an
    // entry with a name holds still selects that name.
    void numeroScrittoConVoceSenzaNome()
    {
        Telefono.RubLetta[0] = true;
        Telefono.RubTotale[0] = 2;
        Telefono.Rubrica[0][1] = {"1", "", "+39333000111", false};
        Telefono.Rubrica[0][2] = {"2", "Gino", "+39333123456", false};
        finestra->Form_Load();
        QString scritto, sceltoGino, dopoLaVoceSenzaNome;
        NelDialogoSMS(finestra, [&](frmSMS* dialogo) {
            QTest::keyClicks(dialogo->txtNum, "393331112233");
            scritto = dialogo->txtNum->text();
            dialogo->txtNum->clear();
            QTest::keyClicks(dialogo->txtNum, "+39333123456");
            sceltoGino = dialogo->cmbRub->currentText() + "|" + dialogo->txtNum->text();
            // Back to three characters, the name stays chosen.
            dialogo->txtNum->setText("+39");
            sceltoGino += "|" + dialogo->cmbRub->currentText();
            dialogo->txtNum->setText("0612");
            dialogo->cmbRub->setCurrentIndex(dialogo->cmbRub->findText(QString()));
            dialogo->cmbRub_Click();
            dopoLaVoceSenzaNome = dialogo->txtNum->text();
        });
        messaggi->InviaSMS(false, true);
        QCOMPARE(scritto, QStringLiteral("393331112233"));
        QCOMPARE(sceltoGino, QStringLiteral("Gino|+39333123456|Gino"));
        QCOMPARE(dopoLaVoceSenzaNome, QStringLiteral("0612"));
    }

    // A draft is kept in the archive with no number, or with the alphanumeric sender a reply
    // goes back to; sending still wants a number that can be dialled.
    void bozzeNellArchivio()
    {
        finestra->Form_Load();
        avvia("[messages]\ncentre = +393359609600\ncapacity = 10\n2 | 1 | " + DallaBanca + "\n");
        clic("SMS_IN");
        QCOMPARE(testiRighe(), QStringList{"02|Saldo 100"});
        scegliRiga("02");
        telefono->clearCommandLog();
        risposte->boxes.clear();
        NelDialogoSMS(finestra, [](frmSMS* dialogo) {
            QCOMPARE(dialogo->txtNum->text(), QStringLiteral("Banca"));
            dialogo->txtMess->setPlainText("Grazie");
            dialogo->pInvia->click();
            dialogo->pSalva->click();
        });
        messaggi->RispondiSMS();
        QVERIFY(telefono->commandLog().filter("AT+CMGS").isEmpty());
        QCOMPARE(testiBox().mid(testiBox().size() - 2), (QStringList{Msg(387), Msg(396)}));
        QCOMPARE(NumArchivio, 1);
        QCOMPARE(ArchivioSMS[1].Numero, QStringLiteral("Banca"));
        QCOMPARE(ArchivioSMS[1].Testo, QStringLiteral("Grazie"));

        // With no number at all, from the toolbar's New in the archive, and edited again.
        clic("SMS_ARC");
        NelDialogoSMS(finestra, [](frmSMS* dialogo) {
            dialogo->txtMess->setPlainText("Da finire");
            dialogo->pSalva->click();
        });
        finestra->Toolbar1_ButtonClick(finestra->Pulsante("pNuovoSMS"));
        QCOMPARE(testiBox().last(), Msg(396));
        QCOMPARE(testiRighe(), (QStringList{"01|Grazie", "02|Da finire"}));
        scegliRiga("02");
        NelDialogoSMS(finestra, [](frmSMS* dialogo) {
            dialogo->txtNum->clear();
            dialogo->txtMess->setPlainText("Da finire presto");
            dialogo->pSalva->click();
        });
        messaggi->EditSMS();
        QCOMPARE(testiRighe(), (QStringList{"01|Grazie", "02|Da finire presto"}));
    }

    // A sender's name longer than an address holds: the received message is listed with all of
    // it; a reply kept as a draft carries the 11 septets an address holds, and goes so to the SIM.
    void rispostaAMittenteLungo()
    {
        finestra->Form_Load();
        avvia("[messages]\ncentre = +393359609600\ncapacity = 10\n2 | 1 | " + DaMittenteLungo
              + "\n");
        clic("SMS_IN");
        QCOMPARE(testiRighe(), QStringList{"02|Saldo 100"});
        QCOMPARE(Telefono.SMS[2].Numero, MittenteLungo);
        scegliRiga("02");
        NelDialogoSMS(finestra, [](frmSMS* dialogo) {
            dialogo->txtMess->setPlainText("Grazie");
            dialogo->pSalva->click();
        });
        messaggi->RispondiSMS();
        QCOMPARE(testiBox().last(), Msg(396));
        QCOMPARE(NumArchivio, 1);
        const QString bozza = ArchivioSMS[1].PDU;
        QCOMPARE(bozza.mid(20, 24), QStringLiteral("14D0D3B2DC9ED6A7DFA0311B"));
        QCOMPARE(ArchivioSMS[1].Numero, MittenteLungo.left(11));
        QCOMPARE(ArchivioSMS[1].Testo, QStringLiteral("Grazie"));

        clic("SMS_ARC");
        scegliRiga("01");
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        finestra->Toolbar1_ButtonClick(finestra->Pulsante("pSalvaSMSinTel"));
        QCOMPARE(testiBox().last(), Msg(272) + "1");
        QCOMPARE(telefono->state().messages.bySlot.at(1).pdu, bozza.toLatin1());
    }

    // The blanks that pad the list file's fields are taken off; a tab or a no-break space is
    // part of a name and stays, in the editor, in the questions and in the duplicate check.
    void nomiDelleListeConservati()
    {
        const QString conSpazio = QStringLiteral("Gino\u00A0");
        ListeDistribuzione
            = {{NomeLista("Amici\t"),
                {VoceFile{0, "Gino", " 0612345678", 0}, VoceFile{0, conSpazio, "0612345679", 0}}}};
        QVERIFY(SalvaFileListeD());
        Telefono.RubLetta[0] = true;
        Telefono.RubTotale[0] = 1;
        Telefono.Rubrica[0][1] = {"1", "Gino\t", "+39333123456", false};
        {
            frmListD editor(0, nullptr);
            QCOMPARE(editor.ListNum->topLevelItemCount(), 2);
            QStringList nomi;
            for (int i = 0; i < 2; ++i)
                nomi << editor.ListNum->topLevelItem(i)->text(0) + "|"
                            + editor.ListNum->topLevelItem(i)->text(1);
            nomi.sort();
            QCOMPARE(nomi, (QStringList{"Gino|0612345678", conSpazio + "|0612345679"}));
            QVERIFY(editor.labMembri->text().contains("[Amici\t]"));
            editor.listRubrica->setCurrentItem(editor.listRubrica->topLevelItem(0));
            editor.Aggiungi();
            QCOMPARE(ListeDistribuzione[0].Membri.size(), 3);
            editor.done(QDialog::Accepted);
        }

        finestra->Form_Load();
        // Asked, and declined: nothing is sent.
        NelDialogoSMS(finestra, [](frmSMS* dialogo) {
            dialogo->optLD[1]->click();
            dialogo->txtMess->setPlainText("Ciao");
            dialogo->InviaLD(0, false, "00", "FF");
        });
        messaggi->InviaSMS(false, true);
        QVERIFY2(
            testiBox().contains(Msg(398) + " [Amici\t] ?\n\nGino\n" + conSpazio + "\nGino\t\n"),
            qPrintable(testiBox().join(" / ")));
    }

    void archivioIlleggibile_data()
    {
        QTest::addColumn<bool>("cartella");
        QTest::addColumn<int>("perche");
        QTest::newRow("a folder") << true << 823;
        QTest::newRow("no read permission") << false << 825;
    }

    // An archive that cannot be read is told of once, at start, with why; nothing is written over
    // it, and a save to it fails with its message.
    void archivioIlleggibile()
    {
        QFETCH(bool, cartella);
        QFETCH(int, perche);
        const QByteArray contenuto = RecordSMS(Ciao, 0, 1);
        if (cartella) {
            QVERIFY(QDir().mkdir(PercorsoArchivio()));
        } else {
            ScriviArchivio(contenuto);
            QVERIFY(QFile::setPermissions(PercorsoArchivio(), QFile::WriteOwner));
            if (QFile(PercorsoArchivio()).open(QIODevice::ReadOnly))
                QSKIP("this user reads files without read permission");
        }
        const auto intatto = [&] {
            return cartella ? QFileInfo(PercorsoArchivio()).isDir()
                            : QFileInfo(PercorsoArchivio()).size() == contenuto.size();
        };
        const QString avviso = Msg(800) + QDir::toNativeSeparators(PercorsoArchivio()) + "\n"
                               + Msg(perche) + "\n" + Msg(801);

        finestra->Form_Load();
        QCOMPARE(testiBox(), QStringList{avviso});
        QCOMPARE(risposte->boxes.first().icona, QMessageBox::Warning);
        clic("SMS_ARC");
        QCOMPARE(righe(), QStringList());
        avvia(Seme);
        clic("SMS_IN");
        scegliRiga("01");
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        finestra->Toolbar1_ButtonClick(finestra->Pulsante("pSalvaSMS"));
        QCOMPARE(testiBox().last(), Msg(273));
        QCOMPARE(testiBox().count(avviso), 1);
        QVERIFY(intatto());

        // Readable again, the archive is told of anew the next time it cannot be read.
        QVERIFY(QFile::remove(PercorsoArchivio()) || QDir().rmdir(PercorsoArchivio()));
        ::CaricaArchivioSMS();
        QVERIFY(!IlleggibileDaSegnalare());
    }

    // Junk, a whole record, junk and a cut record: the program starts with the whole record,
    // tells once how much it skipped, and the first change keeps the original beside the file.
    void archivioDanneggiato()
    {
        const QByteArray danneggiato = QByteArray("\x01\x02garbage") + RecordSMS(Ciao, 0, 1)
                                       + "\r\n" + RecordSMS(DaInviare, 1, 2).chopped(7);
        ScriviArchivio(danneggiato);
        const qsizetype scartati = danneggiato.size() - RecordSMS(Ciao, 0, 1).size();

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
