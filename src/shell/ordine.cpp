#include "ordine.h"

StatoOrdine OrdineDopoClic(StatoOrdine prima, int colonna, const QString& chiaveColonna)
{
    const bool perData = chiaveColonna == QLatin1String("D");
    const bool stessaColonna = prima.chiave == colonna - 1 || (perData && prima.chiave == colonna);
    if (!stessaColonna)
        return {perData ? colonna : colonna - 1, 0};
    return {prima.chiave, prima.verso == 0 ? 1 : 0};
}
