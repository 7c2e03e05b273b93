// The printed phonebook: the report's lines, formats and order, and the print dialog.

#include "catalogo.h"
#include "frmprint.h"
#include "globali.h"
#include "reportrubrica.h"
#include "risposte.h"
#include "tabelle.h"
#include "vocabolario.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

namespace {

QStringList Righe(const std::vector<PezzoReport>& report)
{
    QString testo;
    for (const PezzoReport& pezzo : report)
        testo += pezzo.testo;
    return testo.split(QStringLiteral("\r\n"));
}

} // namespace

class TstRubricaStampa : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TestiInglesi(); }

    void init()
    {
        Telefono = DatiTelefono{};
        Telefono.RubTotale = {130, 2, 10, 1};
        Telefono.RubUsate = {4, 2, 2, 1};
        Voce(0, 123, "anna", "0612");
        Voce(0, 7, "Zeta!", "+39333");
        Voce(0, 9, "1x", "10");
        Voce(0, 20, "Bob", "9");
        Voce(1, 1, "", "0333");
        Telefono.Rubrica[1][1].NomeIgnoto = true;
        Voce(1, 2, "Fisso!", "112");
        Voce(2, 3, "Ugo!", "0555");
        Voce(2, 1, "Ada", "0444");
        Voce(3, 1, "Io!", "+39348");
    }

    void selezioneDalNodo_data()
    {
        QTest::addColumn<QString>("chiave");
        QTest::addColumn<int>("selezione");
        QTest::newRow("SIM") << "RUB_SIM" << 0;
        QTest::newRow("special SIM") << "RUB_SIMSP" << 1;
        QTest::newRow("phone") << "RUB_TEL" << 2;
        QTest::newRow("own numbers") << "RUB_PER" << 3;
        QTest::newRow("red list") << "RUB_ROS" << 4;
        QTest::newRow("whole phonebook") << "RUB" << 5;
        QTest::newRow("outside the phonebook") << "ORA" << 5;
        QTest::newRow("no node") << "" << 5;
    }

    void selezioneDalNodo()
    {
        QFETCH(QString, chiave);
        QFETCH(int, selezione);
        QCOMPARE(SelezioneDaNodo(chiave), selezione);
    }

    void unaMemoriaPerPosizione()
    {
        const std::vector<PezzoReport> report = ReportRubrica(0, PerPosizione, false);
        QCOMPARE(Righe(report),
                 (QStringList{"Quorna   -   Phonebook SIM", "Numbers: 4/130", "",
                              "Location  Name                            Number",
                              "   7      Zeta!                           +39333",
                              "   9      1x                              10",
                              "  20      Bob                             9",
                              " 123      anna                            0612", ""}));
        QCOMPARE(report[0], (PezzoReport{"Quorna   -   Phonebook SIM\r\n", 9, "Arial", 10, true}));
        QCOMPARE(report[1], (PezzoReport{"Numbers: 4/130\r\n\r\n", 1, "Arial", 9, false}));
        QCOMPARE(report[2].colore, uint8_t(2));
        QCOMPARE(report[2].font, QStringLiteral("Courier New"));
        QVERIFY(report[2].grassetto);
        for (size_t i = 3; i < report.size(); ++i)
            QCOMPARE(report[i].colore, uint8_t(0));
    }

    void ordineEColori_data()
    {
        QTest::addColumn<int>("selezione");
        QTest::addColumn<int>("chiave");
        QTest::addColumn<QStringList>("nomi");
        QTest::newRow("memory by name")
            << 0 << int(PerNome) << QStringList{"1x", "Bob", "Zeta!", "anna"};
        QTest::newRow("memory by number")
            << 0 << int(PerNumero) << QStringList{"Zeta!", "anna", "1x", "Bob"};
        QTest::newRow("red list by position")
            << 4 << int(PerPosizione) << QStringList{"Zeta!", "Ugo!"};
        QTest::newRow("all by number")
            << 5 << int(PerNumero)
            << QStringList{"Zeta!", "Io!", "Unknow", "Ada", "Ugo!", "anna", "1x", "Fisso!", "Bob"};
        // A name not read sorts as it prints.
        QTest::newRow("all by name")
            << 5 << int(PerNome)
            << QStringList{"1x", "Ada", "Bob", "Fisso!", "Io!", "Ugo!", "Unknow", "Zeta!", "anna"};
    }

    // Texts sort by character code: "+" before digits, digits before capitals, capitals before
    // small letters, "10" before "9".
    void ordineEColori()
    {
        QFETCH(int, selezione);
        QFETCH(int, chiave);
        QFETCH(QStringList, nomi);
        const std::vector<PezzoReport> report
            = ReportRubrica(selezione, static_cast<uint8_t>(chiave), true);
        QStringList trovati;
        for (size_t i = 3; i < report.size(); ++i) {
            const QString riga = report[i].testo;
            const QString nome = riga.mid(selezione == StampaTutte ? 1 : 10, 32).trimmed();
            trovati << nome;
            const bool rossa = nome.endsWith('!');
            QCOMPARE(report[i].colore, uint8_t(rossa ? 12 : 0));
        }
        QCOMPARE(trovati, nomi);
    }

    void rigaDiTuttaLaRubrica()
    {
        const QStringList righe = Righe(ReportRubrica(StampaTutte, PerNome, false));
        QCOMPARE(righe.at(0), QStringLiteral("Quorna   -   Complete phonebook"));
        QCOMPARE(righe.at(1), QStringLiteral("Numbers: 9"));
        QCOMPARE(righe.at(3), QStringLiteral(" Name                            Number"));
        QCOMPARE(righe.at(4), QStringLiteral(" 1x                              10"));
    }

    void rossaVuotaETabelleGrandi()
    {
        Telefono = DatiTelefono{};
        QVERIFY(ReportRubrica(StampaRossa, PerPosizione, false).empty());
        Telefono.RubTotale = {250, 250, 250, 250};
        for (int m = 0; m < 4; ++m)
            for (int p = 1; p <= 250; ++p)
                Voce(m, p, QStringLiteral("N%1!").arg(p), QString::number(p));
        QCOMPARE(CopiaDiLavoro(StampaTutte).size(), size_t(1001));
        QCOMPARE(CopiaDiLavoro(StampaRossa).size(), size_t(501));
        QCOMPARE(ReportRubrica(StampaTutte, PerNome, false).size(), size_t(3 + 1000));
    }

    void nomeLungo()
    {
        Voce(0, 1, QString(40, 'x'), "123");
        const QStringList righe = Righe(ReportRubrica(0, PerPosizione, false));
        QCOMPARE(righe.at(4), QStringLiteral("   1      ") + QString(40, 'x') + " 123");
    }

    void dialogoDiStampa()
    {
        RisposteFinte risposte;
        QTemporaryDir cartella;
        risposte.pdfStampa = cartella.filePath("rubrica.pdf");
        frmPrint dialogo(StampaTutte, nullptr);
        QCOMPARE(DialogoAperto, uint8_t(4));
        QCOMPARE(dialogo.cmbRubTip->count(), 6);
        QCOMPARE(dialogo.cmbRubTip->currentText(), Msg(19));
        QVERIFY(!dialogo.optSort[0]->isEnabled());
        QVERIFY(dialogo.optSort[1]->isChecked());

        dialogo.optSort[2]->setChecked(true);
        dialogo.cmbRubTip->setCurrentIndex(3);
        dialogo.cmbRubTip_Click();
        QVERIFY(dialogo.optSort[0]->isEnabled());
        QVERIFY(dialogo.optSort[2]->isChecked());
        dialogo.cmbRubTip->setCurrentIndex(StampaTutte);
        dialogo.cmbRubTip_Click();
        QVERIFY(dialogo.optSort[2]->isChecked());

        dialogo.chkRosso->setChecked(true);
        dialogo.pStampa_Click();
        const QString primo = dialogo.Rtf->toPlainText();
        QVERIFY(primo.startsWith(QStringLiteral("Quorna   -   Complete phonebook\n")));
        QVERIFY(QFileInfo(risposte.pdfStampa).size() > 0);
        dialogo.pStampa_Click();
        QCOMPARE(dialogo.Rtf->toPlainText(), primo);

        Telefono.Rubrica[0][7].Rossa = false;
        Telefono.Rubrica[2][3].Rossa = false;
        dialogo.cmbRubTip->setCurrentIndex(StampaRossa);
        dialogo.pStampa_Click();
        QCOMPARE(risposte.boxes.size(), 1);
        QCOMPARE(risposte.boxes[0].testo, Msg(20));
    }
};

QTEST_MAIN(TstRubricaStampa)
#include "tst_rubrica_stampa.moc"
