// The network replies: the networks in range ("AT+COPS=?") and the phone's operator list
// ("AT+COPN"), divided by a NUL byte. The operator list goes to "reti.op" as the program keeps
// it, and must load back as one operator per record, with the same codes and names.

#include "comune.h"

#include "globali.h"
#include "operatori.h"
#include "reti.h"
#include "scambio.h"

namespace {

bool AndataACapo(const QString& testo)
{
    return testo.contains(u'\r') || testo.contains(u'\n');
}

QString Descrivi(const std::vector<Operatore>& operatori)
{
    QStringList righe;
    for (const Operatore& op : operatori)
        righe << QStringLiteral("[%1] [%2]").arg(op.Codice, op.Nome);
    return righe.join(u'\n');
}

void ControllaFileOperatori(const std::vector<Operatore>& letti)
{
    const QString percorso = FileDiLavoro(QStringLiteral("reti.op"));
    Telefono.Operatori = letti;
    Verifica(SalvaFileOperatori(percorso), "the operator list is written");
    Telefono.Operatori.clear();
    Verifica(CaricaFileOperatori(percorso), "the operator list written loads");
    const std::vector<Operatore>& caricati = Telefono.Operatori;
    const QString dettagli = Descrivi(letti) + QStringLiteral("\n--\n") + Descrivi(caricati);
    Verifica(caricati.size() == letti.size(),
             "the operator list keeps one operator per record through its file", dettagli);
    for (size_t i = 0; i < letti.size(); ++i) {
        if (AndataACapo(letti[i].Codice) || AndataACapo(letti[i].Nome))
            continue;
        Verifica(caricati[i].Codice == letti[i].Codice && caricati[i].Nome == letti[i].Nome,
                 "an operator loads back as it was saved", dettagli);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    const QStringList r = Parti(dati, lunghezza, 2);
    for (const ReteTrovata& rete : DecodificaReti(r[0])) {
        Verifica(rete.rete.Codice.size() == 5, "a network code is 5 characters", rete.rete.Codice);
        ImmagineRete(rete.stato);
    }
    // An input that gives no operator reply at all (the empty input, say) has nothing to save.
    if (r[1].isEmpty())
        return 0;
    const std::vector<Operatore> letti
        = r[1] == OKNudo ? std::vector<Operatore>{} : DecodificaOperatori(r[1]);
    ControllaFileOperatori(letti);
    for (const Operatore& op : letti)
        NomeOperatore(op.Codice);
    Telefono.Operatori.clear();
    return 0;
}
