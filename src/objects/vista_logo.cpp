// The operator logo view: the editor picture, its drops and files, the send and delete
// commands, and the palette's favourite slots.

#include "blocchi.h"
#include "catalogo.h"
#include "frmmain.h"
#include "globali.h"
#include "immaginelogo.h"
#include "interazione.h"
#include "occupata.h"
#include "oggetti.h"
#include "rifiuti.h"
#include "scambio.h"
#include "trasferimento.h"
#include "vista.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>

namespace {

constexpr int VoceLogoAssente = 220;
constexpr int VoceLogo = 519;
constexpr int VoceLogoNonImmagine = 960;
constexpr int VocePreferitoNonRimosso = 961;
constexpr int VoceLogoNonEliminato = 962;

QString FilePreferito(int slot)
{
    return FileProgramma(QStringLiteral("logo%1.bmp").arg(slot));
}

// The logo in an image file; a file that gives none is reported, with why.
std::optional<Logo> LogoDaFile(const QString& file)
{
    ImmagineRifiutata motivo{};
    FileRifiutato rifiuto;
    std::optional<Logo> letto = CaricaLogo(file, &motivo, &rifiuto);
    if (!letto)
        MsgBox(ConSpiegazione(Msg(motivo == ImmagineRifiutata::TroppoGrande ? 821 : 820), rifiuto),
               QMessageBox::Warning);
    return letto;
}

} // namespace

void Oggetti::ShowLogo()
{
    Vista vista(QStringLiteral("LOGO"), 1, PulsantiOggetto);
    vista.riquadro = f.frameLogo;
    vista.letta = [] { return Telefono.LogoLetto; };
    vista.leggi = [this] { leggiLogo(); };
    vista.prepara = [this] {
        pulsante("pInviaLogo")->setToolTip(Msg(116));
        pulsante("pApriLogo")->setToolTip(Msg(117));
        pulsante("pSalvaLogo")->setToolTip(Msg(118));
    };
    vista.riempi = [this] { mostraLogoLetto(); };
    ApriVista(f, vista);
}

void Oggetti::leggiLogo()
{
    const LetturaLogo letto = LeggiLogo();
    // A read the phone left unanswered says nothing of its logo.
    if (!TelefonoMuto()) {
        LogoPresente = letto.lettura == Lettura::Presente;
        logoIgnoto = letto.lettura == Lettura::Rifiutata;
        logoDelTelefono = letto.logo;
    }
    SegnalaFileNonScritto(letto.nonScritto);
    if (logoIgnoto) {
        LettureRifiutate nonDato;
        nonDato.Annota(Msg(VoceLogo));
        nonDato.Avvisa();
    }
}

void Oggetti::mostraLogoLetto()
{
    // Bytes that make no picture are still the phone's logo, which can be deleted.
    pulsante("pElimina")->setEnabled(LogoPresente);
    f.mnuLoDel->setEnabled(LogoPresente);
    if (LogoPresente && logoDelTelefono) {
        mostraLogo(*logoDelTelefono);
        pulsante("pSalvaLogo")->setEnabled(true);
        for (QAction* voce : {f.mnuLoInv, f.mnuLoSalva})
            voce->setEnabled(true);
        f.SBar[3]->setText(Msg(119));
    } else {
        const int voce = logoIgnoto     ? VoceSconosciuto
                         : LogoPresente ? VoceLogoNonImmagine
                                        : VoceLogoAssente;
        mostraSenzaLogo(voce);
        f.SBar[3]->setText(Msg(voce));
    }
    f.mnuLoApri->setEnabled(true);
    pulsante("pApriLogo")->setEnabled(true);
}

void Oggetti::mostraLogo(const Logo& immagine)
{
    logo = immagine;
    f.PicLogo->setPixmap(QPixmap::fromImage(immagine.immagine));
}

void Oggetti::mostraSenzaLogo(int voce)
{
    logo.reset();
    QPixmap disegno(f.PicLogo->size());
    disegno.fill(Qt::white);
    QPainter pittore(&disegno);
    // A window narrower than the text wraps it rather than cut it.
    pittore.drawText(disegno.rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Msg(voce));
    pittore.end();
    f.PicLogo->setPixmap(disegno);
}

void Oggetti::DelLogo()
{
    if (!Connesso || !LineaLibera)
        return;
    if (MsgBox(Msg(221), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    EsitoAT esito = EsitoAT::Ok;
    if (!CancellaOggetto(QStringLiteral("bmp"), 0, &esito)) {
        avvisaSeRifiutata(esito, VoceLogoNonEliminato);
        return;
    }
    Telefono.LogoLetto = false;
    // The logo on show is no longer the phone's.
    f.VistaMostrata.clear();
    ShowLogo();
}

void Oggetti::InviaLogo()
{
    if (!logo)
        return;
    const Logo inviato = *logo;
    // The picture goes as the user sees it, whether or not its file takes it.
    salvaFile(FileLogo(), inviato.bitmap);
    const FinestraOccupata occupata(f);
    // The bar and its label keep the places the pane gave them.
    f.pbarLogo->setValue(0);
    f.pbarLogo->show();
    f.labP->setText(QStringLiteral("0"));
    f.labP->show();
    const bool preso = ScriviLogo(inviato.bitmap, [this](int blocco, int blocchi) {
        f.pbarLogo->setMaximum(blocchi);
        f.pbarLogo->setValue(blocco);
        f.labP->setText(Percentuale(blocco, blocchi));
    });
    if (preso) {
        logoDelTelefono = inviato;
        MsgBox(Msg(286), QMessageBox::Information);
        f.SBar[3]->setText(Msg(119));
        f.mnuLoDel->setEnabled(true);
        pulsante("pElimina")->setEnabled(true);
    } else {
        // The phone's logo was erased before the blocks: what it holds now must be read again.
        Telefono.LogoLetto = false;
        MsgBox(Msg(287), QMessageBox::Critical);
        f.SBar[3]->setText(Msg(VoceLogoAssente));
    }
    f.pbarLogo->hide();
    f.labP->hide();
}

void Oggetti::SetLogo1(int slot)
{
    const QPixmap immagine = f.PicLogoOp[static_cast<size_t>(slot)]->pixmap();
    if (!immagine.isNull())
        mostraLogo({immagine.toImage(), BitmapLogo(immagine.toImage())});
    mostraDimensioni();
}

void Oggetti::SetLogo2(const QString& file)
{
    if (!HaEstensione(file, QStringLiteral(".BMP")) && !HaEstensione(file, QStringLiteral(".GIF")))
        return;
    if (const std::optional<Logo> immagine = LogoDaFile(file))
        mostraLogo(*immagine);
    mostraDimensioni();
}

void Oggetti::mostraDimensioni()
{
    const QString dimensioni = logo ? DimensioniImmagine(logo->immagine) : QString();
    f.labDim->setText(dimensioni);
    QPalette colori = f.labDim->palette();
    colori.setColor(QPalette::WindowText,
                    dimensioni == f.labDimR->text() ? QColor(Qt::black) : QColor(Qt::red));
    f.labDim->setPalette(colori);
    f.labDim->show();
    f.labL3->show();
    f.mnuLoInv->setEnabled(true);
    pulsante("pInviaLogo")->setEnabled(true);
}

void Oggetti::ApriLogo()
{
    const QString file = interazione().ApriFile(&f, Msg(70), Msg(71));
    if (file.isEmpty())
        return;
    if (const std::optional<Logo> immagine = LogoDaFile(file))
        mostraLogo(*immagine);
    f.Espandi(QStringLiteral("LOGO"));
    f.mnuLoSalva->setEnabled(true);
    if (Connesso) {
        f.mnuLoInv->setEnabled(true);
        pulsante("pInviaLogo")->setEnabled(true);
        pulsante("pSalvaLogo")->setEnabled(true);
    }
}

void Oggetti::SalvaLogo()
{
    if (!logo)
        return;
    const QString file = interazione().SalvaFile(&f, Msg(294), Msg(295), QStringLiteral("bmp"));
    if (!file.isEmpty())
        salvaFile(file, logo->bitmap);
}

void Oggetti::AggiungiPreferito()
{
    const QString file = interazione().ApriFile(&f, Msg(70), Msg(71));
    if (!file.isEmpty())
        ImpostaPreferito(PrefSlot, file);
}

void Oggetti::ImpostaPreferito(int slot, const QString& file)
{
    if (const std::optional<Logo> immagine = LogoDaFile(file))
        f.PicLogoOp[static_cast<size_t>(slot)]->setPixmap(QPixmap::fromImage(immagine->immagine));
    scriviPreferito(slot);
}

void Oggetti::scriviPreferito(int slot)
{
    const QPixmap immagine = f.PicLogoOp[static_cast<size_t>(slot)]->pixmap();
    if (!immagine.isNull())
        salvaFile(FilePreferito(slot), BitmapLogo(immagine.toImage()));
}

void Oggetti::CaricaPreferiti()
{
    for (int slot = 4; slot <= 9; ++slot) {
        const QFileInfo file(FilePreferito(slot));
        // The folder's listing must return exactly that name.
        if (!file.exists() || file.fileName() != QStringLiteral("logo%1.bmp").arg(slot))
            continue;
        FileRifiutato rifiuto;
        if (const std::optional<QImage> logo = CaricaImmagine(file.filePath(), &rifiuto))
            f.PicLogoOp[static_cast<size_t>(slot)]->setPixmap(QPixmap::fromImage(*logo));
        SegnalaFileRifiutato(rifiuto);
    }
}

void Oggetti::EliminaPreferito()
{
    f.PicLogoOp[PrefSlot]->clear();
    // A favourite left in the folder would be back at the next start.
    const QString file = FilePreferito(PrefSlot);
    if (!QFile::remove(file) && QFileInfo::exists(file))
        MsgBox(Msg(VocePreferitoNonRimosso) + QDir::toNativeSeparators(file), QMessageBox::Warning);
}
