// The main window's bars as a musician reaches them, with real key and mouse messages through the queue on
// the manual clock: the menu bar from Alt and F10, the menus walked and run from the keyboard, short-cuts and
// toolbar clicks, disabled and renamed items, a disabled form, a handler that frees the form, and F1 on a menu.
#include <set>
#include <utility>

#include "MainWindowBars.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/StdCtrls.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarPainters.h"
#include "uilib/bars/ubBarShadow.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBarToolbarsPopup.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {
namespace {

class ubBarMainWindowInput : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form_ = Construct<TFormBarsSample>(nullptr);
        form_->SetBounds(60, 60, 640, 360);
        form_->Show();
        ProcessPendingMessages();
        ASSERT_NE(MenuBar(), nullptr);
        ASSERT_NE(ToolBar(), nullptr);
    }
    void TearDown() override {
        for (BYTE key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_ESCAPE})
            if (GetAsyncKeyState(key) < 0) keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        if (GetAsyncKeyState(VK_LBUTTON) < 0) mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
        delete form_;
        BarsTest::TearDown();
    }
    TubBarControl* MenuBar() const { return form_->Manager->GetBars()->Items(0)->Control(); }
    TubBarControl* ToolBar() const { return form_->Manager->GetBars()->Items(1)->Control(); }
    TubBarItem* Item(const std::string& Name) const { return form_->Manager->FindItemByName(Name); }
    static TubBarSubMenuControl* MenuOf(TubBarItem* Sub) {
        auto* sub = dynamic_cast<TCustomubBarSubItem*>(Sub);
        return sub != nullptr ? dynamic_cast<TubBarSubMenuControl*>(sub->GetItemLinks()->BarControl) : nullptr;
    }
    TubBarSubMenuControl* FileMenu() const { return MenuOf(Item("File1")); }
    static std::string Selected(TCustomubBarControl* Window) {
        TubBarItemControl* c = Window != nullptr ? Window->SelectedControl() : nullptr;
        return c != nullptr && c->Item() != nullptr ? c->Item()->GetName() : std::string();
    }
    // A link's rectangle on a bar window (client coordinates); empty when it is not shown.
    static TRect LinkRect(TCustomubBarControl* Window, const std::string& Name) {
        for (TubBarItemLink* link : Window->GetItemLinks()->VisibleItems())
            if (link->GetItem()->GetName() == Name) return link->ItemRect;
        return TRect{};
    }
    void ClickLink(TCustomubBarControl* Window, const std::string& Name) {
        const TRect r = LinkRect(Window, Name);
        ASSERT_FALSE(IsRectEmpty(&r)) << Name;
        ClickAt(Window, TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    bool NoMenuMode() const {
        return TCustomubBarControl::ActiveBarControl() == nullptr && !MenuBar()->MenuMode() && !ToolBar()->MenuMode();
    }
    // The clicks the form's handlers recorded for Open.
    int OpenClicks() const {
        int n = 0;
        for (const std::string& c : form_->Clicks) n += c == "FileOpenItem open";
        return n;
    }

    TFormBarsSample* form_ = nullptr;
};

// The main window's bars with the File menu open, in each look the manager offers without visual styles.
TEST_F(ubBarMainWindowInput, TheFileMenuInEachLook) {
    for (const auto& look : {std::pair{bmsStandard, "standard"}, std::pair{bmsEnhanced, "enhanced"},
                             std::pair{bmsFlat, "flat"}, std::pair{bmsOffice11, "office11"}}) {
        SCOPED_TRACE(look.second);
        form_->Manager->SetStyle(look.first);
        ProcessPendingMessages();
        Tap('F', VK_MENU);
        ASSERT_NE(FileMenu(), nullptr);
        RECT area{};
        GetWindowRect(form_->GetHandle(), &area);
        area.bottom = area.top + 300;
        EXPECT_TRUE(SaveScreenImage(area, ScreenshotPath(std::string("main-window-file-menu-") + look.second)));
        // The Open entry shows its picture in the glyph square at the start of its line: more than the
        // square's fill and frame colours.
        const TRect open = LinkRect(FileMenu(), "FileOpenItem");
        ASSERT_FALSE(IsRectEmpty(&open));
        TBitmap client;
        client.SetSize(FileMenu()->ClientWidth(), FileMenu()->ClientHeight());
        SendMessage(FileMenu()->GetHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(client.Canvas()->GetHandle()), 0);
        std::set<TColor> colours;
        for (int y = open.top + 2; y < open.bottom - 2; ++y)
            for (int x = open.left + 2; x < open.left + open.Height() - 2; ++x)
                colours.insert(client.Canvas()->GetPixel(x, y));
        EXPECT_GT(colours.size(), 2u);
        // Only the flat looks give their menus a shadow.
        TubBarShadow* shadow = FileMenu()->Shadow();
        const bool flat = look.first == bmsFlat || look.first == bmsOffice11;
        EXPECT_EQ(shadow != nullptr && shadow->GetVisible(), flat);
        Tap(VK_ESCAPE);
        Tap(VK_ESCAPE);
        EXPECT_TRUE(NoMenuMode());
    }
}

// The native look, reached only under visual styles: the test theme paints each part it is asked for.
class ubBarMainWindowInputXP : public ubBarMainWindowInput {
protected:
    void SetUp() override {
        provider_.PaintsParts = true;
        InstallThemeProvider(&provider_);
        ubBarMainWindowInput::SetUp();
    }
    void TearDown() override {
        ubBarMainWindowInput::TearDown();
        InstallThemeProvider(nullptr);
    }
    TTestThemeProvider provider_;
};

TEST_F(ubBarMainWindowInputXP, TheFileMenuInTheNativeLook) {
    form_->Manager->SetStyle(bmsXP);
    ProcessPendingMessages();
    ASSERT_EQ(BarPainterOf(form_->Manager), BarPainterClass<TubBarItemControlXPPainter>());
    // The toolbar's buttons are the theme's.
    provider_.Calls.clear();
    RedrawWindow(ToolBar()->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    std::set<std::pair<int, int>> toolbarParts;
    for (const TThemeCall& c : provider_.Calls)
        if (c.Function == "DrawThemeBackground" && provider_.ClassListOf(c.Theme) == L"ToolBar")
            toolbarParts.insert({c.Part, c.State});
    EXPECT_TRUE(toolbarParts.count({1, 1}));
    provider_.Calls.clear();
    Tap('F', VK_MENU);
    ASSERT_NE(FileMenu(), nullptr);
    RECT area{};
    GetWindowRect(form_->GetHandle(), &area);
    area.bottom = area.top + 300;
    EXPECT_TRUE(SaveScreenImage(area, ScreenshotPath("main-window-file-menu-xp")));
    EXPECT_GT(provider_.CallCount("DrawThemeBackground"), 0);
    const TRect open = LinkRect(FileMenu(), "FileOpenItem");
    EXPECT_FALSE(IsRectEmpty(&open));
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    EXPECT_TRUE(NoMenuMode());
}

TEST_F(ubBarMainWindowInput, AltAndF10SelectTheMenuBarAndTheKeysWalkAndRunTheMenus) {
    for (WORD key : {WORD(VK_MENU), WORD(VK_F10)}) {
        SCOPED_TRACE(key);
        Tap(key);
        EXPECT_TRUE(MenuBar()->MenuMode());
        EXPECT_EQ(Selected(MenuBar()), "File1");
        EXPECT_EQ(FileMenu(), nullptr) << "selected, not opened";
        Tap(key);
        EXPECT_TRUE(NoMenuMode()) << "pressed again, it leaves the menu bar";
    }

    Tap('F', VK_MENU);
    ASSERT_NE(FileMenu(), nullptr);
    EXPECT_TRUE(IsWindowVisible(FileMenu()->GetHandle()));
    RECT area{};
    GetWindowRect(form_->GetHandle(), &area);
    area.bottom = area.top + 300;
    EXPECT_TRUE(SaveScreenImage(area, ScreenshotPath("main-window-file-menu")));
    EXPECT_EQ(Selected(FileMenu()), "FileNewItem") << "opened by the keyboard, the first entry is selected";
    Tap(VK_DOWN);
    EXPECT_EQ(Selected(FileMenu()), "FileOpenItem");
    Tap(VK_UP);
    EXPECT_EQ(Selected(FileMenu()), "FileNewItem");
    Tap(VK_RIGHT);
    EXPECT_EQ(FileMenu(), nullptr);
    EXPECT_EQ(Selected(MenuBar()), "Settings1");
    TubBarSubMenuControl* settings = MenuOf(Item("Settings1"));
    ASSERT_NE(settings, nullptr) << "the next menu opens with the selection";
    EXPECT_EQ(Selected(settings), "SetMidiMidiPortItem");
    Tap(VK_LEFT);
    EXPECT_EQ(MenuOf(Item("Settings1")), nullptr);
    ASSERT_NE(FileMenu(), nullptr);
    Tap(VK_DOWN);
    Tap(VK_RETURN);
    EXPECT_EQ(OpenClicks(), 1);
    EXPECT_EQ(FileMenu(), nullptr);
    EXPECT_TRUE(NoMenuMode());
}

TEST_F(ubBarMainWindowInput, MenuModeGivesTheFocusBackToTheWindowThatHadIt) {
    auto* edit = new TEdit(form_);
    edit->SetParent(form_);
    edit->SetBounds(200, 200, 100, 22);
    ProcessPendingMessages();
    edit->SetFocus();
    ASSERT_EQ(GetFocus(), edit->GetHandle());
    Tap('F', VK_MENU);
    ASSERT_NE(FileMenu(), nullptr);
    ::zel::SetFocus(form_->GetHandle());  // as a window of the menus might take it
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    EXPECT_TRUE(NoMenuMode());
    EXPECT_EQ(GetFocus(), edit->GetHandle());
}

TEST_F(ubBarMainWindowInput, DownOnTheSelectedMenuBarItemOpensItsMenu) {
    Tap(VK_MENU);
    Tap(VK_DOWN);
    ASSERT_NE(FileMenu(), nullptr);
    EXPECT_EQ(Selected(FileMenu()), "FileNewItem");
    EXPECT_TRUE(MenuBar()->KeyboardOpen());
    Tap(VK_ESCAPE);
    EXPECT_EQ(FileMenu(), nullptr);
    Tap(VK_RIGHT);
    EXPECT_EQ(Selected(MenuBar()), "Settings1");
    EXPECT_EQ(MenuOf(Item("Settings1")), nullptr) << "after Esc the keys move without opening";
    Tap(VK_ESCAPE);
    EXPECT_TRUE(NoMenuMode()) << "Esc on the menu bar itself leaves menu mode";
}

TEST_F(ubBarMainWindowInput, EscClosesTheMenuAndKeepsTheBarAClickOutsideEndsMenuMode) {
    Tap('F', VK_MENU);
    ASSERT_NE(FileMenu(), nullptr);
    Tap(VK_ESCAPE);
    EXPECT_EQ(FileMenu(), nullptr);
    EXPECT_TRUE(MenuBar()->MenuMode());
    EXPECT_EQ(Selected(MenuBar()), "File1");
    Tap(VK_MENU);
    EXPECT_TRUE(NoMenuMode());

    Tap('F', VK_MENU);
    ASSERT_NE(FileMenu(), nullptr);
    ClickAt(form_, TPoint{400, 250});
    EXPECT_EQ(FileMenu(), nullptr);
    EXPECT_TRUE(NoMenuMode());
    EXPECT_EQ(OpenClicks(), 0);
}

TEST_F(ubBarMainWindowInput, ClicksOnTheMenuBarOpenAndCloseItsMenusAndThePointerMovesBetweenThem) {
    ClickLink(MenuBar(), "File1");
    ASSERT_NE(FileMenu(), nullptr);
    EXPECT_TRUE(MenuBar()->MenuMode());
    // With a menu open, the pointer on another item opens that one.
    const TRect gadgets = LinkRect(MenuBar(), "Gaggets1");
    const TPoint over = OnScreen(MenuBar(), gadgets.left + 4, gadgets.top + 4);
    SetCursorPos(over.x, over.y);
    ProcessPendingMessages();
    EXPECT_EQ(FileMenu(), nullptr);
    EXPECT_NE(MenuOf(Item("Gaggets1")), nullptr);
    // A press on the item whose menu is open closes it and leaves menu mode.
    ClickLink(MenuBar(), "Gaggets1");
    EXPECT_EQ(MenuOf(Item("Gaggets1")), nullptr);
    EXPECT_TRUE(NoMenuMode());
}

TEST_F(ubBarMainWindowInput, CtrlOAndTheToolbarButtonRunOpenOnceEach) {
    Tap('O', VK_CONTROL);
    EXPECT_EQ(OpenClicks(), 1) << "Open is linked in the menu and on the toolbar, and runs once";
    ClickLink(ToolBar(), "FileOpenItem");
    EXPECT_EQ(OpenClicks(), 2);
    EXPECT_TRUE(NoMenuMode());
    EXPECT_EQ(FileMenu(), nullptr);
}

TEST_F(ubBarMainWindowInput, ADisabledItemRunsFromNowhere) {
    Item("FileOpenItem")->SetEnabled(false);
    ProcessPendingMessages();
    Tap('O', VK_CONTROL);
    ClickLink(ToolBar(), "FileOpenItem");
    Tap('F', VK_MENU);
    ASSERT_NE(FileMenu(), nullptr);
    Tap(VK_DOWN);
    Tap(VK_RETURN);
    Tap('O');
    EXPECT_EQ(OpenClicks(), 0);
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    Item("FileOpenItem")->SetEnabled(true);
    ProcessPendingMessages();
    Tap('O', VK_CONTROL);
    EXPECT_EQ(OpenClicks(), 1);
}

TEST_F(ubBarMainWindowInput, ANewCaptionChangesTheMenuEntryAndTheToolbarButton) {
    // The toolbar shows a button's caption when it has no picture.
    Item("FileOpenItem")->SetImageIndex(-1);
    ProcessPendingMessages();
    const TRect before = LinkRect(ToolBar(), "FileOpenItem");
    Tap('F', VK_MENU);
    ASSERT_NE(FileMenu(), nullptr);
    const int menuWidth = FileMenu()->GetWidth();
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    ASSERT_TRUE(NoMenuMode());

    Item("FileOpenItem")->SetCaption("&Open Library and Banks");
    ProcessPendingMessages();
    const TRect after = LinkRect(ToolBar(), "FileOpenItem");
    EXPECT_GT(after.Width(), before.Width() + 40);
    EXPECT_EQ(after.left, before.left);
    // The button's new text is drawn past the old button's end.
    const int y = (after.top + after.bottom) / 2;
    std::set<COLORREF> past;
    for (int x = before.right + 10; x < after.right - 4; ++x) {
        const TPoint s = OnScreen(ToolBar(), x, y);
        past.insert(ComposedScreenPixel(s.x, s.y));
    }
    EXPECT_GE(past.size(), 2U) << "text pixels where the old button ended";

    Tap('F', VK_MENU);
    ASSERT_NE(FileMenu(), nullptr);
    EXPECT_GT(FileMenu()->GetWidth(), menuWidth);
}

TEST_F(ubBarMainWindowInput, WhileAModalDialogDisablesTheFormNoKeyReachesTheBars) {
    EnableWindow(form_->GetHandle(), FALSE);
    Tap(VK_MENU);
    EXPECT_TRUE(NoMenuMode());
    Tap('O', VK_CONTROL);
    EXPECT_EQ(OpenClicks(), 0);
    EnableWindow(form_->GetHandle(), TRUE);
    Tap('O', VK_CONTROL);
    EXPECT_EQ(OpenClicks(), 1);
}

TEST_F(ubBarMainWindowInput, AHandlerThatFreesTheFormLeavesNothingBehind) {
    // As File > Exit does: the form goes while its menu and bar windows are on the stack.
    for (const bool fromMenu : {true, false}) {
        SCOPED_TRACE(fromMenu ? "from the menu" : "from the toolbar");
        if (form_ == nullptr) {
            form_ = Construct<TFormBarsSample>(nullptr);
            form_->SetBounds(60, 60, 640, 360);
            form_->Show();
            ProcessPendingMessages();
        }
        // The handler lives in the item it frees: nothing of it is touched after the delete.
        Item("FileExitItem")->OnClick = [this](TObject*) { delete std::exchange(form_, nullptr); };
        if (fromMenu) {
            Tap('F', VK_MENU);
            ASSERT_NE(FileMenu(), nullptr);
            Tap('X');
        } else {
            ClickLink(ToolBar(), "FileExitItem");
        }
        EXPECT_EQ(form_, nullptr);
        EXPECT_EQ(TCustomubBarControl::ActiveBarControl(), nullptr);
        ProcessPendingMessages();
    }
}

TEST_F(ubBarMainWindowInput, F1OnAnOpenMenuAsksForTheSelectedItemsHelp) {
    std::vector<LONG_PTR> asked;
    Application->OnHelp = [&asked](WORD Command, LONG_PTR Data, bool& CallHelp) {
        if (Command == HELP_CONTEXT) asked.push_back(Data);
        CallHelp = false;
        return true;
    };
    Tap('F', VK_MENU);
    Tap(VK_DOWN);
    ASSERT_EQ(Selected(FileMenu()), "FileOpenItem");
    Tap(VK_F1);
    Application->OnHelp = nullptr;
    EXPECT_EQ(asked, std::vector<LONG_PTR>{7});
    EXPECT_EQ(FileMenu(), nullptr) << "the menus close first";
}

TEST_F(ubBarMainWindowInput, TheMenuBarsCloseButtonFiresOnAReleaseOverIt) {
    EXPECT_EQ(MenuBar()->CloseButtonRect().Width(), 0);
    int closes = 0;
    form_->Manager->OnCloseButtonClick = [&closes](TObject*) { ++closes; };
    form_->Manager->SetShowCloseButton(true);
    ProcessPendingMessages();
    const TRect close = MenuBar()->CloseButtonRect();
    ASSERT_FALSE(IsRectEmpty(&close));
    const TRect help = LinkRect(MenuBar(), "Help1");
    EXPECT_GT(close.left, help.right);
    ClickAt(MenuBar(), TPoint{(close.left + close.right) / 2, (close.top + close.bottom) / 2});
    EXPECT_EQ(closes, 1);
    // Pressed, then released away from it: nothing.
    const TPoint on = OnScreen(MenuBar(), close.left + 2, close.top + 2);
    SetCursorPos(on.x, on.y);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    // Keys are swallowed while the button is held.
    Tap('O', VK_CONTROL);
    EXPECT_EQ(OpenClicks(), 0);
    const TPoint away = OnScreen(MenuBar(), help.left + 2, help.top + 2);
    SetCursorPos(away.x, away.y);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(NoMenuMode());
    // Pressed, then the pointer taken by another window: the press is given up and keys pass again.
    SetCursorPos(on.x, on.y);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    SetCapture(ToolBar()->GetHandle());
    ReleaseCapture();
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(closes, 1);
    Tap('O', VK_CONTROL);
    EXPECT_EQ(OpenClicks(), 1);
}

TEST_F(ubBarMainWindowInput, APressOnTheMarkTogglesItWithTheMenuSound) {
    const TRect mark = ToolBar()->MarkRect();
    ASSERT_FALSE(IsRectEmpty(&mark));
    ClearPlayedSounds();
    ClickAt(ToolBar(), TPoint{mark.left + 3, mark.top + 3});
    EXPECT_EQ(ToolBar()->MarkState(), msPressed);
    EXPECT_FALSE(PlayedSounds().empty());
    ClickAt(ToolBar(), TPoint{mark.left + 3, mark.top + 3});
    EXPECT_EQ(ToolBar()->MarkState(), msSelected);
}

// The pressed mark opens the quick-customization window: the links that did not fit, then "Add or Remove
// Buttons" with a check entry per link of the toolbar, "Reset Toolbar" and "Customize...".
TEST_F(ubBarMainWindowInput, TheMarkOpensTheQuickWindowWithTheLinksThatDidNotFit) {
    const auto names = [](TubBarItemLinks* links) {
        std::vector<std::string> r;
        for (int i = 0; i < links->Count(); ++i) r.push_back(links->Items(i)->Caption());
        return r;
    };
    // A line of a menu window pointed at, then clicked.
    const auto clickLine = [](TCustomubBarControl* window, int index) {
        const TRect r = window->GetItemLinks()->Items(index)->ItemRect;
        const TPoint at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        const TPoint screen = OnScreen(window, at.x, at.y);
        SetCursorPos(screen.x, screen.y);
        ProcessPendingMessages();
        ClickAt(window, TPoint(at.x + 1, at.y));
    };
    const auto pressMark = [this] {
        const TRect mark = ToolBar()->MarkRect();
        ClickAt(ToolBar(), TPoint{mark.left + 3, mark.top + 3});
    };
    // A narrow window: the toolbar keeps its first links only.
    form_->SetBounds(60, 60, 200, 360);
    ProcessPendingMessages();
    std::vector<std::string> hidden;
    TubBarItemLinks* tools = ToolBar()->GetBar()->GetItemLinks();
    for (int i = 0; i < tools->Count(); ++i)
        if (IsRectEmpty(&tools->Items(i)->ItemRect)) hidden.push_back(tools->Items(i)->Caption());
    ASSERT_FALSE(hidden.empty());
    ASSERT_LT(hidden.size(), static_cast<std::size_t>(tools->Count()));

    pressMark();
    TubBarQuickControl* quick = OpenQuickControl();
    ASSERT_NE(quick, nullptr);
    EXPECT_EQ(ToolBar()->MarkState(), msPressed);
    EXPECT_EQ(CurrentMenuControl, quick);
    EXPECT_TRUE(quick->MenuMode());
    std::vector<std::string> expected = hidden;
    expected.push_back("&Add or Remove Buttons");
    EXPECT_EQ(names(quick->GetItemLinks()), expected);
    // Below the docked bar's mark, its right edge on the mark's.
    RECT window{};
    GetWindowRect(quick->GetHandle(), &window);
    const TRect mark = ToolBar()->MarkRect();
    const TPoint markCorner = OnScreen(ToolBar(), mark.right, mark.bottom);
    EXPECT_EQ(window.right, markCorner.x);
    EXPECT_EQ(window.top, markCorner.y);
    RECT area{};
    GetWindowRect(form_->GetHandle(), &area);
    area.right = std::max(area.right, window.right) + 10;
    area.bottom = window.bottom + 10;
    EXPECT_TRUE(SaveScreenImage(area, ScreenshotPath("quick-customization")));

    // An entry runs its item and closes the window; the mark lets go.
    const std::size_t clicks = form_->Clicks.size();
    clickLine(quick, 0);
    EXPECT_EQ(form_->Clicks.size(), clicks + 1);
    EXPECT_EQ(OpenQuickControl(), nullptr);
    EXPECT_EQ(ToolBar()->MarkState(), msNone);

    // "Add or Remove Buttons": one checked entry per link, then Reset Toolbar and Customize; an entry hides
    // its link on the toolbar.
    pressMark();
    quick = OpenQuickControl();
    ASSERT_NE(quick, nullptr);
    TubBarSubItem* addOrRemove = quick->AddOrRemoveItem();
    clickLine(quick, quick->GetItemLinks()->Count() - 1);
    TubBarItemLinks* list = addOrRemove->GetItemLinks();
    std::vector<std::string> entries = names(tools);
    entries.push_back("&Reset Toolbar");
    entries.push_back("&Customize...");
    // Each line shows what its control draws: the caption of the link it stands for.
    std::vector<std::string> lines;
    for (int i = 0; i < list->Count(); ++i)
        lines.push_back(list->Items(i)->Control != nullptr ? list->Items(i)->Control->GetCaption() : "");
    EXPECT_EQ(lines, entries);
    for (int i = 0; i < tools->Count(); ++i) EXPECT_EQ(list->Items(i)->SourceLink(), tools->Items(i)) << i;
    auto* menu = dynamic_cast<TubBarSubMenuControl*>(quick->ChildMenu);
    ASSERT_NE(menu, nullptr);
    GetWindowRect(menu->GetHandle(), &window);
    area.right = std::max(area.right, window.right + 10);
    area.bottom = std::max(area.bottom, window.bottom + 10);
    EXPECT_TRUE(SaveScreenImage(area, ScreenshotPath("quick-customization-add-or-remove")));
    TubBarItemLink* first = tools->Items(0);
    clickLine(menu, 0);
    EXPECT_FALSE(first->GetVisible());

    // "Reset Toolbar" with OK brings a deleted link back from the main window's design; Cancel keeps it out.
    TubBarItemLink* print = nullptr;
    for (int i = 0; i < tools->Count(); ++i)
        if (tools->Items(i)->GetItem()->GetName() == "FilePrintItem") print = tools->Items(i);
    ASSERT_NE(print, nullptr);
    delete print;
    const int withoutPrint = tools->Count();
    for (int answer : {IDCANCEL, IDOK}) {
        TMessageBoxAnswerer old = SetMessageBoxAnswerer([answer](const TMessageBoxRequest&) { return answer; });
        pressMark();
        quick = OpenQuickControl();
        ASSERT_NE(quick, nullptr);
        clickLine(quick, quick->GetItemLinks()->Count() - 1);
        menu = dynamic_cast<TubBarSubMenuControl*>(quick->ChildMenu);
        ASSERT_NE(menu, nullptr);
        clickLine(menu, menu->GetItemLinks()->Count() - 2);
        SetMessageBoxAnswerer(std::move(old));
        EXPECT_EQ(tools->Count(), answer == IDOK ? withoutPrint + 1 : withoutPrint);
    }
    first = tools->Items(0);

    // With every link fitting, the window holds "Add or Remove Buttons" only; a press on the mark while it
    // is open closes it without opening it again, and Esc closes it too.
    first->SetVisible(true);
    form_->SetBounds(60, 60, 640, 360);
    ProcessPendingMessages();
    pressMark();
    quick = OpenQuickControl();
    ASSERT_NE(quick, nullptr);
    EXPECT_EQ(names(quick->GetItemLinks()), std::vector<std::string>{"&Add or Remove Buttons"});
    pressMark();
    EXPECT_EQ(OpenQuickControl(), nullptr);
    EXPECT_NE(ToolBar()->MarkState(), msPressed);
    pressMark();
    ASSERT_NE(OpenQuickControl(), nullptr);
    // Another bar taking the menu mode closes the window at the next check.
    Run(250);
    EXPECT_NE(OpenQuickControl(), nullptr) << "still the menu";
    MenuBar()->SetMenuMode(true);
    Run(250);
    EXPECT_EQ(OpenQuickControl(), nullptr);
    MenuBar()->SetMenuMode(false);
    pressMark();
    ASSERT_NE(OpenQuickControl(), nullptr);
    Tap(VK_ESCAPE);
    EXPECT_EQ(OpenQuickControl(), nullptr);
    EXPECT_EQ(ToolBar()->MarkState(), msNone);
}

}  // namespace
}  // namespace zel::test
