// The SMS archive file "archivio.sms", loaded as at start-up, then changed as the message views
// change it. A rewrite never loses a byte: the file is either as it was, or, when it was damaged,
// its original is kept beside it; every message loaded survives the rewrite; and on a file the
// program wrote, adding a message and deleting it again, or putting a record back in its own
// place, leaves the file byte for byte as it was.

#include "comune.h"

#include "archivio.h"
#include "globali.h"

#include <QDir>

namespace {

const QString NomeArchivio = QStringLiteral("archivio.sms");
// What a test message is archived as: a submit, stored unsent.
const QString PDUDiProva = QStringLiteral("0011000B913933123456F70000AA00");

QString PercorsoArchivio()
{
    return FileProgramma(NomeArchivio);
}

// The copies of damaged files that earlier inputs left, so that each input finds its own.
void TogliCopie()
{
    QDir cartella(QFileInfo(PercorsoArchivio()).path());
    for (const QString& copia : cartella.entryList({NomeArchivio + QStringLiteral("*.damaged")}))
        cartella.remove(copia);
    DannoDaSegnalare();
}

QString Messaggi()
{
    QStringList messaggi;
    for (int i = 1; i <= NumArchivio; ++i)
        messaggi << QString::number(ArchivioSMS[i].Stato) + QLatin1Char(' ') + ArchivioSMS[i].PDU;
    return messaggi.join(u'\n');
}

// The rewrite of a loaded archive that is not full: a message added and deleted.
void Riscrivi()
{
    const int prima = NumArchivio;
    Verifica(AggiungiSMSArchivio(PDUDiProva, 1, 2), "a message is added to a readable archive");
    Verifica(NumArchivio == prima + 1, "the added message is in the table");
    Verifica(CancellaSMSArchivio(NumArchivio), "the added message is deleted");
}

void ControllaRiscrittura(const QByteArray& originale, const QString& letti)
{
    const QByteArray riscritto = LeggiFile(PercorsoArchivio());
    if (riscritto != originale)
        Verifica(LeggiFile(PercorsoArchivio() + QStringLiteral(".damaged")) == originale,
                 "an archive rewritten otherwise than it was is kept beside it byte for byte");
    Verifica(Messaggi() == letti, "a rewrite keeps every message the archive loaded",
             letti + QStringLiteral("\n--\n") + Messaggi());
}

// On a file the program wrote, whose records begin at its first byte.
void ControllaFileIntero(const QByteArray& scritto)
{
    Riscrivi();
    Verifica(LeggiFile(PercorsoArchivio()) == scritto,
             "adding then deleting a message leaves the archive as it was");
    // The first record's type and status are bytes 6 and 7 of the file.
    Verifica(SostituisciSMSArchivio(1, ArchivioSMS[1].PDU, static_cast<uint8_t>(scritto.at(6)),
                                    static_cast<uint8_t>(scritto.at(7))),
             "a record of the archive is put back in its place");
    Verifica(LeggiFile(PercorsoArchivio()) == scritto,
             "a record put back in its place leaves the archive as it was");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    TogliCopie();
    const QByteArray originale = Byte(dati, lunghezza);
    ScriviFile(PercorsoArchivio(), originale);
    NumArchivio = 0;
    ArchivioLetto = false;
    if (!CaricaArchivioSMS())
        return 0;
    Verifica(NumArchivio >= 0 && NumArchivio <= MaxArchivio,
             "the archive holds at most 200 messages");
    if (NumArchivio == MaxArchivio) {
        Verifica(!AggiungiSMSArchivio(PDUDiProva, 1, 2)
                     && LeggiFile(PercorsoArchivio()) == originale,
                 "a full archive takes no message and stays as it was");
        return 0;
    }
    const QString letti = Messaggi();
    Riscrivi();
    ControllaRiscrittura(originale, letti);
    if (NumArchivio > 0)
        ControllaFileIntero(LeggiFile(PercorsoArchivio()));
    return 0;
}
