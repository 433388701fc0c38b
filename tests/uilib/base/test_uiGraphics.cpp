#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/win/Gdi.h"
#include "uilib/base/uiGeometry.h"
#include "uilib/base/uiGraphics.h"

namespace zel::test {
namespace {

RECT Box(const TuiRegion& r) {
    RECT b{};
    GetRgnBox(r.GetHandle(), &b);
    return b;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

TEST(uiGraphicsRegion, CombineModesGiveTheExpectedAreas) {
    struct Row {
        const char* name;
        TuiRegionMergeMode mode;
        RECT box;
        int rects;
    } rows[] = {
        {"set copies the other", rmmSet, {5, 5, 15, 15}, 1},
        {"add unites", rmmAdd, {0, 0, 15, 15}, 3},
        {"subtract leaves an L", rmmSubtract, {0, 0, 10, 10}, 2},
        {"intersect keeps the overlap", rmmIntersect, {5, 5, 10, 10}, 1},
    };
    for (const Row& row : rows) {
        TuiRegion a(0, 0, 10, 10);
        a.CombineWith(new TuiRegion(5, 5, 15, 15), row.mode, true);
        EXPECT_TRUE(SameRect(Box(a), row.box)) << row.name;
        EXPECT_EQ(static_cast<int>(GetRegionRects(a.GetHandle()).size()), row.rects) << row.name;
    }
    EXPECT_EQ(RegionMergeModeToCombineMode(rmmSet), RGN_COPY);
    EXPECT_EQ(RegionMergeModeToCombineMode(rmmAdd), RGN_OR);
    EXPECT_EQ(RegionMergeModeToCombineMode(rmmSubtract), RGN_DIFF);
    EXPECT_EQ(RegionMergeModeToCombineMode(rmmIntersect), RGN_AND);
}

TEST(uiGraphicsRegion, KeepsTheOtherRegionUnlessAskedAndSurvivesItself) {
    TuiRegion a(0, 0, 10, 10);
    TuiRegion b(20, 20, 30, 30);
    a.CombineWith(&b, rmmIntersect, false);
    EXPECT_TRUE(a.IsVoid());
    EXPECT_FALSE(b.IsVoid());
    // Combining a region with itself never frees it.
    b.CombineWith(&b, rmmAdd, true);
    EXPECT_TRUE(SameRect(Box(b), RECT{20, 20, 30, 30}));
    b.CombineWith(&b, rmmSubtract, true);
    EXPECT_TRUE(b.IsVoid());
    a.CombineWith(nullptr, rmmSet, true);
    EXPECT_TRUE(a.IsVoid());
}

TEST(uiGraphicsRegion, SameAsOffsetAndRelease) {
    TuiRegion a(0, 0, 10, 10), b(5, 5, 15, 15), empty1, empty2(3, 3, 3, 3);
    EXPECT_FALSE(a.SameAs(static_cast<TuiRegion*>(nullptr)));
    EXPECT_TRUE(empty1.SameAs(&empty2));
    EXPECT_FALSE(a.SameAs(&b));
    a.Offset(5, 5);
    EXPECT_TRUE(a.SameAs(&b));
    EXPECT_TRUE(a.SameAs(b.GetHandle()));
    a.ReleaseHandle();
    EXPECT_EQ(a.GetHandle(), nullptr);
    EXPECT_TRUE(a.IsVoid());
}

TEST(uiGraphicsFlags, LayoutFlagsMapToDrawTextFlags) {
    struct Row {
        const char* name;
        TuiTextLayoutFlags flags;
        UINT dt;
    } rows[] = {
        {"left top", tlfLeft | tlfTop, DT_NOPREFIX},
        {"right bottom", tlfRight | tlfBottom, DT_RIGHT | DT_BOTTOM | DT_NOPREFIX},
        {"centred both", tlfCenterH | tlfCenterV | tlfSingleLine, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX},
        {"prefix shown", tlfShowPrefix, 0},
        {"word break", tlfWordBreak, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX},
        {"word break without char breaks", tlfWordBreak | tlfDontBreakChars, DT_WORDBREAK | DT_NOPREFIX},
        {"the rest", tlfNoClip | tlfExpandTabs | tlfEndEllipsis | tlfCalcRect | tlfPathEllipsis,
         DT_NOCLIP | DT_EXPANDTABS | DT_END_ELLIPSIS | DT_CALCRECT | DT_PATH_ELLIPSIS | DT_NOPREFIX},
    };
    for (const Row& row : rows) EXPECT_EQ(LayoutFlagsToDrawTextFlags(row.flags), row.dt) << row.name;
}

// A white 40 x 40 bitmap with a TuiCanvas over its canvas and a 12-pixel font.
class uiGraphicsCanvas : public ::testing::Test {
protected:
    void SetUp() override {
        bmp.SetSize(40, 40);
        canvas = std::make_unique<TuiCanvas>(bmp.Canvas());
        canvas->Font()->SetName("DejaVu Sans");
        canvas->Font()->SetHeight(-12);
        canvas->Font()->SetColor(clBlack);
    }
    // The pixel whatever the clip says (reading honours the clip region).
    COLORREF Px(int x, int y) {
        HDC dc = canvas->Handle();
        const int saved = SaveDC(dc);
        SelectClipRgn(dc, nullptr);
        const COLORREF c = GetPixel(dc, x, y);
        RestoreDC(dc, saved);
        return c;
    }
    static COLORREF Sys(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }
    int Count(const TRect& r, COLORREF c) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (Px(x, y) == c) ++n;
        return n;
    }
    void Clear() { canvas->FillRect(TRect{0, 0, 40, 40}, clWhite); }
    TBitmap bmp;
    std::unique_ptr<TuiCanvas> canvas;
};

TEST_F(uiGraphicsCanvas, ClipRegionWithoutClipIsTheLargeRectangle) {
    std::unique_ptr<TuiRegion> clip(canvas->GetClipRegion());
    EXPECT_TRUE(SameRect(Box(*clip), RECT{0, 0, 30000, 30000}));
    // With a moved window origin the clip comes back in logical coordinates.
    canvas->SetWindowOrg(TPoint{10, 5});
    EXPECT_EQ(canvas->DCOrigin().x, -10);
    EXPECT_EQ(canvas->DCOrigin().y, -5);
    canvas->IntersectClipRect(TRect{10, 5, 20, 15});
    std::unique_ptr<TuiRegion> logical(canvas->GetClipRegion(true)), device(canvas->GetClipRegion(false));
    EXPECT_TRUE(SameRect(Box(*logical), RECT{10, 5, 20, 15}));
    EXPECT_TRUE(SameRect(Box(*device), RECT{0, 0, 10, 10}));
}

TEST_F(uiGraphicsCanvas, ClipRegionStackRestoresAndIgnoresEmptyPops) {
    canvas->PopClipRegion();  // nothing saved: nothing happens
    canvas->IntersectClipRect(TRect{0, 0, 20, 20});
    canvas->PushClipRegion();
    canvas->SetClipRegion(TRect{5, 5, 10, 10}, rmmSubtract);
    canvas->FillRect(TRect{0, 0, 40, 40}, clRed);
    EXPECT_EQ(Px(7, 7), Sys(clWhite));
    EXPECT_EQ(Px(2, 2), Sys(clRed));
    EXPECT_EQ(Px(25, 25), Sys(clWhite));
    EXPECT_EQ(canvas->SavedClipRegionCount(), 1);
    canvas->PopClipRegion();
    EXPECT_EQ(canvas->SavedClipRegionCount(), 0);
    canvas->FillRect(TRect{0, 0, 40, 40}, clBlue);
    EXPECT_EQ(Px(7, 7), Sys(clBlue));
    EXPECT_EQ(Px(25, 25), Sys(clWhite));
    canvas->PopClipRegion();
    canvas->FillRect(TRect{0, 0, 40, 40}, clLime);
    EXPECT_EQ(Px(7, 7), Sys(clLime));
    EXPECT_EQ(Px(25, 25), Sys(clWhite)) << "an empty pop must not clear the clip";
}

TEST_F(uiGraphicsCanvas, ClipOperationsCombineWithTheCurrentClip) {
    canvas->SetClipRegion(TRect{0, 0, 20, 20}, rmmSet);
    canvas->SetClipRegion(TRect{10, 10, 30, 30}, rmmAdd);
    canvas->SetClipRegion(TRect{0, 0, 40, 12}, rmmIntersect);
    canvas->FillRect(TRect{0, 0, 40, 40}, clRed);
    EXPECT_EQ(Count(TRect{0, 0, 40, 40}, Sys(clRed)), 20 * 12 + 10 * 2);
}

TEST_F(uiGraphicsCanvas, StateStackRestoresPenBrushFontAndDC) {
    canvas->RestoreDC();
    canvas->PopState();  // empty stacks: nothing happens
    canvas->Brush()->SetColor(clRed);
    canvas->Pen()->SetColor(clGreen);
    canvas->Pen()->SetWidth(2);
    canvas->Font()->SetColor(clNavy);
    canvas->PushState();
    canvas->PushState();
    canvas->Brush()->SetColor(clBlue);
    canvas->Pen()->SetColor(clYellow);
    canvas->Font()->SetColor(clPurple);
    canvas->Font()->SetHeight(-20);
    canvas->IntersectClipRect(TRect{0, 0, 5, 5});
    EXPECT_EQ(canvas->SavedStateCount(), 2);
    EXPECT_EQ(canvas->SavedDCCount(), 2);
    canvas->PopState();
    EXPECT_EQ(canvas->Brush()->GetColor(), clRed);
    EXPECT_EQ(canvas->Pen()->GetColor(), clGreen);
    EXPECT_EQ(canvas->Pen()->GetWidth(), 2);
    EXPECT_EQ(canvas->Font()->GetColor(), clNavy);
    EXPECT_EQ(canvas->Font()->GetHeight(), -12);
    canvas->FillRect(TRect{0, 0, 40, 40});
    EXPECT_EQ(Px(30, 30), Sys(clRed)) << "the clip set after PushState is gone";
    canvas->PopState();
    canvas->PopState();
    EXPECT_EQ(canvas->SavedStateCount(), 0);
    EXPECT_EQ(canvas->SavedDCCount(), 0);
}

TEST_F(uiGraphicsCanvas, FillRectColourConventions) {
    canvas->Brush()->SetColor(clGreen);
    canvas->FillRect(TRect{0, 0, 10, 10}, clNone);
    EXPECT_EQ(Count(TRect{0, 0, 10, 10}, Sys(clWhite)), 100);
    canvas->FillRect(TRect{0, 0, 10, 10}, clDefault);
    EXPECT_EQ(Count(TRect{0, 0, 10, 10}, Sys(clGreen)), 100);
    canvas->FillRect(TRect{10, 0, 20, 10}, clBtnFace);
    EXPECT_EQ(Count(TRect{10, 0, 20, 10}, Sys(clBtnFace)), 100);
    EXPECT_EQ(canvas->Brush()->GetColor(), clBtnFace);
}

TEST_F(uiGraphicsCanvas, FramesPaintTheirBandsOnly) {
    canvas->FrameRect(TRect{2, 2, 12, 12}, clRed, 2, TuiBorders{bLeft, bBottom});
    EXPECT_EQ(Count(TRect{0, 0, 40, 40}, Sys(clRed)), 2 * 10 + 2 * 10 - 4);
    EXPECT_EQ(Px(2, 2), Sys(clRed));
    EXPECT_EQ(Px(11, 11), Sys(clRed));
    EXPECT_EQ(Px(11, 2), Sys(clWhite));
    Clear();
    // A line wider than the rectangle stays inside it; clNone paints nothing.
    canvas->FrameRect(TRect{20, 20, 23, 23}, clBlue, 5);
    EXPECT_EQ(Count(TRect{0, 0, 40, 40}, Sys(clBlue)), 9);
    canvas->FrameRect(TRect{0, 0, 10, 10}, clNone, 1);
    EXPECT_EQ(Count(TRect{0, 0, 10, 10}, Sys(clWhite)), 100);
    Clear();
    // Framed fill: frame, then the inside; ExcludeRect keeps later painting off both.
    canvas->FillFramedRect(TRect{0, 0, 10, 10}, TuiFillParams{nullptr, clYellow}, true, 1, clBlack);
    EXPECT_EQ(Count(TRect{0, 0, 10, 10}, Sys(clBlack)), 36);
    EXPECT_EQ(Count(TRect{0, 0, 10, 10}, Sys(clYellow)), 64);
    canvas->FillRect(TRect{0, 0, 40, 40}, clRed);
    EXPECT_EQ(Count(TRect{0, 0, 10, 10}, Sys(clRed)), 0);
    EXPECT_EQ(Px(20, 20), Sys(clRed));
}

TEST_F(uiGraphicsCanvas, OuterAndInnerEdgesMakeTheClassicRaisedFrame) {
    const TRect r{0, 0, 10, 10};
    canvas->DrawEdge(r, false, true);
    canvas->DrawEdge(InflatedRect(r, -1, -1), false, false);
    struct Row {
        const char* name;
        int x, y;
        TColor colour;
    } rows[] = {
        {"outer left", 0, 5, cl3DLight},
        {"outer top", 5, 0, cl3DLight},
        {"outer right", 9, 5, cl3DDkShadow},
        {"outer bottom", 5, 9, cl3DDkShadow},
        {"inner left", 1, 5, clBtnHighlight},
        {"inner top", 5, 1, clBtnHighlight},
        {"inner right", 8, 5, clBtnShadow},
        {"inner bottom", 5, 8, clBtnShadow},
        {"outer bottom-left corner", 0, 9, cl3DDkShadow},
        {"outer top-right corner", 9, 0, cl3DDkShadow},
        {"inside untouched", 5, 5, clWhite},
    };
    for (const Row& row : rows) EXPECT_EQ(Px(row.x, row.y), Sys(row.colour)) << row.name;
    Clear();
    canvas->DrawEdge(r, true, true, TuiBorders{bLeft});
    canvas->DrawEdge(r, true, false, TuiBorders{bRight});
    EXPECT_EQ(Px(0, 5), Sys(clBtnShadow));
    EXPECT_EQ(Px(9, 5), Sys(cl3DLight));
    EXPECT_EQ(Px(5, 0), Sys(clWhite));
}

TEST_F(uiGraphicsCanvas, BitmapTilesStayOnTheCanvasGrid) {
    // A 3 x 2 tile whose pixels are all different.
    TBitmap tile;
    tile.SetSize(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            tile.Canvas()->SetPixel(x, y, static_cast<TColor>(RGB(10 + x * 40, 20 + y * 100, 7)));
    auto expected = [](int x, int y) {
        const int tx = ((x % 3) + 3) % 3, ty = ((y % 2) + 2) % 2;
        return RGB(static_cast<BYTE>(10 + tx * 40), static_cast<BYTE>(20 + ty * 100), 7);
    };
    // Two adjacent fills continue the pattern.
    canvas->FillRectByBitmap(TRect{1, 1, 8, 9}, &tile);
    canvas->FillRectByBitmap(TRect{8, 1, 20, 9}, &tile);
    int wrong = 0;
    for (int y = 1; y < 9; ++y)
        for (int x = 1; x < 20; ++x)
            if (Px(x, y) != expected(x, y)) ++wrong;
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(Px(0, 0), Sys(clWhite));
    EXPECT_EQ(Px(20, 5), Sys(clWhite));
    // Left of and above the origin the grid goes on too (negative logical coordinates).
    Clear();
    canvas->SetWindowOrg(TPoint{-10, -10});
    canvas->FillRectByBitmap(TRect{-7, -5, 4, 4}, &tile);
    wrong = 0;
    for (int y = -5; y < 4; ++y)
        for (int x = -7; x < 4; ++x)
            if (Px(x, y) != expected(x, y)) ++wrong;
    EXPECT_EQ(wrong, 0);
    // Without a bitmap the brush fills.
    canvas->Brush()->SetColor(clMaroon);
    canvas->FillRectByBitmap(TRect{10, 10, 12, 12}, nullptr);
    EXPECT_EQ(Count(TRect{10, 10, 12, 12}, Sys(clMaroon)), 4);
}

TEST_F(uiGraphicsCanvas, DisabledTextIsEmbossedAndEndsOnePixelLeft) {
    canvas->DrawText("", TRect{0, 0, 40, 40}, tlfSingleLine);
    EXPECT_EQ(Count(TRect{0, 0, 40, 40}, Sys(clWhite)), 1600);
    auto rightmost = [&](COLORREF c) {
        int right = -1;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                if (Px(x, y) == c) right = std::max(right, x);
        return right;
    };
    canvas->FillRect(TRect{0, 0, 40, 40}, clBlue);  // neither shadow nor highlight
    canvas->Brush()->SetStyle(bsClear);
    canvas->DrawText("H", TRect{0, 0, 38, 20}, tlfRight | tlfSingleLine, true);
    auto inkRight = [&]() {
        int right = -1;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                if (Px(x, y) != Sys(clBlue)) right = std::max(right, x);
        return right;
    };
    const int enabledRight = rightmost(Sys(clBlack));
    const int enabledInk = inkRight();
    ASSERT_GT(enabledRight, 20);
    canvas->FillRect(TRect{0, 0, 40, 40}, clBlue);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->DrawText("H", TRect{0, 0, 38, 20}, tlfRight | tlfSingleLine, false);
    EXPECT_EQ(rightmost(Sys(clBtnShadow)), enabledRight - 1);
    EXPECT_EQ(inkRight(), enabledInk) << "the highlight copy lies one pixel right of the shadow";
    EXPECT_EQ(canvas->Brush()->GetStyle(), bsSolid);
    EXPECT_EQ(canvas->Font()->GetColor(), clBlack);
    EXPECT_EQ(Count(TRect{0, 0, 40, 40}, Sys(clBtnShadow)) > 0, true);
}

TEST_F(uiGraphicsCanvas, TextExtentAlignsInsideTheGivenSize) {
    const TSize s = canvas->GetTextSize("Wide");
    ASSERT_GT(s.cx, 0);
    TRect r{0, 0, 40, 40};
    canvas->TextExtent("Wide", r, tlfRight | tlfBottom | tlfSingleLine);
    EXPECT_EQ(r.right, 40);
    EXPECT_EQ(r.bottom, 40);
    EXPECT_EQ(r.Width(), s.cx);
    TRect c{0, 0, 40, 40};
    canvas->TextExtent("Wide", c, tlfCenterH | tlfCenterV | tlfSingleLine);
    EXPECT_EQ(c.left, (40 - s.cx) / 2);
    EXPECT_EQ(c.top, (40 - s.cy) / 2);
    TRect m{0, 0, 40, 40};
    canvas->AlignMultilineText(m, "a\nb", false, true, false, false, 1);
    EXPECT_EQ(m.top, 40 - 2 * s.cy);
}

TEST_F(uiGraphicsCanvas, InvertRectTwiceRestores) {
    canvas->FillRect(TRect{0, 0, 5, 5}, clRed);
    canvas->InvertRect(TRect{0, 0, 10, 10});
    EXPECT_EQ(Px(2, 2), RGB(0, 255, 255));
    EXPECT_EQ(Px(7, 7), RGB(0, 0, 0));
    canvas->InvertRect(TRect{0, 0, 10, 10});
    EXPECT_EQ(Px(2, 2), Sys(clRed));
    EXPECT_EQ(bmp.Canvas()->CopyMode, SRCCOPY);
}

TEST(uiGraphicsRotate, PixelsMoveAsTheAngleAndFlipSay) {
    // A 3 x 2 bitmap whose pixel (x, y) is RGB(x, y, 1).
    struct Row {
        const char* name;
        int angle;
        bool flip;
        int w, h;
        // where source (2, 0) and (0, 1) go
        POINT a, b;
    } rows[] = {
        {"upside down", 0, true, 3, 2, {2, 1}, {0, 0}},    {"counter-clockwise", 1, false, 2, 3, {0, 0}, {1, 2}},
        {"transposed", 1, true, 2, 3, {0, 2}, {1, 0}},     {"clockwise", 2, false, 2, 3, {1, 2}, {0, 0}},
        {"other diagonal", 2, true, 2, 3, {1, 0}, {0, 2}}, {"half turn", 3, false, 3, 2, {0, 1}, {2, 0}},
        {"mirrored", 3, true, 3, 2, {0, 0}, {2, 1}},
    };
    for (const Row& row : rows) {
        TBitmap b;
        b.SetSize(3, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) b.Canvas()->SetPixel(x, y, static_cast<TColor>(RGB(x, y, 1)));
        TuiCanvas c(b.Canvas());
        c.RotateBitmap(&b, row.angle, row.flip);
        EXPECT_EQ(b.GetWidth(), row.w) << row.name;
        EXPECT_EQ(b.GetHeight(), row.h) << row.name;
        EXPECT_EQ(static_cast<COLORREF>(b.Canvas()->GetPixel(row.a.x, row.a.y)), RGB(2, 0, 1)) << row.name;
        EXPECT_EQ(static_cast<COLORREF>(b.Canvas()->GetPixel(row.b.x, row.b.y)), RGB(0, 1, 1)) << row.name;
    }
}

TEST(uiGraphicsHelpers, SmallHelpers) {
    EXPECT_EQ(ColorToPixel(static_cast<TColor>(RGB(1, 2, 3)), 0x80), 0x80010203u);
    const COLORREF face = static_cast<COLORREF>(ColorToRGB(clBtnFace));
    EXPECT_EQ(ColorToPixel(clBtnFace, 0) & 0xFF, GetBValue(face));
    const TRect d = DeflateRectByMargins(TRect{0, 0, 100, 50}, TRect{1, 2, 3, 4});
    EXPECT_TRUE(SameRect(d, RECT{1, 2, 97, 46}));
    TBitmap empty;
    EXPECT_FALSE(IsNonEmptyBitmap(nullptr));
    EXPECT_FALSE(IsNonEmptyBitmap(&empty));
    empty.SetSize(1, 1);
    EXPECT_TRUE(IsNonEmptyBitmap(&empty));
    EXPECT_FALSE(IsNativeScriptFont(134, "Arial"));
    EXPECT_TRUE(IsNativeScriptFont(134, "\xCB\xCE\xCC\xE5"));
    EXPECT_TRUE(IsNativeScriptFont(178, "\xC3"));
    EXPECT_FALSE(IsNativeScriptFont(DEFAULT_CHARSET, "\xC3"));
    EXPECT_NE(uiSystemBrush(30), nullptr);
    EXPECT_EQ(uiSystemBrush(31), nullptr);
    EXPECT_EQ(uiSystemBrush(15)->GetColor(), clBtnFace);
    EXPECT_NE(uiHalftoneBrush(), nullptr);
    FreePredefinedBrushes();
}

TEST(uiGraphicsHelpers, BlendColoursMixTheSystemColours) {
    const COLORREF face = static_cast<COLORREF>(ColorToRGB(clBtnFace));
    const COLORREF high = static_cast<COLORREF>(ColorToRGB(clHighlight));
    const COLORREF win = static_cast<COLORREF>(ColorToRGB(clWindow));
    if (face == RGB(0, 0, 0) || face == RGB(255, 255, 255)) {
        EXPECT_EQ(static_cast<COLORREF>(PressedBlendColor()), high);
        return;
    }
    auto mix = [&](int shift, int f, int h, int w) {
        const int v = MulDiv((face >> shift) & 0xFF, f, 100) + MulDiv((high >> shift) & 0xFF, h, 100) +
                      MulDiv((win >> shift) & 0xFF, w, 100);
        return static_cast<BYTE>(std::clamp(v, 0, 255));
    };
    EXPECT_EQ(static_cast<COLORREF>(PressedBlendColor()),
              RGB(mix(0, 14, 44, 40), mix(8, 14, 44, 40), mix(16, 14, 44, 40)));
    EXPECT_EQ(static_cast<COLORREF>(HotBlendColor()), RGB(mix(0, -2, 30, 72), mix(8, -2, 30, 72), mix(16, -2, 30, 72)));
}

}  // namespace
}  // namespace zel::test
