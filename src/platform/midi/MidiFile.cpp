#include "platform/midi/MidiFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace zel {

namespace {

std::uint32_t BigEndian(const std::uint8_t* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | p[i];
    return v;
}

std::string Hex(unsigned value) {
    static const char digits[] = "0123456789ABCDEF";
    return std::string{digits[(value >> 4) & 0xF], digits[value & 0xF]} + "H";
}

constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter note: 120 beats per minute

// What a track gives next, once its delta time is added.
enum class TTrackEventKind { Short, SysEx, Escape, Tempo, EndOfTrack };

// Reads one track's events in order, one at a time, checking each against the track's bytes.
class TTrackReader {
public:
    TTrackReader(const std::uint8_t* Data, std::size_t Begin, std::size_t End, int Track)
        : data_(Data), pos_(Begin), end_(End), track_(Track) {}

    // Reads the next event that matters (other meta events are passed over, their delta times counted);
    // false at the end of the track.
    bool Next() {
        for (;;) {
            if (pos_ >= end_) return false;  // the chunk ends without an end-of-track event
            Tick += ReadNumber("delta time");
            const std::uint8_t first = Byte("event");
            if (first == 0xFF) {
                const std::uint8_t type = Byte("meta event type");
                const std::uint32_t length = ReadNumber("meta event length");
                const std::size_t at = Take(length, "meta event");
                if (type == 0x2F) {
                    Kind = TTrackEventKind::EndOfTrack;
                    return true;
                }
                if (type == 0x51) {
                    if (length != 3) Fail("a tempo change of " + std::to_string(length) + " bytes");
                    Tempo = BigEndian(data_ + at, 3);
                    if (Tempo == 0) Fail("a tempo of 0");
                    Kind = TTrackEventKind::Tempo;
                    return true;
                }
                continue;
            }
            if (first == 0xF0 || first == 0xF7) {
                const std::uint32_t length = ReadNumber("System Exclusive length");
                Offset = Take(length, "System Exclusive event");
                Length = length;
                Kind = first == 0xF0 ? TTrackEventKind::SysEx : TTrackEventKind::Escape;
                return true;
            }
            std::uint8_t status = first;
            if (first < 0x80) {
                if (running_ == 0) Fail("a data byte with no status before it");
                status = running_;
                --pos_;  // the byte is the first data byte
            } else if (first >= 0xF0) {
                Fail("the status " + Hex(first) + ", which a file cannot hold");
            }
            running_ = status;
            const int dataBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
            Bytes[0] = status;
            for (int i = 1; i <= dataBytes; ++i) {
                Bytes[i] = Byte("channel message");
                if (Bytes[i] >= 0x80) Fail("the status " + Hex(Bytes[i]) + " inside a channel message");
            }
            Length = static_cast<std::uint32_t>(dataBytes + 1);
            Kind = TTrackEventKind::Short;
            return true;
        }
    }

    std::uint64_t Tick = 0;
    TTrackEventKind Kind = TTrackEventKind::Short;
    std::uint8_t Bytes[3] = {};
    std::uint32_t Tempo = kDefaultTempo;
    std::size_t Offset = 0;  // a System Exclusive event's bytes in the file
    std::uint32_t Length = 0;
    int Track() const { return track_; }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw EMidiFileError("Damaged MIDI file: track " + std::to_string(track_ + 1) + " holds " + what + " (byte " +
                             std::to_string(pos_) + ")");
    }
    std::uint8_t Byte(const char* what) {
        if (pos_ >= end_) Fail(std::string("an unfinished ") + what);
        return data_[pos_++];
    }
    // A variable-length number: seven bits a byte, the last byte with bit 7 clear, four bytes at the most.
    std::uint32_t ReadNumber(const char* what) {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t b = Byte(what);
            v = (v << 7) | (b & 0x7F);
            if ((b & 0x80) == 0) return v;
        }
        Fail(std::string("a ") + what + " longer than four bytes");
    }
    // Passes over Length bytes of the track; answers where they start.
    std::size_t Take(std::uint32_t Length, const char* what) {
        if (Length > end_ - pos_)
            Fail(std::string("a ") + what + " of " + std::to_string(Length) + " bytes where " +
                 std::to_string(end_ - pos_) + " are left");
        const std::size_t at = pos_;
        pos_ += Length;
        return at;
    }

    const std::uint8_t* data_;
    std::size_t pos_;
    std::size_t end_;
    int track_;
    std::uint8_t running_ = 0;
};

// The time of a tick: in ticks per quarter note through the tempo changes, or in SMPTE frames.
class TTimeMap {
public:
    explicit TTimeMap(std::uint16_t Division) {
        if ((Division & 0x8000) == 0) {
            if (Division == 0) throw EMidiFileError("Damaged MIDI file: a division of 0 ticks per quarter note");
            ticksPerQuarter_ = Division;
            return;
        }
        const int frames = -static_cast<std::int8_t>(Division >> 8);
        const int ticksPerFrame = Division & 0xFF;
        if ((frames != 24 && frames != 25 && frames != 29 && frames != 30) || ticksPerFrame == 0)
            throw EMidiFileError("Damaged MIDI file: a time division of " + std::to_string(frames) +
                                 " frames per second and " + std::to_string(ticksPerFrame) + " ticks per frame");
        // 29 stands for the 29.97 frames per second of drop-frame time code.
        smpteNumerator_ = frames == 29 ? 1001000000ull : 1000000ull;
        smpteDenominator_ = static_cast<std::uint64_t>(frames == 29 ? 30000 : frames) * ticksPerFrame;
    }
    std::uint64_t TimeOf(std::uint64_t Tick) const {
        if (ticksPerQuarter_ == 0) return Scale(Tick, smpteNumerator_, smpteDenominator_);
        return segmentUs_ + Scale(Tick - segmentTick_, tempo_, ticksPerQuarter_);
    }
    void SetTempo(std::uint64_t Tick, std::uint32_t Tempo) {
        if (ticksPerQuarter_ == 0) return;  // time code does not follow the tempo
        segmentUs_ = TimeOf(Tick);
        segmentTick_ = Tick;
        tempo_ = Tempo;
    }

private:
    // Value × Numerator / Denominator without overflow on any file (the result saturates).
    static std::uint64_t Scale(std::uint64_t Value, std::uint64_t Numerator, std::uint64_t Denominator) {
        const unsigned __int128 r = static_cast<unsigned __int128>(Value) * Numerator / Denominator;
        return r > UINT64_MAX ? UINT64_MAX : static_cast<std::uint64_t>(r);
    }
    std::uint32_t ticksPerQuarter_ = 0;
    std::uint64_t smpteNumerator_ = 0;
    std::uint64_t smpteDenominator_ = 1;
    std::uint64_t segmentUs_ = 0;
    std::uint64_t segmentTick_ = 0;
    std::uint32_t tempo_ = kDefaultTempo;
};

}  // namespace

void TMidiFile::Clear() {
    Format = 0;
    TrackCount = 0;
    Division = 0;
    Events.clear();
    LongData.clear();
    DurationUs = 0;
}

void TMidiFile::LoadFromFile(const std::string& FileName) {
    std::ifstream in(FileName, std::ios::binary);
    if (!in) {
        Clear();
        throw EMidiFileError("Unable to read the MIDI file " + FileName);
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        Clear();
        throw EMidiFileError("Unable to read the MIDI file " + FileName);
    }
    LoadFromBuffer(bytes.data(), bytes.size());
}

void TMidiFile::LoadFromBuffer(const std::uint8_t* Data, std::size_t Size) {
    Clear();
    try {
        if (Size < 14 || std::string(reinterpret_cast<const char*>(Data), 4) != "MThd")
            throw EMidiFileError("Not a standard MIDI file");
        const std::uint32_t headerLength = BigEndian(Data + 4, 4);
        if (headerLength < 6 || headerLength > Size - 8)
            throw EMidiFileError("Damaged MIDI file: a header of " + std::to_string(headerLength) + " bytes");
        const auto format = static_cast<std::uint16_t>(BigEndian(Data + 8, 2));
        const auto tracks = static_cast<std::uint16_t>(BigEndian(Data + 10, 2));
        const auto division = static_cast<std::uint16_t>(BigEndian(Data + 12, 2));
        if (format > 1) throw EMidiFileError("MIDI files of format " + std::to_string(format) + " cannot be played");
        if (tracks == 0 || (format == 0 && tracks != 1))
            throw EMidiFileError("Damaged MIDI file: format " + std::to_string(format) + " with " +
                                 std::to_string(tracks) + " tracks");
        TTimeMap times(division);

        // The track chunks, in order; chunks of other kinds are passed over.
        std::vector<TTrackReader> readers;
        readers.reserve(tracks);
        std::size_t pos = 8 + headerLength;
        while (static_cast<int>(readers.size()) < tracks) {
            if (Size - pos < 8)
                throw EMidiFileError("Damaged MIDI file: it ends before track " + std::to_string(readers.size() + 1));
            const std::uint32_t length = BigEndian(Data + pos + 4, 4);
            if (length > Size - pos - 8)
                throw EMidiFileError("Damaged MIDI file: a chunk of " + std::to_string(length) + " bytes where " +
                                     std::to_string(Size - pos - 8) + " are left");
            if (std::string(reinterpret_cast<const char*>(Data + pos), 4) == "MTrk")
                readers.emplace_back(Data, pos + 8, pos + 8 + length, static_cast<int>(readers.size()));
            pos += 8 + length;
        }

        // The merge: a heap of the tracks by the tick of their next event, the lower track first at equal
        // ticks. Each event is taken once, in time order, and timed from the tempo changes before it.
        auto later = [](const TTrackReader* a, const TTrackReader* b) {
            return a->Tick != b->Tick ? a->Tick > b->Tick : a->Track() > b->Track();
        };
        std::vector<TTrackReader*> heap;
        heap.reserve(readers.size());
        for (TTrackReader& r : readers)
            if (r.Next()) heap.push_back(&r);
        std::make_heap(heap.begin(), heap.end(), later);
        while (!heap.empty()) {
            std::pop_heap(heap.begin(), heap.end(), later);
            TTrackReader& r = *heap.back();
            const std::uint64_t time = times.TimeOf(r.Tick);
            DurationUs = std::max(DurationUs, time);
            bool more = true;
            switch (r.Kind) {
                case TTrackEventKind::Tempo: times.SetTempo(r.Tick, r.Tempo); break;
                case TTrackEventKind::EndOfTrack: more = false; break;
                case TTrackEventKind::Short: {
                    TMidiFileEvent& e = Events.emplace_back();
                    e.TimeUs = time;
                    e.Tick = r.Tick;
                    e.Size = r.Length;
                    std::copy_n(r.Bytes, 3, e.Bytes);
                    break;
                }
                case TTrackEventKind::SysEx:
                case TTrackEventKind::Escape: {
                    TMidiFileEvent& e = Events.emplace_back();
                    e.TimeUs = time;
                    e.Tick = r.Tick;
                    e.Long = true;
                    e.DataOffset = static_cast<std::uint32_t>(LongData.size());
                    if (r.Kind == TTrackEventKind::SysEx) LongData.push_back(0xF0);
                    LongData.insert(LongData.end(), Data + r.Offset, Data + r.Offset + r.Length);
                    e.Size = static_cast<std::uint32_t>(LongData.size()) - e.DataOffset;
                    // An empty escape sends nothing.
                    if (e.Size == 0) Events.pop_back();
                    break;
                }
            }
            if (more && r.Next()) std::push_heap(heap.begin(), heap.end(), later);
            else heap.pop_back();
        }
        Format = format;
        TrackCount = tracks;
        Division = division;
    } catch (...) {
        Clear();
        throw;
    }
}

}  // namespace zel
