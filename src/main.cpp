#include "catalogo.h"
#include "frmi.h"
#include "programma.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorna"));
    QApplication::setQuitOnLastWindowClosed(false);
    CatalogoMessaggi::Carica();

    frmI splash(CaricaFinestraPrincipale);
    if (!splash.Form_Load())
        return 0;
    return QApplication::exec();
}
