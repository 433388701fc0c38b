#include "platform/rtl/Clock.h"

#include <chrono>
#include <numeric>
#include <thread>

namespace zel {

namespace {

IClock* g_clock = nullptr;

TSystemClock& SystemClock() {
    static TSystemClock clock;
    return clock;
}

}  // namespace

TTick TSystemClock::TickCount() {
    using namespace std::chrono;
    static const auto start = steady_clock::now();
    return static_cast<TTick>(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

void TSystemClock::Wait(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void TManualClock::Wait(std::uint32_t ms) {
    now_ += ms;
    waits_.push_back(ms);
    if (OnWait) OnWait(ms);
}

void TManualClock::Advance(TTick ms) {
    const TTick target = now_ + ms;
    TClockTimers& timers = ClockTimers();
    for (;;) {
        auto due = timers.NextDue();
        if (!due || *due > target) break;
        if (*due > now_) now_ = *due;
        timers.RunOneDue(now_);
    }
    now_ = target;
}

TTick TManualClock::TotalWaited() const { return std::accumulate(waits_.begin(), waits_.end(), TTick{0}); }

int TClockTimers::Add(std::uint32_t intervalMs, bool periodic, TCallback callback) {
    const int id = nextId_++;
    Timer t;
    t.interval = intervalMs == 0 ? 1 : intervalMs;
    t.periodic = periodic;
    t.due = GetTickCount() + t.interval;
    t.order = nextOrder_++;
    t.callback = std::move(callback);
    timers_.emplace(id, std::move(t));
    Changed();
    return id;
}

bool TClockTimers::Remove(int id) {
    if (timers_.erase(id) == 0) return false;
    Changed();
    return true;
}

bool TClockTimers::Restart(int id, std::uint32_t intervalMs) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return false;
    it->second.interval = intervalMs == 0 ? 1 : intervalMs;
    it->second.due = GetTickCount() + it->second.interval;
    Changed();
    return true;
}

std::optional<TTick> TClockTimers::NextDue() const {
    std::optional<TTick> best;
    for (const auto& [id, t] : timers_)
        if (!best || t.due < *best) best = t.due;
    return best;
}

bool TClockTimers::RunOneDue(TTick now) {
    auto best = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.due > now) continue;
        if (best == timers_.end() || it->second.due < best->second.due ||
            (it->second.due == best->second.due && it->second.order < best->second.order))
            best = it;
    }
    if (best == timers_.end()) return false;
    TCallback callback = best->second.callback;  // the callback may remove or restart its own timer
    if (best->second.periodic) {
        Timer& t = best->second;
        t.due += t.interval;
        if (t.due <= now) t.due = now + t.interval;  // no burst of catch-up ticks after a stall
        t.order = nextOrder_++;
    } else {
        timers_.erase(best);
    }
    Changed();
    if (callback) callback();
    return true;
}

int TClockTimers::RunDue(TTick now) {
    // A periodic timer is re-armed past now before its callback runs, so each fires once per call.
    int fired = 0;
    while (RunOneDue(now)) ++fired;
    return fired;
}

void TClockTimers::Clear() {
    if (timers_.empty()) return;
    timers_.clear();
    Changed();
}

IClock& Clock() { return g_clock ? *g_clock : SystemClock(); }

TClockTimers& ClockTimers() {
    static TClockTimers timers;
    return timers;
}

void SetClock(IClock* clock) { g_clock = clock; }

TTick GetTickCount() { return Clock().TickCount(); }

void WaitMilliseconds(std::uint32_t ms) { Clock().Wait(ms); }

TManualClockScope::TManualClockScope(TTick start) : clock_(start) {
    ClockTimers().Clear();
    SetClock(&clock_);
}

TManualClockScope::~TManualClockScope() {
    ClockTimers().Clear();
    SetClock(nullptr);
}

}  // namespace zel
