// The distribution-list file "distrib.lst", loaded as the lists dialog loads it. The lists saved
// must load back the same: names, members and every member's record.

#include "comune.h"

#include "globali.h"
#include "listedistribuzione.h"

namespace {

QString Descrivi(const QList<ListaDistribuzione>& liste)
{
    QStringList righe;
    for (const ListaDistribuzione& lista : liste) {
        righe << QLatin1Char('[') + lista.Nome + QLatin1Char(']');
        for (const VoceFile& m : lista.Membri)
            righe << QString::number(m.Tag) + QStringLiteral(" [") + m.Nome + QStringLiteral("] [")
                         + m.Numero + QStringLiteral("] ") + QString::number(m.Rossa);
    }
    return righe.join(u'\n');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    const QString percorso = FileProgramma(QStringLiteral("distrib.lst"));
    ScriviFile(percorso, Byte(dati, lunghezza));
    if (!CaricaFileListeD())
        return 0;
    for (const ListaDistribuzione& lista : ListeDistribuzione)
        Verifica(lista.Nome.size() == LunghezzaNomeLista && lista.Membri.size() <= MaxMembri,
                 "a list has its 30-character name and at most 255 members");
    const QString lette = Descrivi(ListeDistribuzione);
    if (!SalvaFileListeD()) {
        Verifica(ListeDistribuzione.size() > MaxListe, "lists within the limits are saved");
        return 0;
    }
    Verifica(CaricaFileListeD() || ListeDistribuzione.isEmpty(), "saved lists load");
    Verifica(Descrivi(ListeDistribuzione) == lette, "saved lists load back the same",
             lette + QStringLiteral("\n--\n") + Descrivi(ListeDistribuzione));
    return 0;
}
