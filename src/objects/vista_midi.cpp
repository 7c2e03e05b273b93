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

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

namespace {

constexpr int VoceMelodiaAssente = 290;
constexpr int VocePlayRifiutato = 877;
constexpr int VoceStopRifiutato = 878;

} // namespace

void Oggetti::ShowMidi()
{
    iniziaVista(7, QStringLiteral("MEL"),
                {"pAggiorna", "pElimina", "pInviaLogo", "pApriLogo", "pSalvaLogo"});
    pulsante("pInviaLogo")->setToolTip(Msg(298));
    pulsante("pApriLogo")->setToolTip(Msg(292));
    pulsante("pSalvaLogo")->setToolTip(Msg(299));
    f.frameMidi->setVisible(true);
    f.frameMidi->setEnabled(false);
    // A tone started at an earlier showing still rings: the button offers to stop it.
    mostraSuoneria();
    if (Connesso && !Telefono.MidiLetta && LineaLibera) {
        const LetturaMidi lettura = LeggiMidi();
        if (lettura.limiti) {
            f.sliderMelodia->setMaximum(lettura.limiti->tono);
            f.sliderVolume->setMaximum(lettura.limiti->volume.value_or(0));
        }
        if (lettura.suoneria) {
            f.sliderMelodia->setValue(lettura.suoneria->tono);
            if (lettura.suoneria->volume)
                f.sliderVolume->setValue(*lettura.suoneria->volume);
        }
        // A read the phone left unanswered says nothing of its melody.
        if (!TelefonoMuto()) {
            MidiPresente = lettura.presente;
            melodiaIgnota = lettura.ignota;
            suoneriaIgnota = !lettura.suoneria;
        }
        lettura.nonDati.Avvisa();
    }
    // The pane stays disabled, as offline, until the phone has been read.
    if (TelefonoIrraggiungibile() && !Telefono.MidiLetta)
        return;
    if (Connesso)
        f.frameMidi->setEnabled(true);
    if (suoneriaIgnota) {
        // The sliders stand where they were: they hold no setting of the phone's.
        f.labMel->setText(Msg(VoceSconosciuto));
        f.labVol->setText(Msg(VoceSconosciuto));
    } else {
        f.labMel->setText(f.sliderMelodia->value() >= 1 ? QString::number(f.sliderMelodia->value())
                                                        : Msg(300));
    }
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
        pulsante("pInviaLogo")->setEnabled(false);
        pulsante("pElimina")->setEnabled(false);
        TagMidi.clear();
    }
    f.mnuMApri->setEnabled(true);
    pulsante("pApriLogo")->setEnabled(true);
    pulsante("pAggiorna")->setEnabled(true);
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

void Oggetti::aggiornaEtichetteSuoneria()
{
    // What the sliders show now is the user's choice.
    suoneriaIgnota = false;
    const int tono = f.sliderMelodia->value();
    const int volume = f.sliderVolume->value();
    f.labMel->setText(tono >= 1 ? QString::number(tono) : Msg(86));
    f.labVol->setText(volume >= 1 ? QString::number(volume) : Msg(87));
}

void Oggetti::pPlay_Click()
{
    if (!Connesso || !LineaLibera)
        return;
    const int voceRifiuto = Suonando ? VoceStopRifiutato : VocePlayRifiutato;
    EsitoAT esito = EsitoAT::Ok;
    // A tone the phone would not set is not played: it would ring another.
    if (!Suonando)
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
    f.sliderMelodia->setEnabled(!Suonando);
    f.sliderVolume->setEnabled(!Suonando);
}

void Oggetti::DelMidi()
{
    if (!Connesso || !LineaLibera)
        return;
    if (MsgBox(Msg(222), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    if (!CancellaOggetto(QStringLiteral("mid"), 0))
        return;
    Telefono.MidiLetta = false;
    ShowMidi();
}

void Oggetti::InviaMidi()
{
    const FinestraOccupata occupata(f);
    pBarMidi->setValue(0);
    pBarMidi->show();
    labPm->setText(QStringLiteral("0"));
    labPm->show();
    FileRifiutato rifiuto;
    const bool inviato = ScriviMidi(
        TagMidi,
        [this](int blocco, int blocchi) {
            pBarMidi->setMaximum(blocchi);
            pBarMidi->setValue(blocco);
            labPm->setText(Percentuale(blocco, blocchi));
        },
        &rifiuto);
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
    FileRifiutato rifiuto;
    if (const std::optional<QByteArray> melodia
        = LeggiFileIntero(FileMidi(), MaxByteOggetto, &rifiuto))
        ScriviFileIntero(file, *melodia);
    SegnalaFileRifiutato(rifiuto);
}
