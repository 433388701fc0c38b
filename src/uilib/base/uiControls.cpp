#include "uilib/base/uiControls.h"

#include "uilib/base/uiControlsInternal.h"
#include "uilib/base/uiSpellChecker.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Forms.h"
#include "platform/win/Gdi.h"

namespace zel {

// ---------------------------------------------------------------------------------- version flags

bool RunsOn9xFamily = false;
bool RunsOn2000 = false;
bool RunsOn2000OrNewer = false;
bool RunsOnXPStyleNT = false;
bool RunsOnNT4OrNewer = false;
bool RunsOnVistaOrNewer = false;

void SetSystemVersionFlags(const OSVERSIONINFO& Info) {
    const bool nt = Info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    const DWORD major = Info.dwMajorVersion;
    const DWORD minor = Info.dwMinorVersion;
    RunsOn9xFamily = Info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS || Info.dwPlatformId == VER_PLATFORM_WIN32s;
    RunsOn2000 = nt && major == 5 && minor == 0;
    RunsOn2000OrNewer = nt && major >= 5;
    RunsOnXPStyleNT = nt && major >= 5 && minor >= 1;
    RunsOnNT4OrNewer = nt && major >= 4;
    RunsOnVistaOrNewer = major >= 6;
}

namespace {

void SetFlagsFromSystem() {
    OSVERSIONINFO info;
    if (GetVersionEx(&info)) SetSystemVersionFlags(info);
}

// The flags hold from the program's start, before any unit start-up.
[[maybe_unused]] const bool g_flagsSet = (SetFlagsFromSystem(), true);

// ---------------------------------------------------------------------------------- unit state

class TuiTimerWindow;

bool g_finalizing = false;
TuiMessageWindow* g_messageWindow = nullptr;
TuiTimerWindow* g_timerWindow = nullptr;
// The running timers by their system timer id.
std::map<UINT_PTR, TuiTimer*>* g_activeTimers = nullptr;
std::vector<TMouseTrackingTimer*>* g_trackingTimers = nullptr;
TuiSystemController* g_systemController = nullptr;
UINT_PTR g_lastTimerId = 0;

std::map<UINT_PTR, TuiTimer*>& ActiveTimers() {
    if (g_activeTimers == nullptr) g_activeTimers = new std::map<UINT_PTR, TuiTimer*>;
    return *g_activeTimers;
}

// The tracking list; nullptr while the unit shuts down.
std::vector<TMouseTrackingTimer*>* TrackingTimers() {
    if (g_trackingTimers == nullptr && !g_finalizing) g_trackingTimers = new std::vector<TMouseTrackingTimer*>;
    return g_trackingTimers;
}

// Delivers WM_TIMER of the running timers to them.
class TuiTimerWindow : public TuiMessageWindow {
public:
    std::string ClassName() const override { return "TuiTimerWindow"; }
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_TIMER) {
            if (g_activeTimers == nullptr) return;
            auto it = g_activeTimers->find(Message.WParam);
            if (it != g_activeTimers->end()) it->second->Tick();
            return;
        }
        TuiMessageWindow::WndProc(Message);
    }
};

// The shared timer window; nullptr while the unit shuts down.
TuiTimerWindow* TimerWindow() {
    if (g_timerWindow == nullptr && !g_finalizing) g_timerWindow = new TuiTimerWindow;
    return g_timerWindow;
}

HWND TimerWindowHandle() {
    TuiTimerWindow* w = TimerWindow();
    return w != nullptr ? w->WindowHandle : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------------- message window

TuiMessageWindow::TuiMessageWindow() {
    WindowHandle = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
}

TuiMessageWindow::~TuiMessageWindow() {
    if (WindowHandle != nullptr) DeallocateHWnd(WindowHandle);
    WindowHandle = nullptr;
}

void TuiMessageWindow::WndProc(TMessage& Message) {
    Message.Result = DefWindowProc(WindowHandle, Message.Msg, Message.WParam, Message.LParam);
}

TuiMessageWindow* uiMessageWindow() {
    if (g_messageWindow == nullptr && !g_finalizing) g_messageWindow = new TuiMessageWindow;
    return g_messageWindow;
}

// ---------------------------------------------------------------------------------- timer

TuiTimer::TuiTimer(TComponent* AOwner) : TComponent(AOwner), timerId_(++g_lastTimerId) {}

TuiTimer::~TuiTimer() { StopSystemTimer(); }

void TuiTimer::SetEnabled(bool Value) {
    if (enabled_ == Value) return;
    enabled_ = Value;
    RestartTimer();
}

void TuiTimer::SetInterval(UINT Value) {
    if (interval_ == Value || Value == 0) return;
    interval_ = Value;
    RestartTimer();
}

void TuiTimer::SetOnTimer(TNotifyEvent Value) {
    onTimer_ = std::move(Value);
    RestartTimer();
}

void TuiTimer::Tick() {
    // A copy, so that the handler may free the timer (and with it the stored handler) while it runs.
    TNotifyEvent handler = onTimer_;
    if (handler) handler(this);
}

void TuiTimer::RestartTimer() {
    StopSystemTimer();
    StartSystemTimer();
}

void TuiTimer::StartSystemTimer() {
    if (!enabled_ || running_ || !onTimer_) return;
    HWND window = TimerWindowHandle();
    SetRunning(window != nullptr && SetTimer(window, timerId_, interval_, nullptr) != 0);
}

void TuiTimer::StopSystemTimer() {
    if (!running_) return;
    if (g_timerWindow != nullptr) KillTimer(g_timerWindow->WindowHandle, timerId_);
    SetRunning(false);
}

void TuiTimer::SetRunning(bool Value) {
    if (running_ == Value) return;
    running_ = Value;
    if (Value) ActiveTimers()[timerId_] = this;
    else if (g_activeTimers != nullptr) g_activeTimers->erase(timerId_);
}

// ---------------------------------------------------------------------------------- mouse tracking

TMouseTrackingTimer::TMouseTrackingTimer() : TuiTimer(nullptr) {
    SetInterval(10);
    SetOnTimer([this](TObject*) { TrackingTick(); });
}

TMouseTrackingTimer::~TMouseTrackingTimer() { SetTrackedControl(nullptr); }

void TMouseTrackingTimer::SetTrackedControl(TWinControl* Value) {
    if (trackedControl_ == Value) return;
    if (trackedControl_ != nullptr) trackedControl_->RemoveFreeNotification(this);
    trackedControl_ = Value;
    if (trackedControl_ != nullptr) trackedControl_->FreeNotification(this);
}

void TMouseTrackingTimer::Notification(TComponent* AComponent, TOperation Operation) {
    TuiTimer::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == trackedControl_) trackedControl_ = nullptr;
}

void TMouseTrackingTimer::TrackingTick() {
    POINT cursor;
    GetCursorPos(&cursor);
    bool inside = false;
    if (auto* ex = dynamic_cast<IuiMouseExitSinkEx*>(Client)) {
        if (trackedControl_ != nullptr && trackedControl_->HandleAllocated())
            inside = ex->ContainsPoint(trackedControl_->ScreenToClient(cursor));
    } else {
        inside = PtInRect(&TrackedBounds, cursor) != FALSE;
    }
    if (inside) return;

    // Out of the list first: the client may start tracking again from MouseLeft, and that new tracking
    // must survive the end of this one.
    IuiMouseExitSink* client = Client;
    TWinControl* control = trackedControl_;
    if (auto* list = TrackingTimers()) std::erase(*list, this);
    SetTrackedControl(nullptr);
    if (control != nullptr && control->HandleAllocated()) {
        TRect clientRect = control->GetClientRect();
        if (!PtInRect(&clientRect, control->ScreenToClient(cursor)))
            control->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(control));
    }
    if (client != nullptr) client->MouseLeft();
    delete this;
}

TMouseTrackingTimer* FindTrackingTimer(IuiMouseExitSink* Client) {
    if (g_finalizing || g_trackingTimers == nullptr) return nullptr;
    for (TMouseTrackingTimer* t : *g_trackingTimers)
        if (t->Client == Client) return t;
    return nullptr;
}

void StartMouseLeaveTracking(TWinControl* Control, const TRect& Bounds, IuiMouseExitSink* Client) {
    if (g_finalizing || FindTrackingTimer(Client) != nullptr) return;
    auto* list = TrackingTimers();
    if (list == nullptr) return;
    TRect screen = Bounds;
    if (Control != nullptr) {
        TPoint topLeft = Control->ClientToScreen(Point(Bounds.left, Bounds.top));
        screen = Rect(topLeft.x, topLeft.y, topLeft.x + Bounds.Width(), topLeft.y + Bounds.Height());
    }
    auto* timer = new TMouseTrackingTimer;
    timer->SetTrackedControl(Control);
    timer->TrackedBounds = screen;
    timer->Client = Client;
    list->push_back(timer);
}

void StopMouseLeaveTracking(IuiMouseExitSink* Client) {
    TMouseTrackingTimer* timer = FindTrackingTimer(Client);
    if (timer == nullptr) return;
    std::erase(*g_trackingTimers, timer);
    delete timer;
}

bool IsTrackingMouseLeave(IuiMouseExitSink* Client) { return FindTrackingTimer(Client) != nullptr; }

// ---------------------------------------------------------------------------------- window and keyboard

bool CanAllocateWindowHandle(TControl* Control) {
    if (Control == nullptr) return false;
    auto* win = dynamic_cast<TWinControl*>(Control);
    if (win != nullptr && win->HandleAllocated()) return true;
    if (Control->ComponentState().Contains(csDestroying)) return false;
    if (dynamic_cast<TCustomForm*>(Control) != nullptr)
        return Application != nullptr && Application->Handle() != nullptr;
    if (win != nullptr && win->ParentWindow != nullptr) return true;
    return Control->GetParent() != nullptr && CanAllocateWindowHandle(Control->GetParent());
}

char CharOfKeyCode(WORD Key) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    WORD chars[2] = {};
    const UINT scan = MapVirtualKey(Key, MAPVK_VK_TO_VSC);
    return ToAscii(Key, scan, state, chars, 0) == 1 ? static_cast<char>(chars[0]) : '\0';
}

int SystemDoubleClickTime() { return static_cast<int>(GetDoubleClickTime()); }

TRect GetWorkAreaAtPoint(const TPoint& P) { return WorkAreaOfMonitor(MonitorFromPoint(P, MONITOR_DEFAULTTONEAREST)); }

TRect WorkAreaOfMonitor(HMONITOR Monitor) {
    MONITORINFO info;
    info.cbSize = 40;
    if (Monitor != nullptr && IsEntryPointAvailable("GetMonitorInfoA") && GetMonitorInfoA(Monitor, &info))
        return info.rcWork;
    TRect r{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

TPoint CursorScreenPos() {
    TPoint p{};
    if (!GetCursorPos(&p)) return Point(-1, -1);
    return p;
}

bool HasChildWindowStyle(HWND Wnd) { return (static_cast<DWORD>(GetWindowLong(Wnd, GWL_STYLE)) & WS_CHILD) != 0; }

bool IsSelfOrDescendantWindow(HWND Parent, HWND Wnd) {
    return Parent != nullptr && (Wnd == Parent || IsChild(Parent, Wnd));
}

bool CtrlKeyDown() { return GetAsyncKeyState(VK_CONTROL) < 0; }

bool InDragThreshold(const TPoint& Origin, int X, int Y) {
    return std::abs(X - Origin.x) < Mouse->DragThreshold && std::abs(Y - Origin.y) < Mouse->DragThreshold;
}

bool IsNumberInputChar(char Ch, int Kind) {
    if (Ch == '+' || Ch == '-' || (Ch >= '0' && Ch <= '9')) return true;
    if ((Kind == 1 || Kind == 2) && Ch == DecimalSeparator) return true;
    return Kind == 2 && (Ch == 'e' || Ch == 'E');
}

bool IsPrintableChar(char Ch) { return static_cast<unsigned char>(Ch) > 31; }

void MapPointBetweenWindows(HWND From, HWND To, TPoint& P) { MapWindowPoints(From, To, &P, 1); }

void MapRectBetweenWindows(HWND From, HWND To, TRect& R) {
    POINT corners[2] = {{R.left, R.top}, {R.right, R.bottom}};
    MapWindowPoints(From, To, corners, 2);
    R = Rect(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
}

std::string StripAccelChars(const std::string& S, bool ShowTrailingAmp) {
    std::string out;
    out.reserve(S.size());
    for (std::size_t i = 0; i < S.size(); ++i) {
        if (S[i] != '&') {
            out += S[i];
        } else if (i + 1 < S.size()) {
            out += S[++i];
        } else if (ShowTrailingAmp) {
            out += '_';
        }
    }
    return out;
}

WORD ShiftStateToMouseKeyFlags(TShiftState Shift) {
    WORD flags = 0;
    if (Shift.Contains(ssShift)) flags |= MK_SHIFT;
    if (Shift.Contains(ssCtrl)) flags |= MK_CONTROL;
    if (Shift.Contains(ssLeft)) flags |= MK_LBUTTON;
    if (Shift.Contains(ssRight)) flags |= MK_RBUTTON;
    if (Shift.Contains(ssMiddle)) flags |= MK_MBUTTON;
    return flags;
}

WORD MapEditorKey(WORD Key) { return Key; }

// ---------------------------------------------------------------------------------- unit

TuiSystemController* uiSystemController() { return g_systemController; }

bool uiControlsFinalizing() { return g_finalizing; }

namespace {
UINT g_message1 = 0, g_message2 = 0;
IuiPopupMenuController* g_popupMenuController = nullptr;
}  // namespace

IuiPopupMenuController* uiPopupMenuController() { return g_popupMenuController; }
void SetuiPopupMenuController(IuiPopupMenuController* Value) { g_popupMenuController = Value; }
UINT uiControlsMessage1() { return g_message1; }
UINT uiControlsMessage2() { return g_message2; }

void uiControlsStartup() {
    g_finalizing = false;
    SetFlagsFromSystem();
    g_message1 = RegisterWindowMessage("{B2CE3777-44D8-4998-9701-47BBBC10B656}");
    g_message2 = RegisterWindowMessage("{B2CE3777-44D8-1321-4656-12C54AA613BB}");
    if (g_systemController == nullptr) g_systemController = new TuiSystemController;
}

IuiSpellChecker*& SpellCheckerHook() {
    static IuiSpellChecker* hook = nullptr;
    return hook;
}

void SpellCheckerRedrawMisspellings(TWinControl* innerControl) {
    if (IuiSpellChecker* checker = SpellCheckerHook()) checker->RedrawMisspellings(innerControl);
}
void SpellCheckerInnerControlScrolled(TWinControl* innerControl) {
    if (IuiSpellChecker* checker = SpellCheckerHook()) checker->InnerControlScrolled(innerControl);
}
void SpellCheckerSelectionChanged(TWinControl* innerControl) {
    if (IuiSpellChecker* checker = SpellCheckerHook()) checker->SelectionChanged(innerControl);
}
void SpellCheckerTextChanged(TWinControl* innerControl) {
    if (IuiSpellChecker* checker = SpellCheckerHook()) checker->TextChanged(innerControl);
}
bool SpellCheckerIsChildWindow(HWND wnd) {
    IuiSpellChecker* checker = SpellCheckerHook();
    return checker != nullptr && checker->IsChildWindow(wnd);
}
bool SpellCheckerContextPopup(TWinControl* innerControl, POINT screenPos) {
    IuiSpellChecker* checker = SpellCheckerHook();
    return checker != nullptr && checker->ContextPopup(innerControl, screenPos);
}

void uiControlsShutdown() {
    SpellCheckerHook() = nullptr;
    g_finalizing = true;
    delete g_systemController;
    g_systemController = nullptr;
    bool trackersLeft = false;
    if (g_trackingTimers != nullptr) {
        trackersLeft = !g_trackingTimers->empty();
        std::vector<TMouseTrackingTimer*> left;
        left.swap(*g_trackingTimers);
        for (TMouseTrackingTimer* t : left) delete t;
        delete g_trackingTimers;
        g_trackingTimers = nullptr;
    }
    FreeSettingsController();
    delete g_timerWindow;
    g_timerWindow = nullptr;
    delete g_activeTimers;
    g_activeTimers = nullptr;
    delete g_messageWindow;
    g_messageWindow = nullptr;
    g_popupMenuController = nullptr;
    if (trackersLeft) throw Exception("MouseTrackingTimerList.Count <> 0");
}

TPopupOwnerLookup PopupOwnerLookup = nullptr;

}  // namespace zel
