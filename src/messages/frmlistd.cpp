#include "frmlistd.h"

#include "tabella.h"

#include "catalogo.h"
#include "codecs.h"
#include "finestre.h"
#include "globali.h"
#include "immagini.h"
#include "interazione.h"
#include "lettereperse.h"
#include "listareport.h"
#include "listedistribuzione.h"

#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

namespace {

constexpr int ColonnaNumero = 1;
constexpr int RuoloRossa = Qt::UserRole;
// The member a row shows, as its index in the list; rows added from the phonebook carry it too,
// so that a name longer than the stored 16 characters still finds its member.
constexpr int RuoloMembro = Qt::UserRole + 1;

constexpr int LarghezzaColonnaTwips = 1450;
constexpr int VoceComunque = 942;

// The list file keeps "?" for a letter Windows-1252 lacks: the user is told which letters of `chi`
// it would keep so in `testo`, and says whether that will do.
bool LettereAccettate(const QString& chi, const QString& testo, QWidget* padre)
{
    LetterePerse perse;
    perse.Annota(chi, testo);
    return perse.Conferma(VoceComunque, padre);
}

QTreeWidget* NuovaVista(QWidget* padre)
{
    auto* vista = new QTreeWidget(padre);
    vista->setColumnCount(2);
    vista->setHeaderLabels({Msg(7), Msg(8)});
    vista->setRootIsDecorated(false);
    vista->setSelectionBehavior(QAbstractItemView::SelectRows);
    vista->setSortingEnabled(true);
    vista->sortByColumn(0, Qt::AscendingOrder);
    vista->header()->setSectionsClickable(false);
    // The design's widths are minimums: the columns grow to show names and numbers whole.
    for (int colonna = 0; colonna < vista->columnCount(); ++colonna)
        ImpostaLarghezzaColonna(*vista, colonna, LarghezzaColonnaTwips);
    ColonneCheCrescono(*vista);
    return vista;
}

// A list view of the editor at least as large as the layout gives it (twips), and as wide as its
// columns, which keep their widths rather than stretch to the view's: none of them then hides
// behind a sideways scroll bar, whatever names and numbers widen them.
void Misure(QTreeWidget& vista, int larghezzaTwips, int altezzaTwips)
{
    vista.setMinimumHeight(InPixel(altezzaTwips));
    vista.header()->setStretchLastSection(false);
    const auto adatta = [&vista, larghezzaTwips] {
        const int colonne
            = vista.header()->length() + 2 * vista.frameWidth()
              + vista.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &vista);
        vista.setMinimumWidth(std::max(InPixel(larghezzaTwips), colonne));
    };
    QObject::connect(vista.header(), &QHeaderView::sectionResized, &vista, adatta);
    adatta();
}

} // namespace

frmListD::frmListD(int scelta, QWidget* padre) : QDialog(padre)
{
    costruisci();
    InitLang();
    FileRifiutato rifiuto;
    CaricaFileListeD(&rifiuto);
    SegnalaFileRifiutato(rifiuto);
    for (const ListaDistribuzione& lista : std::as_const(ListeDistribuzione))
        Liste->addItem(lista.Nome);
    if (scelta >= 0 && scelta < Liste->count())
        Liste->setCurrentRow(scelta);
    mostraConteggioListe();
    riempiRubrica();
    Liste_Click();
}

void frmListD::costruisci()
{
    Liste = new QListWidget(this);
    pNuova = new QPushButton(QStringLiteral("&Nuova"), this);
    pElimina = new QPushButton(QStringLiteral("&Elimina"), this);
    pSelez = new QPushButton(QStringLiteral("&Seleziona"), this);
    pSelez->setEnabled(false);
    Liste->setMinimumSize(InPixel(2508), InPixel(1200));
    ListNum = NuovaVista(this);
    Misure(*ListNum, 3804, 2172);
    listRubrica = NuovaVista(this);
    Misure(*listRubrica, 3804, 3420);
    pAdd = new QPushButton(QStringLiteral("<--"), this);
    pDel = new QPushButton(QStringLiteral("X"), this);
    // Adding and removing wake up once their list view has been reached.
    pAdd->setEnabled(false);
    pDel->setEnabled(false);
    listRubrica->installEventFilter(this);
    ListNum->installEventFilter(this);
    labListe = new QLabel(this);
    labMembri = new QLabel(this);

    auto* griglia = new QGridLayout(this);
    griglia->addWidget(Liste, 0, 0, 3, 1);
    griglia->addWidget(pNuova, 0, 1);
    griglia->addWidget(pElimina, 1, 1);
    griglia->addWidget(pSelez, 2, 1);
    griglia->addWidget(ListNum, 3, 0, 2, 1);
    griglia->addWidget(pAdd, 3, 1);
    griglia->addWidget(pDel, 4, 1);
    griglia->addWidget(listRubrica, 0, 2, 5, 1);
    griglia->addWidget(labListe, 5, 0);
    griglia->addWidget(labMembri, 5, 2);

    connect(Liste, &QListWidget::currentRowChanged, this, [this] { Liste_Click(); });
    connect(pNuova, &QPushButton::clicked, this, [this] { pNuova_Click(); });
    connect(pElimina, &QPushButton::clicked, this, [this] { pElimina_Click(); });
    connect(pSelez, &QPushButton::clicked, this, &QDialog::accept);
    connect(pAdd, &QPushButton::clicked, this, [this] { Aggiungi(); });
    connect(listRubrica, &QTreeWidget::itemDoubleClicked, this, [this] { Aggiungi(); });
    connect(pDel, &QPushButton::clicked, this, [this] { pDel_Click(); });
}

void frmListD::InitLang()
{
    SeTesto(548, [this](const QString& testo) { setWindowTitle(testo); });
    SeTesto(549, [this](const QString& testo) { pNuova->setText(testo); });
    SeTesto(550, [this](const QString& testo) { pElimina->setText(testo); });
    SeTesto(551, [this](const QString& testo) { pSelez->setText(testo); });
}

QTreeWidgetItem* frmListD::rigaVoce(const QString& nome, const QString& numero, bool rossa) const
{
    auto* riga = new QTreeWidgetItem({nome, numero});
    riga->setIcon(0, ImmagineLista(rossa ? 2 : 1));
    riga->setData(0, RuoloRossa, rossa);
    return riga;
}

void frmListD::riempiRubrica()
{
    for (const VoceRubrica* voce : VociLette())
        listRubrica->addTopLevelItem(rigaVoce(voce->Nome, voce->Numero, voce->Rossa));
}

void frmListD::mostraConteggioListe()
{
    labListe->setText(Msg(6) + QString::number(ListeDistribuzione.size()));
}

void frmListD::mostraConteggioMembri(int lista)
{
    const ListaDistribuzione& scelta = ListeDistribuzione.at(lista);
    labMembri->setText(Msg(9) + QStringLiteral(" [") + TagliaSpazi(scelta.Nome)
                       + QStringLiteral("]: ") + QString::number(scelta.Membri.size()) + Msg(10));
}

void frmListD::Liste_Click()
{
    ListNum->clear();
    const int lista = Liste->currentRow();
    if (lista < 0 || lista >= ListeDistribuzione.size())
        return;
    const QList<VoceFile>& membri = ListeDistribuzione.at(lista).Membri;
    for (int i = 0; i < membri.size(); ++i) {
        QTreeWidgetItem* riga = rigaVoce(TagliaSpazi(membri[i].Nome), TagliaSpazi(membri[i].Numero),
                                         membri[i].Rossa != 0);
        riga->setData(0, RuoloMembro, i);
        ListNum->addTopLevelItem(riga);
    }
    pSelez->setEnabled(true);
    mostraConteggioMembri(lista);
}

void frmListD::Aggiungi()
{
    const int lista = Liste->currentRow();
    const QTreeWidgetItem* voce = listRubrica->currentItem();
    if (lista < 0 || lista >= ListeDistribuzione.size() || !voce)
        return;
    QList<VoceFile>& membri = ListeDistribuzione[lista].Membri;
    const QString nome = voce->text(0);
    const QString numero = voce->text(ColonnaNumero);
    const bool doppione = std::any_of(membri.cbegin(), membri.cend(), [&](const VoceFile& m) {
        return TagliaSpazi(m.Nome) == TagliaSpazi(nome.left(LunghezzaNomeFile))
               || TagliaSpazi(m.Numero) == TagliaSpazi(numero);
    });
    if (doppione || membri.size() >= MaxMembri) {
        MsgBox(doppione ? nome + Msg(11) : Msg(914), QMessageBox::Information, QMessageBox::Ok,
               QString(), this);
        return;
    }
    if (!LettereAccettate(nome, nome.left(LunghezzaNomeFile) + numero.left(LunghezzaNumeroFile),
                          this))
        return;
    const bool rossa = voce->data(0, RuoloRossa).toBool();
    membri << VoceFile{0, nome.left(LunghezzaNomeFile).leftJustified(LunghezzaNomeFile),
                       numero.left(LunghezzaNumeroFile).leftJustified(LunghezzaNumeroFile),
                       static_cast<int16_t>(rossa ? -1 : 0)};
    Liste_Click();
}

void frmListD::TogliDaLista(int lista, int membro)
{
    QList<VoceFile>& membri = ListeDistribuzione[lista].Membri;
    if (membro < 0 || membro >= membri.size())
        return;
    membri.removeAt(membro);
    mostraConteggioMembri(lista);
}

void frmListD::pDel_Click()
{
    const int lista = Liste->currentRow();
    const QTreeWidgetItem* riga = ListNum->currentItem();
    if (lista < 0 || lista >= ListeDistribuzione.size() || !riga)
        return;
    const int posizione = ListNum->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(riga));
    TogliDaLista(lista, riga->data(0, RuoloMembro).toInt());
    Liste_Click();
    if (ListNum->topLevelItemCount() > 0)
        ListNum->setCurrentItem(ListNum->topLevelItem(std::max(posizione - 1, 0)));
}

void frmListD::pNuova_Click()
{
    const QString risposta = QInputDialog::getText(this, Msg(13), Msg(12));
    if (!risposta.isEmpty() && ListeDistribuzione.size() < MaxListe
        && LettereAccettate(risposta, risposta.left(LunghezzaNomeFile), this)) {
        ListeDistribuzione << ListaDistribuzione{NomeLista(risposta), {}};
        Liste->addItem(ListeDistribuzione.last().Nome);
        Liste->setCurrentRow(Liste->count() - 1);
    }
    mostraConteggioListe();
}

void frmListD::pElimina_Click()
{
    const int lista = Liste->currentRow();
    if (lista < 0 || lista >= ListeDistribuzione.size())
        return;
    ListeDistribuzione.removeAt(lista);
    delete Liste->takeItem(lista);
    ListNum->clear();
    mostraConteggioListe();
}

bool frmListD::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() == QEvent::FocusIn) {
        if (oggetto == ListNum && ListNum->topLevelItemCount() > 0)
            pDel->setEnabled(true);
        if (oggetto == listRubrica && Liste->count() > 0)
            pAdd->setEnabled(true);
    }
    return QDialog::eventFilter(oggetto, evento);
}

int frmListD::ListaScelta() const
{
    return Liste->currentRow();
}

void frmListD::done(int risultato)
{
    SalvaFileListeD();
    QDialog::done(risultato);
}
