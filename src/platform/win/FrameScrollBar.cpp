#include "platform/win/FrameScrollBar.h"

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
    G.bar = vertical ? RECT{left + client.right, top, left + client.right + GetSystemMetrics(SM_CXVSCROLL),
                            top + client.bottom}
                     : RECT{left, top + client.bottom, left + client.right,
                            top + client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    const int lo = vertical ? G.bar.top : G.bar.left, hi = vertical ? G.bar.bottom : G.bar.right;
    const int arrow = std::min(GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL), (hi - lo) / 2);
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

int FrameBarPlace(HWND Window, int Bar, POINT Screen) {
    RECT window;
    GetWindowRect(Window, &window);
    return Bar == SB_VERT ? Screen.y - window.top : Screen.x - window.left;
}

}  // namespace zel
