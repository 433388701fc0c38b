// The drop bands across a dock and the layout of one row, against values worked out by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uilib/bars/ubBarDockLayout.h"

namespace zel::test {
namespace {

TubDockRowsGeometry TwoRows(bool Leading) {
    TubDockRowsGeometry g;
    g.RowSizes = {26, 26};
    g.Leading = Leading;
    g.ClientSize = 52;
    return g;
}

struct RowCase {
    const char* name;
    bool leading;
    int coordinate;
    int row;
    bool newRow;
};

TEST(ubBarDockLayout, ADropPointFindsItsRowThroughTheBandsAcrossTheDock) {
    const RowCase cases[] = {
        // Two rows of 26 pixels on a top dock.
        {"10 below the top of row 0 opens a row after it", true, 10, 1, true},
        {"16 below the top of row 0 joins row 1", true, 16, 1, false},
        {"5 into row 0 joins it", true, 5, 0, false},
        {"less than 9 above the first row joins row 0", true, -5, 0, false},
        {"9 to 14 above the first row opens a first row", true, -10, 0, true},
        {"14 to 23 above the first row opens a first row", true, -20, 0, true},
        {"further above opens a first row", true, -40, 0, true},
        {"the split of the last row opens a row after it", true, 35, 2, true},
        {"the far part of the last row opens a row after it", true, 45, 2, true},
        {"just past the rows opens a row at the end", true, 55, 2, true},
        {"far past the rows opens a row at the end", true, 200, 2, true},
        // The same rows on a bottom dock split 14 before each band's end.
        {"bottom: 5 into row 0 joins it", false, 5, 0, false},
        {"bottom: the new-row zone of row 0", false, 13, 1, true},
        {"bottom: past the zone joins row 1", false, 20, 1, false},
        {"bottom: 10 above the rows opens a first row", false, -10, 0, true},
        {"bottom: 5 above the rows joins row 0", false, -5, 0, false},
    };
    for (const RowCase& c : cases) {
        TubDockRowHit hit = DockRowFromCoordinate(TwoRows(c.leading), c.coordinate);
        EXPECT_EQ(hit.Row, c.row) << c.name;
        EXPECT_EQ(hit.NewRow, c.newRow) << c.name;
    }
    EXPECT_EQ(DockRowFromCoordinate(TubDockRowsGeometry{}, 17).NewRow, true);
    EXPECT_EQ(DockRowFromCoordinate(TubDockRowsGeometry{}, 17).Row, 0);
}

TEST(ubBarDockLayout, TheHotPointOfEveryRowLeadsBackToThatRow) {
    // Dragging starts with the pointer on the hot point, so that a bar picked up and dropped again stays
    // in its row (or alone in a new row there), on leading and trailing docks, while moving or not.
    const std::vector<std::vector<int>> shapes = {{26}, {26, 26}, {22, 40, 26}};
    for (const auto& sizes : shapes)
        for (bool leading : {true, false})
            for (bool moving : {false, true}) {
                TubDockRowsGeometry g;
                g.RowSizes = sizes;
                g.Leading = leading;
                g.Moving = moving;
                // A dock is sized to its rows; only a moved bar's trailing dock holds more.
                g.ClientSize = g.RowsSize() + (moving ? 10 : 0);
                for (int row = 0; row <= g.RowCount(); ++row)
                    for (bool one : {false, true}) {
                        int hot = DockHotCoordinate(g, row, one);
                        TubDockRowHit hit = DockRowFromCoordinate(g, hot);
                        std::string what = "rows " + std::to_string(sizes.size()) + " row " + std::to_string(row) +
                                           (one ? " alone" : "") + (leading ? " leading" : " trailing");
                        EXPECT_EQ(hit.Row, row) << what;
                        EXPECT_EQ(hit.NewRow, one || row == g.RowCount()) << what;
                    }
            }
    // Worked out by hand: the middle of the shortened interval, and of the new-row zone.
    EXPECT_EQ(DockHotCoordinate(TwoRows(true), 1, false), 26);
    EXPECT_EQ(DockHotCoordinate(TwoRows(true), 1, true), 11);
    EXPECT_EQ(DockHotCoordinate(TwoRows(true), 0, false), 0);
}

TEST(ubBarDockLayout, RowsOfATrailingDockStackFromItsFarEdgeOnlyWhileABarMoves) {
    TubDockRowsGeometry g = TwoRows(false);
    g.ClientSize = 80;
    EXPECT_EQ(g.RowStart(1), 26);
    g.Moving = true;
    EXPECT_EQ(g.RowStart(0), 28);
    EXPECT_EQ(g.RowStart(2), 80);
    EXPECT_EQ(DockBand(g, -1).Start, 80 - 52 - 23);
    EXPECT_EQ(DockBand(g, 2).Start, 80);
}

struct Win {
    int stored, min, full;
    bool multiLine = false, wholeRow = false, restSpace = false, moving = false;
};
struct Placed {
    int start, length;
    bool truncated;
};
struct LayoutCase {
    const char* name;
    int rowLength;
    std::vector<Win> windows;
    std::vector<Placed> expected;
};

TEST(ubBarDockLayout, ARowPlacesItsBarsAtTheirStoredPositionsAndCutsAToolongRowFromTheRight) {
    const LayoutCase cases[] = {
        {"fitting bars keep their places", 400, {{0, 41, 100}, {150, 41, 80}}, {{0, 100, false}, {150, 80, false}}},
        {"a bar that would pass the end moves back",
         400,
         {{0, 41, 100}, {350, 41, 80}},
         {{0, 100, false}, {320, 80, false}}},
        {"a bar never overlaps the one before", 400, {{0, 41, 100}, {50, 41, 80}}, {{0, 100, false}, {100, 80, false}}},
        {"too long: the first bar grows to the free length, the later ones shrink to their minimum",
         150,
         {{0, 41, 100}, {100, 41, 100}, {200, 41, 100}},
         {{0, 68, true}, {68, 41, true}, {109, 41, true}}},
        {"too long: a cut last bar reaches the end of the row",
         200,
         {{0, 30, 100}, {100, 30, 100}, {200, 30, 100}},
         {{0, 100, false}, {100, 70, true}, {170, 30, true}}},
        {"a multi-line bar is shortened, not cut",
         150,
         {{0, 41, 100}, {100, 41, 100, true}},
         {{0, 100, false}, {100, 50, false}}},
        {"a bar whose minimum is its full length is not cut",
         150,
         {{0, 41, 100}, {100, 100, 100}},
         {{0, 50, true}, {50, 100, false}}},
        {"a whole-row bar takes the row", 300, {{0, 50, 500, false, true}}, {{0, 300, true}}},
        {"a whole-row multi-line bar is not cut", 300, {{0, 50, 500, true, true}}, {{0, 300, false}}},
        {"a whole-row bar keeps its minimum", 30, {{0, 50, 500, false, true}}, {{0, 50, true}}},
        {"a bar using the rest of the space stretches to its neighbours",
         400,
         {{0, 41, 100}, {120, 41, 80, false, false, true}, {300, 41, 50}},
         {{0, 100, false}, {100, 200, false}, {300, 50, false}}},
        {"the last bar using the rest of the space reaches the end",
         400,
         {{0, 41, 100}, {120, 41, 80, false, false, true}},
         {{0, 100, false}, {100, 300, false}}},
        {"a bar being moved pushes the bar after it",
         250,
         {{0, 41, 100}, {50, 41, 100, false, false, false, true}, {250, 41, 100}},
         {{0, 50, true}, {50, 100, false}, {150, 100, false}}},
    };
    for (const LayoutCase& c : cases) {
        std::vector<TubDockRowWindow> row;
        for (const Win& w : c.windows) {
            TubDockRowWindow r;
            r.StoredPosition = w.stored;
            r.MinLength = w.min;
            r.FullLength = w.full;
            r.MultiLine = w.multiLine;
            r.WholeRow = w.wholeRow;
            r.UseRestSpace = w.restSpace;
            r.Moving = w.moving;
            row.push_back(r);
        }
        LayoutDockRow(row, c.rowLength);
        ASSERT_EQ(row.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < row.size(); ++i) {
            EXPECT_EQ(row[i].Start, c.expected[i].start) << c.name << " #" << i;
            EXPECT_EQ(row[i].Length, c.expected[i].length) << c.name << " #" << i;
            EXPECT_EQ(row[i].Truncated, c.expected[i].truncated) << c.name << " #" << i;
        }
    }
}

TEST(ubBarDockLayout, TheBarAfterAMovedBarRemembersThePlaceItWasPushedTo) {
    std::vector<TubDockRowWindow> row(3);
    const int stored[] = {0, 50, 250};
    for (int i = 0; i < 3; ++i) {
        row[static_cast<std::size_t>(i)].StoredPosition = stored[i];
        row[static_cast<std::size_t>(i)].MinLength = 41;
        row[static_cast<std::size_t>(i)].FullLength = 100;
    }
    row[1].Moving = true;
    LayoutDockRow(row, 250);
    EXPECT_TRUE(row[2].StoredPositionChanged);
    EXPECT_EQ(row[2].StoredPosition, 150);
    EXPECT_FALSE(row[1].StoredPositionChanged);
}

}  // namespace
}  // namespace zel::test
