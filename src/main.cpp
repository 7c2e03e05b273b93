#include "catalogo.h"
#include "frmi.h"
#include "programma.h"
#include "sessionegrafica.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    SessioneGrafica sessione(argc, argv);
    if (sessione.Mancante()) {
        std::fputs(sessione.Mancante()->c_str(), stderr);
        return 1;
    }
    QApplication app(argc, argv);
    sessione.Lascia();
    QApplication::setApplicationName(QStringLiteral("Quorna"));
    QApplication::setQuitOnLastWindowClosed(false);
    CatalogoMessaggi::Carica();

    frmI splash(CaricaFinestraPrincipale);
    if (!splash.Form_Load())
        return 0;
    return QApplication::exec();
}
