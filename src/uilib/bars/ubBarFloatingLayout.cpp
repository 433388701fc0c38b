#include "uilib/bars/ubBarFloatingLayout.h"

#include <algorithm>

#include "platform/win/Gdi.h"

namespace zel {

int FloatingFrameHit(const TubFloatingFrame& F, TSize Window, TPoint P, const TRect& CloseButton) {
    if (PtInRect(&CloseButton, P)) return ubFloatingCloseHit;
    const bool left = P.x < F.BorderWidth, right = P.x >= Window.cx - F.BorderWidth;
    const bool top = P.y < F.BorderHeight, bottom = P.y >= Window.cy - F.BorderHeight;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    return HTCAPTION;
}

TRect SnapFloatingSizing(int Edge, const TRect& R, const std::function<int(int Width)>& HeightForWidth,
                         const std::function<int(int Height)>& WidthForHeight) {
    TRect r = R;
    switch (Edge) {
        case WMSZ_LEFT:
        case WMSZ_RIGHT: r.bottom = r.top + HeightForWidth(r.Width()); break;
        case WMSZ_TOP:
        case WMSZ_BOTTOM: r.right = r.left + WidthForHeight(r.Height()); break;
        default: break;
    }
    if (r.top < ubFloatingTopLimit) {
        const int down = ubFloatingTopLimit - r.top;
        r.top += down;
        r.bottom += down;
    }
    return r;
}

bool PullOntoWorkArea(TRect& R, const std::vector<TRect>& WorkAreas, const TRect& PointerArea) {
    for (const TRect& a : WorkAreas) {
        TRect meet;
        if (IntersectRect(&meet, &a, &R)) return false;
    }
    const int w = R.Width(), h = R.Height();
    if (R.right <= PointerArea.left) R.left = PointerArea.left;
    else if (R.left >= PointerArea.right) R.left = PointerArea.right - w;
    if (R.bottom <= PointerArea.top) R.top = PointerArea.top;
    else if (R.top >= PointerArea.bottom) R.top = PointerArea.bottom - h;
    R.right = R.left + w;
    R.bottom = R.top + h;
    return true;
}

}  // namespace zel
