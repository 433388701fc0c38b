#pragma once
// Multi-line text layout and output for the library's editors: rows broken at words, at any character or
// at East-Asian characters (with their no-row-start rule), horizontal and vertical alignment with justified
// and distributed rows, end ellipsis, a highlighted character range, and a placeholder bar for text too
// small to read. Text is handled as wide characters and drawn in the ANSI code page.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vcl/VclGraphics.h"
#include "platform/win/Gdi.h"

namespace zel {

// Text flags. Bits 0-2 horizontal alignment, bits 4-5 vertical alignment.
constexpr std::uint32_t uiTextAlignLeft = 0, uiTextAlignCenter = 1, uiTextAlignRight = 2, uiTextAlignJustify = 3,
                        uiTextAlignJustifyAll = 4;
constexpr std::uint32_t uiTextAlignHorzMask = 0x7;
constexpr std::uint32_t uiTextAlignTop = 0x00, uiTextAlignVCenter = 0x10, uiTextAlignBottom = 0x20,
                        uiTextAlignDistribute = 0x30;
constexpr std::uint32_t uiTextAlignVertMask = 0x30;
constexpr std::uint32_t uiTextWordBreak = 1u << 8;
constexpr std::uint32_t uiTextSingleLine = 1u << 9;
constexpr std::uint32_t uiTextExpandTabs = 1u << 10;
constexpr std::uint32_t uiTextEndEllipsis = 1u << 11;
constexpr std::uint32_t uiTextPlaceholder = 1u << 12;
constexpr std::uint32_t uiTextExternalLeading = 1u << 13;
constexpr std::uint32_t uiTextWholeRowsOnly = 1u << 14;
constexpr std::uint32_t uiTextNoClip = 1u << 15;
constexpr std::uint32_t uiTextInnerMargin = 1u << 16;
constexpr std::uint32_t uiTextCharBreak = 1u << 17;
constexpr std::uint32_t uiTextRowsNotLeft = 1u << 18;
constexpr std::uint32_t uiTextRowsNotAbove = 1u << 19;
constexpr std::uint32_t uiTextNoRowBreak = 1u << 20;
constexpr std::uint32_t uiTextNoHeightLimit = 1u << 21;
constexpr std::uint32_t uiTextCallerFlag = 1u << 24;
constexpr std::uint32_t uiTextSkipLeadingBlanks = 1u << 25;

// A library-wide setting that forces breaking inside words for every layout.
extern bool uiAlwaysBreakInsideWords;

struct TuiTextLayoutParams {
    int FontHeight = 0;
    int ExternalLeading = 0;  // only with uiTextExternalLeading
    int RowHeight = 0;
    int EllipsisWidth = 0;  // width of "..." (only with uiTextEndEllipsis)
    bool IsBold = false;    // weight 700 or more
    char16_t BreakChar = u' ';
    std::uint8_t HorzAlignment = 0;
    std::uint8_t VertAlignment = 0;
    bool WordBreak = false;
    bool SingleLine = false;
    bool ExpandTabs = false;
    bool EndEllipsis = false;
    bool IncludeExternalLeading = false;
    bool WholeRowsOnly = false;
    bool SkipLeadingBlanks = false;
    bool NoClip = false;
    bool InnerMargin = false;
    bool Placeholder = false;  // the flag set and the font under 6 pixels high
    bool RowsNotLeft = false;
    bool RowsNotAbove = false;
    bool BreakInsideWords = false;
    bool NoHeightLimit = false;
    bool NoRowBreak = false;
    int MaxCharWidth = 0;
    std::uint8_t CharSet = 0;
    int PixelUnit = 1;  // logical size of one device pixel
    bool CallerFlag = false;
};

struct TuiTextRow {
    int Start = 0;       // first character, as an offset into the rows' text
    int TextLength = 0;  // characters
    int Width = 0;
    int Height = 0;
    int BlanksCount = 0;  // blanks a justified row spreads its extra width over
    int X = 0;
    int Y = 0;
    int StartOffset = 0;  // index of the row's first character in the whole text
    int ExtraPixel = 0;   // one more pixel below this row (distributed rows)
};

struct TuiTextRows {
    int RowCount = 0;
    std::u16string Text;  // the wide copy of the text that the rows point into
    std::vector<TuiTextRow> Rows;
};

TuiTextRow& TextRowAt(TuiTextRows& Rows, int I);
const TuiTextRow& TextRowAt(const TuiTextRows& Rows, int I);
void ClearTextRows(TuiTextRows& Rows);
// The greatest width among the first N rows (all rows when fewer).
int WidestTextRow(const TuiTextRows& Rows, int N);
// The number of rows laid out.
int TextRowTotal(const TuiTextRows& Rows);

// Reads the selected font's metrics and fills Params from Flags; the row height is the integer nearest to
// (height + external leading) x LineSpacingFactor.
void MeasureTextLayoutParamsOnDC(HDC DC, std::uint32_t Flags, TuiTextLayoutParams& Params,
                                 double LineSpacingFactor = 1.0);
void MeasureTextLayoutParams(TCanvas* Canvas, std::uint32_t Flags, TuiTextLayoutParams& Params,
                             double LineSpacingFactor = 1.0);

// Lays the text out in rows within the rectangle's width (MaxRowCount > 0 stops after that many rows).
// True when the whole text fitted. The ANSI forms take Windows-1252 text (Length < 0: all of it).
bool LayOutTextRowsOnDCW(HDC DC, std::u16string_view Text, int MaxRowCount, int& RowCount, TuiTextRows& Rows,
                         TuiTextLayoutParams& Params, const TRect& Rect);
bool LayOutTextRowsOnDC(HDC DC, std::string_view Text, int Length, int MaxRowCount, int& RowCount, TuiTextRows& Rows,
                        TuiTextLayoutParams& Params, const TRect& Rect);
bool LayOutTextRows(TCanvas* Canvas, std::string_view Text, int Length, int MaxRowCount, int& RowCount,
                    TuiTextRows& Rows, TuiTextLayoutParams& Params, const TRect& Rect);

// Computes each row's X and Y.
void AlignTextRowsInRect(const TRect& Rect, TuiTextLayoutParams& Params, int RowCount, TuiTextRows& Rows);

// Bounds inset by two pixel units with the inner margin, then Left and Right moved in by the given units.
TRect TextRectFromBounds(const TRect& Bounds, const TuiTextLayoutParams& Params, int LeftUnits = 0, int RightUnits = 0);

// Draws the rows; SelStart/SelLength (character indexes of the whole text) are drawn in the highlight colours.
void DrawTextRowsHighlighted(HDC DC, const TRect& Rect, const TuiTextLayoutParams& Params, bool ForceEllipsis,
                             TColor HighlightTextColor, TColor HighlightBackColor, int SelLength, int SelStart,
                             int RowCount, const TuiTextRows& Rows);

// Intersects the DC's clip region with Rect and answers the region it had (nullptr when it had none).
HRGN uiIntersectClipRect(HDC DC, const TRect& Rect);

// True for the characters that may not begin a row in East-Asian text.
bool uiIsNoRowStartChar(char16_t C);
// True for an East-Asian character, each a break point of its own.
bool uiIsEastAsianChar(char16_t C);

// The unit's start-up makes the two 8 x 8 pattern brushes of placeholder glyphs; its shutdown deletes them.
void uiDrawTextUtilsStartup();
void uiDrawTextUtilsShutdown();

}  // namespace zel
