#include "uilib/editors/uiDWMApi.h"

#include "platform/win/SysInfo.h"

namespace zel {

namespace {
bool g_dwmLoaded = false;
bool g_compositionForTesting = false;
}  // namespace

bool IsDwmLoaded() { return g_dwmLoaded || g_compositionForTesting; }

bool IsDesktopCompositionOn() { return g_compositionForTesting; }

namespace {
// Loads the manager's library and binds its entry points: this platform has no such library.
bool BindDwmLibrary() { return false; }
}  // namespace

void uiDWMApiStartup() {
    OSVERSIONINFO info;
    g_dwmLoaded = GetVersionEx(&info) && info.dwMajorVersion > 5 && BindDwmLibrary();
}

void uiDWMApiShutdown() { g_dwmLoaded = false; }

void SetDesktopCompositionForTesting(bool On) { g_compositionForTesting = On; }

}  // namespace zel
