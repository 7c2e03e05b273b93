#include "reply.h"

namespace s25sim {

namespace {

const QByteArray kCrLf = "\r\n";

QByteArray numberedError(const char* prefix, int code)
{
    return QByteArray(prefix) + QByteArray::number(code);
}

QByteArray errorText(const Refusal& refusal, const ModemSettings& settings)
{
    const bool numbered = settings.errorReports != 0;
    switch (refusal.kind) {
    case Refusal::Kind::InjectedEquipment:
        return numberedError("+CME ERROR: ", refusal.code);
    case Refusal::Kind::InjectedMessage:
        return numberedError("+CMS ERROR: ", refusal.code);
    case Refusal::Kind::Equipment:
        return numbered ? numberedError("+CME ERROR: ", refusal.code) : "ERROR";
    case Refusal::Kind::Message:
        return numbered ? numberedError("+CMS ERROR: ", refusal.code) : "ERROR";
    case Refusal::Kind::Plain:
        break;
    }
    return "ERROR";
}

// Numbered errors keep their text in numeric mode too (ATV0 changes only OK and ERROR).
QByteArray finalResult(const Reply& reply, const ModemSettings& settings)
{
    if (reply.final == Reply::Final::Ok)
        return settings.verbose ? kCrLf + "OK" + kCrLf : QByteArray("0\r");
    const QByteArray text = errorText(reply.refusal, settings);
    if (text == "ERROR")
        return settings.verbose ? kCrLf + text + kCrLf : QByteArray("4\r");
    return settings.verbose ? kCrLf + text + kCrLf : text + kCrLf;
}

QByteArray informationText(const QList<QByteArray>& lines, const ModemSettings& settings)
{
    if (lines.isEmpty())
        return {};
    const QByteArray joined = lines.join(kCrLf);
    return settings.verbose ? kCrLf + joined + kCrLf : joined + kCrLf;
}

} // namespace

Reply Reply::ok(QList<QByteArray> lines)
{
    Reply reply;
    reply.lines = std::move(lines);
    return reply;
}

Reply Reply::error(Refusal refusal)
{
    Reply reply;
    reply.final = Final::Error;
    reply.refusal = refusal;
    return reply;
}

Reply Reply::equipmentError(int code)
{
    return error({Refusal::Kind::Equipment, code});
}

Reply Reply::messageError(int code)
{
    return error({Refusal::Kind::Message, code});
}

Reply Reply::prompt()
{
    Reply reply;
    reply.final = Final::Prompt;
    return reply;
}

QByteArray frame(const Reply& reply, const ModemSettings& settings)
{
    if (reply.final == Reply::Final::Prompt)
        return kCrLf + "> ";
    QByteArray bytes = informationText(reply.lines, settings);
    if (!settings.quiet)
        bytes += finalResult(reply, settings);
    return bytes;
}

QByteArray frameUnsolicited(const QByteArray& line, const ModemSettings& settings)
{
    return informationText({line}, settings);
}

} // namespace s25sim
