#include "blocchi.h"

#include "campirisposta.h"

#include <QRegularExpression>

QString ByteInHex(uint8_t byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

int NumeroBlocchi(qsizetype lunghezza)
{
    if (lunghezza <= 0)
        return 1;
    return static_cast<int>((lunghezza + ByteBlocco - 1) / ByteBlocco);
}

QStringList BlocchiHex(const QByteArray& dati)
{
    QStringList blocchi;
    const int numero = NumeroBlocchi(dati.size());
    for (int i = 0; i < numero; ++i) {
        QString hex;
        for (const char byte : dati.mid(static_cast<qsizetype>(i) * ByteBlocco, ByteBlocco))
            hex += ByteInHex(static_cast<uint8_t>(byte));
        blocchi << hex;
    }
    return blocchi;
}

namespace {

bool EHex(const QString& testo)
{
    static const QRegularExpression hex(QStringLiteral("^(?:[0-9A-Fa-f]{2})*$"));
    return hex.match(testo).hasMatch();
}

} // namespace

std::optional<QByteArray> DatiDaBlocchi(const QString& risposta, const QString& tipo, int indice)
{
    static const QRegularExpression intestazione(
        QStringLiteral("^\\^SBNR: \"([a-z]+)\",(\\d+),(\\d+),(\\d+)$"));
    QStringList righe = risposta.split(QStringLiteral("\r\n"));
    righe.removeAll(QString());
    if (righe.isEmpty() || righe.size() % 2 != 0 || righe.size() / 2 > MaxBlocchi)
        return std::nullopt;
    const int blocchi = static_cast<int>(righe.size() / 2);
    QByteArray dati;
    for (int i = 1; i <= blocchi; ++i) {
        const QRegularExpressionMatch m = intestazione.match(righe.at(2 * (i - 1)));
        const QString& hex = righe.at(2 * (i - 1) + 1);
        const bool ultimo = i == blocchi;
        const bool valido
            = m.hasMatch() && m.captured(1) == tipo && InteroTra(m.captured(2), indice, indice)
              && InteroTra(m.captured(3), i, i) && InteroTra(m.captured(4), blocchi, blocchi)
              && EHex(hex) && (ultimo ? hex.size() <= HexBlocco : hex.size() == HexBlocco);
        if (!valido)
            return std::nullopt;
        dati += QByteArray::fromHex(hex.toLatin1());
    }
    return dati;
}

bool EOKNudo(const QString& risposta)
{
    return risposta.mid(2, 2) == QLatin1String("OK");
}

QString Percentuale(int blocco, int blocchi)
{
    return QString::number(blocco * 100 / blocchi) + QLatin1Char('%');
}
