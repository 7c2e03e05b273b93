#pragma once

// The bench the end-to-end tests stand the program on: the main window with the real link, the
// simulated phone on a pseudo-terminal behind COM1, and a stand-in for the user. A test class
// derives from it besides QObject, adds its own subsystems between apri() and Form_Load(), and
// reaches the tree and the list as the user does.

#include "collegamento.h"
#include "filediprova.h"
#include "frmmain.h"
#include "globali.h"
#include "listareport.h"
#include "risposte.h"
#include "s25simulator.h"
#include "seedfile.h"

#include <QAction>
#include <QFile>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

// Every byte the line can carry, NUL and the Windows-1252 holes included.
inline QByteArray TuttiIByte()
{
    QByteArray byte;
    for (int b = 0; b < 256; ++b)
        byte.append(static_cast<char>(b));
    return byte;
}

class Banco {
protected:
    // Long enough for a loaded machine, short enough that no test waits on real seconds.
    static constexpr int Pazienza = 8000;

    // What the link sends on connecting, in order, before the line is free for a test.
    static inline const QStringList Handshake{
        "ATE0",    "ATQ0",      "ATV1",      "AT+CMGF=0",        "AT+CSCS=\"GSM\"",
        "AT+CGMI", "AT+CGMM",   "AT+CGMR",   "AT+CGSN",          "AT+CIMI",
        "AT^SCID", "AT+CPWD=?", "AT+CLIP=1", "AT+CNMI=0,0,0,0,1"};
    // The same for a phone that will not switch to the GSM alphabet: it is asked which character
    // set it speaks.
    static inline const QStringList HandshakeSenzaGSM = [] {
        QStringList comandi = Handshake;
        comandi.insert(comandi.indexOf("AT+CSCS=\"GSM\"") + 1, "AT+CSCS?");
        return comandi;
    }();

    // Whether connetti() also checks that the handshake was exactly Handshake: the tests of
    // the link do, the others only wait for it to end.
    enum class Controllo { SoloAttesa, ComandiEsatti };

    std::unique_ptr<s25sim::S25Simulator> telefono;
    std::unique_ptr<RisposteFinte> risposte;
    frmMain* finestra = nullptr;
    Collegamento* collegamento = nullptr;

    // The seed avvia() starts the phone from when the test names none.
    explicit Banco(QByteArray seme = QByteArray()) : semeDiProva(std::move(seme)) {}

    // The small, realistic phone the simulator ships with.
    static QByteArray semeDemo() { return Contenuto(QStringLiteral(S25SIM_DEMO_SEED)); }

    // The window with its link; the caller adds its subsystems, then calls Form_Load().
    void apri()
    {
        risposte = std::make_unique<RisposteFinte>();
        finestra = new frmMain;
        collegamento = monta<Collegamento>(&frmMain::collegamento);
    }

    // Gives the window a subsystem of this type in the member `posto`: the window owns it, the
    // test keeps a pointer to reach what only the concrete type offers.
    template <class Tipo, class Interfaccia>
    Tipo* monta(std::unique_ptr<Interfaccia> frmMain::*posto)
    {
        auto proprio = std::make_unique<Tipo>(*finestra);
        Tipo* puntatore = proprio.get();
        finestra->*posto = std::move(proprio);
        return puntatore;
    }

    // The window with its link and one subsystem of this type in `posto`, loaded.
    template <class Tipo, class Interfaccia>
    Tipo* apriCon(std::unique_ptr<Interfaccia> frmMain::*posto)
    {
        apri();
        Tipo* sottosistema = monta<Tipo>(posto);
        finestra->Form_Load();
        return sottosistema;
    }

    // The window and its link go first, the phone behind the line after them.
    void chiudi()
    {
        delete finestra;
        finestra = nullptr;
        telefono.reset();
        risposte.reset();
    }

    // Starts the simulated phone in this state and points COM1 at it.
    void accendi(const s25sim::PhoneState& stato = s25sim::defaultPhoneState())
    {
        telefono = std::make_unique<s25sim::S25Simulator>(stato);
        QString errore;
        QVERIFY2(telefono->start(&errore), qPrintable(errore));
        qputenv("QUORNA_COM1", telefono->slavePath().toLocal8Bit());
    }

    void accendi(const QByteArray& seme)
    {
        QString errore;
        const std::optional<s25sim::PhoneState> stato = s25sim::parseSeed(seme, &errore);
        QVERIFY2(stato, qPrintable(errore));
        accendi(*stato);
    }

    // Connects and waits until the handshake, `attesi`, is over and the line is free; the log is
    // then emptied, so that what a test compares is only what it made the program send.
    void connetti(Controllo controllo = Controllo::SoloAttesa,
                  const QStringList& attesi = Handshake)
    {
        collegamento->Connetti();
        // What the phone got and what the user was told say where a handshake stopped.
        QTRY_VERIFY2_WITH_TIMEOUT(
            telefono->commandLog().size() == attesi.size() && LineaLibera
                && !collegamento->TimerGetT.isActive(),
            qPrintable(QStringLiteral("the phone got: %1; the user was told: %2")
                           .arg(telefono->commandLog().join(QStringLiteral(", ")),
                                testiBox().join(QStringLiteral(" | ")))),
            Pazienza);
        if (controllo == Controllo::ComandiEsatti)
            QCOMPARE(telefono->commandLog(), attesi);
        telefono->clearCommandLog();
    }

    // The phone from this seed, connected. A helper's failed check only leaves the helper, so
    // a phone that did not start is not connected to.
    void avvia(const QByteArray& seme)
    {
        accendi(seme);
        if (!QTest::currentTestFailed())
            connetti();
    }

    void avvia() { avvia(semeDiProva); }

    // From now on the phone answers each command with what `risposta` gives, framed as the phone
    // frames its lines, and sends nothing of its own; a null reply is no reply at all.
    void rendiOstile(std::function<QByteArray(const QString&)> risposta)
    {
        telefono->setMuted(true);
        s25sim::S25Simulator* sim = telefono.get();
        telefono->setCommandObserver([sim, risposta](const QString& comando) {
            const QByteArray testo = risposta(comando);
            if (!testo.isNull())
                sim->injectUnsolicited(testo);
        });
    }

    // As rendiOstile, with OK after the lines `risposta` gives.
    void rispondiCon(std::function<QByteArray(const QString&)> risposta)
    {
        rendiOstile(
            [risposta](const QString& comando) { return risposta(comando) + "\r\n\r\nOK"; });
    }

    QTreeWidgetItem* nodo(const QString& chiave) const
    {
        for (QTreeWidgetItemIterator it(finestra->S25Tree); *it; ++it)
            if ((*it)->data(0, Qt::UserRole).toString() == chiave)
                return *it;
        return nullptr;
    }

    // A click on a node selects it, then runs its view.
    void clic(const QString& chiave)
    {
        finestra->S25Tree->setCurrentItem(nodo(chiave));
        finestra->S25Tree_NodeClick(nodo(chiave));
    }

    // Presses Refresh, which the user can only while the view shows it enabled.
    void aggiorna()
    {
        QAction* pulsante = finestra->Pulsante(QStringLiteral("pAggiorna"));
        QVERIFY(pulsante->isVisible());
        QVERIFY(pulsante->isEnabled());
        pulsante->trigger();
    }

    // Selects a row of the list and runs the list's click handling, as the user's click does.
    void scegliRiga(int indice)
    {
        finestra->List1->setCurrentItem(finestra->List1->topLevelItem(indice));
        finestra->List1_Click();
    }

    // The row whose first column reads `posizione`, which must be there.
    void scegliRiga(const QString& posizione)
    {
        const auto trovate = finestra->List1->findItems(posizione, Qt::MatchExactly, 0);
        QVERIFY(!trovate.isEmpty());
        finestra->List1->setCurrentItem(trovate.first());
        finestra->List1_Click();
    }

    // The rows of the list as "name|number|...": every column of each row.
    QStringList righe() const
    {
        QStringList tutte;
        for (int i = 0; i < finestra->List1->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* riga = finestra->List1->topLevelItem(i);
            QStringList colonne;
            for (int c = 0; c < riga->columnCount(); ++c)
                colonne << riga->text(c);
            tutte << colonne.join(QLatin1Char('|'));
        }
        return tutte;
    }

    // The message boxes shown so far, by their text.
    QStringList testiBox() const { return risposte->testi(); }

private:
    QByteArray semeDiProva;
};
