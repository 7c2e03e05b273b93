#include "reportrubrica.h"

#include "catalogo.h"
#include "globali.h"
#include "tabella.h"

#include <array>
#include <cmath>

namespace {

constexpr uint8_t Nero = 0;
constexpr uint8_t Blu = 1;
constexpr uint8_t Verde = 2;
constexpr uint8_t Azzurro = 9;
constexpr uint8_t RossoChiaro = 12;
const QString FontTitolo = QStringLiteral("Arial");
const QString FontRighe = QStringLiteral("Courier New");
const QString FineRiga = QStringLiteral("\r\n");

void CopiaUsate(int memoria, bool soloRosse, std::vector<VoceRubrica>& copia)
{
    const int tenute = PosizioniTenute(memoria);
    for (int p = 1; p <= tenute; ++p) {
        const VoceRubrica& voce
            = Telefono.Rubrica[static_cast<size_t>(memoria)][static_cast<size_t>(p)];
        if (!voce.Posizione.isEmpty() && (!soloRosse || voce.Rossa))
            copia.push_back(voce);
    }
}

// A name not read sorts as it prints.
QString CampoChiave(const VoceRubrica& voce, uint8_t chiave)
{
    return chiave == PerNome ? NomeMostrato(voce) : voce.Numero;
}

// Blanks that bring a text of this length up to `larghezza`; at least one after a long name, so
// that name and number stay apart.
QString Riempi(qsizetype lunghezza, int larghezza, int minimo = 0)
{
    return QString(std::max<qsizetype>(larghezza - lunghezza, minimo), QLatin1Char(' '));
}

QString RigaStampata(const VoceRubrica& voce, int selezione)
{
    const QString nome = NomeMostrato(voce);
    const QString nomeENumero = nome + Riempi(nome.size(), 32, 1) + voce.Numero;
    if (selezione == StampaTutte)
        return QLatin1Char(' ') + nomeENumero;
    return Riempi(voce.Posizione.size(), 4) + voce.Posizione + QString(6, QLatin1Char(' '))
           + nomeENumero;
}

QString Intestazione(int selezione)
{
    if (selezione == StampaTutte)
        return QStringLiteral("Quorna") + Msg(24);
    return QStringLiteral("Quorna") + Msg(21) + NomiMemoria[static_cast<size_t>(selezione)];
}

QString Conteggio(int selezione, size_t copiati)
{
    if (selezione == StampaRossa || selezione == StampaTutte)
        return Msg(22) + QString::number(copiati);
    const auto m = static_cast<size_t>(selezione);
    return Msg(22) + QString::number(Telefono.RubUsate[m]) + QLatin1Char('/')
           + QString::number(Telefono.RubTotale[m]);
}

} // namespace

int SelezioneDaNodo(const QString& chiave)
{
    for (int selezione = 0; selezione <= StampaRossa; ++selezione)
        if (NodoDellaSelezione(selezione) == chiave)
            return selezione;
    return StampaTutte;
}

QString NodoDellaSelezione(int selezione)
{
    static const std::array<const char*, StampaRossa + 1> nodi{"RUB_SIM", "RUB_SIMSP", "RUB_TEL",
                                                               "RUB_PER", "RUB_ROS"};
    return selezione >= 0 && selezione <= StampaRossa
               ? QString::fromLatin1(nodi[static_cast<size_t>(selezione)])
               : QStringLiteral("RUB");
}

std::vector<VoceRubrica> CopiaDiLavoro(int selezione)
{
    std::vector<VoceRubrica> copia(1);
    if (selezione >= 0 && selezione < NumMemorie) {
        const auto& memoria = Telefono.Rubrica[static_cast<size_t>(selezione)];
        const int tenute = PosizioniTenute(selezione);
        copia.insert(copia.end(), memoria.begin() + 1, memoria.begin() + 1 + tenute);
    } else if (selezione == StampaRossa) {
        CopiaUsate(0, true, copia);
        CopiaUsate(2, true, copia);
    } else {
        for (int m = 0; m < NumMemorie; ++m)
            CopiaUsate(m, false, copia);
    }
    return copia;
}

void QSort(std::vector<VoceRubrica>& copia, int lo, int hi, uint8_t chiave)
{
    if (lo < 1 || hi >= static_cast<int>(copia.size()) || lo >= hi)
        return;
    int i = lo;
    int j = hi;
    const auto perno = static_cast<size_t>(std::nearbyint((lo + hi) / 2.0));
    const QString pivot = CampoChiave(copia[perno], chiave);
    const auto campo = [&](int k) { return CampoChiave(copia[static_cast<size_t>(k)], chiave); };
    do {
        while (campo(i) < pivot)
            ++i;
        while (pivot < campo(j))
            --j;
        if (i <= j) {
            std::swap(copia[static_cast<size_t>(i)], copia[static_cast<size_t>(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (lo < j)
        QSort(copia, lo, j, chiave);
    if (i < hi)
        QSort(copia, i, hi, chiave);
}

std::vector<PezzoReport> ReportRubrica(int selezione, uint8_t chiave, bool rosso)
{
    std::vector<VoceRubrica> copia = CopiaDiLavoro(selezione);
    const size_t copiati = copia.size() - 1;
    if (selezione == StampaRossa && copiati == 0)
        return {};
    if (chiave != PerPosizione || selezione == StampaTutte)
        QSort(copia, 1, static_cast<int>(copiati), chiave);

    std::vector<PezzoReport> report;
    report.push_back({Intestazione(selezione) + FineRiga, Azzurro, FontTitolo, 10, true});
    report.push_back(
        {Conteggio(selezione, copiati) + FineRiga + FineRiga, Blu, FontTitolo, 9, false});
    report.push_back(
        {Msg(selezione == StampaTutte ? 25 : 23) + FineRiga, Verde, FontRighe, 8, true});
    for (size_t k = 1; k < copia.size(); ++k) {
        const VoceRubrica& voce = copia[k];
        if (voce.Posizione.isEmpty())
            continue;
        const uint8_t colore = rosso && voce.Rossa ? RossoChiaro : Nero;
        report.push_back({RigaStampata(voce, selezione) + FineRiga, colore, FontRighe, 8, false});
    }
    return report;
}
