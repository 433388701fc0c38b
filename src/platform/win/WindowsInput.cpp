// Input: hardware events become window messages when taken from the queue (hit-testing, hooks, mouse
// activation, cursor shape, double clicks, mouse-leave tracking); keyboard state; focus, activation, capture.
#include <algorithm>
#include <cstdlib>

#include "platform/rtl/Charset.h"
#include "platform/rtl/Clock.h"
#include "platform/win/SysInfo.h"
#include "platform/win/WindowsQt.h"

namespace zel {

namespace {

std::vector<HWND>& Tracked() {
    static auto* v = new std::vector<HWND>;
    return *v;
}

bool IsDownKind(UINT m) { return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN; }

BYTE ButtonVk(UINT m) {
    switch (m) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: return VK_LBUTTON;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: return VK_RBUTTON;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP: return VK_MBUTTON;
        default: return 0;
    }
}

bool Activatable(const TWnd* top) {
    return top && !top->messageOnly && !(top->style & WS_CHILD) && !(top->exStyle & WS_EX_NOACTIVATE) &&
           !(top->style & WS_DISABLED);
}

LPARAM KeyLParam(const TRawInput& in, bool up) {
    DWORD lp = 1;
    lp |= static_cast<DWORD>(in.scan) << 16;
    if (in.extended) lp |= 1u << 24;
    if (in.alt) lp |= 1u << 29;
    if (up || in.repeat) lp |= 1u << 30;
    if (up) lp |= 1u << 31;
    return static_cast<LPARAM>(lp);
}

void SetKey(BYTE* table, BYTE vk, bool down) {
    if (down) {
        if (!(table[vk] & 0x80)) table[vk] ^= 0x01;  // toggle on each fresh press
        table[vk] |= 0x80;
    } else {
        table[vk] &= static_cast<BYTE>(~0x80);
    }
}

void SetKeyWithSides(BYTE* table, BYTE vk, bool down, bool extended) {
    SetKey(table, vk, down);
    switch (vk) {
        case VK_SHIFT: SetKey(table, VK_LSHIFT, down); break;
        case VK_CONTROL: SetKey(table, extended ? VK_RCONTROL : VK_LCONTROL, down); break;
        case VK_MENU: SetKey(table, extended ? VK_RMENU : VK_LMENU, down); break;
        default: break;
    }
}

// The character a key gives with the US layout, for keys that came without text (keybd_event).
char32_t KeyChar(BYTE vk, const BYTE* ks) {
    bool shift = (ks[VK_SHIFT] & 0x80) != 0;
    bool ctrl = (ks[VK_CONTROL] & 0x80) != 0;
    bool caps = (ks[VK_CAPITAL] & 0x01) != 0;
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl) return static_cast<char32_t>(vk - 'A' + 1);
        return (shift != caps) ? vk : static_cast<char32_t>(vk + 32);
    }
    if (ctrl) return 0;
    if (vk >= '0' && vk <= '9') {
        static const char shifted[] = ")!@#$%^&*(";
        return shift ? static_cast<char32_t>(shifted[vk - '0']) : vk;
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<char32_t>('0' + vk - VK_NUMPAD0);
    switch (vk) {
        case VK_SPACE: return U' ';
        case VK_RETURN: return U'\r';
        case VK_TAB: return U'\t';
        case VK_BACK: return 8;
        case VK_ESCAPE: return 27;
        case VK_MULTIPLY: return U'*';
        case VK_ADD: return U'+';
        case VK_SUBTRACT: return U'-';
        case VK_DECIMAL: return U'.';
        case VK_DIVIDE: return U'/';
        case VK_OEM_1: return shift ? U':' : U';';
        case VK_OEM_PLUS: return shift ? U'+' : U'=';
        case VK_OEM_COMMA: return shift ? U'<' : U',';
        case VK_OEM_MINUS: return shift ? U'_' : U'-';
        case VK_OEM_PERIOD: return shift ? U'>' : U'.';
        case VK_OEM_2: return shift ? U'?' : U'/';
        case VK_OEM_3: return shift ? U'~' : U'`';
        case VK_OEM_4: return shift ? U'{' : U'[';
        case VK_OEM_5: return shift ? U'|' : U'\\';
        case VK_OEM_6: return shift ? U'}' : U']';
        case VK_OEM_7: return shift ? U'"' : U'\'';
        default: return 0;
    }
}

}  // namespace

// ---- Queueing ---------------------------------------------------------------------------------------------

void NoteAsyncKey(BYTE vk, bool down) { SetKey(WinState().asyncKeyState, vk, down); }

WPARAM CurrentMouseKeys() {
    const BYTE* ks = WinState().asyncKeyState;
    WPARAM k = 0;
    if (ks[VK_LBUTTON] & 0x80) k |= MK_LBUTTON;
    if (ks[VK_RBUTTON] & 0x80) k |= MK_RBUTTON;
    if (ks[VK_MBUTTON] & 0x80) k |= MK_MBUTTON;
    if (ks[VK_SHIFT] & 0x80) k |= MK_SHIFT;
    if (ks[VK_CONTROL] & 0x80) k |= MK_CONTROL;
    return k;
}

void QueueInput(TRawInput in) {
    EnsureWindowSystem();
    auto& st = WinState();
    if (!in.time) in.time = static_cast<DWORD>(GetTickCount());
    // Consecutive mouse moves fold into the last one, as the hardware queue does.
    if (in.mouse && in.kind == WM_MOUSEMOVE && !st.input.empty() && st.input.back().mouse &&
        st.input.back().kind == WM_MOUSEMOVE && st.input.back().keys == in.keys)
        st.input.back() = in;
    else st.input.push_back(std::move(in));
    WakeEventLoop();
}

void ForgetWindowInput(HWND hwnd) {
    std::erase(Tracked(), hwnd);
    if (TWnd* w = FindWnd(hwnd)) CancelHover(w);
}

// ---- From event to message --------------------------------------------------------------------------------

namespace {

// A composition the input method committed reaches the focus window as WM_IME_STARTCOMPOSITION, then
// WM_IME_COMPOSITION with its result, one WM_IME_CHAR per character (its UTF-16 code) and
// WM_IME_ENDCOMPOSITION. Without a focus window nobody hears it.
bool ConvertComposition(const TRawInput& in, HWND target, MSG* out, bool remove) {
    if (!target) return false;
    *out = MSG{};
    out->hwnd = target;
    out->message = WM_IME_STARTCOMPOSITION;
    out->time = in.time;
    out->pt = WinState().cursorPos;
    if (remove) {
        constexpr LPARAM resultString = 0x0800;
        const char32_t last = in.text.empty() ? 0 : in.text.back();
        PostFollowUp(target, WM_IME_COMPOSITION, last, resultString);
        for (char32_t c : in.text)
            if (c <= 0xFFFF) PostFollowUp(target, WM_IME_CHAR, c, 1);
        PostFollowUp(target, WM_IME_ENDCOMPOSITION, 0, 0);
    }
    return true;
}

}  // namespace

namespace {

// Mouse input over a disabled window (a modal dialog's owner) reaches no window procedure, but the mouse
// hooks see it first, as on Windows: at the outermost disabled window, with the non-client message and the
// hit code HTERROR. The button state follows the event; the cursor is asked about; the event leaves the
// queue whether or not a hook took it.
bool DisabledWindowInput(const TRawInput& in, HWND target, bool* eaten) {
    auto& st = WinState();
    TWnd* disabled = nullptr;
    for (TWnd* w = FindWnd(target); w != nullptr; w = w->parent ? FindWnd(w->parent) : nullptr)
        if (w->style & WS_DISABLED) disabled = w;
    if (BYTE vk = ButtonVk(in.kind))
        SetKey(st.keyState, st.swapButtons && vk != VK_MBUTTON ? (vk == VK_LBUTTON ? VK_RBUTTON : VK_LBUTTON) : vk,
               IsDownKind(in.kind));
    if (disabled != nullptr && HasHooks(WH_MOUSE)) {
        MOUSEHOOKSTRUCT mh;
        mh.pt = in.pt;
        mh.hwnd = disabled->handle;
        mh.wHitTestCode = static_cast<UINT>(HTERROR);
        mh.dwExtraInfo = in.extra;
        const UINT msg = in.kind - (WM_MOUSEMOVE - WM_NCMOUSEMOVE);
        if (RunHooks(WH_MOUSE, HC_ACTION, msg, reinterpret_cast<LPARAM>(&mh)) != 0) {
            *eaten = true;
            return false;
        }
    }
    if (in.kind != WM_MOUSEMOVE && FindWnd(target))
        SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                    MAKELPARAM(static_cast<WORD>(HTERROR), static_cast<WORD>(in.kind)));
    return false;
}

}  // namespace

bool ConvertInput(const TRawInput& in, MSG* out, bool remove, bool* eaten) {
    auto& st = WinState();
    *eaten = false;
    if (!in.mouse && in.kind == WM_IME_COMPOSITION)
        return ConvertComposition(in, FindWnd(st.focus) ? st.focus : nullptr, out, remove);
    if (!in.mouse) {
        HWND target = st.focus;
        bool sys = false;
        if (!FindWnd(target)) {
            target = FindWnd(st.active) ? st.active : nullptr;
            // A move or size loop of a window that is not active still hears its keys (Escape cancels it).
            if (!target && FindWnd(st.moveSizeWnd)) target = st.moveSizeWnd;
            sys = true;  // keys with no focus go to the active window as system keys
        }
        bool down = in.kind == WM_KEYDOWN;
        if (!target) {
            // Nobody hears the key and it leaves the queue; the key state still follows it, so that a release
            // after the last window went (a short-cut that closed it) does not leave the key held.
            SetKeyWithSides(st.keyState, in.vk, down, in.extended);
            return false;
        }
        if ((in.alt && !in.ctrl) || in.vk == VK_F10 || (in.vk == VK_MENU && !in.ctrl)) sys = true;
        UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
        LPARAM lp = KeyLParam(in, !down);
        out->hwnd = target;
        out->message = msg;
        out->wParam = in.vk;
        out->lParam = lp;
        out->time = in.time;
        out->pt = st.cursorPos;
        if (remove) {
            SetKeyWithSides(st.keyState, in.vk, down, in.extended);
            if (HasHooks(WH_KEYBOARD) && RunHooks(WH_KEYBOARD, HC_ACTION, in.vk, lp) != 0) {
                *eaten = true;
                return true;
            }
            st.lastKey = in;
            st.lastKeyMsg = *out;
        } else if (HasHooks(WH_KEYBOARD) && RunHooks(WH_KEYBOARD, HC_NOREMOVE, in.vk, lp) != 0) {
            *eaten = true;
        }
        return true;
    }

    // Mouse: the capture takes everything in client coordinates; otherwise the window under the point answers
    // WM_NCHITTEST.
    HWND target = nullptr;
    LRESULT hit = HTCLIENT;
    UINT kind = in.kind;
    if (kind == WM_MOUSEWHEEL) {
        target = FindWnd(st.focus) ? st.focus : (FindWnd(st.active) ? st.active : nullptr);
        if (!target) return false;
        out->hwnd = target;
        out->message = WM_MOUSEWHEEL;
        out->wParam = MAKEWPARAM(static_cast<WORD>(in.keys), static_cast<WORD>(static_cast<SHORT>(in.wheel)));
        out->lParam = MAKELPARAM(static_cast<WORD>(in.pt.x), static_cast<WORD>(in.pt.y));
        out->time = in.time;
        out->pt = in.pt;
    } else {
        if (FindWnd(st.capture)) {
            target = st.capture;
        } else {
            target = HitWindowAt(in.pt, &hit);
            if (!target || hit == HTNOWHERE) {
                if (remove) MouseLeftAllWindows();
                return false;
            }
            TWnd* tw = FindWnd(target);
            if (!IsEnabledTree(tw)) return DisabledWindowInput(in, target, eaten);
        }
        TWnd* tw = FindWnd(target);
        bool client = hit == HTCLIENT;
        UINT msg = client ? kind : kind - (WM_MOUSEMOVE - WM_NCMOUSEMOVE);
        if (IsDownKind(kind)) {
            bool wantsDbl = !client || (tw->cls->wc.style & CS_DBLCLKS);
            int cx = std::max(1, GetSystemMetrics(SM_CXDOUBLECLK)) / 2,
                cy = std::max(1, GetSystemMetrics(SM_CYDOUBLECLK)) / 2;
            if (wantsDbl && st.lastClickMsg == kind && st.lastClickWnd == target &&
                in.time - st.lastClickTime <= st.doubleClickTime && std::abs(in.pt.x - st.lastClickPt.x) <= cx &&
                std::abs(in.pt.y - st.lastClickPt.y) <= cy) {
                msg += 2;  // WM_xBUTTONDOWN + 2 = WM_xBUTTONDBLCLK
                if (remove) st.lastClickMsg = 0;
            } else if (remove) {
                st.lastClickMsg = kind;
                st.lastClickWnd = target;
                st.lastClickTime = in.time;
                st.lastClickPt = in.pt;
            }
        }
        out->hwnd = target;
        out->message = msg;
        if (client) {
            POINT c = ClientScreenOrigin(tw);
            out->wParam = in.keys;
            out->lParam = MAKELPARAM(static_cast<WORD>(in.pt.x - c.x), static_cast<WORD>(in.pt.y - c.y));
        } else {
            out->wParam = static_cast<WPARAM>(hit);
            out->lParam = MAKELPARAM(static_cast<WORD>(in.pt.x), static_cast<WORD>(in.pt.y));
        }
        out->time = in.time;
        out->pt = in.pt;
    }

    MOUSEHOOKSTRUCT mh;
    mh.pt = in.pt;
    mh.hwnd = target;
    mh.wHitTestCode = static_cast<UINT>(hit);
    mh.dwExtraInfo = in.extra;
    if (!remove) {
        if (HasHooks(WH_MOUSE) && RunHooks(WH_MOUSE, HC_NOREMOVE, out->message, reinterpret_cast<LPARAM>(&mh)) != 0)
            *eaten = true;
        return true;
    }
    if (BYTE vk = ButtonVk(kind))
        SetKey(st.keyState, st.swapButtons && vk != VK_MBUTTON ? (vk == VK_LBUTTON ? VK_RBUTTON : VK_LBUTTON) : vk,
               IsDownKind(kind));
    if (HasHooks(WH_MOUSE) && RunHooks(WH_MOUSE, HC_ACTION, out->message, reinterpret_cast<LPARAM>(&mh)) != 0) {
        *eaten = true;
        return true;
    }
    if (!FindWnd(target)) return false;
    bool captured = FindWnd(st.capture) != nullptr;
    if (kind != WM_MOUSEWHEEL) {
        UpdateMouseTracking(target, hit == HTCLIENT);
        if (FindWnd(target)) UpdateHoverTracking(target, in.pt, hit == HTCLIENT);
    }
    if (!FindWnd(target)) return false;
    if (IsDownKind(kind) && !captured) {
        TWnd* top = TopOf(FindWnd(target));
        if (top && top->handle != st.active && Activatable(top)) {
            LRESULT ma = SendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->handle),
                                     MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(kind)));
            if (ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT || ma == 0) ActivateWindow(top->handle, true);
            if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT) {
                *eaten = true;
                return true;
            }
        }
    }
    if (!captured && kind != WM_MOUSEWHEEL && FindWnd(target))
        SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                    MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(kind)));
    return FindWnd(target) != nullptr;
}

// ---- Mouse-leave tracking ---------------------------------------------------------------------------------

void UpdateMouseTracking(HWND under, bool client) {
    auto& st = WinState();
    st.lastMouseWindow = under;
    auto& tracked = Tracked();
    for (std::size_t i = 0; i < tracked.size();) {
        HWND h = tracked[i];
        TWnd* w = FindWnd(h);
        if (!w) {
            tracked.erase(tracked.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        bool stillIn = h == under && (w->trackLeaveNC ? !client : client);
        if (!stillIn) {
            bool nc = w->trackLeaveNC;
            w->trackLeave = w->trackLeaveNC = false;
            tracked.erase(tracked.begin() + static_cast<std::ptrdiff_t>(i));
            PostMessage(h, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
            continue;
        }
        ++i;
    }
}

void MouseLeftAllWindows() {
    UpdateMouseTracking(nullptr, false);
    UpdateHoverTracking(nullptr, POINT{}, false);
}

// ---- Hover tracking ---------------------------------------------------------------------------------------

namespace {

std::vector<HWND>& HoverTracked() {
    static auto* v = new std::vector<HWND>;
    return *v;
}

constexpr UINT kSpiGetMouseHoverTime = 0x0066;
constexpr int kHoverRectSize = 4;  // the square the mouse may wander in while the hover time runs

DWORD SystemHoverTime() {
    UINT ms = 0;
    if (!SystemParametersInfo(kSpiGetMouseHoverTime, 0, &ms, 0) || ms == 0) ms = 400;
    return ms;
}

void HoverDue(HWND hwnd);

void StartHoverTime(TWnd* w, POINT screen) {
    if (w->hoverTimer) ClockTimers().Remove(w->hoverTimer);
    w->hoverRect = RECT{screen.x - kHoverRectSize / 2, screen.y - kHoverRectSize / 2, screen.x + kHoverRectSize / 2,
                        screen.y + kHoverRectSize / 2};
    HWND h = w->handle;
    w->hoverTimer = ClockTimers().Add(w->hoverTime, false, [h] { HoverDue(h); });
}

// The mouse rested long enough: one WM_MOUSEHOVER (client coordinates, key flags) or WM_NCMOUSEHOVER (screen
// coordinates, hit-test code), and the hover tracking ends.
void HoverDue(HWND hwnd) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return;
    w->hoverTimer = 0;
    bool nc = w->hoverNC;
    CancelHover(w);
    POINT p = WinState().cursorPos;
    if (nc) {
        LRESULT hit = SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
        PostMessage(hwnd, WM_NCMOUSEHOVER, static_cast<WPARAM>(hit),
                    MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
    } else {
        POINT c = ClientScreenOrigin(w);
        PostMessage(hwnd, WM_MOUSEHOVER, CurrentMouseKeys(),
                    MAKELPARAM(static_cast<WORD>(p.x - c.x), static_cast<WORD>(p.y - c.y)));
    }
}

}  // namespace

void CancelHover(TWnd* w) {
    if (w->hoverTimer) ClockTimers().Remove(w->hoverTimer);
    w->hoverTimer = 0;
    w->hoverTime = 0;
    std::erase(HoverTracked(), w->handle);
}

void UpdateHoverTracking(HWND under, POINT screen, bool client) {
    auto& list = HoverTracked();
    for (HWND h : std::vector<HWND>(list)) {
        TWnd* w = FindWnd(h);
        if (!w) {
            std::erase(list, h);
            continue;
        }
        if (h != under || w->hoverNC == client) {
            CancelHover(w);  // left the window (or the tracked area): no hover
            continue;
        }
        const RECT& r = w->hoverRect;
        if (screen.x < r.left || screen.x >= r.right || screen.y < r.top || screen.y >= r.bottom)
            StartHoverTime(w, screen);
    }
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme) {
    if (!tme) return FALSE;
    auto& st = WinState();
    if (tme->dwFlags & TME_QUERY) {
        tme->dwFlags = 0;
        tme->hwndTrack = nullptr;
        tme->dwHoverTime = 0;
        for (HWND h : Tracked())
            if (TWnd* w = FindWnd(h)) {
                tme->hwndTrack = h;
                tme->dwFlags = TME_LEAVE | (w->trackLeaveNC ? TME_NONCLIENT : 0);
            }
        for (HWND h : HoverTracked())
            if (TWnd* w = FindWnd(h)) {
                if (tme->hwndTrack && tme->hwndTrack != h) continue;
                tme->hwndTrack = h;
                tme->dwFlags |= TME_HOVER | (w->hoverNC ? TME_NONCLIENT : 0);
                tme->dwHoverTime = w->hoverTime;
            }
        return TRUE;
    }
    TWnd* w = FindWnd(tme->hwndTrack);
    if (!w) return FALSE;
    const HWND hwnd = tme->hwndTrack;
    bool nc = (tme->dwFlags & TME_NONCLIENT) != 0;
    if (tme->dwFlags & TME_CANCEL) {
        if ((tme->dwFlags & TME_LEAVE) && w->trackLeaveNC == nc) {
            w->trackLeave = w->trackLeaveNC = false;
            std::erase(Tracked(), hwnd);
        }
        if ((tme->dwFlags & TME_HOVER) && w->hoverNC == nc) CancelHover(w);
        return TRUE;
    }
    if (!(tme->dwFlags & (TME_LEAVE | TME_HOVER))) return TRUE;
    // The mouse must be over the window (in the right area) now, or the leave comes at once.
    HWND under = DeepestWindowAt(st.cursorPos, true);
    bool inside = under == hwnd || FindWnd(st.capture) == w;
    if (inside && !FindWnd(st.capture)) {
        LRESULT hit = SendMessage(under, WM_NCHITTEST, 0,
                                  MAKELPARAM(static_cast<WORD>(st.cursorPos.x), static_cast<WORD>(st.cursorPos.y)));
        inside = nc ? hit != HTCLIENT : hit == HTCLIENT;
    }
    if (!(w = FindWnd(hwnd))) return FALSE;
    if (!inside) {
        if (tme->dwFlags & TME_LEAVE) PostMessage(hwnd, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
        return TRUE;
    }
    if (tme->dwFlags & TME_LEAVE) {
        w->trackLeave = true;
        w->trackLeaveNC = nc;
        if (std::find(Tracked().begin(), Tracked().end(), hwnd) == Tracked().end()) Tracked().push_back(hwnd);
    }
    if (tme->dwFlags & TME_HOVER) {
        w->hoverNC = nc;
        w->hoverTime =
            tme->dwHoverTime == HOVER_DEFAULT || tme->dwHoverTime == 0 ? SystemHoverTime() : tme->dwHoverTime;
        if (std::find(HoverTracked().begin(), HoverTracked().end(), hwnd) == HoverTracked().end())
            HoverTracked().push_back(hwnd);
        StartHoverTime(w, st.cursorPos);
    }
    return TRUE;
}

// ---- Keyboard state and synthetic input -------------------------------------------------------------------

SHORT GetKeyState(int vk) {
    if (vk < 0 || vk > 255) return 0;
    BYTE s = WinState().keyState[vk];
    return static_cast<SHORT>(((s & 0x80) ? 0xFF80 : 0) | (s & 0x01));
}

SHORT GetAsyncKeyState(int vk) {
    if (vk < 0 || vk > 255) return 0;
    return (WinState().asyncKeyState[vk] & 0x80) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetKeyboardState(BYTE* keyState256) {
    if (!keyState256) return FALSE;
    std::copy(std::begin(WinState().keyState), std::end(WinState().keyState), keyState256);
    return TRUE;
}

BOOL SetKeyboardState(const BYTE* keyState256) {
    if (!keyState256) return FALSE;
    std::copy(keyState256, keyState256 + 256, WinState().keyState);
    return TRUE;
}

UINT MapVirtualKey(UINT code, UINT mapType) {
    // Scan codes of the US PC keyboard.
    static const BYTE kScan[256] = {
        // 0x00-0x0F
        0, 0, 0, 0x46, 0, 0, 0, 0, 0x0E, 0x0F, 0, 0, 0x4C, 0x1C, 0, 0,
        // 0x10-0x1F
        0x2A, 0x1D, 0x38, 0x45, 0x3A, 0, 0, 0, 0, 0, 0, 0x01, 0, 0, 0, 0,
        // 0x20-0x2F
        0x39, 0x49, 0x51, 0x4F, 0x47, 0x4B, 0x48, 0x4D, 0x50, 0, 0, 0, 0x54, 0x52, 0x53, 0,
        // 0x30-0x3F: digits
        0x0B, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0, 0, 0, 0, 0, 0,
        // 0x40-0x4F: letters
        0, 0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32, 0x31, 0x18,
        // 0x50-0x5F
        0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C, 0x5B, 0x5C, 0x5D, 0, 0,
        // 0x60-0x6F: numeric keypad
        0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49, 0x37, 0x4E, 0, 0x4A, 0x53, 0x35,
        // 0x70-0x7F: F1-F16
        0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x57, 0x58, 0x64, 0x65, 0x66, 0x67,
        // 0x80-0x8F
        0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x76, 0, 0, 0, 0, 0, 0, 0, 0,
        // 0x90-0x9F
        0x45, 0x46, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        // 0xA0-0xAF
        0x2A, 0x36, 0x1D, 0x1D, 0x38, 0x38, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        // 0xB0-0xBF
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x27, 0x0D, 0x33, 0x0C, 0x34, 0x35,
        // 0xC0-0xCF
        0x29, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        // 0xD0-0xDF
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x1A, 0x2B, 0x1B, 0x28, 0,
        // 0xE0-0xEF
        0, 0, 0x56, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        // 0xF0-0xFF
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    switch (mapType) {
        case MAPVK_VK_TO_VSC: return code < 256 ? kScan[code] : 0;
        case MAPVK_VSC_TO_VK:
            for (UINT vk = 1; vk < 256; ++vk)
                if (kScan[vk] == code && !(vk >= VK_NUMPAD0 && vk <= VK_DIVIDE) && vk < 0xA0) return vk;
            return 0;
        case MAPVK_VK_TO_CHAR: {
            BYTE none[256] = {};
            return code < 256 ? static_cast<UINT>(KeyChar(static_cast<BYTE>(code), none)) : 0;
        }
        default: return 0;
    }
}

SHORT VkKeyScan(char ch) {
    const auto wanted = static_cast<char32_t>(static_cast<unsigned char>(ch));
    // The main block of keys is searched before the numeric pad, with the fewest shift keys first, so that
    // a character that both type (a digit, "*") gives the main key, as a keyboard layout lists them.
    auto search = [wanted](bool numpad) -> SHORT {
        for (int state = 0; state < 4; ++state) {
            BYTE ks[256] = {};
            if (state & 1) ks[VK_SHIFT] = 0x80;
            if (state & 2) ks[VK_CONTROL] = 0x80;
            for (int vk = 1; vk < 256; ++vk) {
                bool onPad = vk >= VK_NUMPAD0 && vk <= VK_DIVIDE;
                if (onPad != numpad) continue;
                if (KeyChar(static_cast<BYTE>(vk), ks) == wanted) return static_cast<SHORT>(state << 8 | vk);
            }
        }
        return -1;
    };
    if (wanted == 0) return -1;
    SHORT r = search(false);
    return r != -1 ? r : search(true);
}

int ToAscii(UINT vk, UINT scanCode, const BYTE* keyState, WORD* chars, UINT /*flags*/) {
    if (keyState == nullptr || chars == nullptr || vk >= 256 || (scanCode & 0x8000) != 0) return 0;
    const char32_t c = KeyChar(static_cast<BYTE>(vk), keyState);
    unsigned char ansi = 0;
    if (c == 0) return 0;
    if (c < 0x80) ansi = static_cast<unsigned char>(c);
    else if (!UnicodeToAnsiChar(c, ansi)) return 0;
    chars[0] = ansi;
    return 1;
}

void keybd_event(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR extraInfo) {
    auto& st = WinState();
    bool down = !(flags & KEYEVENTF_KEYUP);
    TRawInput in;
    in.kind = down ? WM_KEYDOWN : WM_KEYUP;
    in.vk = vk;
    in.scan = scan ? scan : static_cast<BYTE>(MapVirtualKey(vk, MAPVK_VK_TO_VSC));
    in.extended = (flags & KEYEVENTF_EXTENDEDKEY) != 0;
    in.repeat = down && (st.asyncKeyState[vk] & 0x80);
    SetKeyWithSides(st.asyncKeyState, vk, down, in.extended);
    in.alt = (st.asyncKeyState[VK_MENU] & 0x80) != 0;
    in.ctrl = (st.asyncKeyState[VK_CONTROL] & 0x80) != 0;
    in.extra = extraInfo;
    QueueInput(std::move(in));
}

void mouse_event(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extraInfo) {
    auto& st = WinState();
    auto post = [&](UINT kind, int wheel) {
        TRawInput in;
        in.mouse = true;
        in.kind = kind;
        in.pt = st.cursorPos;
        in.wheel = wheel;
        in.keys = CurrentMouseKeys();
        in.extra = extraInfo;
        QueueInput(std::move(in));
    };
    if (flags & MOUSEEVENTF_MOVE) {
        if (flags & MOUSEEVENTF_ABSOLUTE) {
            // Absolute positions are 0..65535 across the screen.
            long long w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
            st.cursorPos = POINT{static_cast<LONG>(dx * w / 65536), static_cast<LONG>(dy * h / 65536)};
        } else {
            st.cursorPos.x += static_cast<LONG>(static_cast<std::int32_t>(dx));
            st.cursorPos.y += static_cast<LONG>(static_cast<std::int32_t>(dy));
        }
        post(WM_MOUSEMOVE, 0);
    }
    struct Button {
        DWORD flag;
        BYTE vk;
        bool down;
        UINT kind;
    };
    static const Button buttons[] = {{MOUSEEVENTF_LEFTDOWN, VK_LBUTTON, true, WM_LBUTTONDOWN},
                                     {MOUSEEVENTF_LEFTUP, VK_LBUTTON, false, WM_LBUTTONUP},
                                     {MOUSEEVENTF_RIGHTDOWN, VK_RBUTTON, true, WM_RBUTTONDOWN},
                                     {MOUSEEVENTF_RIGHTUP, VK_RBUTTON, false, WM_RBUTTONUP},
                                     {MOUSEEVENTF_MIDDLEDOWN, VK_MBUTTON, true, WM_MBUTTONDOWN},
                                     {MOUSEEVENTF_MIDDLEUP, VK_MBUTTON, false, WM_MBUTTONUP}};
    for (const Button& b : buttons)
        if (flags & b.flag) {
            SetKey(st.asyncKeyState, b.vk, b.down);
            post(b.kind, 0);
        }
    if (flags & MOUSEEVENTF_WHEEL) post(WM_MOUSEWHEEL, static_cast<int>(static_cast<std::int32_t>(data)));
}

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
    auto& st = WinState();
    std::u32string chars;
    const MSG& last = st.lastKeyMsg;
    if (last.hwnd == msg->hwnd && last.message == msg->message && last.wParam == msg->wParam &&
        last.lParam == msg->lParam && !st.lastKey.text.empty()) {
        chars = st.lastKey.text;
    } else if (char32_t c = KeyChar(static_cast<BYTE>(msg->wParam), st.keyState)) {
        chars.push_back(c);
    }
    if (chars.empty()) return FALSE;
    UINT charMsg = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    bool posted = false;
    for (char32_t c : chars) {
        // A character that Windows-1252 cannot hold makes no message: a wrong byte would be worse.
        unsigned char ansi = 0;
        if (c < 0x80) ansi = static_cast<unsigned char>(c);
        else if (!UnicodeToAnsiChar(c, ansi)) continue;
        PostFollowUp(msg->hwnd, charMsg, ansi, msg->lParam & 0xFFFFFFFF);
        posted = true;
    }
    return posted ? TRUE : FALSE;
}

// ---- Cursor -----------------------------------------------------------------------------------------------

// ---- The caret ----------------------------------------------------------------------------------------------

namespace {

struct TCaret {
    HWND owner = nullptr;
    POINT pos{0, 0};
    SIZE size{0, 0};
    int hidden = 1;  // a new caret is hidden until shown
};

TCaret& Caret() {
    static TCaret caret;
    return caret;
}

// The caret of a window that is gone is gone with it.
bool CaretAlive() {
    TCaret& c = Caret();
    if (c.owner != nullptr && FindWnd(c.owner) == nullptr) c = TCaret{};
    return c.owner != nullptr;
}

}  // namespace

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height) {
    if (FindWnd(hwnd) == nullptr) return FALSE;
    Caret() = TCaret{hwnd, POINT{0, 0}, SIZE{bitmap != nullptr ? 0 : width, bitmap != nullptr ? 0 : height}, 1};
    return TRUE;
}

BOOL DestroyCaret() {
    if (!CaretAlive()) return FALSE;
    Caret() = TCaret{};
    return TRUE;
}

BOOL SetCaretPos(int x, int y) {
    if (!CaretAlive()) return FALSE;
    Caret().pos = POINT{x, y};
    return TRUE;
}

BOOL GetCaretPos(POINT* point) {
    if (point == nullptr || !CaretAlive()) return FALSE;
    *point = Caret().pos;
    return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
    if (!CaretAlive() || (hwnd != nullptr && hwnd != Caret().owner) || Caret().hidden == 0) return FALSE;
    --Caret().hidden;
    return TRUE;
}

BOOL HideCaret(HWND hwnd) {
    if (!CaretAlive() || (hwnd != nullptr && hwnd != Caret().owner)) return FALSE;
    ++Caret().hidden;
    return TRUE;
}

HWND GetCaretWindow() { return CaretAlive() ? Caret().owner : nullptr; }

BOOL GetCursorPos(POINT* point) {
    if (!point) return FALSE;
    *point = WinState().cursorPos;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    auto& st = WinState();
    st.cursorPos = POINT{x, y};
    TRawInput in;
    in.mouse = true;
    in.kind = WM_MOUSEMOVE;
    in.pt = st.cursorPos;
    in.keys = CurrentMouseKeys();
    QueueInput(std::move(in));
    return TRUE;
}

HCURSOR LoadCursor(HINSTANCE instance, int cursorId) {
    if (instance) return nullptr;  // the program keeps no cursor resources of its own here
    if (cursorId < IDC_ARROW || cursorId > IDC_HELP) return nullptr;
    // Standard cursors are identified by their number.
    return reinterpret_cast<HCURSOR>(static_cast<std::uintptr_t>(cursorId));
}

HCURSOR GetCursor() { return WinState().cursor; }

bool MouseButtonsSwapped() { return WinState().swapButtons; }

BOOL SwapMouseButton(BOOL swap) {
    BOOL old = WinState().swapButtons ? TRUE : FALSE;
    WinState().swapButtons = swap != FALSE;
    return old;
}

UINT GetDoubleClickTime() { return WinState().doubleClickTime; }

// ---- Focus, activation, capture ---------------------------------------------------------------------------

void SetApplicationActive(bool active) {
    auto& st = WinState();
    if (st.appActive == active) return;
    st.appActive = active;
    for (HWND t : std::vector<HWND>(st.topLevels))
        if (FindWnd(t)) SendMessage(t, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
    if (!active) {
        // Keys held when the program lost the keyboard are released for it.
        std::fill(std::begin(st.asyncKeyState), std::end(st.asyncKeyState), BYTE{0});
        for (BYTE& b : st.keyState) b &= 0x01;
    }
}

void ActivateWindow(HWND top, bool clicked) {
    auto& st = WinState();
    if (top == st.active) return;
    HWND old = FindWnd(st.active) ? st.active : nullptr;
    if (old) {
        SendMessage(old, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(top));
        SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), reinterpret_cast<LPARAM>(top));
    }
    st.active = FindWnd(top) ? top : nullptr;
    if (TWnd* tw = FindWnd(top)) tw->shownNoActivate = false;
    if (!st.active) {
        if (FindWnd(st.focus)) SetFocus(nullptr);
        return;
    }
    if (!st.appActive) SetApplicationActive(true);
    if (!FindWnd(top)) return;
    SendMessage(top, WM_NCACTIVATE, TRUE, reinterpret_cast<LPARAM>(old));
    SendMessage(top, WM_ACTIVATE, MAKEWPARAM(clicked ? WA_CLICKACTIVE : WA_ACTIVE, IsIconic(top) ? 1 : 0),
                reinterpret_cast<LPARAM>(old));
    if (TWnd* w = FindWnd(top)) SyncWidget(w);
}

HWND SetActiveWindow(HWND hwnd) {
    auto& st = WinState();
    HWND old = st.active;
    TWnd* w = FindWnd(hwnd);
    if (!hwnd) {
        ActivateWindow(nullptr, false);
        return old;
    }
    if (!w) return nullptr;
    TWnd* top = TopOf(w);
    if (!Activatable(top)) return old;
    ActivateWindow(top->handle, false);
    return old;
}

HWND GetActiveWindow() { return FindWnd(WinState().active) ? WinState().active : nullptr; }

BOOL SetForegroundWindow(HWND hwnd) {
    if (!FindWnd(hwnd)) return FALSE;
    SetActiveWindow(hwnd);
    BringWindowToTop(hwnd);
    return TRUE;
}

HWND SetFocus(HWND hwnd) {
    auto& st = WinState();
    HWND old = FindWnd(st.focus) ? st.focus : nullptr;
    if (!hwnd) {
        st.focus = nullptr;
        if (old) SendMessage(old, WM_KILLFOCUS, 0, 0);
        return old;
    }
    TWnd* w = FindWnd(hwnd);
    if (!w || w->messageOnly || (w->style & WS_DISABLED)) return nullptr;
    TWnd* top = TopOf(w);
    if (top->handle != st.active && Activatable(top)) {
        ActivateWindow(top->handle, false);
        if (!FindWnd(hwnd)) return old;
        old = FindWnd(st.focus) ? st.focus : nullptr;
    }
    if (old == hwnd) return old;
    st.focus = hwnd;
    if (old) {
        SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
        if (st.focus != hwnd) return old;  // the handler moved the focus elsewhere
    }
    if (FindWnd(hwnd)) SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus() { return FindWnd(WinState().focus) ? WinState().focus : nullptr; }

HWND SetCapture(HWND hwnd) {
    auto& st = WinState();
    HWND old = FindWnd(st.capture) ? st.capture : nullptr;
    if (!FindWnd(hwnd)) return old;
    if (old == hwnd) return old;
    st.capture = hwnd;
    SyncPointerGrab();
    if (old) SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

BOOL ReleaseCapture() {
    auto& st = WinState();
    HWND old = FindWnd(st.capture) ? st.capture : nullptr;
    st.capture = nullptr;
    SyncPointerGrab();
    if (old) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() { return FindWnd(WinState().capture) ? WinState().capture : nullptr; }

BOOL DragDetect(HWND hwnd, POINT pt) {
    if (!FindWnd(hwnd)) return FALSE;
    const int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
    const RECT still{pt.x - cx / 2, pt.y - cy / 2, pt.x - cx / 2 + cx, pt.y - cy / 2 + cy};
    SetCapture(hwnd);
    while (GetCapture() == hwnd) {
        MSG m;
        if (!PeekMessage(&m, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) &&
            !PeekMessage(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (m.message == WM_LBUTTONUP || (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE)) break;
        if (m.message == WM_MOUSEMOVE && !PtInRect(&still, m.pt)) {
            ReleaseCapture();
            return TRUE;
        }
    }
    if (GetCapture() == hwnd) ReleaseCapture();
    return FALSE;
}

void CancelModeForModalLoop() {
    if (HWND cap = GetCapture()) SendMessage(cap, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
}

}  // namespace zel
