#include "uilib/bars/ubBarDraw.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/vcl/ImgList.h"
#include "platform/win/SysInfo.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/base/ubOffice11.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/ubUxTheme.h"

namespace zel {

namespace {

// A 32-bit top-down image in memory with a DC over it: pixels are 0x00RRGGBB (blue in the low byte).
class TPixelImage {
public:
    TPixelImage(int AWidth, int AHeight) : width_(AWidth), height_(AHeight) {
        BITMAPINFO info;
        info.bmiHeader.biWidth = AWidth;
        info.bmiHeader.biHeight = -AHeight;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<std::uint32_t*>(bits);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~TPixelImage() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    TPixelImage(const TPixelImage&) = delete;
    TPixelImage& operator=(const TPixelImage&) = delete;

    HDC DC() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint32_t& At(int X, int Y) {
        return bits_[static_cast<std::size_t>(Y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(X)];
    }
    bool Inside(int X, int Y) const { return X >= 0 && Y >= 0 && X < width_ && Y < height_; }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

std::uint32_t PixelOf(TColor Color) {
    const COLORREF c = ColorToRGB(Color);
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

std::uint8_t Channel(std::uint32_t Pixel, int Shift) { return static_cast<std::uint8_t>((Pixel >> Shift) & 0xFF); }

std::uint32_t MakePixel(std::uint8_t Blue, std::uint8_t Green, std::uint8_t Red) {
    return (static_cast<std::uint32_t>(Red) << 16) | (static_cast<std::uint32_t>(Green) << 8) | Blue;
}

// Stamps the mask in a colour with the glyph's top-left corner at (X, Y).
void StampMask(TPixelImage& Target, const std::vector<bool>& Mask, int GlyphWidth, int GlyphHeight, int X, int Y,
               std::uint32_t Pixel) {
    for (int gy = 0; gy < GlyphHeight; ++gy)
        for (int gx = 0; gx < GlyphWidth; ++gx)
            if (Mask[static_cast<std::size_t>(gy * GlyphWidth + gx)] && Target.Inside(X + gx, Y + gy))
                Target.At(X + gx, Y + gy) = Pixel;
}

}  // namespace

// ---- arrow, gradient, background ---------------------------------------------------------------------------

int ArrowSize(const TRect& R, bool Horizontal) {
    const int e = Horizontal ? R.Width() - 8 : R.Height() - 6;
    int size = (e - 1) / 2;
    if (e % 2 != 0) ++size;
    return std::max(size, 3);
}

namespace {
void FillArrow(HDC DC, const TRect& R, bool Horizontal, int Size, int Offset, TColor Color) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
    if (Horizontal) {
        const int x0 = R.left + (R.Width() - Size) / 2 + Offset, yc = R.top + R.Height() / 2 + Offset;
        for (int i = 0; i < Size; ++i) {
            RECT line{x0 + i, yc - (Size - 1 - i), x0 + i + 1, yc + (Size - i)};
            FillRect(DC, &line, brush);
        }
    } else {
        const int y0 = R.top + (R.Height() - Size) / 2 + Offset, xc = R.left + R.Width() / 2 + Offset;
        for (int i = 0; i < Size; ++i) {
            RECT line{xc - (Size - 1 - i), y0 + i, xc + (Size - i), y0 + i + 1};
            FillRect(DC, &line, brush);
        }
    }
    DeleteObject(brush);
}
}  // namespace

void DrawArrow(HDC DC, const TRect& R, bool Horizontal, bool Enabled, bool Selected, bool Flat) {
    const int size = ArrowSize(R, Horizontal);
    if (!Enabled) {
        if (!Flat) FillArrow(DC, R, Horizontal, size, 1, clBtnHighlight);
        FillArrow(DC, R, Horizontal, size, 0, clBtnShadow);
    } else if (Selected) FillArrow(DC, R, Horizontal, size, 0, IsButtonFaceWhite() ? clBtnFace : clHighlightText);
    else FillArrow(DC, R, Horizontal, size, 0, clBtnText);
}

void DrawGradient(TCanvas* Canvas, const TRect& R, TColor FromRGB, TColor ToRGB) {
    const COLORREF from = ColorToRGB(FromRGB), to = ColorToRGB(ToRGB);
    const int height = R.Height();
    HDC dc = Canvas->GetHandle();
    for (int k = 0; k < 256; ++k) {
        RECT band{R.left, R.top + MulDiv(k, height, 256), R.right, R.top + MulDiv(k + 1, height, 256)};
        if (band.bottom <= band.top) continue;
        auto mix = [k](int f, int t) { return f + MulDiv(k, t - f, 255); };
        const COLORREF color = RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
                                   mix(GetBValue(from), GetBValue(to)));
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc, &band, brush);
        DeleteObject(brush);
    }
}

void FillBackground(HDC DC, const TRect& R, const TRect& OriginRect, TBitmap* Bitmap, TColor Color, HBRUSH Brush) {
    if (Bitmap != nullptr && !Bitmap->Empty()) {
        TubSavedClip clip = SaveClipRegion(DC);
        IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
        const int w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
        auto floorStart = [](int from, int origin, int step) {
            const int d = from - origin;
            return origin + (d >= 0 ? d / step : -((-d + step - 1) / step)) * step;
        };
        HDC source = Bitmap->Canvas()->GetHandle();
        for (int y = floorStart(R.top, OriginRect.top, h); y < R.bottom; y += h)
            for (int x = floorStart(R.left, OriginRect.left, w); x < R.right; x += w)
                BitBlt(DC, x, y, w, h, source, 0, 0, SRCCOPY);
        RestoreClipRegion(DC, clip);
        return;
    }
    if (Brush != nullptr) {
        FillRect(DC, &R, Brush);
        return;
    }
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
    FillRect(DC, &R, brush);
    DeleteObject(brush);
}

// ---- glyphs ------------------------------------------------------------------------------------------------

void TintPixel(std::uint8_t& Blue, std::uint8_t& Green, std::uint8_t& Red, TColor TintColor) {
    const COLORREF tint = ColorToRGB(TintColor);
    const int lum = (Blue * 77 + Green * 151 + Red * 28) >> 8;
    const int t = (192 * (lum - 255) + 65280) / 256;
    auto mix = [t](int c) { return static_cast<std::uint8_t>((192 * c + 64 * t) / 256); };
    Blue = mix(GetBValue(tint));
    Green = mix(GetGValue(tint));
    Red = mix(GetRValue(tint));
}

std::uint8_t FadeChannel(std::uint8_t C) { return static_cast<std::uint8_t>(C + MulDiv(255 - C, 3, 10)); }

void DrawGlyph(HDC DC, const TubGlyphDrawParams& P) {
    const int width = P.DestRect.Width(), height = P.DestRect.Height();
    if (width <= 0 || height <= 0) return;
    // The glyph: the bitmap, or else an image of the list.
    const bool fromBitmap = P.Glyph != nullptr && !P.Glyph->Empty();
    if (!fromBitmap) {
        if (P.Glyph != nullptr || P.Images == nullptr) return;
        if (P.ImageIndex < 0 || P.ImageIndex >= P.Images->Count()) return;
        if (P.Images->GetWidth() <= 0 || P.Images->GetHeight() <= 0) return;
    }
    const int gw = fromBitmap ? P.Glyph->GetWidth() : P.Images->GetWidth();
    const int gh = fromBitmap ? P.Glyph->GetHeight() : P.Images->GetHeight();

    TPixelImage image(width, height);
    if (P.KeepBackground) BitBlt(image.DC(), 0, 0, width, height, DC, P.DestRect.left, P.DestRect.top, SRCCOPY);
    else {
        RECT all{0, 0, width, height};
        FillRect(image.DC(), &all, P.BackgroundBrush != nullptr ? P.BackgroundBrush : GetSysColorBrush(COLOR_BTNFACE));
    }

    TPixelImage glyph(gw, gh);
    if (fromBitmap) BitBlt(glyph.DC(), 0, 0, gw, gh, P.Glyph->Canvas()->GetHandle(), 0, 0, SRCCOPY);
    else {
        // The image over a solid fill of the image background colour.
        HBRUSH fill = CreateSolidBrush(ColorToRGB(P.ImageBkColor));
        RECT all{0, 0, gw, gh};
        FillRect(glyph.DC(), &all, fill);
        DeleteObject(fill);
        TCanvas canvas;
        canvas.SetHandle(glyph.DC());
        P.Images->Draw(&canvas, 0, 0, P.ImageIndex, true);
        canvas.SetHandle(nullptr);
    }

    const bool tinted = P.TintColor != clNone;
    // The transparent colour: the glyph's bottom-left pixel, or for the embossed look the bitmap's own
    // transparent colour when it names one.
    std::uint32_t transparent = glyph.At(0, gh - 1);
    const bool embossed = !tinted && !P.Enabled;
    if (embossed && fromBitmap && P.Glyph->TransparentColor != clDefault)
        transparent = PixelOf(P.Glyph->TransparentColor);
    std::vector<bool> mask(static_cast<std::size_t>(gw) * static_cast<std::size_t>(gh));
    for (int y = 0; y < gh; ++y)
        for (int x = 0; x < gw; ++x)
            mask[static_cast<std::size_t>(y * gw + x)] = (glyph.At(x, y) & 0xFFFFFF) != (transparent & 0xFFFFFF);

    const int gx = P.GlyphRect.left - P.DestRect.left, gy = P.GlyphRect.top - P.DestRect.top;
    if (embossed) {
        if (!P.FlatLook) StampMask(image, mask, gw, gh, gx + 1, gy + 1, PixelOf(clBtnHighlight));
        StampMask(image, mask, gw, gh, gx, gy, PixelOf(clBtnShadow));
    } else {
        const bool fade = (P.Enabled || !tinted) && P.FlatLook && !P.Hot && !P.NoFade && !P.Grayscale && FadeImages &&
                          ScreenBitsPerPixel() > 8;
        for (int y = 0; y < gh; ++y)
            for (int x = 0; x < gw; ++x) {
                std::uint32_t& px = glyph.At(x, y);
                std::uint8_t b = Channel(px, 0), g = Channel(px, 8), r = Channel(px, 16);
                if (tinted && !P.Enabled) TintPixel(b, g, r, P.TintColor);
                else if (P.Grayscale) b = g = r = static_cast<std::uint8_t>((b + g + r) / 3);
                if (fade) {
                    b = FadeChannel(b);
                    g = FadeChannel(g);
                    r = FadeChannel(r);
                }
                px = MakePixel(b, g, r);
            }
        int x0 = gx, y0 = gy;
        if (P.FlatLook && P.ShadowAllowed && P.Hot && !P.NoShadow) {
            --x0;
            --y0;
            StampMask(image, mask, gw, gh, x0 + 2, y0 + 2, PixelOf(clBtnShadow));
        }
        for (int y = 0; y < gh; ++y)
            for (int x = 0; x < gw; ++x)
                if (mask[static_cast<std::size_t>(y * gw + x)] && image.Inside(x0 + x, y0 + y))
                    image.At(x0 + x, y0 + y) = glyph.At(x, y);
    }
    BitBlt(DC, P.DestRect.left, P.DestRect.top, width, height, image.DC(), 0, 0, SRCCOPY);
}

void DrawSizeGrip(HDC DC, const TRect& R) {
    const int width = R.Width(), height = R.Height();
    if (width <= 0 || height <= 0) return;
    TPixelImage grip(width, height);
    RECT all{0, 0, width, height};
    FillRect(grip.DC(), &all, GetSysColorBrush(COLOR_BTNFACE));
    DrawFrameControl(grip.DC(), &all, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    TPixelImage target(width, height);
    BitBlt(target.DC(), 0, 0, width, height, DC, R.left, R.top, SRCCOPY);
    const std::uint32_t face = PixelOf(clBtnFace);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((grip.At(x, y) & 0xFFFFFF) != face) target.At(x, y) = grip.At(x, y);
    BitBlt(DC, R.left, R.top, width, height, target.DC(), 0, 0, SRCCOPY);
}

// ---- themed parts ------------------------------------------------------------------------------------------

namespace {
constexpr int kTmtFillColor = 3802, kTmtTextColor = 3803;
constexpr int kEditPartText = 1, kToolbarPartButton = 1, kWindowPartSmallClose = 19, kScrollBarPartSizeBox = 10;
}  // namespace

int EditThemeState(bool Enabled, bool ReadOnly) {
    if (!Enabled) return 4;
    if (ReadOnly) return 6;
    return 1;
}

TColor EditThemeBackColor(HTHEME Theme, int State) {
    COLORREF color = 0;
    if (State == 4 && GetThemeColor(Theme, kEditPartText, State, kTmtFillColor, &color) == S_OK)
        return static_cast<TColor>(color);
    return clWindow;
}

TColor EditThemeTextColor(HTHEME Theme, int State) {
    COLORREF color = 0;
    if (GetThemeColor(Theme, kEditPartText, State, kTmtTextColor, &color) == S_OK) return static_cast<TColor>(color);
    return State == 4 ? clGrayText : clWindowText;
}

TColor ToolbarThemeColor() {
    COLORREF color = 0;
    HTHEME theme = OpenThemeForType(thToolBar);
    if (theme != nullptr && GetThemeColor(theme, kToolbarPartButton, 1, kTmtFillColor, &color) == S_OK)
        return static_cast<TColor>(color);
    return clBtnFace;
}

void DrawThemedSmallCloseButton(HDC DC, const TRect& R, bool Hot, int Side, bool Pressed) {
    HTHEME theme = OpenThemeForType(thWindow);
    const int state = Pressed ? 3 : Hot ? 2 : 1;
    FillRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE));
    SIZE size{};
    if (theme == nullptr || GetThemePartSizeNoRect(theme, DC, kWindowPartSmallClose, state, TS_TRUE, &size) != S_OK)
        return;
    const int top = R.top + (R.Height() - size.cy) / 2;
    const int left = (Side == 1 || Side == 3) ? R.left : R.right - size.cx;
    RECT button{left, top, left + size.cx, top + size.cy};
    DrawThemeBackground(theme, DC, kWindowPartSmallClose, state, &button, nullptr);
}

void DrawThemedSizeGrip(HDC DC, const TRect& R, int Corner) {
    HTHEME theme = OpenThemeForType(thScrollBar);
    SIZE size{};
    if (theme == nullptr || GetThemePartSizeNoRect(theme, DC, kScrollBarPartSizeBox, 1, TS_TRUE, &size) != S_OK) return;
    const int w = size.cx + 2, h = size.cy + 2;
    TBitmap grip;
    grip.SetSize(w, h);
    HDC gripDC = grip.Canvas()->GetHandle();
    BitBlt(gripDC, 0, 0, w, h, DC, Corner == 0 || Corner == 3 ? R.right - w : R.left,
           Corner == 0 || Corner == 1 ? R.bottom - h : R.top, SRCCOPY);
    RECT box{0, 0, w, h};
    DrawThemeBackground(theme, gripDC, kScrollBarPartSizeBox, 1, &box, nullptr);
    // Corner 0 is the bottom-right one the theme draws; the others mirror it to face their corner.
    const int x = (Corner == 0 || Corner == 3) ? R.right - w : R.left;
    const int y = (Corner == 0 || Corner == 1) ? R.bottom - h : R.top;
    const bool mirrorX = Corner == 1 || Corner == 2, mirrorY = Corner == 2 || Corner == 3;
    StretchBlt(DC, mirrorX ? x + w - 1 : x, mirrorY ? y + h - 1 : y, mirrorX ? -w : w, mirrorY ? -h : h, gripDC, 0, 0,
               w, h, SRCCOPY);
}

// ---- clip regions ------------------------------------------------------------------------------------------

TubSavedClip SaveClipRegion(HDC DC) {
    TubSavedClip saved;
    saved.Region = CreateRectRgn(0, 0, 0, 0);
    if (GetClipRgn(DC, saved.Region) != 1) {
        DeleteObject(saved.Region);
        saved.Region = nullptr;
    }
    return saved;
}

void RestoreClipRegion(HDC DC, TubSavedClip& Saved) {
    SelectClipRgn(DC, Saved.Region);
    if (Saved.Region != nullptr) DeleteObject(Saved.Region);
    Saved.Region = nullptr;
}

void AddClipRect(HDC DC, const TRect& R) {
    HRGN region = CreateRectRgn(R.left, R.top, R.right, R.bottom);
    ExtSelectClipRgn(DC, region, RGN_OR);
    DeleteObject(region);
}

void SubtractRectFromRegion(HRGN Region, const TRect& R) {
    HRGN region = CreateRectRgn(R.left, R.top, R.right, R.bottom);
    CombineRgn(Region, Region, region, RGN_DIFF);
    DeleteObject(region);
}

// ---- small helpers -----------------------------------------------------------------------------------------

TColor NearestColor(TColor Color) { return GetNearestScreenColor(Color); }

HFONT MakeFontCopy(HFONT Font) {
    LOGFONT lf;
    GetObject(Font, sizeof(lf), &lf);
    return CreateFontIndirect(&lf);
}

void SetWindowAlpha(HWND Window, BYTE Alpha) {
    if (!HasSetLayeredWindowAttributes() || Window == nullptr) return;
    const LONG_PTR exStyle = GetWindowLong(Window, GWL_EXSTYLE);
    if (Alpha < 255) {
        SetWindowLong(Window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        SetLayeredWindowAttributes(Window, 0, Alpha, LWA_ALPHA);
    } else {
        SetWindowLong(Window, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        RedrawWindow(Window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void InvertDropMark(HDC DC, const TRect& R, bool Across, bool AtEnd) {
    const int oldMode = SetROP2(DC, R2_NOT);
    auto line = [DC](int X1, int Y1, int X2, int Y2) {
        MoveToEx(DC, X1, Y1, nullptr);
        LineTo(DC, X2, Y2);
    };
    if (Across) {
        // Two rows along the edge between two pairs of 6-pixel end bars.
        const int y = (AtEnd ? R.bottom : R.top) - 1;
        for (int x : {R.left, R.left + 1, R.right - 1, R.right - 2}) line(x, y - 2, x, y + 4);
        line(R.left + 2, y, R.right - 2, y);
        line(R.left + 2, y + 1, R.right - 2, y + 1);
    } else {
        const int x = (AtEnd ? R.right : R.left) - 1;
        for (int y : {R.top, R.top + 1, R.bottom - 1, R.bottom - 2}) line(x - 2, y, x + 4, y);
        line(x, R.top + 2, x, R.bottom - 2);
        line(x + 1, R.top + 2, x + 1, R.bottom - 2);
    }
    SetROP2(DC, oldMode);
}

}  // namespace zel
