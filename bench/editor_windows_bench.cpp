// The patch window and its editors: opening the window with the common editor, and with every editor
// of the patch (the common and the 28 tone editors; form reading and the first paint), repainting the
// common editor and each of the six tone editors, one step of the Patch Level and the TVF Cutoff slider
// by the mouse with its release, its SendandStore and its data set, and one envelope point dragged with
// its data sets (on the manual clock, so the 50 ms pace before a send is not counted).
// The effects editor: opening it, a change of the EFX type (the panel rebuilt, its values set, the diagram
// drawn) and a repaint of its second page, for every type.
#include <benchmark/benchmark.h>

#include "EditorBench.h"
#include "editors/Uecommon.h"
#include "editors/Uecontr.h"
#include "editors/Ueeffect.h"
#include "editors/Uelfo.h"
#include "editors/Uepatch.h"
#include "editors/Uepitch.h"
#include "editors/Uetva.h"
#include "editors/Uetvf.h"
#include "editors/Uewave.h"
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
    // Opens every editor of the patch as the double clicks on its panels do; all painted.
    void OpenAll() {
        Open();
        for (int t = 1; t <= ToneCount; ++t) {
            const std::string n = std::to_string(t);
            Window->Wave1DblClick(Window->SectionPanel("Wave" + n));
            Window->Pitch1DblClick(Window->SectionPanel("Pitch" + n));
            Window->TVFDblClick(Window->SectionPanel(t == 1 ? "TVF" : "Tvf" + n));
            Window->Tva1DblClick(Window->SectionPanel("Tva" + n));
            Window->Lfo11DblClick(Window->SectionPanel("Lfo1" + n));
            Window->Lfo21DblClick(Window->SectionPanel("Lfo2" + n));
            Window->Control1DblClick(Window->SectionPanel(t == 4 ? "control4" : "Control" + n));
        }
        ProcessPendingMessages();
    }
    // The editor of a tone-1 slot, after OpenAll.
    TToneEditor* ToneEditor(int Slot) {
        return dynamic_cast<TToneEditor*>(Patch.Tone(1).Editors[static_cast<std::size_t>(Slot)].EditorForm);
    }
    // The effects editor, as a double click on "Effects" opens it; painted.
    TFormEffect* OpenEffects() {
        if (Window == nullptr) Window = TFormPatch::Open(Main(), Patch);
        Window->EffectsDblClick(Window->Effects);
        ProcessPendingMessages();
        return dynamic_cast<TFormEffect*>(Patch.Common->Editors[TCommon::ceEffects].EditorForm);
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

void BM_OpenPatchWindowWithAllEditors(benchmark::State& state) {
    TEditorBench bench;
    for (auto _ : state) {
        bench.OpenAll();
        state.PauseTiming();
        bench.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenPatchWindowWithAllEditors)->Unit(benchmark::kMillisecond);

// Arg: the tone editor's slot (wave, TVA, TVF, pitch, LFO 1, LFO 2, control).
void BM_RepaintToneEditor(benchmark::State& state) {
    TEditorBench bench;
    bench.OpenAll();
    TToneEditor* editor = bench.ToneEditor(static_cast<int>(state.range(0)));
    state.SetLabel(editor->ClassName());
    for (auto _ : state) {
        RedrawWindow(editor->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        ProcessPendingMessages();
    }
}
BENCHMARK(BM_RepaintToneEditor)
    ->DenseRange(TTone::teWave, TTone::teLFO1)
    ->Arg(TTone::teControl)
    ->Unit(benchmark::kMillisecond);

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
    RunSliderSteps(state, editor->PatchLevel->Slider(), bench.Ports);
}
BENCHMARK(BM_PatchLevelSliderStep)->Unit(benchmark::kMicrosecond);

void BM_CutoffSliderStep(benchmark::State& state) {
    TEditorBench bench;
    bench.OpenAll();
    auto* editor = dynamic_cast<TFormTVF*>(bench.ToneEditor(TTone::teTVF));
    RunSliderSteps(state, editor->cutofffrequency->Slider(), bench.Ports);
}
BENCHMARK(BM_CutoffSliderStep)->Unit(benchmark::kMicrosecond);

void BM_EnvelopePointDrag(benchmark::State& state) {
    TEditorBench bench;
    for (int n = 91; n <= 98; ++n) bench.Patch.Tone(1).Data()[n] = 40;
    bench.OpenAll();
    auto* editor = dynamic_cast<TFormTVF*>(bench.ToneEditor(TTone::teTVF));
    TPanGraph* graph = editor->Graph;
    const HWND h = graph->GetHandle();
    const long long before = bench.Ports.Messages;
    bool up = true;
    for (auto _ : state) {
        // Point 2 dragged up and right, then back: its time and level, each one data set.
        const TPoint p = graph->PointPos(2);
        const int dx = up ? 3 : -3;
        const int dy = up ? -6 : 6;
        SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessage(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x + dx, p.y + dy));
        SendMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(p.x + dx, p.y + dy));
        up = !up;
    }
    state.counters["messages"] =
        benchmark::Counter(static_cast<double>(bench.Ports.Messages - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_EnvelopePointDrag)->Unit(benchmark::kMicrosecond);

void BM_OpenEffectsEditor(benchmark::State& state) {
    TEditorBench bench;
    bench.Window = TFormPatch::Open(Application->MainForm, bench.Patch);
    ProcessPendingMessages();
    for (auto _ : state) {
        TFormEffect* editor = bench.OpenEffects();
        benchmark::DoNotOptimize(editor);
        state.PauseTiming();
        editor->Close();
        ProcessPendingMessages();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenEffectsEditor)->Unit(benchmark::kMillisecond);

// Changing to the type (from the one before it), with the devices closed: nothing is fetched.
void BM_EffectsTypeChange(benchmark::State& state) {
    TEditorBench bench;
    TFormEffect* editor = bench.OpenEffects();
    DevicesOpen = 0;
    const int type = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        editor->EFXType->SetItemIndex(type == 1 ? 1 : type - 2);
        editor->EFXTypeChange(editor->EFXType);
        editor->EFXType->SetItemIndex(type - 1);
        state.ResumeTiming();
        editor->EFXTypeChange(editor->EFXType);
    }
}
BENCHMARK(BM_EffectsTypeChange)->DenseRange(1, EfxTypeCount)->Unit(benchmark::kMillisecond);

void BM_RepaintEffectsPage2(benchmark::State& state) {
    TEditorBench bench;
    TFormEffect* editor = bench.OpenEffects();
    DevicesOpen = 0;
    editor->TabbedNotebook1->SetPageIndex(1);
    editor->EFXType->SetItemIndex(static_cast<int>(state.range(0)) - 1);
    editor->EFXTypeChange(editor->EFXType);
    ProcessPendingMessages();
    for (auto _ : state) {
        RedrawWindow(editor->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        ProcessPendingMessages();
    }
}
BENCHMARK(BM_RepaintEffectsPage2)->DenseRange(1, EfxTypeCount)->Unit(benchmark::kMillisecond);

}  // namespace
