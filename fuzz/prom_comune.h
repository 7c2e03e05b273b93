#pragma once

// Reminders compared field by field, and their trip to the phone and back.

#include "comune.h"

#include "codecs.h"
#include "promemoria.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>
#include <QTimeZone>

inline QString DescriviProm(const ::Promemoria& p)
{
    return QStringList{p.Categoria,    p.Ripetizione,   p.RipetizioneTesto, p.Allarme.Data,
                       p.Allarme.Ora,  p.Allarme.Stamp, p.Inizio.Data,      p.Inizio.Ora,
                       p.Inizio.Stamp, p.Descrizione}
        .join(QStringLiteral("|"));
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

// A text field as it comes back from the phone: what the code page carries of it, without its
// NULs and the blanks that pad it, in a field of its width again; a field left with nothing is
// not sent, and comes back never written. A tab or a no-break space stays.
inline QString CampoDalTelefono(const QString& campo)
{
    const QString valore = TagliaSpazi(NelCodicePagina(QString(campo).remove(QChar())));
    const auto larghezza = static_cast<int>(campo.size());
    return valore.isEmpty() ? QString(larghezza, QChar()) : CampoFisso(valore, larghezza);
}

// A stamp as it comes back from the phone: without its NULs, and never written when it holds
// nothing but blanks.
inline QString StampDalTelefono(const QString& stamp)
{
    const QString valore = NelCodicePagina(QString(stamp).remove(QChar()));
    return TagliaSpazi(valore).isEmpty() ? QString(14, QChar()) : CampoFisso(valore, 14);
}

// The copy the phone keeps of a reminder built from its fields alone.
inline ::Promemoria CopiaDaiCampi(const ::Promemoria& prom, QString* testo = nullptr)
{
    ::Promemoria campi = prom;
    campi.Originale.clear();
    return CopiaDelTelefono(campi, testo);
}

// A reminder read from the phone goes back as the phone gave it. One built from its fields keeps
// its category, text and start, less NULs and the blanks that pad them, its alarm goes at its
// start, and no value carries a control byte: only CR LF ends a line. Its copy, built again from
// the fields read back, must not change.
inline void ControllaInvioProm(const ::Promemoria& prom)
{
    QString testo;
    const ::Promemoria copia = CopiaDelTelefono(prom, &testo);
    const QString dettagli = DescriviProm(prom) + QStringLiteral("\n") + DescriviProm(copia)
                             + QStringLiteral("\n") + testo;
    if (!prom.Originale.isEmpty()) {
        Verifica(testo == NelCodicePagina(prom.Originale),
                 "a reminder read from the phone goes back byte for byte", dettagli);
    } else {
        static const QRegularExpression controllo(
            QStringLiteral("[\\x00-\\x09\\x0B\\x0C\\x0E-\\x1F\\x7F]|\\r(?!\\n)|(?<!\\r)\\n"));
        Verifica(!controllo.match(testo).hasMatch(),
                 "a reminder built from its fields carries no control byte", dettagli);
        const ::Promemoria campi = DecodificaVCalendar(testo);
        Verifica(campi.Categoria == CampoDalTelefono(prom.Categoria)
                     && campi.Descrizione == CampoDalTelefono(prom.Descrizione),
                 "a reminder sent to the phone keeps its category and text but their padding",
                 dettagli);
        const QString inizio = StampDalTelefono(prom.Inizio.Stamp);
        Verifica(campi.Inizio.Stamp == inizio && campi.Allarme.Stamp == inizio,
                 "a reminder sent to the phone keeps its start, and its alarm goes at its start",
                 dettagli);
        const QString ora = TagliaSpaziFinali(inizio.mid(8));
        Verifica(!prom.Inizio.Utc || ora.size() < 6 || (campi.Inizio.Utc && campi.Allarme.Utc),
                 "a time given in UTC is sent in UTC", dettagli);
    }
    const ::Promemoria ricostruita = prom.Originale.isEmpty() ? copia : CopiaDaiCampi(prom);
    const ::Promemoria riletta = CopiaDaiCampi(ricostruita, &testo);
    Verifica(DescriviProm(riletta) == DescriviProm(ricostruita),
             "a reminder read back from the phone reads back the same when built again",
             DescriviProm(ricostruita) + QStringLiteral("\n") + DescriviProm(riletta)
                 + QStringLiteral("\n") + testo);
}

// A stamp YYYYMMDDHHMMSS as an instant; an invalid one for any other.
inline QDateTime IstanteDelloStamp(const QString& stamp)
{
    const QDate data = QDate::fromString(stamp.left(8), QStringLiteral("yyyyMMdd"));
    const QTime ora = QTime::fromString(stamp.mid(8), QStringLiteral("HHmmss"));
    return data.isValid() && ora.isValid() ? QDateTime(data, ora, QTimeZone::utc()) : QDateTime();
}

// The dialog's changes to a reminder a position holds: what the user changed reads back as the
// user set it, and an alarm keeps its distance from the start, or goes at it where there is no
// distance to keep, or stays where it holds no time.
inline void ControllaModifica(const QString& testo)
{
    const ValoriProm prima{QStringLiteral("11"),   QStringLiteral("3"),
                           QStringLiteral("2024"), QStringLiteral("18"),
                           QStringLiteral("0"),    QStringLiteral("0"),
                           QStringLiteral("x"),    QStringLiteral("MISCELLANEOUS"),
                           QStringLiteral("D1"),   false};
    const ::Promemoria vecchia = DecodificaVCalendar(testo);
    for (const QString& ripetizione : {QStringLiteral("Y1"), QString()}) {
        const ValoriProm dopo{QStringLiteral("2"),
                              QStringLiteral("01"),
                              QStringLiteral("2025"),
                              QStringLiteral("03"),
                              QStringLiteral("4"),
                              QStringLiteral("05"),
                              QStringLiteral("Nuovo testo"),
                              QStringLiteral("MEETING"),
                              ripetizione,
                              true};
        const QString modificato = VCalendarDelDialogo(testo, prima, dopo);
        const ::Promemoria nuova = DecodificaVCalendar(NelCodicePagina(modificato));
        const QString dettagli = testo + QStringLiteral("\n--\n") + modificato
                                 + QStringLiteral("\n--\n") + DescriviProm(nuova);
        Verifica(nuova.Descrizione == CampoFisso(dopo.testo, 16)
                     && nuova.Categoria == CampoFisso(dopo.categoria, 15)
                     && ValoreCampo(nuova.Ripetizione) == ripetizione
                     && nuova.Inizio.Stamp == QLatin1String("20250102030405") && nuova.Inizio.Utc,
                 "what the user changed reads back as the user set it", dettagli);
        const QDateTime allarme = IstanteDelloStamp(vecchia.Allarme.Stamp);
        const QDateTime inizio = IstanteDelloStamp(vecchia.Inizio.Stamp);
        const bool stessaDistanza = allarme.isValid() && inizio.isValid()
                                    && inizio.secsTo(allarme)
                                           == IstanteDelloStamp(nuova.Inizio.Stamp)
                                                  .secsTo(IstanteDelloStamp(nuova.Allarme.Stamp));
        Verifica(stessaDistanza || nuova.Allarme.Stamp == nuova.Inizio.Stamp
                     || (!allarme.isValid() && nuova.Allarme.Stamp == vecchia.Allarme.Stamp),
                 "an alarm keeps its distance from the start", dettagli);
    }
}
