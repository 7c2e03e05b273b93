#include "comune.h"

#include "catalogo.h"
#include "codecs.h"
#include "globali.h"
#include "interazione.h"
#include "vocabolario.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <signal.h>

namespace {

const QString PrefissoCartella = QStringLiteral("quorna-fuzz-");

// The folder of a process that has ended: a crash ends a run at once, before any clean-up.
bool Orfana(const QFileInfo& cartella)
{
    bool numero = false;
    const qint64 pid = cartella.fileName().mid(PrefissoCartella.size()).toLongLong(&numero);
    return numero && pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// One folder per process, in memory where the system offers it (the loaders write and sync files
// on every run), named after the process and removed when it ends; the folders that crashed
// processes left behind are removed by the next one.
class CartellaDiLavoro {
public:
    CartellaDiLavoro()
    {
        const QString memoria = QStringLiteral("/dev/shm");
        const QDir base(QFileInfo(memoria).isWritable() ? memoria : QDir::tempPath());
        for (const QFileInfo& vecchia :
             base.entryInfoList({PrefissoCartella + QLatin1Char('*')}, QDir::Dirs))
            if (Orfana(vecchia))
                QDir(vecchia.filePath()).removeRecursively();
        percorso
            = base.filePath(PrefissoCartella + QString::number(QCoreApplication::applicationPid()));
        QDir().mkpath(percorso);
    }
    ~CartellaDiLavoro() { QDir(percorso).removeRecursively(); }

    QString percorso;
};

const QString& Radice()
{
    static const CartellaDiLavoro cartella;
    return cartella.percorso;
}

void CartelleProprie()
{
    const QString radice = Radice();
    for (const char* nome : {"config", "data", "runtime"}) {
        QDir(radice).mkpath(QString::fromLatin1(nome));
        const QByteArray variabile = QByteArray("XDG_") + QByteArray(nome).toUpper()
                                     + (qstrcmp(nome, "runtime") == 0 ? "_DIR" : "_HOME");
        qputenv(variabile.constData(), (radice + QLatin1Char('/') + nome).toLocal8Bit());
    }
    QFile::setPermissions(radice + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The readers tell the user what they lost or could not keep: no one is there to answer, and a
// box with no application to show it on would end the run as a crash of the program.
class NessunUtente : public Interazione {
public:
    QMessageBox::StandardButton Messaggio(QWidget*, QMessageBox::Icon, const QString&,
                                          const QString&, QMessageBox::StandardButtons) override
    {
        return QMessageBox::NoButton;
    }
    QString ApriFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString SalvaFile(QWidget*, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    bool Stampa(QWidget*, QPrinter&) override { return false; }
};

} // namespace

void Prepara(Applicazione tipo)
{
    static bool pronto = false;
    if (pronto)
        return;
    pronto = true;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    CartelleProprie();
    static int argc = 1;
    static char nome[] = "quorna-fuzz";
    static char* argv[] = {nome, nullptr};
    // Kept for the life of the process: Qt's own teardown at exit is no part of what is tested.
    static QCoreApplication* applicazione = tipo == Applicazione::Grafica
                                                ? new QGuiApplication(argc, argv)
                                                : new QCoreApplication(argc, argv);
    Q_UNUSED(applicazione);
    // The program's own name, so that its files and settings are where the program keeps them.
    QCoreApplication::setApplicationName(QStringLiteral("Quorna"));
    Verifica(CatalogoMessaggi::Carica(), "the catalogue loads");
    BaseLang = 1001;
    InitTabelleLingua();
    static NessunUtente nessuno;
    ImpostaInterazione(&nessuno);
}

QString Testo(const uint8_t* dati, size_t lunghezza)
{
    return DecodificaWindows1252(Byte(dati, lunghezza));
}

QByteArray Byte(const uint8_t* dati, size_t lunghezza)
{
    return QByteArray(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(lunghezza));
}

QStringList Parti(const uint8_t* dati, size_t lunghezza, int quante)
{
    const QByteArray tutto = Byte(dati, lunghezza);
    QStringList parti;
    qsizetype inizio = 0;
    while (parti.size() < quante - 1 && inizio <= tutto.size()) {
        qsizetype fine = tutto.indexOf('\0', inizio);
        if (fine < 0)
            fine = tutto.size();
        parti << DecodificaWindows1252(tutto.mid(inizio, fine - inizio));
        inizio = fine + 1;
    }
    if (parti.size() < quante)
        parti << DecodificaWindows1252(tutto.mid(std::min(inizio, tutto.size())));
    while (parti.size() < quante)
        parti << QString();
    return parti;
}

void Verifica(bool condizione, const char* proprieta)
{
    Verifica(condizione, proprieta, QString());
}

void Verifica(bool condizione, const char* proprieta, const QString& dettagli)
{
    if (condizione)
        return;
    std::fprintf(stderr, "\n*** Property broken: %s\n", proprieta);
    if (!dettagli.isEmpty())
        std::fprintf(stderr, "%s\n", qUtf8Printable(dettagli));
    std::abort();
}

QString FileDiLavoro(const QString& nome)
{
    return QDir(Radice()).filePath(nome);
}

void ScriviFile(const QString& percorso, const QByteArray& contenuto)
{
    QFile file(percorso);
    Verifica(file.open(QIODevice::WriteOnly | QIODevice::Truncate)
                 && file.write(contenuto) == contenuto.size(),
             "the scratch file is written", percorso);
}

QByteArray LeggiFile(const QString& percorso)
{
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
