#include "promemoria.h"

#include "catalogo.h"
#include "codecs.h"

#include <QStringList>

namespace {

const QString FineRiga = QStringLiteral("\r\n");

constexpr int LarghezzaCategoria = 15;
constexpr int LarghezzaRipetizione = 2;
constexpr int LarghezzaNomeRipetizione = 11;
constexpr int LarghezzaDescrizione = 16;
constexpr int LarghezzaData = 10;
constexpr int LarghezzaOra = 8;
constexpr int LarghezzaStamp = 14;

QString Riga(const QString& chiave, const QString& valore)
{
    return chiave + valore + FineRiga;
}

QString Corpo(const QString& categoria, const QString& dataOra, const QString& ripetizione,
              const QString& testo)
{
    QString vcal
        = Riga(QStringLiteral("BEGIN:VCALENDAR"), {}) + Riga(QStringLiteral("VERSION:1.0"), {})
          + Riga(QStringLiteral("BEGIN:VEVENT"), {})
          + Riga(QStringLiteral("CATEGORIES:"), categoria)
          + Riga(QStringLiteral("DALARM:"), dataOra) + Riga(QStringLiteral("DTSTART:"), dataOra);
    if (!ripetizione.isEmpty())
        vcal += Riga(QStringLiteral("RRULE:"), ripetizione);
    return vcal + Riga(QStringLiteral("DESCRIPTION:"), testo)
           + Riga(QStringLiteral("END:VEVENT"), {}) + Riga(QStringLiteral("END:VCALENDAR"), {});
}

} // namespace

QString CampoFisso(const QString& valore, int larghezza)
{
    return valore.left(larghezza).leftJustified(larghezza, QLatin1Char(' '));
}

bool PromUsato(const ::Promemoria& prom)
{
    return !prom.Descrizione.isEmpty() && prom.Descrizione.at(0) != QChar();
}

void SvuotaSlot(::Promemoria& prom)
{
    prom.Descrizione = QString(LarghezzaDescrizione, QChar());
}

void SvuotaProm(TabellaProm& tabella)
{
    for (size_t k = 1; k < tabella.size(); ++k)
        SvuotaSlot(tabella[k]);
}

QString CodificaVCalendar(const QString& data, const QString& ora, const QString& testo,
                          const QString& categoria, const QString& ripetizione)
{
    return Corpo(categoria, data + QLatin1Char('T') + ora, ripetizione, testo);
}

QString CodificaVCalendarDaRecord(const ::Promemoria& prom)
{
    const QString& stamp = prom.Inizio.Stamp;
    const QString dataOra = stamp.left(8) + QLatin1Char('T') + stamp.right(6);
    // A field of NULs or blanks carries no rule.
    const bool ricorrente = !prom.Ripetizione.isEmpty() && prom.Ripetizione.at(0).unicode() > 33;
    return Corpo(TagliaSpazi(prom.Categoria), dataOra,
                 ricorrente ? TagliaSpazi(prom.Ripetizione) : QString(),
                 TagliaSpazi(prom.Descrizione));
}

DataOraProm DecodificaDataVCalendar(const QString& valore)
{
    DataOraProm dataOra;
    dataOra.Stamp = CampoFisso(valore.left(8) + valore.mid(9, 6), LarghezzaStamp);
    dataOra.Data = CampoFisso(valore.mid(6, 2) + QLatin1Char('/') + valore.mid(4, 2)
                                  + QLatin1Char('/') + valore.left(4),
                              LarghezzaData);
    dataOra.Ora = CampoFisso(valore.mid(9, 2) + QLatin1Char('.') + valore.mid(11, 2)
                                 + QLatin1Char(':') + valore.mid(13, 2),
                             LarghezzaOra);
    return dataOra;
}

::Promemoria DecodificaVCalendar(const QString& testo)
{
    // A new record has every field all NULs: a field without its line stays so.
    ::Promemoria prom;
    const QStringList righe = testo.split(FineRiga);
    for (const QString& riga : righe) {
        const qsizetype duePunti = riga.indexOf(QLatin1Char(':'));
        if (duePunti < 0)
            continue;
        const QString chiave = riga.left(duePunti + 1);
        const QString valore = riga.mid(duePunti + 1);
        if (chiave == QLatin1String("CATEGORIES:"))
            prom.Categoria = CampoFisso(valore, LarghezzaCategoria);
        else if (chiave == QLatin1String("DALARM:"))
            prom.Allarme = DecodificaDataVCalendar(valore);
        else if (chiave == QLatin1String("DTSTART:"))
            prom.Inizio = DecodificaDataVCalendar(valore);
        else if (chiave == QLatin1String("RRULE:"))
            prom.Ripetizione = CampoFisso(valore, LarghezzaRipetizione);
        else if (chiave == QLatin1String("DESCRIPTION:"))
            prom.Descrizione = CampoFisso(valore, LarghezzaDescrizione);
    }
    prom.RipetizioneTesto = CampoFisso(NomeRipetizione(prom.Ripetizione), LarghezzaNomeRipetizione);
    return prom;
}

QString NomeRipetizione(const QString& codice)
{
    if (codice == QLatin1String("D1"))
        return Msg(380);
    if (codice == QLatin1String("D7") || codice == QLatin1String("W1"))
        return Msg(381);
    if (codice == QLatin1String("Y1"))
        return Msg(382);
    return Msg(383);
}
