#include "uilib/base/ubOffice11.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <memory>
#include <string>

#include "platform/win/Gdi.h"
#include "platform/win/ImageLists.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"
#include "uilib/base/ubThemeManager.h"

namespace zel {

namespace {

// The three XP colour schemes' primary entries, columns 0 to 48.
const TColor kSchemeColumns[3][Office11ColumnCount] = {
    {
        0xFEECDD, 0xE2A981, 0xF5BE9E, 0xF9DAC3, 0x913500, 0xF1A675, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
        0x9C613B, 0xE0A47B, 0x764127, 0xFFFFFF, 0xCB8C6A, 0xFFF9F1, 0xC9662A, 0xF9DBC4, 0x962D00, 0xF6F6F6,
        0xC2EEFF, 0x800000, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xFCE1CB, 0x6FC0FF, 0x3E80FE, 0xF0C7A9,
        0x000000, 0x8D8D8D, 0xFBDABE, 0x94E6FB, 0xFADAC4, 0x962D00, 0xB96837, 0x962D00, 0xFBE5D3, 0xE4AE88,
        0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0xD68759, 0x933803, 0xFFFFFF,
    },
    {
        0xDEF7F4, 0x91C6B7, 0xA7D9D9, 0xE4F0F2, 0x6B7760, 0x8CC2B0, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
        0x588060, 0x8FC4B5, 0x335E51, 0xFFFFFF, 0x588060, 0xDEF7F4, 0x5E8674, 0xADDEE1, 0x5E8D75, 0xEEF4F4,
        0xC2EEFF, 0x385D3F, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xB6E3D8, 0x6FC0FF, 0x3E80FE, 0x9FD4C5,
        0x000000, 0x8D8D8D, 0x91BAAF, 0x94E6FB, 0xE4F1F2, 0x588060, 0x548973, 0x5E8D75, 0xDBF5F2, 0x97C9BC,
        0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0x82C0AF, 0x447A63, 0xFFFFFF,
    },
    {
        0xFAF4F3, 0xB59799, 0xE5D7D7, 0xF7F3F3, 0x927476, 0xC8B2B3, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
        0x947C7C, 0xB09193, 0x755454, 0xFFFFFF, 0x8F6D6E, 0xFFFFFF, 0x99797A, 0xE4DADB, 0x947C7C, 0xFFFAFD,
        0xC2EEFF, 0x6F4B4B, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xE7D3D6, 0x6FC0FF, 0x3E80FE, 0xD3C0C0,
        0x000000, 0x8D8D8D, 0xEBE5E5, 0x94E6FB, 0xF7F3F3, 0x947C7C, 0x916F70, 0x947C7C, 0xF8F1F0, 0xBA9EA0,
        0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0xBFA7A8, 0x916F70, 0xFFFFFF,
    },
};

const int kTubePercents[4] = {75, 41, 125, 40};
// The palette columns that get a solid brush; 12 and 13 are the dark and light dots, 21 the frame.
const int kBrushColumns[] = {12, 13, 14, 15, 21, 0, 1, 2, 3, 16, 18, 22, 24};
constexpr int kBrushCount = static_cast<int>(sizeof(kBrushColumns) / sizeof(kBrushColumns[0]));

TubOffice11Palette g_palette;
bool g_luna = false;
int g_users = 0;
HBRUSH g_brushes[kBrushCount] = {};
bool g_gradientFillBound = false;
// Rebuilds the palette after a theme change while the palette has users.
std::unique_ptr<TubThemeChangedNotificator> g_themeNotificator;

BYTE ChR(TColor c) { return GetRValue(static_cast<COLORREF>(c)); }
BYTE ChG(TColor c) { return GetGValue(static_cast<COLORREF>(c)); }
BYTE ChB(TColor c) { return GetBValue(static_cast<COLORREF>(c)); }
TColor Rgb(int r, int g, int b) {
    return static_cast<TColor>(RGB(static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b)));
}
TColor Plain(TColor c) { return static_cast<TColor>(ColorToRGB(c)); }
int Clamp(int v) { return std::clamp(v, 0, 255); }

std::wstring UpperFileName(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/:");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(c));
    return name;
}

BYTE DetectScheme() {
    if (!VisualStylesUsable({})) return Office11SchemeNone;
    constexpr int kChars = 1024;
    std::wstring file(kChars, L'\0'), color(kChars, L'\0'), size(kChars, L'\0');
    if (FAILED(GetCurrentThemeName(file.data(), kChars, color.data(), kChars, size.data(), kChars)))
        return Office11SchemeNone;
    file.resize(file.find(L'\0'));
    color.resize(color.find(L'\0'));
    OSVERSIONINFO version;
    GetVersionEx(&version);
    if (UpperFileName(file) != L"LUNA.MSSTYLES" && version.dwMajorVersion <= 5) return Office11SchemeNone;
    std::wstring scheme = color;
    for (wchar_t& c : scheme) c = static_cast<wchar_t>(std::towupper(c));
    if (scheme == L"NORMALCOLOR") return Office11SchemeBlue;
    if (scheme == L"HOMESTEAD") return Office11SchemeOlive;
    if (scheme == L"METALLIC") return Office11SchemeSilver;
    return Office11SchemeNone;
}

void ComputeSystemColumns(TColor* c) {
    const TColor F = Plain(clBtnFace), W = Plain(clWindow), S = Plain(clBtnShadow), T = Plain(clBtnText);
    auto Mid = MixColorsPercent;
    auto Light = BlendSystemLightColor;
    auto Near = GetNearestScreenColor;
    c[0] = Mid(F, W, 22);
    c[1] = Mid(F, W, 96);
    c[2] = F;
    c[3] = Mid(F, W, 20);
    c[4] = S;
    c[5] = Mid(S, W, 74);
    c[6] = c[7] = Near(Light(-15, 29, 86));
    c[8] = c[9] = Near(Light(42, 11, 47));
    c[10] = Mid(F, W, 85);
    c[11] = F;
    c[12] = Mid(S, W, 76);
    c[13] = W;
    c[14] = Mid(S, W, 70);
    c[15] = clWhite;
    c[16] = S;
    c[17] = c[1];
    c[18] = S;
    c[19] = W;
    c[20] = Near(Light(-2, 30, 72));
    c[21] = Plain(clHighlight);
    c[22] = c[23] = c[20];
    c[26] = c[1];
    c[27] = Light(41, 11, 48);
    c[28] = Near(Light(14, 44, 40));
    c[24] = c[25] = c[28];
    c[29] = c[1];
    c[30] = T;
    c[31] = Plain(clGrayText);
    c[32] = F;
    c[33] = c[27];
    c[34] = F;
    c[35] = S;
    c[36] = S;
    c[37] = Near(S);
    c[38] = GetOffice11NavPaneGroupCaptionColor(true);
    c[39] = GetOffice11NavPaneGroupCaptionColor(false);
    c[40] = c[20];
    c[41] = c[20];
    c[42] = c[43] = c[27];
    c[44] = c[45] = c[28];
    c[46] = c[47] = c[37];
    c[48] = Plain(clHighlightText);
}

void ComputePalette() {
    TubOffice11Palette& p = g_palette;
    p.Scheme = DetectScheme();
    g_luna = VisualStylesUsable({}) && p.Scheme != Office11SchemeNone;
    const bool xp = p.Scheme != Office11SchemeNone;
    if (xp) std::copy_n(kSchemeColumns[p.Scheme - 1], Office11ColumnCount, p.Columns);
    else ComputeSystemColumns(p.Columns);
    const TColor* c = p.Columns;
    const TColor W = Plain(clWindow);
    for (int i = 0; i < 3; ++i) {
        p.LightMixes[i] = xp ? MixColorsPercent(c[5 + 2 * i], c[0], 90) : MixColorsPercent(c[4 + 2 * i], W, 50);
        p.FaceMixes[i] = MixColorsPercent(c[4 + 2 * i], c[11], 50);
    }
    p.DarkMixes[0] = MixColorsPercent(c[0], clBlack, 92);
    p.DarkMixes[1] = MixColorsPercent(c[1], clBlack, 92);
    p.TextColor = xp ? clBlack : Plain(clBtnText);
    p.WindowColor = xp ? clWhite : W;
    p.WhiteColor = xp ? clWhite : Plain(clBtnHighlight);
    p.InfoColor = xp ? static_cast<TColor>(0xC9EEFD) : Plain(clBtnFace);
    p.ShadowColor = xp ? c[11] : Plain(clBtnShadow);
    p.GripColors[0] = xp ? c[46] : GetNearestScreenColor(Plain(clBtnFace));
    p.GripColors[1] = xp ? c[47] : c[37];
    p.HeaderLightColor = Rgb(158, 174, 191);
    p.HeaderDarkColor = Rgb(46, 70, 95);
    p.TubePercent = kTubePercents[p.Scheme];
}

// ---- the look's own bitmaps ----------------------------------------------------------------------------------

// The look's pictures, registered once as the program's named bitmap resources and loaded by name.
// The expand buttons, 11 x 11: a dark frame, a face shading from white to light blue, and the sign.
void RegisterExpandButtonPicture(const char* AName, bool AMinus) {
    constexpr int n = 11;
    std::uint32_t pixels[n * n];
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            std::uint32_t c;
            if (x == 0 || y == 0 || x == n - 1 || y == n - 1) c = 0x2E465F;  // RGB(46, 70, 95)
            else {
                const int t = 255 - (y - 1) * 3;
                c = static_cast<std::uint32_t>(((t - 20) << 16) | ((t - 8) << 8) | t);
            }
            const bool bar = y == 5 && x >= 3 && x <= 7;
            const bool stem = !AMinus && x == 5 && y >= 3 && y <= 7;
            if (bar || stem) c = 0x000000;
            pixels[y * n + x] = 0xFF000000u | c;
        }
    RegisterBitmapResource(AName, n, n, pixels);
}

// The sub-menu expand glyph before recolouring: two chevrons in shades of grey on a magenta (transparent)
// ground with black tips.
void RegisterSubMenuExpandPicture() {
    static const char* kPicture[7] = {"m1m3mmm", "m21m43m", "mm21m43", "mm#2m#4", "mm21m43", "m21m43m", "m1m3mmm"};
    constexpr int w = 7, h = 7;
    std::uint32_t pixels[w * h];
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const char k = kPicture[y][x];
            std::uint32_t c = 0xFF00FF;
            if (k == '#') c = 0x000000;
            else if (k >= '1' && k <= '4') {
                const std::uint32_t g = 0x40 + static_cast<std::uint32_t>(k - '1') * 0x38;
                c = (g << 16) | (g << 8) | g;
            }
            pixels[y * w + x] = 0xFF000000u | c;
        }
    RegisterBitmapResource("UBSUBMENUEXPAND", w, h, pixels);
}

void RegisterPictures() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterExpandButtonPicture("UBEXPANDBUTTON_PLUS", false);
    RegisterExpandButtonPicture("UBEXPANDBUTTON_MINUS", true);
    RegisterSubMenuExpandPicture();
}

// Pixel (0, 0) is the transparent colour; the other pixels that are not black are spread between palette
// columns 0 and 1 by their red component.
void RecolourSubMenuExpand(HBITMAP ABitmap) {
    BITMAP info;
    if (GetObject(ABitmap, sizeof(info), &info) == 0) return;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ABitmap);
    const COLORREF transparent = GetPixel(dc, 0, 0) & 0xFFFFFF;
    const TColor first = g_palette.Columns[0];
    TColor second = g_palette.Columns[1];
    if (first == second) second = first == clBlack ? clWhite : clBlack;
    int lo = 255, hi = 1;
    const auto recoloured = [&](COLORREF c) { return c != transparent && c != 0; };
    for (int y = 0; y < info.bmHeight; ++y)
        for (int x = 0; x < info.bmWidth; ++x) {
            const COLORREF c = GetPixel(dc, x, y) & 0xFFFFFF;
            if (!recoloured(c)) continue;
            lo = std::min<int>(lo, GetRValue(c));
            hi = std::max<int>(hi, GetRValue(c));
        }
    for (int y = 0; y < info.bmHeight; ++y)
        for (int x = 0; x < info.bmWidth; ++x) {
            const COLORREF c = GetPixel(dc, x, y) & 0xFFFFFF;
            if (!recoloured(c)) continue;
            // One shade only (hi = lo) takes the first colour instead of dividing by zero.
            const int percent = hi > lo ? MulDiv(GetRValue(c) - lo, 100, hi - lo) : 0;
            SetPixel(dc, x, y, static_cast<COLORREF>(MixColorsPercent(first, second, percent)));
        }
    SelectObject(dc, old);
    DeleteDC(dc);
}

HBITMAP g_expandPlus = nullptr;
HBITMAP g_expandMinus = nullptr;
HBITMAP g_subMenuExpand = nullptr;

void CreateBrushes() {
    for (int i = 0; i < kBrushCount; ++i)
        g_brushes[i] = CreateSolidBrush(static_cast<COLORREF>(g_palette.Columns[kBrushColumns[i]]));
    RegisterPictures();
    g_expandPlus = LoadBitmap(nullptr, "UBEXPANDBUTTON_PLUS");
    g_expandMinus = LoadBitmap(nullptr, "UBEXPANDBUTTON_MINUS");
    g_subMenuExpand = LoadBitmap(nullptr, "UBSUBMENUEXPAND");
    if (g_subMenuExpand != nullptr) RecolourSubMenuExpand(g_subMenuExpand);
}

void DestroyBrushes() {
    for (HBRUSH& brush : g_brushes) {
        if (brush != nullptr) DeleteObject(brush);
        brush = nullptr;
    }
    for (HBITMAP* bitmap : {&g_expandPlus, &g_expandMinus, &g_subMenuExpand}) {
        if (*bitmap != nullptr) DeleteObject(*bitmap);
        *bitmap = nullptr;
    }
}

// One filled rectangle in a colour, through a temporary brush.
void FillColor(HDC DC, const RECT& R, TColor Color) {
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(Plain(Color)));
    FillRect(DC, &R, brush);
    DeleteObject(brush);
}

int Extent(const RECT& R, bool Horizontal) { return Horizontal ? R.right - R.left : R.bottom - R.top; }

TColor StripeColor(int Index, int Steps, TColor c1, TColor c2) {
    if (Steps < 2) return c1;
    return Rgb(ChR(c1) + MulDiv(Index, ChR(c2) - ChR(c1), Steps - 1),
               ChG(c1) + MulDiv(Index, ChG(c2) - ChG(c1), Steps - 1),
               ChB(c1) + MulDiv(Index, ChB(c2) - ChB(c1), Steps - 1));
}

void FillStripes(HDC DC, const RECT& R, TColor c1, TColor c2, bool Horizontal) {
    const int extent = Extent(R, Horizontal);
    if (extent <= 0) return;
    const int steps = std::min(extent, 256);
    const int start = Horizontal ? R.left : R.top;
    const int far = start + extent;
    int from = start;
    for (int i = 0; i < steps; ++i) {
        const int to = start + MulDiv(i + 1, extent, steps);
        if (to > from) {
            RECT stripe = Horizontal ? RECT{from, R.top, to, R.bottom} : RECT{R.left, from, R.right, to};
            FillColor(DC, stripe, StripeColor(i, steps, c1, c2));
            from = to;
        }
        if (to >= far) break;
    }
}

// One channel of the tube gradient's stripe i.
int TubeChannel(int i, int N, int K, int c1, int c2, int P) {
    const int M = c1 - MulDiv(c1 - c2, P, 200);
    if (i == K) return M;
    if (i < K) {
        const int E = c1 - MulDiv(c1 - M, N, K);
        return c1 + MulDiv(i, E - c1, N - 1);
    }
    const int S = c2 + MulDiv(M - c2, N, K);
    return S + MulDiv(i, c2 - S, N - 1);
}

void PaintDotCell(HDC DC, int x, int y, HBRUSH LightBrush, HBRUSH DarkBrush) {
    const RECT light{x + 1, y + 1, x + 3, y + 3};
    const RECT dark{x, y, x + 2, y + 2};
    if (LightBrush != nullptr) FillRect(DC, &light, LightBrush);
    if (DarkBrush != nullptr) FillRect(DC, &dark, DarkBrush);
}

}  // namespace

// ---- the shared palette ------------------------------------------------------------------------------------
void AcquireOffice11Palette() {
    if (g_users++ == 0) {
        ComputePalette();
        CreateBrushes();
        if (ThemeDllLoaded()) {
            g_themeNotificator = std::make_unique<TubThemeChangedNotificator>();
            g_themeNotificator->OnThemeChanged = [] { RebuildOffice11Palette(); };
        }
    }
}

void ReleaseOffice11Palette() {
    if (g_users == 0) return;
    if (--g_users == 0) {
        g_themeNotificator.reset();
        DestroyBrushes();
    }
}

void RebuildOffice11Palette() {
    ComputePalette();
    if (g_users > 0) {
        DestroyBrushes();
        CreateBrushes();
    }
}

int Office11PaletteUsers() { return g_users; }

const TubOffice11Palette& Office11Palette() { return g_palette; }

HBITMAP Office11ExpandButtonBitmap(bool AExpanded) { return AExpanded ? g_expandMinus : g_expandPlus; }

HBITMAP Office11SubMenuExpandBitmap() { return g_subMenuExpand; }

HBRUSH Office11Brush(int column) {
    for (int i = 0; i < kBrushCount; ++i) {
        if (kBrushColumns[i] == column) return g_brushes[i];
    }
    return nullptr;
}

bool IsLunaSchemeActive() { return g_luna; }

BYTE Office11Scheme() { return g_palette.Scheme; }

bool IsButtonFaceBlack() { return ColorToRGB(clBtnFace) == clBlack; }

bool IsButtonFaceWhite() { return ColorToRGB(clBtnFace) == clWhite; }

bool IsBlackFaceScheme() { return IsButtonFaceBlack() && ColorToRGB(clBtnText) != clWhite; }

// ---- colour maths ------------------------------------------------------------------------------------------
TColor GetNearestScreenColor(TColor Color) {
    HDC dc = GetDC(nullptr);
    const TColor result = static_cast<TColor>(GetNearestColor(dc, static_cast<COLORREF>(Plain(Color))));
    ReleaseDC(nullptr, dc);
    return result;
}

TColor MixColorsPercent(TColor Color1, TColor Color2, int Percent) {
    const TColor a = Plain(Color1), b = Plain(Color2);
    // Kept to a byte on both sides: a percentage above 100 would otherwise take a channel below 0.
    auto mix = [&](int c1, int c2) { return Clamp(MulDiv(c2, 100 - Percent, 100) + MulDiv(c1, Percent, 100)); };
    return GetNearestScreenColor(Rgb(mix(ChR(a), ChR(b)), mix(ChG(a), ChG(b)), mix(ChB(a), ChB(b))));
}

TColor BlendSystemLightColor(int FacePercent, int HighlightPercent, int WindowPercent) {
    const TColor highlight = Plain(clHighlight);
    if (IsButtonFaceBlack() || IsButtonFaceWhite()) return highlight;
    const TColor face = Plain(clBtnFace), window = Plain(clWindow);
    auto blend = [&](int f, int h, int w) {
        return Clamp(MulDiv(f, FacePercent, 100) + MulDiv(h, HighlightPercent, 100) + MulDiv(w, WindowPercent, 100));
    };
    return Rgb(blend(ChR(face), ChR(highlight), ChR(window)), blend(ChG(face), ChG(highlight), ChG(window)),
               blend(ChB(face), ChB(highlight), ChB(window)));
}

TColor GetOffice11NavPaneGroupCaptionColor(bool Light) {
    const TColor face = Plain(clBtnFace);
    auto channel = [&](int c) { return static_cast<BYTE>(Light ? c * 127 / 255 + 128 : c - c * 4 / 255 + 4); };
    return GetNearestScreenColor(Rgb(channel(ChR(face)), channel(ChG(face)), channel(ChB(face))));
}

// ---- filling -----------------------------------------------------------------------------------------------
void FillRectWithColor(HDC DC, const RECT& R, TColor Color) { FillColor(DC, R, Color); }

void FrameRectWithColor(HDC DC, const RECT& R, TColor Color) {
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(Plain(Color)));
    FrameRect(DC, &R, brush);
    DeleteObject(brush);
}

void FillLinearGradient(HDC DC, const RECT& R, TColor Color1, TColor Color2, bool Horizontal) {
    const TColor c1 = Plain(Color1), c2 = Plain(Color2);
    if (c1 == c2) {
        FillColor(DC, R, c1);
        return;
    }
    if (!g_gradientFillBound) {
        FillStripes(DC, R, c1, c2, Horizontal);
        return;
    }
    TRIVERTEX v[2];
    v[0].x = R.left;
    v[0].y = R.top;
    v[0].Red = static_cast<WORD>(ChR(c1) << 8);
    v[0].Green = static_cast<WORD>(ChG(c1) << 8);
    v[0].Blue = static_cast<WORD>(ChB(c1) << 8);
    v[1].x = R.right;
    v[1].y = R.bottom;
    v[1].Red = static_cast<WORD>(ChR(c2) << 8);
    v[1].Green = static_cast<WORD>(ChG(c2) << 8);
    v[1].Blue = static_cast<WORD>(ChB(c2) << 8);
    GRADIENT_RECT mesh{0, 1};
    GradientFill(DC, v, 2, &mesh, 1, Horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void FillTwoStageGradient(HDC DC, const RECT& R, TColor Color1, TColor Color2, bool Horizontal) {
    const TColor c1 = Plain(Color1), c2 = Plain(Color2);
    if (c1 == c2) {
        FillColor(DC, R, c1);
        return;
    }
    const int N = Extent(R, Horizontal);
    if (N <= 0) return;
    const int K = N / 2;
    const int P = g_palette.TubePercent;
    for (int i = 0; i < N; ++i) {
        const TColor color =
            Rgb(Clamp(TubeChannel(i, N, K, ChR(c1), ChR(c2), P)), Clamp(TubeChannel(i, N, K, ChG(c1), ChG(c2), P)),
                Clamp(TubeChannel(i, N, K, ChB(c1), ChB(c2), P)));
        const RECT stripe = Horizontal ? RECT{R.left + i, R.top, R.left + i + 1, R.bottom}
                                       : RECT{R.left, R.top + i, R.right, R.top + i + 1};
        FillColor(DC, stripe, color);
    }
}

TColor GradientColorAt(const RECT& R, int Position, TColor Color1, bool Horizontal, TColor Color2) {
    const TColor c1 = Plain(Color1), c2 = Plain(Color2);
    const int extent = Extent(R, Horizontal);
    const int steps = std::min(extent, 256);
    if (steps < 2) return c1;
    const int start = Horizontal ? R.left : R.top;
    const int index = std::max(0, MulDiv(Position - start + 1, steps, extent) - 1);
    return StripeColor(index, steps, c1, c2);
}

// ---- the look's small drawings -----------------------------------------------------------------------------
void FrameRectOffice11(HDC DC, const RECT& R) {
    if (IsButtonFaceBlack()) {
        FrameRectWithColor(DC, R, clHighlightText);
        return;
    }
    HBRUSH frame = Office11Brush(21);
    if (frame != nullptr) FrameRect(DC, &R, frame);
    else FrameRectWithColor(DC, R, g_palette.Columns[21]);
}

void PaintOffice11GripDots(HDC DC, const RECT& R, bool Vertical, HBRUSH LightBrush, HBRUSH DarkBrush) {
    if (LightBrush == nullptr) LightBrush = Office11Brush(13);
    if (DarkBrush == nullptr) DarkBrush = Office11Brush(12);
    const int extent = Vertical ? R.bottom - R.top : R.right - R.left;
    if (extent <= 0) return;
    const int r = extent % 4;
    const int shift = r < 2 ? r : r / 2;
    int x = R.left, y = R.top;
    if (Vertical) y += shift;
    else x += shift;
    while (Vertical ? y + 4 <= R.bottom : x + 4 <= R.right) {
        PaintDotCell(DC, x, y, LightBrush, DarkBrush);
        if (Vertical) y += 4;
        else x += 4;
    }
}

TColor Office11ArrowColor(bool Enabled, bool Selected) {
    if (!Enabled) return g_palette.Columns[31];
    if (Selected && IsButtonFaceWhite()) return clWhite;
    return g_palette.Columns[30];
}

int Office11ArrowSize(const RECT& R, TubOffice11ArrowDirection Direction) {
    const int S = Direction == oadDown ? (R.right - R.left) - 8 : (R.bottom - R.top) - 6;
    int N = (S - 1) / 2;
    if (S % 2 != 0) ++N;
    return std::max(N, 3);
}

void PaintOffice11ArrowInStateColor(HDC DC, const RECT& R, TubOffice11ArrowDirection Direction, bool Enabled,
                                    bool Selected) {
    const int N = Office11ArrowSize(R, Direction);
    POINT pts[3];
    if (Direction == oadRight) {
        const int x0 = (R.left + R.right - N) / 2;
        const int y0 = (R.top + R.bottom - (2 * N - 1)) / 2;
        pts[0] = {x0, y0};
        pts[1] = {x0, y0 + 2 * N - 2};
        pts[2] = {x0 + N - 1, y0 + N - 1};
    } else {
        const int x0 = (R.left + R.right - (2 * N - 1)) / 2;
        const int y0 = (R.top + R.bottom - N) / 2;
        pts[0] = {x0, y0};
        pts[1] = {x0 + 2 * N - 2, y0};
        pts[2] = {x0 + N - 1, y0 + N - 1};
    }
    const COLORREF color = static_cast<COLORREF>(Plain(Office11ArrowColor(Enabled, Selected)));
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ oldPen = SelectObject(DC, pen);
    HGDIOBJ oldBrush = SelectObject(DC, brush);
    Polygon(DC, pts, 3);
    SelectObject(DC, oldBrush);
    SelectObject(DC, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void PaintOffice11Arrow(HDC DC, const RECT& R, TubOffice11ArrowDirection Direction, bool Enabled, bool Selected) {
    PaintOffice11ArrowInStateColor(DC, R, Direction, Enabled, Selected);
}

void PaintOffice11SizeGrip(HDC DC, const RECT& R, TColor DarkColor, TColor LightColor) {
    HBRUSH dark =
        DarkColor == clDefault ? Office11Brush(12) : CreateSolidBrush(static_cast<COLORREF>(Plain(DarkColor)));
    HBRUSH light =
        LightColor == clDefault ? Office11Brush(13) : CreateSolidBrush(static_cast<COLORREF>(Plain(LightColor)));
    RECT row{R.right - 12, R.bottom - 3, R.right, R.bottom};
    for (int i = 0; i < 3; ++i) {
        PaintOffice11GripDots(DC, row, false, light, dark);
        row.left += 4;
        row.top -= 4;
        row.bottom -= 4;
    }
    if (DarkColor != clDefault) DeleteObject(dark);
    if (LightColor != clDefault) DeleteObject(light);
}

// ---- unit start-up -----------------------------------------------------------------------------------------
void ubOffice11Startup() { g_gradientFillBound = IsEntryPointAvailable("GradientFill"); }

void ubOffice11Shutdown() { g_gradientFillBound = false; }

// ------------------------------------------------------------------------------------------------ roles

// Roles of the Office-2003 look and the palette columns that carry them. The hot, pressed and frame
// columns are the ones the library's Office-2003 look-and-feel painter uses for its buttons; the rest follow
// the blue scheme's colours (toolbar light FEECDD to dark E2A981, menu background F6F6F6, hot menu line
// C2EEFF, open menu FCE1CB to F0C7A9, floating caption C9662A, toolbar shadow 9C613B).
const TubOffice11Roles Office11Roles = {
    /*ToolbarLight*/ 0,
    /*ToolbarDark*/ 1,
    /*HotFirst*/ 22,
    /*HotSecond*/ 23,
    /*PressedFirst*/ 24,
    /*PressedSecond*/ 25,
    /*PressedSolid*/ 27,
    /*CustomizingSelection*/ 28,
    /*OpenMenuFirst*/ 26,
    /*OpenMenuSecond*/ 29,
    /*GlyphColumnLight*/ 0,
    /*GlyphColumnDark*/ 1,
    /*ExpandedGlyphColumnLight*/ 3,
    /*ExpandedGlyphColumnDark*/ 2,
    /*MenuBackground*/ 19,
    /*MenuSelected*/ 20,
    /*SeparatorDark*/ 14,
    /*SeparatorLight*/ 13,
    /*MenuText*/ 30,
    /*HotText*/ 30,
    /*DisabledText*/ 31,
    /*ButtonFrame*/ 21,
    /*FloatingFrameOuter*/ 18,
    /*FloatingFrameInner*/ 16,
    /*FloatingCaption*/ 16,
    /*CaptionText*/ 48,
    /*ToolbarShadow*/ 10,
    /*FadedGlyph*/ 5,
    /*ButtonFace*/ 2,
    /*Background*/ 0,
    /*EditBackground*/ 13,
    /*DisabledFrame*/ 31,
    /*EditHighlightBorder*/ 21,
    /*EditButtonFirst*/ 0,
    /*EditButtonSecond*/ 1,
    /*EditButtonHotFirst*/ 22,
    /*EditButtonHotSecond*/ 23,
    /*EditButtonPressedFirst*/ 24,
    /*EditButtonPressedSecond*/ 25,
};

TColor Office11RoleColor(int Column) { return Office11Palette().Columns[Column]; }

}  // namespace zel
