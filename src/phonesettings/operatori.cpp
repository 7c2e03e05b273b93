#include "operatori.h"

#include "attesa.h"
#include "catalogo.h"
#include "codecs.h"
#include "globali.h"
#include "scambio.h"

#include <QFile>
#include <QSaveFile>

namespace {

constexpr int VoceRicezioneOperatori = 465;

// The name without the double quotes around it.
QString SenzaVirgolette(QString nome)
{
    if (nome.startsWith(QLatin1Char('"')))
        nome.remove(0, 1);
    if (nome.endsWith(QLatin1Char('"')))
        nome.chop(1);
    return nome;
}

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
    // Each line: "+COPN: " the code, a comma, the name in double quotes. Some phones quote the
    // code too; a line without its comma is no operator.
    constexpr qsizetype Prefisso = 7;
    std::vector<Operatore> operatori;
    for (const QString& riga : risposta.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        const qsizetype virgola = riga.indexOf(QLatin1Char(','), Prefisso);
        if (virgola < 0)
            continue;
        QString codice = riga.mid(Prefisso, virgola - Prefisso);
        QString nome = riga.mid(virgola + 1);
        operatori.push_back(
            {CodiceOperatore(codice.remove(QLatin1Char('"')).trimmed()), SenzaVirgolette(nome)});
    }
    return operatori;
}

void LeggiOperatori()
{
    const AttesaInCorso attesa(Msg(VoceRicezioneOperatori));
    EsitoAT esito = EsitoAT::Ok;
    const QString risposta = InviaComandoAT(QStringLiteral("AT+COPN"), &esito);
    if (esito == EsitoAT::Ok) {
        Telefono.Operatori
            = risposta == OKNudo ? std::vector<Operatore>{} : DecodificaOperatori(risposta);
        Telefono.OperatoriLetti = true;
        SalvaFileOperatori(FileProgramma(QStringLiteral("reti.op")));
    } else if (esito == EsitoAT::Errore) {
        // The phone has no list to give: the table and its file stay as they are, and the phone
        // is not asked again on this connection.
        Telefono.OperatoriLetti = true;
    }
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
