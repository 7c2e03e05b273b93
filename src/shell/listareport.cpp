#include "listareport.h"

#include "finestre.h"
#include "immagini.h"

#include <QCollator>
#include <QHeaderView>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace {

// The collation of a language, blind to letter case: names sort as in a dictionary
// ("Österreich" with the O's, not after "Zeta"). The "C" locale has no collation of its own
// (it compares character codes), so it takes the common one.
QCollator CollazioneDi(const QLocale& lingua)
{
    QCollator collatore(lingua.language() == QLocale::C ? QLocale(QLocale::English) : lingua);
    collatore.setCaseSensitivity(Qt::CaseInsensitive);
    return collatore;
}

// The collation rows compare with, and the language it was made for.
struct Collazione {
    QLocale lingua;
    QCollator collatore = CollazioneDi(lingua);
};

Collazione& collazione()
{
    static Collazione inUso;
    return inUso;
}

// Made again when the language has changed: looked at once before a sort, not at every
// comparison of it.
void aggiornaCollazione()
{
    Collazione& c = collazione();
    if (c.lingua != QLocale())
        c = Collazione{};
}

// Rows compare their texts as a user expects of a name list.
class RigaReport : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& altra) const override
    {
        const int colonna = treeWidget() ? treeWidget()->sortColumn() : 0;
        const int confronto = collazione().collatore.compare(text(colonna), altra.text(colonna));
        if (confronto != 0)
            return confronto < 0;
        return text(colonna) < altra.text(colonna);
    }
};

const int RuoloChiave = Qt::UserRole + 1;

// Widens the columns of `vista` that these rows' texts and pictures do not fit.
void allargaPer(QTreeWidget& vista, int primaRiga, int ultimaRiga)
{
    QStyleOptionViewItem opzione;
    opzione.initFrom(&vista);
    opzione.font = vista.font();
    opzione.fontMetrics = vista.fontMetrics();
    const int piccola = vista.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &vista);
    opzione.decorationSize
        = vista.iconSize().isValid() ? vista.iconSize() : QSize(piccola, piccola);
    for (int c = 0; c < vista.columnCount(); ++c) {
        if (vista.columnWidth(c) == 0)
            continue;
        int serve = vista.columnWidth(c);
        for (int r = primaRiga; r <= ultimaRiga; ++r) {
            const QModelIndex indice = vista.model()->index(r, c);
            serve = std::max(serve,
                             vista.itemDelegateForIndex(indice)->sizeHint(opzione, indice).width());
        }
        if (serve > vista.columnWidth(c))
            vista.setColumnWidth(c, serve);
    }
}

} // namespace

ListaReport::ListaReport(QWidget* padre) : QTreeWidget(padre)
{
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    // No columns until a view sets them.
    setHeaderHidden(true);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    ColonneCheCrescono(*this);
}

void ListaReport::ImpostaColonne(const QList<Colonna>& colonne)
{
    clear();
    setHeaderHidden(colonne.isEmpty());
    setColumnCount(static_cast<int>(colonne.size()));
    QStringList titoli;
    for (const Colonna& c : colonne)
        titoli << c.testo;
    setHeaderLabels(titoli);
    for (int i = 0; i < colonne.size(); ++i) {
        headerItem()->setData(i, RuoloChiave, colonne.at(i).chiave);
        ImpostaLarghezzaColonna(*this, i, colonne.at(i).larghezzaTwips);
    }
}

QString ListaReport::ChiaveColonna(int indice) const
{
    return headerItem()->data(indice, RuoloChiave).toString();
}

QTreeWidgetItem* ListaReport::Aggiungi(const QString& testo, const QStringList& sottovoci,
                                       int immagine)
{
    auto* riga = new RigaReport(QStringList{testo} + sottovoci);
    if (immagine > 0)
        riga->setIcon(0, ImmagineLista(immagine));
    addTopLevelItem(riga);
    if (ordinata)
        riordina();
    return riga;
}

QString ListaReport::SottoVoce(const QTreeWidgetItem* riga, int n)
{
    if (!riga || n < 0 || n >= riga->columnCount())
        return {};
    return riga->text(n);
}

void ListaReport::SetSorted(bool attiva)
{
    ordinata = attiva;
    riordina();
}

void ListaReport::SetSortKey(int colonna)
{
    chiaveOrdine = colonna;
    riordina();
}

void ListaReport::SetSortOrder(int verso)
{
    ordine = verso;
    riordina();
}

QTreeWidgetItem* ListaReport::SelectedItem() const
{
    const QList<QTreeWidgetItem*> scelte = selectedItems();
    return scelte.isEmpty() ? currentItem() : scelte.constFirst();
}

void ListaReport::riordina()
{
    if (!ordinata || chiaveOrdine < 0 || chiaveOrdine >= columnCount())
        return;
    aggiornaCollazione();
    sortItems(chiaveOrdine, ordine == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void ColonneCheCrescono(QTreeWidget& vista)
{
    QObject::connect(vista.model(), &QAbstractItemModel::rowsInserted, &vista,
                     [&vista](const QModelIndex& padre, int prima, int ultima) {
                         if (!padre.isValid())
                             allargaPer(vista, prima, ultima);
                     });
    QObject::connect(vista.model(), &QAbstractItemModel::dataChanged, &vista,
                     [&vista](const QModelIndex& da, const QModelIndex& a) {
                         if (!da.parent().isValid())
                             allargaPer(vista, da.row(), a.row());
                     });
}

void ImpostaLarghezzaColonna(QTreeWidget& vista, int colonna, int larghezzaTwips)
{
    const int larghezza = InPixel(larghezzaTwips);
    vista.setColumnWidth(
        colonna, larghezza > 0 ? std::max(larghezza, vista.header()->sectionSizeHint(colonna)) : 0);
}
