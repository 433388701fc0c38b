// The library window over a large library: 10,000 elements, patches and performances in turn. Painting
// the rows on view with the list scrolled to its end (the rows furthest from the start of the list), a
// click on a mask button (the rows counted again and painted), and a New click (appended and sorted).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/Uelibrar.h"
#include "model/Library.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/win/Windows.h"

namespace {

using namespace zel;

constexpr int Elements = 10000;

// A main window holding a library window on a library of Elements elements, its list at the end.
class TLargeLibrary {
public:
    TLargeLibrary() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        main_ = Construct<TForm>(nullptr);
        main_->SetFormStyle(fsMDIForm);
        main_->SetBounds(0, 0, 800, 600);
        Application->MainForm = main_;
        main_->Show();
        auto* library = new TLibrary;
        for (int i = 0; i < Elements; ++i) {
            library->Elements.push_back(CreateElementOfType(i % 2 == 0 ? etPatch : etPerformance, library));
            library->Elements.back()->SetName("Element " + std::to_string(i), false);
            library->Elements.back()->Selected = i % 3 == 0 ? 1 : 0;
        }
        Form = TFormLibrary::OpenLibrary(main_, *library, false);
        Form->DrawGrid->SetTopRow(Form->DrawGrid->GetRowCount());
        ProcessPendingMessages();
    }
    ~TLargeLibrary() {
        delete main_;
        Application->MainForm = nullptr;
        ProcessPendingMessages();
    }
    TFormLibrary* Form = nullptr;

private:
    TForm* main_ = nullptr;
};

void BM_LibraryPaintRowsOnView(benchmark::State& state) {
    TUnitsScope units(PlatformUnits());
    TLargeLibrary large;
    TDrawGrid* grid = large.Form->DrawGrid;
    for (auto _ : state) {
        grid->Repaint();
        ProcessPendingMessages();
    }
    state.counters["rows"] = grid->VisibleRowCount();
}
BENCHMARK(BM_LibraryPaintRowsOnView)->Unit(benchmark::kMillisecond);

void BM_LibraryMaskClick(benchmark::State& state) {
    TUnitsScope units(PlatformUnits());
    TLargeLibrary large;
    TSpeedButton* mask = large.Form->SpeedPatch;
    for (auto _ : state) {
        // Down, then up again: half the clicks hide the patches, half show them.
        mask->Click();
        ProcessPendingMessages();
    }
}
BENCHMARK(BM_LibraryMaskClick)->Unit(benchmark::kMillisecond);

// A New Patch click: the element appended, the library sorted by creation, the list scrolled to its end.
void BM_LibraryNewElement(benchmark::State& state) {
    TUnitsScope units(PlatformUnits());
    TLargeLibrary large;
    TSpeedButton* newPatch = large.Form->NewPatch;
    for (auto _ : state) {
        newPatch->Click();
        ProcessPendingMessages();
    }
}
BENCHMARK(BM_LibraryNewElement)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
