#include <gtest/gtest.h>

#include <string>

#include "platform/win/Gdi.h"
#include "uilib/base/uiDrawTextUtils.h"

namespace zel::test {
namespace {

// A white 200 x 100 surface with a 12-pixel font selected.
class TextSurface : public ::testing::Test {
protected:
    void SetUp() override {
        dc = CreateCompatibleDC(nullptr);
        bmp = CreateBitmap(200, 100, 1, 32, nullptr);
        oldBmp = SelectObject(dc, bmp);
        font =
            CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, "DejaVu Sans");
        oldFont = SelectObject(dc, font);
        RECT all{0, 0, 200, 100};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dc, RGB(0, 0, 0));
    }
    void TearDown() override {
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBmp);
        DeleteObject(font);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    int Width(const std::string& s) {
        SIZE size;
        GetTextExtentPoint32(dc, s, static_cast<int>(s.size()), &size);
        return size.cx;
    }
    // Count of pixels of the colour in the rectangle.
    int CountColour(TRect r, COLORREF c) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (GetPixel(dc, x, y) == c) ++n;
        return n;
    }
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ oldBmp = nullptr;
    HFONT font = nullptr;
    HGDIOBJ oldFont = nullptr;
};

TEST_F(TextSurface, RowCountsAgainstTheRectangleHeight) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "row\r\n";
    TuiTextLayoutParams p;
    struct Row {
        const char* name;
        std::uint32_t flags;
        int maxRows, rows;
        bool fits;
    } rows[] = {
        {"top: a partly visible fourth row", uiTextWordBreak, 0, 4, false},
        {"whole rows only", uiTextWordBreak | uiTextWholeRowsOnly, 0, 3, false},
        {"centred: no height limit", uiTextWordBreak | uiTextAlignVCenter, 0, 40, true},
        {"centred, at most five", uiTextWordBreak | uiTextAlignVCenter, 5, 5, false},
        {"single line", uiTextSingleLine, 0, 1, true},
    };
    for (const Row& r : rows) {
        MeasureTextLayoutParamsOnDC(dc, r.flags, p);
        TuiTextRows textRows;
        int count = 0;
        bool fits = LayOutTextRowsOnDC(dc, text, -1, r.maxRows, count, textRows, p, TRect{0, 0, 200, 3 * p.RowHeight});
        EXPECT_EQ(count, r.rows) << r.name;
        EXPECT_EQ(fits, r.fits) << r.name;
    }
}

TEST_F(TextSurface, WordsBreakAtBlanksAndLongWordsAtCharactersWhenAsked) {
    TuiTextLayoutParams p;
    MeasureTextLayoutParamsOnDC(dc, uiTextWordBreak, p);
    TuiTextRows rows;
    int count = 0;
    int w = Width("alpha beta");
    LayOutTextRowsOnDC(dc, "alpha beta gamma", -1, 0, count, rows, p, TRect{0, 0, w + 2, 100});
    ASSERT_EQ(count, 2);
    EXPECT_EQ(rows.Text.substr(0, TextRowAt(rows, 0).TextLength), u"alpha beta ");
    EXPECT_EQ(TextRowAt(rows, 1).StartOffset, 11);
    EXPECT_EQ(TextRowAt(rows, 1).Width, Width("gamma"));
    EXPECT_EQ(WidestTextRow(rows, 5), TextRowAt(rows, 0).Width);

    int narrow = Width("abcd");
    LayOutTextRowsOnDC(dc, "abcdefgh", -1, 0, count, rows, p, TRect{0, 0, narrow, 100});
    EXPECT_EQ(count, 1);  // the word stays whole
    MeasureTextLayoutParamsOnDC(dc, uiTextWordBreak | uiTextCharBreak, p);
    LayOutTextRowsOnDC(dc, "abcdefgh", -1, 0, count, rows, p, TRect{0, 0, narrow, 100});
    ASSERT_EQ(count, 2);
    EXPECT_EQ(TextRowAt(rows, 0).TextLength, 4);
}

TEST_F(TextSurface, EastAsianTextBreaksBetweenIdeographsButKeepsAFullStop) {
    TuiTextLayoutParams p;
    MeasureTextLayoutParamsOnDC(dc, uiTextWordBreak, p);
    TuiTextRows rows;
    int count = 0;
    // Each ideograph measures as one '?' here; room for two of them.
    int w = Width("??") + 1;
    LayOutTextRowsOnDCW(dc, u"\u65E5\u672C\u8A9E\u3002\u6587", 0, count, rows, p, TRect{0, 0, w, 100});
    ASSERT_GE(count, 2);
    EXPECT_EQ(TextRowAt(rows, 0).TextLength, 2);
    EXPECT_EQ(rows.Text.substr(TextRowAt(rows, 1).Start, 2), u"\u8A9E\u3002");
    EXPECT_TRUE(uiIsNoRowStartChar(u'\u3002'));
    EXPECT_FALSE(uiIsNoRowStartChar(u'\u65E5'));
    EXPECT_TRUE(uiIsEastAsianChar(u'\uAC00'));
    EXPECT_FALSE(uiIsEastAsianChar(u'\u00E9'));
}

TEST_F(TextSurface, JustifiedRowsCountTheirInnerBlanksExceptAParagraphsLastRow) {
    TuiTextLayoutParams p;
    MeasureTextLayoutParamsOnDC(dc, uiTextAlignJustify, p);
    TuiTextRows rows;
    int count = 0;
    int w = Width("aa bb cc") + 4;
    LayOutTextRowsOnDC(dc, "aa bb cc dd", -1, 0, count, rows, p, TRect{0, 0, w, 100});
    ASSERT_EQ(count, 2);
    EXPECT_EQ(TextRowAt(rows, 0).BlanksCount, 2);
    EXPECT_EQ(TextRowAt(rows, 0).Width, Width("aa bb cc"));
    EXPECT_EQ(TextRowAt(rows, 1).BlanksCount, 0);
}

TEST_F(TextSurface, AlignmentPlacesRows) {
    TuiTextLayoutParams p;
    TuiTextRows rows;
    int count = 0;
    TRect r{10, 10, 110, 90};
    MeasureTextLayoutParamsOnDC(dc, uiTextAlignCenter | uiTextAlignVCenter, p);
    LayOutTextRowsOnDC(dc, "ab\ncd", -1, 0, count, rows, p, r);
    AlignTextRowsInRect(r, p, count, rows);
    EXPECT_EQ(TextRowAt(rows, 0).Y, 10 + (80 - 2 * p.RowHeight) / 2);
    EXPECT_EQ(TextRowAt(rows, 0).X, 10 + (100 - Width("ab")) / 2);
    MeasureTextLayoutParamsOnDC(dc, uiTextAlignRight | uiTextAlignBottom, p);
    LayOutTextRowsOnDC(dc, "ab\ncd", -1, 0, count, rows, p, r);
    AlignTextRowsInRect(r, p, count, rows);
    EXPECT_EQ(TextRowAt(rows, 1).Y, 90 - p.RowHeight);
    EXPECT_EQ(TextRowAt(rows, 1).X, 110 - Width("cd"));
    MeasureTextLayoutParamsOnDC(dc, uiTextAlignDistribute, p);
    LayOutTextRowsOnDC(dc, "a\nb\nc", -1, 0, count, rows, p, r);
    AlignTextRowsInRect(r, p, count, rows);
    int f = 80 - p.FontHeight;
    EXPECT_EQ(TextRowAt(rows, 1).Y - TextRowAt(rows, 0).Y, f / 2 + (f % 2));
    EXPECT_EQ(TextRowAt(rows, 2).Y, 10 + f);  // the last row ends at the bottom

    MeasureTextLayoutParamsOnDC(dc, uiTextInnerMargin, p);
    EXPECT_TRUE(TextRectFromBounds(TRect{0, 0, 50, 20}, p, 3, 1) == (TRect{5, 2, 47, 18}));
}

TEST_F(TextSurface, EllipsisCutsTheLastRowInsideTheRectangle) {
    TuiTextLayoutParams p;
    MeasureTextLayoutParamsOnDC(dc, uiTextSingleLine | uiTextEndEllipsis, p);
    TuiTextRows rows;
    int count = 0;
    TRect r{0, 0, 60, 20};
    LayOutTextRowsOnDC(dc, "A rather long caption text", -1, 0, count, rows, p, r);
    AlignTextRowsInRect(r, p, count, rows);
    DrawTextRowsHighlighted(dc, r, p, false, clNone, clNone, 0, 0, count, rows);
    EXPECT_GT(CountColour(TRect{0, 0, 60, 20}, RGB(0, 0, 0)), 0);
    EXPECT_EQ(CountColour(TRect{60, 0, 200, 20}, RGB(0, 0, 0)), 0);  // nothing beyond the rectangle
    // The dots end the drawn text: the last dark column lies within the last "..." width.
    int lastDark = -1;
    for (int x = 0; x < 60; ++x)
        for (int y = 0; y < 20; ++y)
            if (GetPixel(dc, x, y) == RGB(0, 0, 0)) lastDark = x;
    EXPECT_GT(lastDark, 60 - p.EllipsisWidth - 1);
}

TEST_F(TextSurface, HighlightSpansTwoRowsInItsOwnColours) {
    TuiTextLayoutParams p;
    MeasureTextLayoutParamsOnDC(dc, uiTextWordBreak, p);
    TuiTextRows rows;
    int count = 0;
    TRect r{0, 0, Width("abc def") + 2, 100};
    LayOutTextRowsOnDC(dc, "abc def ghi", -1, 0, count, rows, p, r);
    ASSERT_EQ(count, 2);
    AlignTextRowsInRect(r, p, count, rows);
    DrawTextRowsHighlighted(dc, r, p, false, clWhite, clBlue, 5, 5, count, rows);  // "ef gh"
    int x1 = Width("abc d"), x2 = Width("abc def");
    // Row one: the span from "e" to the row's end is blue; the text before it is plain.
    EXPECT_GT(CountColour(TRect{x1, 0, x2, p.RowHeight}, RGB(0, 0, 255)), (x2 - x1) * p.RowHeight / 2);
    EXPECT_EQ(CountColour(TRect{0, 0, x1, p.RowHeight}, RGB(0, 0, 255)), 0);
    int y2 = TextRowAt(rows, 1).Y;
    int g2 = Width("gh");
    EXPECT_GT(CountColour(TRect{0, y2, g2, y2 + p.RowHeight}, RGB(0, 0, 255)), g2 * p.RowHeight / 2);
    EXPECT_EQ(CountColour(TRect{g2 + 1, y2, 100, y2 + p.RowHeight}, RGB(0, 0, 255)), 0);
}

TEST_F(TextSurface, ANativeScriptFontMirrorsTheHighlightFromTheRowsRightEnd) {
    HFONT arabic = CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, 178, 0, 0, 0, 0, "\xC7\xE1\xDA\xD1\xC8\xED\xC9");
    SelectObject(dc, arabic);
    TuiTextLayoutParams p;
    MeasureTextLayoutParamsOnDC(dc, uiTextSingleLine, p);
    TuiTextRows rows;
    int count = 0;
    TRect r{0, 0, 200, 30};
    LayOutTextRowsOnDC(dc, "abcdef", -1, 0, count, rows, p, r);
    AlignTextRowsInRect(r, p, count, rows);
    DrawTextRowsHighlighted(dc, r, p, false, clWhite, clBlue, 2, 0, count, rows);  // the first two characters
    const int whole = Width("abcdef"), two = Width("ab");
    EXPECT_EQ(CountColour(TRect{0, 0, two, p.RowHeight}, RGB(0, 0, 255)), 0);
    EXPECT_GT(CountColour(TRect{whole - two, 0, whole, p.RowHeight}, RGB(0, 0, 255)), two * p.RowHeight / 2);
    SelectObject(dc, font);
    DeleteObject(arabic);
}

TEST_F(TextSurface, TinyFontWithPlaceholderDrawsBarsNotText) {
    HFONT tiny = CreateFont(-4, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
    SelectObject(dc, tiny);
    TuiTextLayoutParams p;
    MeasureTextLayoutParamsOnDC(dc, uiTextPlaceholder | uiTextSingleLine, p);
    ASSERT_TRUE(p.Placeholder);
    TuiTextRows rows;
    int count = 0;
    TRect r{0, 0, 200, 20};
    LayOutTextRowsOnDC(dc, "MMMMMMMMMM", -1, 0, count, rows, p, r);
    AlignTextRowsInRect(r, p, count, rows);
    DrawTextRowsHighlighted(dc, r, p, false, clNone, clNone, 0, 0, count, rows);
    // A checkerboard: neighbouring pixels inside the bar differ.
    const TuiTextRow& row = TextRowAt(rows, 0);
    int y = row.Y + 1;
    EXPECT_NE(GetPixel(dc, row.X + 1, y), GetPixel(dc, row.X + 2, y));
    SelectObject(dc, font);
    DeleteObject(tiny);
}

}  // namespace
}  // namespace zel::test
