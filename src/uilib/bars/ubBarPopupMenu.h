#pragma once
// The popup menu built from bar items: a component with its own item links, shown as a sub-menu window. Here
// only its links, which a drop-down button passes short-cuts to and which no menu may contain recursively;
// showing it comes with the sub-menu windows.
#include <string>

#include "platform/rtl/Classes.h"
#include "uilib/bars/ubBarTypes.h"

namespace zel {

class TubBarItemLinks;

class TubBarPopupMenu : public TComponent {
public:
    // The manager of the owner form, else the first manager.
    explicit TubBarPopupMenu(TComponent* AOwner);
    ~TubBarPopupMenu() override;
    std::string ClassName() const override { return "TubBarPopupMenu"; }

    TubBarManager* GetBarManager() const { return barManager_; }
    TubBarItemLinks* GetItemLinks() const { return itemLinks_; }
    void SetItemLinks(TubBarItemLinks* Value);
    bool GetUseRecentItems() const;
    void SetUseRecentItems(bool Value);

private:
    TubBarManager* barManager_ = nullptr;
    TubBarItemLinks* itemLinks_ = nullptr;
};

}  // namespace zel
