// What the shared list does when the user works in it, by view.

#include "catalogo.h"
#include "frmmain.h"
#include "immagini.h"
#include "listareport.h"
#include "ordine.h"

#include <QAction>
#include <QCursor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

void frmMain::collegaElenco()
{
    connect(List1, &QTreeWidget::itemClicked, this, [this] { List1_Click(); });
    connect(List1, &QTreeWidget::itemDoubleClicked, this, [this] { List1_DblClick(); });
    connect(List1->header(), &QHeaderView::sectionClicked, this,
            [this](int sezione) { List1_ColumnClick(sezione + 1); });
    List1->installEventFilter(this);
    List1->viewport()->installEventFilter(this);
}

bool frmMain::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == areaViste && evento->type() == QEvent::Resize)
        Form_Resize();
    if (oggetto == List1 && evento->type() == QEvent::KeyRelease)
        List1_KeyUp();
    if (oggetto == List1->viewport() && evento->type() == QEvent::MouseButtonRelease)
        List1_MouseUp(static_cast<QMouseEvent*>(evento)->button());
    return QMainWindow::eventFilter(oggetto, evento);
}

bool frmMain::rigaScelta() const
{
    return List1->topLevelItemCount() > 0 && List1->SelectedItem();
}

namespace {

// The message index a row's text names, when it is a byte.
bool indiceMessaggio(const QTreeWidgetItem* riga, uint8_t& indice)
{
    bool ok = false;
    const int valore = riga->text(0).toInt(&ok);
    if (!ok || valore < 0 || valore > 255)
        return false;
    indice = static_cast<uint8_t>(valore);
    return true;
}

// A message row names its message's position; the placeholder row of a folder that could not be
// read names none. Any other column may be empty (a message with no correspondent, no text).
bool rigaMessaggio(const QTreeWidgetItem* riga)
{
    uint8_t indice = 0;
    return indiceMessaggio(riga, indice);
}

} // namespace

void frmMain::List1_Click()
{
    if (!rigaScelta())
        return;
    QTreeWidgetItem* riga = List1->SelectedItem();
    const QString si = Msg(328);
    switch (CurrentView) {
    case 4:
        // An entry with no name is no less an entry; the row of a view not available is none.
        if (rubrica->RigaConVoce(riga))
            for (size_t posizione : {10, 11, 13, 15})
                Toolbar1[posizione]->setEnabled(true);
        break;
    case 2:
        List1_KeyUp();
        break;
    case 12:
        Toolbar1[38]->setEnabled(true);
        Toolbar1[38]->setChecked(ListaReport::SottoVoce(riga, 1) == si);
        Toolbar1[39]->setEnabled(!ListaReport::SottoVoce(riga, 2).isEmpty());
        break;
    case 10: {
        // A lock shown as unknown is offered neither on nor off.
        const QString stato = ListaReport::SottoVoce(riga, 1);
        Toolbar1[41]->setEnabled(stato == si || stato == Msg(329));
        Toolbar1[41]->setChecked(stato == si);
        break;
    }
    default:
        break;
    }
}

void frmMain::List1_KeyUp()
{
    if (CurrentView != 2 || !rigaScelta())
        return;
    const QTreeWidgetItem* riga = List1->SelectedItem();
    uint8_t indice = 0;
    if (indiceMessaggio(riga, indice))
        messaggi->ShowSMSTxt(indice);
}

void frmMain::List1_DblClick()
{
    if (!rigaScelta())
        return;
    const QTreeWidgetItem* riga = List1->SelectedItem();
    const int indice = List1->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(riga));
    switch (CurrentView) {
    case 4:
        rubrica->EditRubrica();
        break;
    case 5:
        rubrica->ShowList(static_cast<uint8_t>(indice));
        break;
    case 2:
        if (rigaMessaggio(riga))
            messaggi->EditSMS();
        break;
    case 10:
        impostazioni->CambiaBlocco();
        break;
    case 11:
        impostazioni->ShowTrasferimenti(indice);
        break;
    case 12:
        impostazioni->EditTrasf(false);
        break;
    default:
        break;
    }
}

void frmMain::List1_MouseUp(Qt::MouseButton pulsante)
{
    if (pulsante != Qt::RightButton || !rigaScelta())
        return;
    if (CurrentView == 4)
        popRub->popup(QCursor::pos());
    else if (CurrentView == 2 && rigaMessaggio(List1->SelectedItem()))
        popSMS->popup(QCursor::pos());
}

void frmMain::List1_ColumnClick(int colonna)
{
    const StatoOrdine nuovo = OrdineDopoClic({List1->SortKey(), List1->SortOrder()}, colonna,
                                             List1->ChiaveColonna(colonna - 1));
    ListSortKey = static_cast<int16_t>(nuovo.chiave);
    ListSortOrder = static_cast<int16_t>(nuovo.verso);
    List1->SetSortKey(nuovo.chiave);
    List1->SetSortOrder(nuovo.verso);
}

void frmMain::ShowHeaderIcon(int32_t colonna, int32_t immagine, int32_t formato,
                             int32_t flagImmagine)
{
    // The header's format flags: the alignment in the two low bits, and whether it shows a
    // picture. The caption always stays.
    constexpr int32_t Allineamento = 0x3;
    constexpr int32_t HDF_RIGHT = 1;
    constexpr int32_t HDF_CENTER = 2;
    constexpr int32_t HDF_IMAGE = 0x800;
    if (colonna < 0 || colonna >= List1->columnCount())
        return;
    const int32_t stile = formato | flagImmagine;
    const Qt::Alignment orizzontale = (stile & Allineamento) == HDF_RIGHT    ? Qt::AlignRight
                                      : (stile & Allineamento) == HDF_CENTER ? Qt::AlignHCenter
                                                                             : Qt::AlignLeft;
    QTreeWidgetItem* intestazione = List1->headerItem();
    intestazione->setTextAlignment(colonna, orizzontale | Qt::AlignVCenter);
    const int32_t indice = flagImmagine != 0 ? immagine : 0;
    intestazione->setIcon(colonna, (stile & HDF_IMAGE) != 0 ? ImmagineLista(indice + 1) : QIcon());
}
