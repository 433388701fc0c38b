// Text measuring and drawing.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstring>

#include "platform/win/Gdi.h"
#include "platform/win/GdiQt.h"
#include "platform/win/QtApp.h"

namespace zel {
namespace {

struct GdiText : ::testing::Test {
    QImage Image{120, 40, QImage::Format_ARGB32_Premultiplied};
    HDC DC = nullptr;
    HFONT Font = nullptr;
    void SetUp() override {
        EnsureQtApplication();
        Image.fill(0xFFFFFFFFu);
        DC = CreateImageDC(&Image);
        LOGFONT lf;
        lf.lfHeight = -11;
        std::strcpy(lf.lfFaceName, "Tahoma");
        Font = CreateFontIndirect(&lf);
        SelectObject(DC, Font);
    }
    void TearDown() override {
        DeleteImageDC(DC);
        DeleteObject(Font);
    }
    int InkIn(const RECT& r) const {
        int n = 0;
        for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, Image.height()); ++y) {
            for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, Image.width()); ++x) {
                if (Image.pixel(x, y) != 0xFFFFFFFFu) ++n;
            }
        }
        return n;
    }
};

TEST_F(GdiText, HeightRulesAndMetrics) {
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(DC, &tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11) << "negative height is the character height";
    LOGFONT cell;
    cell.lfHeight = 20;
    HFONT f = CreateFontIndirect(&cell);
    HGDIOBJ old = SelectObject(DC, f);
    GetTextMetrics(DC, &tm);
    EXPECT_NEAR(tm.tmHeight, 20, 1) << "positive height is the cell height";
    SelectObject(DC, old);
    DeleteObject(f);
}

TEST_F(GdiText, ExtentsAddUp) {
    SIZE whole, a, b;
    GetTextExtentPoint32(DC, "Hello world", -1, &whole);
    GetTextExtentPoint32(DC, "Hello", -1, &a);
    GetTextExtentPoint32(DC, " world", -1, &b);
    EXPECT_EQ(whole.cx, a.cx + b.cx);
    int fit = 0;
    int dx[11] = {};
    GetTextExtentExPoint(DC, "Hello world", 11, a.cx, &fit, dx, nullptr);
    EXPECT_EQ(fit, 5);
    EXPECT_EQ(dx[4], a.cx);
    EXPECT_EQ(dx[10], whole.cx);
    SIZE cut;
    GetTextExtentPoint32(DC, "Hello", 500, &cut);
    EXPECT_EQ(cut.cx, a.cx) << "a count past the end is cut to the text";
}

TEST_F(GdiText, DrawTextCalcRect) {
    SIZE one;
    GetTextExtentPoint32(DC, "Hello", -1, &one);
    RECT r{10, 5, 10, 5};
    const int h = DrawText(DC, "Hello", -1, &r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(r, (RECT{10, 5, 10 + one.cx, 5 + one.cy}));
    EXPECT_EQ(h, one.cy);
    EXPECT_EQ(InkIn(RECT{0, 0, 120, 40}), 0) << "calculating draws nothing";

    RECT wrap{0, 0, one.cx + 2, 0};
    DrawText(DC, "Hello Hello Hello", -1, &wrap, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(wrap.bottom, 3 * one.cy);
    EXPECT_EQ(wrap.right, one.cx);

    RECT prefix{0, 0, 0, 0};
    DrawText(DC, "&Hello", -1, &prefix, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(prefix.right, one.cx) << "the prefix mark takes no room";
}

TEST_F(GdiText, EndEllipsisFitsTheRectangle) {
    SIZE full;
    GetTextExtentPoint32(DC, "A rather long caption", -1, &full);
    RECT r{0, 0, full.cx / 2, 20};
    DrawText(DC, "A rather long caption", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_GT(InkIn(RECT{0, 0, full.cx / 2, 20}), 0);
    EXPECT_EQ(InkIn(RECT{full.cx / 2, 0, 120, 40}), 0) << "the shortened text ends inside";
}

TEST_F(GdiText, ClippingAndAlignment) {
    SetBkMode(DC, TRANSPARENT);
    const RECT clip{0, 0, 15, 40};
    ExtTextOut(DC, 2, 2, ETO_CLIPPED, &clip, "WWWWWW", 6, nullptr);
    EXPECT_GT(InkIn(clip), 0);
    EXPECT_EQ(InkIn(RECT{15, 0, 120, 40}), 0);

    Image.fill(0xFFFFFFFFu);
    RECT r{0, 0, 120, 40};
    DrawText(DC, "Hi", -1, &r, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    EXPECT_EQ(InkIn(RECT{0, 0, 100, 40}), 0);
    EXPECT_GT(InkIn(RECT{100, 20, 120, 40}), 0);
}

TEST_F(GdiText, OpaqueBackgroundFillsTheCell) {
    SetBkColor(DC, RGB(0, 0, 255));
    SIZE s;
    GetTextExtentPoint32(DC, "x", -1, &s);
    TextOut(DC, 0, 0, "x", 1);
    EXPECT_EQ(Image.pixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(Image.pixel(s.cx - 1, s.cy - 1), 0xFF0000FFu);
    EXPECT_EQ(Image.pixel(s.cx, 0), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace zel
