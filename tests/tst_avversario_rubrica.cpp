// The phonebook against a hostile phone and hostile files: garbled entry lines and counts, the
// link dropping at every command of a reading or a write-back, files cut at every byte. Nothing
// may crash, and what could not be read never replaces what the table or the file held.

#include "attesa.h"
#include "bancorubrica.h"
#include "catalogo.h"
#include "collegamento.h"
#include "filerubrica.h"
#include "frmmain.h"
#include "globali.h"
#include "listareport.h"
#include "rubrica.h"
#include "s25simulator.h"
#include "scambiorubrica.h"
#include "seedfile.h"
#include "statobase.h"
#include "tabella.h"
#include "tempi.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>

using s25sim::S25Simulator;

namespace {

const QByteArray Seme = R"(
[phonebook SM]
total = 10
number_length = 20
name_length = 14
1 | 0612 | Anna
3 | +39333 | Bob!
[phonebook FD]
total = 3
1 | 112 | Emergenza
[phonebook ME]
total = 5
2 | 0333 | Carlo
[phonebook ON]
total = 2
[phonebook RC]
1 | 0612 |
2 | 0777 | Fornaio
[phonebook LD]
1 | 0999 | X
)";

// The reading of the four memories, then the message centre the automatic save asks for.
const QStringList LetturaCompleta{
    "AT+CPBS=SM", "AT+CPBS?",    "AT+CPBR=?",  "AT+CPBR=1,10", "AT+CPBS=FD", "AT+CPBS?",
    "AT+CPBR=?",  "AT+CPBR=1,3", "AT+CPBS=ME", "AT+CPBS?",     "AT+CPBR=?",  "AT+CPBR=1,5",
    "AT+CPBS=ON", "AT+CPBS?",    "AT+CPBR=?",  "AT+CPBR=1,2",  "AT+CSCA?"};
const QStringList LetturaListe{"AT+CPBS=RC",   "AT+CPBR=1,10", "AT+CPBS=MC",
                               "AT+CPBR=1,10", "AT+CPBS=LD",   "AT+CPBR=1,10"};
constexpr int ComandiScritturaSM = 4; // select, limits, two entries
constexpr int ComandiScrittura = ComandiScritturaSM + 3;

// A memory as text: its flag, counts and every position that holds anything.
QStringList Memoria(int m)
{
    const auto mm = static_cast<size_t>(m);
    QStringList testo{QStringLiteral("read %1 used %2 total %3")
                          .arg(Telefono.RubLetta[mm])
                          .arg(Telefono.RubUsate[mm])
                          .arg(Telefono.RubTotale[mm])};
    for (int p = 1; p <= MaxPosizioniRubrica; ++p) {
        const VoceRubrica& v = Telefono.Rubrica[mm][static_cast<size_t>(p)];
        if (!v.Posizione.isEmpty() || !v.Nome.isEmpty() || !v.Numero.isEmpty() || v.Rossa)
            testo << QStringLiteral("%1:%2|%3|%4|%5")
                         .arg(p)
                         .arg(v.Posizione, v.Nome, v.Numero)
                         .arg(v.Rossa);
    }
    return testo;
}

QStringList Lista(int l)
{
    const auto ll = static_cast<size_t>(l);
    QStringList testo{QStringLiteral("read %1").arg(Telefono.ListeLette[ll])};
    for (const VoceChiamata& v : Telefono.Chiamate[ll])
        testo << v.Nome + QLatin1Char('|') + v.Numero;
    return testo;
}

// A table that no phone of these tests holds, so that what was kept is plain to see.
void TabellaSentinella()
{
    for (size_t m = 0; m < NumMemorie; ++m) {
        SvuotaRubrica(static_cast<int>(m));
        Telefono.RubTotale[m] = 4;
        Telefono.RubUsate[m] = 1;
        Telefono.Rubrica[m][4] = {"4", QStringLiteral("Sentinella %1").arg(m), "444", false};
    }
    for (auto& lista : Telefono.Chiamate)
        lista[1] = {"Vecchia", "111"};
    Telefono.RubLetta.fill(false);
    Telefono.ListeLette.fill(false);
    Telefono.SMSC = QStringLiteral("+39000");
    Telefono.SMSCLetto = false;
}

} // namespace

class TstAvversarioRubrica : public QObject, private BancoRubrica {
    Q_OBJECT

    QTemporaryDir cartella;

    // The reply to command number `indice` (0 the first from now on) is cut after a few bytes
    // and the line drops. A reply is queued before the observer hears of its command, so the
    // cut is armed by the command before.
    void riagganciaAlComando(int indice)
    {
        S25Simulator* sim = telefono.get();
        if (indice == 0) {
            sim->hangUpDuringNextReply(3);
            return;
        }
        auto visti = std::make_shared<int>(0);
        telefono->setCommandObserver([sim, visti, indice](const QString&) {
            if (++*visti == indice)
                sim->hangUpDuringNextReply(3);
        });
    }

    // A click on a node that must be there: a key that names none fails the test.
    void clic(const QString& chiave)
    {
        QTreeWidgetItem* voce = nodo(chiave);
        if (!voce)
            QFAIL(qPrintable(chiave));
        finestra->S25Tree->setCurrentItem(voce);
        finestra->S25Tree_NodeClick(voce);
    }

    QStringList posizioniMostrate() const
    {
        QStringList mostrate;
        for (int i = 0; i < finestra->List1->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* riga = finestra->List1->topLevelItem(i);
            mostrate << riga->text(riga->columnCount() - 1);
        }
        mostrate.sort();
        return mostrate;
    }

    void attendiLinkCaduto()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!collegamento->PortOpen() && !Connesso, Pazienza);
        QTRY_VERIFY_WITH_TIMEOUT(LineaLibera && !FinestraAttesa(), Pazienza);
        QVERIFY(finestra->isEnabled());
    }

public:
    TstAvversarioRubrica() : BancoRubrica(Seme) {}

private slots:
    void initTestCase()
    {
        QVERIFY(CatalogoMessaggi::Carica());
        QVERIFY(cartella.isValid());
    }

    void init() { apriRubrica(Salvataggio::DopoLaLettura); }

    void cleanup() { chiudi(); }

    void righeVoceOstili_data()
    {
        QTest::addColumn<QString>("riga");
        QTest::addColumn<int>("posizione");
        QTest::newRow("whole") << "4,\"0612\",129,\"Anna\"" << 4;
        QTest::newRow("no name") << "4,\"0612\",129" << 4;
        QTest::newRow("name without its closing quote") << "4,\"0612\",129,\"Anna" << 4;
        QTest::newRow("number without its closing quote") << "4,\"0612,129,Anna" << 0;
        QTest::newRow("position only") << "4" << 0;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("position 0") << "0,\"0612\",129,\"Zero\"" << 0;
        QTest::newRow("negative position") << "-4,\"0612\",129,\"Meno\"" << 0;
        QTest::newRow("huge position") << "99999999999999,\"1\",129,\"X\"" << 0;
        QTest::newRow("past the table") << "251,\"1\",129,\"X\"" << 0;
        QTest::newRow("every byte") << "5,\"" + QString::fromLatin1(TuttiIByte()) + "\",129,\""
                                           + QString::fromLatin1(TuttiIByte()) + "\""
                                    << 5;
        QTest::newRow("garbage") << QString(100000, QLatin1Char('"')) << 0;
        QTest::newRow("long garbage entry") << "6,\"" + QString(100000, QLatin1Char('9'))
                                                   + "\",129,\"" + QString(100000, 'A') + "\""
                                            << 6;
    }

    // An entry line lands at its own position or nowhere.
    void righeVoceOstili()
    {
        QFETCH(QString, riga);
        QFETCH(int, posizione);
        PosizioniMemoria memoria{};
        DecodificaVoceRubrica(riga, memoria);
        PosizioniLista lista{};
        DecodificaVoceChiamata(riga, lista);
        for (int p = 0; p <= MaxPosizioniRubrica; ++p)
            QCOMPARE(memoria[static_cast<size_t>(p)].Posizione.isEmpty(), p == 0 || p != posizione);
    }

    void contiOstili_data()
    {
        QTest::addColumn<QString>("corpo");
        QTest::addColumn<int>("usate");
        QTest::addColumn<int>("totale");
        QTest::newRow("plain") << "+CPBS: \"SM\",3,250" << 3 << 250;
        QTest::newRow("total 0") << "+CPBS: \"SM\",0,0" << 0 << 0;
        QTest::newRow("total 251") << "+CPBS: \"SM\",1,251" << 1 << 251;
        QTest::newRow("total beyond 16 bits") << "+CPBS: \"SM\",1,65536" << 1 << 32767;
        QTest::newRow("huge") << "+CPBS: \"SM\",99999999999999,99999999999999" << 0 << 32767;
        // No total that can be read: -1.
        QTest::newRow("letters") << "+CPBS: \"SM\",a,b" << 0 << -1;
        QTest::newRow("too short") << "+CPBS:" << 0 << -1;
        QTest::newRow("error") << RispostaErrore << 0 << -1;
    }

    void contiOstili()
    {
        QFETCH(QString, corpo);
        QFETCH(int, usate);
        QFETCH(int, totale);
        const StatoMemoria stato = LeggiStatoMemoria(corpo);
        QCOMPARE(stato.usate, usate);
        QCOMPARE(stato.totaleLetto, totale >= 0);
        QCOMPARE(stato.totale, std::max(totale, 0));
        const Lunghezze lunghezze = LeggiLunghezze(QStringLiteral("+CPBR: (1-250),x,") + corpo);
        QCOMPARE(lunghezze.numero, 0);
    }

    // A phone whose phonebook replies are hostile in every way: the view lists only the
    // positions the table can hold; the lines that cannot be read are told, and keep the default
    // file from being replaced. Without them, the file saved loads back the same.
    void letturaOstile_data()
    {
        QTest::addColumn<QByteArray>("totale");
        QTest::addColumn<QStringList>("posizioni");
        const QStringList tutte{"001", "007", "012", "200"};
        QTest::newRow("total 0") << QByteArray("0") << QStringList();
        QTest::newRow("total 10") << QByteArray("10") << QStringList{"001", "007"};
        QTest::newRow("total 251") << QByteArray("251") << tutte;
        // More positions than the table holds: the first 250 are read.
        QTest::newRow("total 40000") << QByteArray("40000") << tutte;
        QTest::newRow("total beyond 16 bits") << QByteArray("65536") << tutte;
    }

    void letturaOstile()
    {
        QFETCH(QByteArray, totale);
        QFETCH(QStringList, posizioni);
        avvia();
        const QByteArray binario = TuttiIByte().replace("\r\n", "  ");
        const QList<QByteArray> leggibili{
            "+CPBR: 1,\"0612\",129,\"Anna\"", "+CPBR: 251,\"251\",129,\"Oltre\"",
            "+CPBR: 7,\"0777\",129,\"Senza fine",
            "+CPBR: 12,\"" + binario + "\",129,\"" + binario + "\"",
            "+CPBR: 200,\"" + QByteArray(300, '5') + "\",145,\"" + QByteArray(300, 'N') + "\""};
        const QList<QByteArray> illeggibili{"+CPBR: 0,\"000\",129,\"Zero\"",
                                            "+CPBR: -4,\"444\",129,\"Meno\"",
                                            "+CPBR: 99999999999,\"9\",129,\"Enorme\"",
                                            "+CPBR: 8,\"0888",
                                            "+CPBR: 9",
                                            "+CPBR: " + QByteArray(100000, 'A')};
        auto conIlleggibili = std::make_shared<bool>(true);
        auto memoria = std::make_shared<QByteArray>();
        rendiOstile([=](const QString& comando) -> QByteArray {
            const QByteArray c = comando.toLatin1();
            if (c.startsWith("AT+CPBS=")) {
                *memoria = c.mid(8);
                return "OK";
            }
            const bool sim = *memoria == "SM";
            if (c == "AT+CPBS?")
                return "+CPBS: \"" + *memoria + "\",3," + (sim ? totale : "0") + "\r\n\r\nOK";
            if (c == "AT+CPBR=?")
                return "+CPBR: (1-" + totale + "),abc,-7\r\n\r\nOK";
            if (c.startsWith("AT+CPBR=1,") && sim)
                return (leggibili + (*conIlleggibili ? illeggibili : QList<QByteArray>()))
                           .join("\r\n")
                       + "\r\n\r\nOK";
            if (c == "AT+CSCA?")
                return "+CSCA: " + binario + "\r\n\r\nOK";
            return "OK";
        });
        clic("RUB_SIM");
        QCOMPARE(testiBox(), (QStringList{Msg(930) + "\r\n" + NomiMemoria[0] + ": 6", Msg(931)}));
        QVERIFY(Telefono.RubLetta[0] && Telefono.RubLetta[3]);
        QCOMPARE(posizioniMostrate(), posizioni);
        const QString salvato = Rubrica::FileRubricaPredefinito();
        QVERIFY(!QFile::exists(salvato));

        *conIlleggibili = false;
        risposte->boxes.clear();
        Telefono.RubLetta.fill(false);
        clic("RUB_SIM");
        // The file's centre record is the one thing the garbage leaves unknown.
        QCOMPARE(testiBox(), QStringList{Msg(872) + "\r\n" + Msg(223) + ": " + Msg(873)});
        QCOMPARE(posizioniMostrate(), posizioni);

        // Whatever the phone said, the file it was saved to reads back to the same view.
        QVERIFY(QFile::exists(salvato));
        SvuotaRubrica(0);
        QVERIFY(CaricaFileRubrica(salvato));
        clic("RUB_SIM");
        QCOMPARE(posizioniMostrate(), posizioni);
    }

    // A SIM whose total cannot be read, nor its range of positions: nothing tells how many
    // positions to ask for, so the SIM is not read. What the table held stays, unread, the other
    // memories are read, nothing is saved over the default file and, as for a memory the phone
    // refuses, no message. A range of positions from 1 stands in for a missing total.
    void totaleIlleggibile_data()
    {
        QTest::addColumn<QByteArray>("stato");   // the reply to AT+CPBS? for the SIM
        QTest::addColumn<QByteArray>("formato"); // the reply to AT+CPBR=? for the SIM
        QTest::addColumn<int>("totale");         // the total read in its place, -1 for none
        QTest::newRow("garbled total") << QByteArray("+CPBS: \"SM\",3,x\r\n\r\nOK")
                                       << QByteArray("+CPBR: (1-x),20,14\r\n\r\nOK") << -1;
        QTest::newRow("negative total") << QByteArray("+CPBS: \"SM\",3,-3\r\n\r\nOK")
                                        << QByteArray("+CPBR: (1--3),20,14\r\n\r\nOK") << -1;
        QTest::newRow("no +CPBS: line")
            << QByteArray("OK") << QByteArray("+CPBR: 20,14\r\n\r\nOK") << -1;
        QTest::newRow("errors") << QByteArray("ERROR") << QByteArray("ERROR") << -1;
        QTest::newRow("no total, a range from 1")
            << QByteArray("+CPBS: \"SM\"\r\n\r\nOK") << QByteArray("+CPBR: (1-10),20,14\r\n\r\nOK")
            << 10;
    }

    void totaleIlleggibile()
    {
        QFETCH(QByteArray, stato);
        QFETCH(QByteArray, formato);
        QFETCH(int, totale);
        const QString predefinito = Rubrica::FileRubricaPredefinito();
        QVERIFY(Scrivi(predefinito, "the old file"));
        avvia();
        TabellaSentinella();
        const QStringList prima = Memoria(0);
        auto memoria = std::make_shared<QByteArray>();
        rendiOstile([=](const QString& comando) -> QByteArray {
            const QByteArray c = comando.toLatin1();
            if (c.startsWith("AT+CPBS=")) {
                *memoria = c.mid(8);
                return "OK";
            }
            const bool sim = *memoria == "SM";
            if (c == "AT+CPBS?")
                return sim ? stato : "+CPBS: \"" + *memoria + "\",0,2\r\n\r\nOK";
            if (c == "AT+CPBR=?")
                return sim ? formato : "+CPBR: (1-2),20,14\r\n\r\nOK";
            if (c.startsWith("AT+CPBR=1,") && sim)
                return "+CPBR: 1,\"0612\",129,\"Anna\"\r\n\r\nOK";
            if (c == "AT+CSCA?")
                return "+CSCA: \"+39\",145\r\n\r\nOK";
            return "OK";
        });
        clic("RUB_SIM");
        QVERIFY(risposte->boxes.isEmpty());
        QVERIFY(Telefono.RubLetta[1] && Telefono.RubLetta[2] && Telefono.RubLetta[3]);
        const QStringList letturaSIM = telefono->commandLog().mid(0, 4);
        if (totale < 0) {
            QCOMPARE(letturaSIM,
                     (QStringList{"AT+CPBS=SM", "AT+CPBS?", "AT+CPBR=?", "AT+CPBS=FD"}));
            QCOMPARE(Memoria(0), prima);
            QCOMPARE(Contenuto(predefinito), QByteArray("the old file"));
            // Asked again with the memory read before, it stays read as it was.
            Telefono.RubLetta[0] = true;
            const QStringList letta = Memoria(0);
            QCOMPARE(LeggiRubrica(0), EsitoLettura::Illeggibile);
            QCOMPARE(Memoria(0), letta);
        } else {
            QCOMPARE(letturaSIM.last(), QStringLiteral("AT+CPBR=1,%1").arg(totale));
            QVERIFY(Telefono.RubLetta[0]);
            QCOMPARE(Telefono.RubTotale[0], totale);
            QCOMPARE(posizioniMostrate(), QStringList{"001"});
            const std::optional<RubricaDaFile> salvata
                = LeggiBytesFileRubrica(Contenuto(predefinito));
            QVERIFY(salvata);
            QCOMPARE(salvata->totale[0], totale);
            QCOMPARE(salvata->voci[0][1].Nome, QStringLiteral("Anna"));
        }
    }

    // A phone that writes its replies in other forms 27.007 allows: no blank after the colon,
    // positions of one to three digits, optional fields after the name, commas and escaped
    // quotes in names, international numbers told by their type only.
    void altreFormeDelleRisposte()
    {
        avvia();
        auto memoria = std::make_shared<QByteArray>();
        rendiOstile([=](const QString& comando) -> QByteArray {
            const QByteArray c = comando.toLatin1();
            if (c.startsWith("AT+CPBS=")) {
                *memoria = c.mid(8);
                return "OK";
            }
            const bool sim = *memoria == "SM";
            if (c == "AT+CPBS?")
                return "+CPBS:\"" + *memoria + (sim ? "\",4,300" : "\",0,0") + "\r\n\r\nOK";
            if (c == "AT+CPBR=?")
                return "+CPBR:(1-300),20,14,0,0\r\n\r\nOK";
            if (c == "AT+CPBR=1,250" && sim)
                return "+CPBR:1,\"0612\",129,\"Bob\",0\r\n"
                       "+CPBR:12,\"39333\",145,\"Rossi, Anna\",0,\"Amici\"\r\n"
                       "+CPBR:123,\"0555\",129,\"Dico \\22ciao\\22\"\r\n"
                       "+CPBR:250,\"0999\",129,\"Ultimo!\",1\r\n\r\nOK";
            if (c == "AT+CPBR=1,10" && *memoria == "RC")
                return "+CPBR:1,\"39333\",145,\"\",0\r\n"
                       "+CPBR:10,\"0777\",129,\"Fornaio, pane\",0\r\n\r\nOK";
            if (c == "AT+CSCA?")
                return "+CSCA: \"+39\",145\r\n\r\nOK";
            return "OK";
        });
        clic("RUB_SIM");
        QVERIFY(risposte->boxes.isEmpty());
        QCOMPARE(righe(), (QStringList{"Bob|0612|001", "Dico \"ciao\"|0555|123",
                                       "Rossi, Anna|+39333|012", "Ultimo!|0999|250"}));
        QCOMPARE(finestra->SBar[3]->text(), QStringLiteral("4/300"));
        QCOMPARE(LimitiRubrica[0].numero, 20);
        QCOMPARE(LimitiRubrica[0].nome, 14);
        QVERIFY(Telefono.Rubrica[0][250].Rossa);

        clic("LIST_RC");
        QCOMPARE(righe(), (QStringList{"Rossi, Anna|+39333", "Fornaio, pane|0777"}));
    }

    // The link drops at each command of the reading of the four memories and of the message
    // centre the save asks for: one message, the memory being read and those after it keep their
    // entries and flags, and the default file is not written.
    void linkCadutoDuranteLaLettura_data()
    {
        QTest::addColumn<int>("indice");
        for (int i = 0; i < LetturaCompleta.size(); ++i)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(i).arg(LetturaCompleta[i]))) << i;
    }

    void linkCadutoDuranteLaLettura()
    {
        QFETCH(int, indice);
        const QString predefinito = Rubrica::FileRubricaPredefinito();
        QVERIFY(Scrivi(predefinito, "the old file"));
        avvia();
        TabellaSentinella();
        QList<QStringList> prima;
        for (int m = 0; m < NumMemorie; ++m)
            prima << Memoria(m);
        riagganciaAlComando(indice);
        clic("RUB_SIM");
        attendiLinkCaduto();
        QCOMPARE(telefono->commandLog(), LetturaCompleta.mid(0, indice + 1));
        QCOMPARE(risposte->boxes.size(), 1);
        QCOMPARE(Contenuto(predefinito), QByteArray("the old file"));
        const int interrotta = std::min(indice / 4, NumMemorie);
        for (int m = 0; m < NumMemorie; ++m) {
            if (m < interrotta)
                QVERIFY(Telefono.RubLetta[static_cast<size_t>(m)]);
            else
                QCOMPARE(Memoria(m), prima[m]);
        }
        // Offline a SIM never read shows the one "Unavailable" row, a SIM read its two entries.
        clic("RUB_SIM");
        QCOMPARE(finestra->List1->topLevelItemCount(), interrotta > 0 ? 2 : 1);
        QCOMPARE(risposte->boxes.size(), 1);
    }

    // The link drops at each command of the write-back: Put Phonebook's message, which names what
    // was written and what was not, after the link's; nothing in the table or the file changes,
    // but a memory the phone may not hold as the table does is read again at its next view.
    void linkCadutoDuranteLInvio_data()
    {
        QTest::addColumn<int>("indice");
        for (int i = 0; i < ComandiScrittura; ++i)
            QTest::newRow(qPrintable(QString::number(i))) << i;
    }

    void linkCadutoDuranteLInvio()
    {
        QFETCH(int, indice);
        avvia();
        clic("RUB_SIM");
        QVERIFY(Telefono.RubLetta[0] && Telefono.RubLetta[3]);
        const QByteArray file = Contenuto(Rubrica::FileRubricaPredefinito());
        QVERIFY(!file.isEmpty());
        QList<QStringList> prima;
        for (int m = 0; m < NumMemorie; ++m)
            prima << Memoria(m);
        telefono->clearCommandLog();
        riagganciaAlComando(indice);
        rubrica->InviaRubrica();
        attendiLinkCaduto();
        QCOMPARE(telefono->commandLog().size(), indice + 1);
        QCOMPARE(risposte->boxes.size(), 2);
        QCOMPARE(risposte->boxes[0].testo.left(Msg(27).size()), Msg(27));
        QVERIFY(risposte->boxes[1].testo.startsWith(Msg(267) + "\r\n"));
        for (int m = 0; m < NumMemorie; ++m)
            QCOMPARE(Memoria(m).mid(1), prima[m].mid(1));
        QVERIFY(!Telefono.RubLetta[0] || !Telefono.RubLetta[2]);
        QCOMPARE(Contenuto(Rubrica::FileRubricaPredefinito()), file);
    }

    // The link drops at each command of the call lists: the list being read and those after
    // it keep what they held, unread.
    void linkCadutoDuranteLeListe_data()
    {
        QTest::addColumn<int>("indice");
        for (int i = 0; i < LetturaListe.size(); ++i)
            QTest::newRow(qPrintable(LetturaListe[i] + QString::number(i))) << i;
    }

    void linkCadutoDuranteLeListe()
    {
        QFETCH(int, indice);
        avvia();
        TabellaSentinella();
        QList<QStringList> prima;
        for (int l = 0; l < NumListeChiamate; ++l)
            prima << Lista(l);
        riagganciaAlComando(indice);
        clic("LIST_RC");
        attendiLinkCaduto();
        QCOMPARE(telefono->commandLog(), LetturaListe.mid(0, indice + 1));
        QCOMPARE(risposte->boxes.size(), 1);
        const int interrotta = indice / 2;
        for (int l = 0; l < NumListeChiamate; ++l) {
            if (l < interrotta)
                QVERIFY(Telefono.ListeLette[static_cast<size_t>(l)]);
            else
                QCOMPARE(Lista(l), prima[l]);
        }
        QVERIFY(!Telefono.RubLetta[0]);
    }

    // Closing the main window while a reading waits is refused; the reading ends whole.
    void chiusuraDuranteLaLettura()
    {
        avvia();
        frmMain* f = finestra;
        telefono->setCommandObserver([f](const QString& comando) {
            if (comando == QLatin1String("AT+CPBR=1,10"))
                QMetaObject::invokeMethod(
                    f, [f] { f->close(); }, Qt::QueuedConnection);
        });
        clic("RUB_SIM");
        QVERIFY(finestra->isVisible());
        QVERIFY(Connesso && collegamento->PortOpen());
        QVERIFY(Telefono.RubLetta[0] && Telefono.RubLetta[3]);
        QCOMPARE(Telefono.Rubrica[0][1].Nome, QStringLiteral("Anna"));
    }

    // A file cut at any byte is no phonebook: the table stays as it was.
    void fileTroncatoOvunque()
    {
        TabellaSentinella();
        Telefono.Rubrica[2][3] = {"3", QStringLiteral("Rossa!"), "+39", true};
        const QByteArray intero = BytesFileRubrica();
        TabellaSentinella();
        Telefono.RubLetta = {true, false, true, false, false};
        QList<QStringList> prima;
        for (int m = 0; m < NumMemorie; ++m)
            prima << Memoria(m);
        const QString percorso = cartella.filePath("troncato.rub");
        for (qsizetype n = 0; n < intero.size(); ++n) {
            QVERIFY(Scrivi(percorso, intero.left(n)));
            QVERIFY2(!CaricaFileRubrica(percorso), qPrintable(QString::number(n)));
            for (int m = 0; m < NumMemorie; ++m)
                QCOMPARE(Memoria(m), prima[m]);
            QVERIFY(!Telefono.SMSCLetto);
        }
        QVERIFY(Scrivi(percorso, intero));
        QVERIFY(CaricaFileRubrica(percorso));
        QCOMPARE(Telefono.Rubrica[2][3].Nome, QStringLiteral("Rossa!"));
    }

    // Counts beyond what a position can be, bytes of every value in the texts: the file loads
    // with counts that make sense, and saves back to a file that loads the same.
    void fileConContiEByteOstili()
    {
        SvuotaRubrica(0);
        Telefono.RubTotale[0] = 2;
        Telefono.Rubrica[0][1] = {"1", "Anna", "0612", false};
        QByteArray dati = BytesFileRubrica();
        // The used count of the SIM's record: a number no count can be.
        dati.replace(49 + 1, 16, "99999999999999  ");
        // Every byte value in the name and number of its first entry.
        dati.replace(2 * 49 + 1, 46, TuttiIByte().mid(0, 46));
        dati.replace(2 * 49 + 1 + 16, 30, TuttiIByte().mid(200, 30));
        const QString percorso = cartella.filePath("byte.rub");
        QVERIFY(Scrivi(percorso, dati));
        QVERIFY(CaricaFileRubrica(percorso));
        QVERIFY(Telefono.RubUsate[0] >= 0);
        const QStringList letta = Memoria(0);
        QVERIFY(Scrivi(percorso, BytesFileRubrica()));
        QVERIFY(CaricaFileRubrica(percorso));
        QCOMPARE(Memoria(0), letta);
    }

    // A file whose first memory claims every position it may, followed by nothing.
    void fileConPiuPosizioniDiQuanteNeHa()
    {
        TabellaSentinella();
        QByteArray dati = BytesFileRubrica().left(3 * 49);
        dati.replace(49 + 17, 3, "250");
        const QString percorso = cartella.filePath("corto.rub");
        QVERIFY(Scrivi(percorso, dati));
        QVERIFY(!CaricaFileRubrica(percorso));
        QCOMPARE(Telefono.RubTotale[0], int16_t(4));
    }

    // Opening an empty file or a folder gives the failure message once and changes nothing.
    void aprireCioCheNonERubrica()
    {
        TabellaSentinella();
        const QStringList prima = Memoria(0);
        const QString vuoto = cartella.filePath("vuoto.rub");
        QVERIFY(Scrivi(vuoto, QByteArray()));
        const QString dir = cartella.filePath("cartella.rub");
        QVERIFY(QDir().mkpath(dir));
        // The folder is told of as such.
        const QString cartellaNonLetta = "\n" + Msg(822) + dir + "\n" + Msg(823);
        for (const auto& [percorso, perche] :
             {std::pair{vuoto, QString()}, std::pair{dir, cartellaNonLetta}}) {
            risposte->boxes.clear();
            risposte->fileDaScegliere.enqueue(percorso);
            rubrica->ApriRubrica();
            QCOMPARE(risposte->boxes.size(), 1);
            QCOMPARE(risposte->boxes[0].testo, Msg(265) + perche);
            QCOMPARE(Memoria(0), prima);
        }
    }

    // Saving where no file can be written: the failure message, and what was there stays.
    void salvareDoveNonSiPuo()
    {
        TabellaSentinella();
        Telefono.RubLetta.fill(true);
        const QString dir = cartella.filePath("occupato.rub");
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(Scrivi(dir + "/dentro", "kept"));
        const QString fileNonCartella = cartella.filePath("file");
        QVERIFY(Scrivi(fileNonCartella, "plain"));
        for (const QString& percorso : {dir, fileNonCartella + "/sotto.rub"}) {
            risposte->boxes.clear();
            risposte->fileDaScegliere.enqueue(percorso);
            rubrica->SalvaRubrica();
            QCOMPARE(risposte->boxes.size(), 1);
            // The failure names the file, then why.
            QVERIFY(risposte->boxes[0].testo.startsWith(Msg(257) + percorso + "\n"));
        }
        QCOMPARE(Contenuto(dir + "/dentro"), QByteArray("kept"));
        QCOMPARE(Contenuto(fileNonCartella), QByteArray("plain"));
    }

    // A folder where the default file should be: it loads as no phonebook, the automatic save
    // tells after each reading which file was not written and why, and the folder stays.
    void filePredefinitoCartella()
    {
        const QString predefinito = Rubrica::FileRubricaPredefinito();
        QVERIFY(QDir().mkpath(predefinito));
        QVERIFY(!CaricaFileRubrica(predefinito));
        avvia();
        clic("RUB_SIM");
        QVERIFY(Telefono.RubLetta[0]);
        QCOMPARE(finestra->List1->topLevelItemCount(), 2);
        const QString nonScritto = Msg(900) + predefinito + '\n' + Msg(823);
        QCOMPARE(testiBox(), QStringList{nonScritto});
        // Shown again it tells no more; read again, it tells again.
        clic("RUB");
        finestra->Aggiorna();
        QCOMPARE(testiBox(), (QStringList{nonScritto, nonScritto}));
        QVERIFY(QFileInfo(predefinito).isDir());
        QVERIFY(QDir(predefinito).removeRecursively());
    }
};

QTEST_MAIN(TstAvversarioRubrica)
#include "tst_avversario_rubrica.moc"
