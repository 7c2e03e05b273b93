#pragma once

// The bench of the tests where the phone stops answering in the middle of an operation: the
// whole program on the simulated demo phone and a short wait bound. One procedure runs a read or
// write once with the phone answering, to learn its commands, then again with the phone falling
// silent (or answering too late, or refusing the command) at its first, a middle or its last
// command, and checks what the user is left with: one message, shown once the wait window is
// gone; no further command sent; the tables and the program's files as they were; and a phone
// that answers again is read.

#include "attesa.h"
#include "banco.h"
#include "catalogo.h"
#include "impostazioni_telefono.h"
#include "letturasms.h"
#include "messaggi.h"
#include "oggetti.h"
#include "rubrica.h"
#include "statobase.h"
#include "tempi.h"

#include <QDir>
#include <QMap>
#include <QtTest>

#include <atomic>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// The user in front of the message boxes, who also notes the boxes that opened while the wait
// window was still up.
class RisposteConAttesa : public RisposteFinte {
public:
    int sopraLAttesa = 0;

    QMessageBox::StandardButton Messaggio(QWidget* padre, QMessageBox::Icon icona,
                                          const QString& titolo, const QString& testo,
                                          QMessageBox::StandardButtons pulsanti) override
    {
        if (FinestraAttesa())
            ++sopraLAttesa;
        return RisposteFinte::Messaggio(padre, icona, titolo, testo, pulsanti);
    }
};

// Everything the program keeps of the phone, as text, so that two moments compare field by field.
inline QString Impronta(const DatiTelefono& t)
{
    QStringList campi;
    const auto testo = [&campi](const char* nome, const auto& valore) {
        QString riga;
        QDebug(&riga).nospace() << nome << '=' << valore;
        campi << riga;
    };
    testo("info", QStringList{QString::number(t.InfoLetta), t.Produttore, t.Modello, t.Revisione,
                              t.IMEI, t.IMSI});
    testo("alim", QStringList{QString::number(t.AlimLetta), QString::number(t.StatoAlim),
                              t.StatoAlimTesto, t.LivelloBatteria});
    testo("rete", QStringList{QString::number(t.ReteLetta), QString::number(t.StatoRete),
                              t.StatoReteTesto, t.CodiceOperatore, t.CodiceSIM, t.CodiceArea,
                              t.IDCella, t.LivelloSegnale, t.BER});
    for (int m = 0; m < NumMemorie; ++m) {
        const auto mm = static_cast<size_t>(m);
        testo("memoria",
              QStringList{QString::number(t.RubLetta[mm]), QString::number(t.RubTotale[mm]),
                          QString::number(t.RubUsate[mm])});
        for (const VoceRubrica& v : t.Rubrica[mm])
            if (!v.Posizione.isEmpty() || !v.Nome.isEmpty() || !v.Numero.isEmpty())
                testo("voce", QStringList{v.Posizione, v.Nome, v.Numero, QString::number(v.Rossa)});
    }
    testo("rossa", t.RubLetta[NumMemorie]);
    testo("limiti", QStringList{QString::number(t.MaxNumero), QString::number(t.MaxNome)});
    testo("centro", QStringList{QString::number(t.SMSCLetto), t.SMSC});
    for (size_t l = 0; l < t.Chiamate.size(); ++l) {
        testo("lista", t.ListeLette[l]);
        for (const VoceChiamata& c : t.Chiamate[l])
            testo("chiamata", QStringList{c.Nome, c.Numero});
    }
    testo("sms", t.SMSLetti);
    for (const MessaggioSMS& m : t.SMS)
        testo("messaggio", QStringList{QString::number(m.Stato), QString::number(m.LunghezzaDati),
                                       m.PDU, m.Numero, m.DataOra, m.Testo});
    testo("oggetti", QStringList{QString::number(t.LogoLetto), QString::number(t.MidiLetta),
                                 QString::number(t.PromLetti)});
    for (const ::Promemoria& p : t.Promemoria)
        testo("promemoria", QStringList{p.Categoria, p.Ripetizione, p.RipetizioneTesto,
                                        p.Allarme.Stamp, p.Inizio.Stamp, p.Descrizione});
    testo("ora", QStringList{QString::number(t.OraLetta), t.DataTel, t.OraTel});
    testo("blocchi", t.BlocchiLetti);
    for (const auto& classi : t.Blocchi)
        testo("blocco", QList<int>(classi.begin(), classi.end()));
    testo("codici", QList<int>(t.LunghezzaCodici.begin(), t.LunghezzaCodici.end()));
    testo("trasferimenti", t.TrasfLetti);
    for (const Trasferimento& tr : t.Trasferimenti)
        testo("trasferimento",
              QStringList{QString::number(tr.Stato[0]), QString::number(tr.Stato[1]),
                          QString::number(tr.Stato[2]), tr.Numero[0], tr.Numero[1], tr.Numero[2],
                          QString::number(tr.Tempo[0]), QString::number(tr.Tempo[1]),
                          QString::number(tr.Tempo[2])});
    testo("operatori", t.OperatoriLetti);
    for (const Operatore& o : t.Operatori)
        testo("operatore", QStringList{o.Codice, o.Nome});
    return campi.join(QLatin1Char('\n'));
}

// The tables without one flag of what was read: the one thing an operation may change when it
// lowers that flag, so that what the phone holds is read again, or raises it for a read that
// ended before the phone fell silent.
template <bool DatiTelefono::*Flag>
QString SenzaFlag()
{
    DatiTelefono t = Telefono;
    t.*Flag = false;
    return Impronta(t);
}

// How the phone fails the operation: it falls silent, answers too late, or refuses the command
// with ERROR.
enum class Guasto {
    MutoAlPrimo,
    MutoAMeta,
    MutoAllUltimo,
    LentoAMeta,
    RifiutoAlPrimo,
    RifiutoAMeta,
    RifiutoAllUltimo
};

using Guasti = std::vector<std::pair<Guasto, const char*>>;

inline const Guasti SilenziDelTelefono{{Guasto::MutoAlPrimo, "silent at the first command"},
                                       {Guasto::MutoAMeta, "silent at a middle command"},
                                       {Guasto::MutoAllUltimo, "silent at the last command"},
                                       {Guasto::LentoAMeta, "late at a middle command"}};
inline const Guasti RifiutiDelTelefono{{Guasto::RifiutoAlPrimo, "refused at the first command"},
                                       {Guasto::RifiutoAMeta, "refused at a middle command"},
                                       {Guasto::RifiutoAllUltimo, "refused at the last command"}};

// One read or write as the user starts it.
struct Operazione {
    Operazione() = default;
    Operazione(std::function<void()> prima, std::function<void()> azione,
               std::function<void()> letturaDopo)
        : prepara(std::move(prima)), esegui(std::move(azione)), rileggi(std::move(letturaDopo))
    {}

    // Brings the program and the phone to where the operation starts; run before each run.
    std::function<void()> prepara;
    std::function<void()> esegui;
    // A read once the phone answers again; its own checks must pass.
    std::function<void()> rileggi;
    // What the operation may change in the program's tables, flags included; by default all of
    // them.
    std::function<QString()> impronta = [] { return Impronta(Telefono); };
    // The messages the user gets when command k of n fails: one that tells of the
    // failure, after any that told of what went well before it. None given: the link's own.
    std::function<QStringList(int k, int n)> messaggi;
    // Further checks after the failure at command k.
    std::function<void(int k)> vista;
};

class BancoMuto : protected Banco {
protected:
    static constexpr int Limite = 300;
    // A late reply comes well after the bound, and well before the test gives up on it.
    static constexpr int Ritardo = 3 * Limite;
    // The link's message for a phone that did not answer.
    static constexpr int VoceSenzaRisposta = 795;

    Rubrica* rubrica = nullptr;
    Messaggi* messaggi = nullptr;
    Oggetti* oggetti = nullptr;
    ImpostazioniTelefono* impostazioni = nullptr;
    RisposteConAttesa* utente = nullptr;
    s25sim::PhoneState iniziale;

    BancoMuto() : Banco(semeDemo()) {}

    // The program's name, which names the folder of its files, and its texts.
    static void preparaProgramma()
    {
        QCoreApplication::setApplicationName(QStringLiteral("Quorna"));
        QVERIFY(CatalogoMessaggi::Carica());
    }

    // Every wait bound short, every subsystem in place, the window loaded; the phone not yet on.
    void apriTutto()
    {
        StatoDiPartenza();
        TempiLink.attesaMs = Limite;
        TempiLink.attesaInvioMs = Limite;
        TempiLink.attesaRicercaReteMs = Limite;
        apri();
        risposte.reset();
        auto proprio = std::make_unique<RisposteConAttesa>();
        utente = proprio.get();
        risposte = std::move(proprio);
        rubrica = monta<Rubrica>(&frmMain::rubrica);
        messaggi = monta<Messaggi>(&frmMain::messaggi);
        oggetti = monta<Oggetti>(&frmMain::oggetti);
        impostazioni = monta<ImpostazioniTelefono>(&frmMain::impostazioni);
        finestra->Form_Load();
    }

    // One data row per way of failing, for each operation named.
    static void righeDiGuasto(const QStringList& operazioni,
                              const Guasti& guasti = SilenziDelTelefono)
    {
        QTest::addColumn<QString>("operazione");
        QTest::addColumn<int>("guasto");
        for (const QString& nome : operazioni)
            for (const auto& [guasto, come] : guasti)
                QTest::newRow(qPrintable(nome + QStringLiteral(", ") + QLatin1String(come)))
                    << nome << static_cast<int>(guasto);
    }

    // The command, 1 to n, at which the phone fails; 0 when another row already fails there.
    static int comandoGuasto(Guasto guasto, int n)
    {
        const int meta = (n + 1) / 2;
        switch (guasto) {
        case Guasto::MutoAlPrimo:
        case Guasto::RifiutoAlPrimo:
            return 1;
        case Guasto::MutoAMeta:
        case Guasto::RifiutoAMeta:
            return meta > 1 && meta < n ? meta : 0;
        case Guasto::MutoAllUltimo:
        case Guasto::RifiutoAllUltimo:
            return n > 1 ? n : 0;
        case Guasto::LentoAMeta:
            return meta;
        }
        return 0;
    }

    // From command k on, the phone is silent or slow; or it refuses command k.
    void guasta(Guasto guasto, int k)
    {
        s25sim::S25Simulator* t = telefono.get();
        const auto applica = [t, guasto] {
            if (guasto == Guasto::LentoAMeta)
                t->setReplyDelay(Ritardo);
            else if (guasto >= Guasto::RifiutoAlPrimo)
                t->failNextCommand();
            else
                t->setMuted(true);
        };
        if (k == 1) {
            applica();
            return;
        }
        auto visti = std::make_shared<std::atomic<int>>(0);
        telefono->setCommandObserver([=](const QString&) {
            if (++*visti == k - 1)
                applica();
        });
    }

    void ripara(Guasto guasto)
    {
        telefono->setCommandObserver({});
        telefono->clearFailures();
        telefono->setMuted(false);
        telefono->setReplyDelay(0);
        // The late reply has come and gone before the next command.
        if (guasto == Guasto::LentoAMeta)
            QTest::qWait(Ritardo);
    }

    // The operation is over once its wait window is gone and the program is back at its event
    // loop, where anything still due to the user is shown.
    void attendiFine()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!FinestraAttesa(), Pazienza);
        QTest::qWait(100);
    }

    // The message boxes that report something, without the questions.
    QStringList avvisi() const
    {
        QStringList testi;
        for (const RisposteFinte::Box& box : risposte->boxes)
            if (box.icona != QMessageBox::Question)
                testi << box.testo;
        return testi;
    }

    static QMap<QString, QByteArray> fileDelProgramma()
    {
        QMap<QString, QByteArray> file;
        const QDir cartella(CartellaProgramma());
        for (const QString& nome : cartella.entryList(QDir::Files))
            file.insert(nome, Contenuto(cartella.filePath(nome)));
        return file;
    }

    // Gives the phone back the data it started with; its line settings stay as they are.
    void ripristinaTelefono()
    {
        telefono->changeState([this](s25sim::PhoneState& s) {
            s.phonebooks = iniziale.phonebooks;
            s.messages = iniziale.messages;
            s.objects = iniziale.objects;
            s.locks = iniziale.locks;
            s.forwarding = iniziale.forwarding;
            s.ringTone = iniziale.ringTone;
        });
    }

    // The operation and the way of failing the data row names, among these operations.
    void provaGuastoDellaRiga(const QMap<QString, Operazione>& operazioni)
    {
        QFETCH(QString, operazione);
        QFETCH(int, guasto);
        provaGuasto(operazioni.value(operazione), static_cast<Guasto>(guasto));
    }

    // `comando`, when given, is the command (1 to n) at which the phone falls silent, in place of
    // the one the way of failing picks: for a step the first, middle and last do not reach.
    void provaGuasto(const Operazione& op, Guasto guasto, int comando = 0)
    {
        avvia();
        QVERIFY(!QTest::currentTestFailed());
        iniziale = telefono->state();
        op.prepara();
        QVERIFY(!QTest::currentTestFailed());
        telefono->clearCommandLog();
        op.esegui();
        const QStringList completa = telefono->commandLog();
        QVERIFY(!QTest::currentTestFailed());
        QVERIFY(!completa.isEmpty());
        const int k
            = comando > 0 ? comando : comandoGuasto(guasto, static_cast<int>(completa.size()));
        QVERIFY(k <= completa.size());
        if (k == 0)
            QSKIP("another row fails at the same command");

        op.prepara();
        QVERIFY(!QTest::currentTestFailed());
        const QString impronta = op.impronta();
        const QMap<QString, QByteArray> file = fileDelProgramma();
        const QStringList elenco = righe();
        risposte->boxes.clear();
        utente->sopraLAttesa = 0;
        telefono->clearCommandLog();
        guasta(guasto, k);
        op.esegui();
        attendiFine();

        // The operation ended at the command that went unanswered. A phone that took a command
        // for data (the next one in the full run is data) and answered too late is sent ESC at
        // once, so that it leaves data mode.
        QStringList finoAlGuasto = completa.mid(0, k);
        if (guasto == Guasto::LentoAMeta && completa.value(k).endsWith(QChar(26)))
            finoAlGuasto << QString(QChar(27));
        QCOMPARE(telefono->commandLog(), finoAlGuasto);
        const QStringList attesi = op.messaggi ? op.messaggi(k, static_cast<int>(completa.size()))
                                               : QStringList{Msg(VoceSenzaRisposta)};
        QCOMPARE(avvisi(), attesi);
        QCOMPARE(utente->sopraLAttesa, 0);
        QCOMPARE(op.impronta(), impronta);
        QCOMPARE(fileDelProgramma(), file);
        const QStringList dopo = righe();
        QVERIFY2(dopo == elenco || dopo.join(QLatin1Char('\n')).contains(Msg(82)),
                 qPrintable(dopo.join(QLatin1Char('\n'))));
        if (op.vista)
            op.vista(k);
        QVERIFY(finestra->isEnabled());

        ripara(guasto);
        risposte->boxes.clear();
        telefono->clearCommandLog();
        op.rileggi();
        QVERIFY(!telefono->commandLog().isEmpty());
        QCOMPARE(avvisi(), QStringList{});
    }
};
