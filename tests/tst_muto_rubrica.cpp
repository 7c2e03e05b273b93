// The phonebook when the phone stops answering: reading the memories and the call lists, adding,
// editing and deleting an entry, writing the phonebooks back.

#include "bancorubrica.h"
#include "muto.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

class TstMutoRubrica : public QObject, private BancoMuto {
    Q_OBJECT

    // The SIM view read afresh from the phone as it was at the start.
    void simLetta()
    {
        ripristinaTelefono();
        Telefono.RubLetta.fill(false);
        clic("RUB_SIM");
        QVERIFY(Telefono.RubLetta[0]);
    }

    void scegliPosizione(const QString& posizione)
    {
        for (int i = 0; i < finestra->List1->topLevelItemCount(); ++i) {
            QTreeWidgetItem* riga = finestra->List1->topLevelItem(i);
            if (riga->text(riga->columnCount() - 1) == posizione) {
                finestra->List1->setCurrentItem(riga);
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no row at position ") + posizione));
    }

    void rileggiSim()
    {
        Telefono.RubLetta.fill(false);
        clic("RUB_SIM");
        QVERIFY(Telefono.RubLetta[0] && Telefono.RubLetta[3]);
    }

    // The memories (or lists) read whole before the one that failed may be marked read, and the
    // limits are those of the memory read last; the rest must not change.
    static QString SenzaFlagLetti()
    {
        DatiTelefono t = Telefono;
        t.RubLetta.fill(false);
        t.ListeLette.fill(false);
        t.MaxNumero = t.MaxNome = 0;
        return Impronta(t);
    }

    // Without the memories and call lists, which a first reading fills in part.
    static QString SenzaTabelle()
    {
        DatiTelefono t = Telefono;
        t.RubLetta.fill(false);
        t.ListeLette.fill(false);
        t.Rubrica = {};
        t.RubTotale = t.RubUsate = {};
        t.MaxNumero = t.MaxNome = 0;
        t.Chiamate = {};
        return Impronta(t);
    }

    QMap<QString, Operazione> operazioni()
    {
        QMap<QString, Operazione> tutte;
        Operazione memorie(
            [this] {
                simLetta();
                Telefono.RubLetta.fill(false);
            },
            [this] { clic("RUB_SIM"); }, [this] { rileggiSim(); });
        memorie.impronta = SenzaFlagLetti;
        // Four commands a memory, in the order SIM, special SIM, phone, own numbers.
        memorie.vista = [](int k) {
            for (int m = (k - 1) / 4; m < NumMemorie; ++m)
                QVERIFY2(!Telefono.RubLetta[static_cast<size_t>(m)],
                         qPrintable(QString::number(m)));
        };
        tutte["memories read again"] = memorie;
        // As after connecting: nothing of this phone's memories is known yet. Those read whole
        // before the one that failed fill in; that one and those after it stay empty, and the
        // view says so.
        Operazione primaLettura = memorie;
        primaLettura.prepara = [this] {
            simLetta();
            Telefono.RubLetta.fill(false);
            Telefono.Rubrica = {};
            Telefono.RubTotale = {};
            Telefono.RubUsate = {};
        };
        primaLettura.impronta = SenzaTabelle;
        primaLettura.vista = [this](int k) {
            for (int m = (k - 1) / 4; m < NumMemorie; ++m) {
                const auto mm = static_cast<size_t>(m);
                QVERIFY(!Telefono.RubLetta[mm] && Telefono.RubTotale[mm] == 0);
                for (const VoceRubrica& voce : Telefono.Rubrica[mm])
                    QVERIFY(voce.Posizione.isEmpty());
            }
            if (!Telefono.RubLetta[0])
                QCOMPARE(righe(), QStringList{Msg(82)});
        };
        tutte["memories read the first time"] = primaLettura;

        tutte["entry added"] = {[this] { simLetta(); },
                                [this] {
                                    CompilaVoce(finestra, "Nuovo", "0611");
                                    rubrica->AddRubrica();
                                },
                                [this] { rileggiSim(); }};
        tutte["entry edited"] = {[this] {
                                     simLetta();
                                     scegliPosizione("001");
                                 },
                                 [this] {
                                     CompilaVoce(finestra, "Mario Rosso", "+393351234567");
                                     rubrica->EditRubrica();
                                 },
                                 [this] { rileggiSim(); }};
        tutte["entry deleted"] = {[this] {
                                      simLetta();
                                      scegliPosizione("002");
                                  },
                                  [this] {
                                      risposte->pulsantiDaPremere << QMessageBox::Yes;
                                      rubrica->DelRubrica();
                                  },
                                  [this] { rileggiSim(); }};
        // The user is told which entries the phone answered for and which it did not; the
        // memories holding one it did not answer for are read again at their next view.
        Operazione invio([this] { simLetta(); }, [this] { rubrica->InviaRubrica(); },
                         [this] { rileggiSim(); });
        invio.messaggi = [this](int k, int) {
            const QMap<int, QStringList> gruppi
                = ScritturaInterrotta(telefono->commandLog().mid(0, k));
            QStringList testo{Msg(267)};
            for (const int voce : {945, 892, 947})
                if (gruppi.contains(voce))
                    testo << Msg(voce) << gruppi[voce];
            return QStringList{testo.join("\r\n")};
        };
        invio.impronta = SenzaFlagLetti;
        invio.vista = [this](int k) {
            const QMap<int, QStringList> gruppi
                = ScritturaInterrotta(telefono->commandLog().mid(0, k));
            const QString daRileggere = (gruppi[892] + gruppi[947]).join("\n");
            for (const size_t m : {0, 2})
                QCOMPARE(Telefono.RubLetta[m], !daRileggere.contains(NomiMemoria[m] + " "));
        };
        tutte["phonebooks written back"] = invio;

        Operazione liste(
            [this] {
                Telefono.ListeLette.fill(false);
                clic("LIST_RC");
                QVERIFY(Telefono.ListeLette[2]);
                Telefono.ListeLette.fill(false);
            },
            [this] { clic("LIST_RC"); },
            [this] {
                Telefono.ListeLette.fill(false);
                clic("LIST_RC");
                QVERIFY(Telefono.ListeLette[0] && Telefono.ListeLette[2]);
                QCOMPARE(finestra->List1->topLevelItemCount(), 3);
            });
        liste.impronta = SenzaFlagLetti;
        // Two commands a list: received, missed, dialled.
        liste.vista = [](int k) {
            for (int l = (k - 1) / 2; l < NumListeChiamate; ++l)
                QVERIFY2(!Telefono.ListeLette[static_cast<size_t>(l)],
                         qPrintable(QString::number(l)));
        };
        tutte["call lists read again"] = liste;
        Operazione primeListe = liste;
        primeListe.prepara = [] {
            Telefono.ListeLette.fill(false);
            Telefono.Chiamate = {};
        };
        primeListe.impronta = SenzaTabelle;
        primeListe.vista = [this](int k) {
            for (int l = (k - 1) / 2; l < NumListeChiamate; ++l) {
                const auto ll = static_cast<size_t>(l);
                QVERIFY(!Telefono.ListeLette[ll]);
                for (const VoceChiamata& chiamata : Telefono.Chiamate[ll])
                    QVERIFY(chiamata.Numero.isEmpty());
            }
            if (!Telefono.ListeLette[0])
                QCOMPARE(righe(), QStringList{Msg(82)});
        };
        tutte["call lists read the first time"] = primeListe;
        return tutte;
    }

    // What Put Phonebook tells when the phone stops answering at the last of the commands
    // `inviati`, by heading: the entries of the SIM and the phone whose writes it answered, those
    // never sent, and the one left unanswered.
    static QMap<int, QStringList> ScritturaInterrotta(const QStringList& inviati)
    {
        QMap<int, QStringList> gruppi;
        for (const int m : {0, 2}) {
            const qsizetype selezione = inviati.indexOf("AT+CPBS=" + CodiceMemoria(m));
            const QStringList dopo = selezione < 0 ? QStringList() : inviati.mid(selezione + 1);
            const QStringList scritture
                = dopo.mid(0, dopo.indexOf(QRegularExpression("^AT\\+CPBS=")));
            for (int p = 1; p <= PosizioniTenute(m); ++p) {
                const VoceRubrica& voce
                    = Telefono.Rubrica[static_cast<size_t>(m)][static_cast<size_t>(p)];
                if (voce.Posizione.isEmpty())
                    continue;
                const QString riga
                    = QStringLiteral("%1 %2 ").arg(NomiMemoria[static_cast<size_t>(m)]).arg(p)
                      + voce.Nome;
                const QStringList scritta = scritture.filter(QStringLiteral("AT+CPBW=%1,").arg(p));
                if (scritta.isEmpty())
                    gruppi[892] << riga + ": " + Msg(946);
                else if (scritta.first() == inviati.last())
                    gruppi[947] << riga;
                else
                    gruppi[945] << riga;
            }
        }
        return gruppi;
    }

    // How the phone fails a phonebook read: it refuses one memory, or the line drops.
    enum class Rifiuto { SimAssente, SimOccupataInElenco, FissiConPIN2, LineaCaduta };

    // From now on the phone fails the read this way.
    void rifiuta(Rifiuto rifiuto)
    {
        s25sim::S25Simulator* t = telefono.get();
        switch (rifiuto) {
        case Rifiuto::SimAssente:
            t->failCommandsMatching(QRegularExpression("^AT\\+CPBS=SM$"), 10);
            break;
        case Rifiuto::FissiConPIN2:
            t->failCommandsMatching(QRegularExpression("^AT\\+CPBS=FD$"), 17);
            break;
        case Rifiuto::SimOccupataInElenco:
        case Rifiuto::LineaCaduta: {
            // The first listing asked for is the SIM's.
            auto fatto = std::make_shared<std::atomic<bool>>(false);
            t->setCommandObserver([t, rifiuto, fatto](const QString& comando) {
                if (comando != QLatin1String("AT+CPBR=?") || fatto->exchange(true))
                    return;
                if (rifiuto == Rifiuto::LineaCaduta)
                    t->hangUpDuringNextReply(3);
                else
                    t->failNextCommand(14);
            });
            break;
        }
        }
    }

private slots:
    void initTestCase() { preparaProgramma(); }

    void init()
    {
        apriTutto();
        // A read that went well is saved at once: one that failed must not be.
        Opzioni.AutoSaveRub = 1;
    }

    void cleanup() { chiudi(); }

    void conTelefonoMuto_data() { righeDiGuasto(operazioni().keys()); }

    void conTelefonoMuto() { provaGuastoDellaRiga(operazioni()); }

    // A memory the phone refuses is named to the user with the reason, and the saved phonebook
    // keeps what it held for it; a line that drops says so, shows the link down and leaves the
    // view as it was. Either way no file of the program changes, and the next connection reads.
    void conTelefonoCheRifiuta_data()
    {
        QTest::addColumn<QString>("vista");
        QTest::addColumn<int>("rifiuto");
        // The memory refused and the entry of its reason.
        QTest::addColumn<int>("memoria");
        QTest::addColumn<int>("motivo");
        for (const char* vista : {"RUB", "RUB_SIM"}) {
            QTest::addRow("%s, no SIM", vista) << vista << int(Rifiuto::SimAssente) << 0 << 844;
            QTest::addRow("%s, SIM busy when listed", vista)
                << vista << int(Rifiuto::SimOccupataInElenco) << 0 << 847;
            QTest::addRow("%s, fixed dialling wants PIN2", vista)
                << vista << int(Rifiuto::FissiConPIN2) << 1 << 848;
            QTest::addRow("%s, line drops", vista) << vista << int(Rifiuto::LineaCaduta) << 0 << 0;
        }
    }

    void conTelefonoCheRifiuta()
    {
        QFETCH(QString, vista);
        QFETCH(int, rifiuto);
        QFETCH(int, memoria);
        QFETCH(int, motivo);
        const bool caduta = static_cast<Rifiuto>(rifiuto) == Rifiuto::LineaCaduta;
        const QString avviso
            = caduta ? Msg(27) + QStringLiteral(": ") + Msg(841) + QStringLiteral("\r\n") + Msg(79)
                     : Msg(840) + QStringLiteral("\r\n") + NomiMemoria[static_cast<size_t>(memoria)]
                           + QStringLiteral(": ") + Msg(motivo);
        avvia();
        QVERIFY(!QTest::currentTestFailed());
        clic(vista);
        QVERIFY(QFile::exists(Rubrica::FileRubricaPredefinito()));
        const QMap<QString, QByteArray> file = fileDelProgramma();
        const QStringList elenco = righe();
        risposte->boxes.clear();
        rifiuta(static_cast<Rifiuto>(rifiuto));
        finestra->Aggiorna();
        attendiFine();

        QCOMPARE(avvisi(), QStringList{avviso});
        QCOMPARE(utente->sopraLAttesa, 0);
        QCOMPARE(fileDelProgramma(), file);
        if (caduta) {
            QCOMPARE(finestra->SBar[1]->text(), Msg(79));
            QCOMPARE(righe(), elenco);
        }

        telefono->setCommandObserver({});
        telefono->clearFailures();
        risposte->boxes.clear();
        if (!telefono->isHungUp()) {
            collegamento->Connetti();
            QTRY_VERIFY(!collegamento->PortOpen());
        }
        avvia();
        QVERIFY(!QTest::currentTestFailed());
        clic(vista);
        QCOMPARE(avvisi(), QStringList{});
        QCOMPARE(righe(), elenco);
        QCOMPARE(fileDelProgramma(), file);
    }
};

QTEST_MAIN(TstMutoRubrica)
#include "tst_muto_rubrica.moc"
