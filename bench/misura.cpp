#include "misura.h"

#include "catalogo.h"
#include "collegamento.h"
#include "frmmain.h"
#include "globali.h"
#include "programma.h"
#include "scambio.h"
#include "tempi.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <algorithm>

#include <sys/resource.h>

namespace {

constexpr int AvvioTelefonoMs = 10000;
constexpr int FineTelefonoMs = 3000;
constexpr int CollegamentoMs = 15000;
// The handshake is over once the line has stayed free and silent this long.
constexpr int QuieteMs = 300;
constexpr int BitPerByte = 10;

double CpuProcessoMs()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    const auto ms
        = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(uso.ru_utime) + ms(uso.ru_stime);
}

} // namespace

OpzioniBanco LeggiOpzioni(const QCoreApplication& applicazione, const QString& descrizione,
                          int giriPredefiniti)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(descrizione);
    parser.addHelpOption();
    const QCommandLineOption rapido(QStringLiteral("quick"),
                                    QStringLiteral("One run on a short input, to prove it works."));
    const QCommandLineOption giri(QStringLiteral("runs"),
                                  QStringLiteral("Counted runs after one warm-up."),
                                  QStringLiteral("n"), QString::number(giriPredefiniti));
    const QCommandLineOption baud(QStringLiteral("baud"), QStringLiteral("The phone's line rate."),
                                  QStringLiteral("rate"), QStringLiteral("19200"));
    const QCommandLineOption pezzo(
        QStringLiteral("chunk"),
        QStringLiteral("The phone writes at most this many bytes at once."),
        QStringLiteral("bytes"), QStringLiteral("1"));
    const QCommandLineOption registro(QStringLiteral("phone-log"),
                                      QStringLiteral("Keep the phone's timed command log here."),
                                      QStringLiteral("file"));
    parser.addOptions({rapido, giri, baud, pezzo, registro});
    parser.process(applicazione);
    OpzioniBanco opzioni;
    opzioni.rapido = parser.isSet(rapido);
    opzioni.giri = opzioni.rapido ? 1 : std::max(parser.value(giri).toInt(), 1);
    opzioni.baud = std::max(parser.value(baud).toInt(), 1);
    opzioni.pezzo = std::max(parser.value(pezzo).toInt(), 0);
    opzioni.registroTelefono = parser.value(registro);
    return opzioni;
}

AmbienteBanco::AmbienteBanco() : cartelle(std::make_unique<QTemporaryDir>())
{
    for (const char* variabile : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
        qputenv(variabile, cartelle->path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

AmbienteBanco::~AmbienteBanco() = default;

TelefonoEsterno::TelefonoEsterno() = default;

TelefonoEsterno::~TelefonoEsterno()
{
    if (processo.state() == QProcess::NotRunning)
        return;
    // The phone stops when its standard input closes.
    processo.closeWriteChannel();
    if (!processo.waitForFinished(FineTelefonoMs)) {
        processo.kill();
        processo.waitForFinished(FineTelefonoMs);
    }
}

bool TelefonoEsterno::Avvia(const QByteArray& seme, const OpzioniBanco& opzioni, QString& errore)
{
    fileSeme = std::make_unique<QTemporaryFile>();
    if (!fileSeme->open() || fileSeme->write(seme) != seme.size() || !fileSeme->flush()) {
        errore = QStringLiteral("cannot write the seed: ") + fileSeme->errorString();
        return false;
    }
    if (opzioni.registroTelefono.isEmpty())
        processo.setStandardErrorFile(QProcess::nullDevice());
    else
        processo.setStandardErrorFile(opzioni.registroTelefono);
    processo.start(QStringLiteral(S25SIM_PROGRAMMA),
                   {QStringLiteral("--seed"), fileSeme->fileName(), QStringLiteral("--baud"),
                    QString::number(opzioni.baud), QStringLiteral("--chunk"),
                    QString::number(opzioni.pezzo), QStringLiteral("--chunk-pause"),
                    QStringLiteral("0")});
    if (!processo.waitForStarted(AvvioTelefonoMs)) {
        errore = processo.errorString();
        return false;
    }
    QElapsedTimer attesa;
    attesa.start();
    while (!processo.canReadLine() && attesa.elapsed() < AvvioTelefonoMs
           && processo.state() == QProcess::Running)
        processo.waitForReadyRead(AvvioTelefonoMs);
    terminale = QString::fromLocal8Bit(processo.readLine()).trimmed();
    if (terminale.isEmpty())
        errore = QStringLiteral("the simulated phone named no terminal");
    return !terminale.isEmpty();
}

double GiroMisurato::FiloMs(int baud) const
{
    return double(Byte()) * BitPerByte * 1000.0 / baud;
}

ProgrammaInProva::ProgrammaInProva()
{
    QApplication::setApplicationName(QStringLiteral("Quorna"));
    CatalogoMessaggi::Carica();
    // Only the handshake is shortened; every other interval is the program's own.
    TempiLink = TempiCollegamento{};
    TempiLink.ecoMs = TempiLink.identitaMs = 30;
    BaseLang = 1001;
    Opzioni.Lingua = 1;
}

ProgrammaInProva::~ProgrammaInProva()
{
    if (!finestra)
        return;
    finestra->collegamento->ChiudiPorta();
    delete finestra;
}

bool ProgrammaInProva::Collega(const QString& terminale, QString& errore)
{
    qputenv("QUORNA_COM1", terminale.toLocal8Bit());
    finestra = CaricaFinestraPrincipale();
    finestra->setAttribute(Qt::WA_DeleteOnClose, false);
    collegamento = dynamic_cast<Collegamento*>(finestra->collegamento.get());
    QObject::connect(&collegamento->MSComm1, &MSComm::DatiRicevuti, [this](const QString& pezzo) {
        ricevuti += pezzo.size();
        ++pezzi;
    });
    QObject::connect(&collegamento->MSComm1.porta, &QSerialPort::bytesWritten,
                     [this](qint64 byte) { inviati += byte; });
    collegamento->Connetti();
    attendiQuiete();
    if (!Connesso)
        errore = QStringLiteral("the link did not come up");
    return Connesso;
}

void ProgrammaInProva::attendiQuiete()
{
    QElapsedTimer tempo;
    tempo.start();
    QElapsedTimer quiete;
    quiete.start();
    qint64 mossi = -1;
    while (tempo.elapsed() < CollegamentoMs) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        const bool libera = Connesso && LineaLibera && !ScambioInCorso()
                            && !collegamento->TimerGetT.isActive()
                            && !collegamento->TimerEcho.isActive();
        if (!libera || inviati + ricevuti != mossi) {
            mossi = inviati + ricevuti;
            quiete.restart();
        } else if (quiete.elapsed() >= QuieteMs)
            return;
    }
}

GiroMisurato ProgrammaInProva::Misura(const std::function<bool()>& operazione)
{
    inviati = ricevuti = pezzi = 0;
    GiroMisurato misura;
    const double cpuPrima = CpuProcessoMs();
    QElapsedTimer parete;
    parete.start();
    misura.riuscito = operazione();
    misura.pareteMs = double(parete.nsecsElapsed()) / 1e6;
    misura.cpuMs = CpuProcessoMs() - cpuPrima;
    misura.byteInviati = inviati;
    misura.byteRicevuti = ricevuti;
    misura.pezziRicevuti = pezzi;
    return misura;
}

double Serie::Mediana() const
{
    std::vector<double> ordinati = valori;
    std::sort(ordinati.begin(), ordinati.end());
    const size_t n = ordinati.size();
    if (n == 0)
        return 0;
    return n % 2 ? ordinati[n / 2] : (ordinati[n / 2 - 1] + ordinati[n / 2]) / 2;
}

double Serie::Minimo() const
{
    return valori.empty() ? 0 : *std::min_element(valori.begin(), valori.end());
}

double Serie::Massimo() const
{
    return valori.empty() ? 0 : *std::max_element(valori.begin(), valori.end());
}

QString Serie::Testo(int decimali) const
{
    return QStringLiteral("%1  [%2 .. %3]")
        .arg(Mediana(), 0, 'f', decimali)
        .arg(Minimo(), 0, 'f', decimali)
        .arg(Massimo(), 0, 'f', decimali);
}

void Rapporti::Aggiungi(const GiroMisurato& misura, int baud)
{
    filo.Aggiungi(misura.pareteMs / misura.FiloMs(baud));
    cpu.Aggiungi(misura.cpuMs / misura.pareteMs);
    cpuMs.Aggiungi(misura.cpuMs);
    pareteMs.Aggiungi(misura.pareteMs);
}

void Rapporti::Stampa(QTextStream& uscita) const
{
    uscita << "wall/wire:     " << filo.Testo(3) << '\n'
           << "cpu/wall:      " << cpu.Testo(3) << '\n'
           << "wall ms:       " << pareteMs.Testo(0) << '\n'
           << "cpu ms:        " << cpuMs.Testo(0) << '\n';
}

void StampaRisultato(QTextStream& uscita, const QString& titolo, const GiroMisurato& ultima,
                     const Rapporti& rapporti, int baud)
{
    uscita << titolo << '\n'
           << "bytes moved:   " << ultima.byteInviati << " sent, " << ultima.byteRicevuti
           << " received in " << ultima.pezziRicevuti << " chunks; wire time "
           << QString::number(ultima.FiloMs(baud), 'f', 0) << " ms\n";
    rapporti.Stampa(uscita);
}

bool Ripeti(ProgrammaInProva& programma, const OpzioniBanco& opzioni,
            const std::function<bool()>& operazione, Rapporti& rapporti, GiroMisurato& ultima)
{
    if (!opzioni.rapido && !programma.Misura(operazione).riuscito)
        return false;
    for (int giro = 0; giro < opzioni.giri; ++giro) {
        ultima = programma.Misura(operazione);
        if (!ultima.riuscito)
            return false;
        rapporti.Aggiungi(ultima, opzioni.baud);
    }
    return true;
}

int EseguiBanco(int argc, char* argv[], const BancoOperazione& banco)
{
    const AmbienteBanco ambiente;
    QApplication app(argc, argv);
    const OpzioniBanco opzioni = LeggiOpzioni(app, banco.descrizione, 5);
    QTextStream uscita(stdout);
    TelefonoEsterno telefono;
    ProgrammaInProva programma;
    if (!Prepara(telefono, programma, banco.seme(opzioni.rapido), opzioni, uscita))
        return 1;
    Rapporti rapporti;
    GiroMisurato ultima;
    if (!Ripeti(programma, opzioni, banco.operazione, rapporti, ultima)) {
        uscita << banco.seFallisce << '\n';
        return 1;
    }
    StampaRisultato(uscita, banco.titolo, ultima, rapporti, opzioni.baud);
    return 0;
}

bool Prepara(TelefonoEsterno& telefono, ProgrammaInProva& programma, const QByteArray& seme,
             const OpzioniBanco& opzioni, QTextStream& uscita)
{
    QString errore;
    if (!telefono.Avvia(seme, opzioni, errore)
        || !programma.Collega(telefono.Terminale(), errore)) {
        uscita << errore << '\n';
        return false;
    }
    uscita << "line: " << opzioni.baud << " baud both ways, the phone writing "
           << (opzioni.pezzo == 0
                   ? QStringLiteral("whole replies")
                   : QStringLiteral("at most %1 byte(s) at a time").arg(opzioni.pezzo))
           << "; " << opzioni.giri << (opzioni.giri == 1 ? " run" : " runs")
           << (opzioni.rapido ? ", no warm-up\n" : " after one warm-up\n");
    return true;
}
