#pragma once
// The concrete item controls: the button (toolbar button and menu entry, with its drop-down arrow part and
// shortcut text), the edit and the combos with their inner EDIT window, the sub-item that opens its menu
// after a delay, and the container item. Each measures itself, draws itself through the painter and handles
// its own activation, clicks and keys.
#include <string>

#include "uilib/bars/ubBarItemControlBase.h"
#include "uilib/bars/ubBarItemLinks.h"

namespace zel {

class TubBarButton;
class TubBarEdit;
class TCustomubBarCombo;
class TubBarCustomCombo;
class TCustomubBarSubItem;

// What the painter reads about a control: the control's own state and its bar window's measures.
TubBarItemPaintState PaintStateOf(const TubBarItemControl* C);
// The glyph a control shows.
TubBarGlyph GlyphOf(const TubBarItemControl* C, bool InMenu);
// The device context of the control's bar window.
HDC BarDC(const TubBarItemControl* C);

class TubBarButtonControl : public TubBarItemControl {
public:
    explicit TubBarButtonControl(TubBarItemLink* ALink) : TubBarItemControl(ALink) {}
    ~TubBarButtonControl() override;
    std::string ClassName() const override { return "TubBarButtonControl"; }
    static TClass StaticClass();

    // The drop-down menu of a bsDropDown button is open.
    bool DroppedDown = false;

    TubBarButton* ButtonItem() const;
    // The link's effective paint style, as the control shows it.
    TubBarPaintStyle PaintStyle() const;
    // Whether a bar-window point lies on the arrow part of a bsDropDown button on a toolbar.
    bool OnArrowPart(TPoint P) const;

    // ---- overrides
    void GlyphChanged() override;
    void ControlInactivate(bool Immediate) override;
    void PrepareClick(bool ByMouse) override;
    void ControlClick() override;
    // A press on the arrow part of a bsDropDown button opens its menu at once.
    void MouseDown(TPoint P) override;
    bool DrawSelected() const override;
    void KeyDown(WORD Key) override;
    bool WantsKey(WORD Key) const override;
    int GetHeight() const override;
    int GetWidth() const override;
    TCustomubBarControl* GetSubMenu() const override;
    void Draw(const TRect& R, bool InMenu) override;

    // ---- virtual operations added here, in slot order
    virtual int GetArrowWidth() const;
    virtual void ButtonStyleChanged() { Changed(); }
    virtual void DownChanged() { Repaint(); }
    virtual void DropDownEnabledChanged() { Repaint(); }
    virtual int GetThickness() const;
    virtual int GetLength() const;
    virtual void PaintStyleChanged() { Changed(); }
    // On a toolbar a button without a glyph shows its caption.
    virtual void CheckPaintStyle(TubBarPaintStyle& Style) const;

    // ---- dynamic operations
    // Opens the drop-down menu of a bsDropDown button.
    virtual void DropDown(bool ByMouse);
    virtual void CloseUp();
};

class TubBarEditControl : public TubBarWinControl {
public:
    explicit TubBarEditControl(TubBarItemLink* ALink) : TubBarWinControl(ALink) {}
    std::string ClassName() const override { return "TubBarEditControl"; }
    static TClass StaticClass();

    TubBarEdit* EditItem() const;
    // Whether the caption part shows (on a sub-menu, or with the item's ShowCaption).
    bool ShowsCaption() const;
    int CaptionWidth() const;

    // ---- overrides
    void CreateWindow() override;
    void SetFocused(bool Value) override;
    void SetText(const std::string& Value) override;
    void WndProc(TMessage& Message) override;
    void PrepareClick(bool ByMouse) override;
    int GetHeight() const override;
    int GetMinWidth() const override { return CaptionWidth() + 20; }
    int GetWidth() const override;
    void Draw(const TRect& R, bool InMenu) override;

    // ---- added here
    virtual void WidthChanged() { Changed(); }

protected:
    // The edit area's inside once the caption part and the box are drawn; R is the control's rectangle.
    TRect DrawEditParts(HDC DC, const TRect& R, const TubBarItemPaintState& State);
    // Places the inner window on the edit area, and draws the text there while the window is hidden.
    void PlaceWindow(HDC DC, const TRect& Area, const TubBarItemPaintState& State);

private:
    // The inner window's text changed: the item is told unless the control writes the item's text.
    void TextChanged();
    bool holdingChanges_ = false;
    int heldChanges_ = 0;
    int passedChanges_ = 0;
};

class TCustomubBarComboControl : public TubBarEditControl {
public:
    explicit TCustomubBarComboControl(TubBarItemLink* ALink) : TubBarEditControl(ALink) {}
    std::string ClassName() const override { return "TCustomubBarComboControl"; }
    static TClass StaticClass();

    // The drop-down button's rectangle in bar-window coordinates.
    TRect ButtonRect{};
    // DroppedDown as it was at the last left-button press.
    bool WasDroppedDown = false;
    bool GetDroppedDown() const { return droppedDown_; }

    TCustomubBarCombo* ComboItem() const;

    // ---- overrides
    void ControlInactivate(bool Immediate) override;
    void EnabledChanged() override;
    void WndProc(TMessage& Message) override;
    // A press on the drop-down button (or anywhere without an editor) opens or closes the list.
    void MouseDown(TPoint P) override;
    void Draw(const TRect& R, bool InMenu) override;

    // ---- added here
    virtual void SetDroppedDown(bool Value);

private:
    // ButtonRect, reaching to the control's left edge when the item shows no editor.
    TRect PressRect() const;
    bool droppedDown_ = false;
    bool pressToggled_ = false;  // the last press on the button opened or closed the list already
};

class TubBarComboControl : public TCustomubBarComboControl {
public:
    explicit TubBarComboControl(TubBarItemLink* ALink) : TCustomubBarComboControl(ALink) {}
    std::string ClassName() const override { return "TubBarComboControl"; }
    static TClass StaticClass();

    int GetItemIndex() const { return itemIndex_; }
    // Shows Items[Value], or the item's Text outside the list.
    void SetItemIndex(int Value);
    // Takes the index without touching the text (the text was typed).
    void SetItemIndexQuietly(int Value) { itemIndex_ = Value; }
    TubBarCustomCombo* ListItem() const;

    // ---- overrides
    void SetFocused(bool Value) override;
    void WndProc(TMessage& Message) override;

private:
    int itemIndex_ = -1;
};

class TubBarSubItemControl : public TubBarItemControl {
public:
    explicit TubBarSubItemControl(TubBarItemLink* ALink) : TubBarItemControl(ALink) {}
    ~TubBarSubItemControl() override;
    std::string ClassName() const override { return "TubBarSubItemControl"; }
    static TClass StaticClass();

    // Handed to the sub-menu when it opens, then cleared.
    bool OpenedByKey = false;

    TCustomubBarSubItem* SubItem() const;
    // Where the sub-menu opens (screen coordinates): the control's right-top corner on a sub-menu (raised by
    // the sub-menu's top offset) or on a vertical toolbar, else its left-bottom corner.
    TPoint SubMenuOrigin() const;

    // ---- overrides
    void ControlActivate(bool Immediate) override;
    void ControlInactivate(bool Immediate) override;
    void PrepareClick(bool ByMouse) override;
    void KeyDown(WORD Key) override;
    bool WantsKey(WORD Key) const override;
    bool ClickFiresItem() const override { return false; }
    bool ClickClosesMenus() const override { return false; }
    bool HasSubMenuArrow() const override { return true; }
    // The pointer came onto the control: its menu opens after the delay.
    void SelectedByPointer() override { ControlActivate(false); }
    int GetHeight() const override;
    int GetWidth() const override;
    TCustomubBarControl* GetSubMenu() const override { return GetSubMenuControl(); }
    void Draw(const TRect& R, bool InMenu) override;

    // ---- virtual operations added here, in slot order
    // The item's sub-menu window; nullptr while closed.
    virtual TCustomubBarControl* GetSubMenuControl() const;
    // Lets the item's link list build its window.
    virtual void CreateSubMenu();
    virtual int GetItemHeight() const;
    virtual int GetItemWidth() const;
    virtual bool CanOpen() const { return true; }

protected:
    // Opens the sub-menu now: its window is built, placed and shown.
    void OpenSubMenu();
    void CloseSubMenu();
};

class TubBarContainerItemControl : public TubBarSubItemControl {
public:
    explicit TubBarContainerItemControl(TubBarItemLink* ALink) : TubBarSubItemControl(ALink) {}
    std::string ClassName() const override { return "TubBarContainerItemControl"; }
    static TClass StaticClass();

    std::string GetCaption() const override;
    bool HasSubMenuArrow() const override;
    void CreateSubMenu() override;
};

// The sub-item control whose delay timer is pending (nullptr for none), and that timer.
extern TubBarSubItemControl* PendingSubItem;
extern UINT_PTR PendingTimer;
// The open and close delay of sub-menus, in milliseconds.
constexpr UINT ubSubMenuDelay = 400;

// Registers the control classes with the item classes they show.
void RegisterItemControlClasses();
void UnregisterItemControlClasses();

}  // namespace zel
