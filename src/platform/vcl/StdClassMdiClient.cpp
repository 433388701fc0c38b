// The MDICLIENT window class: the area of a frame that holds its MDI children; it activates and arranges them
// and scrolls them with its frame bars while one lies partly outside.
#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/StdClassesPrivate.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Clipboard.h"
#include "platform/win/FrameScrollBar.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"

namespace zel::stdclass {

namespace {

std::unordered_map<HWND, HWND>& MdiActive() {
    static std::unordered_map<HWND, HWND> m;
    return m;
}

std::vector<HWND> MdiChildren(HWND client) {
    std::vector<HWND> list;
    for (HWND h = GetWindow(client, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
        if (IsWindowVisible(h)) list.push_back(h);
    return list;
}

// The shown child on top, found from the top down without listing the others.
HWND MdiTopChild(HWND client) {
    for (HWND h = GetWindow(client, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
        if (IsWindowVisible(h)) return h;
    return nullptr;
}

void MdiActivate(HWND client, HWND child) {
    HWND& active = MdiActive()[client];
    if (child == active) {
        if (child != nullptr) BringWindowToTop(child);
        return;
    }
    HWND old = active;
    active = child;
    // Only the active child of an active frame draws its caption active.
    const BOOL frameActive = GetActiveWindow() == GetAncestor(client, GA_ROOT) ? TRUE : FALSE;
    if (old != nullptr && IsWindow(old)) SendMessage(old, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(child));
    if (child != nullptr) SendMessage(child, WM_NCACTIVATE, frameActive, reinterpret_cast<LPARAM>(old));
    if (child != nullptr) {
        SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RedrawWindow(child, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    if (old != nullptr && IsWindow(old)) {
        SendMessage(old, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
        RedrawWindow(old, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
    if (child != nullptr) {
        SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
        // The child hears that it is the active one among its siblings.
        if (IsWindow(child)) SendMessage(child, WM_CHILDACTIVATE, 0, 0);
    }
}

// ---- The client's scroll bars: shown while a child lies partly outside the client area; they move the
// children over it.

struct TMdiScroll {
    int dragBar = -1;            // the bar whose thumb is dragged (SB_HORZ or SB_VERT), -1 for none
    int grip = 0;                // where the thumb was taken, from its start
    std::uint64_t placedAt = 0;  // the windows' placing version the bars were last fitted at
};

std::unordered_map<HWND, TMdiScroll>& MdiScrolls() {
    static std::unordered_map<HWND, TMdiScroll> m;
    return m;
}

// What the bars scroll over, in client coordinates: the client area with every child shown. A maximised child
// fills the client area: nothing is scrolled then.
RECT MdiExtent(HWND client) {
    RECT area;
    GetClientRect(client, &area);
    RECT all = area;
    for (HWND h : MdiChildren(client)) {
        if (IsZoomed(h)) return area;
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
        all = RECT{std::min(all.left, r.left), std::min(all.top, r.top), std::max(all.right, r.right),
                   std::max(all.bottom, r.bottom)};
    }
    return all;
}

TFrameBarRange MdiBarRange(HWND client, int bar) {
    RECT area;
    GetClientRect(client, &area);
    const RECT all = MdiExtent(client);
    if (bar == SB_HORZ)
        return {static_cast<int>(all.Width()), static_cast<int>(area.right), static_cast<int>(-all.left)};
    return {static_cast<int>(all.Height()), static_cast<int>(area.bottom), static_cast<int>(-all.top)};
}

void MdiPaintBars(HWND client) {
    for (int bar : {SB_HORZ, SB_VERT}) {
        TFrameBarGeometry g;
        if (!FrameBarGeometry(client, bar, MdiBarRange(client, bar), g)) continue;
        HDC dc = GetWindowDC(client);
        PaintFrameBar(dc, bar, g);
        ReleaseDC(client, dc);
    }
}

void MdiCalcScroll(HWND client) {
    // A bar that takes room may call for the other one: a second pass sees it.
    for (int pass = 0; pass < 3; ++pass) {
        RECT area;
        GetClientRect(client, &area);
        const RECT all = MdiExtent(client);
        const LONG_PTR style = GetWindowLongPtr(client, GWL_STYLE);
        LONG_PTR want = style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL);
        if (all.left < area.left || all.right > area.right) want |= WS_HSCROLL;
        if (all.top < area.top || all.bottom > area.bottom) want |= WS_VSCROLL;
        if (want == style) break;
        SetWindowLongPtr(client, GWL_STYLE, want);
        SetWindowPos(client, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The thumbs follow the children.
    if (GetWindowLongPtr(client, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) MdiPaintBars(client);
}

// Scrolls a bar to a position: every child moves by the difference.
void MdiScrollTo(HWND client, int bar, int pos) {
    const TFrameBarRange range = MdiBarRange(client, bar);
    const int delta = range.pos - std::clamp(pos, 0, range.MaxPos());
    if (delta == 0) return;
    for (HWND h = GetWindow(client, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(h, nullptr, r.left + (bar == SB_HORZ ? delta : 0), r.top + (bar == SB_VERT ? delta : 0), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    MdiCalcScroll(client);
}

void MdiScrollRequest(HWND client, int bar, WORD request, int thumb) {
    const TFrameBarRange range = MdiBarRange(client, bar);
    const int line = GetSystemMetrics(SM_CYCAPTION);
    switch (request) {
        case SB_LINEUP: MdiScrollTo(client, bar, range.pos - line); break;
        case SB_LINEDOWN: MdiScrollTo(client, bar, range.pos + line); break;
        case SB_PAGEUP: MdiScrollTo(client, bar, range.pos - range.page); break;
        case SB_PAGEDOWN: MdiScrollTo(client, bar, range.pos + range.page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: MdiScrollTo(client, bar, thumb); break;
        default: break;
    }
}

// A press on a bar: an arrow or the track scrolls at once, the thumb is taken for a drag.
void MdiBarPress(HWND client, int bar, POINT screen) {
    TFrameBarGeometry g;
    const TFrameBarRange range = MdiBarRange(client, bar);
    if (!FrameBarGeometry(client, bar, range, g)) return;
    const int at = FrameBarPlace(client, bar, screen);
    const WORD request = FrameBarPress(g, at);
    if (request != SB_THUMBTRACK) {
        SendMessage(client, bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, request, 0);
        return;
    }
    TMdiScroll& state = MdiScrolls()[client];
    state.dragBar = bar;
    state.grip = at - g.thumbLo;
    SetCapture(client);
}

}  // namespace

LRESULT MdiClientProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_NCDESTROY:
            MdiActive().erase(hwnd);
            MdiScrolls().erase(hwnd);
            return DefWindowProc(hwnd, msg, wp, lp);
        case WM_NCPAINT:
            DefWindowProc(hwnd, msg, wp, lp);
            MdiPaintBars(hwnd);
            return 0;
        case WM_MDICALCCHILDSCROLL:
            // Each child placed posts one: when nothing was placed since the last fitting, the bars stand.
            if (MdiScrolls()[hwnd].placedAt != WindowPlacingVersion()) {
                MdiCalcScroll(hwnd);
                MdiScrolls()[hwnd].placedAt = WindowPlacingVersion();
            }
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            MdiScrollRequest(hwnd, msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wp), static_cast<SHORT>(HIWORD(wp)));
            return 0;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            if (wp == static_cast<WPARAM>(HTHSCROLL) || wp == static_cast<WPARAM>(HTVSCROLL)) {
                MdiBarPress(hwnd, wp == static_cast<WPARAM>(HTHSCROLL) ? SB_HORZ : SB_VERT,
                            POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
                return 0;
            }
            return DefWindowProc(hwnd, msg, wp, lp);
        case WM_MOUSEMOVE: {
            TMdiScroll& state = MdiScrolls()[hwnd];
            if (state.dragBar < 0) return DefWindowProc(hwnd, msg, wp, lp);
            POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            ClientToScreen(hwnd, &p);
            TFrameBarGeometry g;
            const TFrameBarRange range = MdiBarRange(hwnd, state.dragBar);
            if (FrameBarGeometry(hwnd, state.dragBar, range, g)) {
                const int pos = FrameBarThumbPosition(g, range, FrameBarPlace(hwnd, state.dragBar, p), state.grip);
                if (pos >= 0) MdiScrollTo(hwnd, state.dragBar, pos);
            }
            return 0;
        }
        case WM_LBUTTONUP:
            if (MdiScrolls()[hwnd].dragBar >= 0 && GetCapture() == hwnd) ReleaseCapture();
            return DefWindowProc(hwnd, msg, wp, lp);
        case WM_CAPTURECHANGED: MdiScrolls()[hwnd].dragBar = -1; return DefWindowProc(hwnd, msg, wp, lp);
        case WM_ERASEBKGND: {
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(reinterpret_cast<HDC>(wp), &rc, GetSysColorBrush(COLOR_APPWORKSPACE));
            return 1;
        }
        case WM_MDIACTIVATE: MdiActivate(hwnd, reinterpret_cast<HWND>(wp)); return 0;
        case WM_MDIGETACTIVE: {
            HWND& active = MdiActive()[hwnd];
            if (active != nullptr && (!IsWindow(active) || !IsWindowVisible(active))) {
                // The active child went: the top one left becomes the active child and is told so.
                active = nullptr;
                if (HWND top = MdiTopChild(hwnd)) MdiActivate(hwnd, top);
            }
            if (lp) *reinterpret_cast<BOOL*>(lp) = active != nullptr && IsZoomed(active);
            return reinterpret_cast<LRESULT>(active);
        }
        case WM_MDINEXT: {
            auto kids = MdiChildren(hwnd);
            if (kids.size() < 2) return 0;
            HWND from = wp ? reinterpret_cast<HWND>(wp) : MdiActive()[hwnd];
            auto pos = std::find(kids.begin(), kids.end(), from);
            std::size_t i = pos == kids.end() ? 0 : static_cast<std::size_t>(pos - kids.begin());
            // The next window is the bottom one (it comes to the top); the previous the second from top.
            HWND target = lp ? kids[(i + 1) % kids.size()] : kids.back();
            MdiActivate(hwnd, target);
            return 0;
        }
        case WM_MDICASCADE:
        case WM_MDITILE: {
            // The windows are laid over the area above the rows of minimised ones.
            RECT area;
            GetClientRect(hwnd, &area);
            area.bottom = std::max(area.top, area.bottom - static_cast<LONG>(ArrangeIconicWindows(hwnd)));
            if (msg == WM_MDICASCADE) CascadeWindows(hwnd, static_cast<UINT>(wp), &area, 0, nullptr);
            else TileWindows(hwnd, static_cast<UINT>(wp), &area, 0, nullptr);
            return 0;
        }
        case WM_MDIICONARRANGE: ArrangeIconicWindows(hwnd); return 0;
        case WM_SIZE:
            // The minimised windows stay in the bottom rows; the bars follow the new size.
            ArrangeIconicWindows(hwnd);
            PostMessage(hwnd, WM_MDICALCCHILDSCROLL, 0, 0);
            return DefWindowProc(hwnd, msg, wp, lp);
        case WM_MDIDESTROY: DestroyWindow(reinterpret_cast<HWND>(wp)); return 0;
        case WM_MDIMAXIMIZE: ShowWindow(reinterpret_cast<HWND>(wp), SW_MAXIMIZE); return 0;
        case WM_MDIRESTORE: ShowWindow(reinterpret_cast<HWND>(wp), SW_RESTORE); return 0;
        default: return DefWindowProc(hwnd, msg, wp, lp);
    }
}

}  // namespace zel::stdclass
