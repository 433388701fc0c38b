#include "platform/win/Graphics.h"

#include "platform/win/SysInfo.h"

namespace zel {

LONG ColorToRGB(TColor color) {
    if (color < 0) return static_cast<LONG>(GetSysColor(static_cast<int>(color & 0xFF)));
    return color;
}

}  // namespace zel
