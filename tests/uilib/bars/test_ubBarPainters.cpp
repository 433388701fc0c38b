// The bar painters: the sizes they decide, the rules of their drawing, the Office-2003 look's pixels in the
// classic and the blue scheme, and a gallery of each look.
#include <cstdlib>
#include <memory>
#include <vector>

#include "BarsTestSupport.h"
#include "PaintSurface.h"
#include "platform/win/Gdi.h"
#include "support/uilib/LookAndFeelUnits.h"
#include "uilib/bars/ubBarDraw.h"
#include "uilib/bars/ubBarPainters.h"
#include "uilib/base/ubOffice11.h"

namespace zel::test {
namespace {

using ubBarPainters = BarsTest;

constexpr COLORREF kBackground = kSurfaceBackground;
COLORREF Rgb(TColor C) { return static_cast<COLORREF>(ColorToRGB(C)); }

int Distance(COLORREF A, COLORREF B) {
    return std::abs(GetRValue(A) - GetRValue(B)) + std::abs(GetGValue(A) - GetGValue(B)) +
           std::abs(GetBValue(A) - GetBValue(B));
}

// The pixels of a colour inside a rectangle: their count and the left-most and top-most of them.
struct TColorSpread {
    int count = 0, left = 1 << 20, top = 1 << 20;
};
TColorSpread Spread(TBitmap& B, const RECT& R, COLORREF C) {
    TColorSpread s;
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x)
            if (Pixel(B, x, y) == C) {
                ++s.count;
                s.left = std::min(s.left, x);
                s.top = std::min(s.top, y);
            }
    return s;
}

const TubBarItemControlPainter& Base() { return *BarPainterClass<TubBarItemControlPainter>(); }
const TubBarItemControlPainter& Standard() { return *BarPainterClass<TubBarItemControlStandardPainter>(); }
const TubBarItemControlPainter& Enhanced() { return *BarPainterClass<TubBarItemControlEnhancedPainter>(); }
const TubBarItemControlPainter& Flat() { return *BarPainterClass<TubBarItemControlFlatPainter>(); }
const TubBarItemControlPainter& Office11() { return *BarPainterClass<TubBarItemControlOffice11Painter>(); }

TEST_F(ubBarPainters, ManagerSizesAndArrowWidthsFollowTheLookAndTheIconSize) {
    auto* m = new TubBarManager(NewForm());
    struct Row {
        const char* name;
        const TubBarItemControlPainter& painter;
        int arrow;
        bool large;
        int wantArrow, wantGlyph, wantWidth, wantHeight;
    } rows[] = {
        {"base, small", Base(), 11, false, 11, 16, 23, 22},
        {"base, large icons", Base(), 11, true, 23, 32, 39, 38},
        {"base, even width made odd", Base(), 10, false, 11, 16, 23, 22},
        {"flat takes one off", Flat(), 11, false, 10, 16, 23, 22},
        {"flat, large icons", Flat(), 11, true, 22, 32, 39, 38},
        {"Office 2003 as flat", Office11(), 11, false, 10, 16, 23, 22},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m->SetButtonArrowWidth(row.arrow);
        m->SetLargeIcons(row.large);
        const TubBarManagerSizes s = row.painter.ManagerSizes(m);
        EXPECT_EQ(s.ArrowWidth, row.wantArrow);
        EXPECT_EQ(s.GlyphSize, row.wantGlyph);
        EXPECT_EQ(s.ButtonWidth, row.wantWidth);
        EXPECT_EQ(s.ButtonHeight, row.wantHeight);
    }
    EXPECT_EQ(Flat().GetLargeArrowWidth(m), m->GetLargeButtonArrowWidth() - 1);
}

TEST_F(ubBarPainters, TheManagersLookChoosesThePainter) {
    auto* m = new TubBarManager(NewForm());
    const struct {
        TubBarManagerStyle style;
        TubBarPainterClass painter;
    } rows[] = {{bmsStandard, &Standard()},
                {bmsEnhanced, &Enhanced()},
                {bmsXP, &Enhanced()},  // without visual styles
                {bmsFlat, &Flat()},
                {bmsOffice11, &Office11()}};
    for (const auto& row : rows) {
        m->SetStyle(row.style);
        EXPECT_EQ(BarPainterOf(m), row.painter) << static_cast<int>(row.style);
    }
}

TEST_F(ubBarPainters, AGlyphIsDrawnOnlyWhereItFitsWithTwoPixelsToSpare) {
    const struct {
        RECT area;
        bool fits;
    } rows[] = {{{0, 0, 18, 18}, true}, {{0, 0, 17, 18}, false}, {{0, 0, 18, 17}, false}, {{5, 5, 40, 30}, true}};
    for (const auto& row : rows)
        EXPECT_EQ(TubBarItemControlPainter::GlyphFits(row.area, SIZE{16, 16}), row.fits) << row.area.right;
}

// The glyph area of a button draws its glyph only where the glyph fits with 2 pixels to spare, centred.
TEST_F(ubBarPainters, AGlyphButtonDrawsItsGlyphCentredWhereItFits) {
    TBitmap glyph;
    glyph.SetSize(16, 16);
    HDC g = glyph.Canvas()->GetHandle();
    FillRectWithColor(g, RECT{0, 0, 16, 16}, clRed);
    SetPixelV(g, 0, 15, RGB(255, 0, 255));  // the transparent colour
    TubBarGlyph params;
    params.Bitmap = &glyph;
    const struct {
        RECT area;
        bool drawn;
        POINT at;  // where the glyph's top-left lands
    } rows[] = {{{0, 0, 18, 18}, true, {1, 1}}, {{0, 0, 17, 18}, false, {}}, {{2, 3, 25, 25}, true, {5, 6}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.area.right);
        auto b = Surface(32, 32);
        TubBarItemPaintState state;
        Base().DrawGlyphButton(b->Canvas()->GetHandle(), row.area, state, params, false);
        const TColorSpread red = Spread(*b, RECT{0, 0, 32, 32}, RGB(255, 0, 0));
        if (!row.drawn) {
            EXPECT_EQ(red.count, 0);
            continue;
        }
        EXPECT_EQ(red.count, 16 * 16 - 1);
        EXPECT_EQ(red.left, row.at.x);
        EXPECT_EQ(red.top, row.at.y);
    }
}

TEST_F(ubBarPainters, DisabledTextIsEmbossedInTwoPassesOrDrawnOnceInGreyByTheFlatLooks) {
    SetSysColor(COLOR_BTNHIGHLIGHT, RGB(255, 0, 0));
    SetSysColor(COLOR_BTNSHADOW, RGB(0, 0, 255));
    SetSysColor(COLOR_GRAYTEXT, RGB(255, 255, 0));
    const RECT r{4, 4, 76, 28};
    struct Row {
        const char* name;
        const TubBarItemControlPainter& painter;
        bool allowFlat;
        bool embossed;
    } rows[] = {
        {"base", Base(), true, true},
        {"flat", Flat(), true, false},
        {"flat where the caller wants the relief", Flat(), false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto b = Surface(80, 32);
        row.painter.DrawItemText(b->Canvas()->GetHandle(), r, "HIH", false, false, DT_LEFT, row.allowFlat);
        const TColorSpread light = Spread(*b, RECT{0, 0, 80, 32}, RGB(255, 0, 0));
        const TColorSpread shadow = Spread(*b, RECT{0, 0, 80, 32}, RGB(0, 0, 255));
        const TColorSpread grey = Spread(*b, RECT{0, 0, 80, 32}, RGB(255, 255, 0));
        if (row.embossed) {
            ASSERT_GT(light.count, 0);
            ASSERT_GT(shadow.count, 0);
            EXPECT_EQ(grey.count, 0);
            // The highlight copy lies one pixel right and down of the shadow text.
            EXPECT_EQ(light.left, shadow.left + 1);
            EXPECT_EQ(light.top, shadow.top + 1);
        } else {
            EXPECT_GT(grey.count, 0);
            EXPECT_EQ(light.count + shadow.count, 0);
        }
    }
    // Selected disabled text is grey in every look; enabled selected text is highlighted only when not flat.
    EXPECT_EQ(Base().GetTextColors(false, false, true), clGrayText);
    EXPECT_EQ(Base().GetTextColors(true, false, true), clHighlightText);
    EXPECT_EQ(Base().GetTextColors(true, true, true), clBtnText);
}

// Vertical text: the accelerator's underline is drawn by hand along the text under its character, in both
// passes of the embossed look; the text reads upwards or downwards by the font's escapement.
TEST_F(ubBarPainters, VerticalTextUnderlinesItsAcceleratorByHand) {
    SetSysColor(COLOR_BTNHIGHLIGHT, RGB(255, 0, 0));
    SetSysColor(COLOR_BTNSHADOW, RGB(0, 0, 255));
    for (const int escapement : {900, 2700}) {
        SCOPED_TRACE(escapement);
        HFONT font = CreateFont(-12, 0, escapement, escapement, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "DejaVu Sans");
        auto draw = [&](const std::string& text) {
            auto b = Surface(40, 80);
            HDC dc = b->Canvas()->GetHandle();
            HGDIOBJ old = SelectObject(dc, font);
            Base().DrawItemText(dc, RECT{0, 0, 40, 80}, text, false, false, DT_LEFT, true, false);
            SelectObject(dc, old);
            return b;
        };
        auto marked = draw("F&ile");
        auto plain = draw("File");
        HDC m = CreateCompatibleDC(nullptr);
        SelectObject(m, font);
        SIZE f{}, fi{}, word{};
        GetTextExtentPoint32(m, "F", 1, &f);
        GetTextExtentPoint32(m, "Fi", 2, &fi);
        GetTextExtentPoint32(m, "File", 4, &word);
        DeleteDC(m);
        // The pixels the mark adds: one straight line per pass, as long as the "i", the light one a pixel
        // right of and below the dark one.
        std::vector<POINT> light, dark;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 40; ++x) {
                const COLORREF c = Pixel(*marked, x, y);
                if (c == Pixel(*plain, x, y)) continue;
                if (c == RGB(255, 0, 0)) light.push_back(POINT{x, y});
                else if (c == RGB(0, 0, 255)) dark.push_back(POINT{x, y});
                else ADD_FAILURE() << "unexpected colour at " << x << "," << y;
            }
        ASSERT_EQ(static_cast<int>(dark.size()), fi.cx - f.cx);
        ASSERT_EQ(light.size(), dark.size());
        for (std::size_t i = 0; i < dark.size(); ++i) {
            EXPECT_EQ(dark[i].x, dark[0].x);
            EXPECT_EQ(light[i].x, dark[i].x + 1);
            EXPECT_EQ(light[i].y, dark[i].y + 1);
        }
        // The text is centred along the rectangle: upwards it starts at the bottom of its run, so the "i" lies
        // above the "F"; downwards below it.
        const int from = escapement == 900 ? (80 + word.cx) / 2 - fi.cx : (80 - word.cx) / 2 + f.cx;
        EXPECT_EQ(dark.front().y, from);
        EXPECT_EQ(dark.back().y, from + (fi.cx - f.cx) - 1);
        DeleteObject(font);
    }
}

TEST_F(ubBarPainters, TheCheckMarkOfADownMenuEntryIsCentredInItsGlyphArea) {
    SetSysColor(COLOR_BTNTEXT, RGB(255, 0, 255));
    struct Row {
        RECT area;
        bool largeFont;
        POINT origin;
    } rows[] = {
        {{0, 0, 21, 21}, false, {6, 7}},
        {{10, 4, 31, 22}, false, {16, 9}},
        {{0, 0, 40, 40}, true, {11, 13}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.area.right);
        const int scale = row.largeFont ? 2 : 1;
        const POINT o = TubBarItemControlPainter::CheckMarkOrigin(row.area, scale);
        EXPECT_EQ(o.x, row.origin.x);
        EXPECT_EQ(o.y, row.origin.y);
        auto b = Surface(48, 48);
        TubBarItemPaintState state;
        state.Bar = bwkSubMenu;
        state.Down = true;
        Base().DrawEmptyGlyphArea(b->Canvas()->GetHandle(), row.area, GetSysColorBrush(COLOR_BTNFACE), state,
                                  row.largeFont);
        // Every pixel of the mark lies inside its 9 x 7 box (18 x 14 at scale 2), and the mark is there.
        const RECT box{o.x, o.y, o.x + 9 * scale, o.y + 7 * scale};
        const TColorSpread all = Spread(*b, RECT{0, 0, 48, 48}, RGB(255, 0, 255));
        EXPECT_GT(all.count, 0);
        EXPECT_EQ(Spread(*b, box, RGB(255, 0, 255)).count, all.count);
    }
    // Not down, or not on a sub-menu: no mark.
    auto b = Surface(24, 24);
    TubBarItemPaintState toolbar;
    toolbar.Down = true;
    Base().DrawEmptyGlyphArea(b->Canvas()->GetHandle(), RECT{0, 0, 21, 21}, GetSysColorBrush(COLOR_BTNFACE), toolbar,
                              false);
    EXPECT_EQ(Spread(*b, RECT{0, 0, 24, 24}, RGB(255, 0, 255)).count, 0);
}

TEST_F(ubBarPainters, AProgressBarIsFilledWithinItsRectangleWhateverItsRange) {
    const struct {
        const char* name;
        int position, min, max, filled;
    } rows[] = {
        {"half", 50, 0, 100, 50},
        {"offset range", 30, 20, 40, 50},
        {"empty range", 5, 5, 5, 0},
        {"above the range", 300, 0, 100, 100},
        {"below the range", -40, 0, 100, 0},
        {"reversed", 50, 100, 0, 50},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(TubBarItemControlPainter::ProgressFilledLength(100, row.position, row.min, row.max), row.filled);
        for (bool vertical : {false, true}) {
            auto b = Surface(120, 120);
            const RECT r = vertical ? RECT{10, 10, 22, 110} : RECT{10, 10, 110, 22};
            HBRUSH back = CreateSolidBrush(RGB(255, 255, 255));
            Base().DrawProgressBar(b->Canvas()->GetHandle(), row.position, row.min, row.max, false, vertical, clRed, r,
                                   back);
            DeleteObject(back);
            // Nothing outside the rectangle changed.
            EXPECT_EQ(Spread(*b, RECT{0, 0, 120, 120}, kBackground).count, 120 * 120 - 100 * 12);
            const TColorSpread red = Spread(*b, r, RGB(255, 0, 0));
            EXPECT_EQ(red.count > 0, row.filled > 0);
        }
    }
}

// A palette user for the scheme of the fixture's units.
struct TPalette {
    TPalette() { AcquireOffice11Palette(); }
    ~TPalette() { ReleaseOffice11Palette(); }
};

// The Office-2003 pixels the look fixes, checked in the scheme the units were started with.
void CheckOffice11Pixels() {
    const TubOffice11Roles& roles = Office11Roles;
    auto color = [](int column) { return Rgb(Office11RoleColor(column)); };
    const TubBarItemControlPainter& p = Office11();
    {
        SCOPED_TRACE("docked toolbar body");
        auto b = Surface(100, 26);
        p.DrawBarBackground(b->Canvas()->GetHandle(), RECT{0, 0, 100, 26}, TubBarItemPaintState{});
        const COLORREF shadow = color(roles.ToolbarShadow);
        EXPECT_EQ(Pixel(*b, 50, 0), color(roles.ToolbarLight));
        EXPECT_EQ(Pixel(*b, 50, 25), shadow);
        // The rounded corners mix the shadow half and half with the gradient's ends.
        EXPECT_EQ(Pixel(*b, 0, 0),
                  Rgb(MixColorsPercent(static_cast<TColor>(shadow), Office11RoleColor(roles.ToolbarLight), 50)));
        EXPECT_EQ(Pixel(*b, 99, 25),
                  Rgb(MixColorsPercent(static_cast<TColor>(shadow), Office11RoleColor(roles.ToolbarDark), 50)));
        // The main-menu bar keeps the button face.
        TubBarItemPaintState menuBar;
        menuBar.Bar = bwkMainMenu;
        p.DrawBarBackground(b->Canvas()->GetHandle(), RECT{0, 0, 100, 26}, menuBar);
        EXPECT_EQ(Pixel(*b, 50, 0), Rgb(clBtnFace));
        EXPECT_EQ(Pixel(*b, 0, 0), Rgb(clBtnFace));
    }
    {
        SCOPED_TRACE("separator lines");
        auto b = Surface(8, 24);
        p.DrawSeparator(b->Canvas()->GetHandle(), RECT{0, 0, 8, 24}, TubBarItemPaintState{});
        EXPECT_EQ(Pixel(*b, 3, 2), kBackground);
        EXPECT_EQ(Pixel(*b, 3, 3), color(roles.SeparatorDark));
        EXPECT_EQ(Pixel(*b, 3, 19), color(roles.SeparatorDark));
        EXPECT_EQ(Pixel(*b, 3, 20), kBackground);
        EXPECT_EQ(Pixel(*b, 4, 3), kBackground);
        EXPECT_EQ(Pixel(*b, 4, 4), color(roles.SeparatorLight));
        EXPECT_EQ(Pixel(*b, 4, 20), color(roles.SeparatorLight));
        EXPECT_EQ(Pixel(*b, 4, 21), kBackground);
    }
    {
        SCOPED_TRACE("hot and pressed buttons");
        struct Row {
            const char* name;
            bool hot, pressed;
            int top, bottom;  // the columns the gradient starts and ends with, top to bottom
        } rows[] = {
            {"hot", true, false, roles.HotFirst, roles.HotSecond},
            {"pressed while hot", true, true, roles.PressedSecond, roles.PressedFirst},
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            auto b = Surface(23, 60);
            TubBarItemPaintState s;
            s.Hot = row.hot;
            s.Pressed = row.pressed;
            p.DrawButtonBackground(b->Canvas()->GetHandle(), RECT{0, 0, 23, 60}, nullptr, s);
            const COLORREF top = Pixel(*b, 11, 1), bottom = Pixel(*b, 11, 58);
            EXPECT_LE(Distance(top, color(row.top)), Distance(top, color(row.bottom)));
            EXPECT_LE(Distance(bottom, color(row.bottom)), Distance(bottom, color(row.top)));
            EXPECT_LE(Distance(top, color(row.top)), 12);
            EXPECT_LE(Distance(bottom, color(row.bottom)), 12);
            // The selection frame.
            EXPECT_EQ(Pixel(*b, 0, 30), color(roles.ButtonFrame));
        }
    }
    {
        SCOPED_TRACE("glyph column");
        auto b = Surface(120, 40);
        p.DrawSubMenuBackground(b->Canvas()->GetHandle(), RECT{0, 0, 120, 40}, 24, false);
        EXPECT_EQ(Pixel(*b, 0, 20), color(roles.GlyphColumnLight));
        EXPECT_EQ(Pixel(*b, 23, 20), color(roles.GlyphColumnDark));
        EXPECT_EQ(Pixel(*b, 24, 20), color(roles.MenuBackground));
        p.DrawSubMenuBackground(b->Canvas()->GetHandle(), RECT{0, 0, 120, 40}, 24, true);
        EXPECT_EQ(Pixel(*b, 0, 20), color(roles.ExpandedGlyphColumnLight));
        EXPECT_EQ(Pixel(*b, 23, 20), color(roles.ExpandedGlyphColumnDark));
    }
    {
        SCOPED_TRACE("main-menu item");
        TubBarItemPaintState s;
        s.Bar = bwkMainMenu;
        // Caption plus 8 pixels on either side, no drop-down arrow.
        EXPECT_EQ(p.GetSubItemWidth(s, 30, 19, TubBarManagerSizes{}, 13, true), 46);
        s.Bar = bwkToolbar;
        EXPECT_EQ(p.GetSubItemWidth(s, 30, 19, TubBarManagerSizes{}, 13, true), 30 + 2 * 7 + 9);
    }
}

TEST_F(ubBarPainters, Office11PixelsInTheClassicScheme) {
    TPalette palette;
    ASSERT_EQ(Office11Scheme(), 0);
    CheckOffice11Pixels();
    // In the classic scheme the hot gradient is one colour.
    auto b = Surface(23, 22);
    TubBarItemPaintState hot;
    hot.Hot = true;
    Office11().DrawButtonBackground(b->Canvas()->GetHandle(), RECT{0, 0, 23, 22}, nullptr, hot);
    EXPECT_EQ(Pixel(*b, 11, 1), Pixel(*b, 11, 20));
}

// The bar windows' parts of a look, right of the gallery: a floating bar's frame, caption and close button, a
// docked vertical bar with its border, grip, upright caption and size grip, and the toolbar's mark.
void PaintBarParts(const TubBarItemControlPainter& p, TubBarManager* m, HDC dc) {
    TubBarItemPaintState floating;
    floating.Manager = m;
    floating.DockingStyle = dsNone;
    const RECT window{204, 4, 316, 60};
    p.DrawFloatingFrame(dc, window, p.GetBarBrush(floating), floating);
    RECT inside = window;
    InflateRect(&inside, -p.GetFloatingFrameWidth(), -p.GetFloatingFrameHeight());
    const int caption = p.GetSmallCaptionHeight();
    const RECT captionRect{inside.left, inside.top, inside.right, inside.top + caption};
    p.DrawFloatingCaption(dc, captionRect, "Tools", floating);
    const int button = std::min(caption, p.GetCaptionButtonSize(floating));
    p.DrawCaptionParts(dc,
                       RECT{captionRect.right - button, captionRect.top, captionRect.right, captionRect.top + button},
                       true, false, floating);
    p.DrawBarBackground(dc, RECT{inside.left, captionRect.bottom, inside.right, inside.bottom}, floating);

    TubBarItemPaintState docked;
    docked.Manager = m;
    docked.DockingStyle = dsLeft;
    docked.VerticalBar = true;
    docked.Rotated = true;
    const RECT bar{204, 66, 234, 186};
    p.DrawBarBackground(dc, bar, docked);
    p.DrawBarBorder(dc, bar, p.GetBarBrush(docked), docked);
    RECT inner = bar;
    InflateRect(&inner, -1, -1);
    if (p.GetGripSize() > 0) p.DrawBarGrip(dc, p.GetGripRect(inner, docked), docked);
    HFONT upright = CreateFont(-11, 0, 2700, 2700, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "DejaVu Sans");
    HGDIOBJ old = SelectObject(dc, upright);
    p.DrawItemText(dc, RECT{bar.left, bar.top + 20, bar.right, bar.bottom - 20}, "&Upright", true, false, DT_LEFT, true,
                   false);
    SelectObject(dc, old);
    DeleteObject(upright);
    RECT grip = p.GetSizeGripRect(inner, docked);
    if (grip.bottom > grip.top) DrawSizeGrip(dc, grip);
    TubBarItemPaintState toolbar;
    toolbar.Manager = m;
    p.DrawMarkBackground(dc, RECT{240, 66, 252, 92}, true, false, toolbar);
    p.DrawMark(dc, RECT{240, 66, 252, 92}, true, toolbar);
}

// One look's gallery: a toolbar with buttons in each state and a separator, and a menu column with a
// glyph, a check mark, a sub-menu arrow, a separator and a shortcut text.
void PaintGallery(const TubBarItemControlPainter& p, TubBarManager* m, TBitmap& b) {
    HDC dc = b.Canvas()->GetHandle();
    FillRectWithColor(dc, RECT{0, 0, b.GetWidth(), b.GetHeight()}, clBtnFace);
    TubBarItemPaintState bar;
    bar.Manager = m;
    p.DrawBarBackground(dc, RECT{4, 4, 196, 30}, bar);
    struct Button {
        const char* caption;
        bool hot, pressed, down, enabled;
    } buttons[] = {{"N", false, false, false, true},
                   {"H", true, false, false, true},
                   {"P", true, true, false, true},
                   {"D", false, false, true, true},
                   {"X", false, false, false, false}};
    int x = 8;
    for (const Button& button : buttons) {
        TubBarItemPaintState s = bar;
        s.Hot = button.hot;
        s.Pressed = button.pressed;
        s.Down = button.down;
        s.Enabled = button.enabled;
        const RECT r{x, 6, x + 23, 28};
        if (p.PaintBackgroundFirst()) p.DrawButtonBackground(dc, r, p.GetButtonBrush(s), s);
        p.DrawItemText(dc, r, button.caption, button.enabled, false, DT_CENTER);
        if (!p.PaintBackgroundFirst()) p.DrawButtonBackground(dc, r, p.GetButtonBrush(s), s);
        x += 24;
    }
    p.DrawSeparator(dc, RECT{x, 6, x + 8, 28}, bar);
    x += 8;
    // A drop-down button, hot, with its arrow part.
    TubBarItemPaintState dropDown = bar;
    dropDown.Hot = true;
    const RECT face{x, 6, x + 23, 28};
    p.DrawButtonBackground(dc, face, p.GetButtonBrush(dropDown), dropDown);
    p.DrawItemText(dc, face, "V", true, false, DT_CENTER);
    p.DrawDropDownArrowPart(dc, RECT{face.right, 6, face.right + 11, 28}, dropDown);
    // An edit and a combo below the menu.
    RECT edit{4, 40 + 5 * 22 + 8, 96, 40 + 5 * 22 + 28};
    p.DrawEditBox(dc, edit, bar);
    p.DrawItemText(dc, RECT{edit.left + 2, edit.top, edit.right, edit.bottom}, "Edit", true, false, DT_LEFT);
    RECT combo{104, 40 + 5 * 22 + 8, 196, 40 + 5 * 22 + 28};
    const RECT comboButton{combo.right - 1 - p.GetComboButtonWidth(7), combo.top + 1, combo.right - 1,
                           combo.bottom - 1};
    p.DrawEditBox(dc, combo, bar);
    p.DrawItemText(dc, RECT{combo.left + 2, combo.top, comboButton.left, combo.bottom}, "Combo", true, false, DT_LEFT);
    p.DrawComboButton(dc, comboButton, false, bar);

    const RECT menu{4, 40, 196, 40 + 5 * 22 + 4};
    p.DrawSubMenuBackground(dc, menu, 24, false);
    FrameRectWithColor(dc, menu, clBtnShadow);
    TubBarItemPaintState line = bar;
    line.Bar = bwkSubMenu;
    auto menuLine = [&](int row, const char* caption, bool hot, bool down, bool glyph) {
        TubBarItemPaintState s = line;
        s.Hot = hot;
        s.Down = down;
        s.HasGlyph = glyph;
        const RECT r{menu.left + 2, menu.top + 2 + row * 22, menu.right - 2, menu.top + 2 + (row + 1) * 22};
        p.DrawMenuLine(dc, r, caption, s);
        if (glyph) FillRectWithColor(dc, RECT{r.left + 4, r.top + 3, r.left + 20, r.top + 19}, clNavy);
        return r;
    };
    menuLine(0, "Open", false, false, true);
    menuLine(1, "Checked", true, true, false);
    const RECT more = menuLine(2, "More", false, false, false);
    p.DrawSubMenuArrow(dc, RECT{more.right - 20, more.top, more.right, more.bottom}, true, false);
    TubBarItemPaintState separator = line;
    separator.VerticalBar = true;
    p.DrawSeparator(dc, RECT{menu.left + 30, menu.top + 2 + 3 * 22, menu.right - 4, menu.top + 2 + 4 * 22}, separator);
    const RECT save = menuLine(4, "Save", false, false, false);
    p.DrawItemText(dc, RECT{save.left, save.top, save.right - 8, save.bottom}, "Ctrl+S", true, false, DT_RIGHT);
    p.DrawSubMenuFrame(dc, menu, p.GetSubMenuBrush());
    PaintBarParts(p, m, dc);
}

// What the Standard and Enhanced looks decide differently from each other and from the base.
TEST_F(ubBarPainters, StandardAndEnhancedSizesAndRectangles) {
    const RECT bar{0, 0, 100, 30};
    TubBarItemPaintState top, left;
    top.DockingStyle = dsTop;
    left.DockingStyle = dsLeft;
    const struct {
        const char* name;
        const TubBarItemControlPainter& painter;
        RECT gripTop, gripLeft;
        bool quick;
    } rows[] = {
        {"Standard", Standard(), RECT{89, 0, 100, 9}, RECT{91, 19, 100, 30}, false},
        {"Enhanced", Enhanced(), RECT{89, 0, 100, 30}, RECT{0, 19, 100, 30}, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.painter.GetSizeGripRect(bar, top), row.gripTop);
        EXPECT_EQ(row.painter.GetSizeGripRect(bar, left), row.gripLeft);
        EXPECT_EQ(row.painter.AllowsQuickCustomizing(), row.quick);
        EXPECT_FALSE(row.painter.IsSmallCaption(RECT{0, 0, 50, 10}));
        EXPECT_EQ(row.painter.GetLoweredBorderWidth(), 1);
        EXPECT_EQ(row.painter.GetPressedGlyphOffsetX(), 1);
        // A down button's glyph moves by (1, 1), and by another (1, 1) while pressed; other items when pressed.
        TubBarItemPaintState s;
        s.Down = true;
        s.Pressed = true;
        RECT glyph{10, 10, 26, 26};
        row.painter.OffsetPressedGlyph(glyph, s);
        EXPECT_EQ(glyph, (RECT{12, 12, 28, 28}));
        s.Down = false;
        row.painter.OffsetPressedItemGlyph(glyph, s);
        EXPECT_EQ(glyph, (RECT{13, 13, 29, 29}));
    }
    EXPECT_TRUE(Base().IsSmallCaption(RECT{0, 0, 50, 10}));
}

// A toolbar button's face: a raised edge when hot, a sunken one when pressed or down, none on a hot menu line.
TEST_F(ubBarPainters, StandardButtonEdgesFollowTheState) {
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    const struct {
        const char* name;
        bool hot, pressed, down, menu;
        COLORREF topLeft, bottomRight;
    } rows[] = {
        {"plain", false, false, false, false, kBackground, kBackground},
        {"hot", true, false, false, false, light, dark},
        {"pressed", true, true, false, false, dark, light},
        {"down", false, false, true, false, dark, light},
        {"hot menu line", true, false, false, true, kBackground, kBackground},
    };
    for (const TubBarItemControlPainter* p : {&Standard(), &Enhanced()})
        for (const auto& row : rows) {
            SCOPED_TRACE(row.name);
            auto b = Surface(23, 22);
            TubBarItemPaintState s;
            s.Hot = row.hot;
            s.Pressed = row.pressed;
            s.Down = row.down;
            s.Bar = row.menu ? bwkSubMenu : bwkToolbar;
            p->DrawButtonBackground(b->Canvas()->GetHandle(), RECT{0, 0, 23, 22}, nullptr, s);
            EXPECT_EQ(Pixel(*b, 0, 0), row.topLeft);
            EXPECT_EQ(Pixel(*b, 22, 21), row.bottomRight);
        }
    // The etched separator: shadow in place, highlight one pixel right and down.
    auto b = Surface(10, 10);
    Standard().DrawSeparatorFill(b->Canvas()->GetHandle(), RECT{2, 2, 4, 8});
    EXPECT_EQ(Pixel(*b, 2, 2), dark);
    EXPECT_EQ(Pixel(*b, 4, 8), light);
    EXPECT_EQ(Pixel(*b, 1, 1), kBackground);
}

TEST_F(ubBarPainters, GalleryOfEachLook) {
    auto* m = new TubBarManager(NewForm());
    TPalette palette;
    const struct {
        const char* name;
        const TubBarItemControlPainter& painter;
    } rows[] = {{"Standard", Standard()}, {"Enhanced", Enhanced()}, {"Flat", Flat()}, {"Office11", Office11()}};
    for (const auto& row : rows) {
        TBitmap b;
        b.SetSize(320, 190);
        PaintGallery(row.painter, m, b);
        EXPECT_TRUE(b.SaveToPngFile(ScreenshotPath(std::string("bar-painter-") + row.name))) << row.name;
    }
}

TEST(ubBarPaintersBlue, Office11PixelsInTheBlueScheme) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TTestThemeProvider provider;
    TLookAndFeelUnits units(&provider);
    {
        TPalette palette;
        ASSERT_EQ(Office11Scheme(), 1);
        EXPECT_EQ(Office11RoleColor(Office11Roles.ToolbarLight), static_cast<TColor>(0xFEECDD));
        EXPECT_EQ(Office11RoleColor(Office11Roles.HotFirst), static_cast<TColor>(0xCCF4FF));
        CheckOffice11Pixels();
        TBitmap b;
        b.SetSize(320, 190);
        PaintGallery(Office11(), nullptr, b);
        EXPECT_TRUE(b.SaveToPngFile(ScreenshotPath("bar-painter-Office11Blue")));
    }
    FreeBarPainterBrushes();
}

// The native look's gallery under the test theme, which paints each part it is asked for.
TEST(ubBarPaintersXPGallery, GalleryOfTheNativeLook) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TTestThemeProvider provider;
    provider.PaintsParts = true;
    TLookAndFeelUnits units(&provider);
    TBitmap b;
    b.SetSize(320, 190);
    PaintGallery(*BarPainterClass<TubBarItemControlXPPainter>(), nullptr, b);
    EXPECT_TRUE(b.SaveToPngFile(ScreenshotPath("bar-painter-XP")));
    EXPECT_GT(provider.CallCount("DrawThemeBackground"), 0);
}

}  // namespace
}  // namespace zel::test
