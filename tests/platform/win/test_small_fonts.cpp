// "Small Fonts": the built-in raster glyphs at the small sizes, their widths and their sharp pixels.
#include <gtest/gtest.h>

#include <QImage>

#include <cstring>
#include <string>

#include "platform/win/Gdi.h"
#include "platform/win/GdiQt.h"
#include "platform/win/QtApp.h"

namespace zel::test {
namespace {

struct SmallFonts : ::testing::Test {
    QImage Image{80, 30, QImage::Format_ARGB32_Premultiplied};
    HDC DC = nullptr;
    void SetUp() override {
        EnsureQtApplication();
        Image.fill(0xFFFFFFFFu);
        DC = CreateImageDC(&Image);
    }
    void TearDown() override { DeleteImageDC(DC); }
    HFONT Make(int height) {
        LOGFONT lf;
        lf.lfHeight = height;
        std::strcpy(lf.lfFaceName, "Small Fonts");
        return CreateFontIndirect(&lf);
    }
    // The glyph's rows as text, '#' where a pixel is black, '.' where white, '?' anything else.
    std::string Row(int x, int y, int width) const {
        std::string s;
        for (int i = 0; i < width; ++i) {
            const QRgb p = Image.pixel(x + i, y);
            s += p == 0xFFFFFFFFu ? '.' : (p == 0xFF000000u ? '#' : '?');
        }
        return s;
    }
};

TEST_F(SmallFonts, TheTinySizesMeasureTheirOwnRasterGlyphs) {
    // Sizes 3 and 4 at 96 pixels per inch, and the cell height 6.
    for (int height : {-4, -5, 6}) {
        SCOPED_TRACE(height);
        HFONT font = Make(height);
        HGDIOBJ old = SelectObject(DC, font);
        SIZE size{};
        ASSERT_TRUE(GetTextExtentPoint32(DC, "TVF", 3, &size));
        // Three glyphs three pixels wide, each followed by a free column.
        EXPECT_EQ(size.cx, 12);
        EXPECT_LE(size.cy, 12);
        TEXTMETRIC tm{};
        GetTextMetrics(DC, &tm);
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        EXPECT_EQ(size.cy, tm.tmHeight);
        int widths[2] = {};
        GetCharWidth32(DC, 'M', 'M', widths);
        EXPECT_EQ(widths[0], 6);
        SelectObject(DC, old);
        DeleteObject(font);
    }
}

TEST_F(SmallFonts, TheSizesTheWindowsUseBecomeALegibleFace) {
    // Sizes 5, 6 and 7 at 96 pixels per inch, the height -9 and a cell height of 10: capitals of at least
    // seven rows, letters wider than the raster glyphs, and no bigger than a size asked for above them.
    struct TRow {
        const char* Name;
        int Height;
        int Pixels;
    };
    const TRow rows[] = {{"size 5", -7, 9},  {"size 6", -8, 9},    {"size 7", -9, 9},
                         {"cell 10", 10, 9}, {"size 10", -13, 13}, {"size 12", -16, 16}};
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        HFONT font = Make(row.Height);
        HGDIOBJ old = SelectObject(DC, font);
        TEXTMETRIC tm{};
        GetTextMetrics(DC, &tm);
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, row.Pixels);
        SIZE size{};
        ASSERT_TRUE(GetTextExtentPoint32(DC, "TVF", 3, &size));
        EXPECT_GT(size.cx, 12);
        EXPECT_EQ(size.cy, tm.tmHeight);
        // The capital T stands at least seven rows tall.
        Image.fill(0xFFFFFFFFu);
        SetBkMode(DC, TRANSPARENT);
        TextOut(DC, 2, 2, "T", 1);
        int rowsInked = 0;
        for (int y = 0; y < Image.height(); ++y)
            if (Row(2, y, 10).find_first_not_of('.') != std::string::npos) ++rowsInked;
        EXPECT_GE(rowsInked, 7);
        SelectObject(DC, old);
        DeleteObject(font);
    }
}

TEST_F(SmallFonts, GlyphsAreDrawnPixelForPixelWithoutGrey) {
    HFONT font = Make(-5);
    HGDIOBJ old = SelectObject(DC, font);
    SetBkMode(DC, TRANSPARENT);
    TextOut(DC, 2, 3, "TVF", 3);
    TEXTMETRIC tm{};
    GetTextMetrics(DC, &tm);
    const int top = 3 + tm.tmAscent - 5;
    const std::string rows[5] = {Row(2, top, 12), Row(2, top + 1, 12), Row(2, top + 2, 12), Row(2, top + 3, 12),
                                 Row(2, top + 4, 12)};
    EXPECT_EQ(rows[0], "###.#.#.###.");
    EXPECT_EQ(rows[1], ".#..#.#.#...");
    EXPECT_EQ(rows[2], ".#..#.#.##..");
    EXPECT_EQ(rows[3], ".#..#.#.#...");
    EXPECT_EQ(rows[4], ".#...#..#...");
    SelectObject(DC, old);
    DeleteObject(font);
}

}  // namespace
}  // namespace zel::test
