#pragma once
// What the desktop's window manager does with the program's top-level windows.
#include "platform/win/WinTypes.h"

namespace zel {

// Whether the desktop's window manager looks after a top-level window (places, focuses and stacks it). A popup
// without a caption (a menu, a drop-down list, a hint) bypasses it: the program places, stacks and closes it
// itself. FALSE for child and message-only windows.
BOOL IsDesktopManagedWindow(HWND hwnd);

}  // namespace zel
