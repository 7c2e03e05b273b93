// The replies to "AT^SBNR" that carry the phone's logo, melody and reminders in blocks of 176
// bytes. Input: a first byte that picks the object, then the reply body.
//
// The same bytes are also taken as an object: cut into the blocks the phone sends, as the phone
// frames them, they must read back as exactly those bytes.

#include "comune.h"

#include "blocchi.h"
#include "melodia.h"

namespace {

struct Oggetto {
    QString tipo;
    int indice;
};

Oggetto OggettoScelto(uint8_t scelta)
{
    switch (scelta % 3) {
    case 0:
        return {QStringLiteral("bmp"), 0};
    case 1:
        return {QStringLiteral("mid"), 0};
    default:
        return {QStringLiteral("vcs"), 1 + (scelta / 3) % 30};
    }
}

// The body the exchange hands over for an object of these bytes: each block's header line and
// hex line, joined by CR LF.
QString RispostaDelTelefono(const Oggetto& oggetto, const QByteArray& dati)
{
    const QStringList blocchi = BlocchiHex(dati);
    QStringList righe;
    for (int i = 0; i < blocchi.size(); ++i) {
        righe << QStringLiteral("^SBNR: \"%1\",%2,%3,%4")
                     .arg(oggetto.tipo)
                     .arg(oggetto.indice)
                     .arg(i + 1)
                     .arg(blocchi.size());
        righe << blocchi[i];
    }
    return righe.join(QStringLiteral("\r\n"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    if (lunghezza == 0)
        return 0;
    const Oggetto oggetto = OggettoScelto(dati[0]);
    const QString risposta = Testo(dati + 1, lunghezza - 1);
    EOKNudo(risposta);
    if (const std::optional<QByteArray> letti
        = DatiDaBlocchi(risposta, oggetto.tipo, oggetto.indice)) {
        Verifica(letti->size() <= static_cast<qsizetype>(risposta.size()) / 2,
                 "an object is never longer than the hex that carried it");
        EMelodiaVuota(*letti);
    }

    const QByteArray oggettoDiProva = Byte(dati + 1, lunghezza - 1);
    if (oggettoDiProva.isEmpty() || oggettoDiProva.size() > MaxByteOggetto)
        return 0;
    const std::optional<QByteArray> riletto
        = DatiDaBlocchi(RispostaDelTelefono(oggetto, oggettoDiProva), oggetto.tipo, oggetto.indice);
    Verifica(riletto && *riletto == oggettoDiProva,
             "an object sent in blocks reads back as the same bytes");
    return 0;
}
