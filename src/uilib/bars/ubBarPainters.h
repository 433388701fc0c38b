#pragma once
// The painters of the bar library: every drawing and most sizes of bars, menus and item controls go through
// the painter of the manager's look. Painters hold no state; each class has one shared instance, and the
// manager's look is referred to by it (TubBarPainterClass). The base painter draws the classic look with
// system colours; the Flat painter draws one-pixel frames and the manager's flat brushes; the Office11 painter
// (the main window's look) draws the Office-2003 gradients of the shared palette.
#include <string>

#include "platform/win/Graphics.h"
#include "platform/win/WinTypes.h"
#include "uilib/bars/ubBarManager.h"

namespace zel {

// Which kind of bar window an item is drawn on.
enum TubBarWindowKind : std::uint8_t { bwkToolbar, bwkMainMenu, bwkSubMenu };

// What a painter needs to know about one item and the bar window under it. The item controls and bar
// windows fill it in; the painters read nothing else.
struct TubBarItemPaintState {
    TubBarWindowKind Bar = bwkToolbar;
    bool VerticalBar = false;  // a toolbar docked left or right (or floating upright)
    bool HasBorder = true;     // the bar draws a border (the toolbar body is only drawn with one)
    bool Hot = false;          // selected: the pointer or the keyboard is on it
    bool Pressed = false;      // the mouse holds it
    bool Down = false;         // its Down state
    bool MenuOpen = false;     // a drop-down button or sub-item whose menu is open
    bool Enabled = true;
    bool Customizing = false;
    bool HasGlyph = false;
    bool GlyphFits = true;
    const TubBarManager* Manager = nullptr;
    // The bar window's own background brush for the parts an item leaves transparent; nullptr: the bar
    // window has already painted its background there.
    HBRUSH BarBrush = nullptr;
    RECT OpenMenuRect{};  // where the open menu lies (MenuOpen)
};

// The manager sizes a painter decides: button sizes around the glyph and the drop-down arrow.
struct TubBarManagerSizes {
    int GlyphSize = 16;
    int ButtonWidth = 23;
    int ButtonHeight = 22;
    int ArrowWidth = 11;
};

// The Office-2003 palette columns that play each role of the look.
struct TubOffice11Roles {
    int ToolbarLight, ToolbarDark;
    int HotFirst, HotSecond;
    int PressedFirst, PressedSecond, PressedSolid;
    int CustomizingSelection;
    int OpenMenuFirst, OpenMenuSecond;
    int GlyphColumnLight, GlyphColumnDark, ExpandedGlyphColumnLight, ExpandedGlyphColumnDark;
    int MenuBackground, MenuSelected;
    int SeparatorDark, SeparatorLight;
    int MenuText, HotText, DisabledText;
    int ButtonFrame;
    int FloatingFrameOuter, FloatingFrameInner, FloatingCaption, CaptionText;
    int ToolbarShadow;
    int FadedGlyph;
    int ButtonFace, Background;
    int EditBackground, DisabledFrame;
};
// The one pairing of roles with palette columns.
extern const TubOffice11Roles Office11Roles;
// The palette colour of a role's column.
TColor Office11RoleColor(int Column);

class TubBarItemControlPainter {
public:
    virtual ~TubBarItemControlPainter() = default;

    // ---- manager sizes
    virtual int GetButtonWidthAddition() const { return 7; }
    virtual int GetButtonHeightAddition() const { return 6; }
    // ButtonArrowWidth (doubled with large icons), made odd.
    virtual int GetArrowWidth(const TubBarManager* AManager) const;
    virtual int GetLargeArrowWidth(const TubBarManager* AManager) const;
    // Glyph 16, or the large list's width (32 without one) with large icons; buttons around it.
    TubBarManagerSizes ManagerSizes(const TubBarManager* AManager) const;

    // ---- button and glyph drawing
    // Down, pressed, hot or framed: what lies under the glyph and caption. Empty in the classic look.
    virtual void DrawButtonBackground(HDC /*DC*/, const RECT& /*R*/, HBRUSH /*Brush*/,
                                      const TubBarItemPaintState& /*State*/) const {}
    // The 9 x 7 check mark (18 x 14 at scale 2) at its top-left.
    virtual void DrawCheckMarkGlyph(HDC DC, int Scale, int Top, int Left, bool Enabled) const;
    // Where the check mark goes in a glyph area.
    static POINT CheckMarkOrigin(const RECT& R, int Scale);
    // The glyph area without a glyph: its background, and the check mark of a down sub-menu entry (scale 2
    // for a bar font of 16 points or more).
    void DrawEmptyGlyphArea(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State,
                            bool LargeFont) const;
    // A glyph is drawn only where it fits with 2 pixels to spare.
    static bool GlyphFits(const RECT& Area, SIZE Glyph);
    virtual TColor GetFadedColor(const TubBarManager* AManager) const;
    // The arrow of a sub-menu entry, pointing right, centred in the rectangle.
    virtual void DrawSubMenuArrow(HDC DC, const RECT& R, bool Enabled, bool Selected) const;
    // Text colour of an item caption; clNone for the embossed disabled look.
    virtual TColor GetTextColors(bool Enabled, bool Flat, bool Selected) const;
    // The caption colours of an edit's text drawn without its window: text and background.
    virtual void GetDisabledTextColor(bool Enabled, TColor& Text, TColor& Back) const;
    virtual bool FlatText() const { return false; }
    bool IsSmallCaption(const RECT& R) const { return R.bottom - R.top < 17; }

    // ---- item drawing core
    // Opaque: the brush fills the rectangle; otherwise the bar's own background shows through.
    void FillControlBackground(HDC DC, const RECT& R, HBRUSH Brush, bool Opaque,
                               const TubBarItemPaintState& State) const;
    // The same for a one-pixel frame only.
    void FrameControlBackground(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const;
    virtual void DrawMenuLine(HDC /*DC*/, const RECT& /*R*/, const std::string& /*Caption*/,
                              const TubBarItemPaintState& /*State*/) const {}
    // A caption on one line, vertically centred; disabled text embossed in two passes unless flat text is
    // allowed both by the painter and the caller.
    void DrawItemText(HDC DC, const RECT& R, const std::string& Text, bool Enabled, bool Selected, UINT Alignment,
                      bool AllowFlat = true) const;
    virtual HBRUSH GetButtonBrush(const TubBarItemPaintState& State) const;
    virtual int GetMenuGlyphIndent(int LineHeight, bool OnSubMenu) const { return OnSubMenu ? LineHeight + 1 : 0; }

    // ---- bar metrics and backgrounds
    virtual int GetFloatingFrameWidth() const;
    virtual int GetBorderSize() const { return 3; }
    virtual bool PaintBackgroundFirst() const { return false; }
    // The body of a bar window (docked toolbar, menu bar).
    virtual void DrawBarBackground(HDC DC, const RECT& R, const TubBarItemPaintState& State) const;
    virtual void DrawClientBackground(HDC DC, const RECT& R, const TubBarItemPaintState& State) const;
    virtual HBRUSH GetBarBrush(const TubBarItemPaintState& State) const;
    virtual HBRUSH GetSelectedBrush(const TubBarItemPaintState& State) const;
    virtual int GetComboButtonWidth(int ZeroWidth) const { return 2 * ZeroWidth - 1; }
    virtual int GetEditHeightAddition() const { return 6; }
    int GetEditHeight(int TextHeight) const { return TextHeight + GetEditHeightAddition(); }
    virtual int GetGripSize() const { return 6; }
    virtual int GetGripOffset() const { return (GetGripSize() - 2) / 2; }
    virtual RECT GetBarMargins(const TubBarItemPaintState& State) const;

    // ---- bar drawing
    virtual void DrawSeparator(HDC DC, const RECT& R, const TubBarItemPaintState& State) const;

    // ---- items and sub-menus
    virtual bool RepaintAfterDropDown() const { return false; }
    // Half the bar font's height, rounded up.
    virtual int GetHalfFontHeight(int FontHeight, const TubBarItemPaintState& State) const;
    // The width of a sub-item: L the bar window's line height, the manager's button sizes, the bar font's
    // height, and whether it shows its caption.
    virtual int GetSubItemWidth(const TubBarItemPaintState& State, int CaptionWidth, int LineHeight,
                                const TubBarManagerSizes& Sizes, int FontHeight, bool ShowCaption) const;
    virtual void DrawSubMenuBackground(HDC DC, const RECT& R, int GlyphColumnWidth, bool ShowsRarelyUsed) const;
    virtual int GetSubMenuSeparatorOffset(int A) const { return (A - 6) / 2; }
    virtual void DeflateSubMenuRect(RECT& R) const { InflateRect(&R, -3, -3); }
    virtual int GetCaptionPartWidth(int TextWidth, int /*GlyphColumnWidth*/, bool /*OnSubMenu*/) const {
        return TextWidth + 6;
    }
    // The box of an edit or combo item; R comes back as the inside, where the text goes.
    virtual void DrawEditBox(HDC DC, RECT& R, const TubBarItemPaintState& State) const;
    // The drop-down button of a combo item at the right of its edit area.
    virtual void DrawComboButton(HDC DC, const RECT& R, bool DroppedDown, const TubBarItemPaintState& State) const;
    // The arrow part of a drop-down button.
    virtual void DrawDropDownArrowPart(HDC /*DC*/, const RECT& /*R*/, const TubBarItemPaintState& /*State*/) const {}
    // A filled triangle pointing down, half the rectangle's width (made odd) wide, centred.
    void DrawComboArrow(HDC DC, const RECT& R, TColor Color) const;
    virtual DWORD GetEditStyle() const;
    // Called when the inner edit window is placed.
    virtual void SetEditMargins(HWND /*Edit*/) const {}
    // After the item wrote the inner edit's text: selects all of it.
    virtual void EditTextSet(HWND Edit, bool Changed) const;
    virtual int GetProgressBarSize() const { return 12; }
    // The filled part is clamped to the rectangle whatever the position and range.
    void DrawProgressBar(HDC DC, int Position, int Min, int Max, bool Solid, bool Vertical, TColor Color, const RECT& R,
                         HBRUSH Background) const;
    // The filled length of a progress bar of that length.
    static int ProgressFilledLength(int Length, int Position, int Min, int Max);
};

class TubBarItemControlFlatPainter : public TubBarItemControlPainter {
public:
    int GetArrowWidth(const TubBarManager* AManager) const override;
    int GetLargeArrowWidth(const TubBarManager* AManager) const override;
    void DrawButtonBackground(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const override;
    void DrawCheckMarkGlyph(HDC DC, int Scale, int Top, int Left, bool Enabled) const override;
    bool FlatText() const override { return true; }
    void DrawMenuLine(HDC DC, const RECT& R, const std::string& Caption,
                      const TubBarItemPaintState& State) const override;
    HBRUSH GetButtonBrush(const TubBarItemPaintState& State) const override;
    int GetMenuGlyphIndent(int LineHeight, bool OnSubMenu) const override { return OnSubMenu ? LineHeight + 3 : 0; }
    HBRUSH GetBarBrush(const TubBarItemPaintState& State) const override;
    HBRUSH GetSelectedBrush(const TubBarItemPaintState& State) const override;
    int GetEditHeightAddition() const override { return 7; }
    int GetGripSize() const override { return 5; }
    int GetGripOffset() const override { return (GetGripSize() - 1) / 2; }
    bool RepaintAfterDropDown() const override { return true; }
    int GetHalfFontHeight(int FontHeight, const TubBarItemPaintState& State) const override;
    int GetSubItemWidth(const TubBarItemPaintState& State, int CaptionWidth, int LineHeight,
                        const TubBarManagerSizes& Sizes, int FontHeight, bool ShowCaption) const override;
    int GetSubMenuSeparatorOffset(int A) const override;
    void DeflateSubMenuRect(RECT& R) const override { InflateRect(&R, -2, -2); }
    int GetCaptionPartWidth(int TextWidth, int /*GlyphColumnWidth*/, bool /*OnSubMenu*/) const override {
        return TextWidth + 11;
    }
    DWORD GetEditStyle() const override;
    void SetEditMargins(HWND Edit) const override;
    void EditTextSet(HWND Edit, bool Changed) const override;
    int GetProgressBarSize() const override { return 9; }

    // ---- added by the flat look
    virtual void DrawSelectionFrame(HDC DC, const RECT& R) const;
    virtual HBRUSH GetFrameBrush() const;
    // The frame of a button whose menu is open, left open on the side that touches the menu.
    virtual void DrawJoinFrame(HDC DC, const RECT& R, const RECT& MenuRect) const;
    virtual HBRUSH GetSeparatorBrush() const;
};

class TubBarItemControlOffice11Painter : public TubBarItemControlFlatPainter {
public:
    void DrawButtonBackground(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const override;
    TColor GetFadedColor(const TubBarManager* AManager) const override;
    void DrawSubMenuArrow(HDC DC, const RECT& R, bool Enabled, bool Selected) const override;
    TColor GetTextColors(bool Enabled, bool Flat, bool Selected) const override;
    void GetDisabledTextColor(bool Enabled, TColor& Text, TColor& Back) const override;
    void DrawMenuLine(HDC DC, const RECT& R, const std::string& Caption,
                      const TubBarItemPaintState& State) const override;
    int GetFloatingFrameWidth() const override { return 3; }
    bool PaintBackgroundFirst() const override { return true; }
    void DrawBarBackground(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    void DrawClientBackground(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    HBRUSH GetBarBrush(const TubBarItemPaintState& State) const override;
    HBRUSH GetSelectedBrush(const TubBarItemPaintState& State) const override;
    int GetComboButtonWidth(int /*ZeroWidth*/) const override { return 13; }
    RECT GetBarMargins(const TubBarItemPaintState& State) const override;
    void DrawSeparator(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    void DrawSubMenuBackground(HDC DC, const RECT& R, int GlyphColumnWidth, bool ShowsRarelyUsed) const override;
    void DeflateSubMenuRect(RECT& R) const override { InflateRect(&R, -2, -4); }
    int GetCaptionPartWidth(int TextWidth, int GlyphColumnWidth, bool OnSubMenu) const override {
        return TextWidth + 11 + (OnSubMenu ? GlyphColumnWidth + 1 : 0);
    }
    void DrawEditBox(HDC DC, RECT& R, const TubBarItemPaintState& State) const override;
    void DrawComboButton(HDC DC, const RECT& R, bool DroppedDown, const TubBarItemPaintState& State) const override;
    void DrawDropDownArrowPart(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    void DrawSelectionFrame(HDC DC, const RECT& R) const override;
    HBRUSH GetFrameBrush() const override;
    HBRUSH GetSeparatorBrush() const override;
};

using TubBarPainterClass = const TubBarItemControlPainter*;

template <class TPainter>
TubBarPainterClass BarPainterClass() {
    static const TPainter painter;
    return &painter;
}

// The painter of a manager's look. The classic and enhanced looks draw with the base painter for now; the
// native look without themes is the enhanced look.
TubBarPainterClass BarPainterOf(const TubBarManager* AManager);
// Frees the brushes the painters made from palette colours (the bar unit's shutdown).
void FreeBarPainterBrushes();

}  // namespace zel
