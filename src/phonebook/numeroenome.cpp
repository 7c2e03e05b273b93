#include "numeroenome.h"

#include "ricerche.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

// A number being typed is looked up once it has this many characters.
constexpr int CaratteriPerRicerca = 4;

void Seleziona(QComboBox& nomi, int indice)
{
    const QSignalBlocker blocco(nomi);
    nomi.setCurrentIndex(indice);
}

// The last item bearing `nome`, as selecting each equal item in turn would leave it; -1 when none.
int UltimoCon(const QComboBox& nomi, const QString& nome)
{
    for (int i = nomi.count() - 1; i >= 0; --i)
        if (nomi.itemText(i) == nome)
            return i;
    return -1;
}

void ScriviNumero(QLineEdit& numero, const QString& testo)
{
    if (testo == numero.text())
        return;
    const QSignalBlocker blocco(numero);
    numero.setText(testo);
}

} // namespace

void NumeroScritto(QLineEdit& numero, QComboBox& nomi)
{
    const QString testo = numero.text();
    // Too short to look up: the selection stays.
    if (!testo.isEmpty() && testo.size() < CaratteriPerRicerca)
        return;
    const VoceRubrica* voce = testo.isEmpty() ? nullptr : VoceDelNumero(testo);
    if (!voce || voce->Nome.isEmpty()) {
        Seleziona(nomi, -1);
        return;
    }
    const int scelto = UltimoCon(nomi, voce->Nome);
    if (scelto < 0)
        return;
    Seleziona(nomi, scelto);
    // The number of the entry found, not of the first one bearing its name: another entry may
    // have the same name.
    ScriviNumero(numero, voce->Numero);
}

void NomeScelto(QLineEdit& numero, QComboBox& nomi)
{
    if (nomi.currentIndex() < 0 || nomi.currentText().isEmpty())
        return;
    ScriviNumero(numero, CercaNumeroDaNome(nomi.currentText()));
}
