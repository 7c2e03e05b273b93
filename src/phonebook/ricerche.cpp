#include "ricerche.h"

#include "catalogo.h"
#include "globali.h"
#include "tabella.h"

namespace {

// "+cc" followed by d on one side and "0" followed by d on the other.
bool StessoNumeroNazionale(const QString& internazionale, const QString& nazionale)
{
    return internazionale.size() >= 3 && internazionale.startsWith(QLatin1Char('+'))
           && nazionale.startsWith(QLatin1Char('0'))
           && QStringView(internazionale).mid(3) == QStringView(nazionale).mid(1);
}

bool StessoNumero(const QString& cercato, const QString& voce)
{
    return cercato == voce || StessoNumeroNazionale(cercato, voce)
           || StessoNumeroNazionale(voce, cercato);
}

// Visits the entries in search order until `trovata` says stop; the entry found, or null.
template <class Condizione>
const VoceRubrica* PrimaVoce(Condizione trovata)
{
    for (int m = 0; m < NumMemorie; ++m) {
        const int tenute = PosizioniTenute(m);
        for (int p = 1; p <= tenute; ++p) {
            const VoceRubrica& voce
                = Telefono.Rubrica[static_cast<size_t>(m)][static_cast<size_t>(p)];
            if (trovata(voce))
                return &voce;
        }
    }
    return nullptr;
}

// An entry named exactly so; a name that could not be read is no name, the empty one included.
auto ConNome(const QString& nome)
{
    return [&nome](const VoceRubrica& v) { return !v.NomeIgnoto && v.Nome == nome; };
}

} // namespace

const VoceRubrica* VoceDelNumero(const QString& numero)
{
    return PrimaVoce([&numero](const VoceRubrica& v) {
        return !v.Posizione.isEmpty() && StessoNumero(numero, v.Numero);
    });
}

QString CercaNomeDaNumero(const QString& numero)
{
    const VoceRubrica* voce = VoceDelNumero(numero);
    return voce && !voce->Nome.isEmpty() ? voce->Nome : numero;
}

QString CercaNumeroDaNome(const QString& nome)
{
    const VoceRubrica* voce = PrimaVoce(ConNome(nome));
    return voce && !voce->Numero.isEmpty() ? voce->Numero : Msg(333);
}

bool ValidaNumero(const QString& numero)
{
    if (numero.isEmpty())
        return false;
    const QStringView cifre
        = numero.startsWith(QLatin1Char('+')) ? QStringView(numero).mid(1) : QStringView(numero);
    for (const QChar c : cifre)
        if ((c < u'0' || c > u'9') && c != u'*' && c != u'#')
            return false;
    return true;
}
