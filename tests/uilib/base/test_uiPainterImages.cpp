// The painter unit's shared glyphs: radio images in every look and state, indicator images, scroll-bar
// patterns and the Office 2003 look's own bitmaps.
#include <gtest/gtest.h>

#include "PainterTestSupport.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "support/uilib/LookAndFeelUnits.h"
#include "uilib/base/uiPainterImages.h"

namespace zel::test {
namespace {

class PainterImages : public ::testing::Test {
protected:
    TLookAndFeelUnits units;
    TuiRadioButtonImageList* list = RadioButtonImageList();
    const std::vector<std::uint8_t>& pattern = list->Pattern();
    int W = list->ImageSize().x, H = list->ImageSize().y;

    // The image of one combination, drawn over the marker colour.
    std::vector<COLORREF> Glyph(TuiLookAndFeelKind kind, int state, bool checked, bool focused = false,
                                bool designing = false) {
        TPaintSurface s(W, H);
        list->Draw(&s.canvas, 0, 0, kind, state, checked, focused, designing, clDefault);
        return s.Pixels();
    }
    std::size_t FirstCell(std::uint8_t code) const {
        return static_cast<std::size_t>(std::find(pattern.begin(), pattern.end(), code) - pattern.begin());
    }
};

TEST_F(PainterImages, RadioGlyphsAreMeasuredFromTheSystemShapes) {
    EXPECT_EQ(PainterCheckGlyphSize(), (TPoint{13, 13}));
    EXPECT_EQ(list->ImageSize(), (TPoint{12, 12}));
    EXPECT_EQ(list->Count(), 128);
    for (std::uint8_t code = 1; code <= 6; ++code) EXPECT_LT(FirstCell(code), pattern.size()) << int(code);
    EXPECT_EQ(pattern[0], 0);  // the corner lies outside the circle
}

TEST_F(PainterImages, NoUncheckedGlyphShowsADotAndTheDefaultStateDrawsAsNormal) {
    const std::size_t dot = FirstCell(6), body = FirstCell(5);
    for (int kind = lfFlat; kind <= lfOffice11; ++kind)
        for (int state = bpsNormal; state <= bpsDisabled; ++state)
            for (const bool focused : {false, true})
                for (const bool designing : {false, true}) {
                    const auto k = static_cast<TuiLookAndFeelKind>(kind);
                    const std::vector<COLORREF> unchecked = Glyph(k, state, false, focused, designing);
                    ASSERT_EQ(unchecked[dot], unchecked[body]) << kind << " " << state;
                    EXPECT_EQ(unchecked[0], Rgb(kMarker));  // outside the circle shows what was there
                    if (state == bpsNormal) {
                        EXPECT_EQ(Glyph(k, bpsDefault, false, focused, designing), unchecked);
                        EXPECT_EQ(Glyph(k, bpsDefault, true, focused, designing),
                                  Glyph(k, bpsNormal, true, focused, designing));
                    }
                }
}

TEST_F(PainterImages, CheckedDotColours) {
    const std::size_t dot = FirstCell(6);
    struct Row {
        TuiLookAndFeelKind kind;
        int state;
        TColor colour;
    } rows[] = {{lfStandard, bpsNormal, clWindowText},
                {lfUltraFlat, bpsHot, clWindowText},
                {lfStandard, bpsDisabled, clBtnShadow},
                {lfFlat, bpsDisabled, clBtnShadow},
                {lfOffice11, bpsDisabled, Office11Palette().Columns[31]}};
    for (const Row& row : rows) EXPECT_EQ(Glyph(row.kind, row.state, true)[dot], Rgb(row.colour)) << row.kind;
    // With a brush colour the corners show it.
    TPaintSurface s(W, H);
    list->Draw(&s.canvas, 0, 0, lfStandard, bpsNormal, true, false, false, clRed);
    EXPECT_EQ(s.At(0, 0), Rgb(clRed));
}

TEST_F(PainterImages, ASystemColourChangeRebuildsTheGlyphs) {
    const std::size_t dot = FirstCell(6);
    SetSysColor(COLOR_WINDOWTEXT, RGB(200, 0, 0));
    SendMessage(SystemPaletteChangedListener()->GetWindowHandle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(Glyph(lfStandard, bpsNormal, true)[dot], RGB(200, 0, 0));
    SetSysColor(COLOR_BTNHIGHLIGHT, RGB(1, 2, 3));
    UpdateScrollBarPatterns();
    EXPECT_EQ(ColorToCOLORREF(ScrollBarPattern(0)->Canvas()->GetPixel(1, 0)), RGB(1, 2, 3));
    EXPECT_EQ(ColorToCOLORREF(ScrollBarPattern(1)->Canvas()->GetPixel(0, 0)), ColorToCOLORREF(clBlack));
}

TEST_F(PainterImages, IndicatorImagesAreDrawnCentredWithWhiteTransparent) {
    ASSERT_EQ(IndicatorImages()->Count(), 6);
    EXPECT_EQ(IndicatorImages()->GetWidth(), 8);
    EXPECT_EQ(IndicatorImages()->GetHeight(), 9);
    const TuiCustomLookAndFeelPainter* painter = PainterClass<TuiStandardLookAndFeelPainter>();
    TPaintSurface s(12, 13);
    painter->PaintIndicatorImage(&s.canvas, TRect{0, 0, 12, 13}, 0);
    for (COLORREF c : s.Pixels()) ASSERT_EQ(c, Rgb(kMarker));
    painter->PaintIndicatorImage(&s.canvas, TRect{0, 0, 12, 13}, 1);  // the arrow, offset (2, 2)
    EXPECT_EQ(s.At(4, 3), Rgb(clBlack));
    EXPECT_EQ(s.At(2, 2), Rgb(kMarker));
}

TEST(PainterImagesOffice, BitmapsLiveWithThePaletteUsersAndTheSubMenuGlyphIsRecoloured) {
    EXPECT_EQ(Office11ExpandButtonBitmap(false), nullptr);
    {
        TLookAndFeelUnits units;
        ASSERT_NE(Office11ExpandButtonBitmap(false), nullptr);
        ASSERT_NE(Office11ExpandButtonBitmap(true), nullptr);
        HBITMAP glyph = Office11SubMenuExpandBitmap();
        ASSERT_NE(glyph, nullptr);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, glyph);
        const TubOffice11Palette& p = Office11Palette();
        EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 255));               // transparent stays
        EXPECT_EQ(GetPixel(dc, 2, 3), 0u);                             // black stays
        EXPECT_EQ(GetPixel(dc, 1, 0), ColorToCOLORREF(p.Columns[1]));  // the least red: the second colour
        EXPECT_EQ(GetPixel(dc, 4, 1), ColorToCOLORREF(p.Columns[0]));  // the most red: the first
        SelectObject(dc, old);
        DeleteDC(dc);
        RebuildOffice11Palette();
        EXPECT_NE(Office11ExpandButtonBitmap(false), nullptr);
    }
    EXPECT_EQ(Office11ExpandButtonBitmap(false), nullptr);
}

}  // namespace
}  // namespace zel::test
