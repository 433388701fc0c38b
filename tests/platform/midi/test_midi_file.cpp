// The standard MIDI file reader: tracks merged by time with the tempo changes, running status, System
// Exclusive events, SMPTE time, and a table of damaged files, each refused with what is wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/midi/MidiFile.h"
#include "support/TempDir.h"
#include "support/midi/SmfBuilder.h"

namespace zel::test {
namespace {

struct TSent {
    std::uint64_t timeUs;
    TSmfBytes bytes;
    bool operator==(const TSent&) const = default;
};

std::vector<TSent> Merged(const TMidiFile& f) {
    std::vector<TSent> out;
    for (const TMidiFileEvent& e : f.Events) {
        const std::uint8_t* d = f.EventData(e);
        out.push_back({e.TimeUs, TSmfBytes(d, d + e.Size)});
    }
    return out;
}

void Load(TMidiFile& f, const TSmfBytes& bytes) { f.LoadFromBuffer(bytes.data(), bytes.size()); }

TEST(MidiFile, AFormatOneFileIsMergedByTimeWithItsTempoChange) {
    TMidiFile f;
    Load(f, TempoChangeFile());
    EXPECT_EQ(f.Format, 1);
    EXPECT_EQ(f.TrackCount, 2);
    EXPECT_EQ(f.Division, 96);
    const std::vector<TSent> expected = {
        {0, {0x90, 0x3C, 0x64}},
        {500000, {0x90, 0x3C, 0x00}},  // running status
        {1000000, {0x90, 0x40, 0x64}},
        {1250000, {0x80, 0x40, 0x00}},  // 96 ticks at the doubled speed
        {1250000, {0xF0, 0x41, 0x10, 0x42, 0x12, 0xF7}},
    };
    EXPECT_EQ(Merged(f), expected);
    EXPECT_EQ(f.DurationUs, 1250000u);
}

TEST(MidiFile, EqualTimesKeepTheTrackOrderAndATempoChangeTimesEveryTrackAfterIt) {
    // Three tracks; the tempo change sits in the last one.
    TSmfTrack a, b, c;
    a.Event(0, {0x91, 0x30, 0x40}).Event(48, {0x81, 0x30, 0x00}).Event(96, {0xC1, 0x05}).End();
    b.Event(0, {0x92, 0x31, 0x40}).Event(144, {0xD2, 0x10}).End();
    c.Tempo(48, 1000000).End();
    TMidiFile f;
    Load(f, SmfFile(1, 96, {a, b, c}));
    const std::vector<TSent> expected = {
        {0, {0x91, 0x30, 0x40}},      {0, {0x92, 0x31, 0x40}},
        {250000, {0x81, 0x30, 0x00}}, {1250000, {0xC1, 0x05}},  // 48 ticks at 120 bpm, then 96 at 60 bpm
        {1250000, {0xD2, 0x10}},
    };
    EXPECT_EQ(Merged(f), expected);
}

TEST(MidiFile, FormatZeroSmpteTimeEscapesForeignChunksAndAMissingEndOfTrack) {
    TSmfTrack t;
    t.Tempo(0, 250000)  // time code does not follow the tempo
        .Event(500, {0xB0, 0x07, 0x64})
        .Event(250, {0xF7, 0x02, 0xF8, 0xFA})  // an escape: its bytes as they stand
        .Event(0, {0xF7, 0x00});               // an empty escape sends nothing
    TSmfBytes bytes = SmfFile(0, static_cast<std::uint16_t>((-25 & 0xFF) << 8 | 40), {t});
    // A chunk of another kind before the track is passed over.
    const TSmfBytes alien{'X', 'Y', 'Z', 'W', 0, 0, 0, 3, 1, 2, 3};
    bytes.insert(bytes.begin() + 14, alien.begin(), alien.end());
    TMidiFile f;
    Load(f, bytes);
    const std::vector<TSent> expected = {{500000, {0xB0, 0x07, 0x64}}, {750000, {0xF8, 0xFA}}};
    EXPECT_EQ(Merged(f), expected);

    // 29 frames stand for 29.97: 30 frames of 100 ticks take 1001 ms.
    TSmfTrack u;
    u.Event(3000, {0x90, 0x3C, 0x01}).End();
    Load(f, SmfFile(0, static_cast<std::uint16_t>((-29 & 0xFF) << 8 | 100), {u}));
    EXPECT_EQ(Merged(f), (std::vector<TSent>{{1001000, {0x90, 0x3C, 0x01}}}));
}

// A file with one track of these bytes, as format 1 at 96 ticks per quarter.
TSmfBytes OneTrack(std::initializer_list<std::uint8_t> track) {
    TSmfTrack t;
    t.Bytes = track;
    return SmfFile(1, 96, {t});
}

TSmfBytes WithHeader(std::uint16_t format, std::uint16_t tracks, std::uint16_t division) {
    TSmfTrack t;
    t.End();
    TSmfBytes b = SmfFile(format, division, {t});
    b[10] = static_cast<std::uint8_t>(tracks >> 8);
    b[11] = static_cast<std::uint8_t>(tracks);
    return b;
}

TEST(MidiFile, ADamagedFileIsRefusedWithWhatIsWrongAndLeavesNothingRead) {
    struct Row {
        const char* name;
        TSmfBytes bytes;
        const char* message;
    };
    TSmfBytes longChunk = OneTrack({0x00, 0xFF, 0x2F, 0x00});
    longChunk[21] = 0x40;  // the track claims 64 bytes
    TSmfBytes longHeader = OneTrack({0x00, 0xFF, 0x2F, 0x00});
    longHeader[7] = 0x60;
    const Row rows[] = {
        {"a System Exclusive file",
         {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7},
         "Not a standard MIDI file"},
        {"shorter than a header", {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1}, "Not a standard MIDI file"},
        {"a header longer than the file", longHeader, "a header of 96 bytes"},
        {"format 2", WithHeader(2, 1, 96), "format 2 cannot be played"},
        {"format 0 with two tracks", WithHeader(0, 2, 96), "format 0 with 2 tracks"},
        {"no tracks", WithHeader(1, 0, 96), "format 1 with 0 tracks"},
        {"a division of 0", WithHeader(1, 1, 0), "a division of 0 ticks per quarter note"},
        {"23 frames per second", WithHeader(1, 1, (-23 & 0xFF) << 8 | 4), "23 frames per second"},
        {"0 ticks per frame", WithHeader(1, 1, (-25 & 0xFF) << 8), "0 ticks per frame"},
        {"a track missing", WithHeader(1, 2, 96), "it ends before track 2"},
        {"a chunk longer than the file", longChunk, "a chunk of 64 bytes where 4 are left"},
        {"a five-byte delta time", OneTrack({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x90, 0x3C, 0x40}),
         "a delta time longer than four bytes"},
        {"a delta time cut off", OneTrack({0x00, 0x90, 0x3C, 0x40, 0x81}), "an unfinished delta time"},
        {"running status with no status", OneTrack({0x00, 0x3C, 0x40}), "a data byte with no status before it"},
        {"a channel message cut off", OneTrack({0x00, 0x90, 0x3C}), "an unfinished channel message"},
        {"a status inside a channel message", OneTrack({0x00, 0x90, 0x3C, 0x90}),
         "the status 90H inside a channel message"},
        {"a status a file cannot hold", OneTrack({0x00, 0xF1, 0x00}), "the status F1H"},
        {"a meta event longer than the track", OneTrack({0x00, 0xFF, 0x01, 0x10, 'a', 'b'}),
         "a meta event of 16 bytes where 2 are left"},
        {"a meta length cut off", OneTrack({0x00, 0xFF, 0x01}), "an unfinished meta event length"},
        {"a System Exclusive event longer than the track", OneTrack({0x00, 0xF0, 0x20, 0x41, 0xF7}),
         "a System Exclusive event of 32 bytes where 2 are left"},
        {"an escape longer than the track", OneTrack({0x00, 0xF7, 0x05, 0xF8}),
         "a System Exclusive event of 5 bytes where 1 are left"},
        {"a tempo of two bytes", OneTrack({0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1}), "a tempo change of 2 bytes"},
        {"a tempo of 0", OneTrack({0x00, 0xFF, 0x51, 0x03, 0x00, 0x00, 0x00}), "a tempo of 0"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TMidiFile f;
        Load(f, TempoChangeFile());
        try {
            Load(f, r.bytes);
            ADD_FAILURE() << "read";
        } catch (const EMidiFileError& e) {
            EXPECT_NE(e.Message.find(r.message), std::string::npos) << e.Message;
        }
        EXPECT_TRUE(f.Events.empty());
        EXPECT_TRUE(f.LongData.empty());
        EXPECT_EQ(f.TrackCount, 0);
    }
}

TEST(MidiFile, AFileIsReadFromDiskAndAMissingOneIsAnError) {
    TempDir dir;
    const TSmfBytes bytes = TempoChangeFile();
    WriteAll(dir.File("Song.Mid"), std::string(bytes.begin(), bytes.end()));
    TMidiFile f;
    f.LoadFromFile(dir.File("Song.Mid"));
    EXPECT_EQ(f.Events.size(), 5u);
    try {
        f.LoadFromFile(dir.File("Missing.Mid"));
        ADD_FAILURE() << "read";
    } catch (const EMidiFileError& e) {
        EXPECT_EQ(e.Message, "Unable to read the MIDI file " + dir.File("Missing.Mid"));
    }
    EXPECT_TRUE(f.Events.empty());
}

}  // namespace
}  // namespace zel::test
