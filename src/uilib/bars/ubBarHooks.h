#pragma once
// What the framework's thread hooks do with the keyboard and the mouse: keys go to an open menu; Alt pressed
// and released alone, or F10, selects the main menu bar of the active form's manager; short-cuts and
// Alt+letter accelerators reach the manager's bars; presses outside the open menus close them.
#include "platform/win/Windows.h"

namespace zel {

// A key event of the keyboard hook (Key the virtual key, KeyData the key message's lParam); true when the
// key is consumed.
bool BarKeyboardHookKey(WPARAM Key, LPARAM KeyData);
// The mouse hook's step for open menus: a press (or a left release) outside them closes them one by one,
// innermost first, while the point lies outside those still open; a right or middle release outside them is
// swallowed. True when the message is to be discarded.
bool CloseMenusOutside(UINT Msg, POINT ScreenPoint, HWND Window);

}  // namespace zel
