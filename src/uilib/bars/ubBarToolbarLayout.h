#pragma once
// The arithmetic of a toolbar window's links, apart from the window: placing the links in one or more lines,
// the docked size for a length, the wrapped size of a multi-line bar for a line length, and the floating
// size for a wanted height. Coordinates run along the line (x) and across it (y); a vertical bar swaps them.
#include <vector>

#include "platform/win/WinTypes.h"
#include "uilib/bars/ubBarItem.h"

namespace zel {

// The room a bar keeps for its mark (the chevron).
inline constexpr int ubBarMarkSize = 11;

struct TubToolbarLink {
    int Along = 0;     // the control's size along the line
    int Across = 0;    // and across it
    int MinAlong = 0;  // the least length of a stretched (iaClient) item
    bool BeginGroup = false;
    TubBarItemAlign Align = iaLeft;
    // Set by the sizing pass of a multi-line bar: the link starts a line.
    bool NewLine = false;

    // Filled by the layout.
    TRect Rect;
    bool Placed = false;
    bool LineEnd = false;          // the last link of its line
    bool Last = false;             // the last link placed
    bool SeparatorBefore = false;  // a group separator stands in the gap before it, within the line
    bool SeparatorAcross = false;  // it starts a line and a separator runs across the bar before it
};

struct TubToolbarLayoutParams {
    int MainLength = 0;  // the length of a line
    int CrossSize = 0;   // the thickness of a single line (0 for a multi-line bar)
    bool MultiLine = false;
    int SeparatorSize = 6;
};

struct TubToolbarLayoutResult {
    int PlacedCount = 0;
    bool LinksHidden = false;        // links stay hidden behind the mark
    bool LinksAfterAligned = false;  // an aligned item took the rest of a line while links follow it
    int Lines = 0;
};

// Places the links in lines: a single-line bar stops at the first link that does not fit (the first link
// is always placed); a multi-line bar starts a new line there or where the sizing pass marked one. An
// aligned item (iaCenter, iaRight, iaClient) takes the rest of its line and ends it. Each line is centred
// across its thickness; a group separator never starts a line.
TubToolbarLayoutResult LayoutToolbarLinks(std::vector<TubToolbarLink>& Links, const TubToolbarLayoutParams& P);

// The size of a docked single-line bar for a length: as many links as fit (at least one), with the mark's
// room when it shows and the caption-button band.
TSize DockedSingleLineSize(const std::vector<TubToolbarLink>& Links, int Length, bool MarkShown, int SeparatorSize,
                           int CaptionBand);

// The sizing pass of a multi-line bar for a line length: breaks each line before its last group start (or
// before the link that does not fit) and marks the links that start lines. The size is the widest line (at
// least the caption-button band, plus MarkRoom) by the lines' thicknesses and the separators between them.
TSize SizeMultiLine(std::vector<TubToolbarLink>& Links, int LineLength, int SeparatorSize, int CaptionBand,
                    int MarkRoom);

// The size of a floating multi-line bar whose wrapped height should not pass Cross: the line length shrinks
// one pixel at a time from the one-line length while the wrapped height stays within Cross.
TSize SizeFloatingForCross(std::vector<TubToolbarLink>& Links, int Cross, int SeparatorSize, int CaptionBand);

// The least length of a bar: the largest link (multi-line) or the first link (single-line), with the
// caption-button band and the mark's room; and the full length of one line of every link.
int ToolbarMinLength(const std::vector<TubToolbarLink>& Links, bool MultiLine, int CaptionBand);
int ToolbarFullLength(const std::vector<TubToolbarLink>& Links, int SeparatorSize);

}  // namespace zel
