#include "mscomm.h"

#include "impostazioni.h"

MSComm::MSComm(QObject* padre) : QObject(padre), porta(this) {}

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

void MSComm::Close()
{
    if (porta.isOpen())
        porta.close();
}

QString MSComm::NomeDispositivo(int numeroPorta)
{
    const QByteArray daAmbiente = qgetenv(QStringLiteral("QUORNA_COM%1").arg(numeroPorta).toLatin1());
    if (!daAmbiente.isEmpty())
        return QString::fromLocal8Bit(daAmbiente);
    const auto daImpostazioni =
        LeggiImpostazione(QStringLiteral("Config"), QStringLiteral("Device%1").arg(numeroPorta));
    if (daImpostazioni && !daImpostazioni->isEmpty())
        return *daImpostazioni;
    return QStringLiteral("/dev/ttyS%1").arg(numeroPorta - 1);
}
