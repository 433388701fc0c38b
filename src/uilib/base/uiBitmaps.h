#pragma once
// The library's bitmaps: TuiCustomBitmap (own library canvas, change batching, rotation, an optional
// compressed stream form with the "XDBM" block) and TuiBitmap (32-bit pixels with alpha, transparent colours
// and per-pixel effects); and the bitmap routines of painters and image lists: pixel arrays, alpha blending
// with and without the system's AlphaBlend, images drawn with disabled, faded, grey, washed and shadow
// effects, Lanczos-3 resampling and the height of the mouse cursor.
//
// Pixels are 32-bit values: blue in byte 0, green in byte 1, red in byte 2, alpha in byte 3. Images with
// alpha are premultiplied, as AlphaBlend takes them.
#include <cstdint>
#include <vector>

#include "platform/rtl/Streams.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/VclGraphics.h"
#include "uilib/base/uiGraphics.h"

namespace zel {

class TuiCustomBitmap : public TBitmap {
public:
    // An empty bitmap; (W, H) is a 24-bit bitmap of that size; (W, H, PF) any format.
    TuiCustomBitmap();
    TuiCustomBitmap(int Width, int Height);
    explicit TuiCustomBitmap(const TRect& R);
    TuiCustomBitmap(int Width, int Height, TPixelFormat PixelFormat);
    ~TuiCustomBitmap() override;
    std::string ClassName() const override { return "TuiCustomBitmap"; }

    // The library canvas over the bitmap's canvas (TBitmap::Canvas() gives the plain one).
    TuiCanvas* Canvas() { return canvas_; }

    void BeginUpdate();
    // When the count is above 0 it drops by one; Changed runs when ForceChanged or a change came meanwhile.
    void EndUpdate(bool ForceChanged = true);
    int UpdateLockCount = 0;
    bool ChangedWhileLocked = false;

    void SetSize(int AWidth, int AHeight) override;
    // Fills the whole bitmap with black.
    virtual void Clear();
    void CopyBitmap(TBitmap* Source, DWORD ROP = SRCCOPY);
    void CopyBitmapRect(TBitmap* Source, const TRect& DestRect, DWORD ROP = SRCCOPY, TPoint SourcePoint = {});
    // As TuiCanvas::RotateBitmap, on itself.
    void Rotate(int Angle, bool Flip = false);
    TRect GetBoundsRect() const { return Rect(0, 0, GetWidth(), GetHeight()); }

    // With CompressData the stream form is the "XDBM" block:
    //   offset 0, 4 bytes: number of compressed bytes after the header (little-endian)
    //   offset 4, 4 bytes: "XDBM"
    //   offset 8, 2 bytes: version 1
    //   offset 10: the plain form, run-length packed
    // Without it, the plain form. Reading accepts both.
    void ReadData(TStream& Stream) override;
    void WriteData(TStream& Stream) override;
    bool CompressData = false;

protected:
    // Runs from the constructors: makes the canvas and sets size and format inside one update.
    virtual void Initialize(int Width, int Height, TPixelFormat PixelFormat);
    // After every effective change; nothing here.
    virtual void Update() {}
    // While locked only remembered; else the inherited notification, then Update.
    void Changed(TObject* Sender) override;

private:
    TuiCanvas* canvas_ = nullptr;
};

enum TuiPixelsProcessKind {
    pxWash,
    pxShadowGrey,
    pxAverageGrey,
    pxOpaque,
    pxMask,
    pxFadeGrey,
    pxDisabledGrey,
    pxSolidify,
    pxHatch,
    pxFillBackground,
    pxClearAlpha
};

using TuiPixels = std::vector<std::uint32_t>;

class TuiBitmap : public TuiCustomBitmap {
public:
    TuiBitmap() : TuiBitmap(0, 0) {}
    // A 32-bit bitmap, cleared.
    TuiBitmap(int Width, int Height);
    TuiBitmap(int Width, int Height, std::uint32_t ATransparentBkColor);
    explicit TuiBitmap(const TRect& R) : TuiBitmap(R.Width(), R.Height()) {}
    std::string ClassName() const override { return "TuiBitmap"; }

    // With TransparentBkColor's alpha byte set every pixel takes that colour (pxFillBackground), else black
    // (pixel value 0).
    void Clear() override;
    void SetSize(int AWidth, int AHeight) override;
    // The pixels, rows bottom-up.
    void GetPixels(TuiPixels& Pixels);
    void SetPixels(const TuiPixels& Pixels);
    // Some pixel's alpha is neither 0 nor 255. (The drawing layer writes opaque alpha where the original
    // system wrote 0, so a picture drawn with the canvas, all opaque, counts as one without alpha.)
    bool HasAlpha();
    void ProcessPixels(TuiPixelsProcessKind Kind);
    // Its whole value is TransparentBkColor, or its low 24 bits are in TransparentPixels.
    bool IsTransparent(std::uint32_t Pixel) const;

    std::uint32_t TransparentBkColor = 0;
    std::vector<std::uint32_t> TransparentPixels;  // 24-bit pixel values
    // pxHatch: colour 2 with its alpha where (x div size) + (y div size) is odd, else colour 1.
    std::uint32_t HatchColor1 = 0xFFFFFF;
    std::uint8_t HatchAlpha1 = 0;
    std::uint32_t HatchColor2 = 0;
    std::uint8_t HatchAlpha2 = 0x80;
    std::uint8_t HatchSize = 2;

protected:
    void Update() override;

private:
    std::uint32_t ProcessPixel(TuiPixelsProcessKind Kind, std::uint32_t Pixel) const;
    BITMAPINFO info_;
    int currentX_ = 0;
    int currentY_ = 0;
};

// ---- routines ------------------------------------------------------------------------------------------------

// Blends Source over Dest with ConstAlpha: c = ConstAlpha / 255, s = c * Source.A, e = 1 - s / 255;
// each colour channel := round(c * Source + e * Dest), alpha := round(s + e * Dest.A), clamped to 0..255.
void AlphaBlendPixel(std::uint32_t Source, std::uint32_t& Dest, std::uint8_t ConstAlpha);

TBitmap* CreateBitmapWithFormat(int Width, int Height, TPixelFormat PixelFormat);
TBitmap* CreateBitmapForRect(const TRect& R, TPixelFormat PixelFormat);
// Width x height 32-bit pixels, rows top-down or bottom-up.
void GetBitmapBits(TBitmap* Bitmap, bool TopDown, TuiPixels& Pixels);
// Writes the pixels and releases the array.
void SetBitmapBits(TBitmap* Bitmap, TuiPixels& Pixels, bool TopDown);
// 1, 4, 8, 16, 16, 24, 32 for pf1bit .. pf32bit; the screen's depth for pfDevice and pfCustom.
int BitmapBitsPerPixel(TBitmap* Bitmap);
void CopyDCRect(HDC DestDC, HDC SrcDC, const TRect& DestRect, DWORD ROP, TPoint SrcPoint = {});
void DrawBitmapToDC(HDC DestDC, TBitmap* Bitmap, const TRect& DestRect, DWORD ROP, TPoint SrcPoint = {});
// Blends the source rectangle (premultiplied alpha) into the destination rectangle with ConstAlpha; with
// Smooth and different sizes the source is resampled with the Lanczos filter first.
void BlendWithAlpha(HDC DestDC, HDC SrcDC, const TRect& DestRect, const TRect& SrcRect, std::uint8_t ConstAlpha,
                    bool Smooth = false);

enum TuiImageDrawMode { idmNormal, idmDisabled, idmFaded, idmGrayScale, idmWashed, idmShadowed };

// A custom way of drawing an image (the glyph rectangle relative to the background bitmap); answering true
// takes the drawing over. None is set by default.
using TuiRenderImageCustomDrawProc = bool (*)(TCanvas* Background, const TRect& GlyphRect, TBitmap* Glyph,
                                              TCustomImageList* Images, int ImageIndex, TuiImageDrawMode Mode);
extern TuiRenderImageCustomDrawProc RenderImageCustomDraw;

// Draws a glyph bitmap, or image ImageIndex of Images, into GlyphRect with an effect; the background rectangle
// is filled with BackgroundBrush first (nullptr: it keeps what the DC shows). Nothing when there is neither a
// glyph nor a valid index.
void RenderImage(HDC DC, const TRect& GlyphRect, const TRect& BackgroundRect, TBitmap* Glyph, TCustomImageList* Images,
                 int ImageIndex, TuiImageDrawMode Mode, bool UseGlyphTransparentColor = true,
                 TColor TransparentColor = clNone, HBRUSH BackgroundBrush = nullptr, bool Smooth = false);
// Resizes Source into Dest's size: a halftone StretchBlt, or with ForceFilter the Lanczos-3 filter. Nothing
// when a width or height is 0.
void ResampleBitmap(TBitmap* Source, TBitmap* Dest, bool ForceFilter = false);
// The current cursor's width and its height from the top to its lowest drawn row, less the hot spot's y.
TSize MeasureMouseCursor();

// The run-length packing of the compressed stream form: header h with bit 7 set: (h and 0x7F) literal bytes
// follow; else one byte that stands for h copies of it. Runs hold 1 to 125 bytes.
void PackBitmapData(const std::uint8_t* Data, std::size_t Size, std::vector<std::uint8_t>& Out);
// Unpacks exactly Size packed bytes; a packet that runs past them raises EReadError "Stream read error".
void UnpackBitmapData(const std::uint8_t* Data, std::size_t Size, std::vector<std::uint8_t>& Out);

// Start-up binds "AlphaBlend" by name when the system has it; shutdown frees the shared scratch bitmaps.
void uiBitmapsStartup();
void uiBitmapsShutdown();
// Whether AlphaBlend was bound at start-up.
bool AlphaBlendBound();

}  // namespace zel
