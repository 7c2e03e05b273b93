#include "immagini.h"

#include <QString>

#include <array>

// Resources compiled into a static library must be registered by hand, outside any namespace.
static void registraIcone()
{
    static const bool fatto = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    Q_UNUSED(fatto);
}

namespace {

QIcon icona(const char* cartella, int numero)
{
    registraIcone();
    return QIcon(QStringLiteral(":/icons/%1/%2.png")
                     .arg(QLatin1String(cartella))
                     .arg(numero, 2, 10, QLatin1Char('0')));
}

} // namespace

QIcon ImmagineLista(int numero)
{
    return icona("lista", numero);
}

QIcon ImmagineBarra(int numero)
{
    return icona("barra", numero);
}

QPixmap Figura(const QString& nome)
{
    registraIcone();
    return QPixmap(QStringLiteral(":/icons/%1.png").arg(nome));
}

QColor ColorePalette(uint8_t indice)
{
    static const std::array<QColor, 16> palette{
        QColor(0, 0, 0),       QColor(0, 0, 128),   QColor(0, 128, 0),   QColor(0, 128, 128),
        QColor(128, 0, 0),     QColor(128, 0, 128), QColor(128, 128, 0), QColor(192, 192, 192),
        QColor(128, 128, 128), QColor(0, 0, 255),   QColor(0, 255, 0),   QColor(0, 255, 255),
        QColor(255, 0, 0),     QColor(255, 0, 255), QColor(255, 255, 0), QColor(255, 255, 255)};
    return palette[indice & 0xF];
}
