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

} // namespace

void NumeroScritto(QLineEdit& numero, QComboBox& nomi)
{
    const QString testo = numero.text();
    const QString nome = testo.size() >= CaratteriPerRicerca ? CercaNomeDaNumero(testo) : QString();
    if (testo == nome) {
        Seleziona(nomi, -1);
        return;
    }
    // Too short to look up: the selection stays, and the empty name picks no entry that has none.
    if (nome.isEmpty())
        return;
    const int scelto = UltimoCon(nomi, nome);
    if (scelto < 0)
        return;
    Seleziona(nomi, scelto);
    NomeScelto(numero, nomi);
}

void NomeScelto(QLineEdit& numero, QComboBox& nomi)
{
    if (nomi.currentIndex() < 0 || nomi.currentText().isEmpty())
        return;
    const QString memorizzato = CercaNumeroDaNome(nomi.currentText());
    if (memorizzato == numero.text())
        return;
    const QSignalBlocker blocco(numero);
    numero.setText(memorizzato);
}
