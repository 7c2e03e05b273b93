#include "scambioprom.h"

#include "attesa.h"
#include "blocchi.h"
#include "catalogo.h"
#include "codecs.h"
#include "globali.h"
#include "promemoria.h"

namespace {

const QString TipoProm = QStringLiteral("vcs");

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

bool LeggiTuttiProm()
{
    const AttesaInCorso attesa(Msg(379));
    TabellaProm letti = Telefono.Promemoria;
    SvuotaProm(letti);
    for (int n = 1; n <= NumPromemoria; ++n) {
        QString testo;
        const Lettura lettura = LeggiProm(n, testo);
        if (lettura == Lettura::Fallita)
            return false;
        if (lettura == Lettura::Presente)
            letti[static_cast<size_t>(n)] = PromDaTelefono(testo);
        letti[static_cast<size_t>(n)].Rifiutato = lettura == Lettura::Rifiutata;
    }
    Telefono.Promemoria = letti;
    Telefono.PromLetti = true;
    return true;
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

bool CancellaProm(int posizione)
{
    return CancellaOggetto(TipoProm, posizione);
}
