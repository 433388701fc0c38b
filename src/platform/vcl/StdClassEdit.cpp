// The EDIT window class: a single-line edit, or a multi-line one laid out in a formatting rectangle. It keeps
// its state per window and answers the Win32 messages of the class.
#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/StdClassesPrivate.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Clipboard.h"
#include "platform/win/FrameScrollBar.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"

namespace zel::stdclass {

namespace {

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
    // A step sideways is an average character.
    const int line = bar == SB_HORZ ? AverageCharWidth(hwnd, st.font) : 1;
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

}  // namespace

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

}  // namespace zel::stdclass
