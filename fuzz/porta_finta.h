#pragma once

// A phone on a fake serial port for the targets that drive the AT exchange: it answers each write
// with the next of the input's answers, delivered in chunks, each from its own pass of the event
// loop and never inside the write, as the serial port delivers them.

#include "comune.h"

#include "globali.h"
#include "ricevitore.h"
#include "scambio.h"
#include "tempi.h"

#include <QCoreApplication>
#include <QTimer>

// When an answer to a command is all delivered and the exchange still waits for that very
// command, the phone falls silent: the wait is cancelled, or the link drops.
class PortaFinta : public PortaAT {
public:
    PortaFinta(QList<QString> risposte, qsizetype pezzo, bool riaggancia)
        : risposte(std::move(risposte)), pezzo(pezzo), riaggancia(riaggancia)
    {
        RegistraPortaAT(this);
    }
    ~PortaFinta() override { RegistraPortaAT(nullptr); }
    PortaFinta(const PortaFinta&) = delete;
    PortaFinta& operator=(const PortaFinta&) = delete;

    bool PortOpen() const override { return true; }

    void Output(const QString& testo) override
    {
        giuntoPrima << (giunti.isEmpty() ? QString() : giunti.last());
        lineaQuieta << (inArrivo == 0 && fineRiga);
        scritti << testo;
        const int scrittura = static_cast<int>(scritti.size());
        const QString risposta = prossima < risposte.size() ? risposte[prossima++] : QString();
        risposteDate << risposta;
        giunti << QString();
        ++inArrivo;
        QTimer::singleShot(0, [this, risposta, scrittura, comando = testo.endsWith(u'\r')] {
            consegna(risposta, 0, scrittura, comando);
        });
    }

    bool Esaurita() const { return prossima >= risposte.size(); }

    // Runs the event loop until every answer on its way is delivered.
    void Svuota() const
    {
        while (inArrivo > 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }

    // What has been delivered so far of the answer to write k (from 0).
    const QString& Giunto(qsizetype k) const { return giunti.at(k); }

    // Every write, the answer it got, and, at the time of each write, what had been delivered of
    // the answer to the write before it, and whether the line was quiet: every answer before it
    // delivered whole, and no line left unfinished.
    QStringList scritti;
    QStringList risposteDate;
    QStringList giuntoPrima;
    QList<bool> lineaQuieta;

private:
    void consegna(const QString& risposta, qsizetype da, int scrittura, bool comando)
    {
        if (da < risposta.size()) {
            const QString parte = risposta.mid(da, pezzo);
            giunti[scrittura - 1] += parte;
            fineRiga = parte.endsWith(u'\n');
            ConsegnaRicezione(parte);
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
    bool fineRiga = true;
    QStringList giunti;
};

// Silence is the input's to decide: a real bound would only make runs depend on the clock, and
// the line is quiet as soon as nothing more is on its way.
inline void TempiSenzaOrologio()
{
    TempiLink = TempiCollegamento{};
    TempiLink.attesaMs = TempiLink.attesaInvioMs = TempiLink.attesaRicercaReteMs = 20000;
    TempiLink.quieteMs = 0;
}

// A line the run before left unfinished is ended, and what it announced forgotten, so that each
// run starts on a clean line whatever the input before it left.
inline void LineaPulita()
{
    ConsegnaRicezione(QStringLiteral("\r\n"));
    PrendiIndicazioniSMS();
    PrendiAltreMemorieSMS();
}

// The lines of a text as the receive path ends them, at CR LF or a lone LF, each without its end;
// the last is the line in progress, empty when the text ends with a line end.
inline QStringList RigheDellaLinea(const QString& testo)
{
    QStringList righe = testo.split(u'\n');
    for (qsizetype i = 0; i + 1 < righe.size(); ++i)
        if (righe[i].endsWith(u'\r'))
            righe[i].chop(1);
    return righe;
}

// What arrived may ask for data: of its lines, the first that is the data prompt or a whole final
// result is the prompt. The prompt has no line end: it may be the line in progress.
inline bool PromptPrimaDiUnaFine(const QString& giunto)
{
    const QStringList righe = RigheDellaLinea(giunto);
    for (qsizetype i = 0; i < righe.size(); ++i) {
        if (righe[i] == u"> ")
            return true;
        if (i + 1 < righe.size() && RigaFinale(righe[i]) != FineRisposta::Nessuna)
            return false;
    }
    return false;
}

// The answer is the data prompt among the phone's own lines: before it, empty lines and lines of
// the phone's own; after it, nothing, or its line end followed by empty lines and at least one
// whole line of the phone's own. However the stream is split, it must end the exchange as the
// prompt.
inline bool PromptTraRigheProprie(const QString& risposta)
{
    const QStringList righe = RigheDellaLinea(risposta);
    qsizetype i = 0;
    while (i + 1 < righe.size() && (righe[i].isEmpty() || RigaNonRichiesta(righe[i])))
        ++i;
    if (righe[i] != u"> ")
        return false;
    if (i + 1 == righe.size())
        return true;
    if (!righe.last().isEmpty())
        return false;
    bool propria = false;
    for (qsizetype j = i + 1; j + 1 < righe.size(); ++j) {
        if (righe[j].isEmpty())
            continue;
        if (!RigaNonRichiesta(righe[j]))
            return false;
        propria = true;
    }
    return propria;
}
