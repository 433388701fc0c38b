#pragma once
// Roland System Exclusive messages for model 6AH: data set (DT1, 12H) and data request (RQ1, 11H).
//
//   F0 41 dev 6A cmd  a3 a2 a1 a0  data...  checksum F7
//
// dev is the configured device ID minus 1; the address is base + offset + position, most significant
// byte first, with no 7-bit carry between the bytes; the checksum makes the address and data bytes sum
// to a multiple of 128. Every outgoing message leaves at least 50 ms after the one before it (on the
// clock service), which paces all traffic to the instrument. Messages leave only while the MIDI ports
// are usable.
//
// The outgoing queue. A send of several messages (a patch, a performance, a system) runs inside a
// TQueuedSends: each of its messages that would have to wait for the pace is queued instead, and a
// timer of the clock service sends it from the event loop when the pace has run, so the program
// repaints and answers input while the messages go out. Once anything is queued, everything sent after
// it (a lone data set, a data request, a note, another send) queues behind it, in order: nothing
// overtakes a queued message or splits a queued send. A lone message sent with nothing queued waits the
// rest of the pace in line (at most 50 ms), which keeps a dragged control at the wire rate instead of
// piling messages up behind it. Before the port dialog closes the output, whatever is still queued is
// sent, so the instrument is never left half-written.
#include <cstddef>
#include <cstdint>
#include <span>

namespace zel {

class IMidiPorts;

inline constexpr std::uint8_t RolandManufacturer = 0x41;
inline constexpr std::uint8_t RolandModel = 0x6A;
inline constexpr std::uint8_t CommandDataSet = 0x12;
inline constexpr std::uint8_t CommandDataRequest = 0x11;

// The least time between two outgoing messages, in milliseconds.
inline constexpr std::uint32_t SendPaceMs = 50;
// The one buffer every sender builds its message in.
inline constexpr std::size_t SysexBufferSize = 2048;
// A message carrying n data bytes is n + 11 bytes long.
inline constexpr std::size_t SysexOverhead = 11;
// The smallest data-set message: one data byte.
inline constexpr std::size_t MinDataSetSize = SysexOverhead + 1;

// Records that a message left now by another way (a message sent straight to the output), so that the
// next one keeps its pace behind it.
void NoteMessageSent();

// While one lives, the messages sent that would wait for the pace are queued instead (see above).
class TQueuedSends {
public:
    TQueuedSends();
    ~TQueuedSends();
    TQueuedSends(const TQueuedSends&) = delete;
    TQueuedSends& operator=(const TQueuedSends&) = delete;
};

// The messages still in the outgoing queue.
std::size_t QueuedMessages();
// How long until every message queued now has left, in milliseconds (0 when nothing is queued): a reply
// time-out armed for a queued request counts from its departure by starting this much later.
std::uint32_t QueuedSendsMs();
// Sends every queued message to ports now, each waiting the rest of its pace in line: the output is
// about to close.
void FlushQueuedSends(IMidiPorts& ports);
// Sends a short message (a note) to the output: at once, or behind the queue when anything is queued.
// Short messages keep no pace.
void SendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
// Sends a whole message built elsewhere (a universal System Exclusive message) with no pace before it,
// and starts the pace behind it: at once, or behind the queue when anything is queued.
void SendWholeMessage(std::span<const std::uint8_t> message);

// The device byte of every message: the configured device ID minus 1, kept to seven bits (the holder's
// constructor value 17 when no holder exists).
std::uint8_t DeviceByte();

// Writes F0 41 dev 6A 12 and the address into bytes 0..8 of a message buffer whose last byte is at
// lastIndex (>= 10), then the checksum at lastIndex - 1 and F7 at lastIndex; the data bytes between stay.
void FillDataSetHeader(std::uint8_t* buffer, std::size_t lastIndex, std::uint32_t address);

// 128 minus (the sum of bytes 5 .. lastIndex - 2 modulo 128), and 0 when that sum is a multiple of 128.
std::uint8_t RolandChecksum(const std::uint8_t* buffer, std::size_t lastIndex);

// True when a received System Exclusive message carries a correct checksum at its last byte but one.
// Only the checksum is tested. A message shorter than the smallest data set is false.
bool CheckReceivedChecksum(const std::uint8_t* data, std::size_t length);

// Sends one DT1 carrying data (1 .. 2037 bytes) to base + offset + position. A message of at most four
// data bytes is also shown on the MIDI monitor when it is open. A data or address byte of 80H or more is
// refused with EInvalidOperation before anything is sent.
void SendDataSet(std::uint32_t base, std::uint16_t offset, std::uint16_t position, std::span<const std::uint8_t> data);
void SendDataByte(std::uint32_t base, std::uint16_t offset, std::uint16_t position, std::uint8_t value);
// Sends one RQ1 (15 bytes) asking for size bytes (the four size bytes, most significant first) at
// base + offset + position; it is always shown on an open monitor.
void SendDataRequest(std::uint32_t base, std::uint16_t offset, std::uint16_t position, std::uint32_t size);

}  // namespace zel
