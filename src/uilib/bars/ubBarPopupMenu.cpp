#include "uilib/bars/ubBarPopupMenu.h"

#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarUnit.h"

namespace zel {

TubBarPopupMenu::TubBarPopupMenu(TComponent* AOwner) : TComponent(AOwner) {
    barManager_ = ManagerOfForm(AOwner);
    if (barManager_ == nullptr && BarManagerList() != nullptr) barManager_ = BarManagerList()->Managers(0);
    itemLinks_ = new TubBarItemLinks(barManager_, this);
}

TubBarPopupMenu::~TubBarPopupMenu() { delete itemLinks_; }

void TubBarPopupMenu::SetItemLinks(TubBarItemLinks* Value) { itemLinks_->Assign(Value); }

bool TubBarPopupMenu::GetUseRecentItems() const { return itemLinks_->UseRecentItems; }

void TubBarPopupMenu::SetUseRecentItems(bool Value) { itemLinks_->UseRecentItems = Value; }

}  // namespace zel
