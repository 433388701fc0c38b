#pragma once
// Win32-shaped device contexts, GDI objects, drawing, regions and text over 32-bit off-screen images.
// Pixels follow the Windows rules: rectangles exclude their right and bottom edges, LineTo excludes its end
// point, raster operations follow their truth tables. Text is Windows-1252 bytes.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/win/Graphics.h"
#include "platform/win/WinTypes.h"

namespace zel {

// ---- rectangle and point helpers ---------------------------------------------------------------------------
BOOL SetRect(RECT* r, int left, int top, int right, int bottom);
BOOL CopyRect(RECT* dst, const RECT* src);
BOOL IsRectEmpty(const RECT* r);
BOOL PtInRect(const RECT* r, POINT p);
BOOL OffsetRect(RECT* r, int dx, int dy);
BOOL InflateRect(RECT* r, int dx, int dy);
// Both return FALSE and an empty (0,0,0,0) result when the intersection/union is empty.
BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b);
BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b);
BOOL EqualRect(const RECT* a, const RECT* b);
int MulDiv(int number, int numerator, int denominator);

// ---- records -----------------------------------------------------------------------------------------------
constexpr int LF_FACESIZE = 32;

struct LOGFONT {
    LONG lfHeight = 0;  // < 0: character height; > 0: cell height; 0: the default size
    LONG lfWidth = 0;
    LONG lfEscapement = 0;  // tenths of a degree, counter-clockwise
    LONG lfOrientation = 0;
    LONG lfWeight = 0;  // FW_NORMAL 400, FW_BOLD 700
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};
using LOGFONTA = LOGFONT;
using TLogFont = LOGFONT;

struct LOGPEN {
    UINT lopnStyle = 0;
    POINT lopnWidth;
    COLORREF lopnColor = 0;
};

struct LOGBRUSH {
    UINT lbStyle = 0;
    COLORREF lbColor = 0;
    std::uintptr_t lbHatch = 0;
};

// GetObject of a bitmap: the 24-byte record of the original system, with bmBits a pointer field.
struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 0;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr;
};

struct BITMAPINFOHEADER {
    DWORD biSize = 40;
    LONG biWidth = 0;
    LONG biHeight = 0;  // negative: rows top-down
    WORD biPlanes = 1;
    WORD biBitCount = 0;
    DWORD biCompression = 0;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};

struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[2] = {};  // the two colours of a 1-bit bitmap; unused for 32 bits
};

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 96;
    LONG tmDigitizedAspectY = 96;
    BYTE tmFirstChar = 0x20;
    BYTE tmLastChar = 0xFF;
    BYTE tmDefaultChar = 0x1F;
    BYTE tmBreakChar = 0x20;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};
using TEXTMETRICA = TEXTMETRIC;
using TTextMetric = TEXTMETRIC;

struct TRIVERTEX {
    LONG x = 0;
    LONG y = 0;
    WORD Red = 0;  // 16-bit channels: 0xFF00 is full
    WORD Green = 0;
    WORD Blue = 0;
    WORD Alpha = 0;
};
struct GRADIENT_RECT {
    DWORD UpperLeft = 0;
    DWORD LowerRight = 0;
};
struct GRADIENT_TRIANGLE {
    DWORD Vertex1 = 0;
    DWORD Vertex2 = 0;
    DWORD Vertex3 = 0;
};
struct BLENDFUNCTION {
    BYTE BlendOp = 0;  // AC_SRC_OVER
    BYTE BlendFlags = 0;
    BYTE SourceConstantAlpha = 255;
    BYTE AlphaFormat = 0;  // AC_SRC_ALPHA: the source is premultiplied with its own alpha
};

// ---- constants ---------------------------------------------------------------------------------------------
// Object kinds (GetObjectType).
constexpr DWORD OBJ_PEN = 1, OBJ_BRUSH = 2, OBJ_DC = 3, OBJ_METADC = 4, OBJ_FONT = 6, OBJ_BITMAP = 7, OBJ_REGION = 8,
                OBJ_METAFILE = 9, OBJ_MEMDC = 10, OBJ_ENHMETADC = 12, OBJ_ENHMETAFILE = 13;
// Stock objects.
constexpr int WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4, NULL_BRUSH = 5,
              HOLLOW_BRUSH = 5, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8, OEM_FIXED_FONT = 10, ANSI_FIXED_FONT = 11,
              ANSI_VAR_FONT = 12, SYSTEM_FONT = 13, DEVICE_DEFAULT_FONT = 14, DEFAULT_PALETTE = 15,
              SYSTEM_FIXED_FONT = 16, DEFAULT_GUI_FONT = 17, DC_BRUSH = 18, DC_PEN = 19;
// Pen styles.
constexpr UINT PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5,
               PS_INSIDEFRAME = 6, PS_ALTERNATE = 8, PS_STYLE_MASK = 0xF;
// Brush styles and hatches.
constexpr UINT BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = 1, BS_HATCHED = 2, BS_PATTERN = 3;
constexpr int HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_FDIAGONAL = 2, HS_BDIAGONAL = 3, HS_CROSS = 4, HS_DIAGCROSS = 5;
// Background modes, mix modes, fill modes, stretch modes, mapping mode.
constexpr int TRANSPARENT = 1, OPAQUE = 2;
constexpr int R2_BLACK = 1, R2_NOTMERGEPEN = 2, R2_MASKNOTPEN = 3, R2_NOTCOPYPEN = 4, R2_MASKPENNOT = 5, R2_NOT = 6,
              R2_XORPEN = 7, R2_NOTMASKPEN = 8, R2_MASKPEN = 9, R2_NOTXORPEN = 10, R2_NOP = 11, R2_MERGENOTPEN = 12,
              R2_COPYPEN = 13, R2_MERGEPENNOT = 14, R2_MERGEPEN = 15, R2_WHITE = 16;
constexpr int ALTERNATE = 1, WINDING = 2;
constexpr int BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4;
constexpr int STRETCH_ANDSCANS = 1, STRETCH_ORSCANS = 2, STRETCH_DELETESCANS = 3, STRETCH_HALFTONE = 4;
constexpr int MM_TEXT = 1;
// Ternary raster operations: the high word's low byte is the truth table over pattern (F0), source (CC) and
// destination (AA); only that byte drives the engine.
constexpr DWORD SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6, SRCINVERT = 0x00660046,
                SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008, NOTSRCERASE = 0x001100A6, MERGECOPY = 0x00C000CA,
                MERGEPAINT = 0x00BB0226, PATCOPY = 0x00F00021, PATPAINT = 0x00FB0A09, PATINVERT = 0x005A0049,
                DSTINVERT = 0x00550009, BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062;
// Regions.
constexpr int ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3, RGN_ERROR = 0;
constexpr int RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5;
// Device capabilities.
constexpr int HORZRES = 8, VERTRES = 10, BITSPIXEL = 12, PLANES = 14, NUMCOLORS = 24, RASTERCAPS = 38, LOGPIXELSX = 88,
              LOGPIXELSY = 90, SIZEPALETTE = 104, SHADEBLENDCAPS = 120;
constexpr int RC_BITBLT = 1, RC_STRETCHBLT = 0x800, RC_DI_BITMAP = 0x80, RC_PALETTE = 0x100;
// Fonts.
constexpr int FW_DONTCARE = 0, FW_THIN = 100, FW_LIGHT = 300, FW_NORMAL = 400, FW_MEDIUM = 500, FW_SEMIBOLD = 600,
              FW_BOLD = 700, FW_HEAVY = 900;
constexpr BYTE ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, OEM_CHARSET = 255;
constexpr BYTE DEFAULT_QUALITY = 0, DRAFT_QUALITY = 1, PROOF_QUALITY = 2, NONANTIALIASED_QUALITY = 3,
               ANTIALIASED_QUALITY = 4, CLEARTYPE_QUALITY = 5;
constexpr BYTE DEFAULT_PITCH = 0, FIXED_PITCH = 1, VARIABLE_PITCH = 2, FF_DONTCARE = 0, FF_ROMAN = 0x10,
               FF_SWISS = 0x20, FF_MODERN = 0x30;
// Text alignment and ExtTextOut options.
constexpr UINT TA_NOUPDATECP = 0, TA_UPDATECP = 1, TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6, TA_TOP = 0, TA_BOTTOM = 8,
               TA_BASELINE = 24;
constexpr UINT ETO_OPAQUE = 2, ETO_CLIPPED = 4;
// DrawText.
constexpr UINT DT_TOP = 0, DT_LEFT = 0, DT_CENTER = 1, DT_RIGHT = 2, DT_VCENTER = 4, DT_BOTTOM = 8, DT_WORDBREAK = 0x10,
               DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_TABSTOP = 0x80, DT_NOCLIP = 0x100,
               DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800, DT_INTERNAL = 0x1000,
               DT_EDITCONTROL = 0x2000, DT_PATH_ELLIPSIS = 0x4000, DT_END_ELLIPSIS = 0x8000, DT_MODIFYSTRING = 0x10000,
               DT_RTLREADING = 0x20000, DT_WORD_ELLIPSIS = 0x40000, DT_NOFULLWIDTHCHARBREAK = 0x80000,
               DT_HIDEPREFIX = 0x100000, DT_PREFIXONLY = 0x200000;
// DrawEdge.
constexpr UINT BDR_RAISEDOUTER = 1, BDR_SUNKENOUTER = 2, BDR_RAISEDINNER = 4, BDR_SUNKENINNER = 8, BDR_OUTER = 3,
               BDR_INNER = 0xC, BDR_RAISED = 5, BDR_SUNKEN = 0xA;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
               EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr UINT BF_LEFT = 1, BF_TOP = 2, BF_RIGHT = 4, BF_BOTTOM = 8, BF_TOPLEFT = 3, BF_TOPRIGHT = 6, BF_BOTTOMLEFT = 9,
               BF_BOTTOMRIGHT = 0xC, BF_RECT = 0xF, BF_DIAGONAL = 0x10, BF_MIDDLE = 0x800, BF_SOFT = 0x1000,
               BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000;
// DrawFrameControl.
constexpr UINT DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4;
constexpr UINT DFCS_CAPTIONCLOSE = 0, DFCS_CAPTIONMIN = 1, DFCS_CAPTIONMAX = 2, DFCS_CAPTIONRESTORE = 3,
               DFCS_CAPTIONHELP = 4, DFCS_SCROLLUP = 0, DFCS_SCROLLDOWN = 1, DFCS_SCROLLLEFT = 2, DFCS_SCROLLRIGHT = 3,
               DFCS_SCROLLCOMBOBOX = 5, DFCS_SCROLLSIZEGRIP = 8, DFCS_SCROLLSIZEGRIPRIGHT = 0x10, DFCS_BUTTONCHECK = 0,
               DFCS_BUTTONRADIOIMAGE = 1, DFCS_BUTTONRADIOMASK = 2, DFCS_BUTTONRADIO = 4, DFCS_BUTTON3STATE = 8,
               DFCS_BUTTONPUSH = 0x10, DFCS_INACTIVE = 0x100, DFCS_PUSHED = 0x200, DFCS_CHECKED = 0x400,
               DFCS_TRANSPARENT = 0x800, DFCS_HOT = 0x1000, DFCS_ADJUSTRECT = 0x2000, DFCS_FLAT = 0x4000,
               DFCS_MONO = 0x8000;
// DIBs, gradients, blending.
constexpr DWORD BI_RGB = 0;
constexpr UINT DIB_RGB_COLORS = 0;
constexpr DWORD GRADIENT_FILL_RECT_H = 0, GRADIENT_FILL_RECT_V = 1, GRADIENT_FILL_TRIANGLE = 2;
constexpr BYTE AC_SRC_OVER = 0, AC_SRC_ALPHA = 1;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// ---- objects -----------------------------------------------------------------------------------------------
HGDIOBJ GetStockObject(int index);
// Frees a pen, brush, font, bitmap or region. Stock objects stay; an object still selected into a DC is freed
// when the last DC lets go of it. FALSE for an unknown handle.
BOOL DeleteObject(HGDIOBJ obj);
DWORD GetObjectType(HGDIOBJ obj);
// Fills a LOGPEN, LOGBRUSH, LOGFONT or BITMAP; with buffer nullptr answers the size needed. 0 on failure.
int GetObject(HGDIOBJ obj, int size, void* buffer);

HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
// The bitmap's top-left 8x8 pixels are copied; a monochrome bitmap takes the DC's text colour for 0 bits and
// its background colour for 1 bits when used.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HFONT CreateFontIndirect(const LOGFONT* lf);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                 DWORD pitchAndFamily, const char* faceName);
// Bitmaps: planes x bitsPerPixel of 1 gives a monochrome bitmap, anything else 32 bits per pixel. bits (may be
// nullptr) holds rows padded to 16 bits (monochrome) or 32-bit pixels, top-down.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// A 32-bit bitmap whose pixels the caller reaches through *bits, rows top-down: biHeight must be negative
// (a bottom-up or other-depth request answers 0). The memory lives as long as the bitmap.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, void* section, DWORD offset);
// 32-bit (and 1-bit) transfers between a bitmap and a caller's buffer; answer the number of rows copied.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT scanLines, void* bits, BITMAPINFO* info, UINT usage);
int SetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info,
              UINT usage);

// ---- device contexts ---------------------------------------------------------------------------------------
// A memory DC with a 1x1 monochrome bitmap selected; dc is ignored (every surface is 32 bits).
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj);
HGDIOBJ GetCurrentObject(HDC dc, UINT objectType);
int SaveDC(HDC dc);
// saved > 0: that state (and all later ones) is restored; < 0: relative to the newest.
BOOL RestoreDC(HDC dc, int saved);
int GetDeviceCaps(HDC dc, int index);

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old);
BOOL GetWindowOrgEx(HDC dc, POINT* p);
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* old);
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old);
BOOL GetViewportOrgEx(HDC dc, POINT* p);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old);
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* old);

int SetBkMode(HDC dc, int mode);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
int SetROP2(HDC dc, int mode);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
// Every colour is available exactly on a 32-bit surface.
COLORREF GetNearestColor(HDC dc, COLORREF color);

// ---- drawing -----------------------------------------------------------------------------------------------
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
BOOL SetPixelV(HDC dc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC dc, int x, int y);  // CLR_INVALID outside the surface or the clip
BOOL MoveToEx(HDC dc, int x, int y, POINT* old);
BOOL GetCurrentPositionEx(HDC dc, POINT* p);
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL PolyPolygon(HDC dc, const POINT* points, const int* counts, int polygons);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height);
// Counter-clockwise from the ray through (xStart, yStart) to the ray through (xEnd, yEnd).
BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
BOOL Pie(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);

// A brush handle may also be a system colour index + 1, as the window class brushes are given.
int FillRect(HDC dc, const RECT* r, HBRUSH brush);
int FrameRect(HDC dc, const RECT* r, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* r);
// Inverts every other pixel of the rectangle's one-pixel frame: drawing it twice restores the image.
BOOL DrawFocusRect(HDC dc, const RECT* r);
BOOL DrawEdge(HDC dc, RECT* r, UINT edge, UINT flags);
BOOL DrawFrameControl(HDC dc, RECT* r, UINT type, UINT state);

// The system's own bitmaps, by number. OBM_CHECKBOXES: 4 x 3 cells of 13 x 13 drawn like the classic check
// boxes (row 0 check boxes, row 1 radio buttons, row 2 three-state boxes; columns: unchecked, checked, pushed
// unchecked, pushed checked). OBM_CHECK: 26 x 13, two cells of 13 x 13: the left one the classic
// check mark in black on white, the right one plain white, so the pixels where the halves differ are the mark. The
// caller deletes the bitmap; nullptr for an unknown number.
constexpr int OBM_CHECKBOXES = 32759;
constexpr int OBM_CHECK = 32760;
HBITMAP LoadBitmap(HINSTANCE instance, int id);

BOOL PatBlt(HDC dc, int x, int y, int w, int h, DWORD rop);
BOOL BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, DWORD rop);
// Shrinking follows the destination's stretch mode (SetStretchBltMode): BLACKONWHITE (the default) ANDs the
// source pixels that fall on one destination pixel, WHITEONBLACK ORs them, COLORONCOLOR keeps the nearest one,
// HALFTONE averages them weighted by area. A negative extent on one side mirrors the picture.
BOOL StretchBlt(HDC dest, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop);
// GRADIENT_FILL_RECT_H / _V (rectangles in mesh) or GRADIENT_FILL_TRIANGLE (triangles in mesh).
BOOL GradientFill(HDC dc, const TRIVERTEX* vertices, DWORD vertexCount, const void* mesh, DWORD meshCount, DWORD mode);
BOOL AlphaBlend(HDC dest, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, int wSrc, int hSrc,
                BLENDFUNCTION blend);

// ---- regions -----------------------------------------------------------------------------------------------
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* r);
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
// dest may be one of the sources. Answers NULLREGION, SIMPLEREGION (one rectangle), COMPLEXREGION or ERROR.
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
BOOL EqualRgn(HRGN a, HRGN b);
int OffsetRgn(HRGN rgn, int dx, int dy);
BOOL PtInRegion(HRGN rgn, int x, int y);
int GetRgnBox(HRGN rgn, RECT* r);
// The region's rectangles in their canonical order (bands top to bottom, left to right inside a band).
std::vector<RECT> GetRegionRects(HRGN rgn);
BOOL FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int w, int h);

// Clipping. The clip region is kept in device coordinates (window origin does not move it); rgn 0 removes it.
int SelectClipRgn(HDC dc, HRGN rgn);
int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode);
// 1 and a copy in rgn when the DC has a clip region, 0 when it has none, -1 on failure.
int GetClipRgn(HDC dc, HRGN rgn);
int GetClipBox(HDC dc, RECT* r);  // logical coordinates of what can be drawn
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
BOOL RectVisible(HDC dc, const RECT* r);

// ---- text --------------------------------------------------------------------------------------------------
// count -1 means up to the end of text; a count beyond the text is cut to it.
BOOL TextOut(HDC dc, int x, int y, std::string_view text, int count);
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* r, std::string_view text, UINT count, const int* dx);
// Answers the text height (with DT_VCENTER or DT_BOTTOM: the offset from r's top to the bottom of the text).
int DrawText(HDC dc, std::string_view text, int count, RECT* r, UINT format);
inline int DrawTextA(HDC dc, std::string_view text, int count, RECT* r, UINT format) {
    return DrawText(dc, text, count, r, format);
}
BOOL GetTextExtentPoint32(HDC dc, std::string_view text, int count, SIZE* size);
// fit: how many characters fit in maxExtent; dx: the extent up to each character (count entries).
BOOL GetTextExtentExPoint(HDC dc, std::string_view text, int count, int maxExtent, int* fit, int* dx, SIZE* size);
BOOL GetTextMetrics(HDC dc, TEXTMETRIC* tm);
// Answers MAKELONG(width, height); tab positions default to eight average character widths.
LONG TabbedTextOut(HDC dc, int x, int y, std::string_view text, int count, int tabPositions, const int* tabStops,
                   int tabOrigin);
DWORD GetTabbedTextExtent(HDC dc, std::string_view text, int count, int tabPositions, const int* tabStops);
BOOL GetCharWidth32(HDC dc, UINT first, UINT last, int* widths);

}  // namespace zel
