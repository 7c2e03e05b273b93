#pragma once

// Reminders compared field by field, and their trip to the phone and back.

#include "comune.h"

#include "promemoria.h"

#include <QStringList>

inline QString DescriviProm(const ::Promemoria& p)
{
    return QStringList{p.Categoria,    p.Ripetizione,   p.RipetizioneTesto, p.Allarme.Data,
                       p.Allarme.Ora,  p.Allarme.Stamp, p.Inizio.Data,      p.Inizio.Ora,
                       p.Inizio.Stamp, p.Descrizione}
        .join(QStringLiteral("|"));
}

// A reminder sent to the phone as vCalendar text and read back is the phone's copy of it; sent
// and read again, that copy must not change.
inline void ControllaInvioProm(const ::Promemoria& prom)
{
    const ::Promemoria copia = DecodificaVCalendar(CodificaVCalendarDaRecord(prom));
    const QString testo = CodificaVCalendarDaRecord(copia);
    const ::Promemoria riletta = DecodificaVCalendar(testo);
    Verifica(DescriviProm(riletta) == DescriviProm(copia),
             "a reminder read back from the phone reads back the same when sent again",
             DescriviProm(copia) + QStringLiteral("\n") + DescriviProm(riletta)
                 + QStringLiteral("\n") + testo);
}
