#include "sessionegrafica.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>
#include <xcb/xcb.h>

namespace {

bool piattaformaNominata(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
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
    if (piattaformaNominata(argc, argv))
        return;
    const std::string schermo = qgetenv("DISPLAY").toStdString();
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const std::string inizio = "Quorna needs a graphical desktop session: ";
    if (schermo.empty() && !wayland) {
        mancante = inizio + "neither DISPLAY nor WAYLAND_DISPLAY is set.\n";
        return;
    }
    std::string provati;
    if (wayland || qgetenv("XDG_SESSION_TYPE") == "wayland") {
        const std::optional<std::string> muto = waylandMuto();
        if (!muto)
            return;
        provati = *muto;
    }
    if (!schermo.empty()) {
        const std::optional<std::string> muto = xMuto(schermo);
        if (!muto)
            return;
        provati += (provati.empty() ? "" : " nor at ") + *muto;
    }
    mancante = inizio + "no display answers at " + provati + ".\n";
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
