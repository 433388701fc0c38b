#pragma once
// The component library's road to the visual-styles service: the library is loaded at start-up only on
// XP or later and bound entry by entry by name, so the program runs unchanged where it is missing. Each
// wrapper passes its arguments to the bound entry of the same name; a missing entry answers a failure
// (0, FALSE or E_FAIL) instead of being called.
#include <string>

#include "platform/win/UxTheme.h"
#include "platform/win/WinTypes.h"

namespace zel {

HTHEME OpenThemeData(HWND hwnd, const wchar_t* classList);
HRESULT CloseThemeData(HTHEME theme);
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip);
HRESULT DrawThemeBackgroundRef(HTHEME theme, HDC dc, int part, int state, const RECT& rect, const RECT* clip);
HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, const wchar_t* text, int count, DWORD flags,
                      DWORD flags2, const RECT* rect);
// The text is Windows-1252 bytes, widened first.
HRESULT DrawThemeTextAnsi(HTHEME theme, HDC dc, int part, int state, const std::string& text, int count, DWORD flags,
                          DWORD flags2, const RECT* rect);
HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds, RECT* content);
HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect, THEMESIZE kind, SIZE* size);
HRESULT GetThemePartSizeNoRect(HTHEME theme, HDC dc, int part, int state, THEMESIZE kind, SIZE* size);
HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region);
HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* dest, UINT edge, UINT flags,
                      RECT* content);
bool IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);
// The DC's selected font is saved before the call and selected again after it.
HRESULT DrawThemeParentBackground(HWND hwnd, HDC dc, const RECT* rect);
HRESULT GetThemeColor(HTHEME theme, int part, int state, int propId, COLORREF* color);
// 0 when the entry is missing.
BOOL IsThemeActive();
HRESULT GetCurrentThemeName(wchar_t* fileName, int fileNameChars, wchar_t* colorName, int colorChars, wchar_t* sizeName,
                            int sizeChars);
uxtheme::HPAINTBUFFER BeginBufferedPaint(HDC target, const RECT* rect, DWORD format, void* params, HDC* paintDC);
HRESULT EndBufferedPaint(uxtheme::HPAINTBUFFER buffer, BOOL updateTarget);
HRESULT BufferedPaintSetAlpha(uxtheme::HPAINTBUFFER buffer, const RECT* rect, BYTE alpha);

// The theme library was loaded at start-up.
bool ThemeDllLoaded();
// The system is XP (NT 5.1) or later.
bool RunsOnXPOrNewer();
// Whether one of the library's entries was bound (by its name).
bool IsThemeEntryBound(const std::string& name);

// Unit start-up and shutdown: version flag, loading and binding; shutdown unbinds and frees the library.
void ubUxThemeStartup();
void ubUxThemeShutdown();

}  // namespace zel
