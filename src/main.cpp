// The program's main block.
#include <cstdio>
#include <exception>

#include "controls/ControlsUnits.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/PlatformUnits.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/base/uiBaseUnits.h"

int main() {
    using namespace zel;
    // Every unit sets itself up first, in the list's order, and is torn down in the reverse order at the end.
    TUnitList units(JoinUnitRows({PlatformUnits(), ControlsUnits(), uiBaseUnits(), ubBarUnits()}));
    try {
        units.Start();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Zelmovi could not start: %s\n", e.what());
        return 1;
    }
    std::puts("Zelmovi 3.0: the units started. The main window is not built yet, so the program ends here.");
    try {
        units.Stop();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Zelmovi did not shut down cleanly: %s\n", e.what());
        return 1;
    }
    return 0;
}
