// Message text through the PDU codec both ways: the codes of a received message, read and sent
// back unchanged (a reply that quotes it, a stored message edited), are the codes it came with.

#include "codecs.h"
#include "codifica.h"
#include "composizione.h"
#include "globali.h"
#include "pdu.h"

#include <QTest>

namespace {

const QString Centro = QStringLiteral("+393359609600");
const QString Mittente = QStringLiteral("+39333123456");

QByteArray Codici(std::initializer_list<int> codici)
{
    QByteArray byte;
    for (const int codice : codici)
        byte.append(static_cast<char>(codice));
    return byte;
}

// Every code of the basic table but the escape, which starts an extension pair, and the line
// feed: the compose field sends every line break as one CR.
QByteArray CodiciBase()
{
    QByteArray codici;
    for (int codice = 0; codice < 128; ++codice) {
        if (codice != 27 && codice != 10)
            codici.append(static_cast<char>(codice));
    }
    return codici;
}

QString Esadecimale(const QByteArray& byte)
{
    return QString::fromLatin1(byte.toHex().toUpper());
}

// An SMS-DELIVER from Mittente whose user data are these codes, as septets.
QString DeliverDiCodici(const QByteArray& codici)
{
    return CodificaIndirizzo(Centro, false) + QStringLiteral("04")
           + CodificaIndirizzo(Mittente, true) + QStringLiteral("0000") + "42105190000040"
           + Esadecimale(QByteArray(1, static_cast<char>(codici.size())))
           + Esadecimale(OttettiDaSettetti(codici));
}

} // namespace

class TstPduAlfabeto : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitAlfabetoGSM(); }

    void codiciRicevutiERispediti_data()
    {
        QTest::addColumn<QByteArray>("codici");
        QTest::addColumn<QString>("testo");

        const QByteArray base = CodiciBase();
        QTest::newRow("basic codes 0 to 64") << base.left(63) << QString();
        QTest::newRow("basic codes 65 to 127") << base.mid(63) << QString();
        QTest::newRow("Greek capitals and inverted marks")
            << Codici({16, 18, 19, 20, 21, 22, 23, 24, 25, 26, 96, 64})
            << QStringLiteral("ΔΦΓΛΩΠΨΣΘΞ¿¡");
        QTest::newRow("every extension") << Codici(
            {27, 10, 27, 20, 27, 40, 27, 41, 27, 47, 27, 60, 27, 61, 27, 62, 27, 64, 27, 101})
                                         << QStringLiteral("\f^{}\\[~]|€");
        QTest::newRow("a question in Spanish")
            << Codici({96, 81, 117, 101, 63}) << QStringLiteral("¿Que?");
    }

    // A received text decodes to its true characters and, shown in the compose field and sent
    // back unchanged, encodes to the same septets.
    void codiciRicevutiERispediti()
    {
        QFETCH(QByteArray, codici);
        QFETCH(QString, testo);

        MessaggioSMS messaggio;
        DecodificaPDU(messaggio, DeliverDiCodici(codici));
        QCOMPARE(messaggio.Numero, Mittente);
        if (!testo.isEmpty())
            QCOMPARE(messaggio.Testo, testo);
        QCOMPARE(messaggio.LunghezzaDati, int16_t(codici.size()));
        QCOMPARE(CodificaTesto7bit(TestoSMS(TestoDaScrivere(messaggio.Testo))),
                 Esadecimale(QByteArray(1, static_cast<char>(codici.size())))
                     + Esadecimale(OttettiDaSettetti(codici)));
    }

    // A message composed, stored and read back shows the text that was typed.
    void testoScrittoERiletto_data()
    {
        QTest::addColumn<QString>("testo");

        QTest::newRow("Greek") << QStringLiteral("ΔΦΓΛΩΠΨΣΘΞ");
        QTest::newRow("Spanish") << QStringLiteral("¡Hola! ¿Qué tal? Ñoño");
        QTest::newRow("extensions") << QStringLiteral("Prezzo: 10€ [sconto ~5%] {a|b} \\ ^");
        QTest::newRow("every character of the table")
            << QStringLiteral("@£$¥èéùìòÇ\nØøÅåΔ_ΦΓΛΩΠΨΣΘΞÆæßÉ !\"#¤%&'()*+,-./0123456789:;<=>?"
                              "¡ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÑÜ§¿abcdefghijklmnopqrstuvwxyzäöñüà");
    }

    void testoScrittoERiletto()
    {
        QFETCH(QString, testo);

        MessaggioSMS messaggio;
        DecodificaPDU(messaggio, CostruisciPDU(Centro, TestoSMS(testo), Mittente,
                                               QStringLiteral("A7"), false, "00"));
        QCOMPARE(messaggio.Tipo, uint8_t(1));
        QCOMPARE(TestoDaScrivere(messaggio.Testo), testo);
    }
};

QTEST_APPLESS_MAIN(TstPduAlfabeto)
#include "tst_pdu_alfabeto.moc"
