#pragma once
// The drawing objects of the windowing classes: fonts, pens and brushes that make their GDI handles on
// demand, the canvas that draws with them on any device context, and bitmaps with their own canvas.
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Filer.h"
#include "platform/rtl/Streams.h"
#include "platform/win/Gdi.h"
#include "platform/win/Graphics.h"

namespace zel {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// Base of the font, pen and brush: tells its owner of every change.
class TGraphicsObject : public TPersistent {
public:
    ~TGraphicsObject() override;
    std::string ClassName() const override { return "TGraphicsObject"; }
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
    void FreeHandle();
    HGDIOBJ handle_ = nullptr;
};

class TFont : public TGraphicsObject {
public:
    std::string ClassName() const override { return "TFont"; }
    void Assign(TPersistent* Source) override;

    HFONT GetHandle();
    const std::string& GetName() const { return name_; }
    void SetName(const std::string& Value);
    // Height in pixels: negative is the character height, as the form resources store it.
    int GetHeight() const { return height_; }
    void SetHeight(int Value);
    // Size in points, at PixelsPerInch.
    int GetSize() const;
    void SetSize(int Value);
    TColor GetColor() const { return color_; }
    void SetColor(TColor Value);
    TFontStyles GetStyle() const { return style_; }
    void SetStyle(TFontStyles Value);
    BYTE GetCharset() const { return charset_; }
    void SetCharset(BYTE Value);
    TFontPitch GetPitch() const { return pitch_; }
    void SetPitch(TFontPitch Value);

    // The device's resolution that Size converts with: the screen's, or a printer's for its canvas.
    int PixelsPerInch = 96;

private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_;
    BYTE charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
};

class TPen : public TGraphicsObject {
public:
    std::string ClassName() const override { return "TPen"; }
    void Assign(TPersistent* Source) override;

    HPEN GetHandle();
    TColor GetColor() const { return color_; }
    void SetColor(TColor Value);
    int GetWidth() const { return width_; }
    void SetWidth(int Value);
    TPenStyle GetStyle() const { return style_; }
    void SetStyle(TPenStyle Value);
    TPenMode GetMode() const { return mode_; }

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

class TBitmap;

class TBrush : public TGraphicsObject {
public:
    std::string ClassName() const override { return "TBrush"; }
    void Assign(TPersistent* Source) override;

    HBRUSH GetHandle();
    TColor GetColor() const { return color_; }
    void SetColor(TColor Value);
    TBrushStyle GetStyle() const { return style_; }
    void SetStyle(TBrushStyle Value);
    // A bitmap the brush repeats instead of its colour (not owned; nullptr: the colour again).
    TBitmap* GetBitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* Value);

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
};

class TBitmap;

// Draws with its pen, brush and font on a device context. A canvas without a context asks CreateHandle
// for one (a control's canvas takes its window's context, a bitmap's canvas a memory context).
class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    std::string ClassName() const override { return "TCanvas"; }

    HDC GetHandle();
    void SetHandle(HDC Value);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont* Font() const { return font_; }
    TPen* Pen() const { return pen_; }
    TBrush* Brush() const { return brush_; }
    void SetFont(TFont* Value) { font_->Assign(Value); }

    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.left, R.top, R.right, R.bottom); }
    void Ellipse(int X1, int Y1, int X2, int Y2);
    // The part of the ellipse inside the rectangle (X1, Y1)-(X2, Y2) that runs counter-clockwise from the
    // ray through (X3, Y3) to the ray through (X4, Y4), in the pen.
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Polygon(const std::vector<TPoint>& Points);
    void Polyline(const std::vector<TPoint>& Points);
    void FillRect(const TRect& R);
    void FrameRect(const TRect& R);
    void DrawFocusRect(const TRect& R);
    void TextOut(int X, int Y, const std::string& Text);
    // Draws the text at (X, Y) clipped to R, filling R with the brush first unless the brush is clear.
    void TextRect(const TRect& R, int X, int Y, const std::string& Text);
    TSize TextExtent(const std::string& Text);
    int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
    int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }
    void Draw(int X, int Y, TBitmap* Graphic);
    // Draws the bitmap but leaves the canvas wherever the bitmap has the colour of its bottom-left pixel,
    // as button glyphs and transparent pictures are drawn.
    void DrawTransparent(int X, int Y, TBitmap* Graphic);
    void StretchDraw(const TRect& R, TBitmap* Graphic);
    // Copies Source of the bitmap to Dest (pixel for pixel, from their top-left corners), putting the brush
    // wherever the bitmap has Color: its colour, or nothing (what is there stays) with a clear brush.
    void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    TColor GetPixel(int X, int Y);
    void SetPixel(int X, int Y, TColor Color);
    TRect GetClipRect();
    DWORD CopyMode = SRCCOPY;

    void Lock() { ++lockCount_; }
    void Unlock() { --lockCount_; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void CreateHandle() {}
    // Lets go of the context; Pen, Brush and Font stay.
    void DeselectHandles();
    // Selects the pen, brush and font into the context with the colours and modes they stand for.
    void RequireState();
    void Changing();
    void Changed();

private:
    HDC dc_ = nullptr;
    TFont* font_ = nullptr;
    TPen* pen_ = nullptr;
    TBrush* brush_ = nullptr;
    HGDIOBJ oldPen_ = nullptr, oldBrush_ = nullptr, oldFont_ = nullptr;
    int lockCount_ = 0;
};

// The stored depth of a bitmap. The pixels are 32-bit in memory whatever the format, except pf1bit, which
// holds black and white only; the format decides the depth of the stream form and what GetObject reports.
ZEL_DECLARE_EXCEPTION(EResNotFound, Exception)

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// A 32-bit image with a canvas over it.
//
// Stream form (ReadData / WriteData): a 32-bit little-endian byte count, then that many bytes of a BMP file:
// a 14-byte file header ("BM", file size, 0, offset of the pixels), a 40-byte info header, a palette for 1, 4
// and 8 bits, then the rows bottom-up, each padded to 4 bytes. An empty bitmap is the count 0 alone.
class TBitmap : public TPersistent {
public:
    TBitmap();
    ~TBitmap() override;
    std::string ClassName() const override { return "TBitmap"; }
    void Assign(TPersistent* Source) override;

    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    void SetWidth(int Value) { SetSize(Value, height_); }
    void SetHeight(int Value) { SetSize(width_, Value); }
    // Resizes, keeping the pixels that still fit; new pixels are white.
    virtual void SetSize(int AWidth, int AHeight);
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    HBITMAP GetHandle();
    // Takes ownership of a bitmap handle (the old one is deleted); its size becomes the bitmap's, a
    // monochrome handle makes the format pf1bit, any other keeps a colour format.
    void SetHandle(HBITMAP Value);
    bool HandleAllocated() const { return bitmap_ != nullptr; }
    TCanvas* Canvas();
    TPixelFormat GetPixelFormat() const { return pixelFormat_; }
    // pf1bit turns the pixels black and white (by brightness); the other formats keep them.
    void SetPixelFormat(TPixelFormat Value);
    // Frees what the bitmap keeps only for drawing; nothing needs freeing here.
    void Dormant() {}
    // Loads a named bitmap resource; EResNotFound "Resource NAME not found" when there is none.
    void LoadFromResourceName(HINSTANCE Instance, const std::string& ResName);
    // Loads a BMP file (1, 4, 8, 16, 24 or 32 bits, uncompressed); a file that cannot be opened raises
    // EFOpenError, one that is not such a BMP EReadError, and the bitmap stays as it was.
    void LoadFromFile(const std::string& FileName);
    // Writes the image as a PNG file; false when it cannot be written.
    bool SaveToPngFile(const std::string& FileName);

    // The stream form; a damaged or short one raises EReadError "Stream read error" and leaves the bitmap
    // as it was.
    virtual void ReadData(TStream& Stream);
    virtual void WriteData(TStream& Stream);
    // Stores the stream form as the binary property "Data" when the bitmap is not empty.
    void DefineProperties(TFiler* Filer) override;

    bool Transparent = false;
    TColor TransparentColor = clDefault;
    TNotifyEvent OnChange;

protected:
    // After every change of size, format or pixels (the canvas's drawing included): fires OnChange.
    virtual void Changed(TObject* Sender);

private:
    class TBitmapCanvas;
    void ReplaceHandle(HBITMAP Value, int AWidth, int AHeight);
    // Takes the pixels of a whole BMP file; raises EReadError and keeps the old image when it is not one.
    void LoadBmpBytes(const std::string& bytes);
    int width_ = 0;
    int height_ = 0;
    TPixelFormat pixelFormat_ = pfDevice;
    HBITMAP bitmap_ = nullptr;
    TBitmapCanvas* canvas_ = nullptr;
};

// The RGB value of a colour for the drawing layer (system colours resolved).
COLORREF ColorToCOLORREF(TColor Color);
// An 8 x 8 checkerboard of the two colours, shared by every caller that asks for the same pair and kept for
// the program's lifetime (for pattern brushes: a dotted frame, a hatched sizing rectangle).
TBitmap* AllocPatternBitmap(TColor BkColor, TColor FgColor);

// Measures text in a font without a window: DrawText's DT_CALCRECT rectangle for the flags, within
// MaxWidth when DT_WORDBREAK is given.
TSize MeasureText(TFont* Font, const std::string& Text, UINT Flags = DT_SINGLELINE, int MaxWidth = 0);

}  // namespace zel
