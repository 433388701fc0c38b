// The shared hint window and the hint timing on the manual clock: delay, display time, the pause in which a
// new hint shows at once, placement inside the work area, the selected control's hint, and a picture.
#include <cstdio>

#include "BarsTestSupport.h"
#include "platform/win/DesktopManager.h"
#include "uilib/bars/ubBarHint.h"

namespace zel::test {
namespace {

// A bar window whose one item control covers its left half.
class TStandInBar : public TCustomubBarControl {
public:
    using TCustomubBarControl::TCustomubBarControl;
    TubBarItemControl* ItemAtPos(TPoint P) const override {
        return P.x >= 0 && P.x < 50 && P.y >= 0 && P.y < 20 ? Control : nullptr;
    }
    TubBarItemControl* Control = nullptr;
};

class TStandInControl : public TubBarItemControl {
public:
    explicit TStandInControl(TCustomubBarControl* ABar) : TubBarItemControl(nullptr) { Parent = ABar; }
    bool GetEnabled() const override { return Enabled; }
    std::string GetHint() const override { return HintText; }
    TShortCut GetShortCut() const override { return ShortCutValue; }
    bool Enabled = true;
    std::string HintText;
    TShortCut ShortCutValue = 0;
};

class ubBarHint : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form = NewForm();
        form->SetBounds(100, 100, 300, 200);
        manager = new TubBarManager(form);
        form->Show();
        ProcessPendingMessages();
        Application->HintShortCuts = false;
    }
    void TearDown() override {
        Application->HintShortCuts = true;
        BarsTest::TearDown();
    }
    void MoveCursor(int X, int Y) {
        SetCursorPos(X, Y);
        ProcessPendingMessages();
    }
    bool HintVisible() const { return HintWindow() != nullptr && IsWindowVisible(HintWindow()->GetHandle()); }
    RECT HintRect() const {
        RECT r{};
        GetWindowRect(HintWindow()->GetHandle(), &r);
        return r;
    }
    TTestForm* form = nullptr;
    TubBarManager* manager = nullptr;
};

TEST_F(ubBarHint, HintShowsAfterTheDelayBelowTheCursorAndHidesAfterTheDisplayTime) {
    form->SetFocus();
    ProcessPendingMessages();
    const HWND focus = GetFocus(), active = GetActiveWindow();
    MoveCursor(200, 150);
    UpdateHint(manager, true, "Open a library");
    Run(990);
    EXPECT_FALSE(HintVisible());
    Run(10);
    ASSERT_TRUE(HintVisible());
    EXPECT_TRUE(HintShown());
    EXPECT_EQ(HintWindow()->HintText(), "Open a library");
    const RECT r = HintRect();
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 170);
    EXPECT_GT(r.right - r.left, 6);
    // The hint window never takes the focus or the activation.
    EXPECT_EQ(GetFocus(), focus);
    EXPECT_EQ(GetActiveWindow(), active);
    Run(9990);
    EXPECT_TRUE(HintVisible());
    Run(10);
    EXPECT_FALSE(HintVisible());
}

TEST_F(ubBarHint, HintAskedForWithinThePauseShowsAtOnce) {
    MoveCursor(200, 150);
    UpdateHint(manager, true, "First");
    Run(1000);
    ASSERT_TRUE(HintVisible());
    UpdateHint(manager, false, "");
    EXPECT_FALSE(HintVisible());
    EXPECT_TRUE(InHintPause());
    Run(300);
    UpdateHint(manager, true, "Second");
    EXPECT_TRUE(HintVisible());  // no delay
    EXPECT_EQ(HintWindow()->HintText(), "Second");
    UpdateHint(manager, false, "");
    Run(400);
    EXPECT_FALSE(InHintPause());
    UpdateHint(manager, true, "Third");
    EXPECT_FALSE(HintVisible());  // after the pause the delay applies again
    Run(1000);
    EXPECT_TRUE(HintVisible());
}

TEST_F(ubBarHint, HintStaysInsideTheWorkArea) {
    const TRect work = WorkAreaAt(TPoint(200, 150));
    struct TRow {
        const char* name;
        int x, y;
        bool above, atRightEdge;
    } rows[] = {
        {"middle", work.left + 100, work.top + 100, false, false},
        {"near the bottom", work.left + 100, work.bottom - 25, true, false},
        {"near the right edge", work.right - 5, work.top + 100, false, true},
    };
    for (const TRow& row : rows) {
        MoveCursor(row.x, row.y);
        HintWindow()->ShowHintAt(TPoint(row.x, row.y + 20), "Save the library under a new name", manager);
        const RECT r = HintRect();
        const int height = r.bottom - r.top;
        EXPECT_EQ(r.top, row.above ? row.y - height : row.y + 20) << row.name;
        EXPECT_EQ(row.atRightEdge ? r.right : r.left, row.atRightEdge ? work.right : row.x) << row.name;
        EXPECT_LE(r.bottom, work.bottom) << row.name;
        HintWindow()->Deactivate();
    }
}

TEST_F(ubBarHint, SelectedControlGivesTheShortHintWithItsShortCut) {
    auto* bar = new TStandInBar(form);
    bar->SetParent(form);
    bar->SetBounds(0, 0, 100, 20);
    TStandInControl control(bar);
    control.HintText = "Open|Opens a library from a file";
    control.ShortCutValue = TextToShortCut("Ctrl+O");
    bar->Control = &control;
    manager->SetSelectedControl(&control);
    const TPoint onControl = OnScreen(bar, 10, 10), beside = OnScreen(bar, 70, 10);

    struct TRow {
        const char* name;
        TPoint cursor;
        bool enabled, forDisabled, shortCutInHint, barActive;
        const char* shown;  // nullptr: no hint
    } rows[] = {
        {"short part", onControl, true, true, false, false, "Open"},
        {"with its shortcut", onControl, true, true, true, false, "Open (Ctrl+O)"},
        {"disabled, hints for disabled items", onControl, false, true, false, false, "Open"},
        {"disabled, no hints for disabled items", onControl, false, false, false, false, nullptr},
        {"cursor beside the control", beside, true, true, false, false, nullptr},
        {"bar in keyboard mode", onControl, true, true, false, true, nullptr},
    };
    for (const TRow& row : rows) {
        MoveCursor(row.cursor.x, row.cursor.y);
        control.Enabled = row.enabled;
        manager->ShowHintForDisabledItems = row.forDisabled;
        manager->SetShowShortCutInHint(row.shortCutInHint);
        bar->SetMenuMode(row.barActive);
        UpdateHint(manager, true, "");
        Run(1000);
        EXPECT_EQ(HintVisible(), row.shown != nullptr) << row.name;
        if (row.shown != nullptr) {
            EXPECT_EQ(HintWindow()->HintText(), row.shown) << row.name;
        }
        UpdateHint(manager, false, "");
        Run(400);
    }
    bar->SetMenuMode(false);
    manager->SetSelectedControl(nullptr);
}

TEST_F(ubBarHint, NoHintsWhileCustomizingOrWithoutShowHint) {
    MoveCursor(200, 150);
    manager->SetShowHint(false);
    UpdateHint(manager, true, "Hidden");
    Run(1000);
    EXPECT_FALSE(HintVisible());
    manager->SetShowHint(true);
    manager->SetCustomizing(true);
    UpdateHint(manager, true, "Hidden");
    Run(1000);
    EXPECT_FALSE(HintVisible());
    manager->SetCustomizing(false);
}

TEST_F(ubBarHint, HintWindowIsAPassiveTopMostToolWindow) {
    TubBarHintWindow* hint = HintWindow();
    ASSERT_NE(hint, nullptr);
    const HWND w = hint->GetHandle();
    EXPECT_EQ(GetWindowLong(w, GWL_STYLE) & (WS_POPUP | WS_DISABLED), WS_POPUP | WS_DISABLED);
    EXPECT_EQ(GetWindowLong(w, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    EXPECT_EQ(SendMessage(w, WM_NCHITTEST, 0, 0), HTTRANSPARENT);

    MoveCursor(150, 120);
    UpdateHint(manager, true, "Send the patch to the instrument's temporary area");
    Run(1000);
    ASSERT_TRUE(HintVisible());
    EXPECT_FALSE(IsDesktopManagedWindow(w));  // no window manager stacks, moves or focuses it
    const RECT r = HintRect();
    // The raised outer edge: light at the top-left, dark shadow at the bottom-right, the hint colour inside.
    EXPECT_EQ(ComposedPixel(w, 0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(ComposedPixel(w, r.right - r.left - 1, r.bottom - r.top - 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(ComposedPixel(w, 1, 1), GetSysColor(COLOR_INFOBK));
    const std::string path = ScreenshotPath("bar_hint_window");
    ASSERT_TRUE(SaveWindowImage(w, path));
    std::printf("screenshot: %s\n", path.c_str());
}

}  // namespace
}  // namespace zel::test
