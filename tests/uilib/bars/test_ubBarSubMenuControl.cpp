// The drop-down menu window opened from a menu bar's sub-items, with real mouse and key messages on the
// manual clock: opening below its item, the keys that run, close and walk the menus, closing with the mouse,
// scrolling a menu taller than the screen, opening beside a parent menu on its free side, expanding the
// rarely used links, the opening animations, and containers shown by their content.
#include <functional>
#include <string>
#include <vector>

#include "BarsTestSupport.h"
#include "platform/win/DesktopManager.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarItemControls.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/uiControls.h"

namespace zel::test {
namespace {

// The menu bar of the tests: a toolbar window that lays its links out left to right.
class TMenuRow : public TCustomubBarControl {
public:
    using TCustomubBarControl::TCustomubBarControl;
    bool IsToolbar() const override { return true; }
    void EndKeyboardOpen() override { ++keyboardOpenEnded; }
    int keyboardOpenEnded = 0;
    void Rebuild() override {
        if (GetItemLinks() == nullptr || !HandleAllocated()) return;
        CreateControls();
        int x = 2;
        for (TubBarItemLink* link : GetItemLinks()->VisibleItems()) {
            if (link->Control == nullptr) continue;
            link->ItemRect = Bounds(x, 2, link->Control->GetWidth(), link->Control->GetHeight());
            x += link->Control->GetWidth();
        }
        Invalidate();
    }
};

class ubBarSubMenu : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form = NewForm();
        form->SetBounds(100, 100, 400, 300);
        manager = new TubBarManager(form);
        manager->SetStyle(bmsOffice11);
        bar = manager->GetBars()->Add();
        bar->SetIsMainMenu(true);
        file = AddMenu("&File", {"&Open", "&Save", "-E&xit"});
        settings = AddMenu("&Settings", {"&Colors", "&MIDI"});
        form->Show();
        ProcessPendingMessages();
    }
    void TearDown() override {
        for (BYTE key : {VK_SHIFT, VK_CONTROL, VK_ESCAPE})
            if (GetAsyncKeyState(key) < 0) keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        if (GetAsyncKeyState(VK_LBUTTON) < 0) mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        BarsTest::TearDown();
    }
    // A sub-item of the menu bar (or of another sub-item) with a button per caption; "-" begins a group.
    TubBarSubItem* AddMenu(const std::string& Caption, const std::vector<std::string>& Entries,
                           TubBarItemLinks* Into = nullptr) {
        auto* sub = new TubBarSubItem(form);
        sub->SetCaption(Caption);
        (Into != nullptr ? Into : bar->GetItemLinks())->Add()->SetItem(sub);
        for (const std::string& entry : Entries) {
            auto* button = new TubBarButton(form);
            const bool group = !entry.empty() && entry[0] == '-';
            button->SetCaption(group ? entry.substr(1) : entry);
            button->OnClick = [this, button](TObject*) { clicked.push_back(button->GetCaption()); };
            TubBarItemLink* link = sub->GetItemLinks()->Add();
            link->SetItem(button);
            link->BeginGroup = group;
        }
        return sub;
    }
    // A button that notes its caption when clicked, linked at the end of the links.
    TubBarButton* AddButton(TubBarItemLinks* Links, const std::string& Caption) {
        auto* button = new TubBarButton(form);
        button->SetCaption(Caption);
        button->OnClick = [this, button](TObject*) { clicked.push_back(button->GetCaption()); };
        Links->Add()->SetItem(button);
        return button;
    }
    // The captions of a list's links, in order.
    static std::vector<std::string> Captions(const TubBarItemLinks* Links) {
        std::vector<std::string> captions;
        for (int i = 0; i < Links->Count(); ++i) captions.push_back(Links->Items(i)->Caption());
        return captions;
    }
    TMenuRow* ShowBar(int Left = 0) {
        row = new TMenuRow(manager);
        row->SetParent(form);
        row->SetBounds(Left, 0, 300, 24);
        row->SetItemLinks(bar->GetItemLinks());
        row->Show();
        row->Rebuild();
        ProcessPendingMessages();
        return row;
    }
    static TubBarSubMenuControl* MenuOf(TCustomubBarSubItem* Sub) {
        return dynamic_cast<TubBarSubMenuControl*>(Sub->GetItemLinks()->BarControl);
    }
    void PointAtRect(TCustomubBarControl* Window, const TRect& R) {
        const TPoint p = OnScreen(Window, (R.left + R.right) / 2, (R.top + R.bottom) / 2);
        SetCursorPos(p.x, p.y);
        ProcessPendingMessages();
    }
    void ClickAt(TCustomubBarControl* Window, const TRect& R) {
        zel::test::ClickAt(Window, TPoint{(R.left + R.right) / 2, (R.top + R.bottom) / 2});
    }
    // Opens the menu bar's Index-th menu with a click.
    TubBarSubMenuControl* Open(int Index) {
        ClickAt(row, bar->GetItemLinks()->Items(Index)->ItemRect);
        return MenuOf(static_cast<TCustomubBarSubItem*>(bar->GetItemLinks()->Items(Index)->GetItem()));
    }
    // A key as the keyboard hook hands it to the bar window in menu mode.
    void Key(WORD AKey, bool Ctrl = false) {
        if (Ctrl) keybd_event(VK_CONTROL, 0, 0, 0);
        ProcessPendingMessages();
        TCustomubBarControl* active = TCustomubBarControl::ActiveBarControl();
        ASSERT_NE(active, nullptr);
        PostMessage(active->GetHandle(), WM_KEYDOWN, AKey, 1);
        ProcessPendingMessages();
        if (Ctrl) keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
    }
    static std::string SelectedCaption(TCustomubBarControl* Window) {
        TubBarItemControl* c = Window != nullptr ? Window->SelectedControl() : nullptr;
        return c != nullptr ? c->Item()->GetCaption() : std::string();
    }

    TTestForm* form = nullptr;
    TubBarManager* manager = nullptr;
    TubBar* bar = nullptr;
    TMenuRow* row = nullptr;
    TubBarSubItem* file = nullptr;
    TubBarSubItem* settings = nullptr;
    std::vector<std::string> clicked;
};

TEST_F(ubBarSubMenu, AClickOpensTheMenuBelowItsItemLaidOutWithItsSeparatorAndEnterRunsTheEntryOnce) {
    ShowBar();
    TubBarSubMenuControl* menu = Open(0);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(IsWindowVisible(menu->GetHandle()));
    EXPECT_EQ(TCustomubBarControl::ActiveBarControl(), menu);
    const TRect item = bar->GetItemLinks()->Items(0)->ItemRect;
    RECT w{};
    GetWindowRect(menu->GetHandle(), &w);
    EXPECT_EQ(TPoint(w.left, w.top), OnScreen(row, item.left, item.bottom)) << "below the item, at its left";
    EXPECT_NE(GetWindowLong(menu->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(GetFocus(), menu->GetHandle()) << "a menu never takes the focus";
    ASSERT_FALSE(PlayedSounds().empty());
    EXPECT_EQ(PlayedSounds().back().Sound, "MenuPopup");

    TubBarItemLinks* links = file->GetItemLinks();
    const TRect open = links->Items(0)->ItemRect, save = links->Items(1)->ItemRect, exit = links->Items(2)->ItemRect;
    EXPECT_EQ(save.top, open.bottom);
    EXPECT_EQ(exit.top, save.bottom + menu->GetSeparatorSize()) << "the group's separator lies above Exit";
    EXPECT_EQ(open.right - open.left, exit.right - exit.left) << "every line is as wide as the widest";

    SaveScreenImage(RECT{form->GetLeft(), form->GetTop(), form->GetLeft() + 400, form->GetTop() + 300},
                    ScreenshotPath("sub-menu-file-open"));

    Key(VK_DOWN);
    EXPECT_EQ(SelectedCaption(menu), "&Open");
    Key(VK_RETURN);
    EXPECT_EQ(clicked, std::vector<std::string>{"&Open"});
    EXPECT_EQ(MenuOf(file), nullptr) << "the menu closed";
    EXPECT_EQ(TCustomubBarControl::ActiveBarControl(), nullptr) << "menu mode ended";
    EXPECT_FALSE(row->MenuMode());
}

TEST_F(ubBarSubMenu, KeysCloseAndWalkTheMenusWhileTheMenuBarKeepsTheKeyboard) {
    ShowBar();
    struct Case {
        WORD Key;
        const char* Selected;   // the menu bar's selection afterwards
        int KeyboardOpenEnded;  // Esc: the menu bar no longer opens the menus of the items it moves to
    };
    for (const Case& c : {Case{VK_ESCAPE, "&File", 1}, Case{VK_RIGHT, "&Settings", 0}, Case{VK_LEFT, "&Settings", 0}}) {
        SCOPED_TRACE(c.Key);
        row->keyboardOpenEnded = 0;
        TubBarSubMenuControl* menu = Open(0);
        ASSERT_NE(menu, nullptr);
        Key(VK_DOWN);
        Key(c.Key);
        EXPECT_EQ(MenuOf(file), nullptr);
        EXPECT_TRUE(row->MenuMode()) << "the menu bar stays in keyboard mode";
        EXPECT_EQ(TCustomubBarControl::ActiveBarControl(), row);
        EXPECT_EQ(SelectedCaption(row), c.Selected);
        EXPECT_EQ(row->keyboardOpenEnded, c.KeyboardOpenEnded);
        row->CloseAll();
        ProcessPendingMessages();
    }
}

TEST_F(ubBarSubMenu, TheKeyboardSelectsTheMenuBarOpensItsMenusAndRunsTheirEntries) {
    ShowBar();
    auto* open = static_cast<TubBarButton*>(file->GetItemLinks()->Items(0)->GetItem());
    open->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
    for (WORD key : {WORD(VK_MENU), WORD(VK_F10)}) {
        SCOPED_TRACE(key);
        Tap(key);
        EXPECT_TRUE(row->MenuMode());
        EXPECT_EQ(SelectedCaption(row), "&File");
        Tap(key);
        EXPECT_FALSE(row->MenuMode()) << "pressed again, it leaves the menu bar";
        EXPECT_EQ(TCustomubBarControl::ActiveBarControl(), nullptr);
    }

    Tap('F', VK_MENU);
    TubBarSubMenuControl* menu = MenuOf(file);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(SelectedCaption(menu), "&Open") << "opened by the keyboard, the first entry is selected";
    Tap(VK_DOWN);
    EXPECT_EQ(SelectedCaption(menu), "&Save");
    Tap(VK_UP);
    EXPECT_EQ(SelectedCaption(menu), "&Open");
    Tap(VK_RIGHT);
    EXPECT_EQ(MenuOf(file), nullptr);
    EXPECT_EQ(SelectedCaption(row), "&Settings");
    Tap(VK_LEFT);
    EXPECT_EQ(SelectedCaption(row), "&File");
    Tap(VK_RETURN);
    menu = MenuOf(file);
    ASSERT_NE(menu, nullptr);
    Tap(VK_RETURN);
    EXPECT_EQ(clicked, std::vector<std::string>{"&Open"});
    EXPECT_EQ(MenuOf(file), nullptr);
    EXPECT_EQ(TCustomubBarControl::ActiveBarControl(), nullptr);

    Tap('O', VK_CONTROL);
    EXPECT_EQ(clicked, (std::vector<std::string>{"&Open", "&Open"})) << "the short-cut runs the entry once";
    EXPECT_EQ(MenuOf(file), nullptr);

    // While a modal dialog disables the form, the keys do not reach the bars.
    EnableWindow(form->GetHandle(), FALSE);
    Tap(VK_MENU);
    Tap('O', VK_CONTROL);
    EXPECT_FALSE(row->MenuMode());
    EXPECT_EQ(clicked.size(), 2U);
    EnableWindow(form->GetHandle(), TRUE);
}

TEST_F(ubBarSubMenu, APressOutsideTheMenuClosesItAndEndsMenuMode) {
    ShowBar();
    for (const bool onOpener : {true, false}) {
        SCOPED_TRACE(onOpener ? "on the opener" : "on the form");
        ASSERT_NE(Open(0), nullptr);
        if (onOpener) Open(0);
        else ClickAt(row, TRect(100, 150, 110, 160));
        EXPECT_EQ(MenuOf(file), nullptr);
        EXPECT_FALSE(row->MenuMode());
        EXPECT_EQ(TCustomubBarControl::ActiveBarControl(), nullptr);
        EXPECT_TRUE(clicked.empty()) << "the release on the opener does not open it again";
    }
}

TEST_F(ubBarSubMenu, AMenuTallerThanTheWorkAreaScrollsOneLinePerPeriodWhileTheArrowIsHovered) {
    std::vector<std::string> many;
    for (int i = 0; i < 80; ++i) many.push_back("Entry " + std::to_string(i));
    AddMenu("&Long", many);
    ShowBar();
    TubBarSubMenuControl* menu = Open(2);
    ASSERT_NE(menu, nullptr);
    RECT w{};
    GetWindowRect(menu->GetHandle(), &w);
    const TRect work = GetWorkAreaAtPoint(TPoint(w.left, w.top));
    EXPECT_LE(w.bottom, work.bottom);
    EXPECT_GE(w.top, work.top);
    EXPECT_FALSE(menu->CanScrollUp());
    ASSERT_TRUE(menu->CanScrollDown());

    PointAtRect(menu, menu->ScrollDownRect());
    EXPECT_TRUE(menu->ScrollTimerRunning());
    Run(ubScrollPeriod);
    EXPECT_EQ(menu->FirstVisible(), 1);
    Run(2 * ubScrollPeriod);
    EXPECT_EQ(menu->FirstVisible(), 3);
    EXPECT_TRUE(menu->CanScrollUp());
    SaveWindowImage(menu->GetHandle(), ScreenshotPath("sub-menu-scrolled"));
    // The pointer moves onto a line: the scrolling stops.
    PointAtRect(menu, menu->GetItemLinks()->ShownItems().Get(5)->ItemRect);
    EXPECT_FALSE(menu->ScrollTimerRunning());
    Run(ubScrollPeriod);
    EXPECT_EQ(menu->FirstVisible(), 3);

    // Selecting a hidden link by keyboard scrolls it into view.
    Key(VK_END);
    EXPECT_FALSE(IsRectEmpty(&menu->GetItemLinks()->Last()->ItemRect));
    EXPECT_FALSE(menu->CanScrollDown());
}

TEST_F(ubBarSubMenu, ASubMenuOpensBesideItsItemOnTheSideWithRoom) {
    auto* recent = AddMenu("&Recent", {"One", "Two"}, file->GetItemLinks());
    const int screenRight = GetWorkAreaAtPoint(TPoint(0, 0)).right;
    struct Case {
        int FormLeft;
        bool OpensLeft;
    };
    for (const Case& c : {Case{100, false}, Case{screenRight - 150, true}}) {
        SCOPED_TRACE(c.FormLeft);
        form->SetBounds(c.FormLeft, 100, 140, 300);
        ShowBar();
        TubBarSubMenuControl* menu = Open(0);
        ASSERT_NE(menu, nullptr);
        TubBarItemLink* link = file->GetItemLinks()->Items(3);
        ClickAt(menu, link->ItemRect);
        TubBarSubMenuControl* child = MenuOf(recent);
        ASSERT_NE(child, nullptr);
        RECT w{};
        GetWindowRect(child->GetHandle(), &w);
        const TPoint itemLeft = OnScreen(menu, link->ItemRect.left, link->ItemRect.top);
        const TPoint itemRight = OnScreen(menu, link->ItemRect.right, link->ItemRect.top);
        EXPECT_EQ(child->OpenedLeft(), c.OpensLeft);
        EXPECT_EQ(w.top, itemLeft.y);
        if (c.OpensLeft) EXPECT_EQ(w.right, itemLeft.x) << "left of the item";
        else EXPECT_EQ(w.left, itemRight.x) << "right of the item";
        EXPECT_LE(w.right, screenRight);
        // Left closes only the inner menu.
        Key(VK_LEFT);
        EXPECT_EQ(MenuOf(recent), nullptr);
        EXPECT_EQ(MenuOf(file), menu);
        EXPECT_EQ(TCustomubBarControl::ActiveBarControl(), menu);
        row->CloseAll();
        ProcessPendingMessages();
        delete row;
        row = nullptr;
    }
}

TEST_F(ubBarSubMenu, MenusSubMenusAndTheirShadowsAreWindowsNoWindowManagerTouchesUnlikeTheForm) {
    AddMenu("&Recent", {"One", "Two"}, file->GetItemLinks());
    ShowBar();
    TubBarSubMenuControl* menu = Open(0);
    ASSERT_NE(menu, nullptr);
    ClickAt(menu, file->GetItemLinks()->Items(3)->ItemRect);
    TubBarSubMenuControl* child = MenuOf(static_cast<TCustomubBarSubItem*>(file->GetItemLinks()->Items(3)->GetItem()));
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(IsDesktopManagedWindow(form->GetHandle()));
    EXPECT_FALSE(IsDesktopManagedWindow(menu->GetHandle()));
    EXPECT_FALSE(IsDesktopManagedWindow(child->GetHandle()));
    // Every other top-level window shown now (the menus' shadows) is the program's own too.
    int shadows = 0;
    for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (!IsWindowVisible(h) || h == form->GetHandle() || h == menu->GetHandle() || h == child->GetHandle())
            continue;
        EXPECT_FALSE(IsDesktopManagedWindow(h));
        ++shadows;
    }
    EXPECT_GT(shadows, 0);
    row->CloseAll();
    ProcessPendingMessages();
}

TEST_F(ubBarSubMenu, CtrlDownExpandsTheRarelyUsedLinksUntilMenuModeEnds) {
    ShowBar();
    TubBarItemLinks* links = file->GetItemLinks();
    // Open was used often, the others never.
    links->Items(0)->UseCount = 100;
    links->Items(0)->MarkUsed(false);
    for (int i = 1; i < links->Count(); ++i) links->Items(i)->SetMostRecentlyUsed(false);
    TubBarSubMenuControl* menu = Open(0);
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->HasHiddenItems());
    EXPECT_EQ(links->ShownItemCount(), 1);
    const TRect expand = menu->ExpandButtonRect();
    EXPECT_FALSE(IsRectEmpty(&expand));

    // The expand button hot under the pointer shows its hint.
    PointAtRect(menu, menu->ExpandButtonRect());
    EXPECT_EQ(menu->ExpandState(), msSelected);

    Key(VK_DOWN, true);
    EXPECT_EQ(MenuOf(file), menu) << "expanded in place";
    EXPECT_FALSE(menu->HasHiddenItems());
    EXPECT_EQ(links->ShownItemCount(), 3);
    EXPECT_TRUE(MenusExpanded);
    EXPECT_TRUE(menu->IsRarelyUsed(links->Items(1)));
    EXPECT_FALSE(menu->IsRarelyUsed(links->Items(0)));
    SaveWindowImage(menu->GetHandle(), ScreenshotPath("sub-menu-expanded"));

    // Reopened in the same menu mode, the menu shows everything.
    Key(VK_ESCAPE);
    Key(VK_RETURN);
    menu = MenuOf(file);
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->HasHiddenItems());
    row->CloseAll();
    ProcessPendingMessages();
    menu = Open(0);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->HasHiddenItems()) << "a new menu mode starts folded";
}

TEST_F(ubBarSubMenu, DownOrTabOnTheLastShownLineExpandsTheMenuAndMovesOn) {
    ShowBar();
    TubBarItemLinks* links = file->GetItemLinks();
    links->Items(0)->UseCount = 100;
    for (int i = 1; i < links->Count(); ++i) links->Items(i)->SetMostRecentlyUsed(false);
    for (WORD key : {WORD(VK_DOWN), WORD(VK_TAB)}) {
        SCOPED_TRACE(key);
        TubBarSubMenuControl* menu = Open(0);
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(menu->HasHiddenItems());
        Key(VK_DOWN);
        EXPECT_EQ(SelectedCaption(menu), "&Open");
        Key(key);
        EXPECT_FALSE(menu->HasHiddenItems());
        EXPECT_EQ(SelectedCaption(menu), "&Save") << "the key moves on from the line it was pressed on";
        row->CloseAll();
        ProcessPendingMessages();
    }
}

TEST_F(ubBarSubMenu, WithFullMenusAfterDelayTheMenuExpandsAfterFourSeconds) {
    manager->SetShowFullMenusAfterDelay(true);
    ShowBar();
    TubBarItemLinks* links = file->GetItemLinks();
    links->Items(0)->UseCount = 100;
    for (int i = 1; i < links->Count(); ++i) links->Items(i)->SetMostRecentlyUsed(false);
    TubBarSubMenuControl* menu = Open(0);
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->HasHiddenItems());
    Run(ubExpandDelay - 10);
    EXPECT_TRUE(menu->HasHiddenItems());
    Run(20);
    EXPECT_FALSE(menu->HasHiddenItems());
}

TEST_F(ubBarSubMenu, AnimationsGrowTheWindowOneStepPerTickAtItsFinalCorner) {
    ShowBar();
    struct Case {
        TubBarMenuAnimations Kind;
        int Step;
    };
    for (const Case& c : {Case{maUnfold, 8}, Case{maSlide, 17}, Case{maFade, 0}, Case{maNone, 0}}) {
        SCOPED_TRACE(static_cast<int>(c.Kind));
        manager->SetMenuAnimations(c.Kind);
        const TTick before = GetTickCount();
        TubBarSubMenuControl* menu = Open(0);
        ASSERT_NE(menu, nullptr);
        RECT w{};
        GetWindowRect(menu->GetHandle(), &w);
        const int width = w.right - w.left, height = w.bottom - w.top;
        const int steps = c.Kind == maUnfold ? std::min(width, height) / 8 : c.Kind == maSlide ? height / 17 : 0;
        EXPECT_EQ(menu->AnimationSteps(), steps);
        EXPECT_GE(GetTickCount() - before, static_cast<TTick>(steps)) << "one step per tick";
        const TRect item = bar->GetItemLinks()->Items(0)->ItemRect;
        EXPECT_EQ(TPoint(w.left, w.top), OnScreen(row, item.left, item.bottom));
        EXPECT_TRUE(IsWindowVisible(menu->GetHandle()));
        row->CloseAll();
        ProcessPendingMessages();
    }
}

// A container in a menu is shown by its content while the menu is open; its own link stands out of the list
// and comes back at its place when the menu goes.
TEST_F(ubBarSubMenu, AContainerInAMenuIsShownByItsContentWhileTheMenuIsOpen) {
    struct Case {
        const char* Name;
        std::function<TCustomubBarContainerItem*()> Make;
        std::vector<std::string> Shown;    // the File menu's captions while open
        std::vector<bool> Groups;          // the effective BeginGroup of each line
        int ClickLine;                     // the content line clicked
        std::vector<std::string> Clicked;  // what the click ran
    };
    TubBarListItem* list = nullptr;
    const Case cases[] = {
        {"container",
         [&] {
             auto* recent = new TubBarContainerItem(form);
             recent->SetCaption("Recent");
             AddButton(recent->GetItemLinks(), "a.syx");
             AddButton(recent->GetItemLinks(), "b.syx");
             return recent;
         },
         {"&Open", "a.syx", "b.syx", "&Save", "E&xit"},
         {false, true, false, false, true},
         2,
         {"b.syx"}},
        {"list item",
         [&] {
             list = new TubBarListItem(form);
             list->SetCaption("Patches");
             list->ShowCheck = true;
             for (const char* s : {"Piano", "-", "Strings"}) list->GetItems()->Add(s);
             list->ItemIndex = 2;
             list->OnClick = [&](TObject*) { clicked.push_back("list " + std::to_string(list->ItemIndex)); };
             return list;
         },
         {"&Open", "&1 Piano", "&2 Strings", "&Save", "E&xit"},
         {false, true, true, false, true},
         1,
         {"list 0"}},
    };
    ShowBar();
    TubBarItemLinks* links = file->GetItemLinks();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        clicked.clear();
        TCustomubBarContainerItem* container = c.Make();
        int getData = 0;
        container->OnGetData = [&](TObject*) { ++getData; };
        TubBarItemLink* placeholder = links->Insert(1);
        placeholder->SetItem(container);

        TubBarSubMenuControl* menu = Open(0);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(Captions(links), c.Shown);
        for (std::size_t i = 0; i < c.Groups.size(); ++i)
            EXPECT_EQ(links->Items(static_cast<int>(i))->GetBeginGroup(), c.Groups[i]) << "line " << i;
        EXPECT_TRUE(placeholder->IsParked());
        EXPECT_EQ(placeholder->GetIndex(), -1) << "the container's own link stands out of the list";
        EXPECT_EQ(menu->ExpandedContainerCount(), 1);
        EXPECT_EQ(getData, 1);
        const TRect open = links->Items(0)->ItemRect, first = links->Items(1)->ItemRect;
        EXPECT_EQ(first.top, open.bottom + menu->GetSeparatorSize()) << "the content begins a group";
        SaveScreenImage(RECT{form->GetLeft(), form->GetTop(), form->GetLeft() + 400, form->GetTop() + 300},
                        ScreenshotPath(std::string("sub-menu-container-") + (list != nullptr ? "list" : "links")));
        if (list != nullptr) {
            auto* checked = static_cast<TubBarButton*>(links->Items(2)->GetItem());
            EXPECT_EQ(checked->GetButtonStyle(), bsChecked);
            EXPECT_TRUE(checked->GetDown()) << "the entry at ItemIndex is checked";
        }

        // Built again in place (as when it expands), the content comes back once and keeps the selection.
        Key(VK_DOWN);
        Key(VK_DOWN);
        menu->Rebuild();
        EXPECT_EQ(Captions(links), c.Shown);
        EXPECT_EQ(SelectedCaption(menu), c.Shown[1]);
        EXPECT_EQ(getData, 2);

        ClickAt(menu, links->Items(c.ClickLine)->ItemRect);
        EXPECT_EQ(clicked, c.Clicked);
        EXPECT_EQ(MenuOf(file), nullptr);
        EXPECT_FALSE(placeholder->IsParked());
        EXPECT_EQ(placeholder->GetIndex(), 1) << "back at its place";
        EXPECT_EQ(links->Count(), 4);
        EXPECT_TRUE(container->Filled());
        // The click is counted on the container's own link.
        EXPECT_EQ(links->RecentList().Get(0), placeholder);

        // Opened again, it is filled again.
        ASSERT_NE(Open(0), nullptr);
        EXPECT_EQ(Captions(links), c.Shown);
        EXPECT_EQ(getData, 3);
        row->CloseAll();
        ProcessPendingMessages();
        EXPECT_EQ(links->Count(), 4);
        delete placeholder;
    }
    EXPECT_EQ(list->ItemIndex, 0);
}

// A container on the menu bar opens a menu of its own that shows its content; the content leaves its list again
// when the menu closes.
TEST_F(ubBarSubMenu, AContainerOnTheMenuBarOpensAMenuOfItsOwn) {
    struct Case {
        const char* Name;
        bool List;
        std::vector<std::string> Shown;
        std::vector<std::string> Clicked;
        int LeftAfter;  // links left in the container's own list once the menu is gone
    };
    for (const Case& c : {Case{"list item", true, {"&1 Piano", "&2 Strings"}, {"list 1"}, 0},
                          Case{"container", false, {"a.syx", "b.syx"}, {"b.syx"}, 2}}) {
        SCOPED_TRACE(c.Name);
        clicked.clear();
        TCustomubBarContainerItem* container = nullptr;
        if (c.List) {
            auto* list = new TubBarListItem(form);
            for (const char* s : {"Piano", "Strings"}) list->GetItems()->Add(s);
            list->OnClick = [this, list](TObject*) { clicked.push_back("list " + std::to_string(list->ItemIndex)); };
            container = list;
        } else {
            container = new TubBarContainerItem(form);
            AddButton(container->GetItemLinks(), "a.syx");
            AddButton(container->GetItemLinks(), "b.syx");
        }
        container->SetCaption("&Patches");
        bar->GetItemLinks()->Add()->SetItem(container);
        ShowBar();
        ClickAt(row, bar->GetItemLinks()->Items(2)->ItemRect);
        TubBarItemLinks* own = container->GetItemLinks();
        auto* menu = dynamic_cast<TContainerItemSubMenuControl*>(own->BarControl);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->ContainerItem, container);
        EXPECT_FALSE(menu->IsCustomizing());
        EXPECT_TRUE(IsWindowVisible(menu->GetHandle()));
        EXPECT_EQ(Captions(own), c.Shown);
        if (c.List)
            SaveScreenImage(RECT{form->GetLeft(), form->GetTop(), form->GetLeft() + 400, form->GetTop() + 300},
                            ScreenshotPath("sub-menu-list-item-own-menu"));

        ClickAt(menu, own->Items(1)->ItemRect);
        EXPECT_EQ(clicked, c.Clicked);
        EXPECT_EQ(own->BarControl, nullptr) << "the menu is gone";
        EXPECT_EQ(own->Count(), c.LeftAfter);
        EXPECT_FALSE(row->MenuMode());

        // Opened again, it shows the same content.
        ClickAt(row, bar->GetItemLinks()->Items(2)->ItemRect);
        ASSERT_NE(own->BarControl, nullptr);
        EXPECT_EQ(Captions(own), c.Shown);
        row->CloseAll();
        ProcessPendingMessages();
        EXPECT_EQ(own->Count(), c.LeftAfter);
        delete row;
        row = nullptr;
        delete container;
    }
}

// Content that changes size, or goes, while it is shown leaves the menu's own links as they were.
TEST_F(ubBarSubMenu, ContentThatChangesOrGoesWhileShownLeavesTheMenusOwnLinks) {
    struct Case {
        const char* Name;
        std::function<void(TubBarListItem*)> Change;
        std::vector<std::string> After;
    };
    const Case cases[] = {
        {"the list grows",
         [](TubBarListItem* l) { l->GetItems()->Add("Organ"); },
         {"&Open", "Patches", "&Save", "E&xit"}},
        {"the list empties", [](TubBarListItem* l) { l->GetItems()->Clear(); }, {"&Open", "Patches", "&Save", "E&xit"}},
        {"the list item is freed", [](TubBarListItem* l) { delete l; }, {"&Open", "&Save", "E&xit"}},
    };
    ShowBar();
    TubBarItemLinks* links = file->GetItemLinks();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        auto* list = new TubBarListItem(form);
        list->SetCaption("Patches");
        for (const char* s : {"Piano", "Strings"}) list->GetItems()->Add(s);
        TubBarItemLink* placeholder = links->Insert(1);
        placeholder->SetItem(list);
        TubBarSubMenuControl* menu = Open(0);
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(links->Count(), 5);
        c.Change(list);
        ProcessPendingMessages();
        row->CloseAll();
        ProcessPendingMessages();
        EXPECT_EQ(MenuOf(file), nullptr);
        EXPECT_EQ(Captions(links), c.After);
        if (links->Count() == 4) delete list;
    }
}

// A menu of its own (no item to jump over) takes a right click as a left one; a menu of the menu bar does not.
TEST_F(ubBarSubMenu, AMenuOfItsOwnTakesTheRightButtonAsTheLeft) {
    ShowBar();
    auto rightClick = [&](TCustomubBarControl* Window, const TRect& R) {
        PointAtRect(Window, R);
        mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
        ProcessPendingMessages();
        mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    };
    TubBarSubMenuControl* fromBar = Open(1);
    ASSERT_NE(fromBar, nullptr);
    EXPECT_FALSE(fromBar->RightButtonAsLeft());
    rightClick(fromBar, settings->GetItemLinks()->Items(0)->ItemRect);
    EXPECT_TRUE(clicked.empty());
    EXPECT_EQ(MenuOf(settings), fromBar) << "still open";
    row->CloseAll();
    ProcessPendingMessages();

    auto* own = new TubBarSubMenuControl(manager);
    own->SetItemLinks(settings->GetItemLinks());
    own->Popup(form->GetLeft() + 150, form->GetTop() + 100);
    ASSERT_TRUE(IsWindowVisible(own->GetHandle()));
    EXPECT_TRUE(own->RightButtonAsLeft());
    rightClick(own, settings->GetItemLinks()->Items(1)->ItemRect);
    EXPECT_EQ(clicked, std::vector<std::string>{"&MIDI"});
    EXPECT_FALSE(IsWindowVisible(own->GetHandle())) << "closed by the click";
    delete own;
}

// The sub-item's BarSize makes a band along the menu's left side that its OnPaintBar paints.
TEST_F(ubBarSubMenu, TheSideBandIsBarSizeWideAndPaintedByOnPaintBar) {
    ShowBar();
    TubBarSubMenuControl* menu = Open(0);
    ASSERT_NE(menu, nullptr);
    const int plainLeft = file->GetItemLinks()->Items(0)->ItemRect.left;
    const int plainWidth = menu->GetWidth();
    EXPECT_EQ(menu->SideBandWidth(), 0);
    row->CloseAll();
    ProcessPendingMessages();

    std::vector<TRect> painted;
    file->SetBarSize(20);
    file->OnPaintBar = [&](TObject* Sender, TCanvas* Canvas, const TRect& R) {
        EXPECT_EQ(Sender, file);
        painted.push_back(R);
        Canvas->Brush()->SetColor(clRed);
        Canvas->FillRect(R);
    };
    menu = Open(0);
    ASSERT_NE(menu, nullptr);
    ProcessPendingMessages();
    EXPECT_EQ(file->GetItemLinks()->Items(0)->ItemRect.left, plainLeft + 20);
    EXPECT_EQ(menu->GetWidth(), plainWidth + 20);
    ASSERT_FALSE(painted.empty());
    const TRect band = painted.back();
    EXPECT_EQ(band, menu->SideBandRect());
    EXPECT_EQ(band.right - band.left, 20);
    EXPECT_EQ(band.right, plainLeft + 20);
    const TPoint inBand = OnScreen(menu, band.left + 5, band.bottom - 5);
    EXPECT_EQ(ComposedScreenPixel(inBand.x, inBand.y), ColorToRGB(clRed));
    SaveWindowImage(menu->GetHandle(), ScreenshotPath("sub-menu-side-band"));

    // Printed into another context (as for a shadow or a window animation), the menu paints the same: the
    // whole window, its one-pixel border and the frame inside it, with WM_PRINT; the client area alone with
    // WM_PRINTCLIENT.
    TBitmap printed;
    printed.SetSize(menu->GetWidth(), menu->GetHeight());
    SendMessage(menu->GetHandle(), WM_PRINT, reinterpret_cast<WPARAM>(printed.Canvas()->GetHandle()), 0);
    RECT window;
    GetWindowRect(menu->GetHandle(), &window);
    const int w = menu->GetWidth(), h = menu->GetHeight();
    for (const TPoint p : {TPoint{band.left + 6, band.bottom - 4}, TPoint{0, h / 2}, TPoint{1, h / 2},
                           TPoint{w - 1, h / 2}, TPoint{w - 2, h / 2}, TPoint{w / 2, 0}, TPoint{w / 2, h - 1}})
        EXPECT_EQ(ColorToRGB(printed.Canvas()->GetPixel(p.x, p.y)),
                  ComposedScreenPixel(window.left + p.x, window.top + p.y))
            << p.x << "," << p.y;
    TBitmap client;
    client.SetSize(menu->ClientWidth(), menu->ClientHeight());
    SendMessage(menu->GetHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(client.Canvas()->GetHandle()), 0);
    EXPECT_EQ(ColorToRGB(client.Canvas()->GetPixel(band.left + 5, band.bottom - 5)), ColorToRGB(clRed));
}

// A container never holds itself, nor the menu that shows it; a container inside another is shown by its content
// too, and both come back at their places.
TEST_F(ubBarSubMenu, ContainersInsideContainersAreShownAndNoneHoldsItself) {
    auto* outer = new TubBarContainerItem(form);
    outer->SetCaption("Outer");
    auto* inner = new TubBarListItem(form);
    inner->SetCaption("Inner");
    inner->GetItems()->Add("Piano");
    AddButton(outer->GetItemLinks(), "a.syx");
    outer->GetItemLinks()->Add()->SetItem(inner);
    AddButton(outer->GetItemLinks(), "b.syx");
    TubBarItemLink* placeholder = file->GetItemLinks()->Insert(1);
    placeholder->SetItem(outer);

    struct Refused {
        const char* Name;
        TCustomubBarSubItem* Into;
        TubBarItem* Item;
    };
    for (const Refused& r : {Refused{"itself", outer, outer}, Refused{"the menu that shows it", outer, file},
                             Refused{"the container that holds it", inner, outer}}) {
        SCOPED_TRACE(r.Name);
        TubBarItemLink* link = r.Into->GetItemLinks()->Add();
        EXPECT_THROW(link->SetItem(r.Item), Exception);
        delete link;
    }

    ShowBar();
    TubBarItemLinks* links = file->GetItemLinks();
    TubBarSubMenuControl* menu = Open(0);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Captions(links), (std::vector<std::string>{"&Open", "a.syx", "&1 Piano", "b.syx", "&Save", "E&xit"}));
    EXPECT_EQ(menu->ExpandedContainerCount(), 2);
    EXPECT_EQ(Captions(outer->GetItemLinks()), (std::vector<std::string>{"a.syx", "Inner", "b.syx"}))
        << "the container's own links stay as they are";
    row->CloseAll();
    ProcessPendingMessages();
    EXPECT_EQ(Captions(links), (std::vector<std::string>{"&Open", "Outer", "&Save", "E&xit"}));
    EXPECT_EQ(links->Items(1), placeholder);
    EXPECT_TRUE(inner->Filled());
}

// While the bars are customized a container shows as itself, its caption in parentheses, so that it can be moved.
TEST_F(ubBarSubMenu, WhileCustomizingAContainerShowsAsItselfInParentheses) {
    auto* recent = new TubBarContainerItem(form);
    recent->SetCaption("Recent");
    AddButton(recent->GetItemLinks(), "a.syx");
    file->GetItemLinks()->Insert(1)->SetItem(recent);
    manager->SetCustomizing(true);
    auto* menu = new TubBarSubMenuControl(manager);
    menu->SetItemLinks(file->GetItemLinks());
    menu->Popup(form->GetLeft() + 20, form->GetTop() + 60);
    EXPECT_EQ(menu->ExpandedContainerCount(), 0);
    EXPECT_EQ(Captions(file->GetItemLinks()), (std::vector<std::string>{"&Open", "Recent", "&Save", "E&xit"}));
    TubBarItemControl* control = file->GetItemLinks()->Items(1)->Control;
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetCaption(), "(Recent)");
    menu->CloseUp();
    delete menu;
    manager->SetCustomizing(false);
}

}  // namespace
}  // namespace zel::test
