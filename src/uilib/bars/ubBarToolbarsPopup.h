#pragma once
// The toolbars popup: the small menu a right click on a dock area or a toolbar opens, one check entry per
// bar (clicking one shows or hides that bar) and "&Customize..." when the manager can customize.
#include <string>

#include "uilib/bars/ubBarSubMenuControl.h"

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

// Builds the toolbars popup of the manager and opens it at the screen point after closing the open menus;
// when it has no entries nothing opens. The one popup open last is kept until the next opens.
void ShowToolbarsPopup(TWinControl* AControl, TubBarManager* AManager, TPoint AScreenPoint);
// The toolbars popup open now (or closed last and not yet freed); nullptr when none.
TubBarToolbarsPopup* ToolbarsPopup();

}  // namespace zel
