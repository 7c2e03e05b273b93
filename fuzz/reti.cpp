// The network replies: the networks in range ("AT+COPS=?") and the phone's operator list
// ("AT+COPN"), divided by a NUL byte, read in the GSM alphabet and in UCS2. The operator list goes
// to "reti.op" as the program keeps it, and must load back as one operator per record, with the
// same codes and the names as the Windows-1252 file holds them (a character it lacks is '?'): every
// operator whose code fits the file's 5-character field, the others being left out of the file.

#include "comune.h"

#include "campirisposta.h"
#include "globali.h"
#include "operatori.h"
#include "reti.h"
#include "scambio.h"

namespace {

constexpr qsizetype LunghezzaCodiceFile = 5;

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
    std::vector<Operatore> nelFile;
    for (const Operatore& op : letti) {
        Verifica(!AndataACapo(op.Nome), "an operator name read from the phone holds no line end",
                 Descrivi({op}));
        if (op.Codice.size() <= LunghezzaCodiceFile)
            nelFile.push_back({op.Codice, NelCodicePagina(op.Nome)});
    }
    const QString percorso = FileDiLavoro(QStringLiteral("reti.op"));
    Telefono.Operatori = letti;
    Verifica(SalvaFileOperatori(percorso), "the operator list is written");
    Telefono.Operatori.clear();
    Verifica(CaricaFileOperatori(percorso), "the operator list written loads");
    const QString dettagli
        = Descrivi(nelFile) + QStringLiteral("\n--\n") + Descrivi(Telefono.Operatori);
    Verifica(Descrivi(Telefono.Operatori) == Descrivi(nelFile),
             "the operator list loads back from its file as it was saved, one operator per record",
             dettagli);
}

// The replies read as a phone in the GSM alphabet gives them, and as one in UCS2, which may give
// the codes in hex too.
void LeggiNelSet(const QStringList& r)
{
    for (const ReteTrovata& rete : DecodificaReti(r[0])) {
        Verifica(CodiceRete(rete.rete.Codice), "a network code has five or six digits",
                 rete.rete.Codice);
        ImmagineRete(rete.stato);
    }
    // An input that gives no operator reply at all (the empty input, say) has nothing to save.
    if (r[1].isEmpty())
        return;
    const std::vector<Operatore> letti
        = r[1] == OKNudo ? std::vector<Operatore>{} : DecodificaOperatori(r[1]);
    ControllaFileOperatori(letti);
    for (const Operatore& op : letti) {
        Verifica(CodiceRete(op.Codice.trimmed()), "an operator's code has five or six digits",
                 op.Codice);
        NomeOperatore(op.Codice);
    }
    Telefono.Operatori.clear();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    const QStringList r = Parti(dati, lunghezza, 2);
    for (const SetCaratteri set : {SetCaratteri::GSM, SetCaratteri::UCS2}) {
        SetTelefono = set;
        LeggiNelSet(r);
    }
    SetTelefono = SetCaratteri::GSM;
    return 0;
}
