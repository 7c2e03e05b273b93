// The network and power views, the operator list and the network search end to end: the main
// window with the real link and phone settings against the simulated phone, which also answers
// as phones that no one here wrote do.

#include "banco.h"
#include "catalogo.h"
#include "globali.h"
#include "impostazioni_telefono.h"
#include "s25simulator.h"
#include "statobase.h"

#include <QtTest>

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
};

QTEST_MAIN(TstRetiE2E)
#include "tst_reti_e2e.moc"
