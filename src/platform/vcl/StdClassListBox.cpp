// The LISTBOX window class: single or multi-select, owner-drawn with fixed or variable item heights, with its
// bars inside its client area. It keeps its state per window and answers the Win32 messages of the class.
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
    // A step sideways is an average character.
    const int line = bar == SB_HORZ ? AverageCharWidth(hwnd, st.font) : 1;
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

// The LISTBOX's window procedure, by message group. Each group answers the messages it knows and leaves the
// others (nullopt) to the next; what no group answers goes to DefWindowProc.
using TListAnswer = std::optional<LRESULT>;

// Painting, the font, the focus, the size and scrolling.
TListAnswer ListViewMessage(HWND hwnd, TListState& st, UINT msg, WPARAM wp, LPARAM lp) {
    const int count = static_cast<int>(st.items.size());
    const int index = static_cast<int>(static_cast<std::intptr_t>(wp));
    switch (msg) {
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
        default: return std::nullopt;
    }
}

// Selecting with the mouse, and the wheel.
TListAnswer ListMouseMessage(HWND hwnd, TListState& st, UINT msg, WPARAM wp, LPARAM lp) {
    const int count = static_cast<int>(st.items.size());
    switch (msg) {
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
        default: return std::nullopt;
    }
}

// Moving the selection with the keys.
TListAnswer ListKeyMessage(HWND hwnd, TListState& st, UINT msg, WPARAM wp, LPARAM lp) {
    const int count = static_cast<int>(st.items.size());
    switch (msg) {
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
        default: return std::nullopt;
    }
}

// The items: adding, removing, their texts and data, finding them.
TListAnswer ListItemMessage(HWND hwnd, TListState& st, UINT msg, WPARAM wp, LPARAM lp) {
    const int count = static_cast<int>(st.items.size());
    const int index = static_cast<int>(static_cast<std::intptr_t>(wp));
    switch (msg) {
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
        case LB_FINDSTRING:
        case LB_FINDSTRINGEXACT:
            return ListFind(st, index, reinterpret_cast<const char*>(lp), msg == LB_FINDSTRINGEXACT);
        default: return std::nullopt;
    }
}

// The selection and the caret.
TListAnswer ListSelectionMessage(HWND hwnd, TListState& st, UINT msg, WPARAM wp, LPARAM lp) {
    const int count = static_cast<int>(st.items.size());
    const int index = static_cast<int>(static_cast<std::intptr_t>(wp));
    switch (msg) {
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
        case LB_SELECTSTRING: {
            int i = ListFind(st, index, reinterpret_cast<const char*>(lp), false);
            if (i >= 0) ListSelect(hwnd, st, i, false);
            return i;
        }
        default: return std::nullopt;
    }
}

}  // namespace

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
    if (msg == WM_NCDESTROY) {
        Lists().erase(it);
        return DefWindowProc(hwnd, msg, wp, lp);
    }
    TListState& st = it->second;
    for (auto group : {ListViewMessage, ListMouseMessage, ListKeyMessage, ListItemMessage, ListSelectionMessage})
        if (const TListAnswer answer = group(hwnd, st, msg, wp, lp)) return *answer;
    return DefWindowProc(hwnd, msg, wp, lp);
}

}  // namespace zel::stdclass
