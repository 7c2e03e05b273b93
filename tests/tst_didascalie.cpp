// Every window and dialog in each of the three languages: each caption taken from the catalogue
// shows the catalogue's text of that language (the Italian-only ones keep their Italian layout
// caption), and shows it whole, over no other control.

#include "bancointero.h"
#include "catalogo.h"
#include "dialoghi.h"
#include "didascalie.h"
#include "frmblocco.h"
#include "frmmain.h"
#include "frmsms.h"
#include "globali.h"
#include "listareport.h"
#include "programma.h"
#include "tabelle.h"
#include "vocabolario.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

namespace {

// The reminder dialog's captions for the entries that exist in Italian only: in English and
// French the lookup fails and the layout caption stays.
QString didascaliaDiProgetto(int voce)
{
    static const QHash<int, QString> progetto{
        {562, "Testo:"},   {563, "Tipo"},       {564, "Avviso/Sveglia"}, {565, "Anniversario"},
        {566, "Chiamare"}, {567, "Incontrare"}, {568, "Ricorrenza"}};
    return progetto.value(voce);
}

// The text a caption of entry `voce` shows in `lingua`.
QString atteso(int voce, int lingua)
{
    if (const auto testo = CatalogoMessaggi::TestoLingua(voce, lingua); testo && !testo->isEmpty())
        return *testo;
    return didascaliaDiProgetto(voce);
}

// Every caption a window shows: its title, its labels, buttons, frames, tabs, list items and
// column headers, the tree's nodes, the menus' items and the toolbar's tooltips.
QStringList didascalieMostrate(const QWidget& finestra)
{
    QStringList testi{finestra.windowTitle()};
    for (const QWidget* w : finestra.findChildren<QWidget*>()) {
        testi << didascalie::Didascalia(w);
        if (auto* etichetta = qobject_cast<const QLabel*>(w))
            testi << etichetta->text();
        if (auto* schede = qobject_cast<const QTabWidget*>(w))
            for (int i = 0; i < schede->count(); ++i)
                testi << schede->tabText(i);
        if (auto* scelta = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < scelta->count(); ++i)
                testi << scelta->itemText(i);
        if (auto* albero = qobject_cast<const QTreeWidget*>(w)) {
            for (int c = 0; c < albero->columnCount(); ++c)
                testi << albero->headerItem()->text(c);
            for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(albero)); *it; ++it)
                testi << (*it)->text(0);
        }
        if (auto* barra = qobject_cast<const QStatusBar*>(w))
            testi << barra->currentMessage();
    }
    for (const QAction* azione : finestra.findChildren<QAction*>())
        testi << azione->text() << azione->toolTip();
    return testi;
}

QString elenco(const QList<int>& voci)
{
    QStringList numeri;
    for (int voce : voci)
        numeri << QString::number(voce);
    return numeri.join(QLatin1Char(' '));
}

// The entries among `voci` whose text in `lingua` the window does not show.
QList<int> mancanti(const QWidget& finestra, const QList<int>& voci, int lingua)
{
    const QStringList mostrate = didascalieMostrate(finestra);
    QList<int> assenti;
    for (int voce : voci) {
        const QString testo = atteso(voce, lingua);
        // A label shows "&&" as the one "&" it stands for.
        if (!mostrate.contains(testo) && !mostrate.contains(QString(testo).replace("&&", "&")))
            assenti << voce;
    }
    return assenti;
}

QList<int> daA(int prima, int ultima)
{
    QList<int> voci;
    for (int v = prima; v <= ultima; ++v)
        voci << v;
    return voci;
}

} // namespace

class TstDidascalie : public QObject, private BancoIntero {
    Q_OBJECT

    int lingua = 0;

    // The window shows the texts of these entries, whole and over no other control.
    void controlla(QWidget& w, const QList<int>& voci)
    {
        const QString nome = QString::fromLatin1(w.metaObject()->className());
        const QList<int> assenti = mancanti(w, voci, lingua);
        QVERIFY2(assenti.isEmpty(), qPrintable(nome + QStringLiteral(" lacks the text of entries ")
                                               + elenco(assenti)));
        const QStringList difetti = TestiTagliati(w);
        QVERIFY2(difetti.isEmpty(),
                 qPrintable(nome + QStringLiteral(": ") + difetti.join(QStringLiteral("; "))));
    }

    // The dialog `comando` opens shows these entries; `dentro` may open one from it.
    void dialogo(const std::function<void()>& comando, const QList<int>& voci,
                 const std::function<void(QDialog&)>& dentro = {})
    {
        QVERIFY(ConDialogo(comando, [&](QDialog& d) {
            controlla(d, voci);
            if (dentro)
                dentro(d);
        }));
    }

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName(QStringLiteral("Quorna"));
        QVERIFY(CatalogoMessaggi::Carica());
    }

    void init() { accendiDemo(); }
    void cleanup() { spegni(); }

    void ogniFinestraInOgniLingua_data() { RighePerLingua(); }

    void ogniFinestraInOgniLingua()
    {
        QFETCH(int, lingua);
        this->lingua = lingua;
        ScegliLingua(lingua);
        finestra = CaricaFinestraPrincipale();

        // The main window: status, tree, panes, tooltips and menus.
        controlla(*finestra,
                  QList<int>{79} + daA(33, 60) + daA(507, 522) + daA(601, 631) + daA(701, 791));

        connettiDallaBarra();

        // Every view, its pane's captions whole.
        for (const char* chiave :
             {"S25", "ALIM", "RETE", "RUB", "RUB_SIM", "SMS", "SMS_IN", "CAL", "LIST", "LIST_RC",
              "TRASF", "TRASF2", "BLOCK", "ORA", "MEL", "LOGO"}) {
            clic(QString::fromLatin1(chiave));
            // As the user sees it: once the layouts have taken the new texts.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            const QStringList difetti = TestiTagliati(*finestra);
            QVERIFY2(difetti.isEmpty(),
                     qPrintable(QString::fromLatin1(chiave) + QStringLiteral(": ")
                                + difetti.join(QStringLiteral("; "))));
        }
        clic(QStringLiteral("RETE"));
        finestra->Toolbar1[43]->setChecked(true);
        finestra->Toolbar1_ButtonClick(finestra->Toolbar1[43]);
        QVERIFY(finestra->frameReti->isVisible());
        controlla(*finestra, {});

        dialogo([this] { finestra->mnuOConf->trigger(); }, QList<int>{524} + daA(534, 543));

        clic(QStringLiteral("RUB_SIM"));
        dialogo([this] { finestra->rubrica->AddRubrica(); }, {103, 544, 545, 546, 547, 524});
        dialogo([this] { finestra->rubrica->StampaRubrica(); }, daA(552, 561));

        dialogo([this] { finestra->messaggi->InviaSMS(false, true); },
                QList<int>{524} + daA(569, 590),
                [this](QDialog& composizione) {
                    auto* sms = qobject_cast<frmSMS*>(&composizione);
                    QVERIFY(sms);
                    QVERIFY(ConDialogo([sms] { sms->pEditList->click(); },
                                       [this](QDialog& editor) {
                                           controlla(editor, {548, 549, 550, 551, 7, 8});
                                       },
                                       {&composizione}));
                });

        clic(QStringLiteral("CAL"));
        dialogo([this] { finestra->oggetti->AddProm(); },
                QList<int>{308, 511, 512, 380, 381, 382, 383, 524} + daA(562, 568));

        clic(QStringLiteral("BLOCK"));
        scegliRiga(4);
        dialogo([this] { finestra->impostazioni->CambiaBlocco(); },
                {523, 524, 525, 526, 527, 528, 529},
                [this](QDialog& blocco) {
                    auto* dialogoBlocco = qobject_cast<frmBlocco*>(&blocco);
                    QVERIFY(dialogoBlocco);
                    QVERIFY(ConDialogo([dialogoBlocco] { dialogoBlocco->pCambia->click(); },
                                       [this](QDialog& cambio) {
                                           controlla(cambio, {530, 531, 532, 533});
                                       },
                                       {&blocco}));
                });

        clic(QStringLiteral("TRASF2"));
        scegliRiga(0);
        dialogo([this] { finestra->impostazioni->EditTrasf(false); }, {591, 592, 593, 594, 524});
    }
};

QTEST_MAIN(TstDidascalie)
#include "tst_didascalie.moc"
