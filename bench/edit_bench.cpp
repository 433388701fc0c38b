// The edit window under long texts: a keystroke with its repaint, at the end and in the middle of the
// text, and a click that places the caret, for texts of 100, 1,000 and 10,000 characters.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Windows.h"

namespace {

using namespace zel;

// A shown form with one focused edit holding n characters of varied widths.
struct TEditStage {
    TForm* form = nullptr;
    TEdit* edit = nullptr;
    HWND h = nullptr;
    explicit TEditStage(int n) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        form = Construct<TForm>(nullptr);
        form->SetBounds(0, 0, 300, 100);
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 21);
        std::string text;
        for (int i = 0; i < n; ++i) text += "F0 41 10 6A Wim "[i % 16];
        edit->SetText(text);
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

}  // namespace
