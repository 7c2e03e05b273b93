#include "inputvoce.h"

#include "ricerche.h"
#include "righeat.h"

namespace {
const QLatin1Char SegnoRosso('!');
constexpr int VoceNomeRichiesto = 932;
} // namespace

bool NomeRosso(const QString& nome)
{
    return nome.endsWith(SegnoRosso);
}

QString NomeSenzaSegno(const QString& nome)
{
    return NomeRosso(nome) ? nome.chopped(1) : nome;
}

QString NomeDaScrivere(const QString& nome, bool rossa, int limite, TaglioTesto taglia)
{
    QString senza = NomeSenzaSegno(nome);
    if (limite > 0 && taglia)
        senza = taglia(senza, rossa ? limite - 1 : limite);
    return rossa ? senza + SegnoRosso : senza;
}

int ErroreVoce(const QString& nome, const QString& numero, bool rossa, const Lunghezze& limiti,
               SetCaratteri set, bool nomeRichiesto)
{
    if (nomeRichiesto && nome.isEmpty())
        return VoceNomeRichiesto;
    if (limiti.nome > 0 && LunghezzaNome(NomeDaScrivere(nome, rossa), set) > limiti.nome)
        return 386;
    if (!ValidaNumero(numero) || NumeroEntro(numero, limiti.numero) != numero)
        return 387;
    return 0;
}
