// Real Qt events driven through the windows' widgets: keys and mouse input become messages, the capture grabs
// the pointer, Qt's system changes become broadcasts, and messages are delivered while a Qt dialog runs.
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>

#include <cstring>

#include "WndTestSupport.h"
#include "platform/win/DesktopManager.h"
#include "platform/win/SysInfo.h"

namespace zel::test {
namespace {

class WndQt : public WndTest {
protected:
    static void Key(QWidget* w, QEvent::Type type, int key, Qt::KeyboardModifiers mods, quint32 native,
                    const QString& text = {}, bool repeat = false) {
        QKeyEvent e(type, key, mods, native, 0, 0, text, repeat);
        QCoreApplication::sendEvent(w, &e);
    }
    static void Mouse(QWidget* w, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QMouseEvent e(type, QPointF(global - w->geometry().topLeft()), QPointF(global), button, buttons, mods);
        QCoreApplication::sendEvent(w, &e);
    }
    std::vector<TRecord> KeyMessages(HWND h) const {
        std::vector<TRecord> r;
        for (const TRecord& rec : Log())
            if (rec.hwnd == h && rec.msg >= WM_KEYDOWN && rec.msg <= WM_SYSCHAR && rec.msg != WM_DEADCHAR)
                r.push_back(rec);
        return r;
    }
};

TEST_F(WndQt, QtKeyEventsBecomeKeyMessagesWithTheirBitsAndCharacters) {
    HWND h = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    SetFocus(h);
    QWidget* widget = WindowWidgetForTest(h);
    ASSERT_NE(widget, nullptr);
    struct Row {
        const char* name;
        int key;
        Qt::KeyboardModifiers mods;
        quint32 native;  // the desktop's key code
        const char* text;
        bool repeat;
        UINT msg;
        WPARAM vk;
        DWORD lParam;
        int character;  // WM_CHAR / WM_SYSCHAR made by TranslateMessage, 0 for none
    };
    const Row rows[] = {
        {"letter", Qt::Key_A, Qt::NoModifier, 38, "a", false, WM_KEYDOWN, 'A', 0x001E0001, 'a'},
        {"shifted letter keeps its text", Qt::Key_A, Qt::ShiftModifier, 38, "A", false, WM_KEYDOWN, 'A', 0x001E0001,
         'A'},
        {"auto-repeat: previous state", Qt::Key_B, Qt::NoModifier, 56, "b", true, WM_KEYDOWN, 'B', 0x40300001, 'b'},
        {"arrow: extended, PC scan code", Qt::Key_Left, Qt::NoModifier, 113, "", false, WM_KEYDOWN, VK_LEFT, 0x014B0001,
         0},
        {"keypad Enter: extended", Qt::Key_Enter, Qt::KeypadModifier, 104, "\r", false, WM_KEYDOWN, VK_RETURN,
         0x011C0001, '\r'},
        {"keypad digit", Qt::Key_7, Qt::KeypadModifier, 79, "7", false, WM_KEYDOWN, VK_NUMPAD7, 0x00470001, '7'},
        {"Delete makes no character", Qt::Key_Delete, Qt::NoModifier, 119, "\x7f", false, WM_KEYDOWN, VK_DELETE,
         0x01530001, 0},
        {"F10 is a system key", Qt::Key_F10, Qt::NoModifier, 76, "", false, WM_SYSKEYDOWN, VK_F10, 0x00440001, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Log().clear();
        Key(widget, QEvent::KeyPress, r.key, r.mods, r.native, QString::fromLatin1(r.text), r.repeat);
        ProcessPendingMessages();
        auto got = KeyMessages(h);
        ASSERT_GE(got.size(), 1u);
        EXPECT_EQ(got[0].msg, r.msg);
        EXPECT_EQ(got[0].wp, r.vk);
        EXPECT_EQ(static_cast<DWORD>(got[0].lp), r.lParam);
        if (r.character) {
            ASSERT_EQ(got.size(), 2u);
            EXPECT_EQ(got[1].msg, r.msg == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR);
            EXPECT_EQ(got[1].wp, static_cast<WPARAM>(r.character));
        } else {
            EXPECT_EQ(got.size(), 1u);
        }
        Log().clear();
        Key(widget, QEvent::KeyRelease, r.key, r.mods, r.native);
        ProcessPendingMessages();
        got = KeyMessages(h);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].msg, r.msg == WM_SYSKEYDOWN ? WM_SYSKEYUP : WM_KEYUP);
        EXPECT_EQ(static_cast<DWORD>(got[0].lp), r.lParam | 0xC0000000u);
    }
    EXPECT_FALSE(GetAsyncKeyState('A') & 0x8000);
}

TEST_F(WndQt, AltWithAKeyGivesSystemKeysAndASystemCharacter) {
    HWND h = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    SetFocus(h);
    QWidget* widget = WindowWidgetForTest(h);
    Key(widget, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier, 64);
    Key(widget, QEvent::KeyPress, Qt::Key_X, Qt::AltModifier, 53, "x");
    EXPECT_TRUE(GetAsyncKeyState(VK_MENU) & 0x8000);
    Key(widget, QEvent::KeyRelease, Qt::Key_X, Qt::AltModifier, 53);
    Key(widget, QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier, 64);
    ProcessPendingMessages();
    auto got = KeyMessages(h);
    std::vector<std::pair<UINT, DWORD>> seq;
    for (const TRecord& r : got) seq.emplace_back(r.msg, static_cast<DWORD>(r.lp));
    EXPECT_EQ(seq, (std::vector<std::pair<UINT, DWORD>>{{WM_SYSKEYDOWN, 0x20380001},
                                                        {WM_SYSKEYDOWN, 0x202D0001},
                                                        {WM_SYSCHAR, 0x202D0001},
                                                        {WM_SYSKEYUP, 0xE02D0001},
                                                        {WM_SYSKEYUP, 0xC0380001}}));
    EXPECT_EQ(Received(h, WM_SYSCHAR)[0].wp, static_cast<WPARAM>('x'));
}

TEST_F(WndQt, QtMouseEventsBecomeMouseMessages) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 20, 30, 50, 50, top);
    SetFocus(top);
    ProcessPendingMessages();
    QWidget* widget = WindowWidgetForTest(top);
    Log().clear();
    Mouse(widget, QEvent::MouseMove, QPoint(126, 136), Qt::NoButton, Qt::NoButton);
    Mouse(widget, QEvent::MouseButtonPress, QPoint(125, 135), Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    Mouse(widget, QEvent::MouseButtonRelease, QPoint(125, 135), Qt::LeftButton, Qt::NoButton);
    Mouse(widget, QEvent::MouseButtonDblClick, QPoint(125, 135), Qt::LeftButton, Qt::LeftButton);
    Mouse(widget, QEvent::MouseMove, QPoint(127, 137), Qt::NoButton, Qt::LeftButton);
    Mouse(widget, QEvent::MouseButtonRelease, QPoint(127, 137), Qt::LeftButton, Qt::NoButton);
    Mouse(widget, QEvent::MouseButtonPress, QPoint(250, 250), Qt::RightButton, Qt::RightButton);
    Mouse(widget, QEvent::MouseButtonRelease, QPoint(250, 250), Qt::RightButton, Qt::NoButton);
    QWheelEvent wheel(QPointF(50, 50), QPointF(150, 150), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &wheel);
    ProcessPendingMessages();
    struct Row {
        const char* name;
        HWND hwnd;
        UINT msg;
        WPARAM wp;
        LPARAM lp;
    };
    const Row rows[] = {
        {"move", child, WM_MOUSEMOVE, 0, MAKELPARAM(6, 6)},
        {"press with Shift", child, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(5, 5)},
        {"release", child, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)},
        {"second press: double click", child, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5)},
        {"drag", child, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(7, 7)},
        {"release after the drag", child, WM_LBUTTONUP, 0, MAKELPARAM(7, 7)},
        {"right press on the parent", top, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(150, 150)},
        {"right release", top, WM_RBUTTONUP, 0, MAKELPARAM(150, 150)},
        {"wheel to the focus, screen point", top, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 120), MAKELPARAM(150, 150)},
    };
    std::vector<TRecord> got;
    for (const TRecord& r : Log())
        if ((r.msg >= WM_MOUSEMOVE && r.msg <= WM_MOUSEWHEEL)) got.push_back(r);
    ASSERT_EQ(got.size(), std::size(rows));
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(got[i].hwnd, rows[i].hwnd);
        EXPECT_EQ(got[i].msg, rows[i].msg);
        EXPECT_EQ(got[i].wp, rows[i].wp);
        EXPECT_EQ(got[i].lp, rows[i].lp);
    }
}

TEST_F(WndQt, PopupsWithoutACaptionBypassTheWindowManagerAndCaptionedWindowsAreManaged) {
    struct Row {
        const char* name;
        DWORD style, exStyle;
        bool managed;
        bool staysOnTopHint;  // the window manager keeps it above the others
    };
    const Row rows[] = {
        {"menu: topmost popup tool window", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, false,
         false},
        {"drop-down list with a border", WS_POPUP | WS_BORDER, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, false, false},
        {"hint: disabled popup", WS_POPUP | WS_DISABLED, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, false, false},
        {"floating bar: sizing frame, no caption", WS_POPUP | WS_THICKFRAME | WS_SYSMENU, WS_EX_TOOLWINDOW, false,
         false},
        {"dialog: captioned popup", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, true, false},
        {"main window", WS_OVERLAPPEDWINDOW, 0, true, false},
        {"topmost captioned tool window", WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, true, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        HWND h = Make(r.style | WS_VISIBLE, 50, 50, 120, 80, nullptr, r.exStyle);
        const Qt::WindowFlags flags = WindowWidgetForTest(h)->windowFlags();
        EXPECT_EQ(IsDesktopManagedWindow(h), r.managed ? TRUE : FALSE);
        EXPECT_EQ(flags.testFlag(Qt::BypassWindowManagerHint), !r.managed);
        // The desktop never gives the program's own popups its focus.
        if (!r.managed) {
            EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
        }
        EXPECT_EQ(flags.testFlag(Qt::WindowStaysOnTopHint), r.staysOnTopHint);
        EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
    }
    HWND top = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100);
    EXPECT_FALSE(IsDesktopManagedWindow(Make(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top)));
    // A window that becomes a captioned one is handed to the window manager when it shows again.
    HWND later = Make(WS_POPUP, 50, 50, 120, 80);
    SetWindowLong(later, GWL_STYLE, WS_POPUP | WS_CAPTION);
    ShowWindow(later, SW_SHOWNA);
    EXPECT_TRUE(IsDesktopManagedWindow(later));
}

TEST_F(WndQt, AnActivePopupHearsTheKeysTheDesktopGivesToAManagedWindow) {
    HWND main = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200);
    SetActiveWindow(main);
    ProcessPendingMessages();
    QWidget* mainWidget = WindowWidgetForTest(main);
    HWND popup = Make(WS_POPUP | WS_VISIBLE, 20, 40, 100, 100, main);
    HWND field = Make(WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, popup);
    SetActiveWindow(popup);
    SetFocus(field);
    ProcessPendingMessages();
    EXPECT_EQ(GetActiveWindow(), popup);
    Log().clear();
    Key(mainWidget, QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 38, "a");
    Key(mainWidget, QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, 38);
    ProcessPendingMessages();
    auto chars = Received(field, WM_CHAR);
    ASSERT_EQ(chars.size(), 1u);
    EXPECT_EQ(chars[0].wp, static_cast<WPARAM>('a'));
}

TEST_F(WndQt, TheCaptureGrabsThePointerSoMovesOutsideEveryWindowStillArrive) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top);
    HWND other = Make(WS_POPUP | WS_VISIBLE, 400, 100, 100, 100);
    QWidget* topWidget = WindowWidgetForTest(top);
    ASSERT_EQ(QWidget::mouseGrabber(), nullptr);
    SetCapture(child);
    EXPECT_EQ(QWidget::mouseGrabber(), topWidget);
    Log().clear();
    // The desktop delivers moves far from any window to the grabbing widget.
    Mouse(topWidget, QEvent::MouseMove, QPoint(700, 600), Qt::NoButton, Qt::NoButton);
    ProcessPendingMessages();
    auto moves = Received(child, WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].lp, MAKELPARAM(700 - 110, 600 - 110));
    SetCapture(other);
    EXPECT_EQ(QWidget::mouseGrabber(), WindowWidgetForTest(other));
    ReleaseCapture();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    // A window without a widget on screen (message-only, hidden) grabs nothing.
    HWND hidden = Make(WS_POPUP, 0, 0, 10, 10);
    SetCapture(hidden);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    ShowWindow(hidden, SW_SHOWNA);  // shown while it holds the capture: it grabs now
    EXPECT_EQ(QWidget::mouseGrabber(), WindowWidgetForTest(hidden));
    DestroyWindow(hidden);  // the capture and the grab end with the window
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(WndQt, QtSystemChangesAreBroadcastToTopLevelAndMessageOnlyWindows) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, top);
    std::vector<TMessage> hidden;
    HWND msgOnly = AllocateHWnd([&](TMessage& m) { hidden.push_back(m); });
    struct Row {
        const char* name;
        std::function<void()> cause;
        UINT msg;
        WPARAM wp;
        const char* lpText;  // the lParam text of WM_SETTINGCHANGE, nullptr for none
    };
    const QPalette saved = QApplication::palette();
    const Row rows[] = {
        {"colours",
         [] {
             QPalette p = QApplication::palette();
             p.setColor(QPalette::Window, QColor(1, 2, 3));
             QApplication::setPalette(p);
         },
         WM_SYSCOLORCHANGE, 0, nullptr},
        {"locale",
         [] {
             QEvent e(QEvent::LocaleChange);
             QCoreApplication::sendEvent(qApp, &e);
         },
         WM_SETTINGCHANGE, 0, "intl"},
        {"fonts",
         [] {
             QEvent e(QEvent::ApplicationFontChange);
             QCoreApplication::sendEvent(qApp, &e);
         },
         WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, nullptr},
        {"theme",
         [] {
             QEvent e(QEvent::ThemeChange);
             QCoreApplication::sendEvent(qApp, &e);
         },
         WM_THEMECHANGED, 0, nullptr},
        {"work area",
         [] {
             QScreen* s = QGuiApplication::primaryScreen();
             QMetaObject::invokeMethod(s, "availableGeometryChanged", Qt::DirectConnection,
                                       Q_ARG(QRect, s->availableGeometry()));
         },
         WM_SETTINGCHANGE, SPI_SETWORKAREA, nullptr},
        {"display",
         [] {
             QScreen* s = QGuiApplication::primaryScreen();
             QMetaObject::invokeMethod(s, "geometryChanged", Qt::DirectConnection, Q_ARG(QRect, s->geometry()));
         },
         WM_DISPLAYCHANGE, 0, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Log().clear();
        hidden.clear();
        r.cause();
        auto got = Received(top, r.msg);
        ASSERT_EQ(got.size(), 1u);
        if (r.msg != WM_DISPLAYCHANGE) {
            EXPECT_EQ(got[0].wp, r.wp);
        }
        if (r.lpText) {
            ASSERT_NE(got[0].lp, 0);
            EXPECT_STREQ(reinterpret_cast<const char*>(got[0].lp), r.lpText);
        }
        EXPECT_TRUE(Received(child, r.msg).empty());
        ASSERT_EQ(hidden.size(), 1u);
        EXPECT_EQ(hidden[0].Msg, r.msg);
    }
    QScreen* s = QGuiApplication::primaryScreen();
    QSize size = s->geometry().size();
    Log().clear();
    QMetaObject::invokeMethod(s, "geometryChanged", Qt::DirectConnection, Q_ARG(QRect, s->geometry()));
    EXPECT_EQ(Received(top, WM_DISPLAYCHANGE)[0].lp, MAKELPARAM(size.width(), size.height()));
    QApplication::setPalette(saved);
    DeallocateHWnd(msgOnly);
}

// What the desktop does to a window reaches it as Windows sends it: through the call-window-procedure hooks,
// ahead of the posted messages, and never as a message that the program's loop takes from the queue.
TEST_F(WndQt, TheDesktopsSystemCommandsAreSentThroughTheCallWindowProcedureHooks) {
    HWND h = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 150);
    static std::vector<WPARAM> seen;
    seen.clear();
    HHOOK hook = SetWindowsHookEx(WH_CALLWNDPROC, [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (m->message == WM_SYSCOMMAND) seen.push_back(m->wParam);
        return CallNextHookEx(nullptr, code, wp, lp);
    });
    QWidget* widget = WindowWidgetForTest(h);
    ASSERT_NE(widget, nullptr);
    PostMessage(h, WM_USER, 0, 0);
    widget->showMinimized();
    MSG m;
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_USER)) << "the command is not handed to the loop";
    EXPECT_EQ(seen, std::vector<WPARAM>{SC_MINIMIZE}) << "delivered before the posted message";
    EXPECT_TRUE(IsIconic(h));
    widget->showNormal();
    ProcessPendingMessages();
    EXPECT_EQ(seen, (std::vector<WPARAM>{SC_MINIMIZE, SC_RESTORE}));
    EXPECT_FALSE(IsIconic(h));
    QCloseEvent close;
    QCoreApplication::sendEvent(widget, &close);
    ProcessPendingMessages();
    EXPECT_EQ(seen.back(), static_cast<WPARAM>(SC_CLOSE));
    EXPECT_FALSE(IsWindow(h));
    // Alt+F4 is the same command from the keyboard.
    HWND other = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 150);
    SetFocus(other);
    seen.clear();
    keybd_event(VK_MENU, 0, 0, 0);
    keybd_event(VK_F4, 0, 0, 0);
    keybd_event(VK_F4, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
    EXPECT_EQ(seen, std::vector<WPARAM>{SC_CLOSE});
    EXPECT_FALSE(IsWindow(other));
    UnhookWindowsHookEx(hook);
}

TEST_F(WndQt, MessagesAreDeliveredWhileAQtDialogRuns) {
    HWND h = Make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    ProcessPendingMessages();
    QDialog dialog;
    bool postedSeen = false, paintSeen = false;
    On(h, [&](HWND hwnd, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_USER + 3) postedSeen = true;
        if (m == WM_PAINT) paintSeen = true;
        if (postedSeen && paintSeen) dialog.done(1);
        (void)hwnd;
        return false;
    });
    QTimer::singleShot(0, &dialog, [h] {
        PostMessage(h, WM_USER + 3, 0, 0);
        InvalidateRect(h, nullptr, FALSE);
    });
    QTimer::singleShot(5000, &dialog, [&] { dialog.done(0); });  // a safety net, never the expected way out
    EXPECT_EQ(dialog.exec(), 1);
    EXPECT_TRUE(postedSeen);
    EXPECT_TRUE(paintSeen);
    Handlers().erase(h);  // the handler refers to this scope
}

}  // namespace
}  // namespace zel::test
