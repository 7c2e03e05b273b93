#include "globali.h"

#include "fileinteri.h"

#include <QDir>
#include <QPointer>
#include <QStandardPaths>
#include <QWidget>

Impostazioni Opzioni;
int16_t BaseLang = 1;

bool Connesso = false;
bool LineaLibera = false;
SetCaratteri SetTelefono = SetCaratteri::GSM;
bool TelefonoInModoTesto = false;
QString BufferRx;
bool Annulla = false;
bool AttesaAnnullabile = false;

bool DialogoChiuso = false;
uint8_t DialogoAperto = 0;

namespace {
std::array<QPointer<QWidget>, 6> finestreDialogo;
}

void RegistraFinestraDialogo(uint8_t codice, QWidget* finestra)
{
    if (codice < finestreDialogo.size())
        finestreDialogo[codice] = finestra;
}

QWidget* FinestraDialogo(uint8_t codice)
{
    return codice < finestreDialogo.size() ? finestreDialogo[codice].data() : nullptr;
}

std::array<QString, 5> NomiMemoria;
std::array<QString, 6> StatiRete;
std::array<QString, 4> StatiAlim;
std::array<QString, 9> NomiBlocchi;
std::array<QString, 3> ClassiBlocchi;
std::array<QString, 9> CodiciBlocchi;
std::array<QString, 3> ClassiTrasf;

DatiTelefono Telefono;

std::array<MessaggioSMS, MaxArchivio + 1> ArchivioSMS;
int NumArchivio = 0;
bool ArchivioLetto = false;

QString CartellaProgramma()
{
    const QString cartella = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    CreaCartellaPrivata(cartella);
    return cartella;
}

QString FileProgramma(const QString& nome)
{
    return QDir(CartellaProgramma()).filePath(nome);
}
