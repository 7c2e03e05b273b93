#pragma once

// The framing of the phone's binary objects (AT^SBNR and AT^SBNW): blocks of 176 bytes carried
// as upper-case hex text. Pure text work, without any phone traffic.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

constexpr int ByteBlocco = 176;
constexpr int HexBlocco = 2 * ByteBlocco;
// The writers hold a file's length as a 16-bit signed number.
constexpr int MaxByteOggetto = 32767;
// A block number and the block count travel in one byte.
constexpr int MaxBlocchi = 255;

// The two upper-case hex digits of a byte: 0 "00", 10 "0A", 255 "FF".
QString ByteInHex(uint8_t byte);

// The least number of 176-byte blocks that hold `lunghezza` bytes, and at least one.
int NumeroBlocchi(qsizetype lunghezza);

// The object cut into its blocks, each as hex text; an empty object is one empty block.
QStringList BlocchiHex(const QByteArray& dati);

// The bytes of a read reply: the header and hex lines of every block, in order, for the object
// of that type and index. Nothing when the reply is not a whole, well-formed sequence of blocks
// (a reply cut short by a lost link, blocks out of order, a short block before the last, a
// character that is not hex), so that such a reply is never taken for the object.
std::optional<QByteArray> DatiDaBlocchi(const QString& risposta, const QString& tipo, int indice);

// The phone's lone final "OK", which the exchange hands back whole: "OK" at characters 3 and 4.
bool EOKNudo(const QString& risposta);

// The percent label after block i of n: the whole part of i x 100 / n, then "%".
QString Percentuale(int blocco, int blocchi);
