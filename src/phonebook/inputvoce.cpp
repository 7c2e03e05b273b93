#include "inputvoce.h"

#include "codecs.h"
#include "ricerche.h"
#include "righeat.h"

namespace {
const QLatin1Char SegnoRosso('!');
}

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

int ErroreVoce(const QString& nome, const QString& numero, bool rossa, const Lunghezze& limiti)
{
    if (limiti.nome > 0 && CodificaTestoGSM(NomeDaScrivere(nome, rossa)).size() > limiti.nome)
        return 386;
    if (!ValidaNumero(numero) || NumeroEntro(numero, limiti.numero) != numero)
        return 387;
    return 0;
}
