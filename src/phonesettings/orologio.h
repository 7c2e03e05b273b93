#pragma once

#include "rifiuti.h"

#include <QString>

#include <optional>

// The phone clock: "AT+CCLK?" read into Telefono.DataTel ("DD/MM/YY") and Telefono.OraTel
// ("HH:MM" padded to 8), and "AT+CCLK=" to set it. Seconds are never kept.

struct OrologioTelefono {
    QString DataTel;
    QString OraTel;
};

// The date and time of a "+CCLK: "yy/MM/dd,hh:mm:ss[±zz]"" reply body, read by its fields: the
// clock quoted or bare, the year of two digits or four, the seconds and the time zone optional.
// None for a reply that holds no such clock (short, garbled, a bare OK).
std::optional<OrologioTelefono> DecodificaOrologio(const QString& risposta);

// At least two digits for a text that is a whole number ("5" gives "05"); any other text as it is.
QString FormatoDueCifre(const QString& testo);

// The set command for day, month, year, hour, minute and second, each a whole number of at most
// two digits; none when a part is not one, so that no other text reaches the phone.
std::optional<QString> ComandoImpostaOrologio(const QString& giorno, const QString& mese,
                                              const QString& anno, const QString& ora,
                                              const QString& minuto, const QString& secondo);

// True when the value is written in decimal digits only and lies from min to max.
bool ControllaNum(const QString& valore, int minimo, int massimo);

// Reads the phone clock and marks it read. A clock the phone refused, or did not give in its
// reply, is unknown (empty date and time) and is the value returned; a lost link changes nothing
// and returns none.
LettureRifiutate LeggiDataOra();

// Sets the phone clock, then reads it again whatever the result, what that read did not give
// going to `rilettura`; true when the phone accepted the clock.
bool ImpostaDataOra(const QString& giorno, const QString& mese, const QString& anno,
                    const QString& ora, const QString& minuto, const QString& secondo,
                    LettureRifiutate& rilettura);
