#include "archivio.h"

#include "codecs.h"
#include "codifica.h"
#include "globali.h"
#include "pdu.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

const QByteArray MarcatoreSMS = QByteArrayLiteral("<SMS>");
constexpr int LunghezzaIntestazione = 8; // marker, octet count, type, status
constexpr int MaxOttettiPDU = 255;       // the octet count is a single byte

// One record as the file holds it; the PDU keeps its bytes, so a rewrite reproduces them.
struct RecordArchivio {
    uint8_t Tipo = 0;
    uint8_t Stato = 0;
    QString PDU;
};

using RecordsArchivio = std::vector<RecordArchivio>;

QString PercorsoArchivio()
{
    return FileProgramma(QStringLiteral("archivio.sms"));
}

std::optional<QByteArray> LeggiFileArchivio()
{
    QFile file(PercorsoArchivio());
    if (!file.exists() && !file.open(QIODevice::WriteOnly))
        return std::nullopt;
    file.close();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray byte = file.readAll();
    if (file.error() != QFileDevice::NoError || byte.size() != file.size())
        return std::nullopt;
    return byte;
}

// Records lie back to back, each one whole; anything else (a cut record, bytes between or after
// records) makes the file unreadable rather than silently dropping part of it.
std::optional<RecordsArchivio> RecordDaByte(const QByteArray& byte)
{
    RecordsArchivio records;
    for (int p = 0; p < byte.size();) {
        if (byte.size() - p < LunghezzaIntestazione
            || byte.mid(p, MarcatoreSMS.size()) != MarcatoreSMS)
            return std::nullopt;
        const int caratteriPDU = 2 * static_cast<uint8_t>(byte[p + 5]);
        const int inizioPDU = p + LunghezzaIntestazione;
        if (byte.size() - inizioPDU < caratteriPDU)
            return std::nullopt;
        records.push_back({static_cast<uint8_t>(byte[p + 6]), static_cast<uint8_t>(byte[p + 7]),
                           DecodificaWindows1252(byte.mid(inizioPDU, caratteriPDU))});
        p = inizioPDU + caratteriPDU;
    }
    return records;
}

std::optional<RecordsArchivio> LeggiRecordArchivio()
{
    const std::optional<QByteArray> byte = LeggiFileArchivio();
    if (!byte)
        return std::nullopt;
    return RecordDaByte(*byte);
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

// The table follows the file only once the file is safely written.
bool ScriviArchivio(const RecordsArchivio& records)
{
    QSaveFile file(PercorsoArchivio());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray byte = ByteDaRecord(records);
    if (file.write(byte) != byte.size() || !file.commit())
        return false;
    RiempiTabella(records);
    return true;
}

bool IndiceValido(const RecordsArchivio& records, int indice)
{
    return indice >= 1 && static_cast<size_t>(indice) <= records.size();
}

} // namespace

bool CaricaArchivioSMS()
{
    const std::optional<QByteArray> byte = LeggiFileArchivio();
    if (!byte || byte->isEmpty())
        return false;
    const std::optional<RecordsArchivio> records = RecordDaByte(*byte);
    if (!records)
        return false;
    RiempiTabella(*records);
    return true;
}

bool AggiungiSMSArchivio(const QString& pdu, uint8_t tipo, uint8_t stato)
{
    std::optional<RecordsArchivio> records = LeggiRecordArchivio();
    if (!records || records->size() >= static_cast<size_t>(MaxArchivio) || !PDUArchiviabile(pdu))
        return false;
    records->push_back({tipo, stato, pdu});
    return ScriviArchivio(*records);
}

bool SostituisciSMSArchivio(int indice, const QString& pdu, uint8_t tipo, uint8_t stato)
{
    std::optional<RecordsArchivio> records = LeggiRecordArchivio();
    if (!records || !IndiceValido(*records, indice) || !PDUArchiviabile(pdu))
        return false;
    (*records)[indice - 1] = {tipo, stato, pdu};
    return ScriviArchivio(*records);
}

bool CancellaSMSArchivio(int indice)
{
    std::optional<RecordsArchivio> records = LeggiRecordArchivio();
    if (!records || !IndiceValido(*records, indice))
        return false;
    records->erase(records->begin() + (indice - 1));
    return ScriviArchivio(*records);
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
