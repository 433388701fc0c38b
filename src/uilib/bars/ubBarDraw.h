#pragma once
// The framework's drawing routines shared by the bar windows, item controls and painters: arrows, gradients,
// tiled backgrounds, glyphs with their tint, grayscale, fade, shadow and embossed looks, the size grip, the
// themed close button and size grip, clip-region helpers, and small font, colour and window helpers.
#include "platform/vcl/VclGraphics.h"
#include "platform/win/Gdi.h"
#include "platform/win/UxTheme.h"
#include "platform/win/Windows.h"

namespace zel {

class TCustomImageList;

// The size of the arrow DrawArrow draws in the rectangle.
int ArrowSize(const TRect& R, bool Horizontal);
// A filled triangle pointing right (Horizontal) or down, centred in R.
void DrawArrow(HDC DC, const TRect& R, bool Horizontal, bool Enabled, bool Selected, bool Flat);
// 256 horizontal bands from FromRGB at the top to ToRGB at the bottom.
void DrawGradient(TCanvas* Canvas, const TRect& R, TColor FromRGB, TColor ToRGB);
// Tiles R with the bitmap on a grid anchored at OriginRect's top-left corner; with no bitmap (or an empty
// one) fills R with the brush, or with a solid brush of the colour.
void FillBackground(HDC DC, const TRect& R, const TRect& OriginRect, TBitmap* Bitmap, TColor Color,
                    HBRUSH Brush = nullptr);

// Composes a glyph (the bitmap Glyph, or the image ImageIndex of Images) at GlyphRect's top-left corner over
// the background of DestRect and copies the result to DestRect in one step. TintColor clNone means no tint.
// Nothing is drawn for an empty destination, an empty glyph or an image index outside the list.
struct TubGlyphDrawParams {
    HBRUSH BackgroundBrush = nullptr;
    TRect DestRect;
    TColor ImageBkColor = static_cast<TColor>(0xFF00FF);
    TColor TintColor = clNone;
    bool KeepBackground = false;
    bool ShadowAllowed = false;
    bool NoShadow = false;
    bool NoFade = false;
    bool Hot = false;
    bool FlatLook = false;
    bool Grayscale = false;
    bool Enabled = true;
    int ImageIndex = -1;
    TCustomImageList* Images = nullptr;
    TBitmap* Glyph = nullptr;
    TRect GlyphRect;
};
void DrawGlyph(HDC DC, const TubGlyphDrawParams& P);

// The tinted value of one pixel (blue, green, red) for a tint colour, as DrawGlyph computes it.
void TintPixel(std::uint8_t& Blue, std::uint8_t& Green, std::uint8_t& Red, TColor TintColor);
// The faded value of one channel.
std::uint8_t FadeChannel(std::uint8_t C);

// The system size grip drawn over the existing background.
void DrawSizeGrip(HDC DC, const TRect& R);

// ---- themed parts ------------------------------------------------------------------------------------------

// 4 disabled, 6 read-only, else 1.
int EditThemeState(bool Enabled, bool ReadOnly);
TColor EditThemeBackColor(HTHEME Theme, int State);
TColor EditThemeTextColor(HTHEME Theme, int State);
// The toolbar theme's fill colour, else the button face.
TColor ToolbarThemeColor();
// The window theme's small close button, vertically centred, at the left for sides 1 and 3, else at the right.
void DrawThemedSmallCloseButton(HDC DC, const TRect& R, bool Hot, int Side, bool Pressed);
// The scroll-bar theme's size box (its size plus 2 pixels) in the corner 0..3, mirrored to face it.
void DrawThemedSizeGrip(HDC DC, const TRect& R, int Corner);

// ---- clip regions ------------------------------------------------------------------------------------------

struct TubSavedClip {
    HRGN Region = nullptr;  // nullptr: the DC had no clip region
};
TubSavedClip SaveClipRegion(HDC DC);
// Restores the saved clip region (or none) and deletes the saved copy.
void RestoreClipRegion(HDC DC, TubSavedClip& Saved);
// Adds the rectangle to the DC's clip region.
void AddClipRect(HDC DC, const TRect& R);
// Takes the rectangle out of the region.
void SubtractRectFromRegion(HRGN Region, const TRect& R);

// ---- small helpers -----------------------------------------------------------------------------------------

TColor NearestColor(TColor Color);
// A new font handle with the same logical font.
HFONT MakeFontCopy(HFONT Font);
// Only where layered windows exist: below 255 the window becomes layered with that constant alpha; 255 removes
// the layered style and redraws the frame, the children and the background.
void SetWindowAlpha(HWND Window, BYTE Alpha);

// The drop mark of the customizing drag: inverts (R2_NOT) an I-beam 6 pixels thick along one edge of a control's
// rectangle: across its width at the top or bottom (Across), or down its height at the left or right; AtEnd
// picks the bottom or right edge. The six lines share no pixel: drawn twice, the mark leaves every pixel as it
// was.
void InvertDropMark(HDC DC, const TRect& R, bool Across, bool AtEnd);

}  // namespace zel
