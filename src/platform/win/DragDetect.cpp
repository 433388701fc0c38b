#include "platform/win/Messages.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"

namespace zel {

BOOL DragDetect(HWND hwnd, POINT pt) {
    if (hwnd == nullptr || !IsWindow(hwnd)) return FALSE;
    const int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
    const RECT still{pt.x - cx / 2, pt.y - cy / 2, pt.x - cx / 2 + cx, pt.y - cy / 2 + cy};
    SetCapture(hwnd);
    BOOL dragged = FALSE;
    MSG msg;
    for (bool done = false; !done && IsWindow(hwnd);) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            // The quit request belongs to the loop outside.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message) {
            case WM_MOUSEMOVE: {
                POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
                ClientToScreen(msg.hwnd, &p);
                if (!PtInRect(&still, p)) dragged = done = TRUE;
                break;
            }
            case WM_LBUTTONUP:
            case WM_RBUTTONUP: done = true; break;
            case WM_KEYDOWN:
                if (msg.wParam == VK_ESCAPE) done = true;
                break;
            default:
                // Everything else (paints, timers, posted messages) is served as usual.
                if ((msg.message < WM_MOUSEFIRST || msg.message > WM_MOUSELAST) &&
                    (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)) {
                    TranslateMessage(&msg);
                    DispatchMessage(&msg);
                }
                break;
        }
    }
    if (GetCapture() == hwnd) ReleaseCapture();
    return dragged;
}

}  // namespace zel
