// The message views of the main window: the summary, the folder list and the reader pane.

#include "archivio.h"
#include "cartelle.h"
#include "catalogo.h"
#include "finestre.h"
#include "frmmain.h"
#include "globali.h"
#include "interazione.h"
#include "letturasms.h"
#include "letture.h"
#include "listareport.h"
#include "messaggi.h"
#include "ricerche.h"
#include "scambiorubrica.h"
#include "validita.h"
#include "vista.h"

#include "immagini.h"

#include <QAction>
#include <QLabel>
#include <QTextCursor>
#include <QTextEdit>

namespace {

constexpr uint8_t VistaCartella = 2;
constexpr uint8_t VistaRiepilogo = 3;
constexpr int ImmagineMessaggio = 17;
constexpr int ImmagineCartella = 2;
constexpr int ImmagineNonDisponibile = 27;
constexpr int VoceNonDisponibile = 82;

constexpr uint8_t Nero = 0;
constexpr uint8_t BluScuro = 1;
constexpr uint8_t Blu = 9;
const QString FontTesta = QStringLiteral("Times New Roman");
const QString FontTesto = QStringLiteral("Courier");
const QString Accapo = QStringLiteral("\r\n");

// A row's text: the position with at least two digits.
QString TestoPosizione(int posizione)
{
    return QString::number(posizione).rightJustified(2, u'0');
}

// Captions of columns 3 and 4 by folder.
std::pair<int, int> VociColonne(uint8_t cartella)
{
    switch (cartella) {
    case Ricevuti:
        return {230, 231};
    case Archivio:
        return {232, 233};
    default:
        return {234, 235};
    }
}

void Applica(QAction* voce, const StatoVoce& stato)
{
    voce->setVisible(stato.visibile);
    voce->setEnabled(stato.attiva);
}

} // namespace

void Messaggi::ShowSMSInfo()
{
    Vista vista(QStringLiteral("SMS"), VistaRiepilogo, {"pAggiorna"});
    // Offline the counts of the table stand; a phone that left them unanswered gave none.
    vista.letta = [] { return Telefono.SMSCLetto && (!Connesso || Telefono.SMSLetti); };
    vista.leggi = [] {
        if (!Telefono.SMSCLetto)
            LeggiCentroSMS();
        if (!Telefono.SMSLetti && LineaLibera)
            ::LeggiTuttiSMS();
    };
    vista.prepara = [this] { LayoutChiaveValore(*f.List1); };
    vista.riempi = [this] {
        // An empty centre is one the phone did not give, or has not set.
        const QString centro = Telefono.SMSC.isEmpty() ? Msg(VoceSconosciuto) : Telefono.SMSC;
        f.List1->Aggiungi(Msg(223), {centro}, ImmagineMessaggio);
        f.List1->Aggiungi(Msg(224), {QString::number(ContaSMS[0] + ContaSMS[1])}, ImmagineCartella);
        f.List1->Aggiungi(Msg(225), {QString::number(ContaSMS[3])}, ImmagineCartella);
        f.List1->Aggiungi(Msg(226), {QString::number(ContaSMS[2])}, ImmagineCartella);
        f.List1->Aggiungi(Msg(227), {QString::number(NumArchivio)}, ImmagineCartella);
        for (size_t i = 0; i < 3; ++i)
            f.mnuSMSVM[i]->setEnabled(true);
    };
    ApriVista(f, vista);
}

void Messaggi::ShowSMS(uint8_t& cartella)
{
    const uint8_t c = cartella;
    Vista vista(ChiaveCartella(c), VistaCartella,
                {"pAggiorna", "pNuovoSMS", "pSalvaSMS", "pEditSMS", "pEliminaSMS", "pStampaSMS"});
    vista.letta = [c] { return c == Archivio || Telefono.SMSLetti; };
    vista.leggi = [] { ::LeggiTuttiSMS(); };
    vista.prepara = [this, c] { preparaCartella(c); };
    vista.nonDisponibile = [this] {
        f.List1->Aggiungi(QString(), {Msg(VoceNonDisponibile), QString(), QString(), QString()},
                          ImmagineNonDisponibile);
    };
    vista.riempi = [this, c] { riempiCartella(c); };
    ApriVista(f, vista);
}

void Messaggi::preparaCartella(uint8_t cartella)
{
    f.Pulsante(QStringLiteral("pInviaSMS2"))->setEnabled(false);
    const auto [mittente, data] = VociColonne(cartella);
    f.List1->SetSorted(false);
    f.List1->ImpostaColonne({{Msg(228), 250, QString()},
                             {Msg(229), 1300, QString()},
                             {Msg(mittente), 1100, QString()},
                             {Msg(data), 1100, QStringLiteral("D")},
                             {QString(), 0, QStringLiteral("T")}});
    f.List1->setColumnHidden(4, true);
    f.List1->setHeaderHidden(false);
    f.List1->setSelectionBehavior(QAbstractItemView::SelectRows);
    f.txtSMS->clear();
    f.txtSMS->setVisible(true);
}

void Messaggi::riempiCartella(uint8_t cartella)
{
    if (cartella != Archivio && Connesso)
        offriRubrica();
    if (cartella == Archivio && !ArchivioLetto)
        CaricaArchivioSMS();
    aggiungiRigheCartella(cartella);

    const int righe = f.List1->topLevelItemCount();
    f.List1->SetSortKey(f.ListSortKey);
    f.List1->SetSorted(true);
    applicaComandi(cartella, righe > 0);
    if (righe > 0) {
        QTreeWidgetItem* prima = f.List1->topLevelItem(0);
        f.List1->setCurrentItem(prima);
        auto posizione = static_cast<uint8_t>(prima->text(0).toInt());
        ShowSMSTxt(posizione);
    }
    f.SBar[3]->setText(QString::number(righe) + Msg(239));
    f.List1->setFocus();
}

void Messaggi::aggiungiRigheCartella(uint8_t cartella)
{
    if (cartella > Archivio)
        return;
    for (const int posizione : PosizioniCartella(cartella)) {
        const MessaggioSMS& messaggio = *MessaggioIn(cartella, posizione);
        f.List1->Aggiungi(
            TestoPosizione(posizione),
            {messaggio.Testo.left(LunghezzaTestoSMS(messaggio.Testo, messaggio.LunghezzaDati)),
             CercaNomeDaNumero(messaggio.Numero), FormattaDataSMS(messaggio.DataOra),
             AccorciaDataOra(messaggio.DataOra)},
            ImmagineMessaggio);
    }
}

void Messaggi::applicaComandi(uint8_t cartella, bool conRighe)
{
    const ComandiCartella c = ComandiPerCartella(cartella, conRighe, Connesso);
    const std::pair<const char*, StatoVoce> pulsanti[]
        = {{"pRispondiSMS", c.pRispondiSMS}, {"pNuovoSMS", c.pNuovoSMS},
           {"pSalvaSMS", c.pSalvaSMS},       {"pEditSMS", c.pEditSMS},
           {"pEliminaSMS", c.pEliminaSMS},   {"pSalvaSMSinTel", c.pSalvaSMSinTel},
           {"pInviaSMS2", c.pInviaSMS2},     {"pStampaSMS", c.pStampaSMS}};
    for (const auto& [chiave, stato] : pulsanti)
        Applica(f.Pulsante(QLatin1String(chiave)), stato);
    const std::pair<QAction*, bool> menu[]
        = {{f.mnuSMSNew, c.mnuSMSNew},       {f.mnuSMSSalvaA, c.mnuSMSSalvaA},
           {f.mnuSMSSalvaS, c.mnuSMSSalvaS}, {f.mnuSMSEdit, c.mnuSMSEdit},
           {f.mnuSMSDel, c.mnuSMSDel},       {f.mnuSMSRis, c.mnuSMSRis},
           {f.mnuSMSInv, c.mnuSMSInv},       {f.mnuSMSSta, c.mnuSMSSta}};
    for (const auto& [voce, attiva] : menu)
        voce->setEnabled(attiva);
    const std::pair<QAction*, StatoVoce> popup[]
        = {{f.popSSend, c.popSSend}, {f.popSReply, c.popSReply}, {f.popSEdit, c.popSEdit},
           {f.popSDel, c.popSDel},   {f.popSSA, c.popSSA},       {f.popSSS, c.popSSS}};
    for (const auto& [voce, stato] : popup)
        Applica(voce, stato);
}

void Messaggi::offriRubrica()
{
    if (Telefono.RubLetta[0])
        return;
    const QString domanda
        = Msg(236) + QStringLiteral("\n") + Msg(237) + QStringLiteral("\n\n") + Msg(238);
    if (MsgBox(domanda, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    LeggiMemorie(false);
}

void Messaggi::OutRTF(const QString& testo, uint8_t colore, const QString& font, int dimensione,
                      bool grassetto)
{
    // The pane counts a line break as one position: the runs go in with Qt's own line breaks.
    QString righe = testo;
    righe.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QTextCharFormat formato;
    formato.setForeground(ColorePalette(colore));
    formato.setFontFamilies({font});
    formato.setFontPointSize(dimensione);
    formato.setFontWeight(grassetto ? QFont::Bold : QFont::Normal);
    QTextCursor cursore(f.txtSMS->document());
    cursore.movePosition(QTextCursor::End);
    cursore.insertText(righe, formato);
    f.txtSMS->setTextCursor(cursore);
}

void Messaggi::SetColor(int16_t colore, int16_t conta)
{
    QTextCursor cursore(f.txtSMS->document());
    cursore.movePosition(QTextCursor::End);
    const int fine = cursore.position();
    // A count beyond the text or a colour outside the palette colours nothing.
    if (conta > 0 && conta <= fine && colore >= 0 && colore <= 15) {
        cursore.setPosition(fine - conta);
        cursore.setPosition(fine, QTextCursor::KeepAnchor);
        QTextCharFormat formato;
        formato.setForeground(ColorePalette(static_cast<uint8_t>(colore)));
        cursore.mergeCharFormat(formato);
        cursore.clearSelection();
    }
    f.txtSMS->setTextCursor(cursore);
}

void Messaggi::ShowSMSTxt(uint8_t& indice)
{
    f.txtSMS->setVisible(false);
    f.txtSMS->clear();
    const uint8_t cartella = CartellaDaChiave(f.ChiaveSelezionata());
    // An empty position keeps the fields of the message it held, which are not shown.
    if (const MessaggioSMS* messaggio = MessaggioIn(cartella, indice)) {
        scriviTestataMessaggio(*messaggio, indice);
        OutRTF(messaggio->Testo.left(LunghezzaTestoSMS(messaggio->Testo, messaggio->LunghezzaDati)),
               BluScuro, FontTesto, 10, false);
        if (cartella != Archivio && messaggio->Stato <= 1)
            f.Pulsante(QStringLiteral("pRispondiSMS"))->setEnabled(true);
    }
    f.txtSMS->setVisible(true);
    const QList<QTreeWidgetItem*> righe
        = f.List1->findItems(TestoPosizione(indice), Qt::MatchExactly, 0);
    if (!righe.isEmpty())
        f.List1->setCurrentItem(righe.first());
}

void Messaggi::scriviTestataMessaggio(const MessaggioSMS& messaggio, uint8_t posizione)
{
    OutRTF(Msg(240), Nero, FontTesta, 12, true);
    OutRTF(QString::number(posizione) + Accapo, Nero, FontTesta, 12, false);
    if (messaggio.Stato <= 1) {
        const QString data = FormattaDataSMS(messaggio.DataOra);
        OutRTF(Msg(241), Nero, FontTesta, 12, true);
        OutRTF(data.left(8), Nero, FontTesta, 12, false);
        OutRTF(Msg(242), Nero, FontTesta, 12, true);
        OutRTF(data.right(5) + Accapo, Nero, FontTesta, 12, false);
    }
    const int voceCorrispondente = messaggio.Stato <= 1 ? 243 : messaggio.Stato == 3 ? 244 : 245;
    if (messaggio.Stato <= 3)
        OutRTF(Msg(voceCorrispondente), Nero, FontTesta, 12, true);
    const QString nome = CercaNomeDaNumero(messaggio.Numero);
    const QString corrispondente = nome != messaggio.Numero
                                       ? nome + QStringLiteral(" [") + messaggio.Numero + u']'
                                       : messaggio.Numero;
    OutRTF(corrispondente + Accapo, Blu, FontTesta, 12, false);
    OutRTF(QStringLiteral("SMSC: "), Nero, FontTesta, 10, true);
    OutRTF(u'[' + messaggio.SMSC + u']' + Accapo, Nero, FontTesta, 10, false);
    OutRTF(Msg(246), Nero, FontTesta, 10, true);
    OutRTF(QString::number(messaggio.LunghezzaDati) + Msg(247) + Accapo + Accapo, Nero, FontTesta,
           10, false);
}
