// The library's control base: a full repaint of a 1000 x 700 bordered control with both bars and the size
// grip in each look, and a run of 100 resizes, each of which updates the bars (with the windows, and the
// control's own work alone).
#include <benchmark/benchmark.h>

#include "platform/vcl/Forms.h"
#include "support/uilib/LookAndFeelUnits.h"
#include "uilib/base/uiControlsControl.h"

namespace zel::test {
namespace {

// Content larger than any size the benchmarks give the control: both bars always show.
class TLargeContent : public TuiControl {
public:
    using TuiControl::TuiControl;
    void PrepareScrollBarParams() override {
        const TRect c = GetClientBounds();
        ApplyScrollBarInfo(sbHorizontal, 0, 3999, 1, c.Width(), 0, true, true);
        ApplyScrollBarInfo(sbVertical, 0, 2999, 1, c.Height(), 0, true, true);
    }
};

struct TControlOnForm {
    TControlOnForm() {
        form = Construct<TForm>(nullptr);
        form->SetBounds(0, 0, 1040, 760);
        control = new TLargeContent(form);
        control->SetParent(form);
        control->SetBorderStyle(bsSingle);
        control->SetBounds(10, 10, 1000, 700);
        form->Show();
        ProcessPendingMessages();
        control->UpdateScrollBars();
    }
    ~TControlOnForm() {
        delete form;
        ProcessPendingMessages();
    }
    TForm* form = nullptr;
    TLargeContent* control = nullptr;
};

void BM_RepaintBorderedControl(benchmark::State& state) {
    TLookAndFeelUnits units;
    TControlOnForm on;
    on.control->GetLookAndFeel()->SetKind(static_cast<TuiLookAndFeelKind>(state.range(0)));
    for (auto _ : state) {
        on.control->Repaint();
        benchmark::DoNotOptimize(on.control->GetSizeGrip()->GetVisible());
    }
}
BENCHMARK(BM_RepaintBorderedControl)
    ->ArgName("look")
    ->Arg(lfFlat)
    ->Arg(lfStandard)
    ->Arg(lfUltraFlat)
    ->Arg(lfOffice11)
    ->Unit(benchmark::kMillisecond);

void BM_HundredResizes(benchmark::State& state) {
    TLookAndFeelUnits units;
    TControlOnForm on;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) on.control->SetBounds(10, 10, 900 + i, 600 + i);
        benchmark::DoNotOptimize(on.control->IsVScrollBarVisible());
    }
}
BENCHMARK(BM_HundredResizes)->Unit(benchmark::kMillisecond);

// The same without a window: what the control's own scroll-bar computation and placement cost, apart from
// the windows that follow the new sizes.
void BM_HundredResizesWithoutWindows(benchmark::State& state) {
    TLookAndFeelUnits units;
    TLargeContent control(nullptr);
    control.SetBorderStyle(bsSingle);
    control.SetBounds(0, 0, 1000, 700);
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) control.SetBounds(0, 0, 900 + i, 600 + i);
        benchmark::DoNotOptimize(control.IsVScrollBarVisible());
    }
}
BENCHMARK(BM_HundredResizesWithoutWindows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zel::test
