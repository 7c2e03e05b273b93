#include "layout.h"

namespace {

void elencoIntero(double W, double H, ControlliLayout& c)
{
    c.List1.width = W - 2450;
    c.List1.height = H - 1440;
}

void riquadro(Geometria& pannello, double W, double H)
{
    pannello.width = W - 2580;
    pannello.height = H - 1450;
    pannello.visibile = true;
}

void messaggi(double W, double H, ControlliLayout& c)
{
    c.List1.width = W - 2450;
    c.List1.height = H / 3;
    c.txtSMS.top = c.List1.top + c.List1.height + 50;
    c.txtSMS.height = c.S25Tree.height - c.List1.height - 30;
    c.txtSMS.left = c.List1.left;
    c.txtSMS.width = c.List1.width;
    c.txtSMS.visibile = true;
}

void calendario(double W, double H, ControlliLayout& c)
{
    riquadro(c.frameCal, W, H);
    c.listProm.width = c.frameCal.width - 400;
    c.listProm.height = c.frameCal.height - c.listProm.top - 200;
}

void selezioneRete(double W, double H, ControlliLayout& c)
{
    c.List1.width = W - 2450;
    c.List1.height = (H - 1440) / 2;
    c.frameReti.top = c.List1.top + c.List1.height + 40;
    c.frameReti.height = c.List1.height - 40;
    c.frameReti.width = W - 2580;
    c.listaReti.left = c.frameReti.width / 2;
    c.listaRetiDisp.width = c.listaReti.left - 300;
    c.listaReti.width = c.listaRetiDisp.width;
    c.listaReti.height = c.frameReti.height - c.listaReti.top - 500;
    c.listaRetiDisp.height = c.listaReti.height;
    c.Label2.left = c.listaReti.left;
    c.labOKKIO.top = c.listaRetiDisp.top + c.listaRetiDisp.height + 50;
}

} // namespace

bool TroppoPiccola(double W, double H, bool minimizzata)
{
    return minimizzata || W <= 3000 || H <= 3000;
}

void LayoutPerVista(uint8_t vista, double W, double H, ControlliLayout& c)
{
    c.S25Tree.height = H - 1470;
    switch (vista) {
    case 0:
    case 3:
    case 4:
    case 5:
    case 6:
    case 10:
    case 11:
    case 12:
        elencoIntero(W, H, c);
        break;
    case 2:
        messaggi(W, H, c);
        break;
    case 1:
        riquadro(c.frameLogo, W, H);
        break;
    case 7:
        riquadro(c.frameMidi, W, H);
        break;
    case 8:
        calendario(W, H, c);
        break;
    case 9:
        riquadro(c.frameOra, W, H);
        break;
    case 13:
        selezioneRete(W, H, c);
        break;
    default:
        break;
    }
}
