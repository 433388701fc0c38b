// The message queue: sending, posting, filters, WM_QUIT, painting, timers, exceptions and threads.
#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

#include "WndTestSupport.h"
#include "platform/rtl/Clock.h"
#include "platform/win/Gdi.h"

namespace zel::test {
namespace {

class WndQueue : public WndTest {};

TEST_F(WndQueue, SendRunsAtOnceAndPostedMessagesArriveLaterInPostingOrder) {
    HWND a = Make(WS_POPUP, 0, 0, 10, 10);
    HWND b = Make(WS_POPUP, 0, 0, 10, 10);
    Log().clear();
    PostMessage(a, WM_USER + 1, 1, 0);
    PostMessage(b, WM_USER + 2, 2, 0);
    PostMessage(a, WM_USER + 3, 3, 0);
    EXPECT_EQ(SendMessage(b, WM_USER + 9, 0, 0), 0);
    ASSERT_EQ(Log().size(), 1u);  // only the sent one so far
    EXPECT_EQ(Log()[0].msg, WM_USER + 9u);
    ProcessPendingMessages();
    auto seq = Sequence({WM_USER + 1, WM_USER + 2, WM_USER + 3});
    ASSERT_EQ(seq.size(), 3u);
    EXPECT_EQ(seq[0], std::make_pair(a, WM_USER + 1u));
    EXPECT_EQ(seq[1], std::make_pair(b, WM_USER + 2u));
    EXPECT_EQ(seq[2], std::make_pair(a, WM_USER + 3u));
}

TEST_F(WndQueue, SendMessageReturnsTheProcedureResult) {
    HWND a = Make(WS_POPUP, 0, 0, 10, 10);
    On(a, [](HWND, UINT m, WPARAM wp, LPARAM, LRESULT& r) {
        if (m != WM_USER) return false;
        r = static_cast<LRESULT>(wp * 2);
        return true;
    });
    EXPECT_EQ(SendMessage(a, WM_USER, 21, 0), 42);
    EXPECT_EQ(SendMessage(reinterpret_cast<HWND>(0x12345), WM_USER, 21, 0), 0);  // not a window
}

TEST_F(WndQueue, PeekWithFiltersLeavesOtherMessagesQueued) {
    HWND a = Make(WS_POPUP, 0, 0, 10, 10);
    HWND b = Make(WS_POPUP, 0, 0, 10, 10);
    PostMessage(a, WM_USER + 1, 0, 0);
    PostMessage(b, WM_USER + 5, 0, 0);
    PostMessage(a, WM_USER + 7, 0, 0);
    MSG m;
    // Range filter: only 5..7, first match first.
    ASSERT_TRUE(PeekMessage(&m, nullptr, WM_USER + 5, WM_USER + 7, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 5u);
    // Window filter.
    ASSERT_TRUE(PeekMessage(&m, a, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, WM_USER + 1u);
    ASSERT_TRUE(PeekMessage(&m, a, WM_USER + 2, WM_USER + 9, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 7u);
    EXPECT_FALSE(PeekMessage(&m, b, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 1u);
    EXPECT_FALSE(PeekMessage(&m, nullptr, WM_USER, WM_USER + 100, PM_REMOVE));
}

TEST_F(WndQueue, ThreadMessagesHaveNoWindowAndMatchTheThreadFilter) {
    HWND a = Make(WS_POPUP, 0, 0, 10, 10);
    PostMessage(a, WM_USER + 1, 0, 0);
    PostThreadMessage(GetCurrentThreadId(), WM_USER + 2, 0, 0);
    MSG m;
    ASSERT_TRUE(PeekMessage(&m, HWND_MESSAGE, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, nullptr);
    EXPECT_EQ(m.message, WM_USER + 2u);
    ProcessPendingMessages();
}

TEST_F(WndQueue, QuitEndsGetMessageAfterThePostedMessagesAndSurvivesProcessPendingMessages) {
    HWND a = Make(WS_POPUP, 0, 0, 10, 10);
    PostMessage(a, WM_USER + 1, 0, 0);
    PostQuitMessage(7);
    PostMessage(a, WM_USER + 2, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(Received(a, WM_USER + 2).size(), 1u);
    EXPECT_TRUE(QuitPending());
    MSG m;
    EXPECT_FALSE(GetMessage(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 7u);
    EXPECT_FALSE(QuitPending());
}

TEST_F(WndQueue, MessagesForADestroyedWindowAreDropped) {
    HWND a = Make(WS_POPUP, 0, 0, 10, 10);
    HWND b = Make(WS_POPUP, 0, 0, 10, 10);
    PostMessage(a, WM_USER, 0, 0);
    PostMessage(b, WM_USER, 0, 0);
    DestroyWindow(a);
    EXPECT_FALSE(PostMessage(a, WM_USER, 0, 0));
    Log().clear();
    ProcessPendingMessages();
    EXPECT_TRUE(Received(a, WM_USER).empty());
    EXPECT_EQ(Received(b, WM_USER).size(), 1u);
}

// Owned windows are destroyed before their owner, also when they were handed to another owner since.
TEST_F(WndQueue, OwnedWindowsGoWithTheOwnerTheyHaveWhenItIsDestroyed) {
    HWND first = Make(WS_POPUP, 0, 0, 50, 50);
    HWND second = Make(WS_POPUP, 0, 0, 50, 50);
    HWND inside = Make(WS_CHILD, 0, 0, 10, 10, first);
    HWND ownedThroughChild = Make(WS_POPUP, 0, 0, 20, 20, inside);  // owned by the child's top-level window
    HWND moved = Make(WS_POPUP, 0, 0, 20, 20, first);
    SetWindowLongPtr(moved, GWL_HWNDPARENT, reinterpret_cast<LONG_PTR>(second));
    ASSERT_EQ(GetWindow(ownedThroughChild, GW_OWNER), first);

    Log().clear();
    DestroyWindow(first);
    EXPECT_FALSE(IsWindow(ownedThroughChild));
    EXPECT_TRUE(IsWindow(moved));
    EXPECT_EQ(Sequence({WM_DESTROY}).front(), std::make_pair(ownedThroughChild, UINT{WM_DESTROY}));

    Log().clear();
    DestroyWindow(second);
    EXPECT_FALSE(IsWindow(moved));
    EXPECT_EQ(Sequence({WM_DESTROY}), (std::vector<std::pair<HWND, UINT>>{{moved, WM_DESTROY}, {second, WM_DESTROY}}));
}

TEST_F(WndQueue, AWindowDestroyedInsideItsOwnHandlerGetsNothingMore) {
    HWND top = Make(WS_POPUP, 0, 0, 50, 50);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
    On(top, [](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_USER) DestroyWindow(h);
        return false;
    });
    PostMessage(top, WM_USER, 0, 0);
    PostMessage(top, WM_USER + 1, 0, 0);
    PostMessage(child, WM_USER + 1, 0, 0);
    Log().clear();
    ProcessPendingMessages();
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_TRUE(Received(top, WM_USER + 1).empty());
    EXPECT_TRUE(Received(child, WM_USER + 1).empty());
    // WM_DESTROY parent first, WM_NCDESTROY child first.
    auto seq = Sequence({WM_DESTROY, WM_NCDESTROY});
    ASSERT_EQ(seq.size(), 4u);
    EXPECT_EQ(seq[0], std::make_pair(top, WM_DESTROY));
    EXPECT_EQ(seq[1], std::make_pair(child, WM_DESTROY));
    EXPECT_EQ(seq[2], std::make_pair(child, WM_NCDESTROY));
    EXPECT_EQ(seq[3], std::make_pair(top, WM_NCDESTROY));
}

TEST_F(WndQueue, SeveralInvalidationsGiveOnePaintWithTheirUnion) {
    HWND a = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 100);
    ProcessPendingMessages();
    RECT painted{};
    int paints = 0;
    On(a, [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m != WM_PAINT) return false;
        ++paints;
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        painted = ps.rcPaint;
        EndPaint(h, &ps);
        return true;
    });
    RECT r1{10, 10, 20, 20}, r2{50, 40, 60, 70};
    InvalidateRect(a, &r1, FALSE);
    InvalidateRect(a, &r2, FALSE);
    RECT upd{};
    EXPECT_TRUE(GetUpdateRect(a, &upd, FALSE));
    EXPECT_EQ(upd, (RECT{10, 10, 60, 70}));
    ProcessPendingMessages();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(painted, (RECT{10, 10, 60, 70}));
    EXPECT_FALSE(GetUpdateRect(a, &upd, FALSE));
    ProcessPendingMessages();
    EXPECT_EQ(paints, 1);  // validated: no second paint
}

TEST_F(WndQueue, PaintComesAfterPostedMessagesAndHiddenWindowsAreNotPainted) {
    HWND shown = Make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    HWND hidden = Make(WS_POPUP, 0, 0, 50, 50);
    ProcessPendingMessages();
    Log().clear();
    InvalidateRect(shown, nullptr, TRUE);
    InvalidateRect(hidden, nullptr, TRUE);
    PostMessage(shown, WM_USER, 0, 0);
    ProcessPendingMessages();
    auto seq = Sequence({WM_USER, WM_PAINT, WM_ERASEBKGND});
    ASSERT_EQ(seq.size(), 3u);
    EXPECT_EQ(seq[0].second, WM_USER);
    EXPECT_EQ(seq[1].second, WM_PAINT);
    EXPECT_EQ(seq[2].second, WM_ERASEBKGND);  // from BeginPaint, since erasing was asked
    EXPECT_TRUE(Received(hidden, WM_PAINT).empty());
}

TEST_F(WndQueue, PaintingDrawsIntoTheWindowImageThroughGetDC) {
    HWND a = Make(WS_POPUP | WS_VISIBLE, 0, 0, 20, 20);
    HDC dc = GetDC(a);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(WindowFromDC(dc), a);
    HBRUSH red = CreateSolidBrush(0x0000FF);
    RECT r{0, 0, 5, 5};
    FillRect(dc, &r, red);
    EXPECT_EQ(GetPixel(dc, 2, 2), 0x0000FFu);
    EXPECT_EQ(ReleaseDC(a, dc), 1);
    DeleteObject(red);
}

TEST_F(WndQueue, ExceptionsFromHandlersGoToTheApplicationHandler) {
    std::vector<std::string> caught;
    SetApplicationExceptionHandler([&](const std::exception& e) { caught.push_back(e.what()); });
    HWND a = Make(WS_POPUP, 0, 0, 10, 10);
    On(a, [](HWND, UINT m, WPARAM, LPARAM, LRESULT&) -> bool {
        if (m == WM_USER) throw std::runtime_error("sent");
        if (m == WM_USER + 1) throw std::runtime_error("posted");
        return false;
    });
    EXPECT_EQ(SendMessage(a, WM_USER, 0, 0), 0);
    PostMessage(a, WM_USER + 1, 0, 0);
    PostMessage(a, WM_USER + 2, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(caught, (std::vector<std::string>{"sent", "posted"}));
    EXPECT_EQ(Received(a, WM_USER + 2).size(), 1u);  // the queue went on
}

TEST_F(WndQueue, PostMessageFromAnotherThreadIsDeliveredInOrderOnTheMainThread) {
    std::vector<WPARAM> got;
    std::thread::id deliveredOn;
    HWND h = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_USER) {
            got.push_back(m.WParam);
            deliveredOn = std::this_thread::get_id();
        } else {
            m.Result = DefWindowProc(nullptr, m.Msg, m.WParam, m.LParam);
        }
    });
    ASSERT_NE(h, nullptr);
    constexpr int kCount = 2000;
    std::thread producer([h] {
        for (int i = 0; i < kCount; ++i) PostMessage(h, WM_USER, static_cast<WPARAM>(i), 0);
    });
    producer.join();
    MSG m;
    while (got.size() < kCount && GetMessage(&m, nullptr, 0, 0)) DispatchMessage(&m);
    ASSERT_EQ(got.size(), static_cast<std::size_t>(kCount));
    for (int i = 0; i < kCount; ++i) ASSERT_EQ(got[static_cast<std::size_t>(i)], static_cast<WPARAM>(i));
    EXPECT_EQ(deliveredOn, std::this_thread::get_id());
    DeallocateHWnd(h);
    EXPECT_FALSE(PostMessage(h, WM_USER, 0, 0));
}

TEST_F(WndQueue, MessageOnlyWindowsAreNeverVisibleNorTopLevel) {
    HWND h = AllocateHWnd([](TMessage&) {});
    EXPECT_TRUE(IsWindow(h));
    ShowWindow(h, SW_SHOW);
    EXPECT_FALSE(IsWindowVisible(h));
    EnumWindows([&](HWND w) {
        EXPECT_NE(w, h);
        return TRUE;
    });
    DeallocateHWnd(h);
    EXPECT_FALSE(IsWindow(h));
}

// ---- Timers ----

class WndTimers : public WndTest {
protected:
    TManualClockScope clock_;
};

TEST_F(WndTimers, DueTimersFireInOrderAndCoalescePerWindowAndId) {
    HWND a = Make(WS_POPUP, 0, 0, 10, 10);
    HWND b = Make(WS_POPUP, 0, 0, 10, 10);
    ASSERT_EQ(SetTimer(a, 1, 100, nullptr), 1u);
    ASSERT_EQ(SetTimer(b, 2, 30, nullptr), 2u);
    clock_->Advance(29);
    ProcessPendingMessages();
    EXPECT_TRUE(Sequence({WM_TIMER}).empty());
    clock_->Advance(1);   // b due at 30
    clock_->Advance(70);  // b at 60 and 90 (coalesced: one waiting message), a at 100
    ProcessPendingMessages();
    auto seq = Sequence({WM_TIMER});
    ASSERT_EQ(seq.size(), 2u);
    EXPECT_EQ(seq[0].first, b);
    EXPECT_EQ(seq[1].first, a);
    EXPECT_EQ(Received(b, WM_TIMER)[0].wp, 2u);
    EXPECT_TRUE(KillTimer(b, 2));
    EXPECT_FALSE(KillTimer(b, 2));
    Log().clear();
    clock_->Advance(100);
    ProcessPendingMessages();
    EXPECT_TRUE(Received(b, WM_TIMER).empty());
    EXPECT_EQ(Received(a, WM_TIMER).size(), 1u);
}

TEST_F(WndTimers, KillTimerRemovesATickAlreadyWaiting) {
    HWND a = Make(WS_POPUP, 0, 0, 10, 10);
    SetTimer(a, 5, 50, nullptr);
    clock_->Advance(50);
    KillTimer(a, 5);
    ProcessPendingMessages();
    EXPECT_TRUE(Received(a, WM_TIMER).empty());
}

TEST_F(WndTimers, CallbackTimersAndTimersOfADestroyedWindow) {
    static std::vector<UINT_PTR> fired;
    fired.clear();
    UINT_PTR id = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR timer, DWORD) { fired.push_back(timer); });
    ASSERT_NE(id, 0u);
    HWND a = Make(WS_POPUP, 0, 0, 10, 10);
    SetTimer(a, 1, 20, nullptr);
    DestroyWindow(a);
    clock_->Advance(20);
    ProcessPendingMessages();
    EXPECT_EQ(fired, (std::vector<UINT_PTR>{id}));
    EXPECT_TRUE(Received(a, WM_TIMER).empty());
    KillTimer(nullptr, id);
}

TEST_F(WndTimers, ATimerCallbackThatThrowsReachesTheApplicationHandler) {
    int caught = 0;
    SetApplicationExceptionHandler([&](const std::exception&) { ++caught; });
    UINT_PTR id = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { throw std::runtime_error("tick"); });
    clock_->Advance(10);
    ProcessPendingMessages();
    EXPECT_EQ(caught, 1);
    KillTimer(nullptr, id);
}

}  // namespace
}  // namespace zel::test
