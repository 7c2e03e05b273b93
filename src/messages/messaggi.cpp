#include "messaggi.h"

#include "archivio.h"
#include "catalogo.h"
#include "interazione.h"
#include "letturasms.h"

#include <QDir>

namespace {

constexpr int VoceArchivioDanneggiato = 792;
constexpr int VoceCopiaConservata = 793;

} // namespace

Messaggi::Messaggi(frmMain& finestra) : f(finestra) {}

bool Messaggi::CaricaArchivioSMS()
{
    const bool letto = ::CaricaArchivioSMS();
    if (const std::optional<DannoArchivio> danno = DannoDaSegnalare())
        MsgBox(Msg(VoceArchivioDanneggiato) + QString::number(danno->byteScartati)
                   + QStringLiteral("\n") + Msg(VoceCopiaConservata)
                   + QDir::toNativeSeparators(danno->copia),
               QMessageBox::Warning);
    return letto;
}

void Messaggi::LeggiTuttiSMS()
{
    ::LeggiTuttiSMS();
}

void Messaggi::LeggiSMS(uint8_t& posizione)
{
    ::LeggiSMS(posizione);
}
