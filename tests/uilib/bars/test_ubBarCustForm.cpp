// The customizing form at run time on the main window's bars: how it opens and closes, the toolbar list and
// its buttons, the command list and the options written back to the manager.
#include "CustFormSupport.h"
#include "platform/vcl/Screenshot.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarSubItem.h"

namespace zel::test {
namespace {

using CustomizingForm = CustFormTest;

TEST_F(CustomizingForm, OpensOnTheRunTimePagesWithTheBarsAndCategories) {
    TubBarCustomizingForm* form = Open();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(Manager->GetCustomizing());
    EXPECT_EQ(form->Caption(), "Customize");
    EXPECT_EQ(form->PageControl->GetActivePage(), form->TabSheet1);
    EXPECT_FALSE(form->TabSheet4->GetTabVisible());
    EXPECT_FALSE(form->TabSheet5->GetTabVisible());
    EXPECT_EQ(Rows(form->BarsListBox), (std::vector<std::string>{"Main Menu", "ToolBar"}));
    EXPECT_EQ(Rows(form->LCategories),
              (std::vector<std::string>{"Default", "File", "Settings", "Gadgets", "Window", "Help", "Menus"}));
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("custform_toolbars")));
    ClickTab(form->PageControl, form->TabSheet2);
    EXPECT_EQ(form->PageControl->GetActivePage(), form->TabSheet2);
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("custform_commands")));
    ClickTab(form->PageControl, form->TabSheet3);
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("custform_options")));
}

}  // namespace
}  // namespace zel::test

namespace zel::test {
namespace {

TPoint Middle(const TRect& R) { return TPoint((R.left + R.right) / 2, (R.top + R.bottom) / 2); }

// A free place of the top dock, right of the toolbar.
TPoint FreeDockPoint(TubBarManager* m) {
    TubDockControl* dock = m->GetBars()->DockControls(dsTop);
    return OnScreen(dock, dock->GetClientRect().right - 4, dock->GetClientRect().bottom - 4);
}

TEST_F(CustomizingForm, EveryOtherManagersFormIsDisabledWhileOpenAndEnabledHoweverItCloses) {
    TTestForm* other = NewForm();
    new TubBarManager(other);
    other->Show();
    TTestForm* plain = NewForm();
    plain->Show();
    ProcessPendingMessages();
    const struct {
        const char* name;
        std::function<void(TubBarCustomizingForm*)> close;
    } ways[] = {
        {"Close button", [](TubBarCustomizingForm* f) { Press(f->BClose); }},
        {"system menu", [](TubBarCustomizingForm* f) { SendMessage(f->GetHandle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"customizing ends", [this](TubBarCustomizingForm*) { Manager->SetCustomizing(false); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        // Opened by a double click on a free place of the dock.
        const TPoint p = FreeDockPoint(Manager);
        SetCursorPos(p.x, p.y);
        ProcessPendingMessages();
        for (int i = 0; i < 2; ++i) {
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        }
        ProcessPendingMessages();
        TubBarCustomizingForm* form = GetCustomizingForm();
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(Manager->GetCustomizing());
        EXPECT_FALSE(IsWindowEnabled(Sample->GetHandle()));
        EXPECT_FALSE(IsWindowEnabled(other->GetHandle()));
        EXPECT_TRUE(IsWindowEnabled(plain->GetHandle()));
        EXPECT_TRUE(IsWindowEnabled(form->GetHandle()));
        way.close(form);
        ProcessPendingMessages();
        EXPECT_EQ(GetCustomizingForm(), nullptr);
        EXPECT_FALSE(Manager->GetCustomizing());
        EXPECT_TRUE(IsWindowEnabled(Sample->GetHandle()));
        EXPECT_TRUE(IsWindowEnabled(other->GetHandle()));
    }
}

TEST_F(CustomizingForm, TheCustomizeEntryOfTheToolbarsPopupOpensItOnce) {
    TubBarItemLinks links(Manager, nullptr);
    Manager->FillToolbarsPopup(&links);
    TubBarItem* customize = links.Items(links.Count() - 1)->GetItem();
    ASSERT_EQ(customize->GetCaption(), "&Customize...");
    customize->Click();
    ProcessPendingMessages();
    TubBarCustomizingForm* form = GetCustomizingForm();
    ASSERT_NE(form, nullptr);
    // While it is open the entry is offered disabled, and switching customizing on again keeps the form.
    TubBarItemLinks again(Manager, nullptr);
    Manager->FillToolbarsPopup(&again);
    EXPECT_FALSE(again.Items(again.Count() - 1)->GetItem()->GetEnabled());
    Manager->SetCustomizing(true);
    EXPECT_EQ(GetCustomizingForm(), form);
}

TEST_F(CustomizingForm, ToolbarListEdgeCases) {
    // The main menu's box is inactive: toggling it beeps and changes nothing.
    TubBarCustomizingForm* form = Open();
    ASSERT_NE(form, nullptr);
    TubBarsListBox* list = form->BarsListBox;
    EXPECT_FALSE(list->GetItemEnabled(0));
    ClickAt(list, TPoint(4, list->ItemRect(0).top + 4));
    EXPECT_EQ(Beeps, 1);
    EXPECT_TRUE(Bar(0)->GetVisible());
    // The box of a bar the user may switch shows and hides the bar.
    ClickAt(list, TPoint(4, list->ItemRect(1).top + 4));
    EXPECT_FALSE(Bar(1)->GetVisible());
    EXPECT_FALSE(list->GetChecked(1));
    ClickAt(list, TPoint(4, list->ItemRect(1).top + 4));
    EXPECT_TRUE(Bar(1)->GetVisible());
    // A bar hidden by other means meanwhile loses its tick.
    Bar(1)->SetVisible(false);
    EXPECT_FALSE(list->GetChecked(1));
    Manager->SetCustomizing(false);

    // A hidden bar is not listed, and the first listed visible bar is selected.
    Bar(0)->SetHidden(true);
    form = Open();
    EXPECT_EQ(Rows(form->BarsListBox), std::vector<std::string>{"ToolBar"});
    EXPECT_EQ(form->BarsListBox->GetItemIndex(), 0);
    Manager->SetCustomizing(false);
    Bar(0)->SetHidden(false);
    Bar(1)->SetVisible(true);
    form = Open();
    EXPECT_EQ(form->BarsListBox->GetItemIndex(), 0);
    EXPECT_TRUE(form->EnhancedOptionsPanel->GetVisible());
    Manager->SetCustomizing(false);

    // Under the standard look the options page has no recent-items options.
    Manager->SetStyle(bmsStandard);
    form = Open();
    EXPECT_TRUE(form->StandardOptionsPanel->GetVisible());
    EXPECT_FALSE(form->EnhancedOptionsPanel->GetVisible());
}

TEST_F(CustomizingForm, NewRenameDeleteAndResetActOnTheBars) {
    TubBarCustomizingForm* form = Open();
    ASSERT_NE(form, nullptr);
    // New: "Custom 1" is the menu bar's name, so "Custom 2" is proposed; then "Custom 3".
    std::string proposed;
    auto addBar = [&](const std::string& typed, bool ok) {
        WhileModal(
            [&] {
                auto* dialog = dynamic_cast<TubBarNameEd*>(Screen->ActiveForm());
                ASSERT_NE(dialog, nullptr);
                proposed = dialog->EName->GetText();
                if (!typed.empty()) dialog->EName->SetText(typed);
                (ok ? dialog->BOK : dialog->BCancel)->Click();
            },
            [&] { Press(form->BBarNew); });
    };
    addBar("", true);
    EXPECT_EQ(proposed, "Custom 2");
    ASSERT_EQ(Manager->GetBars()->Count(), 3);
    TubBar* custom = Bar(2);
    EXPECT_EQ(custom->GetCaption(), "Custom 2");
    EXPECT_TRUE(custom->GetVisible());
    EXPECT_EQ(custom->GetDockingStyle(), dsNone);
    EXPECT_EQ(form->BarsListBox->GetItemIndex(), 2);
    EXPECT_TRUE(form->BBarRename->GetEnabled());
    EXPECT_TRUE(form->BBarDelete->GetEnabled());
    EXPECT_FALSE(form->BBarReset->GetEnabled());
    addBar("", false);
    EXPECT_EQ(proposed, "Custom 3");
    EXPECT_EQ(Manager->GetBars()->Count(), 3);

    // Rename updates the bar and its row.
    WhileModal(
        [&] {
            auto* dialog = dynamic_cast<TubBarNameEd*>(Screen->ActiveForm());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->Caption(), "Rename Toolbar");
            dialog->EName->SetText("Mine");
            dialog->BOK->Click();
        },
        [&] { Press(form->BBarRename); });
    EXPECT_EQ(custom->GetCaption(), "Mine");
    EXPECT_EQ(Rows(form->BarsListBox), (std::vector<std::string>{"Main Menu", "ToolBar", "Mine"}));

    // Delete asks first; Cancel keeps the bar, OK frees it and selects the new last row.
    BoxAnswer = IDCANCEL;
    Press(form->BBarDelete);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "Are you sure you want to delete the 'Mine' toolbar?");
    EXPECT_EQ(Manager->GetBars()->Count(), 3);
    BoxAnswer = IDOK;
    Press(form->BBarDelete);
    EXPECT_EQ(Manager->GetBars()->Count(), 2);
    EXPECT_EQ(Rows(form->BarsListBox), (std::vector<std::string>{"Main Menu", "ToolBar"}));
    EXPECT_EQ(form->BarsListBox->GetItemIndex(), 1);

    // Reset of a predefined bar, after its question, gives the design's links back.
    EXPECT_TRUE(form->BBarReset->GetEnabled());
    EXPECT_FALSE(form->BBarRename->GetEnabled());
    const int links = Bar(1)->GetItemLinks()->Count();
    delete Bar(1)->GetItemLinks()->Items(0);
    Press(form->BBarReset);
    EXPECT_EQ(Boxes.back().Text, "Are you sure you want to reset the changes made to the 'ToolBar' toolbar?");
    EXPECT_EQ(Bar(1)->GetItemLinks()->Count(), links);
}

TEST_F(CustomizingForm, EachOptionWritesItsManagerPropertyAndBack) {
    TubBarCustomizingForm* form = Open();
    ASSERT_NE(form, nullptr);
    ClickTab(form->PageControl, form->TabSheet3);
    TubBarManager* m = Manager;
    const struct {
        const char* name;
        TCheckBox* box;
        std::function<bool()> property;
    } rows[] = {
        {"recent items first", form->CBMenusShowRecentItemsFirst, [m] { return m->GetMenusShowRecentItemsFirst(); }},
        {"full menus after a delay", form->CBShowFullMenusAfterDelay, [m] { return m->GetShowFullMenusAfterDelay(); }},
        {"large icons", form->CBLargeIconsEx, [m] { return m->GetLargeIcons(); }},
        {"tool tips", form->CBHint1Ex, [m] { return m->GetShowHint(); }},
        {"short-cuts in tool tips", form->CBHint2Ex, [m] { return m->GetShowShortCutInHint(); }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const bool before = r.property();
        EXPECT_EQ(r.box->GetChecked(), before);
        Press(r.box);
        EXPECT_EQ(r.property(), !before);
        Press(r.box);
        EXPECT_EQ(r.property(), before);
    }
    // The dependent boxes follow their leaders.
    Press(form->CBMenusShowRecentItemsFirst);
    EXPECT_FALSE(form->CBShowFullMenusAfterDelay->GetEnabled());
    Press(form->CBHint1Ex);
    EXPECT_FALSE(form->CBHint2Ex->GetEnabled());
    // The animation combo's index is the animation.
    form->ComboBoxMenuAnimationsEx->SetFocus();
    Tap(VK_DOWN);
    Tap(VK_DOWN);
    EXPECT_EQ(m->GetMenuAnimations(), maUnfold);
    // A change made elsewhere shows on the page.
    m->SetLargeIcons(true);
    EXPECT_TRUE(form->CBLargeIconsEx->GetChecked());
}

TEST_F(CustomizingForm, ResetMyUsageDataRestoresTheDesignMarksOnYesOnly) {
    TubBarCustomizingForm* form = Open();
    ASSERT_NE(form, nullptr);
    ClickTab(form->PageControl, form->TabSheet3);
    TubBarItemLink* link = Sample->File1->GetItemLinks()->Items(2);
    TubBarItemLink* barLink = Bar(1)->GetItemLinks()->Items(1);
    link->SetMostRecentlyUsed(false);
    barLink->SetMostRecentlyUsed(false);
    BoxAnswer = IDNO;
    Press(form->BResetUsageData);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Flags, static_cast<UINT>(MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING));
    EXPECT_EQ(Boxes[0].Text.rfind("This will delete the record of the commands you've used", 0), 0u);
    EXPECT_FALSE(link->GetMostRecentlyUsed());
    EXPECT_FALSE(barLink->GetMostRecentlyUsed());
    BoxAnswer = IDYES;
    Press(form->BResetUsageData);
    EXPECT_TRUE(link->GetMostRecentlyUsed());
    EXPECT_TRUE(barLink->GetMostRecentlyUsed());
    EXPECT_EQ(link->UseCount, Manager->RecentUseStep());
}

TEST_F(CustomizingForm, TheCommandListShowsTheCategorysItemsAndTheirDescription) {
    TubBarCustomizingForm* form = Open();
    ASSERT_NE(form, nullptr);
    ClickTab(form->PageControl, form->TabSheet2);
    ClickAt(form->LCategories, Middle(form->LCategories->ItemRect(2)));
    EXPECT_EQ(Rows(form->LCommands).size(), 4u);
    EXPECT_EQ(form->LCommands->Item(0)->GetName(), "SetMidiMidiPortItem");
    EXPECT_EQ(form->LCommands->ItemRect(1).top, 22);
    form->LCommands->Item(1)->SetDescription("Preview settings");
    // A press on the command list watches for a drag until the button comes up: the release is queued with
    // the press.
    const TPoint row = OnScreen(form->LCommands, 40, Middle(form->LCommands->ItemRect(1)).y);
    SetCursorPos(row.x, row.y);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(form->LCommands->GetItemIndex(), 1);
    EXPECT_EQ(form->DescriptionLabel->Caption(), "Preview settings");
    // The wheel over the unfocused category list scrolls it; the focus stays.
    form->LCategories->SetHeight(60);
    form->LCommands->SetFocus();
    const TPoint p = OnScreen(form->LCategories, 10, 10);
    SetCursorPos(p.x, p.y);
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(-120), 0);
    ProcessPendingMessages();
    EXPECT_GT(form->LCategories->GetTopIndex(), 0);
    EXPECT_TRUE(form->LCommands->Focused());
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("custform_commands_settings")));
}

TEST_F(CustomizingForm, TheHelpButtonFiresTheManagersEventAndOpensItsHelpContext) {
    Manager->SetShowHelpButton(true);
    Manager->HelpContext = 42;
    int clicks = 0;
    Manager->OnHelpButtonClick = [&](TObject*) { ++clicks; };
    TubBarCustomizingForm* form = Open();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->BHelp->GetVisible());
    Application->LastHelpContext = 0;
    Press(form->BHelp);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Application->LastHelpContext, 42);
    Manager->SetShowHelpButton(false);
    EXPECT_FALSE(form->BHelp->GetVisible());
}

}  // namespace
}  // namespace zel::test
