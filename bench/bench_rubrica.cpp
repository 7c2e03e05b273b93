// Reading the four phonebook memories and the three call lists from the simulated phone, as the
// phonebook views read them, over a line paced at its rate both ways. Prints the time taken
// against the wire time of the bytes moved both ways, and the program's CPU time against it.

#include "globali.h"
#include "misura.h"
#include "scambiorubrica.h"

#include <QApplication>

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
    const AmbienteBanco ambiente;
    QApplication app(argc, argv);
    const OpzioniBanco opzioni = LeggiOpzioni(
        app, QStringLiteral("Reads the four phonebook memories and the three call lists."), 5);
    QTextStream uscita(stdout);
    TelefonoEsterno telefono;
    ProgrammaInProva programma;
    if (!Prepara(telefono, programma, Seme(opzioni.rapido), opzioni, uscita))
        return 1;

    Rapporti rapporti;
    GiroMisurato ultima;
    if (!Ripeti(programma, opzioni, LeggiTutto, rapporti, ultima)) {
        uscita << "the phonebook was not read whole\n";
        return 1;
    }
    StampaRisultato(uscita, QStringLiteral("phonebook: four memories and three call lists"), ultima,
                    rapporti, opzioni.baud);
    return 0;
}
