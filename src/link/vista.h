#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <utility>

class frmMain;
class ListaReport;
class QWidget;

// A view of the main window, as the one road of the views (ApriVista) takes it.
struct Vista {
    Vista(QString nodo, uint8_t codiceVista, QStringList pulsantiVista = {})
        : chiave(std::move(nodo)), codice(codiceVista), pulsanti(std::move(pulsantiVista))
    {}

    // The key of the view's tree node, by which the window knows which view is on show.
    QString chiave;
    // The view code the window is laid out by.
    uint8_t codice;
    // The toolbar buttons the view offers, by key, shown disabled until it is filled. With
    // "pAggiorna" among them the view has Refresh, which reads it again.
    QStringList pulsanti;
    // The pane the view shows in place of the shared list; none for a view in the list.
    QWidget* riquadro = nullptr;
    // Its data is there to show, read from the phone or loaded from a file.
    std::function<bool()> letta = [] { return true; };
    // Reads from the phone what the view lacks, or what Refresh asked for again: only while the
    // phone is connected and the line free, and the data is not there unless `leggeSempre`.
    std::function<void()> leggi = [] {};
    // The view reads at every showing, choosing itself what.
    bool leggeSempre = false;
    // What the view shows whether or not its data is there: columns, captions.
    std::function<void()> prepara = [] {};
    // Tells that the data is not there and cannot be read now; by default the list's one
    // "Unavailable" row, and nothing in a pane, which stays disabled.
    std::function<void()> nonDisponibile;
    // Fills the view from the tables.
    std::function<void()> riempi = [] {};
};

// Shows a view. While the phone is connected and the line free, the view first reads what it
// lacks. A read of the view on show, as Refresh asks for, that the link cut short leaves the view
// as it was, as Disconnect does. Otherwise the window is reset for the view, which is then
// filled, or, when its data is not there and the link is down or the phone left the read
// unanswered, tells that it is unavailable, offering Refresh while the phone is connected.
void ApriVista(frmMain& f, const Vista& vista);

// The one row of a list whose data could not be read: "Unavailable" with its picture.
void AggiungiNonDisponibile(ListaReport& elenco);
// The layout of a list of captions and values: two columns without headers, unsorted; only the
// captions' column without `conValore`.
void LayoutChiaveValore(ListaReport& elenco, bool conValore = true);
