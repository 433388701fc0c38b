// Repainting the main window's docked toolbar in each look: the window laid out from the main window's form
// resource on the top dock, invalidated and painted again (links, separators, mark and background). And a
// 50-entry popup menu opened and closed with its shadow, on the layered road and the solid one. And a layout
// of 20 bars of 50 links saved to an INI file and loaded back.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "MainWindowBars.h"
#include "platform/rtl/Units.h"
#include "platform/win/Registry.h"
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

// Arguments: the store (0 the INI file, 1 the registry), then 0 saves the layout, 1 loads it.
void BM_BarLayout(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TUnitsScope units(ubBarUnitList());
    auto* form = Construct<test::TFormBarsSample>(nullptr);
    TubBarManager* manager = form->Manager;
    for (int n = 0; n < 50; ++n) {
        auto* button = new TubBarButton(form);
        button->SetName("btnBench" + std::to_string(n));
        button->SetCaption("Command " + std::to_string(n));
    }
    while (manager->GetBars()->Count() < 20)
        manager->GetBars()->Add()->SetCaption("Bench bar " + std::to_string(manager->GetBars()->Count()));
    for (int b = 0; b < 20; ++b) {
        TubBarItemLinks* links = manager->GetBars()->Items(b)->GetItemLinks();
        while (links->Count() < 50)
            links->Add()->SetItem(manager->FindItemByName("btnBench" + std::to_string(links->Count())));
    }
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::string id = std::to_string(getpid());
    const std::string path = (folder / ("zelmovi-layout-bench-" + id + ".ini")).string();
    const std::string registry = (folder / ("zelmovi-registry-bench-" + id + ".ini")).string();
    TRegistry::SetStoreFileName(registry);
    const bool inRegistry = state.range(0) == 1;
    const bool save = state.range(1) == 0;
    if (inRegistry) manager->WriteLayoutToRegistry("Software\\Zelmovi\\Bench");
    else manager->WriteLayoutToIniFile(path);
    for (auto _ : state) {
        if (inRegistry && save) manager->WriteLayoutToRegistry("Software\\Zelmovi\\Bench");
        else if (inRegistry) manager->ReadLayoutFromRegistry("Software\\Zelmovi\\Bench");
        else if (save) manager->WriteLayoutToIniFile(path);
        else manager->ReadLayoutFromIniFile(path);
    }
    std::filesystem::remove(path);
    std::filesystem::remove(registry);
    TRegistry::SetStoreFileName("");
    delete form;
    ProcessPendingMessages();
    units.Stop();
}
BENCHMARK(BM_BarLayout)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1})->Unit(benchmark::kMillisecond);

}  // namespace
