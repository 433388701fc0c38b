#pragma once
// The links that bind popup menus to controls of the manager's form, kept as a collection of the manager.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Collections.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Menus.h"
#include "uilib/bars/ubBarTypes.h"

namespace zel {

class TubBarPopupMenuLink;

using TubBarPopupMenuLinkActionEvent =
    std::function<void(TubBarPopupMenuLink* Sender, int& X, int& Y, bool ClickedByMouse, bool& AllowPopup)>;

class TubBarPopupMenuLink : public TCollectionItem {
public:
    explicit TubBarPopupMenuLink(TCollection* Collection) : TCollectionItem(Collection) {}
    std::string ClassName() const override { return "TubBarPopupMenuLink"; }

    // From another link: its control and popup menu by name among the components of this manager's form,
    // and its ProcessChildren.
    void Assign(TPersistent* Source) override;

    TubBarManager* Manager() const;
    TWinControl* GetControl() const { return control_; }
    // Only a control on the manager's form (at run time: whose top-level form is the manager's form) is
    // taken; anything else is stored as nothing.
    void SetControl(TWinControl* Value);
    // The popup menu (a bar popup menu of the manager's form).
    TComponent* GetPopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TComponent* Value);
    bool ProcessChildren = true;
    TubBarPopupMenuLinkActionEvent OnAction;

private:
    TWinControl* control_ = nullptr;
    TComponent* popupMenu_ = nullptr;
};

class TubBarPopupMenuLinks : public TOwnedCollection {
public:
    explicit TubBarPopupMenuLinks(TubBarManager* AManager);
    std::string ClassName() const override { return "TubBarPopupMenuLinks"; }

    TubBarManager* Manager() const { return manager_; }
    TubBarPopupMenuLink* Add() { return static_cast<TubBarPopupMenuLink*>(TCollection::Add()); }
    TubBarPopupMenuLink* Items(int Index) const { return static_cast<TubBarPopupMenuLink*>(GetItem(Index)); }
    // A component being freed leaves every link that refers to it.
    void ComponentRemoved(TComponent* AComponent);

    // Whether a popup menu linked to the control, or with ProcessChildren to one of its parents, owns the
    // short-cut; the entry it belongs to is clicked.
    bool FindShortCut(TWinControl* AControl, TShortCut AShortCut);
    // Opens the popup menu linked to the control, or with ProcessChildren to one of its parents, for a context
    // request that came to Window: at MousePoint (screen), or from the keyboard (-1, -1) at the caret or the
    // window's top left. True when the request was served (by the control's own handling or a menu).
    bool PopupFor(TWinControl* AControl, HWND Window, TPoint MousePoint);

private:
    // The links of the control, then those with ProcessChildren of each parent, in search order.
    std::vector<TubBarPopupMenuLink*> LinksInSearchOrder(TWinControl* AControl) const;

    TubBarManager* manager_ = nullptr;
};

// The popup-menu links of the manager of the form that holds the focused control; nullptr when none.
TubBarPopupMenuLinks* LinksOfFocus();

}  // namespace zel
