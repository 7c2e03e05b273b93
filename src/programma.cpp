#include "programma.h"

#include "collegamento.h"
#include "frmmain.h"
#include "impostazioni_telefono.h"
#include "messaggi.h"
#include "oggetti.h"
#include "rubrica.h"

frmMain* CaricaFinestraPrincipale()
{
    auto* finestra = new frmMain;
    finestra->setAttribute(Qt::WA_DeleteOnClose);
    finestra->collegamento = std::make_unique<Collegamento>(*finestra);
    finestra->rubrica = std::make_unique<Rubrica>(*finestra);
    finestra->messaggi = std::make_unique<Messaggi>(*finestra);
    finestra->impostazioni = std::make_unique<ImpostazioniTelefono>(*finestra);
    finestra->oggetti = std::make_unique<Oggetti>(*finestra);
    finestra->Form_Load();
    return finestra;
}
