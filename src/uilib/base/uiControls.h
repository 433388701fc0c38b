#pragma once
// Small process-wide services of the control unit: a hidden message window owned by an object, a timer
// component whose ticks arrive through one shared hidden window, mouse-leave tracking that tells a client
// when the mouse has left a control or an area, the system controller, and the system-version flags the
// drawing code consults. The library's control base joins this unit later.
#include <string>

#include "platform/rtl/Classes.h"
#include "platform/vcl/Controls.h"
#include "platform/win/Messages.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"

namespace zel {

// ---------------------------------------------------------------------------------- version flags

// Set from the run-time's platform and version numbers when the program starts (and by the unit start-up).
extern bool RunsOn9xFamily;      // the Windows 9x platform or Win32s
extern bool RunsOn2000;          // NT 5.0
extern bool RunsOn2000OrNewer;   // NT 5.0 and later
extern bool RunsOnXPStyleNT;     // NT with major >= 5 and minor >= 1
extern bool RunsOnNT4OrNewer;    // NT 4.0 and later
extern bool RunsOnVistaOrNewer;  // major >= 6 on any platform

// Sets every flag from a version record (what the unit does with GetVersionEx's answer).
void SetSystemVersionFlags(const OSVERSIONINFO& Info);

// ---------------------------------------------------------------------------------- message window

// A hidden, message-only window whose messages reach the object's WndProc.
class TuiMessageWindow : public TObject {
public:
    TuiMessageWindow();
    ~TuiMessageWindow() override;
    TuiMessageWindow(const TuiMessageWindow&) = delete;
    TuiMessageWindow& operator=(const TuiMessageWindow&) = delete;
    std::string ClassName() const override { return "TuiMessageWindow"; }

    // Answers every message with DefWindowProc; descendants handle theirs and pass the rest here.
    virtual void WndProc(TMessage& Message);

    HWND WindowHandle = nullptr;
};

// The shared message window, made on the first call; nullptr while the unit shuts down.
TuiMessageWindow* uiMessageWindow();

// ---------------------------------------------------------------------------------- timer

// A timer whose WM_TIMER messages arrive through the shared timer window. It runs while Enabled, OnTimer is
// assigned and the system timer could be set; changing any of the three restarts it.
class TuiTimer : public TComponent {
public:
    explicit TuiTimer(TComponent* AOwner);
    ~TuiTimer() override;
    std::string ClassName() const override { return "TuiTimer"; }

    bool GetEnabled() const { return enabled_; }
    void SetEnabled(bool Value);
    // Milliseconds; 0 is ignored (the interval stays).
    UINT GetInterval() const { return interval_; }
    void SetInterval(UINT Value);
    void SetOnTimer(TNotifyEvent Value);

    // The system timer id: unique for the program's lifetime, so that a WM_TIMER still queued for a freed
    // timer never reaches a later one.
    UINT_PTR GetTimerId() const { return timerId_; }
    // Whether the system timer is set.
    bool GetRunning() const { return running_; }

    // Fires OnTimer. The handler may free the timer.
    virtual void Tick();

protected:
    void RestartTimer();
    void StartSystemTimer();
    void StopSystemTimer();
    void SetRunning(bool Value);

private:
    bool enabled_ = true;
    UINT_PTR timerId_ = 0;
    UINT interval_ = 1000;
    bool running_ = false;
    TNotifyEvent onTimer_;
};

// ---------------------------------------------------------------------------------- mouse tracking

// Told once when the mouse has left what it tracks.
class IuiMouseExitSink {
public:
    virtual ~IuiMouseExitSink() = default;
    virtual void MouseLeft() = 0;
};

// Also decides itself whether a point (in the tracked control's client coordinates) is inside.
class IuiMouseExitSinkEx : public IuiMouseExitSink {
public:
    static constexpr const char* IID = "{3A5D973B-F016-4F22-80B6-1D35668D7743}";
    virtual bool ContainsPoint(TPoint P) = 0;
};

// Looks at the cursor every 10 ms; the first look that finds it outside sends CM_MOUSELEAVE to the control
// (when the cursor is outside its client area), tells the client and ends the tracking (the timer is freed).
class TMouseTrackingTimer : public TuiTimer {
public:
    TMouseTrackingTimer();
    ~TMouseTrackingTimer() override;
    std::string ClassName() const override { return "TMouseTrackingTimer"; }

    TRect TrackedBounds;  // screen coordinates
    IuiMouseExitSink* Client = nullptr;
    // Cleared when the control is freed while tracked.
    TWinControl* GetTrackedControl() const { return trackedControl_; }
    void SetTrackedControl(TWinControl* Value);

    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void TrackingTick();
    TWinControl* trackedControl_ = nullptr;
};

// Starts tracking for Client (nothing when it is already tracked or the unit shuts down). Bounds are in
// Control's client coordinates when Control is given, else in screen coordinates.
void StartMouseLeaveTracking(TWinControl* Control, const TRect& Bounds, IuiMouseExitSink* Client);
// The timer tracking for Client; nullptr when none or while the unit shuts down.
TMouseTrackingTimer* FindTrackingTimer(IuiMouseExitSink* Client);
// Ends the tracking for Client and frees its timer; nothing when it is not tracked.
void StopMouseLeaveTracking(IuiMouseExitSink* Client);
bool IsTrackingMouseLeave(IuiMouseExitSink* Client);

// ---------------------------------------------------------------------------------- system controller

// The message by which the main thread's wake-up reaches the system controller in a program built as a
// library.
constexpr UINT UM_CHECKSYNCHRONIZE = WM_APP + 0x66;

// The unit's system controller. The program is never built as a library, so it hooks nothing and its
// window only answers messages.
class TuiSystemController : public TuiMessageWindow {
public:
    TuiSystemController() = default;
    std::string ClassName() const override { return "TuiSystemController"; }
};

// The controller made by the unit start-up; nullptr before it and after the shutdown.
TuiSystemController* uiSystemController();

// ---------------------------------------------------------------------------------- window and keyboard

// Whether the control has or can get a window handle: true with a handle; false while it is destroyed;
// true when it has a parent window or its parent (up the chain) can get a handle; a form can when the
// application has its handle.
bool CanAllocateWindowHandle(TControl* Control);
// The ANSI character the virtual key gives under the current keyboard state; #0 unless exactly one does.
char CharOfKeyCode(WORD Key);
int SystemDoubleClickTime();
// The work area of the monitor nearest to P.
TRect GetWorkAreaAtPoint(const TPoint& P);
// The monitor's work area; the primary work area for no monitor or when the monitor function is missing.
TRect WorkAreaOfMonitor(HMONITOR Monitor);
// The cursor position in screen coordinates; (-1, -1) when it cannot be had.
TPoint CursorScreenPos();
bool HasChildWindowStyle(HWND Wnd);
// False for no parent; true for the parent itself and for its descendants.
bool IsSelfOrDescendantWindow(HWND Parent, HWND Wnd);
bool CtrlKeyDown();
// Whether (X, Y) is still within the mouse's drag threshold of Origin, on both axes.
bool InDragThreshold(const TPoint& Origin, int X, int Y);
// Characters a number field takes: signs and digits; kind 1 (float) and 2 (float with exponent) also the
// decimal separator, kind 2 also 'e' and 'E'.
bool IsNumberInputChar(char Ch, int Kind);
bool IsPrintableChar(char Ch);
void MapPointBetweenWindows(HWND From, HWND To, TPoint& P);
void MapRectBetweenWindows(HWND From, HWND To, TRect& R);
// Drops each '&' and keeps the character after it ("&&" gives "&"); a lone '&' at the very end becomes '_'
// with ShowTrailingAmp, else it is dropped.
std::string StripAccelChars(const std::string& S, bool ShowTrailingAmp);
WORD ShiftStateToMouseKeyFlags(TShiftState Shift);
// The key as the editors see it: unchanged.
WORD MapEditorKey(WORD Key);

// ---------------------------------------------------------------------------------- popup-menu controller

// When one is registered, it is asked first to show a library control's context menu at a screen point;
// true when it did. Nothing in this program registers one.
class IuiPopupMenuController {
public:
    virtual bool ShowContextPopup(TWinControl* Control, TPoint ScreenPos) = 0;

protected:
    ~IuiPopupMenuController() = default;
};
IuiPopupMenuController* uiPopupMenuController();
void SetuiPopupMenuController(IuiPopupMenuController* Value);

// ---------------------------------------------------------------------------------- unit

// The two window messages the unit registers at start-up (0 before it).
UINT uiControlsMessage1();
UINT uiControlsMessage2();

// Start-up: clears the shutting-down state, sets the version flags, registers the two window messages and
// makes the system controller.
void uiControlsStartup();
// Shutdown: frees the controller, any tracking timers left, the settings controller, the timer window, the
// active-timer list and the shared message window, and forgets the popup-menu controller. Tracking timers left over are
// an error: everything is freed first, then an Exception "MouseTrackingTimerList.Count <> 0" is raised.
void uiControlsShutdown();
// Whether the unit is shutting down (or has shut down and not started again).
bool uiControlsFinalizing();

// Given a window, the window to treat as its owner (a popup's owner control for a window inside the popup);
// nullptr until a library installs one.
using TPopupOwnerLookup = HWND (*)(HWND Window);
extern TPopupOwnerLookup PopupOwnerLookup;

}  // namespace zel
