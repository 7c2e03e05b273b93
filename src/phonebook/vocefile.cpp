#include "vocefile.h"

#include "codecs.h"

namespace {

constexpr qsizetype InizioNome = 1;
constexpr qsizetype InizioNumero = InizioNome + LunghezzaNomeFile;
constexpr qsizetype InizioRossa = InizioNumero + LunghezzaNumeroFile;

QByteArray CampoFisso(const QString& testo, qsizetype lunghezza)
{
    QByteArray campo = CodificaWindows1252(testo.left(lunghezza));
    campo.append(QByteArray(lunghezza - campo.size(), ' '));
    return campo;
}

} // namespace

QByteArray ScriviVoceFile(const VoceFile& voce)
{
    QByteArray record;
    record.reserve(LunghezzaVoceFile);
    record.append(static_cast<char>(voce.Tag));
    record.append(CampoFisso(voce.Nome, LunghezzaNomeFile));
    record.append(CampoFisso(voce.Numero, LunghezzaNumeroFile));
    const auto flag = static_cast<uint16_t>(voce.Rossa);
    record.append(static_cast<char>(flag & 0xFF));
    record.append(static_cast<char>(flag >> 8));
    return record;
}

std::optional<VoceFile> LeggiVoceFile(const QByteArray& dati, qsizetype inizio)
{
    if (inizio < 0 || dati.size() - inizio < LunghezzaVoceFile)
        return std::nullopt;
    const auto byte = [&](qsizetype i) { return static_cast<uint8_t>(dati.at(inizio + i)); };
    VoceFile voce;
    voce.Tag = byte(0);
    voce.Nome = DecodificaWindows1252(dati.mid(inizio + InizioNome, LunghezzaNomeFile));
    voce.Numero = DecodificaWindows1252(dati.mid(inizio + InizioNumero, LunghezzaNumeroFile));
    voce.Rossa = static_cast<int16_t>(byte(InizioRossa) | byte(InizioRossa + 1) << 8);
    return voce;
}
