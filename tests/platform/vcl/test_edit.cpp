// The EDIT window class on long texts: where a click puts the caret, how a text far wider than the window
// looks once scrolled, and the line messages of a multi-line edit after every kind of change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/vcl/StdCtrls.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

std::string Sample(std::size_t n) {
    static const char pattern[] = "F0 41 10 6A Wim iiWW ";
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += pattern[i % (sizeof(pattern) - 1)];
    return s;
}

// A memory DC with a bitmap of the given size to paint on.
struct TPaintImage {
    TPaintImage(int W, int H) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bits = CreateCompatibleBitmap(screen, W, H);
        ReleaseDC(nullptr, screen);
        SelectObject(dc, bits);
    }
    ~TPaintImage() {
        DeleteDC(dc);
        DeleteObject(bits);
    }
    TPaintImage(const TPaintImage&) = delete;
    TPaintImage& operator=(const TPaintImage&) = delete;
    HDC dc = nullptr;
    HBITMAP bits = nullptr;
};

int DifferingPixels(HDC A, HDC B, const RECT& R) {
    int differ = 0;
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x)
            if (GetPixel(A, x, y) != GetPixel(B, x, y)) ++differ;
    return differ;
}

class EditWindow : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        RegisterStandardClasses();
        form = Keep(Construct<TForm>(nullptr));
        form->SetBounds(0, 0, 320, 200);
        form->Show();
    }
    void TearDown() override {
        for (HWND h : windows_) DestroyWindow(h);
        if (font_ != nullptr) DeleteObject(font_);
        VclTest::TearDown();
    }
    // An edit window of the given style and client size, with an italic font whose glyphs reach past
    // their cells.
    HWND MakeEdit(DWORD style, int width, int height, const std::string& text) {
        HWND h = CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | style, 10, 10, width, height, form->GetHandle(),
                                nullptr, nullptr, nullptr);
        if (font_ == nullptr) font_ = CreateFont(-22, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, 0, 0, 0, 0, 0, "Arial");
        EXPECT_NE(h, nullptr);
        SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
        SetWindowText(h, text.c_str());
        windows_.push_back(h);
        return h;
    }
    // The width of each beginning of text in the edit's font, each measured on its own.
    std::vector<int> Widths(const std::string& text) {
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, font_);
        std::vector<int> w;
        for (std::size_t i = 0; i <= text.size(); ++i) {
            SIZE sz;
            GetTextExtentPoint32(dc, text, static_cast<int>(i), &sz);
            w.push_back(sz.cx);
        }
        DeleteDC(dc);
        return w;
    }
    TForm* form = nullptr;

private:
    std::vector<HWND> windows_;
    HFONT font_ = nullptr;
};

TEST_F(EditWindow, AClickPutsTheCaretAtTheNearestPlaceBetweenCharacters) {
    const int left = 2, right = 2;  // the default margins
    struct Row {
        const char* name;
        DWORD style;
        std::string text;
        int caret;         // placed first, which scrolls the window
        std::size_t line;  // the line clicked, of a multi-line edit
    };
    const std::string lines = Sample(40) + "\r\n" + Sample(300) + "\r\nend";
    const Row rows[] = {
        {"a short text", 0, "iWiW Wim", 0, 0},
        {"a long text scrolled to its end", 0, Sample(300), 300, 0},
        {"a long line of a multi-line edit", ES_MULTILINE, lines, 0, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        HWND h = MakeEdit(r.style, 200, 60, r.text);
        SendMessage(h, EM_SETSEL, static_cast<WPARAM>(r.caret), r.caret);
        RECT rc;
        GetClientRect(h, &rc);
        std::size_t start = 0;
        std::string shown = r.text;
        if (r.style & ES_MULTILINE) {
            start = r.text.find("\r\n") + 2;
            shown = r.text.substr(start, 300);
        }
        const std::vector<int> w = Widths(shown);
        // Where the text starts: at the left margin, or scrolled so that its end meets the right margin.
        const int x0 = r.caret == 0 ? left : static_cast<int>(rc.right) - right - w.back();
        const int y = (r.style & ES_MULTILINE) ? 30 : 10;
        for (int x = -3; x < rc.right + 3; ++x) {
            std::size_t want = 0;
            for (std::size_t i = 1; i < w.size(); ++i)
                if (std::abs(x0 + w[i] - x) < std::abs(x0 + w[want] - x)) want = i;
            SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
            SendMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
            DWORD a = 0, b = 0;
            SendMessage(h, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
            ASSERT_EQ(a, start + want) << "click at " << x;
            ASSERT_EQ(b, a);
        }
    }
}

TEST_F(EditWindow, ALongTextScrolledLooksAsTheWholeTextDrawnInPlace) {
    const int left = 2, right = 2;  // the default margins
    struct Row {
        const char* name;
        DWORD style;
        std::size_t length;
        std::size_t caret;  // placed last, after the end
    };
    const Row rows[] = {
        {"scrolled to the end", 0, 3000, 3000},
        {"scrolled back to the middle", 0, 3000, 1500},
        {"a long line of a multi-line edit", ES_MULTILINE, 3000, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const std::string text = Sample(r.length);
        HWND h = MakeEdit(r.style, 200, 40, text);
        SendMessage(h, EM_SETSEL, static_cast<WPARAM>(r.length), static_cast<LPARAM>(r.length));
        SendMessage(h, EM_SETSEL, static_cast<WPARAM>(r.caret), static_cast<LPARAM>(r.caret));
        RECT rc;
        GetClientRect(h, &rc);
        const std::vector<int> w = Widths(text);
        // Unfocused, the window shows neither caret nor selection: only the text, placed as scrolling
        // leaves it.
        int x0 = left;
        if (r.caret == r.length) x0 = static_cast<int>(rc.right) - right - w.back();
        else if (r.caret > 0) x0 = left - w[r.caret];

        TPaintImage gotImage(rc.right, rc.bottom), wantImage(rc.right, rc.bottom);
        HDC got = gotImage.dc, want = wantImage.dc;
        SendMessage(h, WM_PAINT, reinterpret_cast<WPARAM>(got), 0);

        FillRect(want, &rc, GetSysColorBrush(COLOR_WINDOW));
        HFONT font = reinterpret_cast<HFONT>(SendMessage(h, WM_GETFONT, 0, 0));
        SelectObject(want, font);
        TEXTMETRIC tm;
        GetTextMetrics(want, &tm);
        SetBkMode(want, TRANSPARENT);
        SetTextColor(want, GetSysColor(COLOR_WINDOWTEXT));
        const int y = (r.style & ES_MULTILINE) ? 1 : std::max(1, (static_cast<int>(rc.bottom) - tm.tmHeight) / 2);
        TextOut(want, x0, y, text, static_cast<int>(text.size()));

        EXPECT_EQ(DifferingPixels(got, want, rc), 0);
    }
}

// A multi-line edit lays its text out in the formatting rectangle: drawn from its top-left and clipped to it,
// clicks measured from its left, the caret kept within its width. A single-line edit has no such rectangle.
TEST_F(EditWindow, AMultiLineEditLaysItsTextOutInTheFormattingRectangle) {
    const std::string text = "iWiW Wim 0123";
    HWND h = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 120, 40, text);
    RECT rc;
    GetClientRect(h, &rc);
    RECT fr = rc;
    InflateRect(&fr, -9, -7);
    SendMessage(h, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&fr));
    RECT got{};
    SendMessage(h, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_TRUE(EqualRect(&got, &fr));

    // Painted: the text at the rectangle's top-left, clipped to it.
    TPaintImage image(rc.right, rc.bottom), wantImage(rc.right, rc.bottom);
    HDC dc = image.dc, want = wantImage.dc;
    SendMessage(h, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    FillRect(want, &rc, GetSysColorBrush(COLOR_WINDOW));
    SelectObject(want, reinterpret_cast<HFONT>(SendMessage(h, WM_GETFONT, 0, 0)));
    const int saved = SaveDC(want);
    IntersectClipRect(want, fr.left, fr.top, fr.right, fr.bottom);
    SetBkMode(want, TRANSPARENT);
    SetTextColor(want, GetSysColor(COLOR_WINDOWTEXT));
    TextOut(want, fr.left, fr.top, text, static_cast<int>(text.size()));
    RestoreDC(want, saved);
    EXPECT_EQ(DifferingPixels(dc, want, rc), 0);

    // A click measured from the rectangle's left edge.
    const std::vector<int> w = Widths(text);
    const int x = fr.left + w[5] + 1;
    SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(fr.top + 2)));
    SendMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(fr.top + 2)));
    DWORD a = 0, b = 0;
    SendMessage(h, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(a, 5u);

    // Typing past the rectangle's width scrolls the line: the caret stays in the rectangle's last column.
    SendMessage(h, EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
    for (int i = 0; i < 20; ++i) SendMessage(h, WM_CHAR, 'W', 0);
    SetFocus(h);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    SendMessage(h, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    TEXTMETRIC tm;
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(h, WM_GETFONT, 0, 0)));
    GetTextMetrics(dc, &tm);
    const int caretBottom = std::min(static_cast<int>(fr.top + tm.tmHeight), static_cast<int>(fr.bottom));
    int caretPixels = 0;
    for (int py = fr.top; py < caretBottom; ++py)
        caretPixels += GetPixel(dc, fr.right - 1, py) == GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(caretPixels, caretBottom - fr.top) << "the caret stands in the rectangle's last column";

    // No rectangle: the default one again.
    SendMessage(h, EM_SETRECT, 0, 0);
    SendMessage(h, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got.left, 2);
    EXPECT_EQ(got.right, rc.right - 2);

    // A single-line edit keeps laying out its text in the whole window.
    HWND single = MakeEdit(0, 120, 40, text);
    SendMessage(single, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&fr));
    SendMessage(single, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got.left, 2);
}

// Before painting, an edit asks its parent for its colours: the brush and text colour of the answer are used.
TEST_F(EditWindow, TheParentsColoursAndBrushPaintTheEdit) {
    const COLORREF back = RGB(250, 40, 40), fore = RGB(0, 0, 255);
    HBRUSH brush = CreateSolidBrush(back);
    std::vector<UINT> asked;
    TWndMethod old = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_CTLCOLOREDIT || m.Msg == WM_CTLCOLORSTATIC) {
            asked.push_back(m.Msg);
            SetTextColor(reinterpret_cast<HDC>(m.WParam), fore);
            m.Result = reinterpret_cast<LRESULT>(brush);
            return;
        }
        old(m);
    };
    struct Row {
        const char* name;
        DWORD style;
        bool enabled;
        UINT message;
    };
    const Row rows[] = {
        {"single-line", 0, true, WM_CTLCOLOREDIT},
        {"multi-line", ES_MULTILINE, true, WM_CTLCOLOREDIT},
        {"disabled", 0, false, WM_CTLCOLORSTATIC},
        {"read-only", ES_READONLY, true, WM_CTLCOLORSTATIC},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        asked.clear();
        HWND h = MakeEdit(r.style, 120, 40, "WWWWWWWW");
        EnableWindow(h, r.enabled);
        RECT rc;
        GetClientRect(h, &rc);
        TPaintImage image(rc.right, rc.bottom);
        HDC dc = image.dc;
        SendMessage(h, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0], r.message);
        EXPECT_EQ(GetPixel(dc, rc.right - 2, rc.bottom - 2), back);
        int foreground = 0, gray = 0;
        for (int py = 0; py < rc.bottom; ++py)
            for (int px = 0; px < rc.right; ++px) {
                const COLORREF c = GetPixel(dc, px, py);
                foreground += c == fore;
                gray += c == GetSysColor(COLOR_GRAYTEXT);
            }
        // Disabled text stays grey whatever the parent sets.
        EXPECT_GT(r.enabled ? foreground : gray, 0);
        EXPECT_EQ(r.enabled ? gray : foreground, 0);
    }
    form->WindowProc = old;
    DeleteObject(brush);
}

// A single line sits in the middle of its edit, one pixel down at least; an edit no taller than its line
// shows the line from its top, so that the underscores at the bottom of the line are not cut off.
TEST_F(EditWindow, ASingleLineFitsAnEditAsTallAsTheLine) {
    const std::string text = "__ Wg __";
    HWND probe = MakeEdit(ES_LEFT, 200, 60, text);
    TEXTMETRIC tm{};
    {
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(probe, WM_GETFONT, 0, 0)));
        GetTextMetrics(dc, &tm);
        DeleteDC(dc);
    }
    const int line = static_cast<int>(tm.tmHeight);
    // The first and the last row with ink, of an edit painted on its own.
    auto inkRows = [](HWND h) {
        RECT rc;
        GetClientRect(h, &rc);
        TPaintImage image(rc.right, rc.bottom);
        SendMessage(h, WM_PAINT, reinterpret_cast<WPARAM>(image.dc), 0);
        const COLORREF back = GetSysColor(COLOR_WINDOW);
        int first = -1, last = -1;
        for (int y = 0; y < rc.bottom; ++y)
            for (int x = 0; x < rc.right; ++x)
                if (GetPixel(image.dc, x, y) != back) {
                    if (first < 0) first = y;
                    last = y;
                    break;
                }
        return std::pair{first, last};
    };
    const int top = static_cast<int>(static_cast<SHORT>(HIWORD(SendMessage(probe, EM_POSFROMCHAR, 0, 0))));
    ASSERT_EQ(top, (60 - line) / 2);
    const auto [inkFirst, inkLast] = inkRows(probe);
    ASSERT_GE(inkFirst, top);
    ASSERT_LT(inkLast, top + line);
    struct Row {
        const char* name;
        int height;
        int top;  // of the line
    } rows[] = {{"as tall as the line", line, 0},
                {"one pixel taller", line + 1, 1},
                {"two pixels taller", line + 2, 1},
                {"three pixels shorter", line - 3, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        HWND h = MakeEdit(ES_LEFT, 200, r.height, text);
        EXPECT_EQ(static_cast<SHORT>(HIWORD(SendMessage(h, EM_POSFROMCHAR, 2, 0))), r.top);
        const auto [first, last] = inkRows(h);
        EXPECT_EQ(first, inkFirst - top + r.top);
        EXPECT_EQ(last, std::min(inkLast - top + r.top, r.height - 1));
    }
}

// Each alignment places the text where its clicks, EM_CHARFROMPOS and EM_POSFROMCHAR find it; a text wider
// than the window scrolls as a left-aligned one does.
TEST_F(EditWindow, EachAlignmentDrawsTheTextWhereItsPositionsSayItIs) {
    const std::string text = "Wim 6A";
    struct Row {
        const char* name;
        DWORD style;
        int halves;  // of the room the text leaves, left of it: 0, 1 or 2
    };
    const Row rows[] = {{"left", ES_LEFT, 0}, {"centred", ES_CENTER, 1}, {"right", ES_RIGHT, 2}};
    std::vector<HWND> shown;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        HWND h = MakeEdit(r.style | WS_BORDER, 200, 40, text);
        SetWindowPos(h, nullptr, 10, 10 + 50 * static_cast<int>(shown.size()), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        shown.push_back(h);
        const std::vector<int> w = Widths(text);
        // Within the default margins of 2 and a client width of 198.
        const int start = 2 + (198 - 4 - w.back()) * r.halves / 2;
        RECT rc;
        GetClientRect(h, &rc);
        ASSERT_EQ(rc.right, 198);
        const LRESULT first = SendMessage(h, EM_POSFROMCHAR, 0, 0);
        EXPECT_EQ(static_cast<SHORT>(LOWORD(first)), start);
        EXPECT_EQ(static_cast<SHORT>(LOWORD(SendMessage(h, EM_POSFROMCHAR, text.size(), 0))), start + w.back());
        EXPECT_EQ(SendMessage(h, EM_POSFROMCHAR, text.size() + 1, 0), -1) << "beyond the text";
        const SHORT y = static_cast<SHORT>(HIWORD(first));
        // Both ends, the middle of the second character, and beyond both ends.
        const std::pair<int, int> points[] = {{start, 0},
                                              {start + w.back(), static_cast<int>(text.size())},
                                              {start + (w[1] + w[2]) / 2 + 1, 2},
                                              {0, 0},
                                              {-50, 0},
                                              {197, static_cast<int>(text.size())},
                                              {1000, static_cast<int>(text.size())}};
        for (auto [x, at] : points) {
            const LRESULT found = SendMessage(h, EM_CHARFROMPOS, 0, MAKELPARAM(static_cast<WORD>(x), y));
            EXPECT_EQ(LOWORD(found), at) << "x " << x;
            EXPECT_EQ(HIWORD(found), 0) << "x " << x;
        }
        // The text is painted from there: no ink left of it or right of its end.
        TPaintImage image(rc.right, rc.bottom);
        SendMessage(h, WM_PAINT, reinterpret_cast<WPARAM>(image.dc), 0);
        const COLORREF back = GetPixel(image.dc, 0, 0);
        int inkFrom = rc.right, inkTo = -1;
        for (int py = 0; py < rc.bottom; ++py)
            for (int px = 0; px < rc.right; ++px)
                if (GetPixel(image.dc, px, py) != back) {
                    inkFrom = std::min(inkFrom, px);
                    inkTo = std::max(inkTo, px);
                }
        EXPECT_GE(inkFrom, start - 1);
        EXPECT_LE(inkFrom, start + 4);
        EXPECT_LE(inkTo, start + w.back() + 3);  // the italic glyphs reach a little past their cells
        EXPECT_GE(inkTo, start + w.back() - 6);
        // A click through the input queue puts the caret at the character under it.
        POINT click{start + w[3], y + 3};
        ClientToScreen(h, &click);
        SetCursorPos(click.x, click.y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
        DWORD a = 0, b = 0;
        SendMessage(h, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
        EXPECT_EQ(a, 3u);
        EXPECT_EQ(b, 3u);
    }
    SetFocus(nullptr);
    ProcessPendingMessages();
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("edit-alignments")));
    // Wider than the window, a right-aligned text starts at the left margin and scrolls to its caret.
    HWND wide = shown.back();
    const std::string longText = Sample(60);
    SetWindowText(wide, longText.c_str());
    EXPECT_EQ(static_cast<SHORT>(LOWORD(SendMessage(wide, EM_POSFROMCHAR, 0, 0))), 2);
}

// A multi-line edit aligns each line on its own within the formatting rectangle.
TEST_F(EditWindow, AMultiLineEditAlignsEachLine) {
    const std::string first = "Wim", second = "6A 10 41";
    HWND h = MakeEdit(ES_MULTILINE | ES_RIGHT, 200, 80, first + "\r\n" + second);
    RECT fr;
    SendMessage(h, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&fr));
    const int w1 = Widths(first).back(), w2 = Widths(second).back();
    const LRESULT p1 = SendMessage(h, EM_POSFROMCHAR, 0, 0), p2 = SendMessage(h, EM_POSFROMCHAR, 5, 0);
    EXPECT_EQ(static_cast<SHORT>(LOWORD(p1)), fr.right - w1);
    EXPECT_EQ(static_cast<SHORT>(LOWORD(p2)), fr.right - w2);
    EXPECT_GT(HIWORD(p2), HIWORD(p1));
    // The end of each line, and a point left of the second, found again.
    const LRESULT end1 = SendMessage(h, EM_CHARFROMPOS, 0, MAKELPARAM(static_cast<WORD>(fr.right), HIWORD(p1) + 2));
    EXPECT_EQ(LOWORD(end1), 3);
    EXPECT_EQ(HIWORD(end1), 0);
    const LRESULT left2 = SendMessage(h, EM_CHARFROMPOS, 0, MAKELPARAM(0, HIWORD(p2) + 2));
    EXPECT_EQ(LOWORD(left2), 5);
    EXPECT_EQ(HIWORD(left2), 1);
}

// The line messages of a multi-line edit answer from a table of line starts that each change updates in
// place. After every change they must agree with the text read back and split anew: a line ends at a line
// feed, a carriage return just before it belongs to no line, and a CR alone breaks nothing.
TEST_F(EditWindow, TheLineMessagesAgreeWithTheTextAfterEveryChange) {
    HWND h = MakeEdit(ES_MULTILINE, 200, 60, "");
    auto check = [&](const std::string& step) {
        SCOPED_TRACE(step);
        std::string text(static_cast<std::size_t>(GetWindowTextLength(h)) + 1, '\0');
        text.resize(static_cast<std::size_t>(GetWindowText(h, text.data(), static_cast<int>(text.size()))));
        std::vector<std::pair<int, std::string>> lines;  // start and text of each line
        int start = 0;
        for (std::size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', lf + 1)) {
            const std::size_t end = lf > static_cast<std::size_t>(start) && text[lf - 1] == '\r' ? lf - 1 : lf;
            lines.emplace_back(start, text.substr(static_cast<std::size_t>(start), end - start));
            start = static_cast<int>(lf) + 1;
        }
        lines.emplace_back(start, text.substr(static_cast<std::size_t>(start)));
        ASSERT_EQ(SendMessage(h, EM_GETLINECOUNT, 0, 0), static_cast<LRESULT>(lines.size()));
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const auto& [first, line] = lines[i];
            ASSERT_EQ(SendMessage(h, EM_LINEINDEX, i, 0), first) << "line " << i;
            ASSERT_EQ(SendMessage(h, EM_LINELENGTH, static_cast<WPARAM>(first), 0), static_cast<LRESULT>(line.size()));
            std::string got(line.size() + 2, '\0');
            const WORD room = static_cast<WORD>(line.size());
            std::copy_n(reinterpret_cast<const char*>(&room), sizeof room, got.data());
            got.resize(static_cast<std::size_t>(SendMessage(h, EM_GETLINE, i, reinterpret_cast<LPARAM>(got.data()))));
            ASSERT_EQ(got, line) << "line " << i;
            const int next = i + 1 < lines.size() ? lines[i + 1].first : static_cast<int>(text.size()) + 1;
            for (int pos = first; pos < next; ++pos)
                ASSERT_EQ(SendMessage(h, EM_LINEFROMCHAR, static_cast<WPARAM>(pos), 0), static_cast<LRESULT>(i));
        }
        EXPECT_EQ(SendMessage(h, EM_LINEINDEX, lines.size(), 0), -1);
    };
    auto replace = [&](int a, int b, const std::string& insert) {
        SendMessage(h, EM_SETSEL, static_cast<WPARAM>(a), b);
        SendMessage(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(insert.c_str()));
    };
    struct Row {
        const char* name;
        int a, b;  // the characters replaced; -1: the whole text set
        const char* insert;
    };
    const Row rows[] = {
        {"a text set", -1, 0, "one\r\ntwo\r\nthree"},
        {"lines appended", 15, 15, "\r\nfour\r\n"},
        {"two lines joined", 3, 5, ""},
        {"the LF of a CR LF removed", 7, 8, ""},
        {"a CR alone", 0, 0, "\r"},
        {"an LF after a lone CR", 1, 1, "\n"},
        {"lines inserted in the middle", 6, 6, "a\nb\r\n\r\nc"},
        {"several lines replaced by one", 2, 20, "x"},
        {"a text ending in a break", -1, 0, "last\r\n"},
        {"no text", -1, 0, ""},
    };
    for (const Row& r : rows) {
        if (r.a < 0) SetWindowText(h, r.insert);
        else replace(r.a, r.b, r.insert);
        check(r.name);
    }
    // Random changes anywhere, with breaks of every kind.
    std::mt19937 random(19);
    const char* pieces[] = {"a", "bc", "\r", "\n", "\r\n", "d\r\ne", "\n\n"};
    for (int step = 0; step < 300; ++step) {
        const int length = GetWindowTextLength(h);
        int a = std::uniform_int_distribution<int>(0, length)(random);
        int b = std::uniform_int_distribution<int>(0, length)(random);
        if (a > b) std::swap(a, b);
        if (step % 3 != 0) b = std::min(b, a + 3);  // mostly small changes, so that the text grows
        replace(a, b, pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)]);
        check("random change " + std::to_string(step));
    }
}

// The window scroll bars of a multi-line edit: a strip down the right side and one along the bottom, each
// with its arrows at the ends and a thumb between them standing for the part of the text in view.
class EditScrollBars : public EditWindow {
protected:
    static constexpr int kWidth = 200, kHeight = 150, kBar = 16;
    void SetUp() override {
        EditWindow::SetUp();
        h = MakeEdit(ES_MULTILINE | WS_VSCROLL | WS_HSCROLL, kWidth, kHeight, "");
        for (int i = 0; i < 100; ++i) {
            const std::string line = "line " + std::to_string(i) + (i == 7 ? std::string(60, 'W') : "") + "\r\n";
            SendMessage(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
        RECT client;
        GetClientRect(h, &client);
        visible = (client.bottom - 2) / LineHeight();
    }
    int LineHeight() {
        HDC dc = GetDC(h);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(h, WM_GETFONT, 0, 0)));
        TEXTMETRIC tm;
        GetTextMetrics(dc, &tm);
        ReleaseDC(h, dc);
        return tm.tmHeight;
    }
    int First() { return static_cast<int>(SendMessage(h, EM_GETFIRSTVISIBLELINE, 0, 0)); }
    // A point of the vertical strip in screen coordinates, at a distance from its top.
    POINT VerticalAt(int y) {
        RECT w;
        GetWindowRect(h, &w);
        return POINT{w.left + kWidth - kBar / 2, w.top + y};
    }
    POINT HorizontalAt(int x) {
        RECT w;
        GetWindowRect(h, &w);
        return POINT{w.left + x, w.top + kHeight - kBar / 2};
    }
    void PressAt(LRESULT hit, POINT p) { SendMessage(h, WM_NCLBUTTONDOWN, hit, MAKELPARAM(p.x, p.y)); }
    // Where the vertical thumb stands, from the top of the strip: from its light top edge to its dark bottom
    // edge within the track; -1 when none is drawn.
    std::pair<int, int> VerticalThumb() {
        UpdateWindow(h);
        HDC dc = GetWindowDC(h);
        int top = -1, bottom = -1;
        for (int y = kBar; y < kHeight - 2 * kBar; ++y) {
            const COLORREF c = GetPixel(dc, kWidth - kBar / 2, y);
            if (top < 0 && c == GetSysColor(COLOR_BTNHIGHLIGHT)) top = y - 1;
            if (c == GetSysColor(COLOR_3DDKSHADOW)) bottom = y;
        }
        ReleaseDC(h, dc);
        return {top, bottom};
    }
    HWND h = nullptr;
    int visible = 1;
};

TEST_F(EditScrollBars, TheBarsFollowTheTextAndShowTheirArrowsAndThumb) {
    // The caret at the end scrolled the last line into view; the thumb stands at the end of the track.
    const int maxFirst = 101 - visible;
    EXPECT_EQ(First(), maxFirst);
    const auto [top, bottom] = VerticalThumb();
    ASSERT_GE(top, 0) << "no thumb drawn";
    EXPECT_GT(top, kHeight / 2);
    EXPECT_GE(bottom, kHeight - kBar - kBar - 4);
    EXPECT_LE(bottom - top, (kHeight - 3 * kBar) * visible / 101 + 3) << "the thumb's length shows the page";
    // The arrows are drawn: the up arrow's glyph has dark pixels.
    HDC dc = GetWindowDC(h);
    int dark = 0;
    for (int y = 0; y < kBar; ++y)
        for (int x = kWidth - kBar; x < kWidth; ++x) dark += GetPixel(dc, x, y) == GetSysColor(COLOR_BTNTEXT);
    ReleaseDC(h, dc);
    EXPECT_GT(dark, 3);
    SendMessage(h, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(First(), 0);
    EXPECT_EQ(VerticalThumb().first, kBar) << "the thumb moved to the top of the track";
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("edit-scroll-bars")));
}

TEST_F(EditScrollBars, TheMouseScrollsOnTheBars) {
    const int maxFirst = 101 - visible;
    struct Row {
        const char* name;
        int from;                   // the first line shown before
        std::function<void()> act;  // what the mouse does
        int want;                   // the first line shown after
        int tolerance = 0;          // lines the thumb's pixels may round by
    };
    const std::vector<Row> rows = {
        {"the down arrow", 0, [&] { PressAt(HTVSCROLL, VerticalAt(kHeight - kBar - kBar / 2)); }, 1},
        {"the up arrow", 5, [&] { PressAt(HTVSCROLL, VerticalAt(kBar / 2)); }, 4},
        {"the up arrow at the top", 0, [&] { PressAt(HTVSCROLL, VerticalAt(kBar / 2)); }, 0},
        {"the track below the thumb", 0, [&] { PressAt(HTVSCROLL, VerticalAt(kHeight - 3 * kBar)); }, visible},
        {"the track above the thumb", maxFirst, [&] { PressAt(HTVSCROLL, VerticalAt(kBar + 2)); }, maxFirst - visible},
        {"the thumb dragged to the end", 0,
         [&] {
             PressAt(HTVSCROLL, VerticalAt(kBar + 2));
             SendMessage(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kWidth - 8, kHeight * 2));
             SendMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(kWidth - 8, kHeight * 2));
         },
         maxFirst},
        {"the thumb dragged half-way", 0,
         [&] {
             PressAt(HTVSCROLL, VerticalAt(kBar + 2));
             const int track = kHeight - 3 * kBar;  // the strip stops above the horizontal bar
             const int thumb = VerticalThumb().second - VerticalThumb().first + 1;
             SendMessage(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kWidth - 8, kBar + 2 + (track - thumb) / 2));
             SendMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(kWidth - 8, kBar + 2 + (track - thumb) / 2));
         },
         maxFirst / 2, 3},
    };
    for (const Row& r : rows) {
        SendMessage(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(r.from)), 0);
        ASSERT_EQ(First(), r.from) << r.name;
        r.act();
        EXPECT_NEAR(First(), r.want, r.tolerance) << r.name;
        EXPECT_NE(GetCapture(), h) << r.name;
    }
    // The horizontal bar moves the text sideways: clicks on its right arrow take the thumb (its light left edge)
    // off the left end.
    UpdateWindow(h);
    HDC dc = GetWindowDC(h);
    EXPECT_EQ(GetPixel(dc, kBar + 1, kHeight - kBar / 2), GetSysColor(COLOR_BTNHIGHLIGHT));
    ReleaseDC(h, dc);
    const int right = kWidth - kBar - kBar / 2;
    for (int i = 0; i < 10; ++i) PressAt(HTHSCROLL, HorizontalAt(right));
    UpdateWindow(h);
    dc = GetWindowDC(h);
    EXPECT_EQ(GetPixel(dc, kBar + 1, kHeight - kBar / 2), GetSysColor(COLOR_SCROLLBAR));
    ReleaseDC(h, dc);
}

}  // namespace
}  // namespace zel::test
