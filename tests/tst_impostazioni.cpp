// The settings store: loader defaults and error defaults, the placement writer, the language
// dialog's storing.

#include "frmlang.h"
#include "globali.h"
#include "impostazioni.h"

#include <QRadioButton>
#include <QSettings>
#include <QtTest>

using Valori = QMap<QString, QString>;

class TstImpostazioni : public QObject {
    Q_OBJECT

    QSettings store() { return QSettings(QStringLiteral("Quorna"), QStringLiteral("Quorna")); }

    void scrivi(const QMap<QString, QString>& valori)
    {
        auto s = store();
        s.clear();
        for (auto it = valori.cbegin(); it != valori.cend(); ++it)
            s.setValue(it.key(), it.value());
        s.sync();
    }

    static QList<int> campi(const Impostazioni& o)
    {
        return {o.Lingua, o.AutoSaveRub, o.AutoLoadRub, o.SplashScreen,   o.SaveWindow, o.X,
                o.Y,      o.W,           o.H,           o.AutoLoadOPsList};
    }

private slots:
    void caricamento_data()
    {
        QTest::addColumn<Valori>("memorizzati");
        QTest::addColumn<QList<int>>("attesi");
        const QList<int> vuoto{99, 0, 0, 0, 0, 0, 0, 800, 600, 0};
        const QList<int> errore{99, 0, 0, 0, 0, 0, 0, 640, 480, 0};
        using M = Valori;
        QTest::newRow("empty store") << M{} << vuoto;
        QTest::newRow("all keys")
            << M{{"General/Language", "1"},    {"General/AutoSaveRub", "1"},
                 {"General/AutoLoadRub", "2"}, {"General/SplashScreen", "1"},
                 {"General/SaveWindow", "1"},  {"General/X", "-150"},
                 {"General/Y", "300"},         {"General/W", "9000"},
                 {"General/H", "7000"},        {"General/AutoLoadOPsList", "1"}}
            << QList<int>{1, 1, 2, 1, 1, -150, 300, 9000, 7000, 1};
        QTest::newRow("text for X") << M{{"General/Language", "2"}, {"General/X", "abc"}} << errore;
        QTest::newRow("width over 16 bits")
            << M{{"General/Language", "2"}, {"General/W", "40000"}} << errore;
        QTest::newRow("language over 8 bits") << M{{"General/Language", "300"}} << errore;
        QTest::newRow("negative flag") << M{{"General/SaveWindow", "-1"}} << errore;
        QTest::newRow("present but empty") << M{{"General/AutoSaveRub", ""}} << errore;
        QTest::newRow("fraction rounds half to even")
            << M{{"General/Language", "0.5"}, {"General/W", "2.5"}, {"General/H", " 3.5 "}}
            << QList<int>{0, 0, 0, 0, 0, 0, 0, 2, 4, 0};
    }

    void caricamento()
    {
        QFETCH(Valori, memorizzati);
        QFETCH(QList<int>, attesi);
        scrivi(memorizzati);
        Opzioni.Lingua = 7; // whatever a previous run left must not survive
        CaricaImpostazioni();
        QCOMPARE(campi(Opzioni), attesi);
    }

    void posizioneLimitata()
    {
        // A 2600-pixel window stores 39000 twips, beyond the 16-bit field: the next start must
        // keep every setting.
        scrivi({{"General/Language", "1"}, {"General/SaveWindow", "1"}});
        SalvaPosizioneFinestra(QRect(-40000, 15, 2600 * 15, 1500 * 15));
        CaricaImpostazioni();
        QCOMPARE(campi(Opzioni), (QList<int>{1, 0, 0, 0, 1, -32768, 15, 32767, 22500, 0}));
        QCOMPARE(store().value("General/W").toString(), QStringLiteral("32767"));
    }

    void linguaDialogo_data()
    {
        QTest::addColumn<int>("corrente");
        QTest::addColumn<int>("preselezionata");
        QTest::addColumn<int>("scelta");
        QTest::addColumn<int>("baseAttesa");
        QTest::newRow("first start, closed as it is") << 99 << 0 << -1 << 1;
        QTest::newRow("English to French") << 1 << 1 << 2 << 2001;
        QTest::newRow("English kept") << 1 << 1 << -1 << 1001;
        QTest::newRow("unknown language preselects Italian") << 5 << 0 << 1 << 1001;
    }

    void linguaDialogo()
    {
        QFETCH(int, corrente);
        QFETCH(int, preselezionata);
        QFETCH(int, scelta);
        QFETCH(int, baseAttesa);
        scrivi({});
        Opzioni.Lingua = static_cast<uint8_t>(corrente);
        frmLAng dialogo;
        QVERIFY(dialogo.optLang[static_cast<size_t>(preselezionata)]->isChecked());
        if (scelta >= 0)
            dialogo.optLang[static_cast<size_t>(scelta)]->setChecked(true);
        const int attesa = scelta >= 0 ? scelta : preselezionata;
        dialogo.reject(); // the close box stores the choice as OK does
        QCOMPARE(int(Opzioni.Lingua), attesa);
        QCOMPARE(int(BaseLang), baseAttesa);
        QCOMPARE(store().value("General/Language").toString(), QString::number(attesa));
    }
};

QTEST_MAIN(TstImpostazioni)
#include "tst_impostazioni.moc"
