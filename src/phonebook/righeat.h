#pragma once

// The phonebook's AT texts: reading the phone's replies and building the command parameters.
// Pure functions over text; every one runs in time linear in its input.

#include "globali.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The entry lines of an "AT+CPBR=" reply body, each without its "+CPBR:" and the blanks after
// it. A bare OK holds none, and lines of other results are no entries.
QStringList RigheVoci(const QString& corpo);

// One entry line read by its fields: position, number in quotes, type, name in quotes (raw, in
// the phone's character set, the escapes of an AT string undone), and the optional fields 27.007
// lets follow. Empty fields before the number, which some phones insert, are passed over.
struct RigaVoce {
    int posizione = 0; // 1 to 32767; 0 when the field holds no such position
    QString numero;    // with a "+" in front when the type says the number is international
    QString nomeGrezzo;
    // The name came without its quotes, as some phones in UCS2 give its hex: the field as it
    // stands, to its comma.
    bool nomeNudo = false;
};
// Nothing when the line lacks the quotes around the number.
std::optional<RigaVoce> DecodificaRigaVoce(const QString& riga);
// The position an entry line begins with, 0 when it begins with none: where a line that cannot
// be read stands.
int PosizioneRiga(const QString& riga);
// The name of an entry line in the set, none when it is not well formed there (DecodificaTestoAT).
// An unquoted name is read only in UCS2, whose hex digits hold no comma: in another set the field
// may end at a comma of the name, and read as another name.
std::optional<QString> NomeDellaRiga(const RigaVoce& voce, SetCaratteri set);

// "+CPBS: "SM",used,total": the used and total positions. A total larger than the table's 16-bit
// counts take is held at their largest; a used count missing or out of range (more than the
// total) is 0. A reply with no total that reads as a whole number of digits (no "+CPBS:" line,
// no third field, a negative or garbled one) leaves `totaleLetto` false: nothing then tells how
// many positions the memory has.
struct StatoMemoria {
    int usate = 0;
    int totale = 0;
    bool totaleLetto = false;
};
StatoMemoria LeggiStatoMemoria(const QString& corpo);

// "+CPBR: (1-n),...": n, the memory's last position, when the range of positions is one run
// from 1 to at least 1; held at the table's largest count as a total is. None for any other
// range.
std::optional<int> UltimaPosizione(const QString& corpo);

// "+CPBR: (1-n),number length,name length": the lengths, 0 for what is missing or beyond a
// byte.
struct Lunghezze {
    int numero = 0;
    int nome = 0;
};
Lunghezze LeggiLunghezze(const QString& corpo);

// True when the exchange answered a bare OK: characters 3 and 4 of the body are "OK".
bool RispostaOk(const QString& corpo);

// The text of an AT string with its escapes undone: "\hh" for a byte that cannot stand in a
// string as it is, as CodificaStringaAT writes them. Any other backslash is the GSM code it is
// (92, Ö), which a phone may send as it is.
QString SenzaEscape(QStringView testo);

// The AT string parameter carrying these bytes: in double quotes, with every byte that would
// break the command line or the string (controls, '"', '\', DEL) written as "\hh", each other
// as the line's character for it, so that it reaches the phone as that byte.
QString CodificaStringaAT(const QByteArray& byte);

// A name's length as a phone counts it, in the units of its character set: GSM codes (an
// extension character takes two, one GSM lacks one), the characters of any other set.
int LunghezzaNome(const QString& nome, SetCaratteri set);
// A name as it is written to the phone: cut, when a limit is given, to what fits in that many of
// the set's units (LunghezzaNome). A red name is cut before its final mark "!", which it keeps.
QString NomeScritto(const QString& nome, SetCaratteri set, int limite = 0);
// That name in the character set, quoted.
QString NomeAT(const QString& nome, SetCaratteri set, int limite = 0);
// What the phone holds once it has taken that name, as it reads back.
QString NomeSulTelefono(const QString& nome, SetCaratteri set, int limite = 0);
// The number cut to `limite` digits when a limit is given: a phone counts the digits of a
// number, so a leading "+", which stands for the international type, takes no room of it.
QString NumeroEntro(const QString& numero, int limite);
// A number as a quoted parameter, cut as NumeroEntro cuts it.
QString NumeroAT(const QString& numero, int limite = 0);
// "145" for an international number (leading "+"), else "129".
QString TipoNumero(const QString& numero);
