// The main window's captions in the current language.

#include "catalogo.h"
#include "frmmain.h"
#include "immagini.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <utility>
#include <vector>

namespace {

struct Nodo {
    const char* padre;
    const char* chiave;
    int voce;
    int immagine;
    int immagineAperta;
    int immagineScelta;
};

// The navigation tree, in the order its nodes are added.
// clang-format off
constexpr std::array<Nodo, 28> Albero{{
    {"", "S25", 33, 38, 0, 0},
    {"S25", "ALIM", 34, 12, 0, 0},
    {"S25", "RETE", 35, 11, 0, 0},
    {"S25", "RUB", 36, 13, 6, 0},
    {"RUB", "RUB_SIM", 37, 2, 0, 4},
    {"RUB", "RUB_SIMSP", 38, 2, 0, 4},
    {"RUB", "RUB_TEL", 39, 2, 0, 4},
    {"RUB", "RUB_ROS", 40, 3, 0, 5},
    {"RUB", "RUB_PER", 41, 2, 0, 4},
    {"S25", "SMS", 42, 15, 14, 0},
    {"SMS", "SMS_IN", 43, 2, 0, 0},
    {"SMS", "SMS_OUT", 44, 2, 0, 0},
    {"SMS", "SMS_NOOUT", 45, 2, 0, 0},
    {"SMS", "SMS_ARC", 46, 2, 0, 0},
    {"S25", "CAL", 47, 7, 0, 0},
    {"S25", "LIST", 48, 8, 0, 0},
    {"LIST", "LIST_RC", 49, 2, 0, 0},
    {"LIST", "LIST_MC", 50, 2, 0, 0},
    {"LIST", "LIST_LD", 51, 2, 0, 0},
    {"S25", "TRASF", 56, 47, 0, 0},
    {"TRASF", "TRASF0", 57, 2, 0, 0},
    {"TRASF", "TRASF1", 58, 2, 0, 0},
    {"TRASF", "TRASF2", 59, 2, 0, 0},
    {"TRASF", "TRASF3", 60, 2, 0, 0},
    {"S25", "BLOCK", 52, 51, 0, 0},
    {"S25", "ORA", 53, 44, 0, 0},
    {"S25", "MEL", 54, 10, 0, 0},
    {"S25", "LOGO", 55, 9, 0, 0},
}};
// clang-format on

// The tooltips of the toolbar by position.
// clang-format off
constexpr std::array<std::pair<int, int>, 32> Suggerimenti{{
    {2, 702},  {4, 601},  {5, 602},  {6, 603},  {7, 604},  {9, 605},  {10, 606}, {11, 607},
    {13, 608}, {15, 609}, {17, 610}, {19, 611}, {20, 612}, {21, 613}, {22, 614}, {23, 615},
    {24, 616}, {25, 617}, {26, 618}, {27, 619}, {28, 620}, {30, 621}, {31, 622}, {32, 623},
    {33, 624}, {34, 625}, {35, 626}, {36, 627}, {38, 628}, {39, 629}, {41, 630}, {43, 631},
}};
// clang-format on

const int RuoloChiave = Qt::UserRole;
const int RuoloImmagine = Qt::UserRole + 1;
const int RuoloImmagineAperta = Qt::UserRole + 2;

// A node's icon: its own image, the selected image when it has one, and the expanded image shown
// while it is open.
QIcon iconaNodo(const Nodo& nodo)
{
    QIcon icona = ImmagineLista(nodo.immagine);
    if (nodo.immagineScelta) {
        const QIcon scelta = ImmagineLista(nodo.immagineScelta);
        for (const QSize& misura : scelta.availableSizes())
            icona.addPixmap(scelta.pixmap(misura), QIcon::Selected);
    }
    return icona;
}

// "&&" shows one "&" on a label, which has no access key of its own.
QString testoEtichetta(QString testo)
{
    testo.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    testo.remove(QLatin1Char('&'));
    return testo.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

} // namespace

void frmMain::InitLang()
{
    SeTesto(79, [this](const QString& t) { SBar[1]->setText(t); });
    costruisciAlbero();
    // A language whose captions are longer widens the tree; none narrows it.
    if (const int serve = LarghezzaAlberoPerDidascalie(); S25Tree->width() < serve)
        LarghezzaAlbero(serve);
    didascalieMenu();
    didascalieRiquadri();
    suggerimentiBarra();
}

void frmMain::costruisciAlbero()
{
    S25Tree->clear();
    QHash<QString, QTreeWidgetItem*> nodi;
    QTreeWidgetItem* ultimo = nullptr;
    for (const Nodo& nodo : Albero) {
        auto* voce = nodo.padre[0] ? new QTreeWidgetItem(nodi.value(QLatin1String(nodo.padre)))
                                   : new QTreeWidgetItem(S25Tree);
        voce->setData(0, RuoloChiave, QLatin1String(nodo.chiave));
        voce->setData(0, RuoloImmagine, nodo.immagine);
        voce->setData(0, RuoloImmagineAperta, nodo.immagineAperta);
        SeTesto(nodo.voce, [voce](const QString& t) { voce->setText(0, t); });
        voce->setIcon(0, iconaNodo(nodo));
        nodi.insert(QLatin1String(nodo.chiave), voce);
        ultimo = voce;
    }
    // Making the last node visible opens the root; the branches stay closed.
    if (ultimo)
        S25Tree->scrollToItem(ultimo);
    for (QTreeWidgetItem* padre = ultimo ? ultimo->parent() : nullptr; padre;
         padre = padre->parent())
        padre->setExpanded(true);
}

void frmMain::didascalieMenu()
{
    // clang-format off
    const std::vector<std::pair<QAction*, int>> voci{
        {mnuTel, 701},        {mnuTConn, 702},      {mnuTDisc, 703},      {mnuTAlim, 704},
        {mnuTRete, 705},      {mnuTSpegni, 706},    {mnuTEsci, 707},      {mnuRub, 708},
        {mnuRubRic, 709},     {mnuRubInvia, 710},   {mnuRubVis, 711},     {mnuRubVTutta, 712},
        {mnuRubVSIM, 713},    {mnuRubVSIMSP, 714},  {mnuRubVTel, 715},    {mnuRubVRossa, 716},
        {mnuRubVNP, 717},     {mnuRubNuovo, 718},   {mnuRubEdit, 719},    {mnuRubCanc, 720},
        {mnuRubStampa, 721},  {mnuRubApriF, 722},   {mnuRubSalvaF, 723},  {mnuSMS, 724},
        {mnuSMSRic, 725},     {mnuSMSVis, 726},     {mnuSMSVInfo, 727},   {mnuSMSVM[0], 728},
        {mnuSMSVM[1], 729},   {mnuSMSVM[2], 730},   {mnuSMSVM[3], 731},   {mnuSMSNew, 732},
        {mnuSMSSalvaA, 733},  {mnuSMSSalvaS, 734},  {mnuSMSEdit, 735},    {mnuSMSDel, 736},
        {mnuSMSRis, 737},     {mnuSMSInv, 738},     {mnuSMSSta, 739},     {mnuSMSNotifica, 740},
        {mnuCal, 741},        {mnuCRic, 742},       {mnuCInvia, 743},     {mnuCVisProm, 744},
        {mnuCNuovo, 745},     {mnuCEdit, 746},      {mnuCDel, 747},       {mnuCStampa, 748},
        {mnuCApri, 749},      {mnuCSalva, 750},     {mnuList, 751},       {mnuLRic, 752},
        {mnuLVis, 753},       {mnuLVL[0], 754},     {mnuLVL[1], 755},     {mnuLVL[2], 756},
        {mnuLSta, 757},       {mnuMel, 758},        {mnuMRic, 759},       {mnuMInv, 760},
        {mnuMDel, 761},       {mnuMApri, 762},      {mnuMSalva, 763},     {mnuLogo, 764},
        {mnuLoRic, 765},      {mnuLoInv, 766},      {mnuLoDel, 767},      {mnuLoApri, 768},
        {mnuLoSalva, 769},    {mnuOpzioni, 770},    {mnuOConf, 771},      {mnuOLingua, 776},
        {mnuHelp, 772},       {mnuHInfo, 773},      {mnuPrefAgg, 774},    {mnuPrefDel, 775},
        {popRNew, 777},       {popREdit, 778},      {popRDel, 779},       {popRPrint, 780},
        {popRSMS, 781},       {popSSend, 782},      {popSReply, 783},     {popSEdit, 784},
        {popSDel, 785},       {popSSA, 786},        {popSSS, 787},        {popSPrint, 788},
        {popPEdit, 789},      {popPDel, 790},       {popPPrint, 791},
    };
    // clang-format on
    for (const auto& [azione, voce] : voci)
        SeTesto(voce, [azione = azione](const QString& t) { azione->setText(t); });
}

void frmMain::didascalieRiquadri()
{
    const auto titolo = [](QGroupBox* riquadro, int voce) {
        SeTesto(voce, [riquadro](const QString& t) { riquadro->setTitle(testoEtichetta(t)); });
    };
    const auto etichetta = [](QLabel* label, int voce) {
        SeTesto(voce, [label](const QString& t) { label->setText(testoEtichetta(t)); });
    };
    const auto pulsante = [](QPushButton* tasto, int voce) {
        SeTesto(voce, [tasto](const QString& t) { tasto->setText(t); });
    };
    titolo(frameCal, 47);
    pulsante(pOggi, 507);
    titolo(frameOra, 508);
    etichetta(labPC, 509);
    etichetta(labCell, 510);
    etichetta(labD1, 511);
    etichetta(labO1, 512);
    etichetta(labD2, 511);
    etichetta(labO2, 512);
    pulsante(pSincrOra, 513);
    pulsante(pImpostaOra, 514);
    titolo(frameMidi, 54);
    etichetta(labMel1, 515);
    etichetta(labMel2, 516);
    etichetta(labMel3, 517);
    etichetta(labMel4, 518);
    titolo(frameLogo, 519);
    etichetta(labL1, 520);
    etichetta(labL2, 521);
    etichetta(labL3, 522);
}

void frmMain::suggerimentiBarra()
{
    for (const auto& [posizione, voce] : Suggerimenti) {
        QAction* pulsante = Toolbar1[static_cast<size_t>(posizione)];
        SeTesto(voce, [pulsante](const QString& t) { pulsante->setToolTip(t); });
    }
}
