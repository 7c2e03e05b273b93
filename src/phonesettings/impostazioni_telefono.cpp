// The phone settings subsystem in the main window: the operator services, the clock pane and the
// network selection pane. The locks and forwarding views live in their own files.

#include "impostazioni_telefono.h"

#include "catalogo.h"
#include "codici.h"
#include "frmmain.h"
#include "globali.h"
#include "immagini.h"
#include "interazione.h"
#include "listareport.h"
#include "operatori.h"
#include "orologio.h"
#include "reti.h"
#include "rifiuti.h"
#include "scambio.h"
#include "vista.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

constexpr int PosSelRete = 43;
constexpr int VoceImpossibileImpostare = 80;
constexpr int VoceDataOraNonValide = 81;
constexpr int VoceNessunaRete = 794;
constexpr int VoceRicercaRifiutata = 870;

} // namespace

ImpostazioniTelefono::ImpostazioniTelefono(frmMain& finestra) : f(finestra)
{
    connect(f.pImpostaOra, &QPushButton::clicked, this, &ImpostazioniTelefono::pImpostaOra_Click);
    connect(f.pSincrOra, &QPushButton::clicked, this, &ImpostazioniTelefono::pSincrOra_Click);
    // Only an edit makes the phone fields worth setting. An empty field is a part of the phone's
    // clock that is not known.
    for (QLineEdit* campo : {f.txtGG, f.txtMM, f.txtAA, f.txtH, f.txtM}) {
        connect(campo, &QLineEdit::textChanged, this, [this] { f.pImpostaOra->setEnabled(true); });
        campo->setPlaceholderText(QStringLiteral("?"));
    }
}

bool ImpostazioniTelefono::CaricaFileOperatori(const QString& percorso)
{
    FileRifiutato rifiuto;
    const bool letto = ::CaricaFileOperatori(percorso, &rifiuto);
    SegnalaFileRifiutato(rifiuto);
    return letto;
}

QString ImpostazioniTelefono::NomeOperatore(const QString& codice)
{
    return ::NomeOperatore(codice);
}

uint8_t ImpostazioniTelefono::LivelloSegnale(int16_t dBm)
{
    return ::LivelloSegnale(dBm);
}

void ImpostazioniTelefono::LeggiOperatori()
{
    ::LeggiOperatori();
}

void ImpostazioniTelefono::DecodificaLunghezzeCodici(const QString& risposta)
{
    ::DecodificaLunghezzeCodici(risposta);
}

QString ImpostazioniTelefono::SiNo(bool attivo)
{
    return Msg(attivo ? 328 : 329);
}

QString ImpostazioniTelefono::StatoMostrato(uint8_t stato)
{
    return stato <= 1 ? SiNo(stato == 1) : Msg(VoceSconosciuto);
}

QAction* ImpostazioniTelefono::pulsante(int posizione) const
{
    return f.Toolbar1[static_cast<size_t>(posizione)];
}

void ImpostazioniTelefono::ShowDataOra()
{
    Vista vista(QStringLiteral("ORA"), 9, {"pAggiorna"});
    vista.riquadro = f.frameOra;
    vista.letta = [] { return Telefono.OraLetta; };
    // The clock runs on: it is read at every showing.
    vista.leggeSempre = true;
    vista.leggi = [] { LeggiDataOra().Avvisa(); };
    vista.riempi = [this] {
        riempiCampiOra();
        f.pImpostaOra->setEnabled(false);
    };
    ApriVista(f, vista);
}

void ImpostazioniTelefono::riempiCampiOra()
{
    const QString& data = Telefono.DataTel;
    const QString& ora = Telefono.OraTel;
    f.txtGG->setText(FormatoDueCifre(data.mid(0, 2)));
    f.txtMM->setText(FormatoDueCifre(data.mid(3, 2)));
    f.txtAA->setText(FormatoDueCifre(data.right(2)));
    f.txtH->setText(FormatoDueCifre(ora.mid(0, 2)));
    f.txtM->setText(FormatoDueCifre(ora.mid(3, 2)));
}

void ImpostazioniTelefono::pImpostaOra_Click()
{
    if (!LineaLibera)
        return;
    const bool validi = ControllaNum(f.txtGG->text(), 1, 31) && ControllaNum(f.txtMM->text(), 1, 12)
                        && ControllaNum(f.txtAA->text(), 0, 99)
                        && ControllaNum(f.txtH->text(), 0, 23)
                        && ControllaNum(f.txtM->text(), 0, 59);
    if (!validi) {
        MsgBox(Msg(VoceDataOraNonValide), QMessageBox::Critical, QMessageBox::Ok, Msg(VoceErrore));
        return;
    }
    // The view shown next reads the clock again, and tells what it did not get.
    LettureRifiutate rilettura;
    if (!ImpostaDataOra(f.txtGG->text(), f.txtMM->text(), f.txtAA->text(), f.txtH->text(),
                        f.txtM->text(), QStringLiteral("00"), rilettura))
        MsgBox(Msg(VoceImpossibileImpostare), QMessageBox::Critical, QMessageBox::Ok,
               Msg(VoceErrore));
    ShowDataOra();
}

void ImpostazioniTelefono::pSincrOra_Click()
{
    if (!LineaLibera)
        return;
    LettureRifiutate rilettura;
    if (!ImpostaDataOra(f.txtGGpc->text(), f.txtMMpc->text(), f.txtAApc->text(), f.txtHpc->text(),
                        f.txtMpc->text(), QStringLiteral("00"), rilettura))
        MsgBox(Msg(VoceImpossibileImpostare), QMessageBox::Critical, QMessageBox::Ok,
               Msg(VoceErrore));
    // The fields keep the clock read before, unless that is no longer the phone's.
    if (!rilettura.Nessuna()) {
        riempiCampiOra();
        f.pImpostaOra->setEnabled(false);
        rilettura.Avvisa();
    }
}

void ImpostazioniTelefono::ShowSelRete(uint8_t apri)
{
    if (apri == 0 || !Connesso) {
        f.CurrentView = 0;
        f.frameReti->setVisible(false);
        pulsante(PosSelRete)->setChecked(false);
        f.Form_Resize();
        return;
    }
    f.CurrentView = 13;
    f.listaReti->clear();
    f.listaRetiDisp->clear();
    f.frameReti->setVisible(true);
    f.Form_Resize();
    if (!LineaLibera)
        return;
    if (!Telefono.OperatoriLetti)
        ::LeggiOperatori();
    for (const Operatore& op : Telefono.Operatori)
        f.listaReti->addItem(op.Codice + QStringLiteral(" - ") + op.Nome);
    std::vector<Operatore> reti;
    std::vector<uint8_t> stati;
    const EsitoAT esito = CercaReti(reti, stati);
    // A refused search would otherwise look like one that found nothing.
    if (esito == EsitoAT::Errore)
        AvvisaRifiuto(VoceRicercaRifiutata);
    if (TelefonoMuto())
        f.listaRetiDisp->addItem(Msg(82));
    for (size_t i = 0; i < reti.size(); ++i) {
        const int immagine = ImmagineRete(stati[i]);
        if (immagine == 0)
            continue;
        auto* riga = new QListWidgetItem(reti[i].Codice + QStringLiteral(" - ") + reti[i].Nome,
                                         f.listaRetiDisp);
        riga->setIcon(ImmagineLista(immagine));
        riga->setData(Qt::UserRole, immagine);
    }
    // An empty pane after a search the phone answered would look like one still to come.
    if (esito == EsitoAT::Ok && f.listaRetiDisp->count() == 0)
        MsgBox(Msg(VoceNessunaRete), QMessageBox::Information);
}
