// The receive path the program runs, for replies of growing size: the simulated phone sends
// each reply over a pseudo-terminal paced at the line rate, one small chunk at a time, and every
// chunk wakes the port object, goes through the exchange and steps the wait window. Prints, per
// size, the time taken against the wire time, the program's CPU time against the time taken and
// per byte received. The cost per byte must stay flat: no chunk may make the program look at the
// whole reply again.

#include "attesa.h"
#include "misura.h"
#include "scambio.h"

#include <QApplication>

namespace {

constexpr int Posizioni = 250;

// A phone memory full of entries; a reply of the first n is about 45 bytes an entry.
QByteArray Seme()
{
    QByteArray seme = "[phonebook ME]\ntotal = " + QByteArray::number(Posizioni) + "\n";
    for (int p = 1; p <= Posizioni; ++p)
        seme += QByteArray::number(p) + " | +39333" + QByteArray::number(1000000 + p)
                + " | Contatto " + QByteArray::number(p) + "\n";
    return seme;
}

// One reply of the first `voci` entries, under the wait window as every read of the program.
bool LeggiVoci(int voci)
{
    const AttesaInCorso attesa(QStringLiteral("kaboom"));
    EsitoAT esito = EsitoAT::Errore;
    const QString corpo = InviaComandoAT(QStringLiteral("AT+CPBR=1,%1").arg(voci), &esito);
    return esito == EsitoAT::Ok && corpo.count(QStringLiteral("+CPBR:")) == voci;
}

} // namespace

int main(int argc, char* argv[])
{
    const AmbienteBanco ambiente;
    QApplication app(argc, argv);
    const OpzioniBanco opzioni = LeggiOpzioni(
        app, QStringLiteral("The receive path, for phonebook replies of growing size."), 3);
    QTextStream uscita(stdout);
    TelefonoEsterno telefono;
    ProgrammaInProva programma;
    if (!Prepara(telefono, programma, Seme(), opzioni, uscita))
        return 1;
    if (InviaComandoAT(QStringLiteral("AT+CPBS=ME")) != OKNudo) {
        uscita << "the phone memory could not be selected\n";
        return 1;
    }

    const QList<int> misure = opzioni.rapido ? QList<int>{5} : QList<int>{25, 100, Posizioni};
    double primoPerByte = 0;
    double ultimoPerByte = 0;
    for (const int voci : misure) {
        Rapporti rapporti;
        GiroMisurato ultima;
        const auto leggi = [voci] { return LeggiVoci(voci); };
        if (!Ripeti(programma, opzioni, leggi, rapporti, ultima)) {
            uscita << "the reply of " << voci << " entries did not come whole\n";
            return 1;
        }
        StampaRisultato(uscita, QStringLiteral("\nreply of %1 entries").arg(voci), ultima, rapporti,
                        opzioni.baud);
        const double cpuPerByte = rapporti.cpuMs.Mediana() * 1000.0 / double(ultima.byteRicevuti);
        uscita << "cpu us a byte: " << QString::number(cpuPerByte, 'f', 1) << '\n';
        if (voci == misure.first())
            primoPerByte = cpuPerByte;
        ultimoPerByte = cpuPerByte;
    }
    if (misure.size() > 1)
        uscita << "\ncpu a byte, largest reply against smallest: "
               << QString::number(ultimoPerByte / primoPerByte, 'f', 2) << "x\n";
    return 0;
}
