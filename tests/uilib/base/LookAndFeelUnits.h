#pragma once
// Starts the theme, colour-scheme, painter and look-and-feel units in their start-up order and ends them in
// the reverse order, optionally with the test theme provider installed (themes active), and puts the system
// colours and optional entry points back afterwards.
#include <memory>

#include "platform/win/SysInfo.h"
#include "platform/win/UxTheme.h"
#include "uilib/base/ubOffice11.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/ubUxTheme.h"
#include "uilib/base/uiLookAndFeelPainters.h"
#include "uilib/base/uiLookAndFeels.h"

namespace zel {

class TLookAndFeelUnits {
public:
    // With a provider configured by the caller before Start (or nullptr for the run-time case: no theme
    // library).
    explicit TLookAndFeelUnits(TTestThemeProvider* provider = nullptr) {
        InstallThemeProvider(provider);
        ubUxThemeStartup();
        ubThemeManagerStartup();
        ubOffice11Startup();
        uiLookAndFeelPaintersStartup();
        uiLookAndFeelsStartup();
    }
    ~TLookAndFeelUnits() {
        uiLookAndFeelsShutdown();
        uiLookAndFeelPaintersShutdown();
        ubOffice11Shutdown();
        ubThemeManagerShutdown();
        ubUxThemeShutdown();
        InstallThemeProvider(nullptr);
        ResetSysColors();
        ResetEntryPoints();
    }
    TLookAndFeelUnits(const TLookAndFeelUnits&) = delete;
    TLookAndFeelUnits& operator=(const TLookAndFeelUnits&) = delete;
};

inline void SetSysColor(int index, COLORREF color) { SetSysColors(1, &index, &color); }

}  // namespace zel
