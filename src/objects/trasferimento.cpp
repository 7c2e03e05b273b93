#include "trasferimento.h"

#include "attesa.h"
#include "blocchi.h"
#include "catalogo.h"
#include "globali.h"
#include "scambio.h"

namespace {

const QString CtrlZ = QString(QChar(26));

QString Comando(const QString& verbo, const QString& tipo, int indice)
{
    return QStringLiteral("AT^%1=%2,%3").arg(verbo, tipo).arg(indice);
}

// The bytes in place of object `tipo`, 0: the phone takes a new one only in place of the one it
// holds, which goes first.
bool SostituisciOggetto(const QString& tipo, const QByteArray& dati, const Avanzamento& avanzamento)
{
    if (dati.size() > MaxByteOggetto)
        return false;
    InviaComandoAT(Comando(QStringLiteral("SBNW"), tipo, 0) + QStringLiteral(",0"));
    if (!ScriviOggetto(tipo, 0, dati, avanzamento))
        return false;
    NascondiAttesa();
    return true;
}

} // namespace

Lettura LeggiOggetto(const QString& tipo, int indice, QByteArray& dati)
{
    EsitoAT esito = EsitoAT::Ok;
    const QString risposta = InviaComandoAT(Comando(QStringLiteral("SBNR"), tipo, indice), &esito);
    if (esito == EsitoAT::Errore)
        return Lettura::Rifiutata;
    if (esito != EsitoAT::Ok)
        return Lettura::Fallita;
    if (EOKNudo(risposta))
        return Lettura::Assente;
    const std::optional<QByteArray> letti = DatiDaBlocchi(risposta, tipo, indice);
    if (!letti)
        return Lettura::Fallita;
    dati = *letti;
    return Lettura::Presente;
}

bool ScriviOggetto(const QString& tipo, int indice, const QByteArray& dati,
                   const Avanzamento& avanzamento, QString* ultimaRisposta)
{
    const QStringList blocchi = BlocchiHex(dati);
    const int numero = static_cast<int>(blocchi.size());
    for (int i = 1; i <= numero; ++i) {
        const QString annuncio = Comando(QStringLiteral("SBNW"), tipo, indice)
                                 + QStringLiteral(",%1,%2").arg(i).arg(numero);
        // Only the exchange's own prompt opens data mode: a final OK whose body reads ">" does
        // not, and the hex would land on the phone's command line.
        EsitoAT esito = EsitoAT::Ok;
        InviaComandoAT(annuncio, &esito);
        if (esito != EsitoAT::Prompt)
            return false;
        ScriviSullaPorta(blocchi.at(i - 1));
        const QString risposta = InviaComandoAT(CtrlZ, &esito);
        // A block the phone refused is a failed write, whatever the blocks after it would do.
        if (esito != EsitoAT::Ok)
            return false;
        if (ultimaRisposta)
            *ultimaRisposta = risposta;
        if (avanzamento)
            avanzamento(i, numero);
    }
    return true;
}

bool CancellaOggetto(const QString& tipo, int indice, EsitoAT* esito)
{
    EsitoAT fine = EsitoAT::Ok;
    const QString risposta = InviaComandoAT(
        Comando(QStringLiteral("SBNW"), tipo, indice) + QStringLiteral(",0"), &fine);
    if (esito)
        *esito = fine;
    return fine == EsitoAT::Ok && EOKNudo(risposta);
}

QString FileLogo()
{
    return FileProgramma(QStringLiteral("S25Logo.bmp"));
}

QString FileMidi()
{
    return FileProgramma(QStringLiteral("S25Midi.mid"));
}

LetturaLogo LeggiLogo()
{
    const AttesaInCorso attesa(Msg(368));
    LetturaLogo letto;
    QByteArray dati;
    letto.lettura = LeggiOggetto(QStringLiteral("bmp"), 0, dati);
    if (letto.lettura != Lettura::Presente)
        return letto;
    Telefono.LogoLetto = true;
    // Bytes that make no picture are no logo to keep in place of the last one.
    letto.logo = LogoDaByte(dati, "bmp");
    // A file that cannot take it says nothing of the logo the phone holds.
    if (letto.logo)
        ScriviFileIntero(FileLogo(), dati, Accesso::Consueto, &letto.nonScritto);
    return letto;
}

bool ScriviLogo(const QByteArray& bitmap, const Avanzamento& avanzamento)
{
    return SostituisciOggetto(QStringLiteral("bmp"), bitmap, avanzamento);
}

bool ScriviMidi(const QByteArray& melodia, const Avanzamento& avanzamento)
{
    return SostituisciOggetto(QStringLiteral("mid"), melodia, avanzamento);
}

bool ScriviMidi(const QString& percorso, const Avanzamento& avanzamento, FileRifiutato* rifiuto)
{
    const std::optional<QByteArray> melodia = LeggiFileIntero(percorso, MaxByteOggetto, rifiuto);
    return melodia && ScriviMidi(*melodia, avanzamento);
}
