#include "uilib/base/ubThemeManager.h"

#include <algorithm>
#include <cwctype>
#include <exception>
#include <vector>

#include "platform/vcl/Forms.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"

namespace zel {

namespace {

const wchar_t* const kClassNames[ThemeObjectKindCount] = {
    L"Button",     L"Clock",      L"ComboBox", L"Edit",     L"ExplorerBar", L"Header",    L"ListBox",
    L"ListView",   L"Menu",       L"Page",     L"Progress", L"Rebar",       L"ScrollBar", L"Spin",
    L"StartPanel", L"Status",     L"Tab",      L"TaskBand", L"TaskBar",     L"ToolBar",   L"ToolTip",
    L"TrackBar",   L"TrayNotify", L"TreeView", L"Window"};

struct TThemeCacheEntry {
    HTHEME Theme = nullptr;
    std::wstring ClassList;
};

TThemeCacheEntry g_cache[ThemeObjectKindCount];
bool g_themesActive = false;
TubThemeChangedEventReceiver* g_receiver = nullptr;
std::vector<TubThemeChangedNotificator*>* g_notificators = nullptr;

std::wstring Upper(const std::wstring& s) {
    std::wstring r = s;
    for (wchar_t& c : r) c = static_cast<wchar_t>(std::towupper(c));
    return r;
}

}  // namespace

bool VisualStylesUsable(TubThemeObjectKinds types) {
    if (!g_themesActive || !ThemeDllLoaded()) return false;
    for (int i = 0; i < ThemeObjectKindCount; ++i) {
        const auto kind = static_cast<TubThemeObjectKind>(i);
        if (types.Contains(kind) && OpenThemeForType(kind) == nullptr) return false;
    }
    return true;
}

bool IsThemeObjectKindAvailable(TubThemeObjectKind type) {
    return g_themesActive && ThemeDllLoaded() && OpenThemeForType(type) != nullptr;
}

HTHEME OpenThemeForType(TubThemeObjectKind type, const wchar_t* classList) {
    if (!VisualStylesUsable({})) return nullptr;
    TThemeCacheEntry& entry = g_cache[type];
    if (entry.Theme != nullptr) {
        if (classList == nullptr || Upper(classList) == Upper(entry.ClassList)) return entry.Theme;
        CloseTheme(type);
    }
    std::wstring list;
    if (classList != nullptr) list = classList;
    else if (!entry.ClassList.empty()) list = entry.ClassList;
    else list = kClassNames[type];
    entry.Theme = OpenThemeData(nullptr, list.c_str());
    if (entry.Theme != nullptr) entry.ClassList = list;
    else entry.ClassList.clear();
    return entry.Theme;
}

HRESULT CloseTheme(TubThemeObjectKind type) {
    if (!VisualStylesUsable({})) return 1;
    TThemeCacheEntry& entry = g_cache[type];
    if (entry.Theme == nullptr) return 0;
    HTHEME theme = entry.Theme;
    entry.Theme = nullptr;
    entry.ClassList.clear();
    return CloseThemeData(theme);
}

void CloseCachedThemes() {
    for (TThemeCacheEntry& entry : g_cache) {
        if (entry.Theme != nullptr) CloseThemeData(entry.Theme);
        entry.Theme = nullptr;
    }
}

// ---- notificators ------------------------------------------------------------------------------------------
TubThemeChangedNotificator::TubThemeChangedNotificator() {
    if (ThemeDllLoaded() && g_notificators != nullptr) g_notificators->push_back(this);
}

TubThemeChangedNotificator::~TubThemeChangedNotificator() {
    // Removed whenever it is listed, so that a notificator made before the list went away never dangles.
    if (g_notificators != nullptr) std::erase(*g_notificators, this);
}

// ---- the event receiver ------------------------------------------------------------------------------------
TubThemeChangedEventReceiver::TubThemeChangedEventReceiver() {
    windowHandle_ = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
}

TubThemeChangedEventReceiver::~TubThemeChangedEventReceiver() {
    g_themesActive = false;
    if (windowHandle_ != nullptr) DeallocateHWnd(windowHandle_);
    windowHandle_ = nullptr;
}

void TubThemeChangedEventReceiver::WndProc(TMessage& Message) {
    if (Message.Msg != WM_THEMECHANGED) {
        Message.Result = DefWindowProc(windowHandle_, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    try {
        CloseCachedThemes();
        DefWindowProc(windowHandle_, Message.Msg, Message.WParam, Message.LParam);
        g_themesActive = IsThemeActive() != FALSE;
        Message.Result = 0;
        if (g_notificators == nullptr) return;
        // A handler may free notificators (itself included): walk by index over the live list.
        for (std::size_t i = 0; i < g_notificators->size(); ++i) {
            TubThemeChangedNotificator* n = (*g_notificators)[i];
            if (n->OnThemeChanged) n->OnThemeChanged();
            if (g_notificators == nullptr) break;
            if (i < g_notificators->size() && (*g_notificators)[i] != n) --i;
        }
    } catch (const std::exception& E) {
        if (Application != nullptr) Application->HandleException(E);
    }
}

HWND ThemeChangedReceiverWindow() { return g_receiver != nullptr ? g_receiver->GetWindowHandle() : nullptr; }

// ---- unit start-up and shutdown ----------------------------------------------------------------------------
void ubThemeManagerStartup() {
    if (!ThemeDllLoaded()) return;
    g_themesActive = IsThemeActive() != FALSE;
    g_receiver = new TubThemeChangedEventReceiver();
    g_notificators = new std::vector<TubThemeChangedNotificator*>();
}

void ubThemeManagerShutdown() {
    if (ThemeDllLoaded()) {
        delete g_receiver;
        g_receiver = nullptr;
        CloseCachedThemes();
        delete g_notificators;
        g_notificators = nullptr;
    }
    g_themesActive = false;
    for (TThemeCacheEntry& entry : g_cache) entry = TThemeCacheEntry();
}

}  // namespace zel
