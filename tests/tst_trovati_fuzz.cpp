// Faults the fuzz targets of fuzz/ found in the program, each with the input that showed it,
// reduced to what matters.

#include "catalogo.h"
#include "globali.h"
#include "operatori.h"
#include "statobase.h"
#include "vocabolario.h"

#include <QTemporaryDir>
#include <QtTest>

class TstTrovatiFuzz : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(CatalogoMessaggi::Carica());
        StatoDiPartenza();
        InitTabelleLingua();
    }

    // A garbled operator list whose code holds a line feed: saved to "reti.op" it split its
    // record in two, and the list loaded back with an operator more and its names shifted.
    void codiceOperatoreConAcapo()
    {
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        const QString percorso = cartella.filePath("reti.op");
        const std::vector<Operatore> letti
            = DecodificaOperatori("+COPN: 2\n2,\"X\"\r\n+COPN: 22201,\"TIM\"");
        QCOMPARE(int(letti.size()), 2);
        Telefono.Operatori = letti;
        QVERIFY(SalvaFileOperatori(percorso));
        Telefono.Operatori.clear();
        QVERIFY(CaricaFileOperatori(percorso));
        QCOMPARE(int(Telefono.Operatori.size()), 2);
        for (size_t i = 0; i < letti.size(); ++i) {
            QCOMPARE(Telefono.Operatori[i].Codice, letti[i].Codice);
            QCOMPARE(Telefono.Operatori[i].Nome, letti[i].Nome);
        }
        QCOMPARE(NomeOperatore("22201"), QStringLiteral("TIM"));
    }
};

QTEST_GUILESS_MAIN(TstTrovatiFuzz)
#include "tst_trovati_fuzz.moc"
