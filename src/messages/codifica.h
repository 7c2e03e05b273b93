#pragma once

// Building the hex text of one SMS-SUBMIT PDU, service centre field in front, as the phone takes
// it after "AT+CMGS=140" or "AT+CMGW=140,<status>" and as the archive keeps it. The text goes in
// the GSM 7-bit default alphabet with its true codes; the validity period is always relative.

#include <QByteArray>
#include <QString>

// The most septets one message carries.
constexpr int MaxSettettiSMS = 160;

// Semi-octet digits, low half of each octet first; an odd count is closed with F.
QString ScambiaSemiOttetti(const QString& cifre);

// An address field: length, type of number (91 international for a leading "+", else 81), the
// swapped digits. The destination's length counts digits, the service centre's counts octets
// with the type octet; an empty service centre is the single octet "00" (the phone's own
// centre). "*" and "#" are the semi-octets A and B; any other character that is no digit cannot
// be dialled and is left out. A destination holding letters is a name, not a number: it goes as
// an alphanumeric address (type D0, the name in the GSM 7-bit alphabet, the length counting
// semi-octets), so that a draft to an alphanumeric sender keeps it; a name longer than the 11
// septets an address holds is cut there, without splitting an extension pair.
QString CodificaIndirizzo(const QString& numero, bool destinatario);

// The user data length in septets (an extension character takes two) and the packed septets, at
// most MaxSettettiSMS of them: a longer text is cut without splitting an extension pair.
QString CodificaTesto7bit(const QString& testo);

// The whole PDU for this service centre. `validita` and `dcs` are two hex digits each, as given.
QString CostruisciPDU(const QString& centro, const QString& testo, const QString& numero,
                      const QString& validita, bool rapportoStato, const QString& dcs);

// The same with the phone's service centre, read from the phone first when it is not known.
QString CodificaPDU(const QString& testo, const QString& numero, const QString& validita,
                    bool rapportoStato, const QString& dcs);
