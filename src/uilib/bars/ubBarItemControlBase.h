#pragma once
// Item controls: the window-less objects that show one item link on one bar window (a toolbar, the menu bar
// or a drop-down menu). The bar window makes one per shown link, lays them out by their sizes, paints each
// through the manager's painter and passes activation, clicks and keys to the selected one. The window item
// control adds a real EDIT child window that shows while the item is being edited.
#include <string>

#include "platform/vcl/Controls.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Menus.h"
#include "platform/win/Windows.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarPainters.h"
#include "uilib/bars/ubBarTypes.h"

namespace zel {

class TubBarItemControl;
class TubBarWindowItem;

// The class of an item control and how one is made for a link; registered beside its item class.
using TubBarItemControlFactory = TubBarItemControl* (*)(TubBarItemLink* ALink);
void RegisterItemControlClass(TClass AControlClass, TubBarItemControlFactory AFactory);
void UnregisterItemControlClass(TClass AControlClass);
// Makes the control that the item-class registry pairs with the link's item; nullptr when the item's class
// has no control class.
TubBarItemControl* CreateItemControlFor(TubBarItemLink* ALink);

// Set while the library's mouse hook handles a message: presses are then read from the asynchronous state.
extern bool InBarMouseHook;
// The library's keyboard hook, called directly for a key that a window control does not keep (the next hook
// is not asked); an Alt key counts as pressed alone. True when the key was taken.
bool CallBarKeyboardHook(WPARAM Key, LPARAM KeyData, bool FromWindowControl);

class TubBarItemControl : public TObject {
public:
    // Stores the link and the bar window that shows its list.
    explicit TubBarItemControl(TubBarItemLink* ALink);
    ~TubBarItemControl() override;
    std::string ClassName() const override { return "TubBarItemControl"; }
    static TClass StaticClass();

    // ---- fields
    TubBarItemLink* Link = nullptr;  // nullptr while the control is torn down
    TCustomubBarControl* Parent = nullptr;
    bool GetPressed() const { return pressed_; }
    bool DisabledNotSelected = false;
    bool GetActive() const { return active_; }

    // ---- virtual operations, in slot order
    virtual void Update() {}
    virtual void Changed();
    virtual void CaptionChanged();
    virtual void EnabledChanged();
    virtual void GlyphChanged() { Repaint(); }
    virtual void PressedChanged();
    virtual void ParentChanged() {}
    virtual void ItemChanged();
    virtual void LinkVisibleChanged();
    virtual bool ClickFiresItem() const { return true; }
    virtual bool IsOwnManager() const;
    virtual bool CanSelect() const { return CanSelectInCustomizing(); }
    virtual bool CanSelectInCustomizing() const;
    virtual void Click(bool ByMouse);
    // Immediate: a sub-item opens (or closes) its menu now rather than after its delay.
    virtual void ControlActivate(bool Immediate);
    virtual void ControlInactivate(bool Immediate);
    virtual void PrepareClick(bool /*ByMouse*/) {}
    virtual void ControlClick();
    virtual bool DrawSelected() const;
    virtual void KeyDown(WORD /*Key*/) {}
    virtual bool WantsKey(WORD /*Key*/) const { return false; }
    // What the painter reads about this control on its bar window.
    virtual TubBarItemPaintState CalcDrawingParams() const;
    virtual std::string GetCaption() const;
    virtual bool GetEnabled() const;
    virtual TBitmap* GetGlyph() const;
    virtual int GetImageIndex() const;
    virtual TCustomImageList* GetImages(bool Large) const;
    virtual std::string GetHint() const;
    virtual TCustomImageList* GetHotImages() const;
    virtual bool UseDisabledImages() const;
    virtual TCustomImageList* GetDisabledLargeImages() const;
    virtual TubBarPainterClass Painter() const;
    virtual TShortCut GetShortCut() const;
    virtual int GetMenuGlyphIndent() const;
    virtual int GetHeight() const { return 0; }
    virtual int GetMinHeight() const { return 1; }
    virtual int GetMinWidth() const { return 1; }
    virtual TCustomubBarControl* GetSubMenu() const { return nullptr; }
    virtual int GetWidth() const { return 0; }
    virtual bool HasHint() const;
    virtual bool BarHasFrameForControl() const;
    virtual bool ClickClosesMenus() const { return true; }
    virtual bool HasSubMenuArrow() const { return false; }
    virtual bool CanShowPressed() const { return false; }
    // Whether the quick-customization list of the control's toolbar offers its link.
    virtual bool CanBeListed() const { return true; }
    virtual void Draw(const TRect& /*R*/, bool /*InMenu*/) {}
    virtual void Repaint();

    // ---- what the bar window asks of the selected control besides the slots above
    // A left press at a bar-window point reaches the control (after the bar selected it).
    virtual void MouseDown(TPoint /*P*/) {}
    // The release of that press over the control, before it is clicked.
    virtual void MouseUp(TPoint /*P*/) {}
    // The pointer has just selected the control (a sub-item starts its opening delay).
    virtual void SelectedByPointer() {}
    // Whether the bar window keeps the mouse captured for the control between press and release.
    virtual bool TracksPress() const { return false; }
    // Whether a double click is the control's own action rather than a second press.
    virtual bool AcceptsDblClick() const { return false; }
    virtual void DblClick() {}

    // ---- non-virtual
    TubBarManager* Manager() const;
    TubBarItem* Item() const;
    bool IsSelected() const { return TubBarItemControl::DrawSelected(); }
    int LayoutHeight() const;
    int LayoutWidth() const;
    bool HasGlyph() const;
    bool HasImage() const;
    // The control is enabled, the cursor lies on it and the primary button is down.
    bool IsPressedByMouse() const;
    void SetPressed(bool Value);
    // The shortcut as text; empty for none.
    std::string GetShortCutText() const;
    // The control's rectangle on its bar window.
    TRect ItemRect() const;
    bool OnToolbar() const;
    bool OnSubMenu() const;

protected:
    void SetActive(bool Value) { active_ = Value; }

private:
    bool pressed_ = false;
    bool active_ = false;
};

// The base of the controls that show a real window while their item is edited: the window's messages pass
// through WndProc first.
class TubBarWinControl : public TubBarItemControl {
public:
    explicit TubBarWinControl(TubBarItemLink* ALink);
    ~TubBarWinControl() override;
    std::string ClassName() const override { return "TubBarWinControl"; }
    static TClass StaticClass();

    // ---- fields
    WNDPROC ObjectInstance = nullptr;
    bool GetFocused() const { return focused_; }
    bool SettingText = false;
    HWND Handle = nullptr;
    int AltKeyCount = 0;
    WNDPROC PrevWndProc = nullptr;
    HWND PrevFocus = nullptr;
    TRect WindowRect{};

    // ---- overrides
    void EnabledChanged() override;
    bool ClickFiresItem() const override;
    void ControlInactivate(bool Immediate) override;
    void PrepareClick(bool ByMouse) override;
    bool ClickClosesMenus() const override { return false; }

    // ---- virtual operations added here, in slot order
    // Subclasses the inner window (made by the concrete control before it calls this).
    virtual void CreateWindow();
    virtual void DestroyWindow();
    // The inner window's text, at most 254 characters; empty without a window.
    virtual std::string GetText() const;
    virtual void SetFocused(bool Value);
    virtual void SetText(const std::string& Value);
    virtual void WndProc(TMessage& Message);

    // Places the inner window (bar-window coordinates); a visible window moves at once.
    void SetWindowRect(const TRect& R);
    TubBarWindowItem* WindowItem() const;

protected:
    // Whether the item shows an editor (not HideEditor).
    bool ShowsEditor() const;
    // Calls the inner window's previous procedure.
    void CallPrevWndProc(TMessage& Message);
    // Drops the WM_CHAR messages waiting for the inner window.
    void DropPendingChars();

private:
    bool focused_ = false;
};

}  // namespace zel
