// Hover tracking on the clock, popups that never take the focus, and cursors made from bit planes.
#include <QBitmap>
#include <QImage>
#include <QWidget>

#include "WndTestSupport.h"
#include "platform/rtl/Clock.h"
#include "platform/win/SysInfo.h"

namespace zel::test {
namespace {

class WndTracking : public WndTest {
protected:
    void MoveTo(int x, int y) {
        SetCursorPos(x, y);
        ProcessPendingMessages();
    }
    bool Track(HWND h, DWORD flags, DWORD hoverTime) {
        TRACKMOUSEEVENT tme;
        tme.dwFlags = flags;
        tme.hwndTrack = h;
        tme.dwHoverTime = hoverTime;
        return TrackMouseEvent(&tme) != FALSE;
    }
    TManualClockScope clock_;
};

TEST_F(WndTracking, HoverIsPostedOnceWhenTheMouseRestsForTheHoverTime) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    MoveTo(150, 150);
    ASSERT_TRUE(Track(top, TME_HOVER, 100));
    clock_->Advance(60);
    MoveTo(151, 151);  // inside the hover rectangle: the time runs on
    clock_->Advance(39);
    ProcessPendingMessages();
    EXPECT_TRUE(Received(top, WM_MOUSEHOVER).empty());
    clock_->Advance(1);
    ProcessPendingMessages();
    auto hover = Received(top, WM_MOUSEHOVER);
    ASSERT_EQ(hover.size(), 1u);
    EXPECT_EQ(hover[0].lp, MAKELPARAM(51, 51));
    EXPECT_EQ(hover[0].wp, 0u);
    // It ends when it fires.
    TRACKMOUSEEVENT q;
    q.dwFlags = TME_QUERY;
    TrackMouseEvent(&q);
    EXPECT_EQ(q.dwFlags & TME_HOVER, 0u);
    clock_->Advance(500);
    ProcessPendingMessages();
    EXPECT_EQ(Received(top, WM_MOUSEHOVER).size(), 1u);
}

TEST_F(WndTracking, MovingOnStartsTheHoverTimeAgainAndLeavingEndsIt) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    HWND other = Make(WS_POPUP | WS_VISIBLE, 400, 100, 100, 100);
    MoveTo(150, 150);
    ASSERT_TRUE(Track(top, TME_HOVER | TME_LEAVE, 100));
    clock_->Advance(80);
    MoveTo(170, 150);  // out of the rectangle: 100 ms from here
    clock_->Advance(80);
    ProcessPendingMessages();
    EXPECT_TRUE(Received(top, WM_MOUSEHOVER).empty());
    clock_->Advance(20);
    ProcessPendingMessages();
    ASSERT_EQ(Received(top, WM_MOUSEHOVER).size(), 1u);
    EXPECT_EQ(Received(top, WM_MOUSEHOVER)[0].lp, MAKELPARAM(70, 50));
    // Again, and this time the mouse leaves first: a leave, no hover.
    ASSERT_TRUE(Track(top, TME_HOVER, 100));
    MoveTo(450, 150);
    clock_->Advance(200);
    ProcessPendingMessages();
    EXPECT_EQ(Received(top, WM_MOUSEHOVER).size(), 1u);
    EXPECT_EQ(Received(top, WM_MOUSELEAVE).size(), 1u);
    EXPECT_TRUE(Received(other, WM_MOUSEHOVER).empty());
    // Cancelled before it fires.
    ASSERT_TRUE(Track(other, TME_HOVER, 50));
    ASSERT_TRUE(Track(other, TME_HOVER | TME_CANCEL, 0));
    clock_->Advance(100);
    ProcessPendingMessages();
    EXPECT_TRUE(Received(other, WM_MOUSEHOVER).empty());
}

TEST_F(WndTracking, TheDefaultHoverTimeIsTheSystems) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    MoveTo(150, 150);
    UINT system = 0;
    if (!SystemParametersInfo(0x0066 /* SPI_GETMOUSEHOVERTIME */, 0, &system, 0) || system == 0) system = 400;
    ASSERT_TRUE(Track(top, TME_HOVER, HOVER_DEFAULT));
    TRACKMOUSEEVENT q;
    q.dwFlags = TME_QUERY;
    TrackMouseEvent(&q);
    EXPECT_EQ(q.hwndTrack, top);
    EXPECT_EQ(q.dwFlags & TME_HOVER, TME_HOVER);
    EXPECT_EQ(q.dwHoverTime, system);
    clock_->Advance(system - 1);
    ProcessPendingMessages();
    EXPECT_TRUE(Received(top, WM_MOUSEHOVER).empty());
    clock_->Advance(1);
    ProcessPendingMessages();
    EXPECT_EQ(Received(top, WM_MOUSEHOVER).size(), 1u);
}

// ---- Popups that never take the focus ----

TEST_F(WndTracking, NoActivatePopupsLeaveTheFocusAndActivationWhereTheyWere) {
    struct Row {
        const char* name;
        DWORD exStyle;
        bool answerNoActivate;  // WM_MOUSEACTIVATE answers MA_NOACTIVATE
        int show;               // a ShowWindow command, or -1 for SetWindowPos(SWP_SHOWWINDOW | SWP_NOACTIVATE)
    };
    const Row rows[] = {
        {"WS_EX_NOACTIVATE shown with SW_SHOW", WS_EX_NOACTIVATE, false, SW_SHOW},
        {"MA_NOACTIVATE shown with SW_SHOWNA", 0, true, SW_SHOWNA},
        {"MA_NOACTIVATE shown with SW_SHOWNOACTIVATE", WS_EX_TOPMOST, true, SW_SHOWNOACTIVATE},
        {"MA_NOACTIVATE shown by SetWindowPos", WS_EX_TOOLWINDOW, true, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        HWND form = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 300);
        HWND edit = Make(WS_CHILD | WS_VISIBLE, 10, 30, 100, 20, form);
        SetFocus(edit);
        ASSERT_EQ(GetFocus(), edit);
        HWND popup = Make(WS_POPUP, 100, 100, 80, 80, form, r.exStyle);
        if (r.answerNoActivate)
            On(popup, [](HWND, UINT m, WPARAM, LPARAM, LRESULT& res) {
                if (m != WM_MOUSEACTIVATE) return false;
                res = MA_NOACTIVATE;
                return true;
            });
        Log().clear();
        if (r.show >= 0) ShowWindow(popup, r.show);
        else SetWindowPos(popup, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
        ASSERT_TRUE(IsWindowVisible(popup));
        SetCursorPos(120, 120);
        mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
        EXPECT_EQ(Received(popup, WM_LBUTTONDOWN).size(), 1u);
        EXPECT_EQ(GetFocus(), edit);
        EXPECT_EQ(GetActiveWindow(), form);
        EXPECT_TRUE(Received(edit, WM_KILLFOCUS).empty());
        EXPECT_TRUE(Received(form, WM_NCACTIVATE).empty());
        EXPECT_TRUE(Received(popup, WM_ACTIVATE).empty());
        DestroyWindow(form);  // and the popup it owns
        EXPECT_FALSE(IsWindow(popup));
    }
}

// ---- Cursors ----

TEST_F(WndTracking, CursorsFromBitPlanesAndNamedResources) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 100, 100, 100, 100);
    MoveTo(150, 150);
    // 16 x 2: the first row's first four pixels are black, white, transparent and inverted.
    BYTE andPlane[4] = {0x30, 0x00, 0xFF, 0xFF};
    BYTE xorPlane[4] = {0x50, 0x00, 0x00, 0x00};
    HCURSOR c = CreateCursor(nullptr, 3, 1, 16, 2, andPlane, xorPlane);
    ASSERT_NE(c, nullptr);
    SetCursor(c);
    EXPECT_EQ(GetCursor(), c);
    QCursor shown = WindowWidgetForTest(top)->cursor();
    ASSERT_EQ(shown.shape(), Qt::BitmapCursor);
    EXPECT_EQ(shown.hotSpot(), QPoint(3, 1));
    QImage bits = shown.bitmap().toImage(), mask = shown.mask().toImage();
    struct Px {
        const char* name;
        int x;
        bool bit, masked;
    };
    const Px px[] = {{"black", 0, true, true},
                     {"white", 1, false, true},
                     {"transparent", 2, false, false},
                     {"inverted", 3, true, false}};
    for (const Px& p : px) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(qGray(bits.pixel(p.x, 0)) < 128, p.bit);
        EXPECT_EQ(qGray(mask.pixel(p.x, 0)) < 128, p.masked);
    }
    SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
    EXPECT_EQ(WindowWidgetForTest(top)->cursor().shape(), Qt::SizeHorCursor);
    EXPECT_TRUE(DestroyCursor(c));
    EXPECT_FALSE(DestroyCursor(c));
    EXPECT_EQ(CreateCursor(nullptr, 0, 0, 0, 16, andPlane, xorPlane), nullptr);

    // Named resources: one shared handle per name, whatever the case, never destroyed.
    BYTE a[32], x[32];
    std::fill(std::begin(a), std::end(a), BYTE{0});
    std::fill(std::begin(x), std::end(x), BYTE{0});
    ASSERT_TRUE(RegisterCursorResource("ZEL_TEST_DRAGCURSOR", 0, 0, 16, 16, a, x));
    HCURSOR r1 = LoadCursor(reinterpret_cast<HINSTANCE>(1), "zel_test_dragcursor");
    ASSERT_NE(r1, nullptr);
    EXPECT_EQ(LoadCursor(nullptr, "ZEL_TEST_DRAGCURSOR"), r1);
    EXPECT_FALSE(DestroyCursor(r1));
    EXPECT_FALSE(RegisterCursorResource("ZEL_TEST_DRAGCURSOR", 0, 0, 16, 16, a, x));  // in use: unchanged
    EXPECT_EQ(LoadCursor(nullptr, "ZEL_TEST_NO_SUCH_CURSOR"), nullptr);
    SetCursor(r1);
    EXPECT_EQ(WindowWidgetForTest(top)->cursor().shape(), Qt::BitmapCursor);
    SetCursor(nullptr);
}

}  // namespace
}  // namespace zel::test
