#pragma once
// A window's system menu as menu handles (the only menus of the window layer that are handles: the program's
// own menus are drawn by the bar library), and window icons.
//
// GetSystemMenu answers the window's menu of Restore, Move, Size, Minimize, Maximize, a separator and Close
// ("Ctrl+F4" after the tab for a multiple-document child, "Alt+F4" otherwise), its entries enabled as the
// window's state and styles allow and Close its default entry. The entries carry the bitmap codes
// HBMMENU_POPUP_* in the item bitmap of the 48-byte MENUITEMINFO record.
//
// Icons: an icon is a 32-bit picture with alpha. WM_SETICON keeps a window's small and big icon; WM_GETICON
// answers them (ICON_SMALL2 the small one, else the big one, else the class icon). DrawIconEx draws an icon
// stretched into a rectangle.
#include <cstdint>

#include "platform/win/Gdi.h"
#include "platform/win/WinTypes.h"

namespace zel {

struct MENUITEMINFO {
    UINT cbSize = 0;  // 44: the record without hbmpItem; 48: the whole record
    UINT fMask = 0;
    UINT fType = 0;
    UINT fState = 0;
    UINT wID = 0;
    HMENU hSubMenu = nullptr;
    HBITMAP hbmpChecked = nullptr;
    HBITMAP hbmpUnchecked = nullptr;
    ULONG_PTR dwItemData = 0;
    char* dwTypeData = nullptr;  // the text buffer (MIIM_STRING / MIIM_TYPE), cch bytes long
    UINT cch = 0;
    HBITMAP hbmpItem = nullptr;
};
constexpr UINT kMenuItemInfoSizeWithoutBitmap = 44;
constexpr UINT kMenuItemInfoSize = 48;

constexpr UINT MIIM_STATE = 0x1, MIIM_ID = 0x2, MIIM_SUBMENU = 0x4, MIIM_CHECKMARKS = 0x8, MIIM_TYPE = 0x10,
               MIIM_DATA = 0x20, MIIM_STRING = 0x40, MIIM_BITMAP = 0x80, MIIM_FTYPE = 0x100;
constexpr UINT MFT_STRING = 0x0, MFT_BITMAP = 0x4, MFT_SEPARATOR = 0x800;
constexpr UINT MFS_ENABLED = 0x0, MFS_GRAYED = 0x3, MFS_DISABLED = 0x3, MFS_CHECKED = 0x8, MFS_DEFAULT = 0x1000;
constexpr UINT MF_BYCOMMAND = 0x0, MF_BYPOSITION = 0x400, MF_GRAYED = 0x1, MF_DISABLED = 0x2, MF_CHECKED = 0x8,
               MF_SEPARATOR = 0x800;
constexpr UINT GMDI_USEDISABLED = 0x1;
// The item bitmap codes of the system menu's entries.
inline HBITMAP const HBMMENU_POPUP_CLOSE = reinterpret_cast<HBITMAP>(std::uintptr_t{8});
inline HBITMAP const HBMMENU_POPUP_RESTORE = reinterpret_cast<HBITMAP>(std::uintptr_t{9});
inline HBITMAP const HBMMENU_POPUP_MAXIMIZE = reinterpret_cast<HBITMAP>(std::uintptr_t{10});
inline HBITMAP const HBMMENU_POPUP_MINIMIZE = reinterpret_cast<HBITMAP>(std::uintptr_t{11});

// The window's system menu, its entries refreshed from the window on each call; nullptr for a window without
// a system menu (no WS_SYSMENU) or with Revert set. The menu lives as long as the window.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);
// -1 for a handle that is not a menu.
int GetMenuItemCount(HMENU menu);
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info);
// Copies the entry's text (at most max - 1 bytes and a NUL); answers the length copied, 0 for none.
int GetMenuString(HMENU menu, UINT item, char* text, int max, UINT flags);
// The command of the default entry; (UINT)-1 when there is none (or it is disabled without GMDI_USEDISABLED).
UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags);
// MF_GRAYED, MF_DISABLED, MF_CHECKED and MF_SEPARATOR of the entry; (UINT)-1 when there is no such entry.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);

// ---- icons
constexpr WPARAM ICON_SMALL = 0, ICON_BIG = 1, ICON_SMALL2 = 2;
constexpr UINT DI_MASK = 0x1, DI_IMAGE = 0x2, DI_NORMAL = 0x3;
// An icon of Width x Height pixels, 0xAARRGGBB each (not premultiplied), row by row; it lives as long as the
// program. nullptr for an empty size.
HICON CreateIconFromPixels(int Width, int Height, const std::uint32_t* Pixels);
// Draws the icon into the rectangle (its own size when cx or cy is 0), blended over what is there.
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flickerFree, UINT flags);
// Whether the handle is an icon made by CreateIconFromPixels (not a cursor).
bool IsIconHandle(HICON icon);

}  // namespace zel
