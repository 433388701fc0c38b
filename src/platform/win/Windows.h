#pragma once
// The window manager: window classes and windows, the message queue, input, focus and capture, timers and
// thread hooks, with the shapes and the message order of the Win32 user interface calls. Windows live in this
// layer; a visible top-level window shows itself through a Qt widget that never appears in this header.
// Everything runs on the program's main thread, except PostMessage and PostThreadMessage, which any thread
// may call.
#include <exception>
#include <functional>
#include <string>

#include "platform/win/Messages.h"
#include "platform/win/WinTypes.h"

namespace zel {

using WNDPROC = LRESULT (*)(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
using TIMERPROC = void (*)(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);
// A window procedure bound to an object: receives the message record and writes its Result.
using TWndMethod = std::function<void(TMessage&)>;

// Special window handles.
inline const HWND HWND_DESKTOP = nullptr;
inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(static_cast<std::intptr_t>(1));
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1));
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-2));
// As a parent: makes a message-only window. As a PeekMessage filter: only messages posted to the thread.
inline const HWND HWND_MESSAGE = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-3));
inline const HWND HWND_BROADCAST = reinterpret_cast<HWND>(static_cast<std::intptr_t>(0xFFFF));

struct WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    int cbClsExtra = 0;
    int cbWndExtra = 0;
    HINSTANCE hInstance = nullptr;
    HICON hIcon = nullptr;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = nullptr;  // a brush, or a system colour index + 1
    const char* lpszMenuName = nullptr;
    const char* lpszClassName = nullptr;
};

struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    HINSTANCE hInstance = nullptr;
    HMENU hMenu = nullptr;
    HWND hwndParent = nullptr;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    LONG style = 0;
    const char* lpszName = nullptr;
    const char* lpszClass = nullptr;
    DWORD dwExStyle = 0;
};

struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};

struct NCCALCSIZE_PARAMS {
    RECT rgrc[3];
    WINDOWPOS* lppos = nullptr;
};

struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

// Where a window lies when it is neither minimised nor maximised (its parent's client coordinates for a child),
// and how it is shown now.
struct WINDOWPLACEMENT {
    UINT length = sizeof(WINDOWPLACEMENT);
    UINT flags = 0;
    UINT showCmd = 0;
    POINT ptMinPosition{-1, -1};
    POINT ptMaxPosition{-1, -1};
    RECT rcNormalPosition;
};
constexpr UINT WPF_RESTORETOMAXIMIZED = 0x0002;

struct STYLESTRUCT {
    DWORD styleOld = 0;
    DWORD styleNew = 0;
};

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE;
    RECT rcPaint;
    BOOL fRestore = FALSE;
    BOOL fIncUpdate = FALSE;
    BYTE rgbReserved[32] = {};
};

// What a WH_CALLWNDPROC hook receives in lParam.
struct CWPSTRUCT {
    LPARAM lParam = 0;
    WPARAM wParam = 0;
    UINT message = 0;
    HWND hwnd = nullptr;
};

// What a WH_MOUSE hook receives in lParam (wParam is the mouse message).
struct MOUSEHOOKSTRUCT {
    POINT pt;
    HWND hwnd = nullptr;
    UINT wHitTestCode = 0;
    ULONG_PTR dwExtraInfo = 0;
};

struct TRACKMOUSEEVENT {
    DWORD cbSize = sizeof(TRACKMOUSEEVENT);
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = 0;
};

// ---- Exceptions -------------------------------------------------------------------------------------------
// Every delivery (a window procedure called by SendMessage or DispatchMessage, a timer, a hook) catches what
// its handler throws and hands it here; nothing reaches Qt. Without a handler the message goes to stderr.
void SetApplicationExceptionHandler(std::function<void(const std::exception&)> handler);
// Hands an exception to the application handler (what the deliveries do).
void HandleApplicationException(const std::exception& e);

// ---- Classes and windows ----------------------------------------------------------------------------------
ATOM RegisterClass(const WNDCLASS* wc);
BOOL GetClassInfo(HINSTANCE instance, const char* className, WNDCLASS* wc);
int GetClassName(HWND hwnd, char* buffer, int maxCount);
std::string GetClassName(HWND hwnd);
DWORD GetClassLong(HWND hwnd, int index);
LONG_PTR GetClassLongPtr(HWND hwnd, int index);
LONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value);

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
HWND CreateWindow(const char* className, const char* windowName, DWORD style, int x, int y, int width, int height,
                  HWND parent, HMENU menu, HINSTANCE instance, void* param);
// Destroys the window and its children and owned windows: WM_DESTROY to the window first and then down to
// its children, WM_NCDESTROY from the children up. Messages still queued for them are dropped.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
LONG GetWindowLong(HWND hwnd, int index);
LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Besides the usual defaults: an F1 key-down (without Ctrl) becomes WM_HELP to the same window, and WM_HELP
// goes on to the parent of a child window or the owner of a top-level one.
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- Help -------------------------------------------------------------------------------------------------
// What WM_HELP carries (lParam points to it for the time of the message).
constexpr int HELPINFO_WINDOW = 1, HELPINFO_MENUITEM = 2;
struct HELPINFO {
    UINT cbSize = sizeof(HELPINFO);
    int iContextType = HELPINFO_WINDOW;
    int iCtrlId = 0;
    HWND hItemHandle = nullptr;  // the window the request is for
    DWORD_PTR dwContextId = 0;   // that window's context help number
    POINT MousePos;              // screen coordinates
};
// The old help calls' command for a context number.
constexpr UINT HELP_CONTEXT = 0x0001;
// A window's context help number (0: none), which WM_HELP carries.
BOOL SetWindowContextHelpId(HWND hwnd, DWORD contextId);
DWORD GetWindowContextHelpId(HWND hwnd);

// A window procedure that calls an object's method. The returned value is a token for the window manager:
// store it in a class or with SetWindowLong(GWL_WNDPROC) and call it through CallWindowProc, never directly.
WNDPROC MakeObjectInstance(TWndMethod method);
void FreeObjectInstance(WNDPROC proc);

// Message-only windows: no widget, never visible; the method receives every message sent or posted to it
// (answer what it does not handle with DefWindowProc).
HWND AllocateHWnd(std::function<void(TMessage&)> wndMethod);
void DeallocateHWnd(HWND hwnd);

UINT RegisterWindowMessage(const char* name);

BOOL SetWindowText(HWND hwnd, const char* text);
int GetWindowText(HWND hwnd, char* buffer, int maxCount);
int GetWindowTextLength(HWND hwnd);

// ---- The window tree --------------------------------------------------------------------------------------
HWND GetParent(HWND hwnd);  // the parent of a child window, the owner of a popup
HWND SetParent(HWND child, HWND newParent);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetNextWindow(HWND hwnd, UINT relation);
HWND GetTopWindow(HWND hwnd);
// Counts the changes of a window's children (a child added or gone, their order changed): a list built from
// them is current while the count stays the same.
std::uint64_t ChildWindowsVersion(HWND parent);
// Counts the changes that can move a window or change what shows of it (a place, size, order, visibility,
// region, style or parent changed): what was worked out from the windows' places holds while it stays the same.
std::uint64_t WindowPlacingVersion();
BOOL IsChild(HWND parent, HWND hwnd);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsWindowEnabled(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
HWND GetDesktopWindow();
using WNDENUMPROC = std::function<BOOL(HWND)>;
BOOL EnumWindows(const WNDENUMPROC& proc);  // top-level windows, top of the z-order first

// ---- Geometry ---------------------------------------------------------------------------------------------
BOOL GetWindowRect(HWND hwnd, RECT* rect);  // screen coordinates
BOOL GetClientRect(HWND hwnd, RECT* rect);  // (0, 0, width, height) of the client area
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
HWND WindowFromPoint(POINT screenPoint);
HWND ChildWindowFromPointEx(HWND parent, POINT clientPoint, UINT flags);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL ShowWindow(HWND hwnd, int cmdShow);
BOOL BringWindowToTop(HWND hwnd);
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement);
// Sets a window's normal place: kept for its restore while it is minimised or maximised, else taken at once.
BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement);

// ---- Arranging a window's children ------------------------------------------------------------------------
// A minimised child is a caption bar SM_CXMINIMIZED x SM_CYMINIMIZED in a row along the bottom of its
// parent's client area, from the left; the rows stack upwards.
// Lines up the minimised children in those rows, in the order they lie there now; answers the height the rows
// take (0 when no child is minimised).
UINT ArrangeIconicWindows(HWND parent);
// Lays the given windows (every visible, not minimised child when kids is null) side by side over a rectangle
// of the parent's client area (all of it when rect is null): columns as equal as the count allows, none
// overlapping, none past the rectangle's edges. Answers how many were placed.
WORD TileWindows(HWND parent, UINT how, const RECT* rect, UINT count, const HWND* kids);
// Lays the given windows (as for TileWindows) one behind the other from the rectangle's top left, each a
// caption height to the right of and below the one behind it, the first of the list in front. Answers how many
// were placed.
WORD CascadeWindows(HWND parent, UINT how, const RECT* rect, UINT count, const HWND* kids);
// Takes ownership of the region (0 removes the region); the window keeps only its part inside it.
int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw);
// Copies the window region into rgn; answers the region's kind (ERROR = 0 when the window has none).
int GetWindowRgn(HWND hwnd, HRGN rgn);
BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags);
struct BLENDFUNCTION;  // Gdi.h
// The whole picture of a layered window from a 32-bit source DC (its premultiplied pixels at pptSrc, psize
// large), placed at pptDst when given. With ULW_ALPHA the window blends over what lies under it by each pixel's
// alpha, scaled by the blend's constant alpha; ULW_OPAQUE shows the pixels as they are. The window paints
// nothing itself meanwhile. Offered only where top-level windows really blend (IsEntryPointAvailable).
BOOL UpdateLayeredWindow(HWND hwnd, HDC hdcDst, const POINT* pptDst, const SIZE* psize, HDC hdcSrc, const POINT* pptSrc,
                         COLORREF crKey, const BLENDFUNCTION* pblend, DWORD dwFlags);

// ---- The message queue ------------------------------------------------------------------------------------
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Thread-safe; never blocks for long. A message for a window destroyed before delivery is dropped.
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Posts a message with no window (the thread id is ignored: the program has one message thread).
BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
DWORD GetCurrentThreadId();
void PostQuitMessage(int exitCode);
// Waits for a message, pumping Qt meanwhile. Answers FALSE for WM_QUIT.
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
BOOL WaitMessage();
DWORD GetMessagePos();
// Pumps Qt and dispatches every message already queued (posted, input, paint and timer messages that are due),
// then returns. A WM_QUIT met on the way stays queued.
void ProcessPendingMessages();
// Whether WM_QUIT was posted and not yet retrieved, and its exit code.
bool QuitPending(int* exitCode = nullptr);

// ---- Painting ---------------------------------------------------------------------------------------------
// Invalidation reaches the visible children under the area too unless the window has WS_CLIPCHILDREN
// (RedrawWindow: RDW_ALLCHILDREN always, RDW_NOCHILDREN never). WM_SETREDRAW(FALSE) holds back the painting of
// a window and its children until WM_SETREDRAW(TRUE); the update region is kept meanwhile.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags);
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
// DCs over the window's off-screen image, usable at any time; the widget shows the change afterwards.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags);
int ReleaseDC(HWND hwnd, HDC dc);
HWND WindowFromDC(HDC dc);
// One window at a time: it and its children are not painted and what is drawn on their DCs is dropped (except
// on a DCX_LOCKWINDOWUPDATE DC); unlocking (nullptr) repaints the window with its frame and children.
BOOL LockWindowUpdate(HWND hwnd);

// ---- Keyboard ---------------------------------------------------------------------------------------------
SHORT GetKeyState(int vk);       // as of the last input message taken from the queue
SHORT GetAsyncKeyState(int vk);  // as of now
BOOL GetKeyboardState(BYTE* keyState256);
BOOL SetKeyboardState(const BYTE* keyState256);
UINT MapVirtualKey(UINT code, UINT mapType);
// The key that types an ANSI character on the layer's keyboard: the virtual key in the low byte, the shift
// state in the high byte (1 Shift, 2 Ctrl, 4 Alt); -1 when no key types it.
SHORT VkKeyScan(char ch);
// The ANSI character that the key gives under keyState (US layout, as TranslateMessage): 1 with it in
// chars[0]; 0 for a key that gives none, a released key (scan code bit 15) or one outside Windows-1252.
int ToAscii(UINT vk, UINT scanCode, const BYTE* keyState, WORD* chars, UINT flags);
// Input as if from the hardware: queued, then routed to the focus or the window under the mouse when taken.
void keybd_event(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR extraInfo);
void mouse_event(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extraInfo);

// ---- Mouse and cursors ------------------------------------------------------------------------------------
// The caret: one per program, owned by a window. Its picture is the window's own drawing; the layer keeps where
// it is so that others can ask (a context menu opened from the keyboard goes there).
BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
// Nothing when the caret is not this thread's (FALSE).
BOOL DestroyCaret();
BOOL SetCaretPos(int x, int y);
// Client coordinates of the owner; FALSE without a caret.
BOOL GetCaretPos(POINT* point);
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
// The window that owns the caret, nullptr when none does (the hwndCaret of the thread's GUI information).
HWND GetCaretWindow();
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);  // moves the mouse there (a mouse move is queued)
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
HCURSOR LoadCursor(HINSTANCE instance, int cursorId);
// A cursor from two monochrome planes, rows padded to 16 bits: AND 0 / XOR 0 black, 0 / 1 white, 1 / 0 the
// screen, 1 / 1 the screen inverted. Free it with DestroyCursor.
HCURSOR CreateCursor(HINSTANCE instance, int xHotSpot, int yHotSpot, int width, int height, const void* andPlane,
                     const void* xorPlane);
BOOL DestroyCursor(HCURSOR cursor);
// The program's named cursor resources: registered at start-up (the planes as for CreateCursor), then loaded by
// name, case-insensitively; every load answers the same handle, which lives as long as the program.
BOOL RegisterCursorResource(const char* name, int xHotSpot, int yHotSpot, int width, int height, const void* andPlane,
                            const void* xorPlane);
HCURSOR LoadCursor(HINSTANCE instance, const char* name);
struct ICONINFO {
    BOOL fIcon = FALSE;
    DWORD xHotspot = 0;
    DWORD yHotspot = 0;
    HBITMAP hbmMask = nullptr;   // the caller deletes both bitmaps
    HBITMAP hbmColor = nullptr;  // none for a cursor made of planes
};
// For a cursor made by CreateCursor (or a named cursor resource): its hot spot and one monochrome mask twice
// as high as the cursor, the AND plane above the XOR plane. FALSE for the standard cursors.
BOOL GetIconInfo(HICON icon, ICONINFO* info);
// TME_LEAVE posts WM_MOUSELEAVE once the mouse leaves; TME_HOVER posts WM_MOUSEHOVER once it has rested for the
// hover time (HOVER_DEFAULT: the system's, SPI_GETMOUSEHOVERTIME) on the clock service. Both end when they fire.
BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme);
UINT GetDoubleClickTime();
BOOL SwapMouseButton(BOOL swap);

// ---- Focus, activation, capture ---------------------------------------------------------------------------
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
// Takes the mouse for the window and follows it from the screen point where the left button went down: TRUE
// once the pointer leaves the drag rectangle (SM_CXDRAG by SM_CYDRAG, centred on the point), FALSE when the
// button comes up, Esc is pressed or the capture goes first. Only mouse and key messages are taken.
BOOL DragDetect(HWND hwnd, POINT pt);
// A modal loop is about to show its window, as Windows does when a message box or dialog starts: the window
// holding the capture hears WM_CANCELMODE (a pressed button comes up), the capture goes and no pointer grab
// stays on the program's windows, so that the modal window takes the mouse.
void CancelModeForModalLoop();

// ---- Timers -----------------------------------------------------------------------------------------------
// On the clock service: with a window, WM_TIMER (wParam id, lParam the callback) is queued when due and
// coalesced per window and id; without a window, the id is made up and the callback runs when the message is
// dispatched.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// ---- Thread hooks -----------------------------------------------------------------------------------------
// WH_KEYBOARD and WH_MOUSE run when an input message is taken from the queue (a non-zero answer discards it),
// WH_GETMESSAGE on every message GetMessage/PeekMessage returns (it may rewrite the MSG, e.g. to WM_NULL),
// WH_CALLWNDPROC before every window procedure call made by SendMessage. The hook installed last runs first.
HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId);
// The same with a closure, for objects that hook.
HHOOK SetWindowsHookEx(int idHook, std::function<LRESULT(int, WPARAM, LPARAM)> proc);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// ---- System broadcasts ------------------------------------------------------------------------------------
// Sends the message to every top-level and message-only window (what the layer does when Qt reports a change
// of colours, settings, theme or display).
void BroadcastSystemMessage(UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace zel
