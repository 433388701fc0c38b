#pragma once
// The drop-down menu window: the pop-up that shows the links of a sub-item (a menu of the menu bar) top to
// bottom. It places itself inside the work area (flipping to the other side of the item that opened it),
// scrolls when its links do not fit, hides rarely used links behind an expand button when the manager
// shows recent items first, walks the menu bar with Left and Right, and unfolds or slides open.
#include <functional>
#include <string>
#include <vector>

#include "platform/vcl/Controls.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarItemLinks.h"

namespace zel {

class TCustomubBarContainerItem;

class TubBarSubMenuControl : public TCustomubBarControl {
public:
    explicit TubBarSubMenuControl(TComponent* AOwner);
    ~TubBarSubMenuControl() override;
    std::string ClassName() const override { return "TubBarSubMenuControl"; }

    // The item control that opened the menu (nullptr for a menu of its own).
    TubBarItemControl* ParentControl = nullptr;
    // The size of the opening item that the menu may jump over when it must open on its other side.
    int ExclusionWidth = 0;
    int ExclusionHeight = 0;
    bool PreferRight = true;
    bool PreferDown = true;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnPopup;
    // The window that owns the pop-up; the manager's form when none.
    HWND OwnerWindow = nullptr;
    // The font of the pop-up menu this window shows (the menus opened from it use it too); none: the
    // manager's.
    TFont* OwnFont = nullptr;
    // A picture tiled behind the lines instead of the look's background (a popup menu's own); none: the
    // manager's sub-menu background when it has one, else the look's.
    TBitmap* BackgroundPicture = nullptr;
    TBitmap* BackgroundBitmap() const;

    // Builds the window at the screen point and shows it.
    void Popup(int X, int Y);
    // Closes the window: the child menu first, then menu mode; the opener is told and the menu freed by it.
    void CloseUp();
    // Selects the first link (a menu opened by the keyboard).
    void SelectFirst() { SelectLink(GetItemLinks() != nullptr ? GetItemLinks()->First() : nullptr, false); }
    // Lays the links out again, keeping the scroll position where it still fits.
    void Rebuild() override;

    int FirstVisible() const { return firstVisible_; }
    // Whether the links beyond the window can be scrolled to, up or down.
    bool CanScrollUp() const { return firstVisible_ > 0; }
    bool CanScrollDown() const;
    bool ScrollTimerRunning() const { return scrollTimer_ != 0; }
    // The expand button is shown: rarely used links are hidden.
    bool HasHiddenItems() const;
    TubBarMarkState ExpandState() const { return expandState_; }
    // Shows every link: the window is built again in place.
    void Expand();
    // Whether the link lies in a block of rarely used links (shown on the lighter background).
    bool IsRarelyUsed(const TubBarItemLink* ALink) const;
    // The animation in force while the window opened, and how many steps it drew.
    TubBarMenuAnimations Animation() const { return animation_; }
    int AnimationSteps() const { return animationSteps_; }
    // The directions the placement took.
    bool OpenedLeft() const { return openedLeft_; }
    bool OpenedUp() const { return openedUp_; }
    // The band of the expand button and the scroll zones, in client coordinates (empty when not shown).
    TRect ExpandButtonRect() const;
    TRect ScrollUpRect() const;
    TRect ScrollDownRect() const;
    // The band along the menu's left side (the sub-item's BarSize wide) that its OnPaintBar paints.
    int SideBandWidth() const;
    TRect SideBandRect() const;
    // The band at the top by which the menu of a detachable sub-item is dragged off as its detaching bar, in
    // client coordinates: it lies in the frame, right above the client area; empty when the menu has none.
    TRect DragCaptionRect() const;
    // Right presses and releases act as left ones: in a menu opened without an item to jump over (a menu of
    // its own), and in the menus opened from such a menu.
    bool RightButtonAsLeft() const;

    // ---- overrides
    bool IsSubMenu() const override { return true; }
    bool CanCustomize() const override;
    bool IsCustomizing() const override;
    bool HasMark() const override { return HasHiddenItems(); }
    void SelectByKeyboard(TubBarItemControl* AControl) override;
    void CloseAll() override;
    void CalcMetrics() override;
    TFont* OwnBarFont() const override;
    // The images of the bar it opened from, else the manager's.
    TCustomImageList* GetImages() const override;
    // A container's link is shown by the container's content while the controls exist: the content goes in
    // its place and the link stands out of the list until the controls go.
    void CreateControls() override;
    void DestroyControls() override;
    // How many container links the menu shows by their content now.
    int ExpandedContainerCount() const { return static_cast<int>(expanded_.size()); }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;
    bool KeyInMenuMode(WORD Key, TShiftState Shift) override;
    void LButtonDown(TMessage& Message) override;
    void MouseMoved(TMessage& Message) override;
    void DrawItemControl(TubBarItemControl* AControl, const TRect& R) override;
    void PaintBackground(HDC DC, const TRect& R) override;
    // The closing of the window, for the kinds of menu that keep more (a container's contents).
    virtual void Closed() {}
    // The screen point the window opens at once its size is known; by default the point Popup was given.
    virtual TPoint PlacePoint(int /*Width*/, int /*Height*/) const { return requested_; }

private:
    void LayOut();
    void Place();
    // The bar the menu tears off as: a detachable sub-item's detaching bar, unless the sub-item lies on it.
    TubBar* DetachingBar() const;
    // The press on the drag caption: once the pointer leaves the caption the menu closes and its bar floats
    // under the pointer until the button goes up.
    void TearOff();
    void ShowWindowNow();
    void PaintSideBand(const TRect& R);
    // The size of the client area: the window less its one-pixel border and the drag caption.
    TSize ClientSize() const;
    // The frame and the drag caption, in window coordinates.
    void PaintFrame(HDC DC);
    void Animate();
    void ScrollBy(int Delta);
    void StartScrollTimer();
    void StopScrollTimer();
    void ScrollTick();
    void StartExpandTimer(UINT Id, UINT Delay);
    void StopExpandTimer();
    void ExpandTick(UINT Id);
    void SetExpandState(TubBarMarkState Value);
    // The parent bar keeps or leaves the menu mode as the menu closes (by the mouse or by the keys).
    void ParentAfterClose(TCustomubBarControl* AParentBar, TubBarItemControl* AParentControl);
    int VisibleCount() const;
    void ExpandContainers();
    void CollapseContainers();

    // A container link shown by its content: where the content begins, and the link standing out meanwhile.
    struct TExpandedContainer {
        int Index;
        TubBarItemLink* Placeholder;
    };
    std::vector<TExpandedContainer> expanded_;
    bool expanding_ = false;  // containers are being expanded or collapsed

    HBRUSH rarelyUsedBrush_ = nullptr;
    TPoint requested_{};
    UINT_PTR expandTimer_ = 0;
    UINT expandTimerId_ = 0;
    UINT_PTR scrollTimer_ = 0;
    int scrollDirection_ = 0;
    bool animate_ = false;
    int animationSteps_ = 0;
    int firstVisible_ = -1;
    int lastVisible_ = -1;  // index in the shown links of the last link laid out, -1 for none
    int recentCount_ = -1;  // how many links are frequently used, -1 for all
    TubBarMenuAnimations animation_ = maNone;
    TubBarMarkState expandState_ = msNone;
    int glyphColumn_ = 0;
    int expandBand_ = 0;
    int dragCaption_ = 0;  // the height of the drag caption, 0 for none
    TRect area_{};         // where the links lie
    bool openedLeft_ = false;
    bool openedUp_ = false;
    bool recreating_ = false;
    bool closing_ = false;
    bool closingByKey_ = false;
    bool paintingRarelyUsed_ = false;
    int requestedHeight_ = 0;  // the height the placement left, 0 for the work area's
};

// The menu of a container item opened as a sub-menu: it shows the links the container fills in.
class TContainerItemSubMenuControl : public TubBarSubMenuControl {
public:
    using TubBarSubMenuControl::TubBarSubMenuControl;
    ~TContainerItemSubMenuControl() override;
    std::string ClassName() const override { return "TContainerItemSubMenuControl"; }
    TCustomubBarContainerItem* ContainerItem = nullptr;
    bool IsCustomizing() const override { return false; }

protected:
    // The container's content leaves its list (once).
    void Closed() override;

private:
    bool contentRemoved_ = false;
};

// The delays of the recent-items menus: a menu expands this long after it opened or after its
// selection changed, and this long after the pointer made its expand button hot.
constexpr UINT ubExpandDelay = 4000;
constexpr UINT ubExpandHotDelay = 1000;
// Scrolling a menu by hovering over its arrows: one line per period.
constexpr UINT ubScrollPeriod = 80;

}  // namespace zel
