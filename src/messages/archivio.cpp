#include "archivio.h"

#include "codecs.h"
#include "codifica.h"
#include "fileinteri.h"
#include "globali.h"
#include "pdu.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

const QString NomeFile = QStringLiteral("archivio.sms");
const QString Danneggiato = QStringLiteral(".damaged");
constexpr int MaxCopie = 999;
const QByteArray MarcatoreSMS = QByteArrayLiteral("<SMS>");
constexpr int LunghezzaIntestazione = 8; // marker, octet count, type, status
constexpr int MaxOttettiPDU = 255;       // the octet count is a single byte
// No archive the program writes is longer: the table's records, each of the longest PDU.
constexpr qint64 MaxByteArchivio = MaxArchivio * (LunghezzaIntestazione + 2 * MaxOttettiPDU);

// One record as the file holds it; the PDU keeps its bytes, so a rewrite reproduces them.
struct RecordArchivio {
    uint8_t Tipo = 0;
    uint8_t Stato = 0;
    QString PDU;
};

using RecordsArchivio = std::vector<RecordArchivio>;

QString PercorsoArchivio()
{
    return FileProgramma(NomeFile);
}

int scrittureRiuscite = 0;
std::optional<size_t> improntaSegnalata;
std::optional<DannoArchivio> dannoDaSegnalare;
// An unreadable file is told of once, until the file can be read again.
bool illeggibileSegnalato = false;
std::optional<FileRifiutato> illeggibileDaSegnalare;

// An absent file is created empty; one that cannot be created is as one that cannot be read.
std::optional<QByteArray> LeggiFileArchivio(FileRifiutato& rifiuto)
{
    std::optional<QByteArray> byte = LeggiFileIntero(PercorsoArchivio(), MaxByteArchivio, &rifiuto);
    if (byte || rifiuto.motivo != MotivoFileRifiutato::Assente)
        return byte;
    if (ScriviFileIntero(PercorsoArchivio(), {}, Accesso::Privato))
        return QByteArray();
    rifiuto = {PercorsoArchivio(), MotivoFileRifiutato::Illeggibile};
    return std::nullopt;
}

// The file as read: its whole records in order, and the bytes that lie outside them.
struct LetturaArchivio {
    QByteArray byte;
    RecordsArchivio records;
    qsizetype scartati = 0;
};

// The scan for markers: a record is whole when its header and its PDU are all there before the
// next marker begins. Anything else (junk between records, a cut record, trailing bytes) is
// skipped, so that one damaged spot costs only what it spoils.
LetturaArchivio RecordDaByte(const QByteArray& byte)
{
    LetturaArchivio lettura{byte, {}, byte.size()};
    for (qsizetype p = byte.indexOf(MarcatoreSMS); p >= 0;) {
        const qsizetype prossimo = byte.indexOf(MarcatoreSMS, p + MarcatoreSMS.size());
        const qsizetype limite = prossimo < 0 ? byte.size() : prossimo;
        const qsizetype inizioPDU = p + LunghezzaIntestazione;
        if (inizioPDU <= limite) {
            const qsizetype fine = inizioPDU + 2 * static_cast<uint8_t>(byte[p + 5]);
            if (fine <= limite) {
                lettura.records.push_back(
                    {static_cast<uint8_t>(byte[p + 6]), static_cast<uint8_t>(byte[p + 7]),
                     DecodificaWindows1252(byte.mid(inizioPDU, fine - inizioPDU))});
                lettura.scartati -= fine - p;
            }
        }
        p = prossimo;
    }
    return lettura;
}

std::optional<LetturaArchivio> LeggiRecordArchivio(FileRifiutato& rifiuto)
{
    const std::optional<QByteArray> byte = LeggiFileArchivio(rifiuto);
    if (!byte)
        return std::nullopt;
    return RecordDaByte(*byte);
}

std::optional<LetturaArchivio> LeggiRecordArchivio()
{
    FileRifiutato rifiuto;
    return LeggiRecordArchivio(rifiuto);
}

QByteArray ByteDaRecord(const RecordsArchivio& records)
{
    QByteArray byte;
    for (const RecordArchivio& record : records) {
        const QByteArray pdu = CodificaWindows1252(record.PDU);
        byte += MarcatoreSMS;
        byte += static_cast<char>(pdu.size() / 2);
        byte += static_cast<char>(record.Tipo);
        byte += static_cast<char>(record.Stato);
        byte += pdu;
    }
    return byte;
}

// The octet count byte must describe the PDU text exactly.
bool PDUArchiviabile(const QString& pdu)
{
    const auto caratteri = CodificaWindows1252(pdu).size();
    return caratteri % 2 == 0 && caratteri / 2 <= MaxOttettiPDU;
}

void RiempiTabella(const RecordsArchivio& records)
{
    NumArchivio = static_cast<int>(std::min<size_t>(records.size(), MaxArchivio));
    for (int i = 1; i <= MaxArchivio; ++i) {
        ArchivioSMS[i] = MessaggioSMS();
        if (i > NumArchivio)
            continue;
        ArchivioSMS[i].Stato = records[i - 1].Stato;
        DecodificaPDU(ArchivioSMS[i], records[i - 1].PDU);
    }
    ArchivioLetto = true;
}

// Where the original of a damaged file is kept: beside it with the suffix ".damaged", numbered
// when an earlier copy holding other bytes is already there, so that no repair loses a byte.
// Empty when every name is taken.
QString PercorsoCopia(const QByteArray& originale)
{
    for (int n = 1; n <= MaxCopie; ++n) {
        const QString percorso = FileProgramma(
            n == 1 ? NomeFile + Danneggiato : NomeFile + u'.' + QString::number(n) + Danneggiato);
        if (!QFile::exists(percorso) || LeggiFileIntero(percorso, MaxByteArchivio) == originale)
            return percorso;
    }
    return {};
}

bool ConservaOriginale(const QByteArray& originale)
{
    const QString percorso = PercorsoCopia(originale);
    if (percorso.isEmpty())
        return false;
    return QFile::exists(percorso) || ScriviFileIntero(percorso, originale, Accesso::Privato);
}

// The table follows the file only once the file is safely written; a damaged file is replaced
// only once its original is kept.
bool ScriviArchivio(const LetturaArchivio& lettura)
{
    if (lettura.scartati > 0 && !ConservaOriginale(lettura.byte))
        return false;
    if (!ScriviFileIntero(PercorsoArchivio(), ByteDaRecord(lettura.records), Accesso::Privato))
        return false;
    ++scrittureRiuscite;
    RiempiTabella(lettura.records);
    return true;
}

bool IndiceValido(const RecordsArchivio& records, int indice)
{
    return indice >= 1 && static_cast<size_t>(indice) <= records.size();
}

// A damaged file is told of once, at the first load that finds it; the same bytes loaded again
// are not told of twice.
void AnnotaDanno(const LetturaArchivio& lettura)
{
    if (lettura.scartati == 0)
        return;
    const size_t impronta = qHash(lettura.byte);
    if (improntaSegnalata == impronta)
        return;
    improntaSegnalata = impronta;
    dannoDaSegnalare = DannoArchivio{lettura.scartati, PercorsoCopia(lettura.byte)};
}

// A file that cannot be read is told of at the first load that finds it so.
void AnnotaLettura(bool letta, const FileRifiutato& rifiuto)
{
    if (!letta && !illeggibileSegnalato)
        illeggibileDaSegnalare = rifiuto;
    illeggibileSegnalato = !letta;
}

} // namespace

bool CaricaArchivioSMS()
{
    FileRifiutato rifiuto;
    const std::optional<LetturaArchivio> lettura = LeggiRecordArchivio(rifiuto);
    AnnotaLettura(lettura.has_value(), rifiuto);
    if (!lettura || lettura->byte.isEmpty())
        return false;
    RiempiTabella(lettura->records);
    AnnotaDanno(*lettura);
    return true;
}

std::optional<DannoArchivio> DannoDaSegnalare()
{
    return std::exchange(dannoDaSegnalare, std::nullopt);
}

std::optional<FileRifiutato> IlleggibileDaSegnalare()
{
    return std::exchange(illeggibileDaSegnalare, std::nullopt);
}

int ModificheArchivio()
{
    return scrittureRiuscite;
}

bool AggiungiSMSArchivio(const QString& pdu, uint8_t tipo, uint8_t stato)
{
    std::optional<LetturaArchivio> lettura = LeggiRecordArchivio();
    if (!lettura || lettura->records.size() >= static_cast<size_t>(MaxArchivio)
        || !PDUArchiviabile(pdu))
        return false;
    lettura->records.push_back({tipo, stato, pdu});
    return ScriviArchivio(*lettura);
}

bool SostituisciSMSArchivio(int indice, const QString& pdu, uint8_t tipo, uint8_t stato)
{
    std::optional<LetturaArchivio> lettura = LeggiRecordArchivio();
    if (!lettura || !IndiceValido(lettura->records, indice) || !PDUArchiviabile(pdu))
        return false;
    lettura->records[static_cast<size_t>(indice - 1)] = {tipo, stato, pdu};
    return ScriviArchivio(*lettura);
}

bool CancellaSMSArchivio(int indice)
{
    std::optional<LetturaArchivio> lettura = LeggiRecordArchivio();
    if (!lettura || !IndiceValido(lettura->records, indice))
        return false;
    lettura->records.erase(lettura->records.begin() + (indice - 1));
    return ScriviArchivio(*lettura);
}

bool ArchiviaSMS(const QString& testo, const QString& numero, const QString& validita,
                 bool rapportoStato, const QString& dcs, uint8_t tipo, uint8_t stato)
{
    return AggiungiSMSArchivio(CodificaPDU(testo, numero, validita, rapportoStato, dcs), tipo,
                               stato);
}

bool ModificaSMSArchivio(int indice, const QString& testo, const QString& numero,
                         const QString& validita, bool rapportoStato, const QString& dcs,
                         uint8_t tipo, uint8_t stato)
{
    return SostituisciSMSArchivio(indice, CodificaPDU(testo, numero, validita, rapportoStato, dcs),
                                  tipo, stato);
}
