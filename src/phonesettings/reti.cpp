#include "reti.h"

#include "attesa.h"
#include "campirisposta.h"
#include "catalogo.h"
#include "operatori.h"
#include "righerisposta.h"
#include "scambio.h"

namespace {

const QString TestoAttesaPredefinito = QStringLiteral("kaboom");
constexpr QStringView PrefissoRicerca = u"+COPS:";
// Status, long name, short name, numeric code; the access technology may follow.
constexpr qsizetype CampiVoce = 4;

// A line of the reply without the blanks at its ends, but those of a quoted name that goes on
// across the line break before or after it; the state follows the line.
QString SenzaBlankAiCapi(const QString& riga, DentroCampo& stato)
{
    const bool iniziaTraVirgolette = stato.TraVirgolette();
    stato.Segui(riga);
    qsizetype inizio = 0;
    qsizetype fine = riga.size();
    while (!iniziaTraVirgolette && inizio < fine && riga.at(inizio) == u' ')
        ++inizio;
    while (!stato.TraVirgolette() && fine > inizio && riga.at(fine - 1) == u' ')
        --fine;
    return riga.mid(inizio, fine - inizio);
}

// The fields of every line of the reply as one list: some phones give one "+COPS:" line per
// network, others break one long line where they please, also inside an entry. Each "+COPS:"
// line starts afresh, so that a stray quote in one hides no other. Each line is looked at once,
// however many come.
QStringList CampiDelleRighe(const QString& risposta)
{
    QStringList campi;
    QString campiRiga;
    DentroCampo interruzione;
    for (const QString& riga : RigheRisposta(risposta)) {
        const bool nuova = QStringView(riga).trimmed().startsWith(PrefissoRicerca);
        if (nuova) {
            campi << DividiCampi(campiRiga);
            campiRiga.clear();
            interruzione = DentroCampo();
        } else if (!campiRiga.isEmpty() && !interruzione.Dentro()) {
            campiRiga += u',';
        }
        const QString testo = SenzaBlankAiCapi(riga, interruzione);
        campiRiga += nuova ? testo.mid(PrefissoRicerca.size()) : testo;
    }
    return campi << DividiCampi(campiRiga);
}

} // namespace

std::vector<ReteTrovata> DecodificaReti(const QString& risposta)
{
    std::vector<ReteTrovata> reti;
    for (const QString& voce : CampiDelleRighe(risposta)) {
        if (voce.size() < 2 || !voce.startsWith(u'(') || !voce.endsWith(u')'))
            continue;
        const QStringList campi = DividiCampi(QStringView(voce).mid(1, voce.size() - 2));
        if (campi.size() < CampiVoce)
            continue;
        // The lists of supported modes and formats are parenthesised too: their fourth number
        // is no network's code.
        const std::optional<int> stato = InteroTra(campi.at(0), ReteSconosciuta, ReteVietata);
        const QString codice = CodiceOperatoreDaCampo(campi.at(3));
        if (!stato || !CodiceRete(codice))
            continue;
        const std::optional<QString> nome = NomeOperatoreDaRisposta(campi.at(1));
        reti.push_back({{codice, nome.value_or(QString())}, static_cast<uint8_t>(*stato), !nome});
    }
    return reti;
}

EsitoAT CercaReti(std::vector<Operatore>& operatori, std::vector<uint8_t>& stati)
{
    operatori.clear();
    stati.clear();
    const AttesaInCorso attesa(TestoAttesaPredefinito);
    EsitoAT esito = EsitoAT::Ok;
    const QString risposta = InviaComandoAT(QStringLiteral("AT+COPS=?"), &esito);
    if (esito != EsitoAT::Ok)
        return esito;
    for (const ReteTrovata& trovata : DecodificaReti(risposta)) {
        // The pane lists the networks as they are given here.
        operatori.push_back(trovata.nomeIgnoto
                                ? Operatore{trovata.rete.Codice, Msg(VoceSconosciuto)}
                                : trovata.rete);
        stati.push_back(trovata.stato);
    }
    return esito;
}

int ImmagineRete(uint8_t stato)
{
    switch (stato) {
    case ReteAttuale:
        return 58;
    case ReteDisponibile:
        return 57;
    case ReteVietata:
        return 60;
    default:
        return 0;
    }
}
