#include "reti.h"

#include "attesa.h"
#include "operatori.h"
#include "scambio.h"

#include <QRegularExpression>

namespace {

const QString TestoAttesaPredefinito = QStringLiteral("kaboom");

} // namespace

std::vector<ReteTrovata> DecodificaReti(const QString& risposta)
{
    static const QRegularExpression voce(QStringLiteral(
        "\\(\\s*(\\d)\\s*,\\s*\"([^\"]*)\"\\s*,\\s*(?:\"[^\"]*\")?\\s*,\\s*\"?(\\d+)\"?\\s*\\)"));
    std::vector<ReteTrovata> reti;
    for (auto it = voce.globalMatch(risposta); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        reti.push_back({{CodiceOperatore(m.captured(3)), m.captured(2)},
                        static_cast<uint8_t>(m.captured(1).toInt())});
    }
    return reti;
}

void CercaReti(std::vector<Operatore>& operatori, std::vector<uint8_t>& stati)
{
    operatori.clear();
    stati.clear();
    const AttesaInCorso attesa(TestoAttesaPredefinito);
    EsitoAT esito = EsitoAT::Ok;
    const QString risposta = InviaComandoAT(QStringLiteral("AT+COPS=?"), &esito);
    if (esito != EsitoAT::Ok)
        return;
    for (const ReteTrovata& trovata : DecodificaReti(risposta)) {
        operatori.push_back(trovata.rete);
        stati.push_back(trovata.stato);
    }
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
