// The MIDI input path: the event ring alone, the main-thread drain through NextEvent, and the time from
// the RtMidi callback to OnMidiInput on the main thread over a JACK loopback.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "midi/Circbuf.h"
#include "midi/MidiIn.h"
#include "platform/midi/MidiBackend.h"
#include "platform/win/Windows.h"
#include "support/JackInstrument.h"

namespace zel {
namespace {

using TClock = std::chrono::steady_clock;

// Entries through the ring: a batch put by the producer side, then read and dropped by the consumer side.
void BM_RingPutTake(benchmark::State& state) {
    TCircularBuffer* ring = CircbufAlloc(1024);
    const int batch = static_cast<int>(state.range(0));
    TMidiBufferItem item;
    for (auto _ : state) {
        for (int i = 0; i < batch; ++i) {
            item.data = static_cast<DWORD>(i);
            CircbufPutEvent(ring, item);
        }
        for (int i = 0; i < batch; ++i) {
            CircbufReadEvent(ring, item);
            CircbufRemoveEvent(ring);
        }
        benchmark::DoNotOptimize(item);
    }
    state.SetItemsProcessed(state.iterations() * batch);
    CircbufFree(ring);
}
BENCHMARK(BM_RingPutTake)->Arg(1)->Arg(1024);

// Events through the whole input path in-process: driver callback, ring, posted message, and the main
// thread's OnMidiInput taking each with NextEvent.
void BM_NextEventDrain(benchmark::State& state) {
    TInProcessMidiBackend backend;
    backend.AddInput("In");
    SetMidiBackendForTests(&backend);
    {
        TMidiInput in(nullptr);
        const int batch = static_cast<int>(state.range(0));
        in.Capacity = static_cast<WORD>(std::max(1024, batch + 16));  // a batch never overflows the ring
        std::size_t taken = 0;
        in.OnMidiInput = [&](TObject*) {
            if (auto ev = in.NextEvent()) ++taken;
        };
        in.Open();
        in.Start();
        const BYTE note[3] = {0x90, 0x3C, 0x40};
        for (auto _ : state) {
            for (int i = 0; i < batch; ++i) backend.Inject("In", note, 3);
            ProcessPendingMessages();
        }
        if (taken != static_cast<std::size_t>(batch) * state.iterations()) state.SkipWithError("events lost");
        state.SetItemsProcessed(static_cast<std::int64_t>(taken));
        in.Close();
    }
    SetMidiBackendForTests(nullptr);
}
BENCHMARK(BM_NextEventDrain)->Arg(100)->Arg(1000)->Arg(10000);

// NextEvent alone, over a full ring of short messages or of System Exclusive buffers.
void BM_NextEventOnly(benchmark::State& state) {
    TInProcessMidiBackend backend;
    backend.AddInput("In");
    SetMidiBackendForTests(&backend);
    {
        TMidiInput in(nullptr);
        in.Open();
        in.Start();
        const bool sysex = state.range(0) != 0;
        std::vector<BYTE> message = sysex ? std::vector<BYTE>(140, 0x10) : std::vector<BYTE>{0x90, 0x3C, 0x40};
        if (sysex) {
            message.front() = 0xF0;
            message.back() = 0xF7;
        }
        const int batch = sysex ? 16 : 1024;
        std::int64_t taken = 0;
        for (auto _ : state) {
            state.PauseTiming();
            for (int i = 0; i < batch; ++i) backend.Inject("In", message);
            state.ResumeTiming();
            while (auto ev = in.NextEvent()) {
                benchmark::DoNotOptimize(ev.get());
                ++taken;
            }
            state.PauseTiming();
            ProcessPendingMessages();
            state.ResumeTiming();
        }
        state.SetItemsProcessed(taken);
        in.Close();
    }
    SetMidiBackendForTests(nullptr);
}
BENCHMARK(BM_NextEventOnly)->Arg(0)->Arg(1)->ArgNames({"sysex"});

// A back end over RtMidi that notes when each message reaches the layer, on RtMidi's thread.
class TTimingBackend : public IMidiBackend {
public:
    explicit TTimingBackend(IMidiBackend& inner) : inner_(inner) {}
    std::atomic<std::int64_t> arrivedNs{0};

    std::vector<std::string> InputNames() override { return inner_.InputNames(); }
    std::vector<std::string> OutputNames() override { return inner_.OutputNames(); }
    MMRESULT OpenInput(const std::string& name, IMidiInputSink& sink, std::unique_ptr<IMidiInputPort>& port) override {
        sink_.target = &sink;
        sink_.owner = this;
        return inner_.OpenInput(name, sink_, port);
    }
    MMRESULT OpenOutput(const std::string& name, std::unique_ptr<IMidiOutputPort>& port) override {
        return inner_.OpenOutput(name, port);
    }

private:
    struct TSink : IMidiInputSink {
        IMidiInputSink* target = nullptr;
        TTimingBackend* owner = nullptr;
        void MidiReceived(const BYTE* data, std::size_t length) override {
            owner->arrivedNs = TClock::now().time_since_epoch().count();
            target->MidiReceived(data, length);
        }
    };
    IMidiBackend& inner_;
    TSink sink_;
};

void BM_JackCallbackToOnMidiInput(benchmark::State& state) {
    setenv("ZELMOVI_MIDI_API", "jack", 0);
    SetMidiBackendForTests(nullptr);
    test::TJackInstrument instrument("zelmovi-bench-sim");
    std::string why;
    if (!instrument.Open(why)) {
        state.SkipWithError(("no JACK server: " + why).c_str());
        return;
    }
    TTimingBackend timing(MidiBackend());
    SetMidiBackendForTests(&timing);
    std::vector<double> latenciesUs;
    {
        TMidiInput in(nullptr);
        in.SetProductName(instrument.OutputPortName());
        std::atomic<bool> got{false};
        in.OnMidiInput = [&](TObject*) {
            auto now = TClock::now().time_since_epoch().count();
            if (auto ev = in.NextEvent()) {
                latenciesUs.push_back(static_cast<double>(now - timing.arrivedNs.load()) / 1000.0);
                got = true;
            }
        };
        in.Open();
        in.Start();
        for (auto _ : state) {
            got = false;
            instrument.Send({0x90, 0x3C, 0x40});
            // The main thread waits in its message loop, as the program does.
            auto until = TClock::now() + std::chrono::seconds(2);
            while (!got && TClock::now() < until) {
                MSG msg;
                if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
                else std::this_thread::yield();
            }
        }
        in.Close();
    }
    SetMidiBackendForTests(nullptr);
    if (latenciesUs.empty()) return;
    std::sort(latenciesUs.begin(), latenciesUs.end());
    state.counters["median_us"] = latenciesUs[latenciesUs.size() / 2];
    state.counters["p99_us"] = latenciesUs[std::min(latenciesUs.size() - 1, latenciesUs.size() * 99 / 100)];
    state.counters["samples"] = static_cast<double>(latenciesUs.size());
}
BENCHMARK(BM_JackCallbackToOnMidiInput)->Iterations(500)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zel
