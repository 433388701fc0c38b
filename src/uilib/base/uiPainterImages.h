#pragma once
// The painter unit's shared glyphs: the radio-button image list (every look, state and flag built once from
// the system's own radio shape), the six indicator images, the two scroll-bar page patterns and the check
// glyph size measured from the system's check-box bitmap.
#include <cstdint>
#include <vector>

#include "platform/vcl/ImgList.h"
#include "uilib/base/uiGraphics.h"
#include "uilib/base/uiLookAndFeels.h"

namespace zel {

// The radio-button glyphs of the four looks in every state, drawn in one pass.
class TuiRadioButtonImageList : public TObject {
public:
    TuiRadioButtonImageList();
    ~TuiRadioButtonImageList() override;
    std::string ClassName() const override { return "TuiRadioButtonImageList"; }

    // Fills the list when it is empty.
    void Fill();
    // Clears the list and fills it again in the current colours.
    void Reset();
    int Count() const;
    TPoint ImageSize() const { return TPoint{width_, height_}; }
    // With ABrushColor clDefault the glyph is drawn straight at (X, Y); otherwise over a square of the brush
    // colour, so that its corners show that colour. bpsDefault draws as bpsNormal.
    void Draw(TuiCanvas* ACanvas, int X, int Y, TuiLookAndFeelKind AKind, int AState, bool AChecked, bool AFocused,
              bool ADesigning, TColor ABrushColor);
    // The image index of a combination (state 1-4).
    int ImageIndex(TuiLookAndFeelKind AKind, int AState, bool AChecked, bool AFocused, bool ADesigning) const;
    // The glyph's cell codes, W x H, row by row.
    const std::vector<std::uint8_t>& Pattern() const;

private:
    // The masked image list; its mask is white outside the glyph and black inside.
    TImageList* list_ = nullptr;
    TBitmap* mask_ = nullptr;
    std::vector<int> indexMap_;
    int width_ = 0, height_ = 0;
};

// The shared radio image list, made and filled on first use.
TuiRadioButtonImageList* RadioButtonImageList();
// The check glyph size measured at unit start.
TPoint PainterCheckGlyphSize();
// Indicator image AIndex (0-5) centred in R.
void DrawIndicatorImage(TuiCanvas* ACanvas, const TRect& R, int AIndex);
TImageList* IndicatorImages();
// Image AIndex of an image list at P, enabled or not, when the list is assigned.
void DrawPainterListImage(TuiCanvas* ACanvas, const TPoint& P, TCustomImageList* AImages, int AIndex, bool AEnabled);

}  // namespace zel
