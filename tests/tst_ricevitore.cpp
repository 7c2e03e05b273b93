// The receive path around the end of a reply: what follows a reply's final line, whole or cut
// anywhere, stays in the stream, and the data prompt is seen whatever unsolicited lines fall
// around it. Chunk splits at every position through the exchange, then the same roads against
// the simulated phone.

#include "banco.h"
#include "catalogo.h"
#include "globali.h"
#include "portafinta.h"
#include "ricevitore.h"
#include "s25simulator.h"
#include "scambio.h"
#include "statobase.h"
#include "tempi.h"

#include <QTimer>
#include <QtTest>

#include <functional>

Q_DECLARE_METATYPE(FineRisposta)

namespace {

const QString CtrlZ = QString(QChar(26));
const QString Imsi = QStringLiteral("222010000000001");
const QString RispostaImsi = "\r\n" + Imsi + "\r\n\r\nOK\r\n";

void Consegna(const QStringList& pezzi)
{
    for (const QString& pezzo : pezzi)
        ConsegnaRicezione(pezzo);
}

} // namespace

class TstRicevitore : public QObject, private Banco {
    Q_OBJECT

    PortaFinta porta;

    // The "New incoming SMS" question, however many times it was asked.
    int domandeNuovoSMS() const
    {
        int domande = 0;
        for (const RisposteFinte::Box& box : risposte->boxes)
            domande += box.testo.startsWith(Msg(74)) ? 1 : 0;
        return domande;
    }

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }

    void init()
    {
        StatoDiPartenza();
        porta.scritto.clear();
        porta.risposta = nullptr;
    }

    void cleanup()
    {
        chiudi();
        RegistraPortaAT(nullptr);
        Connesso = false;
        PrendiIndicazioniSMS();
    }

    // A reply, a new-message indication right after it, and the next command's reply: the
    // first command's chunks end anywhere from its final line to the end of the indication,
    // and the rest comes either while the line is idle or after the next command. Both bodies
    // come whole and the indication is kept once.
    void restoDopoLaFineInOgniTaglio()
    {
        const QString primaRisposta = QStringLiteral("\r\n21\r\n\r\nOK\r\n");
        const QString indicazione = QStringLiteral("\r\n+CMTI: \"SM\",5\r\n");
        const QString flusso = primaRisposta + indicazione;
        RegistraPortaAT(&porta);
        Connesso = true;
        for (const bool restoALineaFerma : {true, false}) {
            for (qsizetype fine = primaRisposta.size(); fine <= flusso.size(); ++fine) {
                for (qsizetype taglio = 0; taglio <= fine; ++taglio) {
                    const QByteArray dove = QStringLiteral("chunks end at %1 and %2, rest %3")
                                                .arg(taglio)
                                                .arg(fine)
                                                .arg(restoALineaFerma ? "idle" : "later")
                                                .toLatin1();
                    const QString resto = flusso.mid(fine);
                    porta.risposta = [&](const QString& comando) {
                        if (comando.startsWith(QLatin1String("AT+CGMR")))
                            Consegna({flusso.left(taglio), flusso.mid(taglio, fine - taglio)});
                        else
                            Consegna({restoALineaFerma ? QString() : resto, RispostaImsi});
                    };
                    EsitoAT esito{};
                    QVERIFY2(InviaComandoAT(QStringLiteral("AT+CGMR"), &esito) == "21",
                             dove.constData());
                    QVERIFY2(esito == EsitoAT::Ok, dove.constData());
                    if (restoALineaFerma)
                        ConsegnaRicezione(resto);
                    QVERIFY2(InviaComandoAT(QStringLiteral("AT+CIMI"), &esito) == Imsi,
                             dove.constData());
                    QVERIFY2(PrendiIndicazioniSMS() == QList<int>{5}, dove.constData());
                }
            }
        }
    }

    // The receive path alone: the part of a line begun before a command is no part of its reply,
    // whether it turns out to be the phone's own line or not.
    void rigaIniziataPrimaDelComando_data()
    {
        QTest::addColumn<QString>("prima");
        QTest::addColumn<QString>("dopo");
        QTest::addColumn<QString>("buffer");
        QTest::addColumn<FineRisposta>("fine");
        QTest::addColumn<QList<int>>("indici");
        QTest::newRow("indication completed") << "\r\n+CMT"
                                              << "I: \"SM\",2\r\n" + RispostaImsi << RispostaImsi
                                              << FineRisposta::Ok << QList<int>{2};
        QTest::newRow("ring completed")
            << "\r\nRIN"
            << "G\r\n" + RispostaImsi << RispostaImsi << FineRisposta::Ok << QList<int>{};
        QTest::newRow("never completed")
            << "\r\n+CM" << RispostaImsi << RispostaImsi << FineRisposta::Ok << QList<int>{};
        QTest::newRow("other text is not kept")
            << "\r\n+CBC: 0,8" << RispostaImsi << RispostaImsi << FineRisposta::Ok << QList<int>{};
    }

    void rigaIniziataPrimaDelComando()
    {
        QFETCH(QString, prima);
        QFETCH(QString, dopo);
        QFETCH(QString, buffer);
        QFETCH(FineRisposta, fine);
        QFETCH(QList<int>, indici);
        QString ricevuto;
        RicevitoreAT ricevitore(ricevuto);
        ricevitore.Aggiungi(QString("\r\nOK\r\n" + prima));
        ricevitore.SostituisciRisposta(QStringLiteral("\r\nOK\r\n"));
        ricevitore.Azzera();
        ricevitore.Aggiungi(dopo);
        QCOMPARE(ricevuto, buffer);
        QCOMPARE(ricevitore.Fine(), fine);
        QCOMPARE(ricevitore.PrendiIndicazioniSMS(), indici);
    }

    // The data prompt with the phone's own lines before it, after it or on both sides, the
    // chunks cut at every pair of places: the prompt is seen at once, the indications are kept,
    // and the data that follows gets its reply.
    void promptTraLeNonRichieste_data()
    {
        QTest::addColumn<QString>("flusso");
        QTest::addColumn<QList<int>>("indici");
        QTest::newRow("indication after") << "\r\n> \r\n+CMTI: \"SM\",3\r\n" << QList<int>{3};
        QTest::newRow("ring after") << "\r\n> \r\nRING\r\n" << QList<int>{};
        QTest::newRow("caller identity after an empty line")
            << "\r\n> \r\n\r\n+CLIP: \"+39333\",145\r\n"
            << QList<int>{};
        QTest::newRow("indication before") << "\r\n+CMTI: \"SM\",4\r\n\r\n> " << QList<int>{4};
        QTest::newRow("both sides")
            << "\r\nRING\r\n\r\n+CMTI: \"SM\",4\r\n\r\n> \r\n+CMTI: \"SM\",3\r\nRING\r\n"
            << QList<int>{4, 3};
    }

    void promptTraLeNonRichieste()
    {
        QFETCH(QString, flusso);
        QFETCH(QList<int>, indici);
        RegistraPortaAT(&porta);
        Connesso = true;
        const QString pdu = QStringLiteral("0011000B919333123456F70000AA05C8329BFD06");
        for (qsizetype i = 0; i <= flusso.size(); ++i) {
            for (qsizetype j = i; j <= flusso.size(); ++j) {
                const QByteArray dove = QStringLiteral("cut at %1 and %2").arg(i).arg(j).toLatin1();
                porta.risposta = [&](const QString& comando) {
                    if (comando.startsWith(QLatin1String("AT+CMGS")))
                        Consegna({flusso.left(i), flusso.mid(i, j - i), flusso.mid(j)});
                    else
                        Consegna({QStringLiteral("\r\n+CMGS: 7\r\n\r\nOK\r\n")});
                };
                EsitoAT esito{};
                QVERIFY2(InviaComandoAT(QStringLiteral("AT+CMGS=23"), &esito) == ">",
                         dove.constData());
                QVERIFY2(esito == EsitoAT::Prompt, dove.constData());
                QVERIFY2(InviaComandoAT(pdu + CtrlZ, &esito) == "+CMGS: 7", dove.constData());
                QVERIFY2(PrendiIndicazioniSMS() == indici, dove.constData());
            }
        }
    }

    // A line that holds only "> " and is followed by a final result is a reply, not a prompt.
    void maggioreSeguitoDaOK()
    {
        for (const QStringList& pezzi :
             {QStringList{"\r\n> \r\n\r\nOK\r\n"}, QStringList{"\r\n> \r\n", "\r\nOK\r\n"}}) {
            QString ricevuto;
            RicevitoreAT ricevitore(ricevuto);
            for (const QString& pezzo : pezzi)
                ricevitore.Aggiungi(pezzo);
            QCOMPARE(ricevitore.Fine(), FineRisposta::Ok);
            QCOMPARE(TagliaRisposta(ricevuto), QStringLiteral("> "));
        }
    }

    // The phone gives its prompt and at once a line of its own, in one piece: the message's data
    // goes out and the phone's reply comes back, with no wait for a time-out.
    void promptSeguitoDaUnaRigaDelTelefono_data()
    {
        QTest::addColumn<QByteArray>("riga");
        QTest::addColumn<int>("domande");
        QTest::newRow("indication") << QByteArray("+CMTI: \"SM\",3") << 1;
        QTest::newRow("ring") << QByteArray("RING") << 0;
    }

    void promptSeguitoDaUnaRigaDelTelefono()
    {
        QFETCH(QByteArray, riga);
        QFETCH(int, domande);
        apri();
        finestra->Form_Load();
        accendi();
        connetti();
        telefono->injectUnsolicited(riga, s25sim::S25Simulator::When::AfterNextReply);
        const QString pdu = QStringLiteral("0011000B919333123456F70000AA05C8329BFD06");
        EsitoAT esito{};
        QCOMPARE(InviaComandoAT(QStringLiteral("AT+CMGS=19"), &esito), QStringLiteral(">"));
        QCOMPARE(esito, EsitoAT::Prompt);
        const QString risposta = InviaComandoAT(pdu + CtrlZ, &esito);
        QCOMPARE(esito, EsitoAT::Ok);
        QVERIFY2(risposta.startsWith(QLatin1String("+CMGS: ")), qPrintable(risposta));
        QCOMPARE(telefono->commandLog(), (QStringList{"AT+CMGS=19", pdu + CtrlZ}));
        QCOMPARE(telefono->state().messages.sentPdus.size(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(domandeNuovoSMS(), domande, Pazienza);
    }

    // The power view's reply, with an indication that the phone cuts right after the reply's
    // final line: the user is still asked about the new message.
    void indicazioneSpezzataDopoUnaVista()
    {
        apri();
        finestra->Form_Load();
        accendi();
        connetti();
        const QByteArray cbc = "\r\n+CBC: 0,80\r\n\r\nOK\r\n";
        telefono->injectUnsolicited("+CMTI: \"SM\",3", s25sim::S25Simulator::When::AfterNextReply);
        telefono->setChunking(static_cast<int>(cbc.size()) + 4, 150);
        clic(QStringLiteral("ALIM"));
        QCOMPARE(righe().value(1), Msg(92) + "|80%");
        QTRY_COMPARE_WITH_TIMEOUT(domandeNuovoSMS(), 1, Pazienza);
        QCOMPARE(telefono->commandLog(), QStringList{"AT+CBC"});
    }
};

QTEST_MAIN(TstRicevitore)
#include "tst_ricevitore.moc"
