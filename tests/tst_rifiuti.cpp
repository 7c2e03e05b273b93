// The reads the phone refuses, or answers with a bare OK: the view shows the value as unknown,
// never a default nor what an earlier read found, and the user is told once, with the phone's
// reason. A delete the phone refuses is told so too.

#include "dialogosms.h"
#include "muto.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class TstRifiuti : public QObject, private BancoMuto {
    Q_OBJECT

    // The reply column's value for a bare OK, and for the bytes of the row's own reply; any
    // other value is the refusal's code.
    static constexpr int OKSenzaDati = -2;
    static constexpr int RispostaGrezza = -3;
    // The reason column's value for a reply that gave the value: the user is told nothing.
    static constexpr int ValoreDato = -1;

    struct Caso {
        // Brings the view to where the phone's value was once read; nothing for a first read.
        std::function<void()> prima;
        // What the user does.
        std::function<void()> azione;
        // What the view shows of the value.
        std::function<QString()> mostrato;
        // The messages the user gets, for the reason the phone gave.
        std::function<QStringList(const QString& motivo)> messaggi;
    };

    static QStringList NonDati(const QStringList& cose, const QString& motivo)
    {
        // French puts a space before the colon.
        const QString dopo = BaseLang > 2000 ? QStringLiteral(" : ") : QStringLiteral(": ");
        QStringList testo{Msg(872)};
        for (const QString& cosa : cose)
            testo << cosa + dopo + motivo;
        return {testo.join(QStringLiteral("\r\n"))};
    }

    // The value column of the key/value views, or the given column of the lists.
    QString colonna(int riga, int indice) const
    {
        return righe().value(riga).section(QLatin1Char('|'), indice, indice);
    }

    QString statiBlocchi() const
    {
        QStringList stati;
        for (int riga = 0; riga < NumFacilitaBlocco; ++riga)
            stati << colonna(riga, 1);
        return stati.join(QLatin1Char(','));
    }

    QString campiOra() const
    {
        QString testo;
        for (const QLineEdit* campo :
             {finestra->txtGG, finestra->txtMM, finestra->txtAA, finestra->txtH, finestra->txtM})
            testo += campo->text();
        return testo;
    }

    // The phone answers the next command matching `schema` with these bytes, as they are.
    void rispondiConIByte(const QRegularExpression& schema, const QByteArray& byte)
    {
        s25sim::S25Simulator* sim = telefono.get();
        sim->dropNextReply(schema);
        sim->setCommandObserver([sim, schema, byte](const QString& comando) {
            if (!schema.match(comando).hasMatch())
                return;
            // Out of verbose mode a line goes out as it is, with CR LF after it.
            sim->changeState([](s25sim::PhoneState& s) { s.modem.verbose = false; });
            sim->injectUnsolicited(byte.chopped(2));
            sim->changeState([](s25sim::PhoneState& s) { s.modem.verbose = true; });
        });
    }

    // The SIM memory's count; then New entry, which does not call the memory full.
    QString contoSim()
    {
        clic("RUB_SIM");
        const QString conto = finestra->SBar[3]->text();
        rubrica->AddRubrica();
        return conto;
    }

    QMap<QString, Caso> casi()
    {
        const auto sbar = [this] { return finestra->SBar[3]->text(); };
        const auto su = [this](const char* nodo) { return [this, nodo] { clic(nodo); }; };
        const auto aggiorna = [this] { finestra->Aggiorna(); };
        // The message for one value, named by its catalogue entry.
        const auto voce = [](int cosa) {
            return [cosa](const QString& motivo) { return NonDati({Msg(cosa)}, motivo); };
        };
        // A command the phone refused, named by its catalogue entry.
        const auto rifiuto = [](int voce) {
            return [voce](const QString& motivo) { return QStringList{Msg(voce) + motivo}; };
        };
        // Yes to the question a delete asks first.
        const auto cancella = [this](std::function<void()> comando) {
            return [this, comando] {
                risposte->pulsantiDaPremere << QMessageBox::Yes;
                comando();
            };
        };
        const auto rubricaSim = [](const QString& motivo) {
            return QStringList{Msg(897) + QStringLiteral("\r\n") + NomiMemoria[0]
                               + QStringLiteral(": ") + motivo}
                   << NonDati({NomiMemoria[0]}, motivo);
        };
        const auto sms = [this] {
            risposte->pulsantiDaPremere << QMessageBox::Yes;
            clic("SMS_IN");
        };
        const auto composizione = [this] {
            risposte->pulsantiDaPremere << QMessageBox::Yes;
            NelDialogoSMS(finestra, [](frmSMS*) {});
            messaggi->InviaSMS(false, false);
        };
        // The centre the next compose dialog offers, once the phone answers again.
        const auto centroComposto = [this] {
            telefono->clearFailures();
            QString centro;
            NelDialogoSMS(finestra,
                          [&centro](frmSMS* dialogo) { centro = dialogo->txtSMSC->text(); });
            messaggi->InviaSMS(false, false);
            return centro;
        };
        const auto promemoria = [this] {
            clic("CAL");
            oggetti->AddProm();
        };
        const auto tuttiIBlocchi = [](const QString& motivo) {
            return NonDati(QStringList(NomiBlocchi.begin(), NomiBlocchi.end()), motivo);
        };
        // The lock switch offers nothing for a lock whose state is unknown.
        const auto bloccoPin = [this] {
            scegliRiga(2);
            return statiBlocchi() + (finestra->Toolbar1[41]->isEnabled() ? " switch" : "");
        };
        const auto suoneria
            = [this] { return finestra->labMel->text() + ',' + finestra->labVol->text(); };
        // The sliders offer a value only on the range the phone gave.
        const auto cursori = [this, suoneria] {
            return suoneria() + (finestra->sliderMelodia->isEnabled() ? " sliders" : "");
        };
        // Play sets the phone's ring tone only to what the phone gave or the user chose.
        const auto suonata = [this] {
            oggetti->pPlay_Click();
            oggetti->pPlay_Click();
        };
        const auto impostata = [this, suoneria] {
            return suoneria() + '|'
                   + telefono->commandLog()
                         .filter(QRegularExpression(QStringLiteral("^AT\\^SRTC=\\d")))
                         .join(' ');
        };
        // New reminder then finds no position known to be free: it does not call the list full.
        const auto tuttiIPromemoria = [](const QString& motivo) {
            QStringList posizioni;
            for (int n = 1; n <= NumPromemoria; ++n)
                posizioni << QString::number(n);
            return NonDati({Msg(875) + ' ' + posizioni.join(", ")}, motivo) << Msg(876);
        };
        const auto duePrime = [this] { return colonna(0, 1) + ',' + colonna(1, 1); };
        // The power rows, and whether the battery row shows a charge in its picture.
        const auto alimentazione = [this, duePrime] {
            const QTreeWidgetItem* batteria = finestra->List1->topLevelItem(1);
            const bool carica = batteria && !batteria->icon(0).isNull();
            return duePrime() + (carica ? " with a charge" : "");
        };
        const auto riconnetti = [this] {
            collegamento->Connetti();
            telefono->clearCommandLog();
            connetti();
        };
        // The phone's node, "own name" while it keeps it, the identity's rows, and the SIM
        // card's row of the network view.
        const auto identita = [this] {
            const QString nodo = finestra->S25Tree->topLevelItem(0)->text(0);
            QStringList valori{nodo == Msg(33) ? QStringLiteral("own name") : nodo};
            for (int riga = 0; riga < 3; ++riga)
                valori << colonna(riga, 1);
            clic("RETE");
            return (valori << colonna(2, 1)).join(',');
        };
        // The three class lines of a forwarding reason: state and number.
        const auto trasferimenti = [this] {
            QStringList linee;
            for (int k = 0; k < 3; ++k)
                linee << colonna(k, 1) + '/' + colonna(k, 2);
            return linee.join(',');
        };
        return {
            {"identity at connection",
             {{},
              riconnetti,
              identita,
              [](const QString& m) {
                  return NonDati({Msg(880), Msg(881), Msg(83), Msg(84), Msg(912), Msg(913)}, m);
              }}},
            {"revision at connection", {{}, riconnetti, identita, voce(83)}},
            {"IMEI at connection", {{}, riconnetti, identita, voce(84)}},
            {"IMSI at connection", {{}, riconnetti, identita, voce(912)}},
            {"battery",
             {su("ALIM"), aggiorna, alimentazione,
              [](const QString& m) {
                  return NonDati({Msg(91), Msg(92)}, m);
              }}},
            {"locks", {{}, su("BLOCK"), [this] { return statiBlocchi(); }, tuttiIBlocchi}},
            {"PIN lock",
             {{},
              su("BLOCK"),
              bloccoPin,
              [](const QString& m) { return NonDati({NomiBlocchi[2]}, m); }}},
            {"clock", {su("ORA"), su("ORA"), [this] { return campiOra(); }, voce(508)}},
            {"clock in French",
             {[this] {
                  BaseLang = 2001;
                  clic("ORA");
              },
              su("ORA"), [this] { return campiOra(); }, voce(508)}},
            {"clock synchronised",
             {su("ORA"), [this] { finestra->pSincrOra->click(); }, [this] { return campiOra(); },
              voce(508)}},
            {"registration", {{}, su("RETE"), duePrime, voce(93)}},
            {"service centre", {su("SMS"), aggiorna, [this] { return colonna(0, 1); }, voce(223)}},
            {"service centre in the compose dialog", {{}, composizione, centroComposto, voce(223)}},
            {"signal", {su("RETE"), aggiorna, [this] { return colonna(5, 1); }, voce(97)}},
            {"logo", {su("LOGO"), aggiorna, sbar, voce(519)}},
            {"melody", {su("MEL"), aggiorna, sbar, voce(882)}},
            {"ring tone", {su("MEL"), aggiorna, suoneria, voce(874)}},
            {"ring tone ranges", {su("MEL"), aggiorna, cursori, voce(902)}},
            {"ring tone read again, played",
             {su("MEL"),
              [aggiorna, suonata] {
                  aggiorna();
                  suonata();
              },
              impostata, voce(874)}},
            {"ring tone read first, played",
             {{},
              [this, suonata] {
                  clic("MEL");
                  suonata();
              },
              impostata,
              voce(874)}},
            {"ring tone played",
             {su("MEL"), [this] { oggetti->pPlay_Click(); },
              [this] { return finestra->pPlay->text(); }, rifiuto(877)}},
            {"logo deleted",
             {su("LOGO"), cancella([this] { oggetti->DelLogo(); }),
              [this] { return QString::number(!!oggetti->ImmagineEditor()); }, rifiuto(962)}},
            {"melody deleted",
             {su("MEL"), cancella([this] { oggetti->DelMidi(); }),
              [this] { return QString::number(oggetti->MidiPresente); }, rifiuto(963)}},
            {"reminder deleted",
             {[this] {
                  clic("CAL");
                  finestra->listProm->setCurrentItem(finestra->listProm->topLevelItem(0));
              },
              cancella([this] { oggetti->DelProm(); }),
              [this] { return QString::number(finestra->listProm->topLevelItemCount()); },
              rifiuto(964)}},
            {"phonebook from the messages", {{}, sms, [this] { return contoSim(); }, rubricaSim}},
            {"phonebook from the compose dialog",
             {{}, composizione, [this] { return contoSim(); }, rubricaSim}},
            {"forwarding", {su("TRASF1"), aggiorna, trasferimenti, voce(58)}},
            {"phonebook entry deleted",
             {su("RUB_SIM"),
              [this] {
                  scegliRiga(QStringLiteral("Mamma"));
                  risposte->pulsantiDaPremere << QMessageBox::Yes;
                  rubrica->DelRubrica();
              },
              sbar, [](const QString& motivo) { return QStringList{Msg(933) + motivo}; }}},
            {"received calls", {{}, su("LIST_RC"), sbar, voce(49)}},
            {"missed calls", {{}, su("LIST_MC"), sbar, voce(50)}},
            {"reminders", {{}, promemoria, sbar, tuttiIPromemoria}},
        };
    }

private slots:
    void initTestCase() { preparaProgramma(); }
    void init() { apriTutto(); }
    void cleanup() { chiudi(); }

    // The shown value with "?" for the unknown, and the catalogue entry of the reason the user
    // reads, 0 for the phone's own line.
    void letturaRifiutata_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("comando");
        QTest::addColumn<int>("risposta");
        QTest::addColumn<QString>("mostrato");
        QTest::addColumn<int>("motivo");
        QTest::addColumn<QByteArray>("grezza");
        const int errore = s25sim::S25Simulator::kPlainError;
        const auto riga = [](const char* caso, const char* comando, int risposta,
                             const QString& mostrato, int motivo = 0) {
            QTest::addRow("%s, %s", caso,
                          risposta == OKSenzaDati
                              ? "bare OK"
                              : qPrintable(QStringLiteral("refused %1").arg(risposta)))
                << caso << comando << risposta << mostrato << motivo << QByteArray();
        };
        // The row's own reply, as it is.
        const auto grezza = [](const char* caso, const char* comando, const QByteArray& byte,
                               const QString& mostrato, int motivo) {
            QTest::addRow("%s, %s", caso, byte.toPercentEncoding().constData())
                << caso << comando << RispostaGrezza << mostrato << motivo << byte;
        };
        // A reply with no line of value, whatever line ends stand before its OK.
        const auto senzaValore
            = [grezza](const char* caso, const char* comando, const QByteArray& byte,
                       const QString& mostrato) { grezza(caso, comando, byte, mostrato, 873); };
        // A value line with no empty line between it and the OK, or no line end before it: the
        // value is the whole line.
        const auto soloValore = [grezza](const char* caso, const char* comando,
                                         const QByteArray& byte, const QString& mostrato) {
            grezza(caso, comando, byte, mostrato, ValoreDato);
        };
        const QString identita = "ARDESIA S25,42,350123456789012,222015551234567,"
                                 "89390100004567891234";
        riga("identity at connection", "^AT(\\+CG(MI|MM|MR|SN)|\\+CIMI|\\^SCID)$", 10,
             "own name,?,?,?,?", 844);
        senzaValore("revision at connection", "^AT\\+CGMR$", "\r\n\r\nOK\r\n",
                    QString(identita).replace("42", "?"));
        senzaValore("IMEI at connection", "^AT\\+CGSN$", "\n\r\nOK\r\n",
                    QString(identita).replace("350123456789012", "?"));
        senzaValore("IMSI at connection", "^AT\\+CIMI$", "\r\r\nOK\r\n",
                    QString(identita).replace("222015551234567", "?"));
        soloValore("revision at connection", "^AT\\+CGMR$", "\r\n4\r\nOK\r\n",
                   QString(identita).replace("42", "4"));
        soloValore("revision at connection", "^AT\\+CGMR$", "\r\n42\r\nOK\r\n", identita);
        soloValore("IMEI at connection", "^AT\\+CGSN$", "\r\n350123456789012\r\nOK\r\n", identita);
        // Some test SIMs carry an identity shorter than the 15 digits at most.
        soloValore("IMSI at connection", "^AT\\+CIMI$", "2220155512\r\nOK\r\n",
                   QString(identita).replace("222015551234567", "2220155512"));
        riga("battery", "^AT\\+CBC$", 100, "?,?", 859);
        riga("battery", "^AT\\+CBC$", OKSenzaDati, "?,?", 873);
        riga("locks", "^AT\\+CLCK=\\w+,2$", errore, "?,?,?,?,?,?,?,?,?");
        riga("PIN lock", "^AT\\+CLCK=SC,2$", 11, "No,No,?,No,No,No,No,No,No", 845);
        riga("PIN lock", "^AT\\+CLCK=SC,2$", OKSenzaDati, "No,No,?,No,No,No,No,No,No", 873);
        riga("clock", "^AT\\+CCLK\\?$", 515, "");
        riga("clock", "^AT\\+CCLK\\?$", OKSenzaDati, "", 873);
        soloValore("clock", "^AT\\+CCLK\\?$", "\r\n+CCLK: \"24/05/01,10:20:30\"\r\nOK\r\n",
                   "0105241020");
        riga("clock in French", "^AT\\+CCLK\\?$", 515, "");
        riga("clock synchronised", "^AT\\+CCLK\\?$", errore, "");
        riga("registration", "^AT\\+CREG\\?$", errore, "?,?");
        riga("registration", "^AT\\+CREG\\?$", OKSenzaDati, "?,?", 873);
        riga("service centre", "^AT\\+CSCA\\?$", errore, "?");
        riga("service centre in the compose dialog", "^AT\\+CSCA\\?$", errore, "+393359609600");
        riga("service centre in the compose dialog", "^AT\\+CSCA\\?$", OKSenzaDati, "+393359609600",
             873);
        riga("signal", "^AT\\+CSQ$", 100, "?", 859);
        riga("signal", "^AT\\+CSQ$", OKSenzaDati, "?", 873);
        riga("logo", "^AT\\^SBNR=bmp,0$", 4, "?", 843);
        riga("melody", "^AT\\^SBNR=mid,0$", errore, "?");
        riga("ring tone", "^AT\\^SRTC\\?$", errore, "?,?");
        riga("ring tone ranges", "^AT\\^SRTC=\\?$", errore, "3,2");
        riga("ring tone ranges", "^AT\\^SRTC=\\?$", OKSenzaDati, "3,2", 873);
        riga("ring tone read again, played", "^AT\\^SRTC\\?$", errore, "?,?|");
        riga("ring tone read again, played", "^AT\\^SRTC\\?$", OKSenzaDati, "?,?|", 873);
        riga("ring tone read first, played", "^AT\\^SRTC\\?$", 100, "?,?|", 859);
        riga("ring tone played", "^AT\\^SRTC", errore, "&Play");
        riga("logo deleted", "^AT\\^SBNW=bmp,0,0$", errore, "1");
        riga("melody deleted", "^AT\\^SBNW=mid,0,0$", 3, "1", 842);
        riga("reminder deleted", "^AT\\^SBNW=vcs,\\d+,0$", errore, "2");
        riga("phonebook from the messages", "^AT\\+CPBS=SM$", 10, "?", 844);
        riga("phonebook from the compose dialog", "^AT\\+CPBS=SM$", errore, "?");
        riga("forwarding", "^AT\\+CCFC=1,2$", 30, "?/?,?/?,?/?", 0);
        riga("phonebook entry deleted", "^AT\\+CPBW=4$", errore, "13/100");
        riga("received calls", "^AT\\+CPBS=RC$", errore, "?");
        riga("missed calls", "^AT\\+CPBS=MC$", 3, "?", 842);
        riga("reminders", "^AT\\^SBNR=vcs,", errore, "?");
    }

    void letturaRifiutata()
    {
        QFETCH(QString, caso);
        QFETCH(QString, comando);
        QFETCH(int, risposta);
        QFETCH(QString, mostrato);
        QFETCH(int, motivo);
        QFETCH(QByteArray, grezza);
        const Caso c = casi().value(caso);
        avvia();
        QVERIFY(!QTest::currentTestFailed());
        if (c.prima)
            c.prima();
        risposte->boxes.clear();
        const QRegularExpression schema(comando);
        if (risposta == RispostaGrezza)
            rispondiConIByte(schema, grezza);
        else if (risposta == OKSenzaDati)
            telefono->answerBareOkMatching(schema);
        else
            telefono->failCommandsMatching(schema, risposta);
        c.azione();
        attendiFine();
        QCOMPARE(c.mostrato(), mostrato.replace(u'?', Msg(333)));
        const QString riga = risposta == s25sim::S25Simulator::kPlainError
                                 ? QStringLiteral("ERROR")
                                 : QStringLiteral("+CME ERROR: %1").arg(risposta);
        QCOMPARE(avvisi(), motivo == ValoreDato ? QStringList()
                                                : c.messaggi(motivo > 0 ? Msg(motivo) : riga));
        QCOMPARE(utente->sopraLAttesa, 0);
    }
};

QTEST_MAIN(TstRifiuti)
#include "tst_rifiuti.moc"
