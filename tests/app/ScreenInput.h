#pragma once
// Real mouse input at points of the screen, as a user gives it: the pointer moves there and the left
// button goes down and up, through the layer's input queue.
#include "platform/vcl/Controls.h"
#include "platform/win/Windows.h"

namespace zel::test {

inline POINT ScreenPoint(TControl* Control, int X, int Y) {
    const TPoint p = Control->ClientToScreen(TPoint{X, Y});
    return POINT{p.x, p.y};
}

inline void ClickScreen(POINT P) {
    SetCursorPos(P.x, P.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
}

inline void ClickControl(TControl* Control, int X = 10, int Y = 10) { ClickScreen(ScreenPoint(Control, X, Y)); }

}  // namespace zel::test
