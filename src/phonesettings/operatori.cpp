#include "operatori.h"

#include "codecs.h"
#include "globali.h"

#include <QFile>
#include <QSaveFile>

namespace {

Operatore operatoreDaRigaFile(const QString& riga)
{
    return {CodiceOperatore(riga.left(5)), riga.mid(6)};
}

} // namespace

QString CodiceOperatore(const QString& testo)
{
    return testo.left(5).leftJustified(5, QLatin1Char(' '));
}

bool CaricaFileOperatori(const QString& percorso)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly)) {
        Telefono.OperatoriLetti = false;
        return false;
    }
    const QByteArray contenuto = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        Telefono.OperatoriLetti = false;
        return false;
    }
    std::vector<Operatore> letti;
    for (QString riga : DecodificaWindows1252(contenuto).split(QLatin1Char('\n'))) {
        if (riga.endsWith(QLatin1Char('\r')))
            riga.chop(1);
        letti.push_back(operatoreDaRigaFile(riga));
    }
    // The text after the last line end is no line of its own.
    if (!letti.empty() && contenuto.endsWith('\n'))
        letti.pop_back();
    Telefono.Operatori = std::move(letti);
    Telefono.OperatoriLetti = true;
    return true;
}

bool SalvaFileOperatori(const QString& percorso)
{
    QString testo;
    for (const Operatore& op : Telefono.Operatori)
        testo += op.Codice + QLatin1Char(',') + op.Nome + QStringLiteral("\r\n");
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(CodificaWindows1252(testo));
    return file.commit();
}

std::vector<Operatore> DecodificaOperatori(const QString& risposta)
{
    // Each line: "+COPN: " the code, a comma, the name in double quotes.
    std::vector<Operatore> operatori;
    for (const QString& riga : risposta.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        QString nome = riga.mid(14);
        if (nome.endsWith(QLatin1Char('"')))
            nome.chop(1);
        operatori.push_back({CodiceOperatore(riga.mid(7, 5)), nome});
    }
    return operatori;
}

QString NomeOperatore(const QString& codice)
{
    for (const Operatore& op : Telefono.Operatori)
        if (op.Codice == codice)
            return op.Nome;
    return codice;
}

uint8_t LivelloSegnale(int16_t dBm)
{
    if (dBm == 0)
        return 0;
    if (dBm >= -51)
        return 5;
    if (dBm >= -79)
        return 4;
    if (dBm >= -93)
        return 3;
    if (dBm >= -103)
        return 2;
    if (dBm >= -110)
        return 1;
    return 0;
}
