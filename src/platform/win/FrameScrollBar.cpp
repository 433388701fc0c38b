#include "platform/win/FrameScrollBar.h"

#include <array>
#include <unordered_map>

#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"

namespace zel {

bool HasFrameBar(HWND Window, int Bar) {
    const DWORD style = static_cast<DWORD>(GetWindowLong(Window, GWL_STYLE));
    return (style & (Bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
}

bool FrameBarGeometry(HWND Window, int Bar, const TFrameBarRange& Range, TFrameBarGeometry& G) {
    if (!HasFrameBar(Window, Bar)) return false;
    const bool vertical = Bar == SB_VERT;
    RECT window, client;
    GetWindowRect(Window, &window);
    GetClientRect(Window, &client);
    POINT origin{0, 0};
    ClientToScreen(Window, &origin);
    const int left = origin.x - window.left, top = origin.y - window.top;
    const RECT bar = vertical ? RECT{left + client.right, top, left + client.right + GetSystemMetrics(SM_CXVSCROLL),
                                     top + client.bottom}
                              : RECT{left, top + client.bottom, left + client.right,
                                     top + client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    return BarGeometryIn(bar, vertical, Range, G);
}

bool BarGeometryIn(const RECT& Bar, bool Vertical, const TFrameBarRange& Range, TFrameBarGeometry& G) {
    G.bar = Bar;
    const int lo = Vertical ? G.bar.top : G.bar.left, hi = Vertical ? G.bar.bottom : G.bar.right;
    const int arrow = std::min(GetSystemMetrics(Vertical ? SM_CYVSCROLL : SM_CXHSCROLL), (hi - lo) / 2);
    G.trackLo = lo + arrow;
    G.trackHi = hi - arrow;
    const int track = G.trackHi - G.trackLo;
    const int maxPos = Range.MaxPos();
    G.thumbLength = std::min(
        track, std::max(8, static_cast<int>(static_cast<long long>(track) * Range.page / std::max(1, Range.total))));
    G.thumbLo = G.trackLo + (maxPos > 0 ? static_cast<int>(static_cast<long long>(track - G.thumbLength) *
                                                           std::clamp(Range.pos, 0, maxPos) / maxPos)
                                        : 0);
    return track > 0;
}

void PaintFrameBar(HDC DC, int Bar, const TFrameBarGeometry& G) {
    const bool vertical = Bar == SB_VERT;
    const auto span = [&](int lo, int hi) {
        return vertical ? RECT{G.bar.left, lo, G.bar.right, hi} : RECT{lo, G.bar.top, hi, G.bar.bottom};
    };
    FillRect(DC, &G.bar, GetSysColorBrush(COLOR_SCROLLBAR));
    RECT before = span(vertical ? G.bar.top : G.bar.left, G.trackLo),
         after = span(G.trackHi, vertical ? G.bar.bottom : G.bar.right);
    DrawFrameControl(DC, &before, DFC_SCROLL, vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT);
    DrawFrameControl(DC, &after, DFC_SCROLL, vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT);
    RECT thumb = span(G.thumbLo, G.thumbLo + G.thumbLength);
    FillRect(DC, &thumb, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(DC, &thumb, EDGE_RAISED, BF_RECT);
}

WORD FrameBarPress(const TFrameBarGeometry& G, int At) {
    if (At < G.trackLo) return SB_LINEUP;
    if (At >= G.trackHi) return SB_LINEDOWN;
    if (At < G.thumbLo) return SB_PAGEUP;
    if (At >= G.thumbLo + G.thumbLength) return SB_PAGEDOWN;
    return SB_THUMBTRACK;
}

int FrameBarThumbPosition(const TFrameBarGeometry& G, const TFrameBarRange& Range, int At, int Grip) {
    const int free = G.trackHi - G.trackLo - G.thumbLength;
    if (free <= 0) return -1;
    const int offset = std::clamp(At - Grip - G.trackLo, 0, free);
    return static_cast<int>((static_cast<long long>(offset) * Range.MaxPos() + free / 2) / free);
}

bool FrameBarScrollTarget(const TFrameBarRange& Range, WORD Code, int Thumb, int Line, int& Pos) {
    Pos = Range.pos;
    switch (Code) {
        case SB_LINEUP: Pos -= Line; break;
        case SB_LINEDOWN: Pos += Line; break;
        case SB_PAGEUP: Pos -= std::max(1, Range.page); break;
        case SB_PAGEDOWN: Pos += std::max(1, Range.page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: Pos = Thumb; break;
        case SB_TOP: Pos = 0; break;
        case SB_BOTTOM: Pos = Range.MaxPos(); break;
        default: return false;
    }
    return true;
}

int FrameBarPlace(HWND Window, int Bar, POINT Screen) {
    RECT window;
    GetWindowRect(Window, &window);
    return Bar == SB_VERT ? Screen.y - window.top : Screen.x - window.left;
}

// ---- the window-wide bars

namespace {

// What the bars keep of one bar of a window that does not keep its scroll state itself.
struct TWindowBar {
    int min = 0, max = 100, page = 0, pos = 0, trackPos = 0;
    UINT disabled = ESB_ENABLE_BOTH;
};

struct TWindowBars {
    std::array<TWindowBar, 2> bars{};
    TFrameBarSource source;
};

std::unordered_map<HWND, TWindowBars>& WindowBars() {
    static std::unordered_map<HWND, TWindowBars> table;
    return table;
}

TWindowBars* FindBars(HWND Window) {
    const auto it = WindowBars().find(Window);
    return it == WindowBars().end() ? nullptr : &it->second;
}

bool HasSource(const TWindowBars* Bars) { return Bars != nullptr && Bars->source.Range != nullptr; }

// The range the frame geometry works on: positions from zero, a page of at least one.
TFrameBarRange RangeOf(const TWindowBar& B) {
    return {std::max(0, B.max - B.min + 1), std::max(1, B.page), B.pos - B.min};
}

int MaxPosOf(const TWindowBar& B) { return std::max(B.min, B.max - std::max(B.page - 1, 0)); }

// Whether a bar's range needs scrolling at all.
bool NeedsScrolling(const TWindowBar& B) { return B.max > B.min && B.page <= B.max - B.min; }

// The window's range and geometry of a bar, through its source when it has one; false when the window keeps
// no such bar. Shown tells whether the bar is on screen.
bool BarOf(HWND Window, int Bar, TFrameBarRange& Range, TFrameBarGeometry& G, bool& Shown) {
    TWindowBars* bars = FindBars(Window);
    if (HasSource(bars)) {
        if (!bars->source.Range(Bar, Range)) return false;
        Shown =
            bars->source.Geometry != nullptr ? bars->source.Geometry(Bar, G) : FrameBarGeometry(Window, Bar, Range, G);
        return true;
    }
    if (bars == nullptr && !HasFrameBar(Window, Bar)) return false;
    const TWindowBar b = bars != nullptr ? bars->bars[static_cast<std::size_t>(Bar)] : TWindowBar{};
    Range = RangeOf(b);
    Shown = FrameBarGeometry(Window, Bar, Range, G);
    return true;
}

void RedrawFrame(HWND Window) {
    SetWindowPos(Window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetBarShown(HWND Window, int Bar, bool Show) {
    const DWORD bit = Bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    const auto style = static_cast<DWORD>(GetWindowLong(Window, GWL_STYLE));
    if (((style & bit) != 0) == Show) return;
    SetWindowLong(Window, GWL_STYLE, static_cast<LONG>(Show ? style | bit : style & ~bit));
    RedrawFrame(Window);
}

bool ValidBar(int Bar) { return Bar == SB_HORZ || Bar == SB_VERT; }

}  // namespace

void SetFrameBarSource(HWND Window, TFrameBarSource Source) { WindowBars()[Window].source = std::move(Source); }

void ForgetFrameBars(HWND Window) { WindowBars().erase(Window); }

int SetScrollInfo(HWND Window, int Bar, const SCROLLINFO* Info, BOOL Redraw) {
    if (Info == nullptr || !ValidBar(Bar) || !IsWindow(Window)) return 0;
    TWindowBar& b = WindowBars()[Window].bars[static_cast<std::size_t>(Bar)];
    if ((Info->fMask & SIF_RANGE) != 0) {
        if (Info->nMin > Info->nMax) b.min = b.max = 0;
        else b.min = Info->nMin, b.max = Info->nMax;
    }
    if ((Info->fMask & SIF_PAGE) != 0) b.page = static_cast<int>(std::min<UINT>(Info->nPage, 0x7FFFFFFF));
    b.page = std::clamp(b.page, 0, b.max - b.min + 1);
    if ((Info->fMask & SIF_POS) != 0) b.pos = Info->nPos;
    b.pos = std::clamp(b.pos, b.min, MaxPosOf(b));
    if ((Info->fMask & (SIF_RANGE | SIF_PAGE)) != 0 && !HasSource(FindBars(Window))) {
        const bool needed = NeedsScrolling(b);
        if ((Info->fMask & SIF_DISABLENOSCROLL) != 0) {
            b.disabled = needed ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
            SetBarShown(Window, Bar, true);
        } else {
            SetBarShown(Window, Bar, needed);
        }
    }
    if (Redraw) RedrawWindow(Window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    // A window that keeps its scroll state itself answers with its own position.
    if (HasSource(FindBars(Window))) return GetScrollPos(Window, Bar);
    return b.pos;
}

BOOL GetScrollInfo(HWND Window, int Bar, SCROLLINFO* Info) {
    if (Info == nullptr || !ValidBar(Bar) || !IsWindow(Window)) return FALSE;
    TWindowBars* bars = FindBars(Window);
    TWindowBar b;
    if (HasSource(bars)) {
        TFrameBarRange r;
        if (!bars->source.Range(Bar, r)) return FALSE;
        b.min = 0;
        b.max = std::max(0, r.total - 1);
        b.page = r.page;
        b.pos = b.trackPos = r.pos;
    } else if (bars != nullptr) {
        b = bars->bars[static_cast<std::size_t>(Bar)];
    } else if (!HasFrameBar(Window, Bar)) {
        return FALSE;
    }
    if ((Info->fMask & SIF_RANGE) != 0) Info->nMin = b.min, Info->nMax = b.max;
    if ((Info->fMask & SIF_PAGE) != 0) Info->nPage = static_cast<UINT>(b.page);
    if ((Info->fMask & SIF_POS) != 0) Info->nPos = b.pos;
    if ((Info->fMask & SIF_TRACKPOS) != 0) Info->nTrackPos = b.trackPos;
    return TRUE;
}

int SetScrollPos(HWND Window, int Bar, int Pos, BOOL Redraw) {
    SCROLLINFO info;
    info.fMask = SIF_POS;
    GetScrollInfo(Window, Bar, &info);
    const int previous = info.nPos;
    info.nPos = Pos;
    SetScrollInfo(Window, Bar, &info, Redraw);
    return previous;
}

int GetScrollPos(HWND Window, int Bar) {
    SCROLLINFO info;
    info.fMask = SIF_POS;
    return GetScrollInfo(Window, Bar, &info) ? info.nPos : 0;
}

BOOL ShowScrollBar(HWND Window, int Bar, BOOL Show) {
    if (!IsWindow(Window) || (!ValidBar(Bar) && Bar != SB_BOTH)) return FALSE;
    if (Bar != SB_VERT) SetBarShown(Window, SB_HORZ, Show != FALSE);
    if (Bar != SB_HORZ) SetBarShown(Window, SB_VERT, Show != FALSE);
    return TRUE;
}

BOOL EnableScrollBar(HWND Window, UINT Bar, UINT Arrows) {
    if (!IsWindow(Window) || Bar > static_cast<UINT>(SB_BOTH) || Bar == static_cast<UINT>(SB_CTL)) return FALSE;
    TWindowBars& bars = WindowBars()[Window];
    bool changed = false;
    for (const int b : {SB_HORZ, SB_VERT}) {
        if (Bar != static_cast<UINT>(SB_BOTH) && Bar != static_cast<UINT>(b)) continue;
        UINT& d = bars.bars[static_cast<std::size_t>(b)].disabled;
        changed = changed || d != (Arrows & ESB_DISABLE_BOTH);
        d = Arrows & ESB_DISABLE_BOTH;
    }
    if (changed) RedrawWindow(Window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    return changed ? TRUE : FALSE;
}

BOOL GetScrollBarInfo(HWND Window, LONG Object, SCROLLBARINFO* Info) {
    if (Info == nullptr || Info->cbSize != sizeof(SCROLLBARINFO) || !IsWindow(Window)) return FALSE;
    if (Object != OBJID_HSCROLL && Object != OBJID_VSCROLL) return FALSE;
    const int bar = Object == OBJID_VSCROLL ? SB_VERT : SB_HORZ;
    const DWORD size = Info->cbSize;
    *Info = SCROLLBARINFO{};
    Info->cbSize = size;
    TFrameBarRange range;
    TFrameBarGeometry g;
    bool shown = false;
    if (!BarOf(Window, bar, range, g, shown) || !shown) {
        Info->rgstate[0] = STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
        return TRUE;
    }
    RECT window;
    GetWindowRect(Window, &window);
    Info->rcScrollBar =
        RECT{window.left + g.bar.left, window.top + g.bar.top, window.left + g.bar.right, window.top + g.bar.bottom};
    const int start = bar == SB_VERT ? g.bar.top : g.bar.left;
    Info->dxyLineButton = g.trackLo - start;
    Info->xyThumbTop = g.thumbLo - start;
    Info->xyThumbBottom = g.thumbLo + g.thumbLength - start;
    const TWindowBars* bars = FindBars(Window);
    const UINT disabled = bars != nullptr && !HasSource(bars) ? bars->bars[static_cast<std::size_t>(bar)].disabled : 0;
    if (disabled == ESB_DISABLE_BOTH) Info->rgstate[0] = STATE_SYSTEM_UNAVAILABLE;
    if ((disabled & ESB_DISABLE_LTUP) != 0) Info->rgstate[1] = STATE_SYSTEM_UNAVAILABLE;
    if ((disabled & ESB_DISABLE_RTDN) != 0) Info->rgstate[5] = STATE_SYSTEM_UNAVAILABLE;
    if (range.MaxPos() <= 0) Info->rgstate[3] = STATE_SYSTEM_INVISIBLE;
    return TRUE;
}

void TrackWindowBar(HWND Window, int Bar, POINT Screen) {
    TFrameBarRange range;
    TFrameBarGeometry g;
    bool shown = false;
    if (!ValidBar(Bar) || !BarOf(Window, Bar, range, g, shown) || !shown) return;
    const TWindowBars* bars = FindBars(Window);
    if (bars != nullptr && !HasSource(bars) && bars->bars[static_cast<std::size_t>(Bar)].disabled == ESB_DISABLE_BOTH)
        return;
    const UINT msg = Bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    const int at = FrameBarPlace(Window, Bar, Screen);
    const WORD code = FrameBarPress(g, at);
    if (code != SB_THUMBTRACK) {
        SendMessage(Window, msg, code, 0);
        if (IsWindow(Window)) SendMessage(Window, msg, SB_ENDSCROLL, 0);
        return;
    }
    // The thumb follows the mouse until the release; the position reported is the bar's, from its minimum.
    const int grip = at - g.thumbLo;
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    GetScrollInfo(Window, Bar, &info);
    const int origin = info.nMin;
    int pos = range.pos + origin;
    const auto setTrack = [&](int p) {
        if (TWindowBars* b = FindBars(Window); b != nullptr) b->bars[static_cast<std::size_t>(Bar)].trackPos = p;
    };
    setTrack(pos);
    SetCapture(Window);
    MSG m;
    for (;;) {
        if (GetCapture() != Window) break;
        if (!GetMessage(&m, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (!IsWindow(Window)) return;
        if (m.message == WM_LBUTTONUP) break;
        if (m.message != WM_MOUSEMOVE) {
            TranslateMessage(&m);
            DispatchMessage(&m);
            continue;
        }
        const int p = FrameBarThumbPosition(g, range, FrameBarPlace(Window, Bar, m.pt), grip);
        if (p < 0) continue;
        pos = p + origin;
        setTrack(pos);
        SendMessage(Window, msg, MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(pos)), 0);
        if (!IsWindow(Window)) return;
    }
    if (GetCapture() == Window) ReleaseCapture();
    if (!IsWindow(Window)) return;
    SendMessage(Window, msg, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(pos)), 0);
    if (IsWindow(Window)) SendMessage(Window, msg, SB_ENDSCROLL, 0);
}

void PaintWindowBars(HWND Window) {
    TWindowBars* bars = FindBars(Window);
    if (bars == nullptr || HasSource(bars)) return;
    HDC dc = nullptr;
    for (const int bar : {SB_VERT, SB_HORZ}) {
        TFrameBarRange range;
        TFrameBarGeometry g;
        bool shown = false;
        if (!BarOf(Window, bar, range, g, shown) || !shown) continue;
        if (dc == nullptr) dc = GetWindowDC(Window);
        PaintFrameBar(dc, bar, g);
    }
    if (dc != nullptr) ReleaseDC(Window, dc);
}

}  // namespace zel
