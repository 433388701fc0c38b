#pragma once
// The library's canvas: a thin wrapper over a TCanvas with stacks of saved DC states, clip regions and
// pen/brush/font states, clip-region arithmetic, text output with the library's own layout flags (embossed
// when disabled), bitmap tiling anchored at the canvas origin, framed and 3-D edged rectangles and bitmap
// rotation; the GDI region wrapper; a canvas over the whole screen; and the unit's colour, text and
// parent-background helpers. Bitmap classes of the library join this unit later.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/VclGraphics.h"
#include "platform/win/Gdi.h"
#include "platform/win/Graphics.h"

namespace zel {

// ---- regions -------------------------------------------------------------------------------------------------

enum TuiRegionMergeMode : std::uint8_t { rmmSet = 0, rmmAdd = 1, rmmSubtract = 2, rmmIntersect = 3 };

// The CombineRgn mode of a merge mode: RGN_COPY, RGN_OR, RGN_DIFF, RGN_AND.
int RegionMergeModeToCombineMode(TuiRegionMergeMode Mode);

// Owns one GDI region handle.
class TuiRegion : public TObject {
public:
    TuiRegion();                       // an empty region (0, 0, 0, 0)
    explicit TuiRegion(HRGN AHandle);  // takes ownership
    explicit TuiRegion(const TRect& R);
    TuiRegion(int Left, int Top, int Right, int Bottom);
    ~TuiRegion() override;

    HRGN GetHandle() const { return handle_; }
    bool IsVoid() const;
    // rmmSet copies Region into this one; the other modes combine this one with Region in place. Region is
    // freed when DestroyRegion (never when it is this region itself). Nothing for a nil Region.
    void CombineWith(TuiRegion* Region, TuiRegionMergeMode Operation, bool DestroyRegion = true);
    // False for nil; true when both are empty or equal.
    bool SameAs(const TuiRegion* Region) const;
    bool SameAs(HRGN Region) const;
    void Offset(int DX, int DY);
    // Deletes the handle and forgets it.
    void ReleaseHandle();

private:
    HRGN handle_ = nullptr;
};

// ---- canvas --------------------------------------------------------------------------------------------------

enum TuiBorder { bLeft, bTop, bRight, bBottom };
using TuiBorders = TSet<TuiBorder>;
inline constexpr TuiBorders uiBordersAll{bLeft, bTop, bRight, bBottom};

// The library's text layout flags.
using TuiTextLayoutFlags = std::uint16_t;
constexpr TuiTextLayoutFlags tlfLeft = 0x0001, tlfRight = 0x0002, tlfCenterH = 0x0004, tlfTop = 0x0008,
                             tlfBottom = 0x0010, tlfCenterV = 0x0020, tlfSingleLine = 0x0040, tlfNoClip = 0x0080,
                             tlfExpandTabs = 0x0100, tlfShowPrefix = 0x0200, tlfWordBreak = 0x0400,
                             tlfEndEllipsis = 0x0800, tlfCalcRect = 0x1000, tlfPathEllipsis = 0x2000,
                             tlfDontBreakChars = 0x4000;

// The DrawText flags of library text flags (DT_NOPREFIX unless tlfShowPrefix).
UINT LayoutFlagsToDrawTextFlags(TuiTextLayoutFlags Flags);

// A fill: tiles of Bitmap when it is not empty, else the colour.
struct TuiFillParams {
    TBitmap* Bitmap = nullptr;
    TColor Color = clDefault;
};

class TuiCanvas : public TObject {
public:
    explicit TuiCanvas(TCanvas* ACanvas);
    ~TuiCanvas() override;

    TCanvas* GetCanvas() const { return canvas_; }
    TBrush* Brush() const { return canvas_->Brush(); }
    TFont* Font() const { return canvas_->Font(); }
    TPen* Pen() const { return canvas_->Pen(); }
    HDC Handle() const { return canvas_->GetHandle(); }
    void SetFont(TFont* Value) { canvas_->SetFont(Value); }

    // Viewport origin minus window origin.
    TPoint DCOrigin() const;
    TPoint ViewportOrigin() const;
    TPoint WindowOrigin() const;
    void SetWindowOrg(const TPoint& P);

    void SetPixel(int X, int Y, TColor Color) { canvas_->SetPixel(X, Y, Color); }
    void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect) {
        canvas_->CopyRect(Dest, Source, SourceRect);
    }
    void Draw(int X, int Y, TBitmap* Graphic) { canvas_->Draw(X, Y, Graphic); }
    void LineTo(int X, int Y) { canvas_->LineTo(X, Y); }
    void MoveTo(int X, int Y) { canvas_->MoveTo(X, Y); }
    void Polygon(const std::vector<TPoint>& Points) { canvas_->Polygon(Points); }
    void Polyline(const std::vector<TPoint>& Points) { canvas_->Polyline(Points); }

    // Changes the brush only when the colour differs.
    void SetBrushColor(TColor Value);
    // Nothing for clNone; the current brush for clDefault; else that colour.
    void FillRect(const TRect& R, TColor Color = clDefault);
    // Tiles R with the bitmap on a grid anchored at the canvas origin (the brush without a bitmap); with
    // ExcludeRect, R is then taken out of the clip region.
    void FillRectByBitmap(const TRect& R, TBitmap* Bitmap, bool ExcludeRect = false);
    void FrameRect(const TRect& R, TColor Color, int LineWidth = 1, TuiBorders Borders = uiBordersAll,
                   bool ExcludeFrame = false);
    void FillFramedRect(const TRect& R, const TuiFillParams& FillParams, bool ExcludeRect, int LineWidth,
                        TColor FrameColor, TuiBorders Borders = uiBordersAll);
    void DrawTwoColourFrame(const TRect& R, TColor LeftTopColor, TColor RightBottomColor,
                            TuiBorders Borders = uiBordersAll, int LineWidth = 1);
    // A one-pixel 3-D edge: the outer or the inner ring of a raised or sunken frame.
    void DrawEdge(const TRect& R, bool Sunken, bool Outer, TuiBorders Borders = uiBordersAll);
    void DrawFocusRect(const TRect& R);
    void InvertRect(const TRect& R);

    // Text. Disabled text is embossed: clBtnHighlight one pixel down-right under clBtnShadow.
    void DrawText(const std::string& Text, TRect R, TuiTextLayoutFlags Flags, bool Enabled = true);
    // Moves R's top so that the text's height sits at the bottom (Kind 1) or in the middle (Kind 2).
    void AlignMultilineText(TRect& R, const std::string& Text, bool DontBreakChars, bool Enabled, bool ShowPrefix,
                            bool WordBreak, int Kind);
    TSize GetTextSize(const std::string& Text);
    // R becomes the text's extent aligned inside R's size on entry as the flags ask.
    void TextExtent(const std::string& Text, TRect& R, TuiTextLayoutFlags Flags);
    int TextWidth(const std::string& Text) { return GetTextSize(Text).cx; }
    int TextHeight(const std::string& Text) { return GetTextSize(Text).cy; }
    int FontHeight(TFont* AFont);

    // State stacks; popping an empty stack does nothing.
    void SaveDC();
    void RestoreDC();
    void PushClipRegion();
    void PopClipRegion();
    void PushState();
    void PopState();
    int SavedDCCount() const { return static_cast<int>(savedDCs_.size()); }
    int SavedClipRegionCount() const { return static_cast<int>(savedClipRegions_.size()); }
    int SavedStateCount() const { return static_cast<int>(savedStates_.size()); }

    // Clipping.
    void ExcludeClipRect(const TRect& R);
    void IntersectClipRect(const TRect& R);
    // A new region holding the DC's clip (the rectangle (0, 0, 30000, 30000) when it has none); with
    // ConsiderOrigin it is in logical coordinates.
    TuiRegion* GetClipRegion(bool ConsiderOrigin = true);
    void SetClipRegion(TuiRegion* Region, TuiRegionMergeMode Operation, bool ConsiderOrigin = true,
                       bool DestroyRegion = true);
    void SetClipRegion(const TRect& R, TuiRegionMergeMode Operation, bool ConsiderOrigin = true);

    // Angle 0: none (Flip: upside down), 1: 90 degrees counter-clockwise (Flip: transposed), 2: 90 degrees
    // clockwise (Flip: the other diagonal), 3: 180 degrees (Flip: mirrored left-right).
    void RotateBitmap(TBitmap* Bitmap, int Angle, bool Flip = false);

private:
    struct TuiCanvasState {
        TFont* Font = nullptr;
        TBrush* Brush = nullptr;
        TPen* Pen = nullptr;
    };
    // The DC with the canvas's font, brush and pen selected.
    HDC PreparedHandle();
    void OutputText(const std::string& Text, TRect R, UINT DrawTextFlags, bool UseDrawText, UINT EtoOptions);

    TCanvas* canvas_ = nullptr;
    std::vector<int> savedDCs_;
    std::vector<TuiRegion*> savedClipRegions_;
    std::vector<TuiCanvasState> savedStates_;
};

// A canvas over the whole screen (the desktop window's cache DC), owning that canvas.
class TuiScreenCanvas : public TuiCanvas {
public:
    TuiScreenCanvas();
    ~TuiScreenCanvas() override;
};

// The one shared screen canvas, made on first use and freed at shutdown.
TuiScreenCanvas* uiScreenCanvas();
// Frees the shared screen canvas (the next uiScreenCanvas makes a new one).
void FreeScreenCanvas();

// ---- text helpers --------------------------------------------------------------------------------------------

// Length -1 means the whole string.
bool MeasureStringExtent(HDC DC, const std::string& Text, TSize& Size, int Length = -1);
int uiDrawText(HDC DC, const std::string& Text, TRect& R, UINT Flags, int Length = -1);
bool ExtTextOutString(HDC DC, const std::string& Text, const TPoint& P, UINT Options, const TRect* ClipRect,
                      int Length = -1);
void InvalidateWindowArea(HWND Wnd, const TRect* R, bool Erase);
bool QueryBitmapRecord(HBITMAP Bitmap, BITMAP& Info);
// A font that draws a native Chinese or Arabic script: charset GB2312, Big5 or Arabic (DEFAULT_CHARSET is the
// system's default charset) and a name that does not begin with an ASCII character.
bool IsNativeScriptFont(BYTE Charset, const std::string& FontName);

// ---- colours and small helpers -------------------------------------------------------------------------------

TColor PressedBlendColor();
TColor HotBlendColor();
TColor NearestScreenColor(TColor Color);
// Blue in byte 0, green in byte 1, red in byte 2, Alpha in byte 3.
std::uint32_t ColorToPixel(TColor Color, std::uint8_t Alpha = 0);
// Margins are given as a rectangle of the four side widths.
TRect DeflateRectByMargins(const TRect& R, const TRect& Margins);
bool IsNonEmptyBitmap(TBitmap* Bitmap);
// A list is given and 0 <= Index < its count.
bool HasImageIndex(TCustomImageList* Images, int Index);

// ---- parent background ---------------------------------------------------------------------------------------

// Paints what the control's parent shows under R (control coordinates) into the canvas; with PaintSiblings
// also the parent's visible windowed children that lie below the control.
void PaintParentUnderControl(TControl* Control, TCanvas* Canvas, const TRect& R, bool PaintSiblings);
void PaintControlBackgroundFromParent(TControl* Control, TCanvas* Canvas, const TRect& R);

// ---- predefined brushes --------------------------------------------------------------------------------------

// The system colour brush of index 0..30 (nullptr outside).
TBrush* uiSystemBrush(int Index);
// An 8 x 8 checkerboard of single pixels (rows alternate AA and 55).
HBRUSH uiHalftoneBrush();
// Makes the predefined brushes (the unit's start-up).
void CreatePredefinedBrushes();
// Frees the predefined brushes (made again on the next use).
void FreePredefinedBrushes();

}  // namespace zel
