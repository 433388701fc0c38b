#pragma once
// The shadow of a drop-down menu window: up to five strips to the right of and below the menu and the element
// it opened from, so that both look like one raised shape. Each strip is a borderless pop-up placed right
// behind the menu that lets the mouse through. Where top-level windows blend per pixel (and the screen has
// more than 8 bits), a strip is a soft 4-pixel gradient; otherwise a solid 2-pixel strip in the button-shadow
// colour.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/vcl/Controls.h"

namespace zel {

// The corner fades of a strip: the start (left) and the end (right) of a horizontal strip, the top of a
// vertical one.
enum : std::uint8_t { sfHorizontalStart = 1, sfHorizontalEnd = 2, sfVerticalTop = 4 };

struct TubBarShadowStrip {
    TRect Rect{};
    bool Vertical = false;  // to the right of something; else below it
    std::uint8_t Fades = 0;
    bool operator==(const TubBarShadowStrip&) const = default;
};

// The strips for an element and the menu it opened (screen rectangles; an empty element for a menu opened
// from nothing), with the shadow size S; only strips whose rectangle is not empty.
std::vector<TubBarShadowStrip> ShadowStrips(TRect Element, TRect Menu, int S);
// Whether a strip can be shown: no fades, or at least S pixels each way.
bool ShadowStripValid(const TubBarShadowStrip& AStrip, int S);
// The alpha of each pixel of a strip, rows top to bottom: 15 x (thickness - d) at the distance d from the edge
// that touches the shape, scaled towards a faded end.
std::vector<std::uint8_t> ShadowStripAlphas(const TubBarShadowStrip& AStrip, int S);
// Whether the strips can be soft: the system offers layered pictures and the screen has more than 8 bits.
bool ShadowTransparencyAvailable();
// 4 with transparency, else 2.
int ShadowSize();

class TubBarShadow;

class TubBarShadowPart : public TCustomControl {
public:
    TubBarShadowPart(TubBarShadow* AShadow, const TubBarShadowStrip& AStrip);
    std::string ClassName() const override { return "TubBarShadowPart"; }
    const TubBarShadowStrip& Strip() const { return strip_; }
    // Sets the bounds, renders the picture and shows the strip when the shadow is visible.
    void PlaceStrip(const TRect& R);
    void ShowStrip();
    void HideStrip();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;

private:
    TubBarShadow* shadow_;
    TubBarShadowStrip strip_;
    bool transparent_;
};

class TubBarShadow : public TObject {
public:
    // AOwner: the menu window the shadow belongs to.
    explicit TubBarShadow(TWinControl* AOwner);
    ~TubBarShadow() override;
    std::string ClassName() const override { return "TubBarShadow"; }

    TWinControl* Owner() const { return owner_; }
    // Stores the element and the menu rectangle (the two swapped when the element lies below the menu or to
    // its right) and builds the strips again.
    void SetRects(const TRect& Element, const TRect& Menu);
    void Refresh();
    bool GetVisible() const { return visible_; }
    void SetVisible(bool Value);
    bool Horizontal() const { return horizontal_; }
    // The strip windows, in the order they were built.
    const std::vector<TubBarShadowPart*>& Parts() const { return parts_; }

private:
    void FreeParts();

    TWinControl* owner_;
    bool visible_ = false;
    bool horizontal_ = true;
    TRect element_{};
    TRect menu_{};
    std::vector<TubBarShadowPart*> parts_;
};

}  // namespace zel
