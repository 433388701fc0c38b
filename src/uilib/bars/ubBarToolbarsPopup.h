#pragma once
// The quick popups of the bars, small menus of temporary items: the toolbars popup that a right click on a
// dock area or a toolbar opens, one check entry per bar (clicking one shows or hides that bar) and
// "&Customize..." when the manager can customize; and the customizing popup of a link right-clicked while
// customizing: reset, delete, rename, paint style and group start.
#include <string>

#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/base/uiClasses.h"

namespace zel {

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
    // The right-clicked link (nullptr once it is freed) and its list.
    TubBarItemLink* ClickedLink() const;
    TubBarItemLinks* ClickedLinks() const { return clickedLinks_; }

protected:
    void Closed() override;

private:
    void AddEntry(int Tag, const std::string& Caption, bool BeginGroup, bool Checked = false);
    void Rename(const std::string& Text);

    TubBarItemLinks* ownLinks_;
    TubBarItemLinks* clickedLinks_;
    TuiObjectLink* clickedLink_;
};

// Builds the customizing popup for a right-clicked link and opens it at the screen point.
void ShowCustomizingPopup(TubBarManager* AManager, TubBarItemLink* ALink, TubBarItemLinks* ALinks, TPoint AScreenPoint);
// The quick popup open now (or closed last and not yet freed); nullptr when none.
TubBarSubMenuControl* QuickPopup();

// Builds the toolbars popup of the manager and opens it at the screen point after closing the open menus;
// when it has no entries nothing opens. The one popup open last is kept until the next opens.
void ShowToolbarsPopup(TWinControl* AControl, TubBarManager* AManager, TPoint AScreenPoint);

}  // namespace zel
