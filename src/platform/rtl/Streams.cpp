#include "platform/rtl/Streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstring>
#include <new>
#include <stdexcept>

#include "platform/rtl/SafeFile.h"

namespace zel {

namespace {

// The largest amount handed to one read()/write() call.
constexpr std::int64_t kMaxTransfer = std::int64_t{1} << 30;

std::string WithReason(const char* text, int err) { return std::string(text) + " (" + std::strerror(err) + ")"; }

void CheckShortStringSize(int declaredSize) {
    if (declaredSize < 1 || declaredSize > 255)
        throw EStreamError("Invalid short string size " + std::to_string(declaredSize) + " (1..255 allowed)");
}

std::string BadLengthMessage(unsigned length, int declaredSize) {
    return "Short string length " + std::to_string(length) + " exceeds its declared size " +
           std::to_string(declaredSize);
}

template <class U>
U ReadLE(TStream& s) {
    std::uint8_t b[sizeof(U)];
    s.ReadBuffer(b, sizeof b);
    U v = 0;
    for (std::size_t i = 0; i < sizeof(U); ++i) v = static_cast<U>(v | (static_cast<U>(b[i]) << (8 * i)));
    return v;
}

template <class U>
void WriteLE(TStream& s, U v) {
    std::uint8_t b[sizeof(U)];
    for (std::size_t i = 0; i < sizeof(U); ++i) b[i] = static_cast<std::uint8_t>(v >> (8 * i));
    s.WriteBuffer(b, sizeof b);
}

}  // namespace

// ---------------------------------------------------------------- TStream

std::int64_t TStream::GetSize() {
    const std::int64_t pos = Seek(0, soCurrent);
    const std::int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(std::int64_t) { throw EStreamError(ClassName() + " cannot change its size"); }

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
    if (count < 0 || (count != 0 && Read(buffer, count) != count)) throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
    if (count < 0 || (count != 0 && Write(buffer, count) != count)) throw EWriteError(SWriteError);
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count <= 0) {
        source.SetPosition(0);
        count = source.GetSize();
    }
    const std::int64_t total = count;
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::int64_t>(count, 64 * 1024)));
    while (count > 0) {
        const std::int64_t n = std::min<std::int64_t>(count, static_cast<std::int64_t>(buffer.size()));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        count -= n;
    }
    return total;
}

// ---------------------------------------------------------------- TMemoryStream

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
    const auto size = static_cast<std::int64_t>(data_.size());
    if (count <= 0 || position_ >= size) return 0;
    const std::int64_t n = std::min(count, size - position_);
    std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    if (count > INT64_MAX - position_) throw EWriteError(SWriteError);
    const std::int64_t end = position_ + count;
    if (end > static_cast<std::int64_t>(data_.size())) SetSize(end);
    std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
    position_ = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    std::int64_t base = 0;
    switch (origin) {
        case soBeginning: base = 0; break;
        case soCurrent: base = position_; break;
        case soEnd: base = static_cast<std::int64_t>(data_.size()); break;
    }
    if ((offset < 0 && base + offset < 0) || (offset > 0 && offset > INT64_MAX - base))
        throw EStreamError("Stream seek error (position out of range)");
    position_ = base + offset;
    return position_;
}

void TMemoryStream::SetSize(std::int64_t newSize) {
    if (newSize < 0) throw EStreamError("Invalid stream size " + std::to_string(newSize));
    if (static_cast<std::uint64_t>(newSize) > data_.max_size())
        throw EOutOfMemory("Out of memory while expanding memory stream");
    try {
        data_.resize(static_cast<std::size_t>(newSize), 0);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Out of memory while expanding memory stream");
    } catch (const std::length_error&) {
        throw EOutOfMemory("Out of memory while expanding memory stream");
    }
    if (position_ > newSize) position_ = newSize;
}

void TMemoryStream::Clear() {
    std::vector<std::uint8_t>().swap(data_);
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
    stream.SetPosition(0);
    const std::int64_t count = stream.GetSize();
    SetSize(count);
    if (count != 0) stream.ReadBuffer(data_.data(), count);
}

void TMemoryStream::SaveToStream(TStream& stream) {
    if (!data_.empty()) stream.WriteBuffer(data_.data(), static_cast<std::int64_t>(data_.size()));
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
    SafeWriteFile(fileName, [this](TStream& out) { SaveToStream(out); });
}

// ---------------------------------------------------------------- THandleStream

std::int64_t THandleStream::Read(void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    auto* p = static_cast<std::uint8_t*>(buffer);
    while (done < count) {
        const ssize_t n = ::read(handle_, p + done, static_cast<std::size_t>(std::min(count - done, kMaxTransfer)));
        if (n < 0) {
            if (errno == EINTR) continue;
            throw EReadError(WithReason(SReadError, errno));
        }
        if (n == 0) break;  // end of file
        done += n;
    }
    return done;
}

std::int64_t THandleStream::Write(const void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    const auto* p = static_cast<const std::uint8_t*>(buffer);
    while (done < count) {
        const ssize_t n = ::write(handle_, p + done, static_cast<std::size_t>(std::min(count - done, kMaxTransfer)));
        if (n < 0) {
            if (errno == EINTR) continue;
            throw EWriteError(WithReason(SWriteError, errno));
        }
        if (n == 0) break;  // nothing more will go; the caller sees a short count
        done += n;
    }
    return done;
}

std::int64_t THandleStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    int whence = SEEK_SET;
    if (origin == soCurrent) whence = SEEK_CUR;
    if (origin == soEnd) whence = SEEK_END;
    const off_t r = ::lseek(handle_, static_cast<off_t>(offset), whence);
    if (r < 0) throw EStreamError(WithReason("Stream seek error", errno));
    return static_cast<std::int64_t>(r);
}

void THandleStream::SetSize(std::int64_t newSize) {
    if (newSize < 0) throw EStreamError("Invalid stream size " + std::to_string(newSize));
    const std::int64_t pos = GetPosition();
    int r;
    do r = ::ftruncate(handle_, static_cast<off_t>(newSize));
    while (r < 0 && errno == EINTR);
    if (r < 0) throw EWriteError(WithReason(SWriteError, errno));
    if (pos > newSize) Seek(newSize, soBeginning);
}

// ---------------------------------------------------------------- TFileStream

TFileStream::TFileStream(const std::string& fileName, std::uint16_t mode) : fileName_(fileName) {
    const bool create = (mode & fmCreate) == fmCreate;
    int flags = O_CLOEXEC;
    if (create) {
        flags |= O_RDWR | O_CREAT | O_TRUNC;
    } else {
        switch (mode & 3) {
            case fmOpenRead: flags |= O_RDONLY; break;
            case fmOpenWrite: flags |= O_WRONLY; break;
            case fmOpenReadWrite: flags |= O_RDWR; break;
            default: throw EFOpenError("Cannot open file \"" + fileName + "\"");
        }
    }
    // Opened without blocking, so that a named pipe cannot hold the program in open() waiting for its
    // other end; the flag is taken off again for the reads and writes.
    do handle_ = ::open(fileName.c_str(), flags | O_NONBLOCK, 0666);
    while (handle_ < 0 && errno == EINTR);
    if (handle_ >= 0) {
        // A folder opens for reading on Linux; it is no file. What is read must be a regular file too: a
        // pipe, a socket or a device has no end to read to. Writing to a device stays possible.
        const bool reads = create || (mode & 3) != fmOpenWrite;
        struct stat st {};
        if (::fstat(handle_, &st) != 0 || S_ISDIR(st.st_mode) || (reads && !S_ISREG(st.st_mode)) ||
            ::fcntl(handle_, F_SETFL, ::fcntl(handle_, F_GETFL) & ~O_NONBLOCK) != 0) {
            ::close(handle_);
            handle_ = -1;
        }
    }
    if (handle_ < 0) {
        if (create) throw EFCreateError("Cannot create file \"" + fileName + "\"");
        throw EFOpenError("Cannot open file \"" + fileName + "\"");
    }
}

TFileStream::~TFileStream() {
    if (handle_ >= 0) ::close(handle_);
}

// ---------------------------------------------------------------- little-endian numbers

std::uint8_t ReadU8(TStream& s) { return ReadLE<std::uint8_t>(s); }
std::uint16_t ReadU16(TStream& s) { return ReadLE<std::uint16_t>(s); }
std::int16_t ReadI16(TStream& s) { return static_cast<std::int16_t>(ReadLE<std::uint16_t>(s)); }
std::uint32_t ReadU32(TStream& s) { return ReadLE<std::uint32_t>(s); }
std::int32_t ReadI32(TStream& s) { return static_cast<std::int32_t>(ReadLE<std::uint32_t>(s)); }
std::int64_t ReadI64(TStream& s) { return static_cast<std::int64_t>(ReadLE<std::uint64_t>(s)); }
double ReadDouble(TStream& s) { return std::bit_cast<double>(ReadLE<std::uint64_t>(s)); }

void WriteU8(TStream& s, std::uint8_t v) { WriteLE(s, v); }
void WriteU16(TStream& s, std::uint16_t v) { WriteLE(s, v); }
void WriteI16(TStream& s, std::int16_t v) { WriteLE(s, static_cast<std::uint16_t>(v)); }
void WriteU32(TStream& s, std::uint32_t v) { WriteLE(s, v); }
void WriteI32(TStream& s, std::int32_t v) { WriteLE(s, static_cast<std::uint32_t>(v)); }
void WriteI64(TStream& s, std::int64_t v) { WriteLE(s, static_cast<std::uint64_t>(v)); }
void WriteDouble(TStream& s, double v) { WriteLE(s, std::bit_cast<std::uint64_t>(v)); }

// ---------------------------------------------------------------- short strings

void WriteShortString(TStream& s, const std::string& value, int declaredSize) {
    std::string field;
    PutShortString(field, 0, value, declaredSize);
    s.WriteBuffer(field.data(), static_cast<std::int64_t>(field.size()));
}

std::string ReadShortString(TStream& s, int declaredSize) {
    CheckShortStringSize(declaredSize);
    std::string field(static_cast<std::size_t>(declaredSize) + 1, '\0');
    s.ReadBuffer(field.data(), static_cast<std::int64_t>(field.size()));
    const unsigned length = static_cast<std::uint8_t>(field[0]);
    if (length > static_cast<unsigned>(declaredSize)) throw EReadError(BadLengthMessage(length, declaredSize));
    return field.substr(1, length);
}

std::string GetShortString(std::string_view bytes, std::size_t offset, int declaredSize) {
    CheckShortStringSize(declaredSize);
    const std::size_t fieldSize = static_cast<std::size_t>(declaredSize) + 1;
    if (offset > bytes.size() || bytes.size() - offset < fieldSize)
        throw EReadError("Short string field at offset " + std::to_string(offset) + " runs past the end of the data");
    const unsigned length = static_cast<std::uint8_t>(bytes[offset]);
    if (length > static_cast<unsigned>(declaredSize)) throw EReadError(BadLengthMessage(length, declaredSize));
    return std::string(bytes.substr(offset + 1, length));
}

void PutShortString(std::string& bytes, std::size_t offset, const std::string& value, int declaredSize) {
    CheckShortStringSize(declaredSize);
    const std::size_t fieldSize = static_cast<std::size_t>(declaredSize) + 1;
    if (bytes.size() < offset + fieldSize) bytes.resize(offset + fieldSize, '\0');
    const std::size_t length = std::min(value.size(), static_cast<std::size_t>(declaredSize));
    bytes[offset] = static_cast<char>(length);
    std::memcpy(bytes.data() + offset + 1, value.data(), length);
    std::memset(bytes.data() + offset + 1 + length, 0, fieldSize - 1 - length);
}

}  // namespace zel
