// The program's main block.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/HtmlHelpViewer.h"
#include "app/Intro.h"
#include "app/Main.h"
#include "app/Uefolders.h"
#include "controls/ControlsUnits.h"
#include "model/SharedRoutines.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/PlatformUnits.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/base/uiBaseUnits.h"
#include "uilib/editors/uiEditorsUnits.h"

namespace {
// The executable's own path, whatever folder the program was started from.
std::string ExecutablePath(const char* argv0) {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.string();
    return std::filesystem::absolute(argv0 != nullptr ? argv0 : "", ec).string();
}
}  // namespace

int main(int argc, char** argv) {
    using namespace zel;
    const std::string executable = ExecutablePath(argc > 0 ? argv[0] : nullptr);
    // Every unit sets itself up first, in the list's order, and is torn down in the reverse order at the end:
    // the component library with its edit controls, the shared routines with the program's folder, the
    // maker's folders, the help viewer, the program's own cursors.
    TUnitList units(JoinUnitRows({PlatformUnits(),
                                  ControlsUnits(),
                                  uiBaseUnits(),
                                  uiEditorsUnits(),
                                  ubBarUnits(),
                                  {{"SharedRoutines", [&] { InitSharedRoutines(executable); }, {}}},
                                  UefoldersUnits(),
                                  HtmlHelpViewerUnits(),
                                  MainUnits()}));
    try {
        units.Start();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Zelmovi could not start: %s\n", e.what());
        return 1;
    }
    CreateStartWindows();
    Application->Run();
    // Every window goes while the units still stand: the port dialog closes the MIDI ports, and a main window
    // that a failed start-up left behind frees its bars before their unit stops.
    Application->DestroyComponents();
    try {
        units.Stop();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Zelmovi did not shut down cleanly: %s\n", e.what());
        return 1;
    }
    return 0;
}
