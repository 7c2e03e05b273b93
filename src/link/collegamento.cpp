#include "collegamento.h"

#include "attesa.h"
#include "campirisposta.h"
#include "catalogo.h"
#include "frmmain.h"
#include "globali.h"
#include "immagini.h"
#include "impostazioni.h"
#include "interazione.h"
#include "letture.h"
#include "listareport.h"
#include "scambio.h"
#include "setcaratteri.h"
#include "tempi.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTreeWidget>

#include <array>

namespace {

constexpr int VoceErrore = 27;
constexpr int VoceTelefono = 33;
constexpr int VoceNuovoSMS = 74;
constexpr int VoceMostrare = 75;
constexpr int VoceNotificaSMS = 76;
constexpr int VoceImpossibileConnettere = 77;
constexpr int VoceErroreSconosciuto = 78;
constexpr int VoceDisconnesso = 79;
constexpr int VoceConnessoA = 88;
constexpr int VoceConnetti = 89;
constexpr int VoceDisconnetti = 90;
constexpr int VoceTelefonoNonRisponde = 101;
constexpr int VoceSMSInAltraMemoria = 806;
constexpr int VoceSMSInPosizioneNonElencata = 910;
constexpr int VoceConnessionePersa = 841;
// Between the error and its cause: French puts a space before the colon.
constexpr int VoceDuePunti = 911;
constexpr int VoceSenzaValore = 873;
constexpr int VoceSetIgnoto = 883;
constexpr int VoceModoTesto = 920;
constexpr int ImmagineConnetti = 30;
constexpr int ImmagineDisconnetti = 31;
const QString AccapoTesto = QStringLiteral("\r\n");

struct ErroreNoto {
    int codice;
    const char* testo;
};

// The texts of the serial errors are fixed Italian texts in every language.
constexpr std::array<ErroreNoto, 9> ErroriNoti{{
    {1001, "Ricevuta interruzione"},
    {1002, "Timeout CTS"},
    {1003, "Timeout DSR"},
    {1004, "Errore di frame"},
    {1006, "Errore di overrun"},
    {1007, "Timeout Carrier Detect"},
    {1008, "Overflow del buffer di ricezione"},
    {1009, "Errore di parit\u00e0"},
    {1011, "Errore durante il recupero di DCB"},
}};

bool RispostaOK(const QString& risposta)
{
    return risposta.mid(2, 2) == QLatin1String("OK");
}

// A refusal of the kind a phone gives for a command it does not have.
bool RifiutoSemplice(EsitoAT esito)
{
    return esito == EsitoAT::Errore && UltimoRifiuto() == QLatin1String("ERROR");
}

struct ModoTenuto {
    QString risposta;
    EsitoAT esito;
};

// Switches a mode of the phone to the program's; one that will not is asked which it keeps. None
// when the phone switched, or when it refused the question as plainly as the switch, as a phone
// without the command does: it speaks as the phones the program was first written for.
std::optional<ModoTenuto> ImpostaModo(const QString& impostazione, const QString& domanda)
{
    EsitoAT esito = EsitoAT::Ok;
    InviaComandoAT(impostazione, &esito);
    if (esito == EsitoAT::Ok)
        return std::nullopt;
    const bool senzaComando = RifiutoSemplice(esito);
    ModoTenuto tenuto{InviaComandoAT(domanda, &esito), esito};
    if (senzaComando && RifiutoSemplice(esito))
        return std::nullopt;
    return tenuto;
}

// Names travel in the GSM alphabet once the phone takes the switch; one that refuses is asked
// which set it speaks. Sets SetTelefono. When the program cannot use that set, the set as the
// user is to read it: the name the phone gave, or why it gave none; nothing when the program
// can, or when the phone did not answer at all (the link's own message says so).
std::optional<QString> ImpostaSetCaratteri()
{
    SetTelefono = SetCaratteri::GSM;
    const std::optional<ModoTenuto> tenuto
        = ImpostaModo(QStringLiteral("AT+CSCS=\"GSM\""), QStringLiteral("AT+CSCS?"));
    if (!tenuto)
        return std::nullopt;
    QString nome;
    SetTelefono = tenuto->esito == EsitoAT::Ok ? SetDaRisposta(tenuto->risposta, &nome)
                                               : SetCaratteri::Ignoto;
    if (SetTelefono != SetCaratteri::Ignoto || !RispostaDelTelefono(tenuto->esito))
        return std::nullopt;
    if (!nome.isEmpty())
        return QLatin1Char('"') + nome + QLatin1Char('"');
    const QString motivo = tenuto->esito == EsitoAT::Errore ? MotivoRifiuto(UltimaRigaRifiuto())
                                                            : Msg(VoceSenzaValore);
    return Msg(VoceSconosciuto) + QStringLiteral(" (") + motivo + QLatin1Char(')');
}

// Messages travel as PDUs, the only form the program reads and writes. True when the phone keeps
// another mode, or will not say which, for the user to be told and for no PDU to go to it; not
// when the link failed.
bool ModoTestoTenuto()
{
    const std::optional<ModoTenuto> tenuto
        = ImpostaModo(QStringLiteral("AT+CMGF=0"), QStringLiteral("AT+CMGF?"));
    if (!tenuto || !RispostaDelTelefono(tenuto->esito))
        return false;
    const QStringList campi = CampiRisposta(tenuto->risposta);
    return tenuto->esito != EsitoAT::Ok || campi.isEmpty() || !InteroTra(campi.first(), 0, 0);
}

void Abilita(std::initializer_list<QAction*> voci, bool abilita)
{
    for (QAction* voce : voci)
        voce->setEnabled(abilita);
}

QString DueCifre(int numero)
{
    return QStringLiteral("%1").arg(numero, 2, 10, QLatin1Char('0'));
}

} // namespace

QString TestoErroreComunicazione(int codice)
{
    for (const ErroreNoto& errore : ErroriNoti) {
        if (errore.codice == codice)
            return QString::fromUtf8(errore.testo);
    }
    if (codice == MSComm::LineaCaduta)
        return Msg(VoceConnessionePersa);
    return Msg(codice == MSComm::ErroreTrasmissione ? VoceImpossibileConnettere
                                                    : VoceErroreSconosciuto);
}

Collegamento::Collegamento(frmMain& finestra) : f(finestra)
{
    RegistraPortaAT(&MSComm1);
    connect(&MSComm1, &MSComm::DatiRicevuti, this, &Collegamento::MSComm1_Ricezione);
    connect(&MSComm1, &MSComm::ErroreComunicazione, this, &Collegamento::MSComm1_Errore);
    TimerEcho.setSingleShot(true);
    TimerGetT.setSingleShot(true);
    connect(&TimerEcho, &QTimer::timeout, this, &Collegamento::TimerEcho_Timer);
    connect(&TimerGetT, &QTimer::timeout, this, &Collegamento::TimerGetT_Timer);
    connect(&TimerOUT, &QTimer::timeout, this, &Collegamento::TimerOUT_Timer);
    connect(&Timer1, &QTimer::timeout, this, &Collegamento::Timer1_Timer);
    connect(&TimerLed, &QTimer::timeout, this, &Collegamento::TimerLed_Timer);
    TimerLed.start(TempiLink.luceMs);
}

Collegamento::~Collegamento()
{
    RegistraPortaAT(nullptr);
}

void Collegamento::Inizializza()
{
    // The stored port applies only when it is a valid number; the port stays closed.
    const auto testo = LeggiImpostazione(QStringLiteral("Config"), QStringLiteral("Porta"));
    if (!testo)
        return;
    if (const auto numero = NumeroImpostazione(*testo)) {
        QString errore;
        MSComm1.SetCommPort(static_cast<int>(*numero), errore);
    }
}

bool Collegamento::ImpostaCommPort(int porta, QString& errore)
{
    return MSComm1.SetCommPort(porta, errore);
}

void Collegamento::ChiudiPorta()
{
    fermaHandshake();
    MSComm1.Close();
}

void Collegamento::Connetti()
{
    f.HideButtons();
    if (MSComm1.PortOpen()) {
        MSComm1.Close();
    } else {
        QString errore;
        if (!MSComm1.Apri(errore))
            MsgBox(errore, QMessageBox::Warning);
    }
    if (!MSComm1.PortOpen()) {
        fermaHandshake();
        return;
    }
    // The phone is not connected until it answers on this opening of the port, and the set its
    // names come in and the mode of its messages are not known until the handshake asks.
    Connesso = false;
    SetTelefono = SetCaratteri::Ignoto;
    TelefonoInModoTesto = false;
    abilitaMenuPrincipali(false);
    f.Toolbar1[2]->setEnabled(false);
    f.S25Tree->setEnabled(false);
    {
        const QSignalBlocker blocco(f.S25Tree);
        f.S25Tree->setCurrentItem(f.S25Tree->topLevelItem(0));
    }
    f.CurrentView = 0;
    f.VistaMostrata.clear();
    f.Form_Resize();
    f.List1->clear();
    f.List1->setHeaderHidden(true);
    cancellaLetture();
    TimerEcho.start(TempiLink.ecoMs);
    Timer1.stop();
    Tentativi = 0;
    TimerOUT.start(TempiLink.timeoutMs);
}

void Collegamento::cancellaLetture()
{
    Telefono.InfoLetta = Telefono.AlimLetta = Telefono.ReteLetta = false;
    cancellaLettureNomi();
    Telefono.PromLetti = Telefono.SMSCLetto = Telefono.SMSLetti = false;
    Telefono.LogoLetto = Telefono.MidiLetta = false;
    Telefono.OraLetta = Telefono.BlocchiLetti = Telefono.TrasfLetti = false;
    for (auto& facilita : Telefono.Blocchi)
        facilita[0] = 0;
}

void Collegamento::cancellaLettureNomi()
{
    // Phonebooks loaded from the default file at start-up stay marked read.
    if (Opzioni.AutoLoadRub == 0)
        Telefono.RubLetta.fill(false);
    Telefono.ListeLette.fill(false);
}

void Collegamento::abilitaMenuPrincipali(bool abilita)
{
    Abilita({f.mnuTel, f.mnuRub, f.mnuSMS, f.mnuCal, f.mnuList, f.mnuLogo, f.mnuMel, f.mnuOpzioni,
             f.mnuHelp},
            abilita);
}

void Collegamento::fermaHandshake()
{
    TimerEcho.stop();
    TimerGetT.stop();
    TimerOUT.stop();
    identitaInSospeso = false;
}

void Collegamento::TimerEcho_Timer()
{
    if (!MSComm1.PortOpen())
        return;
    // Straight to the port: no reply is awaited, the first data received is what counts.
    MSComm1.Output(QStringLiteral("ATE0\r"));
    LineaLibera = true;
    QAction* pConnetti = f.Toolbar1[2];
    pConnetti->setEnabled(true);
    pConnetti->setIcon(ImmagineBarra(ImmagineDisconnetti));
    conImmagineDisconnetti = true;
    SeTesto(VoceDisconnetti, [pConnetti](const QString& t) { pConnetti->setToolTip(t); });
    abilitaMenuPrincipali(true);
    TimerGetT.start(TempiLink.identitaMs);
    Timer1.start(TempiLink.statoMs);
}

void Collegamento::TimerGetT_Timer()
{
    // A phone that has not answered yet gets this step when it first does.
    if (!Connesso) {
        identitaInSospeso = true;
        return;
    }
    // A command the user started meanwhile goes first.
    if (!LineaLibera || ScambioInCorso()) {
        TimerGetT.start(TempiLink.identitaMs);
        return;
    }
    passoIdentita();
}

void Collegamento::passoIdentita()
{
    identitaInSospeso = false;
    f.HideButtons();
    InviaComandoAT(QStringLiteral("ATQ0"));
    InviaComandoAT(QStringLiteral("ATV1"));
    // The modes the program speaks, which another program may have changed: messages as PDUs,
    // names in the GSM alphabet. A phone that refuses them is used all the same, its names in
    // the set it speaks; the user is told when its messages cannot be read as PDUs.
    TelefonoInModoTesto = ModoTestoTenuto();
    const std::optional<QString> setIgnoto = ImpostaSetCaratteri();
    // A view read since Connect, before the set was known, showed its names as unknown.
    if (SetTelefono != SetCaratteri::Ignoto)
        cancellaLettureNomi();
    const LettureRifiutate nonDati = mostraInfo();
    QTreeWidgetItem* radice = f.S25Tree->topLevelItem(0);
    if (radice) {
        {
            const QSignalBlocker blocco(f.S25Tree);
            f.S25Tree->setCurrentItem(radice);
        }
        // A manufacturer or model the phone did not give is empty, and names nothing.
        const QString nome = (Telefono.Produttore + QLatin1Char(' ') + Telefono.Modello).trimmed();
        radice->setText(0, nome.isEmpty() ? Msg(VoceTelefono) : nome);
    }
    ImpostaCLIP(true);
    ImpostaNotificaSMS(false);
    // Once the phone is set up: the user may take a while to read it.
    nonDati.Avvisa();
    if (TelefonoInModoTesto)
        MsgBox(Msg(VoceModoTesto), QMessageBox::Warning);
    if (setIgnoto)
        MsgBox(Msg(VoceSetIgnoto) + *setIgnoto, QMessageBox::Warning);
}

void Collegamento::TimerOUT_Timer()
{
    Incrementa(Tentativi);
    if (Tentativi <= TempiLink.tentativiMassimi || Connesso)
        return;
    fermaHandshake();
    Connesso = false;
    LineaLibera = false;
    MSComm1.Close();
    MsgBox(Msg(VoceTelefonoNonRisponde), QMessageBox::Critical);
}

void Collegamento::MSComm1_Ricezione(const QString& pezzo)
{
    if (!Connesso) {
        Connesso = true;
        TimerOUT.stop();
        if (identitaInSospeso) {
            // Not from inside the receive path: the step waits for replies of its own.
            QTimer::singleShot(0, this, [this] {
                if (identitaInSospeso && Connesso)
                    TimerGetT_Timer();
            });
        }
    }
    ConsegnaRicezione(pezzo);
    accodaIndicazioni(PrendiIndicazioniSMS(), PrendiAltreMemorieSMS());
    SegnalaRicezioneAttesa();
}

void Collegamento::MSComm1_Errore(int codice)
{
    Connesso = false;
    LineaLibera = false;
    fermaHandshake();
    RisvegliaAttesa();
    // At once, not at the next status tick: the box below may stay up longer than that.
    mostraDisconnesso();
    // Not over the wait window of the operation the error ended: once that is gone.
    AvvisaDopoOperazione(Msg(VoceErrore) + Msg(VoceDuePunti) + TestoErroreComunicazione(codice)
                             + AccapoTesto + Msg(VoceDisconnesso),
                         QMessageBox::NoIcon);
}

void Collegamento::Timer1_Timer()
{
    if (!MSComm1.PortOpen() && Connesso) {
        Connesso = false;
        RisvegliaAttesa();
    }
    if (Connesso)
        mostraConnesso();
    else
        mostraDisconnesso();
    scriviOraPC();
    rispondiIndicazioni();
}

void Collegamento::mostraConnesso()
{
    f.SBar[1]->setText(Msg(VoceConnessoA) + QString::number(MSComm1.CommPort()));
    TimerLed_Timer();
    f.mnuTConn->setEnabled(false);
    Abilita({f.mnuTDisc, f.mnuTAlim, f.mnuTRete, f.mnuTSpegni, f.mnuRubRic, f.mnuSMSRic, f.mnuCRic,
             f.mnuLRic, f.mnuRubVis, f.mnuSMSNew, f.mnuSMSVInfo, f.mnuSMSVM[0], f.mnuSMSVM[1],
             f.mnuSMSVM[2], f.mnuSMSNotifica, f.mnuCVisProm, f.mnuLVis, f.mnuLoRic, f.mnuMRic},
            true);
    f.S25Tree->setEnabled(true);
}

void Collegamento::mostraDisconnesso()
{
    f.SBar[1]->setText(Msg(VoceDisconnesso));
    for (QLabel* luce : f.LedLibero)
        luce->setVisible(false);
    QAction* pConnetti = f.Toolbar1[2];
    if (!pConnetti->isEnabled()) {
        pConnetti->setEnabled(true);
        SeTesto(VoceConnetti, [pConnetti](const QString& t) { pConnetti->setToolTip(t); });
    }
    if (conImmagineDisconnetti) {
        pConnetti->setIcon(ImmagineBarra(ImmagineConnetti));
        conImmagineDisconnetti = false;
    }
    abilitaMenuPrincipali(true);
    f.mnuTConn->setEnabled(true);
    Abilita({f.mnuTDisc, f.mnuTAlim, f.mnuTRete, f.mnuTSpegni, f.mnuRubRic, f.mnuSMSRic, f.mnuCRic,
             f.mnuLRic},
            false);
    f.S25Tree->setEnabled(true);
    for (QWidget* riquadro :
         {static_cast<QWidget*>(f.frameLogo), static_cast<QWidget*>(f.frameMidi),
          static_cast<QWidget*>(f.frameOra)})
        riquadro->setEnabled(false);
}

void Collegamento::scriviOraPC()
{
    const QDateTime adesso = QDateTime::currentDateTime();
    f.txtGGpc->setText(DueCifre(adesso.date().day()));
    f.txtMMpc->setText(DueCifre(adesso.date().month()));
    f.txtAApc->setText(DueCifre(adesso.date().year() % 100));
    f.txtHpc->setText(DueCifre(adesso.time().hour()));
    f.txtMpc->setText(DueCifre(adesso.time().minute()));
}

void Collegamento::TimerLed_Timer()
{
    // One light at a time: the free one while no command waits for its reply.
    if (!Connesso)
        return;
    f.LedLibero[0]->setVisible(LineaLibera);
    f.LedLibero[1]->setVisible(!LineaLibera);
}

bool Collegamento::ImpostaNotificaSMS(bool attiva)
{
    return RispostaOK(InviaComandoAT(attiva ? QStringLiteral("AT+CNMI=1,1,0,0,1")
                                            : QStringLiteral("AT+CNMI=0,0,0,0,1")));
}

bool Collegamento::ImpostaCLIP(bool attiva)
{
    return RispostaOK(
        InviaComandoAT(attiva ? QStringLiteral("AT+CLIP=1") : QStringLiteral("AT+CLIP=0")));
}

void Collegamento::LeggiCentroSMS()
{
    ::LeggiCentroSMS();
}

void Collegamento::accodaIndicazioni(const QList<int>& indici, const QStringList& memorie)
{
    for (const QString& memoria : memorie)
        accodaNonElencato(Msg(VoceSMSInAltraMemoria) + memoria);
    for (const int indice : indici) {
        // Position 0 is none; a message past the table is one the program cannot show.
        if (indice < 1)
            continue;
        if (indice > NumPosizioniSMS) {
            accodaNonElencato(Msg(VoceSMSInPosizioneNonElencata) + QString::number(indice));
            continue;
        }
        const auto posizione = static_cast<uint8_t>(indice);
        if (!indicazioni.contains(posizione))
            indicazioni.append(posizione);
    }
    if (!indicazioni.isEmpty() || !nonElencati.isEmpty())
        QTimer::singleShot(0, this, &Collegamento::rispondiIndicazioni);
}

void Collegamento::accodaNonElencato(const QString& avviso)
{
    if (!nonElencati.contains(avviso))
        nonElencati.append(avviso);
}

bool Collegamento::lineaDisponibile() const
{
    return Connesso && LineaLibera && !ScambioInCorso() && !FinestraAttesa() && DialogoAperto == 0
           && !QApplication::activeModalWidget() && f.isEnabled() && !rispondendo;
}

void Collegamento::rispondiIndicazioni()
{
    avvisaNonElencati();
    while (!indicazioni.isEmpty() && lineaDisponibile()) {
        uint8_t posizione = indicazioni.takeFirst();
        rispondendo = true;
        const auto risposta
            = MsgBox(Msg(VoceNuovoSMS) + AccapoTesto + Msg(VoceMostrare), QMessageBox::Question,
                     QMessageBox::Yes | QMessageBox::No, Msg(VoceNotificaSMS));
        if (risposta == QMessageBox::Yes) {
            if (Telefono.SMSLetti)
                f.messaggi->LeggiSMS(posizione);
            else
                f.messaggi->LeggiTuttiSMS();
            uint8_t ricevuti = 0;
            f.messaggi->ShowSMS(ricevuti);
            f.messaggi->ShowSMSTxt(posizione);
        }
        rispondendo = false;
    }
}

void Collegamento::avvisaNonElencati()
{
    while (!nonElencati.isEmpty() && lineaDisponibile()) {
        const QString avviso = nonElencati.takeFirst();
        rispondendo = true;
        MsgBox(avviso, QMessageBox::Information, QMessageBox::Ok, Msg(VoceNotificaSMS));
        rispondendo = false;
    }
}
