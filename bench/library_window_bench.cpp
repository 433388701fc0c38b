// The library window over a large library: 10,000 elements, patches and performances in turn. Painting
// the rows on view with the list scrolled to its end (the rows furthest from the start of the list), a
// click on a mask button (the rows counted again and painted), a New click (appended and sorted), and File >
// Open of a .Lib whose elements are in no order, until its list is painted.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "app/Uelibrar.h"
#include "model/Library.h"
#include "model/ModelServices.h"
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

// The open dialog confirms the file it was given.
class TChooseFile : public IFileDialogs {
public:
    explicit TChooseFile(std::string path) : path_(std::move(path)) {}
    bool Execute(TFileDialogRequest& request) override {
        request.FileName = path_;
        return true;
    }

private:
    std::string path_;
};

// File > Open as the main window runs it (the load dialog, the library window, its list refreshed), for a
// file of n elements in shuffled order of names and dates, until the window and its list are painted.
void BM_LibraryFileOpen(benchmark::State& state) {
    TUnitsScope units(PlatformUnits());
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int n = static_cast<int>(state.range(0));
    const std::string path =
        (std::filesystem::temp_directory_path() / ("zelmovi_bench_open_" + std::to_string(::getpid()) + ".Lib"))
            .string();
    {
        TLibrary library;
        std::mt19937 random(26);
        for (int i = 0; i < n; ++i) {
            library.Elements.push_back(CreateElementOfType(i % 2 == 0 ? etPatch : etPerformance, &library));
            TLibElem& e = *library.Elements.back();
            e.SetName("Element " + std::to_string(random() % static_cast<unsigned>(n)), false);
            e.ModifiedDate = e.CreatedDate = 40000 + random() % 1000;
            e.ModifiedTime = e.CreatedTime = (random() % 86400) / 86400.0;
        }
        library.SaveToFile(path);
    }
    TChooseFile dialog(path);
    IFileDialogs* oldDialogs = ModelServices().FileDialogs;
    ModelServices().FileDialogs = &dialog;
    TForm* main = Construct<TForm>(nullptr);
    main->SetFormStyle(fsMDIForm);
    main->SetBounds(0, 0, 800, 600);
    Application->MainForm = main;
    main->Show();
    ProcessPendingMessages();
    for (auto _ : state) {
        auto library = std::make_unique<TLibrary>();
        if (!library->LoadDialog()) state.SkipWithError("not loaded");
        TFormLibrary* window = TFormLibrary::OpenLibrary(main, *library, false);
        library.release();  // the window's now
        window->RefreshList();
        ProcessPendingMessages();
        ProcessPendingMessages();
        state.PauseTiming();
        delete window;
        ProcessPendingMessages();
        state.ResumeTiming();
    }
    delete main;
    Application->MainForm = nullptr;
    ProcessPendingMessages();
    ModelServices().FileDialogs = oldDialogs;
    std::filesystem::remove(path);
}
BENCHMARK(BM_LibraryFileOpen)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
