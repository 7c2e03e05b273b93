#pragma once

#include "funzioni.h"
#include "immaginelogo.h"
#include "scambio.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QStringList>

#include <cstdint>
#include <optional>

class frmMain;
struct LetturaMidi;
class QAction;
class QLabel;
class QMimeData;
class QProgressBar;

// The logos, melodies and reminders as the main window reaches them: the logo editor with its
// palette, the melody pane with the ring tone, and the reminder list beside the calendar.
class Oggetti : public QObject, public FunzioniOggetti {
    Q_OBJECT
public:
    // Wires the panes of the window it serves: drops, palette menus, sliders, list handlers.
    explicit Oggetti(frmMain& finestra);

    void ShowLogo() override;
    void DelLogo() override;
    void InviaLogo() override;
    void ApriLogo() override;
    void SalvaLogo() override;
    // A palette slot's picture dropped on the editor.
    void SetLogo1(int slot);
    // An image file dropped on the editor: taken when it is a .BMP or .GIF file.
    void SetLogo2(const QString& file);
    // The palette's favourite slots 4 to 9: the pop-up menu's commands on PrefSlot, and a file
    // dropped on a slot.
    void AggiungiPreferito();
    void EliminaPreferito();
    void ImpostaPreferito(int slot, const QString& file);
    void CaricaPreferiti() override;

    void ShowMidi() override;
    void DelMidi() override;
    void InviaMidi() override;
    void ApriMidi() override;
    void SalvaMidi() override;
    // A MIDI file dropped on the melody picture.
    void SetMidi2(const QString& file);
    void pPlay_Click();
    // The play button and the sliders as the phone's ring tone stands: ringing or not.
    void mostraSuoneria();

    void ShowCalendario() override;
    void AddProm() override;
    void EditProm() override;
    void DelProm() override;
    void ApriProm() override;
    void SalvaProm() override;
    void InviaProm() override;
    void StampaProm() override;
    void listProm_Click();
    void listProm_DblClick();
    void listProm_ColumnClick(int colonna);
    void listProm_MouseUp(Qt::MouseButton pulsante);
    void pOggi_Click();

    // The result of the last logo read and of the last melody read.
    bool LogoPresente = false;
    bool MidiPresente = false;
    // The favourite slot whose menu was opened last.
    uint8_t PrefSlot = 4;
    // The melody file the send command transfers (picMidi's tag).
    QString TagMidi;
    // The phone took the command that starts a ring tone, and not yet the one that stops it.
    bool Suonando = false;
    QProgressBar* pBarMidi = nullptr;
    QLabel* labPm = nullptr;

    // The editor's picture; none while it shows that the phone holds no logo.
    const QImage* ImmagineEditor() const { return logo ? &logo->immagine : nullptr; }

    // The drag data of a palette slot, as a drop on the editor takes it.
    static QMimeData* DatiSlot(int slot);

protected:
    bool eventFilter(QObject* oggetto, class QEvent* evento) override;

private:
    void collegaLogo();
    void collegaMidi();
    void collegaCalendario();
    bool filtroLogo(QObject* oggetto, QEvent* evento);
    bool filtroTavolozza(int slot, QEvent* evento);
    bool filtroMidi(QEvent* evento);
    bool filtroLista(QObject* oggetto, QEvent* evento);

    // The buttons the logo and the melody views share.
    static inline const QStringList PulsantiOggetto{"pAggiorna", "pElimina", "pInviaLogo",
                                                    "pApriLogo", "pSalvaLogo"};
    QAction* pulsante(const char* chiave) const;

    // Reads the phone's logo, or melody and ring tone, keeping what a silent phone did not tell.
    void leggiLogo();
    void leggiMidi();
    // The pane filled from the last read.
    void mostraLogoLetto();
    void mostraMidiLetta();
    void mostraLogo(const Logo& immagine);
    // The editor without a logo, saying why: the entry of "Logo not found" or of unknown.
    void mostraSenzaLogo(int voce);
    void mostraDimensioni();
    void scriviPreferito(int slot);

    void mostraMelodia(bool presente);
    // The melody picture without a melody, saying why: the entry of "Melody not found" or of
    // unknown.
    void mostraSenzaMelodia(int voce);
    // The ranges and setting a read gave go on the sliders; what it did not give is unknown.
    void prendiSuoneria(const LetturaMidi& lettura);
    // The labels of the sliders: a value, `voceNessuna` for no tone, or unknown.
    void mostraEtichetteSuoneria(int voceNessuna);

    // Writes the file whole; when it cannot, the user is told which file and why.
    static void salvaFile(const QString& percorso, const QByteArray& dati);
    // A delete that ended so: the phone's refusal is told with `voce` and the phone's reason; a
    // lost link has told the user already.
    static void avvisaSeRifiutata(EsitoAT esito, int voce);

    void preparaCalendario();
    void elencaPromemoria();
    void aggiungiRigaProm(int slot);
    // The slot of the selected row; nothing without one.
    std::optional<int> slotScelto() const;
    // Opens the reminder dialog for the slot and waits for it; then rebuilds the view.
    void apriDialogoProm(int slot, int titolo, const struct CampiProm& campi);

    frmMain& f;
    std::optional<Logo> logo;
    // The logo the phone holds, as last read or sent, that the view shows while LogoPresente:
    // kept here, as its file may not have taken it. None for bytes that make no picture.
    std::optional<Logo> logoDelTelefono;
    // The melody the phone holds, as last read: kept here, as its file may not have taken it.
    std::optional<QByteArray> melodiaDelTelefono;
    // The last logo read, and the last melody read, the phone refused: whether it holds one is
    // not known.
    bool logoIgnoto = false;
    bool melodiaIgnota = false;
    // The tone and the volume the sliders hold are the phone's, as the last read gave them, or
    // the user's, set since; otherwise they are unknown, and Play sets neither. The last read
    // gave the sliders' ranges: without them the sliders offer nothing to choose.
    bool tonoNoto = false;
    bool volumeNoto = false;
    bool limitiNoti = false;
    QPoint inizioTrascinamento;
};
