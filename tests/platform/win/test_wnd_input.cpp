// Input, hooks, focus, activation, capture, hit-testing and geometry.
#include "WndTestSupport.h"
#include "platform/win/SysInfo.h"

namespace zel::test {
namespace {

class WndInput : public WndTest {
protected:
    void Click(int x, int y) {
        SetCursorPos(x, y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
};

TEST_F(WndInput, KeyMessagesCarryTheirVirtualKeyAndLParamBits) {
    HWND a = Make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    SetFocus(a);
    Log().clear();
    keybd_event('A', 0, 0, 0);
    keybd_event('A', 0, 0, 0);  // auto-repeat
    keybd_event('A', 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_MENU, 0, 0, 0);
    keybd_event('X', 0, 0, 0);
    keybd_event('X', 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_LEFT, 0, KEYEVENTF_EXTENDEDKEY, 0);
    ProcessPendingMessages();
    struct Row {
        const char* name;
        UINT msg;
        WPARAM vk;
        DWORD lParam;
    };
    const Row rows[] = {
        {"first press", WM_KEYDOWN, 'A', 0x001E0001},
        {"repeat: previous state", WM_KEYDOWN, 'A', 0x401E0001},
        {"release: previous and transition", WM_KEYUP, 'A', 0xC01E0001},
        {"Alt press", WM_SYSKEYDOWN, VK_MENU, 0x20380001},
        {"key with Alt: context bit", WM_SYSKEYDOWN, 'X', 0x202D0001},
        {"key up with Alt", WM_SYSKEYUP, 'X', 0xE02D0001},
        {"Alt up", WM_SYSKEYUP, VK_MENU, 0xC0380001},
        {"extended key", WM_KEYDOWN, VK_LEFT, 0x014B0001},
    };
    auto seq = Sequence({WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP});
    std::vector<TRecord> keys;
    for (const TRecord& r : Log())
        if (r.msg == WM_KEYDOWN || r.msg == WM_KEYUP || r.msg == WM_SYSKEYDOWN || r.msg == WM_SYSKEYUP)
            keys.push_back(r);
    ASSERT_EQ(keys.size(), std::size(rows));
    for (std::size_t i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(keys[i].hwnd, a);
        EXPECT_EQ(keys[i].msg, rows[i].msg);
        EXPECT_EQ(keys[i].wp, rows[i].vk);
        EXPECT_EQ(static_cast<DWORD>(keys[i].lp), rows[i].lParam);
    }
    // TranslateMessage made the characters: 'a' twice, and Alt+X as a system character.
    auto chars = Received(a, WM_CHAR);
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].wp, static_cast<WPARAM>('a'));
    ASSERT_EQ(Received(a, WM_SYSCHAR).size(), 1u);
    EXPECT_EQ(Received(a, WM_SYSCHAR)[0].wp, static_cast<WPARAM>('x'));
}

TEST_F(WndInput, KeyStateFollowsTheMessagesTakenFromTheQueue) {
    HWND a = Make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    SetFocus(a);
    SHORT seenInHandler = 0;
    On(a, [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
        if (m == WM_KEYDOWN && wp == 'B') seenInHandler = GetKeyState(VK_SHIFT);
        return false;
    });
    keybd_event(VK_SHIFT, 0, 0, 0);
    keybd_event('B', 0, 0, 0);
    EXPECT_TRUE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);  // not taken from the queue yet
    ProcessPendingMessages();
    EXPECT_TRUE(seenInHandler & 0x8000);
    ASSERT_EQ(Received(a, WM_CHAR).size(), 1u);
    EXPECT_EQ(Received(a, WM_CHAR)[0].wp, static_cast<WPARAM>('B'));
    keybd_event('B', 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
}

// A short-cut that closes the last window (Ctrl+X as Exit): the releases come when nobody can hear them, and
// the key state still lets go of both keys, so that the next window's typing is not taken for Ctrl+letters.
TEST_F(WndInput, KeysReleasedWithNoWindowToHearThemAreUpInTheKeyState) {
    HWND a = Make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    SetFocus(a);
    On(a, [&](HWND w, UINT m, WPARAM wp, LPARAM, LRESULT&) {
        if (m == WM_KEYDOWN && wp == 'X') DestroyWindow(w);
        return false;
    });
    keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event('X', 0, 0, 0);
    ProcessPendingMessages();
    ASSERT_FALSE(IsWindow(a));
    EXPECT_TRUE(GetKeyState(VK_CONTROL) & 0x8000);
    keybd_event('X', 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
    EXPECT_FALSE(GetKeyState(VK_CONTROL) & 0x8000);
    EXPECT_FALSE(GetKeyState('X') & 0x8000);

    HWND b = Make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    SetFocus(b);
    keybd_event('X', 0, 0, 0);
    keybd_event('X', 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
    ASSERT_EQ(Received(b, WM_CHAR).size(), 1u);
    EXPECT_EQ(Received(b, WM_CHAR)[0].wp, static_cast<WPARAM>('x'));
}

TEST_F(WndInput, MouseMessagesGoToTheDeepestChildWithClientCoordinatesAndDoubleClicks) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 20, 30, 50, 50, top);
    ProcessPendingMessages();
    Log().clear();
    Click(125, 135);
    Click(126, 135);
    ProcessPendingMessages();
    auto seq = Sequence({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK});
    ASSERT_EQ(seq.size(), 4u);
    EXPECT_EQ(seq[0], std::make_pair(child, WM_LBUTTONDOWN));
    EXPECT_EQ(seq[1], std::make_pair(child, WM_LBUTTONUP));
    EXPECT_EQ(seq[2], std::make_pair(child, WM_LBUTTONDBLCLK));
    auto down = Received(child, WM_LBUTTONDOWN)[0];
    EXPECT_EQ(GET_X_LPARAM(down.lp), 5);
    EXPECT_EQ(GET_Y_LPARAM(down.lp), 5);
    EXPECT_EQ(down.wp, MK_LBUTTON);
    EXPECT_EQ(Received(child, WM_LBUTTONUP)[0].wp, 0u);
    EXPECT_FALSE(Received(child, WM_SETCURSOR).empty());
}

TEST_F(WndInput, HitTestCodesOfAWindowWithANonClientBorder) {
    // A sizeable popup with a caption-less thick frame, a client edge and a vertical scroll bar.
    HWND w = Make(WS_POPUP | WS_VISIBLE | WS_THICKFRAME | WS_VSCROLL, 100, 100, 200, 150, nullptr, WS_EX_CLIENTEDGE);
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client, (RECT{0, 0, 200 - 8 - 4 - 16, 150 - 8 - 4}));
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    EXPECT_EQ(origin, (POINT{100 + 4 + 2, 100 + 4 + 2}));
    struct Row {
        const char* name;
        int x, y;
        LRESULT hit;
    };
    const Row rows[] = {
        {"client", 150, 150, HTCLIENT},
        {"left frame", 101, 170, HTLEFT},
        {"right frame", 298, 170, HTRIGHT},
        {"top frame", 200, 101, HTTOP},
        {"bottom frame", 200, 248, HTBOTTOM},
        {"top-left corner", 101, 101, HTTOPLEFT},
        {"bottom-right corner", 298, 248, HTBOTTOMRIGHT},
        {"scroll bar", 285, 170, HTVSCROLL},
        {"client edge", 105, 170, HTBORDER},
        {"outside", 50, 50, HTNOWHERE},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(SendMessage(w, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(r.x), static_cast<WORD>(r.y))), r.hit);
    }
}

TEST_F(WndInput, ClicksOnTheFrameBecomeNonClientMessagesInScreenCoordinates) {
    HWND w = Make(WS_POPUP | WS_VISIBLE | WS_BORDER, 100, 100, 50, 50);
    ProcessPendingMessages();
    Log().clear();
    SetCursorPos(100, 120);
    mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    auto nc = Received(w, WM_NCRBUTTONDOWN);
    ASSERT_EQ(nc.size(), 1u);
    EXPECT_EQ(nc[0].wp, static_cast<WPARAM>(HTBORDER));
    EXPECT_EQ(GET_X_LPARAM(nc[0].lp), 100);
    EXPECT_EQ(GET_Y_LPARAM(nc[0].lp), 120);
    mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
}

TEST_F(WndInput, HooksRunLastInstalledFirstAndCanConsumeOrRewrite) {
    HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    ProcessPendingMessages();
    static std::vector<std::string> order;
    static HHOOK first = nullptr, second = nullptr, getMsg = nullptr;
    static bool consume = false;
    order.clear();
    first = SetWindowsHookEx(WH_MOUSE, [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        if (code == HC_ACTION && wp == WM_LBUTTONDOWN) order.push_back("first");
        return CallNextHookEx(first, code, wp, lp);
    });
    second = SetWindowsHookEx(WH_MOUSE, [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        if (code == HC_ACTION && wp == WM_LBUTTONDOWN) {
            order.push_back("second");
            auto* mh = reinterpret_cast<MOUSEHOOKSTRUCT*>(lp);
            order.push_back(mh->wHitTestCode == HTCLIENT ? "client" : "other");
            if (consume) return 1;
        }
        return CallNextHookEx(second, code, wp, lp);
    });
    getMsg = SetWindowsHookEx(WH_GETMESSAGE, [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        auto* m = reinterpret_cast<MSG*>(lp);
        if (code == HC_ACTION && wp == PM_REMOVE && m->message == WM_USER + 50) m->message = WM_NULL;
        return CallNextHookEx(getMsg, code, wp, lp);
    });
    Log().clear();
    SetCursorPos(10, 10);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    PostMessage(w, WM_USER + 50, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(order, (std::vector<std::string>{"second", "client", "first"}));
    EXPECT_EQ(Received(w, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(Received(w, WM_USER + 50).empty());
    EXPECT_EQ(Received(w, WM_NULL).size(), 1u);

    consume = true;
    order.clear();
    Log().clear();
    SetCursorPos(50, 50);  // elsewhere: not a double click
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(order, (std::vector<std::string>{"second", "client"}));
    EXPECT_TRUE(Received(w, WM_LBUTTONDOWN).empty());
    EXPECT_EQ(Received(w, WM_LBUTTONUP).size(), 1u);
    consume = false;
    EXPECT_TRUE(UnhookWindowsHookEx(first));
    EXPECT_TRUE(UnhookWindowsHookEx(second));
    EXPECT_TRUE(UnhookWindowsHookEx(getMsg));
    EXPECT_FALSE(UnhookWindowsHookEx(getMsg));
}

TEST_F(WndInput, AHookRemovedWhileItRunsStillPassesOnAndRunsNoMore) {
    HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    static HHOOK older = nullptr, selfRemoving = nullptr;
    static int olderCalls = 0, selfCalls = 0;
    olderCalls = selfCalls = 0;
    older = SetWindowsHookEx(WH_CALLWNDPROC, [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        if (reinterpret_cast<CWPSTRUCT*>(lp)->message == WM_USER + 7) ++olderCalls;
        return CallNextHookEx(older, code, wp, lp);
    });
    selfRemoving = SetWindowsHookEx(WH_CALLWNDPROC, [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        if (reinterpret_cast<CWPSTRUCT*>(lp)->message != WM_USER + 7) return CallNextHookEx(selfRemoving, code, wp, lp);
        ++selfCalls;
        UnhookWindowsHookEx(selfRemoving);
        return CallNextHookEx(selfRemoving, code, wp, lp);
    });
    SendMessage(w, WM_USER + 7, 0, 0);
    SendMessage(w, WM_USER + 7, 0, 0);
    EXPECT_EQ(selfCalls, 1);
    EXPECT_EQ(olderCalls, 2);
    EXPECT_EQ(Received(w, WM_USER + 7).size(), 2u);
    UnhookWindowsHookEx(older);
}

TEST_F(WndInput, FocusChangesNameTheOtherWindow) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND a = Make(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
    HWND b = Make(WS_CHILD | WS_VISIBLE, 20, 0, 10, 10, top);
    SetFocus(a);
    EXPECT_EQ(GetActiveWindow(), top);
    Log().clear();
    EXPECT_EQ(SetFocus(b), a);
    auto seq = Sequence({WM_KILLFOCUS, WM_SETFOCUS});
    ASSERT_EQ(seq.size(), 2u);
    EXPECT_EQ(seq[0], std::make_pair(a, WM_KILLFOCUS));
    EXPECT_EQ(seq[1], std::make_pair(b, WM_SETFOCUS));
    EXPECT_EQ(Received(a, WM_KILLFOCUS)[0].wp, reinterpret_cast<WPARAM>(b));
    EXPECT_EQ(Received(b, WM_SETFOCUS)[0].wp, reinterpret_cast<WPARAM>(a));
    EXPECT_EQ(GetFocus(), b);
    EnableWindow(b, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);  // a disabled window gives up the focus
}

TEST_F(WndInput, ANoActivatePopupShownOverAFocusedWindowLeavesTheFocusWhereItWas) {
    HWND form = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 300);
    HWND edit = Make(WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, form);
    SetFocus(edit);
    ASSERT_EQ(GetFocus(), edit);
    HWND popup = Make(WS_POPUP, 50, 50, 100, 100, nullptr, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    On(popup, [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m != WM_MOUSEACTIVATE) return false;
        r = MA_NOACTIVATE;
        return true;
    });
    Log().clear();
    ShowWindow(popup, SW_SHOWNA);
    SetWindowPos(popup, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(GetActiveWindow(), form);
    // A click on it does not activate it either.
    Click(60, 60);
    ProcessPendingMessages();
    EXPECT_EQ(Received(popup, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(GetActiveWindow(), form);
    EXPECT_TRUE(Received(edit, WM_KILLFOCUS).empty());
    EXPECT_TRUE(Received(form, WM_NCACTIVATE).empty());
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), popup);  // topmost: above the form
}

TEST_F(WndInput, ActivationMessagesInOrder) {
    HWND f1 = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100);
    HWND f2 = Make(WS_OVERLAPPEDWINDOW, 200, 0, 100, 100);
    ASSERT_EQ(GetActiveWindow(), f1);
    Log().clear();
    ShowWindow(f2, SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), f2);
    auto seq = Sequence({WM_NCACTIVATE, WM_ACTIVATE});
    ASSERT_EQ(seq.size(), 4u);
    EXPECT_EQ(seq[0], std::make_pair(f1, WM_NCACTIVATE));
    EXPECT_EQ(seq[1], std::make_pair(f1, WM_ACTIVATE));
    EXPECT_EQ(seq[2], std::make_pair(f2, WM_NCACTIVATE));
    EXPECT_EQ(seq[3], std::make_pair(f2, WM_ACTIVATE));
    EXPECT_EQ(LOWORD(Received(f1, WM_ACTIVATE)[0].wp), WA_INACTIVE);
    EXPECT_EQ(Received(f2, WM_ACTIVATE)[0].lp, reinterpret_cast<LPARAM>(f1));
    EXPECT_EQ(GetFocus(), f2);  // the default handling focuses the activated window
}

TEST_F(WndInput, CaptureMovingBetweenWindowsSendsCaptureChanged) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND a = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top);
    HWND b = Make(WS_CHILD | WS_VISIBLE, 100, 100, 50, 50, top);
    EXPECT_EQ(SetCapture(a), nullptr);
    Log().clear();
    EXPECT_EQ(SetCapture(b), a);
    ASSERT_EQ(Received(a, WM_CAPTURECHANGED).size(), 1u);
    EXPECT_EQ(Received(a, WM_CAPTURECHANGED)[0].lp, reinterpret_cast<LPARAM>(b));
    // While captured, input outside goes to b in its client coordinates.
    SetCursorPos(10, 20);
    ProcessPendingMessages();
    auto moves = Received(b, WM_MOUSEMOVE);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(GET_X_LPARAM(moves.back().lp), -90);
    EXPECT_EQ(GET_Y_LPARAM(moves.back().lp), -80);
    EXPECT_TRUE(Received(a, WM_MOUSEMOVE).empty());
    SendMessage(b, WM_CANCELMODE, 0, 0);  // the default handling releases the capture
    EXPECT_EQ(GetCapture(), nullptr);
    ASSERT_EQ(Received(b, WM_CAPTURECHANGED).size(), 1u);
    EXPECT_EQ(Received(b, WM_CAPTURECHANGED)[0].lp, 0);
}

TEST_F(WndInput, MouseOverADisabledWindowReachesOnlyTheMouseHookAtTheDisabledWindowWithHitError) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 20, 20, 50, 50, top);
    ProcessPendingMessages();
    EnableWindow(top, FALSE);
    static std::vector<MOUSEHOOKSTRUCT> seen;
    static std::vector<WPARAM> messages;
    static HHOOK hook = nullptr;
    static bool consume = false;
    seen.clear();
    messages.clear();
    hook = SetWindowsHookEx(WH_MOUSE, [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        if (code == HC_ACTION) {
            seen.push_back(*reinterpret_cast<MOUSEHOOKSTRUCT*>(lp));
            messages.push_back(wp);
            if (consume) return 1;
        }
        return CallNextHookEx(hook, code, wp, lp);
    });
    Log().clear();
    Click(130, 130);  // over the child of the disabled window
    ProcessPendingMessages();
    // The move there too, as its non-client twin.
    ASSERT_EQ(messages, (std::vector<WPARAM>{WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP}));
    for (const MOUSEHOOKSTRUCT& mh : seen) {
        EXPECT_EQ(mh.hwnd, top);
        EXPECT_EQ(static_cast<int>(mh.wHitTestCode), HTERROR);
        EXPECT_EQ(mh.pt, (POINT{130, 130}));
    }
    // Nothing reaches a window procedure but the cursor question.
    EXPECT_TRUE(Sequence({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP}).empty());
    EXPECT_EQ(Received(child, WM_SETCURSOR).size(), 2u);
    // The button state follows the presses all the same.
    SetCursorPos(140, 140);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_LT(GetKeyState(VK_LBUTTON), 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_GE(GetKeyState(VK_LBUTTON), 0);
    // A hook that takes the event leaves no cursor question either.
    consume = true;
    Log().clear();
    Click(150, 150);
    ProcessPendingMessages();
    EXPECT_TRUE(Received(child, WM_SETCURSOR).empty());
    consume = false;
    EXPECT_TRUE(UnhookWindowsHookEx(hook));
}

TEST_F(WndInput, DragDetectTellsADragFromAClick) {
    HWND w = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    ProcessPendingMessages();
    const int cx = GetSystemMetrics(SM_CXDRAG);
    struct Row {
        const char* name;
        int dx;
        bool release, escape;
        BOOL dragged;
    };
    const Row rows[] = {
        {"moved out of the drag rectangle", cx, false, false, TRUE},
        {"released inside it", cx / 2 - 1, true, false, FALSE},
        {"Esc inside it", 0, false, true, FALSE},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        SetCursorPos(150, 150);
        ProcessPendingMessages();
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        ProcessPendingMessages();
        SetCursorPos(150 + r.dx, 150);
        if (r.escape) keybd_event(VK_ESCAPE, 0, 0, 0);
        if (r.release) mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        EXPECT_EQ(DragDetect(w, POINT{150, 150}), r.dragged);
        EXPECT_EQ(GetCapture(), nullptr);
        if (r.escape) keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
        if (!r.release) mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    }
}

TEST_F(WndInput, MouseLeaveIsPostedOnceWhenTheMouseLeavesATrackedWindow) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND a = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top);
    SetCursorPos(10, 10);
    ProcessPendingMessages();
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = a;
    ASSERT_TRUE(TrackMouseEvent(&tme));
    SetCursorPos(20, 20);
    ProcessPendingMessages();
    EXPECT_TRUE(Received(a, WM_MOUSELEAVE).empty());
    SetCursorPos(100, 100);
    ProcessPendingMessages();
    SetCursorPos(150, 150);
    ProcessPendingMessages();
    EXPECT_EQ(Received(a, WM_MOUSELEAVE).size(), 1u);
}

TEST_F(WndInput, SetWindowPosSendsChangingThenChangedWithSizeAndMove) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND a = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top);
    On(a, [](HWND, UINT m, WPARAM, LPARAM lp, LRESULT&) {
        if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(lp)->cx = 70;  // the window insists on 70
        return false;
    });
    Log().clear();
    SetWindowPos(a, nullptr, 10, 20, 60, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    auto seq = Sequence({WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE});
    ASSERT_EQ(seq.size(), 5u);
    EXPECT_EQ(seq[0].second, WM_WINDOWPOSCHANGING);
    EXPECT_EQ(seq[1].second, WM_NCCALCSIZE);
    EXPECT_EQ(seq[2].second, WM_WINDOWPOSCHANGED);
    EXPECT_EQ(seq[3].second, WM_SIZE);
    EXPECT_EQ(seq[4].second, WM_MOVE);
    EXPECT_EQ(Received(a, WM_SIZE)[0].lp, MAKELPARAM(70, 40));
    RECT r;
    GetWindowRect(a, &r);
    EXPECT_EQ(r, (RECT{10, 20, 80, 60}));
    // Z-order among siblings.
    HWND b = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top);
    EXPECT_EQ(GetWindow(top, GW_CHILD), b);
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    EXPECT_EQ(GetNextWindow(a, GW_HWNDNEXT), b);
    SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), b);
    EXPECT_EQ(ChildWindowFromPointEx(top, POINT{12, 22}, CWP_ALL), b);
    EXPECT_EQ(ChildWindowFromPointEx(top, POINT{60, 30}, CWP_ALL), a);
    EXPECT_EQ(ChildWindowFromPointEx(top, POINT{150, 150}, CWP_ALL), top);
}

TEST_F(WndInput, SubclassingThroughTheWindowProcedureSlot) {
    HWND a = Make(WS_POPUP, 0, 0, 10, 10);
    static WNDPROC previous = nullptr;
    static int seen = 0;
    seen = 0;
    previous = reinterpret_cast<WNDPROC>(SetWindowLongPtr(
        a, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            if (m == WM_USER) ++seen;
            return CallWindowProc(previous, h, m, wp, lp);
        })));
    SendMessage(a, WM_USER, 0, 0);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(Received(a, WM_USER).size(), 1u);  // the original procedure still ran
    // An object's method as the procedure.
    int methodSeen = 0;
    WNDPROC inst = MakeObjectInstance([&](TMessage& m) {
        if (m.Msg == WM_USER) ++methodSeen;
        m.Result = 5;
    });
    SetWindowLongPtr(a, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(inst));
    EXPECT_EQ(SendMessage(a, WM_USER, 0, 0), 5);
    EXPECT_EQ(methodSeen, 1);
    SetWindowLongPtr(a, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    FreeObjectInstance(inst);
    char name[64];
    EXPECT_EQ(GetClassName(a, name, sizeof name), 13);
    EXPECT_STREQ(name, "ZelTestWindow");
    EXPECT_EQ(RegisterWindowMessage("Zel.Test"), RegisterWindowMessage("zel.test"));
    EXPECT_GE(RegisterWindowMessage("Zel.Test"), 0xC000u);
}

TEST_F(WndInput, BroadcastsReachTopLevelAndMessageOnlyWindows) {
    HWND top = Make(WS_POPUP, 0, 0, 10, 10);
    HWND child = Make(WS_CHILD, 0, 0, 5, 5, top);
    int hidden = 0;
    HWND msgOnly = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_SYSCOLORCHANGE) ++hidden;
    });
    Log().clear();
    BroadcastSystemMessage(WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(Received(top, WM_SYSCOLORCHANGE).size(), 1u);
    EXPECT_TRUE(Received(child, WM_SYSCOLORCHANGE).empty());
    EXPECT_EQ(hidden, 1);
    DeallocateHWnd(msgOnly);
}

TEST_F(WndInput, AnUnhandledF1BecomesHelpThatClimbsToTheParentThenTheOwner) {
    HWND owner = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND popup = Make(WS_POPUP | WS_VISIBLE, 20, 20, 150, 150, owner);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, popup);
    SetWindowLongPtr(child, GWL_ID, 42);
    SetWindowContextHelpId(child, 77);
    EXPECT_EQ(GetWindowContextHelpId(child), 77u);
    std::vector<HELPINFO> atOwner;
    On(owner, [&](HWND, UINT m, WPARAM, LPARAM lp, LRESULT& r) {
        if (m != WM_HELP) return false;
        atOwner.push_back(*reinterpret_cast<const HELPINFO*>(lp));
        r = TRUE;
        return true;
    });
    SetCursorPos(35, 36);
    ProcessPendingMessages();
    SetFocus(child);
    ProcessPendingMessages();
    ASSERT_EQ(GetFocus(), child);
    Log().clear();

    keybd_event(VK_F1, 0, 0, 0);
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
    EXPECT_EQ(Sequence({WM_HELP}),
              (std::vector<std::pair<HWND, UINT>>{{child, WM_HELP}, {popup, WM_HELP}, {owner, WM_HELP}}));
    ASSERT_EQ(atOwner.size(), 1u);
    EXPECT_EQ(atOwner[0].cbSize, sizeof(HELPINFO));
    EXPECT_EQ(atOwner[0].iContextType, HELPINFO_WINDOW);
    EXPECT_EQ(atOwner[0].hItemHandle, child);
    EXPECT_EQ(atOwner[0].iCtrlId, 42);
    EXPECT_EQ(atOwner[0].dwContextId, 77u);
    EXPECT_EQ(atOwner[0].MousePos, (POINT{35, 36}));

    // Ctrl+F1 and other keys ask for no help.
    Log().clear();
    keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event(VK_F1, 0, 0, 0);
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_F2, 0, 0, 0);
    keybd_event(VK_F2, 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
    EXPECT_TRUE(Sequence({WM_HELP}).empty());
    EXPECT_EQ(atOwner.size(), 1u);
}

// One caret for the program: created by a window, placed in its client coordinates, gone with DestroyCaret or
// with its window.
TEST_F(WndInput, TheCaretBelongsToOneWindowAndGoesWithIt) {
    HWND a = Make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    HWND b = Make(WS_POPUP | WS_VISIBLE, 60, 0, 50, 50);
    POINT p{};
    EXPECT_FALSE(GetCaretPos(&p));
    EXPECT_FALSE(SetCaretPos(1, 1));
    ASSERT_TRUE(CreateCaret(a, nullptr, 1, 12));
    EXPECT_EQ(GetCaretWindow(), a);
    EXPECT_TRUE(SetCaretPos(7, 3));
    ASSERT_TRUE(GetCaretPos(&p));
    EXPECT_EQ(p, (POINT{7, 3}));
    EXPECT_FALSE(ShowCaret(b)) << "not its caret";
    EXPECT_TRUE(ShowCaret(a));
    EXPECT_TRUE(HideCaret(nullptr));
    // A new caret replaces the old one, at the new window's origin.
    ASSERT_TRUE(CreateCaret(b, nullptr, 1, 12));
    EXPECT_EQ(GetCaretWindow(), b);
    ASSERT_TRUE(GetCaretPos(&p));
    EXPECT_EQ(p, (POINT{0, 0}));
    DestroyWindow(b);
    EXPECT_EQ(GetCaretWindow(), nullptr);
    EXPECT_FALSE(DestroyCaret());
}

}  // namespace
}  // namespace zel::test
