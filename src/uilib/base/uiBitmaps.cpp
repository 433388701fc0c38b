#include "uilib/base/uiBitmaps.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"
#include "uilib/base/uiControls.h"
#include "uilib/base/uiImageList.h"

namespace zel {

namespace {

bool g_alphaBlendBound = false;
// The three scratch bitmaps of RenderImage: background, image and mask.
std::unique_ptr<TuiBitmap> g_scratchBackground, g_scratchImage, g_scratchMask;

constexpr std::uint8_t Channel(std::uint32_t p, int index) { return static_cast<std::uint8_t>(p >> (8 * index)); }

std::uint8_t ClampByte(long double v) {
    const long double r = std::nearbyint(v);
    return static_cast<std::uint8_t>(r < 0 ? 0 : (r > 255 ? 255 : r));
}

// Grey by weights: R = G = B = round(R * wr + G * wg + B * wb), alpha kept.
std::uint32_t Grey(std::uint32_t p, float wr, float wg, float wb) {
    const long double v = static_cast<long double>(Channel(p, 2)) * wr + static_cast<long double>(Channel(p, 1)) * wg +
                          static_cast<long double>(Channel(p, 0)) * wb;
    const std::uint32_t g = ClampByte(v);
    return (p & 0xFF000000u) | (g << 16) | (g << 8) | g;
}

struct TGreyEffect {
    float R, G, B;
};
constexpr TGreyEffect kDisabledGrey{0.0729f, 0.7146f, 0.2125f};
constexpr TGreyEffect kFadedGrey{0.299f, 0.587f, 0.114f};
constexpr TGreyEffect kShadowGrey{0.299f, 0.587f, 0.114f};
constexpr std::uint8_t kDisabledAlpha = 0x97;
constexpr std::uint8_t kFadedAlpha = 0x40;

BITMAPINFO Info32(int w, int h, bool topDown) {
    BITMAPINFO bi;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = topDown ? -h : h;
    bi.bmiHeader.biBitCount = 32;
    return bi;
}

std::uint32_t Rop32(unsigned rop, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    std::uint32_t r = 0;
    for (unsigned i = 0; i < 8; ++i)
        if (((rop >> i) & 1u) != 0) r |= ((i & 4u) ? p : ~p) & ((i & 2u) ? s : ~s) & ((i & 1u) ? d : ~d);
    return r;
}

// A raster operation on every bit of 32-bit pixels, alpha included, as the original system applies it to
// 32-bit bitmaps (the drawing layer's own blits leave pixels opaque). Source is read before Dest changes,
// so the two may be the same bitmap.
void RopBitmap(TBitmap* Dest, const TRect& DestRect, TBitmap* Source, TPoint SourcePoint, DWORD Rop,
               std::uint32_t Pattern = 0) {
    const unsigned rop = (Rop >> 16) & 0xFF;
    TuiPixels d, s;
    GetBitmapBits(Dest, true, d);
    if (Source != nullptr) GetBitmapBits(Source, true, s);
    const int dw = Dest->GetWidth(), dh = Dest->GetHeight();
    const int sw = Source != nullptr ? Source->GetWidth() : 0, sh = Source != nullptr ? Source->GetHeight() : 0;
    for (int y = std::max(0, DestRect.top); y < std::min(dh, DestRect.bottom); ++y)
        for (int x = std::max(0, DestRect.left); x < std::min(dw, DestRect.right); ++x) {
            const int sx = SourcePoint.x + x - DestRect.left, sy = SourcePoint.y + y - DestRect.top;
            std::uint32_t sp = 0;
            if (Source != nullptr) {
                if (sx < 0 || sy < 0 || sx >= sw || sy >= sh) continue;
                sp = s[static_cast<std::size_t>(sy * sw + sx)];
            }
            std::uint32_t& dp = d[static_cast<std::size_t>(y * dw + x)];
            dp = Rop32(rop, Pattern, sp, dp);
        }
    SetBitmapBits(Dest, d, true);
}

// Copies a rectangle of what a DC shows into a bitmap with its alpha: from the DC's bitmap when it has a
// colour one, else through a blit.
void CopyFromDC(TuiBitmap& To, HDC DC, TPoint At) {
    auto* bmp = static_cast<HBITMAP>(GetCurrentObject(DC, OBJ_BITMAP));
    BITMAP bm;
    if (bmp == nullptr || GetObject(bmp, sizeof bm, &bm) == 0 || bm.bmBitsPixel == 1) {
        CopyDCRect(To.Canvas()->Handle(), DC, To.GetBoundsRect(), SRCCOPY, At);
        return;
    }
    TuiPixels all(static_cast<std::size_t>(bm.bmWidth) * static_cast<std::size_t>(bm.bmHeight));
    BITMAPINFO bi = Info32(bm.bmWidth, bm.bmHeight, true);
    GetDIBits(DC, bmp, 0, static_cast<UINT>(bm.bmHeight), all.data(), &bi, DIB_RGB_COLORS);
    const int w = To.GetWidth(), h = To.GetHeight();
    TuiPixels out(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = At.x + x, sy = At.y + y;
            if (sx >= 0 && sy >= 0 && sx < bm.bmWidth && sy < bm.bmHeight)
                out[static_cast<std::size_t>(y * w + x)] = all[static_cast<std::size_t>(sy * bm.bmWidth + sx)];
        }
    SetBitmapBits(&To, out, true);
}

TuiBitmap& Scratch(std::unique_ptr<TuiBitmap>& slot, int w, int h) {
    if (!slot) slot = std::make_unique<TuiBitmap>();
    slot->TransparentPixels.clear();
    slot->TransparentBkColor = 0;
    if (slot->GetWidth() == w && slot->GetHeight() == h) {
        slot->Clear();
    } else {
        slot->SetSize(w, h);
    }
    return *slot;
}

}  // namespace

// ------------------------------------------------------------------------------------------ TuiCustomBitmap

TuiCustomBitmap::TuiCustomBitmap() : TuiCustomBitmap(0, 0) {}

TuiCustomBitmap::TuiCustomBitmap(int Width, int Height) : TuiCustomBitmap(Width, Height, pf24bit) {}

TuiCustomBitmap::TuiCustomBitmap(const TRect& R) : TuiCustomBitmap(R.Width(), R.Height()) {}

TuiCustomBitmap::TuiCustomBitmap(int Width, int Height, TPixelFormat PixelFormat) {
    TuiCustomBitmap::Initialize(Width, Height, PixelFormat);
}

TuiCustomBitmap::~TuiCustomBitmap() { delete canvas_; }

void TuiCustomBitmap::Initialize(int Width, int Height, TPixelFormat PixelFormat) {
    if (canvas_ == nullptr) canvas_ = new TuiCanvas(TBitmap::Canvas());
    BeginUpdate();
    SetWidth(Width);
    SetHeight(Height);
    SetPixelFormat(PixelFormat);
    EndUpdate(true);
}

void TuiCustomBitmap::BeginUpdate() { ++UpdateLockCount; }

void TuiCustomBitmap::EndUpdate(bool ForceChanged) {
    if (UpdateLockCount <= 0) return;
    --UpdateLockCount;
    if (UpdateLockCount == 0 && (ForceChanged || ChangedWhileLocked)) Changed(this);
}

void TuiCustomBitmap::Changed(TObject* Sender) {
    if (UpdateLockCount > 0) {
        ChangedWhileLocked = true;
        return;
    }
    TBitmap::Changed(Sender);
    Update();
    ChangedWhileLocked = false;
}

void TuiCustomBitmap::SetSize(int AWidth, int AHeight) {
    BeginUpdate();
    TBitmap::SetSize(AWidth, AHeight);
    EndUpdate(false);
}

void TuiCustomBitmap::Clear() {
    if (Empty()) return;
    TuiPixels zeros(static_cast<std::size_t>(GetWidth()) * static_cast<std::size_t>(GetHeight()), 0);
    SetBitmapBits(this, zeros, true);
    Changed(this);
}

void TuiCustomBitmap::CopyBitmap(TBitmap* Source, DWORD ROP) { CopyBitmapRect(Source, GetBoundsRect(), ROP); }

void TuiCustomBitmap::CopyBitmapRect(TBitmap* Source, const TRect& DestRect, DWORD ROP, TPoint SourcePoint) {
    if (Source == nullptr || Source->Empty() || Empty()) return;
    RopBitmap(this, DestRect, Source, SourcePoint, ROP);
    Changed(this);
}

void TuiCustomBitmap::Rotate(int Angle, bool Flip) { canvas_->RotateBitmap(this, Angle, Flip); }

void TuiCustomBitmap::WriteData(TStream& Stream) {
    if (!CompressData) {
        TBitmap::WriteData(Stream);
        return;
    }
    TMemoryStream plain;
    TBitmap::WriteData(plain);
    std::vector<std::uint8_t> packed;
    PackBitmapData(plain.Memory(), static_cast<std::size_t>(plain.GetSize()), packed);
    WriteU32(Stream, static_cast<std::uint32_t>(packed.size()));
    Stream.WriteBuffer("XDBM", 4);
    WriteU16(Stream, 1);
    Stream.WriteBuffer(packed.data(), static_cast<std::int64_t>(packed.size()));
}

void TuiCustomBitmap::ReadData(TStream& Stream) {
    // A plain form may be shorter than the block header (the 4-byte count 0 of an empty bitmap), so the
    // header is read only as far as it is there.
    const std::int64_t start = Stream.GetPosition();
    std::uint8_t header[10] = {};
    const std::int64_t got = Stream.Read(header, sizeof header);
    if (got != static_cast<std::int64_t>(sizeof header) || std::memcmp(header + 4, "XDBM", 4) != 0) {
        Stream.SetPosition(start);
        TBitmap::ReadData(Stream);
        return;
    }
    const std::uint32_t count = static_cast<std::uint32_t>(header[0]) | (static_cast<std::uint32_t>(header[1]) << 8) |
                                (static_cast<std::uint32_t>(header[2]) << 16) |
                                (static_cast<std::uint32_t>(header[3]) << 24);
    if (static_cast<std::int64_t>(count) > Stream.GetSize() - Stream.GetPosition()) throw EReadError(SReadError);
    std::vector<std::uint8_t> packed(count);
    Stream.ReadBuffer(packed.data(), count);
    std::vector<std::uint8_t> plain;
    UnpackBitmapData(packed.data(), packed.size(), plain);
    TMemoryStream expanded;
    expanded.WriteBuffer(plain.data(), static_cast<std::int64_t>(plain.size()));
    expanded.SetPosition(0);
    TBitmap::ReadData(expanded);
}

// ------------------------------------------------------------------------------------------------ packing

void PackBitmapData(const std::uint8_t* Data, std::size_t Size, std::vector<std::uint8_t>& Out) {
    Out.reserve(Out.size() + Size + Size / 125 + 2);
    std::size_t pos = 0;
    while (pos < Size) {
        const bool repeat = pos + 1 < Size && Data[pos + 1] == Data[pos];
        std::size_t len = 1;
        if (repeat) {
            while (len < 125 && pos + len < Size && Data[pos + len] == Data[pos + len - 1]) ++len;
            Out.push_back(static_cast<std::uint8_t>(len));
            Out.push_back(Data[pos]);
        } else {
            while (len < 125 && pos + len < Size && Data[pos + len] != Data[pos + len - 1]) ++len;
            // Stopped by an equal pair: the pair begins the next repeat run.
            if (len < 125 && pos + len < Size) --len;
            Out.push_back(static_cast<std::uint8_t>(0x80 | len));
            Out.insert(Out.end(), Data + pos, Data + pos + len);
        }
        pos += len;
    }
}

void UnpackBitmapData(const std::uint8_t* Data, std::size_t Size, std::vector<std::uint8_t>& Out) {
    Out.reserve(Out.size() + Size * 2);
    std::size_t pos = 0;
    while (pos < Size) {
        const std::uint8_t h = Data[pos++];
        const std::size_t n = h & 0x7F;
        if ((h & 0x80) != 0) {
            if (n > Size - pos) throw EReadError(SReadError);
            Out.insert(Out.end(), Data + pos, Data + pos + n);
            pos += n;
        } else {
            if (pos >= Size) throw EReadError(SReadError);
            Out.insert(Out.end(), n, Data[pos++]);
        }
    }
}

// ------------------------------------------------------------------------------------------------ TuiBitmap

TuiBitmap::TuiBitmap(int Width, int Height) : TuiBitmap(Width, Height, 0) {}

TuiBitmap::TuiBitmap(int Width, int Height, std::uint32_t ATransparentBkColor)
    : TuiCustomBitmap(0, 0, pf32bit), TransparentBkColor(ATransparentBkColor) {
    info_ = Info32(0, 0, false);
    BeginUpdate();
    TBitmap::SetSize(Width, Height);
    EndUpdate(true);
    Update();
    Clear();
}

void TuiBitmap::Update() {
    info_.bmiHeader.biWidth = GetWidth();
    info_.bmiHeader.biHeight = GetHeight();
}

void TuiBitmap::Clear() {
    if (Empty()) return;
    if (Channel(TransparentBkColor, 3) != 0) {
        ProcessPixels(pxFillBackground);
    } else {
        TuiCustomBitmap::Clear();
    }
}

void TuiBitmap::SetSize(int AWidth, int AHeight) {
    TuiCustomBitmap::SetSize(AWidth, AHeight);
    Clear();
}

void TuiBitmap::GetPixels(TuiPixels& Pixels) {
    Update();
    Pixels.assign(static_cast<std::size_t>(GetWidth()) * static_cast<std::size_t>(GetHeight()), 0);
    if (Pixels.empty()) return;
    GetDIBits(uiScreenCanvas()->Handle(), GetHandle(), 0, static_cast<UINT>(GetHeight()), Pixels.data(), &info_,
              DIB_RGB_COLORS);
}

void TuiBitmap::SetPixels(const TuiPixels& Pixels) {
    Update();
    if (Pixels.size() < static_cast<std::size_t>(GetWidth()) * static_cast<std::size_t>(GetHeight()) || Empty()) return;
    SetDIBits(uiScreenCanvas()->Handle(), GetHandle(), 0, static_cast<UINT>(GetHeight()), Pixels.data(), &info_,
              DIB_RGB_COLORS);
}

bool TuiBitmap::HasAlpha() {
    TuiPixels p;
    GetPixels(p);
    bool some = false, notOpaque = false;
    for (std::uint32_t v : p) {
        const std::uint8_t a = Channel(v, 3);
        some = some || a != 0;
        notOpaque = notOpaque || a != 255;
        if (some && notOpaque) return true;
    }
    return false;
}

bool TuiBitmap::IsTransparent(std::uint32_t Pixel) const {
    if (Pixel == TransparentBkColor) return true;
    const std::uint32_t rgb = Pixel & 0xFFFFFF;
    return std::find(TransparentPixels.begin(), TransparentPixels.end(), rgb) != TransparentPixels.end();
}

std::uint32_t TuiBitmap::ProcessPixel(TuiPixelsProcessKind Kind, std::uint32_t p) const {
    switch (Kind) {
        case pxOpaque: return p | 0xFF000000u;
        case pxMask: return IsTransparent(p) ? 0xFFFFFFFFu : 0;
        case pxFillBackground: return TransparentBkColor;
        case pxClearAlpha: return p & 0x00FFFFFFu;
        case pxHatch: {
            const int cell = std::max<int>(1, HatchSize);
            const bool odd = ((currentX_ / cell) + (currentY_ / cell)) % 2 != 0;
            AlphaBlendPixel((odd ? HatchColor2 : HatchColor1) | 0xFF000000u, p, odd ? HatchAlpha2 : HatchAlpha1);
            return p;
        }
        default: break;
    }
    if (IsTransparent(p)) return p;
    switch (Kind) {
        case pxWash:
            if (Channel(p, 3) == 255) {
                std::uint32_t out = 0xFF000000u;
                for (int i = 0; i < 3; ++i) {
                    const int c = Channel(p, i);
                    out |= static_cast<std::uint32_t>(c + (255 - c) * 3 / 10) << (8 * i);
                }
                return out;
            } else {
                std::uint32_t out = 0;
                for (int i = 0; i < 4; ++i) {
                    const int c = std::clamp(MulDiv(Channel(p, i), 200, 255), 0, 255);
                    out |= static_cast<std::uint32_t>(c) << (8 * i);
                }
                return out;
            }
        case pxShadowGrey: {
            std::uint32_t g = Grey(p, kShadowGrey.R, kShadowGrey.G, kShadowGrey.B);
            AlphaBlendPixel(ColorToPixel(clBtnShadow, 0xC0), g, 238);
            return g;
        }
        case pxAverageGrey: {
            const std::uint32_t g = (Channel(p, 0) + Channel(p, 1) + Channel(p, 2)) / 3u;
            return (p & 0xFF000000u) | (g << 16) | (g << 8) | g;
        }
        case pxFadeGrey: return Grey(p, kFadedGrey.R, kFadedGrey.G, kFadedGrey.B);
        case pxDisabledGrey: return Grey(p, kDisabledGrey.R, kDisabledGrey.G, kDisabledGrey.B);
        case pxSolidify: return Channel(p, 3) == 0 ? (p | 0xFF000000u) : p;
        default: return p;
    }
}

void TuiBitmap::ProcessPixels(TuiPixelsProcessKind Kind) {
    TuiPixels p;
    GetPixels(p);
    const int w = GetWidth(), h = GetHeight();
    // Column by column; rows are stored bottom-up.
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
            currentX_ = x;
            currentY_ = y;
            std::uint32_t& px = p[static_cast<std::size_t>((h - 1 - y) * w + x)];
            px = ProcessPixel(Kind, px);
        }
    SetPixels(p);
    Changed(this);
}

// ------------------------------------------------------------------------------------------------- routines

void AlphaBlendPixel(std::uint32_t Source, std::uint32_t& Dest, std::uint8_t ConstAlpha) {
    const auto c = static_cast<long double>(static_cast<float>(ConstAlpha / 255.0L));
    const long double s = c * Channel(Source, 3);
    const auto e = static_cast<long double>(static_cast<float>(1.0L - s / 255.0L));
    std::uint32_t out = 0;
    for (int i = 0; i < 3; ++i)
        out |= static_cast<std::uint32_t>(ClampByte(c * Channel(Source, i) + e * Channel(Dest, i))) << (8 * i);
    out |= static_cast<std::uint32_t>(ClampByte(s + e * Channel(Dest, 3))) << 24;
    Dest = out;
}

TBitmap* CreateBitmapWithFormat(int Width, int Height, TPixelFormat PixelFormat) {
    auto* b = new TBitmap;
    b->SetPixelFormat(PixelFormat);
    b->SetSize(Width, Height);
    return b;
}

TBitmap* CreateBitmapForRect(const TRect& R, TPixelFormat PixelFormat) {
    return CreateBitmapWithFormat(R.Width(), R.Height(), PixelFormat);
}

void GetBitmapBits(TBitmap* Bitmap, bool TopDown, TuiPixels& Pixels) {
    const int w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
    Pixels.assign(static_cast<std::size_t>(std::max(0, w)) * static_cast<std::size_t>(std::max(0, h)), 0);
    if (Pixels.empty()) return;
    BITMAPINFO bi = Info32(w, h, TopDown);
    GetDIBits(uiScreenCanvas()->Handle(), Bitmap->GetHandle(), 0, static_cast<UINT>(h), Pixels.data(), &bi,
              DIB_RGB_COLORS);
}

void SetBitmapBits(TBitmap* Bitmap, TuiPixels& Pixels, bool TopDown) {
    const int w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
    if (!Pixels.empty() && Pixels.size() >= static_cast<std::size_t>(w) * static_cast<std::size_t>(h)) {
        BITMAPINFO bi = Info32(w, h, TopDown);
        SetDIBits(uiScreenCanvas()->Handle(), Bitmap->GetHandle(), 0, static_cast<UINT>(h), Pixels.data(), &bi,
                  DIB_RGB_COLORS);
    }
    TuiPixels().swap(Pixels);
}

int BitmapBitsPerPixel(TBitmap* Bitmap) {
    static const int kBits[] = {0, 1, 4, 8, 16, 16, 24, 32, 0};
    const TPixelFormat f = Bitmap->GetPixelFormat();
    if (f == pfDevice || f == pfCustom) return GetDeviceCaps(uiScreenCanvas()->Handle(), BITSPIXEL);
    return kBits[f];
}

void CopyDCRect(HDC DestDC, HDC SrcDC, const TRect& DestRect, DWORD ROP, TPoint SrcPoint) {
    BitBlt(DestDC, DestRect.left, DestRect.top, DestRect.Width(), DestRect.Height(), SrcDC, SrcPoint.x, SrcPoint.y,
           ROP);
}

void DrawBitmapToDC(HDC DestDC, TBitmap* Bitmap, const TRect& DestRect, DWORD ROP, TPoint SrcPoint) {
    // Every surface of the drawing layer has 32 bits and no palette, so only the Windows 9x branch differs.
    if (RunsOn9xFamily && GetDeviceCaps(DestDC, BITSPIXEL) == 32 && BitmapBitsPerPixel(Bitmap) < 32) {
        TuiBitmap copy(Bitmap->GetWidth(), Bitmap->GetHeight());
        copy.CopyBitmap(Bitmap);
        copy.ProcessPixels(pxClearAlpha);
        CopyDCRect(DestDC, copy.Canvas()->Handle(), DestRect, ROP, SrcPoint);
        return;
    }
    CopyDCRect(DestDC, Bitmap->Canvas()->GetHandle(), DestRect, ROP, SrcPoint);
}

void BlendWithAlpha(HDC DestDC, HDC SrcDC, const TRect& DestRect, const TRect& SrcRect, std::uint8_t ConstAlpha,
                    bool Smooth) {
    const bool stretch = Smooth && (DestRect.Width() != SrcRect.Width() || DestRect.Height() != SrcRect.Height());
    if (!RunsOn9xFamily && g_alphaBlendBound && !stretch) {
        BLENDFUNCTION bf;
        bf.BlendOp = AC_SRC_OVER;
        bf.SourceConstantAlpha = ConstAlpha;
        bf.AlphaFormat = AC_SRC_ALPHA;
        AlphaBlend(DestDC, DestRect.left, DestRect.top, DestRect.Width(), DestRect.Height(), SrcDC, SrcRect.left,
                   SrcRect.top, SrcRect.Width(), SrcRect.Height(), bf);
        return;
    }
    if (DestRect.Width() <= 0 || DestRect.Height() <= 0 || SrcRect.Width() <= 0 || SrcRect.Height() <= 0) return;
    TuiBitmap src(SrcRect.Width(), SrcRect.Height()), dst(DestRect.Width(), DestRect.Height());
    CopyFromDC(src, SrcDC, TPoint{SrcRect.left, SrcRect.top});
    CopyFromDC(dst, DestDC, TPoint{DestRect.left, DestRect.top});
    TuiBitmap sized(DestRect.Width(), DestRect.Height());
    if (stretch) {
        ResampleBitmap(&src, &sized, true);
    } else if (src.GetWidth() == sized.GetWidth() && src.GetHeight() == sized.GetHeight()) {
        sized.CopyBitmap(&src);
    } else {
        HDC dc = sized.Canvas()->Handle();
        const int old = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, sized.GetWidth(), sized.GetHeight(), src.Canvas()->Handle(), 0, 0, src.GetWidth(),
                   src.GetHeight(), SRCCOPY);
        SetStretchBltMode(dc, old);
    }
    if (g_alphaBlendBound && !RunsOn9xFamily) {
        BLENDFUNCTION bf;
        bf.BlendOp = AC_SRC_OVER;
        bf.SourceConstantAlpha = ConstAlpha;
        bf.AlphaFormat = AC_SRC_ALPHA;
        AlphaBlend(dst.Canvas()->Handle(), 0, 0, dst.GetWidth(), dst.GetHeight(), sized.Canvas()->Handle(), 0, 0,
                   sized.GetWidth(), sized.GetHeight(), bf);
    } else {
        TuiPixels s, d;
        sized.GetPixels(s);
        dst.GetPixels(d);
        for (std::size_t i = 0; i < d.size(); ++i) AlphaBlendPixel(s[i], d[i], ConstAlpha);
        dst.SetPixels(d);
    }
    CopyDCRect(DestDC, dst.Canvas()->Handle(), DestRect, SRCCOPY);
}

// ------------------------------------------------------------------------------------------------ RenderImage

TuiRenderImageCustomDrawProc RenderImageCustomDraw = nullptr;

namespace {

// Out becomes Source's size with 0xFFFFFFFF where Transparent says so and 0 elsewhere.
template <class F>
void BuildMask(TBitmap* Source, TBitmap& Out, F Transparent) {
    TuiPixels p;
    GetBitmapBits(Source, true, p);
    for (std::uint32_t& v : p) v = Transparent(v) ? 0xFFFFFFFFu : 0;
    Out.SetSize(Source->GetWidth(), Source->GetHeight());
    SetBitmapBits(&Out, p, true);
}

// The shadow of the image's opaque part, offset by D, in Color, put behind the image; with Resize the image
// grows by D to hold it.
void ShadowStep(TuiBitmap& Image, TuiBitmap& Mask, int D, bool Resize, TColor Color) {
    const int w = Image.GetWidth(), h = Image.GetHeight();
    TuiBitmap shadow(w + 2 * D, h + 2 * D, 0xFFFFFFFFu);
    shadow.CopyBitmapRect(&Mask, Rect(D, D, D + w, D + h));
    // Destination and pattern and not source: the colour where the mask, moved by D, is opaque.
    RopBitmap(&shadow, Rect(D, D, w + 2 * D, h + 2 * D), &shadow, TPoint{0, 0}, 0x00200F09, ColorToPixel(Color, 0xFF));
    shadow.TransparentBkColor = 0;
    shadow.ProcessPixels(pxSolidify);
    TuiBitmap combined(w + D, h + D);
    combined.CopyBitmapRect(&Image, Rect(0, 0, w, h));
    combined.CopyBitmapRect(&shadow, combined.GetBoundsRect(), SRCPAINT, TPoint{D, D});
    if (Resize) Image.SetSize(w + D, h + D);
    Image.CopyBitmap(&combined);
}

}  // namespace

void RenderImage(HDC DC, const TRect& GlyphRect, const TRect& BackgroundRect, TBitmap* Glyph, TCustomImageList* Images,
                 int ImageIndex, TuiImageDrawMode Mode, bool UseGlyphTransparentColor, TColor TransparentColor,
                 HBRUSH BackgroundBrush, bool Smooth) {
    const bool hasGlyph = IsNonEmptyBitmap(Glyph);
    if (!hasGlyph && !HasImageIndex(Images, ImageIndex)) return;
    if (BackgroundRect.Width() <= 0 || BackgroundRect.Height() <= 0) return;
    // 1. The background.
    TuiBitmap& background = Scratch(g_scratchBackground, BackgroundRect.Width(), BackgroundRect.Height());
    if (BackgroundBrush != nullptr) {
        const RECT all = background.GetBoundsRect();
        FillRect(background.Canvas()->Handle(), &all, BackgroundBrush);
    } else {
        CopyDCRect(background.Canvas()->Handle(), DC, background.GetBoundsRect(), SRCCOPY,
                   TPoint{BackgroundRect.left, BackgroundRect.top});
    }
    // 2. The glyph rectangle relative to the background.
    TRect glyphRect = GlyphRect;
    OffsetRect(&glyphRect, -BackgroundRect.left, -BackgroundRect.top);
    if (RenderImageCustomDraw != nullptr &&
        RenderImageCustomDraw(background.TBitmap::Canvas(), glyphRect, Glyph, Images, ImageIndex, Mode)) {
        DrawBitmapToDC(DC, &background, BackgroundRect, SRCCOPY);
        return;
    }
    // 3. The image.
    const int w = hasGlyph ? Glyph->GetWidth() : Images->GetWidth();
    const int h = hasGlyph ? Glyph->GetHeight() : Images->GetHeight();
    TuiBitmap& image = Scratch(g_scratchImage, w, h);
    std::unique_ptr<TBitmap> listMask;
    bool sourceIs32 = false;
    if (hasGlyph) {
        image.CopyBitmap(Glyph);
        sourceIs32 = BitmapBitsPerPixel(Glyph) == 32;
    } else if (auto* ui = dynamic_cast<TuiImageList*>(Images)) {
        TuiImageInfo info;
        ui->GetStoredInfo(ImageIndex, &info);
        image.CopyBitmap(info.GetImage());
        sourceIs32 = BitmapBitsPerPixel(info.GetImage()) == 32;
        if (IsNonEmptyBitmap(info.GetMask())) {
            listMask = std::make_unique<TBitmap>();
            listMask->Assign(info.GetMask());
        } else if (info.MaskColor != clNone) {
            const std::uint32_t key = ColorToPixel(info.MaskColor) & 0xFFFFFF;
            listMask = std::make_unique<TuiBitmap>(w, h);
            BuildMask(info.GetImage(), *listMask, [key](std::uint32_t p) { return (p & 0xFFFFFF) == key; });
        }
    } else {
        TuiBitmap listImage(w, h);
        listMask = std::make_unique<TBitmap>();
        listMask->SetPixelFormat(pf1bit);
        listMask->SetSize(w, h);
        TuiImageList::ReadSystemImage(Images->GetHandle(), ImageIndex, listMask.get(), &listImage);
        image.CopyBitmap(&listImage);
        sourceIs32 = TuiImageList::ListBitsPerPixel(Images->GetHandle()) == 32;
    }
    const bool alpha = sourceIs32 && image.HasAlpha();
    if (!alpha) image.ProcessPixels(pxOpaque);
    // 4. The mask: white where the image is transparent.
    TuiBitmap& mask = Scratch(g_scratchMask, w, h);
    mask.CopyBitmap(&image);
    if (!alpha && listMask) {
        // Where the list's mask is white the copy becomes 0, which is the mask's transparent value; opaque
        // pixels keep their colour and alpha, so black ones stay black.
        TuiBitmap solid(w, h);
        BuildMask(listMask.get(), solid, [](std::uint32_t p) { return (p & 0xFFFFFF) != 0; });
        mask.CopyBitmap(&solid, 0x00220326);  // DSna
    }
    if (TransparentColor != clNone) mask.TransparentPixels.push_back(ColorToPixel(TransparentColor) & 0xFFFFFF);
    if (UseGlyphTransparentColor && hasGlyph && Glyph->TransparentColor != clNone) {
        // A glyph's transparent colour defaults to its bottom-left pixel.
        const TColor c = Glyph->TransparentColor != clDefault ? Glyph->TransparentColor
                                                              : Glyph->Canvas()->GetPixel(0, Glyph->GetHeight() - 1);
        mask.TransparentPixels.push_back(ColorToPixel(c) & 0xFFFFFF);
    }
    mask.ProcessPixels(pxMask);
    image.CopyBitmap(&mask, 0x00220326);  // DSna: the transparent part becomes 0
    // 5. The effect.
    std::uint8_t constAlpha = 255;
    switch (Mode) {
        case idmDisabled:
            if (alpha) {
                image.ProcessPixels(pxDisabledGrey);
                constAlpha = kDisabledAlpha;
            } else {
                image.ProcessPixels(pxShadowGrey);
                ShadowStep(image, mask, 1, false, clBtnHighlight);
            }
            break;
        case idmFaded:
            image.ProcessPixels(pxFadeGrey);
            constAlpha = kFadedAlpha;
            break;
        case idmGrayScale: image.ProcessPixels(pxAverageGrey); break;
        case idmWashed: image.ProcessPixels(pxWash); break;
        case idmShadowed:
            ShadowStep(image, mask, 2, true, clBtnShadow);
            glyphRect.right += 2;
            glyphRect.bottom += 2;
            OffsetRect(&glyphRect, -1, -1);
            break;
        default: break;
    }
    // 6. Into the background, and the background onto the DC.
    BlendWithAlpha(background.Canvas()->Handle(), image.Canvas()->Handle(), glyphRect, image.GetBoundsRect(),
                   constAlpha, Smooth);
    DrawBitmapToDC(DC, &background, BackgroundRect, SRCCOPY);
}

// --------------------------------------------------------------------------------------------- resampling

namespace {

float Sinc(float x) {
    if (x == 0.0f) return 1.0f;
    const float px = 3.14159265358979f * x;
    return std::sin(px) / px;
}

float Lanczos3(float x) {
    if (std::fabs(x) >= 3.0f) return 0.0f;
    return Sinc(x) * Sinc(x / 3.0f);
}

struct TContributor {
    int Index;
    int Weight;
};

// The source indices and weights of each destination index. Indices are reflected once at each edge; where
// the filter is longer than the line that is not enough, and what is still outside is clamped to the line.
std::vector<std::vector<TContributor>> Contributors(int srcSize, int dstSize) {
    float scale;
    if (srcSize == 1) {
        scale = static_cast<float>(dstSize);
    } else if (dstSize == 1) {
        scale = 1.0f / static_cast<float>(srcSize);
    } else {
        scale = static_cast<float>(dstSize - 1) / static_cast<float>(srcSize - 1);
    }
    const float f = scale >= 1.0f ? 1.0f : 1.0f / scale;
    const float radius = 3.0f * f;
    std::vector<std::vector<TContributor>> out(static_cast<std::size_t>(dstSize));
    for (int i = 0; i < dstSize; ++i) {
        const float centre = static_cast<float>(i) / scale;
        const int from = static_cast<int>(std::floor(centre - radius));
        const int to = static_cast<int>(std::ceil(centre + radius));
        for (int j = from; j <= to; ++j) {
            const int weight =
                static_cast<int>(std::nearbyint(Lanczos3((centre - static_cast<float>(j)) / f) / f * 256.0f));
            if (weight == 0) continue;
            int k = j < 0 ? -j : (j > srcSize - 1 ? 2 * srcSize - 1 - j : j);
            k = std::clamp(k, 0, srcSize - 1);
            out[static_cast<std::size_t>(i)].push_back({k, weight});
        }
    }
    return out;
}

std::uint32_t Filtered(const std::vector<TContributor>& cs, const std::uint32_t* line, std::ptrdiff_t step) {
    int sum[4] = {0, 0, 0, 0};
    for (const TContributor& c : cs) {
        const std::uint32_t p = line[c.Index * step];
        for (int ch = 0; ch < 4; ++ch) sum[ch] += static_cast<int>(Channel(p, ch)) * c.Weight;
    }
    std::uint32_t out = 0;
    for (int ch = 0; ch < 4; ++ch) {
        const int v = sum[ch] < 0 ? 0 : std::min(255, sum[ch] >> 8);
        out |= static_cast<std::uint32_t>(v) << (8 * ch);
    }
    return out;
}

}  // namespace

void ResampleBitmap(TBitmap* Source, TBitmap* Dest, bool ForceFilter) {
    if (Source == nullptr || Dest == nullptr || Source->Empty() || Dest->Empty()) return;
    const int ws = Source->GetWidth(), hs = Source->GetHeight(), wd = Dest->GetWidth(), hd = Dest->GetHeight();
    Source->Canvas()->Lock();
    Dest->Canvas()->Lock();
    if (RunsOnNT4OrNewer && !ForceFilter) {
        HDC dc = Dest->Canvas()->GetHandle();
        const int old = SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, 0, 0, wd, hd, Source->Canvas()->GetHandle(), 0, 0, ws, hs, SRCCOPY);
        SetStretchBltMode(dc, old);
    } else {
        TuiPixels src, dst(static_cast<std::size_t>(wd) * static_cast<std::size_t>(hd));
        GetBitmapBits(Source, true, src);
        const auto across = Contributors(ws, wd), down = Contributors(hs, hd);
        TuiPixels mid(static_cast<std::size_t>(wd) * static_cast<std::size_t>(hs));
        for (int y = 0; y < hs; ++y)
            for (int x = 0; x < wd; ++x)
                mid[static_cast<std::size_t>(y * wd + x)] =
                    Filtered(across[static_cast<std::size_t>(x)], src.data() + static_cast<std::ptrdiff_t>(y) * ws, 1);
        for (int x = 0; x < wd; ++x)
            for (int y = 0; y < hd; ++y)
                dst[static_cast<std::size_t>(y * wd + x)] =
                    Filtered(down[static_cast<std::size_t>(y)], mid.data() + x, wd);
        SetBitmapBits(Dest, dst, true);
    }
    Dest->Canvas()->Unlock();
    Source->Canvas()->Unlock();
}

// ------------------------------------------------------------------------------------------- mouse cursor

TSize MeasureMouseCursor() {
    TSize size{GetSystemMetrics(SM_CXCURSOR), GetSystemMetrics(SM_CYCURSOR)};
    ICONINFO info;
    if (!GetIconInfo(GetCursor(), &info)) return size;
    BITMAP bm;
    if (GetObject(info.hbmMask, sizeof bm, &bm) != 0 && bm.bmBitsPixel == 1 && bm.bmWidth > 0) {
        size.cx = bm.bmWidth;
        // Rows of 1 bit per pixel padded to 32 bits, top-down; only the bits inside the width count.
        const int w = bm.bmWidth, h = bm.bmHeight;
        const int rowBytes = ((w + 31) / 32) * 4;
        std::vector<std::uint8_t> bits(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(h), 0);
        BITMAPINFO bi;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biBitCount = 1;
        if (GetDIBits(uiScreenCanvas()->Handle(), info.hbmMask, 0, static_cast<UINT>(h), bits.data(), &bi,
                      DIB_RGB_COLORS) == h) {
            auto rowHas = [&](int row, bool andPlane) {
                for (int x = 0; x < w; ++x) {
                    const bool bit = (bits[static_cast<std::size_t>(row * rowBytes + x / 8)] >> (7 - x % 8)) & 1;
                    if (andPlane ? !bit : bit) return true;
                }
                return false;
            };
            // The AND plane is the top square; a drawn pixel has AND 0. A cursor drawn only through the XOR
            // plane (AND all 1) is measured on the plane below it.
            const int andRows = std::min(w, h);
            int lowest = -1;
            for (int row = andRows - 1; row >= 0 && lowest < 0; --row)
                if (rowHas(row, true)) lowest = row;
            if (lowest < 0 && h >= 2 * w) {
                for (int row = h - 1; row >= andRows && lowest < 0; --row)
                    if (rowHas(row, false)) lowest = row - andRows;
            }
            if (lowest >= 0) size.cy = lowest + 1 - static_cast<int>(info.yHotspot);
        }
    }
    DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    return size;
}

// ----------------------------------------------------------------------------------------------- start-up

void uiBitmapsStartup() { g_alphaBlendBound = IsEntryPointAvailable("AlphaBlend"); }

void uiBitmapsShutdown() {
    g_scratchBackground.reset();
    g_scratchImage.reset();
    g_scratchMask.reset();
    g_alphaBlendBound = false;
}

bool AlphaBlendBound() { return g_alphaBlendBound; }

}  // namespace zel
