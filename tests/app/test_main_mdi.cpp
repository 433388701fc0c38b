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
    // The program started, its main window 900 x 700 and not maximised.
    TFormzelmo* StartFramed() {
        StartAndWaitOutTheIntro();
        TFormzelmo* f = Formzelmo;
        f->SetWindowState(wsNormal);
        f->SetBounds(0, 0, 900, 700);
        ProcessPendingMessages();
        return f;
    }
    // The keyboard and the monitor opened from the Gadgets items.
    static void OpenToolWindows(TFormzelmo* f) {
        Click(f->GadgetsKeyboardItem);
        Click(f->GadgetsMonitorItem);
        ASSERT_EQ(f->MDIChildCount(), 2);
    }
    // A child's window rectangle in the main window's client coordinates.
    static RECT PlaceInClient(TCustomForm* child) {
        RECT r;
        GetWindowRect(child->GetHandle(), &r);
        MapWindowPoints(nullptr, Formzelmo->ClientHandle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

TEST_F(MainWindowChildren, OnlyTheActiveToolWindowDrawsAnActiveCaption) {
    TFormzelmo* f = StartFramed();
    OpenToolWindows(f);
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

// Two new libraries open a caption apart. Window > Minimize All, by a click on the menu, leaves them as caption
// bars side by side in the client's bottom row, the first opened at the left; a double click on one brings it
// back where it was, and the Window menu's other items arrange what is open.
TEST_F(MainWindowChildren, MinimizeAllLeavesCaptionBarsInTheBottomRowAndADoubleClickRestoresOne) {
    TFormzelmo* f = StartFramed();
    ChooseFromMenu(f, f->File1, f->FileNewItem);
    ChooseFromMenu(f, f->File1, f->FileNewItem);
    ASSERT_EQ(f->MDIChildCount(), 2);
    TCustomForm* first = f->MDIChildren(1);
    TCustomForm* second = f->MDIChildren(0);
    const int step = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(second->GetLeft(), first->GetLeft() + step) << "the second library does not hide the first";
    EXPECT_EQ(second->GetTop(), first->GetTop() + step);
    const TRect firstPlace = first->BoundsRect();

    ChooseFromMenu(f, f->Window1, f->WindowMinimizeItem);
    RECT client;
    GetClientRect(f->ClientHandle(), &client);
    const int w = GetSystemMetrics(SM_CXMINIMIZED), h = GetSystemMetrics(SM_CYMINIMIZED);
    int left = 0;
    for (TCustomForm* child : {first, second}) {
        EXPECT_EQ(child->GetWindowState(), wsMinimized);
        EXPECT_EQ(PlaceInClient(child), (RECT{left, client.bottom - h, left + w, client.bottom})) << child->ClassName();
        left += w;
    }
    EXPECT_TRUE(SaveWindowImage(f->GetHandle(), ScreenshotPath("main-window-minimised-libraries")));

    RECT bar;
    GetWindowRect(first->GetHandle(), &bar);
    SetCursorPos(bar.left + 30, bar.top + h / 2);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    ProcessPendingMessages();
    EXPECT_EQ(first->GetWindowState(), wsNormal);
    EXPECT_EQ(first->BoundsRect(), firstPlace);
    EXPECT_EQ(second->GetWindowState(), wsMinimized);

    // Tile lays the open library over the height above the bar left (its width is its own); Arrange Icons keeps
    // the bar in its row.
    ChooseFromMenu(f, f->Window1, f->WindowTileItem);
    EXPECT_EQ(first->GetLeft(), 0);
    EXPECT_EQ(first->GetTop(), 0);
    EXPECT_EQ(first->GetHeight(), client.bottom - GetSystemMetrics(SM_CYMINSPACING));
    ChooseFromMenu(f, f->Window1, f->WindowArrangeItem);
    EXPECT_EQ(PlaceInClient(second), (RECT{0, client.bottom - h, w, client.bottom}));
}

// The minimise button on the keyboard's and the monitor's captions minimises them; on the caption bar the
// button in its place restores them.
TEST_F(MainWindowChildren, TheToolWindowsMinimiseButtonsMinimiseThem) {
    TFormzelmo* f = StartFramed();
    OpenToolWindows(f);
    // The minimise (or restore) button: the third from the right edge, past the close and maximise buttons.
    auto pressMinimise = [](HWND hwnd) {
        RECT window;
        GetWindowRect(hwnd, &window);
        POINT client{0, 0};
        ClientToScreen(hwnd, &client);
        const int frame = client.x - window.left, bw = GetSystemMetrics(SM_CXSIZE);
        const int y =
            window.top + (IsIconic(hwnd) ? window.Height() / 2 : frame + 2 + GetSystemMetrics(SM_CYCAPTION) / 2);
        SetCursorPos(window.right - (IsIconic(hwnd) ? 4 : frame) - 2 - 2 * bw - 2 - bw / 2, y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
        ProcessPendingMessages();
    };
    // Side by side at the top, so that neither hides the other's buttons nor the bottom row.
    f->MDIChildren(0)->SetBounds(0, 0, f->MDIChildren(0)->GetWidth(), f->MDIChildren(0)->GetHeight());
    f->MDIChildren(1)->SetBounds(420, 0, f->MDIChildren(1)->GetWidth(), f->MDIChildren(1)->GetHeight());
    const std::vector<TCustomForm*> children{f->MDIChildren(0), f->MDIChildren(1)};
    std::vector<TRect> places;
    RECT client;
    GetClientRect(f->ClientHandle(), &client);
    for (TCustomForm* child : children) {
        SCOPED_TRACE(child->ClassName());
        places.push_back(child->BoundsRect());
        pressMinimise(child->GetHandle());
        EXPECT_EQ(child->GetWindowState(), wsMinimized);
        EXPECT_EQ(PlaceInClient(child).bottom, client.bottom);
    }
    // Both bars lie free in the bottom row: each one's restore button brings it back where it was.
    for (std::size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE(children[i]->ClassName());
        pressMinimise(children[i]->GetHandle());
        EXPECT_EQ(children[i]->GetWindowState(), wsNormal);
        EXPECT_EQ(children[i]->BoundsRect(), places[i]);
    }
}

}  // namespace
}  // namespace zel::test
