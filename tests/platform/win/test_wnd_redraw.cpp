// Invalidation of children, WM_SETREDRAW, LockWindowUpdate, device contexts held while the window changes,
// and the order of the hook kinds.
#include <functional>

#include "WndTestSupport.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"

namespace zel::test {
namespace {

class WndRedraw : public WndTest {
protected:
    // Records each window's painted rectangle (client coordinates) through BeginPaint.
    void RecordPaints(HWND h) {
        On(h, [this](HWND hwnd, UINT m, WPARAM, LPARAM, LRESULT&) {
            if (m != WM_PAINT) return false;
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            painted_[hwnd].push_back(ps.rcPaint);
            EndPaint(hwnd, &ps);
            return true;
        });
    }
    std::map<HWND, std::vector<RECT>> painted_;
};

TEST_F(WndRedraw, InvalidatingAParentReachesItsChildrenUnlessItClipsThem) {
    struct Row {
        const char* name;
        DWORD parentStyle;
        UINT redrawFlags;  // 0: InvalidateRect
        bool childPaints;
    };
    const Row rows[] = {
        {"InvalidateRect on a parent", 0, 0, true},
        {"InvalidateRect on a parent with WS_CLIPCHILDREN", WS_CLIPCHILDREN, 0, false},
        {"RDW_ALLCHILDREN overrides WS_CLIPCHILDREN", WS_CLIPCHILDREN, RDW_INVALIDATE | RDW_ALLCHILDREN, true},
        {"RDW_NOCHILDREN keeps children out", 0, RDW_INVALIDATE | RDW_NOCHILDREN, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        HWND top = Make(WS_POPUP | WS_VISIBLE | r.parentStyle, 0, 0, 200, 200);
        HWND child = Make(WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 20, 50, 50, top);
        HWND hiddenChild = Make(WS_CHILD, 0, 0, 200, 200, top);
        HWND farChild = Make(WS_CHILD | WS_VISIBLE, 150, 150, 20, 20, top);
        ProcessPendingMessages();
        painted_.clear();
        for (HWND h : {top, child, hiddenChild, farChild}) RecordPaints(h);
        RECT area{10, 10, 60, 60};
        if (r.redrawFlags) RedrawWindow(top, &area, nullptr, r.redrawFlags);
        else InvalidateRect(top, &area, FALSE);
        ProcessPendingMessages();
        EXPECT_EQ(painted_[top], (std::vector<RECT>{area}));
        if (r.childPaints) {
            // The child's share, in its client coordinates (its client area starts inside a 1-pixel border).
            EXPECT_EQ(painted_[child], (std::vector<RECT>{RECT{0, 0, 39, 39}}));
        } else {
            EXPECT_TRUE(painted_[child].empty());
        }
        EXPECT_TRUE(painted_[hiddenChild].empty());
        EXPECT_TRUE(painted_[farChild].empty());
        DestroyWindow(top);
    }
}

TEST_F(WndRedraw, SetRedrawOffHoldsBackPaintingOfTheWindowAndItsChildren) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 10, 30, 30, top);
    ProcessPendingMessages();
    RecordPaints(top);
    RecordPaints(child);
    SendMessage(top, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(top, nullptr, TRUE);
    ProcessPendingMessages();
    UpdateWindow(top);
    RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(painted_.empty());
    RECT upd;
    EXPECT_TRUE(GetUpdateRect(top, &upd, FALSE));  // kept for later
    SendMessage(top, WM_SETREDRAW, TRUE, 0);
    ProcessPendingMessages();
    EXPECT_EQ(painted_[top].size(), 1u);
    EXPECT_EQ(painted_[child].size(), 1u);
}

TEST_F(WndRedraw, LockWindowUpdateDropsDrawingAndRepaintsOnUnlock) {
    HWND top = Make(WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 100, 100);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 10, 30, 30, top);
    HWND other = Make(WS_POPUP | WS_VISIBLE, 200, 0, 50, 50);
    ProcessPendingMessages();
    RecordPaints(top);
    RecordPaints(child);
    ASSERT_TRUE(LockWindowUpdate(top));
    EXPECT_FALSE(LockWindowUpdate(other));  // one window at a time
    HBRUSH red = CreateSolidBrush(0x0000FF);
    RECT r{0, 0, 5, 5};
    HDC peek = GetDCEx(child, nullptr, DCX_LOCKWINDOWUPDATE);
    COLORREF before = GetPixel(peek, 1, 1);
    ReleaseDC(child, peek);
    HDC dc = GetDC(child);
    FillRect(dc, &r, red);
    ReleaseDC(child, dc);
    HDC lockDc = GetDCEx(child, nullptr, DCX_LOCKWINDOWUPDATE);
    EXPECT_EQ(GetPixel(lockDc, 1, 1), before);  // the drawing on the locked window was dropped
    FillRect(lockDc, &r, red);                  // this DC draws anyway
    EXPECT_EQ(GetPixel(lockDc, 1, 1), 0x0000FFu);
    ReleaseDC(child, lockDc);
    DeleteObject(red);
    InvalidateRect(child, nullptr, FALSE);
    ProcessPendingMessages();
    EXPECT_TRUE(painted_.empty());
    Log().clear();
    ASSERT_TRUE(LockWindowUpdate(nullptr));
    EXPECT_FALSE(LockWindowUpdate(nullptr));
    ProcessPendingMessages();
    EXPECT_EQ(painted_[top].size(), 1u);
    EXPECT_EQ(painted_[child].size(), 1u);
    EXPECT_FALSE(Received(top, WM_NCPAINT).empty());
    EXPECT_TRUE(LockWindowUpdate(other));
    DestroyWindow(other);  // a destroyed window leaves no lock behind
    EXPECT_TRUE(LockWindowUpdate(top));
}

// A child that a sibling above covers whole shows nothing it would paint: it and its children wait with
// their painting, and make no image, until a change of places brings them into view; then they paint whole.
// A sibling over only part of it, or one that can be seen through, hides nothing.
TEST_F(WndRedraw, AChildUnderASiblingPaintsWhenItComesIntoView) {
    struct Row {
        const char* name;
        DWORD coverExStyle;
        bool coversAtFirst;
        std::function<void(HWND lower, HWND cover)> uncover;  // none: the cover stays
    };
    const Row rows[] = {
        {"the cover hides", 0, true, [](HWND, HWND cover) { ShowWindow(cover, SW_HIDE); }},
        {"the cover moves aside", 0, true,
         [](HWND, HWND cover) { SetWindowPos(cover, nullptr, 150, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER); }},
        {"the cover shrinks", 0, true,
         [](HWND, HWND cover) { SetWindowPos(cover, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER); }},
        {"the cover goes", 0, true, [](HWND, HWND cover) { DestroyWindow(cover); }},
        {"the covered window comes to the top", 0, true, [](HWND lower, HWND) { BringWindowToTop(lower); }},
        {"a see-through cover", WS_EX_TRANSPARENT, false, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 300, 300);
        HWND lower = Make(WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 20, 100, 80, top);
        HWND inner = Make(WS_CHILD | WS_VISIBLE, 5, 5, 30, 20, lower);
        HWND cover = Make(WS_CHILD | WS_VISIBLE, 10, 10, 120, 100, top, r.coverExStyle);
        HWND beside = Make(WS_CHILD | WS_VISIBLE, 100, 100, 100, 100, top);  // over a corner of the cover
        for (HWND h : {lower, inner, beside}) RecordPaints(h);
        ProcessPendingMessages();
        EXPECT_EQ(painted_[beside].size(), 1u);
        EXPECT_EQ(painted_[lower].empty(), r.coversAtFirst);
        EXPECT_EQ(painted_[inner].empty(), r.coversAtFirst);
        EXPECT_EQ(FindWnd(lower)->image == nullptr, r.coversAtFirst);
        EXPECT_EQ(FindWnd(inner)->image == nullptr, r.coversAtFirst);
        if (r.uncover) {
            // Still waiting after more work elsewhere.
            InvalidateRect(beside, nullptr, TRUE);
            ProcessPendingMessages();
            EXPECT_TRUE(painted_[lower].empty());
            r.uncover(lower, cover);
            ProcessPendingMessages();
            EXPECT_EQ(painted_[lower], (std::vector<RECT>{RECT{0, 0, 98, 78}}));
            EXPECT_EQ(painted_[inner], (std::vector<RECT>{RECT{0, 0, 30, 20}}));
            ASSERT_NE(FindWnd(lower)->image, nullptr);
            // Its frame was drawn: the 1-pixel border in the window frame colour.
            HDC dc = GetWindowDC(lower);
            EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
            ReleaseDC(lower, dc);
        }
        DestroyWindow(top);
        painted_.clear();
    }
}

TEST_F(WndRedraw, DeviceContextsHeldOverAResizeOrAFrameChangeDrawOnTheWindowAsItIsNow) {
    HWND top = Make(WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 60, 40);
    ProcessPendingMessages();
    HDC client = GetDC(top);
    HDC whole = GetWindowDC(top);
    HBRUSH red = CreateSolidBrush(0x0000FF), blue = CreateSolidBrush(0xFF0000);
    struct Step {
        const char* name;
        int width, height;
        bool dropBorder;
    };
    for (const Step& step :
         {Step{"grown", 160, 120, false}, Step{"shrunk", 50, 30, false}, Step{"without its border", 50, 30, true}}) {
        SCOPED_TRACE(step.name);
        UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
        if (step.dropBorder) {
            SetWindowLongPtr(top, GWL_STYLE, GetWindowLongPtr(top, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER));
            flags |= SWP_FRAMECHANGED;
        }
        SetWindowPos(top, nullptr, 0, 0, step.width, step.height, flags);
        RECT c;
        GetClientRect(top, &c);
        const RECT w{0, 0, step.width, step.height};
        FillRect(whole, &w, blue);
        FillRect(client, &c, red);
        // Read back through device contexts fetched now.
        HDC nowWhole = GetWindowDC(top);
        EXPECT_EQ(GetPixel(nowWhole, step.width - 1, step.height - 1), step.dropBorder ? 0x0000FFu : 0xFF0000u);
        ReleaseDC(top, nowWhole);
        HDC now = GetDC(top);
        EXPECT_EQ(GetPixel(now, 0, 0), 0x0000FFu);
        EXPECT_EQ(GetPixel(now, c.right - 1, c.bottom - 1), 0x0000FFu);
        ReleaseDC(top, now);
        // The held client DC reaches no further than the client area.
        EXPECT_EQ(GetPixel(client, c.right, c.bottom), CLR_INVALID);
    }
    ReleaseDC(top, client);
    ReleaseDC(top, whole);
    DeleteObject(red);
    DeleteObject(blue);
}

TEST_F(WndRedraw, HookKindsRunInTheOrderOfDelivery) {
    HWND h = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    SetFocus(h);
    ProcessPendingMessages();
    static std::vector<std::string> order;
    static HHOOK kb, mouse, getMsg, callWnd;
    order.clear();
    kb = SetWindowsHookEx(WH_KEYBOARD, [](int c, WPARAM wp, LPARAM lp) -> LRESULT {
        if (c == HC_ACTION) order.push_back("keyboard");
        return CallNextHookEx(kb, c, wp, lp);
    });
    mouse = SetWindowsHookEx(WH_MOUSE, [](int c, WPARAM wp, LPARAM lp) -> LRESULT {
        if (c == HC_ACTION && wp == WM_LBUTTONDOWN) order.push_back("mouse");
        return CallNextHookEx(mouse, c, wp, lp);
    });
    getMsg = SetWindowsHookEx(WH_GETMESSAGE, [](int c, WPARAM wp, LPARAM lp) -> LRESULT {
        auto* m = reinterpret_cast<MSG*>(lp);
        if (c == HC_ACTION && wp == PM_REMOVE && (m->message == WM_KEYDOWN || m->message == WM_LBUTTONDOWN))
            order.push_back("getmessage");
        return CallNextHookEx(getMsg, c, wp, lp);
    });
    callWnd = SetWindowsHookEx(WH_CALLWNDPROC, [](int c, WPARAM wp, LPARAM lp) -> LRESULT {
        if (c == HC_ACTION && reinterpret_cast<CWPSTRUCT*>(lp)->message == WM_USER + 1) order.push_back("callwndproc");
        return CallNextHookEx(callWnd, c, wp, lp);
    });
    On(h, [](HWND hwnd, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_KEYDOWN || m == WM_LBUTTONDOWN) {
            order.push_back("procedure");
            SendMessage(hwnd, WM_USER + 1, 0, 0);
        }
        if (m == WM_USER + 1) order.push_back("sent");
        return false;
    });
    keybd_event('K', 0, 0, 0);
    SetCursorPos(10, 10);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    const std::vector<std::string> once = {"getmessage", "procedure", "callwndproc", "sent"};
    std::vector<std::string> expected = {"keyboard"};
    expected.insert(expected.end(), once.begin(), once.end());
    expected.push_back("mouse");
    expected.insert(expected.end(), once.begin(), once.end());
    EXPECT_EQ(order, expected);
    for (HHOOK hk : {kb, mouse, getMsg, callWnd}) UnhookWindowsHookEx(hk);
    keybd_event('K', 0, KEYEVENTF_KEYUP, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

}  // namespace
}  // namespace zel::test
