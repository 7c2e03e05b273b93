#include "melodia.h"

#include "attesa.h"
#include "blocchi.h"
#include "campirisposta.h"
#include "catalogo.h"
#include "globali.h"
#include "scambio.h"
#include "trasferimento.h"

#include <QRegularExpression>

bool EMelodiaVuota(const QByteArray& dati)
{
    static const QByteArray vuota = QByteArray::fromHex(
        "4D546864000000060000000100604D54726B0000001600FF58040402180800FF510307D00000C00100FF2F"
        "00");
    return dati == vuota;
}

namespace {

// Ring tones and volume steps are counted in two digits at most.
constexpr int MaxSuoneria = 99;
// The ranges take a few tens of characters: a longer reply is no answer to the query.
constexpr qsizetype MaxRispostaLimiti = 256;

std::optional<int> ValoreSuoneria(QStringView cifre)
{
    return InteroTra(cifre, 0, MaxSuoneria);
}

// The upper end of a range field, "(0-16)".
std::optional<int> MassimoIntervallo(QStringView campo)
{
    if (campo.size() < 2 || !campo.startsWith(u'(') || !campo.endsWith(u')'))
        return std::nullopt;
    const QStringView intervallo = campo.mid(1, campo.size() - 2);
    const qsizetype trattino = intervallo.indexOf(u'-');
    if (trattino < 0 || !ValoreSuoneria(intervallo.left(trattino)))
        return std::nullopt;
    return ValoreSuoneria(intervallo.mid(trattino + 1));
}

} // namespace

std::optional<Suoneria> DecodificaLimitiSuoneria(const QString& risposta)
{
    if (risposta.size() > MaxRispostaLimiti)
        return std::nullopt;
    const QStringList campi = CampiRisposta(risposta);
    if (campi.size() < 2)
        return std::nullopt;
    const std::optional<int> tono = MassimoIntervallo(campi.at(0));
    const std::optional<int> volume = MassimoIntervallo(campi.at(1));
    if (!tono || !volume)
        return std::nullopt;
    return Suoneria{*tono, volume};
}

std::optional<Suoneria> DecodificaSuoneria(const QString& risposta)
{
    static const QRegularExpression valori(QStringLiteral("^\\^SRTC: (\\d+),(\\d+)(,)?"));
    const QRegularExpressionMatch m = valori.match(risposta);
    const std::optional<int> tono = ValoreSuoneria(m.captured(1));
    if (!m.hasMatch() || !tono)
        return std::nullopt;
    Suoneria suoneria{*tono, std::nullopt};
    // The volume is read only when a further field follows it.
    if (m.hasCaptured(3)) {
        suoneria.volume = ValoreSuoneria(m.captured(2));
        if (!suoneria.volume)
            return std::nullopt;
    }
    return suoneria;
}

QString NomeFileDaPercorso(const QString& percorso)
{
    return percorso.mid(percorso.lastIndexOf(QLatin1Char('/')) + 1);
}

namespace {

constexpr int VoceSuoneria = 874;
constexpr int VoceMelodia = 882;
constexpr int VoceLimitiSuoneria = 902;

// The setting or the ranges the query gives; none when it gave none. `nonDati` notes, as `voce`,
// a query the phone refused or answered with nothing to read.
std::optional<Suoneria> Interroga(const QString& comando,
                                  std::optional<Suoneria> (*decodifica)(const QString&), int voce,
                                  LettureRifiutate& nonDati)
{
    EsitoAT esito = EsitoAT::Ok;
    const QString risposta = InviaComandoAT(comando, &esito);
    const std::optional<Suoneria> letta
        = esito == EsitoAT::Ok ? decodifica(risposta) : std::nullopt;
    nonDati.AnnotaSeNonDato(Msg(voce), esito, letta.has_value());
    return letta;
}

} // namespace

LetturaMidi LeggiMidi()
{
    const AttesaInCorso attesa(Msg(369));
    LetturaMidi lettura;
    lettura.limiti = Interroga(QStringLiteral("AT^SRTC=?"), DecodificaLimitiSuoneria,
                               VoceLimitiSuoneria, lettura.nonDati);
    lettura.suoneria
        = Interroga(QStringLiteral("AT^SRTC?"), DecodificaSuoneria, VoceSuoneria, lettura.nonDati);
    QByteArray dati;
    const Lettura melodia = LeggiOggetto(QStringLiteral("mid"), 0, dati);
    if (melodia == Lettura::Rifiutata) {
        lettura.ignota = true;
        lettura.nonDati.Annota(Msg(VoceMelodia));
    }
    if (melodia != Lettura::Presente || EMelodiaVuota(dati))
        return lettura;
    // A file that cannot take it says nothing of the melody the phone holds.
    ScriviFileIntero(FileMidi(), dati, Accesso::Consueto, &lettura.nonScritto);
    Telefono.MidiLetta = true;
    lettura.melodia = dati;
    return lettura;
}
