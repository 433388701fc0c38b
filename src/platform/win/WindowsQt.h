#pragma once
// Private state of the window manager, shared by its source files. Only the platform layer includes this.
#include <QCursor>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/win/Windows.h"

namespace zel {

class TWindowWidget;

struct TWindowClass {
    std::string name;
    WNDCLASS wc;
    std::vector<LONG_PTR> extra;
};

// One window. Child windows are drawn by the layer into their top-level window's widget; only windows at the
// top of the tree (no parent) own a widget.
struct TWnd {
    HWND handle = nullptr;
    std::shared_ptr<TWindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    std::vector<LONG_PTR> extra;
    HWND parent = nullptr;  // nullptr: the desktop
    HWND owner = nullptr;
    // How many windows this one owns: a window that owns none is destroyed without a search for them.
    std::size_t ownedWindows = 0;
    DWORD contextHelpId = 0;
    bool messageOnly = false;
    std::vector<HWND> children;  // the top of the z-order first
    // Counts the changes of children (a window added or gone, the order changed), so that a list built from
    // them can tell that it is still current.
    std::uint64_t childrenVersion = 0;
    // Where the window was last found among its siblings: GetWindow's walks start from it.
    std::size_t siblingIndex = 0;
    // Whether a sibling above covers the whole window, as last worked out, and the placing epoch (see
    // TWinState::placingEpoch) it was worked out in.
    bool underSibling = false;
    std::uint64_t underSiblingEpoch = 0;
    RECT rect;    // parent client coordinates (screen coordinates at the top)
    RECT client;  // window coordinates: the client area inside the window rectangle
    std::string text;
    QRegion update;  // client coordinates
    bool updateErase = false;
    bool internalPaint = false;
    bool ncDirty = false;
    bool redrawOff = false;
    std::unique_ptr<QImage> image;  // the whole window, non-client area included
    QPointer<TWindowWidget> widget;
    HRGN region = nullptr;  // window coordinates; owned
    QRegion regionQ;        // the same, for hit-testing and drawing
    BYTE alpha = 255;
    COLORREF colorKey = 0;
    DWORD layeredFlags = 0;
    bool destroying = false;
    bool createDone = false;
    bool minimized = false;
    bool maximized = false;
    HICON smallIcon = nullptr;  // WM_SETICON
    HICON bigIcon = nullptr;
    bool trackLeave = false;
    bool trackLeaveNC = false;
    bool mouseInside = false;
    RECT restoreRect;               // the normal place of a maximised or minimised window, from before it left it
    bool restoreMaximized = false;  // minimised from the maximised state: restoring maximises it again
    bool shownNoActivate = false;   // shown without activation: the desktop may not activate it either
    // The caption is drawn active: the state the last WM_NCACTIVATE that reached the default handling gave.
    // A top-level window hears it when it is activated or deactivated, a multiple-document child when it
    // becomes or stops being the active child of an active frame.
    bool ncActive = false;
    // TrackMouseEvent(TME_HOVER): the clock timer that posts WM_MOUSEHOVER, the hover time and the rectangle
    // (screen coordinates) the mouse may move in without starting the time again.
    int hoverTimer = 0;
    DWORD hoverTime = 0;
    bool hoverNC = false;
    RECT hoverRect;
};

// An input event as the hardware (or Qt) gave it; it becomes a window message when it is taken from the queue.
struct TRawInput {
    bool mouse = false;
    UINT kind = 0;  // the client mouse message (WM_MOUSEMOVE, WM_LBUTTONDOWN...) or WM_KEYDOWN / WM_KEYUP
    POINT pt;       // screen
    int wheel = 0;
    WPARAM keys = 0;    // MK_* flags as they were when the event happened
    bool alt = false;   // Alt held (keyboard)
    bool ctrl = false;  // Ctrl held (keyboard)
    BYTE vk = 0;
    BYTE scan = 0;
    bool extended = false;
    bool repeat = false;
    std::u32string text;  // characters the key produced, when known
    DWORD time = 0;
    ULONG_PTR extra = 0;
};

struct TTimerMsg {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    TIMERPROC proc = nullptr;
};

struct THookObject {
    int idHook = 0;
    HOOKPROC proc = nullptr;
    std::function<LRESULT(int, WPARAM, LPARAM)> fn;
    bool removed = false;
    int running = 0;
};

struct TWinState {
    std::unordered_map<HWND, std::unique_ptr<TWnd>> windows;
    std::uintptr_t nextId = 0;
    std::vector<HWND> topLevels;  // visible order: the top first; topmost windows come before the others
    std::vector<HWND> messageWindows;
    // Counts the changes that can move one window over or off another (a place, size, order, visibility,
    // region, style or parent changed, a window gone), so that what was worked out about covering can tell
    // that it still holds. A change while a window waits to paint under a sibling wakes the loop to look again.
    std::uint64_t placingEpoch = 1;
    bool paintWaitsUnderSibling = false;
    std::map<std::string, std::shared_ptr<TWindowClass>> classes;  // by lower-case name
    std::map<std::string, UINT> registeredMessages;
    UINT nextRegisteredMessage = 0xC000;

    // Posted messages: the one part any thread touches, under the mutex.
    std::mutex postMutex;
    std::deque<MSG> posted;
    std::unordered_set<HWND> live;  // windows that accept posted messages
    bool quitPosted = false;
    int quitCode = 0;
    std::atomic<bool> wakePending{false};

    std::deque<TRawInput> input;
    std::deque<TTimerMsg> timerQueue;  // due timers, in firing order, one per window and id
    int pumpDepth = 0;
    MSG lastMsg;        // GetMessagePos
    TRawInput lastKey;  // the key message taken last, for TranslateMessage
    MSG lastKeyMsg;

    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    bool appActive = false;
    POINT cursorPos;
    HWND lastMouseWindow = nullptr;
    BYTE keyState[256] = {};
    BYTE asyncKeyState[256] = {};
    HCURSOR cursor = nullptr;
    UINT doubleClickTime = 500;
    // The last button press, for double-click detection.
    UINT lastClickMsg = 0;
    HWND lastClickWnd = nullptr;
    DWORD lastClickTime = 0;
    POINT lastClickPt;
    bool swapButtons = false;

    HWND moveSizeWnd = nullptr;  // the window whose move or size loop runs: keys with no focus go to it
    HWND lockedWnd = nullptr;    // LockWindowUpdate
    HWND grabbedTop = nullptr;   // the top-level window whose widget grabs the pointer for the capture

    std::vector<THookObject*> hooks;  // installed order; the last installed runs first
    std::function<void(const std::exception&)> exceptionHandler;
    bool inBroadcast = false;
};

TWinState& WinState();
// A change that can move one window over or off another: what was worked out about covering is stale.
void NotePlacingChanged();
// Whether a visible sibling above the child window covers all of it (a window at the top never is).
bool UnderSibling(TWnd* w);
// Whether SwapMouseButton swapped the primary and secondary buttons (SM_SWAPBUTTON).
bool MouseButtonsSwapped();
TWnd* FindWnd(HWND hwnd);
// The system menu of a window that goes is freed with it.
void ForgetSystemMenu(HWND hwnd);
// The widths of a window's frame, edge and caption on each side, as the default non-client handling draws them.
RECT NonClientInsets(const TWnd* w);
// The window's top-level ancestor (itself at the top); nullptr for an invalid handle.
TWnd* TopOf(TWnd* w);
// Screen position of the window's top-left corner.
POINT WindowScreenOrigin(const TWnd* w);
// The far end of a span that starts at start: start + extent, held inside what a coordinate can be, so that
// a place and size near the ends of the range never overflow.
inline LONG SpanEnd(long long start, long long extent) {
    const long long end = start + extent;
    return static_cast<LONG>(end < INT32_MIN ? INT32_MIN : end > INT32_MAX ? INT32_MAX : end);
}
POINT ClientScreenOrigin(const TWnd* w);
bool IsVisibleTree(const TWnd* w);  // visible with every ancestor visible
bool IsEnabledTree(const TWnd* w);

// Runs fn; hands what it throws to the application handler.
template <class F>
void Guarded(F&& fn) {
    try {
        fn();
    } catch (const std::exception& e) {
        HandleApplicationException(e);
    } catch (...) {
        HandleApplicationException(std::runtime_error("Unknown exception"));
    }
}

// Queue internals.
void EnsureWindowSystem();  // the Qt application and the dispatcher
void WakeEventLoop();
void QueueInput(TRawInput in);
bool RetrieveMessage(MSG* msg, HWND hwnd, UINT fmin, UINT fmax, UINT flags);
void NoteWindowGone(HWND hwnd);  // drops its posted messages, timers, paint
LRESULT CallProcedure(TWnd* w, WNDPROC proc, UINT msg, WPARAM wp, LPARAM lp);
LRESULT DeliverSent(TWnd* w, UINT msg, WPARAM wp, LPARAM lp);
void RemoveWindowTimers(HWND hwnd);
// Posts a message that belongs to the message being handled (TranslateMessage's characters): it is delivered in
// the same ProcessPendingMessages pass.
void PostFollowUp(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
// Queues a message that the desktop sends to a window (a system command from its title bar or task bar): the
// next look into the queue delivers it as a sent message, the call-window-procedure hooks first, before any
// posted message, and never returns it to the caller. The same message already waiting is not queued again.
void SendFromDesktop(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// Hooks.
bool HasHooks(int idHook);
LRESULT RunHooks(int idHook, int code, WPARAM wp, LPARAM lp);

// Input.
bool ConvertInput(const TRawInput& in, MSG* out, bool remove, bool* eaten);
void ForgetWindowInput(HWND hwnd);
void UpdateMouseTracking(HWND under, bool client);
void MouseLeftAllWindows();
// Records a key or button as the hardware reports it (the asynchronous key state).
void NoteAsyncKey(BYTE vk, bool down);
WPARAM CurrentMouseKeys();

// Geometry and painting.
void RecalcClient(TWnd* w);
// A minimised child's place in its parent's client area: the place of an icon slot, the first slot that no
// other minimised child takes, and the next cascade place of a child made at CW_USEDEFAULT.
POINT IconSlotPlace(HWND parent, int slot);
POINT FreeIconPlace(HWND parent, HWND except);
POINT DefaultChildPlace(HWND parent, int width, int height);
void EnsureImage(TWnd* w);
// Keeps the DCs fetched for a window drawing on it after its image was made anew or its client area moved
// within the frame: on the current image, over the current client area (or the whole window).
void RetargetWindowDCs(TWnd* w);
// The top-level window's widget repaints on the screen: as a whole (the window moved, was shown or hidden, its
// frame changed), or only where the window drew (area in the window's own coordinates).
void ScheduleWidgetUpdate(TWnd* w);
void ScheduleWidgetUpdate(TWnd* w, const QRegion& area);
// What the DCs that windows hold on to drew since the last call goes to the screen (a canvas keeps its DC
// across many drawings); called before the toolkit paints.
void ShowHeldDCDrawing();
void SyncWidget(TWnd* w);
// A layered top-level window whose LWA_COLORKEY leaves the pixels of its key colour out.
bool UsesColorKey(const TWnd* w);
// Makes the pixels of the key colour (00BBGGRR) fully transparent.
void KeyOutColor(QImage& image, COLORREF key);
// The toolkit's stacking of top-level windows follows the layer's order from the window up.
void RestackWidgets(TWnd* w);
void CreateWidget(TWnd* w);
void DestroyWidget(TWnd* w);
LRESULT DefaultHitTest(TWnd* w, POINT screen);
void DefaultNcPaint(TWnd* w);
void RunMoveSizeLoop(TWnd* w, WPARAM cmd, POINT start);
HWND DeepestWindowAt(POINT screen, bool forInput);
// The window that takes a point: the deepest one that does not answer WM_NCHITTEST with HTTRANSPARENT, which
// passes the point to the parent, or from a top-level window to the windows below it; its answer in hitOut.
HWND HitWindowAt(POINT screen, LRESULT* hitOut);
QRegion RegionOf(HRGN rgn);  // best effort: the region's bounding box

// Whether painting of the window is held back: WM_SETREDRAW(FALSE) on it or an ancestor, or LockWindowUpdate
// on it or an ancestor.
bool RedrawSuspended(const TWnd* w);
// The pointer grab follows the capture: the capture's top-level widget grabs the mouse (none without capture).
void SyncPointerGrab();
// The Qt cursor of a cursor handle (a standard cursor id or one made by CreateCursor).
QCursor QtCursorOf(HCURSOR cursor);
// Hover tracking: a mouse move restarts the hover time of tracked windows (in the hover rectangle it does not).
void UpdateHoverTracking(HWND under, POINT screen, bool client);
void CancelHover(TWnd* w);

// For tests: the widget that shows a top-level window (nullptr for children and message-only windows).
QWidget* WindowWidgetForTest(HWND hwnd);

// Activation (activate: set the active top-level window; clicked: WA_CLICKACTIVE).
void ActivateWindow(HWND top, bool clicked);
void SetApplicationActive(bool active);

}  // namespace zel
