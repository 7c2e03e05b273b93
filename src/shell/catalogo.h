#pragma once

#include <QString>
#include <optional>

// The message catalogue: every user-visible text by entry number, in Italian, English and French.
// A text the current language lacks is a failed lookup, not an empty text: a caption whose lookup
// fails keeps what it had.
namespace CatalogoMessaggi {

constexpr int Italiano = 0;
constexpr int Inglese = 1;
constexpr int Francese = 2;

// Loads the compiled-in catalogue; false when it is missing or unreadable.
bool Carica();

// Entry `voce` in `lingua`.
std::optional<QString> TestoLingua(int voce, int lingua);

// Entry `voce` in the current language, the one BaseLang names.
std::optional<QString> Testo(int voce);

// Every entry number the catalogue holds, ascending.
QList<int> Voci();

} // namespace CatalogoMessaggi

// The text of entry `voce` in the current language, or an empty text when it has none: for
// message boxes and texts built up from pieces, where there is no previous caption to keep.
QString Msg(int voce);

// "Unknown": what a view shows for a value the phone did not give.
inline constexpr int VoceSconosciuto = 333;

// Applies entry `voce` through `assegna` only when the lookup succeeds.
template <class Assegna>
void SeTesto(int voce, Assegna&& assegna)
{
    if (const auto testo = CatalogoMessaggi::Testo(voce))
        assegna(*testo);
}
