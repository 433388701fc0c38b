// The main window's tool windows under the mouse: only the active one of the keyboard and the monitor
// draws its caption active, and none while the main window itself is inactive, whether the activation
// moves by a click on a child, on its caption or on the docked toolbar.
#include <gtest/gtest.h>

#include "BarInput.h"
#include "ProgramFixture.h"
#include "platform/win/SysInfo.h"

namespace zel::test {
namespace {

// A click on a window's caption, beside its left edge. The release is queued with the press: the press
// starts the move loop, which ends on it.
void ClickCaption(HWND hwnd) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    POINT client{0, 0};
    ClientToScreen(hwnd, &client);
    SetCursorPos(client.x + 10, (window.top + client.y) / 2);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
}

class MainWindowChildren : public Program {
protected:
    void TearDown() override {
        ReleaseHeldInput();
        Program::TearDown();
    }
};

TEST_F(MainWindowChildren, OnlyTheActiveToolWindowDrawsAnActiveCaption) {
    StartAndWaitOutTheIntro();
    TFormzelmo* f = Formzelmo;
    f->SetWindowState(wsNormal);
    f->SetBounds(0, 0, 900, 700);
    ProcessPendingMessages();
    Click(f->GadgetsKeyboardItem);
    Click(f->GadgetsMonitorItem);
    ASSERT_EQ(f->MDIChildCount(), 2);
    TCustomForm* keyboard = f->MDIChildren(0)->ClassName() == "TFormKeyboard" ? f->MDIChildren(0) : f->MDIChildren(1);
    TCustomForm* monitor = keyboard == f->MDIChildren(0) ? f->MDIChildren(1) : f->MDIChildren(0);
    f->Tile();
    ProcessPendingMessages();
    ASSERT_EQ(GetActiveWindow(), f->GetHandle());
    auto expectActive = [&](TCustomForm* active, const char* how) {
        ProcessPendingMessages();
        EXPECT_EQ(f->ActiveMDIChild(), active) << how;
        EXPECT_EQ(CaptionDrawnActive(keyboard->GetHandle()), active == keyboard) << how;
        EXPECT_EQ(CaptionDrawnActive(monitor->GetHandle()), active == monitor) << how;
    };
    expectActive(monitor, "the window opened last");
    ClickCaption(keyboard->GetHandle());
    expectActive(keyboard, "a click on the keyboard's caption");
    ClickAt(monitor->GetHandle(), 10, 10);
    expectActive(monitor, "a click inside the monitor");
    SaveWindowImage(f->GetHandle(), ScreenshotPath("main-window-active-child"));

    // Another window takes the activation: no child is drawn active. A click on the docked toolbar (on a
    // disabled button) draws no child active but the active one, and that one only if the main window is.
    auto* other = Keep(Construct<TForm>(nullptr));
    other->SetBounds(950, 100, 150, 100);
    other->Show();
    ProcessPendingMessages();
    ASSERT_EQ(GetActiveWindow(), other->GetHandle());
    EXPECT_FALSE(CaptionDrawnActive(keyboard->GetHandle()));
    EXPECT_FALSE(CaptionDrawnActive(monitor->GetHandle()));
    ClickLink(ToolBarOf(f), f->GadgetsMonitorItem);  // disabled while the monitor is open
    EXPECT_EQ(f->MDIChildCount(), 2);
    const bool frameActive = GetActiveWindow() == f->GetHandle();
    EXPECT_EQ(CaptionDrawnActive(monitor->GetHandle()), frameActive) << "the active child after the toolbar";
    EXPECT_FALSE(CaptionDrawnActive(keyboard->GetHandle())) << "the inactive child after the toolbar";
}

}  // namespace
}  // namespace zel::test
