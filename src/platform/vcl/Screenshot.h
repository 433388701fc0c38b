#pragma once
// Pictures of windows as the user would see them: a window with its child windows, painted first, saved
// as PNG. For tests and bug reports.
#include <string>
#include <vector>

#include "platform/win/WinTypes.h"

namespace zel {

// Paints what is pending, composes the window with its visible children and writes a PNG file; false
// when the window is unknown or the file cannot be written.
bool SaveWindowImage(HWND Window, const std::string& FileName);
// The colour (00BBGGRR) at a point of the composed window (window coordinates); CLR_INVALID outside.
COLORREF ComposedPixel(HWND Window, int X, int Y);
// The colours of a rectangle of the composed window (window coordinates), row after row, composed once;
// CLR_INVALID where the rectangle lies outside the window. Empty for an unknown window.
std::vector<COLORREF> ComposedPixels(HWND Window, const RECT& Area);
// The screen as the user sees it over a rectangle (screen coordinates): the visible top-level windows
// composed in their z-order, a menu over its menu bar. False for an empty rectangle or an unwritable file.
bool SaveScreenImage(const RECT& Area, const std::string& FileName);
// The colour (00BBGGRR) of the composed screen at a point; white where no window is.
COLORREF ComposedScreenPixel(int X, int Y);

}  // namespace zel
