// The main window's bars under real input, through the platform's input queue and the bars' hooks: the
// short-cuts Ctrl+K, Ctrl+M and Ctrl+X, whatever window has the focus; the menu bar and the toolbar under
// the mouse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BarInput.h"
#include "ProgramFixture.h"

namespace zel::test {
namespace {

class MainWindowInput : public Program {
protected:
    void TearDown() override {
        ReleaseHeldInput();
        Program::TearDown();
    }
    int Count(const std::string& className) const {
        int n = 0;
        for (const std::string& c : ChildClasses()) n += c == className ? 1 : 0;
        return n;
    }
};

// From each state of the tool windows, Ctrl+K and Ctrl+M open what is closed and nothing twice (a
// disabled item's short-cut does nothing), with the focus in the main window or in the monitor's list.
TEST_F(MainWindowInput, CtrlKAndCtrlMOpenTheToolWindowsThatAreClosed) {
    StartAndWaitOutTheIntro();
    TFormzelmo* f = Formzelmo;
    struct TCase {
        const char* name;
        bool keyboard, monitor;
    };
    for (const TCase c : {TCase{"no child", false, false}, TCase{"keyboard only", true, false},
                          TCase{"monitor only", false, true}, TCase{"both", true, true}}) {
        SCOPED_TRACE(c.name);
        if (c.keyboard) CtrlTap('K');
        if (c.monitor) CtrlTap('M');
        EXPECT_EQ(Count("TFormKeyboard"), int(c.keyboard));
        EXPECT_EQ(Count("TFormMonitor"), int(c.monitor));
        EXPECT_EQ(f->GadgetsKeyboardItem->GetEnabled(), !c.keyboard);
        EXPECT_EQ(f->GadgetsMonitorItem->GetEnabled(), !c.monitor);

        // With the monitor open, the keys come from its list, where a click put the focus.
        if (c.monitor) {
            TMemo* memo = f->FormMonitor->MemoOutput;
            ClickAt(memo->GetHandle(), memo->GetWidth() / 2, memo->GetHeight() / 2);
            ASSERT_EQ(GetFocus(), memo->GetHandle());
        }
        CtrlTap('K');
        CtrlTap('M');
        CtrlTap('K');
        EXPECT_EQ(Count("TFormKeyboard"), 1);
        EXPECT_EQ(Count("TFormMonitor"), 1);
        EXPECT_FALSE(f->GadgetsKeyboardItem->GetEnabled());
        EXPECT_FALSE(f->GadgetsMonitorItem->GetEnabled());

        for (int i = f->MDIChildCount() - 1; i >= 0; --i) f->MDIChildren(i)->Close();
        ProcessPendingMessages();
        ASSERT_EQ(f->MDIChildCount(), 0);
    }
}

// Ctrl+X ends the program as File > Exit does: both open windows are written as open, no library.
TEST_F(MainWindowInput, CtrlXClosesTheProgram) {
    StartAndWaitOutTheIntro();
    CtrlTap('K');
    CtrlTap('M');
    ASSERT_EQ(Formzelmo->MDIChildCount(), 2);
    CtrlTap('X');
    EXPECT_EQ(Formzelmo, nullptr);
    EXPECT_TRUE(QuitPosted());
    TIniFile ini(SettingsFileName);
    EXPECT_EQ(ini.ReadInteger("Keyboard", "Open", -1), 1);
    EXPECT_EQ(ini.ReadInteger("Monitor", "Open", -1), 1);
    EXPECT_EQ(ini.ReadInteger("Desktop", "Num Library", -1), 0);
}

// The menus and the toolbar under the mouse: Gadgets > Keyboard from the menu bar, Monitor from the
// toolbar, a disabled entry that does nothing, Window > Minimize All, Help > Index, File > Exit.
TEST_F(MainWindowInput, TheMenusAndTheToolbarRunTheirItemsUnderTheMouse) {
    StartAndWaitOutTheIntro();
    TFormzelmo* f = Formzelmo;
    f->SetWindowState(wsNormal);
    f->SetBounds(0, 0, 800, 600);
    ProcessPendingMessages();
    ASSERT_NE(MenuBarOf(f), nullptr);
    ASSERT_NE(ToolBarOf(f), nullptr);
    EXPECT_TRUE(IsWindowVisible(MenuBarOf(f)->GetHandle()));
    EXPECT_TRUE(IsWindowVisible(ToolBarOf(f)->GetHandle()));

    ChooseFromMenu(f, f->Gaggets1, f->GadgetsKeyboardItem);
    EXPECT_EQ(ChildClasses(), std::vector<std::string>{"TFormKeyboard"});
    EXPECT_EQ(OpenMenuOf(f->Gaggets1), nullptr);
    ClickLink(ToolBarOf(f), f->GadgetsMonitorItem);
    EXPECT_EQ(Count("TFormMonitor"), 1);
    EXPECT_EQ(f->MDIChildCount(), 2);

    // Open, the menu shows both entries disabled; a click on one does nothing and leaves the menu open.
    ClickLink(MenuBarOf(f), f->Gaggets1);
    ASSERT_NE(OpenMenuOf(f->Gaggets1), nullptr);
    RECT area{};
    GetWindowRect(f->GetHandle(), &area);
    EXPECT_TRUE(SaveScreenImage(area, ScreenshotPath("main-window-gadgets-menu")));
    ClickLink(OpenMenuOf(f->Gaggets1), f->GadgetsKeyboardItem);
    EXPECT_EQ(f->MDIChildCount(), 2);
    EXPECT_NE(OpenMenuOf(f->Gaggets1), nullptr);
    ClickLink(MenuBarOf(f), f->Gaggets1);
    EXPECT_EQ(OpenMenuOf(f->Gaggets1), nullptr);

    ChooseFromMenu(f, f->Window1, f->WindowMinimizeItem);
    for (int i = 0; i < f->MDIChildCount(); ++i) EXPECT_EQ(f->MDIChildren(i)->GetWindowState(), wsMinimized);
    ChooseFromMenu(f, f->Help1, f->Index1);
    EXPECT_EQ(Application->LastHelpContext, 20);

    ChooseFromMenu(f, f->File1, f->FileExitItem);
    EXPECT_EQ(Formzelmo, nullptr);
    EXPECT_TRUE(QuitPosted());
    TIniFile ini(SettingsFileName);
    EXPECT_EQ(ini.ReadInteger("Keyboard", "Open", -1), 1);
    EXPECT_EQ(ini.ReadInteger("Monitor", "Open", -1), 1);
}

}  // namespace
}  // namespace zel::test
