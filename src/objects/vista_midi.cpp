// The melody view: the phone's own melody, its file, and the ring tone with its sliders.

#include "blocchi.h"
#include "catalogo.h"
#include "frmmain.h"
#include "globali.h"
#include "immaginelogo.h"
#include "interazione.h"
#include "melodia.h"
#include "occupata.h"
#include "oggetti.h"
#include "rifiuti.h"
#include "scambio.h"
#include "trasferimento.h"
#include "vista.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

namespace {

constexpr int VoceMelodiaAssente = 290;
constexpr int VocePlayRifiutato = 877;
constexpr int VoceStopRifiutato = 878;
constexpr int VoceMelodiaNonEliminata = 963;

// The slider on the range and at the value a read gave, each when it gave them: the program's
// own moves are no choice of the user's. While no range is known the slider offers no other
// value than the one it holds.
void PoniCursore(QSlider* cursore, std::optional<int> massimo, std::optional<int> valore,
                 bool limitiNoti)
{
    const QSignalBlocker blocco(cursore);
    if (massimo) {
        cursore->setRange(0, *massimo);
    } else if (!limitiNoti) {
        const int fermo = valore.value_or(cursore->value());
        cursore->setRange(fermo, fermo);
    }
    if (valore)
        cursore->setValue(*valore);
}

} // namespace

void Oggetti::ShowMidi()
{
    Vista vista(QStringLiteral("MEL"), 7, PulsantiOggetto);
    vista.riquadro = f.frameMidi;
    vista.letta = [] { return Telefono.MidiLetta; };
    vista.leggi = [this] { leggiMidi(); };
    vista.prepara = [this] {
        pulsante("pInviaLogo")->setToolTip(Msg(298));
        pulsante("pApriLogo")->setToolTip(Msg(292));
        pulsante("pSalvaLogo")->setToolTip(Msg(299));
        // A tone started at an earlier showing still rings: the button offers to stop it.
        mostraSuoneria();
    };
    vista.riempi = [this] { mostraMidiLetta(); };
    ApriVista(f, vista);
}

void Oggetti::leggiMidi()
{
    const LetturaMidi lettura = LeggiMidi();
    prendiSuoneria(lettura);
    // A read the phone left unanswered says nothing of its melody.
    if (!TelefonoMuto()) {
        MidiPresente = lettura.melodia.has_value();
        melodiaDelTelefono = lettura.melodia;
        melodiaIgnota = lettura.ignota;
    }
    SegnalaFileNonScritto(lettura.nonScritto);
    lettura.nonDati.Avvisa();
}

void Oggetti::mostraMidiLetta()
{
    mostraEtichetteSuoneria(300);
    if (melodiaIgnota)
        mostraSenzaMelodia(VoceSconosciuto);
    else
        mostraMelodia(MidiPresente);
    if (MidiPresente) {
        pulsante("pElimina")->setEnabled(true);
        pulsante("pSalvaLogo")->setEnabled(true);
        for (QAction* voce : {f.mnuMDel, f.mnuMInv, f.mnuMSalva})
            voce->setEnabled(true);
        TagMidi = FileMidi();
    } else {
        TagMidi.clear();
    }
    f.mnuMApri->setEnabled(true);
    pulsante("pApriLogo")->setEnabled(true);
}

void Oggetti::mostraMelodia(bool presente)
{
    if (!presente) {
        mostraSenzaMelodia(VoceMelodiaAssente);
        return;
    }
    f.picMidi->setPixmap(f.picMidiOn->pixmap());
    f.SBar[3]->setText(Msg(289));
}

void Oggetti::mostraSenzaMelodia(int voce)
{
    f.picMidi->clear();
    f.picMidi->setText(Msg(voce));
    f.SBar[3]->setText(Msg(voce));
}

void Oggetti::prendiSuoneria(const LetturaMidi& lettura)
{
    // A phone fallen silent says nothing of what it did not give.
    const bool muto = TelefonoMuto();
    if (lettura.limiti || !muto)
        limitiNoti = lettura.limiti.has_value();
    if (lettura.suoneria || !muto) {
        tonoNoto = lettura.suoneria.has_value();
        volumeNoto = lettura.suoneria && lettura.suoneria->volume;
    }
    const std::optional<Suoneria>& limiti = lettura.limiti;
    const std::optional<Suoneria>& suoneria = lettura.suoneria;
    PoniCursore(f.sliderMelodia, limiti ? std::optional(limiti->tono) : std::nullopt,
                suoneria ? std::optional(suoneria->tono) : std::nullopt, limitiNoti);
    PoniCursore(f.sliderVolume, limiti ? limiti->volume : std::nullopt,
                suoneria ? suoneria->volume : std::nullopt, limitiNoti);
}

void Oggetti::mostraEtichetteSuoneria(int voceNessuna)
{
    const int tono = f.sliderMelodia->value();
    const int volume = f.sliderVolume->value();
    f.labMel->setText(!tonoNoto   ? Msg(VoceSconosciuto)
                      : tono >= 1 ? QString::number(tono)
                                  : Msg(voceNessuna));
    f.labVol->setText(!volumeNoto   ? Msg(VoceSconosciuto)
                      : volume >= 1 ? QString::number(volume)
                                    : Msg(87));
}

void Oggetti::pPlay_Click()
{
    if (!Connesso || !LineaLibera)
        return;
    const int voceRifiuto = Suonando ? VoceStopRifiutato : VocePlayRifiutato;
    EsitoAT esito = EsitoAT::Ok;
    // A tone the phone would not set is not played: it would ring another. A value neither the
    // phone gave nor the user chose is not set: the phone plays what it has.
    if (!Suonando && tonoNoto && volumeNoto)
        InviaComandoAT(QStringLiteral("AT^SRTC=%1,%2")
                           .arg(f.sliderMelodia->value())
                           .arg(f.sliderVolume->value()),
                       &esito);
    // The same command starts and stops the tone: the button changes only when the phone took it,
    // so that it goes on showing what the phone does.
    if (esito == EsitoAT::Ok)
        InviaComandoAT(QStringLiteral("AT^SRTC"), &esito);
    if (esito == EsitoAT::Errore)
        AvvisaRifiuto(voceRifiuto);
    if (esito != EsitoAT::Ok)
        return;
    Suonando = !Suonando;
    mostraSuoneria();
}

void Oggetti::mostraSuoneria()
{
    f.pPlay->setText(Suonando ? QStringLiteral("&Stop") : QStringLiteral("&Play"));
    f.sliderMelodia->setEnabled(!Suonando && limitiNoti);
    f.sliderVolume->setEnabled(!Suonando && limitiNoti);
}

void Oggetti::DelMidi()
{
    if (!Connesso || !LineaLibera)
        return;
    if (MsgBox(Msg(222), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    EsitoAT esito = EsitoAT::Ok;
    if (!CancellaOggetto(QStringLiteral("mid"), 0, &esito)) {
        avvisaSeRifiutata(esito, VoceMelodiaNonEliminata);
        return;
    }
    Telefono.MidiLetta = false;
    // The melody on show is no longer the phone's.
    f.VistaMostrata.clear();
    ShowMidi();
}

void Oggetti::InviaMidi()
{
    const FinestraOccupata occupata(f);
    pBarMidi->setValue(0);
    pBarMidi->show();
    labPm->setText(QStringLiteral("0"));
    labPm->show();
    const Avanzamento avanzamento = [this](int blocco, int blocchi) {
        pBarMidi->setMaximum(blocchi);
        pBarMidi->setValue(blocco);
        labPm->setText(Percentuale(blocco, blocchi));
    };
    FileRifiutato rifiuto;
    // The melody read goes back as the phone gave it, whether or not its file took it.
    const bool inviato = melodiaDelTelefono && TagMidi == FileMidi()
                             ? ScriviMidi(*melodiaDelTelefono, avanzamento)
                             : ScriviMidi(TagMidi, avanzamento, &rifiuto);
    if (inviato) {
        MsgBox(Msg(288), QMessageBox::Information);
    } else {
        // The phone's melody was erased before the blocks: what it holds now must be read again.
        Telefono.MidiLetta = false;
        MsgBox(ConSpiegazione(Msg(291), rifiuto), QMessageBox::Critical);
    }
    mostraMelodia(inviato);
    pBarMidi->hide();
    labPm->hide();
}

void Oggetti::ApriMidi()
{
    const QString file = interazione().ApriFile(&f, Msg(292), Msg(293));
    if (file.isEmpty())
        return;
    f.picMidi->clear();
    f.picMidi->setText(NomeFileDaPercorso(file));
    TagMidi = file;
    f.Espandi(QStringLiteral("MEL"));
    f.mnuMSalva->setEnabled(true);
    if (Connesso) {
        f.mnuMInv->setEnabled(true);
        pulsante("pInviaLogo")->setEnabled(true);
        pulsante("pSalvaLogo")->setEnabled(true);
    }
}

void Oggetti::SetMidi2(const QString& file)
{
    if (!HaEstensione(file, QStringLiteral(".MID")))
        return;
    f.picMidi->clear();
    f.picMidi->setText(NomeFileDaPercorso(file));
    TagMidi = file;
    f.mnuMInv->setEnabled(true);
    pulsante("pInviaLogo")->setEnabled(true);
}

void Oggetti::SalvaMidi()
{
    const QString file = interazione().SalvaFile(&f, Msg(296), Msg(297), QStringLiteral("mid"));
    if (file.isEmpty())
        return;
    // The copy is of the melody last read, also when its file did not take it.
    FileRifiutato rifiuto;
    const std::optional<QByteArray> melodia
        = melodiaDelTelefono ? melodiaDelTelefono
                             : LeggiFileIntero(FileMidi(), MaxByteOggetto, &rifiuto);
    SegnalaFileRifiutato(rifiuto);
    if (melodia)
        salvaFile(file, *melodia);
}
