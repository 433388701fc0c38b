// Customizing the main window's bars as a user does: a double click on the top dock opens "Customize", a new
// toolbar is proposed a free name and renamed, a command dragged from the list onto the toolbar adds a link
// that opens its dialog, the toolbar is reset, and after Close the main window takes
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
    // The screen point of a list box row's middle.
    static POINT RowPoint(TCustomListBox* List, int Row) {
        RECT r{};
        SendMessage(List->GetHandle(), LB_GETITEMRECT, static_cast<WPARAM>(Row), reinterpret_cast<LPARAM>(&r));
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(List->GetHandle(), &p);
        return p;
    }
    static int RowOf(TCustomListBox* List, const std::string& Text) {
        for (int i = 0; i < List->Items()->Count(); ++i)
            if (List->Items()->Get(i) == Text) return i;
        return -1;
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

    // On "Commands", "&Midi" of "Settings" is dragged from the command list onto the right half of the
    // toolbar's Print: a link to it follows Print.
    TubBar* toolbar = m->GetBars()->Items(1);
    const int links = toolbar->GetItemLinks()->Count();
    form->PageControl->SetActivePage(form->TabSheet2);
    ProcessPendingMessages();
    const int settings = RowOf(form->LCategories, "Settings");
    ASSERT_GE(settings, 0);
    POINT p = RowPoint(form->LCategories, settings);
    ClickAt(form->LCategories->GetHandle(), 0, 0);  // focuses the list; the row is clicked next
    SetCursorPos(p.x, p.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    const int midi = RowOf(form->LCommands, "&Midi");
    ASSERT_GE(midi, 0) << "the Settings commands are listed";
    TubBarItemLink* print = nullptr;
    for (TubBarItemLink* l : toolbar->GetItemLinks()->VisibleItems())
        if (l->GetItem() == f->FilePrintItem) print = l;
    ASSERT_NE(print, nullptr);
    POINT drop{print->ItemRect.left + (print->ItemRect.right - print->ItemRect.left) * 3 / 4,
               (print->ItemRect.top + print->ItemRect.bottom) / 2};
    ClientToScreen(ToolBarOf(f)->GetHandle(), &drop);
    p = RowPoint(form->LCommands, midi);
    SetCursorPos(p.x, p.y);
    ProcessPendingMessages();
    // The press, a move out of the drag rectangle, the move onto Print and the release are queued at once;
    // a key between the moves keeps the queue from merging them.
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    SetCursorPos(p.x, p.y + 12);
    keybd_event(VK_SHIFT, 0, 0, 0);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    SetCursorPos(drop.x, drop.y);
    keybd_event(VK_SHIFT, 0, 0, 0);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    ProcessPendingMessages();
    ASSERT_EQ(toolbar->GetItemLinks()->Count(), links + 1);
    int printAt = -1;
    for (int i = 0; i < links; ++i)
        if (toolbar->GetItemLinks()->Items(i)->GetItem() == f->FilePrintItem) printAt = i;
    ASSERT_GE(printAt, 0);
    EXPECT_EQ(toolbar->GetItemLinks()->Items(printAt + 1)->GetItem(), f->SetMidiMidiPortItem);

    // After Close the new link opens the MIDI port dialog.
    ClickAt(form->BClose->GetHandle(), form->BClose->GetWidth() / 2, form->BClose->GetHeight() / 2);
    ProcessPendingMessages();
    ASSERT_EQ(GetCustomizingForm(), nullptr);
    bool portsShown = false;
    Application->OnIdle = [&](TObject*, bool& done) {
        done = false;
        if (FormInOut == nullptr || Screen->ActiveForm() != FormInOut) return;
        portsShown = true;
        FormInOut->ModalResult = mrCancel;
    };
    ClickLink(ToolBarOf(f), f->SetMidiMidiPortItem, true);
    Application->OnIdle = nullptr;
    EXPECT_TRUE(portsShown);

    // Customizing again, "ToolBar" reset with OK gives back the design's links.
    DoubleClickTopDock(m);
    form = GetCustomizingForm();
    ASSERT_NE(form, nullptr);
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
