// The performance and rhythm-set windows: opening each with its editors (form reading and the first
// paint), a key chosen on a rhythm key editor's keyboard (the editor refilled and repainted), a full
// repaint of the parts editor, and one step of the Part Level slider by the mouse with its release, its
// SendandStore and its data set (on the manual clock, so the 50 ms pace before a send is not counted).
#include <benchmark/benchmark.h>

#include "EditorBench.h"
#include "controls/ControlsUnits.h"
#include "editors/Uepart.h"
#include "editors/Ueperfor.h"
#include "editors/Uerhythm.h"
#include "editors/Uerhytvf.h"
#include "model/CurrentElements.h"
#include "model/ModelServices.h"
#include "model/Performance.h"
#include "model/Rhythm.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/win/Windows.h"

namespace {

using namespace zel;

// A main window, a performance and a rhythm set (both current on the instrument already, so that
// activating their windows sends nothing), the ports and the manual clock.
class TContainerBench : public TBenchDesktop {
public:
    TContainerBench() : TBenchDesktop(1280, 1024) {
        CurrentPerformance = &Performance;
        CurrentRhythm = &Rhythm;
    }
    ~TContainerBench() {
        Close();
        ResetCurrentElements();
    }
    // The performance window with its common and parts editors, as double clicks open them.
    TFormPart* OpenPerformance() {
        PerformanceWindow = TFormPerformance::Open(Main(), Performance);
        PerformanceWindow->PerComDblClick(PerformanceWindow->PerCom);
        PerformanceWindow->PerPartsDblClick(PerformanceWindow->PerParts);
        ProcessPendingMessages();
        return dynamic_cast<TFormPart*>(Performance.PartEditor.EditorForm);
    }
    // The rhythm-set window with its four key editors.
    TFormRhyTVF* OpenRhythm() {
        RhythmWindow = TFormRhythm::Open(Main(), Rhythm);
        RhythmWindow->RhyMainDblClick(RhythmWindow->RhyMain);
        RhythmWindow->RhyPitchDblClick(RhythmWindow->RhyPitch);
        RhythmWindow->RhyTVADblClick(RhythmWindow->RhyTVA);
        RhythmWindow->RhyTVFDblClick(RhythmWindow->RhyTVF);
        ProcessPendingMessages();
        return dynamic_cast<TFormRhyTVF*>(Rhythm.Editors[TRhythm::reTVF].EditorForm);
    }
    void Close() {
        if (PerformanceWindow != nullptr) PerformanceWindow->ReleaseByElement();
        if (RhythmWindow != nullptr) RhythmWindow->ReleaseByElement();
        PerformanceWindow = nullptr;
        RhythmWindow = nullptr;
        ProcessPendingMessages();
    }

    TPerformance Performance{nullptr};
    TRhythm Rhythm{nullptr};
    TFormPerformance* PerformanceWindow = nullptr;
    TFormRhythm* RhythmWindow = nullptr;
};

void BM_OpenRhythmWindowWithKeyEditors(benchmark::State& state) {
    TContainerBench bench;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.OpenRhythm());
        state.PauseTiming();
        bench.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenRhythmWindowWithKeyEditors)->Unit(benchmark::kMillisecond);

void BM_OpenPerformanceWindowWithEditors(benchmark::State& state) {
    TContainerBench bench;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.OpenPerformance());
        state.PauseTiming();
        bench.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenPerformanceWindowWithEditors)->Unit(benchmark::kMillisecond);

void BM_ChooseRhythmKey(benchmark::State& state) {
    TContainerBench bench;
    TFormRhyTVF* editor = bench.OpenRhythm();
    TKeySelector* selector = editor->KeySelector;
    const HWND h = selector->GetHandle();
    int key = 0;
    for (auto _ : state) {
        // A press and release on a white key far from the last: the editor refills and repaints.
        key = (key + 17) % 60;
        const int index = TKeySelector::IsBlack(key) ? key + 1 : key;
        const int x = selector->KeyLeft(index) + 3;
        const int y = selector->GetHeight() - 5;
        SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        ProcessPendingMessages();
    }
}
BENCHMARK(BM_ChooseRhythmKey)->Unit(benchmark::kMillisecond);

void BM_RepaintPartsEditor(benchmark::State& state) {
    TContainerBench bench;
    TFormPart* parts = bench.OpenPerformance();
    for (auto _ : state) {
        RedrawWindow(parts->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        ProcessPendingMessages();
    }
}
BENCHMARK(BM_RepaintPartsEditor)->Unit(benchmark::kMillisecond);

void BM_PartLevelSliderStep(benchmark::State& state) {
    TContainerBench bench;
    TFormPart* parts = bench.OpenPerformance();
    RunSliderSteps(state, parts->PartLevel->Slider(), bench.Ports);
}
BENCHMARK(BM_PartLevelSliderStep)->Unit(benchmark::kMicrosecond);

}  // namespace
