// The block writer that sends a logo, a melody or a reminder to the phone ("AT^SBNW"), with a
// phone that answers each write with the next part of the input, delivered in chunks through the
// event loop.
//
// Input: a first byte (bits 0 to 5: chunk size less one; bit 6: the phone hangs up instead of
// falling silent), a second byte (the object's length in threes of bytes: one to five blocks),
// then the phone's answers to the writer's writes, one after another, divided by NUL bytes.
//
// A block's hex goes to the phone only right after its own announcement. On a quiet line, it goes
// only when what the phone had sent by then asks for data (a final result before any prompt
// never does), and an announcement answered by the prompt among the phone's own lines is always
// followed by its data. A write that reports success sent every block in order, each closed and
// taken.

#include "comune.h"
#include "porta_finta.h"

#include "blocchi.h"
#include "trasferimento.h"

namespace {

const QString CtrlZ = QString(QChar(26));
constexpr int MaxRisposte = 20;
const QString Tipo = QStringLiteral("bmp");

QString Annuncio(int blocco, int blocchi)
{
    return QStringLiteral("AT^SBNW=%1,0,%2,%3\r").arg(Tipo).arg(blocco).arg(blocchi);
}

QByteArray Oggetto(uint8_t lunghezza)
{
    QByteArray oggetto(3 * lunghezza, '\0');
    for (qsizetype i = 0; i < oggetto.size(); ++i)
        oggetto[i] = static_cast<char>(i * 7);
    return oggetto;
}

// Each data write: the block it carries follows its own announcement, which the phone answered
// with a prompt before any final result. (Where the announcement went while the answer before it
// was still arriving, a prompt in that answer's tail may rightly be taken for its own.)
void ControllaDati(const PortaFinta& porta, const QStringList& blocchi)
{
    for (qsizetype k = 0; k < porta.scritti.size(); ++k) {
        const qsizetype blocco = blocchi.indexOf(porta.scritti[k]);
        if (blocco < 0 || porta.scritti[k].endsWith(u'\r'))
            continue;
        Verifica(k > 0 && porta.scritti[k - 1] == Annuncio(blocco + 1, blocchi.size()),
                 "a block's data follows its own announcement", porta.scritti.join(u'\n'));
        if (!porta.lineaQuieta[k - 1])
            continue;
        Verifica(PromptPrimaDiUnaFine(porta.giuntoPrima[k]),
                 "a block's data goes only after the phone's prompt, never after a final result",
                 porta.giuntoPrima[k]);
    }
}

// Each announcement written on a quiet line and answered by the prompt among the phone's own
// lines is followed by its data.
void ControllaPromptPresi(const PortaFinta& porta, const QStringList& blocchi)
{
    for (qsizetype k = 0; k < porta.scritti.size(); ++k) {
        if (!porta.scritti[k].startsWith(QStringLiteral("AT^SBNW=")) || !porta.lineaQuieta[k]
            || !PromptTraRigheProprie(porta.risposteDate[k]))
            continue;
        Verifica(k + 1 < porta.scritti.size() && blocchi.contains(porta.scritti[k + 1]),
                 "an announcement answered by the prompt among the phone's own lines is followed "
                 "by its data",
                 porta.risposteDate[k]);
    }
}

// The writes of a whole send: each block announced, its hex, Ctrl-Z.
QStringList ScrittureRiuscite(const QStringList& blocchi)
{
    QStringList scritture;
    for (int i = 0; i < blocchi.size(); ++i)
        scritture << Annuncio(i + 1, static_cast<int>(blocchi.size())) << blocchi[i]
                  << CtrlZ + QLatin1Char('\r');
    return scritture;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    if (lunghezza < 2)
        return 0;
    TempiSenzaOrologio();
    const qsizetype pezzo = (dati[0] & 0x3F) + 1;
    const bool riaggancia = (dati[0] & 0x40) != 0;
    const QByteArray oggetto = Oggetto(dati[1]);
    const QStringList blocchi = BlocchiHex(oggetto);
    QList<QString> risposte = Parti(dati + 2, lunghezza - 2, MaxRisposte);
    while (!risposte.isEmpty() && risposte.last().isEmpty())
        risposte.removeLast();

    LineaPulita();
    PortaFinta porta(risposte, pezzo, riaggancia);
    Connesso = true;
    QList<int> avanzamenti;
    const bool riuscita = ScriviOggetto(
        Tipo, 0, oggetto, [&](int blocco, int) { avanzamenti << blocco; }, nullptr);
    porta.Svuota();
    Connesso = false;
    Verifica(LineaLibera && !ScambioInCorso(), "the line is free once the writer returns");
    ControllaDati(porta, blocchi);
    ControllaPromptPresi(porta, blocchi);
    if (riuscita) {
        Verifica(porta.scritti == ScrittureRiuscite(blocchi),
                 "a send that succeeded wrote every block in order, each announced and closed",
                 porta.scritti.join(u'\n'));
        Verifica(avanzamenti.size() == blocchi.size(), "a send that succeeded told every block");
    }
    return 0;
}
