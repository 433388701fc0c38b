// The patch window and its common editor: opening both (form reading and the first paint), repainting the
// whole common editor, and one step of the Patch Level slider by the mouse with its release, its
// SendandStore and its data set (on the manual clock, so the 50 ms pace before a send is not counted).
// The effects editor: opening it, a change of the EFX type (the panel rebuilt, its values set, the diagram
// drawn) and a repaint of its second page, for every type.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "controls/ControlsUnits.h"
#include "editors/Uecommon.h"
#include "editors/Ueeffect.h"
#include "editors/Uepatch.h"
#include "model/ModelServices.h"
#include "model/Patch.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/win/Windows.h"

namespace {

using namespace zel;

// MIDI ports that take every message and keep only their count.
class TCountingPorts : public IMidiPorts {
public:
    bool OutputOpen() const override { return true; }
    void PutLong(const std::uint8_t*, std::size_t) override { ++Messages; }
    void PutShort(std::uint8_t, std::uint8_t, std::uint8_t) override {}
    void CloseDevs() override {}
    void OpenDevs() override {}
    void SetInputHandler(TNotifyEvent) override {}
    long long Messages = 0;
};

// A main window, a patch, the ports and the manual clock.
class TEditorBench {
public:
    TEditorBench() : units_(JoinUnitRows({PlatformUnits(), ControlsUnits()})) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        main_ = Construct<TForm>(nullptr);
        main_->SetFormStyle(fsMDIForm);
        main_->SetBounds(0, 0, 1024, 768);
        Application->MainForm = main_;
        main_->Show();
        ModelServices().MidiPorts = &Ports;
        DevicesOpen = 1;
    }
    ~TEditorBench() {
        if (Window != nullptr) Window->ReleaseByElement();
        ProcessPendingMessages();
        delete main_;
        Application->MainForm = nullptr;
        ProcessPendingMessages();
        ModelServices().MidiPorts = nullptr;
        DevicesOpen = 0;
    }
    // Opens the patch window and, as a double click on "Common" does, the common editor; both painted.
    TFormCommon* Open() {
        Window = TFormPatch::Open(main_, Patch);
        Window->CommonDblClick(Window->Common);
        ProcessPendingMessages();
        return dynamic_cast<TFormCommon*>(Patch.Common->Editors[TCommon::ceCommon].EditorForm);
    }
    // The effects editor, as a double click on "Effects" opens it; painted.
    TFormEffect* OpenEffects() {
        if (Window == nullptr) Window = TFormPatch::Open(main_, Patch);
        Window->EffectsDblClick(Window->Effects);
        ProcessPendingMessages();
        return dynamic_cast<TFormEffect*>(Patch.Common->Editors[TCommon::ceEffects].EditorForm);
    }
    void Close() {
        Window->ReleaseByElement();
        Window = nullptr;
        ProcessPendingMessages();
    }

    TManualClockScope Clock;
    TCountingPorts Ports;
    TPatch Patch{nullptr};
    TFormPatch* Window = nullptr;

private:
    TUnitsScope units_;
    TForm* main_ = nullptr;
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
