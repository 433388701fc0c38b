// The EDIT window class on long texts: where a click puts the caret, and how a text far wider than the
// window looks once scrolled.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "VclTestSupport.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"

namespace zel::test {
namespace {

std::string Sample(std::size_t n) {
    static const char pattern[] = "F0 41 10 6A Wim iiWW ";
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += pattern[i % (sizeof(pattern) - 1)];
    return s;
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

        HDC screen = GetDC(nullptr);
        HDC got = CreateCompatibleDC(screen), want = CreateCompatibleDC(screen);
        HBITMAP gotBits = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
        HBITMAP wantBits = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
        ReleaseDC(nullptr, screen);
        SelectObject(got, gotBits);
        SelectObject(want, wantBits);
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

        int differ = 0;
        for (int py = 0; py < rc.bottom; ++py)
            for (int px = 0; px < rc.right; ++px)
                if (GetPixel(got, px, py) != GetPixel(want, px, py)) ++differ;
        EXPECT_EQ(differ, 0);
        DeleteDC(got);
        DeleteDC(want);
        DeleteObject(gotBits);
        DeleteObject(wantBits);
    }
}

}  // namespace
}  // namespace zel::test
