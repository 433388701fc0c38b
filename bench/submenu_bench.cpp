// Opening and closing a drop-down menu of 50 entries: the window is made, its entries laid out, placed,
// painted and shown, then closed and freed; once with 50 buttons, once with a list item of 50 strings.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "platform/rtl/Units.h"
#include "platform/vcl/Forms.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarUnit.h"

namespace {

using namespace zel;

// Opens and closes the sub-item's menu once per iteration, on a shown form of an Office-2003 manager that
// Fill has given the sub-item's entries.
void OpenAndClose(benchmark::State& state, const std::function<void(TForm*, TubBarSubItem*)>& Fill) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TUnitsScope units(ubBarUnitList());
    auto* form = Construct<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 300);
    auto* manager = new TubBarManager(form);
    manager->SetStyle(bmsOffice11);
    auto* sub = new TubBarSubItem(form);
    Fill(form, sub);
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

void BM_SubMenuOpenClose(benchmark::State& state) {
    OpenAndClose(state, [](TForm* form, TubBarSubItem* sub) {
        for (int i = 0; i < 50; ++i) {
            auto* button = new TubBarButton(form);
            button->SetCaption("Entry &" + std::to_string(i));
            TubBarItemLink* link = sub->GetItemLinks()->Add();
            link->SetItem(button);
            link->BeginGroup = i % 10 == 0;
        }
    });
}
BENCHMARK(BM_SubMenuOpenClose)->Unit(benchmark::kMicrosecond);

// The entries come from a list item of 50 strings: every opening fills the list's buttons and links in, every
// closing takes them out again.
void BM_SubMenuWithListItemOpenClose(benchmark::State& state) {
    OpenAndClose(state, [](TForm* form, TubBarSubItem* sub) {
        auto* list = new TubBarListItem(form);
        for (int i = 0; i < 50; ++i) list->GetItems()->Add("Patch " + std::to_string(i));
        sub->GetItemLinks()->Add()->SetItem(list);
    });
}
BENCHMARK(BM_SubMenuWithListItemOpenClose)->Unit(benchmark::kMicrosecond);

}  // namespace
