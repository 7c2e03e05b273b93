#include "scambioprom.h"

#include "attesa.h"
#include "blocchi.h"
#include "catalogo.h"
#include "codecs.h"
#include "globali.h"
#include "promemoria.h"

#include <algorithm>
#include <utility>

namespace {

const QString TipoProm = QStringLiteral("vcs");
constexpr int VocePromemoria = 875;

// Sends the text and, once the phone closed the entry with its bare OK, takes back what the
// phone stored. An empty read-back means the phone did not keep the entry.
bool ScriviTesto(int posizione, const QString& vcal)
{
    QString ultima;
    if (!ScriviOggetto(TipoProm, posizione, CodificaWindows1252(vcal), {}, &ultima)
        || !EOKNudo(ultima))
        return false;
    QString letto;
    if (LeggiProm(posizione, letto) != Lettura::Presente)
        return false;
    Telefono.Promemoria[static_cast<size_t>(posizione)] = PromDaTelefono(letto);
    return true;
}

} // namespace

Lettura LeggiProm(int posizione, QString& testo)
{
    QByteArray dati;
    const Lettura lettura = LeggiOggetto(TipoProm, posizione, dati);
    testo = lettura == Lettura::Presente ? DecodificaWindows1252(dati) : QString();
    return lettura;
}

bool LeggiTuttiProm(LettureRifiutate& rifiutate)
{
    const AttesaInCorso attesa(Msg(379));
    TabellaProm letti = Telefono.Promemoria;
    SvuotaProm(letti);
    // The positions refused, by the phone's line, in the order the lines first came.
    QList<std::pair<QString, QStringList>> rifiuti;
    for (int n = 1; n <= NumPromemoria; ++n) {
        QString testo;
        const Lettura lettura = LeggiProm(n, testo);
        if (lettura == Lettura::Fallita)
            return false;
        if (lettura == Lettura::Presente)
            letti[static_cast<size_t>(n)] = PromDaTelefono(testo);
        letti[static_cast<size_t>(n)].Rifiutato = lettura == Lettura::Rifiutata;
        if (lettura != Lettura::Rifiutata)
            continue;
        const QString riga = UltimaRigaRifiuto();
        auto stesso = std::find_if(rifiuti.begin(), rifiuti.end(),
                                   [&riga](const auto& rifiuto) { return rifiuto.first == riga; });
        if (stesso == rifiuti.end())
            stesso = rifiuti.insert(rifiuti.end(), {riga, {}});
        stesso->second << QString::number(n);
    }
    Telefono.Promemoria = letti;
    Telefono.PromLetti = true;
    for (const auto& [riga, posizioni] : rifiuti)
        rifiutate.Annota(PromemoriaAlle(posizioni), riga);
    return true;
}

QString PromemoriaAlle(const QStringList& posizioni)
{
    return Msg(VocePromemoria) + QLatin1Char(' ') + posizioni.join(QStringLiteral(", "));
}

bool ScriviProm(int posizione, const ValoriProm& valori, const ValoriProm& prima)
{
    const AttesaInCorso attesa(Msg(384));
    const QString& originale = Telefono.Promemoria[static_cast<size_t>(posizione)].Originale;
    return ScriviTesto(posizione, VCalendarDelDialogo(originale, prima, valori));
}

bool ScriviPromDaRecord(int posizione)
{
    return ScriviTesto(
        posizione, CodificaVCalendarDaRecord(Telefono.Promemoria[static_cast<size_t>(posizione)]));
}

bool CancellaProm(int posizione, EsitoAT* esito)
{
    return CancellaOggetto(TipoProm, posizione, esito);
}
