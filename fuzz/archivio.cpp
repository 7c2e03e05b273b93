// The SMS archive file "archivio.sms", loaded as at start-up. Adding a message and deleting it
// again, or putting a record back in its own place, must leave the file byte for byte as it was.

#include "comune.h"

#include "archivio.h"
#include "globali.h"

namespace {

QString PercorsoArchivio()
{
    return FileProgramma(QStringLiteral("archivio.sms"));
}

void ControllaIntatto(const QByteArray& originale, const char* dopo)
{
    Verifica(LeggiFile(PercorsoArchivio()) == originale, dopo);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    const QByteArray originale = Byte(dati, lunghezza);
    ScriviFile(PercorsoArchivio(), originale);
    NumArchivio = 0;
    ArchivioLetto = false;
    if (!CaricaArchivioSMS())
        return 0;
    Verifica(NumArchivio >= 1 && NumArchivio <= MaxArchivio, "the archive holds 1 to 200 messages");
    if (NumArchivio < MaxArchivio) {
        const int prima = NumArchivio;
        Verifica(AggiungiSMSArchivio(QStringLiteral("0011000B913933123456F70000AA00"), 1, 2),
                 "a message is added to a readable archive");
        Verifica(NumArchivio == prima + 1, "the added message is in the table");
        Verifica(CancellaSMSArchivio(NumArchivio), "the added message is deleted");
        ControllaIntatto(originale, "adding then deleting a message leaves the archive as it was");
    }
    // The first record's type and status are bytes 6 and 7 of the file.
    Verifica(SostituisciSMSArchivio(1, ArchivioSMS[1].PDU, static_cast<uint8_t>(originale.at(6)),
                                    static_cast<uint8_t>(originale.at(7))),
             "a record of a readable archive is put back in its place");
    ControllaIntatto(originale, "a record put back in its place leaves the archive as it was");
    return 0;
}
