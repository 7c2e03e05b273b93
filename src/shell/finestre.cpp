#include "finestre.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

int InPixel(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

QRect GeometriaTwips(const QWidget& finestra)
{
    const QRect esterno = finestra.frameGeometry();
    return {InTwips(esterno.x()), InTwips(esterno.y()), InTwips(esterno.width()),
            InTwips(esterno.height())};
}

void ImpostaGeometriaTwips(QWidget& finestra, const QRect& twips)
{
    // Qt moves by the frame's corner but resizes the client area: take the frame off the size.
    const QSize cornice = finestra.frameGeometry().size() - finestra.geometry().size();
    finestra.move(InPixel(twips.x()), InPixel(twips.y()));
    finestra.resize(QSize(InPixel(twips.width()), InPixel(twips.height())) - cornice);
}

QRect Centrato(const QRect& frm, const QRect& ref)
{
    const double left = ref.x() + (ref.width() - frm.width()) / 2.0;
    const double top = ref.y() + (ref.height() - frm.height()) / 2.0;
    return {static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)), frm.width(),
            frm.height()};
}

namespace {

// What the window manager's frame adds round a window; nothing until it has framed it.
QMargins Cornice(const QWidget& finestra)
{
    const QRect esterno = finestra.frameGeometry();
    const QRect interno = finestra.geometry();
    return {interno.left() - esterno.left(), interno.top() - esterno.top(),
            esterno.right() - interno.right(), esterno.bottom() - interno.bottom()};
}

} // namespace

void CentraForm(QWidget& frm, const QWidget* ref)
{
    QRect riferimento;
    // A window not framed yet will get the frame its owner has.
    QMargins cornice = Cornice(frm);
    if (ref) {
        riferimento = GeometriaTwips(*ref);
        if (cornice.isNull())
            cornice = Cornice(*ref);
    } else if (const QScreen* schermo = QGuiApplication::primaryScreen()) {
        const QRect s = schermo->geometry();
        riferimento = {InTwips(s.x()), InTwips(s.y()), InTwips(s.width()), InTwips(s.height())};
    } else {
        return;
    }
    const QSize esterno = frm.geometry().marginsAdded(cornice).size();
    const QRect proprio(0, 0, InTwips(esterno.width()), InTwips(esterno.height()));
    const QRect posto = Centrato(proprio, riferimento);
    frm.move(InPixel(posto.x()), InPixel(posto.y()));
}

bool InitCommonCtrls(unsigned)
{
    return true;
}
