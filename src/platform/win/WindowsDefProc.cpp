// The default window procedure and the emulated non-client area.
#include <QPainter>

#include <algorithm>
#include <cstring>

#include "platform/rtl/Charset.h"
#include "platform/win/FrameScrollBar.h"
#include "platform/win/Gdi.h"
#include "platform/win/GdiQt.h"
#include "platform/win/SysInfo.h"
#include "platform/win/SystemMenu.h"
#include "platform/win/WindowsQt.h"

namespace zel {

namespace {

// Every frame and caption is the layer's own, top-level windows included: the desktop draws none.
int FrameWidth(const TWnd* w) {
    if (w->style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
    if ((w->style & WS_DLGFRAME) || (w->exStyle & WS_EX_DLGMODALFRAME)) return GetSystemMetrics(SM_CXDLGFRAME);
    if (w->style & WS_BORDER) return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

int EdgeWidth(const TWnd* w) {
    int e = 0;
    if (w->exStyle & WS_EX_CLIENTEDGE) e += GetSystemMetrics(SM_CXEDGE);
    if (w->exStyle & WS_EX_STATICEDGE) e += GetSystemMetrics(SM_CXBORDER);
    return e;
}

// A minimised child is its caption alone, inside its frame.
bool IconicChild(const TWnd* w) { return w->minimized && w->parent != nullptr; }

int CaptionHeight(const TWnd* w) {
    if ((w->style & WS_CAPTION) != WS_CAPTION) return 0;
    if (IconicChild(w)) return std::max(0, static_cast<int>(w->rect.bottom - w->rect.top) - 2 * FrameWidth(w));
    return GetSystemMetrics((w->exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

QColor SysColor(int index) {
    DWORD c = GetSysColor(index);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

LRESULT ParentFirst(TWnd* w, UINT msg, WPARAM wp, LPARAM lp) {
    if ((w->style & WS_CHILD) && w->parent) return SendMessage(w->parent, msg, wp, lp);
    return 0;
}

HCURSOR SizeCursor(LRESULT hit) {
    switch (hit) {
        case HTLEFT:
        case HTRIGHT: return LoadCursor(nullptr, IDC_SIZEWE);
        case HTTOP:
        case HTBOTTOM: return LoadCursor(nullptr, IDC_SIZENS);
        case HTTOPLEFT:
        case HTBOTTOMRIGHT: return LoadCursor(nullptr, IDC_SIZENWSE);
        case HTTOPRIGHT:
        case HTBOTTOMLEFT: return LoadCursor(nullptr, IDC_SIZENESW);
        default: return nullptr;
    }
}

// The caption buttons from the right: close (WS_SYSMENU), then maximise and minimise (with their boxes). A
// minimised child always has the button that restores it in the minimise button's place.
struct TCaptionButton {
    LRESULT hit;
    QRect rect;  // window coordinates
};
std::vector<TCaptionButton> CaptionButtons(const TWnd* w) {
    std::vector<TCaptionButton> r;
    int cap = CaptionHeight(w);
    if (cap <= 0 || !(w->style & WS_SYSMENU)) return r;
    int f = FrameWidth(w), W = w->rect.right - w->rect.left;
    bool small = (w->exStyle & WS_EX_TOOLWINDOW) != 0;
    int bw = GetSystemMetrics(small ? SM_CXSMSIZE : SM_CXSIZE), bh = std::max(1, cap - 4);
    int right = W - f - 2;
    auto add = [&](LRESULT hit) {
        r.push_back(TCaptionButton{hit, QRect(right - bw, f + 2, bw, bh)});
        right -= bw;
    };
    add(HTCLOSE);
    const bool iconic = IconicChild(w);
    if (iconic || (!small && (w->style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)))) {
        right -= 2;
        if (w->style & WS_MAXIMIZEBOX) add(HTMAXBUTTON);
        if (iconic || (w->style & WS_MINIMIZEBOX)) add(HTMINBUTTON);
    }
    return r;
}

}  // namespace

RECT NonClientInsets(const TWnd* w) {
    const int side = FrameWidth(w) + EdgeWidth(w);
    return RECT{side, side + CaptionHeight(w), side, side};
}

LRESULT DefaultHitTest(TWnd* w, POINT screen) {
    POINT o = WindowScreenOrigin(w);
    int x = screen.x - o.x, y = screen.y - o.y;
    int W = w->rect.right - w->rect.left, H = w->rect.bottom - w->rect.top;
    if (x < 0 || y < 0 || x >= W || y >= H) return HTNOWHERE;
    if (w->region && !w->regionQ.contains(QPoint(x, y))) return HTNOWHERE;
    if (x >= w->client.left && x < w->client.right && y >= w->client.top && y < w->client.bottom) return HTCLIENT;
    if (IconicChild(w)) {
        // No sizing: the frame takes the mouse as the caption does.
        for (const TCaptionButton& b : CaptionButtons(w))
            if (b.rect.contains(x, y)) return b.hit;
        return HTCAPTION;
    }
    int f = FrameWidth(w);
    if (f > 0 && (x < f || y < f || x >= W - f || y >= H - f)) {
        if (!(w->style & WS_THICKFRAME)) return HTBORDER;
        int corner = GetSystemMetrics(SM_CYCAPTION) + f;
        bool left = x < corner, right = x >= W - corner, top = y < corner, bottom = y >= H - corner;
        if (y < f) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (y >= H - f) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (x < f) return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
        return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
    }
    int cap = CaptionHeight(w);
    if (cap > 0 && y >= f && y < f + cap) {
        for (const TCaptionButton& b : CaptionButtons(w))
            if (b.rect.contains(x, y)) return b.hit;
        return HTCAPTION;
    }
    int e = EdgeWidth(w);
    int inL = f + e, inR = W - f - e, inT = f + cap + e, inB = H - f - e;
    bool vs = (w->style & WS_VSCROLL) && x >= w->client.right && x < inR && y >= w->client.top;
    bool hs = (w->style & WS_HSCROLL) && y >= w->client.bottom && y < inB && x >= w->client.left;
    if (vs && hs) return (w->style & WS_THICKFRAME) ? HTBOTTOMRIGHT : HTNOWHERE;
    if (vs && y < w->client.bottom) return HTVSCROLL;
    if (hs && x < w->client.right) return HTHSCROLL;
    if (vs || hs) return HTNOWHERE;
    (void)inL;
    (void)inT;
    return HTBORDER;
}

// Draws the frame, caption, client edge and scroll-bar areas of the window with a painter whose origin is the
// window's top-left corner, W × H being the window's size.
static void PaintNonClient(TWnd* w, QPainter& p, int W, int H) {
    int f = FrameWidth(w);
    QRect r(0, 0, W, H);
    if (f == 1) {
        p.setPen(SysColor(COLOR_WINDOWFRAME));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    } else if (f > 1) {
        // A raised frame in the button face colour.
        p.fillRect(QRect(0, 0, W, f), SysColor(COLOR_BTNFACE));
        p.fillRect(QRect(0, H - f, W, f), SysColor(COLOR_BTNFACE));
        p.fillRect(QRect(0, 0, f, H), SysColor(COLOR_BTNFACE));
        p.fillRect(QRect(W - f, 0, f, H), SysColor(COLOR_BTNFACE));
        p.setPen(SysColor(COLOR_3DLIGHT));
        p.drawLine(0, 0, W - 2, 0);
        p.drawLine(0, 0, 0, H - 2);
        p.setPen(SysColor(COLOR_3DDKSHADOW));
        p.drawLine(0, H - 1, W - 1, H - 1);
        p.drawLine(W - 1, 0, W - 1, H - 1);
        p.setPen(SysColor(COLOR_BTNSHADOW));
        p.drawLine(1, H - 2, W - 2, H - 2);
        p.drawLine(W - 2, 1, W - 2, H - 2);
    }
    int cap = CaptionHeight(w);
    if (cap > 0) {
        const bool active = w->ncActive;
        QRect cr(f, f, W - 2 * f, cap - 1);
        p.fillRect(cr, SysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        p.setPen(SysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        const std::vector<TCaptionButton> buttons = CaptionButtons(w);
        // The text ends with an ellipsis where it would run under the buttons.
        QRect textRect = cr.adjusted(3, 0, -3, 0);
        if (!buttons.empty()) textRect.setRight(std::min(textRect.right(), buttons.back().rect.left() - 3));
        const QString caption =
            p.fontMetrics().elidedText(QString::fromStdString(w->text), Qt::ElideRight, std::max(0, textRect.width()));
        p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, caption);
        p.fillRect(QRect(f, f + cap - 1, W - 2 * f, 1), SysColor(COLOR_BTNFACE));
        for (const TCaptionButton& b : buttons) {
            QRect br = b.rect;
            p.fillRect(br, SysColor(COLOR_BTNFACE));
            p.setPen(SysColor(COLOR_BTNHIGHLIGHT));
            p.drawLine(br.topLeft(), br.topRight());
            p.drawLine(br.topLeft(), br.bottomLeft());
            p.setPen(SysColor(COLOR_BTNSHADOW));
            p.drawLine(br.bottomLeft(), br.bottomRight());
            p.drawLine(br.topRight(), br.bottomRight());
            p.setPen(SysColor(COLOR_BTNTEXT));
            QRect g = br.adjusted(br.width() / 4 + 1, br.height() / 4 + 1, -br.width() / 4 - 1, -br.height() / 4 - 1);
            if (b.hit == HTCLOSE) {
                p.drawLine(g.topLeft(), g.bottomRight());
                p.drawLine(g.bottomLeft(), g.topRight());
            } else if (b.hit == HTMAXBUTTON) {
                p.drawRect(g);
                p.drawLine(g.left(), g.top() + 1, g.right(), g.top() + 1);
            } else if (IconicChild(w)) {
                // Restore: a window behind a window.
                const int d = std::max(2, g.width() / 3);
                QRect back = g.adjusted(d, 0, 0, -d), front = g.adjusted(0, d, -d, 0);
                p.drawRect(back);
                p.fillRect(front, SysColor(COLOR_BTNFACE));
                p.drawRect(front);
                p.drawLine(front.left(), front.top() + 1, front.right(), front.top() + 1);
            } else {
                p.drawLine(g.left(), g.bottom(), g.right(), g.bottom());
            }
        }
    }
    int e = EdgeWidth(w);
    if (e >= 2) {
        // A sunken edge around the client area (and its scroll bars).
        QRect er(f, f + cap, W - 2 * f, H - 2 * f - cap);
        p.setPen(SysColor(COLOR_BTNSHADOW));
        p.drawLine(er.left(), er.top(), er.right(), er.top());
        p.drawLine(er.left(), er.top(), er.left(), er.bottom());
        p.setPen(SysColor(COLOR_BTNHIGHLIGHT));
        p.drawLine(er.left(), er.bottom(), er.right(), er.bottom());
        p.drawLine(er.right(), er.top(), er.right(), er.bottom());
        p.setPen(SysColor(COLOR_3DDKSHADOW));
        p.drawLine(er.left() + 1, er.top() + 1, er.right() - 1, er.top() + 1);
        p.drawLine(er.left() + 1, er.top() + 1, er.left() + 1, er.bottom() - 1);
        p.setPen(SysColor(COLOR_3DLIGHT));
        p.drawLine(er.left() + 1, er.bottom() - 1, er.right() - 1, er.bottom() - 1);
        p.drawLine(er.right() - 1, er.top() + 1, er.right() - 1, er.bottom() - 1);
    } else if (e == 1) {
        p.setPen(SysColor(COLOR_BTNSHADOW));
        p.drawRect(QRect(f, f + cap, W - 2 * f, H - 2 * f - cap).adjusted(0, 0, -1, -1));
    }
    // Scroll bar areas: the layer draws only their background; the controls draw their own bars.
    if (w->style & WS_VSCROLL)
        p.fillRect(
            QRect(w->client.right, w->client.top, GetSystemMetrics(SM_CXVSCROLL), w->client.bottom - w->client.top),
            SysColor(COLOR_SCROLLBAR));
    if (w->style & WS_HSCROLL)
        p.fillRect(
            QRect(w->client.left, w->client.bottom,
                  w->client.right - w->client.left + ((w->style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0),
                  GetSystemMetrics(SM_CYHSCROLL)),
            SysColor(COLOR_SCROLLBAR));
}

void DefaultNcPaint(TWnd* w) {
    EnsureImage(w);
    QImage* img = w->image.get();
    QPainter p(img);
    PaintNonClient(w, p, img->width(), img->height());
    p.end();
    PaintWindowBars(w->handle);
    ScheduleWidgetUpdate(w);
}

// WM_PRINT: the window drawn into the given DC, not onto the screen. With PRF_NONCLIENT the frame comes first
// and the client area is drawn at its place inside it.
static void PrintWindowInto(HWND hwnd, TWnd* w, HDC dc, LPARAM flags) {
    const bool nonClient = (flags & PRF_NONCLIENT) != 0;
    const POINT origin = GetDCDeviceOrigin(dc);
    if (nonClient && !w->messageOnly) {
        if (QImage* img = DCImage(dc)) {
            QPainter p(img);
            p.translate(origin.x, origin.y);
            PaintNonClient(w, p, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top);
        }
    }
    if ((flags & PRF_CLIENT) != 0) {
        if (nonClient) SetDCDeviceOrigin(dc, POINT{origin.x + w->client.left, origin.y + w->client.top});
        SendMessage(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
        if (nonClient) SetDCDeviceOrigin(dc, origin);
    }
}

namespace {

// The caption changed (its text, or active or not). A window out of view draws it when it shows, and one that
// has not painted since it showed with its first paint: its frame is drawn then in any case, and it makes no
// image before (a library window deactivated as the next one opens over it may never be seen).
void RepaintCaption(TWnd* w) {
    if (IsVisibleTree(w) && w->image) {
        DefaultNcPaint(w);
        return;
    }
    w->ncDirty = true;
    if (IsVisibleTree(w)) WakeEventLoop();
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    TWnd* w = FindWnd(hwnd);
    if (!w) return 0;
    switch (msg) {
        case WM_NCCREATE: {
            auto* cs = reinterpret_cast<CREATESTRUCT*>(lp);
            if (cs && cs->lpszName) w->text = cs->lpszName;
            return TRUE;
        }
        case WM_NCCALCSIZE: {
            auto* r = reinterpret_cast<RECT*>(lp);
            if (!r) return 0;
            if (IconicChild(w)) {
                // No client area: the window is its frame and caption.
                const int f = FrameWidth(w);
                r->left += f;
                r->right = r->left;
                r->top += f;
                r->bottom = r->top;
                return 0;
            }
            int f = FrameWidth(w), e = EdgeWidth(w), cap = CaptionHeight(w);
            r->left += f + e;
            r->right -= f + e;
            r->top += f + cap + e;
            r->bottom -= f + e;
            if (w->style & WS_VSCROLL) r->right -= GetSystemMetrics(SM_CXVSCROLL);
            if (w->style & WS_HSCROLL) r->bottom -= GetSystemMetrics(SM_CYHSCROLL);
            if (r->right < r->left) r->right = r->left;
            if (r->bottom < r->top) r->bottom = r->top;
            return 0;
        }
        case WM_NCHITTEST: return DefaultHitTest(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        case WM_SETICON: {
            HICON& slot = wp == ICON_BIG ? w->bigIcon : w->smallIcon;
            HICON old = slot;
            slot = reinterpret_cast<HICON>(lp);
            return reinterpret_cast<LRESULT>(old);
        }
        case WM_GETICON: {
            if (wp == ICON_BIG) return reinterpret_cast<LRESULT>(w->bigIcon);
            if (wp == ICON_SMALL) return reinterpret_cast<LRESULT>(w->smallIcon);
            // ICON_SMALL2: the small icon, else the big one, else the class's.
            HICON icon = w->smallIcon != nullptr ? w->smallIcon : w->bigIcon;
            if (icon == nullptr && w->cls) icon = w->cls->wc.hIcon;
            return reinterpret_cast<LRESULT>(icon);
        }
        case WM_NCPAINT:
            if (!w->messageOnly) DefaultNcPaint(w);
            return 0;
        case WM_NCACTIVATE:
            w->ncActive = wp != FALSE;
            if (!w->messageOnly && CaptionHeight(w) > 0) RepaintCaption(w);
            return TRUE;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: {
            HBRUSH br = w->cls->wc.hbrBackground;
            if (!br) return 0;
            auto index = reinterpret_cast<std::uintptr_t>(br);
            if (index <= COLOR_COUNT) br = GetSysColorBrush(static_cast<int>(index) - 1);  // a colour index + 1
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(reinterpret_cast<HDC>(wp), &rc, br);
            return 1;
        }
        case WM_SETTEXT:
            w->text = lp ? reinterpret_cast<const char*>(lp) : "";
            if (CaptionHeight(w) > 0) RepaintCaption(w);
            SyncWidget(w);
            return TRUE;
        case WM_GETTEXT: {
            auto* buf = reinterpret_cast<char*>(lp);
            if (!buf || wp == 0) return 0;
            std::size_t n = std::min<std::size_t>(w->text.size(), wp - 1);
            std::memcpy(buf, w->text.data(), n);
            buf[n] = 0;
            return static_cast<LRESULT>(n);
        }
        case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
        case WM_CLOSE: DestroyWindow(hwnd); return 0;
        case WM_WINDOWPOSCHANGED: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
            if (!pos) return 0;
            if (!(pos->flags & SWP_NOCLIENTSIZE))
                SendMessage(hwnd, WM_SIZE,
                            w->minimized   ? SIZE_MINIMIZED
                            : w->maximized ? SIZE_MAXIMIZED
                                           : SIZE_RESTORED,
                            MAKELPARAM(static_cast<WORD>(w->client.right - w->client.left),
                                       static_cast<WORD>(w->client.bottom - w->client.top)));
            if ((w = FindWnd(hwnd)) && !(pos->flags & SWP_NOCLIENTMOVE))
                SendMessage(hwnd, WM_MOVE, 0,
                            MAKELPARAM(static_cast<WORD>(w->rect.left + w->client.left),
                                       static_cast<WORD>(w->rect.top + w->client.top)));
            return 0;
        }
        case WM_MOUSEACTIVATE: {
            LRESULT r = ParentFirst(w, msg, wp, lp);
            return r ? r : MA_ACTIVATE;
        }
        case WM_SETCURSOR: {
            if (ParentFirst(w, msg, wp, lp)) return TRUE;
            LRESULT hit = static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lp)));
            if (hit == HTCLIENT) {
                HCURSOR c = w->cls->wc.hCursor;
                if (c) {
                    SetCursor(c);
                    return TRUE;
                }
                return FALSE;
            }
            if (HCURSOR c = (w->style & WS_THICKFRAME) ? SizeCursor(hit) : nullptr) {
                SetCursor(c);
                return TRUE;
            }
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
            return FALSE;
        }
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE && !w->minimized) {
                // The focus stays where it is when it is already inside the window.
                HWND f = GetFocus();
                if (!f || (f != hwnd && !IsChild(hwnd, f))) SetFocus(hwnd);
            }
            return 0;
        case WM_CANCELMODE:
            if (GetCapture() == hwnd) ReleaseCapture();
            return 0;
        case WM_MOUSEWHEEL:
        case WM_CONTEXTMENU: return ParentFirst(w, msg, wp, lp);
        case WM_NCLBUTTONDOWN: {
            POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            if (wp == HTCAPTION) SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lp);
            else if (wp >= static_cast<WPARAM>(HTLEFT) && wp <= static_cast<WPARAM>(HTBOTTOMRIGHT) &&
                     (w->style & WS_THICKFRAME))
                SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE | (wp - HTLEFT + WMSZ_LEFT), lp);
            else if (wp == static_cast<WPARAM>(HTVSCROLL) || wp == static_cast<WPARAM>(HTHSCROLL))
                TrackWindowBar(hwnd, wp == static_cast<WPARAM>(HTVSCROLL) ? SB_VERT : SB_HORZ, pt);
            return 0;
        }
        case WM_NCLBUTTONUP:
            if (wp == static_cast<WPARAM>(HTCLOSE)) SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lp);
            else if (wp == static_cast<WPARAM>(HTMAXBUTTON))
                SendMessage(hwnd, WM_SYSCOMMAND, w->maximized ? SC_RESTORE : SC_MAXIMIZE, lp);
            else if (wp == static_cast<WPARAM>(HTMINBUTTON))
                SendMessage(hwnd, WM_SYSCOMMAND, IconicChild(w) ? SC_RESTORE : SC_MINIMIZE, lp);
            return 0;
        case WM_NCLBUTTONDBLCLK:
            if (wp == static_cast<WPARAM>(HTCAPTION) && IconicChild(w))
                SendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, lp);
            else if (wp == static_cast<WPARAM>(HTCAPTION) && (w->style & WS_MAXIMIZEBOX))
                SendMessage(hwnd, WM_SYSCOMMAND, w->maximized ? SC_RESTORE : SC_MAXIMIZE, lp);
            return 0;
        case WM_SYSCOMMAND:
            switch (wp & 0xFFF0) {
                case SC_CLOSE: SendMessage(hwnd, WM_CLOSE, 0, 0); return 0;
                case SC_MOVE:
                case SC_SIZE: RunMoveSizeLoop(w, wp, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return 0;
                case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
                case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return 0;
                case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
                default: return 0;
            }
        case WM_IME_CHAR: {
            // A character the input method gave reaches the window as a typed one, when Windows-1252 holds it.
            unsigned char ansi = 0;
            const auto c = static_cast<char32_t>(wp);
            if (c < 0x80) ansi = static_cast<unsigned char>(c);
            else if (!UnicodeToAnsiChar(c, ansi)) return 0;
            SendMessage(hwnd, WM_CHAR, ansi, lp);
            return 0;
        }
        case WM_KEYDOWN:
            if (wp == VK_F1 && GetKeyState(VK_CONTROL) >= 0) {
                HELPINFO info;
                info.iContextType = HELPINFO_WINDOW;
                info.iCtrlId = static_cast<int>(w->id);
                info.hItemHandle = hwnd;
                info.dwContextId = w->contextHelpId;
                GetCursorPos(&info.MousePos);
                SendMessage(hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
            }
            return 0;
        case WM_HELP:
            // Up the tree until a window answers: the parent of a child, the owner of a top-level window.
            if ((w->style & WS_CHILD) && w->parent) return SendMessage(w->parent, msg, wp, lp);
            if (!(w->style & WS_CHILD) && w->owner) return SendMessage(w->owner, msg, wp, lp);
            return 0;
        case WM_SYSKEYDOWN:
            if (wp == VK_F4 && (HIWORD(static_cast<std::uintptr_t>(lp)) & KF_ALTDOWN)) {
                HWND top = GetAncestor(hwnd, GA_ROOT);
                SendFromDesktop(top, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            // Shift+F10 asks for the context menu from the keyboard.
            if (wp == VK_F10 && GetKeyState(VK_SHIFT) < 0)
                SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(0xFFFF, 0xFFFF));
            return 0;
        case WM_KEYUP:
            // So does the menu key, once released.
            if (wp == VK_APPS)
                SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(0xFFFF, 0xFFFF));
            return 0;
        case WM_RBUTTONUP: {
            // A right click asks for the context menu at its screen point.
            POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            ClientToScreen(hwnd, &p);
            SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd),
                        MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
            return 0;
        }
        case WM_SHOWWINDOW:
        case WM_CHILDACTIVATE:
        case WM_GETDLGCODE:
        case WM_CREATE: return 0;
        case WM_QUERYENDSESSION:
        case WM_QUERYOPEN: return TRUE;
        case WM_GETMINMAXINFO: return 0;
        case WM_SETREDRAW:
            // Off: nothing of the window paints, and its widget is not refreshed; on: painting resumes with what
            // was invalidated meanwhile (the caller usually invalidates the window as well).
            w->redrawOff = wp == 0;
            if (!w->redrawOff) {
                if (!w->update.isEmpty() || w->ncDirty) WakeEventLoop();
                ScheduleWidgetUpdate(w);
            }
            return 0;
        case WM_PRINT: PrintWindowInto(hwnd, w, reinterpret_cast<HDC>(wp), lp); return 0;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wp);
            bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE));
        }
        default: return 0;
    }
}

}  // namespace zel
