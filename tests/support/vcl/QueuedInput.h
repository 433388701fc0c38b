#pragma once
// A user's input through the window layer's queue (keybd_event, mouse_event, SetCursorPos), so that thread
// hooks and key translation see it as they would see a user's.
#include <initializer_list>

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

// Takes and dispatches messages while there are any, as the program's message loop does: the modal loops
// that a handler runs (a popup menu, a progress window) see the input and the messages that come while they
// run. (A test's message pass serves only what was queued before it began.)
inline void RunQueue() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    ProcessPendingMessages();
}

// A click of the left (or right) button at a screen point with keys held, through the input queue.
inline void PressAt(POINT P, std::initializer_list<BYTE> Keys = {}, bool Right = false) {
    for (BYTE k : Keys) keybd_event(k, 0, 0, 0);
    SetCursorPos(P.x, P.y);
    mouse_event(Right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(Right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    for (BYTE k : Keys) keybd_event(k, 0, KEYEVENTF_KEYUP, 0);
    RunQueue();
}

}  // namespace zel::test
