#include "uilib/bars/ubBarDockLayout.h"

#include <algorithm>
#include <numeric>

namespace zel {

namespace {

// Where a band splits: 9 pixels in for leading docks, 14 before its end for trailing ones, so that the
// new-row zone of 5 pixels sits in the middle of a 23-pixel band.
constexpr int LeadingSplit = (ubDockBandSize - ubDockNewRowZone) / 2;
constexpr int TrailingSplit = ubDockBandSize - LeadingSplit;

}  // namespace

int TubDockRowsGeometry::RowsSize() const { return std::accumulate(RowSizes.begin(), RowSizes.end(), 0); }

int TubDockRowsGeometry::RowStart(int Row) const {
    int start = !Leading && Moving ? ClientSize - RowsSize() : 0;
    for (int r = 0; r < Row && r < RowCount(); ++r) start += RowSizes[static_cast<std::size_t>(r)];
    return start;
}

TubDockBand DockBand(const TubDockRowsGeometry& G, int Row) {
    const int n = G.RowCount(), s = G.RowsSize();
    TubDockBand b;
    if (Row < 0) {
        b.Start = G.Leading ? -ubDockBandSize : G.ClientSize - s - ubDockBandSize;
        b.End = b.Start + ubDockBandSize;
    } else if (Row >= n) {
        b.Start = G.Leading ? s : G.ClientSize;
        b.End = b.Start + ubDockBandSize;
    } else {
        b.Start = G.RowStart(Row);
        b.End = b.Start + G.RowSizes[static_cast<std::size_t>(Row)];
    }
    b.Split = G.Leading ? b.Start + LeadingSplit : b.End - TrailingSplit;
    return b;
}

TubDockRowHit DockRowFromCoordinate(const TubDockRowsGeometry& G, int Coordinate) {
    const int n = G.RowCount();
    if (n == 0) return {0, true};
    TubDockRowHit hit;
    bool found = false;
    for (int r = -1; r <= n && !found; ++r) {
        TubDockBand b = DockBand(G, r);
        if (Coordinate >= b.Start && Coordinate < b.Split) {
            hit = {r, false};
            found = true;
        } else if (Coordinate >= b.Split && Coordinate < b.Split + ubDockNewRowZone) {
            hit = {r + 1, true};
            found = true;
        } else if (Coordinate >= b.Split + ubDockNewRowZone && Coordinate < b.End) {
            hit = {r + 1, false};
            found = true;
        }
    }
    if (!found || hit.Row < 0) hit = {Coordinate < G.RowsSize() ? 0 : n, true};
    if (hit.Row >= n) hit.NewRow = true;
    return hit;
}

int DockHotCoordinate(const TubDockRowsGeometry& G, int Row, bool OneOnRow) {
    if (Row == G.RowCount()) OneOnRow = false;
    TubDockBand before = DockBand(G, Row - 1);
    if (OneOnRow) return (before.Split + before.Split + ubDockNewRowZone) / 2;
    TubDockBand own = DockBand(G, Row);
    int start = before.Split + ubDockNewRowZone;
    const int end = own.Split;
    const int ownPart = own.Split - own.Start;
    if (before.End - start > ownPart) start = before.End - ownPart;
    return (start + end) / 2;
}

void LayoutDockRow(std::vector<TubDockRowWindow>& W, int L) {
    const int count = static_cast<int>(W.size());
    if (count == 0) return;
    auto at = [&](int i) -> TubDockRowWindow& { return W[static_cast<std::size_t>(i)]; };
    // The sums of the minimum and full lengths of the windows before each window.
    std::vector<int> minBefore(W.size() + 1, 0), fullBefore(W.size() + 1, 0);
    int total = 0;
    for (int i = 0; i < count; ++i) {
        at(i).Truncated = false;
        at(i).StoredPositionChanged = false;
        minBefore[static_cast<std::size_t>(i) + 1] = minBefore[static_cast<std::size_t>(i)] + at(i).MinLength;
        fullBefore[static_cast<std::size_t>(i) + 1] = fullBefore[static_cast<std::size_t>(i)] + at(i).FullLength;
        total += at(i).FullLength;
    }
    auto between = [](int v, int lo, int hi) { return std::min(std::max(v, lo), hi); };

    if (at(0).WholeRow) {
        TubDockRowWindow& w = at(0);
        w.Start = 0;
        w.Length = std::max(L, w.MinLength);
        w.Truncated = !w.MultiLine && w.Length < w.FullLength;
    } else if (L < total) {
        int r = L;
        for (int i = count - 1; i >= 0; --i) {
            TubDockRowWindow& w = at(i);
            const int lo = minBefore[static_cast<std::size_t>(i)], hi = fullBefore[static_cast<std::size_t>(i)];
            int pos = between(w.StoredPosition, lo, hi);
            if (i > 0 && at(i - 1).Moving) {
                const TubDockRowWindow& moved = at(i - 1);
                int end = std::max(moved.StoredPosition, minBefore[static_cast<std::size_t>(i) - 1]) + moved.FullLength;
                if (end < pos) {
                    pos = end;
                    w.StoredPosition = end;
                    w.StoredPositionChanged = true;
                }
            }
            const int free = r - pos;
            if (free < w.FullLength) {
                w.Truncated = !(w.MultiLine || w.MinLength == w.FullLength);
                w.Length = std::max(free, w.MinLength);
            } else {
                w.Length = w.FullLength;
            }
            if (i == 0) w.Length = std::max(w.Length, r);
            w.Start = between(r - w.Length, lo, hi);
            r -= w.Length;
        }
    } else {
        int r = L;
        for (int i = count - 1; i >= 0; --i) {
            TubDockRowWindow& w = at(i);
            w.Length = w.FullLength;
            w.Start = w.StoredPosition + w.Length > r ? r - w.Length : w.StoredPosition;
            w.Start = std::max(w.Start, fullBefore[static_cast<std::size_t>(i)]);
            r = w.Start;
        }
    }

    for (int i = 0; i < count; ++i) {
        TubDockRowWindow& w = at(i);
        if (!w.UseRestSpace) continue;
        const int start = i == 0 ? 0 : at(i - 1).Start + at(i - 1).Length;
        const int end = i == count - 1 ? L : at(i + 1).Start;
        w.Start = start;
        w.Length = std::max(end - start, w.MinLength);
    }
    TubDockRowWindow& last = at(count - 1);
    if (last.Truncated) last.Length = std::max(L - last.Start, last.MinLength);
}

}  // namespace zel
