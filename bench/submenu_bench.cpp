// Opening and closing a drop-down menu of 50 entries: the window is made, its entries laid out, placed,
// painted and shown, then closed and freed.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/rtl/Units.h"
#include "platform/vcl/Forms.h"
#include "uilib/bars/ubBarButton.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarUnit.h"

namespace {

using namespace zel;

void BM_SubMenuOpenClose(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TUnitsScope units(ubBarUnitList());
    auto* form = Construct<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 300);
    auto* manager = new TubBarManager(form);
    manager->SetStyle(bmsOffice11);
    auto* sub = new TubBarSubItem(form);
    for (int i = 0; i < 50; ++i) {
        auto* button = new TubBarButton(form);
        button->SetCaption("Entry &" + std::to_string(i));
        TubBarItemLink* link = sub->GetItemLinks()->Add();
        link->SetItem(button);
        link->BeginGroup = i % 10 == 0;
    }
    form->Show();
    ProcessPendingMessages();
    for (auto _ : state) {
        auto* menu = new TubBarSubMenuControl(manager);
        menu->SetItemLinks(sub->GetItemLinks());
        menu->Popup(20, 40);
        UpdateWindow(menu->GetHandle());
        menu->CloseUp();
        delete menu;
        ProcessPendingMessages();
    }
    state.SetItemsProcessed(state.iterations());
    delete form;
    ProcessPendingMessages();
    units.Stop();
}
BENCHMARK(BM_SubMenuOpenClose)->Unit(benchmark::kMicrosecond);

}  // namespace
