// The shared list as the user sees it: names in the order of the user's language, columns wide
// enough for what they hold, header pictures; and the filters of the file dialogs.

#include "catalogo.h"
#include "dialoghi.h"
#include "frmi.h"
#include "frmmain.h"
#include "globali.h"
#include "interazione.h"
#include "listareport.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

QStringList colonna(const ListaReport& lista, int c)
{
    QStringList testi;
    for (int i = 0; i < lista.topLevelItemCount(); ++i)
        testi << lista.topLevelItem(i)->text(c);
    return testi;
}

} // namespace

class TstElenco : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName(QStringLiteral("Quorna"));
        QVERIFY(CatalogoMessaggi::Carica());
        BaseLang = 1001;
    }

    // Names sort as in a dictionary, whatever their case and accents: "Österreich" with the O.
    void ordineAlfabeticoDellaLingua()
    {
        ListaReport lista;
        lista.ImpostaColonne({{QStringLiteral("Name"), 1800, QStringLiteral("kNome")}});
        for (const char* nome : {"Zeta", "Österreich", "anna", "Otto", "Émile", "bruno"})
            lista.Aggiungi(QString::fromUtf8(nome));
        lista.SetSorted(true);
        QCOMPARE(
            colonna(lista, 0),
            QString::fromUtf8("anna bruno Émile Österreich Otto Zeta").split(QLatin1Char(' ')));
        lista.SetSortOrder(1);
        QCOMPARE(
            colonna(lista, 0),
            QString::fromUtf8("Zeta Otto Österreich Émile bruno anna").split(QLatin1Char(' ')));
    }

    // A list sorted after the language changed follows the new language's dictionary: in
    // Swedish "Ö" is a letter of its own, after "Z".
    void ordineDopoIlCambioDiLingua()
    {
        ListaReport lista;
        lista.ImpostaColonne({{QStringLiteral("Name"), 1800, QStringLiteral("kNome")}});
        for (const char* nome : {"Zeta", "Österreich", "Otto"})
            lista.Aggiungi(QString::fromUtf8(nome));
        const QLocale prima;
        lista.SetSorted(true);
        QCOMPARE(colonna(lista, 0), QString::fromUtf8("Österreich Otto Zeta").split(u' '));
        QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
        lista.SetSortOrder(0);
        const QStringList svedese = colonna(lista, 0);
        QLocale::setDefault(prima);
        lista.SetSortOrder(0);
        QCOMPARE(svedese, QString::fromUtf8("Otto Zeta Österreich").split(u' '));
        QCOMPARE(colonna(lista, 0), QString::fromUtf8("Österreich Otto Zeta").split(u' '));
    }

    // A header picture is put into a column and taken away again; its caption stays.
    void showHeaderIcon()
    {
        frmMain finestra;
        finestra.List1->ImpostaColonne({{QStringLiteral("Name"), 1800, QStringLiteral("kNome")},
                                        {QStringLiteral("Number"), 1800, QStringLiteral("kNum")}});
        constexpr int HDF_RIGHT = 1;
        constexpr int HDF_IMAGE = 0x800;
        finestra.ShowHeaderIcon(1, 2, HDF_RIGHT, HDF_IMAGE);
        QTreeWidgetItem* intestazione = finestra.List1->headerItem();
        QVERIFY(!intestazione->icon(1).isNull());
        QVERIFY(intestazione->icon(0).isNull());
        QCOMPARE(intestazione->text(1), QStringLiteral("Number"));
        QVERIFY(intestazione->textAlignment(1) & Qt::AlignRight);
        finestra.ShowHeaderIcon(1, 2, 0, 0);
        QVERIFY(intestazione->icon(1).isNull());
        QCOMPARE(intestazione->text(1), QStringLiteral("Number"));
        QVERIFY(intestazione->textAlignment(1) & Qt::AlignLeft);
        // A column the list does not have is left alone.
        finestra.ShowHeaderIcon(7, 2, 0, HDF_IMAGE);
        QCOMPARE(finestra.List1->columnCount(), 2);
    }

    // Each pattern is named once in the filter a file dialog shows.
    void filtriDeiDialoghi_data()
    {
        QTest::addColumn<QString>("filtro");
        QTest::addColumn<QString>("qt");
        QTest::newRow("phonebook") << "Phonebook file (*.rub)|*.rub|Text file (*.txt)|*.txt"
                                   << "Phonebook file (*.rub);;Text file (*.txt)";
        QTest::newRow("all files") << "Phonebook files (*.rub)|*.rub|All files (*.*)|*.*"
                                   << "Phonebook files (*.rub);;All files (*.*)";
        QTest::newRow("two patterns")
            << "Bitmap files (*.bmp, *.gif)|*.bmp;*.gif|All files (*.*)|*.*"
            << "Bitmap files (*.bmp *.gif);;All files (*.*)";
        QTest::newRow("no pattern in the text") << "Midi|*.mid"
                                                << "Midi (*.mid)";
    }

    void filtriDeiDialoghi()
    {
        QFETCH(QString, filtro);
        QFETCH(QString, qt);
        QCOMPARE(FiltroQt(filtro), qt);
    }

    // The splash is drawn with a visible border round it.
    void bordoDelloSplash()
    {
        frmI splash([] { return nullptr; });
        splash.adjustSize();
        const QImage immagine = splash.grab().toImage();
        const QRgb bordo = splash.palette().color(QPalette::Dark).rgb();
        QCOMPARE(immagine.pixel(0, 0), bordo);
        QCOMPARE(immagine.pixel(immagine.width() - 1, immagine.height() / 2), bordo);
        QVERIFY(immagine.pixel(immagine.width() / 2, 2) != bordo);
    }

    // The open and save dialogs start in the program's folder, not in the working folder.
    void dialoghiNellaCartellaDelProgramma()
    {
        QStringList cartelle;
        QTimer chiudi;
        QObject::connect(&chiudi, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialogo = qobject_cast<QFileDialog*>(w);
                    dialogo && dialogo->isVisible()) {
                    cartelle << dialogo->directory().absolutePath();
                    dialogo->reject();
                }
        });
        chiudi.start(20);
        const QString filtro = QStringLiteral("Phonebook file (*.rub)|*.rub");
        QVERIFY(interazione().ApriFile(nullptr, QStringLiteral("Open"), filtro).isEmpty());
        QVERIFY(interazione().SalvaFile(nullptr, QStringLiteral("Save"), filtro, "rub").isEmpty());
        QCOMPARE(cartelle, QStringList(2, QDir(CartellaProgramma()).absolutePath()));
    }

    // A name typed without a suffix gets the suffix of the filter the user chose; a suffix the
    // user typed stays.
    void suffissoDelFiltroScelto_data()
    {
        // The keys pressed on the list of filters: "v" Down, "^" Up.
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<QString>("scritto");
        QTest::addColumn<QString>("scelto");
        QTest::newRow("first filter") << ""
                                      << "rubrica"
                                      << "rubrica.rub";
        QTest::newRow("text filter") << "v"
                                     << "rubrica"
                                     << "rubrica.txt";
        QTest::newRow("text filter, suffix typed") << "v"
                                                   << "rubrica.rub"
                                                   << "rubrica.rub";
        QTest::newRow("back to the first") << "v^"
                                           << "rubrica"
                                           << "rubrica.rub";
        QTest::newRow("all files") << "vv"
                                   << "rubrica"
                                   << "rubrica";
    }

    void suffissoDelFiltroScelto()
    {
        QFETCH(QString, tasti);
        QFETCH(QString, scritto);
        QFETCH(QString, scelto);
        QTemporaryDir cartella;
        QTimer scegli;
        QObject::connect(&scegli, &QTimer::timeout, [&] {
            auto* dialogo = Aperta<QFileDialog>();
            if (!dialogo)
                return;
            auto* filtri = dialogo->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(filtri);
            for (const QChar tasto : tasti)
                QTest::keyClick(filtri, tasto == u'v' ? Qt::Key_Down : Qt::Key_Up);
            dialogo->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(cartella.filePath(scritto));
            static_cast<QDialog*>(dialogo)->accept();
        });
        scegli.start(20);
        const QString filtro = QStringLiteral(
            "Phonebook file (*.rub)|*.rub|Text file (*.txt)|*.txt|All files (*.*)|*.*");
        QCOMPARE(interazione().SalvaFile(nullptr, QStringLiteral("Save"), filtro, "rub"),
                 cartella.filePath(scelto));
    }
};

QTEST_MAIN(TstElenco)
#include "tst_elenco.moc"
