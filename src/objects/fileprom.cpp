#include "fileprom.h"

#include "codecs.h"
#include "globali.h"

#include <QBuffer>

#include <array>

namespace {

// The text fields of a record in file order, and their widths.
constexpr std::array<qsizetype, 10> LarghezzeCampi{15, 2, 11, 10, 8, 14, 10, 8, 14, 16};

template <class Prom>
auto CampiRecord(Prom& p)
{
    return std::array{&p.Categoria,    &p.Ripetizione,   &p.RipetizioneTesto, &p.Allarme.Data,
                      &p.Allarme.Ora,  &p.Allarme.Stamp, &p.Inizio.Data,      &p.Inizio.Ora,
                      &p.Inizio.Stamp, &p.Descrizione};
}

QByteArray RecordProm(const ::Promemoria& prom)
{
    QByteArray record;
    size_t n = 0;
    for (const QString* campo : CampiRecord(prom))
        record += CodificaWindows1252(CampoFisso(*campo, static_cast<int>(LarghezzeCampi[n++])));
    return record;
}

::Promemoria PromDaRecord(const QByteArray& record)
{
    ::Promemoria prom;
    qsizetype inizio = 0;
    size_t n = 0;
    for (QString* campo : CampiRecord(prom)) {
        *campo = DecodificaWindows1252(record.mid(inizio, LarghezzeCampi[n]));
        inizio += LarghezzeCampi[n++];
    }
    return prom;
}

} // namespace

QByteArray ContenutoFileProm(const TabellaProm& tabella)
{
    QByteArray contenuto;
    for (size_t k = 1; k < tabella.size(); ++k)
        if (PromUsato(tabella[k]))
            contenuto += RecordProm(tabella[k]);
    return contenuto;
}

std::optional<TabellaProm> TabellaDaFileProm(QIODevice& file)
{
    TabellaProm tabella;
    SvuotaProm(tabella);
    size_t slot = 1;
    for (QByteArray record = file.read(LunghezzaRecordProm); !record.isEmpty();
         record = file.read(LunghezzaRecordProm)) {
        if (record.size() != LunghezzaRecordProm)
            return std::nullopt;
        const ::Promemoria prom = PromDaRecord(record);
        if (!PromUsato(prom))
            continue;
        if (slot >= tabella.size())
            return std::nullopt;
        tabella[slot++] = prom;
    }
    return tabella;
}

bool SalvaFileProm(const QString& percorso)
{
    return ScriviFileIntero(percorso, ContenutoFileProm(Telefono.Promemoria));
}

bool CaricaFileProm(const QString& percorso, FileRifiutato* rifiuto)
{
    // The program writes used slots only: no file of its holds more records than the table.
    std::optional<QByteArray> contenuto
        = LeggiFileIntero(percorso, qint64(NumPromemoria) * LunghezzaRecordProm, rifiuto);
    if (!contenuto)
        return false;
    QBuffer file(&*contenuto);
    file.open(QIODevice::ReadOnly);
    const std::optional<TabellaProm> tabella = TabellaDaFileProm(file);
    if (!tabella)
        return false;
    Telefono.Promemoria = *tabella;
    return true;
}
