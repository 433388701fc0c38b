#pragma once
// The framework's three thread hooks, shared by every manager of the program: the keyboard hook turns Alt,
// F10, short-cuts and Alt+letter accelerators into menu actions and hands keys to an open menu; the mouse
// hook closes open menus on presses outside them; the call-window-procedure hook hands the messages of a
// manager's form to that manager (TubBarManager::FormMessage).
#include "platform/win/Windows.h"

namespace zel {

class TubBarManager;

// Set while an edit item's control calls the keyboard hook itself: the next hook is not asked then.
extern bool DirectKeyCall;
// Set while the mouse holds one of a toolbar window's own frame buttons pressed (its close button, its
// mark): every key is swallowed meanwhile.
extern bool BarButtonHeld;
// Set by a key-down of Alt, cleared by any other key-down: Alt released alone selects the main menu bar.
extern bool AltPressedAlone;

// The first manager installs the hooks, the last one removes them.
void InstallBarHooks();
void RemoveBarHooks();

// The keyboard hook's procedure: the next hook first (not under DirectKeyCall), then the framework's step;
// 1 when the key is consumed.
LRESULT BarKeyboardHookProc(int Code, WPARAM WParam, LPARAM LParam);
// A key event of the keyboard hook (Key the virtual key, KeyData the key message's lParam); true when the
// key is consumed.
bool BarKeyboardHookKey(WPARAM Key, LPARAM KeyData);
// The mouse hook's step for open menus: a press (or a left release) outside them closes them one by one,
// innermost first, while the point lies outside those still open; a right or middle release outside them is
// swallowed. True when the message is to be discarded.
bool CloseMenusOutside(UINT Msg, POINT ScreenPoint, HWND Window);
// The call-window-procedure hook's step before the window procedure: the message of a form with a manager
// goes to that manager; an activation of a window owned by such a form too.
void BarCallWndProcMessage(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

}  // namespace zel
