#include "frmmain.h"

#include "finestre.h"
#include "globali.h"
#include "immagini.h"
#include "impostazioni.h"
#include "listareport.h"
#include "versione.h"
#include "vocabolario.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMoveEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QStyleOptionViewItem>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

// The central area holds the tree and, right of a splitter, the area of the views; both stand
// this far (twips) from the window's edges. The tree starts as wide as the design has it, or as
// its captions need.
constexpr int MargineTwips = 60;
constexpr int LarghezzaAlberoTwips = 2700;

// The layout rules were made for a window whose menu, toolbar, status bar and borders take
// 1440 twips of its height beside the list, and whose tree takes 2450 twips of its width. They
// are given the size such a window would have with our area of the views, so that the views fill
// it exactly, but for a margin on the right.
constexpr int CorniceAltezzaTwips = 1440;
constexpr int CorniceLarghezzaTwips = 2450 - MargineTwips;

// The logo pane: the editor column at this x (pixels), as wide as the design has it when the
// pane allows, then the divider and the palette column.
constexpr int ColonnaEditorLogo = 8;
constexpr int LarghezzaEditorLogo = 480;

enum class Stile { Pulsante, Interruttore, Separatore };

struct PosizioneBarra {
    const char* chiave;
    Stile stile;
    int immagine;
};

// The toolbar in stored order; positions are 1-based in use.
// clang-format off
constexpr std::array<PosizioneBarra, frmMain::NumPulsanti> Barra{{
    {"s1", Stile::Separatore, 0},         {"pConnetti", Stile::Pulsante, 30},
    {"s2", Stile::Separatore, 0},         {"pAggiorna", Stile::Pulsante, 1},
    {"pApriRubrica", Stile::Pulsante, 2}, {"pSalvaRubrica", Stile::Pulsante, 3},
    {"pInviaRub", Stile::Pulsante, 4},    {"s3", Stile::Separatore, 0},
    {"pNuovo", Stile::Pulsante, 5},       {"pModifica", Stile::Pulsante, 6},
    {"pElimina", Stile::Pulsante, 7},     {"s4", Stile::Separatore, 0},
    {"pStampaRub", Stile::Pulsante, 8},   {"s5", Stile::Separatore, 0},
    {"pInviaSMS", Stile::Pulsante, 9},    {"s6", Stile::Separatore, 0},
    {"pInviaLogo", Stile::Pulsante, 10},  {"", Stile::Separatore, 0},
    {"pRispondiSMS", Stile::Pulsante, 11}, {"pNuovoSMS", Stile::Pulsante, 12},
    {"pSalvaSMS", Stile::Pulsante, 13},   {"pEditSMS", Stile::Pulsante, 14},
    {"pEliminaSMS", Stile::Pulsante, 15}, {"pSalvaSMSinTel", Stile::Pulsante, 16},
    {"pInviaSMS2", Stile::Pulsante, 17},  {"pStampaSMS", Stile::Pulsante, 18},
    {"pApriLogo", Stile::Pulsante, 19},   {"pSalvaLogo", Stile::Pulsante, 20},
    {"", Stile::Separatore, 0},           {"pNuovoProm", Stile::Pulsante, 21},
    {"pModificaProm", Stile::Pulsante, 22}, {"pEliminaProm", Stile::Pulsante, 23},
    {"pApriProm", Stile::Pulsante, 24},   {"pSalvaProm", Stile::Pulsante, 25},
    {"pInviaProm", Stile::Pulsante, 26},  {"pStampaProm", Stile::Pulsante, 27},
    {"", Stile::Separatore, 0},           {"pEditTrasf", Stile::Interruttore, 28},
    {"pDelTrasf", Stile::Pulsante, 29},   {"", Stile::Separatore, 0},
    {"pBlocca", Stile::Interruttore, 32}, {"", Stile::Separatore, 0},
    {"pSelRete", Stile::Interruttore, 33},
}};
// clang-format on

QRect rettangolo(const Geometria& g)
{
    return {InPixel(g.left), InPixel(g.top), InPixel(g.width), InPixel(g.height)};
}

Geometria geometria(const QWidget* w)
{
    const QRect r = w->geometry();
    return {double(InTwips(r.x())), double(InTwips(r.y())), double(InTwips(r.width())),
            double(InTwips(r.height())), w->isVisible()};
}

void applica(QWidget* w, const Geometria& g)
{
    w->setGeometry(rettangolo(g));
    if (g.visibile)
        w->setVisible(true);
}

QLabel* etichetta(QWidget* padre, const QString& testo = QString())
{
    auto* label = new QLabel(testo, padre);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Qt enables and disables a menu's own item whenever the menu follows its window's enabling;
// the program's menu items keep the state the program gives them.
class StatoDelProgramma : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* evento) override
    {
        return evento->type() == QEvent::EnabledChange;
    }
};

// The navigation tree: a node reached with the keyboard (arrows, Home, End, typing its name)
// shows its view as a click does. Its one column fills the tree and is never narrower than the
// longest caption shown, so a caption too long for the tree scrolls sideways instead of being cut.
class AlberoNavigazione : public QTreeWidget {
public:
    AlberoNavigazione(QWidget* padre, std::function<void(QTreeWidgetItem*)> mostra)
        : QTreeWidget(padre), mostra(std::move(mostra))
    {}

    // The width at which the tree shows every caption whole with all its branches open, and so
    // with its scroll bar beside them.
    int LarghezzaPerOgniDidascalia() const
    {
        return larghezzaNecessaria(true) + 2 * frameWidth()
               + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    }

protected:
    void keyPressEvent(QKeyEvent* evento) override
    {
        QTreeWidgetItem* prima = currentItem();
        QTreeWidget::keyPressEvent(evento);
        if (currentItem() && currentItem() != prima)
            mostra(currentItem());
    }

    // Runs whenever the rows shown change: nodes added, renamed, expanded or collapsed.
    void updateGeometries() override
    {
        QTreeWidget::updateGeometries();
        if (std::exchange(adattando, true))
            return;
        header()->setMinimumSectionSize(std::max(1, larghezzaNecessaria(false)));
        adattando = false;
    }

private:
    // The width the longest caption among the open branches (or all of them) takes, with its
    // indentation and picture, wherever the tree is scrolled.
    int larghezzaNecessaria(bool tutti) const
    {
        QStyleOptionViewItem opzione;
        initViewItemOption(&opzione);
        int larghezza = 0;
        for (QTreeWidgetItemIterator it(const_cast<AlberoNavigazione*>(this)); *it; ++it) {
            int livello = rootIsDecorated() ? 1 : 0;
            bool aperto = true;
            for (const QTreeWidgetItem* p = (*it)->parent(); p && aperto; p = p->parent()) {
                ++livello;
                aperto = tutti || p->isExpanded();
            }
            if (!aperto)
                continue;
            const QModelIndex indice = indexFromItem(*it);
            larghezza = std::max(
                larghezza, livello * indentation()
                               + itemDelegateForIndex(indice)->sizeHint(opzione, indice).width());
        }
        return larghezza;
    }

    bool adattando = false;

    std::function<void(QTreeWidgetItem*)> mostra;
};

// A picture enlarged by whole pixels without smoothing, centred: a 97 x 26 logo stays sharp.
class FiguraAPixelInteri : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* evento) override
    {
        const QPixmap figura = pixmap();
        if (figura.isNull()) {
            QLabel::paintEvent(evento);
            return;
        }
        const QSize misura = figura.deviceIndependentSize().toSize();
        const int fattore
            = std::max(1, std::min(width() / misura.width(), height() / misura.height()));
        const QSize scalata = misura * fattore;
        const QRect dove(QPoint((width() - scalata.width()) / 2, (height() - scalata.height()) / 2),
                         scalata);
        QPainter pittore(this);
        pittore.setRenderHint(QPainter::SmoothPixmapTransform, false);
        pittore.drawPixmap(dove, figura);
    }
};

QLineEdit* campoOra(QWidget* padre, bool solaLettura)
{
    auto* campo = new QLineEdit(padre);
    campo->setMaxLength(2);
    campo->setFixedWidth(34);
    campo->setAlignment(Qt::AlignCenter);
    campo->setReadOnly(solaLettura);
    return campo;
}

} // namespace

QString TitoloEVersione()
{
    return QStringLiteral("Quorna   v%1.%2.%3")
        .arg(QUORNA_VERSIONE_MAJOR)
        .arg(QUORNA_VERSIONE_MINOR)
        .arg(QUORNA_VERSIONE_REVISION);
}

frmMain::frmMain()
    : collegamento(std::make_unique<FunzioniCollegamento>()),
      rubrica(std::make_unique<FunzioniRubrica>()), messaggi(std::make_unique<FunzioniMessaggi>()),
      oggetti(std::make_unique<FunzioniOggetti>()),
      impostazioni(std::make_unique<FunzioniImpostazioni>())
{
    setObjectName(QStringLiteral("frmMain"));
    RegistraFinestraDialogo(0, this);
    setWindowIcon(QIcon(Figura(QStringLiteral("quorna-64"))));
    costruisciControlli();
    costruisciBarra();
    costruisciMenu();
    costruisciPopup();
    costruisciBarraStato();
    collegaComandi();
    // The views are laid out again whenever their area changes: with the window, with the
    // toolbar's height, which changes with the buttons a view shows, and with the splitter.
    areaViste->installEventFilter(this);
    resize(800, 560);
}

frmMain::~frmMain() = default;

void frmMain::costruisciControlli()
{
    auto* centro = new QWidget(this);
    setCentralWidget(centro);
    auto* margini = new QHBoxLayout(centro);
    margini->setContentsMargins(InPixel(MargineTwips), InPixel(MargineTwips), 0,
                                InPixel(MargineTwips));
    // The user widens the tree by the splitter; the views take what is left, and all that the
    // window gains.
    divisore = new QSplitter(Qt::Horizontal, centro);
    divisore->setChildrenCollapsible(false);
    margini->addWidget(divisore);

    S25Tree = new AlberoNavigazione(divisore,
                                    [this](QTreeWidgetItem* nodo) { S25Tree_NodeClick(nodo); });
    S25Tree->setObjectName(QStringLiteral("S25Tree"));
    S25Tree->setHeaderHidden(true);
    areaViste = new QWidget(divisore);
    areaViste->setMinimumWidth(InPixel(3000));
    divisore->addWidget(S25Tree);
    divisore->addWidget(areaViste);
    divisore->setStretchFactor(0, 0);
    divisore->setStretchFactor(1, 1);
    LarghezzaAlbero(InPixel(LarghezzaAlberoTwips));

    List1 = new ListaReport(areaViste);
    List1->setObjectName(QStringLiteral("List1"));

    txtSMS = new QTextEdit(areaViste);
    txtSMS->setObjectName(QStringLiteral("txtSMS"));
    txtSMS->setReadOnly(true);
    txtSMS->hide();

    costruisciRiquadri();
}

void frmMain::costruisciRiquadri()
{
    costruisciRiquadroLogo();
    costruisciRiquadroMidi();
    costruisciRiquadroCalendario();
    costruisciRiquadroOra();
    costruisciRiquadroReti();
    for (QGroupBox* pannello : {frameLogo, frameMidi, frameCal, frameOra, frameReti})
        pannello->hide();
}

void frmMain::costruisciRiquadroLogo()
{
    frameLogo = new QGroupBox(areaViste);
    frameLogo->setObjectName(QStringLiteral("frameLogo"));
    frameLogo->setGeometry(0, 0, 560, 420);

    // The palette column stands right of the divider; its slots are placed by the load and the
    // layout.
    for (int n = 0; n < 10; ++n) {
        PicLogoOp[n] = new QLabel(frameLogo);
        PicLogoOp[n]->setObjectName(QStringLiteral("PicLogoOp%1").arg(n));
        PicLogoOp[n]->setFrameShape(QFrame::Box);
        PicLogoOp[n]->setGeometry(0, 0, 97 + 2, 26 + 2);
        PicLogoOp[n]->setAlignment(Qt::AlignCenter);
        if (n < 4)
            PicLogoOp[n]->setPixmap(Figura(QStringLiteral("logo%1").arg(n)));
    }

    constexpr int colonna = ColonnaEditorLogo;
    labL1 = etichetta(frameLogo);
    labL1->setWordWrap(true);
    labL1->setGeometry(colonna, 14, 480, 32);
    picDrop = new QFrame(frameLogo);
    picDrop->setObjectName(QStringLiteral("picDrop"));
    picDrop->setFrameShape(QFrame::StyledPanel);
    picDrop->setGeometry(colonna, 48, LarghezzaEditorLogo, 4 * 40);
    PicLogo = new FiguraAPixelInteri(picDrop);
    PicLogo->setObjectName(QStringLiteral("PicLogo"));
    PicLogo->setAutoFillBackground(true);

    labL2 = etichetta(frameLogo);
    labL2->setGeometry(colonna, 220, 160, 20);
    labDimR = etichetta(frameLogo);
    labDimR->setGeometry(colonna + 170, 220, 120, 20);
    labL3 = etichetta(frameLogo);
    labL3->setGeometry(colonna, 244, 160, 20);
    labDim = etichetta(frameLogo);
    labDim->setGeometry(colonna + 170, 244, 120, 20);
    labP = etichetta(frameLogo);
    Line1 = new QFrame(frameLogo);
    Line1->setFrameShape(QFrame::VLine);
    Line1->resize(4, Line1->height());
    pbarLogo = new QProgressBar(frameLogo);
    // The percentage is the label's.
    pbarLogo->setTextVisible(false);
    pbarLogo->hide();
}

void frmMain::costruisciRiquadroMidi()
{
    frameMidi = new QGroupBox(areaViste);
    frameMidi->setObjectName(QStringLiteral("frameMidi"));
    auto* griglia = new QGridLayout(frameMidi);
    labMel1 = etichetta(frameMidi);
    picMidi = new QLabel(frameMidi);
    picMidi->setFrameShape(QFrame::StyledPanel);
    picMidi->setMinimumSize(64, 64);
    picMidi->setPixmap(ImmagineLista(10).pixmap(32, 32));
    picMidi->setAlignment(Qt::AlignCenter);
    picMidiOn = new QLabel(frameMidi);
    picMidiOn->setPixmap(ImmagineLista(10).pixmap(32, 32, QIcon::Active));
    picMidiOn->hide();
    labMel2 = etichetta(frameMidi);
    labMel3 = etichetta(frameMidi);
    labMel = etichetta(frameMidi);
    sliderMelodia = new QSlider(Qt::Horizontal, frameMidi);
    labMel4 = etichetta(frameMidi);
    labVol = etichetta(frameMidi);
    sliderVolume = new QSlider(Qt::Horizontal, frameMidi);
    pPlay = new QPushButton(QStringLiteral("&Play"), frameMidi);
    griglia->addWidget(labMel1, 0, 0, 1, 3);
    griglia->addWidget(picMidi, 1, 0, 1, 3, Qt::AlignLeft);
    griglia->addWidget(labMel2, 2, 0, 1, 3);
    griglia->addWidget(labMel3, 3, 0);
    griglia->addWidget(sliderMelodia, 3, 1);
    griglia->addWidget(labMel, 3, 2);
    griglia->addWidget(labMel4, 4, 0);
    griglia->addWidget(sliderVolume, 4, 1);
    griglia->addWidget(labVol, 4, 2);
    griglia->addWidget(pPlay, 5, 0, Qt::AlignLeft);
    griglia->setRowStretch(6, 1);
    griglia->setColumnStretch(1, 1);
}

void frmMain::costruisciRiquadroCalendario()
{
    frameCal = new QGroupBox(areaViste);
    frameCal->setObjectName(QStringLiteral("frameCal"));
    Calendario = new QCalendarWidget(frameCal);
    Calendario->setGeometry(14, 24, 300, 180);
    pOggi = new QPushButton(frameCal);
    pOggi->setGeometry(324, 24, 100, 28);
    listProm = new ListaReport(frameCal);
    listProm->setObjectName(QStringLiteral("listProm"));
    listProm->move(14, 214);
}

void frmMain::costruisciRiquadroOra()
{
    frameOra = new QGroupBox(areaViste);
    frameOra->setObjectName(QStringLiteral("frameOra"));
    auto* griglia = new QGridLayout(frameOra);
    labPC = etichetta(frameOra);
    labCell = etichetta(frameOra);
    labD1 = etichetta(frameOra);
    labO1 = etichetta(frameOra);
    labD2 = etichetta(frameOra);
    labO2 = etichetta(frameOra);
    txtGGpc = campoOra(frameOra, true);
    txtMMpc = campoOra(frameOra, true);
    txtAApc = campoOra(frameOra, true);
    txtHpc = campoOra(frameOra, true);
    txtMpc = campoOra(frameOra, true);
    txtGG = campoOra(frameOra, false);
    txtMM = campoOra(frameOra, false);
    txtAA = campoOra(frameOra, false);
    txtH = campoOra(frameOra, false);
    txtM = campoOra(frameOra, false);
    pSincrOra = new QPushButton(frameOra);
    pImpostaOra = new QPushButton(frameOra);

    // One row per clock: caption, date as day / month / year, time as hour . minute.
    const auto riga = [&](int r, QLabel* titolo, QLabel* data, QLineEdit* gg, QLineEdit* mm,
                          QLineEdit* aa, QLabel* ora, QLineEdit* h, QLineEdit* m) {
        griglia->addWidget(titolo, r, 0);
        griglia->addWidget(data, r, 1);
        griglia->addWidget(gg, r, 2);
        griglia->addWidget(etichetta(frameOra, QStringLiteral("/")), r, 3);
        griglia->addWidget(mm, r, 4);
        griglia->addWidget(etichetta(frameOra, QStringLiteral("/")), r, 5);
        griglia->addWidget(aa, r, 6);
        griglia->addWidget(ora, r, 7);
        griglia->addWidget(h, r, 8);
        griglia->addWidget(etichetta(frameOra, QStringLiteral(".")), r, 9);
        griglia->addWidget(m, r, 10);
    };
    riga(0, labPC, labD1, txtGGpc, txtMMpc, txtAApc, labO1, txtHpc, txtMpc);
    riga(1, labCell, labD2, txtGG, txtMM, txtAA, labO2, txtH, txtM);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(pSincrOra);
    pulsanti->addWidget(pImpostaOra);
    pulsanti->addStretch();
    griglia->addLayout(pulsanti, 2, 0, 1, 11);
    griglia->setColumnStretch(11, 1);
    griglia->setRowStretch(3, 1);
}

void frmMain::costruisciRiquadroReti()
{
    frameReti = new QGroupBox(QStringLiteral("Selezione Rete"), areaViste);
    frameReti->setObjectName(QStringLiteral("frameReti"));
    // The layout rules set its top and size only: it stands under the list, beside the tree.
    frameReti->move(0, 0);
    Label1 = etichetta(frameReti, QStringLiteral("Reti disponibili:"));
    Label1->setGeometry(14, 22, 200, 18);
    Label2 = etichetta(frameReti, QStringLiteral("Lista reti:"));
    Label2->setGeometry(220, 22, 200, 18);
    listaRetiDisp = new QListWidget(frameReti);
    listaRetiDisp->move(14, 42);
    listaReti = new QListWidget(frameReti);
    listaReti->move(220, 42);
    labOKKIO = etichetta(
        frameReti,
        QStringLiteral(
            "La funzione di cambio rete non è ancora attiva. Per il momento è possibile soltanto "
            "vedere quali sono le reti disponibili."));
    labOKKIO->setWordWrap(true);
    labOKKIO->setGeometry(14, 200, 420, 36);
}

void frmMain::costruisciBarra()
{
    auto* barra = addToolBar(QStringLiteral("Toolbar1"));
    barra->setObjectName(QStringLiteral("Toolbar1"));
    barra->setMovable(false);
    barra->setIconSize(QSize(24, 24));
    for (size_t i = 0; i < Barra.size(); ++i) {
        const PosizioneBarra& p = Barra[i];
        QAction* azione = p.stile == Stile::Separatore
                              ? barra->addSeparator()
                              : barra->addAction(ImmagineBarra(p.immagine), QString());
        azione->setObjectName(QLatin1String(p.chiave));
        azione->setCheckable(p.stile == Stile::Interruttore);
        Toolbar1[i + 1] = azione;
    }
}

QAction* frmMain::Pulsante(const QString& chiave) const
{
    for (int i = 1; i <= NumPulsanti; ++i)
        if (Toolbar1[i] && !chiave.isEmpty() && Toolbar1[i]->objectName() == chiave)
            return Toolbar1[i];
    return nullptr;
}

void frmMain::costruisciMenu()
{
    QMenuBar* barra = menuBar();
    auto* statoDelProgramma = new StatoDelProgramma(this);
    const auto menu = [&](QMenu* padre, QAction*& voce) {
        QMenu* m = padre ? padre->addMenu(QString()) : barra->addMenu(QString());
        m->installEventFilter(statoDelProgramma);
        voce = m->menuAction();
        return m;
    };
    const auto elemento = [](QMenu* m, QAction*& voce, const QKeySequence& tasto = {}) {
        voce = m->addAction(QString());
        voce->setShortcut(tasto);
    };

    QMenu* tel = menu(nullptr, mnuTel);
    elemento(tel, mnuTConn, QKeySequence(Qt::Key_F5));
    elemento(tel, mnuTDisc, QKeySequence(Qt::CTRL | Qt::Key_F5));
    tel->addSeparator();
    elemento(tel, mnuTAlim);
    elemento(tel, mnuTRete);
    tel->addSeparator();
    elemento(tel, mnuTSpegni, QKeySequence(Qt::CTRL | Qt::Key_F12));
    tel->addSeparator();
    elemento(tel, mnuTEsci, QKeySequence(Qt::CTRL | Qt::Key_E));
    for (QAction* voce : {mnuTDisc, mnuTAlim, mnuTRete, mnuTSpegni})
        voce->setEnabled(false);

    QMenu* rub = menu(nullptr, mnuRub);
    elemento(rub, mnuRubRic);
    elemento(rub, mnuRubInvia);
    rub->addSeparator();
    QMenu* rubVis = menu(rub, mnuRubVis);
    elemento(rubVis, mnuRubVTutta);
    rubVis->addSeparator();
    elemento(rubVis, mnuRubVSIM);
    elemento(rubVis, mnuRubVSIMSP);
    elemento(rubVis, mnuRubVTel);
    elemento(rubVis, mnuRubVRossa);
    elemento(rubVis, mnuRubVNP);
    rub->addSeparator();
    elemento(rub, mnuRubNuovo);
    elemento(rub, mnuRubEdit);
    elemento(rub, mnuRubCanc);
    rub->addSeparator();
    elemento(rub, mnuRubStampa);
    rub->addSeparator();
    elemento(rub, mnuRubApriF);
    elemento(rub, mnuRubSalvaF);

    QMenu* sms = menu(nullptr, mnuSMS);
    elemento(sms, mnuSMSRic);
    sms->addSeparator();
    QMenu* smsVis = menu(sms, mnuSMSVis);
    elemento(smsVis, mnuSMSVInfo);
    smsVis->addSeparator();
    for (QAction*& voce : mnuSMSVM)
        elemento(smsVis, voce);
    sms->addSeparator();
    elemento(sms, mnuSMSNew);
    elemento(sms, mnuSMSSalvaA);
    elemento(sms, mnuSMSSalvaS);
    elemento(sms, mnuSMSEdit);
    elemento(sms, mnuSMSDel);
    elemento(sms, mnuSMSRis);
    elemento(sms, mnuSMSInv);
    sms->addSeparator();
    elemento(sms, mnuSMSSta);
    sms->addSeparator();
    elemento(sms, mnuSMSNotifica);
    mnuSMSNotifica->setCheckable(true);

    QMenu* cal = menu(nullptr, mnuCal);
    elemento(cal, mnuCRic);
    elemento(cal, mnuCInvia);
    cal->addSeparator();
    elemento(cal, mnuCVisProm);
    cal->addSeparator();
    elemento(cal, mnuCNuovo);
    elemento(cal, mnuCEdit);
    elemento(cal, mnuCDel);
    cal->addSeparator();
    elemento(cal, mnuCStampa);
    cal->addSeparator();
    elemento(cal, mnuCApri);
    elemento(cal, mnuCSalva);

    QMenu* liste = menu(nullptr, mnuList);
    elemento(liste, mnuLRic);
    liste->addSeparator();
    QMenu* listeVis = menu(liste, mnuLVis);
    for (QAction*& voce : mnuLVL)
        elemento(listeVis, voce);
    liste->addSeparator();
    elemento(liste, mnuLSta);

    QMenu* mel = menu(nullptr, mnuMel);
    elemento(mel, mnuMRic);
    elemento(mel, mnuMInv);
    elemento(mel, mnuMDel);
    mel->addSeparator();
    elemento(mel, mnuMApri);
    elemento(mel, mnuMSalva);

    QMenu* logo = menu(nullptr, mnuLogo);
    elemento(logo, mnuLoRic);
    elemento(logo, mnuLoInv);
    elemento(logo, mnuLoDel);
    logo->addSeparator();
    elemento(logo, mnuLoApri);
    elemento(logo, mnuLoSalva);

    QMenu* opzioni = menu(nullptr, mnuOpzioni);
    elemento(opzioni, mnuOConf);
    elemento(opzioni, mnuOLingua);

    QMenu* aiuto = menu(nullptr, mnuHelp);
    elemento(aiuto, mnuHInfo);
}

void frmMain::costruisciPopup()
{
    mnuPref = new QMenu(this);
    mnuPrefAgg = mnuPref->addAction(QString());
    mnuPref->addSeparator();
    mnuPrefDel = mnuPref->addAction(QString());

    popRub = new QMenu(this);
    popRNew = popRub->addAction(QString());
    popREdit = popRub->addAction(QString());
    popRDel = popRub->addAction(QString());
    popRPrint = popRub->addAction(QString());
    popRub->addSeparator();
    popRSMS = popRub->addAction(QString());

    popSMS = new QMenu(this);
    popSSend = popSMS->addAction(QString());
    popSReply = popSMS->addAction(QString());
    popSEdit = popSMS->addAction(QString());
    popSDel = popSMS->addAction(QString());
    popSSA = popSMS->addAction(QString());
    popSSS = popSMS->addAction(QString());
    popSPrint = popSMS->addAction(QString());

    popProm = new QMenu(this);
    popPEdit = popProm->addAction(QString());
    popPDel = popProm->addAction(QString());
    popPPrint = popProm->addAction(QString());
}

void frmMain::costruisciBarraStato()
{
    QStatusBar* barra = statusBar();
    barra->setObjectName(QStringLiteral("SBar"));
    picSotto = new QWidget(barra);
    auto* luci = new QGridLayout(picSotto);
    luci->setContentsMargins(2, 0, 2, 0);
    const std::array<QString, 2> figure{QStringLiteral("led-libero"),
                                        QStringLiteral("led-occupato")};
    for (size_t i = 0; i < LedLibero.size(); ++i) {
        LedLibero[i] = new QLabel(picSotto);
        LedLibero[i]->setPixmap(Figura(figure[i]));
        luci->addWidget(LedLibero[i], 0, 0, Qt::AlignCenter);
    }
    LedLibero[1]->hide();
    barra->addWidget(picSotto);
    for (int i = 1; i <= 3; ++i) {
        SBar[i] = etichetta(barra);
        SBar[i]->setMinimumWidth(i == 3 ? 240 : 160);
        barra->addWidget(SBar[i], i == 3 ? 1 : 0);
    }
}

ControlliLayout frmMain::MisureControlli() const
{
    ControlliLayout c;
    c.S25Tree = geometria(S25Tree);
    c.List1 = geometria(List1);
    c.txtSMS = geometria(txtSMS);
    c.frameLogo = geometria(frameLogo);
    c.frameMidi = geometria(frameMidi);
    c.frameCal = geometria(frameCal);
    c.listProm = geometria(listProm);
    c.frameOra = geometria(frameOra);
    c.frameReti = geometria(frameReti);
    c.listaReti = geometria(listaReti);
    c.listaRetiDisp = geometria(listaRetiDisp);
    c.Label2 = geometria(Label2);
    c.labOKKIO = geometria(labOKKIO);
    return c;
}

void frmMain::ApplicaMisure(const ControlliLayout& c)
{
    // The tree fills its side of the splitter; its measure serves the rules of the other controls.
    applica(List1, c.List1);
    applica(txtSMS, c.txtSMS);
    applica(frameLogo, c.frameLogo);
    applica(frameMidi, c.frameMidi);
    applica(frameCal, c.frameCal);
    applica(listProm, c.listProm);
    applica(frameOra, c.frameOra);
    applica(frameReti, c.frameReti);
    applica(listaReti, c.listaReti);
    applica(listaRetiDisp, c.listaRetiDisp);
    applica(Label2, c.Label2);
    applica(labOKKIO, c.labOKKIO);
}

void frmMain::Form_Resize()
{
    const QRect esterno = GeometriaTwips(*this);
    if (TroppoPiccola(esterno.width(), esterno.height(), isMinimized()))
        return;
    const QSize area = areaViste->size();
    ControlliLayout misure = MisureControlli();
    // Visibility the rules do not set is left as it stands.
    for (Geometria* g :
         {&misure.S25Tree, &misure.List1, &misure.txtSMS, &misure.frameLogo, &misure.frameMidi,
          &misure.frameCal, &misure.listProm, &misure.frameOra, &misure.frameReti,
          &misure.listaReti, &misure.listaRetiDisp, &misure.Label2, &misure.labOKKIO})
        g->visibile = false;
    LayoutPerVista(CurrentView, InTwips(area.width()) + CorniceLarghezzaTwips,
                   InTwips(area.height()) + CorniceAltezzaTwips, misure);
    ApplicaMisure(misure);
    adattaEditorLogo();
    if (CurrentView == 13)
        adattaNotaReti();
}

void frmMain::adattaNotaReti()
{
    // The rule leaves the note a fixed strip under the lists; the note takes the pane's width and
    // the lines its text needs, and the lists give up what more it needs.
    const int margine = listaRetiDisp->x();
    const int larghezza = std::max(0, frameReti->width() - 2 * margine);
    const int altezza = labOKKIO->heightForWidth(larghezza);
    const int fondo = frameReti->height() - margine / 2;
    const int manca = std::max(0, labOKKIO->y() + altezza - fondo);
    for (QListWidget* lista : {listaReti, listaRetiDisp})
        lista->resize(lista->width(), std::max(0, lista->height() - manca));
    labOKKIO->setGeometry(margine, labOKKIO->y() - manca, larghezza, altezza);
}

void frmMain::adattaEditorLogo()
{
    // The editor column takes what the divider and the palette leave, down to the logo's width;
    // a narrower pane cuts the palette, and only then the editor, the logo centred in its drop
    // area. The divider runs down the pane right of the editor, the palette beside it; the
    // progress bar and its label lie along the pane's bottom, left of the divider.
    const int margine = 8;
    const int tavolozza = margine + Line1->width() + margine + PicLogoOp[0]->width() + margine;
    const int spazio = frameLogo->width() - ColonnaEditorLogo;
    const int larghezza
        = std::min(std::clamp(spazio - tavolozza, PicLogo->width() + 4, LarghezzaEditorLogo),
                   std::max(0, spazio - margine));
    for (QWidget* w : {static_cast<QWidget*>(labL1), static_cast<QWidget*>(picDrop)})
        w->resize(larghezza, w->height());
    PicLogo->move((picDrop->width() - PicLogo->width()) / 2, PicLogo->y());
    const int divisore = ColonnaEditorLogo + larghezza + margine;
    const int alto = labL1->y();
    Line1->setGeometry(divisore, alto, Line1->width(),
                       std::max(0, frameLogo->height() - alto - margine));
    for (QLabel* slot : PicLogoOp)
        slot->move(Line1->geometry().right() + margine, slot->y());
    const int barra = frameLogo->height() - InPixel(300);
    pbarLogo->setGeometry(ColonnaEditorLogo, barra, std::max(0, divisore - InPixel(800)), 16);
    labP->setGeometry(divisore - InPixel(600), barra, InPixel(600) - 2, 16);
}

void frmMain::moveEvent(QMoveEvent* evento)
{
    QMainWindow::moveEvent(evento);
    completaPosizione();
}

// A platform that frames the window as it is made tells its frame by the time it is shown, and
// may move it no more.
void frmMain::showEvent(QShowEvent* evento)
{
    QMainWindow::showEvent(evento);
    completaPosizione();
}

void frmMain::changeEvent(QEvent* evento)
{
    QMainWindow::changeEvent(evento);
    // Restoring a minimised window at the same size brings no resize event; lay it out anyway.
    if (evento->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmMain::Form_Load()
{
    hide();
    InitLang();
    Connesso = false;
    LineaLibera = false;
    collegamento->Inizializza();
    InitTabelleLingua();
    InitCommonCtrls(1);
    ListSortKey = 0;
    ListSortOrder = 0;
    HideButtons();
    disabilitaMenuAllAvvio();
    geometriaLogo();
    caricaPreferiti();
    colonnaTavolozza();
    impilaRiquadri();
    posizionaLuci();
    messaggi->CaricaArchivioSMS();
    if (Opzioni.AutoLoadRub == 1 && rubrica->CaricaFileRubrica(FileProgramma("Quorna.rub"))) {
        mnuRubVis->setEnabled(true);
        mnuRubSalvaF->setEnabled(true);
    }
    if (Opzioni.AutoLoadOPsList == 1)
        impostazioni->CaricaFileOperatori(FileProgramma("reti.op"));
    CurrentView = 0;
    applicaPosizione();
    setWindowTitle(TitoloEVersione());
    show();
}

void frmMain::disabilitaMenuAllAvvio()
{
    const QList<QAction*> voci{
        mnuRubRic,    mnuRubInvia,  mnuRubVis,    mnuRubNuovo,    mnuRubEdit,  mnuRubCanc,
        mnuRubStampa, mnuRubSalvaF, mnuSMSRic,    mnuSMSVInfo,    mnuSMSVM[0], mnuSMSVM[1],
        mnuSMSVM[2],  mnuSMSNew,    mnuSMSSalvaA, mnuSMSSalvaS,   mnuSMSEdit,  mnuSMSDel,
        mnuSMSRis,    mnuSMSInv,    mnuSMSSta,    mnuSMSNotifica, mnuCRic,     mnuCInvia,
        mnuCVisProm,  mnuCNuovo,    mnuCEdit,     mnuCDel,        mnuCStampa,  mnuCSalva,
        mnuLRic,      mnuLVis,      mnuLSta,      mnuLoRic,       mnuLoInv,    mnuLoDel,
        mnuLoApri,    mnuLoSalva,   mnuMRic,      mnuMInv,        mnuMDel,     mnuMApri,
        mnuMSalva};
    for (QAction* voce : voci)
        voce->setEnabled(false);
}

void frmMain::geometriaLogo()
{
    frameLogo->hide();
    // The logo is 97 x 26 units of a drop area 120 x 40 units wide, centred in it.
    const double unitaX = picDrop->width() / 120.0;
    const double unitaY = picDrop->height() / 40.0;
    const double larghezza = 97 * unitaX;
    const double altezza = 26 * unitaY;
    PicLogo->setGeometry(static_cast<int>((picDrop->width() - larghezza) / 2),
                         static_cast<int>((picDrop->height() - altezza) / 2),
                         static_cast<int>(larghezza), static_cast<int>(altezza));
}

void frmMain::caricaPreferiti()
{
    oggetti->CaricaPreferiti();
    for (int n = 4; n <= 9; ++n) {
        PicLogoOp[n]->setScaledContents(true);
        PicLogoOp[n]->resize(PicLogoOp[0]->size());
        PicLogoOp[n]->setVisible(true);
    }
}

void frmMain::colonnaTavolozza()
{
    for (int n = 0; n < 10; ++n) {
        const int altezza = InTwips(PicLogoOp[n]->height());
        PicLogoOp[n]->move(PicLogoOp[n]->x(), InPixel((altezza + 50) * n + 280));
    }
}

void frmMain::impilaRiquadri()
{
    for (QGroupBox* pannello : {frameMidi, frameCal, frameOra})
        pannello->setGeometry(frameLogo->geometry());
}

void frmMain::posizionaLuci()
{
    picSotto->setFixedHeight(statusBar()->height());
}

int frmMain::LarghezzaAlberoPerDidascalie() const
{
    return static_cast<const AlberoNavigazione*>(S25Tree)->LarghezzaPerOgniDidascalia();
}

void frmMain::LarghezzaAlbero(int pixel)
{
    // The splitter keeps the tree at this width while the window grows and shrinks, as far as
    // the views leave room.
    divisore->setSizes({pixel, std::max(1, divisore->width() - pixel)});
}

void frmMain::applicaPosizione()
{
    // The tree starts at the width the user last gave it, whether or not the window's placement
    // is restored, else at the design's; in any case wide enough for every caption of the
    // language.
    LarghezzaAlbero(std::max(InPixel(LarghezzaAlberoMemorizzata().value_or(LarghezzaAlberoTwips)),
                             LarghezzaAlberoPerDidascalie()));
    // The frame is known only once the window manager has framed the shown window: until then
    // the outer size is taken as the inner one, and the placement is made exact when it comes.
    collocazioneDaCompletare = true;
    collocaFinestra();
}

void frmMain::completaPosizione()
{
    if (!isVisible() || frameGeometry().size() == geometry().size()
        || !std::exchange(collocazioneDaCompletare, false))
        return;
    collocaFinestra();
}

// At the placement the settings keep, or centred on the screen; on the screen in either case.
void frmMain::collocaFinestra()
{
    const bool salvata = Opzioni.SaveWindow != 0;
    if (salvata)
        ImpostaGeometriaTwips(*this, QRect(Opzioni.X, Opzioni.Y, Opzioni.W, Opzioni.H));
    AdattaAlloSchermo(*this);
    if (!salvata)
        CentraForm(*this, nullptr);
}

void frmMain::closeEvent(QCloseEvent* evento)
{
    // A window disabled behind a dialog or the wait window takes no close from the window manager.
    if (!isEnabled()) {
        evento->ignore();
        return;
    }
    if (collegamento->PortOpen())
        collegamento->ChiudiPorta();
    SalvaPosizioneFinestra(posizioneNormale());
    SalvaLarghezzaAlbero(InTwips(S25Tree->width()));
    evento->accept();
    QApplication::exit(0);
}

QRect frmMain::posizioneNormale() const
{
    // A minimised or maximised window is stored at the place and size it comes back to.
    QRect normale = frameGeometry();
    if (isMinimized() || isMaximized() || isFullScreen()) {
        const QMargins cornice(geometry().left() - frameGeometry().left(),
                               geometry().top() - frameGeometry().top(),
                               frameGeometry().right() - geometry().right(),
                               frameGeometry().bottom() - geometry().bottom());
        normale = normalGeometry().marginsAdded(cornice);
    }
    return {InTwips(normale.x()), InTwips(normale.y()), InTwips(normale.width()),
            InTwips(normale.height())};
}
