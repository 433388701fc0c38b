// The message queue: sent and posted messages, retrieval with filters and hooks, WM_PAINT from update regions,
// device contexts over the windows' images, and the link to Qt's event loop.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimerEvent>

#include <algorithm>
#include <thread>

#include "platform/rtl/Clock.h"
#include "platform/win/Gdi.h"
#include "platform/win/GdiQt.h"
#include "platform/win/QtApp.h"
#include "platform/win/WindowsQt.h"

namespace zel {

namespace {

struct TPosted {
    MSG msg;
    std::uint64_t serial = 0;
};

// The posted queue lives beside the state because its element type is private to this file.
std::deque<TPosted>& Posted() {
    static auto* q = new std::deque<TPosted>;
    return *q;
}
// What the desktop sent (SendFromDesktop), in its order: delivered as sent messages before anything is
// retrieved, never returned. Kept apart from the posted messages so that no retrieval has to look for them.
std::deque<MSG>& DesktopSends() {
    static auto* q = new std::deque<MSG>;
    return *q;
}
std::uint64_t g_postSerial = 0;  // under the post mutex

// Queues a message at the end of the posted messages, or of the desktop's sent ones; the caller holds the
// post mutex.
void QueuePosted(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool sent) {
    TPosted p;
    p.msg.hwnd = hwnd;
    p.msg.message = msg;
    p.msg.wParam = wParam;
    p.msg.lParam = lParam;
    if (sent) {
        DesktopSends().push_back(p.msg);
        return;
    }
    p.serial = ++g_postSerial;
    Posted().push_back(p);
}
std::thread::id g_mainThread;
int g_pumpLoopLevel = -1;

constexpr UINT kNoQuit = 0x80000000u;  // internal: leave WM_QUIT queued

std::unordered_set<HWND>* g_paintedThisPass = nullptr;
std::uint64_t g_serialLimit = ~std::uint64_t{0};
std::size_t g_inputLimit = ~std::size_t{0};

const QEvent::Type kWakeEvent = static_cast<QEvent::Type>(QEvent::User + 0x5A1);

void DrainQueued();
void ForgetWindowDCs(HWND hwnd);

// Receives the wake-up that PostMessage sends from any thread, and the Qt timer that drives the clock.
class TDispatcher : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == kWakeEvent) {
            WinState().wakePending = false;
            // Inside GetMessage/PeekMessage the caller takes the messages itself; in any other Qt loop (a Qt
            // dialog, QApplication::exec) the dispatcher delivers them.
            if (WinState().pumpDepth == 0 || QThread::currentThread()->loopLevel() != g_pumpLoopLevel) DrainQueued();
            return true;
        }
        return QObject::event(e);
    }
    void timerEvent(QTimerEvent* e) override {
        if (e->timerId() == timerId_) {
            killTimer(timerId_);
            timerId_ = 0;
            Guarded([] { ClockTimers().RunDue(GetTickCount()); });
            Rearm();
        }
    }
    // Arms a Qt timer for the clock service's next due time; a manual clock is driven by its test instead.
    void Rearm() {
        if (timerId_) {
            killTimer(timerId_);
            timerId_ = 0;
        }
        if (!dynamic_cast<TSystemClock*>(&Clock())) return;
        auto due = ClockTimers().NextDue();
        if (!due) return;
        TTick now = GetTickCount();
        int delay = *due > now ? static_cast<int>(std::min<TTick>(*due - now, 0x7FFFFFFF)) : 0;
        timerId_ = startTimer(delay, Qt::PreciseTimer);
    }

private:
    int timerId_ = 0;
};

TDispatcher* g_dispatcher = nullptr;

bool MatchesFilter(const MSG& m, HWND hwnd, UINT fmin, UINT fmax) {
    if (hwnd == HWND_MESSAGE || hwnd == reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1))) {
        if (m.hwnd) return false;
    } else if (hwnd && m.hwnd != hwnd) {
        return false;
    }
    if (fmin == 0 && fmax == 0) return true;
    if (fmin <= fmax) return m.message >= fmin && m.message <= fmax;
    return m.message >= fmin || m.message <= fmax;  // a reversed range excludes the gap
}

bool RangeIncludes(UINT msg, UINT fmin, UINT fmax) {
    if (fmin == 0 && fmax == 0) return true;
    if (fmin <= fmax) return msg >= fmin && msg <= fmax;
    return msg >= fmin || msg <= fmax;
}

HWND FindPaintWindow(TWnd* w, HWND filter) {
    if (!(w->style & WS_VISIBLE)) return nullptr;
    // Redraw switched off (WM_SETREDRAW, LockWindowUpdate): neither the window nor its children paint.
    if (w->redrawOff || w->handle == WinState().lockedWnd) return nullptr;
    // A window that a sibling covers whole shows nothing it paints: it and its children keep what they have
    // to paint (and make no image for it) until a change of places brings them into view.
    if (w->parent && UnderSibling(w)) {
        WinState().paintWaitsUnderSibling = true;
        return nullptr;
    }
    if ((!filter || filter == w->handle) && (!w->update.isEmpty() || w->internalPaint || w->ncDirty) &&
        !(g_paintedThisPass && g_paintedThisPass->count(w->handle)))
        return w->handle;
    for (HWND k : w->children)
        if (TWnd* kw = FindWnd(k))
            if (HWND h = FindPaintWindow(kw, filter)) return h;
    return nullptr;
}

void FillMsg(MSG* out, HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    out->hwnd = hwnd;
    out->message = message;
    out->wParam = wp;
    out->lParam = lp;
    out->time = static_cast<DWORD>(GetTickCount());
    out->pt = WinState().cursorPos;
}

void DrainQueued() {
    auto& st = WinState();
    ++st.pumpDepth;
    int savedLevel = g_pumpLoopLevel;
    g_pumpLoopLevel = -2;  // nothing inside counts as our own pump
    std::unordered_set<HWND> painted;
    auto* savedPainted = g_paintedThisPass;
    g_paintedThisPass = &painted;
    MSG m;
    while (RetrieveMessage(&m, nullptr, 0, 0, PM_REMOVE | kNoQuit)) {
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
    g_paintedThisPass = savedPainted;
    g_pumpLoopLevel = savedLevel;
    --st.pumpDepth;
}

}  // namespace

// ---- The link to Qt ---------------------------------------------------------------------------------------

void EnsureWindowSystem() {
    if (g_dispatcher) return;
    EnsureQtApplication();
    g_mainThread = std::this_thread::get_id();
    g_dispatcher = new TDispatcher;
    ClockTimers().OnChanged = [] {
        if (g_dispatcher && std::this_thread::get_id() == g_mainThread) g_dispatcher->Rearm();
    };
    g_dispatcher->Rearm();
    if (WinState().wakePending) QCoreApplication::postEvent(g_dispatcher, new QEvent(kWakeEvent));
}

void WakeEventLoop() {
    auto& st = WinState();
    if (st.wakePending.exchange(true)) return;
    if (g_dispatcher) QCoreApplication::postEvent(g_dispatcher, new QEvent(kWakeEvent));
}

DWORD GetCurrentThreadId() { return static_cast<DWORD>(std::hash<std::thread::id>{}(std::this_thread::get_id())); }

// ---- Exceptions and procedures ----------------------------------------------------------------------------

LRESULT CallProcedure(TWnd* w, WNDPROC proc, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT r = 0;
    HWND h = w->handle;
    Guarded([&] { r = CallWindowProc(proc, h, msg, wp, lp); });
    return r;
}

LRESULT DeliverSent(TWnd* w, UINT msg, WPARAM wp, LPARAM lp) {
    if (HasHooks(WH_CALLWNDPROC)) {
        CWPSTRUCT cwp{lp, wp, msg, w->handle};
        HWND h = w->handle;
        RunHooks(WH_CALLWNDPROC, HC_ACTION, 1, reinterpret_cast<LPARAM>(&cwp));
        w = FindWnd(h);
        if (!w) return 0;
    }
    return CallProcedure(w, w->proc, msg, wp, lp);
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd == HWND_BROADCAST) {
        BroadcastSystemMessage(msg, wParam, lParam);
        return 0;
    }
    TWnd* w = FindWnd(hwnd);
    if (!w) return 0;
    return DeliverSent(w, msg, wParam, lParam);
}

// ---- Posting ----------------------------------------------------------------------------------------------

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& st = WinState();
    if (hwnd == HWND_BROADCAST) {
        if (std::this_thread::get_id() != g_mainThread) return FALSE;
        for (HWND h : std::vector<HWND>(st.topLevels)) PostMessage(h, msg, wParam, lParam);
        return TRUE;
    }
    {
        std::lock_guard<std::mutex> lock(st.postMutex);
        if (hwnd && !st.live.count(hwnd)) return FALSE;
        QueuePosted(hwnd, msg, wParam, lParam, false);
    }
    WakeEventLoop();
    return TRUE;
}

BOOL PostThreadMessage(DWORD, UINT msg, WPARAM wParam, LPARAM lParam) {
    return PostMessage(nullptr, msg, wParam, lParam);
}

void PostFollowUp(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto& st = WinState();
    if (!PostMessage(hwnd, msg, wp, lp)) return;
    std::lock_guard<std::mutex> lock(st.postMutex);
    if (g_serialLimit != ~std::uint64_t{0}) g_serialLimit = g_postSerial;
}

void PostQuitMessage(int exitCode) {
    auto& st = WinState();
    {
        std::lock_guard<std::mutex> lock(st.postMutex);
        st.quitPosted = true;
        st.quitCode = exitCode;
    }
    WakeEventLoop();
}

bool QuitPending(int* exitCode) {
    auto& st = WinState();
    std::lock_guard<std::mutex> lock(st.postMutex);
    if (exitCode) *exitCode = st.quitCode;
    return st.quitPosted;
}

void NoteWindowGone(HWND hwnd) {
    auto& st = WinState();
    {
        std::lock_guard<std::mutex> lock(st.postMutex);
        st.live.erase(hwnd);
        std::erase_if(Posted(), [&](const TPosted& p) { return p.msg.hwnd == hwnd; });
        std::erase_if(DesktopSends(), [&](const MSG& m) { return m.hwnd == hwnd; });
    }
    RemoveWindowTimers(hwnd);
    ForgetWindowDCs(hwnd);
    ForgetWindowInput(hwnd);
    if (st.focus == hwnd) st.focus = nullptr;
    if (st.active == hwnd) st.active = nullptr;
    if (st.capture == hwnd) {
        st.capture = nullptr;
        SyncPointerGrab();
    }
    if (st.lastMouseWindow == hwnd) st.lastMouseWindow = nullptr;
    if (st.lastClickWnd == hwnd) st.lastClickWnd = nullptr;
    if (st.moveSizeWnd == hwnd) st.moveSizeWnd = nullptr;
    if (st.lockedWnd == hwnd) st.lockedWnd = nullptr;
}

bool RedrawSuspended(const TWnd* w) {
    HWND locked = WinState().lockedWnd;
    for (; w; w = w->parent ? FindWnd(w->parent) : nullptr)
        if (w->redrawOff || (locked && w->handle == locked)) return true;
    return false;
}

// ---- Retrieval --------------------------------------------------------------------------------------------

namespace {

// The messages the desktop sent meanwhile, in their order, each through the hooks to its window.
void DeliverDesktopSends() {
    auto& st = WinState();
    for (;;) {
        MSG m;
        {
            std::lock_guard<std::mutex> lock(st.postMutex);
            auto& q = DesktopSends();
            if (q.empty()) return;
            m = q.front();
            q.pop_front();
        }
        if (TWnd* w = FindWnd(m.hwnd)) DeliverSent(w, m.message, m.wParam, m.lParam);
    }
}

}  // namespace

void SendFromDesktop(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto& st = WinState();
    {
        std::lock_guard<std::mutex> lock(st.postMutex);
        if (!st.live.count(hwnd)) return;
        // The desktop repeats itself (two state changes for one restore): the same message waiting is enough.
        for (const MSG& q : DesktopSends())
            if (q.hwnd == hwnd && q.message == msg && q.wParam == wp && q.lParam == lp) return;
        QueuePosted(hwnd, msg, wp, lp, true);
    }
    WakeEventLoop();
}

bool RetrieveMessage(MSG* out, HWND hwnd, UINT fmin, UINT fmax, UINT flags) {
    auto& st = WinState();
    const bool remove = (flags & PM_REMOVE) != 0;
    MSG m;
    bool found = false;

    // 0. What the desktop sent is delivered first, whatever the filter.
    DeliverDesktopSends();

    // 1. Posted messages, in posting order. A message for a window that is gone is dropped on the way.
    {
        std::lock_guard<std::mutex> lock(st.postMutex);
        auto& q = Posted();
        for (auto it = q.begin(); it != q.end();) {
            if (it->serial > g_serialLimit) break;
            if (it->msg.hwnd && !st.live.count(it->msg.hwnd)) {
                it = q.erase(it);
                continue;
            }
            if (MatchesFilter(it->msg, hwnd, fmin, fmax)) {
                m = it->msg;
                if (remove) q.erase(it);
                found = true;
                break;
            }
            ++it;
        }
    }
    if (found) {
        m.time = static_cast<DWORD>(GetTickCount());
        m.pt = st.cursorPos;
    }

    // 2. Input, in arrival order; the hooks may discard an event.
    if (!found) {
        std::size_t index = 0;
        while (index < st.input.size() && index < g_inputLimit) {
            TRawInput in = st.input[index];
            bool eaten = false;
            MSG im;
            bool ok = ConvertInput(in, &im, false, &eaten);
            if (!ok) {  // nobody to receive it
                st.input.erase(st.input.begin() + static_cast<std::ptrdiff_t>(index));
                continue;
            }
            if (!MatchesFilter(im, hwnd, fmin, fmax)) {
                ++index;
                continue;
            }
            if (remove) {
                st.input.erase(st.input.begin() + static_cast<std::ptrdiff_t>(index));
                if (g_inputLimit != ~std::size_t{0}) --g_inputLimit;
                ok = ConvertInput(in, &im, true, &eaten);
                if (!ok || eaten) continue;  // a hook or the activation ate it: look again
            } else {
                ConvertInput(in, &im, false, &eaten);
                if (eaten) {
                    // A hook discarded the event even when only looked at: it leaves the queue.
                    st.input.erase(st.input.begin() + static_cast<std::ptrdiff_t>(index));
                    continue;
                }
            }
            m = im;
            found = true;
            break;
        }
    }

    // 3. WM_QUIT once nothing was posted before it.
    if (!found && !(flags & kNoQuit)) {
        std::lock_guard<std::mutex> lock(st.postMutex);
        if (st.quitPosted) {
            m = MSG{};
            m.message = WM_QUIT;
            m.wParam = static_cast<WPARAM>(st.quitCode);
            m.time = static_cast<DWORD>(GetTickCount());
            m.pt = st.cursorPos;
            if (remove) st.quitPosted = false;
            found = true;
        }
    }

    // 4. WM_PAINT for a visible window with something to paint (it stays until the window is validated).
    if (!found && RangeIncludes(WM_PAINT, fmin, fmax) && hwnd != HWND_MESSAGE) {
        HWND target = nullptr;
        if (hwnd) {
            TWnd* w = FindWnd(hwnd);
            if (w && IsVisibleTree(w) && !RedrawSuspended(w) &&
                (!w->update.isEmpty() || w->internalPaint || w->ncDirty) &&
                !(g_paintedThisPass && g_paintedThisPass->count(hwnd)))
                target = hwnd;
        } else {
            for (HWND t : std::vector<HWND>(st.topLevels))
                if (TWnd* tw = FindWnd(t))
                    if ((target = FindPaintWindow(tw, nullptr))) break;
        }
        if (target) {
            FillMsg(&m, target, WM_PAINT, 0, 0);
            if (g_paintedThisPass && remove) g_paintedThisPass->insert(target);
            found = true;
        }
    }

    // 5. WM_TIMER for timers that fell due, in the order they did.
    if (!found && RangeIncludes(WM_TIMER, fmin, fmax)) {
        for (auto it = st.timerQueue.begin(); it != st.timerQueue.end(); ++it) {
            MSG tm;
            FillMsg(&tm, it->hwnd, WM_TIMER, it->id, reinterpret_cast<LPARAM>(it->proc));
            if (!MatchesFilter(tm, hwnd, fmin, fmax)) continue;
            m = tm;
            if (remove) st.timerQueue.erase(it);
            found = true;
            break;
        }
    }

    if (!found) return false;
    if (HasHooks(WH_GETMESSAGE))
        RunHooks(WH_GETMESSAGE, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(&m));
    if (remove) st.lastMsg = m;
    *out = m;
    return true;
}

namespace {

struct TPumpScope {
    int savedLevel;
    TPumpScope() : savedLevel(g_pumpLoopLevel) {
        ++WinState().pumpDepth;
        g_pumpLoopLevel = QThread::currentThread()->loopLevel();
    }
    ~TPumpScope() {
        --WinState().pumpDepth;
        g_pumpLoopLevel = savedLevel;
    }
};

void PumpQt(bool wait) {
    EnsureWindowSystem();
    ShowHeldDCDrawing();
    TPumpScope scope;
    Guarded([&] {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(wait ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
    });
}

}  // namespace

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    MSG local;
    if (!msg) msg = &local;
    removeFlags &= PM_REMOVE | PM_NOYIELD;
    if (RetrieveMessage(msg, hwnd, filterMin, filterMax, removeFlags)) return TRUE;
    PumpQt(false);
    return RetrieveMessage(msg, hwnd, filterMin, filterMax, removeFlags) ? TRUE : FALSE;
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    MSG local;
    if (!msg) msg = &local;
    // A modal loop that waits here inside a pass of ProcessPendingMessages (a menu opened by a handler) waits
    // for what comes after the pass began too; the pass keeps its own limits once the wait is over.
    const std::uint64_t savedSerial = g_serialLimit;
    const std::size_t savedInput = g_inputLimit;
    g_serialLimit = ~std::uint64_t{0};
    g_inputLimit = ~std::size_t{0};
    struct TRestore {
        std::uint64_t serial;
        std::size_t input;
        ~TRestore() {
            g_serialLimit = serial;
            g_inputLimit = input;
        }
    } restore{savedSerial, savedInput};
    for (;;) {
        if (RetrieveMessage(msg, hwnd, filterMin, filterMax, PM_REMOVE)) return msg->message == WM_QUIT ? FALSE : TRUE;
        PumpQt(true);
    }
}

BOOL WaitMessage() {
    MSG m;
    if (RetrieveMessage(&m, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
    PumpQt(true);
    return TRUE;
}

DWORD GetMessagePos() {
    const POINT& p = WinState().lastMsg.pt;
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg) return 0;
    TWnd* w = FindWnd(msg->hwnd);
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        Guarded([&] { proc(msg->hwnd, WM_TIMER, msg->wParam, static_cast<DWORD>(GetTickCount())); });
        return 0;
    }
    if (!w) return 0;
    LRESULT r = CallProcedure(w, w->proc, msg->message, msg->wParam, msg->lParam);
    if (msg->message == WM_PAINT) {
        // A handler that did not paint leaves the window invalid; it is not asked again in this pass.
        if (TWnd* pw = FindWnd(msg->hwnd)) {
            pw->internalPaint = false;
            if (pw->ncDirty) {
                pw->ncDirty = false;
                SendMessage(msg->hwnd, WM_NCPAINT, 1, 0);
            }
        }
    }
    return r;
}

void ProcessPendingMessages() {
    auto& st = WinState();
    PumpQt(false);
    // Only what is queued now: a handler that posts again is served next time.
    std::uint64_t savedSerial = g_serialLimit;
    std::size_t savedInput = g_inputLimit;
    {
        std::lock_guard<std::mutex> lock(st.postMutex);
        g_serialLimit = g_postSerial;
    }
    g_inputLimit = st.input.size();
    std::unordered_set<HWND> painted;
    auto* savedPainted = g_paintedThisPass;
    g_paintedThisPass = &painted;
    std::size_t timers = st.timerQueue.size();
    MSG m;
    while (RetrieveMessage(&m, nullptr, 0, 0, PM_REMOVE | kNoQuit)) {
        TranslateMessage(&m);
        DispatchMessage(&m);
        if (m.message == WM_TIMER && timers-- == 0) break;
    }
    g_paintedThisPass = savedPainted;
    g_serialLimit = savedSerial;
    g_inputLimit = savedInput;
}

// ---- Painting ---------------------------------------------------------------------------------------------

namespace {

QRect ClientQRect(const TWnd* w) {
    return QRect(0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top);
}

void AddUpdate(TWnd* w, const QRegion& r, bool erase) {
    if (w->messageOnly) return;
    QRegion clipped = r & ClientQRect(w);
    if (clipped.isEmpty()) return;
    bool wasEmpty = w->update.isEmpty();
    w->update += clipped;
    if (erase) w->updateErase = true;
    if (wasEmpty) WakeEventLoop();
}

// Invalidation reaches the visible children under the area too, unless the window clips its children
// (WS_CLIPCHILDREN); RDW_ALLCHILDREN / RDW_NOCHILDREN decide instead when given.
enum class TChildMode { Auto, All, None };

bool IncludesChildren(const TWnd* w, TChildMode mode) {
    return mode == TChildMode::All || (mode == TChildMode::Auto && !(w->style & WS_CLIPCHILDREN));
}

// The part of `area` (client coordinates of w) over the child k, in k's client coordinates; whether it touches
// k's non-client area is answered in *frame.
QRegion AreaOverChild(const TWnd* w, const TWnd* k, const QRegion& area, bool* frame) {
    QRect kr(k->rect.left, k->rect.top, k->rect.right - k->rect.left, k->rect.bottom - k->rect.top);
    QRegion over = area & ClientQRect(w) & kr;
    QRegion inner = over.translated(-(k->rect.left + k->client.left), -(k->rect.top + k->client.top)) & ClientQRect(k);
    *frame =
        !over.isEmpty() && over.translated(-(k->rect.left + k->client.left), -(k->rect.top + k->client.top)) != inner;
    return inner;
}

void InvalidateTree(TWnd* w, const QRegion& area, bool erase, TChildMode mode) {
    AddUpdate(w, area, erase);
    if (!IncludesChildren(w, mode)) return;
    for (HWND k : w->children) {
        TWnd* kw = FindWnd(k);
        if (!kw || !(kw->style & WS_VISIBLE)) continue;
        bool frame = false;  // the frame repaints only with RDW_FRAME
        QRegion sub = AreaOverChild(w, kw, area, &frame);
        if (!sub.isEmpty()) InvalidateTree(kw, sub, erase, mode);
    }
}

// A window DC: its window, and what its device clip follows when the window changes.
struct TDCRecord {
    enum TKind { Client, Whole, Fixed };  // the client area, the whole window, or a clip given when made
    HWND hwnd = nullptr;
    TKind kind = Client;
};
std::unordered_map<HDC, TDCRecord>& DCs() {
    static auto* m = new std::unordered_map<HDC, TDCRecord>;
    return *m;
}

// The DCs a window that goes leaves held belong to no window: what they draw shows nowhere.
void ForgetWindowDCs(HWND hwnd) {
    for (auto& [dc, record] : DCs())
        if (record.hwnd == hwnd) record.hwnd = nullptr;
}

HRGN MakeRgn(const QRegion& r) {
    HRGN out = CreateRectRgn(0, 0, 0, 0);
    for (const QRect& q : r) {
        HRGN part = CreateRectRgn(q.left(), q.top(), q.right() + 1, q.bottom() + 1);
        CombineRgn(out, out, part, RGN_OR);
        DeleteObject(part);
    }
    return out;
}

bool LockedTree(const TWnd* w) {
    HWND locked = WinState().lockedWnd;
    if (!locked) return false;
    for (; w; w = w->parent ? FindWnd(w->parent) : nullptr)
        if (w->handle == locked) return true;
    return false;
}

HDC MakeWindowDC(TWnd* w, bool whole, const QRegion* clip, bool lockExempt = false) {
    EnsureImage(w);
    HDC dc = CreateImageDC(w->image.get());
    if (!dc) return nullptr;
    if (!lockExempt && LockedTree(w)) {
        // A window locked by LockWindowUpdate shows nothing drawn meanwhile; unlocking repaints it.
        SetDCDeviceClip(dc, RECT{0, 0, 0, 0});
        DCs()[dc] = TDCRecord{w->handle, TDCRecord::Fixed};
        return dc;
    }
    if (whole) {
        SetDCDeviceClip(dc, RECT{0, 0, w->image->width(), w->image->height()});
    } else {
        SetDCDeviceOrigin(dc, POINT{w->client.left, w->client.top});
        if (clip) {
            HRGN r = MakeRgn(clip->translated(w->client.left, w->client.top));
            SetDCDeviceClipRgn(dc, r);
            DeleteObject(r);
        } else {
            SetDCDeviceClip(dc, w->client);
        }
    }
    DCs()[dc] = TDCRecord{w->handle, whole ? TDCRecord::Whole : clip ? TDCRecord::Fixed : TDCRecord::Client};
    return dc;
}

}  // namespace

QRegion RegionOf(HRGN rgn) {
    QRegion r;
    if (!rgn) return r;
    for (const RECT& rc : GetRegionRects(rgn)) r += QRect(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    return r;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    if (!hwnd) {
        for (HWND t : std::vector<HWND>(WinState().topLevels)) InvalidateRect(t, nullptr, erase);
        return TRUE;
    }
    TWnd* w = FindWnd(hwnd);
    if (!w) return FALSE;
    QRect r = rect ? QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top) : ClientQRect(w);
    InvalidateTree(w, QRegion(r), erase != FALSE, TChildMode::Auto);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return FALSE;
    if (!rect) {
        w->update = QRegion();
        w->updateErase = false;
        w->internalPaint = false;
        // A frame waiting to be drawn is drawn now, as BeginPaint does: otherwise WM_PAINT would come back
        // for it again and again.
        if (w->ncDirty) {
            w->ncDirty = false;
            SendMessage(hwnd, WM_NCPAINT, 1, 0);
        }
    } else {
        w->update -= QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    }
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return FALSE;
    if (RedrawSuspended(w)) return TRUE;
    if (IsVisibleTree(w) && (!w->update.isEmpty() || w->internalPaint)) {
        SendMessage(hwnd, WM_PAINT, 0, 0);
        if ((w = FindWnd(hwnd))) w->internalPaint = false;
    }
    // Children with something to paint follow their parent.
    if ((w = FindWnd(hwnd)))
        for (HWND k : std::vector<HWND>(w->children))
            if (FindWnd(k)) UpdateWindow(k);
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return FALSE;
    QRegion area = rgn    ? RegionOf(rgn)
                   : rect ? QRegion(QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top))
                          : QRegion(ClientQRect(w));
    if (flags & RDW_INVALIDATE) AddUpdate(w, area, (flags & RDW_ERASE) != 0);
    if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
    if (flags & RDW_FRAME) w->ncDirty = true;
    if (flags & RDW_VALIDATE) {
        w->update -= area;
        if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
    }
    TChildMode mode = (flags & RDW_ALLCHILDREN)  ? TChildMode::All
                      : (flags & RDW_NOCHILDREN) ? TChildMode::None
                                                 : TChildMode::Auto;
    if (IncludesChildren(w, mode))
        for (HWND k : std::vector<HWND>(w->children)) {
            TWnd* kw = FindWnd(k);
            if (!kw || !(kw->style & WS_VISIBLE)) continue;
            bool frame = false;
            QRegion kr = AreaOverChild(w, kw, area, &frame);
            if (kr.isEmpty() && !frame) continue;
            HRGN sub = MakeRgn(kr);
            UINT kflags = flags & ~(RDW_UPDATENOW | RDW_ERASENOW);
            if (!frame) kflags &= ~RDW_FRAME;
            if (kr.isEmpty()) kflags &= ~(RDW_INVALIDATE | RDW_VALIDATE);
            RedrawWindow(k, nullptr, sub, kflags);
            DeleteObject(sub);
        }
    if (flags & RDW_UPDATENOW) {
        if ((w = FindWnd(hwnd)) && w->ncDirty) {
            w->ncDirty = false;
            SendMessage(hwnd, WM_NCPAINT, 1, 0);
        }
        UpdateWindow(hwnd);
    } else if ((flags & RDW_ERASENOW) && (w = FindWnd(hwnd)) && w->updateErase) {
        HDC dc = GetDC(hwnd);
        if (!SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0)) {
        }
        ReleaseDC(hwnd, dc);
        if ((w = FindWnd(hwnd))) w->updateErase = false;
    }
    // What was painted meanwhile reached the screen as it was drawn: the paint's and the frame's own updates.
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return FALSE;
    QRect b = w->update.boundingRect();
    if (rect) *rect = w->update.isEmpty() ? RECT{} : RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    if (erase && w->updateErase && !w->update.isEmpty()) {
        HDC dc = MakeWindowDC(w, false, &w->update);
        if (!SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0)) {
        }
        ReleaseDC(hwnd, dc);
        if ((w = FindWnd(hwnd))) w->updateErase = false;
    }
    return w && !w->update.isEmpty() ? TRUE : FALSE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    TWnd* w = FindWnd(hwnd);
    if (!w || !ps) return nullptr;
    *ps = PAINTSTRUCT{};
    if (w->ncDirty) {
        w->ncDirty = false;
        SendMessage(hwnd, WM_NCPAINT, 1, 0);
        if (!(w = FindWnd(hwnd))) return nullptr;
    }
    QRegion area = w->update;
    bool erase = w->updateErase;
    w->update = QRegion();
    w->updateErase = false;
    w->internalPaint = false;
    HDC dc = MakeWindowDC(w, false, &area);
    ps->hdc = dc;
    QRect b = area.boundingRect();
    ps->rcPaint = area.isEmpty() ? RECT{} : RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    if (erase) ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (!ps) return FALSE;
    ReleaseDC(hwnd, ps->hdc);
    return TRUE;
}

HDC GetDC(HWND hwnd) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return CreateScreenDC();
    return MakeWindowDC(w, false, nullptr);
}

HDC GetWindowDC(HWND hwnd) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return CreateScreenDC();
    return MakeWindowDC(w, true, nullptr);
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return CreateScreenDC();
    bool whole = (flags & DCX_WINDOW) != 0;
    HDC dc = MakeWindowDC(w, whole, nullptr, (flags & DCX_LOCKWINDOWUPDATE) != 0);
    // WM_NCPAINT's wParam 1 stands for "the whole window", not for a region.
    if (clip == reinterpret_cast<HRGN>(static_cast<std::uintptr_t>(1))) clip = nullptr;
    if (dc && clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        // The region is in window coordinates for a window DC, in client coordinates otherwise.
        QRegion base = whole ? QRegion(0, 0, w->image->width(), w->image->height())
                             : QRegion(QRect(w->client.left, w->client.top, w->client.right - w->client.left,
                                             w->client.bottom - w->client.top));
        QRegion r = RegionOf(clip);
        if (!whole) r.translate(w->client.left, w->client.top);
        QRegion result = (flags & DCX_INTERSECTRGN) ? base & r : base - r;
        HRGN hr = MakeRgn(result);
        SetDCDeviceClipRgn(dc, hr);
        DeleteObject(hr);
        DCs()[dc].kind = TDCRecord::Fixed;
    }
    return dc;
}

int ReleaseDC(HWND, HDC dc) {
    if (!dc) return 0;
    auto it = DCs().find(dc);
    if (it == DCs().end()) {
        DeleteDC(dc);
        return 1;
    }
    HWND owner = it->second.hwnd;
    DCs().erase(it);
    TWnd* w = FindWnd(owner);
    const QRegion drawn = w ? TakeDCTouchedArea(dc) : QRegion();
    DeleteImageDC(dc);
    if (!drawn.isEmpty()) ScheduleWidgetUpdate(w, drawn);
    return 1;
}

void ShowHeldDCDrawing() {
    // Collected first: showing a window's drawing does not touch the DCs, but keeps to what is there now.
    std::vector<std::pair<HWND, QRegion>> drawn;
    for (const auto& [dc, record] : DCs()) {
        if (!FindWnd(record.hwnd)) continue;  // held past its window's end
        QRegion area = TakeDCTouchedArea(dc);
        if (!area.isEmpty()) drawn.emplace_back(record.hwnd, std::move(area));
    }
    for (const auto& [hwnd, area] : drawn)
        if (TWnd* w = FindWnd(hwnd)) ScheduleWidgetUpdate(w, area);
}

void RetargetWindowDCs(TWnd* w) {
    for (auto& [dc, record] : DCs()) {
        if (record.hwnd != w->handle) continue;
        SetDCImage(dc, w->image.get());
        if (record.kind == TDCRecord::Whole) {
            SetDCDeviceClip(dc, RECT{0, 0, w->image->width(), w->image->height()});
        } else if (record.kind == TDCRecord::Client) {
            SetDCDeviceOrigin(dc, POINT{w->client.left, w->client.top});
            SetDCDeviceClip(dc, w->client);
        }
    }
}

HWND WindowFromDC(HDC dc) {
    auto it = DCs().find(dc);
    return it == DCs().end() ? nullptr : it->second.hwnd;
}

BOOL LockWindowUpdate(HWND hwnd) {
    auto& st = WinState();
    if (hwnd) {
        if (!FindWnd(hwnd) || (st.lockedWnd && st.lockedWnd != hwnd)) return FALSE;  // one window at a time
        st.lockedWnd = hwnd;
        return TRUE;
    }
    HWND old = st.lockedWnd;
    if (!old) return FALSE;
    st.lockedWnd = nullptr;
    RedrawWindow(old, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

}  // namespace zel
