#pragma once

#include <QSerialPort>
#include <QString>

// The serial port of the phone, by number 1 to 8 as the user knows it. Port n is the device the
// environment names in QUORNA_COMn, else the one the settings name in Config/Device<n>, else
// /dev/ttyS<n-1>.
class MSComm : public QObject {
    Q_OBJECT
public:
    explicit MSComm(QObject* padre = nullptr);

    int CommPort() const { return numero; }
    // False, with the reason, for a number outside 1 to 8 or while the port is open.
    bool SetCommPort(int porta, QString& errore);

    bool PortOpen() const { return porta.isOpen(); }
    void Close();

    static QString NomeDispositivo(int porta);

    QSerialPort porta;

private:
    int numero = 1;
};
