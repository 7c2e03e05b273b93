#include "listedistribuzione.h"

#include "globali.h"

#include <QFile>
#include <QSaveFile>

QList<ListaDistribuzione> ListeDistribuzione;

namespace {

const QString NomeFile = QStringLiteral("distrib.lst");

VoceFile Intestazione(const ListaDistribuzione& lista)
{
    VoceFile voce;
    voce.Tag = static_cast<uint8_t>(lista.Membri.size());
    voce.Nome = lista.Nome.left(LunghezzaNomeFile);
    voce.Numero = QString(LunghezzaNumeroFile, QChar());
    return voce;
}

bool EntroILimiti()
{
    if (ListeDistribuzione.size() > MaxListe)
        return false;
    return std::all_of(
        ListeDistribuzione.cbegin(), ListeDistribuzione.cend(),
        [](const ListaDistribuzione& lista) { return lista.Membri.size() <= MaxMembri; });
}

} // namespace

QString NomeLista(const QString& nome)
{
    return nome.left(LunghezzaNomeLista).leftJustified(LunghezzaNomeLista);
}

bool CaricaFileListeD()
{
    ListeDistribuzione.clear();
    QFile file(FileProgramma(NomeFile));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray dati = file.readAll();
    if (dati.isEmpty() || file.error() != QFileDevice::NoError)
        return false;
    qsizetype inizio = 0;
    while (const std::optional<VoceFile> intestazione = LeggiVoceFile(dati, inizio)) {
        inizio += LunghezzaVoceFile;
        // A record with no name where a header belongs is passed over.
        if (intestazione->Nome.isEmpty() || intestazione->Nome.at(0).isNull())
            continue;
        ListaDistribuzione lista{NomeLista(intestazione->Nome), {}};
        // A file cut inside a list keeps the members it holds.
        for (int membro = 0; membro < intestazione->Tag; ++membro) {
            const std::optional<VoceFile> voce = LeggiVoceFile(dati, inizio);
            if (!voce)
                break;
            lista.Membri << *voce;
            inizio += LunghezzaVoceFile;
        }
        ListeDistribuzione << lista;
    }
    return true;
}

bool SalvaFileListeD()
{
    if (!EntroILimiti())
        return false;
    QByteArray dati;
    for (const ListaDistribuzione& lista : std::as_const(ListeDistribuzione)) {
        dati += ScriviVoceFile(Intestazione(lista));
        for (const VoceFile& membro : lista.Membri)
            dati += ScriviVoceFile(membro);
    }
    QSaveFile file(FileProgramma(NomeFile));
    return file.open(QIODevice::WriteOnly) && file.write(dati) == dati.size() && file.commit();
}
