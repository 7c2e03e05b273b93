// Logos, melodies and reminders against a hostile phone and hostile files: replies that look
// like a prompt without being one, numbers out of range, pictures that claim a huge size, and
// reminders written by other calendars. Nothing may crash, and nothing the phone or a file
// holds is lost, hidden or changed on its way through the program.

#include "banco.h"
#include "blocchi.h"
#include "catalogo.h"
#include "frmmain.h"
#include "globali.h"
#include "oggetti.h"
#include "s25simulator.h"
#include "statobase.h"
#include "trasferimento.h"

#include <QAction>
#include <QtTest>

using s25sim::S25Simulator;

namespace {

// A logo as the phone keeps its own: 97 x 26 pixels in the standard 16 colours, in their
// standard order, 4 bits a pixel, rows bottom-up padded to 4 bytes.
QByteArray LogoDelTelefono()
{
    QByteArray bmp;
    QDataStream dati(&bmp, QIODevice::WriteOnly);
    dati.setByteOrder(QDataStream::LittleEndian);
    dati.writeRawData("BM", 2);
    dati << quint32(1470) << quint32(0) << quint32(118);
    dati << quint32(40) << qint32(97) << qint32(26) << quint16(1) << quint16(4) << quint32(0)
         << quint32(1352) << qint32(3780) << qint32(3780) << quint32(16) << quint32(0);
    const char* colori = "000000"
                         "800000"
                         "008000"
                         "808000"
                         "000080"
                         "800080"
                         "008080"
                         "C0C0C0"
                         "808080"
                         "FF0000"
                         "00FF00"
                         "FFFF00"
                         "0000FF"
                         "FF00FF"
                         "00FFFF"
                         "FFFFFF";
    for (int c = 0; c < 16; ++c) {
        const QByteArray rgb = QByteArray::fromHex(QByteArray(colori + 6 * c, 6));
        dati << quint8(rgb.at(2)) << quint8(rgb.at(1)) << quint8(rgb.at(0)) << quint8(0);
    }
    for (int y = 0; y < 26; ++y)
        for (int b = 0; b < 52; ++b)
            dati << quint8(b < 49 ? ((y + b) % 5 == 0 ? 0x9C : 0xFF) : 0);
    return bmp;
}

QByteArray Seme()
{
    return "[logo]\n" + LogoDelTelefono().toHex().toUpper() + "\n";
}

} // namespace

class TstAvversarioOggetti : public QObject, private Banco {
    Q_OBJECT

    Oggetti* oggetti = nullptr;

    QByteArray promNelTelefono(int posizione) const
    {
        const auto& promemoria = telefono->state().objects.reminders;
        const auto trovato = promemoria.find(posizione);
        return trovato == promemoria.end() ? QByteArray() : trovato->second;
    }

    void mettiProm(int posizione, const QByteArray& testo)
    {
        telefono->changeState(
            [&](s25sim::PhoneState& stato) { stato.objects.reminders[posizione] = testo; });
    }

    QString testoRiga(int riga) const { return finestra->listProm->topLevelItem(riga)->text(1); }

public:
    TstAvversarioOggetti() : Banco(Seme()) {}

private slots:
    void initTestCase() { QVERIFY(CatalogoMessaggi::Carica()); }

    void init()
    {
        StatoDiPartenza();
        QFile::remove(FileLogo());
        QFile::remove(FileMidi());
        apri();
        oggetti = monta<Oggetti>(&frmMain::oggetti);
        finestra->Form_Load();
    }

    void cleanup() { chiudi(); }

    // A phone that answers a block command with a line ">" and a final OK has not opened data
    // mode: nothing is written after the command, and the send fails.
    void bloccoSenzaPromptVero()
    {
        avvia();
        finestra->MostraVista(QStringLiteral("LOGO"));
        telefono->clearCommandLog();
        S25Simulator* s = telefono.get();
        telefono->setCommandObserver([s](const QString& comando) {
            if (comando == QLatin1String("AT^SBNW=bmp,0,0")) {
                s->setMuted(true);
            } else if (comando == QLatin1String("AT^SBNW=bmp,0,1,9")) {
                s->injectUnsolicited(">");
                s->injectUnsolicited("OK");
                s->setMuted(false);
            }
        });
        oggetti->InviaLogo();
        QCOMPARE(testiBox(), QStringList{Msg(287)});
        QCOMPARE(telefono->commandLog(), (QStringList{"AT^SBNW=bmp,0,0", "AT^SBNW=bmp,0,1,9"}));
        QVERIFY(finestra->isEnabled());
    }

    // Padding blanks come off a reminder's fields, a tab or a no-break space that belongs to the
    // text stays: shown in the list, and sent back as the phone had it.
    void promemoriaConTabulazioniESpaziDuri()
    {
        avvia();
        const QByteArray testo = "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n"
                                 "CATEGORIES:MEETING\r\nDALARM:20240311T093000\r\n"
                                 "DTSTART:20240311T093000\r\nDESCRIPTION:\tPranzo \xA0\r\n"
                                 "END:VEVENT\r\nEND:VCALENDAR\r\n";
        mettiProm(1, testo);
        finestra->MostraVista(QStringLiteral("CAL"));
        QCOMPARE(testoRiga(0), QStringLiteral("\tPranzo \u00A0"));
        oggetti->InviaProm();
        QVERIFY(risposte->boxes.isEmpty());
        QCOMPARE(promNelTelefono(1), testo);
    }
};

QTEST_MAIN(TstAvversarioOggetti)
#include "tst_avversario_oggetti.moc"
