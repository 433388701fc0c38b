#pragma once
// The painters of the bar library: every drawing and most sizes of bars, menus and item controls go through
// the painter of the manager's look. Painters hold no state; each class has one shared instance, and the
// manager's look is referred to by it (TubBarPainterClass). The base painter draws the classic look with
// system colours; the Flat painter draws one-pixel frames and the manager's flat brushes; the Office11 painter
// (the main window's look) draws the Office-2003 gradients of the shared palette.
// The bodies, one source per painter: ubBarPainters.cpp (the base painter and the choice of painter),
// ubBarPaintersFlat.cpp, ubBarPaintersOffice11.cpp (with the Office-2003 roles and their brushes),
// ubBarPaintersXP.cpp (the look drawn by visual styles).
#include <string>

#include "platform/win/Graphics.h"
#include "platform/win/SysInfo.h"
#include "platform/win/WinTypes.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarTypes.h"
#include "uilib/base/ubOffice11.h"

namespace zel {

class TBitmap;
class TCustomImageList;

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
    // The face of a button that has a drop-down arrow part beside it.
    bool DropDownFace = false;
    bool Enabled = true;
    bool Customizing = false;
    bool HasGlyph = false;
    bool GlyphFits = true;
    const TubBarManager* Manager = nullptr;
    // The bar window's own background brush for the parts an item leaves transparent; nullptr: the bar
    // window has already painted its background there.
    HBRUSH BarBrush = nullptr;
    RECT OpenMenuRect{};  // where the open menu lies (MenuOpen)
    // ---- the bar window
    bool Rotated = false;                     // a vertical bar whose captions run upright
    TubBarDockingStyle DockingStyle = dsTop;  // dsNone: floating
    int LineHeight = 0;                       // L: the text height of "0" in the bar font + 6
    int ArrowSize = 4;                        // L / 5, at least 4
    int FontHeight = 0;                       // the bar font's height in pixels
    bool LargeFont = false;                   // the bar font is 16 points or larger
    bool ActiveCaption = true;                // a floating bar's caption drawn active
    int BorderStyle = 1;                      // the bar's border style (0: none)
};

// The manager sizes a painter decides: button sizes around the glyph and the drop-down arrow.
struct TubBarManagerSizes {
    int GlyphSize = 16;
    int ButtonWidth = 23;
    int ButtonHeight = 22;
    int ArrowWidth = 11;
};

// The glyph an item shows: its own bitmap, else an image of the list.
struct TubBarGlyph {
    TCustomImageList* Images = nullptr;  // the large list outside menus when large icons are on
    int ImageIndex = -1;
    TBitmap* Bitmap = nullptr;
    bool UseDisabledImages = false;  // a disabled item shows an image of a disabled list as it stands
    TColor FadedColor = clNone;      // the tint of a disabled glyph; clNone: the embossed look
    bool Large = false;              // large icons outside menus
    bool HasLargeImages = false;     // large icons come from a list of large images
};

// Sizes of a drop-down menu's lines, measured from its font.
struct TubSubMenuMetrics {
    int LineHeight = 0;
    int GlyphColumn = 0;  // the width of the glyph column
    int TextHeight = 0;
};

// The painter interface and the classic look. Operations come in six groups, in slot order; the unnamed
// answers of the look are named by what they tell.
class TubBarItemControlPainter {
public:
    virtual ~TubBarItemControlPainter() = default;

    // Glyph 16, or the large list's width (32 without one) with large icons; buttons around it.
    TubBarManagerSizes ManagerSizes(const TubBarManager* AManager) const;

    // ================================================================ 1. button and glyph drawing
    // Down, pressed, hot or framed: what lies under the glyph and caption. Empty in the classic look.
    virtual void DrawButtonBackground(HDC /*DC*/, const RECT& /*R*/, HBRUSH /*Brush*/,
                                      const TubBarItemPaintState& /*State*/) const {}
    // The 9 x 7 check mark (18 x 14 at scale 2) at its top-left.
    virtual void DrawCheckMarkGlyph(HDC DC, int Scale, int Top, int Left, bool Enabled) const;
    // The glyph area without a glyph: its background, and the check mark of a down sub-menu entry (scale 2
    // for a bar font of 16 points or more).
    virtual void DrawEmptyGlyphArea(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State,
                                    bool LargeFont) const;
    // The background (unless the bar window paints its own), then the glyph, disabled or faded.
    virtual void DrawButtonContent(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State,
                                   const TubBarGlyph& Glyph, const RECT& GlyphRect) const;
    // The arrow of a sub-menu entry, pointing right, centred in the rectangle.
    virtual void DrawSubMenuArrow(HDC DC, const RECT& R, bool Enabled, bool Selected) const;
    // The same arrow in the colours of the item's state.
    virtual void DrawSubMenuArrowColored(HDC DC, const RECT& R, bool Enabled, bool Selected) const {
        DrawSubMenuArrow(DC, R, Enabled, Selected);
    }
    // The caption colours of an edit's text drawn without its window: text and background.
    virtual void GetDisabledTextColor(bool Enabled, TColor& Text, TColor& Back) const;
    virtual TColor GetFadedColor(const TubBarManager* AManager) const;
    // Text colour of an item caption; clNone for the embossed disabled look.
    virtual TColor GetTextColors(bool Enabled, bool Flat, bool Selected) const;
    virtual bool FlatText() const { return false; }
    // Whether the main menu's sub-items keep their caption in place when pressed.
    virtual bool HighlightsMainMenuSubItems() const { return false; }
    virtual bool DrawsThemedParts() const { return false; }
    virtual bool IsSmallCaption(const RECT& R) const { return R.bottom - R.top < 17; }

    // ================================================================ 2. floating-bar caption
    virtual TColor GetCaptionColor(bool Active) const { return Active ? clActiveCaption : clInactiveCaption; }
    virtual TColor GetCaptionTextColor() const { return clCaptionText; }
    virtual TColor GetInactiveCaptionTextColor(bool /*Hot*/, bool /*Pressed*/) const { return clCaptionText; }
    virtual void DrawCaptionBackground(HDC DC, const RECT& R, const TubBarItemPaintState& State) const;
    // The drag caption of a menu that tears off as a bar: the caption band as the look's floating bar draws
    // it, active.
    virtual void DrawDragCaption(HDC DC, const RECT& R, const TubBarItemPaintState& State) const;
    // A cross of two strokes, drawn as polygons.
    virtual void DrawCloseGlyph(HDC DC, const RECT& R, TColor Color) const;
    virtual void BeforeCaptionParts(HDC /*DC*/, const RECT& /*R*/, const TubBarItemPaintState& /*State*/) const {}
    virtual void AfterCaptionButton(HDC /*DC*/, const RECT& /*R*/, const TubBarItemPaintState& /*State*/) const {}
    // The caption's close button in its state.
    virtual void DrawCaptionButtons(HDC DC, const RECT& ButtonRect, bool Hot, bool Pressed,
                                    const TubBarItemPaintState& State) const;
    virtual int GetCaptionButtonOffset(int CaptionButtonArea) const { return CaptionButtonArea + 3; }
    virtual int GetCaptionButtonSize(const TubBarItemPaintState& /*State*/) const { return 18; }
    // A filled triangle pointing down, half the rectangle's width (made odd) wide, centred.
    virtual void DrawComboArrow(HDC DC, const RECT& R, TColor Color) const;
    // The toolbar's mark for the buttons that do not fit: arrows under a region cut to the mark's shape.
    virtual void DrawMark(HDC DC, const RECT& R, bool HasHiddenLinks, const TubBarItemPaintState& State) const;
    // Two chevrons (hidden buttons) and a small down arrow (the customize menu).
    virtual void DrawMarkArrows(HDC DC, const RECT& R, bool HasHiddenLinks, TColor Color,
                                const TubBarItemPaintState& State) const;
    virtual void AfterMark(HDC /*DC*/, const RECT& /*R*/, const TubBarItemPaintState& /*State*/) const {}
    virtual void DrawCaptionText(HDC DC, const RECT& R, const std::string& Text, TColor Color) const;

    // ================================================================ 3. item drawing core
    // Opaque: the brush fills the rectangle; otherwise the bar's own background shows through.
    virtual void FillControlBackground(HDC DC, const RECT& R, HBRUSH Brush, bool Opaque,
                                       const TubBarItemPaintState& State) const;
    // The same for a one-pixel frame only.
    virtual void FrameControlBackground(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const;
    virtual void DrawSeparatorFill(HDC DC, const RECT& R) const;
    // The glyph area of a toolbar button or menu line: the glyph centred in R, moved when pressed or down.
    virtual void DrawGlyphButton(HDC DC, const RECT& R, const TubBarItemPaintState& State, const TubBarGlyph& Glyph,
                                 bool InMenu) const;
    // Background and glyph; the glyph only where it fits with 2 pixels to spare.
    virtual void DrawGlyphButtonParts(HDC DC, const RECT& R, const TubBarItemPaintState& State,
                                      const TubBarGlyph& Glyph, const RECT& GlyphRect) const;
    // The line behind a menu entry with its glyph column. Empty in the classic look.
    virtual void DrawMenuLine(HDC /*DC*/, const RECT& /*R*/, const std::string& /*Caption*/,
                              const TubBarItemPaintState& /*State*/) const {}
    // A caption on one line, vertically centred; disabled text embossed in two passes unless flat text is
    // allowed both by the painter and the caller. Vertical text (a rotated font selected) is centred and its
    // accelerator underlined by hand.
    virtual void DrawItemText(HDC DC, const RECT& R, const std::string& Text, bool Enabled, bool Selected,
                              UINT Alignment, bool AllowFlat = true, bool Horizontal = true) const;
    virtual void DrawLoweredFrame(HDC /*DC*/, RECT& /*R*/) const {}
    virtual void DrawEditBorder(HDC DC, RECT& R) const;
    virtual void DrawEditFrame(HDC /*DC*/, RECT& /*R*/, const TubBarItemPaintState& /*State*/) const {}
    // The colour value and brush of an item's inside.
    virtual void GetItemColors(const TubBarItemPaintState& State, int& ColorValue, HBRUSH& Brush) const;
    virtual HBRUSH GetButtonBrush(const TubBarItemPaintState& State) const;
    virtual int GetPressedGlyphOffsetX() const { return 0; }
    virtual int GetPressedGlyphOffsetY() const { return 0; }
    virtual int GetDownGlyphOffset() const { return 0; }
    virtual bool DrawsItemBackground() const { return true; }
    virtual int GetLoweredBorderWidth() const { return 0; }
    virtual int GetMenuGlyphIndent(int LineHeight, bool OnSubMenu) const { return OnSubMenu ? LineHeight + 1 : 0; }
    virtual int GetItemFrameWidth() const { return 0; }

    // ================================================================ 4. bar metrics and backgrounds
    virtual int GetFloatingFrameWidth() const;
    virtual int GetFloatingFrameHeight() const;
    virtual int GetFloatingCaptionIndent() const { return 0; }
    virtual int GetFloatingBorderIndent() const { return 0; }
    virtual int GetBorderSize() const { return 3; }
    // ButtonArrowWidth (doubled with large icons), made odd.
    virtual int GetArrowWidth(const TubBarManager* AManager) const;
    virtual int GetLargeArrowWidth(const TubBarManager* AManager) const;
    virtual int GetGripIndent() const { return 0; }
    // The body of a bar window (docked toolbar, menu bar).
    virtual void DrawBarBackground(HDC DC, const RECT& R, const TubBarItemPaintState& State) const;
    virtual bool PaintBackgroundFirst() const { return false; }
    // Whether a toolbar draws a frame around its item controls.
    virtual bool BarHasFrameForControl() const { return false; }
    virtual HBRUSH GetManagerBrush(const TubBarItemPaintState& State) const { return GetBarBrush(State); }
    // The bar's background within the bar's bounds.
    virtual void DrawBarBackgroundRect(HDC DC, const RECT& R, const RECT& BarBounds,
                                       const TubBarItemPaintState& State) const;
    virtual void DrawClientBackground(HDC DC, const RECT& R, const TubBarItemPaintState& State) const;
    // The bar window's area left over by its items.
    virtual void FillBarRect(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
        DrawBarBackground(DC, R, State);
    }
    virtual bool HasFloatingLook() const { return false; }
    virtual HBRUSH GetBarBrush(const TubBarItemPaintState& State) const;
    virtual HBRUSH GetDockBrush(const TubBarItemPaintState& State) const;
    virtual HBRUSH GetBackgroundBrush(const TubBarItemPaintState& State) const;
    virtual HBRUSH GetButtonFaceBrush(const TubBarItemPaintState& State) const;
    virtual HBRUSH GetSelectedBrush(const TubBarItemPaintState& State) const;
    virtual int GetComboButtonWidth(int ZeroWidth) const { return 2 * ZeroWidth - 1; }
    virtual int GetEditHeightAddition() const { return 6; }
    virtual int GetEditHeight(int TextHeight) const { return TextHeight + GetEditHeightAddition(); }
    virtual bool DrawsBarShadow() const { return false; }
    virtual bool AllowsQuickCustomizing() const { return false; }
    virtual int GetGripOffset() const { return (GetGripSize() - 2) / 2; }
    virtual int GetGripSize() const { return 6; }
    // The grip's 16-pixel strip across the start of a docked bar.
    virtual RECT GetGripRect(const RECT& BarRect, const TubBarItemPaintState& State) const;
    virtual int GetGripSpace() const { return 1; }
    virtual RECT GetBarMargins(const TubBarItemPaintState& State) const;
    virtual int GetSmallCaptionHeightPlusOne() const { return GetSmallCaptionHeight() + 1; }
    virtual void DrawBarFrame(HDC DC, const RECT& R, HBRUSH Brush) const;
    // The system's small-caption height.
    virtual int GetSmallCaptionHeight() const;
    virtual bool CaptionButtonsInFrame() const { return false; }
    virtual SIZE GetCaptionButtonsSize() const;

    // ================================================================ 5. bar drawing
    virtual void DrawSeparator(HDC DC, const RECT& R, const TubBarItemPaintState& State) const;
    virtual void DrawMarkBackground(HDC DC, const RECT& R, bool Hot, bool Pressed,
                                    const TubBarItemPaintState& State) const;
    virtual void DrawCloseButton(HDC /*DC*/, const RECT& /*R*/, bool /*Hot*/, bool /*Pressed*/,
                                 const TubBarItemPaintState& /*State*/) const {}
    // The border and grip of a docked bar. Empty in the classic look.
    virtual void DrawBarBorder(HDC /*DC*/, const RECT& /*R*/, HBRUSH /*Brush*/,
                               const TubBarItemPaintState& /*State*/) const {}
    // The frame of a floating bar, inside the window's rectangle. Empty in the classic look.
    virtual void DrawFloatingFrame(HDC /*DC*/, const RECT& /*R*/, HBRUSH /*Brush*/,
                                   const TubBarItemPaintState& /*State*/) const {}
    // The frame of the quick-customization window, inside the window's rectangle: the look's floating frame
    // over the bar brush, without a caption.
    virtual void DrawQuickWindowFrame(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const;
    // The caption of a floating bar in the system caption font.
    virtual void DrawFloatingCaption(HDC DC, const RECT& R, const std::string& Caption,
                                     const TubBarItemPaintState& State) const;
    virtual void DrawCaptionCloseGlyph(HDC DC, const RECT& R, TColor Color) const { DrawCloseGlyph(DC, R, Color); }
    virtual void DrawCaptionParts(HDC DC, const RECT& ButtonRect, bool Hot, bool Pressed,
                                  const TubBarItemPaintState& State) const;
    virtual void DrawCaptionButton(HDC /*DC*/, const RECT& /*R*/, bool /*Hot*/, bool /*Pressed*/,
                                   const TubBarItemPaintState& /*State*/) const {}
    virtual void DrawBarGrip(HDC DC, const RECT& R, const TubBarItemPaintState& State) const;
    virtual void FillWithBarBackground(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
        DrawBarBackground(DC, R, State);
    }
    virtual int GetSizeGripIndent() const { return 0; }
    virtual RECT GetSizeGripRectHook(const RECT& BarRect, const TubBarItemPaintState& State) const {
        return GetSizeGripRect(BarRect, State);
    }
    // Where a toolbar's size grip lies. None in the classic look.
    virtual RECT GetSizeGripRect(const RECT& /*BarRect*/, const TubBarItemPaintState& /*State*/) const {
        return RECT{};
    }
    // A docked bar invalidates its size grip's rectangle (client coordinates); a floating one repaints its
    // frame.
    virtual void InvalidateGripArea(HWND Bar, const RECT& GripRect, const TubBarItemPaintState& State) const;
    virtual int GetMarkIndentLeft() const { return 0; }
    virtual int GetMarkIndentTop() const { return 0; }
    virtual int GetMarkIndentRight() const { return 0; }
    virtual int GetMarkIndentBottom() const { return 0; }
    // The bar's background bitmap tiled from the bar's origin, or the brush.
    virtual void DrawBitmapBackground(HDC DC, const RECT& R, const RECT& Origin, TBitmap* Bitmap, HBRUSH Brush) const;
    virtual SIZE GetSizeGripSize(const TubBarItemPaintState& State) const;
    virtual int GetSeparatorSize() const { return 2; }
    virtual HBRUSH GetDockBrushHook(const TubBarItemPaintState& State) const { return GetDockBrush(State); }
    // The square at a line's left whose side is the line's height.
    virtual RECT GetGlyphSquare(const RECT& Line) const;
    virtual void AfterBarDrawn(HDC /*DC*/, const RECT& /*R*/, const TubBarItemPaintState& /*State*/) const {}
    virtual bool DrawsDockedShadow() const { return false; }

    // ================================================================ 6. items and sub-menus
    virtual int GetButtonHeightAddition() const { return 6; }
    virtual int GetButtonWidthAddition() const { return 7; }
    virtual int AdjustMenuLineHeight(int Height) const { return Height; }
    virtual int AdjustMenuLineWidth(int Width) const { return Width; }
    // The arrow part of a drop-down button. Empty in the classic look.
    virtual void DrawDropDownArrowPart(HDC /*DC*/, const RECT& /*R*/, const TubBarItemPaintState& /*State*/) const {}
    // Whether a button or sub-item repaints itself after its menu opened.
    virtual bool RepaintAfterDropDown() const { return false; }
    virtual void OffsetPressedGlyph(RECT& /*R*/, const TubBarItemPaintState& /*State*/) const {}
    virtual void OffsetPressedItemGlyph(RECT& /*R*/, const TubBarItemPaintState& /*State*/) const {}
    virtual int GetSubMenuArrowSpace() const { return 1; }
    // The drop-down button of a combo item at the right of its edit area.
    virtual void DrawComboButton(HDC DC, const RECT& R, bool DroppedDown, const TubBarItemPaintState& State) const;
    virtual void GetComboButtonColors(const TubBarItemPaintState& State, int& ColorValue, HBRUSH& Brush) const {
        GetItemColors(State, ColorValue, Brush);
    }
    virtual int GetMenuTextOffset() const { return 0; }
    virtual void DrawMenuSeparator(HDC /*DC*/, const RECT& /*R*/, const TubBarItemPaintState& /*State*/) const {}
    // Half the bar font's height, rounded up.
    virtual int GetHalfFontHeight(int FontHeight, const TubBarItemPaintState& State) const;
    // The height of a sub-item.
    virtual int GetSubItemHeight(const TubBarItemPaintState& State, int LineHeight, const TubBarManagerSizes& Sizes,
                                 bool ShowCaption) const;
    // The width of a sub-item: L the bar window's line height, the manager's button sizes, the bar font's
    // height, and whether it shows its caption.
    virtual int GetSubItemWidth(const TubBarItemPaintState& State, int CaptionWidth, int LineHeight,
                                const TubBarManagerSizes& Sizes, int FontHeight, bool ShowCaption) const;
    // A sub-item: a menu line with its arrow on a sub-menu; glyph, caption and a small down arrow on a
    // toolbar (none on the main menu).
    virtual void DrawSubItem(HDC DC, const RECT& R, const std::string& Caption, bool ShowCaption,
                             const TubBarItemPaintState& State, const TubBarGlyph& Glyph) const;
    virtual int GetSubMenuBorder() const { return 2; }
    virtual int GetSubMenuBarSize() const { return 10; }
    virtual int GetSubMenuIndent() const { return 3; }
    // The lines' sizes from the text height of "0" in the menu's font.
    virtual TubSubMenuMetrics CalcSubMenuMetrics(int TextHeight) const;
    // A drop-down menu's client rectangle inside its border.
    virtual RECT GetSubMenuClientRect(const RECT& WindowRect) const;
    // A drop-down menu's size from its measured lines (both 0 when nothing was measured).
    virtual SIZE AdjustSubMenuSize(SIZE Measured, const TubSubMenuMetrics& Metrics) const;
    virtual int GetSubMenuHeaderHeight(int Measure) const { return Measure + 3; }
    // The menu area left by its lines.
    virtual void DrawSubMenuItems(HDC DC, const RECT& R, int GlyphColumnWidth, bool ShowsRarelyUsed) const {
        DrawSubMenuBackground(DC, R, GlyphColumnWidth, ShowsRarelyUsed);
    }
    virtual void DrawSubMenuBackground(HDC DC, const RECT& R, int GlyphColumnWidth, bool ShowsRarelyUsed) const;
    virtual void DrawSubMenuEdge(HDC DC, const RECT& R) const;
    // The window frame of a drop-down menu, inside its rectangle.
    virtual void DrawSubMenuFrame(HDC DC, const RECT& R, HBRUSH Brush) const;
    virtual void FillSubMenuPart(HDC DC, const RECT& R, bool Hot, bool Pressed) const;
    virtual void DrawSubMenuSeparator(HDC DC, const RECT& R, int GlyphColumnWidth) const;
    virtual void AfterSubMenuDrawn(HDC /*DC*/, const RECT& /*R*/) const {}
    virtual bool SubMenuHasShadow() const { return false; }
    virtual int GetSubMenuSeparatorOffset(int A) const { return (A - 6) / 2; }
    virtual int GetSubMenuSeparatorSize() const { return 1; }
    virtual void DeflateSubMenuRect(RECT& R) const { InflateRect(&R, -3, -3); }
    virtual void BeforeSubMenuDrawn(HDC /*DC*/, const RECT& /*R*/) const {}
    virtual HBRUSH GetSubMenuBrush() const { return GetSysColorBrush(COLOR_BTNFACE); }
    // A list line: the canvas brush, the text 2 pixels in.
    virtual void DrawListItem(HDC DC, const RECT& R, const std::string& Text, HBRUSH Brush, TColor TextColor) const;
    // A combo's entry (Index -1: the item's own text).
    virtual void DrawComboItem(HDC DC, const RECT& R, const std::string& EntryText, HBRUSH Brush,
                               TColor TextColor) const {
        DrawListItem(DC, R, EntryText, Brush, TextColor);
    }
    virtual int GetCaptionPartWidth(int TextWidth, int /*GlyphColumnWidth*/, bool /*OnSubMenu*/) const {
        return TextWidth + 6;
    }
    // The box of an edit or combo item; R comes back as the inside, where the text goes.
    virtual void DrawEditBox(HDC DC, RECT& R, const TubBarItemPaintState& State) const;
    // The caption part left of an edit's box.
    virtual void DrawEditCaption(HDC DC, const RECT& R, const std::string& Caption,
                                 const TubBarItemPaintState& State) const;
    // The edit's text while its window is hidden, clipped to R.
    virtual void DrawEditText(HDC DC, const RECT& R, const std::string& Text, const TubBarItemPaintState& State) const;
    // The window style of the inner edit window.
    virtual DWORD GetEditStyle() const;
    // Called when the inner edit window is placed.
    virtual void SetEditMargins(HWND /*Edit*/) const {}
    // After the item wrote the inner edit's text: selects all of it.
    virtual void EditTextSet(HWND Edit, bool Changed) const;
    virtual void DrawEditFace(HDC DC, const RECT& R, const TubBarItemPaintState& State) const;
    // The drop-down band of resizable drop-down windows.
    virtual void AdjustDropDownClientRect(RECT& R, bool HasBand, int Corner) const;
    virtual void DrawDropDownNonClient(HWND Window, bool HasBand, int Corner, RECT& GripRect, RECT& CloseRect,
                                       bool CloseHot, bool ClosePressed) const;
    virtual int GetDropDownFooterHeight() const;
    virtual bool DropDownFlat() const { return false; }
    virtual void DrawCheckBox(HDC DC, const RECT& R, bool Checked, bool Enabled) const;
    virtual TColor GetCheckBoxBackColor() const { return clBtnFace; }
    virtual void DrawSpinButton(HDC DC, const RECT& R, bool Up, bool Pressed, bool Enabled) const;
    virtual void DrawSpinFrame(HDC DC, const RECT& R, const TubBarItemPaintState& State) const;
    virtual TColor GetProgressColor() const { return clHighlight; }
    virtual int GetProgressBarSize() const { return 12; }
    // The filled part is clamped to the rectangle whatever the position and range.
    virtual void DrawProgressBar(HDC DC, int Position, int Min, int Max, bool Solid, bool Vertical, TColor Color,
                                 const RECT& R, HBRUSH Background) const;
    virtual bool ProgressBarFramed() const { return false; }
    virtual bool StaticFramed() const { return false; }
    virtual HBRUSH GetProgressBackgroundBrush() const { return GetSysColorBrush(COLOR_BTNSHADOW); }
    // A static item's caption.
    virtual void DrawStatic(HDC DC, const RECT& R, const std::string& Caption, UINT Alignment,
                            const TubBarItemPaintState& State) const;

    // ---- helpers of the operations above
    // Where the check mark goes in a glyph area.
    static POINT CheckMarkOrigin(const RECT& R, int Scale);
    // A glyph is drawn only where it fits with 2 pixels to spare.
    static bool GlyphFits(const RECT& Area, SIZE Glyph);
    // The size a glyph is drawn at in R.
    SIZE GlyphSize(const TubBarGlyph& Glyph, const TubBarItemPaintState& State, bool InMenu) const;
    // The filled length of a progress bar of that length.
    static int ProgressFilledLength(int Length, int Position, int Min, int Max);
};

// The classic three-dimensional look (bmsStandard): raised and sunken edges in system colours.
class TubBarItemControlStandardPainter : public TubBarItemControlPainter {
public:
    // 1.
    // A raised edge when hot (outside a menu), a sunken one when pressed or down.
    void DrawButtonBackground(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const override;
    // The mark in silver one pixel right, then in the highlight or shadow colour (by the button face).
    void DrawCheckMarkGlyph(HDC DC, int Scale, int Top, int Left, bool Enabled) const override;
    bool IsSmallCaption(const RECT& /*R*/) const override { return false; }
    // 3.
    // An etched line: the highlight one pixel right and down, then the shadow.
    void DrawSeparatorFill(HDC DC, const RECT& R) const override;
    // The glyph square and the line in the bar's brush, or the selection brush when hot.
    void DrawMenuLine(HDC DC, const RECT& R, const std::string& Caption,
                      const TubBarItemPaintState& State) const override;
    void DrawLoweredFrame(HDC DC, RECT& R) const override;
    void DrawEditFrame(HDC DC, RECT& R, const TubBarItemPaintState& State) const override;
    HBRUSH GetButtonBrush(const TubBarItemPaintState& State) const override;
    int GetPressedGlyphOffsetX() const override { return 1; }
    int GetPressedGlyphOffsetY() const override { return 1; }
    int GetDownGlyphOffset() const override { return 1; }
    int GetLoweredBorderWidth() const override { return 1; }
    // 5.
    void DrawCloseButton(HDC DC, const RECT& R, bool Hot, bool Pressed,
                         const TubBarItemPaintState& State) const override;
    // A raised edge, then two button-face frames inside.
    void DrawFloatingFrame(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const override;
    // A raised inner edge with a highlight pixel at the outer corner, filled with the button face.
    void DrawBarGrip(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    // 9 x 11 at the bottom right of a bar docked left or right, 11 x 9 at the top right otherwise.
    RECT GetSizeGripRect(const RECT& BarRect, const TubBarItemPaintState& State) const override;
    // 6.
    void DrawDropDownArrowPart(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    void DrawComboButton(HDC DC, const RECT& R, bool DroppedDown, const TubBarItemPaintState& State) const override;
    void OffsetPressedGlyph(RECT& R, const TubBarItemPaintState& State) const override;
    void OffsetPressedItemGlyph(RECT& R, const TubBarItemPaintState& State) const override;
    void DrawMenuSeparator(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    void FillSubMenuPart(HDC DC, const RECT& R, bool Hot, bool Pressed) const override;
    // 2 pixels left and right of an edit's text.
    void SetEditMargins(HWND Edit) const override;
};

// The Standard look with a flatter grip, a border of the bar's own style and the quick customizing of bars
// (bmsEnhanced, and bmsXP where no visual styles are on).
class TubBarItemControlEnhancedPainter : public TubBarItemControlStandardPainter {
public:
    bool AllowsQuickCustomizing() const override { return true; }
    // An edge for the bar's border style (a frame in the brush without one), the bar's background inside.
    void DrawBarBorder(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const override;
    // Two raised lines with a one-pixel button-face gap, inset one pixel across.
    void DrawBarGrip(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    // The whole bottom edge (11 high) of a bar docked left or right, the whole right edge (11 wide) otherwise.
    RECT GetSizeGripRect(const RECT& BarRect, const TubBarItemPaintState& State) const override;
};

class TubBarItemControlFlatPainter : public TubBarItemControlPainter {
public:
    // 1.
    void DrawButtonBackground(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const override;
    void DrawCheckMarkGlyph(HDC DC, int Scale, int Top, int Left, bool Enabled) const override;
    bool FlatText() const override { return true; }
    // 2.
    TColor GetCaptionTextColor() const override { return clBtnText; }
    int GetCaptionButtonSize(const TubBarItemPaintState& State) const override;
    // 3.
    void DrawMenuLine(HDC DC, const RECT& R, const std::string& Caption,
                      const TubBarItemPaintState& State) const override;
    // The glyph square of a menu line lies one pixel inside the line's frame.
    RECT GetGlyphSquare(const RECT& Line) const override;
    void DrawLoweredFrame(HDC DC, RECT& R) const override;
    void DrawEditFrame(HDC DC, RECT& R, const TubBarItemPaintState& State) const override;
    void GetItemColors(const TubBarItemPaintState& State, int& ColorValue, HBRUSH& Brush) const override;
    HBRUSH GetButtonBrush(const TubBarItemPaintState& State) const override;
    int GetLoweredBorderWidth() const override { return 1; }
    int GetMenuGlyphIndent(int LineHeight, bool OnSubMenu) const override { return OnSubMenu ? LineHeight + 3 : 0; }
    int GetItemFrameWidth() const override { return 1; }
    // 4.
    int GetArrowWidth(const TubBarManager* AManager) const override;
    int GetLargeArrowWidth(const TubBarManager* AManager) const override;
    int GetGripIndent() const override { return GetItemFrameWidth() + GetBorderSize() + 2; }
    HBRUSH GetBarBrush(const TubBarItemPaintState& State) const override;
    HBRUSH GetBackgroundBrush(const TubBarItemPaintState& State) const override { return GetBarBrush(State); }
    HBRUSH GetButtonFaceBrush(const TubBarItemPaintState& State) const override;
    HBRUSH GetSelectedBrush(const TubBarItemPaintState& State) const override;
    int GetEditHeightAddition() const override { return 7; }
    bool AllowsQuickCustomizing() const override { return true; }
    int GetGripOffset() const override { return (GetGripSize() - 1) / 2; }
    int GetGripSize() const override { return 5; }
    // 5.
    void DrawBarBorder(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const override;
    void DrawFloatingFrame(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const override;
    void DrawCaptionButton(HDC DC, const RECT& R, bool Hot, bool Pressed,
                           const TubBarItemPaintState& State) const override;
    RECT GetSizeGripRect(const RECT& BarRect, const TubBarItemPaintState& State) const override;
    // 6.
    int AdjustMenuLineHeight(int Height) const override { return Height + 2; }
    int AdjustMenuLineWidth(int Width) const override { return Width + 9; }
    // The arrow part of a drop-down button: the face's frame and fill for its state, and a small arrow.
    void DrawDropDownArrowPart(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    bool RepaintAfterDropDown() const override { return true; }
    void GetComboButtonColors(const TubBarItemPaintState& State, int& ColorValue, HBRUSH& Brush) const override;
    int GetHalfFontHeight(int FontHeight, const TubBarItemPaintState& State) const override;
    int GetSubItemHeight(const TubBarItemPaintState& State, int LineHeight, const TubBarManagerSizes& Sizes,
                         bool ShowCaption) const override;
    int GetSubItemWidth(const TubBarItemPaintState& State, int CaptionWidth, int LineHeight,
                        const TubBarManagerSizes& Sizes, int FontHeight, bool ShowCaption) const override;
    int GetSubMenuBarSize() const override { return 5; }
    int GetSubMenuIndent() const override { return 2; }
    int GetSubMenuHeaderHeight(int Measure) const override { return Measure + 1; }
    void DrawSubMenuFrame(HDC DC, const RECT& R, HBRUSH Brush) const override;
    // The flat menus stand out by their drop shadow.
    bool SubMenuHasShadow() const override { return true; }
    int GetSubMenuSeparatorOffset(int A) const override;
    void DeflateSubMenuRect(RECT& R) const override { InflateRect(&R, -2, -2); }
    int GetCaptionPartWidth(int TextWidth, int /*GlyphColumnWidth*/, bool /*OnSubMenu*/) const override {
        return TextWidth + 11;
    }
    DWORD GetEditStyle() const override;
    void SetEditMargins(HWND Edit) const override;
    void EditTextSet(HWND Edit, bool Changed) const override;
    bool DropDownFlat() const override { return true; }
    int GetProgressBarSize() const override { return 9; }

    // ---- added by the flat look
    virtual void DrawSelectionFrame(HDC DC, const RECT& R) const;
    virtual HBRUSH GetFrameBrush() const;
    virtual void DrawOwnerFrameHook(HDC DC, const RECT& R, const RECT& MenuRect) const {
        DrawJoinFrame(DC, R, MenuRect);
    }
    // The frame of a button whose menu is open, left open on the side that touches the menu.
    virtual void DrawJoinFrame(HDC DC, const RECT& R, const RECT& MenuRect) const;
    virtual void DrawBarOwnerFrame(HDC DC, const RECT& R) const;
    // The side of an open menu that touches its button: drawn in the menu's brush.
    virtual void DrawSubMenuOwnerSide(HDC DC, const RECT& MenuRect, const RECT& OwnerRect, HBRUSH Brush) const;
    virtual HBRUSH GetSeparatorBrush() const;
};

class TubBarItemControlOffice11Painter : public TubBarItemControlFlatPainter {
public:
    // 1.
    void DrawButtonBackground(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const override;
    void DrawSubMenuArrow(HDC DC, const RECT& R, bool Enabled, bool Selected) const override;
    void DrawSubMenuArrowColored(HDC DC, const RECT& R, bool Enabled, bool Selected) const override;
    void GetDisabledTextColor(bool Enabled, TColor& Text, TColor& Back) const override;
    TColor GetFadedColor(const TubBarManager* AManager) const override;
    TColor GetTextColors(bool Enabled, bool Flat, bool Selected) const override;
    // 2.
    TColor GetCaptionColor(bool Active) const override;
    TColor GetCaptionTextColor() const override;
    TColor GetInactiveCaptionTextColor(bool Hot, bool Pressed) const override;
    // 3.
    void DrawMenuLine(HDC DC, const RECT& R, const std::string& Caption,
                      const TubBarItemPaintState& State) const override;
    // 4.
    int GetFloatingFrameWidth() const override { return 3; }
    int GetFloatingFrameHeight() const override { return 3; }
    void DrawBarBackground(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    bool PaintBackgroundFirst() const override { return true; }
    HBRUSH GetManagerBrush(const TubBarItemPaintState& State) const override;
    void DrawClientBackground(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    HBRUSH GetBarBrush(const TubBarItemPaintState& State) const override;
    // The docks in the look's button-face colour, the colour the bars' gradient is made from.
    HBRUSH GetDockBrush(const TubBarItemPaintState& State) const override;
    HBRUSH GetBackgroundBrush(const TubBarItemPaintState& State) const override;
    HBRUSH GetButtonFaceBrush(const TubBarItemPaintState& State) const override;
    HBRUSH GetSelectedBrush(const TubBarItemPaintState& State) const override;
    int GetComboButtonWidth(int /*ZeroWidth*/) const override { return 13; }
    RECT GetBarMargins(const TubBarItemPaintState& State) const override;
    // 5.
    void DrawSeparator(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    void DrawFloatingFrame(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const override;
    void DrawFloatingCaption(HDC DC, const RECT& R, const std::string& Caption,
                             const TubBarItemPaintState& State) const override;
    void DrawBarBorder(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const override;
    void DrawBarGrip(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    RECT GetSizeGripRect(const RECT& BarRect, const TubBarItemPaintState& State) const override;
    void InvalidateGripArea(HWND Bar, const RECT& GripRect, const TubBarItemPaintState& State) const override;
    SIZE GetSizeGripSize(const TubBarItemPaintState& State) const override;
    // 6.
    TubSubMenuMetrics CalcSubMenuMetrics(int TextHeight) const override;
    int GetSubMenuHeaderHeight(int Measure) const override { return Measure + 5; }
    void DrawSubMenuBackground(HDC DC, const RECT& R, int GlyphColumnWidth, bool ShowsRarelyUsed) const override;
    void DrawSubMenuFrame(HDC DC, const RECT& R, HBRUSH Brush) const override;
    void DeflateSubMenuRect(RECT& R) const override { InflateRect(&R, -2, -4); }
    HBRUSH GetSubMenuBrush() const override;
    int GetCaptionPartWidth(int TextWidth, int GlyphColumnWidth, bool OnSubMenu) const override {
        return TextWidth + 11 + (OnSubMenu ? GlyphColumnWidth + 1 : 0);
    }
    void DrawEditBox(HDC DC, RECT& R, const TubBarItemPaintState& State) const override;
    void DrawEditCaption(HDC DC, const RECT& R, const std::string& Caption,
                         const TubBarItemPaintState& State) const override;
    void DrawComboButton(HDC DC, const RECT& R, bool DroppedDown, const TubBarItemPaintState& State) const override;
    void DrawDropDownArrowPart(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    HBRUSH GetProgressBackgroundBrush() const override;
    // Flat's additions.
    void DrawSelectionFrame(HDC DC, const RECT& R) const override;
    HBRUSH GetFrameBrush() const override;
    HBRUSH GetSeparatorBrush() const override;

    // ---- added by the Office-2003 look
    // The rows of 2 x 2 dots of a grip.
    virtual void DrawGripDots(HDC DC, bool Vertical, const RECT& R) const;
    // Whether a toolbar draws the size grip of the native look (the manager's flag).
    virtual bool NativeSizeGrip() const { return false; }
};

// The native look under visual styles (bmsXP with themes on): buttons, separators, combo and spin buttons,
// edit boxes, progress bars and caption buttons drawn by the theme's parts, and most sizes asked of the theme.
// A theme that cannot be opened leaves the base look's size. Single operations are those of the Standard and
// Flat looks.
class TubBarItemControlXPPainter : public TubBarItemControlPainter {
public:
    // 1.
    // Cleared first; a hot, pressed or checked main-menu entry in the highlight colour, a selected menu line
    // in the given brush, anything else the toolbar theme's button (or drop-down button face) in its state.
    void DrawButtonBackground(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const override;
    // The edit theme's text and fill colours for the edit's state.
    void GetDisabledTextColor(bool Enabled, TColor& Text, TColor& Back) const override;
    // A 70 % mix of the button shadow into the theme's toolbar colour.
    TColor GetFadedColor(const TubBarManager* AManager) const override;
    bool HighlightsMainMenuSubItems() const override { return true; }
    bool DrawsThemedParts() const override { return true; }
    // 2.
    int GetCaptionButtonSize(const TubBarItemPaintState& State) const override;
    // 3.
    void DrawMenuLine(HDC DC, const RECT& R, const std::string& Caption,
                      const TubBarItemPaintState& State) const override;
    void DrawLoweredFrame(HDC DC, RECT& R) const override;
    int GetPressedGlyphOffsetX() const override { return 1; }
    int GetPressedGlyphOffsetY() const override { return 1; }
    int GetDownGlyphOffset() const override { return 1; }
    int GetLoweredBorderWidth() const override { return 1; }
    // 4.
    int GetBorderSize() const override;
    int GetArrowWidth(const TubBarManager* AManager) const override;
    int GetLargeArrowWidth(const TubBarManager* AManager) const override;
    void DrawBarBackground(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    bool PaintBackgroundFirst() const override { return true; }
    int GetComboButtonWidth(int ZeroWidth) const override;
    int GetEditHeightAddition() const override;
    bool AllowsQuickCustomizing() const override { return true; }
    int GetGripOffset() const override { return (GetGripSize() - 1) / 2; }
    int GetGripSize() const override;
    // 5.
    void DrawSeparator(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    void DrawFloatingFrame(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State) const override;
    void DrawCaptionButton(HDC DC, const RECT& R, bool Hot, bool Pressed,
                           const TubBarItemPaintState& State) const override;
    RECT GetSizeGripRect(const RECT& BarRect, const TubBarItemPaintState& State) const override;
    SIZE GetSizeGripSize(const TubBarItemPaintState& State) const override;
    int GetSeparatorSize() const override;
    // 6.
    int GetButtonHeightAddition() const override;
    int GetButtonWidthAddition() const override;
    int AdjustMenuLineHeight(int Height) const override { return Height + 1; }
    void DrawDropDownArrowPart(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    void DrawComboButton(HDC DC, const RECT& R, bool DroppedDown, const TubBarItemPaintState& State) const override;
    void OffsetPressedGlyph(RECT& R, const TubBarItemPaintState& State) const override;
    void OffsetPressedItemGlyph(RECT& R, const TubBarItemPaintState& State) const override;
    int GetSubMenuSeparatorOffset(int A) const override;
    SIZE AdjustSubMenuSize(SIZE Measured, const TubSubMenuMetrics& Metrics) const override;
    int GetSubMenuHeaderHeight(int Measure) const override { return Measure + 1; }
    void DrawSubMenuBackground(HDC DC, const RECT& R, int GlyphColumnWidth, bool ShowsRarelyUsed) const override;
    // A one-pixel shadow line, then the menu's colour up to its client area.
    void DrawSubMenuFrame(HDC DC, const RECT& R, HBRUSH Brush) const override;
    HBRUSH GetSubMenuBrush() const override { return GetSysColorBrush(COLOR_MENU); }
    int GetCaptionPartWidth(int TextWidth, int /*GlyphColumnWidth*/, bool /*OnSubMenu*/) const override {
        return TextWidth + 11;
    }
    // The edit theme's frame around the content; a menu line that is not selected keeps its background.
    void DrawEditBox(HDC DC, RECT& R, const TubBarItemPaintState& State) const override;
    void DrawEditFace(HDC DC, const RECT& R, const TubBarItemPaintState& State) const override;
    DWORD GetEditStyle() const override;
    void SetEditMargins(HWND Edit) const override;
    void EditTextSet(HWND Edit, bool Changed) const override;
    int GetDropDownFooterHeight() const override;
    void DrawSpinButton(HDC DC, const RECT& R, bool Up, bool Pressed, bool Enabled) const override;
    TColor GetProgressColor() const override;
    int GetProgressBarSize() const override;
    void DrawProgressBar(HDC DC, int Position, int Min, int Max, bool Solid, bool Vertical, TColor Color, const RECT& R,
                         HBRUSH Background) const override;
};

using TubBarPainterClass = const TubBarItemControlPainter*;

template <class TPainter>
TubBarPainterClass BarPainterClass() {
    static const TPainter painter;
    return &painter;
}

// The painter of a manager's look; the native look without themes is the enhanced look. Without a manager:
// the base painter.
TubBarPainterClass BarPainterOf(const TubBarManager* AManager);
// Frees the brushes the painters made from palette colours (the bar unit's shutdown).
void FreeBarPainterBrushes();

}  // namespace zel
