#pragma once
// An editor's view data: the layout of an editor worked out from its settings, its style and its state. Every
// editor lays itself out through it, and an in-place host paints a cell with it where no editor window exists.
// The rules that depend on nothing else come first: which border an editor lays out, the button style and popup
// border it falls back to, and where its buttons go and how wide they are.
#include <vector>

#include "platform/vcl/Controls.h"
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

class TCanvas;
class TuiCustomEdit;
class TuiCustomEditProperties;
class TuiCustomEditViewInfo;
class TuiEditButton;

// The width of the frame a button style draws: a fixed width never leaves a button narrower than it.
int EditButtonFrameWidth(TuiEditButtonStyle AStyle);

// The layout calculator. Settings make one for a style and an in-place flag (TuiCustomEditProperties::
// CreateViewData); an editor fills in its state (Edit, Enabled, Focused, ...), a host painting a cell leaves
// Edit empty and sets what the cell shows.
class TuiCustomEditViewData {
public:
    TuiCustomEditViewData(TuiCustomEditProperties* AProperties, TuiCustomEditStyle* AStyle, bool AInPlace);
    virtual ~TuiCustomEditViewData() = default;
    TuiCustomEditViewData(const TuiCustomEditViewData&) = delete;
    TuiCustomEditViewData& operator=(const TuiCustomEditViewData&) = delete;

    TuiCustomEditProperties* Properties;
    TuiCustomEditStyle* Style;
    TuiCustomEdit* Edit = nullptr;
    bool InPlace;
    bool Enabled = true;
    bool Focused = false;
    bool IsDesigning = false;
    // Where the text sits inside the client area: stand-alone (1, 1, 1, 3), in place (1, 1, 1, 1).
    TRect ContentOffsets{1, 1, 1, 3};
    // The settings' automatic-width layout: the buttons share the editor's spare width.
    bool ButtonsFillEditor = false;
    // The button the left mouse button went down on, and the one pressed before this calculation; -1 for none.
    int CapturedButton = -1;
    int PreviousPressed = -1;

    // The border laid out: none in place; ultra-flat and Office-2003 borders as single ones; thick in every
    // state when any state style of the editor is thick, so that its size never changes.
    TuiEditBorderStyle GetBorderStyle();
    bool ThickInAnyState();
    // The room the border takes on each side: the content offsets in place, 1 for a transparent border, the
    // border width on the style's edges otherwise; a shadow adds 3 right and bottom.
    TRect GetBorderExtent();
    // The button style and popup border a style left at its default takes.
    TuiEditButtonStyle GetButtonStyle();
    TuiEditPopupBorderStyle GetPopupBorderStyle();
    // The width a visible button asks for in a style whose frame takes AFrame.
    int ButtonWidth(TCanvas* ACanvas, TuiEditButton* AButton, int AFrame);

    // The buttons of the view info: one per visible button, placed inside the border rectangle (stretched over
    // the spare width when they fill the editor), with their states for the mouse at P; the client rectangle
    // narrows to the room between them.
    void CalculateButtons(TCanvas* ACanvas, TuiCustomEditViewInfo& AViewInfo, TPoint P, TShiftState AShift);
    // A whole view info for ABounds without an editor window: state, border, colours, buttons and popup border.
    void Calculate(TCanvas* ACanvas, const TRect& ABounds, TPoint P, TShiftState AShift,
                   TuiCustomEditViewInfo& AViewInfo);
};

}  // namespace zel
