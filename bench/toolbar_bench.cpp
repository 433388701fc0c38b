// Repainting the main window's docked toolbar in each look: the window laid out from the main window's form
// resource on the top dock, invalidated and painted again (links, separators, mark and background). And a
// 50-entry popup menu opened and closed with its shadow, on the layered road and the solid one.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "MainWindowBars.h"
#include "platform/rtl/Units.h"
#include "platform/win/SysInfo.h"
#include "platform/win/UxTheme.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"

namespace {

using namespace zel;

void RepaintDockedToolbar(benchmark::State& state, TubBarManagerStyle style) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TUnitsScope units(ubBarUnitList());
    auto* form = Construct<test::TFormBarsSample>(nullptr);
    form->SetBounds(0, 0, 800, 400);
    form->Manager->SetStyle(style);
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

void BM_DockedToolbarRepaint(benchmark::State& state) {
    RepaintDockedToolbar(state, static_cast<TubBarManagerStyle>(state.range(0)));
}
// Standard, Enhanced, Flat and Office11; XP draws as Enhanced without visual styles.
BENCHMARK(BM_DockedToolbarRepaint)
    ->Arg(bmsStandard)
    ->Arg(bmsEnhanced)
    ->Arg(bmsFlat)
    ->Arg(bmsXP)
    ->Arg(bmsOffice11)
    ->Unit(benchmark::kMicrosecond);

// The native look under visual styles: the test theme stands in for the theme library and paints each part.
void BM_DockedToolbarRepaintThemed(benchmark::State& state) {
    TTestThemeProvider provider;
    provider.PaintsParts = true;
    InstallThemeProvider(&provider);
    RepaintDockedToolbar(state, bmsXP);
    InstallThemeProvider(nullptr);
}
BENCHMARK(BM_DockedToolbarRepaintThemed)->Unit(benchmark::kMicrosecond);

// Argument: 1 for the layered shadow, 0 for the solid one.
void BM_PopupMenuWithShadowOpenClose(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (state.range(0) == 0) SetEntryPointAvailable("UpdateLayeredWindow", false);
    TUnitsScope units(ubBarUnitList());
    auto* form = Construct<test::TFormBarsSample>(nullptr);
    form->SetBounds(0, 0, 800, 400);
    form->Manager->SetStyle(bmsOffice11);
    form->Show();
    auto* menu = new TubBarPopupMenu(form);
    for (int i = 0; i < 50; ++i) {
        auto* button = new TubBarButton(form);
        button->SetCaption("Entry " + std::to_string(i + 1));
        menu->GetItemLinks()->Add()->SetItem(button);
    }
    menu->OwnMessageLoop = true;
    ProcessPendingMessages();
    for (auto _ : state) {
        menu->ShowMenuAt(100, 20);
        ProcessPendingMessages();
        menu->CloseMenu();
        ProcessPendingMessages();
    }
    state.SetItemsProcessed(state.iterations());
    delete form;
    ProcessPendingMessages();
    units.Stop();
    ResetEntryPoints();
}
BENCHMARK(BM_PopupMenuWithShadowOpenClose)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
