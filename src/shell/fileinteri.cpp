#include "fileinteri.h"

#include "catalogo.h"
#include "interazione.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int VoceFileNonLetto = 822;
constexpr int VoceNonSovrascritto = 826;
constexpr int VoceFileNonScritto = 900;

// A small file costs no buffer of its kind's largest size.
constexpr qint64 Pezzo = 64 * 1024;

// The files refused and not read since, by absolute path, with why.
QHash<QString, MotivoFileRifiutato> rifiutati;

QString Chiave(const QString& percorso)
{
    return QFileInfo(percorso).absoluteFilePath();
}

int VoceMotivo(MotivoFileRifiutato motivo)
{
    switch (motivo) {
    case MotivoFileRifiutato::NonRegolare:
        return 823;
    case MotivoFileRifiutato::TroppoLungo:
        return 824;
    case MotivoFileRifiutato::Scrittura:
        return 901;
    case MotivoFileRifiutato::Assente:
    case MotivoFileRifiutato::Illeggibile:
        break;
    }
    return 825;
}

MotivoFileRifiutato MotivoErrore(int errore)
{
    return errore == ENOENT || errore == ENOTDIR ? MotivoFileRifiutato::Assente
                                                 : MotivoFileRifiutato::Illeggibile;
}

std::optional<QByteArray> Rifiuta(const QString& percorso, MotivoFileRifiutato motivo,
                                  FileRifiutato* rifiuto)
{
    const QString chiave = Chiave(percorso);
    bool gia = false;
    if (motivo == MotivoFileRifiutato::Assente) {
        rifiutati.remove(chiave);
    } else {
        gia = rifiutati.value(chiave, MotivoFileRifiutato::Assente) == motivo;
        rifiutati.insert(chiave, motivo);
    }
    if (rifiuto)
        *rifiuto = {percorso, motivo, gia};
    return std::nullopt;
}

} // namespace

QString FileRifiutato::Spiegazione(int voce) const
{
    return Msg(voce) + QDir::toNativeSeparators(percorso) + QLatin1Char('\n')
           + Msg(VoceMotivo(motivo));
}

std::optional<QByteArray> LeggiFileIntero(const QString& percorso, qint64 massimo,
                                          FileRifiutato* rifiuto)
{
    const QByteArray nome = QFile::encodeName(percorso);
    struct stat stato {};
    if (::stat(nome.constData(), &stato) != 0)
        return Rifiuta(percorso, MotivoErrore(errno), rifiuto);
    if (!S_ISREG(stato.st_mode))
        return Rifiuta(percorso, MotivoFileRifiutato::NonRegolare, rifiuto);
    if (stato.st_size > massimo)
        return Rifiuta(percorso, MotivoFileRifiutato::TroppoLungo, rifiuto);
    // Opened without waiting, in case the name has meanwhile come to lead to a pipe.
    const int descrittore = ::open(nome.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descrittore < 0)
        return Rifiuta(percorso, MotivoErrore(errno), rifiuto);
    QFile file;
    if (!file.open(descrittore, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descrittore);
        return Rifiuta(percorso, MotivoFileRifiutato::Illeggibile, rifiuto);
    }
    if (::fstat(descrittore, &stato) != 0 || !S_ISREG(stato.st_mode))
        return Rifiuta(percorso, MotivoFileRifiutato::NonRegolare, rifiuto);
    // A file that grows while it is read is read no further than its kind allows.
    QByteArray byte;
    while (byte.size() <= massimo) {
        const QByteArray pezzo = file.read(Pezzo);
        if (pezzo.isEmpty())
            break;
        byte += pezzo;
    }
    if (file.error() != QFileDevice::NoError)
        return Rifiuta(percorso, MotivoFileRifiutato::Illeggibile, rifiuto);
    if (byte.size() > massimo)
        return Rifiuta(percorso, MotivoFileRifiutato::TroppoLungo, rifiuto);
    rifiutati.remove(Chiave(percorso));
    if (rifiuto)
        *rifiuto = {};
    return byte;
}

QString ConSpiegazione(const QString& testo, const FileRifiutato& rifiuto)
{
    if (rifiuto.motivo == MotivoFileRifiutato::Assente)
        return testo;
    return testo + QLatin1Char('\n') + rifiuto.Spiegazione(VoceFileNonLetto);
}

void SegnalaFileRifiutato(const FileRifiutato& rifiuto)
{
    if (rifiuto.motivo != MotivoFileRifiutato::Assente && !rifiuto.giaRifiutato)
        MsgBox(rifiuto.Spiegazione(VoceFileNonLetto) + QLatin1Char('\n') + Msg(VoceNonSovrascritto),
               QMessageBox::Warning);
}

void SegnalaFileNonScritto(const FileRifiutato& rifiuto)
{
    if (rifiuto.motivo != MotivoFileRifiutato::Assente)
        MsgBox(rifiuto.Spiegazione(VoceFileNonScritto), QMessageBox::Warning);
}

bool ScriviFileIntero(const QString& percorso, const QByteArray& dati, Accesso accesso,
                      FileRifiutato* rifiuto)
{
    const auto nonScritto = [&](MotivoFileRifiutato motivo) {
        if (rifiuto)
            *rifiuto = {percorso, motivo};
        return false;
    };
    // QSaveFile follows a link, and would put a file in place of the device it leads to.
    struct stat stato {};
    if (::stat(QFile::encodeName(percorso).constData(), &stato) == 0) {
        if (!S_ISREG(stato.st_mode))
            return nonScritto(MotivoFileRifiutato::NonRegolare);
        const auto rifiutato = rifiutati.constFind(Chiave(percorso));
        if (rifiutato != rifiutati.constEnd())
            return nonScritto(*rifiutato);
    }
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly)
        || (accesso == Accesso::Privato
            && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        || file.write(dati) != dati.size() || !file.commit())
        return nonScritto(MotivoFileRifiutato::Scrittura);
    if (rifiuto)
        *rifiuto = {};
    return true;
}

bool CreaCartellaPrivata(const QString& cartella)
{
    const QFileInfo info(cartella);
    if (info.exists())
        return info.isDir();
    const QString sopra = info.absolutePath();
    return (sopra == info.absoluteFilePath() || CreaCartellaPrivata(sopra))
           && (QDir().mkdir(info.absoluteFilePath(), QFileDevice::ReadOwner
                                                         | QFileDevice::WriteOwner
                                                         | QFileDevice::ExeOwner)
               || QFileInfo(cartella).isDir());
}
