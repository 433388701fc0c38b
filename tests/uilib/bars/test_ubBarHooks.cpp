// The framework's thread hooks with real key and mouse messages through the queue: which managers the keys
// reach from the active form, accelerators that only select, keys swallowed while a frame button is held; and
// the form's messages as the call-window-procedure hook hands them to its manager: bars that wait for the
// form's window, F1 over a menu, floating bars that follow the form's activation, minimizing and the screen.
#include <functional>
#include <string>
#include <vector>

#include "MainWindowBars.h"
#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarHooks.h"
#include "uilib/bars/ubBarItemControlBase.h"
#include "uilib/bars/ubBarItemControls.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarToolbarControl.h"

namespace zel::test {
namespace {

class ubBarHooks : public BarsTest {
protected:
    void TearDown() override {
        BarButtonHeld = false;
        Application->OnHelp = nullptr;
        Application->MainForm = nullptr;
        delete sample_;
        BarsTest::TearDown();
    }
    // The main window's bars on a shown form, which is the main form.
    TFormBarsSample* ShowSample() {
        sample_ = Construct<TFormBarsSample>(nullptr);
        sample_->SetBounds(100, 100, 500, 300);
        Application->MainForm = sample_;
        sample_->Show();
        ProcessPendingMessages();
        return sample_;
    }
    // A form of 400 x 300 with a manager of its own, not shown yet.
    TubBarManager* NewManagedForm(TTestForm*& AForm) {
        AForm = NewForm();
        AForm->SetBounds(100, 100, 400, 300);
        return new TubBarManager(AForm);
    }
    // A bar docked at the top of the manager's form, in the given row.
    static TubBar* AddBar(TubBarManager* AManager, const std::string& ACaption, int ARow = 0) {
        TubBar* bar = AManager->GetBars()->Add();
        bar->SetCaption(ACaption);
        bar->SetDockingStyle(dsTop);
        bar->SetRow(ARow);
        return bar;
    }
    // A button on the bar's links that counts its clicks into Counter.
    static TubBarButton* AddButton(TubBarItemLinks* ALinks, const std::string& ACaption, int& Counter,
                                   TShortCut AShortCut = 0) {
        auto* button = new TubBarButton(ALinks->BarManager()->Form());
        button->SetCaption(ACaption);
        button->SetShortCut(AShortCut);
        button->OnClick = [&Counter](TObject*) { ++Counter; };
        ALinks->Add()->SetItem(button);
        return button;
    }
    static TubBarSubItem* AddSubItem(TubBarItemLinks* ALinks, const std::string& ACaption) {
        auto* sub = new TubBarSubItem(ALinks->BarManager()->Form());
        sub->SetCaption(ACaption);
        ALinks->Add()->SetItem(sub);
        return sub;
    }
    static TubBarSubMenuControl* MenuOf(TCustomubBarSubItem* ASub) {
        return dynamic_cast<TubBarSubMenuControl*>(ASub->GetItemLinks()->BarControl);
    }

    TFormBarsSample* sample_ = nullptr;
};

TEST_F(ubBarHooks, KeysReachTheActiveFormsOwnManagerElseTheMainFormsWhenItAllowsCalls) {
    TFormBarsSample* main = ShowSample();
    TubBarControl* mainMenu = main->Manager->GetBars()->Items(0)->Control();
    ASSERT_NE(mainMenu, nullptr);
    struct Row {
        const char* name;
        bool allowCalls;
        bool ownManager;
        int mainOpens;  // Ctrl+O running the main form's Open
        int ownRuns;    // Ctrl+O running the other form's own button
        bool altSelectsMainMenu;
    };
    const Row rows[] = {
        {"a form without a manager", false, false, 0, 0, false},
        {"a form without a manager, calls allowed", true, false, 1, 0, true},
        {"a form with its own manager", true, true, 0, 1, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        main->Clicks.clear();
        main->Manager->AllowCallFromAnotherForm = r.allowCalls;
        TTestForm* other = NewForm();
        other->SetBounds(150, 150, 300, 200);
        int ownRuns = 0;
        if (r.ownManager) {
            auto* manager = new TubBarManager(other);
            TubBar* bar = AddBar(manager, "Tools");
            AddButton(bar->GetItemLinks(), "&Save", ownRuns, ShortCut('O', TShiftState{ssCtrl}));
            bar->SetVisible(true);
        }
        other->Show();
        ProcessPendingMessages();
        ASSERT_EQ(GetActiveWindow(), other->GetHandle());
        Tap('O', VK_CONTROL);
        EXPECT_EQ(static_cast<int>(main->Clicks.size()), r.mainOpens);
        EXPECT_EQ(ownRuns, r.ownRuns);
        Tap(VK_MENU);
        EXPECT_EQ(mainMenu->MenuMode(), r.altSelectsMainMenu);
        if (mainMenu->MenuMode()) Tap(VK_ESCAPE);
        other->Hide();
        ProcessPendingMessages();
    }
}

TEST_F(ubBarHooks, KeysFromAMultipleDocumentChildReachTheMainFormsManagerFirstUnlessTheChildHasAMainMenuBar) {
    TTestForm* main = NewForm();
    main->SetFormStyle(fsMDIForm);
    main->SetBounds(100, 100, 500, 400);
    Application->MainForm = main;
    auto* mainManager = new TubBarManager(main);
    int mainOpens = 0, childOpens = 0, childSaves = 0;
    TubBar* mainBar = AddBar(mainManager, "Tools");
    AddButton(mainBar->GetItemLinks(), "&Open", mainOpens, ShortCut('O', TShiftState{ssCtrl}));
    mainBar->SetVisible(true);
    main->Show();
    TTestForm* child = NewForm();
    child->SetFormStyle(fsMDIChild);
    child->SetBounds(10, 10, 300, 200);
    auto* childManager = new TubBarManager(child);
    TubBar* childBar = AddBar(childManager, "Child");
    AddButton(childBar->GetItemLinks(), "&Open", childOpens, ShortCut('O', TShiftState{ssCtrl}));
    AddButton(childBar->GetItemLinks(), "&Save", childSaves, ShortCut('S', TShiftState{ssCtrl}));
    childBar->SetVisible(true);
    child->Show();
    ProcessPendingMessages();
    ASSERT_EQ(main->ActiveMDIChild(), child);

    Tap('O', VK_CONTROL);
    Tap('S', VK_CONTROL);
    EXPECT_EQ(mainOpens, 1) << "the main form's manager is asked first";
    EXPECT_EQ(childOpens, 0);
    EXPECT_EQ(childSaves, 1) << "then the child's own";

    childBar->SetIsMainMenu(true);
    Tap('O', VK_CONTROL);
    EXPECT_EQ(childOpens, 1) << "a child with a main menu bar comes first";
    EXPECT_EQ(mainOpens, 1);
    Tap(VK_MENU);
    EXPECT_TRUE(childBar->Control()->MenuMode()) << "Alt selects the child's main menu bar";
    Tap(VK_MENU);

    // New system colours reach the top-level windows; the child's manager follows its main form's.
    const TColor oldFace = childManager->FlatFaceColor();
    const int index = COLOR_BTNFACE;
    const COLORREF face = RGB(200, 10, 10);
    SetSysColors(1, &index, &face);
    BroadcastSystemMessage(WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_NE(childManager->FlatFaceColor(), oldFace);
    EXPECT_EQ(childManager->FlatFaceColor(), mainManager->FlatFaceColor());
}

TEST_F(ubBarHooks, InputOverTheCustomizingMultipleDocumentChildGoesToItsBarsWithTheCustomizingFormInFront) {
    TTestForm* main = NewForm();
    main->SetFormStyle(fsMDIForm);
    main->SetBounds(100, 100, 500, 400);
    Application->MainForm = main;
    main->Show();
    TTestForm* child = NewForm();
    child->SetFormStyle(fsMDIChild);
    child->SetBounds(10, 10, 300, 200);
    auto* manager = new TubBarManager(child);
    int opens = 0;
    TubBar* bar = AddBar(manager, "Child");
    AddButton(bar->GetItemLinks(), "&Open", opens);
    bar->SetVisible(true);
    child->Show();
    ProcessPendingMessages();
    manager->SetCustomizing(true);
    ProcessPendingMessages();
    TubBarCustomizingForm* customizing = GetCustomizingForm();
    ASSERT_NE(customizing, nullptr);
    // Input that reaches the child's windows as client input (the child left enabled, as the platform's own
    // routing of a disabled child may leave it) is still the customizing form's.
    EnableWindow(child->GetHandle(), TRUE);
    SetActiveWindow(customizing->GetHandle());
    ProcessPendingMessages();
    // The press leaves the queue in the mouse hook and reaches the bar only through the customizing routing.
    static int queuedPresses = 0;
    queuedPresses = 0;
    HHOOK counter = SetWindowsHookEx(WH_GETMESSAGE, [](int Code, WPARAM W, LPARAM L) -> LRESULT {
        const auto* msg = reinterpret_cast<const MSG*>(L);
        if (Code >= 0 && W == PM_REMOVE && msg->message == WM_LBUTTONDOWN) ++queuedPresses;
        return CallNextHookEx(nullptr, Code, W, L);
    });
    const TRect r = bar->GetItemLinks()->Items(0)->ItemRect;
    ClickAt(bar->Control(), TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    UnhookWindowsHookEx(counter);
    EXPECT_EQ(queuedPresses, 0);
    EXPECT_EQ(GetActiveWindow(), customizing->GetHandle());
    EXPECT_EQ(opens, 0);
    manager->SetCustomizing(false);
    ProcessPendingMessages();
}

TEST_F(ubBarHooks, AnAcceleratorSharedOnItsBarOnlySelectsAndKeysAreSwallowedWhileAFrameButtonIsHeld) {
    TTestForm* form = nullptr;
    TubBarManager* manager = NewManagedForm(form);
    TubBar* bar = AddBar(manager, "Main Menu");
    bar->SetIsMainMenu(true);
    TubBarSubItem* file = AddSubItem(bar->GetItemLinks(), "&File");
    TubBarSubItem* format = AddSubItem(bar->GetItemLinks(), "&Format");
    TubBarSubItem* settings = AddSubItem(bar->GetItemLinks(), "&Settings");
    int opens = 0;
    AddButton(file->GetItemLinks(), "&Open", opens, ShortCut('O', TShiftState{ssCtrl}));
    for (TubBarSubItem* sub : {format, settings}) AddButton(sub->GetItemLinks(), "&Colors", opens);
    bar->SetVisible(true);
    form->Show();
    ProcessPendingMessages();
    TubBarControl* window = bar->Control();
    ASSERT_NE(window, nullptr);

    Tap('F', VK_MENU);
    EXPECT_TRUE(window->MenuMode()) << "two links begin with F: the first is selected";
    ASSERT_NE(window->SelectedControl(), nullptr);
    EXPECT_EQ(window->SelectedControl()->Item(), file);
    EXPECT_EQ(MenuOf(file), nullptr) << "and not opened";
    Tap(VK_MENU);
    EXPECT_FALSE(window->MenuMode());

    Tap('Z', VK_MENU);
    EXPECT_FALSE(window->MenuMode()) << "Alt released after another key selects nothing";

    Tap('S', VK_MENU);
    EXPECT_NE(MenuOf(settings), nullptr) << "the only S opens its menu";
    Tap(VK_ESCAPE);
    Tap(VK_MENU);
    ASSERT_EQ(CurrentMenuControl, nullptr);

    BarButtonHeld = true;
    Tap('O', VK_CONTROL);
    Tap(VK_MENU);
    Tap('S', VK_MENU);
    EXPECT_EQ(opens, 0);
    EXPECT_FALSE(window->MenuMode());
    EXPECT_EQ(MenuOf(settings), nullptr);
    BarButtonHeld = false;
    Tap('O', VK_CONTROL);
    EXPECT_EQ(opens, 1);
}

// An edit item's window hands the keys it does not keep to the framework's hook itself: the hooks installed
// before the framework's see them only from the queue.
TEST_F(ubBarHooks, AnEditItemsDirectCallReachesTheBarsButNotTheOlderHooks) {
    static int olderCalls = 0;
    olderCalls = 0;
    HHOOK older = SetWindowsHookEx(WH_KEYBOARD, [](int Code, WPARAM WParam, LPARAM LParam) -> LRESULT {
        if (Code == HC_ACTION) ++olderCalls;
        return CallNextHookEx(nullptr, Code, WParam, LParam);
    });
    TTestForm* form = nullptr;
    TubBarManager* manager = NewManagedForm(form);
    TubBar* bar = AddBar(manager, "Tools");
    int saves = 0;
    AddButton(bar->GetItemLinks(), "&Save", saves, ShortCut('S', TShiftState{ssCtrl}));
    bar->SetVisible(true);
    form->Show();
    ProcessPendingMessages();
    Tap('S', VK_CONTROL);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(olderCalls, 4) << "two keys down and up through the queue";
    keybd_event(VK_CONTROL, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_TRUE(CallBarKeyboardHook('S', 1, true));
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(olderCalls, 6) << "only Ctrl's own key events";
    EXPECT_FALSE(DirectKeyCall);
    UnhookWindowsHookEx(older);
}

TEST_F(ubBarHooks, ARightClickOutsideAMenuClosesItButOneInAnOpenCombosListDoesNot) {
    TTestForm* form = nullptr;
    TubBarManager* manager = NewManagedForm(form);
    TubBar* bar = AddBar(manager, "Main Menu");
    bar->SetIsMainMenu(true);
    TubBarSubItem* view = AddSubItem(bar->GetItemLinks(), "&View");
    auto* combo = new TubBarCombo(form);
    combo->SetCaption("Zoom");
    for (const char* entry : {"50%", "100%", "200%"}) combo->GetItems()->Add(entry);
    view->GetItemLinks()->Add()->SetItem(combo);
    bar->SetVisible(true);
    form->Show();
    ProcessPendingMessages();
    // The list the combo drops down: a window of the program's own.
    TTestForm* listForm = NewForm();
    listForm->SetBorderStyle(bsNone);
    listForm->SetBounds(0, 0, 120, 60);
    HWND list = listForm->GetHandle();
    combo->OnGetDropDownWindow = [list](TObject*, HWND& Window) { Window = list; };
    auto rightClick = [](TPoint P) {
        SetCursorPos(P.x, P.y);
        mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    };
    Tap('V', VK_MENU);
    TubBarSubMenuControl* menu = MenuOf(view);
    ASSERT_NE(menu, nullptr);
    auto* control = dynamic_cast<TubBarComboControl*>(view->GetItemLinks()->Items(0)->Control);
    ASSERT_NE(control, nullptr);
    menu->SelectByKeyboard(control);
    control->SetDroppedDown(true);
    ASSERT_TRUE(control->GetDroppedDown());
    ASSERT_TRUE(IsWindowVisible(list));
    RECT r{};
    GetWindowRect(list, &r);
    rightClick(TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    EXPECT_EQ(MenuOf(view), menu) << "a click in the combo's list leaves the menu open";
    EXPECT_TRUE(control->GetDroppedDown());
    rightClick(OnScreen(form, 300, 250));
    EXPECT_EQ(MenuOf(view), nullptr);
    EXPECT_EQ(CurrentMenuControl, nullptr);
}

TEST_F(ubBarHooks, LeavingTheProgramDropsTheHotItem) {
    TFormBarsSample* main = ShowSample();
    TubBar* tools = main->Manager->GetBars()->Items(1);
    ASSERT_NE(tools->Control(), nullptr);
    const TRect r = tools->GetItemLinks()->Items(1)->ItemRect;
    const TPoint p = OnScreen(tools->Control(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SetCursorPos(p.x, p.y);
    ProcessPendingMessages();
    ASSERT_NE(main->Manager->GetSelectedControl(), nullptr);
    BroadcastSystemMessage(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(main->Manager->GetSelectedControl(), nullptr);
    EXPECT_EQ(tools->Control()->SelectedControl(), nullptr);
}

TEST_F(ubBarHooks, BarsShownBeforeTheFormHasItsWindowWaitForItAndTakeTheirStoredRows) {
    TTestForm* form = nullptr;
    TubBarManager* manager = NewManagedForm(form);
    TubBar* second = AddBar(manager, "Second", 1);
    TubBar* first = AddBar(manager, "First", 0);
    TubBar* dropped = AddBar(manager, "Dropped", 2);
    for (TubBar* bar : {first, second, dropped}) {
        int unused = 0;
        AddButton(bar->GetItemLinks(), bar->GetCaption(), unused);
    }
    for (TubBar* bar : {second, first, dropped}) bar->SetVisible(true);
    dropped->SetVisible(false);
    ASSERT_FALSE(form->HandleAllocated());
    EXPECT_TRUE(second->GetVisible());
    EXPECT_EQ(second->Control(), nullptr) << "no window before the form has one";
    EXPECT_TRUE(manager->IsPendingBar(first));
    EXPECT_FALSE(manager->IsPendingBar(dropped)) << "hidden again, it no longer waits";

    form->HandleNeeded();
    ASSERT_NE(first->Control(), nullptr);
    ASSERT_NE(second->Control(), nullptr);
    EXPECT_EQ(dropped->Control(), nullptr);
    EXPECT_FALSE(manager->IsPendingBar(first));
    TubDockControl* top = manager->GetBars()->DockControls(dsTop);
    ASSERT_EQ(top->RowCount(), 2);
    int row = -1, col = -1;
    top->FindPlace(first->Control(), row, col);
    EXPECT_EQ(row, 0);
    top->FindPlace(second->Control(), row, col);
    EXPECT_EQ(row, 1) << "placed by its stored row, although it was shown first";

    // The form's window made anew keeps them where they are.
    form->SetBorderStyle(bsSingle);
    ProcessPendingMessages();
    for (TubBar* bar : {first, second}) {
        ASSERT_NE(bar->Control(), nullptr);
        EXPECT_NE(GetWindowLong(bar->Control()->GetHandle(), GWL_STYLE) & WS_VISIBLE, 0);
        EXPECT_EQ(GetParent(bar->Control()->GetHandle()), top->GetHandle());
    }
    top->FindPlace(second->Control(), row, col);
    EXPECT_EQ(row, 1);
}

TEST_F(ubBarHooks, F1OverAnOpenMenuAsksOnlyForTheSelectedItemsHelpAndClosesTheMenus) {
    TFormBarsSample* main = ShowSample();
    main->HelpContext = 25;
    std::vector<int> asked;
    Application->OnHelp = [&asked](WORD, LONG_PTR Data, bool& CallHelp) {
        asked.push_back(static_cast<int>(Data));
        CallHelp = false;
        return true;
    };
    struct Row {
        const char* name;
        bool openFile;  // Alt+F opens the File menu, Down selects Open; else Alt selects the menu bar
        int context;
    };
    const Row rows[] = {
        {"Open selected in the File menu", true, 7},
        {"the menu bar selected, File on it", false, 5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        asked.clear();
        if (r.openFile) {
            Tap('F', VK_MENU);
            Tap(VK_DOWN);
        } else Tap(VK_MENU);
        ASSERT_NE(CurrentMenuControl, nullptr);
        Tap(VK_F1);
        EXPECT_EQ(asked, std::vector<int>{r.context});
        EXPECT_EQ(CurrentMenuControl, nullptr);
        EXPECT_EQ(MenuOf(main->File1), nullptr);
    }
    Tap(VK_F1);
    EXPECT_EQ(asked.back(), 25) << "without a menu, F1 is the form's";
}

// A form with one floating toolbar, shown and active.
class ubBarHooksFloating : public ubBarHooks {
protected:
    void SetUp() override {
        ubBarHooks::SetUp();
        manager = NewManagedForm(form);
        Application->MainForm = form;
        bar = manager->GetBars()->Add();
        bar->SetCaption("Floating");
        bar->SetFloatLeft(550);
        bar->SetFloatTop(150);
        int unused = 0;
        AddButton(bar->GetItemLinks(), "&Open", unused);
        form->Show();
        bar->SetVisible(true);
        ProcessPendingMessages();
    }
    bool Shown() const {
        return bar->Control() != nullptr && bar->Control()->HandleAllocated() &&
               IsWindowVisible(bar->Control()->GetHandle());
    }

    TTestForm* form = nullptr;
    TubBarManager* manager = nullptr;
    TubBar* bar = nullptr;
};

TEST_F(ubBarHooksFloating, FloatingBarsHideWhileTheFormIsInactiveMinimizedOrHiddenAndShowAgainWithIt) {
    ASSERT_TRUE(Shown());
    ASSERT_EQ(bar->Control()->GetParent(), nullptr) << "a pop-up window beside its form";
    TTestForm* other = NewForm();
    other->SetBounds(120, 120, 200, 100);
    struct Row {
        const char* name;
        bool hideWhenInactive;
        std::function<void()> away;
        std::function<void()> back;
        bool shownAway;
    };
    const Row rows[] = {
        {"another form is activated", true, [&] { other->Show(); }, [&] { SetActiveWindow(form->GetHandle()); }, false},
        {"the same, bars kept while inactive", false, [&] { other->Show(); },
         [&] { SetActiveWindow(form->GetHandle()); }, true},
        {"the program loses the activation", true, [] { SetActiveWindow(nullptr); },
         [&] { SetActiveWindow(form->GetHandle()); }, false},
        {"the form is minimized", false, [&] { SendMessage(form->GetHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0); },
         [&] { SendMessage(form->GetHandle(), WM_SYSCOMMAND, SC_RESTORE, 0); }, false},
        {"the form is hidden", false, [&] { form->Hide(); }, [&] { form->Show(); }, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        manager->SetHideFloatingBarsWhenInactive(r.hideWhenInactive);
        r.away();
        ProcessPendingMessages();
        EXPECT_EQ(Shown(), r.shownAway);
        other->Hide();
        r.back();
        ProcessPendingMessages();
        EXPECT_TRUE(Shown());
        EXPECT_TRUE(bar->GetVisible());
    }
}

TEST_F(ubBarHooksFloating, ScreenChangesBringFloatingBarsBackInsideTheWorkArea) {
    RECT formRect{};
    GetWindowRect(form->GetHandle(), &formRect);
    const TRect work = WorkAreaAt(TPoint((formRect.left + formRect.right) / 2, (formRect.top + formRect.bottom) / 2));
    TubBar* hidden = manager->GetBars()->Add();
    hidden->SetFloatClientWidth(100);
    hidden->SetFloatClientHeight(40);
    struct Row {
        const char* name;
        UINT msg;
        WPARAM wp;
    };
    const Row rows[] = {{"display", WM_DISPLAYCHANGE, 32}, {"work area", WM_SETTINGCHANGE, SPI_SETWORKAREA}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const HWND window = bar->Control()->GetHandle();
        RECT before{};
        GetWindowRect(window, &before);
        // Half past the right and bottom edges: still on the screen, but not inside.
        SetWindowPos(window, nullptr, work.right - (before.right - before.left) / 2,
                     work.bottom - (before.bottom - before.top) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        hidden->SetFloatLeft(work.left - 70);
        hidden->SetFloatTop(work.bottom - 10);
        BroadcastSystemMessage(r.msg, r.wp, 0);
        RECT after{};
        GetWindowRect(window, &after);
        EXPECT_EQ(after.right, work.right);
        EXPECT_EQ(after.bottom, work.bottom);
        EXPECT_EQ(after.right - after.left, before.right - before.left);
        EXPECT_EQ(hidden->GetFloatLeft(), work.left) << "a bar without a window: its stored place";
        EXPECT_EQ(hidden->GetFloatTop(), work.bottom - 40);
    }
}

}  // namespace
}  // namespace zel::test
