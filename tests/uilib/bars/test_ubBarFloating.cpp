// The floating toolbar window: its frame's hit codes, the sizes a frame drag snaps to, and a window lost
// off every work area coming back.
#include <gtest/gtest.h>

#include <algorithm>

#include "MainWindowBars.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarFloatingLayout.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarToolbarControl.h"

namespace zel::test {
namespace {

// A frame of 3-pixel borders, a 15-pixel caption band and 2-pixel margins on a 100 x 60 window.
TubFloatingFrame Frame() {
    TubFloatingFrame f;
    f.BorderWidth = 3;
    f.BorderHeight = 3;
    f.CaptionHeight = 15;
    f.Margins = TRect{2, 2, 2, 2};
    return f;
}

TEST(ubBarFloatingGeometry, FrameHitCodes) {
    const TRect close{80, 3, 95, 18};
    struct Row {
        const char* Name;
        TPoint P;
        int Hit;
    };
    const Row rows[] = {
        {"top-left corner, within the top border", {1, 1}, HTTOP},
        {"left border below the top border", {1, 10}, HTLEFT},
        {"top-right corner", {98, 2}, HTTOP},
        {"right border", {98, 30}, HTRIGHT},
        {"bottom-left corner", {1, 58}, HTBOTTOM},
        {"bottom-right corner", {99, 59}, HTBOTTOM},
        {"caption band", {30, 10}, HTCAPTION},
        {"close button", {85, 10}, ubFloatingCloseHit},
        {"margin beside the links", {4, 40}, HTCAPTION},
        {"between the links", {50, 40}, HTCAPTION},
    };
    for (const Row& r : rows) EXPECT_EQ(FloatingFrameHit(Frame(), TSize{100, 60}, r.P, close), r.Hit) << r.Name;
    EXPECT_EQ(Frame().NonClient(), (TRect{5, 20, 5, 5}));
}

TEST(ubBarFloatingGeometry, FrameDragsSnapToWrappedSizes) {
    // Links wrap to 40 pixels a line: a width gives ceil(300 / width) lines of 20; a height the width back.
    auto heightFor = [](int w) { return 20 * ((300 + w - 1) / w); };
    auto widthFor = [](int h) { return 300 / std::max(1, h / 20); };
    struct Row {
        const char* Name;
        int Edge;
        TRect In;
        TRect Out;
    };
    const Row rows[] = {
        {"right edge keeps the width, wraps the height", WMSZ_RIGHT, {100, 100, 250, 130}, {100, 100, 250, 140}},
        {"left edge keeps the right side", WMSZ_LEFT, {160, 100, 260, 130}, {160, 100, 260, 160}},
        {"bottom edge keeps the height, takes its width", WMSZ_BOTTOM, {100, 100, 150, 160}, {100, 100, 200, 160}},
        {"top edge keeps the bottom", WMSZ_TOP, {100, 80, 150, 160}, {100, 80, 175, 160}},
        {"a corner leaves it as it is", WMSZ_BOTTOMRIGHT, {100, 100, 123, 145}, {100, 100, 123, 145}},
        {"a top above -15 comes down", WMSZ_TOP, {100, -40, 150, 20}, {100, -15, 200, 45}},
    };
    for (const Row& r : rows) EXPECT_EQ(SnapFloatingSizing(r.Edge, r.In, heightFor, widthFor), r.Out) << r.Name;
}

TEST(ubBarFloatingGeometry, LostWindowComesBackToTheEdgeOfTheWorkAreaUnderThePointer) {
    const std::vector<TRect> areas{{0, 0, 1024, 740}, {1024, 0, 2048, 768}};
    const TRect under = areas[0];
    struct Row {
        const char* Name;
        TRect In;
        TRect Out;
        bool Moved;
    };
    const Row rows[] = {
        {"wholly left", {-500, 100, -400, 150}, {0, 100, 100, 150}, true},
        {"wholly above", {200, -300, 300, -250}, {200, 0, 300, 50}, true},
        {"wholly right of every area", {2100, 100, 2200, 150}, {924, 100, 1024, 150}, true},
        {"wholly below and left", {-300, 900, -200, 950}, {0, 690, 100, 740}, true},
        {"partly on an area stays", {-50, 100, 50, 150}, {-50, 100, 50, 150}, false},
        {"on the second monitor stays", {1500, 700, 1600, 750}, {1500, 700, 1600, 750}, false},
    };
    for (const Row& r : rows) {
        TRect rect = r.In;
        EXPECT_EQ(PullOntoWorkArea(rect, areas, under), r.Moved) << r.Name;
        EXPECT_EQ(rect, r.Out) << r.Name;
    }
}

}  // namespace
}  // namespace zel::test

// ---- the main window's toolbar moved with real mouse messages, on the manual clock

namespace zel::test {
namespace {

class ubBarFloating : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form_ = Construct<TFormBarsSample>(nullptr);
        form_->SetBounds(60, 60, 640, 300);
        form_->Show();
        ProcessPendingMessages();
        Manager()->OnBarClose = [this](TubBarManager*, TubBar* Bar) { Closed.push_back(Bar->GetCaption()); };
    }
    void TearDown() override {
        if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
        delete form_;
        BarsTest::TearDown();
    }
    TubBarManager* Manager() const { return form_->Manager; }
    TubBar* ToolBar() const { return Manager()->GetBars()->Items(1); }
    TubBarControl* Tools() const { return ToolBar()->Control(); }
    TubDockControl* TopDock() const { return Manager()->GetBars()->DockControls(dsTop); }
    static RECT WindowRectOf(TWinControl* W) {
        RECT r;
        GetWindowRect(W->GetHandle(), &r);
        return r;
    }
    // The middle of the docked toolbar's grip, or of a floating bar's caption left of its close button.
    TPoint GripPoint() {
        const RECT w = WindowRectOf(Tools());
        if (Tools()->IsFloating()) {
            const TRect c = Tools()->FloatingCaptionRect();
            return TPoint{w.left + c.left + 8, w.top + (c.top + c.bottom) / 2};
        }
        const TRect g = Tools()->GripRect();
        return TPoint{w.left + (g.left + g.right) / 2, w.top + (g.top + g.bottom) / 2};
    }
    static void Press(TPoint P) {
        SetCursorPos(P.x, P.y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    }
    static void MoveTo(TPoint P) { SetCursorPos(P.x, P.y); }
    static void Release() { mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0); }
    static void Key(WORD K, bool Up) { keybd_event(static_cast<BYTE>(K), 0, Up ? KEYEVENTF_KEYUP : 0, 0); }
    // Moves that follow each other in the queue are merged into the last; a key between keeps them apart.
    static void Apart() {
        Key(VK_SHIFT, false);
        Key(VK_SHIFT, true);
    }
    // Dispatches what is queued, and what handlers queue meanwhile (input made inside a move loop reaches it).
    static void Pump() {
        MSG m;
        for (int i = 0; i < 1000 && PeekMessage(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
    }
    // Drags the docked toolbar by its grip to a point below the form, where it floats.
    void Float() {
        Press(GripPoint());
        MoveTo(TPoint{200, 450});
        MoveTo(TPoint{210, 460});
        Release();
        ProcessPendingMessages();
        ASSERT_NE(Tools(), nullptr);
        ASSERT_TRUE(Tools()->IsFloating());
    }
    // Runs Step when the move loop takes the Shift key from the queue: the clock moves on from there.
    void OnShift(std::function<void()> Step) {
        hook_ = SetWindowsHookEx(WH_GETMESSAGE, [Step](int Code, WPARAM W, LPARAM L) -> LRESULT {
            auto* msg = reinterpret_cast<MSG*>(L);
            if (Code >= 0 && msg->message == WM_KEYDOWN && msg->wParam == VK_SHIFT) Step();
            return CallNextHookEx(nullptr, Code, W, L);
        });
    }

    TFormBarsSample* form_ = nullptr;
    HHOOK hook_ = nullptr;
    std::vector<std::string> Closed;
};

TEST_F(ubBarFloating, TheGripDragsTheToolbarOffTheDockAndItFloatsWithItsCaptionAndCloseButton) {
    ASSERT_NE(Tools(), nullptr);
    ASSERT_EQ(TopDock()->RowCount(), 2);
    const TPoint grip = GripPoint();
    const RECT docked = WindowRectOf(Tools());
    TubBarControl* before = Tools();
    const HWND dockedWindow = before->GetHandle();
    TubBarItemControl* open = ToolBar()->GetItemLinks()->Items(1)->Control;
    Float();
    TubBarControl* tools = Tools();
    // The same window object and item controls, on a window of their own as a pop-up.
    EXPECT_EQ(tools, before);
    EXPECT_EQ(ToolBar()->GetItemLinks()->Items(1)->Control, open);
    EXPECT_NE(tools->GetHandle(), dockedWindow);
    EXPECT_FALSE(IsWindow(dockedWindow));  // the docked window went when the move ended
    EXPECT_EQ(tools->GetText(), "ToolBar");
    EXPECT_EQ(ToolBar()->GetDockingStyle(), dsNone);
    EXPECT_EQ(tools->DockControl(), nullptr);
    EXPECT_NE(GetWindowLong(tools->GetHandle(), GWL_STYLE) & WS_POPUP, 0);
    EXPECT_EQ(GetWindowLong(tools->GetHandle(), GWL_STYLE) & WS_CHILD, 0);
    EXPECT_EQ(GetWindow(tools->GetHandle(), GW_OWNER), form_->GetHandle());
    EXPECT_TRUE(IsWindowVisible(tools->GetHandle()));
    EXPECT_EQ(TopDock()->RowCount(), 1);  // the dock closed up behind it
    // The pointer keeps its place on the bar: as far from the window's corner as it was on the grip.
    const RECT floating = WindowRectOf(tools);
    EXPECT_NEAR(210 - floating.left,
                (grip.x - docked.left) * (floating.right - floating.left) / (docked.right - docked.left), 1);
    EXPECT_EQ(ToolBar()->GetFloatLeft(), floating.left);
    EXPECT_EQ(ToolBar()->GetFloatTop(), floating.top);
    // The caption band and the close button are the frame's; the links the client's.
    const TRect close = tools->FloatingCloseButtonRect();
    ASSERT_FALSE(IsRectEmpty(&close));
    auto hit = [&](int X, int Y) {
        return SendMessage(tools->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(floating.left + X, floating.top + Y));
    };
    EXPECT_EQ(hit((close.left + close.right) / 2, (close.top + close.bottom) / 2), ubFloatingCloseHit);
    EXPECT_EQ(hit(12, (close.top + close.bottom) / 2), HTCAPTION);
    const TRect openRect = ToolBar()->GetItemLinks()->Items(1)->ItemRect;
    POINT c{(openRect.left + openRect.right) / 2, (openRect.top + openRect.bottom) / 2};
    ClientToScreen(tools->GetHandle(), &c);
    EXPECT_EQ(SendMessage(tools->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), HTCLIENT);
    // Every link shows inside the client area.
    const TRect client = tools->GetClientRect();
    for (TubBarItemLink* link : ToolBar()->GetItemLinks()->VisibleItems()) {
        TRect in;
        EXPECT_TRUE(IntersectRect(&in, &link->ItemRect, &client) && in == link->ItemRect) << link->GetItem()->GetName();
    }
    const RECT area{floating.left - 20, floating.top - 20, floating.right + 20, floating.bottom + 20};
    EXPECT_TRUE(SaveScreenImage(area, ScreenshotPath("floating-toolbar")));
}

TEST_F(ubBarFloating, BackOverTheTopDockItDocksOnlyAfterTheDockingWait) {
    Float();
    bool floatingAfter10 = false, floatingAfter20 = false;
    bool pending = false;
    OnShift([&] {
        pending = Manager()->GetBars()->DockingPending();
        clock_->Advance(10);
        floatingAfter10 = Tools()->IsFloating();
        clock_->Advance(10);
        floatingAfter20 = Tools()->IsFloating();
        clock_->Advance(5);  // 25 ms: the wait of 21 ms is over
    });
    // Once the wait is over and the bar docked, the button goes up.
    Manager()->OnBarDockingStyleChange = [](TubBarManager*, TubBar* Bar) {
        if (Bar->GetDockingStyle() == dsTop) mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    };
    const RECT top = WindowRectOf(TopDock());
    Press(GripPoint());
    MoveTo(TPoint{top.left + 300, top.bottom + 5});  // within the dock's band below its last row
    Key(VK_SHIFT, false);
    Pump();
    EXPECT_TRUE(pending);
    EXPECT_TRUE(floatingAfter10);
    EXPECT_TRUE(floatingAfter20);
    EXPECT_FALSE(Manager()->GetBars()->DockingPending());
    ASSERT_NE(Tools(), nullptr);
    EXPECT_FALSE(Tools()->IsFloating());
    EXPECT_EQ(ToolBar()->GetDockingStyle(), dsTop);
    EXPECT_EQ(Tools()->DockControl(), TopDock());
    EXPECT_EQ(TopDock()->RowCount(), 2);
    EXPECT_EQ(GetParent(Tools()->GetHandle()), TopDock()->GetHandle());
    EXPECT_EQ(GetCapture(), nullptr);
    Key(VK_SHIFT, true);
}

// Where a floating toolbar docks on the top dock, which holds the menu bar (a whole-row bar) alone: the drop
// bands around and across its row decide, and the menu bar never shares its row.
TEST_F(ubBarFloating, TheDropPointPicksTheRowAndAWholeRowBarNeverSharesItsRow) {
    struct Row {
        const char* Name;
        int Y;           // the pointer's distance from the top of the menu bar's row (negative: above it)
        int ToolbarRow;  // where the toolbar docks
    };
    TubBar* menu = Manager()->GetBars()->Items(0);
    ToolBar()->SetDockingStyle(dsNone);
    ProcessPendingMessages();
    ASSERT_EQ(TopDock()->RowCount(), 1);
    const int h = menu->Control()->GetHeight();
    const Row rows[] = {
        {"less than 9 above the row would join it: a row of its own before", -5, 0},
        {"at the top of the whole-row bar's row: a row of its own before", 3, 0},
        {"in the new-row zone of the menu bar's row: after it", 11, 1},
        {"in the lower part of the row: after it", h - 2, 1},
        {"just below the last row: a new row after it", h + 3, 1},
    };
    Manager()->OnBarDockingStyleChange = [](TubBarManager*, TubBar* Bar) {
        if (Bar->GetDockingStyle() == dsTop) mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    };
    for (const Row& r : rows) {
        ASSERT_TRUE(Tools()->IsFloating()) << r.Name;
        OnShift([this] { clock_->Advance(30); });
        RECT top;
        GetWindowRect(menu->Control()->GetHandle(), &top);
        Press(GripPoint());
        MoveTo(TPoint{top.left + 300, top.top + r.Y});
        Key(VK_SHIFT, false);
        Pump();
        UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
        Key(VK_SHIFT, true);
        ProcessPendingMessages();
        ASSERT_NE(Tools(), nullptr) << r.Name;
        EXPECT_EQ(Tools()->DockControl(), TopDock()) << r.Name;
        ASSERT_EQ(TopDock()->RowCount(), 2) << r.Name;
        int row = -1, col = -1;
        TopDock()->FindPlace(Tools(), row, col);
        EXPECT_EQ(row, r.ToolbarRow) << r.Name;
        TopDock()->FindPlace(menu->Control(), row, col);
        EXPECT_EQ(row, 1 - r.ToolbarRow) << r.Name;
        EXPECT_EQ(ToolBar()->GetRow(), r.ToolbarRow) << r.Name;
        ToolBar()->SetDockingStyle(dsNone);
        ProcessPendingMessages();
    }
}

TEST_F(ubBarFloating, CtrlKeepsTheBarFloatingAndDecidesAgainAtOnce) {
    // Docked, the toolbar moves along its row; Ctrl pressed without a move floats it at once; released over
    // the dock, the bar waits to dock.
    struct Seen {
        bool Floating;
        int Left;
        bool DockingPending;
    };
    std::vector<Seen> seen;
    OnShift([&] {
        seen.push_back({Tools()->IsFloating(), Tools()->GetLeft(), Manager()->GetBars()->DockingPending()});
    });
    const int left = Tools()->GetLeft();
    const TPoint grip = GripPoint();
    Press(grip);
    MoveTo(TPoint{grip.x + 40, grip.y});
    Key(VK_SHIFT, false);
    Key(VK_CONTROL, false);
    Key(VK_SHIFT, false);
    Key(VK_CONTROL, true);
    Key(VK_SHIFT, false);
    Release();
    Key(VK_SHIFT, true);
    ProcessPendingMessages();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_FALSE(seen[0].Floating);
    EXPECT_EQ(seen[0].Left, left + 40);
    EXPECT_TRUE(seen[1].Floating);
    EXPECT_FALSE(seen[1].DockingPending);
    EXPECT_TRUE(seen[2].Floating);
    EXPECT_TRUE(seen[2].DockingPending);
    ASSERT_NE(Tools(), nullptr);
    EXPECT_TRUE(Tools()->IsFloating());

    // Over the dock with Ctrl held no docking waits, however long the pointer rests.
    seen.clear();
    UnhookWindowsHookEx(hook_);
    OnShift([&] {
        clock_->Advance(100);
        seen.push_back({Tools()->IsFloating(), 0, Manager()->GetBars()->DockingPending()});
    });
    const RECT top = WindowRectOf(TopDock());
    Press(GripPoint());
    Key(VK_CONTROL, false);
    MoveTo(TPoint{top.left + 300, top.bottom + 5});
    Key(VK_SHIFT, false);
    Release();
    Key(VK_CONTROL, true);
    Key(VK_SHIFT, true);
    ProcessPendingMessages();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].Floating);
    EXPECT_FALSE(seen[0].DockingPending);
    EXPECT_TRUE(Tools()->IsFloating());
}

TEST_F(ubBarFloating, AHandlerThatHidesTheMovingBarEndsTheMove) {
    // The bar's window goes while the loop holds the pointer: the loop ends without touching it.
    Manager()->OnBarDockingStyleChange = [](TubBarManager*, TubBar* Bar) {
        if (Bar->GetDockingStyle() == dsNone) Bar->SetVisible(false);
    };
    Press(GripPoint());
    MoveTo(TPoint{200, 450});
    MoveTo(TPoint{220, 470});
    Release();
    ProcessPendingMessages();
    EXPECT_EQ(Tools(), nullptr);
    EXPECT_FALSE(ToolBar()->GetVisible());
    EXPECT_FALSE(Manager()->GetBars()->Moving());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(TopDock()->RowCount(), 1);
}

TEST_F(ubBarFloating, EscapeEndsTheMoveWhereTheBarIs) {
    Float();
    const TPoint from = GripPoint();
    const RECT before = WindowRectOf(Tools());
    Press(from);
    MoveTo(TPoint{from.x + 70, from.y + 30});
    Key(VK_ESCAPE, false);
    MoveTo(TPoint{from.x + 200, from.y + 100});  // after Escape the pointer no longer moves the bar
    Key(VK_ESCAPE, true);
    Release();
    ProcessPendingMessages();
    const RECT after = WindowRectOf(Tools());
    EXPECT_EQ(after.left, before.left + 70);
    EXPECT_EQ(after.top, before.top + 30);
    EXPECT_TRUE(Tools()->IsFloating());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ubBarFloating, TheCloseButtonHidesTheBarWhenReleasedOverIt) {
    struct Row {
        const char* Name;
        bool ReleaseAway;
        bool Hidden;
    };
    for (const Row& r : {Row{"released over it", false, true}, Row{"released away from it", true, false}}) {
        ToolBar()->SetVisible(true);
        ToolBar()->SetDockingStyle(dsNone);
        ProcessPendingMessages();
        ASSERT_NE(Tools(), nullptr) << r.Name;
        Closed.clear();
        const RECT w = WindowRectOf(Tools());
        const TRect close = Tools()->FloatingCloseButtonRect();
        const TPoint p{w.left + (close.left + close.right) / 2, w.top + (close.top + close.bottom) / 2};
        Press(p);
        if (r.ReleaseAway) MoveTo(TPoint{p.x - 40, p.y + 30});
        Release();
        ProcessPendingMessages();
        EXPECT_EQ(ToolBar()->GetVisible(), !r.Hidden) << r.Name;
        EXPECT_EQ(Tools() == nullptr, r.Hidden) << r.Name;
        EXPECT_EQ(Closed, r.Hidden ? std::vector<std::string>{"ToolBar"} : std::vector<std::string>{}) << r.Name;
        EXPECT_EQ(GetCapture(), nullptr) << r.Name;
    }
}

TEST_F(ubBarFloating, EdgeCasesOfTheFloatingWindow) {
    Float();
    TubBarControl* tools = Tools();
    const HWND h = tools->GetHandle();
    // It cannot be sized below 10 x 10, nor past 30000 x 30000.
    MINMAXINFO info{};
    SendMessage(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 10);
    EXPECT_EQ(info.ptMinTrackSize.y, 10);
    EXPECT_EQ(info.ptMaxTrackSize.x, 30000);
    // Moved wholly off every monitor's work area, it comes back to the edge of the one under the pointer.
    MONITORINFO m{};
    m.cbSize = sizeof(m);
    SetCursorPos(300, 300);
    GetMonitorInfo(MonitorFromPoint(POINT{300, 300}, MONITOR_DEFAULTTONEAREST), &m);
    const int width = tools->GetWidth(), height = tools->GetHeight();
    struct Row {
        const char* Name;
        TPoint To;
        TPoint Back;
    };
    const Row rows[] = {
        {"left", {-5000, 200}, {m.rcWork.left, 200}},
        {"above", {200, -5000}, {200, m.rcWork.top}},
        {"right and below", {9000, 9000}, {m.rcWork.right - width, m.rcWork.bottom - height}},
        {"partly on the screen stays", {-20, 200}, {-20, 200}},
    };
    for (const Row& r : rows) {
        SetWindowPos(h, nullptr, r.To.x, r.To.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const RECT w = WindowRectOf(tools);
        EXPECT_EQ(w.left, r.Back.x) << r.Name;
        EXPECT_EQ(w.top, r.Back.y) << r.Name;
    }
    // Dragging its right edge narrower wraps the links onto more lines: the height follows the width.
    const RECT before = WindowRectOf(tools);
    const int rightEdge = before.right - 1, middle = (before.top + before.bottom) / 2;
    EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(rightEdge, middle)), HTRIGHT);
    Press(TPoint{rightEdge, middle});
    MoveTo(TPoint{rightEdge - (before.right - before.left) / 2, middle});
    Release();
    ProcessPendingMessages();
    const RECT after = WindowRectOf(tools);
    EXPECT_LT(after.right - after.left, before.right - before.left);
    EXPECT_GT(after.bottom - after.top, before.bottom - before.top);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(ToolBar()->GetFloatClientWidth(), tools->ClientWidth());
}

// A bar window made anew is told at once that it is active: a floating caption, and its form's, start active.
TEST_F(ubBarFloating, ANewBarWindowIsToldItIsActiveRightAfterItsCreation) {
    std::vector<std::pair<HWND, UINT>> seen;  // WM_CREATE and active WM_NCACTIVATE, in the order sent
    hook_ = SetWindowsHookEx(WH_CALLWNDPROC, [&seen](int Code, WPARAM W, LPARAM L) -> LRESULT {
        const auto* m = reinterpret_cast<CWPSTRUCT*>(L);
        if (Code >= 0 && (m->message == WM_CREATE || (m->message == WM_NCACTIVATE && m->wParam != 0)))
            seen.emplace_back(m->hwnd, m->message);
        return CallNextHookEx(nullptr, Code, W, L);
    });
    ToolBar()->SetDockingStyle(dsNone);
    UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    ASSERT_NE(Tools(), nullptr);
    ASSERT_TRUE(Tools()->IsFloating());
    const HWND bar = Tools()->GetHandle();
    const auto created = std::find(seen.begin(), seen.end(), std::make_pair(bar, static_cast<UINT>(WM_CREATE)));
    ASSERT_NE(created, seen.end());
    const auto active = std::find(created, seen.end(), std::make_pair(bar, static_cast<UINT>(WM_NCACTIVATE)));
    ASSERT_NE(active, seen.end());
    // Its form's caption is kept active too.
    EXPECT_NE(std::find(active, seen.end(), std::make_pair(form_->GetHandle(), static_cast<UINT>(WM_NCACTIVATE))),
              seen.end());
}

TEST_F(ubBarFloating, ADoubleClickOnTheGripFloatsTheBarAndOnTheCaptionDocksItAgain) {
    // Docked, then floating, then docked again in the row it had.
    for (const bool floats : {true, false}) {
        const TPoint grip = GripPoint();
        Press(grip);
        Release();
        Press(grip);
        Release();
        ProcessPendingMessages();
        ASSERT_NE(Tools(), nullptr);
        EXPECT_EQ(Tools()->IsFloating(), floats);
    }
    EXPECT_EQ(Tools()->DockControl(), TopDock());
    int row = -1, col = -1;
    TopDock()->FindPlace(Tools(), row, col);
    EXPECT_EQ(row, 1);
}

// A bar that was never docked has no place to go back to: a double click on its caption docks it at the top,
// on a new row of its own after the others; from then on it goes back where it was docked.
TEST_F(ubBarFloating, ADoubleClickDocksABarNeverDockedAtTheTopOnANewRowOfItsOwn) {
    TubBar* extra = Manager()->GetBars()->Add();
    extra->SetCaption("Extra");
    extra->GetItemLinks()->Add()->SetItem(Manager()->FindItemByName("FileNewItem"));
    extra->SetDockingStyle(dsNone);
    extra->SetFloatLeft(200);
    extra->SetFloatTop(420);
    extra->SetVisible(true);
    ProcessPendingMessages();
    ASSERT_NE(extra->Control(), nullptr);
    ASSERT_TRUE(extra->Control()->IsFloating());
    EXPECT_FALSE(extra->HasDockedPlace());
    const int rows = TopDock()->RowCount();
    auto doubleClick = [&] {
        const RECT w = WindowRectOf(extra->Control());
        const TRect c =
            extra->Control()->IsFloating() ? extra->Control()->FloatingCaptionRect() : extra->Control()->GripRect();
        const TPoint p{w.left + c.left + 4, w.top + (c.top + c.bottom) / 2};
        for (int i = 0; i < 2; ++i) {
            Press(p);
            Release();
        }
        ProcessPendingMessages();
        ASSERT_NE(extra->Control(), nullptr);
    };
    doubleClick();
    TubBarControl* docked = extra->Control();
    EXPECT_FALSE(docked->IsFloating());
    EXPECT_EQ(docked->DockControl(), TopDock());
    ASSERT_EQ(TopDock()->RowCount(), rows + 1);
    int row = -1, col = -1;
    TopDock()->FindPlace(docked, row, col);
    EXPECT_EQ(row, rows);
    EXPECT_EQ(TopDock()->Rows(row)->ColCount(), 1);
    EXPECT_TRUE(extra->HasDockedPlace());
    TopDock()->FindPlace(Tools(), row, col);
    EXPECT_EQ(row, 1);  // the bars docked before keep their rows

    // Floated and docked again, it goes back to its row.
    doubleClick();
    EXPECT_TRUE(extra->Control()->IsFloating());
    doubleClick();
    EXPECT_EQ(extra->Control()->DockControl(), TopDock());
    EXPECT_EQ(TopDock()->RowCount(), rows + 1);
    TopDock()->FindPlace(extra->Control(), row, col);
    EXPECT_EQ(row, rows);
}

}  // namespace
}  // namespace zel::test

// ---- a detachable menu torn off as its bar

namespace zel::test {
namespace {

class ubBarTearOff : public ubBarFloating {
protected:
    void SetUp() override {
        ubBarFloating::SetUp();
        form_->File1->Detachable = true;
        form_->File1->SetDetachingBar(1);  // the toolbar
        form_->File1->OnDetaching = [this](TObject*) { ++Detachings; };
    }
    TubBarSubMenuControl* FileMenu() const {
        return dynamic_cast<TubBarSubMenuControl*>(form_->File1->GetItemLinks()->BarControl);
    }
    // Opens File with a click on the menu bar.
    TubBarSubMenuControl* OpenFile() {
        TubBar* menuBar = Manager()->GetBars()->Items(0);
        const TRect r = menuBar->GetItemLinks()->Items(0)->ItemRect;
        const TPoint file = OnScreen(menuBar->Control(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        Press(file);
        Release();
        ProcessPendingMessages();
        return FileMenu();
    }
    // Opens File and presses its drag caption.
    TPoint OpenAndPressCaption() {
        TubBarSubMenuControl* menu = OpenFile();
        EXPECT_NE(menu, nullptr);
        if (menu == nullptr) return TPoint{};
        const TRect caption = menu->DragCaptionRect();
        EXPECT_FALSE(IsRectEmpty(&caption));
        EXPECT_GT(menu->GetItemLinks()->Items(0)->ItemRect.top, caption.bottom - 1);  // the links lie below it
        const TPoint p = OnScreen(menu, (caption.left + caption.right) / 2, (caption.top + caption.bottom) / 2);
        RECT area;
        GetWindowRect(menu->GetHandle(), &area);
        InflateRect(&area, 10, 40);
        EXPECT_TRUE(SaveScreenImage(area, ScreenshotPath("tear-off-menu")));
        Press(p);
        return p;
    }
    int Detachings = 0;
};

// The drag caption is drawn as each look's floating bar draws its active caption.
TEST_F(ubBarTearOff, TheDragCaptionTakesTheLooksActiveCaption) {
    form_->File1->Detachable = true;
    for (TubBarManagerStyle style : {bmsStandard, bmsEnhanced, bmsFlat, bmsOffice11}) {
        SCOPED_TRACE(static_cast<int>(style));
        Manager()->SetStyle(style);
        ProcessPendingMessages();
        TubBarSubMenuControl* menu = OpenFile();
        ASSERT_NE(menu, nullptr);
        const TRect caption = menu->DragCaptionRect();
        POINT middle{(caption.left + caption.right) / 2, (caption.top + caption.bottom) / 2};
        ClientToScreen(menu->GetHandle(), &middle);
        const TColor expected = BarPainterOf(Manager())->GetCaptionColor(true);
        EXPECT_EQ(ComposedScreenPixel(middle.x, middle.y), static_cast<COLORREF>(ColorToRGB(expected)));
        Tap(VK_ESCAPE);
        Tap(VK_ESCAPE);
    }
}

// The menu's frame: a one-pixel border on every side and, when the menu tears off, the drag caption's band
// above the client area, which takes the menu's own presses.
TEST_F(ubBarTearOff, TheMenuFrameIsAOnePixelBorderWithTheDragCaptionAboveTheClientArea) {
    for (const bool detachable : {true, false}) {
        form_->File1->Detachable = detachable;
        TubBarSubMenuControl* menu = OpenFile();
        ASSERT_NE(menu, nullptr);
        const TRect caption = menu->DragCaptionRect();
        const int band = detachable ? caption.bottom - caption.top : 0;
        EXPECT_EQ(band > 0, detachable);
        RECT window;
        GetWindowRect(menu->GetHandle(), &window);
        POINT origin{0, 0};
        ClientToScreen(menu->GetHandle(), &origin);
        EXPECT_EQ(origin.x - window.left, 1);
        EXPECT_EQ(origin.y - window.top, 1 + band);
        EXPECT_EQ(menu->ClientWidth(), menu->GetWidth() - 2);
        EXPECT_EQ(menu->ClientHeight(), menu->GetHeight() - 2 - band);
        auto hit = [&](int X, int Y) {
            return SendMessage(menu->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(window.left + X, window.top + Y));
        };
        EXPECT_NE(hit(0, menu->GetHeight() / 2), HTCLIENT);
        EXPECT_NE(hit(menu->GetWidth() / 2, menu->GetHeight() - 1), HTCLIENT);
        if (detachable) {
            EXPECT_EQ(caption.bottom, 0);  // right above the client area
            EXPECT_EQ(hit(menu->GetWidth() / 2, 1 + band / 2), HTCLIENT);
            // The caption is painted in the frame: its colour differs from the menu's background below it.
            const COLORREF inCaption =
                ComposedScreenPixel(window.left + menu->GetWidth() / 2, window.top + 1 + band / 2);
            const COLORREF below = ComposedScreenPixel(window.left + menu->GetWidth() / 2, origin.y + 1);
            EXPECT_NE(inCaption, below);
        }
        Manager()->GetBars()->Items(0)->Control()->CloseAll();
        ProcessPendingMessages();
    }
}

TEST_F(ubBarTearOff, DraggingTheCaptionOffTheMenuFloatsItsBarUnderThePointer) {
    const TPoint p = OpenAndPressCaption();
    MoveTo(TPoint{p.x + 5, p.y + 3});  // within the hold zone: nothing yet
    Apart();
    MoveTo(TPoint{500, 500});
    Apart();
    MoveTo(TPoint{520, 510});
    Release();
    ProcessPendingMessages();
    EXPECT_EQ(Detachings, 1);
    EXPECT_TRUE(FileMenu() == nullptr || !IsWindowVisible(FileMenu()->GetHandle()));
    ASSERT_NE(Tools(), nullptr);
    EXPECT_TRUE(Tools()->IsFloating());
    EXPECT_TRUE(IsWindowVisible(Tools()->GetHandle()));
    const RECT w = WindowRectOf(Tools());
    EXPECT_EQ(w.left, 520 - (w.right - w.left) / 2);  // the pointer at its middle
    EXPECT_LT(w.top, 510);
    EXPECT_GT(w.top, 510 - 20);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ubBarTearOff, BackOverTheCaptionTheBarGoesAndTheMenuOpensAgain) {
    const TPoint p = OpenAndPressCaption();
    MoveTo(TPoint{p.x + 200, p.y + 200});
    Apart();
    MoveTo(TPoint{p.x + 2, p.y + 1});
    Release();
    ProcessPendingMessages();
    EXPECT_FALSE(ToolBar()->GetVisible());  // dragged and not dropped
    ASSERT_NE(FileMenu(), nullptr);
    EXPECT_TRUE(IsWindowVisible(FileMenu()->GetHandle()));
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace zel::test
