// The messages when the phone stops answering: reading the SIM's messages and the service centre,
// sending, storing and deleting a message, sending one from the SIM, sending to a distribution
// list.

#include "dialogosms.h"
#include "frmsms.h"
#include "listedistribuzione.h"
#include "muto.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

class TstMutoMessaggi : public QObject, private BancoMuto {
    Q_OBJECT

    // The received folder read afresh from the phone as it was at the start, with its centre.
    void messaggiLetti(const char* cartella = "SMS_IN")
    {
        ripristinaTelefono();
        Telefono.SMSLetti = false;
        clic(cartella);
        QVERIFY(Telefono.SMSLetti);
        if (!Telefono.SMSCLetto)
            collegamento->LeggiCentroSMS();
        QVERIFY(Telefono.SMSCLetto);
    }

    void rileggiMessaggi()
    {
        Telefono.SMSLetti = false;
        clic("SMS_IN");
        QVERIFY(Telefono.SMSLetti);
    }

    void componi(void (*premi)(frmSMS*))
    {
        NelDialogoSMS(finestra, [premi](frmSMS* dialogo) {
            dialogo->txtNum->setText("+39333123456");
            dialogo->txtMess->setPlainText("Ci vediamo alle otto");
            premi(dialogo);
        });
        messaggi->InviaSMS(false, true);
    }

    static QString Testo(std::initializer_list<int> voci, const char* separatore = "\n")
    {
        QStringList testi;
        for (const int voce : voci)
            testi << Msg(voce);
        return testi.join(QLatin1String(separatore));
    }

    QMap<QString, Operazione> operazioni()
    {
        QMap<QString, Operazione> tutte;
        tutte["messages read again"] = {[this] {
                                            messaggiLetti();
                                            Telefono.SMSLetti = false;
                                        },
                                        [this] { clic("SMS_IN"); }, [this] { rileggiMessaggi(); }};
        // As after connecting: nothing of this SIM's messages is known yet.
        tutte["messages read the first time"]
            = {[this] {
                   messaggiLetti();
                   Telefono.SMSLetti = false;
                   Telefono.SMS = {};
               },
               [this] { clic("SMS_IN"); }, [this] { rileggiMessaggi(); }};

        // The centre first, then the messages.
        Operazione riepilogo(
            [this] {
                messaggiLetti();
                clic("SMS");
                Telefono.SMSLetti = false;
                Telefono.SMSCLetto = false;
            },
            [this] { clic("SMS"); },
            [this] {
                Telefono.SMSCLetto = false;
                Telefono.SMSLetti = false;
                clic("SMS");
                QVERIFY(Telefono.SMSCLetto && Telefono.SMSLetti);
                QCOMPARE(Telefono.SMSC, QStringLiteral("+393359609600"));
            });
        riepilogo.impronta = SenzaFlag<&DatiTelefono::SMSCLetto>;
        riepilogo.vista = [](int k) {
            if (k == 1)
                QVERIFY(!Telefono.SMSCLetto);
        };
        tutte["centre and messages read again"] = riepilogo;
        Operazione primoRiepilogo = riepilogo;
        primoRiepilogo.prepara = [this] {
            messaggiLetti();
            clic("SMS");
            Telefono.SMSLetti = Telefono.SMSCLetto = false;
            Telefono.SMS = {};
            Telefono.SMSC.clear();
        };
        primoRiepilogo.impronta = [] {
            DatiTelefono t = Telefono;
            t.SMSCLetto = false;
            t.SMSC.clear();
            return Impronta(t);
        };
        tutte["centre and messages read the first time"] = primoRiepilogo;

        Operazione inviato([this] { messaggiLetti(); },
                           [this] { componi([](frmSMS* d) { d->pInvia->click(); }); },
                           [this] { rileggiMessaggi(); });
        inviato.messaggi = [](int, int) { return QStringList{Msg(391)}; };
        tutte["new message sent"] = inviato;

        Operazione memorizzato([this] { messaggiLetti(); },
                               [this] { componi([](frmSMS* d) { d->pSalva->click(); }); },
                               [this] { rileggiMessaggi(); });
        // The store is the first two commands; after it the folder on view is read again, and
        // a phone that falls silent there leaves the message stored in the first free slot.
        memorizzato.messaggi = [](int k, int) {
            return k <= 2 ? QStringList{Testo({393, 394})}
                          : QStringList{Msg(392) + QStringLiteral("3"), Msg(VoceSenzaRisposta)};
        };
        // A store the phone took changes the SIM, so its folder is due to be read again
        // whether or not the read that follows it is answered.
        memorizzato.impronta = SenzaFlag<&DatiTelefono::SMSLetti>;
        tutte["new message stored"] = memorizzato;

        Operazione cancellato(
            [this] {
                messaggiLetti();
                scegliRiga("01");
            },
            [this] {
                risposte->pulsantiDaPremere << QMessageBox::Yes;
                messaggi->DelSMS();
            },
            [this] { rileggiMessaggi(); });
        cancellato.messaggi = [](int, int) { return QStringList{Msg(113)}; };
        tutte["message deleted"] = cancellato;

        // Sent from its position, deleted there, stored again as sent, then the folder read
        // again.
        Operazione daTelefono(
            [this] {
                messaggiLetti("SMS_NOOUT");
                scegliRiga("04");
            },
            [this] {
                risposte->pulsantiDaPremere << QMessageBox::Yes;
                messaggi->InviaSMSdaTel();
            },
            [this] { rileggiMessaggi(); });
        daTelefono.messaggi = [](int k, int) {
            switch (k) {
            case 1:
                return QStringList{Msg(281)};
            case 2:
                return QStringList{Msg(280), Msg(27)};
            case 3:
            case 4:
                return QStringList{Msg(280), Msg(273)};
            default:
                return QStringList{Msg(280), Msg(VoceSenzaRisposta)};
            }
        };
        // Once sent it is marked so, and the folder is to be read again.
        daTelefono.impronta = [] {
            DatiTelefono t = Telefono;
            t.SMS[4].Stato = 0;
            t.SMSLetti = false;
            return Impronta(t);
        };
        tutte["message sent from the SIM"] = daTelefono;

        // Deleted at its position, stored unsent, sent from where it was stored, deleted there
        // and stored again as sent; then the folder read again.
        Operazione modificato(
            [this] {
                messaggiLetti("SMS_NOOUT");
                scegliRiga("04");
            },
            [this] {
                NelDialogoSMS(finestra, [](frmSMS* dialogo) {
                    dialogo->txtMess->setPlainText("Ci vediamo alle nove");
                    dialogo->pInvia->click();
                });
                messaggi->EditSMS();
            },
            [this] { rileggiMessaggi(); });
        modificato.messaggi = [](int k, int) {
            switch (k) {
            case 2:
            case 3:
                return QStringList{Msg(27)};
            case 4:
                return QStringList{Msg(391)};
            case 6:
            case 7:
                return QStringList{Msg(27), Msg(390)};
            default:
                return k >= 5 ? QStringList{Msg(390), Msg(VoceSenzaRisposta)}
                              : QStringList{Msg(VoceSenzaRisposta)};
            }
        };
        // The SIM has been written to, or may have been: its folder is to be read again.
        modificato.impronta = SenzaFlag<&DatiTelefono::SMSLetti>;
        tutte["edited message sent"] = modificato;

        // Two members, each a command and its message; the run stops at the one unanswered.
        Operazione lista(
            [this] {
                ListeDistribuzione = {{NomeLista("Famiglia"),
                                       {VoceFile{0, "Gino", "+39333123456", 0},
                                        VoceFile{0, "Pina", "0612345678", 0}}}};
                QVERIFY(SalvaFileListeD());
                messaggiLetti();
            },
            [this] {
                risposte->pulsantiDaPremere << QMessageBox::No << QMessageBox::Yes;
                componi([](frmSMS* d) {
                    d->optLD[1]->click();
                    d->pInvia->click();
                });
            },
            [this] { rileggiMessaggi(); });
        // The summary tells how many went before the run stopped, not why it stopped.
        lista.messaggi = [](int k, int n) {
            return QStringList{Msg(404) + QString::number((k - 1) / 2) + Msg(405)
                                   + QString::number(n / 2),
                               Msg(VoceSenzaRisposta)};
        };
        tutte["distribution list"] = lista;
        return tutte;
    }

private slots:
    void initTestCase() { preparaProgramma(); }

    void init()
    {
        ContaSMS.fill(0);
        IndiceSMS.clear();
        apriTutto();
    }

    void cleanup() { chiudi(); }

    void conTelefonoMuto_data() { righeDiGuasto(operazioni().keys()); }

    void conTelefonoMuto() { provaGuastoDellaRiga(operazioni()); }

    // The steps after a send that the first, middle and last commands leave out: whatever was
    // told of the send, a phone that stops answering after it is told of as well, unless a
    // failure was reported.
    void mutoDopoLInvio_data()
    {
        QTest::addColumn<QString>("operazione");
        QTest::addColumn<int>("comando");
        for (int k = 1; k <= 8; ++k)
            QTest::addRow("edited message sent, silent at command %d", k)
                << QStringLiteral("edited message sent") << k;
        for (int k = 2; k <= 5; ++k)
            QTest::addRow("message sent from the SIM, silent at command %d", k)
                << QStringLiteral("message sent from the SIM") << k;
    }

    void mutoDopoLInvio()
    {
        QFETCH(QString, operazione);
        QFETCH(int, comando);
        provaGuasto(operazioni().value(operazione), Guasto::MutoAMeta, comando);
    }
};

QTEST_MAIN(TstMutoMessaggi)
#include "tst_muto_messaggi.moc"
