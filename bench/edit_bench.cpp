// The edit window under long texts: a keystroke with its repaint, at the end and in the middle of the
// text, and a click that places the caret, for texts of 100, 1,000 and 10,000 characters; the same keystroke
// and click as input on a maximised 1600x1000 form, until they are on the screen.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"

namespace {

using namespace zel;

// A shown form with one focused edit holding n characters of varied widths, maximised when asked.
struct TEditStage {
    TForm* form = nullptr;
    TEdit* edit = nullptr;
    HWND h = nullptr;
    explicit TEditStage(int n, bool maximised = false) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        form = Construct<TForm>(nullptr);
        form->SetBounds(0, 0, 300, 100);
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 21);
        std::string text;
        for (int i = 0; i < n; ++i) text += "F0 41 10 6A Wim "[i % 16];
        edit->SetText(text);
        if (maximised) form->SetWindowState(wsMaximized);
        form->Show();
        edit->SetFocus();
        h = edit->GetHandle();
        ProcessPendingMessages();
    }
    ~TEditStage() {
        delete form;
        ProcessPendingMessages();
    }
    void PutCaret(int pos) {
        SendMessage(h, EM_SETSEL, static_cast<WPARAM>(pos), pos);
        UpdateWindow(h);
    }
};

// Each iteration is one keystroke and its repaint: a character typed, then erased again with Backspace,
// so that the text keeps its length.
void Keystrokes(benchmark::State& state, bool middle) {
    const int n = static_cast<int>(state.range(0));
    TEditStage s(n);
    s.PutCaret(middle ? n / 2 : n);
    bool typed = false;
    for (auto _ : state) {
        SendMessage(s.h, WM_CHAR, typed ? VK_BACK : 'x', 0);
        UpdateWindow(s.h);
        typed = !typed;
    }
    if (static_cast<int>(s.edit->GetText().size()) != n + (typed ? 1 : 0)) state.SkipWithError("keystrokes lost");
    state.SetItemsProcessed(state.iterations());
}

void BM_EditKeystrokeAtEnd(benchmark::State& state) { Keystrokes(state, false); }
BENCHMARK(BM_EditKeystrokeAtEnd)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_EditKeystrokeInMiddle(benchmark::State& state) { Keystrokes(state, true); }
BENCHMARK(BM_EditKeystrokeInMiddle)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// A click in the window, scrolled to the middle of the text, that places the caret, with the repaint.
void BM_EditClick(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    TEditStage s(n);
    s.PutCaret(n / 2);
    int i = 0;
    for (auto _ : state) {
        const LPARAM at = MAKELPARAM(static_cast<WORD>(40 + (i++ % 100)), 10);
        SendMessage(s.h, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessage(s.h, WM_LBUTTONUP, 0, at);
        UpdateWindow(s.h);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EditClick)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// A 1600x1000 screen while it lives.
struct TLargeScreen {
    TLargeScreen() {
        MONITORINFO screen;
        screen.rcMonitor = RECT{0, 0, 1600, 1000};
        screen.rcWork = screen.rcMonitor;
        screen.dwFlags = MONITORINFOF_PRIMARY;
        SetTestMonitors({screen});
    }
    ~TLargeScreen() { SetTestMonitors({}); }
};

// The edit's form maximised on that screen, the caret in the middle of the text.
struct TMaximisedStage : TLargeScreen, TEditStage {
    explicit TMaximisedStage(int n) : TEditStage(n, true) {
        PutCaret(n / 2);
        Settle();
    }
    // The input handled, the windows painted, and what they drew copied to the screen: the character a key
    // release types is posted, painting follows the posted messages, and the toolkit paints its widget on the
    // pass after that.
    static void Settle() {
        for (int i = 0; i < 3; ++i) ProcessPendingMessages();
    }
};

void BM_ShownEditKeystroke(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    TMaximisedStage s(n);
    bool typed = false;
    for (auto _ : state) {
        const BYTE vk = typed ? VK_BACK : 'X';
        keybd_event(vk, 0, 0, 0);
        keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
        TMaximisedStage::Settle();
        typed = !typed;
    }
    if (static_cast<int>(s.edit->GetText().size()) != n + (typed ? 1 : 0)) state.SkipWithError("keystrokes lost");
    state.counters["form_width"] = s.form->GetWidth();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ShownEditKeystroke)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_ShownEditClick(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    TMaximisedStage s(n);
    POINT origin{0, 0};
    ClientToScreen(s.edit->GetHandle(), &origin);
    int i = 0;
    for (auto _ : state) {
        SetCursorPos(origin.x + 40 + (i++ % 100), origin.y + 10);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        TMaximisedStage::Settle();
    }
    state.counters["form_width"] = s.form->GetWidth();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ShownEditClick)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
