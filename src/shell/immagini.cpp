#include "immagini.h"

#include <QString>

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
