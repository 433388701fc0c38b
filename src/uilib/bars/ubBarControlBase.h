#pragma once
// The base of every bar window: a toolbar or the menu bar, and a drop-down menu. It shows a list of item
// links through their item controls and drives what all bar windows share: the selected (hot) control, hot
// tracking, the menu mode in which the keyboard walks the bar and its menus, pressing and clicking, the
// start of an item drag while customizing, hints and handing the focus back to the form.
#include <string>

#include "platform/vcl/Controls.h"
#include "platform/vcl/VclGraphics.h"
#include "uilib/bars/ubBarItemControlBase.h"
#include "uilib/bars/ubBarTypes.h"
#include "uilib/base/uiClasses.h"

namespace zel {

class TubBar;
class TubBarShadow;
class TubBarDockControl;

// The private message that makes a bar window rebuild its layout.
constexpr UINT WM_UBBAR_REBUILD = 0x8065;

// The state of a bar's mark (a toolbar's chevron, a menu's expand button).
enum TubBarMarkState : std::uint8_t { msNone, msSelected, msPressed };

// The side of a bar window along which it touches the item that opened it.
enum TubBarContactSide : std::uint8_t { csNoContact, csContactLeft, csContactTop, csContactRight, csContactBottom };

// Where a dragged item would drop on a bar window.
struct TubBarDropTarget {
    TubBarItemLink* Link = nullptr;
    bool InItemRect = false;  // else in the separator gap before the link
    bool Vertical = false;    // the bar lays its links out top to bottom
    bool FirstHalf = false;   // the top half of the link when vertical, else the left half
};

// A weak link to an object for the length of a scope: whether a handler freed the object meanwhile.
using TAliveCheck = TuiObjectLinkScope;

class TCustomubBarControl : public TCustomControl {
public:
    // AOwner is the manager (or a component of its form).
    explicit TCustomubBarControl(TComponent* AOwner);
    ~TCustomubBarControl() override;
    std::string ClassName() const override { return "TCustomubBarControl"; }
    void BeforeDestruction() override;

    TubBarManager* BarManager() const;
    TubBarItemLinks* GetItemLinks() const { return itemLinks_; }
    // Shows the list: the old list's controls go, the new list's come.
    void SetItemLinks(TubBarItemLinks* Value);
    // The bar whose links the window shows; nullptr for a menu.
    TubBar* Bar() const;

    TubBarItemControl* SelectedControl() const { return selectedControl_; }
    TubBarItemControl* PressedControl() const { return pressedControl_; }
    bool MenuMode() const { return menuMode_; }
    // A link pressed while customizing, whose drag starts once the pointer leaves the drag rectangle.
    bool DragPending() const { return dragPending_; }
    // Whether the window holds the keyboard and mouse attention (it is in menu mode).
    bool IsActive() const { return menuMode_; }
    TubBarDockingStyle DockingStyle() const { return dockingStyle_; }
    TubBarMarkState MarkState() const { return markState_; }
    int LineHeight() const { return lineHeight_; }
    int TextSpacing() const { return textSpacing_; }
    TCustomubBarControl* ParentBar = nullptr;
    TCustomubBarControl* PrevActive() const { return prevActive_; }
    TCustomubBarControl* ChildMenu = nullptr;
    // Where the last press of a customizing drag went down (client coordinates).
    TPoint PressPoint() const { return pressPoint_; }
    bool IgnoreNextClick = false;
    // Set while one control paints on its own (a toolbar's pair repaint invalidates instead).
    bool PaintingSingleControl = false;
    // Screen rectangle of the item that opened the window; empty for none.
    TRect ShadowExclusion{};
    // The item control at a client point; nullptr for none.
    virtual TubBarItemControl* ItemAtPos(TPoint P) const;
    // The hit control of a client point: the link whose rectangle holds it, inside the client area.
    TubBarItemControl* HitControl(TPoint P);
    // Whether the window is locked against painting single controls.
    bool IsLocked() const;
    // Whether one of the window's links holds the control now.
    bool HoldsControl(const TubBarItemControl* AControl) const;
    // A control of the window is being freed: the selection moves to the successor (or to none).
    void ControlFreed(TubBarItemControl* AControl, TubBarItemControl* ASuccessor);
    // What the painter reads about the window itself.
    TubBarItemPaintState BarPaintState() const;
    // The painter's sizes for the bar font: the height of an edit item and the width of a combo button.
    int EditHeight() const { return firstPainterMetric_; }
    int ComboButtonWidth() const { return secondPainterMetric_; }

    // ---- virtual operations, in slot order
    virtual void CreateControls();
    virtual void DestroyControls();
    virtual void CalcMetrics();
    // A font of the window's own that it measures and draws in instead of the manager's; none by default.
    virtual TFont* OwnBarFont() const { return nullptr; }
    virtual bool CanCustomize() const;
    // A separator: two lines with a gap on either side.
    virtual int GetSeparatorSize() const { return 6; }
    virtual TCustomImageList* GetImages() const;
    virtual TRect GetItemRect(TubBarItemControl* AControl) const;
    virtual HRGN GetItemRegion(TubBarItemControl* AControl) const;
    virtual bool IsCustomizing() const;
    // The painter gives drop-down menus a shadow, and the window is visible.
    virtual bool ShadowWanted() const;
    // The shadow, once the window has wanted one.
    TubBarShadow* Shadow() const { return shadow_; }
    virtual TRect GetItemRectForDrawing(TubBarItemControl* AControl) const { return GetItemRect(AControl); }
    virtual int GetShadowExclusionSize() const;
    // A drop-down menu answers true; the toolbar windows answer IsToolbar.
    virtual bool IsSubMenu() const { return false; }
    virtual bool IsToolbar() const { return false; }
    virtual bool IsParentOf(const TCustomubBarControl* ABar) const;
    virtual bool ExclusionTouches(TubBarContactSide Side) const;
    virtual TubBarDropTarget GetDropTarget(TPoint P) const;
    virtual bool HasMark() const { return false; }
    virtual bool PointerUnchanged(TPoint ScreenPoint) const;
    virtual void FetchBackgroundBrush();
    virtual void RepaintPair(TubBarItemControl* APrevious, TubBarItemControl* ANew);
    virtual void SetMenuMode(bool Value);
    virtual void SelectByKeyboard(TubBarItemControl* AControl);
    virtual void SetMarkState(TubBarMarkState Value);
    virtual void SetDockingStyle(TubBarDockingStyle Value);
    virtual void SelectByPointer(TubBarItemControl* AControl);
    virtual void SetSelected(TubBarItemControl* AControl);
    virtual void PaintBackground(HDC DC, const TRect& R);
    virtual void PaintNonClient(HDC /*DC*/, HRGN /*Clip*/) {}
    virtual void CheckQuickCustomizing() {}
    virtual TubBarDockControl* GetDockControl() const { return nullptr; }
    virtual TPoint GetOriginOffset() const { return TPoint(0, 0); }
    virtual void ClearBackgroundCache();
    virtual void SetDoubleBufferedFromPainter() {}
    virtual void CloseAll();
    virtual void Rebuild() {}
    // Esc closed the menu opened from this bar: a menu bar stops opening the menus of the items it moves to.
    virtual void EndKeyboardOpen() {}

    // Every shown link gets a new control of its item's control class.
    void RecreateControls();

    // ---- painting single controls
    // Paints one control at its rectangle now (or invalidates it while a toolbar repaints a pair).
    virtual void PaintControl(TubBarItemControl* AControl);
    // The control paints its background and itself into the rectangle on the window's canvas.
    virtual void DrawItemControl(TubBarItemControl* AControl, const TRect& R);

    // ---- the contact strip and customizing frame
    // The strip of the window's border along the item that opened it (window or screen coordinates);
    // empty when the two do not touch.
    TRect ContactStrip(bool InScreen) const;
    // The frame of the customizing mode around the selected (or dragged) control.
    void DrawCustomizingFrame(HDC DC, TubBarItemControl* AControl);

    // ---- the active bars
    // The bar window on top of the stack of bars in menu mode; nullptr for none.
    static TCustomubBarControl* ActiveBarControl();

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;

    // Keys in menu mode: true when handled.
    virtual bool KeyInMenuMode(WORD Key, TShiftState Shift);
    virtual void LButtonDown(TMessage& Message);
    virtual void LButtonUp(TMessage& Message);
    virtual void LButtonDblClk(TMessage& Message);
    virtual void RButtonDown(TMessage& Message);
    virtual void MouseMoved(TMessage& Message);
    // The customizing drag of the pressed link begins: the manager runs it.
    virtual void BeginItemDrag(TubBarItemLink* ALink);
    // Sends the focus back to where it belongs (the form) when the bar window gets it.
    void ReturnFocus();
    // Selects the link's control by keyboard; from Tab a window control is entered at once.
    void SelectLink(TubBarItemLink* ALink, bool FromTab);
    // Ctrl+Tab: the next (or previous) visible bar of the manager with a visible link takes the menu mode.
    void MoveToNextBar(bool Forward);
    // Whether mouse messages are swallowed because another bar is in menu mode.
    bool MouseBlocked() const;
    bool IsDestroying() const { return ComponentState().Contains(csDestroying); }

    TBitmap* backgroundCache_ = nullptr;
    TubBarShadow* shadow_ = nullptr;
    // The shadow follows the window: built around it (cut by the opening item) when wanted, else hidden.
    void UpdateShadow();
    HBRUSH backgroundBrush_ = nullptr;
    TubBarItemControl* pressedControl_ = nullptr;
    TubBarDockingStyle dockingStyle_ = dsNone;
    bool dragPending_ = false;
    TPoint pressPoint_{};
    bool repaintingPair_ = false;
    bool menuMode_ = false;
    bool menuModeByPress_ = false;
    bool destroyingControls_ = false;
    TubBarItemLinks* itemLinks_ = nullptr;
    TubBarMarkState markState_ = msNone;
    bool pointerOverPressed_ = false;
    int shadowExclusionSize_ = 0;
    TCustomubBarControl* prevActive_ = nullptr;
    TubBarItemControl* selectedControl_ = nullptr;
    int lineHeight_ = 0;
    int firstPainterMetric_ = 0;
    int textSpacing_ = 4;
    int secondPainterMetric_ = 0;
    TPoint lastPointer_{-1, -1};
};

// Whether the open menus show all their links (set while a menu chain is expanded).
extern bool MenusExpanded;

// ---- look-ups over bar windows

// The bar window at the root of a chain of opened menus: climbs from a drop-down menu to the window of the
// item that opened it, until a window that is not a menu opened by an item.
TCustomubBarControl* RootBarControl(TCustomubBarControl* ABarControl);
TCustomubBarControl* RootBarControl(TubBarItemControl* AControl);
// The root when it is not a menu (a popup menu's chain has no toolbar root): nullptr otherwise.
TCustomubBarControl* RootToolbarControl(TCustomubBarControl* ABarControl);
TCustomubBarControl* RootToolbarControl(TubBarItemControl* AControl);
// A toolbar window docked left or right.
bool IsVerticalBarControl(const TCustomubBarControl* ABarControl);
// Such a window whose bar turns its items when vertical.
bool IsRotatedBarControl(const TCustomubBarControl* ABarControl);

}  // namespace zel
