#include "testo.h"

int NumeroIniziale(QStringView testo)
{
    constexpr int Massimo = 99999;
    qsizetype i = 0;
    while (i < testo.size() && testo.at(i) == u' ')
        ++i;
    int segno = 1;
    if (i < testo.size() && (testo.at(i) == u'-' || testo.at(i) == u'+')) {
        segno = testo.at(i) == u'-' ? -1 : 1;
        ++i;
    }
    int valore = 0;
    for (; i < testo.size() && testo.at(i) >= u'0' && testo.at(i) <= u'9'; ++i) {
        valore = valore * 10 + (testo.at(i).unicode() - u'0');
        if (valore > Massimo)
            valore = Massimo;
    }
    return segno * valore;
}

std::optional<int> InteroEntro(QStringView campo, int minimo, int massimo)
{
    qsizetype inizio = 0;
    qsizetype fine = campo.size();
    while (inizio < fine && campo.at(inizio) == u' ')
        ++inizio;
    while (fine > inizio && campo.at(fine - 1) == u' ')
        --fine;
    const QStringView cifre = campo.mid(inizio, fine - inizio);
    if (cifre.isEmpty())
        return std::nullopt;
    long long valore = 0;
    for (const QChar carattere : cifre) {
        if (carattere < u'0' || carattere > u'9')
            return std::nullopt;
        valore = valore * 10 + (carattere.unicode() - u'0');
        if (valore > massimo)
            return std::nullopt;
    }
    if (valore < minimo)
        return std::nullopt;
    return static_cast<int>(valore);
}
