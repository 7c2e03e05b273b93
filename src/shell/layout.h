#pragma once

#include <cstdint>

// The main window's layout rules by view, on outer measures in twips, free of any widget so that
// they can be checked on their own.

struct Geometria {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool visibile = false;
};

struct ControlliLayout {
    Geometria S25Tree, List1, txtSMS;
    Geometria frameLogo, frameMidi, frameCal, listProm, frameOra;
    Geometria frameReti, listaReti, listaRetiDisp, Label2, labOKKIO;
};

// True when a window of this outer size (or minimised) is not laid out at all.
bool TroppoPiccola(double W, double H, bool minimizzata);

// Lays the controls out for `vista` in a window of outer size W x H. Only the measures the view
// owns change; a pane it shows is made visible, no other visibility changes.
void LayoutPerVista(uint8_t vista, double W, double H, ControlliLayout& c);
