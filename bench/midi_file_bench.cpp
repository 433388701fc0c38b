// Reading a standard MIDI file into one list of events merged by time: a format-1 file of 16 tracks holding
// 100,000 channel messages in all, with running status and a tempo change now and then.
#include <benchmark/benchmark.h>

#include "platform/midi/MidiFile.h"
#include "support/midi/SmfBuilder.h"

namespace {

using namespace zel;
using namespace zel::test;

TSmfBytes SixteenTracks(int events) {
    std::vector<TSmfTrack> tracks(16);
    const int perTrack = events / 16;
    for (int t = 0; t < 16; ++t) {
        TSmfTrack& track = tracks[static_cast<std::size_t>(t)];
        const auto channel = static_cast<std::uint8_t>(t);
        // Each track starts a little later, so that the tracks interleave at every step of the merge.
        track.Event(static_cast<std::uint32_t>(t), {static_cast<std::uint8_t>(0x90 | channel), 0x3C, 0x40});
        for (int i = 1; i < perTrack; ++i) {
            const auto note = static_cast<std::uint8_t>(36 + (i * 7 + t) % 48);
            if (t == 0 && i % 500 == 0) track.Tempo(0, static_cast<std::uint32_t>(400000 + (i % 7) * 20000));
            track.Event(static_cast<std::uint32_t>(5 + (i + t) % 11),
                        {note, static_cast<std::uint8_t>(i % 2 ? 0 : 0x50)});
        }
        track.End();
    }
    return SmfFile(1, 480, tracks);
}

void BM_ReadSixteenTrackFile(benchmark::State& state) {
    const TSmfBytes bytes = SixteenTracks(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TMidiFile file;
        file.LoadFromBuffer(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(file.Events.data());
        if (file.Events.size() != static_cast<std::size_t>(state.range(0))) state.SkipWithError("events lost");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadSixteenTrackFile)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
