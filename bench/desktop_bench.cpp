// The desktop reopened at start-up: the main window reads the libraries recorded in the settings and opens a
// window on each, at 10, 100 and 1,000 libraries. Each library is a small file of its own (one patch); the
// windows are closed again, untimed, between the runs.
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

void BM_DesktopReopen(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int libraries = static_cast<int>(state.range(0));
    TDesktopFolder folder(libraries);
    TUnitsScope units(JoinUnitRows({PlatformUnits(), ControlsUnits(), uiBaseUnits(), ubBarUnits(), MainUnits()}));
    auto* main = Construct<TFormzelmo>(nullptr);
    Application->MainForm = main;
    main->SetBounds(0, 0, 1024, 768);
    main->Show();
    ProcessPendingMessages();
    for (auto _ : state) {
        main->LoadDesktopLibrary();
        ProcessPendingMessages();
        state.PauseTiming();
        if (main->MDIChildCount() != libraries) state.SkipWithError("not every library opened");
        // Nothing was changed: every window closes without a question.
        while (main->MDIChildCount() > 0) delete main->MDIChildren(0);
        ProcessPendingMessages();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * libraries);
    delete main;
    Application->MainForm = nullptr;
    ProcessPendingMessages();
}
BENCHMARK(BM_DesktopReopen)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
