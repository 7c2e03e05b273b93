#include "finestre.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QSpacerItem>
#include <QWidget>

#include <algorithm>
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

void AdattaAlloSchermo(QWidget& finestra)
{
    const QScreen* schermo = QGuiApplication::screenAt(finestra.frameGeometry().center());
    if (!schermo)
        schermo = finestra.screen();
    if (!schermo)
        return;
    const QRect libero = schermo->availableGeometry();
    finestra.resize(finestra.size().boundedTo(libero.size().shrunkBy(Cornice(finestra))));
    const QRect esterno = finestra.frameGeometry();
    const auto dentro = [](int inizio, int misura, int liberoInizio, int liberoMisura) {
        return std::clamp(inizio, liberoInizio,
                          std::max(liberoInizio, liberoInizio + liberoMisura - misura));
    };
    finestra.move(dentro(esterno.x(), esterno.width(), libero.x(), libero.width()),
                  dentro(esterno.y(), esterno.height(), libero.y(), libero.height()));
}

bool InitCommonCtrls(unsigned)
{
    return true;
}

namespace {

// What a title bar takes beside its title: the window's icon, the minimise, maximise and close
// buttons and the margins round them and the text. Openbox takes 112 pixels of a window's width;
// the others take as much or less.
constexpr int BordoTitolo = 130;

// The room a dialog's layout keeps for its title, as wide as its contents.
class SpazioTitolo : public QSpacerItem {
public:
    SpazioTitolo() : QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum) {}
};

SpazioTitolo* spazioTitolo(QLayout& disposizione)
{
    for (int i = 0; i < disposizione.count(); ++i)
        if (auto* spazio = dynamic_cast<SpazioTitolo*>(disposizione.itemAt(i)->spacerItem()))
            return spazio;
    auto* spazio = new SpazioTitolo;
    if (auto* griglia = qobject_cast<QGridLayout*>(&disposizione))
        griglia->addItem(spazio, griglia->rowCount(), 0, 1, griglia->columnCount());
    else
        disposizione.addItem(spazio);
    return spazio;
}

// Makes a dialog as wide as its title needs. The width goes into its layout, where there is one
// that runs down the dialog: a layout that fixes the dialog's size, and a message box, which
// sizes itself as it shows, then keep it.
void allargaPerTitolo(QDialog& dialogo)
{
    const int serve = LarghezzaPerTitolo(dialogo);
    QLayout* disposizione = dialogo.layout();
    const auto* colonna = qobject_cast<QBoxLayout*>(disposizione);
    const bool sviluppoInBasso = qobject_cast<QGridLayout*>(disposizione)
                                 || (colonna
                                     && (colonna->direction() == QBoxLayout::TopToBottom
                                         || colonna->direction() == QBoxLayout::BottomToTop));
    const int prima = dialogo.width();
    if (sviluppoInBasso) {
        const QMargins margini = disposizione->contentsMargins();
        spazioTitolo(*disposizione)
            ->changeSize(std::max(0, serve - margini.left() - margini.right()), 0,
                         QSizePolicy::Minimum, QSizePolicy::Minimum);
        disposizione->invalidate();
        disposizione->activate();
    } else if (prima < serve) {
        dialogo.setMinimumWidth(serve);
    }
    if (dialogo.width() < serve)
        dialogo.resize(serve, dialogo.height());
    // A dialog the program placed keeps its centre; one it did not place is centred as it shows.
    if (dialogo.testAttribute(Qt::WA_Moved) && dialogo.width() != prima)
        dialogo.move(dialogo.x() - (dialogo.width() - prima) / 2, dialogo.y());
}

// Applies the rule to every dialog and message box of the program as it shows.
class TitoliInteri : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override
    {
        if (evento->type() == QEvent::Show && !evento->spontaneous())
            if (auto* dialogo = qobject_cast<QDialog*>(oggetto); dialogo && dialogo->isWindow())
                allargaPerTitolo(*dialogo);
        return false;
    }
};

void installaTitoliInteri()
{
    QCoreApplication* programma = QCoreApplication::instance();
    programma->installEventFilter(new TitoliInteri(programma));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installaTitoliInteri)

int LarghezzaPerTitolo(const QWidget& finestra)
{
    QFont carattere = finestra.font();
    carattere.setBold(true);
    return QFontMetrics(carattere).horizontalAdvance(finestra.windowTitle()) + BordoTitolo;
}
