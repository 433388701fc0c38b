#include "platform/win/SystemMenu.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/win/GdiQt.h"
#include "platform/win/Windows.h"
#include "platform/win/WindowsQt.h"

namespace zel {

namespace {

struct TMenuEntry {
    UINT type = MFT_STRING;
    UINT state = MFS_ENABLED;
    UINT id = 0;
    std::string text;
    HBITMAP bitmap = nullptr;
};

struct TMenuObject {
    std::vector<TMenuEntry> entries;
};

// The system menus, one per window that asked for it; a menu is rebuilt in place on every request, so its
// handle stays the same for the window.
std::map<HWND, std::unique_ptr<TMenuObject>>& SystemMenus() {
    static std::map<HWND, std::unique_ptr<TMenuObject>> menus;
    return menus;
}

TMenuObject* MenuOf(HMENU menu) {
    for (auto& [window, object] : SystemMenus())
        if (object.get() == menu) return object.get();
    return nullptr;
}

const TMenuEntry* EntryOf(HMENU menu, UINT item, bool byPosition) {
    TMenuObject* m = MenuOf(menu);
    if (m == nullptr) return nullptr;
    if (byPosition) return item < m->entries.size() ? &m->entries[item] : nullptr;
    for (const TMenuEntry& e : m->entries)
        if (e.type != MFT_SEPARATOR && e.id == item) return &e;
    return nullptr;
}

// The icons live as long as the program: the registry is never freed, so it keeps them reachable.
std::set<HICON>& Icons() {
    static auto* icons = new std::set<HICON>;
    return *icons;
}

struct TIconRecord {
    HBITMAP bitmap = nullptr;  // premultiplied 32-bit picture
    int width = 0;
    int height = 0;
};

}  // namespace

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
    TWnd* w = FindWnd(hwnd);
    if (w == nullptr || revert || !(w->style & WS_SYSMENU)) return nullptr;
    std::unique_ptr<TMenuObject>& menu = SystemMenus()[hwnd];
    if (!menu) menu = std::make_unique<TMenuObject>();
    const bool maximized = w->maximized, minimized = w->minimized;
    const bool sizable = (w->style & WS_THICKFRAME) != 0;
    const auto state = [](bool enabled) { return enabled ? MFS_ENABLED : MFS_GRAYED; };
    const bool mdiChild = (w->exStyle & WS_EX_MDICHILD) != 0;
    menu->entries = {
        {MFT_STRING, state(maximized || minimized), static_cast<UINT>(SC_RESTORE), "&Restore", HBMMENU_POPUP_RESTORE},
        {MFT_STRING, state(!maximized), static_cast<UINT>(SC_MOVE), "&Move", nullptr},
        {MFT_STRING, state(sizable && !maximized && !minimized), static_cast<UINT>(SC_SIZE), "&Size", nullptr},
        {MFT_STRING, state((w->style & WS_MINIMIZEBOX) && !minimized), static_cast<UINT>(SC_MINIMIZE), "Mi&nimize",
         HBMMENU_POPUP_MINIMIZE},
        {MFT_STRING, state((w->style & WS_MAXIMIZEBOX) && !maximized), static_cast<UINT>(SC_MAXIMIZE), "Ma&ximize",
         HBMMENU_POPUP_MAXIMIZE},
        {MFT_SEPARATOR, MFS_ENABLED, 0, "", nullptr},
        {MFT_STRING, MFS_ENABLED | MFS_DEFAULT, static_cast<UINT>(SC_CLOSE),
         mdiChild ? "&Close\tCtrl+F4" : "&Close\tAlt+F4", HBMMENU_POPUP_CLOSE},
    };
    return menu.get();
}

void ForgetSystemMenu(HWND hwnd) { SystemMenus().erase(hwnd); }

int GetMenuItemCount(HMENU menu) {
    TMenuObject* m = MenuOf(menu);
    return m != nullptr ? static_cast<int>(m->entries.size()) : -1;
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info) {
    if (info == nullptr || info->cbSize < kMenuItemInfoSizeWithoutBitmap) return FALSE;
    const TMenuEntry* e = EntryOf(menu, item, byPosition != FALSE);
    if (e == nullptr) return FALSE;
    if (info->fMask & (MIIM_TYPE | MIIM_FTYPE)) info->fType = e->type;
    if (info->fMask & MIIM_STATE) info->fState = e->state;
    if (info->fMask & MIIM_ID) info->wID = e->id;
    if (info->fMask & MIIM_SUBMENU) info->hSubMenu = nullptr;
    if (info->fMask & MIIM_CHECKMARKS) info->hbmpChecked = info->hbmpUnchecked = nullptr;
    if (info->fMask & MIIM_DATA) info->dwItemData = 0;
    if ((info->fMask & MIIM_BITMAP) && info->cbSize >= kMenuItemInfoSize) info->hbmpItem = e->bitmap;
    if (info->fMask & (MIIM_STRING | MIIM_TYPE)) {
        if (info->dwTypeData != nullptr && info->cch > 0) {
            const std::size_t n = std::min<std::size_t>(e->text.size(), info->cch - 1);
            std::memcpy(info->dwTypeData, e->text.data(), n);
            info->dwTypeData[n] = '\0';
        }
        info->cch = static_cast<UINT>(e->text.size());
    }
    return TRUE;
}

int GetMenuString(HMENU menu, UINT item, char* text, int max, UINT flags) {
    const TMenuEntry* e = EntryOf(menu, item, (flags & MF_BYPOSITION) != 0);
    if (e == nullptr) return 0;
    if (text == nullptr || max <= 0) return static_cast<int>(e->text.size());
    const int n = std::min<int>(static_cast<int>(e->text.size()), max - 1);
    std::memcpy(text, e->text.data(), static_cast<std::size_t>(n));
    text[n] = '\0';
    return n;
}

UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags) {
    TMenuObject* m = MenuOf(menu);
    if (m == nullptr) return static_cast<UINT>(-1);
    for (std::size_t i = 0; i < m->entries.size(); ++i) {
        const TMenuEntry& e = m->entries[i];
        if (!(e.state & MFS_DEFAULT)) continue;
        if ((e.state & MFS_GRAYED) && !(flags & GMDI_USEDISABLED)) return static_cast<UINT>(-1);
        return byPosition ? static_cast<UINT>(i) : e.id;
    }
    return static_cast<UINT>(-1);
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    const TMenuEntry* e = EntryOf(menu, item, (flags & MF_BYPOSITION) != 0);
    if (e == nullptr) return static_cast<UINT>(-1);
    UINT r = 0;
    if (e->type == MFT_SEPARATOR) r |= MF_SEPARATOR;
    if (e->state & MFS_GRAYED) r |= MF_GRAYED;
    if (e->state & MFS_CHECKED) r |= MF_CHECKED;
    return r;
}

// ---- icons ---------------------------------------------------------------------------------------------------

HICON CreateIconFromPixels(int Width, int Height, const std::uint32_t* Pixels) {
    if (Width <= 0 || Height <= 0 || Pixels == nullptr) return nullptr;
    QImage image(Width, Height, QImage::Format_ARGB32);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) image.setPixel(x, y, Pixels[y * Width + x]);
    auto* record = new TIconRecord{CreateBitmapFromImage(image.convertToFormat(QImage::Format_ARGB32_Premultiplied)),
                                   Width, Height};
    auto icon = reinterpret_cast<HICON>(record);
    Icons().insert(icon);
    return icon;
}

bool IsIconHandle(HICON icon) { return icon != nullptr && Icons().count(icon) != 0; }

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT, HBRUSH, UINT) {
    if (dc == nullptr || !IsIconHandle(icon)) return FALSE;
    const auto* record = reinterpret_cast<const TIconRecord*>(icon);
    if (cx == 0) cx = record->width;
    if (cy == 0) cy = record->height;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, record->bitmap);
    BLENDFUNCTION blend;
    blend.BlendOp = AC_SRC_OVER;
    blend.SourceConstantAlpha = 255;
    blend.AlphaFormat = AC_SRC_ALPHA;
    const BOOL done = AlphaBlend(dc, x, y, cx, cy, source, 0, 0, record->width, record->height, blend);
    SelectObject(source, old);
    DeleteDC(source);
    return done;
}

}  // namespace zel
