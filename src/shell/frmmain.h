#pragma once

#include "funzioni.h"
#include "layout.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class ListaReport;
class QAction;
class QCalendarWidget;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QSlider;
class QSplitter;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class QFrame;

// The one main window: navigation tree, shared list, feature panes, menus, toolbar, status bar.
// Its controls are public, as the views of every subsystem fill them.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain();
    ~frmMain() override;

    // The commands of the other subsystems; each does nothing until its subsystem is installed.
    std::unique_ptr<FunzioniCollegamento> collegamento;
    std::unique_ptr<FunzioniRubrica> rubrica;
    std::unique_ptr<FunzioniMessaggi> messaggi;
    std::unique_ptr<FunzioniOggetti> oggetti;
    std::unique_ptr<FunzioniImpostazioni> impostazioni;

    // Builds the working state and shows the window.
    void Form_Load();
    // Lays the window out for CurrentView.
    void Form_Resize();
    // Applies the current language to the window's captions and rebuilds the tree.
    void InitLang();

    // View machinery.
    void HideButtons();
    void Espandi(const QString& chiave);
    void Aggiorna();
    void S25Tree_NodeClick(QTreeWidgetItem* nodo);
    // Runs the view of a node key, as a click on its node does.
    void MostraVista(const QString& chiave);

    // Commands.
    void Toolbar1_ButtonClick(QAction* pulsante);

    // The shared list's handlers.
    void List1_Click();
    void List1_KeyUp();
    void List1_DblClick();
    void List1_MouseUp(Qt::MouseButton pulsante);
    void List1_ColumnClick(int colonna);
    // Puts picture `immagine` of the header's pictures (the main image list, from 0) into the
    // header of column `colonna`, or takes it away, as the header format flags say.
    void ShowHeaderIcon(int32_t colonna, int32_t immagine, int32_t formato, int32_t flagImmagine);
    // The key of the selected tree node; empty when none is selected.
    QString ChiaveSelezionata() const;
    // The tree's width beside the views, in pixels, as the user sets it with the splitter; and
    // the width at which it shows every caption of the current language whole.
    void LarghezzaAlbero(int pixel);
    int LarghezzaAlberoPerDidascalie() const;

    uint8_t CurrentView = 0;
    // The tree key of the view on show, as the road of the views records it; empty while none
    // is: at start, after connecting, once a command changed what the view showed.
    QString VistaMostrata;
    int16_t ListSortKey = 0;
    int16_t ListSortOrder = 0;

    // Controls.
    QTreeWidget* S25Tree = nullptr;
    ListaReport* List1 = nullptr;
    QTextEdit* txtSMS = nullptr;

    // Toolbar buttons by 1-based position (separators included); index 0 is unused.
    static constexpr int NumPulsanti = 43;
    std::array<QAction*, NumPulsanti + 1> Toolbar1{};
    QAction* Pulsante(const QString& chiave) const;

    // Status bar: panels 1 to 3 (index 0 unused) and the two busy lights.
    std::array<QLabel*, 4> SBar{};
    QWidget* picSotto = nullptr;
    std::array<QLabel*, 2> LedLibero{};

    // Logo pane.
    QGroupBox* frameLogo = nullptr;
    QLabel *labL1 = nullptr, *labL2 = nullptr, *labL3 = nullptr;
    QLabel *labDim = nullptr, *labDimR = nullptr, *labP = nullptr;
    QFrame* picDrop = nullptr;
    QLabel* PicLogo = nullptr;
    std::array<QLabel*, 10> PicLogoOp{};
    QProgressBar* pbarLogo = nullptr;
    QFrame* Line1 = nullptr;

    // Melody pane.
    QGroupBox* frameMidi = nullptr;
    QLabel *labMel1 = nullptr, *labMel2 = nullptr, *labMel3 = nullptr, *labMel4 = nullptr;
    QLabel *labMel = nullptr, *labVol = nullptr;
    QLabel *picMidi = nullptr, *picMidiOn = nullptr;
    QSlider *sliderMelodia = nullptr, *sliderVolume = nullptr;
    QPushButton* pPlay = nullptr;

    // Reminder pane.
    QGroupBox* frameCal = nullptr;
    QCalendarWidget* Calendario = nullptr;
    QPushButton* pOggi = nullptr;
    ListaReport* listProm = nullptr;

    // Clock pane: the phone's fields and the PC's.
    QGroupBox* frameOra = nullptr;
    QLabel *labPC = nullptr, *labCell = nullptr;
    QLabel *labD1 = nullptr, *labO1 = nullptr, *labD2 = nullptr, *labO2 = nullptr;
    QLineEdit *txtGG = nullptr, *txtMM = nullptr, *txtAA = nullptr, *txtH = nullptr,
              *txtM = nullptr;
    QLineEdit *txtGGpc = nullptr, *txtMMpc = nullptr, *txtAApc = nullptr, *txtHpc = nullptr,
              *txtMpc = nullptr;
    QPushButton *pSincrOra = nullptr, *pImpostaOra = nullptr;

    // Network selection pane.
    QGroupBox* frameReti = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *labOKKIO = nullptr;
    QListWidget *listaReti = nullptr, *listaRetiDisp = nullptr;

    // Menu bar: top-level menus and their items.
    QAction *mnuTel = nullptr, *mnuTConn = nullptr, *mnuTDisc = nullptr, *mnuTAlim = nullptr,
            *mnuTRete = nullptr, *mnuTSpegni = nullptr, *mnuTEsci = nullptr;
    QAction *mnuRub = nullptr, *mnuRubRic = nullptr, *mnuRubInvia = nullptr, *mnuRubVis = nullptr,
            *mnuRubVTutta = nullptr, *mnuRubVSIM = nullptr, *mnuRubVSIMSP = nullptr,
            *mnuRubVTel = nullptr, *mnuRubVRossa = nullptr, *mnuRubVNP = nullptr,
            *mnuRubNuovo = nullptr, *mnuRubEdit = nullptr, *mnuRubCanc = nullptr,
            *mnuRubStampa = nullptr, *mnuRubApriF = nullptr, *mnuRubSalvaF = nullptr;
    QAction *mnuSMS = nullptr, *mnuSMSRic = nullptr, *mnuSMSVis = nullptr, *mnuSMSVInfo = nullptr,
            *mnuSMSNew = nullptr, *mnuSMSSalvaA = nullptr, *mnuSMSSalvaS = nullptr,
            *mnuSMSEdit = nullptr, *mnuSMSDel = nullptr, *mnuSMSRis = nullptr, *mnuSMSInv = nullptr,
            *mnuSMSSta = nullptr, *mnuSMSNotifica = nullptr;
    std::array<QAction*, 4> mnuSMSVM{};
    QAction *mnuCal = nullptr, *mnuCRic = nullptr, *mnuCInvia = nullptr, *mnuCVisProm = nullptr,
            *mnuCNuovo = nullptr, *mnuCEdit = nullptr, *mnuCDel = nullptr, *mnuCStampa = nullptr,
            *mnuCApri = nullptr, *mnuCSalva = nullptr;
    QAction *mnuList = nullptr, *mnuLRic = nullptr, *mnuLVis = nullptr, *mnuLSta = nullptr;
    std::array<QAction*, 3> mnuLVL{};
    QAction *mnuMel = nullptr, *mnuMRic = nullptr, *mnuMInv = nullptr, *mnuMDel = nullptr,
            *mnuMApri = nullptr, *mnuMSalva = nullptr;
    QAction *mnuLogo = nullptr, *mnuLoRic = nullptr, *mnuLoInv = nullptr, *mnuLoDel = nullptr,
            *mnuLoApri = nullptr, *mnuLoSalva = nullptr;
    QAction *mnuOpzioni = nullptr, *mnuOConf = nullptr, *mnuOLingua = nullptr;
    QAction *mnuHelp = nullptr, *mnuHInfo = nullptr;

    // Pop-up menus and their items.
    QMenu *mnuPref = nullptr, *popRub = nullptr, *popSMS = nullptr, *popProm = nullptr;
    QAction *mnuPrefAgg = nullptr, *mnuPrefDel = nullptr;
    QAction *popRNew = nullptr, *popREdit = nullptr, *popRDel = nullptr, *popRPrint = nullptr,
            *popRSMS = nullptr;
    QAction *popSSend = nullptr, *popSReply = nullptr, *popSEdit = nullptr, *popSDel = nullptr,
            *popSSA = nullptr, *popSSS = nullptr, *popSPrint = nullptr;
    QAction *popPEdit = nullptr, *popPDel = nullptr, *popPPrint = nullptr;

    // The layout rules' measures of the controls, read from and written back to the widgets.
    ControlliLayout MisureControlli() const;
    void ApplicaMisure(const ControlliLayout& misure);

protected:
    bool eventFilter(QObject* oggetto, class QEvent* evento) override;
    void closeEvent(class QCloseEvent* evento) override;
    void moveEvent(class QMoveEvent* evento) override;
    void showEvent(class QShowEvent* evento) override;
    void changeEvent(class QEvent* evento) override;

private:
    void costruisciControlli();
    void costruisciBarra();
    void costruisciMenu();
    void costruisciPopup();
    void costruisciRiquadri();
    void costruisciBarraStato();
    void costruisciRiquadroLogo();
    void costruisciRiquadroMidi();
    void costruisciRiquadroCalendario();
    void costruisciRiquadroOra();
    void costruisciRiquadroReti();

    void costruisciAlbero();
    void collegaComandi();
    void collegaMenu();
    void collegaPopup();
    void collegaElenco();
    void mnuOLingua_Click();
    void mnuSMSNotifica_Click();
    // Selects a view's node, then shows the view.
    void vistaDaMenu(const QString& chiave);
    // True when the list has rows and one of them is selected.
    bool rigaScelta() const;
    void didascalieMenu();
    void didascalieRiquadri();
    void suggerimentiBarra();

    void disabilitaMenuAllAvvio();
    void geometriaLogo();
    void caricaPreferiti();
    void colonnaTavolozza();
    void impilaRiquadri();
    void adattaEditorLogo();
    void adattaNotaReti();
    void posizionaLuci();
    void applicaPosizione();
    void completaPosizione();
    void collocaFinestra();
    QRect posizioneNormale() const;

    // The splitter between the tree and the area in which the views are laid out.
    QSplitter* divisore = nullptr;
    QWidget* areaViste = nullptr;

    // The placement the load asked for waits for the window manager's frame to be made exact.
    bool collocazioneDaCompletare = false;
};

// The program's caption: title and version.
QString TitoloEVersione();
