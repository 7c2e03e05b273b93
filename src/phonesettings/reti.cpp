#include "reti.h"

#include "attesa.h"
#include "campirisposta.h"
#include "scambio.h"

namespace {

const QString TestoAttesaPredefinito = QStringLiteral("kaboom");
// Status, long name, short name, numeric code; the access technology may follow.
constexpr qsizetype CampiVoce = 4;

} // namespace

std::vector<ReteTrovata> DecodificaReti(const QString& risposta)
{
    std::vector<ReteTrovata> reti;
    // One line, however the phone breaks it.
    const QString riga = QString(risposta).remove(u'\r').remove(u'\n');
    for (const QString& voce : CampiRisposta(riga)) {
        // The networks end at the empty field before the lists of modes and formats.
        if (voce.isEmpty())
            break;
        if (voce.size() < 2 || !voce.startsWith(u'(') || !voce.endsWith(u')'))
            continue;
        const QStringList campi = DividiCampi(QStringView(voce).mid(1, voce.size() - 2));
        if (campi.size() < CampiVoce)
            continue;
        const std::optional<int> stato = InteroTra(campi.at(0), ReteSconosciuta, ReteVietata);
        const QString codice = SenzaVirgolette(campi.at(3));
        if (!stato || !SoloCifre(codice))
            continue;
        reti.push_back({{codice, SenzaVirgolette(campi.at(1))}, static_cast<uint8_t>(*stato)});
    }
    return reti;
}

bool CercaReti(std::vector<Operatore>& operatori, std::vector<uint8_t>& stati)
{
    operatori.clear();
    stati.clear();
    const AttesaInCorso attesa(TestoAttesaPredefinito);
    EsitoAT esito = EsitoAT::Ok;
    const QString risposta = InviaComandoAT(QStringLiteral("AT+COPS=?"), &esito);
    if (esito != EsitoAT::Ok)
        return false;
    for (const ReteTrovata& trovata : DecodificaReti(risposta)) {
        operatori.push_back(trovata.rete);
        stati.push_back(trovata.stato);
    }
    return true;
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
