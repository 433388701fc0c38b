#pragma once
// An editor's view data: the layout of an editor worked out from its settings, its style and its state. Every
// editor lays itself out through it, and an in-place host paints a cell with it where no editor window exists.
// The rules that depend on nothing else come first: which border an editor lays out, the button style and popup
// border it falls back to, and where its buttons go and how wide they are.
#include <functional>
#include <string>
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
    // The style laid out; with an editor, Calculate replaces it by the editor's style of the state it finds.
    TuiCustomEditStyle* Style;
    TuiCustomEdit* Edit = nullptr;
    bool InPlace;
    bool Enabled = true;
    bool Focused = false;
    bool ReadOnly = false;
    bool IsDesigning = false;
    // Where the text sits inside the client area: stand-alone (1, 1, 1, 3), in place (1, 1, 1, 1).
    TRect ContentOffsets{1, 1, 1, 3};
    // The settings' automatic-width layout: the buttons share the editor's spare width.
    bool ButtonsFillEditor = false;
    // The button the left mouse button went down on, and the one pressed before this calculation; -1 for none.
    int CapturedButton = -1;
    int PreviousPressed = -1;
    // The text and background colours a host gives a cell; clDefault takes the style's.
    TColor TextColor = clDefault;
    TColor BackgroundColor = clDefault;
    // A host's width for a button whose own Width is 0 (a column's, say); 0 or unset leaves the usual width.
    std::function<int(int AButtonIndex)> OnGetDefaultButtonWidth;
    // Told the text about to be shown for the value once it is ready; a host may change it (a cell's own
    // wording of a value, say).
    std::function<void(std::string& ADisplayText)> OnValuePrepared;

    // The state for the mouse at P: disabled; else normal or, when focused, active; plus hot with the mouse
    // inside AVisible (while the left button is down only when the editor holds the mouse capture).
    TuiContainerState ContainerState(const TRect& AVisible, TPoint P, TShiftState AShift);
    // The theme state of an editor's frame: disabled 4, read-only 6, focused 5 (3 on a composited desktop),
    // hot 2, normal 1.
    int NativeState(TuiContainerState AState) const;
    bool IsNative();
    // The border laid out: none in place; ultra-flat and Office-2003 borders as single ones; thick in every
    // state when any state style of the editor is thick, so that its size never changes.
    virtual TuiEditBorderStyle GetBorderStyle();
    bool ThickInAnyState();
    bool HasShadow();
    // The room the border takes on each side: the content offsets in place; 2 for a transparent border (the
    // frame is drawn inside that ring, and what it leaves shows the parent); the themed frame of a native
    // editor; the border width on the style's edges otherwise; a shadow adds 3 right and bottom.
    TRect GetBorderExtent();
    // The part of ABounds the mouse makes hot under ABorder: a transparent border's unpainted ring and the
    // shadow are left out.
    TRect VisibleBounds(const TRect& ABounds, TuiEditBorderStyle ABorder);
    // The button style and popup border a style left at its default takes.
    TuiEditButtonStyle GetButtonStyle();
    TuiEditPopupBorderStyle GetPopupBorderStyle();
    // The text colour and background colour the editor shows.
    TColor GetTextColor();
    TColor GetBackgroundColor(TuiContainerState AState);
    // The width the visible button AIndex asks for in a style whose frame takes AFrame.
    int ButtonWidth(TCanvas* ACanvas, int AIndex, int AFrame);
    // Where a line of text ATextHeight high goes in AClient: inside the content offsets, one pixel wider for the
    // inner edit's right margin, at the top, the bottom or the middle as the settings align it, never above the
    // top offset. The inner edit of a windowed editor and the text of a painted cell both sit here.
    TRect TextBounds(const TRect& AClient, int ATextHeight);

    // The buttons of the view info: one per visible button, placed inside the border rectangle (stretched over
    // the spare width when they fill the editor), with their states for the mouse at P; the client rectangle
    // narrows to the room between them.
    virtual void CalculateButtons(TCanvas* ACanvas, TuiCustomEditViewInfo& AViewInfo, TPoint P, TShiftState AShift);
    // A whole view info for ABounds: state, border, colours, buttons and popup border. An editor whose border
    // gets thinner than the one AViewInfo holds is calculated twice: the mouse may have been over the ring that
    // the thinner frame leaves to its parent.
    virtual void Calculate(TCanvas* ACanvas, const TRect& ABounds, TPoint P, TShiftState AShift,
                           TuiCustomEditViewInfo& AViewInfo);

private:
    TuiCustomEditStyle* StyleOfState(TuiContainerState AState);
    // The control whose four state styles the layout considers: the editor, else the owner of Style, if any.
    TuiContainer* StylesOwner() const;
};

}  // namespace zel
