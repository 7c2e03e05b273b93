#pragma once

#include <optional>
#include <string>

struct xcb_connection_t;

// Where Qt can open no window it aborts with words about its platform plugins; a user started
// from a console, or with a display that is gone, is better told what is missing. Looks for a
// display as Qt does: at the platforms named by -platform or QT_QPA_PLATFORM, in their order;
// else a Wayland compositor first, where WAYLAND_DISPLAY is set or the session says it is
// Wayland's, then the X server of DISPLAY. A platform that needs no display (offscreen, a
// framebuffer) is Qt's to open.
class SessioneGrafica {
public:
    SessioneGrafica(int argc, char* argv[]);
    ~SessioneGrafica();
    SessioneGrafica(const SessioneGrafica&) = delete;
    SessioneGrafica& operator=(const SessioneGrafica&) = delete;

    // The line that tells the user what was tried; none when a display answers.
    const std::optional<std::string>& Mancante() const { return mancante; }
    // An X server that no other client uses starts afresh when its last client leaves, and
    // refuses whoever connects meanwhile: the connection that found it is let go once Qt has
    // its own.
    void Lascia();

private:
    std::optional<std::string> xMuto(const std::string& schermo);

    xcb_connection_t* x = nullptr;
    std::optional<std::string> mancante;
};
