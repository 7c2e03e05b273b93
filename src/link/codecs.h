#pragma once
#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>

// Windows-1252, one byte to one character both ways; the five bytes it leaves undefined map to
// U+0081, U+008D, U+008F, U+0090, U+009D so that every byte round-trips.
QChar CarattereDaByte(uint8_t byte);
int ByteDaCarattere(QChar carattere); // the byte, or -1 when Windows-1252 has no byte for it
QString DecodificaWindows1252(const QByteArray& bytes);
QByteArray CodificaWindows1252(const QString& testo); // a character with no byte becomes '?'

// The AT string parameter carrying these bytes: in double quotes, with every byte that would
// break the command line or the string (controls, '"', '\', DEL) written as "\hh", each other
// as the line's character for it, so that it reaches the phone as that byte.
QString CodificaStringaAT(const QByteArray& byte);
// The text of an AT string with its escapes undone: "\hh" for a byte that cannot stand in a
// string as it is, as CodificaStringaAT writes them and 27.007 lets a phone write them. Any other
// backslash is the byte it is (in GSM the code 92, Ö), which a phone may send as it is.
QString SenzaEscape(QStringView testo);

// The value of a hexadecimal digit (either case), or -1 for any other character.
int ValoreCifraHex(QChar carattere);

// Hex text as the phone sends it, read pair by pair: a pair's leading hex digits give its value
// ("1G" is 1, "G1" is 0). Of an odd length's lone final digit only every other one is read
// (lengths 1 and 5 read it, 3 and 7 drop it).
QString HexInTesto(const QString& hex);                // one Windows-1252 character per pair
void HexInByte(const QString& hex, QByteArray& bytes); // one byte per pair, plus a trailing 0

// GSM default-alphabet code to its character (GSM 03.38). The escape, 27, which starts an
// extension pair, shows as a space when no pair follows; slot 128 stays U+0000.
extern std::array<QChar, 129> AlfabetoGSM;
void InitAlfabetoGSM();
// Each character's byte is a GSM code, shown through AlfabetoGSM; 27 followed by an extension
// code gives the extension character, followed by another code that code's own character.
// Characters with bytes above 128 are dropped. Every character shown goes back to its own codes
// through CodificaTestoGSM, so a text read and written back unchanged keeps them.
QString ConvertiTestoGSM(const QString& codici);
// The true GSM code of every character, as bytes; extension characters take two, and a
// character GSM cannot carry becomes '?'.
QByteArray CodificaTestoGSM(const QString& testo);
// True when the GSM alphabet has a code for the character, in its basic table or its extension.
bool CarattereGSM(QChar carattere);
// The longest start of a text whose GSM codes, as CodificaTestoGSM writes them, fit in `limite`
// bytes; its characters stay as they are, those GSM lacks included (each counts one).
QString TestoEntroCodiciGSM(const QString& testo, qsizetype limite);

// Blanks (U+0020) taken off both ends, as fixed-width fields are padded; a tab or a no-break
// space belongs to the text and stays.
QString TagliaSpazi(const QString& testo);
// The same at the end only, where a field's value must keep its place in it.
QString TagliaSpaziFinali(const QString& testo);
