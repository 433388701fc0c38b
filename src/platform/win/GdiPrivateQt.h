#pragma once
// Private: the objects behind the drawing layer's handles, shared by its .cpp files.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRawFont>
#include <QRegion>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/win/Gdi.h"

class QPainter;

namespace zel {

// A region as a list of rectangles in canonical form: bands from top to bottom, each band's rectangles from
// left to right, not touching; vertically adjacent bands with the same spans are merged.
struct TRegionData {
    std::vector<RECT> Rects;
    bool Empty() const { return Rects.empty(); }
    RECT Box() const;
    int Kind() const { return Rects.empty() ? NULLREGION : (Rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION); }
    void Offset(int dx, int dy);
    bool Contains(int x, int y) const;
    static TRegionData FromRect(const RECT& r);
    bool operator==(const TRegionData&) const;
};
// Builds canonical form from rectangles that do not overlap but may be in any order.
TRegionData CanonicalRegion(std::vector<RECT> rects);
TRegionData CombineRegions(const TRegionData& a, const TRegionData& b, int mode);
TRegionData IntersectRegionRect(const TRegionData& a, const RECT& r);
// Rows of x spans: (y, x0, x1) with x1 exclusive, from a polygon under the pixel-centre rule.
TRegionData PolygonRegion(const POINT* points, const int* counts, int polygons, int fillMode);
TRegionData EllipseRegion(int left, int top, int right, int bottom);
TRegionData RoundRectRegion(int left, int top, int right, int bottom, int w, int h);

struct TGdiObject {
    DWORD Kind = 0;
    int Refs = 0;  // selections by DC states (current and saved)
    bool Stock = false;
    bool DeletePending = false;
    virtual ~TGdiObject() = default;
};

struct TPenObject : TGdiObject {
    UINT Style = PS_SOLID;
    int Width = 1;
    COLORREF Color = 0;
    bool DCPen = false;  // the DC_PEN stock object: its colour is the DC's pen colour
};

struct TBrushObject : TGdiObject {
    UINT Style = BS_SOLID;
    COLORREF Color = 0;
    int Hatch = 0;
    int SysIndex = -1;  // a system colour brush follows the colour scheme
    bool DCBrush = false;
    // Pattern brushes: 8x8 pixels (0xFFRRGGBB). A monochrome pattern holds 0 for "text colour", 1 for "background".
    bool MonoPattern = false;
    std::array<std::uint32_t, 64> Pattern{};
};

struct TFontObject : TGdiObject {
    LOGFONT Log;
    bool Realized = false;
    QFont Font;
    QRawFont Raw;
    int PixelSize = 11;
    bool Antialias = true;
    TEXTMETRIC Metrics;
    std::array<int, 256> Advance{};  // per Windows-1252 byte
    std::array<quint32, 256> Glyph{};
    // Drawn from the built-in raster glyphs ("Small Fonts"), not from Raw.
    bool Raster = false;
};

struct TBitmapObject : TGdiObject {
    // A DIB section's pixel memory, owned here so that the pointer given out stays valid for the bitmap's
    // life whatever happens to copies of Image (which is built over it, so it is declared first).
    std::vector<std::uint32_t> DIBBits;
    QImage Image;  // Format_ARGB32_Premultiplied; pixels are raw 32-bit BGRA
    bool Mono = false;
    bool DIBSection = false;
    int ReportedBits = 32;  // the depth GetObject reports for a colour bitmap (its owner's pixel format)
    TDeviceContext* SelectedIn = nullptr;
    // The image to draw into. A DIB section whose Image is shared with a copy is first rebuilt over its own
    // memory, so that drawing never detaches into a private buffer the caller's pointer does not see.
    QImage* Surface() {
        if (DIBSection && !Image.isDetached()) {
            Image = QImage(reinterpret_cast<uchar*>(DIBBits.data()), Image.width(), Image.height(),
                           static_cast<qsizetype>(Image.width()) * 4, QImage::Format_ARGB32_Premultiplied);
        }
        return &Image;
    }
};

struct TRegionObject : TGdiObject {
    TRegionData Data;
};

struct TDCState {
    TPenObject* Pen = nullptr;
    TBrushObject* Brush = nullptr;
    TFontObject* Font = nullptr;
    TBitmapObject* Bitmap = nullptr;
    POINT WindowOrg;
    POINT ViewportOrg;
    POINT BrushOrg;
    POINT CurPos;
    bool HasClip = false;
    TRegionData Clip;  // device coordinates (relative to the DC's device origin)
    int BkMode = OPAQUE;
    COLORREF BkColor = 0xFFFFFF;
    COLORREF TextColor = 0;
    COLORREF DCBrushColor = 0xFFFFFF;
    COLORREF DCPenColor = 0;
    int Rop2 = R2_COPYPEN;
    int PolyFillMode = ALTERNATE;
    int StretchMode = BLACKONWHITE;
    UINT TextAlign = 0;
    int CharExtra = 0;
};

struct TDeviceContext {
    bool Memory = false;
    QImage* Target = nullptr;          // image DCs: the caller's image
    std::unique_ptr<QImage> OwnImage;  // the screen DC's private image
    POINT DeviceOrigin;
    bool HasDeviceClip = false;
    TRegionData DeviceClip;  // image coordinates
    TDCState S;
    std::vector<TDCState> Saved;
    // The effective clip in image coordinates, rebuilt when something it depends on changes.
    bool ClipDirty = true;
    TRegionData ClipCache;
    RECT ClipCacheBounds;  // the surface size the cache was made for
    bool Touched = false;  // the surface was reached (drawn on or read) since TakeDCTouchedArea
    // A printer's page: text and plain lines go to this painter as shapes, in image coordinates.
    QPainter* Vector = nullptr;
};

// Handle checks: live objects only.
TDeviceContext* CheckDC(HDC dc);
TGdiObject* CheckObject(HGDIOBJ obj);
TRegionObject* CheckRegion(HRGN rgn);
TBitmapObject* CheckBitmap(HBITMAP bmp);
TBrushObject* CheckBrush(HBRUSH brush);  // also takes a system colour index + 1
void RegisterObject(TGdiObject* obj);

QImage* SurfaceOf(TDeviceContext* dc);
bool IsMonoSurface(TDeviceContext* dc);
const TRegionData& EffectiveClip(TDeviceContext* dc);
// The effective clip as a Qt region (image coordinates).
QRegion EffectiveClipRegion(TDeviceContext* dc);
inline QColor ToQColor(COLORREF c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
void InvalidateClip(TDeviceContext* dc);
// Logical to image coordinates.
inline int DX(TDeviceContext* dc) { return dc->S.ViewportOrg.x - dc->S.WindowOrg.x + dc->DeviceOrigin.x; }
inline int DY(TDeviceContext* dc) { return dc->S.ViewportOrg.y - dc->S.WindowOrg.y + dc->DeviceOrigin.y; }

inline std::uint32_t ToPixel(COLORREF c) {
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF FromPixel(std::uint32_t p) { return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16); }
// The black or white a colour becomes on a monochrome surface.
inline std::uint32_t MonoPixel(std::uint32_t p) {
    const unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return (r * 30 + g * 59 + b * 11) >= 128 * 100 ? 0xFFFFFFFFu : 0xFF000000u;
}
// Resolves the colour a pen or solid colour takes on this DC's surface (monochrome surfaces: black or white).
std::uint32_t SurfacePixel(TDeviceContext* dc, COLORREF c);

// A brush as 8x8 pixels (or one colour), resolved for a DC (text/background colours, DC brush colour).
struct TPatternSource {
    bool Null = false;
    bool Solid = true;
    std::uint32_t Color = 0;
    std::array<std::uint32_t, 64> P{};
    int OrgX = 0;  // image coordinates of the pattern's (0,0)
    int OrgY = 0;
    std::uint32_t At(int x, int y) const {
        return Solid ? Color : P[static_cast<unsigned>(((y - OrgY) & 7) * 8 + ((x - OrgX) & 7))];
    }
};
TPatternSource ResolveBrush(TDeviceContext* dc, TBrushObject* brush);

// Applies a ternary raster operation on an image-coordinate rectangle (already clipped by the caller or not:
// it clips to the DC). src may be nullptr when the operation does not use the source; srcX/srcY give the
// source pixel for the rectangle's top-left corner in src's image.
void RopRect(TDeviceContext* dc, RECT r, DWORD rop, const TPatternSource* pat, const QImage* src, int srcX, int srcY,
             bool srcMono, COLORREF srcBk, COLORREF monoFg, COLORREF monoBg);
// Fills an image rectangle with a brush (PATCOPY), clipped.
void FillDeviceRect(TDeviceContext* dc, RECT r, const TPatternSource& pat);
// Mixes a pen/brush pixel source into the pixels of a mask (coverage 0..255 in image coordinates) by ROP2.
struct TMask {
    RECT Box;                     // image coordinates
    std::vector<std::uint8_t> A;  // Box.Width() x Box.Height()
    std::uint8_t& At(int x, int y) { return A[static_cast<size_t>((y - Box.top) * Box.Width() + (x - Box.left))]; }
};
void PaintMask(TDeviceContext* dc, const TMask& mask, const TPatternSource& src, int rop2, bool blend);
void PaintRegionRop2(TDeviceContext* dc, const TRegionData& rgn, const TPatternSource& src, int rop2);

TFontObject* CurrentFont(TDeviceContext* dc);  // realised
// Builds the Qt font, glyph table and metrics of a logical font on first use (needs the Qt application).
void RealizeFont(TFontObject* font);

}  // namespace zel
