// Customizing the main window's bars as a user does: a double click on the top dock opens "Customize", a new
// toolbar is proposed a free name and renamed, the toolbar is reset, and after Close the main window takes
// its keys again. What the user changes is not stored: the main window keeps no layout.
#include <gtest/gtest.h>

#include <string>

#include "BarInput.h"
#include "ProgramFixture.h"
#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarNameEd.h"

namespace zel::test {
namespace {

class MainWindowCustomize : public Program {
protected:
    void TearDown() override {
        Application->OnIdle = nullptr;
        ReleaseHeldInput();
        Program::TearDown();
    }
    // Double-clicks a free place of the top dock, right of the toolbar.
    static void DoubleClickTopDock(TubBarManager* m) {
        TubDockControl* dock = m->GetBars()->DockControls(dsTop);
        POINT p{dock->GetClientRect().right - 4, dock->GetClientRect().bottom - 4};
        ClientToScreen(dock->GetHandle(), &p);
        SetCursorPos(p.x, p.y);
        ProcessPendingMessages();
        for (int i = 0; i < 2; ++i) {
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        }
        ProcessPendingMessages();
    }
};

TEST_F(MainWindowCustomize, ADoubleClickOnTheDockOpensCustomizeAndCloseGivesTheWindowBack) {
    StartAndWaitOutTheIntro();
    TFormzelmo* f = Formzelmo;
    TubBarManager* m = f->ubBarManager1;
    EXPECT_FALSE(m->StoreInIniFile);
    EXPECT_FALSE(m->StoreInRegistry);
    DoubleClickTopDock(m);
    TubBarCustomizingForm* form = GetCustomizingForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Caption(), "Customize");
    EXPECT_FALSE(IsWindowEnabled(f->GetHandle()));

    // New proposes "Custom 2" (the menu bar is named "Custom 1"); the new bar is renamed.
    std::string proposed;
    bool shown = false;
    Application->OnIdle = [&](TObject*, bool& done) {
        done = false;
        auto* dialog = dynamic_cast<TubBarNameEd*>(Screen->ActiveForm());
        if (dialog == nullptr || shown) return;
        shown = true;
        proposed = dialog->EName->GetText();
        dialog->BOK->Click();
    };
    form->BBarNew->Click();
    Application->OnIdle = nullptr;
    EXPECT_EQ(proposed, "Custom 2");
    ASSERT_EQ(m->GetBars()->Count(), 3);
    shown = false;
    Application->OnIdle = [&](TObject*, bool& done) {
        done = false;
        auto* dialog = dynamic_cast<TubBarNameEd*>(Screen->ActiveForm());
        if (dialog == nullptr || shown) return;
        shown = true;
        dialog->EName->SetText("My tools");
        dialog->BOK->Click();
    };
    form->BBarRename->Click();
    Application->OnIdle = nullptr;
    EXPECT_EQ(m->GetBars()->Items(2)->GetCaption(), "My tools");

    // "ToolBar" reset with OK gives back the design's links.
    TubBar* toolbar = m->GetBars()->Items(1);
    const int links = toolbar->GetItemLinks()->Count();
    delete toolbar->GetItemLinks()->Items(0);
    form->BarsListBox->SetItemIndex(1);
    form->UpdateBarButtons();
    BoxAnswer = IDOK;
    form->BBarReset->Click();
    EXPECT_EQ(toolbar->GetItemLinks()->Count(), links);
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("main_customize")));

    // Close: the main window is enabled again and takes its short-cuts.
    ClickAt(form->BClose->GetHandle(), form->BClose->GetWidth() / 2, form->BClose->GetHeight() / 2);
    ProcessPendingMessages();
    EXPECT_EQ(GetCustomizingForm(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(f->GetHandle()));
    EXPECT_FALSE(m->GetCustomizing());
    SetForegroundWindow(f->GetHandle());
    ProcessPendingMessages();
    CtrlTap('K');
    int keyboards = 0;
    for (const std::string& c : ChildClasses()) keyboards += c == "TFormKeyboard" ? 1 : 0;
    EXPECT_EQ(keyboards, 1);
}

}  // namespace
}  // namespace zel::test
