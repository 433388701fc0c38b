// libFuzzer entry point over the element file readers: .Syx bodies of every kind (normal and XP form),
// .Lib and .Glb files; the small target also reads every input as a standard MIDI file. Any input must be read whole or
// refused with an exception that leaves the element as it was, never read past its end, and whatever is read must write
// back to bytes that read to the same bytes again.
//
// Built twice: with ZELMOVI_FUZZ_LARGE 0 over the small kinds (patch, performance, rhythm set, system
// and libraries of a few elements), which run fast with short inputs; with 1 over the banks, the global
// and libraries holding them, whose valid files are up to a quarter of a megabyte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>

#include "model/Global.h"
#include "model/Library.h"
#include "platform/midi/MidiFile.h"
#include "platform/rtl/Streams.h"

#ifndef ZELMOVI_FUZZ_LARGE
#define ZELMOVI_FUZZ_LARGE 0
#endif

namespace {

using namespace zel;

constexpr bool LargeKinds = ZELMOVI_FUZZ_LARGE != 0;

bool IsBank(ElementType code) { return code == etPatchBank || code == etPerformanceBank || code == etRhythmBank; }

void Check(bool ok) {
    if (!ok) std::abort();
}

void FillStream(TMemoryStream& stream, const std::uint8_t* data, std::size_t size) {
    if (size > 0) stream.WriteBuffer(data, static_cast<std::int64_t>(size));
    stream.SetPosition(0);
}

void FillStream(TMemoryStream& stream, const std::string& bytes) {
    FillStream(stream, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::string Written(TLibElem& element, bool record) {
    TMemoryStream out;
    if (record) element.WriteLibRecord(out);
    else element.WriteSyx(out);
    return out.DataString();
}

// The .Syx file size of a kind in the format in use.
std::int32_t SyxSizeOf(ElementType code) {
    TLibElem probe(nullptr);
    probe.ElemType = code;
    return probe.ExpectedSyxSize();
}

// The .Syx loader reads a file only when it has its kind's size; the patch reader also takes every
// input as it stands, as it would meet a body inside a library record.
void FuzzSyx(const std::uint8_t* data, std::size_t size) {
    for (std::uint8_t xp : {std::uint8_t{0}, std::uint8_t{1}}) {
        XpFormat = xp;
        for (ElementType code = etPatch; code <= etSystem; ++code) {
            if (IsBank(code) != LargeKinds) continue;
            if (code != etPatch && static_cast<std::int64_t>(size) != SyxSizeOf(code)) continue;
            std::unique_ptr<TLibElem> element = CreateElementOfType(code, nullptr);
            const std::string before = Written(*element, false);
            TMemoryStream in;
            FillStream(in, data, size);
            try {
                element->ReadSyx(in);
            } catch (const Exception&) {
                Check(Written(*element, false) == before);
                continue;
            }
            const std::string once = Written(*element, false);
            std::unique_ptr<TLibElem> again = CreateElementOfType(code, nullptr);
            TMemoryStream second;
            FillStream(second, once);
            again->ReadSyx(second);
            Check(Written(*again, false) == once);
        }
    }
    XpFormat = 0;
}

void FuzzLib(const std::uint8_t* data, std::size_t size) {
    TLibrary library;
    TMemoryStream in;
    FillStream(in, data, size);
    try {
        library.ReadFile(in);
    } catch (const Exception&) {
        Check(library.Elements.empty() && library.Notes.Count() == 0);
        return;
    }
    TMemoryStream once;
    library.WriteFile(once);
    const std::string first = once.DataString();
    TLibrary again;
    once.SetPosition(0);
    again.ReadFile(once);
    TMemoryStream twice;
    again.WriteFile(twice);
    Check(twice.DataString() == first);
}

void FuzzGlb(const std::uint8_t* data, std::size_t size) {
    // The reader refuses anything that does not begin with the global's type code before it looks
    // further; building a global for those would only slow the fuzzer down.
    if (size < 2 || data[0] != etGlobal || data[1] != 0) return;
    TGlobal global(nullptr);
    const std::string before = Written(global, true);
    TMemoryStream in;
    FillStream(in, data, size);
    try {
        global.ReadGlobalFile(in);
    } catch (const Exception&) {
        Check(Written(global, true) == before);
        return;
    }
    const std::string once = Written(global, true);
    TGlobal again(nullptr);
    TMemoryStream second;
    FillStream(second, once);
    again.ReadGlobalFile(second);
    Check(Written(again, true) == once);
}

// A standard MIDI file is read whole or refused, leaving nothing read; what is read is in time order and
// every event's bytes lie inside what was read.
void FuzzMidiFile(const std::uint8_t* data, std::size_t size) {
    TMidiFile file;
    try {
        file.LoadFromBuffer(data, size);
    } catch (const EMidiFileError&) {
        Check(file.Events.empty() && file.LongData.empty() && file.DurationUs == 0);
        return;
    }
    std::uint64_t last = 0;
    for (const TMidiFileEvent& e : file.Events) {
        Check(e.TimeUs >= last && e.TimeUs <= file.DurationUs);
        last = e.TimeUs;
        if (e.Long)
            Check(e.Size > 0 && e.DataOffset <= file.LongData.size() && e.Size <= file.LongData.size() - e.DataOffset);
        else Check(e.Size >= 2 && e.Size <= 3 && e.Bytes[0] >= 0x80 && e.Bytes[0] < 0xF0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSyx(data, size);
    FuzzLib(data, size);
    if (LargeKinds) FuzzGlb(data, size);
    else FuzzMidiFile(data, size);
    return 0;
}
