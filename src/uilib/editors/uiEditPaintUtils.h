#pragma once
// The process-wide cache of solid brushes by colour: editors fill many small rectangles in a few colours.
// System colours come from the system's own brushes and never enter the cache.
#include <vector>

#include "platform/win/Graphics.h"
#include "platform/win/WinTypes.h"
#include "uilib/base/uiGraphics.h"
#include "uilib/base/uiLookAndFeelPainters.h"
#include "uilib/base/uiLookAndFeels.h"
#include "uilib/editors/uiEdit.h"

namespace zel {

class TCanvas;
class TuiCanvas;

class TuiSolidBrushCache : public TObject {
public:
    explicit TuiSolidBrushCache(int AMaxDepth);
    ~TuiSolidBrushCache() override;
    std::string ClassName() const override { return "TuiSolidBrushCache"; }

    // A shared brush (callers never delete it). A cached colour counts one more use; a new colour, when the
    // cache is full, evicts the least-used entry (the first of a tie).
    HBRUSH GetSolidBrush(TColor AColor);
    HBRUSH GetSolidBrush(TCanvas* ACanvas, TColor AColor) { return (void)ACanvas, GetSolidBrush(AColor); }
    HBRUSH GetSolidBrush(TuiCanvas* ACanvas, TColor AColor) { return (void)ACanvas, GetSolidBrush(AColor); }
    // Deletes every cached brush (system palette changes, destruction).
    virtual void Clear();

    int Depth() const { return depth_; }
    int MaxDepth() const { return maxDepth_; }
    // Entry I's colour and use count, in colour order.
    TColor ColorAt(int I) const { return colors_[static_cast<std::size_t>(I)]; }
    int UsageAt(int I) const { return usage_[static_cast<std::size_t>(I)]; }

private:
    int maxDepth_ = 0;
    int depth_ = 0;
    std::vector<TColor> colors_;
    std::vector<HBRUSH> brushes_;
    std::vector<int> usage_;
    TuiSystemPaletteChangedNotifier* notifier_ = nullptr;
};

// The shared cache (depth 128) while the unit is started, else nullptr.
TuiSolidBrushCache* uiSolidBrushCache();
// Through the shared cache.
HBRUSH uiGetSolidBrush(TColor AColor);

// ------------------------------------------------------------------------------------------ editor drawing
// The routines the editors draw their arrows, glyphs, frames and backgrounds with; fills use the shared
// brush cache.

// One filled arrow of `ASize` rows (or two, one behind the other, when ADouble is set) centred in R: the box
// is (2·size − 1) across the arrow and n·size along it; pressed moves it by one pixel right and down.
void DrawEditArrow(TCanvas* ACanvas, int ASize, const TRect& R, TColor AColor, bool APressed, bool ADouble,
                   TuiArrowDirection ADirection);
// The arrow that fits a button content of that size: (width, height) for up and down, (height, width) for
// left and right, the width odd.
TSize CalcArrowSize(const TSize& AContentSize, TuiArrowDirection ADirection);
// Draws a bitmap as a glyph at (X, Y): enabled with its transparent colour left out over the background
// colour (clNone: over what is there), disabled as an image list draws a disabled image.
void DrawEditGlyph(TCanvas* ACanvas, int X, int Y, TBitmap* AGlyph, bool AEnabled, TColor ABackgroundColor);
void DrawEditGlyph(TuiCanvas* ACanvas, int X, int Y, TBitmap* AGlyph, bool AEnabled, TColor ABackgroundColor);
// A bitmap that can be drawn as a glyph: assigned, not empty, of positive size.
bool IsGlyphUsable(TBitmap* AGlyph);
// A polyline through the points; filled draws each (horizontal or vertical) segment as a one-pixel-wide
// rectangle, both ends included, so that no pixel depends on the pen.
void DrawPolyline(TCanvas* ACanvas, const TPoint* APoints, int ACount, bool AFilled, TColor AColor);
// One-pixel lines on the chosen edges of R; R shrinks by one on each side drawn.
void DrawBorderEdges(TCanvas* ACanvas, TRect& R, TuiBorders AEdges, TColor AColor);
void FillWithColor(TCanvas* ACanvas, const TRect& R, TColor AColor);
void FillWithColor(HDC DC, const TRect& R, HBRUSH ABrush);
// Fills AOuter without AInner, as four strips (left, top, right, bottom).
void FillRectExcept(HDC DC, const TRect& AOuter, const TRect& AInner, HBRUSH ABrush);
void FillRectExcept(TCanvas* ACanvas, const TRect& AOuter, const TRect& AInner, HBRUSH ABrush);
bool IsDecimalDigit(char C);
// The library's text-output flags and the DrawText flags that mean the same.
constexpr std::uint32_t uiToVCenter = 1, uiToRight = 2, uiToSingleLine = 16, uiToWordBreak = 32, uiToCalcRect = 256,
                        uiToExpandTabs = 512;
UINT TextOutToDrawTextFlags(std::uint32_t AFlags);
std::uint32_t DrawTextToTextOutFlags(UINT AFlags);
// How far an editor button's content sits below its top: by button style, or from the button theme.
int ButtonContentTopOffset(TCanvas* ACanvas, TuiEditButtonStyle AButtonStyle, bool ANativeStyle);
// The width a check glyph adds beside its image: 4, or the button theme's horizontal content insets.
int EditCheckGlyphExtent(bool ANativeStyle, bool ACheckBoxPart);
// The frame colour of a focused or hot editor: the Office-2003 highlight, else clHighlight.
TColor GetEditBorderHighlightColor(bool AIsOffice11Style);
// The face of a hot (or pressed) editor button: of the Office-2003 painter, else of the UltraFlat one.
TColor GetEditButtonHighlightColor(bool APressed, bool AIsOffice11Style);
// The painter that draws an editor of that kind; the native one when asked for and visual styles work.
TuiLookAndFeelPainterClass EditPainterClass(TuiLookAndFeelKind AKind, bool ANativeStyle);

class TuiCustomEditProperties;
class TuiContainerStyle;
class TuiCustomEditViewInfo;
// An editor's frame and background, under its buttons' places (kept out of the clip): the themed frame of a
// native editor; else the container's frame (the shadow first) and, unless the editor is transparent, its
// client area filled with the background colour around the inner edit. The buttons are drawn afterwards.
void DrawEditBackground(TCanvas* ACanvas, TuiCustomEditViewInfo* AViewInfo);
// One pixel more for the inner edit of an in-place editor that has buttons; none otherwise.
int InnerEditHeightCorrection(TuiCustomEditProperties* AProperties, bool AInPlace);
// Whether an editor draws the shadow of its style: the style asks for one and the look and feel has no skin
// painter that draws its own.
bool IsEditShadowDrawn(TuiContainerStyle* AStyle);
// True on the Windows 98/ME family (a non-zero minor version) and on Windows 2000/XP/2003 (NT 5.x); read once
// by the drawing unit's start-up (false before it).
bool uiEditOSFlag();
// Reads the flag from the system's version.
bool ComputeEditOSFlag();

void uiEditPaintUtilsStartup();
void uiEditPaintUtilsShutdown();

}  // namespace zel
