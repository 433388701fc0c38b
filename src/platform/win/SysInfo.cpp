// System colours, metrics and parameters of the classic Windows look, the reported version, monitors, and the
// optional entry points.
#include <QGuiApplication>
#include <QScreen>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <string>

#include "platform/win/SysInfo.h"
#include "platform/win/WindowsQt.h"

namespace zel {

namespace {

constexpr std::array<COLORREF, COLOR_COUNT> kClassicColors = {
    RGB(212, 208, 200),  // scroll bar
    RGB(58, 110, 165),   // desktop
    RGB(10, 36, 106),    // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(212, 208, 200),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(212, 208, 200),  // active border
    RGB(212, 208, 200),  // inactive border
    RGB(128, 128, 128),  // application workspace
    RGB(10, 36, 106),    // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(212, 208, 200),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(212, 208, 200),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(64, 64, 64),     // 3-D dark shadow
    RGB(212, 208, 200),  // 3-D light
    RGB(0, 0, 0),        // info text
    RGB(255, 255, 225),  // info background
    RGB(181, 181, 181),  // (unnamed)
    RGB(0, 0, 128),      // hot light
    RGB(166, 202, 240),  // gradient active caption
    RGB(192, 192, 192),  // gradient inactive caption
    RGB(10, 36, 106),    // menu highlight
    RGB(212, 208, 200),  // menu bar
};

std::array<COLORREF, COLOR_COUNT>& Colors() {
    static std::array<COLORREF, COLOR_COUNT> colors = kClassicColors;
    return colors;
}

LOGFONT Tahoma(bool bold) {
    LOGFONT lf;
    lf.lfHeight = -11;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(lf.lfFaceName, "Tahoma");
    return lf;
}

}  // namespace

struct TMonitorObject {
    int Index = 0;
};

DWORD GetSysColor(int index) {
    if (index < 0 || index >= COLOR_COUNT) return 0;
    return Colors()[static_cast<size_t>(index)];
}

BOOL SetSysColors(int count, const int* indexes, const COLORREF* colors) {
    if (count < 0 || (count > 0 && (indexes == nullptr || colors == nullptr))) return FALSE;
    for (int i = 0; i < count; ++i) {
        if (indexes[i] >= 0 && indexes[i] < COLOR_COUNT)
            Colors()[static_cast<size_t>(indexes[i])] = colors[i] & 0xFFFFFF;
    }
    return TRUE;
}

void ResetSysColors() { Colors() = kClassicColors; }

namespace {
std::vector<MONITORINFO>& TestMonitors() {
    static auto* list = new std::vector<MONITORINFO>;
    return *list;
}
}  // namespace

void SetTestMonitors(std::vector<MONITORINFO> Monitors) { TestMonitors() = std::move(Monitors); }

std::vector<MONITORINFO> GetMonitors() {
    if (!TestMonitors().empty()) return TestMonitors();
    std::vector<MONITORINFO> list;
    if (QGuiApplication::instance() != nullptr) {
        const QList<QScreen*> screens = QGuiApplication::screens();
        QScreen* primary = QGuiApplication::primaryScreen();
        for (QScreen* s : screens) {
            MONITORINFO mi;
            const QRect g = s->geometry(), a = s->availableGeometry();
            mi.rcMonitor = RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
            mi.rcWork = RECT{a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
            mi.dwFlags = s == primary ? MONITORINFOF_PRIMARY : 0;
            if (s == primary) list.insert(list.begin(), mi);
            else list.push_back(mi);
        }
    }
    if (list.empty()) {
        MONITORINFO mi;
        mi.rcMonitor = RECT{0, 0, 1024, 768};
        mi.rcWork = mi.rcMonitor;
        mi.dwFlags = MONITORINFOF_PRIMARY;
        list.push_back(mi);
    }
    return list;
}

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN: return GetMonitors()[0].rcMonitor.Width();
        case SM_CYSCREEN: return GetMonitors()[0].rcMonitor.Height();
        case SM_CXFULLSCREEN: return GetMonitors()[0].rcWork.Width();
        case SM_CYFULLSCREEN: return GetMonitors()[0].rcWork.Height() - 19;
        case SM_CXMAXIMIZED: return GetMonitors()[0].rcWork.Width() + 8;
        case SM_CYMAXIMIZED: return GetMonitors()[0].rcWork.Height() + 8;
        case SM_CXMAXTRACK:
        case SM_CXVIRTUALSCREEN: {
            RECT u{};
            for (const auto& m : GetMonitors()) UnionRect(&u, &u, &m.rcMonitor);
            return u.Width() + (index == SM_CXMAXTRACK ? 12 : 0);
        }
        case SM_CYMAXTRACK:
        case SM_CYVIRTUALSCREEN: {
            RECT u{};
            for (const auto& m : GetMonitors()) UnionRect(&u, &u, &m.rcMonitor);
            return u.Height() + (index == SM_CYMAXTRACK ? 12 : 0);
        }
        case SM_XVIRTUALSCREEN:
        case SM_YVIRTUALSCREEN: {
            RECT u{};
            for (const auto& m : GetMonitors()) UnionRect(&u, &u, &m.rcMonitor);
            return index == SM_XVIRTUALSCREEN ? u.left : u.top;
        }
        case SM_CMONITORS: return static_cast<int>(GetMonitors().size());
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL: return 16;
        case SM_CYVTHUMB:
        case SM_CXHTHUMB: return 16;
        case SM_CYCAPTION: return 19;
        case SM_CXBORDER:
        case SM_CYBORDER: return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME: return 3;
        case SM_CXFRAME:
        case SM_CYFRAME: return 4;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR: return 32;
        case SM_CYMENU: return 19;
        case SM_MOUSEPRESENT:
        case SM_MOUSEWHEELPRESENT:
        case SM_SAMEDISPLAYFORMAT: return 1;
        case SM_CXMIN:
        case SM_CXMINTRACK: return 112;
        case SM_CYMIN:
        case SM_CYMINTRACK: return 27;
        case SM_CXSIZE:
        case SM_CYSIZE: return 18;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
        case SM_CXDRAG:
        case SM_CYDRAG: return 4;
        case SM_CXICONSPACING:
        case SM_CYICONSPACING: return 75;
        case SM_CMOUSEBUTTONS: return 3;
        case SM_CXEDGE:
        case SM_CYEDGE: return 2;
        case SM_CXMINSPACING:
        case SM_CXMINIMIZED: return 160;
        case SM_CYMINSPACING:
        case SM_CYMINIMIZED: return 24;
        case SM_CXSMICON:
        case SM_CYSMICON: return 16;
        case SM_CYSMCAPTION: return 16;
        case SM_CXSMSIZE: return 12;
        case SM_CYSMSIZE: return 15;
        case SM_CXMENUSIZE:
        case SM_CYMENUSIZE: return 18;
        case SM_ARRANGE: return 8;
        case SM_NETWORK: return 3;
        case SM_CXMENUCHECK:
        case SM_CYMENUCHECK: return 13;
        case SM_CXFOCUSBORDER:
        case SM_CYFOCUSBORDER: return 1;
        case SM_SWAPBUTTON: return MouseButtonsSwapped() ? 1 : 0;
        default: return 0;  // SM_DEBUG, SM_REMOTESESSION and the like: off
    }
}

BOOL SystemParametersInfo(UINT action, UINT, void* pv, UINT) {
    auto setBool = [&](BOOL v) {
        if (pv == nullptr) return FALSE;
        *static_cast<BOOL*>(pv) = v;
        return TRUE;
    };
    auto setUint = [&](UINT v) {
        if (pv == nullptr) return FALSE;
        *static_cast<UINT*>(pv) = v;
        return TRUE;
    };
    switch (action) {
        case SPI_GETNONCLIENTMETRICS: {
            if (pv == nullptr) return FALSE;
            auto* m = static_cast<NONCLIENTMETRICS*>(pv);
            if (m->cbSize < sizeof(NONCLIENTMETRICS)) return FALSE;
            m->iBorderWidth = 1;
            m->iScrollWidth = 16;
            m->iScrollHeight = 16;
            m->iCaptionWidth = 18;
            m->iCaptionHeight = 18;
            m->lfCaptionFont = Tahoma(true);
            m->iSmCaptionWidth = 12;
            m->iSmCaptionHeight = 15;
            m->lfSmCaptionFont = Tahoma(true);
            m->iMenuWidth = 18;
            m->iMenuHeight = 18;
            m->lfMenuFont = Tahoma(false);
            m->lfStatusFont = Tahoma(false);
            m->lfMessageFont = Tahoma(false);
            return TRUE;
        }
        case SPI_GETICONTITLELOGFONT:
            if (pv == nullptr) return FALSE;
            *static_cast<LOGFONT*>(pv) = Tahoma(false);
            return TRUE;
        case SPI_SETNONCLIENTMETRICS: return TRUE;
        case SPI_SETWORKAREA: return FALSE;
        case SPI_GETWORKAREA:
            if (pv == nullptr) return FALSE;
            *static_cast<RECT*>(pv) = GetMonitors()[0].rcWork;
            return TRUE;
        case SPI_GETWHEELSCROLLLINES: return setUint(3);
        case SPI_GETMENUSHOWDELAY: return setUint(400);
        case SPI_GETKEYBOARDDELAY: return setUint(1);
        case SPI_GETKEYBOARDSPEED: return setUint(31);
        case SPI_GETFOCUSBORDERWIDTH:
        case SPI_GETFOCUSBORDERHEIGHT: return setUint(1);
        case SPI_GETBEEP:
        case SPI_GETDRAGFULLWINDOWS:
        case SPI_GETKEYBOARDCUES:
        case SPI_GETGRADIENTCAPTIONS:
        case SPI_GETUIEFFECTS:
        case SPI_GETHOTTRACKING:
            return setBool(action == SPI_GETBEEP || action == SPI_GETDRAGFULLWINDOWS ||
                                   action == SPI_GETGRADIENTCAPTIONS || action == SPI_GETHOTTRACKING
                               ? TRUE
                               : FALSE);
        case SPI_GETMENUANIMATION:
        case SPI_GETCOMBOBOXANIMATION:
        case SPI_GETLISTBOXSMOOTHSCROLLING:
        case SPI_GETMENUFADE:
        case SPI_GETSELECTIONFADE:
        case SPI_GETTOOLTIPANIMATION:
        case SPI_GETTOOLTIPFADE:
        case SPI_GETCURSORSHADOW:
        case SPI_GETFLATMENU:
        case SPI_GETDROPSHADOW:
            // The classic look: no animations, fades, shadows or flat menus.
            return setBool(FALSE);
        default: return FALSE;
    }
}

DWORD GetModuleFileName(HINSTANCE /*module*/, char* buffer, DWORD size) {
    if (buffer == nullptr || size == 0) return 0;
    std::array<char, 4096> path{};
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        buffer[0] = '\0';
        return 0;
    }
    const DWORD copied = std::min<DWORD>(static_cast<DWORD>(length), size - 1);
    std::memcpy(buffer, path.data(), copied);
    buffer[copied] = '\0';
    return copied;
}

BOOL GetVersionEx(OSVERSIONINFO* info) {
    if (info == nullptr || info->dwOSVersionInfoSize < sizeof(OSVERSIONINFO)) return FALSE;
    info->dwMajorVersion = 5;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 2600;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::memset(info->szCSDVersion, 0, sizeof(info->szCSDVersion));
    std::strcpy(info->szCSDVersion, "Service Pack 2");
    return TRUE;
}

namespace {
std::vector<TMonitorObject>& MonitorHandles() {
    static std::vector<TMonitorObject> handles(16);
    for (size_t i = 0; i < handles.size(); ++i) handles[i].Index = static_cast<int>(i);
    return handles;
}
HMONITOR MonitorAt(size_t i) { return i < MonitorHandles().size() ? &MonitorHandles()[i] : nullptr; }
long long DistanceTo(const RECT& r, POINT p) {
    const long long dx = p.x < r.left ? r.left - p.x : (p.x >= r.right ? p.x - r.right + 1 : 0);
    const long long dy = p.y < r.top ? r.top - p.y : (p.y >= r.bottom ? p.y - r.bottom + 1 : 0);
    return dx * dx + dy * dy;
}
}  // namespace

HMONITOR MonitorFromPoint(POINT p, DWORD flags) {
    const auto list = GetMonitors();
    size_t best = 0;
    long long bestDist = -1;
    for (size_t i = 0; i < list.size(); ++i) {
        const long long d = DistanceTo(list[i].rcMonitor, p);
        if (d == 0) return MonitorAt(i);
        if (bestDist < 0 || d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    if (flags == MONITOR_DEFAULTTONULL) return nullptr;
    return MonitorAt(flags == MONITOR_DEFAULTTONEAREST ? best : 0);
}

HMONITOR MonitorFromRect(const RECT* r, DWORD flags) {
    if (r == nullptr) return nullptr;
    const auto list = GetMonitors();
    long long bestArea = 0;
    size_t best = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        RECT x;
        if (IntersectRect(&x, r, &list[i].rcMonitor)) {
            const long long area = static_cast<long long>(x.Width()) * x.Height();
            if (area > bestArea) {
                bestArea = area;
                best = i;
            }
        }
    }
    if (bestArea > 0) return MonitorAt(best);
    return MonitorFromPoint(POINT{(r->left + r->right) / 2, (r->top + r->bottom) / 2}, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info) {
    if (monitor == nullptr || info == nullptr || info->cbSize < sizeof(MONITORINFO)) return FALSE;
    const auto list = GetMonitors();
    const auto& handles = MonitorHandles();
    if (monitor < handles.data() || monitor >= handles.data() + handles.size()) return FALSE;
    const auto i = static_cast<size_t>(monitor->Index);
    if (i >= list.size()) return FALSE;
    const DWORD size = info->cbSize;
    *info = list[i];
    info->cbSize = size;
    return TRUE;
}

// ---- optional entry points -------------------------------------------------------------------------------

namespace {
std::map<std::string, bool>& EntryPoints() {
    static std::map<std::string, bool> table;
    return table;
}
bool ProvidedByDefault(std::string_view name) {
    // Only what the layer implements: AnimateWindow does not exist here, and callers take their fall-back
    // (a plain show).
    static const char* const kProvided[] = {
        "GradientFill",     "AlphaBlend",      "TrackMouseEvent",      "SetLayeredWindowAttributes",
        "MonitorFromPoint", "MonitorFromRect", "MonitorFromWindow",    "GetMonitorInfo",
        "GetMonitorInfoA",  "GetMonitorInfoW", "SHGetPathFromIDListA", "HtmlHelpA",
        "GetScrollBarInfo"};
    for (const char* p : kProvided) {
        if (name == p) return true;
    }
    // Layered pictures blend only where the layer composes the top-level windows itself (the off-screen
    // platform); a desktop's windows here are opaque, and the callers take their solid fall-backs.
    if (name == "UpdateLayeredWindow") {
        EnsureWindowSystem();
        return QGuiApplication::platformName() == QLatin1String("offscreen");
    }
    // Visual styles (OpenThemeData, DrawThemeBackground, IsThemeActive, ...) and desktop composition
    // (DwmIsCompositionEnabled, ...) are not available at run time; nor is anything else.
    return false;
}
}  // namespace

bool IsEntryPointAvailable(std::string_view name) {
    const auto it = EntryPoints().find(std::string(name));
    if (it != EntryPoints().end()) return it->second;
    return ProvidedByDefault(name);
}
void SetEntryPointAvailable(std::string_view name, bool available) { EntryPoints()[std::string(name)] = available; }
void ResetEntryPoints() { EntryPoints().clear(); }

}  // namespace zel
