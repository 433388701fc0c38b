#pragma once
// The record CM_HINTSHOW carries (LParam points at it): a control may change the text, where the hint shows
// and the rectangle the cursor may move in before the hint is asked for again; a nonzero result cancels it.
#include <string>

#include "platform/win/WinTypes.h"

namespace zel {

class TControl;

struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos{0, 0};  // client coordinates of HintControl
    TRect CursorRect{0, 0, 0, 0};
    TPoint HintPos{0, 0};  // screen coordinates
    std::string HintStr;
};

}  // namespace zel
