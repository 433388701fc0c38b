// The window classes the layer draws itself, and their registration: EDIT, LISTBOX and MDICLIENT each have a
// file of their own (StdClassEdit.cpp, StdClassListBox.cpp, StdClassMdiClient.cpp); STATIC is here, with the
// helpers they share.
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

namespace zel {

namespace stdclass {

void Notify(HWND hwnd, WORD code) {
    HWND parent = GetParent(hwnd);
    if (parent == nullptr) return;
    WORD id = static_cast<WORD>(GetWindowLong(hwnd, GWL_ID));
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hwnd));
}

int TextWidthOf(HDC dc, std::string_view s) {
    SIZE sz;
    GetTextExtentPoint32(dc, s, static_cast<int>(s.size()), &sz);
    return sz.cx;
}

int AverageCharWidth(HWND hwnd, HFONT font) {
    TFontDC fdc(hwnd, font);
    TEXTMETRIC tm;
    GetTextMetrics(fdc.dc, &tm);
    return std::max<int>(1, tm.tmAveCharWidth);
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

}  // namespace stdclass

namespace {

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

}  // namespace

void RegisterStandardClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASS wc;
    wc.style = CS_DBLCLKS;
    wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
    wc.lpfnWndProc = stdclass::EditProc;
    wc.lpszClassName = "EDIT";
    RegisterClass(&wc);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpfnWndProc = stdclass::ListProc;
    wc.lpszClassName = "LISTBOX";
    RegisterClass(&wc);
    wc.style = 0;
    wc.lpfnWndProc = stdclass::MdiClientProc;
    wc.lpszClassName = "MDICLIENT";
    RegisterClass(&wc);
    wc.lpfnWndProc = StaticProc;
    wc.lpszClassName = "STATIC";
    RegisterClass(&wc);
}

}  // namespace zel
