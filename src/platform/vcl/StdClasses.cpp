// The window classes the layer draws itself: EDIT (single-line, or multi-line in a formatting rectangle), LISTBOX and
// MDICLIENT. They keep their state per window and answer the Win32 messages of those classes.
#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Clipboard.h"
#include "platform/win/FrameScrollBar.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"

namespace zel {

namespace {

void Notify(HWND hwnd, WORD code) {
    HWND parent = GetParent(hwnd);
    if (parent == nullptr) return;
    WORD id = static_cast<WORD>(GetWindowLong(hwnd, GWL_ID));
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hwnd));
}

// A DC for measuring or painting with the window's font.
struct TFontDC {
    HWND hwnd;
    HDC dc;
    HGDIOBJ old = nullptr;
    bool own;
    TFontDC(HWND h, HFONT font, HDC given = nullptr) : hwnd(h), dc(given ? given : GetDC(h)), own(given == nullptr) {
        if (font != nullptr) old = SelectObject(dc, font);
    }
    ~TFontDC() {
        if (old != nullptr) SelectObject(dc, old);
        if (own) ReleaseDC(hwnd, dc);
    }
};

int TextWidthOf(HDC dc, std::string_view s) {
    SIZE sz;
    GetTextExtentPoint32(dc, s, static_cast<int>(s.size()), &sz);
    return sz.cx;
}

// The width of each beginning of s, in one pass: w[i] is the width of its first i characters.
std::vector<int> PrefixWidths(HDC dc, std::string_view s) {
    std::vector<int> w(s.size() + 1, 0);
    if (!s.empty()) GetTextExtentExPoint(dc, s, static_cast<int>(s.size()), 0, nullptr, w.data() + 1, nullptr);
    return w;
}

// The place between characters of s nearest to x when s starts at x0; of two equally near, the first.
int NearestPlace(HDC dc, std::string_view s, int x0, int x) {
    const std::vector<int> w = PrefixWidths(dc, s);
    int best = 0, bestDist = 1 << 30;
    for (int i = 0; i < static_cast<int>(w.size()); ++i) {
        const int d = std::abs(x0 + w[static_cast<std::size_t>(i)] - x);
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return best;
}

// Draws the characters [from, to) of s as TextOut does, character i at x + w[i] (w: the PrefixWidths of s),
// leaving out those that lie wholly outside the columns [left, right), with a margin for glyphs reaching
// beyond their cells: on a long text only what can show is drawn, and it looks the same. An underline or
// a strike-out line runs along the whole run drawn, so with such a font the whole run is drawn.
void TextOutVisible(HDC dc, int x, int y, std::string_view s, const std::vector<int>& w, std::size_t from,
                    std::size_t to, int left, int right) {
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    if (!tm.tmUnderlined && !tm.tmStruckOut) {
        const int margin = tm.tmMaxCharWidth + tm.tmHeight;
        // Character i covers [x + w[i], x + w[i + 1]); the widths never decrease.
        const auto ends = w.begin() + 1;
        from = std::max(from, static_cast<std::size_t>(std::lower_bound(ends, w.end(), left - margin - x) - ends));
        to = std::min(
            to, static_cast<std::size_t>(std::upper_bound(w.begin(), w.end() - 1, right + margin - x) - w.begin()));
    }
    if (from >= to) return;
    TextOut(dc, x + w[from], y, s.substr(from, to - from), static_cast<int>(to - from));
}

// ------------------------------------------------------------------------------------------------ EDIT

// The text of an edit window with the start of each of its lines. A change updates the table from the place
// it changed on, so an append costs the length of what is appended, however long the text: a monitor
// listing a flood of MIDI messages stays fast. Lines end at LF; a CR just before the LF belongs to no line.
// An empty text, or one ending in a line break, has an empty last line.
class TEditText {
public:
    const std::string& Str() const { return text_; }
    int Length() const { return static_cast<int>(text_.size()); }
    // The number of lines.
    std::size_t size() const { return starts_.size(); }
    // (start, length) of line i.
    std::pair<int, int> operator[](std::size_t i) const {
        const int start = starts_[i];
        if (i + 1 == starts_.size()) return {start, Length() - start};
        int end = starts_[i + 1] - 1;  // the LF
        if (end > start && text_[static_cast<std::size_t>(end - 1)] == '\r') --end;
        return {start, end - start};
    }
    // The line holding the character at pos (the first line for a place before the text).
    int LineOf(int pos) const {
        const auto after = std::upper_bound(starts_.begin(), starts_.end(), pos);
        return std::max(0, static_cast<int>(after - starts_.begin()) - 1);
    }
    void Assign(std::string text) {
        text_ = std::move(text);
        starts_ = StartsAfterBreaks(0, text_);
        starts_.insert(starts_.begin(), 0);
    }
    // Replaces the characters [a, b) by ins (0 <= a <= b <= Length()).
    void Replace(int a, int b, std::string_view ins) {
        // The lines starting inside the replaced characters go with them; those after them move.
        const auto first = std::upper_bound(starts_.begin(), starts_.end(), a);
        const auto last = std::upper_bound(first, starts_.end(), b);
        const int delta = static_cast<int>(ins.size()) - (b - a);
        for (auto it = last; it != starts_.end(); ++it) *it += delta;
        const std::vector<int> added = StartsAfterBreaks(a, ins);
        starts_.insert(starts_.erase(first, last), added.begin(), added.end());
        text_.replace(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a), ins);
    }

private:
    // The starts of the lines that follow the line breaks of s, which lies at offset in the text.
    static std::vector<int> StartsAfterBreaks(int offset, std::string_view s) {
        std::vector<int> starts;
        for (std::size_t i = s.find('\n'); i != std::string_view::npos; i = s.find('\n', i + 1))
            starts.push_back(offset + static_cast<int>(i) + 1);
        return starts;
    }
    std::string text_;
    std::vector<int> starts_{0};
};

struct TEditState {
    int selStart = 0;  // the anchor
    int selEnd = 0;    // the caret
    int limit = 0x7FFFFFFE;
    bool modified = false;
    char password = 0;
    HFONT font = nullptr;
    int scroll = 0;  // pixels of text scrolled off at the left
    int leftMargin = 2;
    int rightMargin = 2;
    bool focused = false;
    bool dragging = false;
    int topLine = 0;  // multi-line: the first line shown
    RECT rect{};      // multi-line: the formatting rectangle set by EM_SETRECT or EM_SETRECTNP
    bool hasRect = false;
    int widest = -1;    // multi-line: the widest line in pixels, -1 until measured
    int thumbBar = -1;  // the bar (SB_HORZ or SB_VERT) whose thumb is being dragged, else -1
    int thumbGrip = 0;  // where along the thumb it was taken
    int thumbPos = 0;   // the position the dragged thumb stands for
    TEditText text;
    // The last change that can be undone: the characters removed at pos and how many were put there. Undoing
    // it makes the change that undoes the undo.
    struct {
        bool valid = false;
        bool typing = false;  // characters typed one after another make one change
        int pos = 0;
        int inserted = 0;
        std::string removed;
    } undo;
};

// Whether a change of the text can be undone, and whether it continues the typing before it.
enum class TUndoKind { None, Step, Typing };

std::unordered_map<HWND, TEditState>& Edits() {
    static std::unordered_map<HWND, TEditState> m;
    return m;
}

std::string Shown(const TEditState& st, const std::string& text) {
    return st.password ? std::string(text.size(), st.password) : text;
}

bool IsMultiLine(HWND hwnd) { return (GetWindowLong(hwnd, GWL_STYLE) & ES_MULTILINE) != 0; }

// Where a multi-line edit lays out its lines: the rectangle set for it, else the client area within the
// margins, one pixel from the top and bottom.
RECT FormatRect(HWND hwnd, const TEditState& st) {
    if (st.hasRect) return st.rect;
    RECT rc;
    GetClientRect(hwnd, &rc);
    return RECT{st.leftMargin, 1, rc.right - st.rightMargin, rc.bottom - 1};
}

// Asks the parent for the colours to paint with (WM_CTLCOLOREDIT; WM_CTLCOLORSTATIC when disabled or
// read-only): it sets the text and background colours on the DC and answers the background brush. Without a
// parent, or when it answers no brush, the system's edit colours.
HBRUSH EditColors(HWND hwnd, HDC dc, bool enabled, COLORREF& text) {
    HBRUSH brush = GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    if (HWND parent = GetParent(hwnd)) {
        const bool editable = enabled && (GetWindowLong(hwnd, GWL_STYLE) & ES_READONLY) == 0;
        const LRESULT answer = SendMessage(parent, editable ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                                           reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
        if (answer != 0) brush = reinterpret_cast<HBRUSH>(answer);
    }
    text = enabled ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
    return brush;
}

int LineHeightOf(HWND hwnd, const TEditState& st) {
    TFontDC fdc(hwnd, st.font);
    TEXTMETRIC tm;
    GetTextMetrics(fdc.dc, &tm);
    return std::max<int>(1, tm.tmHeight);
}

int VisibleLines(HWND hwnd, const TEditState& st) {
    const RECT fr = FormatRect(hwnd, st);
    return std::max(1, static_cast<int>(fr.bottom - fr.top) / LineHeightOf(hwnd, st));
}

// Where a line of text laid out between left and right starts: scrolled from the left, or, for a centred or
// right-aligned edit whose line fits, in the middle or against the right. The width is measured only then.
int LineOrigin(HWND hwnd, const TEditState& st, HDC dc, std::string_view line, int left, int right) {
    const auto align = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & (ES_CENTER | ES_RIGHT);
    if (align == ES_LEFT) return left - st.scroll;
    const int room = right - left;
    const int width = TextWidthOf(dc, line);
    if (width >= room) return left - st.scroll;
    return left + (align == ES_RIGHT ? room - width : (room - width) / 2);
}

// Where a single-line edit's text starts, within its margins.
int LineOrigin(HWND hwnd, const TEditState& st, HDC dc, std::string_view shown) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    return LineOrigin(hwnd, st, dc, shown, st.leftMargin, static_cast<int>(rc.right) - st.rightMargin);
}

// The top of a single line's text: in the middle of the client area's height, at least one pixel down when
// there is room for that. An edit as tall as its line or shorter shows the line from its top, so that the
// line's lowest pixels (underscores, descenders) stay inside it.
int LineTop(HWND hwnd, HDC dc) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    const int spare = static_cast<int>(rc.bottom) - static_cast<int>(tm.tmHeight);
    return spare > 0 ? std::max(1, spare / 2) : 0;
}

int CharAtX(HWND hwnd, TEditState& st, int x) {
    TFontDC fdc(hwnd, st.font);
    const std::string shown = Shown(st, st.text.Str());
    return NearestPlace(fdc.dc, shown, LineOrigin(hwnd, st, fdc.dc, shown), x);
}

void EnsureCaretVisible(HWND hwnd, TEditState& st) {
    std::string text = Shown(st, st.text.Str());
    RECT rc;
    GetClientRect(hwnd, &rc);
    TFontDC fdc(hwnd, st.font);
    int caretX = TextWidthOf(fdc.dc, std::string_view(text).substr(0, static_cast<std::size_t>(st.selEnd)));
    int visible = std::max(1, static_cast<int>(rc.right) - st.leftMargin - st.rightMargin);
    if (caretX - st.scroll > visible) st.scroll = caretX - visible;
    if (caretX < st.scroll) st.scroll = caretX;
    if (st.scroll < 0) st.scroll = 0;
}

// The character nearest a client point: on a single-line edit the x alone counts.
int CharAtPoint(HWND hwnd, TEditState& st, int x, int y) {
    if (!IsMultiLine(hwnd)) return CharAtX(hwnd, st, x);
    const std::string& text = st.text.Str();
    const TEditText& lines = st.text;
    const RECT fr = FormatRect(hwnd, st);
    int line = std::clamp(st.topLine + std::max(0, y - static_cast<int>(fr.top)) / LineHeightOf(hwnd, st), 0,
                          static_cast<int>(lines.size()) - 1);
    auto [start, length] = lines[static_cast<std::size_t>(line)];
    TFontDC fdc(hwnd, st.font);
    const std::string_view shown =
        std::string_view(text).substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
    return start + NearestPlace(fdc.dc, shown, LineOrigin(hwnd, st, fdc.dc, shown, fr.left, fr.right), x);
}

// Scrolls a multi-line edit so that the caret's line shows, and the caret within the formatting
// rectangle's width (lines are never wrapped). Only the caret's line is measured, however long the text.
void EnsureMultiLineCaretVisible(HWND hwnd, TEditState& st) {
    const std::string& text = st.text.Str();
    const TEditText& lines = st.text;
    int line = lines.LineOf(st.selEnd);
    int rows = VisibleLines(hwnd, st);
    if (line < st.topLine) st.topLine = line;
    if (line >= st.topLine + rows) st.topLine = line - rows + 1;
    st.topLine = std::clamp(st.topLine, 0, std::max(0, static_cast<int>(lines.size()) - 1));
    const auto [start, length] = lines[static_cast<std::size_t>(line)];
    const int column = std::clamp(st.selEnd - start, 0, length);
    TFontDC fdc(hwnd, st.font);
    const int caretX = TextWidthOf(
        fdc.dc, std::string_view(text).substr(static_cast<std::size_t>(start), static_cast<std::size_t>(column)));
    const RECT fr = FormatRect(hwnd, st);
    // The caret's column lies inside the rectangle.
    const int visible = std::max(1, static_cast<int>(fr.right - fr.left) - 1);
    if (caretX - st.scroll > visible) st.scroll = caretX - visible;
    if (caretX < st.scroll) st.scroll = caretX;
    if (st.scroll < 0) st.scroll = 0;
}

// Tells the parent when the text scrolled sideways or by lines since the position given.
void NotifyScrolled(HWND hwnd, const TEditState& st, int scroll, int topLine) {
    if (st.scroll != scroll) Notify(hwnd, EN_HSCROLL);
    if (st.topLine != topLine) Notify(hwnd, EN_VSCROLL);
}

void ScrollToCaret(HWND hwnd, TEditState& st) {
    const int scroll = st.scroll, topLine = st.topLine;
    if (IsMultiLine(hwnd)) EnsureMultiLineCaretVisible(hwnd, st);
    else EnsureCaretVisible(hwnd, st);
    NotifyScrolled(hwnd, st, scroll, topLine);
}

// The client point of the character at pos (its top left), or -1 for a place beyond the text.
LRESULT PosFromChar(HWND hwnd, TEditState& st, int pos) {
    if (pos < 0 || pos > st.text.Length()) return -1;
    TFontDC fdc(hwnd, st.font);
    int x = 0, y = 0;
    if (IsMultiLine(hwnd)) {
        const int line = st.text.LineOf(pos);
        const int start = st.text[static_cast<std::size_t>(line)].first;
        const int length = st.text[static_cast<std::size_t>(line)].second;
        const RECT fr = FormatRect(hwnd, st);
        const std::string_view shown =
            std::string_view(st.text.Str()).substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
        x = LineOrigin(hwnd, st, fdc.dc, shown, fr.left, fr.right) +
            TextWidthOf(fdc.dc, shown.substr(0, static_cast<std::size_t>(std::min(pos - start, length))));
        y = static_cast<int>(fr.top) + (line - st.topLine) * LineHeightOf(hwnd, st);
    } else {
        const std::string shown = Shown(st, st.text.Str());
        x = LineOrigin(hwnd, st, fdc.dc, shown) +
            TextWidthOf(fdc.dc, std::string_view(shown).substr(0, static_cast<std::size_t>(pos)));
        y = LineTop(hwnd, fdc.dc);
    }
    return MAKELONG(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
}

// The width of line i in the font selected into dc.
int LineWidthOf(HDC dc, const TEditText& text, std::size_t i) {
    const auto [start, length] = text[i];
    return TextWidthOf(
        dc, std::string_view(text.Str()).substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)));
}

void EditReplaceSel(HWND hwnd, TEditState& st, const std::string& insert, bool notify,
                    TUndoKind undo = TUndoKind::None) {
    const std::string& text = st.text.Str();
    int a = std::min(st.selStart, st.selEnd), b = std::max(st.selStart, st.selEnd);
    a = std::clamp(a, 0, static_cast<int>(text.size()));
    b = std::clamp(b, 0, static_cast<int>(text.size()));
    std::string ins = insert;
    DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    if (style & ES_UPPERCASE) ins = AnsiUpperCase(ins);
    if (style & ES_LOWERCASE) ins = AnsiLowerCase(ins);
    long room = static_cast<long>(st.limit) - static_cast<long>(text.size() - static_cast<std::size_t>(b - a));
    if (room < static_cast<long>(ins.size())) {
        ins.resize(static_cast<std::size_t>(std::max(0L, room)));
        if (notify) Notify(hwnd, EN_MAXTEXT);
    }
    if (undo != TUndoKind::None) {
        auto& u = st.undo;
        const bool typing = undo == TUndoKind::Typing;
        if (typing && u.valid && u.typing && u.removed.empty() && a == b && a == u.pos + u.inserted) {
            u.inserted += static_cast<int>(ins.size());
        } else {
            u.valid = true;
            u.typing = typing && a == b;
            u.pos = a;
            u.inserted = static_cast<int>(ins.size());
            u.removed = text.substr(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a));
        }
    }
    st.text.Replace(a, b, ins);
    st.selStart = st.selEnd = a + static_cast<int>(ins.size());
    // Only the lines the insert touched can have grown; the widest stays measured until the text or font is set.
    if (st.widest >= 0) {
        TFontDC fdc(hwnd, st.font);
        for (int i = st.text.LineOf(a), last = st.text.LineOf(st.selEnd); i <= last; ++i) {
            st.widest = std::max(st.widest, LineWidthOf(fdc.dc, st.text, static_cast<std::size_t>(i)));
        }
    }
    st.modified = true;
    ScrollToCaret(hwnd, st);
    InvalidateRect(hwnd, nullptr, TRUE);
    if (notify) {
        Notify(hwnd, EN_UPDATE);
        Notify(hwnd, EN_CHANGE);
    }
}

void MultiLinePaint(HWND hwnd, TEditState& st, HDC dc) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    const bool enabled = IsWindowEnabled(hwnd) != 0;
    COLORREF textColor = 0;
    FillRect(dc, &rc, EditColors(hwnd, dc, enabled, textColor));
    const RECT fr = FormatRect(hwnd, st);
    // A formatting rectangle set for the window clips the text to it.
    const int saved = st.hasRect ? SaveDC(dc) : 0;
    if (st.hasRect) IntersectClipRect(dc, fr.left, fr.top, fr.right, fr.bottom);
    HGDIOBJ old = st.font ? SelectObject(dc, st.font) : nullptr;
    const std::string& text = st.text.Str();
    const TEditText& lines = st.text;
    const int lh = LineHeightOf(hwnd, st);
    const int a = std::min(st.selStart, st.selEnd), b = std::max(st.selStart, st.selEnd);
    const int caretLine = lines.LineOf(st.selEnd);
    SetBkMode(dc, TRANSPARENT);
    const int bottom = st.hasRect ? static_cast<int>(fr.bottom) : static_cast<int>(rc.bottom);
    for (int i = st.topLine, y = fr.top; i < static_cast<int>(lines.size()) && y < bottom; ++i, y += lh) {
        auto [start, length] = lines[static_cast<std::size_t>(i)];
        const std::string_view line =
            std::string_view(text).substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
        const int x0 = LineOrigin(hwnd, st, dc, line, fr.left, fr.right);
        const std::vector<int> w = PrefixWidths(dc, line);
        SetTextColor(dc, textColor);
        TextOutVisible(dc, x0, y, line, w, 0, line.size(), 0, rc.right);
        const auto sa = static_cast<std::size_t>(std::clamp(a - start, 0, length)),
                   sb = static_cast<std::size_t>(std::clamp(b - start, 0, length));
        if (st.focused && sa < sb) {
            RECT sel{x0 + w[sa], y, x0 + w[sb], y + lh};
            FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            TextOutVisible(dc, x0, y, line, w, sa, sb, 0, rc.right);
        }
        if (st.focused && a == b && caretLine == i) {
            int xc = x0 + w[static_cast<std::size_t>(std::clamp(st.selEnd - start, 0, length))];
            RECT caret{xc, y, xc + 1, y + lh};
            FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
            if (GetCaretWindow() == hwnd) SetCaretPos(xc, y);
        }
    }
    if (old) SelectObject(dc, old);
    if (st.hasRect) RestoreDC(dc, saved);
}

void EditPaint(HWND hwnd, TEditState& st, HDC given) {
    PAINTSTRUCT ps;
    HDC dc = given ? given : BeginPaint(hwnd, &ps);
    if (IsMultiLine(hwnd)) {
        MultiLinePaint(hwnd, st, dc);
        if (!given) EndPaint(hwnd, &ps);
        return;
    }
    RECT rc;
    GetClientRect(hwnd, &rc);
    const bool enabled = IsWindowEnabled(hwnd) != 0;
    COLORREF textColor = 0;
    FillRect(dc, &rc, EditColors(hwnd, dc, enabled, textColor));
    HGDIOBJ old = st.font ? SelectObject(dc, st.font) : nullptr;
    std::string text = Shown(st, st.text.Str());
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    const int y = LineTop(hwnd, dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColor);
    int a = std::min(st.selStart, st.selEnd), b = std::max(st.selStart, st.selEnd);
    a = std::clamp(a, 0, static_cast<int>(text.size()));
    b = std::clamp(b, 0, static_cast<int>(text.size()));
    const std::vector<int> w = PrefixWidths(dc, text);
    const int x0 = LineOrigin(hwnd, st, dc, text);
    TextOutVisible(dc, x0, y, text, w, 0, text.size(), 0, rc.right);
    if (st.focused && a < b) {
        RECT sel{x0 + w[static_cast<std::size_t>(a)], y, x0 + w[static_cast<std::size_t>(b)], y + tm.tmHeight};
        FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        TextOutVisible(dc, x0, y, text, w, static_cast<std::size_t>(a), static_cast<std::size_t>(b), 0, rc.right);
    }
    if (st.focused && a == b) {
        int xc = x0 + w[std::min(static_cast<std::size_t>(std::max(st.selEnd, 0)), text.size())];
        RECT caret{xc, y, xc + 1, y + tm.tmHeight};
        FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
        if (GetCaretWindow() == hwnd) SetCaretPos(xc, y);
    }
    if (old) SelectObject(dc, old);
    if (!given) EndPaint(hwnd, &ps);
}

// ---- the window scroll bars of a multi-line edit, drawn and driven in its frame

int WidestLine(HWND hwnd, TEditState& st) {
    if (st.widest < 0) {
        TFontDC fdc(hwnd, st.font);
        st.widest = 0;
        for (std::size_t i = 0; i < st.text.size(); ++i) {
            st.widest = std::max(st.widest, LineWidthOf(fdc.dc, st.text, i));
        }
    }
    return st.widest;
}

// What a bar shows: the whole extent, the part of it in view and where that part starts (lines for the
// vertical bar, pixels for the horizontal one).
TFrameBarRange BarRange(HWND hwnd, TEditState& st, int bar) {
    if (bar == SB_VERT) return {static_cast<int>(st.text.size()), VisibleLines(hwnd, st), st.topLine};
    const RECT fr = FormatRect(hwnd, st);
    return {WidestLine(hwnd, st) + 1, std::max(1, static_cast<int>(fr.right - fr.left)), st.scroll};
}

// The edit's bar, where the window shows it.
bool BarGeometry(HWND hwnd, TEditState& st, int bar, TFrameBarGeometry& g) {
    return HasFrameBar(hwnd, bar) && FrameBarGeometry(hwnd, bar, BarRange(hwnd, st, bar), g);
}

void PaintBars(HWND hwnd, TEditState& st) {
    HDC dc = nullptr;
    for (const int bar : {SB_VERT, SB_HORZ}) {
        TFrameBarGeometry g;
        if (!BarGeometry(hwnd, st, bar, g)) continue;
        if (dc == nullptr) dc = GetWindowDC(hwnd);
        PaintFrameBar(dc, bar, g);
    }
    if (dc != nullptr) ReleaseDC(hwnd, dc);
}

// A press on a bar at a window point: the arrows and the track scroll by a line or a page, the thumb is
// taken to be dragged.
void PressBar(HWND hwnd, TEditState& st, int bar, POINT p) {
    TFrameBarGeometry g;
    if (!BarGeometry(hwnd, st, bar, g)) return;
    const int at = bar == SB_VERT ? p.y : p.x;
    const WORD code = FrameBarPress(g, at);
    if (code != SB_THUMBTRACK) {
        SendMessage(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, code, 0);
        return;
    }
    st.thumbBar = bar;
    st.thumbGrip = at - g.thumbLo;
    SetCapture(hwnd);
}

// The position the dragged thumb stands for with the mouse at a client point.
int ThumbPosition(HWND hwnd, TEditState& st, POINT client) {
    TFrameBarGeometry g;
    if (!BarGeometry(hwnd, st, st.thumbBar, g)) return 0;
    POINT p = client;
    ClientToScreen(hwnd, &p);
    return std::max(0, FrameBarThumbPosition(g, BarRange(hwnd, st, st.thumbBar), FrameBarPlace(hwnd, st.thumbBar, p),
                                             st.thumbGrip));
}

// Answers WM_VSCROLL or WM_HSCROLL: moves the first line shown, or the text's left offset.
void ScrollBy(HWND hwnd, TEditState& st, int bar, WORD code, int thumb) {
    const TFrameBarRange r = BarRange(hwnd, st, bar);
    int line = 1;
    if (bar == SB_HORZ) {
        // A step sideways is an average character.
        TFontDC fdc(hwnd, st.font);
        TEXTMETRIC tm;
        GetTextMetrics(fdc.dc, &tm);
        line = std::max<int>(1, tm.tmAveCharWidth);
    }
    int pos = r.pos;
    if (!FrameBarScrollTarget(r, code, thumb, line, pos)) return;
    pos = std::clamp(pos, 0, std::max(r.pos, r.MaxPos()));
    if (pos == r.pos) return;
    (bar == SB_VERT ? st.topLine : st.scroll) = pos;
    Notify(hwnd, bar == SB_VERT ? EN_VSCROLL : EN_HSCROLL);
    InvalidateRect(hwnd, nullptr, TRUE);
}

// The EDIT's window procedure, by message group. Each group answers the messages it knows and leaves the
// others (nullopt) to the next; what no group answers goes to DefWindowProc.
using TEditAnswer = std::optional<LRESULT>;

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }

// The text, the font and the text's properties.
TEditAnswer EditTextMessage(HWND hwnd, TEditState& st, UINT msg, WPARAM wp, LPARAM lp) {
    const DWORD style = StyleOf(hwnd);
    switch (msg) {
        case WM_GETTEXTLENGTH: return st.text.Length();
        case WM_GETTEXT: {
            auto* buf = reinterpret_cast<char*>(lp);
            if (buf == nullptr || wp == 0) return 0;
            const std::size_t n = std::min<std::size_t>(st.text.Str().size(), wp - 1);
            std::copy_n(st.text.Str().data(), n, buf);
            buf[n] = '\0';
            return static_cast<LRESULT>(n);
        }
        case WM_SETTEXT: {
            // The limit applies to typing and pasting, not to the text the program sets.
            std::string text = lp ? reinterpret_cast<const char*>(lp) : "";
            st.text.Assign(std::move(text));
            st.widest = -1;
            st.selStart = st.selEnd = 0;
            st.scroll = 0;
            st.topLine = 0;
            st.modified = false;
            st.undo = {};
            InvalidateRect(hwnd, nullptr, TRUE);
            Notify(hwnd, EN_UPDATE);
            Notify(hwnd, EN_CHANGE);
            return TRUE;
        }
        case WM_SETFONT:
            st.font = reinterpret_cast<HFONT>(wp);
            st.widest = -1;
            if (lp) InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(st.font);
        case EM_LIMITTEXT: st.limit = wp == 0 ? 0x7FFFFFFE : static_cast<int>(wp); return 0;
        case EM_GETLIMITTEXT: return st.limit;
        case EM_SETREADONLY:
            SetWindowLong(hwnd, GWL_STYLE, wp ? (style | ES_READONLY) : (style & ~ES_READONLY));
            InvalidateRect(hwnd, nullptr, TRUE);
            return 1;
        case EM_GETMODIFY: return st.modified ? 1 : 0;
        case EM_SETMODIFY: st.modified = wp != 0; return 0;
        case EM_SETPASSWORDCHAR:
            st.password = static_cast<char>(wp);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case EM_GETPASSWORDCHAR: return static_cast<unsigned char>(st.password);
        default: return std::nullopt;
    }
}

// The selected characters, for the clipboard.
std::string SelectedText(const TEditState& st) {
    const int a = std::clamp(std::min(st.selStart, st.selEnd), 0, st.text.Length());
    const int b = std::clamp(std::max(st.selStart, st.selEnd), 0, st.text.Length());
    return st.text.Str().substr(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a));
}

// Puts the selection on the clipboard as CF_TEXT; a password is never copied.
void CopySelection(HWND hwnd, const TEditState& st) {
    if (st.password != 0 || st.selStart == st.selEnd || !OpenClipboard(hwnd)) return;
    const std::string text = SelectedText(st);
    EmptyClipboard();
    if (HGLOBAL mem = GlobalAlloc(GHND, text.size() + 1)) {
        std::copy_n(text.data(), text.size(), static_cast<char*>(GlobalLock(mem)));
        GlobalUnlock(mem);
        if (SetClipboardData(CF_TEXT, mem) == nullptr) GlobalFree(mem);
    }
    CloseClipboard();
}

// Cut, copy, paste, clear and undo. A read-only edit only copies.
TEditAnswer EditClipboardMessage(HWND hwnd, TEditState& st, UINT msg, WPARAM /*wp*/, LPARAM /*lp*/) {
    const DWORD style = StyleOf(hwnd);
    const bool readOnly = (style & ES_READONLY) != 0;
    switch (msg) {
        case WM_COPY: CopySelection(hwnd, st); return 0;
        case WM_CUT:
            if (readOnly || st.password != 0) return 0;
            CopySelection(hwnd, st);
            if (st.selStart != st.selEnd) EditReplaceSel(hwnd, st, "", true, TUndoKind::Step);
            return 0;
        case WM_CLEAR:
            if (!readOnly && st.selStart != st.selEnd) EditReplaceSel(hwnd, st, "", true, TUndoKind::Step);
            return 0;
        case WM_PASTE: {
            if (readOnly) return 0;
            std::string text = ClipboardText(hwnd);
            // A single line takes the first line of what is pasted.
            if (!(style & ES_MULTILINE)) text.resize(std::min(text.size(), text.find_first_of("\r\n")));
            if (!text.empty()) EditReplaceSel(hwnd, st, text, true, TUndoKind::Step);
            return 0;
        }
        case WM_UNDO:
        case EM_UNDO: {
            if (readOnly || !st.undo.valid) return 0;
            const auto u = st.undo;
            st.selStart = u.pos;
            st.selEnd = u.pos + u.inserted;
            EditReplaceSel(hwnd, st, u.removed, true, TUndoKind::Step);
            st.selStart = u.pos;  // the characters brought back stay selected
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        }
        case EM_CANUNDO: return st.undo.valid ? TRUE : FALSE;
        case EM_EMPTYUNDOBUFFER: st.undo = {}; return 0;
        default: return std::nullopt;
    }
}

// Painting, the frame's scroll bars, margins, the formatting rectangle and scrolling.
TEditAnswer EditViewMessage(HWND hwnd, TEditState& st, UINT msg, WPARAM wp, LPARAM lp) {
    const DWORD style = StyleOf(hwnd);
    switch (msg) {
        case WM_PRINTCLIENT: EditPaint(hwnd, st, reinterpret_cast<HDC>(wp)); return 0;
        case WM_PAINT:
            EditPaint(hwnd, st, reinterpret_cast<HDC>(wp));
            // Whatever was drawn anew (a change, a scroll, a resize) may have moved the bars' thumbs.
            if (wp == 0 && (style & ES_MULTILINE)) PaintBars(hwnd, st);
            return 0;
        case WM_NCPAINT:
            DefWindowProc(hwnd, msg, wp, lp);
            if (style & ES_MULTILINE) PaintBars(hwnd, st);
            return 0;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            if ((style & ES_MULTILINE) && (wp == HTVSCROLL || wp == HTHSCROLL)) {
                RECT window;
                GetWindowRect(hwnd, &window);
                PressBar(hwnd, st, wp == HTVSCROLL ? SB_VERT : SB_HORZ,
                         POINT{GET_X_LPARAM(lp) - window.left, GET_Y_LPARAM(lp) - window.top});
                return 0;
            }
            return DefWindowProc(hwnd, msg, wp, lp);
        case WM_VSCROLL:
        case WM_HSCROLL: {
            if (!(style & ES_MULTILINE)) return 0;
            const int bar = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
            // A drag of the edit's own thumb passes its position whole, beyond the 16 bits of the message.
            ScrollBy(hwnd, st, bar, LOWORD(wp), st.thumbBar == bar ? st.thumbPos : HIWORD(wp));
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
        case EM_SETMARGINS:
            if (wp & EC_LEFTMARGIN) st.leftMargin = LOWORD(static_cast<std::uintptr_t>(lp));
            if (wp & EC_RIGHTMARGIN) st.rightMargin = HIWORD(static_cast<std::uintptr_t>(lp));
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case EM_GETMARGINS: return MAKELONG(static_cast<WORD>(st.leftMargin), static_cast<WORD>(st.rightMargin));
        case EM_GETRECT:
            if (lp != 0) *reinterpret_cast<RECT*>(lp) = FormatRect(hwnd, st);
            return 0;
        case EM_SETRECT:
        case EM_SETRECTNP:
            // Only multi-line edits lay out their text in a formatting rectangle; no rectangle restores the
            // default one.
            if (!(style & ES_MULTILINE)) return 0;
            st.hasRect = lp != 0;
            if (lp != 0) st.rect = *reinterpret_cast<const RECT*>(lp);
            EnsureMultiLineCaretVisible(hwnd, st);
            if (msg == EM_SETRECT) InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case EM_GETFIRSTVISIBLELINE: return (style & ES_MULTILINE) ? st.topLine : 0;
        case EM_POSFROMCHAR: return PosFromChar(hwnd, st, static_cast<int>(static_cast<std::intptr_t>(wp)));
        case EM_CHARFROMPOS: {
            // The nearest character to the client point, and its line.
            const int pos = CharAtPoint(hwnd, st, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
            return MAKELONG(static_cast<WORD>(pos), static_cast<WORD>(st.text.LineOf(pos)));
        }
        case EM_LINESCROLL:
            if (style & ES_MULTILINE) {
                int count = static_cast<int>(st.text.size());
                st.topLine = std::clamp(st.topLine + static_cast<int>(lp), 0, std::max(0, count - 1));
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            return (style & ES_MULTILINE) ? 1 : 0;
        case EM_SCROLLCARET:
            ScrollToCaret(hwnd, st);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 1;
        case WM_MOUSEWHEEL:
            if (style & ES_MULTILINE) {
                int count = static_cast<int>(st.text.size());
                st.topLine =
                    std::clamp(st.topLine - (static_cast<short>(HIWORD(wp)) / 120) * 3, 0, std::max(0, count - 1));
                InvalidateRect(hwnd, nullptr, TRUE);
                return 0;
            }
            return DefWindowProc(hwnd, msg, wp, lp);
        default: return std::nullopt;
    }
}

// Selecting with the mouse, and dragging a frame scroll bar's thumb.
TEditAnswer EditMouseMessage(HWND hwnd, TEditState& st, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetFocus(hwnd);
            st.selStart = st.selEnd = CharAtPoint(hwnd, st, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
            if (msg == WM_LBUTTONDBLCLK) {
                st.selStart = 0;
                st.selEnd = st.text.Length();
            }
            st.dragging = true;
            SetCapture(hwnd);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_MOUSEMOVE:
            if (st.thumbBar >= 0) {
                st.thumbPos = ThumbPosition(hwnd, st, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
                SendMessage(hwnd, st.thumbBar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
                            MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(st.thumbPos)), 0);
                return 0;
            }
            if (st.dragging) {
                st.selEnd = CharAtPoint(hwnd, st, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
                ScrollToCaret(hwnd, st);
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            return 0;
        case WM_LBUTTONUP:
            if (st.thumbBar >= 0) {
                const int bar = st.thumbBar;
                SendMessage(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
                            MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(st.thumbPos)), 0);
                st.thumbBar = -1;
                if (GetCapture() == hwnd) ReleaseCapture();
                return 0;
            }
            if (st.dragging) {
                st.dragging = false;
                if (GetCapture() == hwnd) ReleaseCapture();
            }
            return 0;
        case WM_CAPTURECHANGED: st.thumbBar = -1; return DefWindowProc(hwnd, msg, wp, lp);
        default: return std::nullopt;
    }
}

// The focus and typing: moving the caret, deleting, characters.
TEditAnswer EditKeyMessage(HWND hwnd, TEditState& st, UINT msg, WPARAM wp, LPARAM lp) {
    const DWORD style = StyleOf(hwnd);
    const int len = st.text.Length();
    switch (msg) {
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | ((style & ES_MULTILINE) ? DLGC_WANTALLKEYS : 0);
        case WM_SETFOCUS:
            st.focused = true;
            // The edit owns the caret while focused; its painting places it.
            CreateCaret(hwnd, nullptr, 1, LineHeightOf(hwnd, st));
            ShowCaret(hwnd);
            InvalidateRect(hwnd, nullptr, TRUE);
            Notify(hwnd, EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            st.focused = false;
            if (GetCaretWindow() == hwnd) DestroyCaret();
            InvalidateRect(hwnd, nullptr, TRUE);
            Notify(hwnd, EN_KILLFOCUS);
            return 0;
        case WM_KEYDOWN: {
            const bool shift = GetKeyState(VK_SHIFT) < 0;
            int caret = st.selEnd;
            switch (wp) {
                case VK_UP:
                case VK_DOWN: {
                    if (!(style & ES_MULTILINE)) return 0;
                    const TEditText& lines = st.text;
                    int line = lines.LineOf(caret);
                    int column = caret - lines[static_cast<std::size_t>(line)].first;
                    int next = std::clamp(line + (wp == VK_UP ? -1 : 1), 0, static_cast<int>(lines.size()) - 1);
                    caret = lines[static_cast<std::size_t>(next)].first +
                            std::min(column, lines[static_cast<std::size_t>(next)].second);
                    break;
                }
                case VK_LEFT: caret = std::max(0, caret - 1); break;
                case VK_RIGHT: caret = std::min(len, caret + 1); break;
                case VK_HOME:
                case VK_END: {
                    // A multi-line edit goes to the start or end of the caret's line; with Ctrl, and in a
                    // single line, to the start or end of the whole text.
                    const bool home = wp == VK_HOME;
                    if (!(style & ES_MULTILINE) || GetKeyState(VK_CONTROL) < 0) {
                        caret = home ? 0 : len;
                        break;
                    }
                    const auto [start, length] = st.text[static_cast<std::size_t>(st.text.LineOf(caret))];
                    caret = home ? start : start + length;
                    break;
                }
                case VK_DELETE:
                    if (shift) return SendMessage(hwnd, WM_CUT, 0, 0);
                    if (style & ES_READONLY) return 0;
                    if (st.selStart == st.selEnd) {
                        if (st.selEnd >= len) return 0;
                        st.selEnd = st.selEnd + 1;
                    }
                    EditReplaceSel(hwnd, st, "", true, TUndoKind::Step);
                    return 0;
                case VK_INSERT:
                    if (shift) return SendMessage(hwnd, WM_PASTE, 0, 0);
                    if (GetKeyState(VK_CONTROL) < 0) return SendMessage(hwnd, WM_COPY, 0, 0);
                    return 0;
                default: return DefWindowProc(hwnd, msg, wp, lp);
            }
            st.selEnd = caret;
            if (!shift) st.selStart = caret;
            ScrollToCaret(hwnd, st);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        case WM_CHAR: {
            const unsigned char ch = static_cast<unsigned char>(wp);
            if (ch == 1) {  // Ctrl+A
                st.selStart = 0;
                st.selEnd = len;
                InvalidateRect(hwnd, nullptr, TRUE);
                return 0;
            }
            // Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z.
            switch (ch) {
                case 3: return SendMessage(hwnd, WM_COPY, 0, 0);
                case 22: return SendMessage(hwnd, WM_PASTE, 0, 0);
                case 24: return SendMessage(hwnd, WM_CUT, 0, 0);
                case 26: return SendMessage(hwnd, WM_UNDO, 0, 0);
                default: break;
            }
            if (style & ES_READONLY) return 0;
            if (ch == VK_BACK) {
                if (st.selStart == st.selEnd) {
                    if (st.selEnd == 0) return 0;
                    st.selStart = st.selEnd - 1;
                }
                EditReplaceSel(hwnd, st, "", true, TUndoKind::Step);
                return 0;
            }
            if (ch == '\r' && (style & ES_MULTILINE)) {
                EditReplaceSel(hwnd, st, "\r\n", true, TUndoKind::Typing);
                return 0;
            }
            if (ch < 32 || ch == 127) return 0;
            if ((style & ES_NUMBER) && (ch < '0' || ch > '9')) return 0;
            EditReplaceSel(hwnd, st, std::string(1, static_cast<char>(ch)), true, TUndoKind::Typing);
            return 0;
        }
        default: return std::nullopt;
    }
}

// The selection and the lines.
TEditAnswer EditSelectionMessage(HWND hwnd, TEditState& st, UINT msg, WPARAM wp, LPARAM lp) {
    const DWORD style = StyleOf(hwnd);
    const int len = st.text.Length();
    switch (msg) {
        case EM_GETSEL: {
            DWORD a = static_cast<DWORD>(std::min(st.selStart, st.selEnd)),
                  b = static_cast<DWORD>(std::max(st.selStart, st.selEnd));
            if (wp) *reinterpret_cast<DWORD*>(wp) = a;
            if (lp) *reinterpret_cast<DWORD*>(lp) = b;
            return MAKELONG(static_cast<WORD>(a), static_cast<WORD>(b));
        }
        case EM_SETSEL: {
            int a = static_cast<int>(static_cast<std::intptr_t>(wp)), b = static_cast<int>(lp);
            if (a == -1) {
                st.selStart = st.selEnd;
            } else {
                if (b < 0 || b > len) b = len;
                a = std::clamp(a, 0, len);
                st.selStart = a;
                st.selEnd = b;
            }
            ScrollToCaret(hwnd, st);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        case EM_REPLACESEL:
            // wParam TRUE: the replacement can be undone.
            EditReplaceSel(hwnd, st, lp ? reinterpret_cast<const char*>(lp) : "", true,
                           wp ? TUndoKind::Step : TUndoKind::None);
            return 0;
        case EM_GETLINECOUNT: return (style & ES_MULTILINE) ? static_cast<LRESULT>(st.text.size()) : 1;
        case EM_LINEINDEX: {
            const TEditText& lines = st.text;
            int line = static_cast<int>(static_cast<std::intptr_t>(wp));
            if (line < 0) line = lines.LineOf(st.selEnd);
            return line < static_cast<int>(lines.size()) ? lines[static_cast<std::size_t>(line)].first : -1;
        }
        case EM_LINELENGTH: {
            const TEditText& lines = st.text;
            int pos = static_cast<int>(static_cast<std::intptr_t>(wp));
            return lines[static_cast<std::size_t>(lines.LineOf(pos < 0 ? st.selEnd : pos))].second;
        }
        case EM_LINEFROMCHAR: {
            int pos = static_cast<int>(static_cast<std::intptr_t>(wp));
            return st.text.LineOf(pos < 0 ? st.selEnd : pos);
        }
        case EM_GETLINE: {
            const std::string& text = st.text.Str();
            const TEditText& lines = st.text;
            int line = static_cast<int>(wp);
            if (line < 0 || line >= static_cast<int>(lines.size()) || lp == 0) return 0;
            auto* buf = reinterpret_cast<char*>(lp);
            WORD room = 0;
            std::copy_n(buf, sizeof(WORD), reinterpret_cast<char*>(&room));
            int n = std::min<int>(room, lines[static_cast<std::size_t>(line)].second);
            std::copy_n(text.data() + lines[static_cast<std::size_t>(line)].first, n, buf);
            return n;
        }
        default: return std::nullopt;
    }
}

LRESULT EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        // The edit keeps its text itself, with its line table; the window's own text stays unused.
        TEditState& st = Edits()[hwnd] = TEditState{};
        // A multi-line edit keeps the ranges of its frame bars itself.
        SetFrameBarSource(hwnd, TFrameBarSource{[hwnd](int bar, TFrameBarRange& r) {
                                                    auto it = Edits().find(hwnd);
                                                    if (it == Edits().end() || !IsMultiLine(hwnd)) return false;
                                                    r = BarRange(hwnd, it->second, bar);
                                                    return true;
                                                },
                                                nullptr});
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lp);
        if (cs != nullptr && cs->lpszName != nullptr) st.text.Assign(cs->lpszName);
        return TRUE;
    }
    auto it = Edits().find(hwnd);
    if (it == Edits().end()) return DefWindowProc(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        Edits().erase(it);
        return DefWindowProc(hwnd, msg, wp, lp);
    }
    TEditState& st = it->second;
    for (auto group : {EditTextMessage, EditViewMessage, EditMouseMessage, EditKeyMessage, EditSelectionMessage,
                       EditClipboardMessage})
        if (const TEditAnswer answer = group(hwnd, st, msg, wp, lp)) return *answer;
    return DefWindowProc(hwnd, msg, wp, lp);
}

// --------------------------------------------------------------------------------------------- LISTBOX

struct TListState {
    std::vector<std::pair<std::string, LPARAM>> items;
    int cursel = -1;
    int top = 0;
    int itemHeight = 0;  // 0: from the font
    HFONT font = nullptr;
    bool focused = false;
    bool measured = false;       // the parent set the item height (owner draw)
    std::vector<char> selected;  // a multi-select list's selection, one flag per item; cursel is its caret
    int extent = 0;              // the width its items scroll across sideways (LB_SETHORIZONTALEXTENT)
    int scroll = 0;              // how far they are scrolled sideways, in pixels
    std::vector<int> heights;    // a variable-height list's item heights, as the parent measured them
};

bool IsMultiSelect(HWND hwnd) { return (GetWindowLong(hwnd, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

bool IsItemSelected(HWND hwnd, const TListState& st, int i) {
    if (!IsMultiSelect(hwnd)) return i == st.cursel;
    return i >= 0 && i < static_cast<int>(st.selected.size()) && st.selected[static_cast<std::size_t>(i)] != 0;
}

void SelectRange(TListState& st, int first, int last, bool on) {
    if (first > last) std::swap(first, last);
    first = std::max(first, 0);
    last = std::min(last, static_cast<int>(st.selected.size()) - 1);
    for (int i = first; i <= last; ++i) st.selected[static_cast<std::size_t>(i)] = on ? 1 : 0;
}

std::unordered_map<HWND, TListState>& Lists() {
    static std::unordered_map<HWND, TListState> m;
    return m;
}

bool IsVariable(HWND hwnd) { return (GetWindowLong(hwnd, GWL_STYLE) & LBS_OWNERDRAWVARIABLE) != 0; }

bool IsOwnerDrawn(HWND hwnd) {
    return (GetWindowLong(hwnd, GWL_STYLE) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

int ItemHeightOf(HWND hwnd, TListState& st) {
    if (st.itemHeight > 0) return st.itemHeight;
    TFontDC fdc(hwnd, st.font);
    TEXTMETRIC tm;
    GetTextMetrics(fdc.dc, &tm);
    const int fontHeight = std::max<int>(1, tm.tmHeight);
    // A fixed owner-drawn list lets its parent set the height of its items, starting from the font's (a
    // variable-height one asks for each item as it is inserted). A child list asked while its window is still
    // being made has no id yet, so its parent could not find it: the font's height serves until it can be asked.
    const bool fixedOwnerDraw = (GetWindowLong(hwnd, GWL_STYLE) & LBS_OWNERDRAWFIXED) != 0;
    if (fixedOwnerDraw && GetParent(hwnd) != nullptr && GetWindowLong(hwnd, GWL_ID) == 0) return fontHeight;
    st.itemHeight = fontHeight;
    if (fixedOwnerDraw && GetParent(hwnd) != nullptr) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        MEASUREITEMSTRUCT mis;
        mis.CtlType = ODT_LISTBOX;
        mis.CtlID = static_cast<UINT>(GetWindowLong(hwnd, GWL_ID));
        mis.itemWidth = static_cast<UINT>(std::max<LONG>(0, rc.right));
        mis.itemHeight = static_cast<UINT>(st.itemHeight);
        SendMessage(GetParent(hwnd), WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
        st.itemHeight = std::clamp(static_cast<int>(mis.itemHeight), 1, 255);
        st.measured = true;
    }
    return st.itemHeight;
}

// The height of one item: its own in a variable-height list, else the list's.
int RowHeight(HWND hwnd, TListState& st, int i) {
    if (IsVariable(hwnd) && i >= 0 && i < static_cast<int>(st.heights.size()))
        return st.heights[static_cast<std::size_t>(i)];
    return ItemHeightOf(hwnd, st);
}

// A variable-height list asks its parent for the height of an item as it is inserted.
void MeasureRow(HWND hwnd, TListState& st, int i) {
    int height = ItemHeightOf(hwnd, st);
    if (GetParent(hwnd) != nullptr) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        MEASUREITEMSTRUCT mis;
        mis.CtlType = ODT_LISTBOX;
        mis.CtlID = static_cast<UINT>(GetWindowLong(hwnd, GWL_ID));
        mis.itemID = static_cast<UINT>(i);
        mis.itemWidth = static_cast<UINT>(std::max<LONG>(0, rc.right));
        mis.itemHeight = static_cast<UINT>(height);
        mis.itemData = static_cast<ULONG_PTR>(st.items[static_cast<std::size_t>(i)].second);
        SendMessage(GetParent(hwnd), WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
        height = std::clamp(static_cast<int>(mis.itemHeight), 1, 255);
    }
    st.heights[static_cast<std::size_t>(i)] = height;
}

// The greatest top item that still shows the last items whole within a height.
int MaxTopWithin(HWND hwnd, TListState& st, int height) {
    const int count = static_cast<int>(st.items.size());
    if (!IsVariable(hwnd)) return std::max(0, count - std::max(1, height / ItemHeightOf(hwnd, st)));
    int top = count, used = 0;
    while (top > 0 && used + RowHeight(hwnd, st, top - 1) <= height) used += RowHeight(hwnd, st, --top);
    return std::min(top, std::max(0, count - 1));
}

// The items that fit whole from the top item down within a height (at least one).
int RowsWithin(HWND hwnd, TListState& st, int height) {
    if (!IsVariable(hwnd)) return std::max(1, height / ItemHeightOf(hwnd, st));
    int rows = 0;
    for (int i = st.top, y = 0; i < static_cast<int>(st.items.size()); ++i, ++rows) {
        y += RowHeight(hwnd, st, i);
        if (y > height) break;
    }
    return std::max(1, rows);
}

// The list's own bars, drawn inside its client area: the vertical one while its items do not fit, the
// horizontal one (WS_HSCROLL) while the extent is wider than the room beside the vertical bar.
struct TListBars {
    bool v = false, h = false;
    RECT vr{}, hr{};
    int height = 0;  // the room for items above the horizontal bar
    int rows = 1;    // the items that fit in it from the top item down
};

TListBars ListBarsOf(HWND hwnd, TListState& st) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    const bool sideways = (GetWindowLong(hwnd, GWL_STYLE) & WS_HSCROLL) != 0 && st.extent > 0;
    TListBars b;
    b.h = sideways && st.extent > rc.right;
    b.v = MaxTopWithin(hwnd, st, rc.bottom - (b.h ? cy : 0)) > 0;
    if (b.v && !b.h && sideways) b.h = st.extent > rc.right - cx;
    b.height = rc.bottom - (b.h ? cy : 0);
    b.rows = RowsWithin(hwnd, st, b.height);
    b.vr = RECT{rc.right - cx, 0, rc.right, b.height};
    b.hr = RECT{0, rc.bottom - cy, rc.right - (b.v ? cx : 0), rc.bottom};
    return b;
}

int VisibleRows(HWND hwnd, TListState& st) { return ListBarsOf(hwnd, st).rows; }

int MaxTop(HWND hwnd, TListState& st) { return MaxTopWithin(hwnd, st, ListBarsOf(hwnd, st).height); }

// The widest sideways scroll that still shows the end of the extent.
int MaxSideScroll(HWND hwnd, TListState& st) {
    const TListBars b = ListBarsOf(hwnd, st);
    return b.h ? std::max(0, st.extent - static_cast<int>(b.hr.right - b.hr.left)) : 0;
}

// A bar's range and where it lies in window coordinates (the client area may sit inside a border).
bool ListBarRange(HWND hwnd, TListState& st, int bar, TFrameBarRange& r) {
    const TListBars b = ListBarsOf(hwnd, st);
    if (bar == SB_VERT) {
        r = TFrameBarRange{static_cast<int>(st.items.size()), b.rows, st.top};
        return true;
    }
    if ((GetWindowLong(hwnd, GWL_STYLE) & WS_HSCROLL) == 0) return false;
    r = TFrameBarRange{std::max(1, st.extent), std::max(1, static_cast<int>(b.hr.right - b.hr.left)), st.scroll};
    return true;
}

bool ListBarGeometry(HWND hwnd, TListState& st, int bar, TFrameBarGeometry& g, bool client) {
    const TListBars b = ListBarsOf(hwnd, st);
    if (!(bar == SB_VERT ? b.v : b.h)) return false;
    TFrameBarRange r;
    ListBarRange(hwnd, st, bar, r);
    RECT at = bar == SB_VERT ? b.vr : b.hr;
    if (!client) {
        RECT window;
        GetWindowRect(hwnd, &window);
        POINT origin{0, 0};
        ClientToScreen(hwnd, &origin);
        OffsetRect(&at, origin.x - window.left, origin.y - window.top);
    }
    return BarGeometryIn(at, bar == SB_VERT, r, g);
}

void ClampTop(HWND hwnd, TListState& st) { st.top = std::clamp(st.top, 0, MaxTop(hwnd, st)); }

// The item under a client height (counted from the top item): an index past the last item below it, one
// before the top item above it.
int RowAt(HWND hwnd, TListState& st, int y) {
    if (y < 0) return st.top - 1;
    if (!IsVariable(hwnd)) return st.top + y / ItemHeightOf(hwnd, st);
    int i = st.top;
    for (int bottom = 0; i < static_cast<int>(st.items.size()); ++i) {
        bottom += RowHeight(hwnd, st, i);
        if (y < bottom) return i;
    }
    return i;
}

// The client height of an item's top edge (negative above the top item).
int RowTop(HWND hwnd, TListState& st, int index) {
    int y = 0;
    for (int i = st.top; i < index; ++i) y += RowHeight(hwnd, st, i);
    for (int i = index; i < st.top; ++i) y -= RowHeight(hwnd, st, i);
    return y;
}

void MakeVisible(HWND hwnd, TListState& st, int index) {
    if (index < 0) return;
    if (index < st.top) st.top = index;
    const int height = ListBarsOf(hwnd, st).height;
    while (index > st.top && RowTop(hwnd, st, index) + RowHeight(hwnd, st, index) > height) ++st.top;
    ClampTop(hwnd, st);
}

// The parent chooses the colours (WM_CTLCOLORLISTBOX): it sets the text colour and answers the brush.
HBRUSH ListColours(HWND hwnd, HDC dc) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    HBRUSH background = GetSysColorBrush(COLOR_WINDOW);
    if (HWND parent = GetParent(hwnd)) {
        const LRESULT answer =
            SendMessage(parent, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
        if (answer != 0) background = reinterpret_cast<HBRUSH>(answer);
    }
    return background;
}

void ListPaint(HWND hwnd, TListState& st, HDC given) {
    PAINTSTRUCT ps;
    HDC dc = given ? given : BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    const bool enabled = IsWindowEnabled(hwnd) != 0;
    // The background goes through the erase message, so that the list's owner may answer it.
    SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    HGDIOBJ old = st.font ? SelectObject(dc, st.font) : nullptr;
    ListColours(hwnd, dc);
    const COLORREF normalText = GetTextColor(dc);
    SetBkMode(dc, TRANSPARENT);
    const TListBars bars = ListBarsOf(hwnd, st);
    const int right = bars.v ? bars.vr.left : rc.right, bottom = bars.h ? bars.hr.top : rc.bottom;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, 0, 0, right, bottom);
    for (int i = st.top, y = 0; i < static_cast<int>(st.items.size()) && y < bottom; y += RowHeight(hwnd, st, i), ++i) {
        const int ih = RowHeight(hwnd, st, i);
        RECT r{-st.scroll, y, std::max(right, st.extent) - st.scroll, y + ih};
        const bool sel = IsItemSelected(hwnd, st, i);
        const bool caret = i == st.cursel;
        if (IsOwnerDrawn(hwnd)) {
            DRAWITEMSTRUCT dis;
            dis.CtlType = ODT_LISTBOX;
            dis.CtlID = static_cast<UINT>(GetWindowLong(hwnd, GWL_ID));
            dis.itemID = static_cast<UINT>(i);
            dis.itemAction = ODA_DRAWENTIRE;
            dis.itemState =
                (sel ? ODS_SELECTED : 0) | (caret && st.focused ? ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
            dis.hwndItem = hwnd;
            dis.hDC = dc;
            dis.rcItem = r;
            dis.itemData = static_cast<ULONG_PTR>(st.items[static_cast<std::size_t>(i)].second);
            const int item = SaveDC(dc);
            IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
            if (GetParent(hwnd) != nullptr)
                SendMessage(GetParent(hwnd), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
            RestoreDC(dc, item);
            continue;
        }
        if (sel) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, !enabled ? GetSysColor(COLOR_GRAYTEXT) : sel ? GetSysColor(COLOR_HIGHLIGHTTEXT) : normalText);
        const std::string& s = st.items[static_cast<std::size_t>(i)].first;
        RECT tr{r.left + 2, r.top, r.right, r.bottom};
        DrawText(dc, s, static_cast<int>(s.size()), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (caret && st.focused) DrawFocusRect(dc, &r);
    }
    RestoreDC(dc, saved);
    for (const int which : {SB_VERT, SB_HORZ}) {
        TFrameBarGeometry g;
        if (ListBarGeometry(hwnd, st, which, g, true)) PaintFrameBar(dc, which, g);
    }
    if (bars.v && bars.h) {
        RECT corner{bars.vr.left, bars.hr.top, rc.right, rc.bottom};
        FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
    }
    if (old) SelectObject(dc, old);
    if (!given) EndPaint(hwnd, &ps);
}

void ListSelect(HWND hwnd, TListState& st, int index, bool notify) {
    index = std::clamp(index, -1, static_cast<int>(st.items.size()) - 1);
    if (index == st.cursel) return;
    st.cursel = index;
    MakeVisible(hwnd, st, index);
    InvalidateRect(hwnd, nullptr, TRUE);
    if (notify && (GetWindowLong(hwnd, GWL_STYLE) & LBS_NOTIFY)) Notify(hwnd, LBN_SELCHANGE);
}

int ListFind(const TListState& st, int start, const char* text, bool exact) {
    if (text == nullptr) return static_cast<int>(LB_ERR);
    const int n = static_cast<int>(st.items.size());
    std::string key = text;
    for (int k = 1; k <= n; ++k) {
        int i = (start + k) % std::max(1, n);
        if (start < 0) i = k - 1;
        const std::string& s = st.items[static_cast<std::size_t>(i)].first;
        if (exact ? SameText(s, key) : (s.size() >= key.size() && SameText(s.substr(0, key.size()), key))) return i;
    }
    return static_cast<int>(LB_ERR);
}

// Answers WM_VSCROLL (by items) and WM_HSCROLL (by average characters, pages of the visible width).
void ListScroll(HWND hwnd, TListState& st, int bar, WORD code, int thumb) {
    TFrameBarRange r;
    if (!ListBarRange(hwnd, st, bar, r)) return;
    int line = 1;
    if (bar == SB_HORZ) {
        TFontDC fdc(hwnd, st.font);
        TEXTMETRIC tm;
        GetTextMetrics(fdc.dc, &tm);
        line = std::max<int>(1, tm.tmAveCharWidth);
    }
    int pos = r.pos;
    if (!FrameBarScrollTarget(r, code, thumb, line, pos)) return;
    if (bar == SB_VERT) {
        st.top = pos;
        ClampTop(hwnd, st);
    } else {
        st.scroll = std::clamp(pos, 0, MaxSideScroll(hwnd, st));
    }
    InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        Lists()[hwnd] = TListState{};
        // The list answers for its bars itself: they lie inside its client area.
        SetFrameBarSource(
            hwnd, TFrameBarSource{[hwnd](int bar, TFrameBarRange& r) {
                                      auto it = Lists().find(hwnd);
                                      return it != Lists().end() && ListBarRange(hwnd, it->second, bar, r);
                                  },
                                  [hwnd](int bar, TFrameBarGeometry& g) {
                                      auto it = Lists().find(hwnd);
                                      return it != Lists().end() && ListBarGeometry(hwnd, it->second, bar, g, false);
                                  }});
        return DefWindowProc(hwnd, msg, wp, lp);
    }
    auto it = Lists().find(hwnd);
    if (it == Lists().end()) return DefWindowProc(hwnd, msg, wp, lp);
    TListState& st = it->second;
    const int count = static_cast<int>(st.items.size());
    const int index = static_cast<int>(static_cast<std::intptr_t>(wp));
    switch (msg) {
        case WM_NCDESTROY: Lists().erase(it); return DefWindowProc(hwnd, msg, wp, lp);
        case WM_PAINT: ListPaint(hwnd, st, reinterpret_cast<HDC>(wp)); return 0;
        case WM_ERASEBKGND: {
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(reinterpret_cast<HDC>(wp), &rc, ListColours(hwnd, reinterpret_cast<HDC>(wp)));
            return 1;
        }
        case WM_SETFONT:
            st.font = reinterpret_cast<HFONT>(wp);
            // An owner-drawn list keeps the height its parent gave.
            if (!st.measured) st.itemHeight = 0;
            if (lp) InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(st.font);
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SIZE: ClampTop(hwnd, st); return DefWindowProc(hwnd, msg, wp, lp);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            st.focused = msg == WM_SETFOCUS;
            InvalidateRect(hwnd, nullptr, TRUE);
            if (GetWindowLong(hwnd, GWL_STYLE) & LBS_NOTIFY) Notify(hwnd, st.focused ? LBN_SETFOCUS : LBN_KILLFOCUS);
            return 0;
        case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
            const TListBars bars = ListBarsOf(hwnd, st);
            const POINT at{x, y};
            // A press on a bar scrolls and leaves the focus where it is.
            if ((bars.v && PtInRect(&bars.vr, at)) || (bars.h && PtInRect(&bars.hr, at))) {
                POINT screen = at;
                ClientToScreen(hwnd, &screen);
                TrackWindowBar(hwnd, bars.v && PtInRect(&bars.vr, at) ? SB_VERT : SB_HORZ, screen);
                return 0;
            }
            SetFocus(hwnd);
            if (bars.h && y >= bars.hr.top) return 0;
            int i = RowAt(hwnd, st, y);
            if (i >= 0 && i < count && IsMultiSelect(hwnd)) {
                const bool extended = (GetWindowLong(hwnd, GWL_STYLE) & LBS_EXTENDEDSEL) != 0;
                const auto at = static_cast<std::size_t>(i);
                if (!extended || (wp & MK_CONTROL) != 0) {
                    st.selected[at] = st.selected[at] != 0 ? 0 : 1;
                } else if ((wp & MK_SHIFT) != 0 && st.cursel >= 0) {
                    SelectRange(st, 0, count - 1, false);
                    SelectRange(st, st.cursel, i, true);
                } else {
                    SelectRange(st, 0, count - 1, false);
                    st.selected[at] = 1;
                }
                if ((wp & MK_SHIFT) == 0 || !extended) st.cursel = i;
                MakeVisible(hwnd, st, i);
                InvalidateRect(hwnd, nullptr, TRUE);
                if (GetWindowLong(hwnd, GWL_STYLE) & LBS_NOTIFY) Notify(hwnd, LBN_SELCHANGE);
                if (msg == WM_LBUTTONDBLCLK && (GetWindowLong(hwnd, GWL_STYLE) & LBS_NOTIFY)) Notify(hwnd, LBN_DBLCLK);
            } else if (i >= 0 && i < count) {
                ListSelect(hwnd, st, i, true);
                if (msg == WM_LBUTTONDBLCLK && (GetWindowLong(hwnd, GWL_STYLE) & LBS_NOTIFY)) Notify(hwnd, LBN_DBLCLK);
            }
            return 0;
        }
        case WM_MOUSEWHEEL: {
            int delta = static_cast<short>(HIWORD(wp));
            st.top -= (delta / 120) * 3;
            ClampTop(hwnd, st);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        case WM_KEYDOWN: {
            int rows = VisibleRows(hwnd, st);
            int next = st.cursel;
            switch (wp) {
                case VK_UP: next = std::max(0, st.cursel - 1); break;
                case VK_DOWN: next = std::min(count - 1, st.cursel + 1); break;
                case VK_HOME: next = 0; break;
                case VK_END: next = count - 1; break;
                case VK_PRIOR: next = std::max(0, st.cursel - rows + 1); break;
                case VK_NEXT: next = std::min(count - 1, st.cursel + rows - 1); break;
                case VK_SPACE:
                    // A multi-select list toggles the item at its caret.
                    if (!IsMultiSelect(hwnd) || st.cursel < 0) return 0;
                    st.selected[static_cast<std::size_t>(st.cursel)] ^= 1;
                    InvalidateRect(hwnd, nullptr, TRUE);
                    if (GetWindowLong(hwnd, GWL_STYLE) & LBS_NOTIFY) Notify(hwnd, LBN_SELCHANGE);
                    return 0;
                default: return DefWindowProc(hwnd, msg, wp, lp);
            }
            if (count == 0) return 0;
            if (!IsMultiSelect(hwnd)) {
                ListSelect(hwnd, st, next, true);
                return 0;
            }
            // The caret moves; with extended selection and no Ctrl the item it reaches is the whole selection.
            st.cursel = std::max(0, next);
            MakeVisible(hwnd, st, st.cursel);
            if ((GetWindowLong(hwnd, GWL_STYLE) & LBS_EXTENDEDSEL) != 0 && (GetKeyState(VK_CONTROL) & 0x8000) == 0) {
                SelectRange(st, 0, count - 1, false);
                st.selected[static_cast<std::size_t>(st.cursel)] = 1;
                if (GetWindowLong(hwnd, GWL_STYLE) & LBS_NOTIFY) Notify(hwnd, LBN_SELCHANGE);
            }
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        case LB_ADDSTRING:
        case LB_INSERTSTRING: {
            std::string s = lp ? reinterpret_cast<const char*>(lp) : "";
            int at = msg == LB_ADDSTRING ? count : (index < 0 ? count : index);
            if (at > count) return LB_ERR;
            if (msg == LB_ADDSTRING && (GetWindowLong(hwnd, GWL_STYLE) & LBS_SORT)) {
                at = 0;
                while (at < count && CompareText(st.items[static_cast<std::size_t>(at)].first, s) <= 0) ++at;
            }
            st.items.insert(st.items.begin() + at, {s, 0});
            st.selected.insert(st.selected.begin() + at, 0);
            st.heights.insert(st.heights.begin() + at, 0);
            if (IsVariable(hwnd)) MeasureRow(hwnd, st, at);
            if (st.cursel >= at) ++st.cursel;
            InvalidateRect(hwnd, nullptr, TRUE);
            return at;
        }
        case LB_DELETESTRING:
            if (index < 0 || index >= count) return LB_ERR;
            st.items.erase(st.items.begin() + index);
            st.selected.erase(st.selected.begin() + index);
            st.heights.erase(st.heights.begin() + index);
            if (st.cursel == index) st.cursel = -1;
            else if (st.cursel > index) --st.cursel;
            ClampTop(hwnd, st);
            InvalidateRect(hwnd, nullptr, TRUE);
            return count - 1;
        case LB_RESETCONTENT:
            st.items.clear();
            st.selected.clear();
            st.heights.clear();
            st.cursel = -1;
            st.top = 0;
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case LB_GETCOUNT: return count;
        case LB_GETTEXTLEN:
            if (index < 0 || index >= count) return LB_ERR;
            return static_cast<LRESULT>(st.items[static_cast<std::size_t>(index)].first.size());
        case LB_GETTEXT: {
            if (index < 0 || index >= count || lp == 0) return LB_ERR;
            const std::string& s = st.items[static_cast<std::size_t>(index)].first;
            std::copy(s.begin(), s.end(), reinterpret_cast<char*>(lp));
            reinterpret_cast<char*>(lp)[s.size()] = '\0';
            return static_cast<LRESULT>(s.size());
        }
        case LB_GETITEMDATA:
            if (index < 0 || index >= count) return LB_ERR;
            return st.items[static_cast<std::size_t>(index)].second;
        case LB_SETITEMDATA:
            if (index < 0 || index >= count) return LB_ERR;
            st.items[static_cast<std::size_t>(index)].second = lp;
            return 0;
        case LB_SETCURSEL:
            if (index < 0 || index >= count) {
                ListSelect(hwnd, st, -1, false);
                return LB_ERR;
            }
            ListSelect(hwnd, st, index, false);
            return index;
        case LB_GETCURSEL: return st.cursel;
        case LB_GETSEL:
            if (index < 0 || index >= count) return LB_ERR;
            return IsItemSelected(hwnd, st, index) ? 1 : 0;
        case LB_SETSEL: {
            // wParam selects or deselects, lParam names the item (-1: all of them).
            const int i = static_cast<int>(lp);
            if (!IsMultiSelect(hwnd) || i < -1 || i >= count) return LB_ERR;
            if (i == -1) {
                SelectRange(st, 0, count - 1, wp != 0);
            } else {
                st.selected[static_cast<std::size_t>(i)] = wp != 0 ? 1 : 0;
                st.cursel = i;
                MakeVisible(hwnd, st, i);
            }
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        case LB_SELITEMRANGE: {
            const int first = LOWORD(static_cast<std::uintptr_t>(lp)), last = HIWORD(static_cast<std::uintptr_t>(lp));
            if (!IsMultiSelect(hwnd)) return LB_ERR;
            SelectRange(st, first, last, wp != 0);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        case LB_GETSELCOUNT:
            if (!IsMultiSelect(hwnd)) return LB_ERR;
            return std::count(st.selected.begin(), st.selected.end(), 1);
        case LB_GETSELITEMS: {
            if (!IsMultiSelect(hwnd)) return LB_ERR;
            auto* out = reinterpret_cast<int*>(lp);
            int n = 0;
            for (int i = 0; i < count && n < index && out != nullptr; ++i)
                if (st.selected[static_cast<std::size_t>(i)] != 0) out[n++] = i;
            return n;
        }
        case LB_SETCARETINDEX:
            if (index < 0 || index >= count) return LB_ERR;
            // A single-select list's caret is its selection: only a multi-select list moves it alone.
            if (IsMultiSelect(hwnd)) st.cursel = index;
            MakeVisible(hwnd, st, index);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case LB_GETCARETINDEX: return st.cursel;
        case LB_GETTOPINDEX: return st.top;
        case LB_SETTOPINDEX:
            if (index < 0 || (index >= count && count > 0)) return LB_ERR;
            st.top = index;
            ClampTop(hwnd, st);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case LB_GETITEMHEIGHT:
            if (IsVariable(hwnd) && (index < 0 || index >= count)) return count == 0 ? ItemHeightOf(hwnd, st) : LB_ERR;
            return RowHeight(hwnd, st, index);
        case WM_VSCROLL:
        case WM_HSCROLL: ListScroll(hwnd, st, msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wp), HIWORD(wp)); return 0;
        case LB_GETHORIZONTALEXTENT: return st.extent;
        case LB_SETHORIZONTALEXTENT:
            st.extent = static_cast<int>(std::min<WPARAM>(wp, 0x7FFF));
            st.scroll = std::clamp(st.scroll, 0, MaxSideScroll(hwnd, st));
            ClampTop(hwnd, st);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case LB_SETITEMHEIGHT:
            // A variable-height list sets the height of the item wParam names.
            if (IsVariable(hwnd)) {
                if (index < 0 || index >= count) return LB_ERR;
                st.heights[static_cast<std::size_t>(index)] =
                    std::max(1, static_cast<int>(LOWORD(static_cast<std::uintptr_t>(lp))));
                ClampTop(hwnd, st);
                InvalidateRect(hwnd, nullptr, TRUE);
                return 0;
            }
            st.itemHeight = std::max(1, static_cast<int>(LOWORD(static_cast<std::uintptr_t>(lp))));
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case LB_GETITEMRECT: {
            if (index < 0 || index >= count || lp == 0) return LB_ERR;
            RECT rc;
            GetClientRect(hwnd, &rc);
            const int top = RowTop(hwnd, st, index);
            *reinterpret_cast<RECT*>(lp) = RECT{0, top, rc.right, top + RowHeight(hwnd, st, index)};
            return 1;
        }
        case LB_ITEMFROMPOINT: {
            int y = GET_Y_LPARAM(lp);
            int i = RowAt(hwnd, st, y);
            bool outside = i < 0 || i >= count;
            i = std::clamp(i, 0, std::max(0, count - 1));
            return MAKELONG(static_cast<WORD>(i), outside ? 1 : 0);
        }
        case LB_FINDSTRING:
        case LB_FINDSTRINGEXACT:
            return ListFind(st, index, reinterpret_cast<const char*>(lp), msg == LB_FINDSTRINGEXACT);
        case LB_SELECTSTRING: {
            int i = ListFind(st, index, reinterpret_cast<const char*>(lp), false);
            if (i >= 0) ListSelect(hwnd, st, i, false);
            return i;
        }
        default: return DefWindowProc(hwnd, msg, wp, lp);
    }
}

// ------------------------------------------------------------------------------------------- MDICLIENT

std::unordered_map<HWND, HWND>& MdiActive() {
    static std::unordered_map<HWND, HWND> m;
    return m;
}

std::vector<HWND> MdiChildren(HWND client) {
    std::vector<HWND> list;
    for (HWND h = GetWindow(client, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
        if (IsWindowVisible(h)) list.push_back(h);
    return list;
}

// The shown child on top, found from the top down without listing the others.
HWND MdiTopChild(HWND client) {
    for (HWND h = GetWindow(client, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
        if (IsWindowVisible(h)) return h;
    return nullptr;
}

void MdiActivate(HWND client, HWND child) {
    HWND& active = MdiActive()[client];
    if (child == active) {
        if (child != nullptr) BringWindowToTop(child);
        return;
    }
    HWND old = active;
    active = child;
    // Only the active child of an active frame draws its caption active.
    const BOOL frameActive = GetActiveWindow() == GetAncestor(client, GA_ROOT) ? TRUE : FALSE;
    if (old != nullptr && IsWindow(old)) SendMessage(old, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(child));
    if (child != nullptr) SendMessage(child, WM_NCACTIVATE, frameActive, reinterpret_cast<LPARAM>(old));
    if (child != nullptr) {
        SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RedrawWindow(child, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    if (old != nullptr && IsWindow(old)) {
        SendMessage(old, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
        RedrawWindow(old, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
    if (child != nullptr) {
        SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
        // The child hears that it is the active one among its siblings.
        if (IsWindow(child)) SendMessage(child, WM_CHILDACTIVATE, 0, 0);
    }
}

// ---- The client's scroll bars: shown while a child lies partly outside the client area; they move the
// children over it.

struct TMdiScroll {
    int dragBar = -1;            // the bar whose thumb is dragged (SB_HORZ or SB_VERT), -1 for none
    int grip = 0;                // where the thumb was taken, from its start
    std::uint64_t placedAt = 0;  // the windows' placing version the bars were last fitted at
};

std::unordered_map<HWND, TMdiScroll>& MdiScrolls() {
    static std::unordered_map<HWND, TMdiScroll> m;
    return m;
}

// What the bars scroll over, in client coordinates: the client area with every child shown. A maximised child
// fills the client area: nothing is scrolled then.
RECT MdiExtent(HWND client) {
    RECT area;
    GetClientRect(client, &area);
    RECT all = area;
    for (HWND h : MdiChildren(client)) {
        if (IsZoomed(h)) return area;
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
        all = RECT{std::min(all.left, r.left), std::min(all.top, r.top), std::max(all.right, r.right),
                   std::max(all.bottom, r.bottom)};
    }
    return all;
}

TFrameBarRange MdiBarRange(HWND client, int bar) {
    RECT area;
    GetClientRect(client, &area);
    const RECT all = MdiExtent(client);
    if (bar == SB_HORZ)
        return {static_cast<int>(all.Width()), static_cast<int>(area.right), static_cast<int>(-all.left)};
    return {static_cast<int>(all.Height()), static_cast<int>(area.bottom), static_cast<int>(-all.top)};
}

void MdiPaintBars(HWND client) {
    for (int bar : {SB_HORZ, SB_VERT}) {
        TFrameBarGeometry g;
        if (!FrameBarGeometry(client, bar, MdiBarRange(client, bar), g)) continue;
        HDC dc = GetWindowDC(client);
        PaintFrameBar(dc, bar, g);
        ReleaseDC(client, dc);
    }
}

void MdiCalcScroll(HWND client) {
    // A bar that takes room may call for the other one: a second pass sees it.
    for (int pass = 0; pass < 3; ++pass) {
        RECT area;
        GetClientRect(client, &area);
        const RECT all = MdiExtent(client);
        const LONG_PTR style = GetWindowLongPtr(client, GWL_STYLE);
        LONG_PTR want = style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL);
        if (all.left < area.left || all.right > area.right) want |= WS_HSCROLL;
        if (all.top < area.top || all.bottom > area.bottom) want |= WS_VSCROLL;
        if (want == style) break;
        SetWindowLongPtr(client, GWL_STYLE, want);
        SetWindowPos(client, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The thumbs follow the children.
    if (GetWindowLongPtr(client, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) MdiPaintBars(client);
}

// Scrolls a bar to a position: every child moves by the difference.
void MdiScrollTo(HWND client, int bar, int pos) {
    const TFrameBarRange range = MdiBarRange(client, bar);
    const int delta = range.pos - std::clamp(pos, 0, range.MaxPos());
    if (delta == 0) return;
    for (HWND h = GetWindow(client, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(h, nullptr, r.left + (bar == SB_HORZ ? delta : 0), r.top + (bar == SB_VERT ? delta : 0), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    MdiCalcScroll(client);
}

void MdiScrollRequest(HWND client, int bar, WORD request, int thumb) {
    const TFrameBarRange range = MdiBarRange(client, bar);
    const int line = GetSystemMetrics(SM_CYCAPTION);
    switch (request) {
        case SB_LINEUP: MdiScrollTo(client, bar, range.pos - line); break;
        case SB_LINEDOWN: MdiScrollTo(client, bar, range.pos + line); break;
        case SB_PAGEUP: MdiScrollTo(client, bar, range.pos - range.page); break;
        case SB_PAGEDOWN: MdiScrollTo(client, bar, range.pos + range.page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: MdiScrollTo(client, bar, thumb); break;
        default: break;
    }
}

// A press on a bar: an arrow or the track scrolls at once, the thumb is taken for a drag.
void MdiBarPress(HWND client, int bar, POINT screen) {
    TFrameBarGeometry g;
    const TFrameBarRange range = MdiBarRange(client, bar);
    if (!FrameBarGeometry(client, bar, range, g)) return;
    const int at = FrameBarPlace(client, bar, screen);
    const WORD request = FrameBarPress(g, at);
    if (request != SB_THUMBTRACK) {
        SendMessage(client, bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, request, 0);
        return;
    }
    TMdiScroll& state = MdiScrolls()[client];
    state.dragBar = bar;
    state.grip = at - g.thumbLo;
    SetCapture(client);
}

// The static text window: its text on the button face; the mouse passes through it.
LRESULT StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_NCHITTEST: return HTTRANSPARENT;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT r;
            GetClientRect(hwnd, &r);
            FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
            const int length = GetWindowTextLength(hwnd);
            if (length > 0) {
                std::string text(static_cast<std::size_t>(length) + 1, '\0');
                GetWindowText(hwnd, text.data(), length + 1);
                text.resize(static_cast<std::size_t>(length));
                SetBkMode(dc, TRANSPARENT);
                DrawText(dc, text, -1, &r, DT_LEFT | DT_WORDBREAK);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        default: return DefWindowProc(hwnd, msg, wp, lp);
    }
}

LRESULT MdiClientProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_NCDESTROY:
            MdiActive().erase(hwnd);
            MdiScrolls().erase(hwnd);
            return DefWindowProc(hwnd, msg, wp, lp);
        case WM_NCPAINT:
            DefWindowProc(hwnd, msg, wp, lp);
            MdiPaintBars(hwnd);
            return 0;
        case WM_MDICALCCHILDSCROLL:
            // Each child placed posts one: when nothing was placed since the last fitting, the bars stand.
            if (MdiScrolls()[hwnd].placedAt != WindowPlacingVersion()) {
                MdiCalcScroll(hwnd);
                MdiScrolls()[hwnd].placedAt = WindowPlacingVersion();
            }
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            MdiScrollRequest(hwnd, msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wp), static_cast<SHORT>(HIWORD(wp)));
            return 0;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            if (wp == static_cast<WPARAM>(HTHSCROLL) || wp == static_cast<WPARAM>(HTVSCROLL)) {
                MdiBarPress(hwnd, wp == static_cast<WPARAM>(HTHSCROLL) ? SB_HORZ : SB_VERT,
                            POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
                return 0;
            }
            return DefWindowProc(hwnd, msg, wp, lp);
        case WM_MOUSEMOVE: {
            TMdiScroll& state = MdiScrolls()[hwnd];
            if (state.dragBar < 0) return DefWindowProc(hwnd, msg, wp, lp);
            POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            ClientToScreen(hwnd, &p);
            TFrameBarGeometry g;
            const TFrameBarRange range = MdiBarRange(hwnd, state.dragBar);
            if (FrameBarGeometry(hwnd, state.dragBar, range, g)) {
                const int pos = FrameBarThumbPosition(g, range, FrameBarPlace(hwnd, state.dragBar, p), state.grip);
                if (pos >= 0) MdiScrollTo(hwnd, state.dragBar, pos);
            }
            return 0;
        }
        case WM_LBUTTONUP:
            if (MdiScrolls()[hwnd].dragBar >= 0 && GetCapture() == hwnd) ReleaseCapture();
            return DefWindowProc(hwnd, msg, wp, lp);
        case WM_CAPTURECHANGED: MdiScrolls()[hwnd].dragBar = -1; return DefWindowProc(hwnd, msg, wp, lp);
        case WM_ERASEBKGND: {
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(reinterpret_cast<HDC>(wp), &rc, GetSysColorBrush(COLOR_APPWORKSPACE));
            return 1;
        }
        case WM_MDIACTIVATE: MdiActivate(hwnd, reinterpret_cast<HWND>(wp)); return 0;
        case WM_MDIGETACTIVE: {
            HWND& active = MdiActive()[hwnd];
            if (active != nullptr && (!IsWindow(active) || !IsWindowVisible(active))) {
                // The active child went: the top one left becomes the active child and is told so.
                active = nullptr;
                if (HWND top = MdiTopChild(hwnd)) MdiActivate(hwnd, top);
            }
            if (lp) *reinterpret_cast<BOOL*>(lp) = active != nullptr && IsZoomed(active);
            return reinterpret_cast<LRESULT>(active);
        }
        case WM_MDINEXT: {
            auto kids = MdiChildren(hwnd);
            if (kids.size() < 2) return 0;
            HWND from = wp ? reinterpret_cast<HWND>(wp) : MdiActive()[hwnd];
            auto pos = std::find(kids.begin(), kids.end(), from);
            std::size_t i = pos == kids.end() ? 0 : static_cast<std::size_t>(pos - kids.begin());
            // The next window is the bottom one (it comes to the top); the previous the second from top.
            HWND target = lp ? kids[(i + 1) % kids.size()] : kids.back();
            MdiActivate(hwnd, target);
            return 0;
        }
        case WM_MDICASCADE:
        case WM_MDITILE: {
            // The windows are laid over the area above the rows of minimised ones.
            RECT area;
            GetClientRect(hwnd, &area);
            area.bottom = std::max(area.top, area.bottom - static_cast<LONG>(ArrangeIconicWindows(hwnd)));
            if (msg == WM_MDICASCADE) CascadeWindows(hwnd, static_cast<UINT>(wp), &area, 0, nullptr);
            else TileWindows(hwnd, static_cast<UINT>(wp), &area, 0, nullptr);
            return 0;
        }
        case WM_MDIICONARRANGE: ArrangeIconicWindows(hwnd); return 0;
        case WM_SIZE:
            // The minimised windows stay in the bottom rows; the bars follow the new size.
            ArrangeIconicWindows(hwnd);
            PostMessage(hwnd, WM_MDICALCCHILDSCROLL, 0, 0);
            return DefWindowProc(hwnd, msg, wp, lp);
        case WM_MDIDESTROY: DestroyWindow(reinterpret_cast<HWND>(wp)); return 0;
        case WM_MDIMAXIMIZE: ShowWindow(reinterpret_cast<HWND>(wp), SW_MAXIMIZE); return 0;
        case WM_MDIRESTORE: ShowWindow(reinterpret_cast<HWND>(wp), SW_RESTORE); return 0;
        default: return DefWindowProc(hwnd, msg, wp, lp);
    }
}

}  // namespace

void RegisterStandardClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASS wc;
    wc.style = CS_DBLCLKS;
    wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
    wc.lpfnWndProc = EditProc;
    wc.lpszClassName = "EDIT";
    RegisterClass(&wc);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpfnWndProc = ListProc;
    wc.lpszClassName = "LISTBOX";
    RegisterClass(&wc);
    wc.style = 0;
    wc.lpfnWndProc = MdiClientProc;
    wc.lpszClassName = "MDICLIENT";
    RegisterClass(&wc);
    wc.lpfnWndProc = StaticProc;
    wc.lpszClassName = "STATIC";
    RegisterClass(&wc);
}

}  // namespace zel
