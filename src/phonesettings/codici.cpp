#include "codici.h"

#include "campirisposta.h"
#include "globali.h"

#include <optional>

namespace {

// Slot 3 belongs to fixed dialling, which the phone never lists.
constexpr std::array<const char16_t*, NumLunghezzeCodici> CodiciPerSlot{
    u"P2", u"PS", u"SC", nullptr, u"AO", u"OI", u"OX", u"AI", u"IR", u"AB", u"AG", u"AC"};

constexpr QChar Virgoletta = u'"';
constexpr QChar Virgola = u',';
constexpr int LunghezzaMassima = 255;

// The length that starts at `da`, blanks before it allowed; none when there is no digit or the
// number does not fit a length.
std::optional<int> LunghezzaDa(const QString& testo, qsizetype da)
{
    while (da < testo.size() && testo.at(da) == u' ')
        ++da;
    qsizetype fine = da;
    while (fine < testo.size() && testo.at(fine) >= u'0' && testo.at(fine) <= u'9')
        ++fine;
    return InteroTra(QStringView(testo).mid(da, fine - da), 0, LunghezzaMassima);
}

} // namespace

int SlotCodice(QStringView codice)
{
    for (size_t slot = 0; slot < CodiciPerSlot.size(); ++slot) {
        if (CodiciPerSlot[slot] && codice == QStringView(CodiciPerSlot[slot]))
            return static_cast<int>(slot);
    }
    return -1;
}

void DecodificaLunghezzeCodici(const QString& risposta,
                               std::array<uint8_t, NumLunghezzeCodici>& lunghezze)
{
    for (qsizetype apre = risposta.indexOf(Virgoletta); apre >= 0;
         apre = risposta.indexOf(Virgoletta, apre + 1)) {
        const qsizetype chiude = risposta.indexOf(Virgoletta, apre + 1);
        if (chiude < 0)
            return;
        const qsizetype virgola = risposta.indexOf(Virgola, chiude);
        const int slot = SlotCodice(QStringView(risposta).mid(apre + 1, chiude - apre - 1));
        if (virgola >= 0 && slot >= 0) {
            if (const auto lunghezza = LunghezzaDa(risposta, virgola + 1))
                lunghezze[static_cast<size_t>(slot)] = static_cast<uint8_t>(*lunghezza);
        }
        apre = chiude;
    }
}

void DecodificaLunghezzeCodici(const QString& risposta)
{
    DecodificaLunghezzeCodici(risposta, Telefono.LunghezzaCodici);
}
