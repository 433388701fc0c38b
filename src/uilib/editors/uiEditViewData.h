#pragma once
// The layout rules of an editor's view data that depend on no window: which border an editor lays out,
// the button style and popup border it falls back to, and where its buttons go and how wide they are.
#include <vector>

#include "platform/win/WinTypes.h"
#include "uilib/base/uiLookAndFeels.h"
#include "uilib/editors/uiEdit.h"

namespace zel {

// The border an editor lays out with: none in place; the ultra-flat and Office-2003 borders take the room of a
// single one; an editor that is thick in any of its state styles is thick in all, so its size never changes.
TuiEditBorderStyle LayoutEditBorderStyle(bool AInPlace, TuiEditBorderStyle AStyleBorder, bool AThickInAnyState);

// The button style of a style whose ButtonStyle is btsDefault. In-place editors and borderless editors that do
// not track the mouse follow the look and feel; the others follow their border.
TuiEditButtonStyle DefaultEditButtonStyle(bool AByLookAndFeel, TuiLookAndFeelKind AKind,
                                          TuiEditBorderStyle ABorderStyle);

// The popup border of a style whose PopupBorderStyle is epbsDefault: in-place editors and borderless editors
// with buttons follow the look and feel, the others their border.
TuiEditPopupBorderStyle DefaultEditPopupBorderStyle(bool AByLookAndFeel, TuiLookAndFeelKind AKind,
                                                    TuiEditBorderStyle ABorderStyle);

struct TuiEditButtonPlace {
    int Width = 0;  // wanted width; the placed width afterwards
    bool LeftAligned = false;
    bool Stretchable = true;
    bool Fixed = false;  // a width set on the button: stretching leaves it alone
    TRect Bounds{0, 0, 0, 0};
};

// Places the buttons from the last to the first inside ARect: left-aligned ones from its left edge rightwards,
// the others from its right edge leftwards. A button is never wider than the room left and never narrower than
// zero. Returns the room left between the two sides.
TRect PlaceEditButtons(std::vector<TuiEditButtonPlace>& AButtons, const TRect& ARect);

// Shares ASpare pixels among the buttons: the stretchable, non-fixed ones in proportion to their widths (all of
// them when none is stretchable), the last one taking the remainder. Widths that add up to zero share equally.
void StretchEditButtonWidths(std::vector<TuiEditButtonPlace>& AButtons, int ASpare);

}  // namespace zel
