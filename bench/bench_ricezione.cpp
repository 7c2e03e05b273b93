// The cost of the receive path and the AT exchange per received byte, for replies of growing size
// delivered in 16-byte chunks, one event per chunk as the serial port delivers them. The cost
// per byte must stay flat: no chunk may make the exchange look at the whole buffer again.

#include "codecs.h"
#include "globali.h"
#include "scambio.h"
#include "tempi.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr qsizetype DimensionePezzo = 16;

// A phonebook-like reply of about `byte` bytes, framed as the phone frames it.
QByteArray Risposta(qsizetype byte)
{
    QByteArray corpo;
    for (int posizione = 1; corpo.size() < byte; ++posizione)
        corpo += "+CPBR: " + QByteArray::number(posizione) + ",\"+39333123456\",145,\"Name "
                 + QByteArray::number(posizione) + "\"\r\n";
    corpo.chop(2);
    return "\r\n" + corpo + "\r\n\r\nOK\r\n";
}

// A port whose phone answers every command with the same reply, chunk by chunk.
class PortaDiProva : public PortaAT {
public:
    explicit PortaDiProva(QByteArray risposta) : risposta(std::move(risposta)) {}
    bool PortOpen() const override { return true; }
    void Output(const QString&) override
    {
        for (qsizetype da = 0; da < risposta.size(); da += DimensionePezzo) {
            const QByteArray pezzo = risposta.mid(da, DimensionePezzo);
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [pezzo] {
                    ConsegnaRicezione(DecodificaWindows1252(pezzo));
                    PrendiIndicazioniSMS();
                },
                Qt::QueuedConnection);
        }
    }

private:
    QByteArray risposta;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    Connesso = true;
    TempiLink.attesaMs = 60000;
    QTextStream uscita(stdout);
    uscita << "reply bytes    chunks    total ms    ns per byte\n";
    double primo = 0;
    double ultimo = 0;
    for (const qsizetype byte : {qsizetype(64) << 10, qsizetype(256) << 10, qsizetype(1) << 20}) {
        const QByteArray risposta = Risposta(byte);
        PortaDiProva porta(risposta);
        RegistraPortaAT(&porta);
        QElapsedTimer cronometro;
        cronometro.start();
        EsitoAT esito = EsitoAT::Errore;
        const QString corpo = InviaComandoAT(QStringLiteral("AT+CPBR=1,250"), &esito);
        const qint64 ns = cronometro.nsecsElapsed();
        RegistraPortaAT(nullptr);
        if (esito != EsitoAT::Ok || corpo.size() != risposta.size() - 10) {
            uscita << "the exchange did not return the whole body\n";
            return 1;
        }
        const double perByte = double(ns) / double(risposta.size());
        uscita << qSetFieldWidth(11) << risposta.size() << qSetFieldWidth(10)
               << (risposta.size() + DimensionePezzo - 1) / DimensionePezzo << qSetFieldWidth(12)
               << QString::number(double(ns) / 1e6, 'f', 1) << qSetFieldWidth(15)
               << QString::number(perByte, 'f', 1) << qSetFieldWidth(0) << "\n";
        if (primo == 0)
            primo = perByte;
        ultimo = perByte;
    }
    uscita << "cost per byte, 1 MB against 64 KB: " << QString::number(ultimo / primo, 'f', 2)
           << "x\n";
    return 0;
}
