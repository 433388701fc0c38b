#pragma once
// The geometry of a floating toolbar window, apart from the window: its frame with the caption band, which
// part of it a point hits, the sizes a frame drag snaps to, and where a window lost off every work area
// comes back.
#include <functional>
#include <vector>

#include "platform/win/Messages.h"
#include "platform/win/WinTypes.h"

namespace zel {

// The hit code of a floating bar's close button.
inline constexpr int ubFloatingCloseHit = HTCLOSE;
// The size limits of a floating bar window.
inline constexpr int ubFloatingMinSize = 10;
inline constexpr int ubFloatingMaxSize = 30000;
// A sized floating window's top never goes above this screen line, so that its caption stays reachable.
inline constexpr int ubFloatingTopLimit = -15;

// The frame around a floating bar's links: the border on each side, the caption band under the top border
// and the painter's margins inside.
struct TubFloatingFrame {
    int BorderWidth = 0;
    int BorderHeight = 0;
    int CaptionHeight = 0;
    TRect Margins{0, 0, 0, 0};

    // The non-client sizes on each side (left, top, right, bottom).
    TRect NonClient() const {
        return TRect{BorderWidth + Margins.left, BorderHeight + CaptionHeight + Margins.top,
                     BorderWidth + Margins.right, BorderHeight + Margins.bottom};
    }
    int Width() const { return NonClient().left + NonClient().right; }
    int Height() const { return NonClient().top + NonClient().bottom; }
    // The caption band in window coordinates for a window of that width.
    TRect CaptionRect(int WindowWidth) const {
        return TRect{BorderWidth, BorderHeight, WindowWidth - BorderWidth, BorderHeight + CaptionHeight};
    }
};

// What a window point (window coordinates) on a floating bar's frame hits: the close button, a sizing edge
// (a corner counts as its nearer side: within the border height of the top or bottom as that side, else as
// the left or right), or else the caption, which moves the bar (the window itself answers for its links).
int FloatingFrameHit(const TubFloatingFrame& F, TSize Window, TPoint P, const TRect& CloseButton);

// The rectangle a frame drag (WMSZ_* edge) snaps to: a side edge keeps the dragged width and takes the height
// the links wrap to; a top or bottom edge keeps the dragged height and takes the width found for it; the
// dragged edge moves and the opposite one stays; a corner leaves the rectangle as it is. A top above the
// top limit is moved down to it. The two functions give the outer size for an outer width or height.
TRect SnapFloatingSizing(int Edge, const TRect& R, const std::function<int(int Width)>& HeightForWidth,
                         const std::function<int(int Height)>& WidthForHeight);

// A window rectangle that meets none of the work areas comes back to the edge of PointerArea (the work area
// under the pointer) that it lies beyond; true when it was moved.
bool PullOntoWorkArea(TRect& R, const std::vector<TRect>& WorkAreas, const TRect& PointerArea);

}  // namespace zel
