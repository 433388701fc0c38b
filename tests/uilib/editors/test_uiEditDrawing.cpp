// The editors' drawing routines, pixel by pixel: arrows, filled polylines, fills with a hole, frame edges and
// glyphs; and the small maps (arrow sizes, text flags, button content offsets, painters by kind).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Units.h"
#include "platform/vcl/VclGraphics.h"
#include "platform/win/UxTheme.h"
#include "uilib/base/ubOffice11.h"
#include "uilib/editors/uiContainer.h"
#include "uilib/editors/uiEditPaintUtils.h"
#include "uilib/editors/uiEditProperties.h"
#include "uilib/editors/uiEditorsUnits.h"

namespace zel::test {
namespace {

class EditDrawing : public ::testing::Test {
protected:
    TUnitsScope units{uiEditorsUnitList()};
    TBitmap bitmap;

    TCanvas* Blank(int w, int h) {
        bitmap.SetSize(w, h);
        bitmap.Canvas()->Brush()->SetColor(clWhite);
        bitmap.Canvas()->FillRect(TRect{0, 0, w, h});
        return bitmap.Canvas();
    }
    // The picture: '#' for the colour drawn (red), '.' for the white left alone, '?' for anything else.
    std::vector<std::string> Picture() {
        std::vector<std::string> rows;
        for (int y = 0; y < bitmap.GetHeight(); ++y) {
            std::string row;
            for (int x = 0; x < bitmap.GetWidth(); ++x) {
                const TColor c = bitmap.Canvas()->GetPixel(x, y);
                row += c == clRed ? '#' : c == clWhite ? '.' : '?';
            }
            rows.push_back(row);
        }
        return rows;
    }
};

TEST_F(EditDrawing, ArrowRows) {
    struct TRow {
        const char* name;
        int size;
        bool pressed, twice;
        TuiArrowDirection direction;
        std::vector<std::string> picture;
    } rows[] = {
        {"Down",
         3,
         false,
         false,
         adDown,
         {".......", ".......", ".#####.", "..###..", "...#...", ".......", "......."}},
        {"UpPressed",
         3,
         true,
         false,
         adUp,
         {".......", ".......", ".......", "....#..", "...###.", "..#####", "......."}},
        {"Left", 2, false, false, adLeft, {".....", "..#..", ".##..", "..#..", "....."}},
        {"DoubleRight", 2, false, true, adRight, {"......", ".#.#..", ".####.", ".#.#..", "......", "......"}},
        {"DoubleDown", 2, false, true, adDown, {".....", ".###.", "..#..", ".###.", "..#..", "....."}},
    };
    for (const TRow& row : rows) {
        const int w = static_cast<int>(row.picture[0].size()), h = static_cast<int>(row.picture.size());
        DrawEditArrow(Blank(w, h), row.size, TRect{0, 0, w, h}, clRed, row.pressed, row.twice, row.direction);
        EXPECT_EQ(Picture(), row.picture) << row.name;
    }
}

TEST_F(EditDrawing, ArrowSizeForAButtonContent) {
    struct TRow {
        TSize content;
        TuiArrowDirection direction;
        TSize expected;
    } rows[] = {
        {{9, 9}, adDown, {5, 3}}, {{8, 20}, adDown, {3, 2}}, {{8, 20}, adRight, {2, 3}},
        {{20, 13}, adUp, {7, 4}}, {{1, 1}, adUp, {1, 1}},
    };
    for (const TRow& row : rows) {
        const TSize s = CalcArrowSize(row.content, row.direction);
        EXPECT_EQ(s.cx, row.expected.cx) << row.content.cx << "x" << row.content.cy;
        EXPECT_EQ(s.cy, row.expected.cy) << row.content.cx << "x" << row.content.cy;
    }
    // The 9 × 9 arrow drawn at its size fills its 5 × 3 box exactly.
    DrawEditArrow(Blank(9, 9), CalcArrowSize({9, 9}, adDown).cy, TRect{0, 0, 9, 9}, clRed, false, false, adDown);
    EXPECT_EQ(Picture()[3], "..#####..");
    EXPECT_EQ(Picture()[5], "....#....");
}

TEST_F(EditDrawing, FilledPolylineCoversEverySegmentAndItsEnds) {
    const TPoint points[] = {{1, 1}, {5, 1}, {5, 4}, {2, 4}, {2, 3}};
    DrawPolyline(Blank(7, 6), points, 5, true, clRed);
    EXPECT_EQ(Picture(), (std::vector<std::string>{".......", ".#####.", ".....#.", "..#..#.", "..####.", "......."}));
    // Unfilled, the pen draws the same path and the last point is set as well.
    DrawPolyline(Blank(7, 6), points, 5, false, clRed);
    EXPECT_EQ(Picture(), (std::vector<std::string>{".......", ".#####.", ".....#.", "..#..#.", "..####.", "......."}));
}

TEST_F(EditDrawing, FillRectExceptRows) {
    struct TRow {
        const char* name;
        TRect inner;
        std::vector<std::string> picture;
    } rows[] = {
        {"Hole", {2, 1, 4, 3}, {"######", "##..##", "##..##", "######", "######"}},
        {"EqualDrawsNothing", {0, 0, 6, 5}, {"......", "......", "......", "......", "......"}},
        {"EmptyInnerFillsAll", {3, 3, 3, 3}, {"######", "######", "######", "######", "######"}},
        {"HoleAtTheEdge", {0, 0, 6, 2}, {"......", "......", "######", "######", "######"}},
    };
    for (const TRow& row : rows) {
        TCanvas* canvas = Blank(6, 5);
        FillRectExcept(canvas, TRect{0, 0, 6, 5}, row.inner, uiGetSolidBrush(clRed));
        EXPECT_EQ(Picture(), row.picture) << row.name;
    }
    FillRectExcept(Blank(6, 5), TRect{2, 2, 2, 4}, TRect{}, uiGetSolidBrush(clRed));
    EXPECT_EQ(Picture()[2], "......") << "an empty outer draws nothing";
}

TEST_F(EditDrawing, BorderEdgesDrawTheChosenSidesAndShrinkTheRectangle) {
    TRect r{0, 0, 5, 4};
    DrawBorderEdges(Blank(5, 4), r, TuiBorders{bLeft, bBottom}, clRed);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"#....", "#....", "#....", "#####"}));
    EXPECT_EQ(r, (TRect{1, 0, 5, 3}));
    r = TRect{0, 0, 5, 4};
    DrawBorderEdges(Blank(5, 4), r, uiBordersAll, clRed);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"#####", "#...#", "#...#", "#####"}));
    EXPECT_EQ(r, (TRect{1, 1, 4, 3}));
}

TEST_F(EditDrawing, GlyphsLeaveTheirTransparentColourOut) {
    // A 3 × 2 glyph: lime is its transparent colour (the bottom-left pixel), red its picture.
    TBitmap glyph;
    glyph.SetSize(3, 2);
    glyph.Canvas()->Brush()->SetColor(clLime);
    glyph.Canvas()->FillRect(TRect{0, 0, 3, 2});
    glyph.Canvas()->SetPixel(1, 0, clRed);
    glyph.Canvas()->SetPixel(2, 1, clRed);

    DrawEditGlyph(Blank(5, 3), 1, 1, &glyph, true, clNone);
    EXPECT_EQ(Picture(), (std::vector<std::string>{".....", "..#..", "...#."}));
    DrawEditGlyph(Blank(5, 3), 1, 1, &glyph, true, clBlue);
    EXPECT_EQ(Picture(), (std::vector<std::string>{".....", ".?#?.", ".??#."}));
    EXPECT_EQ(bitmap.Canvas()->GetPixel(1, 1), clBlue);
    EXPECT_EQ(bitmap.Canvas()->Brush()->GetStyle(), bsSolid) << "the brush style is put back";

    // Disabled: no red left, the transparent part shows the background.
    DrawEditGlyph(Blank(5, 3), 1, 1, &glyph, false, clWhite);
    for (const std::string& row : Picture()) EXPECT_EQ(row.find('#'), std::string::npos) << row;
    EXPECT_EQ(bitmap.Canvas()->GetPixel(1, 1), clWhite);
    EXPECT_NE(bitmap.Canvas()->GetPixel(2, 1), clWhite) << "the picture is drawn, greyed";

    EXPECT_FALSE(IsGlyphUsable(nullptr));
    TBitmap empty;
    EXPECT_FALSE(IsGlyphUsable(&empty));
    EXPECT_TRUE(IsGlyphUsable(&glyph));
}

TEST_F(EditDrawing, TextFlagsMapBothWays) {
    struct TRow {
        std::uint32_t textOut;
        UINT drawText;
    } rows[] = {
        {uiToVCenter, DT_VCENTER},
        {uiToRight, DT_RIGHT},
        {uiToSingleLine, DT_SINGLELINE},
        {uiToWordBreak, DT_WORDBREAK},
        {uiToExpandTabs, DT_EXPANDTABS},
        {uiToCalcRect, DT_CALCRECT},
        {uiToVCenter | uiToSingleLine | uiToRight, DT_VCENTER | DT_SINGLELINE | DT_RIGHT},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(TextOutToDrawTextFlags(row.textOut), row.drawText) << row.textOut;
        EXPECT_EQ(DrawTextToTextOutFlags(row.drawText), row.textOut) << row.drawText;
    }
    EXPECT_EQ(DrawTextToTextOutFlags(DT_CENTER | DT_BOTTOM), 0u) << "no text-out bit for these";
}

TEST_F(EditDrawing, ButtonContentOffsetsAndDigits) {
    const int expected[] = {0, 4, 2, 2, 2, 2, 2};
    for (int style = btsDefault; style <= btsOffice11; ++style)
        EXPECT_EQ(ButtonContentTopOffset(nullptr, static_cast<TuiEditButtonStyle>(style), false), expected[style]);
    EXPECT_EQ(EditCheckGlyphExtent(false, true), 4);
    EXPECT_TRUE(IsDecimalDigit('0'));
    EXPECT_TRUE(IsDecimalDigit('9'));
    EXPECT_FALSE(IsDecimalDigit('a'));
    EXPECT_FALSE(IsDecimalDigit('/'));
}

TEST_F(EditDrawing, PaintersAndHighlightColours) {
    EXPECT_EQ(EditPainterClass(lfFlat, false), PainterClass<TuiFlatLookAndFeelPainter>());
    EXPECT_EQ(EditPainterClass(lfStandard, true), PainterClass<TuiStandardLookAndFeelPainter>())
        << "without visual styles the kind's painter";
    EXPECT_EQ(EditPainterClass(lfUltraFlat, false), PainterClass<TuiUltraFlatLookAndFeelPainter>());
    EXPECT_EQ(EditPainterClass(lfOffice11, false), PainterClass<TuiOffice11LookAndFeelPainter>());
    EXPECT_EQ(GetEditBorderHighlightColor(false), clHighlight);
    EXPECT_EQ(GetEditBorderHighlightColor(true), Office11Palette().Columns[21]);
    EXPECT_EQ(GetEditButtonHighlightColor(true, true),
              PainterClass<TuiOffice11LookAndFeelPainter>()->ButtonFaceColor(bpsPressed));
    EXPECT_EQ(GetEditButtonHighlightColor(false, false),
              PainterClass<TuiUltraFlatLookAndFeelPainter>()->ButtonFaceColor(bpsHot));
}

TEST(EditDrawingNative, ThemedPainterAndButtonInsets) {
    TTestThemeProvider provider;
    provider.ContentInsets[{L"Button", 1, 1}] = RECT{3, 2, 4, 5};
    provider.ContentInsets[{L"Button", 3, 1}] = RECT{6, 1, 7, 1};
    InstallThemeProvider(&provider);
    {
        TUnitsScope units(uiEditorsUnitList());
        EXPECT_EQ(EditPainterClass(lfFlat, true), PainterClass<TuiWinXPLookAndFeelPainter>());
        EXPECT_EQ(ButtonContentTopOffset(nullptr, btsFlat, true), 7);
        EXPECT_EQ(EditCheckGlyphExtent(true, false), 7);
        EXPECT_EQ(EditCheckGlyphExtent(true, true), 13);
    }
    InstallThemeProvider(nullptr);
}

TEST(EditDrawingRules, InnerEditHeightCorrectionShadowAndTheSystemFlag) {
    TuiCustomEditProperties properties(nullptr);
    struct Row {
        const char* name;
        bool inPlace;
        int buttons;
        int want;
    };
    const Row rows[] = {
        {"in place with a button", true, 1, 1},
        {"in place without buttons", true, 0, 0},
        {"standing alone with a button", false, 1, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        properties.Buttons()->Clear();
        for (int i = 0; i < r.buttons; ++i) properties.Buttons()->Add();
        EXPECT_EQ(InnerEditHeightCorrection(&properties, r.inPlace), r.want);
    }
    EXPECT_EQ(InnerEditHeightCorrection(nullptr, true), 0);

    std::unique_ptr<TuiContainerStyle> style(Construct<TuiContainerStyle>(nullptr, false));
    EXPECT_FALSE(IsEditShadowDrawn(style.get()));
    style->SetShadow(true);
    EXPECT_TRUE(IsEditShadowDrawn(style.get())) << "no skin painter draws a shadow of its own here";
    EXPECT_FALSE(IsEditShadowDrawn(nullptr));

    // The layer reports Windows XP (NT 5.1): the flag is set, and the start-up keeps it.
    EXPECT_TRUE(ComputeEditOSFlag());
    TUnitList list(uiEditorsUnitList());
    list.Start();
    EXPECT_TRUE(uiEditOSFlag());
    list.Stop();
}

}  // namespace
}  // namespace zel::test
