#include "model/SysexFraming.h"

#include <algorithm>
#include <array>

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
// While it runs, the next message waits the rest of it. A clock installed anew (a test's) starts with no
// timers, and so with no pace running.
int PaceTimer = 0;
TTick PaceDue = 0;

// Holds the caller until SendPaceMs have passed since the last message left. A transfer that sends one
// message per timer tick of that length never waits here, so the main thread goes back to its event
// loop between the messages; messages sent back to back wait the rest of the pace, as before.
void Pace() {
    if (PaceTimer != 0 && ClockTimers().Exists(PaceTimer)) {
        const TTick now = GetTickCount();
        if (PaceDue > now) WaitMilliseconds(static_cast<std::uint32_t>(std::min<TTick>(PaceDue - now, SendPaceMs)));
    }
    NoteMessageSent();
}

// Keeps the pace, builds the message in the shared buffer and hands it to the output while the ports are usable.
void SendMessage(std::uint8_t command, std::uint32_t address, std::span<const std::uint8_t> data) {
    if (data.empty() || data.size() > SysexBufferSize - SysexOverhead)
        throw EInvalidOperation("A System Exclusive message carries 1 to " +
                                std::to_string(SysexBufferSize - SysexOverhead) + " data bytes");
    // Every byte between F0 and F7 is seven bits wide: a message that would break that is refused.
    for (std::uint8_t b : data)
        if (b >= 0x80) throw EInvalidOperation("A System Exclusive data byte must be below 80H");
    if ((address & 0x80808080u) != 0) throw EInvalidOperation("A System Exclusive address byte must be below 80H");
    Pace();

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

    IMidiPorts* ports = ModelServices().MidiPorts;
    // A port that is not actually open is treated as the ports being unusable: nothing leaves.
    if (DevicesOpen == 0 || ports == nullptr || !ports->OutputOpen()) return;
    ports->PutLong(m, length);
    if (n <= 4 && ZelmoHolder != nullptr && ZelmoHolder->MonitorOpen != 0) {
        if (IMidiMonitor* monitor = ModelServices().MidiMonitor) monitor->AddOutputMessage(m, length);
    }
}

}  // namespace

void NoteMessageSent() {
    if (PaceTimer != 0) ClockTimers().Remove(PaceTimer);
    PaceDue = GetTickCount() + SendPaceMs;
    PaceTimer = ClockTimers().Add(SendPaceMs, false, [] {});
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
