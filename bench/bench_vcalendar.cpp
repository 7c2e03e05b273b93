// The reminder reader, for entries of growing size whose one property goes on over many lines:
// folded lines, folds of blanks only, and quoted-printable soft line breaks. Prints, per shape
// and size, the time to read the entry and the time a byte; the time a byte must stay flat from
// the smallest entry to one ten times as long: no line may make the reader look at the whole
// property again.

#include "misura.h"
#include "promemoria.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

namespace {

// An entry whose description goes on over `righe` more lines, each made by `continua`.
QString Voce(const QString& proprieta, int righe, const std::function<QString(int)>& continua)
{
    QString testo
        = QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n") + proprieta;
    for (int r = 0; r < righe; ++r)
        testo += continua(r);
    return testo + QStringLiteral("\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
}

struct Forma {
    QString nome;
    std::function<QString(int)> voce;
};

const QList<Forma>& Forme()
{
    static const QList<Forma> forme{
        {QStringLiteral("folded lines"),
         [](int righe) {
             return Voce(QStringLiteral("DESCRIPTION:Testo"), righe,
                         [](int r) { return QStringLiteral("\r\n piega %1").arg(r % 10); });
         }},
        {QStringLiteral("folds of blanks only"),
         [](int righe) {
             return Voce(QStringLiteral("DESCRIPTION:Testo"), righe,
                         [](int) { return QStringLiteral("\r\n "); });
         }},
        {QStringLiteral("quoted-printable soft breaks"),
         [](int righe) {
             return Voce(QStringLiteral("DESCRIPTION;ENCODING=QUOTED-PRINTABLE:Testo"), righe,
                         [](int r) { return QStringLiteral("=\r\nC=E8%1").arg(r % 10); });
         }},
    };
    return forme;
}

// The median time of the counted runs that read the entry, in milliseconds.
double MisuraLettura(const QString& testo, const OpzioniBanco& opzioni)
{
    Serie tempi;
    for (int giro = opzioni.rapido ? 1 : 0; giro <= opzioni.giri; ++giro) {
        QElapsedTimer orologio;
        orologio.start();
        DecodificaVCalendar(testo);
        if (giro > 0)
            tempi.Aggiungi(double(orologio.nsecsElapsed()) / 1e6);
    }
    return tempi.Mediana();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const OpzioniBanco opzioni
        = LeggiOpzioni(app, QStringLiteral("The reminder reader, for entries of growing size."), 5);
    QTextStream uscita(stdout);
    const QList<int> righe = opzioni.rapido ? QList<int>{10} : QList<int>{5000, 50000};
    for (const Forma& forma : Forme()) {
        uscita << '\n' << forma.nome << '\n';
        double primoPerByte = 0;
        double ultimoPerByte = 0;
        for (const int n : righe) {
            const QString testo = forma.voce(n);
            const double ms = MisuraLettura(testo, opzioni);
            const double perByte = ms * 1e6 / double(testo.size());
            uscita << QStringLiteral("%1 lines, %2 bytes: %3 ms, %4 ns a byte\n")
                          .arg(n)
                          .arg(testo.size())
                          .arg(ms, 0, 'f', 2)
                          .arg(perByte, 0, 'f', 1);
            if (n == righe.first())
                primoPerByte = perByte;
            ultimoPerByte = perByte;
        }
        if (righe.size() > 1)
            uscita << "time a byte, largest against smallest: "
                   << QString::number(ultimoPerByte / primoPerByte, 'f', 2) << "x\n";
    }
    return 0;
}
