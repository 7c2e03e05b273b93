#pragma once

// The writes of a session with the phone as the exchange target makes them, shared with the seed
// writer so that the seeds answer them in order.

#include <QList>
#include <QString>

struct Passo {
    QString comando;
    bool dopoPrompt = false; // data sent only when the command before it got the prompt
};

// What the link, the phonebook, messages, objects and settings send, data items ending with
// Ctrl-Z.
inline const QList<Passo>& Copione()
{
    static const QString CtrlZ = QString(QChar(26));
    static const QList<Passo> passi{
        {QStringLiteral("ATE0")},
        {QStringLiteral("AT+CGMI")},
        {QStringLiteral("AT+CPBS=\"SM\"")},
        {QStringLiteral("AT+CPBR=1,250")},
        {QStringLiteral("AT+CMGR=3")},
        {QStringLiteral("AT+CMGS=19")},
        {QStringLiteral("0011000B913933123456F70000AA05C8329BFD06") + CtrlZ, true},
        {QStringLiteral("AT^SBNR=\"bmp\",0")},
        {QStringLiteral("AT^SBNW=\"vcs\",1,1,1")},
        {QStringLiteral("424547494E3A5643414C454E4441520D0A") + CtrlZ, true},
        {QStringLiteral("AT+CLCK=\"SC\",2")},
        {QStringLiteral("AT+COPS=?")},
        {QStringLiteral("AT+CCLK?")},
    };
    return passi;
}
