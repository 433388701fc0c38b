// The system window and its four editors: opening each (form reading and the first paint), repainting
// each, and switching the scale-tune editor through its 17 scale tunes.
#include <benchmark/benchmark.h>

#include "EditorBench.h"
#include "editors/Uescalet.h"
#include "editors/Uesystem.h"
#include "model/SystemElem.h"

namespace {

using namespace zel;

// A main window, a system and its window.
class TSystemBench : public TBenchDesktop {
public:
    ~TSystemBench() { CloseWindow(); }
    TFormSystem* OpenWindow() {
        Window = TFormSystem::Open(Main(), System);
        ProcessPendingMessages();
        return Window;
    }
    void CloseWindow() {
        if (Window == nullptr) return;
        Window->ReleaseByElement();
        Window = nullptr;
        ProcessPendingMessages();
    }
    // Opens editor Slot (TSystem::seSetup...) as a double click on its panel does; painted.
    TForm* OpenEditor(int Slot) {
        switch (Slot) {
            case TSystem::seSetup: Window->SysSetupDblClick(Window->SysSetup); break;
            case TSystem::seMidi: Window->SysMidiDblClick(Window->SysMidi); break;
            case TSystem::sePreview: Window->SysPreviewDblClick(Window->SysPreview); break;
            default: Window->SysScaleTuneDblClick(Window->SysScaleTune); break;
        }
        ProcessPendingMessages();
        return dynamic_cast<TForm*>(System.Editors[static_cast<std::size_t>(Slot)].EditorForm);
    }
    void CloseEditors() {
        System.CloseEditors();
        ProcessPendingMessages();
    }

    TSystem System{nullptr};
    TFormSystem* Window = nullptr;
};

void BM_OpenSystemWindow(benchmark::State& state) {
    TSystemBench bench;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.OpenWindow());
        state.PauseTiming();
        bench.CloseWindow();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenSystemWindow)->Unit(benchmark::kMillisecond);

void BM_RepaintSystemWindow(benchmark::State& state) {
    TSystemBench bench;
    TFormSystem* window = bench.OpenWindow();
    for (auto _ : state) {
        RedrawWindow(window->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        ProcessPendingMessages();
    }
}
BENCHMARK(BM_RepaintSystemWindow)->Unit(benchmark::kMillisecond);

// The argument is the editor's slot: 0 setup, 1 MIDI, 2 scale tune, 3 preview.
void BM_OpenSystemEditor(benchmark::State& state) {
    TSystemBench bench;
    bench.OpenWindow();
    const int slot = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.OpenEditor(slot));
        state.PauseTiming();
        bench.CloseEditors();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenSystemEditor)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_RepaintSystemEditor(benchmark::State& state) {
    TSystemBench bench;
    bench.OpenWindow();
    TForm* editor = bench.OpenEditor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        RedrawWindow(editor->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        ProcessPendingMessages();
    }
}
BENCHMARK(BM_RepaintSystemEditor)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The 17 buttons pressed in turn, each filling and painting the twelve fields.
void BM_ScaleTuneThroughAll17(benchmark::State& state) {
    TSystemBench bench;
    bench.OpenWindow();
    auto* editor = dynamic_cast<TFormScaleTune*>(bench.OpenEditor(TSystem::seScaleTune));
    for (auto _ : state) {
        for (TSpeedButton* button : editor->SpeedButtons) {
            button->Click();
            ProcessPendingMessages();
        }
    }
}
BENCHMARK(BM_ScaleTuneThroughAll17)->Unit(benchmark::kMillisecond);

}  // namespace
