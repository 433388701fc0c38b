// Pixel rules of the drawing layer on small images.
#include <gtest/gtest.h>

#include <QImage>

#include <string>

#include "platform/win/Gdi.h"
#include "platform/win/GdiQt.h"
#include "platform/win/SysInfo.h"

namespace zel {
namespace {

// A small white image with a DC on it; Row(y) shows a row as characters ('#' for the given colour).
struct TCanvas {
    QImage Image;
    HDC DC = nullptr;
    explicit TCanvas(int w = 8, int h = 8, COLORREF fill = 0xFFFFFF) : Image(w, h, QImage::Format_ARGB32_Premultiplied) {
        Image.fill(0xFF000000u | ((fill & 0xFF) << 16) | (fill & 0xFF00) | ((fill >> 16) & 0xFF));
        DC = CreateImageDC(&Image);
    }
    ~TCanvas() { DeleteImageDC(DC); }
    COLORREF At(int x, int y) const {
        const QRgb p = Image.pixel(x, y);
        return RGB(static_cast<BYTE>(qRed(p)), static_cast<BYTE>(qGreen(p)), static_cast<BYTE>(qBlue(p)));
    }
    std::string Row(int y, COLORREF ink = 0) const {
        std::string s;
        for (int x = 0; x < Image.width(); ++x) s += At(x, y) == ink ? '#' : '.';
        return s;
    }
};

TEST(GdiDraw, FillRectExcludesRightAndBottom) {
    TCanvas c;
    const RECT r{1, 2, 4, 5};
    FillRect(c.DC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(c.Row(1), "........");
    EXPECT_EQ(c.Row(2), ".###....");
    EXPECT_EQ(c.Row(4), ".###....");
    EXPECT_EQ(c.Row(5), "........");
}

TEST(GdiDraw, SystemColourIndexPlusOneWorksAsBrush) {
    TCanvas c(2, 2);
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
        TCanvas c;
        MoveToEx(c.DC, t.From.x, t.From.y, nullptr);
        LineTo(c.DC, t.To.x, t.To.y);
        EXPECT_EQ(c.Row(2), t.Row2) << t.Name;
        POINT cur;
        GetCurrentPositionEx(c.DC, &cur);
        EXPECT_EQ(cur, t.To) << t.Name;
    }
}

TEST(GdiDraw, RectangleOutlineAndNullPenFill) {
    TCanvas c;
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(c.DC, red);
    Rectangle(c.DC, 1, 1, 5, 4);
    EXPECT_EQ(c.Row(1), ".####...");
    EXPECT_EQ(c.Row(2), ".#..#...");
    EXPECT_EQ(c.At(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(c.Row(3), ".####...");
    EXPECT_EQ(c.Row(4), "........");

    // Without a pen the fill is one pixel smaller to the right and bottom.
    TCanvas d;
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
    TCanvas c;
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
        TCanvas c(8, 8, RGB(1, 2, 3));
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
    TCanvas c(6, 6, RGB(1, 2, 3));
    RECT r{0, 0, 6, 6};
    DrawEdge(c.DC, &r, BDR_RAISEDINNER, BF_BOTTOM | BF_MIDDLE);
    EXPECT_EQ(c.At(0, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(c.At(5, 4), GetSysColor(COLOR_BTNFACE));
}

TEST(GdiDraw, FocusRectTwiceRestoresTheImage) {
    TCanvas c(9, 7, RGB(10, 200, 30));
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
        {"SRCCOPY", SRCCOPY},     {"SRCPAINT", SRCPAINT},     {"SRCAND", SRCAND},       {"SRCINVERT", SRCINVERT},
        {"SRCERASE", SRCERASE},   {"NOTSRCCOPY", NOTSRCCOPY}, {"NOTSRCERASE", NOTSRCERASE},
        {"MERGECOPY", MERGECOPY}, {"MERGEPAINT", MERGEPAINT}, {"PATCOPY", PATCOPY},     {"PATPAINT", PATPAINT},
        {"PATINVERT", PATINVERT}, {"DSTINVERT", DSTINVERT},   {"BLACKNESS", BLACKNESS}, {"WHITENESS", WHITENESS},
        {"DPSana (mask shadow)", 0x00200F09},                 {"DSPDxax (masked copy)", 0x00E20746},
    };
    // Destination: columns 0/1 = black/white; source: rows 0/1 = black/white; pattern: a checkerboard.
    HDC src = CreateCompatibleDC(nullptr);
    HBITMAP srcBmp = CreateCompatibleBitmap(nullptr, 2, 2);
    SelectObject(src, srcBmp);
    SetPixel(src, 0, 1, 0xFFFFFF);
    SetPixel(src, 1, 1, 0xFFFFFF);
    // Rows of 16 bits: even rows 01010101, odd rows 10101010 (1 = white).
    const BYTE bits[16] = {0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0};
    HBITMAP patBmp = CreateBitmap(8, 8, 1, 1, bits);
    HBRUSH pat = CreatePatternBrush(patBmp);
    for (const auto& t : cases) {
        TCanvas c(2, 2);
        SetPixel(c.DC, 0, 0, 0);
        SetPixel(c.DC, 0, 1, 0);
        SetTextColor(c.DC, 0);
        SetBkColor(c.DC, 0xFFFFFF);
        SelectObject(c.DC, pat);
        BitBlt(c.DC, 0, 0, 2, 2, src, 0, 0, t.Rop);
        const unsigned code = (t.Rop >> 16) & 0xFF;
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 2; ++x) {
                const unsigned d = x, s = y;
                const unsigned p = ((x + y) & 1) != 0 ? 1 : 0;  // bit 1 of the pattern row is white
                const unsigned bit = (code >> (p * 4 + s * 2 + d)) & 1;
                EXPECT_EQ(c.At(x, y), bit ? 0xFFFFFFu : 0u) << t.Name << " at " << x << "," << y;
            }
        }
        SelectObject(c.DC, GetStockObject(WHITE_BRUSH));
    }
    DeleteDC(src);
    DeleteObject(srcBmp);
    DeleteObject(pat);
    DeleteObject(patBmp);
}

TEST(GdiDraw, MonochromeSourceTakesTextAndBackgroundColours) {
    const BYTE bits[4] = {0x40, 0, 0x80, 0};  // row 0: black, white; row 1: white, black
    HBITMAP mono = CreateBitmap(2, 2, 1, 1, bits);
    HDC src = CreateCompatibleDC(nullptr);
    SelectObject(src, mono);
    TCanvas c(2, 2);
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
    TCanvas c(6, 1);
    SetPixel(c.DC, 0, 0, 0);
    SetPixel(c.DC, 1, 0, RGB(255, 0, 0));
    BitBlt(c.DC, 1, 0, 4, 1, c.DC, 0, 0, SRCCOPY);
    EXPECT_EQ(c.At(1, 0), 0u);
    EXPECT_EQ(c.At(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.At(3, 0), 0xFFFFFFu);
}

TEST(GdiDraw, OriginsMoveDrawingAndSaveDcRestoresThem) {
    TCanvas c;
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
    TCanvas src(2, 1);
    SetPixel(src.DC, 0, 0, 0);
    TCanvas c(4, 2);
    StretchBlt(c.DC, 0, 0, 4, 2, src.DC, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(c.Row(0), "##..");
    EXPECT_EQ(c.Row(1), "##..");
}

TEST(GdiDraw, GradientAndAlphaBlend) {
    TCanvas c(5, 1);
    TRIVERTEX v[2];
    v[0] = TRIVERTEX{0, 0, 0, 0, 0, 0};
    v[1] = TRIVERTEX{4, 1, 0xFF00, 0, 0, 0};
    GRADIENT_RECT g{0, 1};
    ASSERT_TRUE(GradientFill(c.DC, v, 2, &g, 1, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(GetRValue(c.At(0, 0)), 0);
    EXPECT_EQ(GetRValue(c.At(2, 0)), 127);
    EXPECT_EQ(c.At(4, 0), 0xFFFFFFu) << "right edge excluded";

    TCanvas src(1, 1, 0);
    TCanvas d(1, 1, 0xFFFFFF);
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
    TCanvas c(13, 13, 0);
    RECT r{0, 0, 13, 13};
    DrawFrameControl(c.DC, &r, DFC_BUTTON, DFCS_BUTTONRADIOMASK | DFCS_FLAT);
    EXPECT_EQ(c.Row(0, 0), "....####.....");
    EXPECT_EQ(c.Row(5, 0), "############.");
    EXPECT_EQ(c.Row(12, 0), ".............");
}

}  // namespace
}  // namespace zel
