// The phonebook end to end: the main window with the real link and phonebook against the
// simulated phone on a pseudo-terminal, with shortened intervals.

#include "bancorubrica.h"
#include "catalogo.h"
#include "collegamento.h"
#include "dialogosms.h"
#include "filerubrica.h"
#include "frminputvocerub.h"
#include "frmmain.h"
#include "globali.h"
#include "listareport.h"
#include "messaggi.h"
#include "rubrica.h"
#include "s25simulator.h"
#include "scambiorubrica.h"
#include "seedfile.h"
#include "statobase.h"
#include "tabella.h"
#include "tempi.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using s25sim::S25Simulator;

namespace {

const QByteArray Seme = R"(
[phonebook SM]
total = 20
number_length = 20
name_length = 14
3 | 0612345 | Anna
5 | +39333123 | Nicolò
7 | 055 | Bob!
9 | 0699 | Anna
[phonebook FD]
total = 5
read_only = yes
1 | 112 | Emergenza
[phonebook ME]
total = 300
number_length = 40
name_length = 16
1 | +390612 | a_b@c
7 | 0333 | Bob!
250 | 250 | Ultimo
260 | 260 | Oltre
[phonebook ON]
total = 3
1 | +39348 |
[phonebook RC]
1 | +39612345 |
2 | 0777 | Fornaio
3 | 0888 |
[phonebook LD]
1 | 0612345 | X
)";

QStringList LetturaMemoria(const char* codice, int daLeggere)
{
    return {QStringLiteral("AT+CPBS=") + codice, "AT+CPBS?", "AT+CPBR=?",
            QStringLiteral("AT+CPBR=1,%1").arg(daLeggere)};
}

const QStringList LetturaCompleta = LetturaMemoria("SM", 20) + LetturaMemoria("FD", 5)
                                    + LetturaMemoria("ME", 250) + LetturaMemoria("ON", 3);

} // namespace

class TstRubricaTelefono : public QObject, private BancoRubrica {
    Q_OBJECT

    // Selects the row whose last column shows this position (and memory, when given).
    bool scegli(const QString& posizione, const QString& memoria = QString())
    {
        for (int i = 0; i < finestra->List1->topLevelItemCount(); ++i) {
            QTreeWidgetItem* riga = finestra->List1->topLevelItem(i);
            const int ultima = riga->columnCount() - 1;
            if (riga->text(ultima) == posizione
                && (memoria.isEmpty() || riga->text(ultima - 1) == memoria)) {
                finestra->List1->setCurrentItem(riga);
                return true;
            }
        }
        return false;
    }

    QString nomeSulTelefono(const char* memoria, int posizione) const
    {
        return telefono->state().readableName(memoria, posizione);
    }

    // The number Send SMS writes in the compose dialog for the selected row.
    QString numeroDelMessaggio()
    {
        QString numero;
        NelDialogoSMS(finestra, [&numero](frmSMS* dialogo) { numero = dialogo->txtNum->text(); });
        finestra->messaggi->InviaSMS(true, false);
        return numero;
    }

public:
    TstRubricaTelefono() : BancoRubrica(Seme) {}

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }

    void init()
    {
        apriRubrica(Salvataggio::DopoLaLettura);
        monta<Messaggi>(&frmMain::messaggi);
    }

    void cleanup() { chiudi(); }

    void leggeLeQuattroMemorie()
    {
        avvia();
        clic("RUB_SIM");
        QCOMPARE(telefono->commandLog(), LetturaCompleta + QStringList{"AT+CSCA?"});
        QCOMPARE(righe(), (QStringList{"Anna|0612345|003", "Anna|0699|009", "Bob!|055|007",
                                       QStringLiteral("Nicolò|+39333123|005")}));
        QCOMPARE(finestra->SBar[3]->text(), QStringLiteral("4/20"));
        QVERIFY(Telefono.Rubrica[0][7].Rossa);
        QVERIFY(!Telefono.Rubrica[0][3].Rossa);
        QCOMPARE(Telefono.Rubrica[2][1].Nome, QStringLiteral("a_b@c"));
        QCOMPARE(Telefono.Rubrica[2][250].Nome, QStringLiteral("Ultimo"));
        QCOMPARE(Telefono.RubTotale[2], int16_t(300));
        QCOMPARE(Telefono.Rubrica[3][1].Numero, QStringLiteral("+39348"));
        QVERIFY(!Telefono.Rubrica[3][1].Posizione.isEmpty());
        QCOMPARE(LimitiRubrica[0].numero, 20);
        QCOMPARE(LimitiRubrica[0].nome, 14);
        QCOMPARE(LimitiRubrica[2].numero, 40);
        QCOMPARE(LimitiRubrica[2].nome, 16);
        // The entry dialog takes the limits of its own memory, not of the memory read last.
        for (const auto& [memoria, nome, numero] : {std::tuple{0, 14, 20}, std::tuple{2, 16, 40}}) {
            const frmInputVoceRub dialogo(static_cast<uint8_t>(memoria), nullptr);
            QCOMPARE(dialogo.txtNome->maxLength(), nome);
            QCOMPARE(dialogo.txtNumero->maxLength(), numero + 1); // a "+" is no digit
        }
        QVERIFY(Telefono.RubLetta[0] && Telefono.RubLetta[1] && Telefono.RubLetta[2]
                && Telefono.RubLetta[3]);

        // The default file holds what was read, and loads back the same.
        const QByteArray salvato = Contenuto(Rubrica::FileRubricaPredefinito());
        QCOMPARE(salvato, BytesFileRubrica());
        QCOMPARE(salvato.size(), 49 * (6 + 20 + 5 + 250 + 3));

        telefono->clearCommandLog();
        clic("RUB_ROS");
        QVERIFY(telefono->commandLog().isEmpty());
        QCOMPARE(righe(), (QStringList{"Bob!|055|SIM|007", "Bob!|0333|Phone|007"}));
        QCOMPARE(finestra->SBar[3]->text(), QStringLiteral("2"));
        clic("RUB");
        QCOMPARE(telefono->commandLog(), QStringList{});
        QCOMPARE(finestra->List1->topLevelItemCount(), 4 + 1 + 3 + 1);
        QCOMPARE(finestra->SBar[3]->text(), QStringLiteral("9") + Msg(106));
        QVERIFY(risposte->boxes.isEmpty());
    }

    void memoriaRifiutata()
    {
        QByteArray seme = Seme;
        seme.replace("read_only = yes", "refused = yes");
        avvia(seme);
        clic("RUB_SIMSP");
        const QStringList attesi = LetturaMemoria("SM", 20) + QStringList{"AT+CPBS=FD"}
                                   + LetturaMemoria("ME", 250) + LetturaMemoria("ON", 3)
                                   + QStringList{"AT+CSCA?"};
        QCOMPARE(telefono->commandLog(), attesi);
        QVERIFY(Telefono.RubLetta[1]);
        QCOMPARE(Telefono.RubTotale[1], int16_t(0));
        QVERIFY(righe().isEmpty());
        QCOMPARE(finestra->SBar[3]->text(), Msg(333));
        // Nothing written lands in whatever memory the phone kept selected.
        telefono->clearCommandLog();
        Telefono.RubTotale[1] = 5;
        QVERIFY(!ScriviVoceRubrica(1, "1", "Altro", "113"));
        QCOMPARE(telefono->commandLog(), QStringList{"AT+CPBS=FD"});
    }

    void aggiungeModificaCancella_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("numero");
        QTest::newRow("accents") << QStringLiteral("Nicolò è") << "+39333";
        QTest::newRow("GSM specials") << "a_b@c$"
                                      << "*31#0612";
        QTest::newRow("line breakers") << "q\"b\\c"
                                       << "0";
        QTest::newRow("extension") << QStringLiteral("[€]") << "#21#";
    }

    void aggiungeModificaCancella()
    {
        QFETCH(QString, nome);
        QFETCH(QString, numero);
        avvia();
        clic("RUB_SIM");
        telefono->clearCommandLog();

        CompilaVoce(finestra, nome, numero);
        rubrica->AddRubrica();
        QCOMPARE(telefono->commandLog().size(), 2);
        QCOMPARE(telefono->commandLog().at(0), QStringLiteral("AT+CPBS=SM"));
        QVERIFY(telefono->commandLog().at(1).startsWith("AT+CPBW=1,\""));
        QCOMPARE(nomeSulTelefono("SM", 1), nome);
        QCOMPARE(Telefono.Rubrica[0][1].Nome, nome);
        QVERIFY(finestra->isEnabled());
        QCOMPARE(DialogoAperto, uint8_t(0));

        // Reading it back gives what was written.
        Telefono.RubLetta.fill(false);
        clic("RUB_SIM");
        QCOMPARE(Telefono.Rubrica[0][1].Nome, nome);
        QCOMPARE(Telefono.Rubrica[0][1].Numero, numero);

        QVERIFY(scegli("001"));
        const int indice = finestra->List1->indexOfTopLevelItem(finestra->List1->currentItem());
        QString mostrato;
        CompilaVoce(finestra, nome + "x", numero, true, &mostrato);
        rubrica->EditRubrica();
        QCOMPARE(mostrato, nome);
        QCOMPARE(nomeSulTelefono("SM", 1), nome + "x!");
        QCOMPARE(finestra->List1->indexOfTopLevelItem(finestra->List1->currentItem()), indice);

        // Editing a red entry keeps one mark; the name shown has none.
        QVERIFY(scegli("001"));
        CompilaVoce(finestra, nome + "x", numero, std::nullopt, &mostrato);
        rubrica->EditRubrica();
        QCOMPARE(mostrato, nome + "x");
        QCOMPARE(nomeSulTelefono("SM", 1), nome + "x!");

        QVERIFY(scegli("001"));
        risposte->pulsantiDaPremere.enqueue(QMessageBox::Yes);
        telefono->clearCommandLog();
        rubrica->DelRubrica();
        QCOMPARE(telefono->commandLog(), (QStringList{"AT+CPBS=SM", "AT+CPBW=1"}));
        QVERIFY(nomeSulTelefono("SM", 1).isEmpty());
        QVERIFY(Telefono.Rubrica[0][1].Posizione.isEmpty());
        QVERIFY(!scegli("001"));
    }

    // A name the phone cannot take is not sent: the user is told which letters its character
    // set lacks, or that the set is not known; a name the phone refuses is told with the
    // phone's reason. Either way the dialog stays open with what the user typed, and the table
    // holds what the phone holds.
    void voceNonScrittaDalDialogo_data()
    {
        QTest::addColumn<QByteArray>("modem"); // the set a phone that will not switch speaks
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("voce");   // the message told
        QTest::addColumn<int>("motivo"); // the reason's entry after it, when the phone gave one
        QTest::addColumn<QString>("lettere"); // else what follows it
        QTest::addColumn<bool>("inviata");
        const QString accenti = QStringLiteral("Test ÀàÈèÉéÌìÒòÙù");
        QTest::newRow("letters GSM lacks")
            << QByteArray() << accenti << 889 << 0 << QStringLiteral("À È Ì Ò Ù") << false;
        QTest::newRow("letters IRA lacks")
            << QByteArray("charset = IRA") << QStringLiteral("Jo@x_è$") << 889 << 0
            << QStringLiteral("è") << false;
        QTest::newRow("letters the phone refuses")
            << QByteArray("charset = 8859-1") << accenti << 898 << 886 << QString() << true;
        QTest::newRow("set not known") << QByteArray("charset = HEX") << QStringLiteral("Anna")
                                       << 884 << 0 << QString() << false;
        // A letter with no shape of its own is named by its code.
        QTest::newRow("a byte-order mark pasted") << QByteArray() << QStringLiteral("\uFEFFAnna")
                                                  << 889 << 0 << QStringLiteral("U+FEFF") << false;
    }

    void voceNonScrittaDalDialogo()
    {
        QFETCH(QByteArray, modem);
        QFETCH(QString, nome);
        QFETCH(int, voce);
        QFETCH(int, motivo);
        QFETCH(QString, lettere);
        QFETCH(bool, inviata);
        QByteArray seme = Seme;
        seme.replace("name_length = 14", "name_length = 20");
        accendi("[modem]\nerror_reports = 1\n" + modem + "\n" + seme);
        if (!modem.isEmpty())
            telefono->failCommandsMatching(QRegularExpression("^AT\\+CSCS="));
        connetti(Controllo::SoloAttesa, modem.isEmpty() ? Handshake : HandshakeSenzaGSM);
        clic("RUB_SIM");
        telefono->clearCommandLog();
        risposte->boxes.clear();
        bool aperto = false;
        QString rimasto;
        QTimer::singleShot(0, finestra, [&] {
            auto* dialogo = qobject_cast<frmInputVoceRub*>(FinestraDialogo(2));
            QVERIFY(dialogo);
            dialogo->txtNome->setText(nome);
            dialogo->txtNumero->setText("0612");
            dialogo->pOk->click();
            aperto = dialogo->isVisible();
            rimasto = dialogo->txtNome->text();
            dialogo->pAnnulla->click();
        });
        rubrica->AddRubrica();
        QCOMPARE(testiBox(), QStringList{Msg(voce) + (motivo ? Msg(motivo) : lettere)});
        QVERIFY(aperto);
        QCOMPARE(rimasto, nome);
        QCOMPARE(!telefono->commandLog().filter("AT+CPBW=1,").isEmpty(), inviata);
        QVERIFY(nomeSulTelefono("SM", 1).isEmpty());
        QVERIFY(Telefono.Rubrica[0][1].Posizione.isEmpty());
    }

    // A name the program could not read shows as unknown, still gives Send SMS its entry's
    // number, is never written over by Modify nor by Put Phonebook, and keeps the phonebook file
    // from being replaced, the user told once; a line the reader cannot take is told, and its
    // position is not offered as free. A name given unquoted in UCS2, or a line with an empty field
    // before the number, reads whole and goes back to the phone as it was.
    void nomeNonLettoRestaSulTelefono_data()
    {
        QTest::addColumn<QByteArray>("modem");
        QTest::addColumn<QByteArray>("codici"); // the phone's codes of position 19's name
        QTest::addColumn<QStringList>("vista"); // the SIM view's rows; "?" is unknown
        // The messages of the reading, by entry, each with what follows it after "|".
        QTest::addColumn<QStringList>("lettura");
        QTest::addColumn<QStringList>("chiamate"); // the received calls' view, then its messages
        QTest::addColumn<int>("modifica");     // the message of Modify, 0 for none, -1 no Modify
        QTest::addColumn<QList<int>>("invio"); // the messages of Put Phonebook
        const QStringList ignoto{"Anna|0612345|001", "?|030450566735|019"};
        const QStringList letti{"Anna|0612345|001", "Ufficio Milano|030450566735|019"};
        const QList<int> saltata{890, 892};
        const QStringList chiamataIgnota{"?|030450566735"};
        const QStringList chiamata{"Ufficio Milano|030450566735"};
        QTest::newRow("unknown set")
            << QByteArray("charset = HEX") << QByteArray()
            << QStringList{"?|0612345|001", ignoto[1]} << QStringList{"896"} << chiamataIgnota
            << 932 << QList<int>{884};
        QTest::newRow("GSM, a byte above 127")
            << QByteArray() << QByteArray("Jos\xE9") << ignoto << QStringList{"896"}
            << chiamataIgnota << 932 << saltata;
        QTest::newRow("GSM, UTF-8 bytes") << QByteArray() << QByteArray("Jos\xC3\xA9") << ignoto
                                          << QStringList{"896"} << chiamataIgnota << 932 << saltata;
        QTest::newRow("UCS2, names unquoted")
            << QByteArray("charset = UCS2\nentry_line = {position},\"{number}\",{type},{name}")
            << QByteArray() << letti << QStringList() << chiamata << 0 << QList<int>();
        QTest::newRow("an empty field before the number")
            << QByteArray("entry_line = {position},,\"{number}\",{type},\"{name}\"") << QByteArray()
            << letti << QStringList() << chiamata << 0 << QList<int>();
        QTest::newRow("lines not read")
            << QByteArray("entry_line = {position},{number},{type},\"{name}\"") << QByteArray()
            << QStringList() << QStringList{"930|SIM: 2", "931"}
            << QStringList{"930|Calls received: 1"} << -1 << QList<int>();
    }

    void nomeNonLettoRestaSulTelefono()
    {
        QFETCH(QByteArray, modem);
        QFETCH(QByteArray, codici);
        QFETCH(QStringList, vista);
        QFETCH(QStringList, lettura);
        QFETCH(QStringList, chiamate);
        QFETCH(int, modifica);
        QFETCH(QList<int>, invio);
        const QString predefinito = Rubrica::FileRubricaPredefinito();
        QVERIFY(ScriviFileIntero(predefinito, "the old file"));
        accendi("[modem]\n" + modem
                + "\n[phonebook SM]\ntotal = 20\n1 | 0612345 | Anna\n"
                  "19 | 030450566735 | Ufficio Milano\n[phonebook RC]\n1 | 030450566735 |\n");
        if (!codici.isEmpty())
            telefono->changeState(
                [&codici](s25sim::PhoneState& s) { s.phonebooks["SM"].entries[19].name = codici; });
        const std::map<int, s25sim::PhonebookEntry> prima
            = telefono->state().phonebooks.at("SM").entries;
        const bool altroSet = modem.contains("charset");
        if (altroSet)
            telefono->failCommandsMatching(QRegularExpression("^AT\\+CSCS="));
        connetti(Controllo::SoloAttesa, altroSet ? HandshakeSenzaGSM : Handshake);
        risposte->boxes.clear();

        const auto avvisi = [](const QStringList& avvisi) {
            QStringList testi;
            for (const QString& avviso : avvisi)
                testi << QStringList{Msg(avviso.section('|', 0, 0).toInt()), avviso.section('|', 1)}
                             .join("\r\n")
                             .trimmed();
            return testi;
        };
        clic("RUB_SIM");
        QCOMPARE(righe(), vista.replaceInStrings("?", Msg(333)));
        QCOMPARE(testiBox(), avvisi(lettura));
        QCOMPARE(Contenuto(predefinito),
                 lettura.isEmpty() ? BytesFileRubrica() : QByteArray("the old file"));
        risposte->boxes.clear();
        clic("LIST_RC");
        const qsizetype mostrate = chiamate.indexOf(QRegularExpression("\\d+\\|.*"));
        QCOMPARE(righe(), chiamate.mid(0, mostrate).replaceInStrings("?", Msg(333)));
        QCOMPARE(testiBox(), avvisi(chiamate.mid(mostrate < 0 ? chiamate.size() : mostrate)));

        // Modify, the name field as it opens, a number corrected.
        clic("RUB_SIM");
        risposte->boxes.clear();
        telefono->clearCommandLog();
        if (modifica >= 0) {
            QVERIFY(scegli("019"));
            QCOMPARE(numeroDelMessaggio(), QStringLiteral("030450566735"));
            risposte->boxes.clear();
            QTimer::singleShot(0, finestra, [] {
                auto* dialogo = qobject_cast<frmInputVoceRub*>(FinestraDialogo(2));
                QVERIFY(dialogo);
                dialogo->txtNumero->setText("0304505667");
                dialogo->pOk->click();
                if (dialogo->isVisible())
                    dialogo->pAnnulla->click();
            });
            rubrica->EditRubrica();
            QCOMPARE(testiBox(), modifica ? QStringList{Msg(modifica)} : QStringList());
            QCOMPARE(telefono->commandLog().filter("AT+CPBW").size(), modifica ? 0 : 1);
        } else {
            // No position of a line not read is offered for a new entry.
            QString proposta;
            QTimer::singleShot(0, finestra, [&proposta] {
                auto* dialogo = qobject_cast<frmInputVoceRub*>(FinestraDialogo(2));
                QVERIFY(dialogo);
                proposta = dialogo->txtMem->text();
                dialogo->pAnnulla->click();
            });
            rubrica->AddRubrica();
            QCOMPARE(proposta, QStringLiteral("2"));
        }

        // Put Phonebook, what it asks answered Yes.
        risposte->boxes.clear();
        risposte->pulsantiDaPremere.enqueue(QMessageBox::Yes);
        rubrica->InviaRubrica();
        QStringList messaggi = testiBox();
        for (QString& messaggio : messaggi)
            messaggio = messaggio.section("\r\n", 0, 0);
        QStringList testiInvio;
        for (const int voce : invio)
            testiInvio << Msg(voce);
        QCOMPARE(messaggi, testiInvio);
        if (!invio.isEmpty() && invio.first() == 890)
            QVERIFY(
                testiBox().first().contains("SIM 19 " + Msg(VoceSconosciuto) + ": " + Msg(895)));

        // The phone keeps its names; only a number corrected with the name read changed.
        std::map<int, s25sim::PhonebookEntry> dopo = telefono->state().phonebooks.at("SM").entries;
        if (modifica == 0) {
            QCOMPARE(dopo.at(19).number, QByteArray("0304505667"));
            dopo.at(19).number = prima.at(19).number;
        }
        QCOMPARE(dopo.size(), prima.size());
        for (const auto& [posizione, voce] : prima) {
            QCOMPARE(dopo.at(posizione).name, voce.name);
            QCOMPARE(dopo.at(posizione).number, voce.number);
        }
        if (!lettura.isEmpty())
            QCOMPARE(Contenuto(predefinito), QByteArray("the old file"));

        // A phonebook file opened in the table's place lacks nothing: it may be saved.
        const QString file = QDir::temp().filePath("quorna-al-posto-della-lettura.rub");
        QVERIFY(ScriviFileIntero(file, BytesFileRubrica()));
        risposte->fileDaScegliere.enqueue(file);
        rubrica->ApriRubrica();
        QFile::remove(file);
        QCOMPARE(MotivoNessunFile(), 0);
    }

    // Of two entries named alike, each command acts on the row's own; a row that names no entry
    // gives none.
    void nomiUgualiERigaNonDisponibile()
    {
        avvia();
        clic("RUB_SIM");
        QVERIFY(scegli("009"));
        QCOMPARE(numeroDelMessaggio(), QStringLiteral("0699"));
        telefono->clearCommandLog();
        risposte->pulsantiDaPremere.enqueue(QMessageBox::Yes);
        rubrica->DelRubrica();
        QCOMPARE(telefono->commandLog(), (QStringList{"AT+CPBS=SM", "AT+CPBW=9"}));
        QCOMPARE(nomeSulTelefono("SM", 3), QStringLiteral("Anna"));
        QCOMPARE(risposte->boxes.last().testo, QStringLiteral("Delete: [Anna] from phonebook?"));

        // In the red list the phone's Bob is its own entry, not the SIM's.
        clic("RUB_ROS");
        telefono->clearCommandLog();
        QVERIFY(scegli("007", Msg(336)));
        QString mostrato;
        CompilaVoce(finestra, "Roberto", "0333", true, &mostrato);
        rubrica->EditRubrica();
        QCOMPARE(mostrato, QStringLiteral("Bob"));
        QCOMPARE(telefono->commandLog(),
                 (QStringList{"AT+CPBS=ME", "AT+CPBW=7,\"0333\",129,\"Roberto!\""}));
        QCOMPARE(nomeSulTelefono("SM", 7), QStringLiteral("Bob!"));

        // Adding from the red list writes a marked entry to the SIM.
        telefono->clearCommandLog();
        CompilaVoce(finestra, "Anna", "0612");
        rubrica->AddRubrica();
        QCOMPARE(telefono->commandLog(),
                 (QStringList{"AT+CPBS=SM", "AT+CPBW=1,\"0612\",129,\"Anna!\""}));
        QCOMPARE(righe().size(), 3);

        // Offline, an unread view shows one row that names no entry: it lights no button, and the
        // commands do nothing.
        collegamento->Connetti();
        QTRY_VERIFY_WITH_TIMEOUT(!Connesso, Pazienza);
        Telefono.RubLetta.fill(false);
        clic("RUB_SIM");
        QCOMPARE(righe(), QStringList{Msg(82)});
        telefono->clearCommandLog();
        finestra->List1->setCurrentItem(finestra->List1->topLevelItem(0));
        finestra->List1_Click();
        QVERIFY(!finestra->Pulsante("pModifica")->isEnabled());
        rubrica->EditRubrica();
        rubrica->DelRubrica();
        QVERIFY(telefono->commandLog().isEmpty());
        QCOMPARE(DialogoAperto, uint8_t(0));
        QCOMPARE(numeroDelMessaggio(), QString());
    }

    void memoriaMaiLettaEPiena()
    {
        finestra->S25Tree->setCurrentItem(nodo("RUB_TEL"));
        rubrica->AddRubrica();
        QCOMPARE(risposte->boxes.size(), 1);
        QCOMPARE(risposte->boxes[0].testo, Msg(102));
        QCOMPARE(risposte->boxes[0].icona, QMessageBox::Critical);
        QVERIFY(!FinestraDialogo(2));
        QVERIFY(finestra->isEnabled());
    }

    void linkCadutoDuranteLaLettura()
    {
        avvia();
        clic("RUB_SIM");
        const QByteArray prima = Contenuto(Rubrica::FileRubricaPredefinito());
        QVERIFY(!prima.isEmpty());
        telefono->clearCommandLog();
        Telefono.RubLetta.fill(false);
        // The list of the SIM's entries breaks off after a few bytes.
        S25Simulator* sim = telefono.get();
        telefono->setCommandObserver([sim](const QString& comando) {
            if (comando == QLatin1String("AT+CPBR=?"))
                sim->hangUpDuringNextReply(25);
        });
        clic("RUB_SIM");
        QTRY_VERIFY_WITH_TIMEOUT(!Connesso, Pazienza);
        QCOMPARE(telefono->commandLog(), LetturaMemoria("SM", 20));
        QCOMPARE(Contenuto(Rubrica::FileRubricaPredefinito()), prima);
        QVERIFY(!Telefono.RubLetta[0]);
        QCOMPARE(Telefono.Rubrica[0][3].Nome, QStringLiteral("Anna"));
        QCOMPARE(Telefono.RubTotale[0], int16_t(20));

        // Saving offline with unread memories fails and marks nothing read.
        const int boxPrima = static_cast<int>(risposte->boxes.size());
        const QString percorso = QDir::temp().filePath("quorna-offline.rub");
        QFile::remove(percorso);
        risposte->fileDaScegliere.enqueue(percorso);
        rubrica->SalvaRubrica();
        QCOMPARE(risposte->boxes.size(), boxPrima + 1);
        QCOMPARE(risposte->boxes.last().testo, Msg(257) + percorso);
        QVERIFY(!QFile::exists(percorso));
        QVERIFY(!Telefono.RubLetta[0]);
    }

    void inviaRubricaCaricata()
    {
        avvia();
        // A phonebook made elsewhere: longer than the SIM takes, awkward characters.
        Telefono.RubTotale = {20, 0, 300, 0};
        Telefono.Rubrica[0][1] = {"1", "Lunghissimo nome oltre", "+391234567890123456789", false};
        Telefono.Rubrica[0][2] = {"2", "q\"b\\c!", "0612", true};
        Telefono.Rubrica[2][4] = {"4", QStringLiteral("Nicolò, Rossi"), "0555", false};
        Telefono.SMSC = "+39";
        const QString percorso = QDir::temp().filePath("quorna-invio.RUB");
        QVERIFY(ScriviFileIntero(percorso, BytesFileRubrica()));
        Telefono = DatiTelefono{};
        risposte->fileDaScegliere.enqueue(percorso);
        rubrica->ApriRubrica();
        QCOMPARE(risposte->boxes.last().testo, Msg(263) + "\r\n" + Msg(264));
        QVERIFY(finestra->Toolbar1[7]->isEnabled());
        telefono->clearCommandLog();

        rubrica->InviaRubrica();
        QCOMPARE(telefono->commandLog(),
                 (QStringList{"AT+CPBS=SM", "AT+CPBR=?",
                              "AT+CPBW=1,\"+39123456789012345678\",145,\"Lunghissimo no\"",
                              "AT+CPBW=2,\"0612\",129,\"q\\22b\\1B/c!\"", "AT+CPBS=ME", "AT+CPBR=?",
                              "AT+CPBW=4,\"0555\",129,\"Nicol\\08, Rossi\""}));
        QCOMPARE(nomeSulTelefono("SM", 2), QStringLiteral("q\"b\\c!"));
        QCOMPARE(nomeSulTelefono("ME", 4), QStringLiteral("Nicolò, Rossi"));
        QCOMPARE(nomeSulTelefono("SM", 3), QStringLiteral("Anna")); // left as it was
        QCOMPARE(risposte->boxes.size(), 1);
        QFile::remove(percorso);
    }

    // A loaded phonebook of 19 SIM entries, one of which the phone does not take: its name has
    // letters the phone's set lacks, which the user is told before anything is written, or the
    // phone refuses it. The others are written, the user is told which entry was not and why,
    // and the SIM's next view reads the phone, so that it shows what the phone holds. When the
    // line drops in the middle, the user is told which entries were written and which not; the
    // SIM is then not shown offline as the table holds it, and is read at its next view after a
    // reconnection, even with the default file loaded at start-up.
    void inviaRubricaConUnaVoceNonScritta_data()
    {
        QTest::addColumn<QString>("nome"); // of position 5
        QTest::addColumn<bool>("rifiutata");
        QTest::addColumn<int>("risposta"); // to the question, when there is one
        QTest::addColumn<int>("caduta");   // the position whose write the line drops at, or 0
        const QString accenti = QStringLiteral("Test ÀàÈèÉéÌìÒòÙù");
        QTest::newRow("refused by the phone") << "Voce 5" << true << 0 << 0;
        QTest::newRow("letters the phone cannot store, the others written")
            << accenti << false << int(QMessageBox::Yes) << 0;
        QTest::newRow("letters the phone cannot store, none written")
            << accenti << false << int(QMessageBox::No) << 0;
        QTest::newRow("line dropped in the middle of the SIM")
            << accenti << false << int(QMessageBox::Yes) << 10;
    }

    void inviaRubricaConUnaVoceNonScritta()
    {
        QFETCH(QString, nome);
        QFETCH(bool, rifiutata);
        QFETCH(int, risposta);
        QFETCH(int, caduta);
        QByteArray seme = Seme;
        seme.replace("name_length = 14", "name_length = 20");
        avvia(seme);
        Telefono.RubTotale = {20, 0, 0, 0};
        for (int p = 1; p <= 19; ++p)
            Telefono.Rubrica[0][static_cast<size_t>(p)]
                = {QString::number(p), p == 5 ? nome : QStringLiteral("Voce %1").arg(p),
                   QStringLiteral("06%1").arg(p)};
        const QString percorso = QDir::temp().filePath("quorna-una-non-scritta.rub");
        QVERIFY(ScriviFileIntero(percorso, BytesFileRubrica()));
        Telefono = DatiTelefono{};
        risposte->fileDaScegliere.enqueue(percorso);
        rubrica->ApriRubrica();
        QFile::remove(percorso);
        risposte->boxes.clear();
        telefono->clearCommandLog();
        if (rifiutata)
            telefono->failCommandsMatching(QRegularExpression("^AT\\+CPBW=5,"));
        if (risposta)
            risposte->pulsantiDaPremere.enqueue(QMessageBox::StandardButton(risposta));
        if (caduta) {
            // The phone takes that write, and the line drops before its answer.
            S25Simulator* sim = telefono.get();
            const QString scrittura = QStringLiteral("AT+CPBW=%1,").arg(caduta - 1);
            telefono->setCommandObserver([sim, scrittura](const QString& comando) {
                if (comando.startsWith(scrittura))
                    sim->hangUpDuringNextReply(0);
            });
        }

        rubrica->InviaRubrica();
        // The entry named as the file holds it, cut to 16 characters.
        const QString riga
            = "SIM 5 " + nome.left(16) + ": "
              + (rifiutata ? QStringLiteral("ERROR") : Msg(894) + QStringLiteral("À È Ì Ò Ù"));
        QStringList attesi;
        if (risposta)
            attesi << Msg(890) + "\r\n" + riga + "\r\n" + Msg(891);
        if (caduta) {
            QStringList scritte{Msg(945)};
            QStringList nonScritte{Msg(892), riga};
            for (int p = 1; p <= 19; ++p) {
                const QString voce = QStringLiteral("SIM %1 Voce %1").arg(p);
                if (p < caduta && p != 5)
                    scritte << voce;
                else if (p > caduta)
                    nonScritte << voce + ": " + Msg(946);
            }
            const QString senzaRisposta
                = Msg(947) + QStringLiteral("\r\nSIM %1 Voce %1").arg(caduta);
            attesi << Msg(27) + ": " + Msg(841) + "\r\n" + Msg(79);
            attesi << QStringList{Msg(267), scritte.join("\r\n"), nonScritte.join("\r\n"),
                                  senzaRisposta}
                          .join("\r\n");
            QCOMPARE(testiBox(), attesi);
            // Offline, the SIM is not shown as the table holds it.
            clic("RUB_SIM");
            QCOMPARE(righe(), QStringList{Msg(82)});
            Opzioni.AutoLoadRub = 1;
            avvia(seme);
            telefono->clearCommandLog();
            clic("RUB_SIM");
            QCOMPARE(telefono->commandLog().mid(0, 4), LetturaMemoria("SM", 20));
            return;
        }
        if (risposta != QMessageBox::No)
            attesi << Msg(892) + "\r\n" + riga + "\r\n" + Msg(893);
        QCOMPARE(testiBox(), attesi);
        if (risposta == QMessageBox::No) {
            QVERIFY(telefono->commandLog().filter("AT+CPBW").isEmpty());
            QVERIFY(Telefono.RubLetta[0]);
            return;
        }
        for (int p = 1; p <= 19; ++p)
            QCOMPARE(nomeSulTelefono("SM", p),
                     p == 5 ? QStringLiteral("Nicolò") : QStringLiteral("Voce %1").arg(p));
        QVERIFY(!Telefono.RubLetta[0]);
        telefono->clearCommandLog();
        clic("RUB_SIM");
        QCOMPARE(telefono->commandLog().mid(0, 4), LetturaMemoria("SM", 20));
        QVERIFY(righe().contains(QStringLiteral("Nicolò|+39333123|005")));
    }

    // An international number with as many digits as the memory takes: read with its "+" and
    // written back whole, the "+" no digit of it.
    void numeroInternazionaleLungoTornaIntero()
    {
        QByteArray seme = Seme;
        seme.replace("9 | 0699 | Anna", "9 | +12345678901234567890 | Lungo");
        avvia(seme);
        clic("RUB_SIM");
        QCOMPARE(Telefono.Rubrica[0][9].Numero, QStringLiteral("+12345678901234567890"));
        telefono->clearCommandLog();
        rubrica->InviaRubrica();
        QVERIFY(risposte->boxes.isEmpty());
        const s25sim::PhonebookEntry scritta = telefono->state().phonebooks.at("SM").entries.at(9);
        QCOMPARE(scritta.number, QByteArray("+12345678901234567890"));
        QCOMPARE(scritta.type, 145);
        QVERIFY(telefono->commandLog().contains(
            QStringLiteral("AT+CPBW=9,\"+12345678901234567890\",145,\"Lungo\"")));

        // The entry dialog shows it whole, so renaming the entry keeps the number.
        QVERIFY(scegli("009"));
        QString mostrato;
        QTimer::singleShot(0, finestra, [&mostrato] {
            auto* dialogo = qobject_cast<frmInputVoceRub*>(FinestraDialogo(2));
            QVERIFY(dialogo);
            mostrato = dialogo->txtNumero->text();
            dialogo->txtNome->setText("Rinominato");
            dialogo->pOk->click();
        });
        rubrica->EditRubrica();
        QCOMPARE(mostrato, QStringLiteral("+12345678901234567890"));
        QCOMPARE(telefono->state().phonebooks.at("SM").entries.at(9).number,
                 QByteArray("+12345678901234567890"));

        // The room left for a "+" takes no digit more than the memory does.
        QVERIFY(scegli("009"));
        risposte->boxes.clear();
        telefono->clearCommandLog();
        QTimer::singleShot(0, finestra, [] {
            auto* dialogo = qobject_cast<frmInputVoceRub*>(FinestraDialogo(2));
            QVERIFY(dialogo);
            dialogo->txtNumero->setText("123456789012345678901");
            dialogo->pOk->click();
            QVERIFY(dialogo->isVisible());
            dialogo->pAnnulla->click();
        });
        rubrica->EditRubrica();
        QCOMPARE(risposte->boxes.size(), 1);
        QCOMPARE(risposte->boxes[0].testo, Msg(387));
        QVERIFY(telefono->commandLog().isEmpty());
    }

    // A red name longer than its memory takes is cut before its mark, so it stays red on the
    // phone.
    void nomeRossoTagliatoTieneIlSegno()
    {
        avvia();
        clic("RUB_SIM");
        Telefono.Rubrica[0][4] = {"4", "Rossana Bianchi!", "0612", true};
        Telefono.Rubrica[2][2] = {"2", "Bartolomeo Rossi Junior!", "0613", true};
        telefono->clearCommandLog();
        rubrica->InviaRubrica();
        QVERIFY(risposte->boxes.isEmpty());
        QCOMPARE(nomeSulTelefono("SM", 4), QStringLiteral("Rossana Bianc!"));
        QCOMPARE(nomeSulTelefono("ME", 2), QStringLiteral("Bartolomeo Ross!"));
        // The table holds what the phone got.
        QCOMPARE(Telefono.Rubrica[0][4].Nome, QStringLiteral("Rossana Bianc!"));
        Telefono.RubLetta.fill(false);
        clic("RUB_ROS");
        QVERIFY(righe().contains("Rossana Bianc!|0612|SIM|004"));
        QVERIFY(righe().contains("Bartolomeo Ross!|0613|Phone|002"));
    }

    // The format follows the name's suffix in any letter case; offline, a read phonebook saves.
    // A table holding a name the phone gave that could not be read saves no file, and says why.
    // Letters the file cannot hold are named first, with their entries, and the user says
    // whether to save with "?" in their place; if not, nothing is written.
    void salvaNelFormatoDelNome_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<bool>("rubrica");
        QTest::addColumn<bool>("ignoto");
        QTest::addColumn<QString>("voce");    // the name of the one entry
        QTest::addColumn<QString>("perdute"); // the letters the file lacks of it
        QTest::addColumn<int>("risposta");    // to the question they raise
        const QString anna = QStringLiteral("Anna");
        const QString zoe = QStringLiteral("Zoë Łukasz €");
        const QString greco = QStringLiteral("ΔΦ Ωmega");
        QTest::newRow("lower") << "a.rub" << true << false << anna << QString() << 0;
        QTest::newRow("upper") << "B.RUB" << true << false << anna << QString() << 0;
        QTest::newRow("mixed") << "c.Rub" << true << false << anna << QString() << 0;
        QTest::newRow("text") << "d.txt" << false << false << anna << QString() << 0;
        QTest::newRow("no suffix") << "e" << false << false << anna << QString() << 0;
        QTest::newRow("a name not read") << "f.rub" << true << true << anna << QString() << 0;
        QTest::newRow("a name not read, text")
            << "g.txt" << false << true << anna << QString() << 0;
        QTest::newRow("letters the file lacks, saved")
            << "h.rub" << true << false << zoe << QStringLiteral("Ł") << int(QMessageBox::Yes);
        QTest::newRow("letters the file lacks, not saved")
            << "i.rub" << true << false << zoe << QStringLiteral("Ł") << int(QMessageBox::No);
        QTest::newRow("letters the text lacks, not saved")
            << "j.txt" << false << false << greco << QStringLiteral("Δ Φ Ω")
            << int(QMessageBox::No);
    }

    void salvaNelFormatoDelNome()
    {
        QFETCH(QString, nome);
        QFETCH(bool, rubrica);
        QFETCH(bool, ignoto);
        QFETCH(QString, voce);
        QFETCH(QString, perdute);
        QFETCH(int, risposta);
        Telefono.RubLetta.fill(true);
        Telefono.RubTotale[0] = 1;
        Telefono.Rubrica[0][1] = {"1", ignoto ? "" : voce, "0612", false, ignoto};
        const QString percorso = QDir::temp().filePath(QStringLiteral("quorna-%1").arg(nome));
        QVERIFY(ScriviFileIntero(percorso, "old"));
        risposte->fileDaScegliere.enqueue(percorso);
        if (risposta)
            risposte->pulsantiDaPremere.enqueue(QMessageBox::StandardButton(risposta));
        this->rubrica->SalvaRubrica();
        QStringList attesi;
        if (!perdute.isEmpty())
            attesi << Msg(940) + "\r\nSIM 1 " + voce + ": " + perdute + "\r\n" + Msg(941);
        if (ignoto || risposta == QMessageBox::No) {
            QCOMPARE(Contenuto(percorso), QByteArray("old"));
            if (ignoto)
                attesi << Msg(rubrica ? 257 : 259) + percorso + "\r\n" + Msg(896);
            QCOMPARE(testiBox(), attesi);
            QFile::remove(percorso);
            return;
        }
        QCOMPARE(Contenuto(percorso), rubrica ? BytesFileRubrica() : BytesFileRubricaTxt());
        if (!perdute.isEmpty())
            QVERIFY(Contenuto(percorso).contains("Zo\xEB ?ukasz \x80"));
        QCOMPARE(testiBox(), attesi << Msg(rubrica ? 256 : 258) + percorso);
        QFile::remove(percorso);
    }

    void fileCaricatoAllAvvio()
    {
        Telefono.RubTotale[2] = 2;
        Telefono.Rubrica[2][2] = {"2", "Avvio", "0612", false};
        QVERIFY(ScriviFileIntero(Rubrica::FileRubricaPredefinito(), BytesFileRubrica()));
        Telefono = DatiTelefono{};
        Opzioni.AutoLoadRub = 1;
        frmMain altra;
        altra.rubrica = std::make_unique<Rubrica>(altra);
        altra.Form_Load();
        QVERIFY(Telefono.RubLetta[4]);
        QCOMPARE(Telefono.Rubrica[2][2].Nome, QStringLiteral("Avvio"));
        QVERIFY(altra.mnuRubVis->isEnabled());
    }

    void listeChiamate()
    {
        avvia();
        clic("RUB_SIM");
        telefono->clearCommandLog();
        clic("LIST_RC");
        QCOMPARE(telefono->commandLog(),
                 (QStringList{"AT+CPBS=RC", "AT+CPBR=1,10", "AT+CPBS=MC", "AT+CPBR=1,10",
                              "AT+CPBS=LD", "AT+CPBR=1,10"}));
        QCOMPARE(righe(), (QStringList{"Anna|+39612345", "Fornaio|0777", Msg(284) + "|0888"}));
        QCOMPARE(finestra->SBar[3]->text(), QStringLiteral("3") + Msg(285));
        telefono->clearCommandLog();
        clic("LIST_MC");
        QVERIFY(telefono->commandLog().isEmpty());
        QVERIFY(righe().isEmpty());
        QCOMPARE(finestra->SBar[3]->text(), QStringLiteral("0") + Msg(285));
        clic("LIST_LD");
        QCOMPARE(righe(), QStringList{"Anna|0612345"});
        clic("LIST");
        QCOMPARE(righe(), (QStringList{Msg(49), Msg(50), Msg(51)}));
    }
};

QTEST_MAIN(TstRubricaTelefono)
#include "tst_rubrica_telefono.moc"
