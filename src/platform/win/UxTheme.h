#pragma once
// The visual-styles service (the theme library). Linux has no theme library: at run time no provider is
// installed, the library counts as missing and the optional-entry-point registry reports every theme function
// unavailable, so callers take their unthemed fall-backs. Tests install a TTestThemeProvider, which makes the
// library present and the themes active, answers the queries from its own fields and records every drawing call.
//
// The functions live in namespace zel::uxtheme: they are the library's entry points, which the component
// library binds by name and wraps under the same names.
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win/Gdi.h"
#include "platform/win/WinTypes.h"

namespace zel {

struct TThemeObject;
using HTHEME = TThemeObject*;  // 0: no theme
using HRESULT = LONG;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
inline bool FAILED(HRESULT hr) { return hr < 0; }

// Part size kinds of GetThemePartSize.
enum THEMESIZE { TS_MIN = 0, TS_TRUE = 1, TS_DRAW = 2 };

// One call that reached the provider, in call order.
struct TThemeCall {
    std::string Function;  // the entry point's name, "DrawThemeBackground"
    HTHEME Theme = nullptr;
    HDC DC = nullptr;
    int Part = 0;
    int State = 0;
    RECT Rect;
    std::wstring Text;  // the class list of OpenThemeData, the text of DrawThemeText
    DWORD Flags = 0;
};

// The test stand-in for the theme library. Installing it makes the library loadable, binds its entry points
// (the buffered-paint ones only when VistaEntries is set) and makes themes active; its fields decide the answers.
class TTestThemeProvider {
public:
    TTestThemeProvider() = default;
    ~TTestThemeProvider();  // uninstalls itself when still installed
    TTestThemeProvider(const TTestThemeProvider&) = delete;
    TTestThemeProvider& operator=(const TTestThemeProvider&) = delete;

    bool Active = true;     // IsThemeActive
    bool AppThemed = true;  // IsAppThemed
    bool VistaEntries = false;
    // GetCurrentThemeName's answers; CurrentThemeNameFails makes it answer E_FAIL.
    std::wstring ThemeFileName = L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
    std::wstring ColorSchemeName = L"NormalColor";
    std::wstring SizeName = L"NormalSize";
    bool CurrentThemeNameFails = false;
    // Class lists (compared without regard to case) that OpenThemeData refuses.
    std::vector<std::wstring> UnknownClasses;
    // GetThemeColor answers by (part, state, property id); E_FAIL for a missing one.
    std::map<std::tuple<int, int, int>, COLORREF> Colors;
    // GetThemePartSize's answer for a part without an entry in PartSizes.
    SIZE PartSize{13, 13};
    // Answers per part and state of a theme class (its class list, compared without regard to case); a state
    // of -1 stands for every state of the part. Content insets (left, top, right, bottom; 1 on each side
    // without an entry), sizes by size kind, and the parts whose background is partially transparent.
    std::map<std::tuple<std::wstring, int, int>, RECT> ContentInsets;
    std::map<std::tuple<std::wstring, int, int, int>, SIZE> PartSizes;
    std::set<std::tuple<std::wstring, int, int>> PartiallyTransparent;
    // Draws each background as a framed face (with the arrow of the parts whose picture has one: spin
    // buttons, a combo box's button, scroll bar arrows) and each text in black, so that screenshots show the
    // themed drawing (off: the provider only records).
    bool PaintsParts = false;
    // Every call, in order.
    std::vector<TThemeCall> Calls;

    // Number of recorded calls of one entry point.
    int CallCount(const std::string& function) const;
    // Themes opened and not yet closed.
    int OpenThemeCount() const { return static_cast<int>(open_.size()); }
    // The class list a live theme was opened with; empty for an unknown handle.
    std::wstring ClassListOf(HTHEME theme) const;
    // The answers for one part and state of a live theme.
    RECT ContentInsetsOf(HTHEME theme, int part, int state) const;
    SIZE PartSizeOf(HTHEME theme, int part, int state, THEMESIZE kind) const;
    bool IsPartiallyTransparent(HTHEME theme, int part, int state) const;

    // Internal to the stand-in.
    HTHEME Open(const std::wstring& classList);
    bool Close(HTHEME theme);
    bool IsOpen(HTHEME theme) const;

private:
    std::map<HTHEME, std::wstring> open_;
    std::uintptr_t nextHandle_ = 0x7E000;
};

// Installs the provider (nullptr uninstalls the current one). The provider is not owned.
void InstallThemeProvider(TTestThemeProvider* provider);

// The names of the library's entry points, as they are bound at run time.
const std::vector<std::string>& ThemeLibraryEntryNames();

namespace uxtheme {

// Loading the library: true while a provider is installed.
bool LoadThemeLibrary();

HTHEME OpenThemeData(HWND hwnd, const wchar_t* classList);
HRESULT CloseThemeData(HTHEME theme);
BOOL IsThemeActive();
BOOL IsAppThemed();
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip);
HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, const wchar_t* text, int count, DWORD flags,
                      DWORD flags2, const RECT* rect);
HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds, RECT* content);
HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect, THEMESIZE kind, SIZE* size);
HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region);
HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* dest, UINT edge, UINT flags,
                      RECT* content);
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);
HRESULT DrawThemeParentBackground(HWND hwnd, HDC dc, const RECT* rect);
HRESULT GetThemeColor(HTHEME theme, int part, int state, int propId, COLORREF* color);
HRESULT GetCurrentThemeName(wchar_t* fileName, int fileNameChars, wchar_t* colorName, int colorChars, wchar_t* sizeName,
                            int sizeChars);
// Buffered painting: the layer paints straight into the target, so the "buffer" is the target DC itself.
using HPAINTBUFFER = void*;
// Buffer formats and paint parameters; BPPF_ERASE clears the buffer (to transparent black) first.
constexpr DWORD BPBF_COMPATIBLEBITMAP = 0, BPBF_DIB = 1, BPBF_TOPDOWNDIB = 2, BPBF_TOPDOWNMONODIB = 3;
constexpr DWORD BPPF_ERASE = 1, BPPF_NOCLIP = 2, BPPF_NONCLIENT = 4;
struct BP_PAINTPARAMS {
    DWORD cbSize = sizeof(BP_PAINTPARAMS);
    DWORD dwFlags = 0;
    const RECT* prcExclude = nullptr;
    const void* pBlendFunction = nullptr;
};
HPAINTBUFFER BeginBufferedPaint(HDC target, const RECT* rect, DWORD format, void* params, HDC* paintDC);
HRESULT EndBufferedPaint(HPAINTBUFFER buffer, BOOL updateTarget);
HRESULT BufferedPaintSetAlpha(HPAINTBUFFER buffer, const RECT* rect, BYTE alpha);

}  // namespace uxtheme
}  // namespace zel
