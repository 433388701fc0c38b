// Geometry and z-order: SetWindowPos and its messages, ShowWindow, coordinates, hit-testing by position,
// window regions and layered windows, and the layer's own move and size loops.
#include <QPainter>

#include <algorithm>

#include "platform/rtl/ScopeExit.h"
#include "platform/win/Gdi.h"
#include "platform/win/GdiQt.h"
#include "platform/win/SysInfo.h"
#include "platform/win/WindowsQt.h"

namespace zel {

namespace {

std::vector<HWND>& Siblings(TWnd* w) {
    auto& st = WinState();
    if (w->parent) return FindWnd(w->parent)->children;
    if (w->messageOnly) return st.messageWindows;
    return st.topLevels;
}

bool IsTopmost(HWND h) {
    TWnd* w = FindWnd(h);
    return w && (w->exStyle & WS_EX_TOPMOST);
}

void ApplyZOrder(TWnd* w, HWND after) {
    std::vector<HWND>& sib = Siblings(w);
    if (w->parent) ++FindWnd(w->parent)->childrenVersion;
    std::erase(sib, w->handle);
    bool topLevel = !w->parent && !w->messageOnly;
    if (after == HWND_TOPMOST && topLevel) w->exStyle |= WS_EX_TOPMOST;
    if (after == HWND_NOTOPMOST && topLevel) w->exStyle &= ~WS_EX_TOPMOST;
    auto firstNonTopmost = [&] {
        auto it = sib.begin();
        while (it != sib.end() && IsTopmost(*it)) ++it;
        return it;
    };
    if (after == HWND_BOTTOM) {
        if (topLevel) w->exStyle &= ~WS_EX_TOPMOST;
        sib.push_back(w->handle);
    } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        if (topLevel && !(w->exStyle & WS_EX_TOPMOST)) sib.insert(firstNonTopmost(), w->handle);
        else sib.insert(sib.begin(), w->handle);
    } else {
        auto it = std::find(sib.begin(), sib.end(), after);
        if (it == sib.end()) sib.insert(sib.begin(), w->handle);
        else sib.insert(it + 1, w->handle);
        // A normal window cannot sit among topmost ones, nor a topmost one below normal ones.
        if (topLevel) {
            std::stable_partition(sib.begin(), sib.end(), [](HWND h) { return IsTopmost(h); });
        }
    }
}

bool ContainsScreenPoint(TWnd* w, POINT screen) {
    POINT o = WindowScreenOrigin(w);
    int x = screen.x - o.x, y = screen.y - o.y;
    if (x < 0 || y < 0 || x >= w->rect.right - w->rect.left || y >= w->rect.bottom - w->rect.top) return false;
    if (w->region && !w->regionQ.contains(QPoint(x, y))) return false;
    return true;
}

bool InClient(TWnd* w, POINT screen) {
    POINT c = ClientScreenOrigin(w);
    return screen.x >= c.x && screen.y >= c.y && screen.x < c.x + (w->client.right - w->client.left) &&
           screen.y < c.y + (w->client.bottom - w->client.top);
}

HWND Descend(TWnd* w, POINT screen, bool forInput) {
    if (!InClient(w, screen)) return w->handle;
    for (HWND k : w->children) {
        TWnd* kw = FindWnd(k);
        if (!kw || !(kw->style & WS_VISIBLE)) continue;
        if (forInput && (kw->style & WS_DISABLED)) continue;
        if (ContainsScreenPoint(kw, screen)) return Descend(kw, screen, forInput);
    }
    return w->handle;
}

// Brings the images of a window that is now on view, and of each of its children on view, to their sizes. A
// window out of view keeps the image it had while it is sized (a form read from its resource is sized many
// times before it shows). A window with no image yet makes it when it first paints or is drawn on, so that a
// window that shows under others (a library window among hundreds reopened) costs no image until it is seen.
void SizeImagesOnView(TWnd* w) {
    if (w->image) EnsureImage(w);
    for (HWND k : w->children)
        if (TWnd* kw = FindWnd(k); kw && (kw->style & WS_VISIBLE)) SizeImagesOnView(kw);
}

}  // namespace

void RecalcClient(TWnd* w) {
    RECT r = w->rect;
    NCCALCSIZE_PARAMS p;
    p.rgrc[0] = r;
    SendMessage(w->handle, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&p.rgrc[0]));
    if (!(w = FindWnd(w->handle))) return;
    RECT c = p.rgrc[0];
    c.left = std::clamp(c.left, r.left, r.right);
    c.right = std::clamp(c.right, c.left, r.right);
    c.top = std::clamp(c.top, r.top, r.bottom);
    c.bottom = std::clamp(c.bottom, c.top, r.bottom);
    w->client = RECT{c.left - r.left, c.top - r.top, c.right - r.left, c.bottom - r.top};
}

HWND DeepestWindowAt(POINT screen, bool forInput) {
    for (HWND t : WinState().topLevels) {
        TWnd* w = FindWnd(t);
        if (!w || !(w->style & WS_VISIBLE)) continue;
        if (ContainsScreenPoint(w, screen)) return Descend(w, screen, forInput);
    }
    return nullptr;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    TWnd* w = FindWnd(hwnd);
    if (!w || !rect) return FALSE;
    POINT o = WindowScreenOrigin(w);
    *rect = RECT{o.x, o.y, SpanEnd(o.x, static_cast<long long>(w->rect.right) - w->rect.left),
                 SpanEnd(o.y, static_cast<long long>(w->rect.bottom) - w->rect.top)};
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    TWnd* w = FindWnd(hwnd);
    if (!w || !rect) return FALSE;
    *rect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    POINT a{0, 0}, b{0, 0};
    if (from) {
        TWnd* w = FindWnd(from);
        if (!w) return 0;
        a = ClientScreenOrigin(w);
    }
    if (to) {
        TWnd* w = FindWnd(to);
        if (!w) return 0;
        b = ClientScreenOrigin(w);
    }
    LONG dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    TWnd* w = FindWnd(hwnd);
    if (!w || !point) return FALSE;
    POINT o = ClientScreenOrigin(w);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
    TWnd* w = FindWnd(hwnd);
    if (!w || !point) return FALSE;
    POINT o = ClientScreenOrigin(w);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

HWND HitWindowAt(POINT screen, LRESULT* hitOut) {
    const std::vector<HWND> tops = WinState().topLevels;
    for (HWND t : tops) {
        TWnd* w = FindWnd(t);
        if (!w || !(w->style & WS_VISIBLE) || !ContainsScreenPoint(w, screen)) continue;
        // A window that answers HTTRANSPARENT lets the point through to its parent; a top-level window that
        // does, to the windows below it.
        for (HWND h = Descend(w, screen, true); h != nullptr;) {
            const LRESULT hit =
                SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
            TWnd* hw = FindWnd(h);
            if (!hw) return nullptr;
            if (hit != HTTRANSPARENT) {
                if (hitOut) *hitOut = hit;
                return h;
            }
            h = hw->parent;
        }
    }
    return nullptr;
}

HWND WindowFromPoint(POINT screenPoint) { return HitWindowAt(screenPoint, nullptr); }

HWND ChildWindowFromPointEx(HWND parent, POINT clientPoint, UINT flags) {
    TWnd* p = FindWnd(parent);
    if (!p) return nullptr;
    if (clientPoint.x < 0 || clientPoint.y < 0 || clientPoint.x >= p->client.right - p->client.left ||
        clientPoint.y >= p->client.bottom - p->client.top)
        return nullptr;
    for (HWND k : p->children) {
        TWnd* kw = FindWnd(k);
        if (!kw) continue;
        if ((flags & CWP_SKIPINVISIBLE) && !(kw->style & WS_VISIBLE)) continue;
        if ((flags & CWP_SKIPDISABLED) && (kw->style & WS_DISABLED)) continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (kw->exStyle & WS_EX_TRANSPARENT)) continue;
        int x = clientPoint.x - kw->rect.left, y = clientPoint.y - kw->rect.top;
        if (x < 0 || y < 0 || x >= kw->rect.right - kw->rect.left || y >= kw->rect.bottom - kw->rect.top) continue;
        if (kw->region && !kw->regionQ.contains(QPoint(x, y))) continue;
        return k;
    }
    return parent;
}

// ---- SetWindowPos -----------------------------------------------------------------------------------------

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return FALSE;
    auto& st = WinState();
    bool visible = (w->style & WS_VISIBLE) != 0;
    if ((flags & SWP_SHOWWINDOW) && visible) flags &= ~SWP_SHOWWINDOW;
    if ((flags & SWP_HIDEWINDOW) && !visible) flags &= ~SWP_HIDEWINDOW;
    WINDOWPOS pos;
    pos.hwnd = hwnd;
    pos.hwndInsertAfter = insertAfter;
    pos.x = (flags & SWP_NOMOVE) ? w->rect.left : x;
    pos.y = (flags & SWP_NOMOVE) ? w->rect.top : y;
    pos.cx = (flags & SWP_NOSIZE) ? w->rect.right - w->rect.left : std::max(0, cx);
    pos.cy = (flags & SWP_NOSIZE) ? w->rect.bottom - w->rect.top : std::max(0, cy);
    pos.flags = flags;
    if (!(flags & SWP_NOSENDCHANGING)) {
        SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        if (!(w = FindWnd(hwnd))) return FALSE;
        flags = pos.flags;
    }
    RECT oldRect = w->rect, oldClient = w->client;
    RECT newRect{pos.x, pos.y, SpanEnd(pos.x, std::max(0, pos.cx)), SpanEnd(pos.y, std::max(0, pos.cy))};
    bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
    bool sized = newRect.Width() != oldRect.Width() || newRect.Height() != oldRect.Height();
    if (flags & SWP_NOMOVE) moved = false;
    if (flags & SWP_NOSIZE) sized = false;
    if (moved || sized)
        w->rect = RECT{moved ? newRect.left : oldRect.left, moved ? newRect.top : oldRect.top,
                       SpanEnd(moved ? newRect.left : oldRect.left, sized ? newRect.Width() : oldRect.Width()),
                       SpanEnd(moved ? newRect.top : oldRect.top, sized ? newRect.Height() : oldRect.Height())};
    if (sized || (flags & SWP_FRAMECHANGED)) {
        RecalcClient(w);
        if (!(w = FindWnd(hwnd))) return FALSE;
    }
    if (!(flags & SWP_NOZORDER) && !w->messageOnly) ApplyZOrder(w, pos.hwndInsertAfter);
    bool hidingActive = false;
    if (flags & SWP_SHOWWINDOW) {
        w->style |= WS_VISIBLE;
        w->shownNoActivate = (flags & SWP_NOACTIVATE) != 0;
    }
    if (flags & SWP_HIDEWINDOW) {
        w->style &= ~WS_VISIBLE;
        hidingActive = st.active == hwnd;
    }
    bool clientSized = (w->client.right - w->client.left) != (oldClient.right - oldClient.left) ||
                       (w->client.bottom - w->client.top) != (oldClient.bottom - oldClient.top);
    bool clientMoved = w->rect.left + w->client.left != oldRect.left + oldClient.left ||
                       w->rect.top + w->client.top != oldRect.top + oldClient.top;
    if (!(flags & SWP_NOREDRAW)) {
        UINT cstyle = w->cls->wc.style;
        if ((flags & SWP_SHOWWINDOW) || (flags & SWP_FRAMECHANGED) ||
            (clientSized && (cstyle & (CS_HREDRAW | CS_VREDRAW)))) {
            w->ncDirty = true;
            InvalidateRect(hwnd, nullptr, TRUE);
        } else if (clientSized) {
            // Only the part that appeared needs painting.
            QRegion fresh = QRegion(0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top) -
                            QRegion(0, 0, oldClient.right - oldClient.left, oldClient.bottom - oldClient.top);
            w->ncDirty = true;
            if (!fresh.isEmpty()) {
                w->update += fresh;
                w->updateErase = true;
                WakeEventLoop();
            }
        }
        if (sized) w->ncDirty = true;
    }
    if ((flags & SWP_SHOWWINDOW) && IsVisibleTree(w)) SizeImagesOnView(w);
    else if (sized && IsVisibleTree(w) && w->image) EnsureImage(w);
    NotePlacingChanged();
    if (clientSized || clientMoved) RetargetWindowDCs(w);
    // The widget follows (a top-level window), or the top-level window repaints its composition.
    SyncWidget(w);
    if (!(flags & SWP_NOZORDER) && !w->parent && !w->messageOnly) RestackWidgets(w);
    if (TWnd* top = TopOf(w)) ScheduleWidgetUpdate(top);
    if (!(flags & SWP_NOACTIVATE) && !w->parent && !w->messageOnly && (w->style & WS_VISIBLE) &&
        !(w->style & WS_CHILD) && !(w->exStyle & WS_EX_NOACTIVATE) &&
        ((flags & SWP_SHOWWINDOW) || !(flags & SWP_NOZORDER)))
        ActivateWindow(hwnd, false);
    if (hidingActive) {
        // The next visible top-level window (its owner first) becomes active.
        HWND next = w->owner && IsWindowVisible(w->owner) ? w->owner : nullptr;
        for (HWND t : st.topLevels) {
            if (next) break;
            TWnd* tw = FindWnd(t);
            if (t != hwnd && tw && (tw->style & WS_VISIBLE) && !(tw->style & WS_CHILD) &&
                !(tw->exStyle & WS_EX_NOACTIVATE) && !(tw->style & WS_DISABLED))
                next = t;
        }
        ActivateWindow(next, false);
    }
    if (!(w = FindWnd(hwnd))) return TRUE;
    if ((w->exStyle & WS_EX_MDICHILD) && w->parent && (moved || sized || (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))))
        PostMessage(w->parent, WM_MDICALCCHILDSCROLL, 0, 0);
    WINDOWPOS done = pos;
    done.x = w->rect.left;
    done.y = w->rect.top;
    done.cx = w->rect.right - w->rect.left;
    done.cy = w->rect.bottom - w->rect.top;
    done.flags = flags | (clientSized ? 0 : SWP_NOCLIENTSIZE) | (clientMoved ? 0 : SWP_NOCLIENTMOVE);
    if (!moved) done.flags |= SWP_NOMOVE;
    if (!sized) done.flags |= SWP_NOSIZE;
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
    // A multiple-document child that moved or changed its size hears it as it hears its activation.
    if ((w = FindWnd(hwnd)) != nullptr && (w->exStyle & WS_EX_MDICHILD) && w->parent && (moved || sized) &&
        (w->style & WS_VISIBLE))
        SendMessage(hwnd, WM_CHILDACTIVATE, 0, 0);
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) { return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL ShowWindow(HWND hwnd, int cmdShow) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return FALSE;
    bool was = (w->style & WS_VISIBLE) != 0;
    UINT keep = SWP_NOMOVE | SWP_NOSIZE;
    switch (cmdShow) {
        case SW_HIDE:
            if (!was) return FALSE;
            SendMessage(hwnd, WM_SHOWWINDOW, FALSE, 0);
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | keep | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        case SW_SHOWNA:
        case SW_SHOWNOACTIVATE:
            if (!was) SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
            if (!FindWnd(hwnd)) return was;
            SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0,
                         SWP_SHOWWINDOW | keep | SWP_NOACTIVATE | (w->parent ? SWP_NOZORDER : 0));
            break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE: {
            const bool already = w->minimized;
            if (!already) {
                // The normal place is kept for the restore; a maximised window already keeps it.
                if (!w->maximized) w->restoreRect = w->rect;
                w->restoreMaximized = w->maximized;
            }
            w->minimized = true;
            w->maximized = false;
            if (!was) SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
            if (!(w = FindWnd(hwnd))) return was;
            if (w->parent != nullptr) {
                // A child becomes a caption bar in the first free place of its parent's bottom rows, behind
                // its siblings.
                const POINT at = already ? POINT{w->rect.left, w->rect.top} : FreeIconPlace(w->parent, hwnd);
                SetWindowPos(hwnd, HWND_BOTTOM, at.x, at.y, GetSystemMetrics(SM_CXMINIMIZED),
                             GetSystemMetrics(SM_CYMINIMIZED), SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_FRAMECHANGED);
                if (already) SendMessage(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
            } else {
                SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | keep | SWP_NOZORDER | SWP_NOACTIVATE);
                SendMessage(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
            }
            break;
        }
        case SW_MAXIMIZE: {
            if (!w->maximized && !w->minimized) w->restoreRect = w->rect;
            const bool fromIcon = w->minimized;
            w->maximized = true;
            w->minimized = false;
            if (!was) SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
            if (!(w = FindWnd(hwnd))) return was;
            RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
            if (w->parent) GetClientRect(w->parent, &area);
            else SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
            if (w->parent && (w->exStyle & WS_EX_MDICHILD)) {
                // A maximised multiple-document child shows its client area only: its frame and caption lie
                // outside its parent's client area.
                const RECT inset = NonClientInsets(w);
                area = RECT{area.left - inset.left, area.top - inset.top, area.right + inset.right,
                            area.bottom + inset.bottom};
            }
            SetWindowPos(hwnd, HWND_TOP, area.left, area.top, area.Width(), area.Height(),
                         SWP_SHOWWINDOW | (fromIcon ? SWP_FRAMECHANGED : 0));
            break;
        }
        default: {
            const bool restoring = cmdShow == SW_RESTORE || cmdShow == SW_SHOWNORMAL;
            const bool fromIcon = restoring && w->minimized;
            // Restored from its icon, a window minimised while maximised is maximised again.
            if (fromIcon && w->restoreMaximized) {
                w->restoreMaximized = false;
                ShowWindow(hwnd, SW_MAXIMIZE);
                return was ? TRUE : FALSE;
            }
            const bool unmaximize = restoring && w->maximized && !w->minimized;
            if (restoring) {
                if (w->minimized) w->minimized = false;
                else w->maximized = false;
            }
            if (!was) SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
            if (!(w = FindWnd(hwnd))) return was;
            const bool toNormalPlace = unmaximize || (fromIcon && w->parent != nullptr);
            if (toNormalPlace && w->restoreRect.right > w->restoreRect.left) {
                RECT r = w->restoreRect;
                SetWindowPos(hwnd, HWND_TOP, r.left, r.top, r.Width(), r.Height(),
                             SWP_SHOWWINDOW | (fromIcon ? SWP_FRAMECHANGED : 0));
            } else {
                SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | keep | (fromIcon ? SWP_FRAMECHANGED : 0));
            }
            break;
        }
    }
    return was ? TRUE : FALSE;
}

// ---- Regions and layered windows --------------------------------------------------------------------------

int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return 0;
    if (w->region && w->region != rgn) DeleteObject(w->region);
    w->region = rgn;
    w->regionQ = RegionOf(rgn);
    NotePlacingChanged();
    SyncWidget(w);
    if (redraw) {
        w->ncDirty = true;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    if (TWnd* top = TopOf(w)) ScheduleWidgetUpdate(top);
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN rgn) {
    TWnd* w = FindWnd(hwnd);
    if (!w || !w->region || !rgn) return 0;
    return CombineRgn(rgn, w->region, nullptr, RGN_COPY);
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
    TWnd* w = FindWnd(hwnd);
    if (!w || !(w->exStyle & WS_EX_LAYERED)) return FALSE;
    w->colorKey = key;
    w->layeredFlags = flags;
    w->alpha = (flags & LWA_ALPHA) ? alpha : 255;
    SyncWidget(w);
    return TRUE;
}

BOOL UpdateLayeredWindow(HWND hwnd, HDC, const POINT* pptDst, const SIZE* psize, HDC hdcSrc, const POINT* pptSrc,
                         COLORREF, const BLENDFUNCTION* pblend, DWORD dwFlags) {
    TWnd* w = FindWnd(hwnd);
    if (!w || !(w->exStyle & WS_EX_LAYERED) || w->parent) return FALSE;
    const QImage* source = hdcSrc != nullptr ? DCImage(hdcSrc) : nullptr;
    const int cx = psize != nullptr ? psize->cx : w->rect.right - w->rect.left;
    const int cy = psize != nullptr ? psize->cy : w->rect.bottom - w->rect.top;
    if (source == nullptr || cx <= 0 || cy <= 0) return FALSE;
    const POINT from = pptSrc != nullptr ? *pptSrc : POINT{0, 0};
    if (from.x < 0 || from.y < 0 || from.x + cx > source->width() || from.y + cy > source->height()) return FALSE;
    const POINT at = pptDst != nullptr ? *pptDst : POINT{w->rect.left, w->rect.top};
    if (at.x != w->rect.left || at.y != w->rect.top || cx != w->rect.right - w->rect.left ||
        cy != w->rect.bottom - w->rect.top)
        SetWindowPos(hwnd, nullptr, at.x, at.y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    EnsureImage(w);
    QImage picture = source->copy(from.x, from.y, cx, cy).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const BYTE constant = pblend != nullptr ? pblend->SourceConstantAlpha : 255;
    if ((dwFlags & ULW_OPAQUE) != 0 || (dwFlags & ULW_ALPHA) == 0) {
        // No per-pixel blending: the pixels are shown whole.
        for (int y = 0; y < picture.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x) row[x] |= 0xFF000000u;
        }
    }
    if (constant != 255) {
        QImage scaled(picture.size(), QImage::Format_ARGB32_Premultiplied);
        scaled.fill(Qt::transparent);
        QPainter p(&scaled);
        p.setOpacity(constant / 255.0);
        p.drawImage(0, 0, picture);
        p.end();
        picture = scaled;
    }
    *w->image = picture;
    w->alpha = 255;
    // The picture stands for the window's painting.
    w->update = QRegion();
    w->ncDirty = false;
    SyncWidget(w);
    if (TWnd* top = TopOf(w)) ScheduleWidgetUpdate(top);
    return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags) {
    TWnd* w = FindWnd(hwnd);
    if (!w || !(w->exStyle & WS_EX_LAYERED)) return FALSE;
    if (key) *key = w->colorKey;
    if (alpha) *alpha = w->alpha;
    if (flags) *flags = w->layeredFlags;
    return TRUE;
}

// ---- Move and size loops ----------------------------------------------------------------------------------

void RunMoveSizeLoop(TWnd* w, WPARAM cmd, POINT start) {
    HWND hwnd = w->handle;
    const bool sizing = (cmd & 0xFFF0) == SC_SIZE;
    const WPARAM edge = cmd & 0x000F;
    auto& st = WinState();
    HWND savedLoop = st.moveSizeWnd;
    st.moveSizeWnd = hwnd;
    TScopeExit restoreLoop([&] { WinState().moveSizeWnd = FindWnd(savedLoop) ? savedLoop : nullptr; });
    SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    if (!(w = FindWnd(hwnd))) return;
    RECT orig;
    GetWindowRect(hwnd, &orig);
    POINT parentOrigin{0, 0};
    if (w->parent) {
        ClientToScreen(w->parent, &parentOrigin);
    }
    SetCapture(hwnd);
    MSG m;
    for (;;) {
        if (GetCapture() != hwnd) break;
        if (!GetMessage(&m, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (!FindWnd(hwnd)) return;
        if ((m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) && m.wParam == VK_ESCAPE) {
            SetWindowPos(hwnd, nullptr, orig.left - parentOrigin.x, orig.top - parentOrigin.y, orig.Width(),
                         orig.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        if (m.message == WM_LBUTTONUP) break;
        if (m.message != WM_MOUSEMOVE) {
            TranslateMessage(&m);
            DispatchMessage(&m);
            continue;
        }
        int dx = m.pt.x - start.x, dy = m.pt.y - start.y;
        RECT r = orig;
        if (!sizing) {
            r = RECT{orig.left + dx, orig.top + dy, orig.right + dx, orig.bottom + dy};
            SendMessage(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
        } else {
            if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT) r.left += dx;
            if (edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT) r.right += dx;
            if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT) r.top += dy;
            if (edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT) r.bottom += dy;
            MINMAXINFO mmi;
            mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
            mmi.ptMaxTrackSize = POINT{0x7FFF, 0x7FFF};
            SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
            auto clampW = [&](LONG& moving, LONG fixed, bool movingIsLow) {
                LONG wdt = movingIsLow ? fixed - moving : moving - fixed;
                LONG c = std::clamp(wdt, mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
                moving = movingIsLow ? fixed - c : fixed + c;
            };
            auto clampH = [&](LONG& moving, LONG fixed, bool movingIsLow) {
                LONG h = movingIsLow ? fixed - moving : moving - fixed;
                LONG c = std::clamp(h, mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
                moving = movingIsLow ? fixed - c : fixed + c;
            };
            if (r.left != orig.left) clampW(r.left, r.right, true);
            else clampW(r.right, r.left, false);
            if (r.top != orig.top) clampH(r.top, r.bottom, true);
            else clampH(r.bottom, r.top, false);
            SendMessage(hwnd, WM_SIZING, edge, reinterpret_cast<LPARAM>(&r));
        }
        if (!FindWnd(hwnd)) return;
        SetWindowPos(hwnd, nullptr, r.left - parentOrigin.x, r.top - parentOrigin.y, r.Width(), r.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (GetCapture() == hwnd) ReleaseCapture();
    if (FindWnd(hwnd)) SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace zel
