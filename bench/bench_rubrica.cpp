// Reading the four phonebook memories and the three call lists from the simulated phone, as the
// phonebook views read them, over a line paced at its rate both ways. Prints the time taken
// against the wire time of the bytes moved both ways, and the program's CPU time against it.

#include "globali.h"
#include "misura.h"
#include "scambiorubrica.h"

namespace {

constexpr int NumMemorie = 4;
constexpr int NumListe = 3;

// Memories of realistic size: full names and numbers in a good part of the SIM and the phone.
QByteArray Seme(bool rapido)
{
    const int voci = rapido ? 3 : 60;
    QByteArray seme;
    const auto memoria = [&](const char* codice, int totale, int usate) {
        seme += QByteArray("[phonebook ") + codice + "]\ntotal = " + QByteArray::number(totale)
                + "\n";
        for (int p = 1; p <= usate; ++p)
            seme += QByteArray::number(p) + " | +39333" + QByteArray::number(1000000 + p)
                    + " | Contatto " + QByteArray::number(p) + "\n";
    };
    memoria("SM", 100, voci);
    memoria("FD", 10, rapido ? 1 : 5);
    memoria("ME", 250, voci);
    memoria("ON", 3, 2);
    for (const char* lista : {"RC", "MC", "LD"})
        memoria(lista, 10, rapido ? 2 : 10);
    return seme;
}

bool LeggiTutto()
{
    for (uint8_t memoria = 0; memoria < NumMemorie; ++memoria)
        if (LeggiRubrica(memoria) != EsitoLettura::Letta)
            return false;
    for (uint8_t lista = 0; lista < NumListe; ++lista)
        if (LeggiListaChiamate(lista) != EsitoLettura::Letta)
            return false;
    return !Telefono.Rubrica[0][1].Posizione.isEmpty();
}

} // namespace

int main(int argc, char* argv[])
{
    return EseguiBanco(
        argc, argv,
        {QStringLiteral("Reads the four phonebook memories and the three call lists."), Seme,
         LeggiTutto, QStringLiteral("phonebook: four memories and three call lists"),
         QStringLiteral("the phonebook was not read whole")});
}
