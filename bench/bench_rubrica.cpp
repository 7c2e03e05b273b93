// Reading a SIM of 250 entries from the simulated phone paced at 19200 baud, through the main
// window's link and the phonebook reader. Prints the time taken and its ratio to the wire time
// of the bytes moved (ten bits a byte), which should stay at or below 1.10.

#include "catalogo.h"
#include "collegamento.h"
#include "frmmain.h"
#include "globali.h"
#include "rubrica.h"
#include "s25simulator.h"
#include "scambio.h"
#include "scambiorubrica.h"
#include "tempi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

constexpr int Baud = 19200;
constexpr int Posizioni = 250;

s25sim::PhoneState TelefonoPieno()
{
    s25sim::PhoneState stato = s25sim::defaultPhoneState();
    s25sim::PhonebookMemory& sim = stato.phonebooks["SM"];
    sim.total = Posizioni;
    for (int p = 1; p <= Posizioni; ++p)
        sim.entries[p] = {"+39333" + QByteArray::number(1000000 + p), 145,
                          "Contatto " + QByteArray::number(p)};
    return stato;
}

// The bytes on the wire for these commands and their replies, asked again of the phone (whose
// answers do not change), both directions counted.
qint64 ByteSulFilo(const QStringList& comandi)
{
    qint64 byte = 0;
    for (const QString& comando : comandi) {
        EsitoAT esito = EsitoAT::Ok;
        const QString corpo = InviaComandoAT(comando, &esito);
        // A bare OK comes whole; any other reply lost its framing, CR LF before and
        // CR LF CR LF "OK" CR LF after.
        const qint64 cornice = corpo == OKNudo ? 0 : 10;
        byte += comando.size() + 1 + corpo.size() + cornice;
    }
    return byte;
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir cartelle;
    for (const char* variabile : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
        qputenv(variabile, cartelle.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorna"));
    CatalogoMessaggi::Carica();
    QTextStream uscita(stdout);

    s25sim::S25Simulator telefono(TelefonoPieno());
    QString errore;
    if (!telefono.start(&errore)) {
        uscita << "the simulated phone did not start: " << errore << '\n';
        return 1;
    }
    qputenv("QUORNA_COM1", telefono.slavePath().toLocal8Bit());
    TempiLink.ecoMs = TempiLink.identitaMs = 30;
    TempiLink.timeoutMs = TempiLink.statoMs = 20;
    BaseLang = 1001;
    Opzioni.Lingua = 1;

    frmMain finestra;
    auto collegamento = std::make_unique<Collegamento>(finestra);
    Collegamento& link = *collegamento;
    finestra.collegamento = std::move(collegamento);
    finestra.rubrica = std::make_unique<Rubrica>(finestra);
    finestra.Form_Load();
    link.Connetti();
    QElapsedTimer attesa;
    attesa.start();
    const auto pronto = [&] {
        return Connesso && LineaLibera && !link.TimerGetT.isActive()
               && telefono.commandLog().size() >= 12;
    };
    while (!pronto() && attesa.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (!Connesso) {
        uscita << "the link did not come up\n";
        return 1;
    }

    telefono.setLineRate(Baud);
    telefono.clearCommandLog();
    QElapsedTimer cronometro;
    cronometro.start();
    const EsitoLettura esito = LeggiRubrica(0);
    const qint64 ms = cronometro.elapsed();
    const QStringList comandi = telefono.commandLog();
    if (esito != EsitoLettura::Letta || Telefono.Rubrica[0][Posizioni].Posizione.isEmpty()) {
        uscita << "the SIM was not read whole\n";
        return 1;
    }

    telefono.setLineRate(0);
    const qint64 byte = ByteSulFilo(comandi);
    const double filoMs = double(byte) * 10.0 * 1000.0 / Baud;
    const double rapporto = double(ms) / filoMs;
    uscita << "entries read:  " << Posizioni << '\n'
           << "bytes moved:   " << byte << '\n'
           << "wire time:     " << QString::number(filoMs, 'f', 0) << " ms\n"
           << "time taken:    " << ms << " ms\n"
           << "ratio:         " << QString::number(rapporto, 'f', 3)
           << (rapporto <= 1.10 ? "  (within 1.10)\n" : "  (OVER 1.10)\n");
    return rapporto <= 1.10 ? 0 : 2;
}
