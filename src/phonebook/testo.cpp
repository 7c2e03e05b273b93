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
