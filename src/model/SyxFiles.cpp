#include "model/SyxFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "model/LibElem.h"
#include "model/SysexFraming.h"

namespace zel {

namespace {

constexpr std::size_t HeaderSize = 9;  // F0 41 dev 6A 12 a3 a2 a1 a0

std::size_t MessageLength(std::size_t dataSize) { return dataSize + SysexOverhead; }

}  // namespace

std::size_t SyxDataSize(const TSyxMessage& M) { return M.DataSize + (XpFormat != 0 ? M.XpExtra : 0); }

std::size_t SyxBodySize(std::span<const TSyxMessage> Messages) {
    std::size_t size = 0;
    for (const TSyxMessage& m : Messages) size += MessageLength(SyxDataSize(m));
    return size;
}

void WriteSyxBody(TStream& F, std::span<const TSyxMessage> Messages) {
    std::vector<std::uint8_t> body(SyxBodySize(Messages));
    std::uint8_t* out = body.data();
    for (const TSyxMessage& m : Messages) {
        const std::size_t fileData = SyxDataSize(m);
        if (fileData == m.DataSize) {
            std::memcpy(out, m.Message, MessageLength(m.DataSize));
        } else {
            // The longer form: the header and data, zeros, then a checksum over the whole of it.
            std::memcpy(out, m.Message, HeaderSize + m.DataSize);
            std::memset(out + HeaderSize + m.DataSize, 0, fileData - m.DataSize);
            const std::size_t last = MessageLength(fileData) - 1;
            out[last - 1] = RolandChecksum(out, last);
            out[last] = 0xF7;
        }
        out += MessageLength(fileData);
    }
    F.WriteBuffer(body.data(), static_cast<std::int64_t>(body.size()));
}

void ReadSyxBody(TStream& F, std::span<const TSyxMessage> Messages) {
    const std::size_t size = SyxBodySize(Messages);
    if (F.GetSize() - F.GetPosition() < static_cast<std::int64_t>(size)) throw EReadError(SReadError);
    std::vector<std::uint8_t> body(size);
    F.ReadBuffer(body.data(), static_cast<std::int64_t>(body.size()));

    // Before anything is stored, every message must sit at its place, from its F0H to its F7H (a body
    // moved by a byte would otherwise load as garbage), and every data byte must fit in seven bits. The
    // header and the checksum between stay unchecked: files from other devices, or with a stale checksum
    // that saving stamps afresh, still load.
    const std::uint8_t* in = body.data();
    for (const TSyxMessage& m : Messages) {
        const std::size_t fileData = SyxDataSize(m);
        if (in[0] != 0xF0 || in[MessageLength(fileData) - 1] != 0xF7)
            throw ESyxDataError("A System Exclusive message is not at its place");
        const std::uint8_t* data = in + HeaderSize;
        for (std::size_t i = 0; i < fileData; ++i)
            if (data[i] >= 0x80) throw ESyxDataError("A System Exclusive data byte is 80H or more");
        in += MessageLength(fileData);
    }

    in = body.data();
    for (const TSyxMessage& m : Messages) {
        const std::size_t fileData = SyxDataSize(m);
        if (fileData == m.DataSize) {
            std::memcpy(m.Message, in, MessageLength(m.DataSize));
        } else {
            // The extra data bytes are dropped and the shorter message gets its own checksum.
            std::memcpy(m.Message, in, HeaderSize + m.DataSize);
            const std::size_t last = MessageLength(m.DataSize) - 1;
            m.Message[last - 1] = RolandChecksum(m.Message, last);
            m.Message[last] = 0xF7;
        }
        in += MessageLength(fileData);
    }
}

// ----------------------------------------------------------------------------------- TBufferedFileReader

TBufferedFileReader::TBufferedFileReader(const std::string& FileName, std::size_t BufferSize) {
    // Without blocking: a named pipe would wait in open() for a writer that never comes. Only a regular
    // file is read; the flag changes nothing for one.
    do handle_ = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    while (handle_ < 0 && errno == EINTR);
    if (handle_ < 0) throw EFOpenError("Cannot open file \"" + FileName + "\"");
    struct stat st {};
    if (::fstat(handle_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(handle_);
        handle_ = -1;
        throw EFOpenError("Cannot open file \"" + FileName + "\"");
    }
    size_ = static_cast<std::int64_t>(st.st_size);
    // No larger than the file: a small library (hundreds of them are read at start-up) takes a small buffer.
    buffer_.resize(
        std::clamp<std::size_t>(static_cast<std::size_t>(size_), 4096, std::max<std::size_t>(BufferSize, 4096)));
}

TBufferedFileReader::~TBufferedFileReader() {
    if (handle_ >= 0) ::close(handle_);
}

std::int64_t TBufferedFileReader::Read(void* Buffer, std::int64_t Count) {
    if (Count <= 0) return 0;
    auto* out = static_cast<std::uint8_t*>(Buffer);
    std::int64_t done = 0;
    while (done < Count && position_ < size_) {
        const std::int64_t inBuffer = position_ - bufferStart_;
        if (inBuffer >= 0 && inBuffer < static_cast<std::int64_t>(bufferFill_)) {
            const std::int64_t n =
                std::min<std::int64_t>(Count - done, static_cast<std::int64_t>(bufferFill_) - inBuffer);
            std::memcpy(out + done, buffer_.data() + inBuffer, static_cast<std::size_t>(n));
            done += n;
            position_ += n;
            continue;
        }
        // Refill the buffer from the position.
        bufferStart_ = position_;
        bufferFill_ = 0;
        for (;;) {
            const ssize_t got = ::pread(handle_, buffer_.data(), buffer_.size(), static_cast<off_t>(position_));
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) throw EReadError(SReadError);
            bufferFill_ = static_cast<std::size_t>(got);
            break;
        }
        if (bufferFill_ == 0) break;  // the file is shorter than it was
    }
    return done;
}

std::int64_t TBufferedFileReader::Write(const void*, std::int64_t) { throw EWriteError(SWriteError); }

std::int64_t TBufferedFileReader::Seek(std::int64_t Offset, TSeekOrigin Origin) {
    std::int64_t target = Offset;
    if (Origin == soCurrent) target = position_ + Offset;
    else if (Origin == soEnd) target = size_ + Offset;
    if (target < 0) throw EStreamError("Seek before the start of the file");
    position_ = target;
    return position_;
}

}  // namespace zel
