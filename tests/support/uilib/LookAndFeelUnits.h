#pragma once
// Starts the platform's and the library's units in their start-up order through the program's own list and
// ends them in the reverse order, optionally with the test theme provider installed (themes active), and
// puts the system colours and optional entry points back afterwards.
#include <memory>

#include "platform/rtl/Units.h"
#include "platform/win/SysInfo.h"
#include "platform/win/UxTheme.h"
#include "uilib/base/ubOffice11.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/ubUxTheme.h"
#include "uilib/base/uiBaseUnits.h"
#include "uilib/base/uiLookAndFeelPainters.h"
#include "uilib/base/uiLookAndFeels.h"

namespace zel::test {

class TLookAndFeelUnits {
public:
    // With a provider configured by the caller before Start (or nullptr for the run-time case: no theme
    // library).
    explicit TLookAndFeelUnits(TTestThemeProvider* provider = nullptr) {
        InstallThemeProvider(provider);
        units_ = std::make_unique<TUnitsScope>(uiBaseUnitList());
    }
    ~TLookAndFeelUnits() {
        units_.reset();
        InstallThemeProvider(nullptr);
        ResetSysColors();
        ResetEntryPoints();
    }
    TLookAndFeelUnits(const TLookAndFeelUnits&) = delete;
    TLookAndFeelUnits& operator=(const TLookAndFeelUnits&) = delete;

private:
    std::unique_ptr<TUnitsScope> units_;
};

inline void SetSysColor(int index, COLORREF color) { SetSysColors(1, &index, &color); }

}  // namespace zel::test
