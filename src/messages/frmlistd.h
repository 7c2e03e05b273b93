#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The distribution list editor, modal over the compose dialog: lists created and deleted, their
// members chosen from the loaded phonebooks. It loads the list file when it opens and writes it
// back when it closes, however it closes.
class frmListD : public QDialog {
    Q_OBJECT
public:
    // `scelta` is the list (from 0) to select at the start, -1 for none.
    frmListD(int scelta, QWidget* padre);

    QListWidget* Liste = nullptr;
    QPushButton *pNuova = nullptr, *pElimina = nullptr, *pSelez = nullptr;
    QTreeWidget* ListNum = nullptr;
    QTreeWidget* listRubrica = nullptr;
    QPushButton *pAdd = nullptr, *pDel = nullptr;
    QLabel *labListe = nullptr, *labMembri = nullptr;

    void InitLang();
    void Aggiungi();
    // Removes member `membro` (from 0) of list `lista` (from 0).
    void TogliDaLista(int lista, int membro);
    void pNuova_Click();
    void pElimina_Click();
    void pDel_Click();
    void Liste_Click();
    // The list chosen when the dialog closed, -1 for none.
    int ListaScelta() const;

    void done(int risultato) override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void costruisci();
    void riempiRubrica();
    void mostraConteggioListe();
    void mostraConteggioMembri(int lista);
    QTreeWidgetItem* rigaVoce(const QString& nome, const QString& numero, bool rossa) const;
};
