#include "mscomm.h"

#include "codecs.h"
#include "impostazioni.h"

MSComm::MSComm(QObject* padre) : QObject(padre), porta(this)
{
    connect(&porta, &QSerialPort::readyRead, this, &MSComm::riceviDati);
    connect(&porta, &QSerialPort::errorOccurred, this, &MSComm::erroreDellaPorta);
}

bool MSComm::SetCommPort(int nuova, QString& errore)
{
    if (nuova < 1 || nuova > 8) {
        errore = tr("Invalid port number");
        return false;
    }
    if (porta.isOpen()) {
        errore = tr("Operation valid only when the port is closed");
        return false;
    }
    numero = nuova;
    return true;
}

bool MSComm::Apri(QString& errore)
{
    const QString dispositivo = NomeDispositivo(numero);
    porta.setPortName(dispositivo);
    porta.setBaudRate(QSerialPort::Baud19200);
    porta.setDataBits(QSerialPort::Data8);
    porta.setParity(QSerialPort::NoParity);
    porta.setStopBits(QSerialPort::OneStop);
    porta.setFlowControl(QSerialPort::NoFlowControl);
    porta.setReadBufferSize(0);
    if (!porta.open(QIODevice::ReadWrite)) {
        // The port as the user knows it, and the device it stands for here.
        errore = QStringLiteral("Com%1 (%2): %3").arg(numero).arg(dispositivo, porta.errorString());
        porta.clearError();
        return false;
    }
    porta.clearError();
    return true;
}

void MSComm::Close()
{
    if (porta.isOpen())
        porta.close();
    // An exchange waiting on this port has nothing more to wait for.
    RisvegliaAttesa();
}

void MSComm::Output(const QString& testo)
{
    if (!porta.isOpen())
        return;
    porta.write(CodificaWindows1252(testo));
    porta.flush();
}

QString MSComm::NomeDispositivo(int numeroPorta)
{
    const QByteArray daAmbiente
        = qgetenv(QStringLiteral("QUORNA_COM%1").arg(numeroPorta).toLatin1());
    if (!daAmbiente.isEmpty())
        return QString::fromLocal8Bit(daAmbiente);
    const auto daImpostazioni
        = LeggiImpostazione(QStringLiteral("Config"), QStringLiteral("Device%1").arg(numeroPorta));
    if (daImpostazioni && !daImpostazioni->isEmpty())
        return *daImpostazioni;
    return QStringLiteral("/dev/ttyS%1").arg(numeroPorta - 1);
}

void MSComm::riceviDati()
{
    const QByteArray byte = porta.readAll();
    if (!byte.isEmpty())
        emit DatiRicevuti(DecodificaWindows1252(byte));
}

void MSComm::erroreDellaPorta(QSerialPort::SerialPortError errore)
{
    // Qt repeats a read error until the port is closed, so it is closed at once.
    int codice = LineaCaduta;
    switch (errore) {
    case QSerialPort::WriteError:
        codice = ErroreTrasmissione;
        break;
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
        break;
    default:
        return;
    }
    Close();
    emit ErroreComunicazione(codice);
}
