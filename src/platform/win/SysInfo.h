#pragma once
// System information with the values of the classic Windows look: system colours and their brushes, metrics,
// parameters, the version (Windows XP, NT 5.1), monitors, and which optional entry points the layer provides.
#include <string_view>

#include "platform/win/Gdi.h"
#include "platform/win/WinTypes.h"

namespace zel {

constexpr int COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_DESKTOP = 1, COLOR_ACTIVECAPTION = 2,
              COLOR_INACTIVECAPTION = 3, COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7,
              COLOR_WINDOWTEXT = 8, COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11,
              COLOR_APPWORKSPACE = 12, COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15,
              COLOR_3DFACE = 15, COLOR_BTNSHADOW = 16, COLOR_3DSHADOW = 16, COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18,
              COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20, COLOR_3DHIGHLIGHT = 20, COLOR_3DHILIGHT = 20,
              COLOR_BTNHILIGHT = 20, COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23, COLOR_INFOBK = 24,
              COLOR_HOTLIGHT = 26, COLOR_GRADIENTACTIVECAPTION = 27, COLOR_GRADIENTINACTIVECAPTION = 28,
              COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30;
constexpr int COLOR_COUNT = 31;

// 0 for an index outside 0..30.
DWORD GetSysColor(int index);
// A stock brush of the colour; DeleteObject leaves it alone. 0 for an index outside 0..30.
HBRUSH GetSysColorBrush(int index);
// Changes system colours (the colour scheme); their brushes follow.
BOOL SetSysColors(int count, const int* indexes, const COLORREF* colors);
// Back to the classic scheme.
void ResetSysColors();

constexpr int SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CYCAPTION = 4, SM_CXBORDER = 5,
              SM_CYBORDER = 6, SM_CXDLGFRAME = 7, SM_CXFIXEDFRAME = 7, SM_CYDLGFRAME = 8, SM_CYFIXEDFRAME = 8,
              SM_CYVTHUMB = 9, SM_CXHTHUMB = 10, SM_CXICON = 11, SM_CYICON = 12, SM_CXCURSOR = 13, SM_CYCURSOR = 14,
              SM_CYMENU = 15, SM_CXFULLSCREEN = 16, SM_CYFULLSCREEN = 17, SM_CYKANJIWINDOW = 18, SM_MOUSEPRESENT = 19,
              SM_CYVSCROLL = 20, SM_CXHSCROLL = 21, SM_DEBUG = 22, SM_SWAPBUTTON = 23, SM_CXMIN = 28, SM_CYMIN = 29,
              SM_CXSIZE = 30, SM_CYSIZE = 31, SM_CXFRAME = 32, SM_CXSIZEFRAME = 32, SM_CYFRAME = 33,
              SM_CYSIZEFRAME = 33, SM_CXMINTRACK = 34, SM_CYMINTRACK = 35, SM_CXDOUBLECLK = 36, SM_CYDOUBLECLK = 37,
              SM_CXICONSPACING = 38, SM_CYICONSPACING = 39, SM_MENUDROPALIGNMENT = 40, SM_DBCSENABLED = 42,
              SM_CMOUSEBUTTONS = 43, SM_CXEDGE = 45, SM_CYEDGE = 46, SM_CXMINSPACING = 47, SM_CYMINSPACING = 48,
              SM_CXSMICON = 49, SM_CYSMICON = 50, SM_CYSMCAPTION = 51, SM_CXSMSIZE = 52, SM_CYSMSIZE = 53,
              SM_CXMENUSIZE = 54, SM_CYMENUSIZE = 55, SM_ARRANGE = 56, SM_CXMINIMIZED = 57, SM_CYMINIMIZED = 58,
              SM_CXMAXTRACK = 59, SM_CYMAXTRACK = 60, SM_CXMAXIMIZED = 61, SM_CYMAXIMIZED = 62, SM_NETWORK = 63,
              SM_CLEANBOOT = 67, SM_CXDRAG = 68, SM_CYDRAG = 69, SM_SHOWSOUNDS = 70, SM_CXMENUCHECK = 71,
              SM_CYMENUCHECK = 72, SM_SLOWMACHINE = 73, SM_MIDEASTENABLED = 74, SM_MOUSEWHEELPRESENT = 75,
              SM_XVIRTUALSCREEN = 76, SM_YVIRTUALSCREEN = 77, SM_CXVIRTUALSCREEN = 78, SM_CYVIRTUALSCREEN = 79,
              SM_CMONITORS = 80, SM_SAMEDISPLAYFORMAT = 81, SM_IMMENABLED = 82, SM_CXFOCUSBORDER = 83,
              SM_CYFOCUSBORDER = 84, SM_TABLETPC = 86, SM_MEDIACENTER = 87, SM_REMOTESESSION = 0x1000;
// 0 for an index it does not know.
int GetSystemMetrics(int index);

struct NONCLIENTMETRICS {
    UINT cbSize = sizeof(NONCLIENTMETRICS);
    int iBorderWidth = 0;
    int iScrollWidth = 0;
    int iScrollHeight = 0;
    int iCaptionWidth = 0;
    int iCaptionHeight = 0;
    LOGFONT lfCaptionFont;
    int iSmCaptionWidth = 0;
    int iSmCaptionHeight = 0;
    LOGFONT lfSmCaptionFont;
    int iMenuWidth = 0;
    int iMenuHeight = 0;
    LOGFONT lfMenuFont;
    LOGFONT lfStatusFont;
    LOGFONT lfMessageFont;
};
using NONCLIENTMETRICSA = NONCLIENTMETRICS;
using TNonClientMetrics = NONCLIENTMETRICS;

constexpr UINT SPI_GETBEEP = 1, SPI_GETKEYBOARDSPEED = 10, SPI_GETICONTITLELOGFONT = 31, SPI_GETKEYBOARDDELAY = 22,
               SPI_GETDRAGFULLWINDOWS = 38, SPI_GETNONCLIENTMETRICS = 41, SPI_SETNONCLIENTMETRICS = 42,
               SPI_SETWORKAREA = 47, SPI_GETWORKAREA = 48, SPI_GETHIGHCONTRAST = 66, SPI_GETWHEELSCROLLLINES = 104,
               SPI_GETMENUSHOWDELAY = 106, SPI_GETMENUANIMATION = 0x1002, SPI_GETCOMBOBOXANIMATION = 0x1004,
               SPI_GETLISTBOXSMOOTHSCROLLING = 0x1006, SPI_GETGRADIENTCAPTIONS = 0x1008, SPI_GETKEYBOARDCUES = 0x100A,
               SPI_GETMENUUNDERLINES = 0x100A, SPI_GETHOTTRACKING = 0x100E, SPI_GETMENUFADE = 0x1012,
               SPI_GETSELECTIONFADE = 0x1014, SPI_GETTOOLTIPANIMATION = 0x1016, SPI_GETTOOLTIPFADE = 0x1018,
               SPI_GETCURSORSHADOW = 0x101A, SPI_GETFLATMENU = 0x1022, SPI_GETDROPSHADOW = 0x1024,
               SPI_GETUIEFFECTS = 0x103E, SPI_GETFOCUSBORDERWIDTH = 0x200E, SPI_GETFOCUSBORDERHEIGHT = 0x2010;
// Answers the classic values; the "set" actions are accepted and change nothing (FALSE for SET work area,
// which the layer does not move). FALSE for an action it does not know or a missing buffer.
BOOL SystemParametersInfo(UINT action, UINT uiParam, void* pvParam, UINT winIni);

struct OSVERSIONINFO {
    DWORD dwOSVersionInfoSize = sizeof(OSVERSIONINFO);
    DWORD dwMajorVersion = 0;
    DWORD dwMinorVersion = 0;
    DWORD dwBuildNumber = 0;
    DWORD dwPlatformId = 0;
    char szCSDVersion[128] = {};
};
using OSVERSIONINFOA = OSVERSIONINFO;
constexpr DWORD VER_PLATFORM_WIN32s = 0, VER_PLATFORM_WIN32_WINDOWS = 1, VER_PLATFORM_WIN32_NT = 2;
// Windows XP: NT 5.1, build 2600, "Service Pack 2".
BOOL GetVersionEx(OSVERSIONINFO* info);

// The running program's file (the module argument is ignored: one module). Copies at most size - 1 bytes and
// a terminating zero; answers the bytes copied, 0 when the path is unknown.
DWORD GetModuleFileName(HINSTANCE module, char* buffer, DWORD size);

// Monitors: one per Qt screen (one 1024x768 monitor when there is no screen).
constexpr DWORD MONITOR_DEFAULTTONULL = 0, MONITOR_DEFAULTTOPRIMARY = 1, MONITOR_DEFAULTTONEAREST = 2;
constexpr DWORD MONITORINFOF_PRIMARY = 1;
struct MONITORINFO {
    DWORD cbSize = sizeof(MONITORINFO);
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags = 0;
};
HMONITOR MonitorFromPoint(POINT p, DWORD flags);
HMONITOR MonitorFromRect(const RECT* r, DWORD flags);
BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info);
inline BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) { return GetMonitorInfo(monitor, info); }
// The monitor rectangles and work areas, primary first.
std::vector<MONITORINFO> GetMonitors();
// Tests: the monitors the layer reports instead of the screens (an empty list: the screens again).
void SetTestMonitors(std::vector<MONITORINFO> Monitors);

// The stand-in for binding optional system functions by name: the layer answers whether it provides one.
// GradientFill, AlphaBlend, TrackMouseEvent, SetLayeredWindowAttributes, MonitorFromPoint and GetMonitorInfo(A)
// are provided; UpdateLayeredWindow only where the layer composes the windows itself (the off-screen platform);
// AnimateWindow and GetScrollBarInfo are not, nor are the visual-style (theme) and desktop-composition
// functions. Tests switch entries on or off to reach both roads.
bool IsEntryPointAvailable(std::string_view name);
void SetEntryPointAvailable(std::string_view name, bool available);
void ResetEntryPoints();

}  // namespace zel
