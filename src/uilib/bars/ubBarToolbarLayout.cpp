#include "uilib/bars/ubBarToolbarLayout.h"

#include <algorithm>

namespace zel {

namespace {

bool IsAligned(const TubToolbarLink& L) { return L.Align != iaLeft; }

// Centres the links [First, End) across a line that starts at Top and is Thickness thick.
void CentreLine(std::vector<TubToolbarLink>& Links, std::size_t First, std::size_t End, int Top, int Thickness) {
    for (std::size_t i = First; i < End; ++i) {
        TubToolbarLink& l = Links[i];
        if (!l.Placed) continue;
        const int y = Top + (Thickness - l.Across) / 2;
        l.Rect = TRect{l.Rect.left, y, l.Rect.right, y + l.Across};
    }
}

}  // namespace

TubToolbarLayoutResult LayoutToolbarLinks(std::vector<TubToolbarLink>& Links, const TubToolbarLayoutParams& P) {
    TubToolbarLayoutResult result;
    for (TubToolbarLink& l : Links) {
        l.Placed = l.LineEnd = l.Last = l.SeparatorBefore = l.SeparatorAcross = false;
        l.Rect = TRect{};
    }
    int pos = 0, top = 0, thickness = P.CrossSize;
    std::size_t lineFirst = 0;
    bool lineClosed = false;  // an aligned item ended the line
    auto finishLine = [&](std::size_t End) {
        CentreLine(Links, lineFirst, End, top, thickness);
        ++result.Lines;
    };
    std::size_t i = 0;
    for (; i < Links.size(); ++i) {
        TubToolbarLink& l = Links[i];
        int sep = l.BeginGroup && pos > 0 ? P.SeparatorSize : 0;
        const bool tooLong = pos > 0 && pos + sep + l.Along > P.MainLength;
        const bool marked = P.MultiLine && l.NewLine && pos > 0;
        if (tooLong || marked || lineClosed) {
            if (!P.MultiLine) break;
            Links[i - 1].LineEnd = true;
            finishLine(i);
            top += thickness;
            if (l.BeginGroup) {
                l.SeparatorAcross = true;
                top += P.SeparatorSize;
            }
            pos = 0;
            sep = 0;
            thickness = P.CrossSize;
            lineFirst = i;
            lineClosed = false;
        }
        const int start = pos + sep;
        int left = start, length = l.Along;
        switch (l.Align) {
            case iaCenter: left = start + std::max(0, (P.MainLength - start - l.Along) / 2); break;
            case iaRight: left = std::max(start, P.MainLength - l.Along); break;
            case iaClient: length = std::max(P.MainLength - start, l.MinAlong); break;
            default: break;
        }
        l.Rect = TRect{left, top, left + length, top + l.Across};
        l.Placed = true;
        l.SeparatorBefore = sep > 0;
        pos = left + length;
        thickness = std::max(thickness, l.Across);
        ++result.PlacedCount;
        if (IsAligned(l)) {
            lineClosed = true;
            if (i + 1 < Links.size()) result.LinksAfterAligned = true;
        }
    }
    if (result.PlacedCount > 0) {
        std::size_t last = i - 1;
        Links[last].Last = true;
        Links[last].LineEnd = true;
        finishLine(i);
    }
    result.LinksHidden = i < Links.size();
    return result;
}

TSize DockedSingleLineSize(const std::vector<TubToolbarLink>& Links, int Length, bool MarkShown, int SeparatorSize,
                           int CaptionBand) {
    const int room = Length - (MarkShown ? ubBarMarkSize : 0);
    int along = 0, across = 0;
    for (std::size_t i = 0; i < Links.size(); ++i) {
        const TubToolbarLink& l = Links[i];
        const int sep = l.BeginGroup && i > 0 ? SeparatorSize : 0;
        if (i > 0 && along + sep + l.Along > room) break;
        along += sep + l.Along;
        across = std::max(across, l.Across);
    }
    return TSize{along + (MarkShown ? ubBarMarkSize : 0) + CaptionBand, across};
}

TSize SizeMultiLine(std::vector<TubToolbarLink>& Links, int LineLength, int SeparatorSize, int CaptionBand,
                    int MarkRoom) {
    for (TubToolbarLink& l : Links) l.NewLine = false;
    int widest = 0, height = 0;
    std::size_t first = 0;
    while (first < Links.size()) {
        // One line from `first`: as many links as fit, an aligned item ending it.
        int pos = 0;
        std::size_t end = first, lastGroup = first;
        for (; end < Links.size(); ++end) {
            const TubToolbarLink& l = Links[end];
            const int sep = l.BeginGroup && pos > 0 ? SeparatorSize : 0;
            if (pos > 0 && pos + sep + l.Along > LineLength) break;
            if (sep > 0) lastGroup = end;
            pos += sep + l.Along;
            if (IsAligned(l)) {
                ++end;
                break;
            }
        }
        // A line that does not take every link breaks before its last group start, when it holds one.
        if (end < Links.size() && lastGroup > first && !IsAligned(Links[end - 1])) end = lastGroup;
        int length = 0, thickness = 0;
        for (std::size_t i = first; i < end; ++i) {
            const TubToolbarLink& l = Links[i];
            length += (l.BeginGroup && i > first ? SeparatorSize : 0) + l.Along;
            thickness = std::max(thickness, l.Across);
        }
        if (first > 0) {
            Links[first].NewLine = true;
            if (Links[first].BeginGroup) height += SeparatorSize;
        }
        widest = std::max(widest, length);
        height += thickness;
        first = end;
    }
    return TSize{std::max(widest, CaptionBand) + MarkRoom, height};
}

TSize SizeFloatingForCross(std::vector<TubToolbarLink>& Links, int Cross, int SeparatorSize, int CaptionBand) {
    int length = ToolbarFullLength(Links, SeparatorSize);
    int least = 0;
    for (const TubToolbarLink& l : Links) least = std::max(least, l.Along);
    TSize size = SizeMultiLine(Links, length, SeparatorSize, CaptionBand, 0);
    while (length - 1 >= least) {
        TSize next = SizeMultiLine(Links, length - 1, SeparatorSize, CaptionBand, 0);
        if (next.cy > Cross) break;
        --length;
        size = next;
    }
    // The links of the chosen line length are marked for the layout.
    SizeMultiLine(Links, length, SeparatorSize, CaptionBand, 0);
    return size;
}

int ToolbarMinLength(const std::vector<TubToolbarLink>& Links, bool MultiLine, int CaptionBand) {
    int item = 0;
    if (MultiLine) {
        for (const TubToolbarLink& l : Links) item = std::max(item, l.Along);
    } else if (!Links.empty()) {
        item = Links.front().Along;
    }
    return item + CaptionBand + ubBarMarkSize;
}

int ToolbarFullLength(const std::vector<TubToolbarLink>& Links, int SeparatorSize) {
    int length = 0;
    for (std::size_t i = 0; i < Links.size(); ++i)
        length += (Links[i].BeginGroup && i > 0 ? SeparatorSize : 0) + Links[i].Along;
    return length;
}

}  // namespace zel
