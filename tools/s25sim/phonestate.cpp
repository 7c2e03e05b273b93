#include "phonestate.h"

#include "gsmalphabet.h"

namespace s25sim {

QDateTime Clock::now() const
{
    if (!running)
        return setTo;
    return setTo.addMSecs(QDateTime::currentMSecsSinceEpoch() - hostMsecsAtSet);
}

void Clock::set(const QDateTime& wallTime)
{
    setTo = wallTime;
    hostMsecsAtSet = QDateTime::currentMSecsSinceEpoch();
}

QString PhoneState::readableName(const QByteArray& memory, int position) const
{
    const auto book = phonebooks.find(memory);
    if (book == phonebooks.end())
        return {};
    const auto entry = book->second.entries.find(position);
    return entry == book->second.entries.end() ? QString() : gsm::decode(entry->second.name);
}

bool isBarring(const QByteArray& facility)
{
    return facility == "AO" || facility == "OI" || facility == "OX" || facility == "AI"
           || facility == "IR";
}

const QList<QByteArray>& phonebookCodes()
{
    static const QList<QByteArray> codes = {"SM", "FD", "ME", "ON", "RC", "MC", "LD"};
    return codes;
}

namespace {

PhonebookMemory memoryOf(int total, int numberLength, int nameLength, bool readOnly)
{
    PhonebookMemory memory;
    memory.total = total;
    memory.numberLength = numberLength;
    memory.nameLength = nameLength;
    memory.readOnly = readOnly;
    return memory;
}

std::map<QByteArray, PhonebookMemory> defaultPhonebooks()
{
    return {
        {"SM", memoryOf(100, 20, 14, false)}, {"FD", memoryOf(10, 20, 14, true)},
        {"ME", memoryOf(250, 40, 16, false)}, {"ON", memoryOf(3, 20, 14, false)},
        {"RC", memoryOf(10, 20, 14, true)},   {"MC", memoryOf(10, 20, 14, true)},
        {"LD", memoryOf(10, 20, 14, true)},
    };
}

Locks defaultLocks()
{
    Locks locks;
    for (const char* facility : {"CS", "PS", "SC", "FD", "AO", "OI", "OX", "AI", "IR"})
        locks.activeClasses[facility] = 0;
    locks.passwords["SC"] = {"1234", 8};
    locks.passwords["P2"] = {"5678", 8};
    locks.passwords["PS"] = {"0000", 8};
    locks.passwords["AB"] = {"0000", 4};
    return locks;
}

Forwarding defaultForwarding()
{
    Forwarding forwarding;
    for (std::map<int, ForwardingSetting>& reason : forwarding.reasons) {
        for (const int callClass : {1, 2, 4})
            reason[callClass] = ForwardingSetting();
    }
    return forwarding;
}

// The phone's own table of operator names, and the networks a phone in Italy finds.
Network defaultNetwork()
{
    Network network;
    network.operators
        = {{"22201", "TIM"}, {"22210", "Vodafone IT"}, {"22288", "WIND"}, {"22299", "3 ITA"}};
    network.networksInRange = {{2, network.operators.at(0)},
                               {1, network.operators.at(1)},
                               {1, network.operators.at(2)},
                               {1, network.operators.at(3)}};
    return network;
}

QDateTime hostWallTime()
{
    const QDateTime local = QDateTime::currentDateTime();
    return QDateTime(local.date(), local.time(), Qt::UTC);
}

} // namespace

PhoneState defaultPhoneState()
{
    PhoneState state;
    state.network = defaultNetwork();
    state.phonebooks = defaultPhonebooks();
    state.locks = defaultLocks();
    state.forwarding = defaultForwarding();
    state.clock.set(hostWallTime());
    return state;
}

} // namespace s25sim
