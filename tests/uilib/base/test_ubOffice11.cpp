#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "platform/win/Gdi.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "support/uilib/LookAndFeelUnits.h"

namespace zel::test {
namespace {

// A memory DC with a white 32-bit surface, for reading back what the routines draw.
class TSurface {
public:
    TSurface(int w, int h) {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateBitmap(w, h, 1, 32, nullptr);
        old = SelectObject(dc, bitmap);
        RECT r{0, 0, w, h};
        FillRectWithColor(dc, r, clWhite);
    }
    ~TSurface() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    HDC dc = nullptr;

private:
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};

// A palette user for the length of a test.
struct TPaletteUser {
    TPaletteUser() { AcquireOffice11Palette(); }
    ~TPaletteUser() { ReleaseOffice11Palette(); }
};

TEST(Office11Palette, XPSchemesAndTheirFallBacks) {
    struct Row {
        const char* name;
        const wchar_t* file;
        const wchar_t* colorScheme;
        bool nameFails;
        BYTE scheme;
        TColor column0, column21, column47;
        int tube;
    } rows[] = {
        {"blue", L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor", false, 1, 0xFEECDD, 0x800000,
         0x933803, 41},
        {"olive green", L"C:\\WINDOWS\\Resources\\Themes\\Luna\\luna.MSSTYLES", L"HomeStead", false, 2, 0xDEF7F4,
         0x385D3F, 0x447A63, 125},
        {"silver", L"Luna.msstyles", L"Metallic", false, 3, 0xFAF4F3, 0x6F4B4B, 0x916F70, 40},
        {"other Luna scheme", L"Luna.msstyles", L"Royale", false, 0, 0, 0, 0, 75},
        {"other theme file named like blue", L"C:\\Themes\\Royale\\Royale.msstyles", L"NormalColor", false, 0, 0, 0, 0,
         75},
        {"theme name query fails", L"Luna.msstyles", L"NormalColor", true, 0, 0, 0, 0, 75},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TTestThemeProvider provider;
        provider.ThemeFileName = row.file;
        provider.ColorSchemeName = row.colorScheme;
        provider.CurrentThemeNameFails = row.nameFails;
        TLookAndFeelUnits units(&provider);
        TPaletteUser user;
        EXPECT_EQ(Office11Scheme(), row.scheme);
        EXPECT_EQ(IsLunaSchemeActive(), row.scheme != 0);
        const TubOffice11Palette& p = Office11Palette();
        EXPECT_EQ(p.TubePercent, row.tube);
        if (row.scheme == 0) {
            EXPECT_EQ(p.Columns[2], ColorToRGB(clBtnFace));
            continue;
        }
        EXPECT_EQ(p.Columns[0], row.column0);
        EXPECT_EQ(p.Columns[21], row.column21);
        EXPECT_EQ(p.Columns[47], row.column47);
        EXPECT_EQ(p.Columns[30], clBlack);
        EXPECT_EQ(p.InfoColor, 0xC9EEFD);
        EXPECT_EQ(p.WhiteColor, clWhite);
        EXPECT_EQ(p.HeaderLightColor, static_cast<TColor>(RGB(158, 174, 191)));
    }
}

TEST(Office11Palette, WithoutThemesTheColumnsComeFromTheSystemColours) {
    TLookAndFeelUnits units;
    SetSysColor(COLOR_BTNFACE, RGB(200, 100, 0));
    SetSysColor(COLOR_WINDOW, RGB(0, 100, 255));
    SetSysColor(COLOR_BTNSHADOW, RGB(100, 50, 0));
    SetSysColor(COLOR_HIGHLIGHT, RGB(10, 20, 30));
    SetSysColor(COLOR_BTNTEXT, RGB(1, 2, 3));
    SetSysColor(COLOR_GRAYTEXT, RGB(4, 5, 6));
    RebuildOffice11Palette();
    const TubOffice11Palette& p = Office11Palette();
    EXPECT_EQ(Office11Scheme(), 0);
    EXPECT_FALSE(IsLunaSchemeActive());
    struct Row {
        const char* name;
        TColor got, want;
    } rows[] = {
        // MixColorsPercent(face, window, 22): window x 78 % + face x 22 %, per channel, rounded.
        {"column 0", p.Columns[0], static_cast<TColor>(RGB(44, 100, 199))},
        {"column 2 face", p.Columns[2], static_cast<TColor>(RGB(200, 100, 0))},
        {"column 4 shadow", p.Columns[4], static_cast<TColor>(RGB(100, 50, 0))},
        {"column 13 window", p.Columns[13], static_cast<TColor>(RGB(0, 100, 255))},
        {"column 15 white", p.Columns[15], clWhite},
        {"column 21 highlight", p.Columns[21], static_cast<TColor>(RGB(10, 20, 30))},
        {"column 30 button text", p.Columns[30], static_cast<TColor>(RGB(1, 2, 3))},
        {"column 31 grey text", p.Columns[31], static_cast<TColor>(RGB(4, 5, 6))},
        {"column 38 light caption", p.Columns[38], static_cast<TColor>(RGB(227, 177, 128))},
        {"column 39 dark caption", p.Columns[39], static_cast<TColor>(RGB(201, 103, 4))},
        {"column 24 follows 28", p.Columns[24], p.Columns[28]},
        {"column 22 follows 20", p.Columns[22], p.Columns[20]},
        {"text entry", p.TextColor, static_cast<TColor>(RGB(1, 2, 3))},
        {"info entry", p.InfoColor, static_cast<TColor>(RGB(200, 100, 0))},
    };
    for (const Row& row : rows) EXPECT_EQ(row.got, row.want) << row.name;
    EXPECT_EQ(p.TubePercent, 75);
}

TEST(Office11Palette, SystemColourChangeRebuildsColoursAndBrushes) {
    TLookAndFeelUnits units;  // the palette listener holds the palette
    ASSERT_GT(Office11PaletteUsers(), 0);
    SetSysColor(COLOR_BTNFACE, RGB(12, 34, 56));
    EXPECT_NE(Office11Palette().Columns[2], static_cast<TColor>(RGB(12, 34, 56)));
    BroadcastSystemMessage(WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(Office11Palette().Columns[2], static_cast<TColor>(RGB(12, 34, 56)));
    LOGBRUSH lb;
    ASSERT_NE(GetObject(Office11Brush(2), sizeof(lb), &lb), 0);
    EXPECT_EQ(lb.lbColor, RGB(12, 34, 56));
}

TEST(Office11Palette, ThemeChangesRebuildWhileThePaletteHasUsers) {
    TTestThemeProvider provider;
    TLookAndFeelUnits units(&provider);
    TPaletteUser user;
    EXPECT_EQ(Office11Palette().Columns[0], 0xFEECDD);
    EXPECT_EQ(Office11Palette().TubePercent, 41);
    provider.ColorSchemeName = L"Metallic";
    SendMessage(ThemeChangedReceiverWindow(), WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(Office11Scheme(), 3);
    // Switching to the classic look.
    provider.Active = false;
    SendMessage(ThemeChangedReceiverWindow(), WM_THEMECHANGED, 0, 0);
    RebuildOffice11Palette();
    EXPECT_EQ(Office11Scheme(), 0);
    EXPECT_FALSE(IsLunaSchemeActive());
    EXPECT_EQ(Office11Palette().Columns[2], ColorToRGB(clBtnFace));
}

TEST(Office11Palette, UsersAreCounted) {
    ubOffice11Startup();
    ASSERT_EQ(Office11PaletteUsers(), 0);
    EXPECT_EQ(Office11Brush(12), nullptr);
    AcquireOffice11Palette();
    AcquireOffice11Palette();
    HBRUSH dots = Office11Brush(12);
    EXPECT_NE(dots, nullptr);
    EXPECT_EQ(Office11Brush(5), nullptr);  // no brush for that column
    ReleaseOffice11Palette();
    EXPECT_EQ(Office11Brush(12), dots);
    ReleaseOffice11Palette();
    EXPECT_EQ(Office11Brush(12), nullptr);
    const TColor kept = Office11Palette().Columns[2];
    EXPECT_EQ(kept, ColorToRGB(clBtnFace));  // the colours stay
    // A release too many is ignored: the next acquisition still makes the brushes.
    ReleaseOffice11Palette();
    EXPECT_EQ(Office11PaletteUsers(), 0);
    AcquireOffice11Palette();
    EXPECT_NE(Office11Brush(12), nullptr);
    ReleaseOffice11Palette();
    ubOffice11Shutdown();
}

TEST(Office11Colours, MixingAndBlending) {
    struct Row {
        const char* name;
        TColor got, want;
    } rows[] = {
        {"half", MixColorsPercent(clWhite, clBlack, 50), 0x808080},
        {"all of the first", MixColorsPercent(0x123456, 0xABCDEF, 100), 0x123456},
        {"none of the first", MixColorsPercent(0x123456, 0xABCDEF, 0), 0xABCDEF},
        {"system colour resolved", MixColorsPercent(clBtnFace, clBtnFace, 30), ColorToRGB(clBtnFace)},
        {"above 100 % stays in a byte", MixColorsPercent(clWhite, clBlack, 150), clWhite},
        {"above 100 % does not wrap below 0", MixColorsPercent(clBlack, clWhite, 150), clBlack},
    };
    for (const Row& row : rows) EXPECT_EQ(row.got, row.want) << row.name;

    ResetSysColors();
    SetSysColor(COLOR_BTNFACE, RGB(100, 100, 100));
    SetSysColor(COLOR_HIGHLIGHT, RGB(0, 0, 200));
    SetSysColor(COLOR_WINDOW, RGB(255, 255, 255));
    // 100 x -15 % + 0 x 29 % + 255 x 86 %, and 100 x -15 % + 200 x 29 % + 255 x 86 % clamped to 255.
    EXPECT_EQ(BlendSystemLightColor(-15, 29, 86), static_cast<TColor>(RGB(204, 204, 255)));
    SetSysColor(COLOR_BTNFACE, RGB(0, 0, 0));
    EXPECT_TRUE(IsButtonFaceBlack());
    EXPECT_EQ(BlendSystemLightColor(-15, 29, 86), static_cast<TColor>(RGB(0, 0, 200)));
    SetSysColor(COLOR_BTNTEXT, RGB(255, 255, 255));
    EXPECT_FALSE(IsBlackFaceScheme());
    SetSysColor(COLOR_BTNTEXT, RGB(0, 0, 0));
    EXPECT_TRUE(IsBlackFaceScheme());
    ResetSysColors();
}

class Office11Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        SetEntryPointAvailable("GradientFill", false);  // the stripe gradient
        ubOffice11Startup();
    }
    void TearDown() override {
        ubOffice11Shutdown();
        ResetEntryPoints();
    }
};

TEST_F(Office11Drawing, StripeGradientUsesAtMost256Colours) {
    struct Row {
        const char* name;
        int width;
        std::size_t colours;
    } rows[] = {{"600 pixels", 600, 256}, {"100 pixels", 100, 100}, {"1 pixel", 1, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TSurface s(row.width, 2);
        const RECT r{0, 0, row.width, 2};
        FillLinearGradient(s.dc, r, RGB(0, 0, 0), RGB(255, 0, 0), true);
        std::set<COLORREF> seen;
        for (int x = 0; x < row.width; ++x) {
            seen.insert(s.At(x, 1));
            // The colour routine rounds its index on its own: it may sit one stripe off at a boundary.
            const int step = row.colours > 1 ? 255 / static_cast<int>(row.colours - 1) + 1 : 0;
            EXPECT_NEAR(GetRValue(s.At(x, 0)),
                        GetRValue(static_cast<COLORREF>(GradientColorAt(r, x, RGB(0, 0, 0), true, RGB(255, 0, 0)))),
                        step);
        }
        EXPECT_EQ(seen.size(), row.colours);
        EXPECT_EQ(s.At(0, 0), RGB(0, 0, 0));
        if (row.width > 1) {
            EXPECT_EQ(s.At(row.width - 1, 0), RGB(255, 0, 0));
        }
    }
    // An empty rectangle draws nothing; equal colours fill solid.
    TSurface s(10, 10);
    FillLinearGradient(s.dc, RECT{0, 0, 0, 10}, clBlack, clRed, true);
    EXPECT_EQ(s.At(0, 0), RGB(255, 255, 255));
    FillLinearGradient(s.dc, RECT{0, 0, 10, 10}, clRed, clRed, false);
    EXPECT_EQ(s.At(9, 9), RGB(255, 0, 0));
}

TEST_F(Office11Drawing, TubeGradientRunsThroughTheSchemesMiddleColour) {
    RebuildOffice11Palette();  // scheme 0: the middle lies 75 % of the half-way
    TSurface s(3, 20);
    FillTwoStageGradient(s.dc, RECT{0, 0, 3, 20}, RGB(0, 0, 0), RGB(200, 0, 0), false);
    EXPECT_EQ(s.At(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(s.At(1, 10), RGB(75, 0, 0));  // 0 - MulDiv(0 - 200, 75, 200)
    EXPECT_EQ(s.At(1, 19), RGB(200, 0, 0));
    EXPECT_LT(GetRValue(s.At(1, 5)), 75);
    EXPECT_GT(GetRValue(s.At(1, 15)), 75);
}

TEST_F(Office11Drawing, ArrowSizeAndPlacement) {
    struct Row {
        const char* name;
        RECT r;
        TubOffice11ArrowDirection direction;
        int size;
    } rows[] = {
        {"right, 17 high", {0, 0, 20, 17}, oadRight, 6}, {"right, 16 high", {0, 0, 20, 16}, oadRight, 4},
        {"right, 10 high", {0, 0, 20, 10}, oadRight, 3}, {"right, too small", {0, 0, 20, 2}, oadRight, 3},
        {"down, 20 wide", {0, 0, 20, 10}, oadDown, 5},   {"down, 21 wide", {0, 0, 21, 10}, oadDown, 7},
    };
    for (const Row& row : rows) EXPECT_EQ(Office11ArrowSize(row.r, row.direction), row.size) << row.name;

    ResetSysColors();
    SetSysColor(COLOR_BTNTEXT, RGB(0, 0, 128));
    SetSysColor(COLOR_GRAYTEXT, RGB(0, 128, 0));
    RebuildOffice11Palette();
    TSurface s(20, 17);
    // N = 6: X0 = (0 + 20 - 6) div 2 = 7, Y0 = (0 + 17 - 11) div 2 = 3; tip at (12, 8).
    PaintOffice11Arrow(s.dc, RECT{0, 0, 20, 17}, oadRight, true, false);
    EXPECT_EQ(s.At(7, 3), RGB(0, 0, 128));
    EXPECT_EQ(s.At(7, 13), RGB(0, 0, 128));
    EXPECT_EQ(s.At(12, 8), RGB(0, 0, 128));
    EXPECT_EQ(s.At(13, 8), RGB(255, 255, 255));
    EXPECT_EQ(s.At(6, 8), RGB(255, 255, 255));
    PaintOffice11ArrowInStateColor(s.dc, RECT{0, 0, 20, 17}, oadRight, false, false);
    EXPECT_EQ(s.At(12, 8), RGB(0, 128, 0));
    EXPECT_EQ(Office11ArrowColor(true, true), static_cast<TColor>(RGB(0, 0, 128)));
    SetSysColor(COLOR_BTNFACE, RGB(255, 255, 255));
    EXPECT_EQ(Office11ArrowColor(true, true), clWhite);
    ResetSysColors();
}

TEST_F(Office11Drawing, GripDotsAndSizeGrip) {
    HBRUSH light = CreateSolidBrush(RGB(0, 255, 0));
    HBRUSH dark = CreateSolidBrush(RGB(255, 0, 0));
    {
        // A column 10 high: 10 mod 4 = 2, so the cells start 1 pixel down; the third would not fit.
        TSurface s(4, 10);
        PaintOffice11GripDots(s.dc, RECT{0, 0, 4, 10}, true, light, dark);
        EXPECT_EQ(s.At(0, 0), RGB(255, 255, 255));
        EXPECT_EQ(s.At(0, 1), RGB(255, 0, 0));
        EXPECT_EQ(s.At(1, 2), RGB(255, 0, 0));  // the dark square lies over the light one
        EXPECT_EQ(s.At(2, 3), RGB(0, 255, 0));
        EXPECT_EQ(s.At(0, 5), RGB(255, 0, 0));
        EXPECT_EQ(s.At(0, 9), RGB(255, 255, 255));
    }
    {
        // A row 9 wide: 9 mod 4 = 1, moved by 1; two cells.
        TSurface s(9, 4);
        PaintOffice11GripDots(s.dc, RECT{0, 0, 9, 4}, false, light, dark);
        EXPECT_EQ(s.At(0, 0), RGB(255, 255, 255));
        EXPECT_EQ(s.At(1, 0), RGB(255, 0, 0));
        EXPECT_EQ(s.At(5, 0), RGB(255, 0, 0));
        EXPECT_EQ(s.At(7, 2), RGB(0, 255, 0));
    }
    DeleteObject(light);
    DeleteObject(dark);
    {
        // Rows of three, two and one dots in the bottom-right corner.
        TSurface s(20, 20);
        PaintOffice11SizeGrip(s.dc, RECT{0, 0, 20, 20}, RGB(0, 0, 255), RGB(0, 255, 255));
        struct Row {
            int x, y;
            COLORREF want;
        } rows[] = {{8, 17, RGB(0, 0, 255)},    {12, 17, RGB(0, 0, 255)},    {16, 17, RGB(0, 0, 255)},
                    {10, 19, RGB(0, 255, 255)}, {12, 13, RGB(0, 0, 255)},    {8, 13, RGB(255, 255, 255)},
                    {16, 9, RGB(0, 0, 255)},    {12, 9, RGB(255, 255, 255)}, {16, 5, RGB(255, 255, 255)}};
        for (const Row& row : rows) EXPECT_EQ(s.At(row.x, row.y), row.want) << row.x << "," << row.y;
    }
}

TEST_F(Office11Drawing, GradientFillIsUsedWhenThere) {
    ubOffice11Shutdown();
    ResetEntryPoints();
    ubOffice11Startup();
    TSurface s(600, 1);
    FillLinearGradient(s.dc, RECT{0, 0, 600, 1}, RGB(0, 0, 0), RGB(255, 0, 0), true);
    std::set<COLORREF> seen;
    for (int x = 0; x < 600; ++x) seen.insert(s.At(x, 0));
    EXPECT_GT(seen.size(), 1u);
    EXPECT_EQ(GetRValue(s.At(0, 0)), 0);
    EXPECT_GE(GetRValue(s.At(599, 0)), 250);
}

}  // namespace
}  // namespace zel::test
