// The theme library's stand-in: without an installed provider every entry fails the way a missing library's
// would; with one, the provider answers and records.
#include "platform/win/UxTheme.h"

#include <algorithm>
#include <cwctype>

#include "platform/win/SysInfo.h"

namespace zel {

namespace {

TTestThemeProvider* g_provider = nullptr;

// The buffered-paint entries exist only on the systems that came after XP.
bool IsVistaEntry(const std::string& name) {
    return name.rfind("BufferedPaint", 0) == 0 || name == "BeginBufferedPaint" || name == "EndBufferedPaint";
}

std::wstring Upper(const std::wstring& s) {
    std::wstring r = s;
    for (wchar_t& c : r) c = static_cast<wchar_t>(std::towupper(c));
    return r;
}

void Record(const char* function, HTHEME theme, HDC dc, int part, int state, const RECT* rect, std::wstring text = {},
            DWORD flags = 0) {
    if (g_provider == nullptr) return;
    TThemeCall call;
    call.Function = function;
    call.Theme = theme;
    call.DC = dc;
    call.Part = part;
    call.State = state;
    if (rect != nullptr) call.Rect = *rect;
    call.Text = std::move(text);
    call.Flags = flags;
    g_provider->Calls.push_back(std::move(call));
}

// A provider that knows the theme handle: only then does a theme call succeed.
TTestThemeProvider* ProviderOf(HTHEME theme) {
    return g_provider != nullptr && g_provider->IsOpen(theme) ? g_provider : nullptr;
}

void CopyOut(const std::wstring& s, wchar_t* buffer, int chars) {
    if (buffer == nullptr || chars <= 0) return;
    const std::size_t n = std::min<std::size_t>(s.size(), static_cast<std::size_t>(chars - 1));
    std::copy_n(s.begin(), n, buffer);
    buffer[n] = L'\0';
}

// The class a live theme was opened with, upper-cased; empty without a provider.
std::wstring ClassOf(HTHEME theme) { return g_provider != nullptr ? Upper(g_provider->ClassListOf(theme)) : L""; }

// Where a part's picture carries an arrow of its own (a spin button, a combo box's drop-down button, a scroll
// bar's arrow button), the direction it points, as the real parts draw it: 'u', 'd', 'l', 'r'; 0 for none.
char GlyphOf(const std::wstring& cls, int part, int state) {
    if (cls == L"SPIN") {
        switch (part) {
            case 1: return 'u';  // up
            case 2: return 'd';  // down
            case 3: return 'r';  // the horizontal up button
            case 4: return 'l';  // the horizontal down button
            default: return 0;
        }
    }
    if (cls == L"COMBOBOX" && part == 1) return 'd';
    // The scroll bar's arrow button: four states for each of up, down, left and right.
    if (cls == L"SCROLLBAR" && part == 1 && state >= 1 && state <= 16) return "udlr"[(state - 1) / 4];
    return 0;
}

// The arrow of a part with one: a solid triangle centred in the part, grey in the part's disabled state.
void DrawPartGlyph(HDC dc, const std::wstring& cls, int part, int state, const RECT& r) {
    const char direction = GlyphOf(cls, part, state);
    if (direction == 0) return;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w < 5 || h < 5) return;
    // Half the arrow's base; its height is about that.
    const int half = std::max(2, std::min(w, h) / 4);
    const int cx = r.left + w / 2, cy = r.top + h / 2;
    POINT p[3];
    switch (direction) {
        case 'u':
            p[0] = {cx - half, cy + half / 2}, p[1] = {cx + half, cy + half / 2}, p[2] = {cx, cy - half / 2 - 1};
            break;
        case 'd':
            p[0] = {cx - half, cy - half / 2}, p[1] = {cx + half, cy - half / 2}, p[2] = {cx, cy + half / 2 + 1};
            break;
        case 'l':
            p[0] = {cx + half / 2, cy - half}, p[1] = {cx + half / 2, cy + half}, p[2] = {cx - half / 2 - 1, cy};
            break;
        default:
            p[0] = {cx - half / 2, cy - half}, p[1] = {cx - half / 2, cy + half}, p[2] = {cx + half / 2 + 1, cy};
            break;
    }
    // The disabled state of the spin and combo parts is 4; of the scroll bar's arrows, the fourth of each four.
    const bool disabled = cls == L"SCROLLBAR" ? state % 4 == 0 : state == 4;
    const COLORREF color = disabled ? RGB(160, 160, 160) : RGB(0, 0, 0);
    HBRUSH brush = CreateSolidBrush(color);
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polygon(dc, p, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

}  // namespace

const std::vector<std::string>& ThemeLibraryEntryNames() {
    static const std::vector<std::string> names = {"CloseThemeData",
                                                   "DrawThemeBackground",
                                                   "DrawThemeEdge",
                                                   "DrawThemeIcon",
                                                   "DrawThemeParentBackground",
                                                   "DrawThemeText",
                                                   "DrawThemeTextEx",
                                                   "EnableThemeDialogTexture",
                                                   "GetCurrentThemeName",
                                                   "GetThemeAppProperties",
                                                   "GetThemeBackgroundContentRect",
                                                   "GetThemeBackgroundRegion",
                                                   "GetThemeBackgroundExtent",
                                                   "GetThemeBool",
                                                   "GetThemeColor",
                                                   "GetThemeDocumentationProperty",
                                                   "GetThemeEnumValue",
                                                   "GetThemeFilename",
                                                   "GetThemeFont",
                                                   "GetThemeInt",
                                                   "GetThemeIntList",
                                                   "GetThemeMargins",
                                                   "GetThemeMetric",
                                                   "GetThemePartSize",
                                                   "GetThemePosition",
                                                   "GetThemePropertyOrigin",
                                                   "GetThemeRect",
                                                   "GetThemeString",
                                                   "GetThemeSysBool",
                                                   "GetThemeSysColor",
                                                   "GetThemeSysColorBrush",
                                                   "GetThemeSysFont",
                                                   "GetThemeSysInt",
                                                   "GetThemeSysSize",
                                                   "GetThemeSysString",
                                                   "GetThemeTextExtent",
                                                   "GetThemeTextMetrics",
                                                   "GetWindowTheme",
                                                   "HitTestThemeBackground",
                                                   "IsAppThemed",
                                                   "IsThemeActive",
                                                   "IsThemePartDefined",
                                                   "IsThemeBackgroundPartiallyTransparent",
                                                   "IsThemeDialogTextureEnabled",
                                                   "OpenThemeData",
                                                   "SetThemeAppProperties",
                                                   "SetWindowTheme",
                                                   "BufferedPaintInit",
                                                   "BufferedPaintUnInit",
                                                   "BeginBufferedPaint",
                                                   "EndBufferedPaint",
                                                   "BufferedPaintSetAlpha"};
    return names;
}

// ---- the test provider -------------------------------------------------------------------------------------
TTestThemeProvider::~TTestThemeProvider() {
    if (g_provider == this) InstallThemeProvider(nullptr);
}

int TTestThemeProvider::CallCount(const std::string& function) const {
    return static_cast<int>(
        std::count_if(Calls.begin(), Calls.end(), [&](const TThemeCall& c) { return c.Function == function; }));
}

std::wstring TTestThemeProvider::ClassListOf(HTHEME theme) const {
    const auto it = open_.find(theme);
    return it == open_.end() ? std::wstring() : it->second;
}

HTHEME TTestThemeProvider::Open(const std::wstring& classList) {
    const std::wstring upper = Upper(classList);
    for (const std::wstring& unknown : UnknownClasses) {
        if (Upper(unknown) == upper) return nullptr;
    }
    if (classList.empty()) return nullptr;
    nextHandle_ += 0x10;
    HTHEME theme = reinterpret_cast<HTHEME>(nextHandle_);
    open_[theme] = classList;
    return theme;
}

RECT TTestThemeProvider::ContentInsetsOf(HTHEME theme, int part, int state) const {
    const std::wstring cls = Upper(ClassListOf(theme));
    for (const int s : {state, -1})
        for (const auto& [key, insets] : ContentInsets)
            if (Upper(std::get<0>(key)) == cls && std::get<1>(key) == part && std::get<2>(key) == s) return insets;
    return RECT{1, 1, 1, 1};
}

SIZE TTestThemeProvider::PartSizeOf(HTHEME theme, int part, int state, THEMESIZE kind) const {
    const std::wstring cls = Upper(ClassListOf(theme));
    for (const int s : {state, -1})
        for (const auto& [key, size] : PartSizes)
            if (Upper(std::get<0>(key)) == cls && std::get<1>(key) == part && std::get<2>(key) == s &&
                std::get<3>(key) == kind)
                return size;
    return PartSize;
}

bool TTestThemeProvider::IsPartiallyTransparent(HTHEME theme, int part, int state) const {
    const std::wstring cls = Upper(ClassListOf(theme));
    for (const int s : {state, -1})
        for (const auto& key : PartiallyTransparent)
            if (Upper(std::get<0>(key)) == cls && std::get<1>(key) == part && std::get<2>(key) == s) return true;
    return false;
}

bool TTestThemeProvider::Close(HTHEME theme) { return open_.erase(theme) != 0; }

bool TTestThemeProvider::IsOpen(HTHEME theme) const { return open_.count(theme) != 0; }

void InstallThemeProvider(TTestThemeProvider* provider) {
    g_provider = provider;
    for (const std::string& name : ThemeLibraryEntryNames()) {
        const bool available = provider != nullptr && (!IsVistaEntry(name) || provider->VistaEntries);
        SetEntryPointAvailable(name, available);
    }
}

// ---- the entry points --------------------------------------------------------------------------------------
namespace uxtheme {

bool LoadThemeLibrary() { return g_provider != nullptr; }

HTHEME OpenThemeData(HWND /*hwnd*/, const wchar_t* classList) {
    const std::wstring list = classList != nullptr ? std::wstring(classList) : std::wstring();
    Record("OpenThemeData", nullptr, nullptr, 0, 0, nullptr, list);
    if (g_provider == nullptr || !g_provider->Active) return nullptr;
    return g_provider->Open(list);
}

HRESULT CloseThemeData(HTHEME theme) {
    Record("CloseThemeData", theme, nullptr, 0, 0, nullptr);
    return g_provider != nullptr && g_provider->Close(theme) ? S_OK : E_INVALIDARG;
}

BOOL IsThemeActive() { return g_provider != nullptr && g_provider->Active ? TRUE : FALSE; }

BOOL IsAppThemed() { return g_provider != nullptr && g_provider->AppThemed ? TRUE : FALSE; }

HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip) {
    Record("DrawThemeBackground", theme, dc, part, state, rect);
    if (ProviderOf(theme) == nullptr || rect == nullptr) return E_INVALIDARG;
    if (g_provider->PaintsParts) {
        // A pale face with a frame whose colour tells the state apart.
        static constexpr COLORREF frames[] = {0x9A7B5A, 0x8C6E4A, 0x2F9FE8, 0x3060C0, 0xA0A0A0};
        const int saved = SaveDC(dc);
        if (clip != nullptr) IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
        HBRUSH face = CreateSolidBrush(state == 3 ? 0xE8D8C8 : 0xF8ECE0);
        HBRUSH frame = CreateSolidBrush(frames[std::clamp(state, 0, 4)]);
        FillRect(dc, rect, face);
        FrameRect(dc, rect, frame);
        DeleteObject(face);
        DeleteObject(frame);
        DrawPartGlyph(dc, ClassOf(theme), part, state, *rect);
        RestoreDC(dc, saved);
    }
    return S_OK;
}

HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, const wchar_t* text, int count, DWORD flags,
                      DWORD /*flags2*/, const RECT* rect) {
    std::wstring s;
    if (text != nullptr) s = count < 0 ? std::wstring(text) : std::wstring(text, static_cast<std::size_t>(count));
    Record("DrawThemeText", theme, dc, part, state, rect, s, flags);
    if (ProviderOf(theme) == nullptr || rect == nullptr) return E_INVALIDARG;
    if (g_provider->PaintsParts) {
        std::string narrow;
        for (wchar_t c : s) narrow += c < 0x100 ? static_cast<char>(c) : '?';
        RECT r = *rect;
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColor = SetTextColor(dc, 0);
        DrawText(dc, narrow.c_str(), static_cast<int>(narrow.size()), &r, flags);
        SetTextColor(dc, oldColor);
        SetBkMode(dc, oldMode);
    }
    return S_OK;
}

HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds, RECT* content) {
    Record("GetThemeBackgroundContentRect", theme, dc, part, state, bounds);
    if (ProviderOf(theme) == nullptr || bounds == nullptr || content == nullptr) return E_INVALIDARG;
    const RECT insets = g_provider->ContentInsetsOf(theme, part, state);
    *content = RECT{bounds->left + insets.left, bounds->top + insets.top, bounds->right - insets.right,
                    bounds->bottom - insets.bottom};
    return S_OK;
}

HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect, THEMESIZE kind, SIZE* size) {
    Record("GetThemePartSize", theme, dc, part, state, rect);
    if (ProviderOf(theme) == nullptr || size == nullptr) return E_INVALIDARG;
    *size = g_provider->PartSizeOf(theme, part, state, kind);
    return S_OK;
}

HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region) {
    Record("GetThemeBackgroundRegion", theme, dc, part, state, rect);
    if (ProviderOf(theme) == nullptr || rect == nullptr || region == nullptr) return E_INVALIDARG;
    *region = CreateRectRgnIndirect(rect);
    return S_OK;
}

HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* dest, UINT edge, UINT flags,
                      RECT* content) {
    Record("DrawThemeEdge", theme, dc, part, state, dest, {}, edge | (flags << 16));
    if (ProviderOf(theme) == nullptr || dest == nullptr) return E_INVALIDARG;
    if (content != nullptr) {
        *content = *dest;
        InflateRect(content, -2, -2);
    }
    return S_OK;
}

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state) {
    Record("IsThemeBackgroundPartiallyTransparent", theme, nullptr, part, state, nullptr);
    return ProviderOf(theme) != nullptr && g_provider->IsPartiallyTransparent(theme, part, state) ? TRUE : FALSE;
}

HRESULT DrawThemeParentBackground(HWND /*hwnd*/, HDC dc, const RECT* rect) {
    Record("DrawThemeParentBackground", nullptr, dc, 0, 0, rect);
    return g_provider != nullptr ? S_OK : E_FAIL;
}

HRESULT GetThemeColor(HTHEME theme, int part, int state, int propId, COLORREF* color) {
    Record("GetThemeColor", theme, nullptr, part, state, nullptr, {}, static_cast<DWORD>(propId));
    if (ProviderOf(theme) == nullptr || color == nullptr) return E_INVALIDARG;
    const auto it = g_provider->Colors.find({part, state, propId});
    if (it == g_provider->Colors.end()) return E_FAIL;
    *color = it->second;
    return S_OK;
}

HRESULT GetCurrentThemeName(wchar_t* fileName, int fileNameChars, wchar_t* colorName, int colorChars, wchar_t* sizeName,
                            int sizeChars) {
    Record("GetCurrentThemeName", nullptr, nullptr, 0, 0, nullptr);
    if (g_provider == nullptr || !g_provider->Active || g_provider->CurrentThemeNameFails) return E_FAIL;
    CopyOut(g_provider->ThemeFileName, fileName, fileNameChars);
    CopyOut(g_provider->ColorSchemeName, colorName, colorChars);
    CopyOut(g_provider->SizeName, sizeName, sizeChars);
    return S_OK;
}

HPAINTBUFFER BeginBufferedPaint(HDC target, const RECT* rect, DWORD /*format*/, void* params, HDC* paintDC) {
    const auto* paint = static_cast<const BP_PAINTPARAMS*>(params);
    const DWORD flags = paint != nullptr ? paint->dwFlags : 0;
    Record("BeginBufferedPaint", nullptr, target, 0, 0, rect, {}, flags);
    if (g_provider == nullptr || !g_provider->VistaEntries || target == nullptr) return nullptr;
    if (paintDC != nullptr) *paintDC = target;
    if ((flags & BPPF_ERASE) != 0 && rect != nullptr) {
        HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
        FillRect(target, rect, black);
        DeleteObject(black);
    }
    return target;
}

HRESULT EndBufferedPaint(HPAINTBUFFER buffer, BOOL /*updateTarget*/) {
    Record("EndBufferedPaint", nullptr, static_cast<HDC>(buffer), 0, 0, nullptr);
    return buffer != nullptr ? S_OK : E_INVALIDARG;
}

HRESULT BufferedPaintSetAlpha(HPAINTBUFFER buffer, const RECT* rect, BYTE alpha) {
    Record("BufferedPaintSetAlpha", nullptr, static_cast<HDC>(buffer), 0, 0, rect, {}, alpha);
    return buffer != nullptr ? S_OK : E_INVALIDARG;
}

}  // namespace uxtheme
}  // namespace zel
