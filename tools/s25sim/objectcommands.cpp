// The logo, melody and reminder objects and the ring tone: AT^SBNR, AT^SBNW, AT^SRTC.
#include "atinterpreter.h"
#include "wiretext.h"

namespace s25sim {

namespace {

using Form = Command::Form;

constexpr int kBlockBytes = 176;
constexpr int kLastReminder = 30;

bool isObject(const QByteArray& type, int index)
{
    if (type == "bmp" || type == "mid")
        return index == 0;
    return type == "vcs" && index >= 1 && index <= kLastReminder;
}

bool isHexBlock(const QByteArray& hex)
{
    return hex.size() % 2 == 0 && hex.size() <= 2 * kBlockBytes && isHexText(hex);
}

} // namespace

QByteArray AtInterpreter::storedObject(const QByteArray& type, int index) const
{
    const BinaryObjects& objects = m_state.objects;
    if (type == "bmp")
        return objects.logo;
    if (type == "mid")
        return objects.melody;
    const auto reminder = objects.reminders.find(index);
    return reminder == objects.reminders.end() ? QByteArray() : reminder->second;
}

void AtInterpreter::storeObject(const QByteArray& type, int index, const QByteArray& bytes)
{
    BinaryObjects& objects = m_state.objects;
    if (type == "bmp")
        objects.logo = bytes;
    else if (type == "mid")
        objects.melody = bytes;
    else if (bytes.isEmpty())
        objects.reminders.erase(index);
    else
        objects.reminders[index] = bytes;
}

// Each block goes as a header line ^SBNR: "<type>",<index>,<i>,<n> and a line of upper-case
// hex; an absent object answers a bare OK.
Reply AtInterpreter::readObject(const Command& command)
{
    if (command.form == Form::Test)
        return Reply::ok();
    const QByteArray type = command.argument(0).text.toLower();
    const std::optional<int> index = command.number(1);
    if (command.form != Form::Set || !index || !isObject(type, *index))
        return Reply::equipmentError(cme::kOperationNotSupported);
    const QByteArray bytes = storedObject(type, *index);
    const int blocks = static_cast<int>((bytes.size() + kBlockBytes - 1) / kBlockBytes);
    QList<QByteArray> lines;
    lines.reserve(2 * blocks);
    for (int block = 1; block <= blocks; ++block) {
        lines.append("^SBNR: " + quoted(type) + ',' + decimal(*index) + ',' + decimal(block) + ','
                     + decimal(blocks));
        lines.append(bytes.mid((block - 1) * kBlockBytes, kBlockBytes).toHex().toUpper());
    }
    return Reply::ok(lines);
}

// AT^SBNW=<type>,<index>,0 erases. AT^SBNW=<type>,<index>,<i>,<n> asks for block i of n,
// which must follow the previous block; the object changes when block n has come.
Reply AtInterpreter::writeObject(const Command& command)
{
    if (command.form == Form::Test)
        return Reply::ok();
    const QByteArray type = command.argument(0).text.toLower();
    const std::optional<int> index = command.number(1);
    const std::optional<int> block = command.number(2);
    if (command.form != Form::Set || !index || !block || !isObject(type, *index))
        return Reply::equipmentError(cme::kOperationNotSupported);
    if (command.arguments.size() == 3 && *block == 0) {
        storeObject(type, *index, {});
        return Reply::ok();
    }
    const std::optional<int> blocks = command.numberBetween(3, 1, 255);
    if (!blocks || *block < 1 || *block > *blocks)
        return Reply::equipmentError(cme::kOperationNotSupported);
    if (*block == 1)
        m_upload = {type, *index, 1, *blocks, {}};
    const bool inSequence = m_upload.type == type && m_upload.index == *index
                            && m_upload.blocks == *blocks && m_upload.nextBlock == *block;
    if (!inSequence)
        return Reply::equipmentError(cme::kOperationNotAllowed);
    m_dataFor = DataFor::ObjectBlock;
    return Reply::prompt();
}

// Every block but the last is full: 352 hex characters.
Reply AtInterpreter::finishObjectBlock(const QByteArray& hex)
{
    const bool last = m_upload.nextBlock == m_upload.blocks;
    if (!isHexBlock(hex) || (!last && hex.size() != 2 * kBlockBytes)) {
        m_upload = BlockUpload();
        return Reply::equipmentError(cme::kOperationNotAllowed);
    }
    m_upload.bytes += QByteArray::fromHex(hex);
    if (!last) {
        ++m_upload.nextBlock;
        return Reply::ok();
    }
    storeObject(m_upload.type, m_upload.index, m_upload.bytes);
    m_upload = BlockUpload();
    return Reply::ok();
}

// AT^SRTC alone starts or stops the ring tone.
Reply AtInterpreter::ringTone(const Command& command)
{
    RingTone& tone = m_state.ringTone;
    switch (command.form) {
    case Form::Test:
        return Reply::ok(
            {"^SRTC: (0-" + decimal(tone.maxTone) + "),(0-" + decimal(tone.maxVolume) + ')'});
    case Form::Read:
        return Reply::ok({"^SRTC: " + decimal(tone.tone) + ',' + decimal(tone.volume) + ','
                          + decimal(tone.playing ? 1 : 0)});
    case Form::Set: {
        const std::optional<int> number = command.numberBetween(0, 0, tone.maxTone);
        const std::optional<int> volume = command.numberBetween(1, 0, tone.maxVolume);
        if (!number || !volume)
            return Reply::equipmentError(cme::kOperationNotSupported);
        tone.tone = *number;
        tone.volume = *volume;
        return Reply::ok();
    }
    case Form::Execute:
        tone.playing = !tone.playing;
        return Reply::ok();
    }
    return Reply::error();
}

} // namespace s25sim
