// The Qt side of a top-level window: a widget that shows the window's image with its children's images on top,
// turns Qt input into hardware input for the queue, and follows moves, activation and closing by the desktop.
// System changes that Qt reports become broadcast messages.
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

#include "platform/win/SysInfo.h"
#include "platform/win/WindowsQt.h"

namespace zel {

namespace {

bool g_syncing = false;  // the layer itself moves or activates the widget: do not echo it back

BYTE QtKeyToVk(int key, Qt::KeyboardModifiers mods) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<BYTE>('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<BYTE>((mods & Qt::KeypadModifier) ? VK_NUMPAD0 + (key - Qt::Key_0) : '0' + (key - Qt::Key_0));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<BYTE>(VK_F1 + (key - Qt::Key_F1));
    switch (key) {
        case Qt::Key_Backspace: return VK_BACK;
        case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
        case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
        case Qt::Key_Shift: return VK_SHIFT;
        case Qt::Key_Control: return VK_CONTROL;
        case Qt::Key_Alt: case Qt::Key_AltGr: return VK_MENU;
        case Qt::Key_Pause: return VK_PAUSE;
        case Qt::Key_CapsLock: return VK_CAPITAL;
        case Qt::Key_Escape: return VK_ESCAPE;
        case Qt::Key_Space: return VK_SPACE;
        case Qt::Key_PageUp: return VK_PRIOR;
        case Qt::Key_PageDown: return VK_NEXT;
        case Qt::Key_End: return VK_END;
        case Qt::Key_Home: return VK_HOME;
        case Qt::Key_Left: return VK_LEFT;
        case Qt::Key_Up: return VK_UP;
        case Qt::Key_Right: return VK_RIGHT;
        case Qt::Key_Down: return VK_DOWN;
        case Qt::Key_Print: return VK_SNAPSHOT;
        case Qt::Key_Insert: return VK_INSERT;
        case Qt::Key_Delete: return VK_DELETE;
        case Qt::Key_Help: return VK_HELP;
        case Qt::Key_Meta: case Qt::Key_Super_L: return VK_LWIN;
        case Qt::Key_Super_R: return VK_RWIN;
        case Qt::Key_Menu: return VK_APPS;
        case Qt::Key_Asterisk: return (mods & Qt::KeypadModifier) ? VK_MULTIPLY : '8';
        case Qt::Key_Plus: return (mods & Qt::KeypadModifier) ? VK_ADD : VK_OEM_PLUS;
        case Qt::Key_Minus: return (mods & Qt::KeypadModifier) ? VK_SUBTRACT : VK_OEM_MINUS;
        case Qt::Key_Period: return (mods & Qt::KeypadModifier) ? VK_DECIMAL : VK_OEM_PERIOD;
        case Qt::Key_Slash: return (mods & Qt::KeypadModifier) ? VK_DIVIDE : VK_OEM_2;
        case Qt::Key_NumLock: return VK_NUMLOCK;
        case Qt::Key_ScrollLock: return VK_SCROLL;
        case Qt::Key_Semicolon: case Qt::Key_Colon: return VK_OEM_1;
        case Qt::Key_Equal: return VK_OEM_PLUS;
        case Qt::Key_Comma: case Qt::Key_Less: return VK_OEM_COMMA;
        case Qt::Key_Underscore: return VK_OEM_MINUS;
        case Qt::Key_Greater: return VK_OEM_PERIOD;
        case Qt::Key_Question: return VK_OEM_2;
        case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return VK_OEM_3;
        case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return VK_OEM_4;
        case Qt::Key_Backslash: case Qt::Key_Bar: return VK_OEM_5;
        case Qt::Key_BracketRight: case Qt::Key_BraceRight: return VK_OEM_6;
        case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return VK_OEM_7;
        case Qt::Key_Exclam: return '1';
        case Qt::Key_At: return '2';
        case Qt::Key_NumberSign: return '3';
        case Qt::Key_Dollar: return '4';
        case Qt::Key_Percent: return '5';
        case Qt::Key_AsciiCircum: return '6';
        case Qt::Key_Ampersand: return '7';
        case Qt::Key_ParenLeft: return '9';
        case Qt::Key_ParenRight: return '0';
        default: return 0;
    }
}

bool IsExtendedKey(BYTE vk, Qt::KeyboardModifiers mods) {
    if (mods & Qt::KeypadModifier) return vk == VK_RETURN || vk == VK_DIVIDE;
    switch (vk) {
        case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME: case VK_LEFT: case VK_UP: case VK_RIGHT:
        case VK_DOWN: case VK_INSERT: case VK_DELETE: case VK_LWIN: case VK_RWIN: case VK_APPS: case VK_NUMLOCK:
        case VK_SNAPSHOT:
            return true;
        default: return false;
    }
}

Qt::CursorShape CursorShapeOf(HCURSOR c) {
    switch (static_cast<int>(reinterpret_cast<std::uintptr_t>(c))) {
        case IDC_IBEAM: return Qt::IBeamCursor;
        case IDC_WAIT: return Qt::WaitCursor;
        case IDC_CROSS: return Qt::CrossCursor;
        case IDC_UPARROW: return Qt::UpArrowCursor;
        case IDC_SIZE: case IDC_SIZEALL: return Qt::SizeAllCursor;
        case IDC_SIZENWSE: return Qt::SizeFDiagCursor;
        case IDC_SIZENESW: return Qt::SizeBDiagCursor;
        case IDC_SIZEWE: return Qt::SizeHorCursor;
        case IDC_SIZENS: return Qt::SizeVerCursor;
        case IDC_NO: return Qt::ForbiddenCursor;
        case IDC_HAND: return Qt::PointingHandCursor;
        case IDC_APPSTARTING: return Qt::BusyCursor;
        case IDC_HELP: return Qt::WhatsThisCursor;
        default: return Qt::ArrowCursor;
    }
}

int g_cursorCount = 0;

// Broadcasts the system changes Qt reports to the application object.
class TSystemWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched != qApp) return false;
        static const char kIntl[] = "intl";
        switch (e->type()) {
            case QEvent::ApplicationPaletteChange: BroadcastSystemMessage(WM_SYSCOLORCHANGE, 0, 0); break;
            case QEvent::ApplicationFontChange: BroadcastSystemMessage(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0); break;
            case QEvent::LocaleChange: BroadcastSystemMessage(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(kIntl)); break;
            case QEvent::ThemeChange: BroadcastSystemMessage(WM_THEMECHANGED, 0, 0); break;
            default: break;
        }
        return false;
    }
};

void BroadcastDisplayChange() {
    QScreen* s = QGuiApplication::primaryScreen();
    QSize sz = s ? s->geometry().size() : QSize(0, 0);
    BroadcastSystemMessage(WM_DISPLAYCHANGE, static_cast<WPARAM>(s ? s->depth() : 32),
                           MAKELPARAM(static_cast<WORD>(sz.width()), static_cast<WORD>(sz.height())));
}

void WatchSystem() {
    static bool done = false;
    if (done || !qApp) return;
    done = true;
    auto* watcher = new TSystemWatcher;
    qApp->installEventFilter(watcher);
    auto hookScreen = [](QScreen* s) {
        QObject::connect(s, &QScreen::geometryChanged, [] { BroadcastDisplayChange(); });
    };
    for (QScreen* s : QGuiApplication::screens()) hookScreen(s);
    QObject::connect(qApp, &QGuiApplication::screenAdded, [hookScreen](QScreen* s) {
        hookScreen(s);
        BroadcastDisplayChange();
    });
    QObject::connect(qApp, &QGuiApplication::primaryScreenChanged, [](QScreen*) { BroadcastDisplayChange(); });
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, [](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive && WinState().appActive) {
            Guarded([] {
                ActivateWindow(nullptr, false);
                SetApplicationActive(false);
            });
        }
    });
}

void Composite(QPainter& p, TWnd* w, QPoint at, const QRegion& clip) {
    if (!w->image) return;
    QRegion mine = clip & QRegion(QRect(at, w->image->size()));
    if (w->region) mine &= w->regionQ.translated(at);
    if (mine.isEmpty()) return;
    p.setClipRegion(mine);
    p.drawImage(at, *w->image);
    QRegion clientClip = mine & QRegion(QRect(at + QPoint(w->client.left, w->client.top),
                                              QSize(w->client.right - w->client.left, w->client.bottom - w->client.top)));
    // Children are drawn bottom first, so the top of the z-order ends on top.
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        TWnd* k = FindWnd(*it);
        if (!k || !(k->style & WS_VISIBLE)) continue;
        Composite(p, k, at + QPoint(w->client.left + k->rect.left, w->client.top + k->rect.top), clientClip);
    }
}

}  // namespace

class TWindowWidget : public QWidget {
public:
    explicit TWindowWidget(HWND hwnd, Qt::WindowFlags flags) : QWidget(nullptr, flags), hwnd_(hwnd) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        TWnd* w = FindWnd(hwnd_);
        if (!w) return;
        QPainter p(this);
        Composite(p, w, QPoint(0, 0), QRegion(e->rect()));
    }
    void mousePressEvent(QMouseEvent* e) override { Mouse(e, true); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { Mouse(e, true); }
    void mouseReleaseEvent(QMouseEvent* e) override { Mouse(e, false); }
    void mouseMoveEvent(QMouseEvent* e) override {
        TRawInput in;
        in.mouse = true;
        in.kind = WM_MOUSEMOVE;
        in.pt = ScreenPoint(e);
        WinState().cursorPos = in.pt;
        in.keys = CurrentMouseKeys();
        QueueInput(std::move(in));
    }
    void wheelEvent(QWheelEvent* e) override {
        TRawInput in;
        in.mouse = true;
        in.kind = WM_MOUSEWHEEL;
        QPoint g = e->globalPosition().toPoint();
        in.pt = POINT{g.x(), g.y()};
        in.wheel = e->angleDelta().y();
        in.keys = CurrentMouseKeys();
        if (in.wheel) QueueInput(std::move(in));
    }
    void keyPressEvent(QKeyEvent* e) override { Key(e, true); }
    void keyReleaseEvent(QKeyEvent* e) override { Key(e, false); }
    bool focusNextPrevChild(bool) override { return false; }  // Tab is a key like any other
    void leaveEvent(QEvent*) override {
        if (!FindWnd(WinState().capture)) Guarded([] { MouseLeftAllWindows(); });
    }
    void closeEvent(QCloseEvent* e) override {
        e->ignore();  // the window decides: the desktop's close button is the system menu's Close
        HWND h = hwnd_;
        Guarded([h] { PostMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0); });
    }
    void moveEvent(QMoveEvent*) override { FollowDesktop(); }
    void resizeEvent(QResizeEvent*) override { FollowDesktop(); }
    void changeEvent(QEvent* e) override {
        if (e->type() == QEvent::ActivationChange && !g_syncing) {
            HWND h = hwnd_;
            bool active = isActiveWindow();
            Guarded([h, active] {
                TWnd* w = FindWnd(h);
                if (!w) return;
                if (active && WinState().active != h && !(w->style & WS_CHILD) && !(w->exStyle & WS_EX_NOACTIVATE) &&
                    !w->shownNoActivate)
                    ActivateWindow(h, false);
            });
        }
        QWidget::changeEvent(e);
    }

private:
    HWND hwnd_ = nullptr;

    POINT ScreenPoint(QMouseEvent* e) {
        QPoint g = e->globalPosition().toPoint();
        return POINT{g.x(), g.y()};
    }
    void Mouse(QMouseEvent* e, bool down) {
        UINT kind = 0;
        BYTE vk = 0;
        switch (e->button()) {
            case Qt::LeftButton: kind = down ? WM_LBUTTONDOWN : WM_LBUTTONUP; vk = VK_LBUTTON; break;
            case Qt::RightButton: kind = down ? WM_RBUTTONDOWN : WM_RBUTTONUP; vk = VK_RBUTTON; break;
            case Qt::MiddleButton: kind = down ? WM_MBUTTONDOWN : WM_MBUTTONUP; vk = VK_MBUTTON; break;
            default: return;
        }
        TRawInput in;
        in.mouse = true;
        in.kind = kind;
        in.pt = ScreenPoint(e);
        WinState().cursorPos = in.pt;
        NoteAsyncKey(vk, down);
        in.keys = CurrentMouseKeys();
        QueueInput(std::move(in));
    }
    void Key(QKeyEvent* e, bool down) {
        BYTE vk = QtKeyToVk(e->key(), e->modifiers());
        if (!vk) return;
        auto& st = WinState();
        TRawInput in;
        in.kind = down ? WM_KEYDOWN : WM_KEYUP;
        in.vk = vk;
        quint32 native = e->nativeScanCode();
        in.scan = native > 8 && native < 0x108 ? static_cast<BYTE>(native - 8) : static_cast<BYTE>(MapVirtualKey(vk, MAPVK_VK_TO_VSC));
        in.extended = IsExtendedKey(vk, e->modifiers());
        in.repeat = e->isAutoRepeat();
        NoteAsyncKey(vk, down);
        if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) {
            BYTE side = vk == VK_SHIFT ? VK_LSHIFT : vk == VK_CONTROL ? VK_LCONTROL : VK_LMENU;
            NoteAsyncKey(side, down);
        }
        in.alt = (st.asyncKeyState[VK_MENU] & 0x80) != 0;
        in.ctrl = (st.asyncKeyState[VK_CONTROL] & 0x80) != 0;
        if (down)
            for (char32_t c : e->text().toStdU32String())
                if (c != 0x7F) in.text.push_back(c);  // Delete makes no character
        QueueInput(std::move(in));
    }
    void FollowDesktop() {
        if (g_syncing) return;
        TWnd* w = FindWnd(hwnd_);
        if (!w) return;
        QRect g = geometry();
        if (g.x() == w->rect.left && g.y() == w->rect.top && g.width() == w->rect.right - w->rect.left &&
            g.height() == w->rect.bottom - w->rect.top)
            return;
        HWND h = hwnd_;
        Guarded([h, g] {
            SetWindowPos(h, nullptr, g.x(), g.y(), g.width(), g.height(), SWP_NOZORDER | SWP_NOACTIVATE);
        });
    }
};

void EnsureImage(TWnd* w) {
    int W = std::max<LONG>(1, w->rect.right - w->rect.left), H = std::max<LONG>(1, w->rect.bottom - w->rect.top);
    if (w->image && w->image->width() == W && w->image->height() == H) return;
    auto img = std::make_unique<QImage>(W, H, QImage::Format_ARGB32_Premultiplied);
    img->fill(QColor(0xD4, 0xD0, 0xC8));
    if (w->image) {
        QPainter p(img.get());
        p.drawImage(0, 0, *w->image);
    }
    w->image = std::move(img);
}

void CreateWidget(TWnd* w) {
    if (w->widget || w->messageOnly || w->parent) return;
    EnsureWindowSystem();
    WatchSystem();
    Qt::WindowFlags flags;
    bool noActivate = (w->style & WS_CHILD) || (w->exStyle & WS_EX_NOACTIVATE);
    if ((w->style & WS_CAPTION) == WS_CAPTION && !(w->style & WS_CHILD)) {
        flags = Qt::Window;
        if (w->exStyle & WS_EX_TOOLWINDOW) flags = Qt::Tool;
    } else {
        flags = Qt::Tool | Qt::FramelessWindowHint;
    }
    if (noActivate) flags |= Qt::WindowDoesNotAcceptFocus;
    if (w->exStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
    auto* widget = new TWindowWidget(w->handle, flags);
    if (noActivate || !(w->style & WS_CAPTION)) widget->setAttribute(Qt::WA_ShowWithoutActivating);
    w->widget = widget;
    EnsureImage(w);
    SyncWidget(w);
}

void DestroyWidget(TWnd* w) {
    if (!w->widget) return;
    TWindowWidget* widget = w->widget;
    w->widget = nullptr;
    widget->hide();
    widget->deleteLater();
}

void SyncWidget(TWnd* w) {
    TWindowWidget* widget = w->widget;
    if (!widget) return;
    g_syncing = true;
    QRect g(w->rect.left, w->rect.top, std::max<LONG>(1, w->rect.right - w->rect.left),
            std::max<LONG>(1, w->rect.bottom - w->rect.top));
    if (widget->geometry() != g) widget->setGeometry(g);
    widget->setWindowTitle(QString::fromStdString(w->text));
    qreal opacity = (w->exStyle & WS_EX_LAYERED) ? w->alpha / 255.0 : 1.0;
    if (widget->windowOpacity() != opacity) widget->setWindowOpacity(opacity);
    if (w->region) widget->setMask(w->regionQ);
    else if (!widget->mask().isEmpty()) widget->clearMask();
    bool topmost = (w->exStyle & WS_EX_TOPMOST) != 0;
    if (topmost != widget->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        bool vis = widget->isVisible();
        widget->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
        if (vis) widget->show();
    }
    bool visible = (w->style & WS_VISIBLE) != 0;
    if (visible && !widget->isVisible()) widget->show();
    if (!visible && widget->isVisible()) widget->hide();
    if (visible && WinState().active == w->handle && !widget->isActiveWindow()) {
        widget->activateWindow();
    }
    g_syncing = false;
}

void ScheduleWidgetUpdate(TWnd* w) {
    TWnd* top = TopOf(w);
    if (top && top->widget && top->widget->isVisible()) top->widget->update();
}

HCURSOR SetCursor(HCURSOR cursor) {
    auto& st = WinState();
    HCURSOR old = st.cursor;
    st.cursor = cursor;
    if (HWND h = st.lastMouseWindow)
        if (TWnd* top = TopOf(FindWnd(h)))
            if (top->widget) {
                if (cursor && g_cursorCount >= 0) top->widget->setCursor(CursorShapeOf(cursor));
                else top->widget->setCursor(Qt::BlankCursor);
            }
    return old;
}

int ShowCursor(BOOL show) {
    g_cursorCount += show ? 1 : -1;
    SetCursor(WinState().cursor);
    return g_cursorCount;
}

}  // namespace zel
