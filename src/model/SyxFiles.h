#pragma once
// The .Syx body of an element: its data-set messages written back to back, exactly as they would be
// sent, with nothing before, between or after them. The same bytes end every element record of a
// library or global file.
//
// The XP variant, used while XpFormat is set, writes the patch common, the performance common, the
// performance parts and the system common with more data bytes (zeros appended, checksum over the
// longer message); reading it keeps the header and the normal data bytes and re-checksums the shorter
// message.
//
// Reading takes a body whole before any block changes, and refuses (ESyxDataError) one whose messages do
// not each begin with F0H and end with F7H at their fixed places, or whose data bytes include a value of
// 80H or more: such a byte cannot travel in a System Exclusive message. The header bytes and the
// checksum are taken as they are.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/rtl/Streams.h"
#include "platform/rtl/SysUtils.h"

namespace zel {

ZEL_DECLARE_EXCEPTION(ESyxDataError, EReadError)

// Extra data bytes of the XP form of the blocks that have one.
inline constexpr std::size_t XpPatchCommonExtra = 1;
inline constexpr std::size_t XpPerformanceCommonExtra = 2;
inline constexpr std::size_t XpPerformancePartExtra = 6;
inline constexpr std::size_t XpSystemCommonExtra = 42;

// One message of a body: a block's message buffer (DataSize + 11 bytes) and the number of data bytes
// its XP form adds (0 for blocks without one).
struct TSyxMessage {
    std::uint8_t* Message = nullptr;
    std::size_t DataSize = 0;
    std::size_t XpExtra = 0;
};

// The number of data bytes of a message in the format in use (XP while XpFormat is set).
std::size_t SyxDataSize(const TSyxMessage& M);
// The byte size of a body in the format in use.
std::size_t SyxBodySize(std::span<const TSyxMessage> Messages);

// Writes the messages in order, each in the format in use; the headers must have been built. The body
// is assembled in memory and written in one piece.
void WriteSyxBody(TStream& F, std::span<const TSyxMessage> Messages);
// Reads a body of the format in use into the messages, in order. Missing bytes raise EReadError; a
// message out of its place or a data byte of 80H or more raises ESyxDataError; in every case no message
// has changed.
void ReadSyxBody(TStream& F, std::span<const TSyxMessage> Messages);

// A read-only stream over a file that reads it in large pieces, so that the many small reads of a
// library load cost no system call each. Opening failures raise EFOpenError.
class TBufferedFileReader : public TStream {
public:
    explicit TBufferedFileReader(const std::string& FileName, std::size_t BufferSize = 256 * 1024);
    ~TBufferedFileReader() override;
    std::string ClassName() const override { return "TBufferedFileReader"; }

    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;  // raises EWriteError
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
    std::int64_t GetSize() override { return size_; }

private:
    int handle_ = -1;
    std::int64_t size_ = 0;
    std::int64_t position_ = 0;     // logical position
    std::int64_t bufferStart_ = 0;  // file position of buffer_[0]
    std::size_t bufferFill_ = 0;
    std::vector<std::uint8_t> buffer_;
};

}  // namespace zel
