// The objects subsystem in the main window: wiring of the panes and the events they take.
// Each view lives in its own file.

#include "oggetti.h"

#include "fileinteri.h"
#include "frmmain.h"
#include "listareport.h"
#include "rifiuti.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QUrl>

#include <utility>

namespace {

// The drag data of a palette slot: its number.
const QString FormatoSlot = QStringLiteral("application/x-quorna-logo-slot");
constexpr int PrimoPreferito = 4;

// The first local file of a drop, when there is one.
QString PrimoFile(const QMimeData* dati)
{
    if (!dati->hasUrls() || dati->urls().isEmpty())
        return {};
    return dati->urls().constFirst().toLocalFile();
}

bool EDrag(QEvent* evento)
{
    return evento->type() == QEvent::DragEnter || evento->type() == QEvent::DragMove;
}

// Offers a copy for what the target takes.
bool OffriCopia(QEvent* evento, bool accetta)
{
    auto* drag = static_cast<QDragMoveEvent*>(evento);
    if (!accetta)
        return false;
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    return true;
}

} // namespace

Oggetti::Oggetti(frmMain& finestra) : f(finestra)
{
    collegaLogo();
    collegaMidi();
    collegaCalendario();
}

QMimeData* Oggetti::DatiSlot(int slot)
{
    auto* dati = new QMimeData;
    dati->setData(FormatoSlot, QByteArray::number(slot));
    return dati;
}

void Oggetti::collegaLogo()
{
    f.labDimR->setText(QStringLiteral("97x26"));
    f.labDim->hide();
    f.labL3->hide();
    f.labP->hide();
    for (QWidget* bersaglio :
         {static_cast<QWidget*>(f.picDrop), static_cast<QWidget*>(f.PicLogo)}) {
        bersaglio->setAcceptDrops(true);
        bersaglio->installEventFilter(this);
    }
    for (QLabel* slot : f.PicLogoOp) {
        slot->setAcceptDrops(true);
        slot->installEventFilter(this);
    }
    connect(f.mnuPrefAgg, &QAction::triggered, this, &Oggetti::AggiungiPreferito);
    connect(f.mnuPrefDel, &QAction::triggered, this, &Oggetti::EliminaPreferito);
}

void Oggetti::collegaMidi()
{
    pBarMidi = new QProgressBar(f.frameMidi);
    labPm = new QLabel(f.frameMidi);
    if (auto* griglia = qobject_cast<QGridLayout*>(f.frameMidi->layout())) {
        griglia->addWidget(pBarMidi, 7, 0, 1, 2);
        griglia->addWidget(labPm, 7, 2);
    }
    pBarMidi->hide();
    labPm->hide();
    f.picMidi->setAcceptDrops(true);
    f.picMidi->installEventFilter(this);
    connect(f.pPlay, &QPushButton::clicked, this, &Oggetti::pPlay_Click);
    // A value the user sets is known from then on.
    for (const auto& [cursore, noto] :
         {std::pair{f.sliderMelodia, &tonoNoto}, std::pair{f.sliderVolume, &volumeNoto}})
        connect(cursore, &QSlider::valueChanged, this, [this, noto = noto] {
            *noto = true;
            mostraEtichetteSuoneria(86);
        });
}

void Oggetti::collegaCalendario()
{
    connect(f.listProm, &QTreeWidget::itemClicked, this, &Oggetti::listProm_Click);
    connect(f.listProm, &QTreeWidget::itemDoubleClicked, this, &Oggetti::listProm_DblClick);
    connect(f.listProm->header(), &QHeaderView::sectionClicked, this,
            &Oggetti::listProm_ColumnClick);
    f.listProm->installEventFilter(this);
    f.listProm->viewport()->installEventFilter(this);
    connect(f.pOggi, &QPushButton::clicked, this, &Oggetti::pOggi_Click);
}

bool Oggetti::eventFilter(QObject* oggetto, QEvent* evento)
{
    for (size_t slot = 0; slot < f.PicLogoOp.size(); ++slot)
        if (oggetto == f.PicLogoOp[slot])
            return filtroTavolozza(static_cast<int>(slot), evento);
    if (oggetto == f.picDrop || oggetto == f.PicLogo)
        return filtroLogo(oggetto, evento);
    if (oggetto == f.picMidi)
        return filtroMidi(evento);
    if (oggetto == f.listProm || oggetto == f.listProm->viewport())
        return filtroLista(oggetto, evento);
    return QObject::eventFilter(oggetto, evento);
}

bool Oggetti::filtroLogo(QObject* oggetto, QEvent* evento)
{
    // A disabled pane takes no drops, whoever delivers them.
    if (!static_cast<QWidget*>(oggetto)->isEnabled())
        return false;
    if (EDrag(evento)) {
        const QMimeData* dati = static_cast<QDropEvent*>(evento)->mimeData();
        return OffriCopia(evento, dati->hasFormat(FormatoSlot) || dati->hasUrls());
    }
    if (evento->type() != QEvent::Drop)
        return false;
    auto* rilascio = static_cast<QDropEvent*>(evento);
    const QMimeData* dati = rilascio->mimeData();
    if (dati->hasFormat(FormatoSlot)) {
        bool ok = false;
        const int slot = dati->data(FormatoSlot).toInt(&ok);
        if (ok && slot >= 0 && slot < static_cast<int>(f.PicLogoOp.size()))
            SetLogo1(slot);
    } else if (const QString file = PrimoFile(dati); !file.isEmpty()) {
        SetLogo2(file);
    }
    rilascio->acceptProposedAction();
    return true;
}

bool Oggetti::filtroTavolozza(int slot, QEvent* evento)
{
    QLabel* immagine = f.PicLogoOp[static_cast<size_t>(slot)];
    if (!immagine->isEnabled())
        return false;
    const bool preferito = slot >= PrimoPreferito;
    switch (evento->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return OffriCopia(evento, static_cast<QDropEvent*>(evento)->mimeData()->hasUrls());
    case QEvent::Drop:
        if (const QString file = PrimoFile(static_cast<QDropEvent*>(evento)->mimeData());
            preferito && !file.isEmpty())
            ImpostaPreferito(slot, file);
        return true;
    case QEvent::MouseButtonPress:
        inizioTrascinamento = static_cast<QMouseEvent*>(evento)->pos();
        return false;
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(evento);
        const bool trascina = mouse->buttons().testFlag(Qt::LeftButton)
                              && (mouse->pos() - inizioTrascinamento).manhattanLength()
                                     >= QApplication::startDragDistance()
                              && !immagine->pixmap().isNull();
        if (trascina) {
            auto* drag = new QDrag(immagine);
            drag->setMimeData(DatiSlot(slot));
            drag->setPixmap(immagine->pixmap());
            drag->exec(Qt::CopyAction);
        }
        return trascina;
    }
    case QEvent::MouseButtonRelease:
        if (preferito && static_cast<QMouseEvent*>(evento)->button() == Qt::RightButton) {
            PrefSlot = static_cast<uint8_t>(slot);
            f.mnuPref->popup(static_cast<QMouseEvent*>(evento)->globalPosition().toPoint());
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool Oggetti::filtroMidi(QEvent* evento)
{
    if (!f.picMidi->isEnabled())
        return false;
    if (EDrag(evento))
        return OffriCopia(evento, static_cast<QDropEvent*>(evento)->mimeData()->hasUrls());
    if (evento->type() != QEvent::Drop)
        return false;
    if (const QString file = PrimoFile(static_cast<QDropEvent*>(evento)->mimeData());
        !file.isEmpty())
        SetMidi2(file);
    return true;
}

bool Oggetti::filtroLista(QObject* oggetto, QEvent* evento)
{
    if (oggetto == f.listProm && evento->type() == QEvent::KeyRelease)
        listProm_Click();
    if (oggetto == f.listProm->viewport() && evento->type() == QEvent::MouseButtonRelease)
        listProm_MouseUp(static_cast<QMouseEvent*>(evento)->button());
    return false;
}

void Oggetti::salvaFile(const QString& percorso, const QByteArray& dati)
{
    FileRifiutato nonScritto;
    ScriviFileIntero(percorso, dati, Accesso::Consueto, &nonScritto);
    SegnalaFileNonScritto(nonScritto);
}

void Oggetti::avvisaSeRifiutata(EsitoAT esito, int voce)
{
    if (esito == EsitoAT::Errore)
        AvvisaRifiuto(voce);
}

QAction* Oggetti::pulsante(const char* chiave) const
{
    return f.Pulsante(QLatin1String(chiave));
}
