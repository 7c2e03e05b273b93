// The network and power views, the operator list and the network search end to end: the main
// window with the real link and phone settings against the simulated phone, which also answers
// as phones that no one here wrote do.

#include "banco.h"
#include "catalogo.h"
#include "globali.h"
#include "impostazioni_telefono.h"
#include "s25simulator.h"
#include "statobase.h"

#include <QListWidget>
#include <QtTest>

#include <functional>

using s25sim::PhoneState;

class TstRetiE2E : public QObject, private Banco {
    Q_OBJECT

    // The value of the view's row with this caption.
    QString valore(int voce) const
    {
        for (const QString& riga : righe())
            if (riga.startsWith(Msg(voce) + QLatin1Char('|')))
                return riga.section(QLatin1Char('|'), 1);
        return QStringLiteral("(no row)");
    }

    // The rows of the networks in range: code and name, and the image of their status.
    QStringList retiTrovate() const
    {
        QStringList trovate;
        for (int i = 0; i < finestra->listaRetiDisp->count(); ++i) {
            const QListWidgetItem* riga = finestra->listaRetiDisp->item(i);
            trovate << riga->text() + "|" + riga->data(Qt::UserRole).toString();
        }
        return trovate;
    }

    // From now on the phone answers each command with the lines `risposta` gives for it, then
    // OK, and sends nothing of its own.
    void rispondiCon(std::function<QByteArray(const QString&)> risposta)
    {
        telefono->setMuted(true);
        s25sim::S25Simulator* sim = telefono.get();
        telefono->setCommandObserver([sim, risposta](const QString& comando) {
            sim->injectUnsolicited(risposta(comando) + "\r\n\r\nOK");
        });
    }

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }

    void init()
    {
        StatoDiPartenza();
        apri();
        finestra->impostazioni = std::make_unique<ImpostazioniTelefono>(*finestra);
        finestra->Form_Load();
    }

    void cleanup() { chiudi(); }

    // Numbers a phone sends outside their scales show as unknown, or are not taken, instead of
    // a level computed from them.
    void letturaFuoriScala()
    {
        accendi();
        telefono->changeState([](PhoneState& stato) {
            stato.network.registration = 7;
            stato.network.rssi = 1073741824;
            stato.network.ber = 17;
            stato.power.connection = 10;
            stato.power.level = 101;
        });
        connetti();
        clic(QStringLiteral("RETE"));
        QCOMPARE(valore(93), StatiRete[4]);
        QCOMPARE(valore(97), Msg(343));
        QCOMPARE(valore(98), Msg(343));
        clic(QStringLiteral("ALIM"));
        QCOMPARE(valore(91), QString());
        QCOMPARE(valore(92), QString());

        // Back on the scale, the next reading shows.
        telefono->changeState([](PhoneState& stato) {
            stato.network.registration = 1;
            stato.network.rssi = 15;
            stato.network.ber = 3;
            stato.power.connection = 1;
            stato.power.level = 100;
        });
        Telefono.ReteLetta = Telefono.AlimLetta = false;
        clic(QStringLiteral("RETE"));
        QCOMPARE(valore(93), StatiRete[1]);
        QCOMPARE(valore(97), QStringLiteral("-83 dBm"));
        QCOMPARE(valore(98), QStringLiteral("3"));
        clic(QStringLiteral("ALIM"));
        QCOMPARE(valore(91), StatiAlim[1]);
        QCOMPARE(valore(92), QStringLiteral("100%"));
    }

    // A six-digit code stays whole in the search; a phone that adds the access technology
    // after each code, or a comma inside a name, still has all its networks listed.
    void ricercaPerCampi()
    {
        avvia(R"(
[operators]
22201 | TIM
[networks]
2 | 22201 | TIM
1 | 310260 | T-Mobile
)");
        finestra->impostazioni->ShowSelRete(1);
        QCOMPARE(telefono->commandLog(), (QStringList{"AT+COPN", "AT+COPS=?"}));
        QCOMPARE(retiTrovate(), (QStringList{"22201 - TIM|58", "310260 - T-Mobile|57"}));

        rispondiCon([](const QString&) -> QByteArray {
            return "+COPS: (2,\"TIM\",\"TIM\",\"22201\",0),(1,\"T-Mobile\",\"TMO\",\"310260\",2),"
                   "(3,\"AT&T, Inc\",\"ATT\",\"310410\",7),,(0,1,2,3,4),(0,1,2)";
        });
        finestra->impostazioni->ShowSelRete(1);
        QCOMPARE(retiTrovate(),
                 (QStringList{"22201 - TIM|58", "310260 - T-Mobile|57", "310410 - AT&T, Inc|60"}));
        QVERIFY(risposte->boxes.isEmpty());
    }

    // A search that lists nothing says so; a phone that refuses the search is not asked again
    // and says nothing more.
    void ricercaSenzaReti()
    {
        avvia(R"(
[networks]
0 | 22299 | Sconosciuta
)");
        finestra->impostazioni->ShowSelRete(1);
        QCOMPARE(finestra->listaRetiDisp->count(), 0);
        QCOMPARE(testiBox(), QStringList{Msg(792)});
        QCOMPARE(risposte->boxes.first().icona, QMessageBox::Information);

        risposte->boxes.clear();
        telefono->changeState([](PhoneState& stato) { stato.network.networksInRange.clear(); });
        finestra->impostazioni->ShowSelRete(1);
        QCOMPARE(testiBox(), QStringList{Msg(792)});

        risposte->boxes.clear();
        telefono->failCommandsMatching(QRegularExpression("COPS=\\?"));
        finestra->impostazioni->ShowSelRete(1);
        QCOMPARE(finestra->listaRetiDisp->count(), 0);
        QVERIFY(risposte->boxes.isEmpty());
    }
};

QTEST_MAIN(TstRetiE2E)
#include "tst_reti_e2e.moc"
