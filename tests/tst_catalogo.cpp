// The catalogue: lookup by language, the gaps it has by design, its completeness, and every
// entry the program's code asks for.

#include "catalogo.h"
#include "codecs.h"
#include "globali.h"
#include "vocabolario.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QtTest>

namespace {

bool vuotaPerScelta(int voce, int lingua)
{
    return voce >= 562 && voce <= 568 && lingua != CatalogoMessaggi::Italiano;
}

} // namespace

class TstCatalogo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }

    void ricercaPerLingua_data()
    {
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("voce");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("italian version keeps its blank") << 1 << 3 << "Versione ";
        QTest::newRow("english version keeps its blank") << 1001 << 3 << "Version ";
        QTest::newRow("leading blank") << 1001 << 10 << " numbers";
        QTest::newRow("french tree node") << 2001 << 40 << "Liste rouge";
        QTest::newRow("french tooltip is english") << 2001 << 601 << "Update";
        QTest::newRow("typo kept") << 1001 << 343 << "Unknow";
        QTest::newRow("mended french barring") << 2001 << 353 << "Empecher tout appel sortant";
        QTest::newRow("instance refused")
            << 1 << 2 << QString::fromUtf8("Quorna è già in esecuzione!");
    }

    void ricercaPerLingua()
    {
        QFETCH(int, base);
        QFETCH(int, voce);
        QFETCH(QString, atteso);
        BaseLang = static_cast<int16_t>(base);
        QCOMPARE(CatalogoMessaggi::Testo(voce), std::optional<QString>(atteso));
        QCOMPARE(Msg(voce), atteso);
    }

    void vociSenzaTestoFalliscono()
    {
        BaseLang = 1001;
        QVERIFY(!CatalogoMessaggi::Testo(565));
        QVERIFY(!CatalogoMessaggi::Testo(999));
        QCOMPARE(Msg(565), QString());
        BaseLang = 1;
        QCOMPARE(Msg(565), QStringLiteral("Compleanno"));
        QString didascalia = QStringLiteral("Anniversario");
        BaseLang = 2001;
        SeTesto(565, [&](const QString& t) { didascalia = t; });
        QCOMPARE(didascalia, QStringLiteral("Anniversario"));
    }

    void completezza()
    {
        const QList<int> voci = CatalogoMessaggi::Voci();
        QVERIFY(voci.size() > 450);
        for (int voce : voci) {
            for (int lingua = 0; lingua < 3; ++lingua) {
                const auto testo = CatalogoMessaggi::TestoLingua(voce, lingua);
                if (vuotaPerScelta(voce, lingua))
                    QVERIFY2(!testo, qPrintable(QString::number(voce)));
                else
                    QVERIFY2(
                        testo && !testo->isEmpty(),
                        qPrintable(QStringLiteral("entry %1 language %2").arg(voce).arg(lingua)));
            }
        }
        for (int voce = 601; voce <= 631; ++voce)
            QCOMPARE(CatalogoMessaggi::TestoLingua(voce, 2),
                     CatalogoMessaggi::TestoLingua(voce, 1));
    }

    // Every entry number the sources ask for by number must exist.
    void vociUsateDalCodice()
    {
        const QRegularExpression chiamata(
            QStringLiteral(R"((?:\bMsg|\bSeTesto|\bTesto|\briempi\([A-Za-z]+,)\s*\(?\s*(\d+)\b)"));
        QDirIterator it(QStringLiteral(QUORNA_SORGENTI), {QStringLiteral("*.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        int trovate = 0;
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString testo = QString::fromUtf8(file.readAll());
            for (auto m = chiamata.globalMatch(testo); m.hasNext();) {
                const int voce = m.next().captured(1).toInt();
                ++trovate;
                QVERIFY2(
                    CatalogoMessaggi::TestoLingua(voce, 0),
                    qPrintable(
                        QStringLiteral("%1 asks for entry %2").arg(file.fileName()).arg(voce)));
            }
        }
        QVERIFY(trovate > 5);
    }

    void tabelleVocabolario()
    {
        BaseLang = 1;
        InitTabelleLingua();
        QCOMPARE(ClassiTrasf[0], QStringLiteral("Voce "));
        BaseLang = 1001;
        InitTabelleLingua();
        QCOMPARE(ClassiTrasf[0], QStringLiteral("Voice"));
        QCOMPARE(ClassiBlocchi[0] + ClassiBlocchi[2], QStringLiteral("Voice Data "));
        QCOMPARE(StatiRete[4], QStringLiteral("Unknow"));
        BaseLang = 2001;
        InitTabelleLingua();
        QCOMPARE(NomiMemoria[4], QStringLiteral("Liste rouge"));
        QCOMPARE(CodiciBlocchi[6], QStringLiteral("OX"));
        QCOMPARE(AlfabetoGSM[96], QChar(0x00BF));
    }
};

QTEST_GUILESS_MAIN(TstCatalogo)
#include "tst_catalogo.moc"
