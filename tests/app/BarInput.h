#pragma once
// Real mouse and key input on the main window and its bars, through the platform's input queue, where the
// bars' hooks see it as they see a musician's.
#include <gtest/gtest.h>

#include "app/Main.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {

// A left click at a client point of a window. A menu runs its entry from the queue once it has closed, and
// what the entry posts (a window's release) is handled too. An entry that shows a modal window runs the
// window's loop inside the release: that loop must see what is posted to the window once it shows, which
// a pass of ProcessPendingMessages (serving only what was queued when it began) hides, so the release is
// handled by the application's own loop then.
inline void ClickAt(HWND window, int x, int y, bool opensModal = false) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    if (opensModal) Application->ProcessMessages();
    ProcessPendingMessages();
    ProcessPendingMessages();
}

// A key pressed and released with Ctrl held.
inline void CtrlTap(BYTE key) {
    keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event(key, 0, 0, 0);
    ProcessPendingMessages();
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
}

// Lets go of the keys and the button that a failed test left down.
inline void ReleaseHeldInput() {
    for (BYTE key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_ESCAPE})
        if (GetAsyncKeyState(key) < 0) keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    if (GetAsyncKeyState(VK_LBUTTON) < 0) mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
}

inline TCustomubBarControl* MenuBarOf(TFormzelmo* form) { return form->ubBarManager1->GetBars()->Items(0)->Control(); }
inline TCustomubBarControl* ToolBarOf(TFormzelmo* form) { return form->ubBarManager1->GetBars()->Items(1)->Control(); }
// The open menu of a sub-item, or nullptr.
inline TCustomubBarControl* OpenMenuOf(TubBarSubItem* sub) { return sub->GetItemLinks()->BarControl; }

// Clicks the middle of an item's link on a bar window: the menu bar, the toolbar or an open menu.
inline void ClickLink(TCustomubBarControl* window, TubBarItem* item, bool opensModal = false) {
    ASSERT_NE(window, nullptr) << item->GetName();
    for (TubBarItemLink* link : window->GetItemLinks()->VisibleItems())
        if (link->GetItem() == item) {
            const TRect& r = link->ItemRect;
            ClickAt(window->GetHandle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2, opensModal);
            return;
        }
    FAIL() << item->GetName() << " is not shown on its bar";
}

// Opens a menu of the main window's menu bar with a click and clicks one of its entries.
inline void ChooseFromMenu(TFormzelmo* form, TubBarSubItem* menu, TubBarItem* entry, bool opensModal = false) {
    ClickLink(MenuBarOf(form), menu);
    ClickLink(OpenMenuOf(menu), entry, opensModal);
}

}  // namespace zel::test
