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
// decides), and they are not compared; but in each run a command's own answer decides the
// prompt wherever the line was quiet before it: a prompt among the phone's own lines is taken,
// one after a final result is not.

#include "comune.h"
#include "porta_finta.h"
#include "sessione.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace {

const QString Esc = QString(QChar(27));
constexpr int MaxComandi = 48;

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
    QStringList altreMemorie;
    QStringList scritti;
    bool prompt = false;
};

// The body of a reply that ended on its OK is the phone's text whole: framed again as the phone
// frames it, with or without the empty line before the OK, it reads back as itself.
void ControllaCorpo(const QString& corpo)
{
    if (corpo == OKNudo)
        return;
    const QString cornice = QStringLiteral("\r\n") + corpo + QStringLiteral("\r\n");
    Verifica(TagliaRisposta(cornice + QStringLiteral("\r\nOK\r\n")) == corpo,
             "a reply's body is its text whole, without the framing", corpo);
    // A text that ends on an empty line cannot tell it from the framing.
    if (!corpo.endsWith(u'\n'))
        Verifica(TagliaRisposta(cornice + QStringLiteral("OK\r\n")) == corpo,
                 "a reply's body does not depend on the empty line before the OK", corpo);
}

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
        ControllaCorpo(e.testo);
        break;
    }
    Verifica(LineaLibera && !ScambioInCorso(), "the line is free once the exchange returns");
}

// The command's own write among those of one exchange: the ESCs the exchange sends before it
// (to leave data mode, to answer a late prompt) and after it (to leave the data mode a cancelled
// command may have opened) are no command, and what answers them is not the command's answer.
// None when the exchange wrote no command.
std::optional<qsizetype> ScritturaDelComando(const PortaFinta& porta, qsizetype primaScritti)
{
    for (qsizetype k = primaScritti; k < porta.scritti.size(); ++k)
        if (porta.scritti.at(k).endsWith(u'\r'))
            return k;
    return std::nullopt;
}

// On a quiet line, what the command's own answer holds decides the prompt, however it is split:
// the prompt among the phone's own lines is taken, a final result before it never is.
void ControllaPrompt(const PortaFinta& porta, qsizetype primaScritti, EsitoAT esito)
{
    const std::optional<qsizetype> scrittura = ScritturaDelComando(porta, primaScritti);
    if (!scrittura || !porta.lineaQuieta.at(*scrittura))
        return;
    const qsizetype comando = *scrittura;
    const QString& risposta = porta.risposteDate.at(comando);
    if (esito == EsitoAT::Prompt)
        Verifica(PromptPrimaDiUnaFine(porta.Giunto(comando)),
                 "the exchange takes a prompt only where it came before any final result",
                 risposta);
    if (PromptTraRigheProprie(risposta))
        Verifica(esito == EsitoAT::Prompt,
                 "a prompt among the phone's own lines ends the exchange as the prompt", risposta);
}

Corsa Esegui(const QList<QString>& risposte, qsizetype pezzo, bool riaggancia)
{
    LineaPulita();
    PortaFinta porta(risposte, pezzo, riaggancia);
    Corsa s;
    EsitoAT ultimo = EsitoAT::Ok;
    for (int i = 0; i < MaxComandi && !porta.Esaurita(); ++i) {
        const Passo& passo = Copione()[i % Copione().size()];
        if (passo.dopoPrompt && ultimo != EsitoAT::Prompt)
            continue;
        Connesso = true;
        EsitoAT esito = EsitoAT::Ok;
        const qsizetype primaScritti = porta.scritti.size();
        const QString testo = InviaComandoAT(passo.comando, &esito);
        ControllaPrompt(porta, primaScritti, esito);
        porta.Svuota();
        ControllaEsito({esito, testo}, riaggancia);
        s.esiti << Esito{esito, testo};
        s.prompt = s.prompt || esito == EsitoAT::Prompt;
        ultimo = esito;
    }
    porta.Svuota();
    s.indicazioni = PrendiIndicazioniSMS();
    s.altreMemorie = PrendiAltreMemorieSMS();
    s.scritti = porta.scritti;
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
    return righe.join(u'\n') + QStringLiteral("\nnew messages: ") + indici.join(u' ')
           + QStringLiteral("\nin other memories: ") + c.altreMemorie.join(u' ');
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
    TempiSenzaOrologio();
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
    Verifica(intere.indicazioni == aPezzi.indicazioni && intere.altreMemorie == aPezzi.altreMemorie,
             "a new-message indication does not depend on how the stream was split", dettagli);
    return 0;
}
