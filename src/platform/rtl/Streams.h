#pragma once
// Streams: the abstract TStream, a growable TMemoryStream, file streams over POSIX file descriptors,
// little-endian number helpers and the fixed-size short strings of the program's files.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

namespace zel {

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// File stream modes. The low two bits choose the access; fmCreate creates or empties the file.
// The share flags are accepted for the Parts' sake and ignored (POSIX has no share modes).
constexpr std::uint16_t fmOpenRead = 0x0000;
constexpr std::uint16_t fmOpenWrite = 0x0001;
constexpr std::uint16_t fmOpenReadWrite = 0x0002;
constexpr std::uint16_t fmShareCompat = 0x0000;
constexpr std::uint16_t fmShareExclusive = 0x0010;
constexpr std::uint16_t fmShareDenyWrite = 0x0020;
constexpr std::uint16_t fmShareDenyRead = 0x0030;
constexpr std::uint16_t fmShareDenyNone = 0x0040;
constexpr std::uint16_t fmCreate = 0xFF00;

// The texts of the stream failures, as the user sees them.
inline constexpr const char* SReadError = "Stream read error";
inline constexpr const char* SWriteError = "Stream write error";

class TStream : public TObject {
public:
    std::string ClassName() const override { return "TStream"; }

    // Set by the stream's creator when texts in it are UTF-16 rather than ANSI; readers and writers of
    // texts test it.
    bool Unicode = false;

    // Reads up to count bytes at the position and moves past them; returns how many were read
    // (fewer at the end of the data, 0 when count <= 0).
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    // Writes up to count bytes at the position and moves past them; returns how many were written.
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // Moves the position and returns the new one. A position before the start raises EStreamError;
    // a position past the end is allowed (a later write fills the gap with zero bytes).
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t GetPosition() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
    // The size; the default finds the end by seeking and comes back.
    virtual std::int64_t GetSize();
    // Makes the data exactly newSize bytes long (zero bytes when it grows); a position past the new end
    // moves to the new end. The default raises EStreamError: not every stream can change its size.
    virtual void SetSize(std::int64_t newSize);

    // Read/Write of exactly count bytes: a short transfer raises EReadError "Stream read error" /
    // EWriteError "Stream write error".
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);

    // Copies count bytes from source's position to this stream; count 0 copies the whole source from
    // its start. Returns the number of bytes copied; a source shorter than count raises EReadError.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// A stream over a growable block of memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    std::string ClassName() const override { return "TMemoryStream"; }

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t GetSize() override { return static_cast<std::int64_t>(data_.size()); }
    void SetSize(std::int64_t newSize) override;

    // The first byte of the data (nullptr when the stream holds nothing); valid until the size changes.
    std::uint8_t* Memory() { return data_.data(); }
    const std::uint8_t* Memory() const { return data_.data(); }
    // The data as a byte string (a copy), for comparisons.
    std::string DataString() const { return std::string(data_.begin(), data_.end()); }

    // Empties the stream: size and position 0.
    void Clear();
    // Replaces the data with the whole of stream (read from its start); the position stays where it was
    // unless it lies past the new end.
    void LoadFromStream(TStream& stream);
    // Writes the whole data at stream's position.
    void SaveToStream(TStream& stream);
    // Reads a whole file; failures raise EFOpenError / EReadError.
    void LoadFromFile(const std::string& fileName);
    // Writes the data to a file through the safe file writer (SafeFile.h): a failure leaves the old file
    // as it was and raises EInOutError.
    void SaveToFile(const std::string& fileName);

private:
    std::vector<std::uint8_t> data_;
    std::int64_t position_ = 0;
};

// A stream over a POSIX file descriptor that it does not own (it does not close it).
class THandleStream : public TStream {
public:
    explicit THandleStream(int handle) : handle_(handle) {}
    std::string ClassName() const override { return "THandleStream"; }

    // OS failures raise EReadError / EWriteError / EStreamError; reads and writes are complete (retried
    // after interruptions and partial transfers) or reach the end of the file.
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t newSize) override;

    int Handle() const { return handle_; }

protected:
    THandleStream() = default;
    int handle_ = -1;
};

// A stream over a file it opens and closes. Unbuffered: every Write reaches the operating system.
class TFileStream : public THandleStream {
public:
    // mode: fmCreate (creates or empties, read-write) or fmOpenRead / fmOpenWrite / fmOpenReadWrite
    // (the file must exist), optionally or-ed with share flags. Failure raises
    // EFCreateError "Cannot create file \"name\"" or EFOpenError "Cannot open file \"name\"".
    TFileStream(const std::string& fileName, std::uint16_t mode);
    ~TFileStream() override;
    std::string ClassName() const override { return "TFileStream"; }

    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};

// Little-endian numbers over a stream. Reads use ReadBuffer, so missing bytes raise EReadError;
// writes use WriteBuffer.
std::uint8_t ReadU8(TStream& s);
std::uint16_t ReadU16(TStream& s);
std::int16_t ReadI16(TStream& s);
std::uint32_t ReadU32(TStream& s);
std::int32_t ReadI32(TStream& s);
std::int64_t ReadI64(TStream& s);
double ReadDouble(TStream& s);  // 8-byte IEEE 754, little-endian

void WriteU8(TStream& s, std::uint8_t v);
void WriteU16(TStream& s, std::uint16_t v);
void WriteI16(TStream& s, std::int16_t v);
void WriteU32(TStream& s, std::uint32_t v);
void WriteI32(TStream& s, std::int32_t v);
void WriteI64(TStream& s, std::int64_t v);
void WriteDouble(TStream& s, double v);

// Fixed-size short strings (Pascal string[declaredSize], declaredSize 1..255): a length byte, the
// characters, then filler up to declaredSize characters; 1 + declaredSize bytes in all.
// Writing cuts a longer string to declaredSize and fills with zero bytes.
// Reading takes exactly 1 + declaredSize bytes, ignores the filler, and raises EReadError when the
// length byte exceeds declaredSize or the bytes are not there. A declaredSize outside 1..255 raises
// EStreamError.
void WriteShortString(TStream& s, const std::string& value, int declaredSize);
std::string ReadShortString(TStream& s, int declaredSize);

// The same layout inside a byte string: reads the field that starts at offset (EReadError when it
// does not fit inside bytes), or writes it there, growing bytes with zero bytes when it is too short.
std::string GetShortString(std::string_view bytes, std::size_t offset, int declaredSize);
void PutShortString(std::string& bytes, std::size_t offset, const std::string& value, int declaredSize);

}  // namespace zel
