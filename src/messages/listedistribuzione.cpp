#include "listedistribuzione.h"

#include "globali.h"

QList<ListaDistribuzione> ListeDistribuzione;

namespace {

const QString NomeFile = QStringLiteral("distrib.lst");
// The most the table can make: each list's header and its members.
constexpr qint64 MaxByteFile = qint64(MaxListe) * (1 + MaxMembri) * LunghezzaVoceFile;

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

bool CaricaFileListeD(FileRifiutato* rifiuto)
{
    ListeDistribuzione.clear();
    const std::optional<QByteArray> letti
        = LeggiFileIntero(FileProgramma(NomeFile), MaxByteFile, rifiuto);
    if (!letti || letti->isEmpty())
        return false;
    const QByteArray& dati = *letti;
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
    return ScriviFileIntero(FileProgramma(NomeFile), dati, Accesso::Privato);
}
