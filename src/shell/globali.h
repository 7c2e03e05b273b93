#pragma once

// The program-wide tables and flags, in one place. Every subsystem reads and writes them on the
// user-interface thread only, so they are plain globals.

#include "telefono.h"

#include <QString>
#include <array>
#include <cstdint>

// The program options, filled once per run from the settings store.
struct Impostazioni {
    uint8_t Lingua = 99;
    uint8_t AutoSaveRub = 0;
    uint8_t AutoLoadRub = 0;
    uint8_t SplashScreen = 0;
    uint8_t SaveWindow = 0;
    int16_t X = 0;
    int16_t Y = 0;
    int16_t W = 800;
    int16_t H = 600;
    uint8_t AutoLoadOPsList = 0;
};

extern Impostazioni Opzioni;

// Catalogue base: 1000 times the language plus 1.
extern int16_t BaseLang;

// Link state.
extern bool Connesso;
extern bool LineaLibera;
// The character set of 27.007 (+CSCS) in which the phone gives and takes names: the GSM
// alphabet once it accepts the switch, else the set it says it speaks; Ignoto for a set the
// program cannot read or write, or one the phone did not name.
enum class SetCaratteri { GSM, IRA, UCS2, Latin1, UTF8, Ignoto };
extern SetCaratteri SetTelefono;
// True while the phone keeps the text mode of 27.005 for messages, or will not say which mode it
// keeps: it would take the length announced before a PDU for a number and the PDU for the text
// of a message to it, so no PDU goes to it. Cleared on connecting, set by the handshake.
extern bool TelefonoInModoTesto;
extern QString BufferRx;
extern bool Annulla;
extern bool AttesaAnnullabile;

// Hand-back of the modeless input dialogs and the code of the one that is open
// (0 none, 1 frmSMS, 2 frmInputVoceRub, 3 frmProm, 4 frmPrint, 5 frmTrasf).
extern bool DialogoChiuso;
extern uint8_t DialogoAperto;
// The window each code names, registered by the window itself while it exists; null for a code
// that names no window.
class QWidget;
void RegistraFinestraDialogo(uint8_t codice, QWidget* finestra);
QWidget* FinestraDialogo(uint8_t codice);

// Vocabulary of the current language.
extern std::array<QString, 5> NomiMemoria;
extern std::array<QString, 6> StatiRete;
extern std::array<QString, 4> StatiAlim;
extern std::array<QString, 9> NomiBlocchi;
extern std::array<QString, 3> ClassiBlocchi;
extern std::array<QString, 9> CodiciBlocchi;
extern std::array<QString, 3> ClassiTrasf;

// Everything read from the phone.
extern DatiTelefono Telefono;

// The SMS archive: entries 1 to NumArchivio of ArchivioSMS, in file order.
constexpr int MaxArchivio = 200;
extern std::array<MessaggioSMS, MaxArchivio + 1> ArchivioSMS;
extern int NumArchivio;
extern bool ArchivioLetto;

// The per-user folder where the program keeps its own files; created on first use, open to its
// owner only, as are the folders above it that it makes.
QString CartellaProgramma();
// The path of one of the program's own files in that folder.
QString FileProgramma(const QString& nome);
