#include "catalogo.h"
#include "collegamento.h"
#include "frmi.h"
#include "frmmain.h"
#include "impostazioni_telefono.h"
#include "messaggi.h"
#include "rubrica.h"

#include <QApplication>

namespace {

// Builds the main window with every subsystem in place, then runs its load.
frmMain* caricaFinestraPrincipale()
{
    auto* finestra = new frmMain;
    finestra->setAttribute(Qt::WA_DeleteOnClose);
    finestra->collegamento = std::make_unique<Collegamento>(*finestra);
    finestra->rubrica = std::make_unique<Rubrica>(*finestra);
    finestra->messaggi = std::make_unique<Messaggi>();
    finestra->impostazioni = std::make_unique<ImpostazioniTelefono>(*finestra);
    finestra->Form_Load();
    return finestra;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorna"));
    QApplication::setQuitOnLastWindowClosed(false);
    CatalogoMessaggi::Carica();

    frmI splash(caricaFinestraPrincipale);
    if (!splash.Form_Load())
        return 0;
    return QApplication::exec();
}
