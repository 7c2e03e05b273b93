#include "lettereperse.h"

#include "catalogo.h"
#include "interazione.h"
#include "scambio.h"
#include "setcaratteri.h"

namespace {

constexpr int VoceLetterePerse = 940;
// Between the text and its letters: French puts a space before the colon.
constexpr int VoceDuePunti = 911;

} // namespace

void LetterePerse::Annota(const QString& chi, const QString& testo)
{
    if (const QString perse = LettereNonInFile(testo); !perse.isEmpty())
        righe << chi + Msg(VoceDuePunti) + perse;
}

QString LetterePerse::Testo() const
{
    return (QStringList{Msg(VoceLetterePerse)} + righe).join(QStringLiteral("\r\n"));
}

void LetterePerse::Avvisa() const
{
    if (Nessuna())
        return;
    AvvisaDopoOperazione(Testo(), QMessageBox::Warning);
    MostraAvvisiInSospeso();
}

bool LetterePerse::Conferma(int domanda, QWidget* padre) const
{
    return Nessuna()
           || MsgBox(Testo() + QStringLiteral("\r\n") + Msg(domanda), QMessageBox::Question,
                     QMessageBox::Yes | QMessageBox::No, QString(), padre)
                  == QMessageBox::Yes;
}
