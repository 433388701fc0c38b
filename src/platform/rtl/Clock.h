#pragma once
// The clock service: the program's one source of time. It gives the millisecond tick count, the busy
// wait that paces outgoing messages, and one-shot and periodic timers. Tests install a manual clock so
// that 50 ms paces and 2000 ms time-outs run instantly and exactly.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace zel {

using TTick = std::uint64_t;  // milliseconds since the clock started

class TClockTimers;

class IClock {
public:
    virtual ~IClock() = default;
    virtual TTick TickCount() = 0;
    // Blocks the caller for ms milliseconds; timers do not fire during the wait.
    virtual void Wait(std::uint32_t ms) = 0;
};

// The real clock: a monotonic millisecond counter and a sleeping wait.
class TSystemClock : public IClock {
public:
    TTick TickCount() override;
    void Wait(std::uint32_t ms) override;
};

// A clock that moves only when told. Wait advances the time at once (timers do not fire, as in a
// busy wait) and records the wait; Advance moves the time step by step to each timer that falls due
// and fires it, in order of due time.
class TManualClock : public IClock {
public:
    explicit TManualClock(TTick start = 1000) : now_(start) {}
    TTick TickCount() override { return now_; }
    void Wait(std::uint32_t ms) override;

    void Advance(TTick ms);

    // Every Wait call since the clock was made (or since ClearWaits), in order.
    const std::vector<std::uint32_t>& Waits() const { return waits_; }
    TTick TotalWaited() const;
    void ClearWaits() { waits_.clear(); }

    // Runs on each Wait, after the time moved: a test can act "during" a wait.
    std::function<void(std::uint32_t)> OnWait;

private:
    TTick now_;
    std::vector<std::uint32_t> waits_;
};

// The timers of the clock service. Each timer has an id, an interval and a callback; a periodic timer
// is re-armed after each firing, a one-shot timer is removed before its callback runs.
class TClockTimers {
public:
    using TCallback = std::function<void()>;

    int Add(std::uint32_t intervalMs, bool periodic, TCallback callback);
    bool Remove(int id);
    // Changes the interval of a running timer and restarts its count from now.
    bool Restart(int id, std::uint32_t intervalMs);
    bool Exists(int id) const { return timers_.count(id) != 0; }
    std::size_t Count() const { return timers_.size(); }

    // The earliest due time, if any timer runs.
    std::optional<TTick> NextDue() const;
    // Fires every timer due at or before now, earliest first (equal times: the older timer first).
    // A timer removed by an earlier callback does not fire. Returns the number fired.
    int RunDue(TTick now);
    // Fires at most the single earliest timer due at or before now. Returns whether one fired.
    bool RunOneDue(TTick now);
    void Clear();

    // Called whenever the set of timers or a due time changes, so an event loop can re-arm its wake-up.
    std::function<void()> OnChanged;

private:
    struct Timer {
        std::uint32_t interval = 1;
        bool periodic = false;
        TTick due = 0;
        std::uint64_t order = 0;  // tie-break: older first
        TCallback callback;
    };
    std::map<int, Timer> timers_;
    int nextId_ = 1;
    std::uint64_t nextOrder_ = 0;
    void Changed() {
        if (OnChanged) OnChanged();
    }
};

// The installed clock and its timers.
IClock& Clock();
TClockTimers& ClockTimers();
// Installs a clock (nullptr: the system clock again). The caller keeps ownership.
void SetClock(IClock* clock);

TTick GetTickCount();
// The busy wait of the original program: blocks for ms milliseconds on the installed clock.
void WaitMilliseconds(std::uint32_t ms);

// Installs a manual clock for the lifetime of the guard and removes every timer on both ends.
class TManualClockScope {
public:
    explicit TManualClockScope(TTick start = 1000);
    ~TManualClockScope();
    TManualClockScope(const TManualClockScope&) = delete;
    TManualClockScope& operator=(const TManualClockScope&) = delete;
    TManualClock& Clock() { return clock_; }
    TManualClock* operator->() { return &clock_; }

private:
    TManualClock clock_;
};

}  // namespace zel
