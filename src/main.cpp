#include "catalogo.h"
#include "frmi.h"
#include "programma.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

// Where Qt has no display to open it aborts with words about its platform plugins; a user
// started from a console without a desktop is better told what is missing. A platform named by
// QT_QPA_PLATFORM or -platform is Qt's to check.
bool SessioneGraficaAssente(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return false;
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
           && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[])
{
    if (SessioneGraficaAssente(argc, argv)) {
        std::fputs("Quorna needs a graphical desktop session: neither DISPLAY nor WAYLAND_DISPLAY "
                   "is set.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorna"));
    QApplication::setQuitOnLastWindowClosed(false);
    CatalogoMessaggi::Carica();

    frmI splash(CaricaFinestraPrincipale);
    if (!splash.Form_Load())
        return 0;
    return QApplication::exec();
}
