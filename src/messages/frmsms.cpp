#include "frmsms.h"

#include "tabella.h"

#include "archivio.h"
#include "catalogo.h"
#include "codecs.h"
#include "composizione.h"
#include "frmlistd.h"
#include "frmmain.h"
#include "globali.h"
#include "interazione.h"
#include "invio.h"
#include "letturasms.h"
#include "letture.h"
#include "listedistribuzione.h"
#include "numeroenome.h"
#include "ricerche.h"
#include "scambio.h"
#include "scambiorubrica.h"
#include "setcaratteri.h"
#include "validita.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int VoceErrore = 27;
constexpr int VoceInvioSMS = 372;
constexpr int VoceInviato = 390;
constexpr int VoceNonInviato = 391;
constexpr int VoceUnitaOre = 2;
constexpr int VoceComunque = 942;
constexpr int VoceLettereNonGSM = 943;
const QString Normale = QStringLiteral("00");
const QString Flash = QStringLiteral("F0");

void Didascalia(int voce, QWidget* controllo)
{
    SeTesto(voce, [controllo](const QString& testo) {
        if (auto* gruppo = qobject_cast<QGroupBox*>(controllo))
            gruppo->setTitle(testo);
        else if (auto* pulsante = qobject_cast<QAbstractButton*>(controllo))
            pulsante->setText(testo);
        else if (auto* etichetta = qobject_cast<QLabel*>(controllo))
            etichetta->setText(testo);
    });
}

} // namespace

frmSMS::frmSMS(frmMain& principale) : DialogoRestituito(Codice, &principale), f(principale)
{
    costruisci();
    InitLang();
}

void frmSMS::costruisci()
{
    Frame1 = new QGroupBox(QStringLiteral("Numero"), this);
    txtNum = new QLineEdit(Frame1);
    cmbRub = new QComboBox(Frame1);
    pEditList = new QPushButton(QStringLiteral("Liste..."), Frame1);
    cmbListe = new QComboBox(Frame1);
    optLD = {new QRadioButton(QStringLiteral("Numero singolo"), Frame1),
             new QRadioButton(QStringLiteral("Lista di distribuzione"), Frame1)};
    optLD[0]->setChecked(true);
    pEditList->setVisible(false);
    cmbListe->setVisible(false);
    auto* numero = new QGridLayout(Frame1);
    numero->addWidget(txtNum, 0, 0);
    numero->addWidget(pEditList, 0, 0);
    numero->addWidget(cmbRub, 0, 1);
    numero->addWidget(cmbListe, 0, 1);
    numero->addWidget(optLD[0], 1, 0);
    numero->addWidget(optLD[1], 1, 1);
    numero->setColumnStretch(1, 1);

    Frame2 = new QGroupBox(QStringLiteral("Opzioni"), this);
    txtSMSC = new QLineEdit(Frame2);
    optTipo = {new QRadioButton(QStringLiteral("SMS normale"), Frame2),
               new QRadioButton(QStringLiteral("SMS flash"), Frame2)};
    optTipo[0]->setChecked(true);
    chkRicevuta = new QCheckBox(Frame2);
    labSMSC = new QLabel(QStringLiteral("Centro servizi"), Frame2);
    labTipo = new QLabel(QStringLiteral("Tipo di messaggio:"), Frame2);
    labNotifica = new QLabel(QStringLiteral("Notifica:"), Frame2);
    auto* tipo = new QHBoxLayout;
    tipo->addWidget(optTipo[0]);
    tipo->addWidget(optTipo[1]);
    auto* opzioni = new QFormLayout(Frame2);
    opzioni->addRow(labSMSC, txtSMSC);
    opzioni->addRow(labTipo, tipo);
    opzioni->addRow(labNotifica, chkRicevuta);

    Frame3 = new QGroupBox(QStringLiteral("Validità"), this);
    labTempo = new QLabel(QStringLiteral("Tempo di validità:"), Frame3);
    txtTempo = new QLineEdit(Frame3);
    cmbTempo = new QComboBox(Frame3);
    auto* validita = new QHBoxLayout(Frame3);
    validita->addWidget(labTempo);
    validita->addWidget(txtTempo);
    validita->addWidget(cmbTempo);

    Frame4 = new QGroupBox(QStringLiteral("Messaggio"), this);
    txtMess = new QPlainTextEdit(Frame4);
    // Tab moves on, as in every other field: a message has no tabs.
    txtMess->setTabChangesFocus(true);
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    txtMess->setFont(courier);
    labMax = new QLabel(QStringLiteral("Caratteri max:"), Frame4);
    labUsati = new QLabel(QStringLiteral("Caratteri usati:"), Frame4);
    labDisp = new QLabel(QStringLiteral("Caratteri disponibili"), Frame4);
    labChMax = new QLabel(QString::number(LimiteCaratteri), Frame4);
    labChUsati = new QLabel(QStringLiteral("0"), Frame4);
    labChDisp = new QLabel(QString::number(LimiteCaratteri), Frame4);
    // Room for the widest counts from the start, so that the dialog does not widen as the
    // text grows.
    labChUsati->setMinimumWidth(labChUsati->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    labChDisp->setMinimumWidth(labChDisp->fontMetrics().horizontalAdvance(QStringLiteral("-000")));
    auto* conti = new QHBoxLayout;
    for (QLabel* etichetta : {labMax, labChMax, labUsati, labChUsati, labDisp, labChDisp})
        conti->addWidget(etichetta);
    auto* messaggio = new QVBoxLayout(Frame4);
    messaggio->addWidget(txtMess);
    messaggio->addLayout(conti);

    pInvia = new QPushButton(QStringLiteral("Invia"), this);
    pSalva = new QPushButton(QStringLiteral("Salva"), this);
    pAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    for (QPushButton* pulsante : {pInvia, pSalva, pAnnulla}) {
        pulsante->setAutoDefault(false);
        pulsanti->addWidget(pulsante);
    }

    auto* tutto = new QVBoxLayout(this);
    for (QGroupBox* gruppo : {Frame1, Frame2, Frame3, Frame4})
        tutto->addWidget(gruppo);
    tutto->addLayout(pulsanti);

    connect(txtNum, &QLineEdit::textChanged, this, [this] { txtNum_Change(); });
    connect(cmbRub, qOverload<int>(&QComboBox::activated), this, [this] { cmbRub_Click(); });
    for (QRadioButton* opzione : optLD)
        connect(opzione, &QRadioButton::clicked, this, [this] { optLD_Click(); });
    connect(pEditList, &QPushButton::clicked, this, [this] { pEditList_Click(); });
    connect(txtMess, &QPlainTextEdit::textChanged, this, [this] { txtMess_Change(); });
    txtMess->installEventFilter(this);
    connect(pInvia, &QPushButton::clicked, this, [this] { pInvia_Click(); });
    connect(pSalva, &QPushButton::clicked, this, [this] { pSalva_Click(); });
    connect(pAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void frmSMS::InitLang()
{
    const std::pair<int, QWidget*> didascalie[] = {
        {569, Frame1},     {570, pEditList},   {571, optLD[0]}, {572, optLD[1]}, {573, Frame3},
        {574, labTempo},   {575, Frame2},      {576, labSMSC},  {577, labTipo},  {578, optTipo[0]},
        {579, optTipo[1]}, {580, labNotifica}, {581, Frame4},   {582, labMax},   {583, labUsati},
        {584, labDisp},    {585, pInvia},      {586, pSalva},   {524, pAnnulla}};
    for (const auto& [voce, controllo] : didascalie)
        Didascalia(voce, controllo);
    cmbTempo->clear();
    for (int voce = 587; voce <= 590; ++voce)
        cmbTempo->addItem(Msg(voce));
}

void frmSMS::Carica()
{
    if (!Telefono.RubLetta[0]
        && MsgBox(Msg(388) + QStringLiteral("\n") + Msg(389), QMessageBox::Question,
                  QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes) {
        if (Connesso) {
            LeggiMemorie(false);
        } else {
            const QString nodo = f.ChiaveSelezionata();
            f.rubrica->ApriRubrica();
            f.Espandi(nodo);
        }
    }
    // A centre the phone did not give may be given now: the user sees, and sends with, the
    // phone's.
    if (!Telefono.SMSCLetto || Telefono.SMSCNonDato)
        LeggiCentroSMS();
    txtSMSC->setText(Telefono.SMSC);
    SetCmbRubrica();
    SetCmbListe();
    cmbTempo->setCurrentIndex(VoceUnitaOre);
    if (!Connesso)
        pInvia->setEnabled(false);
}

void frmSMS::SetCmbRubrica()
{
    QStringList nomi;
    for (const VoceRubrica* voce : VociLette())
        nomi << voce->Nome;
    std::sort(nomi.begin(), nomi.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    cmbRub->clear();
    cmbRub->addItems(nomi);
    cmbRub->setCurrentIndex(-1);
}

void frmSMS::SetCmbListe()
{
    cmbListe->clear();
    FileRifiutato rifiuto;
    if (!CaricaFileListeD(&rifiuto)) {
        SegnalaFileRifiutato(rifiuto);
        return;
    }
    for (const ListaDistribuzione& lista : std::as_const(ListeDistribuzione))
        cmbListe->addItem(lista.Nome);
    cmbListe->setCurrentIndex(0);
}

void frmSMS::optLD_Click()
{
    const bool singolo = optLD[0]->isChecked();
    txtNum->setEnabled(singolo);
    txtNum->setVisible(singolo);
    if (singolo)
        txtNum->clear();
    pEditList->setVisible(!singolo);
    // A message for a list cannot be saved.
    pSalva->setEnabled(singolo);
    cmbRub->setVisible(singolo);
    cmbListe->setVisible(!singolo);
}

void frmSMS::pEditList_Click()
{
    int scelta = -1;
    {
        frmListD editor(cmbListe->currentIndex(), this);
        editor.exec();
        scelta = editor.ListaScelta();
    }
    SetCmbListe();
    if (scelta >= 0 && scelta < cmbListe->count())
        cmbListe->setCurrentIndex(scelta);
}

std::optional<QString> frmSMS::CalcolaValidita() const
{
    return ::CalcolaValidita(txtTempo->text(), cmbTempo->currentIndex());
}

void frmSMS::ImpostaTesto(const QString& testoDecodificato)
{
    testoAccettato = TestoDaScrivere(testoDecodificato);
    txtMess->setPlainText(testoAccettato);
}

void frmSMS::cmbRub_Click()
{
    NomeScelto(*txtNum, *cmbRub);
}

void frmSMS::txtNum_Change()
{
    NumeroScritto(*txtNum, *cmbRub);
}

void frmSMS::txtMess_Change()
{
    semplificaSpazi();
    // Typing stops at the limit; a longer text given to the dialog stays until the field gets
    // the focus.
    const int usati = SettettiTesto(txtMess->toPlainText());
    if (usati > LimiteCaratteri && txtMess->hasFocus() && usati > SettettiTesto(testoAccettato)) {
        const QSignalBlocker blocco(txtMess);
        txtMess->setPlainText(testoAccettato);
        txtMess->moveCursor(QTextCursor::End);
    } else {
        testoAccettato = txtMess->toPlainText();
    }
    const int contati = SettettiTesto(testoAccettato);
    labChUsati->setText(QString::number(contati));
    labChDisp->setText(QString::number(labChMax->text().toInt() - contati));
}

// A pasted tab would be sent as "?": it becomes a blank where it stands, in the same step of
// the undo history as the paste.
void frmSMS::semplificaSpazi()
{
    const QString scritto = txtMess->toPlainText();
    const QString semplice = SpaziSemplici(scritto);
    if (semplice == scritto)
        return;
    const QSignalBlocker blocco(txtMess);
    QTextCursor cursore(txtMess->document());
    cursore.joinPreviousEditBlock();
    for (int i = 0; i < scritto.size(); ++i) {
        if (scritto.at(i) == semplice.at(i))
            continue;
        cursore.setPosition(i);
        cursore.setPosition(i + 1, QTextCursor::KeepAnchor);
        cursore.insertText(semplice.at(i));
    }
    cursore.endEditBlock();
}

void frmSMS::txtMess_GotFocus()
{
    if (SettettiTesto(txtMess->toPlainText()) > LimiteCaratteri)
        ImpostaTesto(TestoEntro(txtMess->toPlainText(), LimiteCaratteri));
}

bool frmSMS::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == txtMess && evento->type() == QEvent::FocusIn)
        txtMess_GotFocus();
    return DialogoRestituito::eventFilter(oggetto, evento);
}

void frmSMS::keyPressEvent(QKeyEvent* evento)
{
    // Enter presses the button that has the focus, as Space does. Send, Save and Cancel are no
    // default button, so that Enter in a field sends or saves nothing.
    auto* pulsante = qobject_cast<QPushButton*>(focusWidget());
    if (pulsante && (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter)) {
        pulsante->click();
        return;
    }
    DialogoRestituito::keyPressEvent(evento);
}

QString frmSMS::dcs() const
{
    return optTipo[0]->isChecked() ? Normale : Flash;
}

std::optional<QString> frmSMS::validitaControllata()
{
    if (ValidaNumero(txtSMSC->text()))
        Telefono.SMSC = txtSMSC->text();
    const std::optional<QString> validita = CalcolaValidita();
    if (!validita) {
        MsgBox(Msg(574) + QStringLiteral(" ") + txtTempo->text(), QMessageBox::Critical,
               QMessageBox::Ok, Msg(VoceErrore), this);
        txtTempo->setFocus();
        return std::nullopt;
    }
    return validita;
}

bool frmSMS::numeroControllato()
{
    if (ValidaNumero(txtNum->text()))
        return true;
    MsgBox(Msg(387), QMessageBox::Critical, QMessageBox::Ok, Msg(VoceErrore), this);
    txtNum->setFocus();
    return false;
}

bool frmSMS::lettereAccettate()
{
    const QString mancanti
        = LettereNonScrivibili(TestoSMS(txtMess->toPlainText()), SetCaratteri::GSM);
    if (mancanti.isEmpty()
        || MsgBox(Msg(VoceLettereNonGSM) + mancanti + QStringLiteral("\r\n") + Msg(VoceComunque),
                  QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QString(), this)
               == QMessageBox::Yes)
        return true;
    txtMess->setFocus();
    return false;
}

void frmSMS::pInvia_Click()
{
    const std::optional<QString> validita = validitaControllata();
    if (!validita || (optLD[0]->isChecked() && !numeroControllato()) || !lettereAccettate())
        return;
    if (!optLD[0]->isChecked()) {
        InviaLD(cmbListe->currentIndex(), chkRicevuta->isChecked(), dcs(), *validita);
        return;
    }
    if (const int posizione = PosizioneModificata(Modo, f.ChiaveSelezionata()); posizione > 0) {
        if (inviaModificato(posizione, *validita))
            accept();
        return;
    }
    if (InviaSMSPDU(TestoSMS(txtMess->toPlainText()), txtNum->text(), *validita,
                    chkRicevuta->isChecked(), dcs())) {
        MsgBox(Msg(VoceInviato), QMessageBox::Information);
        accept();
        return;
    }
    MsgBox(Msg(VoceNonInviato), QMessageBox::Critical);
    riprendi();
}

// The old message is deleted first, the new one stored unsent, sent from there and stored
// again as sent. True once it has been sent.
bool frmSMS::inviaModificato(int posizione, const QString& validita)
{
    const QString testo = TestoSMS(txtMess->toPlainText());
    const QString numero = txtNum->text();
    const bool rapporto = chkRicevuta->isChecked();
    if (!CancellaSMSTelefono(posizione))
        return false;
    if (!ScriviSMS(testo, numero, validita, rapporto, dcs(), StatoNonInviato)) {
        MsgBoxFallimento(Msg(VoceErrore), QMessageBox::Information);
        return false;
    }
    bool posizioneNota = false;
    const int memorizzato = IndiceSMS.toInt(&posizioneNota);
    // Stored where the phone did not say: there is nothing to send it from.
    if (!posizioneNota || !InviaSMSMemorizzato(memorizzato, Msg(VoceInvioSMS))) {
        MsgBox(Msg(VoceNonInviato), QMessageBox::Critical);
        return false;
    }
    if (memorizzato >= 1 && memorizzato <= NumPosizioniSMS)
        Telefono.SMS[static_cast<size_t>(memorizzato)].Stato = StatoInviato;
    if (CancellaSMSTelefono(memorizzato)
        && !ScriviSMS(testo, numero, validita, rapporto, dcs(), StatoInviato))
        MsgBoxFallimento(Msg(VoceErrore), QMessageBox::Information);
    MsgBox(Msg(VoceInviato), QMessageBox::Information);
    return true;
}

void frmSMS::pSalva_Click()
{
    const std::optional<QString> validita = validitaControllata();
    if (!validita)
        return;
    const Salvataggio salvataggio = SalvataggioPerModo(Modo, f.ChiaveSelezionata());
    if (salvataggio != Salvataggio::Nessuno && !lettereAccettate())
        return;
    // A draft kept in the archive needs no number, and may name an alphanumeric sender; the
    // phone stores only what it could send.
    switch (salvataggio) {
    case Salvataggio::NelTelefono:
        if (numeroControllato())
            salvaNelTelefono(*validita);
        break;
    case Salvataggio::NellArchivio:
        salvaInArchivio(*validita);
        break;
    case Salvataggio::SostituisciArchivio:
        hide();
        if (ModificaSMSArchivio(Modo.toInt(), TestoSMS(txtMess->toPlainText()), txtNum->text(),
                                *validita, chkRicevuta->isChecked(), dcs(), 1, StatoNonInviato)) {
            MsgBox(Msg(396), QMessageBox::NoIcon);
            accept();
        } else {
            MsgBox(Msg(397), QMessageBox::Critical,
                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            riprendi();
        }
        break;
    case Salvataggio::SostituisciTelefono:
        if (!numeroControllato())
            break;
        CancellaSMSTelefono(Modo.toInt());
        salvaNelTelefono(*validita);
        break;
    case Salvataggio::Nessuno:
        break;
    }
}

void frmSMS::salvaNelTelefono(const QString& validita)
{
    const bool salvato = ScriviSMS(TestoSMS(txtMess->toPlainText()), txtNum->text(), validita,
                                   chkRicevuta->isChecked(), dcs(), StatoNonInviato);
    hide();
    if (salvato) {
        MsgBox(Msg(392) + IndiceSMS, QMessageBox::Information);
        accept();
        return;
    }
    switch (MsgBox(Msg(393) + QStringLiteral("\n") + Msg(394), QMessageBox::Critical,
                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        salvaInArchivio(validita);
        break;
    case QMessageBox::Cancel:
        reject();
        break;
    default:
        riprendi();
        break;
    }
}

void frmSMS::salvaInArchivio(const QString& validita)
{
    hide();
    if (ArchiviaSMS(TestoSMS(txtMess->toPlainText()), txtNum->text(), validita,
                    chkRicevuta->isChecked(), dcs(), 1, StatoNonInviato)) {
        MsgBox(Msg(396), QMessageBox::NoIcon);
        accept();
        return;
    }
    MsgBox(Msg(397), QMessageBox::Critical,
           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    riprendi();
}

void frmSMS::riprendi()
{
    show();
    activateWindow();
    txtMess->setFocus();
}

void frmSMS::InviaLD(int lista, bool rapportoStato, const QString& dcs, const QString& validita)
{
    // With no list chosen there is nobody to send to.
    if (lista < 0 || lista >= ListeDistribuzione.size())
        return;
    const ListaDistribuzione& scelta = ListeDistribuzione.at(lista);
    const QString nomeLista = TagliaSpazi(scelta.Nome);
    QString domanda = Msg(398) + QStringLiteral(" [") + nomeLista + QStringLiteral("] ?\n\n");
    for (const VoceFile& membro : scelta.Membri)
        domanda += TagliaSpazi(membro.Nome) + QStringLiteral("\n");
    if (MsgBox(domanda, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, Msg(399), this)
        != QMessageBox::Yes)
        return;
    const QList<VoceFile> membri = scelta.Membri;
    int inviati = 0;
    for (int j = 0; j < membri.size(); ++j) {
        if (!inviaAMembro(j + 1, membri[j], validita, rapportoStato, dcs, inviati)) {
            MsgBox(Msg(404) + QString::number(inviati) + Msg(405) + QString::number(membri.size()),
                   QMessageBox::Information, QMessageBox::Ok,
                   Msg(399) + QStringLiteral(" [") + nomeLista + QStringLiteral("] ") + Msg(406),
                   this);
            return;
        }
    }
    MsgBox(Msg(404) + QString::number(inviati) + Msg(405) + QString::number(membri.size()),
           QMessageBox::Information, QMessageBox::Ok,
           Msg(399) + QStringLiteral(" [") + nomeLista + u']', this);
    accept();
}

bool frmSMS::inviaAMembro(int numero, const VoceFile& membro, const QString& validita,
                          bool rapportoStato, const QString& dcs, int& inviati)
{
    const QString nome = TagliaSpazi(membro.Nome);
    const QString destinatario = TagliaSpazi(membro.Numero);
    const QString chi
        = QStringLiteral(" #") + QString::number(numero) + QStringLiteral(" [") + nome + u']';
    for (;;) {
        // A number that cannot be dialled would reach somebody else: it fails unsent.
        if (ValidaNumero(destinatario)
            && InviaSMSPDU(TestoSMS(txtMess->toPlainText()), destinatario, validita, rapportoStato,
                           dcs, Msg(VoceInvioSMS) + chi)) {
            ++inviati;
            return true;
        }
        // A phone that did not answer, or a link gone, ends the run: a retry, and the next
        // member, would only wait in vain or fail at once.
        if (TelefonoIrraggiungibile())
            return false;
        const QString guasto = Msg(400) + chi + QStringLiteral("\n") + Msg(401)
                               + QStringLiteral("\n") + Msg(402) + QStringLiteral("\n") + Msg(403);
        switch (MsgBox(guasto, QMessageBox::Critical,
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                       Msg(399) + QStringLiteral(" - ") + Msg(VoceErrore), this)) {
        case QMessageBox::Yes:
            continue;
        case QMessageBox::No:
            riprendi();
            return true;
        default:
            return false;
        }
    }
}
