#include "sessionegrafica.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstring>
#include <sstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

namespace {

const std::string Inizio = "Quorna needs a graphical desktop session: ";

// The value that follows one of Qt's own options ("-platform xcb", or with two dashes); none
// without it.
const char* valoreOpzione(int argc, char* argv[], const std::string& opzione)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (argv[i] == "-" + opzione || argv[i] == "--" + opzione)
            return argv[i + 1];
    return nullptr;
}

// The platforms Qt is told to try, in order, each without its options and in lower case, as Qt
// takes their names in any case: the -platform argument, else QT_QPA_PLATFORM, where ';'
// separates the ones to fall back on.
std::vector<std::string> piattaformeNominate(int argc, char* argv[])
{
    const char* argomento = valoreOpzione(argc, argv, "platform");
    std::istringstream elenco(
        (argomento ? QByteArray(argomento) : qgetenv("QT_QPA_PLATFORM")).toLower().toStdString());
    std::vector<std::string> nomi;
    for (std::string nome; std::getline(elenco, nome, ';');) {
        nome = nome.substr(0, nome.find(':'));
        if (!nome.empty())
            nomi.push_back(nome);
    }
    return nomi;
}

bool socketRisponde(const std::string& percorso)
{
    sockaddr_un indirizzo{};
    indirizzo.sun_family = AF_UNIX;
    if (percorso.size() >= sizeof indirizzo.sun_path)
        return false;
    std::memcpy(indirizzo.sun_path, percorso.c_str(), percorso.size() + 1);
    const int presa = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (presa < 0)
        return false;
    const bool risponde
        = ::connect(presa, reinterpret_cast<const sockaddr*>(&indirizzo), sizeof indirizzo) == 0;
    ::close(presa);
    return risponde;
}

// The compositor as the Wayland client library finds it: a socket handed over in WAYLAND_SOCKET,
// else the one WAYLAND_DISPLAY names ("wayland-0" when unset), in XDG_RUNTIME_DIR unless the
// name is a path. What was tried, when nothing answers there.
std::optional<std::string> waylandMuto()
{
    if (qEnvironmentVariableIsSet("WAYLAND_SOCKET"))
        return std::nullopt;
    std::string percorso = qgetenv("WAYLAND_DISPLAY").toStdString();
    if (percorso.empty())
        percorso = "wayland-0";
    if (percorso.front() != '/') {
        const QByteArray cartella = qgetenv("XDG_RUNTIME_DIR");
        if (cartella.isEmpty())
            return "the Wayland display " + percorso + " (XDG_RUNTIME_DIR is not set)";
        percorso = cartella.toStdString() + "/" + percorso;
    }
    if (socketRisponde(percorso))
        return std::nullopt;
    return "the Wayland socket " + percorso;
}

} // namespace

SessioneGrafica::SessioneGrafica(int argc, char* argv[])
{
    const char* opzioneSchermo = valoreOpzione(argc, argv, "display");
    const std::string schermo = opzioneSchermo ? opzioneSchermo : qgetenv("DISPLAY").toStdString();
    std::vector<std::string> piattaforme = piattaformeNominate(argc, argv);
    if (piattaforme.empty()) {
        // Qt's own choice: a Wayland compositor first, where the session is Wayland's, then X.
        const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
        if (schermo.empty() && !wayland) {
            mancante = Inizio + "neither DISPLAY nor WAYLAND_DISPLAY is set.\n";
            return;
        }
        if (wayland || qgetenv("XDG_SESSION_TYPE") == "wayland")
            piattaforme.emplace_back("wayland");
        if (!schermo.empty())
            piattaforme.emplace_back("xcb");
    }
    std::string provati;
    for (const std::string& piattaforma : piattaforme) {
        std::optional<std::string> muto;
        if (piattaforma == "xcb")
            muto = schermo.empty() ? "the X display (DISPLAY is not set)" : xMuto(schermo);
        else if (piattaforma.rfind("wayland", 0) == 0)
            muto = waylandMuto();
        else
            return; // offscreen, a framebuffer, VNC: nothing here to look for
        if (!muto)
            return;
        provati += (provati.empty() ? "" : " nor at ") + *muto;
    }
    mancante = Inizio + "no display answers at " + provati + ".\n";
}

SessioneGrafica::~SessioneGrafica()
{
    Lascia();
}

void SessioneGrafica::Lascia()
{
    if (x)
        xcb_disconnect(std::exchange(x, nullptr));
}

// The X server as Qt's own connection reaches it, its authorisation included.
std::optional<std::string> SessioneGrafica::xMuto(const std::string& schermo)
{
    x = xcb_connect(schermo.c_str(), nullptr);
    if (xcb_connection_has_error(x) == 0)
        return std::nullopt;
    Lascia();
    return "the X display " + schermo;
}
