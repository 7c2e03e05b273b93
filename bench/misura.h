#pragma once

// What the benchmarks share: the program as a user runs it (the main window, its port and its
// wait window), talking to the simulated phone in a process of its own over a pseudo-terminal
// paced at the line rate, and the figures of each transfer: its wall time against the wire time
// of the bytes it moved both ways, and the program's own CPU time against its wall time.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTextStream>

#include <functional>
#include <memory>
#include <vector>

class QCoreApplication;
class QTemporaryDir;
class QTemporaryFile;
class Collegamento;
class frmMain;

struct OpzioniBanco {
    bool rapido = false; // one run on a short input, no warm-up: proves the road works
    int giri = 5;        // counted runs, after one warm-up
    int baud = 19200;
    int pezzo = 1;            // the phone writes at most this many bytes at a time
    QString registroTelefono; // where the phone writes its timed command log; none when empty
};

// Reads --quick, --runs N, --baud RATE, --chunk BYTES and --phone-log FILE.
OpzioniBanco LeggiOpzioni(const QCoreApplication& applicazione, const QString& descrizione,
                          int giriPredefiniti);

// Before the application object: folders of its own for settings and files, so that the user's
// are never touched, and the offscreen platform when there is no display.
class AmbienteBanco {
public:
    AmbienteBanco();
    ~AmbienteBanco();

private:
    std::unique_ptr<QTemporaryDir> cartelle;
};

// The s25sim program on a pseudo-terminal, started from a seed text.
class TelefonoEsterno {
public:
    TelefonoEsterno();
    ~TelefonoEsterno();
    bool Avvia(const QByteArray& seme, const OpzioniBanco& opzioni, QString& errore);
    QString Terminale() const { return terminale; }

private:
    QProcess processo;
    std::unique_ptr<QTemporaryFile> fileSeme;
    QString terminale;
};

// The figures of one run of a transfer.
struct GiroMisurato {
    bool riuscito = false;
    double pareteMs = 0;
    double cpuMs = 0;
    qint64 byteInviati = 0;
    qint64 byteRicevuti = 0;
    qint64 pezziRicevuti = 0;

    qint64 Byte() const { return byteInviati + byteRicevuti; }
    // Ten bits a byte (8N1), both directions in turn as the AT dialogue goes.
    double FiloMs(int baud) const;
};

// The main window with every subsystem, connected to the phone on this terminal.
class ProgrammaInProva {
public:
    ProgrammaInProva();
    ~ProgrammaInProva();
    bool Collega(const QString& terminale, QString& errore);
    // Runs the operation (true when it read what it should) and measures it.
    GiroMisurato Misura(const std::function<bool()>& operazione);

private:
    void attendiQuiete();

    frmMain* finestra = nullptr;
    Collegamento* collegamento = nullptr;
    qint64 inviati = 0;
    qint64 ricevuti = 0;
    qint64 pezzi = 0;
};

// Values of one figure over the runs: the median to quote and the spread around it.
class Serie {
public:
    void Aggiungi(double valore) { valori.push_back(valore); }
    double Mediana() const;
    double Minimo() const;
    double Massimo() const;
    // "1.021  [1.015 .. 1.034]": median, then lowest and highest.
    QString Testo(int decimali) const;

private:
    std::vector<double> valori;
};

// The ratios of a set of runs, as all three benchmarks print them.
struct Rapporti {
    Serie filo; // wall time over wire time
    Serie cpu;  // the program's CPU time over wall time
    Serie cpuMs;
    Serie pareteMs;

    void Aggiungi(const GiroMisurato& misura, int baud);
    void Stampa(QTextStream& uscita) const;
};

// What was read, the bytes of its last run and the ratios of all runs.
void StampaRisultato(QTextStream& uscita, const QString& titolo, const GiroMisurato& ultima,
                     const Rapporti& rapporti, int baud);

// Runs the operation once unmeasured (unless quick), then the counted runs; false as soon as
// one run did not read what it should.
bool Ripeti(ProgrammaInProva& programma, const OpzioniBanco& opzioni,
            const std::function<bool()>& operazione, Rapporti& rapporti, GiroMisurato& ultima);

// Starts the phone from this seed and connects the program to it; the reason on failure.
bool Prepara(TelefonoEsterno& telefono, ProgrammaInProva& programma, const QByteArray& seme,
             const OpzioniBanco& opzioni, QTextStream& uscita);

// A benchmark of one operation, run as often as asked against the phone from its seed.
struct BancoOperazione {
    QString descrizione;                         // what --help says
    std::function<QByteArray(bool rapido)> seme; // the phone's state, smaller in a quick run
    std::function<bool()> operazione;            // false when it did not read what it should
    QString titolo;                              // heads the figures
    QString seFallisce;                          // printed when a run read less
};
// The whole program of such a benchmark: its exit code.
int EseguiBanco(int argc, char* argv[], const BancoOperazione& banco);
