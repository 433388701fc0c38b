#pragma once
// The quick popups of the bars, small menus of temporary items: the toolbars popup that a right click on a
// dock area or a toolbar opens, one check entry per bar (clicking one shows or hides that bar) and
// "&Customize..." when the manager can customize; the customizing popup of a link right-clicked while
// customizing: reset, delete, rename, paint style and group start (at design time also add an item, delete
// the bar, show or hide the link and mark it recently used); and the quick-customization window that a press
// on a toolbar's mark opens.
#include <string>

#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/base/uiClasses.h"

namespace zel {

class TubBarButton;

class TubBarToolbarsPopup : public TubBarSubMenuControl {
public:
    // Owned by the manager; its own links are filled by the manager.
    explicit TubBarToolbarsPopup(TubBarManager* AManager);
    ~TubBarToolbarsPopup() override;
    std::string ClassName() const override { return "TubBarToolbarsPopup"; }
    // The popup never counts as customizing.
    bool IsCustomizing() const override { return false; }

private:
    TubBarItemLinks* ownLinks_;
};

// The customizing popup of the link (nullptr: none was clicked) of a list; it never counts as customizing.
class TubBarCustomizingPopup : public TubBarSubMenuControl {
public:
    TubBarCustomizingPopup(TubBarManager* AManager, TubBarItemLink* ALink, TubBarItemLinks* ALinks);
    ~TubBarCustomizingPopup() override;
    std::string ClassName() const override { return "TubBarCustomizingPopup"; }
    bool IsCustomizing() const override { return false; }
    // The right-clicked link (nullptr once it is freed) and its list (nullptr once its bar, sub-item or popup
    // menu is freed).
    TubBarItemLink* ClickedLink() const;
    TubBarItemLinks* ClickedLinks() const;

protected:
    void Closed() override;

private:
    // At design time: "Add &SubItem", "Add &Button", "Add &Item" with one entry per offered class, and "Delete
    // Bar" when asked (no link clicked on a toolbar).
    void AddDesignEntries(bool ADeleteBar);
    // The entries of a clicked link; at design time "&Visible" and "&Most recently used" follow.
    void AddLinkEntries(TubBarItemLink* ALink, bool ADesign);
    TubBarButton* MakeEntry(int Tag, const std::string& Caption);
    void AddEntry(int Tag, const std::string& Caption, bool BeginGroup, bool Checked = false);
    void EntryClick(int Tag);
    void DesignClick(int Tag);
    // A new item of the class with a link in the list, after the clicked link when there is one.
    void AddItemOfClass(TubBarManager* AManager, TubBarItemLinks* ALinks, TClass AItemClass);
    void Rename(const std::string& Text);

    TubBarItemLinks* ownLinks_;
    TubBarItemLinks* clickedLinks_;
    TuiObjectLink* clickedLinksOwner_;
    TuiObjectLink* clickedLink_;
};

// Whether an entry of the customizing popup is adding an item now.
bool CustomizingPopupAddingItem();

class TubBarSubItem;

// The quick-customization window of a toolbar's mark: a borderless bar window over a hidden bar of its own
// (listed nowhere, saved nowhere) that shows the links which did not fit on the toolbar as the toolbar shows
// them, then "&Add or Remove Buttons", whose menu holds an entry per link of the toolbar (showing or hiding
// it), "&Reset Toolbar" when the bar may be reset, and "&Customize...". It opens below the mark of a
// horizontal toolbar (right-aligned with it while docked) and beside the mark of a vertical one, without
// taking the activation, and holds the keyboard while open: Esc, a command, a press elsewhere or another bar
// taking the menu mode closes it.
class TubBarQuickControl : public TubBarControl {
public:
    TubBarQuickControl(TubBarManager* AManager, TubBarControl* AToolbar);
    ~TubBarQuickControl() override;
    std::string ClassName() const override { return "TubBarQuickControl"; }
    bool IsCustomizing() const override { return false; }
    // The toolbar whose mark opened the window; nullptr once it is gone.
    TubBarControl* OwnerToolbar() const;
    // The "&Add or Remove Buttons" entry.
    TubBarSubItem* AddOrRemoveItem() const;
    // Sizes the window to its links and shows it at the mark (screen rectangle), in menu mode.
    void Place(const TRect& AMark);
    // Hides the window and ends its menu mode; the toolbar's mark is released unless the press that closed
    // the window is on the mark (the toolbar's own handling of that press releases it). The window stays
    // until the next quick popup frees it.
    void CloseQuick();
    // Whether the window is on the screen.
    bool Shown() const;
    // The mark of the toolbar that opened the window, in screen coordinates (empty once the toolbar is gone).
    TRect MarkOnScreen() const;
    // Whether a screen point lies on the mark of the toolbar that opened the window.
    bool OnOwnerMark(TPoint AScreenPoint) const;
    // Whether a screen point lies on the entry whose menu is open: the pointer opened it, and a press there
    // keeps it open.
    bool OnOpenEntry(TPoint AScreenPoint) const;
    void CloseAll() override;
    // Leaving the menu mode closes the window; the focus and the hot tracking of the toolbars stay as they
    // are.
    void SetMenuMode(bool Value) override;
    // The look's floating border on each side: no caption, no margins.
    TubFloatingFrame FloatingFrame() const override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    // A right press goes to the default window procedure: the window offers no toolbars popup.
    void RButtonDown(TMessage& Message) override;
    // A press and its release on the entry whose menu is open leave the menu open.
    void LButtonDown(TMessage& Message) override;
    void LButtonUp(TMessage& Message) override;
    // Everything outside the client area is border.
    LRESULT FloatingHitTest(TPoint Screen) override;
    void PaintFloatingFrame(HDC DC) override;

private:
    // The menu of "&Add or Remove Buttons", built each time it opens.
    void BuildAddOrRemoveList();

    TuiObjectLink* toolbar_;
    TuiObjectLink* addOrRemoveLink_ = nullptr;
    bool closing_ = false;
};

// Opens the quick-customization window of the toolbar's mark (closing the open menus first); closes it.
void ShowQuickControl(TubBarControl* AToolbar);
void CloseQuickControl(TubBarControl* AToolbar);
// The quick-customization window open now; nullptr when none is open.
TubBarQuickControl* OpenQuickControl();

// Builds the customizing popup for a right-clicked link and opens it at the screen point.
void ShowCustomizingPopup(TubBarManager* AManager, TubBarItemLink* ALink, TubBarItemLinks* ALinks, TPoint AScreenPoint);
// The quick popup open now (or closed last and not yet freed); nullptr when none.
TubBarSubMenuControl* QuickPopup();
// Frees the quick popup (or quick-customization window) kept for the manager, while the manager is whole.
void FreeQuickPopupOf(TubBarManager* AManager);

// Builds the toolbars popup of the manager and opens it at the screen point after closing the open menus;
// when it has no entries nothing opens. The one popup open last is kept until the next opens.
void ShowToolbarsPopup(TWinControl* AControl, TubBarManager* AManager, TPoint AScreenPoint);

}  // namespace zel
