// The receive path and the AT exchange, with a phone that answers each write with the next part
// of the input, delivered in chunks through the event loop as the serial port delivers them.
//
// Input: a first byte (bits 0 to 5: chunk size less one; bit 6: the phone hangs up instead of
// falling silent, which here is a Cancel), then the phone's answers to the session's writes, one
// after another, divided by NUL bytes.
//
// Each input runs twice: each answer delivered whole, then cut into chunks. Besides what the
// exchange promises its callers, the two runs must agree on every reply and every new-message
// indication, since how the bytes were split is an accident of the line. Where a data prompt or
// an ESC is seen the runs may rightly differ (the prompt has no line end, so where a chunk ends
// decides), and they are not compared.

#include "comune.h"

#include "globali.h"
#include "scambio.h"
#include "sessione.h"
#include "tempi.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace {

const QString Esc = QString(QChar(27));
constexpr int MaxComandi = 48;

// Delivers the answer to each write in chunks, each from its own pass of the event loop, never
// inside the write. When an answer to a command is all delivered and the exchange still waits,
// the phone falls silent: the wait is cancelled, or the link drops.
class PortaFinta : public PortaAT {
public:
    PortaFinta(QList<QString> risposte, qsizetype pezzo, bool riaggancia)
        : risposte(std::move(risposte)), pezzo(pezzo), riaggancia(riaggancia)
    {}

    bool PortOpen() const override { return true; }

    void Output(const QString& testo) override
    {
        scritti << testo;
        const int scrittura = static_cast<int>(scritti.size());
        const QString risposta = prossima < risposte.size() ? risposte[prossima++] : QString();
        ++inArrivo;
        QTimer::singleShot(0, [this, risposta, scrittura, comando = testo.endsWith(u'\r')] {
            consegna(risposta, 0, scrittura, comando);
        });
    }

    bool Esaurita() const { return prossima >= risposte.size(); }
    bool InArrivo() const { return inArrivo > 0; }
    QStringList scritti;

private:
    void consegna(const QString& risposta, qsizetype da, int scrittura, bool comando)
    {
        if (da < risposta.size()) {
            ConsegnaRicezione(risposta.mid(da, pezzo));
            QTimer::singleShot(0, [=] { consegna(risposta, da + pezzo, scrittura, comando); });
            return;
        }
        --inArrivo;
        // Only the wait for this very command falls silent; an ESC is answered without one.
        if (comando && scrittura == scritti.size() && ScambioInCorso())
            taci();
    }

    void taci()
    {
        if (riaggancia)
            Connesso = false;
        else
            Annulla = true;
        RisvegliaAttesa();
    }

    QList<QString> risposte;
    qsizetype prossima = 0;
    qsizetype pezzo;
    bool riaggancia;
    int inArrivo = 0;
};

struct Esito {
    EsitoAT esito;
    QString testo;
    bool operator==(const Esito& altro) const
    {
        return esito == altro.esito && testo == altro.testo;
    }
};

struct Corsa {
    QList<Esito> esiti;
    QList<int> indicazioni;
    QStringList scritti;
    bool prompt = false;
};

void ControllaEsito(const Esito& e, bool riaggancia)
{
    switch (e.esito) {
    case EsitoAT::Errore:
    case EsitoAT::Annullato:
    case EsitoAT::Scaduto:
        Verifica(e.testo == RispostaErrore, "a failed exchange answers ERRORE", e.testo);
        break;
    case EsitoAT::Prompt:
        Verifica(e.testo == QStringLiteral(">"), "the prompt answers \">\"", e.testo);
        break;
    case EsitoAT::LinkCaduto:
        Verifica(riaggancia, "the link drops only when the phone hangs up");
        break;
    case EsitoAT::PortaChiusa:
    case EsitoAT::LineaOccupata:
        Verifica(false, "an open, idle port never answers closed or busy");
        break;
    case EsitoAT::Ok:
        break;
    }
    Verifica(LineaLibera && !ScambioInCorso(), "the line is free once the exchange returns");
}

void Svuota(const PortaFinta& porta)
{
    while (porta.InArrivo())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

Corsa Esegui(const QList<QString>& risposte, qsizetype pezzo, bool riaggancia)
{
    PortaFinta porta(risposte, pezzo, riaggancia);
    RegistraPortaAT(&porta);
    PrendiIndicazioniSMS();
    Corsa s;
    EsitoAT ultimo = EsitoAT::Ok;
    for (int i = 0; i < MaxComandi && !porta.Esaurita(); ++i) {
        const Passo& passo = Copione()[i % Copione().size()];
        if (passo.dopoPrompt && ultimo != EsitoAT::Prompt)
            continue;
        Connesso = true;
        EsitoAT esito = EsitoAT::Ok;
        const QString testo = InviaComandoAT(passo.comando, &esito);
        Svuota(porta);
        ControllaEsito({esito, testo}, riaggancia);
        s.esiti << Esito{esito, testo};
        s.prompt = s.prompt || esito == EsitoAT::Prompt;
        ultimo = esito;
    }
    Svuota(porta);
    s.indicazioni = PrendiIndicazioniSMS();
    s.scritti = porta.scritti;
    RegistraPortaAT(nullptr);
    Connesso = false;
    return s;
}

QString Descrivi(const Corsa& c)
{
    QStringList righe;
    for (const Esito& e : c.esiti)
        righe << QString::number(static_cast<int>(e.esito)) + QStringLiteral(" [") + e.testo
                     + QLatin1Char(']');
    QStringList indici;
    for (const int i : c.indicazioni)
        indici << QString::number(i);
    return righe.join(u'\n') + QStringLiteral("\nnew messages: ") + indici.join(u' ');
}

bool ScrittoUnEsc(const QStringList& scritti)
{
    return std::any_of(scritti.begin(), scritti.end(),
                       [](const QString& s) { return s.contains(Esc); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    if (lunghezza == 0)
        return 0;
    TempiLink = TempiCollegamento{};
    // Silence is the input's to decide: a real bound would only make runs depend on the clock,
    // and the line is quiet as soon as nothing more is on its way.
    TempiLink.attesaMs = TempiLink.attesaInvioMs = TempiLink.attesaRicercaReteMs = 20000;
    TempiLink.quieteMs = 0;
    const qsizetype pezzo = (dati[0] & 0x3F) + 1;
    const bool riaggancia = (dati[0] & 0x40) != 0;
    const QStringList risposte = Parti(dati + 1, lunghezza - 1, MaxComandi);
    QList<QString> presenti = risposte;
    while (!presenti.isEmpty() && presenti.last().isEmpty())
        presenti.removeLast();

    const Corsa intere = Esegui(presenti, std::numeric_limits<int>::max(), riaggancia);
    const Corsa aPezzi = Esegui(presenti, pezzo, riaggancia);
    if (intere.prompt || aPezzi.prompt || intere.scritti != aPezzi.scritti
        || ScrittoUnEsc(intere.scritti))
        return 0;
    const QString dettagli = QStringLiteral("-- each answer whole:\n") + Descrivi(intere)
                             + QStringLiteral("\n-- in chunks of %1:\n").arg(pezzo)
                             + Descrivi(aPezzi);
    Verifica(intere.esiti == aPezzi.esiti, "a reply does not depend on how it was split", dettagli);
    Verifica(intere.indicazioni == aPezzi.indicazioni,
             "a new-message indication does not depend on how the stream was split", dettagli);
    return 0;
}
