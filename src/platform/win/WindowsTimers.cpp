// Window timers on the clock service: a due timer queues one WM_TIMER per window and id.
#include <map>

#include "platform/rtl/Clock.h"
#include "platform/win/WindowsQt.h"

namespace zel {

namespace {

struct TTimerKey {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    bool operator<(const TTimerKey& o) const { return hwnd != o.hwnd ? hwnd < o.hwnd : id < o.id; }
};

struct TTimerRec {
    int clockId = 0;
    TIMERPROC proc = nullptr;
};

std::map<TTimerKey, TTimerRec>& Timers() {
    static auto* m = new std::map<TTimerKey, TTimerRec>;
    return *m;
}

UINT_PTR g_nextThreadTimerId = 0x7FFF;

void Fire(TTimerKey key) {
    auto& st = WinState();
    auto it = Timers().find(key);
    if (it == Timers().end()) return;
    for (const TTimerMsg& q : st.timerQueue)
        if (q.hwnd == key.hwnd && q.id == key.id) return;  // still waiting: coalesced
    st.timerQueue.push_back(TTimerMsg{key.hwnd, key.id, it->second.proc});
    WakeEventLoop();
}

}  // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
    EnsureWindowSystem();
    if (hwnd && !FindWnd(hwnd)) return 0;
    if (elapseMs < 10) elapseMs = 10;  // the system's minimum interval
    if (!hwnd) {
        if (!id || !Timers().count(TTimerKey{nullptr, id})) id = ++g_nextThreadTimerId;
    }
    TTimerKey key{hwnd, id};
    auto it = Timers().find(key);
    if (it != Timers().end()) {
        // The same window and id: the timer is replaced and starts counting again.
        it->second.proc = proc;
        ClockTimers().Restart(it->second.clockId, elapseMs);
    } else {
        TTimerRec rec;
        rec.proc = proc;
        rec.clockId = ClockTimers().Add(elapseMs, true, [key] { Fire(key); });
        Timers()[key] = rec;
    }
    return hwnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto it = Timers().find(TTimerKey{hwnd, id});
    if (it == Timers().end()) return FALSE;
    ClockTimers().Remove(it->second.clockId);
    Timers().erase(it);
    std::erase_if(WinState().timerQueue, [&](const TTimerMsg& q) { return q.hwnd == hwnd && q.id == id; });
    return TRUE;
}

void RemoveWindowTimers(HWND hwnd) {
    for (auto it = Timers().begin(); it != Timers().end();) {
        if (it->first.hwnd == hwnd) {
            ClockTimers().Remove(it->second.clockId);
            it = Timers().erase(it);
        } else {
            ++it;
        }
    }
    std::erase_if(WinState().timerQueue, [&](const TTimerMsg& q) { return q.hwnd == hwnd; });
}

}  // namespace zel
