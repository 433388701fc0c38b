// The desktop reopened at start-up: the main window reads the libraries recorded in the settings and opens a
// window on each, at 10, 100 and 1,000 libraries. Each library is a small file of its own (one patch). The
// windows are closed again, untimed, between the runs; a second benchmark times that closing.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/Main.h"
#include "app/Uelibrar.h"
#include "controls/ControlsUnits.h"
#include "model/Library.h"
#include "model/Settings.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/win/Windows.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/base/uiBaseUnits.h"

namespace {

using namespace zel;

// A folder of its own for the settings and the library files, as the user's configuration folder.
class TDesktopFolder {
public:
    explicit TDesktopFolder(int libraries) {
        path_ = std::filesystem::temp_directory_path() / ("zelmovi-desktop-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(path_ / "config");
        setenv("XDG_CONFIG_HOME", (path_ / "config").c_str(), 1);
        setenv("HOME", path_.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        TLibrary library;
        library.Elements.push_back(CreateElementOfType(etPatch, &library));
        TIniFile ini(SettingsFileName);
        ini.WriteInteger("Desktop", "Num Library", libraries);
        for (int i = 1; i <= libraries; ++i) {
            const std::string file = (path_ / ("lib" + std::to_string(i) + ".Lib")).string();
            library.SaveToFile(file);
            ini.WriteString("Desktop", "Library" + std::to_string(i), file);
        }
    }
    ~TDesktopFolder() { std::filesystem::remove_all(path_); }

private:
    std::filesystem::path path_;
};

// The main window shown over a desktop folder of the given number of libraries, and taken down again.
class TDesktopMain {
public:
    explicit TDesktopMain(int libraries) : folder_(libraries), libraries_(libraries) {
        main_ = Construct<TFormzelmo>(nullptr);
        Application->MainForm = main_;
        main_->SetBounds(0, 0, 1024, 768);
        main_->Show();
        ProcessPendingMessages();
    }
    ~TDesktopMain() {
        delete main_;
        Application->MainForm = nullptr;
        ProcessPendingMessages();
    }

    // The desktop reopened as at start-up, with what the windows posted handled.
    void Reopen() {
        main_->LoadDesktopLibrary();
        ProcessPendingMessages();
    }
    // Every library window closed, one after the other. Nothing was changed: none asks a question.
    void CloseAll() {
        while (main_->MDIChildCount() > 0) delete main_->MDIChildren(0);
        ProcessPendingMessages();
    }
    bool AllOpen() const { return main_->MDIChildCount() == libraries_; }

private:
    TDesktopFolder folder_;
    TUnitsScope units_{JoinUnitRows({PlatformUnits(), ControlsUnits(), uiBaseUnits(), ubBarUnits(), MainUnits()})};
    TFormzelmo* main_ = nullptr;
    int libraries_ = 0;
};

void BM_DesktopReopen(benchmark::State& state) {
    const int libraries = static_cast<int>(state.range(0));
    TDesktopMain desktop(libraries);
    for (auto _ : state) {
        desktop.Reopen();
        state.PauseTiming();
        if (!desktop.AllOpen()) state.SkipWithError("not every library opened");
        desktop.CloseAll();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * libraries);
}
BENCHMARK(BM_DesktopReopen)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_DesktopClose(benchmark::State& state) {
    const int libraries = static_cast<int>(state.range(0));
    TDesktopMain desktop(libraries);
    for (auto _ : state) {
        state.PauseTiming();
        desktop.Reopen();
        if (!desktop.AllOpen()) state.SkipWithError("not every library opened");
        state.ResumeTiming();
        desktop.CloseAll();
    }
    state.SetItemsProcessed(state.iterations() * libraries);
}
BENCHMARK(BM_DesktopClose)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
