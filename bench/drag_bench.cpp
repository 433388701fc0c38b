// A Move of 2,000 selected elements (every fifth) from a library window of 10,000 into an empty library
// window, as the drop's "Move" runs it: the drag collects the selection, the copies are appended to the
// target, the dragged elements are found and deleted in the source, and both lists are refreshed. The
// libraries are made again, untimed, before each run.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/Main.h"
#include "app/Uelibrar.h"
#include "controls/ControlsUnits.h"
#include "model/Clipboard.h"
#include "model/Library.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/win/Windows.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/base/uiBaseUnits.h"

namespace {

using namespace zel;

constexpr int Elements = 10000;
constexpr int EveryNth = 5;

TFormLibrary* OpenLibrary(TFormzelmo* Main, int Count) {
    auto* library = new TLibrary;
    library->Elements.reserve(Elements);
    for (int i = 0; i < Count; ++i) {
        library->Elements.push_back(CreateElementOfType(i % 2 == 0 ? etPatch : etPerformance, library));
        library->Elements.back()->SetName("Element " + std::to_string(i), false);
        library->Elements.back()->Selected = i % EveryNth == 0 ? 1 : 0;
    }
    library->Saved = 1;
    return TFormLibrary::OpenLibrary(Main, *library, false);
}

void BM_ProcMove(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TUnitsScope units(JoinUnitRows({PlatformUnits(), ControlsUnits(), uiBaseUnits(), ubBarUnits(), MainUnits()}));
    auto* main = Construct<TFormzelmo>(nullptr);
    Application->MainForm = main;
    main->SetBounds(0, 0, 1400, 900);
    main->Show();
    ProcessPendingMessages();
    TDragInfo& drag = *main->DragInfo;
    for (auto _ : state) {
        state.PauseTiming();
        TFormLibrary* source = OpenLibrary(main, Elements);
        TFormLibrary* target = OpenLibrary(main, 0);
        ProcessPendingMessages();
        state.ResumeTiming();
        drag.Source = source;
        drag.CollectFromLibrary(*source->Library(), [source](const TLibElem& e) { return source->Visible(e); });
        drag.Target = target;
        source->ProcMove();
        ProcessPendingMessages();
        state.PauseTiming();
        if (target->Library()->Elements.size() != Elements / EveryNth ||
            source->Library()->Elements.size() != Elements - Elements / EveryNth)
            state.SkipWithError("the move did not move the selection");
        source->Library()->Saved = 1;
        target->Library()->Saved = 1;
        delete source;
        delete target;
        ProcessPendingMessages();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (Elements / EveryNth));
    delete main;
    Application->MainForm = nullptr;
    ProcessPendingMessages();
}
BENCHMARK(BM_ProcMove)->Unit(benchmark::kMillisecond);

}  // namespace
