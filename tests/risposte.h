#pragma once

// A stand-in for the user in front of message boxes, file dialogs and the print dialog: it
// records what the program asked and gives the answers the test queued.

#include "interazione.h"

#include <QPrinter>
#include <QQueue>
#include <QStringList>

class RisposteFinte : public Interazione {
public:
    RisposteFinte() { ImpostaInterazione(this); }
    ~RisposteFinte() override { ImpostaInterazione(nullptr); }

    struct Box {
        QMessageBox::Icon icona;
        QString titolo;
        QString testo;
        QMessageBox::StandardButtons pulsanti;
    };
    QList<Box> boxes;
    QQueue<QMessageBox::StandardButton> pulsantiDaPremere;
    QQueue<QString> fileDaScegliere;
    QStringList filtriChiesti;
    QString pdfStampa; // when set, printing goes to this PDF file
    bool stampaAnnullata = false;

    // The message boxes shown so far, by their text.
    QStringList testi() const
    {
        QStringList tutti;
        for (const Box& box : boxes)
            tutti << box.testo;
        return tutti;
    }

    QMessageBox::StandardButton Messaggio(QWidget*, QMessageBox::Icon icona, const QString& titolo,
                                          const QString& testo,
                                          QMessageBox::StandardButtons pulsanti) override
    {
        boxes.append({icona, titolo, testo, pulsanti});
        if (!pulsantiDaPremere.isEmpty())
            return pulsantiDaPremere.dequeue();
        return pulsanti.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::NoButton;
    }

    QString ApriFile(QWidget*, const QString&, const QString& filtro) override
    {
        filtriChiesti << filtro;
        return fileDaScegliere.isEmpty() ? QString() : fileDaScegliere.dequeue();
    }

    QString SalvaFile(QWidget*, const QString&, const QString& filtro, const QString&) override
    {
        filtriChiesti << filtro;
        return fileDaScegliere.isEmpty() ? QString() : fileDaScegliere.dequeue();
    }

    bool Stampa(QWidget*, QPrinter& stampante) override
    {
        if (stampaAnnullata)
            return false;
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(pdfStampa);
        return true;
    }
};
