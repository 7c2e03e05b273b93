#include "catalogo.h"

#include "globali.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>

#include <array>

namespace {

using Testi = std::array<std::optional<QString>, 3>;

QMap<int, Testi>& tabella()
{
    static QMap<int, Testi> voci;
    return voci;
}

std::optional<QString> testoDa(const QJsonValue& valore)
{
    if (!valore.isString())
        return std::nullopt;
    return valore.toString();
}

} // namespace

// Resources compiled into a static library must be registered by hand, outside any namespace.
static void registraRisorse()
{
    Q_INIT_RESOURCE(catalogo);
}

namespace CatalogoMessaggi {

bool Carica()
{
    registraRisorse();
    QFile file(QStringLiteral(":/catalogo.json"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonDocument documento = QJsonDocument::fromJson(file.readAll());
    if (!documento.isArray())
        return false;
    QMap<int, Testi> voci;
    for (const QJsonValue& riga : documento.array()) {
        const QJsonArray campi = riga.toArray();
        if (campi.size() < 4)
            continue;
        voci.insert(campi.at(0).toInt(),
                    Testi{testoDa(campi.at(1)), testoDa(campi.at(2)), testoDa(campi.at(3))});
    }
    tabella() = std::move(voci);
    return !tabella().isEmpty();
}

std::optional<QString> TestoLingua(int voce, int lingua)
{
    if (lingua < Italiano || lingua > Francese)
        return std::nullopt;
    const auto trovata = tabella().constFind(voce);
    if (trovata == tabella().cend())
        return std::nullopt;
    return (*trovata)[static_cast<size_t>(lingua)];
}

std::optional<QString> Testo(int voce)
{
    // The resource id BaseLang + voce - 1 names the language by its thousands.
    return TestoLingua(voce, (BaseLang - 1) / 1000);
}

QList<int> Voci()
{
    return tabella().keys();
}

} // namespace CatalogoMessaggi

QString Msg(int voce)
{
    return CatalogoMessaggi::Testo(voce).value_or(QString());
}
