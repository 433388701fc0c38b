#pragma once
// A scroll bar that a window draws and drives itself in its frame, right of its client area (WS_VSCROLL) or
// below it (WS_HSCROLL): where its arrows, track and thumb lie, how it is drawn, what a press on it does and
// where a dragged thumb points.
#include <algorithm>

#include "platform/win/WinTypes.h"

namespace zel {

// Which of a window's bars.
constexpr int SB_HORZ = 0, SB_VERT = 1;

// What a bar stands for: the whole length, how much of it shows at once, and the first part shown.
struct TFrameBarRange {
    int total = 0, page = 1, pos = 0;
    int MaxPos() const { return std::max(0, total - page); }
};

// A bar's place in window coordinates, and along its length the arrows' inner ends and the thumb.
struct TFrameBarGeometry {
    RECT bar{};
    int trackLo = 0, trackHi = 0, thumbLo = 0, thumbLength = 0;
};

// Whether a window shows a bar (its style has WS_VSCROLL or WS_HSCROLL).
bool HasFrameBar(HWND Window, int Bar);
// The geometry of a window's bar (SB_VERT or SB_HORZ) over a range; false when the window shows no such bar
// or its arrows leave no track.
bool FrameBarGeometry(HWND Window, int Bar, const TFrameBarRange& Range, TFrameBarGeometry& G);
// Draws a bar on a DC over the whole window: the track, the two arrows and the thumb.
void PaintFrameBar(HDC DC, int Bar, const TFrameBarGeometry& G);
// What a press at a place along the bar (window coordinates) asks for: SB_LINEUP or SB_LINEDOWN on an
// arrow, SB_PAGEUP or SB_PAGEDOWN on the track, SB_THUMBTRACK on the thumb.
WORD FrameBarPress(const TFrameBarGeometry& G, int At);
// The position a thumb taken Grip from its start stands for when dragged to a place along the bar; -1 when the
// thumb fills the track.
int FrameBarThumbPosition(const TFrameBarGeometry& G, const TFrameBarRange& Range, int At, int Grip);
// The place along a window's bar (window coordinates) of a point on the screen.
int FrameBarPlace(HWND Window, int Bar, POINT Screen);

}  // namespace zel
