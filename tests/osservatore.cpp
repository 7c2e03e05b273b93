// A plugin the start-up test loads into the program itself, as Qt loads its generic plugins
// (QT_QPA_GENERIC_PLUGINS=osservatore): for each window the program shows it writes a line on the
// standard error, with the window's class, its title and a message box's text, so that the test
// sees what the program's user sees.

#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QMessageBox>

#include <cstdio>

namespace {

class Osservatore : public QObject {
protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override
    {
        if (evento->type() != QEvent::Show || !oggetto->isWidgetType())
            return false;
        const auto* finestra = static_cast<const QWidget*>(oggetto);
        if (!finestra->isWindow())
            return false;
        QString riga = QString::fromLatin1(finestra->metaObject()->className())
                       + QStringLiteral(": ") + finestra->windowTitle();
        if (const auto* box = qobject_cast<const QMessageBox*>(finestra))
            riga += QStringLiteral(": ") + box->text();
        std::fprintf(stderr, "%s\n", qUtf8Printable(riga));
        std::fflush(stderr);
        return false;
    }
};

} // namespace

class PluginOsservatore : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "osservatore.json")
public:
    QObject* create(const QString&, const QString&) override
    {
        auto* osservatore = new Osservatore;
        QCoreApplication::instance()->installEventFilter(osservatore);
        return osservatore;
    }
};

#include "osservatore.moc"
