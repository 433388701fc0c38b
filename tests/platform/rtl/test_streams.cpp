#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace zel::test {
namespace {

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s += static_cast<char>(b);
    return s;
}

void Fill(TMemoryStream& m, const std::string& bytes) {
    m.Clear();
    m.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    m.SetPosition(0);
}

// A stream that accepts only Capacity bytes, as a full medium does: Write returns a short count.
class TShortStream : public TMemoryStream {
public:
    explicit TShortStream(std::int64_t capacity) : Capacity(capacity) {}
    std::int64_t Write(const void* buffer, std::int64_t count) override {
        const std::int64_t room = std::max<std::int64_t>(0, Capacity - GetPosition());
        return TMemoryStream::Write(buffer, std::min(count, room));
    }
    std::int64_t Capacity;
};

// ---------------------------------------------------------------- short strings

struct ShortStringRow {
    const char* name;
    std::string value;
    int declaredSize;
    std::string bytes;
};

void PrintTo(const ShortStringRow& row, std::ostream* os) { *os << row.name; }

class ShortStringLayout : public ::testing::TestWithParam<ShortStringRow> {};

TEST_P(ShortStringLayout, WritesLengthCharactersAndZeroFillerToTheDeclaredSize) {
    const auto& row = GetParam();
    TMemoryStream m;
    WriteShortString(m, row.value, row.declaredSize);
    EXPECT_EQ(m.GetSize(), 1 + row.declaredSize);
    EXPECT_EQ(m.DataString(), row.bytes);
}

INSTANTIATE_TEST_SUITE_P(Rows, ShortStringLayout,
                         ::testing::Values(ShortStringRow{"ABC_in_12", "ABC", 12,
                                                          Bytes({3, 'A', 'B', 'C', 0, 0, 0, 0, 0, 0, 0, 0, 0})},
                                           ShortStringRow{"empty_in_12", "", 12, std::string(13, '\0')},
                                           ShortStringRow{"full_12", "ABCDEFGHIJKL", 12,
                                                          "\x0C"
                                                          "ABCDEFGHIJKL"},
                                           ShortStringRow{"too_long_is_cut", "ABCDEFGHIJKLMNOP", 12,
                                                          "\x0C"
                                                          "ABCDEFGHIJKL"},
                                           ShortStringRow{"one_char_field", "xyz", 1, "\x01x"},
                                           ShortStringRow{"high_bytes_kept", "\xE9\xFF", 3, Bytes({2, 0xE9, 0xFF, 0})}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShortString, LibraryFileNameFieldIs80Bytes) {
    TMemoryStream m;
    WriteShortString(m, "C:\\Zelmo\\Bass.Lib", 79);
    ASSERT_EQ(m.GetSize(), 80);
    EXPECT_EQ(m.Memory()[0], 17);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(m.Memory()) + 1, 17), "C:\\Zelmo\\Bass.Lib");
    for (int i = 18; i < 80; ++i) EXPECT_EQ(m.Memory()[i], 0) << i;
}

TEST(ShortString, ReadTakesTheWholeFieldAndIgnoresTheFiller) {
    TMemoryStream m;
    Fill(m,
         "\x03"
         "ABCxxxxxxxxx"
         "Z");
    EXPECT_EQ(ReadShortString(m, 12), "ABC");
    EXPECT_EQ(m.GetPosition(), 13);
    EXPECT_EQ(ReadU8(m), 'Z');
}

TEST(ShortString, RoundTrip) {
    TMemoryStream m;
    WriteShortString(m, "Warm Pad", 12);
    WriteShortString(m, "", 12);
    m.SetPosition(0);
    EXPECT_EQ(ReadShortString(m, 12), "Warm Pad");
    EXPECT_EQ(ReadShortString(m, 12), "");
    EXPECT_EQ(m.GetPosition(), m.GetSize());
}

TEST(ShortString, LengthByteBeyondTheDeclaredSizeIsRefused) {
    TMemoryStream m;
    Fill(m,
         "\x0D"
         "ABCDEFGHIJKLM"
         "NOPQ");
    try {
        ReadShortString(m, 12);
        FAIL() << "no exception";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message, "Short string length 13 exceeds its declared size 12");
    }
    // Never past the declared field.
    EXPECT_LE(m.GetPosition(), 13);
}

TEST(ShortString, MissingBytesRaiseEReadError) {
    TMemoryStream m;
    Fill(m,
         "\x03"
         "ABC");
    EXPECT_THROW(ReadShortString(m, 12), EReadError);
}

TEST(ShortString, DeclaredSizeOutside1To255IsRefused) {
    TMemoryStream m;
    EXPECT_THROW(WriteShortString(m, "A", 0), EStreamError);
    EXPECT_THROW(WriteShortString(m, "A", 256), EStreamError);
    EXPECT_THROW(ReadShortString(m, 0), EStreamError);
    EXPECT_EQ(m.GetSize(), 0);
    WriteShortString(m, std::string(300, 'a'), 255);
    EXPECT_EQ(m.GetSize(), 256);
    EXPECT_EQ(m.Memory()[0], 255);
}

TEST(ShortString, InMemoryVariants) {
    std::string bytes = "HEAD";
    PutShortString(bytes, 2, "Bass", 6);
    EXPECT_EQ(bytes, Bytes({'H', 'E', 4, 'B', 'a', 's', 's', 0, 0}));
    EXPECT_EQ(GetShortString(bytes, 2, 6), "Bass");
    EXPECT_THROW(GetShortString(bytes, 3, 6), EReadError);   // field runs past the end
    EXPECT_THROW(GetShortString(bytes, 50, 6), EReadError);  // offset past the end
    bytes[2] = 7;
    EXPECT_THROW(GetShortString(bytes, 2, 6), EReadError);  // length beyond the field
}

// ---------------------------------------------------------------- little-endian numbers

TEST(LittleEndian, IntegerLayouts) {
    TMemoryStream m;
    WriteU8(m, 0xAB);
    WriteU16(m, 0x1234);
    WriteI16(m, -1);
    WriteI16(m, -2);
    WriteU32(m, 0x12345678u);
    WriteI32(m, -2);
    WriteI64(m, 0x0102030405060708LL);
    WriteI64(m, -1);
    EXPECT_EQ(m.DataString(),
              Bytes({0xAB, 0x34, 0x12, 0xFF, 0xFF, 0xFE, 0xFF, 0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x08,
                     0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    m.SetPosition(0);
    EXPECT_EQ(ReadU8(m), 0xAB);
    EXPECT_EQ(ReadU16(m), 0x1234);
    EXPECT_EQ(ReadI16(m), -1);
    EXPECT_EQ(ReadU16(m), 0xFFFE);
    EXPECT_EQ(ReadU32(m), 0x12345678u);
    EXPECT_EQ(ReadI32(m), -2);
    EXPECT_EQ(ReadI64(m), 0x0102030405060708LL);
    EXPECT_EQ(ReadI64(m), -1);
}

TEST(LittleEndian, ExtremeValuesRoundTrip) {
    TMemoryStream m;
    WriteI16(m, std::numeric_limits<std::int16_t>::min());
    WriteI32(m, std::numeric_limits<std::int32_t>::min());
    WriteI64(m, std::numeric_limits<std::int64_t>::min());
    WriteU32(m, 0xFFFFFFFFu);
    m.SetPosition(0);
    EXPECT_EQ(ReadI16(m), std::numeric_limits<std::int16_t>::min());
    EXPECT_EQ(ReadI32(m), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ReadI64(m), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(ReadU32(m), 0xFFFFFFFFu);
}

struct DoubleRow {
    const char* name;
    double value;
    std::string bytes;
};

void PrintTo(const DoubleRow& row, std::ostream* os) { *os << row.name; }

class DoubleLayout : public ::testing::TestWithParam<DoubleRow> {};

TEST_P(DoubleLayout, EightByteIeeeLittleEndian) {
    const auto& row = GetParam();
    TMemoryStream m;
    WriteDouble(m, row.value);
    EXPECT_EQ(m.DataString(), row.bytes);
    m.SetPosition(0);
    EXPECT_EQ(ReadDouble(m), row.value);
}

INSTANTIATE_TEST_SUITE_P(Rows, DoubleLayout,
                         ::testing::Values(DoubleRow{"one", 1.0, Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F})},
                                           DoubleRow{"minus_two", -2.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0xC0})},
                                           DoubleRow{"zero", 0.0, std::string(8, '\0')},
                                           // 2024-01-01 as a date: 45292 days after 1899-12-30.
                                           DoubleRow{"date_45292", 45292.0,
                                                     Bytes({0, 0, 0, 0, 0x80, 0x1D, 0xE6, 0x40})},
                                           DoubleRow{"noon", 0.5, Bytes({0, 0, 0, 0, 0, 0, 0xE0, 0x3F})}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LittleEndian, ShortDataRaisesEReadError) {
    TMemoryStream m;
    Fill(m, "\x01");
    EXPECT_THROW(ReadU16(m), EReadError);
    TMemoryStream d;
    Fill(d, "1234567");
    EXPECT_THROW(ReadDouble(d), EReadError);
    TMemoryStream e;
    EXPECT_THROW(ReadU8(e), EReadError);
}

// ---------------------------------------------------------------- TStream buffer rules

TEST(StreamBuffers, ShortReadRaisesEReadErrorWithItsText) {
    TMemoryStream m;
    Fill(m, "abc");
    char buf[8];
    try {
        m.ReadBuffer(buf, 4);
        FAIL() << "no exception";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message, "Stream read error");
        EXPECT_EQ(e.ClassName(), "EReadError");
    }
    m.SetPosition(0);
    EXPECT_NO_THROW(m.ReadBuffer(buf, 3));
    EXPECT_NO_THROW(m.ReadBuffer(buf, 0));
}

TEST(StreamBuffers, ShortWriteRaisesEWriteErrorWithItsText) {
    TShortStream s(5);
    s.WriteBuffer("abc", 3);
    try {
        s.WriteBuffer("def", 3);
        FAIL() << "no exception";
    } catch (const EWriteError& e) {
        EXPECT_EQ(e.Message, "Stream write error");
    }
}

TEST(StreamBuffers, ReadReturnsFewerBytesAtTheEnd) {
    TMemoryStream m;
    Fill(m, "abc");
    char buf[8] = {};
    EXPECT_EQ(m.Read(buf, 8), 3);
    EXPECT_EQ(m.Read(buf, 8), 0);
    EXPECT_EQ(std::string(buf, 3), "abc");
}

TEST(StreamBuffers, CopyFromZeroCopiesTheWholeSourceFromItsStart) {
    TMemoryStream src;
    Fill(src, "0123456789");
    src.SetPosition(7);
    TMemoryStream dst;
    dst.WriteBuffer("<", 1);
    EXPECT_EQ(dst.CopyFrom(src, 0), 10);
    EXPECT_EQ(dst.DataString(), "<0123456789");
    EXPECT_EQ(src.GetPosition(), 10);
}

TEST(StreamBuffers, CopyFromCountCopiesFromTheCurrentPosition) {
    TMemoryStream src;
    Fill(src, "0123456789");
    src.SetPosition(2);
    TMemoryStream dst;
    EXPECT_EQ(dst.CopyFrom(src, 5), 5);
    EXPECT_EQ(dst.DataString(), "23456");
    EXPECT_THROW(dst.CopyFrom(src, 5), EReadError);  // only 3 left
}

TEST(StreamBuffers, CopyFromLargeSource) {
    std::string big(200000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
    TMemoryStream src;
    Fill(src, big);
    TMemoryStream dst;
    EXPECT_EQ(dst.CopyFrom(src, 0), 200000);
    EXPECT_EQ(dst.DataString(), big);
}

// ---------------------------------------------------------------- TMemoryStream

TEST(MemoryStream, GrowsSeeksAndFillsGapsWithZero) {
    TMemoryStream m;
    EXPECT_EQ(m.GetSize(), 0);
    EXPECT_EQ(m.Seek(4, soBeginning), 4);
    EXPECT_EQ(m.GetSize(), 0);  // seeking alone does not grow
    m.WriteBuffer("xy", 2);
    EXPECT_EQ(m.DataString(), Bytes({0, 0, 0, 0, 'x', 'y'}));
    EXPECT_EQ(m.Seek(-1, soEnd), 5);
    EXPECT_EQ(m.Seek(-2, soCurrent), 3);
    m.WriteBuffer("ABCD", 4);
    EXPECT_EQ(m.DataString(), Bytes({0, 0, 0, 'A', 'B', 'C', 'D'}));
    EXPECT_THROW(m.Seek(-1, soBeginning), EStreamError);
    EXPECT_EQ(m.GetPosition(), 7);
}

TEST(MemoryStream, SetSizeTruncatesGrowsAndClampsThePosition) {
    TMemoryStream m;
    Fill(m, "abcdef");
    m.SetPosition(5);
    m.SetSize(3);
    EXPECT_EQ(m.GetPosition(), 3);
    EXPECT_EQ(m.DataString(), "abc");
    m.SetPosition(1);
    m.SetSize(5);
    EXPECT_EQ(m.GetPosition(), 1);
    EXPECT_EQ(m.DataString(), Bytes({'a', 'b', 'c', 0, 0}));
    EXPECT_THROW(m.SetSize(-1), EStreamError);
}

TEST(MemoryStream, ClearEmptiesIt) {
    TMemoryStream m;
    Fill(m, "abc");
    m.SetPosition(2);
    m.Clear();
    EXPECT_EQ(m.GetSize(), 0);
    EXPECT_EQ(m.GetPosition(), 0);
    EXPECT_EQ(m.Memory(), nullptr);
}

TEST(MemoryStream, LoadFromStreamAndSaveToStream) {
    TMemoryStream src;
    Fill(src, "hello");
    src.SetPosition(3);
    TMemoryStream m;
    m.LoadFromStream(src);
    EXPECT_EQ(m.DataString(), "hello");
    TMemoryStream out;
    out.WriteBuffer(">", 1);
    m.SaveToStream(out);
    EXPECT_EQ(out.DataString(), ">hello");
}

TEST(MemoryStream, FileRoundTrip) {
    test::TempDir dir;
    const std::string path = dir.File("data.bin");
    TMemoryStream m;
    Fill(m, Bytes({0, 1, 2, 0xFF, 0x0D, 0x0A}));
    m.SaveToFile(path);
    EXPECT_EQ(test::ReadAll(path), Bytes({0, 1, 2, 0xFF, 0x0D, 0x0A}));
    TMemoryStream r;
    r.LoadFromFile(path);
    EXPECT_EQ(r.DataString(), m.DataString());
    EXPECT_THROW(r.LoadFromFile(dir.File("missing.bin")), EFOpenError);
}

// ---------------------------------------------------------------- TFileStream

TEST(FileStream, CreateWriteReadBack) {
    test::TempDir dir;
    const std::string path = dir.File("a.syx");
    {
        TFileStream f(path, fmCreate);
        WriteU16(f, 0xBEEF);
        f.WriteBuffer("xyz", 3);
        EXPECT_EQ(f.GetSize(), 5);
        EXPECT_EQ(f.FileName(), path);
        // Unbuffered: the bytes are in the file while the stream is open.
        EXPECT_EQ(test::ReadAll(path),
                  "\xEF\xBE"
                  "xyz");
    }
    TFileStream r(path, fmOpenRead);
    EXPECT_EQ(r.GetSize(), 5);
    EXPECT_EQ(ReadU16(r), 0xBEEF);
    EXPECT_EQ(r.Seek(-1, soEnd), 4);
    EXPECT_EQ(ReadU8(r), 'z');
    EXPECT_THROW(ReadU8(r), EReadError);
}

TEST(FileStream, CreateEmptiesAnExistingFile) {
    test::TempDir dir;
    const std::string path = dir.File("a.bin");
    test::WriteAll(path, "old contents");
    { TFileStream f(path, fmCreate); }
    EXPECT_EQ(test::ReadAll(path), "");
}

TEST(FileStream, OpenReadWriteKeepsAndPatches) {
    test::TempDir dir;
    const std::string path = dir.File("a.bin");
    test::WriteAll(path, "abcdef");
    {
        TFileStream f(path, fmOpenReadWrite | fmShareDenyWrite);
        f.SetPosition(2);
        f.WriteBuffer("XY", 2);
        f.SetSize(5);
        EXPECT_EQ(f.GetPosition(), 4);
        f.SetPosition(5);
        f.SetSize(3);
        EXPECT_EQ(f.GetPosition(), 3);
    }
    EXPECT_EQ(test::ReadAll(path), "abX");
}

TEST(FileStream, FailuresNameTheFile) {
    test::TempDir dir;
    const std::string missing = dir.File("missing.lib");
    try {
        TFileStream f(missing, fmOpenRead);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message, "Cannot open file \"" + missing + "\"");
    }
    const std::string noFolder = dir.File("no/such/folder/x.lib");
    try {
        TFileStream f(noFolder, fmCreate);
        FAIL() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message, "Cannot create file \"" + noFolder + "\"");
    }
    // A folder is no file.
    EXPECT_THROW(TFileStream(dir.Path().string(), fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(dir.Path().string(), fmCreate), EFCreateError);
}

TEST(FileStream, OperatingSystemErrorsAreReported) {
    test::TempDir dir;
    const std::string path = dir.File("a.bin");
    test::WriteAll(path, "abc");
    TFileStream r(path, fmOpenRead);
    EXPECT_THROW(r.WriteBuffer("x", 1), EWriteError);  // opened for reading only
    TFileStream w(path, fmOpenWrite);
    char c;
    EXPECT_THROW(w.ReadBuffer(&c, 1), EReadError);  // opened for writing only
    EXPECT_THROW(w.Seek(-10, soBeginning), EStreamError);
}

// What is read must be a regular file: a named pipe is refused at once instead of waiting in open() for
// its writer, and so are a device and a folder. Writing to a device stays possible.
TEST(FileStream, OnlyARegularFileIsOpenedForReading) {
    test::TempDir dir;
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/null"), dir.Path().string()}) {
        SCOPED_TRACE(path);
        EXPECT_THROW(TFileStream(path, fmOpenRead), EFOpenError);
        EXPECT_THROW(TFileStream(path, fmOpenReadWrite), EFOpenError);
        EXPECT_THROW(TMemoryStream().LoadFromFile(path), EFOpenError);
    }
    // No reader at the other end: writing is refused at once too.
    EXPECT_THROW(TFileStream(fifo, fmOpenWrite), EFOpenError);
    TFileStream device("/dev/null", fmOpenWrite);
    device.WriteBuffer("x", 1);
}

TEST(FileStream, DevFullWriteFails) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    TFileStream f("/dev/full", fmOpenWrite);
    EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);
}

}  // namespace
}  // namespace zel::test
