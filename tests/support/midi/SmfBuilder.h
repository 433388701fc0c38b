#pragma once
// Builds standard MIDI files byte by byte, for the reader's and the player's tests and the benchmark.
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace zel::test {

using TSmfBytes = std::vector<std::uint8_t>;

inline void AppendNumber(TSmfBytes& out, std::uint32_t value) {
    std::uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (n > 1) out.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
    out.push_back(groups[0]);
}

inline void AppendBigEndian(TSmfBytes& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// One track's events; each call adds a delta time and an event.
class TSmfTrack {
public:
    // Any bytes after the delta time (a channel message, running-status data, a damaged event).
    TSmfTrack& Event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
        AppendNumber(Bytes, delta);
        Bytes.insert(Bytes.end(), bytes);
        return *this;
    }
    TSmfTrack& Tempo(std::uint32_t delta, std::uint32_t usPerQuarter) {
        AppendNumber(Bytes, delta);
        Bytes.insert(Bytes.end(), {0xFF, 0x51, 0x03});
        AppendBigEndian(Bytes, usPerQuarter, 3);
        return *this;
    }
    // A System Exclusive event (F0, its length, then the bytes after F0, F7 included).
    TSmfTrack& SysEx(std::uint32_t delta, std::initializer_list<std::uint8_t> afterF0) {
        AppendNumber(Bytes, delta);
        Bytes.push_back(0xF0);
        AppendNumber(Bytes, static_cast<std::uint32_t>(afterF0.size()));
        Bytes.insert(Bytes.end(), afterF0);
        return *this;
    }
    TSmfTrack& Text(std::uint32_t delta, std::initializer_list<std::uint8_t> text) {
        AppendNumber(Bytes, delta);
        Bytes.insert(Bytes.end(), {0xFF, 0x01});
        AppendNumber(Bytes, static_cast<std::uint32_t>(text.size()));
        Bytes.insert(Bytes.end(), text);
        return *this;
    }
    TSmfTrack& End(std::uint32_t delta = 0) { return Event(delta, {0xFF, 0x2F, 0x00}); }
    TSmfBytes Bytes;
};

// The header chunk and one chunk per track.
inline TSmfBytes SmfFile(std::uint16_t format, std::uint16_t division, const std::vector<TSmfTrack>& tracks) {
    TSmfBytes out{'M', 'T', 'h', 'd', 0, 0, 0, 6};
    AppendBigEndian(out, format, 2);
    AppendBigEndian(out, static_cast<std::uint32_t>(tracks.size()), 2);
    AppendBigEndian(out, division, 2);
    for (const TSmfTrack& t : tracks) {
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        AppendBigEndian(out, static_cast<std::uint32_t>(t.Bytes.size()), 4);
        out.insert(out.end(), t.Bytes.begin(), t.Bytes.end());
    }
    return out;
}

// Format 1 at 96 ticks per quarter: the tempo track starts at 120 beats per minute and doubles the speed
// at tick 192; the other track holds a note from tick 0 to 96 (its note-off in running status), a second
// from 192 to 288, and a System Exclusive message at 288. The times: 0, 500, 1000 and 1250 ms.
inline TSmfBytes TempoChangeFile() {
    TSmfTrack tempo;
    tempo.Tempo(0, 500000).Text(0, {'T', 'e', 'm', 'p', 'o'}).Tempo(192, 250000).End(96);
    TSmfTrack notes;
    notes.Event(0, {0x90, 0x3C, 0x64})
        .Event(96, {0x3C, 0x00})
        .Event(96, {0x90, 0x40, 0x64})
        .Event(96, {0x80, 0x40, 0x00})
        .SysEx(0, {0x41, 0x10, 0x42, 0x12, 0xF7})
        .End();
    return SmfFile(1, 96, {tempo, notes});
}

}  // namespace zel::test
