// Typing into the EDIT through the desktop's key events and input method, and the EDIT's clipboard: cut,
// copy, paste, clear and undo by message and by key, between two edits and with the desktop's clipboard.
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/vcl/StdCtrls.h"
#include "platform/win/Clipboard.h"
#include "platform/win/WindowsQt.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

class EditInput : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        RegisterStandardClasses();
        form = Keep(Construct<TForm>(nullptr));
        form->SetBounds(0, 0, 320, 200);
        form->Show();
        ProcessPendingMessages();
    }
    void TearDown() override {
        for (HWND h : windows_) DestroyWindow(h);
        for (BYTE key : {VK_SHIFT, VK_CONTROL})
            if (GetAsyncKeyState(key) < 0) keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
        VclTest::TearDown();
    }
    HWND MakeEdit(DWORD style = 0, const std::string& text = "") {
        HWND h = CreateWindowEx(0, "EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | style, 10,
                                10 + 40 * static_cast<int>(windows_.size()), 200, 30, form->GetHandle(), nullptr,
                                nullptr, nullptr);
        EXPECT_NE(h, nullptr);
        windows_.push_back(h);
        return h;
    }
    static std::string Text(HWND h) {
        std::string s(static_cast<std::size_t>(GetWindowTextLength(h)) + 1, '\0');
        s.resize(static_cast<std::size_t>(GetWindowText(h, s.data(), static_cast<int>(s.size()))));
        return s;
    }
    static void Select(HWND h, int a, int b) { SendMessage(h, EM_SETSEL, static_cast<WPARAM>(a), b); }
    QWidget* Widget() const { return WindowWidgetForTest(form->GetHandle()); }
    // A key pressed and released on the form's desktop window, as the desktop reports it.
    void DesktopKey(int key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, 0, 0, 0, text);
        QCoreApplication::sendEvent(Widget(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, 0, 0, 0, text);
        QCoreApplication::sendEvent(Widget(), &release);
        ProcessPendingMessages();
    }
    // What the desktop's input method composed.
    void Composed(const QString& text) {
        QInputMethodEvent e;
        e.setCommitString(text);
        QCoreApplication::sendEvent(Widget(), &e);
        ProcessPendingMessages();
    }
    // A key tapped with the modifier held (0 for none), through the input queue.
    static void Tap(BYTE modifier, BYTE key) {
        if (modifier) keybd_event(modifier, 0, 0, 0);
        keybd_event(key, 0, 0, 0);
        keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        if (modifier) keybd_event(modifier, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
    }
    static QClipboard* Desktop() { return QGuiApplication::clipboard(); }

    TForm* form = nullptr;

private:
    std::vector<HWND> windows_;
};

TEST_F(EditInput, TypedAndComposedCharactersArriveInWindows1252AndOthersNotAtAll) {
    struct Row {
        const char* name;
        int key;              // the desktop's key, 0 for a character from the input method
        const char* typed;    // UTF-8
        const char* deadKey;  // a dead key's name pressed first (no text), or nullptr
        std::string held;     // what the edit then holds
    };
    const Row rows[] = {
        {"plain letter", Qt::Key_A, "a", nullptr, "a"},
        {"accented letter of the layout", Qt::Key_Eacute, "\u00e9", nullptr, "\xE9"},
        {"sharp s", Qt::Key_ssharp, "\u00df", nullptr, "\xDF"},
        {"euro sign", 0x20AC /* the euro key */, "\u20ac", nullptr, "\x80"},
        {"dead diaeresis then u", 0, "\u00fc", "diaeresis", "\xFC"},
        {"dead diaeresis then o", 0, "\u00f6", "diaeresis", "\xF6"},
        {"composed i diaeresis", 0, "\u00ef", nullptr, "\xEF"},
        {"composed ellipsis", 0, "\u2026", nullptr, "\x85"},
        {"letter outside the code page", 0x01B1 /* a key Qt names, with no virtual key */, "\u0105", nullptr, ""},
        {"composed arrow outside the code page", 0, "\u2192", nullptr, ""},
    };
    HWND edit = MakeEdit();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        SetWindowText(edit, "");
        SetFocus(edit);
        if (r.deadKey != nullptr) DesktopKey(Qt::Key_Dead_Diaeresis, QString());
        EXPECT_EQ(Text(edit), "") << "a dead key alone types nothing";
        const QString typed = QString::fromUtf8(r.typed);
        if (r.key != 0) DesktopKey(r.key, typed);
        else Composed(typed);
        EXPECT_EQ(Text(edit), r.held);
    }
}

TEST_F(EditInput, CutCopyAndPasteCarryTextBetweenTwoEditsByMessageAndByKey) {
    struct Row {
        const char* name;
        BYTE modifier, key;  // the copying key
        bool cuts;
        BYTE pasteModifier, pasteKey;
    };
    const Row rows[] = {
        {"messages", 0, 0, false, 0, 0},
        {"Ctrl+C, Ctrl+V", VK_CONTROL, 'C', false, VK_CONTROL, 'V'},
        {"Ctrl+X, Shift+Ins", VK_CONTROL, 'X', true, VK_SHIFT, VK_INSERT},
        {"Shift+Del, Ctrl+V", VK_SHIFT, VK_DELETE, true, VK_CONTROL, 'V'},
        {"Ctrl+Ins, Shift+Ins", VK_CONTROL, VK_INSERT, false, VK_SHIFT, VK_INSERT},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        HWND from = MakeEdit(0, "Caf\xE9\x80 Piano"), to = MakeEdit(0, "<>");
        Select(from, 0, 5);
        SetFocus(from);
        if (r.key != 0) Tap(r.modifier, r.key);
        else SendMessage(from, WM_COPY, 0, 0);
        EXPECT_EQ(Text(from), r.cuts ? " Piano" : "Caf\xE9\x80 Piano");
        EXPECT_EQ(Desktop()->text(), QString::fromUtf8("Café€"));
        Select(to, 1, 1);
        SetFocus(to);
        if (r.pasteKey != 0) Tap(r.pasteModifier, r.pasteKey);
        else SendMessage(to, WM_PASTE, 0, 0);
        EXPECT_EQ(Text(to), "<Caf\xE9\x80>");
        DestroyWindow(from);
        DestroyWindow(to);
    }
}

TEST_F(EditInput, TheClipboardIsTheDesktopsInWindows1252WithCrLfLines) {
    HWND memo = MakeEdit(ES_MULTILINE,
                         "Gr\xFC\xDF"
                         "e\r\nL2");
    Select(memo, 0, -1);
    SendMessage(memo, WM_COPY, 0, 0);
    EXPECT_EQ(Desktop()->text(), QString::fromUtf8("Grüße\nL2"));

    Desktop()->setText(QString::fromUtf8("ü → é\nnext"));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    SetWindowText(memo, "");
    SendMessage(memo, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(memo), "\xFC ? \xE9\r\nnext") << "outside the code page: '?'";

    // The calls themselves: CF_TEXT ends at the first NUL; only an opened, emptied clipboard takes data.
    ASSERT_TRUE(OpenClipboard(nullptr));
    HGLOBAL mem = GlobalAlloc(GHND, 8);
    std::copy_n("ab\0cd", 6, static_cast<char*>(GlobalLock(mem)));
    GlobalUnlock(mem);
    EXPECT_EQ(SetClipboardData(CF_TEXT, mem), nullptr) << "not emptied";
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(SetClipboardData(CF_TEXT, mem), mem);
    EXPECT_FALSE(OpenClipboard(memo)) << "open for another window";
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(Desktop()->text(), QString("ab"));
    ASSERT_TRUE(OpenClipboard(memo));
    EXPECT_EQ(GetClipboardOwner(), nullptr);
    HANDLE got = GetClipboardData(CF_TEXT);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(got))), "ab");
    GlobalUnlock(got);
    EXPECT_EQ(GetClipboardData(2), nullptr) << "an unknown format";
    CloseClipboard();
}

TEST_F(EditInput, APasteHonoursTheLimitReadOnlyAndASingleLine) {
    const std::string lines = "first line\nsecond line", huge(100000, 'x');
    struct Row {
        const char* name;
        std::string clip;
        DWORD style;
        int limit;  // 0: none
        std::string held;
    };
    const Row rows[] = {
        {"single line keeps the first line", lines, 0, 0, "[first line]"},
        {"multi-line keeps both", lines, ES_MULTILINE, 0, "[first line\r\nsecond line]"},
        {"the limit cuts what is pasted", lines, 0, 7, "[first]"},
        {"read-only takes nothing", lines, ES_READONLY, 0, "[]"},
        {"a line break first leaves nothing", "\nafter", 0, 0, "[]"},
        {"100,000 characters", huge, 0, 0, "[" + huge + "]"},
        {"100,000 characters cut to the limit", huge, 0, 10, "[" + huge.substr(0, 8) + "]"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Desktop()->setText(QString::fromStdString(r.clip));
        HWND h = MakeEdit(r.style, "[]");
        if (r.limit) SendMessage(h, EM_LIMITTEXT, static_cast<WPARAM>(r.limit), 0);
        Select(h, 1, 1);
        SendMessage(h, WM_PASTE, 0, 0);
        EXPECT_EQ(Text(h), r.held);
        DestroyWindow(h);
    }
}

// A window that subclasses the EDIT and records what reaches it before passing it on.
struct TRecorder {
    static std::vector<UINT>& Heard() {
        static std::vector<UINT> heard;
        return heard;
    }
    static bool& KeepCut() {
        static bool keep = false;
        return keep;
    }
    static WNDPROC& Previous() {
        static WNDPROC previous = nullptr;
        return previous;
    }
    static LRESULT Proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
        switch (m) {
            case WM_CUT:
            case WM_COPY:
            case WM_PASTE:
            case WM_UNDO:
            case WM_IME_STARTCOMPOSITION:
            case WM_IME_COMPOSITION:
            case WM_IME_ENDCOMPOSITION:
            case WM_IME_CHAR:
            case WM_CHAR: Heard().push_back(m); break;
            default: break;
        }
        // A subclass may keep WM_CUT to itself.
        if (m == WM_CUT && KeepCut()) return 0;
        return CallWindowProc(Previous(), h, m, wp, lp);
    }
    explicit TRecorder(HWND h) {
        Heard().clear();
        KeepCut() = false;
        Previous() =
            reinterpret_cast<WNDPROC>(SetWindowLongPtr(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&TRecorder::Proc)));
    }
};

TEST_F(EditInput, TheClipboardKeysReachTheEditsCurrentWindowProcedureAsMessages) {
    struct Row {
        const char* name;
        BYTE modifier, key;
        std::vector<UINT> heard;
    };
    const Row rows[] = {
        {"Ctrl+X", VK_CONTROL, 'X', {WM_CHAR, WM_CUT}},   {"Ctrl+C", VK_CONTROL, 'C', {WM_CHAR, WM_COPY}},
        {"Ctrl+V", VK_CONTROL, 'V', {WM_CHAR, WM_PASTE}}, {"Ctrl+Z", VK_CONTROL, 'Z', {WM_CHAR, WM_UNDO}},
        {"Shift+Del", VK_SHIFT, VK_DELETE, {WM_CUT}},     {"Shift+Ins", VK_SHIFT, VK_INSERT, {WM_PASTE}},
        {"Ctrl+Ins", VK_CONTROL, VK_INSERT, {WM_COPY}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        HWND h = MakeEdit(0, "abc");
        TRecorder recorder(h);
        SetFocus(h);
        Tap(r.modifier, r.key);
        EXPECT_EQ(TRecorder::Heard(), r.heard);
        DestroyWindow(h);
    }
    // A subclass that keeps WM_CUT keeps the text and the clipboard as they were.
    Desktop()->setText("before");
    HWND h = MakeEdit(0, "abc");
    TRecorder recorder(h);
    TRecorder::KeepCut() = true;
    SetFocus(h);
    Select(h, 0, 3);
    Tap(VK_SHIFT, VK_DELETE);
    EXPECT_EQ(Text(h), "abc");
    EXPECT_EQ(Desktop()->text(), QString("before"));
    TRecorder::KeepCut() = false;
}

TEST_F(EditInput, AComposedTextArrivesAsOneCompositionWithAnImeCharPerCharacter) {
    HWND h = MakeEdit(0, "");
    TRecorder recorder(h);
    SetFocus(h);
    Composed(QString::fromUtf8("é→€"));
    const std::vector<UINT> heard{
        WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION, WM_IME_CHAR, WM_CHAR, WM_IME_CHAR, WM_IME_CHAR, WM_CHAR,
        WM_IME_ENDCOMPOSITION};
    EXPECT_EQ(TRecorder::Heard(), heard) << "the arrow is outside Windows-1252 and makes no WM_CHAR";
    EXPECT_EQ(Text(h), "\xE9\x80");
}

TEST_F(EditInput, TypingPastTheRightEdgeTellsTheParentTheTextScrolled) {
    int hscrolls = 0;
    TWndMethod old = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_COMMAND && HIWORD(m.WParam) == EN_HSCROLL) ++hscrolls;
        old(m);
    };
    HWND h = MakeEdit(0, "");
    SetFocus(h);
    for (int i = 0; i < 10; ++i) Tap(0, 'W');
    EXPECT_EQ(hscrolls, 0) << "ten characters fit";
    for (int i = 0; i < 30; ++i) Tap(0, 'W');
    EXPECT_GT(hscrolls, 0);
    const int before = hscrolls;
    Tap(0, VK_HOME);
    EXPECT_EQ(hscrolls, before + 1);
    form->WindowProc = old;
}

// Home and End keep to the caret's line in a multi-line edit; with Ctrl, and in a single line, they go to the
// ends of the whole text. Shift extends the selection from where the caret was.
TEST_F(EditInput, HomeAndEndGoToTheEndsOfTheCaretsLine) {
    const std::string lines = "first line\r\nsecond\r\nthird";  // lines at 0-10, 12-18, 20-25
    struct Row {
        const char* name;
        DWORD style;
        int caret;
        BYTE modifier;
        BYTE key;
        DWORD selStart, selEnd;  // the selection afterwards, as EM_GETSEL gives it
    };
    const Row rows[] = {
        {"End in the middle line", ES_MULTILINE, 14, 0, VK_END, 18, 18},
        {"Home in the middle line", ES_MULTILINE, 14, 0, VK_HOME, 12, 12},
        {"Shift+End selects to the line's end", ES_MULTILINE, 14, VK_SHIFT, VK_END, 14, 18},
        {"Shift+Home selects to the line's start", ES_MULTILINE, 14, VK_SHIFT, VK_HOME, 12, 14},
        {"End on the first line stops before its line break", ES_MULTILINE, 0, 0, VK_END, 10, 10},
        {"End on the last line", ES_MULTILINE, 21, 0, VK_END, 25, 25},
        {"Home at a line's start stays", ES_MULTILINE, 12, 0, VK_HOME, 12, 12},
        {"Ctrl+End goes to the end of the text", ES_MULTILINE, 14, VK_CONTROL, VK_END, 25, 25},
        {"Ctrl+Home goes to the start of the text", ES_MULTILINE, 14, VK_CONTROL, VK_HOME, 0, 0},
        {"End in a single line", 0, 3, 0, VK_END, 11, 11},
        {"Shift+Home in a single line", 0, 3, VK_SHIFT, VK_HOME, 0, 3},
    };
    HWND multi = MakeEdit(ES_MULTILINE, lines);
    HWND single = MakeEdit(0, "single line");
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        HWND h = r.style & ES_MULTILINE ? multi : single;
        SetFocus(h);
        Select(h, r.caret, r.caret);
        Tap(r.modifier, r.key);
        DWORD a = 0, b = 0;
        SendMessage(h, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
        EXPECT_EQ(a, r.selStart);
        EXPECT_EQ(b, r.selEnd);
    }
}

TEST_F(EditInput, UndoTakesBackTheLastChangeAndAnUndoIsUndoneByTheNext) {
    HWND h = MakeEdit(0, "x");
    SetFocus(h);
    Select(h, 1, 1);
    EXPECT_FALSE(SendMessage(h, EM_CANUNDO, 0, 0)) << "a text set is not a change to undo";
    for (char c : std::string("yz")) SendMessage(h, WM_CHAR, static_cast<WPARAM>(c), 0);
    EXPECT_EQ(Text(h), "xyz");
    Tap(VK_CONTROL, 'Z');
    EXPECT_EQ(Text(h), "x") << "what was typed in one go goes in one";
    SendMessage(h, WM_UNDO, 0, 0);
    EXPECT_EQ(Text(h), "xyz");
    Select(h, 0, 1);
    SendMessage(h, WM_CLEAR, 0, 0);
    EXPECT_EQ(Text(h), "yz");
    SendMessage(h, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(h), "xyz");
    SendMessage(h, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessage(h, WM_UNDO, 0, 0);
    EXPECT_EQ(Text(h), "xyz");
}

}  // namespace
}  // namespace zel::test
