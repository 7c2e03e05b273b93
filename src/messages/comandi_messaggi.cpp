// The main window's commands on the selected message: delete, save to the archive or the SIM,
// send from the SIM, print.

#include "archivio.h"
#include "cartelle.h"
#include "catalogo.h"
#include "frmmain.h"
#include "frmsms.h"
#include "globali.h"
#include "interazione.h"
#include "invio.h"
#include "letturasms.h"
#include "listareport.h"
#include "messaggi.h"
#include "ricerche.h"
#include "rubrica.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

namespace {

const QString DueAccapo = QStringLiteral("\n\n");

bool Conferma(const QString& testo, int voceTitolo)
{
    return MsgBox(testo, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, Msg(voceTitolo))
           == QMessageBox::Yes;
}

// A question about one message: its first line, the text, its last line.
QString DomandaSuMessaggio(int voceInizio, const MessaggioSMS& messaggio, const QString& fine)
{
    return Msg(voceInizio) + DueAccapo + messaggio.Testo + DueAccapo + fine;
}

} // namespace

MessaggioSMS* Messaggi::messaggioScelto(uint8_t& cartella, uint8_t& posizione) const
{
    cartella = CartellaDaChiave(f.ChiaveSelezionata());
    const QTreeWidgetItem* riga = f.List1->SelectedItem();
    if (f.CurrentView != 2 || !riga)
        return nullptr;
    bool numero = false;
    const int valore = riga->text(0).toInt(&numero);
    MessaggioSMS* messaggio = numero ? MessaggioIn(cartella, valore) : nullptr;
    if (messaggio)
        posizione = static_cast<uint8_t>(valore);
    return messaggio;
}

void Messaggi::InviaSMS(bool numeroDaElenco, bool modoArchivio)
{
    mostrandoModifiche([&] {
        const bool archivio
            = (f.ChiaveSelezionata() == ChiaveCartella(Archivio) && modoArchivio) || !Connesso;
        frmSMS dialogo(f);
        dialogo.Carica();
        dialogo.setWindowTitle(Msg(archivio ? 248 : 249));
        dialogo.Modo = archivio ? QStringLiteral("1") : QStringLiteral("0");
        dialogo.pInvia->setEnabled(!archivio);
        if (const VoceRubrica* voce = VoceDellaRiga(f.List1->SelectedItem());
            numeroDaElenco && voce)
            dialogo.txtNum->setText(voce->Numero);
        dialogo.MostraEAttendi(dialogo.txtNum);
    });
}

void Messaggi::RispondiSMS()
{
    uint8_t cartella = Ricevuti;
    uint8_t posizione = 0;
    const MessaggioSMS* messaggio = messaggioScelto(cartella, posizione);
    if (!messaggio || cartella == Archivio)
        return;
    mostrandoModifiche([&] {
        frmSMS dialogo(f);
        dialogo.Carica();
        dialogo.txtNum->setText(messaggio->Numero);
        dialogo.ImpostaTesto(messaggio->Testo);
        // The recipient of a reply is the sender.
        dialogo.txtNum->setEnabled(false);
        dialogo.cmbRub->setVisible(false);
        dialogo.setWindowTitle(Msg(250));
        dialogo.Modo = QStringLiteral("1");
        dialogo.MostraEAttendi(dialogo.txtMess);
    });
}

void Messaggi::EditSMS()
{
    uint8_t cartella = Ricevuti;
    uint8_t posizione = 0;
    const MessaggioSMS* messaggio = messaggioScelto(cartella, posizione);
    if (!messaggio)
        return;
    mostrandoModifiche([&] {
        frmSMS dialogo(f);
        dialogo.Carica();
        if (cartella != Ricevuti) {
            dialogo.txtNum->setText(messaggio->Numero);
            dialogo.ImpostaTesto(messaggio->Testo);
            dialogo.pInvia->setEnabled(cartella != Archivio && Connesso);
        }
        dialogo.setWindowTitle(Msg(301));
        dialogo.Modo = f.List1->SelectedItem()->text(0);
        dialogo.MostraEAttendi(dialogo.txtMess);
    });
}

void Messaggi::DelSMS()
{
    uint8_t cartella = Ricevuti;
    uint8_t posizione = 0;
    MessaggioSMS* messaggio = messaggioScelto(cartella, posizione);
    if (!messaggio)
        return;
    if (cartella == Archivio) {
        if (Conferma(DomandaSuMessaggio(110, *messaggio, Msg(111)), 109)
            && !CancellaSMSArchivio(posizione))
            MsgBox(Msg(113), QMessageBox::Critical);
    } else if (Conferma(DomandaSuMessaggio(110, *messaggio, Msg(112)), 109)) {
        if (CancellaSMSTelefono(posizione)) {
            MsgBox(Msg(114), QMessageBox::Information);
            SvuotaPosizione(*messaggio);
        } else {
            MsgBox(Msg(113), QMessageBox::Critical);
        }
    }
    ShowSMS(cartella);
}

void Messaggi::SalvaSMS()
{
    uint8_t cartella = Ricevuti;
    uint8_t posizione = 0;
    const MessaggioSMS* messaggio = messaggioScelto(cartella, posizione);
    if (!messaggio)
        return;
    mostrandoModifiche([&] {
        if (cartella != Archivio) {
            salvaInArchivio(*messaggio);
        } else {
            salvaNellaSIM(*messaggio);
            f.Aggiorna();
        }
    });
}

void Messaggi::salvaInArchivio(const MessaggioSMS& messaggio)
{
    if (Conferma(DomandaSuMessaggio(269, messaggio, Msg(275)), 271)
        && !AggiungiSMSArchivio(messaggio.PDU, messaggio.Tipo, messaggio.Stato))
        MsgBox(Msg(273), QMessageBox::Critical);
}

void Messaggi::salvaNellaSIM(const MessaggioSMS& messaggio)
{
    if (!Conferma(DomandaSuMessaggio(269, messaggio, Msg(270)), 271))
        return;
    if (ScriviSMSPDU(messaggio.PDU, messaggio.Stato))
        MsgBox(Msg(272) + IndiceSMS, QMessageBox::Information);
    else
        MsgBox(Msg(273), QMessageBox::Critical);
}

void Messaggi::InviaSMSdaTel()
{
    uint8_t cartella = Ricevuti;
    uint8_t posizione = 0;
    MessaggioSMS* messaggio = messaggioScelto(cartella, posizione);
    // Only a message kept in the SIM can be sent from it.
    if (!messaggio || cartella == Archivio)
        return;
    const QString destinatario
        = Msg(277) + CercaNomeDaNumero(messaggio->Numero) + QStringLiteral(" ?");
    if (!Conferma(DomandaSuMessaggio(276, *messaggio, destinatario), 278))
        return;
    if (!InviaSMSMemorizzato(posizione, Msg(279))) {
        MsgBox(Msg(281), QMessageBox::Critical);
        return;
    }
    MsgBox(Msg(280), QMessageBox::Information);
    messaggio->Stato = StatoInviato;
    // Marked sent by storing it again with that status; the copy in the table is what is
    // stored, so a failed store after the delete is reported rather than passed over in silence.
    const QString pdu = messaggio->PDU;
    if (!CancellaSMSTelefono(posizione))
        MsgBoxFallimento(Msg(27), QMessageBox::Information);
    else if (!ScriviSMSPDU(pdu, StatoInviato))
        MsgBox(Msg(273), QMessageBox::Critical);
    f.Aggiorna();
}

void Messaggi::StampaSMS()
{
    QPrinter stampante;
    if (!interazione().Stampa(&f, stampante))
        return;
    const QTextCursor selezione = f.txtSMS->textCursor();
    if (!selezione.hasSelection()) {
        f.txtSMS->print(&stampante);
        return;
    }
    QTextDocument documento;
    QTextCursor(&documento).insertFragment(selezione.selection());
    documento.print(&stampante);
}
