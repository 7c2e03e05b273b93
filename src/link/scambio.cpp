#include "scambio.h"

#include "attesa.h"
#include "campirisposta.h"
#include "catalogo.h"
#include "globali.h"
#include "interazione.h"
#include "ricevitore.h"
#include "tempi.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <array>
#include <functional>
#include <utility>

TempiCollegamento TempiLink;

namespace {

constexpr QChar CtrlZ = QChar(26);
constexpr QChar Esc = QChar(27);
constexpr QChar FineComando = u'\r';
// The code our own wake-ups end the local loop with; any other code is the program quitting.
constexpr int CodiceRisveglio = 0x5CA;
// A device that never stops sending (line noise, another device on the port) keeps the silence
// bound from running out; the whole wait also ends after this many bounds, far beyond the
// longest reply a phone sends at 19200 baud.
constexpr int LimitiPerTetto = 4;
constexpr int VoceSenzaRisposta = 795;
// While a wait window or a message box is still open the operation has not ended; it is looked
// at again after this many milliseconds.
constexpr int IntervalloFineOperazione = 50;

struct Avviso {
    QString testo;
    QMessageBox::Icon icona;
};

struct Scambio {
    PortaAT* porta = nullptr;
    RicevitoreAT ricevitore{BufferRx};
    QEventLoop* ciclo = nullptr;
    // The silence bound of the wait in progress, counted from the last chunk received.
    QElapsedTimer ultimaRicezione;
    bool inCorso = false;
    // The phone gave its prompt and waits for data that may never come.
    bool modoDati = false;
    // The last wait ended without its final result: a late reply may still be on its way.
    bool risincronizza = false;
    // The program is quitting: no wait may start any more.
    bool chiusura = false;
    // A command of the operation in progress found no answer within its bound.
    bool muto = false;
    // The final line of the last command, when the phone refused it.
    QString ultimoRifiuto;
    // The failure reports shown before that moment: a later one is the operation's own.
    int fallimentiPrima = 0;
    // Messages kept for the end of the operation in progress.
    QList<Avviso> avvisiInSospeso;
    bool fineProgrammata = false;
};

Scambio& scambio()
{
    static Scambio s;
    return s;
}

struct Risultato {
    QString testo;
    EsitoAT esito;
    QString rifiuto = {};
};

bool LinkVivo(const Scambio& s)
{
    return Connesso && s.porta && s.porta->PortOpen();
}

enum class Uscita { Condizione, Limite, Chiusura };

// Runs a local event loop until `finita` holds, until nothing arrives for `limiteMs` or `tettoMs`
// have passed in all, or until the program quits. It tests `finita` again at each
// RisvegliaAttesa only: the receive path calls it for a chunk that ends a reply (any other chunk
// just keeps the silence bound from running out), the link, the port and the wait window when the
// line drops, the port closes or the user cancels.
Uscita Attendi(int limiteMs, int tettoMs, const std::function<bool()>& finita)
{
    Scambio& s = scambio();
    QEventLoop ciclo;
    QTimer limite;
    QTimer tetto;
    bool scaduto = false;
    for (QTimer* timer : {&limite, &tetto}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    const auto scadi = [&] {
        scaduto = true;
        ciclo.exit(CodiceRisveglio);
    };
    QObject::connect(&tetto, &QTimer::timeout, &ciclo, scadi);
    // Restarting a timer for every chunk costs more than the chunk itself when a port delivers
    // one byte at a time: the bound looks at the time of the last chunk only when it runs out.
    QObject::connect(&limite, &QTimer::timeout, &ciclo, [&] {
        const qint64 silenzio = s.ultimaRicezione.elapsed();
        if (silenzio < limiteMs)
            limite.start(static_cast<int>(limiteMs - silenzio));
        else
            scadi();
    });
    s.ciclo = &ciclo;
    s.ultimaRicezione.start();
    limite.start(limiteMs);
    tetto.start(tettoMs);
    Uscita uscita = Uscita::Condizione;
    while (!finita()) {
        if (scaduto) {
            uscita = Uscita::Limite;
            break;
        }
        if (s.chiusura) {
            uscita = Uscita::Chiusura;
            break;
        }
        if (ciclo.exec() != CodiceRisveglio)
            s.chiusura = true;
    }
    s.ciclo = nullptr;
    return uscita;
}

bool OperazioneInCorso(const Scambio& s)
{
    return s.inCorso || FinestraAttesa() || InterazioneInCorso();
}

void ControllaFineOperazione();

void ProgrammaFineOperazione(int ritardoMs = 0)
{
    Scambio& s = scambio();
    if (s.fineProgrammata || !QCoreApplication::instance())
        return;
    s.fineProgrammata = true;
    QTimer::singleShot(ritardoMs, QCoreApplication::instance(), ControllaFineOperazione);
}

// Runs from the event loop, where the operation that left the phone silent has ended once
// nothing of it is still on screen: by then it has shown whatever report of its own it had.
void ControllaFineOperazione()
{
    Scambio& s = scambio();
    s.fineProgrammata = false;
    if (OperazioneInCorso(s)) {
        ProgrammaFineOperazione(IntervalloFineOperazione);
        return;
    }
    const bool senzaResoconto = s.muto && FallimentiSegnalati() == s.fallimentiPrima;
    s.muto = false;
    if (senzaResoconto)
        MsgBox(Msg(VoceSenzaRisposta), QMessageBox::Critical);
    MostraAvvisiInSospeso();
}

void SegnaSenzaRisposta(Scambio& s)
{
    if (!s.muto) {
        s.muto = true;
        s.fallimentiPrima = FallimentiSegnalati();
    }
    ProgrammaFineOperazione();
}

void EsciDalModoDati(Scambio& s)
{
    s.porta->Output(QString(Esc));
    s.modoDati = false;
    // The phone answers the ESC with a result of its own.
    s.risincronizza = true;
}

// Discards input until the line has been silent for a while. A prompt that arrives late (the
// command that asked for it was cancelled) is answered with ESC.
void ScartaFinoAQuiete(Scambio& s)
{
    const QDeadlineTimer tetto(TempiLink.attesaMs);
    // The prompt may already have come while the line was idle.
    if (s.ricevitore.Fine() == FineRisposta::Prompt && LinkVivo(s))
        s.porta->Output(QString(Esc));
    for (;;) {
        s.ricevitore.Azzera();
        // A line that never falls quiet is given up at the deadline, though not before a
        // quiet spell could have been seen.
        const int tettoMs = std::max(static_cast<int>(tetto.remainingTime()), TempiLink.quieteMs);
        Attendi(TempiLink.quieteMs, tettoMs,
                [&] { return s.ricevitore.Fine() == FineRisposta::Prompt || !LinkVivo(s); });
        if (s.ricevitore.Fine() != FineRisposta::Prompt || !LinkVivo(s))
            break;
        s.porta->Output(QString(Esc));
    }
    s.risincronizza = false;
}

// The commands the phone answers with the data prompt: a message to send or to store, a block of
// an object ("AT^SBNW=" with a block number and a count; with three fields it erases).
bool ChiedeIlPrompt(const QString& comando)
{
    constexpr QLatin1String Blocco("AT^SBNW=");
    constexpr qsizetype CampiBlocco = 4;
    if (comando.startsWith(QLatin1String("AT+CMGS="))
        || comando.startsWith(QLatin1String("AT+CMGW=")))
        return true;
    return comando.startsWith(Blocco)
           && DividiCampi(QStringView(comando).mid(Blocco.size())).size() == CampiBlocco;
}

Risultato RisultatoInterrotto(Scambio& s, const QString& comando, Uscita uscita)
{
    // A prompt lost on the line leaves the phone waiting for data all the same: until it has
    // left data mode it takes every later command for data.
    if (s.ricevitore.Fine() == FineRisposta::Prompt || ChiedeIlPrompt(comando))
        s.modoDati = true;
    if (s.modoDati)
        EsciDalModoDati(s);
    if (s.ricevitore.Fine() == FineRisposta::Nessuna)
        s.risincronizza = true;
    const EsitoAT esito = uscita == Uscita::Limite ? EsitoAT::Scaduto : EsitoAT::Annullato;
    return {RispostaErrore, esito};
}

Risultato RisultatoDellaRisposta(Scambio& s)
{
    switch (s.ricevitore.Fine()) {
    case FineRisposta::Ok:
        return {TagliaRisposta(BufferRx.left(s.ricevitore.FineIn())), EsitoAT::Ok};
    case FineRisposta::Errore:
        return {RispostaErrore, EsitoAT::Errore, s.ricevitore.RigaRifiuto()};
    case FineRisposta::Prompt:
        s.modoDati = true;
        return {QStringLiteral(">"), EsitoAT::Prompt};
    case FineRisposta::Nessuna:
        break;
    }
    // The link dropped: what had arrived, cut like a body.
    return {TagliaRisposta(BufferRx), EsitoAT::LinkCaduto};
}

Risultato EseguiComando(Scambio& s, const QString& comando)
{
    if (!s.porta || !s.porta->PortOpen())
        return {QString(), EsitoAT::PortaChiusa};
    if (s.chiusura)
        return {RispostaErrore, EsitoAT::Annullato};
    // The operation already waited its bound once: it ends here, without another wait.
    if (s.muto)
        return {RispostaErrore, EsitoAT::Scaduto};
    const bool chiudeDati = comando.endsWith(CtrlZ);
    // A caller that got the prompt and sends a command instead of data has given the data up.
    if (s.modoDati && !chiudeDati)
        EsciDalModoDati(s);
    if (s.risincronizza)
        ScartaFinoAQuiete(s);
    s.ricevitore.Azzera();
    s.porta->Output(comando + FineComando);
    if (chiudeDati)
        s.modoDati = false;
    if (!Connesso) {
        s.risincronizza = true;
        return {QString(), EsitoAT::LinkCaduto};
    }
    const int limite = LimiteAttesa(comando);
    const Uscita uscita = Attendi(limite, limite * LimitiPerTetto, [&] {
        return s.ricevitore.Fine() != FineRisposta::Nessuna || Annulla || !LinkVivo(s);
    });
    // Cancel wins over whatever arrived in the same pass.
    if (Annulla || uscita != Uscita::Condizione)
        return RisultatoInterrotto(s, comando, uscita);
    return RisultatoDellaRisposta(s);
}

} // namespace

bool RispostaDelTelefono(EsitoAT esito)
{
    return esito == EsitoAT::Ok || esito == EsitoAT::Errore || esito == EsitoAT::Prompt;
}

QString InviaComandoAT(const QString& comando, EsitoAT* esito)
{
    Scambio& s = scambio();
    if (s.inCorso) {
        if (esito)
            *esito = EsitoAT::LineaOccupata;
        return RispostaErrore;
    }
    Annulla = false;
    LineaLibera = false;
    s.inCorso = true;
    const Risultato risultato = EseguiComando(s, comando);
    s.inCorso = false;
    s.ultimoRifiuto = risultato.rifiuto;
    if (risultato.esito == EsitoAT::Scaduto)
        SegnaSenzaRisposta(s);
    s.ricevitore.SostituisciRisposta(risultato.testo);
    LineaLibera = true;
    if (esito)
        *esito = risultato.esito;
    return risultato.testo;
}

QString UltimoRifiuto()
{
    return scambio().ultimoRifiuto;
}

QString MotivoRifiuto(const QString& rigaRifiuto)
{
    struct Motivo {
        int codice;
        int voce;
    };
    // The codes of 27.007 for the equipment, the SIM and its memories that a memory's selection,
    // reading or writing may meet; any other is shown as the phone sent it.
    static constexpr std::array<Motivo, 22> Motivi{{
        {0, 850},   // phone failure
        {3, 842},   // operation not allowed
        {4, 843},   // operation not supported
        {5, 851},   // PH-SIM PIN required
        {10, 844},  // SIM not inserted
        {11, 845},  // SIM PIN required
        {12, 852},  // SIM PUK required
        {13, 846},  // SIM failure
        {14, 847},  // SIM busy
        {15, 853},  // SIM wrong
        {16, 854},  // incorrect password
        {17, 848},  // SIM PIN2 required
        {18, 855},  // SIM PUK2 required
        {20, 856},  // memory full
        {21, 857},  // invalid index
        {22, 849},  // not found
        {23, 858},  // memory failure
        {24, 885},  // text string too long
        {25, 886},  // invalid characters in text string
        {26, 887},  // dial string too long
        {27, 888},  // invalid characters in dial string
        {100, 859}, // unknown
    }};
    const std::optional<int> codice = CodiceErroreCME(rigaRifiuto);
    for (const Motivo& motivo : Motivi)
        if (codice == motivo.codice)
            return Msg(motivo.voce);
    return rigaRifiuto;
}

void ScriviSullaPorta(const QString& caratteri)
{
    const Scambio& s = scambio();
    if (s.porta && s.porta->PortOpen())
        s.porta->Output(caratteri);
}

int LimiteAttesa(const QString& comando)
{
    if (comando.startsWith(QLatin1String("AT+COPS=?")))
        return TempiLink.attesaRicercaReteMs;
    if (comando.endsWith(CtrlZ) || comando.startsWith(QLatin1String("AT+CMSS")))
        return TempiLink.attesaInvioMs;
    return TempiLink.attesaMs;
}

void RegistraPortaAT(PortaAT* porta)
{
    Scambio& s = scambio();
    s.porta = porta;
    s.modoDati = false;
    s.risincronizza = false;
    s.muto = false;
    s.avvisiInSospeso.clear();
}

void ConsegnaRicezione(const QString& pezzo)
{
    Scambio& s = scambio();
    s.ricevitore.Aggiungi(pezzo);
    // The bound counts silence: every chunk starts it again.
    s.ultimaRicezione.start();
    // A wait ends on a reply's end; a chunk that ends nothing need not wake it.
    if (s.ricevitore.Fine() != FineRisposta::Nessuna)
        RisvegliaAttesa();
}

QList<int> PrendiIndicazioniSMS()
{
    return scambio().ricevitore.PrendiIndicazioniSMS();
}

QStringList PrendiAltreMemorieSMS()
{
    return scambio().ricevitore.PrendiAltreMemorieSMS();
}

void RisvegliaAttesa()
{
    if (QEventLoop* ciclo = scambio().ciclo)
        ciclo->exit(CodiceRisveglio);
}

bool ScambioInCorso()
{
    return scambio().inCorso;
}

bool TelefonoMuto()
{
    return scambio().muto;
}

bool TelefonoIrraggiungibile()
{
    return !Connesso || TelefonoMuto();
}

void AvvisaDopoOperazione(const QString& testo, QMessageBox::Icon icona)
{
    scambio().avvisiInSospeso.append({testo, icona});
    ProgrammaFineOperazione();
}

void MostraAvvisiInSospeso()
{
    Scambio& s = scambio();
    if (OperazioneInCorso(s))
        return;
    for (const Avviso& avviso : std::exchange(s.avvisiInSospeso, {}))
        MsgBoxFallimento(avviso.testo, avviso.icona);
}
