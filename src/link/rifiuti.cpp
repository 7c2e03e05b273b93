#include "rifiuti.h"

#include "catalogo.h"
#include "interazione.h"

namespace {

constexpr int VoceValoriNonDati = 872;
constexpr int VoceSenzaValore = 873;
// Between what was not given and why: French puts a space before the colon.
constexpr int VoceDuePunti = 911;

QString Riga(const QString& cosa, const QString& perche)
{
    return cosa + Msg(VoceDuePunti) + perche;
}

} // namespace

QString UltimaRigaRifiuto()
{
    const QString riga = UltimoRifiuto();
    return riga.isEmpty() ? QStringLiteral("ERROR") : riga;
}

void LettureRifiutate::Annota(const QString& cosa)
{
    Annota(cosa, UltimaRigaRifiuto());
}

void LettureRifiutate::Annota(const QString& cosa, const QString& rigaRifiuto)
{
    righe << Riga(cosa, MotivoRifiuto(rigaRifiuto));
}

void LettureRifiutate::AnnotaSeNonDato(const QString& cosa, EsitoAT esito, bool dato)
{
    if (esito == EsitoAT::Errore)
        Annota(cosa);
    else if (!dato && RispostaDelTelefono(esito))
        righe << Riga(cosa, Msg(VoceSenzaValore));
}

void LettureRifiutate::Aggiungi(const LettureRifiutate& altre)
{
    righe << altre.righe;
}

QString LettureRifiutate::Testo(int intestazione) const
{
    QStringList testo{Msg(intestazione)};
    testo << righe;
    return testo.join(QStringLiteral("\r\n"));
}

void LettureRifiutate::Avvisa(int intestazione) const
{
    if (!Nessuna())
        MsgBox(Testo(intestazione), QMessageBox::Warning);
}

void LettureRifiutate::Avvisa() const
{
    Avvisa(VoceValoriNonDati);
}

void AvvisaRifiuto(int voce)
{
    MsgBox(Msg(voce) + MotivoRifiuto(UltimaRigaRifiuto()), QMessageBox::Warning);
}
