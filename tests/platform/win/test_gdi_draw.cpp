// Pixel rules of the drawing layer on small images.
#include <gtest/gtest.h>

#include <QImage>

#include <string>

#include "platform/win/Gdi.h"
#include "platform/win/GdiQt.h"
#include "platform/win/SysInfo.h"
#include "test_gdi_canvas.h"

namespace zel::test {
namespace {

TEST(GdiDraw, FillRectExcludesRightAndBottom) {
    TTestImage c;
    const RECT r{1, 2, 4, 5};
    FillRect(c.DC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(c.Row(1), "........");
    EXPECT_EQ(c.Row(2), ".###....");
    EXPECT_EQ(c.Row(4), ".###....");
    EXPECT_EQ(c.Row(5), "........");
}

TEST(GdiDraw, SystemColourIndexPlusOneWorksAsBrush) {
    TTestImage c(2, 2);
    const RECT r{0, 0, 2, 2};
    FillRect(c.DC, &r, reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(c.At(1, 1), GetSysColor(COLOR_BTNFACE));
}

TEST(GdiDraw, LineToLeavesOutItsEndPoint) {
    struct TCase {
        const char* Name;
        POINT From, To;
        const char* Row2;
    };
    const TCase cases[] = {
        {"rightwards", {1, 2}, {5, 2}, ".####..."},
        {"leftwards", {5, 2}, {1, 2}, "..####.."},
        {"single point line draws nothing", {3, 2}, {3, 2}, "........"},
    };
    for (const auto& t : cases) {
        TTestImage c;
        MoveToEx(c.DC, t.From.x, t.From.y, nullptr);
        LineTo(c.DC, t.To.x, t.To.y);
        EXPECT_EQ(c.Row(2), t.Row2) << t.Name;
        POINT cur;
        GetCurrentPositionEx(c.DC, &cur);
        EXPECT_EQ(cur, t.To) << t.Name;
    }
}

TEST(GdiDraw, RectangleOutlineAndNullPenFill) {
    TTestImage c;
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(c.DC, red);
    Rectangle(c.DC, 1, 1, 5, 4);
    EXPECT_EQ(c.Row(1), ".####...");
    EXPECT_EQ(c.Row(2), ".#..#...");
    EXPECT_EQ(c.At(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(c.Row(3), ".####...");
    EXPECT_EQ(c.Row(4), "........");

    // Without a pen the fill is one pixel smaller to the right and bottom.
    TTestImage d;
    SelectObject(d.DC, red);
    SelectObject(d.DC, GetStockObject(NULL_PEN));
    Rectangle(d.DC, 1, 1, 5, 4);
    EXPECT_EQ(d.Row(1, RGB(255, 0, 0)), ".###....");
    EXPECT_EQ(d.Row(3, RGB(255, 0, 0)), "........");
    SelectObject(c.DC, old);
    SelectObject(d.DC, old);
    DeleteObject(red);
}

TEST(GdiDraw, FrameRectIsOnePixelInsideTheRectangle) {
    TTestImage c;
    const RECT r{1, 1, 6, 5};
    FrameRect(c.DC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(c.Row(1), ".#####..");
    EXPECT_EQ(c.Row(2), ".#...#..");
    EXPECT_EQ(c.Row(4), ".#####..");
    EXPECT_EQ(c.Row(5), "........");
}

TEST(GdiDraw, DrawEdgeColoursPerStyle) {
    struct TCase {
        const char* Name;
        UINT Edge, Flags;
        int OuterLT, OuterRB, InnerLT, InnerRB;
    };
    const TCase cases[] = {
        {"raised", EDGE_RAISED, BF_RECT, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
        {"sunken", EDGE_SUNKEN, BF_RECT, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
        {"etched", EDGE_ETCHED, BF_RECT, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
        {"flat", EDGE_SUNKEN, BF_RECT | BF_FLAT, COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNFACE},
        {"mono", EDGE_RAISED, BF_RECT | BF_MONO, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOW, COLOR_WINDOW},
    };
    for (const auto& t : cases) {
        TTestImage c(8, 8, RGB(1, 2, 3));
        RECT r{0, 0, 8, 8};
        DrawEdge(c.DC, &r, t.Edge, t.Flags | BF_ADJUST);
        EXPECT_EQ(c.At(0, 3), GetSysColor(t.OuterLT)) << t.Name;
        EXPECT_EQ(c.At(3, 0), GetSysColor(t.OuterLT)) << t.Name;
        EXPECT_EQ(c.At(7, 3), GetSysColor(t.OuterRB)) << t.Name;
        EXPECT_EQ(c.At(7, 0), GetSysColor(t.OuterRB)) << t.Name << ": right edge owns the top-right corner";
        EXPECT_EQ(c.At(0, 7), GetSysColor(t.OuterRB)) << t.Name << ": bottom edge owns the bottom-left corner";
        EXPECT_EQ(c.At(1, 3), GetSysColor(t.InnerLT)) << t.Name;
        EXPECT_EQ(c.At(6, 3), GetSysColor(t.InnerRB)) << t.Name;
        EXPECT_EQ(c.At(3, 3), RGB(1, 2, 3)) << t.Name << ": no middle asked";
        EXPECT_EQ(r, (RECT{2, 2, 6, 6})) << t.Name;
    }
}

TEST(GdiDraw, DrawEdgeOnlyOnChosenSidesWithMiddle) {
    TTestImage c(6, 6, RGB(1, 2, 3));
    RECT r{0, 0, 6, 6};
    DrawEdge(c.DC, &r, BDR_RAISEDINNER, BF_BOTTOM | BF_MIDDLE);
    EXPECT_EQ(c.At(0, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(c.At(5, 4), GetSysColor(COLOR_BTNFACE));
}

TEST(GdiDraw, FocusRectTwiceRestoresTheImage) {
    TTestImage c(9, 7, RGB(10, 200, 30));
    const QImage before = c.Image.copy();
    const RECT r{1, 1, 8, 6};
    DrawFocusRect(c.DC, &r);
    EXPECT_NE(c.Image, before);
    EXPECT_EQ(c.At(1, 1), RGB(245, 55, 225)) << "the corner dot is inverted";
    EXPECT_EQ(c.At(2, 1), RGB(10, 200, 30)) << "its neighbour is not";
    EXPECT_EQ(c.At(3, 3), RGB(10, 200, 30)) << "inside untouched";
    DrawFocusRect(c.DC, &r);
    EXPECT_EQ(c.Image, before);
}

// Every raster operation on a 2x2 destination: the truth table byte decides each bit.
TEST(GdiDraw, RasterOperationsFollowTheirTruthTables) {
    struct TCase {
        const char* Name;
        DWORD Rop;
    };
    const TCase cases[] = {
        {"SRCCOPY", SRCCOPY},
        {"SRCPAINT", SRCPAINT},
        {"SRCAND", SRCAND},
        {"SRCINVERT", SRCINVERT},
        {"SRCERASE", SRCERASE},
        {"NOTSRCCOPY", NOTSRCCOPY},
        {"NOTSRCERASE", NOTSRCERASE},
        {"MERGECOPY", MERGECOPY},
        {"MERGEPAINT", MERGEPAINT},
        {"PATCOPY", PATCOPY},
        {"PATPAINT", PATPAINT},
        {"PATINVERT", PATINVERT},
        {"DSTINVERT", DSTINVERT},
        {"BLACKNESS", BLACKNESS},
        {"WHITENESS", WHITENESS},
        {"DPSana (mask shadow)", 0x00200F09},
        {"DSPDxax (masked copy)", 0x00E20746},
    };
    // Destination: columns 0/1 = black/white; source: rows 0/1 = black/white; pattern: a checkerboard.
    HDC src = CreateCompatibleDC(nullptr);
    HBITMAP srcBmp = CreateCompatibleBitmap(nullptr, 2, 2);
    SelectObject(src, srcBmp);
    SetPixel(src, 0, 1, 0xFFFFFF);
    SetPixel(src, 1, 1, 0xFFFFFF);
    // Rows of 16 bits: even rows 01010101, odd rows 10101010 (1 = white); the second brush is its inverse, so
    // that the two runs together meet all eight pattern/source/destination combinations.
    const BYTE bits[16] = {0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0};
    const BYTE inverse[16] = {0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0};
    HBITMAP patBmp = CreateBitmap(8, 8, 1, 1, bits), invBmp = CreateBitmap(8, 8, 1, 1, inverse);
    HBRUSH pat = CreatePatternBrush(patBmp), inv = CreatePatternBrush(invBmp);
    for (const auto& t : cases) {
        for (int run = 0; run < 2; ++run) {
            TTestImage c(2, 2);
            SetPixel(c.DC, 0, 0, 0);
            SetPixel(c.DC, 0, 1, 0);
            SetTextColor(c.DC, 0);
            SetBkColor(c.DC, 0xFFFFFF);
            SelectObject(c.DC, run == 0 ? pat : inv);
            BitBlt(c.DC, 0, 0, 2, 2, src, 0, 0, t.Rop);
            const unsigned code = (t.Rop >> 16) & 0xFF;
            for (int y = 0; y < 2; ++y) {
                for (int x = 0; x < 2; ++x) {
                    const unsigned d = x, s = y;
                    const unsigned p = (((x + y) & 1) != 0 ? 1u : 0u) ^ static_cast<unsigned>(run);
                    const unsigned bit = (code >> (p * 4 + s * 2 + d)) & 1;
                    EXPECT_EQ(c.At(x, y), bit ? 0xFFFFFFu : 0u) << t.Name << " at " << x << "," << y << " run " << run;
                }
            }
            SelectObject(c.DC, GetStockObject(WHITE_BRUSH));
        }
    }
    DeleteDC(src);
    DeleteObject(srcBmp);
    DeleteObject(pat);
    DeleteObject(patBmp);
    DeleteObject(inv);
    DeleteObject(invBmp);
}

TEST(GdiDraw, MonochromeSourceTakesTextAndBackgroundColours) {
    const BYTE bits[4] = {0x40, 0, 0x80, 0};  // row 0: black, white; row 1: white, black
    HBITMAP mono = CreateBitmap(2, 2, 1, 1, bits);
    HDC src = CreateCompatibleDC(nullptr);
    SelectObject(src, mono);
    TTestImage c(2, 2);
    SetTextColor(c.DC, RGB(255, 0, 0));
    SetBkColor(c.DC, RGB(0, 0, 255));
    BitBlt(c.DC, 0, 0, 2, 2, src, 0, 0, SRCCOPY);
    EXPECT_EQ(c.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.At(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(c.At(0, 1), RGB(0, 0, 255));
    DeleteDC(src);
    DeleteObject(mono);
}

TEST(GdiDraw, BlitWithinOneImageReadsTheOldPixels) {
    TTestImage c(6, 1);
    SetPixel(c.DC, 0, 0, 0);
    SetPixel(c.DC, 1, 0, RGB(255, 0, 0));
    BitBlt(c.DC, 1, 0, 4, 1, c.DC, 0, 0, SRCCOPY);
    EXPECT_EQ(c.At(1, 0), 0u);
    EXPECT_EQ(c.At(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.At(3, 0), 0xFFFFFFu);
}

TEST(GdiDraw, OriginsMoveDrawingAndSaveDcRestoresThem) {
    TTestImage c;
    SetDCDeviceOrigin(c.DC, POINT{2, 0});
    const int saved = SaveDC(c.DC);
    SetWindowOrgEx(c.DC, -1, -1, nullptr);
    SetViewportOrgEx(c.DC, 1, 0, nullptr);
    SetPixel(c.DC, 0, 0, 0);
    EXPECT_EQ(c.At(4, 1), 0u);
    RestoreDC(c.DC, saved);
    SetPixel(c.DC, 0, 0, 0);
    EXPECT_EQ(c.At(2, 0), 0u);
    POINT org;
    GetWindowOrgEx(c.DC, &org);
    EXPECT_EQ(org, (POINT{0, 0}));
}

TEST(GdiDraw, StretchBltDoublesPixels) {
    TTestImage src(2, 1);
    SetPixel(src.DC, 0, 0, 0);
    TTestImage c(4, 2);
    StretchBlt(c.DC, 0, 0, 4, 2, src.DC, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(c.Row(0), "##..");
    EXPECT_EQ(c.Row(1), "##..");
}

TEST(GdiDraw, GradientAndAlphaBlend) {
    TTestImage c(5, 1);
    TRIVERTEX v[2];
    v[0] = TRIVERTEX{0, 0, 0, 0, 0, 0};
    v[1] = TRIVERTEX{4, 1, 0xFF00, 0, 0, 0};
    GRADIENT_RECT g{0, 1};
    ASSERT_TRUE(GradientFill(c.DC, v, 2, &g, 1, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(GetRValue(c.At(0, 0)), 0);
    EXPECT_EQ(GetRValue(c.At(2, 0)), 127);
    EXPECT_EQ(c.At(4, 0), 0xFFFFFFu) << "right edge excluded";

    TTestImage src(1, 1, 0);
    TTestImage d(1, 1, 0xFFFFFF);
    BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
    ASSERT_TRUE(AlphaBlend(d.DC, 0, 0, 1, 1, src.DC, 0, 0, 1, 1, half));
    EXPECT_EQ(GetRValue(d.At(0, 0)), 127);
}

TEST(GdiDraw, DibRoundTripIsBottomUpByDefault) {
    HBITMAP bmp = CreateCompatibleBitmap(nullptr, 2, 2);
    BITMAPINFO bi;
    bi.bmiHeader.biWidth = 2;
    bi.bmiHeader.biHeight = 2;
    bi.bmiHeader.biBitCount = 32;
    const std::uint32_t in[4] = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFFFFFFFF};  // bottom row first
    HDC screen = CreateScreenDC();
    EXPECT_EQ(SetDIBits(screen, bmp, 0, 2, in, &bi, DIB_RGB_COLORS), 2);
    EXPECT_EQ(BitmapImage(bmp)->pixel(0, 1), 0xFF0000FFu);
    EXPECT_EQ(BitmapImage(bmp)->pixel(0, 0), 0xFFFF0000u);
    std::uint32_t out[4] = {};
    bi.bmiHeader.biHeight = -2;
    EXPECT_EQ(GetDIBits(screen, bmp, 0, 2, out, &bi, DIB_RGB_COLORS), 2);
    EXPECT_EQ(out[0], 0xFFFF0000u);
    EXPECT_EQ(out[3], 0xFF00FF00u);
    DeleteDC(screen);
    DeleteObject(bmp);
}

TEST(GdiDraw, ObjectLifetimes) {
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(nullptr, 4, 4);
    HGDIOBJ old = SelectObject(mem, bmp);
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, bmp), nullptr) << "a bitmap lives in one DC at a time";
    // Deleting a selected object waits until the DC lets it go.
    EXPECT_TRUE(DeleteObject(bmp));
    EXPECT_EQ(GetObjectType(bmp), static_cast<DWORD>(OBJ_BITMAP));
    SelectObject(mem, old);
    EXPECT_EQ(GetObjectType(bmp), 0u);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(mem)), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), static_cast<DWORD>(OBJ_BRUSH));
    DeleteDC(other);
    DeleteDC(mem);
    EXPECT_FALSE(DeleteDC(mem)) << "a freed DC is not a DC";
}

TEST(GdiDraw, FrameControlRadioMaskIsAClassicCircle) {
    TTestImage c(13, 13, 0);
    RECT r{0, 0, 13, 13};
    DrawFrameControl(c.DC, &r, DFC_BUTTON, DFCS_BUTTONRADIOMASK | DFCS_FLAT);
    EXPECT_EQ(c.Row(0, 0), "....####.....");
    EXPECT_EQ(c.Row(5, 0), "############.");
    EXPECT_EQ(c.Row(12, 0), ".............");
}

// Shrinking drops source pixels; the destination's stretch mode decides how: AND, OR, the nearest, or an average.
TEST(GdiDraw, StretchModesShrink) {
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), white = 0xFFFFFF, black = 0;
    struct TCase {
        const char* Name;
        int Mode;
        COLORREF Left, Right;  // the two destination pixels
    };
    // Source row: red, white, black, blue. Each destination pixel covers two of them.
    const TCase cases[] = {
        {"black on white keeps the AND", BLACKONWHITE, red, black},
        {"white on black keeps the OR", WHITEONBLACK, white, blue},
        {"colour on colour keeps one", COLORONCOLOR, red, black},
        {"halftone averages", HALFTONE, RGB(255, 128, 128), RGB(0, 0, 128)},
    };
    TTestImage src(4, 1);
    SetPixel(src.DC, 0, 0, red);
    SetPixel(src.DC, 1, 0, white);
    SetPixel(src.DC, 2, 0, black);
    SetPixel(src.DC, 3, 0, blue);
    for (const auto& t : cases) {
        TTestImage c(2, 1, RGB(9, 9, 9));
        EXPECT_EQ(GetStretchBltMode(c.DC), BLACKONWHITE) << "the default";
        SetStretchBltMode(c.DC, t.Mode);
        ASSERT_TRUE(StretchBlt(c.DC, 0, 0, 2, 1, src.DC, 0, 0, 4, 1, SRCCOPY)) << t.Name;
        EXPECT_EQ(c.At(0, 0), t.Left) << t.Name;
        EXPECT_EQ(c.At(1, 0), t.Right) << t.Name;
    }
}

TEST(GdiDraw, StretchBltMirrorsAndWeighsPartialPixels) {
    TTestImage src(3, 1);
    SetPixel(src.DC, 0, 0, RGB(0, 0, 0));
    SetPixel(src.DC, 1, 0, RGB(90, 90, 90));
    SetPixel(src.DC, 2, 0, RGB(180, 180, 180));
    TTestImage mirrored(3, 1);
    StretchBlt(mirrored.DC, 3, 0, -3, 1, src.DC, 0, 0, 3, 1, SRCCOPY);
    EXPECT_EQ(mirrored.At(0, 0), RGB(180, 180, 180));
    EXPECT_EQ(mirrored.At(2, 0), 0u);
    // Three pixels into two: each destination pixel is 1.5 source pixels wide.
    TTestImage half(2, 1);
    SetStretchBltMode(half.DC, HALFTONE);
    StretchBlt(half.DC, 0, 0, 2, 1, src.DC, 0, 0, 3, 1, SRCCOPY);
    EXPECT_EQ(half.At(0, 0), RGB(30, 30, 30)) << "(2 x 0 + 1 x 90) / 3";
    EXPECT_EQ(half.At(1, 0), RGB(150, 150, 150)) << "(1 x 90 + 2 x 180) / 3";
    // Enlarging repeats pixels in every mode.
    TTestImage big(6, 1);
    SetStretchBltMode(big.DC, HALFTONE);
    StretchBlt(big.DC, 0, 0, 6, 1, src.DC, 0, 0, 3, 1, SRCCOPY);
    EXPECT_EQ(big.At(1, 0), 0u);
    EXPECT_EQ(big.At(2, 0), RGB(90, 90, 90));
    // A destination far larger than the image is resampled only where it can be seen.
    TTestImage huge(4, 2);
    ASSERT_TRUE(StretchBlt(huge.DC, -500000000, 0, 1500000000, 2, src.DC, 0, 0, 3, 1, SRCCOPY));
    EXPECT_EQ(huge.At(0, 1), RGB(90, 90, 90)) << "the middle third covers the image";
}

TEST(GdiDraw, HatchBrushesRepeatEveryEightPixels) {
    struct TCase {
        const char* Name;
        int Hatch;
        int InkPerRow, InkPerColumn;  // in each 8-pixel row and column of the pattern
        int StepX;  // where the ink of the next row lies: same column 0, right +1, left -1 (diagonals)
    };
    const TCase cases[] = {
        {"horizontal", HS_HORIZONTAL, -1, 1, 0},
        {"vertical", HS_VERTICAL, 1, -1, 0},
        {"forward diagonal", HS_FDIAGONAL, 1, 1, 1},
        {"backward diagonal", HS_BDIAGONAL, 1, 1, -1},
        {"cross", HS_CROSS, -1, -1, 0},
        {"diagonal cross", HS_DIAGCROSS, 2, 2, 0},
    };
    const COLORREF ink = RGB(0, 0, 200), bk = RGB(0, 200, 0), paper = 0xFFFFFF;
    for (const auto& t : cases) {
        TTestImage c(16, 16);
        HBRUSH b = CreateHatchBrush(t.Hatch, ink);
        SetBkColor(c.DC, bk);
        const RECT r{0, 0, 16, 16};
        FillRect(c.DC, &r, b);
        int rowsWithInk = 0;
        for (int y = 0; y < 8; ++y) {
            int n = 0;
            for (int x = 0; x < 8; ++x) {
                EXPECT_EQ(c.At(x, y), c.At(x + 8, y + 8)) << t.Name;
                EXPECT_TRUE(c.At(x, y) == ink || c.At(x, y) == bk) << t.Name << ": opaque gaps take the background";
                n += c.At(x, y) == ink ? 1 : 0;
            }
            rowsWithInk += n > 0 ? 1 : 0;
            if (t.InkPerRow >= 0) {
                EXPECT_EQ(n, t.InkPerRow) << t.Name << " row " << y;
            }
        }
        if (t.InkPerRow < 0) {
            EXPECT_GE(rowsWithInk, 1) << t.Name;
        }
        for (int x = 0; x < 8 && t.InkPerColumn >= 0; ++x) {
            int n = 0;
            for (int y = 0; y < 8; ++y) n += c.At(x, y) == ink ? 1 : 0;
            EXPECT_EQ(n, t.InkPerColumn) << t.Name << " column " << x;
        }
        if (t.StepX != 0) {
            for (int y = 0; y < 8; ++y) {
                for (int x = 1; x < 15; ++x) {
                    if (c.At(x, y) == ink) {
                        EXPECT_EQ(c.At(x + t.StepX, y + 1), ink) << t.Name;
                    }
                }
            }
        }
        // Transparent mode leaves the gaps alone.
        TTestImage clear(8, 8, paper);
        SetBkMode(clear.DC, TRANSPARENT);
        FillRect(clear.DC, &r, b);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) EXPECT_EQ(clear.At(x, y), c.At(x, y) == ink ? ink : paper) << t.Name;
        }
        DeleteObject(b);
    }
}

TEST(GdiDraw, BrushOriginShiftsThePattern) {
    TTestImage a(8, 8), b(8, 8);
    HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, 0);
    const RECT r{0, 0, 8, 8};
    FillRect(a.DC, &r, hatch);
    SetBrushOrgEx(b.DC, 3, 0, nullptr);
    FillRect(b.DC, &r, hatch);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(b.At((x + 3) % 8, 0), a.At(x, 0)) << x;
    DeleteObject(hatch);
}

TEST(GdiDraw, StyledPensOnLines) {
    struct TCase {
        const char* Name;
        int Style, BkMode;
        const char* Row;  // ink '#', background colour 'b', untouched '.'
    };
    const TCase cases[] = {
        {"dotted, opaque gaps", PS_DOT, OPAQUE, "###bbb###bbb###b...."},
        {"dotted, transparent gaps", PS_DOT, TRANSPARENT, "###...###...###....."},
        {"dashed", PS_DASH, TRANSPARENT, "################...."},
        {"solid", PS_SOLID, OPAQUE, "################...."},
    };
    for (const auto& t : cases) {
        TTestImage c(20, 1);
        HPEN pen = CreatePen(t.Style, 1, 0);
        HGDIOBJ old = SelectObject(c.DC, pen);
        SetBkMode(c.DC, t.BkMode);
        SetBkColor(c.DC, RGB(0, 200, 0));
        MoveToEx(c.DC, 0, 0, nullptr);
        LineTo(c.DC, 16, 0);
        EXPECT_EQ(c.Map(0, {{'#', 0}, {'b', RGB(0, 200, 0)}, {'.', 0xFFFFFF}}), t.Row) << t.Name;
        SelectObject(c.DC, old);
        DeleteObject(pen);
    }
}

TEST(GdiDraw, LineMixModes) {
    struct TCase {
        const char* Name;
        int Rop2;
        COLORREF Pen, Dest, Result;
    };
    const TCase cases[] = {
        {"copy", R2_COPYPEN, RGB(10, 20, 30), RGB(200, 200, 200), RGB(10, 20, 30)},
        {"xor", R2_XORPEN, RGB(0xF0, 0x0F, 0xFF), RGB(0xFF, 0xFF, 0x00), RGB(0x0F, 0xF0, 0xFF)},
        {"not", R2_NOT, RGB(1, 1, 1), RGB(0x10, 0x20, 0x30), RGB(0xEF, 0xDF, 0xCF)},
        {"mask", R2_MASKPEN, RGB(0xF0, 0x0F, 0xFF), RGB(0x3C, 0x3C, 0x3C), RGB(0x30, 0x0C, 0x3C)},
        {"merge", R2_MERGEPEN, RGB(0xF0, 0x0F, 0x00), RGB(0x0C, 0x30, 0x00), RGB(0xFC, 0x3F, 0x00)},
        {"not xor", R2_NOTXORPEN, RGB(0xFF, 0, 0), RGB(0xFF, 0, 0), RGB(0xFF, 0xFF, 0xFF)},
        {"nop", R2_NOP, RGB(1, 2, 3), RGB(40, 50, 60), RGB(40, 50, 60)},
        {"black", R2_BLACK, RGB(1, 2, 3), RGB(40, 50, 60), RGB(0, 0, 0)},
        {"white", R2_WHITE, RGB(1, 2, 3), RGB(40, 50, 60), RGB(255, 255, 255)},
    };
    for (const auto& t : cases) {
        TTestImage c(3, 1, t.Dest);
        HPEN pen = CreatePen(PS_SOLID, 1, t.Pen);
        HGDIOBJ old = SelectObject(c.DC, pen);
        SetROP2(c.DC, t.Rop2);
        MoveToEx(c.DC, 0, 0, nullptr);
        LineTo(c.DC, 2, 0);
        EXPECT_EQ(c.At(1, 0), t.Result) << t.Name;
        EXPECT_EQ(c.At(2, 0), t.Dest) << t.Name << ": the end point stays";
        SelectObject(c.DC, old);
        DeleteObject(pen);
    }
    // An XOR line drawn twice leaves no trace: the rubber-band idiom.
    TTestImage c(8, 8, RGB(12, 34, 56));
    const QImage before = c.Image.copy();
    SetROP2(c.DC, R2_XORPEN);
    SelectObject(c.DC, GetStockObject(WHITE_PEN));
    for (int i = 0; i < 2; ++i) {
        MoveToEx(c.DC, 0, 0, nullptr);
        LineTo(c.DC, 7, 5);
    }
    EXPECT_EQ(c.Image, before);
}

TEST(GdiDraw, SmallCirclesAndArcs) {
    // A circle of radius 3 as the graphs draw their points: pen outline, brush inside.
    TTestImage circle(8, 8);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(circle.DC, red);
    Ellipse(circle.DC, 0, 0, 7, 7);
    const char* rows[] = {"..###...", ".#rrr#..", "#rrrrr#.", "#rrrrr#.",
                          "#rrrrr#.", ".#rrr#..", "..###...", "........"};
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(circle.Map(y, {{'#', 0}, {'r', RGB(255, 0, 0)}, {'.', 0xFFFFFF}}), rows[y]) << y;
    }
    SelectObject(circle.DC, GetStockObject(WHITE_BRUSH));
    DeleteObject(red);

    struct TCase {
        const char* Name;
        POINT Start, End;
        std::vector<POINT> Inked, Clear;
    };
    // Arcs run counter-clockwise from the start radial to the end radial on the ellipse of the box (0,0)-(9,9).
    const TCase cases[] = {
        {"upper-right quarter", {9, 4}, {4, 0}, {{8, 4}, {8, 2}, {6, 0}, {4, 0}}, {{0, 4}, {4, 8}, {2, 0}, {8, 6}}},
        {"the other three quarters", {4, 0}, {9, 4}, {{0, 4}, {4, 8}, {2, 0}, {8, 6}}, {{8, 2}, {6, 0}}},
        {"left half", {4, 0}, {4, 9}, {{0, 4}, {2, 0}, {2, 8}}, {{8, 4}, {6, 0}, {6, 8}}},
        {"equal radials: whole ellipse", {9, 4}, {9, 4}, {{0, 4}, {8, 4}, {4, 0}, {4, 8}}, {}},
    };
    for (const auto& t : cases) {
        TTestImage c(10, 10);
        Arc(c.DC, 0, 0, 9, 9, t.Start.x, t.Start.y, t.End.x, t.End.y);
        for (POINT p : t.Inked) EXPECT_EQ(c.At(p.x, p.y), 0u) << t.Name << " at " << p.x << "," << p.y;
        for (POINT p : t.Clear) EXPECT_EQ(c.At(p.x, p.y), 0xFFFFFFu) << t.Name << " at " << p.x << "," << p.y;
        EXPECT_EQ(c.At(4, 4), 0xFFFFFFu) << t.Name << ": an arc does not fill";
    }
    // A pie fills its sector with the brush and closes it with two radii.
    TTestImage pie(10, 10);
    SelectObject(pie.DC, GetStockObject(GRAY_BRUSH));
    Pie(pie.DC, 0, 0, 9, 9, 9, 4, 4, 0);
    EXPECT_EQ(pie.At(6, 2), RGB(128, 128, 128)) << "inside the sector";
    EXPECT_EQ(pie.At(2, 6), 0xFFFFFFu) << "outside it";
    EXPECT_EQ(pie.At(4, 2), 0u) << "the vertical radius";
    EXPECT_EQ(pie.At(6, 4), 0u) << "the horizontal radius";
}

TEST(GdiDraw, GradientTriangleCoversPixelCentres) {
    TTestImage c(9, 9);
    TRIVERTEX v[3];
    v[0] = TRIVERTEX{0, 0, 0xFF00, 0, 0, 0};
    v[1] = TRIVERTEX{8, 0, 0, 0xFF00, 0, 0};
    v[2] = TRIVERTEX{0, 8, 0, 0, 0xFF00, 0};
    GRADIENT_TRIANGLE tri{0, 1, 2};
    ASSERT_TRUE(GradientFill(c.DC, v, 3, &tri, 1, GRADIENT_FILL_TRIANGLE));
    int covered = 0;
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            const bool inside = x + y <= 7;  // the pixel's centre on or inside the long edge
            covered += c.At(x, y) != 0xFFFFFFu ? 1 : 0;
            EXPECT_EQ(c.At(x, y) != 0xFFFFFFu, inside) << x << "," << y;
        }
    }
    EXPECT_EQ(covered, 36);
    // Colours mix by distance to the corners: red falls to the right, green rises, blue rises downwards.
    EXPECT_GT(GetRValue(c.At(0, 0)), 200);
    EXPECT_GT(GetGValue(c.At(7, 0)), 200);
    EXPECT_GT(GetBValue(c.At(0, 7)), 200);
    EXPECT_LT(GetRValue(c.At(3, 0)), GetRValue(c.At(1, 0)));
    const TRIVERTEX bad[1] = {};
    EXPECT_FALSE(GradientFill(c.DC, bad, 1, &tri, 1, GRADIENT_FILL_TRIANGLE)) << "vertex index out of range";
}

TEST(GdiDraw, DibSectionIsTopDownOnly) {
    BITMAPINFO bi;
    bi.bmiHeader.biWidth = 3;
    bi.bmiHeader.biHeight = -2;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    ASSERT_NE(bits, nullptr);
    static_cast<std::uint32_t*>(bits)[1] = 0xFF123456u;  // row 0, column 1
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, section);
    EXPECT_EQ(GetPixel(mem, 1, 0), RGB(0x12, 0x34, 0x56));
    SetPixel(mem, 2, 1, RGB(0xAA, 0xBB, 0xCC));
    EXPECT_EQ(static_cast<std::uint32_t*>(bits)[5] & 0xFFFFFFu, 0xAABBCCu) << "drawing shows in the memory";
    {
        // A copy of the picture taken by a painter must not cut drawing off from the caller's memory.
        const QImage copy = *BitmapImage(section);
        SetPixel(mem, 0, 0, RGB(1, 2, 3));
        EXPECT_EQ(copy.width(), 3);
    }
    EXPECT_EQ(static_cast<std::uint32_t*>(bits)[0] & 0xFFFFFFu, 0x010203u);
    BITMAP bm;
    ASSERT_EQ(GetObject(section, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmBits, bits);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(section);

    bi.bmiHeader.biHeight = 2;
    bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr) << "bottom-up";
    bi.bmiHeader.biHeight = -2;
    bi.bmiHeader.biBitCount = 24;
    EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr) << "24 bits";
}

}  // namespace
}  // namespace zel::test
