#pragma once
// A user's input through the window layer's queue (keybd_event, mouse_event, SetCursorPos), so that thread
// hooks and key translation see it as they would see a user's.
#include "platform/vcl/Controls.h"
#include "platform/win/Windows.h"

namespace zel::test {

// A client point of a control's window in screen coordinates.
inline TPoint OnScreen(TWinControl* Control, int X, int Y) {
    POINT p{X, Y};
    ClientToScreen(Control->GetHandle(), &p);
    return p;
}

// A left click at a client point of a control's window, through the input queue.
inline void ClickAt(TWinControl* Control, TPoint P) {
    const TPoint s = OnScreen(Control, P.x, P.y);
    SetCursorPos(s.x, s.y);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
}

// A key pressed and released through the input queue, with a modifier held around it.
inline void Tap(WORD AKey, WORD Modifier = 0) {
    if (Modifier != 0) keybd_event(static_cast<BYTE>(Modifier), 0, 0, 0);
    keybd_event(static_cast<BYTE>(AKey), 0, 0, 0);
    ProcessPendingMessages();
    keybd_event(static_cast<BYTE>(AKey), 0, KEYEVENTF_KEYUP, 0);
    if (Modifier != 0) keybd_event(static_cast<BYTE>(Modifier), 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
}

}  // namespace zel::test
