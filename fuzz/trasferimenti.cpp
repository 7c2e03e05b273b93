// The call forwarding replies ("AT+CCFC=<reason>,2"). Input: a first byte that picks the
// reason, then the reply body.
//
// What was read, as the phone reports it when it holds that setting, must read back the same:
// the state, number and no-reply time of every class line.

#include "comune.h"

#include "globali.h"
#include "trasferimenti.h"

namespace {

// The reply of a phone holding this setting: one line per class, the time after ",,," for the
// no-reply reason.
QString RispostaDelTelefono(uint8_t motivo, const Trasferimento& t)
{
    QStringList righe;
    for (int linea = 0; linea < NumLineeTrasf; ++linea) {
        const auto k = static_cast<size_t>(linea);
        QString riga = QStringLiteral("+CCFC: ") + QString::number(t.Stato[k]) + QLatin1Char(',')
                       + QString::number(ClasseTrasf(linea));
        if (!t.Numero[k].isEmpty()) {
            riga += QStringLiteral(",\"") + t.Numero[k] + QStringLiteral("\",")
                    + QString::number(ComandiTrasf::TipoNumero(t.Numero[k]));
            if (motivo == MotivoSenzaRisposta && t.Tempo[k] > 0)
                riga += QStringLiteral(",,,") + QString::number(t.Tempo[k]);
        }
        righe << riga;
    }
    return righe.join(QStringLiteral("\r\n"));
}

QString Descrivi(const Trasferimento& t)
{
    QStringList linee;
    for (size_t k = 0; k < NumLineeTrasf; ++k)
        linee << QString::number(t.Stato[k]) + QStringLiteral(" \"") + t.Numero[k]
                     + QStringLiteral("\" ") + QString::number(t.Tempo[k]);
    return linee.join(QStringLiteral(" | "));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    if (lunghezza == 0)
        return 0;
    const auto motivo = static_cast<uint8_t>(dati[0] % NumMotiviTrasf);
    const QString risposta = Testo(dati + 1, lunghezza - 1);
    const std::optional<Trasferimento> letto = DecodificaTrasf(motivo, risposta, Trasferimento());
    if (!letto)
        return 0;
    for (int linea = 0; linea < NumLineeTrasf; ++linea) {
        const auto k = static_cast<size_t>(linea);
        Verifica(letto->Stato[k] <= 1, "a class line is either active or not");
        ComandoRegistraTrasf(motivo, linea, letto->Numero[k], letto->Tempo[k]);
    }
    const QString rispostaRiletta = RispostaDelTelefono(motivo, *letto);
    const std::optional<Trasferimento> riletto = DecodificaTrasf(motivo, rispostaRiletta, *letto);
    Verifica(riletto && Descrivi(*riletto) == Descrivi(*letto),
             "a forwarding setting reads back as it was read",
             Descrivi(*letto) + QStringLiteral("\n") + rispostaRiletta);
    return 0;
}
