// Arranging a window's children: the rows of minimised children at the bottom of the client area, tiling,
// cascading, and the place a child made at CW_USEDEFAULT takes.
#include <algorithm>
#include <cmath>

#include "platform/win/SysInfo.h"
#include "platform/win/WindowsQt.h"

namespace zel {

namespace {

RECT ClientArea(HWND parent, const RECT* rect) {
    if (rect != nullptr) return *rect;
    RECT r{0, 0, 0, 0};
    GetClientRect(parent, &r);
    return r;
}

// The children that an arrangement takes when it is given none: the visible ones that are not minimised,
// top of the z-order first.
std::vector<HWND> ArrangedChildren(HWND parent, UINT count, const HWND* kids) {
    std::vector<HWND> list;
    if (kids != nullptr) {
        for (UINT i = 0; i < count; ++i)
            if (FindWnd(kids[i]) != nullptr) list.push_back(kids[i]);
        return list;
    }
    TWnd* p = FindWnd(parent);
    if (p == nullptr) return list;
    for (HWND k : p->children)
        if (TWnd* kw = FindWnd(k); kw && (kw->style & WS_VISIBLE) && !kw->minimized) list.push_back(k);
    return list;
}

// A window arranged from its maximised state is placed as a normal one.
void PlaceArranged(HWND hwnd, const RECT& r) {
    TWnd* w = FindWnd(hwnd);
    if (w == nullptr) return;
    const bool wasMaximized = w->maximized;
    w->maximized = false;
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.Width(), r.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | (wasMaximized ? SWP_FRAMECHANGED : 0));
}

int IconsPerRow(const RECT& area) {
    return std::max(1, static_cast<int>(area.Width()) / GetSystemMetrics(SM_CXMINSPACING));
}

}  // namespace

POINT IconSlotPlace(HWND parent, int slot) {
    RECT area = ClientArea(parent, nullptr);
    const int perRow = IconsPerRow(area);
    return POINT{area.left + (slot % perRow) * GetSystemMetrics(SM_CXMINSPACING),
                 area.bottom - (slot / perRow + 1) * GetSystemMetrics(SM_CYMINSPACING)};
}

POINT FreeIconPlace(HWND parent, HWND except) {
    TWnd* p = FindWnd(parent);
    for (int slot = 0;; ++slot) {
        const POINT at = IconSlotPlace(parent, slot);
        bool taken = false;
        if (p != nullptr)
            for (HWND k : p->children) {
                TWnd* kw = FindWnd(k);
                if (k != except && kw && kw->minimized && (kw->style & WS_VISIBLE) && kw->rect.left == at.x &&
                    kw->rect.top == at.y)
                    taken = true;
            }
        if (!taken) return at;
    }
}

POINT DefaultChildPlace(HWND parent, int width, int height) {
    TWnd* p = FindWnd(parent);
    const RECT area = ClientArea(parent, nullptr);
    const int step = GetSystemMetrics(SM_CYCAPTION);
    // The places down the diagonal where the window still fits (the first one always counts).
    const int fitting = 1 + std::max(0, std::min((static_cast<int>(area.Height()) - height) / step,
                                                 (static_cast<int>(area.Width()) - width) / step));
    // The places taken by a shown child, noted in one pass over the children.
    std::vector<bool> taken(static_cast<std::size_t>(fitting), false);
    if (p != nullptr)
        for (HWND k : p->children) {
            const TWnd* kw = FindWnd(k);
            if (kw == nullptr || !(kw->style & WS_VISIBLE) || kw->minimized || kw->rect.left != kw->rect.top ||
                kw->rect.left < 0 || kw->rect.left % step != 0 || kw->rect.left / step >= fitting)
                continue;
            taken[static_cast<std::size_t>(kw->rect.left / step)] = true;
        }
    int index = 0;
    while (index < fitting && taken[static_cast<std::size_t>(index)]) ++index;
    if (index == fitting) index = static_cast<int>(ArrangedChildren(parent, 0, nullptr).size()) % fitting;
    return POINT{area.left + index * step, area.top + index * step};
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
    TWnd* w = FindWnd(hwnd);
    if (w == nullptr || placement == nullptr) return FALSE;
    const bool away = w->minimized || w->maximized;
    placement->flags = w->minimized && w->restoreMaximized ? WPF_RESTORETOMAXIMIZED : 0;
    placement->showCmd = w->minimized ? SW_SHOWMINIMIZED : w->maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    placement->ptMinPosition = w->minimized && w->parent ? POINT{w->rect.left, w->rect.top} : POINT{-1, -1};
    placement->ptMaxPosition = POINT{-1, -1};
    placement->rcNormalPosition = away && w->restoreRect.right > w->restoreRect.left ? w->restoreRect : w->rect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
    TWnd* w = FindWnd(hwnd);
    if (w == nullptr || placement == nullptr) return FALSE;
    const RECT& r = placement->rcNormalPosition;
    if (w->minimized || w->maximized) {
        w->restoreRect = r;
        return TRUE;
    }
    return SetWindowPos(hwnd, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT ArrangeIconicWindows(HWND parent) {
    TWnd* p = FindWnd(parent);
    if (p == nullptr) return 0;
    std::vector<HWND> icons;
    for (HWND k : p->children)
        if (TWnd* kw = FindWnd(k); kw && kw->minimized && (kw->style & WS_VISIBLE)) icons.push_back(k);
    if (icons.empty()) return 0;
    // The order they show in: the bottom row first, each row from the left.
    std::stable_sort(icons.begin(), icons.end(), [](HWND a, HWND b) {
        const RECT& ra = FindWnd(a)->rect;
        const RECT& rb = FindWnd(b)->rect;
        return ra.top != rb.top ? ra.top > rb.top : ra.left < rb.left;
    });
    const int width = GetSystemMetrics(SM_CXMINIMIZED), height = GetSystemMetrics(SM_CYMINIMIZED);
    for (std::size_t i = 0; i < icons.size(); ++i) {
        const POINT at = IconSlotPlace(parent, static_cast<int>(i));
        SetWindowPos(icons[i], nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const int rows = (static_cast<int>(icons.size()) + IconsPerRow(ClientArea(parent, nullptr)) - 1) /
                     IconsPerRow(ClientArea(parent, nullptr));
    return static_cast<UINT>(rows * GetSystemMetrics(SM_CYMINSPACING));
}

WORD TileWindows(HWND parent, UINT, const RECT* rect, UINT count, const HWND* kids) {
    const std::vector<HWND> list = ArrangedChildren(parent, count, kids);
    const RECT area = ClientArea(parent, rect);
    const int n = static_cast<int>(list.size());
    if (n == 0 || area.Width() <= 0 || area.Height() <= 0) return 0;
    int columns = 1;
    while (columns * columns < n) ++columns;
    // Every column is full height; the last columns take one window more when the count does not divide.
    const int base = n / columns, more = n % columns;
    int next = 0;
    for (int c = 0; c < columns; ++c) {
        const int rows = base + (c >= columns - more ? 1 : 0);
        const LONG left = area.left + static_cast<LONG>(static_cast<long long>(area.Width()) * c / columns);
        const LONG right = area.left + static_cast<LONG>(static_cast<long long>(area.Width()) * (c + 1) / columns);
        for (int r = 0; r < rows; ++r, ++next) {
            const LONG top = area.top + static_cast<LONG>(static_cast<long long>(area.Height()) * r / rows);
            const LONG bottom = area.top + static_cast<LONG>(static_cast<long long>(area.Height()) * (r + 1) / rows);
            PlaceArranged(list[static_cast<std::size_t>(next)], RECT{left, top, right, bottom});
        }
    }
    return static_cast<WORD>(n);
}

WORD CascadeWindows(HWND parent, UINT, const RECT* rect, UINT count, const HWND* kids) {
    const std::vector<HWND> list = ArrangedChildren(parent, count, kids);
    const RECT area = ClientArea(parent, rect);
    const int n = static_cast<int>(list.size());
    if (n == 0) return 0;
    const int step = GetSystemMetrics(SM_CYCAPTION);
    const int width = std::max(1, static_cast<int>(area.Width()) * 2 / 3);
    const int height = std::max(1, static_cast<int>(area.Height()) * 2 / 3);
    // The diagonal starts again at the top left once a window would pass the area's bottom or right edge.
    const int fitting = 1 + std::max(0, std::min((static_cast<int>(area.Height()) - height) / step,
                                                 (static_cast<int>(area.Width()) - width) / step));
    // From the back: the window at the top of the z-order ends in front, a step further than the one behind.
    for (int i = 0; i < n; ++i) {
        HWND h = list[static_cast<std::size_t>(n - 1 - i)];
        const int offset = (i % fitting) * step;
        PlaceArranged(
            h, RECT{area.left + offset, area.top + offset, area.left + offset + width, area.top + offset + height});
        SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return static_cast<WORD>(n);
}

}  // namespace zel
