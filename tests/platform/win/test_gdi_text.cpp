// Text measuring and drawing.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win/Gdi.h"
#include "platform/win/GdiQt.h"
#include "platform/win/QtApp.h"

namespace zel::test {
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

// An underlined font underlines the whole run, however long: from its first column to the last column of its
// extent (trailing spaces and spacing given per character included), and no further.
TEST_F(GdiText, UnderlineSpansTheWholeRun) {
    QImage wide(2400, 30, QImage::Format_ARGB32_Premultiplied);
    HDC dc = CreateImageDC(&wide);
    LOGFONT lf;
    lf.lfHeight = -11;
    lf.lfUnderline = 1;
    std::strcpy(lf.lfFaceName, "Tahoma");
    HFONT underlined = CreateFontIndirect(&lf);
    SelectObject(dc, underlined);
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    std::string letters;
    while (letters.size() < 200) letters += "ABCDEFHIKLMNTUVWXZ";
    const std::vector<int> spaced(20, 9);
    struct Case {
        const char* name;
        std::string text;
        const int* dx;
    };
    const Case cases[] = {
        {"a long run of capitals", letters, nullptr},
        {"a run that ends in spaces", "Library          ", nullptr},
        {"a run spaced per character", std::string(20, 'H'), spaced.data()},
    };
    for (const Case& c : cases) {
        wide.fill(0xFFFFFFFFu);
        int extent = 0;
        if (c.dx != nullptr) {
            for (std::size_t i = 0; i < c.text.size(); ++i) extent += c.dx[i];
        } else {
            SIZE s;
            GetTextExtentPoint32(dc, c.text.c_str(), static_cast<int>(c.text.size()), &s);
            extent = s.cx;
        }
        ASSERT_LT(extent + 4, wide.width()) << c.name;
        ExtTextOut(dc, 2, 0, 0, nullptr, c.text, static_cast<UINT>(c.text.size()), c.dx);
        // The underline is the row below the baseline inked at both ends of the run.
        int row = -1;
        for (int y = tm.tmAscent; y < tm.tmHeight && row < 0; ++y)
            if (wide.pixel(2, y) != 0xFFFFFFFFu && wide.pixel(2 + extent - 1, y) != 0xFFFFFFFFu) row = y;
        ASSERT_GE(row, 0) << c.name << ": the underline does not reach the end of the run (" << extent << " px)";
        for (int x = 2; x < 2 + extent; ++x)
            ASSERT_NE(wide.pixel(x, row), 0xFFFFFFFFu) << c.name << ": a gap in the underline at " << x;
        EXPECT_EQ(wide.pixel(2 + extent + 1, row), 0xFFFFFFFFu) << c.name << ": the underline runs past the run";
    }
    DeleteImageDC(dc);
    DeleteObject(underlined);
}

// Vertical captions use a font turned by its escapement (tenths of a degree, counter-clockwise): the run goes up
// (900) or down (2700) from the reference point, and measuring still answers the unturned extent.
TEST_F(GdiText, EscapementTurnsTheRun) {
    SIZE flat;
    GetTextExtentPoint32(DC, "WWW", -1, &flat);
    struct TCase {
        const char* Name;
        LONG Escapement;
        POINT At;
        RECT Box;  // where the turned cell lies
    };
    const TCase cases[] = {
        {"up", 900, {50, 38}, RECT{50, 38 - flat.cx, 50 + flat.cy, 38}},
        {"down", 2700, {50, 2}, RECT{50 - flat.cy, 2, 50, 2 + flat.cx}},
    };
    for (const auto& t : cases) {
        Image.fill(0xFFFFFFFFu);
        LOGFONT lf;
        lf.lfHeight = -11;
        lf.lfEscapement = t.Escapement;
        lf.lfOrientation = t.Escapement;
        std::strcpy(lf.lfFaceName, "Tahoma");
        HFONT turned = CreateFontIndirect(&lf);
        HGDIOBJ old = SelectObject(DC, turned);
        SIZE measured;
        GetTextExtentPoint32(DC, "WWW", -1, &measured);
        EXPECT_EQ(measured.cx, flat.cx) << t.Name;
        EXPECT_EQ(measured.cy, flat.cy) << t.Name;
        SetBkMode(DC, TRANSPARENT);
        TextOut(DC, t.At.x, t.At.y, "WWW", 3);
        const RECT grown{t.Box.left - 1, t.Box.top - 1, t.Box.right + 1, t.Box.bottom + 1};
        EXPECT_GT(InkIn(t.Box), 20) << t.Name;
        EXPECT_EQ(InkIn(RECT{0, 0, 120, 40}), InkIn(grown)) << t.Name << ": nothing outside the turned cell";
        EXPECT_EQ(InkIn(RECT{0, 0, t.Box.left - 1, 40}) + InkIn(RECT{t.Box.right + 1, 0, 120, 40}), 0)
            << t.Name << ": the run is as narrow as a line is high";
        SelectObject(DC, old);
        DeleteObject(turned);
    }
}

TEST_F(GdiText, TextIgnoresTheMixMode) {
    SetBkMode(DC, TRANSPARENT);
    TextOut(DC, 2, 2, "Hello", 5);
    const QImage copied = Image.copy();
    Image.fill(0xFFFFFFFFu);
    SetROP2(DC, R2_NOT);
    TextOut(DC, 2, 2, "Hello", 5);
    EXPECT_EQ(Image, copied) << "text is always drawn in the text colour";
}

TEST_F(GdiText, DrawTextFlagsThePaintersUse) {
    SIZE hello, amp;
    GetTextExtentPoint32(DC, "Hello", -1, &hello);
    GetTextExtentPoint32(DC, "&", -1, &amp);
    TEXTMETRIC tm;
    GetTextMetrics(DC, &tm);
    struct TCase {
        const char* Name;
        const char* Text;
        UINT Flags;
        LONG Width;
    };
    const TCase cases[] = {
        {"prefix mark hidden", "&Hello", DT_SINGLELINE, hello.cx},
        {"doubled mark shows one", "&&Hello", DT_SINGLELINE, hello.cx + amp.cx},
        {"no prefix shows it", "&Hello", DT_SINGLELINE | DT_NOPREFIX, hello.cx + amp.cx},
        {"tab expands to eight average widths", "a\tHello", DT_SINGLELINE | DT_EXPANDTABS,
         8 * tm.tmAveCharWidth + hello.cx},
    };
    for (const auto& t : cases) {
        RECT r{0, 0, 0, 0};
        DrawText(DC, t.Text, -1, &r, t.Flags | DT_CALCRECT);
        EXPECT_EQ(r.right, t.Width) << t.Name;
        EXPECT_EQ(r.bottom, hello.cy) << t.Name;
    }
    // Centred both ways in a single line.
    RECT box{0, 0, 120, 40};
    SetBkMode(DC, TRANSPARENT);
    DrawText(DC, "Hello", -1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    const int left = (120 - hello.cx) / 2, top = (40 - hello.cy) / 2;
    EXPECT_EQ(InkIn(RECT{0, 0, left, 40}), 0);
    EXPECT_EQ(InkIn(RECT{left + hello.cx + 1, 0, 120, 40}), 0);
    EXPECT_EQ(InkIn(RECT{0, 0, 120, top}), 0);
    EXPECT_EQ(InkIn(RECT{0, top + hello.cy + 1, 120, 40}), 0);
    EXPECT_GT(InkIn(box), 0);
}

TEST_F(GdiText, PathEllipsisKeepsTheLastPart) {
    const char* path = "C:\\Folder\\Another folder\\File.syx";
    SIZE file;
    GetTextExtentPoint32(DC, "\\File.syx", -1, &file);
    SIZE whole;
    GetTextExtentPoint32(DC, path, -1, &whole);
    const int width = file.cx + 30;
    ASSERT_LT(width, whole.cx);
    SetBkMode(DC, TRANSPARENT);
    RECT r{0, 0, width, 20};
    DrawText(DC, path, -1, &r, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_NOPREFIX);
    EXPECT_EQ(InkIn(RECT{width, 0, 120, 40}), 0) << "the shortened path fits";
    // The last part survives whole after the dots; the head keeps as many characters as fit.
    const std::string text = path;
    std::string expected;
    for (size_t keep = text.rfind('\\'); keep-- > 0;) {
        expected = text.substr(0, keep) + "..." + "\\File.syx";
        SIZE e;
        GetTextExtentPoint32(DC, expected, -1, &e);
        if (e.cx <= width) break;
    }
    const QImage shortened = Image.copy();
    Image.fill(0xFFFFFFFFu);
    TextOut(DC, 0, 0, expected, -1);
    EXPECT_EQ(Image, shortened) << expected;
}

TEST_F(GdiText, TabbedTextStops) {
    SIZE a, b;
    GetTextExtentPoint32(DC, "a", -1, &a);
    GetTextExtentPoint32(DC, "b", -1, &b);
    TEXTMETRIC tm;
    GetTextMetrics(DC, &tm);
    struct TCase {
        const char* Name;
        const char* Text;
        std::vector<int> Stops;
        int Origin;
        int FirstB;  // where the first "b" starts, from x = 5
        int Width;
    };
    const int every = 30, def = 8 * tm.tmAveCharWidth;
    const TCase cases[] = {
        {"default stops", "a\tb", {}, 5, def, def + b.cx},
        {"one stop repeats", "a\tb\tb", {every}, 5, every, 2 * every + b.cx},
        {"listed stops", "a\tb\tb", {40, 70}, 5, 40, 70 + b.cx},
        {"stops count from the origin", "a\tb", {40}, 0, 40 - 5, 40 - 5 + b.cx},
    };
    for (const auto& t : cases) {
        Image.fill(0xFFFFFFFFu);
        const LONG got = TabbedTextOut(DC, 5, 0, t.Text, -1, static_cast<int>(t.Stops.size()),
                                       t.Stops.empty() ? nullptr : t.Stops.data(), t.Origin);
        EXPECT_EQ(LOWORD(got), t.Width) << t.Name;
        EXPECT_EQ(HIWORD(got), tm.tmHeight) << t.Name;
        EXPECT_EQ(InkIn(RECT{5 + a.cx + 1, 0, 5 + t.FirstB - 1, 40}), 0) << t.Name << ": the gap is empty";
        EXPECT_GT(InkIn(RECT{5 + t.FirstB, 0, 5 + t.FirstB + b.cx, 40}), 0) << t.Name << ": the cell after the tab";
        if (t.Origin == 5) {
            EXPECT_EQ(GetTabbedTextExtent(DC, t.Text, -1, static_cast<int>(t.Stops.size()),
                                          t.Stops.empty() ? nullptr : t.Stops.data()),
                      static_cast<DWORD>(got))
                << t.Name;
        }
    }
}

}  // namespace
}  // namespace zel::test
