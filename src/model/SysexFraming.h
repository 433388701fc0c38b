#pragma once
// Roland System Exclusive messages for model 6AH: data set (DT1, 12H) and data request (RQ1, 11H).
//
//   F0 41 dev 6A cmd  a3 a2 a1 a0  data...  checksum F7
//
// dev is the configured device ID minus 1; the address is base + offset + position, most significant
// byte first, with no 7-bit carry between the bytes; the checksum makes the address and data bytes sum
// to a multiple of 128. Every outgoing message leaves at least 50 ms after the one before it (on the
// clock service), which paces all traffic to the instrument: a message sent sooner first waits the
// rest. Messages leave only while the MIDI ports are usable.
#include <cstddef>
#include <cstdint>
#include <span>

namespace zel {

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
