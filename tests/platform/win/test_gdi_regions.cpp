// Regions and clipping.
#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

#include "platform/win/Gdi.h"
#include "platform/win/GdiQt.h"
#include "test_gdi_canvas.h"

namespace zel::test {
namespace {

TEST(GdiRegions, CombineAnswersTheRegionKind) {
    struct TCase {
        const char* Name;
        RECT A, B;
        int Mode, Kind;
        RECT Box;
    };
    const TCase cases[] = {
        {"and of overlapping", {0, 0, 10, 10}, {5, 5, 15, 15}, RGN_AND, SIMPLEREGION, {5, 5, 10, 10}},
        {"and of disjoint", {0, 0, 5, 5}, {6, 6, 9, 9}, RGN_AND, NULLREGION, {0, 0, 0, 0}},
        {"or of overlapping", {0, 0, 10, 10}, {5, 5, 15, 15}, RGN_OR, COMPLEXREGION, {0, 0, 15, 15}},
        {"or of side by side is one rectangle", {0, 0, 5, 5}, {5, 0, 9, 5}, RGN_OR, SIMPLEREGION, {0, 0, 9, 5}},
        {"or of stacked is one rectangle", {0, 0, 5, 5}, {0, 5, 5, 9}, RGN_OR, SIMPLEREGION, {0, 0, 5, 9}},
        {"diff cutting a hole", {0, 0, 10, 10}, {3, 3, 6, 6}, RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}},
        {"diff of everything", {2, 2, 4, 4}, {0, 0, 10, 10}, RGN_DIFF, NULLREGION, {0, 0, 0, 0}},
        {"xor of equal", {0, 0, 4, 4}, {0, 0, 4, 4}, RGN_XOR, NULLREGION, {0, 0, 0, 0}},
        {"copy", {1, 2, 3, 4}, {0, 0, 0, 0}, RGN_COPY, SIMPLEREGION, {1, 2, 3, 4}},
    };
    for (const auto& t : cases) {
        HRGN a = CreateRectRgnIndirect(&t.A), b = CreateRectRgnIndirect(&t.B), d = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(CombineRgn(d, a, b, t.Mode), t.Kind) << t.Name;
        RECT box;
        EXPECT_EQ(GetRgnBox(d, &box), t.Kind) << t.Name;
        EXPECT_EQ(box, t.Box) << t.Name;
        DeleteObject(a);
        DeleteObject(b);
        DeleteObject(d);
    }
}

TEST(GdiRegions, EqualityOffsetAndHitTests) {
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN hole = CreateRectRgn(3, 3, 6, 6);
    CombineRgn(a, a, hole, RGN_DIFF);
    EXPECT_TRUE(PtInRegion(a, 0, 0));
    EXPECT_FALSE(PtInRegion(a, 4, 4));
    EXPECT_FALSE(PtInRegion(a, 10, 5)) << "right edge excluded";
    // The same shape built another way is equal.
    HRGN b = CreateRectRgn(0, 0, 10, 3);
    HRGN parts[3] = {CreateRectRgn(0, 3, 3, 6), CreateRectRgn(6, 3, 10, 6), CreateRectRgn(0, 6, 10, 10)};
    for (HRGN p : parts) CombineRgn(b, b, p, RGN_OR);
    EXPECT_TRUE(EqualRgn(a, b));
    EXPECT_EQ(GetRegionRects(a).size(), 4u);
    OffsetRgn(b, 1, 0);
    EXPECT_FALSE(EqualRgn(a, b));
    EXPECT_EQ(CombineRgn(a, a, nullptr, RGN_AND), ERROR);
    for (HRGN p : parts) DeleteObject(p);
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(hole);
}

TEST(GdiRegions, PolygonRegionCoversPixelCentres) {
    const POINT tri[3] = {{0, 0}, {4, 0}, {0, 4}};
    HRGN r = CreatePolygonRgn(tri, 3, ALTERNATE);
    EXPECT_TRUE(PtInRegion(r, 0, 0));
    EXPECT_TRUE(PtInRegion(r, 1, 1));
    EXPECT_TRUE(PtInRegion(r, 2, 0));
    EXPECT_FALSE(PtInRegion(r, 3, 1));
    EXPECT_FALSE(PtInRegion(r, 0, 4));
    DeleteObject(r);
}

TEST(GdiRegions, ClipRegionsWithSavedStates) {
    QImage img(8, 8, QImage::Format_ARGB32_Premultiplied);
    img.fill(0xFFFFFFFFu);
    HDC dc = CreateImageDC(&img);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    HRGN rgn = CreateRectRgn(0, 0, 4, 8);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, probe), 0);
    const int saved = SaveDC(dc);
    SelectClipRgn(dc, rgn);
    ExcludeClipRect(dc, 0, 0, 4, 2);
    EXPECT_EQ(GetClipRgn(dc, probe), 1);
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 2, 4, 8}));
    const RECT all{0, 0, 8, 8};
    FillRect(dc, &all, black);
    EXPECT_EQ(img.pixel(1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(img.pixel(1, 3), 0xFF000000u);
    EXPECT_EQ(img.pixel(5, 3), 0xFFFFFFFFu);
    RestoreDC(dc, saved);
    EXPECT_EQ(GetClipRgn(dc, probe), 0);
    FillRect(dc, &all, black);
    EXPECT_EQ(img.pixel(7, 0), 0xFF000000u);
    DeleteObject(rgn);
    DeleteObject(probe);
    DeleteImageDC(dc);
}

TEST(GdiRegions, ClipIsInDeviceCoordinatesAndMeetsTheDeviceClip) {
    QImage img(8, 8, QImage::Format_ARGB32_Premultiplied);
    img.fill(0xFFFFFFFFu);
    HDC dc = CreateImageDC(&img);
    SetDCDeviceOrigin(dc, POINT{2, 2});
    SetDCDeviceClip(dc, RECT{2, 2, 6, 6});
    SetWindowOrgEx(dc, 1, 1, nullptr);
    IntersectClipRect(dc, 1, 1, 3, 3);  // logical: device (0,0)-(2,2): image (2,2)-(4,4)
    const RECT all{-10, -10, 20, 20};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(img.pixel(2, 2), 0xFF000000u);
    EXPECT_EQ(img.pixel(3, 3), 0xFF000000u);
    EXPECT_EQ(img.pixel(4, 4), 0xFFFFFFFFu);
    EXPECT_EQ(img.pixel(1, 1), 0xFFFFFFFFu);
    DeleteImageDC(dc);
}

// FrameRgn paints the pixels of the region within w columns and h rows of its outside: an elliptic window region
// framed with a 1 x 1 brush shows its outline only.
TEST(GdiRegions, FrameRgnPaintsTheInsideBorder) {
    struct TCase {
        const char* Name;
        int W, H;
        std::vector<std::string> Rows;
    };
    const TCase cases[] = {
        {"circle, 1 x 1",
         1,
         1,
         {"....####....", "..##....##..", ".#........#.", ".#........#.", "#..........#", "#..........#",
          "#..........#", "#..........#", ".#........#.", ".#........#.", "..##....##..", "....####...."}},
        {"circle, 2 wide 1 high",
         2,
         1,
         {"....####....", "..##....##..", ".##......##.", ".##......##.", "##........##", "##........##",
          "##........##", "##........##", ".##......##.", ".##......##.", "..##....##..", "....####...."}},
    };
    for (const auto& t : cases) {
        TTestImage c(12, 12);
        HRGN rgn = CreateEllipticRgn(0, 0, 12, 12);
        ASSERT_TRUE(FrameRgn(c.DC, rgn, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), t.W, t.H)) << t.Name;
        std::vector<std::string> rows;
        for (int y = 0; y < 12; ++y) rows.push_back(c.Row(y));
        EXPECT_EQ(rows, t.Rows) << t.Name;
        DeleteObject(rgn);
    }
    // A rectangle framed 2 x 1 and moved by the window origin.
    TTestImage c(8, 5);
    HRGN rgn = CreateRectRgn(1, 1, 7, 5);
    SetWindowOrgEx(c.DC, 1, 1, nullptr);
    FrameRgn(c.DC, rgn, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), 2, 1);
    EXPECT_EQ(c.Row(0), "######..");
    EXPECT_EQ(c.Row(1), "##..##..");
    EXPECT_EQ(c.Row(3), "######..");
    EXPECT_EQ(c.Row(4), "........");
    DeleteObject(rgn);
}

}  // namespace
}  // namespace zel::test
