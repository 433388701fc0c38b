#include "uilib/base/ubUxTheme.h"

#include <vector>

#include "platform/rtl/Charset.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"

namespace zel {

namespace {

bool g_runsOnXPOrNewer = false;
bool g_libraryLoaded = false;
std::vector<bool> g_bound;  // one flag per entry name, in the order of ThemeLibraryEntryNames

bool Bound(const char* name) { return IsThemeEntryBound(name); }

}  // namespace

bool IsThemeEntryBound(const std::string& name) {
    const auto& names = ThemeLibraryEntryNames();
    for (std::size_t i = 0; i < names.size() && i < g_bound.size(); ++i) {
        if (names[i] == name) return g_bound[i];
    }
    return false;
}

void ubUxThemeStartup() {
    OSVERSIONINFO info;
    info.dwOSVersionInfoSize = 148;
    GetVersionEx(&info);
    g_runsOnXPOrNewer = info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion != 0);
    g_libraryLoaded = g_runsOnXPOrNewer && uxtheme::LoadThemeLibrary();
    g_bound.assign(ThemeLibraryEntryNames().size(), false);
    if (!g_libraryLoaded) return;
    const auto& names = ThemeLibraryEntryNames();
    for (std::size_t i = 0; i < names.size(); ++i) g_bound[i] = IsEntryPointAvailable(names[i]);
}

void ubUxThemeShutdown() {
    g_bound.assign(ThemeLibraryEntryNames().size(), false);
    g_libraryLoaded = false;
}

bool ThemeDllLoaded() { return g_libraryLoaded; }

bool RunsOnXPOrNewer() { return g_runsOnXPOrNewer; }

HTHEME OpenThemeData(HWND hwnd, const wchar_t* classList) {
    return Bound("OpenThemeData") ? uxtheme::OpenThemeData(hwnd, classList) : nullptr;
}

HRESULT CloseThemeData(HTHEME theme) { return Bound("CloseThemeData") ? uxtheme::CloseThemeData(theme) : E_FAIL; }

HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip) {
    return Bound("DrawThemeBackground") ? uxtheme::DrawThemeBackground(theme, dc, part, state, rect, clip) : E_FAIL;
}

HRESULT DrawThemeBackgroundRef(HTHEME theme, HDC dc, int part, int state, const RECT& rect, const RECT* clip) {
    return DrawThemeBackground(theme, dc, part, state, &rect, clip);
}

HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, const wchar_t* text, int count, DWORD flags,
                      DWORD flags2, const RECT* rect) {
    return Bound("DrawThemeText") ? uxtheme::DrawThemeText(theme, dc, part, state, text, count, flags, flags2, rect)
                                  : E_FAIL;
}

HRESULT DrawThemeTextAnsi(HTHEME theme, HDC dc, int part, int state, const std::string& text, int count, DWORD flags,
                          DWORD flags2, const RECT* rect) {
    std::wstring wide;
    wide.reserve(text.size());
    for (unsigned char c : text) wide.push_back(static_cast<wchar_t>(AnsiCharToUnicode(c)));
    // A count of -1 means the whole (now wide) text; a byte count is a character count here.
    return DrawThemeText(theme, dc, part, state, wide.c_str(), count, flags, flags2, rect);
}

HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds, RECT* content) {
    return Bound("GetThemeBackgroundContentRect")
               ? uxtheme::GetThemeBackgroundContentRect(theme, dc, part, state, bounds, content)
               : E_FAIL;
}

HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect, THEMESIZE kind, SIZE* size) {
    return Bound("GetThemePartSize") ? uxtheme::GetThemePartSize(theme, dc, part, state, rect, kind, size) : E_FAIL;
}

HRESULT GetThemePartSizeNoRect(HTHEME theme, HDC dc, int part, int state, THEMESIZE kind, SIZE* size) {
    return GetThemePartSize(theme, dc, part, state, nullptr, kind, size);
}

HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region) {
    return Bound("GetThemeBackgroundRegion") ? uxtheme::GetThemeBackgroundRegion(theme, dc, part, state, rect, region)
                                             : E_FAIL;
}

HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* dest, UINT edge, UINT flags,
                      RECT* content) {
    return Bound("DrawThemeEdge") ? uxtheme::DrawThemeEdge(theme, dc, part, state, dest, edge, flags, content) : E_FAIL;
}

bool IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state) {
    return Bound("IsThemeBackgroundPartiallyTransparent") &&
           uxtheme::IsThemeBackgroundPartiallyTransparent(theme, part, state) != FALSE;
}

HRESULT DrawThemeParentBackground(HWND hwnd, HDC dc, const RECT* rect) {
    if (!Bound("DrawThemeParentBackground")) return E_FAIL;
    // The parent's painting may select its own font into the DC; the caller's stays selected afterwards.
    HGDIOBJ font = dc != nullptr ? GetCurrentObject(dc, OBJ_FONT) : nullptr;
    const HRESULT result = uxtheme::DrawThemeParentBackground(hwnd, dc, rect);
    if (font != nullptr) SelectObject(dc, font);
    return result;
}

HRESULT GetThemeColor(HTHEME theme, int part, int state, int propId, COLORREF* color) {
    return Bound("GetThemeColor") ? uxtheme::GetThemeColor(theme, part, state, propId, color) : E_FAIL;
}

BOOL IsThemeActive() { return Bound("IsThemeActive") ? uxtheme::IsThemeActive() : FALSE; }

HRESULT GetCurrentThemeName(wchar_t* fileName, int fileNameChars, wchar_t* colorName, int colorChars, wchar_t* sizeName,
                            int sizeChars) {
    return Bound("GetCurrentThemeName")
               ? uxtheme::GetCurrentThemeName(fileName, fileNameChars, colorName, colorChars, sizeName, sizeChars)
               : E_FAIL;
}

uxtheme::HPAINTBUFFER BeginBufferedPaint(HDC target, const RECT* rect, DWORD format, void* params, HDC* paintDC) {
    return Bound("BeginBufferedPaint") ? uxtheme::BeginBufferedPaint(target, rect, format, params, paintDC) : nullptr;
}

HRESULT EndBufferedPaint(uxtheme::HPAINTBUFFER buffer, BOOL updateTarget) {
    return Bound("EndBufferedPaint") ? uxtheme::EndBufferedPaint(buffer, updateTarget) : E_FAIL;
}

HRESULT BufferedPaintSetAlpha(uxtheme::HPAINTBUFFER buffer, const RECT* rect, BYTE alpha) {
    return Bound("BufferedPaintSetAlpha") ? uxtheme::BufferedPaintSetAlpha(buffer, rect, alpha) : E_FAIL;
}

}  // namespace zel
