// The drawing routines against pixels computed by hand from their rules.
#include <algorithm>
#include <cstdint>

#include "BarsTestSupport.h"
#include "platform/vcl/ImgList.h"
#include "uilib/bars/ubBarDraw.h"

namespace zel::test {
namespace {

using ubBarDraw = BarsTest;

constexpr COLORREF kBackground = RGB(0, 128, 0);

// A bitmap of the size, filled with one colour.
std::unique_ptr<TBitmap> Canvas(int W, int H, COLORREF Fill = kBackground) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(W, H);
    b->Canvas()->Brush()->SetColor(static_cast<TColor>(Fill));
    b->Canvas()->FillRect(TRect(0, 0, W, H));
    return b;
}

COLORREF Pixel(TBitmap& B, int X, int Y) { return GetPixel(B.Canvas()->GetHandle(), X, Y); }

// ---- arrow -------------------------------------------------------------------------------------------------

// The number of columns (horizontal arrow) or rows (vertical arrow) that hold arrow pixels.
int ArrowDepth(TBitmap& B, bool Horizontal, COLORREF Color) {
    int depth = 0;
    const int outer = Horizontal ? B.GetWidth() : B.GetHeight(), inner = Horizontal ? B.GetHeight() : B.GetWidth();
    for (int i = 0; i < outer; ++i)
        for (int j = 0; j < inner; ++j)
            if (Pixel(B, Horizontal ? i : j, Horizontal ? j : i) == Color) {
                ++depth;
                break;
            }
    return depth;
}

TEST_F(ubBarDraw, ArrowSizeFollowsTheRectangleAndNeverGoesBelowThree) {
    struct TRow {
        const char* name;
        int width, height;
        bool horizontal;
        int size;
    } rows[] = {
        {"10 wide", 10, 20, true, 3}, {"19 wide", 19, 20, true, 6},  {"20 wide (e even)", 20, 30, true, 5},
        {"tiny", 4, 4, true, 3},      {"15 high", 30, 15, false, 5}, {"6 high", 30, 6, false, 3},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(ArrowSize(TRect(0, 0, row.width, row.height), row.horizontal), row.size) << row.name;
        auto b = Canvas(row.width, row.height, RGB(192, 192, 192));
        DrawArrow(b->Canvas()->GetHandle(), TRect(0, 0, row.width, row.height), row.horizontal, true, false, false);
        EXPECT_EQ(ArrowDepth(*b, row.horizontal, GetSysColor(COLOR_BTNTEXT)), row.size) << row.name;
    }
}

TEST_F(ubBarDraw, ArrowColoursFollowItsState) {
    const TRect r(0, 0, 19, 20);
    auto draw = [&](bool enabled, bool selected, bool flat) {
        auto b = Canvas(19, 20, RGB(1, 2, 3));
        DrawArrow(b->Canvas()->GetHandle(), r, true, enabled, selected, flat);
        return b;
    };
    // The arrow's first column is at (19 - 6) / 2 = 6, its tip row at 10.
    EXPECT_EQ(Pixel(*draw(true, true, false), 6, 10), GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(Pixel(*draw(true, false, false), 6, 10), GetSysColor(COLOR_BTNTEXT));
    auto disabled = draw(false, false, false);
    EXPECT_EQ(Pixel(*disabled, 6, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(*disabled, 12, 11), GetSysColor(COLOR_BTNHIGHLIGHT));  // the edge one pixel off
    EXPECT_EQ(Pixel(*draw(false, false, true), 12, 11), RGB(1, 2, 3));     // flat: no edge
}

// ---- gradient ----------------------------------------------------------------------------------------------

TEST_F(ubBarDraw, GradientHas256BandsWithTheirEdgesWhereMulDivPutsThem) {
    const COLORREF from = RGB(10, 200, 30), to = RGB(250, 0, 130);
    for (int height : {512, 100, 300}) {
        auto b = Canvas(4, height);
        DrawGradient(b->Canvas(), TRect(0, 0, 4, height), static_cast<TColor>(from), static_cast<TColor>(to));
        for (int y = 0; y < height; ++y) {
            int band = 0;
            while (band < 255 && MulDiv(band + 1, height, 256) <= y) ++band;
            auto mix = [band](int f, int t) { return f + MulDiv(band, t - f, 255); };
            const COLORREF expected = RGB(mix(10, 250), mix(200, 0), mix(30, 130));
            ASSERT_EQ(Pixel(*b, 2, y), expected) << "height " << height << " row " << y;
        }
        if (height == 512) {  // two rows a band: the first and the last band are whole
            EXPECT_EQ(Pixel(*b, 0, 0), from);
            EXPECT_EQ(Pixel(*b, 0, height - 1), to);
        }
    }
}

// ---- background --------------------------------------------------------------------------------------------

TEST_F(ubBarDraw, BackgroundTilesAreAnchoredAtTheOriginAndClippedToTheRectangle) {
    TBitmap tile;
    tile.SetSize(4, 4);
    tile.Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(50, 50, 50)));
    tile.Canvas()->FillRect(TRect(0, 0, 4, 4));
    tile.Canvas()->SetPixel(0, 0, static_cast<TColor>(RGB(255, 0, 0)));
    auto b = Canvas(30, 30);
    HDC dc = b->Canvas()->GetHandle();
    FillBackground(dc, TRect(5, 5, 20, 20), TRect(2, 3, 40, 40), &tile, clBlack);
    EXPECT_EQ(Pixel(*b, 6, 7), RGB(255, 0, 0));    // 2 + 4, 3 + 4
    EXPECT_EQ(Pixel(*b, 10, 11), RGB(255, 0, 0));  // 2 + 8, 3 + 8
    EXPECT_EQ(Pixel(*b, 5, 7), RGB(50, 50, 50));
    EXPECT_EQ(Pixel(*b, 4, 4), kBackground);  // outside the rectangle
    EXPECT_EQ(Pixel(*b, 22, 23), kBackground);
    // The clip region is back as it was: drawing outside the rectangle works again.
    SetPixel(dc, 25, 25, RGB(1, 1, 1));
    EXPECT_EQ(Pixel(*b, 25, 25), RGB(1, 1, 1));

    TBitmap empty;
    FillBackground(dc, TRect(0, 0, 3, 3), TRect(0, 0, 3, 3), &empty, static_cast<TColor>(RGB(9, 8, 7)));
    EXPECT_EQ(Pixel(*b, 1, 1), RGB(9, 8, 7));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    FillBackground(dc, TRect(0, 0, 3, 3), TRect(0, 0, 3, 3), nullptr, clBlack, brush);
    EXPECT_EQ(Pixel(*b, 1, 1), RGB(4, 5, 6));
    DeleteObject(brush);
}

// ---- glyphs ------------------------------------------------------------------------------------------------

// A 4 x 4 glyph on magenta (the bottom-left pixel) with four coloured pixels in the middle.
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kGlyphPixels[2][2] = {{RGB(200, 100, 50), RGB(10, 20, 30)}, {RGB(255, 255, 255), RGB(0, 0, 0)}};

std::unique_ptr<TBitmap> TestGlyph() {
    auto g = Canvas(4, 4, kMagenta);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) g->Canvas()->SetPixel(1 + x, 1 + y, static_cast<TColor>(kGlyphPixels[y][x]));
    return g;
}

// A glyph drawn at (4, 4) of a 12 x 12 destination over the background that is there.
TubGlyphDrawParams GlyphAt4(TBitmap* Glyph) {
    TubGlyphDrawParams p;
    p.KeepBackground = true;
    p.DestRect = TRect(0, 0, 12, 12);
    p.GlyphRect = TRect(4, 4, 8, 8);
    p.Glyph = Glyph;
    return p;
}

using TPixelRule = COLORREF (*)(COLORREF);

COLORREF Tinted(COLORREF c) {
    // Tint RGB(40, 80, 160): lum = (b*77 + g*151 + r*28) shr 8; t = (192 (lum - 255) + 65280) div 256;
    // channel = (192 tint + 64 t) div 256, with divisions toward zero.
    const int b = GetBValue(c), g = GetGValue(c), r = GetRValue(c);
    const int lum = (b * 77 + g * 151 + r * 28) >> 8;
    const int t = (192 * (lum - 255) + 65280) / 256;
    return RGB((192 * 40 + 64 * t) / 256, (192 * 80 + 64 * t) / 256, (192 * 160 + 64 * t) / 256);
}
COLORREF Gray(COLORREF c) {
    const int m = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
    return RGB(m, m, m);
}
COLORREF Faded(COLORREF c) {
    auto f = [](int v) { return v + MulDiv(255 - v, 3, 10); };
    return RGB(f(GetRValue(c)), f(GetGValue(c)), f(GetBValue(c)));
}
COLORREF Plain(COLORREF c) { return c; }

TEST_F(ubBarDraw, GlyphEffectsChangeOnlyTheGlyphsOwnPixels) {
    struct TRow {
        const char* name;
        TColor tint;
        bool enabled, flatLook, hot, grayscale, noFade;
        TPixelRule rule;
    } rows[] = {
        {"plain", clNone, true, false, false, false, false, &Plain},
        {"tinted when disabled", static_cast<TColor>(RGB(40, 80, 160)), false, false, false, false, false, &Tinted},
        {"a tint is not used while enabled", static_cast<TColor>(RGB(40, 80, 160)), true, false, false, false, true,
         &Plain},
        {"grayscale", clNone, true, false, false, true, false, &Gray},
        {"faded in the flat look", clNone, true, true, false, false, false, &Faded},
        {"no fade when hot", clNone, true, true, true, false, false, &Plain},
        {"no fade when asked", clNone, true, true, false, false, true, &Plain},
        {"no fade for grayscale", clNone, true, true, false, true, false, &Gray},
    };
    auto glyph = TestGlyph();
    for (const TRow& row : rows) {
        auto b = Canvas(12, 12);
        TubGlyphDrawParams p = GlyphAt4(glyph.get());
        p.TintColor = row.tint;
        p.Enabled = row.enabled;
        p.FlatLook = row.flatLook;
        p.Hot = row.hot;
        p.Grayscale = row.grayscale;
        p.NoFade = row.noFade;
        DrawGlyph(b->Canvas()->GetHandle(), p);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x)
                EXPECT_EQ(Pixel(*b, 5 + x, 5 + y), row.rule(kGlyphPixels[y][x])) << row.name << " at " << x << "," << y;
        EXPECT_EQ(Pixel(*b, 4, 4), kBackground) << row.name;  // transparent
        EXPECT_EQ(Pixel(*b, 7, 7), kBackground) << row.name;
    }
}

TEST_F(ubBarDraw, HotFlatGlyphMovesUpLeftOverItsShadow) {
    auto glyph = TestGlyph();
    auto b = Canvas(12, 12);
    TubGlyphDrawParams p = GlyphAt4(glyph.get());
    p.FlatLook = p.ShadowAllowed = p.Hot = true;
    DrawGlyph(b->Canvas()->GetHandle(), p);
    // The glyph one pixel up-left: its pixels at (4..5, 4..5); the shadow 2 pixels right-down of that.
    EXPECT_EQ(Pixel(*b, 4, 4), kGlyphPixels[0][0]);
    EXPECT_EQ(Pixel(*b, 5, 5), kGlyphPixels[1][1]);
    EXPECT_EQ(Pixel(*b, 6, 6), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(*b, 7, 7), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(*b, 6, 5), kBackground);
    EXPECT_EQ(Pixel(*b, 3, 3), kBackground);

    p.NoShadow = true;
    auto plain = Canvas(12, 12);
    DrawGlyph(plain->Canvas()->GetHandle(), p);
    EXPECT_EQ(Pixel(*plain, 5, 5), kGlyphPixels[0][0]);  // in place, no shadow
    EXPECT_EQ(Pixel(*plain, 7, 7), kBackground);
}

TEST_F(ubBarDraw, DisabledGlyphWithoutTintIsEmbossed) {
    auto glyph = TestGlyph();
    for (bool flat : {false, true}) {
        auto b = Canvas(12, 12);
        TubGlyphDrawParams p = GlyphAt4(glyph.get());
        p.Enabled = false;
        p.FlatLook = flat;
        DrawGlyph(b->Canvas()->GetHandle(), p);
        for (int y = 5; y <= 6; ++y)
            for (int x = 5; x <= 6; ++x) EXPECT_EQ(Pixel(*b, x, y), GetSysColor(COLOR_BTNSHADOW)) << flat;
        // The highlight edge one pixel right and down, only outside the flat look.
        EXPECT_EQ(Pixel(*b, 7, 7), flat ? kBackground : GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(Pixel(*b, 4, 4), kBackground);
    }
}

TEST_F(ubBarDraw, GlyphBackgroundComesFromTheBrushUnlessKept) {
    auto glyph = TestGlyph();
    auto b = Canvas(12, 12);
    HBRUSH brush = CreateSolidBrush(RGB(7, 7, 70));
    TubGlyphDrawParams p;
    p.BackgroundBrush = brush;
    p.DestRect = TRect(2, 2, 10, 10);
    p.GlyphRect = TRect(3, 3, 7, 7);
    p.Glyph = glyph.get();
    DrawGlyph(b->Canvas()->GetHandle(), p);
    EXPECT_EQ(Pixel(*b, 2, 2), RGB(7, 7, 70));
    EXPECT_EQ(Pixel(*b, 4, 4), kGlyphPixels[0][0]);
    EXPECT_EQ(Pixel(*b, 1, 1), kBackground);  // outside the destination
    DeleteObject(brush);
}

TEST_F(ubBarDraw, ImageListImageIsDrawnOverTheImageBackgroundColour) {
    auto glyph = TestGlyph();
    TImageList images(nullptr);
    images.SetWidth(4);
    images.SetHeight(4);
    ASSERT_EQ(images.AddMasked(glyph.get(), static_cast<TColor>(kMagenta)), 0);
    for (int index : {0, 1, -1}) {
        auto b = Canvas(12, 12);
        TubGlyphDrawParams p = GlyphAt4(nullptr);
        p.Images = &images;
        p.ImageIndex = index;
        p.Grayscale = true;
        DrawGlyph(b->Canvas()->GetHandle(), p);
        if (index == 0) {
            EXPECT_EQ(Pixel(*b, 5, 5), Gray(kGlyphPixels[0][0]));
            EXPECT_EQ(Pixel(*b, 6, 5), Gray(kGlyphPixels[0][1]));
            EXPECT_EQ(Pixel(*b, 4, 4), kBackground);  // the image background is the transparent colour
        } else {
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 12; ++x) ASSERT_EQ(Pixel(*b, x, y), kBackground) << "index " << index;
        }
    }
}

// Nothing is drawn, and nothing is read, for an empty glyph or destination.
TEST_F(ubBarDraw, GlyphWithNothingToDrawLeavesTheDestinationAlone) {
    auto glyph = TestGlyph();
    TBitmap empty;
    struct TRow {
        const char* name;
        TBitmap* glyph;
        TRect dest;
    } rows[] = {
        {"empty glyph", &empty, TRect(0, 0, 12, 12)},
        {"no glyph", nullptr, TRect(0, 0, 12, 12)},
        {"empty destination", glyph.get(), TRect(4, 4, 4, 10)},
        {"inverted destination", glyph.get(), TRect(8, 8, 2, 2)},
    };
    for (const TRow& row : rows) {
        auto b = Canvas(12, 12);
        TubGlyphDrawParams p;
        p.DestRect = row.dest;
        p.GlyphRect = TRect(4, 4, 8, 8);
        p.Glyph = row.glyph;
        DrawGlyph(b->Canvas()->GetHandle(), p);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) ASSERT_EQ(Pixel(*b, x, y), kBackground) << row.name;
    }
}

TEST_F(ubBarDraw, SizeGripKeepsTheBackgroundBetweenItsLines) {
    auto b = Canvas(16, 16);
    DrawSizeGrip(b->Canvas()->GetHandle(), TRect(0, 0, 16, 16));
    int grip = 0, kept = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) (Pixel(*b, x, y) == kBackground ? kept : grip)++;
    EXPECT_GT(grip, 0);
    EXPECT_GT(kept, grip);
    EXPECT_EQ(Pixel(*b, 0, 0), kBackground);
}

TEST_F(ubBarDraw, ClipHelpersSaveAddAndRestore) {
    auto b = Canvas(10, 10);
    HDC dc = b->Canvas()->GetHandle();
    TubSavedClip none = SaveClipRegion(dc);
    EXPECT_EQ(none.Region, nullptr);
    IntersectClipRect(dc, 0, 0, 2, 2);
    AddClipRect(dc, TRect(5, 5, 6, 6));
    TubSavedClip saved = SaveClipRegion(dc);
    ASSERT_NE(saved.Region, nullptr);
    SubtractRectFromRegion(saved.Region, TRect(0, 0, 1, 1));
    RestoreClipRegion(dc, saved);
    RECT all{0, 0, 10, 10};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RestoreClipRegion(dc, none);
    EXPECT_EQ(Pixel(*b, 0, 0), kBackground);  // subtracted
    EXPECT_EQ(Pixel(*b, 1, 1), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(*b, 5, 5), RGB(0, 0, 0));  // added
    EXPECT_EQ(Pixel(*b, 8, 8), kBackground);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(Pixel(*b, 8, 8), RGB(0, 0, 0));
}

TEST_F(ubBarDraw, WindowAlphaNeedsLayeredWindows) {
    TTestForm* form = NewForm();
    HWND w = form->GetHandle();
    SetWindowAlpha(w, 128);
    EXPECT_NE(GetWindowLong(w, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    BYTE alpha = 0;
    GetLayeredWindowAttributes(w, nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 128);
    SetWindowAlpha(w, 255);
    EXPECT_EQ(GetWindowLong(w, GWL_EXSTYLE) & WS_EX_LAYERED, 0);

    ubBarShutdown();
    SetEntryPointAvailable("SetLayeredWindowAttributes", false);
    ubBarStartup();
    SetWindowAlpha(w, 128);
    EXPECT_EQ(GetWindowLong(w, GWL_EXSTYLE) & WS_EX_LAYERED, 0);

    HFONT copy = MakeFontCopy(form->Font()->GetHandle());
    LOGFONT a, c;
    GetObject(form->Font()->GetHandle(), sizeof(a), &a);
    GetObject(copy, sizeof(c), &c);
    EXPECT_EQ(a.lfHeight, c.lfHeight);
    EXPECT_STREQ(a.lfFaceName, c.lfFaceName);
    EXPECT_NE(copy, form->Font()->GetHandle());
    DeleteObject(copy);
}

TEST_F(ubBarDraw, TheDropMarkIsAnInvertedIBeamThatASecondDrawingErases) {
    struct Row {
        const char* Name;
        bool Across, AtEnd;
        // Inverted pixels of a 30 x 20 control at (10, 10): the middle of the stem and an end bar's outer pixel.
        POINT Stem, EndBar, Untouched;
    };
    const Row rows[] = {
        {"down the left edge", false, false, {9, 20}, {7, 10}, {12, 20}},
        {"down the right edge", false, true, {40, 20}, {42, 29}, {37, 20}},
        {"across the top", true, false, {25, 9}, {10, 7}, {25, 12}},
        {"across the bottom", true, true, {25, 30}, {39, 32}, {25, 27}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        auto b = Canvas(60, 50);
        const HDC dc = b->Canvas()->GetHandle();
        const TRect control{10, 10, 40, 30};
        InvertDropMark(dc, control, r.Across, r.AtEnd);
        const COLORREF inverted = 0xFFFFFF & ~kBackground;
        EXPECT_EQ(GetPixel(dc, r.Stem.x, r.Stem.y), inverted);
        EXPECT_EQ(GetPixel(dc, r.EndBar.x, r.EndBar.y), inverted);
        EXPECT_EQ(GetPixel(dc, r.Untouched.x, r.Untouched.y), kBackground);
        // No pixel is inverted twice by one drawing: every one of them is either kept or inverted.
        int changed = 0;
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 60; ++x) {
                const COLORREF c = GetPixel(dc, x, y);
                EXPECT_TRUE(c == kBackground || c == inverted);
                changed += c == inverted;
            }
        // Two lines along the edge (30 pixels across, 20 down) less the end bars, and four end bars of 6 pixels.
        EXPECT_EQ(changed, 2 * ((r.Across ? 30 : 20) - 4) + 4 * 6);
        InvertDropMark(dc, control, r.Across, r.AtEnd);
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 60; ++x) ASSERT_EQ(GetPixel(dc, x, y), kBackground) << x << "," << y;
    }
}

}  // namespace
}  // namespace zel::test
