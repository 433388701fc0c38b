// The Qt side of a top-level window: a widget that shows the window's image with its children's images on top,
// turns Qt input into hardware input for the queue, and follows moves, activation and closing by the desktop.
// System changes that Qt reports become broadcast messages.
#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/win/DesktopManager.h"
#include "platform/win/Locale.h"
#include "platform/win/SysInfo.h"
#include "platform/win/WindowsQt.h"

namespace zel {

namespace {

bool g_syncing = false;  // the layer itself moves or activates the widget: do not echo it back

BYTE QtKeyToVk(int key, Qt::KeyboardModifiers mods) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<BYTE>('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<BYTE>((mods & Qt::KeypadModifier) ? VK_NUMPAD0 + (key - Qt::Key_0)
                                                             : '0' + (key - Qt::Key_0));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<BYTE>(VK_F1 + (key - Qt::Key_F1));
    switch (key) {
        case Qt::Key_Backspace: return VK_BACK;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return VK_TAB;
        case Qt::Key_Return:
        case Qt::Key_Enter: return VK_RETURN;
        case Qt::Key_Shift: return VK_SHIFT;
        case Qt::Key_Control: return VK_CONTROL;
        case Qt::Key_Alt:
        case Qt::Key_AltGr: return VK_MENU;
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
        case Qt::Key_Meta:
        case Qt::Key_Super_L: return VK_LWIN;
        case Qt::Key_Super_R: return VK_RWIN;
        case Qt::Key_Menu: return VK_APPS;
        case Qt::Key_Asterisk: return (mods & Qt::KeypadModifier) ? VK_MULTIPLY : '8';
        case Qt::Key_Plus: return (mods & Qt::KeypadModifier) ? VK_ADD : VK_OEM_PLUS;
        case Qt::Key_Minus: return (mods & Qt::KeypadModifier) ? VK_SUBTRACT : VK_OEM_MINUS;
        case Qt::Key_Period: return (mods & Qt::KeypadModifier) ? VK_DECIMAL : VK_OEM_PERIOD;
        case Qt::Key_Slash: return (mods & Qt::KeypadModifier) ? VK_DIVIDE : VK_OEM_2;
        case Qt::Key_NumLock: return VK_NUMLOCK;
        case Qt::Key_ScrollLock: return VK_SCROLL;
        case Qt::Key_Semicolon:
        case Qt::Key_Colon: return VK_OEM_1;
        case Qt::Key_Equal: return VK_OEM_PLUS;
        case Qt::Key_Comma:
        case Qt::Key_Less: return VK_OEM_COMMA;
        case Qt::Key_Underscore: return VK_OEM_MINUS;
        case Qt::Key_Greater: return VK_OEM_PERIOD;
        case Qt::Key_Question: return VK_OEM_2;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde: return VK_OEM_3;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft: return VK_OEM_4;
        case Qt::Key_Backslash:
        case Qt::Key_Bar: return VK_OEM_5;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight: return VK_OEM_6;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl: return VK_OEM_7;
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
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
        case VK_INSERT:
        case VK_DELETE:
        case VK_LWIN:
        case VK_RWIN:
        case VK_APPS:
        case VK_NUMLOCK:
        case VK_SNAPSHOT: return true;
        default: return false;
    }
}

// Cursors made from bit planes. A handle is the address of its record; standard cursors are their ids.
struct TCursorRecord {
    QCursor cursor;
    // The planes it was made from, for GetIconInfo.
    int xHot = 0, yHot = 0, width = 0, height = 0;
    std::vector<BYTE> andPlane, xorPlane;
    bool shared = false;  // a named resource: loaded once, never destroyed
};
std::unordered_set<const void*>& CustomCursors() {
    static auto* set = new std::unordered_set<const void*>;
    return *set;
}
struct TCursorResource {
    int xHot = 0, yHot = 0, width = 0, height = 0;
    std::vector<BYTE> andPlane, xorPlane;
    HCURSOR loaded = nullptr;
};
std::map<std::string, TCursorResource>& CursorResources() {
    static auto* m = new std::map<std::string, TCursorResource>;
    return *m;
}
std::string UpperName(const char* s) {
    std::string r = s ? s : "";
    for (char& c : r) c = static_cast<char>((c >= 'a' && c <= 'z') ? c - 32 : c);
    return r;
}
// Rows of monochrome planes are padded to 16 bits.
int PlaneStride(int width) { return ((width + 15) / 16) * 2; }

Qt::CursorShape CursorShapeOf(HCURSOR c) {
    switch (static_cast<int>(reinterpret_cast<std::uintptr_t>(c))) {
        case IDC_IBEAM: return Qt::IBeamCursor;
        case IDC_WAIT: return Qt::WaitCursor;
        case IDC_CROSS: return Qt::CrossCursor;
        case IDC_UPARROW: return Qt::UpArrowCursor;
        case IDC_SIZE:
        case IDC_SIZEALL: return Qt::SizeAllCursor;
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

// Mouse events carry the modifier keys as the desktop sees them: the key state follows (MK_SHIFT, MK_CONTROL).
void SyncModifiers(Qt::KeyboardModifiers mods) {
    auto sync = [](BYTE vk, BYTE side, bool down) {
        if (((WinState().asyncKeyState[vk] & 0x80) != 0) == down) return;
        NoteAsyncKey(vk, down);
        NoteAsyncKey(side, down);
    };
    sync(VK_SHIFT, VK_LSHIFT, mods.testFlag(Qt::ShiftModifier));
    sync(VK_CONTROL, VK_LCONTROL, mods.testFlag(Qt::ControlModifier));
    sync(VK_MENU, VK_LMENU, mods.testFlag(Qt::AltModifier));
}

// Broadcasts the system changes Qt reports to the application object.
class TSystemWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched != qApp) return false;
        static const char kIntl[] = "intl";
        switch (e->type()) {
            case QEvent::ApplicationPaletteChange: BroadcastSystemMessage(WM_SYSCOLORCHANGE, 0, 0); break;
            case QEvent::ApplicationFontChange:
                BroadcastSystemMessage(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
                break;
            case QEvent::LocaleChange:
                NotifyLocaleChanged();
                BroadcastSystemMessage(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(kIntl));
                break;
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
    // The work area (the screen less the desktop's panels) moved: the windows kept inside it follow.
    if (QScreen* primary = QGuiApplication::primaryScreen())
        QObject::connect(primary, &QScreen::availableGeometryChanged,
                         [] { BroadcastSystemMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA, 0); });
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
    QRegion clientClip =
        mine & QRegion(QRect(at + QPoint(w->client.left, w->client.top),
                             QSize(w->client.right - w->client.left, w->client.bottom - w->client.top)));
    // Children are drawn bottom first, so the top of the z-order ends on top.
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        TWnd* k = FindWnd(*it);
        if (!k || !(k->style & WS_VISIBLE)) continue;
        Composite(p, k, at + QPoint(w->client.left + k->rect.left, w->client.top + k->rect.top), clientClip);
    }
}

}  // namespace

HCURSOR CreateCursor(HINSTANCE, int xHotSpot, int yHotSpot, int width, int height, const void* andPlane,
                     const void* xorPlane) {
    if (width <= 0 || height <= 0 || width > 256 || height > 256 || !andPlane || !xorPlane) return nullptr;
    EnsureWindowSystem();
    const auto* a = static_cast<const BYTE*>(andPlane);
    const auto* x = static_cast<const BYTE*>(xorPlane);
    const int stride = PlaneStride(width);
    // AND 0 / XOR 0 black, 0 / 1 white, 1 / 0 the screen, 1 / 1 the screen inverted. Qt's bitmap and mask say
    // the same with: mask = not AND, bitmap = (AND equals XOR).
    QImage bits(width, height, QImage::Format_Mono), mask(width, height, QImage::Format_Mono);
    bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    mask.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < height; ++y)
        for (int col = 0; col < width; ++col) {
            std::size_t at = static_cast<std::size_t>(y * stride + col / 8);
            int bit = 7 - (col % 8);
            bool andBit = (a[at] >> bit) & 1, xorBit = (x[at] >> bit) & 1;
            bits.setPixel(col, y, andBit == xorBit ? 1 : 0);
            mask.setPixel(col, y, andBit ? 0 : 1);
        }
    auto* rec = new TCursorRecord;
    rec->xHot = std::clamp(xHotSpot, 0, width - 1);
    rec->yHot = std::clamp(yHotSpot, 0, height - 1);
    rec->width = width;
    rec->height = height;
    rec->andPlane.assign(a, a + static_cast<std::ptrdiff_t>(stride) * height);
    rec->xorPlane.assign(x, x + static_cast<std::ptrdiff_t>(stride) * height);
    rec->cursor = QCursor(QBitmap::fromImage(bits), QBitmap::fromImage(mask), std::clamp(xHotSpot, 0, width - 1),
                          std::clamp(yHotSpot, 0, height - 1));
    CustomCursors().insert(rec);
    return reinterpret_cast<HCURSOR>(rec);
}

BOOL DestroyCursor(HCURSOR cursor) {
    auto* rec = reinterpret_cast<TCursorRecord*>(cursor);
    if (!CustomCursors().count(rec) || rec->shared) return FALSE;
    auto& st = WinState();
    if (st.cursor == cursor) SetCursor(nullptr);
    CustomCursors().erase(rec);
    delete rec;
    return TRUE;
}

BOOL RegisterCursorResource(const char* name, int xHotSpot, int yHotSpot, int width, int height, const void* andPlane,
                            const void* xorPlane) {
    if (!name || !*name || width <= 0 || height <= 0 || width > 256 || height > 256 || !andPlane || !xorPlane)
        return FALSE;
    TCursorResource& r = CursorResources()[UpperName(name)];
    if (r.loaded) return FALSE;  // in use already: resources do not change under a program
    std::size_t size = static_cast<std::size_t>(PlaneStride(width) * height);
    r.xHot = xHotSpot;
    r.yHot = yHotSpot;
    r.width = width;
    r.height = height;
    r.andPlane.assign(static_cast<const BYTE*>(andPlane), static_cast<const BYTE*>(andPlane) + size);
    r.xorPlane.assign(static_cast<const BYTE*>(xorPlane), static_cast<const BYTE*>(xorPlane) + size);
    return TRUE;
}

BOOL GetIconInfo(HICON icon, ICONINFO* info) {
    if (info == nullptr || !CustomCursors().count(icon)) return FALSE;
    const auto* rec = reinterpret_cast<const TCursorRecord*>(icon);
    // One monochrome bitmap twice as high as the cursor: the AND plane above the XOR plane. The planes and
    // CreateBitmap both pad rows to 16 bits.
    std::vector<BYTE> planes(rec->andPlane);
    planes.insert(planes.end(), rec->xorPlane.begin(), rec->xorPlane.end());
    info->fIcon = FALSE;
    info->xHotspot = static_cast<DWORD>(rec->xHot);
    info->yHotspot = static_cast<DWORD>(rec->yHot);
    info->hbmMask = CreateBitmap(rec->width, rec->height * 2, 1, 1, planes.data());
    info->hbmColor = nullptr;
    return info->hbmMask != nullptr ? TRUE : FALSE;
}

HCURSOR LoadCursor(HINSTANCE, const char* name) {
    auto it = CursorResources().find(UpperName(name));
    if (it == CursorResources().end()) return nullptr;
    TCursorResource& r = it->second;
    if (!r.loaded) {
        r.loaded = CreateCursor(nullptr, r.xHot, r.yHot, r.width, r.height, r.andPlane.data(), r.xorPlane.data());
        if (r.loaded) reinterpret_cast<TCursorRecord*>(r.loaded)->shared = true;
    }
    return r.loaded;
}

QCursor QtCursorOf(HCURSOR cursor) {
    if (CustomCursors().count(cursor)) return reinterpret_cast<TCursorRecord*>(cursor)->cursor;
    return QCursor(CursorShapeOf(cursor));
}

class TWindowWidget : public QWidget {
public:
    explicit TWindowWidget(HWND hwnd, Qt::WindowFlags flags) : QWidget(nullptr, flags), hwnd_(hwnd) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_InputMethodEnabled);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        TWnd* w = FindWnd(hwnd_);
        if (!w) return;
        QPainter p(this);
        if (UsesColorKey(w)) {
            // The window is composed aside and the key colour cut out of it, so the desktop shows there.
            QImage picture(size(), QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::transparent);
            {
                QPainter aside(&picture);
                Composite(aside, w, QPoint(0, 0), QRegion(e->rect()));
            }
            KeyOutColor(picture, w->colorKey);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(e->rect(), picture, e->rect());
            return;
        }
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
        SyncModifiers(e->modifiers());
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
        SyncModifiers(e->modifiers());
        in.keys = CurrentMouseKeys();
        if (in.wheel) QueueInput(std::move(in));
    }
    void keyPressEvent(QKeyEvent* e) override { Key(e, true); }
    void keyReleaseEvent(QKeyEvent* e) override { Key(e, false); }
    // What the desktop's input method composed (dead keys, compose sequences) comes as one composition.
    void inputMethodEvent(QInputMethodEvent* e) override {
        if (!e->commitString().isEmpty()) {
            TRawInput in;
            in.kind = WM_IME_COMPOSITION;
            in.text = e->commitString().toStdU32String();
            QueueInput(std::move(in));
        }
        e->accept();
    }
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override {
        if (query == Qt::ImEnabled) return true;
        return QWidget::inputMethodQuery(query);
    }
    bool focusNextPrevChild(bool) override { return false; }  // Tab is a key like any other
    void leaveEvent(QEvent*) override {
        if (!FindWnd(WinState().capture)) Guarded([] { MouseLeftAllWindows(); });
    }
    void closeEvent(QCloseEvent* e) override {
        e->ignore();  // the window decides: the desktop's close button is the system menu's Close
        HWND h = hwnd_;
        Guarded([h] { SendFromDesktop(h, WM_SYSCOMMAND, SC_CLOSE, 0); });
    }
    void moveEvent(QMoveEvent*) override { FollowDesktop(); }
    void resizeEvent(QResizeEvent*) override { FollowDesktop(); }
    void changeEvent(QEvent* e) override {
        if (e->type() == QEvent::WindowStateChange && !g_syncing) {
            // Minimised or restored by the desktop (its task bar): the window hears it as a system command.
            HWND h = hwnd_;
            bool minimized = isMinimized();
            Guarded([h, minimized] {
                TWnd* w = FindWnd(h);
                if (w && w->minimized != minimized)
                    SendFromDesktop(h, WM_SYSCOMMAND, minimized ? SC_MINIMIZE : SC_RESTORE, 0);
            });
        }
        if (e->type() == QEvent::ActivationChange && !g_syncing) {
            HWND h = hwnd_;
            bool active = isActiveWindow();
            Guarded([h, active] {
                TWnd* w = FindWnd(h);
                if (!w) return;
                // A disabled window (one behind a modal form) never becomes active, whatever the desktop says.
                if (active && WinState().active != h && !(w->style & WS_CHILD) && !(w->style & WS_DISABLED) &&
                    !(w->exStyle & WS_EX_NOACTIVATE) && !w->shownNoActivate)
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
            case Qt::LeftButton:
                kind = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
                vk = VK_LBUTTON;
                break;
            case Qt::RightButton:
                kind = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
                vk = VK_RBUTTON;
                break;
            case Qt::MiddleButton:
                kind = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
                vk = VK_MBUTTON;
                break;
            default: return;
        }
        TRawInput in;
        in.mouse = true;
        in.kind = kind;
        in.pt = ScreenPoint(e);
        WinState().cursorPos = in.pt;
        SyncModifiers(e->modifiers());
        NoteAsyncKey(vk, down);
        in.keys = CurrentMouseKeys();
        QueueInput(std::move(in));
    }
    void Key(QKeyEvent* e, bool down) {
        BYTE vk = QtKeyToVk(e->key(), e->modifiers());
        // A key with no virtual-key code that gives a character (an accented letter of the layout, a
        // composed character) comes as a packet key carrying it; TranslateMessage makes its WM_CHAR. One that
        // gives none (a dead key waiting for the next) makes no message.
        if (!vk && e->text().isEmpty()) return;
        if (!vk) vk = VK_PACKET;
        auto& st = WinState();
        TRawInput in;
        in.kind = down ? WM_KEYDOWN : WM_KEYUP;
        in.vk = vk;
        quint32 native = e->nativeScanCode();
        in.extended = IsExtendedKey(vk, e->modifiers());
        // The desktop's key codes are the PC scan codes plus 8 for the main block (up to F12); the other keys
        // (arrows, the editing block, the keypad's Enter and the right-hand modifiers) take the scan code of
        // their virtual key.
        in.scan = native > 8 && native <= 8 + 0x58 && !in.extended
                      ? static_cast<BYTE>(native - 8)
                      : static_cast<BYTE>(MapVirtualKey(vk, MAPVK_VK_TO_VSC));
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
        Guarded(
            [h, g] { SetWindowPos(h, nullptr, g.x(), g.y(), g.width(), g.height(), SWP_NOZORDER | SWP_NOACTIVATE); });
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
    RetargetWindowDCs(w);
}

namespace {

// A popup without a caption (a menu, a drop-down list, a hint, a menu's shadow, a floating bar, the intro) is
// placed, stacked and closed by the program itself and takes no keyboard focus of its own: the keys reach it
// through the layer's focus, whatever window of the program the desktop gives them to. It bypasses the
// desktop's window manager (an override-redirect window on X11), which would otherwise treat it as a window of
// its own: stack it into its layers (under a main window that it takes for a full-screen one, as openbox does
// with an undecorated window the size of the screen), focus it or move it. Windows with a caption are managed.
bool BypassesWindowManager(const TWnd* w) {
    return !w->parent && !w->messageOnly && (w->style & WS_POPUP) && (w->style & WS_CAPTION) != WS_CAPTION;
}

// The layer draws every frame and caption itself (WM_NCCALCSIZE, WM_NCPAINT, WM_NCHITTEST) and moves and sizes
// windows in its own loops, so no widget has a desktop frame. A captioned overlapped window is a main window
// for the desktop (its task bar); another captioned window is a tool window. The window manager keeps a
// topmost managed window above the others; the program's own popups are stacked by the layer alone.
Qt::WindowFlags WidgetFlagsOf(const TWnd* w) {
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint;
    if ((w->style & WS_CAPTION) == WS_CAPTION && !(w->style & (WS_CHILD | WS_POPUP)) &&
        !(w->exStyle & WS_EX_TOOLWINDOW))
        flags = Qt::Window | Qt::FramelessWindowHint;
    if ((w->style & WS_CHILD) || (w->exStyle & WS_EX_NOACTIVATE)) flags |= Qt::WindowDoesNotAcceptFocus;
    if (BypassesWindowManager(w)) flags |= Qt::BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus;
    else if (w->exStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

}  // namespace

void CreateWidget(TWnd* w) {
    if (w->widget || w->messageOnly || w->parent) return;
    EnsureWindowSystem();
    WatchSystem();
    const Qt::WindowFlags flags = WidgetFlagsOf(w);
    auto* widget = new TWindowWidget(w->handle, flags);
    if (flags.testFlag(Qt::WindowDoesNotAcceptFocus) || !(w->style & WS_CAPTION))
        widget->setAttribute(Qt::WA_ShowWithoutActivating);
    w->widget = widget;
    EnsureImage(w);
    SyncWidget(w);
}

BOOL IsDesktopManagedWindow(HWND hwnd) {
    TWnd* w = FindWnd(hwnd);
    return w && w->widget && !w->widget->windowFlags().testFlag(Qt::BypassWindowManagerHint) ? TRUE : FALSE;
}

void DestroyWidget(TWnd* w) {
    if (!w->widget) return;
    TWindowWidget* widget = w->widget;
    w->widget = nullptr;
    if (QWidget::mouseGrabber() == widget) widget->releaseMouse();
    if (WinState().grabbedTop == w->handle) WinState().grabbedTop = nullptr;
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
    // A colour key needs a see-through widget; set before the widget shows.
    if (UsesColorKey(w) && !widget->testAttribute(Qt::WA_TranslucentBackground))
        widget->setAttribute(Qt::WA_TranslucentBackground);
    if (widget->windowOpacity() != opacity) widget->setWindowOpacity(opacity);
    if (w->region) widget->setMask(w->regionQ);
    else if (!widget->mask().isEmpty()) widget->clearMask();
    // Topmost and the window manager's part follow the styles; the toolkit hides the widget to change them.
    constexpr Qt::WindowFlags kFollowed = Qt::WindowStaysOnTopHint | Qt::BypassWindowManagerHint;
    if (const Qt::WindowFlags flags = WidgetFlagsOf(w) & kFollowed; flags != (widget->windowFlags() & kFollowed)) {
        bool vis = widget->isVisible();
        widget->setWindowFlags((widget->windowFlags() & ~kFollowed) | flags);
        if (vis) widget->show();
    }
    bool visible = (w->style & WS_VISIBLE) != 0;
    bool shownChanged = visible != widget->isVisible();
    if (visible && !widget->isVisible()) widget->show();
    if (!visible && widget->isVisible()) widget->hide();
    if (visible && w->minimized != widget->isMinimized()) {
        if (w->minimized) widget->showMinimized();
        else widget->showNormal();
    }
    // The desktop's focus stays with a managed window: an active popup hears its keys through the layer.
    if (visible && WinState().active == w->handle && !widget->isActiveWindow() &&
        !widget->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus)) {
        widget->activateWindow();
    }
    g_syncing = false;
    // A widget shown by the toolkit lands on top; the layer's order may hold it lower.
    if (shownChanged && visible) RestackWidgets(w);
    if (shownChanged) SyncPointerGrab();
}

bool UsesColorKey(const TWnd* w) {
    return w != nullptr && w->parent == nullptr && (w->exStyle & WS_EX_LAYERED) != 0 &&
           (w->layeredFlags & LWA_COLORKEY) != 0;
}

void KeyOutColor(QImage& image, COLORREF key) {
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb wanted = qRgb(GetRValue(key), GetGValue(key), GetBValue(key));
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) == 255 && (row[x] | 0xFF000000u) == wanted) row[x] = 0;
    }
}

void RestackWidgets(TWnd* w) {
    // Headless platforms keep no stacking of their own (and say so on every raise).
    static const bool stacking = QGuiApplication::platformName() != QLatin1String("offscreen") &&
                                 QGuiApplication::platformName() != QLatin1String("minimal");
    if (!stacking) return;
    auto& tops = WinState().topLevels;
    auto at = std::find(tops.begin(), tops.end(), w->handle);
    if (at == tops.end()) return;
    // Raising the window, then each window above it from the nearest up, leaves them in the layer's order
    // on top of everything below them. Raising never activates.
    for (auto i = at;; --i) {
        TWnd* t = FindWnd(*i);
        if (t != nullptr && t->widget && t->widget->isVisible()) t->widget->raise();
        if (i == tops.begin()) break;
    }
}

void SyncPointerGrab() {
    auto& st = WinState();
    TWnd* cap = FindWnd(st.capture);
    TWnd* top = cap ? TopOf(cap) : nullptr;
    TWindowWidget* want = top && top->widget && top->widget->isVisible() ? top->widget.data() : nullptr;
    QWidget* current = QWidget::mouseGrabber();
    if (current == want) {
        st.grabbedTop = want ? top->handle : nullptr;
        return;
    }
    // Only our own grab is released: a Qt dialog's grab is not ours to end.
    if (current && !want && dynamic_cast<TWindowWidget*>(current)) current->releaseMouse();
    if (want) want->grabMouse();
    st.grabbedTop = want ? top->handle : nullptr;
}

QWidget* WindowWidgetForTest(HWND hwnd) {
    TWnd* w = FindWnd(hwnd);
    return w ? w->widget.data() : nullptr;
}

void ScheduleWidgetUpdate(TWnd* w) {
    if (RedrawSuspended(w)) return;  // shown again once redrawing is back on and the window repaints
    TWnd* top = TopOf(w);
    if (top && top->widget && top->widget->isVisible()) top->widget->update();
}

void ScheduleWidgetUpdate(TWnd* w, const QRegion& area) {
    if (RedrawSuspended(w)) return;
    // From the window's coordinates to the top-level window's, parent by parent.
    QPoint at(0, 0);
    for (TWnd* p; w->parent; w = p) {
        if (!(p = FindWnd(w->parent))) return;
        at += QPoint(p->client.left + w->rect.left, p->client.top + w->rect.top);
    }
    if (w->widget && w->widget->isVisible()) w->widget->update(area.translated(at));
}

HCURSOR SetCursor(HCURSOR cursor) {
    auto& st = WinState();
    HCURSOR old = st.cursor;
    st.cursor = cursor;
    if (HWND h = st.lastMouseWindow)
        if (TWnd* top = TopOf(FindWnd(h)))
            if (top->widget) {
                if (cursor && g_cursorCount >= 0) top->widget->setCursor(QtCursorOf(cursor));
                else top->widget->setCursor(Qt::BlankCursor);
            }
    return old;
}

}  // namespace zel
