#pragma once

#include "scambio.h"

#include <QSerialPort>
#include <QString>

// The serial port of the phone, by number 1 to 8 as the user knows it. Port n is the device the
// environment names in QUORNA_COMn, else the one the settings name in Config/Device<n>, else
// /dev/ttyS<n-1>. The line is fixed: 19200 baud, 8N1, no flow control; DTR and RTS are left alone
// (a pseudo-terminal refuses them).
class MSComm : public QObject, public PortaAT {
    Q_OBJECT
public:
    explicit MSComm(QObject* padre = nullptr);

    int CommPort() const { return numero; }
    // False, with the reason, for a number outside 1 to 8 or while the port is open.
    bool SetCommPort(int porta, QString& errore);

    bool PortOpen() const override { return porta.isOpen(); }
    // False when the device cannot be opened, with the port's name ("Com" and its number), the
    // device and the system's own text.
    bool Apri(QString& errore);
    void Close();
    // Sends the characters as Windows-1252 bytes.
    void Output(const QString& testo) override;

    static QString NomeDispositivo(int porta);

    // The communications event codes of the errors the port reports.
    static constexpr int ErroreTrasmissione = 1010;
    // The line closed under a read: the phone hung up or the cable came out.
    static constexpr int LineaCaduta = 0;

    QSerialPort porta;

signals:
    // Everything that arrived, in arrival order.
    void DatiRicevuti(const QString& pezzo);
    // A read, write or resource error: the port is already closed.
    void ErroreComunicazione(int codice);

private:
    void riceviDati();
    void erroreDellaPorta(QSerialPort::SerialPortError errore);

    int numero = 1;
};
