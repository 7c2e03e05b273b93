#pragma once

// The bench of the end-to-end tests of logos, melodies and reminders: the main window with the
// objects subsystem, no logo or melody file left by an earlier test, the phone's reminders at
// hand, and files dropped as the platform drops them.

#include "banco.h"
#include "oggetti.h"
#include "statobase.h"
#include "trasferimento.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

class BancoOggetti : protected Banco {
protected:
    Oggetti* oggetti = nullptr;

    explicit BancoOggetti(QByteArray seme) : Banco(std::move(seme)) {}

    void apriOggetti()
    {
        StatoDiPartenza();
        QFile::remove(FileLogo());
        QFile::remove(FileMidi());
        oggetti = apriCon<Oggetti>(&frmMain::oggetti);
    }

    // The reminder the phone holds at that position, or none.
    QByteArray promNelTelefono(int posizione) const
    {
        const auto& promemoria = telefono->state().objects.reminders;
        const auto trovato = promemoria.find(posizione);
        return trovato == promemoria.end() ? QByteArray() : trovato->second;
    }

    // A drop as the platform delivers it: the drag enters the target first, which makes it the
    // target of the drop. The data are spent with it.
    static void rilascia(QWidget* bersaglio, QMimeData* dati)
    {
        QDragEnterEvent entrata(QPoint(2, 2), Qt::CopyAction, dati, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(bersaglio, &entrata);
        QDropEvent rilascio(QPointF(2, 2), Qt::CopyAction, dati, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(bersaglio, &rilascio);
        delete dati;
    }

    // A file dropped from outside.
    static QMimeData* DatiFile(const QString& percorso)
    {
        auto* dati = new QMimeData;
        dati->setUrls({QUrl::fromLocalFile(percorso)});
        return dati;
    }
};
