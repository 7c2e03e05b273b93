#include "trasferimenti.h"

#include "attesa.h"
#include "campirisposta.h"
#include "catalogo.h"
#include "globali.h"
#include "ricerche.h"
#include "righerisposta.h"
#include "scambio.h"

#include <array>

namespace {

constexpr int VoceRicezioneTrasf = 457;
constexpr int VoceImpostazioneTrasf = 463;
// The captions of the reasons, one entry each from this one.
constexpr int VoceMotivo = 57;
constexpr QStringView PrefissoTrasf = u"+CCFC:";
constexpr std::array<int, NumLineeTrasf> ClassiPerLinea{1, 4, 2};
// A class is the sum of the bits of one octet; the phone waits 1 to 30 seconds before it
// forwards an unanswered call.
constexpr int ClasseMassima = 255;
constexpr int TempoMassimo = 30;

bool MotivoValido(int motivo)
{
    return motivo >= 0 && motivo < NumMotiviTrasf;
}

// The class lines a class number holds.
std::array<bool, NumLineeTrasf> LineeDellaClasse(int classe)
{
    std::array<bool, NumLineeTrasf> linee{};
    for (size_t k = 0; k < linee.size(); ++k)
        linee[k] = (classe & ClassiPerLinea[k]) != 0;
    return linee;
}

struct EsitoInvio {
    bool ok = false;
    bool collegamento = true; // the phone answered, OK or not
};

EsitoInvio Invia(const QString& comando)
{
    EsitoAT esito = EsitoAT::Ok;
    InviaComandoAT(comando, &esito);
    return {esito == EsitoAT::Ok, RispostaDelTelefono(esito)};
}

// The state of one reason as the phone reports it now; none when it did not answer with one.
std::optional<Trasferimento> LeggiMotivo(uint8_t motivo, const Trasferimento& prima, EsitoAT& esito)
{
    const QString risposta = InviaComandoAT(ComandoLeggiTrasf(motivo), &esito);
    return esito == EsitoAT::Ok ? DecodificaTrasf(motivo, risposta, prima) : std::nullopt;
}

// Registers again the lines other than `linea` that were active, after a reason-wide command
// that switched every class of the reason off. True when all of them are back on. Otherwise the
// table shows what the phone now holds: the reason read again while the phone answers; when it
// refuses that read or no longer answers, a line whose registration failed may or may not be
// on, and the lines not asked any more are off.
bool RiregistraAltre(uint8_t motivo, uint8_t linea, Trasferimento& t)
{
    bool tutte = true;
    bool collegamento = true;
    for (uint8_t k = 0; k < NumLineeTrasf; ++k) {
        if (k == linea || t.Stato[k] != 1)
            continue;
        if (!collegamento) {
            t.Stato[k] = 0;
            continue;
        }
        const std::optional<QString> comando = ComandoRegistraTrasf(
            motivo, k, t.Numero[k], motivo == MotivoSenzaRisposta ? t.Tempo[k] : 0);
        const EsitoInvio esito = comando ? Invia(*comando) : EsitoInvio{false, true};
        if (esito.ok)
            continue;
        tutte = false;
        collegamento = esito.collegamento;
        t.Stato[k] = StatoTrasfIgnoto;
    }
    EsitoAT esito = EsitoAT::Ok;
    if (!tutte && collegamento)
        t = LeggiMotivo(motivo, t, esito).value_or(t);
    return tutte;
}

} // namespace

int ClasseTrasf(int linea)
{
    return ClassiPerLinea[static_cast<size_t>(linea)];
}

uint8_t ComandiTrasf::TipoNumero(const QString& numero)
{
    if (numero.isEmpty())
        return 0;
    return numero.startsWith(QLatin1Char('+')) ? 145 : 129;
}

std::optional<Trasferimento> DecodificaTrasf(uint8_t motivo, const QString& risposta,
                                             const Trasferimento& prima)
{
    // <status>,<class>[,<number>,<type>[,<subaddress>,<subaddress type>[,<time>]]]
    enum Campo : qsizetype { CampoStato, CampoClasse, CampoNumero, CampoTipo, CampoTempo = 6 };
    Trasferimento t;
    t.Tempo = prima.Tempo;
    int righe = 0;
    int lette = 0;
    for (const QString& riga : RigheRisposta(risposta)) {
        if (!TagliaSpazi(riga).startsWith(PrefissoTrasf))
            continue;
        const QStringList campi = CampiRisposta(riga);
        const QString campoClasse = campi.value(CampoClasse);
        const std::optional<int> attivo = InteroTra(campi.value(CampoStato), 0, 1);
        const std::optional<int> classe
            = campoClasse.isEmpty()
                  ? (righe < NumLineeTrasf ? ClassiPerLinea[static_cast<size_t>(righe)] : 0)
                  : InteroTra(campoClasse, 1, ClasseMassima);
        ++righe;
        // "Not active" for a class out of range is how many phones say that nothing is
        // forwarded: the line is read, and the classes no line reports are off already.
        if (attivo == 0 && !classe) {
            ++lette;
            continue;
        }
        if (!attivo || !classe)
            continue;
        ++lette;
        // A quote left in the number is a garbled field, which would name no number.
        QString numero = SenzaVirgolette(campi.value(CampoNumero));
        numero = numero.contains(u'"') ? QString() : NumeroConTipo(numero, campi.value(CampoTipo));
        const std::optional<int> secondi = InteroTra(campi.value(CampoTempo), 1, TempoMassimo);
        const std::array<bool, NumLineeTrasf> linee = LineeDellaClasse(*classe);
        for (size_t k = 0; k < NumLineeTrasf; ++k) {
            if (!linee[k])
                continue;
            t.Stato[k] = static_cast<uint8_t>(*attivo);
            t.Numero[k] = numero;
            if (motivo == MotivoSenzaRisposta && !numero.isEmpty() && secondi)
                t.Tempo[k] = static_cast<uint8_t>(*secondi);
        }
    }
    if (lette == 0 && risposta != OKNudo)
        return std::nullopt;
    return t;
}

QString ComandoLeggiTrasf(int motivo)
{
    return QStringLiteral("AT+CCFC=%1,2").arg(motivo);
}

std::optional<QString> ComandoRegistraTrasf(int motivo, int linea, const QString& numero, int tempo)
{
    if (!MotivoValido(motivo) || linea < 0 || linea >= NumLineeTrasf || !ValidaNumero(numero))
        return std::nullopt;
    QString comando = QStringLiteral("AT+CCFC=%1,3,%2,%3,%4")
                          .arg(motivo)
                          .arg(numero)
                          .arg(ComandiTrasf::TipoNumero(numero))
                          .arg(ClasseTrasf(linea));
    // A time of 0 is out of the phone's range: none is sent.
    if (tempo > 0)
        comando += QStringLiteral(",,,%1").arg(tempo);
    return comando;
}

QString ComandoModoTrasf(int motivo, ModoTrasf modo)
{
    return QStringLiteral("AT+CCFC=%1,%2").arg(motivo).arg(static_cast<int>(modo));
}

LettureRifiutate LeggiTrasf()
{
    const AttesaInCorso attesa(Msg(VoceRicezioneTrasf));
    auto letti = Telefono.Trasferimenti;
    LettureRifiutate nonDati;
    for (uint8_t r = 0; r < NumMotiviTrasf; ++r) {
        EsitoAT esito = EsitoAT::Ok;
        Trasferimento& t = letti[r];
        const std::optional<Trasferimento> letto = LeggiMotivo(r, t, esito);
        // The link is gone or the phone fell silent: the table stays as it was.
        if (!RispostaDelTelefono(esito))
            return {};
        if (!letto) {
            // Neither what an earlier read found nor off: the phone did not say.
            t.Stato.fill(StatoTrasfIgnoto);
            for (QString& numero : t.Numero)
                numero.clear();
            nonDati.AnnotaSeNonDato(Msg(VoceMotivo + r), esito, false);
            continue;
        }
        t = *letto;
    }
    Telefono.Trasferimenti = letti;
    Telefono.TrasfLetti = true;
    return nonDati;
}

EsitoTrasf ImpostaTrasf(uint8_t motivo, uint8_t modo, uint8_t linea, const QString& numero,
                        uint8_t tempo)
{
    if (!MotivoValido(motivo) || linea >= NumLineeTrasf)
        return EsitoTrasf::NonFatto;
    const AttesaInCorso attesa(Msg(VoceImpostazioneTrasf));
    Trasferimento& t = Telefono.Trasferimenti[motivo];
    switch (modo) {
    case Registra: {
        const std::optional<QString> comando = ComandoRegistraTrasf(motivo, linea, numero, tempo);
        if (!comando || !Invia(*comando).ok)
            return EsitoTrasf::NonFatto;
        t.Stato[linea] = 1;
        t.Numero[linea] = numero;
        if (motivo == MotivoSenzaRisposta)
            t.Tempo[linea] = tempo;
        return EsitoTrasf::Fatto;
    }
    case Disattiva:
    case Cancella: {
        if (!Invia(ComandoModoTrasf(motivo, static_cast<ModoTrasf>(modo))).ok)
            return EsitoTrasf::NonFatto;
        // Every class of the reason is off now, those left unknown by an earlier change too.
        t.Stato[linea] = 0;
        for (uint8_t& stato : t.Stato)
            if (stato == StatoTrasfIgnoto)
                stato = 0;
        if (modo == Cancella) {
            // The erase took every number of the reason; only the active lines get theirs back,
            // since a registration would also switch an inactive one on.
            for (uint8_t k = 0; k < NumLineeTrasf; ++k)
                if (k == linea || t.Stato[k] != 1)
                    t.Numero[k].clear();
        }
        return RiregistraAltre(motivo, linea, t) ? EsitoTrasf::Fatto : EsitoTrasf::InParte;
    }
    default:
        return EsitoTrasf::NonFatto;
    }
}
