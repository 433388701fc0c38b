// Non-client areas drawn by the layer, the move and size loops, and window regions in hit-testing.
#include <QWidget>

#include "WndTestSupport.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"

namespace zel::test {
namespace {

class WndFrames : public WndTest {
protected:
    void PressAt(int x, int y) {
        SetCursorPos(x, y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    }
    static RECT WindowRect(HWND h) {
        RECT r{};
        GetWindowRect(h, &r);
        return r;
    }
    static LRESULT HitAt(HWND h, int x, int y) {
        return SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
};

struct THitRow {
    const char* name;
    int x, y;  // screen
    LRESULT hit;
};

TEST_F(WndFrames, ACaptionedMainWindowHasTheLayersOwnFrameCaptionAndButtons) {
    // 300 x 200 at (100, 100): a 4-pixel sizing frame and a 19-pixel caption.
    HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client, (RECT{0, 0, 292, 173}));
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    EXPECT_EQ(origin, (POINT{104, 123}));
    QWidget* widget = WindowWidgetForTest(w);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->windowFlags().testFlag(Qt::FramelessWindowHint));  // no desktop frame on top
    EXPECT_EQ(widget->geometry(), QRect(100, 100, 300, 200));
    const THitRow rows[] = {
        {"client", 200, 200, HTCLIENT},
        {"caption", 200, 110, HTCAPTION},
        {"close button", 385, 110, HTCLOSE},
        {"maximise button", 365, 110, HTMAXBUTTON},
        {"minimise button", 347, 110, HTMINBUTTON},
        {"top-left corner", 101, 101, HTTOPLEFT},
        {"top edge", 250, 101, HTTOP},
        {"left edge", 101, 200, HTLEFT},
        {"bottom-right corner", 398, 298, HTBOTTOMRIGHT},
        {"outside", 99, 200, HTNOWHERE},
    };
    for (const THitRow& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(HitAt(w, r.x, r.y), r.hit);
    }
}

TEST_F(WndFrames, ACaptionedToolPopupHasASmallCaptionAndADialogFrame) {
    HWND w = Make(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 400, 100, 150, 100, nullptr, WS_EX_TOOLWINDOW);
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client, (RECT{0, 0, 144, 78}));  // 3-pixel frame, 16-pixel caption
    EXPECT_TRUE(WindowWidgetForTest(w)->windowFlags().testFlag(Qt::FramelessWindowHint));
    const THitRow rows[] = {
        {"client", 475, 150, HTCLIENT},      {"caption", 450, 110, HTCAPTION},
        {"close button", 539, 110, HTCLOSE}, {"no maximise button on a tool window", 515, 110, HTCAPTION},
        {"frame", 401, 150, HTBORDER},
    };
    for (const THitRow& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(HitAt(w, r.x, r.y), r.hit);
    }
}

TEST_F(WndFrames, TheFrameIsPaintedIntoTheWindowImage) {
    HWND w = Make(WS_POPUP | WS_BORDER | WS_VISIBLE, 10, 10, 40, 30);
    ProcessPendingMessages();  // WM_NCPAINT with the first paint
    HDC dc = GetWindowDC(w);
    EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(GetPixel(dc, 39, 29), GetSysColor(COLOR_WINDOWFRAME));
    ReleaseDC(w, dc);
    EXPECT_FALSE(Received(w, WM_NCPAINT).empty());
}

TEST_F(WndFrames, CaptionButtonsCloseMaximiseAndRestore) {
    HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    ProcessPendingMessages();
    RECT work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    PressAt(365, 110);  // maximise
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_TRUE(IsZoomed(w));
    EXPECT_EQ(WindowRect(w), work);
    ShowWindow(w, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(w));
    EXPECT_EQ(WindowRect(w), (RECT{100, 100, 400, 300}));
    Log().clear();
    PressAt(385, 110);  // close
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    auto sys = Received(w, WM_SYSCOMMAND);
    ASSERT_FALSE(sys.empty());
    EXPECT_EQ(sys.back().wp & 0xFFF0, SC_CLOSE);
    EXPECT_EQ(Sequence({WM_CLOSE, WM_DESTROY}), (std::vector<std::pair<HWND, UINT>>{{w, WM_CLOSE}, {w, WM_DESTROY}}));
    EXPECT_FALSE(IsWindow(w));
}

// ---- The move and size loops ----

TEST_F(WndFrames, DraggingTheCaptionRunsTheMoveLoop) {
    HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    ProcessPendingMessages();
    std::vector<RECT> moving;
    On(w, [&](HWND, UINT m, WPARAM, LPARAM lp, LRESULT& r) {
        if (m != WM_MOVING) return false;
        auto* rc = reinterpret_cast<RECT*>(lp);
        moving.push_back(*rc);
        rc->top = std::max<LONG>(rc->top, 120);  // the window keeps below y = 120
        rc->bottom = rc->top + 200;
        r = TRUE;
        return true;
    });
    Log().clear();
    PressAt(200, 110);
    SetCursorPos(230, 115);  // +30, +5
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    SetCursorPos(260, 160);  // after the loop: an ordinary move
    ProcessPendingMessages();
    ASSERT_EQ(moving.size(), 1u);
    EXPECT_EQ(moving[0], (RECT{130, 105, 430, 305}));
    EXPECT_EQ(WindowRect(w), (RECT{130, 120, 430, 320}));
    EXPECT_EQ(WindowWidgetForTest(w)->geometry(), QRect(130, 120, 300, 200));
    auto seq = Sequence({WM_ENTERSIZEMOVE, WM_MOVING, WM_WINDOWPOSCHANGED, WM_EXITSIZEMOVE});
    ASSERT_EQ(seq.size(), 4u);
    EXPECT_EQ(seq.front().second, WM_ENTERSIZEMOVE);
    EXPECT_EQ(seq.back().second, WM_EXITSIZEMOVE);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(Received(w, WM_MOUSEMOVE).empty());  // input after the loop reaches the window again
}

TEST_F(WndFrames, DraggingAnEdgeRunsTheSizeLoopWithinTheTrackingLimits) {
    HWND w = Make(WS_POPUP | WS_THICKFRAME | WS_VISIBLE, 100, 100, 200, 150);
    ProcessPendingMessages();
    std::vector<WPARAM> edges;
    On(w, [&](HWND, UINT m, WPARAM wp, LPARAM lp, LRESULT& r) {
        if (m == WM_GETMINMAXINFO) {
            reinterpret_cast<MINMAXINFO*>(lp)->ptMaxTrackSize.x = 250;
            return true;
        }
        if (m == WM_SIZING) {
            edges.push_back(wp);
            auto* rc = reinterpret_cast<RECT*>(lp);
            EXPECT_EQ(rc->right - rc->left, 250);  // already limited when WM_SIZING comes
            rc->bottom = rc->top + 120;            // the window also fixes its height
            r = TRUE;
            return true;
        }
        return false;
    });
    Log().clear();
    PressAt(298, 170);  // the right frame
    SetCursorPos(400, 170);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(edges, (std::vector<WPARAM>{WMSZ_RIGHT}));
    EXPECT_EQ(WindowRect(w), (RECT{100, 100, 350, 220}));
    auto seq = Sequence({WM_ENTERSIZEMOVE, WM_GETMINMAXINFO, WM_SIZING, WM_SIZE, WM_EXITSIZEMOVE});
    ASSERT_EQ(seq.size(), 5u);
    EXPECT_EQ(seq[0].second, WM_ENTERSIZEMOVE);
    EXPECT_EQ(seq[1].second, WM_GETMINMAXINFO);
    EXPECT_EQ(seq[2].second, WM_SIZING);
    EXPECT_EQ(seq[3].second, WM_SIZE);
    EXPECT_EQ(seq[4].second, WM_EXITSIZEMOVE);
}

TEST_F(WndFrames, EscapeCancelsTheSizeLoopEvenForAWindowThatNeverTakesFocus) {
    HWND w = Make(WS_POPUP | WS_THICKFRAME | WS_VISIBLE, 100, 100, 200, 150, nullptr, WS_EX_NOACTIVATE);
    ProcessPendingMessages();
    ASSERT_EQ(GetFocus(), nullptr);
    Log().clear();
    PressAt(200, 248);  // the bottom frame
    SetCursorPos(200, 300);
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(WindowRect(w), (RECT{100, 100, 300, 250}));
    EXPECT_EQ(Received(w, WM_SIZING).size(), 1u);  // it was larger for a moment
    EXPECT_EQ(Received(w, WM_EXITSIZEMOVE).size(), 1u);
    EXPECT_EQ(GetCapture(), nullptr);
}

// ---- Window regions ----

TEST_F(WndFrames, AWindowRegionDecidesWhichWindowTheMouseMeets) {
    HWND below = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND above = Make(WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, nullptr, WS_EX_TOPMOST);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 100, 0, 100, 100, below);
    // The upper window keeps its left half; the child keeps an ellipse.
    EXPECT_NE(SetWindowRgn(above, CreateRectRgn(0, 0, 50, 100), TRUE), 0);
    EXPECT_NE(SetWindowRgn(child, CreateEllipticRgn(0, 0, 100, 100), TRUE), 0);
    ProcessPendingMessages();
    struct Row {
        const char* name;
        POINT pt;
        HWND expected;
    };
    const Row rows[] = {
        {"inside the region", {60, 60}, above},
        {"outside the region: the window below", {120, 140}, below},
        {"inside the child's ellipse", {150, 50}, child},
        {"in the child's corner, outside its ellipse", {102, 2}, below},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(WindowFromPoint(r.pt), r.expected);
    }
    EXPECT_EQ(HitAt(above, 120, 140), HTNOWHERE);
    EXPECT_EQ(ChildWindowFromPointEx(below, POINT{102, 2}, CWP_ALL), below);
    EXPECT_EQ(ChildWindowFromPointEx(below, POINT{150, 50}, CWP_ALL), child);
    // A click outside the region reaches the window below.
    Log().clear();
    SetCursorPos(120, 140);
    mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(Received(below, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(Received(above, WM_LBUTTONDOWN).empty());
    // GetWindowRgn copies; removing the region makes the whole window count again.
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(above, copy), 0);
    RECT box;
    GetRgnBox(copy, &box);
    EXPECT_EQ(box, (RECT{0, 0, 50, 100}));
    DeleteObject(copy);
    SetWindowRgn(above, nullptr, TRUE);
    HRGN none = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(above, none), 0);
    DeleteObject(none);
    EXPECT_EQ(WindowFromPoint(POINT{120, 140}), above);
}

}  // namespace
}  // namespace zel::test

namespace zel::test {
namespace {

// WM_PRINT draws the window into the DC it is given: the frame at the DC's origin and the client area at its
// place inside the frame; the window on the screen is left as it is.
TEST_F(WndFrames, PrintDrawsTheFrameIntoTheGivenDC) {
    HWND w = Make(WS_POPUP | WS_BORDER | WS_VISIBLE, 100, 100, 60, 40);
    ProcessPendingMessages();
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 60, 40);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, 60, 40};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &all, red);
    ValidateRect(w, nullptr);

    SendMessage(w, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT);
    EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_WINDOWFRAME)) << "the one-pixel frame";
    EXPECT_EQ(GetPixel(dc, 59, 39), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(GetPixel(dc, 30, 20), RGB(255, 0, 0)) << "no client area asked for";
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(w, &update, FALSE)) << "nothing of the window itself is repainted";

    SelectObject(dc, old);
    DeleteObject(red);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace zel::test
