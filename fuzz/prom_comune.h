#pragma once

// Reminders compared field by field, and their trip to the phone and back.

#include "comune.h"

#include "codecs.h"
#include "promemoria.h"

#include <QStringList>

inline QString DescriviProm(const ::Promemoria& p)
{
    return QStringList{p.Categoria,    p.Ripetizione,   p.RipetizioneTesto, p.Allarme.Data,
                       p.Allarme.Ora,  p.Allarme.Stamp, p.Inizio.Data,      p.Inizio.Ora,
                       p.Inizio.Stamp, p.Descrizione}
        .join(QStringLiteral("|"));
}

// What the phone's code page carries of a text.
inline QString NelCodicePagina(const QString& testo)
{
    return DecodificaWindows1252(CodificaWindows1252(testo));
}

// A reminder as the phone keeps it when sent: its vCalendar text in the phone's code page, and
// read back from there.
inline ::Promemoria CopiaDelTelefono(const ::Promemoria& prom, QString* testo = nullptr)
{
    const QString inviato = NelCodicePagina(CodificaVCalendarDaRecord(prom));
    if (testo)
        *testo = inviato;
    return PromDaTelefono(inviato);
}

// A text field as it comes back from the phone: what the code page carries of it, without the
// blanks that pad it, in a field of its width again. A tab or a no-break space stays.
inline QString CampoDalTelefono(const QString& campo)
{
    return CampoFisso(TagliaSpazi(NelCodicePagina(campo)), static_cast<int>(campo.size()));
}

// A reminder sent to the phone as vCalendar text and read back keeps its category, text and
// times, less the blanks that pad them; sent and read again, that copy must not change.
inline void ControllaInvioProm(const ::Promemoria& prom)
{
    QString testo;
    const ::Promemoria copia = CopiaDelTelefono(prom, &testo);
    const QString dettagli = DescriviProm(prom) + QStringLiteral("\n") + DescriviProm(copia)
                             + QStringLiteral("\n") + testo;
    if (copia.Originale.isEmpty()) {
        Verifica(copia.Categoria == CampoDalTelefono(prom.Categoria)
                     && copia.Descrizione == CampoDalTelefono(prom.Descrizione),
                 "a reminder sent to the phone keeps its category and text but their padding",
                 dettagli);
        const QString inizio = NelCodicePagina(prom.Inizio.Stamp);
        Verifica(copia.Inizio.Stamp == inizio && copia.Allarme.Stamp == inizio,
                 "a reminder sent to the phone keeps its start, and its alarm goes at its start",
                 dettagli);
    }
    const ::Promemoria riletta = CopiaDelTelefono(copia, &testo);
    Verifica(DescriviProm(riletta) == DescriviProm(copia),
             "a reminder read back from the phone reads back the same when sent again",
             DescriviProm(copia) + QStringLiteral("\n") + DescriviProm(riletta)
                 + QStringLiteral("\n") + testo);
}
