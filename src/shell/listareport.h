#pragma once

#include <QTreeWidget>

// The report-style list the views fill: item text plus sub-items, columns with keys, and a sort
// state (on/off, column, order) that the views set and the column-click rule changes. Qt's own
// header-click sorting stays off; the list sorts itself when its sort state changes.
class ListaReport : public QTreeWidget {
    Q_OBJECT
public:
    explicit ListaReport(QWidget* padre = nullptr);

    // Replaces the columns: captions, widths in twips and keys. The widths are minimums: a
    // column grows to fit its header, and the rows a view adds (the user may still narrow it).
    // A column of width 0 is a hidden one and stays so.
    struct Colonna {
        QString testo;
        int larghezzaTwips = 1500;
        QString chiave;
    };
    void ImpostaColonne(const QList<Colonna>& colonne);
    QString ChiaveColonna(int indice) const;

    // Adds a row: item text, sub-items and the image number of the main image list (0: none).
    // While sorting is on every row added sorts the list again: a view fills the list with
    // sorting off and switches it on once the rows are in.
    QTreeWidgetItem* Aggiungi(const QString& testo, const QStringList& sottovoci = {},
                              int immagine = 0);
    // Sub-item n of a row (0 is the item text); empty when the row has no such column.
    static QString SottoVoce(const QTreeWidgetItem* riga, int n);

    bool Sorted() const { return ordinata; }
    int SortKey() const { return chiaveOrdine; }
    int SortOrder() const { return ordine; }
    void SetSorted(bool attiva);
    void SetSortKey(int colonna);
    void SetSortOrder(int verso);

    // The selected row, or null.
    QTreeWidgetItem* SelectedItem() const;

private:
    void riordina();

    bool ordinata = false;
    int chiaveOrdine = 0;
    int ordine = 0;
};

// Makes the columns of a report list grow to fit the rows put in it or changed, however they are
// put in; a column never shrinks (the user may still narrow it), and one of width 0 stays hidden.
void ColonneCheCrescono(QTreeWidget& vista);

// Gives a column of a list its width from the design, in twips, as a minimum: never narrower than
// its header's caption. A width of 0 hides the column.
void ImpostaLarghezzaColonna(QTreeWidget& vista, int colonna, int larghezzaTwips);
