#pragma once
// The theme manager: one cached theme handle per themed object type, the themes-active flag, and a hidden
// window that hears the system's theme-changed message, closes the cached handles and tells every notificator.
#include <functional>
#include <string>

#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"
#include "uilib/base/ubUxTheme.h"

namespace zel {

enum TubThemeObjectKind {
    thButton,
    thClock,
    thComboBox,
    thEdit,
    thExplorerBar,
    thHeader,
    thListBox,
    thListView,
    thMenu,
    thPage,
    thProgress,
    thRebar,
    thScrollBar,
    thSpin,
    thStartPanel,
    thStatus,
    thTab,
    thTaskBand,
    thTaskBar,
    thToolBar,
    thToolTip,
    thTrackBar,
    thTrayNotify,
    thTreeView,
    thWindow
};
constexpr int ThemeObjectKindCount = 25;
using TubThemeObjectKinds = TSet<TubThemeObjectKind>;

// Themes are active, the library is loaded and every type of the set opens (in type order; the first failure
// answers false). An empty set asks only the first two.
bool VisualStylesUsable(TubThemeObjectKinds types);
bool IsThemeObjectKindAvailable(TubThemeObjectKind type);
// The type's cached theme, opened when needed: classList nullptr takes the cached handle or reopens with the
// class list last used (else the default name); another class list (compared without regard to case) closes
// the entry and opens anew. 0 when visual styles are not usable or the open fails.
HTHEME OpenThemeForType(TubThemeObjectKind type, const wchar_t* classList = nullptr);
// 1 when themes are not available, 0 when the entry holds no handle, else CloseThemeData's result.
HRESULT CloseTheme(TubThemeObjectKind type);
// Closes every handle; the class lists stay for the next open.
void CloseCachedThemes();

// Tells its owner that the theme changed. Lives in a global list while the theme library is loaded.
class TubThemeChangedNotificator : public TObject {
public:
    TubThemeChangedNotificator();
    ~TubThemeChangedNotificator() override;
    std::string ClassName() const override { return "TubThemeChangedNotificator"; }

    std::function<void()> OnThemeChanged;
};

// The hidden window's owner: its window procedure handles WM_THEMECHANGED.
class TubThemeChangedEventReceiver : public TObject {
public:
    TubThemeChangedEventReceiver();
    ~TubThemeChangedEventReceiver() override;
    std::string ClassName() const override { return "TubThemeChangedEventReceiver"; }

    HWND GetWindowHandle() const { return windowHandle_; }

private:
    void WndProc(TMessage& Message);
    HWND windowHandle_ = nullptr;
};

// The receiver's hidden window; 0 when there is none (no theme library).
HWND ThemeChangedReceiverWindow();

// Unit start-up and shutdown (after ubUxTheme's start-up, before its shutdown).
void ubThemeManagerStartup();
void ubThemeManagerShutdown();

}  // namespace zel
