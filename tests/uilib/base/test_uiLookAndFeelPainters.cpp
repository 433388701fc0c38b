#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "PainterTestSupport.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "support/uilib/LookAndFeelUnits.h"

namespace zel::test {
namespace {

const TuiCustomLookAndFeelPainter* Base() {
    static const TuiCustomLookAndFeelPainter base;
    return &base;
}
const TuiCustomLookAndFeelPainter* Standard() { return PainterClass<TuiStandardLookAndFeelPainter>(); }
const TuiCustomLookAndFeelPainter* Flat() { return PainterClass<TuiFlatLookAndFeelPainter>(); }
const auto* UltraFlat() {
    return static_cast<const TuiUltraFlatLookAndFeelPainter*>(PainterClass<TuiUltraFlatLookAndFeelPainter>());
}
const auto* Office() {
    return static_cast<const TuiOffice11LookAndFeelPainter*>(PainterClass<TuiOffice11LookAndFeelPainter>());
}
const auto* WinXP() {
    return static_cast<const TuiWinXPLookAndFeelPainter*>(PainterClass<TuiWinXPLookAndFeelPainter>());
}
TColor Column(int n) { return Office11Palette().Columns[n]; }

std::string S(TColor c) {
    std::ostringstream s;
    s << std::hex << static_cast<std::uint32_t>(c);
    return s.str();
}
std::string N(int v) { return std::to_string(v); }
std::string S(bool v) { return v ? "true" : "false"; }
std::string S(TPoint p) {
    std::ostringstream s;
    s << p.x << 'x' << p.y;
    return s.str();
}
std::string S(TRect r) { return N(r.left) + "," + N(r.top) + "," + N(r.right) + "," + N(r.bottom); }
std::string S(TuiBorders b) {
    std::string s;
    for (TuiBorder x : {bLeft, bTop, bRight, bBottom}) s += b.Contains(x) ? "LTRB"[x] : '-';
    return s;
}

struct TSlotRow {
    const char* name;
    std::function<std::string()> value;
    std::string expected;
};

void CheckRows(const std::vector<TSlotRow>& rows) {
    for (const TSlotRow& row : rows) EXPECT_EQ(row.value(), row.expected) << row.name;
}

class Painters : public ::testing::Test {
protected:
    TLookAndFeelUnits units;
};

// ---- slot values ----------------------------------------------------------------------------------------------

TEST_F(Painters, SlotValuesOfTheBaseAndWhatEachPainterReplaces) {
    const TRect r{0, 0, 20, 20};
    CheckRows({
        {"base 7", [] { return S(Base()->ContentColor()); }, S(clWindow)},
        {"base 8 forwards to 7", [] { return S(Base()->ContentEvenColor()); }, S(clWindow)},
        {"base 32 forwards to 19", [] { return S(Base()->RecordSeparatorColor()); }, S(clBtnShadow)},
        {"base 34 forwards to 26", [] { return S(Base()->CategoryColor()); }, S(clBtnFace)},
        {"base 43", [] { return S(Base()->PlannerBorderColor()); }, S(static_cast<TColor>(0x9D9DA1))},
        {"base 47 forwards to 50", [] { return S(Base()->PlannerColorAt(3)); }, S(clHighlightText)},
        {"base 67", [] { return S(Base()->ChartLevelTextColor()); }, S(clNavy)},
        {"base 11", [] { return S(Base()->EditorBackgroundColor(true)); }, S(clDefault)},
        {"base 83 disabled", [] { return S(Base()->ButtonGlyphColor(bpsDisabled)); }, S(clBtnShadow)},
        {"base 83 default colour", [] { return S(Base()->ButtonGlyphColor(bpsHot)); }, S(clBtnText)},
        {"base 83 own colour", [] { return S(Base()->ButtonGlyphColor(bpsHot, clRed)); }, S(clRed)},
        {"base 99 pressed", [] { return S(Base()->CheckGlyphColor(bpsPressed)); }, S(clBtnFace)},
        {"base 99 hot", [] { return S(Base()->CheckGlyphColor(bpsHot)); }, S(clWindow)},
        {"base 6", [] { return N(Base()->PainterStyle()); }, "1"},
        {"base 74", [] { return N(Base()->ControlBorderSize()); }, "0"},
        {"base 94", [] { return N(Base()->GroupExpandButtonExtent()); }, "15"},
        {"base 97", [] { return N(Base()->SmallExpandButtonExtent()); }, "9"},
        {"base 98", [] { return N(Base()->CheckFrameWidth()); }, "2"},
        {"base 100 measured from the check boxes", [] { return S(Base()->CheckGlyphSize()); }, "13x13"},
        {"base 79", [&] { return S(Base()->ButtonFocusBounds(r)); }, "4,4,16,16"},
        {"base 79 too small",
         [] {
             return S(Base()->ButtonFocusBounds(TRect{0, 0, 8, 20}));
         },
         "0,0,8,20"},
        {"base 128", [] { return S(Standard()->SortMarkAreaSize()); }, "16x7"},
        {"base 148", [] { return S(Base()->FilterCloseButtonExtent()); }, "16x14"},
        {"base 163", [] { return N(Base()->ScrollThumbMinimum(true)); }, "8"},
        {"base 165",
         [] {
             return S(TPoint{Base()->ScrollBarMetrics().cx, Base()->ScrollBarMetrics().cy});
         },
         "16x16"},
        {"base 122", [] { return N(Standard()->HeaderHeightFor(13)); }, "19"},
        {"base 126 both sides cancel",
         [] { return N(Base()->HeaderWidthFor(uiScreenCanvas(), uiBordersAll, nullptr, "")); }, "4"},
        {"standard 74", [] { return N(Standard()->ControlBorderSize()); }, "2"},
        {"standard 77 default", [] { return N(Standard()->ButtonBorderWidth(bpsDefault)); }, "3"},
        {"standard 77 normal", [] { return N(Standard()->ButtonBorderWidth(bpsNormal)); }, "2"},
        {"standard 80", [] { return S(Standard()->GroupButtonBorderWidths(3, 0)); }, "2,2,2,2"},
        {"standard 93", [] { return N(Standard()->ExpandButtonExtent()); }, "12"},
        {"standard 123 pressed", [] { return N(Standard()->SectionBorderWidth(bpsPressed)); }, "1"},
        {"standard 123 normal", [] { return N(Standard()->SectionBorderWidth(bpsNormal)); }, "2"},
        {"standard 46", [] { return S(Standard()->PlannerViewContentColor()); }, S(clWindow)},
        {"standard 119",
         [] {
             return S(Standard()->HeaderPaintBounds(TRect{10, 10, 20, 20}, {}, uiBordersAll));
         },
         "10,10,20,20"},
        {"flat 6", [] { return N(Flat()->PainterStyle()); }, "0"},
        {"flat 74", [] { return N(Flat()->ControlBorderSize()); }, "1"},
        {"flat 77 default", [] { return N(Flat()->ButtonBorderWidth(bpsDefault)); }, "2"},
        {"flat 77 hot", [] { return N(Flat()->ButtonBorderWidth(bpsHot)); }, "1"},
        {"flat 93", [] { return N(Flat()->ExpandButtonExtent()); }, "11"},
        {"ultraflat 6", [] { return N(UltraFlat()->PainterStyle()); }, "2"},
        {"ultraflat 78 hot", [] { return S(UltraFlat()->ButtonFaceColor(bpsHot)); }, S(HotBlendColor())},
        {"ultraflat 78 pressed", [] { return S(UltraFlat()->ButtonFaceColor(bpsPressed)); }, S(PressedBlendColor())},
        {"ultraflat 79", [&] { return S(UltraFlat()->ButtonFocusBounds(r)); }, "3,3,17,17"},
        {"ultraflat 80 first of three", [] { return S(UltraFlat()->GroupButtonBorderWidths(3, 0)); }, "2,2,1,2"},
        {"ultraflat 80 last of three", [] { return S(UltraFlat()->GroupButtonBorderWidths(3, 2)); }, "1,2,2,2"},
        {"ultraflat 82", [] { return N(UltraFlat()->ButtonPressedShift()); }, "0"},
        {"ultraflat 83 pressed", [] { return S(UltraFlat()->ButtonGlyphColor(bpsPressed)); }, S(clHighlightText)},
        {"ultraflat 84", [] { return N(static_cast<int>(UltraFlat()->ButtonGlyphState(bpsPressed))); }, "1"},
        {"ultraflat 95", [] { return S(UltraFlat()->ButtonHotTracks()); }, "true"},
        {"ultraflat 117 left neighbour", [] { return S(UltraFlat()->HeaderSides({nLeft})); }, "-TRB"},
        {"ultraflat 117 top neighbour",
         [] {
             return S(UltraFlat()->HeaderSides({nTop, nRight}));
         },
         "L-RB"},
        {"ultraflat 119 grows where a side is left to the neighbour",
         [] {
             return S(UltraFlat()->HeaderPaintBounds(TRect{10, 10, 20, 20}, {nLeft}, uiBordersAll));
         },
         "9,10,20,20"},
        {"ultraflat 129", [] { return S(UltraFlat()->SortMarkSize()); }, "7x8"},
        {"ultraflat 131", [] { return S(UltraFlat()->FooterSides()); }, "--RB"},
        {"ultraflat 134", [] { return N(UltraFlat()->FooterCellSpacing()); }, "2"},
        {"ultraflat 148", [] { return S(UltraFlat()->FilterCloseButtonExtent()); }, "16x15"},
        {"ultraflat 43", [] { return S(UltraFlat()->PlannerBorderColor()); }, S(clBtnShadow)},
        {"ultraflat 209 normal", [] { return S(UltraFlat()->FilterButtonBorderColor(bpsNormal)); }, S(clBtnShadow)},
        {"ultraflat 209 hot", [] { return S(UltraFlat()->FilterButtonBorderColor(bpsHot)); }, S(clHighlight)},
        {"ultraflat 211", [] { return S(UltraFlat()->TabDarkEdgeColor()); }, S(clBtnText)},
        {"office 6", [] { return N(Office()->PainterStyle()); }, "4"},
        {"office 78 normal", [] { return S(Office()->ButtonFaceColor(bpsNormal)); }, S(Column(2))},
        {"office 78 disabled", [] { return S(Office()->ButtonFaceColor(bpsDisabled)); }, S(clBtnFace)},
        {"office 83 pressed without an XP scheme", [] { return S(Office()->ButtonGlyphColor(bpsPressed)); },
         S(clHighlightText)},
        {"office 83 disabled", [] { return S(Office()->ButtonGlyphColor(bpsDisabled)); }, S(Column(31))},
        {"office 90", [] { return S(Office()->ExpandButtonDrawnFirst()); }, "false"},
        {"office 97", [] { return N(Office()->SmallExpandButtonExtent()); }, "11"},
        {"office 99 hot", [] { return S(Office()->CheckGlyphColor(bpsHot)); }, S(Column(22))},
        {"office 117 all four sides",
         [] {
             return S(Office()->HeaderSides({nLeft, nTop}));
         },
         "LTRB"},
        {"office 127", [] { return S(Office()->HeaderHotTracks()); }, "true"},
        {"office 136", [] { return S(Office()->FooterSeparatorColor()); }, S(Column(14))},
        {"office 216", [] { return S(Office()->HeaderTopEdgeColor()); }, S(MixColorsPercent(Column(0), Column(1), 50))},
        {"office 26 forwards to 216", [] { return S(Office()->HeaderColor()); }, S(Office()->HeaderTopEdgeColor())},
        {"office 24 forwards to 20", [] { return S(Office()->HeaderAreaColor()); }, S(Office()->GroupingBoxColor())},
        {"winxp 6", [] { return N(WinXP()->PainterStyle()); }, "3"},
        {"winxp 74 without a theme", [] { return N(WinXP()->ControlBorderSize()); }, "2"},
        {"winxp 82", [] { return N(WinXP()->ButtonPressedShift()); }, "0"},
        {"winxp 81", [] { return N(WinXP()->ButtonCaptionOffset()); }, "2"},
        {"winxp 135", [] { return S(WinXP()->FooterCellsFirst()); }, "false"},
        {"winxp 175", [] { return S(WinXP()->ProgressMargins()); }, "3,3,3,3"},
        {"winxp 106 without a theme: the Standard size", [] { return S(WinXP()->RadioGlyphSize()); },
         S(Standard()->RadioGlyphSize())},
    });
}

TEST(PaintersOffice, BlueSchemeColumnsReachTheSlots) {
    TTestThemeProvider provider;
    TLookAndFeelUnits units(&provider);
    ASSERT_EQ(Office11Scheme(), 1);
    CheckRows({
        {"21 column 0", [] { return S(Office()->GroupingBoxTextColor()); }, S(static_cast<TColor>(0xFEECDD))},
        {"78 hot column 22", [] { return S(Office()->ButtonFaceColor(bpsHot)); }, S(static_cast<TColor>(0xCCF4FF))},
        {"83 pressed keeps column 30", [] { return S(Office()->ButtonGlyphColor(bpsPressed)); },
         S(static_cast<TColor>(0x000000))},
        {"13 column 16", [] { return S(Office()->FilterBoxColor()); }, S(static_cast<TColor>(0xC9662A))},
        {"213 column 1", [] { return S(Office()->HeaderBottomEdgeColor()); }, S(static_cast<TColor>(0xE2A981))},
        {"212 column 21", [] { return S(Office()->ButtonGroupHighlightColor()); }, S(static_cast<TColor>(0x800000))},
    });
}

// ---- pixels ---------------------------------------------------------------------------------------------------

TEST_F(Painters, StandardDefaultButtonHasThreeRings) {
    TPaintSurface s(20, 20);
    Standard()->PaintButton(&s.canvas, TRect{0, 0, 20, 20}, false, clDefault, clDefault, true, bpsDefault, "");
    EXPECT_EQ(s.At(0, 9), Rgb(clBlack));
    EXPECT_EQ(s.At(19, 9), Rgb(clBlack));
    EXPECT_EQ(s.At(1, 9), Rgb(clBtnHighlight));
    EXPECT_EQ(s.At(18, 9), Rgb(cl3DDkShadow));
    EXPECT_EQ(s.At(2, 9), Rgb(cl3DLight));
    EXPECT_EQ(s.At(17, 9), Rgb(clBtnShadow));
    EXPECT_EQ(s.At(9, 17), Rgb(clBtnShadow));
    EXPECT_EQ(s.At(3, 9), Rgb(clBtnFace));
}

TEST_F(Painters, FlatBordersAreSingleLines) {
    struct Row {
        const char* name;
        TuiButtonPaintState state;
        COLORREF left, inner, right;
    } rows[] = {
        {"normal", bpsNormal, Rgb(clBtnHighlight), Rgb(clBtnFace), Rgb(clBtnShadow)},
        {"pressed", bpsPressed, Rgb(clBtnShadow), Rgb(clBtnFace), Rgb(clBtnHighlight)},
        {"default: black, then one line", bpsDefault, Rgb(clBlack), Rgb(clBtnHighlight), Rgb(clBlack)},
    };
    for (const Row& row : rows) {
        TPaintSurface s(20, 20);
        Flat()->PaintButton(&s.canvas, TRect{0, 0, 20, 20}, false, clDefault, clDefault, true, row.state, "");
        EXPECT_EQ(s.At(0, 9), row.left) << row.name;
        EXPECT_EQ(s.At(1, 9), row.inner) << row.name;
        EXPECT_EQ(s.At(19, 9), row.right) << row.name;
    }
}

TEST_F(Painters, UltraFlatHotAndPressedFaces) {
    for (const bool whiteFace : {false, true}) {
        if (whiteFace) SetSysColor(COLOR_BTNFACE, RGB(255, 255, 255));
        struct Row {
            TuiButtonPaintState state;
            COLORREF face;
        } rows[] = {{bpsHot, Rgb(HotBlendColor())}, {bpsPressed, Rgb(PressedBlendColor())}};
        for (const Row& row : rows) {
            TPaintSurface s(20, 20);
            UltraFlat()->PaintButton(&s.canvas, TRect{0, 0, 20, 20}, false, clDefault, clDefault, true, row.state, "");
            EXPECT_EQ(s.At(0, 9), Rgb(clHighlight));
            EXPECT_EQ(s.At(5, 9), row.face);
            // A white button face gives the selection colour itself.
            if (whiteFace) {
                EXPECT_EQ(s.At(5, 9), Rgb(clHighlight));
            }
        }
    }
}

TEST_F(Painters, Office11HeaderBorderPixels) {
    const TColor T = Office()->HeaderTopEdgeColor(), B = Office()->HeaderBottomEdgeColor(),
                 Sh = Office()->HeaderShadowEdgeColor(), L = Office()->HeaderLightEdgeColor();
    const TRect r{0, 0, 20, 12};
    struct Px {
        int x, y;
        TColor c;
    };
    struct Row {
        const char* name;
        TuiNeighbours neighbours;
        std::vector<Px> pixels;
    } rows[] = {
        {"alone",
         {},
         {{5, 0, T},
          {5, 11, Sh},
          {0, 1, T},
          {0, 5, L},
          {0, 10, B},
          {19, 0, MixColorsPercent(T, Sh, 50)},
          {19, 5, Sh},
          {19, 10, MixColorsPercent(B, Sh, 50)}}},
        {"between neighbours",
         {nLeft, nRight},
         {{0, 1, T},
          {0, 2, T},
          {0, 5, L},
          {0, 9, MixColorsPercent(T, B, 25)},
          {0, 10, B},
          {19, 0, T},
          {19, 2, T},
          {19, 5, Sh},
          {19, 9, MixColorsPercent(T, B, 25)},
          {19, 10, B}}},
    };
    for (const Row& row : rows) {
        TPaintSurface s(20, 12);
        Office()->PaintHeaderBorder(&s.canvas, r, row.neighbours, uiBordersAll);
        for (const Px& p : row.pixels) EXPECT_EQ(s.At(p.x, p.y), Rgb(p.c)) << row.name << " " << p.x << "," << p.y;
    }
}

TEST_F(Painters, Office11ExpandButtonCornersBlendWithTheBackground) {
    TPaintSurface s(13, 13, clWhite);
    s.canvas.FillRect(TRect{11, 11, 13, 13}, clRed);  // what lies under the bottom-right corner
    s.canvas.FillRect(TRect{1, 1, 12, 12}, clWhite);
    s.canvas.SetPixel(11, 11, clRed);
    Office()->PaintExpandButton(&s.canvas, TRect{1, 1, 12, 12}, clDefault, false);
    EXPECT_EQ(s.At(1, 1), Rgb(MixColorsPercent(RGB(158, 174, 191), clWhite, 25)));
    const COLORREF dark = Rgb(MixColorsPercent(RGB(46, 70, 95), clRed, 25));
    EXPECT_EQ(s.At(11, 11), dark);
    EXPECT_EQ(s.At(1, 11), dark);
    EXPECT_EQ(s.At(11, 1), dark);
    EXPECT_EQ(s.At(6, 4), Rgb(clBlack));  // the plus sign's stem
    Office()->PaintExpandButton(&s.canvas, TRect{1, 1, 12, 12}, clDefault, true);
    EXPECT_NE(s.At(6, 4), Rgb(clBlack));  // minus
    EXPECT_EQ(s.At(6, 6), Rgb(clBlack));
}

TEST_F(Painters, CheckMarkStrokes) {
    TPaintSurface s(13, 13);
    Base()->PaintCheckMark(&s.canvas, TRect{2, 2, 11, 11}, clBlack, true, bpsNormal);
    for (TPoint p : {TPoint{3, 5}, TPoint{4, 6}, TPoint{5, 7}, TPoint{9, 3}, TPoint{3, 7}, TPoint{5, 9}, TPoint{9, 5}})
        EXPECT_EQ(s.At(p.x, p.y), Rgb(clBlack)) << p.x << "," << p.y;
    for (TPoint p : {TPoint{10, 2}, TPoint{5, 10}, TPoint{2, 5}})
        EXPECT_NE(s.At(p.x, p.y), Rgb(clBlack)) << p.x << "," << p.y;
    EXPECT_EQ(s.At(8, 8), Rgb(clWindow));  // filled with CheckGlyphColor
}

TEST_F(Painters, CheckGlyphMarkColours) {
    struct Row {
        TuiCheckBoxState check;
        TuiButtonPaintState state;
        bool mark;
        COLORREF colour;
    } rows[] = {{cbsChecked, bpsNormal, true, Rgb(clBtnText)},
                {cbsGrayed, bpsNormal, true, Rgb(clGrayText)},
                {cbsChecked, bpsDisabled, true, Rgb(clGrayText)},
                {cbsUnchecked, bpsNormal, false, 0}};
    for (const Row& row : rows) {
        TPaintSurface s(13, 13);
        Standard()->PaintCheckGlyph(&s.canvas, TRect{0, 0, 13, 13}, row.check, row.state);
        if (row.mark) EXPECT_EQ(s.At(5, 7), row.colour);
        else EXPECT_EQ(s.At(5, 7), Rgb(clWindow));
    }
}

TEST(PainterGeometry, ArrowsInThreeRectangleSizes) {
    struct Row {
        const char* name;
        TRect r;
        TuiArrowDirection direction;
        TPoint p[3];
    } rows[] = {
        {"9 x 9 up", {0, 0, 9, 9}, adUp, {{2, 5}, {6, 5}, {4, 3}}},
        {"17 x 17 down", {0, 0, 17, 17}, adDown, {{4, 6}, {12, 6}, {8, 10}}},
        {"16 x 10 right, squared", {0, 0, 16, 10}, adRight, {{7, 3}, {7, 7}, {9, 5}}},
    };
    for (const Row& row : rows) {
        TPoint p[3];
        CalculateArrowPoints(row.r, p, row.direction, true);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(p[i], row.p[i]) << row.name << " vertex " << i;
    }
}

TEST_F(Painters, PagePatternIsAnchoredAtTheCanvasOriginAcrossAdjacentFills) {
    TPaintSurface s(10, 8);
    Standard()->PaintScrollBarPart(&s.canvas, true, bpsNormal, sbpPageUp, TRect{0, 0, 5, 8});
    Standard()->PaintScrollBarPart(&s.canvas, true, bpsNormal, sbpPageDown, TRect{5, 0, 10, 8});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(s.At(x, y), Rgb((x + y) % 2 ? clBtnHighlight : clBtnFace)) << x << "," << y;
    Standard()->PaintScrollBarPart(&s.canvas, true, bpsPressed, sbpPageDown, TRect{5, 0, 10, 8});
    EXPECT_EQ(s.At(5, 0), Rgb(cl3DDkShadow));
    EXPECT_EQ(s.At(6, 0), Rgb(clBlack));
}

TEST_F(Painters, PressedStandardScrollArrowIsFlatAndShifted) {
    TPaintSurface s(17, 17), expected(17, 17);
    Standard()->PaintScrollBarPart(&s.canvas, false, bpsPressed, sbpLineUp, TRect{0, 0, 17, 17});
    TRect r{1, 1, 18, 18};
    DrawFrameControl(expected.canvas.Handle(), &r, DFC_SCROLL, DFCS_SCROLLUP | DFCS_FLAT);
    for (int y = 2; y < 15; ++y)
        for (int x = 2; x < 15; ++x) ASSERT_EQ(s.At(x, y), expected.At(x, y)) << x << "," << y;
    EXPECT_EQ(s.At(0, 8), Rgb(clBtnShadow));
    EXPECT_EQ(s.At(16, 8), Rgb(clBtnShadow));
    EXPECT_EQ(s.At(1, 8), Rgb(clBtnFace));
}

TEST_F(Painters, DisabledThumbIsSkippedByStandardAndFlat) {
    for (const TuiCustomLookAndFeelPainter* painter :
         {Standard(), Flat(), static_cast<const TuiCustomLookAndFeelPainter*>(UltraFlat())}) {
        TPaintSurface s(17, 30);
        painter->PaintScrollBarPart(&s.canvas, false, bpsDisabled, sbpThumbnail, TRect{0, 0, 17, 30});
        for (COLORREF c : s.Pixels()) ASSERT_EQ(c, Rgb(kMarker)) << painter->ClassName();
    }
}

TEST_F(Painters, WordWrappedButtonCaptionWrapsAndUnderlinesItsAccelerator) {
    const auto textRows = [](TPaintSurface& s) {
        std::vector<int> rows;
        for (int y = 0; y < s.bitmap.GetHeight(); ++y) {
            bool text = false;
            for (int x = 3; x < s.bitmap.GetWidth() - 3; ++x) text = text || s.At(x, y) == Rgb(clBtnText);
            if (text) rows.push_back(y);
        }
        return rows;
    };
    TPaintSurface wrapped(60, 60), oneLine(60, 60);
    Standard()->PaintButton(&wrapped.canvas, TRect{0, 0, 60, 60}, true, clDefault, clDefault, true, bpsNormal,
                            "Alpha beta gamma");
    Standard()->PaintButton(&oneLine.canvas, TRect{0, 0, 60, 60}, false, clDefault, clDefault, true, bpsNormal,
                            "Alpha beta gamma");
    const std::vector<int> wrappedRows = textRows(wrapped), oneLineRows = textRows(oneLine);
    ASSERT_FALSE(wrappedRows.empty());
    EXPECT_GT(wrappedRows.back() - wrappedRows.front(), 2 * (oneLineRows.back() - oneLineRows.front()));

    // "&A" draws the letter with a line under it, and no ampersand.
    TPaintSurface plain(60, 30), prefixed(60, 30);
    Standard()->PaintButton(&plain.canvas, TRect{0, 0, 60, 30}, true, clDefault, clDefault, true, bpsNormal, "Alpha");
    Standard()->PaintButton(&prefixed.canvas, TRect{0, 0, 60, 30}, true, clDefault, clDefault, true, bpsNormal,
                            "&Alpha");
    int extra = 0;
    const std::vector<COLORREF> a = plain.Pixels(), b = prefixed.Pixels();
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == Rgb(clBtnText)) ASSERT_EQ(b[i], Rgb(clBtnText));
        else if (b[i] == Rgb(clBtnText)) ++extra;
    }
    EXPECT_GT(extra, 2);
}

TEST_F(Painters, BorrowedDrawingResolvesOnTheLender) {
    TPaintSurface standard(30, 30), flat(30, 30);
    Standard()->PaintGroupExpandButton(&standard.canvas, TRect{0, 0, 30, 30}, bpsNormal, true);
    Flat()->PaintGroupExpandButton(&flat.canvas, TRect{0, 0, 30, 30}, bpsNormal, true);
    EXPECT_EQ(standard.Pixels(), flat.Pixels());
    EXPECT_EQ(standard.At(0, 10), Rgb(clBtnHighlight));  // Flat's one-line border
    // Office 2003's scroll bars use the Standard drawing when there is no theme, not the UltraFlat one.
    TPaintSurface office(17, 17), classic(17, 17);
    Office()->PaintScrollBarPart(&office.canvas, false, bpsNormal, sbpLineDown, TRect{0, 0, 17, 17});
    Standard()->PaintScrollBarPart(&classic.canvas, false, bpsNormal, sbpLineDown, TRect{0, 0, 17, 17});
    EXPECT_EQ(office.Pixels(), classic.Pixels());
}

TEST_F(Painters, ExpandButtonsTakeThemselvesOutOfTheClipRegionExceptOffice) {
    for (const TuiCustomLookAndFeelPainter* painter :
         {Standard(), Flat(), static_cast<const TuiCustomLookAndFeelPainter*>(UltraFlat()),
          static_cast<const TuiCustomLookAndFeelPainter*>(Office())}) {
        TPaintSurface s(20, 20);
        painter->PaintExpandButton(&s.canvas, TRect{2, 2, 13, 13}, clDefault, false);
        s.canvas.FillRect(TRect{0, 0, 20, 20}, clRed);
        const bool covered = s.At(7, 7) == Rgb(clRed);
        EXPECT_EQ(covered, painter == Office()) << painter->ClassName();
    }
}

TEST_F(Painters, BackgroundTransparentWithoutBitmapLeavesTheCanvas) {
    TPaintSurface s(8, 8);
    Base()->PaintBackground(&s.canvas, TRect{0, 0, 8, 8}, nullptr, clRed, true);
    EXPECT_EQ(s.At(3, 3), Rgb(kMarker));
    Base()->PaintBackground(&s.canvas, TRect{0, 0, 8, 8}, nullptr, clRed, false);
    EXPECT_EQ(s.At(3, 3), Rgb(clRed));
}

// ---- WinXP ----------------------------------------------------------------------------------------------------

std::string DrawCalls(const TTestThemeProvider& provider) {
    std::ostringstream s;
    for (const TThemeCall& c : provider.Calls) {
        if (c.Function != "DrawThemeBackground" && c.Function != "DrawThemeText") continue;
        s << (c.Function == "DrawThemeText" ? 'T' : 'B') << c.Part << '/' << c.State << ' ';
    }
    return s.str();
}

TEST(PaintersWinXP, ThemedOperationsDrawTheirPartsAndStates) {
    TTestThemeProvider provider;
    TLookAndFeelUnits units(&provider);
    TPaintSurface s(40, 40);
    TuiCanvas* c = &s.canvas;
    const TRect r{0, 0, 40, 20};
    struct Row {
        const char* name;
        std::function<void()> draw;
        std::string calls;
    } rows[] = {
        {"default push button: state 5",
         [&] { WinXP()->PaintButton(c, r, false, clDefault, clDefault, true, bpsDefault, "Ok"); }, "B1/5 T1/5 "},
        {"disabled vertical thumb: state 4 and its gripper",
         [&] { WinXP()->PaintScrollBarPart(c, false, bpsDisabled, sbpThumbnail, r); }, "B3/4 B9/0 "},
        {"hot horizontal thumb", [&] { WinXP()->PaintScrollBarPart(c, true, bpsHot, sbpThumbnail, r); }, "B2/2 B8/0 "},
        {"pressed right arrow", [&] { WinXP()->PaintScrollBarPart(c, true, bpsPressed, sbpLineDown, r); }, "B1/15 "},
        {"up arrow", [&] { WinXP()->PaintScrollBarPart(c, false, bpsNormal, sbpLineUp, r); }, "B1/1 "},
        {"vertical page after", [&] { WinXP()->PaintScrollBarPart(c, false, bpsPressed, sbpPageDown, r); }, "B7/3 "},
        {"horizontal page before", [&] { WinXP()->PaintScrollBarPart(c, true, bpsNormal, sbpPageUp, r); }, "B4/1 "},
        {"checked hot check box", [&] { WinXP()->PaintCheckGlyph(c, r, cbsChecked, bpsHot); }, "B3/6 "},
        {"unchecked radio", [&] { WinXP()->PaintRadioGlyph(c, 0, 0, clDefault, false, false, false, bpsPressed); },
         "B2/3 "},
        {"expanded tree button", [&] { WinXP()->PaintExpandButton(c, r, clDefault, true); }, "B2/2 "},
        {"collapsed hot group expand button", [&] { WinXP()->PaintGroupExpandButton(c, r, bpsHot, false); }, "B7/2 "},
        {"disabled group expand button draws as normal",
         [&] { WinXP()->PaintGroupExpandButton(c, r, bpsDisabled, true); }, "B6/1 "},
        {"pressed header",
         [&] {
             WinXP()->PaintHeader(c, r, r, {}, uiBordersAll, bpsPressed, taLeftJustify, vaCenter, false, false, "A",
                                  nullptr, clBlack, clBtnFace, nullptr);
         },
         "B1/3 T1/3 "},
        {"last header in the blue scheme",
         [&] {
             WinXP()->PaintHeader(c, r, r, {}, uiBordersAll, bpsNormal, taLeftJustify, vaCenter, false, false, "A",
                                  nullptr, clBlack, clBtnFace, nullptr, true);
         },
         "B3/1 T3/1 "},
        {"progress",
         [&] {
             WinXP()->PaintProgress(c, r, false, {}, TRect{0, 0, 10, 20});
         },
         "B1/0 B3/0 "},
        {"hot navigator button", [&] { WinXP()->PaintNavigatorButton(c, r, bpsHot); }, "B1/5 "},
        {"size grip", [&] { WinXP()->PaintSizeGrip(c, r, clBtnFace); }, "B10/1 "},
        {"hot filter close button", [&] { WinXP()->PaintFilterCloseButton(c, r, bpsHot); }, "B19/2 "},
        {"selected tab",
         [&] { WinXP()->PaintTab(c, r, r, bpsPressed, uiBordersAll, false, "Tab", nullptr, clBlack, clBtnFace); },
         "B1/3 T1/3 "},
        {"footer cell",
         [&] {
             WinXP()->PaintFooterCell(c, r, taLeftJustify, vaCenter, false, "9", nullptr, clBlack, clBtnFace, nullptr);
         },
         "B1/1 T1/1 "},
    };
    for (const Row& row : rows) {
        provider.Calls.clear();
        row.draw();
        EXPECT_EQ(DrawCalls(provider), row.calls) << row.name;
    }
}

TEST(PaintersWinXP, SizesComeFromThePartsAndStatesTheyName) {
    TTestThemeProvider provider;
    provider.ContentInsets[{L"Button", 1, 5}] = RECT{4, 3, 4, 3};  // the default push button
    provider.ContentInsets[{L"Button", 1, -1}] = RECT{2, 3, 5, 6};
    provider.ContentInsets[{L"Header", 1, 1}] = RECT{3, 2, 0, 0};
    provider.PartiallyTransparent.insert({L"Button", 1, 1});
    provider.PartSizes[{L"ScrollBar", 9, -1, TS_MIN}] = SIZE{8, 12};
    provider.PartSizes[{L"ScrollBar", 9, -1, TS_TRUE}] = SIZE{8, 6};
    provider.PartSizes[{L"ScrollBar", 8, -1, TS_MIN}] = SIZE{5, 5};
    provider.PartSizes[{L"ScrollBar", 8, -1, TS_TRUE}] = SIZE{9, 5};
    provider.PartSizes[{L"Button", 2, 1, TS_TRUE}] = SIZE{15, 14};
    TLookAndFeelUnits units(&provider);
    CheckRows({
        {"77 default: left inset of state 5", [] { return N(WinXP()->ButtonBorderWidth(bpsDefault)); }, "4"},
        {"77 hot", [] { return N(WinXP()->ButtonBorderWidth(bpsHot)); }, "2"},
        {"80 insets moved for a partially transparent button", [] { return S(WinXP()->GroupButtonBorderWidths(2, 0)); },
         "1,2,4,5"},
        {"76 grown for a partially transparent button",
         [] {
             return S(WinXP()->GroupButtonDisplayRect(TRect{10, 10, 20, 20}));
         },
         "9,9,21,21"},
        {"118 half of left and top", [] { return N(WinXP()->HeaderBorderWidth()); }, "2"},
        {"163 vertical: the minimal size wins", [] { return N(WinXP()->ScrollThumbMinimum(true)); }, "12"},
        {"163 horizontal: true size + 4", [] { return N(WinXP()->ScrollThumbMinimum(false)); }, "13"},
        {"106 radio size", [] { return S(WinXP()->RadioGlyphSize()); }, "15x14"},
        {"93 tree glyph width (the default size)", [] { return N(WinXP()->ExpandButtonExtent()); }, "13"},
    });
}

TEST_F(Painters, WinXPWithoutThemesDrawsAsItsFallBack) {
    const TuiCustomLookAndFeelPainter* standard = Standard();
    const TRect r{1, 1, 30, 21};
    struct Row {
        const char* name;
        std::function<void(const TuiCustomLookAndFeelPainter*, TuiCanvas*)> draw;
    } rows[] = {
        {"scroll arrow", [&](auto p, auto c) { p->PaintScrollBarPart(c, false, bpsPressed, sbpLineUp, r); }},
        {"thumb", [&](auto p, auto c) { p->PaintScrollBarPart(c, true, bpsHot, sbpThumbnail, r); }},
        {"disabled thumb", [&](auto p, auto c) { p->PaintScrollBarPart(c, true, bpsDisabled, sbpThumbnail, r); }},
        {"page", [&](auto p, auto c) { p->PaintScrollBarPart(c, true, bpsPressed, sbpPageUp, r); }},
        {"control border", [&](auto p, auto c) { p->PaintControlBorder(c, r); }},
        {"expand button",
         [&](auto p, auto c) {
             p->PaintExpandButton(c, TRect{2, 2, 14, 14}, clDefault, false);
         }},
        {"group expand button", [&](auto p, auto c) { p->PaintGroupExpandButton(c, r, bpsHot, true); }},
        {"check border",
         [&](auto p, auto c) {
             p->PaintCheckBorder(c, TRect{0, 0, 13, 13}, bpsNormal);
         }},
        {"radio glyph", [&](auto p, auto c) { p->PaintRadioGlyph(c, 2, 2, clDefault, true, true, false, bpsHot); }},
        {"footer border", [&](auto p, auto c) { p->PaintFooterBorder(c, r); }},
        {"filter drop button", [&](auto p, auto c) { p->PaintFilterDropButton(c, r, bpsPressed, true); }},
        {"tab border",
         [&](auto p, auto c) {
             p->PaintTabBorder(c, TRect{2, 2, 3, 18}, false, uiBordersAll, bLeft);
         }},
        {"tab area",
         [&](auto p, auto c) {
             p->PaintTabArea(c, r, {bLeft, bBottom});
         }},
        {"planner splitter",
         [&](auto p, auto c) {
             p->PaintPlannerSplitter(c, r, true, TuiFillParams{nullptr, clRed});
         }},
    };
    for (const Row& row : rows) {
        TPaintSurface xp(32, 24), classic(32, 24);
        row.draw(WinXP(), &xp.canvas);
        row.draw(standard, &classic.canvas);
        EXPECT_EQ(xp.Pixels(), classic.Pixels()) << row.name;
    }
    // ButtonPressedShift stays the WinXP painter's own 0: a pressed caption does not move.
    TPaintSurface xp(40, 20), classic(40, 20);
    WinXP()->PaintButton(&xp.canvas, TRect{0, 0, 40, 20}, false, clDefault, clDefault, true, bpsPressed, "I");
    Standard()->PaintButton(&classic.canvas, TRect{0, 0, 40, 20}, false, clDefault, clDefault, true, bpsPressed, "I");
    EXPECT_NE(xp.Pixels(), classic.Pixels());
}

}  // namespace
}  // namespace zel::test
