// Timers ticking through the shared window on the manual clock, the message window, mouse-leave tracking
// driven by moving the cursor, the system controller and the system-version flags.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Clock.h"
#include "platform/vcl/Forms.h"
#include "uilib/base/uiControls.h"
#include "uilib/base/uiSpellChecker.h"

namespace zel::test {
namespace {

class uiControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        uiControlsStartup();
        ProcessPendingMessages();
    }
    void TearDown() override {
        ProcessPendingMessages();
        uiControlsShutdown();
    }
    // Moves the clock on in steps of 10 ms, dispatching the timer messages that fall due.
    void Run(TTick ms) {
        for (TTick done = 0; done < ms; done += 10) {
            clock_->Advance(ms - done < 10 ? ms - done : 10);
            ProcessPendingMessages();
        }
    }
    std::unique_ptr<TuiTimer> CountingTimer(int* count, UINT interval) {
        auto t = std::make_unique<TuiTimer>(nullptr);
        t->SetInterval(interval);
        t->SetOnTimer([count](TObject*) { ++*count; });
        return t;
    }
    TManualClockScope clock_;
};

// ---------------------------------------------------------------------------------- timers

TEST_F(uiControlsTest, TimerTicksAtItsIntervalThroughTheSharedWindow) {
    int count = 0;
    TObject* sender = nullptr;
    TuiTimer timer(nullptr);
    EXPECT_TRUE(timer.GetEnabled());
    EXPECT_EQ(timer.GetInterval(), 1000u);
    timer.SetInterval(100);
    timer.SetOnTimer([&](TObject* s) { ++count, sender = s; });
    ASSERT_TRUE(timer.GetRunning());
    Run(90);
    EXPECT_EQ(count, 0);
    Run(10);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(sender, &timer);
    Run(300);
    EXPECT_EQ(count, 4);
}

TEST_F(uiControlsTest, TimerRunsOnlyWhenEnabledWithAHandler) {
    int count = 0;
    TuiTimer timer(nullptr);
    timer.SetInterval(50);
    Run(200);
    EXPECT_FALSE(timer.GetRunning()) << "no handler: no system timer";
    timer.SetEnabled(false);
    timer.SetOnTimer([&](TObject*) { ++count; });
    EXPECT_FALSE(timer.GetRunning()) << "disabled: no system timer";
    Run(200);
    EXPECT_EQ(count, 0);
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.GetRunning());
    Run(100);
    EXPECT_EQ(count, 2);
    timer.SetOnTimer(nullptr);
    EXPECT_FALSE(timer.GetRunning());
    Run(100);
    EXPECT_EQ(count, 2);
}

TEST_F(uiControlsTest, IntervalChangeRestartsTheCountAndZeroIsIgnored) {
    int count = 0;
    auto timer = CountingTimer(&count, 100);
    Run(80);
    timer->SetInterval(0);
    EXPECT_EQ(timer->GetInterval(), 100u);
    Run(20);
    EXPECT_EQ(count, 1) << "setting 0 changed nothing, not even the count";
    Run(60);
    timer->SetInterval(50);  // restarts from now (160): next at 210
    Run(40);
    EXPECT_EQ(count, 1);
    Run(10);
    EXPECT_EQ(count, 2);
}

TEST_F(uiControlsTest, TickDueButStoppedBeforeDispatchIsIgnored) {
    int count = 0;
    auto timer = CountingTimer(&count, 100);
    clock_->Advance(100);  // the tick falls due; its message is not dispatched yet
    timer->SetEnabled(false);
    ProcessPendingMessages();
    EXPECT_EQ(count, 0);
    // And a timer freed with a tick due.
    auto other = CountingTimer(&count, 100);
    clock_->Advance(100);
    other.reset();
    ProcessPendingMessages();
    EXPECT_EQ(count, 0);
}

TEST_F(uiControlsTest, TimerFreedInsideItsOwnTickLeavesTheOthersRunning) {
    int selfCount = 0, otherCount = 0;
    auto* self = new TuiTimer(nullptr);
    self->SetInterval(30);
    std::string capture(100, 'x');  // state held by the handler, freed with it
    self->SetOnTimer([&, self, capture](TObject*) {
        ++selfCount;
        delete self;
        EXPECT_EQ(capture.size(), 100u);
    });
    auto other = CountingTimer(&otherCount, 30);
    EXPECT_NE(self->GetTimerId(), other->GetTimerId());
    Run(100);
    EXPECT_EQ(selfCount, 1);
    EXPECT_EQ(otherCount, 3);
}

TEST_F(uiControlsTest, OwnedTimerIsFreedWithItsOwner) {
    int count = 0;
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* timer = new TuiTimer(owner.get());
    timer->SetInterval(20);
    timer->SetOnTimer([&](TObject*) { ++count; });
    Run(20);
    EXPECT_EQ(count, 1);
    owner.reset();
    Run(100);
    EXPECT_EQ(count, 1);
}

// ---------------------------------------------------------------------------------- message window

class TRecordingWindow : public TuiMessageWindow {
public:
    std::vector<UINT> Seen;
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_USER + 7) {
            Seen.push_back(Message.Msg);
            Message.Result = static_cast<LRESULT>(Message.WParam + Message.LParam);
            return;
        }
        TuiMessageWindow::WndProc(Message);
    }
};

TEST_F(uiControlsTest, MessageWindowHandsItsMessagesToTheObject) {
    auto window = std::make_unique<TRecordingWindow>();
    HWND h = window->WindowHandle;
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(IsWindow(h));
    EXPECT_EQ(SendMessage(h, WM_USER + 7, 2, 3), 5);
    PostMessage(h, WM_USER + 7, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(window->Seen.size(), 2u);
    EXPECT_EQ(SendMessage(h, WM_USER + 8, 2, 3), 0) << "the base answers with the default procedure";
    window.reset();
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(uiControlsTest, SharedWindowsLiveUntilTheShutdown) {
    TuiMessageWindow* shared = uiMessageWindow();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(uiMessageWindow(), shared);
    ASSERT_NE(uiSystemController(), nullptr);
    HWND controller = uiSystemController()->WindowHandle;
    EXPECT_TRUE(IsWindow(controller));
    EXPECT_EQ(SendMessage(controller, UM_CHECKSYNCHRONIZE, 0, 0), 0);
    HWND sharedHandle = shared->WindowHandle;
    uiControlsShutdown();
    EXPECT_TRUE(uiControlsFinalizing());
    EXPECT_EQ(uiMessageWindow(), nullptr);
    EXPECT_EQ(uiSystemController(), nullptr);
    EXPECT_FALSE(IsWindow(sharedHandle));
    EXPECT_FALSE(IsWindow(controller));
    // A timer set up while the unit is down does not run.
    int count = 0;
    auto timer = CountingTimer(&count, 10);
    EXPECT_FALSE(timer->GetRunning());
    timer.reset();
    uiControlsStartup();
    EXPECT_FALSE(uiControlsFinalizing());
}

// ---------------------------------------------------------------------------------- mouse tracking

class TSink : public IuiMouseExitSink {
public:
    void MouseLeft() override { ++Left; }
    int Left = 0;
};

class TSinkEx : public IuiMouseExitSinkEx {
public:
    void MouseLeft() override { ++Left; }
    bool ContainsPoint(TPoint P) override {
        Points.push_back(P);
        return Inside;
    }
    int Left = 0;
    bool Inside = true;
    std::vector<TPoint> Points;
};

// A control that records the mouse-leave messages it receives.
class TProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<LPARAM> Leaves;

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_MOUSELEAVE) Leaves.push_back(Message.LParam);
        TCustomControl::WndProc(Message);
    }
};

class uiMouseTracking : public uiControlsTest {
protected:
    void SetUp() override {
        uiControlsTest::SetUp();
        form = new TForm(nullptr);
        form->SetBounds(100, 100, 300, 200);
        probe = new TProbe(form);
        probe->SetParent(form);
        probe->SetBounds(20, 30, 100, 50);
        form->Show();
        probe->HandleNeeded();
        ProcessPendingMessages();
        origin = probe->ClientToScreen(Point(0, 0));
    }
    void TearDown() override {
        delete form;
        uiControlsTest::TearDown();
    }
    void MoveTo(TPoint p) {
        SetCursorPos(p.x, p.y);
        ProcessPendingMessages();
    }
    TPoint At(int x, int y) const { return Point(origin.x + x, origin.y + y); }
    TForm* form = nullptr;
    TProbe* probe = nullptr;
    TPoint origin;
};

TEST_F(uiMouseTracking, LeavingScreenBoundsIsReportedOnceAndEndsTheTracking) {
    TSink sink;
    MoveTo(Point(15, 15));
    StartMouseLeaveTracking(nullptr, Rect(10, 10, 20, 20), &sink);
    ASSERT_TRUE(IsTrackingMouseLeave(&sink));
    TMouseTrackingTimer* timer = FindTrackingTimer(&sink);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->GetInterval(), 10u);
    EXPECT_EQ(timer->TrackedBounds, Rect(10, 10, 20, 20));
    Run(50);
    MoveTo(Point(19, 19));  // still inside
    Run(50);
    EXPECT_EQ(sink.Left, 0);
    MoveTo(Point(20, 15));  // the right edge is outside
    Run(10);
    EXPECT_EQ(sink.Left, 1);
    EXPECT_FALSE(IsTrackingMouseLeave(&sink));
    Run(100);
    EXPECT_EQ(sink.Left, 1);
}

TEST_F(uiMouseTracking, LeavingAControlSendsItTheMouseLeave) {
    TSink sink;
    MoveTo(At(50, 20));
    StartMouseLeaveTracking(probe, Rect(40, 10, 60, 30), &sink);
    ASSERT_TRUE(IsTrackingMouseLeave(&sink));
    EXPECT_EQ(FindTrackingTimer(&sink)->TrackedBounds,
              Rect(origin.x + 40, origin.y + 10, origin.x + 60, origin.y + 30));
    EXPECT_EQ(FindTrackingTimer(&sink)->GetTrackedControl(), probe);
    // Out of the bounds but still on the control: the client hears of it, the control does not.
    MoveTo(At(5, 5));
    Run(10);
    EXPECT_EQ(sink.Left, 1);
    EXPECT_TRUE(probe->Leaves.empty());
    // Off the control altogether.
    StartMouseLeaveTracking(probe, Rect(0, 0, 100, 50), &sink);
    MoveTo(At(150, 5));
    Run(10);
    EXPECT_EQ(sink.Left, 2);
    ASSERT_EQ(probe->Leaves.size(), 1u);
    EXPECT_EQ(probe->Leaves[0], reinterpret_cast<LPARAM>(static_cast<TWinControl*>(probe)));
}

TEST_F(uiMouseTracking, ExtendedClientDecidesWhatIsInside) {
    TSinkEx sink;
    MoveTo(At(200, 100));  // outside the bounds, but the client says inside
    StartMouseLeaveTracking(probe, Rect(0, 0, 10, 10), &sink);
    Run(30);
    EXPECT_EQ(sink.Left, 0);
    ASSERT_FALSE(sink.Points.empty());
    EXPECT_EQ(sink.Points.back(), Point(200, 100)) << "asked in the control's client coordinates";
    sink.Inside = false;
    Run(10);
    EXPECT_EQ(sink.Left, 1);
    EXPECT_EQ(probe->Leaves.size(), 1u);
}

TEST_F(uiMouseTracking, OneTimerPerClientAndStoppingFreesIt) {
    TSink sink;
    MoveTo(Point(15, 15));
    StartMouseLeaveTracking(nullptr, Rect(10, 10, 20, 20), &sink);
    TMouseTrackingTimer* first = FindTrackingTimer(&sink);
    StartMouseLeaveTracking(nullptr, Rect(0, 0, 5, 5), &sink);
    EXPECT_EQ(FindTrackingTimer(&sink), first);
    EXPECT_EQ(first->TrackedBounds, Rect(10, 10, 20, 20));
    StopMouseLeaveTracking(&sink);
    EXPECT_FALSE(IsTrackingMouseLeave(&sink));
    StopMouseLeaveTracking(&sink);  // not tracked: nothing
    MoveTo(Point(500, 500));
    Run(50);
    EXPECT_EQ(sink.Left, 0);
}

// A client that tracks again as soon as it hears the mouse left.
class TRestartingSink : public IuiMouseExitSink {
public:
    void MouseLeft() override {
        ++Left;
        StartMouseLeaveTracking(nullptr, Again, this);
    }
    TRect Again;
    int Left = 0;
};

TEST_F(uiMouseTracking, TrackingStartedAgainFromMouseLeftSurvives) {
    TRestartingSink sink;
    sink.Again = Rect(400, 400, 500, 500);
    MoveTo(Point(15, 15));
    StartMouseLeaveTracking(nullptr, Rect(10, 10, 20, 20), &sink);
    MoveTo(Point(450, 450));
    Run(10);
    EXPECT_EQ(sink.Left, 1);
    ASSERT_TRUE(IsTrackingMouseLeave(&sink));
    EXPECT_EQ(FindTrackingTimer(&sink)->TrackedBounds, sink.Again);
    StopMouseLeaveTracking(&sink);
}

TEST_F(uiMouseTracking, ControlFreedWhileTrackedIsForgotten) {
    TSinkEx sink;
    MoveTo(At(10, 10));
    StartMouseLeaveTracking(probe, Rect(0, 0, 100, 50), &sink);
    Run(20);
    delete probe;
    probe = nullptr;
    EXPECT_EQ(FindTrackingTimer(&sink)->GetTrackedControl(), nullptr);
    Run(10);  // without its control the extended client's area counts as left
    EXPECT_EQ(sink.Left, 1);
    EXPECT_FALSE(IsTrackingMouseLeave(&sink));
}

TEST_F(uiMouseTracking, TrackingLeftAtShutdownIsFreedAndReported) {
    TSink sink;
    MoveTo(Point(15, 15));
    StartMouseLeaveTracking(nullptr, Rect(10, 10, 20, 20), &sink);
    try {
        uiControlsShutdown();
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "MouseTrackingTimerList.Count <> 0");
    }
    EXPECT_FALSE(IsTrackingMouseLeave(&sink));
    StartMouseLeaveTracking(nullptr, Rect(10, 10, 20, 20), &sink);
    EXPECT_FALSE(IsTrackingMouseLeave(&sink)) << "nothing is tracked while the unit is down";
    EXPECT_EQ(uiMessageWindow(), nullptr);
    uiControlsStartup();
    StartMouseLeaveTracking(nullptr, Rect(10, 10, 20, 20), &sink);
    EXPECT_TRUE(IsTrackingMouseLeave(&sink));
    StopMouseLeaveTracking(&sink);
}

// ---------------------------------------------------------------------------------- version flags

TEST(uiControlsVersionFlags, FollowPlatformAndVersion) {
    struct Row {
        const char* name;
        DWORD platform, major, minor;
        bool is9x, is2000, is2000OrNewer, isXPStyle, isNT4OrNewer, isVista;
    };
    const Row rows[] = {
        {"Win32s", VER_PLATFORM_WIN32s, 3, 10, true, false, false, false, false, false},
        {"Windows 98", VER_PLATFORM_WIN32_WINDOWS, 4, 10, true, false, false, false, false, false},
        {"NT 3.51", VER_PLATFORM_WIN32_NT, 3, 51, false, false, false, false, false, false},
        {"NT 4.0", VER_PLATFORM_WIN32_NT, 4, 0, false, false, false, false, true, false},
        {"Windows 2000", VER_PLATFORM_WIN32_NT, 5, 0, false, true, true, false, true, false},
        {"Windows XP", VER_PLATFORM_WIN32_NT, 5, 1, false, false, true, true, true, false},
        {"Vista", VER_PLATFORM_WIN32_NT, 6, 0, false, false, true, false, true, true},
        {"Windows 7", VER_PLATFORM_WIN32_NT, 6, 1, false, false, true, true, true, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        OSVERSIONINFO info;
        info.dwPlatformId = r.platform;
        info.dwMajorVersion = r.major;
        info.dwMinorVersion = r.minor;
        SetSystemVersionFlags(info);
        EXPECT_EQ(RunsOn9xFamily, r.is9x);
        EXPECT_EQ(RunsOn2000, r.is2000);
        EXPECT_EQ(RunsOn2000OrNewer, r.is2000OrNewer);
        EXPECT_EQ(RunsOnXPStyleNT, r.isXPStyle);
        EXPECT_EQ(RunsOnNT4OrNewer, r.isNT4OrNewer);
        EXPECT_EQ(RunsOnVistaOrNewer, r.isVista);
    }
    // The start-up takes the system's answer: Windows XP.
    uiControlsStartup();
    uiControlsShutdown();
    EXPECT_TRUE(RunsOnXPStyleNT);
    EXPECT_TRUE(RunsOn2000OrNewer);
    EXPECT_FALSE(RunsOn2000);
    EXPECT_FALSE(RunsOn9xFamily);
    EXPECT_FALSE(RunsOnVistaOrNewer);
}

// Without a spell checker every call is skipped and answers "no"; an installed one hears each call, and the
// library's shutdown forgets it.
TEST_F(uiControlsTest, TheSpellCheckerHookIsAskedOnlyWhileOneIsInstalled) {
    struct TChecker : IuiSpellChecker {
        std::vector<std::string> heard;
        void RedrawMisspellings(TWinControl*) override { heard.push_back("redraw"); }
        void InnerControlScrolled(TWinControl*) override { heard.push_back("scrolled"); }
        void SelectionChanged(TWinControl*) override { heard.push_back("selection"); }
        void TextChanged(TWinControl*) override { heard.push_back("text"); }
        bool IsChildWindow(HWND) override {
            heard.push_back("child");
            return true;
        }
        bool ContextPopup(TWinControl*, POINT) override {
            heard.push_back("popup");
            return true;
        }
    } checker;
    const auto callAll = [] {
        SpellCheckerRedrawMisspellings(nullptr);
        SpellCheckerInnerControlScrolled(nullptr);
        SpellCheckerSelectionChanged(nullptr);
        SpellCheckerTextChanged(nullptr);
        const bool child = SpellCheckerIsChildWindow(nullptr);
        const bool popup = SpellCheckerContextPopup(nullptr, POINT{1, 2});
        return child && popup;
    };
    ASSERT_EQ(SpellCheckerHook(), nullptr) << "nothing installs one";
    EXPECT_FALSE(callAll());
    SpellCheckerHook() = &checker;
    EXPECT_TRUE(callAll());
    EXPECT_EQ(checker.heard, (std::vector<std::string>{"redraw", "scrolled", "selection", "text", "child", "popup"}));
    uiControlsShutdown();
    EXPECT_EQ(SpellCheckerHook(), nullptr);
    uiControlsStartup();
}

}  // namespace
}  // namespace zel::test
