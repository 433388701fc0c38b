#pragma once
// The arithmetic of a dock control, apart from its windows: the drop bands across the dock that decide
// which row a dropped bar joins or opens, and the layout of the bars of one row along it.
#include <vector>

namespace zel {

// The rows of a dock as seen across it.
struct TubDockRowsGeometry {
    std::vector<int> RowSizes;  // the thickness of each row, first to last
    bool Leading = true;        // a left or top dock; a right or bottom dock trails
    int ClientSize = 0;         // the client width (right dock) or height (bottom dock) across the rows
    // While a bar is moved, the rows of a trailing dock stack from the far edge.
    bool Moving = false;

    int RowCount() const { return static_cast<int>(RowSizes.size()); }
    // The sum of the row sizes.
    int RowsSize() const;
    // Where row Row starts across the dock (Row may be RowCount: the end of the last row).
    int RowStart(int Row) const;
};

// The band [Start, End) across the dock for row Row (-1 before the first row, RowCount after the last) and
// where it splits: zone 0 is [Start, Split), zone 1 [Split, Split + 5) opens a new row, zone 2
// [Split + 5, End).
struct TubDockBand {
    int Start = 0;
    int End = 0;
    int Split = 0;
};
// The thickness of the bands before and after the rows, and of the new-row zone.
inline constexpr int ubDockBandSize = 23;
inline constexpr int ubDockNewRowZone = 5;
TubDockBand DockBand(const TubDockRowsGeometry& G, int Row);

struct TubDockRowHit {
    int Row = 0;
    bool NewRow = false;
};
// The row for a coordinate across the dock (client coordinates).
TubDockRowHit DockRowFromCoordinate(const TubDockRowsGeometry& G, int Coordinate);
// The coordinate across the dock that puts a dragged bar back into row Row (alone in a new row when
// OneOnRow): the middle of the zone that gives that answer.
int DockHotCoordinate(const TubDockRowsGeometry& G, int Row, bool OneOnRow);

// One window of a row, along the row. The inputs come first, the layout fills the rest.
struct TubDockRowWindow {
    int StoredPosition = 0;  // the column's stored position along the row
    int MinLength = 0;       // the least length, borders and the room for the mark included
    int FullLength = 0;      // the length that shows every item, borders included
    bool MultiLine = false;
    bool WholeRow = false;
    bool UseRestSpace = false;
    bool Moving = false;  // the window is being moved by the mouse

    int Start = 0;
    int Length = 0;
    bool Truncated = false;
    bool StoredPositionChanged = false;  // the column stores StoredPosition anew
};
// Lays out the windows of one row over the length RowLength: a row that is too long is cut from the right
// (the first window keeps its place, the others shrink towards their minimum), bars that use the rest of
// the space stretch to their neighbours, and a cut last window reaches the end of the row.
void LayoutDockRow(std::vector<TubDockRowWindow>& Windows, int RowLength);

}  // namespace zel
