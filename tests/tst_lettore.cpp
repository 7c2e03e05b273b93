// The message reader pane's runs of coloured text.

#include "catalogo.h"
#include "frmmain.h"
#include "immagini.h"
#include "messaggi.h"

#include <QApplication>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

namespace {

// The colour of each character of the pane, by palette index.
QList<int> coloriDelTesto(const QTextEdit& pannello)
{
    QList<int> colori;
    QTextCursor cursore(pannello.document());
    while (!cursore.atEnd()) {
        cursore.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        const QColor colore = cursore.charFormat().foreground().color();
        int indice = -1;
        for (int i = 0; i < 16 && indice < 0; ++i)
            if (ColorePalette(static_cast<uint8_t>(i)) == colore)
                indice = i;
        colori << indice;
        cursore.clearSelection();
    }
    return colori;
}

} // namespace

class TstLettore : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }

    // SetColor recolours the end of the pane's text and leaves the caret at the end.
    void setColor()
    {
        frmMain finestra;
        Messaggi messaggi(finestra);
        messaggi.OutRTF(QStringLiteral("From: "), 0, QStringLiteral("Times New Roman"), 12, true);
        messaggi.OutRTF(QStringLiteral("Anna"), 0, QStringLiteral("Times New Roman"), 12, false);
        messaggi.SetColor(9, 4);
        QCOMPARE(coloriDelTesto(*finestra.txtSMS), (QList<int>{0, 0, 0, 0, 0, 0, 9, 9, 9, 9}));
        QCOMPARE(finestra.txtSMS->textCursor().position(), 10);
        QVERIFY(!finestra.txtSMS->textCursor().hasSelection());

        // More characters than the pane holds, or no colour of the palette: nothing changes.
        messaggi.SetColor(12, 11);
        messaggi.SetColor(16, 2);
        QCOMPARE(coloriDelTesto(*finestra.txtSMS), (QList<int>{0, 0, 0, 0, 0, 0, 9, 9, 9, 9}));
        QCOMPARE(finestra.txtSMS->textCursor().position(), 10);
        QCOMPARE(finestra.txtSMS->toPlainText(), QStringLiteral("From: Anna"));
    }
};

QTEST_MAIN(TstLettore)
#include "tst_lettore.moc"
