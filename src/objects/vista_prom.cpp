// The reminders view: the list of used slots beside the calendar, and the reminder commands.

#include "attesa.h"
#include "catalogo.h"
#include "codecs.h"
#include "fileprom.h"
#include "frmmain.h"
#include "frmprom.h"
#include "globali.h"
#include "interazione.h"
#include "listareport.h"
#include "oggetti.h"
#include "promemoria.h"
#include "rifiuti.h"
#include "scambio.h"
#include "scambioprom.h"
#include "vista.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCursor>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTime>

namespace {

constexpr int ColonnaData = 2;
constexpr int ColonnaStamp = 4;
constexpr int ImmagineNonDisponibile = 27;
constexpr int VoceNessunoNotoLibero = 876;
constexpr int VocePromNonEliminato = 964;
constexpr int VoceNonNelFile = 990;
constexpr int VoceSalvareGliAltri = 991;
const QString Accapo = QStringLiteral("\r\n");

int ImmagineCategoria(const QString& categoria)
{
    static const std::array<int, 4> immagini{41, 43, 42, 40};
    for (size_t i = 0; i < CategorieProm.size(); ++i)
        if (categoria == CategorieProm[i])
            return immagini[i];
    return immagini[0];
}

// The option of a stored value among the dialog's values; 0 for any other.
template <size_t N>
int Opzione(const std::array<QString, N>& valori, const QString& valore)
{
    for (size_t i = 1; i < N; ++i)
        if (valore == valori[i])
            return static_cast<int>(i);
    return 0;
}

QString DueCifre(int valore)
{
    return QStringLiteral("%1").arg(valore, 2, 10, QLatin1Char('0'));
}

::Promemoria& Slot(int slot)
{
    return Telefono.Promemoria[static_cast<size_t>(slot)];
}

// The positions the phone refused to read, in order.
QStringList PosizioniRifiutate()
{
    QStringList posizioni;
    for (int k = 1; k <= NumPromemoria; ++k)
        if (Slot(k).Rifiutato)
            posizioni << QString::number(k);
    return posizioni;
}

bool QualcunoRifiutato()
{
    return !PosizioniRifiutate().isEmpty();
}

// A position the phone refused may hold a reminder the file would lack: the user is asked first,
// naming them. True to write the file.
bool SalvareSenzaIRifiutati()
{
    const QStringList rifiutate = PosizioniRifiutate();
    return rifiutate.isEmpty()
           || MsgBox(Msg(VoceNonNelFile) + Accapo + PromemoriaAlle(rifiutate) + Accapo
                         + Msg(VoceSalvareGliAltri),
                     QMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
                  == QMessageBox::Yes;
}

} // namespace

void Oggetti::ShowCalendario()
{
    Vista vista(QStringLiteral("CAL"), 8,
                {"pAggiorna", "pNuovoProm", "pModificaProm", "pEliminaProm", "pApriProm",
                 "pSalvaProm", "pInviaProm", "pStampaProm"});
    vista.riquadro = f.frameCal;
    // Reminders loaded from a file are there to show; the phone is read all the same.
    vista.letta = [] { return PromUsato(Slot(1)) || Telefono.PromLetti; };
    vista.leggeSempre = true;
    vista.leggi = [] {
        if (Telefono.PromLetti)
            return;
        LettureRifiutate rifiutate;
        LeggiTuttiProm(rifiutate);
        rifiutate.Avvisa();
    };
    vista.prepara = [this] { preparaCalendario(); };
    vista.nonDisponibile
        = [this] { f.listProm->Aggiungi(QString(), {Msg(82)}, ImmagineNonDisponibile); };
    vista.riempi = [this] { elencaPromemoria(); };
    ApriVista(f, vista);
}

void Oggetti::preparaCalendario()
{
    pulsante("pApriProm")->setEnabled(true);
    ListaReport* lista = f.listProm;
    lista->show();
    lista->SetSorted(false);
    lista->ImpostaColonne({{Msg(302), 250, {}},
                           {Msg(303), 1400, {}},
                           {Msg(304), 1100, QStringLiteral("D")},
                           {Msg(305), 700, {}},
                           {QStringLiteral(" "), 0, QStringLiteral("T")}});
    lista->setColumnHidden(ColonnaStamp, true);
    lista->setHeaderHidden(false);
    lista->SetSortKey(0);
    f.Calendario->setSelectedDate(QDate::currentDate());
}

void Oggetti::elencaPromemoria()
{
    ListaReport* lista = f.listProm;
    for (int k = 1; k <= NumPromemoria; ++k)
        if (PromUsato(Slot(k)))
            aggiungiRigaProm(k);
    lista->SetSorted(true);
    f.mnuCNuovo->setEnabled(true);
    const int righe = lista->topLevelItemCount();
    if (righe > 0) {
        f.frameCal->setEnabled(true);
        lista->setCurrentItem(lista->topLevelItem(0));
        for (const char* chiave : {"pModificaProm", "pEliminaProm", "pStampaProm", "pSalvaProm"})
            pulsante(chiave)->setEnabled(true);
        for (QAction* voce : {f.mnuCEdit, f.mnuCDel, f.mnuCSalva})
            voce->setEnabled(true);
        if (Connesso) {
            pulsante("pInviaProm")->setEnabled(true);
            f.mnuCInvia->setEnabled(true);
        }
    }
    pulsante("pNuovoProm")->setEnabled(true);
    // A position the phone refused may hold a reminder: the count is not known.
    f.SBar[3]->setText(QualcunoRifiutato() ? Msg(VoceSconosciuto)
                                           : QString::number(righe) + Msg(306));
}

void Oggetti::aggiungiRigaProm(int slot)
{
    const ::Promemoria& prom = Slot(slot);
    QTreeWidgetItem* riga = f.listProm->Aggiungi(
        DueCifre(slot),
        {ValoreCampo(prom.Descrizione),
         ValoreCampo(prom.Inizio.Data) + QLatin1Char(' ') + ValoreCampo(prom.Inizio.Ora.left(5)),
         ValoreCampo(prom.RipetizioneTesto), ValoreCampo(prom.Allarme.Stamp)},
        ImmagineCategoria(ValoreCampo(prom.Categoria)));
    riga->setData(0, Qt::UserRole, slot);
}

std::optional<int> Oggetti::slotScelto() const
{
    const QTreeWidgetItem* riga = f.listProm->SelectedItem();
    if (!riga || riga->text(0).isEmpty())
        return std::nullopt;
    return riga->data(0, Qt::UserRole).toInt();
}

void Oggetti::listProm_Click()
{
    const std::optional<int> slot = slotScelto();
    if (!slot)
        return;
    const QString& stamp = Slot(*slot).Inizio.Stamp;
    const QDate data(stamp.left(4).toInt(), stamp.mid(4, 2).toInt(), stamp.mid(6, 2).toInt());
    if (data.isValid())
        f.Calendario->setSelectedDate(data);
}

void Oggetti::listProm_DblClick()
{
    if (slotScelto())
        EditProm();
}

void Oggetti::listProm_ColumnClick(int colonna)
{
    ListaReport* lista = f.listProm;
    // The date column sorts by the hidden stamp that follows it, so that dates go in time order.
    const bool perData = lista->ChiaveColonna(colonna) == QLatin1String("D");
    const int chiave = perData ? colonna + 2 : colonna;
    if (lista->SortKey() == chiave) {
        lista->SetSortOrder(lista->SortOrder() == 0 ? 1 : 0);
    } else {
        lista->SetSortKey(chiave);
        lista->SetSortOrder(0);
    }
}

void Oggetti::listProm_MouseUp(Qt::MouseButton pulsante)
{
    const QTreeWidgetItem* riga = f.listProm->SelectedItem();
    if (pulsante == Qt::RightButton && riga && !ListaReport::SottoVoce(riga, ColonnaData).isEmpty())
        f.popProm->popup(QCursor::pos());
}

void Oggetti::pOggi_Click()
{
    f.Calendario->setSelectedDate(QDate::currentDate());
}

void Oggetti::AddProm()
{
    if (!Connesso || !Telefono.PromLetti)
        return;
    int libero = 1;
    while (libero <= NumPromemoria && (PromUsato(Slot(libero)) || Slot(libero).Rifiutato))
        ++libero;
    if (libero > NumPromemoria) {
        // The positions the phone refused are not known to be taken either.
        if (QualcunoRifiutato())
            MsgBox(Msg(VoceNessunoNotoLibero), QMessageBox::Warning);
        else
            MsgBox(Msg(307), QMessageBox::Critical);
        return;
    }
    const QDate giorno = f.Calendario->selectedDate();
    const QTime adesso = QTime::currentTime();
    CampiProm campi;
    campi.gg = DueCifre(giorno.day());
    campi.mm = DueCifre(giorno.month());
    campi.aa = QString::number(giorno.year());
    campi.h = DueCifre(adesso.hour());
    campi.m = DueCifre(adesso.minute());
    campi.s = DueCifre(adesso.second());
    apriDialogoProm(libero, 308, campi);
}

void Oggetti::EditProm()
{
    const std::optional<int> slot = slotScelto();
    if (!Connesso || !Telefono.PromLetti || !slot) {
        QApplication::beep();
        return;
    }
    const ::Promemoria& prom = Slot(*slot);
    CampiProm campi;
    campi.gg = prom.Inizio.Data.mid(0, 2);
    campi.mm = prom.Inizio.Data.mid(3, 2);
    campi.aa = prom.Inizio.Data.mid(6, 4);
    campi.h = prom.Inizio.Ora.mid(0, 2);
    campi.m = prom.Inizio.Ora.mid(3, 2);
    campi.s = prom.Inizio.Ora.mid(6, 2);
    campi.utc = prom.Inizio.Utc;
    campi.testo = TagliaSpaziFinali(prom.Descrizione);
    campi.categoria = Opzione(CategorieProm, TagliaSpazi(prom.Categoria));
    // The phone's weekly "W1" is the dialog's weekly option.
    campi.ricorrenza
        = prom.Ripetizione == QLatin1String("W1") ? 2 : Opzione(RipetizioniProm, prom.Ripetizione);
    apriDialogoProm(*slot, 309, campi);
}

void Oggetti::apriDialogoProm(int slot, int titolo, const CampiProm& campi)
{
    {
        frmProm dialogo(&f, slot);
        dialogo.setWindowTitle(Msg(titolo));
        dialogo.Compila(campi);
        dialogo.MostraEAttendi(nullptr);
    }
    ShowCalendario();
}

void Oggetti::DelProm()
{
    const std::optional<int> slot = slotScelto();
    if (!slot)
        return;
    if (!Connesso || !LineaLibera) {
        QApplication::beep();
        return;
    }
    const QString domanda = Msg(310) + QString::number(*slot) + Msg(311)
                            + QStringLiteral("\r\n\r\n")
                            + ListaReport::SottoVoce(f.listProm->SelectedItem(), 1);
    if (MsgBox(domanda, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    EsitoAT esito = EsitoAT::Ok;
    if (!CancellaProm(*slot, &esito)) {
        avvisaSeRifiutata(esito, VocePromNonEliminato);
        return;
    }
    SvuotaSlot(Slot(*slot));
    MsgBox(QStringLiteral("Promemoria eliminato."), QMessageBox::Information);
    ShowCalendario();
}

void Oggetti::StampaProm()
{
    MsgBox(Msg(313), QMessageBox::Information);
}

void Oggetti::InviaProm()
{
    bool inviati = true;
    {
        const AttesaInCorso attesa(Msg(323));
        // A free slot the phone would not clear fails the list as a write does: the phone
        // would go on holding a reminder the list does not have.
        for (int n = 1; n <= NumPromemoria && inviati; ++n) {
            if (PromUsato(Slot(n)))
                inviati = ScriviPromDaRecord(n);
            else if (!Slot(n).Rifiutato)
                inviati = CancellaProm(n);
        }
    }
    if (!inviati)
        MsgBox(Msg(324), QMessageBox::Critical);
}

void Oggetti::SalvaProm()
{
    const QString file = interazione().SalvaFile(&f, Msg(319), Msg(320), QStringLiteral("cal"));
    if (file.isEmpty() || !SalvareSenzaIRifiutati())
        return;
    if (!SalvaFileProm(file))
        MsgBox(Msg(321) + file, QMessageBox::Critical);
}

void Oggetti::ApriProm()
{
    const QString file = interazione().ApriFile(&f, Msg(315), Msg(316));
    if (file.isEmpty())
        return;
    FileRifiutato rifiuto;
    if (!CaricaFileProm(file, &rifiuto)) {
        // The message names the file already: a file refused adds only why.
        MsgBox(rifiuto.motivo == MotivoFileRifiutato::Assente ? Msg(317) + file
                                                              : rifiuto.Spiegazione(317),
               QMessageBox::Critical);
        return;
    }
    ShowCalendario();
    f.mnuCSalva->setEnabled(true);
    if (Connesso) {
        pulsante("pInviaProm")->setEnabled(true);
        pulsante("pSalvaProm")->setEnabled(true);
    }
}
