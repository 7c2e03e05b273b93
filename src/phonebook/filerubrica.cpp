#include "filerubrica.h"

#include "catalogo.h"
#include "codecs.h"
#include "fileinteri.h"
#include "globali.h"
#include "inputvoce.h"
#include "tabella.h"
#include "testo.h"
#include "vocefile.h"

#include <algorithm>

namespace {

const QString TestataFile = QStringLiteral("Quorna - File Rubrica");
const QString NomeCentro = QStringLiteral("SMSC");
constexpr uint8_t TagCentro = 99;
constexpr int16_t FlagVero = -1;
// The header, each memory's record and its positions, the SMS-centre record.
constexpr qint64 MaxByteFile
    = (1 + NumMemorie * (1 + MaxPosizioniRubrica) + 1) * qint64(LunghezzaVoceFile);

QString PrimiCaratteri(const QString& testo, int quanti)
{
    return testo.left(quanti);
}

// A red name cut to the file's field keeps its mark, so that it still reads as red.
QString NomePerFile(const VoceRubrica& voce)
{
    return NomeDaScrivere(voce.Nome, NomeRosso(voce.Nome), LunghezzaNomeFile, PrimiCaratteri);
}

// Appends the records in order. The memory and centre records carry no flag of their own: they
// repeat the one written just before, as files of this format always have.
class ScrittoreRecord {
public:
    void Aggiungi(uint8_t tag, const QString& nome, const QString& numero)
    {
        dati.append(ScriviVoceFile({tag, nome, numero, ultimaRossa}));
    }
    void AggiungiVoce(uint8_t tag, const QString& nome, const QString& numero, bool rossa)
    {
        ultimaRossa = rossa ? FlagVero : 0;
        Aggiungi(tag, nome, numero);
    }
    QByteArray dati;

private:
    int16_t ultimaRossa = 0;
};

class LettoreRecord {
public:
    explicit LettoreRecord(const QByteArray& dati) : dati(dati) {}
    // The next record when it carries this tag.
    std::optional<VoceFile> Prossimo(uint8_t tag)
    {
        std::optional<VoceFile> voce = LeggiVoceFile(dati, inizio);
        inizio += LunghezzaVoceFile;
        if (!voce || voce->Tag != tag)
            return std::nullopt;
        return voce;
    }

private:
    const QByteArray& dati;
    qsizetype inizio = 0;
};

bool LeggiMemoria(LettoreRecord& lettore, size_t m, RubricaDaFile& rubrica)
{
    const std::optional<VoceFile> testa = lettore.Prossimo(static_cast<uint8_t>(m));
    if (!testa)
        return false;
    const int totale = NumeroIniziale(testa->Numero);
    if (totale < 0 || totale > MaxPosizioniRubrica)
        return false;
    // A count no memory can have is held within what the table's counts take.
    rubrica.usate[m] = static_cast<int16_t>(std::clamp(NumeroIniziale(testa->Nome), 0, INT16_MAX));
    rubrica.totale[m] = static_cast<int16_t>(totale);
    std::vector<VoceRubrica>& voci = rubrica.voci[m];
    voci.assign(static_cast<size_t>(totale) + 1, VoceRubrica{});
    for (int p = 1; p <= totale; ++p) {
        const std::optional<VoceFile> record = lettore.Prossimo(static_cast<uint8_t>(p));
        if (!record)
            return false;
        VoceRubrica& voce = voci[static_cast<size_t>(p)];
        voce.Nome = TagliaSpazi(record->Nome);
        voce.Numero = TagliaSpazi(record->Numero);
        // A number without a name is an entry too (own numbers often have none).
        if (!voce.Nome.isEmpty() || !voce.Numero.isEmpty())
            voce.Posizione = QString::number(p);
        voce.Rossa = record->Rossa != 0;
    }
    return true;
}

// The position text placed to end in column 3, the name from column 6, the number from
// column 25, on the next line when the name reaches past it.
QString RigaTesto(const VoceRubrica& voce)
{
    constexpr int FinePosizione = 3;
    constexpr int InizioNome = 6;
    constexpr int InizioNumero = 25;
    QString riga
        = QString(FinePosizione - voce.Posizione.size(), QLatin1Char(' ')) + voce.Posizione;
    riga += QString(InizioNome - 1 - riga.size(), QLatin1Char(' ')) + voce.Nome;
    if (riga.size() > InizioNumero - 1)
        riga += QStringLiteral("\r\n") + QString(InizioNumero - 1, QLatin1Char(' '));
    else
        riga += QString(InizioNumero - 1 - riga.size(), QLatin1Char(' '));
    return riga + voce.Numero;
}

// The table as the file holds it: each memory's positions 1 to the positions held.
RubricaDaFile RubricaDellaTabella()
{
    RubricaDaFile rubrica;
    for (size_t m = 0; m < NumMemorie; ++m) {
        const int tenute = PosizioniTenute(static_cast<int>(m));
        rubrica.usate[m] = Telefono.RubUsate[m];
        rubrica.totale[m] = static_cast<int16_t>(tenute);
        const auto& posizioni = Telefono.Rubrica[m];
        rubrica.voci[m].assign(posizioni.begin(), posizioni.begin() + tenute + 1);
    }
    rubrica.smsc = Telefono.SMSC;
    return rubrica;
}

QByteArray BytesDi(const RubricaDaFile& rubrica)
{
    ScrittoreRecord scrittore;
    scrittore.Aggiungi(0, QString(), TestataFile);
    for (size_t m = 0; m < NumMemorie; ++m) {
        scrittore.Aggiungi(static_cast<uint8_t>(m), QString::number(rubrica.usate[m]),
                           QString::number(rubrica.totale[m]));
        for (int p = 1; p <= rubrica.totale[m]; ++p) {
            const VoceRubrica& voce = rubrica.voci[m][static_cast<size_t>(p)];
            scrittore.AggiungiVoce(static_cast<uint8_t>(p), NomePerFile(voce), voce.Numero,
                                   voce.Rossa);
        }
    }
    scrittore.Aggiungi(TagCentro, NomeCentro, rubrica.smsc);
    return scrittore.dati;
}

std::optional<RubricaDaFile> LeggiFileRubrica(const QString& percorso,
                                              FileRifiutato* rifiuto = nullptr)
{
    const std::optional<QByteArray> dati = LeggiFileIntero(percorso, MaxByteFile, rifiuto);
    if (!dati)
        return std::nullopt;
    return LeggiBytesFileRubrica(*dati);
}

} // namespace

QByteArray BytesFileRubrica()
{
    return BytesDi(RubricaDellaTabella());
}

QByteArray BytesFileRubricaConservando(const QString& percorso)
{
    RubricaDaFile rubrica = RubricaDellaTabella();
    const auto rifiutata = [](const QString& rifiuto) { return !rifiuto.isEmpty(); };
    // The user can set no empty centre: an empty one is a centre the phone did not give.
    const bool daConservare
        = rubrica.smsc.isEmpty()
          || std::any_of(RifiutiRubrica.begin(), RifiutiRubrica.end(), rifiutata);
    if (!daConservare)
        return BytesDi(rubrica);
    if (const std::optional<RubricaDaFile> precedente = LeggiFileRubrica(percorso)) {
        for (size_t m = 0; m < NumMemorie; ++m) {
            if (!rifiutata(RifiutiRubrica[m]))
                continue;
            rubrica.usate[m] = precedente->usate[m];
            rubrica.totale[m] = precedente->totale[m];
            rubrica.voci[m] = precedente->voci[m];
        }
        if (rubrica.smsc.isEmpty())
            rubrica.smsc = precedente->smsc;
    }
    return BytesDi(rubrica);
}

std::optional<RubricaDaFile> LeggiBytesFileRubrica(const QByteArray& dati)
{
    LettoreRecord lettore(dati);
    const std::optional<VoceFile> testata = lettore.Prossimo(0);
    if (!testata || !TagliaSpazi(testata->Nome).isEmpty()
        || TagliaSpazi(testata->Numero) != TestataFile)
        return std::nullopt;
    RubricaDaFile rubrica;
    for (size_t m = 0; m < NumMemorie; ++m)
        if (!LeggiMemoria(lettore, m, rubrica))
            return std::nullopt;
    const std::optional<VoceFile> centro = lettore.Prossimo(TagCentro);
    if (!centro || TagliaSpazi(centro->Nome) != NomeCentro)
        return std::nullopt;
    rubrica.smsc = TagliaSpazi(centro->Numero);
    return rubrica;
}

void ApplicaRubricaDaFile(const RubricaDaFile& rubrica)
{
    for (size_t m = 0; m < NumMemorie; ++m) {
        Telefono.RubUsate[m] = rubrica.usate[m];
        Telefono.RubTotale[m] = rubrica.totale[m];
        const std::vector<VoceRubrica>& voci = rubrica.voci[m];
        for (size_t p = 1; p < voci.size(); ++p)
            Telefono.Rubrica[m][p] = voci[p];
    }
    Telefono.RubLetta.fill(true);
    for (QString& rifiuto : RifiutiRubrica)
        rifiuto.clear();
    for (std::vector<int>& righe : RigheNonLette)
        righe.clear();
    Telefono.SMSC = rubrica.smsc;
    Telefono.SMSCLetto = true;
}

QString TestiNelFile(const VoceRubrica& voce, bool fileRubrica)
{
    if (!fileRubrica)
        return voce.Nome + voce.Numero;
    return NomePerFile(voce) + voce.Numero.left(LunghezzaNumeroFile);
}

QByteArray BytesFileRubricaTxt()
{
    QString testo;
    for (size_t m = 0; m < NumMemorie; ++m) {
        testo += Msg(366) + NomiMemoria[m] + Msg(367) + QString::number(Telefono.RubUsate[m])
                 + QLatin1Char('/') + QString::number(Telefono.RubTotale[m])
                 + QStringLiteral("\r\n");
        const int tenute = PosizioniTenute(static_cast<int>(m));
        for (int p = 1; p <= tenute; ++p) {
            const VoceRubrica& voce = Telefono.Rubrica[m][static_cast<size_t>(p)];
            if (!voce.Posizione.isEmpty())
                testo += RigaTesto(voce) + QStringLiteral("\r\n");
        }
    }
    return CodificaWindows1252(testo);
}

bool CaricaFileRubrica(const QString& percorso, FileRifiutato* rifiuto)
{
    const std::optional<RubricaDaFile> rubrica = LeggiFileRubrica(percorso, rifiuto);
    if (!rubrica)
        return false;
    ApplicaRubricaDaFile(*rubrica);
    return true;
}
