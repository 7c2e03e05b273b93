// The phonebook table written to a phonebook file (".rub") and read back, as saving and opening
// a file do. Every entry keeps its name, number and red mark, less the blanks that pad the file's
// fixed-width fields: a tab, a no-break space or any other character at either end stays. An
// entry with letters Windows-1252 lacks is the one the user is told of before the file is saved:
// it alone comes back changed.
//
// Input: texts divided by NUL bytes, one character per byte in Windows-1252: the service centre,
// then a name and a number for each position of the SIM memory from 1. A name ending in "!" is on
// the red list. The names of even positions are read as UTF-8 instead, so that they may hold any
// letter.

#include "comune.h"

#include "codecs.h"
#include "filerubrica.h"
#include "globali.h"
#include "setcaratteri.h"
#include "vocefile.h"

namespace {

constexpr int MaxTesti = 1 + 2 * 40;

QString Descrivi(const VoceRubrica& voce)
{
    return QStringLiteral("%1 [%2] [%3] %4")
        .arg(voce.Posizione, voce.Nome, voce.Numero)
        .arg(voce.Rossa ? 1 : 0);
}

// A red name longer than its field keeps its mark at the field's end.
QString NomeNelCampo(const QString& nome)
{
    if (nome.size() > LunghezzaNomeFile && nome.endsWith(u'!'))
        return nome.left(LunghezzaNomeFile - 1) + u'!';
    return nome.left(LunghezzaNomeFile);
}

// The entry expected back: its texts cut to their fields, without the blank padding at either
// end; a position whose texts are left empty is free.
VoceRubrica Attesa(const VoceRubrica& voce, int posizione)
{
    VoceRubrica attesa;
    attesa.Nome = TagliaSpazi(NomeNelCampo(voce.Nome));
    attesa.Numero = TagliaSpazi(voce.Numero.left(LunghezzaNumeroFile));
    if (!attesa.Nome.isEmpty() || !attesa.Numero.isEmpty())
        attesa.Posizione = QString::number(posizione);
    attesa.Rossa = voce.Rossa;
    return attesa;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    const QStringList testi = Parti(dati, lunghezza, MaxTesti);
    Telefono = DatiTelefono();
    Telefono.SMSC = testi[0];
    const int posizioni = static_cast<int>((testi.size() - 1) / 2);
    std::vector<VoceRubrica> scritte(static_cast<size_t>(posizioni) + 1);
    for (int p = 1; p <= posizioni; ++p) {
        VoceRubrica& voce = scritte[static_cast<size_t>(p)];
        voce.Nome = p % 2 == 0 ? QString::fromUtf8(CodificaWindows1252(testi[2 * p - 1]))
                               : testi[2 * p - 1];
        voce.Numero = testi[2 * p];
        voce.Rossa = voce.Nome.endsWith(u'!');
        if (!voce.Nome.isEmpty() || !voce.Numero.isEmpty())
            voce.Posizione = QString::number(p);
        Telefono.Rubrica[0][static_cast<size_t>(p)] = voce;
    }
    Telefono.RubTotale[0] = static_cast<int16_t>(posizioni);

    const std::optional<RubricaDaFile> letta = LeggiBytesFileRubrica(BytesFileRubrica());
    Verifica(letta.has_value(), "a phonebook file the program wrote reads");
    Verifica(letta->smsc == TagliaSpazi(Telefono.SMSC.left(LunghezzaNumeroFile)),
             "the service centre reads back as written", letta->smsc);
    Verifica(letta->totale[0] == posizioni && letta->voci[0].size() == scritte.size(),
             "the memory keeps its positions");
    for (int p = 1; p <= posizioni; ++p) {
        const VoceRubrica& scritta = scritte[static_cast<size_t>(p)];
        const VoceRubrica attesa = Attesa(scritta, p);
        const VoceRubrica& riletta = letta->voci[0][static_cast<size_t>(p)];
        const QString dettagli = Descrivi(attesa) + QStringLiteral("\n") + Descrivi(riletta);
        if (LettereNonInFile(TestiNelFile(scritta, true)).isEmpty())
            Verifica(Descrivi(riletta) == Descrivi(attesa),
                     "an entry reads back from its file with its name, number and red mark",
                     dettagli);
        else
            Verifica(Descrivi(riletta) != Descrivi(attesa),
                     "an entry the user is told loses letters in the file is one that does",
                     dettagli);
    }
    return 0;
}
