// The popup menu built from bar items: its creation and manager, opening at a point with its modal loop, the
// popup-menu links that open it from a control on a right click, Shift+F10 or the menu key (one menu each
// time, never the platform's as well), short-cuts through the links, and a drop-down button's menu.
#include <string>
#include <vector>

#include "BarsTestSupport.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarItemControls.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarPopupMenuLinks.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/uiControls.h"

namespace zel::test {
namespace {

class ubBarPopupMenuTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form = NewForm();
        form->SetBounds(100, 100, 400, 300);
        manager = new TubBarManager(form);
        panel = new TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(10, 10, 200, 150);
        edit = new TEdit(form);
        edit->SetParent(panel);
        edit->SetBounds(20, 30, 100, 22);
        menu = new TubBarPopupMenu(form);
        for (const char* caption : {"&Copy", "&Paste"}) {
            auto* button = new TubBarButton(form);
            button->SetCaption(caption);
            button->OnClick = [this, button](TObject*) {
                clicked.push_back(button->GetCaption());
                clickedWhileOpen = clickedWhileOpen || menu->IsOpen();
            };
            menu->GetItemLinks()->Add()->SetItem(button);
            buttons.push_back(button);
        }
        menu->OnPopup = [this](TObject*) {
            ++popups;
            if (onPopup) onPopup();
        };
        form->Show();
        edit->SetFocus();
        ProcessPendingMessages();
    }
    void TearDown() override {
        for (BYTE key : {VK_SHIFT, VK_CONTROL, VK_MENU})
            if (GetAsyncKeyState(key) < 0) keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        BarsTest::TearDown();
    }
    TubBarPopupMenuLink* Link(TWinControl* Control, bool ProcessChildren = true) {
        TubBarPopupMenuLink* link = manager->GetPopupMenuLinks()->Add();
        link->SetControl(Control);
        link->SetPopupMenu(menu);
        link->ProcessChildren = ProcessChildren;
        return link;
    }
    // Keys queued while the menu opens: its modal loop reads them.
    static void Queue(const std::vector<BYTE>& Keys) {
        for (BYTE key : Keys) {
            keybd_event(key, 0, 0, 0);
            keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        }
    }
    // Notes where the menu window opened, then closes it with Esc (or runs Keys). The keys are copied: the
    // menu opens after this call has returned.
    void CloseOnOpen(std::vector<BYTE> Keys = {VK_ESCAPE}) {
        onPopup = [this, Keys = std::move(Keys)] {
            opened = true;
            Queue(Keys);
        };
    }
    TPoint MenuTopLeft() const {
        RECT r{};
        GetWindowRect(menu->MenuWindow()->GetHandle(), &r);
        return TPoint(r.left, r.top);
    }
    static void RightClickAt(TPoint Screen) {
        SetCursorPos(Screen.x, Screen.y);
        ProcessPendingMessages();
        mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
        ProcessPendingMessages();
        mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    }

    TTestForm* form = nullptr;
    TubBarManager* manager = nullptr;
    TPanel* panel = nullptr;
    TEdit* edit = nullptr;
    TubBarPopupMenu* menu = nullptr;
    std::vector<TubBarButton*> buttons;
    std::vector<std::string> clicked;
    bool clickedWhileOpen = false;
    bool opened = false;
    int popups = 0;
    std::function<void()> onPopup;
};

TEST_F(ubBarPopupMenuTest, CreationNeedsAManagerAndTakesTheOwnerFormsElseTheFirst) {
    EXPECT_EQ(menu->GetBarManager(), manager);
    ASSERT_EQ(manager->PopupMenus().size(), 1u);
    TTestForm* other = NewForm();
    auto* otherManager = new TubBarManager(other);
    auto* unowned = new TubBarPopupMenu(nullptr);
    EXPECT_EQ(unowned->GetBarManager(), manager) << "the first manager of the list";
    unowned->SetBarManager(otherManager);
    EXPECT_EQ(manager->PopupMenus().size(), 1u);
    EXPECT_EQ(otherManager->PopupMenus().size(), 1u);
    EXPECT_EQ(unowned->GetItemLinks()->BarManager(), otherManager);
    unowned->SetBarManager(nullptr);
    EXPECT_EQ(unowned->GetBarManager(), otherManager) << "nil only while the menu is freed";
    unowned->SetBarSize(-5);
    EXPECT_EQ(unowned->GetBarSize(), 0);
    delete unowned;
    EXPECT_TRUE(otherManager->PopupMenus().empty());
    delete otherManager;
    delete menu;
    delete manager;
    try {
        TubBarPopupMenu orphan(form);
        ADD_FAILURE() << "created without any manager";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "There are no TubBarManagers available");
    }
}

TEST_F(ubBarPopupMenuTest, OpensAtThePointRunsItsLoopAndClicksAfterClosing) {
    TPoint at;
    onPopup = [&] { Queue({VK_DOWN, VK_RETURN}); };
    menu->OnCloseUp = [&](TObject*) { at = TPoint(-1, -1); };
    menu->ShowMenuAt(150, 170);
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(clicked, std::vector<std::string>{"&Copy"});
    EXPECT_FALSE(clickedWhileOpen) << "the entry runs after the menu closed";
    EXPECT_EQ(at, TPoint(-1, -1)) << "OnCloseUp fired";
    EXPECT_FALSE(manager->AnyPopupMenuShowing());

    // With the caller's own loop the menu stays open: its window sits at the point, and opening it again
    // does nothing.
    onPopup = nullptr;
    menu->OwnMessageLoop = true;
    menu->ShowMenuAt(150, 170);
    ASSERT_TRUE(menu->IsOpen());
    EXPECT_TRUE(manager->AnyPopupMenuShowing());
    TubBarSubMenuControl* window = menu->MenuWindow();
    EXPECT_EQ(MenuTopLeft(), TPoint(150, 170));
    menu->ShowMenuAt(10, 10);
    EXPECT_EQ(menu->MenuWindow(), window);
    EXPECT_EQ(MenuTopLeft(), TPoint(150, 170));
    EXPECT_EQ(popups, 2);
    menu->CloseMenu();
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_EQ(clicked.size(), 1u);
}

// The menu's own font and background picture, on the open window (its own loop keeps it open to look at).
TEST_F(ubBarPopupMenuTest, ItsOwnFontAndBackgroundPictureShowInItsWindow) {
    menu->OwnMessageLoop = true;
    const auto lineHeight = [&] {
        menu->ShowMenuAt(150, 170);
        const int h = menu->GetItemLinks()->Items(0)->ItemRect.Height();
        menu->CloseMenu();
        return h;
    };
    // The font starts as a copy of the manager's and is not used until it changes.
    EXPECT_FALSE(menu->GetUseOwnFont());
    EXPECT_EQ(menu->GetFont()->GetSize(), manager->GetFont()->GetSize());
    const int managerLine = lineHeight();
    menu->GetFont()->SetSize(manager->GetFont()->GetSize() * 2);
    EXPECT_TRUE(menu->GetUseOwnFont());
    EXPECT_GT(lineHeight(), managerLine);
    // Off again: the font follows the manager's, and so do the lines.
    menu->SetUseOwnFont(false);
    EXPECT_EQ(menu->GetFont()->GetSize(), manager->GetFont()->GetSize());
    EXPECT_EQ(lineHeight(), managerLine);

    // A picture lies behind the lines, in the classic and in the flat looks; empty again, the look's own.
    TBitmap red;
    red.SetSize(8, 8);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(Bounds(0, 0, 8, 8));
    menu->SetBackgroundBitmap(&red);
    for (TubBarManagerStyle style : {bmsStandard, bmsOffice11}) {
        SCOPED_TRACE(style);
        manager->SetStyle(style);
        menu->ShowMenuAt(150, 170);
        TubBarSubMenuControl* window = menu->MenuWindow();
        ASSERT_NE(window, nullptr);
        const TRect line = menu->GetItemLinks()->Items(1)->ItemRect;
        TBitmap client;
        client.SetSize(window->ClientWidth(), window->ClientHeight());
        SendMessage(window->GetHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(client.Canvas()->GetHandle()), 0);
        EXPECT_EQ(ColorToRGB(client.Canvas()->GetPixel(line.right - 4, line.top + 2)), ColorToRGB(clRed));
        menu->CloseMenu();
    }
    TBitmap empty;
    menu->SetBackgroundBitmap(&empty);
    menu->ShowMenuAt(150, 170);
    const TRect line = menu->GetItemLinks()->Items(1)->ItemRect;
    TBitmap client;
    client.SetSize(menu->MenuWindow()->ClientWidth(), menu->MenuWindow()->ClientHeight());
    SendMessage(menu->MenuWindow()->GetHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(client.Canvas()->GetHandle()),
                0);
    EXPECT_NE(ColorToRGB(client.Canvas()->GetPixel(line.right - 4, line.top + 2)), ColorToRGB(clRed));
    menu->CloseMenu();
    // Without a picture of its own the menu lies on the manager's sub-menu background.
    manager->GetBackgrounds()->SetSubMenu(&red);
    menu->ShowMenuAt(150, 170);
    SendMessage(menu->MenuWindow()->GetHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(client.Canvas()->GetHandle()),
                0);
    EXPECT_EQ(ColorToRGB(client.Canvas()->GetPixel(line.right - 4, line.top + 2)), ColorToRGB(clRed));
    menu->CloseMenu();
}

TEST_F(ubBarPopupMenuTest, TheLoopDropsCommandsPostsBackWhatCameAfterAndEndsWhenTheMenuIsFreed) {
    std::vector<UINT> seen;
    constexpr UINT kLater = WM_APP + 7;
    constexpr UINT kFree = WM_APP + 8;
    HWND target = form->GetHandle();
    const TWndMethod formProc = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_COMMAND || m.Msg == kLater) seen.push_back(m.Msg);
        if (m.Msg == kFree) delete menu;
        formProc(m);
    };
    onPopup = [&] {
        PostMessage(target, WM_COMMAND, 1, 0);
        Queue({VK_ESCAPE});
    };
    menu->ShowMenuAt(150, 170);
    EXPECT_TRUE(seen.empty()) << "a WM_COMMAND while the menu is open is lost";

    // A message read as the menu closes is handed on after the loop.
    menu->OnCloseUp = [&](TObject*) { PostMessage(target, kLater, 0, 0); };
    menu->ShowMenuAt(150, 170);
    ProcessPendingMessages();
    EXPECT_EQ(seen, std::vector<UINT>{kLater});

    // A handler that frees the menu while its loop runs ends the loop.
    menu->OnCloseUp = nullptr;
    buttons[0]->OnClick = [&](TObject*) {};
    onPopup = [&] { PostMessage(target, kFree, 0, 0); };
    menu->ShowMenuAt(150, 170);
    menu = nullptr;
    EXPECT_TRUE(manager->PopupMenus().empty());
    EXPECT_EQ(CurrentMenuControl, nullptr);
    form->WindowProc = formProc;
}

TEST_F(ubBarPopupMenuTest, ARightClickOnALinkedControlOpensOneMenuAtThePointer) {
    // The platform's own popup menu of the control must not open as well.
    auto* platformMenu = new TPopupMenu(form);
    int platformPopups = 0;
    platformMenu->OnPopup = [&](TObject*) {
        ++platformPopups;
        Queue({VK_ESCAPE});
    };
    edit->SetPopupMenu(platformMenu);
    Link(panel);
    TPoint at;
    onPopup = [&] {
        POINT cursor{};
        GetCursorPos(&cursor);
        at = TPoint(cursor.x, cursor.y);
        Queue({VK_DOWN, VK_DOWN, VK_RETURN});
    };
    const TPoint point = OnScreen(edit, 30, 8);
    RightClickAt(point);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(platformPopups, 0);
    EXPECT_EQ(at, point);
    EXPECT_EQ(clicked, std::vector<std::string>{"&Paste"});
    EXPECT_FALSE(clickedWhileOpen);

    // A link without ProcessChildren serves its own control only; OnAction may move the point or refuse.
    edit->SetPopupMenu(nullptr);
    manager->GetPopupMenuLinks()->Clear();
    TubBarPopupMenuLink* link = Link(panel, false);
    CloseOnOpen();
    RightClickAt(point);
    EXPECT_EQ(popups, 1);
    std::vector<bool> byMouse;
    link->OnAction = [&](TubBarPopupMenuLink*, int& X, int& Y, bool ClickedByMouse, bool& Allow) {
        byMouse.push_back(ClickedByMouse);
        Allow = byMouse.size() == 1;
        X = 5;
        Y = 6;
    };
    RightClickAt(OnScreen(panel, 150, 100));
    RightClickAt(OnScreen(panel, 150, 100));
    EXPECT_EQ(popups, 2);
    EXPECT_EQ(byMouse, (std::vector<bool>{true, true}));
}

TEST_F(ubBarPopupMenuTest, ShiftF10AndTheMenuKeyOpenItAtTheCaretOrTheFocusedWindowsCorner) {
    Link(panel);
    edit->SetText("Hello");
    SendMessage(edit->GetHandle(), EM_SETSEL, 5, 5);
    ProcessPendingMessages();
    POINT caret{};
    ASSERT_EQ(GetCaretWindow(), edit->GetHandle());
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_GT(caret.x, 10) << "after the text";
    int contextMessages = 0;
    const TWndMethod editProc = edit->WindowProc;
    edit->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_CONTEXTMENU) ++contextMessages;
        editProc(m);
    };
    menu->OwnMessageLoop = true;
    std::vector<TPoint> places;
    for (auto key : {std::pair<WORD, WORD>{VK_F10, VK_SHIFT}, std::pair<WORD, WORD>{VK_APPS, 0}}) {
        Tap(key.first, key.second);
        ASSERT_TRUE(menu->IsOpen());
        places.push_back(MenuTopLeft());
        menu->CloseMenu();
    }
    EXPECT_EQ(popups, 2);
    const TPoint atCaret = OnScreen(edit, caret.x, caret.y);
    EXPECT_EQ(places, (std::vector<TPoint>{atCaret, atCaret}));
    EXPECT_EQ(contextMessages, 0) << "one key opens one menu";
    edit->WindowProc = editProc;
    // A focused window without a caret: its top-left corner.
    panel->TabStop = true;
    panel->SetFocus();
    ProcessPendingMessages();
    EXPECT_EQ(GetCaretWindow(), nullptr);
    Tap(VK_APPS);
    ASSERT_TRUE(menu->IsOpen());
    EXPECT_EQ(MenuTopLeft(), OnScreen(panel, 0, 0));
    menu->CloseMenu();
    edit->SetFocus();
    ProcessPendingMessages();

    // The linked control's own context handling comes first and may take the request.
    panel->OnContextPopup = [&](TObject*, TPoint MousePos, bool& Handled) {
        EXPECT_EQ(MousePos, TPoint(-1, -1));
        Handled = true;
    };
    Tap(VK_APPS);
    EXPECT_EQ(popups, 3);
    EXPECT_FALSE(menu->IsOpen());
}

TEST_F(ubBarPopupMenuTest, ShortCutsOfTheFocusedControlsLinkedMenuAndOfAKeyMessage) {
    buttons[1]->SetShortCut(ShortCut('P', TShiftState{ssCtrl}));
    Link(panel);
    Tap('P', VK_CONTROL);
    EXPECT_EQ(clicked, std::vector<std::string>{"&Paste"});
    EXPECT_EQ(popups, 0);

    // From a key message: Shift and Ctrl as held, Alt from the message's context bit; no key, no short-cut.
    struct Case {
        WPARAM Key;
        LPARAM Data;
        BYTE Held;
        TShortCut Expected;
    };
    const Case cases[] = {
        {'P', 0, 0, 'P'},
        {'P', 0, VK_SHIFT, static_cast<TShortCut>('P' | scShift)},
        {'P', 0, VK_CONTROL, static_cast<TShortCut>('P' | scCtrl)},
        {'P', static_cast<LPARAM>(KF_ALTDOWN) << 16, 0, static_cast<TShortCut>('P' | scAlt)},
        {0, 0, VK_CONTROL, 0},
    };
    for (const Case& c : cases) {
        if (c.Held != 0) keybd_event(c.Held, 0, 0, 0);
        ProcessPendingMessages();
        TMessage m{WM_KEYDOWN, c.Key, c.Data, 0};
        EXPECT_EQ(ShortCutOfKeyMessage(m), c.Expected) << c.Key << " " << int(c.Held);
        if (c.Held != 0) keybd_event(c.Held, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
    }
    keybd_event(VK_CONTROL, 0, 0, 0);
    ProcessPendingMessages();
    TMessage key{WM_KEYDOWN, 'P', 0, 0};
    EXPECT_TRUE(menu->IsShortCutKey(key));
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
    EXPECT_EQ(clicked.size(), 2u);
}

TEST_F(ubBarPopupMenuTest, ADropDownButtonsArrowOpensItsMenuFlippingAtTheWorkAreasEdge) {
    TubBar* bar = manager->GetBars()->Add();
    auto* button = new TubBarButton(form);
    button->SetCaption("&Send");
    button->SetButtonStyle(bsDropDown);
    button->SetDropDownMenu(menu);
    bar->GetItemLinks()->Add()->SetItem(button);
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    ProcessPendingMessages();
    TubBarItemControl* control = bar->GetItemLinks()->Items(0)->Control;
    ASSERT_NE(control, nullptr);
    const TRect r = control->ItemRect();
    TWinControl* window = bar->Control();
    ClickAt(window, TPoint(r.right - 3, (r.top + r.bottom) / 2));
    ASSERT_TRUE(menu->IsOpen());
    RECT m{};
    GetWindowRect(menu->MenuWindow()->GetHandle(), &m);
    EXPECT_EQ(TPoint(m.left, m.top), OnScreen(window, r.left, r.bottom)) << "below the button";
    Tap(VK_ESCAPE);
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_FALSE(static_cast<TubBarButtonControl*>(control)->DroppedDown);

    // Near the bottom of the work area it opens above the button.
    const TRect work = GetWorkAreaAtPoint(TPoint(0, 0));
    form->SetBounds(100, work.bottom - 60, 400, 60);
    ProcessPendingMessages();
    const TRect r2 = control->ItemRect();
    ClickAt(window, TPoint(r2.right - 3, (r2.top + r2.bottom) / 2));
    ASSERT_TRUE(menu->IsOpen());
    GetWindowRect(menu->MenuWindow()->GetHandle(), &m);
    EXPECT_EQ(m.bottom, OnScreen(window, r2.left, r2.top).y) << "above the button";
    Tap(VK_ESCAPE);
}

}  // namespace
}  // namespace zel::test
