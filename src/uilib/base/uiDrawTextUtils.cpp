#include "uilib/base/uiDrawTextUtils.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/Charset.h"
#include "uilib/base/uiGeometry.h"
#include "uilib/base/uiGraphics.h"

namespace zel {

bool uiAlwaysBreakInsideWords = false;

namespace {

// ANSI bytes of wide text; characters without a Windows-1252 byte become '?'.
std::string ToAnsi(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char16_t c : s) {
        unsigned char b = '?';
        if (!UnicodeToAnsiChar(c, b)) b = '?';
        out.push_back(static_cast<char>(b));
    }
    return out;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsLineEnd(char16_t c) { return c == u'\r' || c == u'\n'; }

struct TRange {
    char16_t First, Last;
};
constexpr TRange NoRowStart[] = {
    {0x21, 0x21},     {0x25, 0x25},     {0x29, 0x29},     {0x2C, 0x2C},     {0x2E, 0x2E},     {0x3A, 0x3B},
    {0x3E, 0x3F},     {0x5D, 0x5D},     {0x7D, 0x7D},     {0xA8, 0xA8},     {0xB0, 0xB0},     {0xB7, 0xB7},
    {0x2C7, 0x2C7},   {0x2C9, 0x2C9},   {0x2013, 0x2016}, {0x2018, 0x2019}, {0x201D, 0x201D}, {0x2022, 0x2022},
    {0x2025, 0x2027}, {0x2032, 0x2033}, {0x2103, 0x2103}, {0x2236, 0x2236}, {0x2574, 0x2574}, {0x3001, 0x3003},
    {0x3005, 0x3005}, {0x3009, 0x3009}, {0x300B, 0x300B}, {0x300D, 0x300D}, {0x300F, 0x300F}, {0x3011, 0x3011},
    {0x3015, 0x3015}, {0x3017, 0x3017}, {0x301E, 0x301E}, {0x309B, 0x309C}, {0xFE30, 0xFE31}, {0xFE33, 0xFE34},
    {0xFE36, 0xFE36}, {0xFE38, 0xFE38}, {0xFE3A, 0xFE3A}, {0xFE3C, 0xFE3C}, {0xFE3E, 0xFE3E}, {0xFE40, 0xFE40},
    {0xFE42, 0xFE42}, {0xFE44, 0xFE44}, {0xFE4F, 0xFE52}, {0xFE54, 0xFE57}, {0xFE5A, 0xFE5A}, {0xFE5C, 0xFE5C},
    {0xFE5E, 0xFE5E}, {0xFF01, 0xFF02}, {0xFF05, 0xFF05}, {0xFF07, 0xFF07}, {0xFF09, 0xFF09}, {0xFF0C, 0xFF0E},
    {0xFF1A, 0xFF1B}, {0xFF1E, 0xFF1F}, {0xFF3D, 0xFF3D}, {0xFF5C, 0xFF5E}, {0xFF61, 0xFF61}, {0xFF63, 0xFF64},
    {0xFF9E, 0xFF9F}, {0xFFE0, 0xFFFF}};

HBRUSH patternBrushes[2] = {nullptr, nullptr};  // checkerboard (regular fonts), solid (bold fonts)

HBRUSH PlaceholderBrush(bool bold) {
    HBRUSH& b = patternBrushes[bold ? 1 : 0];
    if (b == nullptr) {
        WORD bits[8];
        for (int i = 0; i < 8; ++i) bits[i] = bold ? 0x0000 : (i % 2 == 0 ? 0x5555 : 0xAAAA);
        HBITMAP bmp = CreateBitmap(8, 8, 1, 1, bits);
        b = CreatePatternBrush(bmp);
        DeleteObject(bmp);
    }
    return b;
}

// Width and height of a piece of text as the layout measures it.
SIZE MeasurePiece(HDC dc, std::u16string_view text, bool expandTabs) {
    SIZE size;
    std::string a = ToAnsi(text);
    if (!expandTabs) {
        GetTextExtentPoint32(dc, a, static_cast<int>(a.size()), &size);
    } else if (a.size() <= 4095) {
        DWORD e = GetTabbedTextExtent(dc, a, static_cast<int>(a.size()), 0, nullptr);
        size.cx = static_cast<LONG>(e & 0xFFFF);
        size.cy = static_cast<LONG>(e >> 16);
    } else {
        RECT r{0, 0, 0, 0};
        DrawText(dc, a, static_cast<int>(a.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
        size.cx = r.right - r.left;
        size.cy = r.bottom - r.top;
    }
    return size;
}

int PieceWidth(HDC dc, std::u16string_view text, bool expandTabs) { return MeasurePiece(dc, text, expandTabs).cx; }

}  // namespace

bool uiIsNoRowStartChar(char16_t C) {
    for (const TRange& r : NoRowStart)
        if (C >= r.First && C <= r.Last) return true;
    return false;
}

bool uiIsEastAsianChar(char16_t C) {
    if (C <= 127) return false;
    if ((C >= 0x4E00 && C <= 0x9FFF) || (C >= 0x3040 && C <= 0x309F) || (C >= 0x30A0 && C <= 0x30FF) ||
        (C >= 0xAC00 && C <= 0xD7A3))
        return true;
    // Characters of the East-Asian blocks (CJK symbols, full-width forms) that the ANSI code page cannot hold;
    // a double-byte code page would need two bytes for them.
    unsigned char b = 0;
    return C >= 0x2E80 && !UnicodeToAnsiChar(C, b);
}

TuiTextRow& TextRowAt(TuiTextRows& Rows, int I) { return Rows.Rows.at(static_cast<std::size_t>(I)); }
const TuiTextRow& TextRowAt(const TuiTextRows& Rows, int I) { return Rows.Rows.at(static_cast<std::size_t>(I)); }

void ClearTextRows(TuiTextRows& Rows) {
    Rows.RowCount = 0;
    Rows.Rows.clear();
    Rows.Text.clear();
}

int WidestTextRow(const TuiTextRows& Rows, int N) {
    int n = std::min(N, Rows.RowCount);
    int w = 0;
    for (int i = 0; i < n; ++i) w = std::max(w, TextRowAt(Rows, i).Width);
    return w;
}

int TextRowTotal(const TuiTextRows& Rows) { return Rows.RowCount; }

// ------------------------------------------------------------------------------------------ measuring

void MeasureTextLayoutParamsOnDC(HDC DC, std::uint32_t Flags, TuiTextLayoutParams& Params, double LineSpacingFactor) {
    Params = TuiTextLayoutParams{};
    TEXTMETRIC tm;
    GetTextMetrics(DC, &tm);
    Params.FontHeight = tm.tmHeight;
    Params.IncludeExternalLeading = (Flags & uiTextExternalLeading) != 0;
    if (Params.IncludeExternalLeading) Params.ExternalLeading = tm.tmExternalLeading;
    Params.RowHeight = static_cast<int>(std::lround((Params.FontHeight + Params.ExternalLeading) * LineSpacingFactor));
    Params.EndEllipsis = (Flags & uiTextEndEllipsis) != 0;
    if (Params.EndEllipsis) Params.EllipsisWidth = PieceWidth(DC, u"...", false);
    Params.IsBold = tm.tmWeight >= FW_BOLD;
    Params.BreakChar = static_cast<char16_t>(AnsiCharToUnicode(tm.tmBreakChar));
    Params.HorzAlignment = static_cast<std::uint8_t>(Flags & uiTextAlignHorzMask);
    Params.VertAlignment = static_cast<std::uint8_t>((Flags & uiTextAlignVertMask) >> 4);
    Params.WordBreak = (Flags & uiTextWordBreak) != 0;
    Params.SingleLine = (Flags & uiTextSingleLine) != 0;
    Params.ExpandTabs = (Flags & uiTextExpandTabs) != 0;
    Params.WholeRowsOnly = (Flags & uiTextWholeRowsOnly) != 0;
    Params.SkipLeadingBlanks = (Flags & uiTextSkipLeadingBlanks) != 0;
    Params.NoClip = (Flags & uiTextNoClip) != 0;
    Params.InnerMargin = (Flags & uiTextInnerMargin) != 0;
    Params.Placeholder = (Flags & uiTextPlaceholder) != 0 && Params.FontHeight < 6;
    Params.RowsNotLeft = (Flags & uiTextRowsNotLeft) != 0;
    Params.RowsNotAbove = (Flags & uiTextRowsNotAbove) != 0;
    Params.BreakInsideWords = (Flags & uiTextCharBreak) != 0 || uiAlwaysBreakInsideWords;
    Params.NoHeightLimit = (Flags & uiTextNoHeightLimit) != 0;
    Params.NoRowBreak = (Flags & uiTextNoRowBreak) != 0;
    Params.MaxCharWidth = tm.tmMaxCharWidth;
    Params.CharSet = tm.tmCharSet;
    Params.PixelUnit = 1;  // one logical unit is one device pixel here
    Params.CallerFlag = (Flags & uiTextCallerFlag) != 0;
}

void MeasureTextLayoutParams(TCanvas* Canvas, std::uint32_t Flags, TuiTextLayoutParams& Params,
                             double LineSpacingFactor) {
    HDC dc = Canvas->GetHandle();
    SelectObject(dc, Canvas->Font()->GetHandle());
    MeasureTextLayoutParamsOnDC(dc, Flags, Params, LineSpacingFactor);
}

// ---------------------------------------------------------------------------------------------- layout

namespace {

struct TBreak {
    int End = 0;            // the row's characters end here
    int Next = 0;           // the next row starts here
    bool AtLineEnd = true;  // ended at a line end or at the end of the text, not inside the text
};

// Skips a CR LF or LF CR pair (or a single CR or LF) at i.
int SkipLineEnd(std::u16string_view t, int i) {
    int n = static_cast<int>(t.size());
    if (i >= n || !IsLineEnd(t[static_cast<std::size_t>(i)])) return i;
    char16_t c = t[static_cast<std::size_t>(i)];
    ++i;
    if (i < n && IsLineEnd(t[static_cast<std::size_t>(i)]) && t[static_cast<std::size_t>(i)] != c) ++i;
    return i;
}

TBreak BreakRow(HDC dc, std::u16string_view t, int pos, int width, const TuiTextLayoutParams& p, bool wordBreak,
                bool lastRow) {
    int n = static_cast<int>(t.size());
    TBreak b;
    auto at = [&t](int i) { return t[static_cast<std::size_t>(i)]; };
    auto widthOf = [&](int from, int to) {
        return PieceWidth(dc, t.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)),
                          p.ExpandTabs);
    };
    if (!wordBreak || p.NoRowBreak) {
        int i = pos;
        while (i < n && !IsLineEnd(at(i))) ++i;
        b.End = i;
        b.Next = SkipLineEnd(t, i);
        return b;
    }
    int lastBreak = -1;
    int i = pos;
    while (i < n) {
        char16_t c = at(i);
        if (IsLineEnd(c)) {
            b.End = i;
            b.Next = SkipLineEnd(t, i);
            return b;
        }
        int j = i + 1;
        int measureEnd = j;
        if (IsBlank(c)) {
            measureEnd = i;  // a trailing blank need not fit
        } else if (uiIsEastAsianChar(c)) {
            while (j < n && uiIsNoRowStartChar(at(j)) && !IsBlank(at(j)) && !IsLineEnd(at(j))) ++j;
            measureEnd = j;
        } else {
            while (j < n && !IsBlank(at(j)) && !IsLineEnd(at(j)) && !uiIsEastAsianChar(at(j))) ++j;
            measureEnd = j;
        }
        if (measureEnd > pos && widthOf(pos, measureEnd) > width) {
            bool ellipsisRow = lastRow && p.EndEllipsis;
            if (lastBreak > pos && !ellipsisRow) {
                b.End = b.Next = lastBreak;
                b.AtLineEnd = false;
                return b;
            }
            if (ellipsisRow && lastBreak > pos) {
                // The last row runs on to its line end; the ellipsis cuts it when drawn.
                int k = j;
                while (k < n && !IsLineEnd(at(k))) ++k;
                b.End = k;
                b.Next = SkipLineEnd(t, k);
                b.AtLineEnd = b.Next >= n;
                return b;
            }
            if (p.BreakInsideWords && measureEnd - pos > 1) {
                // The longest fitting prefix, found by halving; at least one character.
                int lo = pos + 1, hi = measureEnd;
                while (lo < hi) {
                    int mid = (lo + hi + 1) / 2;
                    if (widthOf(pos, mid) <= width) lo = mid;
                    else hi = mid - 1;
                }
                b.End = b.Next = lo;
                b.AtLineEnd = false;
                return b;
            }
            // The word stays whole.
            b.End = b.Next = j;
            b.AtLineEnd = j >= n;
            if (p.EndEllipsis && j < n && IsLineEnd(at(j))) {
                b.Next = SkipLineEnd(t, j);
                b.AtLineEnd = true;
            } else if (j < n && IsLineEnd(at(j))) {
                b.AtLineEnd = true;
            }
            return b;
        }
        lastBreak = j;
        i = j;
    }
    b.End = b.Next = n;
    return b;
}

}  // namespace

bool LayOutTextRowsOnDCW(HDC DC, std::u16string_view Text, int MaxRowCount, int& RowCount, TuiTextRows& Rows,
                         TuiTextLayoutParams& Params, const TRect& Rect) {
    ClearTextRows(Rows);
    RowCount = 0;
    Rows.Text.assign(Text);
    std::u16string_view t = Rows.Text;
    int n = static_cast<int>(t.size());
    if (n == 0) return true;
    const TuiTextLayoutParams& p = Params;
    auto addRow = [&](int start, int end, int blanks) {
        TuiTextRow row;
        row.Start = start;
        row.TextLength = end - start;
        SIZE s = MeasurePiece(DC, t.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)),
                              p.ExpandTabs);
        row.Width = row.TextLength > 0 ? s.cx : 0;
        row.Height = p.RowHeight;
        row.BlanksCount = blanks;
        row.StartOffset = start;
        Rows.Rows.push_back(row);
        Rows.RowCount = ++RowCount;
    };
    if (p.NoRowBreak && p.SingleLine) {
        addRow(0, n, 0);
        return true;
    }
    bool justified = p.HorzAlignment == uiTextAlignJustify || p.HorzAlignment == uiTextAlignJustifyAll;
    bool wordBreak = !p.SingleLine && (p.WordBreak || justified);
    int width = RectWidth(Rect);
    int height = RectHeight(Rect);
    int pos = 0;
    int y = 0;
    while (pos < n) {
        y += p.RowHeight;
        bool last = false;
        if (p.SingleLine) {
            last = true;
        } else if (p.VertAlignment == 0 && !p.NoRowBreak && !p.NoHeightLimit) {
            int test = y + (p.WholeRowsOnly && !p.NoClip ? p.RowHeight : 0);
            last = test > height;
        }
        if (MaxRowCount > 0 && RowCount + 1 >= MaxRowCount) last = true;
        TBreak b = BreakRow(DC, t, pos, width, p, wordBreak, last);
        int start = pos, end = b.End, next = b.Next;
        auto blankAt = [&t](int i) { return IsBlank(t[static_cast<std::size_t>(i)]); };
        switch (p.HorzAlignment) {
            case uiTextAlignLeft:
                if (next < n && blankAt(next)) ++next;
                break;
            case uiTextAlignCenter:
                if (end > start && blankAt(end - 1)) --end;
                if (next < n && blankAt(next)) ++next;
                break;
            case uiTextAlignRight:
                if (end > start && blankAt(end - 1)) --end;
                break;
            default: break;
        }
        if (p.SkipLeadingBlanks)
            while (next < n && blankAt(next)) ++next;
        int blanks = 0;
        if (p.HorzAlignment == uiTextAlignJustifyAll || (p.HorzAlignment == uiTextAlignJustify && !b.AtLineEnd)) {
            while (end > start && blankAt(end - 1)) --end;
            for (int i = start; i < end; ++i)
                if (blankAt(i)) ++blanks;
        }
        addRow(start, end, blanks);
        pos = std::max(next, pos + 1);  // every row moves on, even over a character that fits nowhere
        if (last) break;
    }
    return pos >= n || p.SingleLine || p.NoRowBreak || p.NoHeightLimit;
}

bool LayOutTextRowsOnDC(HDC DC, std::string_view Text, int Length, int MaxRowCount, int& RowCount, TuiTextRows& Rows,
                        TuiTextLayoutParams& Params, const TRect& Rect) {
    if (Length >= 0 && static_cast<std::size_t>(Length) < Text.size())
        Text = Text.substr(0, static_cast<std::size_t>(Length));
    std::u16string wide;
    wide.reserve(Text.size());
    for (char c : Text) wide.push_back(static_cast<char16_t>(AnsiCharToUnicode(static_cast<unsigned char>(c))));
    return LayOutTextRowsOnDCW(DC, wide, MaxRowCount, RowCount, Rows, Params, Rect);
}

bool LayOutTextRows(TCanvas* Canvas, std::string_view Text, int Length, int MaxRowCount, int& RowCount,
                    TuiTextRows& Rows, TuiTextLayoutParams& Params, const TRect& Rect) {
    HDC dc = Canvas->GetHandle();
    SelectObject(dc, Canvas->Font()->GetHandle());
    return LayOutTextRowsOnDC(dc, Text, Length, MaxRowCount, RowCount, Rows, Params, Rect);
}

// ------------------------------------------------------------------------------------------- placing

void AlignTextRowsInRect(const TRect& Rect, TuiTextLayoutParams& Params, int RowCount, TuiTextRows& Rows) {
    int r = std::min(RowCount, Rows.RowCount);
    if (r <= 0) return;
    int h = RectHeight(Rect);
    int y = Rect.top;
    int remainder = 0;
    switch (Params.VertAlignment) {
        case 1: y = Rect.top + (h - r * Params.RowHeight) / 2; break;
        case 2: y = Rect.bottom - r * Params.RowHeight + Params.ExternalLeading; break;
        case 3:
            if (r > 1) {
                int f = h - Params.FontHeight;
                if (Params.FontHeight < f / (r - 1)) {
                    Params.RowHeight = f / (r - 1);
                    remainder = f % (r - 1);
                }
            }
            break;
        default: break;
    }
    if (Params.RowsNotAbove) y = std::max<int>(y, Rect.top);
    for (int i = 0; i < r; ++i) {
        TuiTextRow& row = TextRowAt(Rows, i);
        row.Height = Params.RowHeight;
        row.Y = y;
        row.ExtraPixel = i < remainder ? 1 : 0;
        y += Params.RowHeight + row.ExtraPixel;
        switch (Params.HorzAlignment) {
            case 1: row.X = Rect.left + (RectWidth(Rect) - row.Width) / 2; break;
            case 2: row.X = Rect.right - row.Width; break;
            default: row.X = Rect.left; break;
        }
        if (Params.RowsNotLeft) row.X = std::max<int>(row.X, Rect.left);
    }
}

TRect TextRectFromBounds(const TRect& Bounds, const TuiTextLayoutParams& Params, int LeftUnits, int RightUnits) {
    TRect r = Bounds;
    if (Params.InnerMargin) r = InflatedRect(r, -2 * Params.PixelUnit, -2 * Params.PixelUnit);
    r.left += LeftUnits * Params.PixelUnit;
    r.right -= RightUnits * Params.PixelUnit;
    return r;
}

// ---------------------------------------------------------------------------------------------- output

HRGN uiIntersectClipRect(HDC DC, const TRect& Rect) {
    HRGN prev = CreateRectRgn(0, 0, 0, 0);
    if (GetClipRgn(DC, prev) != 1) {
        DeleteObject(prev);
        prev = nullptr;
    }
    IntersectClipRect(DC, Rect.left, Rect.top, Rect.right, Rect.bottom);
    return prev;
}

namespace {

// Draws a row's characters at x, spreading Extra pixels over its blanks when Blanks > 0.
void DrawRowText(HDC dc, int x, int y, std::u16string_view text, const TuiTextLayoutParams& p, int blanks, int extra) {
    std::string a = ToAnsi(text);
    if (blanks <= 0 || extra <= 0) {
        if (p.ExpandTabs) TabbedTextOut(dc, x, y, a, static_cast<int>(a.size()), 0, nullptr, x);
        else TextOut(dc, x, y, a, static_cast<int>(a.size()));
        return;
    }
    // Justified: each blank widens by its share of the extra width, the first blanks by one pixel more.
    int each = extra / blanks, more = extra % blanks;
    int start = 0, blank = 0, cx = x;
    for (int i = 0; i <= static_cast<int>(a.size()); ++i) {
        if (i == static_cast<int>(a.size()) || a[static_cast<std::size_t>(i)] == ' ') {
            std::string_view word(a.data() + start, static_cast<std::size_t>(i - start));
            TextOut(dc, cx, y, word, static_cast<int>(word.size()));
            SIZE s;
            GetTextExtentPoint32(dc, word, static_cast<int>(word.size()), &s);
            cx += s.cx;
            if (i < static_cast<int>(a.size())) {
                GetTextExtentPoint32(dc, " ", 1, &s);
                cx += s.cx + each + (blank < more ? 1 : 0);
                ++blank;
            }
            start = i + 1;
        }
    }
}

}  // namespace

namespace {

// The DC's font draws a native Chinese or Arabic script.
bool RightToLeftFont(HDC DC) {
    LOGFONT font;
    HGDIOBJ handle = GetCurrentObject(DC, OBJ_FONT);
    if (handle == nullptr || GetObject(handle, sizeof(font), &font) == 0) return false;
    return IsNativeScriptFont(font.lfCharSet, font.lfFaceName);
}

}  // namespace

void DrawTextRowsHighlighted(HDC DC, const TRect& Rect, const TuiTextLayoutParams& Params, bool ForceEllipsis,
                             TColor HighlightTextColor, TColor HighlightBackColor, int SelLength, int SelStart,
                             int RowCount, const TuiTextRows& Rows) {
    int oldMode = SetBkMode(DC, TRANSPARENT);
    HBRUSH highlightBrush = nullptr;
    if (SelLength >= 1 && HighlightBackColor != clNone && HighlightBackColor != clDefault)
        highlightBrush = CreateSolidBrush(ColorToCOLORREF(HighlightBackColor));
    bool useHighlightText = HighlightTextColor != clNone && HighlightTextColor != clDefault;
    int count = std::min(RowCount, Rows.RowCount);
    std::u16string_view all = Rows.Text;
    for (int i = 0; i < count; ++i) {
        const TuiTextRow& row = TextRowAt(Rows, i);
        bool lastRow = i == count - 1;
        if (row.TextLength <= 0) {
            if (lastRow && ForceEllipsis && Params.EndEllipsis) TextOut(DC, row.X, row.Y, "...", 3);
            continue;
        }
        TRect rowRect{row.X, row.Y, std::max<int>(row.X + row.Width, Rect.right), row.Y + Params.RowHeight};
        if (!RectVisible(DC, &rowRect)) continue;
        std::u16string_view text =
            all.substr(static_cast<std::size_t>(row.Start), static_cast<std::size_t>(row.TextLength));
        if (Params.Placeholder) {
            TRect bar{row.X, row.Y + 1, std::min<int>(row.X + row.Width, Rect.right), row.Y + Params.RowHeight - 1};
            if (bar.bottom <= bar.top) bar.bottom = bar.top + 1;
            COLORREF oldBk = SetBkColor(DC, ColorToCOLORREF(clWindow));
            FillRect(DC, &bar, PlaceholderBrush(Params.IsBold));
            SetBkColor(DC, oldBk);
            continue;
        }
        bool ellipsis = Params.EndEllipsis && lastRow && (ForceEllipsis || row.Width > RectWidth(Rect));
        int extra = 0;
        if (!ellipsis && row.BlanksCount > 0) extra = RectWidth(Rect) - row.Width;
        bool inside = row.X >= Rect.left && row.Y >= Rect.top && row.X + row.Width <= Rect.right &&
                      row.Y + Params.RowHeight <= Rect.bottom;
        // A metafile records the drawing: its clip region is left alone and no highlight is drawn.
        const DWORD dcKind = GetObjectType(reinterpret_cast<HGDIOBJ>(DC));
        const bool metafile = dcKind == OBJ_METADC || dcKind == OBJ_ENHMETADC;
        bool clipped = !Params.NoClip && !inside && !metafile;
        HRGN saved = nullptr;
        int savedState = SaveDC(DC);  // the highlight spans are excluded from the clip region below
        if (clipped) saved = uiIntersectClipRect(DC, Rect);
        if (ellipsis) {
            // Only the characters that leave room for "..." stay (at least one when left-aligned).
            int room = Rect.right - row.X - Params.EllipsisWidth;
            int keep = 0;
            while (keep < static_cast<int>(text.size()) &&
                   PieceWidth(DC, text.substr(0, static_cast<std::size_t>(keep + 1)), Params.ExpandTabs) <= room)
                ++keep;
            if (keep == 0 && Params.HorzAlignment == uiTextAlignLeft) keep = 1;
            text = text.substr(0, static_cast<std::size_t>(keep));
        }
        int textWidth = PieceWidth(DC, text, Params.ExpandTabs);
        // The highlighted part of this row, drawn first and then kept free of the plain text.
        int selEnd = SelStart + SelLength;
        int rowFirst = row.StartOffset, rowEnd = row.StartOffset + static_cast<int>(text.size());
        if (SelLength > 0 && !metafile && SelStart < rowEnd + (ellipsis ? 1 : 0) && selEnd > rowFirst) {
            int a = std::max(SelStart, rowFirst) - rowFirst;
            int b = std::min(selEnd, rowEnd) - rowFirst;
            int x1 = row.X + PieceWidth(DC, text.substr(0, static_cast<std::size_t>(a)), Params.ExpandTabs);
            int x2 = row.X + PieceWidth(DC, text.substr(0, static_cast<std::size_t>(b)), Params.ExpandTabs);
            if (RightToLeftFont(DC)) {
                // A right-to-left script's characters run from the row's right end.
                const int mirroredLeft = row.X + textWidth - (x2 - row.X);
                x2 = row.X + textWidth - (x1 - row.X);
                x1 = mirroredLeft;
            }
            // A "..." that stands for highlighted characters is highlighted too.
            if (ellipsis && selEnd > rowEnd) x2 = row.X + textWidth + Params.EllipsisWidth;
            TRect span{x1, row.Y, x2, row.Y + Params.RowHeight};
            if (span.right > span.left) {
                if (highlightBrush != nullptr) FillRect(DC, &span, highlightBrush);
                int s = SaveDC(DC);
                IntersectClipRect(DC, span.left, span.top, span.right, span.bottom);
                COLORREF oldText = GetTextColor(DC);
                if (useHighlightText) SetTextColor(DC, ColorToCOLORREF(HighlightTextColor));
                DrawRowText(DC, row.X, row.Y, text, Params, row.BlanksCount, extra);
                if (ellipsis) TextOut(DC, row.X + textWidth, row.Y, "...", 3);
                SetTextColor(DC, oldText);
                RestoreDC(DC, s);
                ExcludeClipRect(DC, span.left, span.top, span.right, span.bottom);
            }
        }
        DrawRowText(DC, row.X, row.Y, text, Params, row.BlanksCount, extra);
        if (ellipsis && row.X + textWidth < Rect.right) {
            int e = SaveDC(DC);
            if (!Params.NoClip && row.X + textWidth + Params.EllipsisWidth > Rect.right)
                IntersectClipRect(DC, Rect.left, Rect.top, Rect.right, Rect.bottom);
            TextOut(DC, row.X + textWidth, row.Y, "...", 3);
            RestoreDC(DC, e);
        }
        RestoreDC(DC, savedState);
        if (saved != nullptr) DeleteObject(saved);
    }
    if (highlightBrush != nullptr) DeleteObject(highlightBrush);
    SetBkMode(DC, oldMode);
}

void uiDrawTextUtilsStartup() {
    PlaceholderBrush(false);
    PlaceholderBrush(true);
}

void uiDrawTextUtilsShutdown() {
    for (HBRUSH& b : patternBrushes) {
        if (b != nullptr) DeleteObject(b);
        b = nullptr;
    }
}

}  // namespace zel
