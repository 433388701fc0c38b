#pragma once
// Standard MIDI files: the reader behind the media player's sequencer.
//
// Formats 0 and 1 are read. The events of every track are merged by time in one pass over the tracks (a
// merge of the tracks' event streams, earliest first; at equal times the lower track first, and within a
// track the file's order), and each event gets its time in microseconds from the tempo changes before it.
// Meta events are not kept; only the tempo changes count, and the end of a track ends it. A division in
// ticks per quarter note follows the tempo (500,000 us per quarter until the first change); an SMPTE
// division (frames per second and ticks per frame) gives every tick the same length and ignores tempo.
//
// Every length is checked against the bytes there: the chunk lengths, variable-length numbers (four bytes
// at most), running status (a data byte with no status before it), the lengths of meta and System
// Exclusive events, data bytes of channel messages, and the division. A damaged file is refused with an
// EMidiFileError that says what is wrong and where; nothing is read past the data.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/SysUtils.h"

namespace zel {

class EMidiFileError : public Exception {
public:
    using Exception::Exception;
    std::string ClassName() const override { return "EMidiFileError"; }
};

// One event to send: a short message (one to three bytes in Bytes) or a System Exclusive message, whose
// bytes stand in the file's LongData from DataOffset on. A System Exclusive event of the file (F0) is sent
// as F0 followed by its bytes; an escaped event (F7) as its bytes alone.
struct TMidiFileEvent {
    std::uint64_t TimeUs = 0;  // microseconds from the start
    std::uint64_t Tick = 0;    // ticks from the start
    std::uint32_t DataOffset = 0;
    std::uint32_t Size = 0;  // the message's length in bytes
    std::uint8_t Bytes[3] = {};
    bool Long = false;
};

class TMidiFile {
public:
    // Reads a whole file; on failure the object is left empty and EMidiFileError is raised.
    void LoadFromBuffer(const std::uint8_t* Data, std::size_t Size);
    // Reads the file of that name; a file that cannot be read is an EMidiFileError too.
    void LoadFromFile(const std::string& FileName);
    void Clear();

    std::uint16_t Format = 0;
    std::uint16_t TrackCount = 0;
    std::uint16_t Division = 0;  // as stored: ticks per quarter, or the SMPTE form with bit 15 set
    std::vector<TMidiFileEvent> Events;
    std::vector<std::uint8_t> LongData;
    // The time of the last event of any track, end of track included.
    std::uint64_t DurationUs = 0;

    // The bytes of an event as they go out.
    const std::uint8_t* EventData(const TMidiFileEvent& Event) const {
        return Event.Long ? LongData.data() + Event.DataOffset : Event.Bytes;
    }
};

}  // namespace zel
