#include "model/SysexFraming.h"

#include <algorithm>
#include <array>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "model/ModelServices.h"
#include "model/Settings.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/SysUtils.h"

namespace zel {

namespace {

std::array<std::uint8_t, SysexBufferSize> SendBuffer{};

void PutAddress(std::uint8_t* message, std::uint32_t address) {
    message[5] = static_cast<std::uint8_t>(address >> 24);
    message[6] = static_cast<std::uint8_t>(address >> 16);
    message[7] = static_cast<std::uint8_t>(address >> 8);
    message[8] = static_cast<std::uint8_t>(address);
}

std::uint32_t AddressOf(std::uint32_t base, std::uint16_t offset, std::uint16_t position) {
    return base + static_cast<std::uint32_t>(offset) + static_cast<std::uint32_t>(position);
}

// The pace: a one-shot timer on the clock service that runs for SendPaceMs after each message left.
// While it runs, the next message waits the rest of it, in line or in the queue; when it runs out, the
// queue sends what is due. A clock installed anew (a test's) starts with no timers, and so with no pace
// running.
int PaceTimer = 0;
TTick PaceDue = 0;

// The rest of the pace, in milliseconds: 0 once it has run.
TTick PaceLeft() {
    if (PaceTimer == 0 || !ClockTimers().Exists(PaceTimer)) return 0;
    const TTick now = GetTickCount();
    return PaceDue > now ? std::min<TTick>(PaceDue - now, SendPaceMs) : 0;
}

// Holds the caller until SendPaceMs have passed since the last message left. A transfer that sends one
// message per timer tick of that length never waits here, so the main thread goes back to its event
// loop between the messages.
void Pace() {
    if (const TTick left = PaceLeft(); left > 0) WaitMilliseconds(static_cast<std::uint32_t>(left));
    NoteMessageSent();
}

// One message of the outgoing queue, built whole when it was sent.
struct TQueuedMessage {
    std::vector<std::uint8_t> Bytes;
    bool Short = false;      // a short message: keeps no pace
    bool WaitsPace = true;   // leaves only when the pace has run
    bool Monitored = false;  // a data set small enough for the MIDI monitor
};

std::deque<TQueuedMessage> Queue;
int QueuedSendsDepth = 0;

// A queue whose pace timer is gone was left by a clock that was replaced with all its timers: nothing
// can send it any more, and the new clock starts with nothing queued.
void ForgetStaleQueue() {
    if (!Queue.empty() && (PaceTimer == 0 || !ClockTimers().Exists(PaceTimer))) Queue.clear();
}

bool PortsUsable(IMidiPorts* ports) { return DevicesOpen != 0 && ports != nullptr && ports->OutputOpen(); }

// Hands one message to the output while the ports are usable (a data set of at most four data bytes is
// also shown on an open monitor).
void PutMessage(IMidiPorts* ports, const TQueuedMessage& message) {
    if (!PortsUsable(ports)) return;
    if (message.Short) {
        ports->PutShort(message.Bytes[0], message.Bytes[1], message.Bytes[2]);
        return;
    }
    ports->PutLong(message.Bytes.data(), message.Bytes.size());
    if (message.Monitored && ZelmoHolder != nullptr && ZelmoHolder->MonitorOpen != 0) {
        if (IMidiMonitor* monitor = ModelServices().MidiMonitor)
            monitor->AddOutputMessage(message.Bytes.data(), message.Bytes.size());
    }
}

// Takes the head of the queue off and sends it; a System Exclusive message starts the pace first, so
// that a message the output refuses still keeps the rest of the queue going.
void SendHead(IMidiPorts* ports) {
    const TQueuedMessage message = std::move(Queue.front());
    Queue.pop_front();
    if (!message.Short) NoteMessageSent();
    PutMessage(ports, message);
}

// Sends every queued message that may leave now: the head once the pace has run, and the short
// messages right behind a message that left.
void SendDue() {
    while (!Queue.empty() && !(Queue.front().WaitsPace && PaceLeft() > 0)) SendHead(ModelServices().MidiPorts);
}

// Sends a message at once when nothing is queued and it need not wait (or may wait in line); else queues
// it behind the rest.
void SendOrQueue(TQueuedMessage message) {
    ForgetStaleQueue();
    const bool mustWait = message.WaitsPace && PaceLeft() > 0;
    if (Queue.empty() && !(mustWait && QueuedSendsDepth > 0)) {
        if (message.WaitsPace) Pace();
        else if (!message.Short) NoteMessageSent();
        PutMessage(ModelServices().MidiPorts, message);
        return;
    }
    Queue.push_back(std::move(message));
    SendDue();
}

// Checks a message's bytes and builds it whole: a message that breaks the seven-bit rule is refused
// before anything is sent or queued.
TQueuedMessage BuildMessage(std::uint8_t command, std::uint32_t address, std::span<const std::uint8_t> data) {
    if (data.empty() || data.size() > SysexBufferSize - SysexOverhead)
        throw EInvalidOperation("A System Exclusive message carries 1 to " +
                                std::to_string(SysexBufferSize - SysexOverhead) + " data bytes");
    // Every byte between F0 and F7 is seven bits wide: a message that would break that is refused.
    for (std::uint8_t b : data)
        if (b >= 0x80) throw EInvalidOperation("A System Exclusive data byte must be below 80H");
    if ((address & 0x80808080u) != 0) throw EInvalidOperation("A System Exclusive address byte must be below 80H");

    const std::size_t n = data.size();
    const std::size_t length = n + SysexOverhead;
    std::uint8_t* m = SendBuffer.data();
    m[0] = 0xF0;
    m[1] = RolandManufacturer;
    m[2] = DeviceByte();
    m[3] = RolandModel;
    m[4] = command;
    PutAddress(m, address);
    for (std::size_t i = 0; i < n; ++i) m[9 + i] = data[i];
    m[9 + n] = RolandChecksum(m, length - 1);
    m[10 + n] = 0xF7;
    TQueuedMessage message;
    message.Bytes.assign(m, m + length);
    message.Monitored = n <= 4;
    return message;
}

void SendMessage(std::uint8_t command, std::uint32_t address, std::span<const std::uint8_t> data) {
    SendOrQueue(BuildMessage(command, address, data));
}

}  // namespace

void NoteMessageSent() {
    if (PaceTimer != 0) ClockTimers().Remove(PaceTimer);
    PaceDue = GetTickCount() + SendPaceMs;
    PaceTimer = ClockTimers().Add(SendPaceMs, false, [] { SendDue(); });
}

TQueuedSends::TQueuedSends() { ++QueuedSendsDepth; }

TQueuedSends::~TQueuedSends() { --QueuedSendsDepth; }

std::size_t QueuedMessages() {
    ForgetStaleQueue();
    return Queue.size();
}

std::uint32_t QueuedSendsMs() {
    ForgetStaleQueue();
    TTick paced = 0;
    for (const TQueuedMessage& message : Queue)
        if (message.WaitsPace) ++paced;
    if (paced == 0) return 0;
    return static_cast<std::uint32_t>(PaceLeft() + (paced - 1) * SendPaceMs);
}

void FlushQueuedSends(IMidiPorts& ports) {
    ForgetStaleQueue();
    while (!Queue.empty()) {
        if (Queue.front().WaitsPace) {
            if (const TTick left = PaceLeft(); left > 0) WaitMilliseconds(static_cast<std::uint32_t>(left));
        }
        SendHead(&ports);
    }
}

void SendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    TQueuedMessage message;
    message.Bytes = {status, data1, data2};
    message.Short = true;
    message.WaitsPace = false;
    ForgetStaleQueue();
    if (Queue.empty()) {
        // A note with nothing ahead of it goes straight out, as the caller's port takes it.
        if (IMidiPorts* ports = ModelServices().MidiPorts) ports->PutShort(status, data1, data2);
        return;
    }
    SendOrQueue(std::move(message));
}

void SendWholeMessage(std::span<const std::uint8_t> message) {
    TQueuedMessage whole;
    whole.Bytes.assign(message.begin(), message.end());
    whole.WaitsPace = false;
    SendOrQueue(std::move(whole));
}

std::uint8_t DeviceByte() {
    const std::int32_t id =
        ZelmoHolder != nullptr && ZelmoHolder->Config ? ZelmoHolder->Config->DeviceID : DefaultDeviceID;
    return static_cast<std::uint8_t>((static_cast<std::uint8_t>(id) - 1) & 0x7F);
}

void FillDataSetHeader(std::uint8_t* buffer, std::size_t lastIndex, std::uint32_t address) {
    if (buffer == nullptr || lastIndex < SysexOverhead - 1)
        throw EInvalidOperation("A data-set message buffer holds at least 11 bytes");
    buffer[0] = 0xF0;
    buffer[1] = RolandManufacturer;
    buffer[2] = DeviceByte();
    buffer[3] = RolandModel;
    buffer[4] = CommandDataSet;
    PutAddress(buffer, address);
    buffer[lastIndex - 1] = RolandChecksum(buffer, lastIndex);
    buffer[lastIndex] = 0xF7;
}

std::uint8_t RolandChecksum(const std::uint8_t* buffer, std::size_t lastIndex) {
    unsigned sum = 0;
    for (std::size_t i = 5; i + 2 <= lastIndex; ++i) sum += buffer[i];
    const unsigned rest = sum % 128;
    return static_cast<std::uint8_t>(rest == 0 ? 0 : 128 - rest);
}

bool CheckReceivedChecksum(const std::uint8_t* data, std::size_t length) {
    if (data == nullptr || length < MinDataSetSize) return false;
    return RolandChecksum(data, length - 1) == data[length - 2];
}

void SendDataSet(std::uint32_t base, std::uint16_t offset, std::uint16_t position, std::span<const std::uint8_t> data) {
    SendMessage(CommandDataSet, AddressOf(base, offset, position), data);
}

void SendDataByte(std::uint32_t base, std::uint16_t offset, std::uint16_t position, std::uint8_t value) {
    const std::uint8_t data[1] = {value};
    SendDataSet(base, offset, position, data);
}

void SendDataRequest(std::uint32_t base, std::uint16_t offset, std::uint16_t position, std::uint32_t size) {
    const std::uint8_t data[4] = {static_cast<std::uint8_t>(size >> 24), static_cast<std::uint8_t>(size >> 16),
                                  static_cast<std::uint8_t>(size >> 8), static_cast<std::uint8_t>(size)};
    SendMessage(CommandDataRequest, AddressOf(base, offset, position), data);
}

}  // namespace zel
