// The messages end to end: the main window with the real link and messages against the simulated
// phone on a pseudo-terminal, with shortened intervals.

#include "attesa.h"
#include "banco.h"
#include "catalogo.h"
#include "codifica.h"
#include "collegamento.h"
#include "dialogosms.h"
#include "frmlistd.h"
#include "frmmain.h"
#include "frmsms.h"
#include "globali.h"
#include "invio.h"
#include "letturasms.h"
#include "listareport.h"
#include "listedistribuzione.h"
#include "messaggi.h"
#include "pdu.h"
#include "s25simulator.h"
#include "seedfile.h"
#include "statobase.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {

// From +39333123456 on 04/12/01 12:34: "Hello".
const QString Ciao
    = QStringLiteral("0791933395066900040B919333133254F600001021402143050005C8329BFD06");
// From 3331234567 on 09/03/24 08:05: "1234567".
const QString Cifre
    = QStringLiteral("0791933395066900040A8133133254760000423090805070400731D98C56B3DD00");
// To +39333123456, valid 24 hours, report asked: "Ciao!".
const QString DaInviare = QStringLiteral("079193339506690031FF0B919333133254F60000A705C374F81D02");
// To 0612345678, flash: "Test".
const QString Inviato = QStringLiteral("079193339506690091FF0A81602143658700F0FF04D4F29C0E");

const QByteArray Seme = "[messages]\ncentre = +393359609600\ncapacity = 10\n1 | 0 | "
                        + Ciao.toLatin1() + "\n2 | 1 | " + Cifre.toLatin1() + "\n4 | 2 | "
                        + DaInviare.toLatin1() + "\n6 | 3 | " + Inviato.toLatin1() + "\n";

QStringList LetturaCompleta()
{
    QStringList comandi;
    for (int i = 1; i <= NumPosizioniSMS; ++i)
        comandi << QStringLiteral("AT+CMGR=%1").arg(i);
    return comandi;
}

} // namespace

class TstMessaggiE2E : public QObject, private Banco {
    Q_OBJECT

    Messaggi* messaggi = nullptr;

    int slotStato(int slot) const
    {
        const auto& perSlot = telefono->state().messages.bySlot;
        const auto trovato = perSlot.find(slot);
        return trovato == perSlot.end() ? -1 : trovato->second.status;
    }

public:
    TstMessaggiE2E() : Banco(Seme) {}

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }

    void init()
    {
        StatoDiPartenza();
        ContaSMS.fill(0);
        IndiceSMS.clear();
        messaggi = apriCon<Messaggi>(&frmMain::messaggi);
    }

    void cleanup() { chiudi(); }

    void cartelleLetteUnaVolta()
    {
        avvia();
        clic("SMS_IN");
        QCOMPARE(telefono->commandLog(), LetturaCompleta());
        QCOMPARE(ContaSMS, (std::array<int16_t, 4>{1, 1, 1, 1}));
        // The phonebook is offered, declined: numbers stay numbers.
        QCOMPARE(risposte->boxes.size(), 1);
        QCOMPARE(finestra->CurrentView, uint8_t(2));
        QCOMPARE(righe(), (QStringList{"01|Hello|+39333123456|04/12/01 12.34|011204123450",
                                       "02|1234567|3331234567|09/03/24 08.05|240309080507"}));
        QCOMPARE(finestra->SBar[3]->text(), QStringLiteral("2") + Msg(239));
        const QString pannello = finestra->txtSMS->toPlainText();
        QVERIFY2(pannello.startsWith(Msg(240) + "1\n" + Msg(241) + "04/12/01" + Msg(242) + "12.34\n"
                                     + Msg(243) + "+39333123456\nSMSC: [+393359609600]\n"),
                 qPrintable(pannello));
        QVERIFY(pannello.endsWith("5" + Msg(247) + "\n\nHello"));
        QVERIFY(finestra->Pulsante("pRispondiSMS")->isEnabled());

        // The other folders come from the table; nothing more is asked of the phone.
        telefono->clearCommandLog();
        clic("SMS_OUT");
        QCOMPARE(righe(), (QStringList{"06|Test|0612345678|63 weeks|255         "}));
        QVERIFY(finestra->txtSMS->toPlainText().contains(Msg(244) + "0612345678\n"));
        QVERIFY(!finestra->txtSMS->toPlainText().contains(Msg(241)));
        clic("SMS_NOOUT");
        QCOMPARE(righe(), (QStringList{"04|Ciao!|+39333123456|24 hours|167         "}));
        QVERIFY(finestra->Pulsante("pInviaSMS2")->isEnabled() && finestra->mnuSMSInv->isEnabled());
        QVERIFY(telefono->commandLog().isEmpty());

        // The summary asks for the centre only.
        clic("SMS");
        QCOMPARE(telefono->commandLog(), QStringList{"AT+CSCA?"});
        QCOMPARE(righe(), (QStringList{Msg(223) + "|+393359609600", Msg(224) + "|2",
                                       Msg(225) + "|1", Msg(226) + "|1", Msg(227) + "|0"}));

        // A reading sets the read flag in the phone, shown at the next refresh.
        clic("SMS_IN");
        telefono->clearCommandLog();
        finestra->Aggiorna();
        QCOMPARE(telefono->commandLog(), LetturaCompleta());
        QCOMPARE(ContaSMS, (std::array<int16_t, 4>{0, 2, 1, 1}));
    }

    void eliminataSoloDopoIlSi()
    {
        avvia();
        clic("SMS_IN");
        scegliRiga("02");
        telefono->clearCommandLog();
        risposte->boxes.clear();
        risposte->pulsantiDaPremere << QMessageBox::No;
        messaggi->DelSMS();
        QVERIFY(telefono->commandLog().isEmpty());
        QCOMPARE(righe().size(), 2);

        scegliRiga("02");
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        messaggi->DelSMS();
        QCOMPARE(telefono->commandLog(), QStringList{"AT+CMGD=2"});
        QCOMPARE(slotStato(2), -1);
        QVERIFY(testiBox().contains(Msg(114)));
        QCOMPARE(righe().size(), 1);

        // A refusal is reported and the message stays listed.
        telefono->failCommandsMatching(QRegularExpression("^AT\\+CMGD"));
        scegliRiga("01");
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        messaggi->DelSMS();
        const auto rifiuto
            = std::find_if(risposte->boxes.cbegin(), risposte->boxes.cend(),
                           [](const RisposteFinte::Box& box) { return box.testo == Msg(113); });
        QVERIFY(rifiuto != risposte->boxes.cend());
        QCOMPARE(rifiuto->icona, QMessageBox::Critical);
        QCOMPARE(righe().size(), 1);
        QCOMPARE(slotStato(1), 1);
    }

    void memorizzataEInviataDallaSIM()
    {
        avvia();
        // Stored unsent: the phone takes it at its lowest free position.
        Telefono.SMSCLetto = true;
        Telefono.SMSC = "+393359609600";
        QVERIFY(ScriviSMS("Ciao!", "+39333123456", "A7", true, "00", StatoNonInviato));
        QCOMPARE(telefono->commandLog(), (QStringList{"AT+CMGW=140,2", DaInviare + QChar(26)}));
        QCOMPARE(IndiceSMS, QStringLiteral("3"));
        QCOMPARE(slotStato(3), 2);

        clic("SMS_NOOUT");
        QCOMPARE(righe().size(), 2);
        scegliRiga("04");
        telefono->clearCommandLog();
        risposte->boxes.clear();
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        messaggi->InviaSMSdaTel();
        // Sent, deleted, stored again as sent (at the lowest free position), read again.
        QCOMPARE(telefono->commandLog(),
                 QStringList({"AT+CMSS=4", "AT+CMGD=4", "AT+CMGW=140,3", DaInviare + QChar(26)})
                     + LetturaCompleta());
        QCOMPARE(telefono->state().messages.sentPdus.last(), DaInviare.toLatin1());
        QCOMPARE(testiBox().at(1), Msg(280));
        QCOMPARE(slotStato(4), 3);
        QCOMPARE(righe().size(), 1);
        clic("SMS_OUT");
        QCOMPARE(righe().size(), 2);
    }

    void nuovoMessaggioInviato()
    {
        avvia();
        // The centre is read first, then the PDU follows the prompt.
        QVERIFY(InviaSMSPDU("Ciao!", "+39333123456", "A7", true, "00"));
        QCOMPARE(telefono->commandLog(),
                 (QStringList{"AT+CSCA?", "AT+CMGS=140", DaInviare + QChar(26)}));
        QCOMPARE(telefono->state().messages.sentPdus.last(), DaInviare.toLatin1());
        const QString riferimento = IndiceSMS;
        QVERIFY(!riferimento.isEmpty());

        // Refused before the prompt: no PDU is written, and the reference stays.
        telefono->clearCommandLog();
        telefono->failNextCommand(310);
        QVERIFY(!InviaSMSPDU("Ciao!", "+39333123456", "A7", true, "00"));
        QCOMPARE(telefono->commandLog(), QStringList{"AT+CMGS=140"});
        QCOMPARE(IndiceSMS, riferimento);

        // Cancel while the phone is slow to confirm the PDU: a failure, whatever the phone does
        // later, and the next command gets its own reply.
        telefono->clearCommandLog();
        telefono->setReplyDelay(400);
        QTimer::singleShot(600, [] {
            if (frmWait* attesa = FinestraAttesa())
                attesa->pAnnulla->click();
        });
        QVERIFY(!InviaSMSPDU("Ciao!", "+39333123456", "A7", true, "00"));
        QCOMPARE(telefono->commandLog(), (QStringList{"AT+CMGS=140", DaInviare + QChar(26)}));
        QCOMPARE(IndiceSMS, riferimento);
        telefono->setReplyDelay(0);
        QTest::qWait(500); // the phone's late confirmation arrives while the line is idle
        const bool inviato = InviaSMSPDU("Test", "0612345678", "FF", false, "F0");
        QVERIFY2(inviato, qPrintable(telefono->commandLog().join(" / ")));
        QCOMPARE(telefono->state().messages.sentPdus.last(), Inviato.toLatin1());
    }

    void indicazioneDiNuovoMessaggio()
    {
        avvia();
        clic("SMS_IN");
        // The user is in the archive when the message arrives.
        clic("SMS_ARC");
        const int16_t nonLetti = ContaSMS[0];
        telefono->changeState([](s25sim::PhoneState& s) {
            s.messages.bySlot[3] = {0, Cifre.toLatin1()};
        });
        telefono->clearCommandLog();
        risposte->boxes.clear();
        risposte->pulsantiDaPremere << QMessageBox::Yes << QMessageBox::No;
        telefono->injectUnsolicited("+CMTI: \"SM\",3");
        QTRY_VERIFY_WITH_TIMEOUT(!risposte->boxes.isEmpty() && LineaLibera, Pazienza);
        QTRY_COMPARE_WITH_TIMEOUT(telefono->commandLog(), QStringList{"AT+CMGR=3"}, Pazienza);
        QTRY_COMPARE_WITH_TIMEOUT(finestra->ChiaveSelezionata(), QStringLiteral("SMS_IN"),
                                  Pazienza);
        QCOMPARE(risposte->boxes.first().titolo, Msg(76));
        QCOMPARE(ContaSMS[0], int16_t(nonLetti + 1));
        QCOMPARE(righe().size(), 3);
        QVERIFY(finestra->txtSMS->toPlainText().startsWith(Msg(240) + "3\n"));
        QCOMPARE(finestra->List1->SelectedItem()->text(0), QStringLiteral("03"));
    }

    // A hang-up under the read of the message view on show, a folder or the summary, keeps the
    // view and the table as they were.
    void riagganciatoDuranteLaLettura_data()
    {
        QTest::addColumn<QString>("nodo");
        QTest::newRow("folder") << "SMS_IN";
        QTest::newRow("summary") << "SMS";
    }

    void riagganciatoDuranteLaLettura()
    {
        QFETCH(QString, nodo);
        avvia();
        clic(nodo);
        const QStringList elenco = righe();
        const QString testo = finestra->txtSMS->toPlainText();
        const auto tabella = Telefono.SMS;
        const auto conti = ContaSMS;
        telefono->hangUpDuringNextReply(10);
        finestra->Aggiorna();
        QTRY_VERIFY_WITH_TIMEOUT(!Connesso, Pazienza);
        QCOMPARE(righe(), elenco);
        QCOMPARE(finestra->txtSMS->toPlainText(), testo);
        QCOMPARE(ContaSMS, conti);
        for (int i = 1; i <= NumPosizioniSMS; ++i)
            QCOMPARE(Telefono.SMS[i].PDU, tabella[i].PDU);
    }

    void salvatiTraSIMEArchivio()
    {
        avvia();
        clic("SMS_IN");
        const int primaDelSalvataggio = NumArchivio;
        scegliRiga("01");
        risposte->boxes.clear();
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        finestra->Toolbar1_ButtonClick(finestra->Pulsante("pSalvaSMS"));
        // Success says nothing: only the question was asked.
        QCOMPARE(testiBox(), QStringList{Msg(269) + "\n\nHello\n\n" + Msg(275)});
        QCOMPARE(NumArchivio, primaDelSalvataggio + 1);

        clic("SMS_ARC");
        QVERIFY(finestra->Pulsante("pSalvaSMSinTel")->isVisible());
        QVERIFY(!finestra->Pulsante("pSalvaSMS")->isVisible());
        const QString ultima = QString::number(NumArchivio).rightJustified(2, u'0');
        QCOMPARE(righe().last(), ultima + "|Hello|+39333123456|04/12/01 12.34|011204123450");
        scegliRiga(ultima);
        QVERIFY(
            finestra->txtSMS->toPlainText().startsWith(Msg(240) + QString::number(NumArchivio)));
        QVERIFY(!finestra->Pulsante("pRispondiSMS")->isEnabled());

        // From the archive to the SIM, with the status it was archived with.
        telefono->clearCommandLog();
        risposte->boxes.clear();
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        finestra->Toolbar1_ButtonClick(finestra->Pulsante("pSalvaSMSinTel"));
        QCOMPARE(telefono->commandLog(),
                 (QStringList{"AT+CSCA?", "AT+CMGW=140,0", Ciao + QChar(26)}));
        QCOMPARE(testiBox().last(), Msg(272) + "3");
        QCOMPARE(slotStato(3), 0);
        QCOMPARE(finestra->ChiaveSelezionata(), QStringLiteral("SMS_ARC"));

        // A full SIM refuses it, and the user is told.
        telefono->failCommandsMatching(QRegularExpression("^AT\\+CMGW"));
        scegliRiga(ultima);
        risposte->pulsantiDaPremere << QMessageBox::Yes;
        messaggi->SalvaSMS();
        QCOMPARE(risposte->boxes.last().testo, Msg(273));
        QCOMPARE(risposte->boxes.last().icona, QMessageBox::Critical);
    }

    void senzaTelefono()
    {
        clic("SMS_IN");
        QCOMPARE(righe(), QStringList{"|" + Msg(82) + "|||"});
        QVERIFY(!finestra->Pulsante("pAggiorna")->isEnabled());
        QVERIFY(!finestra->mnuSMSNew->isEnabled());
        QVERIFY(finestra->SBar[3]->text().isEmpty());
        clic("SMS");
        QCOMPARE(righe(), QStringList{Msg(82)});
        QVERIFY(!finestra->mnuSMSVM[0]->isEnabled());
        // Commands on the placeholder do nothing.
        messaggi->DelSMS();
        messaggi->InviaSMSdaTel();
        QVERIFY(risposte->boxes.isEmpty());
    }

    void stampato()
    {
        Telefono.SMSLetti = true;
        DecodificaPDU(Telefono.SMS[1], Ciao);
        clic("SMS_IN");
        QVERIFY(finestra->txtSMS->toPlainText().endsWith("Hello"));
        const QString pdf = QDir::temp().filePath("quorna_sms.pdf");
        QFile::remove(pdf);
        risposte->pdfStampa = pdf;
        risposte->stampaAnnullata = true;
        messaggi->StampaSMS();
        QVERIFY(!QFile::exists(pdf));
        risposte->stampaAnnullata = false;
        messaggi->StampaSMS();
        QVERIFY(QFileInfo(pdf).size() > 0);
        QFile::remove(pdf);
    }

    void nuovoSenzaTelefonoNellArchivio()
    {
        clic("SMS_IN");
        const int primaDelSalvataggio = NumArchivio;
        bool chiuso = false;
        NelDialogoSMS(finestra, [&](frmSMS* dialogo) {
            QCOMPARE(dialogo->windowTitle(), Msg(248));
            QCOMPARE(dialogo->Modo, QStringLiteral("1"));
            QVERIFY(!dialogo->pInvia->isEnabled());
            dialogo->txtNum->setText("+39333123456");
            // Letters the GSM alphabet lacks are named before the message is stored, and the
            // user goes on with "?" in their place.
            dialogo->txtMess->setPlainText(QStringLiteral("Ci\nsentiamo, Zkouška"));
            risposte->pulsantiDaPremere << QMessageBox::Yes;
            dialogo->pSalva->click();
            chiuso = !FinestraDialogo(frmSMS::Codice);
        });
        messaggi->InviaSMS(false, true);
        QVERIFY(chiuso);
        QVERIFY(DialogoChiuso && DialogoAperto == 0 && finestra->isEnabled());
        QCOMPARE(testiBox().mid(testiBox().size() - 2),
                 (QStringList{Msg(943) + QStringLiteral("š\r\n") + Msg(942), Msg(396)}));
        QCOMPARE(NumArchivio, primaDelSalvataggio + 1);
        const MessaggioSMS& archiviato = ArchivioSMS[static_cast<size_t>(NumArchivio)];
        QCOMPARE(archiviato.Testo, QStringLiteral("Ci\r\nsentiamo, Zkou?ka"));
        QCOMPARE(archiviato.Numero, QStringLiteral("+39333123456"));
        QCOMPARE(archiviato.Tipo, uint8_t(1));
        QCOMPARE(archiviato.Stato, uint8_t(2));
    }

    void nuovoInviato()
    {
        avvia();
        clic("SMS_IN");
        telefono->clearCommandLog();
        risposte->boxes.clear();
        bool chiuso = false;
        NelDialogoSMS(finestra, [&](frmSMS* dialogo) {
            QCOMPARE(dialogo->windowTitle(), Msg(249));
            QCOMPARE(dialogo->Modo, QStringLiteral("0"));
            QCOMPARE(dialogo->txtSMSC->text(), QStringLiteral("+393359609600"));
            QCOMPARE(dialogo->cmbTempo->currentIndex(), 2);
            QString testo(150, u'a');
            for (int i = 0; i < 5; ++i)
                testo.insert(i * 20, u'\n');
            dialogo->txtMess->setPlainText(testo);
            QCOMPARE(dialogo->labChUsati->text(), QStringLiteral("155"));
            QCOMPARE(dialogo->labChDisp->text(), QStringLiteral("5"));
            // A number that cannot be dialled and a validity that gives no octet never reach
            // the phone.
            dialogo->txtNum->setText("Unknow");
            dialogo->pInvia->click();
            dialogo->txtNum->setText("+39333123456");
            dialogo->txtTempo->setText("0");
            dialogo->pInvia->click();
            QCOMPARE(telefono->commandLog(), QStringList{"AT+CSCA?"});
            // Letters the GSM alphabet lacks are named before anything is sent; the user edits.
            dialogo->txtTempo->setText("24");
            dialogo->txtMess->setPlainText(QStringLiteral("Zkouška È"));
            risposte->pulsantiDaPremere << QMessageBox::No;
            dialogo->pInvia->click();
            QVERIFY(dialogo->isVisible());
            QCOMPARE(dialogo->txtMess->toPlainText(), QStringLiteral("Zkouška È"));
            QCOMPARE(telefono->commandLog(), QStringList{"AT+CSCA?"});
            dialogo->txtMess->setPlainText("Ciao!");
            dialogo->chkRicevuta->setChecked(true);
            dialogo->pInvia->click();
            chiuso = !FinestraDialogo(frmSMS::Codice);
        });
        messaggi->InviaSMS(false, true);
        QVERIFY(chiuso);
        QCOMPARE(telefono->commandLog(),
                 (QStringList{"AT+CSCA?", "AT+CMGS=140", DaInviare + QChar(26)}));
        QCOMPARE(testiBox(),
                 (QStringList{Msg(388) + "\n" + Msg(389), Msg(387), Msg(574) + " 0",
                              Msg(943) + QStringLiteral("š È\r\n") + Msg(942), Msg(390)}));
    }

    void modificatoEInviatoDallaSIM()
    {
        avvia();
        clic("SMS_NOOUT");
        scegliRiga("04");
        telefono->clearCommandLog();
        const QString nuovo
            = CostruisciPDU("+393359609600", "Ciao a tutti", "+39333123456", "FF", false, "00");
        NelDialogoSMS(finestra, [&](frmSMS* dialogo) {
            QCOMPARE(dialogo->windowTitle(), Msg(301));
            QCOMPARE(dialogo->Modo, QStringLiteral("04"));
            QCOMPARE(dialogo->txtNum->text(), QStringLiteral("+39333123456"));
            QCOMPARE(dialogo->txtMess->toPlainText(), QStringLiteral("Ciao!"));
            QVERIFY(dialogo->pInvia->isEnabled());
            dialogo->txtMess->setPlainText("Ciao a tutti");
            dialogo->pInvia->click();
        });
        messaggi->EditSMS();
        // Deleted, stored unsent at the lowest free position, sent from there, stored as sent;
        // then the folder is read again.
        QCOMPARE(telefono->commandLog(),
                 QStringList({"AT+CSCA?", "AT+CMGD=4", "AT+CMGW=140,2", nuovo + QChar(26),
                              "AT+CMSS=3", "AT+CMGD=3", "AT+CMGW=140,3", nuovo + QChar(26)})
                     + LetturaCompleta());
        QCOMPARE(slotStato(3), 3);
        QCOMPARE(slotStato(4), -1);
        QVERIFY(testiBox().contains(Msg(390)));
    }

    void simPienaSalvatoInArchivio()
    {
        avvia();
        clic("SMS_IN");
        telefono->failCommandsMatching(QRegularExpression("^AT\\+CMGW"));
        const int primaDelSalvataggio = NumArchivio;
        // No to the phonebook, Yes to the archive.
        risposte->pulsantiDaPremere << QMessageBox::No << QMessageBox::Yes;
        NelDialogoSMS(finestra, [&](frmSMS* dialogo) {
            dialogo->txtNum->setText("0612345678");
            dialogo->txtMess->setPlainText("Test");
            dialogo->pSalva->click();
        });
        messaggi->InviaSMS(false, true);
        QCOMPARE(testiBox().mid(testiBox().size() - 2),
                 (QStringList{Msg(393) + "\n" + Msg(394), Msg(396)}));
        QCOMPARE(NumArchivio, primaDelSalvataggio + 1);
    }

    void inviatoAllaLista()
    {
        avvia();
        ListeDistribuzione
            = {{NomeLista("Famiglia"),
                {VoceFile{0, "Gino", "+39333123456", 0}, VoceFile{0, "Guasto", "12ab", 0},
                 VoceFile{0, "Pina", " 0612345678 ", -1}}}};
        QVERIFY(SalvaFileListeD());
        clic("SMS_IN");
        telefono->clearCommandLog();
        risposte->boxes.clear();
        // No to the phonebook, Yes to the list, No (skip) at the member that cannot be sent.
        risposte->pulsantiDaPremere << QMessageBox::No << QMessageBox::Yes << QMessageBox::No;
        bool chiuso = false;
        NelDialogoSMS(finestra, [&](frmSMS* dialogo) {
            QCOMPARE(dialogo->cmbListe->count(), 1);
            dialogo->optLD[1]->click();
            QVERIFY(!dialogo->pSalva->isEnabled() && !dialogo->txtNum->isVisible());
            dialogo->txtMess->setPlainText("Test");
            dialogo->txtTempo->setText("1");
            dialogo->cmbTempo->setCurrentIndex(3);
            dialogo->pInvia->click();
            chiuso = !FinestraDialogo(frmSMS::Codice);
        });
        messaggi->InviaSMS(false, true);
        QVERIFY(chiuso);
        QCOMPARE(telefono->commandLog().filter("AT+CMGS").size(), 2);
        QCOMPARE(telefono->state().messages.sentPdus.size(), 2);
        QCOMPARE(testiBox().at(1), Msg(398) + " [Famiglia] ?\n\nGino\nGuasto\nPina\n");
        QVERIFY(testiBox().at(2).startsWith(Msg(400) + " #2 [Guasto]\n"));
        QCOMPARE(risposte->boxes.last().titolo, Msg(399) + " [Famiglia]");
        QCOMPARE(testiBox().last(), Msg(404) + "2" + Msg(405) + "3");
        QVERIFY(telefono->state().messages.sentPdus.last().contains("0A81602143658700"));
    }

    // The phone hangs up as the second of three members is sent, and the user would answer Yes
    // to every retry: the run ends there with what went out, asking nothing more.
    void riagganciatoDuranteLaLista()
    {
        avvia();
        ListeDistribuzione
            = {{NomeLista("Famiglia"),
                {VoceFile{0, "Gino", "+39333123456", 0}, VoceFile{0, "Pina", "0612345678", 0},
                 VoceFile{0, "Nino", "0612345679", 0}}}};
        QVERIFY(SalvaFileListeD());
        clic("SMS_IN");
        risposte->boxes.clear();
        // No to the phonebook, Yes to the list, then Yes to any retry.
        risposte->pulsantiDaPremere << QMessageBox::No << QMessageBox::Yes;
        for (int volta = 0; volta < 20; ++volta)
            risposte->pulsantiDaPremere << QMessageBox::Yes;
        // The first message goes out whole; the phone hangs up in place of its next reply.
        s25sim::S25Simulator* t = telefono.get();
        telefono->setCommandObserver([t](const QString& comando) {
            if (comando.endsWith(QChar(26)))
                t->hangUpDuringNextReply(0);
        });
        bool aperto = false;
        NelDialogoSMS(finestra, [&](frmSMS* dialogo) {
            dialogo->optLD[1]->click();
            dialogo->txtMess->setPlainText("Test");
            dialogo->pInvia->click();
            aperto = FinestraDialogo(frmSMS::Codice) != nullptr;
        });
        messaggi->InviaSMS(false, true);
        QTRY_VERIFY_WITH_TIMEOUT(!FinestraAttesa(), Pazienza);
        QTest::qWait(100);
        QVERIFY(!Connesso);
        // The message as typed stays, for the members it did not reach.
        QVERIFY(aperto);
        QCOMPARE(telefono->state().messages.sentPdus.size(), 1);
        QCOMPARE(testiBox().filter(Msg(400)), QStringList());
        QCOMPARE(testiBox().filter(Msg(404)), QStringList{Msg(404) + "1" + Msg(405) + "3"});
        QCOMPARE(testiBox().filter(Msg(841)).size(), 1);
    }

    void listeModificate()
    {
        ListeDistribuzione = {{NomeLista("Prima"), {}}, {NomeLista("Seconda"), {}}};
        QVERIFY(SalvaFileListeD());
        Telefono.RubLetta[0] = true;
        Telefono.RubTotale[0] = 3;
        Telefono.Rubrica[0][1] = {"1", "Giovanna Maria Rossi", "+39333123456", true};
        Telefono.Rubrica[0][2] = {"2", "Altra Giovanna", "+39333123456", false};
        Telefono.Rubrica[0][3] = {"3", QStringLiteral("Łucja"), "+39333999", false};
        frmListD editor(1, nullptr);
        QCOMPARE(editor.Liste->currentRow(), 1);
        QCOMPARE(editor.labListe->text(), Msg(6) + "2");
        editor.listRubrica->setCurrentItem(
            editor.listRubrica->findItems("Giovanna Maria Rossi", Qt::MatchExactly)[0]);
        editor.Aggiungi();
        QCOMPARE(ListeDistribuzione[1].Membri.size(), 1);
        QCOMPARE(ListeDistribuzione[1].Membri[0].Nome, QStringLiteral("Giovanna Maria R"));
        QCOMPARE(ListeDistribuzione[1].Membri[0].Rossa, int16_t(-1));
        // The same number under another name is refused.
        editor.listRubrica->setCurrentItem(
            editor.listRubrica->findItems("Altra Giovanna", Qt::MatchExactly)[0]);
        editor.Aggiungi();
        QCOMPARE(risposte->boxes.last().testo, "Altra Giovanna" + Msg(11));
        QCOMPARE(ListeDistribuzione[1].Membri.size(), 1);
        // A member whose name was cut is still the one its row removes.
        editor.ListNum->setCurrentItem(editor.ListNum->topLevelItem(0));
        editor.pDel_Click();
        QVERIFY(ListeDistribuzione[1].Membri.isEmpty());
        QCOMPARE(editor.labMembri->text(), Msg(9) + " [Seconda]: 0" + Msg(10));
        // A name the list file would keep with "?" in place of a letter is named first; the
        // user may rather not add it.
        editor.listRubrica->setCurrentItem(
            editor.listRubrica->findItems(QStringLiteral("Łucja"), Qt::MatchExactly)[0]);
        risposte->pulsantiDaPremere << QMessageBox::No;
        editor.Aggiungi();
        QCOMPARE(testiBox().last(), Msg(940) + QStringLiteral("\r\nŁucja: Ł\r\n") + Msg(942));
        QVERIFY(ListeDistribuzione[1].Membri.isEmpty());
        // The first list can be deleted too.
        editor.Liste->setCurrentRow(0);
        editor.pElimina_Click();
        editor.done(QDialog::Accepted);
        QVERIFY(CaricaFileListeD());
        QCOMPARE(ListeDistribuzione.size(), 1);
        QCOMPARE(ListeDistribuzione[0].Nome.trimmed(), QStringLiteral("Seconda"));
    }

    // A list at its most members takes no other, and says it is full.
    void listaPiena()
    {
        ListeDistribuzione = {{NomeLista("Tanti"), QList<VoceFile>(MaxMembri, {0, "X", "1", 0})}};
        QVERIFY(SalvaFileListeD());
        Telefono.RubLetta[0] = true;
        Telefono.RubTotale[0] = 1;
        Telefono.Rubrica[0][1] = {"1", "Nuovo", "0612345678", false};
        frmListD editor(0, nullptr);
        editor.listRubrica->setCurrentItem(editor.listRubrica->topLevelItem(0));
        editor.Aggiungi();
        QCOMPARE(testiBox(), QStringList{Msg(914)});
        QCOMPARE(ListeDistribuzione[0].Membri.size(), MaxMembri);
    }
};

QTEST_MAIN(TstMessaggiE2E)
#include "tst_messaggi_e2e.moc"
