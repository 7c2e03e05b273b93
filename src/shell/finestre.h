#pragma once

#include <QRect>

class QWidget;

// Window measures are kept in twips, as the settings store and the layout rules have them.
constexpr int TwipsPerPixel = 15;

constexpr int InTwips(int pixel)
{
    return pixel * TwipsPerPixel;
}
int InPixel(double twips);

// Outer (frame) geometry of a top-level window, in twips.
QRect GeometriaTwips(const QWidget& finestra);
// Moves and sizes a top-level window so that its outer geometry becomes `twips`.
void ImpostaGeometriaTwips(QWidget& finestra, const QRect& twips);

// Centres `frm` over `ref`, or over the screen when `ref` is null. Not clamped to the screen.
void CentraForm(QWidget& frm, const QWidget* ref);

// Brings a top-level window, with its frame, onto the free area of the screen its centre is on
// (its own screen when the centre is on none): no larger than that area, as far as its contents
// allow, and moved the least that puts it inside.
void AdattaAlloSchermo(QWidget& finestra);

// The pure rule behind CentraForm, on outer measures.
QRect Centrato(const QRect& frm, const QRect& ref);

// The width (pixels) a window needs for the window manager to show its title whole: the title
// in a bold face of the window's font, and the room the frame's icon, buttons and margins take
// beside it. Every dialog and message box the program shows is made at least this wide as it
// shows, keeping its centre where it was placed.
int LarghezzaPerTitolo(const QWidget& finestra);

// Registers the platform's common controls; Qt needs nothing, so it always succeeds.
bool InitCommonCtrls(unsigned flags);
