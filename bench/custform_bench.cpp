// Opening the customizing form: the form read from its resource, its lists filled and its first paint, on the
// main window's manager and on a manager of 2,000 items in 50 categories; then closed again.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "MainWindowBars.h"
#include "platform/rtl/Units.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarUnit.h"

namespace {

using namespace zel;

class TBenchForm : public TForm {
public:
    using TForm::TForm;
    std::string ClassName() const override { return "TBenchForm"; }
    const TFormResource* FormResource() const override { return nullptr; }
};

void OpenAndClose(benchmark::State& state, TubBarManager* manager) {
    for (auto _ : state) {
        manager->SetCustomizing(true);
        TubBarCustomizingForm* form = GetCustomizingForm();
        if (form == nullptr) {
            state.SkipWithError("no form opened");
            break;
        }
        // The commands page with the first category's list, painted once.
        form->PageControl->SetActivePage(form->TabSheet2);
        RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        manager->SetCustomizing(false);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_OpenCustomizingFormOnTheMainWindow(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TUnitsScope units(ubBarUnitList());
    auto* form = Construct<test::TFormBarsSample>(nullptr);
    form->SetBounds(0, 0, 800, 400);
    form->Show();
    ProcessPendingMessages();
    OpenAndClose(state, form->Manager);
    delete form;
    ProcessPendingMessages();
    units.Stop();
}
BENCHMARK(BM_OpenCustomizingFormOnTheMainWindow)->Unit(benchmark::kMillisecond);

void BM_OpenCustomizingFormOn2000Items(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TUnitsScope units(ubBarUnitList());
    auto* form = Construct<TBenchForm>(nullptr);
    form->SetBounds(0, 0, 800, 400);
    auto* manager = new TubBarManager(form);
    for (int c = 1; c < 50; ++c) manager->GetCategories()->Add("Category " + std::to_string(c));
    for (int i = 0; i < 2000; ++i) {
        auto* item = new TubBarButton(form);
        item->SetCaption("Command " + std::to_string(i));
        item->SetCategory(i % 50);
    }
    form->Show();
    ProcessPendingMessages();
    OpenAndClose(state, manager);
    delete form;
    ProcessPendingMessages();
    units.Stop();
}
BENCHMARK(BM_OpenCustomizingFormOn2000Items)->Unit(benchmark::kMillisecond);

}  // namespace
