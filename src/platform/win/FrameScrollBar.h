#pragma once
// A scroll bar that a window draws and drives itself in its frame, right of its client area (WS_VSCROLL) or
// below it (WS_HSCROLL): where its arrows, track and thumb lie, how it is drawn, what a press on it does and
// where a dragged thumb points.
#include <algorithm>
#include <functional>

#include "platform/win/WinTypes.h"

namespace zel {

// Which of a window's bars.
constexpr int SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3;

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
// Where a WM_VSCROLL/WM_HSCROLL request moves a range's position: a line (ALine units) or a page either way,
// the thumb's position, the start or the end. Not kept within the range; false for a code that moves nothing.
bool FrameBarScrollTarget(const TFrameBarRange& Range, WORD Code, int Thumb, int Line, int& Pos);
// The place along a window's bar (window coordinates) of a point on the screen.
int FrameBarPlace(HWND Window, int Bar, POINT Screen);

// Geometry of a bar laid in a given rectangle (a window's own coordinates), e.g. a bar a control draws inside
// its client area; false when its arrows leave no track.
bool BarGeometryIn(const RECT& Bar, bool Vertical, const TFrameBarRange& Range, TFrameBarGeometry& G);

// ---- The window-wide bars: one range per window and bar

constexpr UINT SIF_RANGE = 0x1, SIF_PAGE = 0x2, SIF_POS = 0x4, SIF_DISABLENOSCROLL = 0x8, SIF_TRACKPOS = 0x10,
               SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
constexpr UINT ESB_ENABLE_BOTH = 0, ESB_DISABLE_LTUP = 1, ESB_DISABLE_RTDN = 2, ESB_DISABLE_BOTH = 3;
constexpr LONG OBJID_CLIENT = -4, OBJID_VSCROLL = -5, OBJID_HSCROLL = -6;
constexpr DWORD STATE_SYSTEM_UNAVAILABLE = 0x1, STATE_SYSTEM_PRESSED = 0x8, STATE_SYSTEM_INVISIBLE = 0x8000,
                STATE_SYSTEM_OFFSCREEN = 0x10000;

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// rgstate[0] is the whole bar; 1 to 5 the up arrow, page-up track, thumb, page-down track and down arrow.
struct SCROLLBARINFO {
    DWORD cbSize = sizeof(SCROLLBARINFO);
    RECT rcScrollBar{};
    int dxyLineButton = 0;
    int xyThumbTop = 0;
    int xyThumbBottom = 0;
    int reserved = 0;
    DWORD rgstate[6]{};
};
static_assert(sizeof(SCROLLBARINFO) == 60, "callers check cbSize 60");

// A window that keeps its scroll state itself (the EDIT, the LISTBOX, the grid) answers for its bars: Range
// gives the bar's range (false: the window keeps no such bar), Geometry where the bar lies in window
// coordinates (false: not shown; unset: the frame bar of the window's style).
struct TFrameBarSource {
    std::function<bool(int Bar, TFrameBarRange& Range)> Range;
    std::function<bool(int Bar, TFrameBarGeometry& G)> Geometry;
};
void SetFrameBarSource(HWND Window, TFrameBarSource Source);
// Forgets what the window-wide bars kept of a window (its ranges and source); the layer calls it when a window
// goes.
void ForgetFrameBars(HWND Window);

// Sets the range, page and position named by the mask; the page is kept within the range and the position
// within what the page leaves. A minimum above the maximum makes the range empty. Without
// SIF_DISABLENOSCROLL a range that needs no scrolling hides the bar and one that does shows it; with it the bar
// stays and is disabled instead. Answers the position.
int SetScrollInfo(HWND Window, int Bar, const SCROLLINFO* Info, BOOL Redraw);
BOOL GetScrollInfo(HWND Window, int Bar, SCROLLINFO* Info);
int SetScrollPos(HWND Window, int Bar, int Pos, BOOL Redraw);
int GetScrollPos(HWND Window, int Bar);
BOOL ShowScrollBar(HWND Window, int Bar, BOOL Show);
BOOL EnableScrollBar(HWND Window, UINT Bar, UINT Arrows);
// The bar's rectangle on the screen, its arrow length, its thumb relative to the bar and its states; a bar not
// shown reports STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN. False unless cbSize is 60 and Object names a
// bar.
BOOL GetScrollBarInfo(HWND Window, LONG Object, SCROLLBARINFO* Info);

// The default procedure's handling of a press on a window-wide bar (Screen: the press): the arrows and track
// send WM_VSCROLL or WM_HSCROLL with their SB_ code, the thumb follows the mouse with SB_THUMBTRACK and the
// position it stands for until the release, which sends SB_THUMBPOSITION; every press ends with SB_ENDSCROLL.
void TrackWindowBar(HWND Window, int Bar, POINT Screen);
// Draws the window-wide bars of a window whose scroll state the bars keep (no source) on its window DC.
void PaintWindowBars(HWND Window);

}  // namespace zel
