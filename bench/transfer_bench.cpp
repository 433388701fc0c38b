// How long a send keeps the main thread away from its event loop: a patch-bank send through its
// progress window, and a performance send without one, through the outgoing queue. The send runs on the
// real clock, its timers on the clock service, and an event loop stands in for the program's: it sleeps
// until the next timer falls due (the time the thread is free for input and painting) and runs the due
// timers (the time it is not). The counters give the longest and the total time spent away from the
// loop (the send's own call counts as one such time), and the messages that left.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <thread>

#include "CountingPorts.h"
#include "model/Bank.h"
#include "model/ModelServices.h"
#include "model/Performance.h"
#include "model/Settings.h"
#include "model/SysexFraming.h"
#include "platform/rtl/Clock.h"

namespace zel {
namespace {

using TSteady = std::chrono::steady_clock;

// The event loop: runs the clock service's timers as they fall due until done says so (or no timer is
// left), and measures how long each round of timers keeps the thread.
struct TEventLoop {
    void Run(const std::function<bool()>& done) {
        while (!done()) {
            const std::optional<TTick> due = ClockTimers().NextDue();
            if (!due.has_value()) break;
            const TTick now = GetTickCount();
            if (*due > now) std::this_thread::sleep_for(std::chrono::milliseconds(*due - now));
            Measure([] { ClockTimers().RunDue(GetTickCount()); });
        }
    }
    // Runs work outside the loop and counts its time.
    void Measure(const std::function<void()>& work) {
        const auto start = TSteady::now();
        work();
        const double ms = std::chrono::duration<double, std::milli>(TSteady::now() - start).count();
        Longest = std::max(Longest, ms);
        Total += ms;
    }
    double Longest = 0;  // milliseconds
    double Total = 0;
};

// The progress window: its two timers on the clock service, and a modal loop that measures what the
// timers take.
class TLoopProgress : public ITransferProgress {
public:
    bool GetCompleted() const override { return completed_; }
    void SetCompleted(bool completed) override { completed_ = completed; }
    void Close() override {
        closed_ = true;
        for (auto& entry : timers_) SetTimerEnabled(entry.first, false);
    }
    void SetTimer(TTransferTimer timer, std::uint32_t intervalMs, std::function<void()> handler,
                  bool enabled) override {
        TTimerState& t = timers_[timer];
        t.Interval = intervalMs;
        t.Handler = std::move(handler);
        SetTimerEnabled(timer, enabled);
    }
    void SetTimerEnabled(TTransferTimer timer, bool enabled) override {
        TTimerState& t = timers_[timer];
        if (t.Id != 0) ClockTimers().Remove(t.Id);
        t.Id = 0;
        if (enabled && t.Handler) {
            t.Id = ClockTimers().Add(t.Interval, true, [&t] {
                const std::function<void()> handler = t.Handler;  // the handler may set another one
                handler();
            });
        }
    }
    void ShowModal() override {
        Loop.Run([this] { return closed_; });
    }
    TEventLoop Loop;

private:
    struct TTimerState {
        int Id = 0;
        std::uint32_t Interval = 1;
        std::function<void()> Handler;
    };
    std::map<TTransferTimer, TTimerState> timers_;
    bool completed_ = false;
    bool closed_ = false;
};

// The system clock, noting the pacing waits that hold the thread.
class TNotingClock : public IClock {
public:
    TTick TickCount() override { return system_.TickCount(); }
    void Wait(std::uint32_t ms) override {
        Waited += ms;
        Longest = std::max(Longest, ms);
        system_.Wait(ms);
    }
    TTick Waited = 0;
    std::uint32_t Longest = 0;

private:
    TSystemClock system_;
};

// The model's services on counting ports and the real clock, for one send.
class TBenchModel {
public:
    explicit TBenchModel(ITransferProgress* progress) : saved_(ModelServices()) {
        ModelServices().MidiPorts = &Ports;
        ModelServices().Progress = progress;
        ZelmoHolder = &holder_;
        DevicesOpen = 1;
        SetClock(&Clock);
        ClockTimers().Clear();
    }
    ~TBenchModel() {
        ClockTimers().Clear();
        SetClock(nullptr);
        DevicesOpen = 0;
        ZelmoHolder = nullptr;
        ModelServices() = saved_;
    }
    TBenchModel(const TBenchModel&) = delete;
    TBenchModel& operator=(const TBenchModel&) = delete;

    void Report(benchmark::State& state, const TEventLoop& loop, double seconds) const {
        state.counters["longest_outside_loop_ms"] = loop.Longest;
        state.counters["total_outside_loop_ms"] = loop.Total;
        state.counters["send_s"] = seconds;
        state.counters["messages"] = Ports.Messages;
        state.counters["paced_wait_ms"] = static_cast<double>(Clock.Waited);
        state.counters["longest_paced_wait_ms"] = Clock.Longest;
    }

    TCountingPorts Ports;
    TNotingClock Clock;

private:
    TModelServices saved_;
    TZelmo holder_;
};

void BM_PatchBankSendTimeOutsideTheEventLoop(benchmark::State& state) {
    for (auto _ : state) {
        TLoopProgress progress;
        const TBenchModel model(&progress);
        TPatchBank bank(nullptr);
        bank.User = 1;
        const auto start = TSteady::now();
        bank.Transmit(false);
        const double seconds = std::chrono::duration<double>(TSteady::now() - start).count();
        model.Report(state, progress.Loop, seconds);
    }
}
BENCHMARK(BM_PatchBankSendTimeOutsideTheEventLoop)->Iterations(1)->Unit(benchmark::kSecond);

// A performance sent from a library: no progress window, its seventeen messages go out through the
// outgoing queue while the program's event loop runs.
void BM_PerformanceSendTimeOutsideTheEventLoop(benchmark::State& state) {
    for (auto _ : state) {
        const TBenchModel model(nullptr);
        TPerformance performance(nullptr);
        performance.Temporary = 0;
        performance.User = 1;
        performance.Number = 3;
        TEventLoop loop;
        const auto start = TSteady::now();
        loop.Measure([&] { performance.Transmit(false); });
        loop.Run([] { return QueuedMessages() == 0; });
        const double seconds = std::chrono::duration<double>(TSteady::now() - start).count();
        model.Report(state, loop, seconds);
    }
}
BENCHMARK(BM_PerformanceSendTimeOutsideTheEventLoop)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace zel
