// Repainting the main window's docked toolbar: the window laid out from the main window's form resource on
// the top dock, invalidated and painted again (links, separators, mark and background).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "MainWindowBars.h"
#include "platform/rtl/Units.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"

namespace {

using namespace zel;

void BM_DockedToolbarRepaint(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TUnitsScope units(ubBarUnitList());
    auto* form = Construct<test::TFormBarsSample>(nullptr);
    form->SetBounds(0, 0, 800, 400);
    form->Show();
    ProcessPendingMessages();
    TubBarControl* toolbar = form->Manager->GetBars()->Items(1)->Control();
    if (toolbar == nullptr) {
        state.SkipWithError("the toolbar has no window");
    } else {
        const HWND window = toolbar->GetHandle();
        for (auto _ : state) {
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        }
    }
    state.SetItemsProcessed(state.iterations());
    delete form;
    ProcessPendingMessages();
    units.Stop();
}
BENCHMARK(BM_DockedToolbarRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
