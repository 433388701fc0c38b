// The bar window base and the item control base driven through a small bar window that lays its links out
// in one row, with real mouse and key messages: hot tracking, clicking, disabled controls, handlers that
// rebuild or free the bar while it clicks, repainting every window that shows an item, focus, the menu
// mode's keys, and the window control's inner edit.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "BarsTestSupport.h"
#include "platform/vcl/StdCtrls.h"
#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarItemControlBase.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {
namespace {

// An item of its own class, so that the test's control class can be registered beside it.
class TRowItem : public TubBarItem {
public:
    using TubBarItem::TubBarItem;
    std::string ClassName() const override { return "TRowItem"; }
    static TClass StaticClass() {
        static const TClassInfo info{"TRowItem", TubBarItem::StaticClass()};
        return &info;
    }
};

// A button-like control: 40 x 22, drawn through the painter, repainted on a press, holding the mouse from
// press to release.
class TRowControl : public TubBarItemControl {
public:
    using TubBarItemControl::TubBarItemControl;
    static TClass StaticClass() {
        static const TClassInfo info{"TRowControl", TubBarItemControl::StaticClass()};
        return &info;
    }
    int GetWidth() const override { return 40; }
    int GetHeight() const override { return 22; }
    void MouseDown(TPoint /*P*/) override { Repaint(); }
    bool TracksPress() const override { return true; }
    void Draw(const TRect& R, bool /*InMenu*/) override {
        const TubBarItemPaintState s = CalcDrawingParams();
        const HDC dc = Parent->Canvas()->GetHandle();
        RECT r = R;
        if (s.Hot) {
            FillRect(dc, &r, GetSysColorBrush(s.Pressed || IsPressedByMouse() ? COLOR_BTNSHADOW : COLOR_HIGHLIGHT));
            DrawEdge(dc, &r, IsPressedByMouse() ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
        Painter()->DrawItemText(dc, r, GetCaption(), GetEnabled(), s.Hot, DT_CENTER);
    }
};

// The test's inner-edit control: an EDIT child of the bar window, placed over the control's rectangle.
class TRowEditItem : public TubBarWindowItem {
public:
    using TubBarWindowItem::TubBarWindowItem;
    std::string ClassName() const override { return "TRowEditItem"; }
    static TClass StaticClass() {
        static const TClassInfo info{"TRowEditItem", TubBarWindowItem::StaticClass()};
        return &info;
    }
};

class TRowEditControl : public TubBarWinControl {
public:
    using TubBarWinControl::TubBarWinControl;
    static TClass StaticClass() {
        static const TClassInfo info{"TRowEditControl", TubBarWinControl::StaticClass()};
        return &info;
    }
    int GetWidth() const override { return 80; }
    int GetHeight() const override { return 22; }
    void CreateWindow() override {
        Handle = CreateWindowEx(0, "EDIT", "", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 100, 100, Parent->GetHandle(), nullptr,
                                nullptr, nullptr);
        TubBarWinControl::CreateWindow();
    }
    void Draw(const TRect& R, bool /*InMenu*/) override {
        RECT r = R;
        InflateRect(&r, -2, -2);
        FrameRect(Parent->Canvas()->GetHandle(), &r, GetSysColorBrush(COLOR_WINDOWTEXT));
        InflateRect(&r, -1, -1);
        SetWindowRect(r);
    }
};

// The bar window of the tests: a toolbar that lays its links out left to right, 2 pixels in, and counts
// how often each item is drawn.
class TRowBar : public TCustomubBarControl {
public:
    using TCustomubBarControl::TCustomubBarControl;
    bool IsToolbar() const override { return true; }
    void Rebuild() override {
        if (GetItemLinks() == nullptr || !HandleAllocated()) return;
        DestroyControls();
        CreateControls();
        int x = 2;
        for (TubBarItemLink* link : GetItemLinks()->VisibleItems()) {
            link->ItemRect = TRect{};
            if (link->Control == nullptr) continue;
            link->ItemRect = Bounds(x, 2, link->Control->GetWidth(), link->Control->GetHeight());
            x += link->Control->GetWidth();
        }
        Invalidate();
    }
    void DrawItemControl(TubBarItemControl* AControl, const TRect& R) override {
        ++Drawn[AControl->Item()];
        TCustomubBarControl::DrawItemControl(AControl, R);
    }
    void BeginItemDrag(TubBarItemLink* ALink) override { Dragged = ALink; }
    std::map<TubBarItem*, int> Drawn;
    TubBarItemLink* Dragged = nullptr;
};

// The same window as a popup menu of its own would show it.
class TRowMenu : public TRowBar {
public:
    using TRowBar::TRowBar;
    bool IsToolbar() const override { return false; }
    bool IsSubMenu() const override { return true; }
};

TubBarItemControl* NewRowControl(TubBarItemLink* ALink) { return new TRowControl(ALink); }
TubBarItemControl* NewRowEditControl(TubBarItemLink* ALink) { return new TRowEditControl(ALink); }

class ubBarControl : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        RegisterBarItem(TRowItem::StaticClass(), TRowControl::StaticClass(), false);
        RegisterItemControlClass(TRowControl::StaticClass(), &NewRowControl);
        RegisterBarItem(TRowEditItem::StaticClass(), TRowEditControl::StaticClass(), false);
        RegisterItemControlClass(TRowEditControl::StaticClass(), &NewRowEditControl);
        form = NewForm();
        form->SetBounds(100, 100, 400, 200);
        manager = new TubBarManager(form);
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 120, 100, 22);
        form->Show();
        edit->SetFocus();
        ProcessPendingMessages();
    }
    void TearDown() override {
        ReleaseKeys();
        BarsTest::TearDown();
        UnregisterItemControlClass(TRowEditControl::StaticClass());
        UnregisterItemControlClass(TRowControl::StaticClass());
    }
    // A bar with a row window at the top of the form (Top: its y) and one item per caption.
    TRowBar* NewBar(const std::vector<std::string>& Captions, int Top = 0) {
        TubBar* bar = manager->GetBars()->Add();
        auto* window = new TRowBar(manager);
        window->SetParent(form);
        window->SetBounds(0, Top, 300, 26);
        window->SetItemLinks(bar->GetItemLinks());
        for (const std::string& caption : Captions) {
            auto* item = new TRowItem(form);
            item->SetCaption(caption);
            item->OnClick = [this, item](TObject*) { ++clicks[item]; };
            bar->GetItemLinks()->Add()->SetItem(item);
        }
        window->Show();
        window->Rebuild();
        ProcessPendingMessages();
        return window;
    }
    static TubBarItem* ItemOf(TRowBar* Bar, int Index) { return Bar->GetItemLinks()->Items(Index)->GetItem(); }
    static TubBarItemControl* ControlOf(TRowBar* Bar, int Index) { return Bar->GetItemLinks()->Items(Index)->Control; }
    // Moves the pointer to the middle of the Index-th control.
    void PointAt(TRowBar* Bar, int Index) {
        const TRect r = Bar->GetItemLinks()->Items(Index)->ItemRect;
        const TPoint p = OnScreen(Bar, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SetCursorPos(p.x, p.y);
        ProcessPendingMessages();
    }
    void Press() {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        ProcessPendingMessages();
    }
    void Release() {
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    }
    void ClickOn(TRowBar* Bar, int Index) {
        PointAt(Bar, Index);
        Press();
        Release();
    }
    // A key posted to the bar window as the library's keyboard hook hands it over, with the modifiers held
    // on the keyboard.
    void KeyOnBar(TRowBar* Bar, WORD Key, bool Shift = false, bool Ctrl = false) {
        if (Shift) keybd_event(VK_SHIFT, 0, 0, 0);
        if (Ctrl) keybd_event(VK_CONTROL, 0, 0, 0);
        ProcessPendingMessages();
        PostMessage(Bar->GetHandle(), WM_KEYDOWN, Key, 1);
        ProcessPendingMessages();
        if (Ctrl) keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
        if (Shift) keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
    }
    void ReleaseKeys() {
        for (BYTE key : {VK_SHIFT, VK_CONTROL, VK_ESCAPE})
            if (GetAsyncKeyState(key) < 0) keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        if (GetAsyncKeyState(VK_LBUTTON) < 0) mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    }
    int IndexOfSelected(TRowBar* Bar) const {
        TubBarItemControl* selected = Bar->SelectedControl();
        return selected != nullptr && selected->Link != nullptr ? selected->Link->GetIndex() : -1;
    }

    TTestForm* form = nullptr;
    TubBarManager* manager = nullptr;
    TEdit* edit = nullptr;
    std::map<TubBarItem*, int> clicks;
};

TEST_F(ubBarControl, HoveringMakesAControlHotAndLeavingTheBarDropsIt) {
    TRowBar* bar = NewBar({"One", "Two", "Three"});
    PointAt(bar, 1);
    EXPECT_EQ(IndexOfSelected(bar), 1);
    EXPECT_TRUE(ControlOf(bar, 1)->DrawSelected());
    EXPECT_EQ(manager->GetSelectedControl(), ControlOf(bar, 1));
    EXPECT_FALSE(bar->MenuMode()) << "hot tracking alone leaves the bar inactive";
    PointAt(bar, 2);
    EXPECT_EQ(IndexOfSelected(bar), 2);
    EXPECT_FALSE(ControlOf(bar, 1)->DrawSelected());
    ASSERT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("bar-control-row-hot")));

    SetCursorPos(form->GetLeft() + 200, form->GetTop() + 150);
    ProcessPendingMessages();
    Run(100);
    EXPECT_EQ(bar->SelectedControl(), nullptr);
}

TEST_F(ubBarControl, APointerOnTheFrameDropsTheHotControl) {
    TRowBar* bar = NewBar({"One", "Two"});
    PointAt(bar, 0);
    ASSERT_EQ(IndexOfSelected(bar), 0);
    // A hit test in the client area keeps the hot control; one on the frame drops it.
    const TPoint inside = OnScreen(bar, 5, 5);
    SendMessage(bar->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y));
    EXPECT_EQ(IndexOfSelected(bar), 0);
    SendMessage(bar->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(inside.x - 20, inside.y - 20));
    EXPECT_EQ(IndexOfSelected(bar), -1);
    EXPECT_FALSE(IsTrackingMouseLeave(bar->GetHandle()));
}

TEST_F(ubBarControl, ABarWindowAlwaysLooksActiveAndKeepsItsFormsCaptionActive) {
    TRowBar* bar = NewBar({"One"});
    int formActivations = 0;
    const TWndMethod formProc = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_NCACTIVATE && m.WParam != 0) ++formActivations;
        formProc(m);
    };
    SendMessage(bar->GetHandle(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(formActivations, 0) << "deactivating asks nothing of the form";
    SendMessage(bar->GetHandle(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(formActivations, 1);
    manager->SetCustomizing(true);
    SendMessage(bar->GetHandle(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(formActivations, 1) << "not while customizing";
    manager->SetCustomizing(false);
    form->WindowProc = formProc;
}

TEST_F(ubBarControl, APressAndAReleaseRunOnClickOnceWithoutTakingTheFocus) {
    TRowBar* bar = NewBar({"One", "Two"});
    HWND active = GetActiveWindow();
    PointAt(bar, 0);
    Press();
    EXPECT_EQ(clicks[ItemOf(bar, 0)], 0) << "nothing runs on the press";
    EXPECT_TRUE(ControlOf(bar, 0)->IsPressedByMouse());
    EXPECT_EQ(GetFocus(), edit->GetHandle());
    Release();
    EXPECT_EQ(clicks[ItemOf(bar, 0)], 1);
    EXPECT_EQ(clicks[ItemOf(bar, 1)], 0);
    EXPECT_FALSE(bar->MenuMode());
    EXPECT_EQ(TCustomubBarControl::ActiveBarControl(), nullptr);
    EXPECT_EQ(GetFocus(), edit->GetHandle()) << "the form keeps the focus";
    EXPECT_EQ(GetActiveWindow(), active);
    EXPECT_EQ(SendMessage(bar->GetHandle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form->GetHandle()),
                          MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);

    // A press on one control released over another runs neither.
    PointAt(bar, 0);
    Press();
    PointAt(bar, 1);
    Release();
    EXPECT_EQ(clicks[ItemOf(bar, 0)], 1);
    EXPECT_EQ(clicks[ItemOf(bar, 1)], 0);
    EXPECT_FALSE(bar->MenuMode());
}

TEST_F(ubBarControl, ADisabledControlNeverFiresAndLosesTheSelection) {
    TRowBar* bar = NewBar({"One", "Two"});
    PointAt(bar, 1);
    ASSERT_EQ(IndexOfSelected(bar), 1);
    ItemOf(bar, 1)->SetEnabled(false);
    EXPECT_EQ(bar->SelectedControl(), nullptr);
    EXPECT_EQ(manager->GetSelectedControl(), nullptr);
    ClickOn(bar, 1);
    EXPECT_EQ(clicks[ItemOf(bar, 1)], 0);
    ControlOf(bar, 1)->Click(false);
    EXPECT_EQ(clicks[ItemOf(bar, 1)], 0);
    EXPECT_FALSE(bar->MenuMode());
}

TEST_F(ubBarControl, AClickHandlerThatRebuildsOrFreesTheBarLeavesNothingDangling) {
    struct TRow {
        const char* name;
        std::function<void(TRowBar*, TubBarItem*)> handler;
    } rows[] = {
        {"rebuilds the bar's controls", [](TRowBar* b, TubBarItem*) { b->Rebuild(); }},
        {"renames the item (the bar rebuilds)", [](TRowBar*, TubBarItem* i) { i->SetCaption("Renamed"); }},
        {"frees its own link", [](TRowBar* b, TubBarItem*) { delete b->GetItemLinks()->Items(0); }},
        {"frees the item", [](TRowBar*, TubBarItem* i) { delete i; }},
        {"frees the bar window", [](TRowBar* b, TubBarItem*) { delete b; }},
    };
    int top = 0;
    for (const TRow& row : rows) {
        TRowBar* bar = NewBar({"One", "Two"}, top);
        top += 26;
        TubBarItem* item = ItemOf(bar, 0);
        int ran = 0;
        item->OnClick = [&, bar, item](TObject*) {
            ++ran;
            row.handler(bar, item);
        };
        TuiObjectLinkScope itemAlive(item);
        EXPECT_NO_THROW(ClickOn(bar, 0)) << row.name;
        EXPECT_EQ(ran, 1) << row.name;
        EXPECT_EQ(TCustomubBarControl::ActiveBarControl(), nullptr) << row.name;
        if (itemAlive.Alive()) {
            EXPECT_EQ(item->ClickItemLink, nullptr) << row.name;
        }
        ReleaseKeys();
    }
}

TEST_F(ubBarControl, AnItemOnTwoBarWindowsRepaintsBoth) {
    TRowBar* first = NewBar({"One"});
    TRowBar* second = NewBar({}, 30);
    TubBarItem* item = ItemOf(first, 0);
    second->GetItemLinks()->Add()->SetItem(item);
    second->Rebuild();
    ProcessPendingMessages();
    struct TRow {
        const char* name;
        std::function<void()> change;
    } rows[] = {
        {"SetCaption", [&] { item->SetCaption("Renamed"); }},
        {"SetEnabled", [&] { item->SetEnabled(false); }},
        {"SetEnabled back", [&] { item->SetEnabled(true); }},
    };
    for (const TRow& row : rows) {
        first->Drawn.clear();
        second->Drawn.clear();
        row.change();
        ProcessPendingMessages();
        EXPECT_GE(first->Drawn[item], 1) << row.name;
        EXPECT_GE(second->Drawn[item], 1) << row.name;
    }
}

TEST_F(ubBarControl, TheMenuModeKeysWalkTheSelectableLinks) {
    TRowBar* bar = NewBar({"One", "Two", "Three", "Four"});
    struct TRow {
        const char* name;
        int from;  // -1: nothing selected
        WORD key;
        bool shift, ctrl, vertical;
        int selected;
    } rows[] = {
        {"Home", 2, VK_HOME, false, false, false, 0},
        {"End", 1, VK_END, false, false, false, 3},
        {"Tab", 1, VK_TAB, false, false, false, 2},
        {"Tab wraps at the end", 3, VK_TAB, false, false, false, 0},
        {"Shift+Tab wraps at the start", 0, VK_TAB, true, false, false, 3},
        {"Tab without a selection takes the first", -1, VK_TAB, false, false, false, 0},
        {"Shift+Tab without a selection takes the first too", -1, VK_TAB, true, false, false, 0},
        {"Right on a horizontal bar", 1, VK_RIGHT, false, false, false, 2},
        {"Left on a horizontal bar", 1, VK_LEFT, false, false, false, 0},
        {"Down on a horizontal bar stays", 1, VK_DOWN, false, false, false, 1},
        {"Up on a vertical bar", 1, VK_UP, false, false, true, 0},
        {"Down on a vertical bar", 1, VK_DOWN, false, false, true, 2},
        {"Right on a vertical bar stays", 1, VK_RIGHT, false, false, true, 1},
    };
    for (const TRow& row : rows) {
        bar->SetDockingStyle(row.vertical ? dsLeft : dsTop);
        bar->SetMenuMode(true);
        if (row.from >= 0) bar->SelectByKeyboard(ControlOf(bar, row.from));
        KeyOnBar(bar, row.key, row.shift, row.ctrl);
        EXPECT_EQ(IndexOfSelected(bar), row.selected) << row.name;
        EXPECT_TRUE(bar->MenuMode()) << row.name;
        bar->CloseAll();
    }
    EXPECT_EQ(clicks.size(), 0u) << "moving the selection runs nothing";
}

TEST_F(ubBarControl, CtrlTabMovesToTheNextBarAndAltLeavesTheMenuMode) {
    TRowBar* first = NewBar({"One", "Two"});
    TRowBar* empty = NewBar({}, 30);
    TRowBar* third = NewBar({"Three", "Four"}, 60);
    first->SetMenuMode(true);
    first->SelectByKeyboard(ControlOf(first, 1));
    KeyOnBar(first, VK_TAB, false, true);
    EXPECT_FALSE(first->MenuMode());
    EXPECT_FALSE(empty->MenuMode()) << "a bar without visible links is passed over";
    ASSERT_TRUE(third->MenuMode());
    EXPECT_EQ(IndexOfSelected(third), 0);
    EXPECT_EQ(TCustomubBarControl::ActiveBarControl(), third);
    KeyOnBar(third, VK_TAB, true, true);
    EXPECT_TRUE(first->MenuMode()) << "Ctrl+Shift+Tab goes back, wrapping";
    EXPECT_EQ(IndexOfSelected(first), 0);

    KeyOnBar(first, VK_MENU);
    EXPECT_FALSE(first->MenuMode());
    EXPECT_EQ(first->SelectedControl(), nullptr);
    EXPECT_EQ(TCustomubBarControl::ActiveBarControl(), nullptr);
    EXPECT_EQ(clicks.size(), 0u);
}

TEST_F(ubBarControl, AcceleratorsSelectSharedLettersAndRunAUniqueOne) {
    TRowBar* bar = NewBar({"&Open", "&Save", "&Options", "&Print"});
    ItemOf(bar, 3)->SetEnabled(false);
    bar->SetMenuMode(true);
    KeyOnBar(bar, 'O');
    EXPECT_EQ(IndexOfSelected(bar), 0);
    KeyOnBar(bar, 'O');
    EXPECT_EQ(IndexOfSelected(bar), 2) << "the second O is selected, nothing runs";
    EXPECT_EQ(clicks[ItemOf(bar, 0)] + clicks[ItemOf(bar, 2)], 0);
    KeyOnBar(bar, 'P');
    EXPECT_EQ(IndexOfSelected(bar), 2) << "a disabled item's letter does nothing";
    KeyOnBar(bar, 'S');
    EXPECT_EQ(clicks[ItemOf(bar, 1)], 1) << "a unique letter runs its item";
    EXPECT_FALSE(bar->MenuMode());
}

TEST_F(ubBarControl, ThePointerOverNoControlKeepsTheKeyboardSelection) {
    TRowBar* bar = NewBar({"One", "Two"});
    bar->SetMenuMode(true);
    KeyOnBar(bar, VK_END);
    ASSERT_EQ(IndexOfSelected(bar), 1);
    const TPoint empty = OnScreen(bar, 250, 12);
    SetCursorPos(empty.x, empty.y);
    ProcessPendingMessages();
    EXPECT_EQ(IndexOfSelected(bar), 1);
    PointAt(bar, 0);
    EXPECT_EQ(IndexOfSelected(bar), 0) << "over a control the pointer selects";
    bar->CloseAll();
}

TEST_F(ubBarControl, ANewControlForTheSameLinkKeepsTheSelection) {
    TRowBar* bar = NewBar({"One", "Two"});
    bar->SetMenuMode(true);
    KeyOnBar(bar, VK_END);
    TubBarItemControl* old = ControlOf(bar, 1);
    ASSERT_EQ(bar->SelectedControl(), old);
    bar->SetDockingStyle(dsLeft);
    EXPECT_NE(ControlOf(bar, 1), old);
    EXPECT_EQ(bar->SelectedControl(), ControlOf(bar, 1));
    bar->DestroyControls();
    EXPECT_EQ(bar->SelectedControl(), nullptr) << "a link without a control leaves nothing selected";
    bar->CloseAll();
}

TEST_F(ubBarControl, WhileCustomizingADragBeginsOnceThePointerLeavesTheDragRectangle) {
    TRowBar* bar = NewBar({"One", "Two"});
    manager->SetCustomizing(true);
    // The customizing form disabled the bar's form: the press reaches the bar through the mouse hook.
    ProcessPendingMessages();
    PointAt(bar, 0);
    POINT start{};
    GetCursorPos(&start);
    Press();
    EXPECT_EQ(IndexOfSelected(bar), 0);
    EXPECT_EQ(GetCapture(), bar->GetHandle());
    const int half = GetSystemMetrics(SM_CXDRAG) / 2;
    SetCursorPos(start.x + half - 1, start.y);
    ProcessPendingMessages();
    EXPECT_EQ(bar->Dragged, nullptr) << "inside the drag rectangle";
    SetCursorPos(start.x + half + 1, start.y);
    ProcessPendingMessages();
    EXPECT_EQ(bar->Dragged, bar->GetItemLinks()->Items(0));
    EXPECT_NE(GetCapture(), bar->GetHandle());
    Release();
    EXPECT_EQ(clicks.size(), 0u) << "customizing clicks nothing";
    manager->SetCustomizing(false);
}

TEST_F(ubBarControl, TheSelectionGivesTheHintAndAPopupMenuPassesItToTheApplication) {
    TRowBar* bar = NewBar({"One"});
    TubBarPopupMenu* popup = new TubBarPopupMenu(form);
    auto* menu = new TRowMenu(manager);
    menu->SetParent(form);
    menu->SetBounds(0, 40, 300, 26);
    menu->SetItemLinks(popup->GetItemLinks());
    TubBarItem* item = ItemOf(bar, 0);
    popup->GetItemLinks()->Add()->SetItem(item);
    menu->Show();
    menu->Rebuild();
    item->Hint = "Open|Opens a library";
    struct TRow {
        const char* name;
        TRowBar* window;
        bool enabled, forDisabled;
        const char* hint;
        const char* application;
    } rows[] = {
        {"toolbar", bar, true, true, "Opens a library", ""},
        {"toolbar, disabled", bar, false, true, "Opens a library", ""},
        {"toolbar, disabled without hints for disabled items", bar, false, false, "", ""},
        {"popup menu", menu, true, true, "Opens a library", "Opens a library"},
        {"popup menu, disabled without hints for disabled items", menu, false, false, "", ""},
    };
    for (const TRow& row : rows) {
        Application->Hint.clear();
        item->SetEnabled(row.enabled);
        manager->ShowHintForDisabledItems = row.forDisabled;
        row.window->SetMenuMode(true);
        row.window->SelectByKeyboard(ControlOf(row.window, 0));
        EXPECT_EQ(row.window->Hint, row.hint) << row.name;
        EXPECT_EQ(Application->Hint, row.application) << row.name;
        row.window->CloseAll();
        EXPECT_EQ(row.window->Hint, "") << row.name;
    }
    item->SetEnabled(true);
    Application->Hint.clear();
}

// ---- the window control's inner edit

class ubBarWinControl : public ubBarControl {
protected:
    void SetUp() override {
        ubBarControl::SetUp();
        bar = NewBar({"One"});
        item = new TRowEditItem(form);
        item->SetText("start");
        bar->GetItemLinks()->Add()->SetItem(item);
        bar->Rebuild();
        ProcessPendingMessages();
        control = dynamic_cast<TRowEditControl*>(ControlOf(bar, 1));
    }
    void Type(const std::string& Text) {
        for (char c : Text) {
            keybd_event(static_cast<BYTE>(c), 0, 0, 0);
            keybd_event(static_cast<BYTE>(c), 0, KEYEVENTF_KEYUP, 0);
        }
        ProcessPendingMessages();
    }
    void Key(BYTE Vk, bool Ctrl = false) {
        if (Ctrl) keybd_event(VK_CONTROL, 0, 0, 0);
        keybd_event(Vk, 0, 0, 0);
        keybd_event(Vk, 0, KEYEVENTF_KEYUP, 0);
        if (Ctrl) keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
    }
    TRowBar* bar = nullptr;
    TRowEditItem* item = nullptr;
    TRowEditControl* control = nullptr;
};

TEST_F(ubBarWinControl, AClickShowsTheInnerEditAtItsRectangleWithTheFocus) {
    ASSERT_NE(control, nullptr);
    ASSERT_NE(control->Handle, nullptr);
    EXPECT_FALSE(IsWindowVisible(control->Handle));
    ClickOn(bar, 1);
    EXPECT_TRUE(control->GetFocused());
    EXPECT_TRUE(IsWindowVisible(control->Handle));
    EXPECT_EQ(GetFocus(), control->Handle);
    RECT r{};
    GetWindowRect(control->Handle, &r);
    MapWindowPoints(nullptr, bar->GetHandle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(TRect(r), control->WindowRect);
    EXPECT_EQ(control->GetText(), "start");
    EXPECT_EQ(clicks.size(), 0u);
    ASSERT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("bar-control-row-edit")));

    control->SetFocused(false);
    EXPECT_FALSE(IsWindowVisible(control->Handle));
    EXPECT_EQ(GetFocus(), edit->GetHandle()) << "the focus goes back where it was";
}

TEST_F(ubBarWinControl, EscapeDiscardsTheTextUnlessControlIsDown) {
    manager->AlwaysSaveText = true;
    struct TRow {
        const char* name;
        bool ctrl;
        const char* stored;
    } rows[] = {
        {"Escape alone", false, "start"},
        {"Ctrl+Escape", true, "startxy"},
    };
    for (const TRow& row : rows) {
        item->SetText("start");
        ClickOn(bar, 1);
        ASSERT_TRUE(control->GetFocused()) << row.name;
        SendMessage(control->Handle, EM_SETSEL, 5, 5);
        Type("XY");
        Key(VK_ESCAPE, row.ctrl);
        EXPECT_FALSE(control->GetFocused()) << row.name;
        EXPECT_EQ(item->GetText(), row.stored) << row.name;
        bar->CloseAll();
    }
}

TEST_F(ubBarWinControl, TheItemsKeyEventsComeFirstAndTheTextReadsBackAt254Characters) {
    item->OnKeyPress = [](TObject*, char& Key) {
        if (Key == 'b') Key = 0;
    };
    ClickOn(bar, 1);
    SetWindowText(control->Handle, "");
    Type("ABC");
    EXPECT_EQ(control->GetText(), "ac") << "a key the handler clears is swallowed";

    SetWindowText(control->Handle, std::string(300, 'x').c_str());
    EXPECT_EQ(control->GetText(), std::string(254, 'x'));
    bar->CloseAll();
}

}  // namespace
}  // namespace zel::test
