// The patch window and its common editor: opening both (form reading and the first paint), repainting the
// whole common editor, and one step of the Patch Level slider by the mouse with its release, its
// SendandStore and its data set (on the manual clock, so the 50 ms pace before a send is not counted).
#include <benchmark/benchmark.h>

#include "EditorBench.h"
#include "editors/Uecommon.h"
#include "editors/Uepatch.h"
#include "model/Patch.h"

namespace {

using namespace zel;

// A main window, a patch, the ports and the manual clock.
class TEditorBench : public TBenchDesktop {
public:
    ~TEditorBench() {
        // The released window goes while the patch still stands.
        if (Window != nullptr) Window->ReleaseByElement();
        ProcessPendingMessages();
    }
    // Opens the patch window and, as a double click on "Common" does, the common editor; both painted.
    TFormCommon* Open() {
        Window = TFormPatch::Open(Main(), Patch);
        Window->CommonDblClick(Window->Common);
        ProcessPendingMessages();
        return dynamic_cast<TFormCommon*>(Patch.Common->Editors[TCommon::ceCommon].EditorForm);
    }
    void Close() {
        Window->ReleaseByElement();
        Window = nullptr;
        ProcessPendingMessages();
    }

    TPatch Patch{nullptr};
    TFormPatch* Window = nullptr;
};

void BM_OpenPatchWindowWithCommonEditor(benchmark::State& state) {
    TEditorBench bench;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.Open());
        state.PauseTiming();
        bench.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenPatchWindowWithCommonEditor)->Unit(benchmark::kMillisecond);

void BM_RepaintCommonEditor(benchmark::State& state) {
    TEditorBench bench;
    TFormCommon* editor = bench.Open();
    for (auto _ : state) {
        RedrawWindow(editor->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        ProcessPendingMessages();
    }
}
BENCHMARK(BM_RepaintCommonEditor)->Unit(benchmark::kMillisecond);

void BM_PatchLevelSliderStep(benchmark::State& state) {
    TEditorBench bench;
    TFormCommon* editor = bench.Open();
    TSlider* slider = editor->PatchLevel->Slider();
    const HWND h = slider->GetHandle();
    const long long before = bench.Ports.Messages;
    bool up = true;
    for (auto _ : state) {
        // Grab the thumb, move it one value, let go: one data set.
        const TRect thumb = slider->ThumbRect();
        const int x = (thumb.left + thumb.right) / 2;
        const int y = (thumb.top + thumb.bottom) / 2;
        const int to = up ? y - 2 : y + 2;
        SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessage(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, to));
        SendMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(x, to));
        up = !up;
    }
    state.counters["messages"] =
        benchmark::Counter(static_cast<double>(bench.Ports.Messages - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PatchLevelSliderStep)->Unit(benchmark::kMicrosecond);

}  // namespace
