#pragma once
// Private: the state TControl and TWinControl share (Controls.cpp, WinControl.cpp). Only those files include
// this.
#include <cstdint>
#include <unordered_map>

#include "platform/vcl/Controls.h"

namespace zel {

// The windows of this layer: the control bound to each (nullptr once the control let go of it) and the
// procedure of the window class the control's class was made from.
struct TBinding {
    TWinControl* control = nullptr;
    WNDPROC defProc = nullptr;
};

std::unordered_map<HWND, TBinding>& Bindings();
extern std::uint64_t g_bindingsVersion;  // TWinControl::BindingsVersion
extern TWinControl* g_creating;          // the control whose window CreateWindowEx is making
extern TControl* g_captureControl;       // the graphic control that holds the mouse
extern TControl* g_mouseControl;         // the control the mouse is over, told of its entering and leaving
// The window whose message the controls are handling now.
extern HWND g_messageWindow;

// Makes AControl the control under the mouse: the one before hears CM_MOUSELEAVE, the new one CM_MOUSEENTER.
void SetMouseControl(TControl* AControl);

// The window procedure of every window bound to a control: it hands the message to the control.
LRESULT ControlWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace zel
