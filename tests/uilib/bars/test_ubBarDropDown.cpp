// The drop-down band: where its grip goes, the client area it leaves, the mirrored grip and the frame.
#include "BarsTestSupport.h"
#include "PaintSurface.h"
#include "platform/win/Gdi.h"
#include "support/uilib/LookAndFeelUnits.h"
#include "uilib/bars/ubBarDropDown.h"

namespace zel::test {
namespace {

using ubBarDropDown = BarsTest;

constexpr COLORREF kBackground = kSurfaceBackground;

TEST_F(ubBarDropDown, TheGripGoesToTheCornerAwayFromTheOwner) {
    const RECT owner{100, 100, 200, 120};
    const struct {
        const char* name;
        RECT dropDown;
        int corner;
    } rows[] = {
        {"below", {100, 120, 250, 300}, ubCornerBottomRight},
        {"above", {100, -80, 250, 100}, ubCornerTopRight},
        {"left of the owner, below", {-50, 120, 100, 300}, ubCornerBottomLeft},
        {"left of the owner, above", {-50, -80, 100, 100}, ubCornerTopLeft},
    };
    for (const auto& row : rows) EXPECT_EQ(GetSizeGripCorner(owner, row.dropDown), row.corner) << row.name;
}

TEST_F(ubBarDropDown, TheClientAreaLosesTheFrameAndTheBandOnItsSide) {
    const int band = GetDropDownFooterHeight();
    EXPECT_EQ(band, GetSystemMetrics(SM_CYHSCROLL) + 2 < GetSystemMetrics(SM_CYSIZE)
                        ? GetSystemMetrics(SM_CYSIZE) + 1
                        : GetSystemMetrics(SM_CYHSCROLL) + 3);
    const struct {
        bool hasBand;
        int corner;
        RECT want;
    } rows[] = {
        {false, ubCornerBottomRight, {1, 1, 99, 199}},
        {true, ubCornerBottomRight, {1, 1, 99, 199 - band}},
        {true, ubCornerTopLeft, {1, 1 + band, 99, 199}},
    };
    for (const auto& row : rows) {
        RECT r{0, 0, 100, 200};
        AdjustDropDownClientRect(r, row.hasBand, row.corner);
        EXPECT_TRUE(EqualRect(&r, &row.want)) << row.corner << " " << row.hasBand;
    }
}

TEST_F(ubBarDropDown, TheGripIsMirroredToFaceItsCorner) {
    const int w = GetSystemMetrics(SM_CXVSCROLL), h = GetSystemMetrics(SM_CYHSCROLL);
    const RECT r{0, 0, 40, 40};
    auto bottomRight = Surface(40, 40);
    auto topLeft = Surface(40, 40);
    PaintCornerSizeGrip(bottomRight->Canvas()->GetHandle(), r, ubCornerBottomRight);
    PaintCornerSizeGrip(topLeft->Canvas()->GetHandle(), r, ubCornerTopLeft);
    // The grip's square sits in its corner and is the other one turned over both ways.
    EXPECT_NE(Pixel(*bottomRight, 39, 39), kBackground);
    EXPECT_EQ(Pixel(*bottomRight, 39 - w, 39), kBackground);
    EXPECT_EQ(Pixel(*bottomRight, 39, 39 - h), kBackground);
    bool someLine = false;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            EXPECT_EQ(Pixel(*topLeft, x, y), Pixel(*bottomRight, 39 - x, 39 - y)) << x << "," << y;
            someLine = someLine || Pixel(*topLeft, x, y) != Pixel(*topLeft, 0, h - 1);
        }
    EXPECT_TRUE(someLine);
}

TEST_F(ubBarDropDown, ARectangleWithoutRoomForTheGripGetsNoGrip) {
    for (const RECT& r : {RECT{10, 10, 12, 12}, RECT{10, 10, 11, 30}, RECT{10, 10, 10, 10}, RECT{10, 10, 5, 5}}) {
        auto b = Surface(40, 40);
        PaintCornerSizeGrip(b->Canvas()->GetHandle(), r, ubCornerBottomRight);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                if (!inside) ASSERT_EQ(Pixel(*b, x, y), kBackground) << r.right << ": " << x << "," << y;
                else
                    ASSERT_TRUE(Pixel(*b, x, y) == kBackground ||
                                Pixel(*b, x, y) == static_cast<COLORREF>(ColorToRGB(clBtnFace)))
                        << "only the strips";
            }
    }
}

TEST_F(ubBarDropDown, AWindowWithoutBandKeepsItsFrameAndReportsNoGripOrCloseButton) {
    std::unique_ptr<TForm> form(Construct<TForm>(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(10, 10, 120, 90);
    form->Show();
    SetSysColor(COLOR_BTNSHADOW, RGB(255, 0, 0));
    RECT grip{1, 2, 3, 4}, close{1, 2, 3, 4};
    PaintDropDownNonClient(form->GetHandle(), false, true, ubCornerBottomRight, grip, close, false, false);
    EXPECT_TRUE(IsRectEmpty(&grip));
    EXPECT_TRUE(IsRectEmpty(&close));
    HDC dc = GetWindowDC(form->GetHandle());
    EXPECT_EQ(GetPixel(dc, 0, 40), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 119, 89), RGB(255, 0, 0));
    PaintDropDownNonClient(form->GetHandle(), true, true, ubCornerBottomRight, grip, close, false, false);
    EXPECT_EQ(grip.right, 119);
    EXPECT_EQ(grip.bottom, 89);
    EXPECT_EQ(close.left, 1);
    EXPECT_EQ(GetPixel(dc, 60, 89 - GetDropDownFooterHeight()), RGB(255, 0, 0)) << "the band's line";
    ReleaseDC(form->GetHandle(), dc);
}

}  // namespace
}  // namespace zel::test
