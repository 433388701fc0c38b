#pragma once
// The Win32 data types that the drawing layer, the window manager and every layer above them share.
// Plain C++: no Qt here, so every layer may include it.
#include <cstdint>

namespace zel {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = DWORD;  // 00BBGGRR
using ATOM = WORD;
using SHORT = std::int16_t;
using LONG_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

// Handles are opaque pointers to the layer's own objects; 0 is "no object".
struct TWindowObject;
struct TDeviceContext;
struct TGdiObject;
struct TCursorObject;
struct THookObject;
struct TMonitorObject;
using HWND = TWindowObject*;
using HDC = TDeviceContext*;
using HGDIOBJ = TGdiObject*;
using HPEN = TGdiObject*;
using HBRUSH = TGdiObject*;
using HFONT = TGdiObject*;
using HBITMAP = TGdiObject*;
using HRGN = TGdiObject*;
using HPALETTE = TGdiObject*;
using HCURSOR = TCursorObject*;
using HICON = TCursorObject*;
using HHOOK = THookObject*;
using HMONITOR = TMonitorObject*;
using HINSTANCE = void*;
using HMENU = void*;

struct POINT {
    LONG x = 0;
    LONG y = 0;
    bool operator==(const POINT&) const = default;
};
using TPoint = POINT;

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    bool operator==(const SIZE&) const = default;
};
using TSize = SIZE;

// A rectangle that includes its left and top edges and excludes its right and bottom edges.
struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    bool operator==(const RECT&) const = default;
    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
};
using TRect = RECT;

inline POINT Point(LONG x, LONG y) { return POINT{x, y}; }
inline RECT Rect(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }
inline RECT Bounds(LONG l, LONG t, LONG w, LONG h) { return RECT{l, t, l + w, t + h}; }

inline WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
inline WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
inline BYTE LOBYTE(std::uintptr_t v) { return static_cast<BYTE>(v & 0xFF); }
inline BYTE HIBYTE(std::uintptr_t v) { return static_cast<BYTE>((v >> 8) & 0xFF); }
inline LPARAM MAKELPARAM(WORD lo, WORD hi) {
    return static_cast<LPARAM>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}
inline WPARAM MAKEWPARAM(WORD lo, WORD hi) {
    return static_cast<WPARAM>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}
inline LONG MAKELONG(WORD lo, WORD hi) {
    return static_cast<LONG>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}
// Signed coordinates packed in an LPARAM, as mouse messages carry them.
inline int GET_X_LPARAM(LPARAM lp) { return static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lp))); }
inline int GET_Y_LPARAM(LPARAM lp) { return static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lp))); }

// One message as the queue and the window procedures see it.
struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
};

// The message record that the windowing classes hand to their handlers; Result is the reply.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

}  // namespace zel
