// The program's main block.
#include "platform/rtl/Clock.h"
#include "platform/rtl/SysUtils.h"

#include <cstdio>

int main() {
    // The runtime starts here; the windows of the program are created on top of it as they are built.
    (void)zel::GetTickCount();
    std::puts("Zelmovi 3.0: the runtime started. The main window is not built yet, so the program ends here.");
    return 0;
}
